// The colour picker's panels as a user works them: the palette's layout,
// boxes chosen by mouse and keys; the cube's cells hit, hinted and chosen;
// the spectrum's picture, its eyedropper and its two swatches.
#include "DropdownOpenShot.h"

#include "grid/dropdown/ExColorSelectors.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"

namespace {

class TColorPanels : public TDropDownForm_ {
protected:
    template <class T>
    T* Add()
    {
        auto* p = new T(form);
        p->SetParent(form);
        p->SetLeft(10);
        p->SetTop(10);
        return p;
    }
    Integer selects = 0, hides = 0;
};

} // namespace

TEST_F(TColorPanels, PaletteLaysOutSixRowsWithAGapBelowTheStandAloneRow)
{
    auto* p = Add<TCustomColorSelector>();
    p->UpdateLayout();
    EXPECT_EQ(p->Width(), 100);
    EXPECT_EQ(p->Height(), 50);
    p->FillPalette();
    p->UpdateLayout();
    EXPECT_EQ(p->Items()->Count(), 60);
    EXPECT_EQ(p->Width(), 165);
    EXPECT_EQ(p->Height(), 84);
    const Integer tops[] = {4, 20, 32, 44, 56, 68};
    for (Integer row = 0; row < 6; ++row)
        EXPECT_EQ(p->GetItemRect(row * 10 + 3).Top, tops[row]) << row;
    EXPECT_EQ(p->GetItemRect(9).Left, 4 + 9 * 16);
    EXPECT_EQ(p->GetItemRect(60), TRect(-1, -1, -1, -1));
    // Right and bottom edges belong to the next box or to nothing.
    EXPECT_EQ(p->ItemAtPos(4, 4), 0);
    EXPECT_EQ(p->ItemAtPos(16, 4), -1);
    EXPECT_EQ(p->ItemAtPos(20, 20), 11);
    EXPECT_EQ(p->ItemAtPos(20, 31), 11);
    EXPECT_EQ(p->ItemAtPos(20, 32), 21);
    // A narrower layout keeps its rows apart only after stand-alone boxes.
    p->SetColumns(5);
    EXPECT_EQ(p->GetItemRect(5).Top, 4 + 12 + 4);
    EXPECT_EQ(p->GetItemRect(10).Top, 20 + 12 + 4);
    EXPECT_EQ(p->GetItemRect(15).Top, 36 + 12);
}

TEST_F(TColorPanels, PaletteChoosesByMouseAndKeysAndMarksTheBox)
{
    auto* p = Add<TCustomColorSelector>();
    p->FillPalette();
    p->UpdateLayout();
    p->OnItemSelect = [this](TObject*) { ++selects; };
    TestInput::Click(p, CentreOf(p->GetItemRect(13)));
    EXPECT_EQ(p->ItemIndex(), 13);
    EXPECT_EQ(p->SelectedColor(), TColor(0xDACEC2));
    EXPECT_EQ(selects, 1);
    // The selected box gets the red outer frame; the hot one its own.
    TestInput::MouseMove(p, CentreOf(p->GetItemRect(25)));
    EXPECT_EQ(p->ItemHot(), 25);
    const QImage img = GrabControl(p);
    const TRect sel = p->GetItemRect(13), hot = p->GetItemRect(25), plain = p->GetItemRect(40);
    EXPECT_EQ(PixelAt(img, sel.Left, sel.Top + 5), TColor(0x0000FF));
    EXPECT_EQ(PixelAt(img, hot.Left, hot.Top + 5), TColor(0x3694F2));
    EXPECT_EQ(PixelAt(img, plain.Left, plain.Top + 5), TColor(0xC5C5C5));
    EXPECT_EQ(PixelAt(img, plain.Left + 5, plain.Top + 5), TColor(0xA5A5A5));
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TCustomColorSelector-palette")).isEmpty());

    // Keys: open popup moves a row with Up/Down, closed and typed edit steps.
    struct Case {
        Integer start;
        Word key;
        bool editorEnabled, droppedDown;
        Integer index;
    } cases[] = {
        {13, VK_DOWN, false, true, 23},  {13, VK_UP, false, true, 3},    {3, VK_UP, false, true, 3},
        {13, VK_DOWN, false, false, 14}, {13, VK_LEFT, true, false, 13}, {13, VK_LEFT, false, false, 12},
        {13, VK_RIGHT, true, true, 14},  {13, VK_HOME, true, false, 0},  {13, VK_NEXT, true, false, 59},
        {-1, VK_DOWN, false, true, 0},   {55, VK_DOWN, false, true, 55}, {13, 'A', false, true, 13},
    };
    for (const Case& c : cases) {
        p->SetItemIndex(c.start);
        p->HandleKey(c.key, c.editorEnabled, c.droppedDown);
        EXPECT_EQ(p->ItemIndex(), c.index) << c.start << " " << c.key;
    }
    // A colour no box has selects none; a disabled box cannot be chosen.
    p->SetSelectedColor(0x123456);
    EXPECT_EQ(p->ItemIndex(), -1);
    p->SetSelectedColor(0x7D491F);
    EXPECT_EQ(p->ItemIndex(), 3);
    p->Items()->Items(4)->SetEnabled(false);
    selects = 0;
    TestInput::Click(p, CentreOf(p->GetItemRect(4)));
    EXPECT_EQ(p->ItemIndex(), 3);
    EXPECT_EQ(selects, 0);
    TestInput::MouseMove(p, CentreOf(p->GetItemRect(4)));
    EXPECT_EQ(p->ItemHot(), -1);
    // An index past the boxes is refused instead of failing.
    p->SetItemIndex(60);
    EXPECT_EQ(p->ItemIndex(), 3);
}

TEST_F(TColorPanels, CubeCellsAreHitWithinSixPixelsOfTheirCentre)
{
    auto* p = Add<TExColorCubePanel>();
    EXPECT_EQ(p->Width(), 182);
    EXPECT_EQ(p->Height(), 160);
    // Rows of 7 to 13 cells and back; white in the centre.
    EXPECT_EQ(p->Cell(1).Center, (TPoint{55, 20}));
    EXPECT_EQ(p->Cell(8).Center, (TPoint{49, 30}));
    EXPECT_EQ(p->Cell(64).Color, TColor(0xFFFFFF));
    EXPECT_EQ(p->Cell(64).Center, (TPoint{91, 80}));
    EXPECT_EQ(p->Cell(124).Center, (TPoint{91, 140}));
    EXPECT_EQ(p->Cell(127).Center, (TPoint{127, 140}));
    EXPECT_EQ(p->Cell(127).Color, TColor(0x2100A5));
    EXPECT_EQ(p->CellAtPos(55 + 6, 20), 1);
    EXPECT_EQ(p->CellAtPos(55 - 7, 20 - 3), -1);
    EXPECT_EQ(p->CellAtPos(55, 20 - 7), -1);
    // Within six pixels of two centres: the lower-numbered cell.
    EXPECT_EQ(p->CellAtPos(61, 20), 1);
    EXPECT_EQ(p->CellAtPos(91, 85), 64);

    p->SetSelectedColor(0x123456);
    EXPECT_EQ(p->SelectedIndex(), -1);
    EXPECT_EQ(p->SelectedColor(), TColor(0x123456));
    p->SetSelectedColor(0x0000FF);
    EXPECT_EQ(p->SelectedIndex(), 118);  // row 12, sixth cell

    TestInput::MouseMove(p, {91, 80});
    EXPECT_EQ(p->HotIndex(), 64);
    EXPECT_EQ(p->Hint(), QStringLiteral("Red: 255,  Green: 255,  Blue: 255"));
    TestInput::MouseMove(p, {55, 20});
    EXPECT_EQ(p->Hint(), QStringLiteral("Red: 0,  Green: 51,  Blue: 102"));
    TestInput::MouseMove(p, {2, 2});
    EXPECT_EQ(p->Hint(), QString());
    EXPECT_EQ(p->HotIndex(), 1);  // the mark stays

    p->OnSelect = [this](TObject*) { ++selects; };
    p->OnShouldHide = [this](TObject*) { ++hides; };
    TestInput::Click(p, {67, 20});
    EXPECT_EQ(p->SelectedIndex(), 2);
    EXPECT_EQ(p->SelectedColor(), TColor(0x996633));
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 1);
    // Between the cells nothing is chosen, but the popup may still close.
    TestInput::Click(p, {2, 2});
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 2);

    const QImage img = GrabControl(p);
    EXPECT_EQ(PixelAt(img, 127, 140), TColor(0x2100A5));
    EXPECT_EQ(PixelAt(img, 103, 80), TColor(0xFFCCFF));
    // The selected cell carries a black ring and a white one inside.
    EXPECT_EQ(PixelAt(img, 67 + 5, 20), TColor(0));
    EXPECT_EQ(PixelAt(img, 67 + 4, 20), TColor(0xFFFFFF));
    EXPECT_EQ(PixelAt(img, 67, 20), TColor(0x996633));
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TExColorCubePanel")).isEmpty());
}

TEST_F(TColorPanels, SpectrumPictureRunsHueAcrossAndWhiteToBlackDown)
{
    TBitmap b;
    LoadKavroSpectrum(&b);
    ASSERT_EQ(b.Width(), 128);
    ASSERT_EQ(b.Height(), 128);
    TCanvas* c = b.Canvas();
    struct Case {
        Integer x, y;
        TColor color;
    } cases[] = {
        {0, 0, 0xFFFFFF},  {64, 0, 0xFFFFFF},    {0, 127, 0},        {100, 127, 0},
        {0, 64, 0x0000FF}, {64, 64, 0xFFFF00},   {0, 32, 0x8080FF},
    };
    for (const Case& k : cases) {
        const TColor p = c->Pixels(k.x, k.y);
        EXPECT_NEAR(GetRValue(p), GetRValue(k.color), 2) << k.x << "," << k.y;
        EXPECT_NEAR(GetGValue(p), GetGValue(k.color), 2) << k.x << "," << k.y;
        EXPECT_NEAR(GetBValue(p), GetBValue(k.color), 2) << k.x << "," << k.y;
    }
    // Along the middle row: yellow, green, blue, magenta in turn.
    const TColor yellow = c->Pixels(21, 64), green = c->Pixels(43, 64), blue = c->Pixels(85, 64),
                 magenta = c->Pixels(107, 64);
    EXPECT_GT(GetRValue(yellow), 240);
    EXPECT_GT(GetGValue(yellow), 240);
    EXPECT_GT(GetGValue(green), 240);
    EXPECT_LT(GetRValue(green), 10);
    EXPECT_GT(GetBValue(blue), 240);
    EXPECT_LT(GetGValue(blue), 10);
    EXPECT_GT(GetRValue(magenta), 240);
    EXPECT_GT(GetBValue(magenta), 240);

    TBitmap pointer;
    LoadKavroPointer(&pointer);
    EXPECT_EQ(pointer.Width(), 32);
    const QImage cursor = pointer.ToImage();
    EXPECT_EQ(qAlpha(cursor.pixel(1, 30)), 255);  // the tip is the hot spot
    EXPECT_EQ(qAlpha(cursor.pixel(30, 30)), 0);
}

TEST_F(TColorPanels, SpectrumEyedropperShowsTheHotColourAndAClickKeepsIt)
{
    auto* p = Add<TExColorSpectrumPanel>();
    p->ArrangeSpectrum();
    EXPECT_EQ(p->Width(), 150);
    EXPECT_EQ(p->Height(), 174);
    EXPECT_EQ(p->SpectrumImage()->Left(), 11);
    EXPECT_EQ(p->SpectrumImage()->Top(), 10);
    EXPECT_EQ(p->SelectedRect(), TRect(10, 146, 73, 166));
    EXPECT_EQ(p->HotRect(), TRect(77, 146, 140, 166));
    EXPECT_EQ(p->HotColor(), clNone);
    EXPECT_EQ(p->SelectedColor(), TColor(0xFFFFFF));
    EXPECT_EQ(p->SpectrumImage()->Cursor(), crKavroPointer);
    p->OnSelect = [this](TObject*) { ++selects; };
    p->OnShouldHide = [this](TObject*) { ++hides; };

    TestInput::MouseMove(p->SpectrumImage(), {43, 64});
    const TColor hot = p->HotColor();
    EXPECT_GT(GetGValue(hot), 240);
    EXPECT_LT(GetRValue(hot), 10);
    QImage img = GrabControl(p);
    EXPECT_EQ(PixelAt(img, 100, 156), hot);
    EXPECT_EQ(PixelAt(img, 40, 156), TColor(0xFFFFFF));
    EXPECT_EQ(PixelAt(img, 11 + 43, 10 + 64), hot);  // the image shows the picture 1:1
    EXPECT_EQ(PixelAt(img, 9, 9), TColor(0x808080));

    TestInput::Click(p->SpectrumImage(), {43, 64});
    EXPECT_EQ(p->SelectedColor(), hot);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 1);
    img = GrabControl(p);
    EXPECT_EQ(PixelAt(img, 40, 156), hot);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TExColorSpectrumPanel")).isEmpty());
}
