// The grid's window procedure and update lock: the posted "GridEditDone"
// message, combo notifications as the editor sends them, painting held back
// while updates are locked, the grid timer's hover and type-ahead expiry,
// and the small hooks.
#include "grid/columns/ExColumnGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

#include <QCursor>
#include <QImage>
#include <gtest/gtest.h>

#include "Screenshot.h"

namespace {

struct GridWindow : ::testing::Test {
    TForm* form = nullptr;
    TExColumnGrid* grid = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(420, 180);
        grid = new TExColumnGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 420, 180);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        grid->SetDefaultColWidth(80);
        grid->SetOptions(grid->Options() | goEditing);
        for (Integer r = 1; r < 5; ++r)
            for (Integer c = 1; c < 5; ++c)
                grid->SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    TPoint Center(Integer c, Integer r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    void Tick() { SendMessage(grid, WM_TIMER, WPARAM(grid->GridTimerID())); }
};

} // namespace

TEST_F(GridWindow, EditDoneMessageFiresOnEditCellDone)
{
    Integer c = -1, r = -1;
    grid->OnEditCellDone = [&](TObject*, Integer ACol, Integer ARow) {
        c = ACol;
        r = ARow;
    };
    PostMessage(grid, TExStringGrid::GridEditDoneMessage(), 3, 7);
    EXPECT_EQ(c, -1);  // posted: it waits for the message loop
    Application->ProcessMessages();
    EXPECT_EQ(c, 3);
    EXPECT_EQ(r, 7);
    EXPECT_EQ(TExStringGrid::GridEditDoneMessage(), RegisterWindowMessage(QStringLiteral("GridEditDone")));

    // Editing only by double click: the message also ends editing.
    grid->MouseActions()->SetEditOnDblClickOnly(true);
    grid->PostEditDone(1, 2);
    Application->ProcessMessages();
    EXPECT_EQ(c, 1);
    EXPECT_EQ(grid->Options() & goEditing, 0u);
}

TEST_F(GridWindow, ComboChangesAreReportedAsTheEditorTellsThem)
{
    grid->Columns()->Items(3)->SetEditor(edComboList);
    grid->Columns()->Items(4)->SetEditor(edComboEdit);
    for (Integer i : {3, 4})
        for (const char* t : {"W", "kW", "MW"})
            grid->Columns()->Items(i)->ComboItems()->Add(QString::fromLatin1(t));
    grid->HideColumn(1);  // displayed columns 2 and 3 are real 3 and 4
    std::vector<std::tuple<Integer, Integer, Integer, QString>> seen;
    grid->OnComboChange = [&](TObject*, Integer c, Integer r, Integer i, const QString& s) {
        seen.emplace_back(c, r, i, s);
    };
    std::vector<TObject*> objects;
    grid->OnComboObjectChange = [&](TObject*, Integer, Integer, Integer, const QString&, TObject* o) {
        objects.push_back(o);
    };

    grid->SetCells(3, 2, QStringLiteral("W"));
    TestInput::Click(grid, Center(2, 2));
    TestInput::PressKey(grid, VK_F2);
    ASSERT_TRUE(grid->Combobox()->Visible());
    EXPECT_TRUE(seen.empty());
    TestInput::PressKey(grid->Combobox(), VK_DOWN);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::make_tuple(3, 2, 1, QStringLiteral("kW")));
    EXPECT_EQ(objects.size(), 1u);
    TestInput::PressKey(grid->Combobox(), VK_RETURN);
    EXPECT_EQ(grid->Cells(3, 2), QStringLiteral("kW"));

    // Typing into an editable list is reported twice per change.
    seen.clear();
    TestInput::Click(grid, Center(3, 3));
    TestInput::PressKey(grid, VK_F2);
    ASSERT_TRUE(grid->Combobox()->Visible());
    grid->Combobox()->SetText(QString());
    seen.clear();
    TestInput::TypeText(grid->Combobox(), QStringLiteral("G"));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_tuple(4, 3, -1, QStringLiteral("G")));
    EXPECT_EQ(seen[1], std::make_tuple(3, 3, -1, QStringLiteral("G")));
    TestInput::PressKey(grid->Combobox(), VK_ESCAPE);
}

TEST_F(GridWindow, LiveEditTextReachesTheCellOnEditChange)
{
    TestInput::Click(grid, Center(2, 2));
    TestInput::TypeText(grid, QStringLiteral("a"));
    TInplaceEdit* ed = grid->InplaceEditor();
    ASSERT_NE(ed, nullptr);
    ed->SetText(QStringLiteral("typed"));
    SendMessage(grid, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), LPARAM(ed->Handle()));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("typed"));
}

TEST_F(GridWindow, UpdateLockCounts)
{
    struct Case {
        const char* Name;
        bool Visible;
        std::function<void(TExStringGrid*)> Steps;
        Integer Count;
    } cases[] = {
        {"two begins, one end", true, [](TExStringGrid* g) { g->BeginUpdate(); g->BeginUpdate(); g->EndUpdate(); }, 1},
        {"begin on a hidden grid", false, [](TExStringGrid* g) { g->BeginUpdate(); }, 0},
        {"end below zero", true, [](TExStringGrid* g) { g->EndUpdate(); g->EndUpdate(); }, 0},
        {"start twice then reset", false, [](TExStringGrid* g) { g->StartUpdate(); g->StartUpdate(); g->ResetUpdate(); }, 0},
        {"start on a hidden grid", false, [](TExStringGrid* g) { g->StartUpdate(); }, 1},
        {"lock property", true, [](TExStringGrid* g) { g->SetLockUpdate(true); }, 1},
        {"lock property hidden", false, [](TExStringGrid* g) { g->SetLockUpdate(true); }, 0},
    };
    for (const Case& k : cases) {
        grid->ResetUpdate();
        grid->SetVisible(k.Visible);
        k.Steps(grid);
        EXPECT_EQ(grid->UpdateCount(), k.Count) << k.Name;
        EXPECT_EQ(grid->LockUpdate(), k.Count > 0) << k.Name;
    }
}

TEST_F(GridWindow, NothingIsPaintedWhileLocked)
{
    grid->SetColors(2, 2, clLime);
    const TRect rc = grid->CellRect(2, 2);
    const QPoint p(rc.Left + 3, rc.Top + 3);
    EXPECT_EQ(GrabControl(grid).pixelColor(p), QColor(0, 255, 0));
    grid->BeginUpdate();
    grid->BeginUpdate();
    grid->SetColors(2, 2, clRed);
    const QImage locked = GrabControl(grid);
    EXPECT_NE(locked.pixelColor(p), QColor(255, 0, 0));  // the change is not drawn yet
    grid->EndUpdate();
    EXPECT_NE(GrabControl(grid).pixelColor(p), QColor(255, 0, 0));
    grid->EndUpdate();
    const QImage shot = GrabControl(grid);
    testsupport::SaveScreenshot(shot, QStringLiteral("TExStringGrid-after-update-lock"));
    EXPECT_EQ(shot.pixelColor(p), QColor(255, 0, 0));
}

TEST_F(GridWindow, HoveringMakesTheCellUnderTheMouseCurrentWithinATick)
{
    grid->SetHovering(true);
    const TPoint target = grid->ClientToScreen(Center(3, 3));
    QCursor::setPos(target.X, target.Y);
    if (QCursor::pos() != QPoint(target.X, target.Y))
        GTEST_SKIP() << "the platform cannot place the mouse";
    Tick();
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 3);
    // Over a fixed cell nothing moves.
    const TPoint fixed = grid->ClientToScreen(Center(0, 2));
    QCursor::setPos(fixed.X, fixed.Y);
    Tick();
    EXPECT_EQ(grid->Row(), 3);
}

TEST_F(GridWindow, TypeAheadTextExpiresOnTheFourthTick)
{
    grid->Navigation()->SetAutoGotoIncremental(true);
    grid->SetIncrSearchText(QStringLiteral("ab"));
    const Integer ticks = grid->TimerTicks();
    for (Integer i = 0; i < 3; ++i)
        Tick();
    EXPECT_EQ(grid->IncrSearchText(), QStringLiteral("ab"));
    Tick();
    EXPECT_TRUE(grid->IncrSearchText().isEmpty());
    EXPECT_EQ(grid->TimerTicks(), ticks + 4);
}

TEST_F(GridWindow, SmallHooks)
{
    struct Case {
        THoverFixedCells Setting;
        Integer Col, Row;
        bool Expected;
    } cases[] = {{hfFixedRows, 5, 0, true},    {hfFixedRows, 0, 5, false}, {hfFixedColumns, 0, 5, true},
                 {hfFixedColumns, 5, 0, false}, {hfAll, 0, 5, true},       {hfNone, 0, 0, false},
                 {hfAll, 2, 2, false}};
    for (const Case& k : cases) {
        grid->SetHoverFixedCells(k.Setting);
        EXPECT_EQ(grid->IsHoverFixedCell(k.Col, k.Row), k.Expected) << k.Setting << " " << k.Col << "," << k.Row;
    }
    EXPECT_EQ(grid->EllipsClick(QStringLiteral("x")), QStringLiteral("x"));
    grid->OnEllipsClick = [](TObject*, Integer, Integer, QString& S) { S += QStringLiteral("!"); };
    EXPECT_EQ(grid->EllipsClick(QStringLiteral("x")), QStringLiteral("x!"));
    EXPECT_FALSE(grid->HasCellBorderEvent());
    grid->OnGetCellBorder = [](TObject*, Integer, Integer, TPen*, TCellBorders&) {};
    EXPECT_TRUE(grid->HasCellBorderEvent());
}
