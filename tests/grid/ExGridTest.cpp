// The string grid: its state at creation, hidden columns and rows with real
// and display indexes, cells kept under hidden columns and rows, copying,
// the owner form's resize chain and a painted grid.
#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "QtPrint.h"
#include "Screenshot.h"

namespace {

QString Text(Integer c, Integer r)
{
    return QStringLiteral("c%1r%2").arg(c).arg(r);
}

// A grid of Cols x Rows whose every cell holds its real position.
std::unique_ptr<TExStringGrid> FilledGrid(Integer Cols, Integer Rows)
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    for (Integer c = 0; c < Cols; ++c)
        for (Integer r = 0; r < Rows; ++r)
            g->SetCells(c, r, Text(c, r));
    return g;
}

} // namespace

TEST(ExGrid, StateAtCreation)
{
    TExStringGrid g(nullptr);
    EXPECT_EQ(g.RowCount(), 10);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.DefaultRowHeight(), 22);
    EXPECT_EQ(g.Width(), 400);
    EXPECT_EQ(g.Height(), 250);
    EXPECT_EQ(g.CheckTrue(), QStringLiteral("Y"));
    EXPECT_EQ(g.CheckFalse(), QStringLiteral("N"));
    EXPECT_EQ(g.FloatFormat(), QStringLiteral("%.2f"));
    EXPECT_EQ(g.GroupColumn(), -1);
    EXPECT_EQ(g.Look(), glXP);
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(g.NumHiddenRows(), 0);
    for (Integer c = 0; c <= MAX_COLUMNS; ++c)
        ASSERT_TRUE(g.GetColVisible(c));
    EXPECT_EQ(g.SelectionColor(), TColor(0xEACAB6));
    EXPECT_EQ(g.BorderColor(), TColor(0xB99D7F));
    EXPECT_EQ(g.ColumnSize()->StretchColumn(), -1);
    EXPECT_EQ(g.ColumnSize()->Location(), clRegistry);
    EXPECT_EQ(g.XMLEncoding(), QStringLiteral("ISO-8859-1"));
    EXPECT_EQ(g.FilterDropDownClear(), QStringLiteral("(All)"));
    EXPECT_EQ(g.GridLineColor(), clSilver);
    EXPECT_EQ(g.GridFixedLineColor(), clGray);
    EXPECT_EQ(g.ActiveRowColor(), clInfoBk);
}

// Hiding and showing columns in any order: the index conversions follow a
// simple model, and every cell keeps its text at its real column.
TEST(ExGridHidden, ColumnIndexesFollowHidingInAnyOrder)
{
    struct Step {
        bool Hide;
        Integer Col;
    };
    const std::vector<std::vector<Step>> cases = {
        {{true, 2}},
        {{true, 2}, {true, 4}},
        {{true, 4}, {true, 2}, {false, 4}},
        {{true, 1}, {true, 2}, {true, 3}, {false, 2}},
        {{true, 5}, {true, 0}, {false, 5}, {true, 3}, {false, 0}},
        {{true, 2}, {true, 2}, {false, 3}},  // hiding twice, showing a shown one: no effect
    };
    for (size_t n = 0; n < cases.size(); ++n) {
        auto g = FilledGrid(6, 4);
        for (Integer c = 0; c < 6; ++c)
            g->SetColWidths(c, 40 + c);
        std::vector<bool> hidden(6, false);
        for (const Step& s : cases[n]) {
            if (s.Hide)
                g->HideColumn(s.Col);
            else
                g->UnHideColumn(s.Col);
            hidden[size_t(s.Col)] = s.Hide;
        }
        std::vector<Integer> shown;
        for (Integer c = 0; c < 6; ++c)
            if (!hidden[size_t(c)])
                shown.push_back(c);
        SCOPED_TRACE(n);
        ASSERT_EQ(g->ColCount(), Integer(shown.size()));
        EXPECT_EQ(g->NumHiddenColumns(), 6 - Integer(shown.size()));
        EXPECT_EQ(g->TotalColCount(), 6);
        for (Integer d = 0; d < Integer(shown.size()); ++d) {
            const Integer real = shown[size_t(d)];
            EXPECT_EQ(g->RealColIndex(d), real);
            EXPECT_EQ(g->DisplColIndex(real), d);
            EXPECT_EQ(g->ColWidths(d), 40 + real);  // widths travel with their columns
        }
        for (Integer c = 0; c < 6; ++c) {
            EXPECT_EQ(g->IsHiddenColumn(c), bool(hidden[size_t(c)]));
            for (Integer r = 0; r < 4; ++r)
                EXPECT_EQ(g->Cells(c, r), Text(c, r));
        }
        // Columns past the last one count as shown, past the 512 hideable
        // ones too: they keep their distance.
        EXPECT_EQ(g->RealColIndex(511), 511 + 6 - Integer(shown.size()));
        EXPECT_EQ(g->RealColIndex(600), 600 + 6 - Integer(shown.size()));
        EXPECT_EQ(g->RealColIndex(Integer(shown.size())), Integer(shown.size()) + 6 - Integer(shown.size()));
        g->UnHideColumnsAll();
        for (Integer c = 0; c < 6; ++c)
            EXPECT_EQ(g->ColWidths(c), 40 + c);
    }
}

TEST(ExGridHidden, ConversionsWithoutHiddenColumnsAreIdentity)
{
    TExStringGrid g(nullptr);
    for (Integer c : {0, 1, 4, 511, 512, 600}) {
        EXPECT_EQ(g.RealColIndex(c), c);
        EXPECT_EQ(g.DisplColIndex(c), c);
    }
    EXPECT_FALSE(g.IsHiddenColumn(512));
}

TEST(ExGridHidden, HiddenColumnKeepsTextsObjectsAndPropertiesWhenTheCountChanges)
{
    auto g = FilledGrid(6, 3);
    TObject user;
    g->SetObjectEx(2, 1, &user);
    g->GetCellProperties(2, 2)->SetReadOnly(true);
    g->HideColumn(2);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->RealColIndex(2), 3);
    EXPECT_EQ(g->DisplColIndex(3), 2);
    EXPECT_EQ(g->DisplColIndex(2), 2);  // where it would stand
    EXPECT_EQ(g->Cells(3, 1), Text(3, 1));

    g->SetColCount(7);  // one more shown column
    g->SetCells(6, 1, "new");
    g->SetColCount(5);
    EXPECT_EQ(g->Cells(2, 1), Text(2, 1));
    EXPECT_EQ(g->GetObjectEx(2, 1), &user);
    EXPECT_TRUE(g->GetCellProperties(2, 2)->ReadOnly());
    g->SetColCount(7);
    EXPECT_EQ(g->Cells(6, 1), QStringLiteral("new"));
    g->UnHideColumn(2);
    EXPECT_EQ(g->ColCount(), 8);
    EXPECT_EQ(g->Cells(2, 1), Text(2, 1));
}

TEST(ExGridHidden, RowsMoveOutWithTheirCellsAndComeBack)
{
    auto g = FilledGrid(4, 10);
    TObject user;
    g->SetObjectEx(1, 3, &user);
    g->SetRowHeights(4, 37);
    g->HideRows(3, 4);
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->NumHiddenRows(), 2);
    EXPECT_EQ(g->TotalRowCount(), 10);
    EXPECT_EQ(g->RealRowIndex(3), 5);
    EXPECT_EQ(g->DisplRowIndex(5), 3);
    EXPECT_EQ(g->Cells(0, 3), Text(0, 5));
    EXPECT_TRUE(g->IsHiddenRow(4));
    std::unique_ptr<TIntList> cache;
    EXPECT_TRUE(g->IsHiddenRow(3, cache));
    EXPECT_FALSE(g->IsHiddenRow(5, cache));
    EXPECT_EQ(cache->Count(), 2);
    EXPECT_EQ(g->GetCellsEx(2, 4), Text(2, 4));  // by real row, hidden ones included
    EXPECT_EQ(g->GetCellsEx(2, 7), Text(2, 7));

    // A range with hidden rows hides only the others.
    g->HideRows(2, 5);
    EXPECT_EQ(g->NumHiddenRows(), 4);
    EXPECT_EQ(g->Cells(0, 2), Text(0, 6));
    g->UnHideRowsAll();
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    for (Integer r = 0; r < 10; ++r)
        for (Integer c = 0; c < 4; ++c)
            EXPECT_EQ(g->Cells(c, r), Text(c, r));
    EXPECT_EQ(g->GetObjectEx(1, 3), &user);
    EXPECT_EQ(g->RowHeights(4), 37);
}

TEST(ExGridHidden, RealAndDisplayRowsAfterHidingInAnyOrder)
{
    const std::vector<std::vector<Integer>> cases = {{7}, {2, 3, 7}, {7, 2, 3}, {1, 9, 5, 4}, {8, 8, 0}};
    for (size_t n = 0; n < cases.size(); ++n) {
        auto g = FilledGrid(3, 10);
        std::vector<bool> hidden(10, false);
        for (Integer r : cases[n]) {
            g->HideRow(r);
            hidden[size_t(r)] = true;
        }
        SCOPED_TRACE(n);
        std::vector<Integer> shown;
        for (Integer r = 0; r < 10; ++r)
            if (!hidden[size_t(r)])
                shown.push_back(r);
        ASSERT_EQ(g->RowCount(), Integer(shown.size()));
        for (Integer d = 0; d < g->RowCount(); ++d) {
            EXPECT_EQ(g->RealRowIndex(d), shown[size_t(d)]);
            EXPECT_EQ(g->DisplRowIndex(shown[size_t(d)]), d);
            EXPECT_EQ(g->Cells(1, d), Text(1, shown[size_t(d)]));
        }
        // Showing them again, one by one in reverse order.
        std::vector<Integer> order = cases[n];
        std::reverse(order.begin(), order.end());
        for (Integer r : order)
            g->UnHideRow(r);
        ASSERT_EQ(g->RowCount(), 10);
        for (Integer r = 0; r < 10; ++r)
            EXPECT_EQ(g->Cells(2, r), Text(2, r));
    }
}

TEST(ExGridHidden, FilterLevelsComeBackOneAtATime)
{
    auto g = FilledGrid(3, 10);
    TIntList first(0, 0), second(0, 0);
    for (Integer r : {2, 5})
        first.Add(r);
    g->HideRowList(&first);  // shows 0 1 3 4 6 7 8 9
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->FilterLevel(), 1);
    second.Add(4);  // display row 4 = real row 6
    g->HideRowList(&second);
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(g->Cells(0, 4), Text(0, 7));

    g->UnHideRowList();  // the second level only
    g->SetFilterLevel(1);
    EXPECT_EQ(g->RowCount(), 8);
    const Integer expected[] = {0, 1, 3, 4, 6, 7, 8, 9};
    for (Integer d = 0; d < 8; ++d)
        EXPECT_EQ(g->Cells(1, d), Text(1, expected[d])) << d;
    g->UnHideRowList();
    g->SetFilterLevel(0);
    ASSERT_EQ(g->RowCount(), 10);
    for (Integer r = 0; r < 10; ++r)
        EXPECT_EQ(g->Cells(1, r), Text(1, r));
}

TEST(ExGridHidden, TopRowOutsideTheScrollableRowsIsIgnored)
{
    TExStringGrid g(nullptr);
    g.SetRowCount(50);
    g.SetTopRow(5);
    EXPECT_EQ(g.TopRow(), 5);
    g.SetTopRow(0);  // a fixed row
    EXPECT_EQ(g.TopRow(), 5);
    g.SetTopRow(50);
    EXPECT_EQ(g.TopRow(), 5);
}

TEST(ExGrid, RowUpdateFiresOnAChangeOfRow)
{
    TExStringGrid g(nullptr);
    std::vector<std::pair<Integer, Integer>> seen;
    g.OnRowUpdate = [&](TObject*, Integer o, Integer n) { seen.push_back({o, n}); };
    g.SetRowEx(3);
    g.SetRowEx(3);
    g.SetRowEx(5);
    EXPECT_EQ(seen, (std::vector<std::pair<Integer, Integer>>{{-1, 3}, {3, 5}}));
    g.SelectRows(2, 30);  // cut to the rows there are
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 4, 9}));
}

TEST(ExGrid, AssignCopiesWhatIsShown)
{
    auto src = FilledGrid(8, 4);
    for (Integer c = 0; c < 8; ++c)
        src->SetColWidths(c, 30 + c);
    src->HideColumn(1);
    src->HideColumn(3);
    src->HideColumn(6);
    src->SetSelectionColor(clRed);
    src->ColumnSize()->SetKey("k.ini");
    src->DragScrollOptions()->Active = true;
    src->DragScrollOptions()->Margins()->LeftMargin = 7;
    TExStringGrid dst(nullptr);
    dst.Assign(src.get());
    ASSERT_EQ(dst.ColCount(), 5);
    EXPECT_EQ(dst.NumHiddenColumns(), 0);
    const Integer shown[] = {0, 2, 4, 5, 7};
    for (Integer d = 0; d < 5; ++d) {
        EXPECT_EQ(dst.ColWidths(d), 30 + shown[d]);
        EXPECT_EQ(dst.Cells(d, 2), Text(shown[d], 2));
    }
    EXPECT_EQ(dst.ColumnSize()->Key(), QStringLiteral("k.ini"));
    EXPECT_NE(dst.ColumnSize(), src->ColumnSize());
    EXPECT_TRUE(dst.DragScrollOptions()->Active);
    EXPECT_EQ(dst.DragScrollOptions()->Margins()->LeftMargin, 7);
    TFont font;
    dst.Assign(&font);  // another class: nothing happens
    EXPECT_EQ(dst.ColCount(), 5);
}

TEST(ExGrid, OwnerFormResizeChain)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 500, 400);
    int calls = 0;
    form->OnResize = [&](TObject*) { ++calls; };
    auto* grid = new TExStringGrid(form.get());
    grid->SetParent(form.get());
    grid->SetSizeWithForm(true);
    form->SetBounds(0, 0, 560, 430);
    EXPECT_GE(calls, 1);  // the form's own handler still runs
    EXPECT_EQ(grid->Width(), 460);
    EXPECT_EQ(grid->Height(), 280);

    // A second grid chains in after the first; the first one goes.
    auto* second = new TExStringGrid(form.get());
    delete grid;
    const int before = calls;
    form->SetBounds(0, 0, 600, 450);
    EXPECT_GT(calls, before);
    delete second;  // the form gets its own handler back
    const int after = calls;
    form->SetBounds(0, 0, 620, 460);
    EXPECT_GT(calls, after);
}

TEST(ExGrid, DestroyFreesObjectsOfHiddenCells)
{
    // Checked by the leak checker of a sanitizer build.
    auto g = FilledGrid(6, 8);
    g->GetCellProperties(4, 2)->SetGraphicObject(new TCellGraphic);
    g->GetCellProperties(1, 6)->SetReadOnly(true);
    g->GetCellProperties(2, 3)->SetReadOnly(true);
    g->HideColumn(4);
    g->HideRow(6);
    g->HideColumn(2);
    g->SetRowCount(3);
    g.reset();
}

TEST(ExGrid, PaintsCellsHeadersAndProperties)
{
    TForm form(nullptr);
    form.SetClientSize(330, 140);
    auto* g = new TExStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 330, 140);
    g->SetColCount(6);
    g->SetRowCount(5);
    g->SetDefaultColWidth(64);
    for (Integer c = 1; c < 6; ++c)
        g->SetCells(c, 0, QStringLiteral("Col %1").arg(c));
    for (Integer r = 1; r < 5; ++r) {
        g->SetCells(0, r, QString::number(r));
        for (Integer c = 1; c < 6; ++c)
            g->SetCells(c, r, Text(c, r));
    }
    g->GetCellProperties(2, 2)->SetBrushColor(clYellow);
    g->GetCellProperties(3, 1)->SetAlignment(taRightJustify);
    g->GetCellProperties(5, 1)->SetFontColor(clRed);
    g->MergeCells(1, 3, 2, 2);
    g->SetCells(1, 3, "merged");
    g->HideColumn(4);  // display column 4 now shows real column 5
    form.Show();
    const QImage img = GrabControl(g);
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-cells"));

    const TRect yellow = g->CellRect(2, 2);
    EXPECT_EQ(QColor(img.pixel(yellow.Left + 3, yellow.Top + 3)), QColor(255, 255, 0));
    // Fixed cells share one header gradient, normal cells the window colour.
    const TRect fixed = g->CellRect(0, 3);
    EXPECT_EQ(img.pixel(fixed.Left + 3, fixed.Top + 3), img.pixel(3, 3));
    EXPECT_NE(img.pixel(fixed.Left + 3, fixed.Top + 3), img.pixel(yellow.Left + 3, yellow.Top + 30));
}
