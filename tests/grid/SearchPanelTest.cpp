// The grid's search bar: laid out from the SearchFooter settings, its
// buttons enabled by the text, painted flat or as a gradient, and wired to
// the grid's search (find next, previous, highlight, close).
#include "grid/ExGrid.h"
#include "grid/ExObj.h"
#include "grid/editors/CellControls.h"
#include "grid/features/ExGridPanels.h"

#include "platform/Bitmap.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>

#include "Screenshot.h"

namespace {

QColor Q(TColor c)
{
    c = ColorToRGB(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

struct SearchGrid : ::testing::Test {
    std::unique_ptr<TForm> form;
    TExStringGrid* grid = nullptr;
    TSearchPanel* panel = nullptr;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientSize(560, 240);
        grid = new TExStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 560, 240);
        grid->SetColCount(3);
        grid->SetRowCount(15);
        grid->SetDefaultColWidth(120);
        const char* names[] = {"Meter eth0", "Pump", "Valve", "meter eth1", "Fan", "Meter eth2"};
        for (Integer r = 1; r < 15; ++r) {
            grid->SetCells(1, r, QString::fromLatin1(names[(r - 1) % 6]));
            grid->SetCells(2, r, QString::number(r * 10));
        }
        TSearchFooter* sf = grid->SearchFooter();
        sf->SetFindNextCaption(QStringLiteral("Find &next"));
        sf->SetFindPrevCaption(QStringLiteral("Find &previous"));
        sf->SetHighLightCaption(QStringLiteral("Highlight"));
        sf->SetMatchCaseCaption(QStringLiteral("Match case"));
        sf->SetHintFindNext(QStringLiteral("Find next occurrence"));
        form->Show();
        panel = grid->SearchPanel();
    }
    void Type(const QString& Text)
    {
        panel->Edit()->SetFocus();
        TestInput::TypeText(panel->Edit(), Text);
    }
};

} // namespace

TEST_F(SearchGrid, ShownThirtyTwoPixelsHighAtTheBottomAndHiddenAgain)
{
    EXPECT_EQ(panel->Height(), 0);
    const Integer cellsBefore = grid->ClientHeight();
    grid->SearchFooter()->SetVisible(true);
    EXPECT_TRUE(panel->Visible());
    EXPECT_EQ(panel->Height(), 32);
    // Along the bottom edge, the cells ending above it.
    EXPECT_EQ(grid->ClientHeight(), cellsBefore - 32);
    EXPECT_EQ(panel->Top(), grid->ClientHeight());
    EXPECT_EQ(panel->Width(), grid->ClientWidth());
    // The captions and hints of the settings are the bar's.
    EXPECT_EQ(panel->ForwardButton()->Caption(), QStringLiteral("Find &next"));
    EXPECT_EQ(panel->ForwardButton()->Hint(), QStringLiteral("Find next occurrence"));
    EXPECT_TRUE(panel->ForwardButton()->ShowHint());
    EXPECT_FALSE(panel->BackwardButton()->ShowHint());  // no hint text
    EXPECT_EQ(panel->MatchCase()->Caption(), QStringLiteral("Match case"));
    // The close button and the arrows carry their pictures.
    EXPECT_FALSE(panel->ExitButton()->Glyph()->Empty());
    EXPECT_FALSE(panel->ExitButton()->GlyphHot()->Empty());
    EXPECT_FALSE(panel->ForwardButton()->GlyphDisabled()->Empty());

    // Scrolled to the end, the last row stays above the bar.
    grid->SetRow(14);
    const TRect last = grid->CellRect(1, 14);
    ASSERT_FALSE(last.IsEmpty());
    EXPECT_LE(last.Bottom, panel->Top());

    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-search-footer"));
    // The line along the top edge in the grid-line colour.
    const Integer top = panel->Top() + 2;  // the window's border
    EXPECT_EQ(img.pixelColor(200, top), Q(grid->GridLineColor()));

    grid->SearchFooter()->SetVisible(false);
    EXPECT_EQ(panel->Height(), 0);
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(grid->ClientHeight(), cellsBefore);
}

// A grid makes its bar only when the footer is first shown; the settings
// made before then are the bar's.
TEST(SearchBar, MadeWhenFirstShownWithTheSettingsMadeBefore)
{
    TForm form(nullptr);
    form.SetClientSize(560, 240);
    auto* grid = new TExStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 560, 240);
    form.Show();
    auto bars = [grid] {
        int n = 0;
        for (Integer i = 0; i < grid->ComponentCount(); ++i)
            n += dynamic_cast<TSearchPanel*>(grid->Components(i)) != nullptr;
        return n;
    };
    TSearchFooter* sf = grid->SearchFooter();
    sf->SetFindNextCaption(QStringLiteral("Next one"));
    sf->SetShowClose(false);
    sf->SetColor(RGB(200, 220, 240));
    EXPECT_EQ(bars(), 0);
    const Integer cellsBefore = grid->ClientHeight();

    sf->SetVisible(true);
    ASSERT_EQ(bars(), 1);
    TSearchPanel* panel = grid->SearchPanel();
    EXPECT_TRUE(panel->Visible());
    EXPECT_EQ(panel->Height(), 32);
    EXPECT_EQ(grid->ClientHeight(), cellsBefore - 32);
    EXPECT_EQ(panel->ForwardButton()->Caption(), QStringLiteral("Next one"));
    EXPECT_FALSE(panel->ExitButton()->Visible());
    EXPECT_EQ(panel->Color(), RGB(200, 220, 240));
    sf->SetVisible(false);
    EXPECT_EQ(grid->ClientHeight(), cellsBefore);
    EXPECT_EQ(bars(), 1);
}

TEST_F(SearchGrid, ButtonsFollowTheTextAndTheSettings)
{
    grid->SearchFooter()->SetVisible(true);
    EXPECT_FALSE(panel->ForwardButton()->Enabled());
    EXPECT_FALSE(panel->BackwardButton()->Enabled());
    EXPECT_FALSE(panel->HiliteButton()->Enabled());
    Type(QStringLiteral("m"));
    EXPECT_TRUE(panel->ForwardButton()->Enabled());
    EXPECT_TRUE(panel->BackwardButton()->Enabled());
    EXPECT_TRUE(panel->HiliteButton()->Enabled());
    TestInput::PressKey(panel->Edit(), VK_BACK);
    EXPECT_EQ(panel->EditText(), QString());
    EXPECT_FALSE(panel->ForwardButton()->Enabled());
    EXPECT_FALSE(panel->HiliteButton()->Enabled());

    EXPECT_EQ(panel->MatchCase()->Left(), 425);
    grid->SearchFooter()->SetShowHighLight(false);
    EXPECT_FALSE(panel->HiliteButton()->Visible());
    EXPECT_EQ(panel->HiliteButton()->Height(), 0);
    EXPECT_EQ(panel->MatchCase()->Left(), 330);
    grid->SearchFooter()->SetShowFindPrev(false);
    EXPECT_FALSE(panel->BackwardButton()->Visible());
    grid->SearchFooter()->SetShowClose(false);
    EXPECT_FALSE(panel->ExitButton()->Visible());

    // The button look by the control style.
    grid->ControlLook()->SetControlStyle(csFlat);
    grid->UpdateSearchPanel();
    EXPECT_TRUE(panel->ForwardButton()->Flat());
    grid->ControlLook()->SetControlStyle(csClassic);
    grid->UpdateSearchPanel();
    EXPECT_FALSE(panel->ForwardButton()->Flat());
    EXPECT_FALSE(panel->ForwardButton()->AutoXPStyle());
}

TEST_F(SearchGrid, FlatOrGradientBackground)
{
    TSearchFooter* sf = grid->SearchFooter();
    sf->SetColor(RGB(250, 250, 250));
    sf->SetColorTo(clNone);
    sf->SetVisible(true);
    const Integer b = 2;  // the window's border
    const Integer y0 = panel->Top() + b + 2, y1 = panel->Top() + b + 31;
    QImage img = grid->GrabWindow();
    EXPECT_EQ(img.pixelColor(137, y0), img.pixelColor(137, y1));
    sf->SetColorTo(RGB(40, 80, 200));
    EXPECT_EQ(panel->ColorTo(), RGB(40, 80, 200));
    img = grid->GrabWindow();
    // Top to bottom from the colour to ColorTo.
    EXPECT_GT(img.pixelColor(137, y0).red(), 200);
    EXPECT_LT(img.pixelColor(137, y1).red(), 80);
    EXPECT_GT(img.pixelColor(137, y1).blue(), 180);
}

TEST_F(SearchGrid, FindsNextPreviousAndHighlights)
{
    grid->SearchFooter()->SetVisible(true);
    Type(QStringLiteral("eth"));
    // Typing finds the first match.
    EXPECT_EQ(grid->LastSearchCell(), (TPoint{1, 1}));
    EXPECT_EQ(panel->Edit()->Color(), clWindow);
    TestInput::Click(panel->ForwardButton());
    EXPECT_EQ(grid->LastSearchCell(), (TPoint{1, 4}));
    // Enter in the box finds the next one too, Ctrl+Enter the previous.
    TestInput::PressKey(panel->Edit(), VK_RETURN);
    EXPECT_EQ(grid->LastSearchCell(), (TPoint{1, 6}));
    TestInput::PressKey(panel->Edit(), VK_RETURN, TShiftState(ssCtrl));
    EXPECT_EQ(grid->LastSearchCell(), (TPoint{1, 4}));
    TestInput::Click(panel->BackwardButton());
    EXPECT_EQ(grid->LastSearchCell(), (TPoint{1, 1}));

    // Match case: "Meter" but not "meter".
    panel->Edit()->SetText(QString());
    TestInput::Click(panel->MatchCase(), {5, 10});
    EXPECT_TRUE(panel->MatchCaseChecked());
    Type(QStringLiteral("meter"));
    EXPECT_EQ(grid->LastSearchCell(), (TPoint{1, 4}));

    // Nothing found: the box turns red.
    Type(QStringLiteral("zzz"));
    EXPECT_EQ(panel->Edit()->Color(), clRed);

    // The highlight button marks every match in the cells.
    panel->Edit()->SetText(QString());
    TestInput::Click(panel->MatchCase(), {5, 10});
    Type(QStringLiteral("eth"));
    TestInput::Click(panel->HiliteButton());
    EXPECT_TRUE(panel->HighlightDown());
    EXPECT_NE(grid->Cells(1, 1), QStringLiteral("Meter eth0"));
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("Pump"));
    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-search-footer-highlight"));
    // The highlighted word shows in the highlight colour.
    const TRect cell = grid->CellRect(1, 1);
    Integer marked = 0;
    const QColor hi = Q(grid->HighlightColor());
    for (Integer y = cell.Top + 2; y < cell.Bottom; ++y)
        for (Integer x = cell.Left + 2; x < cell.Right; ++x)
            marked += img.pixelColor(x, y) == hi ? 1 : 0;
    EXPECT_GT(marked, 30);

    // Closing the bar hides it and ends the highlighting.
    bool closed = false;
    grid->OnSearchFooterClose = [&](TObject*) { closed = true; };
    TestInput::Click(panel->ExitButton());
    EXPECT_TRUE(closed);
    EXPECT_FALSE(grid->SearchFooter()->Visible());
    EXPECT_EQ(panel->Height(), 0);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Meter eth0"));
}

TEST(SearchGlyphs, EachNamedPictureHasInkOnATransparentCorner)
{
    const char* names[] = {"ESGARDOWN", "ESGARDOWND", "ESGARUP", "ESGARUPD", "ESGCLOSE",
                           "ESGCLOSEH", "ESGCLOSED", "ESGHI",   "ESGHID"};
    QImage previous;
    for (const char* n : names) {
        SCOPED_TRACE(n);
        TBitmap b;
        LoadSearchGlyph(&b, QLatin1String(n));
        ASSERT_FALSE(b.Empty());
        const QImage img = b.Image();
        const QRgb key = img.pixel(0, img.height() - 1);
        EXPECT_EQ(b.TransparentColor() & 0xFFFFFF, RGB(qRed(key), qGreen(key), qBlue(key)));
        Integer ink = 0;
        for (Integer y = 0; y < img.height(); ++y)
            for (Integer x = 0; x < img.width(); ++x)
                ink += img.pixel(x, y) != key ? 1 : 0;
        EXPECT_GT(ink, 12);
        // Every state looks different from the one before it.
        EXPECT_NE(img, previous);
        previous = img;
    }
    TBitmap none;
    LoadSearchGlyph(&none, QStringLiteral("NOPE"));
    EXPECT_TRUE(none.Empty());
}

TEST_F(SearchGrid, RightToLeftReadingMirrorsTheControls)
{
    grid->SearchFooter()->SetVisible(true);
    const Integer w = panel->Width();
    ASSERT_GT(w, 500);
    EXPECT_EQ(panel->ExitButton()->Left(), 5);
    grid->SetBiDiMode(bdRightToLeft);
    // Each left edge x becomes width - control width - x.
    EXPECT_EQ(panel->ExitButton()->Left(), w - 14 - 5);
    EXPECT_EQ(panel->Edit()->Left(), w - 110 - 25);
    EXPECT_EQ(panel->ForwardButton()->Left(), w - 90 - 140);
    EXPECT_EQ(panel->BackwardButton()->Left(), w - 90 - 235);
    EXPECT_EQ(panel->HiliteButton()->Left(), w - 90 - 330);
    EXPECT_EQ(panel->MatchCase()->Left(), w - panel->MatchCase()->Width() - 425);
    // Without the highlight button the check box takes its place, mirrored.
    grid->SearchFooter()->SetShowHighLight(false);
    EXPECT_EQ(panel->MatchCase()->Left(), w - panel->MatchCase()->Width() - 330);
    // A wider grid keeps the controls at the right edge.
    form->SetClientSize(640, 240);
    grid->SetBounds(0, 0, 640, 240);
    EXPECT_EQ(panel->ExitButton()->Left(), panel->Width() - 19);
    testsupport::SaveScreenshot(grid->GrabWindow(), QStringLiteral("TExStringGrid-search-footer-right-to-left"));
    grid->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(panel->ExitButton()->Left(), 5);
}
