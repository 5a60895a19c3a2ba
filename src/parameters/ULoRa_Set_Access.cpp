#include "parameters/ULoRa_Set_Access.h"

#include <span>
#include <tuple>

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/URuleTableFrame.h"

TFLoRa_Set_Access* FLoRa_Set_Access = nullptr;

namespace {

constexpr Integer Window_Width = 900;
constexpr Integer Window_Height = 337;
constexpr Integer Fixed_Rules = 256;
constexpr Integer Variable_Rules = 223;
constexpr Integer Max_Start_Byte = 1536;

// One rule column of a table (real column index = position + 1).
struct TRule_Column {
    const char* Attribute;
    // The cell of a row element that lacks the attribute.
    const char* Missing;
    Integer Width;
    Integer Header;
    Integer Hint;
    bool Check_Box;
};

} // namespace

// What tells the two tables apart: columns, file element and messages.
struct TRule_Table {
    const char* Element;
    std::span<const TRule_Column> Columns;
    Integer N_Header;
    // Real columns of the fields the checks read; On_Timer and Time -1
    // where the table has none.
    Integer On_Timer;
    Integer Time;
    Integer FPort;
    Integer Start_Fault;
    Integer Num_Fault;
    Integer Time_Fault;
    Integer FPort_Fault;
};

namespace {

constexpr Integer Enable_Col = 1;
constexpr Integer Start_Col = 2;
constexpr Integer Num_Col = 3;

constexpr TRule_Column Uplink_Columns[] = {
    {"Enable", "Y", 50, 1217, 1225, true},     {"StartByte", "", 80, 1218, 1226, false},
    {"NumByte", "", 80, 1219, 1227, false},    {"OnChange", "N", 70, 1220, 1228, true},
    {"OnCMD", "N", 55, 1221, 1229, true},      {"OnTimer", "N", 65, 1222, 1230, true},
    {"Time", "", 80, 1223, 1231, false},       {"FPort", "", 60, 1250, 1251, false},
    {"Mnemonic", "", 280, 1224, 1232, false},
};

constexpr TRule_Column Downlink_Columns[] = {
    {"Enable", "Y", 50, 1234, 1238, true}, {"StartByte", "", 80, 1235, 1239, false},
    {"NumByte", "", 80, 1236, 1240, false}, {"FPort", "", 60, 1252, 1253, false},
    {"Mnemonic", "", 550, 1237, 1241, false},
};

const TRule_Table Uplink{"LoRaWAN_Uplink", Uplink_Columns, 1216, 6, 7, 8, 1244, 1245, 1246, 1254};
const TRule_Table Downlink{"LoRaWAN_Downlink", Downlink_Columns, 1233, -1, -1, 4, 1247, 1248, -1, 1255};

QString Lang(Integer n)
{
    return Language_Texts && n < Language_Texts->Count() ? Language_Texts->Strings(n) : QString();
}

TFxButton* Make_Row_Button(TForm* Form, TWinControl* Parent, const char* Name, Integer Left)
{
    TFxButton* b = Make_Control<TFxButton>(Form, Parent, Name);
    b->SetBounds(Left, 7, 90, 30);
    b->SetShowHint(true);
    return b;
}

// The first data row whose Start Byte is blank: the table ends above it.
Integer Table_End(const TExColumnGrid* Grid)
{
    Integer r = 1;
    while (r < Grid->GetRowCount() && !Trim(Grid->GetCellEx(Start_Col, r)).isEmpty())
        ++r;
    return r;
}

// A cell's number by the program's integer reading; -1 when it is none.
Integer Cell_Int(const TExColumnGrid* Grid, Integer Col, Integer Row)
{
    return Text_To_Int(Grid->GetCellEx(Col, Row), -1);
}

bool Ticked(const TExColumnGrid* Grid, Integer Col, Integer Row)
{
    return Trim(Grid->GetCellEx(Col, Row)) == QLatin1String("Y");
}

} // namespace

TFLoRa_Set_Access::TFLoRa_Set_Access(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FLoRa_Set_Access"), Window_Width, Window_Height),
      FXML1(std::make_unique<TXMLDocument>())
{
    Label1->SetVisible(false);  // the frame's prompt line is not used here

    Btn_OK->SetModalResult(mrNone);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_DelRow = Make_Row_Button(this, P_Button, "Btn_DelRow", 8);
    Btn_InsRow = Make_Row_Button(this, P_Button, "Btn_InsRow", 106);
    Btn_CopyRow = Make_Row_Button(this, P_Button, "Btn_CopyRow", 204);
    Btn_PasteRow = Make_Row_Button(this, P_Button, "Btn_PasteRow", 302);
    Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
    Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
    Btn_CopyRow->OnClick = [this](TObject* s) { Btn_CopyRowClick(s); };
    Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };

    PC_LoRa = Make_Control<TPageControl>(this, this, "PC_LoRa");
    PC_LoRa->SetAlign(alClient);
    TS_LoRa_Uplink = new TTabSheet(this);
    TS_LoRa_Uplink->SetName(QStringLiteral("TS_LoRa_Uplink"));
    TS_LoRa_Uplink->SetPageControl(PC_LoRa);
    TS_LoRa_Downlink = new TTabSheet(this);
    TS_LoRa_Downlink->SetName(QStringLiteral("TS_LoRa_Downlink"));
    TS_LoRa_Downlink->SetPageControl(PC_LoRa);
    ACG_LoRa_Uplink = Make_Grid(TS_LoRa_Uplink, Uplink, "ACG_LoRa_Uplink");
    ACG_LoRa_Downlink = Make_Grid(TS_LoRa_Downlink, Downlink, "ACG_LoRa_Downlink");

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFLoRa_Set_Access::~TFLoRa_Set_Access()
{
    if (FLoRa_Set_Access == this)
        FLoRa_Set_Access = nullptr;
}

TExColumnGrid* TFLoRa_Set_Access::Make_Grid(TTabSheet* Sheet, const TRule_Table& Table, const char* Name)
{
    TExColumnGrid* g = Make_Control<TExColumnGrid>(this, Sheet, Name);
    g->SetAlign(alClient);
    g->SetColCount(Integer(Table.Columns.size()) + 1);
    g->SetRowCount(Fixed_Rules + 1);
    g->SetOptions(g->Options() | goEditing | goColSizing);
    g->SetShowHint(true);
    TGridColumnCollection* cols = g->Columns();
    cols->Items(0)->SetWidth(40);
    for (size_t i = 0; i < Table.Columns.size(); ++i) {
        TGridColumnItem* item = cols->Items(Integer(i) + 1);
        item->SetWidth(Table.Columns[i].Width);
        item->SetEditor(Table.Columns[i].Check_Box ? edDataCheckBox : edNormal);
        if (Table.Columns[i].Check_Box) {
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
            item->SetAlignment(taCenter);
        }
    }
    g->OnClickCell = [this](TObject* s, Integer r, Integer c) { ClickCell(s, r, c); };
    g->OnDblClickCell = [this](TObject* s, Integer r, Integer c) { DblClickCell(s, r, c); };
    g->OnGridHint = [this](TObject* s, Integer r, Integer c, QString& h) { GridHint(s, r, c, h); };
    g->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
    return g;
}

// ------------------------------------------------------------ creation, showing

void TFLoRa_Set_Access::FormCreate(TObject*)
{
    Frame_Create();
    Hint_UpLink = std::make_unique<TStringList>();
    Hint_DownLink = std::make_unique<TStringList>();
    TS_LoRa_Downlink->SetTabVisible(true);
    Set_Lang();
}

void TFLoRa_Set_Access::FormShow(TObject*)
{
    PC_LoRa->SetActivePage(TS_LoRa_Uplink);
    FPortFixed = true;
    MaxPayloadSize = 0;
    Read_ParGen();

    const Integer rows = (FPortFixed ? Fixed_Rules : Variable_Rules) + 1;
    for (TExColumnGrid* g : {ACG_LoRa_Uplink, ACG_LoRa_Downlink}) {
        const Integer fport = g == ACG_LoRa_Uplink ? Uplink.FPort : Downlink.FPort;
        if (FPortFixed)
            g->HideColumn(fport);
        else
            g->UnHideColumn(fport);
        g->SetRowCount(rows);
    }
    if (MaxPayloadSize == 0)
        Application->MessageBox(Lang(1242), Application->Title(), MB_OK | MB_ICONWARNING);

    Blank_Rows(ACG_LoRa_Uplink);
    Blank_Rows(ACG_LoRa_Downlink);
    Read_Rules();
    Do_Copy_Uplink = false;
    Do_Copy_Downlink = false;
}

void TFLoRa_Set_Access::Read_ParGen()
{
    if (!FileExists(ParGen_File))
        return;
    if (!FXML1->LoadFromFile(ParGen_File)) {
        // The parser's reason first: the payload warning that follows is
        // only its consequence.
        Error_Box(FXML1->ErrorMessage());
        return;
    }
    const TXMLNode root = FXML1->Root();
    MaxPayloadSize = Text_To_Int(root.FindChild(QStringLiteral("LoRa_Payload_Size")).Text(), 0);
    if (UpperCase(Trim(root.FindChild(QStringLiteral("LoRa_FPort")).Text())) == QLatin1String("VARIABLE"))
        FPortFixed = false;
}

void TFLoRa_Set_Access::Blank_Rows(TExColumnGrid* Grid)
{
    const Integer columns = Grid->GetColCount() + Grid->NumHiddenColumns();
    for (Integer r = 1; r < Grid->GetRowCount(); ++r) {
        Grid->SetCellEx(0, r, QString::number(r - 1));
        Grid->SetCellEx(Enable_Col, r, QStringLiteral("Y"));
        for (Integer c = Enable_Col + 1; c < columns; ++c)
            Grid->SetCellEx(c, r, QString());
    }
}

void TFLoRa_Set_Access::Read_Rules()
{
    FLoad.Begin(LoRaWAN_SetAccess_File);
    if (!FileExists(LoRaWAN_SetAccess_File))
        return;
    if (!FXML1->LoadFromFile(LoRaWAN_SetAccess_File)) {
        // The tables stay blank; the user learns why, and OK asks before it
        // replaces the file.
        FLoad.Set_Failed();
        Error_Box(FXML1->ErrorMessage());
        return;
    }
    Fill_Table(ACG_LoRa_Uplink, Uplink, QLatin1String(Uplink.Element));
    Fill_Table(ACG_LoRa_Downlink, Downlink, QLatin1String(Downlink.Element));
    FLoad.Report_Left_Out();
}

void TFLoRa_Set_Access::Fill_Table(TExColumnGrid* Grid, const TRule_Table& Table, const QString& Element)
{
    // Row elements fill the rows from 1 in order; rows beyond the table's
    // size (a file saved with more rules than this FPort mode allows) are
    // left out, and the user is told. Comments between rows are no rules.
    Integer r = 1;
    TXMLNode n = FXML1->Root().FindChild(Element).FirstChild();
    for (; n && r < Grid->GetRowCount(); n = n.NextSibling()) {
        if (n.NodeType() != ntElement)
            continue;
        for (size_t i = 0; i < Table.Columns.size(); ++i) {
            const TRule_Column& col = Table.Columns[i];
            const QString name = QLatin1String(col.Attribute);
            Grid->SetCellEx(Integer(i) + 1, r, n.HasAttribute(name) ? n.Attribute(name) : QString::fromLatin1(col.Missing));
        }
        ++r;
    }
    const TTabSheet* sheet = Grid == ACG_LoRa_Uplink ? TS_LoRa_Uplink : TS_LoRa_Downlink;
    FLoad.Left_Out(sheet->Caption(), Count_Elements_From(n), Grid->GetRowCount() - 1);
}

// ------------------------------------------------------------ checks, OK

bool TFLoRa_Set_Access::Controllo_dati()
{
    return Check_Table(ACG_LoRa_Uplink, Uplink) && Check_Table(ACG_LoRa_Downlink, Downlink);
}

bool TFLoRa_Set_Access::Check_Table(TExColumnGrid* Grid, const TRule_Table& Table)
{
    const Integer end = Table_End(Grid);
    const Integer max_num = MaxPayloadSize - 2;
    for (Integer r = 1; r < end; ++r) {
        if (!Ticked(Grid, Enable_Col, r))
            continue;
        const QString row = Lang(1243) + QString::number(r);
        Integer fault = -1;
        QString bound;
        const Integer start = Cell_Int(Grid, Start_Col, r);
        const Integer num = Cell_Int(Grid, Num_Col, r);
        if (start < 0 || start > Max_Start_Byte) {
            fault = Table.Start_Fault;
        } else if (num < 0 || num > max_num) {
            fault = Table.Num_Fault;
            bound = QString::number(max_num);
        } else if (Table.On_Timer >= 0 && Ticked(Grid, Table.On_Timer, r)) {
            const Integer time = Cell_Int(Grid, Table.Time, r);
            if (time < 30 || time > 86400)
                fault = Table.Time_Fault;
        }
        if (fault < 0 && !FPortFixed) {
            const Integer port = Cell_Int(Grid, Table.FPort, r);
            if (port < 1 || port > 223)
                fault = Table.FPort_Fault;
        }
        if (fault >= 0) {
            Error_Box(row + Lang(fault) + bound);
            return false;
        }
    }
    return true;
}

bool TFLoRa_Set_Access::Check_Blank_Rows()
{
    for (auto [grid, table, sheet] : {std::tuple{ACG_LoRa_Uplink, &Uplink, TS_LoRa_Uplink},
                                      std::tuple{ACG_LoRa_Downlink, &Downlink, TS_LoRa_Downlink}}) {
        // A copy of the binding: clang 14, which builds the fuzz targets,
        // cannot capture a structured binding.
        const auto* rules = table;
        const auto kept = [rules](Integer c) {
            return c <= Integer(rules->Columns.size()) && !rules->Columns[size_t(c - 1)].Check_Box;
        };
        if (const Integer row = Rows_Lost_Below(grid, Table_End(grid), kept)) {
            PC_LoRa->SetActivePage(sheet);
            Error_Box(Lang(1243) + QString::number(row) + Lang(1108));
            return false;
        }
    }
    return true;
}

void TFLoRa_Set_Access::Btn_OKClick(TObject*)
{
    if (!Controllo_dati() || !Check_Blank_Rows() || !FLoad.Confirm_Replace())
        return;
    FXML1->Clear();
    FXML1->SetActive(true);
    FXML1->AddChild(QStringLiteral("LoRaWAN_Set_Access"));
    FXML1->AddComment(QStringLiteral("SW_VERSION = ") + Const_SW_Version);
    Write_Table(ACG_LoRa_Uplink, Uplink);
    Write_Table(ACG_LoRa_Downlink, Downlink);
    if (!FXML1->SaveToFile(LoRaWAN_SetAccess_File)) {
        // The window stays open with the user's rules; the old file is kept.
        Error_Box(FXML1->ErrorMessage());
        return;
    }
    SetModalResult(mrOk);
}

void TFLoRa_Set_Access::Write_Table(TExColumnGrid* Grid, const TRule_Table& Table)
{
    TXMLNode table = FXML1->Root().AddChild(QLatin1String(Table.Element));
    const Integer end = Table_End(Grid);
    for (Integer r = 1; r < end; ++r) {
        TXMLNode row = table.AddChild(QStringLiteral("row"));
        for (size_t i = 0; i < Table.Columns.size(); ++i)
            row.SetAttribute(QLatin1String(Table.Columns[i].Attribute), Grid->GetCellEx(Integer(i) + 1, r));
    }
}

void TFLoRa_Set_Access::Error_Box(const QString& Text)
{
    Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONERROR);
}

// ------------------------------------------------------------ row buttons

TExColumnGrid* TFLoRa_Set_Access::Active_Grid() const
{
    return PC_LoRa->ActivePage() == TS_LoRa_Downlink ? ACG_LoRa_Downlink : ACG_LoRa_Uplink;
}

void TFLoRa_Set_Access::Btn_DelRowClick(TObject*)
{
    TExColumnGrid* g = Active_Grid();
    const Integer r = g->GetRowEx();
    if (Application->MessageBox(Lang(1249) + QString::number(r), Application->Title(), MB_YESNO | MB_ICONQUESTION) ==
        IDYES)
        Grid_Delete_Row(r, g);
}

void TFLoRa_Set_Access::Btn_InsRowClick(TObject*)
{
    TExColumnGrid* g = Active_Grid();
    Grid_Insert_Row(g->GetRowEx(), g, true);
}

void TFLoRa_Set_Access::Btn_CopyRowClick(TObject*)
{
    TExColumnGrid* g = Active_Grid();
    Grid_Copy_Row(g, g->GetRowEx());
    Do_Copy_Uplink = g == ACG_LoRa_Uplink;
    Do_Copy_Downlink = g == ACG_LoRa_Downlink;
}

void TFLoRa_Set_Access::Btn_PasteRowClick(TObject*)
{
    TExColumnGrid* g = Active_Grid();
    Grid_Paste_Row(g, g->GetRowEx(), g == ACG_LoRa_Uplink ? Do_Copy_Uplink : Do_Copy_Downlink);
}

// ------------------------------------------------------------ grid handlers

void TFLoRa_Set_Access::ClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    if (ACol == 0 && ARow >= 1)
        static_cast<TExColumnGrid*>(Sender)->SelectRows(ARow, 1);
}

void TFLoRa_Set_Access::DblClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    Grid_Auto_Size_Column(static_cast<TExColumnGrid*>(Sender), ARow, ACol);
}

void TFLoRa_Set_Access::KeyPress(TObject* Sender, QChar& Key)
{
    Grid_Enter_Next_Cell(static_cast<TExColumnGrid*>(Sender), Key);
}

void TFLoRa_Set_Access::GridHint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr)
{
    HintStr.clear();
    if (ARow != 0 || ACol < 1)
        return;
    auto* g = static_cast<TExColumnGrid*>(Sender);
    const TStringList* hints = g == ACG_LoRa_Downlink ? Hint_DownLink.get() : Hint_UpLink.get();
    const Integer entry = g->RealColIndex(ACol) - 1;
    if (hints && entry < hints->Count())
        HintStr = hints->Strings(entry);
}

// ------------------------------------------------------------ texts

void TFLoRa_Set_Access::Set_Lang()
{
    SetCaption(Lang(1200));
    L_SW_Desc->SetCaption(Lang(1201));
    const struct {
        TFxButton* Button;
        Integer Caption;
    } buttons[] = {{Btn_OK, 1202},     {Btn_Cancel, 1203},  {Btn_DelRow, 1204},
                   {Btn_InsRow, 1205}, {Btn_CopyRow, 1206}, {Btn_PasteRow, 1207}};
    for (const auto& b : buttons) {
        b.Button->SetCaption(Lang(b.Caption));
        b.Button->SetHint(Lang(b.Caption + 6));
    }
    TS_LoRa_Uplink->SetCaption(Lang(1214));
    TS_LoRa_Downlink->SetCaption(Lang(1215));

    const struct {
        TExColumnGrid* Grid;
        const TRule_Table& Table;
        TStringList* Hints;
    } tables[] = {{ACG_LoRa_Uplink, Uplink, Hint_UpLink.get()}, {ACG_LoRa_Downlink, Downlink, Hint_DownLink.get()}};
    for (const auto& t : tables) {
        TGridColumnCollection* cols = t.Grid->Columns();
        cols->Items(0)->SetHeader(Lang(t.Table.N_Header));
        if (t.Hints)
            t.Hints->Clear();
        for (size_t i = 0; i < t.Table.Columns.size(); ++i) {
            cols->Items(Integer(i) + 1)->SetHeader(Lang(t.Table.Columns[i].Header));
            if (t.Hints)
                t.Hints->Add(Lang(t.Table.Columns[i].Hint));
        }
    }
}
