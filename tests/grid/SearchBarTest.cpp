// The search bar's button and check box: looks, faces and glyphs in pixels,
// clicks, check style, groups and the drop-down part by mouse, hover,
// accelerators and keys, and sheets of every look and state.
#include "grid/ExObj.h"

#include "controls/ExXPVS.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Menus.h"
#include "platform/TestHooks.h"

#include "Screenshot.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

namespace {

QColor Q(TColor c)
{
    c = ColorToRGB(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// A shown form with a light grey background for the controls under test.
struct TTestForm {
    TForm form{nullptr};
    TTestForm()
    {
        form.SetClientSize(320, 200);
        form.SetColor(RGB(200, 220, 240));
        form.Show();
    }
    TExGridButton* Button(Integer x, Integer y, Integer w = 60, Integer h = 22, const QString& caption = {})
    {
        auto* b = new TExGridButton(&form);
        b->SetParent(&form);
        b->SetBounds(x, y, w, h);
        b->SetCaption(caption);
        return b;
    }
    TExCheckBox* CheckBox(Integer x, Integer y, const QString& caption = QStringLiteral("Match case"))
    {
        auto* c = new TExCheckBox(&form);
        c->SetParent(&form);
        c->SetBounds(x, y, 110, 22);
        c->SetCaption(caption);
        return c;
    }
};

// A w x h glyph: a red block from (1, 1) to (w - 2, h - 2) on white.
std::unique_ptr<TBitmap> Glyph(Integer w = 6, Integer h = 6)
{
    auto g = std::make_unique<TBitmap>(w, h);
    g->Canvas()->Brush()->SetColor(clWhite);
    g->Canvas()->FillRect(TRect(0, 0, w, h));
    g->Canvas()->Brush()->SetColor(RGB(200, 30, 40));
    g->Canvas()->FillRect(TRect(1, 1, w - 1, h - 1));
    return g;
}

// Columns (or rows) that hold a pixel of colour c: first and last, -1 when none.
std::pair<int, int> Extent(const QImage& img, QColor c, bool columns)
{
    int lo = -1, hi = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c) {
                const int v = columns ? x : y;
                lo = lo < 0 ? v : std::min(lo, v);
                hi = std::max(hi, v);
            }
    return {lo, hi};
}

// Images compared by their colours, whatever their pixel formats.
bool SamePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

bool HasColor(const QImage& img, QColor c)
{
    return Extent(img, c, true).first >= 0;
}

// Pixels that are neither the background nor the face: the ink of the caption.
std::pair<int, int> InkExtent(const QImage& img, QColor face, bool columns)
{
    int lo = -1, hi = -1;
    for (int y = 2; y < img.height() - 2; ++y)
        for (int x = 2; x < img.width() - 2; ++x) {
            const QColor p = img.pixelColor(x, y);
            if (p.lightness() < 90 && p != face) {
                const int v = columns ? x : y;
                lo = lo < 0 ? v : std::min(lo, v);
                hi = std::max(hi, v);
            }
        }
    return {lo, hi};
}

// Images laid out in a grid on the form's colour, saved as one screenshot.
class TSheet {
public:
    TSheet(int columns, int cellW, int cellH) : columns_(columns), cellW_(cellW), cellH_(cellH) {}
    void Add(const QImage& img) { images_.push_back(img); }
    QString Save(const QString& name) const
    {
        const int rows = int((images_.size() + columns_ - 1) / columns_);
        QImage sheet(columns_ * cellW_, rows * cellH_, QImage::Format_RGB32);
        sheet.fill(QColor(255, 255, 255));
        QPainter p(&sheet);
        for (size_t i = 0; i < images_.size(); ++i)
            p.drawImage(int(i % columns_) * cellW_ + 4, int(i / columns_) * cellH_ + 4, images_[i]);
        p.end();
        return testsupport::SaveScreenshot(sheet, name);
    }

private:
    int columns_, cellW_, cellH_;
    std::vector<QImage> images_;
};

} // namespace

// ================================================================ TExGridButton

TEST(ExGridButton, DefaultsAndLooks)
{
    TExGridButton b(nullptr);
    EXPECT_EQ(b.Width(), 23);
    EXPECT_EQ(b.Height(), 22);
    EXPECT_EQ(b.Color(), clBtnFace);
    EXPECT_EQ(b.ColorHot(), RGB(199, 199, 202));
    EXPECT_EQ(b.ColorDown(), RGB(210, 211, 216));
    EXPECT_EQ(b.ColorChecked(), RGB(128, 128, 128));
    EXPECT_EQ(b.ColorTo(), clNone);
    EXPECT_EQ(b.BorderColor(), clNone);
    EXPECT_TRUE(b.Flat());
    EXPECT_FALSE(b.Rounded());
    EXPECT_TRUE(b.Shaded());
    EXPECT_TRUE(b.ShowCaption());
    EXPECT_EQ(b.Margin(), -1);
    EXPECT_EQ(b.Spacing(), 4);
    EXPECT_EQ(b.Style(), tasButton);
    EXPECT_EQ(b.State(), bsUp);

    struct Look {
        Integer look;
        TColor color, colorTo, hot, down, checkedTo, borderDown, borderHot;
    };
    const Look looks[] = {
        {0, RGB(241, 241, 237), RGB(235, 235, 223), RGB(252, 252, 250), RGB(231, 230, 224), clNone, RGB(122, 152, 175), RGB(206, 206, 195)},
        {1, clBtnFace, clNone, RGB(193, 210, 238), RGB(152, 181, 226), clNone, RGB(49, 106, 197), RGB(49, 106, 197)},
        {2, RGB(218, 234, 253), RGB(136, 174, 228), RGB(255, 244, 204), RGB(254, 145, 78), RGB(255, 173, 85), 0, 0},
        {3, RGB(234, 240, 207), RGB(177, 192, 140), RGB(255, 244, 204), RGB(254, 145, 78), RGB(255, 173, 85), 0, 0},
        {4, RGB(225, 226, 236), RGB(152, 150, 179), RGB(255, 244, 204), RGB(254, 145, 78), RGB(255, 173, 85), 0, 0},
        {5, clBtnFace, clNone, clBtnFace, RGB(210, 211, 216), clNone, clNone, clNone},
        {6, RGB(255, 255, 202), RGB(255, 255, 166), RGB(253, 240, 168), RGB(251, 224, 77), RGB(237, 221, 156), RGB(128, 128, 128), RGB(128, 128, 128)},
    };
    for (const Look& l : looks) {
        SCOPED_TRACE(l.look);
        b.SetBorderColor(clRed);
        b.SetFlat(false);
        b.SetRounded(true);
        b.SetLook(l.look);
        EXPECT_EQ(b.Color(), l.color);
        EXPECT_EQ(b.ColorTo(), l.colorTo);
        EXPECT_EQ(b.ColorHot(), l.hot);
        EXPECT_EQ(b.ColorDown(), l.down);
        EXPECT_EQ(b.ColorCheckedTo(), l.checkedTo);
        EXPECT_EQ(b.BorderDownColor(), l.borderDown);
        EXPECT_EQ(b.BorderHotColor(), l.borderHot);
        EXPECT_EQ(b.BorderColor(), clNone);
        EXPECT_TRUE(b.Flat());
        EXPECT_EQ(b.Rounded(), l.look == 0);
    }
    // Outside 0 .. 6 nothing changes.
    b.SetBorderColor(clRed);
    for (Integer bad : {7, -1}) {
        b.SetLook(bad);
        EXPECT_EQ(b.Color(), RGB(255, 255, 202));
        EXPECT_EQ(b.BorderColor(), clRed);
        EXPECT_FALSE(b.Rounded());
    }
    // Without a colour scheme the theme adapts the button to look 1.
    b.SetAutoThemeAdapt(true);
    EXPECT_EQ(b.ColorHot(), RGB(193, 210, 238));
    b.SetLook(6);
    b.Perform(CM_THEMEADAPT);
    EXPECT_EQ(b.ColorHot(), RGB(193, 210, 238));
    b.SetAutoThemeAdapt(false);
    b.SetLook(6);
    b.Perform(WM_THEMECHANGED);
    EXPECT_EQ(b.ColorHot(), RGB(253, 240, 168));
}

TEST(ExGridButton, ClickFiresOnlyWhenReleasedInside)
{
    TTestForm t;
    TExGridButton* b = t.Button(10, 10);
    int clicks = 0, downs = 0, ups = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++downs; };
    b->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++ups; };

    TestInput::MouseDown(b, mbLeft, TPoint{20, 10});
    EXPECT_EQ(b->State(), bsDown);
    TestInput::MouseMove(b, TPoint{80, 10});
    EXPECT_EQ(b->State(), bsUp);
    TestInput::MouseMove(b, TPoint{30, 10});
    EXPECT_EQ(b->State(), bsDown);
    TestInput::MouseUp(b, mbLeft, TPoint{30, 10});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->State(), bsUp);
    // Released outside: no click.
    TestInput::MouseDown(b, mbLeft, TPoint{20, 10});
    TestInput::MouseUp(b, mbLeft, TPoint{20, 40});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(ups, 2);
    // A plain button cannot be down, and the right button does not press it.
    b->SetDown(true);
    EXPECT_FALSE(b->Down());
    TestInput::Click(b, TPoint{20, 10}, mbRight);
    EXPECT_EQ(clicks, 1);
    // Disabled: no press, no click.
    b->SetEnabled(false);
    TestInput::Click(b, TPoint{20, 10});
    EXPECT_EQ(clicks, 1);
}

TEST(ExGridButton, CheckStyleTogglesOnEveryClickInside)
{
    TTestForm t;
    TExGridButton* b = t.Button(10, 10);
    b->SetStyle(tasCheck);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    TestInput::Click(b, TPoint{20, 10});
    EXPECT_TRUE(b->Down());
    TestInput::Click(b, TPoint{20, 10});
    EXPECT_FALSE(b->Down());
    TestInput::Click(b, TPoint{20, 10});
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 3);
    // Pressed inside, released outside: neither toggled nor clicked.
    TestInput::MouseDown(b, mbLeft, TPoint{20, 10});
    TestInput::MouseUp(b, mbLeft, TPoint{200, 10});
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 3);
    // Set in code, the check style keeps any value.
    b->SetDown(false);
    EXPECT_FALSE(b->Down());
}

TEST(ExGridButton, GroupKeepsOneButtonDown)
{
    TTestForm t;
    TExGridButton* a = t.Button(10, 10);
    TExGridButton* b = t.Button(80, 10);
    TExGridButton* other = t.Button(150, 10);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    other->SetGroupIndex(2);
    other->SetDown(true);

    TestInput::Click(a, TPoint{20, 10});
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), bsExclusive);
    TestInput::Click(b, TPoint{20, 10});
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), bsUp);
    EXPECT_TRUE(other->Down()); // another group
    // All-up not allowed: clicking the down button keeps it down.
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    TestInput::Click(b, TPoint{20, 10});
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 1);
    // All-up set on one button reaches the whole group.
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    TestInput::Click(b, TPoint{20, 10});
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());
    // Released outside a group button: it stays as it was.
    TestInput::MouseDown(a, mbLeft, TPoint{20, 10});
    TestInput::MouseUp(a, mbLeft, TPoint{20, 90});
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), bsUp); // not left pressed, even without a move outside

    // A double click on a down button fires OnDblClick, on a plain one not.
    int dbl = 0;
    a->SetAllowAllUp(false);
    a->SetDown(true);
    a->OnDblClick = [&](TObject*) { ++dbl; };
    TestInput::DblClick(a, TPoint{20, 10});
    EXPECT_EQ(dbl, 1);
    EXPECT_TRUE(a->Down());
    TExGridButton* plain = t.Button(10, 50);
    plain->OnDblClick = [&](TObject*) { ++dbl; };
    TestInput::DblClick(plain, TPoint{20, 10});
    EXPECT_EQ(dbl, 1);
}

TEST(ExGridButton, DropDownPartShowsTheMenuInsteadOfClicking)
{
    TTestForm t;
    TExGridButton* b = t.Button(10, 10, 60, 22, QStringLiteral("Find"));
    b->SetDropDownButton(true);
    auto* menu = new TPopupMenu(&t.form);
    auto* item = new TMenuItem(menu);
    item->SetCaption(QStringLiteral("Backwards"));
    int chosen = 0, dropped = 0, clicks = 0;
    item->OnClick = [&](TObject*) { ++chosen; };
    menu->Items()->Add(item);
    b->SetDropDownMenu(menu);
    b->OnDropDown = [&](TObject*) { ++dropped; };
    b->OnClick = [&](TObject*) { ++clicks; };

    PopupSeam::Clear();
    PopupSeam::QueueChoice(QStringLiteral("Backwards"));
    TestInput::Click(b, TPoint{55, 10});
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(PopupSeam::LastShown(), menu);
    EXPECT_EQ(PopupSeam::LastPoint(), b->ClientToScreen(TPoint{0, 22}));
    // Left of the part it is a button.
    TestInput::Click(b, TPoint{47, 10});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dropped, 1);
    // A freed menu is forgotten; the part still fires its event.
    delete menu;
    EXPECT_EQ(b->DropDownMenu(), nullptr);
    TestInput::Click(b, TPoint{55, 10});
    EXPECT_EQ(dropped, 2);
    PopupSeam::Clear();
}

TEST(ExGridButton, HoverMakesAFlatButtonHot)
{
    TTestForm t;
    TExGridButton* b = t.Button(10, 10);
    b->SetLook(1);
    int enters = 0, leaves = 0;
    b->OnMouseEnter = [&](TObject*) { ++enters; };
    b->OnMouseLeave = [&](TObject*) { ++leaves; };
    EXPECT_EQ(GrabControl(b).pixelColor(30, 11), Q(clBtnFace));

    TestInput::MouseEnter(b);
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_EQ(enters, 1);
    QImage hot = GrabControl(b);
    EXPECT_EQ(hot.pixelColor(30, 11), QColor(193, 210, 238));
    EXPECT_EQ(hot.pixelColor(0, 11), QColor(49, 106, 197)); // hot border at the edge
    // Pressed while hot: the down colour.
    TestInput::MouseDown(b, mbLeft, TPoint{30, 11});
    EXPECT_EQ(GrabControl(b).pixelColor(30, 11), QColor(152, 181, 226));
    TestInput::MouseUp(b, mbLeft, TPoint{30, 11});
    EXPECT_TRUE(b->MouseInControl()); // released over it: still hot
    TestInput::MouseLeave(b);
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(GrabControl(b).pixelColor(30, 11), Q(clBtnFace));
    // Released away from it: it ends not hot.
    TestInput::MouseEnter(b);
    TestInput::MouseDown(b, mbLeft, TPoint{30, 11});
    TestInput::MouseUp(b, mbLeft, TPoint{30, 60});
    EXPECT_FALSE(b->MouseInControl());
    // A disabled button does not become hot.
    b->SetEnabled(false);
    TestInput::MouseEnter(b);
    EXPECT_FALSE(b->MouseInControl());
}

TEST(ExGridButton, AcceleratorClicksAnEnabledButton)
{
    TTestForm t;
    TExGridButton* b = t.Button(10, 10, 80, 22, QStringLiteral("Find &next"));
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(t.form.Perform(CM_DIALOGCHAR, 'N'), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(t.form.Perform(CM_DIALOGCHAR, 'f'), 0);
    b->SetEnabled(false);
    t.form.Perform(CM_DIALOGCHAR, 'n');
    EXPECT_EQ(clicks, 1);
}

TEST(ExGridButton, FacesOfTheLooks)
{
    TTestForm t;
    TExGridButton* b = t.Button(10, 10, 60, 32);
    // Look 2: a 16-step gradient from Color to ColorTo over the whole client
    // area (its down border is set, so the face keeps its outer pixel row).
    b->SetLook(2);
    QImage img = GrabControl(b);
    EXPECT_EQ(img.pixelColor(30, 1), QColor(218, 234, 253));
    // The last band: Color + (ColorTo - Color) * 15 / 16.
    EXPECT_EQ(img.pixelColor(30, 30), QColor(218 - 77, 234 - 56, 253 - 23));

    // Look 0 is rounded: the face one pixel in, the hot border rounded
    // around it, the corner left to the form.
    b->SetLook(0);
    img = GrabControl(b);
    EXPECT_EQ(img.pixelColor(0, 16), QColor(200, 220, 240));
    EXPECT_EQ(img.pixelColor(30, 1), QColor(241, 241, 237));
    TestInput::MouseEnter(b);
    img = GrabControl(b);
    EXPECT_EQ(img.pixelColor(30, 0), QColor(206, 206, 195));
    EXPECT_EQ(img.pixelColor(0, 16), QColor(206, 206, 195));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(200, 220, 240));
    EXPECT_EQ(img.pixelColor(30, 1), QColor(252, 252, 250));
    TestInput::MouseLeave(b);

    // Check style, down and not hot: the checked colour.
    b->SetLook(5);
    b->SetStyle(tasCheck);
    b->SetDown(true);
    EXPECT_EQ(GrabControl(b).pixelColor(30, 16), QColor(199, 199, 202));
    b->SetDown(false);
    // Down in a group (exclusive): the face is filled again in the checked colour.
    b->SetStyle(tasButton);
    b->SetGroupIndex(3);
    b->SetDown(true);
    EXPECT_EQ(b->State(), bsExclusive);
    EXPECT_EQ(GrabControl(b).pixelColor(30, 16), QColor(199, 199, 202));
    b->SetAllowAllUp(true);
    b->SetDown(false);

    // A frame in BorderColor, on an otherwise plain face.
    b->SetBorderColor(RGB(0, 128, 0));
    img = GrabControl(b);
    EXPECT_EQ(img.pixelColor(1, 16), QColor(0, 128, 0));
    EXPECT_EQ(img.pixelColor(30, 16), Q(clBtnFace));

    // The drop-down part: a triangle in the font colour right of centre.
    b->SetBorderColor(clNone);
    b->SetDropDownButton(true);
    b->Font()->SetColor(RGB(0, 0, 255));
    img = GrabControl(b);
    const auto cols = Extent(img, QColor(0, 0, 255), true);
    EXPECT_GE(cols.first, 60 - 2 - 8);
    EXPECT_LE(cols.second, 60 - 2 - 4);

    // Not flat: a classic push button, sunken while pressed.
    b->SetDropDownButton(false);
    b->SetFlat(false);
    const QImage up = GrabControl(b);
    TestInput::MouseDown(b, mbLeft, TPoint{30, 16});
    const QImage down = GrabControl(b);
    TestInput::MouseUp(b, mbLeft, TPoint{30, 60});
    EXPECT_NE(up.pixelColor(0, 0), down.pixelColor(0, 0));
    EXPECT_NE(up.pixelColor(59, 31), down.pixelColor(59, 31));
    // With AutoXPStyle the theme draws the push button instead.
    b->SetAutoXPStyle(true);
    const QImage themed = GrabControl(b);
    EXPECT_FALSE(SamePixels(themed, up));
    ExXPVS().FreeUxThemeLibrary();
    EXPECT_TRUE(SamePixels(GrabControl(b), up)); // no theme: the classic button again
    ExXPVS().BindUxThemeFunctions();
}

TEST(ExGridButton, DerivedGlyphs)
{
    // One colour on white: the disabled glyph is grey from 96 to 223.
    const auto g = Glyph();
    TExGridButton b(nullptr);
    b.SetGlyph(g.get());
    TBitmap* d = b.GlyphDisabled();
    ASSERT_EQ(d->Width(), 6);
    const QImage di = d->Image();
    EXPECT_EQ(di.pixelColor(0, 0), QColor(223, 223, 223));
    EXPECT_EQ(di.pixelColor(2, 2), QColor(141, 141, 141)); // (200 + 30 + 40) / 3 = 90; 45 + 96
    for (int y = 0; y < di.height(); ++y)
        for (int x = 0; x < di.width(); ++x) {
            const QColor p = di.pixelColor(x, y);
            EXPECT_TRUE(p.red() == p.green() && p.green() == p.blue() && p.red() >= 96 && p.red() <= 223);
        }
    // A disabled glyph set before stays.
    TExGridButton b2(nullptr);
    TBitmap mine(3, 3);
    b2.SetGlyphDisabled(&mine);
    b2.SetGlyph(g.get());
    EXPECT_EQ(b2.GlyphDisabled()->Width(), 3);
    b2.SetGlyph(nullptr);
    EXPECT_TRUE(b2.Glyph()->Empty());

    // The shadow comes with Shaded: grey where the glyph is, white around it.
    EXPECT_TRUE(b.GlyphShade()->Empty());
    b.SetShaded(true);
    const QImage si = b.GlyphShade()->Image();
    EXPECT_EQ(si.pixelColor(0, 5), QColor(255, 255, 255));
    EXPECT_EQ(si.pixelColor(3, 3), QColor(128, 128, 128));
}

TEST(ExGridButton, GlyphShadowWhileHotAndLayouts)
{
    TTestForm t;
    TExGridButton* b = t.Button(10, 10, 23, 22);
    b->SetLook(5);
    const auto g = Glyph();
    b->SetGlyph(g.get());
    b->SetShaded(true);
    const QColor red(200, 30, 40), grey(128, 128, 128);
    // Without a caption the glyph sits at the face's top-left (2, 2).
    QImage img = GrabControl(b);
    EXPECT_EQ(Extent(img, red, true), std::make_pair(3, 6));
    EXPECT_FALSE(HasColor(img, grey));
    // Hot and shaded: the glyph lifts by one and its shadow lies 2 right and down.
    TestInput::MouseEnter(b);
    img = GrabControl(b);
    EXPECT_EQ(Extent(img, red, true), std::make_pair(2, 5));
    EXPECT_EQ(img.pixelColor(7, 7), grey);
    // Not shaded: neither lift nor shadow.
    b->SetShaded(false);
    img = GrabControl(b);
    EXPECT_EQ(Extent(img, red, true), std::make_pair(3, 6));
    EXPECT_FALSE(HasColor(img, grey));
    TestInput::MouseLeave(b);

    // With a caption the glyph stands on the side the layout names.
    b->SetBounds(10, 10, 90, 40);
    b->SetCaption(QStringLiteral("Find"));
    b->Font()->SetColor(clBlack);
    const QColor face = Q(clBtnFace);
    struct Case {
        TButtonLayout layout;
        bool columns;
        bool glyphFirst;
    };
    const Case cases[] = {{TButtonLayout::blGlyphLeft, true, true},
                          {TButtonLayout::blGlyphRight, true, false},
                          {TButtonLayout::blGlyphTop, false, true},
                          {TButtonLayout::blGlyphBottom, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.layout));
        b->SetLayout(c.layout);
        img = GrabControl(b);
        const auto glyph = Extent(img, red, c.columns);
        const auto ink = InkExtent(img, face, c.columns);
        ASSERT_GE(glyph.first, 0);
        ASSERT_GE(ink.first, 0);
        if (c.glyphFirst)
            EXPECT_LT(glyph.second, ink.first);
        else
            EXPECT_GT(glyph.first, ink.second);
    }
    // Disabled: the grey glyph and the caption engraved in shadow and highlight.
    b->SetLayout(TButtonLayout::blGlyphLeft);
    b->SetEnabled(false);
    img = GrabControl(b);
    EXPECT_FALSE(HasColor(img, red));
    EXPECT_TRUE(HasColor(img, QColor(141, 141, 141)));
    EXPECT_TRUE(HasColor(img, Q(clBtnShadow)));
    EXPECT_TRUE(HasColor(img, Q(clBtnHighlight)));
}

TEST(ExGridButton, SheetOfLooksAndStates)
{
    TTestForm t;
    const auto g = Glyph(10, 10);
    // Columns: normal, hot, pressed, checked, down in a group, disabled.
    TSheet sheet(6, 84, 30);
    for (Integer look = 0; look <= 6; ++look) {
        for (int state = 0; state < 6; ++state) {
            TExGridButton* b = t.Button(10, 10, 76, 22, QStringLiteral("Find"));
            b->SetLook(look);
            b->SetGlyph(g.get());
            b->SetShaded(true);
            if (state == 1 || state == 2)
                TestInput::MouseEnter(b);
            if (state == 2)
                TestInput::MouseDown(b, mbLeft, TPoint{20, 11});
            if (state == 3) {
                b->SetStyle(tasCheck);
                b->SetDown(true);
            }
            if (state == 4) {
                b->SetGroupIndex(9);
                b->SetDown(true);
            }
            if (state == 5)
                b->SetEnabled(false);
            const QImage img = GrabControl(b);
            ASSERT_FALSE(img.isNull());
            sheet.Add(img);
            if (state == 2)
                TestInput::MouseUp(b, mbLeft, TPoint{20, 60});
            delete b;
        }
    }
    EXPECT_FALSE(sheet.Save(QStringLiteral("TExGridButton-looks")).isEmpty());

    // Flat and not flat, with the drop-down part.
    TSheet more(4, 84, 30);
    for (int i = 0; i < 4; ++i) {
        TExGridButton* b = t.Button(10, 10, 76, 22, QStringLiteral("Find"));
        b->SetLook(i < 2 ? 2 : 1);
        b->SetDropDownButton(true);
        if (i >= 2)
            b->SetFlat(false);
        if (i % 2 == 1)
            TestInput::MouseEnter(b);
        more.Add(GrabControl(b));
        delete b;
    }
    EXPECT_FALSE(more.Save(QStringLiteral("TExGridButton-dropdown-and-classic")).isEmpty());
}

// ================================================================ TExCheckBox

TEST(ExCheckBox, DefaultsToggleAndReadOnly)
{
    TExCheckBox c(nullptr);
    EXPECT_EQ(c.Caption(), QStringLiteral("TExCheckBox"));
    EXPECT_EQ(c.Width(), 98);
    EXPECT_EQ(c.Height(), 20);
    EXPECT_EQ(c.State(), cbUnchecked);
    EXPECT_EQ(c.Color(), clWindow);
    EXPECT_EQ(c.Alignment(), taLeftJustify);
    EXPECT_EQ(c.ButtonVertAlign(), tlTop);
    c.Toggle();
    EXPECT_TRUE(c.Checked());
    c.Toggle();
    EXPECT_EQ(c.State(), cbUnchecked);
    c.SetState(cbGrayed);
    EXPECT_FALSE(c.Checked());
    c.Toggle();
    EXPECT_EQ(c.State(), cbChecked);
    c.SetReadOnly(true);
    c.Toggle();
    EXPECT_EQ(c.State(), cbChecked);
}

TEST(ExCheckBox, MouseTogglesAndClicks)
{
    TTestForm t;
    TExCheckBox* c = t.CheckBox(10, 10);
    int clicks = 0;
    c->OnClick = [&](TObject*) { ++clicks; };
    TestInput::MouseDown(c, mbLeft, TPoint{5, 10});
    EXPECT_TRUE(c->IsDown());
    EXPECT_EQ(t.form.ActiveControl(), c);
    TestInput::MouseMove(c, TPoint{300, 10});
    EXPECT_FALSE(c->IsDown());
    TestInput::MouseMove(c, TPoint{6, 10});
    EXPECT_TRUE(c->IsDown());
    TestInput::MouseUp(c, mbLeft, TPoint{6, 10});
    EXPECT_FALSE(c->IsDown());
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(clicks, 1);
    // Released outside: nothing.
    TestInput::MouseDown(c, mbLeft, TPoint{5, 10});
    TestInput::MouseUp(c, mbLeft, TPoint{5, 90});
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(clicks, 1);
    // Read-only: clicked, not changed.
    c->SetReadOnly(true);
    TestInput::Click(c, TPoint{5, 10});
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(clicks, 2);
    // Hover.
    TestInput::MouseEnter(c);
    EXPECT_TRUE(c->IsHot());
    TestInput::MouseLeave(c);
    EXPECT_FALSE(c->IsHot());
}

TEST(ExCheckBox, KeysAndAccelerator)
{
    TTestForm t;
    TExCheckBox* a = t.CheckBox(10, 10, QStringLiteral("&Match case"));
    TExCheckBox* b = t.CheckBox(10, 40, QStringLiteral("&Highlight"));
    int clicks = 0;
    a->OnClick = [&](TObject*) { ++clicks; };
    a->SetFocus();
    ASSERT_EQ(t.form.ActiveControl(), a);
    TestInput::KeyDown(a, VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_TRUE(a->IsDown());
    EXPECT_FALSE(a->Checked());
    TestInput::KeyUp(a, VK_SPACE);
    EXPECT_FALSE(a->IsDown());
    EXPECT_TRUE(a->Checked());
    EXPECT_EQ(clicks, 1);

    // Enter moves on like Tab when asked to, and not otherwise.
    TestInput::PressKey(a, VK_RETURN);
    Application->ProcessMessages();
    EXPECT_EQ(t.form.ActiveControl(), a);
    a->SetReturnIsTab(true);
    TestInput::PressKey(a, VK_RETURN);
    Application->ProcessMessages();
    EXPECT_EQ(t.form.ActiveControl(), b);
    EXPECT_TRUE(a->Checked());

    // The accelerator toggles and focuses, without OnClick.
    EXPECT_EQ(t.form.Perform(CM_DIALOGCHAR, 'm'), 1);
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(t.form.ActiveControl(), a);
    EXPECT_EQ(clicks, 1);
    b->SetEnabled(false);
    t.form.Perform(CM_DIALOGCHAR, 'h');
    EXPECT_FALSE(b->Checked());
}

TEST(ExCheckBox, BoxAndCaptionPlaces)
{
    TTestForm t;
    TExCheckBox* c = t.CheckBox(10, 10);
    c->SetBounds(10, 10, 120, 40);
    const QColor back = Q(clWindow);
    // Themed: 14 x 14 at the left or right edge, at the top, centre or bottom.
    struct Case {
        TLeftRight align;
        TTextLayout vert;
        TRect box;
    };
    const Case cases[] = {{taLeftJustify, tlTop, Bounds(0, 4, 14, 14)},
                          {taLeftJustify, tlCenter, Bounds(0, 14, 14, 14)},
                          {taLeftJustify, tlBottom, Bounds(0, 26, 14, 14)},
                          {taRightJustify, tlTop, Bounds(105, 4, 14, 14)}};
    for (const Case& k : cases) {
        c->SetAlignment(k.align);
        c->SetButtonVertAlign(k.vert);
        EXPECT_EQ(c->BoxRect(), k.box);
        // Something is drawn inside the box and nothing just outside it.
        const QImage img = GrabControl(c);
        bool inside = false;
        for (int y = k.box.Top; y < k.box.Bottom; ++y)
            for (int x = k.box.Left; x < k.box.Right; ++x)
                inside = inside || img.pixelColor(x, y) != back;
        EXPECT_TRUE(inside);
        const int outsideX = k.align == taLeftJustify ? 0 : 119;
        EXPECT_EQ(img.pixelColor(outsideX, k.box.Top - 1), back);
    }
    // The caption: from 15 for a box on the left; right-aligned from 6 to 9
    // pixels before the right edge.
    c->SetAlignment(taLeftJustify);
    EXPECT_EQ(c->CaptionRect(), TRect(15, 4, 120, 40));
    c->SetAlignment(taRightJustify);
    EXPECT_EQ(c->CaptionRect(), TRect(6, 4, 111, 40));
    c->SetCaption(QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWW"));
    c->SetEllipsis(true);
    c->Font()->SetColor(clBlack);
    const QImage img = GrabControl(c);
    const auto ink = Extent(img, QColor(0, 0, 0), true);
    EXPECT_GE(ink.first, 6);
    EXPECT_LT(ink.second, 111);

    // Checked and unchecked boxes differ; a disabled caption is engraved.
    c->SetCaption(QStringLiteral("Match case"));
    c->SetAlignment(taLeftJustify);
    c->SetButtonVertAlign(tlTop);
    const QImage off = GrabControl(c).copy(0, 4, 14, 14);
    c->SetChecked(true);
    const QImage on = GrabControl(c).copy(0, 4, 14, 14);
    EXPECT_FALSE(SamePixels(off, on));
    c->SetEnabled(false);
    const QImage dis = GrabControl(c);
    EXPECT_TRUE(HasColor(dis, QColor(128, 128, 128)));
    EXPECT_TRUE(HasColor(dis, QColor(255, 255, 255)));
    EXPECT_FALSE(HasColor(dis, QColor(0, 0, 0)));
    // Transparent: the form's colour around box and caption.
    c->SetEnabled(true);
    c->SetTransparent(true);
    EXPECT_EQ(GrabControl(c).pixelColor(119, 1), QColor(200, 220, 240));
}

TEST(ExCheckBox, ClassicBoxWithoutThemes)
{
    TTestForm t;
    TExCheckBox* c = t.CheckBox(10, 10);
    c->SetBounds(10, 10, 120, 40);
    ExXPVS().FreeUxThemeLibrary();
    EXPECT_FALSE(IsThemedComCtl6());
    EXPECT_EQ(c->BoxRect(), Bounds(0, 4, 13, 13));
    c->SetButtonVertAlign(tlBottom);
    EXPECT_EQ(c->BoxRect(), Bounds(0, 23, 13, 13));
    c->SetAlignment(taRightJustify);
    EXPECT_EQ(c->BoxRect(), Bounds(107, 23, 13, 13));
    c->SetAlignment(taLeftJustify);
    c->SetButtonVertAlign(tlTop);
    const QImage off = GrabControl(c);
    c->SetChecked(true);
    const QImage on = GrabControl(c);
    EXPECT_FALSE(SamePixels(off.copy(0, 4, 13, 13), on.copy(0, 4, 13, 13)));
    EXPECT_TRUE(SamePixels(off.copy(20, 0, 100, 40), on.copy(20, 0, 100, 40))); // only the box changes

    TSheet sheet(3, 130, 30);
    for (TCheckBoxState s : {cbUnchecked, cbChecked, cbGrayed}) {
        c->SetState(s);
        sheet.Add(GrabControl(c));
    }
    ExXPVS().BindUxThemeFunctions();
    EXPECT_FALSE(sheet.Save(QStringLiteral("TExCheckBox-classic")).isEmpty());
}

TEST(ExCheckBox, SheetOfStates)
{
    TTestForm t;
    TExCheckBox* other = t.CheckBox(10, 160, QStringLiteral("Other"));
    // Rows: unchecked, checked, grayed; columns: normal, hot, pressed,
    // focused, disabled, right-aligned.
    TSheet sheet(6, 124, 30);
    for (TCheckBoxState s : {cbUnchecked, cbChecked, cbGrayed}) {
        for (int look = 0; look < 6; ++look) {
            TExCheckBox* c = t.CheckBox(10, 10, QStringLiteral("&Match case"));
            c->SetState(s);
            if (look == 1)
                TestInput::MouseEnter(c);
            if (look == 2)
                TestInput::MouseDown(c, mbLeft, TPoint{5, 10});
            if (look == 3)
                c->SetFocus();
            if (look == 4)
                c->SetEnabled(false);
            if (look == 5)
                c->SetAlignment(taRightJustify);
            const QImage img = GrabControl(c);
            if (look == 3) {
                // The focus frame: dotted pixels left of the caption.
                bool dotted = false;
                for (int y = 4; y < 20; ++y)
                    dotted = dotted || img.pixelColor(13, y) != Q(clWindow);
                EXPECT_TRUE(dotted);
            }
            sheet.Add(img);
            if (look == 2)
                TestInput::MouseUp(c, mbLeft, TPoint{5, 90});
            other->SetFocus();
            delete c;
        }
    }
    EXPECT_FALSE(sheet.Save(QStringLiteral("TExCheckBox-states")).isEmpty());
}
