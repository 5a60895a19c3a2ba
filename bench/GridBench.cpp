// The string grid on a 100,000 x 10 table: filling it, reading every cell,
// scrolling to the first and the last rows and paging down, each followed by
// a render of the 800 x 600 window into one reused image. The table and the
// window are those of the Qt table-view comparison (cell (r, c) holds
// "R<r>C<c>", column 3 the r-th output of std::mt19937 with its default
// seed; DejaVu Sans 12 px, Fusion style, rows 30 and columns 100 pixels
// apart, a header row and a row-number column), so their figures compare.
//
// Each workload body is its own function (…Body), so that an instruction
// count can be taken for it alone: run the program under valgrind's
// callgrind with --toggle-collect='*RenderRow0Body*' and
// --benchmark_filter=RenderRow0, and divide the total by the body's calls.
// GRID_BENCH_PNG=<folder> keeps the last rendered frame of each workload.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QWidget>

#include <charconv>
#include <memory>
#include <random>
#include <vector>

#include "BenchWindow.h"
#include "platform/DrawGrid.h"
#include "platform/Form.h"
#include "platform/Graphics.h"

namespace {

constexpr Integer kRows = 100000;
constexpr Integer kColumns = 10;
constexpr Integer kSortColumn = 3;
constexpr Integer kFarRow = 99990;

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

QString CellText(int row, int column)
{
    if (column == kSortColumn)
        return QString::number(RandomNumbers()[size_t(row)]);
    char buffer[32] = {'R'};
    char* end = std::to_chars(buffer + 1, buffer + 12, row).ptr;
    *end = 'C';
    end = std::to_chars(end + 1, end + 12, column).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

using benchwindow::Settle;

// The window with its grid, made once and shared by the workloads.
struct TBench : benchwindow::TBenchWindow {
    TStringGrid* Grid = nullptr;
    bool Filled = false;

    TBench() : TBenchWindow(QStringLiteral("GridBench"))
    {
        NewGrid();
        ShowAndWarm();
    }

    void NewGrid()
    {
        delete Grid;
        Grid = new TStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetAlign(alClient);
        Grid->Font()->SetName(QStringLiteral("DejaVu Sans"));
        Grid->Font()->SetHeight(-12);
        Grid->SetColCount(0);
        Grid->SetRowCount(0);
        Filled = false;
    }

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
    TStringGrid* g = b.Grid;
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
        g->SetCells(0, r + 1, QString::number(r + 1));
        for (Integer c = 0; c < kColumns; ++c)
            g->SetCells(c + 1, r + 1, CellText(r, c));
    }
    Settle();
}

TBench& Filled()
{
    TBench& b = Bench();
    if (!b.Filled) {
        FillBody(b);
        b.Filled = true;
    }
    return b;
}

__attribute__((noinline)) void ReadAllBody(TBench& b, qsizetype& total)
{
    for (Integer r = 1; r <= kRows; ++r)
        for (Integer c = 1; c <= kColumns; ++c)
            total += b.Grid->Cells(c, r).size();
}

__attribute__((noinline)) void RenderRow0Body(TBench& b)
{
    b.Grid->SetTopRow(1);
    Settle();
    b.Render();
}

__attribute__((noinline)) void RenderRow99990Body(TBench& b)
{
    b.Grid->SetTopRow(kFarRow + 1);
    Settle();
    b.Render();
}

__attribute__((noinline)) void PageFrameBody(TBench& b)
{
    b.Grid->Perform(WM_VSCROLL, SB_PAGEDOWN);
    Settle();
    b.Render();
}

void BM_GridFill(benchmark::State& state)
{
    TBench& b = Bench();
    for (auto _ : state) {
        state.PauseTiming();
        b.NewGrid();
        Settle();
        state.ResumeTiming();
        FillBody(b);
    }
    b.Filled = true;
    state.SetItemsProcessed(state.iterations() * Int64(kRows) * kColumns);
}

void BM_GridReadAll(benchmark::State& state)
{
    TBench& b = Filled();
    for (auto _ : state) {
        qsizetype total = 0;
        ReadAllBody(b, total);
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
        RenderRow0Body(b);
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
        RenderRow99990Body(b);
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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    // GRID_BENCH_ITERATIONS=<n> runs every workload exactly n times (for
    // instruction counts, which are then divided by n).
    const int iterations = qEnvironmentVariableIntValue("GRID_BENCH_ITERATIONS");
    const std::pair<const char*, void (*)(benchmark::State&)> workloads[] = {
        {"BM_GridFill", BM_GridFill},
        {"BM_GridReadAll", BM_GridReadAll},
        {"BM_GridRenderRow0", BM_GridRenderRow0},
        {"BM_GridRenderRow99990", BM_GridRenderRow99990},
        {"BM_GridPageFrame", BM_GridPageFrame},
    };
    for (const auto& [name, fn] : workloads) {
        auto* b = benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond);
        if (iterations > 0)
            b->Iterations(iterations);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window goes while Qt is still there.
    g_bench.reset();
    return 0;
}
