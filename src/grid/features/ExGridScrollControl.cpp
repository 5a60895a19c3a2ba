// The grid's own thin scroll controls (ScrollType ssMetro).

#include "grid/ExGrid.h"

#include <cmath>

#include "grid/features/ExGridPanels.h"
#include "platform/Canvas.h"

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetTabStop(false);
}

void TScrollControl::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Invalidate();
}

void TScrollControl::SetScrollWidth(Integer Value)
{
    FScrollWidth = Value;
    Invalidate();
}

void TScrollControl::SetDirection(TScrollDirection Value)
{
    FDirection = Value;
    Invalidate();
}

TExStringGrid* TScrollControl::Grid() const
{
    return dynamic_cast<TExStringGrid*>(Parent());
}

void TScrollControl::Extents(Integer& First, Integer& Fixed, Integer& Visible, Integer& Count) const
{
    TExStringGrid* g = Grid();
    if (FDirection == sdHorizontal) {
        First = g->LeftCol();
        Fixed = g->FixedCols();
        Visible = g->VisibleColCount();
        Count = g->ColCount();
    } else {
        First = g->TopRow();
        Fixed = g->FixedRows();
        Visible = g->VisibleRowCount();
        Count = g->RowCount();
    }
}

bool TScrollControl::ThumbExtent(Integer& Pos, Integer& Size) const
{
    TExStringGrid* g = Grid();
    if (g == nullptr)
        return false;
    Integer first = 0, fixed = 0, visible = 0, count = 0;
    Extents(first, fixed, visible, count);
    // Nothing to scroll: no thumb.
    if (visible + fixed >= count || count <= fixed)
        return false;
    const bool horz = FDirection == sdHorizontal;
    const Integer length = horz ? Width() : Height();
    Integer fixedPart = 0, endPart = 0;
    for (Integer i = 0; i < fixed; ++i)
        fixedPart += horz ? g->ColWidths(i) : g->RowHeights(i);
    const Integer ends = horz ? g->FixedRightCols() : g->FixedFooters();
    for (Integer i = std::max(count - ends, 0); i < count; ++i)
        endPart += horz ? g->ColWidths(i) : g->RowHeights(i);
    const double track = length - fixedPart - endPart;
    Pos = fixedPart + Integer(std::lround(track * double(first - fixed) / double(count - fixed)));
    Size = std::max<Integer>(Integer(std::lround(track * double(visible) / double(count))), 20);
    if (Pos + Size > length)
        Pos = length - Size;
    return true;
}

void TScrollControl::Paint()
{
    Integer pos = 0, size = 0;
    if (!ThumbExtent(pos, size))
        return;
    TCanvas* c = Canvas();
    c->Pen()->SetColor(FColor);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    if (FDirection == sdHorizontal)
        c->Rectangle(pos, 0, pos + size, FScrollWidth);
    else
        c->Rectangle(0, pos, FScrollWidth, pos + size);
}

void TScrollControl::SetFirst(Integer Value)
{
    TExStringGrid* g = Grid();
    if (FDirection == sdHorizontal)
        g->SetLeftCol(Value);
    else
        g->SetTopRow(Value);
    Invalidate();
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    Integer pos = 0, size = 0;
    if (Grid() == nullptr || !ThumbExtent(pos, size))
        return;
    Integer first = 0, fixed = 0, visible = 0, count = 0;
    Extents(first, fixed, visible, count);
    const Integer at = FDirection == sdHorizontal ? X : Y;
    if (at < pos) {
        SetFirst(std::max(fixed, first - visible));
    } else if (at > pos + size) {
        SetFirst(std::min(first + visible, count - visible));
    } else {
        FDownOnScroller = true;
        FDownPos = at;
        FDownRow = first;
    }
}

void TScrollControl::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    TExStringGrid* g = Grid();
    if (!FDownOnScroller || g == nullptr)
        return;
    Integer first = 0, fixed = 0, visible = 0, count = 0;
    Extents(first, fixed, visible, count);
    const bool horz = FDirection == sdHorizontal;
    const Integer span = (horz ? Width() - g->ColWidths(0) : Height() - g->RowHeights(0));
    if (span <= 0)
        return;
    const Integer at = horz ? X : Y;
    Integer target = Integer(std::lround(double(at - FDownPos) / double(span) * count)) + FDownRow;
    target = std::max(std::min(target, count - visible), fixed);
    if (target != first)
        SetFirst(target);
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FDownOnScroller = false;
}

// ============================================================ the grid's side

void TExStringGrid::CreateScrollControls()
{
    if (vscrlctrl == nullptr) {
        vscrlctrl = new TScrollControl(this);
        vscrlctrl->SetDirection(sdVertical);
        vscrlctrl->SetDoubleBuffered(true);
        vscrlctrl->SetParent(this);
        vscrlctrl->SetWidth(6);
        vscrlctrl->SetAlign(alRight);
        vscrlctrl->SetVisible(true);
    }
    if (hscrlctrl == nullptr) {
        hscrlctrl = new TScrollControl(this);
        hscrlctrl->SetDirection(sdHorizontal);
        hscrlctrl->SetDoubleBuffered(true);
        hscrlctrl->SetParent(this);
        hscrlctrl->SetHeight(6);
        hscrlctrl->SetAlign(alBottom);
        hscrlctrl->SetVisible(true);
    }
}

void TExStringGrid::FreeScrollControls()
{
    delete vscrlctrl;
    vscrlctrl = nullptr;
    delete hscrlctrl;
    hscrlctrl = nullptr;
}
