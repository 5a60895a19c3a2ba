// The scan engine's thread, its run event, the link to the converter and the
// frames it sends.
#include "mbus/UMBusScanDecode.h"

#include "platform/Lists.h"
#include "platform/Messages.h"
#include "platform/UdpSocket.h"
#include "shell/UComon.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <thread>

namespace {

QByteArray Text_Bytes(const char* text) { return QByteArray(text); }

} // namespace

const std::array<QByteArray, 13> TMBusScanDecode::Scan_Texts = {
    Text_Bytes("Velmora_Enable_Analyzer_Mode"),
    Text_Bytes("\n\rAnalyzer_Mode Enabled!\n\r"),
    Text_Bytes("Velmora_Disable_Analyzer_Mode"),
    Text_Bytes("\n\rAnalyzer_Mode Disabled!\n\r"),
    Text_Bytes("\n\rDone!"),
    Text_Bytes("Velmora_Enable_Configuration_Mode"),
    Text_Bytes("\n\rConfiguration_Mode Enabled!\n\r"),
    Text_Bytes("Velmora_Type_Radio_Module"),
    Text_Bytes("\n\rTELIT\n\r"),
    Text_Bytes("\n\rRADIOCRAFTS\n\r"),
    Text_Bytes("Velmora_Disable_Configuration_Mode"),
    Text_Bytes("\n\rConfiguration_Mode Disabled!\n\r"),
    Text_Bytes("OK\r"),
};

// The name the run event carries (an in-process event here).
static const char* const Event_Run_Name = "EVENT_SCAN_DECODE_MBUS";

struct TMBusScanDecode::TThreadState {
    // The engine's lock (see the header).
    std::mutex lock;
    // The worker's hold on it during a step, released by Pause.
    std::unique_lock<std::mutex>* stepLock = nullptr;

    // Event_Run (manual reset) and the wake-up of pauses at exit.
    std::mutex eventLock;
    std::condition_variable eventCv;
    bool eventRun = false;
    QString eventName = QString::fromLatin1(Event_Run_Name);

    TUdpSocket socket;
    std::thread worker;

    mutable std::mutex errorLock;
    QString lastError;
};

TSlave_wMBus::~TSlave_wMBus() { Cancel_Var(); }

void TSlave_wMBus::Cancel_Var()
{
    while (!List_Var.empty())
        List_Var.pop_back();
}

TMBusScanDecode::TMBusScanDecode() : T(std::make_unique<TThreadState>())
{
    T->socket.BufferSize = 8192;
    T->socket.OnRead = [this](const QByteArray& data, const QString&, Word) { UDP_Read(data); };
    MBusType = mtWired;
    T->worker = std::thread([this] { Execute(); });
}

TMBusScanDecode::~TMBusScanDecode()
{
    {
        std::lock_guard<std::mutex> g(T->eventLock);
        FExit = true;
    }
    T->eventCv.notify_all();
    if (T->worker.joinable())
        T->worker.join();
    T->socket.Close();
}

void TMBusScanDecode::Execute()
{
    while (!FExit) {
        Integer wait = Timing.Idle_Interval;
        if (FInScan) {
            std::unique_lock<std::mutex> step(T->lock);
            T->stepLock = &step;
            if (MBusType == mtWired)
                Scan_Decode();
            else
                Scan_Decode_Wireless();
            T->stepLock = nullptr;
            wait = Timing.Step_Interval;
        }
        std::unique_lock<std::mutex> g(T->eventLock);
        T->eventCv.wait_for(g, std::chrono::milliseconds(wait), [this] { return bool(FExit); });
        T->eventCv.wait(g, [this] { return FExit || T->eventRun; });
    }
    Close_Link();
}

void TMBusScanDecode::Set_Event_Run()
{
    {
        std::lock_guard<std::mutex> g(T->eventLock);
        T->eventRun = true;
    }
    T->eventCv.notify_all();
}

void TMBusScanDecode::Reset_Event_Run()
{
    std::lock_guard<std::mutex> g(T->eventLock);
    T->eventRun = false;
}

void TMBusScanDecode::Pause(Integer Milliseconds)
{
    if (Milliseconds <= 0)
        return;
    std::unique_lock<std::mutex>* step = T->stepLock;
    if (step != nullptr)
        step->unlock();
    {
        std::unique_lock<std::mutex> g(T->eventLock);
        T->eventCv.wait_for(g, std::chrono::milliseconds(Milliseconds), [this] { return bool(FExit); });
    }
    if (step != nullptr)
        step->lock();
}

std::unique_lock<std::mutex> TMBusScanDecode::Lock_Lists() { return std::unique_lock<std::mutex>(T->lock); }

QString TMBusScanDecode::LastError() const
{
    std::lock_guard<std::mutex> g(T->errorLock);
    return T->lastError;
}

void TMBusScanDecode::SetLastError(const QString& Text)
{
    std::lock_guard<std::mutex> g(T->errorLock);
    T->lastError = Text;
}

// ---------------------------------------------------------------------------
// Starting

bool TMBusScanDecode::Start_Scan(TScanType ScanT, TSelectHard SelHard, const QString& IP_COM, Integer Baud, Integer Par,
                                 bool AppReset, bool SNDNKE, Integer CutAfter, bool FixCField, Byte FixCFieldValue,
                                 bool RemoteTimeout, TUpdateSlaveList Proc_Slave_List)
{
    if (FInScan)
        return false;
    {
        std::lock_guard<std::mutex> g(T->lock);
        Update_Slave_List = std::move(Proc_Slave_List);
        MBusType = mtWired;
        ScanType = ScanT;
        Select_Hardware = SelHard;
        ComPort.clear();
        IP_Address.clear();
        (SelHard == shSerial ? ComPort : IP_Address) = IP_COM;
        Baudrate = Baud;
        Parity = Par;
        App_Reset = AppReset;
        SND_NKE = SNDNKE;
        Cut_After = CutAfter;
        Fix_C_Field = FixCField;
        Fix_C_Field_Value = FixCFieldValue;
        Add_TimeOut = RemoteTimeout ? 10000 : 0;
    }
    if (SelHard == shSerial) {
        SetLastError(QStringLiteral("The serial link is not available: ") + IP_COM);
        return false;
    }
    if (!T->socket.Active() && !Open_Link(0))
        return false;
    std::lock_guard<std::mutex> g(T->lock);
    Step_Scan = 0;
    FStopScan = false;
    FAbortScan = false;
    FInScan = true;
    return true;
}

bool TMBusScanDecode::Start_Scan_Wireless(TSelectHard SelHard, const QString& IP_COM, Word Port, Integer wMBus_Mode,
                                          Integer wMBus_Radio_Channel, bool RemoteTimeout,
                                          TUpdateListWirelessSlave Proc_Wireless, bool FromDLL)
{
    if (FInScan)
        return false;
    {
        std::lock_guard<std::mutex> g(T->lock);
        UpdateListWirelessSlave = std::move(Proc_Wireless);
        MBusType = mtWireless;
        Select_Hardware = SelHard;
        IP_Address = IP_COM;
        wMBusMode = wMBus_Mode;
        wMBusRadioChannel = wMBus_Radio_Channel;
        Port_Wireless = Port;
        Add_TimeOut = RemoteTimeout ? 10000 : 0;
        Wireless_Receive_Message = false;
        From_DLL = FromDLL;
    }
    if (SelHard == shSerial) {
        SetLastError(QStringLiteral("The serial link is not available: ") + ComPort);
        return false;
    }
    const Word local = Wireless_Local_Port >= 0 ? Word(Wireless_Local_Port) : Port;
    const bool bound = T->socket.Active() && (local == 0 || T->socket.LocalPort() == local);
    if (!bound && !Open_Link(local))
        return false;
    std::lock_guard<std::mutex> g(T->lock);
    Step_Scan = 0;
    FStopScan = false;
    FAbortScan = false;
    FInScan = true;
    return true;
}

// ---------------------------------------------------------------------------
// The link

bool TMBusScanDecode::Open_Link(Word LocalPort)
{
    if (T->socket.Open(LocalPort))
        return true;
    SetLastError(T->socket.ErrorMessage());
    return false;
}

void TMBusScanDecode::Close_Link()
{
    // Closing waits for the listener, which may be waiting for the lock.
    std::unique_lock<std::mutex>* step = T->stepLock;
    if (step != nullptr)
        step->unlock();
    T->socket.Close();
    if (step != nullptr)
        step->lock();
}

void TMBusScanDecode::Send_Command(const QByteArray& Cmd, Word Port)
{
    Answer_Arrived = false;
    const bool sent = Select_Hardware == shEthernet && T->socket.SendTo(IP_Address, Port, Cmd);
    Start_Send = GetTickCount();
    if (!sent) {
        SetLastError(Select_Hardware == shEthernet ? T->socket.ErrorMessage()
                                                   : QStringLiteral("The serial link is not available"));
        // Nothing can reach the converter: the scan ends without its dialogue.
        const bool closing = Step_Scan == (MBusType == mtWired ? 202 : 502);
        if (!closing)
            FResult = 2;
        Step_Scan = MBusType == mtWired ? 203 : 503;
    }
}

void TMBusScanDecode::Send_Command(Word Port) { Send_Command(Req_Array, Port); }

void TMBusScanDecode::Send_To(Integer NextStep, const QByteArray& Bytes, Word Port)
{
    Step_Scan = NextStep;
    Send_Command(Bytes, Port);
}

bool TMBusScanDecode::Timeout_Elapsed_At(LongWord Now, LongWord Start, LongWord TimeOut)
{
    // Unsigned difference: right across a wrap of the counter too.
    return LongWord(Now - Start) > TimeOut;
}

bool TMBusScanDecode::Timeout_Elapsed() const { return Timeout_Elapsed_At(GetTickCount(), Start_Send, LongWord(TimeOut_Calc)); }

void TMBusScanDecode::UDP_Read(const QByteArray& Data)
{
    std::lock_guard<std::mutex> g(T->lock);
    // Longer datagrams are cut to the buffer.
    Ans_Len = std::min<Integer>(Integer(Data.size()), Ans_Size);
    std::memcpy(Ans_Array, Data.constData(), size_t(Ans_Len));
    if (MBusType == mtWireless && Wireless_Receive_Message) {
        const TRadioModule module = RadioModule;
        const Integer expected = Ans_Array[0] + (module == rmTelit ? 3 : 1);
        if (Data.size() == expected)
            Receive_Wireless_Telegram(module);
        return;
    }
    Answer_Arrived = true;
}

// ---------------------------------------------------------------------------
// Frames

namespace {

Byte Sum(const QByteArray& bytes, int from, int to)
{
    Byte cs = 0;
    for (int i = from; i < to; ++i)
        cs = Byte(cs + Byte(bytes[i]));
    return cs;
}

} // namespace

Byte TMBusScanDecode::C_Field_Send() const { return Fix_C_Field && Fix_C_Field_Value == 0 ? 0x53 : 0x73; }

void TMBusScanDecode::Build_SND_NKE(Byte Address)
{
    Req_Array = QByteArray("\x10\x40", 2);
    Req_Array += char(Address);
    Req_Array += char(Byte(0x40 + Address));
    Req_Array += char(0x16);
}

void TMBusScanDecode::Build_REQ_UD2(Byte Address, Integer FrameCount)
{
    Byte c;
    if (Fix_C_Field)
        c = Fix_C_Field_Value != 0 ? 0x7B : 0x5B;
    else
        c = FrameCount % 2 == 0 ? 0x7B : 0x5B;
    Req_Array = QByteArray(1, char(0x10));
    Req_Array += char(c);
    Req_Array += char(Address);
    Req_Array += char(Byte(c + Address));
    Req_Array += char(0x16);
}

void TMBusScanDecode::Build_App_Reset(Byte Address)
{
    Req_Array = QByteArray("\x68\x03\x03\x68", 4);
    Req_Array += char(C_Field_Send());
    Req_Array += char(Address);
    Req_Array += char(0x50);
    Req_Array += char(Sum(Req_Array, 4, Req_Array.size()));
    Req_Array += char(0x16);
}

void TMBusScanDecode::Build_Select_Secondary()
{
    auto nibble = [this](int digit) { return Index_Digit[size_t(digit)] < 0 ? 0x0F : Index_Digit[size_t(digit)] & 0x0F; };
    auto pair = [&](int high, int low) { return char(Byte((nibble(high) << 4) | nibble(low))); };
    Req_Array = QByteArray("\x68\x0B\x0B\x68", 4);
    Req_Array += char(C_Field_Send());
    Req_Array += char(0xFD);
    Req_Array += char(0x52);
    Req_Array += pair(6, 7); // G H
    Req_Array += pair(4, 5); // E F
    Req_Array += pair(2, 3); // C D
    Req_Array += pair(0, 1); // A B
    Req_Array += QByteArray(4, char(0xFF));
    Req_Array += char(Sum(Req_Array, 4, Req_Array.size()));
    Req_Array += char(0x16);
}

void TMBusScanDecode::Build_Set_MBus_Line()
{
    const LongWord baud = LongWord(Baudrate);
    Req_Array = QByteArray("Velmora_S_M:");
    for (int shift = 24; shift >= 0; shift -= 8)
        Req_Array += char(Byte(baud >> shift));
    Req_Array += ',';
    Req_Array += char(Parity == 1 ? 2 : Parity == 2 ? 1 : 0);
}

void TMBusScanDecode::Build_RadioCrafts_Config()
{
    Byte mode;
    switch (wMBusMode) {
    case 5: mode = 0x01; break;
    case 15: mode = 0x11; break;
    case 17: mode = 0x10; break;
    case 11: mode = 0x0A; break;
    default: mode = 0x03; break;
    }
    const Byte config[16] = {0x03, mode, 0x04, 0x00, 0x05, 0x01, 0x12, 0x01, 0x16, 0x17, 0x3A, 0x01, 0x3D, 0x02, 0x37, 0x01};
    Req_Array = QByteArray(reinterpret_cast<const char*>(config), 16);
}

QByteArray TMBusScanDecode::Hex_Text_To_Bytes(const QString& Text)
{
    QByteArray out;
    for (int i = 0; i + 1 < Text.size(); i += 2) {
        bool ok = false;
        const int v = Text.mid(i, 2).toInt(&ok, 16);
        out += char(ok ? v : 0);
    }
    return out;
}
