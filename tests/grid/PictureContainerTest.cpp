// Pictures from files, streams, resources and addresses; GIF frames and
// their animation clock; named pictures in a container and the cache.
#include "grid/ExUtil.h"
#include "grid/PictureContainer.h"

#include "platform/Canvas.h"
#include "platform/GraphicsQt.h"
#include "platform/Streams.h"

#include "Screenshot.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QString DataDir = QStringLiteral(TEST_DATA_DIR "/grid/");

TColor PixelOf(THTMLPicture& p, int x, int y)
{
    return FromQColor(p.ToImage().pixelColor(x, y));
}

} // namespace

TEST(HTMLPicture, AnimatedGifFramesAndClock)
{
    THTMLPicture p;
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    ASSERT_TRUE(p.LoadFromFile(DataDir + "anim3.gif"));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(p.Empty());
    EXPECT_TRUE(p.IsGIF());
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.FrameTime(1), 10);
    EXPECT_EQ(p.FrameTime(3), 30);
    EXPECT_EQ(p.FrameTime(4), -1);
    EXPECT_EQ(p.Width(), 8);
    EXPECT_EQ(p.MaxWidth(), 8);
    EXPECT_EQ(PixelOf(p, 3, 4), RGB(255, 0, 0));

    int frameChanges = 0;
    p.OnFrameChange = [&](TObject*) { ++frameChanges; };
    p.SetFrame(2);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(p.FrameXPos(), 2);
    EXPECT_EQ(p.FrameYPos(), 3);
    EXPECT_EQ(PixelOf(p, 3, 4), RGB(0, 160, 0)); // frame 2's square
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 1);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 3);
    p.SetFrame(1);

    // Delays 10, 20, 30: the frame changes where ticks * 10 reaches 10, 30, 60.
    std::vector<int> changedAt, frames;
    for (int tick = 0; tick < 10; ++tick)
        if (p.Step()) {
            changedAt.push_back(tick);
            frames.push_back(p.Frame());
        }
    EXPECT_EQ(changedAt, (std::vector<int>{2, 4, 7, 8}));
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 1, 2}));
    EXPECT_EQ(p.FrameXPos(), 2);
}

TEST(HTMLPicture, SingleFramesAndOtherPictures)
{
    THTMLPicture gif;
    ASSERT_TRUE(gif.LoadFromFile(DataDir + "single.gif"));
    EXPECT_EQ(gif.FrameCount(), 1);
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(gif.Step());
    EXPECT_EQ(gif.Width(), 6);
    EXPECT_EQ(gif.Height(), 4);

    THTMLPicture bmp;
    ASSERT_TRUE(bmp.LoadFromFile(DataDir + "key.bmp"));
    EXPECT_FALSE(bmp.IsGIF());
    EXPECT_EQ(bmp.FrameCount(), -1);
    EXPECT_EQ(bmp.FrameTime(1), -1);
    EXPECT_FALSE(bmp.Step());
    EXPECT_EQ(bmp.MaxWidth(), 4);

    // Unreadable files leave the picture empty; streams raise.
    THTMLPicture bad;
    EXPECT_FALSE(bad.LoadFromFile(DataDir + "make_fixtures.py"));
    EXPECT_TRUE(bad.Empty());
    EXPECT_EQ(bad.Width(), 0);
    EXPECT_FALSE(bad.LoadFromFile(DataDir + "no-such.gif"));
    TMemoryStream junk;
    junk.WriteBuffer(QByteArray("not a picture at all"));
    junk.SetPosition(0);
    try {
        bad.LoadFromStream(&junk);
        FAIL() << "no error for junk";
    } catch (const EHTMLPictureError& e) {
        EXPECT_STREQ(e.what(), "Could not load image. Invalid format");
    }
    EXPECT_TRUE(bad.Empty());
    bad.LoadFromStream(nullptr); // nothing

    // Copies: the bytes round-trip through streams and Assign.
    TMemoryStream saved;
    gif.SaveToStream(&saved);
    QFile f(DataDir + "single.gif");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.Bytes(), f.readAll());
    saved.SetPosition(0);
    THTMLPicture read;
    int changes = 0;
    read.OnChange = [&](TObject*) { ++changes; };
    read.ReadData(&saved);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(read.Width(), 6);
    THTMLPicture copy;
    copy.Assign(&read);
    EXPECT_EQ(copy.Height(), 4);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    THTMLPicture empty;
    copy.Assign(&empty);
    EXPECT_TRUE(copy.Empty());
}

TEST(HTMLPicture, AddressesResourcesAndFiles)
{
    THTMLPicture res;
    res.LoadFromURL("Res://anim3.gif");
    EXPECT_EQ(res.ID(), QStringLiteral("Res://anim3.gif"));
    EXPECT_EQ(res.FrameCount(), 3);
    EXPECT_FALSE(res.Empty());

    THTMLPicture none;
    none.LoadFromURL("res://no-such");
    EXPECT_TRUE(none.Empty());
    EXPECT_THROW(none.LoadFromResourceID(42), EResNotFound);

    THTMLPicture file;
    file.LoadFromURL("file://");
    EXPECT_EQ(file.ID(), QStringLiteral("file://"));
    EXPECT_TRUE(file.Empty());
    file.LoadFromURL("FILE://" + DataDir + "key.bmp");
    EXPECT_EQ(file.Width(), 4);

    THTMLPicture web;
    web.LoadFromURL("http://example.invalid/p.png");
    EXPECT_TRUE(web.Busy());
    EXPECT_EQ(web.URL(), QStringLiteral("http://example.invalid/p.png"));
    EXPECT_TRUE(web.ID().isEmpty());
    EXPECT_TRUE(web.Empty());
    web.LoadFromURL("http://example.invalid/other.png"); // busy: nothing
    EXPECT_EQ(web.URL(), QStringLiteral("http://example.invalid/p.png"));

    THTMLPicture sync;
    sync.SetAsynch(false);
    sync.LoadFromURL("http://example.invalid/p.png");
    EXPECT_FALSE(sync.Busy());
    EXPECT_EQ(sync.ID(), sync.URL());
}

TEST(PictureContainer, NamedPicturesFoundAndDrawn)
{
    TComponent owner(nullptr);
    auto* container = new TPictureContainer(&owner);
    TPictureItem* logo = container->Items()->Add();
    logo->SetName("Logo");
    logo->SetTag(7);
    ASSERT_TRUE(logo->Picture()->LoadFromFile(DataDir + "key.bmp"));
    TPictureItem* anim = container->Items()->Add();
    anim->SetName("anim");
    anim->Picture()->LoadFromFile(DataDir + "anim3.gif");

    EXPECT_EQ(container->FindPicture("logo"), logo->Picture());
    EXPECT_EQ(container->FindPicture("ANIM"), anim->Picture());
    EXPECT_EQ(container->FindPicture("other"), nullptr);
    EXPECT_EQ(container->Items()->GetOwner(), container);

    // Drawn at its own size, or stretched.
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        TCanvas c;
        c.BeginPaint(&p);
        THTMLPicture* pic = container->FindPicture("logo");
        pic->Draw(&c, TRect(0, 0, 20, 20));
        pic->SetStretch(true);
        pic->Draw(&c, TRect(20, 0, 40, 20));
        c.EndPaint();
    }
    EXPECT_EQ(FromQColor(img.pixelColor(1, 1)), RGB(0, 0, 255));
    EXPECT_EQ(FromQColor(img.pixelColor(6, 6)), clWhite); // natural size: 4 x 4
    EXPECT_EQ(FromQColor(img.pixelColor(30, 10)), RGB(0, 0, 255));
    EXPECT_EQ(FromQColor(img.pixelColor(21, 1)), RGB(255, 0, 255));
    testsupport::SaveScreenshot(img.scaled(img.size() * 4), "PictureContainer-logo-natural-and-stretched");

    // Items copy by value.
    TPictureContainer other(nullptr);
    other.SetItems(container->Items());
    ASSERT_EQ(other.Items()->Count(), 2);
    EXPECT_EQ(other.Items()->GetItem(0)->Tag(), 7);
    EXPECT_NE(other.FindPicture("logo"), logo->Picture());
    EXPECT_EQ(other.FindPicture("logo")->Width(), 4);

    // Animation steps every item.
    bool any = false;
    for (int i = 0; i < 3; ++i)
        any = container->Items()->Animate() || any;
    EXPECT_TRUE(any);
}

TEST(PictureCache, ExactIdentifiers)
{
    THTMLPictureCache cache;
    THTMLPicture* a = cache.AddPicture();
    a->LoadFromURL("FILE://" + DataDir + "anim3.gif");
    THTMLPicture* b = cache.AddPicture();
    b->LoadFromURL("file://" + DataDir + "single.gif");
    EXPECT_EQ(cache.FindPicture("FILE://" + DataDir + "anim3.gif"), a);
    EXPECT_EQ(cache.FindPicture("file://" + DataDir + "anim3.gif"), nullptr);
    bool changed = false;
    for (int i = 0; i < 3; ++i)
        changed = cache.Animate() || changed;
    EXPECT_TRUE(changed);
    EXPECT_EQ(a->Frame(), 2);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
}
