// Styles, colour tones and themes of the string grid: what each component
// style sets and leaves, the colour tones with their editors, the older
// colour schemes, following the office theme, and the selection setters.
#include "grid/ExGrid.h"

#include "grid/ExUtil.h"
#include "grid/dropdown/ExMemoDropDown.h"
#include "platform/Bitmap.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>

#include "Screenshot.h"

namespace {

QColor Rgb(TColor C)
{
    const TColor v = ColorToRGB(C);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

struct TStyleCase {
    TKavroStyle Style;
    TGridLook Look;
    TColor From, To, Active, Selection, SelectionText, GridLine, FixedLine, Footer, FooterTo;
    TGridSelectionStyle SelStyle;
    // The control look keeps the header gradient.
    bool KeepsGradient;
};

} // namespace

TEST(ExGridStyles, EachStyleSetsItsRowOfColours)
{
    const TStyleCase cases[] = {
        {tsOffice2003Blue, glXP, TColor(0xFCE1CB), TColor(0xE0A57D), TColor(0x94E6FB), TColor(0x94E6FB), clBlack,
         clSilver, clGray, TColor(0xFCE1CB), clNone, ssDefault, true},
        {tsOffice2003Classic, glXP, clWhite, TColor(0xCCD4D8), TColor(0xD8D5D4), clHighlight, clHighlightText, clSilver,
         clGray, clWhite, clNone, ssDefault, false},
        {tsOffice2007Luna, glOffice2007, TColor(0xFBF9F6), TColor(0xE8DBD2), TColor(0x9DD8F9), TColor(0x5EC1F1),
         clBlack, TColor(0xF1EDEB), TColor(0xD1BBA4), TColor(0xFBF9F6), clNone, ssOffice2007, true},
        {tsWindowsVista, glVista, clWhite, clWhite, TColor(0xFDF8F1), TColor(0xEACAB6), clBlack, TColor(0xECECF0),
         TColor(0xD4D2D1), clWhite, TColor(0xF4F2F1), ssVista, false},
        {tsWindows7, glWin7, TColor(0xFDFCFA), TColor(0xFAF0E6), TColor(0xFCEBDC), TColor(0xEACAB6), clBlack,
         TColor(0xECECF0), TColor(0xD4D2D1), TColor(0xFDFCFA), TColor(0xF7E9DD), ssWin7, false},
        {tsOffice2010Black, glOffice2007, TColor(0x6A6A6A), TColor(0x6A6A6A), TColor(0x5BD5FF), TColor(0xFFDBB7),
         clBlack, clSilver, TColor(0x444444), TColor(0x6A6A6A), TColor(0x6A6A6A), ssDefault, false},
    };
    for (const TStyleCase& c : cases) {
        SCOPED_TRACE(int(c.Style));
        TExStringGrid g(nullptr);
        g.SetComponentStyle(c.Style);
        EXPECT_EQ(g.Look(), c.Look);
        EXPECT_EQ(g.Style(), c.Style);
        EXPECT_EQ(g.KavroGradientFrom(), c.From);
        EXPECT_EQ(g.KavroGradientTo(), c.To);
        EXPECT_EQ(g.ActiveCellColor(), c.Active);
        EXPECT_EQ(g.SelectionColor(), c.Selection);
        EXPECT_EQ(g.SelectionTextColor(), c.SelectionText);
        EXPECT_EQ(g.GridLineColor(), c.GridLine);
        EXPECT_EQ(g.GridFixedLineColor(), c.FixedLine);
        EXPECT_EQ(g.SearchFooter()->Color(), c.Footer);
        EXPECT_EQ(g.SearchFooter()->ColorTo(), c.FooterTo);
        EXPECT_EQ(g.SelectionStyle(), c.SelStyle);
        EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), c.KeepsGradient ? c.From : clNone);
        EXPECT_EQ(g.ControlLook()->FixedGradientTo(), c.KeepsGradient ? c.To : clNone);
    }
}

TEST(ExGridStyles, StyleDetailsBeyondTheTable)
{
    TExStringGrid g(nullptr);
    // The three office 2003 colour styles end the selection in orange.
    g.SetComponentStyle(tsOffice2003Olive);
    EXPECT_EQ(g.SelectionColorTo(), TColor(0x1595EE));
    // Vista: hover gradient of the grid, pressed header of the control look, sort header colours.
    g.SetComponentStyle(tsWindowsVista);
    EXPECT_EQ(g.SelectionColorTo(), clNone);
    EXPECT_EQ(g.KavroGradientHoverBorder(), TColor(0xE3C993));
    EXPECT_EQ(g.ControlLook()->FixedGradientHoverMirrorTo(), TColor(0xFBE7B7));
    EXPECT_EQ(g.ControlLook()->FixedGradientDownBorder(), TColor(0xAE904F));
    EXPECT_EQ(g.SortSettings()->HeaderMirrorColorTo, TColor(0xF6ECD8));
    // Office 2010: no hover gradient on the grid, one colour for the whole sort header.
    g.SetComponentStyle(tsOffice2010Silver);
    EXPECT_EQ(g.ControlLook()->FixedGradientDownFrom(), TColor(0x5BD5FF));
    EXPECT_EQ(g.SortSettings()->HeaderColor, TColor(0xAAAAAA));
    EXPECT_EQ(g.SortSettings()->HeaderColorTo, TColor(0xAAAAAA));
    // Dropdown editors the grid made take the style.
    auto* memo = new TExMemoDropDown(&g);
    g.SetComponentStyle(tsOffice2010Blue);
    EXPECT_EQ(memo->GetComponentStyle(), tsOffice2010Blue);
    // Office 2007 silver: the footer ends in the grid's mirror colour as it was.
    g.SetKavroGradientMirrorTo(TColor(0x123456));
    g.SetComponentStyle(tsOffice2007Silver);
    EXPECT_EQ(g.SearchFooter()->ColorTo(), TColor(0x123456));
}

TEST(ExGridStyles, CustomAndTerminalResetOnlyTheSelectionAndMetroEndsOutsideCustom)
{
    TExStringGrid g(nullptr);
    g.SetComponentStyle(tsWindows7);
    g.SortSettings()->HeaderColor = clRed;
    g.SetScrollType(ssMetro);
    g.SetComponentStyle(tsCustom);
    EXPECT_EQ(g.Look(), glWin7);  // unchanged
    EXPECT_EQ(g.KavroGradientFrom(), TColor(0xFDFCFA));
    EXPECT_EQ(g.GridLineColor(), TColor(0xECECF0));
    EXPECT_EQ(g.SelectionColor(), clHighlight);
    EXPECT_EQ(g.SelectionTextColor(), clHighlightText);
    EXPECT_EQ(g.SelectionStyle(), ssDefault);
    EXPECT_EQ(g.SortSettings()->HeaderColor, clNone);
    EXPECT_EQ(g.ScrollType(), ssMetro);
    g.SetComponentStyle(tsTerminal);
    EXPECT_EQ(g.Look(), glStandard);
    EXPECT_EQ(g.KavroGradientFrom(), TColor(0xFDFCFA));
    EXPECT_EQ(g.ScrollType(), ssNormal);
}

TEST(ExGridStyles, ColorTonesMakeAFlatMetroGridAndRecolourItsEditors)
{
    TExStringGrid g(nullptr);
    // Editors made before the tones come take them too.
    auto* memo = new TExMemoDropDown(&g);
    TColorTones t{};
    t.Background = {TColor(0xFFFFFF), TColor(0xC0C0C0), TColor(0x202020)};
    t.Foreground = {TColor(0xD0A060), TColor(0x806040), TColor(0xFFFFFF)};
    t.Selected = {TColor(0x40A0F0), TColor(0x2080D0), TColor(0x000000)};
    t.Hover = {TColor(0x80C0F0), TColor(0x60A0D0), TColor(0x000000)};
    t.Disabled = {TColor(0xE0E0E0), TColor(0xC0C0C0), TColor(0x808080)};
    g.SetColorTones(t);
    EXPECT_EQ(g.Look(), glClassic);
    EXPECT_TRUE(g.Flat());
    EXPECT_EQ(g.ScrollType(), ssMetro);
    EXPECT_EQ(g.BorderStyle(), bsNone);
    EXPECT_EQ(g.FixedColor(), TColor(0xD0A060));
    EXPECT_EQ(g.FixedFont()->Color(), TColor(0xFFFFFF));
    EXPECT_EQ(g.Color(), TColor(0xFFFFFF));
    EXPECT_EQ(g.Font()->Color(), TColor(0x202020));
    EXPECT_EQ(g.SelectionColor(), TColor(0x40A0F0));
    EXPECT_EQ(g.GridLineColor(), TColor(0xE6E6E6));
    EXPECT_EQ(g.GridFixedLineColor(), ColorBrighten(TColor(0xD0A060), -20));
    EXPECT_NE(g.GridFixedLineColor(), TColor(0xD0A060));
    EXPECT_EQ(g.ControlLook()->ControlStyle(), csGlyph);
    EXPECT_TRUE(g.ControlLook()->FlatButton());
    ASSERT_NE(g.ControlLook()->CheckedGlyph(), nullptr);
    EXPECT_FALSE(g.ControlLook()->CheckedGlyph()->Empty());
    EXPECT_EQ(g.FloatingFooter()->Color(), TColor(0xD0A060));
    EXPECT_EQ(g.SearchFooter()->ColorTo(), TColor(0xD0A060));
    EXPECT_EQ(memo->BorderColor(), TColor(0xC0C0C0));
    // Any component style other than custom ends the metro scrolling again.
    g.SetComponentStyle(tsWindowsXP);
    EXPECT_EQ(g.ScrollType(), ssNormal);
}

TEST(ExGridStyles, OlderColourSchemes)
{
    TExStringGrid g(nullptr);
    g.SetTheme(xpGreen);
    EXPECT_EQ(g.KavroGradientFrom(), TColor(0xCFF0EA));
    EXPECT_EQ(g.KavroGradientTo(), TColor(0x8CC0B1));
    EXPECT_EQ(g.SearchFooter()->ColorTo(), TColor(0x8CC0B1));
    EXPECT_EQ(g.ActiveCellColorTo(), TColor(0x1595EE));
    EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), TColor(0xCFF0EA));
    g.SetTheme(vistaAero);
    EXPECT_EQ(g.KavroGradientMirrorTo(), TColor(0xF4F2F1));
    EXPECT_EQ(g.SearchFooter()->Color(), TColor(0xECE2E1));
    g.SetTheme(xpNone);
    EXPECT_EQ(g.ActiveCellColor(), clWhite);
    EXPECT_EQ(g.ActiveCellColorTo(), TColor(0xFFD9B3));
    EXPECT_EQ(g.KavroGradientTo(), clBtnFace);
    EXPECT_EQ(g.KavroGradientMirrorFrom(), clNone);
    EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), clNone);
}

TEST(ExGridStyles, OfficeThemeIsAppliedOnceUntilItChanges)
{
    TExStringGrid g(nullptr);
    // This platform reports no office suite: the system colours' classic style.
    g.ApplyOfficeTheme();
    EXPECT_EQ(g.Style(), tsOffice2003Classic);
    EXPECT_EQ(g.ActiveCellColor(), TColor(0xD8D5D4));
    g.SetActiveCellColor(clRed);
    g.ApplyOfficeTheme();
    EXPECT_EQ(g.ActiveCellColor(), clRed);
    // Switching theme adaption on applies the theme (unchanged: nothing new).
    TExStringGrid h(nullptr);
    h.SetAutoThemeAdapt(true);
    EXPECT_EQ(h.Style(), tsOffice2003Classic);
    EXPECT_TRUE(h.SearchFooter()->AutoThemeAdapt());
    // No visual style of its own is active: the grid draws with the platform's.
    h.ApplyVCLStyle();
    EXPECT_FALSE(h.UsesVCLStyles());
}

TEST(ExGridStyles, SelectionSettersAndSpreadSheet)
{
    TExStringGrid g(nullptr);
    const struct {
        Integer In, Stored;
    } factors[] = {{150, 100}, {-5, 0}, {30, 30}};
    for (const auto& f : factors) {
        g.SetSelectionColorMixerFactor(f.In);
        EXPECT_EQ(g.SelectionColorMixerFactor(), f.Stored) << f.In;
    }
    g.SetVAlignment(vtaBottom);
    EXPECT_EQ(g.VAlignFlag(), Cardinal(DT_BOTTOM));
    g.SetVAlignment(vtaTop);
    EXPECT_EQ(g.VAlignFlag(), 0u);
    g.SetShowSelection(false);
    EXPECT_FALSE(g.ShowSelection());
    EXPECT_FALSE(g.ShowSel());
    // Whatever its value, SpreadSheet turns the spreadsheet behaviour on.
    g.SetOptions(g.Options() & ~TGridOptions(goEditing | goRangeSelect));
    g.SetSpreadSheet(false);
    EXPECT_FALSE(g.SpreadSheet());
    EXPECT_TRUE(g.SelectionRectangle());
    EXPECT_TRUE(g.SelectionResizer());
    EXPECT_TRUE(g.Navigation()->AllowSmartClipboard());
    EXPECT_TRUE(g.MouseActions()->RangeSelectAndEdit());
    EXPECT_NE(g.Options() & goEditing, 0u);
    EXPECT_NE(g.Options() & goRangeSelect, 0u);
}

// A grid in each look preset: the header takes the preset's gradient start,
// the selected cells its selection colour.
TEST(ExGridStyles, StyledGridScreenshots)
{
    const struct {
        TKavroStyle Style;
        const char* Name;
    } styles[] = {{tsOffice2003Blue, "office2003blue"}, {tsOffice2007Luna, "office2007luna"},
                  {tsWindowsVista, "vista"},           {tsWindows7, "windows7"},
                  {tsOffice2010Black, "office2010black"}};
    for (const auto& s : styles) {
        SCOPED_TRACE(s.Name);
        TForm form(nullptr);
        form.SetClientSize(330, 130);
        auto* g = new TExStringGrid(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 330, 130);
        g->SetColCount(4);
        g->SetRowCount(5);
        g->SetOptions(g->Options() | goRangeSelect);
        for (Integer c = 1; c < 4; ++c)
            g->SetCells(c, 0, QStringLiteral("Column %1").arg(c));
        for (Integer r = 1; r < 5; ++r)
            for (Integer c = 0; c < 4; ++c)
                g->SetCells(c, r, QString::number(r * 10 + c));
        g->SetComponentStyle(s.Style);
        form.Show();
        // The user selects a block: press on one corner, shift-press on the other.
        auto centre = [g](Integer c, Integer r) {
            const TRect rc = g->CellRect(c, r);
            return TPoint{(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
        };
        TestInput::Click(g, centre(2, 3));
        TestInput::Click(g, centre(1, 2), mbLeft, TShiftState{ssShift});
        ASSERT_EQ(g->Selection(), TGridRect(1, 2, 2, 3));
        const QImage img = GrabControl(g);
        testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-style-%1").arg(QLatin1String(s.Name)));
        auto near = [](const QColor& A, const QColor& B) {
            return std::abs(A.red() - B.red()) + std::abs(A.green() - B.green()) + std::abs(A.blue() - B.blue());
        };
        // Near the top of a header cell: the gradient start.
        const TRect head = g->CellRect(2, 0);
        const QColor top = img.pixelColor(head.Left + 5, head.Top + 1);
        EXPECT_LT(near(top, Rgb(g->KavroGradientFrom())), 12) << top.name().toStdString();
        // Near the top of the selected (not current) cell: the selection colour.
        const TRect sel = g->CellRect(2, 3);
        const QColor inSel = img.pixelColor(sel.Left + 3, sel.Top + 3);
        if (g->SelectionStyle() == ssDefault)
            EXPECT_LT(near(inSel, Rgb(g->SelectionColor())), 40) << inSel.name().toStdString();
        // The selection stands out from a plain cell of the same column.
        const TRect plain = g->CellRect(2, 4);
        EXPECT_GT(near(img.pixelColor(sel.Left + 3, sel.Top + 8), img.pixelColor(plain.Left + 3, plain.Top + 8)), 20);
    }
}

namespace {

// A grid on a form of its own colour, shown.
struct BorderedGrid : ::testing::Test {
    std::unique_ptr<TForm> form;
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetColor(clWhite);
        form->SetClientSize(300, 140);
        grid = new TExStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 260, 110);
        form->Show();
    }
    QColor At(Integer X, Integer Y)
    {
        const QImage img = grid->GrabWindow();
        EXPECT_FALSE(img.isNull());
        return img.pixelColor(X, Y);
    }
};

} // namespace

TEST_F(BorderedGrid, GradientLooksDrawTheOnePixelBorderColourFrame)
{
    ASSERT_EQ(grid->Look(), glXP);
    ASSERT_EQ(grid->BorderColor(), TColor(0xB99D7F));
    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-border"));
    const Integer W = grid->Width(), H = grid->Height();
    // The frame one pixel in, on all four sides; the outer pixel in the form's colour.
    for (const TPoint p : {TPoint{1, H / 2}, TPoint{W / 2, 1}, TPoint{W - 2, H / 2}, TPoint{W / 2, H - 2}})
        EXPECT_EQ(img.pixelColor(p.X, p.Y), Rgb(TColor(0xB99D7F))) << p.X << "," << p.Y;
    for (const TPoint p : {TPoint{0, H / 2}, TPoint{W / 2, 0}, TPoint{W - 1, H / 2}, TPoint{W / 2, H - 1}})
        EXPECT_EQ(img.pixelColor(p.X, p.Y), Rgb(clWhite)) << p.X << "," << p.Y;
    // A new colour repaints the frame.
    grid->SetBorderColor(clRed);
    EXPECT_EQ(At(1, H / 2), Rgb(clRed));
    // Without FitCellsInGrid the frame is the window's outer pixel.
    grid->SetFitCellsInGrid(false);
    grid->InvalidateFrame();
    EXPECT_EQ(At(0, H / 2), Rgb(clRed));
}

TEST_F(BorderedGrid, NoFrameInPlainLooksFlatOrWithoutColour)
{
    const Integer H = grid->Height();
    const struct {
        TGridLook Look;
        bool Flat;
        TColor Color;
    } cases[] = {{glStandard, false, clRed}, {glClassic, false, clRed}, {glCustom, false, clRed},
                 {glXP, true, clRed},        {glXP, false, clNone}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Look));
        grid->SetLook(glSoft);
        grid->SetLook(c.Look);
        grid->SetFlat(c.Flat);
        grid->SetBorderColor(c.Color);
        grid->InvalidateFrame();
        EXPECT_NE(At(1, H / 2), Rgb(clRed));
    }
    // Back to a gradient look: drawn again.
    grid->SetLook(glVista);
    grid->SetFlat(false);
    grid->SetBorderColor(clRed);
    EXPECT_EQ(At(1, H / 2), Rgb(clRed));
}
