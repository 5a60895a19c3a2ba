// Row filters: a table of filter expressions against a small grid, the
// joining of conditions, stacked levels with incremental narrowing, and the
// choices of the filter dropdowns.
#include "grid/ExGrid.h"
#include "grid/features/ExGridFilterDropDown.h"

#include <QImage>
#include <gtest/gtest.h>

#include "QtPrint.h"
#include "Screenshot.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <memory>
#include <vector>

namespace {

// Rows: header, then name / value / date rows.
std::unique_ptr<TExStringGrid> SmallGrid()
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(4);
    g->SetRowCount(7);
    const char* const rows[][3] = {
        {"Name", "Value", "Kind"},   {"Pump A", "12", "meter"},  {"Pump B", "7", "valve"},
        {"Fan", "120", "meter"},     {"Heater", "-3", "sensor"}, {"pump c", "55", "<b>valve</b>"},
    };
    for (Integer r = 0; r < 6; ++r)
        for (Integer c = 0; c < 3; ++c)
            g->SetCells(c + 1, r, QString::fromLatin1(rows[r][c]));
    g->SetCells(1, 6, QStringLiteral("Spare"));
    g->SetCells(2, 6, QString());
    g->SetCells(3, 6, QStringLiteral("meter"));
    return g;
}

// The names in column 1 of the rows shown, from the first normal row.
std::vector<QString> ShownNames(TExStringGrid& g)
{
    std::vector<QString> names;
    for (Integer r = g.FixedRows(); r < g.RowCount(); ++r)
        names.push_back(g.Cells(1, r));
    return names;
}

void SetOneCondition(TExStringGrid& g, Integer Col, const QString& Condition, TFilterCells Data = fcVirtual)
{
    g.Filter()->Clear();
    TFilterData* item = g.Filter()->Add();
    item->Column = SmallInt(Col);
    item->Condition = Condition;
    item->Data = Data;
}

} // namespace

TEST(ExGridFilter, ExpressionsAgainstASmallGrid)
{
    struct Case {
        Integer Col;
        QString Condition;
        TFilterCells Data;
        std::vector<QString> Shown;
    };
    const Case cases[] = {
        // A new condition matches case.
        {1, QStringLiteral("Pump*"), fcVirtual, {"Pump A", "Pump B"}},
        {1, QStringLiteral("!Pump*"), fcVirtual, {"Fan", "Heater", "pump c", "Spare"}},
        {2, QStringLiteral(">10"), fcVirtual, {"Pump A", "Fan", "pump c"}},
        {2, QStringLiteral("<=7"), fcVirtual, {"Pump B", "Heater", "Spare"}},  // an empty value counts as 0
        {3, QStringLiteral("valve"), fcStripHTML, {"Pump B", "pump c"}},
        {3, QStringLiteral("valve"), fcNormal, {"Pump B"}},
        {3, QStringLiteral("meter | sensor"), fcVirtual, {"Pump A", "Fan", "Heater", "Spare"}},
        {1, QString(), fcVirtual, {"Pump A", "Pump B", "Fan", "Heater", "pump c", "Spare"}},
        {-1, QStringLiteral("METER"), fcRow, {"Pump A", "Fan", "Spare"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Condition.toStdString());
        auto g = SmallGrid();
        SetOneCondition(*g, c.Col, c.Condition, c.Data);
        g->SetFilterActive(true);
        EXPECT_EQ(ShownNames(*g), c.Shown);
        g->SetFilterActive(false);
        EXPECT_EQ(g->RowCount(), 7);
        EXPECT_EQ(g->Cells(1, 5), QStringLiteral("pump c"));  // rows back in their order
    }
}

TEST(ExGridFilter, ConditionsJoinByTheirOperation)
{
    auto g = SmallGrid();
    // Without conditions every row passes unless the application says otherwise.
    EXPECT_TRUE(g->MatchFilterRow(2));
    g->OnCustomFilter = [](TObject*, Integer ARow, bool& Allow) { Allow = ARow != 2; };
    EXPECT_FALSE(g->MatchFilterRow(2));
    g->OnCustomFilter = nullptr;

    TFilterData* a = g->Filter()->Add();
    a->Column = 3;
    a->Condition = QStringLiteral("meter");
    TFilterData* b = g->Filter()->Add();
    b->Column = 2;
    b->Condition = QStringLiteral(">50");
    EXPECT_EQ(a->Operation, foNONE);
    EXPECT_EQ(b->Operation, foAND);
    EXPECT_TRUE(g->MatchFilterRow(3));   // Fan: meter and 120
    EXPECT_FALSE(g->MatchFilterRow(1));  // Pump A: meter but 12
    b->Operation = foOR;
    EXPECT_TRUE(g->MatchFilterRow(1));
    b->Operation = foXOR;
    EXPECT_FALSE(g->MatchFilterRow(3));
    // A short-circuit that fails stops the test: the later item cannot save the row.
    a->Operation = foSHORT;
    b->Operation = foOR;
    b->Condition = QStringLiteral("*");
    EXPECT_FALSE(g->MatchFilterRow(2));
    // Prefix and suffix are removed before the test.
    g->Filter()->Clear();
    TFilterData* p = g->Filter()->Add();
    p->Column = 1;
    p->Prefix = QStringLiteral("Pump ");
    p->Condition = QStringLiteral("A");
    p->Method = fmLiteral;
    EXPECT_TRUE(g->MatchFilterRow(1));
    EXPECT_FALSE(g->MatchFilterRow(2));
}

TEST(ExGridFilter, ProgressEndsAtAHundred)
{
    auto g = SmallGrid();
    std::vector<Integer> progress;
    g->OnFilterProgress = [&](TObject*, Integer Percent) { progress.push_back(Percent); };
    SetOneCondition(*g, 1, QStringLiteral("P*"));
    g->SetFilterActive(true);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(progress.size(), 7u);  // each of the six rows, then the final value
}

TEST(ExGridFilter, NarrowDownStacksAndDropsLevels)
{
    auto g = SmallGrid();
    g->NarrowDown(QStringLiteral("p"), 1);
    EXPECT_EQ(ShownNames(*g), (std::vector<QString>{"Pump A", "Pump B", "pump c", "Spare"}));
    const Integer levels = g->FilterLevel();
    g->NarrowDown(QStringLiteral("pu"), 1);
    EXPECT_EQ(ShownNames(*g), (std::vector<QString>{"Pump A", "Pump B", "pump c"}));
    EXPECT_EQ(g->FilterLevel(), levels + 1);
    g->NarrowDown(QStringLiteral("p"), 1);  // exactly the last level goes
    EXPECT_EQ(ShownNames(*g), (std::vector<QString>{"Pump A", "Pump B", "pump c", "Spare"}));
    EXPECT_EQ(g->FilterLevel(), levels);
    g->NarrowDown(QStringLiteral("pump "), 1);  // jumps: start over with a blank in it
    EXPECT_EQ(ShownNames(*g), (std::vector<QString>{"Pump A", "Pump B", "pump c"}));
    g->NarrowDown(QString(), 1);
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    // Whole rows: any cell of the row holds the text.
    g->NarrowDown(QStringLiteral("v"), -1);
    EXPECT_EQ(ShownNames(*g), (std::vector<QString>{"Pump B", "pump c"}));
    g->NarrowDown(QStringLiteral("va "), -1);
    EXPECT_EQ(ShownNames(*g), std::vector<QString>{});
    g->RemoveAllFilters();
    EXPECT_EQ(g->RowCount(), 7);
}

TEST(ExGridFilter, DropdownChoicesFilterAndClear)
{
    auto g = SmallGrid();
    g->SetFilterDropDownAuto(true);
    QString announced;
    g->OnFilterSelect = [&](TObject*, Integer, Integer, const QString& Name, QString&) { announced = Name; };
    Integer done = 0;
    g->OnFilterDone = [&](TObject*) { ++done; };
    // Entries of column 3: (All), <b>valve</b>, meter, sensor, valve.
    g->GetColumnFilter(3);
    const Integer meter = g->FilterList()->IndexOf(QStringLiteral("meter"));
    ASSERT_GT(meter, 0);
    g->SetFilterCol(3);
    g->FilterSelect(meter);
    EXPECT_EQ(announced, QStringLiteral("meter"));
    EXPECT_EQ(ShownNames(*g), (std::vector<QString>{"Pump A", "Fan", "Spare"}));
    EXPECT_EQ(g->FilterCol(), -1);
    EXPECT_EQ(done, 1);
    // The clear entry removes the column's condition.
    g->SetFilterCol(3);
    g->FilterSelect(0);
    EXPECT_EQ(g->Filter()->Count(), 0);
    EXPECT_EQ(g->RowCount(), 7);
    // Out of range and closed dropdowns are ignored.
    g->SetFilterCol(3);
    g->FilterSelect(99);
    g->FilterSelect(1);
    EXPECT_EQ(g->RowCount(), 7);

    // Two checked values join by "or".
    g->SetFilterCol(3);
    g->FilterCheckList()->Items()->Add(QStringLiteral("meter"));
    g->FilterCheckList()->Items()->Add(QStringLiteral("sensor"));
    g->FilterCheckList()->Items()->Add(QStringLiteral("valve"));
    g->SetFilterChecked(0, true);
    g->SetFilterChecked(1, true);
    g->FilterCheck();
    ASSERT_EQ(g->Filter()->Count(), 2);
    EXPECT_EQ(g->Filter()->Items(1)->Operation, foOR);
    EXPECT_EQ(ShownNames(*g), (std::vector<QString>{"Pump A", "Fan", "Heater", "Spare"}));
    // Off and on again filters anew from the present items.
    g->SetFilterActive(false);
    EXPECT_EQ(g->RowCount(), 7);
    g->SetFilterActive(true);
    EXPECT_EQ(ShownNames(*g), (std::vector<QString>{"Pump A", "Fan", "Heater", "Spare"}));
}

TEST(ExGridFilter, DropdownOpenedFromTheHeaderAndPickedByMouse)
{
    TForm form(nullptr);
    form.SetClientSize(420, 240);
    auto g = SmallGrid();
    g->SetParent(&form);
    g->SetBounds(0, 0, 420, 240);
    g->SetFilterDropDownAuto(true);
    const QImage plain = GrabControl(g.get());

    // The glyph sits at the right of the header cell; a release on it opens the list.
    const TRect head = g->CellRect(3, 0);
    TestInput::Click(g.get(), {head.Right - 9, head.Top + 8});
    TDropList* list = g->DropList();
    ASSERT_TRUE(list->Visible());
    EXPECT_EQ(g->FilterCol(), 3);
    EXPECT_EQ(list->Items()->Strings(0), g->FilterDropDownClear());
    const Integer meter = list->Items()->IndexOf(QStringLiteral("meter"));
    ASSERT_GT(meter, 0);
    EXPECT_EQ(ShownNames(*g).size(), 6u);  // nothing filtered by opening
    const QImage open = GrabControl(&form);
    testsupport::SaveScreenshot(open, QStringLiteral("TExStringGrid-filter-dropdown-open"));
    // The list covers the rows below the header: the picture differs there.
    const TRect below = g->CellRect(3, 2);
    EXPECT_NE(open.copy(below.Left, below.Top, below.Right - below.Left, below.Bottom - below.Top),
              plain.copy(below.Left, below.Top, below.Right - below.Left, below.Bottom - below.Top));

    const Integer h = list->ItemHeight();
    TestInput::Click(list, {12, meter * h + h / 2});
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(ShownNames(*g), (std::vector<QString>{"Pump A", "Fan", "Spare"}));
    EXPECT_EQ(g->FilterCol(), -1);
    testsupport::SaveScreenshot(GrabControl(&form), QStringLiteral("TExStringGrid-filter-dropdown-applied"));

    // Opened again, the clear entry brings every row back.
    TestInput::Click(g.get(), {head.Right - 9, head.Top + 8});
    ASSERT_TRUE(list->Visible());
    TestInput::Click(list, {12, h / 2});
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(g->Filter()->Count(), 0);

    // A click elsewhere on the header opens nothing.
    TestInput::Click(g.get(), {head.Left + 5, head.Top + 8});
    EXPECT_FALSE(list->Visible());
}
