#include "plant/UIEC61850_Variables.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/Text.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFIEC61850_Variables* FIEC61850_Variables = nullptr;

namespace {

constexpr Integer Rows = 50;

constexpr TRuleColumn Columns[] = {
    {"Enable", reCheck, 50, 5015, 5022, rmDefault, "Y", nullptr, 0xFFD8B0},
    {"Name", reText, 180, 5016, 5023, rmKeep},
    {"Type", reCombo, 100, 5017, 5024, rmKeep, "", "Int|Float|Digital (Bit)"},
    {"Length", reText, 60, 5018, 5025, rmKeep},
    {"ReadOnly", reCheck, 70, 5019, 5026, rmDefault, "N", nullptr, 0xFFD8B0},
    {"Position", reText, 70, 5020, 5027, rmKeep},
    {"StartBit", reCombo, 70, 5032, 5035, rmKeep, "", "#8"},
    {"Conversion", reCombo, 100, 5033, 5036, rmKeep, "", "None|Int to Float|Float to Int"},
    {"MultiplicationFactor", reComboEdit, 90, 5034, 5037, rmKeep, "", "None"},
    {"Swap", reCheck, 50, 5042, 5044, rmDefault, "N", nullptr, 0xFFD8B0},
    {"SwapWord", reCheck, 75, 5043, 5045, rmDefault, "N", nullptr, 0xFFD8B0},
    {"Mnemonic", reText, 200, 5021, 5028, rmKeep},
};
enum { cEnable = 1, cName, cType, cLength, cRead_Only, cPosition, cStart_Bit, cConversion, cMolt_Factor };

const TRuleTable Table{nullptr, Columns, 5014, -1, cName, true};
const TRuleGridLook Look{true, true, true, true, true};
const TRuleTexts Texts{5000, 5001, {5002, 5003, 5004, 5005, 5006, 5007}, {5008, 5009, 5010, 5011, 5012, 5013}, 5031,
                       5029};
const TRuleFile File{&IEC61850_Variables_File, "IEC61850_Variables", "1.000"};

} // namespace

TFIEC61850_Variables::TFIEC61850_Variables(TComponent* AOwner)
    : TRuleTableForm(AOwner, QStringLiteral("FIEC61850_Variables"), 1155, 337, Texts, File)
{
    ACG = Add_Grid(Table, Look, "ACG", Rows, nullptr, &Do_Copy);
    Hint_List = TRuleTableForm::Hint_List(ACG);
}

TFIEC61850_Variables::~TFIEC61850_Variables()
{
    if (FIEC61850_Variables == this)
        FIEC61850_Variables = nullptr;
}

void TFIEC61850_Variables::Set_Limits()
{
    NByte_IN = 1438;
}

bool TFIEC61850_Variables::Controllo_dati()
{
    const QChar separator = Get_Decimal_Separator();
    const Integer end = Table_End(0);
    for (Integer r = 1; r < end; ++r) {
        if (!Row_Enabled(0, r, false))
            continue;
        if (!Check_Range(0, r, cLength, 1, 4, 5041))
            return false;
        const Integer position = Cell_Int(0, cPosition, r);
        if (position < 0 || position > NByte_IN - 1) {
            Row_Error(r, Lang_Text(5030) + QString::number(NByte_IN - 1));
            return false;
        }
        if (Cell(0, cType, r) == QLatin1String("Digital (Bit)") && Cell_Trim(0, cStart_Bit, r).isEmpty()) {
            Row_Error(r, Lang_Text(5038));
            return false;
        }
        if (Cell_Trim(0, cConversion, r).isEmpty()) {
            Row_Error(r, Lang_Text(5039));
            return false;
        }
        float factor = 0;
        if (UpperCase(Cell_Trim(0, cMolt_Factor, r)) != QLatin1String("NONE")
            && !Text_To_Float(Cell(0, cMolt_Factor, r), separator, factor)) {
            Row_Error(r, Lang_Text(5040));
            return false;
        }
    }
    return true;
}
