// Grouping and nodes: the layout of a grouped table, node spans, contracting
// and expanding (by code and by a click on the node glyph), summaries, and
// ungrouping that gives every row its value back.
#include "grid/ExGrid.h"

#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>

#include "Screenshot.h"

namespace {

// Header "", "Name", "Kind", "Power"; rows of meters and valves out of order.
struct GroupTable : ::testing::Test {
    TForm form{nullptr};
    TExStringGrid* g = nullptr;
    void SetUp() override
    {
        form.SetClientSize(360, 260);
        g = new TExStringGrid(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 360, 260);
        g->SetColCount(4);
        g->SetRowCount(6);
        const char* const rows[][3] = {{"Name", "Kind", "Power"}, {"Pump", "meter", "12"}, {"Vent", "valve", "3"},
                                       {"Fan", "meter", "7"},     {"Tap", "valve", "1"},   {"Boiler", "meter", "40"}};
        for (Integer r = 0; r < 6; ++r)
            for (Integer c = 0; c < 3; ++c)
                g->SetCells(c + 1, r, QString::fromLatin1(rows[r][c]));
    }
    QString Column(Integer C)
    {
        QStringList s;
        for (Integer r = 1; r < g->RowCount(); ++r)
            s << g->Cells(C, r);
        return s.join(u',');
    }
};

} // namespace

TEST_F(GroupTable, GroupMakesHeaderNodesAndUnGroupGivesTheValuesBack)
{
    g->Group(2);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->GroupColumn(), 2);
    // Sorted by kind (equal kinds by the power after it), a header node above each run.
    EXPECT_EQ(Column(1), QStringLiteral("meter,Fan,Pump,Boiler,valve,Tap,Vent"));
    EXPECT_EQ(Column(2), QStringLiteral(",7,12,40,,1,3"));
    EXPECT_TRUE(g->IsNode(1));
    EXPECT_TRUE(g->IsNode(5));
    EXPECT_FALSE(g->IsNode(2));
    EXPECT_EQ(g->GetNodeSpan(1), 4);
    EXPECT_EQ(g->GetNodeSpan(5), 3);
    testsupport::SaveScreenshot(GrabControl(g), QStringLiteral("TExStringGrid-grouped-expanded"));

    // Contracting hides the group's rows and keeps them.
    const QImage expanded = GrabControl(g);
    g->ContractNode(1);
    EXPECT_TRUE(g->GetNodeState(1));
    EXPECT_EQ(Column(1), QStringLiteral("meter,valve,Tap,Vent"));
    EXPECT_EQ(g->NumHiddenRows(), 3);
    const QImage contracted = GrabControl(g);
    EXPECT_NE(contracted, expanded);
    testsupport::SaveScreenshot(contracted, QStringLiteral("TExStringGrid-grouped-one-contracted"));
    g->ExpandNode(1);
    EXPECT_EQ(Column(1), QStringLiteral("meter,Fan,Pump,Boiler,valve,Tap,Vent"));

    g->SetGroupColumn(0);  // nothing
    EXPECT_EQ(g->GroupColumn(), 2);
    g->SetGroupColumn(-1);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->NumNodes(), 0);
    EXPECT_EQ(g->Cells(2, 0), QStringLiteral("Kind"));
    // The rows stay in their grouped order, each with its own value back.
    EXPECT_EQ(Column(1), QStringLiteral("Fan,Pump,Boiler,Tap,Vent"));
    EXPECT_EQ(Column(2), QStringLiteral("meter,meter,meter,valve,valve"));
    EXPECT_EQ(Column(3), QStringLiteral("7,12,40,1,3"));
}

TEST_F(GroupTable, ANodeGlyphClickContractsAndExpands)
{
    g->Group(2);
    const TRect r = g->CellRect(0, 1);
    // The button of a first-level node sits at the left of column 0.
    const TPoint glyph{r.Left + 8, (r.Top + r.Bottom) / 2};
    ASSERT_TRUE(g->IsOnNodeGlyph(1, glyph.X));
    TestInput::Click(g, glyph);
    EXPECT_TRUE(g->GetNodeState(1));
    EXPECT_EQ(g->RowCount(), 5);
    TestInput::Click(g, glyph);
    EXPECT_FALSE(g->GetNodeState(1));
    EXPECT_EQ(g->RowCount(), 8);
}

TEST_F(GroupTable, SummariesTakeTheGroupCalculations)
{
    g->Grouping()->Summary = true;
    g->Group(2);
    // header, 3 rows, summary, header, 2 rows, summary
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_TRUE(g->IsSummary(5));
    EXPECT_TRUE(g->IsSummary(9));
    g->GroupSum(2);
    EXPECT_EQ(g->Cells(2, 5).toDouble(), 59.0);
    EXPECT_EQ(g->Cells(2, 9).toDouble(), 4.0);
    g->GroupCount(1);
    EXPECT_EQ(g->Cells(1, 5), QStringLiteral("3"));
    EXPECT_EQ(g->Cells(1, 9), QStringLiteral("2"));
    testsupport::SaveScreenshot(GrabControl(g), QStringLiteral("TExStringGrid-grouped-summaries"));

    // A contracted group is skipped by the calculations.
    g->ContractNode(6);
    g->SetCells(2, 5, QString());
    g->GroupMax(2);
    EXPECT_EQ(g->Cells(2, 5).toDouble(), 40.0);

    g->UnGroup();
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(Column(2), QStringLiteral("meter,meter,meter,valve,valve"));
}

TEST_F(GroupTable, WithoutAutoSortEveryRunIsAGroup)
{
    g->SortSettings()->AutoSortForGrouping = false;
    g->Group(2);
    EXPECT_EQ(g->NumNodes(), 5);
    g->UnGroup();
    g->SortSettings()->AutoSortForGrouping = true;
    g->Group(0);  // a fixed column: nothing
    EXPECT_EQ(g->GroupColumn(), -1);
}

TEST_F(GroupTable, SortingAGroupedGridSortsInsideEachGroup)
{
    g->Group(2);
    g->SortSettings()->Column = 2;  // Power, now column 2
    g->SortSettings()->Direction = sdDescending;
    g->QSortGroup();
    EXPECT_EQ(Column(1), QStringLiteral("meter,Boiler,Pump,Fan,valve,Vent,Tap"));
    EXPECT_EQ(Column(2), QStringLiteral(",40,12,7,,3,1"));
    EXPECT_TRUE(g->IsNode(1));
    EXPECT_TRUE(g->IsNode(5));

    // A header click does the same, ascending first.
    g->SortSettings()->SetShow(true);
    g->SortSettings()->Column = -1;
    const TRect head = g->CellRect(1, 0);
    TestInput::Click(g, {(head.Left + head.Right) / 2, (head.Top + head.Bottom) / 2});
    EXPECT_EQ(Column(1), QStringLiteral("meter,Boiler,Fan,Pump,valve,Tap,Vent"));
    EXPECT_EQ(g->GetNodeSpan(1), 4);
    testsupport::SaveScreenshot(GrabControl(g), QStringLiteral("TExStringGrid-grouped-sorted-by-name"));
}
