// Painting the grid: the cells in view (fixed ones first so that scrolled
// cells never cover them), their grid lines, the focus frame, the empty
// area beyond the last cells, and the guide of a sizing or moving drag.

#include "platform/DrawGrid.h"

#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"
#include "platform/DrawGridWalk.h"
#include "platform/InplaceEdit.h"

namespace {

constexpr TColor LineColor = clSilver;
constexpr TColor FixedLineColor = clGray;

} // namespace

void TCustomGrid::Paint()
{
    const TGridDrawInfo& di = DrawInfo();
    TCanvas* canvas = Canvas();
    const bool focused = IsActiveControl();
    const TGridRect sel = Selection();
    const bool editorShown = FInplaceEdit != nullptr && FInplaceEdit->Visible() && FInplaceCol >= 0;
    const Integer hlw = di.Horz.EffectiveLineWidth;
    const Integer vlw = di.Vert.EffectiveLineWidth;
    const TColor color = Color();

    ForVisible(di.Vert, [&](Integer row, Integer y) {
        const Integer h = FRowHeights.Size(row);
        ForVisible(di.Horz, [&](Integer col, Integer x) {
            const Integer w = FColWidths.Size(col);
            const TRect r(x, y, x + w, y + h);
            TGridDrawState state = 0;
            const bool fixed = col < FFixedCols || row < FFixedRows;
            const bool current = col == FCurrent.X && row == FCurrent.Y;
            if (fixed) {
                state |= gdFixed;
            } else {
                if (focused && current)
                    state |= gdFocused;
                if (sel.Contains(col, row))
                    state |= gdSelected;
            }
            // Each cell starts from the grid's font and its own fill colour.
            if (!(*canvas->Font() == *Font()))
                canvas->SetFont(Font());
            TColor fill = color;
            if (fixed) {
                fill = FFixedColor;
            } else if ((state & gdSelected) && (!(state & gdFocused) || (FOptions & (goDrawFocusSelected | goRowSelect)))) {
                fill = clHighlight;
                canvas->Font()->SetColor(clHighlightText);
            }
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(fill);
            if (FDefaultDrawing)
                canvas->FillRect(r);
            // The cell under the open editor shows the editor alone.
            if (!(current && editorShown && !fixed))
                DrawCell(col, row, r, state);
            if (FDefaultDrawing && fixed && (FOptions & (goFixedVertLine | goFixedHorzLine)) == (goFixedVertLine | goFixedHorzLine)) {
                TRect edge = r;
                DrawEdge(canvas, edge, BDR_RAISEDINNER, BF_RECT);
            }
            // Lines right of and below the cell.
            const bool vert = fixed ? (FOptions & goFixedVertLine) : (FOptions & goVertLine);
            const bool horz = fixed ? (FOptions & goFixedHorzLine) : (FOptions & goHorzLine);
            const TColor lineColor = fixed ? FixedLineColor : LineColor;
            canvas->Brush()->SetStyle(bsSolid);
            if (hlw > 0) {
                canvas->Brush()->SetColor(vert ? lineColor : color);
                canvas->FillRect(TRect(r.Right, r.Top, r.Right + hlw, r.Bottom + vlw));
            }
            if (vlw > 0) {
                canvas->Brush()->SetColor(horz ? lineColor : color);
                canvas->FillRect(TRect(r.Left, r.Bottom, r.Right + hlw, r.Bottom + vlw));
            }
        });
    });

    // Beyond the last column and below the last row.
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    if (di.Horz.GridBoundary < di.Horz.GridExtent)
        canvas->FillRect(TRect(di.Horz.GridBoundary, 0, di.Horz.GridExtent, di.Vert.GridExtent));
    if (di.Vert.GridBoundary < di.Vert.GridExtent)
        canvas->FillRect(TRect(0, di.Vert.GridBoundary, di.Horz.GridBoundary, di.Vert.GridExtent));

    // The focus frame on the current cell (on the selected row with row select).
    if (FDefaultDrawing && focused && !editorShown && FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows && FCurrent.X < ColCount()
        && FCurrent.Y < RowCount()) {
        TRect fr = (FOptions & goRowSelect) ? BoxRect(sel.Left, sel.Top, sel.Right, sel.Bottom) : CellRect(FCurrent.X, FCurrent.Y);
        if (FOptions & goRowSelect) {
            fr.Right -= hlw;
            fr.Bottom -= vlw;
        }
        if (!fr.IsEmpty())
            DrawFocusRect(canvas, fr);
    }

    if (FGridState == gsColSizing || FGridState == gsRowSizing)
        DrawSizingLine(di);
    if ((FGridState == gsColMoving || FGridState == gsRowMoving) && FMovePos >= 0 && FMovePos != FMoveIndex)
        DrawMove();
}

// The dotted guide where the border being dragged will land.
void TCustomGrid::DrawSizingLine(const TGridDrawInfo& DI)
{
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetStyle(psDot);
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetWidth(1);
    if (FGridState == gsColSizing) {
        canvas->MoveTo(FSizingPos, 0);
        canvas->LineTo(FSizingPos, DI.Vert.GridExtent);
    } else {
        canvas->MoveTo(0, FSizingPos);
        canvas->LineTo(DI.Horz.GridExtent, FSizingPos);
    }
    canvas->Pen()->SetStyle(psSolid);
}

// A bar on the border where the dragged column or row will land: the
// target's left (top) border when it moves back, its right (bottom) one
// when it moves on.
void TCustomGrid::DrawMove()
{
    TCanvas* canvas = Canvas();
    const TGridDrawInfo& di = DrawInfo();
    const bool cols = FGridState == gsColMoving;
    const TRect cell = cols ? CellRect(FMovePos, 0) : CellRect(0, FMovePos);
    if (cell.IsEmpty())
        return;
    const bool back = FMovePos < FMoveIndex;
    const Integer at = cols ? (back ? cell.Left : cell.Right) : (back ? cell.Top : cell.Bottom);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    if (cols)
        canvas->FillRect(TRect(at - 1, 0, at + 2, di.Vert.GridBoundary));
    else
        canvas->FillRect(TRect(0, at - 1, di.Horz.GridBoundary, at + 2));
}
