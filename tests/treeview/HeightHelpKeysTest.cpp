// Node heights dragged with the mouse at a fixed column's node edges, the
// F1 help chain, and Ctrl+'+' and Ctrl+'-' fitting and restoring columns.

#include <QWidget>

#include "HeaderFixture.h"
#include "platform/WidgetBridge.h"

namespace {

class THeightHelpKeys : public THeaderTreeFixture {
protected:
    void SetUp() override
    {
        THeaderTreeFixture::SetUp();
        Fill();
        columns->Items(0)->SetOptions(columns->Items(0)->Options() | coFixed);
        TCustomNodeTreeOptions* o = tree->TreeOptions();
        o->SetMiscOptions(o->MiscOptions() | toNodeHeightResize | toNodeHeightDblClickResize);
        ShowForm();
        tree->SetFocus();
        Application->ProcessMessages();
    }
    // The lower edge of a node in a column, in client coordinates.
    TPoint LowerEdge(PDataNode n, TColumnIndex column = 0)
    {
        const TRect r = tree->GetDisplayRect(n, column, false);
        return TPoint(r.Left + 10, r.Bottom - 2);
    }
    Qt::CursorShape Shape() { return TWidgetBridge::Widget(tree)->cursor().shape(); }
};

} // namespace

TEST_F(THeightHelpKeys, DraggingAFixedColumnsNodeEdgeSetsItsHeight)
{
    const Integer top = tree->GetDisplayRect(b, 0, false).Top;
    TestInput::MouseMove(tree, LowerEdge(b));
    EXPECT_EQ(Shape(), Qt::SplitVCursor);
    TestInput::MouseDown(tree, mbLeft, LowerEdge(b));
    EXPECT_TRUE(tree->HasTreeState(tsNodeHeightTrackPending));
    // Down by 22 pixels, then far above the node's top: never below 1.
    TestInput::MouseMove(tree, TPoint(20, top + 40), {});
    EXPECT_EQ(tree->NodeHeight(b), 40u);
    EXPECT_TRUE(tree->HasTreeState(tsNodeHeightTracking));
    TestInput::MouseMove(tree, TPoint(20, top - 30), {});
    EXPECT_EQ(tree->NodeHeight(b), 1u);
    TestInput::MouseMove(tree, TPoint(20, top + 30), {});
    TestInput::MouseUp(tree, mbLeft, TPoint(20, top + 30));
    EXPECT_EQ(tree->NodeHeight(b), 30u);
    EXPECT_FALSE(tree->HasTreeState(tsNodeHeightTracking | tsNodeHeightTrackPending));
    EXPECT_EQ(tree->FocusedNode(), nullptr) << "the press on the edge selected nothing";

    // Away from the edge the cursor is the control's own again.
    TestInput::MouseMove(tree, TPoint(20, top + 10));
    EXPECT_EQ(Shape(), Qt::ArrowCursor);

    // A double click on the edge gives the default height back.
    TestInput::DblClick(tree, LowerEdge(b));
    EXPECT_EQ(tree->NodeHeight(b), tree->DefaultNodeHeight());
}

TEST_F(THeightHelpKeys, EdgesOfOtherColumnsOrRefusedByTheOwnerAreNotDragged)
{
    const Cardinal height = tree->NodeHeight(b);
    // Not a fixed column: a press there is an ordinary click.
    TestInput::MouseMove(tree, LowerEdge(b, 1));
    EXPECT_NE(Shape(), Qt::SplitVCursor);
    TestInput::MouseDown(tree, mbLeft, LowerEdge(b, 1));
    EXPECT_FALSE(tree->HasTreeState(tsNodeHeightTrackPending));
    TestInput::MouseUp(tree, mbLeft, LowerEdge(b, 1));

    // The owner refuses the edge; then it allows it but refuses each move.
    tree->OnCanSplitterResizeNode = [](TBaseNodeTree*, TPoint, PDataNode, TColumnIndex, bool& Allowed) { Allowed = false; };
    TestInput::MouseMove(tree, LowerEdge(b));
    EXPECT_NE(Shape(), Qt::SplitVCursor);
    TestInput::MouseDown(tree, mbLeft, LowerEdge(b));
    EXPECT_FALSE(tree->HasTreeState(tsNodeHeightTrackPending));
    TestInput::MouseUp(tree, mbLeft, LowerEdge(b));

    tree->OnCanSplitterResizeNode = nullptr;
    tree->OnNodeHeightTracking = [](TBaseNodeTree*, PDataNode, TColumnIndex, TShiftState, TPoint&, TPoint, bool& Allowed) { Allowed = false; };
    TestInput::MouseDown(tree, mbLeft, LowerEdge(b));
    TestInput::MouseMove(tree, TPoint(20, LowerEdge(b).Y + 30), {});
    TestInput::MouseUp(tree, mbLeft, TPoint(20, LowerEdge(b).Y + 30));
    EXPECT_EQ(tree->NodeHeight(b), height);

    // A double click the owner refuses keeps a changed height.
    tree->SetNodeHeight(b, 33);
    tree->OnNodeHeightDblClickResize = [](TBaseNodeTree*, PDataNode, TColumnIndex, TShiftState, TPoint, bool& Allowed) { Allowed = false; };
    TestInput::DblClick(tree, LowerEdge(b));
    EXPECT_EQ(tree->NodeHeight(b), 33u);
}

TEST_F(THeightHelpKeys, F1ShowsTheFirstHelpContextFromTheFocusedNodeUpward)
{
    std::vector<Integer> shown;
    Application->OnHelp = [&shown](Integer Context) {
        shown.push_back(Context);
        return true;
    };
    struct Restore {
        ~Restore() { Application->OnHelp = nullptr; }
    } restore;
    tree->FullExpand();
    PDataNode child = a->FirstChild;
    tree->SetFocusedNode(child);
    form->SetHelpContext(12);

    // Without the node event F1 does nothing, even with a control context.
    TestInput::PressKey(tree, VK_F1);
    EXPECT_TRUE(shown.empty());

    std::vector<PDataNode> asked;
    Integer parentContext = 77;
    tree->OnGetHelpContext = [&](TBaseNodeTree*, PDataNode Node, TColumnIndex Column, Integer& Context) {
        asked.push_back(Node);
        EXPECT_EQ(Column, 0) << "no focused column counts as column 0";
        if (Node == a)
            Context = parentContext;
    };
    TestInput::PressKey(tree, VK_F1);
    EXPECT_EQ(asked, (std::vector<PDataNode>{child, a}));
    // No node has a topic: the tree's, then its parents'.
    parentContext = 0;
    TestInput::PressKey(tree, VK_F1);
    tree->SetHelpContext(5);
    TestInput::PressKey(tree, VK_F1);
    EXPECT_EQ(shown, (std::vector<Integer>{77, 12, 5}));
}

TEST_F(THeightHelpKeys, CtrlPlusFitsTheColumnsAndCtrlMinusRestoresThem)
{
    // The main keyboard's plus and minus keys.
    constexpr Word Plus = 0xBB, Minus = 0xBD;
    tree->FullExpand();
    const Integer unit = columns->Items(2)->Width();
    TestInput::PressKey(tree, Plus, ssCtrl);
    EXPECT_EQ(columns->Items(2)->Width(), tree->GetMaxColumnWidth(2));
    EXPECT_NE(columns->Items(2)->Width(), unit);
    TestInput::PressKey(tree, Minus, ssCtrl);
    EXPECT_EQ(columns->Items(2)->Width(), unit);

    // With the hot keys reversed, Ctrl+'-' collapses the whole tree instead.
    TCustomNodeTreeOptions* o = tree->TreeOptions();
    o->SetMiscOptions(o->MiscOptions() | toReverseFullExpandHotKey);
    TestInput::PressKey(tree, Minus, ssCtrl);
    EXPECT_FALSE(tree->Expanded(a));
    EXPECT_EQ(columns->Items(2)->Width(), unit);
}
