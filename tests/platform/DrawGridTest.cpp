// The grid's model and painting: sizes and their lookups, cell geometry
// with fixed cells, scrolling and differing sizes, scroll messages, the
// string grid's storage, and the cells that painting visits.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <random>
#include <set>

#include "platform/DrawGrid.h"
#include "platform/Form.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

namespace {

// A grid whose client area is exactly its size (no border, no scroll bars).
template <class G>
G* PlainGrid(TForm* form, Integer w = 300, Integer h = 200)
{
    auto* g = new G(form);
    g->SetParent(form);
    g->SetBorderStyle(bsNone);
    g->SetScrollBars(ssNone);
    g->SetBounds(0, 0, w, h);
    g->SetDefaultColWidth(50);
    g->SetDefaultRowHeight(20);
    return g;
}

TEST(GridAxisSizes, SumsAndPixelLookupsMatchAWalkOverTheCells)
{
    std::mt19937 rng(7);
    for (const Integer lineWidth : {0, 1, 3}) {
        TGridAxisSizes a;
        a.SetDefaultSize(17);
        a.SetCount(300);
        // Default sizes: arithmetic path.
        EXPECT_EQ(a.Sum(10, 20), 170);
        EXPECT_EQ(a.IndexAt(10, 17 + lineWidth, lineWidth), 11);
        // Own sizes, zeros among them, then one column moved.
        for (Integer i = 0; i < 300; i += 1 + Integer(rng() % 4))
            a.SetSize(i, Integer(rng() % 40));
        a.Move(250, 3);
        std::vector<Integer> sizes;
        for (Integer i = 0; i < 300; ++i)
            sizes.push_back(a.Size(i));
        for (Integer trial = 0; trial < 400; ++trial) {
            const Integer from = Integer(rng() % 300);
            const Integer to = from + Integer(rng() % (301 - from));
            Int64 sum = 0;
            for (Integer i = from; i < to; ++i)
                sum += sizes[size_t(i)];
            ASSERT_EQ(a.Sum(from, to), sum) << from << ".." << to;
            // Walk from `from` to the cell whose span holds the offset.
            const Int64 offset = Int64(rng() % 3000);
            Integer expected = 300;
            Int64 pos = 0;
            for (Integer i = from; i < 300; ++i) {
                pos += sizes[size_t(i)] + lineWidth;
                if (pos > offset) {
                    expected = i;
                    break;
                }
            }
            ASSERT_EQ(a.IndexAt(from, offset, lineWidth), expected) << "from " << from << " offset " << offset << " line " << lineWidth;
        }
        // A new default size replaces every own size.
        a.SetDefaultSize(9);
        EXPECT_EQ(a.Sum(0, 300), 2700);
    }
}

struct CellCase {
    Integer leftCol, topRow;
    TPoint point;
    TGridCoord cell;
};

TEST(GridGeometry, CellRectsAndMouseToCellWithFixedCellsScrollingAndOwnWidths)
{
    TForm form(nullptr);
    auto* g = PlainGrid<TStringGrid>(&form);
    g->SetColCount(8);
    g->SetRowCount(40);
    g->SetColWidths(2, 80);
    g->SetRowHeights(3, 35);
    // Columns start at 0, 51, 102, 183, 234, 285 (1-pixel lines); rows at
    // 0, 21, 42, 63 (35 high), 99, 120 ...
    EXPECT_EQ(g->CellRect(0, 0), Rect(0, 0, 50, 20));
    EXPECT_EQ(g->CellRect(2, 1), Rect(102, 21, 182, 41));
    EXPECT_EQ(g->CellRect(3, 3), Rect(183, 63, 233, 98));
    EXPECT_EQ(g->CellRect(5, 4), Rect(285, 99, 300, 119));  // cut at the client edge
    EXPECT_EQ(g->CellRect(6, 4), TRect());                  // beyond the client area
    EXPECT_EQ(g->VisibleColCount(), 4);
    EXPECT_EQ(g->VisibleRowCount(), 7);

    const CellCase cases[] = {
        {1, 1, {0, 0}, {0, 0}},
        {1, 1, {50, 5}, {0, 0}},     // a line belongs to the cell before it
        {1, 1, {51, 5}, {1, 0}},
        {1, 1, {182, 62}, {2, 2}},
        {1, 1, {183, 97}, {3, 3}},
        {1, 1, {299, 199}, {5, 8}},
        {1, 1, {-1, 5}, {-1, 0}},
        {3, 10, {60, 30}, {3, 10}},  // scrolled: column 3 follows the fixed column
        {3, 10, {10, 30}, {0, 10}},
        {3, 10, {10, 10}, {0, 0}},
        {3, 10, {150, 150}, {4, 16}},
        {3, 10, {299, 5}, {7, 0}},
    };
    for (const CellCase& c : cases) {
        g->SetLeftCol(c.leftCol);
        g->SetTopRow(c.topRow);
        ASSERT_EQ(g->LeftCol(), c.leftCol);
        ASSERT_EQ(g->TopRow(), c.topRow);
        Integer col = 0, row = 0;
        g->MouseToCell(c.point.X, c.point.Y, col, row);
        EXPECT_EQ(TGridCoord({col, row}), c.cell) << "point " << c.point.X << "," << c.point.Y << " at " << c.leftCol << "," << c.topRow;
    }
    // Scrolled out of view: no rectangle; the fixed column stays in place.
    EXPECT_EQ(g->CellRect(2, 10), TRect());
    EXPECT_EQ(g->CellRect(3, 10), Rect(51, 21, 101, 41));
    EXPECT_EQ(g->CellRect(0, 10), Rect(0, 21, 50, 41));
    // Right of the last column and below the last row there is no cell.
    g->SetLeftCol(1);
    g->SetColCount(4);
    g->SetRowCount(3);
    EXPECT_EQ(g->MouseCoord(250, 10), TGridCoord({-1, 0}));
    EXPECT_EQ(g->MouseCoord(10, 150), TGridCoord({0, -1}));
}

TEST(GridGeometry, ScrollingStopsAtTheLastPageOfALongGrid)
{
    TForm form(nullptr);
    auto* g = PlainGrid<TDrawGrid>(&form);
    g->SetColCount(3);
    g->SetRowCount(100000);
    g->SetRowHeights(99995, 60);
    // A top row that would leave space below the last row is taken back
    // to the last page: 200 pixels hold the fixed row and 180 more.
    g->SetTopRow(99990);
    EXPECT_EQ(g->TopRow(), 99990);  // 99996 is still cut at the bottom
    g->SetTopRow(99998);
    // 180 pixels below the fixed row: 99994 (21), 99995 (61), 99996..99999 (21 each).
    EXPECT_EQ(g->TopRow(), 99994);
    EXPECT_EQ(g->CellRect(0, 99999).Bottom, 21 + 21 + 61 + 21 * 3 + 20);
    // Every row in view maps back to itself from its middle.
    for (Integer r = g->TopRow(); r < 100000; ++r) {
        const TRect cr = g->CellRect(1, r);
        ASSERT_FALSE(cr.IsEmpty()) << r;
        EXPECT_EQ(g->MouseCoord(cr.Left + 1, (cr.Top + cr.Bottom) / 2).Y, r);
    }
    g->SetTopRow(0);
    EXPECT_EQ(g->TopRow(), 1);  // never onto the fixed row
}

TEST(GridGeometry, ScrollMessagesMoveTheTopRowAndBarsNarrowTheClientArea)
{
    TForm form(nullptr);
    auto* g = new TDrawGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 300, 200);
    g->SetDefaultRowHeight(20);
    g->SetColCount(3);
    g->SetRowCount(1000);
    // A border of 2 on each side and a vertical scroll bar; all columns fit.
    const TRect cr = g->ClientRect();
    EXPECT_EQ(cr.Height(), 196);
    EXPECT_LT(cr.Width(), 296);
    const Integer page = g->VisibleRowCount();
    EXPECT_EQ(page, (196 - 21) / 21);
    g->Perform(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(g->TopRow(), 1 + page);
    g->Perform(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(g->TopRow(), page);
    // Positions past 16 bits travel in LParam.
    g->Perform(WM_VSCROLL, SB_THUMBPOSITION, 700);
    EXPECT_EQ(g->TopRow(), 700);
    g->Perform(WM_VSCROLL, SB_THUMBTRACK, 800);
    EXPECT_EQ(g->TopRow(), 700);  // tracking only with goThumbTracking
    g->SetOptions(g->Options() | goThumbTracking);
    g->Perform(WM_VSCROLL, SB_THUMBTRACK, 800);
    EXPECT_EQ(g->TopRow(), 800);
    g->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(g->TopRow(), 1000 - page);
    // Scrolling leaves the current cell where it was.
    EXPECT_EQ(g->Row(), 1);
}

// Column widths set in a batch leave the grid as the same widths set one by
// one do: the same scroll bars, top left cell and cells in view.
TEST(GridGeometry, WidthsSetInABatchEndWithTheLayoutOfWidthsSetOneByOne)
{
    TForm form(nullptr);
    TDrawGrid* grids[2];
    for (auto*& g : grids) {
        g = new TDrawGrid(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 300, 200);
        g->SetColCount(8);
        g->SetRowCount(8);
        g->Perform(WM_HSCROLL, SB_BOTTOM);  // scrolled to the last columns
    }
    ASSERT_GT(grids[0]->LeftCol(), 1);
    // Narrowed until every column fits (the bar goes, the grid scrolls
    // back); the rows made taller (a vertical bar comes).
    const std::vector<std::pair<Integer, Integer>> widths = {{1, 20}, {2, 20}, {3, 20}, {4, 20},
                                                             {5, 20}, {6, 20}, {7, 30}, {0, 20}};
    grids[1]->BeginLayout();
    grids[1]->BeginLayout();
    for (TDrawGrid* g : grids) {
        for (auto [c, w] : widths)
            g->SetColWidths(c, w);
        g->SetRowHeights(3, 60);
    }
    grids[1]->EndLayout();
    grids[1]->EndLayout();
    EXPECT_EQ(grids[1]->ClientRect(), grids[0]->ClientRect());
    EXPECT_EQ(grids[1]->LeftCol(), grids[0]->LeftCol());
    EXPECT_EQ(grids[1]->TopRow(), grids[0]->TopRow());
    EXPECT_EQ(grids[1]->VisibleColCount(), grids[0]->VisibleColCount());
    EXPECT_EQ(grids[1]->VisibleRowCount(), grids[0]->VisibleRowCount());
    EXPECT_EQ(grids[0]->LeftCol(), 1);
    EXPECT_LT(grids[0]->ClientRect().Width(), 296);  // the rows need a vertical bar
}

// Cells of a long grid written anywhere, in any order, between row moves,
// read back as a plain table of the same writes and moves holds them.
TEST(StringGrid, CellsWrittenAnywhereInALongGridReadBackAsWritten)
{
    TForm form(nullptr);
    auto* g = PlainGrid<TStringGrid>(&form);
    const Integer cols = 4, rows = 1000;
    g->SetColCount(cols);
    g->SetRowCount(rows);
    const std::vector<QString> emptyRow(static_cast<size_t>(cols));
    std::vector<std::vector<QString>> model(static_cast<size_t>(rows), emptyRow);
    for (Integer c = 0; c < cols; ++c) {
        g->SetCells(c, 0, QStringLiteral("head %1").arg(c));
        model[0][size_t(c)] = QStringLiteral("head %1").arg(c);
    }
    EXPECT_EQ(g->Cells(2, rows - 1), QString());
    std::mt19937 rng(20);
    for (int step = 0; step < 600; ++step) {
        const Integer r = Integer(rng() % rows), c = Integer(rng() % cols);
        if (step % 5 == 4) {
            const Integer to = Integer(rng() % rows);
            g->MoveRow(r, to);
            auto row = model[size_t(r)];
            model.erase(model.begin() + r);
            model.insert(model.begin() + to, row);
        } else {
            const QString t = QStringLiteral("%1").arg(step);
            g->SetCells(c, r, t);
            model[size_t(r)][size_t(c)] = t;
        }
    }
    for (Integer r = 0; r < rows; ++r)
        for (Integer c = 0; c < cols; ++c)
            ASSERT_EQ(g->Cells(c, r), model[size_t(r)][size_t(c)]) << c << "," << r;
}

TEST(StringGrid, ContentsSurviveCountChangesAndMovesCarryTextsAndObjects)
{
    TForm form(nullptr);
    auto* g = PlainGrid<TStringGrid>(&form);
    TObject marker;
    for (Integer r = 0; r < 5; ++r)
        for (Integer c = 0; c < 5; ++c)
            g->SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    g->SetObjects(1, 2, &marker);

    g->SetRowCount(2);
    g->SetColCount(2);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("1:1"));
    g->SetRowCount(5);
    g->SetColCount(5);
    EXPECT_EQ(g->Cells(4, 4), QStringLiteral("4:4"));
    EXPECT_EQ(g->Objects(1, 2), &marker);

    QList<QPair<int, int>> moved;
    g->OnColumnMoved = [&](TObject*, Integer from, Integer to) { moved << qMakePair(from, to); };
    g->SetColWidths(1, 77);
    g->MoveColumn(1, 3);
    EXPECT_EQ(moved, (QList<QPair<int, int>>{{1, 3}}));
    EXPECT_EQ(g->Cells(3, 0), QStringLiteral("1:0"));
    EXPECT_EQ(g->Cells(1, 0), QStringLiteral("2:0"));
    EXPECT_EQ(g->Objects(3, 2), &marker);
    EXPECT_EQ(g->ColWidths(3), 77);
    EXPECT_EQ(g->ColWidths(1), 50);
    g->MoveRow(4, 1);
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("0:4"));
    EXPECT_EQ(g->Cells(0, 2), QStringLiteral("0:1"));
    EXPECT_EQ(g->Objects(3, 3), &marker);

    g->DeleteRow(1);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("0:1"));
    g->DeleteColumn(0);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->Cells(0, 0), QStringLiteral("2:0"));

    EXPECT_THROW(g->SetCells(-1, 0, QStringLiteral("x")), EInvalidGridOperation);
    EXPECT_THROW(g->MoveColumn(0, 9), EInvalidGridOperation);
    EXPECT_THROW(g->SetFixedRows(5), EInvalidGridOperation);
    EXPECT_EQ(g->Cells(40, 40), QString());
}

// Rows reordered, moved, deleted, cut off and grown again, and a row far
// longer than the others, all hold their own texts.
TEST(StringGrid, RowTextsSurviveReorderingShrinkingAndLongRows)
{
    TForm form(nullptr);
    auto* g = PlainGrid<TStringGrid>(&form);
    const Integer rows = 300;
    g->SetColCount(4);
    g->SetRowCount(rows);
    auto text = [](Integer c, Integer r) { return QStringLiteral("%1:%2").arg(c).arg(r); };
    for (Integer r = 0; r < rows; ++r)
        for (Integer c = 0; c < 4; ++c)
            g->SetCells(c, r, text(c, r));

    // Reversed in one pass, then one row moved back to the top.
    std::vector<Integer> order(size_t(rows - 1));
    for (Integer i = 0; i < rows - 1; ++i)
        order[size_t(i)] = rows - 2 - i;
    g->PermuteRows(1, order);
    EXPECT_EQ(g->Cells(2, 1), text(2, rows - 1));
    EXPECT_EQ(g->Cells(3, rows - 1), text(3, 1));
    g->MoveRow(rows - 1, 1);
    EXPECT_EQ(g->Cells(0, 1), text(0, 1));
    EXPECT_EQ(g->Cells(0, 2), text(0, rows - 1));

    // Rows deleted, the grid cut off, grown again and written anew.
    g->SetRowCount(10);
    for (Integer r = 0; r < 5; ++r)
        g->DeleteRow(1);
    EXPECT_EQ(g->Cells(0, 1), text(0, rows - 5));
    g->SetRowCount(rows);
    for (Integer r = 100; r < rows; ++r)
        g->SetCells(3, r, text(3, -r));
    EXPECT_EQ(g->Cells(3, 250), text(3, -250));
    EXPECT_EQ(g->Cells(3, 4), text(3, rows - 8));

    // A row far longer than the others, then the grid narrowed and widened.
    g->SetColCount(200);
    g->SetCells(199, 4, QStringLiteral("far"));
    g->SetCells(150, 4, QStringLiteral("near"));
    EXPECT_EQ(g->Cells(199, 4), QStringLiteral("far"));
    EXPECT_EQ(g->Cells(0, 4), text(0, rows - 8));
    g->MoveColumn(199, 0);
    EXPECT_EQ(g->Cells(0, 4), QStringLiteral("far"));
    EXPECT_EQ(g->Cells(1, 4), text(0, rows - 8));
    g->SetColCount(3);
    g->SetColCount(200);
    EXPECT_EQ(g->Cells(151, 4), QStringLiteral("near"));
    EXPECT_EQ(g->Cells(1, 4), text(0, rows - 8));
}

// The texts and objects of reordered rows stay with their rows while the
// grid grows under them: rows added one at a time, a column written past the
// count, rows moved where nothing was written yet.
TEST(StringGrid, ReorderedRowsKeepTheirCellsWhileTheGridGrows)
{
    TForm form(nullptr);
    auto* g = PlainGrid<TStringGrid>(&form);
    TObject first, last;
    g->SetColCount(3);
    g->SetRowCount(8);
    auto text = [](Integer c, Integer r) { return QStringLiteral("%1/%2").arg(c).arg(r); };
    for (Integer r = 0; r < 8; ++r)
        for (Integer c = 0; c < 3; ++c)
            g->SetCells(c, r, text(c, r));
    g->PermuteRows(0, {7, 6, 5, 4, 3, 2, 1, 0});
    g->SetObjects(2, 0, &first);
    g->SetObjects(0, 7, &last);

    // Each new row written as it is added, then a column past the count.
    for (Integer r = 8; r < 500; ++r) {
        g->SetRowCount(r + 1);
        g->SetCells(1, r, text(1, r));
    }
    g->SetCells(9, 3, QStringLiteral("wide"));
    for (Integer r = 0; r < 8; ++r)
        EXPECT_EQ(g->Cells(2, r), text(2, 7 - r)) << r;
    EXPECT_EQ(g->Cells(1, 499), text(1, 499));
    EXPECT_EQ(g->Cells(9, 3), QStringLiteral("wide"));
    EXPECT_EQ(g->Cells(4, 3), QString());
    EXPECT_EQ(g->Objects(2, 0), &first);
    EXPECT_EQ(g->Objects(0, 7), &last);
    EXPECT_EQ(g->Objects(0, 6), nullptr);

    // Rows and columns moved past what was ever written, then written.
    g->SetRowCount(900);
    g->MoveRow(899, 600);
    g->MoveRow(1, 800);
    g->SetColCount(12);
    g->MoveColumn(11, 0);
    g->SetCells(11, 899, QStringLiteral("corner"));
    EXPECT_EQ(g->Cells(11, 899), QStringLiteral("corner"));
    EXPECT_EQ(g->Cells(3, 800), text(2, 6));
    EXPECT_EQ(g->Cells(1, 0), text(0, 7));
    EXPECT_EQ(g->Objects(3, 0), &first);
    EXPECT_EQ(g->Cells(10, 2), QStringLiteral("wide"));
}

TEST(StringGrid, RowsAndColumnsAsStringLists)
{
    TForm form(nullptr);
    auto* g = PlainGrid<TStringGrid>(&form);
    g->SetColCount(3);
    g->SetRowCount(3);
    g->Rows(1)->SetCommaText(QStringLiteral("a,b,c"));
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("c"));
    EXPECT_EQ(g->Cols(1)->Count(), 3);
    EXPECT_EQ(g->Cols(1)->Strings(1), QStringLiteral("b"));
    // One row copied onto another, as row operations do.
    g->SetRows(2, g->Rows(1));
    EXPECT_EQ(g->Rows(2)->CommaText(), QStringLiteral("a,b,c"));
    // A shorter list empties the rest of the row.
    TStringList two;
    two.Add(QStringLiteral("x"));
    g->SetRows(2, &two);
    EXPECT_EQ(g->Rows(2)->CommaText(), QStringLiteral("x,,"));
    EXPECT_EQ(g->Rows(0)->Add(QStringLiteral("first")), 0);
    EXPECT_THROW(g->Rows(0)->Delete(0), EInvalidGridOperation);
    EXPECT_THROW(g->Rows(0)->Strings(3), EInvalidGridOperation);
}

// A grid of class TGrid that records the cells painting visits.
template <class TGrid>
class TRecording : public TGrid {
public:
    using TGrid::TGrid;
    std::set<std::pair<Integer, Integer>> drawn;

protected:
    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override
    {
        drawn.insert({ACol, ARow});
        TGrid::DrawCell(ACol, ARow, ARect, AState);
    }
};
using TRecordingGrid = TRecording<TDrawGrid>;

TEST(GridPainting, DrawCellRunsForExactlyTheCellsInView)
{
    TForm form(nullptr);
    form.SetClientSize(400, 300);
    auto* g = PlainGrid<TRecordingGrid>(&form, 300, 200);
    g->SetColCount(20);
    g->SetRowCount(100000);
    g->SetFixedCols(2);
    g->SetColWidths(5, 120);
    form.Show();
    for (const TGridCoord tl : {TGridCoord{2, 1}, TGridCoord{4, 50000}, TGridCoord{15, 99995}}) {
        g->SetLeftCol(tl.X);
        g->SetTopRow(tl.Y);
        g->drawn.clear();
        GrabControl(g);
        // Expected: every cell that has a rectangle (at most ten rows fit).
        std::set<std::pair<Integer, Integer>> expected;
        std::vector<Integer> rows{0};
        for (Integer r = g->TopRow(); r < std::min(g->RowCount(), g->TopRow() + 12); ++r)
            rows.push_back(r);
        for (Integer c = 0; c < g->ColCount(); ++c)
            for (Integer r : rows)
                if (!g->CellRect(c, r).IsEmpty())
                    expected.insert({c, r});
        EXPECT_EQ(g->drawn, expected) << "top left " << tl.X << "," << tl.Y;
        EXPECT_LE(g->drawn.size(), size_t(10 * 11));
    }
}

using TRecordingStringGrid = TRecording<TStringGrid>;

// A text written to a cell in view is painted at the next paint; one written
// below the view is not, and rows a scroll or a taller grid brings into view
// are painted again when written.
TEST(GridPainting, WrittenCellsRepaintExactlyWhenInView)
{
    TForm form(nullptr);
    form.SetClientSize(400, 400);
    auto* g = PlainGrid<TRecordingStringGrid>(&form, 300, 200);
    g->SetColCount(5);
    g->SetRowCount(1000);
    form.Show();
    auto paintAfterWriting = [&](Integer c, Integer r) {
        Application->ProcessMessages();
        g->drawn.clear();
        g->SetCells(c, r, QStringLiteral("x%1").arg(r));
        Application->ProcessMessages();
        return g->drawn.contains({c, r});
    };
    // Rows 1..9 fit in 200 pixels of 21 (row 9 in part).
    EXPECT_TRUE(paintAfterWriting(1, 3));
    EXPECT_TRUE(paintAfterWriting(1, 9));
    EXPECT_FALSE(paintAfterWriting(1, 40));
    EXPECT_TRUE(paintAfterWriting(1, 0));

    g->SetTopRow(500);
    EXPECT_TRUE(paintAfterWriting(2, 503));
    EXPECT_FALSE(paintAfterWriting(2, 40));
    EXPECT_FALSE(paintAfterWriting(2, 530));

    g->SetHeight(390);
    EXPECT_TRUE(paintAfterWriting(2, 515));
    EXPECT_FALSE(paintAfterWriting(2, 540));
    EXPECT_EQ(g->Cells(2, 540), QStringLiteral("x540"));
}

} // namespace
