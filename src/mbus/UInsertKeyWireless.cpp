#include "mbus/UInsertKeyWireless.h"

#include "controls/FxButton.h"
#include "mbus/UMeter_BusTexts.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"
#include "shell/ButtonLook.h"
#include "shell/DialogFrame.h"

TFInsertKeyWireless* FInsertKeyWireless = nullptr;

namespace {

constexpr Integer Client_Width = 481;
constexpr Integer Client_Height = 47;
constexpr Integer Key_Length = 32;

} // namespace

TFInsertKeyWireless::TFInsertKeyWireless(TComponent* AOwner) : TForm(AOwner)
{
    SetName(QStringLiteral("FInsertKeyWireless"));
    SetBorderStyle(bsNone);
    SetPosition(poDesigned);
    SetColor(RGB(248, 247, 237));
    Font()->SetName(QStringLiteral("Verdana"));
    Font()->SetSize(8);
    SetClientSize(Client_Width, Client_Height);

    Shape1 = Make_Control<TShape>(this, this, "Shape1");
    Shape1->SetAlign(alClient);
    Shape1->Pen()->SetColor(clGray);
    Shape1->Brush()->SetColor(RGB(248, 247, 237));
    L_InsKey = Make_Control<TLabel>(this, this, "L_InsKey");
    L_InsKey->SetBounds(10, 16, 110, 14);
    E_Key = Make_Control<TEdit>(this, this, "E_Key");
    E_Key->SetBounds(124, 12, 200, 21);
    E_Key->SetCharCase(ecUpperCase);
    E_Key->SetMaxLength(Key_Length);
    Btn_OK = Make_Control<TFxButton>(this, this, "Btn_OK");
    Btn_OK->SetBounds(332, 9, 70, 28);
    Btn_Cancel = Make_Control<TFxButton>(this, this, "Btn_Cancel");
    Btn_Cancel->SetBounds(406, 9, 70, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Set_Buttons_Look(this);
    OnCreate = [this](TObject* s) { FormCreate(s); };
}

TFInsertKeyWireless::~TFInsertKeyWireless()
{
    if (FInsertKeyWireless == this)
        FInsertKeyWireless = nullptr;
}

void TFInsertKeyWireless::FormCreate(TObject*)
{
    SetClientSize(Client_Width, Client_Height);
    Set_Lang();
}

void TFInsertKeyWireless::Set_Lang()
{
    L_InsKey->SetCaption(mbus_editor::Lang(2300));
    Btn_OK->SetCaption(mbus_editor::Lang(2301));
    Btn_Cancel->SetCaption(mbus_editor::Lang(2302));
}

bool TFInsertKeyWireless::Check_Data(const QString& Key)
{
    for (QChar c : Key)
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
            return false;
    return true;
}

void TFInsertKeyWireless::Btn_OKClick(TObject*)
{
    const QString key = E_Key->Text();
    Integer fault = 0;
    if (key.size() != Key_Length)
        fault = 2304;
    else if (!Check_Data(key))
        fault = 2303;
    if (fault != 0) {
        Application->MessageBox(mbus_editor::Lang(fault), Application->Title(), MB_OK | MB_ICONERROR);
        return;
    }
    SetModalResult(mrOk);
}
