#include "fieldbus/UEtherNetIP_EDS.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/Timer.h"
#include "shell/ULanguage.h"

TFEtherNEtIP_EDS* FEtherNEtIP_EDS = nullptr;

namespace {

constexpr Integer Column_Widths[9] = {90, 200, 195, 100, 115, 100, 115, 115, 115};

} // namespace

TFEtherNEtIP_EDS::TFEtherNEtIP_EDS(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FEtherNEtIP_EDS"), 1150, 337)
{
    Label1->SetVisible(false);
    Btn_OK->SetModalResult(mrOk);

    ACG = Make_Control<TExColumnGrid>(this, this, "ACG");
    ACG->SetAlign(alClient);
    ACG->SetColCount(9);
    ACG->SetRowCount(2);
    ACG->SetFixedCols(0);
    // The user picks a whole connection; nothing is typed here.
    ACG->SetOptions((ACG->Options() | goRowSelect) & ~goEditing);
    for (Integer c = 0; c < 9; ++c) {
        ACG->Columns()->Items(c)->SetWidth(Column_Widths[c]);
        ACG->Columns()->Items(c)->SetReadOnly(true);
    }

    TClose = new TTimer(this);
    TClose->SetName(QStringLiteral("TClose"));
    TClose->SetEnabled(false);
    TClose->SetInterval(10);
    TClose->OnTimer = [this](TObject* s) { TCloseTimer(s); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFEtherNEtIP_EDS::~TFEtherNEtIP_EDS()
{
    if (FEtherNEtIP_EDS == this)
        FEtherNEtIP_EDS = nullptr;
}

void TFEtherNEtIP_EDS::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
}

void TFEtherNEtIP_EDS::Set_Lang()
{
    SetCaption(Lang_Text(4200));
    L_SW_Desc->SetCaption(Lang_Text(4201));
    Btn_OK->SetCaption(Lang_Text(4202));
    Btn_Cancel->SetCaption(Lang_Text(4203));
    Btn_OK->SetHint(Lang_Text(4204));
    Btn_Cancel->SetHint(Lang_Text(4205));
    for (Integer c = 0; c < 9; ++c)
        ACG->Columns()->Items(c)->SetHeader(Lang_Text(4206 + c));
}

void TFEtherNEtIP_EDS::FormShow(TObject*)
{
    TEDS_Contents contents;
    QStringList lines;
    // A missing, unreadable or oversized file has no connection.
    if (Load_EDS_Lines(EDS_FileName, lines))
        Read_EDS(lines, contents);
    List_Conn = std::move(contents.List_Conn);
    VendCode = contents.VendCode;
    ProdType = contents.ProdType;
    ProdCode = contents.ProdCode;
    MajRev = contents.MajRev;
    MinRev = contents.MinRev;
    ShowDatainGrid();
}

void TFEtherNEtIP_EDS::ShowDatainGrid()
{
    ACG->SetRowCount(2);
    for (Integer c = 0; c < ACG->GetColCount() + ACG->NumHiddenColumns(); ++c)
        ACG->SetCellEx(c, 1, QString());
    if (List_Conn.empty()) {
        TClose->SetEnabled(true);
        return;
    }
    ACG->SetRowCount(Integer(List_Conn.size()) + 1);
    for (Integer k = 1; k <= Integer(List_Conn.size()); ++k) {
        const TConnData& conn = List_Conn[size_t(k - 1)];
        const QString cells[9] = {
            QStringLiteral("Connection") + QString::number(k),
            conn.ConnName,
            conn.HelpStr,
            QString::number(conn.InstanceOT),
            QString::number(conn.ConnPointOT),
            QString::number(conn.InstanceTO),
            QString::number(conn.ConnPointTO),
            conn.DimHeaderOT == 4 ? QStringLiteral("Default") : QString::number(conn.DimHeaderOT),
            conn.DimHeaderTO == 0 ? QStringLiteral("Default") : QString::number(conn.DimHeaderTO),
        };
        for (Integer c = 0; c < 9; ++c)
            ACG->SetCellEx(c, k, cells[c]);
    }
    ACG->SetRowEx(1);
}

void TFEtherNEtIP_EDS::TCloseTimer(TObject*)
{
    TClose->SetEnabled(false);
    Application->MessageBox(Lang_Text(4215), Application->Title(), MB_OK | MB_ICONERROR);
    SetModalResult(mrCancel);
}
