// The grid's thin scroll controls of the metro scroll type (thumb size and
// place, paging and dragging) and the header drag button's look.
#include "grid/ExGrid.h"
#include "grid/features/ExGridPanels.h"

#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>

#include "Screenshot.h"

namespace {

QColor Q(TColor c)
{
    c = ColorToRGB(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

struct MetroGrid : ::testing::Test {
    std::unique_ptr<TForm> form;
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientSize(300, 160);
        grid = new TExStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 300, 160);
        grid->SetColCount(3);
        grid->SetRowCount(40);
        grid->SetDefaultColWidth(90);
        for (Integer r = 1; r < 40; ++r)
            for (Integer c = 1; c < 3; ++c)
                grid->SetCells(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
        form->Show();
        grid->SetScrollType(ssMetro);
    }
};

} // namespace

TEST_F(MetroGrid, ThinControlsReplaceTheScrollBars)
{
    TScrollControl* v = grid->VertScrollControl();
    TScrollControl* h = grid->HorzScrollControl();
    ASSERT_NE(v, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(grid->ScrollBars(), ssNone);
    EXPECT_EQ(v->Width(), 6);
    EXPECT_EQ(h->Height(), 6);
    EXPECT_EQ(v->Color(), clSilver);
    EXPECT_EQ(v->ScrollWidth(), 4);
    // Along the right and bottom edges of the cells.
    EXPECT_EQ(v->Left() + v->Width(), grid->ClientWidth());
    EXPECT_EQ(h->Top() + h->Height(), grid->ClientHeight());

    Integer pos = 0, size = 0;
    // All three columns fit: no horizontal thumb.
    EXPECT_FALSE(h->ThumbExtent(pos, size));
    ASSERT_TRUE(v->ThumbExtent(pos, size));
    EXPECT_EQ(pos, grid->RowHeights(0));  // at the top, below the fixed row
    EXPECT_GE(size, 20);

    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-metro-scroll"));
    // The thumb in its colour at the right edge, none along the bottom.
    const Integer b = 2;  // the window's border
    const Integer x = b + v->Left() + 1;
    EXPECT_EQ(img.pixelColor(x, b + pos + size / 2), Q(clSilver));
    EXPECT_NE(img.pixelColor(x, b + pos + size + 20), Q(clSilver));

    // Scrolled down, the thumb follows.
    grid->SetTopRow(20);
    Integer pos2 = 0;
    ASSERT_TRUE(v->ThumbExtent(pos2, size));
    EXPECT_GT(pos2, pos);
    const QImage moved = grid->GrabWindow();
    EXPECT_EQ(moved.pixelColor(x, b + pos2 + size / 2), Q(clSilver));

    // Back to normal bars: the controls go.
    grid->SetScrollType(ssNormal);
    EXPECT_EQ(grid->VertScrollControl(), nullptr);
    EXPECT_EQ(grid->ScrollBars(), ssBoth);
}

TEST_F(MetroGrid, PagingAndDraggingStayWithinTheNormalCells)
{
    grid->SetColCount(5);  // two more columns than fit
    grid->SetFixedCols(1);
    TScrollControl* h = grid->HorzScrollControl();
    Integer pos = 0, size = 0;
    ASSERT_TRUE(h->ThumbExtent(pos, size));
    EXPECT_GE(size, 20);
    // After the thumb: a page on; before it: back, never into the fixed columns.
    TestInput::Click(h, {h->Width() - 2, 3});
    EXPECT_GT(grid->LeftCol(), 1);
    ASSERT_TRUE(h->ThumbExtent(pos, size));
    TestInput::Click(h, {pos - 2, 3});
    EXPECT_EQ(grid->LeftCol(), 1);
    TestInput::Click(h, {2, 3});
    EXPECT_EQ(grid->LeftCol(), 1);

    // Dragging the vertical thumb far past the end stops at the last page.
    TScrollControl* v = grid->VertScrollControl();
    ASSERT_TRUE(v->ThumbExtent(pos, size));
    const Integer x = 2, y = pos + size / 2;
    TestInput::MouseDown(v, mbLeft, {x, y});
    EXPECT_TRUE(v->Dragging());
    TestInput::MouseMove(v, {x, y + 30}, TShiftState(ssLeft));
    const Integer partWay = grid->TopRow();
    EXPECT_GT(partWay, 1);
    TestInput::MouseMove(v, {x, y + 5000}, TShiftState(ssLeft));
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - grid->VisibleRowCount());
    TestInput::MouseMove(v, {x, y - 5000}, TShiftState(ssLeft));
    EXPECT_EQ(grid->TopRow(), grid->FixedRows());
    TestInput::MouseUp(v, mbLeft, {x, y - 5000});
    EXPECT_FALSE(v->Dragging());
}

TEST(ScrollControl, WithoutAGridItDoesNothing)
{
    TForm form(nullptr);
    auto* s = new TScrollControl(&form);
    s->SetParent(&form);
    s->SetBounds(0, 0, 6, 100);
    Integer pos = 0, size = 0;
    EXPECT_FALSE(s->ThumbExtent(pos, size));
    form.Show();
    TestInput::Click(s, {3, 50});
    EXPECT_FALSE(s->Dragging());
}

TEST(HeaderDragButton, LooksLikeAHeaderCellWithItsCaptionCentred)
{
    TForm form(nullptr);
    form.SetClientSize(300, 120);
    auto* grid = new TExStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 300, 120);
    form.Show();
    THeaderDragButton* b = grid->MoveButton();
    b->SetParent(grid);
    b->SetBounds(40, 30, 90, 22);
    b->SetVisible(true);
    auto inkBox = [](const QImage& Img) {
        TRect box{Img.width(), Img.height(), -1, -1};
        for (Integer y = 2; y < Img.height() - 2; ++y)
            for (Integer x = 2; x < Img.width() - 2; ++x)
                if (qGray(Img.pixel(x, y)) < 100) {
                    box.Left = std::min(box.Left, x);
                    box.Right = std::max(box.Right, x);
                    box.Top = std::min(box.Top, y);
                    box.Bottom = std::max(box.Bottom, y);
                }
        return box;
    };
    b->SetCaption(QStringLiteral("Port"));
    QImage img = GrabControl(b);
    testsupport::SaveScreenshot(img, QStringLiteral("THeaderDragButton"));
    TRect ink = inkBox(img);
    ASSERT_GE(ink.Right, ink.Left);
    // Centred both ways (within a pixel or two).
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, img.width() / 2.0, 3);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, img.height() / 2.0, 3);
    // The face is the fixed cell's: the corner cell's colour in the middle of a blank band.
    const QImage cells = grid->GrabWindow();
    EXPECT_EQ(img.pixelColor(5, 11), cells.pixelColor(2 + 5, 2 + 11));

    b->SetCaption(QStringLiteral("A caption far wider than the button"));
    img = GrabControl(b);
    ink = inkBox(img);
    // Cut with an ellipsis: the ink starts at the left and stays inside.
    EXPECT_LT(ink.Left, 10);
    EXPECT_LT(ink.Right, img.width() - 2);
    EXPECT_GT(ink.Right, img.width() - 20);
}
