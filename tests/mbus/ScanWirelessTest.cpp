// Wireless scans against a simulated converter on 127.0.0.1 with a Telit or
// a RadioCrafts radio module: set-up commands, listening, telegrams filed by
// meter, key registration, stop and failed dialogues.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <mutex>
#include <thread>

#include "ScanFixture.h"
#include "ScanTelegrams.h"
#include "SimConverter.h"
#include "mbus/UMBusScanDecode.h"
#include "platform/Lists.h"
#include "shell/UComon.h"

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

const TKey Key_A = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};

std::vector<QByteArray> Texts(std::initializer_list<const char*> texts)
{
    std::vector<QByteArray> v;
    for (const char* t : texts)
        v.emplace_back(t);
    return v;
}

class ScanWireless : public ::testing::Test {
protected:
    void SetUp() override
    {
        Make_Slave_Lists();
        engine = Fast_Engine();
        engine->Wireless_Local_Port = 0; // the simulated converter holds the scan's port
        engine->Timing.Radio_TimeOut = 300;
        engine->Timing.Radio_Config_TimeOut = 5;
        engine->Timing.Radio_Slot_TimeOut = 5;
    }
    void TearDown() override
    {
        engine.reset();
        Free_Slave_Lists();
    }
    bool Start(Integer mode, bool fromDll = false)
    {
        return engine->Start_Scan_Wireless(shEthernet, QStringLiteral("127.0.0.1"), sim.Port(), mode, 0, false,
                                           [this](Integer index, TSlave_wMBus* slave) {
                                               std::lock_guard<std::mutex> g(rowLock);
                                               rows.emplace_back(index, slave);
                                           },
                                           fromDll);
    }
    bool Wait_Step(Integer step) { return Wait_For([&] { return engine->Step() == step; }); }
    bool Wait_Rows(size_t n) { return Wait_For([&] { return Rows().size() >= n; }, 5000); }
    bool Wait_End() { return Wait_For([this] { return !engine->InScan(); }); }
    std::vector<std::pair<Integer, TSlave_wMBus*>> Rows()
    {
        std::lock_guard<std::mutex> g(rowLock);
        return rows;
    }
    // What the converter received from index From on.
    std::vector<QByteArray> Sent_From(size_t From)
    {
        std::vector<QByteArray> log = sim.Received();
        return std::vector<QByteArray>(log.begin() + long(std::min(From, log.size())), log.end());
    }
    TSlave_wMBus* Meter(Integer i) { return static_cast<TSlave_wMBus*>(Wireless_Slave_List->Items(i)); }

    TSimConverter sim;
    std::unique_ptr<TMBusScanDecode> engine;
    std::mutex rowLock;
    std::vector<std::pair<Integer, TSlave_wMBus*>> rows;
};

TEST_F(ScanWireless, TelitListensTakesTelegramsAndRegistersAKey)
{
    ASSERT_TRUE(Start(5)); // mode T, channel index 0
    ASSERT_TRUE(Wait_Step(134));
    EXPECT_EQ(engine->Radio_Module(), rmTelit);
    EXPECT_EQ(sim.Received(),
              Texts({"Velmora_Enable_Configuration_Mode", "Velmora_Type_Radio_Module", "+++", "ATR\r", "ATS400=5\r",
                     "ATS401=0\r", "ATS402=191\r", "ATS420=0\r", "ATS421=0\r", "ATS422=3\r", "ATS430=5\r", "ATS431=5\r",
                     "ATS440=0\r", "ATS441=0\r", "ATS442=0\r", "ATS452=0\r", "ATS453=0\r", "ATS454=0\r", "ATO\r"}));

    // A plain meter, a datagram whose length does not match its L-field,
    // and a meter that encrypts with mode 5.
    sim.Send_To_Engine(Wireless_Datagram(true, 0x44, 0x4024, 0x00000077, 1, 7, Hex("7A01000000") + Volume_Records(5)));
    sim.Send_To_Engine(Wireless_Datagram(true, 0x44, 0x4024, 0x00000099, 1, 7, Hex("7A01000000")) + char(0));
    const QByteArray secret = Mode5_Datagram(0x4024, 0x11223344, 1, 7, 0x21, Block_Payload(Volume_Records(4321)), Key_A);
    sim.Send_To_Engine(secret);
    ASSERT_TRUE(Wait_Rows(2));
    ASSERT_EQ(Wireless_Slave_List->Count(), 2);
    EXPECT_EQ(Rows()[0], std::make_pair(Integer(0), Meter(0)));
    EXPECT_EQ(Rows()[1], std::make_pair(Integer(1), Meter(1)));
    EXPECT_FALSE(Meter(0)->Cripted);
    EXPECT_TRUE(Meter(1)->Cripted);

    const size_t before = sim.Received().size();
    ASSERT_TRUE(engine->Insert_Wireless_Key(1, Key_A));
    // A second key while the first is being registered is not given.
    EXPECT_FALSE(engine->Insert_Wireless_Key(0, TKey {}));
    ASSERT_TRUE(sim.Wait_Until([&](const std::vector<QByteArray>& log) {
        return log.size() > before && log.back() == "ATO\r";
    }));
    ASSERT_TRUE(Wait_Step(134));
    std::vector<QByteArray> expected = Texts({"+++", "ATS461=36\r", "ATS462=64\r", "ATS463=68\r", "ATS464=51\r",
                                              "ATS465=34\r", "ATS466=17\r", "ATS467=1\r", "ATS468=7\r"});
    for (int i = 0; i < 16; ++i)
        expected.push_back(QByteArray("ATS") + QByteArray::number(470 + i) + '=' + QByteArray::number(Key_A[size_t(i)]) + '\r');
    expected.push_back("ATS460=5\r");
    expected.push_back("ATO\r");
    EXPECT_EQ(Sent_From(before), expected);
    EXPECT_TRUE(Meter(1)->Enable_Key);
    EXPECT_EQ(Meter(1)->Key, Key_A);
    EXPECT_FALSE(Meter(0)->Enable_Key);

    // Now the meter's telegrams are decrypted and read.
    sim.Send_To_Engine(secret);
    ASSERT_TRUE(Wait_Rows(3));
    {
        const auto lock = engine->Lock_Lists();
        EXPECT_FALSE(Meter(1)->Cripted);
        bool found = false;
        for (const auto& v : Meter(1)->List_Var)
            found = found || (v->Real_Wireless_Var && v->dato_A == 4321);
        EXPECT_TRUE(found);
    }

    engine->Stop_Scan();
    ASSERT_TRUE(Wait_End());
    EXPECT_EQ(engine->Result(), 1);
    EXPECT_EQ(sim.Received().back(), QByteArray("Velmora_Disable_Configuration_Mode"));
    EXPECT_EQ(Wireless_Slave_List->Count(), 2); // the meters stay
}

TEST_F(ScanWireless, TelitModeN1SkipsThreeRegistersAndAnUnansweredStopStillEnds)
{
    ASSERT_TRUE(Start(15, true));
    ASSERT_TRUE(Wait_Step(134));
    const std::vector<QByteArray> log = sim.Received();
    for (const char* skipped : {"ATS421=0\r", "ATS442=0\r", "ATS454=0\r"})
        EXPECT_EQ(std::count(log.begin(), log.end(), QByteArray(skipped)), 0) << skipped;
    EXPECT_EQ(std::count(log.begin(), log.end(), QByteArray("ATS400=15\r")), 1);
    EXPECT_EQ(log.size(), 16u);

    // The index-only form of the row procedure.
    sim.Send_To_Engine(Wireless_Datagram(true, 0x44, 0x4024, 5, 1, 7, Hex("7A01000000") + Volume_Records(5)));
    ASSERT_TRUE(Wait_Rows(1));
    EXPECT_EQ(Rows()[0], std::make_pair(Integer(0), static_cast<TSlave_wMBus*>(nullptr)));

    sim.Silent = true;
    engine->Timing.Radio_TimeOut = 60;
    engine->Stop_Scan();
    ASSERT_TRUE(Wait_End());
    EXPECT_EQ(engine->Result(), 1);
    const std::vector<QByteArray> end = Sent_From(log.size());
    EXPECT_EQ(end, Texts({"Velmora_Disable_Configuration_Mode", "Velmora_Disable_Configuration_Mode",
                          "Velmora_Disable_Configuration_Mode"}));
}

TEST_F(ScanWireless, RadioCraftsClearsTheKeyTableAndRegistersKeysInSlots)
{
    sim.Radio_Type = QByteArray("\n\rRADIOCRAFTS\n\r");
    ASSERT_TRUE(Start(5));
    ASSERT_TRUE(Wait_Step(320));
    EXPECT_EQ(engine->Radio_Module(), rmRadioCrafts);
    std::vector<QByteArray> expected = Texts({"Velmora_Enable_Configuration_Mode", "Velmora_Type_Radio_Module"});
    expected.push_back(QByteArray(1, '\0'));
    expected.push_back("0");
    expected.push_back("M");
    expected.push_back(Hex("03010400050112011617" "3A013D023701"));
    expected.push_back(Hex("FF"));
    for (int slot = 1; slot <= 63; ++slot) {
        expected.push_back("B");
        expected.push_back(QByteArray(1, char(slot)));
        expected.push_back(QByteArray(8, '\0'));
    }
    expected.push_back("X");
    // The module may take the table's last command after the engine moved on.
    ASSERT_TRUE(sim.Wait_Until([&](const std::vector<QByteArray>& log) { return log.size() >= expected.size(); }));
    EXPECT_EQ(sim.Received(), expected);

    // A RadioCrafts datagram counts the signal byte in its L-field.
    sim.Send_To_Engine(Wireless_Datagram(false, 0x44, 0x4024, 0x01020304, 3, 7, Hex("7A010000" "05" "A1B2"), 0xB0));
    ASSERT_TRUE(Wait_Rows(1));
    EXPECT_EQ(Meter(0)->RSSI, -39);
    EXPECT_TRUE(Meter(0)->Cripted);

    const size_t before = sim.Received().size();
    ASSERT_TRUE(engine->Insert_Wireless_Key(0, Key_A));
    EXPECT_EQ(Meter(0)->RadioCrafts_Ind_Tab_Decript, 1);
    ASSERT_TRUE(sim.Wait_Until([&](const std::vector<QByteArray>& log) { return log.size() > before && log.back() == "X"; }));
    ASSERT_TRUE(Wait_Step(320));
    expected = {QByteArray(1, '\0'), "B", QByteArray(1, '\x01'), Hex("04030201" "2440" "03" "07"), "K", QByteArray(1, '\x01'),
                QByteArray(reinterpret_cast<const char*>(Key_A.data()), 16), "A", QByteArray(1, '\x01'), Hex("0040"), "X"};
    EXPECT_EQ(Sent_From(before), expected);

    engine->Stop_Scan();
    ASSERT_TRUE(Wait_End());
    EXPECT_EQ(engine->Result(), 1);

    // Keys entered after the scan: slots 2..64 go to meters that have none,
    // the 65th meter is refused; nothing is sent.
    const size_t after = sim.Received().size();
    for (int i = 1; i <= 64; ++i) {
        auto* m = new TSlave_wMBus;
        m->ALA_Address = LongWord(i);
        Wireless_Slave_List->Add(m);
    }
    for (int i = 1; i <= 64; ++i)
        EXPECT_FALSE(engine->Insert_Wireless_Key(i, Key_A)) << i;
    EXPECT_EQ(Meter(1)->RadioCrafts_Ind_Tab_Decript, 2);
    EXPECT_EQ(Meter(63)->RadioCrafts_Ind_Tab_Decript, 64);
    EXPECT_EQ(Meter(64)->RadioCrafts_Ind_Tab_Decript, -1);
    EXPECT_FALSE(Meter(63)->Enable_Key);
    EXPECT_EQ(sim.Received().size(), after);
}

TEST_F(ScanWireless, FailedDialoguesEndTheScanWithResultTwo)
{
    struct Case {
        const char* name;
        QByteArray radio;
        int memory;
        bool ignore;
        QByteArray last_before_end; // the converter's last command before leaving configuration mode
    } cases[] = {
        {"unframed module type", QByteArray("TELIT"), 257, false, QByteArray("Velmora_Type_Radio_Module")},
        {"short memory", QByteArray("\n\rRADIOCRAFTS\n\r"), 256, false, QByteArray("0")},
        {"configuration mode not confirmed", QByteArray("\n\rTELIT\n\r"), 257, true,
         QByteArray("Velmora_Enable_Configuration_Mode")},
    };
    engine->Timing.Radio_TimeOut = 300;
    for (const Case& c : cases) {
        sim.Radio_Type = c.radio;
        sim.Memory_Size = c.memory;
        sim.Ignore_Enable = c.ignore;
        const size_t before = sim.Received().size();
        ASSERT_TRUE(Start(1)) << c.name;
        ASSERT_TRUE(Wait_End()) << c.name;
        EXPECT_EQ(engine->Result(), 2) << c.name;
        const std::vector<QByteArray> log = Sent_From(before);
        ASSERT_GE(log.size(), 2u) << c.name;
        EXPECT_EQ(log[log.size() - 2], c.last_before_end) << c.name;
        EXPECT_EQ(log.back(), QByteArray("Velmora_Disable_Configuration_Mode")) << c.name;
    }
}

} // namespace
