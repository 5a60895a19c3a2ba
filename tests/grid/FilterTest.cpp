// Filter expressions: wildcards, case, comparisons, and/or without
// precedence, groups, numbers and dates under two regional settings, and
// malformed conditions that must end with an answer.
#include "grid/ExUtil.h"

#include "platform/Locale.h"

#include <gtest/gtest.h>

namespace {

// Regional settings for one test; the system's come back afterwards.
class Region {
public:
    // Day.month.year, "," decimal, "." thousands.
    static void European()
    {
        auto& f = FormatSettings();
        f.DecimalSeparator = u',';
        f.ThousandSeparator = u'.';
        f.DateSeparator = u'.';
        f.TimeSeparator = u':';
        f.ShortDateFormat = QStringLiteral("d/m/yyyy");
    }
    // Month/day/year, "." decimal, "," thousands.
    static void American()
    {
        auto& f = FormatSettings();
        f.DecimalSeparator = u'.';
        f.ThousandSeparator = u',';
        f.DateSeparator = u'/';
        f.TimeSeparator = u':';
        f.ShortDateFormat = QStringLiteral("M/d/yyyy");
    }
    explicit Region(void (*Set)()) { Set(); }
    ~Region() { ResetFormatSettings(); }
};

struct Case {
    const char* condition;
    const char* value;
    bool caseSensitive;
    bool expected;
};

void RunCases(const std::vector<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(MatchFilter(QString::fromUtf8(c.condition), QString::fromUtf8(c.value), c.caseSensitive), c.expected)
            << "condition [" << c.condition << "] value [" << c.value << "] case " << c.caseSensitive;
}

} // namespace

TEST(FilterExpression, WildcardsCaseAndOperators)
{
    Region r(Region::American);
    RunCases({
        // Empty conditions match empty texts only; a leading "=" is dropped.
        {"", "", false, true},
        {"", "x", false, false},
        {"=", "", false, true},
        {"=abc", "abc", false, true},
        // No implicit star.
        {"abc", "abcd", false, false},
        {"abc*", "abcd", false, true},
        {"a*c", "abc", false, true},
        {"a*c", "ac", false, true},
        {"a*c", "abd", false, false},
        {"a**c", "axxc", false, true},
        {"*", "", false, true},
        {"?", "x", false, true},
        {"?", "", false, false},
        {"?", "xy", false, false},
        {"a?c*", "abcdef", false, true},
        {"*b*b*", "abxba", false, true},
        {"*b*b*", "abxa", false, false},
        // Case.
        {"A|B", "A", true, true},
        {"A|B", "B", true, true},
        {"A|B", "a", false, true},
        {"A|B", "a", true, false},
        {"A|B", "C", false, false},
        {"\xc3\xa9t\xc3\xa9", "\xc3\x89T\xc3\x89", false, true},
        // Negation.
        {"!abc", "abc", false, false},
        {"!abc", "abd", false, true},
        {"!a*", "xyz", false, true},
        {"!a*", "abc", false, false},
        // ";" and "^" are or too; blanks outside quotes go.
        {"a;b", "b", false, true},
        {"a^b", "a", false, true},
        {" a | b ", "b", false, true},
        {"a b", "ab", false, true},
        // Strictly left to right: a|b&c is (a or b) and c.
        {"a|b&c", "a", false, false},
        {"a*&*c", "abc", false, true},
        {"a*&*c", "abd", false, false},
        // Groups.
        {"(a*|b*)&*c", "abc", false, true},
        {"(a*|b*)&*c", "bxc", false, true},
        {"(a*|b*)&*c", "xbc", false, false},
        {"x|(a*&*c)", "abc", false, true},
        {"((a*|b*)&*c)|z", "z", false, true},
        // Quotes keep operators and blanks as text.
        {"\"a|b\"", "a|b", false, true},
        {"\"a|b\"", "a", false, false},
        {"\"a b\"", "a b", false, true},
        {"\"(x)\"", "(x)", false, true},
    });
}

TEST(FilterExpression, NumericAndTextComparisons)
{
    Region r(Region::American);
    RunCases({
        {">5", "7", false, true},
        {">5", "3", false, false},
        {">5", "5", false, false},
        {">=5", "5", false, true},
        {"<5", "3", false, true},
        {"<5", "5", false, false},
        {"<=5", "5", false, true},
        {"<=10&>=5", "5", false, true},
        {"<=10&>=5", "10", false, true},
        {"<=10&>=5", "7.5", false, true},
        {"<=10&>=5", "4", false, false},
        {"<=10&>=5", "11", false, false},
        {">9", "10", false, true},       // as numbers, not as texts
        {">1e3", "2000", false, true},
        {"<-2", "-3.5", false, true},
        {">1,000", "1,500", false, true}, // thousands separators dropped
        {">1,2", "1,15", false, true},    // 115 > 12 here
        {"> 5", " 7", false, true},
        // Texts: the operand sorts before (or after) the cell text.
        {">b", "c", false, true},
        {">b", "a", false, false},
        {"<b", "a", false, true},
        {">=b", "b", false, true},
        {">b", "C", false, true},         // both upper-cased
        {">b", "C", true, false},         // "b" sorts after "C"
        {">5", "abc", false, true},       // mixed: compared as text
        // Quoted operands may hold blanks, for either comparison.
        {">\"b c\"", "b d", false, true},
        {">\"b c\"", "b b", false, false},
        {"<\"b c\"", "b b", false, true},
        {"<\"b c\"", "b d", false, false},
    });
}

TEST(FilterExpression, DecimalSeparatorOfTheRegion)
{
    Region r(Region::European);
    RunCases({
        {">1,2", "1,5", false, true},
        {">1,2", "1,15", false, false},  // 1.15 < 1.2 here
        {"<=2,5", "2,5", false, true},
        {">1.000", "999", false, false}, // "." groups thousands
        {">1.000", "1.500", false, true},
    });
}

TEST(FilterExpression, DatesFollowTheRegion)
{
    {
        Region r(Region::European);
        RunCases({
            {">1.2.2024", "15.3.2024", false, true},
            {">1.2.2024", "15.1.2024", false, false},
            {"<1.2.2024", "31.1.2024", false, true},
            // Blanks outside quotes go, so a date with a time is quoted.
            {">=\"1.2.2024 10:30\"", "1.2.2024 10:30", false, true},
            {">=\"1.2.2024 10:30\"", "1.2.2024 10:29", false, false},
            {">1.2.2024", "1.2.2024 00:01", false, true},
            // Not a date here: compared as text ("3" sorts after "1").
            {">1.2.2024", "3/15/2024", false, true},
            {">1.2.2024", "0/15/2024", false, false},
        });
    }
    {
        Region r(Region::American);
        RunCases({
            {">2/1/2024", "3/15/2024", false, true},
            {">2/1/2024", "1/15/2024", false, false},
            {">2/1/2024", "3/1/2023", false, false}, // by date: as text it would be greater
            // Month 15 is no date: compared as text.
            {">2/1/2024", "15/3/2024", false, false},
            {"<=\"2/1/2024 10:30:15\"", "2/1/2024 10:30:15", false, true},
            {"<=\"2/1/2024 10:30:15\"", "2/1/2024 10:30:16", false, false},
        });
    }
}

TEST(FilterExpression, LocaleDateTimeParsing)
{
    Region r(Region::European);
    struct DateCase {
        const char* text;
        bool ok;
        TDateTime expected;
    };
    const TDateTime feb1 = EncodeDate(2024, 2, 1);
    const DateCase cases[] = {
        {"1.2.2024", true, feb1},
        {" 1.2.2024 ", true, feb1},
        {"1.2.2024 10:30", true, feb1 + EncodeTime(10, 30, 0, 0)},
        {"1.2.2024 10:30:15", true, feb1 + EncodeTime(10, 30, 15, 0)},
        {"1.2.2024 23:59:59", true, feb1 + EncodeTime(23, 59, 59, 0)},
        {"1.2.2024 10", false, feb1},   // the date alone is kept
        {"31.2.2024", false, 0},
        {"29.2.2023", false, 0},
        {"32.1.2024", false, 0},
        {"1.13.2024", false, 0},
        {"1.2", false, 0},
        {"1/2/2024", false, 0},
        {"a.2.2024", false, 0},
        {"-1.2.2024", false, 0},
        {"1.2.2024 24:00", false, 0},
        {"1.2.2024 10:60", false, 0},
        {"1.2.2024 10:30:60", false, 0},  // cannot be encoded
        {"1.2.2024 10:30:61", false, 0},
        {"1.2.2024 x:30", false, 0},
        {"", false, 0},
    };
    for (const DateCase& c : cases) {
        TDateTime v = -1;
        EXPECT_EQ(ParseLocaleDateTime(QString::fromUtf8(c.text), v), c.ok) << c.text;
        if (c.ok || c.expected != 0) {
            EXPECT_DOUBLE_EQ(v, c.expected) << c.text;
        }
    }
    // The other order of the region.
    Region::American();
    TDateTime v = 0;
    ASSERT_TRUE(ParseLocaleDateTime(QStringLiteral("2/1/2024"), v));
    EXPECT_DOUBLE_EQ(v, feb1);
}

TEST(FilterExpression, TextHelpers)
{
    EXPECT_EQ(RemoveBlanksOutsideQuotes(QStringLiteral(" a \"b c\" d ")), QStringLiteral("a\"b c\"d"));
    EXPECT_EQ(RemoveBlanksOutsideQuotes(QStringLiteral("\"x y")), QStringLiteral("\"x y"));

    EXPECT_EQ(FindClosingParen(QStringLiteral("(a(b)c)d")), 7);
    EXPECT_EQ(FindClosingParen(QStringLiteral("(a)|(b)")), 3);
    EXPECT_EQ(FindClosingParen(QStringLiteral("(a")), 0);
    EXPECT_EQ(FindClosingParen(QStringLiteral("(\")\")")), 5); // a quoted ")" closes nothing
    EXPECT_EQ(FindClosingParen(QString()), 0);

    Region r(Region::European);
    EXPECT_EQ(NormalizeNumberText(QStringLiteral("1.234,5")), QStringLiteral("1234.5"));
    Region::American();
    EXPECT_EQ(NormalizeNumberText(QStringLiteral("1,234.5")), QStringLiteral("1234.5"));
}

TEST(FilterExpression, MalformedConditionsEndWithAnAnswer)
{
    Region r(Region::American);
    RunCases({
        // A "(" without ")" groups the rest of the condition.
        {"(a|b", "b", false, true},
        {"(a|b", "c", false, false},
        {"x|(a", "a", false, true},
        {"((a)", "a", false, true},
        {"(", "", false, true},
        {"(", "x", false, false},
        // Stray characters are plain pattern characters or empty pieces.
        {")", ")", false, true},
        {"a)", "a)", false, true},
        {"\"", "", false, true},
        {"\"\"\"", "", false, true},
        {"&", "", false, true},
        {"&", "x", false, false},
        {"|||", "", false, true},
        {"^;&", "x", false, false},
        {"!!", "x", false, true},
        {">", "x", false, true},   // an empty operand sorts before any text
        {">", "", false, false},
        {"<", "", false, false},
        {">=", "", false, true},
        {"*?*?*", "ab", false, true},
        {"*?*?*", "a", false, false},
    });

    // Deep nesting and many stars still end, with the expected answers.
    const QString deep = QString(1000, u'(') + QStringLiteral("a") + QString(1000, u')');
    EXPECT_FALSE(MatchFilter(deep, QStringLiteral("a"), false)); // beyond the nesting the matcher follows
    const QString nested = QString(50, u'(') + QStringLiteral("a*|b") + QString(50, u')');
    EXPECT_TRUE(MatchFilter(nested, QStringLiteral("abc"), false));

    QString stars;
    for (int i = 0; i < 40; ++i)
        stars += QStringLiteral("*a");
    stars += QStringLiteral("*b");
    const QString many(20000, u'a');
    EXPECT_FALSE(MatchFilter(stars, many, true));
    EXPECT_TRUE(MatchFilter(stars, many + QStringLiteral("b"), true));
}
