#include "shell/DialogFrame.h"

#include "shell/ButtonLook.h"
#include "shell/UComon.h"

#include "controls/FxButton.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"

void Set_Window_Look(TForm* Form)
{
    Form->SetBorderStyle(bsSingle);
    Form->SetBorderIcons(biSystemMenu);
    Form->SetPosition(poScreenCenter);
    Form->SetColor(RGB(248, 247, 237));
    Form->Font()->SetName(QStringLiteral("Verdana"));
    Form->Font()->SetSize(8);
}

void Make_Title_Panel(TForm* Form, TPanel*& P_Title, TLabel*& L_SW_Code, TLabel*& L_SW_Desc)
{
    P_Title = Make_Control<TPanel>(Form, Form, "P_Title");
    P_Title->SetAlign(alTop);
    P_Title->SetHeight(69);
    P_Title->SetBevelOuter(bvNone);
    P_Title->SetShowCaption(false);

    L_SW_Code = Make_Control<TLabel>(Form, P_Title, "L_SW_Code");
    L_SW_Code->SetBounds(10, 6, 200, 29);
    L_SW_Code->Font()->SetSize(18);
    L_SW_Code->Font()->SetColor(clGray);
    L_SW_Code->Font()->SetStyle(fsBold);

    L_SW_Desc = Make_Control<TLabel>(Form, P_Title, "L_SW_Desc");
    L_SW_Desc->SetBounds(10, 44, 300, 14);
    L_SW_Desc->Font()->SetStyle(fsBold);
}

TStepDialog::TStepDialog(TComponent* AOwner, const QString& Name, Integer ClientWidth, Integer ClientHeight)
    : TForm(AOwner), FFrameWidth(ClientWidth), FFrameHeight(ClientHeight)
{
    SetName(Name);
    SetClientSize(ClientWidth, ClientHeight);
    Set_Window_Look(this);

    Make_Title_Panel(this, P_Title, L_SW_Code, L_SW_Desc);

    Label1 = Make_Control<TLabel>(this, this, "Label1");
    Label1->SetBounds(12, 78, 300, 14);

    P_Button = Make_Control<TPanel>(this, this, "P_Button");
    P_Button->SetAlign(alBottom);
    P_Button->SetHeight(44);
    P_Button->SetBevelOuter(bvNone);
    P_Button->SetShowCaption(false);

    Btn_OK = Make_Control<TFxButton>(this, P_Button, "Btn_OK");
    Btn_OK->SetBounds(ClientWidth - 196, 7, 90, 30);
    Btn_Cancel = Make_Control<TFxButton>(this, P_Button, "Btn_Cancel");
    Btn_Cancel->SetBounds(ClientWidth - 98, 7, 90, 30);
    Btn_Cancel->SetModalResult(mrCancel);
    for (TFxButton* b : {Btn_OK, Btn_Cancel}) {
        b->SetShowHint(true);
        b->SetAnchors(akTop | akRight);
    }
}

void TStepDialog::Frame_Create()
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientSize(FFrameWidth, FFrameHeight);
}

void TStepDialog::AfterConstruction()
{
    Set_Buttons_Look(this);
    TForm::AfterConstruction();
}
