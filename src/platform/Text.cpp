#include "Text.h"

#include "Locale.h"

#include <QDate>
#include <QDateTime>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

// ---------------------------------------------------------------------------
// Trimming and case

QString Trim(const QString& S)
{
    qsizetype b = 0, e = S.size();
    while (b < e && S[b].unicode() <= 0x20)
        ++b;
    while (e > b && S[e - 1].unicode() <= 0x20)
        --e;
    return S.mid(b, e - b);
}

QString TrimLeft(const QString& S)
{
    qsizetype b = 0;
    while (b < S.size() && S[b].unicode() <= 0x20)
        ++b;
    return S.mid(b);
}

QString TrimRight(const QString& S)
{
    qsizetype e = S.size();
    while (e > 0 && S[e - 1].unicode() <= 0x20)
        --e;
    return S.left(e);
}

QString UpperCase(const QString& S)
{
    QString r = S;
    for (QChar& c : r)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(c.unicode() - 32);
    return r;
}

QString LowerCase(const QString& S)
{
    QString r = S;
    for (QChar& c : r)
        if (c.unicode() >= 'A' && c.unicode() <= 'Z')
            c = QChar(c.unicode() + 32);
    return r;
}

QString AnsiUpperCase(const QString& S) { return S.toUpper(); }
QString AnsiLowerCase(const QString& S) { return S.toLower(); }

int CompareStr(const QString& S1, const QString& S2)
{
    return S1.compare(S2, Qt::CaseSensitive);
}

int CompareText(const QString& S1, const QString& S2)
{
    return CompareStr(UpperCase(S1), UpperCase(S2));
}

int AnsiCompareText(const QString& S1, const QString& S2)
{
    return S1.compare(S2, Qt::CaseInsensitive);
}

bool SameText(const QString& S1, const QString& S2) { return CompareText(S1, S2) == 0; }
bool AnsiSameText(const QString& S1, const QString& S2) { return AnsiCompareText(S1, S2) == 0; }

// ---------------------------------------------------------------------------
// Positions

Integer Pos(const QString& Substr, const QString& S)
{
    return PosEx(Substr, S, 1);
}

Integer PosEx(const QString& Substr, const QString& S, Integer Offset)
{
    if (Substr.isEmpty() || Offset < 1 || Offset > S.size())
        return 0;
    return Integer(S.indexOf(Substr, Offset - 1, Qt::CaseSensitive) + 1);
}

QString Copy(const QString& S, Integer Index, Integer Count)
{
    if (Index < 1)
        Index = 1;
    if (Count <= 0 || Index > S.size())
        return QString();
    return S.mid(Index - 1, Count);
}

void Delete(QString& S, Integer Index, Integer Count)
{
    if (Index < 1 || Index > S.size() || Count <= 0)
        return;
    S.remove(Index - 1, Count);
}

void Insert(const QString& Source, QString& S, Integer Index)
{
    const qsizetype at = std::clamp<qsizetype>(Index, 1, S.size() + 1) - 1;
    S.insert(at, Source);
}

// ---------------------------------------------------------------------------
// Numbers as text

QString IntToStr(Int64 Value)
{
    return QString::number(Value);
}

QString IntToHex(Int64 Value, Integer Digits)
{
    QString r = QString::number(UInt64(Value), 16).toUpper();
    if (r.size() < Digits)
        r.prepend(QString(Digits - r.size(), QLatin1Char('0')));
    return r;
}

QString FloatToStr(long double Value)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (Value == 0)
        return QStringLiteral("0");
    // Fifteen significant digits: d.dddddddddddddde+X
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", Value);
    const QString text = QString::fromLatin1(buf);
    const bool negative = text.startsWith(QLatin1Char('-'));
    const qsizetype ePos = text.indexOf(QLatin1Char('e'));
    QString digits = text.mid(negative ? 1 : 0, ePos - (negative ? 1 : 0)).remove(QLatin1Char('.'));
    const int exponent = text.mid(ePos + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    const QChar sep = FormatSettings().DecimalSeparator;
    QString r;
    if (exponent >= 15 || exponent < -4) {
        r = digits.left(1);
        if (digits.size() > 1)
            r += sep + digits.mid(1);
        r += QLatin1Char('E') + QString::number(exponent);
    } else if (exponent < 0) {
        r = QLatin1Char('0') + QString(sep) + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else {
        if (digits.size() <= exponent + 1)
            r = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
        else
            r = digits.left(exponent + 1) + sep + digits.mid(exponent + 1);
    }
    return negative ? QLatin1Char('-') + r : r;
}

namespace {

[[noreturn]] void FormatError(const QString& fmt)
{
    throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(fmt));
}

// Puts the thousand separator between groups of three integer digits.
QString GroupThousands(const QString& digits, QChar sep)
{
    QString r;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            r += sep;
        r += digits[i];
    }
    return r;
}

QString NonFinite(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Fixed notation with `decimals` decimals; thousands grouped on request.
QString FixedText(double v, int decimals, bool grouped)
{
    if (!std::isfinite(v))
        return NonFinite(v);
    const TFormatSettings& fs = FormatSettings();
    QString t = QString::number(std::fabs(v), 'f', decimals);
    QString intPart = t.section(QLatin1Char('.'), 0, 0);
    const QString frac = t.contains(QLatin1Char('.')) ? t.section(QLatin1Char('.'), 1) : QString();
    if (grouped)
        intPart = GroupThousands(intPart, fs.ThousandSeparator);
    QString r = intPart;
    if (!frac.isEmpty())
        r += fs.DecimalSeparator + frac;
    // A value that rounds to zero keeps no minus sign.
    const bool allZero = std::all_of(t.begin(), t.end(), [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('.'); });
    if (std::signbit(v) && !allZero)
        r.prepend(QLatin1Char('-'));
    return r;
}

// Scientific notation: `digits` significant digits, the exponent with a sign
// and at least `expDigits` digits; trailing zeros of the mantissa dropped on
// request.
QString ScientificText(double v, int digits, int expDigits, bool trimZeros, bool plusSign)
{
    if (!std::isfinite(v))
        return NonFinite(v);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", std::max(0, digits - 1), v);
    QString t = QString::fromLatin1(buf);
    const qsizetype ePos = t.indexOf(QLatin1Char('e'));
    QString mant = t.left(ePos);
    int exp = t.mid(ePos + 1).toInt();
    if (trimZeros && mant.contains(QLatin1Char('.'))) {
        while (mant.endsWith(QLatin1Char('0')))
            mant.chop(1);
        if (mant.endsWith(QLatin1Char('.')))
            mant.chop(1);
    }
    mant.replace(QLatin1Char('.'), FormatSettings().DecimalSeparator);
    QString e = QString::number(std::abs(exp));
    if (e.size() < expDigits)
        e.prepend(QString(expDigits - e.size(), QLatin1Char('0')));
    QString sign = exp < 0 ? QStringLiteral("-") : (plusSign ? QStringLiteral("+") : QString());
    return mant + QLatin1Char('E') + sign + e;
}

QString GeneralText(double v, int digits)
{
    if (!std::isfinite(v))
        return NonFinite(v);
    if (v == 0)
        return QStringLiteral("0");
    if (digits <= 0 || digits > 18)
        digits = 15;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, v);
    const int exp = QString::fromLatin1(buf).section(QLatin1Char('e'), 1).toInt();
    if (exp < -5 || exp >= digits)
        return ScientificText(v, digits, 0, true, false);
    QString t = FixedText(v, std::max(0, digits - 1 - exp), false);
    const QChar dp = FormatSettings().DecimalSeparator;
    if (t.contains(dp)) {
        while (t.endsWith(QLatin1Char('0')))
            t.chop(1);
        if (t.endsWith(dp))
            t.chop(1);
    }
    return t;
}

UInt64 UnsignedPattern(const TVarRec& a)
{
    if (a.kind() == TVarRec::Kind::Unsigned)
        return a.asUnsigned();
    const Int64 v = a.asInteger();
    // Negative values in the 32-bit range show their 32-bit pattern.
    if (v < 0 && v >= std::numeric_limits<std::int32_t>::min())
        return UInt64(std::uint32_t(std::int32_t(v)));
    return UInt64(v);
}

} // namespace

QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args)
{
    const std::vector<TVarRec> args(Args);
    size_t next = 0;
    QString out;
    const qsizetype n = Fmt.size();
    auto takeArg = [&]() -> const TVarRec& {
        if (next >= args.size())
            FormatError(Fmt);
        return args[next++];
    };
    auto takeCount = [&]() -> int {
        const TVarRec& a = takeArg();
        if (a.kind() != TVarRec::Kind::Integer && a.kind() != TVarRec::Kind::Unsigned)
            FormatError(Fmt);
        return int(std::clamp<Int64>(a.asInteger(), -100000, 100000));
    };
    auto readNumber = [&](qsizetype& i, int& value) -> bool {
        if (i < n && Fmt[i] == QLatin1Char('*')) {
            ++i;
            value = takeCount();
            return true;
        }
        if (i >= n || !Fmt[i].isDigit())
            return false;
        Int64 v = 0;
        while (i < n && Fmt[i].isDigit()) {
            v = std::min<Int64>(v * 10 + Fmt[i].digitValue(), 100000);
            ++i;
        }
        value = int(v);
        return true;
    };

    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = Fmt[i];
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        ++i;
        if (i >= n)
            FormatError(Fmt);
        if (Fmt[i] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            continue;
        }
        // [index ":"], the index as digits or "*"
        {
            qsizetype j = i;
            while (j < n && Fmt[j].isDigit())
                ++j;
            if (j > i && j < n && Fmt[j] == QLatin1Char(':')) {
                next = size_t(std::min<qsizetype>(Fmt.mid(i, j - i).toLongLong(), 100000));
                i = j + 1;
            } else if (i + 1 < n && Fmt[i] == QLatin1Char('*') && Fmt[i + 1] == QLatin1Char(':')) {
                const int idx = takeCount();
                if (idx < 0)
                    FormatError(Fmt);
                next = size_t(idx);
                i += 2;
            }
        }
        bool left = false;
        if (i < n && Fmt[i] == QLatin1Char('-')) {
            left = true;
            ++i;
        }
        int width = -1;
        readNumber(i, width);
        int precision = -1;
        if (i < n && Fmt[i] == QLatin1Char('.')) {
            ++i;
            if (!readNumber(i, precision))
                precision = 0;
        }
        if (i >= n)
            FormatError(Fmt);
        const char type = char(Fmt[i].toLower().toLatin1());
        QString text;
        const TVarRec* arg = nullptr;
        auto need = [&](std::initializer_list<TVarRec::Kind> kinds) {
            arg = &takeArg();
            for (auto k : kinds)
                if (arg->kind() == k)
                    return;
            FormatError(Fmt);
        };
        auto padDigits = [&](QString digits) {
            if (precision > 0 && digits.size() < precision)
                digits.prepend(QString(precision - digits.size(), QLatin1Char('0')));
            return digits;
        };
        switch (type) {
        case 'd': {
            need({TVarRec::Kind::Integer, TVarRec::Kind::Unsigned});
            if (arg->kind() == TVarRec::Kind::Unsigned) {
                text = padDigits(QString::number(arg->asUnsigned()));
            } else {
                const Int64 v = arg->asInteger();
                const UInt64 mag = v < 0 ? UInt64(0) - UInt64(v) : UInt64(v);
                text = padDigits(QString::number(mag));
                if (v < 0)
                    text.prepend(QLatin1Char('-'));
            }
            break;
        }
        case 'u':
            need({TVarRec::Kind::Integer, TVarRec::Kind::Unsigned});
            text = padDigits(QString::number(UnsignedPattern(*arg)));
            break;
        case 'x':
            need({TVarRec::Kind::Integer, TVarRec::Kind::Unsigned});
            text = padDigits(QString::number(UnsignedPattern(*arg), 16).toUpper());
            break;
        case 's':
            need({TVarRec::Kind::String});
            text = arg->asString();
            if (precision >= 0 && text.size() > precision)
                text.truncate(precision);
            break;
        case 'f':
            need({TVarRec::Kind::Float});
            text = FixedText(arg->asFloat(), precision < 0 ? 2 : std::min(precision, 18), false);
            break;
        case 'n':
            need({TVarRec::Kind::Float});
            text = FixedText(arg->asFloat(), precision < 0 ? 2 : std::min(precision, 18), true);
            break;
        case 'e':
            need({TVarRec::Kind::Float});
            text = ScientificText(arg->asFloat(), precision < 0 || precision > 18 ? 15 : std::max(precision, 1), 3, false, true);
            break;
        case 'g':
            need({TVarRec::Kind::Float});
            text = GeneralText(arg->asFloat(), precision < 0 ? 15 : precision);
            break;
        default:
            FormatError(Fmt);
        }
        if (width > text.size()) {
            const QString pad(width - text.size(), QLatin1Char(' '));
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

// ---------------------------------------------------------------------------
// Dates and times

namespace {

constexpr Int64 kMSecsPerDay = 86400000;

qint64 BaseJulianDay()
{
    return QDate(1899, 12, 30).toJulianDay();
}

// Splits a date-time into whole days and milliseconds of the day (the time
// of a negative date-time counts forward from midnight, as for positive ones).
void SplitDateTime(TDateTime dt, Int64& days, Int64& msecs)
{
    days = Int64(std::trunc(dt));
    msecs = Int64(std::llround(std::fabs(dt - double(days)) * double(kMSecsPerDay)));
    if (msecs >= kMSecsPerDay)
        msecs = kMSecsPerDay - 1;
}

QDate DateOf(TDateTime dt)
{
    Int64 days, ms;
    SplitDateTime(dt, days, ms);
    return QDate::fromJulianDay(BaseJulianDay() + days);
}

TDateTime FromQDateTime(const QDateTime& d)
{
    const QTime t = d.time();
    return double(d.date().toJulianDay() - BaseJulianDay()) + t.msecsSinceStartOfDay() / double(kMSecsPerDay);
}

QString Pad(int v, int width)
{
    return QStringLiteral("%1").arg(v, width, 10, QLatin1Char('0'));
}

bool StartsWithCI(const QString& s, qsizetype at, const char* token)
{
    const QString t = QString::fromLatin1(token);
    return s.mid(at, t.size()).compare(t, Qt::CaseInsensitive) == 0;
}

void FormatInto(QString& out, const QString& fmt, TDateTime dt, int depth);

void FormatInto(QString& out, const QString& fmt, TDateTime dt, int depth)
{
    const TFormatSettings& fs = FormatSettings();
    if (depth > 2)
        return; // named patterns that name each other
    Word y, mo, d, h, mi, s, ms;
    DecodeDate(dt, y, mo, d);
    DecodeTime(dt, h, mi, s, ms);
    const bool twelveHour = fmt.contains(QStringLiteral("am/pm"), Qt::CaseInsensitive)
        || fmt.contains(QStringLiteral("a/p"), Qt::CaseInsensitive)
        || fmt.contains(QStringLiteral("ampm"), Qt::CaseInsensitive);
    bool afterHour = false;
    const qsizetype n = fmt.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = fmt[i];
        const QChar lc = c.toLower();
        qsizetype run = 1;
        while (i + run < n && fmt[i + run].toLower() == lc)
            ++run;
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = fmt.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? n : end;
            out += fmt.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (StartsWithCI(fmt, i, "am/pm")) {
            const bool upper = fmt[i].isUpper();
            out += h < 12 ? (upper ? QStringLiteral("AM") : QStringLiteral("am")) : (upper ? QStringLiteral("PM") : QStringLiteral("pm"));
            i += 5;
            continue;
        }
        if (StartsWithCI(fmt, i, "a/p")) {
            const bool upper = fmt[i].isUpper();
            out += h < 12 ? (upper ? QStringLiteral("A") : QStringLiteral("a")) : (upper ? QStringLiteral("P") : QStringLiteral("p"));
            i += 3;
            continue;
        }
        if (StartsWithCI(fmt, i, "ampm")) {
            out += h < 12 ? fs.TimeAMString : fs.TimePMString;
            i += 4;
            continue;
        }
        switch (lc.toLatin1()) {
        case 'c':
            FormatInto(out, fs.ShortDateFormat, dt, depth + 1);
            if (std::fabs(dt - std::trunc(dt)) > 0) {
                out += QLatin1Char(' ');
                FormatInto(out, fs.LongTimeFormat, dt, depth + 1);
            }
            i += 1;
            afterHour = false;
            continue;
        case 'd': {
            const int k = int(std::min<qsizetype>(run, 6));
            const int dow = DayOfWeek(dt) - 1;
            switch (k) {
            case 1: out += QString::number(d); break;
            case 2: out += Pad(d, 2); break;
            case 3: out += fs.ShortDayNames[dow]; break;
            case 4: out += fs.LongDayNames[dow]; break;
            case 5: FormatInto(out, fs.ShortDateFormat, dt, depth + 1); break;
            case 6: FormatInto(out, fs.LongDateFormat, dt, depth + 1); break;
            }
            i += k;
            afterHour = false;
            continue;
        }
        case 'm': {
            const int k = int(std::min<qsizetype>(run, 4));
            if (afterHour && k <= 2) {
                out += k == 1 ? QString::number(mi) : Pad(mi, 2);
            } else {
                switch (k) {
                case 1: out += QString::number(mo); break;
                case 2: out += Pad(mo, 2); break;
                case 3: out += fs.ShortMonthNames[mo - 1]; break;
                case 4: out += fs.LongMonthNames[mo - 1]; break;
                }
            }
            i += k;
            afterHour = false;
            continue;
        }
        case 'y':
            if (run <= 2)
                out += Pad(y % 100, 2);
            else
                out += Pad(y, 4);
            i += run;
            afterHour = false;
            continue;
        case 'h': {
            const int k = int(std::min<qsizetype>(run, 2));
            int hh = h;
            if (twelveHour) {
                hh = h % 12;
                if (hh == 0)
                    hh = 12;
            }
            out += k == 1 ? QString::number(hh) : Pad(hh, 2);
            i += k;
            afterHour = true;
            continue;
        }
        case 'n': {
            const int k = int(std::min<qsizetype>(run, 2));
            out += k == 1 ? QString::number(mi) : Pad(mi, 2);
            i += k;
            afterHour = false;
            continue;
        }
        case 's': {
            const int k = int(std::min<qsizetype>(run, 2));
            out += k == 1 ? QString::number(s) : Pad(s, 2);
            i += k;
            afterHour = false;
            continue;
        }
        case 'z': {
            const int k = run >= 3 ? 3 : 1;
            out += k == 1 ? QString::number(ms) : Pad(ms, 3);
            i += k;
            afterHour = false;
            continue;
        }
        case 't': {
            const int k = int(std::min<qsizetype>(run, 2));
            FormatInto(out, k == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, dt, depth + 1);
            i += k;
            afterHour = false;
            continue;
        }
        case '/':
            out += fs.DateSeparator;
            ++i;
            continue;
        case ':':
            out += fs.TimeSeparator;
            ++i;
            continue;
        default:
            out += c;
            ++i;
            continue;
        }
    }
}

// Reads unsigned decimal numbers from `s` at `i`; false when there is none.
bool ReadUInt(const QString& s, qsizetype& i, int& value, int* digits = nullptr)
{
    const qsizetype start = i;
    Int64 v = 0;
    while (i < s.size() && s[i].unicode() >= '0' && s[i].unicode() <= '9') {
        v = v * 10 + (s[i].unicode() - '0');
        if (v > 100000)
            return false;
        ++i;
    }
    if (digits)
        *digits = int(i - start);
    value = int(v);
    return i > start;
}

void SkipBlanks(const QString& s, qsizetype& i)
{
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
}

// Reads a date at `i` in the short date pattern's order.
bool ReadDate(const QString& s, qsizetype& i, TDateTime& value)
{
    const TFormatSettings& fs = FormatSettings();
    const QString order = [&] {
        QString o;
        for (QChar c : fs.ShortDateFormat.toLower()) {
            const char l = char(c.toLatin1());
            if ((l == 'd' || l == 'm' || l == 'y') && !o.contains(c))
                o += c;
        }
        return o.size() == 3 ? o : QStringLiteral("dmy");
    }();
    int nums[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    SkipBlanks(s, i);
    while (count < 3) {
        if (!ReadUInt(s, i, nums[count], &digits[count]))
            return false;
        ++count;
        SkipBlanks(s, i);
        if (i < s.size() && s[i] == fs.DateSeparator && count < 3) {
            ++i;
            SkipBlanks(s, i);
            continue;
        }
        break;
    }
    if (count < 2)
        return false;
    int y = 0, m = 0, d = 0;
    if (count == 2) {
        // Day and month in the pattern's order, this year.
        const QString dm = QString(order).remove(QLatin1Char('y'));
        d = dm[0] == QLatin1Char('d') ? nums[0] : nums[1];
        m = dm[0] == QLatin1Char('d') ? nums[1] : nums[0];
        y = QDate::currentDate().year();
    } else {
        for (int k = 0; k < 3; ++k) {
            switch (order[k].toLatin1()) {
            case 'd': d = nums[k]; break;
            case 'm': m = nums[k]; break;
            default:
                y = nums[k];
                if (digits[k] <= 2) {
                    const int current = QDate::currentDate().year();
                    const int pivot = current - fs.TwoDigitYearCenturyWindow;
                    y += pivot / 100 * 100;
                    if (fs.TwoDigitYearCenturyWindow > 0 && y < pivot)
                        y += 100;
                }
            }
        }
    }
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    return TryEncodeDate(Word(y), Word(m), Word(d), value);
}

bool ReadTime(const QString& s, qsizetype& i, TDateTime& value)
{
    const TFormatSettings& fs = FormatSettings();
    int parts[3] = {0, 0, 0};
    int msec = 0;
    int count = 0;
    SkipBlanks(s, i);
    while (count < 3) {
        if (!ReadUInt(s, i, parts[count]))
            return false;
        ++count;
        if (i < s.size() && s[i] == fs.TimeSeparator && count < 3) {
            ++i;
            continue;
        }
        break;
    }
    if (count < 2)
        return false;
    if (count == 3 && i < s.size() && s[i] == fs.DecimalSeparator) {
        ++i;
        int digits = 0;
        if (!ReadUInt(s, i, msec, &digits) || digits > 3)
            return false;
        for (int k = digits; k < 3; ++k)
            msec *= 10;
    }
    SkipBlanks(s, i);
    int hour = parts[0];
    const QString rest = s.mid(i);
    auto marker = [&](const QString& text, const char* fallback) {
        for (const QString& t : {text, QString::fromLatin1(fallback)})
            if (!t.isEmpty() && rest.startsWith(t, Qt::CaseInsensitive)) {
                i += t.size();
                return true;
            }
        return false;
    };
    if (marker(fs.TimeAMString, "AM")) {
        if (hour < 1 || hour > 12)
            return false;
        hour %= 12;
    } else if (marker(fs.TimePMString, "PM")) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + 12;
    }
    return TryEncodeTime(Word(std::min(hour, 65535)), Word(std::min(parts[1], 65535)), Word(std::min(parts[2], 65535)), Word(msec), value);
}

bool AtEnd(const QString& s, qsizetype i)
{
    SkipBlanks(s, i);
    return i >= s.size();
}

} // namespace

TDateTime Now() { return FromQDateTime(QDateTime::currentDateTime()); }
TDateTime Date() { return std::trunc(Now()); }
TDateTime Time()
{
    const TDateTime n = Now();
    return n - std::trunc(n);
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Result)
{
    if (Year < 1 || Year > 9999 || !QDate::isValid(Year, Month, Day))
        return false;
    Result = double(QDate(Year, Month, Day).toJulianDay() - BaseJulianDay());
    return true;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Result)
{
    if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000)
        return false;
    Result = (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / double(kMSecsPerDay);
    return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day)
{
    TDateTime r;
    if (!TryEncodeDate(Year, Month, Day, r))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return r;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec)
{
    TDateTime r;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, r))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return r;
}

void DecodeDate(TDateTime DateTime, Word& Year, Word& Month, Word& Day)
{
    const QDate d = DateOf(DateTime);
    if (!d.isValid() || d.year() < 1) {
        Year = Month = Day = 0;
        return;
    }
    Year = Word(d.year());
    Month = Word(d.month());
    Day = Word(d.day());
}

void DecodeTime(TDateTime DateTime, Word& Hour, Word& Min, Word& Sec, Word& MSec)
{
    Int64 days, ms;
    SplitDateTime(DateTime, days, ms);
    Hour = Word(ms / 3600000);
    Min = Word(ms / 60000 % 60);
    Sec = Word(ms / 1000 % 60);
    MSec = Word(ms % 1000);
}

Integer DayOfWeek(TDateTime DateTime)
{
    return DateOf(DateTime).dayOfWeek() % 7 + 1;
}

QString FormatDateTime(const QString& Fmt, TDateTime DateTime)
{
    QString out;
    FormatInto(out, Fmt.isEmpty() ? QStringLiteral("c") : Fmt, DateTime, 0);
    return out;
}

QString DateToStr(TDateTime DateTime) { return FormatDateTime(FormatSettings().ShortDateFormat, DateTime); }
QString TimeToStr(TDateTime DateTime) { return FormatDateTime(FormatSettings().LongTimeFormat, DateTime); }
QString DateTimeToStr(TDateTime DateTime) { return FormatDateTime(QStringLiteral("c"), DateTime); }

bool TryStrToDate(const QString& S, TDateTime& Value)
{
    qsizetype i = 0;
    TDateTime v;
    if (!ReadDate(S, i, v) || !AtEnd(S, i))
        return false;
    Value = v;
    return true;
}

bool TryStrToTime(const QString& S, TDateTime& Value)
{
    qsizetype i = 0;
    TDateTime v;
    if (!ReadTime(S, i, v) || !AtEnd(S, i))
        return false;
    Value = v;
    return true;
}

bool TryStrToDateTime(const QString& S, TDateTime& Value)
{
    qsizetype i = 0;
    TDateTime d = 0, t = 0;
    if (ReadDate(S, i, d)) {
        if (AtEnd(S, i)) {
            Value = d;
            return true;
        }
        if (!ReadTime(S, i, t) || !AtEnd(S, i))
            return false;
        Value = d + t;
        return true;
    }
    return TryStrToTime(S, Value);
}

namespace {
TDateTime OrThrow(bool ok, TDateTime v, const QString& s, const char* what)
{
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(s, QString::fromLatin1(what)));
    return v;
}
} // namespace

TDateTime StrToDate(const QString& S)
{
    TDateTime v = 0;
    const bool ok = TryStrToDate(S, v);
    return OrThrow(ok, v, S, "date");
}

TDateTime StrToTime(const QString& S)
{
    TDateTime v = 0;
    const bool ok = TryStrToTime(S, v);
    return OrThrow(ok, v, S, "time");
}

TDateTime StrToDateTime(const QString& S)
{
    TDateTime v = 0;
    const bool ok = TryStrToDateTime(S, v);
    return OrThrow(ok, v, S, "date and time");
}

// ---------------------------------------------------------------------------
// Bytes of text files

namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned ones map to the C1
// control of the same value, as the system's converter does.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int AnsiByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int k = 0; k < 32; ++k)
        if (kCp1252High[k] == c)
            return 0x80 + k;
    return -1;
}

} // namespace

QString DecodeText(const QByteArray& Bytes, TTextEncoding* Found)
{
    auto report = [&](TTextEncoding e) {
        if (Found)
            *Found = e;
    };
    if (Bytes.startsWith("\xEF\xBB\xBF")) {
        report(TTextEncoding::UTF8);
        return QString::fromUtf8(Bytes.constData() + 3, Bytes.size() - 3);
    }
    if (Bytes.startsWith("\xFF\xFE") || Bytes.startsWith("\xFE\xFF")) {
        const bool le = Bytes[0] == '\xFF';
        report(le ? TTextEncoding::UTF16LE : TTextEncoding::UTF16BE);
        QStringDecoder dec(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        // An odd last byte is no character and is dropped.
        const qsizetype len = (Bytes.size() - 2) / 2 * 2;
        return dec(QByteArrayView(Bytes.constData() + 2, len));
    }
    report(TTextEncoding::ANSI);
    QString r(Bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < Bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(Bytes[i]);
        r[i] = QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return r;
}

QByteArray EncodeText(const QString& S, TTextEncoding Encoding, bool WithBOM)
{
    QByteArray out;
    switch (Encoding) {
    case TTextEncoding::ANSI:
        out.reserve(S.size());
        for (QChar c : S) {
            const int b = AnsiByte(c.unicode());
            out += char(b < 0 ? '?' : b);
        }
        return out;
    case TTextEncoding::UTF8:
        if (WithBOM)
            out = QByteArray("\xEF\xBB\xBF");
        return out + S.toUtf8();
    case TTextEncoding::UTF16LE:
    case TTextEncoding::UTF16BE: {
        const bool le = Encoding == TTextEncoding::UTF16LE;
        if (WithBOM)
            out = le ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        out.reserve(out.size() + S.size() * 2);
        for (QChar c : S) {
            const char16_t u = c.unicode();
            const char lo = char(u & 0xFF), hi = char(u >> 8);
            out += le ? lo : hi;
            out += le ? hi : lo;
        }
        return out;
    }
    }
    return out;
}

bool FitsAnsi(const QString& S)
{
    for (QChar c : S)
        if (AnsiByte(c.unicode()) < 0)
            return false;
    return true;
}
