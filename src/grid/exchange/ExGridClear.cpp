// Clearing whole rows, columns, the grid and the selection.

#include "grid/ExGrid.h"

#include "grid/ExObj.h"

void TExStringGrid::Clear()
{
    if (RowCount() > 0 && ColCount() > 0)
        ClearRect(0, 0, ColCount() + NumHiddenColumns() - 1, RowCount() - 1);
    SearchInc.clear();
    if (NumHiddenColumns() > 0)
        Invalidate();
}

void TExStringGrid::ClearRows(Integer RowIndex, Integer RCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0)
        return;
    ClearRect(0, RowIndex, ColCount() + NumHiddenColumns() - 1, RowIndex + RCount - 1);
}

void TExStringGrid::ClearCols(Integer ColIndex, Integer CCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0)
        return;
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TExStringGrid::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r))
                ClearRows(r, 1);
    } else if (FMouseActions->DisjunctColSelect()) {
        for (Integer c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c))
                ClearCols(c, 1);
    } else {
        const TGridRect s = Selection();
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
    }
}
