// The serial component on a pseudo-terminal pair: the test holds the master
// side as the far end of the line, the component opens the slave device.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

#include "mbus/CommDevice.h"
#include "mbus/CommPort.h"
#include "mbus/CommSync.h"
#include "platform/SerialPorts.h"

namespace {

// Handles events until Done holds or two seconds pass.
bool PumpUntil(const std::function<bool()>& Done)
{
    QElapsedTimer t;
    t.start();
    while (!Done()) {
        if (t.elapsed() > 2000)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return true;
}

class Pty {
public:
    Pty()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(master, 0);
        EXPECT_EQ(::grantpt(master), 0);
        EXPECT_EQ(::unlockpt(master), 0);
        slave = QString::fromLocal8Bit(::ptsname(master));
    }
    ~Pty() { ::close(master); }
    void Send(const QByteArray& b) { ASSERT_EQ(::write(master, b.constData(), size_t(b.size())), b.size()); }
    // What the component sent, waiting up to two seconds for Count bytes.
    QByteArray Receive(int Count)
    {
        QByteArray got;
        PumpUntil([&] {
            char buf[256];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0)
                got.append(buf, n);
            return got.size() >= Count;
        });
        return got;
    }

    int master = -1;
    QString slave;
};

// Expects Action to raise ECommError with this message and code.
void ExpectCommError(const std::function<void()>& Action, const char* Message, Integer Code)
{
    try {
        Action();
        ADD_FAILURE() << "no error, expected " << Message;
    } catch (const ECommError& e) {
        EXPECT_EQ(std::string(e.what()), std::string(Message) + " (Error: " + std::to_string(Code) + ") ");
        EXPECT_EQ(e.ErrorCode, Code);
    }
}

// Reaches the event handling that the event thread runs.
class TTestComm : public TComm {
public:
    using TComm::TComm;
    using TCustomComm::HandleCommEvent;
};

TEST(CommPort, DefaultsAndSettingsThatNeedAClosedPort)
{
    Pty pty;
    TComm comm(nullptr);
    EXPECT_EQ(comm.DeviceName(), QStringLiteral("Com2"));
    EXPECT_EQ(comm.ReadTimeout(), 1000);
    EXPECT_EQ(comm.WriteTimeout(), 1000);
    EXPECT_EQ(comm.ReadBufSize(), 4096);
    EXPECT_EQ(comm.WriteBufSize(), 2048);
    EXPECT_EQ(comm.MonitorEvents(), AllCommEvents);
    EXPECT_EQ(comm.BaudRate(), br9600);
    EXPECT_EQ(comm.FlowControl(), fcDefault);
    EXPECT_EQ(comm.EventChars()->XonChar(), 17);
    EXPECT_EQ(comm.EventChars()->XoffChar(), 19);

    // Closed: no queues, no lines, no line control.
    EXPECT_EQ(comm.InQueCount(), -1);
    EXPECT_EQ(comm.OutQueCount(), -1);
    EXPECT_FALSE(comm.CTS() || comm.DSR() || comm.RING() || comm.RLSD() || comm.XoffHold() || comm.CtsHold());
    ExpectCommError([&] { comm.SetDTRState(true); }, "Port not open, unable to complete operation", -1);
    ExpectCommError([&] { comm.SetXONState(true); }, "Port not open, unable to complete operation", -1);

    comm.SetDeviceName(pty.slave);
    comm.Open();
    ASSERT_TRUE(comm.Enabled());
    comm.SetDeviceName(pty.slave); // the same name: nothing happens
    ExpectCommError([&] { comm.SetDeviceName(QStringLiteral("COM1")); }, "Port already assigned (open)", -1);
    ExpectCommError([&] { comm.SetReadBufSize(100); }, "Port already assigned (open)", -1);
    ExpectCommError([&] { comm.SetMonitorEvents(0); }, "Port already assigned (open)", -1);
    ExpectCommError([&] { comm.Open(); }, "Port already assigned (open)", -1);
    EXPECT_EQ(comm.DeviceName(), pty.slave);
    comm.Close();
    comm.Close(); // closing a closed port does nothing
    EXPECT_FALSE(comm.Enabled());
    comm.SetReadBufSize(100);
    EXPECT_EQ(comm.ReadBufSize(), 100);
}

TEST(CommPort, DevicesThatAreNoSerialPort)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain.txt"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    TComm comm(nullptr);
    comm.SetDeviceName(file);
    ExpectCommError([&] { comm.Open(); }, "Invalid device handle, access denied", -1);
    EXPECT_FALSE(comm.Enabled());
    EXPECT_EQ(comm.Handle(), -1);

    comm.SetDeviceName(dir.filePath(QStringLiteral("missing")));
    ExpectCommError([&] { comm.Open(); }, "Error accessing specified device", ENOENT);
    comm.SetDeviceName(QStringLiteral("\\\\.\\COM250")); // a number without a device
    ExpectCommError([&] { comm.Open(); }, "Error accessing specified device", ENOENT);
    EXPECT_FALSE(comm.Enabled());
}

TEST(CommPort, NumberedPortIsItsDeviceAndIsNotShared)
{
    Pty pty;
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::link(pty.slave, dir.filePath(QStringLiteral("ttyUSB0"))));
    SetSerialDeviceFolder(dir.path());
    TComm comm(nullptr);
    comm.SetDeviceName(QStringLiteral("\\\\.\\COM65"));
    comm.Open();
    EXPECT_TRUE(comm.Enabled());
    TComm other(nullptr);
    other.SetDeviceName(QStringLiteral("com65"));
    ExpectCommError([&] { other.Open(); }, "Error accessing specified device", EWOULDBLOCK);
    comm.Close();
    other.Open(); // free again once closed
    EXPECT_TRUE(other.Enabled());
    other.Close();
    SetSerialDeviceFolder(QStringLiteral("/dev"));
}

TEST(CommPort, LineSettingsReachTheDevice)
{
    Pty pty;
    TComm comm(nullptr);
    comm.SetDeviceName(pty.slave);
    comm.SetBaudRate(br115200);
    comm.SetFlowControl(fcNone);
    comm.SetOptions(CommSet(coParityCheck));
    comm.Open();

    EXPECT_EQ(comm.DCB().Flags, LongWord(dcb_Binary | dcb_Parity));
    EXPECT_EQ(comm.DCB().XonLim, 1024);
    EXPECT_EQ(comm.DCB().XoffLim, 1024);
    TCommLine line;
    int err = 0;
    ASSERT_TRUE(Comm_Get_Line(comm.Handle(), line, err));
    EXPECT_EQ(line.Baud, 115200u);
    EXPECT_EQ(line.ByteSize, 8);
    EXPECT_EQ(line.Parity, 0);
    EXPECT_EQ(line.StopBits, 0);
    EXPECT_TRUE(line.ParityCheck);
    EXPECT_FALSE(line.CtsFlow || line.OutX || line.InX);

    // Line settings change on the open port at once. A pseudo-terminal
    // keeps eight bits without parity whatever it is told, so those two are
    // read from the control block.
    comm.SetBaudRate(br56000);
    comm.SetParity(paEven);
    comm.SetDatabits(da7);
    comm.SetStopbits(sb20);
    comm.SetFlowControl(fcCTS);
    comm.SetOptions(0);
    comm.EventChars()->SetXonChar(0x11 + 1);
    ASSERT_TRUE(Comm_Get_Line(comm.Handle(), line, err));
    EXPECT_EQ(line.Baud, 56000u);
    EXPECT_EQ(comm.DCB().Parity, 2);
    EXPECT_EQ(comm.DCB().ByteSize, 7);
    EXPECT_EQ(comm.DCB().StopBits, 2);
    EXPECT_EQ(line.StopBits, 2);
    EXPECT_TRUE(line.CtsFlow);
    EXPECT_FALSE(line.ParityCheck);
    EXPECT_EQ(line.XonChar, 0x12);
    EXPECT_EQ(comm.DCB().Flags & (dcb_OutxCtsFlow | dcb_RtsControlMask), LongWord(dcb_OutxCtsFlow | dcb_RtsControlHandshake));
    EXPECT_EQ(comm.DCB().XonChar, 0x12);

    comm.SetFlowControl(fcSoftware);
    comm.SetParity(paMark);
    ASSERT_TRUE(Comm_Get_Line(comm.Handle(), line, err));
    EXPECT_TRUE(line.OutX && line.InX);
    EXPECT_EQ(comm.DCB().Parity, 3);
    // Options stay as set whatever the preset.
    comm.SetFlowControl(fcNone);
    comm.SetOptions(CommSet(coNullStrip) | CommSet(coIgnoreXOff));
    EXPECT_EQ(comm.DCB().Flags, LongWord(dcb_Binary | dcb_Null | dcb_TXContinueOnXoff));

    // Four data bits and one and a half stop bits with eight are refused.
    ExpectCommError([&] { comm.SetDatabits(da4); }, "Error updating DataControlBlock", EINVAL);
    comm.SetDatabits(da8);
    ExpectCommError([&] { comm.SetStopbits(sb15); }, "Error updating DataControlBlock", EINVAL);
    comm.SetDatabits(da5);
    EXPECT_EQ(comm.DCB().StopBits, 1);
    EXPECT_EQ(comm.DCB().ByteSize, 5);
}

TEST(CommPort, BytesAndEventsBothWays)
{
    Pty pty;
    TComm comm(nullptr);
    comm.SetDeviceName(pty.slave);
    comm.EventChars()->SetEvtChar('\n');
    QStringList events;
    Integer rxCount = 0;
    comm.OnRxChar = [&](TObject* sender, Integer count) {
        EXPECT_EQ(sender, &comm);
        events << QStringLiteral("rx");
        rxCount = count;
    };
    comm.OnRxFlag = [&](TObject*) { events << QStringLiteral("flag"); };
    comm.OnTxEmpty = [&](TObject*) { events << QStringLiteral("txempty"); };
    comm.Open();

    pty.Send("hello");
    ASSERT_TRUE(PumpUntil([&] { return events.contains(QStringLiteral("rx")); }));
    EXPECT_EQ(rxCount, 5);
    EXPECT_FALSE(events.contains(QStringLiteral("flag")));
    EXPECT_EQ(comm.InQueCount(), 5);
    char buf[16] = {};
    EXPECT_EQ(comm.Read(buf, 3), 3);
    EXPECT_EQ(QByteArray(buf, 3), QByteArray("hel"));
    EXPECT_EQ(comm.Read(buf, 16), 2);
    EXPECT_EQ(QByteArray(buf, 2), QByteArray("lo"));
    EXPECT_EQ(comm.Read(buf, 16), 0); // nothing waiting: at once

    events.clear();
    pty.Send("line\n");
    ASSERT_TRUE(PumpUntil([&] { return events.contains(QStringLiteral("flag")); }));
    EXPECT_EQ(events.first(), QStringLiteral("rx"));
    comm.PurgeIn();
    EXPECT_EQ(comm.InQueCount(), 0);

    events.clear();
    EXPECT_EQ(comm.Write("\x10\x5B\x01\x5C\x16", 5), 5);
    EXPECT_EQ(pty.Receive(5), QByteArray("\x10\x5B\x01\x5C\x16"));
    ASSERT_TRUE(PumpUntil([&] { return events.contains(QStringLiteral("txempty")); }));
    EXPECT_EQ(comm.OutQueCount(), 0);

    // More than the input queue holds arrives whole, in order.
    comm.Close();
    comm.SetReadBufSize(64);
    comm.Open();
    QByteArray big;
    for (int i = 0; i < 1000; ++i)
        big += char('A' + i % 26);
    pty.Send(big);
    QByteArray got;
    ASSERT_TRUE(PumpUntil([&] {
        char chunk[50];
        const Integer n = comm.Read(chunk, 50);
        got.append(chunk, n);
        return got.size() >= big.size();
    }));
    EXPECT_EQ(got, big);
}

TEST(CommPort, NullBytesAreStrippedWhenAsked)
{
    Pty pty;
    TComm comm(nullptr);
    comm.SetDeviceName(pty.slave);
    comm.SetOptions(CommSet(coNullStrip));
    comm.Open();
    pty.Send(QByteArray("a\0b\0\0c", 6));
    QByteArray got;
    ASSERT_TRUE(PumpUntil([&] {
        char buf[8];
        got.append(buf, comm.Read(buf, 8));
        return got.size() >= 3;
    }));
    EXPECT_EQ(got, QByteArray("abc"));
}

TEST(CommPort, EventOrderAndAnEmptyInputQueue)
{
    Pty pty;
    TTestComm comm(nullptr);
    comm.SetDeviceName(pty.slave);
    comm.SetMonitorEvents(0); // only the calls below raise events
    comm.Open();
    QStringList order;
    comm.OnBreak = [&](TObject*) { order << QStringLiteral("break"); };
    comm.OnCts = [&](TObject*) { order << QStringLiteral("cts"); };
    comm.OnDsr = [&](TObject*) { order << QStringLiteral("dsr"); };
    comm.OnError = [&](TObject*, LongWord) { order << QStringLiteral("error"); };
    comm.OnRing = [&](TObject*) { order << QStringLiteral("ring"); };
    comm.OnRlsd = [&](TObject*) { order << QStringLiteral("rlsd"); };
    comm.OnRxChar = [&](TObject*, Integer) { order << QStringLiteral("rx"); };
    comm.OnRxFlag = [&](TObject*) { order << QStringLiteral("flag"); };
    comm.OnTxEmpty = [&](TObject*) { order << QStringLiteral("txempty"); };
    const LongWord all = EV_RXCHAR | EV_RXFLAG | EV_TXEMPTY | EV_CTS | EV_DSR | EV_RLSD | EV_BREAK | EV_ERR | EV_RING;
    comm.HandleCommEvent(all);
    EXPECT_EQ(order.join(QLatin1Char(' ')), QStringLiteral("break cts dsr error ring rlsd flag txempty"));

    order.clear();
    pty.Send("x");
    ASSERT_TRUE(PumpUntil([&] { return comm.InQueCount() == 1; }));
    comm.HandleCommEvent(EV_RXCHAR | EV_TXEMPTY);
    EXPECT_EQ(order.join(QLatin1Char(' ')), QStringLiteral("rx txempty"));
}

TEST(CommPort, SoftwareFlowAndModemLines)
{
    Pty pty;
    TComm comm(nullptr);
    comm.SetDeviceName(pty.slave);
    comm.SetWriteTimeout(100);
    comm.Open();
    // As if XOFF had come: output waits, the write times out.
    comm.SetXONState(false);
    EXPECT_TRUE(comm.XoffHold());
    EXPECT_EQ(comm.Write("abc", 3), -1);
    comm.SetXONState(true);
    EXPECT_FALSE(comm.XoffHold());
    EXPECT_EQ(comm.Write("def", 3), 3);
    EXPECT_TRUE(pty.Receive(3).endsWith("def"));

    // A pseudo-terminal has no modem lines: they read false, and setting
    // one is refused by the device.
    EXPECT_FALSE(comm.CTS() || comm.DSR() || comm.RING() || comm.RLSD());
    EXPECT_FALSE(comm.CtsHold() || comm.DsrHold() || comm.RlsdHold());
    try {
        comm.SetDTRState(true);
        ADD_FAILURE() << "a pseudo-terminal took DTR";
    } catch (const ECommError& e) {
        EXPECT_TRUE(QString::fromStdString(e.what()).startsWith(QStringLiteral("EscapeCommFunction failure (Error: ")));
        EXPECT_GT(e.ErrorCode, 0);
    }
    // A break purges what waits in both directions.
    pty.Send("zz");
    ASSERT_TRUE(PumpUntil([&] { return comm.InQueCount() == 2; }));
    comm.SetBREAKState(true);
    comm.SetBREAKState(false);
    EXPECT_EQ(comm.InQueCount(), 0);
}

TEST(CommPort, ClosingFromAHandlerAndFreeingWithEventsOnTheirWay)
{
    Pty pty;
    TComm comm(nullptr);
    comm.SetDeviceName(pty.slave);
    int calls = 0;
    comm.OnRxChar = [&](TObject*, Integer) {
        ++calls;
        comm.Close();
    };
    comm.Open();
    pty.Send("a");
    ASSERT_TRUE(PumpUntil([&] { return calls == 1; }));
    EXPECT_FALSE(comm.Enabled());
    // Reopened, it works again.
    comm.OnRxChar = [&](TObject*, Integer) { ++calls; };
    comm.Open();
    pty.Send("b");
    ASSERT_TRUE(PumpUntil([&] { return calls == 2; }));

    // Events posted for a component that is then freed reach nobody.
    auto* doomed = new TComm(nullptr);
    doomed->SetDeviceName(pty.slave + QStringLiteral("-none"));
    EXPECT_THROW(doomed->Open(), ECommError);
    comm.Close();
    doomed->SetDeviceName(pty.slave);
    bool reached = false;
    doomed->OnRxChar = [&](TObject*, Integer) { reached = true; };
    doomed->Open();
    pty.Send("c");
    QThread::msleep(50); // the event thread has posted its call by now
    delete doomed;
    QCoreApplication::processEvents();
    EXPECT_FALSE(reached);
}

TEST(CommSync, Events)
{
    TSimpleEvent e;
    EXPECT_EQ(e.WaitFor(0), wrTimeout);
    e.SetEvent();
    e.SetEvent();
    EXPECT_EQ(e.WaitFor(0), wrSignaled);
    EXPECT_EQ(e.WaitFor(0), wrSignaled); // manual reset: stays signalled
    e.ResetEvent();
    EXPECT_EQ(e.WaitFor(10), wrTimeout);

    TEvent autoReset(nullptr, false, true, QStringLiteral("Run"));
    EXPECT_EQ(autoReset.WaitFor(0), wrSignaled);
    EXPECT_EQ(autoReset.WaitFor(0), wrTimeout);
    std::thread t([&] {
        QThread::msleep(20);
        autoReset.SetEvent();
    });
    EXPECT_EQ(autoReset.WaitFor(TEvent::INFINITE_WAIT), wrSignaled);
    t.join();

    TCriticalSection cs;
    cs.Enter();
    cs.Acquire(); // re-entrant
    cs.Release();
    cs.Leave();
}

} // namespace
