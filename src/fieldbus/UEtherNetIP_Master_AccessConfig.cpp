#include "fieldbus/UEtherNetIP_Master_AccessConfig.h"

#include <algorithm>

#include "fieldbus/UEtherNetIP_EDS.h"
#include "platform/Object.h"
#include "platform/Text.h"
#include "shell/TextChecks.h"

QString TTC_ParamObj::GetEnumString() const
{
    for (const TTC_EnumObj& e : ListEnum)
        if (e.Value == Value)
            return e.Description;
    return QString();
}

Int64 TTC_ParamObj::SetValueFromEnum(const QString& Text) const
{
    for (const TTC_EnumObj& e : ListEnum)
        if (e.Description == Text)
            return e.Value;
    return Default;
}

QStringList Split_Config_Fields(const QString& Text)
{
    QString text = Trim(Text);
    if (text.endsWith(u';'))
        text = Trim(text.chopped(1));
    QStringList items;
    if (text.isEmpty())
        return items;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (true) {
        bool quoted = false;
        if (i < n && text[i] == u'"') {
            QString value;
            for (++i; i < n; ++i) {
                if (text[i] != u'"') {
                    value += text[i];
                } else if (i + 1 < n && text[i + 1] == u'"') {
                    value += u'"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            items.append(value);
            quoted = true;
        }
        // Up to the next comma; after a quoted string only what stands there.
        const qsizetype comma = text.indexOf(u',', i);
        const QString rest = text.mid(i, comma < 0 ? -1 : comma - i);
        if (!quoted || !rest.isEmpty())
            items.append(rest);
        if (comma < 0)
            break;
        i = comma + 1;
        if (i == n) {
            items.append(QString());
            break;
        }
    }
    return items;
}

namespace {

// A line that opens the next section ends a section's search. (A bracket
// inside an entry, as in a name "Time [ms]", does not.)
bool Section_End(const QString& Line)
{
    return Line.startsWith(u'[') && Line.contains(u']');
}

// The lines of the section opened by the first line containing Header, up to
// the next section, as every search reads them.
QStringList Section(const QStringList& Lines, const QString& Header)
{
    QStringList section;
    bool inside = false;
    for (const QString& raw : Lines) {
        const QString line = EDS_Line(raw);
        if (!inside) {
            inside = line.contains(Header);
            continue;
        }
        if (Section_End(line))
            break;
        section.append(line);
    }
    return section;
}

// The line names Key: it holds Key right before a blank or "=", and an "=".
bool Names_Key(const QString& Line, const QString& Key)
{
    if (!Line.contains(u'='))
        return false;
    for (qsizetype at = Line.indexOf(Key); at >= 0; at = Line.indexOf(Key, at + 1)) {
        const qsizetype next = at + Key.size();
        if (next < Line.size() && (Line[next] == u' ' || Line[next] == u'='))
            return true;
        if (Key.isEmpty() && next >= Line.size())
            break;
    }
    return false;
}

// The text after a line's first "=", trimmed.
QString After_Equals(const QString& Line)
{
    return Trim(Line.mid(Line.indexOf(u'=') + 1));
}

// Closing rules of the entries: assemblies and named values end on a line
// holding ";", parameters on one whose first ";" is its last character.
bool Closes_List(const QString& Text)
{
    return Text.contains(u';');
}

bool Closes_Param(const QString& Text)
{
    const qsizetype semicolon = Text.indexOf(u';');
    return semicolon >= 0 && semicolon == Text.size() - 1;
}

// Collects one entry of a section, line by line: it starts on the first line
// that names its key and runs to the line that closes it.
class TEntry_Collector {
public:
    TEntry_Collector(const QString& Key, bool (*Closes)(const QString&)) : FKey(Key), FCloses(Closes) {}
    void Take(const QString& Line)
    {
        if (FState == Waiting) {
            if (!Names_Key(Line, FKey))
                return;
            FText = After_Equals(Line);
            FState = FCloses(FText) ? Done : Collecting;
        } else if (FState == Collecting) {
            FText += Line;
            if (FCloses(Line))
                FState = Done;
        }
    }
    bool Done_() const { return FState == Done; }
    const QString& Text() const { return FText; }

private:
    enum { Waiting, Collecting, Done } FState = Waiting;
    QString FKey;
    bool (*FCloses)(const QString&);
    QString FText;
};

// Without a final ";", trimmed.
QString Without_Semicolon(const QString& Text)
{
    const QString t = Trim(Text);
    return t.endsWith(u';') ? Trim(t.chopped(1)) : t;
}

void Find_In_Params(const QString& Reference, const QStringList& Params, QString& Param, QString& Enum)
{
    // Param12 has its named values under Enum12.
    TEntry_Collector param(Reference, Closes_Param);
    TEntry_Collector named(QStringLiteral("Enum") + Reference.mid(5), Closes_List);
    for (const QString& line : Params) {
        // A key given twice: the first entry counts.
        param.Take(line);
        named.Take(line);
        if (param.Done_() && named.Done_())
            break;
    }
    Param = param.Text();
    Enum = named.Text();
}

// The trimmed item as a 64-bit number; Current when the item is empty.
Int64 Number_Item(const QString& Item, Int64 Current)
{
    const QString t = Trim(Item);
    return t.isEmpty() ? Current : Text_To_Int64(t, 0);
}

} // namespace

QString TTargetConfig::Find_Assembly_Object(const QStringList& Lines, const QString& Format)
{
    TEntry_Collector assembly(Format, Closes_List);
    for (const QString& line : Section(Lines, QStringLiteral("[Assembly]"))) {
        assembly.Take(line);
        if (assembly.Done_())
            break;
    }
    return assembly.Text();
}

void TTargetConfig::find_Param_Enum_Object(const QString& Reference, const QStringList& Lines, QString& Param,
                                           QString& Enum)
{
    Find_In_Params(Reference, Section(Lines, QStringLiteral("[Params]")), Param, Enum);
}

void TTargetConfig::DecodeAssemblyObj(const QString& Entry, const QStringList& Lines)
{
    const QStringList items = Split_Config_Fields(Entry);
    if (items.size() <= 6)
        return;
    AO_Name = items[0];
    AO_SizeBit = items[2];
    const qsizetype pairs = (items.size() - 6) / 2;
    if (pairs > Max_Assembly_Members)
        throw EConvertError(QStringLiteral("The assembly %1 has more than %2 members").arg(Format).arg(Max_Assembly_Members)
                                );
    // The section is read once for all members.
    const QStringList params = Section(Lines, QStringLiteral("[Params]"));
    for (qsizetype k = 0; k < pairs; ++k) {
        TTC_ParamObj p;
        p.BitSize = items[6 + 2 * k];
        p.ParamName = items[7 + 2 * k];
        // A member named before takes that member's settings.
        const auto earlier = std::find_if(ListParamObject.begin(), ListParamObject.end(),
                                          [&](const TTC_ParamObj& o) { return o.ParamName == p.ParamName; });
        if (earlier != ListParamObject.end()) {
            TTC_ParamObj copy = *earlier;
            copy.BitSize = p.BitSize;
            ListParamObject.push_back(std::move(copy));
            continue;
        }
        QString entry, named;
        Find_In_Params(p.ParamName, params, entry, named);
        entry = Without_Semicolon(entry);
        named = Without_Semicolon(named);
        const QStringList fields = Split_Config_Fields(entry);
        if (entry.isEmpty())
            throw EConvertError(QStringLiteral("The parameter \"%1\" of the assembly %2 is missing from [Params] of %3")
                                    .arg(p.ParamName, Format, FileName)
                                    );
        if (fields.size() < 12)
            throw EConvertError(QStringLiteral("The parameter \"%1\" of %2 has %3 fields, not 12")
                                    .arg(p.ParamName, FileName)
                                    .arg(fields.size())
                                    );
        p.Name = fields[6];
        p.DataSizeByte = Integer(Number_Item(fields[5], p.DataSizeByte));
        p.DataType = Integer(Number_Item(fields[4], p.DataType));
        p.Min = Number_Item(fields[9], p.Min);
        p.Max = Number_Item(fields[10], p.Max);
        p.Default = Number_Item(fields[11], p.Default);
        p.Value = p.Default;
        p.Enum = !named.isEmpty();
        if (p.Enum) {
            const QStringList values = Split_Config_Fields(named);
            for (qsizetype v = 0; v + 1 < values.size(); v += 2) {
                const TTC_EnumObj e{Text_To_Int(Trim(values[v]), 0), Trim(values[v + 1])};
                p.ListEnum.push_back(e);
                p.EnumString.append(e.Description);
            }
        }
        ListParamObject.push_back(std::move(p));
    }
}

void TTargetConfig::DecodeTargetConf()
{
    QStringList lines;
    if (!Load_EDS_Lines(FileName, lines))
        return;
    DecodeAssemblyObj(Find_Assembly_Object(lines, Format), lines);
}

QString TTargetConfig::GetConfigStrData() const
{
    QStringList items;
    auto add = [&](Byte b) {
        items.append(QStringLiteral("0x") + QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper());
        return items.size() < Max_Config_Bytes;
    };
    bool room = true;
    for (const TTC_ParamObj& p : ListParamObject) {
        for (Integer j = 0; room && j < p.DataSizeByte; ++j)
            room = add(j < 8 ? Byte(UInt64(p.Value) >> (8 * j)) : 0);
        if (!room)
            break;
    }
    const Integer size = Text_To_Int(Size, -1);
    while (room && items.size() < size)
        room = add(0);
    return items.join(u',');
}
