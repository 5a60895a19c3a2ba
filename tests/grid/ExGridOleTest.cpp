// Drag and drop of grids: cells dragged with the mouse from one grid to
// another (moved or copied, as text and as the grid's cell block), text from
// other programs dropped on a grid, a dropped CSV file, column drops, and
// the arrows that show where a drop lands.
#include "grid/ExGrid.h"

#include "grid/ExObj.h"
#include "grid/esgdd.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

#include "Screenshot.h"

#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct TwoGrids {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TExStringGrid* a = new TExStringGrid(form.get());
    TExStringGrid* b = new TExStringGrid(form.get());

    TwoGrids()
    {
        form->SetBounds(0, 0, 660, 260);
        form->SetCaption(QStringLiteral("Drag and drop"));
        for (TExStringGrid* g : {a, b}) {
            g->SetParent(form.get());
            g->SetColCount(4);
            g->SetRowCount(6);
            g->SetDefaultColWidth(70);
            g->SetOptions(g->Options() | goRangeSelect);
        }
        a->SetBounds(10, 10, 300, 200);
        b->SetBounds(340, 10, 300, 200);
        for (Integer c = 1; c < 4; ++c) {
            a->SetCells(c, 0, QStringLiteral("A%1").arg(c));
            b->SetCells(c, 0, QStringLiteral("B%1").arg(c));
            for (Integer r = 1; r < 6; ++r)
                a->SetCells(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
        }
        b->SetOptions(b->Options() | goEditing);  // a drop writes into cells a user may edit
        a->DragDropSettings()->OleDropSource = true;
        b->DragDropSettings()->SetOleDropTarget(true);
        form->Show();
    }
    ~TwoGrids() { GridDragSeam::Clear(); }

    static TPoint Middle(TExStringGrid* g, Integer c, Integer r)
    {
        const TRect R = g->CellRect(c, r);
        return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
};

} // namespace

TEST(ExGridOle, CellsDraggedWithTheMouseMoveIntoAnotherGrid)
{
    TwoGrids t;
    ASSERT_TRUE(t.b->OleDropTargetRegistered());
    ASSERT_FALSE(t.a->OleDropTargetRegistered());
    t.a->SetSelection(TGridRect{1, 1, 2, 2});
    bool arrowShown = false;
    TDropFormats offered;
    GridDragSeam::Set([&](const QMimeData* Data, Integer OkEffects) {
        EXPECT_EQ(OkEffects, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        const TPoint at = TwoGrids::Middle(t.b, 2, 3);
        EXPECT_TRUE(TestInput::RoutedDrag(t.b, TestInput::rdEnter, at, Data));
        EXPECT_TRUE(TestInput::RoutedDrag(t.b, TestInput::rdMove, at, Data));
        offered = t.b->OleDropTargetObject()->DropFormats();
        arrowShown = t.b->ArrowWindow(arrLeft)->Visible();
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(t.form.get()), QStringLiteral("TExStringGrid-drag-over"))
                         .isEmpty());
        return TestInput::RoutedDrag(t.b, TestInput::rdDrop, at, Data) ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    });
    Integer stopped = -1;
    t.a->OnOleDragStop = [&](TObject*, Integer Effect) { stopped = Effect; };
    TGridRect dropped{-1, -1, -1, -1};
    t.b->OnOleDropped = [&](TObject*, TGridRect R) { dropped = R; };

    const TPoint p = TwoGrids::Middle(t.a, 1, 1);
    TestInput::RoutedMouse(t.a, TestInput::rmDown, p);
    TestInput::RoutedMouse(t.a, TestInput::rmMove, TPoint(p.X + 12, p.Y + 6));
    TestInput::RoutedMouse(t.a, TestInput::rmUp, TPoint(p.X + 12, p.Y + 6));

    EXPECT_TRUE(arrowShown);
    // The dragged cells' picture follows the mouse: two by two cells, each
    // showing its text (dark pixels inside it).
    const QImage picture = GridDragSeam::LastPicture();
    EXPECT_NEAR(picture.width(), t.a->ColWidths(1) + t.a->ColWidths(2), 2);
    EXPECT_NEAR(picture.height(), t.a->RowHeights(1) + t.a->RowHeights(2), 2);
    const TRect origin = t.a->CellRect(1, 1);
    for (Integer c = 1; c <= 2; ++c)
        for (Integer r = 1; r <= 2; ++r) {
            TRect cell = t.a->CellRect(c, r);
            OffsetRect(cell, -origin.Left, -origin.Top);
            bool text = false;
            for (Integer y = cell.Top; y < std::min(cell.Bottom, Integer(picture.height())) && !text; ++y)
                for (Integer x = cell.Left; x < std::min(cell.Right, Integer(picture.width())) && !text; ++x)
                    text = qGray(picture.pixel(x, y)) < 100;
            EXPECT_TRUE(text) << "no text in the picture of cell " << c << "," << r;
        }
    EXPECT_FALSE(testsupport::SaveScreenshot(picture, QStringLiteral("TExStringGrid-drag-picture")).isEmpty());
    EXPECT_TRUE(offered.Contains(dfText));
    EXPECT_EQ(t.b->Cells(2, 3), QStringLiteral("1.1"));
    EXPECT_EQ(t.b->Cells(3, 3), QStringLiteral("2.1"));
    EXPECT_EQ(t.b->Cells(3, 4), QStringLiteral("2.2"));
    EXPECT_EQ(dropped.Left, 2);
    EXPECT_EQ(dropped.Bottom, 4);
    // A move empties the dragged cells of the source.
    EXPECT_EQ(stopped, DROPEFFECT_MOVE);
    EXPECT_EQ(t.a->Cells(1, 1), QString());
    EXPECT_EQ(t.a->Cells(2, 2), QString());
    EXPECT_EQ(t.a->Cells(3, 1), QStringLiteral("3.1"));
    EXPECT_FALSE(t.b->ArrowWindow(arrLeft)->Visible());
}

TEST(ExGridOle, CellBlocksCarryPropertiesAndCopiesKeepTheSource)
{
    TwoGrids t;
    t.a->Navigation()->SetAllowFmtClipboard(true);
    t.a->DragDropSettings()->OleCopyAlways = true;
    t.a->GetCellProperties(1, 1)->SetBrushColor(clYellow);
    t.a->SetSelection(TGridRect{1, 1, 1, 1});
    GridDragSeam::Set([&](const QMimeData* Data, Integer OkEffects) {
        EXPECT_EQ(OkEffects, DROPEFFECT_COPY);
        const TPoint at = TwoGrids::Middle(t.b, 3, 2);
        TestInput::RoutedDrag(t.b, TestInput::rdEnter, at, Data);
        return TestInput::RoutedDrag(t.b, TestInput::rdDrop, at, Data) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    });
    const TPoint p = TwoGrids::Middle(t.a, 1, 1);
    TestInput::RoutedMouse(t.a, TestInput::rmDown, p);
    TestInput::RoutedMouse(t.a, TestInput::rmMove, TPoint(p.X + 10, p.Y));
    TestInput::RoutedMouse(t.a, TestInput::rmUp, TPoint(p.X + 10, p.Y));
    EXPECT_EQ(t.b->Cells(3, 2), QStringLiteral("1.1"));
    EXPECT_EQ(t.b->GetCellProperties(3, 2)->BrushColor(), clYellow);
    EXPECT_EQ(t.a->Cells(1, 1), QStringLiteral("1.1"));
}

TEST(ExGridOle, RefusedOrCancelledDragsChangeNothing)
{
    TwoGrids t;
    t.a->SetSelection(TGridRect{1, 1, 1, 1});
    bool dragged = false;
    GridDragSeam::Set([&](const QMimeData*, Integer) {
        dragged = true;
        return DROPEFFECT_NONE;  // Escape
    });
    Integer stopped = -1;
    t.a->OnOleDragStop = [&](TObject*, Integer E) { stopped = E; };
    const TPoint p = TwoGrids::Middle(t.a, 1, 1);
    TestInput::RoutedMouse(t.a, TestInput::rmDown, p);
    TestInput::RoutedMouse(t.a, TestInput::rmMove, TPoint(p.X + 10, p.Y));
    TestInput::RoutedMouse(t.a, TestInput::rmUp, TPoint(p.X + 10, p.Y));
    EXPECT_TRUE(dragged);
    EXPECT_EQ(stopped, -1);
    EXPECT_EQ(t.a->Cells(1, 1), QStringLiteral("1.1"));

    // OnOleDrag refuses: no drag at all.
    dragged = false;
    t.a->OnOleDrag = [](TObject*, Integer, Integer, const QString&, bool& Allow) { Allow = false; };
    TestInput::RoutedMouse(t.a, TestInput::rmDown, p);
    TestInput::RoutedMouse(t.a, TestInput::rmMove, TPoint(p.X + 10, p.Y));
    TestInput::RoutedMouse(t.a, TestInput::rmUp, TPoint(p.X + 10, p.Y));
    EXPECT_FALSE(dragged);
}

TEST(ExGridOle, TextFromOtherProgramsAndRefusedDrops)
{
    TwoGrids t;
    QMimeData mime;
    mime.setText(QString::fromUtf8("x\ty\r\nz\tß"));
    const TPoint at = TwoGrids::Middle(t.b, 1, 2);
    // Not on the fixed row.
    EXPECT_TRUE(TestInput::RoutedDrag(t.b, TestInput::rdEnter, at, &mime));
    EXPECT_FALSE(TestInput::RoutedDrag(t.b, TestInput::rdMove, TwoGrids::Middle(t.b, 1, 0), &mime));
    EXPECT_TRUE(TestInput::RoutedDrag(t.b, TestInput::rdMove, at, &mime));
    EXPECT_TRUE(TestInput::RoutedDrag(t.b, TestInput::rdDrop, at, &mime));
    EXPECT_EQ(t.b->Cells(1, 2), QStringLiteral("x"));
    EXPECT_EQ(t.b->Cells(2, 3), QString::fromUtf8("ß"));
    EXPECT_EQ(t.b->Selection().Right, 2);
    EXPECT_EQ(t.b->Selection().Bottom, 3);

    bool droppedFired = false;
    t.b->OnOleDrop = [](TObject*, Integer, Integer, const QString&, bool& Allow) { Allow = false; };
    t.b->OnOleDropped = [&](TObject*, TGridRect) { droppedFired = true; };
    QMimeData other;
    other.setText(QStringLiteral("nope"));
    TestInput::RoutedDrag(t.b, TestInput::rdEnter, at, &other);
    TestInput::RoutedDrag(t.b, TestInput::rdDrop, at, &other);
    EXPECT_EQ(t.b->Cells(1, 2), QStringLiteral("x"));
    EXPECT_TRUE(droppedFired);

    // With inserted rows the text gets rows of its own.
    t.b->OnOleDrop = nullptr;
    t.b->DragDropSettings()->OleInsertRows = true;
    QMimeData two;
    two.setText(QStringLiteral("r1\r\nr2\r\n"));
    TestInput::RoutedDrag(t.b, TestInput::rdEnter, TwoGrids::Middle(t.b, 1, 1), &two);
    TestInput::RoutedDrag(t.b, TestInput::rdDrop, TwoGrids::Middle(t.b, 1, 1), &two);
    EXPECT_EQ(t.b->RowCount(), 8);
    EXPECT_EQ(t.b->Cells(1, 1), QStringLiteral("r1"));
    EXPECT_EQ(t.b->Cells(1, 2), QStringLiteral("r2"));
    EXPECT_EQ(t.b->Cells(1, 4), QStringLiteral("x"));  // moved down by the two new rows
}

TEST(ExGridOle, ADroppedCsvFileIsLoadedUnlessRefused)
{
    TwoGrids t;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Drop.Csv"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("h1;h2\r\nv1;v2\r\n");
    }
    QMimeData one;
    one.setUrls({QUrl::fromLocalFile(file)});
    const TPoint at = TwoGrids::Middle(t.b, 1, 1);
    QString asked;
    t.b->OnOleDropFile = [&](TObject*, Integer, Integer, const QString& Name, bool& Allow) {
        asked = Name;
        Allow = false;
    };
    TestInput::RoutedDrag(t.b, TestInput::rdEnter, at, &one);
    TestInput::RoutedDrag(t.b, TestInput::rdDrop, at, &one);
    EXPECT_EQ(asked, file);
    EXPECT_EQ(t.b->Cells(1, 0), QStringLiteral("B1"));

    t.b->OnOleDropFile = nullptr;
    QMimeData two;
    two.setUrls({QUrl::fromLocalFile(file), QUrl::fromLocalFile(file)});
    TestInput::RoutedDrag(t.b, TestInput::rdEnter, at, &two);
    TestInput::RoutedDrag(t.b, TestInput::rdDrop, at, &two);
    EXPECT_EQ(t.b->Cells(1, 0), QStringLiteral("B1"));  // two files: nothing

    TestInput::RoutedDrag(t.b, TestInput::rdEnter, at, &one);
    TestInput::RoutedDrag(t.b, TestInput::rdDrop, at, &one);
    EXPECT_EQ(t.b->Cells(0, 0), QStringLiteral("h1"));
    EXPECT_EQ(t.b->Cells(1, 1), QStringLiteral("v2"));
}

TEST(ExGridOle, ColumnsDroppedOnTheHeaderMoveThere)
{
    TwoGrids t;
    t.b->DragDropSettings()->OleColumnDragDrop = true;
    t.b->DragDropSettings()->OleColumnReorder = true;
    for (Integer r = 1; r < 6; ++r)
        t.b->SetCells(1, r, QStringLiteral("one"));
    TSourceDataObject column(QString(), QString(), 1, nullptr);
    const std::unique_ptr<QMimeData> mime = column.ToMimeData();
    // Over a normal row a column is refused, over the header taken.
    EXPECT_TRUE(TestInput::RoutedDrag(t.b, TestInput::rdEnter, TwoGrids::Middle(t.b, 3, 2), mime.get()));
    EXPECT_FALSE(TestInput::RoutedDrag(t.b, TestInput::rdMove, TwoGrids::Middle(t.b, 3, 2), mime.get()));
    EXPECT_TRUE(TestInput::RoutedDrag(t.b, TestInput::rdMove, TwoGrids::Middle(t.b, 3, 0), mime.get()));
    EXPECT_TRUE(t.b->ArrowWindow(arrDown)->Visible());
    Integer target = -1;
    t.b->OnOleDropCol = [&](TObject*, Integer, Integer, Integer DropCol) { target = DropCol; };
    TestInput::RoutedDrag(t.b, TestInput::rdDrop, TwoGrids::Middle(t.b, 3, 0), mime.get());
    EXPECT_EQ(target, 3);
    EXPECT_EQ(t.b->Cells(3, 0), QStringLiteral("B1"));
    EXPECT_EQ(t.b->Cells(3, 2), QStringLiteral("one"));
    EXPECT_FALSE(t.b->ArrowWindow(arrDown)->Visible());
}

// The drop arrows are made when first shown, in the colour the grid was
// given before, and take a colour given afterwards too.
TEST(ExGridOle, DropArrowsTakeTheGridsArrowColour)
{
    TwoGrids t;
    t.b->DragDropSettings()->OleColumnDragDrop = true;
    EXPECT_EQ(t.b->ArrowColor(), RGB(0, 255, 0));
    t.b->SetArrowColor(clRed);
    EXPECT_EQ(t.b->ArrowColor(), clRed);
    t.form->Show();
    TSourceDataObject column(QString(), QString(), 1, nullptr);
    const std::unique_ptr<QMimeData> mime = column.ToMimeData();
    EXPECT_TRUE(TestInput::RoutedDrag(t.b, TestInput::rdEnter, TwoGrids::Middle(t.b, 3, 2), mime.get()));
    EXPECT_TRUE(TestInput::RoutedDrag(t.b, TestInput::rdMove, TwoGrids::Middle(t.b, 3, 0), mime.get()));
    TArrowWindow* down = t.b->ArrowWindow(arrDown);
    ASSERT_NE(down, nullptr);
    EXPECT_TRUE(down->Visible());
    EXPECT_EQ(down->Color(), clRed);
    t.b->SetArrowColor(clBlue);
    EXPECT_EQ(down->Color(), clBlue);
    EXPECT_EQ(t.b->ArrowWindow(arrUp)->Color(), clBlue);
    TestInput::RoutedDrag(t.b, TestInput::rdLeave, TwoGrids::Middle(t.b, 3, 0), mime.get());
}
