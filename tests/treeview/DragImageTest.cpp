// The drag image: the faded picture of the dragged nodes, the translucent
// picture of a dragged header column, and how the image keeps the screen
// under it while it moves.

#include <QImage>
#include <cmath>

#include "HeaderFixture.h"
#include "Screenshot.h"
#include "TreeFixture.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "treeview/transfer/NodeTreeDragImage.h"

namespace {
// A picture of W x H in one colour, with a 10 x 10 block of another at its centre.
std::unique_ptr<TBitmap> Picture(Integer W, Integer H, TColor Fill, TColor Centre)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(pf32bit);
    bmp->SetSize(W, H);
    bmp->Canvas()->Brush()->SetColor(Fill);
    bmp->Canvas()->FillRect(TRect(0, 0, W, H));
    bmp->Canvas()->Brush()->SetColor(Centre);
    bmp->Canvas()->FillRect(TRect(W / 2 - 5, H / 2 - 5, W / 2 + 5, H / 2 + 5));
    return bmp;
}

int AlphaAt(const QImage& img, int x, int y)
{
    return qAlpha(img.pixel(x, y));
}
} // namespace

class TDragImageTest : public THeaderTreeFixture {
protected:
    void SetUp() override
    {
        THeaderTreeFixture::SetUp();
        Fill();
        ShowForm();
    }
    // Screen point of a client point of the tree.
    TPoint ScreenAt(TPoint P) const { return tree->ClientToScreen(P); }
};

TEST_F(TDragImageTest, TheFadeAlphaFallsFromTheCentreAndTheColourKeyIsClear)
{
    TNtDragImage image(tree);
    image.SetFade(true);
    image.SetColorKey(clLime);
    auto bmp = Picture(100, 60, clBlue, clLime);
    image.PrepareDrag(bmp.get(), TPoint(0, 0), TPoint(50, 30), nullptr);
    const QImage& alpha = image.DragImage();
    ASSERT_EQ(alpha.size(), QSize(100, 60));
    // The centre block carries the key colour: invisible. Beside it, almost opaque.
    EXPECT_EQ(AlphaAt(alpha, 50, 30), 0);
    EXPECT_EQ(AlphaAt(alpha, 50, 36), int(std::lround(255 * std::exp(-8.0 * 6 / 100))));
    // Half the larger side from the centre: 5; colours stay.
    EXPECT_EQ(AlphaAt(alpha, 0, 30), 5);
    EXPECT_EQ(alpha.pixel(0, 30) & 0xFFFFFF, 0x0000FFu);
    // Prepared and hidden until shown; a second show changes nothing.
    EXPECT_EQ(image.States(), disHidden | disInDrag | disPrepared);
    EXPECT_FALSE(image.Visible());
    EXPECT_EQ(image.GetDragImageRect(), TRect(0, 0, 0, 0));
    image.ShowDragImage();
    EXPECT_TRUE(image.Visible());
    EXPECT_EQ(image.GetDragImageRect(), TRect(0, 0, 100, 60));
    image.ShowDragImage();
    EXPECT_TRUE(image.Visible());
    image.EndDrag();
    EXPECT_EQ(image.States() & (disInDrag | disPrepared), 0u);
    EXPECT_FALSE(image.WillMove(TPoint(10, 10)));
}

TEST_F(TDragImageTest, WithoutFadeOrKeyTheWholePictureBlendsWithOneAlpha)
{
    TNtDragImage image(tree);
    image.SetTransparency(128);
    auto bmp = Picture(60, 40, clWhite, clWhite);
    const TPoint at = ScreenAt(TPoint(200, 120));
    image.PrepareDrag(bmp.get(), at, at, nullptr);
    image.ShowDragImage();
    // Over the tree's white background a white picture stays white at every
    // pixel, the corners as well as the centre.
    const QImage& shown = image.AlphaImage();
    const QImage& back = image.BackImage();
    ASSERT_EQ(shown.size(), QSize(60, 40));
    for (const QPoint p : {QPoint(0, 0), QPoint(59, 39), QPoint(30, 20)})
        EXPECT_EQ(shown.pixel(p) & 0xFFFFFF, back.pixel(p) & 0xFFFFFF) << p.x() << "," << p.y();
    // A black picture darkens every pixel by the same half.
    image.EndDrag();
    auto dark = Picture(60, 40, clBlack, clBlack);
    image.PrepareDrag(dark.get(), at, at, nullptr);
    image.ShowDragImage();
    for (const QPoint p : {QPoint(0, 0), QPoint(59, 39), QPoint(30, 20)}) {
        const QColor c(image.AlphaImage().pixel(p));
        EXPECT_NEAR(c.red(), QColor(image.BackImage().pixel(p)).red() / 2, 2);
    }
}

TEST_F(TDragImageTest, SmallMovesShiftTheKeptBackgroundAndLargeOnesTakeItAnew)
{
    // The background under the image: the rows with their texts.
    auto bmp = Picture(80, 30, clRed, clRed);
    const TPoint start = ScreenAt(TPoint(20, 2));
    TNtDragImage image(tree);
    image.PrepareDrag(bmp.get(), start, start, nullptr);
    image.ShowDragImage();
    // Small moves right and down: the background is shifted and the new strips read.
    ASSERT_TRUE(image.DragTo(TPoint(start.X + 7, start.Y + 4), false));
    ASSERT_TRUE(image.DragTo(TPoint(start.X + 12, start.Y + 9), false));
    EXPECT_EQ(image.GetDragImageRect(), Bounds(start.X + 12, start.Y + 9, 80, 30));
    const QImage shifted = image.BackImage();
    // The same place taken at once from the screen gives the same picture.
    image.EndDrag();
    const TPoint there(start.X + 12, start.Y + 9);
    image.PrepareDrag(bmp.get(), there, there, nullptr);
    image.ShowDragImage();
    EXPECT_EQ(shifted, image.BackImage());
    EXPECT_GT(InkIn(shifted, shifted.rect()), 5);  // the texts are in it
    // A move farther than the picture is large replaces the whole background.
    ASSERT_TRUE(image.DragTo(TPoint(there.X + 100, there.Y), false));
    EXPECT_EQ(image.GetDragImageRect(), Bounds(there.X + 100, there.Y, 80, 30));
    // Nothing moved, nothing forced: no work.
    EXPECT_FALSE(image.DragTo(TPoint(there.X + 100, there.Y), false));
    EXPECT_TRUE(image.DragTo(TPoint(there.X + 100, there.Y), true));
}

TEST_F(TDragImageTest, AHorizontalRestrictionIgnoresVerticalMoves)
{
    auto bmp = Picture(40, 20, clRed, clRed);
    const TPoint start = ScreenAt(TPoint(50, 50));
    TNtDragImage image(tree);
    image.SetMoveRestriction(dmrHorizontalOnly);
    image.PrepareDrag(bmp.get(), start, start, nullptr);
    image.ShowDragImage();
    EXPECT_FALSE(image.WillMove(TPoint(start.X, start.Y + 10)));
    EXPECT_TRUE(image.WillMove(TPoint(start.X + 1, start.Y)));
    EXPECT_FALSE(image.DragTo(TPoint(start.X, start.Y + 10), false));
    EXPECT_TRUE(image.DragTo(TPoint(start.X + 3, start.Y + 30), false));
    EXPECT_EQ(image.GetDragImageRect(), Bounds(start.X + 3, start.Y, 40, 20));
}

TEST_F(TDragImageTest, ThePictureOfSelectedNodesIsClippedAtTheTopLeft)
{
    tree->SetSelected(a, true);
    // The hot spot near the top-left corner: the 200 x 350 picture reaches
    // past the tree's origin and is painted shifted by the overhang.
    const TPoint hot(5, 5);
    tree->PrepareDragImage(hot, nullptr);
    TNtDragImage* image = tree->DragImage();
    const QImage& pic = image->DragImage();
    ASSERT_EQ(pic.size(), QSize(200, 350));
    EXPECT_EQ(image->States(), disHidden | disInDrag | disPrepared);
    // Only the selected first row is painted, from y = 175 - 5 on; the
    // rest is background colour, which the key makes invisible.
    const Integer rowTop = 175 - hot.Y;
    const Integer rowHeight = tree->DefaultNodeHeight();
    auto visible = [&](int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < pic.width(); ++x)
                n += AlphaAt(pic, x, y) > 0;
        return n;
    };
    EXPECT_EQ(visible(0, rowTop), 0);
    EXPECT_GT(visible(rowTop, rowTop + rowHeight), 50);
    EXPECT_EQ(visible(rowTop + rowHeight, pic.height()), 0);
    image->ShowDragImage();
    EXPECT_EQ(image->GetDragImageRect().TopLeft(), ScreenAt(TPoint(5 - 100, 5 - 175)));
    EXPECT_FALSE(testsupport::SaveScreenshot(image->AlphaImage(), QStringLiteral("TNtDragImage-selected-node")).isEmpty());
    image->EndDrag();
    // No image wanted: nothing is prepared, so nothing shows.
    tree->SetDragImageKind(diNoImage);
    EXPECT_FALSE(tree->DragImageWanted());
    tree->PrepareDragImage(hot, nullptr);
    image->ShowDragImage();
    EXPECT_FALSE(image->Visible());
}

TEST_F(TDragImageTest, ADraggedHeaderColumnShowsItsTranslucentPicture)
{
    TNtDragImage* image = header->DragImage();
    header->SetOptions(header->Options() | hoRestrictDrag);
    const Integer y = header->Height() / 2;
    TestInput::MouseDown(Strip(), mbLeft, CellCentre(1));
    TestInput::MouseMove(Strip(), TPoint(CellCentre(1).X + 30, y), ssLeft);
    ASSERT_TRUE(header->States() & hsDragging);
    ASSERT_TRUE(image->Visible());
    // The column's own cell, moved with the mouse along the strip.
    const TNodeTreeColumn* value = columns->Items(1);
    const TPoint stripOrigin = Strip()->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(image->GetDragImageRect(), Bounds(stripOrigin.X + value->Left(), stripOrigin.Y, value->Width(), header->Height()));
    const QImage shown = image->AlphaImage();
    // Its caption shows through, dimmed over the strip under it.
    EXPECT_GT(InkIn(shown, shown.rect()), 10);
    EXPECT_NE(shown, image->BackImage());
    EXPECT_FALSE(testsupport::SaveScreenshot(shown, QStringLiteral("TNtDragImage-header-column")).isEmpty());
    // With hoRestrictDrag only horizontal moves count.
    TestInput::MouseMove(Strip(), TPoint(CellCentre(1).X + 40, y + 3), ssLeft);
    EXPECT_EQ(image->GetDragImageRect().TopLeft(), TPoint(stripOrigin.X + value->Left() + 10, stripOrigin.Y));
    TestInput::MouseUp(Strip(), mbLeft, TPoint(CellCentre(1).X + 40, y));
    EXPECT_FALSE(image->Visible());
    EXPECT_EQ(image->States() & (disInDrag | disPrepared), 0u);
}
