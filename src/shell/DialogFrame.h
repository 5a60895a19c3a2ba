#pragma once
// The frame the step dialogs share: a title panel with the software code and
// the dialog's description, and a bottom panel with OK and Cancel.

class TForm;
class TFxButton;
class TLabel;
class TPanel;

struct TDialogFrame {
    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TFxButton* Btn_OK;
    TFxButton* Btn_Cancel;
};

// Makes the frame's controls on Form (which owns them), sizes its client
// area and gives it the dialogs' look: fixed border with the system menu,
// centred on the screen. The buttons stand at the bottom right. Cancel
// closes the dialog with result 2; OK has no result of its own.
TDialogFrame Make_Dialog_Frame(TForm* Form, int ClientWidth, int ClientHeight);
