// TExStringGrid: counts, the current row and top row, row selection, cells
// by real row, clearing, and the plain cell look the painter starts from.

#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"

void TExStringGrid::SetRepaint(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Invalidate();
}

void TExStringGrid::SetActiveCellShow(bool Value)
{
    if (FActiveCellShow == Value)
        return;
    FActiveCellShow = Value;
    Invalidate();
}

void TExStringGrid::SetRow(Integer Value)
{
    if (Col() < 0 || Col() >= ColCount())
        MoveColRow(FixedCols(), Value, true, true);
    TCustomGrid::SetRow(Value);
    if (Row() != FOldRowSel && OnRowUpdate) {
        OnRowUpdate(this, FOldRowSel, Row());
        FOldRowSel = Row();
    }
    if (TStringGrid* other = FSyncGrid->Grid(); other != nullptr && FSyncGrid->SelectionRow()
                                                && other->Row() != Row() && Row() < other->RowCount())
        other->SetRow(Row());
}

void TExStringGrid::SetTopRow(Integer Value)
{
    if (Value >= FixedRows() && Value <= RowCount() - 1)
        TCustomGrid::SetTopRow(Value);
}

QString TExStringGrid::GetCellsEx(Integer ACol, Integer ARow) const
{
    const Integer item = FindHiddenRow(ARow);
    if (item >= 0) {
        const TStringList* cells = FGridItems->ItemsAs<TGridItem>(item)->Items();
        return ACol >= 0 && ACol < cells->Count() ? cells->Strings(ACol) : QString();
    }
    return GetCellEx(ACol, DisplRowIndex(ARow));
}

void TExStringGrid::SetCellsEx(Integer ACol, Integer ARow, const QString& Value)
{
    const Integer item = FindHiddenRow(ARow);
    if (item >= 0) {
        TStringList* cells = FGridItems->ItemsAs<TGridItem>(item)->Items();
        while (cells->Count() <= ACol)
            cells->Add(QString());
        cells->SetStrings(ACol, Value);
        return;
    }
    SetCellEx(ACol, DisplRowIndex(ARow), Value);
}

bool TExStringGrid::IsIgnoredColumn(Integer ACol) const
{
    return FIgnoreColumns->HasValue(ACol);
}

void TExStringGrid::ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2)
{
    for (Integer c = ACol1; c <= ACol2; ++c) {
        const Integer rc = SaveHiddenCells() ? RealColIndex(c) : c;
        for (Integer r = ARow1; r <= ARow2; ++r) {
            if (!ClearTextOnly()) {
                if (auto* props = dynamic_cast<TCellProperties*>(GetGridObject(rc, r))) {
                    SetGridObject(rc, r, nullptr);
                    if (!FNilObjects)
                        FreePropertiesObject(props);
                }
            }
            if (!IsDestroying() && !GetGridCell(rc, r).isEmpty())
                SetGridCell(rc, r, QString());
        }
    }
    if (ACol1 == 0 && ARow1 == 0 && ACol2 >= TotalColCount() - 1 && ARow2 >= RowCount() - 1)
        FHasCellProps = false;
    if (!IsDestroying() && !FBlockCellChange)
        CellsChanged({ACol1, ARow1, ACol2, ARow2});
}

void TExStringGrid::GetDefaultCellProperties(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush,
                                             TColor& ColorTo, TColor& MirrorColor, TColor& MirrorColorTo,
                                             TAlignment& Alignment, TVAlignment& VAlignment, bool& WordWrap,
                                             TCellGradientDirection& GradientDirection)
{
    TBaseGrid::GetDefaultCellProperties(ACol, ARow, AFont, ABrush, ColorTo, MirrorColor, MirrorColorTo, Alignment,
                                        VAlignment, WordWrap, GradientDirection);
    // Fixed and selected cells and banded rows take their colours from the
    // grid at paint time, so their properties start without one.
    const bool fixed = ACol < FixedCols() || ARow < FixedRows();
    const bool selected = Selection().Contains(DisplColIndex(ACol), ARow);
    if (fixed || selected || FBands->Active())
        ABrush->SetColor(clNone);
    Alignment = DefaultAlignment();
    VAlignment = this->VAlignment();
}
