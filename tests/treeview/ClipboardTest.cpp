// The clipboard between trees: copying and cutting marks the selected
// nodes, pasting copies them in (or moves a cut within the process), the
// marks end with the clipboard's data, and dropped data is inserted where
// the drop says.

#include <QClipboard>
#include <QGuiApplication>

#include "TreeFixture.h"
#include "platform/Streams.h"
#include "treeview/transfer/NodeTreeDataObject.h"

namespace {
class TClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QGuiApplication::clipboard()->clear();
        source = NewTree();
        target = NewTree();
        a = Add(source.get(), nullptr, 1);
        a1 = Add(source.get(), a, 11);
        b = Add(source.get(), nullptr, 2);
        c = Add(source.get(), nullptr, 3);
        t = Add(target.get(), nullptr, 100);
    }
    void TearDown() override
    {
        QGuiApplication::clipboard()->clear();
        source.reset();
        target.reset();
    }
    std::unique_ptr<TNodeStringTree> NewTree()
    {
        auto tree = std::make_unique<TNodeStringTree>(nullptr);
        tree->SetNodeDataSize(sizeof(Integer));
        tree->TreeOptions()->SetSelectionOptions(tree->TreeOptions()->SelectionOptions() | toMultiSelect);
        tree->OnSaveNode = [](TBaseNodeTree* s, PDataNode n, TStream* stream) { stream->WriteBuffer(s->GetNodeData<Integer>(n), 4); };
        tree->OnLoadNode = [](TBaseNodeTree* s, PDataNode n, TStream* stream) { stream->ReadBuffer(s->GetNodeData<Integer>(n), 4); };
        tree->OnGetUserClipboardFormats = [](TBaseNodeTree*, QStringList& formats) { formats << ClipboardMimeType(TreeDataFormat); };
        return tree;
    }
    PDataNode Add(TBaseNodeTree* tree, PDataNode parent, Integer id)
    {
        PDataNode n = tree->AddChild(parent);
        *tree->GetNodeData<Integer>(n) = id;
        tree->ValidateNode(n, false);
        return n;
    }
    // Ids in tree order, each with its level.
    static std::vector<std::pair<Integer, Cardinal>> Shape(TBaseNodeTree* tree)
    {
        std::vector<std::pair<Integer, Cardinal>> out;
        for (PDataNode n = tree->GetFirstNoInit(); n; n = tree->GetNextNoInit(n))
            out.emplace_back(*tree->GetNodeData<Integer>(n), tree->GetNodeLevel(n));
        return out;
    }
    using S = std::vector<std::pair<Integer, Cardinal>>;
    std::unique_ptr<TNodeStringTree> source, target;
    PDataNode a = nullptr, a1 = nullptr, b = nullptr, c = nullptr, t = nullptr;
};
} // namespace

TEST_F(TClipboardTest, ACopyIsPastedUnderTheFocusedNodeAndTheSourceKeepsItsMarks)
{
    // Nothing selected: nothing copied.
    source->CopyToClipboard();
    EXPECT_FALSE(source->HasTreeState(tsCopyPending));
    // An empty clipboard pastes nothing.
    EXPECT_FALSE(target->PasteFromClipboard());
    source->SetSelected(a, true);
    source->SetSelected(c, true);
    c->States |= vsDisabled;  // selected but disabled: not marked
    source->CopyToClipboard();
    EXPECT_TRUE(source->HasTreeState(tsCopyPending));
    EXPECT_EQ(source->CutCopyCount(), 1);
    EXPECT_EQ(source->GetFirstCutCopy(), a);
    c->States &= ~vsDisabled;
    target->SetFocusedNode(t);
    ASSERT_TRUE(target->PasteFromClipboard());
    // The marked nodes travel, a with its child; the disabled c was not marked.
    EXPECT_EQ(Shape(target.get()), (S{{100, 0}, {1, 1}, {11, 2}}));
    EXPECT_EQ(Shape(source.get()), (S{{1, 0}, {11, 1}, {2, 0}, {3, 0}}));
    EXPECT_TRUE(source->HasTreeState(tsCopyPending));
    EXPECT_TRUE(a->States & vsCutOrCopy);
    CheckInvariants(target.get());
    // Other data on the clipboard ends the marks.
    QGuiApplication::clipboard()->setText(QStringLiteral("other"));
    EXPECT_FALSE(source->HasTreeState(tsCopyPending));
    EXPECT_FALSE(a->States & vsCutOrCopy);
    // Text is no node data: the paste answers false and inserts nothing.
    EXPECT_FALSE(target->PasteFromClipboard());
    EXPECT_EQ(Shape(target.get()).size(), 3u);
}

TEST_F(TClipboardTest, ACutPastedIntoAnotherTreeMovesTheNodes)
{
    source->SetSelected(a, true);
    source->SetSelected(a1, true);
    source->SetSelected(c, true);
    source->CutToClipboard();
    EXPECT_TRUE(source->HasTreeState(tsCutPending));
    target->SetDefaultPasteMode(amInsertAfter);
    target->SetFocusedNode(t);
    ASSERT_TRUE(target->PasteFromClipboard());
    // After the target, in their order; a's child moved along with a.
    EXPECT_EQ(Shape(target.get()), (S{{100, 0}, {1, 0}, {11, 1}, {3, 0}}));
    EXPECT_EQ(Shape(source.get()), (S{{2, 0}}));
    EXPECT_FALSE(source->HasTreeState(tsCutPending));
    for (PDataNode n = target->GetFirstNoInit(); n; n = target->GetNextNoInit(n))
        EXPECT_FALSE(n->States & vsCutOrCopy);
    CheckInvariants(source.get());
    CheckInvariants(target.get());
    // A read-only tree neither cuts nor pastes.
    target->TreeOptions()->SetMiscOptions(target->TreeOptions()->MiscOptions() | toReadOnly);
    target->SetSelected(t, true);
    target->CutToClipboard();
    EXPECT_FALSE(target->HasTreeState(tsCutPending));
    EXPECT_FALSE(target->PasteFromClipboard());
}

TEST_F(TClipboardTest, ACutPastedIntoItsOwnTreeMovesAndEndsTheCut)
{
    source->SetSelected(c, true);
    source->CutToClipboard();
    source->SetFocusedNode(a);
    source->SetDefaultPasteMode(amAddChildFirst);
    ASSERT_TRUE(source->PasteFromClipboard());
    EXPECT_EQ(Shape(source.get()), (S{{1, 0}, {3, 1}, {11, 1}, {2, 0}}));
    EXPECT_FALSE(source->HasTreeState(tsCutPending));
    CheckInvariants(source.get());
}

TEST_F(TClipboardTest, FinishingACutDeletesEveryMarkedSubtree)
{
    source->SetSelected(a, true);
    source->SetSelected(b, true);
    source->CutToClipboard();
    source->FinishCutOrCopy();
    EXPECT_EQ(Shape(source.get()), (S{{3, 0}}));
    EXPECT_FALSE(source->HasTreeState(tsCutPending));
    CheckInvariants(source.get());
}

TEST_F(TClipboardTest, FlushingLeavesTheDataOnTheClipboardAndTheTreeFree)
{
    source->SetSelected(b, true);
    source->CopyToClipboard();
    source->FlushClipboard();
    EXPECT_FALSE(source->HasTreeState(tsCopyPending));
    EXPECT_FALSE(b->States & vsCutOrCopy);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(dynamic_cast<const TNtDataObject*>(data), nullptr);
    // The reference is gone with the flush: the source is unknown, so the
    // paste copies.
    EXPECT_TRUE(data->data(ClipboardMimeType(TreeReferenceFormat)).isEmpty());
    source.reset();
    ASSERT_TRUE(target->PasteFromClipboard());
    EXPECT_EQ(Shape(target.get()), (S{{100, 0}, {2, 0}}));
    // Clearing a tree whose copy is on the clipboard takes the data back.
    target->SetSelected(target->GetFirstNoInit(), true);
    target->CopyToClipboard();
    target->Clear();
    const QMimeData* left = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(left == nullptr || !left->hasFormat(ClipboardMimeType(TreeDataFormat)));
}

TEST_F(TClipboardTest, DroppedDataIsCopiedOrMovedWhereTheDropSays)
{
    source->SetSelected(b, true);
    source->SetSelected(c, true);
    TNtDataObject drag(source.get(), false);
    // amNoWhere: nothing.
    Integer effect = DROPEFFECT_COPY;
    EXPECT_FALSE(target->ProcessDrop(&drag, t, effect, amNoWhere));
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    // A copy before the target; then a move after it, which hands the
    // source no effect to act on.
    effect = DROPEFFECT_COPY;
    EXPECT_TRUE(target->ProcessDrop(&drag, t, effect, amInsertBefore));
    EXPECT_EQ(Shape(target.get()), (S{{2, 0}, {3, 0}, {100, 0}}));
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    source->DoStateChange(tsCutPending);
    b->States |= vsCutOrCopy;
    c->States |= vsCutOrCopy;
    effect = DROPEFFECT_MOVE;
    EXPECT_TRUE(target->ProcessDrop(&drag, nullptr, effect, amInsertAfter));
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(Shape(target.get()), (S{{2, 0}, {3, 0}, {100, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(Shape(source.get()), (S{{1, 0}, {11, 1}}));
    CheckInvariants(target.get());
    // A node is never moved into its own subtree.
    source->SetSelected(a, true);
    a->States |= vsCutOrCopy;
    TNtDataObject own(source.get(), false);
    effect = DROPEFFECT_MOVE;
    EXPECT_TRUE(source->ProcessDrop(&own, a1, effect, amAddChildLast));
    EXPECT_EQ(Shape(source.get()), (S{{1, 0}, {11, 1}}));
    // Data from elsewhere carries no reference: always a copy.
    QMimeData foreign;
    foreign.setData(ClipboardMimeType(TreeDataFormat), drag.data(ClipboardMimeType(TreeDataFormat)));
    EXPECT_EQ(target->GetTreeFromDataObject(&foreign), nullptr);
    // A length prefix that promises more than the block holds inserts nothing.
    QByteArray broken = drag.data(ClipboardMimeType(TreeDataFormat));
    broken[0] = char(0x7F);
    foreign.setData(ClipboardMimeType(TreeDataFormat), broken);
    effect = DROPEFFECT_COPY;
    const Cardinal before = target->TotalCount();
    EXPECT_FALSE(target->ProcessDrop(&foreign, nullptr, effect, amAddChildLast));
    EXPECT_EQ(target->TotalCount(), before);
}
