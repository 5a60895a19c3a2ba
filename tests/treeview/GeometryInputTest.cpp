// Geometry and hit tests, expanding and collapsing with the shown-row
// count, scrolling, and the keyboard and mouse as a user works the tree;
// the pixels of buttons, check boxes, lines and the selection.

#include <set>

#include <QElapsedTimer>

#include "Screenshot.h"
#include "TreeFixture.h"
#include "platform/Bitmap.h"
#include "platform/ImageList.h"

namespace {

// Top-level "alpha", "beta" (3 children "b0".."b2") and "bravo"; texts by index.
class TInputTree : public TTreeFixture {
protected:
    void SetUp() override
    {
        TTreeFixture::SetUp();
        tree->OnGetText = [](TBaseNodeTree* t, PDataNode n, TColumnIndex, TNSTTextType type, QString& text) {
            if (type != ttNormal)
                return;
            static const char* names[] = {"alpha", "beta", "bravo"};
            if (t->GetNodeLevel(n) == 0)
                text = QLatin1String(n->Index < 3 ? names[n->Index] : "more");
            else
                text = QStringLiteral("b%1").arg(n->Index);
        };
        tree->SetRootNodeCount(3);
        tree->SetChildCount(Beta(), 3);
    }
    PDataNode Alpha() { return tree->GetFirstChildNoInit(nullptr); }
    PDataNode Beta() { return Alpha()->NextSibling; }
    PDataNode Bravo() { return Beta()->NextSibling; }
    TPoint LabelPoint(PDataNode n)
    {
        const TRect r = tree->GetDisplayRect(n, NoColumn, true);
        return TPoint(r.Left + 3, (r.Top + r.Bottom) / 2);
    }
    void Press(Word vk, TShiftState shift = {}) { TestInput::PressKey(tree, vk, shift); }
    void ShowFocused()
    {
        ShowForm();
        tree->SetFocus();
        Application->ProcessMessages();
    }
};

} // namespace

// ---------------------------------------------------------------- geometry

TEST_F(TInputTree, DisplayRectanglesAndHitTests)
{
    ShowForm();
    const Integer indent = Integer(tree->Indent()), margin = tree->Margin();
    const TRect row = tree->GetDisplayRect(Beta(), NoColumn, false);
    EXPECT_EQ(row.Top, 18);
    EXPECT_EQ(row.Bottom, 36);
    const TRect text = tree->GetDisplayRect(Beta(), NoColumn, true);
    EXPECT_EQ(text.Left, margin + indent);
    EXPECT_EQ(text.Width(), tree->GetNodeWidth(Beta(), NoColumn));
    // A collapsed branch has no rectangle.
    EXPECT_TRUE(tree->GetDisplayRect(Beta()->FirstChild, NoColumn, false).IsEmpty());
    const struct {
        TPoint p;
        PDataNode node;
        THitPositions has;
    } cases[] = {
        {{indent - 2, 27}, Beta(), hiOnItem | hiOnItemButton | hiOnItemButtonExact},
        {{3, 27}, Beta(), hiOnItem | hiOnItemButton},
        {{3, 9}, Alpha(), hiOnItem | hiOnItemIndent},
        {{text.Left + 2, 27}, Beta(), hiOnItem | hiOnItemLabel},
        {{text.Right + 20, 27}, Beta(), hiOnItem | hiOnItemRight},
        {{-1, -1}, nullptr, hiToLeft | hiAbove},
        {{20, 200}, nullptr, hiNowhere},
    };
    for (const auto& c : cases) {
        THitInfo hit;
        tree->GetHitTestInfoAt(c.p.X, c.p.Y, true, hit);
        EXPECT_EQ(hit.HitNode, c.node) << c.p.X << "," << c.p.Y;
        EXPECT_EQ(hit.HitPositions & c.has, c.has) << c.p.X << "," << c.p.Y << " got " << hit.HitPositions;
        EXPECT_EQ(hit.HitColumn, NoColumn);
    }
    EXPECT_EQ(tree->GetNodeAt(0, -5), Alpha());
    EXPECT_EQ(tree->GetNodeAt(0, 1000), nullptr);
    // With check boxes the text moves by the box.
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toCheckSupport);
    Beta()->CheckType = ctCheckBox;
    const Integer check = tree->CheckImages()->Width() + 2;
    tree->InvalidateNode(Beta());
    EXPECT_EQ(tree->GetDisplayRect(Beta(), NoColumn, true).Left, margin + indent + check);
    THitInfo hit;
    tree->GetHitTestInfoAt(margin + indent + 3, 27, true, hit);
    EXPECT_EQ(hit.HitPositions, hiOnItem | hiOnItemCheckbox);
    // The default height 0 means 18; existing nodes keep theirs.
    tree->SetDefaultNodeHeight(30);
    EXPECT_EQ(Alpha()->NodeHeight, 18);
    tree->SetDefaultNodeHeight(0);
    EXPECT_EQ(tree->DefaultNodeHeight(), 18u);
}

// The horizontal range follows the widest row in view as nodes are added
// one by one: a node under a collapsed parent shows no row and leaves it as
// measured, a shown node or a text change (InvalidateNode) is measured.
TEST_F(TInputTree, AddingNodesKeepsTheHorizontalRangeOfTheWidestRowInView)
{
    QString wide;
    tree->OnGetText = [&wide](TBaseNodeTree* t, PDataNode n, TColumnIndex, TNSTTextType type, QString& text) {
        if (type == ttNormal)
            text = t->GetNodeLevel(n) == 0 && n->Index == 1 && !wide.isEmpty() ? wide : QStringLiteral("n%1").arg(n->Index);
    };
    ShowForm();
    // The range a full measuring of the rows in view gives.
    auto measured = [this] {
        tree->UpdateScrollBars(true);
        return tree->RangeX();
    };
    const Cardinal narrow = measured();
    ASSERT_GT(narrow, 0u);
    ASSERT_FALSE(tree->Expanded(Beta()));

    tree->AddChild(Beta());
    EXPECT_EQ(tree->RangeX(), narrow) << "a hidden row leaves the range";
    wide = QStringLiteral("a much wider text than any other row shows");
    tree->InvalidateNode(Beta());
    tree->AddChild(Beta());
    const Cardinal wider = tree->RangeX();
    EXPECT_GT(wider, narrow) << "the changed text is measured";
    EXPECT_EQ(wider, measured());

    wide.clear();
    tree->InvalidateNode(Beta());
    tree->SetExpanded(Beta(), true);
    tree->AddChild(Beta());
    EXPECT_EQ(tree->RangeX(), measured()) << "a shown row is measured";
    EXPECT_LT(tree->RangeX(), wider);
    CheckInvariants(tree);
}

// Adding a child repaints the parent's row (its button may change). One
// mark reaches down to the bottom and serves later appends below it until
// the next paint, and no further: an append after a paint marks again.
TEST_F(TInputTree, AddingAChildRepaintsTheParentsRow)
{
    ShowForm();
    std::set<PDataNode> painted;
    tree->OnPaintText = [&](TBaseNodeTree*, TCanvas*, PDataNode n, TColumnIndex, TNSTTextType) { painted.insert(n); };
    auto paintAfter = [&](std::initializer_list<PDataNode> parents) {
        painted.clear();
        for (PDataNode p : parents)
            tree->AddChild(p);
        Application->ProcessMessages();
        return painted;
    };
    EXPECT_TRUE(paintAfter({Bravo()}).count(Bravo()));
    EXPECT_TRUE(paintAfter({Beta()}).count(Beta()));
    EXPECT_TRUE(paintAfter({Bravo()}).count(Bravo())) << "marked again after the paint";
    EXPECT_TRUE(paintAfter({nullptr}).count(Alpha())) << "a new top-level node repaints the window";
    EXPECT_TRUE(paintAfter({Bravo()}).count(Bravo())) << "marked again after the window's paint";
    const std::set<PDataNode> rows = paintAfter({Bravo(), Alpha()});
    EXPECT_TRUE(rows.count(Alpha()) && rows.count(Bravo()));
}

TEST_F(TInputTree, VariableHeightsComeFromTheMeasureEvent)
{
    tree->OnMeasureItem = [](TBaseNodeTree*, TCanvas*, PDataNode n, Integer& h) { h = n->Index == 1 ? 40 : 20; };
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toVariableNodeHeight);
    EXPECT_EQ(tree->NodeHeight(Beta()), 40u);
    EXPECT_EQ(tree->GetDisplayRect(Bravo(), NoColumn, false).Top, 60);
    EXPECT_EQ(tree->RangeY(), 80u);
    Integer top = 0;
    EXPECT_EQ(tree->GetNodeAt(0, 59, false, top), Beta());
    EXPECT_EQ(top, 20);
}

// ---------------------------------------------------------------- expanding

TEST_F(TInputTree, ExpandingAndCollapsingKeepTheShownRows)
{
    int expanded = 0;
    tree->OnExpanded = [&](TBaseNodeTree*, PDataNode) { ++expanded; };
    EXPECT_EQ(tree->VisibleCount(), 3u);
    tree->ToggleNode(Beta());
    EXPECT_EQ(tree->VisibleCount(), 6u);
    EXPECT_EQ(tree->RangeY(), 6u * 18u);
    tree->SetFiltered(Beta()->FirstChild->NextSibling, true);
    EXPECT_EQ(tree->VisibleCount(), 5u);
    EXPECT_EQ(Beta()->TotalHeight, 3u * 18u);
    tree->ToggleNode(Beta());
    EXPECT_EQ(tree->VisibleCount(), 3u);
    EXPECT_EQ(tree->RangeY(), 3u * 18u);
    // A hidden node under a collapsed grandparent changes its parent only.
    tree->ToggleNode(Beta());
    PDataNode b0 = Beta()->FirstChild;
    tree->AddChild(b0);
    tree->ToggleNode(b0);
    tree->ToggleNode(Beta());
    const Cardinal visible = tree->VisibleCount(), betaTotal = Beta()->TotalHeight, b0Total = b0->TotalHeight;
    tree->SetVisible(b0->FirstChild, false);
    EXPECT_EQ(b0->TotalHeight, b0Total - 18);
    EXPECT_EQ(Beta()->TotalHeight, betaTotal);
    EXPECT_EQ(tree->VisibleCount(), visible);
    tree->SetVisible(b0->FirstChild, true);
    EXPECT_EQ(b0->TotalHeight, b0Total);
    // Children announced by the owner but none given: no expansion.
    int expanding = 0;
    expanded = 0;
    tree->OnExpanding = [&](TBaseNodeTree*, PDataNode, bool&) { ++expanding; };
    tree->OnInitChildren = [](TBaseNodeTree*, PDataNode, Cardinal& count) { count = 0; };
    tree->SetHasChildren(Alpha(), true);
    tree->ToggleNode(Alpha());
    EXPECT_EQ(expanding, 1);
    EXPECT_EQ(expanded, 0);
    EXPECT_FALSE(tree->Expanded(Alpha()));
    // An empty tree collapses nothing and reports nothing.
    TNodeStringTree empty(nullptr);
    int states = 0;
    empty.OnStateChange = [&](TBaseNodeTree*, TNodeTreeStates, TNodeTreeStates) { ++states; };
    empty.FullCollapse();
    EXPECT_EQ(states, 0);
}

TEST_F(TInputTree, LineImagesDescribeTheConnectorsOfARow)
{
    tree->ToggleNode(Beta());
    TLineImage image;
    PDataNode last = Beta()->LastChild;
    tree->SetSelected(Beta(), true);
    EXPECT_EQ(tree->BuildLineImage(last, image), 1) << "one selected ancestor";
    EXPECT_EQ(image, (TLineImage{ltTopDown, ltTopRight}));
    tree->BuildLineImage(Alpha(), image);
    EXPECT_EQ(image, (TLineImage{ltBottomRight}));
    tree->BuildLineImage(Bravo(), image);
    EXPECT_EQ(image, (TLineImage{ltTopRight}));
    tree->BuildLineImage(Beta()->FirstChild, image);
    EXPECT_EQ(image, (TLineImage{ltTopDown, ltTopDownRight}));
}

TEST_F(TInputTree, TheAnimatedToggleRunsForItsDurationAndEndsRight)
{
    int steps = 0, lastStep = -1, lastSize = -1;
    auto count = [&](Integer step, Integer size, void*) {
        ++steps;
        lastStep = step;
        lastSize = size;
        return true;
    };
    EXPECT_FALSE(tree->Animate(10, 0, count, nullptr));
    EXPECT_EQ(steps, 0);
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(tree->Animate(20, 60, count, nullptr));
    EXPECT_GE(t.elapsed(), 50);
    EXPECT_GT(steps, 2);
    EXPECT_EQ(lastStep, 0);
    EXPECT_EQ(lastSize, 0);
    // The scan window's trees toggle animated.
    tree->TreeOptions()->SetAnimationOptions(toAnimatedToggle);
    tree->SetAnimationDuration(120);
    ShowForm();
    t.restart();
    tree->ToggleNode(Beta());
    EXPECT_GE(t.elapsed(), 100);
    EXPECT_TRUE(tree->Expanded(Beta()));
    EXPECT_EQ(tree->VisibleCount(), 6u);
    EXPECT_FALSE(tree->HasTreeState(tsToggling | tsInAnimation));
    // Inside an update nothing animates.
    tree->BeginUpdate();
    t.restart();
    tree->ToggleNode(Beta());
    tree->EndUpdate();
    EXPECT_LT(t.elapsed(), 100);
}

// ---------------------------------------------------------------- scrolling

TEST_F(TInputTree, OffsetsAreClampedAndNodesScrolledIntoView)
{
    tree->SetRootNodeCount(100);
    ShowForm();
    const Integer client = tree->ClientHeight();
    tree->SetOffsetY(100);
    EXPECT_EQ(tree->OffsetY(), 0);
    tree->SetOffsetY(-1000000);
    EXPECT_EQ(tree->OffsetY(), client - Integer(tree->RangeY()));
    tree->Perform(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(tree->OffsetY(), 0);
    tree->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(tree->BottomNode(), tree->GetLast());
    tree->Perform(WM_VSCROLL, SB_TOP);
    PDataNode n50 = tree->GetFirst();
    for (int i = 0; i < 50; ++i)
        n50 = n50->NextSibling;
    EXPECT_TRUE(tree->ScrollIntoView(n50, true));
    const TRect r = tree->GetDisplayRect(n50, NoColumn, false);
    EXPECT_EQ(r.Bottom, client / 2);
    EXPECT_TRUE(tree->VertScrollBarShown());
    // A wheel notch scrolls three rows.
    tree->SetOffsetY(0);
    TestInput::Wheel(tree, -120, TPoint(50, 50));
    EXPECT_EQ(tree->OffsetY(), -3 * 18);
    tree->SetTopNode(n50);
    EXPECT_EQ(tree->TopNode(), n50);
}

// ---------------------------------------------------------------- keyboard

TEST_F(TInputTree, ArrowKeysMoveTheFocusAndExpand)
{
    ShowFocused();
    Press(VK_DOWN);
    EXPECT_EQ(tree->FocusedNode(), Alpha()) << "no focus: the first row";
    Press(VK_UP);
    EXPECT_EQ(tree->FocusedNode(), Alpha());
    Press(VK_DOWN);
    EXPECT_EQ(tree->FocusedNode(), Beta());
    EXPECT_TRUE(tree->Selected(Beta()));
    EXPECT_EQ(tree->SelectedCount(), 1);
    Press(VK_RIGHT);
    EXPECT_TRUE(tree->Expanded(Beta()));
    Press(VK_RIGHT);
    EXPECT_EQ(tree->FocusedNode(), Beta()->FirstChild);
    Press(VK_LEFT);
    EXPECT_EQ(tree->FocusedNode(), Beta());
    Press(VK_LEFT);
    EXPECT_FALSE(tree->Expanded(Beta()));
    Press(VK_END);
    EXPECT_EQ(tree->FocusedNode(), Bravo());
    Press(VK_HOME);
    EXPECT_EQ(tree->FocusedNode(), Alpha());
    Press(VK_DOWN);
    // The main keyboard's plus and minus act like the numeric pad's.
    Press(0xBB);
    EXPECT_TRUE(tree->Expanded(Beta()));
    Press(0xBD);
    EXPECT_FALSE(tree->Expanded(Beta()));
    tree->Perform(WM_KEYDOWN, VK_MULTIPLY);
    EXPECT_TRUE(tree->Expanded(Beta()));
    tree->Perform(WM_KEYDOWN, VK_DIVIDE);
    EXPECT_FALSE(tree->Expanded(Beta()));
}

TEST_F(TInputTree, ShiftExtendsAndCtrlASelectsAll)
{
    tree->TreeOptions()->SetSelectionOptions(toMultiSelect);
    tree->ToggleNode(Beta());
    ShowFocused();
    Press(VK_DOWN);
    for (int i = 0; i < 3; ++i)
        Press(VK_DOWN, ssShift);
    EXPECT_EQ(tree->SelectedCount(), 4);
    Press(VK_UP, ssShift);
    EXPECT_EQ(tree->SelectedCount(), 3);
    EXPECT_EQ(tree->FocusedNode(), Beta()->FirstChild);
    Press(VK_DOWN);
    EXPECT_EQ(tree->SelectedCount(), 1);
    EXPECT_TRUE(tree->Selected(Beta()->FirstChild->NextSibling));
    Press(0x41, ssCtrl);
    EXPECT_EQ(tree->SelectedCount(), 6);
}

TEST_F(TInputTree, SpaceChecksAtTheKeysRelease)
{
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toCheckSupport);
    tree->OnInitNode = [](TBaseNodeTree*, PDataNode, PDataNode n, TDataNodeInitStates&) { n->CheckType = ctCheckBox; };
    tree->ReinitNode(nullptr, true);
    ShowFocused();
    Press(VK_DOWN);
    int checked = 0;
    tree->OnChecked = [&](TBaseNodeTree*, PDataNode) { ++checked; };
    TestInput::KeyDown(tree, VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_EQ(Alpha()->CheckState, csUncheckedPressed);
    TestInput::KeyUp(tree, VK_SPACE);
    EXPECT_EQ(Alpha()->CheckState, csCheckedNormal);
    EXPECT_EQ(checked, 1);
    // Another key before the release cancels the press.
    TestInput::KeyDown(tree, VK_SPACE, {}, QStringLiteral(" "));
    Press(VK_DOWN);
    TestInput::KeyUp(tree, VK_SPACE);
    EXPECT_EQ(Alpha()->CheckState, csCheckedNormal);
    EXPECT_EQ(checked, 1);
}

TEST_F(TInputTree, TypingSearchesTheTextsIncrementally)
{
    tree->SetIncrementalSearch(isAll);
    ShowFocused();
    Press(VK_DOWN);
    ASSERT_EQ(tree->FocusedNode(), Alpha());
    TestInput::TypeText(tree, QStringLiteral("b"));
    EXPECT_EQ(tree->FocusedNode(), Beta());
    TestInput::TypeText(tree, QStringLiteral("b"));
    EXPECT_EQ(tree->FocusedNode(), Beta()->FirstChild) << "a repeated letter moves on to the next match";
    tree->SetFocusedNode(Alpha());
    tree->SetIncrementalSearch(isNone);
    tree->SetIncrementalSearch(isAll);
    TestInput::TypeText(tree, QStringLiteral("br"));
    EXPECT_EQ(tree->FocusedNode(), Bravo());
    EXPECT_EQ(tree->SearchBuffer(), QStringLiteral("br"));
    // The search is case-sensitive: nothing starts with an upper-case B.
    tree->SetIncrementalSearch(isNone);
    tree->SetIncrementalSearch(isAll);
    tree->SetFocusedNode(Alpha());
    TestInput::TypeText(tree, QStringLiteral("B"));
    EXPECT_EQ(tree->FocusedNode(), Alpha());
}

// ---------------------------------------------------------------- mouse and selection

TEST_F(TInputTree, ARubberBandSelectsTheRowsItCrosses)
{
    tree->TreeOptions()->SetSelectionOptions(toMultiSelect);
    ShowFocused();
    const TRect text = tree->GetDisplayRect(Bravo(), NoColumn, true);
    // From the empty space right of alpha's text down to bravo's text.
    TestInput::MouseDown(tree, mbLeft, TPoint(text.Right + 40, 9));
    TestInput::MouseMove(tree, TPoint(text.Left + 5, 47), ssLeft);
    EXPECT_TRUE(tree->HasTreeState(tsDrawSelecting));
    TestInput::MouseUp(tree, mbLeft, TPoint(text.Left + 5, 47));
    EXPECT_FALSE(tree->IsMouseSelecting());
    EXPECT_TRUE(tree->Selected(Bravo()));
    EXPECT_GE(tree->SelectedCount(), 1);
}

TEST_F(TInputTree, SelectionRulesAndFocusRefusals)
{
    // Without multi-selection one node at a time.
    tree->SetSelected(Alpha(), true);
    tree->SetSelected(Beta(), true);
    EXPECT_EQ(tree->SelectedCount(), 1);
    EXPECT_EQ(tree->FocusedNode(), Beta());
    tree->SelectAll(false);
    EXPECT_EQ(tree->SelectedCount(), 1);
    // Inverting with multi-selection.
    tree->TreeOptions()->SetSelectionOptions(toMultiSelect);
    tree->SetSelected(Alpha(), true);
    tree->SetSelected(Bravo(), true);
    int added = 0, removed = 0;
    tree->OnAddToSelection = [&](TBaseNodeTree*, PDataNode) { ++added; };
    tree->OnRemoveFromSelection = [&](TBaseNodeTree*, PDataNode) { ++removed; };
    tree->InvertSelection(false);
    EXPECT_EQ(removed, 2);
    EXPECT_EQ(added, 4);
    EXPECT_TRUE(tree->Selected(Beta()));
    EXPECT_FALSE(tree->Selected(Alpha()));
    // A refused focus change leaves the focus.
    tree->OnFocusChanging = [](TBaseNodeTree*, PDataNode, PDataNode, TColumnIndex, TColumnIndex, bool& allowed) { allowed = false; };
    int focusChanges = 0;
    tree->OnFocusChanged = [&](TBaseNodeTree*, PDataNode, TColumnIndex) { ++focusChanges; };
    PDataNode before = tree->FocusedNode();
    tree->SetFocusedNode(Bravo());
    EXPECT_EQ(tree->FocusedNode(), before);
    EXPECT_EQ(focusChanges, 0);
    // Disabled nodes are not selected; the lock stops every change.
    tree->OnFocusChanging = nullptr;
    tree->ClearSelection();
    tree->SetDisabled(Alpha(), true);
    tree->SetSelected(Alpha(), true);
    EXPECT_FALSE(tree->Selected(Alpha()));
    tree->SetSelectionLocked(true);
    tree->SetSelected(Beta(), true);
    EXPECT_EQ(tree->SelectedCount(), 0);
}

// ---------------------------------------------------------------- pixels

TEST_F(TInputTree, ButtonsLinesChecksAndSelectionPaint)
{
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toCheckSupport);
    tree->OnInitNode = [](TBaseNodeTree*, PDataNode, PDataNode n, TDataNodeInitStates&) { n->CheckType = ctCheckBox; };
    tree->ReinitNode(nullptr, true);
    ShowFocused();
    tree->SetCheckState(Alpha(), csCheckedNormal);
    tree->SetSelected(Bravo(), true);
    tree->SetFocusedNode(Bravo());
    QImage img = Grab();
    const Integer indent = Integer(tree->Indent());
    const Integer buttonX = Integer(std::lround((indent - 9) / 2.0)) + 1;
    // Beta's plus: frame and both strokes; the middle column carries the vertical stroke.
    const Integer buttonY = 18 + 4;
    EXPECT_LT(qGray(img.pixel(buttonX + 4, buttonY + 2)), 128) << "vertical stroke of the plus";
    EXPECT_LT(qGray(img.pixel(buttonX + 2, buttonY + 4)), 128) << "horizontal stroke";
    tree->ToggleNode(Beta());
    img = Grab();
    EXPECT_GT(qGray(img.pixel(buttonX + 4, buttonY + 2)), 200) << "a minus has no vertical stroke";
    // The checked box of alpha differs from the unchecked one of bravo.
    const Integer boxX = tree->Margin() + indent - 1;
    const QRect alphaBox(boxX, 1, 16, 16), bravoBox(boxX, 5 * 18 + 1, 16, 16);
    EXPECT_GT(InkIn(img, alphaBox), InkIn(img, bravoBox) + 8);
    EXPECT_GT(InkIn(img, bravoBox), 20) << "an unchecked box still shows its frame";
    // The dotted line from alpha to beta: every other pixel.
    const Integer lineX = Integer(std::lround(indent / 2.0));
    const bool a = qGray(img.pixel(lineX, 14)) < 200, b = qGray(img.pixel(lineX, 15)) < 200, c = qGray(img.pixel(lineX, 16)) < 200;
    EXPECT_NE(a, b);
    EXPECT_EQ(a, c);
    // Bravo's label on the highlight colour, the text in the highlight text colour.
    const TRect label = tree->GetDisplayRect(Bravo(), NoColumn, true);
    EXPECT_EQ(QColor(img.pixel(label.Right - 2, (label.Top + label.Bottom) / 2)), QColor::fromRgb(qRgb(GetRValue(ColorToRGB(clHighlight)), GetGValue(ColorToRGB(clHighlight)), GetBValue(ColorToRGB(clHighlight)))));
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TNodeStringTree-buttons-checks-selection")).isEmpty());
    // An empty tree shows its message.
    tree->Clear();
    tree->SetEmptyListMessage(QStringLiteral("No slaves found"));
    img = Grab();
    EXPECT_GT(InkIn(img, QRect(2, 2, 80, 14)), 10);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TNodeStringTree-empty-message")).isEmpty());
}
