// Moving columns and rows (hidden columns, the recorded column order, the
// unsorted order), the wheel in its two actions, and zooming.
#include "grid/ExGrid.h"

#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Screenshot.h"

namespace {

// Header row of "", "A" .. "D"; each cell holds its column's letter and its row.
std::unique_ptr<TExStringGrid> LetterGrid(Integer Rows = 4)
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(5);
    g->SetRowCount(Rows);
    for (Integer c = 1; c < 5; ++c) {
        const QString l(QChar(u'A' + c - 1));
        g->SetCells(c, 0, l);
        for (Integer r = 1; r < Rows; ++r)
            g->SetCells(c, r, l + QString::number(r));
    }
    return g;
}

// The captions of the displayed columns (Cells takes real columns).
QString Header(TExStringGrid& g)
{
    QString s;
    for (Integer c = 1; c < g.ColCount(); ++c)
        s += g.Cells(g.RealColIndex(c), 0);
    return s;
}

// A 300 x 200 grid of 5 columns on the form.
TExStringGrid* GridOnForm(TForm& Form, Integer Rows)
{
    Form.SetClientSize(300, 200);
    auto* g = new TExStringGrid(&Form);
    g->SetParent(&Form);
    g->SetBounds(0, 0, 300, 200);
    g->SetColCount(5);
    g->SetRowCount(Rows);
    return g;
}

} // namespace

TEST(ExGridMove, AColumnMovedPastAHiddenOneKeepsItsCellsAndWidth)
{
    auto g = LetterGrid();
    g->SetColWidths(2, 77);
    g->HideColumn(2);  // B
    ASSERT_EQ(Header(*g), QStringLiteral("ACD"));
    g->MoveColumn(1, 3);  // A to the end
    EXPECT_EQ(Header(*g), QStringLiteral("CDA"));
    EXPECT_TRUE(g->IsHiddenColumn(1));  // B is real column 1 now
    EXPECT_EQ(g->AllCells(1, 2), QStringLiteral("B2"));
    g->UnHideColumn(1);
    EXPECT_EQ(Header(*g), QStringLiteral("BCDA"));
    EXPECT_EQ(g->ColWidths(1), 77);
    for (Integer r = 1; r < 4; ++r)
        EXPECT_EQ(g->Cells(4, r), QStringLiteral("A%1").arg(r));
}

TEST(ExGridMove, TheColumnOrderIsTheOneBeforeTheFirstMove)
{
    auto g = LetterGrid();
    g->MoveColumn(1, 3);  // B C A D
    EXPECT_EQ(Header(*g), QStringLiteral("BCAD"));
    EXPECT_EQ(g->ColumnAtPosition(1), 2);
    EXPECT_EQ(g->ColumnAtPosition(3), 1);
    EXPECT_EQ(g->ColumnPosition(1), 3);
    g->MoveColumn(4, 1);  // D B C A
    EXPECT_EQ(Header(*g), QStringLiteral("DBCA"));
    EXPECT_EQ(g->ColumnAtPosition(1), 4);
    g->ResetColumnOrder();
    EXPECT_EQ(Header(*g), QStringLiteral("ABCD"));
    EXPECT_EQ(g->Cells(3, 2), QStringLiteral("C2"));
}

TEST(ExGridMove, MovedRowsKeepTheUnsortedOrderAndReportTheMove)
{
    auto g = LetterGrid(5);
    std::vector<std::pair<Integer, Integer>> moved;
    g->OnRowMoved = [&](TObject*, Integer From, Integer To) { moved.emplace_back(From, To); };
    g->Sort(1, sdDescending);  // A4 A3 A2 A1
    g->MoveRow(1, 3);          // A3 A2 A4 A1
    EXPECT_EQ(moved, (std::vector<std::pair<Integer, Integer>>{{1, 3}}));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("B4"));
    g->QUnSort();
    for (Integer r = 1; r < 5; ++r) {
        EXPECT_EQ(g->Cells(1, r), QStringLiteral("A%1").arg(r));
        EXPECT_EQ(g->Cells(4, r), QStringLiteral("D%1").arg(r));
    }
    g->MoveRows(1, 3, 2);  // rows 1 and 2 after row 4
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("A3"));
    EXPECT_EQ(g->Cells(3, 4), QStringLiteral("C2"));
}

TEST(ExGridMove, WheelMovesTheRowOrScrollsAndCtrlWheelZooms)
{
    TForm form(nullptr);
    TExStringGrid* g = GridOnForm(form, 60);
    g->MouseActions()->SetWheelIncrement(3);
    g->SetRow(1);
    TestInput::Wheel(g, -120, {50, 50});  // one notch towards the user
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(g->TopRow(), 1);

    g->MouseActions()->SetWheelAction(waScroll);
    TestInput::Wheel(g, -120, {50, 50});
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(g->TopRow(), 4);
    TestInput::Wheel(g, 120, {50, 50});
    EXPECT_EQ(g->TopRow(), 1);

    g->SetEnableWheel(false);
    TestInput::Wheel(g, -120, {50, 50});
    EXPECT_EQ(g->TopRow(), 1);
    EXPECT_EQ(g->Row(), 4);

    // Zoom adds to every width and height and stops at 10 steps either way.
    const Integer w = g->ColWidths(2), h = g->RowHeights(3);
    g->Zoom(3);
    EXPECT_EQ(g->ColWidths(2), w + 3);
    EXPECT_EQ(g->RowHeights(3), h + 3);
    EXPECT_EQ(g->ZoomFactor(), 3);
    g->Zoom(8);  // would pass 10
    EXPECT_EQ(g->ZoomFactor(), 3);
    EXPECT_EQ(g->ColWidths(2), w + 3);
    g->Zoom(-3);
    EXPECT_EQ(g->ColWidths(2), w);

    g->SetEnableWheel(true);
    TestInput::Wheel(g, -120, {50, 50}, TShiftState{ssCtrl});  // towards the user: larger
    EXPECT_GT(g->ZoomFactor(), 0);
    EXPECT_EQ(g->TopRow(), 1);  // a zoom scrolls nothing
    const Integer zoomed = g->ZoomFactor();
    TestInput::Wheel(g, 120, {50, 50}, TShiftState{ssCtrl});
    EXPECT_EQ(g->ZoomFactor(), 0);
    EXPECT_GT(zoomed, g->ZoomFactor());
}

TEST(ExGridMove, LookPresetsSetTheirColoursAndCustomKeepsThem)
{
    auto g = LetterGrid();
    g->SetLook(glClassic);
    EXPECT_EQ(g->FixedColor(), clBtnFace);
    EXPECT_EQ(g->ControlLook()->FixedGradientFrom(), clBtnFace);
    EXPECT_EQ(g->GridLineColor(), clSilver);
    EXPECT_EQ(g->SelectionColor(), clHighlight);
    EXPECT_EQ(g->ActiveCellColor(), clGray);

    g->SetLook(glKavro);
    EXPECT_EQ(g->SelectionColor(), TColor(0xEACAB6));
    EXPECT_EQ(g->ControlLook()->FixedGradientTo(), clSilver);
    g->SetLook(glXP);
    EXPECT_EQ(g->ControlLook()->FixedGradientTo(), clBtnFace);

    g->SetSelectionColor(clRed);
    g->SetLook(glCustom);
    EXPECT_EQ(g->SelectionColor(), clRed);
    EXPECT_EQ(g->ControlLook()->FixedGradientFrom(), clWhite);
}

TEST(ExGridMove, ScrollInViewCentresACellOutOfView)
{
    TForm form(nullptr);
    TExStringGrid* g = GridOnForm(form, 100);
    const Integer visible = g->VisibleRowCount();
    g->ScrollInView(2, 50);
    EXPECT_EQ(g->Row(), 50);
    EXPECT_EQ(g->TopRow(), 50 - visible / 2);
    g->ScrollInView(2, 52);  // in view already: nothing moves
    EXPECT_EQ(g->TopRow(), 50 - visible / 2);
    EXPECT_EQ(g->Row(), 50);
    g->ScrollInView(2, 200);  // beyond the grid
    EXPECT_EQ(g->Row(), 50);
}

TEST(ExGridMove, AHeaderDraggedByMouseShowsItsButtonAndMovesTheColumn)
{
    TForm form(nullptr);
    TExStringGrid* g = GridOnForm(form, 4);
    g->SetOptions(g->Options() | goColMoving);
    g->SortSettings()->SetShow(true);  // the drop must not sort as well
    for (Integer c = 1; c < 5; ++c) {
        const QString l(QChar(u'A' + c - 1));
        g->SetCells(c, 0, l);
        for (Integer r = 1; r < 4; ++r)
            g->SetCells(c, r, l + QString::number(r));
    }
    std::vector<std::pair<Integer, Integer>> moved;
    g->OnColumnMoved = [&](TObject*, Integer From, Integer To) { moved.emplace_back(From, To); };
    auto centre = [&](Integer C) {
        const TRect r = g->CellRect(C, 0);
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    };
    const TPoint from = centre(1), to = centre(3);
    form.Show();
    // Routed as Qt routes the user's input: the release goes to the grid
    // holding the mouse, not to the dragged button under it.
    TestInput::RoutedMouse(g, TestInput::rmDown, from);
    for (Integer i = 1; i <= 6; ++i)
        TestInput::RoutedMouse(g, TestInput::rmMove, {from.X + (to.X - from.X) * i / 6, from.Y});
    THeaderDragButton* button = g->MoveButton();
    EXPECT_TRUE(button->Visible());
    EXPECT_EQ(button->Caption(), QStringLiteral("A"));
    testsupport::SaveScreenshot(GrabControl(&form), QStringLiteral("TExStringGrid-column-drag"));
    TestInput::RoutedMouse(g, TestInput::rmUp, to);
    EXPECT_FALSE(button->Visible());
    EXPECT_EQ(Header(*g), QStringLiteral("BCAD"));
    EXPECT_EQ(g->Cells(g->RealColIndex(3), 2), QStringLiteral("A2"));
    EXPECT_EQ(moved.size(), 1u);
    EXPECT_EQ(g->SortSettings()->Column, -1);
}
