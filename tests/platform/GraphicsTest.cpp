// Colours, fonts, pens and brushes: system colour resolution, Qt conversions,
// change notices and Assign.
#include <limits>
#include "platform/GraphicsQt.h"

#include <gtest/gtest.h>

TEST(Colors, SystemColoursResolveFromTheFixedTable)
{
    struct Case { TColor color; TColor rgb; };
    const Case cases[] = {
        {clBtnFace, RGB(212, 208, 200)}, {clBtnShadow, RGB(128, 128, 128)}, {clBtnHighlight, RGB(255, 255, 255)},
        {cl3DDkShadow, RGB(64, 64, 64)}, {clWindow, RGB(255, 255, 255)},     {clWindowText, RGB(0, 0, 0)},
        {clHighlight, RGB(10, 36, 106)}, {clInfoBk, RGB(255, 255, 225)},      {clGrayText, RGB(128, 128, 128)},
        // Plain colours and the two markers pass through unchanged.
        {clRed, clRed}, {RGB(1, 2, 3), RGB(1, 2, 3)}, {clNone, clNone}, {clDefault, clDefault},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToRGB(c.color), c.rgb) << std::hex << c.color;
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(64, 64, 64));
    EXPECT_EQ(GetSysColor(99), clBlack);
}

TEST(Colors, QColorConversionKeepsChannelsAndMapsNoneToTransparent)
{
    const QColor q = ToQColor(RGB(10, 20, 30));
    EXPECT_EQ(q.red(), 10);
    EXPECT_EQ(q.green(), 20);
    EXPECT_EQ(q.blue(), 30);
    EXPECT_EQ(q.alpha(), 255);
    EXPECT_EQ(FromQColor(q), RGB(10, 20, 30));
    EXPECT_EQ(ToQColor(clBtnFace), QColor(212, 208, 200));
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
}

TEST(Colors, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(8, 96, 72), 11);   // 10.67
    EXPECT_EQ(MulDiv(-11, 72, 96), -8); // -8.25
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x40000000, 4, 8), 0x20000000); // no overflow in the product
    EXPECT_EQ(CenterPoint(Rect(0, 0, 10, 21)), Point(5, 10));
}

TEST(Font, SizeAndHeightFollowEachOther)
{
    TFont f;
    EXPECT_EQ(f.Name(), "Tahoma");
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Height(), -11);
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
    EXPECT_EQ(ToQFont(f).pixelSize(), 16);
    // Any height, however large, gives a pixel size a screen can show.
    for (Integer height : {std::numeric_limits<Integer>::max(), std::numeric_limits<Integer>::min(), 1178861568}) {
        SCOPED_TRACE(height);
        f.SetHeight(height);
        EXPECT_EQ(ToQFont(f).pixelSize(), 2048);
    }
}

TEST(Font, ChangesNotifyOnlyWhenAValueChanges)
{
    TFont f;
    int changes = 0;
    TObject* sender = nullptr;
    f.OnChange = [&](TObject* s) { ++changes; sender = s; };
    f.SetColor(clRed);
    f.SetColor(clRed);
    f.SetStyle({fsBold, fsItalic});
    f.SetName("DejaVu Sans");
    f.SetName(""); // refused: a font always has a name
    f.SetOrientation(900);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(sender, &f);
    EXPECT_EQ(f.Name(), "DejaVu Sans");
    EXPECT_TRUE(f.Style().Contains(fsBold));
    EXPECT_FALSE(f.Style().Contains(fsUnderline));
    const QFont q = ToQFont(f);
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.italic());
    EXPECT_FALSE(q.underline());
}

TEST(Font, AssignCopiesEverythingWithOneNotice)
{
    TFont a, b;
    a.SetName("DejaVu Serif");
    a.SetSize(14);
    a.SetColor(clBlue);
    a.SetStyle(TFontStyles{fsUnderline} | fsStrikeOut);
    a.SetCharset(ANSI_CHARSET);
    a.SetPitch(fpFixed);
    a.SetOrientation(-900);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(a == b);
    b.Assign(&a); // nothing new: no notice
    EXPECT_EQ(changes, 1);
    TPen pen;
    EXPECT_THROW(b.Assign(&pen), EConvertError);
    EXPECT_THROW(b.Assign(nullptr), EConvertError);
}

TEST(PenAndBrush, DefaultsChangesAndAssign)
{
    TPen p;
    EXPECT_EQ(p.Color(), clBlack);
    EXPECT_EQ(p.Width(), 1);
    EXPECT_EQ(p.Style(), psSolid);
    EXPECT_EQ(p.Mode(), pmCopy);
    int penChanges = 0;
    p.OnChange = [&](TObject*) { ++penChanges; };
    p.SetMode(pmXor);
    p.SetWidth(3);
    p.SetWidth(-1); // refused
    p.SetStyle(psDot);
    EXPECT_EQ(penChanges, 3);
    TPen q;
    q.Assign(&p);
    EXPECT_EQ(q.Mode(), pmXor);
    EXPECT_EQ(q.Width(), 3);
    EXPECT_EQ(q.Style(), psDot);

    TBrush b;
    EXPECT_EQ(b.Color(), clWhite);
    EXPECT_EQ(b.Style(), bsSolid);
    int brushChanges = 0;
    b.OnChange = [&](TObject*) { ++brushChanges; };
    b.SetStyle(bsClear);
    b.SetColor(clRed); // a colour makes a clear brush solid again
    EXPECT_EQ(b.Style(), bsSolid);
    b.SetColor(clNone); // no colour makes it clear
    EXPECT_EQ(b.Style(), bsClear);
    EXPECT_EQ(brushChanges, 3);
    TBrush c;
    c.Assign(&b);
    EXPECT_EQ(c.Color(), clNone);
    EXPECT_EQ(c.Style(), bsClear);
}
