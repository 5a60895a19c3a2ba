// Selection and focus: the address-sorted selection array kept in step with
// each node's vsSelected flag, single, range, whole-tree and rubber-band
// selection in batches with one change report, and the focused node.

#include <algorithm>

#include "platform/Form.h"
#include "platform/ImageList.h"
#include "platform/ScrollFrame.h"
#include "platform/Accessibility.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

namespace {
constexpr std::uintptr_t Mark = 1;
bool Marked(PDataNode p)
{
    return (reinterpret_cast<std::uintptr_t>(p) & Mark) != 0;
}
PDataNode WithMark(PDataNode p)
{
    return reinterpret_cast<PDataNode>(reinterpret_cast<std::uintptr_t>(p) | Mark);
}
// Removes marked entries in place; -1 for an empty array.
Integer CompactNodeArray(TNodeArray& Items, Integer Count)
{
    if (Count == 0)
        return -1;
    Integer kept = 0;
    for (Integer i = 0; i < Count; ++i)
        if (!Marked(Items[std::size_t(i)]))
            Items[std::size_t(kept++)] = Items[std::size_t(i)];
    return kept;
}
bool AddrLess(PDataNode a, PDataNode b)
{
    return reinterpret_cast<std::uintptr_t>(a) < reinterpret_cast<std::uintptr_t>(b);
}
} // namespace

// ---------------------------------------------------------------- the array

bool TBaseNodeTree::FindSelectionIndex(PDataNode P, Integer& Index, Integer LowBound, Integer HighBound) const
{
    Integer low = LowBound < 0 ? 0 : LowBound;
    Integer high = HighBound < 0 ? FSelectionCount - 1 : HighBound;
    bool found = false;
    while (low <= high) {
        const Integer mid = (low + high) / 2;
        const PDataNode e = FSelection[std::size_t(mid)];
        if (AddrLess(e, P))
            low = mid + 1;
        else {
            high = mid - 1;
            if (e == P) {
                low = mid;
                found = true;
                break;
            }
        }
    }
    Index = low;
    return found;
}

void TBaseNodeTree::CompactSelection()
{
    const Integer n = CompactNodeArray(FSelection, FSelectionCount);
    if (n >= 0) {
        FSelectionCount = n;
        FSelection.resize(std::size_t(n));
    }
}

bool TBaseNodeTree::InternalAddToSelection(PDataNode Node, bool ForceInsert)
{
    TREE_ASSERT(Node != nullptr, "Node must not be nil!");
    FSingletonNodeArray[0] = Node;
    return InternalAddToSelection(FSingletonNodeArray, 1, ForceInsert);
}

bool TBaseNodeTree::InternalAddToSelection(TNodeArray& NewItems, Integer NewLength, bool ForceInsert)
{
    const Integer lastCount = FSelectionCount;
    const TNtSelectionOptions opts = FOptions->FSelectionOptions;
    if (ForceInsert) {
        for (Integer i = 0; i < NewLength; ++i) {
            NewItems[std::size_t(i)]->States |= vsSelected;
            ++FSelectionCount;
            if (OnAddToSelection)
                OnAddToSelection(this, NewItems[std::size_t(i)]);
        }
    } else {
        if (NewLength > 0) {
            if ((opts & toLevelSelectConstraint) && FLastSelectionLevel == -1)
                FLastSelectionLevel = Integer(GetNodeLevel(NewItems[0]));
            if ((opts & toSiblingSelectConstraint) && FRangeAnchor == nullptr)
                FRangeAnchor = NewItems[0];
        }
        for (Integer i = 0; i < NewLength; ++i) {
            PDataNode n = NewItems[std::size_t(i)];
            const bool refused = (n->States & (vsDisabled | vsSelected)) ||
                                 ((opts & toLevelSelectConstraint) && Integer(GetNodeLevel(n)) != FLastSelectionLevel) ||
                                 ((opts & toSiblingSelectConstraint) && FRangeAnchor && n->Parent != FRangeAnchor->Parent);
            if (refused) {
                NewItems[std::size_t(i)] = WithMark(n);
                continue;
            }
            n->States |= vsSelected;
            ++FSelectionCount;
            if (OnAddToSelection)
                OnAddToSelection(this, n);
        }
    }
    const Integer compacted = CompactNodeArray(NewItems, NewLength);
    if (compacted != -1)
        NewLength = compacted;
    if (NewLength <= 0)
        return false;
    if (NewLength > 1)
        std::sort(NewItems.begin(), NewItems.begin() + NewLength, AddrLess);
    // Merge from the end: both runs are sorted by address.
    std::vector<PDataNode> merged;
    merged.reserve(std::size_t(lastCount + NewLength));
    std::merge(FSelection.begin(), FSelection.begin() + lastCount, NewItems.begin(), NewItems.begin() + NewLength, std::back_inserter(merged), AddrLess);
    FSelection = std::move(merged);
    TREE_ASSERT(lastCount + NewLength == FSelectionCount, "The selection count does not match the selected nodes.");
    return true;
}

void TBaseNodeTree::AddToSelection(PDataNode Node)
{
    if (FSelectionLocked)
        return;
    TREE_ASSERT(Node != nullptr, "Node must not be nil!");
    FSingletonNodeArray[0] = Node;
    if (InternalAddToSelection(FSingletonNodeArray, 1, false)) {
        if (FSelectionCount == 1)
            FFocusedNode = Node;
        InvalidateNode(Node);
        Change(Node);
    }
}

void TBaseNodeTree::AddToSelection(TNodeArray& NewItems, Integer NewLength, bool ForceInsert)
{
    PDataNode first = NewLength > 0 ? NewItems[0] : nullptr;
    if (InternalAddToSelection(NewItems, NewLength, ForceInsert)) {
        if (NewLength == 1) {
            InvalidateNode(first);
            Change(first);
        } else {
            Invalidate();
            Change(nullptr);
        }
    }
}

void TBaseNodeTree::RemoveFromSelection(PDataNode Node)
{
    if (FSelectionLocked)
        return;
    TREE_ASSERT(Node != nullptr, "Node must not be nil!");
    if (!IsMainThread())
        throw EAssertionFailed(ClassName() + QStringLiteral(".RemoveFromSelection() must only be called from UI thread."), "NodeTrees", __LINE__);
    if (!(Node->States & vsSelected))
        return;
    Node->States &= ~vsSelected;
    Integer index;
    if (FindSelectionIndex(Node, index) && index < FSelectionCount)
        FSelection.erase(FSelection.begin() + index);
    FSelectionCount = std::max(FSelectionCount - 1, 0);
    FSelection.resize(std::size_t(FSelectionCount));
    if (FSelectionCount == 0)
        ResetRangeAnchor();
    if (FSelectionCount <= 1)
        UpdateNextNodeToSelect(Node);
    if (OnRemoveFromSelection)
        OnRemoveFromSelection(this, Node);
    Change(Node);
}

void TBaseNodeTree::InternalRemoveFromSelection(PDataNode Node)
{
    Integer index;
    if (!FindSelectionIndex(Node, index))
        return;
    Node->States &= ~vsSelected;
    FSelection[std::size_t(index)] = WithMark(Node);
    if (OnRemoveFromSelection)
        OnRemoveFromSelection(this, Node);
    AdviseChangeEvent(false, Node, crIgnore);
}

void TBaseNodeTree::InternalClearSelection()
{
    if (FUpdateCount > 0)
        CompactSelection();
    for (Integer i = FSelectionCount - 1; i >= 0; --i) {
        --FSelectionCount;
        PDataNode n = FSelection[std::size_t(i)];
        if (Marked(n))
            continue;
        n->States &= ~vsSelected;
        if (OnRemoveFromSelection)
            OnRemoveFromSelection(this, n);
    }
    FSelectionCount = 0;
    ResetRangeAnchor();
    FSelection.clear();
    DoStateChange(0, tsClearPending);
}

void TBaseNodeTree::ClearSelection(bool ReportChange)
{
    if (FSelectionLocked || FSelectionCount <= 0 || FDestroying)
        return;
    if (FUpdateCount == 0 && HandleAllocated() && FVisibleCount > 0) {
        Integer top = 0;
        PDataNode node = GetNodeAt(0, 0, true, top);
        Integer met = 0;
        while (node && top < ClientHeight() && met < FSelectionCount) {
            const Integer h = Integer(GetNodeHeight(node));
            if (node->States & vsSelected) {
                InvalidateRectangle(TRect(0, top, ClientWidth(), top + h));
                ++met;
            }
            top += h;
            node = GetNextVisibleNoInit(node, true);
        }
    }
    InternalClearSelection();
    if (ReportChange)
        Change(nullptr);
}

void TBaseNodeTree::InternalCacheNode(PDataNode Node)
{
    if (FTempNodeCache.size() == FTempNodeCount)
        FTempNodeCache.resize(FTempNodeCache.size() < 100 ? 100 : FTempNodeCache.size() + FTempNodeCache.size() / 10);
    FTempNodeCache[FTempNodeCount++] = Node;
}

void TBaseNodeTree::ClearTempCache()
{
    FTempNodeCache.clear();
    FTempNodeCount = 0;
}

void TBaseNodeTree::ResetRangeAnchor()
{
    FRangeAnchor = FFocusedNode;
    FLastSelectionLevel = -1;
}

void TBaseNodeTree::UpdateNextNodeToSelect(PDataNode Node)
{
    if (!(FOptions->FSelectionOptions & toAlwaysSelectNode))
        return;
    if (Node->NextSibling)
        FNextNodeToSelect = Node->NextSibling;
    else if (Node->PrevSibling)
        FNextNodeToSelect = Node->PrevSibling;
    else if (Node->Parent != FRoot)
        FNextNodeToSelect = Node->Parent;
    else
        FNextNodeToSelect = Node->FirstChild;
}

// ---------------------------------------------------------------- whole-tree operations

void TBaseNodeTree::SelectAll(bool VisibleOnly)
{
    if (FSelectionLocked || !(FOptions->FSelectionOptions & toMultiSelect))
        return;
    ClearTempCache();
    PDataNode run = VisibleOnly ? GetFirstVisible(nullptr, true, false) : GetFirst();
    while (run) {
        if (!(run->States & vsSelected))
            InternalCacheNode(run);
        run = VisibleOnly ? GetNextVisible(run, true) : GetNext(run);
    }
    AddToSelection(FTempNodeCache, Integer(FTempNodeCount), false);
    ClearTempCache();
    Invalidate();
}

void TBaseNodeTree::InvertSelection(bool VisibleOnly)
{
    if (FSelectionLocked || !(FOptions->FSelectionOptions & toMultiSelect))
        return;
    ClearTempCache();
    PDataNode run = FRoot->FirstChild;
    while (run) {
        if (run->States & vsSelected)
            InternalRemoveFromSelection(run);
        else
            InternalCacheNode(run);
        run = VisibleOnly ? GetNextVisibleNoInit(run, false) : GetNextNoInit(run, false);
    }
    bool changed = FSelectionCount > 0;
    CompactSelection();
    if (FTempNodeCount > 0) {
        AddToSelection(FTempNodeCache, Integer(FTempNodeCount), false);
        ClearTempCache();
        changed = false;
    }
    Invalidate();
    if (changed)
        Change(nullptr);
    if (FSelectionCount == 0)
        FNextNodeToSelect = nullptr;
}

void TBaseNodeTree::SetSelected(PDataNode Node, bool Value)
{
    if (FSelectionLocked || Node == nullptr || Node == FRoot || bool(Node->States & vsSelected) == Value)
        return;
    const bool multi = (FOptions->FSelectionOptions & toMultiSelect) != 0;
    if (Value) {
        if (FSelectionCount == 0)
            FRangeAnchor = Node;
        else if (!multi)
            ClearSelection();
        AddToSelection(Node);
        if (!multi)
            SetFocusedNode(Node);
        if (FRangeAnchor == nullptr)
            FRangeAnchor = Node;
    } else {
        RemoveFromSelection(Node);
        if (FSelectionCount == 0)
            ResetRangeAnchor();
    }
    if (FullyVisible(Node) && !IsEffectivelyFiltered(Node))
        InvalidateNode(Node);
}

void TBaseNodeTree::SetDisabled(PDataNode Node, bool Value)
{
    if (Node == nullptr || bool(Node->States & vsDisabled) == Value)
        return;
    if (Value)
        Node->States |= vsDisabled;
    else
        Node->States &= ~vsDisabled;
    if (FUpdateCount == 0)
        InvalidateNode(Node);
}

PDataNode TBaseNodeTree::GetFirstSelected(bool ConsiderChildrenAbove)
{
    return GetNextSelected(nullptr, ConsiderChildrenAbove);
}

PDataNode TBaseNodeTree::GetNextSelected(PDataNode Node, bool ConsiderChildrenAbove)
{
    if (FSelectionCount <= 0)
        return nullptr;
    PDataNode run = (Node == nullptr || Node == FRoot) ? GetFirstNoInit(ConsiderChildrenAbove) : GetNextNoInit(Node, ConsiderChildrenAbove);
    while (run && !(run->States & vsSelected))
        run = GetNextNoInit(run, ConsiderChildrenAbove);
    if (run && !(run->States & vsInitialized))
        InitNode(run);
    return run;
}

PDataNode TBaseNodeTree::GetPreviousSelected(PDataNode Node, bool ConsiderChildrenAbove)
{
    if (FSelectionCount <= 0)
        return nullptr;
    PDataNode run = (Node == nullptr || Node == FRoot) ? FRoot->LastChild : GetPreviousNoInit(Node, ConsiderChildrenAbove);
    while (run && !(run->States & vsSelected))
        run = GetPreviousNoInit(run, ConsiderChildrenAbove);
    if (run && !(run->States & vsInitialized))
        InitNode(run);
    return run;
}

TNodeArray TBaseNodeTree::GetSortedSelection(bool Resolve)
{
    TNodeArray result;
    result.reserve(std::size_t(std::max(FSelectionCount, 0)));
    PDataNode run = FRoot->FirstChild;
    while (run) {
        if (run->States & vsSelected) {
            result.push_back(run);
            if (Resolve) {
                PDataNode next = nullptr;
                for (PDataNode up = run; up != FRoot; up = up->Parent)
                    if (up->NextSibling) {
                        next = up->NextSibling;
                        break;
                    }
                run = next;
                continue;
            }
        }
        run = GetNextNoInit(run, false);
    }
    return result;
}

void TBaseNodeTree::DeleteSelectedNodes()
{
    if (FSelectionCount <= 0 || ReadOnly())
        return;
    BeginUpdate();
    struct End {
        TBaseNodeTree* T;
        ~End() { T->EndUpdate(); }
    } end{this};
    TNodeArray nodes = GetSortedSelection(true);
    for (Integer i = Integer(nodes.size()) - 1; i >= 1; --i)
        InternalDeleteNode(nodes[std::size_t(i)], nodes[std::size_t(i)]->Parent != nodes[std::size_t(i - 1)]->Parent, false);
    if (!nodes.empty())
        InternalDeleteNode(nodes[0], true, false);
}

void TBaseNodeTree::EnsureNodeFocused()
{
    if (FFocusedNode == nullptr) {
        PDataNode n = GetFirstSelected();
        if (n == nullptr)
            n = GetFirstVisible(nullptr, true, false);
        if (n)
            SetFocusedNode(n);
    }
}

void TBaseNodeTree::EnsureNodeSelected()
{
    if (!(FOptions->FSelectionOptions & toAlwaysSelectNode) || IsEmpty() || FDestroying)
        return;
    if (FSelectionCount == 0 && !FSelectionLocked) {
        if (FNextNodeToSelect)
            SetSelected(FNextNodeToSelect, true);
        else if (HandleAllocated() && Focused())
            SetSelected(GetFirstVisible(nullptr, true, false), true);
    }
    EnsureNodeFocused();
    ScrollIntoView(GetFirstSelected(false), false, false);
}

// ---------------------------------------------------------------- ranges

void TBaseNodeTree::SelectNodeRange(PDataNode StartNode, PDataNode EndNode, bool AddOnly)
{
    TREE_ASSERT(EndNode != nullptr, "EndNode must not be nil!");
    if (FSelectionLocked)
        return;
    ClearTempCache();
    if (StartNode == nullptr || !FullyVisible(StartNode)) {
        PDataNode prev = StartNode ? GetPreviousVisible(StartNode, true) : nullptr;
        StartNode = prev ? prev : GetFirstVisibleNoInit(nullptr, true, false);
    }
    if (StartNode == nullptr)
        return;
    PDataNode first = StartNode, last = EndNode;
    if (CompareNodeOrder(StartNode, EndNode, true) > 0)
        std::swap(first, last);
    PDataNode anchor = FRangeAnchor;
    if (!AddOnly)
        InternalClearSelection();
    for (PDataNode run = first; run; run = GetNextVisible(run, true)) {
        InternalCacheNode(run);
        if (run == last)
            break;
    }
    AddToSelection(FTempNodeCache, Integer(FTempNodeCount), false);
    ClearTempCache();
    Integer index;
    if (anchor && FindSelectionIndex(anchor, index))
        FRangeAnchor = anchor;
}

void TBaseNodeTree::ToggleRangeSelection(PDataNode StartNode, PDataNode EndNode)
{
    if (FSelectionLocked)
        return;
    TREE_ASSERT(EndNode != nullptr, "EndNode must not be nil!");
    if (StartNode == nullptr)
        StartNode = FRoot->FirstChild;
    else if (!FullyVisible(StartNode))
        StartNode = GetPreviousVisible(StartNode, true);
    if (StartNode == nullptr)
        return;
    const Integer order = CompareNodeOrder(StartNode, EndNode, false);
    if (order == 0)
        return;
    ClearTempCache();
    PDataNode first = order < 0 ? StartNode : EndNode;
    PDataNode last = order < 0 ? EndNode : StartNode;
    auto toggle = [this](PDataNode n) {
        if (n->States & vsSelected)
            InternalRemoveFromSelection(n);
        else
            InternalCacheNode(n);
    };
    if (FRangeAnchor == nullptr || CompareNodeOrder(first, FRangeAnchor, false) < 0)
        toggle(first);
    for (PDataNode run = GetNextVisible(first, true); run && run != last; run = GetNextVisible(run, true))
        toggle(run);
    if (FRangeAnchor == nullptr || CompareNodeOrder(last, FRangeAnchor, false) > 0)
        toggle(last);
    CompactSelection();
    if (FRangeAnchor && !(FRangeAnchor->States & vsSelected))
        InternalCacheNode(FRangeAnchor);
    AddToSelection(FTempNodeCache, Integer(FTempNodeCount), false);
    ClearTempCache();
}

void TBaseNodeTree::UnselectNodeRange(PDataNode StartNode, PDataNode EndNode)
{
    if (FSelectionLocked)
        return;
    TREE_ASSERT(EndNode != nullptr, "EndNode must not be nil!");
    if (StartNode == nullptr || !FullyVisible(StartNode)) {
        PDataNode prev = StartNode ? GetPreviousVisible(StartNode, true) : nullptr;
        StartNode = prev ? prev : FRoot->FirstChild;
    }
    PDataNode first = StartNode, last = EndNode;
    if (CompareNodeOrder(StartNode, EndNode, true) > 0)
        std::swap(first, last);
    for (PDataNode run = first; run; run = GetNextVisible(run, true)) {
        InternalRemoveFromSelection(run);
        if (run == last)
            break;
    }
    CompactSelection();
}

void TBaseNodeTree::HandleClickSelection(PDataNode LastFocused, PDataNode NewNode, TShiftState Shift, bool DragPending)
{
    if (Shift.Contains(ssCtrl)) {
        if (Shift.Contains(ssShift)) {
            SelectNodeRange(FRangeAnchor, NewNode, true);
        } else {
            if (!(FOptions->FSelectionOptions & toSiblingSelectConstraint))
                FRangeAnchor = NewNode;
            if (DragPending)
                DoStateChange(tsToggleFocusedSelection);
            else if (NewNode->States & vsSelected)
                RemoveFromSelection(NewNode);
            else
                AddToSelection(NewNode);
        }
        Invalidate();
    } else if (Shift.Contains(ssShift)) {
        if (FRangeAnchor == nullptr)
            FRangeAnchor = FRoot->FirstChild;
        else {
            SelectNodeRange(FRangeAnchor, NewNode, false);
            Invalidate();
        }
    } else {
        if (!(NewNode->States & vsSelected)) {
            AddToSelection(NewNode);
            InvalidateNode(NewNode);
        }
        FRangeAnchor = NewNode;
    }
}

// ---------------------------------------------------------------- rubber band

bool TBaseNodeTree::CalculateSelectionRect(Integer X, Integer Y)
{
    if (HasTreeState(tsDrawSelecting))
        FLastSelRect = FNewSelRect;
    const Integer maxX = std::max<Integer>(ClientWidth(), Integer(FRangeX));
    const Integer maxY = std::max<Integer>(ClientHeight(), Integer(FRangeY));
    FNewSelRect.Right = std::clamp<Integer>(X + FEffectiveOffsetX, 0, maxX);
    FNewSelRect.Bottom = std::clamp<Integer>(Y - FOffsetY, 0, maxY);
    return !(FNewSelRect == FLastSelRect);
}

bool TBaseNodeTree::HandleDrawSelection()
{
    CatchUpCounts();
    if (FRoot->TotalCount <= 1 || !HasTreeState(tsDrawSelecting))
        return false;
    auto ordered = [](TRect r) {
        return TRect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right), std::max(r.Top, r.Bottom));
    };
    const TRect oldRect = ordered(FLastSelRect);
    const TRect newRect = ordered(FNewSelRect);
    ClearTempCache();
    const bool changed = CollectSelectedNodesLTR(0, ClientWidth(), FAlignment, oldRect, newRect);
    if (changed) {
        CompactSelection();
        if (FTempNodeCount > 0)
            AddToSelection(FTempNodeCache, Integer(FTempNodeCount), false);
        ClearTempCache();
        Change(nullptr);
    }
    return changed;
}

bool TBaseNodeTree::CollectSelectedNodesLTR(Integer NodeLeft, Integer NodeRight, TAlignment Alignment, const TRect& OldRect, const TRect& NewRect)
{
    bool result = false;
    const Integer maxBottom = std::max(OldRect.Bottom, NewRect.Bottom);
    const bool toggle = FDrawSelShiftState.Contains(ssCtrl);
    const bool withCheck = ShowCheckImages();
    const Integer checkOffset = CheckImageWidth() + 2;
    const Integer stateOffset = FStateImages ? FStateImages->Width() + 2 : 0;
    const bool simple = (FOptions->FSelectionOptions & (toSimpleDrawSelection | toFullRowSelect)) != 0;
    Integer nodeTop = 0;
    PDataNode node = GetNodeAt(0, std::min(OldRect.Top, NewRect.Top), false, nodeTop);
    if (node == nullptr)
        return false;
    NodeLeft += FMargin + Integer(GetNodeLevel(node) + ((FOptions->FPaintOptions & toShowRoot) ? 1 : 0)) * Integer(FIndent);
    while (node) {
        Integer textLeft = NodeLeft;
        if (withCheck && node->CheckType != ctNone)
            textLeft += checkOffset;
        if (FImages && HasImage(node, ikNormal, NoColumn))
            textLeft += FImages->Width() + 2;
        if (FStateImages && HasImage(node, ikState, NoColumn))
            textLeft += stateOffset;
        const Integer nextTop = nodeTop + Integer(GetNodeHeight(node));
        bool inOld, inNew;
        if (simple) {
            auto hit = [&](const TRect& r) { return r.Top < nextTop && nodeTop < r.Bottom && NodeLeft < r.Right; };
            inOld = hit(OldRect);
            inNew = hit(NewRect);
        } else {
            Integer currentRight = NodeRight;
            if (!(textLeft >= OldRect.Left && textLeft >= NewRect.Left && Alignment == taLeftJustify)) {
                const Integer width = GetNodeWidth(node, NoColumn, nullptr);
                if (width < currentRight - textLeft) {
                    switch (Alignment) {
                    case taLeftJustify: currentRight = textLeft + width; break;
                    case taCenter:
                        textLeft = (textLeft + currentRight - width) / 2;
                        currentRight = textLeft + width;
                        break;
                    case taRightJustify: textLeft = currentRight - width; break;
                    }
                }
            }
            auto hit = [&](const TRect& r) { return currentRight >= r.Left && textLeft <= r.Right && nextTop > r.Top && nodeTop < r.Bottom; };
            inOld = hit(OldRect);
            inNew = hit(NewRect);
        }
        if (inOld != inNew) {
            result = true;
            if (toggle) {
                if (node->States & vsSelected)
                    InternalRemoveFromSelection(node);
                else
                    InternalCacheNode(node);
            } else if (inNew) {
                InternalCacheNode(node);
            } else {
                InternalRemoveFromSelection(node);
            }
        }
        nodeTop = nextTop;
        PDataNode next = GetNextVisibleNoInit(node, true);
        if (next == nullptr)
            break;
        NodeLeft += CountLevelDifference(node, next) * Integer(FIndent);
        node = next;
        if (nodeTop > maxBottom)
            break;
    }
    return result;
}

// ---------------------------------------------------------------- focus

bool TBaseNodeTree::DoFocusChanging(PDataNode OldNode, PDataNode NewNode, TColumnIndex OldColumn, TColumnIndex NewColumn)
{
    bool allowed = NewColumn == OldColumn || FHeader->AllowFocus(NewColumn);
    if (OnFocusChanging)
        OnFocusChanging(this, OldNode, NewNode, OldColumn, NewColumn, allowed);
    return allowed;
}

void TBaseNodeTree::DoFocusChange(PDataNode Node, TColumnIndex Column)
{
    if (OnFocusChanged)
        OnFocusChanged(this, Node, Column);
    NotifyAccessible({EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_STATECHANGE,
                      EVENT_OBJECT_SELECTION, EVENT_OBJECT_FOCUS});
}

void TBaseNodeTree::InternalSetFocusedNode(PDataNode Node, bool Ask)
{
    if (HasTreeState(tsEditing) && !EndEditNode())
        return;
    if (Node == FRoot)
        Node = nullptr;
    bool changing = Node != FFocusedNode;
    if (changing && Ask)
        changing = DoFocusChanging(FFocusedNode, Node, FFocusedColumn, FFocusedColumn);
    const TNtAutoOptions autoOpts = FOptions->FAutoOptions;
    if (changing) {
        PDataNode old = FFocusedNode;
        if (old && (autoOpts & toAutoExpand) && Node && Node->Parent == old->Parent && (old->States & vsExpanded))
            ToggleNode(old);
        else if (old)
            InvalidateNode(old);
        FFocusedNode = Node;
    }
    if (FFocusedNode) {
        if ((autoOpts & toAutoExpand) && !(FFocusedNode->States & vsExpanded))
            ToggleNode(FFocusedNode);
        InvalidateNode(FFocusedNode);
        if (FUpdateCount == 0 && !(autoOpts & toDisableAutoscrollOnFocus))
            ScrollIntoView(FFocusedNode,
                           (FOptions->FSelectionOptions & toCenterScrollIntoView) && !HasTreeState(tsLeftButtonDown | tsMiddleButtonDown | tsRightButtonDown),
                           !(FOptions->FSelectionOptions & toFullRowSelect));
    }
    if (FSelectionCount == 0)
        ResetRangeAnchor();
}

void TBaseNodeTree::SetFocusedNode(PDataNode Value)
{
    PDataNode old = FFocusedNode;
    InternalSetFocusedNode(Value, true);
    if (Value != old && FFocusedNode == Value)
        DoFocusChange(FFocusedNode, FFocusedColumn);
}

void TBaseNodeTree::SetFocusedColumn(TColumnIndex Value)
{
    if (Value == FFocusedColumn || !DoFocusChanging(FFocusedNode, FFocusedNode, FFocusedColumn, Value))
        return;
    CancelEditNode();
    FFocusedColumn = Value;
    if (FFocusedNode && !(FOptions->FAutoOptions & toDisableAutoscrollOnFocus) &&
        ScrollIntoView(FFocusedNode, (FOptions->FSelectionOptions & toCenterScrollIntoView) != 0, true))
        InvalidateNode(FFocusedNode);
    DoFocusChange(FFocusedNode, FFocusedColumn);
}

bool TBaseNodeTree::CanFocus() const
{
    if (!TCustomControl::CanFocus())
        return false;
    if (HasState(csDesigning))
        return true;
    if (TCustomForm* form = GetParentForm())
        return form->Enabled() && form->Visible();
    return true;
}
