#pragma once
// Text helpers of the compiler's readers.
// TEMPORARY: forwarders to the shared helpers once they land on main.

#include <QString>

#include "platform/Types.h"

inline QString Bin_Trim(const QString& text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text[b].unicode() <= 32)
        ++b;
    while (e > b && text[e - 1].unicode() <= 32)
        --e;
    return text.mid(b, e - b);
}

inline QString Bin_Upper(const QString& text)
{
    QString r = text;
    for (QChar& c : r)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return r;
}

inline QString Bin_Trim_Upper(const QString& text) { return Bin_Trim(Bin_Upper(text)); }

inline Integer Bin_Int(const QString& text, Integer def)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool neg = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        neg = text[i++] == QLatin1Char('-');
    int base = 10;
    QString rest = text.mid(i);
    if (rest.startsWith(QLatin1String("0x")) || rest.startsWith(QLatin1String("0X")))
        base = 16, rest = rest.mid(2);
    else if (rest.startsWith(QLatin1Char('$')) || rest.startsWith(QLatin1Char('x')) || rest.startsWith(QLatin1Char('X')))
        base = 16, rest = rest.mid(1);
    if (rest.isEmpty())
        return def;
    long long v = 0;
    for (QChar c : rest) {
        int d = c.isDigit() ? c.unicode() - '0'
              : (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')) ? c.toLower().unicode() - 'a' + 10 : -1;
        if (d < 0 || d >= base)
            return def;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL)
            return def;
    }
    if (base == 16)
        return Integer(LongWord(neg ? LongWord(-v) : LongWord(v)));
    if (neg)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return def;
    return Integer(v);
}

inline bool Bin_Parse_IP_Port(const QString& text, Byte& b1, Byte& b2, Byte& b3, Byte& b4, Word& port)
{
    b1 = b2 = b3 = b4 = 0;
    port = 0;
    QString s = text;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        const QChar sep = i < 3 ? QLatin1Char('.') : QLatin1Char(':');
        const qsizetype at = s.indexOf(sep);
        if (at < 0)
            return false;
        v[i] = Bin_Int(Bin_Trim(s.left(at)), -1);
        s = Bin_Trim(s.mid(at + 1));
        if (v[i] < 0 || v[i] > 255)
            return false;
    }
    const int p = Bin_Int(s, -1);
    if (p < 0 || p > 65535)
        return false;
    b1 = Byte(v[0]), b2 = Byte(v[1]), b3 = Byte(v[2]), b4 = Byte(v[3]);
    port = Word(p);
    return true;
}

inline bool Bin_Text_To_Float(const QString& text, QChar separator, float& value)
{
    QString t = text;
    t.replace(separator == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.'), separator);
    if (separator == QLatin1Char(','))
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const float f = t.toFloat(&ok);
    value = ok ? f : 1.0f;
    return ok;
}

inline QChar Bin_Decimal_Separator() { return QLatin1Char('.'); }
