// Grid helper objects: integer and sort-index lists, cell controls, file
// pictures, line lists, focus-glow masks and the cell checker base.
#include "grid/ExObj.h"
#include "grid/esgcheck.h"

#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"
#include "platform/GraphicsQt.h"
#include "platform/TestHooks.h"

#include "Screenshot.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString DataDir = QStringLiteral(TEST_DATA_DIR "/grid/");

// Colour byte c (0 blue, 1 green, 2 red, 3 alpha) of pixel (x, y).
Byte At(TBitmap& b, Integer x, Integer y, int c = 2)
{
    return b.ScanLine(y)[4 * x + c];
}

} // namespace

TEST(IntList, ItemsStrValueAndChangeEvents)
{
    TIntList l(3, 7);
    std::vector<std::pair<Integer, Integer>> events;
    l.OnChange = [&](TObject* s, Integer c, Integer r) {
        EXPECT_EQ(s, &l);
        events.emplace_back(c, r);
    };
    l.Add(1);
    l.Add(2);
    l.Add(3);
    EXPECT_EQ(l.StrValue(), QStringLiteral("1,2,3"));
    EXPECT_EQ(events.size(), 3u);
    EXPECT_EQ(events.back(), std::make_pair(3, 7));

    events.clear();
    l.SetStrValue("4,5");
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(l.Items(1), 5);
    EXPECT_EQ(events.size(), 2u); // one per add, none for the clear

    events.clear();
    l.Insert(0, -9);
    EXPECT_TRUE(events.empty());
    l.SetInteger(0, 8);
    l.DeleteValue(42); // absent: no event
    l.DeleteValue(4);
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(l.StrValue(), QStringLiteral("8,5"));
    EXPECT_TRUE(l.HasValue(8));
    EXPECT_FALSE(l.HasValue(4));

    EXPECT_THROW(l.SetStrValue("1,x"), EConvertError);
    TIntList empty(0, 0);
    EXPECT_EQ(empty.StrValue(), QString());
}

TEST(SortIndexList, DirectionsAndText)
{
    TSortIndexList l;
    l.AddIndex(3, true);
    l.AddIndex(5, false);
    EXPECT_EQ(l.SaveToString(), QStringLiteral("u3;d5"));
    EXPECT_TRUE(l.SortDirections(0));
    EXPECT_FALSE(l.SortDirections(1)); // bit 31 set
    EXPECT_LT(l.Items(1), 0);
    EXPECT_EQ(l.SortColumns(1), 5);
    EXPECT_EQ(l.FindIndex(5), 1);
    EXPECT_EQ(l.FindIndex(4), -1);

    l.ToggleIndex(5);
    EXPECT_TRUE(l.SortDirections(1));
    l.SetSortDirections(0, false);
    l.SetSortColumns(0, 9);
    EXPECT_EQ(l.SortColumns(0), 9);
    EXPECT_FALSE(l.SortDirections(0)); // the direction survives a new column

    l.LoadFromString("u3;d5;x");
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l.SortColumns(0), 3);
    EXPECT_TRUE(l.SortDirections(0));
    EXPECT_EQ(l.SortColumns(1), 5);
    EXPECT_FALSE(l.SortDirections(1));

    l.LoadFromString("U7");
    ASSERT_EQ(l.Count(), 1);
    EXPECT_EQ(l.SortColumns(0), 7);
    EXPECT_FALSE(l.SortDirections(0)); // only lower-case "u" means ascending

    l.LoadFromString("u12abc;;d");
    ASSERT_EQ(l.Count(), 1);
    EXPECT_EQ(l.SortColumns(0), 12);
}

TEST(ControlList, CellsAndWindows)
{
    TWinControl parent(nullptr);
    auto* a = new TCustomControl(&parent);
    a->SetParent(&parent);
    auto* b = new TCustomControl(&parent);
    b->SetParent(&parent);
    {
        TControlList l;
        l.AddControl(1, 2, a);
        l.AddControl(3, 4, b);
        EXPECT_EQ(l.ControlIndex(3, 4), 1);
        EXPECT_EQ(l.ControlIndex(2, 2), -1);
        EXPECT_EQ(l.Control(0)->Object(), a);
        EXPECT_FALSE(l.HasHandle(nullptr)); // no window made yet
        const HWND h = b->Handle();
        EXPECT_TRUE(l.HasHandle(h));
        l.RemoveControl(1);
        EXPECT_FALSE(l.HasHandle(h));
        EXPECT_EQ(l.Count(), 1);
    }
    // The list owned its items only: the controls are still there.
    EXPECT_EQ(parent.ControlCount(), 2);
}

TEST(FilePicture, SizeFromTheFileAndStretchedDraw)
{
    TFilePicture p;
    p.SetFilename(DataDir + "key.bmp");
    EXPECT_EQ(p.Width(), 4);
    EXPECT_EQ(p.Height(), 4);
    TFilePicture q;
    q.Assign(&p);
    EXPECT_EQ(q.Filename(), p.Filename());
    EXPECT_EQ(q.Height(), 4);

    TBitmap target(8, 8);
    q.DrawPicture(target.Canvas(), TRect(0, 0, 8, 8));
    EXPECT_EQ(At(target, 4, 4, 0), 255); // blue middle, stretched
    EXPECT_EQ(At(target, 0, 0, 2), 255); // magenta edge

    TFilePicture missing;
    missing.SetFilename(DataDir + "no-such.bmp");
    EXPECT_EQ(missing.Width(), 0);
    missing.DrawPicture(target.Canvas(), TRect(0, 0, 8, 8)); // draws nothing
    EXPECT_EQ(At(target, 4, 4, 0), 255);
}

TEST(FileStringList, ReadAndWriteLineByLine)
{
    TFileStringList l;
    l.Write("a");
    l.Write("b");
    l.WriteLn("c");
    l.WriteLn("d");
    EXPECT_EQ(l.Count(), 2);
    l.Reset();
    QString s;
    EXPECT_FALSE(l.Eof());
    l.ReadLn(s);
    EXPECT_EQ(s, QStringLiteral("abc"));
    l.ReadLn(s);
    EXPECT_EQ(s, QStringLiteral("d"));
    EXPECT_TRUE(l.Eof());
    l.Write("pending");
    l.Reset();
    l.WriteLn("x");
    EXPECT_EQ(l.Strings(2), QStringLiteral("x"));
}

TEST(FocusGlow, RoundRectMaskFilledAndOutlined)
{
    TBitmap m;
    CreateRoundRectMask(&m, 40, 30, 0, 6, 0);
    EXPECT_EQ(m.PixelFormat(), pf24bit);
    EXPECT_EQ(At(m, 1, 15), 0);
    EXPECT_EQ(At(m, 2, 15), 255); // filled from the 2-pixel inset
    EXPECT_EQ(At(m, 20, 15), 255);
    EXPECT_EQ(At(m, 37, 15), 255);
    EXPECT_EQ(At(m, 38, 15), 0);
    EXPECT_EQ(At(m, 2, 2), 0); // rounded corner

    TBitmap o;
    CreateRoundRectMask(&o, 40, 30, 0, 6, 4);
    // The 4-pixel pen is centred on the rectangle inset by 4, so its outer
    // edge lies 2 pixels in, like the filled mask's.
    EXPECT_EQ(At(o, 1, 15), 0);
    EXPECT_EQ(At(o, 2, 15), 255);
    EXPECT_EQ(At(o, 5, 15), 255);
    EXPECT_EQ(At(o, 6, 15), 0);
    EXPECT_EQ(At(o, 20, 15), 0);  // hollow inside
    EXPECT_EQ(At(o, 20, 3), 255);
}

TEST(FocusGlow, BlurSpreadsAndRefusesOtherFormats)
{
    TBitmap eight;
    eight.SetPixelFormat(pf8bit);
    eight.SetSize(10, 10);
    try {
        BlurBitmap(&eight, 2);
        FAIL() << "no error for an 8-bit bitmap";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Blur only works for 24-bit bitmaps");
    }

    // 41 rows and columns: every line gets the pass; a single white dot
    // spreads symmetrically.
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(41, 41);
    b.Canvas()->Brush()->SetColor(clBlack);
    b.Canvas()->FillRect(TRect(0, 0, 41, 41));
    b.Canvas()->SetPixels(30, 30, clWhite);
    BlurBitmap(&b, 2);
    EXPECT_GT(At(b, 30, 30), At(b, 31, 30));
    EXPECT_GT(At(b, 31, 30), 0);
    EXPECT_EQ(At(b, 31, 30), At(b, 29, 30));
    EXPECT_EQ(At(b, 30, 32), At(b, 32, 30));
    EXPECT_EQ(At(b, 15, 15), 0); // nothing copied from row or column 15

    // A wide and tall mask: middle rows and columns repeat line 15.
    TBitmap big;
    CreateRoundRectMask(&big, 80, 60, 3, 6, 0);
    EXPECT_EQ(At(big, 0, 30), At(big, 0, 15));
    EXPECT_EQ(At(big, 50, 30), At(big, 15, 30));
    EXPECT_GT(At(big, 2, 30), 0);
    EXPECT_LT(At(big, 2, 30), 255); // the edge is soft
}

TEST(FocusGlow, AlphaMaskPremultipliesAndCopies)
{
    TBitmap mask, colour;
    mask.SetPixelFormat(pf24bit);
    mask.SetSize(2, 1);
    mask.Canvas()->SetPixels(0, 0, RGB(255, 0, 0));
    mask.Canvas()->SetPixels(1, 0, RGB(128, 0, 0));
    colour.SetPixelFormat(pf24bit);
    colour.SetSize(2, 1);
    colour.Canvas()->SetPixels(0, 0, RGB(200, 100, 50));
    colour.Canvas()->SetPixels(1, 0, RGB(200, 100, 50));

    TGridAlphaMask a;
    EXPECT_EQ(a.PixelFormat(), pf32bit);
    EXPECT_EQ(a.Opacity(), 255);
    a.MergeMask(&mask, &colour, clNone);
    ASSERT_EQ(a.Width(), 2);
    EXPECT_EQ(At(a, 0, 0, 3), 255);
    EXPECT_EQ(At(a, 0, 0, 2), 200);
    EXPECT_EQ(At(a, 1, 0, 3), 128);
    EXPECT_EQ(At(a, 1, 0, 2), 100); // 200 * 128 / 255
    EXPECT_EQ(At(a, 1, 0, 0), 25);

    TGridAlphaMask untouched;
    TBitmap plain(2, 1); // not 24-bit: nothing happens
    untouched.MergeMask(&mask, &plain, clNone);
    EXPECT_EQ(untouched.Width(), 0);

    a.SetOpacity(90);
    TGridAlphaMask copy;
    copy.SetSize(2, 1);
    copy.Assign(&a);
    EXPECT_EQ(copy.Opacity(), 90);
    EXPECT_EQ(At(copy, 1, 0, 3), 128);
    EXPECT_EQ(At(copy, 1, 0, 2), 100);

    TGridAlphaMask fromBitmap;
    fromBitmap.Assign(&colour);
    EXPECT_EQ(fromBitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(fromBitmap.Width(), 2);
}

TEST(FocusGlow, FocusWindowStartsEmptyAndRed)
{
    TGridFocusWindow w(nullptr);
    EXPECT_EQ(w.Width(), 0);
    EXPECT_EQ(w.Height(), 0);
    EXPECT_EQ(w.Color(), RGB(255, 0, 0));
    EXPECT_TRUE(IsThemedComCtl6());
}

TEST(CellChecker, BaseChangesNothing)
{
    DAriViziveVudaDodav base(nullptr);
    EXPECT_EQ(base.MarkError(1, 2, "teh text"), QStringLiteral("teh text"));
    EXPECT_EQ(base.Correct(1, 2, "teh text"), QStringLiteral("teh text"));
    EXPECT_FALSE(base.GotoCell() || base.AutoCorrect() || base.AutoMarkError() || base.UseCorrect()
                 || base.UseMarkError());

    // A checker overrides what it checks; the grid calls through the base.
    struct Upper : DAriViziveVudaDodav {
        using DAriViziveVudaDodav::DAriViziveVudaDodav;
        int runs = 0;
        QString Correct(Integer, Integer, const QString& Text) override { return Text.toUpper(); }
        void StartCheck() override { ++runs; }
    } upper(nullptr);
    DAriViziveVudaDodav* checker = &upper;
    checker->StartCheck();
    EXPECT_EQ(checker->Correct(0, 0, "ab"), QStringLiteral("AB"));
    EXPECT_EQ(upper.runs, 1);
}

TEST(ArrowWindow, HiddenGreenArrowOnItsOwner)
{
    TPanel owner(nullptr);
    owner.SetBounds(0, 0, 60, 40);
    owner.SetColor(clWhite);
    const TArrowDirection dirs[] = {arrUp, arrDown, arrLeft, arrRight};
    QImage sheet(4 * 16, 14, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    for (int i = 0; i < 4; ++i) {
        auto* a = new TArrowWindow(&owner, dirs[i]);
        EXPECT_EQ(a->Parent(), &owner);
        EXPECT_EQ(a->Owner(), &owner);
        EXPECT_FALSE(a->Visible());
        EXPECT_EQ(a->Color(), RGB(0, 255, 0));
        EXPECT_EQ(a->Dir(), dirs[i]);
        a->SetBounds(0, 0, 11, 11);
        const QImage img = GrabControl(a);
        // Arrow pixels in green, the corner in the owner's colour.
        EXPECT_EQ(FromQColor(img.pixelColor(5, 5)), RGB(0, 255, 0)) << i;
        EXPECT_EQ(FromQColor(img.pixelColor(10, 10)), clWhite) << i;
        QPainter(&sheet).drawImage(2 + 16 * i, 2, img);
    }
    EXPECT_EQ(TArrowWindow::ArrowPoints(arrLeft)[4], TPoint(8, 5)); // points right
    EXPECT_EQ(TArrowWindow::ArrowPoints(arrRight)[0], TPoint(0, 5)); // points left
    // Enlarged fourfold for a reviewer.
    testsupport::SaveScreenshot(sheet.scaled(sheet.size() * 4), "TArrowWindow-directions");
}
