// Text marking in cells, cell checks through a linked checker, fills, and
// the selection of rows and disjunct rows and columns.
#include "grid/ExGrid.h"

#include "grid/esgcheck.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Puts every "x" in brackets and counts its runs.
class BracketChecker : public DAriViziveVudaDodav {
public:
    BracketChecker() : DAriViziveVudaDodav(nullptr) {}
    QString MarkError(Integer, Integer, const QString& Text) override
    {
        ++Marked;
        QString t = Text;
        return t.replace(QStringLiteral("x"), QStringLiteral("<e>x</e>"));
    }
    void StartCheck() override { ++Starts; }
    void StopCheck() override { ++Stops; }
    Integer Marked = 0, Starts = 0, Stops = 0;
};

} // namespace

TEST(ExGridSelection, HighlightAndUnhighlightCells)
{
    TExStringGrid g(nullptr);
    struct Case {
        QString Text, Search;
        bool DoCase;
        QString Marked;
    };
    const Case cases[] = {
        {QStringLiteral("banana"), QStringLiteral("a"), true, QStringLiteral("b<hi>a</hi>n<hi>a</hi>n<hi>a</hi>")},
        {QStringLiteral("Aa"), QStringLiteral("a"), true, QStringLiteral("A<hi>a</hi>")},
        {QStringLiteral("Aa"), QStringLiteral("a"), false, QStringLiteral("<hi>A</hi><hi>a</hi>")},
        {QStringLiteral("a<b"), QStringLiteral("b"), true, QStringLiteral("a&lt;<hi>b</hi>")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        g.SetCells(1, 1, c.Text);
        g.HilightInCell(1, 1, c.Search, c.DoCase);
        EXPECT_EQ(g.Cells(1, 1), c.Marked);
        g.UnHilightInCell(1, 1);
        EXPECT_EQ(g.Cells(1, 1), c.Text);
    }
    EXPECT_EQ(TExStringGrid::MarkText(false, QStringLiteral("xXy"), QStringLiteral("x")),
              QStringLiteral("<e>x</e><e>X</e>y"));
    EXPECT_EQ(TExStringGrid::UnMarkText(QStringLiteral("<E>x</E>y")), QStringLiteral("xy"));
}

TEST(ExGridSelection, GridMarkingAndHiddenColumns)
{
    TExStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(3);
    for (Integer c = 0; c < 4; ++c)
        for (Integer r = 0; r < 3; ++r)
            g.SetCells(c, r, QStringLiteral("ab"));
    g.HideColumn(3);
    // Highlighting the grid reaches the hidden column; marking does not,
    // but unmarking cleans it.
    g.HilightInGrid(QStringLiteral("a"), false, true);
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("<hi>a</hi>b"));
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("ab"));  // fixed column untouched
    g.UnHilightInGrid(false);
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("ab"));
    g.MarkInGrid(QStringLiteral("b"), false, true);
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("a<e>b</e>"));
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("ab"));
    g.SetCells(3, 2, QStringLiteral("a<e>b</e>"));
    g.UnMarkInGrid(false);
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("ab"));
    EXPECT_EQ(g.Cells(3, 2), QStringLiteral("ab"));
}

TEST(ExGridSelection, CheckGridReportsChangedCellsAndChecksAll)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(3);
    EXPECT_TRUE(g.CheckGrid(false));  // no checker: nothing to do
    BracketChecker checker;
    checker.SetUseMarkError(true);
    g.SetCellChecker(&checker);
    g.SetCells(1, 1, QStringLiteral("axb"));
    g.SetCells(2, 1, QStringLiteral("ok"));
    g.SetCells(1, 2, QStringLiteral("fine"));
    g.SetCells(2, 2, QStringLiteral("<e>old</e>"));
    EXPECT_FALSE(g.CheckGrid(false));
    EXPECT_EQ(checker.Marked, 4);  // every normal cell, after the first fault too
    EXPECT_EQ(checker.Starts, 1);
    EXPECT_EQ(checker.Stops, 1);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("a<e>x</e>b"));
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("old"));  // old marks go first
    g.SetCells(1, 1, QStringLiteral("ab"));
    EXPECT_TRUE(g.CheckRow(1, false));
    g.SetCellChecker(nullptr);
}

TEST(ExGridSelection, Fills)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(3);
    g.LinearFill(false);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("1:1"));
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("2:2"));
    EXPECT_EQ(g.Cells(0, 0), QString());
    g.FormatFill(true, QStringLiteral("%d-%d"));
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("0-0"));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("2-1"));
    g.RandomFill(false, 5);
    for (Integer c = 1; c < 3; ++c)
        for (Integer r = 1; r < 3; ++r) {
            const Integer v = g.Ints(c, r);
            EXPECT_TRUE(v >= 0 && v < 5) << v;
        }
    g.TextFill(false, QStringLiteral("t"));
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("t"));
}

TEST(ExGridSelection, RowsSelectedAsRectangleOrDisjunct)
{
    TExStringGrid g(nullptr);
    g.SetRowCount(8);
    g.SelectRows(2, 3);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 4, 4}));
    EXPECT_TRUE(g.RowSelect(3));
    EXPECT_FALSE(g.RowSelect(5));
    EXPECT_EQ(g.RowSelectCount(), 3);
    g.SelectRows(7, 5);  // cut to the last row
    EXPECT_EQ(g.Selection(), (TGridRect{1, 7, 4, 7}));

    g.MouseActions()->SetDisjunctRowSelect(true);
    std::vector<Integer> asked, told;
    g.OnRowDisjunctSelect = [&](TObject*, Integer ARow, bool, bool& Allow) {
        asked.push_back(ARow);
        Allow = ARow != 6;
    };
    g.OnRowDisjunctSelected = [&](TObject*, Integer ARow) { told.push_back(ARow); };
    g.SetRowSelect(2, true);
    g.SetRowSelect(4, true);
    g.SetRowSelect(6, true);  // refused
    EXPECT_TRUE(g.RowSelect(2));
    EXPECT_FALSE(g.RowSelect(3));
    EXPECT_FALSE(g.RowSelect(6));
    EXPECT_EQ(g.RowSelectCount(), 2);
    EXPECT_EQ(g.SelectedRows()->Count(), 2);
    // Selecting a selected row again is told, not asked.
    asked.clear();
    told.clear();
    g.SetRowSelect(2, true);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(told, std::vector<Integer>{2});

    g.ClearRowSelect();
    EXPECT_EQ(g.RowSelectCount(), 0);
    EXPECT_EQ(g.SelectedRows()->Count(), 0);

    EXPECT_THROW(g.SetRowSelect(8, true), DOzeDidoRivar);
    try {
        g.RowSelect(8);
        FAIL();
    } catch (const DOzeDidoRivar& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid row 8 accessed"));
    }
    g.MouseActions()->SetRowSelectPersistent(true);
    EXPECT_FALSE(g.RowSelect(8));
}

TEST(ExGridSelection, DisjunctColumnsAndRowMarks)
{
    TExStringGrid g(nullptr);
    g.MouseActions()->SetDisjunctColSelect(true);
    g.SelectCols(1, 2);
    EXPECT_TRUE(g.ColSelect(1));
    EXPECT_TRUE(g.ColSelect(2));
    EXPECT_FALSE(g.ColSelect(3));
    EXPECT_EQ(g.ColSelectCount(), 2);
    g.UnSelectCols(2, 1);
    EXPECT_EQ(g.ColSelectCount(), 1);
    EXPECT_THROW(g.ColSelect(5), DOzeDidoRivar);

    g.SetRowModified(3, true);
    EXPECT_TRUE(g.RowModified(3));
    EXPECT_FALSE(g.RowModified(40));
    EXPECT_EQ(g.ModifiedRowCount(), 1);

    // Disabling the current row moves the current row away from it.
    g.SetRow(2);
    g.SetRowEnabled(2, false);
    EXPECT_FALSE(g.RowEnabled(2));
    EXPECT_EQ(g.Row(), 1);
    EXPECT_TRUE(g.RowEnabled(50));
}
