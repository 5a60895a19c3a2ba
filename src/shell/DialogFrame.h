#pragma once
// The frame the step dialogs share: a title panel with the software code and
// the dialog's description, a label above the dialog's own control, and a
// bottom panel with OK and Cancel.

#include "platform/Form.h"

class TFxButton;
class TLabel;
class TPanel;

// A control of a window, owned by the form, named and placed on Parent.
template <class T>
T* Make_Control(TForm* Form, TWinControl* Parent, const char* Name)
{
    T* control = new T(Form);
    control->SetName(QString::fromLatin1(Name));
    control->SetParent(Parent);
    return control;
}

// The look of the program's fixed windows: single border with the system
// menu only, centred on the screen, the program's background and font.
void Set_Window_Look(TForm* Form);

// The title panel of the program's windows, at the top of Form: the
// software code in large grey letters and the window's description below.
void Make_Title_Panel(TForm* Form, TPanel*& P_Title, TLabel*& L_SW_Code, TLabel*& L_SW_Desc);

class TStepDialog : public TForm {
public:
    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* Label1;
    TPanel* P_Button;
    TFxButton* Btn_OK;
    TFxButton* Btn_Cancel;

protected:
    // Makes the frame's controls, sizes the client area and gives the form
    // the dialogs' look: fixed border with the system menu, centred on the
    // screen. Cancel closes with result 2; OK has no result of its own.
    TStepDialog(TComponent* AOwner, const QString& Name, Integer ClientWidth, Integer ClientHeight);
    // The creation step every dialog shares: the code label and the size.
    void Frame_Create();

public:
    // Once the dialog's own constructor has made every control: the buttons
    // take the windows' button look, then the creation event runs.
    void AfterConstruction() override;

private:
    Integer FFrameWidth;
    Integer FFrameHeight;
};
