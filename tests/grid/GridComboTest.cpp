// The combo editor as a user works it in a rule table: a fixed list and an
// editable list, the keys that commit, move on or cancel, the wheel,
// completion while typing and the width of the opened list.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include "Screenshot.h"

namespace {

// Column 1 a fixed list (edComboList), column 2 an editable list (edComboEdit).
struct ComboCells : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    std::vector<std::pair<Integer, QString>> changes;  // item index, selection
    std::vector<QString> edits;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(360, 200);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 360, 200);
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetDefaultColWidth(85);
        grid->SetOptions(grid->Options() | goEditing);
        for (Integer r = 1; r < 5; ++r) {
            grid->SetCells(1, r, QStringLiteral("UINT8"));
            grid->SetCells(2, r, QStringLiteral("kW"));
        }
        grid->OnGetEditorType = [](TObject*, Integer ACol, Integer, TEditorType& E) {
            if (ACol == 1)
                E = edComboList;
            else if (ACol == 2)
                E = edComboEdit;
        };
        grid->OnGetEditorProp = [this](TObject*, Integer ACol, Integer, TEditLink*) {
            grid->ClearComboString();
            const QStringList items = ACol == 1 ? QStringList{"BOOL", "UINT8", "UINT16", "FLOAT"} : QStringList{"W", "kW", "MW"};
            for (const QString& s : items)
                grid->AddComboString(s);
        };
        grid->OnComboChange = [this](TObject*, Integer, Integer, Integer I, const QString& S) { changes.push_back({I, S}); };
        grid->OnEditChange = [this](TObject*, Integer, Integer, const QString& V) { edits.push_back(V); };
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    TGridCombo* Open(Integer c, Integer r)
    {
        grid->FocusCell(c, r);
        TestInput::PressKey(grid, VK_F2);
        EXPECT_TRUE(grid->Combobox()->Visible());
        changes.clear();
        edits.clear();
        return grid->Combobox();
    }
};

} // namespace

TEST_F(ComboCells, ListWithAnUnknownTextOpensOnTheFirstItemAndKeepsIt)
{
    grid->SetCells(1, 2, QStringLiteral("INT64"));
    grid->FocusCell(1, 2);
    TestInput::PressKey(grid, VK_F2);
    TGridCombo* combo = grid->Combobox();
    EXPECT_EQ(combo->ItemIndex(), 0);
    ASSERT_FALSE(edits.empty());  // the forced choice is a change of the editor's text
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (std::pair<Integer, QString>{0, QStringLiteral("BOOL")}));
    grid->HideInplaceEdit();  // closed without a choice: the first item is the value
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("BOOL"));
}

TEST_F(ComboCells, ListArrowsChooseEnterCommitsAndMovesOnIntoTheNextEditor)
{
    grid->Navigation()->SetAdvanceOnEnter(true);
    TGridCombo* combo = Open(1, 1);
    TestInput::PressKey(combo, VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_TRUE(combo->Visible());  // no commit yet
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("UINT8"));
    EXPECT_EQ(changes.back(), (std::pair<Integer, QString>{2, QStringLiteral("UINT16")}));
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TGridCombo-list"));
    TestInput::PressKey(combo, VK_RETURN);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("UINT16"));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 1);
    // AdvanceAutoEdit: the editable list of the next cell is open at once.
    EXPECT_TRUE(combo->Visible());
    EXPECT_EQ(combo->Style(), csDropDown);
    EXPECT_EQ(combo->Text(), QStringLiteral("kW"));
}

TEST_F(ComboCells, EditableListUpCommitsTheTypedTextAndMovesUp)
{
    Integer validated = 0;
    grid->OnCellValidate = [&](TObject*, Integer, Integer, QString& V, bool& Valid) {
        ++validated;
        Valid = V != QStringLiteral("bad");
    };
    TGridCombo* combo = Open(2, 3);
    combo->SetText(QStringLiteral("bad"));
    TestInput::PressKey(combo, VK_UP);
    EXPECT_EQ(validated, 1);
    EXPECT_EQ(grid->Row(), 3);  // refused: the editor stays
    EXPECT_TRUE(combo->Visible());
    combo->SetText(QStringLiteral("GW"));
    TestInput::PressKey(combo, VK_UP);
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("GW"));
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(combo->Visible());
}

TEST_F(ComboCells, TypingInAListPicksTheItemAndReportsIt)
{
    std::vector<QChar> presses;
    grid->OnKeyPress = [&](TObject* Sender, QChar& Key) {
        EXPECT_EQ(Sender, grid->Combobox());
        presses.push_back(Key);
    };
    TGridCombo* combo = Open(1, 1);
    TestInput::TypeText(combo, QStringLiteral("F"));
    EXPECT_EQ(combo->ItemIndex(), 3);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), (std::pair<Integer, QString>{3, QStringLiteral("FLOAT")}));
    EXPECT_EQ(presses, std::vector<QChar>{QChar(u'F')});
}

TEST_F(ComboCells, EscapeRestoresTheCellsText)
{
    TGridCombo* combo = Open(2, 1);
    combo->SetText(QStringLiteral("typed"));
    TestInput::PressKey(combo, VK_ESCAPE);
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("kW"));
    combo = Open(1, 1);
    TestInput::PressKey(combo, VK_DOWN);
    TestInput::PressKey(combo, VK_ESCAPE);
    EXPECT_EQ(combo->ItemIndex(), 1);  // the cell's own item again
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("UINT8"));
}

TEST_F(ComboCells, WheelStepsAndReportsEvenAtTheEnds)
{
    TGridCombo* combo = Open(1, 1);
    const TPoint mid{combo->Width() / 2, combo->Height() / 2};
    TestInput::Wheel(combo, -120, mid);
    EXPECT_EQ(combo->ItemIndex(), 2);
    TestInput::Wheel(combo, -120, mid);
    TestInput::Wheel(combo, -120, mid);  // already on the last item
    EXPECT_EQ(combo->ItemIndex(), 3);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[2], (std::pair<Integer, QString>{3, QStringLiteral("FLOAT")}));
    EXPECT_EQ(edits.back(), QStringLiteral("FLOAT"));
    for (Integer i = 0; i < 4; ++i)
        TestInput::Wheel(combo, 120, mid);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(changes.back(), (std::pair<Integer, QString>{0, QStringLiteral("BOOL")}));
}

TEST_F(ComboCells, TypingCompletesFromTheItemsThenFromTheLookupList)
{
    grid->SetLookup(true);
    grid->LookupItems()->Add(QStringLiteral("GWh"));
    TGridCombo* combo = Open(2, 2);
    combo->SetText(QString());
    TestInput::TypeText(combo, QStringLiteral("m"));
    EXPECT_EQ(combo->Text(), QStringLiteral("mW"));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->LookupIndex(), 2);
    combo->SetText(QString());
    TestInput::TypeText(combo, QStringLiteral("g"));
    EXPECT_EQ(combo->Text(), QStringLiteral("gWh"));
    EXPECT_EQ(combo->ItemIndex(), -1);
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TGridCombo-lookup"));
}

TEST_F(ComboCells, DropDownWidthFollowsTheWidestItem)
{
    TGridCombo* combo = grid->Combobox();
    const QString item = QStringLiteral("a rather long item text");
    const Integer t = grid->Canvas()->TextWidth(item);
    combo->SetWidth(t - 20);
    combo->Items()->Clear();
    for (Integer i = 0; i < 5; ++i)
        combo->Items()->Add(item);
    combo->SetDropDownCount(8);
    combo->SizeDropDownWidth();
    EXPECT_EQ(ComboDroppedWidth(combo), t + 8);
    // More items than the list shows: room for its scroll bar.
    for (Integer i = 0; i < 4; ++i)
        combo->Items()->Add(item);
    combo->SizeDropDownWidth();
    EXPECT_EQ(ComboDroppedWidth(combo), t + 25);
}
