// The wired scan, one step per call: analyzer mode and line set-up, the
// search by primary or by secondary address, reading each meter found, and
// leaving analyzer mode.
#include "mbus/UMBusScanDecode.h"

#include "platform/Lists.h"
#include "shell/UComon.h"

#include <cstring>

namespace {

// States of the secondary search: next value and wait of digit level 1..8.
constexpr Integer N_State(Integer Level) { return 108 + 2 * (Level - 1); }
constexpr Integer W_State(Integer Level) { return N_State(Level) + 1; }

const QByteArray No_Slave_Answer("NO_SLAVE\x0A\x0D", 10);

} // namespace

Integer TMBusScanDecode::Search_Start() const { return ScanType == saSecondaryAddress ? 100 : 2; }

Integer TMBusScanDecode::Text_Wait() const { return Add_TimeOut + Timing.Text_TimeOut; }

// A baud rate that is no positive number counts as the default 2400.
static Integer Bits_Time(Integer Bits, Integer Baudrate) { return Bits / (Baudrate > 0 ? Baudrate : 2400); }

Integer TMBusScanDecode::Short_Wait() const
{
    return Bits_Time(330000, Baudrate) + Timing.TimeOut_Base + Timing.TimeOut_Margin + Add_TimeOut;
}

Integer TMBusScanDecode::Long_Wait() const
{
    return Bits_Time(3245000, Baudrate) + Timing.TimeOut_Base + Timing.TimeOut_Margin + Add_TimeOut;
}

bool TMBusScanDecode::Answer_Is(const QByteArray& Text) const
{
    return Ans_Len == Text.size() && std::memcmp(Ans_Array, Text.constData(), size_t(Ans_Len)) == 0;
}

bool TMBusScanDecode::Answer_Is_E5() const { return Ans_Len == 1 && Ans_Array[0] == 0xE5; }

bool TMBusScanDecode::Answer_Is_No_Slave() const { return Answer_Is(No_Slave_Answer); }

bool TMBusScanDecode::Answer_Is_RSP_UD() const
{
    if (Ans_Len <= 21 || Ans_Array[0] != 0x68 || Ans_Array[3] != 0x68 || Ans_Array[1] != Ans_Array[2]
        || Ans_Array[Ans_Len - 1] != 0x16)
        return false;
    Byte cs = 0;
    for (Integer i = 4; i <= Ans_Len - 3; ++i)
        cs = Byte(cs + Ans_Array[i]);
    return cs == Ans_Array[Ans_Len - 2];
}

// Reads the valid RSP_UD in the answer buffer into the meter being read;
// true when the meter is done (no further telegram, or Cut_After reached).
// A first answer whose structure is not read makes no meter: the meter is
// done and Index_Device is -1.
bool TMBusScanDecode::Read_RSP_UD()
{
    bool noMore = true;
    Index_Device = Add_Wired_Slave(Num_Frame_Read == 0 ? -1 : Index_Device, noMore);
    ++Num_Frame_Read;
    return noMore || Num_Frame_Read >= Cut_After;
}

void TMBusScanDecode::Notify_Slave_List(Integer Event, Integer Value, Integer Found, Integer Mode)
{
    if (!Update_Slave_List)
        return;
    try {
        Update_Slave_List(Event, Value, Found, Mode);
    } catch (...) {
        // The scan goes on whatever the window's procedure does.
    }
}

void TMBusScanDecode::Scan_Decode()
{
    if (FAbortScan)
        Step_Scan = 200;
    const Word port = Converter_Port;
    switch (Step_Scan) {
    // Start and analyzer mode.
    case 0:
        Enable_Send_In_Last_Step = false;
        FResult = 1;
        if (Select_Hardware == shSerial) {
            Step_Scan = Search_Start();
            break;
        }
        TimeOut_Calc = Text_Wait();
        Send_To(1, Scan_Texts[0], port);
        break;
    case 1:
        if (Answer_Arrived && Answer_Is(Scan_Texts[1]))
            ID_Dev_Primary = -1;
        Checked_Wait(Answer_Is(Scan_Texts[1]), 300, 200);
        break;
    case 300:
        FResult = 1;
        if (Select_Hardware == shSerial) {
            Step_Scan = Search_Start();
            break;
        }
        TimeOut_Calc = Text_Wait();
        Build_Set_MBus_Line();
        Send_Frame(301, 0);
        break;
    case 301:
        Checked_Wait(Answer_Is(Scan_Texts[4]), Search_Start(), 200);
        break;

    // Primary search.
    case 2:
        TimeOut_Calc = Short_Wait();
        ID_Dev_Primary = -1;
        Notify_Slave_List(1, 0, 0, 1);
        Build_SND_NKE(0xFF);
        Send_Frame(3, Timing.Pause_Primary);
        break;
    case 3:
        if (Answer_Arrived || Timeout_Elapsed())
            Step_Scan = 4;
        break;
    case 4:
        TimeOut_Calc = Short_Wait();
        Num_Frame_Read = 0;
        ++ID_Dev_Primary;
        if (ID_Dev_Primary > Last_Primary_Address || FStopScan) {
            Type_To_Send_In_Last_Step = 1;
            Enable_Send_In_Last_Step = true;
            FResult = 1;
            Step_Scan = 200;
        } else {
            Step_Scan = App_Reset ? 5 : SND_NKE ? 7 : 9;
        }
        break;
    case 5:
        Build_App_Reset(Byte(ID_Dev_Primary));
        Send_Frame(6, Timing.Pause_Primary);
        break;
    case 6:
        if ((Answer_Arrived && Answer_Is_E5()) || Timeout_Elapsed())
            Step_Scan = SND_NKE ? 7 : 9;
        break;
    case 7:
        Build_SND_NKE(Byte(ID_Dev_Primary));
        Send_Frame(8, Timing.Pause_Primary);
        break;
    case 8:
        if ((Answer_Arrived && Answer_Is_E5()) || Timeout_Elapsed())
            Step_Scan = 9;
        break;
    case 9:
        TimeOut_Calc = Long_Wait();
        Build_REQ_UD2(Byte(ID_Dev_Primary), Num_Frame_Read);
        Send_Frame(10, Timing.Pause_Primary);
        break;
    case 10: {
        ID_Dev_Found = false;
        bool reported = false;
        if (Answer_Arrived) {
            if (Answer_Is_RSP_UD()) {
                if (Read_RSP_UD()) {
                    ID_Dev_Found = Index_Device >= 0;
                    reported = !ID_Dev_Found;
                    Notify_Slave_List(2, ID_Dev_Primary, ID_Dev_Found ? 1 : 0, 1);
                    Step_Scan = 4;
                } else {
                    Step_Scan = 9;
                }
            } else {
                Notify_Slave_List(2, ID_Dev_Primary, 0, 1);
                reported = true;
                Step_Scan = 4;
            }
        }
        // One report per address, also when the answer and the time-out meet.
        if (Timeout_Elapsed() && !ID_Dev_Found) {
            if (!reported)
                Notify_Slave_List(2, ID_Dev_Primary, 0, 1);
            Step_Scan = 4;
        }
        break;
    }

    // Secondary search: preparation.
    case 100:
        TimeOut_Calc = Short_Wait();
        Phase_Scan_Sec_Add = 1;
        Notify_Slave_List(1, 0, 0, 2);
        Phase_Scan_Sec_Add = 2;
        Step_Scan = SND_NKE ? 101 : App_Reset ? 103 : 105;
        break;
    case 101:
        Build_SND_NKE(253);
        Send_Frame(102, Timing.Pause_Secondary);
        break;
    case 102:
        if ((Answer_Arrived && Answer_Is_E5()) || Timeout_Elapsed())
            Step_Scan = App_Reset ? 103 : 105;
        break;
    case 103:
        Build_App_Reset(255);
        Send_Frame(104, Timing.Pause_Secondary);
        break;
    case 104:
        if ((Answer_Arrived && Answer_Is_E5()) || Timeout_Elapsed())
            Step_Scan = 105;
        break;
    case 105:
        Build_SND_NKE(255);
        Send_Frame(106, Timing.Pause_Secondary);
        break;
    case 106:
        if (Answer_Arrived || Timeout_Elapsed())
            Step_Scan = 107;
        break;
    case 107:
        Index_Digit.fill(-1);
        Step_Scan = 108;
        break;

    // Reading the selected meter.
    case 124:
        TimeOut_Calc = Long_Wait();
        Build_REQ_UD2(253, Num_Frame_Read);
        Send_Frame(125, Timing.Pause_Secondary);
        break;
    case 125:
        ID_Dev_Found = false;
        if (Timeout_Elapsed()) {
            TimeOut_Calc = Short_Wait();
            Step_Scan = Sec_Add_Next_Step;
        }
        if (Answer_Arrived) {
            if (Answer_Is_RSP_UD()) {
                if (Read_RSP_UD()) {
                    TimeOut_Calc = Short_Wait();
                    Step_Scan = Sec_Add_Next_Step;
                    ID_Dev_Found = Index_Device >= 0;
                    if (ID_Dev_Found) {
                        const auto* last = static_cast<TSlave_MBus*>(Wired_Slave_List->Last());
                        Notify_Slave_List(2, Integer(last->Secondary_Addresss.toUInt(nullptr, 16)), 1, 2);
                    }
                } else {
                    Step_Scan = 124;
                }
            } else {
                // Several meters answered the selection: one digit deeper.
                TimeOut_Calc = Short_Wait();
                if (Sec_Add_Next_Step < N_State(8))
                    Sec_Add_Next_Step += 2;
                Step_Scan = Sec_Add_Next_Step;
            }
        }
        break;

    // Closing.
    case 200:
        Count_Disable_Analyzer = 0;
        FAbortScan = false;
        Step_Scan = 201;
        break;
    case 201:
        if (Select_Hardware == shSerial || Count_Disable_Analyzer == 3) {
            Step_Scan = 203;
            break;
        }
        ++Count_Disable_Analyzer;
        TimeOut_Calc = Text_Wait();
        Send_To(202, Scan_Texts[2], port);
        break;
    case 202:
        if (Answer_Arrived)
            Step_Scan = Answer_Is(Scan_Texts[3]) ? 203 : 201;
        if (Timeout_Elapsed())
            Step_Scan = 201;
        break;
    case 203:
        if (FInScan)
            Finish_Wired();
        break;

    default:
        if (Step_Scan >= N_State(1) && Step_Scan <= W_State(8)) {
            const Integer level = (Step_Scan - N_State(1)) / 2 + 1;
            if (Step_Scan == N_State(level))
                Secondary_Next_Value(level);
            else
                Secondary_Wait(level);
        }
        break;
    }
}

void TMBusScanDecode::Secondary_Next_Value(Integer Level)
{
    if (FStopScan) {
        Step_Scan = 200;
        return;
    }
    const size_t k = size_t(Level - 1);
    ++Index_Digit[k];
    for (size_t j = k + 1; j < Index_Digit.size(); ++j)
        Index_Digit[j] = -1;
    if (Index_Digit[k] > 9) {
        if (Level == 1) {
            Phase_Scan_Sec_Add = 3;
            Type_To_Send_In_Last_Step = 2;
            Enable_Send_In_Last_Step = true;
            Step_Scan = 200;
        } else {
            Step_Scan = N_State(Level - 1);
        }
        return;
    }
    Build_Select_Secondary();
    Send_Frame(W_State(Level), Timing.Pause_Secondary);
}

void TMBusScanDecode::Secondary_Wait(Integer Level)
{
    if (Timeout_Elapsed())
        Step_Scan = N_State(Level);
    if (!Answer_Arrived)
        return;
    if (Answer_Is_E5()) {
        Num_Frame_Read = 0;
        Sec_Add_Next_Step = N_State(Level);
        Step_Scan = 124;
    } else if (Answer_Is_No_Slave()) {
        Step_Scan = N_State(Level);
    } else {
        Step_Scan = N_State(Level < 8 ? Level + 1 : 8);
    }
}

// Closing state: the link closes, the report is written and the window told,
// and only then the scan counts as over, so that the window never frees the
// meters while they are still being written.
void TMBusScanDecode::Finish_Wired()
{
    // A scan cancelled, or started anew, while the link closed is left alone.
    if (!Close_Link())
        return;
    if (!SaveXMLFile.isEmpty())
        Save_XML_File_DLL();
    if (Enable_Send_In_Last_Step)
        Notify_Slave_List(3, 0, 0, Integer(Type_To_Send_In_Last_Step));
    FInScan = false;
}
