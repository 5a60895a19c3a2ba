// The node store: node blocks with their user and internal data, the hidden
// root, adding, inserting, linking, deleting, moving and copying nodes,
// initialisation through the owner's events, and the subtree counts and
// heights kept along the ancestor path.

#include <cstdlib>
#include <cstring>

#include "platform/Form.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

namespace {

// The nodes a move or copy takes, in the order they are attached: Source
// itself, or its children. Each child lands right at the target, so for the
// modes where a later one would push ahead of an earlier one they go from
// the last, and the children keep their order.
std::vector<PDataNode> NodesToMove(PDataNode Source, bool ChildrenOnly, TNtNodeAttachMode Mode)
{
    if (!ChildrenOnly)
        return {Source};
    std::vector<PDataNode> children;
    for (PDataNode c = Source->FirstChild; c; c = c->NextSibling)
        children.push_back(c);
    if (Mode == amAddChildFirst || Mode == amInsertAfter)
        std::reverse(children.begin(), children.end());
    return children;
}
Cardinal RoundUp4(Cardinal v)
{
    return (v + 3) & ~3u;
}

} // namespace

// ---------------------------------------------------------------- memory

PDataNode TBaseNodeTree::MakeNewNode()
{
    Integer dataSize = FNodeDataSize;
    if (dataSize < 0 || HasState(csDesigning)) {
        if (FNodeDataSize == -1 && !HasState(csDesigning)) {
            Integer size = 4;
            DoGetNodeDataSize(size);
            FNodeDataSize = std::max<Integer>(size, 0);
            ForgetHeldAppend();
        }
        dataSize = HasState(csDesigning) ? 0 : std::max<Integer>(FNodeDataSize, 0);
    }
    return NewNodeRecord(FNodePool, NodeRecordSize + Cardinal(dataSize) + FTotalInternalDataSize, FNodeStart);
}

void TBaseNodeTree::FreeNodeMemory(PDataNode Node)
{
    // No count may wait on a node that goes.
    CatchUpCounts();
    ForgetHeldAppend();
    FNodePool.Free(Node);
}

void TBaseNodeTree::InitRootNode(Cardinal OldSize)
{
    const Cardinal size = NodeRecordSize + FTotalInternalDataSize;
    if (FRoot == nullptr) {
        FRoot = static_cast<PDataNode>(std::calloc(1, size));
        if (FRoot == nullptr)
            throw std::bad_alloc();
    } else {
        auto* grown = static_cast<PDataNode>(std::realloc(FRoot, size));
        if (grown == nullptr)
            throw std::bad_alloc();
        FRoot = grown;
        if (size > OldSize)
            std::memset(reinterpret_cast<Byte*>(FRoot) + OldSize, 0, size - OldSize);
    }
    FRootSize = size;
    FRoot->States = vsInitialized | vsExpanded | vsHasChildren | vsVisible;
    FRoot->TotalCount = 1;
    FRoot->NodeHeight = Word(FDefaultNodeHeight);
    FRoot->TotalHeight = FDefaultNodeHeight;
    FRoot->Align = 50;
    FRoot->PrevSibling = FRoot;
    FRoot->NextSibling = FRoot;
    FRoot->Parent = reinterpret_cast<PDataNode>(this);
}

Cardinal TBaseNodeTree::AllocateInternalDataArea(Cardinal Size)
{
    TREE_ASSERT(FRoot == nullptr || FRoot->ChildCount == 0, "Internal data allocation must be done before any node is created.");
    const Cardinal result = NodeRecordSize + FTotalInternalDataSize;
    const Cardinal old = FRootSize;
    FTotalInternalDataSize += RoundUp4(Size);
    ForgetHeldAppend();
    InitRootNode(old);
    return result;
}

// ---------------------------------------------------------------- node data

void TBaseNodeTree::SetNodeDataSize(Integer Value)
{
    if (Value < -1)
        Value = -1;
    if (Value == FNodeDataSize)
        return;
    FNodeDataSize = Value;
    ForgetHeldAppend();
    if (!HasState(csLoading) && !HasState(csDesigning)) {
        const Cardinal count = FRoot->ChildCount;
        Clear();
        SetRootNodeCount(count);
    }
}

void TBaseNodeTree::DoGetNodeDataSize(Integer& Size)
{
    Size = 4;
    if (OnGetNodeDataSize)
        OnGetNodeDataSize(this, Size);
}

void* TBaseNodeTree::GetNodeData(PDataNode Node)
{
    if (FNodeDataSize <= 0 || Node == nullptr || Node == FRoot)
        return nullptr;
    Node->States |= vsOnFreeNodeCallRequired;
    return reinterpret_cast<Byte*>(Node) + NodeRecordSize;
}

void TBaseNodeTree::SetNodeData(PDataNode Node, void* Value)
{
    if (FNodeDataSize < Integer(sizeof(void*)))
        throw EAssertionFailed(ClassName() + QStringLiteral(": Cannot set initial user data because there is not enough user data space allocated."), "NodeTrees", __LINE__);
    if (Node == nullptr || Node == FRoot)
        return;
    std::memcpy(reinterpret_cast<Byte*>(Node) + NodeRecordSize, &Value, sizeof(void*));
    Node->States |= vsOnFreeNodeCallRequired;
}

// ---------------------------------------------------------------- counts and heights

void TBaseNodeTree::FlushPendingCounts() const
{
    const Cardinal count = FPendingCount;
    PDataNode node = FPendingCountNode;
    FPendingCountNode = nullptr;
    FPendingCount = 0;
    FHeldAppendArg = NoHeldAppend();  // the short road's parent is the pending one
    if (node == FRoot)
        return;
    for (PDataNode run = node->Parent;; run = run->Parent) {
        run->TotalCount += count;
        if (run == FRoot)
            break;
    }
}

void TBaseNodeTree::PropagateTotalCount(PDataNode Node, Integer Value, bool Relative)
{
    CatchUpCounts();
    const Integer delta = Relative ? Value : Value - Integer(Node->TotalCount);
    if (delta == 0)
        return;
    for (PDataNode run = Node;; run = run->Parent) {
        run->TotalCount = Cardinal(Integer(run->TotalCount) + delta);
        if (run == FRoot)
            break;
    }
}

void TBaseNodeTree::PropagateTotalHeight(PDataNode Node, Integer Value, bool Relative)
{
    const Integer delta = Relative ? Value : Value - Integer(Node->TotalHeight);
    if (delta != 0) {
        PDataNode run = Node;
        for (;;) {
            run->TotalHeight = Cardinal(Integer(run->TotalHeight) + delta);
            if (!(run->States & vsVisible) || run == FRoot || run->Parent == nullptr || !(run->Parent->States & vsExpanded))
                break;
            run = run->Parent;
        }
    }
    UpdateVerticalRange();
}

// ---------------------------------------------------------------- structure

// AddChild's full road, kept out of its short one: the node made with all
// the bookkeeping, then the parent noted for the short road.
PDataNode TBaseNodeTree::AddChildFullRoad(PDataNode Parent, void* UserData)
{
    PDataNode result = AddChildFully(Parent, UserData);
    NoteHeldAppend(Parent);
    return result;
}

PDataNode TBaseNodeTree::FinishHeldAppend(PDataNode Node, PDataNode Child)
{
    LinkAsLastChild(Node, Child);
    CountLinkedChild(Node, Child);
    return Child;
}

PDataNode TBaseNodeTree::AddChildFully(PDataNode Parent, void* UserData)
{
    if (FOptions->FMiscOptions & toReadOnly)
        return nullptr;
    if (HasTreeState(tsEditing | tsEditPending))
        CancelEditNode();
    if (Parent == nullptr)
        Parent = FRoot;
    if (!(Parent->States & vsInitialized))
        InitNode(Parent);
    // Inside an update the cache is stopped and outdated from the first node on.
    const bool cacheSettled = (TreeStates() & (tsStopValidation | tsUseCache | tsValidationNeeded)) == (tsStopValidation | tsValidationNeeded) &&
                              !FQueuedForValidation.load(std::memory_order_acquire);
    if (!cacheSettled)
        StopCacheValidation();
    PDataNode result = AppendChild(Parent);
    if (UserData != nullptr)
        SetNodeData(result, UserData);
    InvalidatePositionCache();
    // Collected for the update's end; a change to the same parent already
    // collected as accumulated changes nothing.
    PDataNode changed = Parent == FRoot ? nullptr : Parent;
    if (StructureChangeUnheard())
        ForgetStructureChange();
    else if (!HasTreeState(tsStructureChangePending) || FLastStructureChangeNode != changed ||
             FLastStructureChangeReason != crAccumulated || (FRunningTimers & (1u << StructureChangeTimer)))
        AdviseChangeEvent(true, changed, crChildAdded);
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        if (HasTreeState(tsStructureChangePending))
            DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
        if (AutoSortWanted())
            Sort(Parent, FHeader->SortColumn(), FHeader->SortDirection(), true);
        InvalidateToBottom(Parent == FRoot ? nullptr : Parent);
        // A node under a collapsed or hidden parent shows no new row: no
        // range moves, so the scroll bars stay as the last measure left them.
        if (((Parent->States & vsExpanded) && FullyVisible(Parent)) || !WidestExtentCurrent())
            UpdateScrollBars(true);
    }
    return result;
}

// One new node after the last child of Node: AppendChildren for a single
// node, the road every AddChild takes, so kept to the work one node needs.
[[gnu::always_inline]] inline PDataNode TBaseNodeTree::AppendChild(PDataNode Node)
{
    if (FOptions->FMiscOptions & toVariableNodeHeight) {
        AppendChildren(Node, 1);
        return Node->LastChild;
    }
    // The node's size is known once the first node is made (and a designed tree has no user data).
    PDataNode child = FNodeDataSize >= 0 && !HasState(csDesigning)
                          ? NewNodeRecord(FNodePool, NodeRecordSize + Cardinal(FNodeDataSize) + FTotalInternalDataSize, FNodeStart)
                          : MakeNewNode();
    LinkAsLastChild(Node, child);
    CountLinkedChild(Node, child);
    return child;
}

// Links Count new nodes after the last child of Node and carries the new
// rows into the visible count, the subtree counts and heights.
void TBaseNodeTree::AppendChildren(PDataNode Node, Cardinal Count)
{
    Integer newHeight = Integer(Node->TotalHeight);
    Cardinal index = Node->LastChild ? Node->LastChild->Index + 1 : 0;
    if (Node->LastChild == nullptr)
        Node->States |= vsHasChildren;
    Node->States &= ~(vsAllChildrenHidden | vsHeightMeasured);
    if ((Node->States & vsExpanded) && FullyVisible(Node))
        FVisibleCount += Count;
    const bool variable = (FOptions->FMiscOptions & toVariableNodeHeight) != 0;
    for (Cardinal i = 0; i < Count; ++i) {
        PDataNode child = MakeNewNode();
        child->Index = index++;
        child->PrevSibling = Node->LastChild;
        if (Node->LastChild)
            Node->LastChild->NextSibling = child;
        child->Parent = Node;
        Node->LastChild = child;
        if (Node->FirstChild == nullptr)
            Node->FirstChild = child;
        ++Node->ChildCount;
        if (variable)
            MeasureItemHeight(Canvas(), child);
        newHeight += Integer(child->TotalHeight);
    }
    if (Node->States & vsExpanded)
        PropagateTotalHeight(Node, newHeight, false);
    PropagateTotalCount(Node, Integer(Count), true);
}

PDataNode TBaseNodeTree::InsertNode(PDataNode Node, TNtNodeAttachMode Mode, void* UserData)
{
    if (Mode == amNoWhere || ReadOnly())
        return nullptr;
    CancelEditNode();
    if (Node == nullptr)
        Node = FRoot;
    if (Node == FRoot) {
        if (Mode == amInsertBefore)
            Mode = amAddChildFirst;
        else if (Mode == amInsertAfter)
            Mode = amAddChildLast;
    }
    if ((Mode == amAddChildFirst || Mode == amAddChildLast) && !(Node->States & vsInitialized))
        InitNode(Node);
    StopCacheValidation();
    PDataNode result = MakeNewNode();
    InternalConnectNode(result, Node, this, Mode);
    if (UserData != nullptr)
        SetNodeData(result, UserData);
    InvalidatePositionCache();
    if (FUpdateCount == 0) {
        if (AutoSortWanted())
            Sort((Mode == amInsertBefore || Mode == amInsertAfter) ? Node->Parent : Node, FHeader->SortColumn(), FHeader->SortDirection(), true);
        RequestCacheValidation();
        UpdateScrollBars(true);
        InvalidateToBottom(Mode == amInsertBefore ? result : (Node == FRoot ? nullptr : Node));
    }
    StructureChange(result, crNodeAdded);
    return result;
}

void TBaseNodeTree::SetChildCount(PDataNode Node, Cardinal NewChildCount)
{
    if (ReadOnly())
        return;
    if (Node == nullptr)
        Node = FRoot;
    if (NewChildCount == 0) {
        DeleteChildren(Node, false);
        return;
    }
    const Cardinal old = Node->ChildCount;
    if (NewChildCount == old)
        return;
    StopCacheValidation();
    if (NewChildCount > old) {
        AppendChildren(Node, NewChildCount - old);
        if (FUpdateCount == 0 && AutoSortWanted())
            Sort(Node, FHeader->SortColumn(), FHeader->SortDirection(), true);
        InvalidatePositionCache();
    } else {
        ++FUpdateCount;
        try {
            for (Cardinal i = NewChildCount; i < old; ++i)
                DeleteNode(Node->LastChild);
        } catch (...) {
            LowerUpdateCount();
            throw;
        }
        LowerUpdateCount();
    }
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
    }
    StructureChange(Node == FRoot ? nullptr : Node, crChildAdded);
}

void TBaseNodeTree::SetRootNodeCount(Cardinal Value)
{
    if (HasState(csLoading)) {
        FRoot->ChildCount = Value;
        DoStateChange(tsNeedRootCountUpdate);
        return;
    }
    if (Value == FRoot->ChildCount)
        return;
    BeginUpdate();
    try {
        StopCacheValidation();
        SetChildCount(FRoot, Value);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TBaseNodeTree::SetHasChildren(PDataNode Node, bool Value)
{
    if (Node == nullptr || Node == FRoot || ReadOnly())
        return;
    if (Value)
        Node->States |= vsHasChildren;
    else {
        Node->States &= ~vsHasChildren;
        DeleteChildren(Node, false);
    }
}

bool TBaseNodeTree::ChildrenInitialized(PDataNode Node) const
{
    return !((Node->States & vsHasChildren) && Node->ChildCount == 0);
}

PDataNode TBaseNodeTree::NodeParent(PDataNode Node) const
{
    if (Node == nullptr || Node->Parent == FRoot || Node == FRoot)
        return nullptr;
    return Node->Parent;
}

void TBaseNodeTree::SetNodeParent(PDataNode Node, PDataNode Value)
{
    if (Node && Value && Node->Parent != Value)
        MoveTo(Node, Value, amAddChildLast, false);
}

Cardinal TBaseNodeTree::GetNodeLevel(PDataNode Node) const
{
    if (Node == nullptr || Node == FRoot)
        return 0;
    Cardinal level = 0;
    for (PDataNode run = Node->Parent; run != FRoot; run = run->Parent)
        ++level;
    return level;
}

bool TBaseNodeTree::HasAsParent(PDataNode Node, PDataNode PotentialParent) const
{
    if (Node == nullptr || PotentialParent == nullptr || Node == PotentialParent)
        return false;
    for (PDataNode run = Node->Parent;; run = run->Parent) {
        if (run == PotentialParent)
            return true;
        if (run == FRoot)
            return false;
    }
}

Cardinal TBaseNodeTree::TotalCount()
{
    ++FUpdateCount;
    try {
        ValidateNode(FRoot, true);
    } catch (...) {
        LowerUpdateCount();
        throw;
    }
    LowerUpdateCount();
    CatchUpCounts();
    return FRoot->TotalCount - 1;
}

// ---------------------------------------------------------------- linking

void TBaseNodeTree::InternalConnectNode(PDataNode Node, PDataNode Destination, TBaseNodeTree* Target, TNtNodeAttachMode Mode)
{
    PDataNode parent = nullptr;
    switch (Mode) {
    case amInsertBefore: {
        parent = Destination->Parent;
        Node->PrevSibling = Destination->PrevSibling;
        Node->NextSibling = Destination;
        Destination->PrevSibling = Node;
        if (Node->PrevSibling)
            Node->PrevSibling->NextSibling = Node;
        else
            parent->FirstChild = Node;
        Node->Parent = parent;
        Node->Index = Destination->Index;
        for (PDataNode run = Destination; run; run = run->NextSibling)
            ++run->Index;
        break;
    }
    case amInsertAfter: {
        parent = Destination->Parent;
        Node->PrevSibling = Destination;
        Node->NextSibling = Destination->NextSibling;
        Destination->NextSibling = Node;
        if (Node->NextSibling)
            Node->NextSibling->PrevSibling = Node;
        else
            parent->LastChild = Node;
        Node->Parent = parent;
        Cardinal index = Destination->Index + 1;
        for (PDataNode run = Node; run; run = run->NextSibling)
            run->Index = index++;
        break;
    }
    case amAddChildFirst: {
        parent = Destination;
        Node->PrevSibling = nullptr;
        Node->NextSibling = parent->FirstChild;
        if (parent->FirstChild)
            parent->FirstChild->PrevSibling = Node;
        else
            parent->LastChild = Node;
        parent->FirstChild = Node;
        Node->Parent = parent;
        Cardinal index = 0;
        for (PDataNode run = Node; run; run = run->NextSibling)
            run->Index = index++;
        break;
    }
    case amAddChildLast: {
        parent = Destination;
        Node->NextSibling = nullptr;
        Node->PrevSibling = parent->LastChild;
        Node->Index = parent->LastChild ? parent->LastChild->Index + 1 : 0;
        if (parent->LastChild)
            parent->LastChild->NextSibling = Node;
        else
            parent->FirstChild = Node;
        parent->LastChild = Node;
        Node->Parent = parent;
        break;
    }
    case amNoWhere:
        break;
    }
    Node->States &= ~(vsChecking | vsCutOrCopy | vsDeleting);
    if (Mode == amNoWhere || parent == nullptr)
        return;
    ++parent->ChildCount;
    parent->States |= vsHasChildren;
    Target->PropagateTotalCount(parent, Integer(Node->TotalCount), true);
    if ((parent->States & vsExpanded) && (Node->States & vsVisible)) {
        Target->PropagateTotalHeight(parent, Integer(Node->TotalHeight), true);
        if (Target->FullyVisible(parent) || parent == Target->FRoot) {
            Target->FVisibleCount += Target->CountVisibleDescendants(Node);
            if (Target->IsEffectivelyVisible(Node))
                ++Target->FVisibleCount;
        }
    }
    if (parent != Target->FRoot) {
        if (Target->IsEffectivelyVisible(Node))
            parent->States &= ~vsAllChildrenHidden;
        else if (parent->ChildCount == 1)
            parent->States |= vsAllChildrenHidden;
    }
}

// ---------------------------------------------------------------- deleting

void TBaseNodeTree::DeleteNode(PDataNode Node, bool Reindex)
{
    InternalDeleteNode(Node, Reindex, false);
}

void TBaseNodeTree::InternalDeleteNode(PDataNode Node, bool Reindex, bool ParentClearing)
{
    CatchUpCounts();
    const Integer oldX = FOffsetX, oldY = FOffsetY;
    if (!BeginNodeDeletion(Node, ParentClearing))
        return;
    PDataNode parent = Node->Parent;
    if (!ParentClearing)
        StopCacheValidation();
    DeleteChildren(Node, false);
    InternalDisconnectNode(Node, false, Reindex, ParentClearing);
    DoFreeNode(Node);
    if (!ParentClearing) {
        if (parent != FRoot)
            UpdateHiddenChildrenFlag(parent);
        InvalidatePositionCache();
        if (FUpdateCount == 0) {
            RequestCacheValidation();
            UpdateScrollBars(true);
            if (oldX != FOffsetX || oldY != FOffsetY)
                Invalidate();
        }
    }
}

// What deleting a node does before its children go: the structure change
// (unless its parent is being cleared), its selection, the repaint below it
// and the hint. False when the node is not to be deleted.
bool TBaseNodeTree::BeginNodeDeletion(PDataNode Node, bool ParentClearing)
{
    if (Node == nullptr || Node == FRoot || ReadOnly())
        return false;
    TREE_ASSERT(!HasTreeState(tsIterating), "Deleting nodes during tree iteration leads to invalid pointers.");
    PDataNode parent = Node->Parent;
    if (!ParentClearing)
        StructureChange(parent == FRoot ? nullptr : parent, crChildDeleted);
    if (Node->States & vsSelected) {
        if (FUpdateCount == 0) {
            const bool wasSynch = HasTreeState(tsSynchMode);
            DoStateChange(tsSynchMode);
            try {
                RemoveFromSelection(Node);
            } catch (...) {
                if (!wasSynch)
                    DoStateChange(0, tsSynchMode);
                throw;
            }
            if (!wasSynch)
                DoStateChange(0, tsSynchMode);
            InvalidateToBottom(parent == FRoot ? nullptr : parent);
        } else {
            InternalRemoveFromSelection(Node);
        }
    } else {
        InvalidateToBottom(parent == FRoot ? nullptr : parent);
    }
    if (HasTreeState(tsHint)) {
        if (Application)
            Application->CancelHint();
        DoStateChange(0, tsHint);
    }
    return true;
}

// Deletes Node's children and everything below them, last child first and
// each node's children before the node, as deleting them one by one would.
// The levels are kept on a stack of their own, not by recursion, so that a
// tree of any depth is cleared and destroyed.
void TBaseNodeTree::DeleteChildren(PDataNode Node, bool ResetHasChildren)
{
    if (Node == nullptr || Node->ChildCount == 0 || ReadOnly()) {
        if (Node && ResetHasChildren)
            Node->States &= ~vsHasChildren;
        return;
    }
    TREE_ASSERT(!HasTreeState(tsIterating), "Deleting nodes during tree iteration leads to invalid pointers.");
    CatchUpCounts();
    // One level whose children are going: its node, whether its children
    // were shown, and the scroll offsets when it began.
    struct Level {
        PDataNode Node;
        bool ResetHasChildren;
        bool ChildrenShown;
        Integer OldX, OldY;
    };
    std::vector<Level> levels;
    levels.push_back({Node, ResetHasChildren, false, FOffsetX, FOffsetY});
    ++FUpdateCount;
    try {
        StopCacheValidation();
        levels.back().ChildrenShown = Node == FRoot || (FullyVisible(Node) && (Node->States & vsExpanded));
        for (;;) {
            Level& level = levels.back();
            if (PDataNode run = level.Node->LastChild) {
                PDataNode prev = run->PrevSibling;
                if (level.ChildrenShown && IsEffectivelyVisible(run))
                    --FVisibleCount;
                run->States |= vsDeleting;
                if (prev)
                    prev->NextSibling = nullptr;
                level.Node->LastChild = prev;
                const bool shown = level.ChildrenShown;
                if (!BeginNodeDeletion(run, true))
                    continue;
                if (run->ChildCount == 0) {
                    InternalDisconnectNode(run, false, false, true);
                    DoFreeNode(run);
                    continue;
                }
                // The child's own children go first; its parent's being
                // shown carries down to them without a walk to the root.
                levels.push_back({run, false, shown && (run->States & vsVisible) && (run->States & vsExpanded), FOffsetX, FOffsetY});
                ++FUpdateCount;
                StopCacheValidation();
                continue;
            }
            const Level done = level;
            PDataNode n = done.Node;
            if (done.ResetHasChildren)
                n->States &= ~vsHasChildren;
            if (n != FRoot)
                n->States &= ~vsExpanded;
            n->ChildCount = 0;
            if (n == FRoot || (n->States & vsDeleting)) {
                CatchUpCounts();
                n->TotalHeight = (n == FRoot ? 0 : n->NodeHeight) + FDefaultNodeHeight;
                n->TotalCount = 1;
            } else {
                PropagateTotalHeight(n, n->NodeHeight, false);
                PropagateTotalCount(n, 1, false);
            }
            n->FirstChild = nullptr;
            n->LastChild = nullptr;
            LowerUpdateCount();
            levels.pop_back();
            FinishChildrenDeletion(n, done.OldX, done.OldY);
            if (levels.empty())
                return;
            // The rest of deleting the child whose children just went.
            InternalDisconnectNode(n, false, false, true);
            DoFreeNode(n);
        }
    } catch (...) {
        LowerUpdateCount(Cardinal(levels.size()));
        throw;
    }
}

// What deleting a node's children does once they are gone.
void TBaseNodeTree::FinishChildrenDeletion(PDataNode Node, Integer OldX, Integer OldY)
{
    if (Node == FRoot)
        UpdateVerticalRange();
    InvalidatePositionCache();
    if (FUpdateCount == 0) {
        CompactSelection();
        RequestCacheValidation();
        UpdateScrollBars(true);
        if (OldX != FOffsetX || OldY != FOffsetY)
            Invalidate();
        else
            InvalidateToBottom(Node == FRoot ? nullptr : Node);
        if (HasTreeState(tsChangePending)) {
            DoChange(FLastChangedNode);
            EnsureNodeSelected();
        }
    }
    StructureChange(Node == FRoot ? nullptr : Node, crChildDeleted);
}

void TBaseNodeTree::Clear()
{
    if (!((FRoot->ChildCount > 0 && !ReadOnly()) || FDestroying))
        return;
    if (FRoot->ChildCount == 0)
        return;
    BeginUpdate();
    try {
        StopCacheValidation();
        CancelEditNode();
        if (HasTreeState(tsCopyPending | tsCutPending)) {
            ReleaseClipboardData();
            DoStateChange(0, tsCopyPending | tsCutPending);
        }
        ClearSelection(false);
        FFocusedNode = nullptr;
        FCurrentHotNode = nullptr;
        FDropTargetNode = nullptr;
        FLastChangedNode = nullptr;
        FRangeAnchor = nullptr;
        FCheckNode = nullptr;
        FLastSearchNode = nullptr;
        FNextNodeToSelect = nullptr;
        DeleteChildren(FRoot, true);
        FOffsetX = 0;
        FOffsetY = 0;
        FEffectiveOffsetX = 0;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TBaseNodeTree::DoFreeNode(PDataNode Node)
{
    if (Node == FLastChangedNode)
        FLastChangedNode = nullptr;
    if (Node == FCurrentHotNode)
        FCurrentHotNode = nullptr;
    if (Node == FDropTargetNode)
        FDropTargetNode = nullptr;
    if (Node == FLastStructureChangeNode)
        FLastStructureChangeNode = nullptr;
    if (Node == FFocusedNode)
        FFocusedNode = nullptr;
    if (Node == FRangeAnchor)
        FRangeAnchor = nullptr;
    if (Node == FCheckNode)
        FCheckNode = nullptr;
    if (Node == FLastSearchNode)
        FLastSearchNode = nullptr;
    if (Node == FNextNodeToSelect)
        FNextNodeToSelect = Node->Parent == FRoot ? nullptr : Node->Parent;
    if (OnFreeNode && (Node->States & (vsInitialized | vsOnFreeNodeCallRequired)))
        OnFreeNode(this, Node);
    FreeNodeMemory(Node);
    if (FUpdateCount == 0 && !FDestroying)
        EnsureNodeSelected();
}

// ---------------------------------------------------------------- initialising

void TBaseNodeTree::DoInitNode(PDataNode Parent, PDataNode Node, TDataNodeInitStates& InitStates)
{
    if (OnInitNode)
        OnInitNode(this, Parent, Node, InitStates);
}

bool TBaseNodeTree::DoInitChildren(PDataNode Node, Cardinal& ChildCount)
{
    if (!OnInitChildren)
        return false;
    OnInitChildren(this, Node, ChildCount);
    return true;
}

void TBaseNodeTree::InitNode(PDataNode Node)
{
    const TDataNodeStates old = Node->States;
    Node->States = old | vsInitializing | vsInitialized;
    TDataNodeInitStates initStates = (old & vsInitialized) ? ivsReInit : 0;
    try {
        DoInitNode(Node->Parent == FRoot ? nullptr : Node->Parent, Node, initStates);
    } catch (...) {
        Node->States &= ~vsInitializing;
        throw;
    }
    // Most nodes come back with nothing asked for and no children to look at.
    if ((initStates & ~ivsReInit) == 0 && !(Node->States & (vsExpanded | vsHasChildren))) {
        Node->States &= ~vsInitializing;
        return;
    }
    ApplyInitStates(Node, initStates, (old & vsFiltered) != 0);
}

// What the owner asked for in OnInitNode, and the children of a node that has them.
void TBaseNodeTree::ApplyInitStates(PDataNode Node, TDataNodeInitStates InitStates, bool WasFiltered)
{
    struct Done {
        PDataNode N;
        ~Done() { N->States &= ~vsInitializing; }
    } done{Node};
    if (InitStates & ivsDisabled)
        Node->States |= vsDisabled;
    if (InitStates & ivsHasChildren)
        Node->States |= vsHasChildren;
    if (InitStates & ivsSelected) {
        FSingletonNodeArray[0] = Node;
        InternalAddToSelection(FSingletonNodeArray, 1, false);
    }
    if (InitStates & ivsMultiline)
        Node->States |= vsMultiline;
    if (InitStates & ivsFiltered) {
        Node->States |= vsFiltered;
        if (!(FOptions->FPaintOptions & toShowFilteredNodes) && !((InitStates & ivsReInit) && WasFiltered)) {
            PropagateTotalHeight(Node, -Integer(Node->NodeHeight), true);
            if (FullyVisible(Node) && FVisibleCount > 0)
                --FVisibleCount;
            if (FUpdateCount == 0)
                UpdateScrollBars(true);
        }
    }
    if (bool(Node->States & vsExpanded) != bool(InitStates & ivsExpanded)) {
        if (InitStates & ivsExpanded)
            ToggleNode(Node);
    } else if (Node->States & vsHasChildren) {
        InitChildren(Node);
    }
}

void TBaseNodeTree::InitChildren(PDataNode Node)
{
    if (Node == nullptr || Node == FRoot || !(Node->States & vsHasChildren))
        return;
    Cardinal count = Node->ChildCount;
    if (DoInitChildren(Node, count)) {
        SetChildCount(Node, count);
        if (count == 0)
            Node->States &= ~vsHasChildren;
    }
}

void TBaseNodeTree::ValidateNode(PDataNode Node, bool Recursive)
{
    if (Node == nullptr)
        Node = FRoot;
    if (!(Node->States & vsInitialized))
        InitNode(Node);
    if (Recursive) {
        if ((Node->States & vsHasChildren) && Node->ChildCount == 0)
            InitChildren(Node);
        for (PDataNode child = Node->FirstChild; child; child = child->NextSibling)
            ValidateNode(child, true);
    }
}

void TBaseNodeTree::ValidateChildren(PDataNode Node, bool Recursive)
{
    if (Node == nullptr)
        Node = FRoot;
    if ((Node->States & vsHasChildren) && Node->ChildCount == 0)
        InitChildren(Node);
    for (PDataNode child = Node->FirstChild; child; child = child->NextSibling)
        ValidateNode(child, Recursive);
}

void TBaseNodeTree::ReinitNode(PDataNode Node, bool Recursive)
{
    if (Node && Node != FRoot) {
        Node->States &= ~(vsChecking | vsCutOrCopy | vsDeleting | vsHeightMeasured);
        if (Node->States & vsInitialized)
            InitNode(Node);
    }
    if (Recursive)
        ReinitChildren(Node, true);
}

void TBaseNodeTree::ReinitChildren(PDataNode Node, bool Recursive)
{
    if (Node == nullptr)
        Node = FRoot;
    InitChildren(Node);
    for (PDataNode child = Node->FirstChild; child; child = child->NextSibling)
        ReinitNode(child, Recursive);
}

void TBaseNodeTree::DoReset(PDataNode Node)
{
    if (OnResetNode)
        OnResetNode(this, Node);
}

void TBaseNodeTree::ResetNode(PDataNode Node)
{
    CancelEditNode();
    if (Node == nullptr || Node == FRoot) {
        Clear();
        return;
    }
    DoReset(Node);
    DeleteChildren(Node, false);
    if (Node->States & vsExpanded)
        ToggleNode(Node);
    ForgetHeldAppend();
    Node->States &= ~(vsInitialized | vsChecking | vsCutOrCopy | vsDeleting | vsExpanded | vsHasChildren | vsHeightMeasured);
    InvalidateNode(Node);
}

void TBaseNodeTree::InitRecursive(PDataNode Node, Cardinal Levels, bool VisibleOnly)
{
    if (Node == nullptr)
        Node = FRoot;
    if (Node != FRoot && !(Node->States & vsInitialized))
        InitNode(Node);
    if (Levels == 0 || (VisibleOnly && !(Node->States & vsExpanded)))
        return;
    for (PDataNode child = Node->FirstChild; child; child = child->NextSibling)
        InitRecursive(child, Levels - 1, VisibleOnly);
}

// ---------------------------------------------------------------- moving and copying

bool TBaseNodeTree::DoNodeMoving(PDataNode Node, PDataNode Target)
{
    bool allowed = true;
    if (OnNodeMoving)
        OnNodeMoving(this, Node, Target, allowed);
    return allowed;
}

void TBaseNodeTree::DoNodeMoved(PDataNode Node)
{
    if (OnNodeMoved)
        OnNodeMoved(this, Node);
}

bool TBaseNodeTree::DoNodeCopying(PDataNode Node, PDataNode Target)
{
    bool allowed = true;
    if (OnNodeCopying)
        OnNodeCopying(this, Node, Target, allowed);
    return allowed;
}

void TBaseNodeTree::DoNodeCopied(PDataNode Node)
{
    if (OnNodeCopied)
        OnNodeCopied(this, Node);
}

void TBaseNodeTree::MoveTo(PDataNode Source, TBaseNodeTree* Tree, TNtNodeAttachMode Mode, bool ChildrenOnly)
{
    if (Tree)
        MoveTo(Source, Tree->FRoot, Mode, ChildrenOnly);
}

void TBaseNodeTree::MoveTo(PDataNode Source, PDataNode Target, TNtNodeAttachMode Mode, bool ChildrenOnly)
{
    TREE_ASSERT(Source == nullptr || TreeFromNode(Source) == this, "The source tree must contain the source node.");
    if (!((Target != Source || (ChildrenOnly && (Mode == amInsertBefore || Mode == amInsertAfter))) && Mode != amNoWhere &&
          Source != nullptr && Source != FRoot && !ReadOnly()))
        return;
    TBaseNodeTree* targetTree = this;
    if (Target == nullptr) {
        Target = FRoot;
        Mode = amAddChildFirst;
    } else {
        targetTree = TreeFromNode(Target);
    }
    if (Target == targetTree->FRoot) {
        if (Mode == amInsertBefore)
            Mode = amAddChildFirst;
        else if (Mode == amInsertAfter)
            Mode = amAddChildLast;
    }
    if (!(Target->States & vsInitialized))
        targetTree->InitNode(Target);
    else if ((Target->States & vsHasChildren) && Target->ChildCount == 0)
        targetTree->InitChildren(Target);
    const bool allowed = DoNodeMoving(Source, Target == targetTree->FRoot ? nullptr : Target);
    if (allowed) {
        StopCacheValidation();
        if (targetTree == this) {
            if (Target == Source || HasAsParent(Target, Source)) {
                if (!(ChildrenOnly && Target == Source))
                    RaiseTreeError(QStringLiteral("Target node cannot be a child node of the node to be moved."), 2001);
            }
            auto moveOne = [&](PDataNode n) {
                InternalDisconnectNode(n, true);
                InternalConnectNode(n, Target, this, Mode);
                DoNodeMoved(n);
            };
            for (PDataNode n : NodesToMove(Source, ChildrenOnly, Mode))
                moveOne(n);
        } else {
            targetTree->BeginUpdate();
            try {
                auto copyOne = [&](PDataNode n) {
                    DoNodeMoved(CopyNodeThroughStream(n, targetTree, Target, Mode));
                };
                for (PDataNode n : NodesToMove(Source, ChildrenOnly, Mode))
                    copyOne(n);
            } catch (...) {
                targetTree->EndUpdate();
                throw;
            }
            targetTree->EndUpdate();
            BeginUpdate();
            if (ChildrenOnly)
                DeleteChildren(Source, false);
            else
                InternalDeleteNode(Source, true, false);
            EndUpdate();
        }
    }
    InvalidatePositionCache();
    if (FUpdateCount == 0 && allowed) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
        if (targetTree != this)
            targetTree->Invalidate();
    }
    StructureChange(ChildrenOnly ? nullptr : Source, crNodeMoved);
}

PDataNode TBaseNodeTree::CopyTo(PDataNode Source, TBaseNodeTree* Tree, TNtNodeAttachMode Mode, bool ChildrenOnly)
{
    return Tree ? CopyTo(Source, Tree->FRoot, Mode, ChildrenOnly) : nullptr;
}

PDataNode TBaseNodeTree::CopyTo(PDataNode Source, PDataNode Target, TNtNodeAttachMode Mode, bool ChildrenOnly)
{
    TREE_ASSERT(Source == nullptr || TreeFromNode(Source) == this, "The source tree must contain the source node.");
    if (Mode == amNoWhere || Source == nullptr || Source == FRoot)
        return nullptr;
    TBaseNodeTree* targetTree = this;
    if (Target == nullptr) {
        Target = FRoot;
        Mode = amAddChildFirst;
    } else {
        targetTree = TreeFromNode(Target);
    }
    if (targetTree->ReadOnly())
        return nullptr;
    if (Target == targetTree->FRoot) {
        if (Mode == amInsertBefore)
            Mode = amAddChildFirst;
        else if (Mode == amInsertAfter)
            Mode = amAddChildLast;
    }
    PDataNode result = nullptr;
    std::vector<PDataNode> sources;
    if (ChildrenOnly)
        for (PDataNode c = Source->FirstChild; c; c = c->NextSibling)
            sources.push_back(c);
    else
        sources.push_back(Source);
    // Copies keep the children's order, as moves do.
    if (Mode == amAddChildFirst || Mode == amInsertAfter)
        std::reverse(sources.begin(), sources.end());
    targetTree->BeginUpdate();
    try {
        targetTree->StopCacheValidation();
        for (PDataNode s : sources) {
            PDataNode copy = CopyNodeThroughStream(s, targetTree, Target, Mode);
            if (!targetTree->DoNodeCopying(copy, Target == targetTree->FRoot ? nullptr : Target)) {
                targetTree->DeleteNode(copy);
                result = nullptr;
            } else {
                targetTree->DoNodeCopied(copy);
                result = copy;
            }
        }
    } catch (...) {
        targetTree->EndUpdate();
        throw;
    }
    targetTree->EndUpdate();
    targetTree->InvalidatePositionCache();
    if (targetTree->FUpdateCount == 0) {
        targetTree->RequestCacheValidation();
        targetTree->UpdateScrollBars(true);
        targetTree->Invalidate();
    }
    targetTree->StructureChange(ChildrenOnly ? nullptr : Source, crNodeCopied);
    return ChildrenOnly ? Target : result;
}
