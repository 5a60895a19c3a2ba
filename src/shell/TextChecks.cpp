#include "shell/TextChecks.h"

#include "platform/Locale.h"
#include "platform/SerialPorts.h"
#include "platform/StringList.h"
#include "platform/Text.h"

#include <cfloat>
#include <charconv>
#include <cmath>

namespace {

// The part of s before the first sep (all of s when there is none) and the
// part after it (empty when there is none).
QString Before(const QString& s, QChar sep)
{
    const qsizetype p = s.indexOf(sep);
    return p < 0 ? s : s.left(p);
}

QString After(const QString& s, QChar sep)
{
    const qsizetype p = s.indexOf(sep);
    return p < 0 ? QString() : s.mid(p + 1);
}

bool InRange(Integer v, Integer lo, Integer hi)
{
    return v >= lo && v <= hi;
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Reads a decimal number written with the decimal separator sep: blanks
// around it, an optional sign, digits with at most one separator, and an
// optional exponent; no thousands separators.
bool ParseDecimal(const QString& text, QChar sep, double& result)
{
    const QString s = Trim(text);
    QByteArray c;
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto digit = [&](qsizetype k) { return k < n && s[k] >= u'0' && s[k] <= u'9'; };
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        c += char(s[i++].unicode());
    int digits = 0;
    while (digit(i)) {
        c += char(s[i++].unicode());
        ++digits;
    }
    if (i < n && s[i] == sep) {
        c += '.';
        ++i;
        while (digit(i)) {
            c += char(s[i++].unicode());
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        c += 'e';
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-'))
            c += char(s[i++].unicode());
        if (!digit(i))
            return false;
        while (digit(i))
            c += char(s[i++].unicode());
    }
    if (i != n)
        return false;
    const auto [end, ec] = std::from_chars(c.constData() + (c.startsWith('+') ? 1 : 0), c.constData() + c.size(), result);
    return ec == std::errc() && end == c.constData() + c.size();
}

} // namespace

namespace {

// The integer reading for a signed integer of Bits bits (32 or 64): decimal
// within the signed range, hexadecimal (when Hex_Allowed) as a bit pattern of
// that width.
bool Read_Integer(const QString& text, int Bits, qint64& value, bool Hex_Allowed)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (Hex_Allowed && i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (Hex_Allowed && i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return false;

    const quint64 mask = Bits >= 64 ? ~0ull : (1ull << Bits) - 1;
    if (hex) {
        quint64 pattern = 0;
        for (; i < n; ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0 || (pattern >> (Bits - 4)) != 0)
                return false;
            pattern = pattern * 16 + quint64(d);
        }
        quint64 bits = (negative ? 0ull - pattern : pattern) & mask;
        // Sign-extend the pattern from its width.
        if (Bits < 64 && (bits >> (Bits - 1)) != 0)
            bits |= ~mask;
        value = qint64(bits);
        return true;
    }

    const quint64 limit = (1ull << (Bits - 1));  // the magnitude of the lowest value
    quint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u < u'0' || u > u'9')
            return false;
        const quint64 d = u - u'0';
        if (magnitude > (limit - d) / 10)
            return false;
        magnitude = magnitude * 10 + d;
    }
    if (!negative && magnitude > limit - 1)
        return false;
    value = negative ? qint64(0ull - magnitude) : qint64(magnitude);
    return true;
}

// The reading into an integer of T's width; value is set only on success.
template <class T>
bool Read_As(const QString& text, T& value, bool Hex_Allowed)
{
    qint64 v = 0;
    if (!Read_Integer(text, int(sizeof(T) * 8), v, Hex_Allowed))
        return false;
    value = T(v);
    return true;
}

template <class T>
T Read_Or(const QString& text, T fallback, bool Hex_Allowed)
{
    T v = fallback;
    Read_As(text, v, Hex_Allowed);
    return v;
}

} // namespace

bool Try_Text_To_Int(const QString& text, Integer& value) { return Read_As(text, value, true); }
bool Try_Text_To_Int64(const QString& text, Int64& value) { return Read_As(text, value, true); }
Int64 Text_To_Int64(const QString& text, Int64 fallback) { return Read_Or(text, fallback, true); }
Integer Text_To_Int(const QString& text, Integer fallback) { return Read_Or(text, fallback, true); }
bool Try_Decimal_To_Int(const QString& text, Integer& value) { return Read_As(text, value, false); }
bool Try_Decimal_To_Int64(const QString& text, Int64& value) { return Read_As(text, value, false); }
Integer Decimal_To_Int(const QString& text, Integer fallback) { return Read_Or(text, fallback, false); }

bool Split_IP_Address(const QString& text, QString& part1, QString& part2, QString& part3, QString& part4)
{
    QString s = Trim(text);
    QString* parts[3] = {&part1, &part2, &part3};
    for (QString* part : parts) {
        if (!s.contains(u'.'))
            return false;
        *part = Trim(Before(s, u'.'));
        s = Trim(After(s, u'.'));
    }
    part4 = s;
    for (const QString* part : {&part1, &part2, &part3, &part4})
        if (!InRange(Text_To_Int(*part, 1000), 0, 255))
            return false;
    return true;
}

bool IP_Text_To_Bytes(const QString& text, Byte& b1, Byte& b2, Byte& b3, Byte& b4)
{
    if (text.isEmpty())
        return true;
    QString s = text;
    bool error = false;
    Byte* bytes[4] = {&b1, &b2, &b3, &b4};
    for (int i = 0; i < 4; ++i) {
        const qsizetype dot = s.indexOf(u'.');
        const QString part = i == 3 ? s : (dot < 0 ? QString() : s.left(dot));
        const Integer v = Text_To_Int(part, -1);
        if (InRange(v, 0, 255)) {
            *bytes[i] = Byte(v);
        } else {
            *bytes[i] = 0;
            error = true;
        }
        if (dot >= 0)
            s = s.mid(dot + 1);
    }
    return error;
}

bool Parse_IP_Port(const QString& text, Byte& b1, Byte& b2, Byte& b3, Byte& b4, Word& port)
{
    b1 = b2 = b3 = b4 = 0;
    port = 0;
    if (text.isEmpty())
        return false;
    Integer v[4] = {0, 0, 0, 0};
    QString s = text;
    for (int i = 0; i < 3; ++i) {
        if (!s.contains(u'.'))
            return false;
        v[i] = Text_To_Int(Trim(Before(s, u'.')), -1);
        s = Trim(After(s, u'.'));
        if (!InRange(v[i], 0, 255))
            return false;
    }
    if (!s.contains(u':'))
        return false;
    v[3] = Text_To_Int(Trim(Before(s, u':')), -1);
    const Integer p = Text_To_Int(Trim(After(s, u':')), -1);
    if (!InRange(v[3], 0, 255) || !InRange(p, 0, 65535))
        return false;
    b1 = Byte(v[0]);
    b2 = Byte(v[1]);
    b3 = Byte(v[2]);
    b4 = Byte(v[3]);
    port = Word(p);
    return true;
}

bool Has_Non_Alnum_Char(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool alnum = (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
        if (!alnum)
            return true;
    }
    return false;
}

bool Check_KNX_Address(const QString& text, bool group, bool allow_zero)
{
    // Group addresses are split at "/", individual ones at ".", and a text
    // holding the other kind's separator is never valid.
    const QChar sep = group ? u'/' : u'.';
    if (text.contains(group ? u'.' : u'/'))
        return true;
    if (!text.contains(sep))
        return !InRange(Text_To_Int(text, -1), 1, 65535);

    const Integer a = Text_To_Int(Trim(Before(text, sep)), -1);
    const QString rest = Trim(After(text, sep));

    if (!rest.contains(sep)) {
        // Two levels. Group: main/sub, 5 + 11 bits. Individual: area and
        // the line and device together, 4 + 12 bits.
        const Integer b = Text_To_Int(rest, -1);
        const bool inRange = group ? (InRange(a, 0, 31) && InRange(b, 0, 2047))
                                   : (InRange(a, 0, 15) && InRange(b, 0, 4095));
        if (!inRange)
            return true;
        const bool zero = a == 0 && b == 0;
        return zero && (group || !allow_zero);
    }

    const QString c_text = Trim(After(rest, sep));
    if (c_text.contains(sep))
        return true;
    const Integer b = Text_To_Int(Trim(Before(rest, sep)), -1);
    const Integer c = Text_To_Int(c_text, -1);
    const bool inRange = group ? (InRange(a, 0, 31) && InRange(b, 0, 7) && InRange(c, 0, 255))
                               : (InRange(a, 0, 15) && InRange(b, 0, 15) && InRange(c, 0, 255));
    if (!inRange)
        return true;
    const bool zero = a == 0 && b == 0 && c == 0;
    return zero && (group || !allow_zero);
}

bool Is_KNX_Group_Address(const QString& text)
{
    return !text.contains(u'.');
}

Integer Check_OID(const QString& text)
{
    if (text.size() > 128)
        return 1;
    if (text.isEmpty())
        return 2;
    for (const QChar c : text)
        if (c != u'.' && (c < u'0' || c > u'9'))
            return 2;
    if (text.front() == u'.')
        return 3;
    if (text.back() == u'.')
        return 4;
    if (text.contains(QStringLiteral("..")))
        return 5;
    quint64 component = 0;
    for (const QChar c : text) {
        if (c == u'.') {
            component = 0;
            continue;
        }
        component = component * 10 + quint64(c.unicode() - u'0');
        if (component > 4294967295ull)
            return 6;
    }
    return 0;
}

Integer SNMP_Security_Level_Code(const QString& text)
{
    const QString u = Trim(UpperCase(text));
    if (u.isEmpty())
        return -1;
    if (u == QLatin1String("AUTH NOPRIV"))
        return 1;
    if (u == QLatin1String("AUTH PRIV"))
        return 3;
    return 0;
}

QChar Get_Decimal_Separator()
{
    const QString regional = RegionalDecimalSeparator();
    if (regional.isEmpty())
        return u',';
    return regional[0] == u'.' ? u'.' : u',';
}

bool Text_To_Float(const QString& text, QChar separator, float& value)
{
    QString t = text;
    if (separator == u'.')
        t.replace(u',', u'.');
    else
        t.replace(u'.', u',');
    // Read with the separator just put in, not with the region's own: a
    // region whose separator is neither (U+066B, say) would refuse them all.
    double d = 0;
    if (ParseDecimal(t, separator == u'.' ? u'.' : u',', d) && std::isfinite(d) && std::fabs(d) <= FLT_MAX) {
        value = float(d);
        return true;
    }
    value = 1.0f;
    return false;
}

std::unique_ptr<TStringList> Get_COM_Port_List()
{
    auto list = std::make_unique<TStringList>();
    for (const Integer n : SerialPortNumbers())
        list->Add(IntToStr(n));
    return list;
}
