// The header's mouse: the strip's window, the messages the header takes
// from the tree (clicks, hot tracking, splitter tracking, column dragging,
// the height splitter, the popup menus), the column popup menu and the
// tree's header event dispatchers.

#include <cmath>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"
#include "treeview/transfer/NodeTreeDragImage.h"
#include "treeview/header/NodeTreeHeaderWindow.h"

namespace {
TShiftState GetShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0)
        s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

bool IsMouseMessage(Cardinal Msg)
{
    return Msg >= WM_MOUSEFIRST && Msg <= WM_MBUTTONDBLCLK;
}
} // namespace

// ---------------------------------------------------------------- the strip's window

TNtHeaderWindow::TNtHeaderWindow(TNtHeader* Header) : TCustomControl(nullptr), FHeader(Header)
{
    SetTabStop(false);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TNtHeaderWindow::~TNtHeaderWindow()
{
    if (FHeader && FHeader->FWindow == this)
        FHeader->FWindow = nullptr;
}

void TNtHeaderWindow::Paint()
{
    TCanvas* canvas = Canvas();
    TBaseNodeTree* tree = FHeader->Treeview();
    const TRect r(0, 0, Width(), Height());
    FHeader->Columns()->PaintHeader(canvas, r, -tree->EffectiveOffsetX());
}

void TNtHeaderWindow::WndProc(TMessage& Message)
{
    if (!IsMouseMessage(Message.Msg)) {
        TCustomControl::WndProc(Message);
        return;
    }
    TBaseNodeTree* tree = FHeader->Treeview();
    const TPoint p = PointFromLParam(Message.LParam);
    // The strip lies right above the client window, at the same left edge.
    const TPoint client(p.X, p.Y - FHeader->Height());
    if ((FHeader->States() & hsTrackingStates) && Message.Msg != WM_LBUTTONDBLCLK) {
        // A gesture the header tracks goes on as the tree's own messages.
        Message.Result = tree->Perform(Message.Msg, Message.WParam, PointToLParam(client));
        return;
    }
    Cardinal nc = 0;
    switch (Message.Msg) {
    case WM_MOUSEMOVE: nc = WM_NCMOUSEMOVE; break;
    case WM_LBUTTONDOWN: nc = WM_NCLBUTTONDOWN; break;
    case WM_LBUTTONUP: nc = WM_NCLBUTTONUP; break;
    case WM_LBUTTONDBLCLK: nc = WM_NCLBUTTONDBLCLK; break;
    case WM_RBUTTONDOWN: nc = WM_NCRBUTTONDOWN; break;
    case WM_RBUTTONUP: nc = WM_NCRBUTTONUP; break;
    case WM_RBUTTONDBLCLK: nc = WM_NCRBUTTONDBLCLK; break;
    case WM_MBUTTONDOWN: nc = WM_NCMBUTTONDOWN; break;
    case WM_MBUTTONUP: nc = WM_NCMBUTTONUP; break;
    case WM_MBUTTONDBLCLK: nc = WM_NCMBUTTONDBLCLK; break;
    default: break;
    }
    const TPoint screen = tree->ClientToScreen(client);
    Message.Result = tree->Perform(nc, HTBORDER, PointToLParam(screen));
}

void TNtHeader::SyncWindow()
{
    TWinControl* parent = FOwner->Parent();
    const bool want = (FOptions & hoVisible) && FOwner->HandleAllocated() && parent != nullptr && !FOwner->FDestroying;
    if (!want) {
        delete FWindow;
        FWindow = nullptr;
        return;
    }
    if (FWindow == nullptr) {
        FWindow = new TNtHeaderWindow(this);
        FWindow->SetParent(parent);
    } else if (FWindow->Parent() != parent) {
        FWindow->SetParent(parent);
    }
    const TRect& r = FOwner->FHeaderRect;
    FWindow->SetBounds(FOwner->Left() + r.Left, FOwner->Top() + r.Top, r.Width(), FHeight);
    FWindow->SetVisible(FOwner->Visible());
    FWindow->Invalidate();
}

// ---------------------------------------------------------------- messages

bool TNtHeader::HandleHeaderMessage(TMessage& Message)
{
    const bool designing = FOwner->HasState(csDesigning);
    switch (Message.Msg) {
    case WM_SIZE:
        if (FOwner->HasTreeState(tsWindowCreating))
            return false;
        if ((FOptions & hoAutoResize) && !(FStates & hsAutoSizing)) {
            FColumns->FitAutoSizeColumn();
        } else if (!(FStates & hsScaling)) {
            ApplyFixedAreaConstraints();
        }
        Invalidate();
        return false;
    case WM_KILLFOCUS:
    case WM_KEYDOWN:
        if (Message.Msg == WM_KEYDOWN && Message.WParam != VK_ESCAPE)
            return false;
        if (FStates & hsDragging) {
            EndColumnDrag();
            FStates &= ~hsDragging;
            FColumns->FDropTarget = NoColumn;
            Invalidate();
            Message.Result = 0;
            return true;
        }
        {
            bool consumed = false;
            if (FStates & (hsColumnWidthTracking | hsHeightTracking)) {
                if (FStates & hsColumnWidthTracking)
                    DoAfterColumnWidthTracking(FColumns->FTrackIndex);
                if (FStates & hsHeightTracking)
                    DoAfterHeaderHeightTracking();
                Message.Result = 0;
                consumed = true;
            }
            FStates &= ~(hsColumnWidthTracking | hsColumnWidthTrackPending | hsHeightTracking | hsHeightTrackPending);
            return consumed;
        }
    case WM_SETCURSOR:
        if (FStates & hsTrackingStates) {
            Message.Result = 1;
            return true;
        }
        return false;
    case WM_NCMOUSEMOVE: {
        const TPoint p = FOwner->ScreenToClient(PointFromLParam(Message.LParam));
        const TPoint h = HeaderPoint(p);
        FOwner->DoHeaderMouseMove(GetShiftState(), h.X, h.Y);
        if (InHeader(p)) {
            const bool changed = FColumns->UpdateHoverIndex(p);
            if (changed || (FColumns->FDownIndex >= 0 && FColumns->FDownIndex != FColumns->FHoverIndex))
                FOwner->SetTreeTimer(HeaderTimer, 50);
            if ((FOptions & hoShowHint) && Application)
                Application->HintMouseMessage(FOwner, p);
        }
        // The splitter cursors over the column borders and the bottom edge.
        if (FWindow) {
            TCursor cursor = crDefault;
            const bool heightSplit = InHeaderSplitterArea(p) && (designing || CanResizeHeight(p));
            const bool widthSplit = IsColumnSplitterHit(p);
            if (heightSplit || widthSplit) {
                cursor = FOwner->Cursor();
                if (heightSplit && ((FOptions & hoHeightResize) || designing))
                    cursor = crVSplit;
                else if (widthSplit)
                    cursor = crHSplit;
                if (!designing)
                    FOwner->DoGetHeaderCursor(cursor);
            }
            FWindow->SetCursor(cursor);
        }
        return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDOWN: return HandleLeftPress(Message, Message.Msg == WM_NCLBUTTONDOWN);
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: {
        const TPoint p = FOwner->ScreenToClient(PointFromLParam(Message.LParam));
        if (InHeader(p)) {
            const TPoint h = HeaderPoint(p);
            FOwner->DoHeaderMouseDown(Message.Msg == WM_NCRBUTTONDOWN ? mbRight : mbMiddle, GetShiftState(), h.X, h.Y);
        }
        return false;
    }
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: return HandleLeftRelease(Message, Message.Msg == WM_NCLBUTTONUP);
    case WM_NCRBUTTONUP: {
        if (designing)
            return false;
        if (Application)
            Application->CancelHint();
        const TPoint screen = PointFromLParam(Message.LParam);
        const TPoint p = FOwner->ScreenToClient(screen);
        if (!InHeader(p))
            return false;
        const TPoint h = HeaderPoint(p);
        FColumns->HandleColumnClick(p, mbRight, false, true);
        FOwner->DoHeaderMouseUp(mbRight, GetShiftState(), h.X, h.Y);
        FColumns->FDownIndex = NoColumn;
        FColumns->FTrackIndex = NoColumn;
        FColumns->FCheckBoxHit = false;
        TPopupMenu* menu = FPopupMenu;
        if (menu == nullptr)
            menu = DoGetPopupMenu(FColumns->ColumnFromPosition(h), p);
        if (menu == nullptr)
            return false;
        FOwner->KillTreeTimer(ScrollTimer);
        FOwner->KillTreeTimer(HeaderTimer);
        FColumns->FHoverIndex = NoColumn;
        FOwner->DoStateChange(0, tsScrolling | tsScrollPending);
        menu->SetPopupComponent(FOwner);
        menu->Popup(screen.X, screen.Y);
        return true;
    }
    case WM_NCMBUTTONUP: {
        const TPoint p = FOwner->ScreenToClient(PointFromLParam(Message.LParam));
        if (InHeader(p)) {
            const TPoint h = HeaderPoint(p);
            FColumns->HandleColumnClick(p, mbMiddle, false, true);
            FOwner->DoHeaderMouseUp(mbMiddle, GetShiftState(), h.X, h.Y);
            FColumns->FDownIndex = NoColumn;
            FColumns->FCheckBoxHit = false;
        }
        return false;
    }
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDBLCLK:
    case WM_LBUTTONDBLCLK: return HandleDblClick(Message);
    case WM_TIMER: {
        if (Message.WParam != HeaderTimer)
            return false;
        const TPoint p = FOwner->ScreenToClient(GetCursorPos());
        if (!InHeader(p) || (FColumns->FDownIndex >= 0 && FColumns->FDownIndex != FColumns->FHoverIndex)) {
            FOwner->KillTreeTimer(HeaderTimer);
            FColumns->FHoverIndex = NoColumn;
            FColumns->FClickIndex = NoColumn;
            FColumns->FDownIndex = NoColumn;
            FColumns->FCheckBoxHit = false;
            Invalidate();
            Message.Result = 0;
            return true;
        }
        return false;
    }
    case WM_MOUSEMOVE: return TrackHeaderMouseMove(Message);
    case CM_PARENTFONTCHANGED:
    case CM_FONTCHANGED:
        if (FParentFont)
            FFont->Assign(FOwner->Font());
        return false;
    default: return false;
    }
}

bool TNtHeader::CanResizeHeight(TPoint P)
{
    bool allowed = (FOptions & hoHeightResize) != 0;
    if (FOwner->OnCanSplitterResizeHeader)
        FOwner->OnCanSplitterResizeHeader(this, P, allowed);
    return allowed;
}

bool TNtHeader::DoCanSplitterResizeHeader(TPoint P)
{
    return CanResizeHeight(P);
}

bool TNtHeader::HandleLeftPress(TMessage& Message, bool NonClient)
{
    const bool designing = FOwner->HasState(csDesigning);
    if (Application)
        Application->CancelHint();
    if (!designing) {
        FOwner->KillTreeTimer(ScrollTimer);
        FOwner->DoStateChange(0, tsScrolling | tsScrollPending);
        FOwner->KillTreeTimer(EditTimer);
        FOwner->DoStateChange(0, tsEditPending);
    }
    TPoint p;
    if (NonClient) {
        FDragStart = PointFromLParam(Message.LParam);
        p = FOwner->ScreenToClient(FDragStart);
    } else {
        p = PointFromLParam(Message.LParam);
        FDragStart = FOwner->ClientToScreen(p);
    }
    const bool inHeaderArea = InHeader(p);
    const bool heightSplit = InHeaderSplitterArea(p) && (designing || CanResizeHeight(p));
    const bool widthSplit = !heightSplit && IsColumnSplitterHit(p);
    const TShiftState shift = GetShiftState();
    if (heightSplit || widthSplit) {
        FTrackStart = p;
        FColumns->FHoverIndex = NoColumn;
        if (heightSplit) {
            if (!designing)
                DoBeforeHeaderHeightTracking(shift);
            FStates |= hsHeightTrackPending;
        } else {
            if (!designing)
                DoBeforeColumnWidthTracking(FColumns->FTrackIndex, shift);
            FStates |= hsColumnWidthTrackPending;
        }
        Message.Result = 0;
        return true;
    }
    if (inHeaderArea) {
        const TColumnIndex index = FColumns->UpdateDownIndex(p);
        if ((designing && index >= 0) ||
            ((FOptions & hoDrag) && index >= 0 && (FColumns->Items(index)->Options() & coDraggable))) {
            FStates |= hsDragPending;
            Message.Result = 0;
            return true;
        }
    }
    if (!designing && inHeaderArea) {
        const TPoint h = HeaderPoint(p);
        FOwner->DoHeaderMouseDown(mbLeft, shift, h.X, h.Y);
    }
    return false;
}

bool TNtHeader::HandleLeftRelease(TMessage& Message, bool NonClient)
{
    if (Application)
        Application->CancelHint();
    const THeaderStates states = FStates;
    bool consumed = false;
    if (states & hsTrackingStates) {
        if (states & hsDragging) {
            const TPoint screen = FOwner->ClientToScreen(PointFromLParam(Message.LParam));
            EndColumnDrag();
            const TColumnIndex target = FColumns->FDropTarget;
            const TColumnIndex dragged = FColumns->FDragIndex;
            const TPoint client = FOwner->ScreenToClient(screen);
            const TRect window(-FOwner->FHeaderRect.Left, -FHeight - FOwner->FHeaderRect.Top, FOwner->Width() - FOwner->FHeaderRect.Left,
                               FOwner->Height() - FHeight - FOwner->FHeaderRect.Top);
            if (target >= 0 && target != dragged && FColumns->IsValidColumn(dragged) && PtInRect(window, client)) {
                TNodeTreeColumn* column = FColumns->Items(dragged);
                const Integer oldPosition = Integer(column->Position());
                const Integer t = Integer(FColumns->Items(target)->Position());
                Integer newPosition;
                if (FColumns->FDropBefore)
                    newPosition = oldPosition < t ? t - 1 : t;
                else
                    newPosition = oldPosition < t ? t : t + 1;
                column->SetPosition(TColumnPosition(std::max(newPosition, 0)));
                FOwner->DoHeaderDragged(dragged, oldPosition);
            } else {
                FOwner->DoHeaderDraggedOut(dragged, screen);
            }
            FColumns->FDropTarget = NoColumn;
            Invalidate();
        }
        Message.Result = 0;
        consumed = true;
    }
    if (NonClient) {
        const TPoint p = FOwner->ScreenToClient(PointFromLParam(Message.LParam));
        FColumns->HandleColumnClick(p, mbLeft, false, false);
        const TPoint h = HeaderPoint(p);
        FOwner->DoHeaderMouseUp(mbLeft, GetShiftState(), h.X, h.Y);
    } else {
        const TPoint p = PointFromLParam(Message.LParam);
        if (FColumns->FDownIndex >= 0)
            FColumns->HandleColumnClick(p, mbLeft, false, false);
        if (states & hsTrackingStates)
            FOwner->DoHeaderMouseUp(mbLeft, KeysToShiftState(Message.WParam), p.X, p.Y);
    }
    if (FColumns->FTrackIndex >= 0) {
        if (states & hsColumnWidthTracking)
            DoAfterColumnWidthTracking(FColumns->FTrackIndex);
        if (FColumns->IsValidColumn(FColumns->FTrackIndex))
            Invalidate(FColumns->Items(FColumns->FTrackIndex));
        FColumns->FTrackIndex = NoColumn;
    }
    if (FColumns->FDownIndex >= 0) {
        if (FColumns->IsValidColumn(FColumns->FDownIndex))
            Invalidate(FColumns->Items(FColumns->FDownIndex));
        FColumns->FDownIndex = NoColumn;
    }
    if (states & hsHeightTracking)
        DoAfterHeaderHeightTracking();
    FStates &= ~hsTrackingStates;
    return consumed;
}

bool TNtHeader::HandleDblClick(TMessage& Message)
{
    const bool nonClient = Message.Msg != WM_LBUTTONDBLCLK;
    TPoint p = PointFromLParam(Message.LParam);
    if (nonClient)
        p = FOwner->ScreenToClient(p);
    const TShiftState shift = GetShiftState() | ssDouble;
    if ((FOptions & hoHeightDblClickResize) && InHeaderSplitterArea(p) && FDefaultHeight > 0) {
        if (DoHeaderHeightDblClickResize(p, shift) && FDefaultHeight > 0)
            SetHeight(FMinHeight);
        return true;
    }
    if (IsColumnSplitterHit(p) && (Message.Msg == WM_NCLBUTTONDBLCLK || Message.Msg == WM_LBUTTONDBLCLK) && (FOptions & hoDblClickResize) &&
        FColumns->FTrackIndex >= 0) {
        const TColumnIndex track = FColumns->FTrackIndex;
        if (DoColumnWidthDblClickResize(track, p, shift)) {
            const Integer pos = Integer(FColumns->Items(track)->Position());
            AutoFitColumns(true, smaUseColumnOption, pos, pos);
        }
        Message.Result = 0;
        return true;
    }
    if (InHeader(p) && Message.Msg != WM_LBUTTONDBLCLK) {
        const TMouseButton button = Message.Msg == WM_NCRBUTTONDBLCLK ? mbRight : Message.Msg == WM_NCMBUTTONDBLCLK ? mbMiddle : mbLeft;
        if (button == mbLeft)
            FColumns->UpdateDownIndex(p);
        FColumns->HandleColumnClick(p, button, true, true);
    }
    return false;
}

bool TNtHeader::TrackHeaderMouseMove(TMessage& Message)
{
    TPoint p = PointFromLParam(Message.LParam);
    const TShiftState shift = KeysToShiftState(Message.WParam);
    if (FStates & hsColumnWidthTrackPending) {
        FOwner->KillTreeTimer(HeaderTimer);
        FStates = (FStates & ~hsColumnWidthTrackPending) | hsColumnWidthTracking;
    } else if (FStates & hsHeightTrackPending) {
        FOwner->KillTreeTimer(HeaderTimer);
        FStates = (FStates & ~hsHeightTrackPending) | hsHeightTracking;
    } else if (FStates & hsColumnWidthTracking) {
        const TColumnIndex track = FColumns->FTrackIndex;
        if (FColumns->IsValidColumn(track) && DoColumnWidthTracking(track, shift, FTrackPoint, p)) {
            TNodeTreeColumn* column = FColumns->Items(track);
            const Integer newWidth = p.X - FTrackPoint.X;
            const TColumnIndex neighbour = FColumns->GetNextVisibleColumn(track);
            if ((FOptions & hoAutoResize) && track == FAutoSizeIndex && neighbour >= 0 &&
                (FColumns->Items(neighbour)->Options() & coResizable) && column->MinWidth() < newWidth && newWidth < column->MaxWidth()) {
                TNodeTreeColumn* n = FColumns->Items(neighbour);
                n->SetWidth(n->Width() + column->Width() - newWidth);
            } else {
                column->SetWidth(newWidth);
            }
        }
    } else if (FStates & hsHeightTracking) {
        if (DoHeaderHeightTracking(p, shift))
            SetHeight(FHeight + p.Y);
    } else if (FStates & hsDragPending) {
        const TPoint screen = FOwner->ClientToScreen(p);
        const Integer threshold = GetSystemMetrics(SM_CXDRAG);
        if (!(FOptions & hoDrag) || !FOwner->DoHeaderDragging(FColumns->FDownIndex) ||
            (std::abs(FDragStart.X - screen.X) <= threshold && std::abs(FDragStart.Y - screen.Y) <= threshold))
            return false;
        FOwner->KillTreeTimer(HeaderTimer);
        if (FColumns->IsValidColumn(FColumns->FDownIndex))
            Invalidate(FColumns->Items(FColumns->FDownIndex));
        FColumns->FDownIndex = NoColumn;
        FColumns->FHoverIndex = NoColumn;
        StartColumnDrag(screen, FDragStart);
        FStates = (FStates & ~hsDragPending) | hsDragging;
    } else if (FStates & hsDragging) {
        DragColumnTo(FOwner->ClientToScreen(p));
    } else {
        return false;
    }
    Message.Result = 0;
    return true;
}

// ---------------------------------------------------------------- splitters

bool TNtHeader::FindSplitterColumn(TPoint P)
{
    if (FColumns->Count() == 0)
        return false;
    FColumns->FTrackIndex = NoColumn;
    const Integer tol = fSplitterHitTolerance;
    const Integer nearZone = Integer(std::nearbyint(tol * 0.6));
    const Integer farZone = tol - nearZone;
    const Integer fixedWidth = FColumns->GetVisibleFixedWidth();
    const Integer offsetX = FOwner->FEffectiveOffsetX;
    Integer s = Integer(FOwner->FRangeX) - offsetX;
    const auto& map = FColumns->FPositionToIndex;
    for (auto it = map.rbegin(); it != map.rend(); ++it) {
        TNodeTreeColumn* c = FColumns->Items(*it);
        if (!(c->Options() & coVisible))
            continue;
        bool match;
        if (c->Options() & coFixed) {
            const Integer s2 = s + offsetX;
            match = s2 - farZone < P.X && P.X < s2 + nearZone;
        } else {
            match = P.X > fixedWidth && s - farZone < P.X && P.X < s + nearZone;
        }
        if (match && FColumns->CanResizeColumnAt(P, *it)) {
            FColumns->FTrackIndex = *it;
            FTrackPoint = TPoint(((c->Options() & coFixed) ? offsetX : 0) + s - c->Width(), P.Y);
            return true;
        }
        s -= c->Width();
    }
    return false;
}

bool TNtHeader::IsColumnSplitterHit(TPoint P)
{
    if (!(FOptions & hoColumnResize) || !FindSplitterColumn(P))
        return false;
    if (InHeader(P))
        return true;
    const TColumnIndex track = FColumns->FTrackIndex;
    if (!(FColumns->Items(track)->Options() & coFixed))
        return false;
    const TColumnIndex next = FColumns->GetNextVisibleColumn(track);
    return next >= 0 && !(FColumns->Items(next)->Options() & coFixed) && P.Y >= 0 && P.Y <= Integer(FOwner->FRangeY);
}

bool TNodeTreeColumns::CanResizeColumnAt(TPoint P, TColumnIndex Column)
{
    bool allowed = Column >= 0 && IsValidColumn(Column) && (Items(Column)->Options() & coResizable) && (Items(Column)->Options() & coVisible);
    DoCanSplitterResizeColumn(P, Column, allowed);
    return allowed;
}

void TNodeTreeColumns::DoCanSplitterResizeColumn(TPoint P, TColumnIndex Column, bool& Allowed)
{
    TBaseNodeTree* tree = FHeader->Treeview();
    if (tree->OnCanSplitterResizeColumn)
        tree->OnCanSplitterResizeColumn(FHeader, P, Column, Allowed);
}

// ---------------------------------------------------------------- hot and pressed columns, clicks

bool TNodeTreeColumns::UpdateHoverIndex(TPoint P)
{
    const TColumnIndex now = ColumnFromPosition(FHeader->HeaderPoint(P));
    if (now == FHoverIndex)
        return false;
    InvalidateColumnCell(FHoverIndex);
    FHoverIndex = now;
    InvalidateColumnCell(FHoverIndex);
    return true;
}

TColumnIndex TNodeTreeColumns::UpdateDownIndex(TPoint P)
{
    const TPoint h = FHeader->HeaderPoint(P);
    const TColumnIndex index = ColumnFromPosition(h);
    if (index >= 0 && index != FDownIndex) {
        const TNodeTreeColumn* c = Items(index);
        if ((c->Options() & coAllowClick) && (c->Options() & coEnabled)) {
            InvalidateColumnCell(FDownIndex);
            FDownIndex = index;
            FCheckBoxHit = c->FHasImage && PtInRect(c->FImageRect, h) && c->FCheckBox;
            InvalidateColumnCell(FDownIndex);
        }
    }
    return index;
}

void TNodeTreeColumns::InvalidateColumnCell(TColumnIndex Column) const
{
    if (IsValidColumn(Column))
        FHeader->Invalidate(Items(Column));
}

void TNodeTreeColumns::HandleColumnClick(TPoint P, TMouseButton Button, bool DblClick, bool Force)
{
    TBaseNodeTree* tree = FHeader->Treeview();
    if (tree->HasState(csDesigning))
        return;
    const TPoint h = FHeader->HeaderPoint(P);
    const TColumnIndex index = ColumnFromPosition(h);
    TNtHeaderHitInfo hit;
    hit.X = h.X;
    hit.Y = h.Y;
    hit.Button = Button;
    hit.Shift = GetShiftState();
    if (DblClick)
        hit.Shift |= ssDouble;
    if (index >= 0 && (Items(index)->Options() & coAllowClick) && (Force || index == FDownIndex)) {
        FClickIndex = index;
        hit.Column = index;
        hit.HitPosition = hhiOnColumn;
        TNodeTreeColumn* c = Items(index);
        if (c->FHasImage && PtInRect(c->FImageRect, h)) {
            hit.HitPosition |= hhiOnIcon;
            if (c->FCheckBox) {
                hit.HitPosition |= hhiOnCheckbox;
                if (Button == mbLeft)
                    tree->ToggleColumnCheckState(index);
            }
        }
    } else {
        FClickIndex = NoColumn;
        hit.Column = ColumnNone;
        hit.HitPosition = hhiNoWhere;
    }
    if (DblClick) {
        tree->DoHeaderDblClick(hit);
    } else {
        if ((FHeader->FOptions & hoHeaderClickAutoSort) && Button == mbLeft && !(hit.HitPosition & hhiOnCheckbox) && hit.Column >= 0) {
            if (hit.Column == FHeader->FSortColumn) {
                FHeader->SetSortDirection(FHeader->FSortDirection == sdAscending ? sdDescending : sdAscending);
            } else {
                FHeader->SetSortColumn(hit.Column);
                FHeader->SetSortDirection(Items(hit.Column)->DefaultSortDirection());
            }
        }
        if (Button == mbRight && (FHeader->FOptions & hoAutoColumnPopupMenu)) {
            delete FColumnPopupMenu;
            FColumnPopupMenu = new TNtHeaderPopupMenu(tree);
            FColumnPopupMenu->OnColumnChange = [](TBaseNodeTree* Sender, TColumnIndex Column, bool Visible) {
                Sender->DoColumnVisibilityChanged(Column, Visible);
            };
            FColumnPopupMenu->SetPopupComponent(tree);
            FColumnPopupMenu->SetOptions(((FHeader->FOptions & hoDblClickResize) && tree->RootNode()->ChildCount > 0) ? poResizeToFitItem : 0);
            const TPoint screen = tree->ClientToScreen(h);
            FColumnPopupMenu->Popup(screen.X, screen.Y);
        }
        tree->DoHeaderClick(hit);
    }
    if (!(hit.HitPosition & hhiNoWhere))
        InvalidateColumnCell(index);
    if (FClickIndex >= 0 && FClickIndex != index)
        InvalidateColumnCell(FClickIndex);
}

// ---------------------------------------------------------------- column dragging

void TNtHeader::StartColumnDrag(TPoint P, TPoint Start)
{
    FColumns->FDropTarget = NoColumn;
    const TPoint start = HeaderPoint(FOwner->ScreenToClient(Start));
    FColumns->FDragIndex = FColumns->ColumnFromPosition(start);
    if (!FColumns->IsValidColumn(FColumns->FDragIndex))
        return;
    // The column's cell, painted alone, becomes the picture under the mouse.
    const TNodeTreeColumn* column = FColumns->Items(FColumns->FDragIndex);
    TBitmap picture;
    picture.SetPixelFormat(pf32bit);
    picture.SetSize(column->Width(), FHeight);
    picture.Canvas()->Brush()->SetColor(clBtnFace);
    picture.Canvas()->Brush()->SetStyle(bsSolid);
    picture.Canvas()->FillRect(TRect(0, 0, column->Width(), FHeight));
    FColumns->PaintHeader(picture.Canvas(), TRect(column->Left(), 0, column->Left() + column->Width(), FHeight), TPoint(0, 0), 0);
    TPoint imagePosition = FOwner->ClientToScreen(TPoint(column->Left() - FOwner->EffectiveOffsetX(), 0));
    imagePosition.Y -= FHeight;
    FDragImage->SetMoveRestriction((FOptions & hoRestrictDrag) ? dmrHorizontalOnly : dmrNone);
    FDragImage->PrepareDrag(&picture, imagePosition, P, nullptr);
    FDragImage->ShowDragImage();
}

void TNtHeader::DragColumnTo(TPoint P)
{
    const TPoint client = FOwner->ScreenToClient(P);
    const TColumnIndex column = FColumns->ColumnFromPosition(HeaderPoint(client));
    bool forceRepaint = column != ColumnNotFound && column != FColumns->FDropTarget;
    if (column >= 0) {
        Integer left = 0, right = 0;
        FColumns->GetColumnBounds(column, left, right);
        const bool before = client.X < (left + right) / 2;
        if (before != FColumns->FDropBefore) {
            FColumns->FDropBefore = before;
            forceRepaint = true;
        }
    }
    if (forceRepaint) {
        if (FColumns->FDropTarget >= 0) {
            const TColumnIndex old = FColumns->FDropTarget;
            FColumns->FDropTarget = NoColumn;
            FColumns->InvalidateColumnCell(old);
        }
        if (column >= 0) {
            FColumns->FDropTarget = column;
            FColumns->InvalidateColumnCell(column);
        }
    }
    FDragImage->DragTo(P, forceRepaint);
}

void TNtHeader::EndColumnDrag()
{
    FDragImage->EndDrag();
}

// ---------------------------------------------------------------- header dispatchers

void TNtHeader::DoAfterAutoFitColumn(TColumnIndex Column)
{
    if (FOwner->OnAfterAutoFitColumn)
        FOwner->OnAfterAutoFitColumn(this, Column);
}

void TNtHeader::DoAfterColumnWidthTracking(TColumnIndex Column)
{
    if (FOwner->OnAfterColumnWidthTracking)
        FOwner->OnAfterColumnWidthTracking(this, Column);
}

void TNtHeader::DoAfterHeaderHeightTracking()
{
    if (FOwner->OnAfterHeaderHeightTracking)
        FOwner->OnAfterHeaderHeightTracking(this);
}

bool TNtHeader::DoBeforeAutoFitColumn(TColumnIndex Column, TSmartAutoFitType& SmartAutoFitType)
{
    bool allowed = true;
    if (FOwner->OnBeforeAutoFitColumn)
        FOwner->OnBeforeAutoFitColumn(this, Column, SmartAutoFitType, allowed);
    return allowed;
}

void TNtHeader::DoBeforeColumnWidthTracking(TColumnIndex Column, TShiftState Shift)
{
    if (FOwner->OnBeforeColumnWidthTracking)
        FOwner->OnBeforeColumnWidthTracking(this, Column, Shift);
}

void TNtHeader::DoBeforeHeaderHeightTracking(TShiftState Shift)
{
    if (FOwner->OnBeforeHeaderHeightTracking)
        FOwner->OnBeforeHeaderHeightTracking(this, Shift);
}

bool TNtHeader::DoColumnWidthDblClickResize(TColumnIndex Column, TPoint P, TShiftState Shift)
{
    bool allowed = true;
    if (FOwner->OnColumnWidthDblClickResize)
        FOwner->OnColumnWidthDblClickResize(this, Column, Shift, P, allowed);
    return allowed;
}

bool TNtHeader::DoColumnWidthTracking(TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint, TPoint P)
{
    bool allowed = true;
    if (FOwner->OnColumnWidthTracking)
        FOwner->OnColumnWidthTracking(this, Column, Shift, TrackPoint, P, allowed);
    return allowed;
}

TPopupMenu* TNtHeader::DoGetPopupMenu(TColumnIndex Column, TPoint Position)
{
    TPopupMenu* menu = nullptr;
    if (FOwner->OnGetPopupMenu) {
        bool askParent = true;
        FOwner->OnGetPopupMenu(FOwner, nullptr, Column, Position, askParent, menu);
    }
    return menu;
}

bool TNtHeader::DoHeaderHeightTracking(TPoint& P, TShiftState Shift)
{
    bool allowed = true;
    if (FOwner->OnHeaderHeightTracking)
        FOwner->OnHeaderHeightTracking(this, P, Shift, allowed);
    return allowed;
}

bool TNtHeader::DoHeaderHeightDblClickResize(TPoint& P, TShiftState Shift)
{
    bool allowed = true;
    if (FOwner->OnHeaderHeightDblClickResize)
        FOwner->OnHeaderHeightDblClickResize(this, P, Shift, allowed);
    return allowed;
}

// ---------------------------------------------------------------- tree dispatchers

void TBaseNodeTree::DoHeaderClick(const TNtHeaderHitInfo& HitInfo)
{
    if (OnHeaderClick)
        OnHeaderClick(FHeader.get(), HitInfo);
}

void TBaseNodeTree::DoHeaderDblClick(const TNtHeaderHitInfo& HitInfo)
{
    if (OnHeaderDblClick)
        OnHeaderDblClick(FHeader.get(), HitInfo);
}

void TBaseNodeTree::DoHeaderMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnHeaderMouseDown)
        OnHeaderMouseDown(FHeader.get(), Button, Shift, X, Y);
}

void TBaseNodeTree::DoHeaderMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnHeaderMouseUp)
        OnHeaderMouseUp(FHeader.get(), Button, Shift, X, Y);
}

void TBaseNodeTree::DoHeaderMouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (OnHeaderMouseMove)
        OnHeaderMouseMove(FHeader.get(), Shift, X, Y);
}

bool TBaseNodeTree::DoHeaderDragging(TColumnIndex Column)
{
    bool allowed = true;
    if (OnHeaderDragging)
        OnHeaderDragging(FHeader.get(), Column, allowed);
    return allowed;
}

void TBaseNodeTree::DoHeaderDragged(TColumnIndex Column, Integer OldPosition)
{
    if (OnHeaderDragged)
        OnHeaderDragged(FHeader.get(), Column, OldPosition);
}

void TBaseNodeTree::DoHeaderDraggedOut(TColumnIndex Column, TPoint DropPosition)
{
    if (OnHeaderDraggedOut)
        OnHeaderDraggedOut(FHeader.get(), Column, DropPosition);
}

void TBaseNodeTree::DoGetHeaderCursor(TCursor& Cursor)
{
    if (OnGetHeaderCursor)
        OnGetHeaderCursor(FHeader.get(), Cursor);
}

void TBaseNodeTree::DoColumnClick(TColumnIndex Column, TShiftState Shift)
{
    if (OnColumnClick)
        OnColumnClick(this, Column, Shift);
}

void TBaseNodeTree::DoColumnDblClick(TColumnIndex Column, TShiftState Shift)
{
    if (OnColumnDblClick)
        OnColumnDblClick(this, Column, Shift);
}

void TBaseNodeTree::DoColumnVisibilityChanged(TColumnIndex Column, bool Visible)
{
    if (OnColumnVisibilityChanged)
        OnColumnVisibilityChanged(this, Column, Visible);
}

// ---------------------------------------------------------------- column popup menu

void TNtHeaderPopupMenu::DoAddHeaderPopupItem(TColumnIndex Column, TAddPopupItemType& Cmd)
{
    Cmd = apNormal;
    if (OnAddHeaderPopupItem)
        OnAddHeaderPopupItem(dynamic_cast<TBaseNodeTree*>(PopupComponent()), Column, Cmd);
}

void TNtHeaderPopupMenu::DoColumnChange(TColumnIndex Column, bool Visible)
{
    if (OnColumnChange)
        OnColumnChange(dynamic_cast<TBaseNodeTree*>(PopupComponent()), Column, Visible);
}

void TNtHeaderPopupMenu::Popup(Integer X, Integer Y)
{
    auto* tree = dynamic_cast<TBaseNodeTree*>(PopupComponent());
    if (tree == nullptr)
        return;
    Items()->Clear();
    TNtHeader* header = tree->Header();
    TNodeTreeColumns* columns = header->Columns();
    auto addItem = [this](const QString& caption, const QString& name) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        item->SetName(name);
        Items()->Add(item);
        return item;
    };
    if (FOptions & poResizeToFitItem) {
        TMenuItem* item = addItem(QStringLiteral("&Resize All Columns To Fit"), QStringLiteral("NT_ResizeToFitMenuItem"));
        item->OnClick = [this, item](TObject*) { HandleMenuItemClick(item); };
        addItem(QStringLiteral("-"), QString());
    }
    Integer visibleCount = 0;
    TMenuItem* lastVisible = nullptr;
    for (Integer i = 0; i < columns->Count(); ++i) {
        const TColumnIndex column = (FOptions & poOriginalOrder) ? i : columns->ColumnFromPosition(TColumnPosition(i));
        if (!columns->IsValidColumn(column))
            continue;
        const TNodeTreeColumn* c = columns->Items(column);
        if (c->Options() & coVisible)
            ++visibleCount;
        TAddPopupItemType cmd = apNormal;
        DoAddHeaderPopupItem(column, cmd);
        if (cmd == apHidden)
            continue;
        TMenuItem* item = addItem(c->Text(), QString());
        item->SetTag(column);
        item->SetChecked((c->Options() & coVisible) != 0);
        item->OnClick = [this, item](TObject*) { HandleMenuItemClick(item); };
        if (cmd == apDisabled)
            item->SetEnabled(false);
        else if (c->Options() & coVisible)
            lastVisible = item;
    }
    if (visibleCount == 1 && lastVisible && !(FOptions & poAllowHideAll))
        lastVisible->SetEnabled(false);
    TPopupMenu::Popup(X, Y);
}

void TNtHeaderPopupMenu::HandleMenuItemClick(TMenuItem* Item)
{
    auto* tree = dynamic_cast<TBaseNodeTree*>(PopupComponent());
    if (tree == nullptr)
        return;
    TNtHeader* header = tree->Header();
    if (Item->Name() == QStringLiteral("NT_ResizeToFitMenuItem")) {
        header->AutoFitColumns(true, smaUseColumnOption, -1, -1);
        return;
    }
    const TColumnIndex column = TColumnIndex(Item->Tag());
    TNodeTreeColumns* columns = header->Columns();
    if (!columns->IsValidColumn(column))
        return;
    TNodeTreeColumn* c = columns->Items(column);
    if (Item->Checked())
        c->SetOptions(c->Options() & ~coVisible);
    else
        c->SetOptions(c->Options() | coVisible);
    DoColumnChange(column, !Item->Checked());
}
