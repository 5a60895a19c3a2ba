// Small records of the string grid: the background settings' setters, the
// modified-cell marking, a hidden row's texts, and the queries of the
// column-order record.

#include "grid/ExGrid.h"

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

void TExStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
    // Once an order is recorded its entries move with the columns.
    const Integer n = FColumnOrder->Count();
    if (n == 0 || FromIndex < 0 || ToIndex < 0 || FromIndex >= n || ToIndex >= n || FromIndex == ToIndex)
        return;
    const Integer entry = FColumnOrder->Items(FromIndex);
    FColumnOrder->Delete(FromIndex);
    FColumnOrder->Insert(ToIndex, entry);
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
