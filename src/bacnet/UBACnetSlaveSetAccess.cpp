#include "bacnet/UBACnetSlaveSetAccess.h"

#include "bacnet/BACnetLang.h"
#include "bacnet/UBACnetAccessColumns.h"
#include "bacnet/UBACnet_Eng_Unit.h"

#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/URuleTableFrame.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/XmlDocument.h"

#include <iterator>

TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;

namespace {

enum : Integer { colData_Type = 1, colEng_Unit = 2, colPosition = 3, colBit = 4, colLength = 5, colSwap = 6 };

const char* const Read_Types[] = {
    "Analog Input",      "Analog Value",      "Binary Input",      "Binary Value",     "Positive Integer Value",
    "Large Analog Value", "Integer Value",    "Multi State Input", "Multi State Value", "Life Safety Point",
    "Life Safety Zone",  "Access Door",       "Accumulator",
};

const char* const Write_Types[] = {
    "Analog Out",    "Analog Value",       "Binary Out",       "Binary Value",      "Positive Integer Value",
    "Large Analog Value", "Integer Value", "Multi State Output", "Multi State Value", "Access Door",
};

const char* const Bits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};

#define ITEMS(list) list, Integer(std::size(list))

// The Position lists are filled when the window opens.
const TBACnet_Column Read_Columns[] = {
    {1516, edNormal, 40, nullptr, ""},
    {1517, edComboList, 150, "Data_Type", "", ITEMS(Read_Types)},
    {1518, edNormal, 100, "Eng_Unit", ""},
    {1519, edComboList, 64, "Position", ""},
    {1520, edComboList, 64, "Bit", "", ITEMS(Bits)},
    {1521, edNormal, 64, "Length", ""},
    {1522, edDataCheckBox, 40, "Swap", "N"},
    {1523, edNormal, 250, "Mnemonic", ""},
};

const TBACnet_Column Write_Columns[] = {
    {1524, edNormal, 40, nullptr, ""},
    {1525, edComboList, 150, "Data_Type", "", ITEMS(Write_Types)},
    {1526, edNormal, 100, "Eng_Unit", ""},
    {1527, edComboList, 64, "Position", ""},
    {1528, edComboList, 64, "Bit", "", ITEMS(Bits)},
    {1529, edNormal, 64, "Length", ""},
    {1530, edDataCheckBox, 40, "Swap", "N"},
    {1531, edNormal, 250, "Mnemonic", ""},
};

#undef ITEMS

constexpr Integer Column_Count = Integer(std::size(Read_Columns));

// Length ranges by Data Type, with the fault text of each table (0: the
// table has no such type, and its Length is not checked).
struct TLength_Rule {
    const char* Type;
    Integer Min, Max;
    Integer Read_Text, Write_Text;
};

const TLength_Rule Length_Rules[] = {
    {"Analog Input", 1, 4, 1535, 0},
    {"Analog Out", 1, 4, 0, 1549},
    {"Analog Value", 1, 4, 1538, 1550},
    {"Positive Integer Value", 1, 4, 1536, 1551},
    {"Large Analog Value", 1, 8, 1537, 1552},
    {"Integer Value", 1, 4, 0, 1553},
    {"Multi State Input", 1, 4, 1539, 0},
    {"Multi State Output", 1, 4, 0, 1554},
    {"Multi State Value", 1, 4, 1540, 1555},
    {"Life Safety Point", 1, 2, 1541, 0},
    {"Life Safety Zone", 1, 2, 1542, 0},
    {"Access Door", 1, 1, 1543, 1556},
    {"Accumulator", 1, 4, 1544, 0},
};

// The Length a write-table Data Type presets (upper case); "" for none.
QString Preset_Length(const QString& Type)
{
    const QString t = Type.toUpper();
    for (const char* four : {"ANALOG OUT", "ANALOG VALUE", "POSITIVE INTEGER VALUE", "INTEGER VALUE",
                             "MULTI STATE OUTPUT", "MULTI STATE VALUE"})
        if (t == QLatin1String(four))
            return QStringLiteral("4");
    if (t == QLatin1String("BINARY OUT") || t == QLatin1String("BINARY VALUE") || t == QLatin1String("ACCESS DOOR"))
        return QStringLiteral("1");
    if (t == QLatin1String("LARGE ANALOG VALUE"))
        return QStringLiteral("8");
    return QString();
}

void Error_Box(const QString& Text)
{
    Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONERROR);
}

const QString Version_Comment = QStringLiteral("SW_VERSION = 1.000");

} // namespace

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FBACnetSlaveSetAccess"), 764, 337), FXML1(std::make_unique<TXMLDocument>())
{
    Label1->SetVisible(false);

    auto button = [this](const char* name, Integer left) {
        auto* b = Make_Control<TFxButton>(this, P_Button, name);
        b->SetBounds(left, 7, 90, 30);
        return b;
    };
    Btn_DelRow = button("Btn_DelRow", 8);
    Btn_InsRow = button("Btn_InsRow", 104);
    Btn_CopyRow = button("Btn_CopyRow", 200);
    Btn_PasteRow = button("Btn_PasteRow", 296);
    // Only the copy and paste buttons show their hints.
    Btn_OK->SetShowHint(false);
    Btn_Cancel->SetShowHint(false);
    Btn_CopyRow->SetShowHint(true);
    Btn_PasteRow->SetShowHint(true);
    Btn_OK->OnClick = [this](TObject* s) { bitbtn1Click(s); };
    Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRow_Click(s); };
    Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
    Btn_CopyRow->OnClick = [this](TObject* s) { Btn_CopyRowClick(s); };
    Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };

    PageControl1 = Make_Control<TPageControl>(this, this, "PageControl1");
    PageControl1->SetAlign(alClient);
    TS_BACnet_in_Read = Make_Control<TTabSheet>(this, PageControl1, "TS_BACnet_in_Read");
    TS_BACnet_in_Write = Make_Control<TTabSheet>(this, PageControl1, "TS_BACnet_in_Write");
    ACG_BACnet_in_Read = Make_Control<TExColumnGrid>(this, TS_BACnet_in_Read, "ACG_BACnet_in_Read");
    ACG_BACnet_in_Write = Make_Control<TExColumnGrid>(this, TS_BACnet_in_Write, "ACG_BACnet_in_Write");
    Setup_BACnet_Grid(ACG_BACnet_in_Read, Read_Columns, Column_Count, Table_Rows() + 1);
    Setup_BACnet_Grid(ACG_BACnet_in_Write, Write_Columns, Column_Count, Table_Rows() + 1);
    for (TExColumnGrid* g : {ACG_BACnet_in_Read, ACG_BACnet_in_Write}) {
        g->OnClickCell = [this](TObject* s, Integer r, Integer c) { ClickCell(s, r, c); };
        g->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
    }
    ACG_BACnet_in_Read->OnDblClickCell = [this](TObject* s, Integer r, Integer c) {
        ACG_BACnet_in_ReadDblClickCell(s, r, c);
    };
    ACG_BACnet_in_Write->OnDblClickCell = [this](TObject* s, Integer r, Integer c) {
        ACG_BACnet_in_WriteDblClickCell(s, r, c);
    };
    ACG_BACnet_in_Write->OnComboChange = [this](TObject* s, Integer c, Integer r, Integer i, const QString& t) {
        ACG_BACnet_in_WriteComboChange(s, c, r, i, t);
    };
    ACG_BACnet_in_Read->OnGridHint = [this](TObject* s, Integer r, Integer c, QString& h) { GridHint(s, r, c, h); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFBACnetSlaveSetAccess::~TFBACnetSlaveSetAccess()
{
    if (FBACnetSlaveSetAccess == this)
        FBACnetSlaveSetAccess = nullptr;
}

// ------------------------------------------------------------ creation and showing

void TFBACnetSlaveSetAccess::FormCreate(TObject*)
{
    Frame_Create();
    ACG_BACnet_in_Read->HideColumn(colSwap);
    ACG_BACnet_in_Write->HideColumn(colSwap);
    Set_Lang();
}

void TFBACnetSlaveSetAccess::FormShow(TObject*)
{
    Blank_BACnet_Rows(ACG_BACnet_in_Read, ACG_BACnet_in_Read->RowCount() - 1, QString());
    Blank_BACnet_Rows(ACG_BACnet_in_Write, ACG_BACnet_in_Write->RowCount() - 1, QString());
    TS_BACnet_in_Read->SetTabVisible(true);
    TS_BACnet_in_Write->SetTabVisible(true);
    PageControl1->SetActivePage(TS_BACnet_in_Write);
    PageControl1->SetActivePage(TS_BACnet_in_Read);

    NByte_IN = 1500;
    NByte_OUT = 1500;
    for (auto [g, size] : {std::pair{ACG_BACnet_in_Read, NByte_IN}, std::pair{ACG_BACnet_in_Write, NByte_OUT}}) {
        TStringList* items = g->Columns()->Items(colPosition)->ComboItems();
        items->Clear();
        for (Integer i = 0; i < size; ++i)
            items->Add(QString::number(i));
    }

    Desc_Lenght = false;
    if (FileExists(ParGen_File)) {
        TXMLDocument pargen;
        if (pargen.LoadFromFile(ParGen_File))
            Desc_Lenght = pargen.Root().FindChild(QStringLiteral("BACnet_Desc_Chars_Limit")).Text() == QLatin1String("1");
        else
            // The objects are loaded all the same, in the normal mode, so
            // that an OK cannot drop them for an unrelated broken file.
            Error_Box(pargen.ErrorMessage());
    }
    for (TExColumnGrid* g : {ACG_BACnet_in_Read, ACG_BACnet_in_Write}) {
        const Integer before = g->RowCount();
        g->SetRowCount(Table_Rows() + 1);
        if (g->RowCount() > before)
            Blank_BACnet_Rows(g, g->RowCount() - 1, QString());
    }

    Do_Copy_Read = false;
    Do_Copy_Write = false;
    FLoad.Begin(BACnet_Slave_SetAccess_File);
    if (!FileExists(BACnet_Slave_SetAccess_File))
        return;
    // A file read only in part is replaced by OK only after a question.
    if (!FXML1->LoadFromFile(BACnet_Slave_SetAccess_File)) {
        FLoad.Set_Failed();
        Error_Box(FXML1->ErrorMessage());
        return;
    }
    if (!Load_Table(ACG_BACnet_in_Read, QStringLiteral("BACnet_in_Read"))
        || !Load_Table(ACG_BACnet_in_Write, QStringLiteral("BACnet_in_Write"))) {
        FLoad.Set_Failed();
        return;
    }
    FLoad.Report_Left_Out();
}

bool TFBACnetSlaveSetAccess::Load_Table(TExColumnGrid* Grid, const QString& Element)
{
    const TXMLNode table = FXML1->Root().FindChild(Element);
    if (table.IsNull()) {
        Error_Box(QStringLiteral("%1: no %2 element").arg(BACnet_Slave_SetAccess_File, Element));
        return false;
    }
    const Integer rows = Table_Rows();
    Integer r = 1;
    TXMLNode row = table.FirstChild();
    for (; !row.IsNull() && r <= rows; row = row.NextSibling()) {
        if (row.NodeType() != ntElement)
            continue;
        for (Integer c = 1; c < Column_Count; ++c) {
            const QString name = QString::fromLatin1(Read_Columns[c].Attribute);
            if (row.HasAttribute(name)) {
                Grid->SetCellEx(c, r, row.Attribute(name));
            } else if (c == colSwap) {
                Grid->SetCellEx(c, r, QStringLiteral("N"));
            } else {
                Error_Box(QStringLiteral("%1: row %2 of %3 has no %4 attribute")
                              .arg(BACnet_Slave_SetAccess_File)
                              .arg(r)
                              .arg(Element, name));
                return false;
            }
        }
        ++r;
    }
    // Objects past the table's rows cannot be shown; the user is told.
    const TTabSheet* sheet = Grid == ACG_BACnet_in_Read ? TS_BACnet_in_Read : TS_BACnet_in_Write;
    FLoad.Left_Out(sheet->Caption(), Count_Elements_From(row), rows);
    return true;
}

// ------------------------------------------------------------ check and OK

bool TFBACnetSlaveSetAccess::Check_Table(TExColumnGrid* Grid, bool Read, Integer& Objects)
{
    const Integer area = Read ? NByte_IN : NByte_OUT;
    for (Integer r = 1; r < Grid->RowCount(); ++r) {
        const QString type = Grid->GetCellEx(colData_Type, r);
        if (type.trimmed().isEmpty())
            break;
        ++Objects;
        auto fail = [&](Integer read_text, Integer write_text, const QString& tail = QString()) {
            Error_Box(BACnet_Lang(1532) + QString::number(r) + BACnet_Lang(Read ? read_text : write_text) + tail);
            return false;
        };
        Integer unit = -1;
        if (!Try_Text_To_Int(Grid->GetCellEx(colEng_Unit, r), unit) || unit < 0 || unit > 65535)
            return fail(1533, 1547);
        Integer position = -1;
        if (!Try_Text_To_Int(Grid->GetCellEx(colPosition, r), position) || position < 0 || position > area - 1)
            return fail(1534, 1548, QString::number(area - 1));
        Integer end = position;
        const bool binary = Read ? type == QLatin1String("Binary Input") || type == QLatin1String("Binary Value")
                                 : type == QLatin1String("Binary Out") || type == QLatin1String("Binary Value");
        if (binary) {
            if (Grid->GetCellEx(colBit, r).isEmpty())
                return fail(1545, 1557);
        } else {
            const Integer length = Text_To_Int(Grid->GetCellEx(colLength, r), 0);
            for (const TLength_Rule& rule : Length_Rules) {
                const Integer text = Read ? rule.Read_Text : rule.Write_Text;
                if (text != 0 && type == QLatin1String(rule.Type) && (length < rule.Min || length > rule.Max)) {
                    Error_Box(BACnet_Lang(1532) + QString::number(r) + BACnet_Lang(text));
                    return false;
                }
            }
            end = position + length - 1;
        }
        if (end >= area)
            return fail(1546, 1558);
    }
    return true;
}

bool TFBACnetSlaveSetAccess::Controllo_dati()
{
    Integer objects = 0;
    if (!Check_Table(ACG_BACnet_in_Read, true, objects) || !Check_Table(ACG_BACnet_in_Write, false, objects))
        return false;
    const Integer limit = Desc_Lenght ? 1000 : 2000;
    if (objects > limit) {
        Error_Box(BACnet_Lang(1559) + QString::number(limit));
        return false;
    }
    return true;
}

void TFBACnetSlaveSetAccess::Save_Table(TExColumnGrid* Grid, const QString& Element)
{
    TXMLNode table = FXML1->Root().AddChild(Element);
    for (Integer r = 1; r < Grid->RowCount(); ++r) {
        if (Grid->GetCellEx(colData_Type, r).trimmed().isEmpty())
            break;
        TXMLNode row = table.AddChild(QStringLiteral("row"));
        for (Integer c = 1; c < Column_Count; ++c)
            row.SetAttribute(QString::fromLatin1(Read_Columns[c].Attribute), Grid->GetCellEx(c, r));
    }
}

bool TFBACnetSlaveSetAccess::Check_Blank_Rows()
{
    const auto kept = [](Integer c) {
        return c < Column_Count && Read_Columns[c].Attribute && Read_Columns[c].Editor != edDataCheckBox;
    };
    for (TExColumnGrid* grid : {ACG_BACnet_in_Read, ACG_BACnet_in_Write}) {
        Integer end = 1;
        while (end < grid->RowCount() && !grid->GetCellEx(colData_Type, end).trimmed().isEmpty())
            ++end;
        if (const Integer row = Rows_Lost_Below(grid, end, kept)) {
            PageControl1->SetActivePage(grid == ACG_BACnet_in_Read ? TS_BACnet_in_Read : TS_BACnet_in_Write);
            Error_Box(BACnet_Lang(1532) + QString::number(row) + BACnet_Lang(1108));
            return false;
        }
    }
    return true;
}

void TFBACnetSlaveSetAccess::bitbtn1Click(TObject*)
{
    if (!Controllo_dati() || !Check_Blank_Rows() || !FLoad.Confirm_Replace())
        return;
    FXML1->Clear();
    FXML1->SetActive(true);
    FXML1->AddChild(QStringLiteral("BACnet_to_Modbus"));
    FXML1->AddComment(Version_Comment);
    Save_Table(ACG_BACnet_in_Read, QStringLiteral("BACnet_in_Read"));
    Save_Table(ACG_BACnet_in_Write, QStringLiteral("BACnet_in_Write"));
    if (!FXML1->SaveToFile(BACnet_Slave_SetAccess_File)) {
        // The window stays open with the edits; the old file is kept.
        Error_Box(FXML1->ErrorMessage());
        return;
    }
    SetModalResult(mrOk);
}

// ------------------------------------------------------------ grid events

void TFBACnetSlaveSetAccess::Pick_Eng_Unit(TExColumnGrid* Grid, Integer ARow, Integer ACol)
{
    if (FBACnet_Eng_Unit == nullptr || ARow < 1 || Grid->RealColIndex(ACol) != colEng_Unit)
        return;
    FBACnet_Eng_Unit->E_Selected_EU->SetText(Grid->GetCellEx(colEng_Unit, ARow));
    const Integer unit = Text_To_Int(FBACnet_Eng_Unit->E_Selected_EU->Text(), -1);
    FBACnet_Eng_Unit->Label5->SetCaption(QStringLiteral("-> ") + TFBACnet_Eng_Unit::Desc_Unit(unit));
    if (FBACnet_Eng_Unit->ShowModal() == mrOk)
        Grid->SetCellEx(colEng_Unit, ARow, FBACnet_Eng_Unit->E_Selected_EU->Text());
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_ReadDblClickCell(TObject*, Integer ARow, Integer ACol)
{
    Pick_Eng_Unit(ACG_BACnet_in_Read, ARow, ACol);
    Grid_Auto_Size_Column(ACG_BACnet_in_Read, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteDblClickCell(TObject*, Integer ARow, Integer ACol)
{
    Pick_Eng_Unit(ACG_BACnet_in_Write, ARow, ACol);
    Grid_Auto_Size_Column(ACG_BACnet_in_Write, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteComboChange(TObject*, Integer ACol, Integer ARow, Integer,
                                                            const QString& ASelection)
{
    // Column 1 stands before any hidden column: displayed and real agree.
    if (ARow < 1 || ACol != colData_Type)
        return;
    const QString length = Preset_Length(ASelection);
    if (!length.isEmpty())
        ACG_BACnet_in_Write->SetCellEx(colLength, ARow, length);
}

void TFBACnetSlaveSetAccess::ClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    auto* grid = Sender == ACG_BACnet_in_Write ? ACG_BACnet_in_Write : ACG_BACnet_in_Read;
    if (ACol == 0 && ARow >= 1)
        grid->SelectRows(ARow, 1);
}

void TFBACnetSlaveSetAccess::KeyPress(TObject* Sender, QChar& Key)
{
    Grid_Enter_Next_Cell(Sender == ACG_BACnet_in_Write ? ACG_BACnet_in_Write : ACG_BACnet_in_Read, Key);
}

void TFBACnetSlaveSetAccess::GridHint(TObject*, Integer, Integer, QString&) {}

// ------------------------------------------------------------ row buttons

TExColumnGrid* TFBACnetSlaveSetAccess::Active_Grid() const
{
    return PageControl1->ActivePage() == TS_BACnet_in_Read ? ACG_BACnet_in_Read : ACG_BACnet_in_Write;
}

void TFBACnetSlaveSetAccess::Btn_DelRow_Click(TObject*)
{
    Delete_Current_Row(Active_Grid(), 1560);
}

void TFBACnetSlaveSetAccess::Btn_InsRowClick(TObject*)
{
    TExColumnGrid* grid = Active_Grid();
    Grid_Insert_Row(grid->GetRowEx(), grid, false);
}

void TFBACnetSlaveSetAccess::Btn_CopyRowClick(TObject*)
{
    TExColumnGrid* grid = Active_Grid();
    Grid_Copy_Row(grid, grid->GetRowEx());
    Do_Copy_Read = grid == ACG_BACnet_in_Read;
    Do_Copy_Write = grid == ACG_BACnet_in_Write;
}

void TFBACnetSlaveSetAccess::Btn_PasteRowClick(TObject*)
{
    TExColumnGrid* grid = Active_Grid();
    Grid_Paste_Row(grid, grid->GetRowEx(), grid == ACG_BACnet_in_Read ? Do_Copy_Read : Do_Copy_Write);
}

// ------------------------------------------------------------ texts

void TFBACnetSlaveSetAccess::Set_Lang()
{
    SetCaption(BACnet_Lang(1500));
    L_SW_Desc->SetCaption(BACnet_Lang(1501));
    TFxButton* const buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (Integer i = 0; i < 6; ++i) {
        buttons[i]->SetCaption(BACnet_Lang(1502 + i));
        buttons[i]->SetHint(BACnet_Lang(1510 + i));
    }
    TS_BACnet_in_Read->SetCaption(BACnet_Lang(1508));
    TS_BACnet_in_Write->SetCaption(BACnet_Lang(1509));
    for (Integer c = 0; c < Column_Count; ++c) {
        ACG_BACnet_in_Read->Columns()->Items(c)->SetHeader(BACnet_Lang(Read_Columns[c].Header));
        ACG_BACnet_in_Write->Columns()->Items(c)->SetHeader(BACnet_Lang(Write_Columns[c].Header));
    }
}
