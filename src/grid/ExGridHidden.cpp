// TExStringGrid: hidden columns (cells stay in place, widths kept by real
// index), hidden rows (moved with their cells and height into the
// hidden-row store), real and display indexes both ways, and the row
// primitives hiding relies on.

#include "grid/ExGrid.h"

#include <algorithm>
#include <vector>

#include "grid/ExGridCellGraphic.h"

// ------------------------------------------------------------ column indexes

// Only real columns 0 .. MAX_COLUMNS - 1 can be hidden; those from
// MAX_COLUMNS on are always shown and come after every hidden one, so in a
// wider grid they stand FNumHidden places further left on screen.

Integer TExStringGrid::RealToDisplCol(Integer RealCol) const
{
    if (FNumHidden == 0 || RealCol <= 0)
        return RealCol;
    if (RealCol >= MAX_COLUMNS)
        return RealCol - FNumHidden;
    Integer hidden = 0;
    for (Integer j = 0; j < RealCol; ++j)
        if (!FVisibleCol[size_t(j)])
            ++hidden;
    return RealCol - hidden;
}

Integer TExStringGrid::DisplToRealCol(Integer DisplCol) const
{
    if (FNumHidden == 0 || DisplCol < 0)
        return DisplCol;
    Integer shown = 0;
    for (Integer j = 0; j < MAX_COLUMNS; ++j) {
        if (!FVisibleCol[size_t(j)])
            continue;
        if (shown == DisplCol)
            return j;
        ++shown;
    }
    // Past the columns that can be hidden, display and real columns keep
    // their distance.
    return DisplCol + FNumHidden;
}

bool TExStringGrid::IsHiddenColumn(Integer RealCol) const
{
    if (RealCol < 0 || RealCol >= MAX_COLUMNS)
        return false;
    return !FVisibleCol[size_t(RealCol)];
}

// ----------------------------------------------------------- hiding columns

void TExStringGrid::HideColumns(Integer FromCol, Integer ToCol)
{
    // The open edit is written back before its column may go.
    HideInplaceEdit();
    for (Integer r = std::max(FromCol, 0); r <= ToCol && r < MAX_COLUMNS; ++r) {
        if (!FVisibleCol[size_t(r)] || r >= ColCount() + FNumHidden || ColCount() <= 1)
            continue;
        const Integer d = RealToDisplCol(r);
        FAllColWidths[size_t(r)] = SmallInt(ColWidths(d));
        for (Integer i = d; i < ColCount() - 1; ++i)
            SetColWidths(i, ColWidths(i + 1));
        ++FNumHidden;
        FVisibleCol[size_t(r)] = false;
        if (Col() == ColCount() - 1 && Col() - 1 >= FixedCols())
            TCustomGrid::SetCol(Col() - 1);
        TCustomGrid::SetColCount(ColCount() - 1);
    }
    Invalidate();
}

void TExStringGrid::UnHideColumns(Integer FromCol, Integer ToCol)
{
    HideInplaceEdit();
    for (Integer r = std::max(FromCol, 0); r <= ToCol && r < MAX_COLUMNS; ++r) {
        if (FVisibleCol[size_t(r)])
            continue;
        --FNumHidden;
        FVisibleCol[size_t(r)] = true;
        TCustomGrid::SetColCount(ColCount() + 1);
        const Integer d = RealToDisplCol(r);
        for (Integer i = ColCount() - 1; i > d; --i)
            SetColWidths(i, ColWidths(i - 1));
        SetColWidths(d, FAllColWidths[size_t(r)] > 0 ? FAllColWidths[size_t(r)] : DefaultColWidth());
    }
    Invalidate();
}

// --------------------------------------------------------- hidden selection

void TExStringGrid::HideSelection()
{
    FOldSelection = Selection();
    // One cell just outside the grid: nothing shows as selected. The
    // platform's setter refuses such a cell, so it is placed directly.
    TCustomGrid::FAnchor = FCurrent = TGridCoord{ColCount(), RowCount()};
    FSelHidden = true;
    Invalidate();
}

void TExStringGrid::UnHideSelection()
{
    FSelHidden = false;
    if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
        SetSelection(FOldSelection);
        return;
    }
    const Integer top = FixedRowAlways() && FixedRows() >= RowCount() ? 0 : FixedRows();
    const Integer left = FixedColAlways() && FixedCols() >= ColCount() ? 0 : FixedCols();
    SetSelection({left, top, left, top});
}

// ---------------------------------------------------------------- row store

Integer TExStringGrid::NumHiddenRows() const
{
    return FGridItems ? FGridItems->Count() : 0;
}

Integer TExStringGrid::FindHiddenRow(Integer ARow) const
{
    for (Integer i = 0; i < NumHiddenRows(); ++i)
        if (FGridItems->ItemsAs<TGridItem>(i)->Idx() == ARow)
            return i;
    return -1;
}

Integer TExStringGrid::HiddenRowsBelow(Integer ARow) const
{
    Integer n = 0;
    for (Integer i = 0; i < NumHiddenRows(); ++i)
        if (FGridItems->ItemsAs<TGridItem>(i)->Idx() < ARow)
            ++n;
    return n;
}

bool TExStringGrid::IsHiddenRow(Integer ARow) const
{
    return FindHiddenRow(ARow) >= 0;
}

bool TExStringGrid::IsHiddenRow(Integer ARow, std::unique_ptr<TIntList>& ListHidden) const
{
    if (!ListHidden || ListHidden->Count() == 0) {
        if (!ListHidden)
            ListHidden = std::make_unique<TIntList>(0, 0);
        for (Integer i = 0; i < NumHiddenRows(); ++i)
            ListHidden->Add(FGridItems->ItemsAs<TGridItem>(i)->Idx());
    }
    return ListHidden->HasValue(ARow);
}

Integer TExStringGrid::RealRowIndex(Integer DisplRow) const
{
    if (NumHiddenRows() == 0)
        return DisplRow;
    // The hidden rows sorted once per call; each one at or before the row
    // found so far pushes it one further.
    std::vector<Integer> hidden;
    hidden.reserve(size_t(NumHiddenRows()));
    for (Integer i = 0; i < NumHiddenRows(); ++i)
        hidden.push_back(FGridItems->ItemsAs<TGridItem>(i)->Idx());
    std::sort(hidden.begin(), hidden.end());
    hidden.erase(std::unique(hidden.begin(), hidden.end()), hidden.end());
    Integer real = DisplRow;
    for (Integer h : hidden) {
        if (h > real)
            break;
        ++real;
    }
    return real;
}

Integer TExStringGrid::DisplRowIndex(Integer RealRow) const
{
    return RealRow - HiddenRowsBelow(RealRow);
}

// A hidden row keeps its place among the rows shown: its real index moves by
// the number of real rows removed or inserted before it.

void TExStringGrid::ShiftHiddenRowsForRemoval(Integer DisplRow, Integer ACount)
{
    if (NumHiddenRows() == 0 || ACount <= 0 || DisplRow < 0)
        return;
    std::vector<Integer> hidden;
    hidden.reserve(size_t(NumHiddenRows()));
    for (Integer i = 0; i < NumHiddenRows(); ++i)
        hidden.push_back(FGridItems->ItemsAs<TGridItem>(i)->Idx());
    std::sort(hidden.begin(), hidden.end());
    // The real rows of display rows DisplRow .. DisplRow + ACount - 1.
    std::vector<Integer> removed;
    removed.reserve(size_t(ACount));
    Integer real = RealRowIndex(DisplRow);
    auto h = std::upper_bound(hidden.begin(), hidden.end(), real - 1);
    while (Integer(removed.size()) < ACount) {
        if (h != hidden.end() && *h == real) {
            ++h;
        } else {
            removed.push_back(real);
        }
        ++real;
    }
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        auto* item = FGridItems->ItemsAs<TGridItem>(i);
        const auto before = std::lower_bound(removed.begin(), removed.end(), item->Idx()) - removed.begin();
        item->SetIdx(item->Idx() - Integer(before));
    }
}

void TExStringGrid::ShiftHiddenRowsForInsertion(Integer DisplRow, Integer ACount)
{
    if (NumHiddenRows() == 0 || ACount <= 0 || DisplRow < 0)
        return;
    // The new rows take the real place of the row shown at DisplRow (after
    // the hidden rows just above it), or come after every row.
    const Integer at = RealRowIndex(DisplRow);
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        auto* item = FGridItems->ItemsAs<TGridItem>(i);
        if (item->Idx() >= at)
            item->SetIdx(item->Idx() + ACount);
    }
}

void TExStringGrid::StoreRow(TGridItem* Item, Integer ARow)
{
    TStringList* cells = Item->Items();
    cells->Clear();
    for (Integer c = 0; c < TotalColCount(); ++c)
        cells->AddObject(GetGridCell(c, ARow), GetGridObject(c, ARow));
    Item->SetHeight(RowHeights(ARow));
    // The cells' objects belong to the record now.
    ResetRow(ARow);
}

void TExStringGrid::RestoreRow(TGridItem* Item, Integer ARow)
{
    TStringList* cells = Item->Items();
    for (Integer c = 0; c < cells->Count(); ++c) {
        SetGridCell(c, ARow, cells->Strings(c));
        SetGridObject(c, ARow, cells->Objects(c));
        if (cells->Objects(c) != nullptr)
            NoteStoredProps(c, ARow);
    }
    cells->Clear();
    if (Item->Height() > 0)
        SetRowHeights(ARow, Item->Height());
}

void TExStringGrid::CopyRow(Integer From, Integer To)
{
    for (Integer c = 0; c < TotalColCount(); ++c) {
        SetGridCell(c, To, GetGridCell(c, From));
        SetGridObject(c, To, GetGridObject(c, From));
    }
    SetRowHeights(To, RowHeights(From));
}

// ------------------------------------------------------------ row primitives

void TExStringGrid::DoDeleteRows(Integer ARow, Integer ACount, bool DropControls)
{
    if (ACount <= 0 || ARow < 0 || ARow >= RowCount())
        return;
    ACount = std::min(ACount, RowCount() - ARow);
    // Rows removed (not hidden): the hidden rows keep their neighbours.
    if (DropControls)
        ShiftHiddenRowsForRemoval(ARow, ACount);
    // The deleted rows' objects go with them.
    FreeCellGraphics(0, ARow, TotalColCount() - 1, ARow + ACount - 1);
    for (Integer r = ARow; r < ARow + ACount; ++r)
        ResetRow(r);
    const Integer topRow = TopRow();
    FRowGapMove = true;
    for (Integer i = 0; i < ACount; ++i)
        MoveRow(ARow, RowCount() - 1);
    FRowGapMove = false;
    TCustomGrid::SetRowCount(RowCount() - ACount);
    FNormalRowCount = RowCount();
    if (topRow < RowCount())
        TCustomGrid::SetTopRow(std::max(topRow, FixedRows()));
    CellsChanged({0, ARow, TotalColCount() - 1, ARow + ACount - 1});
}

void TExStringGrid::DoInsertRows(Integer ARow, Integer ACount)
{
    if (ACount <= 0 || ARow < 0 || ARow > RowCount())
        return;
    const Integer old = RowCount();
    TCustomGrid::SetRowCount(old + ACount);
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FNormalRowCount = RowCount();
    // Rows beyond the old count may still hold what was there before.
    FreeCellGraphics(0, old, TotalColCount() - 1, old + ACount - 1);
    for (Integer r = old; r < old + ACount; ++r) {
        ResetRow(r);
        SetRowHeights(r, DefaultRowHeight());
    }
    FRowGapMove = true;
    for (Integer i = 0; i < ACount; ++i)
        if (old + i != ARow + i)
            MoveRow(old + i, ARow + i);
    FRowGapMove = false;
}

void TExStringGrid::RemoveRowsEx(Integer RowIndex, Integer RCount)
{
    DoDeleteRows(RowIndex, RCount, true);
    FMaxRowCount = std::max(RowCount(), FMaxRowCount - RCount);
}

// ------------------------------------------------------------- hiding rows

void TExStringGrid::HideRows(Integer FromRow, Integer ToRow)
{
    // There are no rows before row 0.
    FromRow = std::max<Integer>(FromRow, 0);
    if (ToRow < FromRow)
        return;
    Integer P = HiddenRowsBelow(FromRow);
    const Integer displFrom = FromRow - P;
    std::vector<Integer> rows;
    for (Integer r = FromRow; r <= ToRow; ++r)
        if (!IsHiddenRow(r))
            rows.push_back(r);
    if (rows.empty())
        return;
    // The rows to hide stand one after another on screen from displFrom.
    Integer d = displFrom;
    for (Integer r : rows) {
        if (d >= RowCount())
            break;
        auto* item = static_cast<TGridItem*>(FGridItems->Insert(P++));
        item->SetIdx(r);
        item->SetLevel(0);
        StoreRow(item, d++);
    }
    DoDeleteRows(displFrom, d - displFrom, false);
}

void TExStringGrid::HideRowsEx(Integer FromRow, Integer ToRow)
{
    FromRow = std::max<Integer>(FromRow, 0);
    if (IsHiddenRow(FromRow) || ToRow < FromRow)
        return;
    const Integer d = DisplRowIndex(FromRow);
    const Integer count = std::min(ToRow - FromRow + 1, RowCount() - d);
    for (Integer i = 0; i < count; ++i) {
        auto* item = static_cast<TGridItem*>(FGridItems->Add());
        item->SetIdx(FromRow + i);
        StoreRow(item, d + i);
    }
    // Hiding changes no real index of the rows hidden before.
    DoDeleteRows(d, count, false);
}

void TExStringGrid::HideRowList(TIntList* RowList)
{
    if (RowList == nullptr || RowList->Count() == 0)
        return;
    std::vector<bool> listed(size_t(RowCount()), false);
    // Every record holds the real index of its row, whatever level hid it
    // (the index conversions and the row operations count on it).
    std::vector<Integer> real(size_t(RowList->Count()));
    for (Integer i = 0; i < RowList->Count(); ++i)
        real[size_t(i)] = RealRowIndex(RowList->Items(i));
    for (Integer i = 0; i < RowList->Count(); ++i) {
        const Integer r = RowList->Items(i);
        if (r < 0 || r >= RowCount() || listed[size_t(r)])
            continue;
        listed[size_t(r)] = true;
        auto* item = static_cast<TGridItem*>(FGridItems->Add());
        item->SetIdx(real[size_t(i)]);
        item->SetLevel(FFilterLevel);
        StoreRow(item, r);
    }
    ++FFilterLevel;
    // Close the gaps: the rows left move up in their order.
    Integer dst = 0;
    for (Integer src = 0; src < RowCount(); ++src) {
        if (listed[size_t(src)])
            continue;
        if (dst != src) {
            CopyRow(src, dst);
            ResetRow(src);
        }
        ++dst;
    }
    TCustomGrid::SetRowCount(dst);
    FNormalRowCount = RowCount();
}

void TExStringGrid::UnHideRow(Integer ARow)
{
    const Integer i = FindHiddenRow(ARow);
    if (i < 0)
        return;
    const Integer pos = ARow - HiddenRowsBelow(ARow);
    auto* item = FGridItems->ItemsAs<TGridItem>(i);
    DoInsertRows(pos, 1);
    RestoreRow(item, pos);
    FGridItems->Delete(i);
}

void TExStringGrid::UnHideRows(Integer FromRow, Integer ToRow)
{
    if (!IsHiddenRow(FromRow))
        return;
    for (Integer r = FromRow; r <= ToRow; ++r)
        UnHideRow(r);
}

void TExStringGrid::UnHideRowsAll()
{
    Integer i = 0;
    while (i < NumHiddenRows()) {
        const Integer first = FGridItems->ItemsAs<TGridItem>(i)->Idx();
        Integer last = first;
        for (Integer j = i + 1; j < NumHiddenRows() && FGridItems->ItemsAs<TGridItem>(j)->Idx() == last + 1; ++j)
            ++last;
        const Integer count = NumHiddenRows();
        UnHideRows(first, last);
        // The run's items are gone: go on at the same position. A run that
        // could not be shown again stays, and the walk passes it.
        if (NumHiddenRows() == count)
            ++i;
    }
}

void TExStringGrid::UnHideRowList()
{
    if (FFilterLevel <= 0)
        return;
    const Integer L = FFilterLevel - 1;
    Integer n = 0;
    for (Integer i = 0; i < NumHiddenRows(); ++i)
        if (FGridItems->ItemsAs<TGridItem>(i)->Level() == L)
            ++n;
    // With every normal row hidden there is no cell to move to yet.
    if (Row() >= RowCount() && FixedRows() < RowCount())
        MoveColRow(FixedCols(), FixedRows(), true, true);
    const Integer oldCount = RowCount();
    const bool footer = FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow && oldCount > 0;
    TCustomGrid::SetRowCount(oldCount + n);
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FNormalRowCount = RowCount();
    Integer oldRow = oldCount - 1;
    Integer pos = RowCount() - 1;
    if (footer) {
        // The footer row stays the last one.
        CopyRow(oldRow, pos);
        if (oldRow != pos)
            ResetRow(oldRow);
        --oldRow;
        --pos;
    }
    // The rows of level L in real order, each with the display row it gets
    // back: its real index less the rows that stay hidden above it.
    std::vector<Integer> staying;
    std::vector<std::pair<Integer, TGridItem*>> back;
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        auto* it = FGridItems->ItemsAs<TGridItem>(i);
        if (it->Level() == L)
            back.emplace_back(it->Idx(), it);
        else
            staying.push_back(it->Idx());
    }
    std::sort(staying.begin(), staying.end());
    std::sort(back.begin(), back.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
    for (auto& [at, it] : back)
        at -= Integer(std::lower_bound(staying.begin(), staying.end(), at) - staying.begin());
    Integer item = Integer(back.size()) - 1;
    for (; pos >= 0 && item >= 0; --pos) {
        TGridItem* it = back[size_t(item)].second;
        if (pos == back[size_t(item)].first || oldRow < 0) {
            RestoreRow(it, pos);
            --item;
        } else {
            if (oldRow != pos) {
                CopyRow(oldRow, pos);
                ResetRow(oldRow);
            }
            --oldRow;
        }
    }
    if (FFilterLevel < 2) {
        FGridItems->Clear();
    } else {
        for (Integer i = NumHiddenRows() - 1; i >= 0; --i)
            if (FGridItems->ItemsAs<TGridItem>(i)->Level() == L)
                FGridItems->Delete(i);
    }
}
