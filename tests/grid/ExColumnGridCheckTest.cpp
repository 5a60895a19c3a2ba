// The enable column of a rule table: an edDataCheckBox column of the column
// grid paints each cell as a real check box ticked by the column's check
// text, centred, greyed where the column is read-only, and toggled by click
// and Space with OnCheckBoxClick reporting the displayed column.
#include "grid/columns/ExColumnGrid.h"

#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "Screenshot.h"

namespace {

// Green pixels: the tick of the XP-style check box.
Integer TickPixels(const QImage& img, const TRect& r)
{
    Integer n = 0;
    for (Integer y = r.Top; y < r.Bottom; ++y)
        for (Integer x = r.Left; x < r.Right; ++x) {
            const QColor c(img.pixel(x, y));
            if (c.green() > 120 && c.red() < 100 && c.blue() < 100)
                ++n;
        }
    return n;
}

} // namespace

TEST(RuleTableChecks, EnableColumnPaintsAndTogglesRealCheckBoxes)
{
    TForm form(nullptr);
    form.SetClientSize(360, 150);
    auto* grid = new TExColumnGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 360, 150);
    grid->SetColCount(4);
    grid->SetRowCount(5);
    grid->SetOptions(grid->Options() | goEditing);
    grid->ControlLook()->SetControlStyle(csWinXP);
    TGridColumnCollection* cols = grid->Columns();
    const char* const heads[] = {"#", "Hidden", "Enable", "Mnemonic"};
    for (Integer c = 0; c < 4; ++c) {
        cols->Items(c)->SetHeader(QString::fromLatin1(heads[c]));
        cols->Items(c)->SetWidth(c == 3 ? 140 : 60);
    }
    cols->Items(2)->SetEditor(edDataCheckBox);
    cols->Items(2)->SetAlignment(taCenter);
    cols->Items(2)->SetCheckTrue(QStringLiteral("1"));
    cols->Items(2)->SetCheckFalse(QStringLiteral("0"));
    for (Integer r = 1; r < 5; ++r) {
        grid->SetCells(0, r, QString::number(r));
        grid->SetCells(2, r, r % 2 ? QStringLiteral("1") : QStringLiteral("0"));
        grid->SetCells(3, r, QStringLiteral("Rule %1").arg(r));
    }
    grid->HideColumn(1);  // the enable column shows in display column 1
    std::vector<std::tuple<Integer, Integer, bool>> clicks;
    grid->OnCheckBoxClick = [&](TObject*, Integer c, Integer r, bool s) { clicks.emplace_back(c, r, s); };
    form.Show();
    grid->SetFocus();

    QImage img = GrabControl(grid);
    testsupport::SaveScreenshot(img, QStringLiteral("TExColumnGrid-enable-column"));
    EXPECT_GT(TickPixels(img, grid->CellRect(1, 1)), 5);
    EXPECT_EQ(TickPixels(img, grid->CellRect(1, 2)), 0);
    // The box sits in the middle of its cell.
    const TRect c = grid->CellRect(1, 2);
    Integer minX = c.Right, maxX = c.Left;
    for (Integer y = c.Top + 1; y < c.Bottom - 1; ++y)
        for (Integer x = c.Left + 1; x < c.Right - 1; ++x)
            if (QColor(img.pixel(x, y)).lightness() < 160) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    EXPECT_NEAR((minX + maxX) / 2, (c.Left + c.Right) / 2, 3);

    // Click and Space flip the column's own texts; the event gets the displayed column.
    TestInput::Click(grid, {(c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2});
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("1"));
    TestInput::PressKey(grid, VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("0"));
    using E = std::tuple<Integer, Integer, bool>;
    EXPECT_EQ(clicks, (std::vector<E>{{1, 2, true}, {1, 2, false}}));
    bool state = true;
    ASSERT_TRUE(grid->GetCheckBoxState(2, 2, state));
    EXPECT_FALSE(state);

    // A read-only column: boxes drawn disabled and left alone by the user.
    cols->Items(2)->SetReadOnly(true);
    img = GrabControl(grid);
    testsupport::SaveScreenshot(img, QStringLiteral("TExColumnGrid-enable-column-read-only"));
    EXPECT_EQ(TickPixels(img, grid->CellRect(1, 1)), 0);
    TestInput::PressKey(grid, VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("0"));
}
