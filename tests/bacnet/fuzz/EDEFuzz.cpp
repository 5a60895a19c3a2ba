// Fuzz target of the EDE import: any file, read as the import dialog reads
// it, gives at most one object per line, each of a kind the request tables
// can name and marked as the dialog shows it.
#include "bacnet/UImportEDEFile.h"

#include "platform/Streams.h"
#include "platform/StringList.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "EDE fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream stream;
    stream.Write(data, Int64(size));
    stream.SetPosition(0);
    TStringList lines;
    lines.LoadFromStream(&stream);
    const auto vars = Parse_EDE_Lines(lines);
    Require(Integer(vars.size()) <= lines.Count(), "at most one object per line");
    for (const auto& v : vars) {
        Require(EDE_Type_Kept(v->object_type), "a kind the tables name");
        Require(v->import && v->read && v->write == v->commandable, "marked as shown");
    }
    return 0;
}
