// Expanding and collapsing (with the scrolling toggle animation), node
// visibility and filtering, the walks over the nodes the user sees, the
// hidden-children flag, the line image of a row, and unlinking a node.

#include "platform/Form.h"
#include "platform/ScrollFrame.h"
#include "platform/Accessibility.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

// ---------------------------------------------------------------- predicates

bool TBaseNodeTree::IsEffectivelyFiltered(PDataNode Node) const
{
    return Node && (Node->States & vsFiltered) && !(FOptions->FPaintOptions & toShowFilteredNodes);
}

bool TBaseNodeTree::IsEffectivelyVisible(PDataNode Node) const
{
    return (Node->States & vsVisible) && !IsEffectivelyFiltered(Node);
}

bool TBaseNodeTree::VisiblePath(PDataNode Node) const
{
    TREE_ASSERT(Node && Node != FRoot, "Invalid parameters.");
    for (PDataNode run = Node->Parent; run != FRoot; run = run->Parent)
        if ((run->States & (vsExpanded | vsVisible)) != (vsExpanded | vsVisible))
            return false;
    return true;
}

bool TBaseNodeTree::FullyVisible(PDataNode Node) const
{
    TREE_ASSERT(Node != nullptr, "Invalid parameter.");
    if (!(Node->States & vsVisible))
        return false;
    return Node == FRoot || VisiblePath(Node);
}

bool TBaseNodeTree::IsVisible(PDataNode Node)
{
    if (Node == nullptr)
        Node = FRoot;
    if (!(Node->States & vsInitialized))
        InitNode(Node);
    return (Node->States & vsVisible) != 0;
}

Cardinal TBaseNodeTree::CountVisibleDescendants(PDataNode Node) const
{
    if (!(Node->States & vsExpanded))
        return 0;
    // The visible children, and below those that are expanded, theirs; walked
    // without recursion, so that a tree of any depth is counted.
    const bool hideFiltered = !(FOptions->FPaintOptions & toShowFilteredNodes);
    Cardinal result = 0;
    PDataNode run = Node->FirstChild;
    while (run) {
        const TDataNodeStates states = run->States;
        if (states & vsVisible) {
            if (!(hideFiltered && (states & vsFiltered)))
                ++result;
            if ((states & vsExpanded) && run->FirstChild) {
                run = run->FirstChild;
                continue;
            }
        }
        while (run != Node && run->NextSibling == nullptr)
            run = run->Parent;
        run = run == Node ? nullptr : run->NextSibling;
    }
    return result;
}

void TBaseNodeTree::UpdateHiddenChildrenFlag(PDataNode Node)
{
    if (Node == nullptr || Node == FRoot)
        return;
    bool hidden;
    if (Node->ChildCount > 0) {
        hidden = true;
        for (PDataNode run = Node->FirstChild; run; run = run->NextSibling)
            if (IsEffectivelyVisible(run)) {
                hidden = false;
                break;
            }
    } else {
        hidden = !(Node->States & vsHasChildren);
    }
    if (hidden)
        Node->States |= vsAllChildrenHidden;
    else
        Node->States &= ~vsAllChildrenHidden;
}

bool TBaseNodeTree::HasVisibleNextSibling(PDataNode Node) const
{
    for (PDataNode run = Node->NextSibling; run; run = run->NextSibling)
        if (IsEffectivelyVisible(run))
            return true;
    return false;
}

bool TBaseNodeTree::HasVisiblePreviousSibling(PDataNode Node) const
{
    for (PDataNode run = Node->PrevSibling; run; run = run->PrevSibling)
        if (IsEffectivelyVisible(run))
            return true;
    return false;
}

bool TBaseNodeTree::IsFirstVisibleChild(PDataNode Parent, PDataNode Node) const
{
    for (PDataNode run = Parent->FirstChild; run; run = run->NextSibling)
        if (IsEffectivelyVisible(run))
            return run == Node;
    return false;
}

bool TBaseNodeTree::IsLastVisibleChild(PDataNode Parent, PDataNode Node) const
{
    for (PDataNode run = Parent->LastChild; run; run = run->PrevSibling)
        if (IsEffectivelyVisible(run))
            return run == Node;
    return false;
}

// ---------------------------------------------------------------- events

bool TBaseNodeTree::DoExpanding(PDataNode Node)
{
    bool allowed = true;
    if (OnExpanding)
        OnExpanding(this, Node, allowed);
    return allowed;
}

bool TBaseNodeTree::DoCollapsing(PDataNode Node)
{
    bool allowed = true;
    if (OnCollapsing)
        OnCollapsing(this, Node, allowed);
    return allowed;
}

void TBaseNodeTree::DoExpanded(PDataNode Node)
{
    if (OnExpanded)
        OnExpanded(this, Node);
    NotifyAccessible({EVENT_OBJECT_STATECHANGE});
}

void TBaseNodeTree::DoCollapsed(PDataNode Node)
{
    if (OnCollapsed)
        OnCollapsed(this, Node);
    NotifyAccessible({EVENT_OBJECT_STATECHANGE});
    if (FOptions->FSelectionOptions & toAlwaysSelectNode) {
        PDataNode sel = GetFirstSelected(false);
        if (sel && !FullyVisible(sel)) {
            SetSelected(sel, false);
            PDataNode parent = GetVisibleParent(sel, false);
            if (parent && parent != FRoot)
                SetSelected(parent, true);
        }
        if (FSelectionCount == 0)
            EnsureNodeSelected();
    }
}

void TBaseNodeTree::SetAnimationDuration(Cardinal Value)
{
    FAnimationDuration = Value;
    if (Value != 0)
        FOptions->FAnimationOptions |= toAnimatedToggle;
    else
        FOptions->FAnimationOptions &= ~toAnimatedToggle;
}

// ---------------------------------------------------------------- toggling

namespace {
// One toggle's moving area: its pixels travel up or down by Amount in all.
struct TToggleScroll {
    TBaseNodeTree* Tree;
    TRect Area;
    bool Up;
};
} // namespace

// What expanding Node adds: the total height of its visible children
// (measured first with variable heights) and the rows they show, counted in
// one pass over the children.
void TBaseNodeTree::MeasureChildrenToShow(PDataNode Node, Integer& HeightDelta, Cardinal& Rows)
{
    Integer height = 0;
    Cardinal rows = 0;
    // A filtered child is no row unless filtered nodes are shown.
    const TDataNodeStates notARow = (FOptions->FPaintOptions & toShowFilteredNodes) ? 0 : vsFiltered;
    // One loop for each kind of height, so that the test is not made per child.
    auto sum = [&](auto variable) {
        TCanvas* canvas = variable ? Canvas() : nullptr;
        for (PDataNode child = Node->FirstChild; child; child = child->NextSibling) {
            TDataNodeStates states = child->States;
            if (!(states & vsVisible))
                continue;
            if constexpr (decltype(variable)::value) {
                MeasureItemHeight(canvas, child);
                states = child->States;
            } else {
                states |= vsHeightMeasured;
                child->States = states;
            }
            height += Integer(child->TotalHeight);
            rows += (states & notARow) ? 0 : 1;
            if ((states & vsExpanded) && child->FirstChild)
                rows += CountVisibleDescendants(child);
        }
    };
    if (FOptions->FMiscOptions & toVariableNodeHeight)
        sum(std::true_type{});
    else
        sum(std::false_type{});
    HeightDelta = height;
    Rows = rows;
}

void TBaseNodeTree::ToggleNode(PDataNode Node)
{
    TREE_ASSERT(Node != nullptr, "Node must not be nil.");
    const bool wasToggling = HasTreeState(tsToggling);
    if (Node->States & (vsDeleting | vsToggling))
        return;
    DoStateChange(tsToggling);
    Node->States |= vsToggling;
    struct Leave {
        TBaseNodeTree* T;
        PDataNode N;
        bool Was;
        ~Leave()
        {
            N->States &= ~vsToggling;
            if (!Was)
                T->DoStateChange(0, tsToggling);
        }
    } leave{this, Node, wasToggling};
    StopCacheValidation();
    bool changed = false;
    bool fullRepaint = false;
    const Integer clientHeight = ClientHeight();
    const bool animate = FUpdateCount == 0 && (FOptions->FAnimationOptions & toAnimatedToggle) && HandleAllocated() && Showing() &&
                         !HasTreeState(tsCollapsing | tsExpanding) && FAnimationDuration > 0;
    // Moves the rows below the node's row by the change in height, in steps.
    auto runAnimation = [&](Integer amount, bool up) {
        const TRect row = GetDisplayRect(Node, NoColumn, false);
        TToggleScroll data{this, TRect(0, row.Bottom, ClientWidth(), clientHeight), up};
        if (data.Area.Top >= clientHeight || amount <= 0)
            return;
        amount = std::min(amount, clientHeight - data.Area.Top + 1);
        Animate(Cardinal(amount), FAnimationDuration, [&data](Integer, Integer stepSize, void*) {
            if (stepSize > 0) {
                ScrollClientRect(data.Tree, 0, data.Up ? -stepSize : stepSize, data.Area);
                data.Tree->Update();
            }
            return true;
        }, nullptr);
    };
    if (Node->States & vsExpanded) {
        if (DoCollapsing(Node)) {
            changed = true;
            const Integer heightDelta = Integer(NodeHeight(Node)) - Integer(Node->TotalHeight);
            if (animate && !(FOptions->FPaintOptions & toChildrenAbove)) {
                if (HasTreeState(tsHint) && Application)
                    Application->CancelHint();
                Update();
                runAnimation(-heightDelta, true);
            }
            PropagateTotalHeight(Node, IsEffectivelyFiltered(Node) ? 0 : Integer(NodeHeight(Node)), false);
            if (FullyVisible(Node))
                FVisibleCount -= CountVisibleDescendants(Node);
            Node->States &= ~vsExpanded;
            DoCollapsed(Node);
            if ((FOptions->FAutoOptions & toAutoFreeOnCollapse) && Node->ChildCount > 0) {
                DeleteChildren(Node, false);
                Node->States |= vsHasChildren;
            }
        }
    } else if (DoExpanding(Node)) {
        changed = true;
        if (!(Node->States & vsInitialized))
            InitNode(Node);
        if ((Node->States & vsHasChildren) && Node->ChildCount == 0)
            InitChildren(Node);
        if (Node->ChildCount > 0) {
            Integer heightDelta = 0;
            Cardinal rows = 0;
            MeasureChildrenToShow(Node, heightDelta, rows);
            if (animate && !(FOptions->FPaintOptions & toChildrenAbove))
                runAnimation(heightDelta, false);
            if (AutoSortWanted())
                Sort(Node, FHeader->SortColumn(), FHeader->SortDirection(), false);
            Node->States |= vsExpanded;
            PropagateTotalHeight(Node, heightDelta, true);
            if (FullyVisible(Node))
                FVisibleCount += rows;
            DoExpanded(Node);
        }
    }
    if (!changed)
        return;
    InvalidatePositionCache();
    if (FUpdateCount > 0) {
        // The widest row is measured once, when the update ends.
        UpdateVerticalRange();
        return;
    }
    RequestCacheValidation();
    if (Node->ChildCount == 0) {
        InvalidateNode(Node);
        return;
    }
    UpdateRanges();
    UpdateScrollBars(true);
    if (!HasTreeState(tsExpanding | tsPainting) && (Node->States & vsExpanded) && (FOptions->FAutoOptions & toAutoScrollOnExpand)) {
        const TRect row = GetDisplayRect(Node, NoColumn, false);
        const bool fits = Integer(Node->TotalHeight) <= clientHeight;
        if (fits)
            fullRepaint = ScrollIntoView(GetLastVisible(Node, true, false), false, false);
        else if (row.Top != 0) {
            SetTopNode(Node);
            fullRepaint = true;
        }
    }
    if (fullRepaint)
        Invalidate();
    else
        InvalidateToBottom(Node);
}

void TBaseNodeTree::SetExpanded(PDataNode Node, bool Value)
{
    if (Node && Node != FRoot && bool(Node->States & vsExpanded) != Value)
        ToggleNode(Node);
}

void TBaseNodeTree::FullExpand(PDataNode Node)
{
    CatchUpCounts();
    if (FRoot->TotalCount < 2)
        return;
    DoStateChange(tsExpanding);
    BeginOperation(okExpand);
    BeginUpdate();
    struct End {
        TBaseNodeTree* T;
        ~End()
        {
            T->EndOperation(okExpand);
            T->EndUpdate();
            T->DoStateChange(0, tsExpanding);
        }
    } end{this};
    PDataNode stop = nullptr;
    if (Node) {
        for (PDataNode run = Node; run != FRoot; run = run->Parent)
            if (run->NextSibling) {
                stop = run->NextSibling;
                break;
            }
    } else {
        Node = FRoot->FirstChild;
    }
    if (!(Node->States & vsInitialized))
        InitNode(Node);
    do {
        // A leaf has nothing to show: it is initialised by the walk, never toggled.
        TDataNodeStates states = Node->States;
        if (((states & vsHasChildren) || Node->ChildCount > 0) && !(states & vsExpanded)) {
            ToggleNode(Node);
            states = Node->States;
        }
        // The next node in document order, initialised as GetNext does; walked
        // here since it runs once for every node of the tree.
        if ((states & vsHasChildren) && Node->ChildCount == 0)
            InitChildren(Node);
        PDataNode next = Node->FirstChild;
        if (next == nullptr) {
            next = Node->NextSibling;
            for (PDataNode run = Node->Parent; next == nullptr && run != FRoot; run = run->Parent)
                next = run->NextSibling;
        }
        if (next && !(next->States & vsInitialized))
            InitNode(next);
        Node = next;
    } while (Node != stop && !FOperationCanceled); // inside its own operation: OperationCanceled
}

void TBaseNodeTree::FullCollapse(PDataNode Node)
{
    CatchUpCounts();
    if (FRoot->TotalCount < 2)
        return;
    if (Node == FRoot)
        Node = nullptr;
    DoStateChange(tsCollapsing);
    BeginUpdate();
    struct End {
        TBaseNodeTree* T;
        ~End()
        {
            T->EndUpdate();
            T->DoStateChange(0, tsCollapsing);
        }
    } end{this};
    PDataNode run = GetLastVisibleNoInit(Node, true, false);
    if (run == nullptr)
        return;
    while (run && run != Node) {
        if ((run->States & (vsExpanded | vsHasChildren)) == (vsExpanded | vsHasChildren))
            ToggleNode(run);
        run = GetPreviousNoInit(run, true);
    }
    if (Node && (Node->States & (vsExpanded | vsHasChildren)) == (vsExpanded | vsHasChildren))
        ToggleNode(Node);
}

// ---------------------------------------------------------------- visibility

void TBaseNodeTree::SetVisible(PDataNode Node, bool Value)
{
    TREE_ASSERT(Node && Node != FRoot, "Invalid parameter.");
    if (bool(Node->States & vsVisible) == Value)
        return;
    StopCacheValidation();
    bool countChanged = false;
    PDataNode parent = Node->Parent;
    if (Value) {
        Node->States |= vsVisible;
        if (parent->States & vsExpanded)
            PropagateTotalHeight(parent, Integer(Node->TotalHeight), true);
        if (VisiblePath(Node)) {
            FVisibleCount += CountVisibleDescendants(Node) + (IsEffectivelyVisible(Node) ? 1 : 0);
            countChanged = true;
        }
        if (!IsEffectivelyFiltered(Node))
            parent->States &= ~vsAllChildrenHidden;
    } else {
        if (parent->States & vsExpanded)
            PropagateTotalHeight(parent, -Integer(Node->TotalHeight), true);
        if (VisiblePath(Node)) {
            FVisibleCount -= CountVisibleDescendants(Node) + (IsEffectivelyVisible(Node) ? 1 : 0);
            countChanged = true;
        }
        Node->States &= ~vsVisible;
        if (FUpdateCount > 0)
            DoStateChange(tsUpdateHiddenChildrenNeeded);
        else
            UpdateHiddenChildrenFlag(parent);
    }
    InvalidatePositionCache();
    if (countChanged && FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
    }
}

void TBaseNodeTree::SetFiltered(PDataNode Node, bool Value)
{
    TREE_ASSERT(Node && Node != FRoot, "Invalid parameter.");
    if (!(Node->States & vsInitialized))
        InitNode(Node);
    if (bool(Node->States & vsFiltered) == Value)
        return;
    StopCacheValidation();
    bool countChanged = false;
    const bool showFiltered = (FOptions->FPaintOptions & toShowFilteredNodes) != 0;
    if (Value) {
        Node->States |= vsFiltered;
        if (!showFiltered) {
            if ((Node->States & vsInitializing) && !(Node->States & vsHasChildren))
                PropagateTotalHeight(Node, 0, false);
            else
                PropagateTotalHeight(Node, -Integer(NodeHeight(Node)), true);
            if (FullyVisible(Node)) {
                --FVisibleCount;
                countChanged = true;
            }
        }
        if (FUpdateCount > 0)
            DoStateChange(tsUpdateHiddenChildrenNeeded);
        else
            UpdateHiddenChildrenFlag(Node->Parent);
    } else {
        Node->States &= ~vsFiltered;
        if (!showFiltered) {
            PropagateTotalHeight(Node, Integer(NodeHeight(Node)), true);
            if (FullyVisible(Node)) {
                ++FVisibleCount;
                countChanged = true;
            }
        }
        if (Node->States & vsVisible)
            Node->Parent->States &= ~vsAllChildrenHidden;
    }
    InvalidatePositionCache();
    if (countChanged && FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
    }
}

void TBaseNodeTree::SetVisiblePath(PDataNode Node, bool Value)
{
    TREE_ASSERT(Node && Node != FRoot, "Invalid parameter.");
    if (!Value)
        return;
    for (PDataNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!(run->States & vsExpanded))
            ToggleNode(run);
}

void TBaseNodeTree::SetFullyVisible(PDataNode Node, bool Value)
{
    TREE_ASSERT(Node && Node != FRoot, "Invalid parameter");
    SetVisible(Node, Value);
    if (!Value)
        return;
    for (PDataNode run = Node->Parent; run != FRoot; run = run->Parent) {
        if (!(run->States & vsExpanded))
            ToggleNode(run);
        if (!(run->States & vsVisible))
            SetVisible(run, true);
    }
}

// ---------------------------------------------------------------- visible walks

PDataNode TBaseNodeTree::GetVisibleParent(PDataNode Node, bool IncludeFiltered) const
{
    TREE_ASSERT(Node != nullptr, "Node must not be nil.");
    TREE_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
    PDataNode result = Node->Parent;
    while (result != FRoot && (!FullyVisible(result) || (!IncludeFiltered && IsEffectivelyFiltered(result))))
        result = result->Parent;
    return result;
}

PDataNode TBaseNodeTree::GetNextVisibleSiblingNoInit(PDataNode Node, bool IncludeFiltered) const
{
    TREE_ASSERT(Node && Node != FRoot, "Invalid parameter.");
    do
        Node = Node->NextSibling;
    while (Node && (!(Node->States & vsVisible) || (!IncludeFiltered && IsEffectivelyFiltered(Node))));
    return Node;
}

PDataNode TBaseNodeTree::GetNextVisibleSibling(PDataNode Node, bool IncludeFiltered)
{
    TREE_ASSERT(Node && Node != FRoot, "Invalid parameter.");
    do
        Node = GetNextSibling(Node);
    while (Node && (!(Node->States & vsVisible) || (!IncludeFiltered && IsEffectivelyFiltered(Node))));
    return Node;
}

PDataNode TBaseNodeTree::GetPreviousVisibleSiblingNoInit(PDataNode Node, bool IncludeFiltered) const
{
    TREE_ASSERT(Node && Node != FRoot, "Invalid parameter.");
    do
        Node = Node->PrevSibling;
    while (Node && (!(Node->States & vsVisible) || (!IncludeFiltered && IsEffectivelyFiltered(Node))));
    return Node;
}

PDataNode TBaseNodeTree::GetPreviousVisibleSibling(PDataNode Node, bool IncludeFiltered)
{
    TREE_ASSERT(Node && Node != FRoot, "Invalid parameter.");
    do
        Node = GetPreviousSibling(Node);
    while (Node && (!(Node->States & vsVisible) || (!IncludeFiltered && IsEffectivelyFiltered(Node))));
    return Node;
}

PDataNode TBaseNodeTree::GetFirstVisibleChild(PDataNode Node, bool IncludeFiltered)
{
    PDataNode c = GetFirstChild(Node == nullptr ? FRoot : Node);
    if (c && (!(c->States & vsVisible) || (!IncludeFiltered && IsEffectivelyFiltered(c))))
        c = GetNextVisibleSibling(c, IncludeFiltered);
    return c;
}

PDataNode TBaseNodeTree::GetFirstVisibleChildNoInit(PDataNode Node, bool IncludeFiltered) const
{
    PDataNode c = GetFirstChildNoInit(Node == nullptr ? FRoot : Node);
    if (c && (!(c->States & vsVisible) || (!IncludeFiltered && IsEffectivelyFiltered(c))))
        c = GetNextVisibleSiblingNoInit(c, IncludeFiltered);
    return c;
}

PDataNode TBaseNodeTree::GetLastVisibleChild(PDataNode Node, bool IncludeFiltered)
{
    PDataNode c;
    if (Node == nullptr || Node == FRoot)
        c = GetLastChild(FRoot);
    else
        c = (FullyVisible(Node) && (Node->States & vsExpanded)) ? GetLastChild(Node) : nullptr;
    if (c && (!(c->States & vsVisible) || (!IncludeFiltered && IsEffectivelyFiltered(c))))
        c = GetPreviousVisibleSibling(c, IncludeFiltered);
    if (c && !(c->States & vsInitialized))
        InitNode(c);
    return c;
}

PDataNode TBaseNodeTree::GetLastVisibleChildNoInit(PDataNode Node, bool IncludeFiltered) const
{
    PDataNode c;
    if (Node == nullptr || Node == FRoot)
        c = FRoot->LastChild;
    else
        c = (FullyVisible(Node) && (Node->States & vsExpanded)) ? Node->LastChild : nullptr;
    if (c && (!(c->States & vsVisible) || (!IncludeFiltered && IsEffectivelyFiltered(c))))
        c = GetPreviousVisibleSiblingNoInit(c, IncludeFiltered);
    return c;
}

PDataNode TBaseNodeTree::GetFirstVisibleNoInit(PDataNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered) const
{
    if (Node == nullptr)
        Node = FRoot;
    if (!(Node->States & vsHasChildren) || Node->FirstChild == nullptr)
        return nullptr;
    PDataNode r = Node->FirstChild;
    if (ConsiderChildrenAbove && (FOptions->FPaintOptions & toChildrenAbove)) {
        for (;;) {
            if (!(r->States & vsVisible)) {
                if (r->NextSibling)
                    r = r->NextSibling;
                else
                    return r->Parent == FRoot ? nullptr : r->Parent;
            } else if ((r->States & vsExpanded) && r->FirstChild) {
                r = r->FirstChild;
            } else {
                break;
            }
        }
    } else {
        while (r && !(r->States & vsVisible)) {
            if (r->NextSibling)
                r = r->NextSibling;
            else {
                PDataNode up = r->Parent;
                r = nullptr;
                while (up != FRoot) {
                    if (up->NextSibling) {
                        r = up->NextSibling;
                        break;
                    }
                    up = up->Parent;
                }
            }
        }
    }
    if (r && !IncludeFiltered && IsEffectivelyFiltered(r))
        r = GetNextVisibleNoInit(r, true);
    return r;
}

PDataNode TBaseNodeTree::GetFirstVisible(PDataNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered)
{
    if (Node == nullptr)
        Node = FRoot;
    if (Node != FRoot && !(Node->States & vsInitialized))
        InitNode(Node);
    if ((Node->States & vsHasChildren) && Node->ChildCount == 0)
        InitChildren(Node);
    PDataNode r = GetFirstVisibleNoInit(Node, ConsiderChildrenAbove, true);
    if (r && !(r->States & vsInitialized))
        InitNode(r);
    if (r && !IncludeFiltered && IsEffectivelyFiltered(r))
        r = GetNextVisible(r, true);
    return r;
}

PDataNode TBaseNodeTree::GetNextVisibleNoInit(PDataNode Node, bool ConsiderChildrenAbove) const
{
    return NextVisibleNoInit(Node, ConsiderChildrenAbove, false);
}

// KnownShown: Node itself is shown (visible, its ancestors expanded), as
// in a walk over the shown rows; that spares the walk up to the root.
PDataNode TBaseNodeTree::NextVisibleNoInit(PDataNode Node, bool ConsiderChildrenAbove, bool KnownShown) const
{
    if (Node == nullptr)
        return nullptr;
    TREE_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
    const TDataNodeStates notARow = (FOptions->FPaintOptions & toShowFilteredNodes) ? 0 : vsFiltered;
    if (!(ConsiderChildrenAbove && (FOptions->FPaintOptions & toChildrenAbove))) {
        if (!KnownShown && !FullyVisible(Node))
            Node = GetVisibleParent(Node, true);
        return Node == FRoot ? nullptr : NextShownRow(Node, notARow);
    }
    for (;;) {
        PDataNode candidate = nullptr;
        if (Node->NextSibling) {
            PDataNode s = Node->NextSibling;
            if (!(s->States & vsVisible)) {
                Node = s;
                continue;
            }
            while ((s->States & vsExpanded) && s->FirstChild && (s->FirstChild->States & vsVisible))
                s = s->FirstChild;
            candidate = s;
        } else {
            PDataNode s = Node->Parent;
            if (s == FRoot)
                return nullptr;
            if (!(s->States & vsVisible)) {
                Node = s;
                continue;
            }
            candidate = s;
        }
        if (!(candidate->States & notARow))
            return candidate;
        Node = candidate;
    }
}

PDataNode TBaseNodeTree::GetNextVisible(PDataNode Node, bool ConsiderChildrenAbove)
{
    if (Node == nullptr)
        return nullptr;
    TREE_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
    // Children asked for on the way: an expanded node gets them before the walk descends.
    if ((Node->States & vsExpanded) && (Node->States & vsHasChildren) && Node->ChildCount == 0)
        InitChildren(Node);
    PDataNode result = GetNextVisibleNoInit(Node, ConsiderChildrenAbove);
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetPreviousVisibleNoInit(PDataNode Node, bool ConsiderChildrenAbove) const
{
    if (Node == nullptr)
        return nullptr;
    TREE_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
    const bool above = ConsiderChildrenAbove && (FOptions->FPaintOptions & toChildrenAbove);
    for (;;) {
        PDataNode candidate = nullptr;
        if (FullyVisible(Node)) {
            if (above) {
                PDataNode run = Node;
                if ((run->States & vsExpanded) && run->LastChild) {
                    run = run->LastChild;
                    while (run && !(run->States & vsVisible))
                        run = run->PrevSibling;
                    candidate = run;
                }
                if (candidate == nullptr) {
                    for (PDataNode up = Node; up != FRoot; up = up->Parent) {
                        PDataNode sib = up->PrevSibling;
                        while (sib && !(sib->States & vsVisible))
                            sib = sib->PrevSibling;
                        if (sib) {
                            candidate = sib;
                            break;
                        }
                    }
                }
            } else {
                PDataNode s = Node->PrevSibling;
                while (s && !(s->States & vsVisible))
                    s = s->PrevSibling;
                if (s) {
                    PDataNode last = GetLastVisibleNoInit(s, true, true);
                    candidate = last ? last : s;
                } else {
                    candidate = Node->Parent == FRoot ? nullptr : Node->Parent;
                }
            }
        } else {
            PDataNode p = GetVisibleParent(Node, true);
            if (p == FRoot)
                p = nullptr;
            PDataNode last = p ? GetLastVisibleNoInit(p, true, false) : nullptr;
            candidate = last ? last : p;
        }
        if (candidate == nullptr || !IsEffectivelyFiltered(candidate))
            return candidate;
        Node = candidate;
    }
}

PDataNode TBaseNodeTree::GetPreviousVisible(PDataNode Node, bool ConsiderChildrenAbove)
{
    PDataNode result = GetPreviousVisibleNoInit(Node, ConsiderChildrenAbove);
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetLastVisibleNoInit(PDataNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered) const
{
    // The deepest last shown descendant: down the last visible children of expanded nodes.
    PDataNode start = Node == nullptr ? FRoot : Node;
    if (ConsiderChildrenAbove && (FOptions->FPaintOptions & toChildrenAbove)) {
        PDataNode r = GetLastNoInit(Node, true);
        while (r && r != Node && (!FullyVisible(r) || (!IncludeFiltered && IsEffectivelyFiltered(r))))
            r = GetPreviousNoInit(r, true);
        return r == Node ? nullptr : r;
    }
    if (start != FRoot && !(start->States & vsExpanded))
        return nullptr;
    PDataNode r = nullptr;
    PDataNode parent = start;
    for (;;) {
        PDataNode c = parent->LastChild;
        while (c && !(c->States & vsVisible))
            c = c->PrevSibling;
        if (c == nullptr)
            break;
        r = c;
        if (!(c->States & vsExpanded))
            break;
        parent = c;
    }
    if (r && !IncludeFiltered && IsEffectivelyFiltered(r)) {
        while (r && r != start && (IsEffectivelyFiltered(r) || !FullyVisible(r)))
            r = GetPreviousNoInit(r, false);
        if (r == start || r == FRoot)
            r = nullptr;
    }
    return r;
}

PDataNode TBaseNodeTree::GetLastVisible(PDataNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered)
{
    PDataNode result = GetLastVisibleNoInit(Node, ConsiderChildrenAbove, IncludeFiltered);
    for (PDataNode run = result; run && run != FRoot && run != Node; run = run->Parent)
        if (!(run->States & vsInitialized))
            InitNode(run);
    return result;
}

// ---------------------------------------------------------------- line image

Integer TBaseNodeTree::BuildLineImage(PDataNode Node, TLineImage& LineImage)
{
    const TNtPaintOptions paint = FOptions->FPaintOptions;
    Integer indent = (paint & toShowRoot) ? 1 : 0;
    Integer selectedAncestors = 0;
    for (PDataNode run = Node->Parent; run != FRoot; run = run->Parent) {
        ++indent;
        if (run->States & vsSelected)
            ++selectedAncestors;
    }
    LineImage.assign(std::size_t(std::max(indent, 0)), ltNone);
    const Integer pos = indent - 1;
    if (!(paint & toShowTreeLines) || ((paint & toHideTreeLinesIfThemed) && HasTreeState(tsUseThemes)))
        return selectedAncestors;
    if (paint & toChildrenAbove) {
        if (pos >= 0) {
            const bool more = Node->Parent != FRoot || HasVisibleNextSibling(Node);
            LineImage[std::size_t(pos)] = HasVisiblePreviousSibling(Node) ? (more ? ltTopDownRight : ltTopRight) : (more ? ltBottomRight : ltRight);
            Integer p = pos - 1;
            for (PDataNode run = Node->Parent; run != FRoot && p >= 0; run = run->Parent, --p)
                LineImage[std::size_t(p)] = HasVisiblePreviousSibling(run) ? ltTopDown : ltNone;
        }
        return selectedAncestors;
    }
    PDataNode run = Node;
    if (Node->Parent != FRoot) {
        LineImage[std::size_t(indent - 1)] = HasVisibleNextSibling(Node) ? ltTopDownRight : ltTopRight;
        run = Node->Parent;
        Integer p = indent - 2;
        while (run->Parent != FRoot) {
            if (p >= 0)
                LineImage[std::size_t(p)] = HasVisibleNextSibling(run) ? ltTopDown : ltNone;
            --p;
            run = run->Parent;
        }
    }
    if ((paint & toShowRoot) && !LineImage.empty()) {
        if (run == Node) {
            if (IsFirstVisibleChild(FRoot, Node))
                LineImage[0] = IsLastVisibleChild(FRoot, Node) ? ltRight : ltBottomRight;
            else
                LineImage[0] = IsLastVisibleChild(FRoot, Node) ? ltTopRight : ltTopDownRight;
        } else {
            LineImage[0] = HasVisibleNextSibling(run) ? ltTopDown : ltNone;
        }
    }
    return selectedAncestors;
}

// ---------------------------------------------------------------- unlinking

void TBaseNodeTree::InternalDisconnectNode(PDataNode Node, bool KeepFocus, bool Reindex, bool ParentClearing)
{
    TREE_ASSERT(Node && Node != FRoot, "Node must neither be nil nor the root node.");
    if (Node == FFocusedNode && !KeepFocus) {
        FFocusedNode = nullptr;
        DoFocusChange(nullptr, FFocusedColumn);
    }
    if (Node == FRangeAnchor)
        ResetRangeAnchor();
    PDataNode parent = Node->Parent;
    if (parent != FRoot && !ParentClearing) {
        if (FUpdateCount > 0)
            DoStateChange(tsUpdateHiddenChildrenNeeded);
        else
            UpdateHiddenChildrenFlag(parent);
    }
    if (Node->States & vsDeleting)
        return;
    Node->States &= ~vsChecking;
    const bool wasShown = FullyVisible(Node);
    const Cardinal rows = CountVisibleDescendants(Node) + (IsEffectivelyVisible(Node) ? 1 : 0);
    --parent->ChildCount;
    const bool adjustHeight = (parent->States & vsExpanded) && (Node->States & vsVisible);
    if (parent->ChildCount == 0) {
        parent->States &= ~(vsAllChildrenHidden | vsHasChildren);
        if (parent != FRoot)
            parent->States &= ~vsExpanded;
    }
    PropagateTotalCount(parent, -Integer(Node->TotalCount), true);
    if (adjustHeight)
        PropagateTotalHeight(parent, -Integer(Node->TotalHeight), true);
    if (wasShown)
        FVisibleCount -= std::min(rows, FVisibleCount);
    if (Node->PrevSibling)
        Node->PrevSibling->NextSibling = Node->NextSibling;
    else
        parent->FirstChild = Node->NextSibling;
    if (Node->NextSibling) {
        Node->NextSibling->PrevSibling = Node->PrevSibling;
        if (Reindex) {
            Cardinal index = Node->Index;
            for (PDataNode run = Node->NextSibling; run; run = run->NextSibling)
                run->Index = index++;
        }
    } else {
        parent->LastChild = Node->PrevSibling;
    }
}
