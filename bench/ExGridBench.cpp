// The string grid on the table of GridBench (rows of "R<r>C<c>", column 3
// the r-th output of std::mt19937 with its default seed, a header row and a
// row-number column), up to 100,000 rows by 10 columns: filling every cell
// through the grid's cell access, hiding and showing a column, and
// converting every display column and row index to its real one. Each runs
// at several row counts, so that the reported complexity shows the cost
// growing linearly with the cells. GridBench renders the grid.
//
// Sorting: the filled 100,000 x 10 grid in its window sorted by the random
// column (the workload of the Qt peers' sort_col3), once as the grid sorts
// by default (the column's texts are numbers, so numerically) and once as
// texts (ordinal order, the peers' order); each repetition sorts the table
// as filled. Instructions of one sort under callgrind (the README has the
// whole command): --collect-atstart=no --toggle-collect='*SortCol3Body*'
// --benchmark_filter='BM_ExGridSortCol3/' with GRID_BENCH_ITERATIONS=1
// ('BM_ExGridSortCol3Text/' for the text order).

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

#include "grid/ExGrid.h"
#include "platform/Form.h"

namespace {

constexpr Integer kColumns = 10;
constexpr Integer kSortColumn = 3;

QString CellText(int row, int column, quint32 random)
{
    if (column == kSortColumn)
        return QString::number(random);
    char buffer[32] = {'R'};
    char* end = std::to_chars(buffer + 1, buffer + 12, row).ptr;
    *end = 'C';
    end = std::to_chars(end + 1, end + 12, column).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

std::unique_ptr<TExStringGrid> NewGrid(Integer Rows)
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(kColumns + 1);
    g->SetRowCount(Rows + 1);
    return g;
}

void Fill(TExStringGrid* g, Integer Rows)
{
    std::mt19937 generator;  // seed 5489
    for (Integer c = 0; c < kColumns; ++c)
        g->SetCells(c + 1, 0, QString::number(c + 1));
    for (Integer r = 0; r < Rows; ++r) {
        const quint32 random = quint32(generator());
        g->SetCells(0, r + 1, QString::number(r + 1));
        for (Integer c = 0; c < kColumns; ++c)
            g->SetCells(c + 1, r + 1, CellText(r, c, random));
    }
}

void BM_ExGridFill(benchmark::State& state)
{
    const Integer rows = Integer(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto g = NewGrid(rows);
        state.ResumeTiming();
        Fill(g.get(), rows);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0) * kColumns);
    state.SetItemsProcessed(state.iterations() * state.range(0) * kColumns);
}

void BM_ExGridHideShowColumn(benchmark::State& state)
{
    const Integer rows = Integer(state.range(0));
    auto g = NewGrid(rows);
    Fill(g.get(), rows);
    for (auto _ : state) {
        g->HideColumn(4);
        g->UnHideColumn(4);
        benchmark::DoNotOptimize(g->ColCount());
    }
    state.SetComplexityN(state.range(0) * kColumns);
}

void BM_ExGridIndexes(benchmark::State& state)
{
    const Integer rows = Integer(state.range(0));
    auto g = NewGrid(rows);
    g->HideColumn(2);
    g->HideColumn(7);
    g->HideRow(rows / 2);  // one hidden row: every row conversion walks
    for (auto _ : state) {
        Int64 sum = 0;
        for (Integer c = 0; c < g->ColCount(); ++c)
            sum += g->RealColIndex(c) + g->DisplColIndex(c);
        for (Integer r = 0; r < g->RowCount(); ++r)
            sum += g->DisplRowIndex(r);
        benchmark::DoNotOptimize(sum);
    }
    state.SetComplexityN(state.range(0) * kColumns);
}

// Drops the window's update requests: nothing paints but the explicit render.
class TDropUpdates : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::UpdateRequest; }
};

constexpr Integer kRenderRows = 100000;

// The window with its filled grid, made once for the render workloads.
struct TRenderBench {
    std::unique_ptr<TForm> Form;
    TExStringGrid* Grid = nullptr;
    QWidget* Window = nullptr;
    QImage Image{800, 600, QImage::Format_ARGB32_Premultiplied};
    TDropUpdates Filter;

    TRenderBench()
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetCaption(QStringLiteral("ExGridBench"));
        Form->SetClientSize(800, 600);
        Form->HandleNeeded();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == QStringLiteral("ExGridBench"))
                Window = w;
        Window->setAttribute(Qt::WA_DontShowOnScreen);
        Window->installEventFilter(&Filter);
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetAlign(alClient);
        Grid->Font()->SetName(QStringLiteral("DejaVu Sans"));
        Grid->Font()->SetHeight(-12);
        Grid->FixedFont()->Assign(Grid->Font());
        Grid->SetColCount(kColumns + 1);
        Grid->SetRowCount(kRenderRows + 1);
        Grid->SetDefaultColWidth(99);
        Grid->SetDefaultRowHeight(29);
        Grid->SetColWidths(0, 54);
        Fill(Grid, kRenderRows);
        Form->Show();
        QCoreApplication::processEvents();
        (void)QFontMetrics(QApplication::font()).ascent();
        Render();
    }
    void Render() { Window->render(&Image); }
};

std::unique_ptr<TRenderBench> g_render;

TRenderBench& RenderBench()
{
    if (!g_render)
        g_render = std::make_unique<TRenderBench>();
    return *g_render;
}

// The sorted column in order and every row intact (its cells R<r>C<c> of
// one r, the row number column gone with them).
bool SortedRowsIntact(TExStringGrid* g, bool Numeric)
{
    for (Integer r = 1; r <= kRenderRows; ++r) {
        const QString first = g->Cells(1, r);
        const QString prefix = first.left(first.indexOf(u'C'));
        if (g->Cells(0, r).toInt() != prefix.mid(1).toInt() + 1)
            return false;
        for (Integer c = 0; c < kColumns; ++c)
            if (c != kSortColumn && !g->Cells(c + 1, r).startsWith(prefix + u'C'))
                return false;
        if (r > 1) {
            const QString a = g->Cells(kSortColumn + 1, r - 1), b = g->Cells(kSortColumn + 1, r);
            if (Numeric ? a.toDouble() > b.toDouble() : a > b)
                return false;
        }
    }
    return true;
}

__attribute__((noinline)) void SortCol3Body(TRenderBench& b)
{
    b.Grid->SortByColumn(kSortColumn + 1);
    QCoreApplication::processEvents();
}

void SortCol3(benchmark::State& state, bool Text)
{
    TRenderBench& b = RenderBench();
    b.Grid->OnGetFormat = nullptr;
    if (Text)
        b.Grid->OnGetFormat = [](TObject*, Integer, TSortStyle& Style, QString&, QString&) { Style = ssAlphabetic; };
    for (auto _ : state) {
        state.PauseTiming();
        Fill(b.Grid, kRenderRows);
        b.Grid->SetTopRow(1);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        SortCol3Body(b);
    }
    if (!SortedRowsIntact(b.Grid, !Text))
        state.SkipWithError("the sorted table is out of order or its rows were broken");
    b.Grid->OnGetFormat = nullptr;
    Fill(b.Grid, kRenderRows);
}

void BM_ExGridSortCol3(benchmark::State& state)
{
    SortCol3(state, false);
}

void BM_ExGridSortCol3Text(benchmark::State& state)
{
    SortCol3(state, true);
}

} // namespace

BENCHMARK(BM_ExGridFill)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_ExGridHideShowColumn)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_ExGridIndexes)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    const int iterations = qEnvironmentVariableIntValue("GRID_BENCH_ITERATIONS");
    const std::pair<const char*, void (*)(benchmark::State&)> renders[] = {
        {"BM_ExGridSortCol3", BM_ExGridSortCol3},
        {"BM_ExGridSortCol3Text", BM_ExGridSortCol3Text},
    };
    for (const auto& [name, fn] : renders) {
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
    g_render.reset();
    return 0;
}
