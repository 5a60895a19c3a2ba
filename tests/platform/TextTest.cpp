#include <gtest/gtest.h>
#include <cmath>
#include <limits>

#include "platform/Locale.h"
#include "platform/Text.h"

namespace {

// Restores the process-wide format settings after each test.
class TextTest : public ::testing::Test {
protected:
    void SetUp() override { FormatSettings() = TFormatSettings::Invariant(); }
    void TearDown() override { ResetFormatSettings(); }
};

TEST_F(TextTest, TrimRemovesEveryCharacterUpToSpaceAtBothEnds)
{
    const QString s = QString::fromUtf8("\t\r\n \x01 a b\x1f \x7f") + QChar(0x00A0);
    // DEL and the no-break space are above U+0020 and stay.
    EXPECT_EQ(Trim(s), QString::fromUtf8("a b\x1f \x7f") + QChar(0x00A0));
    EXPECT_EQ(Trim(QStringLiteral("\x01\x02 x \x1f")), QStringLiteral("x"));
    EXPECT_EQ(TrimLeft(QStringLiteral("  x  ")), QStringLiteral("x  "));
    EXPECT_EQ(TrimRight(QStringLiteral("  x \t")), QStringLiteral("  x"));
    EXPECT_EQ(Trim(QStringLiteral(" \t ")), QString());
}

TEST_F(TextTest, CaseChangesOnlyAsciiLettersUnlessAnsi)
{
    const QString s = QString::fromUtf8("abzAZ äöü ß é");
    EXPECT_EQ(UpperCase(s), QString::fromUtf8("ABZAZ äöü ß é"));
    EXPECT_EQ(LowerCase(QString::fromUtf8("ABZ ÄÖÜ")), QString::fromUtf8("abz ÄÖÜ"));
    EXPECT_EQ(AnsiUpperCase(QString::fromUtf8("äé")), QString::fromUtf8("ÄÉ"));
    EXPECT_TRUE(SameText(QStringLiteral("Hello"), QStringLiteral("hELLO")));
    EXPECT_FALSE(SameText(QString::fromUtf8("Ä"), QString::fromUtf8("ä")));
    EXPECT_TRUE(AnsiSameText(QString::fromUtf8("Ä"), QString::fromUtf8("ä")));
    EXPECT_LT(CompareText(QStringLiteral("abc"), QStringLiteral("ABD")), 0);
    EXPECT_GT(CompareStr(QStringLiteral("a"), QStringLiteral("B")), 0);
}

TEST_F(TextTest, PositionsCountFromOne)
{
    EXPECT_EQ(Pos(QStringLiteral("="), QStringLiteral("STR18 = x")), 7);
    EXPECT_EQ(Pos(QStringLiteral("q"), QStringLiteral("abc")), 0);
    EXPECT_EQ(Pos(QString(), QStringLiteral("abc")), 0);
    EXPECT_EQ(PosEx(QStringLiteral("a"), QStringLiteral("abca"), 2), 4);
    EXPECT_EQ(PosEx(QStringLiteral("a"), QStringLiteral("abca"), 5), 0);

    struct { int index, count; const char* expected; } cases[] = {
        {1, 3, "abc"}, {2, 2, "bc"}, {0, 2, "ab"}, {-5, 1, "a"}, {5, 3, "e"}, {6, 1, ""}, {2, 0, ""}, {2, -1, ""}, {3, 100, "cde"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Copy(QStringLiteral("abcde"), c.index, c.count), QString::fromLatin1(c.expected)) << c.index << "," << c.count;

    QString s = QStringLiteral("abcdef");
    Delete(s, 2, 3);
    EXPECT_EQ(s, QStringLiteral("aef"));
    Delete(s, 0, 1);
    EXPECT_EQ(s, QStringLiteral("aef"));
    Insert(QStringLiteral("XY"), s, 2);
    EXPECT_EQ(s, QStringLiteral("aXYef"));
    Insert(QStringLiteral("!"), s, 99);
    EXPECT_EQ(s, QStringLiteral("aXYef!"));
}

TEST_F(TextTest, IntegerTexts)
{
    EXPECT_EQ(IntToStr(-2147483648LL), QStringLiteral("-2147483648"));
    EXPECT_EQ(IntToStr(9223372036854775807LL), QStringLiteral("9223372036854775807"));
    EXPECT_EQ(IntToHex(255, 4), QStringLiteral("00FF"));
    EXPECT_EQ(IntToHex(0x1ABCDEF, 2), QStringLiteral("1ABCDEF"));
}

TEST_F(TextTest, GeneralFloatTexts)
{
    const std::pair<long double, const char*> cases[] = {
        {0.042L, "0.042"},           {1230, "1230"},
        {-53412, "-53412"},          {0.1L + 0.2L, "0.3"},
        {0.0001L, "0.0001"},         {0.00001L, "1E-5"},
        {-1.5e-7L, "-1.5E-7"},       {999999999999999.0L, "999999999999999"},
        {1e15L, "1E15"},             {123456789012345678.0L, "1.23456789012346E17"},
        {2.0L / 3, "0.666666666666667"}, {0, "0"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FloatToStr(value), QString::fromLatin1(text)) << text;
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), QStringLiteral("INF"));
    EXPECT_EQ(FloatToStr(std::nanl("")), QStringLiteral("NAN"));
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    EXPECT_EQ(FloatToStr(0.042L), QStringLiteral("0,042"));
    EXPECT_EQ(FloatToStr(1.5e20L), QStringLiteral("1,5E20"));
}

TEST_F(TextTest, FormatSpecifiers)
{
    struct Case { QString fmt; std::vector<TVarRec> args; QString expected; };
    const Case cases[] = {
        {QStringLiteral("Error row %d!!"), {12}, QStringLiteral("Error row 12!!")},
        {QStringLiteral("%s-%s"), {QStringLiteral("a"), "b"}, QStringLiteral("a-b")},
        {QStringLiteral("padding-left: %dpx; padding-right: %0:dpx;"), {4}, QStringLiteral("padding-left: 4px; padding-right: 4px;")},
        {QStringLiteral("%s%.8d"), {"StartHTML:", 97}, QStringLiteral("StartHTML:00000097")},
        {QStringLiteral("%.3d"), {-7}, QStringLiteral("-007")},
        {QStringLiteral("%x|%.4x|%X"), {255, 10, 48879}, QStringLiteral("FF|000A|BEEF")},
        {QStringLiteral("%x"), {-1}, QStringLiteral("FFFFFFFF")},
        {QStringLiteral("%u"), {-1}, QStringLiteral("4294967295")},
        {QStringLiteral("%.2f"), {3.14159}, QStringLiteral("3.14")},
        {QStringLiteral("%f"), {2.5}, QStringLiteral("2.50")},
        {QStringLiteral("%.0f"), {-0.4}, QStringLiteral("0")},
        {QStringLiteral("%.1f"), {-1.26}, QStringLiteral("-1.3")},
        {QStringLiteral("%n"), {1234567.891}, QStringLiteral("1,234,567.89")},
        {QStringLiteral("%e"), {1234.5}, QStringLiteral("1.23450000000000E+003")},
        {QStringLiteral("%.3e"), {-0.000123}, QStringLiteral("-1.23E-004")},
        {QStringLiteral("%g"), {0.5}, QStringLiteral("0.5")},
        {QStringLiteral("%g"), {1e20}, QStringLiteral("1E20")},
        {QStringLiteral("%g"), {1e-7}, QStringLiteral("1E-7")},
        {QStringLiteral("[%5d][%-5d][%5s][%.2s]"), {42, 42, "ab", "abcdef"}, QStringLiteral("[   42][42   ][   ab][ab]")},
        {QStringLiteral("[%*d][%-*.*f]"), {4, 7, 6, 1, 2.26}, QStringLiteral("[   7][2.3   ]")},
        {QStringLiteral("100%% %s"), {"done"}, QStringLiteral("100% done")},
        {QStringLiteral("%1:s %0:s %s"), {"a", "b"}, QStringLiteral("b a b")},
        {QStringLiteral("{\\f%d %s;}"), {0, "Arial"}, QStringLiteral("{\\f0 Arial;}")},
        {QStringLiteral("unused %d"), {1, 2, "x"}, QStringLiteral("unused 1")},
    };
    for (const Case& c : cases) {
        // Format takes an initializer list; rebuild one per arity.
        QString got;
        switch (c.args.size()) {
        case 1: got = Format(c.fmt, {c.args[0]}); break;
        case 2: got = Format(c.fmt, {c.args[0], c.args[1]}); break;
        case 3: got = Format(c.fmt, {c.args[0], c.args[1], c.args[2]}); break;
        case 4: got = Format(c.fmt, {c.args[0], c.args[1], c.args[2], c.args[3]}); break;
        case 5: got = Format(c.fmt, {c.args[0], c.args[1], c.args[2], c.args[3], c.args[4]}); break;
        default: FAIL() << "arity";
        }
        EXPECT_EQ(got, c.expected) << c.fmt.toStdString();
    }
}

TEST_F(TextTest, FormatUsesTheDecimalAndThousandSeparators)
{
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    FormatSettings().ThousandSeparator = QLatin1Char('.');
    EXPECT_EQ(Format(QStringLiteral("%.2f"), {1.5}), QStringLiteral("1,50"));
    EXPECT_EQ(Format(QStringLiteral("%n"), {-9876543.21}), QStringLiteral("-9.876.543,21"));
    EXPECT_EQ(Format(QStringLiteral("%g"), {0.25}), QStringLiteral("0,25"));
}

TEST_F(TextTest, FormatMismatchRaisesInsteadOfGuessing)
{
    const auto bad = [](auto&& call) {
        try {
            call();
        } catch (const EConvertError& e) {
            return QString::fromStdString(e.what()).contains(QStringLiteral("invalid or incompatible"));
        }
        return false;
    };
    EXPECT_TRUE(bad([] { Format(QStringLiteral("%d"), {}); }));
    EXPECT_TRUE(bad([] { Format(QStringLiteral("%d %d"), {1}); }));
    EXPECT_TRUE(bad([] { Format(QStringLiteral("%d"), {"12"}); }));
    EXPECT_TRUE(bad([] { Format(QStringLiteral("%s"), {12}); }));
    EXPECT_TRUE(bad([] { Format(QStringLiteral("%f"), {12}); }));
    EXPECT_TRUE(bad([] { Format(QStringLiteral("%x"), {1.5}); }));
    EXPECT_TRUE(bad([] { Format(QStringLiteral("%q"), {1}); }));
    EXPECT_TRUE(bad([] { Format(QStringLiteral("50%"), {}); }));
    EXPECT_TRUE(bad([] { Format(QStringLiteral("%5:d"), {1}); }));
    EXPECT_TRUE(bad([] { Format(QStringLiteral("%*d"), {"w", 1}); }));
}

TEST_F(TextTest, DateAndTimeRoundTrip)
{
    const TDateTime d = EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 9, 42);
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2.0);
    Word y, m, dd, h, n, s, ms;
    DecodeDate(d, y, m, dd);
    DecodeTime(d, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, dd, h, n, s, ms}), (std::vector<int>{2024, 2, 29, 13, 5, 9, 42}));
    EXPECT_EQ(DayOfWeek(d), 5); // a Thursday
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);

    struct { const char* fmt; const char* expected; } cases[] = {
        {"hh:nn", "13:05"},
        {"yyyy-mm-dd hh:mm:ss.zzz", "2024-02-29 13:05:09.042"},
        {"d/m/yy", "29/2/24"},
        {"ddd dddd mmm mmmm", "Thu Thursday Feb February"},
        {"h:nn am/pm", "1:05 pm"},
        {"h AMPM", "1 PM"},
        {"'d' \"m\" d", "d m 29"},
        {"ddddd", "29/02/2024"},
        {"c", "29/02/2024 13:05:09"},
        {"tt", "13:05:09"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromLatin1(c.fmt), d), QString::fromLatin1(c.expected)) << c.fmt;

    FormatSettings().DateSeparator = QLatin1Char('.');
    FormatSettings().ShortDateFormat = QStringLiteral("mm/dd/yyyy");
    EXPECT_EQ(DateToStr(d), QStringLiteral("02.29.2024"));
    EXPECT_DOUBLE_EQ(StrToDate(QStringLiteral("02.29.2024")), EncodeDate(2024, 2, 29));
}

TEST_F(TextTest, ReadingDatesAndTimes)
{
    TDateTime v = -1;
    EXPECT_TRUE(TryStrToDate(QStringLiteral(" 5/3/2021 "), v));
    EXPECT_DOUBLE_EQ(v, EncodeDate(2021, 3, 5));
    EXPECT_TRUE(TryStrToTime(QStringLiteral("7:08"), v));
    EXPECT_DOUBLE_EQ(v, EncodeTime(7, 8, 0, 0));
    EXPECT_TRUE(TryStrToTime(QStringLiteral("12:30:15 am"), v));
    EXPECT_DOUBLE_EQ(v, EncodeTime(0, 30, 15, 0));
    EXPECT_TRUE(TryStrToTime(QStringLiteral("1:02:03.5 PM"), v));
    EXPECT_DOUBLE_EQ(v, EncodeTime(13, 2, 3, 500));
    EXPECT_TRUE(TryStrToDateTime(QStringLiteral("31/12/1999 23:59:59"), v));
    EXPECT_DOUBLE_EQ(v, EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 0));
    EXPECT_TRUE(TryStrToDateTime(QStringLiteral("10:00"), v));
    EXPECT_DOUBLE_EQ(v, EncodeTime(10, 0, 0, 0));

    // A two-digit year lands within the century window around this year.
    Word y, m, d;
    DecodeDate(Date(), y, m, d);
    ASSERT_TRUE(TryStrToDate(QStringLiteral("1/1/%1").arg(y % 100, 2, 10, QLatin1Char('0')), v));
    Word y2;
    DecodeDate(v, y2, m, d);
    EXPECT_EQ(y2, y);

    v = 123;
    for (const char* bad : {"", "31/2/2020", "1/13/2020", "12", "1/2/3/4", "1/2/2020x", "25:00", "10:60", "13:00 pm", "a:b"}) {
        EXPECT_FALSE(TryStrToDateTime(QString::fromLatin1(bad), v)) << bad;
        EXPECT_DOUBLE_EQ(v, 123) << bad;
    }
    EXPECT_THROW(StrToDate(QStringLiteral("x")), EConvertError);
    EXPECT_THROW(StrToTime(QStringLiteral("x")), EConvertError);
}

TEST_F(TextTest, NowIsToday)
{
    const TDateTime before = Now();
    EXPECT_DOUBLE_EQ(Date(), std::trunc(before));
    EXPECT_GE(Time(), 0.0);
    EXPECT_LT(Time(), 1.0);
    EXPECT_GT(before, EncodeDate(2020, 1, 1));
}

TEST_F(TextTest, TextBytesByByteOrderMark)
{
    const QString sample = QString::fromUtf8("Grüße € ") + QChar(0x4E2D);
    struct { TTextEncoding enc; const char* bom; } cases[] = {
        {TTextEncoding::UTF8, "\xEF\xBB\xBF"},
        {TTextEncoding::UTF16LE, "\xFF\xFE"},
        {TTextEncoding::UTF16BE, "\xFE\xFF"},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = EncodeText(sample, c.enc, true);
        EXPECT_TRUE(bytes.startsWith(c.bom));
        TTextEncoding found = TTextEncoding::ANSI;
        EXPECT_EQ(DecodeText(bytes, &found), sample);
        EXPECT_EQ(found, c.enc);
    }
    // No mark: Windows-1252, where 0x80 is the euro sign and 0xFC is ü.
    TTextEncoding found = TTextEncoding::UTF8;
    EXPECT_EQ(DecodeText(QByteArray("Gr\xFC\xDF" "e \x80\x81", 8), &found), QString::fromUtf8("Grüße €") + QChar(0x81));
    EXPECT_EQ(found, TTextEncoding::ANSI);
    EXPECT_EQ(EncodeText(QString::fromUtf8("ü€") + QChar(0x4E2D), TTextEncoding::ANSI, true), QByteArray("\xFC\x80?"));
    EXPECT_TRUE(FitsAnsi(QString::fromUtf8("Grüße €")));
    EXPECT_FALSE(FitsAnsi(QString(QChar(0x4E2D))));
    // An odd trailing byte of UTF-16 is no character.
    EXPECT_EQ(DecodeText(QByteArray("\xFF\xFE" "A\0B", 5)), QStringLiteral("A"));
}

TEST(LocaleTest, RegionalDecimalSeparatorIsSettable)
{
    SetRegionalDecimalSeparator(QStringLiteral(","));
    EXPECT_EQ(RegionalDecimalSeparator(), QStringLiteral(","));
    EXPECT_EQ(FormatSettings().DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(Format(QStringLiteral("%.1f"), {0.5}), QStringLiteral("0,5"));
    SetRegionalDecimalSeparator(QStringLiteral("abcd"));
    EXPECT_EQ(RegionalDecimalSeparator(), QStringLiteral("abc"));
    SetRegionalDecimalSeparator(QString());
    EXPECT_EQ(RegionalDecimalSeparator(), QString());
    ResetFormatSettings();
    EXPECT_EQ(FormatSettings().DecimalSeparator, TFormatSettings::FromSystem().DecimalSeparator);
}

} // namespace
