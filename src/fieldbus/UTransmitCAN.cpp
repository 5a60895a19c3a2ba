#include "fieldbus/UTransmitCAN.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFTransmitCAN* FTransmitCAN = nullptr;

namespace {

constexpr Integer Col_OnTimer = 7;
constexpr Integer Col_Time = 8;
constexpr Integer Max_Time = 100000000;

// Byte k: column 8 + k, header 3415 + k, hint 3437 + k.
#define CAN_BYTE(k) {"Byte" #k, reCombo, 50, 3415 + k, 3437 + k, rmKeep}

constexpr TRuleColumn Columns[] = {
    {"Enable", reCheck, 50, 3409, 3431, rmDefault, "Y"},
    {"COBID", reText, 75, 3410, 3432, rmKeep},
    {"CAN_Type", reCombo, 100, 3411, 3433, rmDefault, "2.0A (11 bits)"},
    {"Dim", reText, 70, 3412, 3434, rmKeep},
    {"OnChange", reCheck, 65, 3413, 3435, rmDefault, "Y"},
    {"OnCMD", reCheck, 60, 3462, 3463, rmDefault, "N"},
    {"OnTimer", reCheck, 65, 3414, 3436, rmDefault, "N"},
    {"Time", reText, 70, 3415, 3437, rmKeep},
    CAN_BYTE(1), CAN_BYTE(2), CAN_BYTE(3), CAN_BYTE(4), CAN_BYTE(5), CAN_BYTE(6), CAN_BYTE(7), CAN_BYTE(8),
    {"Mnemonic", reText, 100, 3424, 3446, rmDefault, ""},
};
#undef CAN_BYTE

const TRuleTable Table{nullptr, Columns, 3408, -1, 2, true};
const TRuleGridLook Look{true, false, true, false, true};
const TRuleTexts Texts{3400, 3401, {3402, 3403, 3404, 3405, 3406, 3407}, {3425, 3426, 3427, 3428, 3429, 3430}, 3461, 3447};
const TRuleFile File{&CAN_Send_Frames_File, "Transmit_Frames", "1.000"};
const TCANFrameTexts Checks{3448, 3449, 3450, 3452, 3453, 3454};

} // namespace

TFTransmitCAN::TFTransmitCAN(TComponent* AOwner)
    : TCANFrameForm(AOwner, QStringLiteral("FTransmitCAN"), 1100, 337, Texts, File, Checks, 3400, 9)
{
    ACG_CAN_Transmit = Add_Grid(Table, Look, "ACG_CAN_Transmit", 512);
    Fill_Types(ACG_CAN_Transmit);
}

TFTransmitCAN::~TFTransmitCAN()
{
    if (FTransmitCAN == this)
        FTransmitCAN = nullptr;
}

void TFTransmitCAN::Row_Loaded(Integer, const TXMLNode& Node, Integer Row)
{
    if (!Node.HasAttribute(QStringLiteral("Time")) && Cell(0, Col_OnTimer, Row) == QLatin1String("Y"))
        Grid(0)->SetCellEx(Col_Time, Row, QStringLiteral("0"));
}

bool TFTransmitCAN::Check_Timing(Integer Row)
{
    return UpperCase(Trim(Cell(0, Col_OnTimer, Row))) != QLatin1String("Y") ||
           Check_Range(0, Row, Col_Time, 0, Max_Time, 3451);
}
