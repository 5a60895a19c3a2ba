#include "IniFile.h"

#include "FileSystem.h"
#include "StringList.h"
#include "Text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>

namespace {

// The file's lines and where its sections and keys are.
struct IniText {
    TStringList lines;

    explicit IniText(const QString& fileName)
    {
        if (FileExists(fileName))
            lines.LoadFromFile(fileName);
    }

    static bool IsHeader(const QString& line, QString* name = nullptr)
    {
        const QString t = Trim(line);
        if (!t.startsWith(QLatin1Char('[')))
            return false;
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        if (close < 0)
            return false;
        if (name)
            *name = Trim(t.mid(1, close - 1));
        return true;
    }

    // The key of a "key=value" line, empty for any other line.
    static QString KeyOf(const QString& line)
    {
        const QString t = TrimLeft(line);
        if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('[')))
            return QString();
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        return eq < 0 ? QString() : Trim(t.left(eq));
    }

    Integer SectionLine(const QString& section) const
    {
        QString name;
        for (Integer i = 0; i < lines.Count(); ++i)
            if (IsHeader(lines[i], &name) && AnsiSameText(name, section))
                return i;
        return -1;
    }

    // One past the section's last line.
    Integer SectionEnd(Integer header) const
    {
        Integer i = header + 1;
        while (i < lines.Count() && !IsHeader(lines[i]))
            ++i;
        return i;
    }

    Integer KeyLine(const QString& section, const QString& key) const
    {
        const Integer h = SectionLine(section);
        if (h < 0)
            return -1;
        const Integer end = SectionEnd(h);
        for (Integer i = h + 1; i < end; ++i) {
            const QString k = KeyOf(lines[i]);
            if (!k.isEmpty() && AnsiSameText(k, key))
                return i;
        }
        return -1;
    }

    static QString ValueOf(const QString& line)
    {
        QString v = Trim(line.mid(line.indexOf(QLatin1Char('=')) + 1));
        if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
            v = v.mid(1, v.size() - 2);
        return v;
    }
};

bool HasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

} // namespace

QString TIniFile::ReadString(const QString& Section, const QString& Ident, const QString& Default) const
{
    const IniText ini(fileName_);
    const Integer i = ini.KeyLine(Section, Ident);
    return i < 0 ? Default : IniText::ValueOf(ini.lines[i]);
}

Integer TIniFile::ReadInteger(const QString& Section, const QString& Ident, Integer Default) const
{
    const QString t = ReadString(Section, Ident, QString());
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    int base = 10;
    if (t.mid(i, 1) == QLatin1String("$")) {
        base = 16;
        i += 1;
    } else if (t.mid(i, 2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    }
    const QString digits = t.mid(i);
    const bool valid = !digits.isEmpty() && digits.size() <= (base == 16 ? 8 : 10)
        && std::all_of(digits.begin(), digits.end(), [&](QChar c) { return base == 16 ? isxdigit(c.unicode()) && c.unicode() < 128 : c.isDigit() && c.unicode() < 128; });
    if (!valid)
        return Default;
    qint64 v = digits.toLongLong(nullptr, base);
    if (base == 16)
        v = qint64(std::int32_t(std::uint32_t(v))); // up to FFFFFFFF, as a bit pattern
    v = negative ? -v : v;
    if (v < INT32_MIN || v > INT32_MAX)
        return Default;
    return Integer(v);
}

bool TIniFile::ReadBool(const QString& Section, const QString& Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

bool TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value)
{
    // A line break, a "=" in a key or a "]" in a section would change the
    // file's structure: such writes are refused.
    if (Trim(Section).isEmpty() || Trim(Ident).isEmpty() || HasLineBreak(Section) || HasLineBreak(Ident)
        || HasLineBreak(Value) || Ident.contains(QLatin1Char('=')) || Section.contains(QLatin1Char(']')))
        return false;
    IniText ini(fileName_);
    const Integer k = ini.KeyLine(Section, Ident);
    if (k >= 0) {
        ini.lines.SetStrings(k, IniText::KeyOf(ini.lines[k]) + QLatin1Char('=') + Value);
    } else {
        const Integer h = ini.SectionLine(Section);
        const QString line = Trim(Ident) + QLatin1Char('=') + Value;
        if (h < 0) {
            if (ini.lines.Count() > 0 && !Trim(ini.lines[ini.lines.Count() - 1]).isEmpty())
                ini.lines.Add(QString());
            ini.lines.Add(QLatin1Char('[') + Trim(Section) + QLatin1Char(']'));
            ini.lines.Add(line);
        } else {
            // After the section's last non-blank line.
            Integer at = ini.SectionEnd(h);
            while (at > h + 1 && Trim(ini.lines[at - 1]).isEmpty())
                --at;
            ini.lines.Insert(at, line);
        }
    }
    return ini.lines.SaveToFile(fileName_);
}

bool TIniFile::WriteInteger(const QString& Section, const QString& Ident, Integer Value)
{
    return WriteString(Section, Ident, IntToStr(Value));
}

bool TIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value)
{
    return WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::SectionExists(const QString& Section) const
{
    return IniText(fileName_).SectionLine(Section) >= 0;
}

bool TIniFile::ValueExists(const QString& Section, const QString& Ident) const
{
    return IniText(fileName_).KeyLine(Section, Ident) >= 0;
}

void TIniFile::ReadSections(TStrings* Strings) const
{
    const IniText ini(fileName_);
    Strings->BeginUpdate();
    Strings->Clear();
    QString name;
    for (Integer i = 0; i < ini.lines.Count(); ++i)
        if (IniText::IsHeader(ini.lines[i], &name))
            Strings->Add(name);
    Strings->EndUpdate();
}

namespace {
// Fills Strings with one line per key of the section, made by `line`.
void ListKeys(const QString& fileName, const QString& section, TStrings* strings,
              const std::function<QString(const QString& key, const QString& line)>& line)
{
    const IniText ini(fileName);
    strings->BeginUpdate();
    strings->Clear();
    const Integer h = ini.SectionLine(section);
    if (h >= 0)
        for (Integer i = h + 1; i < ini.SectionEnd(h); ++i)
            if (const QString k = IniText::KeyOf(ini.lines[i]); !k.isEmpty())
                strings->Add(line(k, ini.lines[i]));
    strings->EndUpdate();
}
} // namespace

void TIniFile::ReadSection(const QString& Section, TStrings* Strings) const
{
    ListKeys(fileName_, Section, Strings, [](const QString& key, const QString&) { return key; });
}

void TIniFile::ReadSectionValues(const QString& Section, TStrings* Strings) const
{
    ListKeys(fileName_, Section, Strings,
             [](const QString& key, const QString& line) { return key + QLatin1Char('=') + IniText::ValueOf(line); });
}

bool TIniFile::EraseSection(const QString& Section)
{
    IniText ini(fileName_);
    const Integer h = ini.SectionLine(Section);
    if (h < 0)
        return true;
    const Integer end = ini.SectionEnd(h);
    for (Integer i = end - 1; i >= h; --i)
        ini.lines.Delete(i);
    return ini.lines.SaveToFile(fileName_);
}

bool TIniFile::DeleteKey(const QString& Section, const QString& Ident)
{
    IniText ini(fileName_);
    const Integer k = ini.KeyLine(Section, Ident);
    if (k < 0)
        return true;
    ini.lines.Delete(k);
    return ini.lines.SaveToFile(fileName_);
}
