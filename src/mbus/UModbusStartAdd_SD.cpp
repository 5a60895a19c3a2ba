#include "mbus/UModbusStartAdd_SD.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "mbus/UMeter_BusTexts.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/StdControls.h"
#include "platform/Text.h"
#include "shell/TextChecks.h"

TFModbusStartAdd_SD* FModbusStartAdd_SD = nullptr;

namespace {

constexpr Integer Client_Width = 511;
constexpr Integer Client_Height = 336;
constexpr Integer Start_Col = 1;

} // namespace

TFModbusStartAdd_SD::TFModbusStartAdd_SD(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FModbusStartAdd_SD"), Client_Width, Client_Height)
{
    Label1->SetVisible(false);
    P_Options = Make_Control<TPanel>(this, this, "P_Options");
    P_Options->SetAlign(alTop);
    P_Options->SetHeight(30);
    P_Options->SetTop(P_Title->Top() + P_Title->Height());
    P_Options->SetBevelOuter(bvNone);
    P_Options->SetShowCaption(false);
    CB_En_NodeState = Make_Control<TCheckBox>(this, P_Options, "CB_En_NodeState");
    CB_En_NodeState->SetBounds(12, 6, 220, 17);
    CB_En_IndNum = Make_Control<TCheckBox>(this, P_Options, "CB_En_IndNum");
    CB_En_IndNum->SetBounds(250, 6, 250, 17);

    sga = Make_Control<TExColumnGrid>(this, this, "sga");
    sga->SetAlign(alClient);
    sga->SetColCount(2);
    sga->SetFixedCols(0);
    sga->SetRowCount(31);
    sga->SetFixedRows(1);
    sga->SetDefaultRowHeight(21);
    sga->SetOptions(sga->Options() | goEditing | goColSizing);
    for (Integer c = 0; c < 2; ++c) {
        sga->Columns()->Items(c)->SetWidth(200);
        sga->Columns()->Items(c)->SetEditor(edNormal);
    }

    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
}

TFModbusStartAdd_SD::~TFModbusStartAdd_SD()
{
    if (FModbusStartAdd_SD == this)
        FModbusStartAdd_SD = nullptr;
}

void TFModbusStartAdd_SD::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
}

void TFModbusStartAdd_SD::Set_Lang()
{
    SetCaption(mbus_editor::Lang(2400));
    L_SW_Desc->SetCaption(mbus_editor::Lang(2401));
    CB_En_NodeState->SetCaption(mbus_editor::Lang(2402));
    CB_En_IndNum->SetCaption(mbus_editor::Lang(2403));
    sga->Columns()->Items(0)->SetHeader(mbus_editor::Lang(2404));
    sga->Columns()->Items(1)->SetHeader(mbus_editor::Lang(2405));
    Btn_OK->SetCaption(mbus_editor::Lang(2406));
    Btn_Cancel->SetCaption(mbus_editor::Lang(2407));
}

bool TFModbusStartAdd_SD::Check_Data()
{
    for (Integer r = 1; r < sga->GetRowCount(); ++r) {
        const QString cell = sga->GetCellEx(Start_Col, r);
        Integer fault = -1;
        if (cell.isEmpty()) {
            fault = 2409;
        } else {
            const Integer value = Text_To_Int(cell, -1);
            if (value < 1 || value >= 60000)
                fault = 2410;
        }
        if (fault >= 0) {
            Application->MessageBox(mbus_editor::Lang(2408) + QString::number(r) + mbus_editor::Lang(fault), Application->Title(),
                                    MB_OK | MB_ICONERROR);
            return false;
        }
    }
    return true;
}

void TFModbusStartAdd_SD::Btn_OKClick(TObject*)
{
    if (Check_Data())
        SetModalResult(mrOk);
}
