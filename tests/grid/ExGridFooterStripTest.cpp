// The floating footer's strip below the rows: it shows the totals row (or a
// preview of the current row's cell), and the rows above it stay in view.
#include "grid/ExGrid.h"

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
        grid->GetCellProperties(1, 21)->SetCalcType(acSUM);
        grid->GetCellProperties(2, 21)->SetCalcType(acCOUNT);
        form->Show();
    }
};

} // namespace

TEST_F(FooterGrid, StripShowsTheTotalsRowBelowTheRows)
{
    const Integer clientBefore = grid->ClientRect().Height();
    grid->FloatingFooter()->Color = TColor(0xF0E0D0);
    grid->FloatingFooter()->EnableCalculation = true;
    grid->SetFloatingFooterVisible(true);
    grid->CalcFooter(-1);
    ASSERT_EQ(grid->Cells(1, 21), QStringLiteral("210.00"));
    const TRect strip = grid->BottomReserveRect();
    ASSERT_FALSE(strip.IsEmpty());
    // A footer of no height of its own is one row high.
    EXPECT_EQ(grid->FloatingFooter()->Height, 0);
    EXPECT_EQ(strip.Height(), grid->DefaultRowHeight());
    // The cells end where the strip begins.
    EXPECT_EQ(grid->ClientRect().Height(), clientBefore - strip.Height());

    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-floating-footer"));
    // The strip in its colour, with the sum written under the Port column.
    const TRect port = grid->CellRect(1, grid->TopRow());
    const TRect under{strip.Left + port.Left + 1, strip.Top + 2, strip.Left + port.Right - 1, strip.Bottom - 1};
    EXPECT_GT(Count(img, under, Rgb(TColor(0xF0E0D0))), under.Width() * under.Height() / 2);
    EXPECT_GT(Count(img, under, QColor()), 10);
    // An empty footer cell shows no ink.
    grid->SetCells(1, 21, QString());
    const QImage blank = grid->GrabWindow();
    EXPECT_EQ(Count(blank, under, QColor()), 0);

    // Scrolled to the end, the last data row lies wholly above the strip.
    grid->SetRow(20);
    const TRect last = grid->CellRect(1, 20);
    ASSERT_FALSE(last.IsEmpty());
    EXPECT_LE(last.Bottom, grid->ClientRect().Bottom);

    // Hidden again: the cells take the room back.
    grid->SetFloatingFooterVisible(false);
    EXPECT_EQ(grid->ClientRect().Height(), clientBefore);
    EXPECT_TRUE(grid->BottomReserveRect().IsEmpty());
}

TEST_F(FooterGrid, ColumnPreviewShowsTheCurrentRowsCell)
{
    grid->FloatingFooter()->FooterStyle = fsColumnPreview;
    grid->FloatingFooter()->Column = 2;
    grid->SetCells(2, 3, QStringLiteral("WWWWWWWW"));
    grid->SetFloatingFooterVisible(true);
    EXPECT_FALSE(grid->HideLastRow());
    const TRect strip = grid->BottomReserveRect();
    const QColor ink;  // dark text pixels
    grid->SetRow(1);  // "x"
    const Integer small = Count(grid->GrabWindow(), strip, ink);
    grid->SetRow(3);
    const QImage img = grid->GrabWindow();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-floating-footer-preview"));
    EXPECT_GT(Count(img, strip, ink), small + 20);
}
