// The Tab walk: Tab and Shift+Tab over the cells that may be entered, the
// row change with its events, the end of the grid (wrap, a new row, or on
// to the form), read-only and merged cells, and the grid's selection
// queries in the rectangular and disjunct modes.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include "Screenshot.h"

namespace {

// 5 columns (one fixed), 4 rows (one fixed), Tab walks the cells.
struct TabGrid : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(420, 160);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 420, 160);
        grid->SetColCount(5);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(80);
        grid->SetOptions(grid->Options() | goTabs);
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    TPoint Cell() const { return {grid->Col(), grid->Row()}; }
};

} // namespace

TEST_F(TabGrid, TabWalksRowsAndTheRowChangeAsksInOrder)
{
    std::vector<QString> events;
    bool allow = true;
    grid->OnRowChanging = [&](TObject*, Integer, Integer, bool& A) { events.push_back("row"); A = A && allow; };
    grid->OnCellChanging = [&](TObject*, Integer, Integer, Integer, Integer, bool& A) { events.push_back("cell"); A = A && allow; };
    grid->OnColChanging = [&](TObject*, Integer, Integer, bool& A) { events.push_back("col"); A = A && allow; };
    // Column 4 cannot be entered: column 3 ends each row's walk.
    grid->OnIsFixedCell = [](TObject*, Integer, Integer ACol, bool& Fixed) { Fixed = ACol == 4; };
    grid->FocusCell(2, 1);
    events.clear();
    TestInput::PressKey(grid, VK_TAB);
    EXPECT_EQ(Cell(), (TPoint{3, 1}));
    // From there the walk asks before it changes row; a refusal keeps the cell.
    events.clear();
    allow = false;
    TestInput::PressKey(grid, VK_TAB);
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ((std::vector<QString>(events.begin(), events.begin() + 3)), (std::vector<QString>{"row", "cell", "col"}));
    EXPECT_EQ(Cell(), (TPoint{3, 1}));
    allow = true;
    TestInput::PressKey(grid, VK_TAB);
    EXPECT_EQ(Cell(), (TPoint{1, 2}));
    // Shift+Tab in the first normal column goes to the end of the row above.
    TestInput::PressKey(grid, VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(Cell(), (TPoint{3, 1}));
    // ... and from the first data row to the last data row.
    grid->FocusCell(1, 1);
    TestInput::PressKey(grid, VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(Cell().Y, 3);
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExStringGrid-tab-walk"));
}

TEST_F(TabGrid, EndOfTheGridWrapsAppendsOrHandsTabToTheForm)
{
    // Defaults: the last cell wraps to the first data row.
    grid->FocusCell(4, 3);
    EXPECT_TRUE(grid->TabToNextCell(false));
    EXPECT_EQ(Cell(), (TPoint{1, 1}));

    // AdvanceInsert: a row is added and reported.
    grid->Navigation()->SetAdvanceInsert(true);
    Integer added = -1;
    grid->OnAutoAddRow = [&](TObject*, Integer R) { added = R; };
    grid->FocusCell(4, 3);
    EXPECT_TRUE(grid->TabToNextCell(false));
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(added, 4);
    EXPECT_EQ(Cell(), (TPoint{1, 4}));

    // TabToNextAtEnd: the wrap happens and the form hears Tab.
    Integer formTabs = 0;
    form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { formTabs += Key == VK_TAB; };
    grid->Navigation()->SetTabToNextAtEnd(true);
    grid->FocusCell(4, 4);
    EXPECT_FALSE(grid->TabToNextCell(false));
    EXPECT_EQ(grid->RowCount(), 5);  // no row added
    EXPECT_EQ(Cell(), (TPoint{1, 1}));
    Application->ProcessMessages();
    EXPECT_EQ(formTabs, 1);
}

TEST_F(TabGrid, KeyDownHandlerCanStopTheWalk)
{
    grid->OnKeyDown = [](TObject*, Word& Key, TShiftState) {
        if (Key == VK_TAB)
            Key = 0;
    };
    grid->FocusCell(2, 2);
    EXPECT_TRUE(grid->TabToNextCell(false));
    EXPECT_EQ(Cell(), (TPoint{2, 2}));
}

TEST_F(TabGrid, EditingGridSkipsReadOnlyCellsAndPassesMergedAreasAsOne)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->Navigation()->SetAdvanceAutoEdit(false);
    grid->OnCanEditCell = [](TObject*, Integer ARow, Integer ACol, bool& Can) {
        Can = !(ACol == 4 || (ARow == 2 && ACol <= 2));
    };
    grid->FocusCell(3, 1);
    grid->TabToNextCell(false);  // 4 is read-only, row 2 starts at column 3
    EXPECT_EQ(Cell(), (TPoint{3, 2}));
    grid->TabToNextCell(true);  // back over the read-only start of row 2
    EXPECT_EQ(Cell(), (TPoint{3, 1}));

    grid->OnCanEditCell = nullptr;
    grid->MergeCells(1, 3, 2, 1);
    grid->FocusCell(1, 3);
    grid->TabToNextCell(false);
    EXPECT_EQ(Cell(), (TPoint{3, 3}));

    // Nothing editable anywhere: the walk ends instead of going round for ever.
    grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& Can) { Can = false; };
    grid->FocusCell(2, 2);
    grid->TabToNextCell(false);
    SUCCEED();
}

TEST_F(TabGrid, EnterableColumnsAndVisibleRightFixedColumns)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->OnCanEditCell = [](TObject*, Integer, Integer ACol, bool& Can) { Can = ACol == 2 || ACol == 3; };
    EXPECT_EQ(grid->FirstEnterableCol(1), 2);
    EXPECT_EQ(grid->LastEnterableCol(1), 3);
    grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& Can) { Can = false; };
    EXPECT_EQ(grid->FirstEnterableCol(1), -1);
    grid->SetFixedRightCols(2);
    EXPECT_EQ(grid->VisibleFixedRightCols(), 2);
    grid->HideColumn(4);
    EXPECT_EQ(grid->VisibleFixedRightCols(), 1);
}

TEST_F(TabGrid, SelectionQueries)
{
    grid->SetRowCount(10);
    grid->SetSelection(TGridRect{1, 1, 3, 2});
    EXPECT_EQ(grid->SelectedCellsCount(), 6);
    EXPECT_TRUE(grid->SelectedCells(2, 2));
    EXPECT_FALSE(grid->SelectedCells(4, 2));
    EXPECT_EQ(grid->SelectedCell(0), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->SelectedCell(5), (TGridCoord{3, 2}));
    grid->FocusCell(2, 5);
    EXPECT_EQ(grid->SelectedCellsCount(), 1);
    EXPECT_EQ(grid->SelectedCell(0), (TGridCoord{2, 5}));
    // A block drawn from row 7 up to row 5.
    grid->SetSelection(TGridRect{1, 7, 1, 5});
    struct Case {
        Integer I, Row;
    } rows[] = {{0, 5}, {2, 7}, {3, -1}};
    for (const Case& k : rows)
        EXPECT_EQ(grid->SelectedRow(k.I), k.Row) << k.I;
    EXPECT_EQ(grid->SelectedRowCount(), 3);
    // One cell inside a merged area of three columns counts three.
    grid->MergeCells(1, 8, 3, 1);
    grid->SetSelection(TGridRect{1, 8, 1, 8});
    EXPECT_EQ(grid->SelectedColCount(), 3);
    // Disjunct cells: adding twice keeps one entry.
    grid->MouseActions()->SetDisjunctCellSelect(true);
    grid->ClearSelectedCells();
    grid->SetSelectedCells(2, 3, true);
    grid->SetSelectedCells(2, 3, true);
    grid->SetSelectedCells(4, 1, true);
    EXPECT_EQ(grid->SelectedCellsCount(), 2);
    EXPECT_TRUE(grid->SelectedCells(4, 1));
    EXPECT_FALSE(grid->SelectedCells(1, 1));
    grid->SetSelectedCells(2, 3, false);
    EXPECT_EQ(grid->SelectedCellsCount(), 1);
    grid->ClearSelectedCells();
    EXPECT_EQ(grid->SelectedCellsCount(), 0);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST_F(TabGrid, CurrentCellTextAndVersion)
{
    grid->MergeCells(1, 1, 2, 1);
    grid->SetCells(1, 1, QStringLiteral("<b>merged</b>"));
    grid->FocusCell(1, 1);
    EXPECT_EQ(grid->CurrentCell(), QStringLiteral("<b>merged</b>"));
    grid->SetCurrentCell(QStringLiteral("base"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("base"));
    grid->SetCurrentCellEditText(QStringLiteral("edited"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("edited"));
    EXPECT_EQ(grid->GetCurrentCellText(), QStringLiteral("edited"));
    EXPECT_EQ(grid->VersionNr(), 0x06020103u);
    EXPECT_EQ(grid->VersionString(), QStringLiteral("6.2.1.3 Sep, 2012"));
}
