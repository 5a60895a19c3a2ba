// Reading an EDS file: its lines, the [Device] keys, the [Connection Manager]
// entries and the connection paths in them.
#include "fieldbus/UEtherNetIP_EDS.h"

#include <QFileInfo>

#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "shell/TextChecks.h"

bool Load_EDS_Lines(const QString& FileName, QStringList& Lines)
{
    Lines.clear();
    const QFileInfo info(FileName);
    if (!FileExists(FileName) || info.size() > Max_EDS_File_Size)
        return false;
    TStringList list;
    if (!list.LoadFromFile(FileName))
        return false;
    Lines.reserve(list.Count());
    for (Integer i = 0; i < list.Count(); ++i)
        Lines.append(list.Strings(i));
    return true;
}

QString EDS_Line(const QString& Line)
{
    QString s = Trim(Line);
    const qsizetype dollar = s.indexOf(u'$');
    if (dollar >= 0)
        s = Trim(s.left(dollar));
    return s;
}

Integer GetDeviceValue(const QString& Line, const QString& Key)
{
    const qsizetype at = Line.indexOf(Key);
    if (at < 0)
        return 0;
    // The character right after "=" is skipped.
    const QString rest = Trim(Line.mid(at + Key.size() + 1));
    const qsizetype semicolon = rest.indexOf(u';');
    if (semicolon < 0)
        return 0;
    return Text_To_Int(Trim(rest.left(semicolon)), 0);
}

void Split_EDS_Fields(const QString& Text, QStringList& List)
{
    List.clear();
    QString field;
    bool quoted = false;
    for (const QChar c : Text) {
        if (c == u'"') {
            quoted = !quoted;
            field += c;
        } else if (!quoted && (c == u',' || c == u';')) {
            List.append(field);
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty())
        List.append(field);
}

namespace {

// A connection path: the bytes read from the entry, at most Max_Path_Bytes;
// a byte past them reads as 0.
class TCIP_Path {
public:
    explicit TCIP_Path(const QString& Text)
    {
        QString s = Trim(Text);
        s.remove(u'"');
        s = Trim(s);
        for (const QString& piece : s.split(u' ')) {
            if (Integer(FBytes.size()) >= Max_Path_Bytes)
                break;
            // Only bare hexadecimal pieces are bytes: a prefix or a symbol is
            // no number here.
            const Integer v = piece.isEmpty() ? -1 : Text_To_Int(QStringLiteral("0x") + piece, -1);
            if (v >= 0 && v <= 255)
                FBytes.push_back(Byte(v));
        }
    }
    Integer Count() const { return Integer(FBytes.size()); }
    Byte At(Integer i) const { return i >= 0 && i < Count() ? FBytes[size_t(i)] : 0; }
    // The value of the segment whose code stands at Pos (8, 16 or 32 bits by
    // the code's low bits, the longer ones aligned to their size); Pos moves
    // to the value's last byte.
    Cardinal Read_Value(Integer& Pos) const
    {
        const Integer width = 1 << std::min(At(Pos) & 3, 2);
        const Integer start = (Pos + width) / width * width;
        Cardinal value = 0;
        for (Integer i = width - 1; i >= 0; --i)
            value = (value << 8) | At(start + i);
        Pos = start + width - 1;
        return value;
    }
    // The first byte from From on that is one of the codes Lo..Hi or Lo2..Hi2;
    // -1 when none is, or when it is the last byte (no value follows).
    Integer Find(Integer From, Byte Lo, Byte Hi, Byte Lo2 = 1, Byte Hi2 = 0) const
    {
        for (Integer i = std::max(From, 0); i < Count(); ++i) {
            const Byte b = FBytes[size_t(i)];
            if ((b >= Lo && b <= Hi) || (b >= Lo2 && b <= Hi2))
                return i == Count() - 1 ? -1 : i;
        }
        return -1;
    }

private:
    std::vector<Byte> FBytes;
};

constexpr Byte Class_8 = 0x20, Class_32 = 0x22;
constexpr Byte Instance_8 = 0x24, Instance_32 = 0x26;
constexpr Byte Point_8 = 0x2C, Point_32 = 0x2E;

// The instances and connection points of a path; false when it names no
// connection point for each direction.
bool Decode_Path(const TCIP_Path& Path, TConnData& Conn)
{
    if (Path.Count() < 6)
        return false;
    const Byte cls = Path.At(0);
    if (cls < Class_8 || cls > Class_32)
        return false;
    Integer pos = cls == Class_8 ? 2 : cls == Class_8 + 1 ? 4 : 8;
    // Get_Instance: without an instance segment both instances are 1.
    Integer from = 2;
    const Byte code = Path.At(pos);
    if (code >= Instance_8 && code <= Instance_32) {
        Conn.InstanceOT = Conn.InstanceTO = Path.Read_Value(pos);
        from = pos + 1;
    } else {
        Conn.InstanceOT = Conn.InstanceTO = 1;
    }
    // Get_ConnectionPoint, originator to target.
    pos = Path.Find(from, Point_8, Point_32);
    if (pos < 0)
        return false;
    Conn.ConnPointOT = Path.Read_Value(pos);
    // Then a second instance or the connection point target to originator.
    pos = Path.Find(pos + 1, Instance_8, Instance_32, Point_8, Point_32);
    if (pos < 0)
        return false;
    if (Path.At(pos) <= Instance_32) {
        Conn.InstanceTO = Path.Read_Value(pos);
        pos = Path.Find(pos + 1, Point_8, Point_32);
        if (pos < 0)
            return false;
    }
    Conn.ConnPointTO = Path.Read_Value(pos);
    return true;
}

} // namespace

void DecodeConnStr(const QString& Entry, std::vector<TConnData>& List)
{
    QStringList fields;
    Split_EDS_Fields(Entry, fields);
    if (fields.size() < 15)
        return;
    TConnData conn;
    const Integer params = Text_To_Int(Trim(fields[1]), -1);
    conn.DimHeaderOT = Byte((params >> 8) & 7);
    conn.DimHeaderTO = Byte((params >> 12) & 7);
    conn.TargetConfSize = Trim(fields[10]);
    conn.TargetConfFormat = Trim(fields[11]);
    conn.ConnName = Trim(fields[12]);
    conn.HelpStr = Trim(fields[13]);
    if (!Decode_Path(TCIP_Path(fields[14]), conn))
        return;
    conn.ConnIndex = Integer(List.size()) + 1;
    List.push_back(std::move(conn));
}

void Read_EDS(const QStringList& Lines, TEDS_Contents& Contents)
{
    Contents = TEDS_Contents();
    bool device = false;
    bool connections = false;
    bool pending = false;
    QString entry;
    auto decode_pending = [&] {
        if (pending)
            DecodeConnStr(entry, Contents.List_Conn);
        pending = false;
        entry.clear();
    };
    for (const QString& raw : Lines) {
        const QString line = EDS_Line(raw);
        if (line.isEmpty())
            continue;
        const bool header = line.startsWith(u'[');
        if (device) {
            if (header) {
                device = false;
            } else {
                const QString upper = UpperCase(line);
                struct {
                    const char* Key;
                    int Field;
                } const keys[] = {{"VENDCODE =", 0}, {"PRODTYPE =", 1}, {"PRODCODE =", 2}, {"MAJREV =", 3},
                                  {"MINREV =", 4}};
                for (const auto& k : keys) {
                    const QString key = QLatin1String(k.Key);
                    if (!upper.contains(key))
                        continue;
                    const Integer v = GetDeviceValue(upper, key);
                    switch (k.Field) {
                    case 0: Contents.VendCode = Word(v); break;
                    case 1: Contents.ProdType = Word(v); break;
                    case 2: Contents.ProdCode = Word(v); break;
                    case 3: Contents.MajRev = Byte(v); break;
                    default: Contents.MinRev = Byte(v); break;
                    }
                    break;
                }
                continue;
            }
        }
        if (connections) {
            if (header) {
                decode_pending();
                connections = false;
            } else if (line.startsWith(QLatin1String("Connection"))) {
                decode_pending();
                const qsizetype eq = line.indexOf(u'=');
                entry = eq < 0 ? line : Trim(line.mid(eq + 1));
                pending = true;
                continue;
            } else {
                // A continued entry; a line with "=" is some other key.
                if (pending && !line.contains(u'='))
                    entry += line;
                continue;
            }
        }
        // Outside a section (or on the line that ended one): a new section.
        if (line.contains(QLatin1String("[Device]")))
            device = true;
        else if (line.contains(QLatin1String("[Connection Manager]")))
            connections = true;
    }
    decode_pending();
}
