// TExStringGrid: scrolling a cell into view, and moving columns and rows by
// code (the column order is recorded before the first
// move; the controls placed in cells follow their columns and rows).

#include "grid/ExGrid.h"

#include <algorithm>

#include "platform/Messages.h"

// ------------------------------------------------------------ scrolling into view

void TExStringGrid::ScrollInView(Integer ColIndex, Integer RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount())
        return;
    Integer l = LeftCol(), t = TopRow();
    if (ColIndex < LeftCol() || ColIndex >= LeftCol() + VisibleColCount()) {
        SetCol(ColIndex);
        l = std::max(ColIndex - VisibleColCount() / 2, FixedCols());
    }
    if (RowIndex < TopRow() || RowIndex >= TopRow() + VisibleRowCount()) {
        SetRow(RowIndex);
        t = std::max(RowIndex - VisibleRowCount() / 2, FixedRows());
    }
    l = std::min(l, ColCount() - VisibleColCount() + 1);
    if (FixedCols() + VisibleColCount() < ColCount())
        SetLeftCol(std::max(l, FixedCols()));
    t = std::min(t, RowCount() - VisibleRowCount() + 1);
    if (FixedRows() + VisibleRowCount() >= RowCount())
        return;
    SetTopRow(std::max(t, FixedRows()));
    if (FSearchFooter->Visible()) {
        Integer h = Height() - SearchPanelHeight();
        if (HorzScrollBarShown())
            h -= GetSystemMetrics(SM_CYHSCROLL);
        while (CellRect(0, RowIndex).Bottom > h && TopRow() < RowCount() - 1 && RowIndex > TopRow())
            SetTopRow(TopRow() + 1);
    }
}

// ------------------------------------------------------------ moving columns and rows

namespace {

// Where index P lands when the line at From moves to To.
Integer Renumbered(Integer P, Integer From, Integer To)
{
    if (P == From)
        return To;
    if (To < From && P >= To && P < From)
        return P + 1;
    if (From < To && P > From && P <= To)
        return P - 1;
    return P;
}

} // namespace

void TExStringGrid::MoveColumn(Integer FromIndex, Integer ToIndex)
{
    if (FColumnOrder->Count() == 0)
        SetColumnOrder();
    TCustomGrid::MoveColumn(FromIndex, ToIndex);
    if (FControlList->Count() == 0)
        return;
    RenumberCellControls(true, FromIndex, ToIndex);
    CellControlsUpdate(false);
}

void TExStringGrid::MoveRow(Integer FromIndex, Integer ToIndex)
{
    if (FRowGapMove) {
        // Rows moved to make or close a gap: only the rows themselves.
        TCustomGrid::MoveRow(FromIndex, ToIndex);
        return;
    }
    // The row under a fixed-last-row footer stays where it is.
    if (FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow
        && (ToIndex == RowCount() - 1 || FromIndex == RowCount() - 1))
        return;
    TCustomGrid::MoveRow(FromIndex, ToIndex);
    if (FControlList->Count() == 0)
        return;
    RenumberCellControls(false, FromIndex, ToIndex);
    CellControlsUpdate(false);
}

void TExStringGrid::RenumberCellControls(bool Cols, Integer FromIndex, Integer ToIndex)
{
    std::vector<std::tuple<Integer, Integer, TControl*>> items;
    for (Integer i = 0; i < FControlList->Count(); ++i) {
        const TControlItem* it = FControlList->Control(i);
        items.emplace_back(Cols ? Renumbered(it->X(), FromIndex, ToIndex) : it->X(),
                           Cols ? it->Y() : Renumbered(it->Y(), FromIndex, ToIndex), it->Object());
    }
    FControlList->Clear();
    for (const auto& [x, y, c] : items)
        FControlList->AddControl(x, y, c);
}

void TExStringGrid::MoveCellControlRows(Integer FromRow, Integer Delta)
{
    bool any = false;
    std::vector<std::tuple<Integer, Integer, TControl*>> items;
    for (Integer i = 0; i < FControlList->Count(); ++i) {
        const TControlItem* it = FControlList->Control(i);
        const bool moves = it->Y() >= FromRow;
        any = any || moves;
        items.emplace_back(it->X(), moves ? it->Y() + Delta : it->Y(), it->Object());
    }
    if (!any)
        return;
    FControlList->Clear();
    for (const auto& [x, y, c] : items)
        FControlList->AddControl(x, y, c);
}

void TExStringGrid::MoveRows(Integer FromIndex, Integer ToIndex, Integer Count)
{
    if (FromIndex == ToIndex || Count <= 0 || FromIndex < 0 || FromIndex + Count > RowCount())
        return;
    const Integer total = ColCount() + FNumHidden;
    std::vector<std::vector<std::pair<QString, TObject*>>> saved{size_t(Count)};
    std::vector<Integer> heights;
    for (Integer r = 0; r < Count; ++r) {
        for (Integer c = 0; c < total; ++c)
            saved[size_t(r)].emplace_back(GetGridCell(c, FromIndex + r), GetGridObject(c, FromIndex + r));
        heights.push_back(RowHeights(FromIndex + r));
        // The objects travel with the saved rows: the removal must not free them.
        for (Integer c = 0; c < total; ++c)
            SetGridObject(c, FromIndex + r, nullptr);
    }
    if (FromIndex + Count < ToIndex)
        ToIndex -= Count;
    RemoveRowsEx(FromIndex, Count);
    ToIndex = std::clamp(ToIndex, 0, RowCount());
    InsertRows(ToIndex, Count);
    for (Integer r = 0; r < Count; ++r) {
        for (Integer c = 0; c < total; ++c) {
            SetGridCell(c, ToIndex + r, saved[size_t(r)][size_t(c)].first);
            SetGridObject(c, ToIndex + r, saved[size_t(r)][size_t(c)].second);
            if (saved[size_t(r)][size_t(c)].second != nullptr)
                NoteStoredProps(c, ToIndex + r);
        }
        SetRowHeights(ToIndex + r, heights[size_t(r)]);
    }
    Invalidate();
}
