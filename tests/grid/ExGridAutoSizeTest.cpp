// Columns and rows sized to their contents, the limits and the grow-only
// mode, columns scaled to the grid's width, running numbers.
#include "grid/ExGrid.h"

#include "platform/Canvas.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TExStringGrid> Grid(Integer cols, Integer rows)
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    return g;
}

Integer TextWidth(TExStringGrid* g, const QString& s)
{
    g->Canvas()->SetFont(g->Font());
    return g->Canvas()->TextWidth(s);
}

} // namespace

TEST(ExGridAutoSize, ColumnFitsItsWidestTextAndTheHookMayChangeIt)
{
    auto g = Grid(3, 4);
    g->SetColWidths(1, 300);
    g->SetCells(1, 1, QStringLiteral("short"));
    g->SetCells(1, 2, QStringLiteral("a little longer"));
    std::vector<Integer> asked;
    g->OnUpdateColumnSize = [&](TObject*, Integer ACol, Integer& W) { asked.push_back(W); };
    g->AutoSizeCol(1, 0);
    const Integer expected = TextWidth(g.get(), QStringLiteral("a little longer")) + g->GetXPadding() + 2 * 1 + 2;
    EXPECT_NEAR(g->ColWidths(1), expected, 2);  // narrower than before
    ASSERT_EQ(asked.size(), 1u);

    // Grow only: a column wide enough stays and nothing is asked.
    g->SetSizeGrowOnly(true);
    g->SetColWidths(1, 400);
    g->AutoSizeCol(1, 0);
    EXPECT_EQ(g->ColWidths(1), 400);
    EXPECT_EQ(asked.size(), 1u);

    // The handler's width wins; padding is added after it.
    g->SetSizeGrowOnly(false);
    g->OnUpdateColumnSize = [](TObject*, Integer, Integer& W) { W = 77; };
    g->AutoSizeCol(1, 5);
    EXPECT_EQ(g->ColWidths(1), 82);
}

TEST(ExGridAutoSize, LimitsApplyAndEqualLimitsAreNone)
{
    struct Case {
        Integer Min, Max;
        bool Exact;  // the measured width unchanged
        Integer Want;
    };
    const Case cases[] = {{0, 0, true, 0}, {50, 50, true, 0}, {200, 0, false, 200}, {0, 20, false, 20}};
    for (const Case& c : cases) {
        auto g = Grid(2, 2);
        g->SetCells(1, 1, QStringLiteral("some words in here"));
        g->SetMinColWidth(c.Min);
        g->SetMaxColWidth(c.Max);
        g->AutoSizeCol(1, 0);
        const Integer measured = TextWidth(g.get(), QStringLiteral("some words in here")) + 8;
        if (c.Exact)
            EXPECT_NEAR(g->ColWidths(1), measured, 2) << c.Min << "," << c.Max;
        else
            EXPECT_EQ(g->ColWidths(1), c.Want) << c.Min << "," << c.Max;
    }
}

TEST(ExGridAutoSize, MergedCellsAreNotMeasured)
{
    auto g = Grid(4, 3);
    g->SetCells(1, 1, QStringLiteral("a long merged text over two columns"));
    g->MergeCells(1, 1, 2, 1);
    g->ColumnSize()->SetRows(arNormal);
    g->AutoSizeCol(1, 0);
    EXPECT_EQ(g->ColWidths(1), g->GetXPadding() + 2 * g->GridLineWidth() + 2);
}

TEST(ExGridAutoSize, RowsWithCheckBoxesTakeTheDefaultHeight)
{
    auto g = Grid(3, 3);
    g->SetDefaultRowHeight(24);
    g->SetRowHeights(1, 80);
    g->AddCheckBox(1, 1, true, false);
    g->AutoSizeRow(1, 0);
    EXPECT_EQ(g->RowHeights(1), 24 + g->GetYPadding() + 2 * g->GridLineWidth());
    g->SetCells(2, 2, QStringLiteral("one\ntwo\nthree"));
    const Integer before = g->RowHeights(2);
    g->AutoSizeRow(2, 0);
    EXPECT_GT(g->RowHeights(2), before);
}

TEST(ExGridAutoSize, FitColumnsFillsTheWidthAndLeavesFixedColumns)
{
    auto g = Grid(4, 3);
    g->SetScrollBars(ssNone);
    g->SetBounds(0, 0, 300, 100);
    g->SetColWidths(0, 40);
    for (Integer c = 1; c < 4; ++c)
        g->SetColWidths(c, 30);
    g->AutoFitColumns(false);
    EXPECT_EQ(g->ColWidths(0), 40);
    const Integer B = g->BorderStyle() == bsSingle ? 4 : 0;
    EXPECT_EQ(g->ColWidths(1) + g->ColWidths(2) + g->ColWidths(3), 300 - 40 - B);

    auto one = Grid(1, 3);
    one->SetScrollBars(ssNone);
    one->SetBounds(0, 0, 200, 100);
    one->AutoFitColumns(true);
    EXPECT_EQ(one->ColWidths(0), 200 - B);

    // All widths 0: no proportion, the room is shared out.
    auto zero = Grid(3, 2);
    zero->SetScrollBars(ssNone);
    zero->SetFixedCols(0);
    zero->SetBounds(0, 0, 120, 60);
    for (Integer c = 0; c < 3; ++c)
        zero->SetColWidths(c, 0);
    zero->AutoFitColumns(true);
    EXPECT_EQ(zero->ColWidths(0) + zero->ColWidths(1) + zero->ColWidths(2), 120 - B);
}

TEST(ExGridAutoSize, NumbersRunDownOrUpFromTheStart)
{
    struct Case {
        TSortDirection Dir;
        Integer Start, Offset;
        std::vector<QString> Want;  // rows 1..4
    };
    const std::vector<Case> cases = {
        {sdAscending, 0, 0, {"1", "2", "3", "4"}},
        {sdAscending, 1, 10, {"", "12", "13", "14"}},
        {sdDescending, 1, 0, {"4", "3", "2", ""}},
        {sdAscending, 9, 0, {"", "", "", ""}},
    };
    for (const Case& c : cases) {
        auto g = Grid(2, 5);
        g->SetAutoNumberDirection(c.Dir);
        g->SetAutoNumberStart(c.Start);
        g->SetAutoNumberOffset(c.Offset);
        g->AutoNumberCol(1);
        for (Integer r = 1; r < 5; ++r)
            EXPECT_EQ(g->Cells(1, r), c.Want[size_t(r - 1)]) << c.Dir << " " << c.Start << " row " << r;
    }
    auto row = Grid(4, 2);
    row->AutoNumberRow(1);
    EXPECT_EQ(row->Cells(3, 1), QStringLiteral("3"));
}

TEST(ExGridAutoSize, LongestLineOfAColumn)
{
    auto g = Grid(2, 3);
    g->SetCells(1, 1, QStringLiteral("abcdef\r\nxy"));
    g->SetCells(1, 2, QStringLiteral("abc"));
    EXPECT_EQ(g->MaxColumnLineLength(1), 6);
    g->SetCells(1, 2, QStringLiteral("a\r\nbcdefghij"));
    EXPECT_EQ(g->MaxColumnLineLength(1), 6);
    g->SetMultilineCells(true);
    EXPECT_EQ(g->MaxColumnLineLength(1), 9);
}
