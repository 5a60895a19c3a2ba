#include "shell/DialogFrame.h"

#include "controls/FxButton.h"
#include "platform/ExtCtrls.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"

namespace {

template <class T>
T* Make(TForm* Form, TWinControl* Parent, const char* Name)
{
    T* control = new T(Form);
    control->SetName(QString::fromLatin1(Name));
    control->SetParent(Parent);
    return control;
}

} // namespace

TDialogFrame Make_Dialog_Frame(TForm* Form, int ClientWidth, int ClientHeight)
{
    Form->SetClientSize(ClientWidth, ClientHeight);
    Form->SetBorderStyle(bsSingle);
    Form->SetBorderIcons(biSystemMenu);
    Form->SetPosition(poScreenCenter);
    Form->SetColor(RGB(248, 247, 237));
    Form->Font()->SetName(QStringLiteral("Verdana"));
    Form->Font()->SetSize(8);

    TDialogFrame f{};
    f.P_Title = Make<TPanel>(Form, Form, "P_Title");
    f.P_Title->SetAlign(alTop);
    f.P_Title->SetHeight(69);
    f.P_Title->SetBevelOuter(bvNone);
    f.P_Title->SetShowCaption(false);
    f.P_Title->SetParentBackground(false);
    f.P_Title->SetColor(clWhite);

    f.L_SW_Code = Make<TLabel>(Form, f.P_Title, "L_SW_Code");
    f.L_SW_Code->SetBounds(10, 6, 200, 29);
    f.L_SW_Code->Font()->SetSize(18);
    f.L_SW_Code->Font()->SetColor(clGray);
    f.L_SW_Code->Font()->SetStyle(fsBold);

    f.L_SW_Desc = Make<TLabel>(Form, f.P_Title, "L_SW_Desc");
    f.L_SW_Desc->SetBounds(10, 44, 300, 14);
    f.L_SW_Desc->Font()->SetStyle(fsBold);

    f.P_Button = Make<TPanel>(Form, Form, "P_Button");
    f.P_Button->SetAlign(alBottom);
    f.P_Button->SetHeight(44);
    f.P_Button->SetBevelOuter(bvNone);
    f.P_Button->SetShowCaption(false);

    f.Btn_OK = Make<TFxButton>(Form, f.P_Button, "Btn_OK");
    f.Btn_Cancel = Make<TFxButton>(Form, f.P_Button, "Btn_Cancel");
    f.Btn_Cancel->SetModalResult(mrCancel);
    f.Btn_OK->SetBounds(ClientWidth - 196, 7, 90, 30);
    f.Btn_Cancel->SetBounds(ClientWidth - 98, 7, 90, 30);
    for (TFxButton* b : {f.Btn_OK, f.Btn_Cancel}) {
        b->SetShowHint(true);
        b->SetAnchors(akTop | akRight);
    }
    return f;
}
