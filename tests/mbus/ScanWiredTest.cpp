// Wired scans against a simulated converter on 127.0.0.1: analyzer mode,
// the search by primary and by secondary address, meters read over several
// telegrams, stop, abort, a silent converter and an address that does not
// resolve.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>

#include <array>
#include <mutex>
#include <thread>

#include "ScanFixture.h"
#include "SimConverter.h"
#include "mbus/UMBusScanDecode.h"
#include "platform/Lists.h"
#include "shell/UComon.h"

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

using TProgress = std::array<Integer, 4>;

// Records of the meters: a 32-bit volume and a 4-digit BCD flow temperature;
// the first telegram of a two-telegram meter ends with DIF 1F.
const QByteArray Records_1 = Hex("04132A000000" "0A5A4502");
const QByteArray Records_More = Hex("0413E8030000" "1F");
const QByteArray Records_Rest = Hex("022B0500");

// A meter's answer with a structure the configurator does not read (CI 78).
QByteArray Other_Structure(int A, const char* Id)
{
    QByteArray t = Rsp_Ud(A, QString::fromLatin1(Id), Records_1);
    t[6] = char(0x78);
    t[t.size() - 2] = char(t[t.size() - 2] + 6);
    return t;
}

class ScanWired : public ::testing::Test {
protected:
    void SetUp() override
    {
        Make_Slave_Lists();
        engine = Fast_Engine();
        engine->Converter_Port = sim.Port();
        engine->Timing.TimeOut_Base = 300;
        engine->Timing.Text_TimeOut = 300;
    }
    void TearDown() override
    {
        engine.reset();
        Free_Slave_Lists();
    }

    TUpdateSlaveList Recorder()
    {
        return [this](Integer e, Integer v, Integer f, Integer m) {
            {
                std::lock_guard<std::mutex> g(progressLock);
                progress.push_back({e, v, f, m});
            }
            if (On_Progress)
                On_Progress({e, v, f, m});
        };
    }
    std::vector<TProgress> Progress()
    {
        std::lock_guard<std::mutex> g(progressLock);
        return progress;
    }
    bool Start(TScanType type, bool appReset = false, bool sndNke = false, Integer cutAfter = 3, Integer baud = 2400,
               bool remote = false, const QString& address = QStringLiteral("127.0.0.1"))
    {
        return engine->Start_Scan(type, shEthernet, address, baud, 1, appReset, sndNke, cutAfter, false, 0, remote,
                                  Recorder());
    }
    bool Wait_End(int ms = 20000)
    {
        return Wait_For([this] { return !engine->InScan(); }, ms);
    }
    TSlave_MBus* Slave(Integer i) { return static_cast<TSlave_MBus*>(Wired_Slave_List->Items(i)); }
    static int Count(const std::vector<QByteArray>& log, const QByteArray& frame)
    {
        return int(std::count(log.begin(), log.end(), frame));
    }

    TSimConverter sim;
    std::unique_ptr<TMBusScanDecode> engine;
    std::mutex progressLock;
    std::vector<TProgress> progress;
    // Runs on the engine's thread with each progress call.
    std::function<void(const TProgress&)> On_Progress;
};

TEST_F(ScanWired, PrimarySearchCoversAddressesZeroTo250AndReadsEveryTelegram)
{
    sim.No_Slave_For_Absent = true;
    sim.Meters.push_back({1, QStringLiteral("12345678"), {Rsp_Ud(1, QStringLiteral("12345678"), Records_1)}});
    sim.Meters.push_back({3, QStringLiteral("00000042"),
                          {Rsp_Ud(3, QStringLiteral("00000042"), Records_More, 0x1593, 2, 4),
                           Rsp_Ud(3, QStringLiteral("00000042"), Records_Rest, 0x1593, 2, 4)}});
    // Address 5 answers, but with a structure that is not read: not found.
    sim.Meters.push_back({5, QStringLiteral("00000005"), {Other_Structure(5, "00000005")}});
    const QString report = QStringLiteral(TEST_BUILD_DIR "/scan-report-wired.xml");
    QFile::remove(report);
    engine->SaveXMLFile = report;

    ASSERT_TRUE(Start(saPrimaryAddress));
    EXPECT_FALSE(Start(saSecondaryAddress, true, true, 9, 300)); // a scan runs
    ASSERT_TRUE(Wait_End());
    EXPECT_EQ(engine->Result(), 1);
    EXPECT_EQ(engine->Baudrate, 2400);
    EXPECT_EQ(engine->ScanType, saPrimaryAddress);

    const std::vector<QByteArray> log = sim.Received();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], QByteArray("Velmora_Enable_Analyzer_Mode"));
    EXPECT_EQ(log[1], QByteArray("Velmora_S_M:") + Hex("000009602C02"));
    EXPECT_EQ(log[2], Hex("1040FF3F16"));
    EXPECT_EQ(log.back(), QByteArray("Velmora_Disable_Analyzer_Mode"));
    // One REQ_UD2 per address 0..250, two for the meter with a second
    // telegram: the first with FCB set, the next with FCB clear.
    int requests = 0;
    for (const QByteArray& f : log)
        if (f.size() == 5 && f[0] == 0x10 && f[1] != 0x40)
            ++requests;
    EXPECT_EQ(requests, 252);
    EXPECT_EQ(Count(log, Hex("107B017C16")), 1);
    EXPECT_EQ(Count(log, Hex("107B037E16")), 1);
    EXPECT_EQ(Count(log, Hex("105B035E16")), 1);
    EXPECT_EQ(Count(log, Hex("107BFA7516")), 1);  // address 250
    EXPECT_EQ(Count(log, Hex("107BFB7616")), 0);  // not 251

    const std::vector<TProgress> p = Progress();
    ASSERT_EQ(p.size(), 253u);
    EXPECT_EQ(p.front(), (TProgress {1, 0, 0, 1}));
    for (Integer a = 0; a <= 250; ++a)
        EXPECT_EQ(p[size_t(a + 1)], (TProgress {2, a, a == 1 || a == 3 ? 1 : 0, 1})) << a;
    EXPECT_EQ(p.back(), (TProgress {3, 0, 0, 1}));

    ASSERT_EQ(Wired_Slave_List->Count(), 2);
    EXPECT_EQ(Slave(0)->Primary_Addresss, 1);
    EXPECT_EQ(Slave(0)->Secondary_Addresss, QStringLiteral("12345678"));
    EXPECT_EQ(Slave(0)->List_Var.size(), 2u);
    EXPECT_EQ(Slave(1)->Primary_Addresss, 3);
    EXPECT_EQ(Slave(1)->descManufacture, QStringLiteral("ELS"));
    ASSERT_EQ(Slave(1)->List_Var.size(), 2u); // records of both telegrams
    EXPECT_EQ(Slave(1)->List_Var[0]->dato_A, 1000);
    EXPECT_EQ(Slave(1)->List_Var[1]->dato_A, 5);

    // The report is written when the scan ends.
    QFile f(report);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray xml = f.readAll();
    EXPECT_TRUE(xml.contains("<SCAN_M-Bus_Wired>"));
    EXPECT_EQ(xml.count("<Node "), 2);
    EXPECT_EQ(xml.count("<Variable "), 4);
}

TEST_F(ScanWired, ResetAndSndNkeBeforeEachReadTimeOutsForSilentAddressesAndStop)
{
    engine->Timing.TimeOut_Base = 150;
    sim.Meters.push_back({1, QStringLiteral("12345678"), {Rsp_Ud(1, QStringLiteral("12345678"), Records_1)}});
    // Stop once address 2 has been reported: no further address is taken.
    On_Progress = [this](const TProgress& p) {
        if (p == TProgress {2, 2, 0, 1})
            engine->Stop_Scan();
    };
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(Start(saPrimaryAddress, true, true, 3, 38400));
    ASSERT_TRUE(Wait_End());
    EXPECT_EQ(engine->Result(), 1);

    const std::vector<TProgress> p = Progress();
    const std::vector<TProgress> expected = {{1, 0, 0, 1}, {2, 0, 0, 1}, {2, 1, 1, 1}, {2, 2, 0, 1}, {3, 0, 0, 1}};
    EXPECT_EQ(p, expected);
    const std::vector<QByteArray> log = sim.Received();
    // Address 0 (nobody there): reset, SND_NKE and REQ_UD2 each end by
    // their time-out. Address 1: the same frames, each answered.
    const QByteArray frames[] = {Hex("680303687300" "50C316"), Hex("1040004016"), Hex("107B007B16"),
                                 Hex("680303687301" "50C416"), Hex("1040014116"), Hex("107B017C16")};
    auto at = std::find(log.begin(), log.end(), frames[0]);
    ASSERT_NE(at, log.end());
    for (const QByteArray& f : frames) {
        ASSERT_NE(at, log.end());
        EXPECT_EQ(*at, f);
        ++at;
    }
    EXPECT_EQ(Count(log, Hex("107B037E16")), 0); // stopped before address 3
    // The silent address took its waits: 330 and 3245 bit times at 38400
    // baud on top of the base.
    EXPECT_GE(t.elapsed(), 2 * (150 + 8) + (150 + 84));
    EXPECT_EQ(Wired_Slave_List->Count(), 1);
}

TEST_F(ScanWired, SecondarySearchNarrowsTheMaskDigitByDigit)
{
    sim.Meters.push_back({1, QStringLiteral("12345678"),
                          {Rsp_Ud(1, QStringLiteral("12345678"), Records_More), Rsp_Ud(1, QStringLiteral("12345678"), Records_Rest)}});
    sim.Meters.push_back({2, QStringLiteral("12345679"), {Rsp_Ud(2, QStringLiteral("12345679"), Records_1)}});
    sim.Meters.push_back({3, QStringLiteral("87654321"), {Rsp_Ud(3, QStringLiteral("87654321"), Records_1)}});
    // Selected first, but its answer has a structure that is not read: no
    // meter and no report.
    sim.Meters.push_back({4, QStringLiteral("05000000"), {Other_Structure(4, "05000000")}});
    ASSERT_TRUE(Start(saSecondaryAddress, true, true, 1));
    ASSERT_TRUE(Wait_End());
    EXPECT_EQ(engine->Result(), 1);

    const std::vector<TProgress> p = Progress();
    const std::vector<TProgress> expected = {
        {1, 0, 0, 2}, {2, 0x12345678, 1, 2}, {2, 0x12345679, 1, 2}, {2, Integer(0x87654321u), 1, 2}, {3, 0, 0, 2}};
    EXPECT_EQ(p, expected);
    ASSERT_EQ(Wired_Slave_List->Count(), 3);
    EXPECT_EQ(Slave(0)->Secondary_Addresss, QStringLiteral("12345678"));
    EXPECT_EQ(Slave(0)->List_Var.size(), 1u); // cut after one telegram
    EXPECT_EQ(Slave(2)->Secondary_Addresss, QStringLiteral("87654321"));

    const std::vector<QByteArray> log = sim.Received();
    EXPECT_EQ(log[2], Hex("1040FD3D16"));               // SND_NKE to 253
    EXPECT_EQ(log[3], Hex("68030368" "73FF50C216"));               // reset to all
    EXPECT_EQ(log[4], Hex("1040FF3F16"));               // SND_NKE to all
    EXPECT_EQ(log[5], Hex("680B0B6873FD52" "FFFFFF0F" "FFFFFFFF" "CA16")); // A = 0
    // Digits A = 1, B = 2, the rest wildcards.
    EXPECT_EQ(Count(log, Hex("680B0B6873FD52" "FFFFFF12" "FFFFFFFF" "CD16")), 1);
    // Level 8 tells the two meters apart by their last digit.
    EXPECT_EQ(Count(log, Hex("680B0B6873FD52" "78563412" "FFFFFFFF" "D216")), 1);
    EXPECT_EQ(Count(log, Hex("107B" "FD" "7816")), 4);
    EXPECT_EQ(log.back(), QByteArray("Velmora_Disable_Analyzer_Mode"));
}

TEST_F(ScanWired, ACollisionWhileReadingDescendsOneDigit)
{
    sim.Garble_Selected_Read = true;
    sim.Meters.push_back({1, QStringLiteral("12345678"), {Rsp_Ud(1, QStringLiteral("12345678"), Records_1)}});
    ASSERT_TRUE(Start(saSecondaryAddress));
    ASSERT_TRUE(Wait_End());
    // Selected once on every level, read in vain each time, never filed.
    EXPECT_EQ(Count(sim.Received(), Hex("107BFD7816")), 8);
    EXPECT_EQ(Wired_Slave_List->Count(), 0);
    EXPECT_EQ(Progress().back(), (TProgress {3, 0, 0, 2}));
}

TEST_F(ScanWired, ConverterDialogueFailures)
{
    struct Case {
        const char* name;
        bool silent;
        QByteArray analyzer;
        int disables; // attempts to leave analyzer mode
    } cases[] = {
        {"silent", true, QByteArray(), 3},
        {"other answer", false, QByteArray("\n\rAnalyzer_Mode Enabled!"), 1},
    };
    engine->Timing.Text_TimeOut = 250;
    for (const Case& c : cases) {
        sim.Silent = c.silent;
        if (!c.analyzer.isEmpty())
            sim.Analyzer_Answer = c.analyzer;
        const size_t before = sim.Received().size();
        ASSERT_TRUE(Start(saPrimaryAddress)) << c.name;
        ASSERT_TRUE(Wait_End()) << c.name;
        EXPECT_EQ(engine->Result(), 2) << c.name;
        std::vector<QByteArray> log = sim.Received();
        log.erase(log.begin(), log.begin() + long(before));
        ASSERT_EQ(log.size(), size_t(1 + c.disables)) << c.name;
        EXPECT_EQ(log[0], QByteArray("Velmora_Enable_Analyzer_Mode"));
        for (int i = 1; i <= c.disables; ++i)
            EXPECT_EQ(log[size_t(i)], QByteArray("Velmora_Disable_Analyzer_Mode")) << c.name;
        EXPECT_TRUE(Progress().empty()) << c.name;
    }
}

TEST_F(ScanWired, RemoteTimeOutWaitsLongerAndAbortEndsTheWait)
{
    sim.Ignore_Enable = true;
    engine->Timing.Text_TimeOut = 100;
    ASSERT_TRUE(Start(saPrimaryAddress, false, false, 3, 2400, true));
    ASSERT_TRUE(sim.Wait_Until([](const std::vector<QByteArray>& log) { return !log.empty(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    // Without the remote option this wait would be over after 100 ms.
    EXPECT_TRUE(engine->InScan());
    EXPECT_EQ(engine->Step(), 1);
    EXPECT_EQ(engine->Result(), 1);

    // Start during a scan changes nothing.
    EXPECT_FALSE(Start(saSecondaryAddress, true, true, 9, 300));
    EXPECT_EQ(engine->ScanType, saPrimaryAddress);
    EXPECT_EQ(engine->Baudrate, 2400);

    engine->Abort_Scan();
    ASSERT_TRUE(Wait_End(5000));
    EXPECT_FALSE(engine->AbortScan());
    EXPECT_EQ(engine->Result(), 1);
    const std::vector<QByteArray> log = sim.Received();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1], QByteArray("Velmora_Disable_Analyzer_Mode"));
    EXPECT_TRUE(Progress().empty()); // no end-of-scan call after an abort
}

TEST_F(ScanWired, AnAddressThatDoesNotResolveEndsTheScanAtOnce)
{
    ASSERT_TRUE(Start(saPrimaryAddress, false, false, 3, 2400, false, QStringLiteral("192.168.2.x")));
    ASSERT_TRUE(Wait_End(2000));
    EXPECT_EQ(engine->Result(), 2);
    EXPECT_TRUE(engine->LastError().contains(QStringLiteral("192.168.2.x")));
    EXPECT_TRUE(sim.Received().empty());
    // The engine scans again afterwards.
    sim.No_Slave_For_Absent = true;
    engine->Timing.TimeOut_Base = 20;
    ASSERT_TRUE(Start(saPrimaryAddress));
    ASSERT_TRUE(sim.Wait_Until([](const std::vector<QByteArray>& log) { return log.size() >= 5; }));
    engine->Stop_Scan();
    ASSERT_TRUE(Wait_End());
    EXPECT_EQ(engine->Result(), 1);
}

const QByteArray Line_SetUp("Velmora_S_M:\x00\x00\x09\x60,\x02", 18);

TEST_F(ScanWired, ANewScanBeginsAtItsFirstStateEvenWhenTheOldOnePausedInAStep)
{
    // The scan is cut off while its step pauses before the first frame of
    // the search, and a new one starts at once.
    engine->Timing.Pause_Primary = 400;
    ASSERT_TRUE(Start(saPrimaryAddress));
    ASSERT_TRUE(sim.Wait_Until([](const std::vector<QByteArray>& log) { return Count(log, Line_SetUp) == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    engine->Cancel_Scan();
    EXPECT_FALSE(engine->InScan());
    const size_t before = sim.Received().size();
    ASSERT_TRUE(Start(saPrimaryAddress));
    ASSERT_TRUE(sim.Wait_Until([before](const std::vector<QByteArray>& log) { return log.size() >= before + 3; }));
    const std::vector<QByteArray> log = sim.Received();
    // The old step's frame never went out: analyzer mode and the line set-up
    // come first, then the search's broadcast.
    EXPECT_EQ(log[before], QByteArray("Velmora_Enable_Analyzer_Mode"));
    EXPECT_EQ(log[before + 1], Line_SetUp);
    EXPECT_EQ(log[before + 2], Hex("1040FF3F16"));
    EXPECT_EQ(Count(log, Hex("1040FF3F16")), 1);
    ASSERT_TRUE(engine->End_Scan(engine->End_Scan_Limit()));
}

TEST_F(ScanWired, EndScanLeavesAnalyzerModeInOrderOrCutsTheScanOffAtItsLimit)
{
    ASSERT_TRUE(Start(saPrimaryAddress));
    ASSERT_TRUE(sim.Wait_Until([](const std::vector<QByteArray>& log) { return Count(log, Line_SetUp) == 1; }));
    int idles = 0;
    EXPECT_TRUE(engine->End_Scan(engine->End_Scan_Limit(), [&] { ++idles; }));
    EXPECT_GT(idles, 0);
    EXPECT_FALSE(engine->InScan());
    EXPECT_EQ(sim.Received().back(), QByteArray("Velmora_Disable_Analyzer_Mode"));
    // Nothing runs: nothing to end.
    EXPECT_TRUE(engine->End_Scan(0));

    // A converter that no longer answers, and a limit shorter than three
    // attempts: the scan is cut off at the limit.
    ASSERT_TRUE(Start(saPrimaryAddress));
    ASSERT_TRUE(sim.Wait_Until([](const std::vector<QByteArray>& log) { return Count(log, Line_SetUp) == 2; }));
    sim.Set_Silent(true);
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(engine->End_Scan(200));
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_FALSE(engine->InScan());
    // The engine scans again afterwards.
    sim.Set_Silent(false);
    ASSERT_TRUE(Start(saPrimaryAddress));
    ASSERT_TRUE(sim.Wait_Until([](const std::vector<QByteArray>& log) { return Count(log, Line_SetUp) == 3; }));
    EXPECT_TRUE(engine->End_Scan(engine->End_Scan_Limit()));
}

} // namespace
