// The string grid (TExStringGrid) on the workloads of the Qt table-view
// programs, a 100,000 x 10 table: cell (r, c) holds "R<r>C<c>", column 3 the
// decimal text of the r-th output of std::mt19937 with its default seed. In
// their window and font (800 x 600, DejaVu Sans 12 px, Fusion), with their
// geometry: rows 30 and columns 100 pixels apart, a header row with the
// column numbers and a 55-pixel row-number column:
//   fill                   every cell and header text set, row by row
//   render_row0            row 0 brought to the top, then a render
//   render_row99990        row 99,990 brought to the top, then a render
//   page_frames            100 times: a page down and a render
//   hide_show_col2         100 times: column 2 hidden and shown again
//   hide_show_col2_render  the same with a render after each
// Every render draws the whole window into one reused image. The fill
// prints the growth of the resident memory as the Qt programs take it.
//
// Instruction counts: GRID_BENCH_WORKLOAD=<name> runs the workloads before
// that one once as set-up and its body once with callgrind's instrumentation
// switched on around it, then prints and exits:
//   GRID_BENCH_WORKLOAD=page_frames valgrind --tool=callgrind --instr-atstart=no bench_GridBench
// bench/compare runs them all beside the Qt programs.
// GRID_BENCH_PNG=<folder> keeps the last rendered frame of each workload.

#include <benchmark/benchmark.h>

#include <charconv>
#include <random>

#include "BenchWindow.h"
#include "grid/ExGrid.h"

namespace {

constexpr Integer kRows = 100000;
constexpr Integer kColumns = 10;
constexpr Integer kSortColumn = 3;
constexpr Integer kFarRow = 99990;
constexpr Integer kHiddenColumn = 2;
constexpr int kPages = 100;
constexpr int kHideShows = 100;

using benchwindow::Require;
using benchwindow::Settle;

const std::vector<quint32>& RandomNumbers()
{
    static const std::vector<quint32> numbers = [] {
        std::mt19937 generator;  // seed 5489
        std::vector<quint32> values(kRows);
        for (quint32& v : values)
            v = quint32(generator());
        return values;
    }();
    return numbers;
}

// Decimal text made as the Qt program makes it (to_chars, then Latin-1).
QString NumberText(long n)
{
    char buffer[24];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, n).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

QString CellText(int row, int column)
{
    if (column == kSortColumn)
        return NumberText(long(RandomNumbers()[size_t(row)]));
    char buffer[32] = {'R'};
    char* end = std::to_chars(buffer + 1, buffer + 12, row).ptr;
    *end = 'C';
    end = std::to_chars(end + 1, end + 12, column).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

QString UseLook()
{
    benchwindow::UsePeerLook();
    return QStringLiteral("GridBench");
}

// The window with its grid; data row r and column c are grid row r + 1 and
// column c + 1, behind the fixed header row and row-number column.
struct TBench : benchwindow::TBenchWindow {
    TExStringGrid* Grid = nullptr;
    benchwindow::TMemoryProbe Memory;

    TBench() : TBenchWindow(UseLook())
    {
        NewGrid();
        Show();
    }

    void NewGrid()
    {
        delete Grid;
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetAlign(alClient);
        Grid->Font()->SetName(QStringLiteral("DejaVu Sans"));
        Grid->Font()->SetHeight(-12);
        Grid->FixedFont()->Assign(Grid->Font());
        Grid->SetColCount(1);
        Grid->SetRowCount(1);
        Settle();
    }

    void RequireFilled() const
    {
        Require(Grid->RowCount() == kRows + 1 && Grid->ColCount() == kColumns + 1, "100,000 x 10");
        Require(Grid->Cells(1, 1) == QLatin1String("R0C0"), "first text");
        Require(Grid->Cells(kColumns, kRows) == QLatin1String("R99999C9"), "last text");
        Require(Grid->Cells(kSortColumn + 1, 1) == QString::number(RandomNumbers()[0]), "random text");
    }

    QRect ClientArea() const { return QRect(Grid->Left(), Grid->Top(), Grid->ClientWidth(), Grid->ClientHeight()); }

    void Keep(const char* name) const { TBenchWindow::Keep("GRID_BENCH_PNG", name); }
};

std::unique_ptr<TBench> g_bench;

TBench& Bench()
{
    if (!g_bench)
        g_bench = std::make_unique<TBench>();
    return *g_bench;
}

__attribute__((noinline)) void FillBody(TBench& b)
{
    TExStringGrid* g = b.Grid;
    g->SetColCount(kColumns + 1);
    g->SetRowCount(kRows + 1);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetDefaultColWidth(99);
    g->SetDefaultRowHeight(29);
    g->SetColWidths(0, 54);
    for (Integer c = 0; c < kColumns; ++c)
        g->SetCells(c + 1, 0, QString::number(c + 1));
    for (Integer r = 0; r < kRows; ++r) {
        g->SetCells(0, r + 1, NumberText(r + 1));
        for (Integer c = 0; c < kColumns; ++c)
            g->SetCells(c + 1, r + 1, CellText(r, c));
    }
    Settle();
}

__attribute__((noinline)) void ScrollRenderBody(TBench& b, Integer row)
{
    b.Grid->SetTopRow(row + 1);
    Settle();
    b.Render();
}

__attribute__((noinline)) void PageFrameBody(TBench& b)
{
    b.Grid->Perform(WM_VSCROLL, SB_PAGEDOWN);
    Settle();
    b.Render();
}

__attribute__((noinline)) void HideShowBody(TBench& b, bool render)
{
    for (int i = 0; i < kHideShows; ++i) {
        b.Grid->HideColumn(kHiddenColumn + 1);
        Settle();
        if (render)
            b.Render();
        b.Grid->UnHideColumn(kHiddenColumn + 1);
        Settle();
        if (render)
            b.Render();
    }
}

std::vector<benchwindow::TStep> Steps()
{
    TBench& b = Bench();
    auto renderAt = [&b](const char* name, Integer from, Integer to) {
        return benchwindow::TStep{name,
                                  [&b, from] {
                                      b.Grid->SetTopRow(from + 1);
                                      Settle();
                                  },
                                  [&b, to] { ScrollRenderBody(b, to); },
                                  [&b, name, to] {
                                      Require(b.Grid->TopRow() <= to + 1 && to + 1 < b.Grid->TopRow() + b.Grid->VisibleRowCount() + 1, "the row in view");
                                      Require(b.ShowsText(b.ClientArea()), "text painted");
                                      b.Keep(name);
                                  }};
    };
    auto hideShow = [&b](const char* name, bool render) {
        return benchwindow::TStep{name, nullptr, [&b, render] { HideShowBody(b, render); },
                                  [&b, name] {
                                      Require(!b.Grid->IsHiddenColumn(kHiddenColumn + 1) && b.Grid->ColCount() == kColumns + 1, "column 2 shown again");
                                      b.Keep(name);
                                  }};
    };
    return {
        {"fill",
         [&b] {
             b.NewGrid();
             b.Memory.Start();
         },
         [&b] { FillBody(b); },
         [&b] {
             b.Memory.Stop();
             b.RequireFilled();
             benchwindow::PrintLine(QStringLiteral("grid.own.fill.peak_rss"), double(b.Memory.Peak), "KiB");
             benchwindow::PrintLine(QStringLiteral("grid.own.fill.rss_growth"), double(b.Memory.Growth()), "KiB");
         }},
        renderAt("render_row0", kRows - 1, 0),
        renderAt("render_row99990", 0, kFarRow),
        {"page_frames",
         [&b] {
             b.Grid->SetTopRow(1);
             Settle();
         },
         [&b] {
             for (int i = 0; i < kPages; ++i)
                 PageFrameBody(b);
         },
         [&b] {
             Require(b.Grid->TopRow() == 1 + kPages * b.Grid->VisibleRowCount(), "100 pages down");
             Require(b.ShowsText(b.ClientArea()), "text painted after paging");
             std::fprintf(stderr, "# grid.own: %d rows per page\n", b.Grid->VisibleRowCount());
             b.Keep("page_frames");
         }},
        hideShow("hide_show_col2", false),
        hideShow("hide_show_col2_render", true),
    };
}

// ---------------------------------------------------------------- Google Benchmark

TBench& Filled()
{
    TBench& b = Bench();
    if (b.Grid->RowCount() != kRows + 1) {
        b.NewGrid();
        FillBody(b);
    }
    return b;
}

void BM_GridFill(benchmark::State& state)
{
    TBench& b = Bench();
    for (auto _ : state) {
        state.PauseTiming();
        b.NewGrid();
        state.ResumeTiming();
        FillBody(b);
    }
    state.SetItemsProcessed(state.iterations() * Int64(kRows) * kColumns);
}

void BM_GridReadAll(benchmark::State& state)
{
    TBench& b = Filled();
    for (auto _ : state) {
        qsizetype total = 0;
        for (Integer r = 1; r <= kRows; ++r)
            for (Integer c = 1; c <= kColumns; ++c)
                total += b.Grid->Cells(c, r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * Int64(kRows) * kColumns);
}

void BM_GridRenderRow0(benchmark::State& state)
{
    TBench& b = Filled();
    for (auto _ : state) {
        state.PauseTiming();
        b.Grid->SetTopRow(kRows);
        Settle();
        state.ResumeTiming();
        ScrollRenderBody(b, 0);
    }
    b.Keep("render_row0");
}

void BM_GridRenderRow99990(benchmark::State& state)
{
    TBench& b = Filled();
    for (auto _ : state) {
        state.PauseTiming();
        b.Grid->SetTopRow(1);
        Settle();
        state.ResumeTiming();
        ScrollRenderBody(b, kFarRow);
    }
    b.Keep("render_row99990");
}

void BM_GridPageFrame(benchmark::State& state)
{
    TBench& b = Filled();
    b.Grid->SetTopRow(1);
    Settle();
    for (auto _ : state) {
        if (b.Grid->TopRow() + 2 * b.Grid->VisibleRowCount() > kRows) {
            state.PauseTiming();
            b.Grid->SetTopRow(1);
            Settle();
            state.ResumeTiming();
        }
        PageFrameBody(b);
    }
    state.counters["rows_per_page"] = b.Grid->VisibleRowCount();
    b.Keep("page_frame");
}

void BM_GridHideShowColumn(benchmark::State& state)
{
    TBench& b = Filled();
    for (auto _ : state)
        HideShowBody(b, state.range(0) != 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RandomNumbers();
    if (const int code = benchwindow::RunWorkloadOfEnvironment(Steps(), "GRID_BENCH_WORKLOAD", [] { g_bench.reset(); }); code >= 0)
        return code;
    // GRID_BENCH_ITERATIONS=<n> runs every workload exactly n times.
    const int iterations = qEnvironmentVariableIntValue("GRID_BENCH_ITERATIONS");
    auto reg = [iterations](const char* name, void (*fn)(benchmark::State&)) {
        auto* b = benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond);
        if (iterations > 0)
            b->Iterations(iterations);
        return b;
    };
    reg("BM_GridFill", BM_GridFill)->Iterations(iterations > 0 ? iterations : 1);
    reg("BM_GridReadAll", BM_GridReadAll);
    reg("BM_GridRenderRow0", BM_GridRenderRow0);
    reg("BM_GridRenderRow99990", BM_GridRenderRow99990);
    reg("BM_GridPageFrame", BM_GridPageFrame);
    reg("BM_GridHideShowColumn", BM_GridHideShowColumn)->Arg(0)->Arg(1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window goes while Qt is still there.
    g_bench.reset();
    return 0;
}
