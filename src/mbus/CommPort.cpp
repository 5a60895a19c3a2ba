// The serial-port component over a terminal device. Reads and writes never
// block: a write waits for the device at most WriteTimeout ms, a read takes
// what has arrived. The event thread moves arriving bytes into the
// component's input queue, so that each arrival is told once, and watches
// the output queue, the modem lines and the driver's error counters.
#include "mbus/CommPort.h"

#include "platform/Messages.h"

#include "mbus/CommDevice.h"
#include "mbus/CommSync.h"
#include "platform/Form.h"
#include "platform/SerialPorts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QThread>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr LongWord BaudRates[] = {110,   300,   600,   1200,   2400,   4800,   9600,    14400,  19200,
                                  38400, 56000, 57600, 115200, 128000, 256000, 1500000, 3000000};

// Event types in declaration order, as device event bits.
constexpr LongWord EventBits[] = {EV_BREAK, EV_CTS, EV_DSR, EV_ERR, EV_RING, EV_RLSD, EV_RXCHAR, EV_RXFLAG, EV_TXEMPTY};

// Option bits of the control block, in the options' order.
constexpr LongWord OptionBits[] = {dcb_Parity, dcb_DsrSensitivity, dcb_TXContinueOnXoff, dcb_ErrorChar, dcb_Null};

LongWord EventMask(TCommEventTypes events)
{
    LongWord mask = 0;
    for (unsigned i = 0; i < 9; ++i)
        if (events & CommSet(i))
            mask |= EventBits[i];
    return mask;
}

} // namespace

void RaiseCommError(const QString& Msg, Integer ErrorCode)
{
    throw ECommError(Msg + QStringLiteral(" (Error: %1) ").arg(ErrorCode), ErrorCode);
}

// What the component and its event thread share. The thread may outlive
// neither: Close stops it before the device is closed.
struct TCommShared {
    std::mutex m; // guards the members up to hungUp
    QByteArray in; // bytes taken from the device and not yet read
    qsizetype capacity = 4096;
    LongWord errors = 0;
    bool txPending = false;
    char evtChar = 0;
    bool nullStrip = false;
    bool hungUp = false;

    // Moves what the device holds into the input queue, up to its size.
    // Returns the bytes taken, 0 when none, -1 when the device failed.
    int Drain(int fd)
    {
        const qsizetype room = capacity - in.size();
        if (room <= 0)
            return 0;
        char buf[4096];
        const ssize_t n = ::read(fd, buf, size_t(std::min<qsizetype>(room, qsizetype(sizeof buf))));
        if (n < 0)
            return errno == EAGAIN || errno == EINTR ? 0 : -1;
        if (n == 0)
            return -1;
        QByteArray got(buf, n);
        if (nullStrip)
            got.replace('\0', QByteArray());
        in += got;
        return int(n);
    }

    // Event delivery to the component on the user-interface thread.
    std::recursive_mutex dispatch;
    TCustomComm* owner = nullptr; // guarded by dispatch; none once closed
    std::mutex syncM;
    std::condition_variable syncCv;
    std::atomic<bool> terminated{false};
};

// The thread that watches one open port.
class TCommEventThread {
public:
    using TCommEvent = std::function<void(TObject* Sender, LongWord Mask)>;

    TCommEventThread(int Handle, TCommEventTypes Events, std::shared_ptr<TCommShared> Shared)
        : FCommHandle(Handle), FEvent(std::make_unique<TSimpleEvent>()), FEventMask(EventMask(Events)), FShared(std::move(Shared))
    {
        FThread = std::thread([this] { Execute(); });
    }
    // Ends the thread and waits for it; the device is purged on its way out.
    ~TCommEventThread()
    {
        {
            std::lock_guard<std::mutex> l(FShared->syncM);
            FShared->terminated = true;
        }
        FShared->syncCv.notify_all();
        FEvent->SetEvent();
        if (FThread.joinable())
            FThread.join();
    }
    void Wake() { FEvent->SetEvent(); }

private:
    void Execute();
    void Synchronize(LongWord Mask);

    int FCommHandle;
    std::unique_ptr<TSimpleEvent> FEvent;
    LongWord FEventMask;
    std::shared_ptr<TCommShared> FShared;
    std::thread FThread;
};

void TCommEventThread::Execute()
{
    TCommShared& s = *FShared;
    const int fd = FCommHandle;
    int lines = 0;
    TCommCounts counts;
    const bool watchLines = (FEventMask & (EV_CTS | EV_DSR | EV_RLSD | EV_RING)) && Comm_Modem_Lines(fd, lines);
    const bool watchCounts = (FEventMask & (EV_BREAK | EV_ERR)) && Comm_Counts(fd, counts);
    const bool watchInput = FEventMask & (EV_RXCHAR | EV_RXFLAG);

    while (!s.terminated) {
        pollfd fds[2] = {{FEvent->Handle(), POLLIN, 0}, {fd, POLLIN, 0}};
        int timeout = -1;
        bool wantInput;
        {
            std::lock_guard<std::mutex> l(s.m);
            wantInput = watchInput && !s.hungUp && s.in.size() < s.capacity;
            if (s.txPending)
                timeout = 10;
            else if (watchLines || watchCounts)
                timeout = 50;
        }
        const int r = ::poll(fds, wantInput ? 2 : 1, timeout);
        if (s.terminated)
            break;
        if (r < 0)
            continue;
        if (fds[0].revents)
            FEvent->ResetEvent();

        LongWord got = 0;
        {
            std::lock_guard<std::mutex> l(s.m);
            if (wantInput && fds[1].revents) {
                const qsizetype before = s.in.size();
                const int n = s.Drain(fd);
                if (n > 0) {
                    got |= EV_RXCHAR;
                    if (s.in.indexOf(s.evtChar, before) >= 0)
                        got |= EV_RXFLAG;
                } else if (n < 0 || (fds[1].revents & (POLLHUP | POLLERR))) {
                    s.hungUp = true; // the device went away: stop watching its input
                }
            }
            if (s.txPending && Comm_Out_Queue(fd) == 0) {
                s.txPending = false;
                got |= EV_TXEMPTY;
            }
        }
        if (watchLines) {
            int now = 0;
            if (Comm_Modem_Lines(fd, now)) {
                const int changed = now ^ lines;
                lines = now;
                if (changed & clCTS) got |= EV_CTS;
                if (changed & clDSR) got |= EV_DSR;
                if (changed & clRLSD) got |= EV_RLSD;
                if (changed & clRING) got |= EV_RING;
            }
        }
        if (watchCounts) {
            TCommCounts now;
            if (Comm_Counts(fd, now)) {
                LongWord errors = 0;
                if (now.Break != counts.Break) { got |= EV_BREAK; errors |= CE_BREAK; }
                if (now.Frame != counts.Frame) errors |= CE_FRAME;
                if (now.Overrun != counts.Overrun) errors |= CE_OVERRUN;
                if (now.Parity != counts.Parity) errors |= CE_RXPARITY;
                if (now.BufOverrun != counts.BufOverrun) errors |= CE_RXOVER;
                counts = now;
                if (errors & ~LongWord(CE_BREAK))
                    got |= EV_ERR;
                if (errors) {
                    std::lock_guard<std::mutex> l(s.m);
                    s.errors |= errors;
                }
            }
        }
        got &= FEventMask;
        if (got)
            Synchronize(got);
    }
    Comm_Flush(fd, true, true);
}

// Runs the component's event handling on the user-interface thread and
// waits for it, unless the port is closed in the meantime.
void TCommEventThread::Synchronize(LongWord Mask)
{
    std::shared_ptr<TCommShared> shared = FShared;
    auto deliver = [shared, Mask] {
        std::lock_guard<std::recursive_mutex> l(shared->dispatch);
        if (shared->owner == nullptr)
            return;
        try {
            shared->owner->HandleCommEvent(Mask);
        } catch (const std::exception& e) {
            if (Application)
                Application->HandleException(shared->owner, e);
        }
    };
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        deliver();
        return;
    }
    auto done = std::make_shared<bool>(false);
    Post_To_Window_Thread([shared, deliver, done](bool delivered) {
        if (delivered)
            deliver();
        {
            std::lock_guard<std::mutex> l(shared->syncM);
            *done = true;
        }
        shared->syncCv.notify_all();
    });
    std::unique_lock<std::mutex> l(shared->syncM);
    shared->syncCv.wait(l, [&] { return *done || shared->terminated.load(); });
}

// ---------------------------------------------------------------------------

void TCommEventChars::Set(Byte& Field, Byte Value)
{
    Field = Value;
    if (FOwner != nullptr)
        FOwner->UpdateCommState();
}

void TCommEventChars::Assign(const TPersistent* Source)
{
    if (auto* other = dynamic_cast<const TCommEventChars*>(Source)) {
        FXonChar = other->FXonChar;
        FXoffChar = other->FXoffChar;
        FErrorChar = other->FErrorChar;
        FEofChar = other->FEofChar;
        FEvtChar = other->FEvtChar;
        return;
    }
    TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------

TCustomComm::TCustomComm(TComponent* AOwner)
    : TComponent(AOwner),
      FDeviceName(QStringLiteral("Com2")),
      FEvent(std::make_unique<TSimpleEvent>()),
      FCriticalSection(std::make_unique<TCriticalSection>()),
      FReadTimeout(1000),
      FWriteTimeout(1000),
      FReadBufSize(4096),
      FWriteBufSize(2048),
      FMonitorEvents(AllCommEvents),
      FBaudRate(br9600),
      FParity(paNone),
      FStopbits(sb10),
      FDatabits(da8),
      FEventChars(std::make_unique<TCommEventChars>(this)),
      FOptions(0),
      FFlowControl(fcDefault),
      FShared(std::make_shared<TCommShared>())
{
}

TCustomComm::~TCustomComm() { Close(); }

void TCustomComm::CheckPortClosed()
{
    if (Enabled())
        RaiseCommError(QStringLiteral("Port already assigned (open)"), -1);
}

void TCustomComm::CheckOpen()
{
    if (!Enabled())
        RaiseCommError(QStringLiteral("Port not open, unable to complete operation"), -1);
}

void TCustomComm::OpenDeviceHandle()
{
    // "\\.\COM3", "COM3" and "Com2" name numbered ports; anything else is a path.
    QString name = FDeviceName;
    if (name.startsWith(QLatin1String("\\\\.\\")))
        name = name.mid(4);
    QString path = name;
    static const QRegularExpression comName(QStringLiteral("^COM(\\d+)$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = comName.match(name);
    if (m.hasMatch()) {
        path = SerialDevicePath(m.captured(1).toInt());
        if (path.isEmpty())
            RaiseCommError(QStringLiteral("Error accessing specified device"), ENOENT);
    }
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        RaiseCommError(QStringLiteral("Error accessing specified device"), errno);
    // Not shared: one component at a time holds the device.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        RaiseCommError(QStringLiteral("Error accessing specified device"), err);
    }
    if (!::isatty(fd)) {
        ::close(fd);
        FHandle = -1;
        RaiseCommError(QStringLiteral("Invalid device handle, access denied"), -1);
    }
    ::ioctl(fd, TIOCEXCL);
    FHandle = fd;
}

void TCustomComm::Open()
{
    CheckPortClosed();
    OpenDeviceHandle();
    if (!Enabled())
        return;
    FDcbWritten = false;
    FXoffHeld = false;
    {
        std::lock_guard<std::mutex> l(FShared->m);
        FShared->in.clear();
        FShared->errors = 0;
        FShared->txPending = false;
        FShared->hungUp = false;
        FShared->capacity = std::max(FReadBufSize, 1);
    }
    {
        std::lock_guard<std::recursive_mutex> l(FShared->dispatch);
        FShared->owner = this;
    }
    FShared->terminated = false;
    FEventThread = std::make_unique<TCommEventThread>(FHandle, FMonitorEvents, FShared);
    SetNonBlockingTimeouts();
    UpdateCommState();
    if (FReadBufSize <= 0 || FWriteBufSize <= 0)
        RaiseCommError(QStringLiteral("Error initializing Read/Write Buffers"), EINVAL);
}

void TCustomComm::Close()
{
    if (!Enabled())
        return;
    {
        // No event reaches the component once it is closed.
        std::lock_guard<std::recursive_mutex> l(FShared->dispatch);
        FShared->owner = nullptr;
    }
    FEventThread.reset();
    ::close(FHandle);
    FHandle = -1;
}

void TCustomComm::SetNonBlockingTimeouts()
{
    const int flags = ::fcntl(FHandle, F_GETFL);
    if (flags < 0 || ::fcntl(FHandle, F_SETFL, flags | O_NONBLOCK) != 0)
        RaiseCommError(QStringLiteral("Error updating CommTimeouts"), errno);
}

void TCustomComm::UpdateCommState()
{
    if (!Enabled())
        return;
    const QString failure = QStringLiteral("Error updating DataControlBlock");
    int err = 0;
    TCommLine line;
    if (!Comm_Get_Line(FHandle, line, err))
        RaiseCommError(failure, err);
    // The block as the device holds it: what the terminal settings say, and
    // what this component wrote before for the rest.
    if (!FDcbWritten) {
        FDCB = TDCB();
        FDCB.Flags = dcb_Binary | dcb_DtrControlEnable | dcb_RtsControlEnable;
    }
    FDCB.Flags &= ~(dcb_Parity | dcb_OutxCtsFlow | dcb_OutX | dcb_InX);
    if ((FDCB.Flags & dcb_RtsControlMask) == dcb_RtsControlHandshake)
        FDCB.Flags = (FDCB.Flags & ~dcb_RtsControlMask) | dcb_RtsControlEnable;
    if (line.ParityCheck) FDCB.Flags |= dcb_Parity;
    if (line.CtsFlow) FDCB.Flags = (FDCB.Flags & ~dcb_RtsControlMask) | dcb_OutxCtsFlow | dcb_RtsControlHandshake;
    if (line.OutX) FDCB.Flags |= dcb_OutX;
    if (line.InX) FDCB.Flags |= dcb_InX;

    FDCB.BaudRate = BaudRates[FBaudRate];
    FDCB.Parity = Byte(FParity);
    FDCB.StopBits = Byte(FStopbits);
    FDCB.ByteSize = Byte(FDatabits + 4);
    FDCB.XonChar = FEventChars->XonChar();
    FDCB.XoffChar = FEventChars->XoffChar();
    FDCB.ErrorChar = FEventChars->ErrorChar();
    FDCB.EofChar = FEventChars->EofChar();
    FDCB.EvtChar = FEventChars->EvtChar();
    FDCB.XonLim = FDCB.XoffLim = Word(FReadBufSize / 4);
    ApplyFlowControl();
    for (unsigned i = 0; i < 5; ++i) {
        if (FOptions & CommSet(i))
            FDCB.Flags |= OptionBits[i];
        else
            FDCB.Flags &= ~OptionBits[i];
    }

    line.Baud = FDCB.BaudRate;
    line.ByteSize = FDCB.ByteSize;
    line.Parity = FDCB.Parity;
    line.StopBits = FDCB.StopBits;
    line.ParityCheck = FDCB.Flags & dcb_Parity;
    line.CtsFlow = (FDCB.Flags & dcb_OutxCtsFlow) || (FDCB.Flags & dcb_RtsControlMask) == dcb_RtsControlHandshake;
    line.OutX = FDCB.Flags & dcb_OutX;
    line.InX = FDCB.Flags & dcb_InX;
    line.XonChar = FDCB.XonChar;
    line.XoffChar = FDCB.XoffChar;
    if (!Comm_Make_Raw(FHandle, err) || !Comm_Set_Line(FHandle, line, err))
        RaiseCommError(failure, err);
    // DTR and RTS as their controls say; a device without modem lines
    // simply has none to set.
    int ignored;
    Comm_Set_Modem_Line(FHandle, clDTR, (FDCB.Flags & dcb_DtrControlMask) != 0, ignored);
    if ((FDCB.Flags & dcb_RtsControlMask) != dcb_RtsControlHandshake)
        Comm_Set_Modem_Line(FHandle, clRTS, (FDCB.Flags & dcb_RtsControlMask) != 0, ignored);
    {
        std::lock_guard<std::mutex> l(FShared->m);
        FShared->evtChar = char(FDCB.EvtChar);
        FShared->nullStrip = FDCB.Flags & dcb_Null;
    }
    FDcbWritten = true;
}

void TCustomComm::ApplyFlowControl()
{
    switch (FFlowControl) {
    case fcNone: FDCB.Flags = dcb_Binary; break;
    case fcCTS: FDCB.Flags = (FDCB.Flags & ~dcb_RtsControlMask) | dcb_OutxCtsFlow | dcb_RtsControlHandshake; break;
    case fcDTR: FDCB.Flags = (FDCB.Flags & ~dcb_DtrControlMask) | dcb_OutxDsrFlow | dcb_DtrControlHandshake; break;
    case fcSoftware: FDCB.Flags |= dcb_OutX | dcb_InX; break;
    case fcDefault: break;
    }
}

Integer TCustomComm::Write(const void* Buf, Integer Count)
{
    std::lock_guard<TCriticalSection> l(*FCriticalSection);
    if (!Enabled())
        RaiseCommError(QStringLiteral("Write error"), EBADF);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(FWriteTimeout, 0));
    const char* p = static_cast<const char*>(Buf);
    Integer written = 0;
    while (written < Count) {
        const ssize_t n = ::write(FHandle, p + written, size_t(Count - written));
        if (n > 0) {
            written += Integer(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            RaiseCommError(QStringLiteral("Write error"), errno);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return -1;
        pollfd pf{FHandle, POLLOUT, 0};
        ::poll(&pf, 1, int(left.count()));
    }
    {
        std::lock_guard<std::mutex> s(FShared->m);
        FShared->txPending = true;
    }
    if (FEventThread)
        FEventThread->Wake();
    return written;
}

Integer TCustomComm::Read(void* Buf, Integer Count)
{
    std::lock_guard<TCriticalSection> l(*FCriticalSection);
    if (!Enabled())
        RaiseCommError(QStringLiteral("Read error"), EBADF);
    char* p = static_cast<char*>(Buf);
    Integer copied = 0;
    int err = 0;
    {
        std::lock_guard<std::mutex> s(FShared->m);
        for (;;) {
            const Integer take = Integer(std::min<qsizetype>(Count - copied, FShared->in.size()));
            std::memcpy(p + copied, FShared->in.constData(), size_t(take));
            FShared->in.remove(0, take);
            copied += take;
            if (copied >= Count)
                break;
            const int n = FShared->Drain(FHandle);
            if (n < 0)
                err = errno ? errno : EIO;
            if (n <= 0)
                break;
        }
    }
    if (FEventThread)
        FEventThread->Wake(); // there may be room again for the device's bytes
    if (copied == 0 && err != 0)
        RaiseCommError(QStringLiteral("Read error"), err);
    return copied;
}

LongWord TCustomComm::ClearCommError()
{
    std::lock_guard<std::mutex> s(FShared->m);
    const LongWord e = FShared->errors;
    FShared->errors = 0;
    return e;
}

Integer TCustomComm::InQueCount()
{
    if (!Enabled())
        return -1;
    ClearCommError();
    std::lock_guard<std::mutex> s(FShared->m);
    return Integer(FShared->in.size()) + Comm_In_Queue(FHandle);
}

Integer TCustomComm::OutQueCount()
{
    if (!Enabled())
        return -1;
    ClearCommError();
    return Comm_Out_Queue(FHandle);
}

void TCustomComm::PurgeIn()
{
    if (!Enabled())
        return;
    {
        std::lock_guard<std::mutex> s(FShared->m);
        FShared->in.clear();
        Comm_Flush(FHandle, true, false);
    }
    if (FEventThread)
        FEventThread->Wake();
}

void TCustomComm::PurgeOut()
{
    if (Enabled())
        Comm_Flush(FHandle, false, true);
}

void TCustomComm::SetDTRState(bool State)
{
    CheckOpen();
    int err = 0;
    if (!Comm_Set_Modem_Line(FHandle, clDTR, State, err))
        RaiseCommError(QStringLiteral("EscapeCommFunction failure"), err);
}

void TCustomComm::SetRTSState(bool State)
{
    CheckOpen();
    int err = 0;
    if (!Comm_Set_Modem_Line(FHandle, clRTS, State, err))
        RaiseCommError(QStringLiteral("EscapeCommFunction failure"), err);
}

void TCustomComm::SetBREAKState(bool State)
{
    CheckOpen();
    int err = 0;
    if (!Comm_Break(FHandle, State, err))
        RaiseCommError(QStringLiteral("EscapeCommFunction failure"), err);
    PurgeIn();
    PurgeOut();
}

void TCustomComm::SetXONState(bool State)
{
    CheckOpen();
    int err = 0;
    if (!Comm_Flow(FHandle, State, err))
        RaiseCommError(QStringLiteral("EscapeCommFunction failure"), err);
    FXoffHeld = !State;
}

namespace {
bool Line(int fd, int bit)
{
    int bits = 0;
    return fd >= 0 && Comm_Modem_Lines(fd, bits) && (bits & bit);
}
} // namespace

bool TCustomComm::CTS() { return Line(FHandle, clCTS); }
bool TCustomComm::DSR() { return Line(FHandle, clDSR); }
bool TCustomComm::RING() { return Line(FHandle, clRING); }
bool TCustomComm::RLSD() { return Line(FHandle, clRLSD); }

bool TCustomComm::CtsHold()
{
    if (!Enabled())
        return false;
    ClearCommError();
    int bits = 0;
    return (FDCB.Flags & dcb_OutxCtsFlow) && Comm_Modem_Lines(FHandle, bits) && !(bits & clCTS);
}

bool TCustomComm::DsrHold()
{
    if (!Enabled())
        return false;
    ClearCommError();
    int bits = 0;
    return (FDCB.Flags & dcb_OutxDsrFlow) && Comm_Modem_Lines(FHandle, bits) && !(bits & clDSR);
}

bool TCustomComm::RlsdHold()
{
    if (Enabled())
        ClearCommError();
    return false;
}

bool TCustomComm::XoffHold()
{
    if (!Enabled())
        return false;
    ClearCommError();
    return FXoffHeld;
}

void TCustomComm::HandleCommEvent(LongWord Mask)
{
    const LongWord errors = ClearCommError();
    if ((Mask & EV_BREAK) && OnBreak) OnBreak(this);
    if ((Mask & EV_CTS) && OnCts) OnCts(this);
    if ((Mask & EV_DSR) && OnDsr) OnDsr(this);
    if ((Mask & EV_ERR) && OnError) OnError(this, errors);
    if ((Mask & EV_RING) && OnRing) OnRing(this);
    if ((Mask & EV_RLSD) && OnRlsd) OnRlsd(this);
    if ((Mask & EV_RXCHAR) && OnRxChar) {
        const Integer count = InQueCount();
        if (count > 0)
            OnRxChar(this, count);
    }
    if ((Mask & EV_RXFLAG) && OnRxFlag) OnRxFlag(this);
    if ((Mask & EV_TXEMPTY) && OnTxEmpty) OnTxEmpty(this);
}

// Settings the device holds only while closed.
template <class T> void TCustomComm::SetWhileClosed(T& Field, const T& Value)
{
    if (Value == Field)
        return;
    CheckPortClosed();
    Field = Value;
}

// Line settings, which an open port takes at once.
template <class T> void TCustomComm::SetLine(T& Field, const T& Value)
{
    if (Value == Field)
        return;
    Field = Value;
    UpdateCommState();
}

void TCustomComm::SetDeviceName(const QString& Value) { SetWhileClosed(FDeviceName, Value); }
void TCustomComm::SetMonitorEvents(TCommEventTypes Value) { SetWhileClosed(FMonitorEvents, Value); }
void TCustomComm::SetReadBufSize(Integer Value) { SetWhileClosed(FReadBufSize, Value); }
void TCustomComm::SetWriteBufSize(Integer Value) { SetWhileClosed(FWriteBufSize, Value); }
void TCustomComm::SetBaudRate(TBaudrate Value) { SetLine(FBaudRate, Value); }
void TCustomComm::SetParity(TParity Value) { SetLine(FParity, Value); }
void TCustomComm::SetStopbits(TStopbits Value) { SetLine(FStopbits, Value); }
void TCustomComm::SetDatabits(TDatabits Value) { SetLine(FDatabits, Value); }
void TCustomComm::SetOptions(TCommOptions Value) { SetLine(FOptions, Value); }
void TCustomComm::SetFlowControl(TFlowControl Value) { SetLine(FFlowControl, Value); }
