#include "plant/UOPC_UA_Server_Access.h"

#include <QStringList>

#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFOPC_UA_Server_Access* FOPC_UA_Server_Access = nullptr;

namespace {

constexpr Integer Rows = 250;
constexpr Integer Max_Position = 1999;

// The Enable column holds check boxes, not text; the reader and the writer
// go through Row_Loaded and File_Value for it.
constexpr TRuleColumn Columns[] = {
    {"Enable", reText, 50, 5815, -1, rmKeep, "", nullptr, 0xFFD8B0},
    {"Type", reCombo, 120, 5816, -1, rmDefault, "", nullptr, 0xE0FAFE},
    {"Position", reText, 100, 5817, -1, rmDefault, "", nullptr, 0xA8FFA8},
    {"Length", reText, 100, 5818, -1, rmDefault, "", nullptr, 0xA8FFA8},
    {"Name", reText, 280, 5819, -1, rmDefault, "", nullptr, 0xFCD6F4},
    {"ReadWrite", reCombo, 100, 5829, -1, rmDefault, "", nullptr, 0xFCD6F4},
    {"Mnemonic", reText, 280, 5820, -1, rmDefault, "", nullptr, 0xFFFFFF},
};
enum { cEnable = 1, cType, cPosition, cLength, cName, cRead_Write, cMnemonic };

const TRuleTable Table{"OPC_UA_Server_Variables", Columns, 5814, -1, cType, false};
const TRuleGridLook Look{false, false, false, false, false};
const TRuleTexts Texts{5800, 5801, {5802, 5803, 5804, 5805, 5806, 5807}, {5808, 5809, 5810, 5811, 5812, 5813}, 5828,
                       -1};
const TRuleFile File{&OPC_UA_Server_File, "OPC_UA_Server", "1.001"};

// The types in list order with the length each sets; 0: "10", editable.
const struct {
    const char* Name;
    Integer Length;
} Types[] = {
    {"Boolean", 1}, {"Signed Byte", 1}, {"Byte", 1},  {"Int16", 2}, {"UInt16", 2},  {"Int32", 4},       {"UInt32", 4},
    {"Int64", 8},   {"UInt64", 8},      {"Float", 4}, {"Double", 8}, {"String", 0}, {"ByteString", 0},
};

// Text n formatted with Args; a language file's text with other
// placeholders is shown as it stands.
QString Formatted(Integer n, std::initializer_list<TVarRec> Args)
{
    const QString text = Lang_Text(n);
    try {
        return Format(text, Args);
    } catch (const EConvertError&) {
        return text;
    }
}

} // namespace

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent* AOwner)
    : TRuleTableForm(AOwner, QStringLiteral("FOPC_UA_Server_Access"), 1200, 337, Texts, File),
      VarType(std::make_unique<TStringList>()), RWType(std::make_unique<TStringList>())
{
    ESG = Add_Grid(Table, Look, "ESG", Rows, nullptr, &Do_Copy);
    for (const auto& t : Types)
        VarType->Add(QLatin1String(t.Name));
    RWType->Add(QStringLiteral("Read Only"));
    RWType->Add(QStringLiteral("Read/Write"));
    ESG->Columns()->Items(cType)->SetComboItems(VarType.get());
    ESG->Columns()->Items(cRead_Write)->SetComboItems(RWType.get());
    ESG->Columns()->Items(cEnable)->SetAlignment(taCenter);
    ESG->AddCheckBoxColumn(cEnable, false, false);
    for (Integer r = 1; r < ESG->GetRowCount(); ++r)
        ESG->SetCellEx(0, r, QString::number(r));
    ESG->OnComboChange = [this](TObject* s, Integer c, Integer r, Integer i, const QString& v) {
        ESGComboChange(s, c, r, i, v);
    };
}

TFOPC_UA_Server_Access::~TFOPC_UA_Server_Access()
{
    if (FOPC_UA_Server_Access == this)
        FOPC_UA_Server_Access = nullptr;
}

void TFOPC_UA_Server_Access::VarSetLength(Integer Row, const QString& Type)
{
    for (const auto& t : Types)
        if (Type == QLatin1String(t.Name)) {
            ESG->SetCellEx(cLength, Row, QString::number(t.Length ? t.Length : 10));
            ESG->SetReadOnly(cLength, Row, t.Length != 0);
            break;
        }
    if (ESG->GetCellEx(cRead_Write, Row).isEmpty())
        ESG->SetCellEx(cRead_Write, Row, QStringLiteral("Read/Write"));
}

void TFOPC_UA_Server_Access::ESGComboChange(TObject*, Integer ACol, Integer ARow, Integer, const QString& ASelection)
{
    if (ESG->RealColIndex(ACol) == cType)
        VarSetLength(ARow, ASelection);
}

bool TFOPC_UA_Server_Access::Ticked(Integer Row) const
{
    bool state = false;
    return ESG->GetCheckBoxState(cEnable, Row, state) && state;
}

// ------------------------------------------------------------ showing

void TFOPC_UA_Server_Access::Set_Limits()
{
    // Read-only states of an earlier showing do not carry over.
    for (Integer r = 1; r < ESG->GetRowCount(); ++r) {
        ESG->SetCheckBoxState(cEnable, r, true);
        for (Integer c = 1; c <= cMnemonic; ++c)
            ESG->SetReadOnly(c, r, false);
    }
}

void TFOPC_UA_Server_Access::Row_Loaded(Integer, const TXMLNode& Node, Integer Row)
{
    ESG->SetCellEx(cEnable, Row, QString());
    ESG->SetCheckBoxState(cEnable, Row, Node.Attribute(QStringLiteral("Enable")) != QLatin1String("N"));
    // The type sets the Length's read-only state; the file's own cells (or
    // their empty defaults) then replace what the type wrote.
    QStringList cells;
    for (Integer c = cPosition; c <= cMnemonic; ++c)
        cells << ESG->GetCellEx(c, Row);
    VarSetLength(Row, ESG->GetCellEx(cType, Row));
    for (Integer c = cPosition; c <= cMnemonic; ++c)
        ESG->SetCellEx(c, Row, cells[c - cPosition]);
}

QString TFOPC_UA_Server_Access::File_Value(Integer Index, Integer Col, Integer Row) const
{
    if (Col == cEnable)
        return Ticked(Row) ? QStringLiteral("Y") : QStringLiteral("N");
    return TRuleTableForm::File_Value(Index, Col, Row);
}

// ------------------------------------------------------------ check

bool TFOPC_UA_Server_Access::Controllo_dati()
{
    // Every row, also after an empty Type.
    for (Integer r = 1; r < ESG->GetRowCount(); ++r) {
        if (Cell_Trim(0, cType, r).isEmpty() || !Ticked(r))
            continue;
        const Integer position = Decimal_To_Int(Cell(0, cPosition, r), -1);
        if (position < 0 || position > Max_Position) {
            Error_Box(Formatted(5827, {r, Max_Position}));
            return false;
        }
    }
    return true;
}

// ------------------------------------------------------------ row buttons

void TFOPC_UA_Server_Access::Btn_DelRowClick(TObject*)
{
    const Integer r = ESG->GetRowEx();
    if (Application->MessageBox(Formatted(5828, {r}), Application->Title(), MB_YESNO | MB_ICONQUESTION) == IDYES)
        CheckBox_Grid_Delete_Row(r, ESG, true);
}

void TFOPC_UA_Server_Access::Btn_InsRowClick(TObject*)
{
    CheckBox_Grid_Insert_Row(ESG->GetRowEx(), ESG, true);
}

void TFOPC_UA_Server_Access::Btn_CopyRowClick(TObject*)
{
    CheckBox_Grid_Copy_Row(ESG, ESG->GetRowEx());
    Do_Copy = true;
}

void TFOPC_UA_Server_Access::Btn_PasteRowClick(TObject*)
{
    const Integer r = ESG->GetRowEx();
    auto texts = [&] {
        QStringList cells;
        for (Integer c = cType; c <= cMnemonic; ++c)
            cells << ESG->GetCellEx(c, r);
        return cells;
    };
    const QStringList before = texts();
    CheckBox_Grid_Paste_Row(ESG, r, Do_Copy);
    // The pasted type sets the Length's state; the pasted Length stays. A
    // refused paste leaves the row as it was.
    if (texts() == before)
        return;
    const QString length = ESG->GetCellEx(cLength, r);
    VarSetLength(r, ESG->GetCellEx(cType, r));
    ESG->SetCellEx(cLength, r, length);
}
