// The RTF reader and writer of the rich edit (see RichTextRtf.h).

#include "platform/RichTextRtf.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

int RtfCharOffset(const QTextCharFormat& Format)
{
    return Format.intProperty(RtfCharOffsetProperty);
}

void SetRtfCharOffset(QTextCharFormat& Format, int Twips)
{
    if (Twips == 0) {
        Format.clearProperty(RtfCharOffsetProperty);
        Format.setVerticalAlignment(QTextCharFormat::AlignNormal);
        return;
    }
    Format.setProperty(RtfCharOffsetProperty, Twips);
    Format.setVerticalAlignment(Twips > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
}

bool IsRtfText(const QString& Text)
{
    qsizetype i = 0;
    while (i < Text.size() && Text[i].isSpace())
        ++i;
    return Text.mid(i, 5) == QLatin1String("{\\rtf");
}

namespace {

// Windows-1252 between 0x80 and 0x9F; the rest of the byte range is Latin-1.
QChar Cp1252(int Byte)
{
    static const char16_t high[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    if (Byte >= 0x80 && Byte < 0xA0)
        return QChar(high[Byte - 0x80]);
    return QChar(char16_t(Byte & 0xFF));
}

int HexValue(QChar C)
{
    const char16_t c = C.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool IsAsciiLetter(QChar C)
{
    const char16_t c = C.unicode();
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

struct TCharState {
    int Font = -1;  // -1: the default font (\deff)
    int HalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    int Color = 0;  // 0: automatic
    int Offset = 0; // twips
    bool operator==(const TCharState&) const = default;
};

enum TDest { dText, dFontTable, dColorTable, dSkip };

struct TGroupState {
    TCharState Chars;
    TDest Dest = dText;
    int UcSkip = 1;
    // Text was read in this group.
    bool HadText = false;
};

// Groups nested deeper than this keep the state of the deepest one kept
// (the braces still balance), so that the state stack stays small.
constexpr int MaxDepth = 1000;

class TRtfReader {
public:
    TRtfReader(const QString& Source, QTextDocument& Doc) : S(Source), Doc(Doc), Cursor(&Doc) {}

    void Read()
    {
        const qsizetype n = S.size();
        while (Pos < n) {
            const QChar c = S[Pos];
            if (SkipChars > 0) {
                if (c == u'{' || c == u'}') {
                    SkipChars = 0;
                } else if (c == u'\\') {
                    if (Pos + 1 < n && S[Pos + 1] == u'\'') {
                        Pos = std::min(n, Pos + 4);
                        --SkipChars;
                        continue;
                    }
                    SkipChars = 0;
                } else {
                    ++Pos;
                    if (c != u'\r' && c != u'\n')
                        --SkipChars;
                    continue;
                }
            }
            if (c == u'{') {
                ++Pos;
                PushGroup();
            } else if (c == u'}') {
                ++Pos;
                PopGroup();
            } else if (c == u'\\') {
                ++Pos;
                Control();
            } else {
                ++Pos;
                if (c != u'\r' && c != u'\n')
                    Text(QString(c));
            }
        }
        Flush();
        SetBlockAlignment(Align);
    }

private:
    void PushGroup()
    {
        Ignorable = false;
        if (Stack.size() >= size_t(MaxDepth)) {
            ++Overflow;
            return;
        }
        Stack.push_back(Cur);
        Cur.HadText = false;
    }

    void PopGroup()
    {
        Ignorable = false;
        if (Overflow > 0) {
            --Overflow;
            return;
        }
        if (Stack.empty())
            return;
        if (Cur.Dest == dFontTable)
            EndFontEntry();
        // A group of formats without text on an empty paragraph is that
        // paragraph's format (what is typed there takes it).
        if (Cur.Dest == dText && !Cur.HadText && Pending.isEmpty() && Cursor.block().length() == 1)
            Cursor.setBlockCharFormat(Format(Cur.Chars));
        const bool hadText = Cur.HadText;
        Cur = Stack.back();
        Stack.pop_back();
        Cur.HadText = Cur.HadText || hadText;
    }

    // A number after a control word: optional minus and at most ten digits,
    // held within the int range.
    bool Number(int& Value)
    {
        const qsizetype n = S.size();
        bool negative = false;
        if (Pos < n && S[Pos] == u'-' && Pos + 1 < n && S[Pos + 1].isDigit() && S[Pos + 1].unicode() < 128) {
            negative = true;
            ++Pos;
        }
        long long v = 0;
        int digits = 0;
        while (Pos < n && S[Pos].unicode() >= u'0' && S[Pos].unicode() <= u'9') {
            if (digits < 10)
                v = v * 10 + (S[Pos].unicode() - u'0');
            ++digits;
            ++Pos;
        }
        if (digits == 0)
            return false;
        v = negative ? -v : v;
        Value = int(std::clamp<long long>(v, INT_MIN + 1, INT_MAX));
        return true;
    }

    void Control()
    {
        const qsizetype n = S.size();
        if (Pos >= n)
            return;
        const QChar c = S[Pos];
        if (!IsAsciiLetter(c)) {
            ++Pos;
            Symbol(c);
            return;
        }
        const qsizetype start = Pos;
        while (Pos < n && IsAsciiLetter(S[Pos]) && Pos - start < 32)
            ++Pos;
        const QString word = S.mid(start, Pos - start);
        int value = 0;
        const bool hasValue = Number(value);
        if (Pos < n && S[Pos] == u' ')
            ++Pos;
        Word(word, hasValue, value);
    }

    void Symbol(QChar C)
    {
        switch (C.unicode()) {
        case u'\\':
        case u'{':
        case u'}': Text(QString(C)); break;
        case u'~': Text(QString(QChar(0x00A0))); break;
        case u'_': Text(QString(QChar(0x2011))); break;
        case u'*': Ignorable = true; break;
        case u'\'': {
            const qsizetype n = S.size();
            const int hi = Pos < n ? HexValue(S[Pos]) : -1;
            const int lo = Pos + 1 < n ? HexValue(S[Pos + 1]) : -1;
            if (hi >= 0 && lo >= 0) {
                Pos += 2;
                Text(QString(Cp1252(hi * 16 + lo)));
            }
            break;
        }
        case u'\r':
        case u'\n': Paragraph(); break;
        default: break;
        }
    }

    bool SkippedDestination(const QString& W) const
    {
        static const char* const skipped[] = {
            "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf", "footer", "footerl",
            "footerr", "footerf", "footnote", "fldinst", "listtable", "listoverridetable", "rsidtbl", "generator",
            "themedata", "colorschememapping", "datastore", "latentstyles", "xmlnstbl", "mmathPr", "pgdsctbl",
            "filetbl", "revtbl", "bkmkstart", "bkmkend", "falt", "panose", "annotation", "atnid", "atnauthor",
            "comment", "template", "userprops", "nonshppict", "shp", "shpinst", "ftnsep", "ftnsepc", "aftnsep"};
        for (const char* s : skipped)
            if (W == QLatin1String(s))
                return true;
        return false;
    }

    void Word(const QString& W, bool HasValue, int Value)
    {
        if (W == QLatin1String("bin")) {
            // Binary data follows: its characters are never read as RTF.
            if (HasValue && Value > 0)
                Pos = std::min<qsizetype>(S.size(), Pos + Value);
            return;
        }
        const bool ignorable = Ignorable;
        Ignorable = false;
        if (Cur.Dest == dSkip)
            return;
        if (W == QLatin1String("fonttbl")) {
            Cur.Dest = dFontTable;
            return;
        }
        if (W == QLatin1String("colortbl")) {
            Cur.Dest = dColorTable;
            Red = Green = Blue = -1;
            return;
        }
        if (SkippedDestination(W) || (ignorable && W != QLatin1String("fldrslt"))) {
            Cur.Dest = dSkip;
            return;
        }
        if (Cur.Dest == dFontTable) {
            if (W == QLatin1String("f") && HasValue) {
                EndFontEntry();
                FontNum = Value;
            }
            return;
        }
        if (Cur.Dest == dColorTable) {
            const int v = std::clamp(Value, 0, 255);
            if (W == QLatin1String("red"))
                Red = v;
            else if (W == QLatin1String("green"))
                Green = v;
            else if (W == QLatin1String("blue"))
                Blue = v;
            return;
        }
        const bool on = !HasValue || Value != 0;
        TCharState& ch = Cur.Chars;
        if (W == QLatin1String("par")) {
            Paragraph();
        } else if (W == QLatin1String("line")) {
            Text(QString(QChar(0x2028)));
        } else if (W == QLatin1String("tab")) {
            Text(QStringLiteral("\t"));
        } else if (W == QLatin1String("b")) {
            ch.Bold = on;
        } else if (W == QLatin1String("i")) {
            ch.Italic = on;
        } else if (W == QLatin1String("ul")) {
            ch.Underline = on;
        } else if (W == QLatin1String("ulnone")) {
            ch.Underline = false;
        } else if (W == QLatin1String("strike")) {
            ch.Strike = on;
        } else if (W == QLatin1String("f")) {
            ch.Font = HasValue ? Value : -1;
        } else if (W == QLatin1String("fs")) {
            if (HasValue && Value > 0)
                ch.HalfPoints = std::min(Value, 3276);
        } else if (W == QLatin1String("cf")) {
            ch.Color = HasValue ? std::max(Value, 0) : 0;
        } else if (W == QLatin1String("up")) {
            ch.Offset = std::clamp(HasValue ? Value : 6, 0, 3276) * 10;
        } else if (W == QLatin1String("dn")) {
            ch.Offset = -std::clamp(HasValue ? Value : 6, 0, 3276) * 10;
        } else if (W == QLatin1String("super")) {
            ch.Offset = 40;
        } else if (W == QLatin1String("sub")) {
            ch.Offset = -40;
        } else if (W == QLatin1String("nosupersub")) {
            ch.Offset = 0;
        } else if (W == QLatin1String("plain")) {
            ch = TCharState{};
        } else if (W == QLatin1String("pard") || W == QLatin1String("ql")) {
            Align = Qt::AlignLeft;
        } else if (W == QLatin1String("qc")) {
            Align = Qt::AlignHCenter;
        } else if (W == QLatin1String("qr")) {
            Align = Qt::AlignRight;
        } else if (W == QLatin1String("qj")) {
            Align = Qt::AlignJustify;
        } else if (W == QLatin1String("deff")) {
            if (HasValue)
                DefaultFont = Value;
        } else if (W == QLatin1String("uc")) {
            if (HasValue)
                Cur.UcSkip = std::clamp(Value, 0, 10);
        } else if (W == QLatin1String("u")) {
            if (HasValue) {
                const int v = Value < 0 ? Value + 65536 : Value;
                if (v >= 0 && v <= 0xFFFF)
                    Text(QString(QChar(char16_t(v))));
                SkipChars = Cur.UcSkip;
            }
        } else if (W == QLatin1String("lquote")) {
            Text(QString(QChar(0x2018)));
        } else if (W == QLatin1String("rquote")) {
            Text(QString(QChar(0x2019)));
        } else if (W == QLatin1String("ldblquote")) {
            Text(QString(QChar(0x201C)));
        } else if (W == QLatin1String("rdblquote")) {
            Text(QString(QChar(0x201D)));
        } else if (W == QLatin1String("bullet")) {
            Text(QString(QChar(0x2022)));
        } else if (W == QLatin1String("endash")) {
            Text(QString(QChar(0x2013)));
        } else if (W == QLatin1String("emdash")) {
            Text(QString(QChar(0x2014)));
        } else if (W == QLatin1String("emspace") || W == QLatin1String("enspace")) {
            Text(QStringLiteral(" "));
        }
    }

    void Text(const QString& T)
    {
        switch (Cur.Dest) {
        case dText:
            Cur.HadText = true;
            if (!Pending.isEmpty() && !(PendingState == Cur.Chars))
                Flush();
            PendingState = Cur.Chars;
            Pending += T;
            break;
        case dFontTable:
            for (QChar c : T) {
                if (c == u';')
                    EndFontEntry();
                else
                    FontName += c;
            }
            break;
        case dColorTable:
            for (QChar c : T)
                if (c == u';') {
                    Colors.push_back(Red < 0 && Green < 0 && Blue < 0
                                         ? QColor()
                                         : QColor(std::max(Red, 0), std::max(Green, 0), std::max(Blue, 0)));
                    Red = Green = Blue = -1;
                }
            break;
        case dSkip: break;
        }
    }

    void EndFontEntry()
    {
        if (FontNum >= 0 && !FontName.trimmed().isEmpty())
            Fonts[FontNum] = FontName.trimmed();
        FontNum = -1;
        FontName.clear();
    }

    QTextCharFormat Format(const TCharState& St) const
    {
        QTextCharFormat f;
        const auto it = Fonts.find(St.Font < 0 ? DefaultFont : St.Font);
        if (it != Fonts.end())
            f.setFontFamilies(QStringList{it->second});
        f.setFontPointSize(St.HalfPoints / 2.0);
        f.setFontWeight(St.Bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(St.Italic);
        f.setFontUnderline(St.Underline);
        f.setFontStrikeOut(St.Strike);
        if (St.Color > 0 && size_t(St.Color) < Colors.size() && Colors[size_t(St.Color)].isValid())
            f.setForeground(Colors[size_t(St.Color)]);
        SetRtfCharOffset(f, St.Offset);
        return f;
    }

    void Flush()
    {
        if (Pending.isEmpty())
            return;
        Cursor.insertText(Pending, Format(PendingState));
        Pending.clear();
    }

    void SetBlockAlignment(Qt::Alignment Align)
    {
        QTextBlockFormat bf = Cursor.blockFormat();
        bf.setAlignment(Align);
        Cursor.setBlockFormat(bf);
    }

    void Paragraph()
    {
        if (Cur.Dest != dText)
            return;
        Flush();
        SetBlockAlignment(Align);
        Cursor.insertBlock(QTextBlockFormat(), Format(Cur.Chars));
    }

    const QString& S;
    QTextDocument& Doc;
    QTextCursor Cursor;
    qsizetype Pos = 0;
    TGroupState Cur;
    std::vector<TGroupState> Stack;
    // Paragraph alignment: kept until \pard or another alignment word.
    Qt::Alignment Align = Qt::AlignLeft;
    int Overflow = 0;
    bool Ignorable = false;
    int SkipChars = 0;
    std::map<int, QString> Fonts;
    int DefaultFont = 0;
    int FontNum = -1;
    QString FontName;
    std::vector<QColor> Colors;  // the table's entries, the automatic one (invalid) first
    int Red = -1, Green = -1, Blue = -1;
    QString Pending;
    TCharState PendingState;
};

// Escapes a text for RTF: 7-bit characters as they are, the rest as \uN.
QString Escaped(const QString& T)
{
    QString out;
    out.reserve(T.size());
    for (QChar ch : T) {
        const char16_t c = ch.unicode();
        switch (c) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'{': out += QLatin1String("\\{"); break;
        case u'}': out += QLatin1String("\\}"); break;
        case u'\t': out += QLatin1String("\\tab "); break;
        case 0x2028: out += QLatin1String("\\line "); break;
        case 0x00A0: out += QLatin1String("\\~"); break;
        default:
            if (c >= 0x20 && c < 0x7F)
                out += ch;
            else if (c >= 0x80 && c != QChar::ObjectReplacementCharacter)
                out += QStringLiteral("\\u%1?").arg(c > 32767 ? int(c) - 65536 : int(c));
            break;
        }
    }
    return out;
}

} // namespace

bool ReadRtf(const QString& Rtf, QTextDocument& Doc)
{
    Doc.clear();
    if (!IsRtfText(Rtf))
        return false;
    TRtfReader reader(Rtf, Doc);
    reader.Read();
    return true;
}

QString WriteRtf(const QTextDocument& Doc)
{
    const QFont def = Doc.defaultFont();
    const QString defFamily = def.family();
    const double defPoints = def.pointSizeF() > 0 ? def.pointSizeF() : def.pixelSize() * 72.0 / 96.0;
    QStringList fonts{defFamily};
    std::vector<QColor> colors;

    auto familyOf = [&](const QTextCharFormat& f) {
        const QStringList families = f.fontFamilies().toStringList();
        return families.isEmpty() || families.first().isEmpty() ? defFamily : families.first();
    };
    auto fontIndex = [&](const QString& family) {
        qsizetype i = fonts.indexOf(family);
        if (i < 0) {
            fonts.append(family);
            i = fonts.size() - 1;
        }
        return int(i);
    };
    auto colorIndex = [&](const QColor& c) {
        for (size_t i = 0; i < colors.size(); ++i)
            if (colors[i].rgb() == c.rgb())
                return int(i) + 1;
        colors.push_back(c);
        return int(colors.size());
    };
    auto words = [&](const QTextCharFormat& f) {
        QString w = QStringLiteral("\\f%1").arg(fontIndex(familyOf(f)));
        const double pt = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : defPoints;
        w += QStringLiteral("\\fs%1").arg(std::max(1, int(pt * 2 + 0.5)));
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
            w += QStringLiteral("\\cf%1").arg(colorIndex(f.foreground().color()));
        if (f.fontWeight() > QFont::Normal)
            w += QLatin1String("\\b");
        if (f.fontItalic())
            w += QLatin1String("\\i");
        if (f.fontUnderline())
            w += QLatin1String("\\ul");
        if (f.fontStrikeOut())
            w += QLatin1String("\\strike");
        const int offset = RtfCharOffset(f);
        if (offset > 0)
            w += QStringLiteral("\\up%1").arg((offset + 5) / 10);
        else if (offset < 0)
            w += QStringLiteral("\\dn%1").arg((-offset + 5) / 10);
        return w;
    };

    QString body;
    bool first = true;
    for (QTextBlock b = Doc.begin(); b.isValid(); b = b.next()) {
        if (!first)
            body += QLatin1String("\\par");
        first = false;
        const Qt::Alignment a = b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        body += QLatin1String("\\pard");
        if (a & Qt::AlignHCenter)
            body += QLatin1String("\\qc");
        else if (a & Qt::AlignRight)
            body += QLatin1String("\\qr");
        else if (a & Qt::AlignJustify)
            body += QLatin1String("\\qj");
        else
            body += QLatin1String("\\ql");
        bool any = false;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            body += QLatin1Char('{') + words(frag.charFormat()) + QLatin1Char(' ') + Escaped(frag.text())
                    + QLatin1Char('}');
            any = true;
        }
        if (!any)
            body += QLatin1Char('{') + words(b.charFormat()) + QLatin1Char('}');
    }

    QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl");
    for (qsizetype i = 0; i < fonts.size(); ++i)
        out += QStringLiteral("{\\f%1\\fnil %2;}").arg(i).arg(Escaped(fonts[i]));
    out += QLatin1Char('}');
    if (!colors.empty()) {
        out += QLatin1String("{\\colortbl ;");
        for (const QColor& c : colors)
            out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
        out += QLatin1Char('}');
    }
    out += body;
    out += QLatin1Char('}');
    return out;
}
