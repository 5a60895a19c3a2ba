// The grid worked as a user works it: selecting by mouse and keys, sizing
// and moving columns and rows by dragging, the wheel, and editing cells in
// the in-place editor; plus the screenshot of a small string grid.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include "Screenshot.h"
#include "platform/DrawGrid.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/InplaceEdit.h"
#include "platform/TestHooks.h"

namespace {

// A shown form with a focused 6 x 8 string grid: no border or scroll bars,
// columns 50 wide and rows 20 high with 1-pixel lines, so cell (c, r)
// starts at (51c, 21r).
struct GridFixture : ::testing::Test {
    TForm* form = nullptr;
    TStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(400, 300);
        grid = new TStringGrid(form);
        grid->SetParent(form);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetBounds(0, 0, 320, 200);
        grid->SetDefaultColWidth(50);
        grid->SetDefaultRowHeight(20);
        grid->SetColCount(6);
        grid->SetRowCount(8);
        for (Integer r = 0; r < 8; ++r)
            for (Integer c = 0; c < 6; ++c)
                grid->SetCells(c, r, QStringLiteral("%1%2").arg(QChar(u'A' + c)).arg(r));
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    static TPoint At(Integer c, Integer r, Integer dx = 10, Integer dy = 10) { return {51 * c + dx, 21 * r + dy}; }
    void Drag(TPoint from, TPoint to, TShiftState shift = {})
    {
        TestInput::MouseDown(grid, mbLeft, from, shift);
        TestInput::MouseMove(grid, to, shift);
        TestInput::MouseUp(grid, mbLeft, to, shift);
    }
};

TEST_F(GridFixture, MouseSelectsACellARangeAndWithRowSelectAWholeRow)
{
    Integer clicks = 0;
    grid->OnClick = [&](TObject*) { ++clicks; };
    TestInput::Click(grid, At(2, 3));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 2, 3}));
    EXPECT_EQ(clicks, 1);
    // Dragging spans a range; the current cell stays where the drag began.
    Drag(At(1, 1), At(3, 4));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 4}));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    // Shift extends from the current cell.
    TestInput::Click(grid, At(4, 2), mbLeft, ssShift);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 4, 2}));
    // A press on a fixed cell or beyond the cells selects nothing.
    TestInput::Click(grid, At(0, 5));
    TestInput::Click(grid, {315, 100});
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 4, 2}));
    // Without range selection a drag only moves the current cell.
    grid->SetOptions(grid->Options() & ~TGridOptions(goRangeSelect));
    Drag(At(1, 1), At(3, 4));
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 4, 3, 4}));
    grid->SetOptions(grid->Options() | goRowSelect);
    TestInput::Click(grid, At(2, 6));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 6, 5, 6}));
}

TEST_F(GridFixture, SelectCellRefusalKeepsTheCurrentCell)
{
    grid->OnSelectCell = [](TObject*, Integer c, Integer, bool& can) { can = c != 3; };
    TestInput::Click(grid, At(2, 2));
    TestInput::Click(grid, At(3, 5));
    EXPECT_EQ(TGridCoord({grid->Col(), grid->Row()}), TGridCoord({2, 2}));
    TestInput::PressKey(grid, VK_RIGHT);
    EXPECT_EQ(grid->Col(), 2);
}

struct KeyCase {
    Word key;
    TShiftState shift;
    TGridCoord current;
    TGridRect selection;
};

TEST_F(GridFixture, KeysMoveTheCurrentCellOrExtendTheSelection)
{
    grid->SetOptions(grid->Options() | goTabs);
    TestInput::Click(grid, At(2, 2));
    // Each key from the cell the previous one left.
    const KeyCase cases[] = {
        {VK_RIGHT, {}, {3, 2}, {3, 2, 3, 2}},
        {VK_DOWN, {}, {3, 3}, {3, 3, 3, 3}},
        {VK_DOWN, ssShift, {3, 3}, {3, 3, 3, 4}},
        {VK_RIGHT, ssShift, {3, 3}, {3, 3, 4, 4}},
        {VK_LEFT, {}, {2, 3}, {2, 3, 2, 3}},
        {VK_END, {}, {5, 3}, {5, 3, 5, 3}},
        {VK_HOME, {}, {1, 3}, {1, 3, 1, 3}},
        {VK_LEFT, {}, {1, 3}, {1, 3, 1, 3}},  // never onto the fixed column
        {VK_END, ssCtrl, {5, 7}, {5, 7, 5, 7}},
        {VK_DOWN, {}, {5, 7}, {5, 7, 5, 7}},  // nor past the last row
        {VK_TAB, ssShift, {4, 7}, {4, 7, 4, 7}},
        {VK_TAB, {}, {5, 7}, {5, 7, 5, 7}},
        {VK_HOME, ssCtrl, {1, 1}, {1, 1, 1, 1}},
        {VK_TAB, ssShift, {1, 1}, {1, 1, 1, 1}},
        {VK_UP, {}, {1, 1}, {1, 1, 1, 1}},
    };
    for (const KeyCase& k : cases) {
        TestInput::PressKey(grid, k.key, k.shift);
        EXPECT_EQ(TGridCoord({grid->Col(), grid->Row()}), k.current) << "key " << k.key;
        EXPECT_EQ(grid->Selection(), k.selection) << "key " << k.key;
    }
    // Tab at the end of a row goes on to the next row.
    grid->SetCol(5);
    TestInput::PressKey(grid, VK_TAB);
    EXPECT_EQ(TGridCoord({grid->Col(), grid->Row()}), TGridCoord({1, 2}));
}

TEST_F(GridFixture, PageKeysAndTheWheelScrollALongGrid)
{
    grid->SetRowCount(1000);
    TestInput::Click(grid, At(1, 1));
    const Integer page = grid->VisibleRowCount();
    ASSERT_EQ(page, (200 - 21) / 21);
    TestInput::PressKey(grid, VK_NEXT);
    EXPECT_EQ(grid->Row(), 1 + page);
    EXPECT_EQ(grid->TopRow(), 1 + page);
    TestInput::PressKey(grid, VK_END, ssCtrl);
    EXPECT_EQ(grid->Row(), 999);
    EXPECT_EQ(grid->TopRow(), 1000 - page);
    // Ctrl+Up scrolls without moving the current cell.
    TestInput::PressKey(grid, VK_UP, ssCtrl);
    EXPECT_EQ(grid->TopRow(), 999 - page);
    EXPECT_EQ(grid->Row(), 999);
    TestInput::Wheel(grid, 120);
    EXPECT_EQ(grid->Row(), 998);
    TestInput::Wheel(grid, -120);
    EXPECT_EQ(grid->Row(), 999);
}

TEST_F(GridFixture, DraggingAHeaderBorderSizesTheColumnAndARowBorderTheRow)
{
    grid->SetOptions(grid->Options() | goColSizing | goRowSizing);
    QList<int> widthsSeen;
    // Column 1's right border is at x = 101.
    TestInput::MouseDown(grid, mbLeft, {102, 10});
    EXPECT_EQ(grid->GridState(), gsColSizing);
    TestInput::MouseMove(grid, {132, 10});
    EXPECT_EQ(grid->ColWidths(1), 50);  // only a guide line while dragging
    TestInput::MouseUp(grid, mbLeft, {132, 10});
    EXPECT_EQ(grid->GridState(), gsNormal);
    EXPECT_EQ(grid->ColWidths(1), 80);
    EXPECT_EQ(grid->CellRect(2, 1).Left, 132);
    // The same in the fixed column for a row.
    Drag({10, 41}, {10, 61});
    EXPECT_EQ(grid->RowHeights(1), 40);
    // Away from a border, or over normal cells, a press selects instead.
    for (const TPoint p : {TPoint{127, 10}, TPoint{132, 50}}) {
        TestInput::MouseDown(grid, mbLeft, p);
        EXPECT_NE(grid->GridState(), gsColSizing) << p.X << "," << p.Y;
        TestInput::MouseUp(grid, mbLeft, p);
    }
    EXPECT_EQ(grid->ColWidths(1), 80);
}

TEST_F(GridFixture, DraggingAHeaderMovesTheColumnOrRowWithItsTexts)
{
    grid->SetOptions(grid->Options() | goColMoving | goRowMoving);
    QStringList moves;
    grid->OnColumnMoved = [&](TObject*, Integer f, Integer t) { moves << QStringLiteral("col %1>%2").arg(f).arg(t); };
    grid->OnRowMoved = [&](TObject*, Integer f, Integer t) { moves << QStringLiteral("row %1>%2").arg(f).arg(t); };
    TestInput::MouseDown(grid, mbLeft, At(1, 0));
    EXPECT_EQ(grid->GridState(), gsColMoving);
    TestInput::MouseMove(grid, At(3, 0));
    TestInput::MouseUp(grid, mbLeft, At(3, 0));
    EXPECT_EQ(grid->Cells(3, 2), QStringLiteral("B2"));
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("C2"));
    EXPECT_EQ(grid->Cells(3, 0), QStringLiteral("B0"));
    Drag(At(0, 5), At(0, 2));
    EXPECT_EQ(grid->Cells(0, 2), QStringLiteral("A5"));
    EXPECT_EQ(grid->Cells(3, 2), QStringLiteral("B5"));
    EXPECT_EQ(grid->Cells(0, 3), QStringLiteral("A2"));
    // A press that does not move moves nothing.
    TestInput::Click(grid, At(2, 0));
    EXPECT_EQ(moves, (QStringList{QStringLiteral("col 1>3"), QStringLiteral("row 5>2")}));
}

TEST_F(GridFixture, AMoveDraggedPastTheEdgeScrollsTheGrid)
{
    grid->SetOptions(grid->Options() | goColMoving);
    grid->SetColCount(20);
    TestInput::MouseDown(grid, mbLeft, At(2, 0));
    TestInput::MouseMove(grid, {330, 10});
    // The drag timer scrolls one column per tick while the mouse is out.
    for (int tick = 0; tick < 3; ++tick)
        grid->Perform(WM_TIMER, 1);
    EXPECT_EQ(grid->LeftCol(), 4);
    TestInput::MouseUp(grid, mbLeft, {330, 10});
    // It lands on the last column in view (column 9, partly shown).
    EXPECT_EQ(grid->LeftCol() + grid->VisibleColCount(), 9);
    EXPECT_EQ(grid->Cells(9, 1), QStringLiteral("C1"));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("D1"));
}

TEST_F(GridFixture, TypingOpensTheEditorEnterCommitsEscapeCancelsTabLeaves)
{
    grid->SetOptions(grid->Options() | goEditing | goTabs);
    QStringList sets;
    grid->OnSetEditText = [&](TObject*, Integer c, Integer r, const QString& v) { sets << QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(v); };
    TestInput::Click(grid, At(2, 3));
    TestInput::TypeText(grid, QStringLiteral("x"));
    TInplaceEdit* ed = grid->InplaceEditor();
    ASSERT_NE(ed, nullptr);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(ed->BoundsRect(), grid->CellRect(2, 3));
    EXPECT_EQ(form->ActiveControl(), ed);
    // The typed character replaced the text, and the cell follows the editor.
    TestInput::TypeText(ed, QStringLiteral("yz"));
    EXPECT_EQ(ed->Text(), QStringLiteral("xyz"));
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("xyz"));
    TestInput::PressKey(ed, VK_RETURN);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(form->ActiveControl(), grid);
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("xyz"));
    EXPECT_EQ(sets.last(), QStringLiteral("2,3=xyz"));

    // Enter opens the editor on the cell's text; Escape puts the text back.
    TestInput::PressKey(grid, VK_RETURN);
    ASSERT_TRUE(ed->Visible());
    EXPECT_EQ(ed->Text(), QStringLiteral("xyz"));
    TestInput::TypeText(ed, QStringLiteral("gone"));
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("gone"));
    TestInput::PressKey(ed, VK_ESCAPE);
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("xyz"));

    // Tab writes the text and goes to the next cell, the editor closed.
    TestInput::TypeText(grid, QStringLiteral("t"));
    TestInput::PressKey(ed, VK_TAB);
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("t"));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(form->ActiveControl(), grid);

    // Down leaves the editor too; Left inside the text stays in it.
    TestInput::PressKey(grid, VK_F2);
    ASSERT_TRUE(ed->Visible());
    ed->SetSelStart(1);
    TestInput::PressKey(ed, VK_LEFT);
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(ed->SelStart(), 0);
    TestInput::PressKey(ed, VK_LEFT);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_FALSE(ed->Visible());
}

TEST_F(GridFixture, EditorTakesTheMaskAndLimitAndClicksOpenAndCloseIt)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->OnGetEditMask = [](TObject*, Integer c, Integer, QString& mask) {
        if (c == 4)
            mask = QStringLiteral("00;0;_");
    };
    TestInput::Click(grid, At(4, 2));
    TestInput::Click(grid, At(4, 2));  // a click on the current cell edits it
    TInplaceEdit* ed = grid->InplaceEditor();
    ASSERT_NE(ed, nullptr);
    ASSERT_TRUE(ed->Visible());
    EXPECT_EQ(ed->EditMask(), QStringLiteral("00;0;_"));
    // A click on another cell writes the text back and closes the editor.
    TestInput::Click(grid, At(1, 5));
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(TGridCoord({grid->Col(), grid->Row()}), TGridCoord({1, 5}));
    // Scrolling carries the open editor along with its cell.
    grid->SetRowCount(100);
    TestInput::PressKey(grid, VK_F2);
    ASSERT_TRUE(ed->Visible());
    grid->SetTopRow(3);
    EXPECT_EQ(ed->BoundsRect(), grid->CellRect(1, 5));
    grid->SetTopRow(10);
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(form->ActiveControl(), grid);
}

// A grid whose cells take at most three characters.
class TLimitGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;

protected:
    Integer GetEditLimit() override { return 3; }
};

TEST(GridEditor, TheGridsLengthLimitHoldsInTheEditor)
{
    TForm form(nullptr);
    form.SetClientSize(300, 200);
    auto* g = new TLimitGrid(&form);
    g->SetParent(&form);
    g->SetOptions(g->Options() | goEditing);
    form.Show();
    g->SetFocus();
    TestInput::TypeText(g, QStringLiteral("a"));
    TInplaceEdit* ed = g->InplaceEditor();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->MaxLength(), 3);
    EXPECT_EQ(ed->Grid(), g);
    TestInput::TypeText(ed, QStringLiteral("bcd"));
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("abc"));
}

TEST(GridScreenshot, FiveByFiveStringGrid)
{
    TForm form(nullptr);
    form.SetCaption(QStringLiteral("Grid"));
    form.SetClientSize(340, 140);
    auto* g = new TStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(10, 10, 320, 120);
    g->SetDefaultRowHeight(20);
    g->SetDefaultColWidth(60);
    for (Integer c = 1; c < 5; ++c)
        g->SetCells(c, 0, QStringLiteral("Column %1").arg(c));
    for (Integer r = 1; r < 5; ++r) {
        g->SetCells(0, r, QString::number(r));
        for (Integer c = 1; c < 5; ++c)
            g->SetCells(c, r, QStringLiteral("R%1C%2").arg(r).arg(c));
    }
    form.Show();
    g->SetFocus();
    g->SetSelection({1, 2, 2, 3});
    // Everything fits: no scroll bars (also after sizes that once needed them).
    EXPECT_EQ(g->ClientRect(), Rect(0, 0, 316, 116));
    const QImage img = GrabControl(&form);
    ASSERT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TStringGrid-5x5-fixed-row-and-column")).isEmpty());
    // Pixels inside cells, away from the text: a fixed cell, a normal one,
    // a selected one (the grid's client area starts 2 pixels inside its border).
    auto at = [&](Integer c, Integer r) {
        const TRect cr = g->CellRect(c, r);
        return img.pixelColor(10 + 2 + cr.Right - 3, 10 + 2 + cr.Bottom - 3);
    };
    auto rgb = [](TColor c) {
        const TColor v = ColorToRGB(c);
        return QColor(GetRValue(v), GetGValue(v), GetBValue(v));
    };
    EXPECT_EQ(at(0, 3), rgb(clBtnFace));
    EXPECT_EQ(at(4, 4), rgb(clWindow));
    EXPECT_EQ(at(2, 2), rgb(clHighlight));
}

} // namespace
