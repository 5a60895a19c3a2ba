// Scrolling: the two offsets and the one primitive that changes them, the
// scroll bars (on a frame around the client window), the scroll and wheel
// messages, bringing a node into view, automatic scrolling at the edges and
// wheel panning with the middle button.

#include <cmath>
#include <exception>

#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/ShapedPopup.h"
#include "platform/WidgetBridge.h"
#include "platform/Form.h"
#include "platform/ScrollFrame.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/NodeTreesStyleHooks.h"
#include "treeview/header/NodeTreeHeader.h"
#include "treeview/header/NodeTreeHintWindow.h"

namespace {
bool HasVertical(TScrollStyle s) { return s == ssVertical || s == ssBoth; }
bool HasHorizontal(TScrollStyle s) { return s == ssHorizontal || s == ssBoth; }
} // namespace

// ---------------------------------------------------------------- the window

void TBaseNodeTree::LayoutWindow()
{
    if (!FHeader)
        return;
    const Integer top = (FHeader->Options() & hoVisible) ? FHeader->Height() : 0;
    if (FScrollParts && FScrollParts->Frame)
        FScrollParts->Frame->Layout(FBorderStyle == bsSingle ? 2 : 0, FVertBarShown, FHorzBarShown, top, FBiDiMode == bdRightToLeft);
    if (top > 0 || FHeader->HeaderWindow()) {
        UpdateHeaderRect();
        FHeader->SyncWindow();
    }
    // The window's place or its bars changed.
    if (HandleAllocated())
        Perform(WM_WINDOWPOSCHANGED);
}

void TBaseNodeTree::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    // The single border is a sunken client edge.
    if (FBorderStyle == bsSingle)
        Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TBaseNodeTree::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    const bool sized = AWidth != Width() || AHeight != Height();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (sized && HandleAllocated() && !HasTreeState(tsSizing | tsWindowCreating) && ClientHeight() >= 0) {
        DoStateChange(tsSizing);
        try {
            UpdateHeaderRect();
            FHeader->ApplyFixedAreaConstraints();
            FHeader->ApplySpringResize();
            UpdateScrollBars(true);
        } catch (...) {
            DoStateChange(0, tsSizing);
            throw;
        }
        DoStateChange(0, tsSizing);
    }
    LayoutWindow();
}

void TBaseNodeTree::SetVisible(bool Value)
{
    TCustomControl::SetVisible(Value);
    LayoutWindow();
}

// The layer places the window over the whole bounds; the frame takes its part back.
void TBaseNodeTree::UpdateView()
{
    TCustomControl::UpdateView();
    LayoutWindow();
}

void TBaseNodeTree::CreateWnd()
{
    DoStateChange(tsWindowCreating);
    TCustomControl::CreateWnd();
    DoStateChange(0, tsWindowCreating);
    FDropTargetRegistered = false;
    DoStateChange(0, tsUseThemes | tsUseExplorerTheme);
    if (!FScrollParts)
        FScrollParts = std::make_unique<TScrollParts>();
    FScrollParts->Frame = std::make_unique<TScrollFrame>(this);
    FBarInputs[0].reset();
    FBarInputs[1].reset();
    FBarExtent = TScrollFrame::BarExtent();
    FScrollParts->Frame->OnScroll = [this](bool vertical, Word code, Integer pos) {
        Perform(vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, Word(pos)), pos);
    };
    FitDefaultNodeHeightToFont();
    BuildPaintResources(true, true);
    UpdateHeaderRect();
    if (FHeader->States() & hsNeedScaling)
        FHeader->ApplyFixedAreaConstraints();
    if (FHeader->Options() & hoAutoResize)
        FHeader->Columns()->FitAutoSizeColumn(NoColumn, true);
    if (!HasState(csLoading))
        UpdateDropTargetRegistration();
    UpdateScrollBars(true);
    LayoutWindow();
}

void TBaseNodeTree::DestroyWnd()
{
    KillTreeTimer(ChangeTimer);
    KillTreeTimer(StructureChangeTimer);
    // A hint animating over this tree ends with its window.
    if (HasTreeState(tsInAnimation))
        RaiseHintAnimationAbort();
    // The window's end stops every timer it carries.
    FRunningTimers = 0;
    if (FScrollParts)
        FScrollParts->Frame.reset();
    FBarInputs[0].reset();
    FBarInputs[1].reset();
    // The drop target's registration ends with the window.
    FDropTargetRegistered = false;
    TCustomControl::DestroyWnd();
    FHeader->SyncWindow();
}

// ---------------------------------------------------------------- the primitive

void TBaseNodeTree::SetOffsetX(Integer Value)
{
    ScrollToOffset(TPoint(Value, FOffsetY), AllScrollOptions, nullptr);
}

void TBaseNodeTree::SetOffsetY(Integer Value)
{
    ScrollToOffset(TPoint(FOffsetX, Value), AllScrollOptions, nullptr);
}

void TBaseNodeTree::SetOffsetXY(TPoint Value)
{
    ScrollToOffset(Value, AllScrollOptions, nullptr);
}

bool TBaseNodeTree::ScrollToOffset(TPoint Value, Cardinal Options, const TRect* ClipRect)
{
    Integer x = Value.X;
    x = std::max<Integer>(x, ClientWidth() - Integer(FRangeX));
    x = std::min<Integer>(x, 0);
    Integer deltaX = x - FOffsetX;
    if (UseRightToLeftReading())
        deltaX = -deltaX;
    Integer y = Value.Y;
    y = std::max<Integer>(y, ClientHeight() - Integer(FRangeY));
    y = std::min<Integer>(y, 0);
    const Integer deltaY = y - FOffsetY;
    if (deltaX == 0 && deltaY == 0)
        return false;
    FOffsetX = x;
    FOffsetY = y;
    if (HasTreeState(tsHint) && Application)
        Application->CancelHint();
    if (FUpdateCount == 0) {
        if ((Options & soScrollClientArea) && !HasTreeState(tsToggling) && HandleAllocated()) {
            if ((FOptions->FPaintOptions & toShowBackground) && !FBackground->Empty())
                Invalidate();
            else
                ScrollClientRect(this, deltaX, deltaY, ClipRect ? *ClipRect : TRect());
        }
        if (Options & soUpdateScrollBars) {
            if (deltaX != 0 && !HasTreeState(tsSizing) && HasHorizontal(FScrollBarOptions->ScrollBars()))
                UpdateHorizontalScrollBar((Options & soRepaintScrollBars) != 0);
            if (deltaY != 0 && !HasTreeState(tsSizing | tsThumbTracking)) {
                UpdateVerticalScrollBar((Options & soRepaintScrollBars) != 0);
                if (!FHeader->UseColumns() && !IsMouseSelecting() && HasHorizontal(FScrollBarOptions->ScrollBars()))
                    UpdateHorizontalScrollBar((Options & soRepaintScrollBars) != 0);
            }
        }
    }
    if (HandleAllocated()) {
        const TPoint p = ScreenToClient(GetCursorPos());
        if (ClientRect().Contains(p) && !HasTreeState(tsPainting))
            HandleHotTrack(p.X, p.Y);
    }
    DoScroll(deltaX, deltaY);
    return true;
}

void TBaseNodeTree::DoScroll(Integer DeltaX, Integer DeltaY)
{
    if (OnScroll)
        OnScroll(this, DeltaX, DeltaY);
}

// ---------------------------------------------------------------- scroll bars

void TBaseNodeTree::UpdateScrollBars(bool DoRepaint)
{
    if (!HandleAllocated())
        return;
    // Both bars as they were left: only the ranges can have moved.
    if (!HasTreeState(tsUpdating) && FBarInputs[0] && FBarInputs[1] && *FBarInputs[0] == *FBarInputs[1]) {
        UpdateVerticalRange();
        UpdateHorizontalRange();
        if (*FBarInputs[1] == BarInputs())
            return;
    }
    UpdateVerticalScrollBar(DoRepaint);
    UpdateHorizontalScrollBar(DoRepaint);
}

namespace {
// Runs F when the scope ends without an exception.
template <class F>
struct TOnSuccess {
    F Then;
    ~TOnSuccess()
    {
        if (std::uncaught_exceptions() == 0)
            Then();
    }
};
template <class F>
TOnSuccess(F) -> TOnSuccess<F>;
} // namespace

TBaseNodeTree::TBarInputs TBaseNodeTree::BarInputs() const
{
    // The client area follows from the size, border, header and bars; the
    // frame's positions change only through these updates.
    return {FRangeX,
            FRangeY,
            FOffsetX,
            FOffsetY,
            FEffectiveOffsetX,
            Width(),
            Height(),
            FHeaderInset,
            FBarExtent,
            FBorderStyle,
            FScrollBarOptions->ScrollBars(),
            FVertBarShown,
            FHorzBarShown,
            FScrollBarOptions->AlwaysVisible(),
            UseRightToLeftReading(),
            FHeader->UseColumns(),
            FScrollParts ? FScrollParts->Frame.get() : nullptr};
}

void TBaseNodeTree::UpdateVerticalScrollBar(bool DoRepaint)
{
    UpdateVerticalRange();
    if (HasTreeState(tsUpdating) || !HandleAllocated())
        return;
    if (FBarInputs[1] && *FBarInputs[1] == BarInputs())
        return;
    TOnSuccess remember{[this] { FBarInputs[1] = BarInputs(); }};
    if (!HasVertical(FScrollBarOptions->ScrollBars())) {
        if (FVertBarShown) {
            FVertBarShown = false;
            LayoutWindow();
        }
        SetOffsetY(FOffsetY);
        return;
    }
    const bool show = ClientHeight() + (FVertBarShown ? 0 : 0) < Integer(FRangeY) || FScrollBarOptions->AlwaysVisible();
    if (show != FVertBarShown) {
        FVertBarShown = show;
        LayoutWindow();
        if (FHorzBarShown || HasHorizontal(FScrollBarOptions->ScrollBars()))
            UpdateHorizontalScrollBar(DoRepaint);
    }
    if (FScrollParts && FScrollParts->Frame) {
        if (show)
            FScrollParts->Frame->SetBar(true, 0, Integer(FRangeY), std::max<Integer>(0, ClientHeight() + 1), -FOffsetY);
        else
            FScrollParts->Frame->SetBar(true, 0, 0, 0, 0);
        Perform(CM_REFRESHSTYLEDSCROLLBARS);
    }
    SetOffsetY(FOffsetY);
}

void TBaseNodeTree::UpdateHorizontalScrollBar(bool DoRepaint)
{
    UpdateHorizontalRange();
    if (HasTreeState(tsUpdating) || !HandleAllocated())
        return;
    if (FBarInputs[0] && *FBarInputs[0] == BarInputs())
        return;
    TOnSuccess remember{[this] { FBarInputs[0] = BarInputs(); }};
    FEffectiveOffsetX = UseRightToLeftReading() ? Integer(FRangeX) + FOffsetX - ClientWidth() : -FOffsetX;
    Integer newX = FOffsetX;
    if (HasHorizontal(FScrollBarOptions->ScrollBars())) {
        const bool show = ClientWidth() < Integer(FRangeX) || FScrollBarOptions->AlwaysVisible();
        if (show != FHorzBarShown) {
            FHorzBarShown = show;
            LayoutWindow();
        }
        if (FScrollParts && FScrollParts->Frame) {
            if (show)
                FScrollParts->Frame->SetBar(false, 0, Integer(FRangeX), std::max<Integer>(0, ClientWidth() + 1), FEffectiveOffsetX);
            else
                FScrollParts->Frame->SetBar(false, 0, 0, 0, 0);
            Perform(CM_REFRESHSTYLEDSCROLLBARS);
        }
        if (!show)
            FEffectiveOffsetX = 0;
        newX = UseRightToLeftReading() ? ClientWidth() + FEffectiveOffsetX - Integer(FRangeX) : -FEffectiveOffsetX;
    } else if (FHorzBarShown) {
        FHorzBarShown = false;
        LayoutWindow();
    }
    SetOffsetX(newX);
}

void TBaseNodeTree::ScrollMessage(bool Vertical, Word Code, Integer TrackPos)
{
    if (Vertical) {
        switch (Code) {
        case SB_LINEUP: SetOffsetY(FOffsetY + FScrollBarOptions->VerticalIncrement()); break;
        case SB_LINEDOWN: SetOffsetY(FOffsetY - FScrollBarOptions->VerticalIncrement()); break;
        case SB_PAGEUP: SetOffsetY(FOffsetY + ClientHeight()); break;
        case SB_PAGEDOWN: SetOffsetY(FOffsetY - ClientHeight()); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            DoStateChange(tsThumbTracking);
            SetOffsetY(-TrackPos);
            break;
        case SB_TOP: SetOffsetY(0); break;
        case SB_BOTTOM: SetOffsetY(-Integer(FRoot->TotalHeight)); break;
        case SB_ENDSCROLL:
            DoStateChange(0, tsThumbTracking);
            UpdateScrollBars(true);
            Invalidate();
            break;
        default: break;
        }
        return;
    }
    const Integer s = UseRightToLeftReading() ? -1 : 1;
    switch (Code) {
    case SB_LINELEFT: SetOffsetX(FOffsetX + s * FScrollBarOptions->HorizontalIncrement()); break;
    case SB_LINERIGHT: SetOffsetX(FOffsetX - s * FScrollBarOptions->HorizontalIncrement()); break;
    case SB_PAGELEFT: SetOffsetX(FOffsetX + s * ClientWidth()); break;
    case SB_PAGERIGHT: SetOffsetX(FOffsetX - s * ClientWidth()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        DoStateChange(tsThumbTracking);
        SetOffsetX(UseRightToLeftReading() ? ClientWidth() + TrackPos - Integer(FRangeX) : -TrackPos);
        break;
    case SB_LEFT: SetOffsetX(0); break;
    case SB_RIGHT: SetOffsetX(-Integer(FRangeX)); break;
    case SB_ENDSCROLL:
        DoStateChange(0, tsThumbTracking);
        UpdateHorizontalScrollBar(false);
        break;
    default: break;
    }
}

bool TBaseNodeTree::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos)
{
    EndWheelPanning();
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    const double factor = double(WheelDelta) / WHEEL_DELTA;
    const Integer lines = WheelScrollLines();
    if (ClientHeight() < Integer(FRangeY) && !Shift.Contains(ssShift)) {
        Integer delta;
        if (Shift.Contains(ssCtrl) || lines == -1)
            delta = Integer(std::trunc(ClientHeight() * factor));
        else
            delta = Integer(std::trunc(lines * factor * FDefaultNodeHeight));
        SetOffsetY(FOffsetY + delta);
    } else {
        Integer delta;
        if (Shift.Contains(ssCtrl))
            delta = Integer(std::trunc(ClientWidth() * factor));
        else
            delta = Integer(std::trunc(double(FIndent) * std::max(lines, 1) * factor));
        SetOffsetX(FOffsetX + (UseRightToLeftReading() ? -1 : 1) * delta);
    }
    return true;
}

// ---------------------------------------------------------------- into view

bool TBaseNodeTree::ScrollIntoView(PDataNode Node, bool Center, bool Horizontally)
{
    if (Node == nullptr || Node == FRoot)
        return false;
    for (PDataNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!(run->States & vsExpanded))
            ToggleNode(run);
    TRect r = GetDisplayRect(Node, NoColumn, !(FOptions->FMiscOptions & toGridExtensions));
    bool scrolled = false;
    if (r.Top < 0) {
        SetOffsetY(Center ? FOffsetY - r.Top + ClientHeight() / 2 : FOffsetY - r.Top);
        scrolled = true;
    } else if (r.Bottom > ClientHeight() || Center) {
        const bool hBarShown = HasHorizontal(FScrollBarOptions->ScrollBars()) && (FScrollBarOptions->AlwaysVisible() || ClientWidth() < Integer(FRangeX));
        SetOffsetY(FOffsetY + (Center ? ClientHeight() / 2 : ClientHeight()) - r.Bottom);
        if (!FHeader->UseColumns() && !hBarShown && ClientWidth() < Integer(FRangeX))
            SetOffsetY(FOffsetY - GetSystemMetrics(SM_CYHSCROLL));
        scrolled = true;
    }
    if (Horizontally)
        scrolled = ScrollIntoView(FFocusedColumn, Center) || scrolled;
    return scrolled;
}

bool TBaseNodeTree::ScrollIntoView(TColumnIndex Column, bool Center)
{
    TNodeTreeColumns* columns = FHeader->Columns();
    if (!FHeader->UseColumns() || !columns->IsValidColumn(Column))
        return false;
    const TNodeTreeColumn* c = columns->Items(Column);
    if (!(c->Options() & coVisible) || (c->Options() & coFixed))
        return false;
    const Integer fixedWidth = columns->GetVisibleFixedWidth();
    Integer left = 0, right = 0;
    columns->GetColumnBounds(Column, left, right);
    const Integer width = right - left;
    if (Center) {
        SetOffsetX(FOffsetX - left + fixedWidth + (ClientWidth() - fixedWidth - width) / 2);
        return true;
    }
    if (left < fixedWidth) {
        SetOffsetX(FOffsetX - left + fixedWidth);
        return true;
    }
    if (right > ClientWidth()) {
        // The whole column when it fits, else its left edge.
        const Integer shift = width > ClientWidth() - fixedWidth ? left - fixedWidth : right - ClientWidth();
        SetOffsetX(FOffsetX - shift);
        return true;
    }
    return false;
}

void TBaseNodeTree::SetTopNode(PDataNode Node)
{
    if (Node == nullptr)
        return;
    for (PDataNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!(run->States & vsExpanded))
            ToggleNode(run);
    const TRect r = GetDisplayRect(Node, FHeader->MainColumn(), true);
    SetOffsetY(FOffsetY - r.Top);
}

void TBaseNodeTree::SetBottomNode(PDataNode Node)
{
    if (Node == nullptr)
        return;
    for (PDataNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!(run->States & vsExpanded))
            ToggleNode(run);
    const TRect r = GetDisplayRect(Node, FHeader->MainColumn(), true);
    ScrollToOffset(TPoint(FOffsetX, FOffsetY + ClientHeight() - r.Top - Integer(GetNodeHeight(Node))), soRepaintScrollBars | soUpdateScrollBars, nullptr);
}

// ---------------------------------------------------------------- automatic scrolling

bool TBaseNodeTree::AutoScrollAllowed() const
{
    const bool panning = HasTreeState(tsWheelPanning | tsWheelScrolling);
    const bool dropTarget = FDragManager && FDragManager->GetIsDropTarget();
    return ((FOptions->FAutoOptions & toAutoScroll) || panning) && !FHeader->States() &&
           (IsMouseSelecting() || dropTarget || HasTreeState(tsVCLDragging) || panning);
}

Cardinal TBaseNodeTree::ScrollDirectionsAt(Integer X, Integer Y)
{
    if (!AutoScrollAllowed())
        return 0;
    Cardinal result = 0;
    if (HasTreeState(tsWheelPanning | tsWheelScrolling)) {
        const Integer dx = X - FLastClickPos.X, dy = Y - FLastClickPos.Y;
        if (dx < -8)
            result |= sdLeft;
        if (dx > 8)
            result |= sdRight;
        if (dy < -8)
            result |= sdUp;
        if (dy > 8)
            result |= sdDown;
        return result;
    }
    const Integer zone = Integer(FDefaultNodeHeight);
    if (X < zone && FEffectiveOffsetX != 0)
        result |= sdLeft;
    if (ClientWidth() + FEffectiveOffsetX < Integer(FRangeX) && X > ClientWidth() - zone)
        result |= sdRight;
    if (Y < zone && FOffsetY != 0)
        result |= sdUp;
    if (ClientHeight() - FOffsetY < Integer(FRangeY) && Y > ClientHeight() - zone)
        result |= sdDown;
    if (result != 0) {
        if (FDragScrollStart == 0)
            FDragScrollStart = GetTickCount();
        if (GetTickCount() - FDragScrollStart < FAutoScrollDelay)
            result = 0;
    } else {
        FDragScrollStart = 0;
    }
    return result;
}

void TBaseNodeTree::UpdateAutoScroll(Integer X, Integer Y)
{
    FScrollDirections = ScrollDirectionsAt(X, Y);
    if (HasTreeState(tsWheelPanning | tsWheelScrolling))
        return;
    if (FScrollDirections != 0 && !HasTreeState(tsScrollPending | tsScrolling)) {
        DoStateChange(tsScrollPending);
        SetTreeTimer(ScrollTimer, FAutoScrollDelay);
    } else if (FScrollDirections == 0 && HasTreeState(tsScrollPending | tsScrolling)) {
        KillTreeTimer(ScrollTimer);
        DoStateChange(0, tsScrollPending | tsScrolling);
    }
}

void TBaseNodeTree::ScrollTimerStep()
{
    const TPoint c = ScreenToClient(GetCursorPos());
    const bool inside = ClientRect().Contains(c);
    const bool panning = HasTreeState(tsWheelPanning | tsWheelScrolling);
    if (!(IsMouseSelecting() || inside || panning))
        return;
    Integer dx = 0, dy = 0;
    const Integer vInc = std::min<Integer>(FScrollBarOptions->VerticalIncrement(), ClientHeight());
    const Integer hInc = FScrollBarOptions->HorizontalIncrement();
    if (FScrollDirections & sdUp) {
        dy = panning ? FLastClickPos.Y - c.Y - 8 : inside ? vInc : vInc * std::abs(c.Y);
        if (FOffsetY == 0)
            FScrollDirections &= ~sdUp;
    }
    if (FScrollDirections & sdDown) {
        dy = panning ? FLastClickPos.Y - c.Y + 8 : inside ? -vInc : -vInc * std::abs(c.Y - ClientHeight());
        if (ClientHeight() - FOffsetY == Integer(FRangeY))
            FScrollDirections &= ~sdDown;
    }
    if (FScrollDirections & sdLeft) {
        dx = panning ? FLastClickPos.X - c.X - 8 : inside ? hInc : std::abs(c.X) * hInc;
        if (FEffectiveOffsetX == 0)
            FScrollDirections &= ~sdLeft;
    }
    if (FScrollDirections & sdRight) {
        dx = panning ? FLastClickPos.X - c.X + 8 : inside ? -hInc : -hInc * std::abs(c.X - ClientWidth());
        if (ClientWidth() + FEffectiveOffsetX == Integer(FRangeX))
            FScrollDirections &= ~sdRight;
    }
    if (UseRightToLeftReading())
        dx = -dx;
    if (IsMouseSelecting()) {
        ScrollToOffset(TPoint(FOffsetX + dx, FOffsetY + dy), AllScrollOptions, nullptr);
        if (CalculateSelectionRect(c.X, c.Y) && HandleDrawSelection())
            Invalidate();
        else
            Invalidate();
    } else if ((dx != 0 || dy != 0) && !(FDragManager && FDragManager->GetIsDropTarget())) {
        // A drop target scrolls itself as the drag moves over it.
        ScrollToOffset(TPoint(FOffsetX + dx, FOffsetY + dy), AllScrollOptions, nullptr);
    }
    Update();
    if (FScrollDirections == 0 && !panning) {
        KillTreeTimer(ScrollTimer);
        DoStateChange(0, tsScrollPending | tsScrolling);
    }
}

// ---------------------------------------------------------------- wheel panning

namespace {

// The directions a panning picture or cursor shows, by its name.
std::vector<QPointF> PanningArrows(const QString& Name)
{
    const QString d = Name.mid(7);  // after "NT_MOVE"
    if (d == QLatin1String("ALL"))
        return {{0, -1}, {0, 1}, {1, 0}, {-1, 0}};
    if (d == QLatin1String("EW"))
        return {{1, 0}, {-1, 0}};
    if (d == QLatin1String("NS"))
        return {{0, -1}, {0, 1}};
    QPointF v(0, 0);
    for (QChar c : d) {
        if (c == u'N')
            v.ry() = -1;
        else if (c == u'S')
            v.ry() = 1;
        else if (c == u'E')
            v.rx() = 1;
        else if (c == u'W')
            v.rx() = -1;
    }
    return {v / std::hypot(v.x(), v.y())};
}

// A 32 x 32 picture on fuchsia (the transparency key): a round plate with
// arrows toward the directions the name gives, and a dot at the centre.
QImage PanningPicture(const QString& Name, bool Plate)
{
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPointF c(15.5, 15.5);
    if (Plate) {
        p.setPen(QColor(64, 64, 64));
        p.setBrush(QColor(240, 240, 240));
        p.drawEllipse(c, 14.5, 14.5);
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawEllipse(c, 2, 2);
    for (const QPointF& v : PanningArrows(Name)) {
        const QPointF n(-v.y(), v.x());
        const QPointF tip = c + v * 13, base = c + v * 6;
        const QPointF tri[3] = {tip, base + n * 5, base - n * 5};
        p.drawPolygon(tri, 3);
    }
    return img;
}

} // namespace

void TBaseNodeTree::BeginWheelPanning(TPoint Position)
{
    KillTreeTimer(ScrollTimer);
    DoStateChange(tsWheelPanning | tsWheelScrolling);
    FLastClickPos = Position;
    // A small window centred on the click shows which ways the tree can go.
    const bool wider = ClientWidth() < Integer(FRangeX), taller = ClientHeight() < Integer(FRangeY);
    const QString picture = wider && taller ? QStringLiteral("NT_MOVEALL") : wider ? QStringLiteral("NT_MOVEEW") : QStringLiteral("NT_MOVENS");
    if (!FPanningWindow)
        FPanningWindow = std::make_unique<TShapedPopup>();
    const TPoint screen = ClientToScreen(Position);
    FPanningWindow->Show(TPoint(screen.X - 16, screen.Y - 16), PanningPicture(picture, true), RGB(255, 0, 255));
    if (CanFocus())
        SetFocus();
    SetMouseCapture(true);
    SetTreeTimer(ScrollTimer, 20);
}

void TBaseNodeTree::EndWheelPanning()
{
    if (!HasTreeState(tsWheelPanning | tsWheelScrolling))
        return;
    KillTreeTimer(ScrollTimer);
    if (HandleAllocated())
        SetMouseCapture(false);
    DoStateChange(0, tsWheelPanning | tsWheelScrolling);
    FPanningWindow.reset();
    FPanningCursor.clear();
    if (QWidget* w = TWidgetBridge::Widget(this))
        w->setCursor(CursorShape(Cursor()));
}

void TBaseNodeTree::UpdatePanningCursor(Integer X, Integer Y)
{
    const Integer dx = X - FLastClickPos.X, dy = Y - FLastClickPos.Y;
    const bool wider = ClientWidth() < Integer(FRangeX), taller = ClientHeight() < Integer(FRangeY);
    const bool up = Y < FLastClickPos.Y;
    QString name;
    if (std::abs(dx) > 7 || std::abs(dy) > 7) {
        if (wider && taller) {
            if (dx < -8)
                name = dy < -8 ? QStringLiteral("NT_MOVENW") : dy < 9 ? QStringLiteral("NT_MOVEW") : QStringLiteral("NT_MOVESW");
            else if (dx < 9)
                name = up ? QStringLiteral("NT_MOVEN") : QStringLiteral("NT_MOVES");
            else
                name = dy < -8 ? QStringLiteral("NT_MOVENE") : dy < 9 ? QStringLiteral("NT_MOVEE") : QStringLiteral("NT_MOVESE");
        } else if (wider) {
            name = X < FLastClickPos.X ? QStringLiteral("NT_MOVEW") : QStringLiteral("NT_MOVEE");
        } else {
            name = up ? QStringLiteral("NT_MOVEN") : QStringLiteral("NT_MOVES");
        }
    } else {
        name = !wider ? QStringLiteral("NT_MOVENS") : taller ? QStringLiteral("NT_MOVEALL") : QStringLiteral("NT_MOVEEW");
    }
    if (name == FPanningCursor)
        return;
    FPanningCursor = name;
    QImage picture = PanningPicture(name, false).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((picture.pixel(x, y) & 0xFFFFFF) == 0xFF00FF)
                picture.setPixel(x, y, 0);
    if (QWidget* w = TWidgetBridge::Widget(this))
        w->setCursor(QCursor(QPixmap::fromImage(picture), 16, 16));
}
