// Walks over the nodes (a table of walks on one small tree), update
// batching and change notification, and the worker thread that builds the
// position cache of trees with more than 2000 shown rows.

#include <QElapsedTimer>
#include <functional>

#include "TreeFixture.h"

namespace {

// The tree of the walk table, ids in document order:
//   1
//     2
//       3
//     4
//   5
//   6
//     7
class TWalkTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree = std::make_unique<TNodeStringTree>(nullptr);
        tree->SetNodeDataSize(sizeof(Integer));
        tree->OnInitNode = [this](TBaseNodeTree*, PDataNode, PDataNode, TDataNodeInitStates&) { ++inits; };
        n1 = Add(nullptr, 1);
        n2 = Add(n1, 2);
        n3 = Add(n2, 3);
        n4 = Add(n1, 4);
        n5 = Add(nullptr, 5);
        n6 = Add(nullptr, 6);
        n7 = Add(n6, 7);
    }
    PDataNode Add(PDataNode parent, Integer id)
    {
        PDataNode n = tree->AddChild(parent);
        *tree->GetNodeData<Integer>(n) = id;
        return n;
    }
    Integer Id(PDataNode n) { return n ? *tree->GetNodeData<Integer>(n) : 0; }
    std::vector<Integer> Ids(const TNtDataNodeEnumeration& e)
    {
        std::vector<Integer> ids;
        for (PDataNode n : e)
            ids.push_back(Id(n));
        return ids;
    }
    std::unique_ptr<TNodeStringTree> tree;
    PDataNode n1, n2, n3, n4, n5, n6, n7;
    int inits = 0;
};

} // namespace

TEST_F(TWalkTree, WalksReturnTheNodesTheirOrderNames)
{
    using TT = TBaseNodeTree;
    const struct {
        const char* name;
        std::function<PDataNode(TT*)> walk;
        Integer expected;
    } cases[] = {
        {"GetFirst", [](TT* t) { return t->GetFirst(); }, 1},
        {"GetFirst children above", [&](TT* t) {
             t->TreeOptions()->SetPaintOptions(t->TreeOptions()->PaintOptions() | toChildrenAbove);
             PDataNode r = t->GetFirst(true);
             t->TreeOptions()->SetPaintOptions(t->TreeOptions()->PaintOptions() & ~toChildrenAbove);
             return r;
         }, 3},
        {"GetLast", [](TT* t) { return t->GetLast(); }, 7},
        {"GetLast(1)", [&](TT* t) { return t->GetLast(n1); }, 4},
        {"GetNext(3)", [&](TT* t) { return t->GetNext(n3); }, 4},
        {"GetNext(4)", [&](TT* t) { return t->GetNext(n4); }, 5},
        {"GetNext(7)", [&](TT* t) { return t->GetNext(n7); }, 0},
        {"GetNext(nil)", [](TT* t) { return t->GetNext(nullptr); }, 0},
        {"GetPrevious(5)", [&](TT* t) { return t->GetPrevious(n5); }, 4},
        {"GetPrevious(4)", [&](TT* t) { return t->GetPrevious(n4); }, 3},
        {"GetPrevious(1)", [&](TT* t) { return t->GetPrevious(n1); }, 0},
        {"GetNextSibling(2)", [&](TT* t) { return t->GetNextSibling(n2); }, 4},
        {"GetPreviousSibling(6)", [&](TT* t) { return t->GetPreviousSibling(n6); }, 5},
        {"GetLastChild(1)", [&](TT* t) { return t->GetLastChild(n1); }, 4},
        {"GetFirstLeaf", [](TT* t) { return t->GetFirstLeaf(); }, 3},
        {"GetNextLeaf(3)", [&](TT* t) { return t->GetNextLeaf(n3); }, 4},
        {"GetPreviousLeaf(nil)", [](TT* t) { return t->GetPreviousLeaf(nullptr); }, 7},
        {"GetFirstLevel(1)", [](TT* t) { return t->GetFirstLevel(1); }, 2},
        {"GetNextLevel(2, 1)", [&](TT* t) { return t->GetNextLevel(n2, 1); }, 4},
        {"GetNextLevel(4, 1)", [&](TT* t) { return t->GetNextLevel(n4, 1); }, 7},
        {"GetNextLevel(3, 0)", [&](TT* t) { return t->GetNextLevel(n3, 0); }, 5},
        {"GetPreviousLevel(7, 1)", [&](TT* t) { return t->GetPreviousLevel(n7, 1); }, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Id(c.walk(tree.get())), c.expected) << c.name;
    EXPECT_EQ(tree->AbsoluteIndex(n5), 4u);
    EXPECT_EQ(tree->AbsoluteIndex(n1), 0u);
    EXPECT_EQ(tree->CountLevelDifference(n1, n3), 2);
    EXPECT_LT(tree->CompareNodeOrder(n3, n5), 0);
    EXPECT_GT(tree->CompareNodeOrder(n3, n1), 0);
    EXPECT_EQ(tree->CompareNodeOrder(n4, n4), 0);
}

TEST_F(TWalkTree, EnumerationsAndTheWalksThatDoNotInitialise)
{
    EXPECT_EQ(Ids(tree->NoInitNodes()), (std::vector<Integer>{1, 2, 3, 4, 5, 6, 7}));
    // Adding children initialised the parents only; NoInit walks add none.
    const int before = inits;
    EXPECT_EQ(before, 3);
    EXPECT_EQ(Ids(tree->InitializedNodes()), (std::vector<Integer>{1, 2, 6}));
    EXPECT_EQ(inits, before);
    EXPECT_EQ(Ids(tree->LeafNodes()), (std::vector<Integer>{3, 4, 5, 7}));
    EXPECT_EQ(Ids(tree->LevelNodes(1)), (std::vector<Integer>{2, 4, 7}));
    EXPECT_EQ(Ids(tree->ChildNodes(n1)), (std::vector<Integer>{2, 4}));
    EXPECT_EQ(Ids(tree->Nodes()), (std::vector<Integer>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(inits, 7);
    // Only 1 and 6 are expanded and seen.
    tree->ToggleNode(n1);
    tree->ToggleNode(n6);
    EXPECT_EQ(Ids(tree->VisibleNodes()), (std::vector<Integer>{1, 2, 4, 5, 6, 7}));
    tree->SetFiltered(n4, true);
    EXPECT_EQ(Ids(tree->VisibleNodes()), (std::vector<Integer>{1, 2, 5, 6, 7}));
    EXPECT_EQ(Ids(tree->VisibleNoInitNodes()), (std::vector<Integer>{1, 2, 5, 6, 7}));
    EXPECT_EQ(Ids(tree->VisibleChildNoInitNodes(n1)), (std::vector<Integer>{2}));
    EXPECT_EQ(Ids(tree->VisibleChildNoInitNodes(n1, true)), (std::vector<Integer>{2, 4}));
    // Nothing is marked for a cut or copy until one is pending.
    EXPECT_TRUE(Ids(tree->CutCopyNodes()).empty());
    tree->TreeOptions()->SetSelectionOptions(toMultiSelect);
    tree->SetSelected(n2, true);
    tree->SetSelected(n5, true);
    tree->MarkCutCopySelection();
    tree->SetTreeStates(tree->TreeStates() | tsCopyPending);
    EXPECT_EQ(Ids(tree->CutCopyNodes()), (std::vector<Integer>{2, 5}));
    tree->CancelCutOrCopy();
    // Including filtered nodes concerns where the walk starts.
    tree->SetFiltered(n1, true);
    EXPECT_EQ(Ids(tree->VisibleNodes()), (std::vector<Integer>{2, 5, 6, 7}));
    EXPECT_EQ(Ids(tree->VisibleNoInitNodes()), (std::vector<Integer>{2, 5, 6, 7}));
    EXPECT_EQ(Id(tree->GetFirstVisible(nullptr, true, true)), 1);
    tree->SetFiltered(n1, false);
    tree->SetCheckState(n5, csCheckedNormal);
    EXPECT_EQ(Ids(tree->CheckedNodes()), (std::vector<Integer>{5}));
    // With children above their parents the order turns over.
    tree->TreeOptions()->SetPaintOptions(tree->TreeOptions()->PaintOptions() | toChildrenAbove);
    EXPECT_EQ(Ids(tree->Nodes(true)), (std::vector<Integer>{3, 2, 4, 1, 5, 7, 6}));
}

TEST_F(TWalkTree, IterateSubtreeVisitsASubtreeAndHonoursFilterAndAbort)
{
    std::vector<Integer> seen;
    auto collect = [&](TBaseNodeTree*, PDataNode n, void*, bool&) { seen.push_back(Id(n)); };
    tree->IterateSubtree(n1, collect, nullptr);
    EXPECT_EQ(seen, (std::vector<Integer>{1, 2, 3, 4}));
    seen.clear();
    tree->IterateSubtree(n1, collect, nullptr, 0, false, true);
    EXPECT_EQ(seen, (std::vector<Integer>{2, 3, 4}));
    seen.clear();
    tree->SetSelected(n3, true);
    tree->IterateSubtree(nullptr, collect, nullptr, vsSelected);
    EXPECT_EQ(seen, (std::vector<Integer>{3}));
    PDataNode stopped = tree->IterateSubtree(nullptr, [&](TBaseNodeTree*, PDataNode n, void*, bool& abort) { abort = Id(n) == 5; }, nullptr);
    EXPECT_EQ(stopped, n5);
    // Deleting inside the walk is refused.
    EXPECT_THROW(tree->IterateSubtree(nullptr, [&](TBaseNodeTree* t, PDataNode n, void*, bool&) { t->DeleteNode(n); }, nullptr),
                 EAssertionFailed);
    EXPECT_EQ(tree->TotalCount(), 7u);
    EXPECT_FALSE(tree->HasTreeState(tsIterating));
    EXPECT_THROW(tree->GetNext(tree->RootNode()), EAssertionFailed);
}

// ---------------------------------------------------------------- updates

TEST(NodeTreeUpdates, ReportsAreHeldUntilTheOutermostEndUpdate)
{
    TNodeStringTree tree(nullptr);
    std::vector<TNtUpdateState> states;
    int structureChanges = 0;
    TChangeReason lastReason = crIgnore;
    tree.OnUpdating = [&](TBaseNodeTree*, TNtUpdateState s) { states.push_back(s); };
    tree.OnStructureChange = [&](TBaseNodeTree*, PDataNode, TChangeReason r) {
        ++structureChanges;
        lastReason = r;
    };
    tree.BeginUpdate();
    tree.BeginUpdate();
    tree.AddChild(nullptr);
    tree.AddChild(nullptr);
    tree.EndUpdate();
    EXPECT_EQ(structureChanges, 0);
    tree.EndUpdate();
    EXPECT_EQ(states, (std::vector<TNtUpdateState>{usBegin, usUpdate, usUpdate, usEnd}));
    EXPECT_EQ(structureChanges, 1);
    // Two reports were collected into one.
    EXPECT_EQ(lastReason, crAccumulated);
    // An unmatched EndUpdate keeps the count at zero and still reports.
    states.clear();
    tree.EndUpdate();
    EXPECT_EQ(tree.UpdateCount(), 0u);
    EXPECT_EQ(states, (std::vector<TNtUpdateState>{usEnd}));
}

// Outside an update an append is reported at once: to nobody, it leaves
// nothing collected behind, so the next report names only its own change;
// a state listener alone still sees the change collected and reported.
TEST(NodeTreeUpdates, AppendsOutsideAnUpdateAreReportedAtOnce)
{
    TNodeStringTree tree(nullptr);
    PDataNode top = tree.AddChild(nullptr);
    tree.AddChild(top);
    EXPECT_FALSE(tree.HasTreeState(tsStructureChangePending));
    std::vector<std::pair<PDataNode, TChangeReason>> reports;
    tree.OnStructureChange = [&](TBaseNodeTree*, PDataNode n, TChangeReason r) { reports.emplace_back(n, r); };
    tree.AddChild(top);
    tree.AddChild(nullptr);
    EXPECT_EQ(reports, (std::vector<std::pair<PDataNode, TChangeReason>>{{top, crChildAdded}, {nullptr, crChildAdded}}));
    tree.OnStructureChange = nullptr;
    std::vector<std::pair<TNodeTreeStates, TNodeTreeStates>> pending;
    tree.OnStateChange = [&](TBaseNodeTree*, TNodeTreeStates enter, TNodeTreeStates leave) {
        if ((enter | leave) & tsStructureChangePending)
            pending.emplace_back(enter & tsStructureChangePending, leave & tsStructureChangePending);
    };
    tree.AddChild(top);
    tree.OnStateChange = nullptr;
    EXPECT_EQ(pending, (std::vector<std::pair<TNodeTreeStates, TNodeTreeStates>>{{tsStructureChangePending, 0}, {0, tsStructureChangePending}}));
    EXPECT_EQ(top->ChildCount, 3u);
}

// Appends made while the tree raised its update count for a moment (here
// by a handler that, as the tree counts its nodes, initialises one node by
// filling another) leave nothing behind once the count is down again: the
// next append is reported as one outside an update.
TEST(NodeTreeUpdates, AppendsInsideAPassingUpdateLeaveTheNextOneReported)
{
    TNodeStringTree tree(nullptr);
    PDataNode other = tree.AddChild(nullptr);
    PDataNode filler = tree.AddChild(nullptr);
    tree.OnInitNode = [&](TBaseNodeTree* t, PDataNode, PDataNode n, TDataNodeInitStates&) {
        if (n == filler)
            for (int i = 0; i < 3; ++i)
                t->AddChild(other);
    };
    EXPECT_EQ(tree.TotalCount(), 5u);
    EXPECT_EQ(tree.UpdateCount(), 0u);
    std::vector<std::pair<PDataNode, TChangeReason>> reports;
    tree.OnStructureChange = [&](TBaseNodeTree*, PDataNode n, TChangeReason r) { reports.emplace_back(n, r); };
    tree.AddChild(other);
    tree.OnStructureChange = nullptr;
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().first, other);
    EXPECT_EQ(other->ChildCount, 4u);
    EXPECT_EQ(tree.TotalCount(), 6u);
}

// Inside an update, top-level appends by nil and by the root itself mix.
TEST(NodeTreeUpdates, TopLevelAppendsByNilAndByTheRootMix)
{
    TNodeStringTree tree(nullptr);
    tree.BeginUpdate();
    std::vector<PDataNode> made;
    for (PDataNode parent : {(PDataNode) nullptr, (PDataNode) nullptr, tree.RootNode(), tree.RootNode(), (PDataNode) nullptr})
        made.push_back(tree.AddChild(parent));
    tree.EndUpdate();
    EXPECT_EQ(tree.RootNodeCount(), 5u);
    EXPECT_EQ(tree.RootNode()->TotalCount, 6u);
    for (Cardinal i = 0; i < made.size(); ++i) {
        EXPECT_EQ(made[i]->Index, i);
        EXPECT_EQ(made[i]->Parent, tree.RootNode());
    }
    EXPECT_EQ(tree.GetLastChildNoInit(nullptr), made.back());
}

TEST(NodeTreeUpdates, StateChangesAndOperations)
{
    TNodeStringTree tree(nullptr);
    int changes = 0;
    tree.OnStateChange = [&](TBaseNodeTree*, TNodeTreeStates, TNodeTreeStates) { ++changes; };
    tree.DoStateChange(tsPainting, tsPainting);
    EXPECT_FALSE(tree.HasTreeState(tsPainting));
    EXPECT_EQ(changes, 1);
    tree.DoStateChange(0, tsPainting);
    EXPECT_EQ(changes, 1) << "nothing changed, nothing reported";
    tree.CancelOperation();
    EXPECT_FALSE(tree.OperationCanceled());
    EXPECT_THROW(tree.EndOperation(okExport), EAssertionFailed);
    tree.BeginOperation(okExport);
    tree.CancelOperation();
    EXPECT_TRUE(tree.OperationCanceled());
    tree.EndOperation(okExport);
    EXPECT_FALSE(tree.OperationCanceled());
}

class TDelayedChange : public TTreeFixture {};

TEST_F(TDelayedChange, ChangesReportAfterTheDelayOrAtOnceInSynchMode)
{
    tree->SetRootNodeCount(3);
    ShowForm();
    int reports = 0;
    tree->OnChange = [&](TBaseNodeTree*, PDataNode) { ++reports; };
    tree->SetSelected(tree->GetFirst(), true);
    EXPECT_EQ(reports, 1) << "no delay: at once";
    tree->SetChangeDelay(100);
    tree->TreeOptions()->SetSelectionOptions(toMultiSelect);
    reports = 0;
    tree->SetSelected(tree->GetFirst()->NextSibling, true);
    tree->SetSelected(tree->GetLast(), true);
    EXPECT_EQ(reports, 0);
    QElapsedTimer t;
    t.start();
    while (reports == 0 && t.elapsed() < 2000)
        Application->ProcessMessages();
    EXPECT_EQ(reports, 1) << "one report after the last of several changes";
    EXPECT_GE(t.elapsed(), 80);
    // BeginSynch reports a pending change at once.
    reports = 0;
    tree->SetSelected(tree->GetLast(), false);
    EXPECT_EQ(reports, 0);
    tree->BeginSynch();
    EXPECT_EQ(reports, 1);
    tree->SetSelected(tree->GetFirst(), true);
    EXPECT_EQ(reports, 2) << "synch mode reports at once";
    tree->EndSynch();
}

// ---------------------------------------------------------------- the worker thread

namespace {

bool WaitForCache(TBaseNodeTree* tree)
{
    QElapsedTimer t;
    t.start();
    while (!tree->HasTreeState(tsUseCache) && t.elapsed() < 10000)
        Application->ProcessMessages();
    return tree->HasTreeState(tsUseCache);
}

} // namespace

TEST(NodeTreeWorker, OnlyTreesWithMoreThan2000ShownRowsGetAPositionCache)
{
    TNodeStringTree small(nullptr);
    small.SetRootNodeCount(2000);
    EXPECT_TRUE(small.HasTreeState(tsValidationNeeded));
    Application->ProcessMessages();
    EXPECT_FALSE(small.HasTreeState(tsUseCache | tsValidating));
    EXPECT_TRUE(small.PositionCache().empty());

    TNodeStringTree large(nullptr);
    large.SetRootNodeCount(2001);
    ASSERT_TRUE(WaitForCache(&large));
    ASSERT_EQ(large.PositionCache().size(), 2u);
    EXPECT_EQ(large.PositionCache()[0].Node, large.GetFirst());
    EXPECT_EQ(large.PositionCache()[0].AbsoluteTop, 0u);
    PDataNode n2000 = large.GetFirst();
    for (int i = 0; i < 2000; ++i)
        n2000 = n2000->NextSibling;
    EXPECT_EQ(large.PositionCache()[1].Node, n2000);
    EXPECT_EQ(large.PositionCache()[1].AbsoluteTop, 2000u * 18u);
    // Positions come out the same with and without the cache.
    Integer top = 0;
    EXPECT_EQ(large.GetNodeAt(0, 2000 * 18 + 5, false, top), n2000);
    EXPECT_EQ(top, 2000 * 18);
    EXPECT_EQ(large.GetDisplayRect(n2000, NoColumn, false).Top, 2000 * 18);
    // A change makes it stale at once.
    large.SetNodeHeight(large.GetFirst(), 30);
    EXPECT_FALSE(large.HasTreeState(tsUseCache));
    ASSERT_TRUE(WaitForCache(&large));
    EXPECT_EQ(large.GetDisplayRect(n2000, NoColumn, false).Top, 2000 * 18 + 12);
}

// The cache of a fully expanded tree of three levels with hidden, filtered
// and collapsed nodes and rows of two heights: every 2000th shown row with
// its top, as a walk over the tree's definition of a shown row finds them.
TEST(NodeTreeWorker, TheCacheOfANestedTreeHoldsEvery2000thShownRow)
{
    TNodeStringTree tree(nullptr);
    Cardinal nodes = 0;
    tree.BeginUpdate();
    for (int k = 0; k < 60; ++k) {
        PDataNode top = tree.AddChild(nullptr);
        ++nodes;
        for (int j = 0; j < 60; ++j) {
            PDataNode child = tree.AddChild(top);
            ++nodes;
            if (j % 3 == 0) {
                tree.AddChild(child);
                tree.AddChild(child);
                nodes += 2;
            }
            if (j % 7 == 1)
                tree.SetFiltered(child, true);
            if (j % 11 == 2)
                tree.SetVisible(child, false);
            if (j % 5 == 0)
                tree.SetNodeHeight(child, 25);
        }
    }
    tree.EndUpdate();
    tree.FullExpand();
    // Every node is initialised on the way, and the shown rows are counted as they are shown.
    Cardinal initialised = 0;
    for (PDataNode n = tree.GetFirstNoInit(); n; n = tree.GetNextNoInit(n))
        initialised += (n->States & vsInitialized) ? 1 : 0;
    EXPECT_EQ(initialised, nodes);
    CheckInvariants(&tree);
    tree.SetExpanded(tree.GetFirstChildNoInit(nullptr)->NextSibling, false);
    CheckInvariants(&tree);

    // The shown rows in order: visible, not filtered, every ancestor expanded and visible.
    std::vector<PDataNode> rows;
    std::function<void(PDataNode)> collect = [&](PDataNode parent) {
        for (PDataNode c = parent->FirstChild; c; c = c->NextSibling) {
            if (!(c->States & vsVisible))
                continue;
            if (!(c->States & vsFiltered))
                rows.push_back(c);
            if (c->States & vsExpanded)
                collect(c);
        }
    };
    collect(tree.RootNode());
    ASSERT_EQ(tree.VisibleCount(), rows.size());
    ASSERT_GT(rows.size(), 4000u);

    ASSERT_TRUE(WaitForCache(&tree));
    const auto& cache = tree.PositionCache();
    ASSERT_EQ(cache.size(), (rows.size() + 1999) / 2000);
    Cardinal top = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i % 2000 == 0) {
            EXPECT_EQ(cache[i / 2000].Node, rows[i]) << "entry " << i / 2000;
            EXPECT_EQ(cache[i / 2000].AbsoluteTop, top) << "entry " << i / 2000;
        }
        top += rows[i]->NodeHeight;
    }
}

TEST(NodeTreeWorker, TreesEndWhileTheirCacheIsBuilt)
{
    // Built and destroyed while the worker may hold them: each end waits
    // for the worker to let go, and the last one ends the thread.
    for (int round = 0; round < 5; ++round) {
        auto a = std::make_unique<TNodeStringTree>(nullptr);
        auto b = std::make_unique<TNodeStringTree>(nullptr);
        a->SetRootNodeCount(50000);
        b->SetRootNodeCount(30000);
        if (round % 2 == 0)
            Application->ProcessMessages();
        b->SetNodeHeight(b->GetFirst(), 20);
        a.reset();
        b->Clear();
        b.reset();
    }
    TNodeStringTree last(nullptr);
    last.SetRootNodeCount(5000);
    EXPECT_TRUE(WaitForCache(&last));
}
