// The scan engine's pieces that need no converter: frames, the time-out
// test, and wireless telegrams filed, decrypted and parsed.
#include <gtest/gtest.h>

#include <cstring>

#include "ScanFixture.h"
#include "ScanTelegrams.h"
#include "mbus/UMBusScanDecode.h"
#include "platform/Lists.h"
#include "shell/UComon.h"

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

const TKey Key_A = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
const TKey Key_B = {0x2B, 0x7E, 0x15, 0x16, 0x28, 0xAE, 0xD2, 0xA6, 0xAB, 0xF7, 0x15, 0x88, 0x09, 0xCF, 0x4F, 0x3C};

} // namespace

TEST(ScanFrames, BuildersGiveTheFramesOfTheLinkLayer)
{
    TMBusScanDecode e;
    struct Case {
        const char* name;
        std::function<void()> build;
        const char* hex;
    } cases[] = {
        {"SND_NKE broadcast", [&] { e.Build_SND_NKE(0xFF); }, "1040FF3F16"},
        {"SND_NKE 253", [&] { e.Build_SND_NKE(253); }, "1040FD3D16"},
        {"REQ_UD2 first", [&] { e.Build_REQ_UD2(1, 0); }, "107B017C16"},
        {"REQ_UD2 second", [&] { e.Build_REQ_UD2(1, 1); }, "105B015C16"},
        {"REQ_UD2 third", [&] { e.Build_REQ_UD2(1, 2); }, "107B017C16"},
        {"reset 5", [&] { e.Build_App_Reset(5); }, "6803036873055" "0C816"},
        {"line 2400 even", [&] { e.Build_Set_MBus_Line(); }, "56656c6d6f72615f535f4d3a000009602c02"},
    };
    e.Baudrate = 2400;
    e.Parity = 1;
    for (const Case& c : cases) {
        c.build();
        EXPECT_EQ(e.Req_Array.toHex(), QByteArray(c.hex).toLower()) << c.name;
    }

    // A fixed C field: 0x5X when its value is 0, 0x7X otherwise.
    e.Fix_C_Field = true;
    e.Fix_C_Field_Value = 0;
    e.Build_App_Reset(5);
    EXPECT_EQ(e.Req_Array, Hex("680303685305" "50A816"));
    e.Build_REQ_UD2(1, 0);
    EXPECT_EQ(e.Req_Array, Hex("105B015C16"));
    e.Fix_C_Field_Value = 1;
    e.Build_REQ_UD2(1, 1);
    EXPECT_EQ(e.Req_Array, Hex("107B017C16"));

    // Parity bytes: none 0, even 2, odd 1; the baud rate most significant byte first.
    e.Baudrate = 38400;
    for (auto [parity, byte] : {std::pair{0, 0}, {1, 2}, {2, 1}}) {
        e.Parity = parity;
        e.Build_Set_MBus_Line();
        EXPECT_EQ(e.Req_Array.right(6), QByteArray("\x00\x00\x96\x00,", 5) + char(byte));
    }
}

TEST(ScanFrames, TimeOutHoldsAcrossTheCounterLimits)
{
    struct Case {
        LongWord start, timeout, now;
        bool over;
    } cases[] = {
        {1000, 587, 1000, false},
        {1000, 587, 1587, false},
        {1000, 587, 1588, true},
        {0x7FFFFF00u, 1000, 0x7FFFFF00u + 1000, false}, // past 2^31
        {0x7FFFFF00u, 1000, 0x7FFFFF00u + 1001, true},
        {0xFFFFFF00u, 1000, 0xFFFFFF00u + 1000, false}, // wraps during the wait
        {0xFFFFFF00u, 1000, 0xFFFFFF00u + 1001, true},
        {0xFFFFFF00u, 0x200, 0xFFFFFFF0u, false},
        {0xFFFFFFF0u, 100, 0x10u, false},
        {0xFFFFFFF0u, 100, 0x55u, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TMBusScanDecode::Timeout_Elapsed_At(c.now, c.start, c.timeout), c.over)
            << std::hex << c.start << " + " << std::dec << c.timeout << " at " << std::hex << c.now;
}

TEST(ScanFrames, HexTextToBytes)
{
    EXPECT_EQ(TMBusScanDecode::Hex_Text_To_Bytes(QStringLiteral("00FFa52F")), Hex("00FFA52F"));
    EXPECT_EQ(TMBusScanDecode::Hex_Text_To_Bytes(QStringLiteral("ABC")), Hex("AB")); // an odd digit is left over
    EXPECT_EQ(TMBusScanDecode::Hex_Text_To_Bytes(QString()), QByteArray());
}

class ScanIntake : public ::testing::Test {
protected:
    void SetUp() override
    {
        Make_Slave_Lists();
        engine.MBusType = mtWireless;
    }
    void TearDown() override { Free_Slave_Lists(); }
    void Take(const QByteArray& d, TRadioModule module = rmTelit)
    {
        std::memcpy(engine.Ans_Array, d.constData(), size_t(d.size()));
        engine.Ans_Len = Integer(d.size());
        engine.Receive_Wireless_Telegram(module);
    }
    TSlave_wMBus* Meter(Integer i) { return static_cast<TSlave_wMBus*>(Wireless_Slave_List->Items(i)); }
    // The values of a meter's real records, idle fillers left out.
    static std::vector<Integer> Values(const TSlave_wMBus* m)
    {
        std::vector<Integer> v;
        for (const auto& var : m->List_Var)
            if (var->Real_Wireless_Var)
                v.push_back(var->dato_A);
        return v;
    }

    TMBusScanDecode engine;
};

TEST_F(ScanIntake, PlainTelegramMakesAMeterWithRecordsAndSignal)
{
    // CI 7A, mode 0: access 01, status 00, configuration 00 00.
    Take(Wireless_Datagram(true, 0x44, 0x4024, 0x12345678, 0x01, 0x07, Hex("7A01000000") + Volume_Records(42), 80));
    ASSERT_EQ(Wireless_Slave_List->Count(), 1);
    TSlave_wMBus* m = Meter(0);
    EXPECT_EQ(m->Message_Type, 0x44);
    EXPECT_EQ(m->ALA_Address, 0x12345678u);
    EXPECT_EQ(m->LLA_Address, 0x12345678u);
    EXPECT_EQ(m->ALA_Manu_str, QStringLiteral("PAD"));
    EXPECT_EQ(m->LLA_Manu_str, QStringLiteral("PAD"));
    EXPECT_EQ(m->ALA_Version, 1);
    EXPECT_EQ(m->ALA_DeviceType, 7);
    EXPECT_EQ(m->RSSI, -82);
    EXPECT_FALSE(m->Cripted);
    EXPECT_TRUE(m->Enable);
    EXPECT_FALSE(m->Enable_Key);
    EXPECT_EQ(m->RadioCrafts_Ind_Tab_Decript, -1);
    EXPECT_GT(m->DateTime, 0.0);
    ASSERT_EQ(m->List_Var.size(), 1u);
    EXPECT_EQ(m->List_Var[0]->dato_A, 42);

    // The same meter again through a RadioCrafts module: its records are
    // replaced and the signal is -80 / 2 + 1.
    Take(Wireless_Datagram(false, 0x44, 0x4024, 0x12345678, 0x01, 0x07, Hex("7A02000000") + Volume_Records(43), 0xB0),
         rmRadioCrafts);
    ASSERT_EQ(Wireless_Slave_List->Count(), 1);
    EXPECT_EQ(m->RSSI, -39);
    ASSERT_EQ(m->List_Var.size(), 1u);
    EXPECT_EQ(m->List_Var[0]->dato_A, 43);

    // Another version is another meter.
    Take(Wireless_Datagram(true, 0x44, 0x4024, 0x12345678, 0x02, 0x07, Hex("7A01000000") + Volume_Records(1)));
    EXPECT_EQ(Wireless_Slave_List->Count(), 2);
}

TEST_F(ScanIntake, LongTransportHeaderGivesTheMetersIdentity)
{
    // CI 72: identification 87654321, manufacturer 0x0C49, version 3, water.
    const QByteArray header = Hex("72" "21436587" "490C" "03" "07" "05" "00" "0000" "2F2F");
    Take(Wireless_Datagram(true, 0x44, 0x1111, 0x00000001, 0x09, 0x31, header + Volume_Records(7)));
    ASSERT_EQ(Wireless_Slave_List->Count(), 1);
    TSlave_wMBus* m = Meter(0);
    EXPECT_EQ(m->ALA_Address, 0x87654321u);
    EXPECT_EQ(m->ALA_Manufacturer, 0x0C49);
    EXPECT_EQ(m->ALA_Version, 3);
    EXPECT_EQ(m->ALA_DeviceType, 7);
    EXPECT_EQ(m->LLA_Address, 1u);
    EXPECT_EQ(m->LLA_DeviceType, 0x31);
    EXPECT_FALSE(m->Cripted);
    // The two idle fillers after the header stay as records.
    ASSERT_EQ(m->List_Var.size(), 3u);
    EXPECT_FALSE(m->List_Var[0]->Real_Wireless_Var);
    EXPECT_EQ(Values(m), std::vector<Integer>{7});

    // Another repeater (link-layer address), the same meter.
    Take(Wireless_Datagram(true, 0x44, 0x1111, 0x00000002, 0x09, 0x31, header + Volume_Records(8)));
    ASSERT_EQ(Wireless_Slave_List->Count(), 1);
    EXPECT_EQ(Values(m), std::vector<Integer>{8});
    EXPECT_EQ(m->LLA_Address, 1u); // identities are kept from the first telegram
}

TEST_F(ScanIntake, ShortHeaderModeFiveIsPlainOnlyWhenTheModuleDecryptedIt)
{
    // Mode 5 with 2F 2F after the header: the radio module decrypted it.
    // Access 01, status 00, configuration low 10, high 05.
    Take(Wireless_Datagram(true, 0x44, 0x4024, 1, 1, 7, Hex("7A" "01" "00" "10" "05" "2F2F") + Volume_Records(5)));
    ASSERT_EQ(Wireless_Slave_List->Count(), 1);
    EXPECT_FALSE(Meter(0)->Cripted);
    EXPECT_FALSE(Meter(0)->List_Var.empty());

    // Other bytes: encrypted, and the earlier records are gone.
    Take(Wireless_Datagram(true, 0x44, 0x4024, 1, 1, 7, Hex("7A" "01" "00" "10" "05" "A1B2") + Volume_Records(5)));
    EXPECT_TRUE(Meter(0)->Cripted);
    EXPECT_TRUE(Meter(0)->List_Var.empty());
}

TEST_F(ScanIntake, ModeFiveIsDecryptedWithTheMetersKey)
{
    const QByteArray payload = Block_Payload(Volume_Records(1234));
    const QByteArray telegram = Mode5_Datagram(0x4024, 0x11223344, 1, 7, 0x5C, payload, Key_A);
    Take(telegram);
    ASSERT_EQ(Wireless_Slave_List->Count(), 1);
    TSlave_wMBus* m = Meter(0);
    EXPECT_TRUE(m->Cripted); // no key yet
    EXPECT_TRUE(m->List_Var.empty());

    m->Key = Key_A;
    m->Enable_Key = true;
    Take(telegram);
    EXPECT_FALSE(m->Cripted);
    EXPECT_EQ(Values(m), std::vector<Integer>{1234});
    // The fillers around the record are kept as idle records.
    EXPECT_FALSE(m->List_Var.front()->Real_Wireless_Var);
    EXPECT_FALSE(m->List_Var.back()->Real_Wireless_Var);

    // A wrong key: the plaintext does not start with 2F 2F; the meter counts
    // as encrypted and loses its records.
    m->Key = Key_B;
    Take(telegram);
    EXPECT_TRUE(m->Cripted);
    EXPECT_TRUE(m->List_Var.empty());
}

TEST_F(ScanIntake, ModeSevenUsesTheDerivedKeyAndAWrongKeyKeepsTheLastRecords)
{
    const QByteArray payload = Block_Payload(Volume_Records(777) + Volume_Records(888));
    const QByteArray first = Mode7_Datagram(0x4024, 0x55667788, 2, 4, 0x01020304, payload, Key_B);
    ASSERT_NE(first.at(36), char(0x2F));
    ASSERT_NE(first.at(37), char(0x2F));
    Take(first);
    ASSERT_EQ(Wireless_Slave_List->Count(), 1);
    TSlave_wMBus* m = Meter(0);
    EXPECT_TRUE(m->Cripted);

    m->Key = Key_B;
    m->Enable_Key = true;
    Take(first);
    EXPECT_FALSE(m->Cripted);
    EXPECT_EQ(Values(m), (std::vector<Integer>{777, 888}));

    // Another counter gives another payload key: taken as well.
    Take(Mode7_Datagram(0x4024, 0x55667788, 2, 4, 0x01020305, Block_Payload(Volume_Records(999)), Key_B, 60));
    EXPECT_EQ(Values(m), std::vector<Integer>{999});
    const TDateTime heard = m->DateTime;
    EXPECT_EQ(m->RSSI, -62);

    // Encrypted under another key: ignored, the meter keeps its state.
    m->Key = Key_A;
    Take(Mode7_Datagram(0x4024, 0x55667788, 2, 4, 0x01020306, Block_Payload(Volume_Records(1)), Key_B, 90));
    EXPECT_FALSE(m->Cripted);
    EXPECT_EQ(Values(m), std::vector<Integer>{999});
    EXPECT_EQ(m->DateTime, heard);
    EXPECT_EQ(m->RSSI, -62);
}

TEST_F(ScanIntake, ExtendedLinkLayerWithoutTransportHeaderIsPlain)
{
    // CI 8D (8 bytes) then 78: records follow at once.
    Take(Wireless_Datagram(true, 0x44, 0x4024, 9, 1, 7, Hex("8D" "2011223344556677" "78") + Volume_Records(31)));
    ASSERT_EQ(Wireless_Slave_List->Count(), 1);
    EXPECT_FALSE(Meter(0)->Cripted);
    ASSERT_EQ(Meter(0)->List_Var.size(), 1u);
    EXPECT_EQ(Meter(0)->List_Var[0]->dato_A, 31);
}
