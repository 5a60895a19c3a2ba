// The string tree on the workloads of the Qt tree-view programs, on
// 1,000,000 nodes: 1000 top-level nodes with 999 leaf children each, node n
// showing "Node <n>" (numbered in pre-order, so that the fully expanded tree
// shows node n in row n). In their window and font (800 x 600, DejaVu Sans
// 12 px, Fusion) with their row height of 14 pixels, one column:
//   build_unbatched  AddChild one node at a time, no BeginUpdate
//   build            the same inside BeginUpdate / EndUpdate
//   expand_all       FullExpand, until the worker has built the position
//                    cache (its instructions count too)
//   scroll_to_last   ScrollIntoView of the last node, then a render
//   page_frames      100 times: a page down and a render
//   check_toggle     10,000 check states toggled, 100 nodes apart
// Every render draws the whole window into one reused image. The builds
// print the growth of the resident memory as the Qt programs take it.
//
// Instruction counts: TREE_BENCH_WORKLOAD=<name> runs the workloads before
// that one once as set-up and its body once with callgrind's instrumentation
// switched on around it, then prints and exits:
//   TREE_BENCH_WORKLOAD=expand_all valgrind --tool=callgrind --instr-atstart=no bench_TreeBench
// bench/compare runs them all beside the Qt programs.
// TREE_BENCH_PNG=<folder> keeps the last rendered frame of each workload.

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QTimer>

#include "BenchWindow.h"
#include "platform/Graphics.h"
#include "treeview/NodeTrees.h"

namespace {

constexpr Cardinal kTop = 1000;
constexpr Cardinal kChildren = 999;
constexpr Cardinal kNodes = kTop * (kChildren + 1);
constexpr Cardinal kRowHeight = 14;
constexpr int kPages = 100;
constexpr Cardinal kCheckStride = 100;

using benchwindow::Require;
using benchwindow::Settle;

// Node number of a node: top-level k is 1000 k, its child j is 1000 k + 1 + j.
Cardinal NodeNumber(PDataNode n)
{
    // Only the hidden root is its own sibling.
    return n->Parent->NextSibling == n->Parent ? n->Index * 1000 : n->Parent->Index * 1000 + 1 + n->Index;
}

QString UseLook()
{
    benchwindow::UsePeerLook();
    return QStringLiteral("TreeBench");
}

struct TBench : benchwindow::TBenchWindow {
    TNodeStringTree* Tree = nullptr;
    benchwindow::TMemoryProbe Memory;
    Cardinal CheckOffset = 0;

    TBench() : TBenchWindow(UseLook())
    {
        NewTree();
        Show();
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
        Tree->SetDefaultNodeHeight(kRowHeight);
        Tree->OnGetText = [](TBaseNodeTree*, PDataNode n, TColumnIndex, TNSTTextType type, QString& text) {
            if (type == ttNormal)
                text = QStringLiteral("Node ") + QString::number(NodeNumber(n));
        };
        Settle();
    }

    // Lets the worker thread finish the position cache of the expanded tree,
    // taking its calls on this thread while it works.
    void WaitForCache()
    {
        QTimer tick;
        tick.start(20);
        QElapsedTimer t;
        t.start();
        while (!Tree->HasTreeState(tsUseCache) && t.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    void RequireBuilt() const
    {
        Require(Tree->RootNodeCount() == kTop, "1000 top-level nodes");
        PDataNode last = Tree->GetFirstChildNoInit(nullptr);
        while (last->NextSibling)
            last = last->NextSibling;
        Require(last->ChildCount == kChildren && NodeNumber(last->LastChild) == kNodes - 1, "999 children, the last node 999999");
    }

    QRect ClientArea() const { return QRect(Tree->Left(), Tree->Top(), Tree->ClientWidth(), Tree->ClientHeight()); }

    void Keep(const char* name) const { TBenchWindow::Keep("TREE_BENCH_PNG", name); }
};

std::unique_ptr<TBench> g_bench;

TBench& Bench()
{
    if (!g_bench)
        g_bench = std::make_unique<TBench>();
    return *g_bench;
}

__attribute__((noinline)) void BuildBody(TBench& b, bool batched)
{
    TNodeStringTree* t = b.Tree;
    if (batched)
        t->BeginUpdate();
    for (Cardinal k = 0; k < kTop; ++k) {
        PDataNode top = t->AddChild(nullptr);
        for (Cardinal j = 0; j < kChildren; ++j)
            t->AddChild(top);
    }
    if (batched)
        t->EndUpdate();
    Settle();
}

__attribute__((noinline)) void ExpandAllBody(TBench& b)
{
    b.Tree->FullExpand();
    Settle();
    b.WaitForCache();
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
__attribute__((noinline)) void CheckToggleBody(TBench& b)
{
    TNodeStringTree* t = b.Tree;
    PDataNode top = nullptr;
    PDataNode child = nullptr;
    for (Cardinal n = b.CheckOffset; n < kNodes; n += kCheckStride) {
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

std::vector<benchwindow::TStep> Steps()
{
    TBench& b = Bench();
    auto build = [&b](const char* name, bool batched, bool setUp) {
        return benchwindow::TStep{
            name,
            [&b] {
                b.NewTree();
                b.Memory.Start();
            },
            [&b, batched] { BuildBody(b, batched); },
            [&b, name] {
                b.Memory.Stop();
                b.RequireBuilt();
                benchwindow::PrintLine(QStringLiteral("tree.own.%1.peak_rss").arg(QLatin1String(name)), double(b.Memory.Peak), "KiB");
                benchwindow::PrintLine(QStringLiteral("tree.own.%1.rss_growth").arg(QLatin1String(name)), double(b.Memory.Growth()), "KiB");
            },
            setUp};
    };
    auto top = [&b] { b.Tree->SetOffsetY(0); Settle(); };
    return {
        build("build_unbatched", false, false),
        build("build", true, true),
        {"expand_all", nullptr, [&b] { ExpandAllBody(b); },
         [&b] {
             Require(b.Tree->VisibleCount() == kNodes, "every node shown");
             Require(b.Tree->HasTreeState(tsUseCache), "the position cache built");
         }},
        {"scroll_to_last", top, [&b] { ScrollToLastBody(b); },
         [&b] {
             const TRect r = b.Tree->GetDisplayRect(b.Tree->GetLastVisibleNoInit(), NoColumn, false);
             Require(r.Top >= 0 && r.Bottom <= b.Tree->ClientHeight(), "the last node in view");
             Require(b.ShowsText(b.ClientArea()), "text painted at the last node");
             b.Keep("scroll_to_last");
         }},
        {"page_frames", top,
         [&b] {
             for (int i = 0; i < kPages; ++i)
                 PageFrameBody(b);
         },
         [&b] {
             Require(-b.Tree->OffsetY() == kPages * b.Tree->ClientHeight(), "100 pages down");
             Require(b.ShowsText(b.ClientArea()), "text painted after paging");
             std::fprintf(stderr, "# tree.own: %d rows per page\n", b.Tree->ClientHeight() / Integer(kRowHeight));
             b.Keep("page_frames");
         }},
        {"check_toggle", nullptr, [&b] { CheckToggleBody(b); },
         [&b] {
             Cardinal checked = 0;
             for (PDataNode n = b.Tree->GetFirstNoInit(); n; n = b.Tree->GetNextNoInit(n))
                 if (n->CheckState == csCheckedNormal) {
                     ++checked;
                     Require(NodeNumber(n) % kCheckStride == b.CheckOffset, "only every 100th node checked");
                 }
             Require(checked == kNodes / kCheckStride, "10,000 nodes checked");
         }},
    };
}

// ---------------------------------------------------------------- Google Benchmark

void BM_TreeBuildUnbatched(benchmark::State& state)
{
    TBench& b = Bench();
    for (auto _ : state) {
        state.PauseTiming();
        b.NewTree();
        state.ResumeTiming();
        BuildBody(b, false);
    }
    state.SetItemsProcessed(state.iterations() * Int64(kNodes));
}

void BM_TreeBuild(benchmark::State& state)
{
    TBench& b = Bench();
    for (auto _ : state) {
        state.PauseTiming();
        b.NewTree();
        state.ResumeTiming();
        BuildBody(b, true);
    }
    state.SetItemsProcessed(state.iterations() * Int64(kNodes));
}

void BM_TreeExpandAll(benchmark::State& state)
{
    TBench& b = Bench();
    for (auto _ : state) {
        state.PauseTiming();
        b.NewTree();
        BuildBody(b, true);
        state.ResumeTiming();
        ExpandAllBody(b);
    }
}

// The expanded tree the later workloads start from.
TBench& Expanded()
{
    TBench& b = Bench();
    if (b.Tree->VisibleCount() != kNodes) {
        b.NewTree();
        BuildBody(b, true);
        ExpandAllBody(b);
    }
    return b;
}

void BM_TreeScrollToLast(benchmark::State& state)
{
    TBench& b = Expanded();
    for (auto _ : state) {
        state.PauseTiming();
        b.Tree->SetOffsetY(0);
        Settle();
        state.ResumeTiming();
        ScrollToLastBody(b);
    }
    b.Keep("scroll_to_last");
}

void BM_TreePageFrame(benchmark::State& state)
{
    TBench& b = Expanded();
    b.Tree->SetOffsetY(0);
    Settle();
    for (auto _ : state)
        PageFrameBody(b);
    state.counters["rows_per_page"] = double(b.Tree->ClientHeight()) / kRowHeight;
    b.Keep("page_frame");
}

void BM_TreeCheckToggle(benchmark::State& state)
{
    TBench& b = Expanded();
    for (auto _ : state) {
        CheckToggleBody(b);
        b.CheckOffset = (b.CheckOffset + 1) % kCheckStride;
    }
}

BENCHMARK(BM_TreeBuildUnbatched)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TreeBuild)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TreeExpandAll)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TreeScrollToLast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreePageFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeCheckToggle)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (const int code = benchwindow::RunWorkloadOfEnvironment(Steps(), "TREE_BENCH_WORKLOAD", [] { g_bench.reset(); }); code >= 0)
        return code;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_bench.reset();
    return 0;
}
