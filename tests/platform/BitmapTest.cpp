// Bitmaps, icons, pictures and image lists: drawing into and with them,
// transparency, copies and file round trips.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/GraphicsQt.h"
#include "platform/ImageList.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TColor Px(TBitmap& b, int x, int y)
{
    return FromQColor(b.Image().pixelColor(x, y));
}

// A w x h bitmap filled with one colour.
std::unique_ptr<TBitmap> Filled(int w, int h, TColor c)
{
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

} // namespace

TEST(Bitmap, CanvasDrawsIntoThePixelsAndSizeKeepsThem)
{
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    b.Canvas()->FillRect(Rect(0, 0, 5, 5)); // nothing to draw on: nothing happens
    b.SetSize(20, 10);
    EXPECT_EQ(b.Width(), 20);
    EXPECT_EQ(b.Height(), 10);
    EXPECT_EQ(Px(b, 0, 0), clWhite);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(2, 2, 6, 6));
    EXPECT_EQ(Px(b, 2, 2), clRed);
    EXPECT_EQ(Px(b, 6, 6), clWhite);
    // Drawing again after the pixels were read.
    b.Canvas()->FillRect(Rect(10, 2, 12, 4));
    EXPECT_EQ(b.Canvas()->Pixels(11, 3), clRed);
    b.SetSize(30, 12);
    EXPECT_EQ(Px(b, 3, 3), clRed);
    EXPECT_EQ(Px(b, 11, 3), clRed);
    EXPECT_EQ(Px(b, 25, 11), clWhite);
    b.SetWidth(4);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(Px(b, 3, 3), clRed);
}

TEST(Bitmap, ScanLineReadsAndWritesBlueGreenRedAlpha)
{
    auto b = Filled(4, 3, RGB(10, 20, 30));
    b->SetPixelFormat(pf32bit);
    Byte* row = b->ScanLine(1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row[0], 30);
    EXPECT_EQ(row[1], 20);
    EXPECT_EQ(row[2], 10);
    EXPECT_EQ(row[3], 255);
    row[4] = 200; // pixel 1: blue
    row[5] = 0;
    row[6] = 0;
    EXPECT_EQ(b->Canvas()->Pixels(1, 1), RGB(0, 0, 200));
    EXPECT_EQ(b->ScanLine(3), nullptr);
    EXPECT_EQ(b->ScanLine(-1), nullptr);
}

TEST(Bitmap, SaveAndLoadRoundTripAndFailuresLeaveThingsAlone)
{
    QTemporaryDir dir;
    auto b = Filled(7, 5, clBlue);
    b->Canvas()->SetPixels(1, 2, RGB(1, 2, 3));
    for (const char* name : {"a.bmp", "a.png"}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(b->SaveToFile(path)) << name;
        TBitmap c;
        ASSERT_TRUE(c.LoadFromFile(path)) << name;
        EXPECT_EQ(c.Width(), 7);
        EXPECT_EQ(c.Height(), 5);
        EXPECT_EQ(Px(c, 1, 2), RGB(1, 2, 3));
        EXPECT_EQ(Px(c, 6, 4), clBlue);
    }
    QFile bmp(dir.filePath("a.bmp"));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(bmp.read(2), QByteArray("BM"));

    // A file that is missing or not a picture: false, the bitmap unchanged.
    QFile junk(dir.filePath("junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    EXPECT_FALSE(b->LoadFromFile(dir.filePath("missing.bmp")));
    EXPECT_FALSE(b->LoadFromFile(dir.filePath("junk.bmp")));
    EXPECT_EQ(b->Width(), 7);
    EXPECT_EQ(Px(*b, 6, 4), clBlue);
    // Saving into a folder that does not exist fails and leaves no file.
    EXPECT_FALSE(b->SaveToFile(dir.filePath("no/such/dir/x.bmp")));
    TBitmap empty;
    EXPECT_FALSE(empty.SaveToFile(dir.filePath("empty.bmp")));
    EXPECT_FALSE(QFile::exists(dir.filePath("empty.bmp")));

    // Bytes round trip, for stream-like use.
    TBitmap d;
    ASSERT_TRUE(d.LoadFromBytes(b->SaveToBytes("PNG")));
    EXPECT_EQ(Px(d, 1, 2), RGB(1, 2, 3));
}

TEST(Bitmap, TransparentDrawLeavesTheKeyColourOut)
{
    auto glyph = Filled(6, 6, clFuchsia);
    glyph->Canvas()->Brush()->SetColor(clBlack);
    glyph->Canvas()->FillRect(Rect(2, 2, 4, 4));
    EXPECT_EQ(glyph->TransparentColor(), clFuchsia); // bottom-left pixel
    glyph->SetTransparent(true);

    auto target = Filled(20, 20, clRed);
    target->Canvas()->Draw(5, 5, glyph.get());
    EXPECT_EQ(Px(*target, 5, 5), clRed);
    EXPECT_EQ(Px(*target, 7, 7), clBlack);
    EXPECT_EQ(Px(*target, 10, 10), clRed);

    // A fixed colour replaces the automatic one.
    glyph->SetTransparentColor(clBlack);
    EXPECT_EQ(glyph->TransparentMode(), tmFixed);
    target->Canvas()->Draw(12, 12, glyph.get());
    EXPECT_EQ(Px(*target, 12, 12), clFuchsia);
    EXPECT_EQ(Px(*target, 14, 14), clRed);

    // Not transparent: everything is copied, scaled by StretchDraw.
    glyph->SetTransparent(false);
    target->Canvas()->StretchDraw(Rect(0, 0, 12, 12), glyph.get());
    EXPECT_EQ(Px(*target, 0, 0), clFuchsia);
    EXPECT_EQ(Px(*target, 5, 5), clBlack);
    EXPECT_EQ(Px(*target, 7, 7), clBlack);
    EXPECT_EQ(Px(*target, 9, 9), clFuchsia);
}

TEST(Bitmap, CopyRectCopyModesAndBrushCopy)
{
    auto src = Filled(10, 10, RGB(0xF0, 0x0F, 0x00));
    auto dst = Filled(20, 20, clWhite);
    dst->Canvas()->CopyRect(Rect(0, 0, 5, 5), src->Canvas(), Rect(0, 0, 5, 5));
    EXPECT_EQ(Px(*dst, 4, 4), RGB(0xF0, 0x0F, 0x00));
    EXPECT_EQ(Px(*dst, 5, 5), clWhite);
    dst->Canvas()->SetCopyMode(cmSrcInvert);
    dst->Canvas()->CopyRect(Rect(0, 0, 5, 5), src->Canvas(), Rect(0, 0, 5, 5));
    EXPECT_EQ(Px(*dst, 2, 2), clBlack); // x xor x
    dst->Canvas()->SetCopyMode(cmSrcAnd);
    dst->Canvas()->CopyRect(Rect(10, 10, 15, 15), src->Canvas(), Rect(0, 0, 5, 5));
    EXPECT_EQ(Px(*dst, 12, 12), RGB(0xF0, 0x0F, 0x00));
    dst->Canvas()->SetCopyMode(cmSrcCopy);
    // Copy within one canvas.
    dst->Canvas()->CopyRect(Rect(15, 15, 20, 20), dst->Canvas(), Rect(10, 10, 15, 15));
    EXPECT_EQ(Px(*dst, 17, 17), RGB(0xF0, 0x0F, 0x00));

    auto glyph = Filled(4, 4, clFuchsia);
    glyph->Canvas()->SetPixels(1, 1, clBlack);
    auto work = Filled(4, 4, clWhite);
    work->Canvas()->Brush()->SetColor(clBtnFace);
    work->Canvas()->BrushCopy(Rect(0, 0, 4, 4), glyph.get(), Rect(0, 0, 4, 4), clFuchsia);
    EXPECT_EQ(Px(*work, 0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Px(*work, 1, 1), clBlack);
}

TEST(Bitmap, AssignMakesAnIndependentCopy)
{
    auto a = Filled(5, 5, clGreen);
    a->SetTransparent(true);
    TBitmap b;
    b.Assign(a.get());
    EXPECT_EQ(b.Width(), 5);
    EXPECT_TRUE(b.Transparent());
    b.Canvas()->SetPixels(0, 0, clRed);
    EXPECT_EQ(Px(b, 0, 0), clRed);
    EXPECT_EQ(Px(*a, 0, 0), clGreen);
    TPen pen;
    EXPECT_THROW(b.Assign(&pen), EConvertError);
}

TEST(Bitmap, OneBitPatternBrushUsesFontAndBrushColours)
{
    TBitmap pattern(8, 8);
    pattern.SetPixelFormat(pf1bit);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.Canvas()->SetPixels(x, y, (x + y) % 2 ? clWhite : clBlack);
    auto b = Filled(8, 8, clYellow);
    TCanvas* c = b->Canvas();
    c->Font()->SetColor(clBlue); // clear bits
    c->Brush()->SetColor(clRed); // set bits
    c->Brush()->SetBitmap(&pattern);
    c->FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(Px(*b, 0, 0), clBlue);
    EXPECT_EQ(Px(*b, 1, 0), clRed);
    EXPECT_EQ(Px(*b, 1, 1), clBlue);
}

TEST(Picture, HoldsOneGraphicLoadedByExtension)
{
    QTemporaryDir dir;
    auto b = Filled(3, 2, clNavy);
    ASSERT_TRUE(b->SaveToFile(dir.filePath("p.bmp")));
    TPicture pic;
    int changes = 0;
    pic.OnChange = [&](TObject*) { ++changes; };
    EXPECT_TRUE(pic.Empty());
    ASSERT_TRUE(pic.LoadFromFile(dir.filePath("p.bmp")));
    EXPECT_NE(dynamic_cast<TBitmap*>(pic.Graphic()), nullptr);
    EXPECT_EQ(pic.Width(), 3);
    EXPECT_EQ(pic.Height(), 2);
    EXPECT_GE(changes, 1);
    EXPECT_FALSE(pic.LoadFromFile(dir.filePath("none.png")));
    EXPECT_EQ(pic.Width(), 3);

    // An icon: per-pixel transparency survives.
    QImage ico(16, 16, QImage::Format_ARGB32);
    ico.fill(Qt::transparent);
    ico.setPixelColor(8, 8, Qt::red);
    TIcon icon;
    icon.SetImage(ico);
    TPicture p2;
    p2.Assign(&icon);
    ASSERT_NE(dynamic_cast<TIcon*>(p2.Graphic()), nullptr);
    ASSERT_TRUE(p2.SaveToFile(dir.filePath("i.ico")));
    TPicture p3;
    ASSERT_TRUE(p3.LoadFromFile(dir.filePath("i.ico")));
    ASSERT_NE(dynamic_cast<TIcon*>(p3.Graphic()), nullptr);
    auto target = Filled(16, 16, clLime);
    target->Canvas()->Draw(0, 0, p3.Graphic());
    EXPECT_EQ(Px(*target, 8, 8), clRed);
    EXPECT_EQ(Px(*target, 0, 0), clLime);

    // Asking for a bitmap replaces the icon; assigning a picture copies it.
    TBitmap* bm = p3.Bitmap();
    EXPECT_TRUE(bm->Empty());
    p3.Assign(&pic);
    EXPECT_EQ(p3.Width(), 3);
    pic.Bitmap()->SetWidth(10);
    EXPECT_EQ(p3.Width(), 3);
    p3.Assign(nullptr);
    EXPECT_TRUE(p3.Empty());
}

TEST(ImageList, StripsMasksDrawingAndCopies)
{
    // A strip of three 4 x 4 images: red, green, blue squares on fuchsia.
    TBitmap strip(12, 4);
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(Rect(0, 0, 12, 4));
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        strip.Canvas()->Brush()->SetColor(colours[i]);
        strip.Canvas()->FillRect(Rect(i * 4 + 1, 1, i * 4 + 3, 3));
    }
    TImageList list(4, 4);
    int notices = 0;
    TChangeLink link;
    link.OnChange = [&](TObject*) { ++notices; };
    list.RegisterChanges(&link);
    EXPECT_EQ(list.AddMasked(&strip, clDefault), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(notices, 1);

    auto target = Filled(10, 10, clWhite);
    list.Draw(target->Canvas(), 2, 2, 1);
    EXPECT_EQ(Px(*target, 2, 2), clWhite); // masked corner
    EXPECT_EQ(Px(*target, 3, 3), clLime);
    list.Draw(target->Canvas(), 6, 6, 0, false);
    const TColor grey = Px(*target, 7, 7);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    EXPECT_GT(GetRValue(grey), 100);
    EXPECT_EQ(Px(*target, 6, 6), clWhite);
    const QImage before = target->Image();
    list.Draw(target->Canvas(), 0, 0, 3); // outside the list
    list.Draw(target->Canvas(), 0, 0, -1);
    EXPECT_EQ(target->Image(), before);

    TBitmap copy;
    ASSERT_TRUE(list.GetBitmap(2, &copy));
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(Px(copy, 2, 2), clBlue);
    EXPECT_EQ(Px(copy, 0, 0), clWhite);
    EXPECT_FALSE(list.GetBitmap(5, &copy));

    // A separate mask: white marks the transparent pixels.
    TBitmap image(4, 4), mask(4, 4);
    image.Canvas()->Brush()->SetColor(clNavy);
    image.Canvas()->FillRect(Rect(0, 0, 4, 4));
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 0, 2, 4));
    EXPECT_EQ(list.Add(&image, &mask), 3);
    auto t2 = Filled(4, 4, clYellow);
    list.Draw(t2->Canvas(), 0, 0, 3);
    EXPECT_EQ(Px(*t2, 0, 0), clNavy);
    EXPECT_EQ(Px(*t2, 3, 0), clYellow);

    list.Delete(0);
    EXPECT_EQ(list.Count(), 3);
    TImageList resized;
    resized.Assign(&list);
    EXPECT_EQ(resized.Count(), 3);
    resized.SetHeight(8); // a new size empties the list
    EXPECT_EQ(resized.Height(), 8);
    EXPECT_EQ(resized.Width(), 4);
    EXPECT_EQ(resized.Count(), 0);
    list.UnRegisterChanges(&link);
    const int seen = notices;
    list.Clear();
    EXPECT_EQ(notices, seen);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Add(nullptr, nullptr), -1);
}

// A deferred list knows its size at once and makes its images the first
// time one is needed, once, as an eagerly filled list holds them; the
// filling tells the list's links nothing.
TEST(ImageList, DeferredImagesAreMadeOnFirstUse)
{
    auto fill = [](TCustomImageList* l) {
        TBitmap strip(8, 4);
        strip.Canvas()->Brush()->SetColor(clRed);
        strip.Canvas()->FillRect(Rect(0, 0, 4, 4));
        strip.Canvas()->Brush()->SetColor(clBlue);
        strip.Canvas()->FillRect(Rect(4, 0, 8, 4));
        l->AddMasked(&strip, clNone);
    };
    TImageList eager(4, 4);
    fill(&eager);
    int fills = 0, notices = 0;
    TImageList lazy(4, 4);
    TChangeLink link;
    link.OnChange = [&](TObject*) { ++notices; };
    lazy.RegisterChanges(&link);
    lazy.SetDeferredImages([&](TCustomImageList* l) {
        ++fills;
        fill(l);
    });
    EXPECT_EQ(lazy.Width(), 4);
    EXPECT_TRUE(lazy.ImagesDeferred());
    EXPECT_EQ(fills, 0);
    auto target = Filled(8, 4, clWhite);
    lazy.Draw(target->Canvas(), 4, 0, 1);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(notices, 0);
    EXPECT_EQ(Px(*target, 5, 1), clBlue);
    EXPECT_EQ(lazy.Count(), eager.Count());
    for (Integer i = 0; i < eager.Count(); ++i) {
        TBitmap a, b;
        ASSERT_TRUE(eager.GetBitmap(i, &a));
        ASSERT_TRUE(lazy.GetBitmap(i, &b));
        EXPECT_EQ(a.Image(), b.Image()) << i;
    }
    EXPECT_EQ(fills, 1);
    lazy.UnRegisterChanges(&link);

    // Copying a deferred list copies its images; adding to one keeps them
    // first; clearing or resizing one drops what was deferred.
    const auto deferred = [&](TImageList& l) { l.SetDeferredImages(fill); };
    TImageList source(4, 4), copy(4, 4), added(4, 4), cleared(4, 4), resized(4, 4);
    deferred(source);
    copy.Assign(&source);
    EXPECT_EQ(copy.Count(), 2);
    deferred(added);
    TBitmap one(4, 4);
    EXPECT_EQ(added.AddMasked(&one, clNone), 2);
    deferred(cleared);
    cleared.Clear();
    EXPECT_EQ(cleared.Count(), 0);
    deferred(resized);
    resized.SetWidth(8);
    EXPECT_EQ(resized.Count(), 0);
}
