// The column grid as the rule tables use it: one item per real column kept
// in step with the column count, moves and hidden columns; headers, widths,
// editor kinds, combo items, check texts and read-only columns answered from
// the columns; a user ticking, typing and picking in the cells.
#include "grid/columns/ExColumnGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/IniFile.h"
#include "platform/Streams.h"
#include "platform/Menus.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

#include <QFile>
#include <QImage>
#include <QDataStream>
#include <QVariant>
#include <gtest/gtest.h>

#include "BrokenFiles.h"
#include "Screenshot.h"

namespace {

// A shown form with an uplink-rule-like column grid: 0 row number, 1 Enable
// (data check box), 2 Mnemonic (text), 3 Type (fixed list), 4 Unit
// (editable list), 5 Note (read-only).
struct RuleTable : ::testing::Test {
    TForm* form = nullptr;
    TExColumnGrid* grid = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(520, 200);
        grid = new TExColumnGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 520, 200);
        grid->SetColCount(6);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() | goEditing);
        TGridColumnCollection* cols = grid->Columns();
        const char* const heads[] = {"#", "Enable", "Mnemonic", "Type", "Unit", "Note"};
        const Integer widths[] = {30, 60, 120, 90, 90, 110};
        for (Integer c = 0; c < 6; ++c) {
            cols->Items(c)->SetHeader(QString::fromLatin1(heads[c]));
            cols->Items(c)->SetWidth(widths[c]);
        }
        cols->Items(1)->SetEditor(edDataCheckBox);
        cols->Items(1)->SetAlignment(taCenter);
        cols->Items(3)->SetEditor(edComboList);
        for (const char* t : {"BOOL", "UINT8", "UINT16", "FLOAT"})
            cols->Items(3)->ComboItems()->Add(QString::fromLatin1(t));
        cols->Items(4)->SetEditor(edComboEdit);
        for (const char* t : {"W", "kW", "MW"})
            cols->Items(4)->ComboItems()->Add(QString::fromLatin1(t));
        cols->Items(5)->SetReadOnly(true);
        for (Integer r = 1; r < 5; ++r) {
            grid->SetCells(0, r, QString::number(r));
            grid->SetCells(1, r, r % 2 ? QStringLiteral("Y") : QStringLiteral("N"));
            grid->SetCells(2, r, QStringLiteral("Rule %1").arg(r));
            grid->SetCells(3, r, QStringLiteral("UINT16"));
            grid->SetCells(4, r, QStringLiteral("kW"));
            grid->SetCells(5, r, QStringLiteral("fixed note"));
        }
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    TGridColumnItem* Item(Integer i) const { return grid->Columns()->Items(i); }
    TPoint Center(Integer c, Integer r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
};

} // namespace

TEST_F(RuleTable, ColumnsComeFromTheItemsAndShowInTheHeaderRow)
{
    EXPECT_EQ(grid->Columns()->Count(), 6);
    EXPECT_EQ(grid->Cells(2, 0), QStringLiteral("Mnemonic"));
    EXPECT_EQ(grid->ColWidths(2), 120);
    EXPECT_EQ(Item(2)->Width(), 120);
    ASSERT_EQ(grid->ColumnHeaders()->Count(), 6);
    EXPECT_EQ(grid->ColumnHeaders()->Strings(3), QStringLiteral("Type"));
    // The header row carries the titles; the data check boxes are ticked
    // for "Y".
    const QImage shot = GrabControl(form);
    testsupport::SaveScreenshot(shot, QStringLiteral("TExColumnGrid-rule-table"));
    EXPECT_FALSE(shot.isNull());
}

TEST_F(RuleTable, GrowingTheCountRepeatsTheLastColumnAndShrinkingFreesIt)
{
    Item(5)->SetEditor(edDataCheckBox);
    Item(5)->SetCheckTrue(QStringLiteral("1"));
    Item(5)->SetColor(clYellow);
    Item(5)->Font()->SetSize(14);
    Item(5)->ComboItems()->Add(QStringLiteral("only mine"));
    grid->SetColCount(8);
    ASSERT_EQ(grid->Columns()->Count(), 8);
    for (Integer i : {6, 7}) {
        EXPECT_EQ(Item(i)->Editor(), edDataCheckBox);
        EXPECT_EQ(Item(i)->CheckTrue(), QStringLiteral("1"));
        EXPECT_EQ(Item(i)->CheckFalse(), QStringLiteral("N"));
        EXPECT_TRUE(Item(i)->ReadOnly());
        EXPECT_TRUE(Item(i)->Header().isEmpty());
        EXPECT_EQ(Item(i)->ComboItems()->Count(), 0);
        EXPECT_EQ(Item(i)->Color(), grid->Color());           // the grid's, not column 5's
        EXPECT_EQ(Item(i)->Font()->Size(), grid->Font()->Size());
    }
    grid->SetColCount(6);
    EXPECT_EQ(grid->Columns()->Count(), 6);
    // An item added to the collection makes a column of the grid.
    grid->Columns()->Add();
    EXPECT_EQ(grid->ColCount(), 7);
}

TEST_F(RuleTable, HeadersAndDisplayNames)
{
    Item(3)->SetName(QStringLiteral("type"));
    EXPECT_EQ(Item(2)->GetDisplayName(), QStringLiteral("Column 2"));
    EXPECT_EQ(Item(3)->GetDisplayName(), QStringLiteral("Col 3: type"));
    EXPECT_EQ(grid->GetColumnByName(QStringLiteral("type")), Item(3));
    EXPECT_EQ(grid->GetColumnByName(QStringLiteral("Type")), nullptr);
    EXPECT_EQ(grid->GetVersionString(), QStringLiteral("3.1.3.1 Aug, 2012"));

    // Writing the header list of the grid writes the items' headers back.
    TStringList heads;
    for (const char* t : {"n", "on", "name", "kind", "unit", "text"})
        heads.Add(QString::fromLatin1(t));
    grid->ColumnHeaders()->Assign(&heads);
    EXPECT_EQ(Item(3)->Header(), QStringLiteral("kind"));
    EXPECT_EQ(grid->Cells(3, 0), QStringLiteral("kind"));

    // Every header written rewrites row 0 from the list, also a header cell
    // written directly since.
    grid->SetCells(4, 0, QStringLiteral("stale"));
    Item(1)->SetHeader(QStringLiteral("on"));
    EXPECT_EQ(grid->Cells(4, 0), QStringLiteral("unit"));
    Item(1)->SetHeader(QStringLiteral("enabled"));
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("enabled"));
    EXPECT_EQ(grid->ColumnHeaders()->Strings(1), QStringLiteral("enabled"));

    // Without a fixed row a header changes no cell but still rebuilds the list.
    grid->SetFixedRows(0);
    grid->SetCells(2, 0, QStringLiteral("data"));
    Item(2)->SetHeader(QStringLiteral("Label"));
    EXPECT_EQ(grid->Cells(2, 0), QStringLiteral("data"));
    EXPECT_EQ(grid->ColumnHeaders()->Strings(2), QStringLiteral("Label"));
}

// Headers written in a batch of column changes (a language change) reach
// the header list and row 0 together when the batch ends.
TEST_F(RuleTable, HeadersWrittenInABatchReachTheListAndRowZeroAtItsEnd)
{
    const char* const heads[] = {"N", "Aktiv", "Name", "Typ", "Einheit", "Notiz"};
    grid->SetCells(5, 0, QStringLiteral("stale"));
    grid->Columns()->BeginUpdate();
    for (Integer c = 0; c < 6; ++c)
        Item(c)->SetHeader(QString::fromLatin1(heads[c]));
    grid->Columns()->EndUpdate();
    ASSERT_EQ(grid->ColumnHeaders()->Count(), 6);
    for (Integer c = 0; c < 6; ++c) {
        EXPECT_EQ(grid->ColumnHeaders()->Strings(c), QString::fromLatin1(heads[c])) << c;
        EXPECT_EQ(grid->Cells(c, 0), QString::fromLatin1(heads[c])) << c;
    }
    // Outside a batch a header still reaches the list at once.
    Item(2)->SetHeader(QStringLiteral("Bezeichnung"));
    EXPECT_EQ(grid->ColumnHeaders()->Strings(2), QStringLiteral("Bezeichnung"));
}

TEST_F(RuleTable, HiddenColumnsKeepTheirItemsAndWidths)
{
    grid->HideColumn(2);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->Columns()->Count(), 6);
    EXPECT_EQ(Item(2)->Width(), 120);
    Item(2)->SetWidth(70);
    EXPECT_EQ(grid->ColCount(), 5);                // still hidden
    EXPECT_EQ(grid->ColWidths(2), 90);             // displayed column 2 is Type
    // The windows reach every real column with ColCount + NumHiddenColumns.
    grid->SetColCount(grid->ColCount());
    EXPECT_EQ(grid->Columns()->Count(), 6);
    grid->UnHideColumn(2);
    EXPECT_EQ(grid->ColWidths(2), 70);
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("Rule 1"));
}

TEST_F(RuleTable, HooksTakeTheRealColumnBehindADisplayedOne)
{
    Item(4)->SetEditMask(QStringLiteral("999"));
    Item(4)->SetEditLength(3);
    Item(4)->SetFixed(true);
    grid->HideColumn(2);
    bool fixed = false;
    grid->IsFixedCell(3, 1, fixed);  // displayed 3 is real column 4
    EXPECT_TRUE(fixed);
    // The editability test asks the same column even when the event allows editing.
    grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = true; };
    EXPECT_FALSE(grid->IsCellEditable(3, 1));
    EXPECT_TRUE(grid->IsCellEditable(2, 1));
    EXPECT_EQ(grid->GetEditMask(3, 1), QStringLiteral("999"));
    // The grid's own mask wins when set.
    grid->SetEditMask(QStringLiteral("AA"));
    EXPECT_EQ(grid->GetEditMask(3, 1), QStringLiteral("AA"));
}

TEST_F(RuleTable, CheckTextsOfTheColumnWinInNormalCellsOnly)
{
    grid->OnGetCheckTrue = [](TObject*, Integer, Integer, QString& Value) { Value = QStringLiteral("X"); };
    QString v;
    grid->GetCheckTrue(1, 2, v);
    EXPECT_EQ(v, QStringLiteral("Y"));
    grid->GetCheckTrue(1, 0, v);
    EXPECT_EQ(v, QStringLiteral("X"));
    grid->SetCells(1, 2, QStringLiteral("X"));
    TCheckBoxState state = cbChecked;
    ASSERT_TRUE(grid->GetCheckBoxState(1, 2, state));
    EXPECT_EQ(state, cbUnchecked);
    grid->SetCells(1, 2, QStringLiteral("Y"));
    ASSERT_TRUE(grid->GetCheckBoxState(1, 2, state));
    EXPECT_EQ(state, cbChecked);
}

TEST_F(RuleTable, DataCheckBoxColumnCellsReportACheckBoxUnlessTheyHoldAnotherGraphic)
{
    EXPECT_EQ(grid->GetCellType(1, 2), ctDataCheckBox);
    EXPECT_EQ(grid->GetCellType(1, 0), ctEmpty);  // the header keeps its own type
    EXPECT_EQ(grid->GetCellType(2, 2), ctEmpty);
    TCellGraphic* shared = grid->GetCellGraphic(1, 2);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->CellType, ctVirtCheckBox);
    EXPECT_EQ(grid->GetCellGraphic(1, 3), shared);
    grid->CreateCellGraphic(1, 3)->CellType = ctPicture;
    EXPECT_EQ(grid->GetCellType(1, 3), ctPicture);
    EXPECT_TRUE(grid->RemoveCellGraphic(1, 3));
    EXPECT_EQ(grid->GetCellType(1, 3), ctDataCheckBox);
}

TEST_F(RuleTable, ReadOnlyColumnsAndCellsAreNotEditableUnlessTheEventSaysSo)
{
    EXPECT_FALSE(grid->IsCellEditable(5, 2));
    EXPECT_TRUE(grid->IsCellEditable(2, 2));
    grid->SetReadOnly(2, 2, true);
    EXPECT_FALSE(grid->IsCellEditable(2, 2));
    grid->OnCanEditCell = [](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
        if (ACol == 5 && ARow == 2)
            CanEdit = true;
    };
    EXPECT_TRUE(grid->IsCellEditable(5, 2));
    EXPECT_FALSE(grid->IsCellEditable(5, 3));
    // Typing into the read-only column changes nothing.
    TestInput::Click(grid, Center(5, 3));
    TestInput::TypeText(grid, QStringLiteral("x"));
    EXPECT_EQ(grid->Cells(5, 3), QStringLiteral("fixed note"));
}

TEST_F(RuleTable, ComboColumnsHaveAComboBoxWhateverTheLook)
{
    grid->ControlLook()->SetDropDownAlwaysVisible(false);
    EXPECT_TRUE(grid->HasComboBox(3, 2));
    EXPECT_TRUE(grid->HasComboBox(4, 2));
    EXPECT_FALSE(grid->HasComboBox(2, 2));
    EXPECT_FALSE(grid->HasComboBox(3, 0));
    grid->OnHasComboBox = [](TObject*, Integer ACol, Integer, bool& Has) { Has = ACol == 2; };
    EXPECT_TRUE(grid->HasComboBox(2, 2));
    EXPECT_FALSE(grid->HasComboBox(3, 2));
}

TEST_F(RuleTable, FloatFormatsComeFromTheColumn)
{
    grid->SetCells(2, 1, QStringLiteral("2.5"));
    EXPECT_EQ(grid->GetFormattedCell(2, 1), QStringLiteral("2.5"));  // grid's "%.2f" is not used
    Item(2)->SetFloatFormat(QStringLiteral("%.3f"));
    EXPECT_EQ(grid->GetFormattedCell(2, 1), QStringLiteral("2.500"));
    grid->SetCells(2, 2, QStringLiteral("1e3"));
    EXPECT_EQ(grid->GetFormattedCell(2, 2), QStringLiteral("1e3"));
    grid->OnGetFloatFormat = [](TObject*, Integer, Integer ARow, bool& IsFloat, QString& Fmt) {
        if (ARow == 1)
            Fmt = QStringLiteral("%.1f");
        IsFloat = IsFloat && ARow == 1;
    };
    EXPECT_EQ(grid->GetFormattedCell(2, 1), QStringLiteral("2.5"));
    grid->SetCells(2, 1, QStringLiteral("7"));
    EXPECT_EQ(grid->GetFormattedCell(2, 1), QStringLiteral("7.0"));
    // Asking a cell's editor kind leaves the column's format in the grid.
    TEditorType kind = edNormal;
    grid->GetCellEditor(2, 3, kind);
    EXPECT_EQ(grid->FloatFormat(), QStringLiteral("%.3f"));
    QString fmt;
    grid->GetFloatFormat(3, 1, fmt);
    EXPECT_EQ(fmt, QStringLiteral("%.3f"));  // the grid's, the column has none
}

TEST_F(RuleTable, MovingAColumnCarriesItsItem)
{
    Integer from = -1, to = -1;
    grid->OnAfterColumnMoved = [&](TObject*, Integer F, Integer T) {
        from = F;
        to = T;
    };
    grid->Columns()->SetOrganization();  // as loading the form does
    grid->MoveColumn(2, 5);
    EXPECT_EQ(from, 2);
    EXPECT_EQ(to, 5);
    EXPECT_EQ(Item(5)->Header(), QStringLiteral("Mnemonic"));
    EXPECT_EQ(Item(2)->Header(), QStringLiteral("Type"));
    EXPECT_EQ(Item(2)->Editor(), edComboList);
    EXPECT_TRUE(Item(4)->ReadOnly());
    EXPECT_EQ(grid->Cells(5, 0), QStringLiteral("Mnemonic"));
    EXPECT_EQ(grid->Cells(5, 1), QStringLiteral("Rule 1"));
    EXPECT_EQ(grid->Columns()->Count(), 6);

    // The default order brings it back.
    grid->Columns()->ResetOrganization();
    EXPECT_EQ(Item(2)->Header(), QStringLiteral("Mnemonic"));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("Rule 1"));
    EXPECT_EQ(grid->Cells(5, 0), QStringLiteral("Note"));
}

TEST_F(RuleTable, ColumnSizeLimits)
{
    Item(2)->SetMinSize(40);
    Item(2)->SetMaxSize(200);
    Item(2)->SetAutoMaxSize(100);
    struct Case {
        bool Auto;
        Integer In, Out;
    } cases[] = {{false, 10, 40}, {false, 300, 200}, {false, 90, 90}, {true, 300, 100}, {true, 10, 10}};
    for (const Case& k : cases) {
        Integer w = k.In;
        if (k.Auto)
            grid->UpdateAutoColumnSize(2, w);
        else
            grid->UpdateColumnSize(2, w);
        EXPECT_EQ(w, k.Out) << k.In << (k.Auto ? " auto" : "");
    }
}

TEST_F(RuleTable, ColumnLooksPaintTheCells)
{
    Item(2)->SetColor(clYellow);
    Item(3)->SetFixed(true);
    grid->SetColors(2, 3, clLime);
    const QImage shot = GrabControl(grid);
    testsupport::SaveScreenshot(shot, QStringLiteral("TExColumnGrid-column-colours"));
    auto pixelNear = [&](Integer c, Integer r) {
        const TRect rc = grid->CellRect(c, r);
        return shot.pixelColor(rc.Right - 3, rc.Bottom - 3);
    };
    EXPECT_EQ(pixelNear(2, 1), QColor(255, 255, 0));
    EXPECT_EQ(pixelNear(2, 3), QColor(0, 255, 0));  // the cell's own colour wins
    const TColor fixed = ColorToRGB(grid->FixedColor());
    EXPECT_EQ(pixelNear(3, 1), QColor(fixed & 0xFF, (fixed >> 8) & 0xFF, (fixed >> 16) & 0xFF));
}

TEST_F(RuleTable, UserTicksTypesAndPicks)
{
    std::vector<std::tuple<Integer, Integer, bool>> clicks;
    grid->OnCheckBoxClick = [&](TObject*, Integer c, Integer r, bool s) { clicks.emplace_back(c, r, s); };
    std::vector<std::pair<Integer, QString>> combo;
    grid->OnComboChange = [&](TObject*, Integer c, Integer, Integer, const QString& s) { combo.emplace_back(c, s); };
    std::vector<std::pair<Integer, Integer>> done;
    grid->OnEditCellDone = [&](TObject*, Integer c, Integer r) { done.emplace_back(c, r); };

    // A click on a data check box flips its text.
    TestInput::Click(grid, Center(1, 1));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("N"));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_tuple(1, 1, false));

    // Typing into the text column.
    TestInput::Click(grid, Center(2, 2));
    TestInput::TypeText(grid, QStringLiteral("Meter"));
    ASSERT_NE(grid->GetNormalEdit(), nullptr);
    TestInput::PressKey(grid->GetNormalEdit(), VK_RETURN);
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("Meter"));

    // Picking from the list column: its own items, one change report.
    TestInput::Click(grid, Center(3, 3));
    TestInput::PressKey(grid, VK_F2);
    TGridCombo* box = grid->Combobox();
    ASSERT_TRUE(box->Visible());
    EXPECT_EQ(box->Items()->Count(), 4);
    EXPECT_EQ(box->Text(), QStringLiteral("UINT16"));
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExColumnGrid-combo-list-open"));
    TestInput::PressKey(box, VK_DOWN);
    ASSERT_EQ(combo.size(), 1u);
    EXPECT_EQ(combo[0], std::make_pair(3, QStringLiteral("FLOAT")));
    TestInput::PressKey(box, VK_RETURN);
    EXPECT_EQ(grid->Cells(3, 3), QStringLiteral("FLOAT"));
    Application->ProcessMessages();
    ASSERT_FALSE(done.empty());
    EXPECT_EQ(done.back(), std::make_pair(3, 3));
}

TEST_F(RuleTable, ColumnPopupOpensForItsClick)
{
    TPopupMenu menu(nullptr);
    Item(2)->SetColumnPopup(&menu);
    Item(2)->SetColumnPopupType(cpNormalCellsRClick);
    Integer popCol = -1;
    grid->OnColumnPopup = [&](TObject*, Integer c, Integer, TPopupMenu* m) {
        popCol = c;
        EXPECT_EQ(m, &menu);
    };
    PopupSeam::Clear();
    TestInput::Click(grid, Center(2, 2), mbLeft);
    EXPECT_EQ(PopupSeam::LastShown(), nullptr);
    TestInput::Click(grid, Center(2, 0), mbRight);  // a header: not this type
    EXPECT_EQ(PopupSeam::LastShown(), nullptr);
    EXPECT_EQ(popCol, 2);                            // the event is told anyway
    TestInput::Click(grid, Center(2, 2), mbRight);
    EXPECT_EQ(PopupSeam::LastShown(), &menu);
    const TRect rc = grid->CellRect(2, 2);
    EXPECT_EQ(PopupSeam::LastPoint(), grid->ClientToScreen({rc.Left, rc.Bottom}));
    PopupSeam::Clear();
}

TEST_F(RuleTable, ColumnFilterEntriesOfferTheirDisplayPartAndApplyTheirCondition)
{
    EXPECT_FALSE(grid->GetColumnFilter(2));
    for (const char* e : {"Short=<5", "Rules=Rule*"})
        Item(2)->Filter()->Add(QString::fromLatin1(e));
    ASSERT_TRUE(grid->GetColumnFilter(2));
    ASSERT_EQ(grid->FilterList()->Count(), 2);
    EXPECT_EQ(grid->FilterList()->Strings(1), QStringLiteral("Rules"));
    grid->SetAutoFilterDisplay(true);
    grid->SetAutoFilterUpdate(false);
    QString told;
    grid->OnFilterSelect = [&](TObject*, Integer, Integer, const QString& Name, QString& Cond) {
        told = Name;
        Cond += QStringLiteral("1");
    };
    grid->SetFilterCol(2);
    grid->FilterSelect(1);
    EXPECT_EQ(told, QStringLiteral("Rules"));
    EXPECT_EQ(Item(2)->Header(), QStringLiteral("Rules"));
    EXPECT_EQ(grid->Cells(2, 0), QStringLiteral("Rules"));
    ASSERT_NE(grid->Filter()->ColumnItem(2), nullptr);
    EXPECT_EQ(grid->Filter()->ColumnItem(2)->Condition, QStringLiteral("Rule*1"));
    EXPECT_EQ(grid->FilterCol(), -1);
}

TEST(ColumnItem, CopiesFollowTheirTables)
{
    TExColumnGrid grid(nullptr);
    grid.SetColCount(3);
    TGridColumnItem* src = grid.Columns()->Items(1);
    src->SetHeader(QStringLiteral("Head"));
    src->SetName(QStringLiteral("n"));
    src->SetTag(7);
    src->SetColor(clRed);
    src->SetEditor(edComboEdit);
    src->SetReadOnly(true);
    src->SetColumnPopupType(cpAllCellsLClick);
    src->SetPrintFontCustom(false);
    src->ComboItems()->Add(QStringLiteral("a"));
    src->Filter()->Add(QStringLiteral("f"));

    TGridColumnItem* full = grid.Columns()->Items(2);
    full->Assign(src);
    EXPECT_EQ(full->Header(), QStringLiteral("Head"));
    EXPECT_EQ(full->Name(), QStringLiteral("n"));
    EXPECT_EQ(full->Tag(), 7);
    EXPECT_EQ(full->Color(), clRed);
    EXPECT_EQ(full->ComboItems()->Count(), 1);
    EXPECT_EQ(full->ColumnPopupType(), cpFixedCellsRClick);  // not copied
    EXPECT_TRUE(full->PrintFontCustom());

    TGridColumnItem* look = grid.Columns()->Items(0);
    look->AssignVisuals(src);
    EXPECT_EQ(look->Editor(), edComboEdit);
    EXPECT_TRUE(look->ReadOnly());
    EXPECT_EQ(look->Filter()->Count(), 1);
    EXPECT_TRUE(look->Header().isEmpty());
    EXPECT_EQ(look->Color(), grid.Color());
    EXPECT_EQ(look->ComboItems()->Count(), 0);

    // Other sources are ignored.
    TFont font;
    look->Assign(&font);
    EXPECT_EQ(look->Editor(), edComboEdit);
}

TEST_F(RuleTable, ColumnsRoundTripThroughAStream)
{
    Item(3)->SetColumnPopupType(cpAllCellsLClick);
    Item(3)->SetPrintFontCustom(false);
    Item(2)->Font()->SetStyle(fsItalic);
    TMemoryStream st;
    grid->SaveColumnsToStream(&st);

    TExColumnGrid other(nullptr);
    other.SetColCount(6);
    st.SetPosition(0);
    other.LoadColumnsFromStream(&st);
    TGridColumnCollection* cols = other.Columns();
    ASSERT_EQ(cols->Count(), 6);
    EXPECT_EQ(cols->Items(2)->Header(), QStringLiteral("Mnemonic"));
    EXPECT_EQ(other.Cells(2, 0), QStringLiteral("Mnemonic"));
    EXPECT_EQ(cols->Items(2)->Width(), 120);
    EXPECT_EQ(other.ColWidths(2), 120);
    EXPECT_TRUE(cols->Items(2)->Font()->Style().Contains(fsItalic));
    EXPECT_EQ(cols->Items(1)->Editor(), edDataCheckBox);
    EXPECT_EQ(cols->Items(1)->CheckTrue(), QStringLiteral("Y"));
    EXPECT_EQ(cols->Items(3)->ComboItems()->Count(), 4);
    EXPECT_TRUE(cols->Items(5)->ReadOnly());
    // Not carried by the collection copy: back at their initial values.
    EXPECT_EQ(cols->Items(3)->ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_TRUE(cols->Items(3)->PrintFontCustom());
    EXPECT_EQ(cols->Items(4)->DefIdx(), 0);

    // A stream that holds no columns raises and leaves the items alone.
    TMemoryStream junk;
    junk.WriteBuffer("nonsense", 8);
    junk.SetPosition(0);
    EXPECT_THROW(other.LoadColumnsFromStream(&junk), EReadError);
    TMemoryStream cut;
    cut.WriteBuffer(static_cast<const char*>(st.Memory()), st.Size() - 10);
    cut.SetPosition(0);
    EXPECT_THROW(other.LoadColumnsFromStream(&cut), EReadError);
    EXPECT_EQ(cols->Items(3)->ComboItems()->Count(), 4);
}

namespace {
// A column stream of one column holding the given (name, value) pairs, as
// the writer frames it; Raw is written after the value of the last pair.
void ColumnStream(TStream* St, const std::vector<std::pair<QString, QVariant>>& Pairs, const QByteArray& Raw = {})
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << qint32(1);
    for (const auto& [name, value] : Pairs)
        out << name << value;
    payload += Raw;
    if (Raw.isEmpty())
        out << QString();
    const quint32 n = quint32(payload.size());
    const char length[4] = {char(n & 0xFF), char((n >> 8) & 0xFF), char((n >> 16) & 0xFF), char((n >> 24) & 0xFF)};
    St->WriteBuffer("ACG1", 4);
    St->WriteBuffer(length, 4);
    St->WriteBuffer(payload);
    St->SetPosition(0);
}
} // namespace

TEST_F(RuleTable, EmptyTruncatedAndRandomColumnStreamsAreRefused)
{
    TGridColumnCollection* cols = grid->Columns();
    TMemoryStream intact;
    grid->SaveColumnsToStream(&intact);
    const Integer before = cols->Count();
    const QString header = cols->Items(1)->Header();
    for (const TBrokenFile& b : BrokenFiles(intact.Bytes())) {
        SCOPED_TRACE(b.Name);
        TMemoryStream st;
        st.WriteBuffer(b.Bytes);
        st.SetPosition(0);
        EXPECT_THROW(grid->LoadColumnsFromStream(&st), EReadError);
        EXPECT_EQ(cols->Count(), before);
        EXPECT_EQ(cols->Items(1)->Header(), header);
    }
}

TEST_F(RuleTable, ColumnStreamValuesOutsideTheirRangeAreRefused)
{
    TGridColumnCollection* cols = grid->Columns();
    const Integer before = cols->Count();
    const TEditorType editor = cols->Items(0)->Editor();
    // A list that claims more entries than the stream holds: its count, in
    // the data stream's form of a string list variant (type 11, not null).
    QByteArray hugeList;
    QDataStream raw(&hugeList, QIODevice::WriteOnly);
    raw << QString::fromLatin1("ComboItems") << quint32(QMetaType::QStringList) << qint8(0) << quint32(0x7FFFFFFF);
    const struct {
        const char* name;
        std::vector<std::pair<QString, QVariant>> pairs;
        QByteArray raw;
    } cases[] = {
        {"editor 999", {{"Editor", 999}}, {}},
        {"negative editor", {{"Editor", -1}}, {}},
        {"sort style 77", {{"SortStyle", 77}}, {}},
        {"negative width", {{"Width", -5}}, {}},
        {"width beyond the grid's", {{"Width", 100000}}, {}},
        {"alignment 3", {{"Alignment", 3}}, {}},
        {"editor as text", {{"Editor", QStringLiteral("edNormal")}}, {}},
        {"header as a number", {{"Header", 7}}, {}},
        {"pen style 12", {{"BorderPen", QVariantList{0, 1, 12}}}, {}},
        {"font of three parts", {{"Font", QVariantList{QStringLiteral("Arial"), 10, 0}}}, {}},
        {"font of 50000 points", {{"Font", QVariantList{QStringLiteral("Arial"), 50000, 0, 0}}}, {}},
        {"a list of two billion lines", {}, hugeList},
        {"a kind the writer never writes", {{"Tag", QVariant(2.5)}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream st;
        ColumnStream(&st, c.pairs, c.raw);
        EXPECT_THROW(grid->LoadColumnsFromStream(&st), EReadError);
        EXPECT_EQ(cols->Count(), before);
        EXPECT_EQ(cols->Items(0)->Editor(), editor);
    }
    // The same frame with values in range loads.
    TMemoryStream good;
    ColumnStream(&good, {{"Editor", int(edComboList)}, {"Width", 40}, {"Header", QStringLiteral("One")}});
    grid->LoadColumnsFromStream(&good);
    ASSERT_EQ(cols->Count(), 1);
    EXPECT_EQ(cols->Items(0)->Editor(), edComboList);
    EXPECT_EQ(cols->Items(0)->Header(), QStringLiteral("One"));
}

TEST_F(RuleTable, ColumnPositionsSurviveInAnIniFile)
{
    const QString ini = QStringLiteral(TEST_BUILD_DIR "/colgrid-positions.ini");
    QFile::remove(ini);
    grid->Columns()->SetOrganization();
    grid->SetColCount(3);
    grid->MoveColumn(0, 2);
    grid->ColumnSize()->SetLocation(clIniFile);
    grid->ColumnSize()->SetKey(ini);
    grid->ColumnSize()->SetSection(QStringLiteral("Uplink"));
    grid->SaveColPositions();
    TIniFile file(ini);
    EXPECT_EQ(file.ReadInteger(QStringLiteral("Uplink"), QStringLiteral("CP0"), -1), 1);
    EXPECT_EQ(file.ReadInteger(QStringLiteral("Uplink"), QStringLiteral("CP1"), -1), 2);
    EXPECT_EQ(file.ReadInteger(QStringLiteral("Uplink"), QStringLiteral("CP2"), -1), 0);

    TExColumnGrid fresh(nullptr);
    fresh.SetColCount(3);
    for (Integer c = 0; c < 3; ++c)
        fresh.Columns()->Items(c)->SetHeader(QStringLiteral("h%1").arg(c));
    fresh.Columns()->SetOrganization();
    fresh.LoadColumnPositions(ini, QStringLiteral("Uplink"));
    EXPECT_EQ(fresh.Cells(2, 0), QStringLiteral("h0"));
    EXPECT_EQ(fresh.Cells(0, 0), QStringLiteral("h1"));
    EXPECT_EQ(fresh.Columns()->Items(2)->DefIdx(), 0);

    // A section that lacks a key changes nothing.
    TExColumnGrid other(nullptr);
    other.SetColCount(3);
    for (Integer c = 0; c < 3; ++c)
        other.Columns()->Items(c)->SetHeader(QStringLiteral("h%1").arg(c));
    file.DeleteKey(QStringLiteral("Uplink"), QStringLiteral("CP1"));
    other.LoadColumnPositions(ini, QStringLiteral("Uplink"));
    EXPECT_EQ(other.Cells(0, 0), QStringLiteral("h0"));
    QFile::remove(ini);
}
