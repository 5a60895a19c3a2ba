#include "fieldbus/UReceiveNMEA.h"

#include "shell/UComon.h"

TFReceiveNMEA* FReceiveNMEA = nullptr;

namespace {

constexpr TRuleColumn Columns[] = {
    {"PGN", reText, 80, 4615, 4623, rmDefault, ""},
    {"SA", reText, 100, 4616, 4624, rmDefault, ""},
    {"TP", reCheck, 120, 4617, 4625, rmDefault, "N"},
    {"FP", reCheck, 90, 4618, 4626, rmDefault, "N"},
    {"TP_Start", reText, 70, 4619, 4627, rmDefault, ""},
    {"TP_NByte", reText, 60, 4620, 4628, rmDefault, ""},
    {"Delete", reCheck, 80, 4621, 4629, rmDefault, "N"},
    {"Mnemonic", reText, 180, 4622, 4630, rmDefault, ""},
};

const TRuleTable Table{nullptr, Columns, 4614, -1, 1, false};
const TRuleGridLook Look{true, false, false, true, true};
const TRuleTexts Texts{4600, 4601, {4602, 4603, 4604, 4605, 4606, 4607}, {4608, 4609, 4610, 4611, 4612, 4613}, 4643, 4631};
const TRuleFile File{&NMEA_Rec_Frames_File, "Receive_NMEA_2000", "1.000"};
const TPGNReceiveRules Rules{
    .Col_DP = -1, .Col_PGN = 1, .Col_SA = 2, .Col_TP = 3, .Col_FP = 4, .Col_Start = 5, .Col_NByte = 6,
    .Col_OnRequest = -1, .Col_Time = -1, .Max_PGN = 0x1FFFF, .Max_SA = 239, .Budget = 512,
    .T_DP = -1, .T_PGN = 4632, .T_SA = 4633, .T_TP_Start = 4634, .T_TP_Sum = 4635, .T_FP_Start = 4636,
    .T_FP_Sum = 4637, .T_Both = 4638, .T_Start = 4639, .T_Count = 4640, .T_Sum = 4641, .T_Total = 4642,
    .T_Time = -1};

} // namespace

TFReceiveNMEA::TFReceiveNMEA(TComponent* AOwner)
    : TPGNReceiveForm(AOwner, QStringLiteral("FReceiveNMEA"), 810, Texts, File, Table, Look, 62, Rules)
{
}

TFReceiveNMEA::~TFReceiveNMEA()
{
    if (FReceiveNMEA == this)
        FReceiveNMEA = nullptr;
}
