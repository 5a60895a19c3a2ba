// Cell accessors by real row and original column, all column widths, the
// per-cell look and row colours; the background, modified marking and
// column-order records.
#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "grid/ExGridHelpers.h"
#include "platform/Graphics.h"

#include <gtest/gtest.h>

namespace {

struct Accessors : ::testing::Test {
    TExStringGrid grid{nullptr};
    void SetUp() override
    {
        grid.SetColCount(4);
        grid.SetRowCount(5);
        for (Integer r = 0; r < 5; ++r)
            for (Integer c = 0; c < 4; ++c)
                grid.SetCells(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
    }
};

} // namespace

TEST_F(Accessors, CellsOfHiddenRowsByRealRow)
{
    grid.HideRow(2);
    EXPECT_EQ(grid.GetAllCells(1, 2), QStringLiteral("1.2"));
    EXPECT_EQ(grid.GetAllCells(1, 3), QStringLiteral("1.3"));
    EXPECT_EQ(grid.GetAllCells(-1, 2), QString());
    grid.OnGetDisplText = [](TObject*, Integer, Integer, QString& V) { V = V + QStringLiteral("!"); };
    EXPECT_EQ(grid.GetAllCells(1, 2), QStringLiteral("1.2!"));
    EXPECT_EQ(grid.AllGridCells(1, 2), QStringLiteral("1.2"));
    grid.OnGetDisplText = nullptr;
    ASSERT_NE(grid.HiddenRowStrings(2), nullptr);
    EXPECT_EQ(grid.HiddenRowStrings(3), nullptr);
    const Integer before = grid.HiddenRowStrings(2)->Count();
    ASSERT_LT(before, 11);
    grid.SetAllCells(10, 2, QStringLiteral("far"));
    EXPECT_EQ(grid.HiddenRowStrings(2)->Count(), 11);
    EXPECT_EQ(grid.GetAllCells(10, 2), QStringLiteral("far"));
    // The raw writer does not grow the list.
    grid.SetAllGridCells(12, 2, QStringLiteral("no"));
    EXPECT_EQ(grid.HiddenRowStrings(2)->Count(), 11);
    TObject mark;
    grid.SetAllObjects(1, 2, &mark);
    EXPECT_EQ(grid.AllObjects(1, 2), &mark);
    grid.UnHideRow(2);
    EXPECT_EQ(grid.Cells(1, 2), QStringLiteral("1.2"));
    EXPECT_EQ(grid.Objects(1, 2), &mark);
    EXPECT_EQ(grid.AllRowCount(), 5);
}

TEST_F(Accessors, WidthsOfAllRealColumns)
{
    grid.SetColWidths(2, 77);
    grid.HideColumn(2);
    EXPECT_EQ(grid.AllColWidths(2), 77);
    grid.SetAllColWidths(2, 40);
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.AllColWidths(2), 40);
    EXPECT_EQ(grid.AllColCount(), 4);
    grid.SetAllColWidths(3, 55);  // shown, at display index 2
    EXPECT_EQ(grid.ColWidths(2), 55);
    grid.UnHideColumn(2);
    EXPECT_EQ(grid.ColWidths(2), 40);
    EXPECT_THROW(grid.AllColWidths(513), DOzeDidoRivar);
    EXPECT_THROW(grid.SetAllColWidths(-1, 5), DOzeDidoRivar);
}

TEST_F(Accessors, PerCellLookReadsDefaultsWithoutCreatingAnything)
{
    EXPECT_EQ(grid.Colors(1, 1), clNone);
    EXPECT_EQ(grid.ColorsTo(1, 1), clNone);
    EXPECT_EQ(grid.FontColors(1, 1), clNone);
    EXPECT_EQ(grid.FontSizes(1, 1), 0);
    EXPECT_TRUE(grid.FontNames(1, 1).isEmpty());
    EXPECT_TRUE(grid.FontStyles(1, 1).Empty());
    EXPECT_EQ(grid.Alignments(1, 1), taLeftJustify);
    EXPECT_EQ(grid.Gradients(1, 1), GradientVertical);
    EXPECT_FALSE(grid.ReadOnly(1, 1));
    EXPECT_FALSE(grid.HasCellProperties(1, 1));
    EXPECT_TRUE(grid.WordWraps(1, 1));
    EXPECT_TRUE(grid.HasCellProperties(1, 1));

    TFont f;
    f.SetName(QStringLiteral("Courier"));
    f.SetSize(15);
    f.SetStyle(fsBold);
    f.SetColor(clBlue);
    grid.SetFonts(2, 2, &f);
    EXPECT_EQ(grid.FontNames(2, 2), QStringLiteral("Courier"));
    EXPECT_EQ(grid.FontSizes(2, 2), 15);
    EXPECT_TRUE(grid.FontStyles(2, 2).Contains(fsBold));
    EXPECT_EQ(grid.FontColors(2, 2), clBlue);
    grid.SetAlignments(2, 2, taRightJustify);
    EXPECT_EQ(grid.Alignments(2, 2), taRightJustify);
}

TEST_F(Accessors, RowColoursAndTheirRemoval)
{
    grid.SetRowColor(2, clRed);
    grid.SetAlignments(2, 2, taCenter);
    EXPECT_EQ(grid.Colors(1, 2), clRed);
    EXPECT_EQ(grid.Colors(3, 2), clRed);
    EXPECT_EQ(grid.Colors(0, 2), clNone);  // fixed column untouched
    grid.AddCheckBox(3, 2, cbChecked);
    grid.SetRowColor(2, clNone);
    // Only the colour goes: a cell that had nothing else is as before, one
    // with its own alignment keeps it.
    EXPECT_FALSE(grid.HasCellProperties(1, 2));
    EXPECT_TRUE(grid.HasCellProperties(2, 2));
    EXPECT_EQ(grid.Colors(2, 2), clNone);
    EXPECT_EQ(grid.Alignments(2, 2), taCenter);
    TCheckBoxState s = cbUnchecked;
    EXPECT_TRUE(grid.GetCheckBoxState(3, 2, s));  // the check box stays
    EXPECT_EQ(grid.Colors(3, 2), clNone);

    grid.SetRowColorTo(3, clGreen);
    EXPECT_EQ(grid.ColorsTo(1, 3), clGreen);
    grid.AddCheckBox(1, 3, cbChecked);
    grid.SetRowColorTo(3, clNone);
    EXPECT_TRUE(grid.GetCheckBoxState(1, 3, s));
    EXPECT_FALSE(grid.HasCellProperties(2, 3));

    grid.SetRowFontColor(4, clBlue);
    grid.SetColors(1, 4, clNone);
    grid.SetColors(2, 4, clYellow);
    grid.SetRowFontColor(4, clNone);
    EXPECT_FALSE(grid.HasCellProperties(1, 4));
    EXPECT_EQ(grid.FontColors(2, 4), clBlue);  // a coloured cell keeps its properties
}

TEST_F(Accessors, TextsAndOriginalColumns)
{
    grid.SetCells(1, 1, QStringLiteral("a\r\nb"));
    EXPECT_EQ(grid.LinesInCell(1, 1), 2);
    EXPECT_EQ(grid.LinesInCell(2, 1), 1);
    grid.SetCells(2, 1, QStringLiteral("<b>bold</b>"));
    EXPECT_EQ(grid.StrippedCells(2, 1), QStringLiteral("bold"));
    EXPECT_EQ(grid.WideCells(2, 2), QStringLiteral("2.2"));

    EXPECT_EQ(grid.ColumnPosition(1), 1);
    EXPECT_EQ(grid.ColumnAtPosition(1), 1);
    grid.SetColumnOrder();
    grid.MoveColumn(0, 2);
    EXPECT_EQ(grid.ColumnAtPosition(2), 0);
    EXPECT_EQ(grid.ColumnPosition(0), 2);
    EXPECT_EQ(grid.OriginalCells(0, 3), QStringLiteral("0.3"));
    grid.HideColumn(3);
    grid.ResetColumnOrder();
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.Cells(0, 3), QStringLiteral("0.3"));
    EXPECT_EQ(grid.ColumnAtPosition(0), 0);

    EXPECT_EQ(grid.ColumnByHeader(QStringLiteral("2.0")), 2);
    EXPECT_EQ(grid.ColumnByHeader(QStringLiteral("none")), -1);
    grid.SetCells(3, 0, QStringLiteral("2.0"));
    EXPECT_EQ(grid.ColumnByHeader(QStringLiteral("2.0")), 2);
}

TEST(GridRecords, ModifiedMarkingAndBackground)
{
    TExStringGrid grid(nullptr);
    TShowModified* m = grid.ShowModified();
    EXPECT_FALSE(m->Enabled());
    EXPECT_EQ(m->Color(), clYellow);
    Integer fired = 0;
    m->OnChange = [&](TObject*) { ++fired; };
    m->SetColor(clYellow);
    EXPECT_EQ(fired, 1);
    m->SetEnabled(true);
    EXPECT_EQ(fired, 1);
    TShowModified copy;
    copy.Assign(m);
    EXPECT_TRUE(copy.Enabled());

    TBackGround* bg = grid.BackGround();
    EXPECT_EQ(bg->Display, bdTile);
    EXPECT_EQ(bg->Cells, bcNormal);
    EXPECT_EQ(bg->Color, clWindow);
    EXPECT_EQ(bg->ColorTo, clBtnFace);
    EXPECT_TRUE(bg->Bitmap()->Empty());
    bg->SetDisplay(bdGradientVert);
    EXPECT_EQ(bg->Display, bdGradientVert);
}
