// Walks over the nodes in document order, among siblings and children, by
// level, by check state and by initialisation, each in an initialising and
// a NoInit form; the enumerations over them, IterateSubtree and the
// position queries.

#include "treeview/NodeTreesPrivate.h"

namespace {
bool ChildrenAbove(const TCustomNodeTreeOptions* o, bool consider)
{
    return consider && (o->PaintOptions() & toChildrenAbove);
}
} // namespace

// ---------------------------------------------------------------- first and last

PDataNode TBaseNodeTree::GetFirst(bool ConsiderChildrenAbove)
{
    if (ChildrenAbove(FOptions.get(), ConsiderChildrenAbove)) {
        PDataNode run = FRoot->FirstChild;
        if (run == nullptr)
            return nullptr;
        for (;;) {
            if (!(run->States & vsInitialized))
                InitNode(run);
            if ((run->States & vsHasChildren) && run->ChildCount == 0)
                InitChildren(run);
            if (run->FirstChild == nullptr)
                return run;
            run = run->FirstChild;
        }
    }
    PDataNode result = FRoot->FirstChild;
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetFirstNoInit(bool ConsiderChildrenAbove) const
{
    PDataNode result = FRoot->FirstChild;
    if (result && ChildrenAbove(FOptions.get(), ConsiderChildrenAbove))
        while (result->FirstChild)
            result = result->FirstChild;
    return result;
}

PDataNode TBaseNodeTree::GetLast(PDataNode Node, bool ConsiderChildrenAbove)
{
    PDataNode result = GetLastChild(Node);
    if (!ChildrenAbove(FOptions.get(), ConsiderChildrenAbove))
        while (result) {
            PDataNode next = GetLastChild(result);
            if (next == nullptr)
                break;
            result = next;
        }
    return result;
}

PDataNode TBaseNodeTree::GetLastNoInit(PDataNode Node, bool ConsiderChildrenAbove) const
{
    PDataNode result = GetLastChildNoInit(Node);
    if (!ChildrenAbove(FOptions.get(), ConsiderChildrenAbove))
        while (result && (result->States & vsHasChildren) && result->LastChild)
            result = result->LastChild;
    return result;
}

// ---------------------------------------------------------------- next and previous

PDataNode TBaseNodeTree::GetNext(PDataNode Node, bool ConsiderChildrenAbove)
{
    if (Node == nullptr)
        return nullptr;
    TREE_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
    PDataNode result = nullptr;
    if (ChildrenAbove(FOptions.get(), ConsiderChildrenAbove)) {
        if (Node->NextSibling) {
            result = Node->NextSibling;
            for (;;) {
                if (!(result->States & vsInitialized))
                    InitNode(result);
                if ((result->States & vsHasChildren) && result->ChildCount == 0)
                    InitChildren(result);
                if (result->FirstChild == nullptr)
                    break;
                result = result->FirstChild;
            }
        } else {
            result = Node->Parent == FRoot ? nullptr : Node->Parent;
        }
    } else {
        if ((Node->States & vsHasChildren) && Node->ChildCount == 0)
            InitChildren(Node);
        if (Node->FirstChild) {
            result = Node->FirstChild;
        } else {
            for (PDataNode run = Node; run != FRoot; run = run->Parent)
                if (run->NextSibling) {
                    result = run->NextSibling;
                    break;
                }
        }
    }
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetNextNoInit(PDataNode Node, bool ConsiderChildrenAbove) const
{
    if (Node == nullptr)
        return nullptr;
    TREE_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
    if (ChildrenAbove(FOptions.get(), ConsiderChildrenAbove)) {
        if (Node->NextSibling) {
            PDataNode result = Node->NextSibling;
            while (result->FirstChild)
                result = result->FirstChild;
            return result;
        }
        return Node->Parent == FRoot ? nullptr : Node->Parent;
    }
    if (Node->FirstChild)
        return Node->FirstChild;
    for (PDataNode run = Node; run != FRoot; run = run->Parent)
        if (run->NextSibling)
            return run->NextSibling;
    return nullptr;
}

PDataNode TBaseNodeTree::GetPrevious(PDataNode Node, bool ConsiderChildrenAbove)
{
    if (Node == nullptr)
        return nullptr;
    TREE_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
    PDataNode result = nullptr;
    if (ChildrenAbove(FOptions.get(), ConsiderChildrenAbove)) {
        if ((Node->States & vsHasChildren) && Node->ChildCount == 0)
            InitChildren(Node);
        if (Node->LastChild)
            result = Node->LastChild;
        else
            for (PDataNode run = Node; run != FRoot; run = run->Parent)
                if (run->PrevSibling) {
                    result = run->PrevSibling;
                    break;
                }
    } else if (Node->PrevSibling) {
        result = GetLast(Node->PrevSibling);
        if (result == nullptr)
            result = Node->PrevSibling;
    } else if (Node->Parent != FRoot) {
        result = Node->Parent;
    }
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetPreviousNoInit(PDataNode Node, bool ConsiderChildrenAbove) const
{
    if (Node == nullptr)
        return nullptr;
    TREE_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
    if (ChildrenAbove(FOptions.get(), ConsiderChildrenAbove)) {
        if (Node->LastChild)
            return Node->LastChild;
        for (PDataNode run = Node; run != FRoot; run = run->Parent)
            if (run->PrevSibling)
                return run->PrevSibling;
        return nullptr;
    }
    if (Node->PrevSibling) {
        PDataNode result = GetLastNoInit(Node->PrevSibling);
        return result ? result : Node->PrevSibling;
    }
    return Node->Parent == FRoot ? nullptr : Node->Parent;
}

// ---------------------------------------------------------------- children and siblings

PDataNode TBaseNodeTree::GetFirstChild(PDataNode Node)
{
    PDataNode result = nullptr;
    if (Node == nullptr || Node == FRoot) {
        result = FRoot->FirstChild;
    } else {
        if (!(Node->States & vsInitialized))
            InitNode(Node);
        if (Node->States & vsHasChildren) {
            if (Node->ChildCount == 0)
                InitChildren(Node);
            result = Node->FirstChild;
        }
    }
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetFirstChildNoInit(PDataNode Node) const
{
    if (Node == nullptr || Node == FRoot)
        return FRoot->FirstChild;
    return (Node->States & vsHasChildren) ? Node->FirstChild : nullptr;
}

PDataNode TBaseNodeTree::GetLastChild(PDataNode Node)
{
    PDataNode result = nullptr;
    if (Node == nullptr || Node == FRoot) {
        result = FRoot->LastChild;
    } else {
        if (!(Node->States & vsInitialized))
            InitNode(Node);
        if (Node->States & vsHasChildren) {
            if (Node->ChildCount == 0)
                InitChildren(Node);
            result = Node->LastChild;
        }
    }
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetLastChildNoInit(PDataNode Node) const
{
    if (Node == nullptr || Node == FRoot)
        return FRoot->LastChild;
    return (Node->States & vsHasChildren) ? Node->LastChild : nullptr;
}

PDataNode TBaseNodeTree::GetNextSibling(PDataNode Node)
{
    PDataNode result = Node ? Node->NextSibling : nullptr;
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetPreviousSibling(PDataNode Node)
{
    PDataNode result = Node ? Node->PrevSibling : nullptr;
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

// ---------------------------------------------------------------- filtered walks

PDataNode TBaseNodeTree::GetFirstInitialized(bool ConsiderChildrenAbove) const
{
    PDataNode result = GetFirstNoInit(ConsiderChildrenAbove);
    if (result && !(result->States & vsInitialized))
        result = GetNextInitialized(result, ConsiderChildrenAbove);
    return result;
}

PDataNode TBaseNodeTree::GetNextInitialized(PDataNode Node, bool ConsiderChildrenAbove) const
{
    do
        Node = GetNextNoInit(Node, ConsiderChildrenAbove);
    while (Node && !(Node->States & vsInitialized));
    return Node;
}

PDataNode TBaseNodeTree::GetPreviousInitialized(PDataNode Node, bool ConsiderChildrenAbove) const
{
    do
        Node = GetPreviousNoInit(Node, ConsiderChildrenAbove);
    while (Node && !(Node->States & vsInitialized));
    return Node;
}

PDataNode TBaseNodeTree::GetLastInitialized(PDataNode Node, bool ConsiderChildrenAbove) const
{
    PDataNode result = GetLastNoInit(Node, ConsiderChildrenAbove);
    if (result && !(result->States & vsInitialized))
        result = GetPreviousInitialized(result, ConsiderChildrenAbove);
    return result;
}

PDataNode TBaseNodeTree::GetFirstLeaf()
{
    return GetNextLeaf(nullptr);
}

PDataNode TBaseNodeTree::GetNextLeaf(PDataNode Node)
{
    PDataNode result = (Node == nullptr || Node == FRoot) ? GetFirstChild(FRoot) : GetNext(Node);
    while (result && (result->States & vsHasChildren))
        result = GetNext(result);
    return result;
}

PDataNode TBaseNodeTree::GetPreviousLeaf(PDataNode Node)
{
    PDataNode result = (Node == nullptr || Node == FRoot) ? GetLast() : GetPrevious(Node);
    while (result && (result->States & vsHasChildren))
        result = GetPrevious(result);
    return result;
}

PDataNode TBaseNodeTree::GetFirstLevel(Cardinal NodeLevel)
{
    PDataNode result = GetFirstNoInit(true);
    while (result && GetNodeLevel(result) != NodeLevel)
        result = GetNextNoInit(result, true);
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetNextLevel(PDataNode Node, Cardinal NodeLevel)
{
    auto nextSiblingUp = [&](PDataNode n) -> PDataNode {
        for (PDataNode run = n; run != FRoot; run = run->Parent)
            if (run->NextSibling)
                return run->NextSibling;
        return nullptr;
    };
    PDataNode run = Node;
    while (run) {
        PDataNode next;
        if (GetNodeLevel(run) < NodeLevel) {
            next = GetNext(run);
        } else {
            // At or below the level: the rest of this subtree holds no other node of it.
            while (GetNodeLevel(run) > NodeLevel)
                run = run->Parent;
            next = nextSiblingUp(run);
        }
        if (next && GetNodeLevel(next) == NodeLevel) {
            if (!(next->States & vsInitialized))
                InitNode(next);
            return next;
        }
        run = next;
    }
    return nullptr;
}

PDataNode TBaseNodeTree::GetPreviousLevel(PDataNode Node, Cardinal NodeLevel)
{
    PDataNode run = Node;
    do
        run = GetPrevious(run);
    while (run && GetNodeLevel(run) != NodeLevel);
    return run;
}

PDataNode TBaseNodeTree::GetFirstChecked(TCheckState State, bool ConsiderChildrenAbove)
{
    return GetNextChecked(nullptr, State, ConsiderChildrenAbove);
}

PDataNode TBaseNodeTree::GetNextChecked(PDataNode Node, TCheckState State, bool ConsiderChildrenAbove)
{
    PDataNode result = (Node == nullptr || Node == FRoot) ? GetFirstNoInit(ConsiderChildrenAbove) : GetNextNoInit(Node, ConsiderChildrenAbove);
    while (result && result->CheckState != State)
        result = GetNextNoInit(result, ConsiderChildrenAbove);
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetPreviousChecked(PDataNode Node, TCheckState State, bool ConsiderChildrenAbove)
{
    PDataNode result = (Node == nullptr || Node == FRoot) ? GetLastNoInit(nullptr, ConsiderChildrenAbove) : GetPreviousNoInit(Node, ConsiderChildrenAbove);
    while (result && result->CheckState != State)
        result = GetPreviousNoInit(result, ConsiderChildrenAbove);
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetFirstCutCopy(bool ConsiderChildrenAbove)
{
    return GetNextCutCopy(nullptr, ConsiderChildrenAbove);
}

PDataNode TBaseNodeTree::GetNextCutCopy(PDataNode Node, bool ConsiderChildrenAbove)
{
    if (!HasTreeState(tsCutPending | tsCopyPending))
        return nullptr;
    PDataNode result = (Node == nullptr || Node == FRoot) ? GetFirstNoInit(ConsiderChildrenAbove) : GetNextNoInit(Node, ConsiderChildrenAbove);
    while (result && !(result->States & vsCutOrCopy))
        result = GetNextNoInit(result, ConsiderChildrenAbove);
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

PDataNode TBaseNodeTree::GetPreviousCutCopy(PDataNode Node, bool ConsiderChildrenAbove)
{
    if (!HasTreeState(tsCutPending | tsCopyPending))
        return nullptr;
    PDataNode result = (Node == nullptr || Node == FRoot) ? GetLastNoInit(nullptr, ConsiderChildrenAbove) : GetPreviousNoInit(Node, ConsiderChildrenAbove);
    while (result && !(result->States & vsCutOrCopy))
        result = GetPreviousNoInit(result, ConsiderChildrenAbove);
    if (result && !(result->States & vsInitialized))
        InitNode(result);
    return result;
}

// ---------------------------------------------------------------- positions

Cardinal TBaseNodeTree::AbsoluteIndex(PDataNode Node)
{
    CatchUpCounts();
    Cardinal result = 0;
    while (Node && Node != FRoot) {
        if (!(Node->States & vsInitialized))
            InitNode(Node);
        if (Node->PrevSibling) {
            Node = Node->PrevSibling;
            result += Node->TotalCount;
        } else {
            Node = Node->Parent;
            if (Node != FRoot)
                ++result;
        }
    }
    return result;
}

Integer TBaseNodeTree::CountLevelDifference(PDataNode Node1, PDataNode Node2) const
{
    TREE_ASSERT(Node1 && Node2, "Both nodes must be Assigned.");
    return Integer(GetNodeLevel(Node2)) - Integer(GetNodeLevel(Node1));
}

PDataNode TBaseNodeTree::IterateSubtree(PDataNode Node, const TNtIterateCallback& Callback, void* Data, TDataNodeStates Filter,
                                        bool DoInit, bool ChildNodesOnly)
{
    TREE_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
    const bool wasIterating = HasTreeState(tsIterating);
    DoStateChange(tsIterating);
    struct Leave {
        TBaseNodeTree* T;
        bool Was;
        ~Leave()
        {
            if (!Was)
                T->DoStateChange(0, tsIterating);
        }
    } leave{this, wasIterating};
    auto step = [&](PDataNode n) { return DoInit ? GetNext(n) : GetNextNoInit(n); };
    bool abort = false;
    PDataNode stop = nullptr;
    if (Node) {
        if (DoInit && !(Node->States & vsInitialized))
            InitNode(Node);
        for (PDataNode run = Node; run != FRoot; run = run->Parent)
            if (run->NextSibling) {
                stop = run->NextSibling;
                break;
            }
    } else {
        Node = GetFirstNoInit(false);
    }
    if (Node == nullptr)
        return nullptr;
    if (DoInit && !(Node->States & vsInitialized))
        InitNode(Node);
    if (ChildNodesOnly) {
        if (Node->ChildCount == 0)
            return nullptr;
        Node = step(Node);
    }
    while (Node && Node != stop) {
        if (Filter == 0 || (Node->States & Filter) == Filter) {
            Callback(this, Node, Data, abort);
            if (abort)
                return Node;
        }
        Node = step(Node);
    }
    return nullptr;
}

// ---------------------------------------------------------------- enumerations

TNtDataNodeEnumeration TBaseNodeTree::Nodes(bool ConsiderChildrenAbove)
{
    return TNtDataNodeEnumeration([this, ConsiderChildrenAbove](PDataNode n) { return n ? GetNext(n, ConsiderChildrenAbove) : GetFirst(ConsiderChildrenAbove); });
}

TNtDataNodeEnumeration TBaseNodeTree::CheckedNodes(TCheckState State, bool ConsiderChildrenAbove)
{
    return TNtDataNodeEnumeration([this, State, ConsiderChildrenAbove](PDataNode n) {
        return n ? GetNextChecked(n, State, ConsiderChildrenAbove) : GetFirstChecked(State, ConsiderChildrenAbove);
    });
}

TNtDataNodeEnumeration TBaseNodeTree::ChildNodes(PDataNode Node)
{
    return TNtDataNodeEnumeration([this, Node](PDataNode n) { return n ? GetNextSibling(n) : GetFirstChild(Node); });
}

TNtDataNodeEnumeration TBaseNodeTree::InitializedNodes(bool ConsiderChildrenAbove)
{
    return TNtDataNodeEnumeration([this, ConsiderChildrenAbove](PDataNode n) {
        return n ? GetNextInitialized(n, ConsiderChildrenAbove) : GetFirstInitialized(ConsiderChildrenAbove);
    });
}

TNtDataNodeEnumeration TBaseNodeTree::LeafNodes()
{
    return TNtDataNodeEnumeration([this](PDataNode n) { return n ? GetNextLeaf(n) : GetFirstLeaf(); });
}

TNtDataNodeEnumeration TBaseNodeTree::LevelNodes(Cardinal NodeLevel)
{
    return TNtDataNodeEnumeration([this, NodeLevel](PDataNode n) { return n ? GetNextLevel(n, NodeLevel) : GetFirstLevel(NodeLevel); });
}

TNtDataNodeEnumeration TBaseNodeTree::NoInitNodes(bool ConsiderChildrenAbove)
{
    return TNtDataNodeEnumeration([this, ConsiderChildrenAbove](PDataNode n) {
        return n ? GetNextNoInit(n, ConsiderChildrenAbove) : GetFirstNoInit(ConsiderChildrenAbove);
    });
}

TNtDataNodeEnumeration TBaseNodeTree::SelectedNodes(bool ConsiderChildrenAbove)
{
    return TNtDataNodeEnumeration([this, ConsiderChildrenAbove](PDataNode n) {
        return n ? GetNextSelected(n, ConsiderChildrenAbove) : GetFirstSelected(ConsiderChildrenAbove);
    });
}

TNtDataNodeEnumeration TBaseNodeTree::VisibleNodes(PDataNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered)
{
    return TNtDataNodeEnumeration([this, Node, ConsiderChildrenAbove, IncludeFiltered](PDataNode n) {
        PDataNode r = n ? GetNextVisible(n, true) : GetFirstVisible(Node, ConsiderChildrenAbove, IncludeFiltered);
        while (r && !IncludeFiltered && IsEffectivelyFiltered(r))
            r = GetNextVisible(r, true);
        return r;
    });
}

TNtDataNodeEnumeration TBaseNodeTree::VisibleChildNodes(PDataNode Node, bool IncludeFiltered)
{
    return TNtDataNodeEnumeration([this, Node, IncludeFiltered](PDataNode n) {
        return n ? GetNextVisibleSibling(n, IncludeFiltered) : GetFirstVisibleChild(Node, IncludeFiltered);
    });
}

TNtDataNodeEnumeration TBaseNodeTree::CutCopyNodes(bool ConsiderChildrenAbove)
{
    return TNtDataNodeEnumeration([this, ConsiderChildrenAbove](PDataNode n) {
        return n ? GetNextCutCopy(n, ConsiderChildrenAbove) : GetFirstCutCopy(ConsiderChildrenAbove);
    });
}

TNtDataNodeEnumeration TBaseNodeTree::VisibleChildNoInitNodes(PDataNode Node, bool IncludeFiltered)
{
    return TNtDataNodeEnumeration([this, Node, IncludeFiltered](PDataNode n) {
        return n ? GetNextVisibleSiblingNoInit(n, IncludeFiltered) : GetFirstVisibleChildNoInit(Node, IncludeFiltered);
    });
}

TNtDataNodeEnumeration TBaseNodeTree::VisibleNoInitNodes(PDataNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered)
{
    return TNtDataNodeEnumeration([this, Node, ConsiderChildrenAbove, IncludeFiltered](PDataNode n) {
        PDataNode r = n ? GetNextVisibleNoInit(n, ConsiderChildrenAbove) : GetFirstVisibleNoInit(Node, ConsiderChildrenAbove, IncludeFiltered);
        while (r && !IncludeFiltered && IsEffectivelyFiltered(r))
            r = GetNextVisibleNoInit(r, ConsiderChildrenAbove);
        return r;
    });
}
