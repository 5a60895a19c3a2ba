// The header and its columns: layout and positions, the strip above the
// client area, header painting, clicks and sort marks, resizing and moving
// columns with the mouse, the column menu, auto-size and spring columns,
// fitting to content, the limits of the header and the stream record.

#include <QImage>

#include "platform/Menus.h"
#include "platform/ScrollFrame.h"
#include "platform/Streams.h"
#include "Screenshot.h"
#include "HeaderFixture.h"
#include "TreeFixture.h"

namespace {
// Pixels of a colour in a rectangle of an image.
Integer CountColour(const QImage& img, const QRect& r, QRgb colour)
{
    Integer n = 0;
    for (int y = std::max(r.top(), 0); y <= std::min(r.bottom(), img.height() - 1); ++y)
        for (int x = std::max(r.left(), 0); x <= std::min(r.right(), img.width() - 1); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                ++n;
    return n;
}

Integer Ink(const QImage& img, const QRect& r)
{
    Integer n = 0;
    for (int y = std::max(r.top(), 0); y <= std::min(r.bottom(), img.height() - 1); ++y)
        for (int x = std::max(r.left(), 0); x <= std::min(r.right(), img.width() - 1); ++x)
            if (qGray(img.pixel(x, y)) < 110)
                ++n;
    return n;
}
} // namespace

using THeaderTest = THeaderTreeFixture;

TEST_F(THeaderTest, ColumnsLayOutInDisplayOrderAndTheStripTakesItsHeight)
{
    Fill();
    ShowForm();
    ASSERT_NE(Strip(), nullptr);
    // The strip lies on the tree's border, the client area right below it.
    EXPECT_EQ(Strip()->Top(), tree->Top() + 2);
    EXPECT_EQ(Strip()->Height(), header->Height());
    EXPECT_EQ(tree->ClientHeight(), 236 - header->Height() - (tree->HorzScrollBarShown() ? TScrollFrame::BarExtent() : 0));
    EXPECT_EQ(GrabControl(tree).height(), tree->ClientHeight());
    EXPECT_EQ(tree->HeaderRect(), TRect(2, 2, 398, 2 + header->Height()));
    EXPECT_EQ(header->MainColumn(), 0);
    EXPECT_TRUE(header->UseColumns());
    EXPECT_EQ(columns->Items(1)->Left(), 140);
    EXPECT_EQ(columns->TotalWidth(), 320);
    EXPECT_EQ(tree->RangeX(), 320u);
    // Moving "Unit" to the front shifts the others right.
    columns->Items(2)->SetPosition(0);
    EXPECT_EQ(columns->PositionToIndex(), (std::vector<TColumnIndex>{2, 0, 1}));
    EXPECT_EQ(columns->Items(0)->Left(), 80);
    EXPECT_EQ(columns->GetFirstVisibleColumn(), 2);
    EXPECT_EQ(columns->GetNextVisibleColumn(2), 0);
    // An invisible column keeps its place but takes no room.
    columns->Items(0)->SetOptions(columns->Items(0)->Options() & ~coVisible);
    EXPECT_EQ(columns->Items(1)->Left(), 80);
    EXPECT_EQ(columns->TotalWidth(), 180);
    EXPECT_EQ(columns->ColumnFromPosition(TPoint(100, 5)), 1);
    EXPECT_EQ(columns->ColumnFromPosition(TPoint(200, 5)), ColumnNotFound);
}

TEST_F(THeaderTest, RemovingColumnsKeepsMainSortAndFocusedColumnsValid)
{
    Fill();
    header->SetSortColumn(2);
    tree->SetFocusedColumn(2);
    // Removing the main column makes the former second column the main one.
    delete columns->Items(0);
    EXPECT_EQ(columns->Count(), 2);
    EXPECT_EQ(header->MainColumn(), 0);
    EXPECT_EQ(columns->Items(0)->Text(), QStringLiteral("Value"));
    EXPECT_EQ(header->SortColumn(), 1);
    EXPECT_LT(tree->FocusedColumn(), columns->Count());
    EXPECT_EQ(columns->PositionToIndex(), (std::vector<TColumnIndex>{0, 1}));
    columns->Clear();
    EXPECT_FALSE(header->UseColumns());
    EXPECT_EQ(header->MainColumn(), NoColumn);
    EXPECT_EQ(header->SortColumn(), NoColumn);
    EXPECT_FALSE(header->AllowFocus(0));
    // Without columns the tree is one column again.
    EXPECT_EQ(tree->GetDisplayRect(a, NoColumn, false).Left, 0);
}

TEST_F(THeaderTest, WidthLimitsAndClampedIndexes)
{
    TNodeTreeColumn* col = columns->Items(1);
    col->SetWidth(3);
    EXPECT_EQ(col->Width(), 10);
    col->SetMaxWidth(60);
    EXPECT_EQ(col->Width(), 10);
    col->SetWidth(200);
    EXPECT_EQ(col->Width(), 60);
    EXPECT_EQ(col->LastWidth(), 10);
    header->SetMainColumn(7);
    EXPECT_EQ(header->MainColumn(), 2);
    header->SetSortColumn(9);
    EXPECT_EQ(header->SortColumn(), 2);
    header->SetSortColumn(-5);
    EXPECT_EQ(header->SortColumn(), NoColumn);
    // A text with a character beyond Latin-1 is shown by number.
    col->SetText(QStringLiteral("Wert \u2192"));
    EXPECT_EQ(col->GetDisplayName(), QStringLiteral("Column 1"));
}

TEST_F(THeaderTest, HeightFollowsItsLimitsOnceTheWindowExists)
{
    // Before the window: stored as given, applied later.
    header->SetHeight(3);
    EXPECT_EQ(header->Height(), 3);
    EXPECT_TRUE(header->States() & hsNeedScaling);
    ShowForm();
    EXPECT_EQ(header->Height(), 10);
    EXPECT_FALSE(header->States() & hsNeedScaling);
    // The percentage limit beats MinHeight: 10 % of the tree's height.
    header->SetHeight(30);
    const Integer total = tree->ClientHeight() + header->Height();
    header->FixedAreaConstraints()->SetMaxHeightPercent(10);
    EXPECT_EQ(header->Height(), total * 10 / 100);
    // The two percentages push each other.
    header->FixedAreaConstraints()->SetMinHeightPercent(5);
    header->FixedAreaConstraints()->SetMaxHeightPercent(3);
    EXPECT_EQ(header->FixedAreaConstraints()->MinHeightPercent(), 3);
    header->FixedAreaConstraints()->SetMinHeightPercent(20);
    EXPECT_EQ(header->FixedAreaConstraints()->MaxHeightPercent(), 20);
    header->FixedAreaConstraints()->SetMaxHeightPercent(0);
    EXPECT_EQ(header->FixedAreaConstraints()->MinHeightPercent(), 20);
    // DefaultHeight moves Height along only while they are equal.
    header->FixedAreaConstraints()->SetMinHeightPercent(0);
    header->SetHeight(19);
    header->SetDefaultHeight(25);
    EXPECT_EQ(header->Height(), 25);
    header->SetHeight(30);
    header->SetDefaultHeight(19);
    EXPECT_EQ(header->Height(), 30);
    // The strip's window and the client area follow the height.
    EXPECT_EQ(Strip()->Height(), 30);
    EXPECT_EQ(tree->HeaderRect().Height(), 30);
}

TEST_F(THeaderTest, HeaderPaintsButtonsCaptionsAndTheSortMark)
{
    Fill();
    header->SetSortColumn(1);
    ShowForm();
    QImage strip = GrabControl(Strip());
    ASSERT_FALSE(strip.isNull());
    const Integer h = header->Height();
    // Raised buttons: a light line on top, a dark one at the bottom of each column.
    const QRgb light = QColor(255, 255, 255).rgb();
    EXPECT_GT(CountColour(strip, QRect(2, 0, 130, 1), light), 100);
    EXPECT_GT(Ink(strip, QRect(2, h - 1, 130, 1)), 100);
    // The right edge of each column is a dark line.
    EXPECT_GT(Ink(strip, QRect(139, 2, 1, h - 4)), h / 2);
    // Captions: ink in the text area of every column.
    EXPECT_GT(Ink(strip, QRect(4, 3, 60, h - 6)), 10);
    EXPECT_GT(Ink(strip, QRect(144, 3, 60, h - 6)), 10);
    EXPECT_GT(Ink(strip, QRect(244, 3, 40, h - 6)), 10);
    // The sort glyph sits right of "Value" and nowhere in the other columns.
    const QRgb glyph = QColor(128, 128, 128).rgb();
    EXPECT_GT(CountColour(strip, QRect(142, 3, 94, h - 6), glyph), 8);
    EXPECT_EQ(CountColour(strip, QRect(2, 3, 134, h - 6), glyph), 0);
    // Beyond the last column: the header's background.
    header->SetBackground(clRed);
    Application->ProcessMessages();
    strip = GrabControl(Strip());
    EXPECT_EQ(CountColour(strip, QRect(330, 2, 50, h - 4), QColor(255, 0, 0).rgb()), 50 * (h - 4));
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form.get()), QStringLiteral("TNodeStringTree-header-three-columns")).isEmpty());
}

TEST_F(THeaderTest, RowsPaintEachColumnsTextInItsCell)
{
    Fill();
    ShowForm();
    const QImage img = GrabControl(tree);
    const Integer rowH = Integer(tree->DefaultNodeHeight());
    // Row 2 ("Item 2", 10, kWh): ink in each of the three cells.
    const QRect row(0, rowH, 320, rowH);
    EXPECT_GT(InkIn(img, QRect(20, row.top(), 110, rowH)), 5);
    EXPECT_GT(InkIn(img, QRect(140, row.top(), 100, rowH)), 5);
    EXPECT_GT(InkIn(img, QRect(240, row.top(), 80, rowH)), 5);
    // Moving the value column to the end moves its text there too.
    const Integer valueInk = InkIn(img, QRect(140, row.top(), 100, rowH));
    columns->Items(1)->SetPosition(2);
    Application->ProcessMessages();
    const QImage moved = GrabControl(tree);
    EXPECT_NE(InkIn(moved, QRect(140, row.top(), 100, rowH)), valueInk);
    // Hit tests name the column under the mouse.
    THitInfo hit;
    tree->GetHitTestInfoAt(150, rowH + 3, true, hit);
    EXPECT_EQ(hit.HitNode, b);
    EXPECT_EQ(hit.HitColumn, 2);
    tree->GetHitTestInfoAt(300, rowH + 3, true, hit);
    EXPECT_EQ(hit.HitColumn, 1);
}

TEST_F(THeaderTest, WithAutoSpanATextRunsOverTheEmptyCellsAfterIt)
{
    Fill();
    tree->OnGetText = [this](TBaseNodeTree*, PDataNode n, TColumnIndex column, TNSTTextType type, QString& text) {
        if (type != ttNormal)
            return;
        if (n == a)
            text = column == 0 ? QStringLiteral("Readings of every meter of the building, all floors and wings") : QString();
        else
            text = QStringLiteral("cell %1").arg(column);
    };
    ShowForm();
    const Integer rowH = Integer(tree->DefaultNodeHeight());
    const QRect value(142, 0, 96, rowH - 1), unit(242, 0, 76, rowH - 1);
    // Without spanning the text ends in its own cell.
    QImage img = GrabControl(tree);
    EXPECT_EQ(InkIn(img, value), 0);
    tree->TreeOptions()->SetAutoOptions(tree->TreeOptions()->AutoOptions() | toAutoSpanColumns);
    Application->ProcessMessages();
    img = GrabControl(tree);
    testsupport::SaveScreenshot(img, QStringLiteral("TNodeStringTree-span-columns"));
    EXPECT_GT(InkIn(img, value), 20);
    EXPECT_GT(InkIn(img, unit), 20);
    // Rows whose cells hold text are not spanned.
    EXPECT_GT(InkIn(img, value.translated(0, rowH)), 5);
    // A right-to-left column stops the span.
    columns->Items(2)->SetBiDiMode(bdRightToLeft);
    Application->ProcessMessages();
    img = GrabControl(tree);
    EXPECT_GT(InkIn(img, value), 20);
    EXPECT_EQ(InkIn(img, unit), 0);
}
