// The focus frame around the edited cell (its size, ring, colour, and how it
// follows the window and goes with the edit), the date editors' change
// notification, and the quick configuration box of a designed grid.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "grid/editors/GridSpecialEditors.h"
#include "platform/Bitmap.h"
#include "platform/InplaceEdit.h"
#include "platform/Canvas.h"
#include "platform/DateTimePicker.h"
#include "platform/Form.h"
#include "platform/LayeredWindow.h"
#include "platform/Menus.h"
#include "platform/TestHooks.h"
#include "platform/Text.h"
#include "platform/WindowPicture.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "Screenshot.h"

namespace {

QColor Rgb(TColor C)
{
    const TColor v = ColorToRGB(C);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

// A shown form with an editable grid of 64 x 20 cells.
struct FrameGrid : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(100, 100, 420, 220);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(10, 10, 380, 180);
        grid->SetDefaultColWidth(64);
        grid->SetDefaultRowHeight(20);
        grid->SetOptions(grid->Options() | goEditing);
        for (Integer r = 1; r < grid->RowCount(); ++r)
            for (Integer c = 1; c < grid->ColCount(); ++c)
                grid->SetCells(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
        form->Show();
        grid->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override { delete form; }
    void Edit(Integer c, Integer r)
    {
        const TRect rc = grid->CellRect(c, r);
        TestInput::Click(grid, {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2});
        TestInput::PressKey(grid, VK_F2);
        Application->ProcessMessages();
    }
    // Where the frame must stand for the current cell: the cell's screen
    // position less 4 pixels, 9 pixels larger.
    TRect Expected() const
    {
        const TRect rc = grid->CellRect(grid->Col(), grid->Row());
        const TPoint p = grid->ClientToScreen(TPoint(rc.Left, rc.Top));
        return TRect(p.X - 4, p.Y - 4, p.X - 4 + rc.Width() + 9, p.Y - 4 + rc.Height() + 9);
    }
    TRect FrameBounds() const
    {
        TGridFocusWindow* w = grid->FocusWindow();
        return TRect(w->Left(), w->Top(), w->Left() + w->Width(), w->Top() + w->Height());
    }
};

} // namespace

TEST_F(FrameGrid, FrameRingsTheEditedCellAndFollowsTheWindow)
{
    grid->FocusHelper()->SetEnabled(true);
    Edit(2, 3);
    ASSERT_TRUE(grid->EditorMode());
    TGridFocusWindow* frame = grid->FocusWindow();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->Visible());
    EXPECT_EQ(TExStringGrid::FocusGrid(), grid);
    const TRect cell = grid->CellRect(2, 3);
    EXPECT_EQ(cell.Width(), 64);
    EXPECT_EQ(cell.Height(), 20);
    EXPECT_EQ(frame->Width(), 73);
    EXPECT_EQ(frame->Height(), 29);
    EXPECT_EQ(FrameBounds(), Expected());

    // Only the 4-pixel ring is part of the window: the cell stays clickable.
    const TWindowRegion rgn = GetWindowRgn(frame);
    for (const TPoint p : {TPoint(1, 1), TPoint(3, 14), TPoint(70, 14), TPoint(36, 26)})
        EXPECT_TRUE(rgn.Contains(p)) << p.X << "," << p.Y;
    for (const TPoint p : {TPoint(4, 4), TPoint(36, 14), TPoint(67, 23)})
        EXPECT_FALSE(rgn.Contains(p)) << p.X << "," << p.Y;

    // The ring glows in the frame's light blue, translucent at the edge.
    const QImage ring = WindowPicture(frame, TRect(0, 0, 73, 29));
    ASSERT_FALSE(ring.isNull());
    const QColor mid = ring.pixelColor(2, 14);
    EXPECT_GT(mid.alpha(), 60);
    EXPECT_LT(mid.alpha(), 255);
    EXPECT_GT(mid.blue(), mid.red());
    EXPECT_GT(mid.green(), mid.red());

    // Moving the form moves the frame with the cell.
    form->SetBounds(160, 130, form->Width(), form->Height());
    Application->ProcessMessages();
    EXPECT_EQ(FrameBounds(), Expected());

    // The screen as the user sees it: the form with the frame over it.
    QImage shot = GrabControl(form);
    {
        QPainter p(&shot);
        const TPoint origin = form->ClientToScreen(TPoint(0, 0));
        p.drawImage(frame->Left() - origin.X, frame->Top() - origin.Y, ring);
    }
    EXPECT_FALSE(testsupport::SaveScreenshot(shot, QStringLiteral("TExStringGrid-focus-frame")).isEmpty());

    // Committing the edit takes the frame away.
    TestInput::PressKey(grid, VK_RETURN);
    Application->ProcessMessages();
    EXPECT_FALSE(frame->Visible());
    EXPECT_EQ(TExStringGrid::FocusGrid(), nullptr);
    // A later move of the window leaves the hidden frame alone.
    const TRect left = FrameBounds();
    form->SetBounds(90, 90, form->Width(), form->Height());
    Application->ProcessMessages();
    EXPECT_EQ(FrameBounds(), left);
}

TEST_F(FrameGrid, NoFrameWithoutTheHelperAndNoneAfterEscape)
{
    Edit(1, 1);
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_FALSE(grid->FocusWindow()->Visible());
    EXPECT_EQ(TExStringGrid::FocusGrid(), nullptr);
    TestInput::PressKey(grid->InplaceEditor(), VK_ESCAPE);

    grid->FocusHelper()->SetEnabled(true);
    Edit(3, 2);
    EXPECT_TRUE(grid->FocusWindow()->Visible());
    TestInput::PressKey(grid->InplaceEditor(), VK_ESCAPE);
    Application->ProcessMessages();
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(grid->FocusWindow()->Visible());
}

TEST_F(FrameGrid, GridGoingAwayLeavesNoFrameOwner)
{
    grid->FocusHelper()->SetEnabled(true);
    Edit(1, 2);
    ASSERT_EQ(TExStringGrid::FocusGrid(), grid);
    delete form;
    form = nullptr;
    EXPECT_EQ(TExStringGrid::FocusGrid(), nullptr);
    // Windows that move later find no grid to call.
    TForm other(nullptr);
    other.SetBounds(50, 50, 200, 100);
    other.Show();
    other.SetBounds(60, 60, 200, 100);
    Application->ProcessMessages();
}

TEST(ExGridNotify, DatePickerChangeGivesTheDateOrZero)
{
    TExStringGrid g(nullptr);
    g.SetCol(2);
    g.SetRow(4);
    struct TCase {
        Word Year, Month, Day, Hour, Minute;
        TDateTime Expected;
    };
    const TCase cases[] = {
        {2026, 12, 11, 6, 30, EncodeDate(2026, 12, 11) + EncodeTime(6, 30, 0, 0)},
        {0, 12, 11, 6, 30, 0},
        {2026, 0, 11, 0, 0, 0},
        {2026, 2, 30, 0, 0, 0},  // no such day
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Year * 10000 + c.Month * 100 + c.Day);
        Integer col = -1, row = -1;
        TDateTime got = -1;
        g.OnDateTimeChange = [&](TObject*, Integer ACol, Integer ARow, TDateTime Value) {
            col = ACol;
            row = ARow;
            got = Value;
        };
        TNMDateTimeChange rec;
        rec.hdr.code = DTN_DATETIMECHANGE;
        rec.st.wYear = c.Year;
        rec.st.wMonth = c.Month;
        rec.st.wDay = c.Day;
        rec.st.wHour = c.Hour;
        rec.st.wMinute = c.Minute;
        g.Perform(WM_NOTIFY, 0, LPARAM(&rec));
        EXPECT_EQ(col, 2);
        EXPECT_EQ(row, 4);
        EXPECT_DOUBLE_EQ(got, c.Expected);
    }
}

TEST(ExGridNotify, DateEditorOfTheGridReportsItsChange)
{
    TForm form(nullptr);
    TExStringGrid* g = new TExStringGrid(&form);
    g->SetParent(&form);
    TDateTime got = 0;
    Integer calls = 0;
    g->OnDateTimeChange = [&](TObject*, Integer, Integer, TDateTime Value) {
        ++calls;
        got = Value;
    };
    TGridDatePicker* picker = g->DateTimePicker();
    form.Show();
    picker->Show();
    picker->SetEnabled(true);
    picker->SetFocus();
    picker->SetDate(EncodeDate(2026, 3, 14));
    TestInput::PressKey(picker, VK_UP);
    EXPECT_GE(calls, 1);
    Word y = 0, m = 0, d = 0;
    DecodeDate(got, y, m, d);
    EXPECT_EQ(y, 2026);
}

namespace {

// A grid on a form being designed, as a form designer shows it.
struct DesignGrid : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(400, 220);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 400, 220);
        form->SetDesigning(true);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { delete form; }
    // The box's line height: its font's.
    static Integer LH()
    {
        TBitmap b;
        b.SetSize(1, 1);
        b.Canvas()->Font()->SetName(QStringLiteral("Tahoma"));
        b.Canvas()->Font()->SetSize(8);
        return b.Canvas()->TextHeight(QStringLiteral("gh"));
    }
    TPoint BoxTopLeft()
    {
        const TRect cr = grid->ClientRect();
        return {cr.Right - 150, cr.Bottom - (4 * LH() + 18)};
    }
    TPoint Line(Integer Hit)
    {
        const TPoint b = BoxTopLeft();
        const Integer ls = LH() + 2;
        switch (Hit) {
        case 1: return {b.X + 24, b.Y + ls + 4 + ls / 2};
        case 2: return {b.X + 24, b.Y + 2 * ls + 4 + ls / 2};
        case 3: return {b.X + 10, b.Y + 3 * ls + 4 + ls / 2};
        default: return {grid->ClientRect().Right - 8, b.Y + 8};
        }
    }
    void ClickLine(Integer Hit)
    {
        TestInput::MouseMove(grid, Line(Hit));
        TestInput::Click(grid, Line(Hit));
        Application->ProcessMessages();
    }
};

} // namespace

TEST_F(DesignGrid, BoxShowsInTheCornerAndAnswersItsLines)
{
    const QImage shot = GrabControl(grid);
    EXPECT_FALSE(testsupport::SaveScreenshot(shot, QStringLiteral("TExStringGrid-design-box")).isEmpty());
    const TPoint b = BoxTopLeft();
    // Filled in the hint colour, framed in grey, in the bottom-right corner.
    EXPECT_EQ(shot.pixelColor(b.X + 100, b.Y + 2 * LH()), Rgb(clInfoBk));
    EXPECT_EQ(shot.pixelColor(b.X + 60, b.Y), Rgb(clGray));
    EXPECT_NE(shot.pixelColor(b.X - 10, b.Y + 2 * LH()), Rgb(clInfoBk));
    // Its title is written in navy.
    bool navy = false;
    for (Integer x = b.X + 4; x < b.X + 100 && !navy; ++x)
        for (Integer y = b.Y + 4; y < b.Y + 4 + LH(); ++y)
            navy = navy || shot.pixelColor(x, y) == Rgb(TColor(0x800000));
    EXPECT_TRUE(navy);

    for (Integer hit = 1; hit <= 4; ++hit) {
        const TPoint p = Line(hit);
        EXPECT_EQ(grid->DesignHelperHitTest(p.X, p.Y), hit) << hit;
    }
    EXPECT_EQ(grid->DesignHelperHitTest(b.X - 20, b.Y + 20), -1);
    EXPECT_EQ(grid->DesignHelperHitTest(10, 10), -1);

    // The designer's question: a line of the box takes the mouse.
    const TPoint p = Line(2);
    EXPECT_EQ(grid->Perform(CM_DESIGNHITTEST, 0, PointToLParam(p)), LRESULT(1));
    EXPECT_EQ(grid->LastDesignChoice(), 2);
    EXPECT_EQ(grid->Perform(CM_DESIGNHITTEST, 0, PointToLParam({10, 10})), LRESULT(0));
    EXPECT_EQ(grid->LastDesignChoice(), -1);
}

TEST_F(DesignGrid, ClicksToggleEditingAndNumbersSetTheLookAndClose)
{
    const bool editing = (grid->Options() & goEditing) != 0;
    ClickLine(1);
    EXPECT_EQ((grid->Options() & goEditing) != 0, !editing);
    ASSERT_TRUE(grid->ShowColNrs());
    ClickLine(2);
    EXPECT_FALSE(grid->ShowColNrs());

    PopupSeam::QueueChoice(QStringLiteral("Windows 7"));
    ClickLine(3);
    EXPECT_EQ(grid->Look(), glWin7);

    ClickLine(4);
    EXPECT_FALSE(grid->ShowDesignHelper());
    const QImage after = GrabControl(grid);
    const TPoint b = BoxTopLeft();
    EXPECT_NE(after.pixelColor(b.X + 100, b.Y + 2 * LH()), Rgb(clInfoBk));
    // Outside the box a designed grid does not take the mouse.
    const Integer row = grid->Row();
    const TRect cell = grid->CellRect(2, 3);
    TestInput::Click(grid, {(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
    EXPECT_EQ(grid->Row(), row);
}

TEST(ExGridDesignBox, NotShownWhileRunning)
{
    TForm form(nullptr);
    form.SetClientSize(300, 200);
    TExStringGrid* g = new TExStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 300, 200);
    form.Show();
    const QImage shot = GrabControl(g);
    const TRect cr = g->ClientRect();
    EXPECT_NE(shot.pixelColor(cr.Right - 50, cr.Bottom - 20), Rgb(clInfoBk));
}
