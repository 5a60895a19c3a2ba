#include "mbus/UScanModbusStart.h"

#include "controls/FxButton.h"
#include "platform/Dialogs.h"
#include "platform/StdControls.h"
#include "shell/TextChecks.h"
#include "mbus/UMeter_BusTexts.h"

TFScanModbusStart* FScanModbusStart = nullptr;

namespace {

constexpr Integer Client_Width = 331;
constexpr Integer Client_Height = 162;

} // namespace

TFScanModbusStart::TFScanModbusStart(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FScanModbusStart"), Client_Width, Client_Height)
{
    Label1->SetVisible(false);
    L_StartModAdd = Make_Control<TLabel>(this, this, "L_StartModAdd");
    L_StartModAdd->SetBounds(12, 74, 300, 14);
    E_StartModAdd = Make_Control<TEdit>(this, this, "E_StartModAdd");
    E_StartModAdd->SetBounds(12, 91, 120, 21);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
}

TFScanModbusStart::~TFScanModbusStart()
{
    if (FScanModbusStart == this)
        FScanModbusStart = nullptr;
}

void TFScanModbusStart::FormCreate(TObject*)
{
    // The title shows this dialog's own heading, not the software code.
    SetClientSize(Client_Width, Client_Height);
    Set_Lang();
}

void TFScanModbusStart::Set_Lang()
{
    SetCaption(mbus_editor::Lang(2200));
    L_SW_Code->SetCaption(mbus_editor::Lang(2201));
    L_SW_Desc->SetCaption(mbus_editor::Lang(2202));
    L_StartModAdd->SetCaption(mbus_editor::Lang(2203));
    Btn_OK->SetCaption(mbus_editor::Lang(2204));
    Btn_Cancel->SetCaption(mbus_editor::Lang(2205));
}

void TFScanModbusStart::Btn_OKClick(TObject*)
{
    const Integer value = Text_To_Int(E_StartModAdd->Text(), -1);
    if (value < 1 || value > 65535) {
        Application->MessageBox(mbus_editor::Lang(2206), Application->Title(), MB_OK | MB_ICONERROR);
        return;
    }
    StartModAdd = value;
    SetModalResult(mrOk);
}
