// TCanvas over a QPainter: pixel rules of shapes, lines and fills, pen modes,
// text, clipping and origins, and the painter hooks.
#include "platform/Canvas.h"
#include "platform/GraphicsQt.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A canvas painting on a white image for the length of one test.
struct ImageCanvas {
    QImage image;
    QPainter painter;
    TCanvas canvas;
    explicit ImageCanvas(int w = 40, int h = 30, QColor bg = Qt::white)
        : image(w, h, QImage::Format_RGB32)
    {
        image.fill(bg);
        painter.begin(&image);
        canvas.BeginPaint(&painter);
    }
    TColor At(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }
    // Number of pixels in r that differ from colour c.
    int CountNot(const TRect& r, TColor c) const
    {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += At(x, y) != c;
        return n;
    }
};

} // namespace

TEST(Canvas, FillRectCoversExactlyTheRectangle)
{
    ImageCanvas c;
    c.canvas.Brush()->SetColor(clBtnFace);
    c.canvas.FillRect(Rect(5, 4, 15, 10));
    EXPECT_EQ(c.At(5, 4), RGB(212, 208, 200));
    EXPECT_EQ(c.At(14, 9), RGB(212, 208, 200));
    EXPECT_EQ(c.At(15, 9), clWhite);
    EXPECT_EQ(c.At(14, 10), clWhite);
    EXPECT_EQ(c.At(4, 4), clWhite);
    EXPECT_EQ(c.CountNot(Rect(5, 4, 15, 10), RGB(212, 208, 200)), 0);
}

TEST(Canvas, RectangleOutlinesWithPenAndFillsWithBrush)
{
    ImageCanvas c;
    c.canvas.Pen()->SetColor(clRed);
    c.canvas.Brush()->SetColor(clBlue);
    c.canvas.Rectangle(2, 3, 12, 10);
    EXPECT_EQ(c.At(2, 3), clRed);
    EXPECT_EQ(c.At(11, 3), clRed);
    EXPECT_EQ(c.At(11, 9), clRed);
    EXPECT_EQ(c.At(2, 9), clRed);
    EXPECT_EQ(c.At(12, 5), clWhite);
    EXPECT_EQ(c.At(5, 10), clWhite);
    EXPECT_EQ(c.CountNot(Rect(3, 4, 11, 9), clBlue), 0);

    // Without a pen the filled area ends one pixel before right and bottom.
    c.canvas.Pen()->SetStyle(psClear);
    c.canvas.Brush()->SetColor(clLime);
    c.canvas.Rectangle(20, 3, 30, 10);
    EXPECT_EQ(c.CountNot(Rect(20, 3, 29, 9), clLime), 0);
    EXPECT_EQ(c.At(29, 5), clWhite);
    EXPECT_EQ(c.At(25, 9), clWhite);

    // A clear brush leaves the inside alone.
    c.canvas.Pen()->SetStyle(psSolid);
    c.canvas.Brush()->SetStyle(bsClear);
    c.canvas.Rectangle(2, 15, 12, 25);
    EXPECT_EQ(c.At(2, 15), clRed);
    EXPECT_EQ(c.CountNot(Rect(3, 16, 11, 24), clWhite), 0);
}

TEST(Canvas, FrameRectDrawsOnePixelBorderInBrushColour)
{
    ImageCanvas c;
    c.canvas.Brush()->SetColor(clGreen);
    c.canvas.FrameRect(Rect(4, 4, 14, 12));
    EXPECT_EQ(c.At(4, 4), clGreen);
    EXPECT_EQ(c.At(13, 11), clGreen);
    EXPECT_EQ(c.At(13, 4), clGreen);
    EXPECT_EQ(c.At(4, 11), clGreen);
    EXPECT_EQ(c.CountNot(Rect(5, 5, 13, 11), clWhite), 0);
    EXPECT_EQ(c.At(14, 4), clWhite);
}

TEST(Canvas, LineToLeavesOutTheEndPointAndMovesThePen)
{
    ImageCanvas c;
    c.canvas.MoveTo(2, 5);
    c.canvas.LineTo(10, 5);
    EXPECT_EQ(c.At(2, 5), clBlack);
    EXPECT_EQ(c.At(9, 5), clBlack);
    EXPECT_EQ(c.At(10, 5), clWhite);
    EXPECT_EQ(c.canvas.PenPos(), Point(10, 5));
    c.canvas.LineTo(10, 12);
    EXPECT_EQ(c.At(10, 5), clBlack);
    EXPECT_EQ(c.At(10, 11), clBlack);
    EXPECT_EQ(c.At(10, 12), clWhite);
}

// Lines along an axis in a plain one-pixel pen are filled as spans: they must
// cover exactly the pixels that Qt's line drawing covers, in either
// direction, at zero length, under a window origin and a clip.
TEST(Canvas, AxisLinesCoverTheLineDrawingsPixels)
{
    struct Line {
        int x1, y1, x2, y2;
    };
    const Line lines[] = {{2, 3, 20, 3}, {20, 6, 2, 6}, {4, 2, 4, 25}, {8, 25, 8, 2}, {12, 12, 12, 12},
                          {30, 9, 31, 9}, {35, 9, 34, 9}, {25, 20, 25, 21}, {27, 21, 27, 20}, {14, 14, 22, 22}};
    for (const TPoint org : {Point(0, 0), Point(-3, 5)}) {
        for (const bool clip : {false, true}) {
            ImageCanvas ours(40, 30);
            QImage expected(40, 30, QImage::Format_RGB32);
            expected.fill(Qt::white);
            QPainter qt(&expected);
            QPen pen(QColor(20, 90, 160));
            pen.setWidth(0);
            pen.setCapStyle(Qt::FlatCap);
            qt.setPen(pen);
            qt.translate(-org.X, -org.Y);
            ours.canvas.SetWindowOrg(org);
            if (clip) {
                qt.setClipRect(QRect(org.X + 5, org.Y + 4, 20, 12));
                ours.canvas.IntersectClipRect(Rect(org.X + 5, org.Y + 4, org.X + 25, org.Y + 16));
            }
            ours.canvas.Pen()->SetColor(RGB(20, 90, 160));
            for (const Line& l : lines) {
                ours.canvas.MoveTo(l.x1, l.y1);
                ours.canvas.LineTo(l.x2, l.y2);
                qt.drawLine(l.x1, l.y1, l.x2, l.y2);
            }
            qt.end();
            EXPECT_EQ(ours.image, expected) << "origin " << org.X << "," << org.Y << (clip ? " clipped" : "");
        }
    }
}

TEST(Canvas, XorLineDrawnTwiceRestoresThePicture)
{
    ImageCanvas c;
    c.canvas.Brush()->SetColor(RGB(10, 100, 200));
    c.canvas.FillRect(Rect(0, 0, 20, 30));
    const QImage before = c.image.copy();
    c.canvas.Pen()->SetMode(pmXor);
    c.canvas.Pen()->SetStyle(psDot);
    c.canvas.Pen()->SetColor(clWhite);
    for (int pass = 0; pass < 2; ++pass) {
        c.canvas.MoveTo(15, 0);
        c.canvas.LineTo(15, 30);
        c.canvas.MoveTo(0, 7);
        c.canvas.LineTo(40, 7);
        if (pass == 0) {
            EXPECT_NE(c.image, before);
            EXPECT_EQ(c.At(15, 0), RGB(245, 155, 55)); // the colour inverted by white
            EXPECT_EQ(c.At(30, 7), clBlack);           // white over white
        }
    }
    EXPECT_EQ(c.image, before);
}

TEST(Canvas, PenModesCombineWithTheDestination)
{
    struct Case { TPenMode mode; TColor pen; TColor dest; TColor result; };
    const Case cases[] = {
        {pmCopy, RGB(1, 2, 3), clWhite, RGB(1, 2, 3)},
        {pmNot, clRed, RGB(0, 255, 0), RGB(255, 0, 255)},
        {pmMask, RGB(0xF0, 0x0F, 0xFF), RGB(0x3C, 0x3C, 0x3C), RGB(0x30, 0x0C, 0x3C)},
        {pmMerge, RGB(0xF0, 0x00, 0x01), RGB(0x0F, 0x10, 0x02), RGB(0xFF, 0x10, 0x03)},
        {pmXor, RGB(0xFF, 0x0F, 0x00), RGB(0x0F, 0x0F, 0x0F), RGB(0xF0, 0x00, 0x0F)},
        {pmNotXor, RGB(0xFF, 0x0F, 0x00), RGB(0x0F, 0x0F, 0x0F), RGB(0x0F, 0xFF, 0xF0)},
        {pmBlack, clRed, clWhite, clBlack},
        {pmWhite, clRed, clBlack, clWhite},
        {pmNop, clRed, clBlue, clBlue},
    };
    for (const Case& k : cases) {
        ImageCanvas c(10, 10, ToQColor(k.dest));
        c.canvas.Pen()->SetColor(k.pen);
        c.canvas.Pen()->SetMode(k.mode);
        c.canvas.MoveTo(0, 4);
        c.canvas.LineTo(10, 4);
        EXPECT_EQ(c.At(5, 4), k.result) << "mode " << k.mode;
        EXPECT_EQ(c.At(5, 3), k.dest) << "mode " << k.mode;
    }
}

TEST(Canvas, EllipsePolygonAndRoundRectStayInsideTheirBox)
{
    ImageCanvas c(60, 30);
    c.canvas.Brush()->SetColor(clRed);
    c.canvas.Pen()->SetColor(clRed);
    c.canvas.Ellipse(0, 0, 20, 20);
    EXPECT_EQ(c.At(10, 10), clRed);
    EXPECT_EQ(c.At(0, 0), clWhite); // corners of the box stay free
    EXPECT_EQ(c.At(19, 19), clWhite);
    EXPECT_EQ(c.CountNot(Rect(20, 0, 60, 30), clWhite), 0);

    c.canvas.Polygon({Point(25, 0), Point(35, 0), Point(30, 10)}); // triangle pointing down
    EXPECT_EQ(c.At(30, 3), clRed);
    EXPECT_EQ(c.At(25, 9), clWhite);

    c.canvas.RoundRect(40, 0, 60, 20, 10, 10);
    EXPECT_EQ(c.At(50, 10), clRed);
    EXPECT_EQ(c.At(40, 0), clWhite);
    EXPECT_EQ(c.At(50, 0), clRed);
}

TEST(Canvas, TextOutDrawsAtTopLeftWithOpaqueOrClearBackground)
{
    ImageCanvas c(120, 40);
    c.canvas.Font()->SetColor(clBlack);
    c.canvas.Brush()->SetColor(clYellow);
    const TSize ext = c.canvas.TextExtent("Hello");
    EXPECT_GT(ext.cx, 15);
    EXPECT_GT(ext.cy, 8);
    EXPECT_EQ(c.canvas.TextWidth("Hello"), ext.cx);
    EXPECT_EQ(c.canvas.TextHeight("Hello"), ext.cy);
    EXPECT_GT(c.canvas.TextWidth("Hello world"), ext.cx);
    c.canvas.TextOut(10, 5, "Hello");
    EXPECT_EQ(c.canvas.PenPos(), Point(10 + ext.cx, 5));
    // Opaque: the whole text cell takes the brush colour around the glyphs.
    EXPECT_EQ(c.At(10, 5), clYellow);
    EXPECT_EQ(c.At(9, 5), clWhite);
    EXPECT_GT(c.CountNot(Rect(10, 5, 10 + ext.cx, 5 + ext.cy), clYellow), 10);
    EXPECT_EQ(c.CountNot(Rect(0, 5 + ext.cy, 120, 40), clWhite), 0);

    // Clear brush: glyphs only.
    c.canvas.Brush()->SetStyle(bsClear);
    c.canvas.TextOut(60, 5, "Hello");
    EXPECT_EQ(c.At(60, 5), clWhite);
    EXPECT_GT(c.CountNot(Rect(60, 5, 60 + ext.cx, 5 + ext.cy), clWhite), 10);
    // SetBkMode overrides until the next brush change.
    c.canvas.SetBkMode(OPAQUE);
    EXPECT_EQ(c.canvas.BkMode(), OPAQUE);
    c.canvas.Brush()->SetStyle(bsClear);
    EXPECT_EQ(c.canvas.BkMode(), OPAQUE);
    c.canvas.Brush()->SetColor(clRed);
    EXPECT_EQ(c.canvas.BkMode(), OPAQUE);
    c.canvas.Brush()->SetStyle(bsClear);
    EXPECT_EQ(c.canvas.BkMode(), TRANSPARENT);
}

TEST(Canvas, RotatedTextRunsUpwards)
{
    ImageCanvas c(60, 120);
    c.canvas.Brush()->SetStyle(bsClear);
    c.canvas.Font()->SetOrientation(900); // base line turned 90 degrees counter-clockwise
    c.canvas.TextOut(10, 100, "Vertical");
    // The text stands above (10, 100) in a column about one line high.
    EXPECT_GT(c.CountNot(Rect(10, 40, 30, 100), clWhite), 20);
    EXPECT_EQ(c.CountNot(Rect(0, 101, 60, 120), clWhite), 0);
    EXPECT_EQ(c.CountNot(Rect(30, 0, 60, 120), clWhite), 0);
}

TEST(Canvas, TextRectFillsAndClipsToItsRectangle)
{
    ImageCanvas c(120, 30);
    c.canvas.Brush()->SetColor(clAqua);
    c.canvas.TextRect(Rect(10, 5, 30, 20), 12, 6, "A long text that is cut");
    EXPECT_EQ(c.At(10, 5), clAqua);
    EXPECT_EQ(c.At(29, 19), clAqua);
    EXPECT_GT(c.CountNot(Rect(10, 5, 30, 20), clAqua), 5);
    EXPECT_EQ(c.CountNot(Rect(30, 0, 120, 30), clWhite), 0);
    EXPECT_EQ(c.CountNot(Rect(0, 20, 120, 30), clWhite), 0);
}

TEST(Canvas, ClipRegionsSaveRestoreAndOrigin)
{
    ImageCanvas c(40, 40);
    EXPECT_EQ(c.canvas.ClipRect(), Rect(0, 0, 40, 40));
    const TRegion rgn = TRegion::FromRect(Rect(10, 10, 20, 20));
    const Integer saved = c.canvas.SaveDC();
    c.canvas.SelectClipRgn(&rgn);
    EXPECT_EQ(c.canvas.ClipRect(), Rect(10, 10, 20, 20));
    c.canvas.ExcludeClipRect(Rect(10, 10, 15, 20));
    EXPECT_EQ(c.canvas.ClipRect(), Rect(15, 10, 20, 20));
    c.canvas.Brush()->SetColor(clRed);
    c.canvas.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(c.CountNot(Rect(15, 10, 20, 20), clRed), 0);
    EXPECT_EQ(c.At(12, 12), clWhite);
    EXPECT_EQ(c.At(25, 25), clWhite);

    c.canvas.RestoreDC(saved);
    TRegion none;
    EXPECT_FALSE(c.canvas.GetClipRgn(none));
    EXPECT_EQ(c.canvas.ClipRect(), Rect(0, 0, 40, 40));

    // Window origin: logical (100, 100) lands on device (0, 0); clip
    // regions stay in device terms.
    c.canvas.SetWindowOrg(Point(100, 100));
    EXPECT_EQ(c.canvas.LPtoDP(Point(105, 106)), Point(5, 6));
    EXPECT_EQ(c.canvas.ClipRect(), Rect(100, 100, 140, 140));
    c.canvas.IntersectClipRect(Rect(130, 130, 135, 135));
    c.canvas.Brush()->SetColor(clBlue);
    c.canvas.FillRect(Rect(100, 100, 140, 140));
    EXPECT_EQ(c.CountNot(Rect(30, 30, 35, 35), clBlue), 0);
    EXPECT_EQ(c.At(29, 30), clWhite);
    EXPECT_EQ(c.canvas.Pixels(132, 132), clBlue);
}

TEST(Canvas, RoundAndEllipticRegionsClip)
{
    ImageCanvas c(40, 40);
    const TRegion ell = TRegion::FromEllipse(Rect(0, 0, 40, 40));
    c.canvas.SelectClipRgn(&ell);
    c.canvas.Brush()->SetColor(clBlack);
    c.canvas.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(c.At(20, 20), clBlack);
    EXPECT_EQ(c.At(1, 1), clWhite);
    EXPECT_EQ(c.At(38, 38), clWhite);
    const TRegion rr = TRegion::FromRoundRect(Rect(0, 0, 20, 20), 10, 10);
    EXPECT_TRUE(rr.Contains(Point(10, 0)));
    EXPECT_TRUE(rr.Contains(Point(0, 10)));
    EXPECT_FALSE(rr.Contains(Point(0, 0)));
    EXPECT_FALSE(rr.Contains(Point(19, 19)));
    EXPECT_TRUE((rr - TRegion::FromRect(Rect(0, 0, 10, 20))).Bounds() == Rect(10, 0, 20, 20));
}

TEST(Canvas, PixelsAndFloodFill)
{
    ImageCanvas c(30, 30);
    c.canvas.SetPixels(3, 4, clRed);
    EXPECT_EQ(c.canvas.Pixels(3, 4), clRed);
    EXPECT_EQ(c.canvas.Pixels(4, 4), clWhite);
    EXPECT_EQ(c.canvas.Pixels(-1, 4), clNone);
    // A closed frame: the fill from inside stops at it.
    c.canvas.Pen()->SetColor(clBlack);
    c.canvas.Brush()->SetStyle(bsClear);
    c.canvas.Rectangle(10, 10, 20, 20);
    c.canvas.Brush()->SetColor(clLime);
    c.canvas.FloodFill(15, 15, clBlack, fsBorder);
    EXPECT_EQ(c.CountNot(Rect(11, 11, 19, 19), clLime), 0);
    EXPECT_EQ(c.At(10, 15), clBlack);
    EXPECT_EQ(c.At(5, 5), clWhite);
    // Surface fill replaces the white around the frame but not inside it.
    c.canvas.Brush()->SetColor(clYellow);
    c.canvas.FloodFill(0, 0, clWhite, fsSurface);
    EXPECT_EQ(c.At(29, 29), clYellow);
    EXPECT_EQ(c.At(15, 15), clLime);
    EXPECT_EQ(c.At(3, 4), clRed);
}

namespace {

// A canvas that attaches its own painter on demand, as a bitmap's or a
// control's canvas does.
class OnDemandCanvas : public TCanvas {
public:
    QImage image{20, 20, QImage::Format_RGB32};
    QPainter painter;
    int created = 0;
    bool attach = true;
    OnDemandCanvas() { image.fill(Qt::white); }
    ~OnDemandCanvas() override { EndPaint(); }

protected:
    void CreateHandle() override
    {
        ++created;
        if (!attach)
            return;
        painter.begin(&image);
        BeginPaint(&painter);
    }
};

} // namespace

TEST(Canvas, DrawingWithoutPainterAsksCreateHandleAndNeverCrashes)
{
    TCanvas bare;
    EXPECT_FALSE(bare.HandleAllocated());
    EXPECT_EQ(bare.Painter(), nullptr);
    bare.FillRect(Rect(0, 0, 10, 10));
    bare.Rectangle(0, 0, 10, 10);
    bare.LineTo(5, 5);
    bare.TextOut(0, 0, "x");
    bare.FloodFill(1, 1, clBlack, fsBorder);
    EXPECT_EQ(bare.Pixels(1, 1), clNone);
    EXPECT_EQ(bare.PenPos(), Point(5, 5));
    EXPECT_GT(bare.TextWidth("abc"), 0); // measuring needs no painter

    OnDemandCanvas refused;
    refused.attach = false;
    refused.FillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(refused.created, 1);
    EXPECT_FALSE(refused.HandleAllocated());

    OnDemandCanvas c;
    c.Brush()->SetColor(clRed);
    c.FillRect(Rect(0, 0, 5, 5));
    c.FillRect(Rect(5, 5, 10, 10));
    EXPECT_EQ(c.created, 1);
    EXPECT_TRUE(c.HandleAllocated());
    EXPECT_EQ(c.Painter(), &c.painter);
    EXPECT_EQ(c.DeviceImage(), &c.image);
    c.EndPaint();
    c.painter.end();
    EXPECT_EQ(FromQColor(c.image.pixelColor(7, 7)), clRed);
}

TEST(Canvas, EndPaintGivesThePainterBackAsItWas)
{
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setPen(QColor(Qt::green));
    painter.setClipRect(0, 0, 5, 5);
    {
        TCanvas canvas;
        canvas.BeginPaint(&painter);
        // The owner's clip still holds inside the canvas.
        EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 5, 5));
        canvas.SetWindowOrg(Point(3, 3));
        canvas.Pen()->SetColor(clRed);
        canvas.LineTo(1, 1);
        canvas.EndPaint();
        EXPECT_FALSE(canvas.HandleAllocated());
    }
    EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
    EXPECT_TRUE(painter.worldTransform().isIdentity());
    EXPECT_EQ(painter.clipRegion().boundingRect(), QRect(0, 0, 5, 5));
}

TEST(Canvas, LockSerialisesUse)
{
    TCanvas c;
    c.Lock();
    c.Lock(); // the owning thread may nest
    c.Unlock();
    c.Unlock();
    EXPECT_TRUE(c.TryLock());
    c.Unlock();
}
