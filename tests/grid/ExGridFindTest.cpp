// Find and replace: the match options, both scan orders without
// wrap-around, hidden columns, merged areas counted once, ignored columns,
// the replace count, and the type-ahead lookup in the sort column.
#include "grid/ExGrid.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// 4 columns (0 fixed), a header row and four data rows.
std::unique_ptr<TExStringGrid> FindGrid()
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(4);
    g->SetRowCount(5);
    const char* const rows[][3] = {
        {"xAbx", "ab", "Pump"}, {"", "AB", "fan"}, {"cab", "abc", "Aa"}, {"zz", "ca", "AB"}};
    for (Integer r = 1; r <= 4; ++r)
        for (Integer c = 1; c <= 3; ++c)
            g->SetCells(c, r, QString::fromLatin1(rows[r - 1][c - 1]));
    return g;
}

TPoint P(Integer X, Integer Y)
{
    return {X, Y};
}

} // namespace

TEST(ExGridFind, OptionsAndScanOrders)
{
    const TFindParameters none = 0, byRow = FindParam(fnDirectionLeftRight);
    struct Case {
        const char* Text;
        TFindParameters Params;
        TPoint Expected;
    };
    const Case cases[] = {
        {"ab", none, P(1, 1)},                                 // xAbx, case ignored
        {"ab", FindParam(fnMatchCase), P(1, 3)},               // cab
        {"ab", FindParam(fnMatchStart), P(2, 1)},              // ab
        {"ab", FindParam(fnMatchFull) | byRow, P(2, 1)},       // exactly ab, any case
        {"AB", FindParam(fnMatchFull) | FindParam(fnMatchCase), P(2, 2)},
        {"\"\"", none, P(1, 2)},                               // the empty cell
        {"fan", byRow, P(3, 2)},
        {"a", FindParam(fnBackward), P(3, 4)},                 // from the last cell
        {"a", FindParam(fnBackward) | byRow, P(3, 4)},
        {"nothing", none, P(-1, -1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        auto g = FindGrid();
        const TPoint hit = g->Find(P(-1, -1), QString::fromLatin1(c.Text), c.Params);
        EXPECT_EQ(hit.X, c.Expected.X);
        EXPECT_EQ(hit.Y, c.Expected.Y);
    }
}

TEST(ExGridFind, FindNextWalksEveryMatchOnceWithoutWrapping)
{
    auto g = FindGrid();
    std::vector<std::pair<Integer, Integer>> hits;
    for (TPoint p = g->FindFirst(QStringLiteral("ab"), 0); p.X >= 0; p = g->FindNext())
        hits.emplace_back(p.X, p.Y);
    // Column by column: xAbx, cab, ab, AB, abc, AB.
    const std::vector<std::pair<Integer, Integer>> expected{{1, 1}, {1, 3}, {2, 1}, {2, 2}, {2, 3}, {3, 4}};
    EXPECT_EQ(hits, expected);
    EXPECT_EQ(g->FindNext().X, -1);  // stays past the end
}

TEST(ExGridFind, HiddenColumnsMergedAreasAndIgnoredColumns)
{
    auto g = FindGrid();
    g->HideColumn(2);
    // Displayed column 2 is real column 3 now; the hidden one is found only when asked for.
    EXPECT_EQ(g->Find(P(-1, -1), QStringLiteral("abc"), 0).X, -1);
    const TPoint hidden = g->Find(P(-1, -1), QStringLiteral("abc"), FindParam(fnIncludeHiddenColumns));
    EXPECT_EQ(hidden.X, 2);
    EXPECT_EQ(hidden.Y, 3);
    const TPoint shown = g->Find(P(-1, -1), QStringLiteral("fan"), 0);
    EXPECT_EQ(shown.X, 2);  // displayed index
    EXPECT_EQ(shown.Y, 2);

    // A replace reaches the hidden cells and leaves their neighbours alone.
    EXPECT_EQ(g->Replace(QStringLiteral("ab"), QStringLiteral("#"), FindParam(fnIncludeHiddenColumns)), 6);
    g->UnHideColumn(2);
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("#"));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("#c"));
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("x#x"));
    EXPECT_EQ(g->Cells(3, 1), QStringLiteral("Pump"));

    // A merged area is one cell: its covered cells are never reported.
    auto m = FindGrid();
    m->SetCells(1, 4, QStringLiteral("zz"));
    m->MergeCells(1, 3, 1, 2);  // "cab" over rows 3 and 4
    std::vector<Integer> rows;
    for (TPoint p = m->FindFirst(QStringLiteral("zz"), 0); p.X >= 0; p = m->FindNext())
        rows.push_back(p.Y);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(m->Replace(QStringLiteral("cab"), QStringLiteral("bus"), 0), 1);
    EXPECT_EQ(m->Cells(1, 3), QStringLiteral("bus"));

    // An ignored column is skipped in both orders.
    auto i = FindGrid();
    i->IgnoreColumns()->Add(2);
    EXPECT_EQ(i->Find(P(-1, -1), QStringLiteral("abc"), 0).X, -1);
    EXPECT_EQ(i->Find(P(-1, -1), QStringLiteral("abc"), FindParam(fnDirectionLeftRight)).X, -1);
}

TEST(ExGridFind, ReplaceVisitsEachCellOnce)
{
    auto g = FindGrid();
    // "a" to "aa" still matches after the change: it must not run away.
    // The find matches case; the replacing ignores it.
    EXPECT_EQ(g->Replace(QStringLiteral("a"), QStringLiteral("aa"), FindParam(fnMatchCase)), 6);
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("caab"));
    EXPECT_EQ(g->Cells(3, 3), QStringLiteral("aaaa"));  // Aa
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("AB"));    // no small a: not found, not changed
    EXPECT_EQ(g->Cells(3, 2), QStringLiteral("faan"));
}

TEST(ExGridFind, TypeAheadLooksInTheSortColumn)
{
    auto g = FindGrid();
    EXPECT_EQ(g->Search(QStringLiteral("CA")), 3);  // column 1 while no sort header is shown
    g->SortSettings()->SetShow(true);
    g->SortSettings()->Column = 2;
    EXPECT_EQ(g->Search(QStringLiteral("CA")), 4);
    EXPECT_EQ(g->Search(QStringLiteral("AB")), 1);
    EXPECT_EQ(g->Search(QStringLiteral("Q")), -1);
    g->SortSettings()->Column = -1;
    EXPECT_EQ(g->Search(QStringLiteral("CA")), -1);
    g->SetRowCount(1);
    EXPECT_EQ(g->Search(QStringLiteral("X")), -1);
}
