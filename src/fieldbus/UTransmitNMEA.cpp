#include "fieldbus/UTransmitNMEA.h"

#include "shell/UComon.h"

TFTransmitNMEA* FTransmitNMEA = nullptr;

namespace {

constexpr TRuleColumn Columns[] = {
    {"Priority", reText, 60, 4715, 4725, rmDefault, ""},
    {"PGN", reText, 70, 4716, 4726, rmDefault, ""},
    {"SA", reText, 90, 4717, 4727, rmDefault, ""},
    {"FP", reCheck, 80, 4718, 4728, rmDefault, "N"},
    {"TP_NByte", reText, 65, 4719, 4729, rmDefault, ""},
    {"On_Request", reCheck, 65, 4720, 4730, rmDefault, "N"},
    {"On_Data_Change", reCheck, 80, 4721, 4731, rmDefault, "N"},
    {"On_Timer", reCheck, 65, 4722, 4732, rmDefault, "N"},
    {"SendTimer", reText, 75, 4723, 4733, rmDefault, ""},
    {"Mnemonic", reText, 95, 4724, 4734, rmDefault, ""},
};

const TRuleTable Table{nullptr, Columns, 4714, -1, 2, false};
// The grid shows no hints; its list is kept all the same.
const TRuleGridLook Look{false, false, false, true, true};
const TRuleTexts Texts{4700, 4701, {4702, 4703, 4704, 4705, 4706, 4707}, {4708, 4709, 4710, 4711, 4712, 4713}, 4742, 4735};
// The file's root has the receive file's name, as the converter reads it.
const TRuleFile File{&NMEA_Send_Frames_File, "Receive_NMEA_2000", "1.000"};
const TPGNSendRules Rules{
    .Col_Priority = 1, .Col_DP = -1, .Col_PGN = 2, .Col_SA = 3, .Col_NByte = 5, .Col_OnTimer = 8, .Col_Timer = 9,
    .Max_PGN = 0x1FFFF, .Max_SA = 239, .Budget = 512, .T_Priority = 4736, .T_DP = -1, .T_PGN = 4737,
    .T_SA = 4738, .T_NByte = 4739, .T_Total = 4740, .T_Timer = 4741};

} // namespace

TFTransmitNMEA::TFTransmitNMEA(TComponent* AOwner)
    : TPGNSendForm(AOwner, QStringLiteral("FTransmitNMEA"), 810, Texts, File, Table, Look, 62, Rules)
{
}

TFTransmitNMEA::~TFTransmitNMEA()
{
    if (FTransmitNMEA == this)
        FTransmitNMEA = nullptr;
}
