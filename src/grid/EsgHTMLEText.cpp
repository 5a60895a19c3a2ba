// Mini-HTML string routines: escaping, stripping, highlighting and the
// values of embedded controls; also the attribute and number reading that
// the renderer's tags share.
#include "EsgHTMLE.h"
#include "EsgHTMLEState.h"

#include "platform/Text.h"

#include <QStringList>

#include <array>
#include <limits>

namespace {

struct TNamedChar {
    QChar Char;
    const char* Entity;
};

// Characters written as named entities when a text is escaped with the table.
const std::array<TNamedChar, 51> NamedChars{{
    {QChar(0xE9), "&eacute;"}, {QChar(0xE8), "&egrave;"}, {QChar(0xEB), "&euml;"}, {QChar(0xEA), "&ecirc;"},
    {QChar(0xF3), "&oacute;"}, {QChar(0xF2), "&ograve;"}, {QChar(0xF6), "&ouml;"}, {QChar(0xF4), "&ocirc;"},
    {QChar(0xED), "&iacute;"}, {QChar(0xEC), "&igrave;"}, {QChar(0xEF), "&iuml;"}, {QChar(0xEE), "&icirc;"},
    {QChar(0xFA), "&uacute;"}, {QChar(0xF9), "&ugrave;"}, {QChar(0xFC), "&uuml;"}, {QChar(0xFB), "&ucirc;"},
    {QChar(0xE1), "&aacute;"}, {QChar(0xE0), "&agrave;"}, {QChar(0xE4), "&auml;"}, {QChar(0xE2), "&acirc;"},
    {QChar(0xC9), "&Eacute;"}, {QChar(0xC8), "&Egrave;"}, {QChar(0xCB), "&Euml;"}, {QChar(0xCA), "&Ecirc;"},
    {QChar(0xD3), "&Oacute;"}, {QChar(0xD2), "&Ograve;"}, {QChar(0xD6), "&Ouml;"}, {QChar(0xD4), "&Ocirc;"},
    {QChar(0xCD), "&Iacute;"}, {QChar(0xCC), "&Igrave;"}, {QChar(0xCF), "&Iuml;"}, {QChar(0xCE), "&Icirc;"},
    {QChar(0xDA), "&Uacute;"}, {QChar(0xD9), "&Ugrave;"}, {QChar(0xDC), "&Uuml;"}, {QChar(0xDB), "&Ucirc;"},
    {QChar(0xC1), "&Aacute;"}, {QChar(0xC0), "&Agrave;"}, {QChar(0xC4), "&Auml;"}, {QChar(0xC2), "&Acirc;"},
    {QChar(0xE7), "&ccedil;"}, {QChar(0xC7), "&Ccedil;"}, {QChar(0xF8), "&oslash;"}, {QChar(0xD8), "&Oslash;"},
    {QChar(0xE5), "&aring;"}, {QChar(0xC5), "&Aring;"}, {QChar(0xA9), "&copy;"}, {QChar(0xAE), "&reg;"},
    {QChar(0x20AC), "&euro;"}, {QChar(0xAB), "&laquo;"}, {QChar(0xBB), "&raquo;"},
}};

// Replaces every Old by New, again and again until Old no longer occurs,
// so that an occurrence a replacement forms anew goes too.
void ReplaceAllRepeated(QString& text, const QString& oldText, const QString& newText)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype i = text.indexOf(oldText, from);
        if (i < 0)
            return;
        text.replace(i, oldText.size(), newText);
        // A new occurrence can only start where the replacement's own
        // characters stand, or before them within the pattern's length.
        from = std::max<qsizetype>(0, i - oldText.size() + 1);
    }
}

// One control tag found in a text: where its "<" stands (0-based), how long
// it runs (to its ">" inclusive, or to the end of the text) and what it holds.
struct TControlAt {
    qsizetype Start = -1;
    qsizetype Length = 0;
    TControlTagAttrs Attrs;
};

// The control tag at or after From; Start -1 when there is none.
TControlAt FindControl(const QString& text, qsizetype from)
{
    TControlAt c;
    const qsizetype i = text.indexOf(QStringLiteral("<CONTROL "), from, Qt::CaseInsensitive);
    if (i < 0)
        return c;
    const qsizetype gt = text.indexOf(QLatin1Char('>'), i);
    const qsizetype end = gt < 0 ? text.size() : gt + 1;
    c.Start = i;
    c.Length = end - i;
    c.Attrs = ParseControlTag(text.mid(i + 1, end - i - 1));
    return c;
}

// The first control with this ID (case-sensitive); none for an empty ID.
TControlAt FindControlByID(const QString& text, const QString& id)
{
    if (id.isEmpty())
        return {};
    for (TControlAt c = FindControl(text, 0); c.Start >= 0; c = FindControl(text, c.Start + c.Length))
        if (c.Attrs.ID == id)
            return c;
    return {};
}

QString Quoted(const QString& s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// Upper case letter by letter, so that positions stay as they were.
QString UpperKeepingLength(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        c = c.toUpper();
    return out;
}

// Index of the ">" that ends the tag opening at i, or -1 when the "<" is
// never closed.
qsizetype TagEnd(const QString& text, qsizetype i)
{
    return text.indexOf(QLatin1Char('>'), i + 1);
}

} // namespace

// ---------------------------------------------------------------- numbers and attributes

namespace minihtml {

namespace {

// Reads an optional sign and digits (decimal, or hexadecimal after "$" or
// "0x") from position i; saturates instead of overflowing. Returns the
// position after the last digit read and whether any digit was read.
qsizetype ReadNumber(const QString& s, qsizetype i, Integer& value, bool& anyDigit)
{
    const qsizetype n = s.size();
    while (i < n && s[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && s[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && s[i] == QLatin1Char('0') && (s[i + 1] == QLatin1Char('x') || s[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    Int64 v = 0;
    anyDigit = false;
    constexpr Int64 limit = Int64(std::numeric_limits<Integer>::max()) + 1;
    for (; i < n; ++i) {
        const int d = s[i].isDigit() && s[i].unicode() < 128 ? s[i].unicode() - '0'
                      : base == 16 && s[i].unicode() < 128 && std::isxdigit(s[i].unicode())
                          ? std::tolower(s[i].unicode()) - 'a' + 10
                          : -1;
        if (d < 0)
            break;
        anyDigit = true;
        v = std::min(limit, v * base + d);
    }
    if (negative)
        v = -v;
    value = Integer(std::clamp<Int64>(v, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
    return i;
}

} // namespace

bool ReadInteger(const QString& s, Integer& value)
{
    bool any = false;
    Integer v = 0;
    const qsizetype end = ReadNumber(s, 0, v, any);
    if (!any || end != s.size())
        return false;
    value = v;
    return true;
}

Integer LeadingInteger(const QString& s)
{
    bool any = false;
    Integer v = 0;
    ReadNumber(s, 0, v, any);
    return any ? v : 0;
}

Integer ClampSize(Integer v)
{
    return std::clamp(v, -MaxPixelSize, MaxPixelSize);
}

QString QuotedValueFrom(const QString& text, qsizetype from)
{
    const qsizetype q1 = text.indexOf(QLatin1Char('"'), std::max<qsizetype>(0, from));
    if (q1 < 0)
        return {};
    const qsizetype q2 = text.indexOf(QLatin1Char('"'), q1 + 1);
    if (q2 < 0)
        return {};
    return text.mid(q1 + 1, q2 - q1 - 1);
}

bool FindAttribute(const QString& upperText, const QString& text, const QString& name, QString& value)
{
    const qsizetype i = upperText.indexOf(name);
    if (i < 0)
        return false;
    value = QuotedValueFrom(text, i + name.size());
    return true;
}

QString ReplaceEntitiesOfSegment(const QString& segment)
{
    if (!segment.contains(QLatin1Char('&')))
        return segment;
    QString s = segment;
    s.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "), Qt::CaseInsensitive);
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"), Qt::CaseInsensitive);
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"), Qt::CaseInsensitive);
    return s;
}

} // namespace minihtml

// ---------------------------------------------------------------- control tags

TControlTagAttrs ParseControlTag(const QString& TagText)
{
    const QString upper = UpperCase(TagText);
    TControlTagAttrs a;
    auto value = [&](const char* key) {
        const qsizetype i = upper.indexOf(QLatin1String(key));
        // The value lies between the first two quotes after the key's second character.
        return i < 0 ? QString() : minihtml::QuotedValueFrom(TagText, i + 2);
    };
    a.Type = UpperCase(value("TYPE="));
    a.Width = value("WIDTH=");
    a.Height = value("HEIGHT=");
    a.ID = value("ID=");
    a.Value = HTMLUnescape(value("VALUE="), true);
    a.Prop = HTMLUnescape(value("PROP="), true);
    a.MaxLen = value("MAXLEN=");
    return a;
}

// ---------------------------------------------------------------- escaping

QString EscapeHTML(const QString& Text, bool UseTable)
{
    QString out;
    out.reserve(Text.size());
    for (QChar c : Text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); continue;
        case '"': out += QLatin1String("&quot;"); continue;
        case '<': out += QLatin1String("&lt;"); continue;
        case '>': out += QLatin1String("&gt;"); continue;
        default: break;
        }
        bool named = false;
        if (UseTable)
            for (const TNamedChar& n : NamedChars)
                if (n.Char == c) {
                    out += QLatin1String(n.Entity);
                    named = true;
                    break;
                }
        if (!named)
            out += c;
    }
    return out;
}

QString HTMLUnescape(const QString& Text, bool UseTable)
{
    if (!Text.contains(QLatin1Char('&')))
        return Text;
    QString s = Text;
    ReplaceAllRepeated(s, QStringLiteral("&lt;"), QStringLiteral("<"));
    ReplaceAllRepeated(s, QStringLiteral("&gt;"), QStringLiteral(">"));
    ReplaceAllRepeated(s, QStringLiteral("&amp;"), QStringLiteral("&"));
    ReplaceAllRepeated(s, QStringLiteral("&quot;"), QStringLiteral("\""));
    if (UseTable)
        for (const TNamedChar& n : NamedChars)
            ReplaceAllRepeated(s, QLatin1String(n.Entity), QString(n.Char));
    return s;
}

QString SpacesToNbsp(const QString& Text)
{
    QString s = Text;
    s.replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
    return s;
}

// ---------------------------------------------------------------- stripping

QString HTMLVisibleText(const QString& Text)
{
    QString out;
    out.reserve(Text.size());
    qsizetype i = 0;
    while (i < Text.size()) {
        if (Text[i] == QLatin1Char('<')) {
            const qsizetype gt = TagEnd(Text, i);
            if (gt < 0) {
                out += QStringView(Text).mid(i);
                break;
            }
            i = gt + 1;
            continue;
        }
        out += Text[i++];
    }
    return out;
}

QString StripHTMLTags(const QString& Text)
{
    QString s = Text;
    s.replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    s.replace(QStringLiteral("<HR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    return HTMLVisibleText(s);
}

Integer HTMLVisibleToMarkupPos(const QString& Markup, Integer N)
{
    // A tag runs from "<" to the first ">" after it; a "<" never closed is
    // plain text, as HTMLVisibleText keeps it.
    Integer visible = 0;
    qsizetype i = 0;
    while (i < Markup.size()) {
        if (visible + 1 == N)
            return Integer(i + 1);
        if (Markup[i] == QLatin1Char('<')) {
            const qsizetype gt = TagEnd(Markup, i);
            if (gt >= 0) {
                i = gt + 1;
                continue;
            }
        }
        ++visible;
        ++i;
    }
    return visible + 1 == N ? Integer(Markup.size() + 1) : 0;
}

bool ReplaceFirstNoCase(const QString& Old, const QString& New, QString& Text)
{
    if (Old.isEmpty())
        return false;
    // Only the letters a to z match in either case.
    const qsizetype n = Text.size() - Old.size();
    for (qsizetype i = 0; i <= n; ++i) {
        bool same = true;
        for (qsizetype k = 0; k < Old.size() && same; ++k) {
            const ushort a = Text[i + k].unicode();
            const ushort b = Old[k].unicode();
            same = a == b || (a < 128 && b < 128 && std::isalpha(a) && std::tolower(a) == std::tolower(b));
        }
        if (same) {
            Text.replace(i, Old.size(), New);
            return true;
        }
    }
    return false;
}

Integer PosFromOffset(const QString& Search, const QString& Text, Integer Offset, bool CaseSensitive)
{
    if (Search.isEmpty() || Offset < 0 || Offset >= Text.size())
        return 0;
    const QString tail = Text.mid(Offset);
    const qsizetype i = CaseSensitive ? tail.indexOf(Search) : UpperKeepingLength(tail).indexOf(UpperKeepingLength(Search));
    return i < 0 ? 0 : Integer(i + 1 + Offset);
}

// ---------------------------------------------------------------- highlighting

QString HighlightHTMLText(const QString& Markup, const QString& Search, const QString& Tag, bool CaseSensitive)
{
    // Nothing to find: the text stays as it is, tags and all.
    if (Search.isEmpty())
        return Markup;
    QString markup = Markup;
    QString search = Search;
    QString visible = HTMLVisibleText(markup);
    if (markup.contains(search) && (visible.contains(QLatin1Char('<')) || visible.contains(QLatin1Char('>')))) {
        // Visible angle brackets would read as tags once tags are inserted:
        // the text becomes its escaped visible text.
        auto escape = [](QString s) {
            s.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
            s.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
            return s;
        };
        visible = escape(visible);
        markup = visible;
        search = escape(search);
    }
    const QString open = QLatin1Char('<') + Tag + QLatin1Char('>');
    const QString close = QStringLiteral("</") + Tag + QLatin1Char('>');
    Integer offset = 0;
    for (;;) {
        const Integer p = PosFromOffset(search, visible, offset, CaseSensitive);
        if (p <= 0)
            break;
        Integer at = HTMLVisibleToMarkupPos(markup, p);
        // A match right after the previous one opens after that one's
        // closing tag, so that the pairs stay in order.
        while (at > 0 && markup.mid(at - 1, close.size()).compare(close, Qt::CaseInsensitive) == 0)
            at += Integer(close.size());
        if (at > 0)
            markup.insert(at - 1, open);
        const Integer end = HTMLVisibleToMarkupPos(markup, p + Integer(search.size()));
        if (end > 0)
            markup.insert(end - 1, close);
        offset = p + Integer(search.size()) - 1;
    }
    return markup;
}

QString UnhighlightHTMLText(const QString& Markup, const QString& Tag)
{
    const QString tag = UpperCase(Tag);
    QString s = Markup;
    s.remove(QLatin1Char('<') + tag + QLatin1Char('>'), Qt::CaseInsensitive);
    s.remove(QStringLiteral("</") + tag + QLatin1Char('>'), Qt::CaseInsensitive);
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return s;
}

// ---------------------------------------------------------------- embedded controls

bool HasHTMLControl(const QString& Text)
{
    return UpperCase(Text).contains(QLatin1String("<CONTROL"));
}

QString NextHTMLEditControl(const QString& Text, const QString& ID)
{
    bool passed = ID.isEmpty();
    for (TControlAt c = FindControl(Text, 0); c.Start >= 0; c = FindControl(Text, c.Start + c.Length)) {
        if (!passed) {
            passed = c.Attrs.ID == ID;
            continue;
        }
        const QString& t = c.Attrs.Type;
        if (t != QLatin1String("BUTTON") && t != QLatin1String("CHECK") && t != QLatin1String("RADIO"))
            return c.Attrs.ID;
    }
    return {};
}

QString ResetHTMLRadios(const QString& Text)
{
    QStringList ids;
    for (TControlAt c = FindControl(Text, 0); c.Start >= 0; c = FindControl(Text, c.Start + c.Length))
        if (c.Attrs.Type == QLatin1String("RADIO"))
            ids << c.Attrs.ID;
    QString s = Text;
    for (const QString& id : ids)
        SetHTMLControlValue(s, id, QStringLiteral("FALSE"));
    return s;
}

bool GetHTMLControlValue(const QString& Text, const QString& ID, QString& Value)
{
    const TControlAt c = FindControlByID(Text, ID);
    if (c.Start < 0)
        return false;
    Value = c.Attrs.Value;
    return true;
}

QString GetHTMLControlProp(const QString& Text, const QString& ID)
{
    return FindControlByID(Text, ID).Attrs.Prop;
}

Integer GetHTMLControlMaxLen(const QString& Text, const QString& ID)
{
    const TControlAt c = FindControlByID(Text, ID);
    return c.Start < 0 ? 0 : minihtml::LeadingInteger(c.Attrs.MaxLen);
}

bool SetHTMLControlValue(QString& Text, const QString& ID, const QString& Value)
{
    const TControlAt c = FindControlByID(Text, ID);
    if (c.Start < 0)
        return false;
    const TControlTagAttrs& a = c.Attrs;
    QString tag = QStringLiteral("<CONTROL ID=") + Quoted(ID) + QStringLiteral(" VALUE=") + Quoted(EscapeHTML(Value, true))
                  + QStringLiteral(" WIDTH=") + Quoted(a.Width) + QStringLiteral(" TYPE=") + Quoted(a.Type);
    if (!a.Height.isEmpty())
        tag += QStringLiteral(" HEIGHT=") + Quoted(a.Height);
    if (!a.Prop.isEmpty())
        tag += QStringLiteral(" PROP=") + Quoted(EscapeHTML(a.Prop, true));
    if (!a.MaxLen.isEmpty())
        tag += QStringLiteral(" MAXLEN=") + Quoted(a.MaxLen);
    tag += QLatin1Char('>');
    Text.replace(c.Start, c.Length, tag);
    return true;
}
