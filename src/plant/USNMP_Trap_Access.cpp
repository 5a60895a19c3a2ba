#include "plant/USNMP_Trap_Access.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

namespace {


constexpr unsigned Orange = 0xFFD8B0, Cyan = 0xE0FAFE, Green = 0xA8FFA8, Pink = 0xFCD6F4, Yellow = 0xFFFFA8,
                   Violet = 0xD5D5FF, Teal = 0xC9E4E4, White = 0xFFFFFF;
constexpr const char* Conversions = "None|Float|Float * 10|Float * 100|Float * 1000|Float / 10|Float / 100|"
                                    "Float / 1000|Int * 10|Int * 100|Int * 1000";

constexpr TRuleColumn Read_Columns[] = {
    {"Enable", reCheck, 50, 6217, 6239, rmDefault, "Y", nullptr, Orange},
    {"Community_Name", reComboEdit, 130, 6218, 6240, rmDefault, "", "Lumera|Vostrel", Cyan, 15},
    {"Type", reCombo, 60, 6219, 6241, rmDefault, "", "Int|String", Cyan},
    {"On_Change", reCheck, 75, 6220, 6242, rmDefault, "N", nullptr, Green},
    {"On_Command", reCheck, 50, 6221, 6243, rmDefault, "N", nullptr, Green},
    {"On_Timer", reCheck, 60, 6222, 6244, rmDefault, "N", nullptr, Green},
    {"Time", reText, 65, 6223, 6245, rmDefault, "", nullptr, Green},
    {"Position", reCombo, 60, 6224, 6246, rmDefault, "", nullptr, Pink},
    {"Bit", reCombo, 60, 6225, 6247, rmDefault, "", "#8", Pink},
    {"NumBits", reText, 95, 6226, 6248, rmDefault, "", nullptr, Yellow},
    {"Description", reText, 130, 6227, 6249, rmDefault, "", nullptr, Violet, 15},
    {"IP_Address", reText, 120, 6228, 6250, rmDefault, "", nullptr, Teal},
    {"Conversion", reCombo, 100, 6281, 6283, rmDefault, "None", Conversions, Orange},
    {"Mnemonic", reText, 130, 6229, 6251, rmDefault, "", nullptr, White},
};

constexpr TRuleColumn Write_Columns[] = {
    {"Enable", reCheck, 50, 6231, 6252, rmDefault, "Y", nullptr, Orange},
    {"Community_Name", reComboEdit, 130, 6232, 6253, rmDefault, "", "Lumera|Vostrel", Cyan, 15},
    {"Type", reCombo, 60, 6233, 6254, rmDefault, "", "Int|String", Cyan},
    {"Position", reCombo, 60, 6234, 6255, rmDefault, "", nullptr, Pink},
    {"Bit", reCombo, 60, 6235, 6256, rmDefault, "", "#8", Pink},
    {"NumBits", reText, 95, 6236, 6257, rmDefault, "", nullptr, Yellow},
    {"Description", reText, 130, 6237, 6258, rmDefault, "", nullptr, Violet, 15},
    {"Conversion", reCombo, 100, 6282, 6284, rmDefault, "None", Conversions, Orange},
    {"Mnemonic", reText, 500, 6238, 6259, rmDefault, "", nullptr, White},
};

constexpr Integer Rows = 256;
const TRuleTable Read_Rules{"SNMP_Trap_Read", Read_Columns, 6216, 6208, 2, true};
const TRuleTable Write_Rules{"SNMP_Trap_Write", Write_Columns, 6230, 6209, 2, true};
const TRuleGridLook Look{true, true, true, false, true};

const TRuleTexts Texts{6200, 6201, {6202, 6203, 6204, 6205, 6206, 6207}, {6210, 6211, 6212, 6213, 6214, 6215}, 6275,
                       6260};
const TRuleFile File{&SNMP_Trap_File, "SNMP_Trap", "1.000"};

// Real columns and fault texts of one table; -1 where it has no such column.
struct TAgent_Checks {
    Integer On_Timer, Time, Position, Start_Bit, Num_Bits, Description, IP, Conversion;
    Integer Community_Fault, Type_Fault, Time_Fault, Position_Fault, Start_Bit_Fault, String_Bit_Fault,
        Int_Size_Fault, String_Size_Fault, Description_Fault, IP_Fault, Conversion_Fault;
};

constexpr TAgent_Checks Read_Checks{6, 7, 8, 9, 10, 11, 12, 13, 6276, 6261, 6262, 6263, 6264, 6265, 6266,
                                    6267, 6277, 6268, 6285};
constexpr TAgent_Checks Write_Checks{-1, -1, 4, 5, 6, 7, -1, 8, 6278, 6269, -1, 6270, 6271, 6272, 6273,
                                     6274, 6279, -1, 6286};

constexpr Integer cEnable = 1, cCommunity = 2, cType = 3;

bool Is_Digit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool Is_Lower(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}
bool Is_Upper(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}


} // namespace

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent* AOwner)
    : TRuleTableForm(AOwner, QStringLiteral("FSNMP_Trap_Access"), 1256, 337, Texts, File),
      SL_Check_Desc(std::make_unique<TStringList>())
{
    First_Tab_On_Show = false;
    ACG_SNMP_Read = Add_Grid(Read_Rules, Look, "ACG_SNMP_Read", Rows, "TS_SNMP_Read", &Do_Copy_In_Read);
    ACG_SNMP_Write = Add_Grid(Write_Rules, Look, "ACG_SNMP_Write", Rows, "TS_SNMP_Write", &Do_Copy_In_Write);
    TS_SNMP_Read = Sheet(0);
    TS_SNMP_Write = Sheet(1);
    Hint_SNMP_Read = Hint_List(ACG_SNMP_Read);
    Hint_SNMP_Write = Hint_List(ACG_SNMP_Write);
    for (TExColumnGrid* g : {ACG_SNMP_Read, ACG_SNMP_Write})
        g->OnCheckBoxClick = [this](TObject* s, Integer c, Integer r, bool v) { ACG_SNMP_ReadCheckBoxClick(s, c, r, v); };
}

TFSNMP_Trap_Access::~TFSNMP_Trap_Access()
{
    if (FSNMP_Trap_Access == this)
        FSNMP_Trap_Access = nullptr;
}

void TFSNMP_Trap_Access::Set_Limits()
{
    NByte_IN = 1440;
    NByte_OUT = 1440;
    Number_Items(ACG_SNMP_Read, Read_Checks.Position, NByte_IN);
    Number_Items(ACG_SNMP_Write, Write_Checks.Position, NByte_OUT);
}

void TFSNMP_Trap_Access::Show_Done()
{
    Index_Row_Build(ACG_SNMP_Read);
    Index_Row_Build(ACG_SNMP_Write);
}

bool TFSNMP_Trap_Access::Check_Error_CommName_Desc(const QString& Text, Integer Kind)
{
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        const bool ok = Kind == 1 && i == 0 ? Is_Lower(c) : Is_Digit(c) || Is_Lower(c) || Is_Upper(c);
        if (!ok)
            return true;
    }
    return false;
}

void TFSNMP_Trap_Access::Index_Row_Build(TExColumnGrid* Grid)
{
    Integer index = 0;
    for (Integer r = 1; r < Grid->GetRowCount(); ++r)
        Grid->SetCellEx(0, r, UpperCase(Grid->GetCellEx(cEnable, r)) == QLatin1String("Y") ? QString::number(++index)
                                                                                          : QString());
}

void TFSNMP_Trap_Access::ACG_SNMP_ReadCheckBoxClick(TObject* Sender, Integer ACol, Integer, bool)
{
    if (ACol == cEnable)
        Index_Row_Build(static_cast<TExColumnGrid*>(Sender));
}

bool TFSNMP_Trap_Access::Controllo_dati()
{
    SL_Check_Desc->Clear();
    const struct {
        Integer Index;
        const TAgent_Checks& K;
    } tables[] = {{0, Read_Checks}, {1, Write_Checks}};
    for (const auto& t : tables) {
        const Integer g = t.Index;
        const TAgent_Checks& k = t.K;
        const Integer end = Table_End(g);
        for (Integer r = 1; r < end; ++r) {
            if (UpperCase(Cell(g, cEnable, r)) != QLatin1String("Y"))
                continue;
            auto fault = [&](Integer text) {
                Row_Error(r, Lang_Text(text));
                return false;
            };
            if (Check_Error_CommName_Desc(Cell(g, cCommunity, r), 0))
                return fault(k.Community_Fault);
            if (Cell_Trim(g, cType, r).isEmpty())
                return fault(k.Type_Fault);
            const bool is_int = UpperCase(Cell(g, cType, r)) == QLatin1String("INT");
            if (k.On_Timer >= 0 && UpperCase(Cell(g, k.On_Timer, r)) == QLatin1String("Y")) {
                const Integer time = Cell_Int(g, k.Time, r);
                if (time < 1 || time > 1000000000)
                    return fault(k.Time_Fault);
            }
            if (Cell_Trim(g, k.Position, r).isEmpty())
                return fault(k.Position_Fault);
            if (Cell_Trim(g, k.Start_Bit, r).isEmpty())
                return fault(k.Start_Bit_Fault);
            if (!is_int && Cell_Trim(g, k.Start_Bit, r) != QLatin1String("0"))
                return fault(k.String_Bit_Fault);
            const Integer size = Cell_Int(g, k.Num_Bits, r);
            if (is_int && (size < 1 || size > 64))
                return fault(k.Int_Size_Fault);
            if (!is_int && (size < 1 || size > 16))
                return fault(k.String_Size_Fault);
            const QString description = Cell(g, k.Description, r);
            if (Check_Error_CommName_Desc(description, 1))
                return fault(k.Description_Fault);
            SL_Check_Desc->Add(description);
            QString p1, p2, p3, p4;
            if (k.IP >= 0 && !Split_IP_Address(Cell(g, k.IP, r), p1, p2, p3, p4))
                return fault(k.IP_Fault);
            if (Cell_Trim(g, k.Conversion, r).isEmpty())
                return fault(k.Conversion_Fault);
        }
    }
    for (Integer i = 0; i < SL_Check_Desc->Count(); ++i)
        for (Integer j = i + 1; j < SL_Check_Desc->Count(); ++j)
            if (SL_Check_Desc->Strings(i) == SL_Check_Desc->Strings(j)) {
                Error_Box(Lang_Text(6280));
                return false;
            }
    return true;
}
