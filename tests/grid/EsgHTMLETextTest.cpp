// Mini-HTML string routines: escaping, stripping, visible positions,
// highlighting and the values of embedded controls.
#include "grid/EsgHTMLE.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char16_t* In;
    const char16_t* Out;
};

QString Q(const char16_t* s)
{
    return QString::fromUtf16(s);
}

} // namespace

TEST(MiniHTMLText, EscapeAndUnescape)
{
    // Without the table only the four markup characters change.
    const TextCase plain[] = {
        {u"a & b", u"a &amp; b"},
        {u"&amp;", u"&amp;amp;"},
        {u"<b>\"x\"</b>", u"&lt;b&gt;&quot;x&quot;&lt;/b&gt;"},
        {u"caf\u00E9 \u20AC", u"caf\u00E9 \u20AC"},
    };
    for (const TextCase& c : plain)
        EXPECT_EQ(EscapeHTML(Q(c.In), false), Q(c.Out)) << Q(c.In).toStdString();

    EXPECT_EQ(EscapeHTML(Q(u"caf\u00E9 \u00C9 \u20AC \u00AB1\u00BB"), true),
              QStringLiteral("caf&eacute; &Eacute; &euro; &laquo;1&raquo;"));

    const TextCase unescape[] = {
        {u"&lt;b&gt; &quot;x&quot;", u"<b> \"x\""},
        {u"&amp;amp;", u"&"},                    // repeated until none is left
        {u"&amp;lt;", u"&lt;"},                  // "&lt;" was replaced before "&amp;" made it
        {u"&AMP;", u"&AMP;"},                    // exact case only
    };
    for (const TextCase& c : unescape)
        EXPECT_EQ(HTMLUnescape(Q(c.In), false), Q(c.Out)) << Q(c.In).toStdString();

    EXPECT_EQ(HTMLUnescape(QStringLiteral("&Eacute;t&eacute; &EACUTE;"), true), Q(u"\u00C9t\u00E9 &EACUTE;"));
    EXPECT_EQ(HTMLUnescape(QStringLiteral("&eacute;"), false), QStringLiteral("&eacute;"));
    // Escaping with the table and unescaping with it gives the text back.
    const QString mixed = Q(u"<\u00E7a & \u00D8\u00E5 \"q\" \u00AE>");
    EXPECT_EQ(HTMLUnescape(EscapeHTML(mixed, true), true), mixed);

    EXPECT_EQ(SpacesToNbsp(QStringLiteral("a b  c")), QStringLiteral("a&nbsp;b&nbsp;&nbsp;c"));
}

TEST(MiniHTMLText, StripAndVisibleText)
{
    const TextCase strip[] = {
        {u"<b>bold</b> text", u"bold text"},
        {u"one<BR>two<br>three", u"one\r\ntwo\r\nthree"},
        {u"a<hr>b", u"a\r\nb"},
        {u"x <a href=\"u\">link</a> y", u"x link y"},
        {u"keep < this", u"keep < this"},
        {u"<i>a</i> < b", u"a < b"},
        {u"2 > 1", u"2 > 1"},
        {u"", u""},
    };
    for (const TextCase& c : strip)
        EXPECT_EQ(StripHTMLTags(Q(c.In)), Q(c.Out)) << Q(c.In).toStdString();

    EXPECT_EQ(HTMLVisibleText(QStringLiteral("a<BR>b<x")), QStringLiteral("ab<x"));
}

TEST(MiniHTMLText, VisibleToMarkupPosition)
{
    const QString m = QStringLiteral("<b>ab</b>c");
    struct { Integer N; Integer Pos; } cases[] = {
        {1, 1},   // in front of the tags before the first visible character
        {2, 5},
        {3, 6},   // in front of "</b>"
        {4, 11},  // one past the last visible character
        {5, 0},
        {0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HTMLVisibleToMarkupPos(m, c.N), c.Pos) << c.N;
    // An unclosed "<" is visible text, as the visible text keeps it.
    EXPECT_EQ(HTMLVisibleToMarkupPos(QStringLiteral("a<b"), 3), 3);
}

TEST(MiniHTMLText, PositionsAndReplacement)
{
    EXPECT_EQ(PosFromOffset(QStringLiteral("ab"), QStringLiteral("abcab"), 0, true), 1);
    EXPECT_EQ(PosFromOffset(QStringLiteral("ab"), QStringLiteral("abcab"), 1, true), 4);
    EXPECT_EQ(PosFromOffset(QStringLiteral("AB"), QStringLiteral("abcab"), 2, true), 0);
    EXPECT_EQ(PosFromOffset(QStringLiteral("AB"), QStringLiteral("abcab"), 2, false), 4);
    EXPECT_EQ(PosFromOffset(Q(u"\u00C9T\u00C9"), Q(u"l'\u00E9t\u00E9"), 0, false), 3);
    EXPECT_EQ(PosFromOffset(QString(), QStringLiteral("abc"), 0, true), 0);

    QString t = QStringLiteral("a &AMP; b &amp; c");
    EXPECT_TRUE(ReplaceFirstNoCase(QStringLiteral("&amp;"), QStringLiteral("&&"), t));
    EXPECT_EQ(t, QStringLiteral("a && b &amp; c"));
    EXPECT_FALSE(ReplaceFirstNoCase(QStringLiteral("&euro;"), QStringLiteral("E"), t));
}

TEST(MiniHTMLText, HighlightAndUnhighlight)
{
    struct Case {
        const char* Markup;
        const char* Search;
        bool CaseSensitive;
        const char* Result;
    } cases[] = {
        {"abab", "ab", true, "<hi>ab</hi><hi>ab</hi>"},
        {"x <b>ab</b> y", "ab", true, "x <hi><b>ab</hi></b> y"},
        {"<b>one</b> two", "e t", true, "<b>on<hi>e</b> t</hi>wo"},
        {"Abc abc", "ABC", false, "<hi>Abc</hi> <hi>abc</hi>"},
        {"Abc abc", "ABC", true, "Abc abc"},
        {"a &lt; b", "&lt;", true, "a <hi>&lt;</hi> b"},
        {"none", "", true, "none"},
        {"<b>a</b> < c", "", true, "<b>a</b> < c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HighlightHTMLText(QString::fromLatin1(c.Markup), QString::fromLatin1(c.Search), QStringLiteral("hi"), c.CaseSensitive),
                  QString::fromLatin1(c.Result))
            << c.Markup;

    // Visible angle brackets are escaped before tags go in; the old tags are dropped.
    EXPECT_EQ(HighlightHTMLText(QStringLiteral("<i>a<b</i>"), QStringLiteral("a<b"), QStringLiteral("e"), true),
              QStringLiteral("<i>a<b</i>"));
    EXPECT_EQ(HighlightHTMLText(QStringLiteral("1 < 2 <"), QStringLiteral("2"), QStringLiteral("e"), true),
              QStringLiteral("1 &lt; <e>2</e> &lt;"));

    EXPECT_EQ(UnhighlightHTMLText(QStringLiteral("<HI>a</hi> &lt;<Hi>b</HI>&gt;"), QStringLiteral("hi")),
              QStringLiteral("a <b>"));
    // Highlighting and taking it out again gives the text back.
    const QString cell = QStringLiteral("<b>price</b> of price");
    EXPECT_EQ(UnhighlightHTMLText(HighlightHTMLText(cell, QStringLiteral("price"), QStringLiteral("e"), true), QStringLiteral("e")),
              cell);
}

TEST(MiniHTMLText, ControlTags)
{
    const TControlTagAttrs a =
        ParseControlTag(QStringLiteral("CONTROL type=\"edit\" id=\"n1\" value=\"a&amp;b &eacute;\" width=\"80\" "
                                       "height=\"30\" prop=\"&lt;p&gt;\" maxlen=\"12x\""));
    EXPECT_EQ(a.Type, QStringLiteral("EDIT"));
    EXPECT_EQ(a.ID, QStringLiteral("n1"));
    EXPECT_EQ(a.Value, Q(u"a&b \u00E9"));
    EXPECT_EQ(a.Width, QStringLiteral("80"));
    EXPECT_EQ(a.Height, QStringLiteral("30"));
    EXPECT_EQ(a.Prop, QStringLiteral("<p>"));
    EXPECT_EQ(a.MaxLen, QStringLiteral("12x"));
    const TControlTagAttrs none = ParseControlTag(QStringLiteral("CONTROL TYPE=\"CHECK"));
    EXPECT_EQ(none.Type, QString());
    EXPECT_EQ(none.ID, QString());

    const QString form = QStringLiteral(
        "Name <control type=\"edit\" id=\"name\" value=\"Bob\" width=\"60\" maxlen=\"20\" prop=\"p1\">"
        " <CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\">"
        " <CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"16\">"
        " <CONTROL TYPE=\"BUTTON\" ID=\"ok\" VALUE=\"OK\" WIDTH=\"40\">"
        " <CONTROL TYPE=\"COMBO\" ID=\"city\" VALUE=\"Rome\" WIDTH=\"70\">"
        " <CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"true\" WIDTH=\"16\" HEIGHT=\"20\"> end");
    EXPECT_TRUE(HasHTMLControl(form));
    EXPECT_FALSE(HasHTMLControl(QStringLiteral("<b>no</b> controls")));

    EXPECT_EQ(NextHTMLEditControl(form, QString()), QStringLiteral("name"));
    EXPECT_EQ(NextHTMLEditControl(form, QStringLiteral("name")), QStringLiteral("city"));
    EXPECT_EQ(NextHTMLEditControl(form, QStringLiteral("city")), QString());
    EXPECT_EQ(NextHTMLEditControl(form, QStringLiteral("NAME")), QString()); // IDs match exactly

    QString value = QStringLiteral("untouched");
    EXPECT_TRUE(GetHTMLControlValue(form, QStringLiteral("name"), value));
    EXPECT_EQ(value, QStringLiteral("Bob"));
    EXPECT_FALSE(GetHTMLControlValue(form, QStringLiteral("nobody"), value));
    EXPECT_EQ(value, QStringLiteral("Bob"));
    EXPECT_EQ(GetHTMLControlProp(form, QStringLiteral("name")), QStringLiteral("p1"));
    EXPECT_EQ(GetHTMLControlProp(form, QStringLiteral("c1")), QString());
    EXPECT_EQ(GetHTMLControlMaxLen(form, QStringLiteral("name")), 20);
    EXPECT_EQ(GetHTMLControlMaxLen(form, QStringLiteral("c1")), 0);

    QString edited = form;
    EXPECT_FALSE(SetHTMLControlValue(edited, QStringLiteral("nobody"), QStringLiteral("x")));
    EXPECT_EQ(edited, form);
    EXPECT_TRUE(SetHTMLControlValue(edited, QStringLiteral("name"), Q(u"A \"&\" <\u00E9>")));
    EXPECT_TRUE(edited.startsWith(QStringLiteral(
        "Name <CONTROL ID=\"name\" VALUE=\"A &quot;&amp;&quot; &lt;&eacute;&gt;\" WIDTH=\"60\" TYPE=\"EDIT\" "
        "PROP=\"p1\" MAXLEN=\"20\"> <CONTROL TYPE=\"CHECK\"")));
    EXPECT_TRUE(GetHTMLControlValue(edited, QStringLiteral("name"), value));
    EXPECT_EQ(value, Q(u"A \"&\" <\u00E9>"));

    const QString reset = ResetHTMLRadios(form);
    EXPECT_TRUE(GetHTMLControlValue(reset, QStringLiteral("r1"), value));
    EXPECT_EQ(value, QStringLiteral("FALSE"));
    EXPECT_TRUE(GetHTMLControlValue(reset, QStringLiteral("r2"), value));
    EXPECT_EQ(value, QStringLiteral("FALSE"));
    EXPECT_TRUE(reset.contains(QStringLiteral("TYPE=\"RADIO\" HEIGHT=\"20\">")));
    EXPECT_TRUE(GetHTMLControlValue(reset, QStringLiteral("c1"), value));
    EXPECT_EQ(value, QStringLiteral("TRUE"));
    EXPECT_TRUE(reset.endsWith(QStringLiteral("> end")));

    // A tag without ">" runs to the end of the text.
    QString open = QStringLiteral("x <CONTROL ID=\"e\" TYPE=\"EDIT\" WIDTH=\"5\" VALUE=\"1\"");
    EXPECT_TRUE(SetHTMLControlValue(open, QStringLiteral("e"), QStringLiteral("2")));
    EXPECT_EQ(open, QStringLiteral("x <CONTROL ID=\"e\" VALUE=\"2\" WIDTH=\"5\" TYPE=\"EDIT\">"));
}

TEST(MiniHTMLText, ColoursOfTheMarkup)
{
    struct { const char* Name; TColor Color; } names[] = {
        {"clred", RGB(255, 0, 0)}, {"clgreen", RGB(0, 128, 0)}, {"clteal", RGB(0, 128, 128)},
        {"clbtnface", clBtnFace},  {"clinfobk", clInfoBk},      {"clblack", RGB(0, 0, 0)},
        {"red", RGB(0, 0, 0)},     {"", RGB(0, 0, 0)},
    };
    for (const auto& n : names)
        EXPECT_EQ(HTMLColorByName(QString::fromLatin1(n.Name)), n.Color) << n.Name;

    struct { const char* Text; TColor Color; } hex[] = {
        {"#FF0000", RGB(255, 0, 0)}, {"#00ff80", RGB(0, 255, 128)}, {"#102030", RGB(16, 32, 48)},
        {"#FF", RGB(255, 0, 0)},     {"#GG0000", RGB((16 * 16 + 16) & 0xFF, 0, 0)},
    };
    for (const auto& h : hex)
        EXPECT_EQ(HTMLHexToColor(QString::fromLatin1(h.Text)), h.Color) << h.Text;
}
