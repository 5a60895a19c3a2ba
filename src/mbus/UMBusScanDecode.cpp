// The scan engine's thread, its run event, the link to the converter and the
// frames it sends.
#include "mbus/UMBusScanDecode.h"

#include "mbus/CommPort.h"
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
    // The scan the step in progress belongs to.
    Cardinal stepGeneration = 0;
    // Opening, using and closing the socket and the port. Taken after the
    // engine's lock where both are held, never the other way round.
    std::mutex linkLock;

    // Event_Run (manual reset) and the wake-up of pauses at exit.
    std::mutex eventLock;
    std::condition_variable eventCv;
    bool eventRun = false;
    QString eventName = QString::fromLatin1(Event_Run_Name);

    TUdpSocket socket;
    std::unique_ptr<TComm> comm;
    QByteArray serialIn;    // bytes heard and not yet taken as an answer
    LongWord serialLast = 0; // tick count of the last byte heard
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
    T->comm = std::make_unique<TComm>(nullptr);
    T->comm->SetBaudRate(br115200);
    T->comm->SetDatabits(da8);
    T->comm->SetParity(paNone);
    T->comm->SetStopbits(sb10);
    T->comm->SetFlowControl(fcNone);
    T->comm->SetReadBufSize(4096);
    T->comm->SetWriteBufSize(4096);
    T->comm->OnRxChar = [](TObject*, Integer) {}; // the worker reads the port itself
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
    T->comm.reset();
}

void TMBusScanDecode::Execute()
{
    while (!FExit) {
        Integer wait = Timing.Idle_Interval;
        if (FInScan) {
            std::unique_lock<std::mutex> step(T->lock);
            // Looked at again under the lock: the scan may have been ended,
            // or replaced by a new one, in between.
            if (FInScan) {
                T->stepLock = &step;
                T->stepGeneration = Scan_Generation;
                if (Select_Hardware == shSerial)
                    Serial_Gather();
                if (MBusType == mtWired)
                    Scan_Decode();
                else
                    Scan_Decode_Wireless();
                T->stepLock = nullptr;
            }
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

bool TMBusScanDecode::Pause(Integer Milliseconds)
{
    if (Milliseconds <= 0)
        return Step_Current();
    std::unique_lock<std::mutex>* step = T->stepLock;
    if (step != nullptr)
        step->unlock();
    {
        std::unique_lock<std::mutex> g(T->eventLock);
        T->eventCv.wait_for(g, std::chrono::milliseconds(Milliseconds), [this] { return bool(FExit); });
    }
    if (step != nullptr)
        step->lock();
    return Step_Current();
}

bool TMBusScanDecode::Step_Current() const { return FInScan && Scan_Generation == T->stepGeneration; }

bool TMBusScanDecode::Closing() const
{
    const Integer step = Step_Scan;
    return MBusType == mtWired ? step >= 200 && step <= 203 : step >= 500 && step <= 503;
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
    if (!Claim_Scan())
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
    if (!Open_Scan_Link(Wired_Local_Port))
        return false;
    return Begin_Scan();
}

// A new scan: later steps of any earlier one see that they are stale (a
// worker still pausing in one of them drops it), and the reason of an
// earlier failure is forgotten.
bool TMBusScanDecode::Claim_Scan()
{
    std::lock_guard<std::mutex> g(T->lock);
    if (FInScan)
        return false;
    ++Scan_Generation;
    SetLastError(QString());
    return true;
}

// A fresh link for every scan: whatever an earlier scan left open is closed
// first.
bool TMBusScanDecode::Open_Scan_Link(Word LocalPort)
{
    std::lock_guard<std::mutex> g(T->linkLock);
    return Select_Hardware == shSerial ? Open_Serial() : Open_Link(LocalPort);
}

bool TMBusScanDecode::Begin_Scan()
{
    std::lock_guard<std::mutex> g(T->lock);
    Step_Scan = 0;
    FStopScan = false;
    FAbortScan = false;
    FInScan = true;
    return true;
}

bool TMBusScanDecode::End_Scan(Integer LimitMs, const std::function<void()>& Idle)
{
    if (!FInScan)
        return true;
    if (!Closing())
        FAbortScan = true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max<Integer>(LimitMs, 0));
    while (FInScan && std::chrono::steady_clock::now() < deadline) {
        if (Idle)
            Idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (!FInScan)
        return true;
    Cancel_Scan();
    return false;
}

Integer TMBusScanDecode::End_Scan_Limit() const
{
    const Integer attempt =
        Add_TimeOut + std::max<Integer>(Timing.Text_TimeOut, Timing.Radio_TimeOut) + 2 * Timing.Step_Interval;
    return std::max<Integer>(Timing.Pause_Primary, Timing.Pause_Secondary) + 3 * attempt + 1000;
}

void TMBusScanDecode::Cancel_Scan()
{
    {
        std::lock_guard<std::mutex> g(T->lock);
        ++Scan_Generation;
        FInScan = false;
        FStopScan = false;
        FAbortScan = false;
        Wireless_Receive_Message = false;
    }
    // Not under the engine's lock: closing waits for the listener, which may
    // be waiting for that lock.
    std::lock_guard<std::mutex> g(T->linkLock);
    T->socket.Close();
    if (T->comm->Enabled())
        T->comm->Close();
}

bool TMBusScanDecode::Start_Scan_Wireless(TSelectHard SelHard, const QString& IP_COM, Word Port, Integer wMBus_Mode,
                                          Integer wMBus_Radio_Channel, bool RemoteTimeout,
                                          TUpdateListWirelessSlave Proc_Wireless, bool FromDLL)
{
    if (!Claim_Scan())
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
    if (!Open_Scan_Link(Wireless_Local_Port >= 0 ? Word(Wireless_Local_Port) : Port))
        return false;
    return Begin_Scan();
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

// The serial port: the scan's device, and for a wired scan the M-Bus line's
// baud rate and parity, since the meters are on the port itself.
bool TMBusScanDecode::Open_Serial()
{
    TComm& comm = *T->comm;
    try {
        comm.Close();
        comm.SetDeviceName(ComPort);
        if (MBusType == mtWired) {
            static const std::pair<Integer, TBaudrate> rates[] = {
                {300, br300}, {600, br600}, {1200, br1200}, {2400, br2400}, {4800, br4800},
                {9600, br9600}, {14400, br14400}, {19200, br19200}, {38400, br38400}};
            TBaudrate rate = br2400;
            for (const auto& [value, code] : rates)
                if (value == Baudrate)
                    rate = code;
            comm.SetBaudRate(rate);
            comm.SetParity(Parity == 1 ? paEven : Parity == 2 ? paOdd : paNone);
        } else {
            comm.SetBaudRate(br115200);
            comm.SetParity(paNone);
        }
        comm.Open();
    } catch (const ECommError& e) {
        comm.Close();
        SetLastError(QString::fromStdString(e.what()));
        return false;
    }
    T->serialIn.clear();
    return true;
}

void TMBusScanDecode::Serial_Gather()
{
    std::lock_guard<std::mutex> link(T->linkLock);
    TComm& comm = *T->comm;
    if (!comm.Enabled())
        return;
    char buffer[512];
    Integer got = 0;
    try {
        got = comm.Read(buffer, sizeof buffer);
    } catch (const ECommError&) {
        got = 0;
    }
    QByteArray& in = T->serialIn;
    in.append(buffer, got);
    if (got > 0)
        T->serialLast = GetTickCount();
    if (in.isEmpty())
        return;
    // A whole frame: E5, or a long frame of L + 6 bytes, which is waited for
    // to its end (the state's time-out ends a frame that never completes).
    Integer frame = 0;
    if (Byte(in[0]) == 0xE5)
        frame = 1;
    else if (Byte(in[0]) == 0x68 && in.size() >= 2 && in.size() >= Byte(in[1]) + 6)
        frame = Byte(in[1]) + 6;
    else if (Byte(in[0]) != 0x68 && Timeout_Elapsed_At(GetTickCount(), T->serialLast, LongWord(Timing.Serial_Quiet)))
        frame = Integer(in.size()); // anything else, once the line is quiet
    if (frame == 0)
        return;
    Ans_Len = std::min<Integer>(frame, Ans_Size);
    std::memcpy(Ans_Array, in.constData(), size_t(Ans_Len));
    in.remove(0, frame);
    Answer_Arrived = true;
}

bool TMBusScanDecode::Close_Link()
{
    // Closing waits for the listener, which may be waiting for the lock.
    std::unique_lock<std::mutex>* step = T->stepLock;
    if (step != nullptr)
        step->unlock();
    {
        std::lock_guard<std::mutex> g(T->linkLock);
        // A scan started meanwhile has opened a link of its own.
        if (step == nullptr || Scan_Generation == T->stepGeneration) {
            if (T->comm->Enabled())
                T->comm->Close();
            T->socket.Close();
        }
    }
    if (step != nullptr)
        step->lock();
    return step == nullptr || Step_Current();
}

void TMBusScanDecode::Send_Command(const QByteArray& Cmd, Word Port)
{
    Answer_Arrived = false;
    bool sent;
    QString error;
    std::unique_lock<std::mutex> link(T->linkLock);
    if (Select_Hardware == shEthernet) {
        sent = T->socket.SendTo(IP_Address, Port, Cmd);
        if (!sent)
            error = T->socket.ErrorMessage();
    } else {
        // Bytes still heard from an earlier exchange are no answer to this one.
        T->serialIn.clear();
        try {
            char drop[256];
            while (T->comm->Read(drop, sizeof drop) > 0) {
            }
            sent = T->comm->Write(Cmd.constData(), Integer(Cmd.size())) == Cmd.size();
            if (!sent)
                error = QStringLiteral("Write error");
        } catch (const ECommError& e) {
            sent = false;
            error = QString::fromStdString(e.what());
        }
    }
    link.unlock();
    Start_Send = GetTickCount();
    if (!sent) {
        SetLastError(error);
        // Nothing can reach the converter: the scan ends without its dialogue.
        const bool closing = Step_Scan == (MBusType == mtWired ? 202 : 502);
        if (!closing)
            FResult = 2;
        Step_Scan = MBusType == mtWired ? 203 : 503;
    }
}

void TMBusScanDecode::Send_Command(Word Port) { Send_Command(Req_Array, Port); }

void TMBusScanDecode::Send_Frame(Integer NextStep, Integer PauseMs)
{
    if (!Pause(PauseMs))
        return;
    Step_Scan = NextStep;
    Send_Command(Converter_Port);
}

void TMBusScanDecode::Checked_Wait(bool Matches, Integer Next, Integer Fail)
{
    if (Answer_Arrived) {
        if (Matches) {
            Step_Scan = Next;
        } else {
            FResult = 2;
            Step_Scan = Fail;
        }
    }
    if (Timeout_Elapsed()) {
        FResult = 2;
        Step_Scan = Fail;
    }
}

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
