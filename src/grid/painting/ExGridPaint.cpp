// TExStringGrid: the paint cycle and the per-cell drawing that follows the
// base grid's cell painter: fixed-cell gradients with their hover and
// pressed looks, row indicator, modified marker, always-visible editor
// buttons, text, borders, fixed-cell edges, the cell graphic, the cell
// events and the focus rectangle; the background beyond the cells, the
// sort indicator and the sizing guide lines.

#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "grid/ExUtil.h"
#include "grid/painting/ExGridPaintState.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"

namespace {

// Saves the canvas pen and restores it when the scope ends.
class TPenKeeper {
public:
    explicit TPenKeeper(TCanvas* Canvas) : FCanvas(Canvas) { FSaved.Assign(Canvas->Pen()); }
    ~TPenKeeper() { FCanvas->Pen()->Assign(&FSaved); }
    TPenKeeper(const TPenKeeper&) = delete;
    TPenKeeper& operator=(const TPenKeeper&) = delete;

private:
    TCanvas* FCanvas;
    TPen FSaved;
};

void Line(TCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

bool IsGradientLook(TGridLook Look)
{
    return Look == glKavro || Look == glXP || Look == glVista || Look == glWin7 || Look == glOffice2007;
}

} // namespace

// ------------------------------------------------------------------ paint cycle

void TExStringGrid::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetStyle(bsSolid);
    TBaseGrid::Paint();
    if (FEditing) {
        // The cell under the in-place editor is framed in the grid-line colour.
        TColor pen = GridLineWidth() < 1 ? Color() : GridLineColor();
        if ((Options() & (goVertLine | goHorzLine)) == 0)
            pen = Color();
        canvas->Pen()->SetColor(pen);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(CellRect(Col(), Row()));
        canvas->Brush()->SetStyle(bsSolid);
    }
    canvas->Pen()->SetColor(clBlack);
    if (!FBackGround->Bitmap()->Empty() || FBackGround->ColorTo != clNone)
        PaintBackground();
    PaintDesignHelper();
    if (OnPainted)
        OnPainted(this);
}

void TExStringGrid::PaintBackground()
{
    const Integer visibleRows = VisibleRowCount(), visibleCols = VisibleColCount();
    if (TopRow() + visibleRows < RowCount() && LeftCol() + visibleCols < ColCount())
        return;
    const bool gradient = FBackGround->Display == bdGradientHorz || FBackGround->Display == bdGradientVert;
    if (gradient && FBackGround->ColorTo == clNone)
        return;
    const TRect client = ClientRect();
    TRegion region;
    bool any = false;
    if (RowCount() == 0 || ColCount() == 0)
        return;
    // With the fixed rows only, the top row is past the last one.
    const TRect lastCol = CellRect(ColCount() - 1, std::clamp(TopRow(), 0, RowCount() - 1));
    if (LeftCol() + visibleCols >= ColCount() && !lastCol.IsEmpty() && lastCol.Right + GridLineWidth() < client.Right) {
        region = region | TRegion::FromRect({lastCol.Right + GridLineWidth(), 0, client.Right, client.Bottom});
        any = true;
    }
    const TRect lastRow = CellRect(std::clamp(LeftCol(), 0, ColCount() - 1), RowCount() - 1);
    if (TopRow() + visibleRows >= RowCount() && !lastRow.IsEmpty()
        && lastRow.Bottom + GridLineWidth() < client.Bottom) {
        region = region | TRegion::FromRect({0, lastRow.Bottom + GridLineWidth(), client.Right, client.Bottom});
        any = true;
    }
    if (!any)
        return;
    TRect paint = client;
    if (FSearchFooter->Visible())
        paint.Bottom -= 32;
    TCanvas* canvas = Canvas();
    const Integer saved = canvas->SaveDC();
    canvas->SelectClipRgn(&region);
    if (FBackGround->Bitmap()->Empty()) {
        if (gradient)
            DrawGradient(canvas, FBackGround->Color, FBackGround->ColorTo, 128, paint,
                         FBackGround->Display == bdGradientHorz);
    } else if (FBackGround->Display != bdTile) {
        PaintBackgroundFixed(paint);
    } else {
        TRect tile = client;
        if (FBackGround->Cells == bcNormal) {
            const TRect first = CellRect(FixedCols(), FixedRows());
            tile.Left = first.Left;
            tile.Top = first.Top;
        }
        tile.Left += XYOffset().X;
        tile.Top += XYOffset().Y;
        if (FBackGround->Cells != bcFixed)
            PaintBackgroundTiled(tile);
    }
    canvas->RestoreDC(saved);
}

void TExStringGrid::PaintBackgroundFixed(const TRect& R)
{
    TBitmap* bmp = FBackGround->Bitmap();
    const TRect pic(FBackGround->Left, FBackGround->Top, FBackGround->Left + bmp->Width(),
                    FBackGround->Top + bmp->Height());
    const TRect meet(std::max(R.Left, pic.Left), std::max(R.Top, pic.Top), std::min(R.Right, pic.Right),
                     std::min(R.Bottom, pic.Bottom));
    if (meet.Left >= meet.Right || meet.Top >= meet.Bottom)
        return;
    Canvas()->SetBkMode(TRANSPARENT);
    Canvas()->CopyRect(meet, bmp->Canvas(),
                       {meet.Left - pic.Left, meet.Top - pic.Top, meet.Right - pic.Left, meet.Bottom - pic.Top});
}

void TExStringGrid::PaintBackgroundTiled(const TRect& R)
{
    TBitmap* bmp = FBackGround->Bitmap();
    const Integer w = bmp->Width(), h = bmp->Height();
    if (w <= 0 || h <= 0)
        return;
    for (Integer y = R.Top - 1; y < R.Bottom; y += h)
        for (Integer x = R.Left - 1; x < R.Right; x += w) {
            const Integer cw = std::min(w, R.Right - x), ch = std::min(h, R.Bottom - y);
            Canvas()->CopyRect({x, y, x + cw, y + ch}, bmp->Canvas(), {0, 0, cw, ch});
        }
}

// ------------------------------------------------------------------ one cell

void TExStringGrid::DrawGridCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    // The check-box editor shows the cell's text as its caption; the text
    // is not drawn under it a second time.
    if (EditMode && EditControl == edCheckBox && ACol == Col() && ARow == Row())
        return;
    TCellPaint P;
    TCellPaint* outer = FCellPaint;
    FCellPaint = &P;
    struct TRestore {
        TExStringGrid* G;
        TCellPaint* Outer;
        ~TRestore() { G->FCellPaint = Outer; }
    } restore{this, outer};

    P.ACol = ACol;
    P.ARow = ARow;
    P.RCol = RealColIndex(ACol);
    P.SelRow = FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
    TRect R = ARect;

    // 3. The filter row shows a filter button where a column filter exists.
    if (ARow == FFilterRow && (FFilterDropDownAuto || OnGetColumnFilter))
        P.FilterButton = GetColumnFilter(P.RCol);

    // 4. In-cell scroll bar at the right edge.
    if (HasScrollBar(P.RCol, ARow)) {
        const TScrollProp prop = GetScrollProp(P.RCol, ARow);
        P.ScrollPos = GetScrollPosition(P.RCol, ARow);
        if (prop.PageSize < prop.Range) {
            const Integer bw = GetSystemMetrics(SM_CXVSCROLL);
            const TRect track(R.Right - bw, R.Top, R.Right, R.Bottom);
            Canvas->Brush()->SetColor(clBtnFace);
            Canvas->FillRect(track);
            const Integer span = std::max(1, track.Height());
            const Integer thumb = std::max(8, prop.Range > 0 ? span * std::max(prop.PageSize, 1) / prop.Range : span);
            const Integer top = track.Top
                                + (prop.Range > prop.PageSize
                                       ? (span - thumb) * std::clamp(P.ScrollPos, 0, prop.Range) / prop.Range
                                       : 0);
            TRect knob(track.Left, top, track.Right, std::min(track.Bottom, top + thumb));
            DrawEdge(Canvas, knob, EDGE_RAISED, BF_RECT | BF_MIDDLE);
            R.Right -= bw;
        }
    }

    // 5. The cell's look without the selection colours.
    P.WW = WordWrap();
    GetVisualProperties(ACol, ARow, AState, false, false, true, Canvas->Brush(), P.ColorTo, P.MirrorColor,
                        P.MirrorColorTo, Canvas->Font(), P.HA, P.VA, P.WW, P.GD);
    P.State = AState;

    // 6. The graphic and the room it takes.
    P.Graphic = GetCellGraphicInfo(P.RCol, ARow, P.GVA, P.GHA, P.ShowText, P.GH, P.GW);
    if (P.RCol == 0 && IsNodeRow(ARow))
        if (const TCellProperties* props = PropsOf(0, ARow))
            P.GW = props->NodeLevel() * 12 + 4;

    // 7.-8.
    if ((AState & gdSelected) != 0 && (AState & gdFocused) == 0 && FSelectionColor == clNone) {
        // No selection colour: the cell shows the system highlight, which
        // the background painted with the unset colour did not.
        Canvas->Brush()->SetColor(clHighlight);
        Canvas->FillRect(R);
    }
    Canvas->Font()->SetSize(Canvas->Font()->Size() + ZoomFactor());
    P.BrushColor = Canvas->Brush()->Color();
    P.FontColor = Canvas->Font()->Color();

    // 9. Fixed look.
    P.FixedLook = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
    if (ARow == HoverRowIdx() && (FHoverRowCells & hcFixed) != 0)
        P.FixedLook = false;

    // 11. Fixed-cell background of the gradient looks.
    if (P.FixedLook && IsGradientLook(FLook))
        DrawFixedCellBackground(Canvas, P, R);

    // 12. Row indicator.
    const bool indicator = P.RCol == 0 && ARow == Row() && FixedCols() > 0 && !FRowIndicator->Empty()
                           && !(RowCount() == FixedRows() && FixedRowAlways());
    if (indicator) {
        const Integer gh = FRowIndicator->Height();
        const Integer y = VAlignment() == vtaCenter ? R.Top + (R.Height() - gh) / 2
                          : VAlignment() == vtaBottom ? R.Bottom - gh
                                                      : R.Top;
        FRowIndicator->SetTransparent(true);
        Canvas->Draw(R.Left + 2, y, FRowIndicator.get());
        R.Left += FRowIndicator->Width() + 2;
    }

    // 13. List-view header (drawn without the platform's header theme).
    if (P.FixedLook && FLook == glListView && !Flat()) {
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->Pen()->SetColor(clWhite);
        Canvas->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
        Canvas->Pen()->SetColor(clBtnShadow);
        Line(Canvas, R.Right, R.Top + 2, R.Right, R.Bottom - 1);
        Canvas->Brush()->SetColor(P.BrushColor);
    }

    // 14. Modified marker.
    if (ACol == 0 && FShowModified->Enabled() && RowModified(RealRowIndex(ARow))) {
        Canvas->Brush()->SetColor(FShowModified->Color());
        Canvas->Pen()->SetColor(FShowModified->Color());
        Canvas->Rectangle(R.Right - 4, R.Top, R.Right, R.Bottom);
        Canvas->Brush()->SetColor(P.BrushColor);
    }

    // 15.
    if (OnCustomCellBkgDraw)
        OnCustomCellBkgDraw(this, Canvas, P.RCol, ARow, AState, R, false);

    // 16. Always-visible editor buttons.
    const Integer rightBefore = R.Right;
    const bool fixedCell = (AState & gdFixed) != 0 || P.FixedLook;
    if (!fixedCell && (FControlLook->DropDownAlwaysVisible() || FControlLook->SpinButtonsAlwaysVisible())) {
        Integer style = FControlLook->FlatButton() ? 2 : !FIsWinXP ? 1 : 0;
        if (Flat() && FTones.Background.BrushColor != clNone)
            style = 3;
        bool canEdit = true;
        DoCanEditCell(P.RCol, ARow, canEdit);
        const Integer state = canEdit ? 0 : 3;
        if (FControlLook->DropDownAlwaysVisible() && HasComboBox(P.RCol, ARow)) {
            DrawComboButton(Canvas, Handle(), {R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom}, style, state, FTones);
            R.Right -= 16;
        }
        if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(P.RCol, ARow)) {
            DrawSpinButtons(Canvas, Handle(), R, style, state, FTones);
            R.Right -= 16;
        }
    }

    // 17. An interfaced cell that draws under the text.
    ICellDraw* iface = P.Graphic != nullptr && P.Graphic->CellType == ctInterface ? P.Graphic->CellInterface() : nullptr;
    if (iface != nullptr && iface->DrawFirst()) {
        TRect ir = R;
        InflateRect(ir, 1, 1);
        iface->Draw(Canvas, ir, P.RCol, ARow, (AState & gdSelected) != 0, this);
    }

    // 18. Text.
    const bool eventsDraw = (OnDrawCell || OnCustomCellDraw) && NoDefaultDraw();
    if (!(P.Graphic != nullptr && NoImageAndText()) && !eventsDraw)
        DrawCellText(Canvas, P, R);

    // 19.-20.
    R.Right = rightBefore;
    Canvas->Brush()->SetColor(P.BrushColor);
    Canvas->Font()->SetColor(P.FontColor);
    InflateRect(R, 1, 1);
    DrawCellBorders(Canvas, P, R);
    if (indicator)
        R.Left -= FRowIndicator->Width() + 2;

    // 21. Fixed-cell edges.
    if (P.FixedLook)
        DrawFixedCellEdges(Canvas, P, R);

    // 22. Right fixed columns of a flat grid.
    if (FFixedRightCols > 0 && FFixedRightCols >= ColCount() + FNumHidden - P.RCol && FLook != glClassic && Flat()) {
        Canvas->Pen()->SetColor(clGray);
        Canvas->Pen()->SetWidth(1);
        if ((Options() & goFixedHorzLine) != 0) {
            Line(Canvas, R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1);
            Line(Canvas, R.Left - 1, R.Bottom + 1, R.Right + 1, R.Bottom + 1);
        }
        if ((Options() & goFixedVertLine) != 0) {
            Line(Canvas, R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1);
            Line(Canvas, R.Right + 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
        }
    }

    // 23. Node tree lines.
    if (FNumNodes > 0 && P.RCol == 0 && ARow >= FixedRows() && FCellNode->ShowTree())
        DrawNodeTreeLines(Canvas, P, R);

    // 24. Graphic.
    if (iface != nullptr && !iface->DrawFirst()) {
        iface->Draw(Canvas, R, P.RCol, ARow, (AState & gdSelected) != 0, this);
    } else if (P.Graphic != nullptr && iface == nullptr) {
        TRect gr = R;
        if (P.FixedLook)
            ++gr.Top;
        DrawCellGraphic(Canvas, P, gr);
    }

    // 25.-26. Cell events.
    if (OnDrawCell) {
        const TRect er(R.Left + 1, R.Top + 1, R.Right - GridLineWidth(), R.Bottom - GridLineWidth());
        OnDrawCell(this, P.RCol, ARow, er, AState);
    }
    if (OnCustomCellDraw)
        OnCustomCellDraw(this, Canvas, P.RCol, ARow, AState, R, false);

    // 27. Focus rectangle.
    if (!HideFocusRect()) {
        const TPoint base = BaseCell(ACol, ARow);
        if (base.X == Col() && base.Y == Row() && Focused() && (Options() & goRowSelect) == 0
            && Row() >= FixedRows() && Col() >= FixedCols()) {
            TRect fr = R;
            InflateRect(fr, GridLineWidth() - 1, GridLineWidth() - 1);
            --fr.Right;
            --fr.Bottom;
            DrawFocusRect(Canvas, fr);
        }
    }

    // 28. Column numbers at design time.
    if (IsDesigning() && FShowColNrs && ShowDesignHelper() && ARow == 0) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Font()->SetSize(8);
        Canvas->Font()->SetStyle({});
        Canvas->Font()->SetColor(clGray);
        TRect nr = R;
        nr.Right -= 2;
        DrawText(Canvas, QString::number(P.RCol), nr, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
        Canvas->Brush()->SetStyle(bsSolid);
    }
}

// The fixed-cell background of the gradient looks: hovered, active-cell,
// sort and normal header cells.
void TExStringGrid::DrawFixedCellBackground(TCanvas* Canvas, TCellPaint& P, TRect& R)
{
    const Integer ACol = P.ACol, ARow = P.ARow;
    bool admits = false;
    switch (HoverFixedCells()) {
    case hfAll:
        admits = ACol < FixedCols() || ARow < FixedRows();
        break;
    case hfFixedRows:
        admits = ARow < FixedRows();
        break;
    case hfFixedColumns:
        admits = ACol < FixedCols();
        break;
    default:
        break;
    }
    const bool colMoving = GridState() == gsColMoving;
    const bool hovered = admits && !IsDesigning()
                         && ((ACol == FHoverFixedX && ARow == FHoverFixedY && !colMoving)
                             || (colMoving && ACol == FMoveColInd));
    if (hovered) {
        TRect r = R;
        ++r.Bottom;
        const bool pressed = FMouseDownMove || (colMoving && FMoveColInd >= 0);
        const bool dropButton = FControlLook->FixedDropDownButton && (FFixedDropDownMenu != nullptr || OnFixedDropDownClick)
                                && CanShowFixedDropDown(P.RCol);
        const auto hover = [&](TRect Part) {
            DrawCellBackground(Canvas, Part, KavroGradientHoverFrom(), KavroGradientHoverTo(),
                               KavroGradientHoverMirrorFrom(), KavroGradientHoverMirrorTo(), true,
                               KavroGradientHoverBorder(), false, true);
        };
        const auto down = [&](TRect Part) {
            DrawCellBackground(Canvas, Part, KavroGradientDownFrom(), KavroGradientDownTo(),
                               KavroGradientDownMirrorFrom(), KavroGradientDownMirrorTo(), true,
                               KavroGradientDownBorder(), false, true);
        };
        if (!pressed) {
            hover(r);
        } else if (dropButton) {
            TRect button = r, rest = r;
            button.Left = r.Right - 16;
            rest.Right = r.Right - 16;
            if (FDropDownDown) {
                down(button);
                hover(rest);
            } else {
                down(rest);
                hover(button);
            }
        } else {
            down(r);
        }
        if (dropButton) {
            Canvas->Pen()->SetColor(pressed ? KavroGradientDownBorder() : KavroGradientHoverBorder());
            Line(Canvas, R.Right - 16, R.Top, R.Right - 16, R.Bottom);
            DrawDownTriangle(Canvas, R.Right - 8, R.Top + 8, clBlack);
            R.Right -= 16;
        }
        return;
    }
    if (FActiveCellShow
        && ((ARow == Row() && ACol == FixedCols() - 1 && FixedCols() > 0)
            || (ACol == Col() && ARow == FixedRows() - 1 && FixedRows() > 0))) {
        DrawCellBackground(Canvas, R, FActiveCellColor, FActiveCellColorTo, clNone, clNone, true, clNone, false, true);
        return;
    }
    const TSortSettings* sort = FSortSettings.get();
    if (sort->Column != -1 && sort->HeaderColor != clNone && sort->Column == P.RCol && ARow == FixedRows() - 1
        && (ACol >= FixedCols() || sort->FixedCols)) {
        DrawCellBackground(Canvas, R, sort->HeaderColor, sort->HeaderColorTo, sort->HeaderMirrorColor,
                           sort->HeaderMirrorColorTo, true, clNone, false, true);
        return;
    }
    if (Flat())
        return;
    // The base cell painter has just filled the cell with this very
    // gradient unless it took the hover or active row colour instead; the
    // same bands are not painted twice.
    const bool hoverRow = FHoverRow && ARow == FHoverRowIdx && (FHoverRowCells & hcFixed) != 0;
    const bool activeRow = FActiveRowShow && ARow == Row() && ACol >= FixedCols();
    if (FLook != glVista && !hoverRow && !activeRow)
        return;
    DrawCellBackground(Canvas, R, Canvas->Brush()->Color(), P.ColorTo, P.MirrorColor, P.MirrorColorTo, true,
                       FLook == glVista ? clWhite : clNone, FLook == glVista, true);
    Canvas->Brush()->SetColor(P.BrushColor);
}

void TExStringGrid::DrawFixedCellEdges(TCanvas* Canvas, TCellPaint& P, TRect R)
{
    if (Flat())
        return;
    (void)P;
    const TGridOptions opt = Options();
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    switch (FLook) {
    case glClassic: {
        ++R.Top;
        ++R.Bottom;
        ++R.Left;
        TRect e = R;
        DrawEdge(Canvas, e, BDR_RAISEDINNER, BF_LEFT);
        e = R;
        DrawEdge(Canvas, e, BDR_RAISEDINNER, BF_TOP);
        e = R;
        DrawEdge(Canvas, e, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
        Canvas->Pen()->SetColor(clBlack);
        Canvas->MoveTo(R.Right - 1, R.Top);
        Canvas->LineTo(R.Right - 1, R.Bottom - 1);
        Canvas->LineTo(R.Left - 1, R.Bottom - 1);
        break;
    }
    case glKavro:
    case glXP:
        ++R.Bottom;
        if ((opt & goFixedHorzLine) != 0) {
            Canvas->Pen()->SetColor(HalfColor(FixedColor()));
            Line(Canvas, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
            Canvas->Pen()->SetColor(clWhite);
            Canvas->MoveTo(R.Right - 2, R.Top + 1);
            Canvas->LineTo(R.Left + 1, R.Top + 1);
            Canvas->LineTo(R.Left + 1, R.Bottom - 1);
        }
        break;
    case glSoft:
        ++R.Right;
        ++R.Bottom;
        if ((opt & goFixedHorzLine) != 0) {
            Canvas->Pen()->SetColor(HalfColor(FixedColor()));
            Line(Canvas, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
            Canvas->Pen()->SetColor(clWhite);
            Canvas->MoveTo(R.Right, R.Top + 1);
            Canvas->LineTo(R.Left + 1, R.Top + 1);
            Canvas->LineTo(R.Left + 1, R.Bottom - 1);
        }
        if ((opt & goFixedVertLine) != 0) {
            Canvas->Pen()->SetColor(HalfColor(FixedColor()));
            Line(Canvas, R.Right - 2, R.Top, R.Right - 2, R.Bottom - 1);
            Canvas->Pen()->SetColor(clWhite);
            Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
        }
        break;
    default:
        break;
    }
}

void TExStringGrid::DrawCellBorders(TCanvas* Canvas, TCellPaint& P, TRect R)
{
    const TPenKeeper keep(Canvas);
    TCellBorders borders = 0;
    GetCellBorder(P.RCol, P.ARow, Canvas->Pen(), borders);
    if (borders == 0 && !OnGetCellBorderProp)
        return;
    TPen left, top, right, bottom;
    left.Assign(Canvas->Pen());
    top.Assign(Canvas->Pen());
    right.Assign(Canvas->Pen());
    bottom.Assign(Canvas->Pen());
    if (OnGetCellBorderProp)
        OnGetCellBorderProp(this, P.ARow, P.RCol, &left, &top, &right, &bottom);
    if (borders == 0)
        return;
    const Integer half = (Canvas->Pen()->Width() + 1) / 2;
    const Integer shiftX = (Options() & goVertLine) != 0 ? half : 0;
    const Integer shiftY = (Options() & goHorzLine) != 0 ? half : 0;
    R.Left += shiftX;
    R.Bottom -= shiftY;
    R.Right -= shiftX;
    if ((borders & CellBorderBit(cbLeft)) != 0) {
        Canvas->Pen()->Assign(&left);
        Line(Canvas, std::max(0, R.Left), R.Top, std::max(0, R.Left), R.Bottom);
    }
    if ((borders & CellBorderBit(cbRight)) != 0) {
        Canvas->Pen()->Assign(&right);
        Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    }
    if ((borders & CellBorderBit(cbTop)) != 0) {
        Canvas->Pen()->Assign(&top);
        R.Top += shiftY;
        const Integer y = GridLineWidth() > 0 ? std::max(0, R.Top - GridLineWidth()) : R.Top + 1;
        Line(Canvas, R.Left, y, R.Right, y);
    }
    if ((borders & CellBorderBit(cbBottom)) != 0) {
        Canvas->Pen()->Assign(&bottom);
        Line(Canvas, R.Left - GridLineWidth() - 1, R.Bottom - 1, R.Right, R.Bottom - 1);
    }
}

// ------------------------------------------------------------------ sort indicator, guides

void TExStringGrid::DrawSortIndicator(TCanvas* Canvas, Integer ACol, Integer X, Integer Y)
{
    const TSortSettings* sort = FSortSettings.get();
    const TPenKeeper keep(Canvas);
    Canvas->Pen()->SetWidth(1);
    const bool indexGlyphs = !sort->IndexUpGlyph()->Empty() && !sort->IndexDownGlyph()->Empty();
    const bool sortGlyphs = !sort->UpGlyph()->Empty() && !sort->DownGlyph()->Empty();
    if (sort->IndexShow) {
        const Integer index = FSortIndexes->FindIndex(ACol);
        if (index < 0)
            return;
        Canvas->Brush()->SetColor(sort->IndexColor);
        Canvas->Pen()->SetColor(clBlack);
        Canvas->SetBkMode(TRANSPARENT);
        Canvas->Font()->SetColor(clBlack);
        Canvas->Font()->SetSize(6);
        if (!FSortIndexes->SortDirections(index)) {
            if (indexGlyphs) {
                sort->IndexUpGlyph()->SetTransparent(true);
                Canvas->Draw(X - 7, Y - 7, sort->IndexUpGlyph());
            } else {
                Canvas->Polygon({TPoint(X - 7, Y - 5), TPoint(X + 7, Y - 5), TPoint(X, Y + 8)});
            }
            Canvas->TextOut(X - 2, Y - 4, QString::number(index + 1));
        } else {
            if (indexGlyphs) {
                sort->IndexDownGlyph()->SetTransparent(true);
                Canvas->Draw(X - 7, Y - 7, sort->IndexDownGlyph());
            } else {
                Canvas->Polygon({TPoint(X - 6, Y + 8), TPoint(X + 6, Y + 8), TPoint(X, Y - 4)});
            }
            Canvas->TextOut(X - 2, Y - 2, QString::number(index + 1));
        }
        return;
    }
    if (sort->Direction == sdDescending) {
        if (sortGlyphs) {
            sort->DownGlyph()->SetTransparent(true);
            Canvas->Draw(X - 4, Y - 4, sort->DownGlyph());
            Canvas->Brush()->SetColor(FixedColor());
            return;
        }
        Canvas->Pen()->SetColor(clWhite);
        Line(Canvas, X + 4, Y - 4, X, Y + 4);
        Canvas->Pen()->SetColor(clGray);
        Canvas->LineTo(X - 4, Y - 4);
        Canvas->LineTo(X + 4, Y - 4);
        Canvas->Pen()->SetColor(clBlack);
    } else {
        if (sortGlyphs) {
            sort->UpGlyph()->SetTransparent(true);
            Canvas->Draw(X - 4, Y - 4, sort->UpGlyph());
            Canvas->Brush()->SetColor(FixedColor());
            return;
        }
        Canvas->Pen()->SetColor(clWhite);
        Canvas->MoveTo(X - 4, Y + 4);
        Canvas->LineTo(X + 4, Y + 4);
        Canvas->LineTo(X, Y - 4);
        Canvas->Pen()->SetColor(clGray);
        Canvas->LineTo(X - 4, Y + 4);
    }
}

// A dotted xor guide from (X1, Y1) to (X2, Y2); drawn twice it is gone.
static void DrawXorGuide(TCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    const TPenKeeper keep(Canvas);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetStyle(psDot);
    Canvas->Pen()->SetMode(pmXor);
    Canvas->Pen()->SetWidth(1);
    Line(Canvas, X1, Y1, X2, Y2);
}

void TExStringGrid::DrawColSizingLine(Integer X)
{
    DrawXorGuide(Canvas(), X, 0, X, std::max(Height(), CellRect(0, RowCount() - 1).Bottom));
}

void TExStringGrid::DrawRowSizingLine(Integer Y)
{
    DrawXorGuide(Canvas(), 0, Y, std::max(Width(), CellRect(ColCount() - 1, 0).Right), Y);
}
