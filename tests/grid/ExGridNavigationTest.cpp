// Moving the current cell: Enter advance in each direction and at the
// grid's edges, automatic rows and columns, skipping read-only cells,
// editing switched on and off by the target cell, the changing events and
// the type-ahead row search.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A shown, focused 4 x 4 grid (one fixed row and column) with editing on
// and Enter advance.
struct NavGrid : ::testing::Test {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form->SetClientSize(360, 200);
        grid = new TExStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 360, 200);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetOptions(grid->Options() | goEditing);
        grid->Navigation()->SetAdvanceOnEnter(true);
        form->Show();
        grid->SetFocus();
    }
    TPoint Current() const { return {grid->Col(), grid->Row()}; }
    TPoint Advance(Integer c, Integer r, bool Forward = true)
    {
        grid->MoveColRow(c, r, true, false);
        grid->AdvanceToNextCell(c, r, false, false, Forward, false, false);
        return Current();
    }
};

} // namespace

TEST_F(NavGrid, EnterAdvanceInEachDirectionAndAtTheEdges)
{
    struct Case {
        TAdvanceDirection Dir;
        bool Loop;
        bool Forward;
        TPoint From, To;
    };
    const Case cases[] = {
        {adLeftRight, true, true, {1, 1}, {2, 1}},
        {adLeftRight, true, true, {3, 1}, {1, 2}},    // end of row: next row
        {adLeftRight, true, true, {3, 3}, {1, 1}},    // end of grid: back to the start
        {adLeftRight, false, true, {3, 3}, {3, 3}},   // no loop: stays
        {adLeftRightInRow, false, true, {3, 2}, {3, 2}},
        {adLeftRightInRow, true, true, {3, 2}, {1, 2}},
        {adTopBottom, true, true, {2, 1}, {2, 2}},
        {adTopBottom, true, true, {2, 3}, {3, 1}},    // end of column: next column
        {adTopBottom, true, true, {3, 3}, {1, 1}},
        {adTopBottomInCol, true, true, {2, 3}, {2, 1}},
        {adLeftRight, true, false, {2, 2}, {1, 2}},   // backward
        {adLeftRight, true, false, {1, 2}, {3, 1}},
        {adTopBottom, true, false, {2, 1}, {1, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.Dir) << " loop " << c.Loop << " from " << c.From.X << ","
                                        << c.From.Y);
        grid->Navigation()->SetAdvanceDirection(c.Dir);
        grid->Navigation()->SetAdvanceOnEnterLoop(c.Loop);
        EXPECT_EQ(Advance(c.From.X, c.From.Y, c.Forward), c.To);
    }
}

TEST_F(NavGrid, AdvanceInsertAppendsARowOrAColumn)
{
    std::vector<Integer> added, inserted;
    grid->OnAutoAddRow = [&](TObject*, Integer ARow) { added.push_back(ARow); };
    grid->OnAutoInsertCol = [&](TObject*, Integer ACol) { inserted.push_back(ACol); };
    grid->Navigation()->SetAdvanceInsert(true);
    EXPECT_EQ(Advance(3, 3), (TPoint{1, 4}));
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(added, std::vector<Integer>{4});

    // A refused row keeps the advance in the last row's first column.
    grid->OnCanAddRow = [](TObject*, bool& Allow) { Allow = false; };
    EXPECT_EQ(Advance(3, 4), (TPoint{1, 4}));
    EXPECT_EQ(grid->RowCount(), 5);

    grid->Navigation()->SetAdvanceDirection(adTopBottom);
    EXPECT_EQ(Advance(3, 4), (TPoint{4, 1}));
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(inserted, std::vector<Integer>{4});
}

TEST_F(NavGrid, AdvanceSkipsReadOnlyCellsAndAsksTheApplication)
{
    grid->GetCellProperties(2, 1)->SetReadOnly(true);
    EXPECT_EQ(Advance(1, 1), (TPoint{3, 1}));
    grid->Navigation()->SetAdvanceSkipReadOnlyCells(false);
    EXPECT_EQ(Advance(1, 1), (TPoint{2, 1}));

    grid->OnAutoAdvance = [](TObject*, Integer, Integer, Integer& ToRow, Integer& ToCol, bool&) {
        ToRow = 3;
        ToCol = 1;
    };
    EXPECT_EQ(Advance(2, 2), (TPoint{1, 3}));
    grid->OnAutoAdvance = [](TObject*, Integer, Integer, Integer&, Integer&, bool& Allow) { Allow = false; };
    EXPECT_EQ(Advance(2, 2), (TPoint{2, 2}));
}

TEST_F(NavGrid, EnterInTheEditorMovesOnAndKeepsEditing)
{
    TestInput::Click(grid, {grid->CellRect(1, 1).Left + 5, grid->CellRect(1, 1).Top + 5});
    TestInput::TypeText(grid, QStringLiteral("a"));
    TExInplaceEdit* ed = grid->GetNormalEdit();
    ASSERT_NE(ed, nullptr);
    ASSERT_TRUE(ed->Visible());
    TestInput::PressKey(ed, VK_RETURN);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(Current(), (TPoint{2, 1}));
    EXPECT_TRUE(ed->Visible());  // editing goes on in the next cell
    TestInput::TypeText(ed, QStringLiteral("b"));
    TestInput::PressKey(ed, VK_ESCAPE);
    EXPECT_EQ(grid->Cells(2, 1), QString());
}

TEST_F(NavGrid, ReadOnlyTargetSwitchesEditingOffAndBack)
{
    grid->GetCellProperties(2, 2)->SetReadOnly(true);
    grid->MoveColRow(2, 2, true, false);
    EXPECT_EQ(grid->Options() & goEditing, 0u);
    grid->MoveColRow(1, 2, true, false);
    EXPECT_NE(grid->Options() & goEditing, 0u);
}

TEST_F(NavGrid, ChangingEventsCanRefuseAMove)
{
    std::vector<QString> seen;
    grid->OnRowChanging = [&](TObject*, Integer From, Integer To, bool&) {
        seen.push_back(QStringLiteral("row %1>%2").arg(From).arg(To));
    };
    grid->OnCellChanging = [&](TObject*, Integer, Integer, Integer NewRow, Integer NewCol, bool& Allow) {
        Allow = !(NewCol == 3 && NewRow == 3);
    };
    grid->MoveColRow(1, 1, true, false);
    grid->MoveColRow(1, 2, true, false);
    EXPECT_EQ(Current(), (TPoint{1, 2}));
    EXPECT_EQ(seen.back(), QStringLiteral("row 1>2"));
    grid->MoveColRow(3, 3, true, false);
    EXPECT_EQ(Current(), (TPoint{1, 2}));
}

TEST_F(NavGrid, FooterRowCannotBeEntered)
{
    grid->SetFloatingFooterVisible(true);
    grid->MoveColRow(1, 3, true, false);
    EXPECT_EQ(grid->Row(), 1);
}

TEST(ExGridNavigation, TypeAheadNarrowsAndWidens)
{
    TForm form(nullptr);
    auto* g = new TExStringGrid(&form);
    g->SetParent(&form);
    g->SetRowCount(6);
    const char* const names[] = {"", "Apple", "Apricot", "Banana", "Apron", "Cherry"};
    for (Integer r = 1; r < 6; ++r)
        g->SetCells(1, r, QString::fromLatin1(names[r]));
    g->SearchFooter()->SetSearchColumn(1);
    g->Navigation()->SetAutoGotoWhenSorted(true);
    g->Navigation()->SetAutoGotoIncremental(true);
    form.Show();
    g->SetFocus();
    struct Step {
        QString Keys;
        Integer Row;
        QString Text;
    };
    const Step steps[] = {
        {QStringLiteral("a"), 1, QStringLiteral("a")},
        {QStringLiteral("p"), 1, QStringLiteral("ap")},
        {QStringLiteral("r"), 2, QStringLiteral("apr")},
        {QStringLiteral("o"), 4, QStringLiteral("apro")},
        {QStringLiteral("\b"), 2, QStringLiteral("apr")},
        {QStringLiteral("z"), 2, QString()},  // no match: the text empties
        {QStringLiteral("c"), 5, QStringLiteral("c")},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.Keys.toStdString());
        TestInput::TypeText(g, s.Keys);
        EXPECT_EQ(g->Row(), s.Row);
        EXPECT_EQ(g->IncrSearchText(), s.Text);
    }
    EXPECT_EQ(g->Search(QStringLiteral("BAN")), 3);
    EXPECT_EQ(g->Search(QStringLiteral("X")), -1);
}
