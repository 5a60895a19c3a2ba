// Fuzz target of the tree header's stream: any bytes end read or in a read
// error with the header out of its loading state, and what reads is written
// again and reads back to the same bytes.
#include "treeview/NodeTrees.h"
#include "treeview/header/NodeTreeHeader.h"

#include "platform/Streams.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "header stream fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TNodeStringTree tree(nullptr);
    TMemoryStream in;
    in.Write(data, Int64(size));
    in.SetPosition(0);
    bool read = true;
    try {
        tree.Header()->LoadFromStream(&in);
    } catch (const std::exception&) {
        read = false;
    }
    Require(!(tree.Header()->States() & hsLoading), "loading state left");
    if (!read)
        return 0;
    TMemoryStream out;
    tree.Header()->SaveToStream(&out);
    out.SetPosition(0);
    TNodeStringTree copy(nullptr);
    copy.Header()->LoadFromStream(&out);
    Require(copy.Header()->Columns()->Equals(tree.Header()->Columns()), "columns read back");
    TMemoryStream again;
    copy.Header()->SaveToStream(&again);
    Require(again.Bytes() == out.Bytes(), "a written record reads back to the same bytes");
    return 0;
}
