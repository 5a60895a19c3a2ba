// Fuzz target of the tree's node stream: any bytes, loaded into a string tree
// that keeps four bytes of its own per node, end loaded or in a tree error
// (or a read error), and either way leave the tree's links and counts whole;
// what loads is written again and reads back to the same bytes.
#include "treeview/NodeTrees.h"

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
        std::fprintf(stderr, "tree stream fuzz check failed: %s\n", what);
        std::abort();
    }
}

// Walks the whole tree without recursion, checking every node's links and
// counts against its children.
void CheckTree(TBaseNodeTree* tree)
{
    Cardinal nodes = 0;
    for (PDataNode n = tree->GetFirstNoInit(); n; n = tree->GetNextNoInit(n)) {
        ++nodes;
        Require(n->Parent != nullptr, "a node has a parent");
        Cardinal children = 0, total = 1;
        PDataNode prev = nullptr;
        for (PDataNode c = n->FirstChild; c; prev = c, c = c->NextSibling) {
            Require(c->Parent == n, "child's parent");
            Require(c->PrevSibling == prev, "sibling links");
            Require(c->Index == children, "child index");
            ++children;
            total += c->TotalCount;
        }
        Require(n->LastChild == prev, "last child");
        Require(n->ChildCount == children, "child count");
        Require(n->TotalCount == total, "total count");
    }
    Require(tree->RootNode()->TotalCount == nodes + 1, "root's total count");
}

std::unique_ptr<TNodeStringTree> NewTree()
{
    auto t = std::make_unique<TNodeStringTree>(nullptr);
    t->SetNodeDataSize(sizeof(std::int32_t));
    t->OnSaveNode = [](TBaseNodeTree* s, PDataNode n, TStream* stream) { stream->WriteBuffer(s->GetNodeData<std::int32_t>(n), 4); };
    t->OnLoadNode = [](TBaseNodeTree* s, PDataNode n, TStream* stream) { stream->ReadBuffer(s->GetNodeData<std::int32_t>(n), 4); };
    return t;
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
    static std::unique_ptr<TNodeStringTree> tree = NewTree();
    tree->Clear();
    tree->AddChild(nullptr);
    TMemoryStream in;
    in.Write(data, Int64(size));
    in.SetPosition(0);
    bool loaded = true;
    try {
        tree->LoadFromStream(&in);
    } catch (const std::exception&) {
        loaded = false;
    }
    Require(tree->UpdateCount() == 0, "updates ended");
    CheckTree(tree.get());
    if (!loaded)
        return 0;
    // What loaded writes a stream that loads into the same tree.
    TMemoryStream out;
    tree->SaveToStream(&out);
    out.SetPosition(0);
    auto copy = NewTree();
    copy->LoadFromStream(&out);
    CheckTree(copy.get());
    Require(copy->RootNode()->TotalCount == tree->RootNode()->TotalCount, "same node count after a round trip");
    TMemoryStream again;
    copy->SaveToStream(&again);
    Require(again.Bytes() == out.Bytes(), "a written stream reads back to the same bytes");
    return 0;
}
