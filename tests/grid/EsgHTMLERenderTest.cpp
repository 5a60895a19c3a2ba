// The mini-HTML renderer: measurement and line breaks, alignment, anchors
// and their hit test, embedded controls, images, and the pixels of styled
// runs in drawn images; a sheet of every tag is kept as a screenshot.
#include "grid/EsgHTMLE.h"

#include "grid/PictureContainer.h"
#include "QtPrint.h"
#include "controls/ExXPVS.h"
#include "Screenshot.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/GraphicsQt.h"
#include "platform/ImageList.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A canvas drawing on a white image, with a fixed font.
struct Sheet {
    QImage image;
    QPainter painter;
    TCanvas canvas;
    explicit Sheet(int w = 320, int h = 120) : image(w, h, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        painter.begin(&image);
        canvas.BeginPaint(&painter);
        canvas.Font()->SetName(QStringLiteral("DejaVu Sans"));
        canvas.Font()->SetSize(10);
        canvas.Font()->SetColor(clBlack);
        canvas.Brush()->SetColor(clWhite);
    }
    ~Sheet()
    {
        canvas.EndPaint();
        painter.end();
    }
    TColor At(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }
    // Pixels in r for which the test holds.
    int Count(const TRect& r, const std::function<bool(QColor)>& test) const
    {
        int n = 0;
        for (int y = std::max(0, r.Top); y < std::min(image.height(), r.Bottom); ++y)
            for (int x = std::max(0, r.Left); x < std::min(image.width(), r.Right); ++x)
                n += test(image.pixelColor(x, y));
        return n;
    }
    int Dark(const TRect& r) const
    {
        return Count(r, [](QColor c) { return c.red() < 110 && c.green() < 110 && c.blue() < 110; });
    }
    int Width(const QString& s) { return canvas.TextWidth(s); }
    int Gh() { return canvas.TextHeight(QStringLiteral("gh")); }
};

bool Reddish(QColor c)
{
    return c.red() > 180 && c.green() < 90 && c.blue() < 90;
}

TMiniHTMLResult Render(Sheet& s, const QString& text, const TRect& r, const TMiniHTMLRequest& req = {}, bool* hit = nullptr)
{
    TMiniHTMLResult res;
    const bool h = RenderMiniHTML(&s.canvas, text, r, req, res);
    if (hit)
        *hit = h;
    return res;
}

// An image list holding one image of a single colour.
std::unique_ptr<TImageList> OneColourImages(int size, TColor color)
{
    auto images = std::make_unique<TImageList>(size, size);
    TBitmap image(size, size);
    image.Canvas()->Brush()->SetColor(color);
    image.Canvas()->FillRect(TRect(0, 0, size, size));
    images->Add(&image, nullptr);
    return images;
}

TMiniHTMLRequest Measure()
{
    TMiniHTMLRequest r;
    r.MeasureOnly = true;
    return r;
}

TMiniHTMLRequest TestAt(int x, int y)
{
    TMiniHTMLRequest r;
    r.PointX = x;
    r.PointY = y;
    r.TestAgain = true;
    return r;
}

} // namespace

TEST(MiniHTMLRender, EmptyTextHasOneDefaultLineOfHeight)
{
    Sheet s;
    bool hit = true;
    const TMiniHTMLResult r = Render(s, QString(), TRect(0, 0, 100, 50), {}, &hit);
    EXPECT_FALSE(hit);
    EXPECT_EQ(r.Width, 0);
    EXPECT_EQ(r.Height, s.Gh());
    EXPECT_EQ(r.AnchorCount, 0);
    EXPECT_EQ(r.HoveredAnchor, -1);
    EXPECT_EQ(r.PlainText, QString());
}

TEST(MiniHTMLRender, MeasuresLinesAndBreaks)
{
    Sheet s;
    const int lh = s.Gh();
    const int one = s.Width(QStringLiteral("one"));
    const int oneBlank = s.Width(QStringLiteral("one "));
    TMiniHTMLRequest wrap = Measure();
    wrap.WordWrap = true;
    // Room for "one " only: two lines, the first one's width without its blank.
    const TRect narrow(0, 0, 1 + oneBlank + 2, 200);
    TMiniHTMLResult r = Render(s, QStringLiteral("one two"), narrow, wrap);
    EXPECT_EQ(r.Height, 2 * lh);
    EXPECT_EQ(r.Width, std::max(one, s.Width(QStringLiteral("two"))));
    EXPECT_EQ(r.PlainText, QStringLiteral("one two"));

    // A tag inside a word never breaks it.
    r = Render(s, QStringLiteral("ab<b>cd</b>ef"), TRect(0, 0, 10, 200), wrap);
    EXPECT_EQ(r.Height, lh);

    struct Case {
        const char* Text;
        int Lines;
        const char* Plain;
    } cases[] = {
        {"a<BR>b", 2, "a\rb"},
        {"a\r\nb", 2, "a\rb"},          // a line end pair breaks once
        {"a<br>b<hr>c", 3, "a\rbc"},
        {"<p>a</p>b", 2, "ab"},
        {"a</l>b", 2, "ab"},
        {"<#name> x", 1, "#name x"},
        {"x&amp;y", 1, "x&&y"},          // the plain text keeps the drawn form
        {"&lt;b&gt; &nbsp;", 1, "<b>  "},
        {"&QUOT;q&quot; &copy;&euro;", 1, "\"q\" \xC2\xA9\xE2\x82\xAC"},
        {"a<", 1, "a"},
        {"a<b", 1, "a"},
        {"a<unknown tag", 1, "a"},
    };
    for (const Case& c : cases) {
        r = Render(s, QString::fromUtf8(c.Text), TRect(0, 0, 300, 200), Measure());
        EXPECT_EQ(r.Height, c.Lines * lh) << c.Text;
        EXPECT_EQ(r.PlainText, QString::fromUtf8(c.Plain)) << c.Text;
    }

    // An ampersand written as an entity is drawn once.
    EXPECT_EQ(Render(s, QStringLiteral("x&amp;y"), TRect(0, 0, 300, 50), Measure()).Width, s.Width(QStringLiteral("x&y")));
    // A drawing call lays each line out twice and keeps both in the plain text.
    EXPECT_EQ(Render(s, QStringLiteral("ab"), TRect(0, 0, 300, 50)).PlainText, QStringLiteral("abab"));
}

TEST(MiniHTMLRender, HiddenSubscriptsListsAndFontSizes)
{
    Sheet s;
    const int lh = s.Gh();
    TMiniHTMLResult r = Render(s, QStringLiteral("ab<z>cd</z>ef"), TRect(0, 0, 300, 50), Measure());
    EXPECT_EQ(r.Width, s.Width(QStringLiteral("ab")) + s.Width(QStringLiteral("ef")));
    EXPECT_EQ(r.PlainText, QStringLiteral("abcdef"));

    r = Render(s, QStringLiteral("H<sup>2</sup>"), TRect(0, 0, 300, 50), Measure());
    EXPECT_EQ(r.Height, lh + lh / 4);
    r = Render(s, QStringLiteral("H<sub>2</sub>O"), TRect(0, 0, 300, 50), Measure());
    EXPECT_EQ(r.Height, lh + lh / 4);

    // The second item of a line opens the next one; items indent by 12 a level.
    r = Render(s, QStringLiteral("<ul><li>one<li>two</ul>"), TRect(0, 0, 300, 200), Measure());
    EXPECT_EQ(r.Height, 3 * lh);
    EXPECT_EQ(r.Width, 12 + std::max(s.Width(QStringLiteral("one")), s.Width(QStringLiteral("two"))));

    struct { const char* Size; int Points; } sizes[] = {{"1", 8}, {"3", 12}, {"5", 16}, {"11", 11}, {"24", 24}};
    for (const auto& z : sizes) {
        TFont f;
        f.Assign(s.canvas.Font());
        f.SetSize(z.Points);
        TCanvas probe;
        probe.SetFont(&f);
        const int expected = std::max(lh, probe.TextHeight(QStringLiteral("X")));
        r = Render(s, QStringLiteral("<font size=\"%1\">X</font>").arg(QLatin1String(z.Size)), TRect(0, 0, 300, 200), Measure());
        EXPECT_EQ(r.Height, expected) << z.Size;
    }
}

TEST(MiniHTMLRender, AlignmentPlacesTheLine)
{
    Sheet s;
    const TRect rect(10, 5, 210, 60);
    const int w = s.Width(QStringLiteral("abc"));
    const int y = 5 + s.Gh() / 2;
    // Right: the line ends at the rectangle's right edge.
    TMiniHTMLResult r = Render(s, QStringLiteral("<p align=\"right\"><a href=\"r\">abc</a>"), rect, TestAt(209 - w / 2, y));
    EXPECT_EQ(r.AnchorUnderPoint, QStringLiteral("r"));
    EXPECT_EQ(r.HoveredAnchorRect.Right, rect.Right);
    EXPECT_EQ(r.HoveredAnchorRect.Left, rect.Right - w);
    // Centre: by integer division of the free width of the rectangle moved 1 pixel right.
    const int left = 11 + (199 - w) / 2;
    r = Render(s, QStringLiteral("<p align=\"center\"><a href=\"c\">abc</a>"), rect, TestAt(left + 1, y));
    EXPECT_EQ(r.HoveredAnchorRect.Left, left);
    // Indent of a paragraph.
    r = Render(s, QStringLiteral("<p indent=\"20\"><a href=\"i\">abc</a>"), rect, TestAt(31 + 1, y));
    EXPECT_EQ(r.HoveredAnchorRect.Left, 31);
}

TEST(MiniHTMLRender, AnchorsAreFoundUnderThePoint)
{
    Sheet s;
    const QString text = QStringLiteral("see <a href=\"u1\" title=\"Tip\">link</a> and <A HREF=\"u2\">more</A>");
    const TRect rect(10, 5, 300, 60);
    const int lh = s.Gh();
    const int x0 = 11 + s.Width(QStringLiteral("see "));
    const int x1 = 11 + s.Width(QStringLiteral("see link"));
    bool hit = false;
    TMiniHTMLResult r = Render(s, text, rect, TestAt(x0 + 2, 5 + lh / 2), &hit);
    EXPECT_TRUE(hit);
    EXPECT_EQ(r.AnchorUnderPoint, QStringLiteral("u1"));
    EXPECT_EQ(r.AnchorTitle, QStringLiteral("Tip"));
    EXPECT_EQ(r.HoveredAnchor, 1);
    EXPECT_EQ(r.HoveredAnchorRect, TRect(x0, 5, x1, 5 + lh));
    EXPECT_EQ(r.AnchorCount, 2);

    r = Render(s, text, rect, TestAt(rect.Left + s.Width(QStringLiteral("see link and m")), 5 + lh / 2), &hit);
    EXPECT_TRUE(hit);
    EXPECT_EQ(r.AnchorUnderPoint, QStringLiteral("u2"));
    EXPECT_EQ(r.HoveredAnchor, 2);

    // Below the line the anchor is no hit.
    EXPECT_FALSE(RenderMiniHTML(&s.canvas, text, rect, TestAt(x0 + 2, 5 + lh + 5), r));
    // Off the anchors, and with no point at all: nothing is hit and the
    // caller's values stay.
    for (const TPoint p : {TPoint(12, 5 + lh / 2), TPoint(-1, -1)}) {
        TMiniHTMLResult kept;
        kept.AnchorUnderPoint = QStringLiteral("before");
        EXPECT_FALSE(RenderMiniHTML(&s.canvas, text, rect, TestAt(p.X, p.Y), kept));
        EXPECT_EQ(kept.AnchorUnderPoint, QStringLiteral("before"));
        EXPECT_EQ(kept.HoveredAnchor, -1);
    }

    // An anchor broken over two lines reports, on its second part, a
    // rectangle from the second line's left edge.
    const int alpha = s.Width(QStringLiteral("alpha "));
    TMiniHTMLRequest req = TestAt(13, 5 + lh + lh / 2);
    req.WordWrap = true;
    r = Render(s, QStringLiteral("<a href=\"w\">alpha beta</a>"), TRect(10, 5, 11 + alpha + 3, 80), req, &hit);
    EXPECT_TRUE(hit);
    EXPECT_EQ(r.AnchorUnderPoint, QStringLiteral("w"));
    EXPECT_EQ(r.HoveredAnchorRect, TRect(11, 5 + lh, 11 + s.Width(QStringLiteral("beta")), 5 + 2 * lh));
}

TEST(MiniHTMLRender, FocusAnchorGetsAFocusRectangle)
{
    Sheet s;
    const int lh = s.Gh();
    TMiniHTMLRequest req;
    req.FocusAnchor = 0;
    const TMiniHTMLResult r = Render(s, QStringLiteral("<a href=\"f\">link</a> rest"), TRect(10, 5, 300, 5 + lh), req);
    EXPECT_EQ(r.FocusedAnchorRef, QStringLiteral("f"));
    const int right = 11 + s.Width(QStringLiteral("link"));
    // One pixel wider than the text on each side, one "gh" high.
    EXPECT_GT(s.Dark(TRect(10, 5, 11, 5 + lh)), 0);
    EXPECT_GT(s.Dark(TRect(right, 5, right + 1, 5 + lh)), 0);
    EXPECT_EQ(s.Dark(TRect(9, 0, 10, 5 + lh)), 0);
    EXPECT_EQ(s.Dark(TRect(10, 4, right + 1, 5)), 0);
}

TEST(MiniHTMLRender, StyledRunsInPixels)
{
    const QString h = QStringLiteral("HHHH");
    {
        Sheet s;
        Render(s, QStringLiteral("<b>HHHH</b>HHHH"), TRect(0, 0, 300, 40));
        TFont bold;
        bold.Assign(s.canvas.Font());
        bold.SetStyle(fsBold);
        TCanvas probe;
        probe.SetFont(&bold);
        const int wb = probe.TextWidth(h);
        const int wr = s.Width(h);
        EXPECT_GT(s.Dark(TRect(1, 0, 1 + wb, 40)), s.Dark(TRect(1 + wb, 0, 1 + wb + wr, 40)) * 5 / 4);
        EXPECT_EQ(s.Dark(TRect(1 + wb + wr + 2, 0, 300, 40)), 0);
    }
    {
        // A font colour up to its closing tag, and "clred" in any case.
        Sheet s;
        Render(s, QStringLiteral("<font color=\"CLRed\">HHHH</font>HHHH"), TRect(0, 0, 300, 40));
        const int w = s.Width(h);
        EXPECT_GT(s.Count(TRect(1, 0, 1 + w, 40), Reddish), 20);
        EXPECT_EQ(s.Count(TRect(1 + w, 0, 300, 40), Reddish), 0);
        EXPECT_GT(s.Dark(TRect(1 + w, 0, 300, 40)), 20);
    }
    {
        // With keep colours the markup changes no colour.
        Sheet s;
        TMiniHTMLRequest req;
        req.KeepColors = true;
        Render(s, QStringLiteral("<font color=\"#FF0000\">HHHH</font> <a href=\"x\">HH</a>"), TRect(0, 0, 300, 40), req);
        EXPECT_EQ(s.Count(TRect(0, 0, 300, 40), Reddish), 0);
        EXPECT_EQ(s.Count(TRect(0, 0, 300, 40), [](QColor c) { return c.blue() > 180 && c.red() < 90; }), 0);
    }
    {
        // Font and highlight backgrounds fill behind their text only.
        Sheet s;
        SetMiniHTMLHighlightColors(RGB(0, 0, 255), RGB(255, 255, 255));
        Render(s, QStringLiteral("x<font bgcolor=\"#00FF00\">HH</font>y <hi>HH</hi> z"), TRect(0, 0, 300, 40));
        SetMiniHTMLHighlightColors(clHighlight, clHighlightText);
        const int x = 1 + s.Width(QStringLiteral("x"));
        const int wHH = s.Width(QStringLiteral("HH"));
        auto green = [](QColor c) { return c == QColor(0, 255, 0); };
        auto blue = [](QColor c) { return c == QColor(0, 0, 255); };
        EXPECT_GT(s.Count(TRect(x, 0, x + wHH, 40), green), 30);
        EXPECT_EQ(s.Count(TRect(0, 0, x, 40), green) + s.Count(TRect(x + wHH + 1, 0, 300, 40), green), 0);
        const int hx = 1 + s.Width(QStringLiteral("xHHy "));
        EXPECT_GT(s.Count(TRect(hx, 0, hx + wHH, 40), blue), 30);
        EXPECT_EQ(s.Count(TRect(hx + wHH + 1, 0, 300, 40), blue), 0);
    }
    {
        // The error mark is a red zigzag under its text; the shadow copy
        // lies one pixel down and right in the shadow colour.
        Sheet s;
        const int lh = s.Gh();
        TMiniHTMLRequest req;
        req.ShadowColor = RGB(0, 0, 255);
        Render(s, QStringLiteral("<e>word</e> <shad>HH</shad>"), TRect(0, 0, 300, lh + 4), req);
        const int w = s.Width(QStringLiteral("word"));
        EXPECT_GT(s.Count(TRect(1, lh - 2, 1 + w, lh + 2), Reddish), w / 2);
        EXPECT_EQ(s.Count(TRect(1, 0, 1 + w, lh - 2), Reddish), 0);
        const int sx = 1 + s.Width(QStringLiteral("word "));
        EXPECT_GT(s.Count(TRect(sx, 0, 300, 40), [](QColor c) { return c.blue() > 180 && c.red() < 90; }), 10);
    }
    {
        // Blinking text in its off phase takes the background colour.
        Sheet off;
        Render(off, QStringLiteral("<blink>HHHH</blink>"), TRect(0, 0, 300, 40));
        EXPECT_EQ(off.Dark(TRect(0, 0, 300, 40)), 0);
        Sheet on;
        TMiniHTMLRequest req;
        req.BlinkOn = true;
        Render(on, QStringLiteral("<blink>HHHH</blink>"), TRect(0, 0, 300, 40), req);
        EXPECT_GT(on.Dark(TRect(0, 0, 300, 40)), 20);
    }
}

TEST(MiniHTMLRender, HoveredAnchorTakesTheHoverColours)
{
    Sheet s;
    TMiniHTMLRequest req;
    req.HoverOnly = true;
    req.HoverAnchor = 2;
    req.HoverTextColor = RGB(255, 0, 0);
    req.HoverBackground = RGB(255, 255, 0);
    req.AnchorColor = RGB(0, 0, 255);
    Render(s, QStringLiteral("<a href=\"1\">HHH</a> <a href=\"2\">HHH</a> HHH"), TRect(0, 0, 300, 40), req);
    const int w = s.Width(QStringLiteral("HHH"));
    const int second = 1 + s.Width(QStringLiteral("HHH "));
    const int after = second + w + s.Width(QStringLiteral(" "));
    auto blue = [](QColor c) { return c.blue() > 180 && c.red() < 90 && c.green() < 90; };
    auto yellow = [](QColor c) { return c == QColor(255, 255, 0); };
    EXPECT_GT(s.Count(TRect(1, 0, 1 + w, 40), blue), 20);
    EXPECT_EQ(s.Count(TRect(1, 0, 1 + w, 40), yellow), 0);
    EXPECT_GT(s.Count(TRect(second, 0, second + w, 40), Reddish), 20);
    EXPECT_GT(s.Count(TRect(second, 0, second + w, 40), yellow), 30);
    // After the anchor the kept colours come back: plain text, no background.
    EXPECT_EQ(s.Count(TRect(after, 0, 300, 40), yellow) + s.Count(TRect(after, 0, 300, 40), Reddish), 0);
    EXPECT_GT(s.Dark(TRect(after, 0, 300, 40)), 20);
}

TEST(MiniHTMLRender, PrintingStretchesImagesAndIndentsPlaceText)
{
    Sheet s;
    const auto images = OneColourImages(8, RGB(255, 0, 0));
    TMiniHTMLRequest req;
    req.Images = images.get();
    req.Printing = true;
    req.PrintScale = 2.5;
    const TMiniHTMLResult r = Render(s, QStringLiteral("<img src=\"idx:0\">x"), TRect(0, 0, 300, 40), req);
    EXPECT_EQ(s.At(1 + 19, 19), RGB(255, 0, 0));
    EXPECT_NE(s.At(1 + 20, 10), RGB(255, 0, 0));
    EXPECT_EQ(r.Width, 8 + s.Width(QStringLiteral("x")));   // the layout keeps the list's size

    // An indent position moves the text on, never back.
    EXPECT_EQ(Render(s, QStringLiteral("a<ind x=\"50\">b"), TRect(0, 0, 300, 40), Measure()).Width, 50 + s.Width(QStringLiteral("b")));
    EXPECT_EQ(Render(s, QStringLiteral("abc<ind x=\"1\">b"), TRect(0, 0, 300, 40), Measure()).Width, s.Width(QStringLiteral("abcb")));
}

TEST(MiniHTMLRender, WithoutWordWrapTextEndsInAnEllipsis)
{
    Sheet s;
    const TRect r(0, 0, 60, 30);
    const TMiniHTMLResult res = Render(s, QStringLiteral("a long text that never fits here"), r);
    EXPECT_LE(res.Width, 59);
    EXPECT_EQ(s.Dark(TRect(60, 0, 320, 30)), 0);
    EXPECT_GT(s.Dark(TRect(45, 0, 60, 30)), 0);
}

TEST(MiniHTMLRender, CanvasIsGivenBack)
{
    Sheet s;
    s.canvas.Pen()->SetColor(RGB(1, 2, 3));
    s.canvas.Pen()->SetWidth(3);
    s.canvas.Brush()->SetColor(RGB(4, 5, 6));
    TFont before;
    before.Assign(s.canvas.Font());
    Render(s, QStringLiteral("<b><i><u><s><font face=\"Serif\" size=\"20\" color=\"clred\" bgcolor=\"clblue\"><hi><p bgcolor=\"#00FF00\">"
                             "<r a=\"45\">x<e><shad>y<body bgcolor=\"clyellow\">z"),
           TRect(0, 0, 300, 100));
    EXPECT_EQ(s.canvas.Pen()->Color(), RGB(1, 2, 3));
    EXPECT_EQ(s.canvas.Pen()->Width(), 3);
    EXPECT_EQ(s.canvas.Brush()->Color(), RGB(4, 5, 6));
    EXPECT_EQ(s.canvas.Brush()->Style(), bsSolid);
    EXPECT_TRUE(*s.canvas.Font() == before);
    EXPECT_EQ(s.canvas.BkMode(), TRANSPARENT);
}

TEST(MiniHTMLRender, ImagesFromTheImageList)
{
    Sheet s;
    const auto images = OneColourImages(16, RGB(255, 0, 0));
    TMiniHTMLRequest req = TestAt(11 + 5 + s.Width(QStringLiteral("ab")), 8);
    req.Images = images.get();
    bool hit = false;
    const TMiniHTMLResult r =
        Render(s, QStringLiteral("ab<a href=\"pic\" title=\"Picture\"><img src=\"idx:0\"></a><img src=\"IDX:7\">cd"), TRect(10, 0, 300, 40), req, &hit);
    EXPECT_TRUE(hit);
    EXPECT_EQ(r.AnchorUnderPoint, QStringLiteral("pic"));
    EXPECT_EQ(r.AnchorTitle, QStringLiteral("Picture"));
    // An index past the list takes no space.
    EXPECT_EQ(r.Width, s.Width(QStringLiteral("ab")) + 16 + s.Width(QStringLiteral("cd")));

    req = {};
    req.Images = images.get();
    Render(s, QStringLiteral("ab<img src=\"idx:0\">"), TRect(10, 0, 300, 40), req);
    const int x = 11 + s.Width(QStringLiteral("ab"));
    EXPECT_EQ(s.At(x, 0), RGB(255, 0, 0));
    EXPECT_EQ(s.At(x + 15, 15), RGB(255, 0, 0));
    EXPECT_NE(s.At(x + 16, 8), RGB(255, 0, 0));
}

TEST(MiniHTMLRender, PicturesFromTheContainerAndTheCache)
{
    const QString data = QStringLiteral(TEST_DATA_DIR "/grid/");
    TComponent owner(nullptr);
    auto* container = new TPictureContainer(&owner);
    for (const char* name : {"key.bmp", "single.gif", "anim3.gif"}) {
        TPictureItem* item = container->Items()->Add();
        item->SetName(QString::fromLatin1(name).section(QLatin1Char('.'), 0, 0));
        ASSERT_TRUE(item->Picture()->LoadFromFile(data + QLatin1String(name)));
    }
    THTMLPictureCache cache;
    TMiniHTMLRequest req = Measure();
    req.PictureContainer = container;
    req.PictureCache = &cache;

    Sheet s;
    const int ab = s.Width(QStringLiteral("ab"));
    struct { const char* Text; int Width; int Height; } sizes[] = {
        {"ab<img src=\"KEY\">", ab + 4, s.Gh()},
        {"<img src=\"key\" width=\"30\">", 30, 30},            // the aspect ratio kept
        {"<img src=\"single\" height=\"20\">", 30, 20},
        {"<img src=\"single\" width=\"9\" height=\"40\">", 9, 40},
        {"<img src=\"anim3\">", 8, s.Gh()},
        {"ab<img src=\"missing\"><img src=\"c:key\">", ab, s.Gh()},   // no picture takes no space
    };
    for (const auto& c : sizes) {
        const TMiniHTMLResult r = Render(s, QString::fromLatin1(c.Text), TRect(0, 0, 300, 100), req);
        EXPECT_EQ(r.Width, c.Width) << c.Text;
        EXPECT_EQ(r.Height, c.Height) << c.Text;
    }

    // An address is loaded once into the cache.
    const QString url = QStringLiteral("<img src=\"file://%1key.bmp\"><img src=\"http://example.invalid/x.png\">").arg(data);
    EXPECT_EQ(Render(s, url, TRect(0, 0, 300, 100), req).Width, 4);
    EXPECT_EQ(Render(s, url, TRect(0, 0, 300, 100), req).Width, 4);
    EXPECT_EQ(cache.Count(), 2);

    // Stretched, and the ALT picture while the point is over the image.
    Sheet d;
    TMiniHTMLRequest draw = TestAt(-1, -1);
    draw.TestAgain = false;
    draw.PictureContainer = container;
    Render(d, QStringLiteral("<img src=\"key\" width=\"8\" height=\"8\">"), TRect(0, 0, 100, 40), draw);
    EXPECT_EQ(d.At(1 + 3, 3), RGB(0, 0, 255));
    EXPECT_EQ(d.At(1 + 0, 0), RGB(255, 0, 255));
    EXPECT_EQ(d.At(1 + 8, 3), clWhite);
    const QString alt = QStringLiteral("<a href=\"x\"><img src=\"key\" alt=\"single\"></a>");
    Sheet plain;
    Render(plain, alt, TRect(0, 0, 100, 40), draw);
    EXPECT_EQ(plain.At(1 + 5, 1), clWhite);
    Sheet hovered;
    draw.PointX = 3;
    draw.PointY = 2;
    bool hit = false;
    const TMiniHTMLResult r = Render(hovered, alt, TRect(0, 0, 100, 40), draw, &hit);
    EXPECT_TRUE(hit);
    EXPECT_EQ(r.AnchorUnderPoint, QStringLiteral("x"));
    EXPECT_EQ(hovered.At(1 + 5, 1), RGB(0, 0, 255));

    // A body background picture is tiled over the whole rectangle.
    Sheet body;
    draw.PointX = draw.PointY = -1;
    Render(body, QStringLiteral("<body background=\"key\">text"), TRect(10, 10, 50, 30), draw);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(body.At(10 + 1 + 4 * k, 10 + 2), RGB(0, 0, 255)) << k;
    EXPECT_EQ(body.At(10 + 40, 12), clWhite);
    EXPECT_EQ(body.At(12, 30), clWhite);
}

TEST(MiniHTMLRender, ControlsAreDrawnAndHit)
{
    Sheet s;
    const QString form = QStringLiteral("Name <control type=\"edit\" id=\"name\" value=\"Bob\" width=\"60\">"
                                        "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"true\" WIDTH=\"16\">"
                                        "<CONTROL TYPE=\"BUTTON\" ID=\"ok\" VALUE=\"OK\" WIDTH=\"40\">"
                                        "<CONTROL TYPE=\"EDIT\" ID=\"nowidth\" VALUE=\"x\">");
    const TRect rect(10, 0, 300, 40);
    const int name = s.Width(QStringLiteral("Name "));
    bool hit = false;
    TMiniHTMLResult r = Render(s, form, rect, TestAt(11 + name + 10, 10), &hit);
    EXPECT_TRUE(hit);
    EXPECT_EQ(r.AnchorUnderPoint, QStringLiteral("ctrl"));
    EXPECT_EQ(r.ControlID, QStringLiteral("name"));
    EXPECT_EQ(r.ControlType, QStringLiteral("EDIT"));
    EXPECT_EQ(r.ControlValue, QStringLiteral("Bob"));
    EXPECT_EQ(r.ControlRect, TRect(11 + name, 0, 11 + name + 60, s.Gh() + 10));

    r = Render(s, form, rect, TestAt(11 + name + 60 + 8, 8), &hit);
    EXPECT_TRUE(hit);
    EXPECT_EQ(r.ControlID, QStringLiteral("c1"));
    EXPECT_EQ(r.ControlRect, TRect(11 + name + 60, 0, 11 + name + 76, 16));
    // A control without WIDTH takes no space.
    EXPECT_EQ(Render(s, form, rect, Measure()).Width, name + 60 + 16 + 40);

    // Test again finds the control by its ID without a point.
    TMiniHTMLRequest again = TestAt(-1, -1);
    TMiniHTMLResult asked;
    asked.ControlID = QStringLiteral("ok");
    EXPECT_TRUE(RenderMiniHTML(&s.canvas, form, rect, again, asked));
    EXPECT_EQ(asked.ControlType, QStringLiteral("BUTTON"));
    EXPECT_EQ(asked.ControlRect.Left, 11 + name + 76);
    // Without test again the ID is cleared and nothing is hit.
    TMiniHTMLResult cleared;
    cleared.ControlID = QStringLiteral("ok");
    EXPECT_FALSE(RenderMiniHTML(&s.canvas, form, rect, {}, cleared));
    EXPECT_EQ(cleared.ControlID, QString());
    EXPECT_EQ(cleared.ControlRect, TRect(0, 0, 0, 0));

    // The edit box: a frame around a white field, blue-grey when the theme draws.
    Sheet d;
    Render(d, form, rect);
    const int boxLeft = 11 + d.Width(QStringLiteral("Name "));
    const TColor frame = ThemeActive(ExXPVS()) ? RGB(127, 157, 185) : RGB(128, 128, 128);
    EXPECT_EQ(d.At(boxLeft, 25), frame);
    EXPECT_EQ(d.At(boxLeft + 59, 25), frame);
    EXPECT_EQ(d.At(boxLeft + 30, 27), clWhite);
}

TEST(MiniHTMLRender, MalformedTextsNeverHang)
{
    QString deep;
    for (int i = 0; i < 2000; ++i)
        deep += QStringLiteral("<ul><li><b><font color=\"clred\">");
    const QString cases[] = {
        QStringLiteral("<"),
        QStringLiteral("<<<<>>>>"),
        QStringLiteral("</"),
        QStringLiteral("</>"),
        QStringLiteral("<a href=\"x"),
        QStringLiteral("<font size=\"99999999999999\">big</font>"),
        QStringLiteral("<font size=\"-99999999999\">neg</font>"),
        QStringLiteral("<control type=\"button\" width=\"99999999999\" height=\"99999999999\" value=\"v\">"),
        QStringLiteral("<control type=\"edit\" width=\"-50\" height=\"-3\">x<control type=\"combo\" width=\"12abc\">"),
        QStringLiteral("<img src=\"idx:99999999999\" width=\"-1\" height=\"99999999999\">"),
        QStringLiteral("<img src=\"ssys:/no/such/file.txt\"><img src=\"lsys:3\"><img src=\"nothing\">"),
        QStringLiteral("<ind x=\"99999999999\">a<ind x=\"-5\">b<ind x=\"1e\">"),
        QStringLiteral("<r a=\"99999999\">rot</r></r></r>"),
        QStringLiteral("<p align=\"right\" indent=\"99999999999\">x</p></p></p>"),
        QStringLiteral("&amp;amp;amp;amp;&&&&;&amp&quot&lt;&gt&#;"),
        QStringLiteral("<#<#<#>>>"),
        QStringLiteral("</u></u></u></ul></ul>"),
        QStringLiteral("<sup><sub><sup>x</sub></sup>"),
        QStringLiteral("<body background=\"none\" bgcolor=\"#ZZZZZZ\">"),
        QString(20000, QLatin1Char('x')),
        QString(5000, QLatin1Char(' ')) + QStringLiteral("<br>"),
        QStringLiteral("<li>").repeated(500),
        QStringLiteral("<br>").repeated(3000),
        QStringLiteral("&amp;").repeated(5000),
        deep,
    };
    Sheet s(200, 60);
    for (const QString& text : cases) {
        for (bool wrap : {false, true}) {
            TMiniHTMLRequest req;
            req.WordWrap = wrap;
            req.PointX = 30;
            req.PointY = 10;
            req.FocusAnchor = 0;
            for (int mode = 0; mode < 3; ++mode) {
                req.MeasureOnly = mode == 0;
                req.TestAgain = mode == 2;
                const TMiniHTMLResult r = Render(s, text, TRect(0, 0, mode == 1 ? 5 : 200, 60), req);
                EXPECT_GE(r.Height, 0) << text.left(40).toStdString();
            }
        }
    }
    // A measure-only call lays out every line, however many.
    const TMiniHTMLResult lines = Render(s, QStringLiteral("<br>").repeated(3000), TRect(0, 0, 200, 60), Measure());
    EXPECT_EQ(lines.Height, 3000 * s.Gh());
}

TEST(MiniHTMLRender, SheetOfTags)
{
    const std::pair<QString, int> samples[] = {
        {QStringLiteral("Plain, <b>bold</b>, <i>italic</i>, <u>underline</u>, <s>strike</s>, <z>hidden</z>"), 24},
        {QStringLiteral("<font face=\"DejaVu Serif\" size=\"4\" color=\"clnavy\">Serif 14</font> and "
                        "<font color=\"#C00000\" bgcolor=\"clyellow\">on yellow</font>"), 30},
        {QStringLiteral("H<sub>2</sub>O and E = mc<sup>2</sup>, <shad>shadow</shad>, <e>mispelt</e>, <hi>highlight</hi>"), 30},
        {QStringLiteral("Link: <a href=\"http://x\">anchor</a> &amp; entities &lt;&gt; &copy; &euro; &reg; &trade; &sect; <#tag>"), 24},
        {QStringLiteral("Items:<ul><li>first item<li>second item<ul><li>nested item</ul></ul>"), 70},
        {QStringLiteral("<p align=\"center\" bgcolor=\"#E0E0FF\">centred paragraph</p><p align=\"right\">right aligned</p>"), 40},
        {QStringLiteral("Edit <control type=\"edit\" id=\"e\" value=\"text\" width=\"70\"> "
                        "Combo <control type=\"combo\" id=\"c\" value=\"Rome\" width=\"80\">"), 30},
        {QStringLiteral("Check <control type=\"check\" id=\"k\" value=\"TRUE\" width=\"16\"> "
                        "Radio <control type=\"radio\" id=\"r\" value=\"FALSE\" width=\"16\"> "
                        "<control type=\"button\" id=\"b\" value=\"Press\" width=\"60\"> "
                        "<control type=\"password\" id=\"p\" value=\"abc\" width=\"50\">"), 30},
        {QStringLiteral("Image <img src=\"idx:0\"> from the list, a rule below<hr>tab\tafter and <ind x=\"250\">at 250"), 40},
        {QStringLiteral("Named picture <img src=\"key\" width=\"16\" height=\"16\"> and <r a=\"15\">rotated</r> text"), 40},
        {QStringLiteral("Word wrap breaks this longer sentence at its blanks, so that it runs over several lines of the row."), 50},
    };
    int total = 4;
    for (const auto& sample : samples)
        total += sample.second;
    Sheet s(520, total);
    TImageList images(16, 16);
    TBitmap glyph(16, 16);
    glyph.Canvas()->Brush()->SetColor(RGB(0, 128, 0));
    glyph.Canvas()->FillRect(TRect(0, 0, 16, 16));
    glyph.Canvas()->Brush()->SetColor(RGB(255, 255, 0));
    glyph.Canvas()->FillRect(TRect(4, 4, 12, 12));
    images.Add(&glyph, nullptr);
    TComponent owner(nullptr);
    auto* container = new TPictureContainer(&owner);
    TPictureItem* key = container->Items()->Add();
    key->SetName(QStringLiteral("key"));
    ASSERT_TRUE(key->Picture()->LoadFromFile(QStringLiteral(TEST_DATA_DIR "/grid/key.bmp")));
    TMiniHTMLRequest req;
    req.Images = &images;
    req.PictureContainer = container;
    req.WordWrap = true;
    int top = 2;
    for (const auto& [text, height] : samples) {
        s.canvas.Pen()->SetColor(RGB(220, 220, 220));
        s.canvas.MoveTo(0, top + height - 1);
        s.canvas.LineTo(520, top + height - 1);
        const TRect r(4, top, text.startsWith(QLatin1String("Word")) ? 260 : 516, top + height - 2);
        TMiniHTMLResult measured;
        TMiniHTMLRequest measure = req;
        measure.MeasureOnly = true;
        RenderMiniHTML(&s.canvas, text, r, measure, measured);
        EXPECT_LE(measured.Height, height - 2) << text.toStdString();
        const TMiniHTMLResult drawn = Render(s, text, r, req);
        EXPECT_GT(drawn.Width, 0);
        top += height;
    }
    EXPECT_FALSE(testsupport::SaveScreenshot(s.image, QStringLiteral("EsgHTMLE-tags")).isEmpty());
    EXPECT_GT(s.Dark(TRect(0, 0, 520, top)), 1000);
}
