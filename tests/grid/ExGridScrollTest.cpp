// Sizing, scroll bars, the footer row and save ranges; scroll messages with
// their position hints as rows and columns change; stretching, fixed
// counts, proportional sizing and the change notifiers.
#include "grid/ExGrid.h"

#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct CountingNotifier : TGridChangeNotifier {
    CountingNotifier() : TGridChangeNotifier(nullptr) {}
    void CellsChanged(TRect R) override { Seen.push_back(R); }
    std::vector<TRect> Seen;
};

// A shown form with a grid of Cols x Rows, columns 60 wide.
struct ShownGrid {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TExStringGrid* Grid;
    ShownGrid(Integer Cols, Integer Rows, Integer W = 300, Integer H = 200)
    {
        Form->SetClientSize(W + 20, H + 20);
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, W, H);
        Grid->SetDefaultColWidth(60);
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        Form->Show();
    }
};

} // namespace

TEST(ExGridSizing, IntegralHeightSnapsToWholeRows)
{
    TExStringGrid g(nullptr);
    g.SetColCount(2);  // no horizontal scroll bar
    g.SetIntegralHeight(true);
    for (auto [asked, got] : {std::pair{250, 246}, {246, 246}, {230, 224}}) {
        g.SetBounds(0, 0, 200, asked);
        EXPECT_EQ(g.Height(), got) << asked;
    }
}

TEST(ExGridSizing, ScrollBarAlwaysShowsDisabledBarsUntilRowsOverflow)
{
    ShownGrid s(3, 3);
    TExStringGrid* g = s.Grid;
    g->SetScrollBarAlways(saBoth);
    EXPECT_TRUE(g->VertScrollBarShown());
    EXPECT_FALSE(g->VertScrollBarEnabled());
    EXPECT_TRUE(g->HorzScrollBarShown());
    EXPECT_FALSE(g->HorzScrollBarEnabled());
    g->SetRowCount(40);
    EXPECT_TRUE(g->VertScrollBarShown());
    EXPECT_TRUE(g->VertScrollBarEnabled());
    EXPECT_FALSE(g->HorzScrollBarEnabled());
    g->SetScrollBarAlways(saNone);
    g->SetRowCount(3);
    g->UpdateScrollBars(true);
    EXPECT_FALSE(g->VertScrollBarShown());
}

TEST(ExGridSizing, FooterCalculationsSaveRangesAndUsedCells)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(5);  // header, three data rows, footer
    for (Integer r = 1; r <= 3; ++r) {
        g.SetCells(1, r, QString::number(r));
        g.SetCells(2, r, r == 2 ? QStringLiteral("x") : QStringLiteral("X"));
    }
    g.GetCellProperties(1, 4)->SetCalcType(acSUM);
    g.GetCellProperties(2, 4)->SetCalcType(acCOUNT);
    g.DoCalcFooter(-1);
    EXPECT_EQ(g.Cells(1, 4), QString());  // no footer shown: nothing computed
    g.FloatingFooter()->EnableCalculation = true;
    g.SetFloatingFooterVisible(true);
    g.DoCalcFooter(-1);
    EXPECT_EQ(g.Cells(1, 4), QStringLiteral("6.00"));
    EXPECT_EQ(g.Cells(2, 4), QStringLiteral("3"));
    g.GetCellProperties(2, 4)->SetCalcType(acDISTINCT);
    g.GetCellProperties(1, 4)->SetCalcType(acCUSTOM);
    g.OnFooterCalc = [](TObject*, Integer ACol, QString& Value, Integer) { Value = QStringLiteral("c%1").arg(ACol); };
    g.CalcFooter(-1);
    EXPECT_EQ(g.Cells(2, 4), QStringLiteral("1.00"));  // distinct texts compare without case
    EXPECT_EQ(g.Cells(1, 4), QStringLiteral("c1"));

    g.SetSaveFixedCells(false);
    g.SetFixedFooters(1);
    g.SetFixedRightCols(1);
    EXPECT_EQ(g.SaveStartCol(), 1);
    EXPECT_EQ(g.SaveEndCol(), 1);
    EXPECT_EQ(g.SaveColCount(), 1);
    EXPECT_EQ(g.SaveStartRow(), 1);
    EXPECT_EQ(g.SaveEndRow(), 3);
    EXPECT_EQ(g.SaveRowCount(), 3);
    g.SetSaveFixedCells(true);
    EXPECT_EQ(g.SaveStartRow(), 0);
    EXPECT_EQ(g.SaveRowCount(), 5);

    TExStringGrid e(nullptr);
    EXPECT_EQ(e.GetUsedCells(), (TRect{0, 0, 0, 0}));
    e.SetCells(2, 3, QStringLiteral("a"));
    e.SetCells(4, 1, QStringLiteral("b"));
    EXPECT_EQ(e.GetUsedCells(), (TRect{2, 1, 4, 3}));
}

TEST(ExGridSizing, SizingBorderNearAHeaderCellsEdge)
{
    ShownGrid s(4, 4);
    s.Grid->SetOptions(s.Grid->Options() & ~TGridOptions(goColSizing | goRowSizing));
    const TRect r = s.Grid->CellRect(2, 0);
    s.Grid->SetOptions(s.Grid->Options() | goColSizing);
    EXPECT_TRUE(s.Grid->IsOnSizingBorder(r.Right - 2, r.Top + 5));
    EXPECT_FALSE(s.Grid->IsOnSizingBorder(r.Left + 20, r.Top + 5));
}

TEST(ExGridScroll, ThumbHintsNameTheTargetAndFollowTheCounts)
{
    ShownGrid s(20, 50);
    TExStringGrid* g = s.Grid;
    g->SetScrollHints(shBoth);
    g->Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 7);
    EXPECT_TRUE(g->ScrollHintShowing());
    EXPECT_EQ(g->ScrollHintText(), QStringLiteral("Col : 7"));
    g->OnScrollHint = [](TObject*, Integer Target, QString& Hint) { Hint = QStringLiteral("go %1").arg(Target); };
    g->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 30);
    EXPECT_EQ(g->ScrollHintText(), QStringLiteral("go 30"));
    g->Perform(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    EXPECT_FALSE(g->ScrollHintShowing());

    // With fewer rows the target is cut to the rows there are.
    g->SetRowCount(10);
    g->OnScrollHint = nullptr;
    g->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 30);
    EXPECT_EQ(g->ScrollHintText(), QStringLiteral("Row : 9"));
    g->Perform(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);

    // Following the thumb moves the top row while it is dragged.
    g->SetRowCount(50);
    g->SetScrollSynch(true);
    g->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 12), 12);
    EXPECT_EQ(g->TopRow(), 12);
    g->Perform(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(g->TopRow(), 13);
}

TEST(ExGridScroll, StretchColumn)
{
    ShownGrid s(1, 3);
    TExStringGrid* g = s.Grid;
    g->ColumnSize()->SetStretch(true);
    g->StretchColumn(-1);
    EXPECT_EQ(g->ColWidths(0), g->ClientWidth());
    g->SetColCount(3);
    g->SetColWidths(0, 60);  // a width change stretches again
    EXPECT_EQ(g->ColWidths(0) + g->ColWidths(1) + g->ColWidths(2), g->ClientWidth() - 1);
    EXPECT_EQ(g->ColWidths(0), 60);
    EXPECT_EQ(g->ColWidths(1), 60);
    try {
        g->StretchColumn(3);
        FAIL();
    } catch (const DOzeDidoRivar& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Stretch column index out of range"));
    }
}

TEST(ExGridScroll, FixedCountsAndSizes)
{
    TExStringGrid g(nullptr);
    g.SetFixedRowAlways(true);
    g.SetFixedRowsEx(0);
    EXPECT_EQ(g.GetFixedRows(), 1);
    g.SetFixedRowsEx(g.RowCount());
    EXPECT_EQ(g.FixedRows(), g.RowCount() - 1);

    const Integer w = g.ColWidths(0);
    g.SetDefaultColWidth(50);
    g.SetColWidths(0, w);
    g.SetFixedColWidth(50);  // equal to the default width: nothing changes
    EXPECT_EQ(g.ColWidths(0), w);
    g.SetFixedColWidth(30);
    EXPECT_EQ(g.FixedColWidth(), 30);
}

TEST(ExGridScroll, NotifiersHearCellChangesOnce)
{
    TExStringGrid g(nullptr);
    CountingNotifier n;
    g.RegisterNotifier(&n);
    g.RegisterNotifier(&n);
    EXPECT_EQ(g.NotifierCount(), 1);
    Integer events = 0;
    g.OnCellsChanged = [&](TObject*, TRect) { ++events; };
    g.ClearRect(1, 1, 2, 2);
    ASSERT_EQ(n.Seen.size(), 1u);
    EXPECT_EQ(n.Seen[0], (TRect{1, 1, 2, 2}));
    EXPECT_EQ(events, 1);
    g.UnRegisterNotifier(&n);
    g.ClearRect(1, 1, 2, 2);
    EXPECT_EQ(n.Seen.size(), 1u);
}

TEST(ExGridScroll, DragNearTheEdgesScrollsAsTheDragScrollOptionsSay)
{
    ShownGrid s(4, 40);
    TExStringGrid* g = s.Grid;
    Integer overs = 0;
    g->OnDragOver = [&](TObject*, TObject*, Integer, Integer, TDragState, bool&) { ++overs; };
    bool accept = true;
    g->DragOver(nullptr, 100, g->Height() - 5, dsDragMove, accept);
    EXPECT_FALSE(g->DragScrollTimerRunning());  // scrolling is off
    EXPECT_EQ(overs, 1);                        // the form still hears of the drag

    TDragScrollOptions* o = g->DragScrollOptions();
    o->Active = true;
    o->Margins()->BottomMargin = 10;
    o->Margins()->TopMargin = 30;
    o->Delays()->InitialDelay = 700;
    o->Delays()->RepeatDelay = 90;
    // Inside the bottom margin of 10 pixels, not inside 20.
    g->DragOver(nullptr, 100, g->Height() - 15, dsDragMove, accept);
    EXPECT_FALSE(g->DragScrollTimerRunning());
    g->DragOver(nullptr, 100, g->Height() - 5, dsDragMove, accept);
    ASSERT_TRUE(g->DragScrollTimerRunning());
    EXPECT_EQ(g->DragScrollInterval(), 700);
    const Integer top = g->TopRow();
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), top + 1);
    EXPECT_EQ(g->DragScrollInterval(), 90);
    g->DragOver(nullptr, 100, 100, dsDragMove, accept);
    EXPECT_FALSE(g->DragScrollTimerRunning());
    g->DragOver(nullptr, 100, 25, dsDragMove, accept);  // within the top margin of 30
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), top);
    // Switched off while the timer runs: the next tick stops it.
    o->Active = false;
    g->DragScrollTick();
    EXPECT_FALSE(g->DragScrollTimerRunning());
    o->Active = true;
    g->DragOver(nullptr, 100, 2, dsDragMove, accept);
    g->DragOver(nullptr, 100, 2, dsDragLeave, accept);
    EXPECT_FALSE(g->DragScrollTimerRunning());
    EXPECT_EQ(overs, 7);
}

TEST(ExGridScroll, AllColumnSizeScalesTheOtherColumnsWithTheOneSized)
{
    ShownGrid s(4, 4, 400);
    TExStringGrid* g = s.Grid;
    g->SetOptions(g->Options() | goColSizing);
    g->MouseActions()->SetAllColumnSize(true);
    g->SetColWidths(2, 50);
    g->SetColWidths(3, 30);
    Integer ended = -1;
    g->OnEndColumnSize = [&](TObject*, Integer ACol) { ended = ACol; };
    // Drag the right border of column 1 (60 wide) to 120.
    const TRect r = g->CellRect(1, 0);
    TestInput::MouseDown(g, mbLeft, {r.Right, r.Top + 5});
    TestInput::MouseMove(g, {r.Right + 60, r.Top + 5});
    TestInput::MouseUp(g, mbLeft, {r.Right + 60, r.Top + 5});
    EXPECT_EQ(g->ColWidths(1), 120);
    EXPECT_EQ(g->ColWidths(2), 100);
    EXPECT_EQ(g->ColWidths(3), 60);
    EXPECT_EQ(g->ColWidths(0), 60);  // fixed column unchanged
    EXPECT_EQ(ended, 1);
}
