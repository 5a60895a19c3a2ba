// The node store: defaults, node data, adding, inserting, deleting, moving
// and copying, initialisation through the events, and the invariants of
// counts, indexes, heights and the visible-row count after any sequence of
// changes.

#include <random>

#include "TreeFixture.h"

namespace {

// Names nodes by an id kept in their user data.
class TNamedTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree = std::make_unique<TNodeStringTree>(nullptr);
        tree->SetNodeDataSize(sizeof(Integer));
        tree->OnFreeNode = [this](TBaseNodeTree*, PDataNode n) { freed.push_back(Id(n)); };
    }
    PDataNode Add(PDataNode parent, Integer id)
    {
        PDataNode n = tree->AddChild(parent);
        *tree->GetNodeData<Integer>(n) = id;
        return n;
    }
    Integer Id(PDataNode n) { return *tree->GetNodeData<Integer>(n); }
    // Ids along a walk.
    template <class Step>
    std::vector<Integer> Walk(PDataNode first, Step step)
    {
        std::vector<Integer> ids;
        for (PDataNode n = first; n; n = step(n))
            ids.push_back(Id(n));
        return ids;
    }
    // Nodes made by a random sequence of changes, and one of them at random.
    PDataNode Pick(std::mt19937& random) { return made.empty() ? nullptr : made[random() % made.size()]; }
    void Forget(PDataNode gone)
    {
        std::vector<PDataNode> keep;
        for (PDataNode n : made)
            if (n != gone && !tree->HasAsParent(n, gone))
                keep.push_back(n);
        made.swap(keep);
    }
    // Steps of the random change tests, each on a picked node (or none).
    void DeletePicked(PDataNode n)
    {
        if (n) {
            Forget(n);
            tree->DeleteNode(n);
        }
    }
    void TogglePicked(PDataNode n)
    {
        if (n && n->ChildCount > 0)
            tree->ToggleNode(n);
    }
    // Moves n to another picked node, in a random attach mode.
    void MovePicked(PDataNode n, std::mt19937& random)
    {
        if (PDataNode target = Pick(random); n && target && target != n && !tree->HasAsParent(target, n))
            tree->MoveTo(n, target, TNtNodeAttachMode(1 + random() % 4), false);
    }
    std::vector<PDataNode> made;
    std::vector<Integer> freed;  // outlives the tree, whose end frees nodes
    std::unique_ptr<TNodeStringTree> tree;
};

} // namespace

TEST(NodeTreeDefaults, AFreshTreeHasTheDocumentedDefaults)
{
    TNodeStringTree tree(nullptr);
    EXPECT_EQ(tree.NodeDataSize(), -1);
    EXPECT_EQ(tree.DefaultNodeHeight(), 18u);
    EXPECT_EQ(tree.Indent(), 18u);
    EXPECT_EQ(tree.Margin(), 4);
    EXPECT_EQ(tree.TextMargin(), 4);
    EXPECT_EQ(tree.ChangeDelay(), 0u);
    EXPECT_EQ(tree.CheckImageKind(), ckSystemDefault);
    EXPECT_EQ(tree.RootNodeCount(), 0u);
    EXPECT_EQ(tree.Width(), 200);
    EXPECT_EQ(tree.Height(), 100);
    EXPECT_EQ(tree.DefaultText(), QStringLiteral("Node"));
    EXPECT_EQ(tree.TreeOptions()->PaintOptions(), 0x1B60u);
    EXPECT_EQ(tree.TreeOptions()->AutoOptions(), 0x0559u);
    EXPECT_EQ(tree.TreeOptions()->MiscOptions(), 0x41A9u);
    EXPECT_EQ(tree.TreeOptions()->SelectionOptions(), 0u);
    EXPECT_EQ(tree.StringOptions(), TNtStringOptions(toSaveCaptions | toAutoAcceptEditChange));
    EXPECT_EQ(tree.ClassName(), QStringLiteral("TNodeStringTree"));
    EXPECT_EQ(tree.TreeOptions()->ClassName(), QStringLiteral("TStringTreeOptions"));
    EXPECT_EQ(tree.Perform(WM_GETDLGCODE), 0x81);
    tree.SetWantTabs(true);
    EXPECT_EQ(tree.Perform(WM_GETDLGCODE), 0x83);
    ASSERT_NE(tree.CheckImages(), nullptr);
    // The shared lists are made once for all trees.
    TNodeDrawTree other(nullptr);
    EXPECT_EQ(other.CheckImages(), tree.CheckImages());
    EXPECT_EQ(other.TreeOptions()->ClassName(), QStringLiteral("TNodeTreeOptions"));
    EXPECT_EQ(TBaseNodeTree::TreeFromNode(tree.RootNode()), &tree);
}

TEST(NodeTreeDefaults, OptionSettersReactOnlyToChanges)
{
    TNodeStringTree tree(nullptr);
    TCustomNodeTreeOptions* o = tree.TreeOptions();
    o->SetPaintOptions(o->PaintOptions() | toFixedIndent);
    EXPECT_TRUE(o->PaintOptions() & toShowRoot);
    o->SetPaintOptions(o->PaintOptions() & ~toFixedIndent);
    EXPECT_TRUE(o->PaintOptions() & toShowRoot);
    // Copying options between trees leaves the export mode alone.
    TNodeStringTree other(nullptr);
    other.TreeOptions()->SetExportMode(emSelected);
    o->SetMiscOptions(o->MiscOptions() | toCheckSupport);
    other.SetTreeOptions(o);
    EXPECT_TRUE(other.TreeOptions()->MiscOptions() & toCheckSupport);
    EXPECT_EQ(other.TreeOptions()->ExportMode(), emSelected);
    tree.SetAnimationDuration(0);
    EXPECT_FALSE(o->AnimationOptions() & toAnimatedToggle);
    tree.SetAnimationDuration(200);
    EXPECT_TRUE(o->AnimationOptions() & toAnimatedToggle);
}

TEST_F(TNamedTree, NodeDataSizeRulesAndTheFirstNodesDefaultSize)
{
    TNodeStringTree fresh(nullptr);
    fresh.SetNodeDataSize(-5);
    EXPECT_EQ(fresh.NodeDataSize(), -1);
    PDataNode n = fresh.AddChild(nullptr);
    EXPECT_EQ(fresh.NodeDataSize(), 4);
    EXPECT_NE(fresh.GetNodeData(n), nullptr);
    EXPECT_TRUE(n->States & vsOnFreeNodeCallRequired);
    // A new size makes the top-level nodes anew, without children.
    PDataNode a = Add(nullptr, 1);
    Add(a, 2);
    Add(nullptr, 3);
    Add(nullptr, 4);
    tree->SetNodeDataSize(8);
    EXPECT_EQ(tree->RootNodeCount(), 3u);
    EXPECT_EQ(tree->TotalCount(), 3u);
    EXPECT_EQ(*tree->GetNodeData<Integer>(tree->GetFirst()), 0);
    EXPECT_EQ(freed.size(), 4u);
    // Nothing to do for an unchanged size.
    tree->SetNodeDataSize(8);
    EXPECT_EQ(freed.size(), 4u);
}

TEST_F(TNamedTree, AddingInsertingAndDeletingKeepIndexesAndCounts)
{
    PDataNode a = Add(nullptr, 1), b = Add(nullptr, 2), c = Add(nullptr, 3);
    EXPECT_EQ((std::vector<Cardinal>{a->Index, b->Index, c->Index}), (std::vector<Cardinal>{0, 1, 2}));
    EXPECT_EQ(tree->RootNode()->TotalCount, 4u);
    PDataNode b1 = Add(b, 21);
    EXPECT_EQ(tree->GetNodeLevel(b1), 1u);
    PDataNode first = tree->InsertNode(nullptr, amInsertBefore);
    *tree->GetNodeData<Integer>(first) = 0;
    EXPECT_EQ(tree->GetFirst(), first);
    PDataNode afterA = tree->InsertNode(a, amInsertAfter);
    *tree->GetNodeData<Integer>(afterA) = 15;
    EXPECT_EQ(Walk(tree->GetFirstChild(nullptr), [&](PDataNode n) { return n->NextSibling; }), (std::vector<Integer>{0, 1, 15, 2, 3}));
    EXPECT_EQ(c->Index, 4u);
    CheckInvariants(tree.get());
    // Deleting the middle child frees it and its children, children first.
    Add(b1, 211);
    tree->GetNext(b1);  // initialises the grandchild
    freed.clear();
    tree->DeleteNode(b);
    EXPECT_EQ(freed, (std::vector<Integer>{211, 21, 2}));
    EXPECT_EQ(Walk(tree->GetFirstChild(nullptr), [&](PDataNode n) { return n->NextSibling; }), (std::vector<Integer>{0, 1, 15, 3}));
    EXPECT_EQ(c->Index, 3u);
    CheckInvariants(tree.get());
    // A read-only tree refuses changes silently.
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toReadOnly);
    EXPECT_EQ(tree->AddChild(nullptr), nullptr);
    EXPECT_EQ(tree->InsertNode(a, amInsertAfter), nullptr);
    tree->DeleteNode(a);
    EXPECT_EQ(tree->RootNodeCount(), 4u);
}

// Deleted nodes leave their memory to later ones: a node added then starts
// as blank as the first did, whatever the deleted one held.
TEST_F(TNamedTree, ANodeAddedAfterDeletesStartsBlank)
{
    std::vector<PDataNode> nodes;
    for (Integer i = 1; i <= 40; ++i) {
        PDataNode n = Add(nullptr, i);
        tree->SetCheckType(n, ctCheckBox);
        tree->SetCheckState(n, csCheckedNormal);
        Add(n, 100 + i);
        tree->SetExpanded(n, true);
        nodes.push_back(n);
    }
    for (std::size_t i = 0; i < nodes.size(); i += 2)
        tree->DeleteNode(nodes[i]);
    CheckInvariants(tree.get());
    for (int i = 0; i < 40; ++i) {
        PDataNode n = tree->AddChild(nullptr);
        EXPECT_EQ(*tree->GetNodeData<Integer>(n), 0);
        EXPECT_EQ(n->CheckState, csUncheckedNormal);
        EXPECT_EQ(n->CheckType, ctNone);
        EXPECT_EQ(n->ChildCount, 0u);
        EXPECT_EQ(n->FirstChild, nullptr);
        EXPECT_FALSE(tree->Expanded(n));
        EXPECT_FALSE(tree->Selected(n));
    }
    EXPECT_EQ(tree->RootNodeCount(), 60u);
    CheckInvariants(tree.get());
    tree->Clear();
    EXPECT_EQ(tree->RootNodeCount(), 0u);
    EXPECT_EQ(*tree->GetNodeData<Integer>(Add(nullptr, 7)), 7);
}

// Full expansion opens every node with children, those the owner announces
// and gives only when asked included, initialises every node on the way,
// and asks the owner about no leaf.
TEST(NodeTreeExpand, FullExpandOpensParentsAndAsksAboutNoLeaf)
{
    TNodeStringTree tree(nullptr);
    std::vector<PDataNode> asked;
    int initialised = 0;
    tree.OnInitNode = [&](TBaseNodeTree*, PDataNode parent, PDataNode, TDataNodeInitStates& states) {
        ++initialised;
        if (parent == nullptr)
            states |= ivsHasChildren;  // top-level nodes: three children each, given lazily
    };
    tree.OnInitChildren = [](TBaseNodeTree*, PDataNode, Cardinal& count) { count = 3; };
    tree.OnExpanding = [&](TBaseNodeTree*, PDataNode n, bool&) { asked.push_back(n); };
    tree.SetRootNodeCount(4);
    tree.FullExpand();
    EXPECT_EQ(initialised, 4 + 12);
    EXPECT_EQ(asked.size(), 4u);
    for (PDataNode n : asked)
        EXPECT_EQ(n->Parent, tree.RootNode());
    EXPECT_EQ(tree.VisibleCount(), 16u);
    for (PDataNode n = tree.GetFirstNoInit(); n; n = tree.GetNextNoInit(n))
        EXPECT_EQ(tree.Expanded(n), n->ChildCount > 0);
    CheckInvariants(&tree);
}

TEST_F(TNamedTree, MovingAndCopyingNodes)
{
    PDataNode a = Add(nullptr, 1), b = Add(nullptr, 2);
    PDataNode a1 = Add(a, 11);
    Add(a, 12);
    try {
        tree->MoveTo(a, a1, amAddChildLast, false);
        ADD_FAILURE() << "moving a node into its own subtree must fail";
    } catch (const ENodeTreeError& e) {
        EXPECT_EQ(e.HelpContext(), 2001);
        EXPECT_STREQ(e.what(), "Target node cannot be a child node of the node to be moved.");
    }
    CheckInvariants(tree.get());
    // Its children follow the node itself, in their order.
    tree->MoveTo(a, a, amInsertAfter, true);
    EXPECT_EQ(Walk(tree->GetFirstChild(nullptr), [&](PDataNode n) { return n->NextSibling; }), (std::vector<Integer>{1, 11, 12, 2}));
    EXPECT_EQ(a->ChildCount, 0u);
    CheckInvariants(tree.get());
    int moved = 0;
    tree->OnNodeMoved = [&](TBaseNodeTree*, PDataNode) { ++moved; };
    tree->MoveTo(b, a, amAddChildFirst, false);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(b->Parent, a);
    CheckInvariants(tree.get());
    // A refused copy leaves the target as it was.
    tree->OnNodeCopying = [](TBaseNodeTree*, PDataNode, PDataNode, bool& allowed) { allowed = false; };
    const Cardinal before = tree->TotalCount();
    EXPECT_EQ(tree->CopyTo(a, b, amAddChildLast, false), nullptr);
    EXPECT_EQ(tree->TotalCount(), before);
    tree->OnNodeCopying = nullptr;
    PDataNode copy = tree->CopyTo(a, PDataNode(nullptr), amAddChildLast, false);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->ChildCount, a->ChildCount);
    EXPECT_EQ(tree->TotalCount(), before + 2);
    CheckInvariants(tree.get());
    // Into another tree: the node leaves this one.
    TNodeStringTree other(nullptr);
    other.SetNodeDataSize(4);
    tree->MoveTo(a, &other, amAddChildLast, false);
    EXPECT_EQ(other.TotalCount(), 2u);
    EXPECT_EQ(tree->RootNodeCount(), 3u);
    CheckInvariants(&other);
    CheckInvariants(tree.get());
}

TEST_F(TNamedTree, InitialisationEventsDecideStatesAndChildren)
{
    tree->OnInitNode = [this](TBaseNodeTree*, PDataNode, PDataNode n, TDataNodeInitStates& s) {
        const Integer id = Id(n);
        if (id == 1)
            s |= ivsHasChildren | ivsExpanded;
        if (id == 2)
            s |= ivsHasChildren;
        if (id == 3)
            s |= ivsDisabled;
    };
    tree->OnInitChildren = [this](TBaseNodeTree*, PDataNode n, Cardinal& count) { count = Id(n) == 1 ? 3 : 0; };
    PDataNode a = tree->AddChild(nullptr);
    PDataNode b = tree->AddChild(nullptr);
    PDataNode c = tree->AddChild(nullptr);
    *tree->GetNodeData<Integer>(a) = 1;
    *tree->GetNodeData<Integer>(b) = 2;
    *tree->GetNodeData<Integer>(c) = 3;
    tree->ValidateNode(nullptr, false);
    tree->ValidateChildren(nullptr, false);
    EXPECT_TRUE(tree->Expanded(a));
    EXPECT_EQ(a->ChildCount, 3u);
    // Children announced but none given: the node has no children after all.
    EXPECT_FALSE(b->States & vsHasChildren);
    EXPECT_TRUE(c->States & vsDisabled);
    CheckInvariants(tree.get());
    // A reset node is initialised again on next touch.
    tree->ResetNode(a);
    EXPECT_FALSE(a->States & vsInitialized);
    EXPECT_EQ(a->ChildCount, 0u);
    EXPECT_EQ(tree->GetFirst(), a);
    EXPECT_TRUE(tree->Expanded(a));
    CheckInvariants(tree.get());
}

TEST_F(TNamedTree, RandomChangesKeepEveryCountAndHeight)
{
    std::mt19937 random(7);
    for (int step = 0; step < 600; ++step) {
        PDataNode n = Pick(random);
        switch (random() % 9) {
        case 0:
        case 1:
        case 2: made.push_back(tree->AddChild(n)); break;
        case 3: DeletePicked(n); break;
        case 4: TogglePicked(n); break;
        case 5:
            if (n)
                tree->SetVisible(n, !(n->States & vsVisible));
            break;
        case 6:
            if (n)
                tree->SetFiltered(n, !(n->States & vsFiltered));
            break;
        case 7: MovePicked(n, random); break;
        case 8:
            if (n)
                tree->SetNodeHeight(n, 10 + random() % 20);
            break;
        }
        CheckInvariants(tree.get());
        if (HasFailure()) {
            ADD_FAILURE() << "after step " << step;
            return;
        }
    }
    tree->FullExpand();
    CheckInvariants(tree.get());
    tree->FullCollapse();
    CheckInvariants(tree.get());
    tree->Clear();
    EXPECT_EQ(tree->VisibleCount(), 0u);
    EXPECT_EQ(tree->RangeY(), 0u);
}

// Inside an update the ancestors of a parent being filled learn its new
// nodes late: every reader and every change in between must still see the
// counts as they are, and a parent that goes must take nothing with it.
TEST_F(TNamedTree, CountsHeldInAnUpdateAreRightForEveryReader)
{
    tree->BeginUpdate();
    PDataNode a = Add(nullptr, 1);
    PDataNode b = Add(a, 2);
    PDataNode last = nullptr;
    for (Integer i = 0; i < 5; ++i)
        last = Add(b, 10 + i);
    EXPECT_EQ(tree->AbsoluteIndex(last), 6u);
    PDataNode c = Add(nullptr, 3);
    EXPECT_EQ(tree->AbsoluteIndex(c), 7u);  // past all of a's subtree
    EXPECT_EQ(tree->TotalCount(), 8u);
    for (Integer i = 0; i < 3; ++i)
        Add(b, 20 + i);
    tree->MoveTo(b, c, amAddChildLast, false);
    EXPECT_EQ(tree->AbsoluteIndex(c), 1u);
    for (Integer i = 0; i < 4; ++i)
        Add(a, 30 + i);
    tree->DeleteNode(a);  // the parent being filled goes
    for (Integer i = 0; i < 2; ++i)
        Add(b, 40 + i);
    EXPECT_EQ(tree->TotalCount(), 12u);
    tree->EndUpdate();
    CheckInvariants(tree.get());
    EXPECT_EQ(c->TotalCount, 12u);
}

// The same random changes made inside updates, with runs of nodes added to
// one parent between them.
TEST_F(TNamedTree, RandomChangesInsideUpdatesKeepEveryCount)
{
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        tree->BeginUpdate();
        for (int step = 0; step < 12; ++step) {
            PDataNode n = Pick(random);
            switch (random() % 6) {
            case 0:
            case 1:
                for (int k = 1 + random() % 5; k > 0; --k)
                    made.push_back(tree->AddChild(n));
                break;
            case 2: DeletePicked(n); break;
            case 3: MovePicked(n, random); break;
            case 4: TogglePicked(n); break;
            case 5:
                if (n) {
                    tree->DeleteChildren(n);
                    Forget(n);
                    made.push_back(n);
                }
                break;
            }
        }
        tree->EndUpdate();
        CheckInvariants(tree.get());
        if (HasFailure()) {
            ADD_FAILURE() << "after round " << round;
            return;
        }
    }
}

// Appends to one parent inside an update take a short road once the first
// has done the bookkeeping: whatever changes between two appends must still
// reach the next one as if each took the full road.
TEST_F(TNamedTree, ChangesBetweenAppendsToOneParentReachTheNextAppend)
{
    Integer inits = 0;
    tree->OnInitNode = [&](TBaseNodeTree*, PDataNode, PDataNode, TDataNodeInitStates&) { ++inits; };
    // A parent's text grows with its children, so a width measured early is wrong later.
    tree->OnGetText = [](TBaseNodeTree*, PDataNode n, TColumnIndex, TNSTTextType, QString& text) {
        text = QStringLiteral("P") + QString(qsizetype(n->ChildCount) * 4, QLatin1Char('W'));
    };
    struct TCase {
        const char* Name;
        std::function<void(PDataNode)> Between;
        std::function<void(PDataNode, PDataNode)> Check;  // the parent, and what the next AddChild gave
    };
    const std::vector<TCase> cases = {
        {"a width measured", [&](PDataNode p) { tree->GetNodeWidth(p, NoColumn); },
         [&](PDataNode p, PDataNode) {
             tree->EndUpdate();
             const Integer measured = tree->GetNodeWidth(p, NoColumn);
             tree->InvalidateNode(p);  // forgets the cached width
             EXPECT_EQ(measured, tree->GetNodeWidth(p, NoColumn));
             tree->BeginUpdate();
         }},
        {"read-only", [&](PDataNode) { tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toReadOnly); },
         [&](PDataNode p, PDataNode added) {
             EXPECT_EQ(added, nullptr);
             EXPECT_EQ(p->ChildCount, 3u);
             tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() & ~toReadOnly);
         }},
        {"the parent reset", [&](PDataNode p) { tree->ResetNode(p); },
         [&](PDataNode p, PDataNode added) {
             EXPECT_EQ(inits, 2) << "the parent is initialised again";
             EXPECT_EQ(p->FirstChild, added);
             EXPECT_EQ(p->ChildCount, 1u);
         }},
        {"the counts read", [&](PDataNode) { EXPECT_EQ(tree->RootNode()->TotalCount, 5u); },
         [&](PDataNode p, PDataNode added) {
             EXPECT_EQ(p->LastChild, added);
             EXPECT_EQ(tree->RootNode()->TotalCount, 6u);
         }},
        {"every child hidden",
         [&](PDataNode p) {
             for (PDataNode c = p->FirstChild; c; c = c->NextSibling)
                 tree->SetVisible(c, false);
         },
         [&](PDataNode p, PDataNode added) {
             EXPECT_FALSE(p->States & vsAllChildrenHidden) << "a shown child joined";
             EXPECT_TRUE(added->States & vsVisible);
             EXPECT_EQ(added->Index, 3u);
         }},
        {"the parent expanded", [&](PDataNode p) { tree->SetExpanded(p, true); },
         [&](PDataNode p, PDataNode added) {
             EXPECT_EQ(p->LastChild, added);
             EXPECT_EQ(tree->VisibleCount(), 5u);
             EXPECT_EQ(p->TotalHeight, 5 * tree->DefaultNodeHeight());
         }},
        {"the structure change reported", [&](PDataNode) { tree->EndUpdate(); tree->BeginUpdate(); },
         [&](PDataNode p, PDataNode added) {
             EXPECT_EQ(p->LastChild, added);
             EXPECT_EQ(p->ChildCount, 4u);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        tree->Clear();
        inits = 0;
        tree->BeginUpdate();
        PDataNode parent = Add(nullptr, 1);
        for (Integer i = 0; i < 3; ++i)
            Add(parent, 2 + i);
        c.Between(parent);
        PDataNode added = tree->AddChild(parent);
        if (added)
            *tree->GetNodeData<Integer>(added) = 9;
        c.Check(parent, added);
        tree->EndUpdate();
        CheckInvariants(tree.get());
    }
}

namespace {
// Opens the bounded search AddChild uses to find whether a row lies below the window.
struct TRowProbe : TNodeStringTree {
    using TNodeStringTree::TNodeStringTree;
    using TBaseNodeTree::RowStartsAtOrBelow;
};
} // namespace

// Families long and short, rows of several heights, hidden, filtered and
// collapsed nodes: the search from both ends of a family agrees with the
// rows GetDisplayRect places, at each limit around every shown row's top,
// and finds the row's top when it lies above the limit.
TEST(NodeTreeGeometry, RowSearchAgreesWithTheDisplayRects)
{
    TRowProbe tree(nullptr);
    std::mt19937 random(5);
    std::vector<PDataNode> all;
    for (int k = 0; k < 8; ++k) {
        PDataNode top = tree.AddChild(nullptr);
        all.push_back(top);
        for (int j = int(random() % 40); j > 0; --j) {
            PDataNode child = tree.AddChild(top);
            all.push_back(child);
            for (int g = int(random() % 3); g > 0; --g)
                all.push_back(tree.AddChild(child));
        }
    }
    for (PDataNode n : all) {
        if (random() % 4 == 0)
            tree.SetNodeHeight(n, 10 + random() % 20);
        if (n->ChildCount > 0 && random() % 3 != 0)
            tree.ToggleNode(n);
        if (random() % 15 == 0)
            tree.SetVisible(n, false);
        else if (random() % 15 == 0)
            tree.SetFiltered(n, true);
    }
    int checked = 0;
    for (PDataNode n : all) {
        if (!tree.FullyVisible(n) || tree.IsEffectivelyFiltered(n))
            continue;
        const Integer top = tree.GetDisplayRect(n, NoColumn, false).Top - tree.OffsetY();
        for (Integer limit : {top - 1, top, top + 1, top + 200}) {
            Cardinal found = Cardinal(-1);
            if (limit >= 0)
                EXPECT_EQ(tree.RowStartsAtOrBelow(n, Cardinal(limit), &found), top >= limit) << "row at " << top << ", limit " << limit;
            if (limit > top)
                EXPECT_EQ(Integer(found), top) << "limit " << limit;
        }
        ++checked;
    }
    EXPECT_GT(checked, 100);
}
