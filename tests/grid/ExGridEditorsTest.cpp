// Editor choice per cell kind: a text cell opens the normal in-place edit,
// list and editable-list cells the combo box, a check-box cell the check
// box; each is placed over the cell, filled from it and written back by
// keyboard. Data check-box cells flip by click and Space. Also the
// editability and fixed-cell tests and the appearance hooks.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <map>

#include "Screenshot.h"

namespace {

// A shown form with a focused rule-table-like grid: column 1 text, 2 a
// fixed list, 3 an editable list, 4 a check box, 5 a data check box.
struct EditorGrid : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    std::map<Integer, TEditorType> kinds{{1, edNormal}, {2, edComboList}, {3, edComboEdit},
                                         {4, edCheckBox}, {5, edDataCheckBox}};
    Integer propCalls = 0;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(480, 200);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 200);
        grid->SetColCount(6);
        grid->SetRowCount(5);
        grid->SetDefaultColWidth(78);
        grid->SetOptions(grid->Options() | goEditing);
        const char* const heads[] = {"#", "Mnemonic", "Type", "Unit", "Check", "Enable"};
        for (Integer c = 0; c < 6; ++c)
            grid->SetCells(c, 0, QString::fromLatin1(heads[c]));
        for (Integer r = 1; r < 5; ++r) {
            grid->SetCells(0, r, QString::number(r));
            grid->SetCells(1, r, QStringLiteral("Rule %1").arg(r));
            grid->SetCells(2, r, QStringLiteral("UINT16"));
            grid->SetCells(3, r, QStringLiteral("kW"));
            grid->SetCells(4, r, QStringLiteral("caption"));
            grid->SetCells(5, r, QStringLiteral("Y"));
        }
        grid->OnGetEditorType = [this](TObject*, Integer ACol, Integer, TEditorType& AEditor) {
            if (auto it = kinds.find(ACol); it != kinds.end())
                AEditor = it->second;
        };
        // The application fills the shared list before the combo opens.
        grid->OnGetEditorProp = [this](TObject*, Integer ACol, Integer, TEditLink*) {
            ++propCalls;
            grid->ClearComboString();
            if (ACol == 2)
                for (const char* t : {"BOOL", "UINT8", "UINT16", "FLOAT"})
                    grid->AddComboString(QString::fromLatin1(t));
            else
                for (const char* t : {"W", "kW", "MW"})
                    grid->AddComboString(QString::fromLatin1(t));
        };
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    TPoint Center(Integer c, Integer r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    void OpenWithF2(Integer c, Integer r)
    {
        TestInput::Click(grid, Center(c, r));
        TestInput::PressKey(grid, VK_F2);
    }
};

} // namespace

TEST_F(EditorGrid, TextCellOpensTheNormalEditFilledFromTheCell)
{
    grid->SetCells(1, 2, QStringLiteral("<b>Rule</b> 2"));
    OpenWithF2(1, 2);
    TExInplaceEdit* ed = grid->GetNormalEdit();
    ASSERT_NE(ed, nullptr);
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(ed->Text(), QStringLiteral("Rule 2"));  // tags stripped
    EXPECT_EQ(grid->EditCtrlNow(), nullptr);
    EXPECT_FALSE(grid->Combobox()->Visible());
    EXPECT_EQ(grid->CellCache(), QStringLiteral("<b>Rule</b> 2"));
    TestInput::TypeText(ed, QStringLiteral("Meter"));
    TestInput::PressKey(ed, VK_RETURN);
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("Meter"));
}

TEST_F(EditorGrid, ComboListOpensOnTheCellsItemAndWritesTheChoiceBack)
{
    std::vector<QString> changes;
    grid->OnComboChange = [&](TObject*, Integer, Integer, Integer, const QString& S) { changes.push_back(S); };
    Integer doneCol = -1, doneRow = -1;
    grid->OnEditCellDone = [&](TObject*, Integer c, Integer r) {
        doneCol = c;
        doneRow = r;
    };
    OpenWithF2(2, 3);
    TGridCombo* combo = grid->Combobox();
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(grid->EditCtrlNow(), combo);
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(combo->ItemIndex(), 2);  // the cell's own text
    EXPECT_TRUE(changes.empty());
    EXPECT_GT(propCalls, 0);
    const TRect cell = grid->CellRect(2, 3);
    EXPECT_EQ(combo->Left(), cell.Left);
    EXPECT_EQ(combo->Top(), cell.Top);
    EXPECT_EQ(combo->Width(), cell.Width() - 1);
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExStringGrid-combo-editor"));

    TestInput::PressKey(combo, VK_DOWN);
    EXPECT_EQ(combo->Text(), QStringLiteral("FLOAT"));
    TestInput::PressKey(combo, VK_RETURN);
    EXPECT_FALSE(combo->Visible());
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("FLOAT"));
    // The end of the edit arrives as the grid's posted "GridEditDone".
    EXPECT_EQ(doneCol, -1);
    Application->ProcessMessages();
    EXPECT_EQ(doneCol, 2);
    EXPECT_EQ(doneRow, 3);
    EXPECT_EQ(form->ActiveControl(), grid);
}

TEST_F(EditorGrid, ComboListWithAnUnknownTextPicksTheFirstItemAndSaysSo)
{
    std::vector<std::pair<Integer, QString>> changes;
    grid->OnComboChange = [&](TObject*, Integer, Integer, Integer I, const QString& S) { changes.push_back({I, S}); };
    grid->SetCells(2, 1, QStringLiteral("unknown"));
    OpenWithF2(2, 1);
    EXPECT_EQ(grid->Combobox()->ItemIndex(), 0);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (std::pair<Integer, QString>{0, QStringLiteral("BOOL")}));
    // Escape closes it and keeps the cell's old text.
    TestInput::PressKey(grid->Combobox(), VK_ESCAPE);
    EXPECT_FALSE(grid->Combobox()->Visible());
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("unknown"));
}

TEST_F(EditorGrid, ComboEditTakesTheTypedStartCharacterAndThePreselection)
{
    grid->SetCells(3, 2, QStringLiteral("nothing listed"));
    grid->OnGetEditorProp = [this](TObject*, Integer, Integer, TEditLink*) {
        grid->ClearComboString();
        for (const char* t : {"W", "kW", "MW"})
            grid->AddComboString(QString::fromLatin1(t));
        grid->SetComboSelection(1);
    };
    OpenWithF2(3, 2);
    TGridCombo* combo = grid->Combobox();
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(combo->Style(), csDropDown);
    EXPECT_EQ(combo->ItemIndex(), 1);
    TestInput::PressKey(combo, VK_ESCAPE);

    // A typed character opens the editor and lands in it.
    TestInput::Click(grid, Center(3, 3));
    TestInput::TypeText(grid, QStringLiteral("G"));
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(combo->Text(), QStringLiteral("G"));
    TestInput::TypeText(combo, QStringLiteral("W"));
    TestInput::PressKey(combo, VK_RETURN);
    EXPECT_EQ(grid->Cells(3, 3), QStringLiteral("GW"));
}

TEST_F(EditorGrid, EditorTakesTheCellsPaintedColour)
{
    grid->OnGetCellColor = [](TObject*, Integer ARow, Integer ACol, TGridDrawState, TBrush* ABrush, TFont*) {
        if (ACol == 2 && ARow == 2)
            ABrush->SetColor(clYellow);
    };
    OpenWithF2(2, 2);
    ASSERT_TRUE(grid->Combobox()->Visible());
    EXPECT_EQ(grid->Combobox()->Color(), clYellow);
    TestInput::PressKey(grid->Combobox(), VK_ESCAPE);
    OpenWithF2(2, 3);
    EXPECT_EQ(grid->Combobox()->Color(), grid->Color());
}

TEST_F(EditorGrid, CheckBoxCellShowsTheCheckBoxAndWritesNothing)
{
    OpenWithF2(4, 1);
    TGridCheckBox* check = grid->CheckBoxEditor();
    ASSERT_TRUE(check->Visible());
    EXPECT_EQ(check->Caption(), QStringLiteral("caption"));
    EXPECT_EQ(check->State(), cbUnchecked);
    EXPECT_EQ(grid->EditCtrlNow(), nullptr);
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExStringGrid-checkbox-editor"));
    TestInput::PressKey(check, VK_SPACE, {}, QStringLiteral(" "));
    TestInput::PressKey(check, VK_RETURN);
    EXPECT_FALSE(check->Visible());
    EXPECT_EQ(grid->Cells(4, 1), QStringLiteral("caption"));
}

TEST_F(EditorGrid, DataCheckBoxFlipsByClickAndSpace)
{
    std::vector<bool> states;
    grid->OnCheckBoxClick = [&](TObject*, Integer, Integer, bool State) { states.push_back(State); };
    TestInput::Click(grid, Center(5, 2));
    EXPECT_EQ(grid->Cells(5, 2), QStringLiteral("N"));
    TestInput::PressKey(grid, VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_EQ(grid->Cells(5, 2), QStringLiteral("Y"));
    EXPECT_EQ(states, (std::vector<bool>{false, true}));
    // F2 opens nothing on it.
    TestInput::PressKey(grid, VK_F2);
    EXPECT_FALSE(grid->Combobox()->Visible());
    EXPECT_FALSE(grid->GetNormalEdit() != nullptr && grid->GetNormalEdit()->Visible());
    // A read-only cell does not flip.
    grid->GetCellProperties(5, 3)->SetReadOnly(true);
    TestInput::Click(grid, Center(5, 3));
    EXPECT_EQ(grid->Cells(5, 3), QStringLiteral("Y"));
}

TEST_F(EditorGrid, EditorNoneAndReadOnlyCellsOpenNothing)
{
    kinds[1] = edNone;
    OpenWithF2(1, 1);
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_FALSE(grid->GetNormalEdit() != nullptr && grid->GetNormalEdit()->Visible());
    kinds[1] = edNormal;
    grid->GetCellProperties(2, 4)->SetReadOnly(true);
    OpenWithF2(2, 4);
    EXPECT_FALSE(grid->Combobox()->Visible());
    EXPECT_FALSE(grid->IsCellEditable(2, 4));
    EXPECT_TRUE(grid->IsCellEditable(2, 3));
}

TEST(ExGridEditing, EditabilityFixedCellsAndHooks)
{
    TExStringGrid g(nullptr);
    g.SetOptions(g.Options() | goEditing);
    EXPECT_TRUE(g.IsEditable(2, 2));
    EXPECT_FALSE(g.IsEditable(0, 2));  // fixed column
    EXPECT_FALSE(g.IsEditable(2, 0));  // fixed row
    g.SetFixedFooters(1);
    g.SetFixedRightCols(1);
    EXPECT_TRUE(g.IsFixed(2, g.RowCount() - 1));
    EXPECT_TRUE(g.IsFixed(g.ColCount() - 1, 3));
    EXPECT_FALSE(g.IsFixed(2, 3));
    g.OnIsFixedCell = [](TObject*, Integer ARow, Integer, bool& IsFixed) { IsFixed = ARow == 3; };
    EXPECT_TRUE(g.IsFixed(2, 3));

    bool can = true;
    g.GetCellProperties(2, 2)->SetReadOnly(true);
    g.DoCanEditCell(2, 2, can);
    EXPECT_FALSE(can);
    g.OnCanEditCell = [](TObject*, Integer, Integer ACol, bool& CanEdit) { CanEdit = ACol != 3; };
    can = true;
    g.DoCanEditCell(3, 1, can);
    EXPECT_FALSE(can);

    EXPECT_FALSE(g.IsEditorNone(1, 1));
    EXPECT_FALSE(g.HasComboBox(1, 1));
    g.ControlLook()->SetDropDownAlwaysVisible(true);
    TEditorType kind = edComboList;
    g.OnGetEditorType = [&](TObject*, Integer, Integer, TEditorType& E) { E = kind; };
    EXPECT_TRUE(g.HasComboBox(1, 1));
    kind = edNormal;
    EXPECT_FALSE(g.HasComboBox(1, 1));
    kind = edNone;
    EXPECT_TRUE(g.IsEditorNone(1, 1));
    EXPECT_TRUE(TExStringGrid::IsTextEditor(edPositiveFloat));
    EXPECT_FALSE(TExStringGrid::IsTextEditor(edComboList));
}

TEST(ExGridEditing, CellColoursFontsAndColumnFilterValues)
{
    TExStringGrid g(nullptr);
    TBrush brush;
    TFont font;
    brush.SetColor(clWindow);
    g.GetCellProperties(1, 1)->SetBrushColor(clRed);
    g.GetCellColor(1, 1, 0, &brush, &font);
    EXPECT_EQ(brush.Color(), clRed);
    // A cell with a check box keeps the grid's colour.
    g.GetCellProperties(2, 1)->SetBrushColor(clRed);
    g.AddCheckBox(2, 1, cbChecked);
    brush.SetColor(clWindow);
    g.GetCellColor(2, 1, 0, &brush, &font);
    EXPECT_EQ(brush.Color(), clWindow);
    TCheckBoxState state = cbUnchecked;
    EXPECT_TRUE(g.GetCheckBoxState(2, 1, state));
    EXPECT_EQ(state, cbChecked);
    EXPECT_THROW(g.AddCheckBox(1, g.RowCount() + 1, cbChecked), DOzeDidoRivar);

    // Active cell headers take the active colour and font.
    g.SetActiveCellShow(true);
    g.SetActiveCellColor(clYellow);
    g.MoveColRow(3, 5, true, false);
    brush.SetColor(clBtnFace);
    g.GetCellColor(3, 0, 0, &brush, &font);
    EXPECT_EQ(brush.Color(), clYellow);
    brush.SetColor(clBtnFace);
    g.GetCellColor(0, 5, 0, &brush, &font);
    EXPECT_EQ(brush.Color(), clYellow);
    brush.SetColor(clBtnFace);
    g.GetCellColor(2, 0, 0, &brush, &font);
    EXPECT_EQ(brush.Color(), clBtnFace);

    g.SetFilterDropDownAuto(true);
    g.SetRowCount(5);
    g.SetCells(1, 1, QStringLiteral("a"));
    g.SetCells(1, 2, QStringLiteral("b c"));
    g.SetCells(1, 3, QStringLiteral("a"));
    g.SetCells(1, 4, QStringLiteral(" a "));
    ASSERT_TRUE(g.GetColumnFilter(1));
    ASSERT_EQ(g.FilterList()->Count(), 3);
    EXPECT_EQ(g.FilterList()->Strings(0), QStringLiteral("(All)"));
    EXPECT_EQ(g.FilterList()->Strings(1), QStringLiteral("a"));
    EXPECT_EQ(g.FilterList()->Strings(2), QStringLiteral("b c=\"b c\""));
}
