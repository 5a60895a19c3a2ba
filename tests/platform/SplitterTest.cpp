// The splitter as a user drags it: between a side panel and the client
// panel, on either side and either axis, held within the least sizes, and
// reporting the move once the button is let go.
#include <gtest/gtest.h>

#include <QImage>

#include "Screenshot.h"
#include "platform/ExtCtrls.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/Splitter.h"
#include "platform/TestHooks.h"

namespace {

struct SplitterTest : ::testing::Test {
    TForm* form = nullptr;
    TPanel* side = nullptr;
    TSplitter* splitter = nullptr;
    TPanel* rest = nullptr;
    int moved = 0;

    // A 400 x 300 window: the side panel (100 wide or high) on the given
    // side, the splitter beside it, a panel filling the rest.
    void Make(TAlign align)
    {
        form = new TForm(nullptr);
        form->SetClientSize(400, 300);
        side = new TPanel(form);
        side->SetParent(form);
        side->SetBounds(0, 0, 100, 100);
        side->SetColor(clAqua);
        side->SetAlign(align);
        splitter = new TSplitter(form);
        splitter->SetParent(form);
        splitter->SetAlign(align);
        // Placed past the panel, so that it aligns after it.
        const bool vertical = align == alLeft || align == alRight;
        splitter->SetBounds(align == alRight ? 0 : 200, align == alBottom ? 0 : 200, vertical ? 3 : 400,
                            vertical ? 300 : 3);
        splitter->OnMoved = [this](TObject*) { ++moved; };
        rest = new TPanel(form);
        rest->SetParent(form);
        rest->SetAlign(alClient);
        form->Show();
    }
    void TearDown() override { delete form; }
    // Presses at the splitter's middle, moves by (dx, dy), releases.
    void Drag(Integer dx, Integer dy)
    {
        const TPoint mid(splitter->Width() / 2, splitter->Height() / 2);
        TestInput::RoutedMouse(splitter, TestInput::rmDown, mid);
        TestInput::RoutedMouse(splitter, TestInput::rmMove, TPoint(mid.X + dx, mid.Y + dy));
        // The splitter moved with the border: it is under the mouse again.
        TestInput::RoutedMouse(splitter, TestInput::rmUp, mid);
    }
};

TEST_F(SplitterTest, DraggingMovesTheBorderOnEverySide)
{
    const struct {
        TAlign align;
        Integer dx, dy;
        Integer size;  // of the side panel after the drag
        TCursor cursor;
    } cases[] = {
        {alLeft, 50, 0, 150, crHSplit},
        {alRight, 40, 0, 60, crHSplit},
        {alTop, 0, 30, 130, crVSplit},
        {alBottom, 0, 30, 70, crVSplit},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(int(k.align));
        Make(k.align);
        EXPECT_EQ(splitter->FindControl(), side);
        EXPECT_EQ(splitter->Cursor(), k.cursor);
        Drag(k.dx, k.dy);
        const bool vertical = k.align == alLeft || k.align == alRight;
        EXPECT_EQ(vertical ? side->Width() : side->Height(), k.size);
        EXPECT_EQ(moved, 1);
        // The rest of the window follows the border.
        EXPECT_EQ(vertical ? rest->Width() : rest->Height(), (vertical ? 400 : 300) - k.size - 3);
        delete form;
        form = nullptr;
        moved = 0;
    }
}

TEST_F(SplitterTest, TheLeastSizesHoldBothWaysAndAClickMovesNothing)
{
    Make(alLeft);
    splitter->SetMinSize(40);
    Drag(-500, 0);
    EXPECT_EQ(side->Width(), 40);
    Drag(1000, 0);
    EXPECT_EQ(side->Width(), 400 - 3 - 40);
    EXPECT_EQ(rest->Width(), 40);
    EXPECT_EQ(moved, 2);
    Drag(0, 0);
    EXPECT_EQ(moved, 2);
    // The right button does not drag.
    TestInput::MouseDown(splitter, mbRight, TPoint(1, 10));
    TestInput::MouseMove(splitter, TPoint(-100, 10));
    TestInput::MouseUp(splitter, mbRight, TPoint(-100, 10));
    EXPECT_EQ(side->Width(), 400 - 3 - 40);
}

TEST_F(SplitterTest, WithoutANeighbourItDoesNothing)
{
    Make(alLeft);
    side->SetAlign(alTop);
    EXPECT_EQ(splitter->FindControl(), nullptr);
    const Integer left = splitter->Left();
    Drag(50, 0);
    EXPECT_EQ(splitter->Left(), left);
    EXPECT_EQ(moved, 0);
}

TEST_F(SplitterTest, PaintsTheHandleBetweenThePanels)
{
    Make(alLeft);
    splitter->SetWidth(8);
    const QImage shot = GrabControl(form);
    testsupport::SaveScreenshot(shot, QStringLiteral("TSplitter"));
    const QImage bar = GrabControl(splitter);
    ASSERT_EQ(bar.width(), 8);
    ASSERT_EQ(bar.height(), 300);
    // The style's grip stands in the middle of the bar, on its plain face.
    bool grip = false;
    for (int y = 120; y < 180; ++y)
        for (int x = 0; x < bar.width(); ++x)
            grip = grip || bar.pixelColor(x, y) != bar.pixelColor(x, 10);
    EXPECT_TRUE(grip);
    EXPECT_NE(bar.pixelColor(4, 10), shot.pixelColor(50, 150));
}

} // namespace

// Two panels stacked one above the other with a splitter between them.
namespace {

struct TSplitForm {
    TForm form{nullptr};
    TPanel* above;
    TSplitter* splitter;
    TPanel* below;
    Integer moved = 0;

    explicit TSplitForm(TAlign align)
    {
        form.SetClientSize(400, 300);
        const bool bottom = align == alBottom;
        above = new TPanel(&form);
        above->SetParent(&form);
        above->SetBounds(0, bottom ? 200 : 0, 400, 100);
        above->SetAlign(align);
        splitter = new TSplitter(&form);
        splitter->SetParent(&form);
        splitter->SetAlign(align);
        splitter->SetBounds(0, bottom ? 195 : 100, 400, 5);
        splitter->OnMoved = [this](TObject*) { ++moved; };
        below = new TPanel(&form);
        below->SetParent(&form);
        below->SetAlign(alClient);
        form.Show();
    }
    void Drag(Integer dy)
    {
        TestInput::MouseDown(splitter, mbLeft, {100, 2});
        TestInput::MouseMove(splitter, {100, 2 + dy}, TShiftState{ssLeft});
        TestInput::MouseUp(splitter, mbLeft, {100, 2 + dy});
    }
};

TEST(Splitter, DraggingResizesTheControlItTouchesWithinTheRoomLeft)
{
    TSplitForm t(alTop);
    EXPECT_EQ(t.splitter->Top(), 100);
    t.Drag(40);
    EXPECT_EQ(t.above->Height(), 140);
    EXPECT_EQ(t.splitter->Top(), 140);
    EXPECT_EQ(t.below->Top(), 145);
    EXPECT_EQ(t.moved, 1);
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(&t.form), QStringLiteral("TSplitter-dragged")).isEmpty());
    // Never below MinSize, and the client control keeps MinSize.
    t.Drag(-500);
    EXPECT_EQ(t.above->Height(), 30);
    t.Drag(1000);
    EXPECT_EQ(t.below->Height(), 30);
    EXPECT_EQ(t.above->Height() + 5 + 30, 300);
    EXPECT_EQ(t.splitter->Cursor(), crVSplit);
}

TEST(Splitter, ABottomSplitterGrowsItsControlUpwards)
{
    TSplitForm t(alBottom);
    EXPECT_EQ(t.above->Top(), 200);
    t.Drag(-50);
    EXPECT_EQ(t.above->Height(), 150);
    EXPECT_EQ(t.above->Top(), 150);
    EXPECT_EQ(t.splitter->Top(), 145);
    EXPECT_EQ(t.below->Height(), 145);
}

} // namespace
