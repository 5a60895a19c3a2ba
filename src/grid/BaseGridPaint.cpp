// TBaseGrid: cell rectangles, the common cell painter (hover and active
// rows, selection frames, grid lines, gradients) and the navigation that
// keeps the current cell on the base cell of a merged area.

#include "grid/BaseGrid.h"

#include "grid/ExUtil.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Messages.h"

// ------------------------------------------------------------------ geometry

Integer TBaseGrid::FixedColsWidth() const
{
    Integer w = 0;
    for (Integer c = 0; c < FixedCols(); ++c)
        w += ColWidths(c);
    return w;
}

Integer TBaseGrid::FixedRowsHeight() const
{
    Integer h = 0;
    for (Integer r = 0; r < FixedRows(); ++r)
        h += RowHeights(r);
    return h;
}

// Sum of the sizes of [From, To) as a signed distance (negative when To < From).
template <class SizeOf>
static Integer SpanBetween(Integer From, Integer To, SizeOf sizeOf)
{
    Integer sum = 0;
    for (Integer i = std::min(From, To); i < std::max(From, To); ++i)
        sum += sizeOf(i);
    return To >= From ? sum : -sum;
}

TRect TBaseGrid::CalcCellRect(Integer ACol, Integer ARow) const
{
    const auto width = [this](Integer i) { return ColWidths(i); };
    const auto height = [this](Integer i) { return RowHeights(i); };
    Integer x, y;
    // Only the scrolled part is summed: the fixed cells start at the origin
    // and the others at the first cell in view.
    if (ACol < FixedCols())
        x = SpanBetween(0, ACol, width);
    else
        x = FixedColsWidth() + SpanBetween(LeftCol(), ACol, width);
    if (ARow < FixedRows())
        y = SpanBetween(0, ARow, height);
    else
        y = FixedRowsHeight() + SpanBetween(TopRow(), ARow, height);
    return {x, y, x + ColWidths(ACol), y + RowHeights(ARow)};
}

TRect TBaseGrid::CellRect(Integer ACol, Integer ARow) const
{
    if (const TCellProperties* p = PropsOf(ACol, ARow)) {
        if (p->CellSpanX() != -1 || p->CellSpanY() != -1) {
            const TPoint b = BaseCell(ACol, ARow);
            const TPoint span = CellSpan(ACol, ARow);
            TRect r1 = CalcCellRect(b.X, b.Y);
            TRect r2 = CalcCellRect(b.X + span.X, b.Y + span.Y);
            if (r1.Width() == 0)
                ++r1.Right;
            if (r2.Width() == 0)
                --r2.Left;
            return {std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top), std::max(r1.Right, r2.Right),
                    std::max(r1.Bottom, r2.Bottom)};
        }
        if (p->Control() != nullptr)
            return CalcCellRect(ACol, ARow);
    }
    const TRect r = TCustomGrid::CellRect(ACol, ARow);
    return {r.Left, r.Top, r.Left + ColWidths(ACol), r.Top + RowHeights(ARow)};
}

TPoint TBaseGrid::CellSize(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    const TRect r = (p != nullptr && (p->CellSpanX() != -1 || p->CellSpanY() != -1)) ? CellRect(ACol, ARow)
                                                                                      : CalcCellRect(ACol, ARow);
    return {r.Width(), r.Height()};
}

void TBaseGrid::RepaintCell(Integer ACol, Integer ARow)
{
    if (!HandleAllocated() || IsDestroying())
        return;
    InvalidateCell(ACol, ARow);
    const TCellProperties* p = PropsOf(ACol, ARow);
    if (p != nullptr && (p->CellSpanX() > 0 || p->CellSpanY() > 0)) {
        // The whole area is painted through its base cell.
        const TRect full = FullCell(ACol, ARow);
        for (Integer c = full.Left; c <= full.Right; ++c)
            for (Integer r = full.Top; r <= full.Bottom; ++r)
                if (c != ACol || r != ARow)
                    InvalidateCell(c, r);
    }
}

// ------------------------------------------------------------------ painting

void TBaseGrid::GetDefaultCellProperties(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                         TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& Alignment,
                                         TVAlignment& VAlignment, bool& WordWrap,
                                         TCellGradientDirection& GradientDirection)
{
    AFont->Assign(Font());
    ABrush->SetColor(Color());
    ColorTo = clNone;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    GradientDirection = GradientVertical;
    WordWrap = FWordWrap;
    VAlignment = vtaTop;
    Alignment = taLeftJustify;
}

void TBaseGrid::DrawGridCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State)
{
    Canvas->Brush()->SetStyle(bsClear);
    DrawText(Canvas, Cells(ACol, ARow), Rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    Canvas->Brush()->SetStyle(bsSolid);
}

void TBaseGrid::Paint()
{
    TObjStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellFrame(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellFrame(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellFrame(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::PaintCellAt(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellFrame(ACanvas, ACol, ARow, ARect, AState, false, true);
}

namespace {

struct TFrameColors {
    TColor Fill, FillTo, Corner, Outer, InnerLower, InnerUpper, LowerFrom, LowerTo;
};

// The selection looks: fill, corners, frame and inner lines per style.
TFrameColors SelectionColors(TGridSelectionStyle Style, bool Focused)
{
    if (!Focused)
        return {0xF8F8F8, 0xE5E5E5, 0xEFEFEF, 0xD9D9D9, 0xF0F0F0, 0xFBFAFA, clNone, clNone};
    switch (Style) {
    case ssWin7:
        return {0xFCEBDC, 0xFCDBC1, 0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone};
    case ssOffice2007:
        return {0xD7FFFD, 0x58D4FC, 0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0x58D4FC, 0xB3F1FC};
    default:
        return {0xFDF8F1, 0xFCEFD5, 0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone};
    }
}

} // namespace

void TBaseGrid::DrawSelectionFrame(TCanvas* Canvas, Integer ACol, const TRect& R)
{
    const TGridRect sel = Selection();
    const Integer L = std::min(sel.Left, sel.Right);
    const Integer Rt = std::max(sel.Left, sel.Right);
    Integer shape = 0;
    if (ACol == L && L < Rt)
        shape = 1;
    else if (ACol == Rt && Rt > L)
        shape = 2;
    else if (L < ACol && ACol < Rt)
        shape = 3;
    TRect fr = R;
    if ((Options() & goHorzLine) == 0)
        ++fr.Bottom;
    if ((Options() & goVertLine) == 0)
        ++fr.Right;
    const bool focused = Focused() || (Options() & goDrawFocusSelected) != 0;
    const TFrameColors c = SelectionColors(FSelectionStyle, focused);
    // With a lower half, the mirror colours fill it.
    DrawButtonFrame(Canvas, c.Fill, c.FillTo, c.LowerFrom, c.LowerTo, c.InnerUpper, c.InnerLower, c.Outer, c.Corner,
                    Color(), fr, shape);
}

void TBaseGrid::PaintCellFrame(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState,
                               bool Full, bool Placed)
{
    // 1. The hidden footer row is blank.
    if (FHideLastRow && ARow == RowCount() - 1 && !Placed) {
        Canvas->Brush()->SetColor(Color());
        Canvas->Pen()->SetColor(Color());
        Canvas->Rectangle(ARect);
        return;
    }
    // 2. A covered cell paints its area once per cycle, through the base cell.
    if (TCellProperties* p = PropsOf(ACol, ARow); p != nullptr && !p->IsBaseCell() && !Placed) {
        const TPoint b = p->GetBaseCell(ACol, ARow);
        if (TCellProperties* base = PropsOf(b.X, b.Y); base != nullptr && base->PaintID() != FPaintID) {
            base->SetPaintID(FPaintID);
            PaintCell(Canvas, b.X, b.Y, ARect, AState);
        }
        return;
    }

    TRect R = ARect;
    if (Full) {
        if (IsFixed(ACol, ARow))
            AState = (AState & ~TGridDrawState(gdSelected)) | gdFixed;
        R = CellRect(ACol, ARow);
    }
    const bool fixed = (AState & gdFixed) != 0;
    const bool selected = (AState & gdSelected) != 0;

    // Keep a merged area scrolled under the fixed cells off them.
    const Integer XL = ACol < FixedCols() ? 0 : FixedColsWidth();
    const Integer YT = ARow < FixedRows() ? 0 : FixedRowsHeight();
    Integer saved = 0;
    const bool clip = !Placed && ((ACol >= FixedCols() && FixedCols() > 0 && R.Left < XL)
                                  || (ARow >= FixedRows() && FixedRows() > 0 && R.Top < YT));
    if (clip) {
        saved = Canvas->SaveDC();
        Canvas->IntersectClipRect({XL, YT, Width(), Height()});
    }

    Canvas->Pen()->SetWidth(1);
    Canvas->Font()->Assign(Font());
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment alignment = taLeftJustify;
    TVAlignment valignment = vtaTop;
    bool wordWrap = FWordWrap;
    TCellGradientDirection direction = GradientVertical;
    GetVisualProperties(ACol, ARow, AState, false, true, true, Canvas->Brush(), colorTo, mirror, mirrorTo,
                        Canvas->Font(), alignment, valignment, wordWrap, direction);
    Canvas->Pen()->SetColor(Canvas->Brush()->Color());

    if (ARow == FHoverRowIdx && FHoverRow && !(selected && (FHoverRowCells & hcSelected) == 0)
        && !(fixed && (FHoverRowCells & hcFixed) == 0)) {
        Canvas->Brush()->SetColor(FHoverRowColor);
        colorTo = FHoverRowColorTo;
        mirror = clNone;
        mirrorTo = clNone;
        direction = GradientVertical;
    }
    if ((FActiveRowShow && ARow == Row() && ACol >= FixedCols() && (ACol != Col() || !FShowSel))
        || (!Full && selected)) {
        Canvas->Brush()->SetColor(FActiveRowColor);
        colorTo = FActiveRowColorTo;
        mirror = FActiveRowMirrorColor;
        mirrorTo = FActiveRowMirrorColorTo;
    }
    Canvas->Pen()->SetColor(Canvas->Brush()->Color());

    // Background.
    if (selected && FSelectionStyle != ssDefault && FShowSel) {
        DrawSelectionFrame(Canvas, ACol, R);
    } else if (!(UsesVCLStyles() && (fixed || selected))) {
        if (mirrorTo == clNone)
            DrawGradient(Canvas, Canvas->Brush()->Color(), colorTo, 64, R, direction == GradientHorizontal);
        else
            DrawCellBackground(Canvas, R, Canvas->Brush()->Color(), colorTo, mirror, mirrorTo, true, clNone, false,
                               true);
    }

    // Grid lines, drawn inside the cell.
    Integer w;
    if (fixed) {
        Canvas->Pen()->SetColor(FGridFixedLineColor);
        Canvas->Pen()->SetWidth(1);
        w = 1;
    } else {
        if (FGridLineWidth > 0)
            Canvas->Pen()->SetColor(FGridLineColor);
        Canvas->Pen()->SetWidth(FGridLineWidth);
        w = (FGridLineWidth + 1) / 2;
    }
    const TGridOptions opt = Options();
    const bool lineWidthOk = fixed || FGridLineWidth > 0;
    if (lineWidthOk && ((((opt & goHorzLine) != 0) && !fixed) || (((opt & goFixedHorzLine) != 0) && fixed))
        && !(ACol == 0 && HasNodes())) {
        Canvas->MoveTo(R.Left - w + 1, R.Bottom - w);
        Canvas->LineTo(R.Right - w + 1, R.Bottom - w);
    }
    if (lineWidthOk && ((((opt & goVertLine) != 0) && !fixed) || (((opt & goFixedVertLine) != 0) && fixed))) {
        Canvas->MoveTo(R.Right - w, R.Bottom - w);
        Canvas->LineTo(R.Right - w, R.Top - w);
    }

    // Content.
    TRect content = R;
    if (fixed) {
        content.Right -= 1;
        content.Bottom -= 2;
    } else {
        content.Left += FGridLineWidth;
        content.Top += FGridLineWidth;
        content.Right -= FGridLineWidth;
        content.Bottom -= FGridLineWidth;
    }
    if (Full || Placed)
        DrawGridCell(Canvas, ACol, ARow, content, AState);

    if (clip)
        Canvas->RestoreDC(saved);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetStyle(psSolid);
}

// ---------------------------------------------------------------- navigation

bool TBaseGrid::SelectCell(Integer ACol, Integer ARow)
{
    RepaintCell(Col(), Row());
    const bool result = TObjStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return result;
}

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_NEXT && FHideLastRow && RowCount() > 1
        && RowCount() == VisibleRowCount() + TopRow() - FixedRows() + 1)
        SetRow(RowCount() - 2);
    if (TCellProperties* p = PropsOf(Col(), Row())) {
        (void)p;
        const TPoint b = BaseCell(Col(), Row());
        const TPoint ext = CellSpan(b.X, b.Y);
        switch (Key) {
        case VK_LEFT:
            if (b.X < Col() && Col() > FixedCols() && b.X > 0)
                SetCol(b.X);
            break;
        case VK_UP:
            if (b.Y < Row() && Row() > FixedRows() && b.Y > 0)
                SetRow(b.Y);
            break;
        case VK_RIGHT:
            if (b.X + ext.X >= Col() && Col() < ColCount() - 1 && b.X < ColCount() - 1 && b.X + ext.X < ColCount())
                SetCol(b.X + ext.X);
            break;
        case VK_DOWN:
            if (b.Y + ext.Y >= Row() && Row() < RowCount() - 1 && b.Y < RowCount() - 1)
                SetRow(b.Y + ext.Y);
            break;
        default:
            break;
        }
    }
    TObjStringGrid::KeyDown(Key, Shift);
    GotoBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    const bool result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (FHideLastRow && Row() < RowCount() - 1 && Row() - TopRow() > VisibleRowCount())
        SetTopRow(TopRow() + 1);
    GotoBaseCell();
    return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    const bool result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
    GotoBaseCell();
    return result;
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    const Integer lastRow = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
    for (Integer c = 0; c < FixedCols(); ++c)
        for (Integer r = TopRow(); r <= lastRow; ++r)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
    const Integer lastCol = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
    for (Integer r = 0; r < FixedRows(); ++r)
        for (Integer c = LeftCol(); c <= lastCol; ++c)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}
