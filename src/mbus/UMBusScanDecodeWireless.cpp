// The wireless scan, one step per call: configuration mode, the radio
// module's type and set-up (Telit AT commands or RadioCrafts binary
// commands), listening, key registration, and leaving configuration mode.
#include "mbus/UMBusScanDecode.h"

#include "platform/Lists.h"
#include "platform/Text.h"
#include "shell/UComon.h"

namespace {

const QByteArray Prompt(">");

bool Is_N_Mode(Integer Mode) { return Mode == 15 || Mode == 17; }

} // namespace

// A send state: nothing with serial hardware (the state is kept); otherwise
// the time-out, the next state and the datagram. False when nothing was sent.
bool TMBusScanDecode::Wireless_Send(Integer NextStep, const QByteArray& Bytes, Integer TimeOut)
{
    if (Select_Hardware == shSerial)
        return false;
    TimeOut_Calc = Add_TimeOut + TimeOut;
    Send_To(NextStep, Bytes, Port_Wireless);
    return true;
}

// A Telit command: "+++" alone, every other one followed by CR.
bool TMBusScanDecode::Wireless_Text(Integer NextStep, const QString& Command)
{
    QByteArray bytes = Command.toLatin1();
    if (Command != QLatin1String("+++"))
        bytes += '\r';
    return Wireless_Send(NextStep, bytes, Timing.Radio_TimeOut);
}

// A wait for anything: an answer or the time-out both move on.
void TMBusScanDecode::Wireless_Wait_Any(Integer NextStep)
{
    if (Answer_Arrived || Timeout_Elapsed())
        Step_Scan = NextStep;
}

TSlave_wMBus* TMBusScanDecode::Key_Meter() const
{
    if (!Wireless_Slave_List || Wireless_Key_Index < 0 || Wireless_Key_Index >= Wireless_Slave_List->Count())
        return nullptr;
    return static_cast<TSlave_wMBus*>(Wireless_Slave_List->Items(Wireless_Key_Index));
}

// The identity of the key table: address (least significant byte first),
// manufacturer (low, high), version, device type.
QByteArray TMBusScanDecode::Meter_Identity() const
{
    QByteArray id(8, '\0');
    if (const TSlave_wMBus* m = Key_Meter()) {
        for (int i = 0; i < 4; ++i)
            id[i] = char(Byte(m->ALA_Address >> (8 * i)));
        id[4] = char(Byte(m->ALA_Manufacturer));
        id[5] = char(Byte(m->ALA_Manufacturer >> 8));
        id[6] = char(m->ALA_Version);
        id[7] = char(m->ALA_DeviceType);
    }
    return id;
}

void TMBusScanDecode::Scan_Decode_Wireless()
{
    if (FAbortScan || FStopScan)
        Step_Scan = 500;
    switch (Step_Scan) {
    case 0:
        if (Select_Hardware == shSerial)
            break;
        Wireless_Receive_Message = false;
        FResult = 1;
        Wireless_Send(1, Scan_Texts[5], Timing.Radio_TimeOut);
        break;
    case 1:
        Checked_Wait(Answer_Is(Scan_Texts[6]), 2, 500);
        break;
    case 2:
        if (Select_Hardware == shSerial)
            break;
        FResult = 1;
        Wireless_Send(3, Scan_Texts[7], Timing.Radio_TimeOut);
        break;
    case 3: {
        const bool telit = Answer_Is(Scan_Texts[8]);
        const bool radioCrafts = Answer_Is(Scan_Texts[9]);
        Checked_Wait(telit || radioCrafts, telit ? 100 : 300, 500);
        if (Step_Scan != 3 && Step_Scan != 500)
            RadioModule = telit ? rmTelit : rmRadioCrafts;
        break;
    }
    case 134:
    case 320:
        break; // listening: telegrams go to Receive_Wireless_Telegram
    case 500:
        Wireless_Receive_Message = false;
        Count_Disable_Analyzer = 0;
        FAbortScan = false;
        FStopScan = false;
        Step_Scan = 501;
        break;
    case 501:
        if (Select_Hardware == shSerial || Count_Disable_Analyzer > 2) {
            Step_Scan = 503;
            break;
        }
        ++Count_Disable_Analyzer;
        Wireless_Send(502, Scan_Texts[10], Timing.Radio_TimeOut);
        break;
    case 502:
        if (Answer_Arrived)
            Step_Scan = Answer_Is(Scan_Texts[11]) ? 503 : 501;
        if (Timeout_Elapsed())
            Step_Scan = 501;
        break;
    case 503:
        if (FInScan)
            Finish_Wireless();
        break;
    default:
        if (Step_Scan >= 100 && Step_Scan < 300)
            Telit_Step();
        else if (Step_Scan >= 300 && Step_Scan < 500)
            RadioCrafts_Step();
        break;
    }
}

// Telit set-up (100-133) and key registration (200-221): each even state
// sends one AT command, the odd state after it waits for "OK" CR.
bool TMBusScanDecode::Telit_Step()
{
    const Integer s = Step_Scan;
    if (s % 2 == 1) {
        Integer next = s + 1;
        switch (s) {
        case 111: next = Is_N_Mode(wMBusMode) ? 114 : 112; break;
        case 123: next = Is_N_Mode(wMBusMode) ? 126 : 124; break;
        case 129: next = Is_N_Mode(wMBusMode) ? 132 : 130; break;
        case 217: next = 218; break;
        case 219: next = Index_Key_Send + 1 < 16 ? 218 : 220; break;
        case 221: next = 132; break;
        default: break;
        }
        const Integer before = Step_Scan;
        Checked_Wait(Answer_Is(Scan_Texts[12]), next, 500);
        if (Step_Scan == before || Step_Scan == 500)
            return false;
        // Work done on a confirmed answer.
        if (s == 133)
            Wireless_Receive_Message = true;
        else if (s == 217 || s == 221)
            Index_Key_Send = 0;
        else if (s == 219)
            ++Index_Key_Send;
        return true;
    }

    const TSlave_wMBus* meter = s >= 200 ? Key_Meter() : nullptr;
    if (s >= 202 && s <= 216 && meter == nullptr) {
        // The meter left the list while its key was being registered.
        FResult = 2;
        Step_Scan = 500;
        return false;
    }
    QString cmd;
    switch (s) {
    case 100: cmd = QStringLiteral("+++"); break;
    case 102: cmd = QStringLiteral("ATR"); break;
    case 104: cmd = QStringLiteral("ATS400=") + IntToStr(wMBusMode); break;
    case 106: cmd = QStringLiteral("ATS401=0"); break;
    case 108: cmd = QStringLiteral("ATS402=191"); break;
    case 110: cmd = QStringLiteral("ATS420=") + IntToStr(wMBusRadioChannel); break;
    case 112: cmd = QStringLiteral("ATS421=0"); break;
    case 114: cmd = QStringLiteral("ATS422=3"); break;
    case 116: cmd = QStringLiteral("ATS430=5"); break;
    case 118: cmd = QStringLiteral("ATS431=5"); break;
    case 120: cmd = QStringLiteral("ATS440=0"); break;
    case 122: cmd = QStringLiteral("ATS441=0"); break;
    case 124: cmd = QStringLiteral("ATS442=0"); break;
    case 126: cmd = QStringLiteral("ATS452=0"); break;
    case 128: cmd = QStringLiteral("ATS453=0"); break;
    case 130: cmd = QStringLiteral("ATS454=0"); break;
    case 132: cmd = QStringLiteral("ATO"); break;
    case 200:
        Wireless_Receive_Message = false;
        cmd = QStringLiteral("+++");
        break;
    case 202: cmd = QStringLiteral("ATS461=") + IntToStr(meter->ALA_Manufacturer & 0xFF); break;
    case 204: cmd = QStringLiteral("ATS462=") + IntToStr(meter->ALA_Manufacturer >> 8); break;
    case 206:
    case 208:
    case 210:
    case 212:
        cmd = QStringLiteral("ATS%1=").arg(463 + (s - 206) / 2) + IntToStr((meter->ALA_Address >> (4 * (s - 206))) & 0xFF);
        break;
    case 214: cmd = QStringLiteral("ATS467=") + IntToStr(meter->ALA_Version); break;
    case 216: cmd = QStringLiteral("ATS468=") + IntToStr(meter->ALA_DeviceType); break;
    case 218:
        cmd = QStringLiteral("ATS") + IntToStr(470 + Index_Key_Send) + QLatin1Char('=')
              + IntToStr(Wireless_Key[size_t(Index_Key_Send & 15)]);
        break;
    case 220: cmd = QStringLiteral("ATS460=5"); break;
    default: return false; // no such state
    }
    return Wireless_Text(s + 1, cmd);
}

// RadioCrafts set-up (300-320) and key registration (400-419).
bool TMBusScanDecode::RadioCrafts_Step()
{
    const bool prompt = Ans_Len == 1 && Ans_Array[0] == '>';
    const bool startsWithPrompt = Ans_Len >= 1 && Ans_Array[0] == '>';
    const Integer longWait = Timing.Radio_TimeOut;
    const Integer slotWait = Timing.Radio_Slot_TimeOut;
    const TSlave_wMBus* meter = Key_Meter();
    const Byte slot = meter != nullptr ? Byte(meter->RadioCrafts_Ind_Tab_Decript) : 0;
    if (Step_Scan >= 400 && meter == nullptr) {
        FResult = 2;
        Step_Scan = 500;
        return false;
    }
    switch (Step_Scan) {
    case 300:
        if (Select_Hardware == shSerial)
            return false;
        Index_RadioCrafts_Position_Used = 1;
        return Wireless_Send(301, QByteArray(1, '\0'), longWait);
    case 301: Checked_Wait(prompt, 302, 500); break;
    case 302: return Wireless_Send(303, QByteArray("0"), longWait);
    case 303: Checked_Wait(Ans_Len == 257 && Ans_Array[256] == '>', 304, 500); break;
    case 304: return Wireless_Send(305, QByteArray("M"), longWait);
    case 305: Checked_Wait(prompt, 306, 500); break;
    case 306:
        Build_RadioCrafts_Config();
        return Wireless_Send(307, Req_Array, Timing.Radio_Config_TimeOut);
    case 307: Wireless_Wait_Any(308); break;
    case 308: return Wireless_Send(309, QByteArray(1, char(0xFF)), longWait);
    case 309:
        Checked_Wait(prompt, 310, 500);
        if (Step_Scan == 310)
            Index_RadioCrafts_Erase_Position = 0;
        break;
    case 310:
        if (Index_RadioCrafts_Erase_Position >= 63) {
            Step_Scan = 318;
            break;
        }
        return Wireless_Send(311, QByteArray("B"), longWait);
    case 311: Checked_Wait(prompt, 313, 500); break;
    case 313:
        if (Index_RadioCrafts_Erase_Position >= 64) {
            Step_Scan = 318;
        } else {
            ++Index_RadioCrafts_Erase_Position;
            Step_Scan = 314;
        }
        break;
    case 314: return Wireless_Send(315, QByteArray(1, char(Index_RadioCrafts_Erase_Position)), slotWait);
    case 315: Wireless_Wait_Any(316); break;
    case 316: return Wireless_Send(317, QByteArray(8, '\0'), longWait);
    case 317: Checked_Wait(startsWithPrompt, 310, 500); break;
    case 318: return Wireless_Send(319, QByteArray("X"), longWait);
    case 319:
        Wireless_Receive_Message = true;
        Step_Scan = 320;
        break;

    case 400:
        if (Select_Hardware == shSerial)
            return false;
        Wireless_Receive_Message = false;
        return Wireless_Send(401, QByteArray(1, '\0'), longWait);
    case 401: Checked_Wait(prompt, 402, 500); break;
    case 402: return Wireless_Send(403, QByteArray("B"), longWait);
    case 403: Checked_Wait(prompt, 404, 500); break;
    case 404: return Wireless_Send(405, QByteArray(1, char(slot)), slotWait);
    case 405: Wireless_Wait_Any(406); break;
    case 406: return Wireless_Send(407, Meter_Identity(), longWait);
    case 407: Checked_Wait(startsWithPrompt, 408, 500); break;
    case 408: return Wireless_Send(409, QByteArray("K"), longWait);
    case 409: Checked_Wait(prompt, 410, 500); break;
    case 410: return Wireless_Send(411, QByteArray(1, char(slot)), slotWait);
    case 411: Wireless_Wait_Any(412); break;
    case 412:
        return Wireless_Send(413, QByteArray(reinterpret_cast<const char*>(meter->Key.data()), 16), longWait);
    case 413: Checked_Wait(startsWithPrompt, 414, 500); break;
    case 414: return Wireless_Send(415, QByteArray("A"), longWait);
    case 415: Checked_Wait(prompt, 416, 500); break;
    case 416: return Wireless_Send(417, QByteArray(1, char(slot)), slotWait);
    case 417: Wireless_Wait_Any(418); break;
    case 418: return Wireless_Send(419, QByteArray("\x00\x40", 2), longWait);
    case 419: Checked_Wait(prompt, 318, 500); break;
    default: break;
    }
    return false;
}

bool TMBusScanDecode::Insert_Wireless_Key(Integer Index, const std::array<Byte, 16>& Key)
{
    const auto lock = Lock_Lists();
    // A registration under way keeps its meter and key.
    const Integer step = Step_Scan;
    const bool registering = (step >= 200 && step <= 221) || (step >= 400 && step <= 419);
    if (!registering)
        Wireless_Key = Key;
    TSlave_wMBus* meter = nullptr;
    if (Wireless_Slave_List && Index >= 0 && Index < Wireless_Slave_List->Count())
        meter = static_cast<TSlave_wMBus*>(Wireless_Slave_List->Items(Index));
    bool failed = meter == nullptr;
    if (meter != nullptr && RadioModule == rmRadioCrafts && meter->RadioCrafts_Ind_Tab_Decript < 1) {
        if (Index_RadioCrafts_Position_Used <= 64)
            meter->RadioCrafts_Ind_Tab_Decript = Index_RadioCrafts_Position_Used++;
        else
            failed = true;
    }
    if (!registering)
        Wireless_Key_Index = Index;
    if (failed)
        return false;
    if (step != 134 && step != 320)
        return false;
    meter->Enable_Key = true;
    meter->Key = Key;
    Step_Scan = step == 134 ? 200 : 400;
    return true;
}

void TMBusScanDecode::Notify_Wireless_Slave(Integer Index, TSlave_wMBus* Slave)
{
    if (!UpdateListWirelessSlave)
        return;
    try {
        UpdateListWirelessSlave(Index, From_DLL ? nullptr : Slave);
    } catch (...) {
        // A failing row procedure does not stop the intake.
    }
}

// End state: the link closes, the report is written, then the scan is over.
void TMBusScanDecode::Finish_Wireless()
{
    // A scan cancelled, or started anew, while the link closed is left alone.
    if (!Close_Link())
        return;
    if (!SaveXMLFile.isEmpty())
        Save_Wireless_XML_File_DLL();
    FInScan = false;
}
