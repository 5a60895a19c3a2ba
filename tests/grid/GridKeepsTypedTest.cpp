// The grid loses nothing the user typed: a list cell keeps its value when the
// user opens its list and clicks elsewhere, a column's length limit governs
// typing in that column only and never cuts a cell's text, moving a column
// with hidden columns present moves exactly that column, a password column
// stays masked with a hidden column on its left, a column format that does
// not fit a value shows the stored text, and the row colour's removal keeps
// the cells' other settings.
#include "grid/columns/ExColumnGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A shown SNMP-trap-like column grid: 0 row number, 1 Description (text,
// 15 characters), 2 Community (text, no limit), 3 Type (fixed list),
// 4 Password (masked), 5 Note (text).
struct TrapTable : ::testing::Test {
    TForm* form = nullptr;
    TExColumnGrid* grid = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(640, 200);
        grid = new TExColumnGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 640, 200);
        grid->SetColCount(6);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() | goEditing);
        TGridColumnCollection* cols = grid->Columns();
        const char* const heads[] = {"#", "Description", "Community", "Type", "Password", "Note"};
        const Integer widths[] = {30, 140, 140, 90, 90, 110};
        for (Integer c = 0; c < 6; ++c) {
            cols->Items(c)->SetHeader(QString::fromLatin1(heads[c]));
            cols->Items(c)->SetWidth(widths[c]);
        }
        cols->Items(1)->SetEditLength(15);
        cols->Items(3)->SetEditor(edComboList);
        for (const char* t : {"BOOL", "UINT8", "UINT16", "FLOAT"})
            cols->Items(3)->ComboItems()->Add(QString::fromLatin1(t));
        cols->Items(4)->SetPassword(true);
        for (Integer r = 1; r < 5; ++r) {
            grid->SetCells(0, r, QString::number(r));
            grid->SetCells(1, r, QStringLiteral("Trap %1").arg(r));
            grid->SetCells(2, r, QStringLiteral("community-string-of-row-%1").arg(r));
            grid->SetCells(3, r, QStringLiteral("UINT16"));
            grid->SetCells(4, r, QStringLiteral("abc"));
            grid->SetCells(5, r, QStringLiteral("note %1").arg(r));
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
    // Opens the text editor on a cell with F2 (its text as it is).
    TExInplaceEdit* OpenText(Integer c, Integer r)
    {
        TestInput::Click(grid, Center(c, r));
        TestInput::PressKey(grid, VK_F2);
        TExInplaceEdit* edit = grid->GetNormalEdit();
        EXPECT_NE(edit, nullptr);
        EXPECT_TRUE(edit != nullptr && edit->Visible());
        return edit;
    }
};

QImage CellImage(TExStringGrid* g, Integer DisplCol, Integer Row)
{
    const QImage shot = GrabControl(g);
    const TRect r = g->CellRect(DisplCol, Row);
    return shot.copy(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2);
}

} // namespace

// Item 1: the mouse press on another column asked that column's editor kind,
// which refilled the open list and emptied the cell.
TEST_F(TrapTable, OpeningAListAndClickingAnotherColumnKeepsTheCellsValue)
{
    for (bool choose : {false, true}) {
        SCOPED_TRACE(choose);
        grid->SetCells(3, 2, QStringLiteral("UINT16"));
        TestInput::Click(grid, Center(3, 2));
        TestInput::PressKey(grid, VK_F2);
        TGridCombo* box = grid->Combobox();
        ASSERT_TRUE(box->Visible());
        box->SetDroppedDown(true);
        if (choose)
            TestInput::PressKey(box, VK_DOWN);  // the list's next item, FLOAT
        // A click on a text column, and one on the data column left of it.
        TestInput::Click(grid, Center(2, 3));
        EXPECT_FALSE(box->Visible());
        EXPECT_EQ(grid->Cells(3, 2), choose ? QStringLiteral("FLOAT") : QStringLiteral("UINT16"));
        EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("community-string-of-row-3"));
        // The list opens with its own items again.
        TestInput::Click(grid, Center(3, 4));
        TestInput::PressKey(grid, VK_F2);
        ASSERT_TRUE(box->Visible());
        EXPECT_EQ(box->Items()->Count(), 4);
        EXPECT_EQ(box->Text(), QStringLiteral("UINT16"));
        TestInput::PressKey(box, VK_ESCAPE);
        EXPECT_EQ(grid->Cells(3, 4), QStringLiteral("UINT16"));
    }
}

// Item 2: the limit of the column last edited cut the next cell opened.
TEST_F(TrapTable, ALengthLimitGovernsTypingInItsColumnOnly)
{
    // Typing in the limited column stops at 15 characters.
    TExInplaceEdit* edit = OpenText(1, 1);
    edit->SetSelStart(Integer(edit->Text().size()));  // the caret at the end
    edit->SetSelLength(0);
    TestInput::TypeText(edit, QStringLiteral("-and-some-more-text"));
    EXPECT_EQ(edit->Text(), QStringLiteral("Trap 1-and-some"));
    TestInput::PressKey(edit, VK_RETURN);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Trap 1-and-some"));

    // The next cell, in a column without a limit, opens whole and takes more.
    const QString community = grid->Cells(2, 1);
    edit = OpenText(2, 1);
    EXPECT_EQ(edit->Text(), community);
    edit->SetSelStart(Integer(edit->Text().size()));  // the caret at the end
    edit->SetSelLength(0);
    TestInput::TypeText(edit, QStringLiteral("-x"));
    TestInput::PressKey(edit, VK_RETURN);
    EXPECT_EQ(grid->Cells(2, 1), community + QStringLiteral("-x"));

    // A longer text already in the limited column is never cut; typing does
    // not make it longer, deleting does make it shorter.
    const QString longer = QStringLiteral("A description of 31 characters.");
    grid->SetCells(1, 2, longer);
    edit = OpenText(1, 2);
    EXPECT_EQ(edit->Text(), longer);
    edit->SetSelStart(Integer(edit->Text().size()));  // the caret at the end
    edit->SetSelLength(0);
    TestInput::TypeText(edit, QStringLiteral("z"));
    EXPECT_EQ(edit->Text(), longer);
    TestInput::PressKey(edit, VK_RETURN);
    EXPECT_EQ(grid->Cells(1, 2), longer);
    edit = OpenText(1, 2);
    edit->SetSelStart(Integer(edit->Text().size()));  // the caret at the end
    edit->SetSelLength(0);
    TestInput::PressKey(edit, VK_BACK);
    TestInput::PressKey(edit, VK_RETURN);
    EXPECT_EQ(grid->Cells(1, 2), longer.left(longer.size() - 1));

    // Opening and leaving a long cell of the limited column keeps it.
    grid->SetCells(1, 3, longer);
    edit = OpenText(1, 3);
    TestInput::Click(grid, Center(5, 4));
    EXPECT_EQ(grid->Cells(1, 3), longer);
}

// Item 3: MoveColumn passed display indexes to the cell move while the cells
// are stored by real column.
TEST(GridMoves, MovingAColumnWithHiddenColumnsMovesThatColumn)
{
    struct Case {
        Integer From, To;                // display indexes
        std::vector<Integer> RealOrder;  // the original real columns, after the move
    } cases[] = {
        {1, 3, {0, 2, 3, 4, 1, 5}},  // B right over the hidden C: C stays after A
        {3, 1, {0, 4, 1, 2, 3, 5}},  // E left
        {3, 2, {0, 1, 2, 4, 3, 5}},  // E one left, over nothing hidden
        {1, 2, {0, 2, 3, 1, 4, 5}},  // B one right
        {4, 0, {5, 0, 1, 2, 3, 4}},  // the last to the first
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.From << " to " << k.To);
        TExStringGrid g(nullptr);
        g.SetColCount(6);
        g.SetRowCount(5);
        g.SetFixedCols(0);
        for (Integer c = 0; c < 6; ++c) {
            g.SetColWidths(c, 40 + c);
            for (Integer r = 0; r < 5; ++r)
                g.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
        }
        g.SetReadOnly(4, 2, true);
        g.HideRow(3);      // a hidden row's cells move with their columns too
        g.HideColumn(2);   // real 2 hidden: display 0 1 3 4 5
        g.MoveColumn(k.From, k.To);
        EXPECT_EQ(g.ColCount(), 5);
        // What shows is the display order with only the moved column moved.
        std::vector<Integer> shown;
        for (Integer c : k.RealOrder)
            if (c != 2)
                shown.push_back(c);
        for (Integer d = 0; d < 5; ++d) {
            EXPECT_EQ(g.Cells(g.RealColIndex(d), 1), QStringLiteral("%1:1").arg(shown[size_t(d)])) << d;
            EXPECT_EQ(g.ColWidths(d), 40 + shown[size_t(d)]) << d;
        }
        g.UnHideRowsAll();
        g.UnHideColumnsAll();
        ASSERT_EQ(g.ColCount(), 6);
        for (Integer c = 0; c < 6; ++c) {
            const Integer was = k.RealOrder[size_t(c)];
            for (Integer r = 0; r < 5; ++r)
                EXPECT_EQ(g.Cells(c, r), QStringLiteral("%1:%2").arg(was).arg(r)) << c << "," << r;
            EXPECT_EQ(g.ReadOnly(c, 2), was == 4) << c;
            EXPECT_EQ(g.ColWidths(c), 40 + was) << c;
        }
    }
}

// Item 4: painting asked the password question with the display column.
TEST_F(TrapTable, APasswordColumnStaysMaskedWithAHiddenColumnOnItsLeft)
{
    grid->SetCells(4, 1, QStringLiteral("abc"));
    grid->SetCells(5, 1, QStringLiteral("***"));  // how the mask paints
    grid->HideColumn(1);
    const Integer pw = grid->DisplColIndex(4), note = grid->DisplColIndex(5);
    ASSERT_EQ(pw, 3);
    Item(5)->SetAlignment(Item(4)->Alignment());
    grid->SetColWidths(note, grid->ColWidths(pw));
    const QImage masked = CellImage(grid, note, 1);
    const QImage password = CellImage(grid, pw, 1);
    EXPECT_TRUE(password == masked) << "the password cell paints its text";
    grid->SetCells(5, 1, QStringLiteral("abc"));
    EXPECT_FALSE(CellImage(grid, note, 1) == masked);  // the comparison can fail
}

// Item 5: a format that does not fit the value threw on every paint.
TEST_F(TrapTable, AColumnFormatThatDoesNotFitShowsTheStoredText)
{
    Item(5)->SetFloatFormat(QStringLiteral("%d"));
    grid->SetCells(5, 1, QStringLiteral("2.5"));
    grid->SetCells(5, 2, QStringLiteral("7"));
    QString text;
    EXPECT_NO_THROW(text = grid->GetFormattedCell(5, 1));
    EXPECT_EQ(text, QStringLiteral("2.5"));
    EXPECT_NO_THROW(text = grid->GetFormattedCell(5, 2));
    EXPECT_EQ(text, QStringLiteral("7"));
    // Painting and sizing go on without a word (an error box would fail here).
    EXPECT_NO_THROW(GrabControl(grid));
    EXPECT_NO_THROW(grid->AutoSizeColumns(false, 4));
    EXPECT_NO_THROW(GrabControl(grid));
    EXPECT_EQ(grid->Cells(5, 1), QStringLiteral("2.5"));
    // A format that fits still formats.
    Item(5)->SetFloatFormat(QStringLiteral("%.2f"));
    EXPECT_EQ(grid->GetFormattedCell(5, 1), QStringLiteral("2.50"));
}

// Item 6: the colour's removal took the cells' properties with it.
TEST(GridRowColour, RemovingARowColourKeepsReadOnlyMergedAndAlignment)
{
    TExStringGrid g(nullptr);
    g.SetColCount(5);
    g.SetRowCount(5);
    g.SetReadOnly(1, 2, true);
    g.MergeCells(2, 2, 2, 1);
    g.SetAlignments(4, 2, taCenter);
    for (bool to : {false, true}) {
        SCOPED_TRACE(to);
        if (to) {
            g.SetRowColorTo(2, clGreen);
            g.SetRowColorTo(2, clNone);
            EXPECT_EQ(g.ColorsTo(1, 2), clNone);
        } else {
            g.SetRowColor(2, clRed);
            g.SetRowColor(2, clNone);
            EXPECT_EQ(g.Colors(1, 2), clNone);
        }
        EXPECT_TRUE(g.ReadOnly(1, 2));
        EXPECT_TRUE(g.IsMergedCell(2, 2));
        EXPECT_FALSE(g.IsBaseCell(3, 2));
        EXPECT_EQ(g.BaseCell(3, 2), (TPoint{2, 2}));
        EXPECT_EQ(g.Alignments(4, 2), taCenter);
    }
    g.SetRowFontColor(2, clBlue);
    g.SetRowFontColor(2, clNone);
    EXPECT_TRUE(g.ReadOnly(1, 2));
    EXPECT_TRUE(g.IsMergedCell(2, 2));
    EXPECT_EQ(g.Alignments(4, 2), taCenter);
    // A cell that only had the colour is as if it never had one.
    g.SetRowColor(3, clRed);
    g.SetRowColor(3, clNone);
    EXPECT_FALSE(g.HasCellProperties(1, 3));
}
