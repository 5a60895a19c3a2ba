// The floating footer's strip below the rows: the totals row, a preview of
// the current row's cell, a text made from the current row or the
// application's own painting; its calculations, clicks and hints.
#include "grid/ExGrid.h"
#include "grid/features/ExGridPanels.h"

#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Messages.h"
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

// Pixels inside R of the image: of the colour C, or (C invalid) dark ones, text ink.
Integer Count(const QImage& Img, const TRect& R, const QColor& C)
{
    Integer n = 0;
    for (Integer y = R.Top; y < R.Bottom; ++y)
        for (Integer x = R.Left; x < R.Right; ++x) {
            const QColor p = Img.pixelColor(x, y);
            n += (C.isValid() ? p == C : qGray(p.rgb()) < 110) ? 1 : 0;
        }
    return n;
}

struct FooterGrid : ::testing::Test {
    std::unique_ptr<TForm> form;
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientSize(320, 160);
        grid = new TExStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 320, 160);
        grid->SetColCount(3);
        grid->SetRowCount(22);  // header, 20 data rows, totals
        grid->SetDefaultColWidth(90);
        grid->SetCells(1, 0, QStringLiteral("Port"));
        grid->SetCells(2, 0, QStringLiteral("Bytes"));
        for (Integer r = 1; r <= 20; ++r) {
            grid->SetCells(0, r, QString::number(r));
            grid->SetCells(1, r, QString::number(r));
            grid->SetCells(2, r, QStringLiteral("x"));
        }
        grid->SetCells(0, 21, QStringLiteral("Total"));
        grid->FloatingFooter()->SetColumnCalc(1, acSUM);
        grid->FloatingFooter()->SetColumnCalc(2, acCOUNT);
        form->Show();
    }
    // The strip in the grid's window image.
    TRect StripInWindow() const { return grid->BottomReserveRect(); }
};

} // namespace

TEST_F(FooterGrid, DefaultsAreThePartsAndTheStripIsOneRowHigh)
{
    TFloatingFooter* ff = grid->FloatingFooter();
    EXPECT_FALSE(ff->Visible());
    EXPECT_EQ(ff->Color(), clBtnFace);
    EXPECT_EQ(ff->BorderColor(), clNone);
    EXPECT_EQ(ff->FooterStyle(), fsFixedLastRow);
    EXPECT_TRUE(ff->CalculateHiddenRows);
    EXPECT_TRUE(ff->EnableCalculation);
    EXPECT_FALSE(ff->ShowHint());
    EXPECT_EQ(ff->ColumnCalc(1), acSUM);
    EXPECT_EQ(ff->ColumnCalc(0), acNONE);
    // The height follows the rows: a 22-pixel row gives a 21-pixel strip
    // when Visible is written, a 22-pixel one through the row-height setter.
    EXPECT_EQ(ff->Height(), grid->DefaultRowHeight());
    grid->SetDefaultRowHeightEx(22);
    ff->SetVisible(true);
    EXPECT_EQ(grid->FooterPanel()->Height(), 21);
    grid->SetDefaultRowHeightEx(22);
    EXPECT_EQ(grid->FooterPanel()->Height(), 22);
    ff->SetHeight(0);  // leaves the strip as it is
    EXPECT_EQ(grid->FooterPanel()->Height(), 22);
    ff->SetHeight(30);
    EXPECT_EQ(grid->FooterPanel()->Height(), 29);
    EXPECT_EQ(grid->BottomReserve(), 29);
}

TEST_F(FooterGrid, TotalsRowShowsInTheStripBelowTheRows)
{
    const Integer clientBefore = grid->ClientRect().Height();
    TFloatingFooter* ff = grid->FloatingFooter();
    ff->SetColor(TColor(0xF0E0D0));
    ff->SetBorderColor(clRed);
    ff->SetVisible(true);
    EXPECT_TRUE(grid->HideLastRow());
    EXPECT_EQ(grid->FixedFooters(), 1);
    grid->CalcFooter(-1);
    ASSERT_EQ(grid->Cells(1, 21), QStringLiteral("210.00"));
    const TRect strip = StripInWindow();
    ASSERT_FALSE(strip.IsEmpty());
    EXPECT_TRUE(grid->FooterPanel()->Visible());
    EXPECT_EQ(strip.Height(), grid->FooterPanel()->Height());
    // The cells end where the strip begins.
    EXPECT_EQ(grid->ClientRect().Height(), clientBefore - strip.Height());

    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-floating-footer"));
    // The total written under the Port column, the border line on top.
    const TRect port = grid->CellRect(1, grid->TopRow());
    const TRect under{strip.Left + port.Left + 2, strip.Top + 2, strip.Left + port.Right - 2, strip.Bottom - 1};
    EXPECT_GT(Count(img, under, QColor()), 10);
    EXPECT_GT(Count(img, {strip.Left + 5, strip.Top, strip.Left + 200, strip.Top + 1}, QColor(255, 0, 0)), 150);
    // An empty footer cell shows no ink.
    grid->SetCells(1, 21, QString());
    EXPECT_EQ(Count(grid->GrabWindow(), under, QColor()), 0);

    // Scrolled to the end, the last data row lies wholly above the strip.
    grid->SetRow(20);
    const TRect last = grid->CellRect(1, 20);
    ASSERT_FALSE(last.IsEmpty());
    EXPECT_LE(last.Bottom, grid->ClientRect().Bottom);
    EXPECT_LE(last.Bottom, grid->FooterPanel()->Top());

    // Hidden again: the cells take the room back, the last row is a row again.
    ff->SetVisible(false);
    EXPECT_EQ(grid->ClientRect().Height(), clientBefore);
    EXPECT_TRUE(grid->BottomReserveRect().IsEmpty());
    EXPECT_FALSE(grid->HideLastRow());
    EXPECT_EQ(grid->FixedFooters(), 0);
}

// Totals count the hidden rows as CalculateHiddenRows says and never take
// in the footer cell itself, however often they are calculated.
TEST_F(FooterGrid, TotalsCountHiddenRowsAndNeverTheirOwnCell)
{
    TFloatingFooter* ff = grid->FloatingFooter();
    ff->SetVisible(true);
    ff->SetColumnCalc(2, acNONE);
    struct Case {
        TColumnCalcType Calc;
        const char* All;       // every data row 1 .. 20 counted
        const char* Shown;     // rows 3 and 4 left out
    };
    const Case cases[] = {
        {acSUM, "210.00", "203.00"},   {acAVG, "10.50", "11.28"}, {acMIN, "1.00", "1.00"},
        {acMAX, "20.00", "20.00"},     {acSTDDEV, "5.77", "5.56"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Calc));
        ff->SetColumnCalc(1, c.Calc);
        for (Integer hidden = 0; hidden <= 2; ++hidden) {
            SCOPED_TRACE(hidden);
            grid->UnHideRowsAll();
            if (hidden > 0)
                grid->HideRows(3, 2 + hidden);
            const Integer footer = grid->RowCount() - 1;
            ff->CalculateHiddenRows = true;
            grid->CalcFooter(-1);
            grid->CalcFooter(-1);  // a second run finds the same
            EXPECT_EQ(grid->Cells(1, footer), QLatin1String(c.All));
            if (hidden == 2) {
                ff->CalculateHiddenRows = false;
                grid->CalcFooter(-1);
                EXPECT_EQ(grid->Cells(1, footer), QLatin1String(c.Shown));
            }
        }
    }
    grid->UnHideRowsAll();
    ff->SetColumnCalc(2, acCOUNT);
    EXPECT_EQ(grid->Cells(2, 21), QStringLiteral("20"));
}

// With the footer shown, "all rows" of the statistics are the data rows:
// the footer row with its total is no data.
TEST_F(FooterGrid, StatisticsOverAllRowsLeaveTheFooterRowOut)
{
    grid->FloatingFooter()->SetVisible(true);
    grid->SetCells(1, 21, QStringLiteral("-500"));
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, -1, -1), 210);
    EXPECT_DOUBLE_EQ(grid->ColumnMin(1, -1, -1), 1);
    EXPECT_DOUBLE_EQ(grid->ColumnMax(1, -1, -1), 20);
    EXPECT_NEAR(grid->ColumnStdDev(1, -1, -1), 5.7663, 1e-4);
    EXPECT_DOUBLE_EQ(grid->ColumnDistinct(1, -1, -1), 20);
    // Hidden rows read in real rows: the values are those of the rows.
    grid->HideRows(3, 4);
    grid->SetCells(1, 19, QStringLiteral("-500"));  // the footer row now
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, -1, -1), 203);
    EXPECT_DOUBLE_EQ(grid->ColumnMin(1, -1, -1), 1);
}

TEST_F(FooterGrid, ColumnPreviewShowsTheCurrentRowsCell)
{
    TFloatingFooter* ff = grid->FloatingFooter();
    ff->SetVisible(true);
    EXPECT_TRUE(grid->HideLastRow());
    ff->SetFooterStyle(fsColumnPreview);
    ff->SetColumn(2);
    // Another style shows the last row in the body again.
    EXPECT_FALSE(grid->HideLastRow());
    EXPECT_EQ(grid->FixedFooters(), 0);
    grid->SetCells(2, 3, QStringLiteral("WWWWWWWW"));
    const TRect strip = StripInWindow();
    const QColor ink;
    grid->SetRow(1);  // "x"
    const Integer small = Count(grid->GrabWindow(), strip, ink);
    grid->SetRow(3);
    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-floating-footer-preview"));
    EXPECT_GT(Count(img, strip, ink), small + 20);
    // The frame: white on top, grey below.
    EXPECT_EQ(img.pixelColor(strip.Left + 40, strip.Top), QColor(255, 255, 255));
    EXPECT_EQ(img.pixelColor(strip.Left + 40, strip.Bottom - 1), Rgb(clGray));
}

TEST_F(FooterGrid, CustomPreviewFillsTheTemplateFromTheCurrentRow)
{
    TFloatingFooter* ff = grid->FloatingFooter();
    ff->SetFooterStyle(fsCustomPreview);
    ff->SetVisible(true);
    grid->SetCells(2, 4, QStringLiteral("eth0"));
    grid->SetRow(4);
    TFooterPanel* panel = grid->FooterPanel();
    EXPECT_EQ(panel->ExpandTemplate(QStringLiteral("Port <#2>")), QStringLiteral("Port eth0"));
    EXPECT_EQ(panel->ExpandTemplate(QStringLiteral("<#1>/<#2>: <#x>end")), QStringLiteral("4/eth0: end"));
    EXPECT_EQ(panel->ExpandTemplate(QStringLiteral("<#99> no <#>")), QStringLiteral(" no "));

    const TRect strip = StripInWindow();
    const Integer blank = Count(grid->GrabWindow(), strip, QColor());
    ff->SetCustomTemplate(QStringLiteral("Row <b><#1></b> on <#2>"));
    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-floating-footer-custom-preview"));
    EXPECT_GT(Count(img, strip, QColor()), blank + 40);
}

TEST_F(FooterGrid, CustomPaintLeavesTheStripToTheApplication)
{
    TFloatingFooter* ff = grid->FloatingFooter();
    ff->SetFooterStyle(fsCustomPaint);
    ff->SetColumn(2);
    Integer paintedCol = -1;
    TObject* sender = nullptr;
    grid->OnFooterPaint = [&](TObject* Sender, Integer ACol, TCanvas* Canvas, TRect R) {
        sender = Sender;
        paintedCol = ACol;
        Canvas->Brush()->SetColor(TColor(0x00336699));
        Canvas->FillRect({R.Left, R.Top, R.Left + 100, R.Bottom});
    };
    ff->SetVisible(true);
    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-floating-footer-custom-paint"));
    const TRect strip = StripInWindow();
    EXPECT_EQ(paintedCol, 2);
    EXPECT_EQ(sender, grid->FooterPanel());
    EXPECT_EQ(img.pixelColor(strip.Left + 50, strip.Top + strip.Height() / 2), Rgb(TColor(0x00336699)));
    EXPECT_NE(img.pixelColor(strip.Left + 150, strip.Top + strip.Height() / 2), Rgb(TColor(0x00336699)));
}

TEST_F(FooterGrid, ClicksAndHintsAreTheFooterRowsCells)
{
    TFloatingFooter* ff = grid->FloatingFooter();
    ff->SetVisible(true);
    TFooterPanel* panel = grid->FooterPanel();
    // Column under x: 0 .. 90 is column 0, then 90 pixels each.
    EXPECT_EQ(panel->ColumnAt(45), 0);
    EXPECT_EQ(panel->ColumnAt(135), 1);
    EXPECT_EQ(panel->ColumnAt(200), 2);
    EXPECT_EQ(panel->ColumnAt(300), -1);  // right of the last column

    std::vector<std::pair<Integer, Integer>> clicks;
    Integer plain = 0;
    grid->OnClick = [&](TObject*) { ++plain; };
    grid->OnClickCell = [&](TObject*, Integer ARow, Integer ACol) { clicks.emplace_back(ARow, ACol); };
    TestInput::Click(panel, {200, 5});
    TestInput::Click(panel, {300, 5});
    EXPECT_EQ(plain, 2);
    EXPECT_EQ(clicks, (std::vector<std::pair<Integer, Integer>>{{21, 2}, {21, -1}}));

    grid->OnGridHint = [](TObject*, Integer ARow, Integer ACol, QString& Hint) {
        Hint = QStringLiteral("r%1c%2").arg(ARow).arg(ACol);
    };
    auto ask = [&](Integer X) {
        THintInfo info;
        info.CursorPos = {X, 5};
        const LRESULT refused = panel->Perform(CM_HINTSHOW, 0, LPARAM(&info));
        return refused == 0 ? info.HintStr : QString();
    };
    EXPECT_EQ(ask(135), QString());  // ShowHint off: no hint
    EXPECT_EQ(panel->LastHintX(), -1);
    ff->SetShowHint(true);
    EXPECT_TRUE(panel->ShowHint());
    EXPECT_EQ(ask(135), QStringLiteral("r21c1"));
    EXPECT_EQ(panel->LastHintX(), 1);
    EXPECT_EQ(ask(300), QString());
    EXPECT_EQ(panel->LastHintX(), -1);
}

TEST(FloatingFooter, AssignCopiesThePartsSettings)
{
    TExStringGrid a(nullptr), b(nullptr);
    TFloatingFooter* fa = a.FloatingFooter();
    fa->SetColor(clRed);
    fa->SetColumn(3);
    fa->SetCustomTemplate(QStringLiteral("<#3>"));
    fa->SetFooterStyle(fsFixedLastRow);
    fa->SetShowHint(true);
    fa->CalculateHiddenRows = false;
    fa->SetBorderColor(clBlue);  // not copied
    fa->SetVisibleFlag(true);
    b.FloatingFooter()->Assign(fa);
    TFloatingFooter* fb = b.FloatingFooter();
    EXPECT_EQ(fb->Color(), clRed);
    EXPECT_EQ(fb->Column(), 3);
    EXPECT_EQ(fb->CustomTemplate(), QStringLiteral("<#3>"));
    EXPECT_TRUE(fb->ShowHint());
    EXPECT_FALSE(fb->CalculateHiddenRows);
    EXPECT_EQ(fb->BorderColor(), clNone);
    // Visible through its setter: the last row became the footer row.
    EXPECT_TRUE(fb->Visible());
    EXPECT_TRUE(b.HideLastRow());
    TPersistent other;
    fb->Assign(&other);  // ignored
    EXPECT_EQ(fb->Color(), clRed);
}

TEST_F(FooterGrid, RightToLeftReadingMirrorsTheStrip)
{
    TFloatingFooter* ff = grid->FloatingFooter();
    ff->SetColor(TColor(0xF0E0D0));
    ff->SetBorderColor(clRed);
    ff->SetVisible(true);
    grid->CalcFooter(-1);
    grid->SetBiDiMode(bdRightToLeft);
    TFooterPanel* strip = grid->FooterPanel();
    const Integer w = strip->ClientWidth();
    // Columns 0, 1, 2 of 90 pixels each from the right edge; left of them none.
    EXPECT_EQ(strip->ColumnAt(w - 5), 0);
    EXPECT_EQ(strip->ColumnAt(w - 100), 1);
    EXPECT_EQ(strip->ColumnAt(w - 200), 2);
    EXPECT_EQ(strip->ColumnAt(w - 280), -1);

    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-floating-footer-right-to-left"));
    const TRect r = StripInWindow();
    // The total stands under the Port column, now the second from the right.
    const TRect port{r.Left + w - 178, r.Top + 2, r.Left + w - 92, r.Bottom - 1};
    EXPECT_GT(Count(img, port, QColor()), 10);
    // The strip's colour and its red top line on the right, the grid's colour on the left.
    EXPECT_GT(Count(img, {r.Left + w - 260, r.Top, r.Left + w - 5, r.Top + 1}, QColor(255, 0, 0)), 200);
    EXPECT_EQ(Count(img, {r.Left + 2, r.Top, r.Left + w - 275, r.Top + 1}, QColor(255, 0, 0)), 0);
    EXPECT_EQ(img.pixelColor(r.Left + 5, r.Top + 5), Rgb(grid->Color()));

    grid->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(strip->ColumnAt(5), 0);
}
