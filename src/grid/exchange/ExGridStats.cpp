// Column and row statistics of the string grid.

#include "grid/ExGrid.h"

#include <QStringList>
#include <cmath>

#include "grid/ExObj.h"

void TExStringGrid::StatRange(Integer& FromRow, Integer& ToRow, bool& RealRows) const
{
    if (FromRow == -1 || ToRow == -1) {
        FromRow = FixedRows();
        ToRow = RowCount() - FixedFooters() - 1;
    }
    // The footer calculation says so itself: with hidden rows counted, its
    // last data row can be the footer row's display index.
    RealRows = FFooterRealRows || (FFloatingFooter->Visible() ? ToRow > RowCount() - 1 : ToRow > RowCount());
}

bool TExStringGrid::StatRowCounts(Integer ACol, Integer R, bool RealRows, std::unique_ptr<TIntList>& Hidden)
{
    const Integer d = RealRows ? DisplRowIndex(R) : R;
    const bool grouped = GroupColumn() != -1;
    if (grouped && (IsNodeRow(d) || IsSummaryRow(d)) && !IsHiddenRow(R, Hidden))
        return false;
    return IsBaseCell(ACol, d);
}

double TExStringGrid::ColumnSum(Integer ACol, Integer FromRow, Integer ToRow)
{
    bool realRows = false;
    StatRange(FromRow, ToRow, realRows);
    std::unique_ptr<TIntList> hidden;
    double sum = 0;
    ExportNotification(esExportStart, FromRow);
    for (Integer r = FromRow; r <= ToRow; ++r) {
        if (!StatRowCounts(ACol, r, realRows, hidden))
            continue;
        ExportNotification(esExportNextRow, r);
        try {
            sum += realRows ? AllFloats(ACol, r) : Floats(ACol, r);
        } catch (const DOzeDidoRivar&) {
        }
    }
    ExportNotification(esExportDone, -1);
    return sum;
}

double TExStringGrid::ColumnAvg(Integer ACol, Integer FromRow, Integer ToRow)
{
    Integer from = FromRow, to = ToRow;
    bool realRows = false;
    StatRange(from, to, realRows);
    const Integer n = to - from + 1;
    return n > 0 ? ColumnSum(ACol, FromRow, ToRow) / n : 0;
}

namespace {
// The smaller (Min) or larger of the running value and the row's.
bool Better(bool Min, double Value, double Current)
{
    return Min ? Value < Current : Value > Current;
}
} // namespace

static double ColumnExtreme(TExStringGrid* G, Integer ACol, Integer FromRow, Integer ToRow, bool Min,
                            const std::function<bool(Integer, bool, std::unique_ptr<TIntList>&)>& Counts,
                            const std::function<void(Integer&, Integer&, bool&)>& Range)
{
    bool realRows = false;
    Range(FromRow, ToRow, realRows);
    // The first cell is read before any test: a text there raises.
    double v = G->Floats(ACol, FromRow);
    std::unique_ptr<TIntList> hidden;
    G->ExportNotification(esExportStart, FromRow);
    for (Integer r = FromRow; r <= ToRow; ++r) {
        if (!Counts(r, realRows, hidden))
            continue;
        G->ExportNotification(esExportNextRow, r);
        try {
            const double x = realRows ? G->AllFloats(ACol, r) : G->Floats(ACol, r);
            if (Better(Min, x, v))
                v = x;
        } catch (const DOzeDidoRivar&) {
        }
    }
    G->ExportNotification(esExportDone, -1);
    return v;
}

double TExStringGrid::ColumnMin(Integer ACol, Integer FromRow, Integer ToRow)
{
    return ColumnExtreme(
        this, ACol, FromRow, ToRow, true,
        [&](Integer r, bool real, std::unique_ptr<TIntList>& h) { return StatRowCounts(ACol, r, real, h); },
        [this](Integer& f, Integer& t, bool& real) { StatRange(f, t, real); });
}

double TExStringGrid::ColumnMax(Integer ACol, Integer FromRow, Integer ToRow)
{
    return ColumnExtreme(
        this, ACol, FromRow, ToRow, false,
        [&](Integer r, bool real, std::unique_ptr<TIntList>& h) { return StatRowCounts(ACol, r, real, h); },
        [this](Integer& f, Integer& t, bool& real) { StatRange(f, t, real); });
}

double TExStringGrid::ColumnStdDev(Integer ACol, Integer FromRow, Integer ToRow)
{
    Integer from = FromRow, to = ToRow;
    bool realRows = false;
    StatRange(from, to, realRows);
    const Integer n = to - from + 1;
    if (n <= 0)
        return 0;
    const double avg = ColumnAvg(ACol, FromRow, ToRow);
    double sq = 0;
    for (Integer r = from; r <= to; ++r) {
        const double d = (realRows ? AllFloats(ACol, r) : Floats(ACol, r)) - avg;
        sq += d * d;
    }
    return std::sqrt(sq / n);
}

double TExStringGrid::ColumnDistinct(Integer ACol, Integer FromRow, Integer ToRow)
{
    bool realRows = false;
    StatRange(FromRow, ToRow, realRows);
    TStringList seen;
    seen.SetSorted(true);
    seen.SetDuplicates(dupIgnore);
    ExportNotification(esExportStart, FromRow);
    try {
        for (Integer r = FromRow; r <= ToRow; ++r) {
            ExportNotification(esExportNextRow, r);
            seen.Add(realRows ? AllCells(ACol, r) : Cells(ACol, r));
        }
    } catch (...) {
        ExportNotification(esExportDone, -1);
        throw;
    }
    ExportNotification(esExportDone, -1);
    return seen.Count();
}

double TExStringGrid::ColumnCustomCalc(Integer ACol, Integer FromRow, Integer ToRow)
{
    double res = 0;
    if (OnColumnCalc)
        OnColumnCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

double TExStringGrid::CalcGroupRange(Integer ACol, Integer FromRow, Integer ToRow)
{
    double res = 0;
    if (OnGroupCalc)
        OnGroupCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

double TExStringGrid::RowSum(Integer ARow, Integer FromCol, Integer ToCol)
{
    double sum = 0;
    for (Integer c = FromCol; c <= ToCol; ++c) {
        if (!IsBaseCell(c, ARow))
            continue;
        try {
            sum += Floats(c, ARow);
        } catch (const DOzeDidoRivar&) {
        }
    }
    return sum;
}

double TExStringGrid::RowAvg(Integer ARow, Integer FromCol, Integer ToCol)
{
    const Integer n = ToCol - FromCol + 1;
    return n > 0 ? RowSum(ARow, FromCol, ToCol) / n : 0;
}

// The smallest (Min) or largest number of the row's base cells, starting
// from the first cell's.
static double RowExtreme(TExStringGrid* G, Integer ARow, Integer FromCol, Integer ToCol, bool Min)
{
    double v = G->Floats(FromCol, ARow);
    for (Integer c = FromCol; c <= ToCol; ++c) {
        if (!G->IsBaseCell(c, ARow))
            continue;
        try {
            const double x = G->Floats(c, ARow);
            if (Better(Min, x, v))
                v = x;
        } catch (const DOzeDidoRivar&) {
        }
    }
    return v;
}

double TExStringGrid::RowMin(Integer ARow, Integer FromCol, Integer ToCol)
{
    return RowExtreme(this, ARow, FromCol, ToCol, true);
}

double TExStringGrid::RowMax(Integer ARow, Integer FromCol, Integer ToCol)
{
    return RowExtreme(this, ARow, FromCol, ToCol, false);
}
