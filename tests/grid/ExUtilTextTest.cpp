// Cell-text routines: classification, conversions, escapes, numbers, dates,
// names, URLs and the HTML clipboard header.
#include "grid/ExUtil.h"

#include "platform/Locale.h"
#include "platform/StringList.h"

#include <gtest/gtest.h>

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Separators set for one test and the system's restored afterwards.
class Separators {
public:
    Separators(QChar thousand, QChar decimal, QChar date = QLatin1Char('/'))
    {
        FormatSettings().ThousandSeparator = thousand;
        FormatSettings().DecimalSeparator = decimal;
        FormatSettings().DateSeparator = date;
    }
    ~Separators() { ResetFormatSettings(); }
};

QString S(const char* s) { return QString::fromUtf8(s); }

} // namespace

TEST(ExUtilText, TextKinds)
{
    struct Case { QString text; bool html; Integer kind; };
    const Case cases[] = {
        {"", true, 0},
        {"plain", true, 0},
        {"=A1", false, 3},
        {"{\\rtf1}", true, 2},
        {"<B>x</B>", true, 1},
        {"<B>x</B>", false, 0},
        {"<b>x", true, 0},             // tags match in exact case only
        {"a<Cx", true, 1},
        {EncodeWideCellText("=SUM(A1)"), true, 3},
        {EncodeWideCellText(S("Grüße €")), true, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetTextKind(c.text, c.html), c.kind) << c.text.toStdString();
}

TEST(ExUtilText, NumericKindsFollowTheLocaleSeparators)
{
    struct Case { QString text; QChar thousand, decimal; Integer kind; };
    const QChar dot = QLatin1Char('.'), comma = QLatin1Char(',');
    const Case cases[] = {
        {"", comma, dot, 2},
        {"-12", comma, dot, 0},
        {"-", comma, dot, 0},
        {"1-2", comma, dot, 2},
        {"3,5", dot, comma, 1},
        {"1,2,3", dot, comma, 2},
        {"1e5", comma, dot, 5},
        {"-1e-5", comma, dot, 5},
        {"2.5E+3", comma, dot, 5},
        {"e5", comma, dot, 2},
        {"1e", comma, dot, 2},
        {"1e5e5", comma, dot, 2},
        {"+5", comma, dot, 2},
        {" 5", comma, dot, 2},
        {"1.000", dot, comma, 1},
        {"1.000.000", dot, comma, 1},
        {"1.00.000", dot, comma, 2},   // thousand separators too close
        {"1.5.5", comma, dot, 2},
        {"--5", comma, dot, 2},
    };
    for (const Case& c : cases) {
        Separators sep(c.thousand, c.decimal);
        EXPECT_EQ(NumericTextKind(c.text), c.kind) << c.text.toStdString();
    }
}

TEST(ExUtilText, ExtractNumber)
{
    struct Case { QString text; QChar thousand, decimal; QString number; };
    const QChar dot = QLatin1Char('.'), comma = QLatin1Char(',');
    const Case cases[] = {
        {"(1.234,5)", dot, comma, "-1234.5"},
        {"abc", comma, dot, ""},
        {" -7 kg", comma, dot, "-7"},
        {"", comma, dot, ""},
        {"$ 1,250.75", comma, dot, "1250.75"},
        {"EUR 5", comma, dot, "E"}, // "E" starts a number (exponent)
        {"x-3", comma, dot, "-3"},
    };
    for (const Case& c : cases) {
        Separators sep(c.thousand, c.decimal);
        EXPECT_EQ(ExtractNumber(c.text), c.number) << c.text.toStdString();
    }
}

TEST(ExUtilText, WideCellTextRoundTrip)
{
    const QString wide = S("A\u00e9\u20ac\u4e2d") + QChar(0) + QChar(0xFFFF);
    const QString enc = EncodeWideCellText(wide);
    ASSERT_EQ(enc.size(), 2 + 2 * wide.size());
    EXPECT_EQ(enc.left(2), QStringLiteral("|\\"));
    EXPECT_EQ(enc.at(6).unicode(), 0x20); // high byte of the euro sign first
    EXPECT_EQ(enc.at(7).unicode(), 0xAC);
    EXPECT_EQ(DecodeWideCellText(enc), wide);
    EXPECT_EQ(DecodeWideCellText(enc + QLatin1Char('x')), wide); // odd last character ignored
    EXPECT_EQ(DecodeWideCellText("plain"), QStringLiteral("plain"));
}

TEST(ExUtilText, LineBreakConversions)
{
    struct Case { const char* name; QString in; std::function<QString(QString)> fn; QString out; };
    auto inplace = [](void (*f)(QString&)) { return [f](QString s) { f(s); return s; }; };
    const Case cases[] = {
        {"LineBreaksToHTML", "a\r\nb", LineBreaksToHTML, "a<br>\nb"},
        {"LineBreaksToHTML no CR", "a\nb", LineBreaksToHTML, "a\nb"},
        {"BackslashNToCR", "a\\nb\\n", BackslashNToCR, "a\rb\r"},
        {"CRToBackslashN", "a\r\nb", CRToBackslashN, "a\\nb"},
        {"QuoteCSVLines", "a\r\nb", inplace(QuoteCSVLines), "\"a\x0b" "b\""},
        {"CRLFToLF", "a\r\nb\rc", inplace(CRLFToLF), "a\nb\rc"},
        {"VTabToCRLF", "a\x0b" "b", inplace(VTabToCRLF), "a\r\nb"},
        {"LinesToTilde", "a\r\nb\rc", inplace(LinesToTilde), "a~b~c"},
        {"TildeToLines", "a~b", inplace(TildeToLines), "a\r\nb"},
        {"TildeToLines caret", "^", inplace(TildeToLines), ""},
        {"EncodeLineBreaks", QString("a\r\nb") + QChar(0), EncodeLineBreaks, QString("a\t\bb") + QChar(1)},
        {"EncodeLineBreaks no CR", "a\nb", EncodeLineBreaks, "a\nb"},
        {"DecodeLineBreaks multi", QString("a\t\bb") + QChar(1), [](QString s) { return DecodeLineBreaks(s, true); },
         QString("a\r\nb") + QChar(0)},
        {"DecodeLineBreaks first line", "a\t\bb", [](QString s) { return DecodeLineBreaks(s, false); }, "a"},
        {"DecodeLineBreaks without 8", "one\r\ntwo", [](QString s) { return DecodeLineBreaks(s, false); }, "one"},
        {"RemoveCR", "a\r\nb\r", RemoveCR, "a\nb"},
        {"CRToLF", "a\r\nb", CRToLF, "a\n\nb"},
        {"DoubleQuoteChars", "say \"hi\"", DoubleQuoteChars, "say \"\"hi\"\""},
        {"UndoubleChar", "a''b'''c", [](QString s) { return UndoubleChar(QLatin1Char('\''), s); }, "a'b''c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fn(c.in), c.out) << c.name;

    EXPECT_EQ(LineCount("a\rb\rc", true), 3);
    EXPECT_EQ(LineCount("a\rb\rc", false), 1);
}

TEST(ExUtilText, ExtractLineKeepsOrDropsTheRest)
{
    QString t = "a" + CRLF + "b";
    EXPECT_EQ(ExtractLine(t, true), QStringLiteral("a"));
    EXPECT_EQ(t, QStringLiteral("b"));
    EXPECT_EQ(ExtractLine(t, true), QStringLiteral("b"));
    EXPECT_TRUE(t.isEmpty());

    t = "a\rb\rc";
    EXPECT_EQ(ExtractLine(t, false), QStringLiteral("a"));
    EXPECT_TRUE(t.isEmpty());
}

TEST(ExUtilText, OemCodePageRoundTrip)
{
    QString t = S("Caffè ÄÖÜ ½ é");
    const QString original = t;
    StringToOem(t);
    // "è" is byte 0x8A in code page 850, kept as the Windows-1252 character of that byte.
    EXPECT_EQ(t.at(4), QChar(0x0160));
    EXPECT_EQ(t.left(4), QStringLiteral("Caff"));
    OemToString(t);
    EXPECT_EQ(t, original);

    QString missing = S("\u4e2d");
    StringToOem(missing);
    EXPECT_EQ(missing, QStringLiteral("?"));
}

TEST(ExUtilText, SearchAndQuotes)
{
    Integer p = 99;
    EXPECT_EQ(CharPos(QLatin1Char('x'), "abc", p), 0);
    EXPECT_EQ(p, 99); // written only when found
    EXPECT_EQ(CharPos(QLatin1Char('c'), "abcc", p), 3);
    EXPECT_EQ(p, 3);
    EXPECT_EQ(VarPos("cd", "abcd", p), 3);
    EXPECT_EQ(VarPos("zz", "abcd", p), 0);
    EXPECT_EQ(p, 0);
    EXPECT_EQ(PosIgnoreCase("WORLD", "Hello world"), 7);
    EXPECT_EQ(CountChar(QLatin1Char(';'), "a;b;;c"), 3);

    EXPECT_EQ(FirstOfOutsideQuotes(",;", "\"a,b\";c", p), QLatin1Char(';'));
    EXPECT_EQ(p, 6);
    EXPECT_EQ(FirstOfOutsideQuotes(",", "\"a,b\"", p), QChar(0));
    EXPECT_EQ(p, -1);

    EXPECT_EQ(FindClosingQuote(QLatin1Char('"'), "abc\"", p), 4);      // a quote at the end
    EXPECT_EQ(FindClosingQuote(QLatin1Char('"'), "ab\"\"c\"d", p), 6); // a doubled quote is skipped
    EXPECT_EQ(p, 6);
    EXPECT_EQ(FindClosingQuote(QLatin1Char('"'), "abc", p), 0);
    EXPECT_EQ(p, 0);
    EXPECT_EQ(CountClosingQuotes(QLatin1Char('"'), "a\"b\"c\""), 3);

    QString t = "key=value=x";
    EXPECT_EQ(SplitOff(t, "="), QStringLiteral("key"));
    EXPECT_EQ(t, QStringLiteral("value=x"));
    t = "nodelim";
    EXPECT_TRUE(SplitOff(t, "=").isEmpty());
    EXPECT_EQ(t, QStringLiteral("nodelim"));

    TStringList l;
    l.Add("ab");
    l.Add("cd");
    EXPECT_EQ(ConcatStrings(&l), QStringLiteral("abcd"));
    QString pw = "secret";
    FillWithChar(pw, QLatin1Char('*'));
    EXPECT_EQ(pw, QStringLiteral("******"));

    EXPECT_EQ(LimitAutoSize(50, 10, 10), 50);
    EXPECT_EQ(LimitAutoSize(50, 10, 40), 40);
    EXPECT_EQ(LimitAutoSize(5, 10, 40), 10);
    EXPECT_EQ(LimitAutoSize(5, 0, 0), 5);
    EXPECT_EQ(LimitAutoSize(500, 10, 0), 500);
    EXPECT_TRUE(PointInGridRect(TRect(1, 1, 3, 3), 3, 1));
    EXPECT_FALSE(PointInGridRect(TRect(1, 1, 3, 3), 4, 1));
}

TEST(ExUtilText, CharacterClasses)
{
    Separators sep(QLatin1Char('.'), QLatin1Char(','));
    EXPECT_TRUE(IsNumericChar(QLatin1Char('7')));
    EXPECT_TRUE(IsNumericChar(QChar(0x0663))); // Arabic-Indic three
    EXPECT_FALSE(IsNumericChar(QLatin1Char('a')));
    EXPECT_TRUE(IsNumberStartChar(QLatin1Char(',')));
    EXPECT_TRUE(IsNumberStartChar(QLatin1Char('.')));
    EXPECT_FALSE(IsNumberStartChar(QLatin1Char('-')));
    EXPECT_TRUE(IsExponentFormChar(QLatin1Char('+')));
    EXPECT_TRUE(IsNumberBodyChar(QLatin1Char('E')));
    EXPECT_TRUE(IsDigitOrMinus(QLatin1Char('-')));
    EXPECT_TRUE(IsWordBreakChar(QLatin1Char('\'')));
    EXPECT_FALSE(IsWordBreakChar(QLatin1Char('_')));
    EXPECT_EQ(LocaleDecimalSeparator(), QLatin1Char(','));
}

TEST(ExUtilText, DatesParseAndStep)
{
    EXPECT_EQ(ParseDateMDY("12/31/99"), EncodeDate(1999, 12, 31));
    EXPECT_EQ(ParseDateMDY("1.2.25"), EncodeDate(2025, 1, 2));
    EXPECT_EQ(ParseDateMDY("1-2-26"), EncodeDate(1926, 1, 2));
    EXPECT_EQ(ParseDateMDY("12/31"), 0);
    EXPECT_EQ(ParseDateMDY("a/b/c"), 0);
    EXPECT_EQ(ParseDateDMY("31/12/99"), EncodeDate(1999, 12, 31));
    // A four-digit year stands as written.
    EXPECT_EQ(ParseDateDMY("2/1/2024"), EncodeDate(2024, 1, 2));
    EXPECT_THROW(ParseDateMDY("13/1/20"), EConvertError);

    {
        Separators sep(QLatin1Char(','), QLatin1Char('.'), QLatin1Char('/'));
        EXPECT_TRUE(IsDateText("1/2/2024"));
        EXPECT_FALSE(IsDateText("/1/2"));
        EXPECT_FALSE(IsDateText("1//2"));
    }

    const TDateTime d = EncodeDate(2024, 1, 31);
    EXPECT_EQ(IncDateStep(0, 0, 3, d, 99), d + 3);
    EXPECT_EQ(IncDateStep(1, 0, 0, d, 99), EncodeDate(2025, 1, 31));
    EXPECT_EQ(IncDateStep(0, 12, 0, EncodeDate(2024, 3, 5), 99), EncodeDate(2025, 3, 5));
    EXPECT_EQ(IncDateStep(0, 1, 1, d, 7), d + 7); // two units set: the plain step
    EXPECT_EQ(IncDateStep(0, 0, 0, d, 7), d + 7);
    EXPECT_EQ(IncDateStep(0, 2, 0, d, 0), EncodeDate(2024, 3, 31));
    EXPECT_THROW(IncDateStep(0, 3, 0, d, 0), EConvertError); // no 31 April
}

TEST(ExUtilText, MixedCase)
{
    struct Case { QString in, out; };
    const Case cases[] = {
        {"o'abc mcdef iii", "O'Abc McDef III"},
        {"ABC DEF II", "Abc Def II"},
        {"mcdonald", "McDonald"},
        {"jean-luc", "Jean-Luc"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToMixedCase(c.in), c.out) << c.in.toStdString();
}

TEST(ExUtilText, UrlsAndReferences)
{
    EXPECT_TRUE(IsURL("see http://x"));
    EXPECT_TRUE(IsURL("mailto:a@b"));
    EXPECT_FALSE(IsURL("MAILTO:a@b"));
    QString u = "http://host/p";
    StripURLProtocol(u);
    EXPECT_EQ(u, QStringLiteral("host/p"));
    u = "mailto:a@b";
    StripURLProtocol(u);
    EXPECT_EQ(u, QStringLiteral("a@b"));

    Integer col = -1, row = -1;
    EXPECT_TRUE(ParseRCReference("r12c3", col, row));
    EXPECT_EQ(row, 12);
    EXPECT_EQ(col, 3);
    EXPECT_FALSE(ParseRCReference("RC3", col, row));
    EXPECT_FALSE(ParseRCReference("R1C", col, row));
    EXPECT_FALSE(ParseRCReference("X1C2", col, row));

    QString dest = "untouched";
    EXPECT_TRUE(LinkURLInText("a ftp://files/x?y", "FTP://", dest));
    EXPECT_EQ(dest, QStringLiteral("a <a href=\"ftp://files/x\">ftp://files/x</a>?y"));
    dest = "untouched";
    EXPECT_FALSE(LinkURLInText("a<b", "HTTP://", dest));
    EXPECT_EQ(dest, QStringLiteral("untouched"));
    EXPECT_TRUE(LinkURLInText("<Www.site.org>", "WWW.", dest));
    EXPECT_EQ(dest, QStringLiteral("&lt;<a href=\"Www.site.org\">Www.site.org</a>&gt;"));
}

TEST(ExUtilText, ClipboardHtmlHeaderOffsetsPointAtTheFragment)
{
    const QString fragment = "<table><tr><td>1</td></tr></table>";
    QString wrapped = fragment;
    WrapClipboardHTML(wrapped);
    EXPECT_TRUE(wrapped.startsWith("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:"));
    auto number = [&](const QString& label) {
        const qsizetype p = wrapped.indexOf(label) + label.size();
        return wrapped.mid(p, 8).toInt();
    };
    const int startHtml = number("StartHTML:"), endHtml = number("EndHTML:");
    const int startFrag = number("StartFragment:"), endFrag = number("EndFragment:");
    EXPECT_EQ(wrapped.mid(startHtml, 9), QStringLiteral("<!DOCTYPE"));
    EXPECT_EQ(endHtml, wrapped.size());
    EXPECT_EQ(wrapped.mid(startFrag, endFrag - startFrag), fragment);
    EXPECT_EQ(endFrag, int(fragment.size()) + 274);
}
