#include "bacnet/UBACnetAccess.h"

#include "bacnet/UBACnetAccessColumns.h"
#include "bacnet/UImportEDEFile.h"

#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/URuleTableFrame.h"
#include "bacnet/BACnetLang.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/XmlDocument.h"

TFBACnetAccess* FBACnetAccess = nullptr;

namespace {

constexpr Integer Client_Height = 337;
constexpr Integer Wide_Client_Width = 1305;
constexpr Integer Narrow_Client_Width = 1000;

const QString Version_Comment = QStringLiteral("SW_VERSION = 1.006");

} // namespace

TFBACnetAccess::TFBACnetAccess(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FBACnetAccess"), Wide_Client_Width, Client_Height),
      FXML1(std::make_unique<TXMLDocument>())
{
    // The window shows the tables where the frame's label would stand.
    Label1->SetVisible(false);

    auto button = [this](const char* name, Integer left) {
        auto* b = Make_Control<TFxButton>(this, P_Button, name);
        b->SetBounds(left, 7, 110, 30);
        b->SetShowHint(true);
        return b;
    };
    Btn_DelRow = button("Btn_DelRow", 8);
    Btn_InsRow = button("Btn_InsRow", 126);
    Btn_Import_CSV = button("Btn_Import_CSV", 244);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
    Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
    Btn_Import_CSV->OnClick = [this](TObject* s) { Btn_Import_CSVClick(s); };

    PageControl1 = Make_Control<TPageControl>(this, this, "PageControl1");
    PageControl1->SetAlign(alClient);
    TS_BACnet_Read = Make_Control<TTabSheet>(this, PageControl1, "TS_BACnet_Read");
    TS_BACnet_Write = Make_Control<TTabSheet>(this, PageControl1, "TS_BACnet_Write");
    ACG1 = Make_Control<TExColumnGrid>(this, TS_BACnet_Read, "ACG1");
    Make_Grid(ACG1, btRead);
    ACG2 = Make_Control<TExColumnGrid>(this, TS_BACnet_Write, "ACG2");
    Make_Grid(ACG2, btWrite);
    // Only the read table explains its NByte cells.
    ACG1->SetShowHint(true);
    ACG2->SetShowHint(false);

    OD_EDE_File = new TOpenDialog(this);
    OD_EDE_File->SetFilter(QStringLiteral("BACnet EDE File (*.csv)|*.csv"));

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFBACnetAccess::~TFBACnetAccess()
{
    if (FBACnetAccess == this)
        FBACnetAccess = nullptr;
}

void TFBACnetAccess::Make_Grid(TExColumnGrid* Grid, TBACnet_Table Table)
{
    const TBACnet_Columns columns = BACnet_Access_Columns(Table);
    Setup_BACnet_Grid(Grid, columns.Column, columns.Count, BACnet_Access_Rows + 1);
    Grid->OnGridHint = [this](TObject* s, Integer r, Integer c, QString& h) { ACG1GridHint(s, r, c, h); };
}

// ------------------------------------------------------------ creation and showing

void TFBACnetAccess::FormCreate(TObject*)
{
    Frame_Create();
    SetClientWidth(Screen && Screen->Width() > 1270 ? Wide_Client_Width : Narrow_Client_Width);
    Set_Lang();
    // The conversion lists are never used: their columns stay hidden.
    ACG1->HideColumn(Read_Col_Convertion);
    ACG2->HideColumn(Write_Col_Convertion);
    OD_EDE_File->SetInitialDir(Last_EDE_Folder);
}

void TFBACnetAccess::Read_BACnet_Type()
{
    App_BACnet_Type = 0;
    if (!FileExists(ParGen_File)) {
        Application->MessageBox(BACnet_Lang(1357), Application->Title(), MB_OK | MB_ICONERROR);
        return;
    }
    TXMLDocument doc;
    if (!doc.LoadFromFile(ParGen_File)) {
        // A broken file: its reason, then the tables work as for BACnet/IP.
        Application->MessageBox(doc.ErrorMessage(), Application->Title(), MB_OK | MB_ICONERROR);
        return;
    }
    const TXMLNode type = doc.Root().FindChild(QStringLiteral("BACnet_Master_Type"));
    if (type.IsNull()) {
        Application->MessageBox(BACnet_Lang(1357), Application->Title(), MB_OK | MB_ICONERROR);
        return;
    }
    App_BACnet_Type = Text_To_Int(type.Text(), 0);
}

void TFBACnetAccess::FormShow(TObject*)
{
    Blank_BACnet_Rows(ACG1, BACnet_Access_Rows, QStringLiteral("Y"));
    Blank_BACnet_Rows(ACG2, BACnet_Access_Rows, QStringLiteral("Y"));
    PageControl1->SetActivePage(TS_BACnet_Read);
    Read_BACnet_Type();

    for (TExColumnGrid* g : {ACG1, ACG2}) {
        if (App_BACnet_Type == 0 || App_BACnet_Type == 1) {
            const bool ip = App_BACnet_Type == 0;
            const Integer header = g == ACG1 ? (ip ? 1309 : 1310) : (ip ? 1321 : 1322);
            g->Columns()->Items(2)->SetHeader(BACnet_Lang(header));
            g->UnHideColumn(2);
        } else {
            g->HideColumn(2);
        }
    }

    for (auto [g, col] : {std::pair<TExColumnGrid*, Integer>{ACG1, Read_Col_Position}, std::pair<TExColumnGrid*, Integer>{ACG2, Write_Col_Position}}) {
        TStringList* items = g->Columns()->Items(col)->ComboItems();
        items->Clear();
        for (Integer i = 0; i < 1440; ++i)
            items->Add(QString::number(i));
    }

    FLoad.Begin(BACnet_Master_Access_File);
    if (!FileExists(BACnet_Master_Access_File))
        return;
    if (!FXML1->LoadFromFile(BACnet_Master_Access_File)) {
        // A broken file: its reason; the tables stay blank, and OK asks
        // before it replaces the file.
        FLoad.Set_Failed();
        Application->MessageBox(FXML1->ErrorMessage(), Application->Title(), MB_OK | MB_ICONERROR);
        return;
    }
    Load_Table(ACG1, btRead);
    Load_Table(ACG2, btWrite);
    FLoad.Report_Left_Out();
}

void TFBACnetAccess::Load_Table(TExColumnGrid* Grid, TBACnet_Table Table)
{
    const TBACnet_Columns columns = BACnet_Access_Columns(Table);
    const TXMLNode table = FXML1->Root().FindChild(QString::fromLatin1(columns.Element));
    Integer r = 1;
    // Rows past the table's last one cannot be shown and are not read; the
    // user is told.
    TXMLNode row = table.FirstChild();
    for (; !row.IsNull() && r <= BACnet_Access_Rows; row = row.NextSibling()) {
        if (row.NodeType() != ntElement)
            continue;
        for (Integer c = 1; c < columns.Count; ++c) {
            const TBACnet_Column& col = columns.Column[c];
            if (col.Attribute == nullptr)
                continue;
            const QString name = QString::fromLatin1(col.Attribute);
            Grid->SetCellEx(c, r, row.HasAttribute(name) ? row.Attribute(name) : QString::fromLatin1(col.Missing));
        }
        ++r;
    }
    const TTabSheet* sheet = Table == btRead ? TS_BACnet_Read : TS_BACnet_Write;
    FLoad.Left_Out(sheet->Caption(), Count_Elements_From(row), BACnet_Access_Rows);
}

// ------------------------------------------------------------ OK

Integer TFBACnetAccess::Key_Col() const
{
    return App_BACnet_Type == 0 || App_BACnet_Type == 1 ? 2 : 3;
}

void TFBACnetAccess::Save_Table(TExColumnGrid* Grid, TBACnet_Table Table)
{
    const TBACnet_Columns columns = BACnet_Access_Columns(Table);
    TXMLNode table = FXML1->Root().AddChild(QString::fromLatin1(columns.Element));
    const Integer key = Key_Col();
    for (Integer r = 1; r <= BACnet_Access_Rows; ++r) {
        if (Grid->GetCellEx(key, r).trimmed().isEmpty())
            break;
        TXMLNode row = table.AddChild(QStringLiteral("row"));
        for (Integer c = 1; c < columns.Count; ++c)
            if (columns.Column[c].Attribute != nullptr)
                row.SetAttribute(QString::fromLatin1(columns.Column[c].Attribute), Grid->GetCellEx(c, r));
    }
}

bool TFBACnetAccess::Check_Blank_Rows()
{
    const Integer key = Key_Col();
    for (auto [grid, table] : {std::pair{ACG1, btRead}, std::pair{ACG2, btWrite}}) {
        const TBACnet_Columns columns = BACnet_Access_Columns(table);
        const auto kept = [&columns](Integer c) {
            return c < columns.Count && columns.Column[c].Attribute && columns.Column[c].Editor != edDataCheckBox;
        };
        Integer end = 1;
        while (end <= BACnet_Access_Rows && !grid->GetCellEx(key, end).trimmed().isEmpty())
            ++end;
        if (const Integer row = Rows_Lost_Below(grid, end, kept)) {
            PageControl1->SetActivePage(table == btRead ? TS_BACnet_Read : TS_BACnet_Write);
            Row_Error(table, row, BACnet_Lang(1108));
            return false;
        }
    }
    return true;
}

void TFBACnetAccess::Btn_OKClick(TObject*)
{
    if (!Controllo_dati() || !Check_Blank_Rows() || !FLoad.Confirm_Replace())
        return;
    FXML1->Clear();
    FXML1->SetActive(true);
    FXML1->AddChild(QStringLiteral("BACnet_Master_Access"));
    FXML1->AddComment(Version_Comment);
    Save_Table(ACG1, btRead);
    Save_Table(ACG2, btWrite);
    if (!FXML1->SaveToFile(BACnet_Master_Access_File)) {
        // The window stays open with the edits; the old file is kept.
        Application->MessageBox(FXML1->ErrorMessage(), Application->Title(), MB_OK | MB_ICONERROR);
        return;
    }
    SetModalResult(mrOk);
}

// ------------------------------------------------------------ rows

TExColumnGrid* TFBACnetAccess::Active_Grid() const
{
    return PageControl1->ActivePage() == TS_BACnet_Write ? ACG2 : ACG1;
}

void TFBACnetAccess::Btn_DelRowClick(TObject*)
{
    Delete_Current_Row(Active_Grid(), 1336);
}

void TFBACnetAccess::Btn_InsRowClick(TObject*)
{
    TExColumnGrid* grid = Active_Grid();
    Grid_Insert_Row(grid->GetRowEx(), grid, true);
}

// ------------------------------------------------------------ hints

void TFBACnetAccess::ACG1GridHint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr)
{
    if (Sender == ACG1)
        HintStr = Str_Hint_Read(ARow, ACG1->RealColIndex(ACol));
    else if (Sender == ACG2)
        HintStr = Str_Hint_Write(ARow, ACG2->RealColIndex(ACol));
    else
        HintStr.clear();
}

QString TFBACnetAccess::Str_Hint_Write(Integer, Integer)
{
    return QString();
}

// ------------------------------------------------------------ texts

void TFBACnetAccess::Set_Lang()
{
    SetCaption(BACnet_Lang(1300));
    L_SW_Desc->SetCaption(BACnet_Lang(1301));
    Btn_OK->SetCaption(BACnet_Lang(1302));
    Btn_Cancel->SetCaption(BACnet_Lang(1303));
    Btn_DelRow->SetCaption(BACnet_Lang(1304));
    Btn_InsRow->SetCaption(BACnet_Lang(1305));
    Btn_Import_CSV->SetCaption(BACnet_Lang(1359));
    TS_BACnet_Read->SetCaption(BACnet_Lang(1306));
    TS_BACnet_Write->SetCaption(BACnet_Lang(1307));
    for (auto [grid, table] : {std::pair{ACG1, btRead}, std::pair{ACG2, btWrite}}) {
        const TBACnet_Columns columns = BACnet_Access_Columns(table);
        grid->Columns()->BeginUpdate();  // the header list brought up to date once
        for (Integer c = 0; c < columns.Count; ++c)
            grid->Columns()->Items(c)->SetHeader(BACnet_Lang(columns.Column[c].Header));
        grid->Columns()->EndUpdate();
    }
}
