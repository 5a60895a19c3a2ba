// Check boxes, radio buttons and radio groups in grid cells: where each
// kind keeps its state, how it is read, written and toggled by program,
// click and Space, the events, and how the boxes look in each control style.
#include "grid/ExGrid.h"

#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "Screenshot.h"

namespace {

// A shown rule-table-like grid: column 1 text, column 2 a data check box
// column ("Y"/"N", centred), column 3 plain check boxes, column 4 hidden.
struct CheckGrid : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    std::vector<std::tuple<Integer, Integer, bool>> clicks, changes;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(420, 160);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 420, 160);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        grid->SetDefaultColWidth(80);
        grid->SetOptions(grid->Options() | goEditing);
        const char* const heads[] = {"#", "Mnemonic", "Enable", "Log", "Hidden"};
        for (Integer c = 0; c < 5; ++c)
            grid->SetCells(c, 0, QString::fromLatin1(heads[c]));
        for (Integer r = 1; r < 5; ++r) {
            grid->SetCells(0, r, QString::number(r));
            grid->SetCells(1, r, QStringLiteral("Rule %1").arg(r));
            grid->SetCells(2, r, r % 2 ? QStringLiteral("Y") : QStringLiteral("N"));
        }
        grid->AddCheckBoxColumn(2, false, true);
        grid->AddCheckBoxColumn(3, false, false);
        grid->OnGetAlignment = [](TObject*, Integer, Integer ACol, TAlignment& HA, TVAlignment&) {
            if (ACol == 2)
                HA = taCenter;
        };
        grid->OnCheckBoxClick = [this](TObject*, Integer c, Integer r, bool s) { clicks.emplace_back(c, r, s); };
        grid->OnCheckBoxChange = [this](TObject*, Integer c, Integer r, bool s) { changes.emplace_back(c, r, s); };
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    TPoint Center(Integer c, Integer r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    bool State(Integer c, Integer r)
    {
        bool s = false;
        EXPECT_TRUE(grid->GetCheckBoxState(c, r, s));
        return s;
    }
};

// The tick of the XP-style glyph is green; a box without it has none.
bool HasTick(const QImage& img, const TRect& r)
{
    for (Integer y = r.Top; y < r.Bottom; ++y)
        for (Integer x = r.Left; x < r.Right; ++x) {
            const QColor c(img.pixel(x, y));
            if (c.green() > 120 && c.red() < 100 && c.blue() < 100)
                return true;
        }
    return false;
}

} // namespace

TEST_F(CheckGrid, DataCheckBoxStateIsTheExactCheckTrueText)
{
    // Exact and case-sensitive: only "Y" is checked.
    const std::vector<std::pair<QString, bool>> cases{
        {"Y", true}, {"y", false}, {" Y", false}, {"", false}, {"N", false}, {"yes", false}};
    for (const auto& [text, checked] : cases) {
        grid->SetCells(2, 1, text);
        EXPECT_EQ(State(2, 1), checked) << text.toStdString();
        EXPECT_EQ(grid->IsChecked(2, 1), checked);
    }
    EXPECT_TRUE(grid->SetCheckBoxState(2, 1, true));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("Y"));
    EXPECT_TRUE(grid->SetCheckBoxState(2, 1, false));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("N"));
    // Per-cell texts come from OnGetCheckTrue and OnGetCheckFalse.
    grid->OnGetCheckTrue = [](TObject*, Integer, Integer, QString& V) { V = QStringLiteral("On"); };
    grid->OnGetCheckFalse = [](TObject*, Integer, Integer, QString& V) { V = QStringLiteral("Off"); };
    EXPECT_TRUE(grid->SetCheckBoxState(2, 1, true));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("On"));
    EXPECT_TRUE(State(2, 1));
    // No check box, no answer; setting the state fires no event.
    bool s = true;
    EXPECT_FALSE(grid->GetCheckBoxState(1, 1, s));
    EXPECT_FALSE(grid->IsChecked(1, 1));
    EXPECT_TRUE(changes.empty());
}

TEST_F(CheckGrid, AddingADataCheckBoxKeepsACheckTextAndWritesOtherwise)
{
    grid->SetCells(1, 1, QStringLiteral("Y"));
    grid->AddCheckBox(1, 1, false, true);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Y"));
    grid->SetCells(1, 2, QStringLiteral("maybe"));
    grid->AddCheckBox(1, 2, false, true);
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("N"));
    EXPECT_TRUE(grid->HasDataCheckBox(1, 2));
    EXPECT_TRUE(grid->HasDataGraphic(1, 2));
    EXPECT_FALSE(grid->HasDataCheckBox(3, 2));
    // Outside the grid: an error, nothing added.
    EXPECT_THROW(grid->AddCheckBox(7, 1, true, false), DOzeDidoRivar);
    EXPECT_THROW(grid->AddCheckBox(1, 9, true, false), DOzeDidoRivar);
    EXPECT_THROW(grid->AddRadioButton(7, 1, true), DOzeDidoRivar);
    // Removing keeps the text; a lent or foreign kind is not removed.
    grid->RemoveCheckBox(1, 1);
    EXPECT_FALSE(grid->HasCheckBox(1, 1));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Y"));
    grid->RemoveCheckBoxColumn(3);
    EXPECT_FALSE(grid->HasCheckBox(3, 2));
}

TEST_F(CheckGrid, ClickAndSpaceToggleTheDataCheckBoxAndReportTheDisplayColumn)
{
    grid->HideColumn(1);  // the data check boxes now show in display column 1
    ASSERT_EQ(grid->RealColIndex(1), 2);
    TestInput::Click(grid, Center(1, 1));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("N"));
    TestInput::PressKey(grid, VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("Y"));
    using E = std::tuple<Integer, Integer, bool>;
    EXPECT_EQ(clicks, (std::vector<E>{{1, 1, false}, {1, 1, true}}));
    EXPECT_EQ(changes, (std::vector<E>{{2, 1, false}, {2, 1, true}}));
    // Space on a text cell types instead.
    TestInput::Click(grid, Center(0, 2));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("Y"));
}

TEST_F(CheckGrid, ReadOnlyBoxesToggleByProgramOnlyUnlessAlwaysActive)
{
    grid->GetCellProperties(2, 3)->SetReadOnly(true);
    TestInput::Click(grid, Center(2, 3));
    TestInput::PressKey(grid, VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("Y"));
    EXPECT_TRUE(clicks.empty());
    EXPECT_TRUE(grid->ToggleCheckBox(2, 3));
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("N"));
    grid->ControlLook()->CheckAlwaysActive = true;
    TestInput::PressKey(grid, VK_SPACE, {}, QStringLiteral(" "));
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("Y"));
    // OnCanEditCell refuses as well.
    grid->ControlLook()->CheckAlwaysActive = false;
    grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
    EXPECT_FALSE(grid->DoToggleCheckBox(3, 2, true));
    EXPECT_FALSE(State(3, 2));
    EXPECT_FALSE(grid->DoToggleCheckBox(1, 2, false));  // no check box
}

TEST_F(CheckGrid, PreciseClicksCountOnlyInsideTheGlyph)
{
    grid->MouseActions()->SetPreciseCheckBoxCheck(true);
    grid->SetDefaultColWidth(80);
    // Left-justified boxes of column 3 sit 2 pixels in from the cell's corner.
    const TRect cell = grid->CellRect(3, 1);
    TestInput::Click(grid, {cell.Right - 4, cell.Top + 8});
    EXPECT_FALSE(State(3, 1));
    TestInput::Click(grid, {cell.Left + 6, cell.Top + 8});
    EXPECT_TRUE(State(3, 1));
}

TEST(ExGridCheckBoxes, IsInCheckBoxSquareFollowsAlignments)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(4);
    g.SetVAlignment(vtaCenter);
    g.AddCheckBox(1, 2, false, false);
    EXPECT_TRUE(g.IsInCheckBox(1, 2, -100, -100));  // without precise checks the whole cell counts
    EXPECT_FALSE(g.IsInCheckBox(0, 2, 0, 0));
    g.MouseActions()->SetPreciseCheckBoxCheck(true);
    const TRect R = g.CellRect(1, 2);
    const Integer S = g.ControlLook()->CheckSize();
    const Integer top = R.Top + (R.Bottom - R.Top - S) / 2, left = R.Left + 2;
    const std::vector<std::tuple<Integer, Integer, bool>> points{
        {left, top, true}, {left + S - 1, top + S - 1, true}, {left + S, top + 5, false},
        {left - 1, top + 5, false}, {left + 5, top + S, false}};
    for (const auto& [x, y, in] : points)
        EXPECT_EQ(g.IsInCheckBox(1, 2, x, y), in) << x << "," << y;
    g.OnGetAlignment = [](TObject*, Integer, Integer, TAlignment& HA, TVAlignment&) { HA = taCenter; };
    const Integer mid = R.Left + (R.Width() - S) / 2;
    EXPECT_TRUE(g.IsInCheckBox(1, 2, mid, top));
    EXPECT_FALSE(g.IsInCheckBox(1, 2, left, top));
}

TEST(ExGridCheckBoxes, TriStateCyclesAndCheckAllFiresForChangedBoxesOnly)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(5);
    std::vector<bool> events;
    g.OnCheckBoxChange = [&](TObject*, Integer, Integer, bool State) { events.push_back(State); };
    g.AddCheckBox(1, 1, cbUnchecked);
    TCheckBoxState s = cbChecked;
    for (TCheckBoxState expected : {cbGrayed, cbChecked, cbUnchecked}) {
        EXPECT_TRUE(g.ToggleCheckBox(1, 1));
        ASSERT_TRUE(g.GetCheckBoxState(1, 1, s));
        EXPECT_EQ(s, expected);
    }
    EXPECT_EQ(events, (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(g.SetCheckBoxState(1, 1, cbGrayed));
    EXPECT_FALSE(g.SetCheckBoxState(2, 1, cbGrayed));

    events.clear();
    g.AddCheckBoxColumn(2, false, true);
    g.SetCells(2, 2, QStringLiteral("Y"));
    g.CheckAll(2);
    EXPECT_EQ(events, (std::vector<bool>{true, true, true}));  // rows 1, 3 and 4 changed
    for (Integer r = 1; r < 5; ++r)
        EXPECT_EQ(g.Cells(2, r), QStringLiteral("Y"));
    events.clear();
    g.UnCheckAll(2);
    EXPECT_EQ(events.size(), 4u);
}

TEST(ExGridCheckBoxes, RadioButtonsAndGroups)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(9);
    g.SetOptions(g.Options() | goEditing);
    g.AddRadioButtonColumn(1);
    g.AddRadioButtonColumn(2);
    g.SetRadioButtonColumnIndex(1, 7);
    g.SetRadioButtonState(2, 7, true);
    EXPECT_EQ(g.GetRadioButtonColumnIndex(1), 7);
    // Selecting row 3 unchecks row 7 of the same column only.
    EXPECT_TRUE(g.DoSelectRadioButton(1, 3, true));
    EXPECT_TRUE(g.IsRadioButtonChecked(1, 3));
    EXPECT_FALSE(g.IsRadioButtonChecked(1, 7));
    EXPECT_TRUE(g.IsRadioButtonChecked(2, 7));
    // A grid that cannot be edited refuses a user's choice.
    g.SetOptions(g.Options() & ~goEditing);
    EXPECT_FALSE(g.DoSelectRadioButton(1, 4, true));
    EXPECT_FALSE(g.IsRadioButtonChecked(1, 4));
    // Setting a state leaves the others alone.
    EXPECT_TRUE(g.SetRadioButtonState(1, 5, true));
    EXPECT_TRUE(g.IsRadioButtonChecked(1, 3));
    EXPECT_FALSE(g.SetRadioButtonState(0, 5, true));
    EXPECT_TRUE(g.IsControlCell(1, 5));
    g.RemoveRadioButtonColumn(2);
    EXPECT_EQ(g.GetRadioButtonColumnIndex(2), -1);

    // A radio group follows its index, or the cell text when the index is -1.
    TStrings* options = g.CreateRadio(0, 1, 0, -1);
    for (const char* t : {"Off", "Auto", "On"})
        options->Add(QString::fromLatin1(t));
    EXPECT_EQ(g.GetRadioStrings(0, 1), options);
    g.SetCells(0, 1, QStringLiteral("On"));
    g.AdvanceRadio(0, 1, false);  // from the text's option, wrapping
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("Off"));
    Integer idx = 5;
    EXPECT_TRUE(g.GetRadioIdx(0, 1, idx));
    EXPECT_EQ(idx, 0);
    g.AdvanceRadio(0, 1, false);
    g.AdvanceRadio(0, 1, false);
    g.AdvanceRadio(0, 1, false);
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("Off"));
    EXPECT_TRUE(g.SetRadioIdx(0, 1, -1));
    EXPECT_TRUE(g.Cells(0, 1).isEmpty());
    EXPECT_FALSE(g.SetRadioIdx(1, 1, 0));
    EXPECT_TRUE(g.IsRadio(0, 1));
}

TEST(ExGridCheckBoxes, HiddenRowsKeepTheirStateInTheRealCell)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(6);
    g.AddCheckBoxColumn(1, false, true);
    g.HideRow(2);
    bool s = true;
    ASSERT_TRUE(g.GetCheckBoxState(1, 2, s));  // real row 2, now hidden
    EXPECT_FALSE(s);
    EXPECT_TRUE(g.SetCheckBoxState(1, 2, true));
    EXPECT_EQ(g.GetCellsEx(1, 2), QStringLiteral("Y"));
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("N"));  // display row 2 is real row 3
    g.UnHideRowsAll();
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("Y"));
    ASSERT_TRUE(g.GetCheckBoxState(1, 2, s));
    EXPECT_TRUE(s);
}

TEST_F(CheckGrid, BoxesLookCheckedOrNotInEachStyle)
{
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExStringGrid-check-columns"));
    const struct {
        TGridControlStyle Style;
        const char* Name;
    } styles[] = {{csWinXP, "winxp"}, {csClassic, "classic"}, {csFlat, "flat"}, {csBorland, "borland"},
                  {csKavro, "kavro"},  {csTheme, "theme"}};
    for (const auto& st : styles) {
        grid->ControlLook()->SetControlStyle(st.Style);
        const QImage img = GrabControl(grid);
        testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-check-%1").arg(QLatin1String(st.Name)));
        // Row 1 holds "Y", row 2 "N": their boxes differ, the empty text cell is plain.
        const TRect y = grid->CellRect(2, 1), n = grid->CellRect(2, 2);
        QImage boxY = img.copy(y.Left, y.Top, y.Width(), y.Height());
        QImage boxN = img.copy(n.Left, n.Top, n.Width(), n.Height());
        EXPECT_NE(boxY, boxN) << st.Name;
        if (st.Style == csWinXP) {
            EXPECT_TRUE(HasTick(img, y));
            EXPECT_FALSE(HasTick(img, n));
        }
    }
}

TEST_F(CheckGrid, DataBoxesAreCentredAndDisabledBoxesLookDisabled)
{
    grid->ControlLook()->SetControlStyle(csWinXP);
    const QImage img = GrabControl(grid);
    // The centred data box: its pixels lie in the middle third of the cell.
    const TRect c = grid->CellRect(2, 1);
    Integer minX = c.Right, maxX = c.Left;
    for (Integer y = c.Top + 1; y < c.Bottom - 1; ++y)
        for (Integer x = c.Left + 1; x < c.Right - 1; ++x)
            if (QColor(img.pixel(x, y)).lightness() < 160) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    ASSERT_LT(minX, maxX);
    EXPECT_NEAR((minX + maxX) / 2, (c.Left + c.Right) / 2, 3);
    // A read-only row's tick is grey, not green.
    grid->GetCellProperties(2, 3)->SetReadOnly(true);
    const QImage ro = GrabControl(grid);
    testsupport::SaveScreenshot(ro, QStringLiteral("TExStringGrid-check-read-only"));
    EXPECT_FALSE(HasTick(ro, grid->CellRect(2, 3)));
    EXPECT_TRUE(HasTick(ro, grid->CellRect(2, 1)));
    grid->ControlLook()->SetNoDisabledCheckRadioLook(true);
    EXPECT_TRUE(HasTick(GrabControl(grid), grid->CellRect(2, 3)));
}
