// Styled scroll bars: with a style of the style engine active, the tree's
// bars are covered by windows painted in the style, placed over the real
// bars (header, border, right-to-left), with hot and pressed parts and a
// thumb drag of their own; the real bars keep scrolling.

#include <QCursor>
#include <QElapsedTimer>
#include <QThread>

#include "HeaderFixture.h"
#include "Screenshot.h"
#include "TreeFixture.h"
#include "platform/Accessibility.h"
#include "platform/ScrollFrame.h"
#include "platform/Themes.h"
#include "treeview/NodeTreesStyleHooks.h"

namespace {
LPARAM ScreenPoint(TPoint p)
{
    return LPARAM(MAKELPARAM(Word(SmallInt(p.X)), Word(SmallInt(p.Y))));
}

TPoint Centre(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

void Pump()
{
    for (int i = 0; i < 3; ++i)
        Application->ProcessMessages();
}
} // namespace

class TStyledScrollBarsTest : public THeaderTreeFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TStyleManager::SetStyle(QStringLiteral("Fusion")));
        THeaderTreeFixture::SetUp();
        // Room for the whole tree in the pictures.
        form->SetBounds(0, 0, 440, 300);
        for (int i = 0; i < 40; ++i)
            Add(nullptr, i, i * 3);
        // Wider than the tree: a horizontal bar as well.
        columns->Items(0)->SetWidth(400);
    }
    void TearDown() override
    {
        THeaderTreeFixture::TearDown();
        TStyleManager::SetStyle(QString());
    }
    TStyledScrollBarsHook* Hook() const { return dynamic_cast<TStyledScrollBarsHook*>(TStyleManager::HookOf(tree)); }
    TScrollBarInfo Bar(LPARAM id) const
    {
        TScrollBarInfo info;
        EXPECT_TRUE(GetScrollBarInfo(tree, id, info));
        return info;
    }
    // The screen point of a hook rectangle (client coordinates moved by the
    // border's edge, as the hook keeps them).
    TPoint OnScreen(TPoint hookPoint) const { return tree->ClientToScreen(TPoint(hookPoint.X - 2, hookPoint.Y - 2)); }
    void NcMessage(Cardinal msg, TPoint hookPoint, WPARAM hit = HTVSCROLL)
    {
        tree->Perform(msg, hit, ScreenPoint(OnScreen(hookPoint)));
    }
    static TPoint ScreenTopLeft(TControl* c) { return c->ClientToScreen(TPoint(0, 0)); }
    // The two covering windows, or nullptrs unless both show.
    static std::pair<TControl*, TControl*> BothWindows(TStyledScrollBarsHook* hook)
    {
        TControl* vert = hook->VertScrollBarWindow();
        TControl* horz = hook->HorzScrollBarWindow();
        EXPECT_TRUE(vert->Visible());
        EXPECT_TRUE(horz->Visible());
        if (!vert->Visible() || !horz->Visible())
            return {nullptr, nullptr};
        return {vert, horz};
    }
};

TEST_F(TStyledScrollBarsTest, CoveringWindowsLieOverTheBarsBelowTheHeader)
{
    ShowForm();
    TStyledScrollBarsHook* hook = Hook();
    ASSERT_NE(hook, nullptr);
    auto [vert, horz] = BothWindows(hook);
    ASSERT_NE(vert, nullptr);
    EXPECT_TRUE(vert->Enabled());
    // Each covers its bar exactly: the header's height and the border's
    // edge are taken into account; the vertical one runs down to the
    // tree's inner bottom edge, over the corner.
    const TScrollBarInfo v = Bar(OBJID_VSCROLL), h = Bar(OBJID_HSCROLL);
    EXPECT_EQ(ScreenTopLeft(vert), v.rcScrollBar.TopLeft());
    EXPECT_EQ(vert->Width(), v.rcScrollBar.Width());
    EXPECT_EQ(vert->Height(), tree->Height() - header->Height() - 4);
    EXPECT_EQ(ScreenTopLeft(horz), h.rcScrollBar.TopLeft());
    EXPECT_EQ(horz->Width(), h.rcScrollBar.Width());
    EXPECT_GT(vert->Top(), tree->Top() + header->Height());
    // The mouse goes through them to the bar beneath.
    const TRect down = hook->VertScrollBarDownButtonRect();
    const Integer before = tree->OffsetY();
    TestInput::RoutedMouse(tree, TestInput::rmDown, TPoint(down.Left, down.Top + 3 - 2));
    TestInput::RoutedMouse(tree, TestInput::rmUp, TPoint(down.Left, down.Top + 3 - 2));
    Pump();
    EXPECT_LT(tree->OffsetY(), before);
    // A resized tree takes its covering windows along.
    tree->SetBounds(10, 10, 300, 200);
    Pump();
    EXPECT_EQ(ScreenTopLeft(vert), Bar(OBJID_VSCROLL).rcScrollBar.TopLeft());
    EXPECT_EQ(ScreenTopLeft(horz), Bar(OBJID_HSCROLL).rcScrollBar.TopLeft());
    // A hidden tree hides them, a shown one shows them again.
    tree->SetVisible(false);
    EXPECT_FALSE(vert->Visible());
    EXPECT_FALSE(horz->Visible());
    tree->SetVisible(true);
    EXPECT_TRUE(vert->Visible());
    EXPECT_TRUE(horz->Visible());
}

TEST_F(TStyledScrollBarsTest, PartsTurnHotAndPressedUnderTheMouse)
{
    ShowForm();
    TStyledScrollBarsHook* hook = Hook();
    ASSERT_NE(hook, nullptr);
    const QImage plain = GrabControl(hook->VertScrollBarWindow());
    // The mouse over the vertical thumb, through the real bar.
    const TRect thumb = hook->VertSliderRect();
    ASSERT_FALSE(thumb.IsEmpty());
    const TPoint overThumb = Centre(thumb);
    TestInput::RoutedMouse(tree, TestInput::rmMove, TPoint(overThumb.X - 2, overThumb.Y - 2));
    EXPECT_EQ(hook->VertScrollBarSliderState(), tsThumbBtnVertHot);
    EXPECT_EQ(hook->VertScrollBarDownButtonState(), tsArrowBtnDownNormal);
    const QImage hot = GrabControl(hook->VertScrollBarWindow());
    EXPECT_NE(hot, plain);
    EXPECT_FALSE(testsupport::SaveScreenshot(hot.scaled(hot.size() * 3), QStringLiteral("TStyledScrollBarWindow-thumb-hot-x3")).isEmpty());
    // On to the down button: the thumb cools, the button is hot.
    NcMessage(WM_NCMOUSEMOVE, Centre(hook->VertScrollBarDownButtonRect()));
    EXPECT_EQ(hook->VertScrollBarSliderState(), tsThumbBtnVertNormal);
    EXPECT_EQ(hook->VertScrollBarDownButtonState(), tsArrowBtnDownHot);
    // Pressed, the standard bar still scrolls on the press.
    const Integer before = tree->OffsetY();
    NcMessage(WM_NCLBUTTONDOWN, Centre(hook->VertScrollBarDownButtonRect()));
    EXPECT_EQ(hook->VertScrollBarDownButtonState(), tsArrowBtnDownPressed);
    // The horizontal thumb hot at the same time, for the picture.
    NcMessage(WM_NCMOUSEMOVE, Centre(hook->HorzSliderRect()), HTHSCROLL);
    EXPECT_EQ(hook->HorzScrollBarSliderState(), tsThumbBtnHorzHot);
    const QImage shot = GrabControl(form.get());
    EXPECT_FALSE(testsupport::SaveScreenshot(shot, QStringLiteral("TNodeStringTree-styled-scroll-bars-hot-pressed")).isEmpty());
    const QImage pressed = GrabControl(hook->VertScrollBarWindow());
    EXPECT_NE(pressed, plain);
    EXPECT_FALSE(testsupport::SaveScreenshot(pressed.scaled(pressed.size() * 3), QStringLiteral("TStyledScrollBarWindow-down-pressed-x3")).isEmpty());
    // Released over the button: hot again; the mouse gone: all normal.
    NcMessage(WM_NCLBUTTONUP, Centre(hook->VertScrollBarDownButtonRect()));
    EXPECT_EQ(hook->VertScrollBarDownButtonState(), tsArrowBtnDownHot);
    tree->Perform(WM_NCMOUSELEAVE);
    EXPECT_EQ(hook->VertScrollBarDownButtonState(), tsArrowBtnDownNormal);
    EXPECT_EQ(hook->HorzScrollBarSliderState(), tsThumbBtnHorzNormal);
    (void)before;
    // The header is left to the tree: a press there presses nothing.
    const TPoint inHeader(20, -header->Height() / 2);
    tree->Perform(WM_NCLBUTTONDOWN, HTVSCROLL, ScreenPoint(tree->ClientToScreen(inHeader)));
    EXPECT_EQ(hook->VertScrollBarSliderState(), tsThumbBtnVertNormal);
    EXPECT_EQ(hook->VertScrollBarUpButtonState(), tsArrowBtnUpNormal);
    EXPECT_EQ(hook->VertScrollBarDownButtonState(), tsArrowBtnDownNormal);
}

TEST_F(TStyledScrollBarsTest, DraggingTheThumbScrollsAndStopsAtTheLastPage)
{
    ShowForm();
    TStyledScrollBarsHook* hook = Hook();
    ASSERT_NE(hook, nullptr);
    const TPoint start = Centre(hook->VertSliderRect());
    QCursor::setPos(OnScreen(start).X, OnScreen(start).Y);
    ASSERT_EQ(GetCursorPos(), OnScreen(start));
    NcMessage(WM_NCLBUTTONDOWN, start);
    EXPECT_EQ(hook->VertScrollBarSliderState(), tsThumbBtnVertPressed);
    // A few pixels down move the position by the track's share of the range.
    TScrollInfo si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(tree, SB_VERT, si));
    const Integer track = hook->VertScrollBarRect().Height() - 2 * GetSystemMetrics(SM_CYVTHUMB);
    QCursor::setPos(OnScreen(start).X, OnScreen(start).Y + 10);
    tree->Perform(WM_MOUSEMOVE, 0, 0);
    Pump();
    const Integer expected = Integer(std::lround(10.0 / track * (si.nMax - si.nMin)));
    EXPECT_NEAR(-tree->OffsetY(), expected, 1);
    // Far below the end it stops at the last page.
    QCursor::setPos(OnScreen(start).X, OnScreen(start).Y + 2000);
    tree->Perform(WM_MOUSEMOVE, 0, 0);
    Pump();
    ASSERT_TRUE(GetScrollInfo(tree, SB_VERT, si));
    EXPECT_EQ(si.nPos, si.nMax - Integer(si.nPage) + 1);
    EXPECT_EQ(tree->OffsetY(), tree->ClientHeight() - Integer(tree->RangeY()));
    // Releasing ends the drag.
    tree->Perform(WM_LBUTTONUP, 0, LPARAM(MAKELPARAM(Word(start.X), Word(start.Y))));
    Pump();
    EXPECT_EQ(hook->VertScrollBarSliderState(), tsThumbBtnVertNormal);
    EXPECT_FALSE(tree->HasTreeState(tsThumbTracking));
    // So does losing the mouse mid-way: a later move drags nothing.
    const TPoint again = Centre(hook->VertSliderRect());
    QCursor::setPos(OnScreen(again).X, OnScreen(again).Y);
    NcMessage(WM_NCLBUTTONDOWN, again);
    ASSERT_EQ(hook->VertScrollBarSliderState(), tsThumbBtnVertPressed);
    tree->Perform(WM_CAPTURECHANGED);
    Pump();
    EXPECT_EQ(hook->VertScrollBarSliderState(), tsThumbBtnVertNormal);
    EXPECT_FALSE(tree->HasTreeState(tsThumbTracking));
    const Integer offset = tree->OffsetY();
    QCursor::setPos(OnScreen(again).X, OnScreen(again).Y - 100);
    tree->Perform(WM_MOUSEMOVE, 0, 0);
    Pump();
    EXPECT_EQ(tree->OffsetY(), offset);
    ReleaseCapture();
}

TEST_F(TStyledScrollBarsTest, ABarWithNothingToScrollIsDrawnDisabledAndNoBarHidesItsWindow)
{
    // Only the first few rows, no wide column: no bars at all.
    tree->Clear();
    Fill();
    columns->Items(0)->SetWidth(140);
    ShowForm();
    TStyledScrollBarsHook* hook = Hook();
    ASSERT_NE(hook, nullptr);
    EXPECT_FALSE(hook->VertScrollBarWindow()->Visible());
    EXPECT_FALSE(hook->HorzScrollBarWindow()->Visible());
    // Always shown: the bar is there but has nothing to scroll.
    tree->ScrollBarOptions()->SetAlwaysVisible(true);
    tree->ScrollBarOptions()->SetScrollBars(ssVertical);
    Pump();
    auto* vert = hook->VertScrollBarWindow();
    ASSERT_TRUE(vert->Visible());
    EXPECT_FALSE(vert->Enabled());
    EXPECT_TRUE(hook->VertSliderRect().IsEmpty());
    const QImage disabled = GrabControl(vert);
    // The same tree with rows enough: enabled arrows look otherwise.
    for (int i = 0; i < 40; ++i)
        Add(nullptr, 100 + i, i);
    Pump();
    ASSERT_TRUE(vert->Enabled());
    const QImage enabled = GrabControl(vert);
    const QRect up(0, 0, vert->Width(), GetSystemMetrics(SM_CYVTHUMB));
    EXPECT_NE(disabled.copy(up), enabled.copy(up));
    EXPECT_FALSE(testsupport::SaveScreenshot(disabled, QStringLiteral("TStyledScrollBarWindow-disabled")).isEmpty());
}

TEST_F(TStyledScrollBarsTest, RightToLeftPutsTheVerticalBarAtTheLeftEdge)
{
    tree->SetBiDiMode(bdRightToLeft);
    ShowForm();
    TStyledScrollBarsHook* hook = Hook();
    ASSERT_NE(hook, nullptr);
    auto [vert, horz] = BothWindows(hook);
    ASSERT_NE(vert, nullptr);
    // Inside the border's edge at the left, over the real bar; the
    // horizontal one starts right of it.
    EXPECT_EQ(vert->Left(), tree->Left() + 2);
    EXPECT_EQ(ScreenTopLeft(vert), Bar(OBJID_VSCROLL).rcScrollBar.TopLeft());
    EXPECT_EQ(horz->Left(), vert->Left() + vert->Width());
    EXPECT_EQ(ScreenTopLeft(horz), Bar(OBJID_HSCROLL).rcScrollBar.TopLeft());
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form.get()), QStringLiteral("TNodeStringTree-styled-scroll-bars-rtl")).isEmpty());
}

TEST_F(TStyledScrollBarsTest, HooksFollowTheStyleAndTheirWindowsPaintNothingOnceReleased)
{
    ShowForm();
    ASSERT_NE(Hook(), nullptr);
    // A draw tree is served too; a control of another class is not.
    auto* drawTree = new TNodeDrawTree(form.get());
    drawTree->SetParent(form.get());
    drawTree->SetBounds(10, 10, 100, 60);
    drawTree->HandleNeeded();
    EXPECT_NE(dynamic_cast<TStyledScrollBarsHook*>(TStyleManager::HookOf(drawTree)), nullptr);
    auto* panel = new TCustomControl(form.get());
    panel->SetParent(form.get());
    panel->HandleNeeded();
    EXPECT_EQ(TStyleManager::HookOf(panel), nullptr);
    // A covering window whose owner let go paints nothing.
    TStyledScrollBarsHook::TStyledScrollBarWindow loose(nullptr);
    loose.SetParentWindow(form.get());
    loose.SetBounds(0, 0, 20, 60);
    loose.HandleNeeded();
    const QImage img = GrabControl(&loose).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(img.copy(0, 0, 1, 1).scaled(img.size()), img);
    // Back to the system style: the hooks go and the tree answers alone.
    TStyleManager::SetStyle(QString());
    EXPECT_EQ(TStyleManager::HookOf(tree), nullptr);
    EXPECT_FALSE(StyleServices()->Available());
    const Integer before = tree->OffsetY();
    tree->Perform(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_LT(tree->OffsetY(), before);
    EXPECT_FALSE(TStyleManager::SetStyle(QStringLiteral("no such style")));
}
