// Text and string routines on cell texts.
#include "ExUtil.h"

#include "platform/Locale.h"
#include "platform/StringList.h"

#include <array>
#include <limits>

namespace {

const QChar CR(13);
const QChar LF(10);

// Code page 850, bytes 0x80..0xFF.
constexpr std::array<char16_t, 128> Oem850 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

// The Windows-1252 character of each byte.
const std::array<QChar, 256>& AnsiChars()
{
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> t;
        for (int b = 0; b < 256; ++b) {
            const QString s = DecodeText(QByteArray(1, char(b)));
            t[std::size_t(b)] = s.isEmpty() ? QChar(b) : s.at(0);
        }
        return t;
    }();
    return table;
}

QString ReplaceChar(const QString& Text, QChar From, const QString& To)
{
    QString r;
    r.reserve(Text.size());
    for (QChar c : Text) {
        if (c == From)
            r += To;
        else
            r += c;
    }
    return r;
}

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The integers of a date text split at its separator: first, second, third.
bool SplitDate(const QString& Text, Integer& A, Integer& B, Integer& C)
{
    QChar sep;
    for (QChar s : {QLatin1Char('/'), QLatin1Char('.'), QLatin1Char('-')})
        if (Text.contains(s)) {
            sep = s;
            break;
        }
    if (sep.isNull())
        return false;
    const qsizetype p1 = Text.indexOf(sep);
    const qsizetype p2 = Text.indexOf(sep, p1 + 1);
    if (p2 < 0)
        return false;
    return TextToInteger(Text.left(p1), A) && TextToInteger(Text.mid(p1 + 1, p2 - p1 - 1), B)
           && TextToInteger(Text.mid(p2 + 1), C);
}

TDateTime EncodeParsedDate(Integer Year, Integer Month, Integer Day)
{
    // Two-digit years: 0..25 in this century, the rest in the last; longer
    // years stand as written.
    if (Year >= 0 && Year < 100)
        Year += Year <= 25 ? 2000 : 1900;
    if (Year < 1 || Year > 9999 || Month < 0 || Month > 0xFFFF || Day < 0 || Day > 0xFFFF)
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return EncodeDate(Word(Year), Word(Month), Word(Day));
}

} // namespace

// ----------------------------------------------------------- locale, chars

QChar LocaleTimeSeparator() { return FormatSettings().TimeSeparator; }
QChar LocaleDateSeparator() { return FormatSettings().DateSeparator; }
QChar LocaleThousandSeparator() { return FormatSettings().ThousandSeparator; }
QChar LocaleDecimalSeparator() { return FormatSettings().DecimalSeparator; }
QString LocaleShortDateFormat() { return FormatSettings().ShortDateFormat; }

bool IsNumericChar(QChar Ch)
{
    if (Ch.unicode() < 128)
        return IsAsciiDigit(Ch);
    return Ch.isNumber();
}

bool IsDigitOrMinus(QChar Ch)
{
    return IsNumericChar(Ch) || Ch == QLatin1Char('-');
}

bool IsNumberStartChar(QChar Ch)
{
    return IsNumericChar(Ch) || Ch == LocaleThousandSeparator() || Ch == LocaleDecimalSeparator()
           || Ch == QLatin1Char('e') || Ch == QLatin1Char('E');
}

bool IsNumberBodyChar(QChar Ch)
{
    return IsNumericChar(Ch) || Ch == QLatin1Char('-') || Ch == QLatin1Char('.') || Ch == QLatin1Char('e')
           || Ch == QLatin1Char('E') || Ch == QLatin1Char('+');
}

bool IsExponentFormChar(QChar Ch)
{
    return IsNumberStartChar(Ch) || Ch == QLatin1Char('+') || Ch == QLatin1Char('-');
}

bool IsWordBreakChar(QChar Ch)
{
    return Ch == QLatin1Char(' ') || Ch == QLatin1Char('\'') || Ch == QLatin1Char(',') || Ch == QLatin1Char('-')
           || Ch == QLatin1Char('.');
}

// ------------------------------------------------------------- small ones

Integer Max(Integer A, Integer B) { return A > B ? A : B; }
Integer Min(Integer A, Integer B) { return A < B ? A : B; }

Integer LimitAutoSize(Integer Value, Integer MinSize, Integer MaxSize)
{
    if (MinSize == MaxSize)
        return Value;
    if (MaxSize > 0 && Value > MaxSize)
        return MaxSize;
    if (MinSize > 0 && Value < MinSize)
        return MinSize;
    return Value;
}

Integer PosIgnoreCase(const QString& SubText, const QString& Text)
{
    return Pos(SubText, AnsiUpperCase(Text));
}

Integer CharPos(QChar Ch, const QString& Text, Integer& Position)
{
    const Integer p = CharPosFirst(Ch, Text);
    if (p > 0)
        Position = p;
    return p;
}

Integer CharPosFirst(QChar Ch, const QString& Text)
{
    return Integer(Text.indexOf(Ch) + 1);
}

Integer VarPos(const QString& SubText, const QString& Text, Integer& Position)
{
    Position = Pos(SubText, Text);
    return Position;
}

Integer WidePos(const QString& SubText, const QString& Text)
{
    return Pos(SubText, Text);
}

Integer CountChar(QChar Ch, const QString& Text)
{
    return Integer(Text.count(Ch));
}

QChar FirstOfOutsideQuotes(const QString& Chars, const QString& Text, Integer& Position)
{
    Integer quotes = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (c == QLatin1Char('"'))
            ++quotes;
        if (Chars.contains(c) && quotes % 2 == 0) {
            Position = Integer(i + 1);
            return c;
        }
    }
    Position = -1;
    return QChar(0);
}

Integer FindClosingQuote(QChar Q, const QString& Text, Integer& Position)
{
    Integer run = 0;
    const Integer len = Integer(Text.size());
    for (Integer i = 1; i <= len; ++i) {
        if (Text.at(i - 1) == Q) {
            if (i == len) {
                Position = i;
                return i;
            }
            ++run;
        } else if (run % 2 == 1) {
            Position = i - 1;
            return i - 1;
        } else {
            run = 0;
        }
    }
    Position = 0;
    return 0;
}

Integer CountClosingQuotes(QChar Q, const QString& Text)
{
    QString rest = Text;
    Integer count = 0;
    Integer p = 0;
    while (FindClosingQuote(Q, rest, p) > 0) {
        ++count;
        rest = rest.mid(p);
    }
    return count;
}

QString SplitOff(QString& Text, const QString& Delimiter)
{
    const qsizetype p = Delimiter.isEmpty() ? -1 : Text.indexOf(Delimiter);
    if (p < 0)
        return {};
    const QString head = Text.left(p);
    Text.remove(0, p + Delimiter.size());
    return head;
}

QString ConcatStrings(const TStrings* Strings)
{
    QString r;
    if (Strings)
        for (Integer i = 0; i < Strings->Count(); ++i)
            r += Strings->Strings(i);
    return r;
}

void FillWithChar(QString& Text, QChar Ch)
{
    Text.fill(Ch);
}

// ------------------------------------------------------------ line breaks

QString LineBreaksToHTML(const QString& Text)
{
    return Text.contains(CR) ? ReplaceChar(Text, CR, QStringLiteral("<br>")) : Text;
}

QString BackslashNToCR(const QString& Text)
{
    // Most texts have no line break: they are handed back shared, uncopied.
    if (!Text.contains(QLatin1Char('\\')))
        return Text;
    QString r = Text;
    r.replace(QLatin1String("\\n"), QString(CR));
    return r;
}

QString CRToBackslashN(const QString& Text)
{
    QString r = ReplaceChar(Text, CR, QStringLiteral("\\n"));
    r.remove(LF);
    return r;
}

void QuoteCSVLines(QString& Text)
{
    Text.replace(QLatin1String("\r\n"), QString(QChar(11)));
    Text = QLatin1Char('"') + Text + QLatin1Char('"');
}

void CRLFToLF(QString& Text)
{
    Text.replace(QLatin1String("\r\n"), QString(LF));
}

void VTabToCRLF(QString& Text)
{
    if (Text.contains(QChar(11)))
        Text = ReplaceChar(Text, QChar(11), QStringLiteral("\r\n"));
}

void LinesToTilde(QString& Text)
{
    Text = ReplaceChar(Text, CR, QStringLiteral("~"));
    Text.remove(LF);
}

void TildeToLines(QString& Text)
{
    Text = ReplaceChar(Text, QLatin1Char('~'), QStringLiteral("\r\n"));
    if (Text == QLatin1String("^"))
        Text.clear();
}

QString EncodeLineBreaks(const QString& Text)
{
    if (!Text.contains(CR))
        return Text;
    QString r = Text;
    for (QChar& c : r) {
        if (c == CR)
            c = QChar(9);
        else if (c == LF)
            c = QChar(8);
        else if (c == QChar(0))
            c = QChar(1);
    }
    return r;
}

QString DecodeLineBreaks(const QString& Text, bool MultiLine)
{
    QString r = Text;
    if (r.contains(QChar(8)))
        for (QChar& c : r) {
            if (c == QChar(9))
                c = CR;
            else if (c == QChar(8))
                c = LF;
            else if (c == QChar(1))
                c = QChar(0);
        }
    if (MultiLine)
        return r;
    return ExtractLine(r, false);
}

QString ExtractLine(QString& Text, bool KeepRest)
{
    const qsizetype p = Text.indexOf(CR);
    if (p < 0) {
        const QString whole = Text;
        Text.clear();
        return whole;
    }
    const QString line = Text.left(p);
    qsizetype cut = p + 1;
    if (cut < Text.size() && Text.at(cut) == LF)
        ++cut;
    if (KeepRest)
        Text.remove(0, cut);
    else
        Text.clear();
    return line;
}

Integer LineCount(const QString& Text, bool MultiLine)
{
    return MultiLine ? Integer(Text.count(CR)) + 1 : 1;
}

QString RemoveCR(const QString& Text)
{
    QString r = Text;
    r.remove(CR);
    return r;
}

QString CRToLF(const QString& Text)
{
    QString r = Text;
    r.replace(CR, LF);
    return r;
}

QString DoubleQuoteChars(const QString& Text)
{
    QString r = Text;
    r.replace(QLatin1String("\""), QLatin1String("\"\""));
    return r;
}

QString UndoubleChar(QChar Ch, const QString& Text)
{
    if (!Text.contains(Ch))
        return Text;
    QString r = Text;
    r.replace(QString(2, Ch), QString(Ch));
    return r;
}

void StringToOem(QString& Text)
{
    const auto& ansi = AnsiChars();
    QString r;
    r.reserve(Text.size());
    for (QChar c : Text) {
        int b = c.unicode() < 128 ? c.unicode() : -1;
        for (int i = 0; b < 0 && i < 128; ++i)
            if (Oem850[std::size_t(i)] == c.unicode())
                b = 128 + i;
        r += ansi[std::size_t(b < 0 ? '?' : b)];
    }
    Text = r;
}

void OemToString(QString& Text)
{
    const QByteArray bytes = EncodeText(Text, TTextEncoding::ANSI, false);
    QString r;
    r.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        r += b < 128 ? QChar(b) : QChar(Oem850[b - 128u]);
    }
    Text = r;
}

// ------------------------------------------------------- cell text kinds

QString EncodeWideCellText(const QString& WideText)
{
    QString r = QStringLiteral("|\\");
    r.reserve(2 + WideText.size() * 2);
    for (QChar c : WideText) {
        r += QChar(c.unicode() >> 8);
        r += QChar(c.unicode() & 0xFF);
    }
    return r;
}

QString DecodeWideCellText(const QString& Text)
{
    if (!Text.startsWith(QLatin1String("|\\")))
        return Text;
    QString r;
    for (qsizetype i = 2; i + 1 < Text.size(); i += 2)
        r += QChar(char16_t((Text.at(i + 1).unicode() & 0xFF) + 256 * (Text.at(i).unicode() & 0xFF)));
    return r;
}

Integer GetTextKind(const QString& Text, bool AllowHTML)
{
    const QString t = Text + QLatin1Char(' ');
    if (t.size() < 2)
        return 0;
    if (t.at(0) == QLatin1Char('='))
        return 3;
    if (t.startsWith(QLatin1String("|\\")))
        // A stored formula is a wide text whose first character is "=".
        return DecodeWideCellText(Text).startsWith(QLatin1Char('=')) ? 3 : 5;
    if (t.startsWith(QLatin1String("{\\")))
        return 2;
    if (AllowHTML
        && (t.contains(QLatin1String("</")) || t.contains(QLatin1String("<B")) || t.contains(QLatin1String("<I"))
            || t.contains(QLatin1String("<C"))))
        return 1;
    return 0;
}

Integer NumericTextKind(const QString& Text)
{
    if (Text.isEmpty())
        return 2;
    const QChar thousand = LocaleThousandSeparator();
    const QChar decimal = LocaleDecimalSeparator();
    bool integer = true, dec = true, expSeen = false, expForm = true;
    Integer minus = 0, decimals = 0, exps = 0;
    qsizetype lastThousand = -1;
    const qsizetype n = Text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = Text.at(i);
        const bool digit = IsNumericChar(c);
        const bool isMinus = c == QLatin1Char('-');
        const bool isExp = c == QLatin1Char('e') || c == QLatin1Char('E');
        if (isMinus)
            ++minus;
        if (c == decimal)
            ++decimals;
        if (isExp) {
            expSeen = true;
            ++exps;
        }
        if (!digit && !(isMinus && i == 0))
            integer = false;
        if (isMinus && i != 0)
            dec = false;
        else if (!digit && !isMinus) {
            if (c == thousand) {
                if (lastThousand >= 0 && i - lastThousand <= 3)
                    dec = false;
                lastThousand = i;
            } else if (c != decimal) {
                dec = false;
            }
        }
        if (!(digit || c == decimal || isExp || c == QLatin1Char('+') || isMinus))
            expForm = false;
    }
    const QChar first = Text.at(0), last = Text.at(n - 1);
    if (first == QLatin1Char('e') || first == QLatin1Char('E'))
        expForm = false;
    if (last == QLatin1Char('+') || last == QLatin1Char('-') || last == QLatin1Char('e') || last == QLatin1Char('E'))
        expForm = false;
    if (exps > 1)
        expForm = false;

    if (integer)
        return 0;
    Integer kind = dec && !expSeen ? 1 : 2;
    if (expForm && expSeen)
        kind = 5;
    if ((minus > 1 && kind != 5) || decimals > 1)
        kind = 2;
    return kind;
}

bool IsDateText(const QString& Text)
{
    const QChar sep = LocaleDateSeparator();
    const qsizetype p = Text.indexOf(sep);
    if (p < 1)
        return false;
    return Text.indexOf(sep, p + 2) >= 0;
}

// ------------------------------------------------- numbers, dates, names

QString ExtractNumber(const QString& Text)
{
    QString s = Text.trimmed();
    if (s.isEmpty())
        return {};
    bool negative = s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'));
    while (s.size() >= 2 && !IsNumberStartChar(s.at(0))) {
        if (s.at(0) == QLatin1Char('-'))
            negative = true;
        s.remove(0, 1);
    }
    const QChar thousand = LocaleThousandSeparator();
    const QChar decimal = LocaleDecimalSeparator();
    QString r;
    for (QChar c : s) {
        if (c == thousand)
            continue;
        if (c == decimal)
            r += QLatin1Char('.');
        else if (IsNumberBodyChar(c))
            r += c;
        else
            break;
    }
    return negative ? QLatin1Char('-') + r : r;
}

TDateTime ParseDateMDY(const QString& Text)
{
    Integer m = 0, d = 0, y = 0;
    if (!SplitDate(Text, m, d, y))
        return 0;
    return EncodeParsedDate(y, m, d);
}

TDateTime ParseDateDMY(const QString& Text)
{
    Integer d = 0, m = 0, y = 0;
    if (!SplitDate(Text, d, m, y))
        return 0;
    return EncodeParsedDate(y, m, d);
}

TDateTime IncDateStep(Word Years, Word Months, Word Days, TDateTime Date, TDateTime Step)
{
    const int set = (Years != 0) + (Months != 0) + (Days != 0);
    if (set != 1)
        return Date + Step;
    if (Days != 0)
        return Date + Days;
    Word y = 0, m = 0, d = 0;
    DecodeDate(Date, y, m, d);
    const TDateTime time = Date - std::floor(Date);
    if (Years != 0)
        return EncodeDate(Word(y + Years), m, d) + time;
    Integer month = m + Months;
    Integer year = y;
    if (month == 0) {
        month = 12;
        --year;
    } else if (month > 12) {
        month -= 12;
        ++year;
    }
    return EncodeDate(Word(year), Word(month), d) + time;
}

QString ToMixedCase(const QString& Text)
{
    QString s = Text;
    const Integer len = Integer(s.size());
    bool start = true;
    for (Integer i = 1; i <= len; ++i) {
        QChar& c = s[i - 1];
        if (IsWordBreakChar(c)) {
            start = true;
        } else if (start) {
            c = c.toUpper();
            start = false;
        } else {
            c = c.toLower();
        }
        if (i == 2 && s.left(2) == QLatin1String("Mc"))
            start = true;
        if (i > 2 && Pos(QStringLiteral(" Mc"), s) == i - 2)
            start = true;
        if (i >= len - 2
            && (Copy(s, i - 1, 2) == QLatin1String(" I") || Copy(s, i - 2, 3) == QLatin1String(" II")))
            start = true;
    }
    return s;
}

bool TextToInteger(const QString& Text, Integer& Value)
{
    const QString t = Text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))) {
        negative = t.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i >= t.size())
        return false;
    Int64 v = 0;
    for (; i < t.size(); ++i) {
        if (!IsAsciiDigit(t.at(i)))
            return false;
        v = v * 10 + (t.at(i).unicode() - '0');
        if (v > Int64(std::numeric_limits<Integer>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<Integer>::max() || v < std::numeric_limits<Integer>::min())
        return false;
    Value = Integer(v);
    return true;
}

// --------------------------------------------------- URLs and clipboard

bool IsURL(const QString& Text)
{
    return Text.contains(QLatin1String("://")) || Text.contains(QLatin1String("mailto:"));
}

void StripURLProtocol(QString& Text)
{
    qsizetype p = Text.indexOf(QLatin1String("://"));
    if (p >= 0) {
        Text.remove(0, p + 3);
        return;
    }
    p = Text.indexOf(QLatin1String("mailto:"));
    if (p >= 0)
        Text.remove(0, p + 7);
}

bool ParseRCReference(const QString& Text, Integer& Col, Integer& Row)
{
    const QString t = Text.toUpper();
    if (t.size() < 4 || t.at(0) != QLatin1Char('R'))
        return false;
    const qsizetype c = t.indexOf(QLatin1Char('C'), 1);
    if (c < 0)
        return false;
    Integer row = 0, col = 0;
    if (!TextToInteger(t.mid(1, c - 1), row) || !TextToInteger(t.mid(c + 1), col))
        return false;
    Row = row;
    Col = col;
    return true;
}

bool LinkURLInText(const QString& Text, const QString& Prefix, QString& Dest)
{
    if (Prefix.isEmpty() || !AnsiUpperCase(Text).contains(Prefix))
        return false;
    QString t = Text;
    t.replace(QLatin1String("<"), QLatin1String("&lt;"));
    t.replace(QLatin1String(">"), QLatin1String("&gt;"));
    const qsizetype p = AnsiUpperCase(t).indexOf(Prefix);
    if (p < 0)
        return false;
    static const QString urlChars = QStringLiteral("%()-./:@\\_{}");
    qsizetype e = p;
    while (e < t.size()) {
        const QChar c = t.at(e);
        const bool ok = (c.unicode() < 128 && c.isLetterOrNumber()) || urlChars.contains(c);
        if (!ok)
            break;
        ++e;
    }
    const QString url = t.mid(p, e - p);
    Dest = t.left(p) + QStringLiteral("<a href=\"") + url + QStringLiteral("\">") + url + QStringLiteral("</a>")
           + t.mid(e);
    return true;
}

void WrapClipboardHTML(QString& Fragment)
{
    const Integer len = Integer(Fragment.size());
    auto num = [](const char* label, Integer v) { return Format(QStringLiteral("%s%.8d"), {label, v}); };
    Fragment = QStringLiteral("Version:1.0\r\n") + num("StartHTML:", 97) + QStringLiteral("\r\n")
               + num("EndHTML:", len + 306) + QStringLiteral("\r\n") + num("StartFragment:", 274)
               + QStringLiteral("\r\n") + num("EndFragment:", len + 274) + QStringLiteral("\r\n")
               + QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">")
               + QStringLiteral("<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\">"
                                "</head><body><!--StartFragment-->")
               + Fragment + QStringLiteral("<!--EndFragment--></body></html>");
}
