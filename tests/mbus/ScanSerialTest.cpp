// Scans over a serial line: a pseudo-terminal stands for the port, and the
// test plays the M-Bus meters at its other end.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <atomic>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "ScanFixture.h"
#include "SimConverter.h"
#include "mbus/UMBusScanDecode.h"
#include "platform/Lists.h"
#include "shell/UComon.h"

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

// The meters' end of the line: whole frames in, the simulated meters'
// answers out, each answer written in two pieces.
class MeterLine {
public:
    explicit MeterLine(TSimConverter& Sim) : sim(Sim)
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(master, 0);
        EXPECT_EQ(::grantpt(master), 0);
        EXPECT_EQ(::unlockpt(master), 0);
        device = QString::fromLocal8Bit(::ptsname(master));
        reader = std::thread([this] { Run(); });
    }
    ~MeterLine()
    {
        stop = true;
        reader.join();
        ::close(master);
    }
    QString device;
    int master = -1;

private:
    void Run()
    {
        QByteArray in;
        while (!stop) {
            pollfd p {master, POLLIN, 0};
            if (::poll(&p, 1, 5) <= 0)
                continue;
            char b[256];
            const ssize_t n = ::read(master, b, sizeof b);
            if (n <= 0)
                continue;
            in.append(b, int(n));
            for (;;) {
                int size = 0;
                if (!in.isEmpty() && in[0] == 0x10)
                    size = 5;
                else if (in.size() >= 2 && in[0] == 0x68)
                    size = static_cast<unsigned char>(in[1]) + 6;
                else if (!in.isEmpty())
                    size = int(in.size());
                if (size == 0 || in.size() < size)
                    break;
                const QByteArray answer = sim.Bus_Answer(in.left(size));
                in.remove(0, size);
                if (answer.isEmpty())
                    continue;
                const int half = int(answer.size()) / 2;
                [[maybe_unused]] ssize_t w = ::write(master, answer.constData(), size_t(half));
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
                w = ::write(master, answer.constData() + half, size_t(answer.size() - half));
            }
        }
    }
    TSimConverter& sim;
    std::atomic<bool> stop {false};
    std::thread reader;
};

class ScanSerial : public ::testing::Test {
protected:
    void SetUp() override
    {
        Make_Slave_Lists();
        engine = Fast_Engine();
        engine->Timing.TimeOut_Base = 100;
    }
    void TearDown() override
    {
        engine.reset();
        Free_Slave_Lists();
    }
    bool Wait_End() { return Wait_For([this] { return !engine->InScan(); }); }

    TSimConverter sim;
    std::unique_ptr<TMBusScanDecode> engine;
};

TEST_F(ScanSerial, PrimarySearchTalksToTheMetersOnTheLine)
{
    sim.Meters.push_back({2, QStringLiteral("12345678"), {Rsp_Ud(2, QStringLiteral("12345678"), Hex("04132A000000"))}});
    MeterLine line(sim);
    std::vector<std::array<Integer, 4>> progress;
    std::mutex lock;
    ASSERT_TRUE(engine->Start_Scan(saPrimaryAddress, shSerial, line.device, 38400, 1, false, false, 3, false, 0, false,
                                   [&](Integer e, Integer v, Integer f, Integer m) {
                                       std::lock_guard<std::mutex> g(lock);
                                       progress.push_back({e, v, f, m});
                                       if (e == 2 && v == 2)
                                           engine->Stop_Scan();
                                   }));
    EXPECT_EQ(engine->ComPort, line.device);
    EXPECT_TRUE(engine->IP_Address.isEmpty());
    // The port runs at the M-Bus line's speed (a pseudo-terminal keeps no
    // parity, so that is not seen here).
    termios tio {};
    const int slave = ::open(line.device.toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(slave, 0);
    ASSERT_EQ(::tcgetattr(slave, &tio), 0);
    ::close(slave);
    EXPECT_EQ(::cfgetospeed(&tio), speed_t(B38400));

    ASSERT_TRUE(Wait_End());
    EXPECT_EQ(engine->Result(), 1);
    const std::vector<std::array<Integer, 4>> expected = {{1, 0, 0, 1}, {2, 0, 0, 1}, {2, 1, 0, 1}, {2, 2, 1, 1}, {3, 0, 0, 1}};
    EXPECT_EQ(progress, expected);
    ASSERT_EQ(Wired_Slave_List->Count(), 1);
    EXPECT_EQ(static_cast<TSlave_MBus*>(Wired_Slave_List->Items(0))->List_Var.size(), 1u);
    // No converter dialogue on a serial line: the frames go straight out.
    const std::vector<QByteArray> log = sim.Received();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], Hex("1040FF3F16"));
    EXPECT_EQ(log.back(), Hex("107B027D16"));
}

TEST_F(ScanSerial, APortThatDoesNotOpenStartsNoScan)
{
    EXPECT_FALSE(engine->Start_Scan(saPrimaryAddress, shSerial, QStringLiteral("/nonexistent/ttyM0"), 2400, 1, false,
                                    false, 3, false, 0, false, nullptr));
    EXPECT_FALSE(engine->InScan());
    EXPECT_TRUE(engine->LastError().contains(QStringLiteral("Error accessing specified device")));
}

TEST_F(ScanSerial, AWirelessScanOnTheSerialPortSendsNothingAndEndsOnStop)
{
    MeterLine line(sim);
    engine->ComPort = line.device;
    ASSERT_TRUE(engine->Start_Scan_Wireless(shSerial, QStringLiteral("127.0.0.1"), 502, 5, 0, false, nullptr, false));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(engine->InScan());
    EXPECT_EQ(engine->Step(), 0);
    engine->Stop_Scan();
    ASSERT_TRUE(Wait_End());
    EXPECT_EQ(engine->Result(), -1); // no step ran that sets it
    EXPECT_TRUE(sim.Received().empty());
}

} // namespace
