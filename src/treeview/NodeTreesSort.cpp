// Sorting: a stable merge sort over a node's sibling chain by the owner's
// comparison (OnCompareNodes), for one child list or for the whole tree.
// Only the sibling links and indexes change; nodes keep their data, their
// selection and their parent.

#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

namespace {
// Sorts Count nodes taken from the chain at Cursor; returns the sorted chain.
template <class Less>
PDataNode MergeSortChain(PDataNode& Cursor, Cardinal Count, const Less& TakeSecond)
{
    if (Count <= 1) {
        PDataNode node = Cursor;
        if (node == nullptr)
            return nullptr;
        Cursor = node->NextSibling;
        node->NextSibling = nullptr;
        return node;
    }
    PDataNode a = MergeSortChain(Cursor, Count / 2, TakeSecond);
    PDataNode b = MergeSortChain(Cursor, (Count + 1) / 2, TakeSecond);
    TDataNode head;
    PDataNode tail = &head;
    while (a && b) {
        if (TakeSecond(a, b)) {
            tail->NextSibling = b;
            b = b->NextSibling;
        } else {
            tail->NextSibling = a;
            a = a->NextSibling;
        }
        tail = tail->NextSibling;
    }
    tail->NextSibling = a ? a : b;
    return head.NextSibling;
}
} // namespace

bool TBaseNodeTree::SortsByComparing() const
{
    // Without a comparison a sort keeps every order; sorting anyway would
    // only initialise each new node before its owner filled it in.
    return FHeader->SortColumn() > InvalidColumn && OnCompareNodes;
}

Integer TBaseNodeTree::DoCompare(PDataNode Node1, PDataNode Node2, TColumnIndex Column)
{
    Integer result = 0;
    if (OnCompareNodes)
        OnCompareNodes(this, Node1, Node2, Column, result);
    return result;
}

void TBaseNodeTree::Sort(PDataNode Node, TColumnIndex Column, TSortDirection Direction, bool DoInit)
{
    StopCacheValidation();
    if (HasTreeState(tsEditPending)) {
        KillTreeTimer(EditTimer);
        DoStateChange(0, tsEditPending);
    }
    if (HasTreeState(tsEditing) && !DoEndEdit())
        return;
    if (Node == nullptr)
        Node = FRoot;
    if (!(Node->States & vsHasChildren))
        return;
    if (DoInit) {
        if (Node->ChildCount == 0)
            InitChildren(Node);
        if (Node->ChildCount > 0)
            ValidateChildren(Node, false);
    }
    if (Node->ChildCount > 1) {
        BeginOperation(okSortNode);
        struct End {
            TBaseNodeTree* T;
            ~End() { T->EndOperation(okSortNode); }
        } end{this};
        const bool ascending = Direction == sdAscending;
        auto takeSecond = [this, Column, ascending](PDataNode A, PDataNode B) {
            const Integer comp = OperationCanceled() ? 0 : DoCompare(A, B, Column);
            return ascending ? comp > 0 : comp < 0;
        };
        // The chain is relinked only once the sort is complete, so that a
        // comparison that throws leaves the children as they were.
        std::vector<PDataNode> before;
        before.reserve(Node->ChildCount);
        for (PDataNode run = Node->FirstChild; run; run = run->NextSibling)
            before.push_back(run);
        PDataNode cursor = Node->FirstChild;
        PDataNode sorted;
        try {
            sorted = MergeSortChain(cursor, Node->ChildCount, takeSecond);
        } catch (...) {
            for (size_t i = 0; i < before.size(); ++i)
                before[i]->NextSibling = i + 1 < before.size() ? before[i + 1] : nullptr;
            throw;
        }
        Node->FirstChild = sorted;
        PDataNode previous = nullptr;
        Cardinal index = 0;
        for (PDataNode run = sorted; run; run = run->NextSibling) {
            run->PrevSibling = previous;
            run->Index = index++;
            previous = run;
        }
        Node->LastChild = previous;
        InvalidatePositionCache();
    }
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        Invalidate();
    }
}

void TBaseNodeTree::SortTree(TColumnIndex Column, TSortDirection Direction, bool DoInit)
{
    CatchUpCounts();
    if (FRoot->TotalCount <= 2)
        return;
    ++FUpdateCount;
    auto finish = [this] {
        InvalidatePositionCache();
        if (FUpdateCount > 0)
            LowerUpdateCount();
        if (FUpdateCount == 0) {
            RequestCacheValidation();
            Invalidate();
        }
    };
    try {
        if (Column >= NoColumn) {
            BeginOperation(okSortTree);
            struct End {
                TBaseNodeTree* T;
                ~End() { T->EndOperation(okSortTree); }
            } end{this};
            const bool autoSort = (FOptions->FAutoOptions & toAutoSort) != 0;
            std::function<void(PDataNode)> sortNode = [&](PDataNode Node) {
                Sort(Node, Column, Direction, DoInit);
                for (PDataNode child = Node->FirstChild; child && !FOperationCanceled; child = child->NextSibling) {
                    if (DoInit && !(child->States & vsInitialized))
                        InitNode(child);
                    if ((child->States & vsInitialized) && !(autoSort && !(child->States & vsExpanded)))
                        sortNode(child);
                }
            };
            sortNode(FRoot);
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}
