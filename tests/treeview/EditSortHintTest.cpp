// Editing a node's text in place, sorting by the compare event (also
// automatically), and node and header hints through the application's hint
// machinery, on the three-column tree.

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <map>

#include "RunFor.h"
#include "HeaderFixture.h"
#include "Screenshot.h"
#include "TreeFixture.h"
#include "platform/Canvas.h"
#include "platform/GraphicsQt.h"
#include "platform/HintWindow.h"
#include "treeview/NodeTreesEditLink.h"
#include "treeview/header/NodeTreeHintWindow.h"

namespace {
std::vector<Integer> Order(TBaseNodeTree* t, PDataNode parent = nullptr)
{
    std::vector<Integer> ids;
    for (PDataNode n = t->GetFirstChild(parent); n; n = t->GetNextSibling(n))
        ids.push_back(t->GetNodeData<TCellRec>(n)->Id);
    return ids;
}

TNtEdit* EditorOf(TBaseNodeTree* t)
{
    auto* link = dynamic_cast<TStringEditLink*>(t->EditLink());
    return link ? link->Edit() : nullptr;
}
} // namespace

// ---------------------------------------------------------------- editing

class TNodeEditTest : public THeaderTreeFixture {
protected:
    void SetUp() override
    {
        THeaderTreeFixture::SetUp();
        Fill();
        tree->OnNewText = [this](TBaseNodeTree*, PDataNode n, TColumnIndex column, const QString& text) {
            newTexts.push_back({n, column, text});
        };
        tree->OnEdited = [this](TBaseNodeTree*, PDataNode n, TColumnIndex column) { edited.emplace_back(n, column); };
        tree->OnEditCancelled = [this](TBaseNodeTree*, TColumnIndex column) { cancelled.push_back(column); };
        ShowForm();
    }
    void Editable(TNtMiscOptions extra = 0)
    {
        tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toEditable | extra);
    }
    struct TNewText {
        PDataNode Node;
        TColumnIndex Column;
        QString Text;
    };
    std::vector<TNewText> newTexts;
    std::vector<std::pair<PDataNode, TColumnIndex>> edited;
    std::vector<TColumnIndex> cancelled;
};

TEST_F(TNodeEditTest, WithoutEditableNothingStartsAnEdit)
{
    EXPECT_FALSE(tree->CanEdit(b, 0));
    EXPECT_FALSE(tree->EditNode(b, 0));
    tree->SetFocusedNode(b);
    tree->SetFocus();
    TestInput::PressKey(tree, VK_F2);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(tree->EditLink(), nullptr);
    // A column without coEditable refuses too.
    Editable();
    columns->Items(1)->SetOptions(columns->Items(1)->Options() & ~coEditable);
    EXPECT_TRUE(tree->CanEdit(b, 0));
    EXPECT_FALSE(tree->CanEdit(b, 1));
    tree->OnEditing = [](TBaseNodeTree*, PDataNode, TColumnIndex, bool& allowed) { allowed = false; };
    EXPECT_FALSE(tree->EditNode(b, 0));
    EXPECT_THROW(tree->EditNode(b, 3), EAssertionFailed);
}

TEST_F(TNodeEditTest, F2EditsTheFocusedCellAndEnterCommits)
{
    Editable();
    tree->SetFocusedNode(b);
    tree->SetFocus();
    TestInput::PressKey(tree, VK_F2);
    ASSERT_TRUE(tree->IsEditing());
    TNtEdit* edit = EditorOf(tree);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(edit->Text(), QStringLiteral("Item 2"));
    // The editor lies over the cell's text, inside the main column.
    const TRect cell = tree->GetDisplayRect(b, 0, true);
    EXPECT_EQ(edit->Top(), cell.Top);
    EXPECT_GE(edit->Left(), cell.Left - 1);
    EXPECT_LE(edit->Left() + edit->Width(), columns->Items(0)->Width() + 60);
    Application->ProcessMessages();
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form.get()), QStringLiteral("TNodeStringTree-editing")).isEmpty());
    TestInput::TypeText(edit, QStringLiteral("Pump"));
    TestInput::PressKey(edit, VK_RETURN);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(tree->EditLink(), nullptr);
    ASSERT_EQ(newTexts.size(), 1u);
    EXPECT_EQ(newTexts[0].Node, b);
    EXPECT_EQ(newTexts[0].Column, 0);
    EXPECT_EQ(newTexts[0].Text, QStringLiteral("Pump"));
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0], std::make_pair(b, TColumnIndex(0)));
    // Enter without a change ends the edit without new text.
    tree->EditNode(b, 0);
    ASSERT_TRUE(tree->IsEditing());
    TestInput::PressKey(EditorOf(tree), VK_RETURN);
    EXPECT_EQ(newTexts.size(), 1u);
    EXPECT_EQ(edited.size(), 2u);
    RunFor(5); // the released editors go
}

TEST_F(TNodeEditTest, EscapeCancelsAndTabMovesToTheNextNode)
{
    Editable();
    ASSERT_TRUE(tree->EditNode(a, 0));
    TestInput::TypeText(EditorOf(tree), QStringLiteral("Nope"));
    TestInput::PressKey(EditorOf(tree), VK_ESCAPE);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_TRUE(newTexts.empty());
    EXPECT_EQ(cancelled, (std::vector<TColumnIndex>{0}));
    // Tab stores the text and goes on editing the next visible node.
    ASSERT_TRUE(tree->EditNode(b, 0));
    TestInput::TypeText(EditorOf(tree), QStringLiteral("Second"));
    TestInput::PressKey(EditorOf(tree), VK_TAB);
    ASSERT_EQ(newTexts.size(), 1u);
    EXPECT_EQ(newTexts[0].Node, b);
    EXPECT_TRUE(tree->IsEditing());
    EXPECT_EQ(tree->FocusedNode(), c);
    EXPECT_EQ(EditorOf(tree)->Text(), QStringLiteral("Item 3"));
    tree->CancelEditNode();
    EXPECT_FALSE(tree->IsEditing());
    RunFor(5);
}

TEST_F(TNodeEditTest, ClickOnTheSelectedLabelEditsAfterTheDelay)
{
    Editable(toEditOnClick);
    tree->SetEditDelay(20);
    const TRect label = tree->GetDisplayRect(b, 0, true);
    const TPoint p(label.Left + 5, (label.Top + label.Bottom) / 2);
    TestInput::Click(tree, p);
    ASSERT_EQ(tree->FocusedNode(), b);
    EXPECT_FALSE(tree->HasTreeState(tsEditPending));
    // The second click arms the edit; the delay starts it.
    TestInput::Click(tree, p);
    EXPECT_TRUE(tree->HasTreeState(tsEditPending));
    EXPECT_FALSE(tree->IsEditing());
    RunFor(80);
    ASSERT_TRUE(tree->IsEditing());
    // Enter ends it and gives the focus back to the tree.
    TestInput::PressKey(EditorOf(tree), VK_RETURN);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_TRUE(tree->Focused());
    // A new press within the delay stops the timer.
    TestInput::Click(tree, p);
    EXPECT_TRUE(tree->HasTreeState(tsEditPending));
    const TRect other = tree->GetDisplayRect(c, 0, true);
    TestInput::Click(tree, TPoint(other.Left + 5, other.Top + 3));
    RunFor(80);
    EXPECT_FALSE(tree->IsEditing());
    RunFor(5);
}

TEST_F(TNodeEditTest, FocusLossAcceptsOrDiscardsTheText)
{
    Editable();
    TEdit* elsewhere = new TEdit(form.get());
    elsewhere->SetParent(form.get());
    elsewhere->SetBounds(10, 255, 100, 20);
    ASSERT_TRUE(tree->EditNode(c, 0));
    TestInput::TypeText(EditorOf(tree), QStringLiteral("Kept"));
    elsewhere->SetFocus();
    Application->ProcessMessages();
    EXPECT_FALSE(tree->IsEditing());
    ASSERT_EQ(newTexts.size(), 1u);
    EXPECT_EQ(newTexts[0].Text, QStringLiteral("Kept"));
    tree->SetStringOptions(tree->StringOptions() & ~toAutoAcceptEditChange);
    ASSERT_TRUE(tree->EditNode(c, 0));
    TestInput::TypeText(EditorOf(tree), QStringLiteral("Lost"));
    elsewhere->SetFocus();
    Application->ProcessMessages();
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(newTexts.size(), 1u);
    EXPECT_EQ(cancelled.size(), 1u);
    RunFor(5);
}

TEST_F(TNodeEditTest, EditorIsAtLeastThirtyPixelsAndStaysInTheClientArea)
{
    Editable();
    columns->Items(2)->SetAlignment(taRightJustify);
    ASSERT_TRUE(tree->EditNode(a, 2));
    INtEditLink* link = tree->EditLink();
    link->SetBounds(TRect(250, 0, 260, 18));
    EXPECT_EQ(link->GetBounds(), TRect(230, 0, 260, 18));
    link->SetBounds(TRect(-5, 0, 1000, 18));
    EXPECT_EQ(link->GetBounds().Left, 0);
    EXPECT_EQ(link->GetBounds().Right, tree->ClientWidth());
    // Resizing the column moves the editor along with its cell.
    columns->Items(0)->SetWidth(200);
    EXPECT_GE(EditorOf(tree)->Left(), 200);
    tree->CancelEditNode();
    RunFor(5);
}

// ---------------------------------------------------------------- sorting

class TSortTest : public THeaderTreeFixture {
protected:
    void SetUp() override
    {
        THeaderTreeFixture::SetUp();
        compare = [](TBaseNodeTree* t, PDataNode n1, PDataNode n2, TColumnIndex column, Integer& result) {
            const auto* r1 = t->GetNodeData<TCellRec>(n1);
            const auto* r2 = t->GetNodeData<TCellRec>(n2);
            result = column == 1 ? r1->Value - r2->Value : r1->Id - r2->Id;
        };
    }
    TNtCompareEvent compare;
};

TEST_F(TSortTest, SortsChildrenByTheCompareEventKeepingEqualsInOrder)
{
    // Values: ids 1..6 with values 3, 1, 3, 2, 3, 1.
    const Integer values[6] = {3, 1, 3, 2, 3, 1};
    for (Integer i = 0; i < 6; ++i)
        Add(nullptr, i + 1, values[i]);
    // Without a handler the order never changes.
    tree->Sort(nullptr, 1, sdAscending);
    EXPECT_EQ(Order(tree), (std::vector<Integer>{1, 2, 3, 4, 5, 6}));
    tree->OnCompareNodes = compare;
    tree->Sort(nullptr, 1, sdAscending);
    EXPECT_EQ(Order(tree), (std::vector<Integer>{2, 6, 4, 1, 3, 5}));
    tree->Sort(nullptr, 1, sdDescending);
    EXPECT_EQ(Order(tree), (std::vector<Integer>{1, 3, 5, 4, 2, 6}));
    // Links, indexes and the last child follow the new order.
    Cardinal index = 0;
    PDataNode previous = nullptr;
    for (PDataNode n = tree->GetFirstChild(nullptr); n; n = tree->GetNextSibling(n)) {
        EXPECT_EQ(n->Index, index++);
        EXPECT_EQ(n->PrevSibling, previous);
        previous = n;
    }
    EXPECT_EQ(tree->RootNode()->LastChild, previous);
    // Column -2 sorts nothing.
    tree->SortTree(-2, sdAscending);
    EXPECT_EQ(Order(tree), (std::vector<Integer>{1, 3, 5, 4, 2, 6}));
}

TEST_F(TSortTest, AutomaticSortingOnAddingAndExpanding)
{
    tree->OnCompareNodes = compare;
    header->SetSortColumn(1);
    // toAutoSort is on by default: the end of an update sorts the tree.
    tree->BeginUpdate();
    Fill();
    tree->EndUpdate();
    EXPECT_EQ(Order(tree), (std::vector<Integer>{2, 3, 1}));
    // Children of a collapsed node wait for its expansion.
    tree->BeginUpdate();
    Add(nullptr, 4, 15);
    Add(a, 13, 1);
    tree->EndUpdate();
    EXPECT_EQ(Order(tree), (std::vector<Integer>{2, 4, 3, 1}));
    EXPECT_EQ(Order(tree, a), (std::vector<Integer>{11, 12, 13}));
    tree->SetExpanded(a, true);
    EXPECT_EQ(Order(tree, a), (std::vector<Integer>{13, 11, 12}));
    // Changing the direction sorts again, expanded children too.
    header->SetSortDirection(sdDescending);
    EXPECT_EQ(Order(tree), (std::vector<Integer>{1, 3, 4, 2}));
    EXPECT_EQ(Order(tree, a), (std::vector<Integer>{12, 11, 13}));
    // A node added outside an update takes its place at once.
    tree->OnInitNode = [](TBaseNodeTree* t, PDataNode, PDataNode n, TDataNodeInitStates&) {
        if (t->GetNodeData<TCellRec>(n)->Id == 0)
            *t->GetNodeData<TCellRec>(n) = TCellRec{5, 25};
    };
    tree->AddChild(nullptr);
    EXPECT_EQ(Order(tree), (std::vector<Integer>{1, 5, 3, 4, 2}));
}

TEST_F(TSortTest, AThrowingCompareLeavesEveryChildInTheChain)
{
    for (Integer i = 0; i < 5; ++i)
        Add(nullptr, i + 1, 5 - i);
    Integer calls = 0;
    tree->OnCompareNodes = [&](TBaseNodeTree*, PDataNode, PDataNode, TColumnIndex, Integer&) {
        if (++calls == 3)
            throw std::runtime_error("compare failed");
    };
    EXPECT_THROW(tree->SortTree(1, sdAscending), std::runtime_error);
    EXPECT_EQ(tree->OperationCount(), 0u);
    EXPECT_EQ(tree->UpdateCount(), 0u);
    EXPECT_EQ(Order(tree), (std::vector<Integer>{1, 2, 3, 4, 5}));
    EXPECT_EQ(tree->RootNode()->ChildCount, 5u);
}

// ---------------------------------------------------------------- hints

class THintTest : public THeaderTreeFixture {
protected:
    void SetUp() override
    {
        THeaderTreeFixture::SetUp();
        Fill();
        tree->SetShowHint(true);
        ShowForm();
    }
    void TearDown() override
    {
        Application->CancelHint();
        THeaderTreeFixture::TearDown();
    }
    // Moves the mouse over the control and lets the hint show at once.
    const TNodeTreeHintWindow* HintAt(TControl* control, TPoint p)
    {
        Application->CancelHint();
        TestInput::MouseMove(control, p);
        Application->ActivateHint(control->ClientToScreen(p));
        return dynamic_cast<const TNodeTreeHintWindow*>(Application->CurrentHintWindow());
    }
    TPoint InCell(PDataNode node, TColumnIndex column)
    {
        const TRect r = tree->GetDisplayRect(node, column, true);
        return {r.Left + 3, (r.Top + r.Bottom) / 2};
    }
};

TEST_F(THintTest, HeaderColumnsShowTheirHints)
{
    header->SetOptions(header->Options() | hoShowHint);
    columns->Items(1)->SetHint(QStringLiteral("Measured value"));
    const TNodeTreeHintWindow* hint = HintAt(Strip(), CellCentre(1));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->HintData().HintText, QStringLiteral("Measured value"));
    EXPECT_TRUE(tree->HasTreeState(tsHint));
    // Below the strip.
    EXPECT_GE(hint->Top(), Strip()->ClientToScreen(TPoint(0, header->Height())).Y);
    const QImage img = GrabControl(const_cast<TNodeTreeHintWindow*>(hint));
    EXPECT_GT(InkIn(img, img.rect()), 10);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TNodeTreeHintWindow-header-hint")).isEmpty());
    // A column without a hint shows none.
    EXPECT_EQ(HintAt(Strip(), CellCentre(2)), nullptr);
    EXPECT_FALSE(tree->HasTreeState(tsHint));
}

TEST_F(THintTest, NodeHintsPerCellAndTheTreesOwnHintBelowTheNodes)
{
    tree->SetHintMode(hmHint);
    tree->OnGetHint = [](TBaseNodeTree* t, PDataNode n, TColumnIndex column, TNtTooltipLineBreakStyle&, QString& text) {
        text = QStringLiteral("Node %1, column %2").arg(t->GetNodeData<TCellRec>(n)->Id).arg(column);
    };
    const TNodeTreeHintWindow* hint = HintAt(tree, InCell(b, 1));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->HintData().HintText, QStringLiteral("Node 2, column 1"));
    // Below the row.
    EXPECT_GE(hint->Top(), tree->ClientToScreen(TPoint(0, tree->GetDisplayRect(b, 1, false).Bottom)).Y);
    // The same cell again shows nothing new while the mouse stays in it.
    EXPECT_EQ(HintAt(tree, InCell(b, 1)), nullptr);
    // Empty space: nothing with hmHint, the tree's own hint with hmHintAndDefault.
    tree->SetHint(QStringLiteral("The scanned meters|long"));
    const TPoint below(20, tree->GetDisplayRect(c, 0, false).Bottom + 40);
    EXPECT_EQ(HintAt(tree, below), nullptr);
    tree->SetHintMode(hmHintAndDefault);
    hint = HintAt(tree, below);
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->HintData().HintText, QStringLiteral("The scanned meters"));
}

TEST_F(THintTest, TooltipsShowOnlyForClippedText)
{
    tree->SetHintMode(hmTooltip);
    // "10" fits its cell: no tooltip.
    EXPECT_EQ(HintAt(tree, InCell(b, 1)), nullptr);
    // A narrow column cuts "Item 2": the tooltip shows the whole text over it.
    columns->Items(0)->SetWidth(45);
    Application->ProcessMessages();
    const TNodeTreeHintWindow* hint = HintAt(tree, InCell(b, 0));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->HintData().HintText, QStringLiteral("Item 2"));
    const TRect text = tree->GetDisplayRect(b, 0, true, true, true);
    EXPECT_EQ(hint->Left(), tree->ClientToScreen(text.TopLeft()).X - 1);
    EXPECT_EQ(hint->Width(), text.Width() + 2);
    Integer pause = 500;
    tree->Perform(CM_HINTSHOWPAUSE, 0, LPARAM(&pause));
    EXPECT_EQ(pause, 0);
}

TEST_F(THintTest, OwnerDrawnHintsTakeTheOwnersSizeAndPicture)
{
    tree->SetHintMode(hmHint);
    tree->OnGetHint = [](TBaseNodeTree*, PDataNode, TColumnIndex, TNtTooltipLineBreakStyle&, QString& text) { text = QStringLiteral("x"); };
    tree->OnGetHintKind = [](TBaseNodeTree*, PDataNode, TColumnIndex, TNtHintKind& kind) { kind = vhkOwnerDraw; };
    TRect size;
    tree->OnGetHintSize = [&](TBaseNodeTree*, PDataNode, TColumnIndex, TRect& r) { r = size; };
    std::vector<TColumnIndex> drawn;
    tree->OnDrawHint = [&](TBaseNodeTree*, TCanvas* canvas, PDataNode, TRect r, TColumnIndex column) {
        drawn.push_back(column);
        canvas->Brush()->SetColor(clRed);
        canvas->FillRect(r);
    };
    // An empty size suppresses the hint.
    EXPECT_EQ(HintAt(tree, InCell(a, 2)), nullptr);
    size = TRect(0, 0, 60, 24);
    const TNodeTreeHintWindow* hint = HintAt(tree, InCell(b, 2));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Width(), 60);
    EXPECT_EQ(hint->Height(), 24);
    const QImage img = GrabControl(const_cast<TNodeTreeHintWindow*>(hint));
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), 2);
    EXPECT_EQ(img.pixelColor(30, 12), QColor(Qt::red));
}

// ---------------------------------------------------------------- hint animations

class THintAnimationTest : public THintTest {
protected:
    void SetUp() override
    {
        THintTest::SetUp();
        tree->SetHintMode(hmHint);
        tree->OnGetHint = [](TBaseNodeTree*, PDataNode, TColumnIndex, TNtTooltipLineBreakStyle&, QString& text) {
            text = QStringLiteral("Measured value of the meter");
        };
        // A long animation: the steps below are driven one by one, far
        // quicker than the timer would run them.
        tree->SetAnimationDuration(10000);
    }
    // (Each hint in a test over another cell: the one last shown shows
    // nothing new while the mouse stays in it.)
    TNodeTreeHintWindow* ShowAnimated(THintAnimationType kind, PDataNode node = nullptr)
    {
        tree->SetHintAnimation(kind);
        return const_cast<TNodeTreeHintWindow*>(HintAt(tree, InCell(node ? node : b, 1)));
    }
    // Drives the animation until it ends; false when it does not.
    static bool RunToEnd(TNodeTreeHintWindow* hint)
    {
        for (int i = 0; i < 2000 && hint->Animating(); ++i)
            hint->AnimationTimer();
        return !hint->Animating();
    }
    static QImage Grab(TNodeTreeHintWindow* hint) { return GrabControl(hint).convertToFormat(QImage::Format_RGB32); }
};

TEST_F(THintAnimationTest, FadeBlendsTheHintOverTheScreenStepByStep)
{
    TNodeTreeHintWindow* hint = ShowAnimated(hatFade);
    ASSERT_NE(hint, nullptr);
    ASSERT_TRUE(hint->Animating());
    EXPECT_TRUE(tree->HasTreeState(tsInAnimation));
    // The first step shows only what was under the window, not the hint.
    EXPECT_EQ(hint->AnimationStep(), 0);
    EXPECT_EQ(Grab(hint), hint->Background());
    // Half-way the hint's face is the mean of the screen under it and the
    // hint colour.
    for (int i = 0; i < 127; ++i)
        hint->AnimationTimer();
    const Integer step = hint->AnimationStep();
    EXPECT_GE(step, 120);
    EXPECT_LE(step, 135);
    const QImage mid = Grab(hint);
    const QPoint face(2, hint->Height() - 3);
    const QColor under = hint->Background().pixelColor(face), info = ToQColor(clInfoBk);
    ASSERT_NE(under, info);
    const Integer alpha = MulDiv(step, 256, 255);
    const auto blend = [alpha](int b, int h) { return (h * alpha + b * (256 - alpha)) >> 8; };
    EXPECT_NEAR(mid.pixelColor(face).red(), blend(under.red(), info.red()), 2);
    EXPECT_NEAR(mid.pixelColor(face).green(), blend(under.green(), info.green()), 2);
    EXPECT_NEAR(mid.pixelColor(face).blue(), blend(under.blue(), info.blue()), 2);
    EXPECT_FALSE(testsupport::SaveScreenshot(mid, QStringLiteral("TNodeTreeHintWindow-fade-half")).isEmpty());
    // The end shows the hint itself and gives the tree its animation back.
    ASSERT_TRUE(RunToEnd(hint));
    EXPECT_EQ(Grab(hint).pixelColor(face), info);
    EXPECT_FALSE(tree->HasTreeState(tsInAnimation));
    EXPECT_TRUE(hint->IsShowing());
}

TEST_F(THintAnimationTest, SlideShowsTheHintsBottomRowsAtTheTop)
{
    TNodeTreeHintWindow* hint = ShowAnimated(hatSlide);
    ASSERT_NE(hint, nullptr);
    ASSERT_TRUE(hint->Animating());
    const Integer h = hint->Height(), w = hint->Width();
    for (int i = 0; i < h / 2; ++i)
        hint->AnimationTimer();
    const Integer rows = hint->AnimationStep();
    ASSERT_GT(rows, 0);
    ASSERT_LT(rows, h);
    const QImage mid = Grab(hint);
    const QImage background = hint->Background();
    ASSERT_TRUE(RunToEnd(hint));
    const QImage finished = Grab(hint);
    EXPECT_EQ(mid.copy(0, 0, w, rows), finished.copy(0, h - rows, w, rows));
    EXPECT_EQ(mid.copy(0, rows, w, h - rows), background.copy(0, rows, w, h - rows));
    EXPECT_FALSE(testsupport::SaveScreenshot(mid, QStringLiteral("TNodeTreeHintWindow-slide-half")).isEmpty());
}

TEST_F(THintAnimationTest, TheSystemDefaultFollowsTheDesktopsToolTipEffects)
{
    const bool general = QApplication::isEffectEnabled(Qt::UI_General);
    const bool animate = QApplication::isEffectEnabled(Qt::UI_AnimateTooltip);
    const bool fade = QApplication::isEffectEnabled(Qt::UI_FadeTooltip);
    QApplication::setEffectEnabled(Qt::UI_General, true);
    tree->SetHintAnimation(hatSystemDefault);
    const struct {
        bool Animate, Fade;
        THintAnimationType Expected;
    } cases[] = {{false, false, hatNone}, {true, false, hatSlide}, {true, true, hatFade}};
    for (const auto& c : cases) {
        QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, c.Animate);
        QApplication::setEffectEnabled(Qt::UI_FadeTooltip, c.Fade);
        EXPECT_EQ(tree->GetEffectiveHintAnimation(), c.Expected) << c.Animate << c.Fade;
    }
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, animate);
    QApplication::setEffectEnabled(Qt::UI_FadeTooltip, fade);
    QApplication::setEffectEnabled(Qt::UI_General, general);
    // A kind chosen on the tree is taken as it is.
    tree->SetHintAnimation(hatSlide);
    EXPECT_EQ(tree->GetEffectiveHintAnimation(), hatSlide);
}

TEST_F(THintAnimationTest, TheTimerRunsTheAnimationWhileTheUserInterfaceGoesOn)
{
    tree->SetAnimationDuration(100);
    TNodeTreeHintWindow* hint = ShowAnimated(hatFade);
    ASSERT_NE(hint, nullptr);
    // Activation returned with the fade still to come.
    ASSERT_TRUE(hint->Animating());
    QElapsedTimer t;
    t.start();
    while (hint->Animating() && t.elapsed() < 5000) {
        Application->ProcessMessages();
        QThread::msleep(1);
    }
    EXPECT_FALSE(hint->Animating());
    EXPECT_FALSE(tree->HasTreeState(tsInAnimation));
    EXPECT_EQ(Grab(hint).pixelColor(2, hint->Height() - 3), ToQColor(clInfoBk));
}

TEST_F(THintAnimationTest, HidingReplacingOrLosingTheTreeEndsTheAnimation)
{
    // Hidden mid-way: the steps stop and the tree is free again.
    TNodeTreeHintWindow* hint = ShowAnimated(hatSlide);
    ASSERT_NE(hint, nullptr);
    hint->AnimationTimer();
    Application->CancelHint();
    EXPECT_FALSE(hint->Animating());
    EXPECT_FALSE(tree->HasTreeState(tsInAnimation));
    // A newer hint starts its own animation from the first step.
    hint = ShowAnimated(hatFade, a);
    ASSERT_NE(hint, nullptr);
    for (int i = 0; i < 10; ++i)
        hint->AnimationTimer();
    EXPECT_GT(hint->AnimationStep(), 0);
    // (moved on without the hint hiding first)
    TestInput::MouseMove(tree, InCell(c, 1));
    Application->ActivateHint(tree->ClientToScreen(InCell(c, 1)));
    ASSERT_EQ(Application->CurrentHintWindow(), hint);
    EXPECT_EQ(hint->HintData().Node, c);
    EXPECT_TRUE(hint->Animating());
    EXPECT_EQ(hint->AnimationStep(), 0);
    // Without a duration there is nothing to animate: the hint shows at once.
    Application->CancelHint();
    tree->SetAnimationDuration(0);
    hint = ShowAnimated(hatFade);
    ASSERT_NE(hint, nullptr);
    EXPECT_FALSE(hint->Animating());
    EXPECT_EQ(Grab(hint).pixelColor(2, hint->Height() - 3), ToQColor(clInfoBk));
    // The tree going mid-way ends the animation without touching it.
    Application->CancelHint();
    tree->SetAnimationDuration(10000);
    hint = ShowAnimated(hatFade, a);
    ASSERT_NE(hint, nullptr);
    ASSERT_TRUE(hint->Animating());
    delete tree;
    tree = nullptr;
    EXPECT_FALSE(hint->Animating());
    hint->AnimationTimer();
    EXPECT_EQ(hint->HintData().Tree, nullptr);
}
