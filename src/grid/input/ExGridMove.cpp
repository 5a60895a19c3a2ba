// TExStringGrid: the enhanced move of a column or row by its header. While
// the header is dragged, a look-alike of it follows the mouse, two arrows
// mark where it would land, the view scrolls one column or row per movement
// at the edges and the cursor says whether the place is allowed; the
// release moves it. Also the floating picture of a cell range.

#include "grid/ExGrid.h"

#include <algorithm>

#include "grid/EsgHTMLE.h"
#include "grid/features/ExGridFilterDropDown.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"
#include "platform/Form.h"
#include "platform/DrawText.h"
#include "platform/Messages.h"

// ------------------------------------------------------------ drag button

THeaderDragButton::THeaderDragButton(TExStringGrid* AGrid) : TCustomControl(AGrid), FGrid(AGrid)
{
    SetVisible(false);
    SetEnabled(false);
    SetColor(clBtnFace);
}

void THeaderDragButton::SetCaption(const QString& Value)
{
    FCaption = Value;
    Invalidate();
}

void THeaderDragButton::Paint()
{
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    // Drawn as the grid draws its corner cell, then the caption.
    if (FGrid != nullptr && FGrid->ColCount() > 0 && FGrid->RowCount() > 0)
        FGrid->PaintCellAt(c, 0, 0, r, gdFixed);
    else {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
    }
    c->Pen()->SetColor(clGray);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(r);
    c->SetBkMode(TRANSPARENT);
    if (FGrid != nullptr)
        c->Font()->Assign(FGrid->FixedFont());
    TRect tr = r;
    if (FCaption.contains(QLatin1String("</"))) {
        InflateRect(tr, -2, -2);
        TMiniHTMLRequest request;
        request.Images = FGrid != nullptr ? FGrid->GridImages() : nullptr;
        TMiniHTMLResult result;
        RenderMiniHTML(c, FCaption, tr, request, result);
    } else {
        DrawText(c, FCaption, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    c->Brush()->SetStyle(bsSolid);
}

// ------------------------------------------------------------ feedback

THeaderDragButton* TExStringGrid::MoveButton()
{
    if (FMoveButton == nullptr)
        FMoveButton = new THeaderDragButton(this);
    return FMoveButton;
}

void TExStringGrid::StartBlockFocus()
{
    if (OnStartBlockFocus)
        OnStartBlockFocus(this);
}

void TExStringGrid::EndBlockFocus()
{
    if (OnEndBlockFocus)
        OnEndBlockFocus(this);
}

void TExStringGrid::EnhancedMoveFeedback(Integer X, Integer Y, Integer ACol, Integer ARow)
{
    bool allow = true;
    StartBlockFocus();
    const bool cols = GridState() == gsColMoving;
    THeaderDragButton* button = MoveButton();
    if (button->Parent() != this)
        button->SetParent(this);
    if (cols && Movecell >= FixedCols() && ARow >= 0) {
        button->SetCaption(Cells(DisplToRealCol(Movecell), 0));
        button->SetBounds(button->Left(), button->Top(), ColWidths(Movecell), RowHeights(ARow));
        button->Invalidate();
    } else if (!cols && Movecell >= FixedRows() && ACol >= 0) {
        button->SetCaption(Cells(0, Movecell));
        button->SetBounds(button->Left(), button->Top(), ColWidths(ACol), RowHeights(Movecell));
        button->Invalidate();
    }
    // The dragged header keeps the offset at which it was grabbed.
    button->SetBounds(X - MoveOfsX, Y - MoveOfsY, button->Width(), button->Height());

    if (cols) {
        const Integer t = FMoveColInd;
        const bool show = FixedCols() <= t && t - LeftCol() < VisibleColCount();
        TArrowWindow* up = Arrow(arrUp);
        TArrowWindow* down = Arrow(arrDown);
        if (FixedCols() <= t && ACol >= 0) {
            const TRect r = CellRect(t, 0);
            const Integer x = t < Movecell ? r.Left - 5 : r.Left + ColWidths(t) - 5;
            up->SetBounds(x, r.Bottom, up->Width(), up->Height());
            down->SetBounds(x, std::max(0, r.Top - 8), down->Width(), down->Height());
        }
        up->SetVisible(show);
        down->SetVisible(show);
        if (show) {
            up->BringToFront();
            down->BringToFront();
        }
        FMoveColInd = ACol;
        FMoveRowInd = 0;
        if (OnColumnMoving)
            OnColumnMoving(this, FMoveColInd, allow);
    } else {
        const Integer t = FMoveRowInd;
        const bool footer = FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow
                            && t == RowCount() - 1;
        if (!footer) {
            const bool show = FixedRows() <= t && t - TopRow() < VisibleRowCount();
            TArrowWindow* left = Arrow(arrLeft);
            TArrowWindow* right = Arrow(arrRight);
            if (show && ARow >= 0) {
                const TRect r = CellRect(0, t);
                const Integer y = t < Movecell ? r.Top - 5 : r.Top + RowHeights(t) - 5;
                left->SetBounds(std::max(0, r.Left - 10), y, left->Width(), left->Height());
                right->SetBounds(r.Right, y, right->Width(), right->Height());
            }
            left->SetVisible(show);
            right->SetVisible(show);
            if (show) {
                left->BringToFront();
                right->BringToFront();
            }
        }
        FMoveColInd = 0;
        FMoveRowInd = ARow;
        if (OnRowMoving)
            OnRowMoving(this, FMoveRowInd, allow);
    }

    // One column or row per movement at the edges.
    if (cols && VisibleColCount() < ColCount()) {
        Integer fixedWidth = 0;
        for (Integer c = 0; c < FixedCols(); ++c)
            fixedWidth += ColWidths(c);
        if (X < fixedWidth && LeftCol() > FixedCols()) {
            SetLeftCol(LeftCol() - 1);
            Invalidate();
        } else if (X > Width() && LeftCol() + VisibleColCount() < ColCount()) {
            SetLeftCol(LeftCol() + 1);
            Invalidate();
        }
    } else if (!cols && VisibleRowCount() < RowCount()) {
        Integer fixedHeight = 0;
        for (Integer r = 0; r < FixedRows(); ++r)
            fixedHeight += RowHeights(r);
        if (Y < fixedHeight && TopRow() > FixedRows()) {
            SetTopRow(TopRow() - 1);
            Invalidate();
        } else if (Y > Height() && TopRow() + VisibleRowCount() < RowCount()) {
            SetTopRow(TopRow() + 1);
            Invalidate();
        }
    }
    if (!button->Visible()) {
        button->SetVisible(true);
        button->BringToFront();
    }
    if (!button->Enabled())
        button->SetEnabled(true);
    Screen->SetCursor(allow ? crDrag : crNoDrop);
}

bool TExStringGrid::EndEnhancedMove(Integer ACol, Integer ARow)
{
    const TCursor c = Screen->Cursor();
    if (!((c == crDrag || c == crNoDrop) && (GridState() == gsColMoving || GridState() == gsRowMoving)
          && EnhRowColMove()))
        return false;
    const bool cols = GridState() == gsColMoving;
    THeaderDragButton* button = MoveButton();
    button->SetEnabled(false);
    button->SetVisible(false);
    if (MoveForm != nullptr) {
        delete MoveForm;
        MoveForm = nullptr;
    }
    EndBlockFocus();
    Screen->SetCursor(crDefault);
    // The platform's own move ends here: the grid moves the line itself.
    CancelTracking();
    if (c == crNoDrop) {
        if (Movecell >= 0) {
            if (cols)
                RepaintRow(0);
            else
                RepaintCol(0);
        }
    } else if (cols && Movecell >= 0 && ACol >= FixedCols() && ACol != Movecell && ACol < ColCount()) {
        MoveColumn(Movecell, ACol);
    } else if (!cols && Movecell >= 0 && ARow >= FixedRows() && ARow != Movecell && ARow < RowCount()) {
        MoveRow(Movecell, ARow);
    }
    FGridState = gsNormal;
    Invalidate();
    return true;
}

// ------------------------------------------------------------ floating picture

TForm* TExStringGrid::SelectionToForm(const TGridRect& ARect)
{
    // The range's cells painted as the grid paints them, one bitmap pixel
    // per screen pixel, with the cells' lines.
    TRect r1 = TCustomGrid::CellRect(ARect.Left, ARect.Top);
    TRect r2 = TCustomGrid::CellRect(ARect.Right, ARect.Bottom);
    if (r2.Left < r1.Left)
        std::swap(r1, r2);
    if (r2.Bottom < r1.Bottom) {
        std::swap(r1.Top, r2.Top);
        std::swap(r1.Bottom, r2.Bottom);
    }
    const Integer left = r1.Left, top = r1.Top;
    const Integer w = std::max(1, std::max(r1.Right, r2.Right) - left + 1);
    const Integer h = std::max(1, std::max(r1.Bottom, r2.Bottom) - top + 1);
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetWidth(w);
    bmp->SetHeight(h);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(GridLineColor());
    c->FillRect(TRect(0, 0, w, h));
    const Integer c0 = std::min(ARect.Left, ARect.Right), c1 = std::max(ARect.Left, ARect.Right);
    const Integer rr0 = std::min(ARect.Top, ARect.Bottom), rr1 = std::max(ARect.Top, ARect.Bottom);
    for (Integer row = rr0; row <= rr1 && row < RowCount(); ++row)
        for (Integer col = c0; col <= c1 && col < ColCount(); ++col) {
            const TRect cr = TCustomGrid::CellRect(col, row);
            if (cr.IsEmpty())
                continue;
            const TGridDrawState state = col < FixedCols() || row < FixedRows() ? TGridDrawState(gdFixed) : 0;
            PaintCell(c, col, row, TRect(cr.Left - left, cr.Top - top, cr.Right - left, cr.Bottom - top), state);
        }
    c->Pen()->SetColor(GridFixedLineColor());
    if (ARect.Left == 0 && FixedCols() > 0 && (Options() & goFixedHorzLine) != 0) {
        c->MoveTo(0, 0);
        c->LineTo(0, h);
    }
    if (ARect.Top == 0 && FixedRows() > 0 && (Options() & goFixedVertLine) != 0) {
        c->MoveTo(0, 0);
        c->LineTo(w, 0);
    }
    auto* form = new TNoActiveForm(this);
    form->SetAlphaBlend(true);
    form->SetAlphaBlendValue(192);
    form->SetClientSize(w, h);
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetAlign(alClient);
    image->Picture()->Assign(bmp.get());
    return form;
}
