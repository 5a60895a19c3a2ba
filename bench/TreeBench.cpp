// The string tree on 1,000,000 nodes: 1000 top-level nodes with 999 leaf
// children each, node n showing "Node <n>" (numbered in pre-order, so that
// the fully expanded tree shows node n in row n). Building it, expanding
// everything, scrolling to the last node, paging down and toggling 10,000
// check states, each followed by a render of the 800 x 600 window into one
// reused image, in the window and font of the Qt tree-view comparison
// (DejaVu Sans 12 px, Fusion style, one column).
//
// Instruction counts: TREE_BENCH_WORKLOAD=<name> runs the steps before that
// workload once as set-up and the workload's body once with callgrind's
// instrumentation switched on around it, then prints and exits:
//   TREE_BENCH_WORKLOAD=expand_all valgrind --tool=callgrind --instr-atstart=no bench_TreeBench
// Names: build, expand_all, scroll_to_last, page_frames, check_toggle.
// Rows are 18 pixels high (the tree's default; the peer's are 14):
// TREE_BENCH_ROW_HEIGHT=14 gives the peer's 41 rows a page.
// TREE_BENCH_PNG=<folder> keeps the last rendered frame of each workload.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QStyleFactory>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include "BenchWindow.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "treeview/NodeTrees.h"

namespace {

constexpr Cardinal kTop = 1000;
constexpr Cardinal kChildren = 999;
constexpr Cardinal kNodes = kTop * (kChildren + 1);

using benchwindow::Settle;

// Node number of a node: top-level k is 1000 k, its child j is 1000 k + 1 + j.
Cardinal NodeNumber(PDataNode n)
{
    // Only the hidden root is its own sibling.
    return n->Parent->NextSibling == n->Parent ? n->Index * 1000 : n->Parent->Index * 1000 + 1 + n->Index;
}

// The peer's style and font, set before the window is made.
QString UsePeerLook()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    return QStringLiteral("TreeBench");
}

struct TBench : benchwindow::TBenchWindow {
    TNodeStringTree* Tree = nullptr;

    TBench() : TBenchWindow(UsePeerLook())
    {
        NewTree();
        ShowAndWarm();
    }

    void NewTree()
    {
        delete Tree;
        Tree = new TNodeStringTree(Form.get());
        Tree->SetParent(Form.get());
        Tree->SetAlign(alClient);
        Tree->Font()->SetName(QStringLiteral("DejaVu Sans"));
        Tree->Font()->SetHeight(-12);
        Tree->SetNodeDataSize(0);
        // TREE_BENCH_ROW_HEIGHT=14 paints as many rows a page as the peer.
        if (const int h = qEnvironmentVariableIntValue("TREE_BENCH_ROW_HEIGHT"); h > 0)
            Tree->SetDefaultNodeHeight(Cardinal(h));
        Tree->OnGetText = [](TBaseNodeTree*, PDataNode n, TColumnIndex, TNSTTextType type, QString& text) {
            if (type == ttNormal)
                text = QStringLiteral("Node ") + QString::number(NodeNumber(n));
        };
    }

    // The position cache of the expanded tree is built in the background;
    // set-up waits for it so that no workload shares the machine with it.
    void WaitForCache()
    {
        QElapsedTimer t;
        t.start();
        while (Tree->HasTreeState(tsValidating | tsValidationNeeded) && !Tree->HasTreeState(tsUseCache) && t.elapsed() < 20000)
            Settle();
    }

    void Keep(const char* name) const { TBenchWindow::Keep("TREE_BENCH_PNG", name); }
};

std::unique_ptr<TBench> g_bench;

TBench& Bench()
{
    if (!g_bench)
        g_bench = std::make_unique<TBench>();
    return *g_bench;
}

__attribute__((noinline)) void BuildBody(TBench& b)
{
    TNodeStringTree* t = b.Tree;
    t->BeginUpdate();
    for (Cardinal k = 0; k < kTop; ++k) {
        PDataNode top = t->AddChild(nullptr);
        for (Cardinal j = 0; j < kChildren; ++j)
            t->AddChild(top);
    }
    t->EndUpdate();
    Settle();
}

__attribute__((noinline)) void ExpandAllBody(TBench& b)
{
    b.Tree->FullExpand();
    Settle();
}

__attribute__((noinline)) void ScrollToLastBody(TBench& b)
{
    b.Tree->ScrollIntoView(b.Tree->GetLastVisible(), false);
    Settle();
    b.Render();
}

__attribute__((noinline)) void PageFrameBody(TBench& b)
{
    b.Tree->Perform(WM_VSCROLL, SB_PAGEDOWN);
    Settle();
    b.Render();
}

// Toggles nodes 100 i + r, i = 0 .. 9999, in increasing order: each top-level
// node is found by its row, each child by its row under its parent.
__attribute__((noinline)) void CheckToggleBody(TBench& b, Cardinal r)
{
    TNodeStringTree* t = b.Tree;
    PDataNode top = nullptr;
    PDataNode child = nullptr;
    for (Cardinal i = 0; i < 10000; ++i) {
        const Cardinal n = 100 * i + r;
        const Cardinal k = n / 1000, rest = n % 1000;
        if (top == nullptr || top->Index != k) {
            top = top ? top : t->GetFirstChildNoInit(nullptr);
            while (top->Index < k)
                top = top->NextSibling;
            child = top->FirstChild;
        }
        PDataNode node = top;
        if (rest > 0) {
            while (child->Index < rest - 1)
                child = child->NextSibling;
            node = child;
        }
        t->SetCheckState(node, t->GetCheckState(node) == csCheckedNormal ? csUncheckedNormal : csCheckedNormal);
    }
    Settle();
}

void Build(TBench& b)
{
    b.NewTree();
    Settle();
    BuildBody(b);
}

void Expand(TBench& b)
{
    ExpandAllBody(b);
    b.WaitForCache();
}

void PrepareScroll(TBench& b)
{
    b.Tree->SetOffsetY(0);
    Settle();
}

void BM_TreeBuild(benchmark::State& state)
{
    TBench& b = Bench();
    for (auto _ : state) {
        state.PauseTiming();
        b.NewTree();
        Settle();
        state.ResumeTiming();
        BuildBody(b);
    }
    state.SetItemsProcessed(state.iterations() * Int64(kNodes));
}

void BM_TreeExpandAll(benchmark::State& state)
{
    TBench& b = Bench();
    for (auto _ : state) {
        state.PauseTiming();
        Build(b);
        state.ResumeTiming();
        ExpandAllBody(b);
    }
    b.WaitForCache();
}

void BM_TreeScrollToLast(benchmark::State& state)
{
    TBench& b = Bench();
    if (b.Tree->TotalCount() != kNodes || b.Tree->VisibleCount() != kNodes) {
        Build(b);
        Expand(b);
    }
    for (auto _ : state) {
        state.PauseTiming();
        PrepareScroll(b);
        state.ResumeTiming();
        ScrollToLastBody(b);
    }
    b.Keep("scroll_to_last");
}

void BM_TreePageFrame(benchmark::State& state)
{
    TBench& b = Bench();
    if (b.Tree->VisibleCount() != kNodes) {
        Build(b);
        Expand(b);
    }
    PrepareScroll(b);
    for (auto _ : state)
        PageFrameBody(b);
    state.counters["rows_per_page"] = double(b.Tree->ClientHeight()) / b.Tree->DefaultNodeHeight();
    b.Keep("page_frame");
}

void BM_TreeCheckToggle(benchmark::State& state)
{
    TBench& b = Bench();
    if (b.Tree->VisibleCount() != kNodes) {
        Build(b);
        Expand(b);
    }
    Cardinal r = 0;
    for (auto _ : state)
        CheckToggleBody(b, r++ % 100);
}

BENCHMARK(BM_TreeBuild)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TreeExpandAll)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TreeScrollToLast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreePageFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeCheckToggle)->Unit(benchmark::kMillisecond);

// One workload once, instrumented, after the steps before it as set-up.
int RunOneWorkload(const QString& name)
{
    TBench& b = Bench();
    auto measure = [&](auto&& body) {
        CALLGRIND_START_INSTRUMENTATION;
        body();
        CALLGRIND_STOP_INSTRUMENTATION;
    };
    if (name == QLatin1String("build")) {
        b.NewTree();
        Settle();
        measure([&] { BuildBody(b); });
    } else {
        Build(b);
        if (name == QLatin1String("expand_all")) {
            measure([&] { ExpandAllBody(b); });
            b.WaitForCache();
        } else {
            Expand(b);
            PrepareScroll(b);
            // One render first, as the peer's earlier workloads leave its glyph cache warm.
            b.Render();
            if (name == QLatin1String("scroll_to_last")) {
                measure([&] { ScrollToLastBody(b); });
            } else if (name == QLatin1String("page_frames")) {
                measure([&] {
                    for (int i = 0; i < 100; ++i)
                        PageFrameBody(b);
                });
            } else if (name == QLatin1String("check_toggle")) {
                for (int i = 0; i < 100; ++i)
                    b.Tree->Perform(WM_VSCROLL, SB_PAGEDOWN);
                Settle();
                measure([&] { CheckToggleBody(b, 0); });
            } else {
                std::fprintf(stderr, "unknown workload %s\n", qPrintable(name));
                return 2;
            }
        }
    }
    b.Keep(qPrintable(name));
    std::printf("tree.own.%s done: %u nodes, %u visible, offset %d\n", qPrintable(name), b.Tree->TotalCount(), b.Tree->VisibleCount(), b.Tree->OffsetY());
    g_bench.reset();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString workload = qEnvironmentVariable("TREE_BENCH_WORKLOAD");
    if (!workload.isEmpty())
        return RunOneWorkload(workload);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_bench.reset();
    return 0;
}
