// Data records of M-Bus answers: the walk over DIF, DIFEs, VIF, VIFEs and
// data, what each record decodes to, the meter made from a wired answer,
// and malformed or cut data (read under AddressSanitizer in an exact-size
// buffer, so a byte read past the end fails the run).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "mbus/MBusRecords.h"
#include "platform/Lists.h"
#include "platform/Locale.h"
#include "shell/UComon.h"

namespace {

class MBusRecords : public ::testing::Test {
protected:
    void SetUp() override { FormatSettings() = TFormatSettings::Invariant(); }
    void TearDown() override { ResetFormatSettings(); }

    // Parses the data part given in hex, from a buffer of exactly its size.
    bool Parse(const char* hex, TMBusType type = mtWired)
    {
        const QByteArray bytes = QByteArray::fromHex(hex);
        std::vector<Byte> exact(bytes.begin(), bytes.end());
        list.clear();
        decoder.MBusType = type;
        return decoder.Parse_Data_Records(list, Integer(exact.size()) - 1, 0, exact.data());
    }
    const TVariable_MBus& Var(size_t i) { return *list.at(i); }

    // One record's data part (blanks allowed) and what it decodes to.
    struct TDecodeCase {
        const char* hex;
        const char* desc;
        const char* value;
        int typeData;
        int typeVife;
        const char* unit = ""; // plain-text unit
    };
    void Expect_Decodes(std::initializer_list<TDecodeCase> Cases)
    {
        for (const TDecodeCase& c : Cases) {
            QByteArray hex(c.hex);
            hex.replace(' ', "");
            ASSERT_TRUE(Parse(hex.constData())) << c.hex;
            ASSERT_EQ(list.size(), 1u) << c.hex;
            EXPECT_EQ(Var(0).Desc_Type_Data, QString::fromUtf8(c.desc)) << c.hex;
            EXPECT_EQ(Var(0).ValueStr, QString::fromUtf8(c.value)) << c.hex;
            EXPECT_EQ(Var(0).type_data, Word(c.typeData)) << c.hex;
            EXPECT_EQ(Var(0).Type_Data_Vife, c.typeVife) << c.hex;
            EXPECT_EQ(Var(0).VIF_ASCII, QString::fromUtf8(c.unit)) << c.hex;
        }
    }

    TMBusRecordDecoder decoder;
    TVariable_MBus_List list;
};

TEST_F(MBusRecords, OnePlainRecord)
{
    EXPECT_TRUE(Parse("04132A000000"));
    ASSERT_EQ(list.size(), 1u);
    const TVariable_MBus& v = Var(0);
    EXPECT_EQ(v.DIF, QStringLiteral("$04"));
    EXPECT_EQ(v.VIF, 0x13);
    EXPECT_EQ(v.nbyte, 4);
    EXPECT_EQ(v.dimension, 4);
    EXPECT_EQ(v.totdati, QStringLiteral("2A000000"));
    EXPECT_EQ(v.dato_A, 42);
    EXPECT_EQ(v.storage_number, 0);
    EXPECT_EQ(v.casovif, 0);
    EXPECT_EQ(v.vifvalue, 0x13);
    EXPECT_EQ(v.DataFieldStr, QStringLiteral("32 Bit Integer"));
    EXPECT_EQ(v.FunctionFieldStr, QStringLiteral("Istantaneous value"));
    EXPECT_EQ(v.Desc_Type_Data, QStringLiteral("Volume m3"));
    EXPECT_EQ(v.ValueStr, QStringLiteral("0.042"));
    EXPECT_TRUE(v.Real_Wireless_Var);
    EXPECT_TRUE(v.Enable);
    EXPECT_FALSE(v.datagiorno.isEmpty());
    // The last record's bytes stay for the decoding.
    EXPECT_EQ(decoder.App_Data_Val[0], 0x2A);
}

TEST_F(MBusRecords, StorageTariffAndSubunitFromDifAndDifes)
{
    struct TCase {
        const char* hex;
        Int64 storage;
        int tariff, subunit, numdife;
        const char* dife;
    };
    const TCase cases[] = {
        {"4413010000 00", 1, 0, 0, 0, ""},
        {"840113010000 00", 2, 0, 0, 1, "$01 "},
        {"841013010000 00", 0, 1, 0, 1, "$10 "},
        {"844013010000 00", 0, 0, 1, 1, "$40 "},
        // Two DIFEs: the last one is the most significant; DIF bit 6 is bit 0.
        {"C4 81 52 13 01000000", 1 | (0x21 << 1), 1 << 2, 1 << 1, 2, "$81 $52 "},
    };
    for (const TCase& c : cases) {
        QByteArray hex(c.hex);
        hex.replace(' ', "");
        ASSERT_TRUE(Parse(hex.constData())) << c.hex;
        ASSERT_EQ(list.size(), 1u) << c.hex;
        EXPECT_EQ(Var(0).storage_number, c.storage) << c.hex;
        EXPECT_EQ(Var(0).tarif, c.tariff) << c.hex;
        EXPECT_EQ(Var(0).device, c.subunit) << c.hex;
        EXPECT_EQ(Var(0).numdife, c.numdife) << c.hex;
        EXPECT_EQ(Var(0).DIFE, QString::fromLatin1(c.dife)) << c.hex;
    }
}

TEST_F(MBusRecords, EndsAndSkips)
{
    // More records follow in the next telegram.
    EXPECT_FALSE(Parse("04132A0000001F04132A000000"));
    EXPECT_EQ(list.size(), 1u);
    // Manufacturer data, the special DIFs 3F..7F, a readout selection and
    // VIF 7E/FE end the parse; what came before stays.
    for (const char* hex : {"04132A0000000F0102", "04132A0000003F0102", "04132A0000007F", "04132A000000080102",
                            "04132A00000004FE01020304", "04132A000000047E01020304"}) {
        EXPECT_TRUE(Parse(hex)) << hex;
        EXPECT_EQ(list.size(), 1u) << hex;
    }
    // Idle fillers are skipped on wires and kept as fillers on air.
    EXPECT_TRUE(Parse("2F2F04132A0000002F"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(Var(0).VIF, 0x13);
    EXPECT_TRUE(Parse("2F2F04132A000000", mtWireless));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_FALSE(Var(0).Real_Wireless_Var);
    EXPECT_EQ(Var(0).DIF, QStringLiteral("$2F"));
    EXPECT_TRUE(Var(2).Real_Wireless_Var);
    // Another data field 15 (with its DIFE and VIF) is skipped.
    EXPECT_TRUE(Parse("8F001304132A000000"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(Var(0).dato_A, 42);
}

TEST_F(MBusRecords, PlainTextUnitsAndVariableLength)
{
    EXPECT_TRUE(Parse("017C03682F6D05"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(Var(0).VIF_ASCII, QStringLiteral("m/h"));
    EXPECT_EQ(Var(0).casovif, 101);
    EXPECT_EQ(Var(0).Desc_Type_Data, QStringLiteral("Vif in following String"));
    // With FC the byte after the text is the first VIFE.
    EXPECT_TRUE(Parse("01FC03682F6D3B05"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(Var(0).VIF_ASCII, QStringLiteral("m/h"));
    EXPECT_EQ(Var(0).VIFE, QStringLiteral("$3B "));
    EXPECT_EQ(Var(0).PrinVIFE, 0x3B);
    EXPECT_EQ(Var(0).totdati, QStringLiteral("05"));

    // Characters of a value come last first as well.
    EXPECT_TRUE(Parse("0D7C0141034342410413FF000000"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(Var(0).DataFieldStr, QStringLiteral("Variable Length - ASCII String with 3characters"));
    EXPECT_EQ(Var(0).nbyte, 3);
    EXPECT_EQ(Var(0).totdati, QStringLiteral("434241"));
    EXPECT_EQ(Var(0).ValueStr, QStringLiteral("ABC"));
    EXPECT_EQ(Var(1).dato_A, 255);

    struct TCase {
        const char* hex;
        int nbyte;
        const char* text;
        const char* value;
    };
    const TCase cases[] = {
        {"0D03C3563412", 3, "Variable Length - Positive BCD Number with 6 digits", "123456"},
        {"0D03D25634", 2, "Variable Length - Negative BCD Number with 4 digits", "-3456"},
        {"0D03E20100", 2, "Variable Length - Binary Number with 2 Bytes", "1"},
        {"0D13E3FEFFFF", 3, "Variable Length - Binary Number with 3 Bytes", "-0.002"},
        {"0D03FB", 0, "Variable Length - Reserved", ""},
    };
    for (const TCase& c : cases) {
        ASSERT_TRUE(Parse(c.hex)) << c.hex;
        ASSERT_EQ(list.size(), 1u) << c.hex;
        EXPECT_EQ(Var(0).nbyte, c.nbyte) << c.hex;
        EXPECT_EQ(Var(0).DataFieldStr, QString::fromLatin1(c.text)) << c.hex;
        EXPECT_EQ(Var(0).ValueStr, QString::fromLatin1(c.value)) << c.hex;
    }
    EXPECT_TRUE(Var(0).errata);
    EXPECT_EQ(Var(0).sterror, QStringLiteral("Non analizabile"));
}

TEST_F(MBusRecords, DataBytesBeyondTheEighthAddIntoDatoB)
{
    // Ten binary bytes: bytes 4-7 little-endian, then byte 8 shifted by 0
    // and byte 9 by 8 bits.
    ASSERT_TRUE(Parse("0D03EA 01000000 10203040 0102" ""));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(Var(0).dato_A, 1);
    EXPECT_EQ(LongWord(Var(0).dato_B), 0x40302010u + 0x01u + 0x0200u);
    EXPECT_EQ(Var(0).totdati, QStringLiteral("01000000102030400102"));
}

TEST_F(MBusRecords, ValueAndUnitDecoding)
{
    Expect_Decodes({
        {"04132A000000", "Volume m3", "0.042", 2, 0},
        {"04047B000000", "Energy Wh", "1230", 0, 0},
        {"0B0312 34F5", "Energy Wh", "-53412", 0, 0},
        {"0303FFFFFF", "Energy Wh", "-1", 0, 0},
        {"052B0000C03F", "Power W", "1.5", 6, 0},
        {"0E0F 000000000010", "Energy J", "1E18", 1, 0},
        {"012205", "On Time Hours", "5", 4, 0},
        {"015A07", "Flow Temperature °C", "0.7", 12, 0},
        {"046D0A0C2F33", "Time Point Date and Time (Type F)", "15/03/25 12:10", 20, 0},
        {"026C2F33", "Time Point Date (Type G)", "15/03/25", 20, 0},
        {"036D050403", "Time Point Extended Time Point (Type J)", "03:04:05", 20, 0},
        {"066D050443 2F3300", "Time Point Extended Date and Time Point (Type I)", "Tuesday 15/03/25 03:04:05", 20, 0},
        {"016D05", "", "5", 20, 0},
        {"017F05", "Manufacturer Specific", "5", -1, 0},
        {"016F05", "", "5", -1, 0},
        {"01FD0C05", "Model Version", "5", 19, 7},
        {"01FD2305", "Reserved", "5", 19, -1},
        {"01FD4A07", "Electric Units Volts", "70", 19, 38},
        {"01FD4207", "Electric Units Volts", "7E-7", 19, 38},
        {"01FB1A37", "Relative Humidity %", "5.5", 19, 141},
        {"01FB0101", "Energy MWh", "1", 19, 51},
        {"04933B2A000000", "Volume m3 - Accumulation Only if Positive Contributions (Forward Flow Contribution)", "0.042", 2, 95},
        {"01931005", "Volume m3 - Reserved", "0.005", 2, 0},
        // An extension code is not replaced by a combinable one.
        {"01FD8C3B05", "Model Version - Accumulation Only if Positive Contributions (Forward Flow Contribution)", "5", 19, 7},
        {"0183F37D02",
         "Energy Wh - Moltiplicative Correction Factor: 10^(-3) - Multiplicative Cerrection Factor: 10^(3)", "2", 0, 103},
        {"01837A05", "Energy Wh - Additive Correction Constant: 10^(-1) * Unit of VIF", "0.5", 0, 104},
        {"0183FC0105", "Energy Wh - At Phase L1", "5", 0, 0},
        {"01835505", "Energy Wh - Duration 01 of Last Lower Limit Exceed", "5", 0, 100},
        {"02934233 33", "Volume m3 - Date(/Time) of Begin of First Lower Limit Exceed", "19/03/25", 2, 99},
        {"01934205", "Volume m3 - Date(/Time) of Begin of First Lower Limit Exceed", "0.005", 2, 99},
    });
    // The value text uses the system's decimal separator.
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    ASSERT_TRUE(Parse("04132A000000"));
    EXPECT_EQ(Var(0).ValueStr, QStringLiteral("0,042"));
}

TEST_F(MBusRecords, HeaderTexts)
{
    EXPECT_EQ(Trova_Man(0x4024), QStringLiteral("PAD"));
    EXPECT_EQ(Trova_Man((1 << 10) | (26 << 5) | 13), QStringLiteral("AZM"));
    EXPECT_EQ(Trova_Man((0 << 10) | (2 << 5) | 3), QStringLiteral("?BC"));
    EXPECT_EQ(Trova_Man((1 << 10) | (0 << 5) | 3), QStringLiteral("A?C"));
    EXPECT_EQ(Trova_Man((1 << 10) | (2 << 5) | 0).at(2), QLatin1Char('?'));
    EXPECT_EQ(Medium_Text(0), QStringLiteral("Other"));
    EXPECT_EQ(Medium_Text(16), QStringLiteral("Other"));
    EXPECT_EQ(Medium_Text(7), QStringLiteral("Water"));
    EXPECT_EQ(Medium_Text(12), QStringLiteral("Heat (inlet) "));
    EXPECT_EQ(Two_Digit_Text(5), QStringLiteral("05"));
    EXPECT_EQ(Two_Digit_Text(105), QStringLiteral("105"));
    EXPECT_EQ(Power_Of_Ten(0), 1);
    EXPECT_EQ(Power_Of_Ten(17), 100000000000000000LL);
    // Nibbles above 9 are summed as they stand.
    decoder.App_Data_Val[0] = 0x1A;
    EXPECT_EQ(decoder.BCD_To_Int64(1), 20);
}

// Records as real meters send them, where the older tables read wrong.
TEST_F(MBusRecords, LongBinaryNumbersAndReservedLengths)
{
    // F0-F4 hold 4 x (LVAR - EC) bytes, F5 48 and F6 64; the record after
    // them is read in its place.
    const std::pair<const char*, int> lengths[] = {{"F0", 16}, {"F1", 20}, {"F4", 32}, {"F5", 48}, {"F6", 64}};
    for (const auto& [lvar, n] : lengths) {
        QByteArray data;
        for (int i = 0; i < n; ++i)
            data += char(i + 1);
        ASSERT_TRUE(Parse((QByteArray("0DFD16") + lvar + data.toHex() + "04132A000000").constData())) << lvar;
        ASSERT_EQ(list.size(), 2u) << lvar;
        EXPECT_EQ(Var(0).nbyte, n) << lvar;
        EXPECT_EQ(Var(0).DataFieldStr, QStringLiteral("Variable Length - Binary Number with %1 Bytes").arg(n)) << lvar;
        std::reverse(data.begin(), data.end());
        EXPECT_EQ(Var(0).ValueStr, QString::fromLatin1(data.toHex().toUpper())) << lvar;
        EXPECT_EQ(Var(0).Desc_Type_Data, QStringLiteral("Password")) << lvar;
        EXPECT_EQ(Var(1).dato_A, 42) << lvar;
    }
    // A reserved length cannot be placed: its record stays, marked and
    // without a value, and ends the list; the bytes after it make no record.
    for (const char* lvar : {"F7", "FA", "FF"}) {
        EXPECT_TRUE(Parse((QByteArray("04132A000000" "0D13") + lvar + "04132A000000").constData())) << lvar;
        ASSERT_EQ(list.size(), 2u) << lvar;
        EXPECT_TRUE(Var(1).errata) << lvar;
        EXPECT_EQ(Var(1).nbyte, 0) << lvar;
        EXPECT_EQ(Var(1).DataFieldStr, QStringLiteral("Variable Length - Reserved")) << lvar;
        EXPECT_EQ(Var(1).ValueStr, QString()) << lvar;
    }
}

TEST_F(MBusRecords, ValuesThatAreTextsOrNoNumbers)
{
    Expect_Decodes({
        // A plain-text unit over a number: the number, with the VIFE's scale.
        {"02FC03485225742215", "Vif in following String - Moltiplicative Correction Factor: 10^(-2)", "54.1", 21, 103, "%RH"},
        {"027C09656D6974202E746162D409", "Vif in following String", "2516", 21, 0, "bat. time"},
        // A text value in reading order, under any VIF.
        {"0D7C014103434241", "Vif in following String", "ABC", 21, 0, "A"},
        {"0D78113431383530323830323139353731303047", "Fabrication No", "G0017591208205814", 23, 0},
        {"0DFD1103434241", "Customer", "ABC", 19, 12},
        {"0D7800", "Fabrication No", "", 23, 0},
        // An extension VIF without its extension byte names no unit.
        {"0C7B02030000", "Unknown Unit", "302", -1, 0},
        {"017D05", "Unknown Unit", "5", -1, 0},
        // BCD digits A-F are no number; an F at the top is still the sign.
        {"0C2BBDEBDDDD", "Power W", "Not a Number (DDDDEBBD)", 6, 0},
        {"0A5A1A00", "Flow Temperature °C", "Not a Number (001A)", 12, 0},
        {"0B5A1234F5", "Flow Temperature °C", "-5341.2", 12, 0},
        {"0D13C21A00", "Volume m3", "Not a Number (001A)", 2, 0},
        // A date and time whose time-invalid bit is set.
        {"046DA115E917", "Time Point Date and Time (Type F)", "Invalid Time", 20, 0},
        {"046D2115E917", "Time Point Date and Time (Type F)", "09/07/15 21:33", 20, 0},
        {"049342A115E917", "Volume m3 - Date(/Time) of Begin of First Lower Limit Exceed", "Invalid Time", 2, 99},
    });
}

// A wired RSP_UD telegram around the given data part.
void PutTelegram(TMBusRecordDecoder& d, const QByteArray& data)
{
    QByteArray t = QByteArray::fromHex("6800006808057278563412244001075500000000");
    t.chop(1); // header is 19 bytes
    t += data;
    t[1] = t[2] = char(t.size() - 4);
    Byte cs = 0;
    for (int i = 4; i < t.size(); ++i)
        cs += Byte(t[i]);
    t += char(cs);
    t += char(0x16);
    std::memcpy(d.Ans_Array, t.constData(), size_t(t.size()));
    d.Ans_Len = Integer(t.size());
}

TEST_F(MBusRecords, WiredMeterFromTwoTelegrams)
{
    Wired_Slave_List = std::make_unique<TList>();
    PutTelegram(decoder, QByteArray::fromHex("04132A0000001F"));
    bool noMore = true;
    EXPECT_EQ(decoder.Add_Wired_Slave(-1, noMore), 0);
    EXPECT_FALSE(noMore);
    ASSERT_EQ(Wired_Slave_List->Count(), 1);
    auto* slave = static_cast<TSlave_MBus*>(Wired_Slave_List->Items(0));
    EXPECT_EQ(slave->Primary_Addresss, 5);
    EXPECT_EQ(slave->Secondary_Addresss, QStringLiteral("12345678"));
    EXPECT_EQ(slave->Manufacture, 0x4024);
    EXPECT_EQ(slave->descManufacture, QStringLiteral("PAD"));
    EXPECT_EQ(slave->Version, 1);
    EXPECT_EQ(slave->Medium, 7);
    EXPECT_EQ(slave->descmedium, QStringLiteral("Water"));
    EXPECT_EQ(slave->Status, 0);
    EXPECT_EQ(slave->List_Var.size(), 1u);

    // The next telegram adds its records to the same meter.
    PutTelegram(decoder, QByteArray::fromHex("022B0500"));
    decoder.Ans_Array[7] = 0x01; // a header that is not read again
    EXPECT_EQ(decoder.Add_Wired_Slave(0, noMore), 0);
    EXPECT_TRUE(noMore);
    ASSERT_EQ(slave->List_Var.size(), 2u);
    EXPECT_EQ(slave->List_Var[1]->Desc_Type_Data, QStringLiteral("Power W"));
    EXPECT_EQ(slave->Secondary_Addresss, QStringLiteral("12345678"));

    // An identification number keeps at least two hex digits.
    PutTelegram(decoder, QByteArray());
    decoder.Ans_Array[7] = 0x01;
    decoder.Ans_Array[8] = decoder.Ans_Array[9] = decoder.Ans_Array[10] = 0;
    EXPECT_EQ(decoder.Add_Wired_Slave(-1, noMore), 1);
    EXPECT_TRUE(noMore);
    auto* second = static_cast<TSlave_MBus*>(Wired_Slave_List->Items(1));
    EXPECT_EQ(second->Secondary_Addresss, QStringLiteral("01"));
    EXPECT_TRUE(second->List_Var.empty());

    for (int i = 0; i < Wired_Slave_List->Count(); ++i)
        delete static_cast<TSlave_MBus*>(Wired_Slave_List->Items(i));
    Wired_Slave_List.reset();
}

TEST_F(MBusRecords, FixedDataStructure)
{
    Wired_Slave_List = std::make_unique<TList>();
    auto put = [&](const char* hex) {
        const QByteArray t = QByteArray::fromHex(hex);
        std::memcpy(decoder.Ans_Array, t.constData(), size_t(t.size()));
        decoder.Ans_Len = Integer(t.size());
    };
    struct TCase {
        const char* body; // status, medium and units, counter 1, counter 2
        int medium;
        const char* desc1;
        const char* value1;
        const char* desc2;
        const char* value2;
        Int64 storage1, storage2;
        int dimension;
    };
    const TCase cases[] = {
        // Water, litres, BCD; unit 3E: counter 1's unit for a stored value.
        {"00E97E0100000035010000", 7, "Volume m3", "0.001", "Volume m3", "0.135", 0, 1, 12},
        // Binary counters, both stored: kWh x 10 and m3/h.
        {"03C675E803000010000000", 7, "Energy Wh", "10000000", "Volume Flow m3/h", "16", 1, 1, 4},
        // Gas of the second mode; h,m,s and units 3F (none).
        {"0080BF1200000099999999", 3, "Unknown Unit", "12", "Dimensionless / No VIF", "99999999", 0, 0, 12},
        // BCD digits A-F are no number.
        {"000202100000000000000E", 0, "Energy Wh", "10", "Energy Wh", "Not a Number (0E000000)", 0, 0, 12},
    };
    for (const TCase& c : cases) {
        put((QByteArray("6813136808057378563412" "0A") + c.body + "0016").constData());
        bool noMore = false;
        const Integer index = decoder.Add_Wired_Slave(-1, noMore);
        ASSERT_GE(index, 0) << c.body;
        EXPECT_TRUE(noMore);
        const auto* m = static_cast<TSlave_MBus*>(Wired_Slave_List->Items(index));
        EXPECT_EQ(m->Primary_Addresss, 5);
        EXPECT_EQ(m->Secondary_Addresss, QStringLiteral("12345678"));
        EXPECT_EQ(m->Medium, c.medium) << c.body;
        EXPECT_EQ(m->descmedium, Medium_Text(c.medium));
        EXPECT_EQ(m->Manufacture, 0);
        EXPECT_EQ(m->descManufacture, QString());
        ASSERT_EQ(m->List_Var.size(), 2u);
        const TVariable_MBus& v1 = *m->List_Var[0];
        const TVariable_MBus& v2 = *m->List_Var[1];
        EXPECT_EQ(v1.Desc_Type_Data, QString::fromUtf8(c.desc1)) << c.body;
        EXPECT_EQ(v1.ValueStr, QString::fromLatin1(c.value1)) << c.body;
        EXPECT_EQ(v2.Desc_Type_Data, QString::fromUtf8(c.desc2)) << c.body;
        EXPECT_EQ(v2.ValueStr, QString::fromLatin1(c.value2)) << c.body;
        EXPECT_EQ(v1.storage_number, c.storage1) << c.body;
        EXPECT_EQ(v2.storage_number, c.storage2) << c.body;
        EXPECT_EQ(v1.dimension, c.dimension) << c.body;
        EXPECT_EQ(v1.nbyte, 4);
        EXPECT_EQ(v1.Is_BCD, c.dimension == 12);
    }
    const auto* first = static_cast<TSlave_MBus*>(Wired_Slave_List->Items(0));
    EXPECT_EQ(first->List_Var[0]->type_data, 2);
    EXPECT_EQ(first->List_Var[0]->totdati, QStringLiteral("01000000"));
    EXPECT_EQ(first->Status, 0);

    // Too short for the structure, or another structure: no meter.
    const Integer count = Wired_Slave_List->Count();
    bool noMore = false;
    put("68101068080573785634120A00E97E01000000350100000016");
    decoder.Ans_Len -= 5;
    EXPECT_EQ(decoder.Add_Wired_Slave(-1, noMore), -1);
    EXPECT_TRUE(noMore);
    for (const char* ci : {"70", "76", "77", "78", "7A"}) {
        put((QByteArray("6800006808057") + (ci + 1) + "7856341224400107550000000004132A0000000016").constData());
        EXPECT_EQ(decoder.Add_Wired_Slave(-1, noMore), -1) << ci;
        EXPECT_TRUE(noMore);
        // A further telegram of a meter being read adds nothing either.
        EXPECT_EQ(decoder.Add_Wired_Slave(0, noMore), 0) << ci;
    }
    EXPECT_EQ(Wired_Slave_List->Count(), count);
    EXPECT_EQ(first->List_Var.size(), 2u);

    for (int i = 0; i < Wired_Slave_List->Count(); ++i)
        delete static_cast<TSlave_MBus*>(Wired_Slave_List->Items(i));
    Wired_Slave_List.reset();
}

TEST_F(MBusRecords, CutAndMalformedDataIsNeverReadPastItsEnd)
{
    // Every cut of a telegram with long chains keeps the whole records
    // before the cut.
    const QByteArray full = QByteArray::fromHex("04132A000000" "C48152FD8C3B05000000" "0D7C014103414243"
                                                "8401FC03682F6DFC0105000000" "0D13FB");
    ASSERT_TRUE(Parse(full.toHex().constData()));
    ASSERT_EQ(list.size(), 5u);
    const size_t ends[] = {6, 16, 24, 37, 40};
    for (int len = 0; len <= full.size(); ++len) {
        ASSERT_TRUE(Parse(full.left(len).toHex().constData())) << len;
        size_t whole = 0;
        for (size_t e : ends)
            whole += size_t(len) >= e;
        EXPECT_EQ(list.size(), whole) << len;
    }
    // Chains longer than ten end the parse.
    EXPECT_TRUE(Parse("04132A000000" "84 8080808080808080808001 13 01000000"));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_TRUE(Parse("04132A000000" "04 93 8080808080808080808001 01000000"));
    EXPECT_EQ(list.size(), 1u);
    // A plain-text unit longer than 192 characters too.
    EXPECT_TRUE(Parse(("04132A000000" "017CC1" + QByteArray(193 * 2 + 2, '4')).constData()));
    EXPECT_EQ(list.size(), 1u);

    // Random data, in exact-size buffers: whatever it holds, the parse ends.
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        std::vector<Byte> bytes(size_t(rng() % 64 + 1));
        for (Byte& b : bytes)
            b = Byte(rng());
        list.clear();
        decoder.MBusType = round % 2 ? mtWireless : mtWired;
        decoder.Parse_Data_Records(list, Integer(bytes.size()) - 1, 0, bytes.data());
        for (const auto& v : list)
            ASSERT_LE(v->nbyte, Integer(bytes.size()));
    }
    // An empty data part gives nothing.
    list.clear();
    EXPECT_TRUE(decoder.Parse_Data_Records(list, -1, 0, nullptr));
    EXPECT_TRUE(list.empty());
}

} // namespace
