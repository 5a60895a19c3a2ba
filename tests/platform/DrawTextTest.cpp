// Formatted text, edges, frame controls, focus rectangles and gradients,
// checked on the pixels that matter; one sheet of them is saved as a screenshot.
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/GraphicsQt.h"

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
        canvas.Brush()->SetStyle(bsClear);
    }
    TColor At(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }
    // Bounds of the pixels in r that differ from bg (empty when none).
    TRect Ink(const TRect& r, TColor bg = clWhite) const
    {
        TRect b(r.Right, r.Bottom, r.Left, r.Top);
        bool any = false;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (At(x, y) != bg) {
                    any = true;
                    b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1), std::max(b.Bottom, y + 1)};
                }
        return any ? b : TRect();
    }
    TRect Whole() const { return {0, 0, image.width(), image.height()}; }
};

TRect Calc(TCanvas& c, const QString& text, TRect r, Cardinal flags)
{
    DrawText(&c, text, r, flags | DT_CALCRECT);
    return r;
}

} // namespace

TEST(DrawText, CalcRectMeasuresLinesPrefixesAndTabs)
{
    ImageCanvas c(10, 10);
    TCanvas& k = c.canvas;
    const int lineH = k.TextHeight("Xg");
    const int w = k.TextWidth("File");

    struct Case { QString text; Cardinal flags; int width; int height; };
    const Case cases[] = {
        {"File", DT_SINGLELINE, w, lineH},
        {"&File", DT_SINGLELINE, w, lineH},                          // the mark takes no room
        {"&File", DT_SINGLELINE | DT_NOPREFIX, k.TextWidth("&File"), lineH},
        {"A&&B", 0, k.TextWidth("A&B"), lineH},
        {"File\nFile\r\nFile", 0, w, 3 * lineH},
        {"File\nFile", DT_SINGLELINE, k.TextWidth("FileFile"), lineH}, // line ends do not break
        {"", 0, 0, lineH},
    };
    for (const Case& cs : cases) {
        const TRect r = Calc(k, cs.text, Rect(5, 7, 500, 7), cs.flags);
        EXPECT_EQ(r.Left, 5) << cs.text.toStdString();
        EXPECT_EQ(r.Top, 7) << cs.text.toStdString();
        EXPECT_EQ(r.Width(), cs.width) << cs.text.toStdString();
        EXPECT_EQ(r.Height(), cs.height) << cs.text.toStdString();
    }
    // Tabs expand to stops of eight average characters only when asked.
    const int tabbed = Calc(k, "a\tb", Rect(0, 0, 500, 0), DT_EXPANDTABS).Width();
    EXPECT_GE(tabbed, 8 * QFontMetrics(k.QtFont()).averageCharWidth());
    EXPECT_EQ(Calc(k, "a\tb", Rect(0, 0, 500, 0), 0).Width(), k.TextWidth("ab"));
    // The return value is the height.
    TRect r(0, 0, 500, 0);
    EXPECT_EQ(DrawText(&k, "one\ntwo", r, DT_CALCRECT), 2 * lineH);
}

TEST(DrawText, WordBreakWrapsBetweenWordsAndEditControlBreaksLongWords)
{
    ImageCanvas c(10, 10);
    TCanvas& k = c.canvas;
    const int lineH = k.TextHeight("Xg");
    const QString text = "alpha beta gamma delta";
    const int limit = std::max(k.TextWidth("alpha beta"), k.TextWidth("gamma delta")) + 2;
    const TRect r = Calc(k, text, Rect(0, 0, limit, 0), DT_WORDBREAK);
    EXPECT_EQ(r.Height(), 2 * lineH);
    EXPECT_LE(r.Width(), limit);
    EXPECT_EQ(r.Width(), std::max(k.TextWidth("alpha beta"), k.TextWidth("gamma delta")));
    // Without word break the text stays on one line.
    EXPECT_EQ(Calc(k, text, Rect(0, 0, limit, 0), 0).Height(), lineH);
    // A word wider than the rectangle: kept whole (the rectangle widens) or,
    // like an edit control, broken between characters.
    const QString longWord = "abcdefghijklmnopqrstuvwxyz";
    const int narrow = k.TextWidth("abcdefgh");
    const TRect whole = Calc(k, longWord, Rect(0, 0, narrow, 0), DT_WORDBREAK);
    EXPECT_EQ(whole.Width(), k.TextWidth(longWord));
    EXPECT_EQ(whole.Height(), lineH);
    const TRect broken = Calc(k, longWord, Rect(0, 0, narrow, 0), DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_LE(broken.Width(), narrow);
    EXPECT_GE(broken.Height(), 3 * lineH);
}

TEST(DrawText, EndEllipsisCutsToTheRectangle)
{
    ImageCanvas c(200, 30);
    TCanvas& k = c.canvas;
    const QString text = "A rather long caption text";
    const int limit = k.TextWidth("A rather lo");
    const TRect r = Calc(k, text, Rect(0, 0, limit, 0), DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(r.Width(), limit);
    EXPECT_GT(r.Width(), k.TextWidth("...")) << "some of the text is kept";
    // Text that fits is left alone.
    EXPECT_EQ(Calc(k, "short", Rect(0, 0, 200, 0), DT_SINGLELINE | DT_END_ELLIPSIS).Width(), k.TextWidth("short"));

    // Drawn: nothing beyond the rectangle, and the three dots at its end.
    TRect box(10, 5, 10 + limit, 25);
    DrawText(&k, text, box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    const TRect ink = c.Ink(c.Whole());
    EXPECT_LE(ink.Right, box.Right);
    EXPECT_GT(ink.Right, box.Right - k.TextWidth("..") - 2);
}

TEST(DrawText, AlignmentPlacesTheTextInItsRectangle)
{
    ImageCanvas c(300, 40);
    TCanvas& k = c.canvas;
    const int w = k.TextWidth("Mid");
    const int lineH = k.TextHeight("Mid");
    struct Case { Cardinal flags; int left; };
    const Case cases[] = {{DT_LEFT, 0}, {DT_CENTER, (300 - w) / 2}, {DT_RIGHT, 300 - w}};
    for (const Case& cs : cases) {
        c.image.fill(Qt::white);
        TRect r(0, 0, 300, 40);
        const Integer h = DrawText(&k, "Mid", r, cs.flags | DT_SINGLELINE | DT_VCENTER);
        const TRect ink = c.Ink(c.Whole());
        ASSERT_FALSE(ink.IsEmpty());
        EXPECT_NEAR(ink.Left, cs.left, 2) << cs.flags;
        EXPECT_NEAR(ink.Right, cs.left + w, 2) << cs.flags;
        // Vertically centred: the return value is the offset of the text's bottom.
        EXPECT_EQ(h, (40 - lineH) / 2 + lineH);
        EXPECT_GE(ink.Top, (40 - lineH) / 2);
        EXPECT_LE(ink.Bottom, (40 - lineH) / 2 + lineH);
    }
    c.image.fill(Qt::white);
    TRect r(0, 0, 300, 40);
    DrawText(&k, "Low", r, DT_SINGLELINE | DT_BOTTOM);
    EXPECT_GE(c.Ink(c.Whole()).Top, 40 - lineH);
    // Vertical placement needs a single line: a multi-line text starts at the top.
    c.image.fill(Qt::white);
    DrawText(&k, "Top", r, DT_VCENTER);
    EXPECT_LT(c.Ink(c.Whole()).Top, lineH);
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip)
{
    ImageCanvas c(300, 30);
    TCanvas& k = c.canvas;
    TRect r(10, 5, 40, 25);
    DrawText(&k, "Much wider than thirty pixels", r, DT_SINGLELINE);
    TRect ink = c.Ink(c.Whole());
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Right, 40);
    EXPECT_GT(ink.Right, 35);
    c.image.fill(Qt::white);
    DrawText(&k, "Much wider than thirty pixels", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(c.Ink(c.Whole()).Right, 100);
}

TEST(DrawText, AcceleratorIsUnderlinedUnlessHidden)
{
    ImageCanvas c(100, 30);
    TCanvas& k = c.canvas;
    const QFontMetrics fm(k.QtFont());
    const int lineY = fm.ascent() + fm.underlinePos();
    TRect r(0, 0, 100, 30);
    DrawText(&k, "x&n", r, DT_SINGLELINE);
    const int yLeft = k.TextWidth("x");
    const int yRight = k.TextWidth("xn");
    const TRect under = c.Ink(Rect(0, lineY, 100, lineY + 1));
    ASSERT_FALSE(under.IsEmpty());
    EXPECT_EQ(under.Left, yLeft);
    EXPECT_EQ(under.Right, yRight);
    c.image.fill(Qt::white);
    DrawText(&k, "x&n", r, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_TRUE(c.Ink(Rect(0, lineY, 100, lineY + 1)).IsEmpty());
}

TEST(DrawText, OpaqueBackgroundFillsTheTextCell)
{
    ImageCanvas c(100, 30);
    TCanvas& k = c.canvas;
    k.Brush()->SetColor(clYellow);
    TRect r(10, 0, 100, 30);
    DrawText(&k, "Cell", r, 0);
    EXPECT_EQ(c.At(10, 0), clYellow);
    EXPECT_EQ(c.At(10 + k.TextWidth("Cell") - 1, k.TextHeight("Cell") - 1), clYellow);
    EXPECT_EQ(c.At(10 + k.TextWidth("Cell") + 1, 2), clWhite);
}

TEST(DrawEdge, RingsColoursSidesAndAdjust)
{
    const TColor light = GetSysColor(COLOR_3DLIGHT), white = GetSysColor(COLOR_BTNHIGHLIGHT);
    const TColor shadow = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW);
    ImageCanvas c(20, 20, Qt::magenta);
    TRect r(0, 0, 20, 20);
    DrawEdge(&c.canvas, r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    EXPECT_EQ(r, Rect(2, 2, 18, 18));
    EXPECT_EQ(c.At(0, 0), light);
    EXPECT_EQ(c.At(1, 1), white);
    EXPECT_EQ(c.At(19, 19), dark);
    EXPECT_EQ(c.At(19, 0), dark);  // the dark side owns the corners
    EXPECT_EQ(c.At(0, 19), dark);
    EXPECT_EQ(c.At(18, 18), shadow);
    EXPECT_EQ(c.At(10, 10), GetSysColor(COLOR_BTNFACE));

    c.image.fill(Qt::magenta);
    r = Rect(0, 0, 20, 20);
    DrawEdge(&c.canvas, r, EDGE_SUNKEN, BF_RECT);
    EXPECT_EQ(r, Rect(0, 0, 20, 20)); // no BF_ADJUST
    EXPECT_EQ(c.At(5, 0), shadow);
    EXPECT_EQ(c.At(5, 1), dark);
    EXPECT_EQ(c.At(5, 19), white);
    EXPECT_EQ(c.At(5, 18), light);
    EXPECT_EQ(c.At(10, 10), RGB(255, 0, 255)); // no middle

    // Only the named sides.
    c.image.fill(Qt::magenta);
    r = Rect(0, 0, 20, 20);
    DrawEdge(&c.canvas, r, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM | BF_ADJUST);
    EXPECT_EQ(r, Rect(0, 0, 19, 19));
    EXPECT_EQ(c.At(19, 5), shadow);
    EXPECT_EQ(c.At(0, 5), RGB(255, 0, 255));
    EXPECT_EQ(c.At(5, 0), RGB(255, 0, 255));
}

namespace {

struct BoxLook { TColor frame; TColor back; bool ink; TColor inkColor; };

BoxLook CheckBoxLook(Cardinal state)
{
    ImageCanvas c(13, 13, Qt::magenta);
    TRect r(0, 0, 13, 13);
    EXPECT_TRUE(DrawFrameControl(&c.canvas, r, DFC_BUTTON, state));
    BoxLook look{c.At(0, 0), c.At(3, 3), false, clNone};
    for (int y = 2; y < 11; ++y)
        for (int x = 2; x < 11; ++x)
            if (c.At(x, y) != look.back) {
                look.ink = true;
                look.inkColor = c.At(x, y);
            }
    return look;
}

} // namespace

TEST(DrawFrameControl, CheckBoxInEachState)
{
    const TColor window = GetSysColor(COLOR_WINDOW), face = GetSysColor(COLOR_BTNFACE);
    const TColor shadow = GetSysColor(COLOR_BTNSHADOW), text = GetSysColor(COLOR_WINDOWTEXT);
    struct Case { const char* name; Cardinal state; TColor back; bool ink; TColor inkColor; };
    const Case cases[] = {
        {"unchecked", DFCS_BUTTONCHECK, window, false, clNone},
        {"checked", DFCS_BUTTONCHECK | DFCS_CHECKED, window, true, text},
        {"grey", DFCS_BUTTON3STATE | DFCS_CHECKED, face, true, shadow},
        {"pushed", DFCS_BUTTONCHECK | DFCS_PUSHED, face, false, clNone},
        {"inactive checked", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, face, true, shadow},
        {"flat checked", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT, window, true, text},
    };
    for (const Case& cs : cases) {
        const BoxLook look = CheckBoxLook(cs.state);
        EXPECT_EQ(look.frame, shadow) << cs.name;
        EXPECT_EQ(look.back, cs.back) << cs.name;
        EXPECT_EQ(look.ink, cs.ink) << cs.name;
        if (cs.ink) {
            EXPECT_EQ(look.inkColor, cs.inkColor) << cs.name;
        }
    }
}

TEST(DrawFrameControl, RadioButtonsArrowsAndUnknownKinds)
{
    ImageCanvas c(13, 13, Qt::magenta);
    TRect r(0, 0, 13, 13);
    EXPECT_TRUE(DrawFrameControl(&c.canvas, r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED));
    EXPECT_EQ(c.At(6, 6), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(c.At(0, 0), RGB(255, 0, 255)); // round: the corners stay
    EXPECT_EQ(c.At(3, 6), GetSysColor(COLOR_WINDOW));
    c.image.fill(Qt::magenta);
    DrawFrameControl(&c.canvas, r, DFC_BUTTON, DFCS_BUTTONRADIO);
    EXPECT_EQ(c.At(6, 6), GetSysColor(COLOR_WINDOW));

    ImageCanvas a(16, 16, Qt::magenta);
    TRect ar(0, 0, 16, 16);
    EXPECT_TRUE(DrawFrameControl(&a.canvas, ar, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_ADJUSTRECT));
    EXPECT_EQ(ar, Rect(2, 2, 14, 14));
    EXPECT_EQ(a.At(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(a.At(8, 8), GetSysColor(COLOR_BTNTEXT)); // the arrow
    EXPECT_EQ(a.At(3, 3), GetSysColor(COLOR_BTNFACE));
    // Down arrow points down: wider at its top than at its bottom.
    const TRect ink = a.Ink(Rect(3, 3, 13, 13), GetSysColor(COLOR_BTNFACE));
    int topRun = 0, bottomRun = 0;
    for (int x = 0; x < 16; ++x) {
        topRun += a.At(x, ink.Top) == GetSysColor(COLOR_BTNTEXT);
        bottomRun += a.At(x, ink.Bottom - 1) == GetSysColor(COLOR_BTNTEXT);
    }
    EXPECT_GT(topRun, bottomRun);

    TRect pr(0, 0, 16, 16);
    EXPECT_TRUE(DrawFrameControl(&a.canvas, pr, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED));
    EXPECT_EQ(a.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_FALSE(DrawFrameControl(&a.canvas, pr, 99, 0));
    EXPECT_FALSE(DrawFrameControl(&a.canvas, pr, DFC_SCROLL, 0x40));
}

TEST(DrawFocusRect, DottedAndUndoneBySecondCall)
{
    ImageCanvas c(20, 20);
    const QImage before = c.image.copy();
    DrawFocusRect(&c.canvas, Rect(2, 2, 12, 10));
    EXPECT_EQ(c.At(2, 2), clBlack);
    EXPECT_EQ(c.At(3, 2), clWhite);
    EXPECT_EQ(c.At(4, 2), clBlack);
    EXPECT_EQ(c.At(11, 9), clBlack);
    EXPECT_EQ(c.At(6, 6), clWhite);
    EXPECT_EQ(c.Ink(c.Whole()), Rect(2, 2, 12, 10));
    DrawFocusRect(&c.canvas, Rect(2, 2, 12, 10));
    EXPECT_EQ(c.image, before);
}

TEST(Gradient, EndsTakeTheTwoColours)
{
    ImageCanvas c(50, 20);
    GradientFillCanvas(&c.canvas, clRed, clBlue, Rect(0, 0, 50, 10), gdHorizontal);
    EXPECT_EQ(c.At(0, 5), clRed);
    EXPECT_EQ(c.At(49, 5), clBlue);
    const TColor mid = c.At(25, 5);
    EXPECT_GT(GetRValue(mid), 100);
    EXPECT_GT(GetBValue(mid), 100);
    EXPECT_EQ(c.At(25, 10), clWhite);
    GradientFillCanvas(&c.canvas, clBtnFace, clBlack, Rect(0, 10, 50, 20), gdVertical);
    EXPECT_EQ(c.At(7, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.At(7, 19), clBlack);
    EXPECT_EQ(c.At(0, 14), c.At(49, 14));
}

TEST(GraphicsSheet, Screenshot)
{
    ImageCanvas c(420, 260, QColor(212, 208, 200));
    TCanvas& k = c.canvas;
    k.Font()->SetColor(clBlack);
    const struct { const char* label; Cardinal state; } boxes[] = {
        {"off", DFCS_BUTTONCHECK},
        {"on", DFCS_BUTTONCHECK | DFCS_CHECKED},
        {"grey", DFCS_BUTTON3STATE | DFCS_CHECKED},
        {"pushed", DFCS_BUTTONCHECK | DFCS_PUSHED},
        {"inactive", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE},
        {"flat", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT},
        {"radio", DFCS_BUTTONRADIO},
        {"radio on", DFCS_BUTTONRADIO | DFCS_CHECKED},
    };
    int x = 10;
    for (const auto& b : boxes) {
        TRect r(x, 10, x + 13, 23);
        DrawFrameControl(&k, r, DFC_BUTTON, b.state);
        TRect t(x - 5, 26, x + 45, 40);
        DrawText(&k, b.label, t, DT_SINGLELINE);
        x += 50;
    }
    x = 10;
    const struct { Cardinal edge, flags; } edges[] = {
        {EDGE_RAISED, BF_RECT | BF_MIDDLE}, {EDGE_SUNKEN, BF_RECT}, {EDGE_ETCHED, BF_RECT},
        {BDR_RAISEDINNER, BF_RECT}, {BDR_SUNKENOUTER, BF_RECT}, {EDGE_RAISED, BF_RECT | BF_FLAT},
    };
    for (const auto& e : edges) {
        TRect r(x, 50, x + 50, 80);
        DrawEdge(&k, r, e.edge, e.flags);
        x += 65;
    }
    x = 10;
    for (Cardinal kind : {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT, DFCS_SCROLLCOMBOBOX}) {
        TRect r(x, 90, x + 16, 106);
        DrawFrameControl(&k, r, DFC_SCROLL, kind);
        TRect r2(x + 20, 90, x + 36, 106);
        DrawFrameControl(&k, r2, DFC_SCROLL, kind | DFCS_INACTIVE);
        x += 45;
    }
    TRect push(240, 88, 320, 110);
    DrawFrameControl(&k, push, DFC_BUTTON, DFCS_BUTTONPUSH);
    TRect pushed(330, 88, 410, 110);
    DrawFrameControl(&k, pushed, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    DrawText(&k, "&Push", push, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    DrawFocusRect(&k, Rect(334, 92, 406, 106));

    GradientFillCanvas(&k, clWhite, clNavy, Rect(10, 118, 200, 138), gdHorizontal);
    GradientFillCanvas(&k, clYellow, clRed, Rect(210, 118, 410, 138), gdVertical);

    const struct { Cardinal flags; const char* text; } aligns[] = {
        {DT_LEFT | DT_TOP | DT_SINGLELINE, "left top"},
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, "centre"},
        {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, "right bottom"},
        {DT_SINGLELINE | DT_END_ELLIPSIS, "an ellipsis cuts this long text"},
        {DT_WORDBREAK | DT_CENTER, "word break wraps these words"},
    };
    x = 10;
    k.Brush()->SetColor(clWindow);
    for (const auto& a : aligns) {
        TRect r(x, 148, x + 75, 198);
        k.FillRect(r);
        k.Brush()->SetStyle(bsClear);
        DrawText(&k, a.text, r, a.flags);
        k.Brush()->SetColor(clWindow);
        x += 80;
    }
    k.Brush()->SetStyle(bsClear);
    k.Font()->SetStyle({fsBold});
    k.TextOut(10, 210, "Bold");
    k.Font()->SetStyle({fsItalic, fsUnderline});
    k.TextOut(60, 210, "Italic underlined");
    k.Font()->SetStyle({});
    k.Pen()->SetColor(clMaroon);
    k.Brush()->SetColor(clSkyBlue);
    k.RoundRect(200, 205, 260, 250, 10, 10);
    k.Ellipse(270, 205, 320, 250);
    k.Polygon({Point(330, 250), Point(355, 205), Point(380, 250)});
    k.EndPaint();
    c.painter.end();
    EXPECT_FALSE(testsupport::SaveScreenshot(c.image, "Graphics-primitives").isEmpty());
    // The small controls four times as large, to check them pixel by pixel.
    const QImage controls = c.image.copy(0, 0, 420, 112);
    EXPECT_FALSE(testsupport::SaveScreenshot(controls.scaled(controls.size() * 4), "Graphics-primitives-zoomed").isEmpty());

    const TColor window = ColorToRGB(clWindow);
    // The unticked box is empty inside, the ticked one is not.
    EXPECT_TRUE(c.Ink(TRect(13, 13, 20, 20), window).IsEmpty());
    EXPECT_FALSE(c.Ink(TRect(63, 13, 70, 20), window).IsEmpty());
    // The gradients run from their first colour to their second.
    auto near = [&](int x, int y, TColor want) {
        const TColor got = c.At(x, y);
        const TColor w = ColorToRGB(want);
        return std::abs(GetRValue(got) - GetRValue(w)) < 24 && std::abs(GetGValue(got) - GetGValue(w)) < 24
               && std::abs(GetBValue(got) - GetBValue(w)) < 24;
    };
    EXPECT_TRUE(near(11, 128, clWhite));
    EXPECT_TRUE(near(198, 128, clNavy));
    EXPECT_TRUE(near(300, 119, clYellow));
    EXPECT_TRUE(near(300, 137, clRed));
    // Each text stands where its flags put it in its box.
    const auto box = [](int i) { return TRect(10 + 80 * i, 148, 85 + 80 * i, 198); };
    const TRect leftTop = c.Ink(box(0), window), centre = c.Ink(box(1), window);
    const TRect rightBottom = c.Ink(box(2), window), ellipsis = c.Ink(box(3), window);
    const TRect wrapped = c.Ink(box(4), window);
    EXPECT_LE(leftTop.Left, box(0).Left + 2);
    EXPECT_LE(leftTop.Top, box(0).Top + 4);
    EXPECT_LE(leftTop.Bottom, box(0).Top + 16);
    EXPECT_LT(leftTop.Right, box(0).Right - 10);
    EXPECT_LE(std::abs((centre.Left + centre.Right) - (box(1).Left + box(1).Right)), 6);
    EXPECT_LE(std::abs((centre.Top + centre.Bottom) - (box(1).Top + box(1).Bottom)), 6);
    EXPECT_GE(rightBottom.Right, box(2).Right - 2);
    EXPECT_GE(rightBottom.Bottom, box(2).Bottom - 5);
    EXPECT_GE(rightBottom.Top, box(2).Bottom - 16);
    EXPECT_LE(ellipsis.Right, box(3).Right);
    EXPECT_LT(ellipsis.Height(), 16);
    EXPECT_GT(wrapped.Height(), 20);  // two lines
}
