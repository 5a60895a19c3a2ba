// Keyboard and mouse input: the messages the tree answers, moving the focus
// and extending the selection by key, pressing check boxes by key and mouse,
// clicks on buttons, labels and empty space, double clicks, hot tracking,
// incremental search and the window timers.

#include <QWidget>

#include "platform/Form.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/WidgetBridge.h"
#include "treeview/NodeTreeAccessibility.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

// ---------------------------------------------------------------- messages

void TBaseNodeTree::WndProc(TMessage& Message)
{
    // The header sees every message first and may take it.
    if (FHeader && FHeader->HandleHeaderMessage(Message))
        return;
    switch (Message.Msg) {
    case CM_HINTSHOW: CMHintShow(Message); return;
    case CM_HINTSHOWPAUSE: CMHintShowPause(Message); return;
    default: break;
    }
    TCustomControl::WndProc(Message);
}

void TBaseNodeTree::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FWantTabs ? DLGC_WANTTAB : 0);
        return;
    case WM_VSCROLL:
    case WM_HSCROLL:
        ScrollMessage(Message.Msg == WM_VSCROLL, Message.WParamLo(), Message.LParam != 0 ? Integer(Message.LParam) : Integer(Message.WParamHi()));
        Message.Result = 0;
        return;
    case WM_CHANGESTATE: {
        auto decode = [](WPARAM bits) {
            TNodeTreeStates s = 0;
            if (bits & 1)
                s |= tsStopValidation;
            if (bits & 2)
                s |= tsUseCache;
            if (bits & 4)
                s |= tsValidating;
            if (bits & 8)
                s |= tsValidationNeeded;
            return s;
        };
        DoStateChange(decode(Message.WParam), decode(WPARAM(Message.LParam)));
        return;
    }
    case TVM_GETITEMRECT: {
        auto* buffer = reinterpret_cast<Integer*>(Message.LParam);
        PDataNode node = buffer ? *reinterpret_cast<PDataNode*>(buffer) : nullptr;
        Message.Result = node && IsVisible(node);
        if (Message.Result) {
            const TRect r = GetDisplayRect(node, NoColumn, Message.WParam != 0);
            buffer[0] = r.Left;
            buffer[1] = r.Top;
            buffer[2] = r.Right;
            buffer[3] = r.Bottom;
        }
        return;
    }
    case CM_DRAG: CMDrag(Message); return;
    case WM_SETCURSOR:
        if (!HasTreeState(tsWheelPanning | tsWheelScrolling)) {
            // Over a node edge that may be dragged: the splitter cursor;
            // over the hot node: the hot cursor.
            TCursor cursor = crDefault;
            if (HasTreeState(tsNodeHeightTracking)) {
                cursor = crVSplit;
            } else if (FOptions->FMiscOptions & toNodeHeightResize) {
                THitInfo hit;
                GetHitTestInfoAt(FLastMousePos.X, FLastMousePos.Y, true, hit);
                if ((hit.HitPositions & hiOnItem) && (hit.HitPositions & (hiUpperSplitter | hiLowerSplitter)) && hit.HitNode) {
                    PDataNode above = (hit.HitPositions & hiUpperSplitter) ? GetPreviousVisible(hit.HitNode, true) : hit.HitNode;
                    if (CanSplitterResizeNode(FLastMousePos, above, hit.HitColumn))
                        cursor = crVSplit;
                }
            }
            if (cursor == crDefault)
                cursor = (FOptions->FPaintOptions & toHotTrack) && FCurrentHotNode && FHotCursor != crDefault ? FHotCursor : Cursor();
            DoGetCursor(cursor);
            if (QWidget* w = TWidgetBridge::Widget(this))
                w->setCursor(CursorShape(cursor));
            Message.Result = 1;
            return;
        }
        break;
    case WM_GETOBJECT: WMGetObject(Message); return;
    case TVM_GETITEMW: TVMGetItem(Message); return;
    case TVM_GETNEXTITEM: TVMGetNextItem(Message); return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_CUT: CutToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_TIMER:
        switch (Message.WParam) {
        case EditTimer: DoEdit(); return;
        case ScrollTimer:
            if (HasTreeState(tsScrollPending)) {
                if (Application)
                    Application->CancelHint();
                SetTreeTimer(ScrollTimer, FAutoScrollInterval);
                DoStateChange(tsScrolling, tsScrollPending);
            }
            ScrollTimerStep();
            return;
        case ChangeTimer:
            if (HasTreeState(tsChangePending))
                DoChange(FLastChangedNode);
            else
                KillTreeTimer(ChangeTimer);
            return;
        case StructureChangeTimer: DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason); return;
        case SearchTimer: DoStateChange(0, tsIncrementalSearching); ClearIncrementalSearch(); return;
        case ExpandTimer: ExpandDropTarget(); return;
        case HeaderTimer:
        case ThemeChangedTimer: KillTreeTimer(Message.WParam); return;
        default: break;
        }
        break;
    case WM_CHAR:
        if (HasTreeState(tsIncrementalSearchPending)) {
            HandleIncrementalSearch(Word(Message.WParam));
            DoStateChange(0, tsIncrementalSearchPending);
        }
        break;
    case WM_LBUTTONDOWN: MousePress(Message, tsLeftButtonDown); return;
    case WM_RBUTTONDOWN: MousePress(Message, tsRightButtonDown); return;
    case WM_MBUTTONDOWN: MousePress(Message, tsMiddleButtonDown); return;
    case WM_LBUTTONUP: {
        DoStateChange(0, tsNodeHeightTracking | tsNodeHeightTrackPending | tsLeftButtonDown);
        const TPoint p = PointFromLParam(Message.LParam);
        THitInfo hit;
        GetHitTestInfoAt(p.X, p.Y, true, hit);
        HandleMouseUp(Message, hit);
        TCustomControl::Dispatch(Message);
        return;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const bool right = Message.Msg == WM_RBUTTONUP;
        DoStateChange(0, right ? (tsRightButtonDown | tsPopupMenuShown) : tsMiddleButtonDown);
        if (!right && HasTreeState(tsWheelPanning | tsWheelScrolling)) {
            if (HasTreeState(tsWheelScrolling))
                DoStateChange(0, tsWheelPanning);
            else
                EndWheelPanning();
            return;
        }
        if (right) {
            if (Application)
                Application->CancelHint();
            if (IsMouseSelecting() && PopupMenu() != nullptr) {
                DoStateChange(0, tsDrawSelPending | tsDrawSelecting);
                Invalidate();
            }
        }
        TCustomControl::Dispatch(Message);
        const TNtSelectionOptions sel = FOptions->FSelectionOptions;
        const TPoint p = PointFromLParam(Message.LParam);
        THitInfo hit;
        GetHitTestInfoAt(p.X, p.Y, true, hit);
        if ((right && (sel & toRightClickSelect)) || (!right && (sel & toMiddleClickSelect)))
            HandleMouseUp(Message, hit);
        // Without a menu of its own the tree asks the owner for the node's menu.
        if (right && PopupMenu() == nullptr)
            ShowNodePopupMenu(hit.HitNode, hit.HitColumn, p);
        return;
    }
    case WM_CONTEXTMENU:
        DoStateChange(0, tsClearPending | tsEditPending | tsOLEDragPending | tsVCLDragPending);
        if (HasTreeState(tsPopupMenuShown))
            return;
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        const TNodeTreeStates state = Message.Msg == WM_LBUTTONDBLCLK ? tsLeftDblClick : Message.Msg == WM_RBUTTONDBLCLK ? tsRightDblClick : tsMiddleDblClick;
        const TNodeTreeStates button = Message.Msg == WM_LBUTTONDBLCLK ? tsLeftButtonDown : Message.Msg == WM_RBUTTONDBLCLK ? tsRightButtonDown : tsMiddleButtonDown;
        DoStateChange(state | button);
        TCustomControl::Dispatch(Message);
        const TNtSelectionOptions sel = FOptions->FSelectionOptions;
        if (Message.Msg == WM_LBUTTONDBLCLK || (Message.Msg == WM_RBUTTONDBLCLK && (sel & toRightClickSelect)) ||
            (Message.Msg == WM_MBUTTONDBLCLK && (sel & toMiddleClickSelect))) {
            const TPoint p = PointFromLParam(Message.LParam);
            THitInfo hit;
            GetHitTestInfoAt(p.X, p.Y, true, hit);
            HandleMouseDblClick(Message, hit);
        }
        DoStateChange(0, state);
        return;
    }
    case WM_SETFOCUS:
        TCustomControl::Dispatch(Message);
        if (!(FSelectionCount == 0 && (FOptions->FPaintOptions & toGhostedIfUnfocused)))
            Invalidate();
        return;
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(Message);
        if (HasTreeState(tsHint) && Application)
            Application->CancelHint();
        EndWheelPanning();
        for (UINT_PTR id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer})
            KillTreeTimer(id);
        ClearIncrementalSearch();
        DoStateChange(0, tsEditPending | tsNodeHeightTracking | tsNodeHeightTrackPending | tsIncrementalSearching | tsLeftButtonDown |
                             tsMiddleButtonDown | tsOLEDragPending | tsRightButtonDown | tsScrolling | tsScrollPending | tsVCLDragPending);
        if (FSelectionCount == 0 && (FOptions->FPaintOptions & toGhostedIfUnfocused))
            InvalidateNode(FFocusedNode);
        else
            Invalidate();
        return;
    case WM_CANCELMODE:
        for (UINT_PTR id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer, ThemeChangedTimer})
            KillTreeTimer(id);
        ClearIncrementalSearch();
        DoStateChange(0, tsClearPending | tsDrawSelPending | tsDrawSelecting | tsEditPending | tsIncrementalSearching | tsOLEDragPending |
                             tsVCLDragPending);
        break;
    case CM_MOUSELEAVE:
        if (!HasTreeState(tsWheelPanning | tsWheelScrolling)) {
            KillTreeTimer(ScrollTimer);
            DoStateChange(0, tsScrolling | tsScrollPending | tsHint);
        } else {
            DoStateChange(0, tsHint);
        }
        if (FCurrentHotNode) {
            PDataNode old = FCurrentHotNode;
            DoHotChange(old, nullptr);
            FCurrentHotNode = nullptr;
            if (FOptions->FPaintOptions & toHotTrack || FOptions->FMiscOptions & toCheckSupport)
                InvalidateNode(old);
        }
        break;
    default: break;
    }
    TCustomControl::Dispatch(Message);
}

void TBaseNodeTree::MousePress(TMessage& Message, TNodeTreeStates ButtonState)
{
    DoStateChange(ButtonState);
    if (FHeader->States())
        return;
    TCustomControl::Dispatch(Message);
    const TPoint p = PointFromLParam(Message.LParam);
    if (ButtonState == tsMiddleButtonDown) {
        if ((FOptions->FMiscOptions & toWheelPanning) && !HasTreeState(tsWheelPanning | tsWheelScrolling) &&
            (ClientWidth() < Integer(FRangeX) || ClientHeight() < Integer(FRangeY))) {
            BeginWheelPanning(p);
            return;
        }
        EndWheelPanning();
        if (!(FOptions->FSelectionOptions & toMiddleClickSelect))
            return;
    } else if (ButtonState == tsRightButtonDown && !(FOptions->FSelectionOptions & toRightClickSelect)) {
        return;
    }
    THitInfo hit;
    GetHitTestInfoAt(p.X, p.Y, true, hit);
    HandleMouseDown(Message, hit);
}

// ---------------------------------------------------------------- popup menus

TPopupMenu* TBaseNodeTree::DoGetPopupMenu(PDataNode Node, TColumnIndex Column, TPoint Position)
{
    TPopupMenu* menu = nullptr;
    if (!OnGetPopupMenu)
        return nullptr;
    if (Node == nullptr) {
        bool askParent = true;
        OnGetPopupMenu(this, nullptr, NoColumn, Position, askParent, menu);
        return menu;
    }
    // From the node up through its parents until one gives a menu.
    for (PDataNode run = Node; run && run != FRoot; run = run->Parent) {
        bool askParent = true;
        OnGetPopupMenu(this, run, Column, Position, askParent, menu);
        if (menu || !askParent)
            break;
    }
    return menu;
}

void TBaseNodeTree::ShowNodePopupMenu(PDataNode Node, TColumnIndex Column, TPoint Position)
{
    TPopupMenu* menu = DoGetPopupMenu(Node, Column, Position);
    if (menu == nullptr)
        return;
    DoStateChange(tsPopupMenuShown);
    KillTreeTimer(EditTimer);
    menu->SetPopupComponent(this);
    const TPoint screen = ClientToScreen(Position);
    menu->Popup(screen.X, screen.Y);
}

bool TBaseNodeTree::CanShowPopupMenu(PDataNode Node, TColumnIndex Column, TPoint Position)
{
    return PopupMenu() != nullptr || DoGetPopupMenu(Node, Column, Position) != nullptr;
}

// ---------------------------------------------------------------- keyboard

bool TBaseNodeTree::DoKeyAction(Word& CharCode, TShiftState& Shift)
{
    bool doDefault = true;
    if (OnKeyAction)
        OnKeyAction(this, CharCode, Shift, doDefault);
    return doDefault;
}

void TBaseNodeTree::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    Shift = Shift - ssLeft - ssRight - ssMiddle - ssDouble;
    Word charCode = Key;
    if (!DoKeyAction(charCode, Shift))
        return;
    if (HasTreeState(tsKeyCheckPending) && charCode != VK_SPACE) {
        DoStateChange(0, tsKeyCheckPending);
        if (FCheckNode) {
            FCheckNode->CheckState = GetUnpressed(FCheckNode->CheckState);
            RepaintNode(FCheckNode);
        }
        FCheckNode = nullptr;
    }
    const TNtSelectionOptions selOpts = FOptions->FSelectionOptions;
    const bool navigation = charCode == VK_BACK || charCode == VK_TAB || (charCode >= VK_PRIOR && charCode <= VK_DOWN);
    if (navigation && FRoot->ChildCount > 0) {
        const bool extendSel = Shift.Contains(ssShift) && (selOpts & toMultiSelect) && !HasTreeState(tsEditing);
        bool rangeKey = (charCode == VK_PRIOR || charCode == VK_NEXT || charCode == VK_END || charCode == VK_HOME) && extendSel;
        bool repaint = rangeKey || FSelectionCount > 1;
        const bool clearSel = Shift.Empty() || ((FOptions->FMiscOptions & toGridExtensions) && !Shift.Contains(ssShift)) || !(selOpts & toMultiSelect) ||
                              charCode == VK_BACK || charCode == VK_TAB;
        PDataNode lastFocused = FFocusedNode;
        if (lastFocused == nullptr && !Shift.Empty())
            lastFocused = GetFirstVisible(nullptr, true, false);
        if (FRangeAnchor == nullptr) {
            FRangeAnchor = GetFirstSelected();
            if (FRangeAnchor == nullptr)
                FRangeAnchor = GetFirst();
        }
        const bool ctrl = Shift.Contains(ssCtrl);
        switch (charCode) {
        case VK_UP:
        case VK_DOWN: {
            if (ctrl) {
                SetOffsetY(FOffsetY + (charCode == VK_UP ? 1 : -1) * Integer(FDefaultNodeHeight));
                break;
            }
            PDataNode target;
            if (FFocusedNode)
                target = charCode == VK_UP ? GetPreviousVisible(FFocusedNode, true) : GetNextVisible(FFocusedNode, true);
            else
                target = charCode == VK_UP ? GetLastVisible(nullptr, true, false) : GetFirstVisible(nullptr, true, false);
            if (target) {
                if (!EndEditNode())
                    return;
                const bool extends = extendSel && lastFocused && FRangeAnchor &&
                                     (charCode == VK_UP ? CompareNodeOrder(lastFocused, FRangeAnchor, false) <= 0
                                                        : CompareNodeOrder(lastFocused, FRangeAnchor, false) >= 0);
                if (FFocusedNode && !extends)
                    RemoveFromSelection(FFocusedNode);
                if (FFocusedColumn == NoColumn)
                    FFocusedColumn = FHeader->MainColumn();
                SetFocusedNode(target);
            } else if (FFocusedNode) {
                InvalidateNode(FFocusedNode);
            }
            break;
        }
        case VK_PRIOR:
        case VK_NEXT: {
            if (ctrl) {
                SetOffsetY(FOffsetY + (charCode == VK_PRIOR ? 1 : -1) * ClientHeight());
                break;
            }
            PDataNode node = FFocusedNode;
            if (node == nullptr) {
                SetFocusedNode(charCode == VK_PRIOR ? GetFirstVisible(nullptr, true, false) : GetLastVisible(nullptr, true, false));
                break;
            }
            Integer sum = 0;
            for (;;) {
                PDataNode next = charCode == VK_PRIOR ? GetPreviousVisible(node, true) : GetNextVisible(node, true);
                if (next == nullptr || Integer(GetNodeHeight(node)) + sum >= ClientHeight())
                    break;
                sum += Integer(GetNodeHeight(charCode == VK_PRIOR ? next : node));
                node = next;
            }
            SetFocusedNode(node);
            break;
        }
        case VK_HOME:
        case VK_END: {
            const bool first = (charCode == VK_HOME) != UseRightToLeftAlignment();
            PDataNode node = first ? GetFirstVisible(nullptr, true, false) : GetLastVisible(nullptr, true, false);
            if (Shift == TShiftState(ssCtrl)) {
                ScrollIntoView(node, (selOpts & toCenterScrollIntoView) != 0, !(FOptions->FAutoOptions & toDisableAutoscrollOnFocus));
                SetOffsetX(first ? 0 : -2147483647);
            } else {
                SetFocusedNode(node);
            }
            break;
        }
        case VK_LEFT:
        case VK_RIGHT: {
            if (ctrl) {
                const Integer dir = UseRightToLeftAlignment() ? -1 : 1;
                SetOffsetX(FOffsetX + (charCode == VK_LEFT ? 1 : -1) * dir * Integer(FIndent));
                break;
            }
            PDataNode node = FFocusedNode;
            if (node == nullptr) {
                SetFocusedNode(GetFirstVisible(nullptr, true, false));
                break;
            }
            const bool collapse = (charCode == VK_LEFT) != UseRightToLeftAlignment();
            if (collapse) {
                if ((node->States & vsExpanded) && (node->States & vsHasChildren) && node->ChildCount > 0 && Shift.Empty()) {
                    ToggleNode(node);
                } else if (node->Parent != FRoot) {
                    PDataNode parent = node->Parent;
                    if (extendSel) {
                        if (node->Index > 0)
                            rangeKey = true;
                        else if (FRangeAnchor && CompareNodeOrder(parent, FRangeAnchor, false) > 0)
                            RemoveFromSelection(node);
                    }
                    SetFocusedNode(parent);
                }
            } else {
                if (!(node->States & vsExpanded) && (node->States & vsHasChildren) && Shift.Empty()) {
                    ToggleNode(node);
                } else {
                    PDataNode child = GetFirstVisibleChild(node, false);
                    if (child) {
                        if (extendSel && FRangeAnchor && CompareNodeOrder(child, FRangeAnchor, false) < 0)
                            RemoveFromSelection(node);
                        SetFocusedNode(child);
                    }
                }
            }
            break;
        }
        case VK_BACK:
            if (HasTreeState(tsIncrementalSearching))
                DoStateChange(tsIncrementalSearchPending);
            else if (FFocusedNode && FFocusedNode->Parent != FRoot)
                SetFocusedNode(FFocusedNode->Parent);
            break;
        case VK_TAB:
            break;
        default: break;
        }
        // The selection follows the focus.
        bool cleared = false;
        if (clearSel && (FFocusedNode != lastFocused || FSelectionCount != 1)) {
            ClearSelection();
            cleared = true;
        }
        if (Shift.Empty()) {
            FRangeAnchor = FFocusedNode;
            FLastSelectionLevel = FFocusedNode ? Integer(GetNodeLevel(FFocusedNode)) : -1;
        }
        if (FFocusedNode) {
            if (rangeKey)
                ToggleRangeSelection(lastFocused, FFocusedNode);
            if (FFocusedNode != lastFocused || cleared)
                AddToSelection(FFocusedNode);
        }
        if (repaint)
            Invalidate();
        return;
    }
    // Other keys; the main keyboard's + and - (0xBB, 0xBD) act like the numeric pad's.
    switch (charCode) {
    case VK_F2:
        if (Shift.Empty() && FFocusedNode && CanEdit(FFocusedNode, FFocusedColumn)) {
            FEditColumn = FFocusedColumn;
            DoEdit();
        }
        break;
    case VK_ESCAPE:
        if (HasTreeState(tsEditPending | tsEditing))
            CancelEditNode();
        if (IsMouseSelecting()) {
            DoStateChange(0, tsDrawSelPending | tsDrawSelecting);
            Invalidate();
        }
        break;
    case VK_SPACE:
        if ((FOptions->FMiscOptions & toCheckSupport) && FFocusedNode && FFocusedNode->CheckType != ctNone) {
            if (HasTreeState(tsKeyCheckPending | tsMouseCheckPending) || (FFocusedNode->States & vsDisabled))
                break;
            TCheckState newState = DetermineNextCheckState(FFocusedNode->CheckType, FFocusedNode->CheckState);
            if (DoChecking(FFocusedNode, newState)) {
                DoStateChange(tsKeyCheckPending);
                FCheckNode = FFocusedNode;
                FPendingCheckState = newState;
                FCheckNode->CheckState = GetPressed(FCheckNode->CheckState);
                RepaintNode(FCheckNode);
            }
        } else if (FIncrementalSearch != isNone) {
            DoStateChange(tsIncrementalSearchPending);
        }
        break;
    case VK_APPS:
        if (FFocusedNode) {
            const TRect r = GetDisplayRect(FFocusedNode, FFocusedColumn, true);
            const Integer w = std::min<Integer>(GetNodeWidth(FFocusedNode, FFocusedColumn, nullptr), ClientWidth());
            ShowNodePopupMenu(FFocusedNode, FFocusedColumn, TPoint(r.Left + w / 2, (r.Top + r.Bottom) / 2));
        } else {
            ShowNodePopupMenu(nullptr, FFocusedColumn, TPoint(-1, -1));
        }
        break;
    case 0x41:
        if (Shift.Contains(ssCtrl))
            SelectAll(true);
        else if (FIncrementalSearch != isNone)
            DoStateChange(tsIncrementalSearchPending);
        break;
    case VK_MULTIPLY:
        if (HasTreeState(tsIncrementalSearching))
            DoStateChange(tsIncrementalSearchPending);
        else if (FFocusedNode)
            FullExpand(FFocusedNode);
        break;
    case VK_DIVIDE:
        if (HasTreeState(tsIncrementalSearching))
            DoStateChange(tsIncrementalSearchPending);
        else if (FFocusedNode)
            FullCollapse(FFocusedNode);
        break;
    case VK_ADD:
    case 0xBB:
        if (HasTreeState(tsIncrementalSearching))
            DoStateChange(tsIncrementalSearchPending);
        else if (Shift.Contains(ssCtrl)) {
            if (bool(FOptions->FMiscOptions & toReverseFullExpandHotKey) != Shift.Contains(ssShift))
                FullExpand(nullptr);
            else
                FHeader->AutoFitColumns(true, smaUseColumnOption, NoColumn, NoColumn);
        } else if (FFocusedNode && !(FFocusedNode->States & vsExpanded))
            ToggleNode(FFocusedNode);
        break;
    case VK_SUBTRACT:
    case 0xBD:
        if (HasTreeState(tsIncrementalSearching))
            DoStateChange(tsIncrementalSearchPending);
        else if (Shift.Contains(ssCtrl)) {
            if (bool(FOptions->FMiscOptions & toReverseFullExpandHotKey) != Shift.Contains(ssShift))
                FullCollapse(nullptr);
            else
                FHeader->RestoreColumns();
        } else if (FFocusedNode && (FFocusedNode->States & vsExpanded))
            ToggleNode(FFocusedNode);
        break;
    case VK_F1:
        if (OnGetHelpContext)
            ShowNodeHelp();
        break;
    default:
        if ((Shift.Contains(ssCtrl) == Shift.Contains(ssAlt)) && charCode >= 32 && FIncrementalSearch != isNone)
            DoStateChange(tsIncrementalSearchPending);
        break;
    }
}

void TBaseNodeTree::KeyUp(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
    if (Key == VK_TAB)
        EnsureNodeFocused();
    if (Key == VK_SPACE && HasTreeState(tsKeyCheckPending)) {
        DoStateChange(0, tsKeyCheckPending);
        if (FCheckNode && FCheckNode == FFocusedNode)
            ApplyCheckState(FCheckNode, FPendingCheckState);
        if (FCheckNode) {
            FCheckNode->CheckState = GetUnpressed(FCheckNode->CheckState);
            InvalidateNode(FCheckNode);
        }
        FCheckNode = nullptr;
    }
}

// ---------------------------------------------------------------- incremental search

void TBaseNodeTree::SetIncrementalSearch(TNtIncrementalSearch Value)
{
    if (Value == FIncrementalSearch)
        return;
    FIncrementalSearch = Value;
    if (Value == isNone) {
        KillTreeTimer(SearchTimer);
        ClearIncrementalSearch();
    }
}

void TBaseNodeTree::ClearIncrementalSearch()
{
    KillTreeTimer(SearchTimer);
    FSearchBuffer.clear();
    FLastSearchNode = nullptr;
}

Integer TBaseNodeTree::DoIncrementalSearch(PDataNode Node, const QString& Text)
{
    Integer result = 0;
    if (OnIncrementalSearch)
        OnIncrementalSearch(this, Node, Text, result);
    return result;
}

PDataNode TBaseNodeTree::NextSearchCandidate(PDataNode Node, bool Forward, bool Wrap)
{
    switch (FIncrementalSearch) {
    case isVisibleOnly:
        if (Node == nullptr)
            return Forward ? GetFirstVisible(nullptr, true, false) : GetLastVisible(nullptr, true, false);
        Node = Forward ? GetNextVisible(Node, true) : GetPreviousVisible(Node, true);
        if (Node == nullptr && Wrap)
            Node = Forward ? GetFirstVisible(nullptr, true, false) : GetLastVisible(nullptr, true, false);
        return Node;
    case isInitializedOnly:
        if (Node == nullptr)
            return Forward ? GetFirstNoInit() : GetLastNoInit();
        Node = Forward ? GetNextNoInit(Node) : GetPreviousNoInit(Node);
        if (Node == nullptr && Wrap)
            Node = Forward ? GetFirstNoInit() : GetLastNoInit();
        return Node;
    default:
        if (Node == nullptr)
            return Forward ? GetFirst() : GetLast();
        Node = Forward ? GetNext(Node) : GetPrevious(Node);
        if (Node == nullptr && Wrap)
            Node = Forward ? GetFirst() : GetLast();
        return Node;
    }
}

void TBaseNodeTree::HandleIncrementalSearch(Word CharCode)
{
    KillTreeTimer(SearchTimer);
    if (FIncrementalSearch == isNone)
        return;
    if (CharCode != 0) {
        DoStateChange(tsIncrementalSearching);
        const bool back = CharCode == 8;
        if (!(back && FSearchBuffer.isEmpty())) {
            PDataNode start = FSearchStart == ssAlwaysStartOver ? nullptr : FSearchStart == ssLastHit ? FLastSearchNode : FFocusedNode;
            if (start && FIncrementalSearch == isInitializedOnly && !(start->States & vsInitialized))
                start = nullptr;
            if (start && FIncrementalSearch == isVisibleOnly && (!FullyVisible(start) || IsEffectivelyFiltered(start)))
                start = nullptr;
            const bool forward = (FSearchDirection == sdForward) != back;
            const QChar ch = QChar(char16_t(CharCode));
            bool repeat = !back && FSearchBuffer.size() == 1 && FSearchBuffer[0] == ch;
            if (repeat && start && DoIncrementalSearch(start, FSearchBuffer + ch) == 0)
                repeat = false;
            QString text;
            if (repeat)
                text = FSearchBuffer;
            else if (back) {
                FSearchBuffer.chop(1);
                text = FSearchBuffer;
            } else
                text = FSearchBuffer + ch;
            PDataNode node = start;
            if (FSearchBuffer.isEmpty() || start == nullptr || repeat || back)
                node = NextSearchCandidate(start, forward, start != nullptr);
            PDataNode found = nullptr;
            PDataNode first = node;
            while (node) {
                if (DoIncrementalSearch(node, text) == 0) {
                    found = node;
                    break;
                }
                node = NextSearchCandidate(node, forward, start != nullptr);
                if (node == (start ? start : nullptr) || node == first) {
                    if (node && node == start && DoIncrementalSearch(node, text) == 0)
                        found = node;
                    break;
                }
            }
            if (found) {
                ClearSelection();
                FSearchBuffer = text;
                FLastSearchNode = found;
                SetFocusedNode(found);
                SetSelected(found, true);
            } else {
                MessageBeep(0);
            }
        }
    }
    SetTreeTimer(SearchTimer, FSearchTimeout);
}

// ---------------------------------------------------------------- mouse

void TBaseNodeTree::DoHotChange(PDataNode Old, PDataNode New)
{
    if (OnHotChange)
        OnHotChange(this, Old, New);
}

void TBaseNodeTree::DoNodeClick(const THitInfo& HitInfo)
{
    if (OnNodeClick)
        OnNodeClick(this, HitInfo);
}

void TBaseNodeTree::DoNodeDblClick(const THitInfo& HitInfo)
{
    if (OnNodeDblClick)
        OnNodeDblClick(this, HitInfo);
}

void TBaseNodeTree::HandleMouseDown(TMessage& Message, THitInfo& HitInfo)
{
    if (HasTreeState(tsWheelPanning | tsWheelScrolling)) {
        EndWheelPanning();
        return;
    }
    if (HasTreeState(tsEditPending)) {
        KillTreeTimer(EditTimer);
        DoStateChange(0, tsEditPending);
    }
    const TPoint p = PointFromLParam(Message.LParam);
    // A press on the label of the selected focused node may start an edit.
    const bool mayEdit = Focused() && HitInfo.HitNode && HitInfo.HitNode == FFocusedNode && (HitInfo.HitNode->States & vsSelected) &&
                         (Message.Msg == WM_LBUTTONDOWN) &&
                         (((HitInfo.HitPositions & hiOnItemLabel) && (!FHeader->UseColumns() || HitInfo.HitColumn == FFocusedColumn)) ||
                          ((FOptions->FMiscOptions & toGridExtensions) && (HitInfo.HitPositions & hiOnItem)));
    if (!Focused() && CanFocus()) {
        SetFocus();
        GetHitTestInfoAt(p.X, p.Y, true, HitInfo);
    }
    if (FHeader->UseColumns())
        FHeader->Columns()->SetClickIndex(HitInfo.HitColumn);
    const TNtSelectionOptions selOpts = FOptions->FSelectionOptions;
    TShiftState shift = KeysToShiftState(Message.WParam);
    shift = TShiftState::FromBits(shift.Bits() & (ssShift | ssAlt | ssCtrl).Bits());
    const bool altPressed = shift.Contains(ssAlt);
    shift -= ssAlt;
    const bool shiftEmpty = shift.Empty();
    const THitPositions hp = HitInfo.HitPositions;
    PDataNode hitNode = HitInfo.HitNode;
    const bool newNode = hitNode != FFocusedNode;
    const bool isLabelHit = !altPressed && !(selOpts & toSimpleDrawSelection) && (hp & (hiOnItemLabel | hiOnNormalIcon));
    const bool isCellHit = !altPressed && !isLabelHit && hitNode && !(hp & (hiNowhere | hiOnItemButton | hiOnItemCheckbox)) &&
                           ((selOpts & toFullRowSelect) || ((FOptions->FMiscOptions & toGridExtensions) && HitInfo.HitColumn > NoColumn));
    const bool isAnyHit = isLabelHit || isCellHit;
    const bool multiSelect = (selOpts & toMultiSelect) != 0;
    const bool nodeSelected = isAnyHit && (hitNode->States & vsSelected);
    const bool rowDragOption = (FOptions->FMiscOptions & toFullRowDrag) != 0;
    const bool fullRowDrag = multiSelect && !(selOpts & toDisableDrawSelection)
                                 ? rowDragOption && isCellHit && !(hp & hiNowhere) && (nodeSelected || (hp & (hiOnItemLabel | hiOnNormalIcon)))
                                 : rowDragOption;
    // The column a drag is asked for.
    TColumnIndex dragColumn = FFocusedColumn;
    if ((hp & hiOnItemLabel) || (selOpts & toFullRowSelect) || (FOptions->FMiscOptions & toGridExtensions))
        dragColumn = (selOpts & toExtendedFocus) ? HitInfo.HitColumn : FHeader->MainColumn();
    bool autoDrag = (DragMode() == dmAutomatic || Dragging()) && (!isCellHit || fullRowDrag);
    if (hitNode && !autoDrag && DragMode() == dmManual)
        autoDrag = DoDragAllowed(hitNode, dragColumn) && (fullRowDrag || isLabelHit);

    if (Message.Msg == WM_LBUTTONDOWN && (hp & hiOnItem) && (hp & (hiUpperSplitter | hiLowerSplitter)) && hitNode) {
        PDataNode above = (hp & hiUpperSplitter) ? GetPreviousVisible(hitNode, true) : hitNode;
        if (CanSplitterResizeNode(p, above, HitInfo.HitColumn)) {
            FHeightTrackNode = above;
            FHeightTrackColumn = HitInfo.HitColumn;
            const TRect r = GetDisplayRect(above, HitInfo.HitColumn, false);
            FHeightTrackPoint = TPoint(r.Left, r.Top);
            DoStateChange(tsNodeHeightTrackPending);
            return;
        }
    }
    if ((hp & hiOnItemButton) && hitNode && (hitNode->States & vsHasChildren)) {
        ToggleNode(hitNode);
        return;
    }
    if (hp & hiOnItemCheckbox) {
        if (HasTreeState(tsKeyCheckPending | tsMouseCheckPending) || (hitNode->States & vsDisabled))
            return;
        TCheckState newState = DetermineNextCheckState(hitNode->CheckType, hitNode->CheckState);
        if ((Message.WParam & MK_LBUTTON || Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && DoChecking(hitNode, newState)) {
            DoStateChange(tsMouseCheckPending);
            FCheckNode = hitNode;
            FPendingCheckState = newState;
            hitNode->CheckState = GetPressed(hitNode->CheckState);
            InvalidateNode(hitNode);
        }
        return;
    }
    if ((shiftEmpty && FRoot->ChildCount > 0) || FSelectionCount == 0) {
        PDataNode levelNode = hitNode ? hitNode : GetLastVisible(nullptr, true, false);
        FLastSelectionLevel = levelNode ? Integer(GetNodeLevel(levelNode)) : -1;
    }
    // Rubber band from empty space.
    if (!(selOpts & toDisableDrawSelection) && multiSelect && !isLabelHit && !fullRowDrag) {
        SetMouseCapture(true);
        DoStateChange(tsDrawSelPending);
        FDrawSelShiftState = shift;
        FNewSelRect = TRect(p.X + FEffectiveOffsetX, p.Y - FOffsetY, p.X + FEffectiveOffsetX, p.Y - FOffsetY);
        FLastSelRect = TRect();
    }
    // A press that may start a drag on a selected node leaves the other
    // nodes selected until the release.
    if (multiSelect && shiftEmpty && isAnyHit && autoDrag && nodeSelected && !FSelectionLocked)
        DoStateChange(tsClearPending);
    const bool selectOnRight = !autoDrag && (!HasTreeState(tsRightButtonDown) || !CanShowPopupMenu(hitNode, HitInfo.HitColumn, p));
    if (!FSelectionLocked &&
        ((multiSelect && !isAnyHit && !fullRowDrag && shiftEmpty) || (isAnyHit && (!nodeSelected || selectOnRight) && (shiftEmpty || !multiSelect)))) {
        TREE_ASSERT(!HasTreeState(tsClearPending), "Pending and direct clearance are mutual exclusive!");
        if (nodeSelected || (altPressed && hitNode && HitInfo.HitColumn == FHeader->MainColumn() && !(hp & hiNowhere))) {
            const bool several = FSelectionCount > 1;
            InternalClearSelection();
            InternalAddToSelection(hitNode, true);
            if (several) {
                Invalidate();
                Change(nullptr);
            }
        } else if (!((hp & hiNowhere) && (selOpts & toAlwaysSelectNode))) {
            ClearSelection(false);
        }
    }
    if (!((selOpts & toDisableDrawSelection) || isLabelHit || fullRowDrag || (!multiSelect && !(hp & hiNowhere)) || isCellHit))
        return;
    FLastClickPos = p;
    // With extended focus a click in another cell moves the focused column there.
    TColumnIndex newColumn = FFocusedColumn;
    if (FHeader->UseColumns() && (selOpts & toExtendedFocus) && HitInfo.HitColumn >= 0 && FHeader->AllowFocus(HitInfo.HitColumn))
        newColumn = HitInfo.HitColumn;
    if (isAnyHit && DoFocusChanging(FFocusedNode, hitNode, FFocusedColumn, newColumn)) {
        PDataNode previous = FFocusedNode;
        if (newColumn != FFocusedColumn) {
            FFocusedColumn = newColumn;
            Invalidate();
            if (!newNode)
                DoFocusChange(FFocusedNode, FFocusedColumn);
        }
        if (newNode)
            InternalSetFocusedNode(hitNode, false);
        if (multiSelect && !shiftEmpty)
            HandleClickSelection(previous, hitNode, shift, false);
        else {
            if (shiftEmpty)
                FRangeAnchor = hitNode;
            if (!(hitNode->States & vsSelected))
                AddToSelection(hitNode);
        }
        if (newNode) {
            ScrollIntoView(FFocusedNode, (selOpts & toCenterScrollIntoView) != 0,
                           !((FOptions->FAutoOptions & toDisableAutoscrollOnFocus) || (selOpts & toFullRowSelect)));
            DoFocusChange(FFocusedNode, FFocusedColumn);
        }
    }
    if (FSelectionCount == 0)
        Change(nullptr);
    if (mayEdit && shiftEmpty && !altPressed && hitNode == FFocusedNode && !(hp & (hiOnItemButton | hiOnItemCheckbox)))
        DoStateChange(tsEditPending);
    if (autoDrag && isAnyHit && HasTreeState(tsLeftButtonDown | tsMiddleButtonDown | tsRightButtonDown))
        BeginDrag(false, -1);
}

void TBaseNodeTree::HandleMouseUp(TMessage& Message, const THitInfo& HitInfo)
{
    SetMouseCapture(false);
    if (HasTreeState(tsVCLDragPending))
        return;
    if (IsMouseSelecting()) {
        DoStateChange(0, tsDrawSelPending | tsDrawSelecting | tsToggleFocusedSelection);
        Invalidate();
    }
    if (HasTreeState(tsClearPending)) {
        const bool wasSelected = FFocusedNode && (FFocusedNode->States & vsSelected);
        ClearSelection();
        if (wasSelected)
            AddToSelection(FFocusedNode);
    }
    if (HasTreeState(tsToggleFocusedSelection) && HitInfo.HitNode == FFocusedNode && FFocusedNode) {
        if (FFocusedNode->States & vsSelected) {
            if (!((FOptions->FSelectionOptions & toAlwaysSelectNode) && FSelectionCount == 1))
                RemoveFromSelection(FFocusedNode);
        } else {
            AddToSelection(FFocusedNode);
        }
        InvalidateNode(FFocusedNode);
    }
    DoStateChange(0, tsToggleFocusedSelection | tsClearPending | tsDrawSelPending | tsOLEDragging | tsOLEDragPending | tsScrolling | tsScrollPending);
    KillTreeTimer(ScrollTimer);
    if (HasTreeState(tsMouseCheckPending)) {
        DoStateChange(0, tsMouseCheckPending);
        if (PDataNode node = FCheckNode) {
            FCheckNode = nullptr;
            if (HitInfo.HitNode == node && (HitInfo.HitPositions & hiOnItem)) {
                // Shown pressed until now; the pending state replaces it.
                node->CheckState = GetUnpressed(node->CheckState);
                ApplyCheckState(node, FPendingCheckState);
            } else {
                node->CheckState = GetUnpressed(node->CheckState);
            }
            InvalidateNode(node);
        }
    }
    if (HitInfo.HitNode)
        DoNodeClick(HitInfo);
    if (FHeader->UseColumns() && HitInfo.HitColumn >= 0 && HitInfo.HitColumn == FHeader->Columns()->ClickIndex())
        DoColumnClick(HitInfo.HitColumn, KeysToShiftState(Message.WParam));
    // An armed click edit starts after the edit delay when the release hits
    // the focused cell.
    if (HasTreeState(tsEditPending)) {
        const bool inFocusedCell = !FHeader->UseColumns() || HitInfo.HitColumn == FFocusedColumn;
        if ((FOptions->FMiscOptions & toEditOnClick) && FFocusedNode && HitInfo.HitNode == FFocusedNode && (HitInfo.HitPositions & hiOnItem) &&
            inFocusedCell && CanEdit(FFocusedNode, FFocusedColumn)) {
            FEditColumn = FFocusedColumn;
            SetTreeTimer(EditTimer, FEditDelay);
        } else {
            DoStateChange(0, tsEditPending);
        }
    }
}

void TBaseNodeTree::HandleMouseDblClick(TMessage& Message, const THitInfo& HitInfo)
{
    if (HasTreeState(tsEditPending)) {
        KillTreeTimer(EditTimer);
        DoStateChange(0, tsEditPending);
    }
    if (HitInfo.HitNode)
        DoNodeDblClick(HitInfo);
    const THitPositions hp = HitInfo.HitPositions;
    if (FHeader->UseColumns() && HitInfo.HitColumn >= 0)
        DoColumnDblClick(HitInfo.HitColumn, KeysToShiftState(Message.WParam));
    // A double click on a fixed column's node edge gives the node back its
    // default height.
    if ((hp & hiOnItem) && (hp & (hiUpperSplitter | hiLowerSplitter)) && HitInfo.HitColumn >= 0 && HitInfo.HitNode &&
        HitInfo.HitColumn < FHeader->Columns()->Count() && (FHeader->Columns()->Items(HitInfo.HitColumn)->Options() & coFixed) &&
        (FOptions->FMiscOptions & toNodeHeightDblClickResize)) {
        PDataNode above = (hp & hiUpperSplitter) ? GetPreviousVisible(HitInfo.HitNode, true) : HitInfo.HitNode;
        if (above && above != FRoot &&
            DoNodeHeightDblClickResize(above, HitInfo.HitColumn, KeysToShiftState(Message.WParam), PointFromLParam(Message.LParam))) {
            SetNodeHeight(above, FDefaultNodeHeight);
            Update();
            return;
        }
    }
    if (!HasTreeState(tsEditing) && (FOptions->FMiscOptions & toEditOnDblClick) && HitInfo.HitNode && HitInfo.HitNode == FFocusedNode &&
        !(hp & hiOnItemCheckbox) && (!FHeader->UseColumns() || HitInfo.HitColumn == FFocusedColumn) && CanEdit(FFocusedNode, FFocusedColumn)) {
        FEditColumn = FFocusedColumn;
        DoStateChange(tsEditPending);
        SetTreeTimer(EditTimer, 0);
        return;
    }
    if (hp & hiOnItemCheckbox) {
        THitInfo hit = HitInfo;
        HandleMouseDown(Message, hit);
        return;
    }
    if ((hp & hiOnItemButton) && HitInfo.HitNode) {
        ToggleNode(HitInfo.HitNode);
        return;
    }
    if ((FOptions->FMiscOptions & toToggleOnDblClick) && HitInfo.HitNode &&
        ((hp & (hiOnItemButton | hiOnItemLabel | hiOnNormalIcon | hiOnStateIcon)) || (FOptions->FSelectionOptions & toFullRowSelect)))
        ToggleNode(HitInfo.HitNode);
}

void TBaseNodeTree::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    FLastMousePos = TPoint(X, Y);
    if (HasTreeState(tsNodeHeightTrackPending)) {
        if (Application)
            Application->CancelHint();
        EndWheelPanning();
        for (UINT_PTR id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer})
            KillTreeTimer(id);
        ClearIncrementalSearch();
        DoStateChange(tsNodeHeightTracking, tsEditPending | tsNodeHeightTrackPending | tsIncrementalSearching | tsOLEDragPending | tsScrolling |
                                                tsScrollPending | tsVCLDragPending);
    }
    if (HasTreeState(tsNodeHeightTracking) && FHeightTrackNode) {
        if (DoNodeHeightTracking(FHeightTrackNode, FHeightTrackColumn, Shift, FHeightTrackPoint, TPoint(X, Y))) {
            SetNodeHeight(FHeightTrackNode, Cardinal(std::max(Y, FHeightTrackPoint.Y + 1) - FHeightTrackPoint.Y));
            Update();
            UpdateCursor();
            return;
        }
    }
    // A pending drag starts once the pointer has moved far enough.
    if (HasTreeState(tsOLEDragPending) && !HasTreeState(tsDrawSelPending | tsDrawSelecting) &&
        (std::abs(X - FLastClickPos.X) >= FDragThreshold || std::abs(Y - FLastClickPos.Y) >= FDragThreshold)) {
        StartOleDrag(FLastClickPos);
        return;
    }
    if (HasTreeState(tsDrawSelPending | tsDrawSelecting)) {
        if (CalculateSelectionRect(X, Y)) {
            if (HasTreeState(tsDrawSelPending)) {
                const Integer threshold = GetSystemMetrics(SM_CXDRAG);
                if (std::abs(FNewSelRect.Right - FNewSelRect.Left) > threshold || std::abs(FNewSelRect.Bottom - FNewSelRect.Top) > threshold) {
                    if (HasTreeState(tsClearPending)) {
                        DoStateChange(0, tsClearPending);
                        ClearSelection();
                    }
                    DoStateChange(tsDrawSelecting, tsDrawSelPending);
                    FLastSelRect = TRect(FNewSelRect.Left, FNewSelRect.Top, FNewSelRect.Left, FNewSelRect.Top);
                    HandleDrawSelection();
                }
            } else {
                HandleDrawSelection();
            }
            Invalidate();
        }
        if (AutoScrollAllowed())
            UpdateAutoScroll(X, Y);
        return;
    }
    if (HasTreeState(tsWheelPanning) && HasTreeState(tsWheelScrolling)) {
        const Integer threshold = GetSystemMetrics(SM_CXDRAG);
        if (std::abs(X - FLastClickPos.X) >= threshold || std::abs(Y - FLastClickPos.Y) >= threshold)
            DoStateChange(0, tsWheelScrolling);
    }
    if (AutoScrollAllowed())
        UpdateAutoScroll(X, Y);
    if (HasTreeState(tsWheelPanning | tsWheelScrolling))
        UpdatePanningCursor(X, Y);
    HandleHotTrack(X, Y);
    TCustomControl::MouseMove(Shift, X, Y);
    UpdateCursor();
}

void TBaseNodeTree::DoCanSplitterResizeNode(TPoint P, PDataNode Node, TColumnIndex Column, bool& Allowed)
{
    if (OnCanSplitterResizeNode)
        OnCanSplitterResizeNode(this, P, Node, Column, Allowed);
}

bool TBaseNodeTree::DoNodeHeightTracking(PDataNode Node, TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint, TPoint P)
{
    bool allowed = true;
    if (OnNodeHeightTracking)
        OnNodeHeightTracking(this, Node, Column, Shift, TrackPoint, P, allowed);
    return allowed;
}

bool TBaseNodeTree::DoNodeHeightDblClickResize(PDataNode Node, TColumnIndex Column, TShiftState Shift, TPoint P)
{
    bool allowed = true;
    if (OnNodeHeightDblClickResize)
        OnNodeHeightDblClickResize(this, Node, Column, Shift, P, allowed);
    return allowed;
}

bool TBaseNodeTree::CanSplitterResizeNode(TPoint P, PDataNode Node, TColumnIndex Column)
{
    bool allowed = (FOptions->FMiscOptions & toNodeHeightResize) && Node && Node != FRoot && Column >= 0 &&
                   Column < FHeader->Columns()->Count() && (FHeader->Columns()->Items(Column)->Options() & coFixed);
    DoCanSplitterResizeNode(P, Node, Column, allowed);
    return allowed;
}

void TBaseNodeTree::DoGetCursor(TCursor& Cursor)
{
    if (OnGetCursor)
        OnGetCursor(this, Cursor);
}

void TBaseNodeTree::UpdateCursor()
{
    TMessage m;
    m.Msg = WM_SETCURSOR;
    WndProc(m);
}

void TBaseNodeTree::ShowNodeHelp()
{
    Integer context = 0;
    const TColumnIndex column = FFocusedColumn == NoColumn ? 0 : FFocusedColumn;
    for (PDataNode node = FFocusedNode; node && node != FRoot && context == 0; node = node->Parent)
        OnGetHelpContext(this, node, column, context);
    for (TControl* control = this; control && context == 0; control = control->Parent())
        context = control->HelpContext();
    if (context != 0 && Application)
        Application->HelpContext(context);
}

void TBaseNodeTree::HandleHotTrack(Integer X, Integer Y)
{
    PDataNode old = FCurrentHotNode;
    THitInfo hit;
    GetHitTestInfoAt(X, Y, true, hit);
    PDataNode candidate = nullptr;
    if ((hit.HitPositions & (hiOnItemLabel | hiOnItemCheckbox)) ||
        ((FOptions->FSelectionOptions & toFullRowSelect) && !(hit.HitPositions & hiNowhere)))
        candidate = hit.HitNode;
    const bool repaint = (FOptions->FPaintOptions & toHotTrack) || (FOptions->FMiscOptions & toCheckSupport);
    if (candidate != FCurrentHotNode || hit.HitColumn != FCurrentHotColumn) {
        DoHotChange(FCurrentHotNode, candidate);
        if (repaint && FCurrentHotNode)
            InvalidateNode(FCurrentHotNode);
        FCurrentHotNode = candidate;
        FCurrentHotColumn = hit.HitColumn;
    }
    const bool buttonHit = (hit.HitPositions & hiOnItemButtonExact) != 0;
    if (FCurrentHotNode) {
        if (buttonHit != FHotNodeButtonHit || repaint) {
            FHotNodeButtonHit = buttonHit;
            InvalidateNode(FCurrentHotNode);
        }
    } else {
        FHotNodeButtonHit = false;
    }
    if (old && old != FCurrentHotNode)
        InvalidateNode(old);
}
