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

void TExStringGrid::SetLook(TGridLook Value)
{
    FLook = Value;
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

void TExStringGrid::GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& State, bool Printing, bool Flag,
                                        bool MapColumn, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                                        TColor& MirrorColorTo, TFont* AFont, TAlignment& Alignment,
                                        TVAlignment& VAlignment, bool& WordWrap,
                                        TCellGradientDirection& GradientDirection)
{
    const Integer rc = MapColumn ? RealColIndex(ACol) : ACol;
    const bool fixed = (State & gdFixed) != 0 || ACol < FixedCols() || ARow < FixedRows();
    const bool selected = (State & gdSelected) != 0 && ShowSelection();
    Alignment = DefaultAlignment();
    VAlignment = this->VAlignment();
    WordWrap = FWordWrap;
    if (fixed) {
        State |= gdFixed;
        ABrush->SetColor(FixedColor());
        AFont->Assign(FFixedFont.get());
    } else if (selected) {
        ABrush->SetColor(FSelectionColor);
        ColorTo = FSelectionColorTo;
        MirrorColor = FSelectionMirrorColor;
        MirrorColorTo = FSelectionMirrorColorTo;
        AFont->SetColor(FSelectionTextColor);
    } else if (FBands->Active() && ARow >= FixedRows()) {
        const Integer band = (ARow - FixedRows()) % std::max(1, FBands->TotalLength());
        ABrush->SetColor(band < FBands->PrimaryLength() ? FBands->PrimaryColor() : FBands->SecondaryColor());
    } else {
        ABrush->SetColor(Color());
    }
    if (const TCellProperties* p = PropsOf(rc, ARow)) {
        if (p->BrushColor() != clNone && !selected) {
            ABrush->SetColor(p->BrushColor());
            ColorTo = p->BrushColorTo();
            GradientDirection = p->GradientDirection();
        }
        if (p->FontColor() != clNone && !selected)
            AFont->SetColor(p->FontColor());
        if (p->FontSize() != 0)
            AFont->SetSize(p->FontSize());
        if (!p->FontName().isEmpty())
            AFont->SetName(p->FontName());
        AFont->SetStyle(AFont->Style() | p->FontStyle());
        Alignment = p->Alignment();
        VAlignment = p->VAlignment();
        WordWrap = p->WordWrap();
    }
    // The cell colour hooks and events have the last word (selected cells
    // keep the selection colours).
    if (!selected) {
        if (Printing)
            GetCellPrintColor(rc, ARow, State, ABrush, AFont);
        else
            GetCellColor(rc, ARow, State, ABrush, AFont);
    }
}

void TExStringGrid::DrawGridCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State)
{
    // The check-box editor shows the cell's text as its caption; the text
    // is not drawn under it a second time.
    if (EditMode && EditControl == edCheckBox && ACol == Col() && ARow == Row())
        return;
    const Integer rc = RealColIndex(ACol);
    TAlignment alignment = DefaultAlignment();
    TVAlignment valignment = VAlignment();
    if (const TCellProperties* p = PropsOf(rc, ARow)) {
        alignment = p->Alignment();
        valignment = p->VAlignment();
    }
    Cardinal flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    flags |= alignment == taCenter ? DT_CENTER : alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    flags |= valignment == vtaCenter ? DT_VCENTER : valignment == vtaBottom ? DT_BOTTOM : DT_TOP;
    TRect r = Rect;
    r.Left += XYOffset().X;
    r.Right -= XYOffset().X;
    if (valignment == vtaTop)
        r.Top += XYOffset().Y;
    Canvas->Brush()->SetStyle(bsClear);
    DrawText(Canvas, Cells(rc, ARow), r, flags);
    Canvas->Brush()->SetStyle(bsSolid);
}
