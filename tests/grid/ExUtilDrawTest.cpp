// Colours, gradients and the cell painters, checked on the pixels that
// matter; a sheet of every painter is kept as a screenshot.
#include "grid/ExUtil.h"
#include "controls/ExXPVS.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/GraphicsQt.h"

#include "Pixels.h"
#include "Screenshot.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct ImageCanvas {
    QImage image;
    QPainter painter;
    TCanvas canvas;
    explicit ImageCanvas(int w, int h, QColor bg = Qt::white) : image(w, h, QImage::Format_RGB32)
    {
        image.fill(bg);
        painter.begin(&image);
        canvas.BeginPaint(&painter);
        canvas.Font()->SetName("DejaVu Sans");
        canvas.Font()->SetSize(8);
    }
    ~ImageCanvas() { End(); }
    void End()
    {
        if (painter.isActive()) {
            canvas.EndPaint();
            painter.end();
        }
    }
    TColor At(int x, int y)
    {
        End();
        return FromQColor(image.pixelColor(x, y));
    }
    // Number of pixels of the colour in r.
    int Count(const TRect& r, TColor c)
    {
        End();
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += FromQColor(image.pixelColor(x, y)) == c;
        return n;
    }
    // Bounds of the pixels of colour c (empty when none).
    TRect Extent(TColor c)
    {
        End();
        TRect b(image.width(), image.height(), 0, 0);
        bool any = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (FromQColor(image.pixelColor(x, y)) == c) {
                    any = true;
                    b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1), std::max(b.Bottom, y + 1)};
                }
        return any ? b : TRect();
    }
};

TColorTones Tones()
{
    TColorTones t;
    t.Background = {0xEEEEEE, 0x888888, 0x111111};
    t.Hover = {0x00CCFF, 0x0099CC, 0x000000};
    t.Selected = {0x0080FF, 0x0060C0, 0xFFFFFF};
    t.Disabled = {0xDDDDDD, 0xAAAAAA, 0x999999};
    return t;
}

} // namespace

TEST(ExUtilColor, ConversionsAndMixing)
{
    struct Case { const char* name; TColor got, want; };
    const TColor face = ColorToRGB(clBtnFace);
    const Case cases[] = {
        {"half white", HalfColor(0xFFFFFF), 0x7F7F7F},
        {"half system colour", HalfColor(clBtnFace), RGB(GetRValue(face) >> 1, GetGValue(face) >> 1, GetBValue(face) >> 1)},
        {"brighten +50", ColorBrighten(0x808080, 50), 0xC0C0C0},
        {"brighten -50", ColorBrighten(0x808080, -50), 0x404040},
        {"white stays white", ColorBrighten(0xFFFFFF, 7), 0xFFFFFF},
        {"darken -20", ColorBrighten(RGB(100, 50, 10), -20), RGB(80, 40, 8)},
        {"brighten halves to even", ColorBrighten(RGB(10, 30, 0), 25), RGB(12, 38, 0)},
        {"interpolate to none", InterpolateColor(clBtnFace, clNone, 0, 100, 50), clBtnFace},
        {"interpolate half", InterpolateColor(clBlack, clWhite, 0, 10, 5), RGB(128, 128, 128)},
        {"interpolate quarter", InterpolateColor(clBlack, clWhite, 0, 4, 1), RGB(64, 64, 64)},
        {"interpolate down", InterpolateColor(clWhite, clBlack, 0, 10, 10), clBlack},
        {"interpolate empty range", InterpolateColor(clBtnFace, clBlack, 5, 5, 3), face},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want) << c.name;
}

TEST(ExUtilColor, HtmlHexTexts)
{
    struct Case { TColor color; const char* hex; };
    const Case cases[] = {
        {0x00FF8000, "0080FF"},
        {clRed, "FF0000"},
        {clWhite, "FFFFFF"},
        {RGB(1, 2, 3), "010203"},
        {clWindowText, "000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToHTMLHex(c.color), QString::fromLatin1(c.hex));
}

TEST(ExUtilColor, GradientEndsAndBands)
{
    {
        ImageCanvas c(100, 10);
        DrawGradient(&c.canvas, clRed, clBlue, 128, TRect(0, 0, 100, 10), true);
        EXPECT_EQ(c.At(0, 5), clRed);
        EXPECT_EQ(c.At(99, 5), clBlue);
        const TColor mid = c.At(50, 5);
        EXPECT_GT(GetRValue(mid), 100);
        EXPECT_GT(GetBValue(mid), 100);
    }
    {
        // Vertical gradient: colour changes top to bottom, equal across.
        ImageCanvas c(10, 40);
        DrawGradient(&c.canvas, clBlack, clWhite, 4, TRect(0, 0, 10, 40), false);
        EXPECT_EQ(c.At(3, 0), clBlack);
        EXPECT_EQ(c.At(3, 39), clWhite);
        EXPECT_EQ(c.At(0, 20), c.At(9, 20));
        // Five bands of grey: 0, 64, 128, 191, 255.
        EXPECT_EQ(c.At(5, 12), RGB(64, 64, 64));
    }
    {
        // One pixel high: the band of FromColor, then the one of ToColor over it.
        ImageCanvas c(10, 3);
        DrawGradient(&c.canvas, clRed, clBlue, 16, TRect(0, 1, 10, 2), false);
        EXPECT_EQ(c.At(5, 1), clBlue);
        EXPECT_EQ(c.At(5, 0), clWhite);
        EXPECT_EQ(c.At(5, 2), clWhite);
    }
    {
        ImageCanvas c(10, 10);
        DrawGradient(&c.canvas, clNone, clGreen, 16, TRect(2, 2, 8, 8), true);
        EXPECT_EQ(c.Extent(clGreen), TRect(2, 2, 8, 8));
    }
    {
        ImageCanvas c(10, 10);
        DrawGradient(&c.canvas, clRed, clBlue, 16, TRect(2, 5, 8, 5), true); // empty height
        EXPECT_EQ(c.Count(TRect(0, 0, 10, 10), clWhite), 100);
    }
}

TEST(ExUtilDraw, CellBackgroundFillsAndBorders)
{
    {
        ImageCanvas c(20, 20);
        DrawCellBackground(&c.canvas, TRect(2, 2, 18, 18), clRed, clNone, clNone, clNone, false, clBlue, false, false);
        EXPECT_EQ(c.At(10, 10), clWhite); // no fill
        EXPECT_EQ(c.At(2, 10), clBlue);
        EXPECT_EQ(c.At(17, 10), clBlue);
    }
    {
        ImageCanvas c(20, 20);
        DrawCellBackground(&c.canvas, TRect(2, 2, 18, 18), clRed, clNone, clNone, clNone, false, clNone, false, true);
        EXPECT_EQ(c.Extent(clRed), TRect(2, 2, 18, 19)); // one pixel further down
    }
    {
        // Mirrored: top half Color -> ColorTo, bottom half ColorMirror -> ColorMirrorTo.
        ImageCanvas c(20, 40);
        DrawCellBackground(&c.canvas, TRect(0, 0, 20, 40), clRed, clYellow, clBlue, clLime, true, clBlack, true, true);
        EXPECT_EQ(c.At(10, 0), clRed);
        EXPECT_EQ(c.At(10, 19), clYellow);
        EXPECT_EQ(c.At(10, 20), clBlue);
        EXPECT_EQ(c.At(10, 39), clLime);
        EXPECT_EQ(c.At(0, 10), clBlack);  // side lines only
        EXPECT_EQ(c.At(19, 10), clBlack);
        EXPECT_NE(c.At(10, 0), clBlack);
    }
}

TEST(ExUtilDraw, ButtonFrameEnds)
{
    {
        ImageCanvas c(40, 20);
        DrawButtonFrame(&c.canvas, clYellow, clNone, clNone, clNone, clSilver, clGray, clBlack, clAqua, clFuchsia,
                        TRect(0, 0, 40, 20), 3);
        EXPECT_EQ(c.Count(TRect(0, 0, 40, 20), clAqua), 0);    // no corner pixels
        EXPECT_EQ(c.Count(TRect(0, 0, 40, 20), clFuchsia), 0);
        EXPECT_EQ(c.At(0, 8), clYellow);                        // fill from the very left
        EXPECT_EQ(c.At(38, 8), clYellow);                       // to the right edge
        EXPECT_EQ(c.At(0, 0), clBlack);                         // top line without inset
    }
    {
        ImageCanvas c(40, 20);
        DrawButtonFrame(&c.canvas, clYellow, clNone, clNone, clNone, clSilver, clGray, clBlack, clAqua, clFuchsia,
                        TRect(0, 0, 40, 20), 0);
        EXPECT_EQ(c.At(0, 0), clFuchsia);
        EXPECT_EQ(c.At(38, 18), clFuchsia);
        EXPECT_EQ(c.At(1, 0), clAqua);
        EXPECT_EQ(c.At(0, 8), clBlack); // left end line
        EXPECT_EQ(c.At(2, 8), clYellow);
    }
}

TEST(ExUtilDraw, FlatButtonsTakeTheStateTone)
{
    const TColorTones t = Tones();
    {
        ImageCanvas c(60, 20);
        DrawComboButton(&c.canvas, nullptr, TRect(0, 0, 60, 20), 3, 1, t);
        EXPECT_EQ(c.At(48, 4), t.Hover.BrushColor);
        EXPECT_EQ(c.At(52, 10), t.Background.TextColor); // the arrow
        EXPECT_EQ(c.At(45, 10), t.Background.BorderColor);
    }
    {
        ImageCanvas c(60, 20);
        DrawComboButton(&c.canvas, nullptr, TRect(0, 0, 60, 20), 4, 0, t);
        DrawCellButton(&c.canvas, nullptr, TRect(0, 0, 60, 20), 7, 0, t);
        DrawSpinButtons(&c.canvas, nullptr, TRect(0, 0, 60, 20), -1, 0, t);
        EXPECT_EQ(c.Count(TRect(0, 0, 60, 20), clWhite), 60 * 20);
    }
    {
        ImageCanvas c(40, 20);
        DrawCellButton(&c.canvas, nullptr, TRect(0, 0, 40, 20), 3, 2, t);
        EXPECT_EQ(c.At(20, 10), t.Selected.BrushColor);
        EXPECT_EQ(c.At(0, 10), t.Selected.BorderColor);
    }
    {
        ImageCanvas c(40, 20);
        DrawSpinButtons(&c.canvas, nullptr, TRect(0, 0, 40, 20), 3, 3, t);
        EXPECT_EQ(c.At(26, 2), t.Disabled.BrushColor);
        EXPECT_EQ(c.At(31, 3), clBlack);  // up arrow
        EXPECT_EQ(c.At(31, 12), clBlack); // down arrow
    }
}

TEST(ExUtilDraw, ThemedAndClassicButtonsDraw)
{
    // Look 0 goes through the style, look 1 through the classic frame
    // controls; both paint something inside the button's area.
    for (Integer look : {0, 1, 2}) {
        ImageCanvas c(60, 20);
        DrawCellButton(&c.canvas, nullptr, TRect(0, 0, 60, 20), look, 0, Tones());
        EXPECT_LT(c.Count(TRect(0, 0, 60, 20), clWhite), 60 * 20) << look;
        ImageCanvas d(60, 20);
        DrawComboButton(&d.canvas, nullptr, TRect(0, 0, 60, 20), look, 0, Tones());
        EXPECT_EQ(d.Count(TRect(0, 0, 40, 20), clWhite), 40 * 20) << look; // only at the right edge
        EXPECT_LT(d.Count(TRect(40, 0, 60, 20), clWhite), 20 * 20) << look;
    }
}

TEST(ExUtilDraw, ProgressBarFillFollowsTheValue)
{
    struct Case { double value; double min, max; QString format; int filledTo; };
    const Case cases[] = {
        {150, 0, 100, "", 100},
        {-5, 0, 100, "", 0},
        {50, 0, 100, "", 50},
        {30, 20, 40, "%d units", 50}, // with a format the range counts
        {7, 5, 5, "%.1f", 100},       // empty range: full from Max on
        {50, 0, 100, "%s", 50},       // a format that does not fit the value
    };
    for (const Case& k : cases) {
        ImageCanvas c(104, 20);
        c.canvas.Brush()->SetColor(clWhite);
        DrawProgressBar(&c.canvas, TRect(0, 0, 104, 20), clLime, clBlack, clSilver, clBlack, k.value, 2, 2, k.min, k.max,
                        k.format, clNone, false);
        // Bar from x 2 to 102: count lime on a row clear of the text.
        const int lime = c.Count(TRect(2, 3, 102, 4), clLime);
        EXPECT_EQ(lime, k.filledTo) << k.value << " " << k.format.toStdString();
        EXPECT_EQ(c.Count(TRect(2, 3, 102, 4), clSilver), 100 - k.filledTo) << k.value;
    }
}

TEST(ExUtilDraw, CellProgressAtZeroHalfAndFull)
{
    TProgressAppearanceRec a;
    a.Level0Color = clLime;
    a.Level1Color = clYellow;
    a.Level2Color = 0x00A5FF;
    a.Level3Color = clRed;
    a.Level1Perc = 70;
    a.Level2Perc = 90;
    a.BorderColor = clBlack;
    a.ShowBorder = true;
    a.CompletionSmooth = true;
    a.BackgroundColor = clWhite;
    a.CompleteFontColor = clBlue;
    a.ShowPercentage = true;

    ImageCanvas sheet(120, 75);
    const int percents[] = {0, 50, 100};
    for (int i = 0; i < 3; ++i) {
        ImageCanvas c(102, 20);
        DrawCellProgress(&c.canvas, TRect(0, 0, 102, 20), percents[i], a);
        DrawCellProgress(&sheet.canvas, TRect(10, 5 + 25 * i, 112, 25 + 25 * i), percents[i], a);
        EXPECT_EQ(c.At(0, 10), clBlack); // border
        const TColor fill = percents[i] >= 100 ? clRed : clLime;
        EXPECT_EQ(c.Count(TRect(1, 2, 101, 3), fill), percents[i]) << percents[i];
        if (percents[i] == 0)
            EXPECT_EQ(c.Count(TRect(0, 0, 102, 20), clBlue), 0); // no text at zero
        else
            EXPECT_GT(c.Count(TRect(30, 0, 72, 20), clBlue), 0);
    }
    sheet.End();
    testsupport::SaveScreenshot(sheet.image.scaled(sheet.image.size() * 2), "ExUtil-cell-progress-0-50-100");
}

TEST(ExUtilDraw, CellProgressBlocksAndStacks)
{
    TProgressAppearanceRec a;
    a.Level0Color = clLime;
    a.Level1Color = clYellow;
    a.Level2Color = clAqua;
    a.Level3Color = clRed;
    a.Level1Perc = 50;
    a.Level2Perc = 80;
    a.BackgroundColor = clWhite;
    {
        // q = 100; 5 % in blocks: one block of 4 pixels, 2 in from the border.
        ImageCanvas c(102, 20);
        DrawCellProgress(&c.canvas, TRect(0, 0, 102, 20), 5, a);
        EXPECT_EQ(c.Extent(clLime), TRect(2, 2, 6, 18));
    }
    {
        // 30 %: t = 30: three blocks of 7 with gaps of 2, then one of 2.
        ImageCanvas c(102, 20);
        DrawCellProgress(&c.canvas, TRect(0, 0, 102, 20), 30, a);
        EXPECT_EQ(c.Count(TRect(0, 10, 102, 11), clLime), 7 * 3 + 2);
        EXPECT_EQ(c.At(9, 10), clWhite); // gap
        EXPECT_EQ(c.At(11, 10), clLime);
    }
    {
        a.Stacked = true;
        ImageCanvas c(102, 20);
        DrawCellProgress(&c.canvas, TRect(0, 0, 102, 20), 100, a);
        EXPECT_EQ(c.Count(TRect(1, 10, 101, 11), clLime), 50);
        EXPECT_EQ(c.Count(TRect(1, 10, 101, 11), clYellow), 30);
        EXPECT_EQ(c.Count(TRect(1, 10, 101, 11), clRed), 20);
    }
    {
        a.Stacked = false;
        a.CompletionSmooth = true;
        a.Vertical = true;
        ImageCanvas c(20, 102);
        DrawCellProgress(&c.canvas, TRect(0, 0, 20, 102), 25, a);
        EXPECT_EQ(c.Extent(clLime), TRect(1, 76, 19, 101)); // from the bottom up
    }
}

TEST(ExUtilDraw, RangePieAndShapes)
{
    {
        ImageCanvas c(44, 10);
        DrawRangeIndicator(&c.canvas, TRect(0, 0, 44, 10), -50, 100, false, clRed, clLime);
        EXPECT_EQ(c.Extent(clRed), TRect(12, 2, 22, 8));
        ImageCanvas d(44, 10);
        DrawRangeIndicator(&d.canvas, TRect(0, 0, 44, 10), 500, 100, false, clRed, clLime);
        EXPECT_EQ(d.Extent(clLime), TRect(22, 2, 42, 8)); // limited to the range
        ImageCanvas e(44, 10);
        DrawRangeIndicator(&e.canvas, TRect(0, 0, 44, 10), 5, 0, true, clRed, clLime); // no range: nothing
        EXPECT_EQ(e.Count(TRect(0, 0, 44, 10), clWhite), 440);
    }
    {
        ImageCanvas c(41, 41);
        c.canvas.Brush()->SetColor(clWhite);
        DrawProgressPie(&c.canvas, TRect(0, 0, 41, 41), clBlue, 25, false);
        EXPECT_EQ(c.At(28, 12), clBlue);  // upper right quarter
        EXPECT_EQ(c.At(12, 12), clWhite); // upper left stays
        EXPECT_EQ(c.At(28, 28), clWhite);
    }
    {
        ImageCanvas c(30, 20);
        DrawShape(&c.canvas, 0, 0, 20, 10, csCircle, clRed, clRed);
        EXPECT_EQ(c.Extent(clRed), TRect(0, 0, 10, 10));
        ImageCanvas d(30, 20);
        DrawShape(&d.canvas, 0, 0, 20, 10, 19, clRed, clRed);
        EXPECT_EQ(d.Count(TRect(0, 0, 30, 20), clWhite), 600);
        ImageCanvas e(30, 20);
        DrawShape(&e.canvas, 0, 0, 16, 16, csStar, clYellow, clYellow);
        EXPECT_EQ(e.Extent(clYellow).Top, 0); // the first point is the top tip
        EXPECT_EQ(e.At(8, 8), clYellow);
    }
}

TEST(ExUtilDraw, TransparentBitmapAndErrorUnderline)
{
    {
        TBitmap bmp(4, 4);
        bmp.Canvas()->Brush()->SetColor(clFuchsia);
        bmp.Canvas()->FillRect(TRect(0, 0, 4, 4));
        bmp.Canvas()->Brush()->SetColor(clBlue);
        bmp.Canvas()->FillRect(TRect(1, 1, 3, 3));
        ImageCanvas c(10, 10);
        DrawTransparentBitmap(&c.canvas, &bmp, clYellow, TRect(3, 3, 9, 9));
        EXPECT_EQ(c.At(3, 3), clYellow);
        EXPECT_EQ(c.At(4, 4), clBlue);
        EXPECT_EQ(c.At(2, 2), clWhite);
        EXPECT_EQ(c.At(7, 7), clWhite);
    }
    {
        ImageCanvas c(10, 10);
        DrawBitmapResource(&c.canvas, clLime, TRect(0, 0, 10, 10), "key.bmp");
        EXPECT_EQ(c.At(0, 0), clLime);
        EXPECT_EQ(c.At(1, 1), clBlue);
        EXPECT_THROW(DrawBitmapResource(&c.canvas, clLime, TRect(0, 0, 10, 10), "missing.bmp"), EResNotFound);
    }
    {
        ImageCanvas c(200, 30);
        const QString text = "Some wrod here";
        const int textW = c.canvas.TextWidth(text);
        DrawErrorUnderline(nullptr, &c.canvas, text, TRect(0, 0, 200, 30), 12, 50, 4);
        const TRect red = c.Extent(clRed);
        EXPECT_GE(red.Left, textW + 3);
        EXPECT_LE(red.Left, textW + 5);

        ImageCanvas d(200, 30);
        const int from = d.canvas.TextWidth("Some ");
        DrawErrorUnderline(nullptr, &d.canvas, text, TRect(0, 0, 200, 30), 12, 5, 4);
        const TRect mark = d.Extent(clRed);
        EXPECT_NEAR(mark.Left, from, 1);
        EXPECT_LT(mark.Right, textW);
        EXPECT_GE(mark.Top, 11); // below the text line, around YOffset
    }
}

TEST(ExUtilDraw, ThemedCheckBoxStatesDiffer)
{
    TThemeServices& ts = ExXPVS();
    ASSERT_TRUE(ThemeActive(ts));
    HTHEME theme = ts.OpenThemeData(nullptr, "button");
    ASSERT_NE(theme, nullptr);
    const Integer states[] = {CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_MIXEDNORMAL, CBS_CHECKEDNORMAL + 3};
    const char* names[] = {"unchecked", "checked", "mixed", "checked-disabled"};
    std::vector<QImage> images;
    ImageCanvas sheet(4 * 24 + 4, 28);
    for (int i = 0; i < 4; ++i) {
        ImageCanvas c(16, 16);
        const TRect r(0, 0, 16, 16);
        EXPECT_EQ(ts.DrawThemeBackground(theme, &c.canvas, BP_CHECKBOX, states[i], &r, nullptr), S_OK) << names[i];
        c.End();
        EXPECT_LT(c.Count(r, clWhite), 16 * 16) << names[i];
        images.push_back(c.image);
        const TRect s(4 + 24 * i, 6, 20 + 24 * i, 22);
        ts.DrawThemeBackground(theme, &sheet.canvas, BP_CHECKBOX, states[i], &s, nullptr);
    }
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            EXPECT_NE(images[std::size_t(i)], images[std::size_t(j)]) << names[i] << " vs " << names[j];
    const TRect r(0, 0, 16, 16);
    ImageCanvas bad(16, 16);
    EXPECT_NE(ts.DrawThemeBackground(theme, &bad.canvas, BP_CHECKBOX, 13, &r, nullptr), S_OK);
    ts.CloseThemeData(theme);
    sheet.End();
    testsupport::SaveScreenshot(sheet.image.scaled(sheet.image.size() * 3), "ExXPVS-check-box-states");
}

TEST(ExUtilDraw, SheetOfPainters)
{
    ImageCanvas c(420, 260, QColor(240, 240, 240));
    TCanvas* k = &c.canvas;
    const TColorTones t = Tones();
    DrawGradient(k, clNavy, clAqua, 64, TRect(10, 10, 130, 40), true);
    DrawGradient(k, clMaroon, clYellow, 64, TRect(140, 10, 170, 70), false);
    DrawCellBackground(k, TRect(180, 10, 280, 40), 0xF0D0B0, 0xC08040, 0xB07030, 0xF0E0D0, true, clNavy, false, true);
    DrawButtonFrame(k, 0xFFF0E0, 0xF0D0B0, 0xE0B080, 0xF0E0C0, clWhite, 0xE0C0A0, 0x905020, 0xC09060, 0xE0D0C0,
                    TRect(290, 10, 400, 34), 0);
    for (Integer look = 0; look < 4; ++look)
        for (Integer state = 0; state < 4; ++state) {
            const Integer x = 10 + state * 100, y = 50 + look * 24;
            DrawCellButton(k, nullptr, TRect(x, y, x + 30, y + 20), look, state, t);
            DrawComboButton(k, nullptr, TRect(x + 30, y, x + 62, y + 21), look, state, t);
            DrawSpinButtons(k, nullptr, TRect(x + 62, y + 1, x + 94, y + 21), look, state, t);
        }
    k->Brush()->SetColor(clWhite);
    DrawProgressBar(k, TRect(10, 150, 130, 170), clNavy, clWhite, clWhite, clNavy, 62, 1, 1, 0, 100, "", clGray, false);
    DrawProgressPie(k, TRect(140, 146, 166, 172), clGreen, 70, false);
    DrawRangeIndicator(k, TRect(180, 150, 280, 170), -40, 100, true, clRed, clGreen);
    DrawRangeIndicator(k, TRect(290, 150, 400, 170), 75, 100, true, clRed, clGreen);
    for (Integer s = 0; s <= csHalfStar; ++s)
        DrawShape(k, 10 + s * 21, 185, 16, 16, s, clYellow, clOlive);
    k->Font()->SetColor(clBlack);
    k->Brush()->SetStyle(bsClear);
    k->TextOut(10, 215, "Cell with a mispelled word");
    DrawErrorUnderline(nullptr, k, "Cell with a mispelled word", TRect(10, 215, 300, 235), k->TextHeight("X") - 3, 12, 9);
    DrawDownTriangle(k, 330, 222, clBlack);
    DrawBitmapResource(k, clLime, TRect(350, 215, 360, 225), "key.bmp");
    c.End();
    EXPECT_FALSE(testsupport::SaveScreenshot(c.image, "ExUtil-painters").isEmpty());
    auto near = [&](int x, int y, TColor want, int tolerance = 24) {
        const QColor got = c.image.pixelColor(x, y);
        const TColor w = ColorToRGB(want);
        return std::abs(got.red() - GetRValue(w)) < tolerance && std::abs(got.green() - GetGValue(w)) < tolerance
               && std::abs(got.blue() - GetBValue(w)) < tolerance;
    };
    // The gradients run from their first colour to their second.
    EXPECT_TRUE(near(11, 25, clNavy));
    EXPECT_TRUE(near(128, 25, clAqua));
    EXPECT_TRUE(near(155, 11, clMaroon));
    const QColor high = c.image.pixelColor(155, 11), low = c.image.pixelColor(155, 46);
    EXPECT_GT(low.green(), high.green() + 80);
    // The range indicators: a negative value in red, a positive one in green.
    EXPECT_GT(testsupport::CountColour(c.image, QRect(180, 150, 100, 20), QColor(255, 0, 0), 30), 100);
    EXPECT_GT(testsupport::CountColour(c.image, QRect(290, 150, 110, 20), QColor(0, 128, 0), 30), 200);
    // 62 % of the progress bar is filled.
    EXPECT_TRUE(near(20, 160, clNavy));
    EXPECT_TRUE(near(120, 160, clWhite));
    // The pie and the stars are drawn in their colours; the text is written.
    EXPECT_GT(testsupport::CountColour(c.image, QRect(140, 146, 26, 26), QColor(0, 128, 0), 30), 40);
    EXPECT_GT(testsupport::CountColour(c.image, QRect(10, 185, 21 * (csHalfStar + 1), 16), QColor(255, 255, 0), 30), 40);
    EXPECT_GT(testsupport::CountDark(c.image, QRect(10, 215, 200, 16)), 40);
    // The misspelling is underlined in red.
    EXPECT_GT(testsupport::CountColour(c.image, QRect(10, 215, 300, 22), QColor(255, 0, 0), 40), 5);
}
