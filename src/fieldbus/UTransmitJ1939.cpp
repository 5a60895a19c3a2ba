#include "fieldbus/UTransmitJ1939.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"

TFTransmitJ1939* FTransmitJ1939 = nullptr;

namespace {

enum { Col_NByte = 5, Col_Request, Col_Change, Col_OnTimer };

constexpr TRuleColumn Columns[] = {
    {"Priority", reText, 60, 4415, 4425, rmDefault, ""},
    {"DP", reCombo, 70, 4416, 4426, rmDefault, ""},
    {"PGN", reText, 70, 4417, 4427, rmDefault, ""},
    {"SA", reText, 100, 4418, 4428, rmDefault, ""},
    {"TP_NByte", reText, 60, 4419, 4429, rmDefault, "8"},
    {"On_Request", reCheck, 65, 4420, 4430, rmDefault, "N"},
    {"On_Data_Change", reCheck, 80, 4421, 4431, rmDefault, "N"},
    {"On_Timer", reCheck, 65, 4422, 4432, rmDefault, "N"},
    {"SendTimer", reText, 75, 4423, 4433, rmDefault, ""},
    {"Mnemonic", reText, 130, 4424, 4434, rmDefault, ""},
};

const TRuleTable Table{nullptr, Columns, 4414, -1, 3, false};
const TRuleGridLook Look{true, false, false, true, true};
const TRuleTexts Texts{4400, 4401, {4402, 4403, 4404, 4405, 4406, 4407}, {4408, 4409, 4410, 4411, 4412, 4413}, 4443, 4435};
const TRuleFile File{&J1939_Send_Frames_File, "Transmit_J1939", "1.000"};
const TPGNSendRules Rules{
    .Col_Priority = 1, .Col_DP = 2, .Col_PGN = 3, .Col_SA = 4, .Col_NByte = Col_NByte, .Col_OnTimer = Col_OnTimer,
    .Col_Timer = 9, .Max_PGN = 0x1FFFF, .Max_SA = 255, .Budget = 512, .T_Priority = 4436, .T_DP = 4437,
    .T_PGN = 4438, .T_SA = 4439, .T_NByte = 4440, .T_Total = 4441, .T_Timer = 4442};

} // namespace

TFTransmitJ1939::TFTransmitJ1939(TComponent* AOwner)
    : TPGNSendForm(AOwner, QStringLiteral("FTransmitJ1939"), 800, Texts, File, Table, Look, 512, Rules)
{
}

TFTransmitJ1939::~TFTransmitJ1939()
{
    if (FTransmitJ1939 == this)
        FTransmitJ1939 = nullptr;
}

void TFTransmitJ1939::Row_Loaded(Integer, const TXMLNode& Node, Integer Row)
{
    if (sga->GetCellEx(Col_NByte, Row).isEmpty())
        sga->SetCellEx(Col_NByte, Row, QStringLiteral("8"));
    const QString type_attr = QStringLiteral("T_Type");
    if (!Node.HasAttribute(type_attr))
        return;
    // The older files name one send condition; the three boxes replace it.
    const QString type = UpperCase(Node.Attribute(type_attr));
    const auto box = [](bool set) { return set ? QStringLiteral("Y") : QStringLiteral("N"); };
    sga->SetCellEx(Col_Request, Row, box(false));
    sga->SetCellEx(Col_Change, Row, box(type == QLatin1String("ON DATA CHANGE")));
    sga->SetCellEx(Col_OnTimer, Row, box(type == QLatin1String("ON TIMER")));
}
