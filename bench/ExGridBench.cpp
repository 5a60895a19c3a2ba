// The string grid on the table of GridBench (rows of "R<r>C<c>", column 3
// the r-th output of std::mt19937 with its default seed, a header row and a
// row-number column), up to 100,000 rows by 10 columns: filling every cell
// through the grid's cell access, hiding and showing a column, and
// converting every display column and row index to its real one. Each runs
// at several row counts, so that the reported complexity shows the cost
// growing linearly with the cells. GridBench renders the grid.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>

#include <charconv>
#include <memory>
#include <random>
#include <vector>

#include "grid/ExGrid.h"

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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
