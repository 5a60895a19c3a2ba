// Rows and columns inserted and removed with what hangs on them (texts,
// cell objects, heights and widths, hidden columns and rows, row marks, the
// current row); removal by check state, duplicates and selection; hiding
// columns while a cell is edited; the selection moved out of sight and back.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/InplaceEdit.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QString Text(Integer c, Integer r)
{
    return QStringLiteral("%1:%2").arg(c).arg(r);
}

std::unique_ptr<TExStringGrid> Filled(Integer cols, Integer rows)
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    for (Integer c = 0; c < cols; ++c)
        for (Integer r = 0; r < rows; ++r)
            g->SetCells(c, r, Text(c, r));
    return g;
}

} // namespace

TEST(ExGridRows, RemovedRowsTakeTheirObjectsAndTheRestMoveUpWithHeights)
{
    auto g = Filled(4, 8);
    g->SetRowHeights(5, 40);
    g->SetRowHeights(6, 50);
    g->AddComment(2, 5, QStringLiteral("five"));
    g->AddComment(2, 3, QStringLiteral("three"));
    g->HideColumn(3);  // its texts move with their rows too
    std::vector<TRect> changed;
    g->OnCellsChanged = [&](TObject*, TRect R) { changed.push_back(R); };
    g->RemoveRows(2, 2);
    EXPECT_EQ(g->RowCount(), 6);
    for (Integer r = 2; r < 6; ++r) {
        EXPECT_EQ(g->Cells(1, r), Text(1, r + 2)) << r;
        EXPECT_EQ(g->Cells(3, r), Text(3, r + 2)) << r;
    }
    EXPECT_EQ(g->RowHeights(3), 40);
    EXPECT_EQ(g->RowHeights(4), 50);
    EXPECT_EQ(g->GetComment(2, 3), QStringLiteral("five"));
    QString none;
    EXPECT_FALSE(g->IsComment(2, 2, none));
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].Top, 2);
    // Nothing for a count of 0 or a row beyond the end.
    g->RemoveRows(1, 0);
    g->RemoveRows(9, 1);
    EXPECT_EQ(g->RowCount(), 6);
}

TEST(ExGridRows, CurrentRowStaysOrMovesToTheLastNormalRow)
{
    auto g = Filled(3, 6);
    g->SetRow(2);
    g->RemoveRows(4, 1);
    EXPECT_EQ(g->Row(), 2);
    g->SetRow(4);  // the last row
    g->RemoveRows(4, 1);
    EXPECT_EQ(g->Row(), 3);
    // Only the fixed row left: the selection goes out of sight.
    g->RemoveRows(1, 3);
    EXPECT_EQ(g->RowCount(), 1);
    EXPECT_GE(g->Selection().Top, g->RowCount());
}

TEST(ExGridRows, RemovingRowsAboveAHiddenRowKeepsItsNeighbours)
{
    for (bool light : {false, true}) {
        auto g = Filled(3, 8);
        g->HideRow(5);
        if (light)
            g->RemoveRowsEx(1, 2);
        else
            g->RemoveRows(1, 2);
        g->UnHideRowsAll();
        SCOPED_TRACE(light);
        EXPECT_EQ(g->Cells(1, 2), Text(1, 4));
        EXPECT_EQ(g->Cells(1, 3), Text(1, 5));
        EXPECT_EQ(g->Cells(1, 4), Text(1, 6));
    }
}

TEST(ExGridRows, InsertedRowsAreEmptyAndPushTheRestDown)
{
    auto g = Filled(3, 5);
    g->SetRowHeights(2, 33);
    g->ShowModified()->SetEnabled(true);
    g->SetRowModified(2, true);
    g->InsertRows(2, 2);
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(g->Cells(1, 2), QString());
    EXPECT_EQ(g->Cells(1, 3), QString());
    EXPECT_EQ(g->Cells(1, 4), Text(1, 2));
    EXPECT_EQ(g->RowHeights(4), 33);
    EXPECT_EQ(g->RowHeights(2), g->DefaultRowHeight());
    EXPECT_TRUE(g->RowModified(4));
    EXPECT_FALSE(g->RowModified(2));
    g->InsertRows(7, 1);  // at the end
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->Cells(1, 7), QString());
}

TEST(ExGridColumns, InsertAndRemoveKeepHiddenColumnsInStep)
{
    auto g = Filled(6, 3);
    for (Integer c = 0; c < 6; ++c)
        g->SetColWidths(c, 40 + c);
    g->HideColumn(4);
    g->InsertCols(2, 1);
    EXPECT_EQ(g->ColCount(), 6);
    EXPECT_EQ(g->TotalColCount(), 7);
    EXPECT_EQ(g->Cells(2, 1), QString());
    EXPECT_EQ(g->Cells(3, 1), Text(2, 1));
    EXPECT_TRUE(g->IsHiddenColumn(5));  // the hidden column moved right with its texts
    EXPECT_FALSE(g->IsHiddenColumn(4));
    EXPECT_EQ(g->Cells(5, 1), Text(4, 1));
    g->UnHideColumn(5);
    EXPECT_EQ(g->ColWidths(5), 44);

    g->RemoveCols(2, 2);  // the new column and the old column 2
    EXPECT_EQ(g->TotalColCount(), 5);
    EXPECT_EQ(g->Cells(2, 1), Text(3, 1));
    EXPECT_EQ(g->Cells(4, 1), Text(5, 1));
    // Too many: cut to the columns there are, the last displayed one stays.
    g->RemoveCols(1, 99);
    EXPECT_EQ(g->ColCount(), 1);
    EXPECT_EQ(g->Cells(0, 1), Text(0, 1));
}

TEST(ExGridColumns, RemovingAHiddenColumnKeepsTheCountsTrue)
{
    auto g = Filled(5, 2);
    g->HideColumn(3);
    g->RemoveCols(3, 1);
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->Cells(3, 1), Text(4, 1));
}

TEST(ExGridRows, RemovalByCheckStateDuplicatesAndSelection)
{
    auto g = Filled(3, 7);
    for (Integer r = 1; r < 7; ++r)
        g->AddCheckBox(2, r, r % 2 == 0, false);
    g->RemoveCheckedRows(2, true);
    ASSERT_EQ(g->RowCount(), 4);
    for (Integer r = 1; r < 4; ++r)
        EXPECT_EQ(g->Cells(1, r), Text(1, 2 * r - 1));

    auto d = Filled(2, 6);
    const char* const texts[] = {"abc", "ABC", "x", "Abc", "y"};
    for (Integer r = 1; r < 6; ++r)
        d->SetCells(1, r, QString::fromLatin1(texts[r - 1]));
    d->RemoveDuplicates(1, true);
    ASSERT_EQ(d->RowCount(), 4);
    EXPECT_EQ(d->Cells(1, 1), QStringLiteral("abc"));
    EXPECT_EQ(d->Cells(1, 2), QStringLiteral("x"));
    EXPECT_EQ(d->Cells(1, 3), QStringLiteral("y"));

    auto s = Filled(3, 8);
    s->SetSelectionEx({1, 2, 2, 4});
    s->RemoveSelectedRows();
    EXPECT_EQ(s->RowCount(), 5);
    EXPECT_EQ(s->Cells(1, 2), Text(1, 5));
}

TEST(ExGridRows, DisjunctRowMarksStayWithTheirRows)
{
    auto g = Filled(3, 7);
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(5, true);
    g->DoRemoveRows(2, 1);
    EXPECT_TRUE(g->RowSelect(4));
    EXPECT_FALSE(g->RowSelect(5));
    g->RemoveSelectedRows();
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Cells(1, 4), Text(1, 6));
}

TEST(ExGridHiddenColumns, HidingWritesTheOpenEditBackAndKeepsOneColumn)
{
    TForm form(nullptr);
    form.SetClientSize(400, 160);
    auto* g = new TExStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 400, 160);
    g->SetColCount(4);
    g->SetRowCount(4);
    g->SetOptions(g->Options() | goEditing);
    form.Show();
    g->SetFocus();
    g->MoveColRow(2, 1, true, true);
    g->ShowInplaceEdit();
    ASSERT_TRUE(g->EditorMode());
    g->GetNormalEdit()->SetText(QStringLiteral("typed"));
    g->HideColumn(2);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("typed"));

    // The current cell on the last displayed column moves one to the left.
    g->MoveColRow(g->ColCount() - 1, 1, true, true);
    g->HideColumn(1);
    EXPECT_EQ(g->Col(), g->ColCount() - 1);
    // The last displayed column is never hidden.
    auto two = Filled(2, 2);
    two->HideColumn(0);
    two->HideColumn(1);
    EXPECT_EQ(two->ColCount(), 1);
    EXPECT_EQ(two->NumHiddenColumns(), 1);
}

TEST(ExGridHiddenColumns, HiddenSelectionComesBackOrFallsToTheFirstNormalCell)
{
    auto g = Filled(5, 8);
    g->SetSelectionEx({2, 3, 3, 5});
    g->HideSelection();
    EXPECT_TRUE(g->SelectionHidden());
    EXPECT_GE(g->Selection().Left, g->ColCount());
    g->UnHideSelection();
    EXPECT_EQ(g->Selection(), (TGridRect{2, 3, 3, 5}));

    g->HideSelection();
    g->SetRowCount(3);  // the old top row is gone
    g->UnHideSelection();
    EXPECT_EQ(g->Selection(), (TGridRect{1, 1, 1, 1}));
    EXPECT_FALSE(g->SelectionHidden());
}
