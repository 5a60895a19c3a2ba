// Row operations while rows are hidden (a filter, or rows hidden by code):
// deleting, inserting, removing and moving display rows by every road (the
// Delete and Insert keys, DoRemoveRows, RemoveRows, RemoveRowsEx,
// InsertRows, MoveRow) work on the rows the user sees, and showing the
// hidden rows again gives back every row in its order with every cell. The
// check boxes of an Enable column read and write the row asked for; a row
// that a lowered row count dropped does not come back with AddRow; the two
// names of the multi-line setting are one setting.
#include "grid/columns/ExColumnGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/TestHooks.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr Integer kCols = 4;      // real columns; column 3 is hidden throughout
constexpr Integer kDataRows = 12;  // under one fixed row

// The rows in their real order: a label ("" for a row inserted empty) and
// whether the row is hidden.
struct TModelRow {
    QString Label;
    bool Hidden = false;
};

struct TModel {
    std::vector<TModelRow> Rows;

    std::vector<size_t> Visible() const
    {
        std::vector<size_t> v;
        for (size_t i = 0; i < Rows.size(); ++i)
            if (!Rows[i].Hidden)
                v.push_back(i);
        return v;
    }
    void Remove(Integer D, Integer N)
    {
        const std::vector<size_t> v = Visible();
        for (Integer k = N - 1; k >= 0; --k)
            Rows.erase(Rows.begin() + std::ptrdiff_t(v[size_t(D + k)]));
    }
    // New rows go just above the row shown at D (after the hidden rows that
    // stand before it), or at the end.
    void Insert(Integer D, Integer N)
    {
        const std::vector<size_t> v = Visible();
        const size_t at = size_t(D) < v.size() ? v[size_t(D)] : Rows.size();
        Rows.insert(Rows.begin() + std::ptrdiff_t(at), size_t(N), TModelRow{});
    }
    void Move(Integer From, Integer To)
    {
        const std::vector<size_t> v = Visible();
        const TModelRow moved = Rows[v[size_t(From)]];
        Rows.erase(Rows.begin() + std::ptrdiff_t(v[size_t(From)]));
        const std::vector<size_t> w = Visible();
        const size_t at = size_t(To) < w.size() ? w[size_t(To)] : Rows.size();
        Rows.insert(Rows.begin() + std::ptrdiff_t(at), moved);
    }
};

QString CellText(const QString& Label, Integer Col)
{
    return Label.isEmpty() ? QString() : QStringLiteral("%1:%2").arg(Label).arg(Col);
}

enum THide { hRows, hFilter, hTwoFilters };

struct THiddenRows : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    TModel model;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(400, 420);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 400, 420);
        Fill();
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    void Fill()
    {
        grid->SetColCount(kCols);
        grid->SetRowCount(kDataRows + 1);
        model.Rows.clear();
        for (Integer r = 0; r <= kDataRows; ++r) {
            const QString label = r == 0 ? QStringLiteral("H") : QStringLiteral("R%1").arg(r);
            model.Rows.push_back({label, false});
            for (Integer c = 0; c < kCols; ++c)
                grid->SetCells(c, r, CellText(label, c));
        }
        grid->HideColumn(3);
    }
    // Hides the given real rows by the given road.
    void Hide(const std::vector<Integer>& Reals, THide How)
    {
        for (Integer r : Reals)
            model.Rows[size_t(r)].Hidden = true;
        switch (How) {
        case hRows:
            for (Integer r : Reals)
                grid->HideRow(r);
            break;
        case hFilter: {
            TIntList list(0, 0);
            for (Integer r : Reals)
                list.Add(r);  // nothing hidden yet: display = real
            grid->HideRowList(&list);
            break;
        }
        case hTwoFilters: {
            // The first half as one level, the rest as a second level given
            // by the display rows they have then.
            TIntList first(0, 0), second(0, 0);
            const size_t half = Reals.size() / 2;
            for (size_t i = 0; i < half; ++i)
                first.Add(Reals[i]);
            grid->HideRowList(&first);
            for (size_t i = half; i < Reals.size(); ++i)
                second.Add(grid->DisplRowIndex(Reals[i]));
            grid->HideRowList(&second);
            break;
        }
        }
    }
    void ShowAll(THide How)
    {
        if (How == hRows) {
            grid->UnHideRowsAll();
        } else {
            while (grid->FilterLevel() > 0) {
                grid->UnHideRowList();
                grid->SetFilterLevel(grid->FilterLevel() - 1);
            }
        }
        for (TModelRow& row : model.Rows)
            row.Hidden = false;
    }
    // The grid shows the model's visible rows; hidden ones stay hidden.
    void ExpectShown(const std::string& Where)
    {
        SCOPED_TRACE(Where);
        const std::vector<size_t> v = model.Visible();
        ASSERT_EQ(grid->RowCount(), Integer(v.size()));
        EXPECT_EQ(grid->NumHiddenRows(), Integer(model.Rows.size() - v.size()));
        // Each display row as one line of its cells; the first row that
        // differs is reported.
        for (Integer d = 0; d < Integer(v.size()); ++d) {
            const QString& label = model.Rows[v[size_t(d)]].Label;
            QStringList want, got;
            for (Integer c = 0; c < kCols; ++c) {
                want << CellText(label, c);
                got << grid->Cells(c, d);
            }
            ASSERT_EQ(got.join(u'|'), want.join(u'|')) << "display row " << d;
            ASSERT_EQ(grid->RealRowIndex(d), Integer(v[size_t(d)])) << "display row " << d;
        }
    }
};

struct TOp {
    const char* Name;
    std::function<void(THiddenRows&)> Grid;
    std::function<void(TModel&)> Model;
};

std::vector<TOp> Operations()
{
    auto key = [](Word Vk, TInsertPosition Pos, Integer D) {
        return [=](THiddenRows& t) {
            t.grid->Navigation()->SetAllowDeleteRow(true);
            t.grid->Navigation()->SetAllowInsertRow(true);
            t.grid->Navigation()->SetInsertPosition(Pos);
            t.grid->FocusCell(1, D);
            TestInput::PressKey(t.grid, Vk);
        };
    };
    return {
        {"Delete key on display row 4", key(VK_DELETE, pInsertBefore, 4), [](TModel& m) { m.Remove(4, 1); }},
        {"Insert key before display row 4", key(VK_INSERT, pInsertBefore, 4), [](TModel& m) { m.Insert(4, 1); }},
        {"Insert key after display row 4", key(VK_INSERT, pInsertAfter, 4), [](TModel& m) { m.Insert(5, 1); }},
        {"DoRemoveRows 4..6", [](THiddenRows& t) { t.grid->DoRemoveRows(4, 3); }, [](TModel& m) { m.Remove(4, 3); }},
        {"RemoveRows 4..6", [](THiddenRows& t) { t.grid->RemoveRows(4, 3); }, [](TModel& m) { m.Remove(4, 3); }},
        {"RemoveRowsEx 4..6", [](THiddenRows& t) { t.grid->RemoveRowsEx(4, 3); }, [](TModel& m) { m.Remove(4, 3); }},
        {"RemoveRows 1", [](THiddenRows& t) { t.grid->RemoveRows(1, 1); }, [](TModel& m) { m.Remove(1, 1); }},
        {"InsertRows 2 at 4", [](THiddenRows& t) { t.grid->InsertRows(4, 2); }, [](TModel& m) { m.Insert(4, 2); }},
        {"InsertRows 1 at 1", [](THiddenRows& t) { t.grid->InsertRows(1, 1); }, [](TModel& m) { m.Insert(1, 1); }},
        {"InsertRows at the end",
         [](THiddenRows& t) { t.grid->InsertRows(t.grid->RowCount(), 1); },
         [](TModel& m) { m.Insert(Integer(m.Visible().size()), 1); }},
        {"MoveRow 2 to 6", [](THiddenRows& t) { t.grid->MoveRow(2, 6); }, [](TModel& m) { m.Move(2, 6); }},
        {"MoveRow 6 to 2", [](THiddenRows& t) { t.grid->MoveRow(6, 2); }, [](TModel& m) { m.Move(6, 2); }},
    };
}

} // namespace

// Hide none, one or several rows before, inside and after the block of
// display rows 4..6 (the block of insertion is at display row 4), by each
// road; run each operation; check the whole order and every cell, then show
// everything and check again.
TEST_F(THiddenRows, EveryRowOperationWorksOnTheRowsShown)
{
    const std::vector<std::vector<Integer>> hiddenSets = {
        {},                 // none
        {2},                // one before
        {1, 2, 3},          // several before
        {4},                // the first row of the block
        {5},                // one inside
        {5, 6},             // several inside
        {7},                // just after
        {9},                // one after
        {10, 11, 12},       // several after, to the end
        {2, 5, 11},         // before, inside and after
        {1, 3, 5, 7, 9, 11},
    };
    const THide roads[] = {hRows, hFilter, hTwoFilters};
    for (const TOp& op : Operations()) {
        for (const std::vector<Integer>& hidden : hiddenSets) {
            for (THide how : roads) {
                if (how == hTwoFilters && hidden.size() < 2)
                    continue;
                std::string where = std::string(op.Name) + ", hidden";
                for (Integer r : hidden)
                    where += " " + std::to_string(r);
                where += how == hRows ? " by HideRow" : how == hFilter ? " by a filter" : " by two filter levels";
                SCOPED_TRACE(where);
                grid->UnHideRowsAll();
                grid->UnHideColumnsAll();
                grid->SetFilterLevel(0);
                Fill();
                Hide(hidden, how);
                ExpectShown("after hiding");
                op.Grid(*this);
                op.Model(model);
                ExpectShown("after the operation");
                ShowAll(how);
                ExpectShown("after showing them again");
                EXPECT_EQ(grid->Cells(0, 0), QStringLiteral("H:0"));
                if (testing::Test::HasFailure())
                    return;  // one case's report is enough to read
            }
        }
    }
}

// The keys' events name the real row of the row the user deleted or where
// the inserted row went.
TEST_F(THiddenRows, KeyEventsNameTheRealRow)
{
    Hide({2, 3}, hFilter);
    grid->Navigation()->SetAllowDeleteRow(true);
    grid->Navigation()->SetAllowInsertRow(true);
    Integer asked = -1, deleted = -1, inserted = -1;
    grid->OnCanDeleteRow = [&](TObject*, Integer R, bool&) { asked = R; };
    grid->OnAutoDeleteRow = [&](TObject*, Integer R) { deleted = R; };
    grid->OnAutoInsertRow = [&](TObject*, Integer R) { inserted = R; };
    grid->FocusCell(1, 3);  // real row 5
    TestInput::PressKey(grid, VK_DELETE);
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(deleted, 5);
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("R6:1"));
    grid->FocusCell(1, 3);
    TestInput::PressKey(grid, VK_INSERT);
    EXPECT_EQ(inserted, 5);
    EXPECT_EQ(grid->Cells(1, 3), QString());
    EXPECT_EQ(grid->Row(), 3);
}

namespace {

// An uplink-rule-like column grid with an Enable column (data check boxes).
std::unique_ptr<TExColumnGrid> RuleGrid()
{
    auto g = std::make_unique<TExColumnGrid>(nullptr);
    g->SetColCount(3);
    g->SetRowCount(9);
    g->Columns()->Items(1)->SetEditor(edDataCheckBox);
    for (Integer r = 1; r < 9; ++r) {
        g->SetCells(1, r, r % 3 == 0 ? QStringLiteral("Y") : QStringLiteral("N"));
        g->SetCells(2, r, QStringLiteral("Rule %1").arg(r));
    }
    return g;
}

} // namespace

TEST(HiddenRowCheckBoxes, EnableColumnsReadAndWriteTheRowAsked)
{
    for (bool filter : {false, true}) {
        SCOPED_TRACE(filter);
        auto g = RuleGrid();
        if (filter) {
            TIntList list(0, 0);
            list.Add(2);
            list.Add(4);
            g->HideRowList(&list);
        } else {
            g->HideRow(2);
            g->HideRow(4);
        }
        // Every real row reads its own text, shown or hidden.
        for (Integer r = 1; r < 9; ++r) {
            bool state = r % 3 != 0;
            ASSERT_TRUE(g->GetCheckBoxState(1, r, state)) << r;
            EXPECT_EQ(state, r % 3 == 0) << r;
        }
        // Writing real row 6 (shown at display row 4) and hidden row 4.
        EXPECT_TRUE(g->SetCheckBoxState(1, 6, false));
        EXPECT_TRUE(g->SetCheckBoxState(1, 4, true));
        EXPECT_TRUE(g->SetCheckBoxState(1, 5, true));
        EXPECT_EQ(g->Cells(1, 4), QStringLiteral("N"));  // display row 4 is real row 6
        EXPECT_EQ(g->Cells(1, 3), QStringLiteral("Y"));  // display row 3 is real row 5
        EXPECT_EQ(g->AllCells(1, 4), QStringLiteral("Y"));
        if (filter) {
            g->UnHideRowList();
            g->SetFilterLevel(0);
        } else {
            g->UnHideRowsAll();
        }
        const char* const expected[] = {"", "N", "N", "Y", "Y", "Y", "N", "N", "N"};
        for (Integer r = 1; r < 9; ++r) {
            EXPECT_EQ(g->Cells(1, r), QString::fromLatin1(expected[r])) << r;
            EXPECT_EQ(g->Cells(2, r), QStringLiteral("Rule %1").arg(r)) << r;
        }
    }
}

TEST(GridRowCount, ARowDroppedByALowerCountComesBackEmpty)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(5);
    for (Integer c = 0; c < 3; ++c)
        g.SetCells(c, 4, QStringLiteral("old %1").arg(c));
    g.AddComment(1, 4, QStringLiteral("old note"));
    g.SetRowCount(4);
    g.AddRow();
    ASSERT_EQ(g.RowCount(), 5);
    for (Integer c = 0; c < 3; ++c)
        EXPECT_EQ(g.Cells(c, 4), QString()) << c;
    QString comment;
    EXPECT_FALSE(g.IsComment(1, 4, comment));
    g.SetRowCount(3);
    g.SetRowCount(5);
    EXPECT_EQ(g.Cells(1, 3), QString());
}

TEST(GridMultiline, BothNamesAreOneSetting)
{
    TExStringGrid g(nullptr);
    g.SetMultilineCells(true);
    EXPECT_TRUE(g.Multilinecells());
    g.SetMultilinecells(false);
    EXPECT_FALSE(g.MultilineCells());
    g.SetMultilinecells(true);
    EXPECT_TRUE(g.MultilineCells());
}

TEST(GridHiddenRows, ARangeStartingBeforeRowZeroHidesOnlyRealRows)
{
    for (bool ex : {false, true}) {
        SCOPED_TRACE(ex);
        TExStringGrid g(nullptr);
        g.SetColCount(2);
        g.SetRowCount(6);
        for (Integer r = 0; r < 6; ++r)
            g.SetCells(1, r, QStringLiteral("r%1").arg(r));
        if (ex)
            g.HideRowsEx(-3, 1);
        else
            g.HideRows(-3, 1);
        EXPECT_EQ(g.NumHiddenRows(), 2);
        EXPECT_EQ(g.RowCount(), 4);
        EXPECT_EQ(g.Cells(1, 0), QStringLiteral("r2"));
        EXPECT_NO_THROW(g.UnHideRowsAll());
        EXPECT_EQ(g.NumHiddenRows(), 0);
        ASSERT_EQ(g.RowCount(), 6);
        for (Integer r = 0; r < 6; ++r)
            EXPECT_EQ(g.Cells(1, r), QStringLiteral("r%1").arg(r)) << r;
    }
}

// The grid with its editor's text reachable, as the in-place editor reads it.
struct TEditTextGrid : TExStringGrid {
    using TExStringGrid::TExStringGrid;
    using TExStringGrid::GetEditText;
    using TExStringGrid::SetEditText;
};

TEST(GridHiddenColumns, ColumnsBeyondTheHideableOnesKeepTheirPlace)
{
    TEditTextGrid g(nullptr);
    g.SetColCount(600);
    g.SetRowCount(2);
    for (Integer c = 0; c < 600; ++c)
        g.SetCells(c, 1, QStringLiteral("c%1").arg(c));
    g.HideColumn(3);
    ASSERT_EQ(g.ColCount(), 599);
    // Display column d shows real column d + 1 from the hidden one on, past
    // the 512 hideable columns too, both ways; the editor's text of a display
    // column is its real column's cell.
    for (Integer d : {2, 3, 510, 511, 512, 598}) {
        SCOPED_TRACE(d);
        const Integer real = d < 3 ? d : d + 1;
        EXPECT_EQ(g.DisplToRealCol(d), real);
        EXPECT_EQ(g.RealToDisplCol(real), d);
        EXPECT_EQ(g.GetEditText(d, 1), QStringLiteral("c%1").arg(real));
    }
    // An edit in a display column lands in its own real column.
    g.SetEditText(520, 1, QStringLiteral("new"));
    EXPECT_EQ(g.Cells(521, 1), QStringLiteral("new"));
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("c0"));
    EXPECT_EQ(g.Cells(520, 1), QStringLiteral("c520"));
}
