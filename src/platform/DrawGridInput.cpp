// The grid's input: button presses that select, size or move; dragging with
// automatic scrolling; the cursor over sizable borders; keys that move the
// current cell; the wheel; scroll bar messages; typing that opens the editor.

#include "platform/DrawGrid.h"

#include <QWidget>

#include "platform/DrawGridWalk.h"
#include "platform/Form.h"
#include "platform/InplaceEdit.h"
#include "platform/WidgetBridge.h"

namespace {

// How far from a border (either side, in pixels) a press still sizes.
constexpr Integer SizingMargin = 3;
// The timer that scrolls while a drag is beyond the cells.
constexpr UINT_PTR ScrollTimerId = 1;
constexpr UINT ScrollTimerMs = 60;
constexpr LPARAM HitClient = 1;

bool IsNormal(const TCustomGrid* g, TGridCoord c)
{
    return c.X >= g->FixedCols() && c.Y >= g->FixedRows() && c.X < g->ColCount() && c.Y < g->RowCount();
}

} // namespace

// ------------------------------------------------------------ messages

void TCustomGrid::WndProc(TMessage& Message)
{
    TCustomControl::WndProc(Message);
}

void TCustomGrid::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FOptions & goTabs)
            Message.Result |= DLGC_WANTTAB;
        return;
    case WM_VSCROLL:
    case WM_HSCROLL:
        // The thumb position comes in the high word, or whole in LParam
        // (positions of long grids do not fit 16 bits).
        ScrollMessage(Message.Msg == WM_VSCROLL, Message.WParamLo(), Message.LParam != 0 ? Integer(Message.LParam) : Integer(Message.WParamHi()));
        return;
    case WM_TIMER:
        if (Message.WParam == ScrollTimerId) {
            TimedScroll();
            return;
        }
        break;
    case WM_CHAR: {
        const QChar ch(char16_t(Message.WParam));
        const bool typing = ch.unicode() == 8 || (ch.unicode() >= 32 && ch.unicode() != 127);
        if ((FOptions & goEditing) && !(FOptions & goRowSelect) && typing && !HasState(csDesigning) && IsNormal(this, FCurrent)) {
            ShowEditorChar(ch);
            return;
        }
        break;
    }
    case WM_SETCURSOR: {
        UpdateCursorAt(FLastMouse.X, FLastMouse.Y);
        Message.Result = 1;
        return;
    }
    case WM_CANCELMODE:
        StopTracking();
        break;
    case CM_CURSORCHANGED:
        TCustomControl::Dispatch(Message);
        LayoutWindow();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
    if (Message.Msg == WM_MOUSEMOVE && FGridState == gsNormal)
        Perform(WM_SETCURSOR, 0, HitClient);
}

// ------------------------------------------------------------ sizing

void TCustomGrid::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos, Integer& SizingOfs,
                                  TGridDrawInfo& FixedInfo)
{
    State = gsNormal;
    Index = -1;
    CalcFixedInfo(FixedInfo);
    const TGridDrawInfo& di = DrawInfo();
    // The border nearest to the point, within the margin, among the cells in view.
    auto nearest = [&](const TGridAxisDrawInfo& A, Integer p, Integer& idx, Integer& pos) {
        Integer best = SizingMargin + 1;
        auto test = [&](Integer i, Integer start) {
            const Integer border = start + A.GetExtent(i);
            const Integer d = std::abs(p - border);
            if (d <= best && border <= A.GridExtent) {
                best = d;
                idx = i;
                pos = border;
            }
        };
        ForVisible(A, test);
        return best <= SizingMargin;
    };
    // Columns are sized from the fixed rows (or below the last row), rows
    // from the fixed columns (or right of the last column).
    if ((FOptions & goColSizing) && (Y < di.Vert.FixedBoundary || Y >= di.Vert.GridBoundary)) {
        Integer idx = -1, pos = 0;
        if (nearest(di.Horz, X, idx, pos)) {
            State = gsColSizing;
            Index = idx;
            SizingPos = pos;
            SizingOfs = pos - X;
            return;
        }
    }
    if ((FOptions & goRowSizing) && (X < di.Horz.FixedBoundary || X >= di.Horz.GridBoundary)) {
        Integer idx = -1, pos = 0;
        if (nearest(di.Vert, Y, idx, pos)) {
            State = gsRowSizing;
            Index = idx;
            SizingPos = pos;
            SizingOfs = pos - Y;
        }
    }
}

void TCustomGrid::UpdateCursorAt(Integer X, Integer Y)
{
    QWidget* w = TWidgetBridge::Widget(this);
    if (w == nullptr)
        return;
    TGridState state = FGridState;
    if (state == gsNormal && (FOptions & (goColSizing | goRowSizing))) {
        Integer index = 0, pos = 0, ofs = 0;
        TGridDrawInfo fixed;
        CalcSizingState(X, Y, state, index, pos, ofs, fixed);
    }
    if (state == gsColSizing)
        w->setCursor(CursorShape(crHSplit));
    else if (state == gsRowSizing)
        w->setCursor(CursorShape(crVSplit));
    else if (state == gsColMoving || state == gsRowMoving)
        w->setCursor(CursorShape(crDrag));
    else if (Cursor() == crDefault)
        w->unsetCursor();
    else
        w->setCursor(CursorShape(Cursor()));
}

// ------------------------------------------------------------ mouse

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FLastMouse = {X, Y};
    if (Button == mbLeft && !HasState(csDesigning)) {
        // Take the focus first; an editor elsewhere that refuses to let it go stops the press.
        bool proceed = true;
        if (!IsActiveControl() && CanFocus()) {
            SetFocus();
            proceed = IsActiveControl();
        }
        if (proceed) {
            TGridState state = gsNormal;
            Integer index = -1, pos = 0, ofs = 0;
            TGridDrawInfo fixed;
            if (FOptions & (goColSizing | goRowSizing))
                CalcSizingState(X, Y, state, index, pos, ofs, fixed);
            const TGridCoord cell = MouseCoord(X, Y);
            if (state != gsNormal) {
                FGridState = state;
                FSizingIndex = index;
                FSizingPos = pos;
                FSizingOfs = ofs;
                FTracking = true;
                Invalidate();
            } else if (cell.X >= 0 && cell.Y >= 0) {
                if ((FOptions & goColMoving) && cell.Y < FFixedRows && cell.X >= FFixedCols) {
                    HideEditor();
                    FGridState = gsColMoving;
                    FMoveIndex = cell.X;
                    FMovePos = -1;
                    FHitTest = {X, Y};
                    FTracking = true;
                } else if ((FOptions & goRowMoving) && cell.X < FFixedCols && cell.Y >= FFixedRows) {
                    HideEditor();
                    FGridState = gsRowMoving;
                    FMoveIndex = cell.Y;
                    FMovePos = -1;
                    FHitTest = {X, Y};
                    FTracking = true;
                } else if (IsNormal(this, cell)) {
                    const bool onCurrent = cell == FCurrent && FAnchor == FCurrent;
                    if (onCurrent && (FOptions & goEditing) && !(FOptions & goRowSelect) && !Shift.Contains(ssShift)) {
                        ShowEditor();
                    } else {
                        if (FEditorMode && !(FOptions & goAlwaysShowEditor))
                            HideEditor();
                        if (Shift.Contains(ssShift) && (FOptions & goRangeSelect))
                            MoveAnchor(cell);
                        else
                            MoveCurrent(cell.X, cell.Y, true, true);
                        // Dragging on spans a range (or, without range
                        // selection, carries the current cell along).
                        FGridState = gsSelecting;
                        FTracking = true;
                    }
                }
            }
            if (FTracking && HandleAllocated())
                SetTimer(Handle(), ScrollTimerId, ScrollTimerMs);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    FLastMouse = {X, Y};
    const TGridDrawInfo& di = DrawInfo();
    switch (FGridState) {
    case gsSelecting: {
        // Beyond the cells the nearest cell in view is taken; the timer scrolls.
        const Integer cx = std::clamp(X, di.Horz.FixedBoundary, std::max(di.Horz.FixedBoundary, di.Horz.GridBoundary - 1));
        const Integer cy = std::clamp(Y, di.Vert.FixedBoundary, std::max(di.Vert.FixedBoundary, di.Vert.GridBoundary - 1));
        const TGridCoord cell = MouseCoord(cx, cy);
        if (IsNormal(this, cell) && !(cell == FAnchor))
            MoveAnchor(cell);
        break;
    }
    case gsColSizing:
    case gsRowSizing: {
        const Integer p = (FGridState == gsColSizing ? X : Y) + FSizingOfs;
        const Integer next = std::max(p, SizingStart(FGridState == gsColSizing));
        if (next != FSizingPos) {
            FSizingPos = next;
            Invalidate();
        }
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        const bool cols = FGridState == gsColMoving;
        const TGridCoord cell = MouseCoord(cols ? std::clamp(X, di.Horz.FixedBoundary, std::max(di.Horz.FixedBoundary, di.Horz.GridBoundary - 1)) : X,
                                           cols ? Y : std::clamp(Y, di.Vert.FixedBoundary, std::max(di.Vert.FixedBoundary, di.Vert.GridBoundary - 1)));
        const Integer target = cols ? cell.X : cell.Y;
        if (target >= (cols ? FFixedCols : FFixedRows) && target != FMovePos) {
            FMovePos = target;
            Invalidate();
        }
        UpdateCursorAt(X, Y);
        break;
    }
    default:
        break;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FLastMouse = {X, Y};
    if (Button == mbLeft && FTracking) {
        const TGridState state = FGridState;
        if (state == gsSelecting)
            MouseMove(Shift, X, Y);
        StopTracking();
        if (state == gsColSizing || state == gsRowSizing) {
            const bool cols = state == gsColSizing;
            const Integer size = std::max<Integer>(FSizingPos - SizingStart(cols), 0);
            if (cols && FSizingIndex >= 0 && FSizingIndex < ColCount())
                SetColWidths(FSizingIndex, size);
            else if (!cols && FSizingIndex >= 0 && FSizingIndex < RowCount())
                SetRowHeights(FSizingIndex, size);
        } else if (state == gsColMoving || state == gsRowMoving) {
            const Integer from = FMoveIndex, to = FMovePos;
            FMoveIndex = -1;
            FMovePos = -1;
            if (to >= 0 && to != from) {
                if (state == gsColMoving)
                    MoveColumn(from, to);
                else
                    MoveRow(from, to);
            }
        }
        Invalidate();
        UpdateCursorAt(X, Y);
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

// Where the column (row) being sized starts on screen.
Integer TCustomGrid::SizingStart(bool Cols) const
{
    // A cell of it that is in view: in the first fixed row (column), else the top (left) one.
    const Integer other = Cols ? (FFixedRows > 0 ? 0 : FTopLeft.Y) : (FFixedCols > 0 ? 0 : FTopLeft.X);
    const TRect r = Cols ? CellRect(FSizingIndex, other) : CellRect(other, FSizingIndex);
    return Cols ? r.Left : r.Top;
}

void TCustomGrid::StopTracking()
{
    if (FTracking && HandleAllocated())
        KillTimer(Handle(), ScrollTimerId);
    FTracking = false;
    if (FGridState != gsNormal) {
        FGridState = gsNormal;
        Invalidate();
    }
}

// While a drag lies beyond the cells in view, scroll one cell per tick
// towards it and carry the selection or the move target along.
void TCustomGrid::TimedScroll()
{
    if (!FTracking)
        return;
    const TGridDrawInfo& di = DrawInfo();
    const TPoint p = FLastMouse;
    Integer dx = 0, dy = 0;
    if (FGridState != gsRowMoving && FGridState != gsColSizing && FGridState != gsRowSizing) {
        if (p.X < di.Horz.FixedBoundary && FTopLeft.X > FFixedCols)
            dx = -1;
        else if (p.X >= di.Horz.GridExtent)
            dx = 1;
    }
    if (FGridState != gsColMoving && FGridState != gsColSizing && FGridState != gsRowSizing) {
        if (p.Y < di.Vert.FixedBoundary && FTopLeft.Y > FFixedRows)
            dy = -1;
        else if (p.Y >= di.Vert.GridExtent)
            dy = 1;
    }
    if (dx == 0 && dy == 0)
        return;
    MoveTopLeft(FTopLeft.X + dx, FTopLeft.Y + dy);
    MouseMove(KeysToShiftState(MK_LBUTTON), p.X, p.Y);
}

void TCustomGrid::DblClick()
{
    TCustomControl::DblClick();
}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    return WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    if (Row() < RowCount() - 1 && IsNormal(this, {Col(), Row() + 1}))
        SetRow(Row() + 1);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    if (Row() > FFixedRows)
        SetRow(Row() - 1);
    return true;
}

// ------------------------------------------------------------ keys

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0 || !IsNormal(this, FCurrent))
        return;
    if (Key == VK_F2 && Shift.Empty()) {
        SetEditorMode(true);
        return;
    }
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool rowSelect = FOptions & goRowSelect;
    const bool extend = Shift.Contains(ssShift) && (FOptions & goRangeSelect) && Key != VK_TAB;
    const TGridCoord from = extend ? FAnchor : FCurrent;
    TGridCoord next = from;
    TGridCoord tl = FTopLeft;
    const Integer page = std::max<Integer>(VisibleRowCount(), 1);
    bool handled = true;
    if (ctrl) {
        switch (Key) {
        case VK_UP: --tl.Y; break;
        case VK_DOWN: ++tl.Y; break;
        case VK_LEFT: --tl.X; break;
        case VK_RIGHT: ++tl.X; break;
        case VK_PRIOR: next.Y = FTopLeft.Y; break;
        case VK_NEXT: next.Y = DrawInfo().Vert.LastFullVisibleCell; break;
        case VK_HOME: next = {FFixedCols, FFixedRows}; break;
        case VK_END: next = {ColCount() - 1, RowCount() - 1}; break;
        default: handled = false; break;
        }
    } else {
        switch (Key) {
        case VK_UP: --next.Y; break;
        case VK_DOWN: ++next.Y; break;
        case VK_LEFT:
            if (rowSelect)
                --tl.X;
            else
                --next.X;
            break;
        case VK_RIGHT:
            if (rowSelect)
                ++tl.X;
            else
                ++next.X;
            break;
        case VK_PRIOR:
            next.Y -= page;
            tl.Y -= page;
            break;
        case VK_NEXT:
            next.Y += page;
            tl.Y += page;
            break;
        case VK_HOME:
            if (rowSelect)
                next.Y = FFixedRows;
            else
                next.X = FFixedCols;
            break;
        case VK_END:
            if (rowSelect)
                next.Y = RowCount() - 1;
            else
                next.X = ColCount() - 1;
            break;
        case VK_TAB:
            if (!(FOptions & goTabs) || Shift.Contains(ssAlt)) {
                handled = false;
                break;
            }
            if (Shift.Contains(ssShift)) {
                if (next.X > FFixedCols) {
                    --next.X;
                } else if (next.Y > FFixedRows) {
                    next.X = ColCount() - 1;
                    --next.Y;
                }
            } else if (next.X < ColCount() - 1) {
                ++next.X;
            } else if (next.Y < RowCount() - 1) {
                next.X = FFixedCols;
                ++next.Y;
            }
            break;
        default: handled = false; break;
        }
    }
    if (!handled)
        return;
    next.X = std::clamp(next.X, FFixedCols, ColCount() - 1);
    next.Y = std::clamp(next.Y, FFixedRows, RowCount() - 1);
    if (!(tl == FTopLeft))
        MoveTopLeft(tl.X, tl.Y);
    if (!(next == from)) {
        if (extend)
            MoveAnchor(next);
        else
            MoveCurrent(next.X, next.Y, true, true);
    }
}

void TCustomGrid::KeyUp(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
}

void TCustomGrid::KeyPress(QChar& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key == QChar(u'\r') && (FOptions & goEditing) && !(FOptions & goAlwaysShowEditor)) {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        Key = QChar(0);
    }
}

// ------------------------------------------------------------ focus

void TCustomGrid::DoEnter()
{
    TCustomControl::DoEnter();
    InvalidateRect(Selection());
    if ((FOptions & goAlwaysShowEditor) && (FOptions & goEditing))
        ShowEditor();
}

void TCustomGrid::DoExit()
{
    TCustomControl::DoExit();
    if (!(FOptions & goAlwaysShowEditor))
        HideEditor();
    InvalidateRect(Selection());
}
