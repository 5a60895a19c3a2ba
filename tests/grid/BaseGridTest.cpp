// The base grid: cell properties made on first use, merged cells and the
// redirection of cell texts to their base cell, cell rectangles of merged
// areas, and undo/redo.
#include "grid/BaseGrid.h"

#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include "QtPrint.h"

namespace {

// A base grid on a shown form, 5 x 5 cells of 64 x 24 pixels.
struct Fixture {
    TForm Form{nullptr};
    TBaseGrid* Grid;
    Fixture()
    {
        Form.SetClientSize(400, 200);
        Grid = new TBaseGrid(&Form);
        Grid->SetParent(&Form);
        Grid->SetBounds(0, 0, 400, 200);
        Grid->SetColCount(5);
        Grid->SetRowCount(5);
        Grid->SetDefaultRowHeight(24);
        Form.Show();
    }
};

} // namespace

TEST(BaseGrid, PropertiesAreMadeOnFirstUseOnly)
{
    Fixture f;
    TBaseGrid* g = f.Grid;
    EXPECT_FALSE(g->HasCellProps());
    EXPECT_EQ(g->GetObjectEx(1, 1), nullptr);
    EXPECT_FALSE(g->HasCellProperties(1, 1));  // reading created nothing

    TObject user;
    g->SetObjectEx(2, 2, &user);  // empty text: properties made, text stays empty
    EXPECT_TRUE(g->HasCellProperties(2, 2));
    EXPECT_EQ(g->GetObjectEx(2, 2), &user);
    EXPECT_EQ(g->Cells(2, 2), QString());
    EXPECT_TRUE(g->HasCellProps());

    TCellProperties* p = g->GetCellProperties(3, 1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(g->GetCellProperties(3, 1), p);
    EXPECT_EQ(p->OwnerCol(), 3);
    EXPECT_EQ(p->OwnerRow(), 1);
    EXPECT_EQ(p->CellSpanX(), -1);
    EXPECT_TRUE(p->IsBaseCell());
    EXPECT_EQ(p->BrushColor(), g->Color());  // the cell's colour at first access
    EXPECT_EQ(p->FontName(), g->Font()->Name());
    EXPECT_FALSE(p->ReadOnly());

    g->FreeCellProperties(3, 1);
    EXPECT_FALSE(g->HasCellProperties(3, 1));
}

TEST(BaseGrid, PropertiesBeyondTheCountsAreFreedWithTheGrid)
{
    // Lowering a count keeps the cells; the grid must still free them
    // (checked by the leak checker of a sanitizer build).
    auto* g = new TBaseGrid(nullptr);
    g->SetColCount(4);
    g->SetRowCount(6);
    g->GetCellProperties(3, 5)->SetReadOnly(true);
    g->SetRowCount(2);
    g->SetColCount(2);
    delete g;
}

TEST(BaseGrid, MergedCellsRedirectToTheBaseCell)
{
    Fixture f;
    TBaseGrid* g = f.Grid;
    EXPECT_FALSE(g->RowSpanIdentical(1, 2));
    EXPECT_FALSE(g->ColSpanIdentical(1, 2));

    g->MergeCells(3, 3, 1, 1);  // one-cell area: not merged
    EXPECT_FALSE(g->IsMergedCell(3, 3));
    EXPECT_EQ(g->CellSpan(3, 3), (TPoint{0, 0}));
    EXPECT_EQ(g->BaseCell(3, 3), (TPoint{3, 3}));

    g->SetCells(1, 1, "base");
    g->MergeCells(1, 1, 2, 2);
    const TCellProperties* covered = g->GetCellProperties(2, 2);
    EXPECT_EQ(covered->CellSpanX(), 1);
    EXPECT_EQ(covered->CellSpanY(), 1);
    EXPECT_FALSE(covered->IsBaseCell());
    EXPECT_TRUE(g->IsMergedCell(2, 2));
    EXPECT_TRUE(g->IsMergedNonBaseCell(2, 2));
    EXPECT_FALSE(g->IsMergedNonBaseCell(1, 1));
    EXPECT_TRUE(g->IsXMergedCell(2, 1) && g->IsYMergedCell(1, 2));
    EXPECT_EQ(g->BaseCell(2, 2), (TPoint{1, 1}));
    EXPECT_EQ(g->CellSpan(2, 2), (TPoint{1, 1}));
    EXPECT_EQ(g->CellExt(2, 2), (TPoint{0, 0}));
    EXPECT_EQ(g->CellExt(1, 1), (TPoint{1, 1}));
    EXPECT_EQ(g->FullCell(2, 2), (TRect{1, 1, 2, 2}));
    Integer bc = 0, br = 0;
    EXPECT_FALSE(g->ResolveBaseCell(2, 1, bc, br));
    EXPECT_EQ(bc, 1);
    EXPECT_EQ(br, 1);
    EXPECT_EQ(g->MinRowSpan(1), 1);
    EXPECT_EQ(g->MaxRowSpan(1), 1);
    EXPECT_TRUE(g->RowSpanIdentical(1, 2));
    EXPECT_TRUE(g->ColSpanIdentical(1, 2));

    // Texts: every cell of the area reads and writes the base cell.
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("base"));
    g->SetCells(2, 1, "written at a covered cell");
    EXPECT_EQ(g->GridCells(1, 1), QStringLiteral("written at a covered cell"));
    EXPECT_EQ(g->GridCells(2, 1), QString());

    // The rectangle covers both columns and rows.
    const TRect r = g->CellRect(2, 2);
    EXPECT_EQ(r, g->CellRect(1, 1));
    EXPECT_EQ(r.Width(), g->ColWidths(1) + g->ColWidths(2));
    EXPECT_EQ(r.Height(), g->RowHeights(1) + g->RowHeights(2));

    g->SplitCells(2, 2);
    for (Integer c = 1; c <= 2; ++c)
        for (Integer row = 1; row <= 2; ++row) {
            EXPECT_FALSE(g->IsMergedCell(c, row));
            EXPECT_TRUE(g->IsBaseCell(c, row));
        }
    EXPECT_EQ(g->Cells(2, 2), QString());
    EXPECT_EQ(g->MergeCount(), 1);  // two merges, one split
}

TEST(BaseGrid, ArrowKeysLeaveAMergedArea)
{
    Fixture f;
    TBaseGrid* g = f.Grid;
    g->MergeCells(2, 2, 2, 2);
    struct Case {
        Word Key;
        TPoint From;
        TPoint To;
    };
    const Case cases[] = {
        {VK_LEFT, {3, 3}, {1, 2}},
        {VK_UP, {3, 3}, {2, 1}},
        {VK_RIGHT, {2, 2}, {4, 2}},
        {VK_DOWN, {2, 2}, {2, 4}},
    };
    for (const Case& c : cases) {
        g->SetCol(c.From.X);
        g->SetRow(c.From.Y);
        g->GotoBaseCell();
        TestInput::PressKey(g, c.Key);
        EXPECT_EQ((TPoint{g->Col(), g->Row()}), c.To) << "key " << c.Key;
    }
}

TEST(BaseGrid, DisplayHooksChangeWhatCellsReturn)
{
    Fixture f;
    TBaseGrid* g = f.Grid;
    g->SetCells(1, 1, "raw");
    g->OnGetDisplText = [](TObject*, Integer, Integer, QString& v) { v = v.toUpper(); };
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("raw"));  // rows at or past NormalRowCount: no hooks
    g->SetNormalRowCount(5);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("RAW"));
    EXPECT_EQ(g->GridCells(1, 1), QStringLiteral("raw"));
}

TEST(UndoRedo, MaxLevelKeepsTheLastChanges)
{
    Fixture f;
    TExGridUndoRedo ur(nullptr);
    f.Grid->SetUndoRedo(&ur);
    ur.SetMaxLevel(2);
    for (const char* v : {"a", "b", "c"}) {
        const QString old = f.Grid->Cells(1, 1);
        f.Grid->SetCells(1, 1, v);
        ur.RegisterChange(1, 1, v, old);
    }
    EXPECT_EQ(ur.Items()->Count(), 2);
    ur.Undo();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("b"));
    ur.Undo();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("a"));
    EXPECT_FALSE(ur.CanUndo());
    ur.Undo();  // nothing left
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("a"));
    EXPECT_TRUE(ur.CanRedo());
    ur.Redo();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("b"));

    // A change registered after an undo leaves nothing to redo.
    ur.Undo();
    ur.RegisterChange(1, 1, "d", "a");
    EXPECT_FALSE(ur.CanRedo());
    ur.Reset();
    EXPECT_FALSE(ur.CanUndo());
    EXPECT_FALSE(ur.CanRedo());
    f.Grid->SetUndoRedo(nullptr);
}

TEST(UndoRedo, SequencesUndoAndRedoWhole)
{
    Fixture f;
    auto* ur = new TExGridUndoRedo(nullptr);
    f.Grid->SetUndoRedo(ur);
    QStringList events;
    ur->OnUndo = [&](TObject*, TBaseGrid*, Integer c, Integer r, const QString& present, const QString& target) {
        events << QStringLiteral("%1,%2:%3>%4").arg(c).arg(r).arg(present, target);
    };
    ur->StartSequence();
    f.Grid->SetCells(1, 1, "x");
    ur->RegisterChange(1, 1, "x", "");
    f.Grid->SetCells(2, 1, "y");
    ur->RegisterChange(2, 1, "y", "");
    ur->StopSequence();
    EXPECT_EQ(ur->Level(), 4);
    ur->Undo();
    EXPECT_EQ(ur->Level(), 0);
    EXPECT_EQ(f.Grid->Cells(1, 1), QString());
    EXPECT_EQ(f.Grid->Cells(2, 1), QString());
    EXPECT_EQ(events, (QStringList{"2,1:y>", "1,1:x>"}));
    ur->Redo();
    EXPECT_EQ(ur->Level(), 4);
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("x"));
    EXPECT_EQ(f.Grid->Cells(2, 1), QStringLiteral("y"));

    // Each side forgets the other when it goes.
    delete ur;
    EXPECT_EQ(f.Grid->UndoRedo(), nullptr);
}
