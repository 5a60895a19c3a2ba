// Drag and drop of nodes: drags started with the mouse and routed to trees
// of the same form (onto a node, above, below, nowhere), within one tree,
// from another program, the effects the keys choose, the drop target's
// look, opening and scrolling while dragging, and the program's own
// in-process drags.

#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QThread>

#include "Screenshot.h"
#include "TreeFixture.h"
#include "platform/DragDrop.h"
#include "platform/Streams.h"
#include "treeview/header/NodeTreeHeader.h"
#include "treeview/transfer/NodeTreeDataObject.h"
#include "treeview/transfer/NodeTreeDragImage.h"
#include "treeview/transfer/NodeTreeDragManager.h"

namespace {

TNtNodeAttachMode AttachModeOf(TDropMode Mode)
{
    switch (Mode) {
    case dmAbove: return amInsertBefore;
    case dmBelow: return amInsertAfter;
    case dmOnNode: return amAddChildLast;
    default: return amAddChildLast;  // nowhere: at the end of the top level
    }
}

class TDragDropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 440, 280);
        left = NewTree(10);
        right = NewTree(220);
        for (Integer id : {1, 2, 3})
            Add(left, nullptr, id);
        Add(left, left->GetFirst(), 11);
        for (Integer id : {100, 200})
            Add(right, nullptr, id);
        Add(right, right->GetLast(), 201);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { form.reset(); }

    TNodeStringTree* NewTree(Integer X)
    {
        auto* t = new TNodeStringTree(form.get());
        t->SetParent(form.get());
        t->SetBounds(X, 10, 200, 200);
        t->SetNodeDataSize(sizeof(Integer));
        t->SetClipboardFormats({TreeDataFormat, QStringLiteral("Plain text")});
        t->TreeOptions()->SetPaintOptions(t->TreeOptions()->PaintOptions() | toShowDropmark);
        t->OnGetText = [](TBaseNodeTree* s, PDataNode n, TColumnIndex, TNSTTextType type, QString& text) {
            if (type == ttNormal)
                text = QStringLiteral("Node %1").arg(*s->GetNodeData<Integer>(n));
        };
        t->OnSaveNode = [](TBaseNodeTree* s, PDataNode n, TStream* stream) { stream->WriteBuffer(s->GetNodeData<Integer>(n), 4); };
        t->OnLoadNode = [](TBaseNodeTree* s, PDataNode n, TStream* stream) { stream->ReadBuffer(s->GetNodeData<Integer>(n), 4); };
        // Any node may be dragged; every drag is welcome and dropped with ProcessDrop.
        t->OnDragAllowed = [](TBaseNodeTree*, PDataNode, TColumnIndex, bool& allowed) { allowed = true; };
        t->OnDragOver = [this](TBaseNodeTree*, TObject*, TShiftState, TDragState, TPoint, TDropMode mode, Integer&, bool& accept) {
            lastMode = mode;
            accept = true;
        };
        t->OnDragDrop = [this](TBaseNodeTree* s, TObject* source, const QMimeData* data, const TFormatArray& formats, TShiftState, TPoint,
                               Integer& effect, TDropMode mode) {
            dropped = {s, source, mode, formats};
            s->ProcessDrop(data, s->DropTargetNode(), effect, AttachModeOf(mode));
        };
        return t;
    }
    PDataNode Add(TBaseNodeTree* t, PDataNode parent, Integer id)
    {
        PDataNode n = t->AddChild(parent);
        *t->GetNodeData<Integer>(n) = id;
        return n;
    }
    // Ids with their levels, in tree order.
    static std::vector<std::pair<Integer, Cardinal>> Shape(TBaseNodeTree* t)
    {
        std::vector<std::pair<Integer, Cardinal>> out;
        for (PDataNode n = t->GetFirstNoInit(); n; n = t->GetNextNoInit(n))
            out.emplace_back(*t->GetNodeData<Integer>(n), t->GetNodeLevel(n));
        return out;
    }
    using S = std::vector<std::pair<Integer, Cardinal>>;
    // The middle of a node's text, and a point right of it at a given height in its row.
    TPoint LabelOf(TBaseNodeTree* t, PDataNode n)
    {
        const TRect r = t->GetDisplayRect(n, NoColumn, true);
        return TPoint(r.Left + 10, (r.Top + r.Bottom) / 2);
    }
    TPoint RightOf(TBaseNodeTree* t, PDataNode n, Integer DY)
    {
        const TRect r = t->GetDisplayRect(n, NoColumn, false);
        return TPoint(180, r.Top + DY);
    }
    // Presses on a node and moves past the drag threshold: the queued course
    // of the drag runs now.
    void DragWithMouse(TBaseNodeTree* t, PDataNode n)
    {
        const TPoint p = LabelOf(t, n);
        TestInput::MouseDown(t, mbLeft, p);
        TestInput::MouseMove(t, TPoint(p.X + 20, p.Y + 3));
    }
    // A course that enters the target at P, moves there and drops.
    DragSeam::TDragScript DropAt(TBaseNodeTree* target, TPoint P, TShiftState shift = {})
    {
        return [=, this](QMimeData* data, Integer allowed) {
            TestInput::RoutedDragEffect(target, TestInput::rdEnter, P, data, allowed, shift);
            TestInput::RoutedDragEffect(target, TestInput::rdMove, P, data, allowed, shift);
            return TestInput::RoutedDragEffect(target, TestInput::rdDrop, P, data, allowed, shift);
        };
    }

    struct TDropped {
        TBaseNodeTree* Tree = nullptr;
        TObject* Source = nullptr;
        TDropMode Mode = dmNowhere;
        TFormatArray Formats;
    } dropped;
    TDropMode lastMode = dmNowhere;
    std::unique_ptr<TForm> form;
    TNodeStringTree* left = nullptr;
    TNodeStringTree* right = nullptr;
};
} // namespace

TEST_F(TDragDropTest, ANodeDraggedOntoANodeOfAnotherTreeIsCopiedUnderIt)
{
    PDataNode target = right->GetFirst();
    DragSeam::QueueDrag(DropAt(right, LabelOf(right, target)));
    DragWithMouse(left, left->GetFirst());
    EXPECT_EQ(DragSeam::PendingDrags(), 0);
    EXPECT_EQ(dropped.Tree, right);
    EXPECT_EQ(dropped.Source, left);
    EXPECT_EQ(dropped.Mode, dmOnNode);
    EXPECT_TRUE(dropped.Formats.contains(ClipboardMimeType(TreeDataFormat)));
    EXPECT_TRUE(dropped.Formats.contains(QStringLiteral("text/plain")));
    // Another tree's drop copies by default: node 1 with its child under 100.
    EXPECT_EQ(Shape(right), (S{{100, 0}, {1, 1}, {11, 2}, {200, 0}, {201, 1}}));
    EXPECT_EQ(Shape(left), (S{{1, 0}, {11, 1}, {2, 0}, {3, 0}}));
    EXPECT_EQ(left->LastDragEffect(), DROPEFFECT_COPY);
    EXPECT_FALSE(left->HasTreeState(tsOLEDragging | tsOLEDragPending));
    EXPECT_EQ(right->DropTargetNode(), nullptr);
}

TEST_F(TDragDropTest, EachDropModePlacesTheNodesWhereItSays)
{
    PDataNode n200 = right->GetFirst()->NextSibling;
    const Integer h = Integer(right->NodeHeight(n200));
    const struct {
        const char* name;
        TPoint at;
        TDropMode mode;
        S shape;
    } cases[] = {
        {"above", RightOf(right, n200, 2), dmAbove, {{100, 0}, {2, 0}, {200, 0}, {201, 1}}},
        {"below", RightOf(right, n200, h - 2), dmBelow, {{100, 0}, {200, 0}, {201, 1}, {2, 0}}},
        {"on the node", LabelOf(right, n200), dmOnNode, {{100, 0}, {200, 0}, {201, 1}, {2, 1}}},
        {"nowhere", TPoint(100, 150), dmNowhere, {{100, 0}, {200, 0}, {201, 1}, {2, 0}}},
    };
    right->FullExpand();
    for (const auto& c : cases) {
        DragSeam::QueueDrag(DropAt(right, c.at));
        DragWithMouse(left, left->GetFirst()->NextSibling);  // node 2 (node 1 has a child)
        TestInput::MouseUp(left, mbLeft, TPoint(10, 190));
        EXPECT_EQ(dropped.Mode, c.mode) << c.name;
        EXPECT_EQ(Shape(right), c.shape) << c.name;
        // Undo: the copy goes again.
        for (PDataNode n = right->GetFirst(); n; n = right->GetNext(n))
            if (*right->GetNodeData<Integer>(n) == 2) {
                right->DeleteNode(n);
                break;
            }
    }
}

TEST_F(TDragDropTest, ShiftMovesBetweenTreesWithoutASecondDelete)
{
    left->TreeOptions()->SetAutoOptions(left->TreeOptions()->AutoOptions() | toAutoDeleteMovedNodes);
    PDataNode three = left->GetLast();
    DragSeam::QueueDrag(DropAt(right, RightOf(right, right->GetFirst(), 2), ssShift));
    DragWithMouse(left, three);
    // Moved by ProcessDrop: the effect handed back is none, so the source deletes nothing more.
    EXPECT_EQ(Shape(right), (S{{3, 0}, {100, 0}, {200, 0}, {201, 1}}));
    EXPECT_EQ(Shape(left), (S{{1, 0}, {11, 1}, {2, 0}}));
    EXPECT_EQ(left->LastDragEffect(), DROPEFFECT_NONE);
}

TEST_F(TDragDropTest, AMoveTheTargetCopiesIsDeletedBySourceWithAutoDelete)
{
    // A target that only copies and answers "moved": the source deletes its nodes.
    right->OnDragDrop = [](TBaseNodeTree* s, TObject*, const QMimeData* data, const TFormatArray&, TShiftState, TPoint, Integer& effect,
                           TDropMode) { s->ProcessOLEData(nullptr, data, nullptr, amAddChildLast, false); };
    DragSeam::QueueDrag(DropAt(right, TPoint(100, 150), ssShift));
    DragWithMouse(left, left->GetLast());
    EXPECT_EQ(left->LastDragEffect(), DROPEFFECT_MOVE);
    EXPECT_EQ(Shape(left), (S{{1, 0}, {11, 1}, {2, 0}}));
    EXPECT_EQ(Shape(right), (S{{100, 0}, {200, 0}, {201, 1}, {3, 0}}));
}

TEST_F(TDragDropTest, WithinOneTreeANodeMovesAndNeverIntoItsOwnSubtree)
{
    left->FullExpand();
    PDataNode one = left->GetFirst();
    PDataNode three = left->GetLast();
    DragSeam::QueueDrag(DropAt(left, RightOf(left, one, 2)));
    DragWithMouse(left, three);
    EXPECT_EQ(Shape(left), (S{{3, 0}, {1, 0}, {11, 1}, {2, 0}}));
    // Node 1 dropped onto its own child stays where it is.
    PDataNode eleven = left->GetFirstChild(one);
    DragSeam::QueueDrag(DropAt(left, LabelOf(left, eleven)));
    DragWithMouse(left, one);
    EXPECT_EQ(Shape(left), (S{{3, 0}, {1, 0}, {11, 1}, {2, 0}}));
}

TEST_F(TDragDropTest, DataFromAnotherProgramReachesTheDropEvent)
{
    QMimeData text;
    text.setText(QStringLiteral("Meter 7"));
    const TPoint p = LabelOf(right, right->GetFirst());
    QString received;
    right->OnDragDrop = [&](TBaseNodeTree* s, TObject* source, const QMimeData* data, const TFormatArray& formats, TShiftState, TPoint,
                            Integer& effect, TDropMode mode) {
        EXPECT_EQ(source, nullptr);
        EXPECT_TRUE(formats.contains(QStringLiteral("text/plain")));
        received = data->text();
        EXPECT_EQ(mode, dmOnNode);
        // No tree's nodes in it: ProcessDrop inserts nothing.
        EXPECT_FALSE(s->ProcessDrop(data, s->DropTargetNode(), effect, amAddChildLast));
    };
    EXPECT_EQ(TestInput::RoutedDragEffect(right, TestInput::rdEnter, p, &text, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
    EXPECT_EQ(TestInput::RoutedDragEffect(right, TestInput::rdDrop, p, &text, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
    EXPECT_EQ(received, QStringLiteral("Meter 7"));
    // Node data written by a tree of another process: no live source, only a copy.
    QMimeData foreign;
    QByteArray nodes;
    left->SetSelected(left->GetLast(), true);
    ASSERT_TRUE(left->RenderOLEData(ClipboardMimeType(TreeDataFormat), nodes, false));
    foreign.setData(ClipboardMimeType(TreeDataFormat), nodes);
    foreign.setData(ClipboardMimeType(TreeReferenceFormat), QByteArray(12, '\x7f'));
    right->OnDragDrop = [](TBaseNodeTree* s, TObject*, const QMimeData* data, const TFormatArray&, TShiftState, TPoint, Integer& effect,
                           TDropMode) { EXPECT_TRUE(s->ProcessDrop(data, nullptr, effect, amAddChildLast)); };
    TestInput::RoutedDragEffect(right, TestInput::rdEnter, p, &foreign, DROPEFFECT_MOVE, ssShift);
    EXPECT_EQ(TestInput::RoutedDragEffect(right, TestInput::rdDrop, p, &foreign, DROPEFFECT_MOVE, ssShift), DROPEFFECT_MOVE);
    EXPECT_EQ(Shape(right), (S{{100, 0}, {200, 0}, {201, 1}, {3, 0}}));
    EXPECT_EQ(Shape(left).size(), 4u);
}

TEST_F(TDragDropTest, KeysChooseTheEffectAndNoHandlerRefusesEverything)
{
    QMimeData text;
    text.setText(QStringLiteral("x"));
    const TPoint p = LabelOf(right, right->GetFirst());
    const Integer all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    const struct {
        TShiftState shift;
        Integer allowed, expected;
    } cases[] = {
        {{}, all, DROPEFFECT_COPY},
        {ssShift, all, DROPEFFECT_MOVE},
        {ssCtrl, all, DROPEFFECT_COPY},
        {TShiftState(ssCtrl) | ssShift, all, DROPEFFECT_LINK},
        {ssAlt, all, DROPEFFECT_LINK},
        {ssAlt, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {{}, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
    };
    TestInput::RoutedDragEffect(right, TestInput::rdEnter, p, &text, all);
    for (const auto& c : cases) {
        EXPECT_EQ(TestInput::RoutedDragEffect(right, TestInput::rdMove, p, &text, c.allowed, c.shift), c.expected) << c.shift.Bits();
    }
    TestInput::RoutedDrag(right, TestInput::rdLeave, {}, &text);
    // Without an OnDragOver handler nothing is accepted and nothing dropped.
    right->OnDragOver = nullptr;
    bool dropEvent = false;
    right->OnDragDrop = [&](TBaseNodeTree*, TObject*, const QMimeData*, const TFormatArray&, TShiftState, TPoint, Integer&, TDropMode) {
        dropEvent = true;
    };
    EXPECT_EQ(TestInput::RoutedDragEffect(right, TestInput::rdEnter, p, &text, all), DROPEFFECT_NONE);
    EXPECT_EQ(TestInput::RoutedDragEffect(right, TestInput::rdDrop, p, &text, all), DROPEFFECT_NONE);
    EXPECT_FALSE(dropEvent);
    // The drag manager's answers to the desktop's drag loop.
    TNtDragManager manager(right);
    EXPECT_EQ(manager.QueryContinueDrag(true, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(manager.QueryContinueDrag(false, MK_LBUTTON | MK_RBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(manager.QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(manager.QueryContinueDrag(false, MK_RBUTTON), S_OK);
    EXPECT_EQ(manager.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST_F(TDragDropTest, TheDropTargetAndTheDropMarkAreDrawnWhileDragging)
{
    PDataNode target = right->GetFirst();
    QImage during, mark, drag;
    DragSeam::QueueDrag([&](QMimeData* data, Integer allowed) {
        TestInput::RoutedDragEffect(right, TestInput::rdEnter, LabelOf(right, target), data, allowed);
        TestInput::RoutedDragEffect(right, TestInput::rdMove, LabelOf(right, target), data, allowed);
        Application->ProcessMessages();
        during = GrabControl(right);
        // The picture of the dragged node follows the pointer over the trees.
        TNtDragImage* image = left->DragImage();
        EXPECT_TRUE(image->Visible());
        // Right of the label, in the lower half of the row: a drop below it.
        const TPoint below(LabelOf(right, target).X + 60, LabelOf(right, target).Y + 4);
        TestInput::RoutedDragEffect(right, TestInput::rdMove, below, data, allowed);
        EXPECT_EQ(right->LastDropMode(), dmBelow);
        Application->ProcessMessages();
        drag = GrabControl(form.get());

        {
            QPainter painter(&drag);
            const TRect r = image->GetDragImageRect();
            const TPoint origin = form->ClientToScreen(TPoint(0, 0));
            painter.drawImage(r.Left - origin.X, r.Top - origin.Y, image->AlphaImage());
        }
        TestInput::RoutedDragEffect(right, TestInput::rdMove, RightOf(right, target, 2), data, allowed);
        Application->ProcessMessages();
        mark = GrabControl(right);
        TestInput::RoutedDrag(right, TestInput::rdLeave, {}, data);
        return DROPEFFECT_NONE;
    });
    DragWithMouse(left, left->GetLast());
    testsupport::SaveScreenshot(drag, QStringLiteral("TNodeStringTree-drag-in-progress"));
    testsupport::SaveScreenshot(mark, QStringLiteral("TNodeStringTree-drop-mark"));
    const Integer h = Integer(right->NodeHeight(target));
    auto count = [&](const QImage& img, const QRect& r, TColor c) {
        const LongWord rgb = ColorToRGB(c);
        const QRgb q = qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
        Integer n = 0;
        for (int y = r.top(); y <= std::min(r.bottom(), img.height() - 1); ++y)
            for (int x = r.left(); x <= std::min(r.right(), img.width() - 1); ++x)
                n += (img.pixel(x, y) & 0xFFFFFF) == (q & 0xFFFFFF);
        return n;
    };
    // On the node: its label is filled in the drop target's colour.
    EXPECT_GT(count(during, QRect(20, 0, 100, h), right->Colors()->GetColor(TNtColors::DropTargetColor)), 100);
    // Above it: no fill, but the mark along the row's top edge.
    EXPECT_LT(count(mark, QRect(20, 2, 100, h - 4), right->Colors()->GetColor(TNtColors::DropTargetColor)), 20);
    EXPECT_GT(count(mark, QRect(0, 0, 200, 2), right->Colors()->GetColor(TNtColors::DropMarkColor)), 300);
    // After the drag nothing is left drawn and the picture is gone.
    EXPECT_EQ(right->DropTargetNode(), nullptr);
    EXPECT_FALSE(left->DragImage()->Visible());
}

TEST_F(TDragDropTest, ACollapsedTargetOpensAfterTheDelayAndATallTreeScrolls)
{
    right->TreeOptions()->SetAutoOptions(right->TreeOptions()->AutoOptions() | toAutoDropExpand | toAutoScroll);
    right->SetAutoExpandDelay(20);
    right->SetAutoScrollDelay(0);
    PDataNode n200 = right->GetFirst()->NextSibling;
    ASSERT_FALSE(right->Expanded(n200));
    QMimeData text;
    text.setText(QStringLiteral("x"));
    // The drag comes in over another node and then stays on the collapsed one.
    TestInput::RoutedDragEffect(right, TestInput::rdEnter, LabelOf(right, right->GetFirst()), &text, DROPEFFECT_COPY);
    TestInput::RoutedDragEffect(right, TestInput::rdMove, LabelOf(right, n200), &text, DROPEFFECT_COPY);
    for (int i = 0; i < 50 && !right->Expanded(n200); ++i) {
        Application->ProcessMessages();
        QThread::msleep(5);
    }
    EXPECT_TRUE(right->Expanded(n200));
    TestInput::RoutedDrag(right, TestInput::rdLeave, {}, &text);
    // Many nodes: a drag near the bottom edge scrolls the tree down.
    for (Integer id = 300; id < 330; ++id)
        Add(right, nullptr, id);
    const Integer before = right->OffsetY();
    TestInput::RoutedDragEffect(right, TestInput::rdEnter, TPoint(100, 100), &text, DROPEFFECT_COPY);
    TestInput::RoutedDragEffect(right, TestInput::rdMove, TPoint(100, right->ClientHeight() - 3), &text, DROPEFFECT_COPY);
    TestInput::RoutedDragEffect(right, TestInput::rdMove, TPoint(100, right->ClientHeight() - 2), &text, DROPEFFECT_COPY);
    EXPECT_LT(right->OffsetY(), before);
    TestInput::RoutedDrag(right, TestInput::rdLeave, {}, &text);
}

TEST_F(TDragDropTest, AnInProcessDragDropsOnAnotherTree)
{
    left->SetDragType(dtVCL);
    right->OnDragDrop = [this](TBaseNodeTree* s, TObject* source, const QMimeData* data, const TFormatArray& formats, TShiftState, TPoint,
                               Integer& effect, TDropMode mode) {
        dropped = {s, source, mode, formats};
        EXPECT_EQ(data, nullptr);
        // The dragged tree's selection, copied under the drop target.
        auto* from = dynamic_cast<TBaseNodeTree*>(source);
        ASSERT_NE(from, nullptr);
        for (PDataNode n : from->GetSortedSelection(true))
            from->CopyTo(n, s->DropTargetNode(), amAddChildLast, false);
    };
    bool ended = false;
    TObject* endTarget = nullptr;
    left->OnEndDrag = [&](TObject*, TObject* target, Integer, Integer) {
        ended = true;
        endTarget = target;
    };
    PDataNode two = left->GetFirst()->NextSibling;
    const TPoint p = LabelOf(left, two);
    TestInput::MouseDown(left, mbLeft, p);
    EXPECT_TRUE(left->HasTreeState(tsVCLDragPending));
    TestInput::MouseMove(left, TPoint(p.X + 20, p.Y));
    // Over the other tree: the node under the pointer is its drop target.
    const TPoint over = right->ClientToScreen(LabelOf(right, right->GetFirst()));
    TestInput::MouseMove(left, left->ScreenToClient(over));
    EXPECT_EQ(right->DropTargetNode(), right->GetFirst());
    EXPECT_TRUE(right->HasTreeState(tsVCLDragging));
    TestInput::MouseUp(left, mbLeft, left->ScreenToClient(over));
    EXPECT_TRUE(ended);
    EXPECT_EQ(endTarget, right);
    EXPECT_EQ(dropped.Source, left);
    EXPECT_EQ(Shape(right), (S{{100, 0}, {2, 1}, {200, 0}, {201, 1}}));
    EXPECT_FALSE(left->HasTreeState(tsVCLDragPending | tsVCLDragging | tsLeftButtonDown));
    EXPECT_EQ(right->DropTargetNode(), nullptr);
}
