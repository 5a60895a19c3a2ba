// Fuzz target of the EDS reader: any file, read as the dialog reads it, must
// neither crash nor hang; the connections it lists are numbered in order
// with header sizes of three bits, and the configuration assemblies its
// connections name decode into a data segment of bounded, well-formed bytes
// (or stop with the conversion error).
#include "fieldbus/UEtherNetIP_EDS.h"
#include "fieldbus/UEtherNetIP_Master_AccessConfig.h"

#include "platform/Object.h"
#include "platform/Streams.h"
#include "platform/StringList.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "EDS fuzz check failed: %s\n", what);
        std::abort();
    }
}

void Decode_Config(const QStringList& Lines, const QString& Format, const QString& Size)
{
    TTargetConfig tc;
    tc.Format = Format;
    tc.Size = Size;
    try {
        tc.DecodeAssemblyObj(TTargetConfig::Find_Assembly_Object(Lines, Format), Lines);
    } catch (const EConvertError&) {
        // A member the file lacks: the import reports it.
        return;
    }
    Require(tc.ListParamObject.size() <= size_t(Max_Assembly_Members), "member count");
    const QString text = tc.GetConfigStrData();
    if (text.isEmpty())
        return;
    const QStringList items = text.split(u',');
    Require(items.size() <= Max_Config_Bytes, "data segment size");
    for (const QString& item : items)
        Require(item.size() == 4 && item.startsWith(QLatin1String("0x")), "data segment byte");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream stream;
    stream.Write(data, Int64(size));
    stream.SetPosition(0);
    TStringList list;
    list.LoadFromStream(&stream);
    QStringList lines;
    for (Integer i = 0; i < list.Count(); ++i)
        lines.append(list.Strings(i));

    TEDS_Contents contents;
    Read_EDS(lines, contents);
    for (size_t i = 0; i < contents.List_Conn.size(); ++i) {
        const TConnData& c = contents.List_Conn[i];
        Require(c.ConnIndex == Integer(i) + 1, "connections numbered in order");
        Require(c.DimHeaderOT <= 7 && c.DimHeaderTO <= 7, "header sizes of three bits");
        if (i < 4 && !c.TargetConfFormat.isEmpty())
            Decode_Config(lines, c.TargetConfFormat, c.TargetConfSize);
    }
    Decode_Config(lines, QStringLiteral("Assem100"), QStringLiteral("8"));
    return 0;
}
