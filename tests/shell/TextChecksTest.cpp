#include "shell/TextChecks.h"

#include "platform/Locale.h"
#include "platform/SerialPorts.h"
#include "platform/StringList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(IntegerReading, AcceptsOnlyTheWholeTextAsANumber)
{
    struct Case { const char* text; bool ok; Integer value; };
    const Case cases[] = {
        {"12", true, 12},           {"  12", true, 12},         {"+7", true, 7},
        {"-7", true, -7},           {"$FF", true, 255},         {"0x1f", true, 31},
        {"0X1F", true, 31},         {"x10", true, 16},          {"X10", true, 16},
        {"-$10", true, -16},        {"$FFFFFFFF", true, -1},    {"$80000000", true, INT32_MIN},
        {"0x000000001", true, 1},   {"2147483647", true, INT32_MAX},
        {"-2147483648", true, INT32_MIN},                       {"0", true, 0},
        {"007", true, 7},
        // failures
        {"", false, 0},             {"   ", false, 0},          {"12 ", false, 0},
        {"1.5", false, 0},          {"\t12", false, 0},         {"+", false, 0},
        {"$", false, 0},            {"0x", false, 0},           {"$1FFFFFFFF", false, 0},
        {"2147483648", false, 0},   {"-2147483649", false, 0},  {"99999999999999999999", false, 0},
        {"12a", false, 0},          {"- 1", false, 0},          {"+-1", false, 0},
        {"$G1", false, 0},          {"0b101", false, 0},        {"1e3", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Integer v = 12345;
        EXPECT_EQ(Try_Text_To_Int(QString::fromUtf8(c.text), v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
        EXPECT_EQ(Text_To_Int(QString::fromUtf8(c.text), -99), c.ok ? c.value : -99);
    }
    // Only ASCII digits count: full-width or Arabic-Indic digits do not.
    EXPECT_EQ(Text_To_Int(QString::fromUtf8("\xef\xbc\x91"), -1), -1);
    EXPECT_EQ(Text_To_Int(QString::fromUtf8("\xd9\xa1"), -1), -1);
}

TEST(IntegerReading, SixtyFourBitsTakeTheStorageNumbersAndAddresses)
{
    struct Case { const char* text; Int64 value; };
    const Case cases[] = {
        {"4294967295", 4294967295LL},        {"4294967296", 4294967296LL},   {"-1", -1},
        {"$FFFFFFFF", 4294967295LL},         {"0xFFFFFFFFFFFFFFFF", -1},     {"$8000000000000000", INT64_MIN},
        {"9223372036854775807", INT64_MAX},  {"-9223372036854775808", INT64_MIN},
        {"  +12", 12},
        // failures read as the fallback
        {"9223372036854775808", -7},         {"$1FFFFFFFFFFFFFFFF", -7},     {"", -7},
        {"12 ", -7},                         {"0x", -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Text_To_Int64(QString::fromUtf8(c.text), -7), c.value);
    }
}

TEST(IntegerReading, TheDecimalReadingRefusesTheHexadecimalForms)
{
    struct Case { const char* text; bool ok; Integer value; };
    const Case cases[] = {
        {"12", true, 12},           {"  -7", true, -7},         {"+007", true, 7},
        {"2147483647", true, INT32_MAX},                        {"-2147483648", true, INT32_MIN},
        {"$10", false, 0},          {"0x10", false, 0},         {"x10", false, 0},
        {"-$10", false, 0},         {"2147483648", false, 0},   {"12 ", false, 0},
        {"", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        Integer v = 0;
        EXPECT_EQ(Try_Decimal_To_Int(text, v), c.ok);
        EXPECT_EQ(Decimal_To_Int(text, -99), c.ok ? c.value : -99);
    }
    Int64 w = 0;
    EXPECT_TRUE(Try_Decimal_To_Int64(QStringLiteral("2147483648"), w));
    EXPECT_EQ(w, 2147483648LL);
    EXPECT_TRUE(Try_Decimal_To_Int64(QStringLiteral("-9223372036854775808"), w));
    EXPECT_EQ(w, INT64_MIN);
    EXPECT_FALSE(Try_Decimal_To_Int64(QStringLiteral("$FFFFFFFF"), w));
    EXPECT_FALSE(Try_Decimal_To_Int64(QStringLiteral("0x1"), w));
}

TEST(SplitIpAddress, ChecksFourTrimmedParts)
{
    struct Case { const char* text; bool ok; };
    const Case cases[] = {
        {" 192 . 168 . 1 . 10 ", true}, {"192.168.1", false},   {"192.168.1.10.5", false},
        {"192.168.001.010", true},      {"192.168..1", false},  {"256.1.1.1", false},
        {"0x10.0.0.1", true},           {"$10.0.0.1", true},    {"0.0.0.0", true},
        {"255.255.255.255", true},      {"1.2.3.-1", false},    {"", false},
        {"a.b.c.d", false},             {"\t10.0.0.1\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString p1, p2, p3, p4;
        EXPECT_EQ(Split_IP_Address(QString::fromUtf8(c.text), p1, p2, p3, p4), c.ok);
    }
    QString p1, p2, p3, p4;
    ASSERT_TRUE(Split_IP_Address(" 192 . 168 . 1 . 10 ", p1, p2, p3, p4));
    EXPECT_EQ(QStringList({p1, p2, p3, p4}), QStringList({"192", "168", "1", "10"}));

    // The parts are handed out as they are found.
    p1 = p2 = p3 = p4 = "old";
    EXPECT_FALSE(Split_IP_Address("10.20", p1, p2, p3, p4));
    EXPECT_EQ(QStringList({p1, p2, p3, p4}), QStringList({"10", "old", "old", "old"}));
    EXPECT_FALSE(Split_IP_Address("192.168.1.10.5", p1, p2, p3, p4));
    EXPECT_EQ(p4, "10.5");
}

TEST(IpTextToBytes, SetsEachByteAndReportsErrors)
{
    struct Case { const char* text; bool error; Byte b[4]; };
    const Case cases[] = {
        {"10.0.0.1", false, {10, 0, 0, 1}},
        {"10.0.0", true, {10, 0, 0, 0}},        // third part empty, fourth "0"
        {"10 .0.0.1", true, {0, 0, 0, 1}},      // trailing blank on byte 1
        {" 10.0.0.1", false, {10, 0, 0, 1}},
        {"300.1.2.3", true, {0, 1, 2, 3}},
        {"1.2.3.4.5", true, {1, 2, 3, 0}},      // fourth part "4.5"
        {"$C0.$A8.1.1", false, {192, 168, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Byte b[4] = {99, 99, 99, 99};
        EXPECT_EQ(IP_Text_To_Bytes(QString::fromUtf8(c.text), b[0], b[1], b[2], b[3]), c.error);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(b[i], c.b[i]) << "byte " << i + 1;
    }
    Byte b1 = 7, b2 = 8, b3 = 9, b4 = 10;
    EXPECT_TRUE(IP_Text_To_Bytes("", b1, b2, b3, b4));
    EXPECT_EQ(b1 + b2 + b3 + b4, 7 + 8 + 9 + 10);
}

TEST(ParseIpPort, ReadsAddressAndPort)
{
    struct Case { const char* text; bool ok; Byte b[4]; Word port; };
    const Case cases[] = {
        {"192.168.1.10:502", true, {192, 168, 1, 10}, 502},
        {"192.168.1.10: 80 ", true, {192, 168, 1, 10}, 80},
        {" 10 . 0 . 0 . 1 : 0", true, {10, 0, 0, 1}, 0},
        {"1.2.3.4:65535", true, {1, 2, 3, 4}, 65535},
        {"192.168.1.10", false, {0, 0, 0, 0}, 0},
        {"192.168.1.10:", false, {0, 0, 0, 0}, 0},
        {"192.168.1.10:65536", false, {0, 0, 0, 0}, 0},
        {"192.168.1.256:80", false, {0, 0, 0, 0}, 0},
        {"192.168.1:80", false, {0, 0, 0, 0}, 0},
        {"", false, {0, 0, 0, 0}, 0},
        {"1.2.3.4:-1", false, {0, 0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Byte b[4] = {9, 9, 9, 9};
        Word port = 9;
        EXPECT_EQ(Parse_IP_Port(QString::fromUtf8(c.text), b[0], b[1], b[2], b[3], port), c.ok);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(b[i], c.b[i]) << "byte " << i + 1;
        EXPECT_EQ(port, c.port);
    }
}

TEST(HasNonAlnumChar, AsciiLettersAndDigitsOnly)
{
    EXPECT_FALSE(Has_Non_Alnum_Char("Device01"));
    EXPECT_FALSE(Has_Non_Alnum_Char(""));
    EXPECT_TRUE(Has_Non_Alnum_Char("Device 01"));
    EXPECT_TRUE(Has_Non_Alnum_Char("Dev_01"));
    EXPECT_TRUE(Has_Non_Alnum_Char(QString::fromUtf8("Ger\xc3\xa4t")));
}

TEST(CheckKnxAddress, GroupAndIndividualForms)
{
    struct Case { const char* text; bool group; bool allowZero; bool error; };
    const Case cases[] = {
        // group addresses
        {"31/7/255", true, true, false}, {"32/0/1", true, true, true},   {"0/0/0", true, true, true},
        {"0/0", true, true, true},       {"0/1", true, true, false},     {"31/2047", true, true, false},
        {"31/2048", true, true, true},   {"1/8/0", true, true, true},    {"1/2/3/4", true, true, true},
        {"1.2", true, true, true},       {"4660", true, true, false},    {"0", true, true, true},
        {"65536", true, true, true},     {"1 / 2 / 3", true, true, false}, {"a/1", true, true, true},
        // individual addresses
        {"15.15.255", false, true, false}, {"16.1.1", false, true, true},  {"1.16.1", false, true, true},
        {"1.1.256", false, true, true},    {"0.0.0", false, true, false},  {"0.0.0", false, false, true},
        {"1/1", false, true, true},        {"1.2.3.4", false, true, true}, {"65535", false, true, false},
        {"0", false, true, true},          {"1.1.20", false, false, false},
        // two-part individual addresses: area, then line and device together
        {"1.2", false, true, false},       {"15.4095", false, true, false}, {"a.b", false, true, true},
        {"16.1", false, true, true},       {"1.4096", false, true, true},   {"1.", false, true, true},
        {"0.0", false, true, false},       {"0.0", false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << (c.group ? " group" : " individual")
                                        << (c.allowZero ? " zero allowed" : ""));
        EXPECT_EQ(Check_KNX_Address(QString::fromUtf8(c.text), c.group, c.allowZero), c.error);
    }
    EXPECT_TRUE(Is_KNX_Group_Address("1/2/3"));
    EXPECT_TRUE(Is_KNX_Group_Address("4660"));
    EXPECT_FALSE(Is_KNX_Group_Address("1.1.20"));
}

TEST(CheckOid, FirstFaultGivesTheCode)
{
    struct Case { QString text; Integer code; };
    const Case cases[] = {
        {"1.3.6.1.2.1.1.1.0", 0},  {QString(129, u'1'), 1}, {QString(128, u'1'), 6},
        {"1.3.a", 2},              {".1.3", 3},              {"1.3.", 4},
        {"1..3", 5},               {"1.4294967296", 6},      {"1.4294967295", 0},
        {"", 2},                   {" 1.3", 2},              {".", 3},
        {"1." + QString(126, u'0'), 0},                    {"99999999999999999999.1", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(Check_OID(c.text), c.code);
    }
    // 128 characters of valid identifier pass; 129 do not.
    const QString ok128 = QStringLiteral("1.").repeated(63) + "11";
    ASSERT_EQ(ok128.size(), 128);
    EXPECT_EQ(Check_OID(ok128), 0);
    EXPECT_EQ(Check_OID(ok128 + "1"), 1);
}

TEST(SnmpSecurityLevel, Codes)
{
    EXPECT_EQ(SNMP_Security_Level_Code(" auth priv "), 3);
    EXPECT_EQ(SNMP_Security_Level_Code("Auth NoPriv"), 1);
    EXPECT_EQ(SNMP_Security_Level_Code("   "), -1);
    EXPECT_EQ(SNMP_Security_Level_Code(""), -1);
    EXPECT_EQ(SNMP_Security_Level_Code("AUTHPRIV"), 0);
    EXPECT_EQ(SNMP_Security_Level_Code("NOAUTH NOPRIV"), 0);
}

TEST(DecimalSeparator, FromTheRegionalSetting)
{
    const struct { const char* regional; char expected; } cases[] = {
        {"", ','}, {".", '.'}, {",", ','}, {";", ','}, {".,x", '.'}, {" ", ','}};
    for (const auto& c : cases) {
        SetRegionalDecimalSeparator(QString::fromLatin1(c.regional));
        EXPECT_EQ(Get_Decimal_Separator(), QChar(c.expected)) << '"' << c.regional << '"';
    }
    ResetFormatSettings();
}

TEST(TextToFloat, EitherSeparatorIsTurnedIntoTheRegionalOne)
{
    struct Case { const char* text; bool ok; float value; };
    const Case cases[] = {
        {"3,5", true, 3.5f},    {"3.5", true, 3.5f},    {"-0.25", true, -0.25f}, {"+2", true, 2.0f},
        {"1e3", true, 1000.0f}, {"1,5E-2", true, 0.015f}, {" 7 ", true, 7.0f},   {".5", true, 0.5f},
        {"1.234,5", false, 1.0f}, {"abc", false, 1.0f},  {"", false, 1.0f},      {"1e", false, 1.0f},
        {"1e40", false, 1.0f},  {"1 000", false, 1.0f},  {"-", false, 1.0f},     {"0x10", false, 1.0f},
        {"inf", false, 1.0f},   {"nan", false, 1.0f},
    };
    // The separator the callers pass is the regional one; every setting must
    // work, also a region whose own separator is neither (Arabic U+066B).
    for (const char* regional : {".", ",", "\u066B"}) {
        SetRegionalDecimalSeparator(QString::fromUtf8(regional));
        const QChar sep = Get_Decimal_Separator();
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.text << " with regional " << regional);
            float v = -42.0f;
            EXPECT_EQ(Text_To_Float(QString::fromLatin1(c.text), sep, v), c.ok);
            EXPECT_FLOAT_EQ(v, c.value);
        }
    }
    ResetFormatSettings();
}

TEST(ComPortList, NumbersOfThePresentDevicesInOrder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"ttyS2", "ttyS0", "ttyUSB11"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    SetSerialDeviceFolder(dir.path());
    const std::unique_ptr<TStringList> ports = Get_COM_Port_List();
    SetSerialDeviceFolder("/dev");
    ASSERT_TRUE(ports);
    EXPECT_EQ(ports->CommaText(), "1,3,76");

    SetSerialDeviceFolder(dir.filePath("missing"));
    EXPECT_EQ(Get_COM_Port_List()->Count(), 0);
    SetSerialDeviceFolder("/dev");
}

} // namespace
