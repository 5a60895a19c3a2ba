// Styles and drawing routines of the dropdowns: banded gradients, colour
// blending and darkening, text fitting, selection backgrounds, component
// styles and colour tones, checked on the values and pixels that matter.
#include "DropdownFixture.h"

#include <QPainter>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace {

// A white image with a canvas on it.
struct TSheet {
    TBitmap Bitmap;
    explicit TSheet(Integer W, Integer H) : Bitmap(W, H)
    {
        Bitmap.Canvas()->Brush()->SetColor(clWhite);
        Bitmap.Canvas()->FillRect(TRect(0, 0, W, H));
        Bitmap.Canvas()->Font()->SetName(QStringLiteral("DejaVu Sans"));
        Bitmap.Canvas()->Font()->SetSize(8);
    }
    TCanvas* Canvas() { return Bitmap.Canvas(); }
    TColor At(Integer X, Integer Y) { return Bitmap.Canvas()->Pixels(X, Y); }
};

TColor Band(TColor A, TColor B, Integer N, Integer Steps)
{
    auto ch = [&](Byte a, Byte b) { return Byte(a + std::nearbyint(double(N) * (b - a) / Steps)); };
    return RGB(ch(GetRValue(A), GetRValue(B)), ch(GetGValue(A), GetGValue(B)), ch(GetBValue(A), GetBValue(B)));
}

} // namespace

TEST(TDropDownDrawing, GradientBandsStepTowardTheSecondColour)
{
    // 8 bands over 161 pixels: 20 apart, each one pixel wider than that.
    TSheet s(161, 10);
    DrawDropDownGradient(s.Canvas(), RGB(0, 0, 0), RGB(160, 80, 240), 8, TRect(0, 0, 161, 10), true);
    for (Integer n = 0; n < 8; ++n)
        EXPECT_EQ(s.At(n * 20 + 10, 5), Band(RGB(0, 0, 0), RGB(160, 80, 240), n, 8)) << n;
    // The last band reaches the edge and stops short of the second colour.
    EXPECT_EQ(s.At(160, 5), Band(RGB(0, 0, 0), RGB(160, 80, 240), 7, 8));
    EXPECT_NE(s.At(160, 5), RGB(160, 80, 240));
    // Vertical, 80 steps over 10 pixels: overlapping one-pixel bands, the
    // later one on top; the last one is 79/80 of the way.
    TSheet v(10, 11);
    DrawDropDownGradient(v.Canvas(), clBlack, RGB(160, 160, 160), 80, TRect(0, 0, 10, 11), false);
    EXPECT_EQ(v.At(5, 10), Band(clBlack, RGB(160, 160, 160), 79, 80));
    EXPECT_EQ(v.At(5, 9), Band(clBlack, RGB(160, 160, 160), 75, 80));
    // Band 4 starts at round(0.5) = 0: halves round to even.
    EXPECT_EQ(v.At(5, 0), Band(clBlack, RGB(160, 160, 160), 4, 80));
    // Steps 0 draws one band of the first colour, system colours resolved.
    TSheet one(20, 10);
    DrawDropDownGradient(one.Canvas(), clBtnFace, clBlack, 0, TRect(0, 0, 20, 10), true);
    EXPECT_EQ(one.At(10, 5), ColorToRGB(clBtnFace));
}

TEST(TDropDownDrawing, BlendAndAdjustColours)
{
    const struct {
        TColor c1, c2;
        Integer percent;
        TColor expected;
    } blends[] = {
        {clWhite, clWhite, 50, clWhite},
        {clBtnFace, clBlack, 100, clBtnFace},
        {clRed, clBlue, 0, clBlue},
        {RGB(200, 0, 0), RGB(0, 0, 100), 50, RGB(100, 0, 50)},
        {0xFFD2AF, clWhite, 20, RGB(239, 246, 255)},
    };
    for (const auto& b : blends)
        EXPECT_EQ(BlendColor(b.c1, b.c2, b.percent), b.expected) << b.percent;
    EXPECT_EQ(AdjustColor(0x000000, 20, 20, 20), TColor(0x141414));
    EXPECT_EQ(AdjustColor(0x808080, 20, 20, 20), TColor(0x808080));
    EXPECT_EQ(AdjustColor(0xF5F0E1, -10, -10, 0), TColor(0xF5D8CA));
    EXPECT_EQ(AdjustColor(0xF9D2B2, -10, -10, 0), TColor(0xF9BDA0));
}

TEST(TDropDownDrawing, FitTextCutsFromTheEnd)
{
    TSheet s(10, 10);
    TCanvas* c = s.Canvas();
    const QString text = QStringLiteral("A rather long caption");
    const Integer full = GetTextSize(c, text).cx;
    EXPECT_EQ(GetTextSize(c, QString()), TSize(0, 0));
    EXPECT_EQ(FitText(c, text, full, true), text);
    const QString cut = FitText(c, text, full / 2, true);
    EXPECT_TRUE(cut.endsWith(QStringLiteral("...")));
    EXPECT_LT(GetTextSize(c, cut).cx, full / 2);
    EXPECT_TRUE(text.startsWith(cut.chopped(3)));
    const QString plain = FitText(c, text, full / 2, false);
    EXPECT_FALSE(plain.endsWith(QStringLiteral("...")));
    EXPECT_EQ(FitText(c, text, 0, true), text);
}

using TDropDownStyles = TDropDownForm_;

TEST_F(TDropDownStyles, SelectionBackgroundFollowsTheSelectionStyle)
{
    TExCustomDropDown* dd = AddDropDown();
    EXPECT_EQ(dd->SelectionColor(), TColor(0xD7FFFD));
    EXPECT_EQ(dd->SelectionColorTo(), TColor(0x58D4FC));
    TSheet s(60, 30);
    dd->DrawSelectionBackground(s.Canvas(), TRect(0, 0, 60, 30), clWhite, 0);
    EXPECT_EQ(s.At(0, 10), TColor(0x8DD7D3));
    EXPECT_EQ(s.At(10, 1), TColor(0xF4FEFF));
    dd->SetSelectionColorStyle(scWindows7);
    EXPECT_EQ(dd->SelectionColor(), TColor(0xFCEBDC));
    dd->SetSelectionColorStyle(scCustom);
    EXPECT_EQ(dd->SelectionColor(), TColor(0xFCEBDC));
    dd->SetSelectionColor(clLime);
    dd->SetSelectionColorTo(clRed);
    TSheet custom(60, 30);
    dd->DrawSelectionBackground(custom.Canvas(), TRect(0, 0, 60, 30), clWhite, 0);
    for (const TPoint p : {TPoint(0, 0), TPoint(30, 15), TPoint(59, 29)})
        EXPECT_EQ(custom.At(p.X, p.Y), clLime);
}

TEST_F(TDropDownStyles, ComponentStylesRecolourPopupBarsAndButtons)
{
    TExCustomDropDown* dd = AddDropDown();
    EXPECT_EQ(dd->GetComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(dd->DropDownColor(), TColor(0xF3E5DA));
    dd->SetComponentStyle(tsWindows7);
    EXPECT_EQ(dd->DropDownColor(), TColor(0xFFFFFF));
    EXPECT_EQ(dd->DropDownBorderColor(), TColor(0x979797));
    EXPECT_EQ(dd->DropDownHeader()->Color(), TColor(0xFDFBFA));
    EXPECT_EQ(dd->DropDownFooter()->BorderColor(), TColor(0xFBD6B8));
    EXPECT_EQ(dd->ButtonAppearance()->ColorDown(), TColor(0xFCEBDC));
    dd->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(dd->DropDownHeader()->BorderColor(), TColor(0x000000));
    EXPECT_EQ(dd->DropDownFooter()->BorderColor(), TColor(0x962D00));
    // Office 2003 Blue leaves the popup border colour as it was.
    EXPECT_EQ(dd->DropDownBorderColor(), TColor(0x979797));
    EXPECT_EQ(dd->ButtonAppearance()->ColorHot(), TColor(0xEBFDFF));
    // tsCustom changes no colour but is remembered.
    dd->SetComponentStyle(tsCustom);
    EXPECT_EQ(dd->GetComponentStyle(), tsCustom);
    EXPECT_EQ(dd->DropDownHeader()->Color(), TColor(0xFCE1CB));
    // The popup shows the style's colours when it next opens.
    dd->SetComponentStyle(tsOffice2010Black);
    dd->DropDownHeader()->SetVisible(false);
    dd->DropDownFooter()->SetVisible(false);
    dd->SetControl(nullptr);
    panel->SetVisible(false);
    dd->SetDropDownHeight(60);
    dd->ShowDropDown();
    const QImage img = GrabControl(dd->DropDownForm());
    EXPECT_EQ(PixelAt(img, 0, 30), TColor(0xEDEDEC));
    const TColor left = PixelAt(img, 2, 30), right = PixelAt(img, img.width() - 3, 30);
    EXPECT_NEAR(GetRValue(left), 0xFF, 3);
    EXPECT_NEAR(GetRValue(right), 0xED, 3);
}

TEST_F(TDropDownStyles, ColourTonesColourTheButtonAndBorder)
{
    TExCustomDropDown* dd = AddDropDown();
    TColorTones tones;
    tones.Background.BrushColor = RGB(200, 220, 240);
    tones.Background.BorderColor = RGB(0, 0, 128);
    tones.Hover.BrushColor = clYellow;
    tones.Selected.BrushColor = clRed;
    dd->SetColorTones(tones);
    EXPECT_EQ(dd->BorderColor(), RGB(0, 0, 128));
    EXPECT_EQ(dd->Button()->ButtonColor(), RGB(200, 220, 240));
    EXPECT_EQ(dd->Button()->ButtonColorHot(), clYellow);
    EXPECT_EQ(dd->Button()->ButtonColorDown(), clRed);
    const QImage button = GrabControl(dd->Button());
    EXPECT_EQ(PixelAt(button, 12, 3), RGB(200, 220, 240));
    EXPECT_EQ(PixelAt(button, 0, 5), RGB(0, 0, 128));
    const QImage edit = GrabControl(dd);
    EXPECT_EQ(PixelAt(edit, 0, 10), RGB(0, 0, 128));
}
