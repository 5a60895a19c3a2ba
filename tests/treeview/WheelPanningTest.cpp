// Wheel panning: the middle button shows the panning window at the click,
// the cursor points the way the tree scrolls, and any press ends it.

#include <QCursor>
#include <QElapsedTimer>
#include <QPainter>
#include <QThread>

#include "RunFor.h"
#include "Screenshot.h"
#include "TreeFixture.h"
#include "platform/ShapedPopup.h"

namespace {

class TWheelPanning : public TTreeFixture {
protected:
    void SetUp() override
    {
        TTreeFixture::SetUp();
        ConfigureAsScanWindow();
    }
};

} // namespace

TEST_F(TWheelPanning, AMiddleClickShowsThePanningWindowAndScrollsTowardTheMouse)
{
    for (int i = 0; i < 60; ++i)
        Add(nullptr, i);
    ShowForm();
    const TPoint click(120, 100);
    TestInput::MouseDown(tree, mbMiddle, click);
    TestInput::MouseUp(tree, mbMiddle, click);
    ASSERT_TRUE(tree->HasTreeState(tsWheelScrolling)) << "released without dragging: panning goes on";
    const TShapedPopup* window = tree->PanningWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Visible());
    const TPoint screen = tree->ClientToScreen(click);
    const TRect bounds = window->BoundsRect();
    EXPECT_EQ(bounds, TRect(screen.X - 16, screen.Y - 16, screen.X + 16, screen.Y + 16));
    // The corners are transparent, the centre is not.
    EXPECT_FALSE(window->Region().contains(QPoint(0, 0)));
    EXPECT_TRUE(window->Region().contains(QPoint(16, 16)));
    const QImage picture = window->Grab();
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(picture.pixel(15, 15)), 0) << "the dot at the centre";
    // Only taller than the window: arrows up and down, none to the sides.
    EXPECT_EQ(qGray(picture.pixel(15, 5)), 0);
    EXPECT_NE(qGray(picture.pixel(5, 15)), 0);
    EXPECT_FALSE(testsupport::SaveScreenshot(picture, QStringLiteral("TNodeStringTree-panning-window")).isEmpty());

    // Within the dead zone the cursor shows both ways; below it, down.
    TestInput::MouseMove(tree, TPoint(click.X + 3, click.Y + 4));
    EXPECT_EQ(tree->PanningCursor(), QStringLiteral("NT_MOVENS"));
    TestInput::MouseMove(tree, TPoint(click.X + 3, click.Y + 60));
    EXPECT_EQ(tree->PanningCursor(), QStringLiteral("NT_MOVES"));
    // The scroll steps read where the mouse is now.
    const TPoint below = tree->ClientToScreen(TPoint(click.X + 3, click.Y + 60));
    QCursor::setPos(below.X, below.Y);
    for (int i = 0; i < 100 && tree->OffsetY() == 0; ++i)
        RunFor(10);
    EXPECT_LT(tree->OffsetY(), 0);
    TestInput::MouseMove(tree, TPoint(click.X, click.Y - 40));
    EXPECT_EQ(tree->PanningCursor(), QStringLiteral("NT_MOVEN"));

    // The form as the user sees it, with the panning window over it.
    QImage shot = GrabControl(form.get()).convertToFormat(QImage::Format_ARGB32);
    {
        const TPoint origin = form->ClientToScreen(TPoint(0, 0));
        QPainter p(&shot);
        p.drawImage(bounds.Left - origin.X, bounds.Top - origin.Y, window->Grab());
    }
    EXPECT_FALSE(testsupport::SaveScreenshot(shot, QStringLiteral("TNodeStringTree-panning")).isEmpty());

    // A press ends it: the window goes and the tree's own cursor is back.
    TestInput::MouseDown(tree, mbLeft, TPoint(20, 20));
    TestInput::MouseUp(tree, mbLeft, TPoint(20, 20));
    EXPECT_FALSE(tree->HasTreeState(tsWheelPanning | tsWheelScrolling));
    EXPECT_EQ(tree->PanningWindow(), nullptr);
    EXPECT_TRUE(tree->PanningCursor().isEmpty());
}

TEST_F(TWheelPanning, ATreeThatFitsDoesNotPan)
{
    for (int i = 0; i < 3; ++i)
        Add(nullptr, i);
    ShowForm();
    TestInput::MouseDown(tree, mbMiddle, TPoint(50, 20));
    EXPECT_FALSE(tree->HasTreeState(tsWheelPanning | tsWheelScrolling));
    EXPECT_EQ(tree->PanningWindow(), nullptr);
    TestInput::MouseUp(tree, mbMiddle, TPoint(50, 20));
}
