// TExStringGrid: inserting and removing whole rows and columns with
// everything that hangs on them (texts, cell objects, heights and widths,
// hidden-column flags, hidden-row records, modified, enabled and selected
// row marks, the current row), and removal or hiding by selection, check
// state and duplicate texts.

#include "grid/ExGrid.h"

#include <QStringList>
#include <algorithm>

#include "grid/ExGridCellGraphic.h"

namespace {

// Deletes entry Index of a per-row list when the list reaches that far.
template <class List>
void DeleteEntry(List* L, Integer Index)
{
    if (L != nullptr && Index >= 0 && Index < L->Count())
        L->Delete(Index);
}

} // namespace

// ------------------------------------------------------------------ rows

void TExStringGrid::RemoveRows(Integer RowIndex, Integer RCount)
{
    if (RowIndex > RowCount() || RCount <= 0 || RowIndex < 0)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    if (RCount <= 0)
        return;
    // The removed rows' objects go with them.
    FreeCellGraphics(0, RowIndex, TotalColCount() - 1, RowIndex + RCount - 1);
    const Integer lastWidth = ColWidths(ColCount() - 1);
    const bool entered = FEntered;
    FEntered = false;
    SelectCell(Col(), Row());
    BeginUpdate();
    try {
        const Integer oldTop = TopRow();
        const Integer oldRow = Row();
        ShiftHiddenRowsForRemoval(RowIndex, RCount);
        for (Integer i = 0; i < RCount; ++i) {
            if (FShowModified->Enabled())
                DeleteEntry(FModifiedRows.get(), RowIndex);
            if (FUseEnabledRows)
                DeleteEntry(FEnabledRows.get(), RowIndex);
            if (FMouseActions->DisjunctRowSelect())
                DeleteEntry(FRowSelect.get(), RowIndex);
        }
        // Whole rows (hidden columns included) move up with their heights;
        // the emptied rows end up past the new count.
        for (Integer r = RowIndex; r < RowIndex + RCount; ++r)
            ResetRow(r);
        FRowGapMove = true;
        for (Integer i = 0; i < RCount; ++i)
            MoveRow(RowIndex, RowCount() - 1);
        FRowGapMove = false;
        TCustomGrid::SetRowCount(RowCount() - RCount);
        FNormalRowCount = RowCount();
        FMaxRowCount = std::max(RowCount(), FMaxRowCount - RCount);
        if (oldRow < RowCount() - FixedFooters()) {
            if (!FMouseActions->DisjunctRowSelect() && oldRow >= FixedRows())
                MoveColRow(Col(), oldRow, true, false);
            if (oldTop < RowCount())
                TCustomGrid::SetTopRow(std::max(oldTop, FixedRows()));
        } else if (FixedRows() < RowCount() - FixedFooters()) {
            MoveColRow(Col(), RowCount() - FixedFooters() - 1, true, false);
        } else {
            HideSelection();
        }
        FSelHidden = false;
        SetColWidths(ColCount() - 1, lastWidth);
    } catch (...) {
        EndUpdate();
        FEntered = entered;
        throw;
    }
    EndUpdate();
    FEntered = entered;
    CellsChanged({0, RowIndex, ColCount() - 1, RowIndex + RCount});
}

void TExStringGrid::DoRemoveRows(Integer RowIndex, Integer RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    const bool persistent = FMouseActions->RowSelectPersistent();
    if (FMouseActions->DisjunctRowSelect() && !persistent)
        for (Integer i = 0; i < RCount; ++i)
            DeleteEntry(FRowSelect.get(), RowIndex);
    const Integer oldRow = Row();
    DoDeleteRows(RowIndex, RCount, true);
    if (oldRow >= RowCount() - FixedFooters()) {
        if (FixedRows() < RowCount() - FixedFooters())
            MoveColRow(Col(), RowCount() - FixedFooters() - 1, true, false);
        else
            HideSelection();
        FSelHidden = false;
    }
}

void TExStringGrid::InsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls)
{
    if (RCount <= 0 || RowIndex < 0 || RowIndex > RowCount())
        return;
    const Integer lastWidth = ColWidths(ColCount() - 1);
    if (FSelHidden || Col() >= ColCount() || Row() >= RowCount())
        UnHideSelection();
    // A visible floating footer keeps the last row: the new rows go above it.
    const Integer at = FFloatingFooter->Visible() && RowIndex >= RowCount() ? RowCount() - 1 : RowIndex;
    ShiftHiddenRowsForInsertion(std::max(at, 0), RCount);
    DoInsertRows(std::max(at, 0), RCount);
    if (FShowModified->Enabled())
        for (Integer i = 0; i < RCount; ++i)
            if (RowIndex < FModifiedRows->Count())
                FModifiedRows->Insert(RowIndex, 0);
    if (FUseEnabledRows)
        for (Integer i = 0; i < RCount; ++i)
            if (RowIndex < FEnabledRows->Count())
                FEnabledRows->Insert(RowIndex, 0);
    SetColWidths(ColCount() - 1, lastWidth);
    (void)UpdateCellControls;
    if (!IsDestroying())
        CellsChanged({0, RowIndex, ColCount() - 1, RowIndex + RCount});
}

// --------------------------------------------------------------- columns

void TExStringGrid::InsertCols(Integer ColIndex, Integer CCount)
{
    if (CCount <= 0 || ColIndex < 0 || ColIndex > ColCount() + FNumHidden)
        return;
    // The visibility store ends at the last real column that can be hidden.
    CCount = std::min(CCount, MAX_COLUMNS - (ColCount() + FNumHidden));
    if (CCount <= 0)
        return;
    const Integer rows = AllRowCount();
    SetColCount(ColCount() + CCount);
    const Integer total = ColCount() + FNumHidden;
    for (Integer i = total - 1; i >= ColIndex + CCount; --i) {
        for (Integer r = 0; r < rows; ++r) {
            SetGridCell(i, r, GetGridCell(i - CCount, r));
            SetGridObject(i, r, GetGridObject(i - CCount, r));
        }
        if (i < ColCount())
            SetColWidths(i, ColWidths(i - CCount));
        FVisibleCol[size_t(i)] = FVisibleCol[size_t(i - CCount)];
        // A hidden column's remembered width travels with it.
        FAllColWidths[size_t(i)] = FAllColWidths[size_t(i - CCount)];
    }
    for (Integer i = ColIndex; i < ColIndex + CCount; ++i) {
        if (i < ColCount())
            SetColWidths(i, DefaultColWidth());
        FVisibleCol[size_t(i)] = true;
        // Emptied without freeing: the objects moved right.
        for (Integer r = 0; r < rows; ++r) {
            SetGridCell(i, r, QString());
            SetGridObject(i, r, nullptr);
        }
    }
    Invalidate();
}

void TExStringGrid::RemoveCols(Integer ColIndex, Integer CCount)
{
    const Integer total = ColCount() + FNumHidden;
    if (ColIndex < 0 || ColIndex >= total || CCount <= 0)
        return;
    if (ColIndex + CCount > total)
        CCount = total - ColIndex;
    // The columns removed that are shown; the last displayed column stays.
    auto shownIn = [this](Integer From, Integer Count) {
        Integer n = 0;
        for (Integer i = From; i < From + Count; ++i)
            if (i >= MAX_COLUMNS || FVisibleCol[size_t(i)])
                ++n;
        return n;
    };
    while (CCount > 0 && shownIn(ColIndex, CCount) >= ColCount())
        --CCount;
    if (CCount <= 0)
        return;
    const Integer shown = shownIn(ColIndex, CCount);
    const Integer rows = AllRowCount();
    FreeCellGraphics(ColIndex, 0, ColIndex + CCount - 1, rows - 1);
    for (Integer i = ColIndex; i < total; ++i) {
        const bool inside = i + CCount < total;
        for (Integer r = 0; r < rows; ++r) {
            SetGridCell(i, r, inside ? GetGridCell(i + CCount, r) : QString());
            SetGridObject(i, r, inside ? GetGridObject(i + CCount, r) : nullptr);
        }
        if (inside && i + CCount < ColCount())
            SetColWidths(i, ColWidths(i + CCount));
        FVisibleCol[size_t(i)] = inside ? FVisibleCol[size_t(i + CCount)] : true;
        FAllColWidths[size_t(i)] = inside ? FAllColWidths[size_t(i + CCount)] : SmallInt(0);
    }
    // Hidden columns removed leave the hidden count, shown ones the displayed.
    FNumHidden -= CCount - shown;
    SetColCount(ColCount() - shown);
    CellsChanged({ColIndex, 0, ColIndex + CCount, RowCount() - 1});
}

// ------------------------------------------ removal by selection and state

void TExStringGrid::RemoveCheckedRows(Integer CheckBoxColumn, bool RemoveChecked)
{
    BeginUpdate();
    for (Integer r = RowCount() - 1; r >= FixedRows(); --r)
        if (IsChecked(CheckBoxColumn, r) == RemoveChecked)
            RemoveRows(r, 1);
    EndUpdate();
}

void TExStringGrid::RemoveDuplicates(Integer ACol, bool DoCase)
{
    const Integer c = RealColIndex(ACol);
    QStringList kept;
    BeginUpdate();
    Integer r = FixedRows();
    while (r < RowCount() - FixedFooters()) {
        const QString s = Cells(c, r);
        if (kept.contains(s, Qt::CaseInsensitive)) {
            DoRemoveRows(r, 1);
            continue;
        }
        kept.append(DoCase ? s : s.toUpper());
        ++r;
    }
    EndUpdate();
}

void TExStringGrid::RemoveSelectedRows()
{
    if (FMouseActions->DisjunctRowSelect()) {
        std::vector<Integer> rows;
        for (Integer r = RowCount() - FixedFooters() - 1; r >= FixedRows(); --r)
            if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r))
                rows.push_back(r);
        for (Integer r : rows)
            DoRemoveRows(r, 1);
        ClearRowSelect();
        return;
    }
    const TGridRect s = Selection();
    BeginUpdate();
    for (Integer r = std::max(s.Top, s.Bottom); r >= std::min(s.Top, s.Bottom); --r)
        DoRemoveRows(r, 1);
    EndUpdate();
}

void TExStringGrid::RemoveUnSelectedRows()
{
    for (Integer r = RowCount() - FixedFooters() - 1; r >= FixedRows(); --r)
        if (!RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r))
            DoRemoveRows(r, 1);
    if (FMouseActions->RowSelectPersistent())
        SelectRows(FixedRows(), RowCount() - FixedRows());
    else
        ClearRowSelect();
}

void TExStringGrid::RemoveSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (Integer c = ColCount() - 1; c >= FixedCols(); --c)
            if (ColSelect(c)) {
                RemoveCols(c, 1);
                DeleteEntry(FColSelect.get(), c);
            }
        return;
    }
    const TGridRect s = Selection();
    const Integer l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
    RemoveCols(l, r - l + 1);
}

void TExStringGrid::RemoveUnSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (Integer c = ColCount() - 1; c >= FixedCols(); --c)
            if (!ColSelect(c)) {
                RemoveCols(c, 1);
                DeleteEntry(FColSelect.get(), c);
            }
        ClearColSelect();
        return;
    }
    const TGridRect s = Selection();
    const Integer l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
    RemoveCols(r + 1, ColCount() - r);
    RemoveCols(FixedCols(), l - FixedCols());
    ClearColSelect();
}

void TExStringGrid::HideSelectedRows()
{
    BeginUpdate();
    for (Integer r = RowCount() - 1; r >= FixedRows(); --r)
        if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) {
            const Integer real = RealRowIndex(r);
            HideRows(real, real);
        }
    EndUpdate();
}

void TExStringGrid::HideUnSelectedRows()
{
    BeginUpdate();
    Integer r = FixedRows();
    while (r < RowCount()) {
        if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) {
            ++r;
            continue;
        }
        const Integer real = RealRowIndex(r);
        const Integer before = RowCount();
        HideRows(real, real);
        if (RowCount() == before)
            ++r;  // nothing was hidden: go on rather than loop
    }
    EndUpdate();
}
