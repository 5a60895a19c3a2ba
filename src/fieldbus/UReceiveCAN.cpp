#include "fieldbus/UReceiveCAN.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "platform/StringList.h"

TFReceiveCAN* FReceiveCAN = nullptr;

namespace {

constexpr Integer Col_TimeOut = 5;
constexpr Integer Max_TimeOut = 100000000;

// Byte k: column 5 + k, header 3313 + k, hint 3333 + k.
#define CAN_BYTE(k) {"Byte" #k, reCombo, 50, 3313 + k, 3333 + k, rmKeep}

constexpr TRuleColumn Columns[] = {
    {"Enable", reCheck, 50, 3309, 3329, rmDefault, "Y"},
    {"COBID", reText, 80, 3310, 3330, rmKeep},
    {"CAN_Type", reCombo, 100, 3311, 3331, rmKeep},
    {"Dim", reText, 70, 3312, 3332, rmKeep},
    {"TimeOut", reText, 75, 3313, 3333, rmDefault, "0"},
    CAN_BYTE(1), CAN_BYTE(2), CAN_BYTE(3), CAN_BYTE(4), CAN_BYTE(5), CAN_BYTE(6), CAN_BYTE(7), CAN_BYTE(8),
    {"Mnemonic", reText, 120, 3322, 3342, rmDefault, ""},
};
#undef CAN_BYTE

const TRuleTable Table{nullptr, Columns, 3308, -1, 2, true};
const TRuleGridLook Look{true, false, true, false, true};
const TRuleTexts Texts{3300, 3301, {3302, 3303, 3304, 3305, 3306, 3307}, {3323, 3324, 3325, 3326, 3327, 3328}, 3358, 3344};
const TRuleFile File{&CAN_Rec_Frames_File, "Receive_Frames", "1.000"};
const TCANFrameTexts Checks{3345, 3346, 3347, 3349, 3350, 3351};

} // namespace

TFReceiveCAN::TFReceiveCAN(TComponent* AOwner)
    : TCANFrameForm(AOwner, QStringLiteral("FReceiveCAN"), 1010, 337, Texts, File, Checks, 2000, 6)
{
    ACG_CAN_Receive = Add_Grid(Table, Look, "ACG_CAN_Receive", 512);
    Fill_Types(ACG_CAN_Receive);
}

TFReceiveCAN::~TFReceiveCAN()
{
    if (FReceiveCAN == this)
        FReceiveCAN = nullptr;
}

bool TFReceiveCAN::Check_Timing(Integer Row)
{
    return Check_Range(0, Row, Col_TimeOut, 0, Max_TimeOut, 3348);
}
