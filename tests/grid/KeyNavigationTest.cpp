// The grid's keyboard as a user works a rule table: Home and End, select
// all, Enter on a read-only cell, the character that opens the editor, the
// wrap at the edges, scrolling without moving, rows moved, appended,
// inserted and deleted by key, fixed cells skipped and the type-ahead text
// kept or cleared on key-up.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include "Screenshot.h"

namespace {

struct KeyGrid : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    std::vector<Word> keyDowns;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(420, 200);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 420, 200);
        grid->SetColCount(6);
        grid->SetRowCount(8);
        grid->SetDefaultColWidth(64);
        for (Integer r = 1; r < 8; ++r)
            for (Integer c = 1; c < 6; ++c)
                grid->SetCells(c, r, QStringLiteral("%1").arg(c * 10 + r));
        grid->OnKeyDown = [this](TObject*, Word& Key, TShiftState) { keyDowns.push_back(Key); };
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    TPoint Cell() const { return {grid->Col(), grid->Row()}; }
};

} // namespace

TEST_F(KeyGrid, HomeAndEndFollowTheNavigationSetting)
{
    struct Case {
        THomeEndAction Action;
        Word Key;
        TShiftState Shift;
        TPoint From, To;
    } cases[] = {
        {heFirstLastColumn, VK_HOME, {}, {3, 4}, {1, 4}},
        {heFirstLastColumn, VK_END, {}, {3, 4}, {5, 4}},
        {heFirstLastColumn, VK_HOME, TShiftState{ssCtrl}, {3, 4}, {1, 1}},
        {heFirstLastRow, VK_HOME, {}, {3, 4}, {3, 1}},
        {heFirstLastRow, VK_END, {}, {3, 4}, {3, 7}},
        {heFirstLastCell, VK_HOME, {}, {3, 4}, {1, 1}},
        {heFirstLastCell, VK_END, {}, {3, 4}, {5, 7}},
    };
    for (const Case& k : cases) {
        grid->Navigation()->SetHomeEndKey(k.Action);
        grid->FocusCell(k.From.X, k.From.Y);
        keyDowns.clear();
        TestInput::PressKey(grid, k.Key, k.Shift);
        EXPECT_EQ(Cell(), k.To) << k.Action << " " << k.Key;
        EXPECT_EQ(keyDowns, std::vector<Word>{k.Key}) << k.Action << " " << k.Key;
    }
    // Shift+End marks the rest of the row, the current cell staying.
    grid->Navigation()->SetHomeEndKey(heFirstLastColumn);
    grid->FocusCell(2, 3);
    TestInput::PressKey(grid, VK_END, TShiftState{ssShift});
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 5, 3}));
}

TEST_F(KeyGrid, CtrlASelectsEveryDataCellAndDefaultsLeaveOtherKeysAlone)
{
    grid->FocusCell(2, 2);
    TestInput::PressKey(grid, 'A', TShiftState{ssCtrl});
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 5, 7}));
    EXPECT_EQ(Cell(), (TPoint{5, 7}));
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExStringGrid-select-all"));
    // Without AllowInsertRow and AllowDeleteRow the keys change nothing.
    grid->FocusCell(2, 2);
    TestInput::PressKey(grid, VK_INSERT);
    TestInput::PressKey(grid, VK_DELETE);
    EXPECT_EQ(grid->RowCount(), 8);
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("22"));
}

TEST_F(KeyGrid, EnterOnAReadOnlyCellReachesOnKeyDownOnceAndOnKeyPress)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->OnCanEditCell = [](TObject*, Integer, Integer ACol, bool& Can) { Can = ACol != 2; };
    std::vector<QChar> presses;
    grid->OnKeyPress = [&](TObject*, QChar& Key) { presses.push_back(Key); };
    grid->FocusCell(2, 3);
    TestInput::PressKey(grid, VK_RETURN);
    EXPECT_EQ(keyDowns, std::vector<Word>{VK_RETURN});
    EXPECT_EQ(presses, std::vector<QChar>{QChar(u'\r')});
    EXPECT_EQ(Cell(), (TPoint{2, 3}));
    EXPECT_FALSE(grid->InEditMode());
}

TEST_F(KeyGrid, TypedCharacterPassesOnKeyPressBeforeTheEditorOpens)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->OnKeyPress = [](TObject*, QChar& Key) { Key = Key.toUpper(); };
    grid->FocusCell(3, 2);
    TestInput::TypeText(grid, QStringLiteral("a"));
    TExInplaceEdit* ed = grid->GetNormalEdit();
    ASSERT_NE(ed, nullptr);
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(ed->Text(), QStringLiteral("A"));
    // Enter moves on with AdvanceOnEnter; F2 opens the editor keeping the text.
    grid->Navigation()->SetAdvanceOnEnter(true);
    TestInput::PressKey(ed, VK_RETURN);
    EXPECT_EQ(grid->Cells(3, 2), QStringLiteral("A"));
    EXPECT_EQ(Cell(), (TPoint{4, 2}));
    TestInput::PressKey(grid, VK_F2);
    EXPECT_EQ(grid->GetNormalEdit()->Text(), QStringLiteral("42"));
}

TEST_F(KeyGrid, CursorAdvanceWrapsAtTheEdges)
{
    struct Case {
        TCursorAdvance Mode;
        Word Key;
        TPoint From, To;
    } cases[] = {
        {caLoop, VK_RIGHT, {5, 3}, {1, 3}},   {caLoop, VK_LEFT, {1, 3}, {5, 3}},   {caLoop, VK_DOWN, {2, 7}, {2, 1}},
        {caSnake, VK_RIGHT, {5, 3}, {1, 4}},  {caSnake, VK_DOWN, {2, 7}, {3, 1}},  {caDefault, VK_RIGHT, {5, 3}, {5, 3}},
    };
    for (const Case& k : cases) {
        grid->Navigation()->SetCursorAdvance(k.Mode);
        grid->FocusCell(k.From.X, k.From.Y);
        TestInput::PressKey(grid, k.Key);
        EXPECT_EQ(Cell(), k.To) << k.Mode << " " << k.Key;
    }
    // With right fixed columns the cursor never stands in the last column: no wrap.
    grid->Navigation()->SetCursorAdvance(caLoop);
    grid->SetFixedRightCols(1);
    grid->FocusCell(4, 3);
    TestInput::PressKey(grid, VK_RIGHT);
    EXPECT_EQ(Cell(), (TPoint{4, 3}));
}

TEST_F(KeyGrid, MoveScrollOnlyScrollsAndKeepsTheCell)
{
    grid->SetRowCount(40);
    grid->Navigation()->SetMoveScrollOnly(true);
    grid->FocusCell(2, 3);
    keyDowns.clear();
    const Integer top = grid->TopRow();
    TestInput::PressKey(grid, VK_DOWN);
    EXPECT_EQ(grid->TopRow(), top + 1);
    EXPECT_EQ(Cell(), (TPoint{2, 3}));
    EXPECT_TRUE(keyDowns.empty());
    TestInput::PressKey(grid, VK_HOME);
    EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(KeyGrid, RowsMoveAppendInsertAndDeleteByKey)
{
    // Ctrl+Down moves a three-row block one down, the selection with it.
    grid->Navigation()->SetCursorMoveRows(true);
    grid->FocusCell(1, 2);
    grid->SetSelection(TGridRect{1, 2, 5, 4});
    TestInput::PressKey(grid, VK_DOWN, TShiftState{ssCtrl});
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("12"));
    EXPECT_EQ(grid->Cells(1, 5), QStringLiteral("14"));
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("15"));
    EXPECT_EQ(grid->Selection().Top, 3);
    EXPECT_EQ(grid->Selection().Bottom, 5);
    grid->Navigation()->SetCursorMoveRows(false);

    // Down on the last data row appends a row.
    grid->Navigation()->SetAppendOnArrowDown(true);
    Integer added = -1;
    grid->OnAutoAddRow = [&](TObject*, Integer R) { added = R; };
    grid->FocusCell(2, 7);
    TestInput::PressKey(grid, VK_DOWN);
    EXPECT_EQ(grid->RowCount(), 9);
    EXPECT_EQ(added, 8);
    EXPECT_EQ(Cell(), (TPoint{2, 8}));
    EXPECT_EQ(grid->Cells(2, 8), QString());

    // Insert and Delete with their permissions and vetoes.
    grid->Navigation()->SetAllowInsertRow(true);
    grid->Navigation()->SetAllowDeleteRow(true);
    bool canDelete = false;
    grid->OnCanDeleteRow = [&](TObject*, Integer, bool& Can) { Can = canDelete; };
    grid->FocusCell(1, 3);
    TestInput::PressKey(grid, VK_INSERT);
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_EQ(grid->Cells(1, 3), QString());
    EXPECT_EQ(grid->Cells(1, 4), QStringLiteral("12"));
    TestInput::PressKey(grid, VK_DELETE);
    EXPECT_EQ(grid->RowCount(), 10);
    canDelete = true;
    TestInput::PressKey(grid, VK_DELETE);
    EXPECT_EQ(grid->RowCount(), 9);
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("12"));
}

TEST_F(KeyGrid, ArrowsSkipFixedCellsAndKeyUpKeepsOrClearsTheSearchText)
{
    grid->OnIsFixedCell = [](TObject*, Integer ARow, Integer ACol, bool& Fixed) { Fixed = ACol == 3 || ARow == 4; };
    grid->FocusCell(2, 2);
    TestInput::PressKey(grid, VK_RIGHT);
    EXPECT_EQ(Cell(), (TPoint{4, 2}));
    TestInput::PressKey(grid, VK_LEFT);
    EXPECT_EQ(Cell(), (TPoint{2, 2}));
    grid->FocusCell(2, 3);
    TestInput::PressKey(grid, VK_DOWN);
    EXPECT_EQ(Cell(), (TPoint{2, 5}));
    grid->OnIsFixedCell = nullptr;

    grid->SetIncrSearchText(QStringLiteral("ab"));
    TestInput::PressKey(grid, VK_HOME);
    EXPECT_EQ(grid->IncrSearchText(), QStringLiteral("ab"));
    TestInput::PressKey(grid, VK_END);
    EXPECT_EQ(grid->IncrSearchText(), QString());
}

TEST_F(KeyGrid, SpaceWorksRadioCellsAndEnterPressesButtons)
{
    TStrings* options = grid->CreateRadio(2, 2, 0, 0);
    for (const char* t : {"Off", "On", "Auto"})
        options->Add(QString::fromLatin1(t));
    grid->AddRadioButton(3, 2, false);
    grid->AddRadioButton(3, 3, true);
    grid->AddButton(4, 2, 40, 18, QStringLiteral("Go"), haCenter, vaCenter);
    std::vector<Integer> radio;
    grid->OnRadioClick = [&](TObject*, Integer, Integer, Integer I) { radio.push_back(I); };
    Integer buttonRow = -1, radioButtonRow = -1;
    grid->OnRadioButtonClick = [&](TObject*, Integer, Integer R) { radioButtonRow = R; };
    grid->OnButtonClick = [&](TObject*, Integer, Integer R) { buttonRow = R; };
    grid->SetOptions(grid->Options() | goEditing);
    grid->FocusCell(2, 2);
    TestInput::PressKey(grid, VK_SPACE, {}, QStringLiteral(" "));
    TestInput::PressKey(grid, VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_EQ(radio, (std::vector<Integer>{1, 2}));
    EXPECT_FALSE(grid->InEditMode());
    grid->FocusCell(3, 2);
    TestInput::PressKey(grid, VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_EQ(radioButtonRow, 2);
    EXPECT_TRUE(grid->IsRadioButtonChecked(3, 2));
    EXPECT_FALSE(grid->IsRadioButtonChecked(3, 3));
    grid->FocusCell(4, 2);
    TestInput::PressKey(grid, VK_RETURN);
    EXPECT_EQ(buttonRow, 2);
}
