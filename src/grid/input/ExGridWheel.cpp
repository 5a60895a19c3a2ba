// TExStringGrid: what the grid does when its view changes. The wheel (rows
// moved or only scrolled, Ctrl+wheel zoom), middle-button panning, Zoom,
// the top-left change, and the controls placed in cells, which follow their
// cells as the grid scrolls.

#include "grid/ExGrid.h"
#include "grid/features/ExGridPanels.h"

#include <cmath>

#include "grid/ExGridEditors.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Messages.h"

namespace {

constexpr UINT_PTR kPanTimer = 999;
constexpr TCursor kPanCursor = 8000;

// The panning cursors 8000 .. 8008: a ring with the arrows of the
// directions it scrolls in (V, H as the panning step reads them).
void InstallPanCursor(TCursor Index, Integer V, Integer H)
{
    TBitmap image;
    image.SetWidth(32);
    image.SetHeight(32);
    TCanvas* c = image.Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(TRect(0, 0, 32, 32));
    image.SetTransparentColor(clFuchsia);
    image.SetTransparent(true);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clWhite);
    c->Ellipse(TRect(12, 12, 20, 20));
    c->Brush()->SetColor(clBlack);
    auto arrow = [&](Integer dx, Integer dy) {
        const Integer x = 16 + dx * 11, y = 16 + dy * 11;
        if (dx == 0)
            c->Polygon({TPoint(x - 4, y - dy * 4), TPoint(x + 4, y - dy * 4), TPoint(x, y + dy * 2)});
        else if (dy == 0)
            c->Polygon({TPoint(x - dx * 4, y - 4), TPoint(x - dx * 4, y + 4), TPoint(x + dx * 2, y)});
        else
            c->Polygon({TPoint(x - dx * 5, y), TPoint(x, y - dy * 5), TPoint(x + dx * 2, y + dy * 2)});
    };
    if (V == 0 && H == 0) {
        arrow(0, -1);
        arrow(0, 1);
        arrow(-1, 0);
        arrow(1, 0);
    } else {
        arrow(H, V);
    }
    Screen->SetCursorImage(Index, &image, {16, 16});
}

TCursor PanCursorFor(Integer V, Integer H)
{
    if (V == 0)
        return H == 0 ? 8000 : (H > 0 ? 8003 : 8002);
    if (H == 0)
        return V > 0 ? 8001 : 8004;
    if (V < 0)
        return H > 0 ? 8005 : 8006;
    return H > 0 ? 8007 : 8008;
}

} // namespace

// ------------------------------------------------------------ wheel

bool TExStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    return WheelStep(true, Shift, MousePos);
}

bool TExStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    return WheelStep(false, Shift, MousePos);
}

bool TExStringGrid::WheelStep(bool Down, TShiftState Shift, TPoint MousePos)
{
    if (FMouseActions->WheelAction() == waScroll || !EnableWheel()) {
        bool handled = false;
        if (Down ? bool(OnMouseWheelDown) : bool(OnMouseWheelUp))
            (Down ? OnMouseWheelDown : OnMouseWheelUp)(this, Shift, MousePos, handled);
        return handled;
    }
    // Entering the next cell opens no editor while the wheel turns.
    const bool directEdit = FMouseActions->DirectEdit();
    FMouseActions->SetDirectEdit(false);
    bool result = true;
    auto base = [&] {
        bool handled = false;
        if (Down ? bool(OnMouseWheelDown) : bool(OnMouseWheelUp))
            (Down ? OnMouseWheelDown : OnMouseWheelUp)(this, Shift, MousePos, handled);
        if (!handled)
            result = Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos) : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    };
    try {
        if ((Options() & goRowSelect) != 0 && FNavigation->KeepHorizScroll()) {
            StartUpdate();
            const Integer left = LeftCol();
            base();
            SetLeftCol(left);
            ResetUpdate();
        } else {
            const bool editing = EditMode;
            if (Down || (Row() < RowCount() && Col() < ColCount()))
                base();
            if (editing && CanFocus())
                SetFocus();
        }
    } catch (...) {
        FMouseActions->SetDirectEdit(directEdit);
        throw;
    }
    FMouseActions->SetDirectEdit(directEdit);
    return result;
}

bool TExStringGrid::GridWheelMessage(TMessage& Message)
{
    if (wheelmsg == 0 || wheelpan)
        return false;
    const Integer delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
    const TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
    if (shift.Contains(ssCtrl) && IntelliZoom()) {
        Zoom(delta < 0 ? wheelscrl : -wheelscrl);
        AutoSizeCells(true, 4, 4);
        Message.Result = 1;
        return true;
    }
    if (!EnableWheel() || (FixedRowAlways() && RowCount() == 1))
        return true;
    const TGridRect sel0 = Selection();
    const bool scroll = FMouseActions->WheelAction() == waScroll;
    Integer step = FMouseActions->WheelIncrement();
    if (step < 1)
        step = std::max(wheelscrl, 1);
    Integer target = Row();
    if (scroll) {
        if (delta < 0) {
            if (TopRow() < RowCount() - VisibleRowCount())
                SetTopRow(std::min(TopRow() + step, RowCount() - VisibleRowCount()));
        } else {
            step = std::min(step, TopRow() - FixedRows());
            if (TopRow() > FixedRows())
                SetTopRow(TopRow() - step);
        }
    } else {
        target = delta < 0 ? Row() + step : Row() - step;
    }
    target = std::clamp(target, FixedRows(), std::max(FixedRows(), RowCount() - FixedFooters() - 1));
    if (Col() > ColCount() - 1) {
        if (Row() > RowCount() - 1)
            FocusCell(ColCount() - 1, RowCount() - 1);
        else
            SetCol(ColCount() - 1);
    } else if (Col() < FixedCols() && FixedCols() < ColCount()) {
        SetCol(FixedCols());
    }
    Integer rowDelta = 0;
    StartUpdate();
    if (target >= 0 && target < RowCount()) {
        if (FMouseActions->DisjunctRowSelect() && !scroll)
            ClearRowSelect();
        rowDelta = target - Row();
        const Integer left = LeftCol();
        if (!scroll) {
            SetRow(target);
            if (Row() != target) {
                // A refused row: move half the way and bring the view along.
                const Integer half = Integer(std::nearbyint((target - Row()) / 2.0));
                if (half != 0)
                    SetRow(Row() + half);
                if (TopRow() > FixedRows())
                    SetTopRow(TopRow() - 1);
            }
        }
        if ((Options() & goRowSelect) != 0 && FNavigation->KeepHorizScroll())
            SetLeftCol(left);
    }
    ResetUpdate();
    Invalidate();
    bool handled = true;
    MouseWheelDone(rowDelta, handled);
    if ((FMouseActions->WheelIncrement() != 0 || FMouseActions->DisjunctRowSelect()) && handled) {
        Message.Result = 1;
        const bool disjunct = FMouseActions->DisjunctRowSelect();
        const TShiftState s = disjunct ? shift : TShiftState();
        const TPoint pos = disjunct ? PointFromLParam(Message.LParam) : TPoint{0, 0};
        bool h = false;
        if (delta < 0 ? bool(OnMouseWheelDown) : bool(OnMouseWheelUp))
            (delta < 0 ? OnMouseWheelDown : OnMouseWheelUp)(this, s, pos, h);
    }
    const TGridRect sel = Selection();
    if (!(sel == sel0))
        SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
    if (FSearchFooter->Visible() && TopRow() == RowCount() - VisibleRowCount())
        KeepRowsAboveSearchPanel();
    return true;
}

// ------------------------------------------------------------ panning

bool TExStringGrid::PanMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MBUTTONDOWN:
        if (wheelpan) {
            StopPanning();
            return true;
        }
        if (wheelmsg != 0 && IntelliPan() != ipNone && RowCount() > FixedRows()) {
            StartPanning(PointFromLParam(Message.LParam));
            return true;
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
        if (wheelpan) {
            StopPanning();
            return true;
        }
        return false;
    case WM_TIMER:
        if (wheelpan && Message.WParam == WPARAM(kPanTimer)) {
            PanStep();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void TExStringGrid::StartPanning(TPoint At)
{
    InstallPanCursor(kPanCursor, 0, 0);
    prevcurs = Cursor();
    TControl::SetCursor(kPanCursor);
    wheelpan = true;
    if (HandleAllocated())
        SetTimer(Handle(), kPanTimer, 10);
    wheelpanpos = At;
    SetMouseCapture(true);
    if (Application != nullptr) {
        Application->CancelHint();
        FPanHints = Application->ShowHint();
        Application->SetShowHint(false);
    }
    DrawPanMark();
}

void TExStringGrid::StopPanning()
{
    SetMouseCapture(false);
    if (HandleAllocated())
        KillTimer(Handle(), kPanTimer);
    TControl::SetCursor(prevcurs);
    if (Application != nullptr)
        Application->SetShowHint(FPanHints);
    wheelpan = false;
    InvalidatePanMark();
}

void TExStringGrid::InvalidatePanMark()
{
    const TRect r(wheelpanpos.X, wheelpanpos.Y, wheelpanpos.X + 32, wheelpanpos.Y + 32);
    for (Integer c = LeftCol(); c < std::min(ColCount(), LeftCol() + VisibleColCount() + 1); ++c)
        for (Integer row = TopRow(); row < std::min(RowCount(), TopRow() + VisibleRowCount() + 1); ++row) {
            const TRect cr = CellRect(c, row);
            if (cr.Left < r.Right && r.Left < cr.Right && cr.Top < r.Bottom && r.Top < cr.Bottom)
                InvalidateCell(c, row);
        }
}

void TExStringGrid::DrawPanMark()
{
    // The origin mark: a ring with the arrows of the directions panned.
    TCanvas* c = Canvas();
    const Integer x = wheelpanpos.X, y = wheelpanpos.Y;
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(clWhite);
    c->Ellipse(TRect(x + 4, y + 4, x + 28, y + 28));
    c->Brush()->SetColor(clBlack);
    const bool vert = IntelliPan() != ipHorizontal, horz = IntelliPan() != ipVertical;
    if (vert) {
        c->Polygon({TPoint(x + 12, y + 12), TPoint(x + 20, y + 12), TPoint(x + 16, y + 7)});
        c->Polygon({TPoint(x + 12, y + 20), TPoint(x + 20, y + 20), TPoint(x + 16, y + 25)});
    }
    if (horz) {
        c->Polygon({TPoint(x + 12, y + 12), TPoint(x + 12, y + 20), TPoint(x + 7, y + 16)});
        c->Polygon({TPoint(x + 20, y + 12), TPoint(x + 20, y + 20), TPoint(x + 25, y + 16)});
    }
}

void TExStringGrid::PanStep()
{
    if (IntelliPan() == ipNone)
        return;
    const TPoint p = ScreenToClient(GetCursorPos());
    Integer v = p.Y < wheelpanpos.Y - 5 ? -1 : (p.Y > wheelpanpos.Y + 5 ? 1 : 0);
    Integer h = p.X < wheelpanpos.X - 5 ? -1 : (p.X > wheelpanpos.X + 5 ? 1 : 0);
    if (IntelliPan() == ipHorizontal)
        v = 0;
    if (IntelliPan() == ipVertical)
        h = 0;
    const TCursor cursor = PanCursorFor(v, h);
    if (cursor != kPanCursor)
        InstallPanCursor(cursor, v, h);
    const TGridRect sel0 = Selection();
    const Integer lastRow = std::max(FixedRows(), RowCount() - FixedFooters() - 1);
    const Integer lastCol = std::max(FixedCols(), ColCount() - FixedRightCols() - 1);
    if (Row() < FixedRows() || Row() > lastRow)
        SetRow(std::clamp(Row(), FixedRows(), lastRow));
    if (Col() < FixedCols() || Col() > lastCol)
        SetCol(std::clamp(Col(), FixedCols(), lastCol));
    if (v != 0 || h != 0)
        InvalidatePanMark();
    if (FMouseActions->WheelAction() == waScroll) {
        if (h != 0)
            SetLeftCol(std::clamp(LeftCol() + h, FixedCols(), std::max(FixedCols(), ColCount() - VisibleColCount())));
        if (v != 0)
            SetTopRow(std::clamp(TopRow() + v, FixedRows(), std::max(FixedRows(), RowCount() - VisibleRowCount())));
    } else {
        if (h != 0)
            SetCol(std::clamp(Col() + h, FixedCols(), lastCol));
        if (v != 0)
            SetRow(std::clamp(Row() + v, FixedRows(), lastRow));
    }
    TControl::SetCursor(cursor);
    DrawPanMark();
    const TGridRect sel = Selection();
    if (!(sel == sel0))
        SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

// ------------------------------------------------------------ zoom

void TExStringGrid::Zoom(Integer Delta)
{
    const Integer next = ZoomFactor() + Delta;
    if (next < -10 || next > 10)
        return;
    FScrollLock = true;
    SetZoomFactor(next);
    for (Integer c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + Delta > 0)
            SetColWidths(c, ColWidths(c) + Delta);
    for (Integer r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + Delta > 0)
            SetRowHeights(r, RowHeights(r) + Delta);
    FScrollLock = false;
    if (ScrollProportional()) {
        UpdateProportionalVScroll();
        UpdateProportionalHScroll();
    }
    Invalidate();
}

void TExStringGrid::InitOrigColSizes()
{
    FOrigColSizes->Clear();
    for (Integer c = 0; c < ColCount(); ++c)
        FOrigColSizes->Add(ColWidths(c));
    FOldSize = Width();
}

// ------------------------------------------------------------ top-left change

void TExStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    // The thin scroll controls show where the view went.
    if (vscrlctrl != nullptr)
        vscrlctrl->Invalidate();
    if (hscrlctrl != nullptr)
        hscrlctrl->Invalidate();
    if (SelectionRectangle() && Selection().Top != Selection().Bottom)
        Invalidate();
    if (FBackGround != nullptr && !FBackGround->Bitmap()->Empty()
        && (FBackGround->Display == bdFixed || FBackGround->Display == bdTile))
        Invalidate();
    else if ((FBackGround->Display == bdGradientHorz || FBackGround->Display == bdGradientVert)
             && FBackGround->ColorTo != clNone)
        Invalidate();
    if (EditMode && EditControl != edNormal && !IsTextEditor(EditControl))
        HideInplaceEdit();
    if (FFloatingFooter->Visible())
        UpdateFooter();
    CellControlsUpdate(false);
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();
    if (auto* other = dynamic_cast<TExStringGrid*>(FSyncGrid->Grid()); other != nullptr && !FSyncedScroll) {
        other->FSyncedScroll = true;
        if (FSyncGrid->ScrollVertical() && TopRow() < other->RowCount())
            other->SetTopRow(TopRow());
        if (FSyncGrid->ScrollHorizontal() && LeftCol() < other->ColCount())
            other->SetLeftCol(LeftCol());
        other->FSyncedScroll = false;
    }
}

// ------------------------------------------------------------ cell controls

TControl* TExStringGrid::CellControls(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    return p != nullptr ? p->Control() : nullptr;
}

void TExStringGrid::SetCellControls(Integer ACol, Integer ARow, TControl* Value)
{
    const Integer real = RealRowIndex(ARow);
    const Integer at = FControlList->ControlIndex(ACol, real);
    TCellProperties* props = Value != nullptr ? GetCellProperties(ACol, ARow) : PropsOf(ACol, ARow);
    if (Value == nullptr) {
        if (at >= 0)
            FControlList->RemoveControl(at);
        if (props != nullptr)
            props->SetControl(nullptr);
        return;
    }
    if (at >= 0)
        FControlList->RemoveControl(at);
    if (props->Control() == nullptr)
        ++FNumCellControls;
    FControlList->AddControl(ACol, real, Value);
    props->SetControl(Value);
    Value->SetParent(this);
    const TRect r = CellRect(RealToDisplCol(ACol), ARow);
    Value->SetBounds(r.Left - 1, r.Top - 1, r.Right - r.Left + 1, r.Bottom - r.Top + 1);
}

void TExStringGrid::CellControlsUpdate(bool RebuildList)
{
    if (!HandleAllocated())
        return;
    if (RebuildList) {
        FControlList->Clear();
        for (Integer r = 0; r < RowCount(); ++r)
            for (Integer c = 0; c < ColCount() + FNumHidden; ++c)
                if (TControl* ctl = CellControls(c, r))
                    FControlList->AddControl(c, RealRowIndex(r), ctl);
    }
    if (FNumCellControls == 0 && FControlList->Count() == 0)
        return;
    for (Integer i = 0; i < FControlList->Count(); ++i) {
        const TControlItem* it = FControlList->Control(i);
        TControl* ctl = it->Object();
        if (ctl == nullptr)
            continue;
        const bool hidden = IsHiddenColumn(it->X()) || IsHiddenRow(it->Y());
        const Integer c = RealToDisplCol(it->X());
        const Integer r = DisplRowIndex(it->Y());
        const bool normal = c >= FixedCols() && r >= FixedRows();
        const bool outside = hidden || c < LeftCol() || c > LeftCol() + VisibleColCount() || r < TopRow()
                             || r > TopRow() + VisibleRowCount() || r >= RowCount() || c >= ColCount();
        if (outside) {
            if (normal || hidden)
                ctl->SetVisible(false);
            continue;
        }
        const TRect cr = CellRect(c, r);
        ctl->SetBounds(cr.Left - 1, cr.Top - 1, cr.Right - cr.Left + 1, cr.Bottom - cr.Top + 1);
        ctl->SetVisible(true);
        if (normal) {
            // One pixel wider and back: the control lays itself out again.
            ctl->SetWidth(ctl->Width() + 1);
            ctl->SetWidth(ctl->Width() - 1);
            ctl->Invalidate();
        }
    }
}

void TExStringGrid::UpdateAutoRangeScrollBar(Integer ACol, Integer ARow)
{
    if (!HasAutoRangeScrollBar(ACol, ARow))
        return;
    TScrollProp prop;
    prop.PageSize = RowHeights(ARow);
    prop.Range = GetCellTextSize(ACol, ARow, true, true).Y;
    SetScrollProp(ACol, ARow, prop);
}
