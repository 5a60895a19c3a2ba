// Small records of the string grid: the background settings' setters, the
// modified-cell marking, a hidden row's texts, and the queries of the
// column-order record.

#include "grid/ExGrid.h"

#include <algorithm>

#include "platform/Bitmap.h"

// ------------------------------------------------------------ background

void TBackGround::Repaint()
{
    if (FGrid != nullptr)
        FGrid->Invalidate();
}

void TBackGround::SetTop(Integer Value)
{
    Top = Value;
    Repaint();
}

void TBackGround::SetLeft(Integer Value)
{
    Left = Value;
    Repaint();
}

void TBackGround::SetDisplay(TBackGroundDisplay Value)
{
    Display = Value;
    Repaint();
}

void TBackGround::SetCells(TBackGroundCells Value)
{
    Cells = Value;
    Repaint();
}

void TBackGround::SetColor(TColor Value)
{
    Color = Value;
    Repaint();
}

void TBackGround::SetColorTo(TColor Value)
{
    ColorTo = Value;
    Repaint();
}

void TBackGround::SetBitmap(const TBitmap* Value)
{
    FBitmap->Assign(Value);
    Repaint();
}

// ------------------------------------------------------- modified marking

void TShowModified::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TShowModified*>(Source);
    if (src == nullptr)
        return;
    FColor = src->FColor;
    FEnabled = src->FEnabled;
}

void TShowModified::SetColor(TColor Value)
{
    FColor = Value;
    if (OnChange)
        OnChange(this);
}

// ------------------------------------------------------------ hidden row

void TGridItem::SetItems(const TStrings* Value)
{
    FItems->Assign(Value);
}

// ------------------------------------------------------------ column order

namespace {

// Where position P goes when the item at From moves to To.
Integer MovedPosition(Integer P, Integer From, Integer To)
{
    if (P == From)
        return To;
    if (From < To && P > From && P <= To)
        return P - 1;
    if (From > To && P >= To && P < From)
        return P + 1;
    return P;
}

// Moves entry From of an array to To, the entries between shifting by one.
template <class A>
void MoveEntry(A& Array, Integer From, Integer To)
{
    const auto moved = Array[size_t(From)];
    if (From < To)
        for (Integer i = From; i < To; ++i)
            Array[size_t(i)] = Array[size_t(i + 1)];
    else
        for (Integer i = From; i > To; --i)
            Array[size_t(i)] = Array[size_t(i - 1)];
    Array[size_t(To)] = moved;
}

} // namespace

void TExStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    // The platform has moved the widths and the current cell (display
    // indexes); everything kept by real column moves from the real column
    // shown at FromIndex to the one shown at ToIndex, the hidden columns
    // between staying where they are.
    const Integer rf = DisplToRealCol(FromIndex);
    const Integer rt = DisplToRealCol(ToIndex);
    const Integer all = ColCount() + FNumHidden;
    // The order the columns had before the first move is the one recorded.
    if (FColumnOrder->Count() == 0 && rf != rt)
        SetColumnOrder();
    if (FNumHidden > 0 && rf != rt && rf < all && rt < all && std::max(rf, rt) <= MAX_COLUMNS) {
        MoveEntry(FVisibleCol, rf, rt);
        MoveEntry(FAllColWidths, rf, rt);
    }
    if (EnhRowColMove())
        ColMoveFlg = true;
    // The cells of every row (and OnColumnMoved, with the indexes used).
    TBaseGrid::ColumnMoved(rf, rt);
    // The hidden rows' cells.
    if (rf != rt)
        for (Integer i = 0; i < NumHiddenRows(); ++i) {
            TStringList* cells = FGridItems->ItemsAs<TGridItem>(i)->Items();
            while (cells->Count() <= std::max(rf, rt))
                cells->Add(QString());
            cells->Move(rf, rt);
        }
    if (FSortSettings->Column >= 0)
        FSortSettings->Column = MovedPosition(FSortSettings->Column, rf, rt);
    if (FSortSettings->IndexShow)
        for (Integer i = 0; i < FSortIndexes->Count(); ++i)
            FSortIndexes->SetSortColumns(i, MovedPosition(FSortIndexes->SortColumns(i), rf, rt));
    // Once an order is recorded its entries move with the columns.
    const Integer n = FColumnOrder->Count();
    if (!(n == 0 || rf < 0 || rt < 0 || rf >= n || rt >= n || rf == rt)) {
        const Integer entry = FColumnOrder->Items(rf);
        FColumnOrder->Delete(rf);
        FColumnOrder->Insert(rt, entry);
    }
    if (FFloatingFooter->Visible())
        UpdateFooter();
    // A coupled grid moves the same column once.
    auto* other = dynamic_cast<TExStringGrid*>(FSyncGrid->Grid());
    if (other != nullptr && FSyncGrid->MoveColumn() && !FSyncedMove) {
        other->FSyncedMove = true;
        try {
            other->MoveColumn(FromIndex, ToIndex);
        } catch (...) {
            other->FSyncedMove = false;
            throw;
        }
        other->FSyncedMove = false;
    }
}

void TExStringGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
    // A hidden row keeps its place among the rows shown: the moved row
    // leaves its real position and takes the one of the row shown at
    // ToIndex once it has left.
    if (NumHiddenRows() > 0 && FromIndex != ToIndex && !FRowGapMove) {
        ShiftHiddenRowsForRemoval(FromIndex, 1);
        ShiftHiddenRowsForInsertion(ToIndex, 1);
    }
    // The order the rows had before sorting moves with them, so that the
    // unsorted order stays the one recorded.
    if (!FRowGapMove && FSortRowXRef->Count() == RowCount() && FromIndex != ToIndex && FromIndex >= 0
        && ToIndex >= 0 && FromIndex < RowCount() && ToIndex < RowCount()) {
        const Integer entry = FSortRowXRef->Items(FromIndex);
        FSortRowXRef->TList::Delete(FromIndex);
        FSortRowXRef->TList::Insert(ToIndex, reinterpret_cast<void*>(std::intptr_t(entry)));
    }
    // OnRowMoved fires once the row's cells and height have moved.
    TMovedEvent moved = std::move(OnRowMoved);
    OnRowMoved = nullptr;
    try {
        TBaseGrid::RowMoved(FromIndex, ToIndex);
    } catch (...) {
        OnRowMoved = std::move(moved);
        throw;
    }
    OnRowMoved = std::move(moved);
    if (EnhRowColMove() && !FRowGapMove)
        ColMoveFlg = true;
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
    auto* other = dynamic_cast<TExStringGrid*>(FSyncGrid->Grid());
    if (other != nullptr && FSyncGrid->MoveRow() && !FSyncedMove && !FRowGapMove) {
        other->FSyncedMove = true;
        try {
            other->MoveRow(FromIndex, ToIndex);
        } catch (...) {
            other->FSyncedMove = false;
            throw;
        }
        other->FSyncedMove = false;
    }
}

Integer TExStringGrid::ColumnPosition(Integer ACol) const
{
    if (FColumnOrder->Count() == 0)
        return ACol;
    Integer result = ACol;
    const Integer n = std::min(FColumnOrder->Count(), ColCount() + NumHiddenColumns());
    for (Integer p = 0; p < n; ++p)
        if (FColumnOrder->Items(p) == ACol) {
            result = p;
            break;
        }
    if (GroupColumn() != -1 && GroupColumn() <= ACol)
        --result;
    return result;
}

Integer TExStringGrid::ColumnAtPosition(Integer ACol)
{
    if (FColumnOrder->Count() == 0)
        SetColumnOrder();
    if (FColumnOrder->Count() == 0)
        return ACol;
    Integer result = FColumnOrder->Items(ACol);
    if (GroupColumn() != -1 && GroupColumn() <= result)
        ++result;
    return result;
}

Integer TExStringGrid::ColumnByHeader(const QString& AValue) const
{
    for (Integer i = 0; i < TotalColCount(); ++i)
        if (Cells(i, 0) == AValue)
            return i;
    return -1;
}
