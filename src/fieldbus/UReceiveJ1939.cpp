#include "fieldbus/UReceiveJ1939.h"

#include "shell/UComon.h"

TFReceiveJ1939* FReceiveJ1939 = nullptr;

namespace {

constexpr TRuleColumn Columns[] = {
    {"DP", reCombo, 70, 4315, 4325, rmDefault, ""},
    {"PGN", reText, 70, 4316, 4326, rmDefault, ""},
    {"SA", reText, 100, 4317, 4327, rmDefault, ""},
    {"TP", reCheck, 120, 4318, 4328, rmDefault, "N"},
    {"TP_Start", reText, 70, 4319, 4329, rmDefault, ""},
    {"TP_NByte", reText, 60, 4320, 4330, rmDefault, ""},
    {"Delete", reCheck, 80, 4321, 4331, rmDefault, "N"},
    {"OnRequest", reCheck, 80, 4322, 4332, rmDefault, "N"},
    {"OnReq_Time", reText, 70, 4323, 4333, rmDefault, "1000"},
    {"Mnemonic", reText, 130, 4324, 4334, rmDefault, ""},
};

const TRuleTable Table{nullptr, Columns, 4314, -1, 2, false};
const TRuleGridLook Look{true, false, false, true, true};
const TRuleTexts Texts{4300, 4301, {4302, 4303, 4304, 4305, 4306, 4307}, {4308, 4309, 4310, 4311, 4312, 4313}, 4347, 4335};
const TRuleFile File{&J1939_Rec_Frames_File, "Receive_J1939", "1.000"};
const TPGNReceiveRules Rules{
    .Col_DP = 1, .Col_PGN = 2, .Col_SA = 3, .Col_TP = 4, .Col_FP = -1, .Col_Start = 5, .Col_NByte = 6,
    .Col_OnRequest = 8, .Col_Time = 9, .Max_PGN = 0xFFFF, .Max_SA = 239, .Budget = 1440,
    .T_DP = 4336, .T_PGN = 4337, .T_SA = 4338, .T_TP_Start = 4339, .T_TP_Sum = 4340, .T_FP_Start = -1,
    .T_FP_Sum = -1, .T_Both = 4341, .T_Start = 4342, .T_Count = 4343, .T_Sum = 4344, .T_Total = 4345,
    .T_Time = 4346};

} // namespace

TFReceiveJ1939::TFReceiveJ1939(TComponent* AOwner)
    : TPGNReceiveForm(AOwner, QStringLiteral("FReceiveJ1939"), 876, Texts, File, Table, Look, 512, Rules)
{
}

TFReceiveJ1939::~TFReceiveJ1939()
{
    if (FReceiveJ1939 == this)
        FReceiveJ1939 = nullptr;
}
