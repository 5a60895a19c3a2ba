// Clearing, trimming, merging runs of equal cells and splitting them, joining
// columns, and reading cells as numbers.
#include "grid/ExGrid.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// 5 columns, a header row, 6 data rows and one footer row; every cell "c,r".
std::unique_ptr<TExStringGrid> FullGrid()
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(5);
    g->SetRowCount(8);
    g->SetFixedFooters(1);
    for (Integer r = 0; r < 8; ++r)
        for (Integer c = 0; c < 5; ++c)
            g->SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    return g;
}

} // namespace

TEST(ExGridClear, ClearsReachHiddenColumnsAndSpareFixedOnes)
{
    auto g = FullGrid();
    g->SetColors(2, 3, clRed);
    g->HideColumn(4);
    g->ClearRows(3, 1);
    EXPECT_EQ(g->AllCells(4, 3), QString());  // hidden
    EXPECT_EQ(g->Cells(0, 3), QString());
    EXPECT_EQ(g->Colors(2, 3), clNone);
    EXPECT_EQ(g->Cells(1, 4), QStringLiteral("1,4"));

    g->ClearNormalCells();
    EXPECT_EQ(g->Cells(0, 2), QStringLiteral("0,2"));  // fixed column
    EXPECT_EQ(g->Cells(1, 0), QStringLiteral("1,0"));  // header
    EXPECT_EQ(g->Cells(1, 7), QStringLiteral("1,7"));  // footer
    EXPECT_EQ(g->Cells(1, 2), QString());
    EXPECT_EQ(g->AllCells(4, 5), QString());

    // Text only: the colour stays.
    auto t = FullGrid();
    t->SetColors(2, 3, clRed);
    t->SetClearTextOnly(true);
    t->ClearCols(2, 1);
    EXPECT_EQ(t->Cells(2, 3), QString());
    EXPECT_EQ(t->Colors(2, 3), clRed);
    EXPECT_EQ(t->Cells(3, 3), QStringLiteral("3,3"));
}

TEST(ExGridClear, TrimColourAndJoinColumns)
{
    auto g = FullGrid();
    g->SetCells(1, 2, QStringLiteral("  pump \t"));
    g->SetCells(2, 2, QStringLiteral(" 12 "));
    g->TrimRow(2);
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("pump"));
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("12"));
    g->ColorRect(1, 1, 2, 2, clYellow);
    EXPECT_EQ(g->Colors(2, 2), clYellow);
    EXPECT_EQ(g->Colors(3, 2), clNone);
    g->MergeCols(1, 2, QStringLiteral(" "));
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("pump 12"));
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("3,2"));
}

TEST(ExGridClear, RunsOfEqualCellsMergeAndSplit)
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(4);
    g->SetRowCount(7);
    const char* const col[] = {"a", "a", "b", "b", "b", "c"};
    for (Integer r = 1; r < 7; ++r)
        g->SetCells(1, r, QString::fromLatin1(col[r - 1]));
    g->MergeColumnCells(1, true);
    EXPECT_EQ(g->CellSpan(1, 1).Y, 1);
    EXPECT_EQ(g->CellSpan(1, 3).Y, 2);
    EXPECT_FALSE(g->IsMergedCell(1, 6));

    // Without MainMerge a run stops where the rows are merged differently:
    // rows 1-2 and 3-5 of column 1 are two merges.
    for (Integer r = 1; r <= 3; ++r)
        g->SetCells(2, r, QStringLiteral("x"));
    g->MergeColumnCells(2, false);
    EXPECT_EQ(g->CellSpan(2, 1).Y, 1);
    EXPECT_FALSE(g->IsMergedCell(2, 3));

    // A row of single cells is left alone.
    g->SetCells(1, 0, QStringLiteral("h"));
    g->SetCells(2, 0, QStringLiteral("i"));
    g->SetCells(3, 0, QStringLiteral("h"));
    g->MergeRowCells(0, true);
    EXPECT_FALSE(g->IsMergedCell(1, 0));

    g->SplitColumnCells(1);
    EXPECT_FALSE(g->IsMergedCell(1, 1));
    EXPECT_FALSE(g->IsMergedCell(1, 3));
    EXPECT_TRUE(g->IsMergedCell(2, 1));
    g->SplitAllCells();
    EXPECT_FALSE(g->IsMergedCell(2, 1));
}

TEST(ExGridClear, CellQueries)
{
    auto g = FullGrid();
    g->SetCells(2, 3, QStringLiteral("abc"));
    g->SetCells(3, 4, QStringLiteral("ab"));
    Integer c = -1, r = -1;
    EXPECT_TRUE(g->IsCell(QStringLiteral("ab"), c, r));
    EXPECT_EQ(c, 3);
    EXPECT_EQ(r, 4);
    c = r = -1;
    EXPECT_FALSE(g->IsCell(QStringLiteral("zz"), c, r));
    EXPECT_EQ(c, -1);

    struct Case {
        const char* Text;
        double Value;
    };
    for (const Case& k : {Case{"", 0}, Case{"12.5", 12.5}, Case{"(12.5)", -12.5}, Case{"-3", -3}, Case{"1,234.5", 1234.5}}) {
        SCOPED_TRACE(k.Text);
        g->SetCells(1, 1, QString::fromLatin1(k.Text));
        EXPECT_DOUBLE_EQ(g->CellToReal(1, 1), k.Value);
    }
    g->SetCells(1, 1, QStringLiteral("abc"));
    try {
        g->CellToReal(1, 1);
        ADD_FAILURE() << "no error for abc";
    } catch (const DOzeDidoRivar& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("in Cell [1, 1].")));
    }
}
