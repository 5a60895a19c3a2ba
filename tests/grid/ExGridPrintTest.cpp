// Printing the string grid: pages across and down, repeated header rows,
// page numbers, fitting, the print events, rotated and aligned text, the
// preview of one page, and the placement of rotated text. Jobs go to PDF
// files read back with poppler's tools.
#include "grid/ExGrid.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Printers.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <set>

#include "PdfReader.h"
#include "QtPrint.h"

using namespace testsupport;

namespace {

// Counts the export notifications of a run.
class TCountingGrid : public TExStringGrid {
public:
    TCountingGrid() : TExStringGrid(nullptr) {}
    void ExportNotification(Integer AState, Integer ARow) override
    {
        States.push_back(AState);
        if (AState == esExportNewRow)
            Rows.insert(ARow);
    }
    std::vector<Integer> States;
    std::set<Integer> Rows;
};

class GridPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        auto* p = new TPrinter();
        p->SetResolution(300);
        p->SetOutputFileName(Pdf());
        SetPrinter(p);
        grid = std::make_unique<TCountingGrid>();
        grid->Font()->SetName(QStringLiteral("DejaVu Sans"));
        grid->FixedFont()->SetName(QStringLiteral("DejaVu Sans"));
    }
    void TearDown() override { SetPrinter(new TPrinter()); }

    QString Pdf() const { return dir.path() + QStringLiteral("/grid.pdf"); }

    // A table: a header row "Name", "Col1".. and rows "Rn", "rn.cm".
    void Fill(Integer Cols, Integer Rows, const QString& Pad = QString())
    {
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows + 1);
        grid->SetFixedRows(1);
        grid->SetFixedCols(1);
        grid->SetCells(0, 0, QStringLiteral("Name"));
        for (Integer c = 1; c < Cols; ++c)
            grid->SetCells(c, 0, QStringLiteral("Col%1").arg(c));
        for (Integer r = 1; r <= Rows; ++r) {
            grid->SetCells(0, r, QStringLiteral("R%1").arg(r));
            for (Integer c = 1; c < Cols; ++c)
                grid->SetCells(c, r, QStringLiteral("r%1.c%2%3").arg(r).arg(c).arg(Pad));
        }
    }

    QTemporaryDir dir;
    std::unique_ptr<TCountingGrid> grid;
};

// The words of page P (1-based).
std::vector<TPdfWord> WordsOf(const std::vector<TPdfWord>& All, int P)
{
    std::vector<TPdfWord> out;
    for (const TPdfWord& w : All)
        if (w.Page == P)
            out.push_back(w);
    return out;
}

const TPdfWord* Find(const std::vector<TPdfWord>& Words, const QString& Text)
{
    for (const TPdfWord& w : Words)
        if (w.Text == Text)
            return &w;
    return nullptr;
}

TEST_F(GridPrintTest, WideAndLongGridSpansPagesAcrossAndDownWithRepeatedHeadersAndNumbers)
{
    Fill(9, 90, QStringLiteral("-wide-cell-text"));
    TPrintSettings* ps = grid->PrintSettings();
    ps->RepeatFixedRows = true;
    ps->RepeatFixedCols = true;
    ps->PageNr = ppBottomCenter;
    ps->PagePrefix = QStringLiteral("Page");
    grid->Print();

    const int pages = PdfPageCount(Pdf());
    ASSERT_GE(pages, 4);
    EXPECT_EQ(pages % 2, 0) << "the same number of pages down for every page across";
    EXPECT_EQ(grid->PrintNrOfPages(), pages);
    const int down = pages / 2;
    const std::vector<TPdfWord> all = PdfWords(Pdf());
    std::set<QString> firstCols;
    for (int p = 1; p <= pages; ++p) {
        const std::vector<TPdfWord> words = WordsOf(all, p);
        // Every page starts with the fixed row and carries the fixed column.
        EXPECT_TRUE(Find(words, QStringLiteral("Name"))) << "page " << p;
        // Pages run down first, then across: 1-1, 2-1, ... then 1-2, 2-2 ...
        const QString number = QStringLiteral("%1-%2").arg((p - 1) % down + 1).arg((p - 1) / down + 1);
        EXPECT_TRUE(Find(words, number)) << "page " << p << " lacks " << number.toStdString();
        EXPECT_TRUE(Find(words, QStringLiteral("Page")));
        // The page's first data column.
        int firstCol = 99;
        for (const TPdfWord& w : words)
            if (w.Text.startsWith(QStringLiteral("Col")))
                firstCol = std::min(firstCol, w.Text.mid(3).toInt());
        firstCols.insert(QString::number(firstCol));
        // The rows restart at the top on each page across.
        if ((p - 1) % down == 0)
            EXPECT_TRUE(Find(words, QStringLiteral("R1"))) << "page " << p;
    }
    EXPECT_EQ(firstCols.size(), 2u);
    // Every row is printed once per page across, on some page.
    int r90 = 0;
    for (const TPdfWord& w : all)
        r90 += w.Text == QStringLiteral("R90");
    EXPECT_EQ(r90, 2);
    PdfPageScreenshot(Pdf(), 1, QStringLiteral("TExStringGrid-print-page1"));
}

TEST_F(GridPrintTest, PageNumbersCountTheCountedPages)
{
    Fill(3, 200);
    grid->PrintSettings()->PageNr = ppTopRight;
    std::vector<Integer> started;
    grid->OnPrintStart = [&](TObject*, Integer NrOfPages, Integer& FromPage, Integer& ToPage) {
        started = {NrOfPages, FromPage, ToPage};
    };
    grid->Print();
    const int pages = PdfPageCount(Pdf());
    ASSERT_GE(pages, 3);
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0], pages);
    EXPECT_EQ(started[1], 1);
    EXPECT_EQ(started[2], pages);
    for (int p = 1; p <= pages; ++p)
        EXPECT_TRUE(PdfText(Pdf(), p).contains(QStringLiteral("%1/%2").arg(p).arg(pages))) << p;
}

// The "Rn" row labels of one page of a words list.
std::vector<int> RowsOn(const std::vector<TPdfWord>& All, int Page)
{
    std::vector<int> rows;
    for (const TPdfWord& w : All)
        if (w.Page == Page && w.Text.size() > 1 && w.Text[0] == u'R' && w.Text.mid(1).toInt() > 0)
            rows.push_back(w.Text.mid(1).toInt());
    return rows;
}

TEST_F(GridPrintTest, StartHandlerNarrowsOrCancelsTheJob)
{
    Fill(3, 150);
    grid->Print();
    ASSERT_GE(PdfPageCount(Pdf()), 3);
    const std::vector<int> second = RowsOn(PdfWords(Pdf()), 2);
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(grid->States.front(), esExportStart);
    EXPECT_EQ(grid->States.back(), esExportDone);
    // Every row is announced, in the counting pass and again in the printing one.
    EXPECT_EQ(grid->Rows.size(), 151u);
    EXPECT_GE(std::count(grid->States.begin(), grid->States.end(), esExportNewRow), 2 * 151);

    grid->OnPrintStart = [&](TObject*, Integer, Integer& FromPage, Integer& ToPage) {
        FromPage = 2;
        ToPage = 2;
    };
    grid->Print();
    EXPECT_EQ(PdfPageCount(Pdf()), 1);
    EXPECT_EQ(RowsOn(PdfWords(Pdf()), 1), second);
    QFile::remove(Pdf());

    grid->States.clear();
    grid->OnPrintStart = [&](TObject*, Integer, Integer& FromPage, Integer& ToPage) {
        FromPage = 3;
        ToPage = 2;
    };
    grid->Print();
    EXPECT_FALSE(QFile::exists(Pdf()));
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(std::count(grid->States.begin(), grid->States.end(), esExportDone), 0);
}

TEST_F(GridPrintTest, FastPrintReportsTheLargestCountAndStopsAfterThreePages)
{
    Fill(3, 200);
    grid->SetFastPrint(true);
    Integer reported = 0;
    grid->OnPrintStart = [&](TObject*, Integer NrOfPages, Integer&, Integer&) { reported = NrOfPages; };
    grid->Print();
    EXPECT_EQ(reported, INT_MAX);
    EXPECT_EQ(PdfPageCount(Pdf()), 3);
}

TEST_F(GridPrintTest, PageEventsSteerTheBreaks)
{
    Fill(3, 5);
    grid->OnPrintNewPage = [](TObject*, Integer, bool& NewPage) { NewPage = true; };
    grid->Print();
    EXPECT_EQ(PdfPageCount(Pdf()), 6) << "one row a page";

    grid->OnPrintNewPage = nullptr;
    Fill(3, 200);
    std::vector<Integer> done;
    grid->OnPrintPageDone = [&](TObject*, TCanvas*, Integer, Integer, Integer LastPage, Integer, Integer) {
        done.push_back(LastPage);
    };
    grid->OnPrintCancel = [](TObject*, Integer PageNr, bool& Cancel) { Cancel = PageNr == 1; };
    grid->Print();
    EXPECT_EQ(PdfPageCount(Pdf()), 1);
    EXPECT_EQ(done, (std::vector<Integer>{1})) << "the counting pass fires no page events";
}

TEST_F(GridPrintTest, RowTallerThanThePageGetsAPageOfItsOwnInsteadOfHanging)
{
    Fill(2, 3);
    grid->SetMultilineCells(true);
    QString tall;
    for (int i = 0; i < 150; ++i)
        tall += QStringLiteral("line%1\r\n").arg(i);
    grid->SetCells(1, 2, tall + QStringLiteral("end"));
    grid->Print();
    EXPECT_EQ(PdfPageCount(Pdf()), 3);
    EXPECT_TRUE(PdfText(Pdf(), 3).contains(QStringLiteral("R3")));
}

TEST_F(GridPrintTest, SelectedRowsAndSelectedColsPrintTheSame)
{
    Fill(5, 10);
    grid->SetSelectionEx(TGridRect{2, 3, 3, 5});
    grid->PrintSelectedRows();
    const QString rows = PdfText(Pdf());
    grid->PrintSelectedCols();
    const QString cols = PdfText(Pdf());
    EXPECT_EQ(rows, cols);
    EXPECT_TRUE(rows.contains(QStringLiteral("r4.c2")));
    EXPECT_FALSE(rows.contains(QStringLiteral("r2.c2")));
    EXPECT_FALSE(rows.contains(QStringLiteral("r4.c1")));
    EXPECT_FALSE(rows.contains(QStringLiteral("Name")));
    grid->PrintSettings()->FixedCellsAlways = true;
    grid->PrintSelectedRows();
    EXPECT_TRUE(PdfText(Pdf()).contains(QStringLiteral("Name")));
}

TEST_F(GridPrintTest, AlignedAndRotatedCellsLandWhereTheyShould)
{
    Fill(4, 4);
    grid->SetCells(1, 1, QStringLiteral("1"));
    grid->SetCells(1, 2, QStringLiteral("12345"));
    grid->SetCells(2, 1, QStringLiteral("ab"));
    grid->SetCells(2, 2, QStringLiteral("abcdefgh"));
    grid->SetCells(3, 1, QStringLiteral("x"));
    grid->SetCells(3, 2, QStringLiteral("xxxxxxx"));
    grid->OnGetAlignment = [](TObject*, Integer ARow, Integer ACol, TAlignment& HA, TVAlignment&) {
        if (ARow > 0)
            HA = ACol == 1 ? taRightJustify : ACol == 3 ? taCenter : taLeftJustify;
    };
    grid->AddRotated(3, 0, 90, QStringLiteral("Turned"));
    grid->Print();
    const std::vector<TPdfWord> w = PdfWords(Pdf());
    const auto at = [&](const char* t) {
        const TPdfWord* p = Find(w, QLatin1String(t));
        EXPECT_NE(p, nullptr) << t;
        return p ? *p : TPdfWord{};
    };
    EXPECT_NEAR(at("1").XMax, at("12345").XMax, 0.8) << "right-aligned column ends together";
    EXPECT_NEAR(at("ab").XMin, at("abcdefgh").XMin, 0.8) << "left-aligned column starts together";
    EXPECT_NEAR((at("x").XMin + at("x").XMax) / 2, (at("xxxxxxx").XMin + at("xxxxxxx").XMax) / 2, 0.8);
    // The rotated header runs upward: its box is taller than wide.
    const TPdfWord turned = at("Turned");
    EXPECT_GT(turned.YMax - turned.YMin, 2 * (turned.XMax - turned.XMin));
    PdfPageScreenshot(Pdf(), 1, QStringLiteral("TExStringGrid-print-aligned-rotated"), 100);
}

TEST_F(GridPrintTest, FitToPageScalesTheTableAndItsText)
{
    const auto printedHeight = [&](TFitToPage Fit) {
        grid->PrintSettings()->FitToPage = Fit;
        grid->Print();
        const std::vector<TPdfWord> w = PdfWords(Pdf());
        const TPdfWord* label = Find(w, QStringLiteral("R1"));
        return label ? label->YMax - label->YMin : 0.0;
    };
    Fill(12, 5, QStringLiteral("-quite-wide-text"));
    const double natural = printedHeight(fpNever);
    EXPECT_GT(PdfPageCount(Pdf()), 1);
    ASSERT_GT(natural, 0);
    EXPECT_NEAR(printedHeight(fpGrow), natural, 0.5) << "fpGrow never shrinks";
    EXPECT_LT(printedHeight(fpShrink), natural * 0.9);
    EXPECT_EQ(PdfPageCount(Pdf()), 1);
    EXPECT_TRUE(PdfText(Pdf()).contains(QStringLiteral("Col11")));

    Fill(2, 3);
    EXPECT_NEAR(printedHeight(fpShrink), natural, 0.5) << "fpShrink never enlarges";
    const double grown = printedHeight(fpAlways);
    EXPECT_GT(grown, natural * 1.5);
    std::vector<Integer> widths;
    grid->OnPrintSetColumnWidth = [&](TObject*, Integer ACol, Integer& Width) { widths.push_back(ACol); };
    double custom = 0;
    grid->OnFitToPage = [&](TObject*, double& Scale, bool& Allow) {
        custom = Scale;
        Allow = false;
    };
    EXPECT_NEAR(printedHeight(fpCustom), natural, 0.5) << "a refused scale prints at the natural size";
    EXPECT_GT(custom, 1.5);
    EXPECT_EQ(widths, (std::vector<Integer>{0, 1, 0, 1})) << "every column, counted and printed";
}

TEST_F(GridPrintTest, PreviewDrawsOnlyThePageAsked)
{
    Fill(3, 150);
    grid->PrintSettings()->PageNr = ppBottomRight;
    std::set<Integer> rows;
    grid->OnCustomCellDraw = [&](TObject*, TCanvas*, Integer, Integer ARow, TGridDrawState, TRect, bool Printing) {
        EXPECT_TRUE(Printing);
        rows.insert(ARow);
    };
    TBitmap page(420, 594);
    page.Canvas()->Brush()->SetColor(clWhite);
    page.Canvas()->FillRect(TRect(0, 0, 420, 594));
    grid->SetPreviewPage(3);
    grid->PrintPreview(page.Canvas(), TRect(0, 0, 420, 594));
    ASSERT_FALSE(rows.empty());
    EXPECT_GT(*rows.begin(), 40) << "no row of the first page";
    EXPECT_FALSE(grid->IsPrintPreview());
    EXPECT_EQ(page.Canvas()->MapMode(), MM_TEXT);
    const QImage img = page.Image();
    int ink = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            ink += qGray(img.pixel(x, y)) < 128;
    EXPECT_GT(ink, 200);
    SaveScreenshot(img, QStringLiteral("TExStringGrid-print-preview-page3"));
}

TEST_F(GridPrintTest, PrintDrawFillsTheRectangleOnlyAndRowsTakeTheirHeight)
{
    Fill(3, 3);
    grid->PrintSettings()->RowSpacing = 7;
    Integer lastOffset = 0;
    grid->OnPrintPageDone = [&](TObject*, TCanvas*, Integer, Integer LastRowOffset, Integer, Integer, Integer) {
        lastOffset = LastRowOffset;
    };
    TBitmap page(600, 400);
    page.Canvas()->Brush()->SetColor(clWhite);
    page.Canvas()->FillRect(TRect(0, 0, 600, 400));
    grid->PrintDraw(page.Canvas(), TRect(100, 50, 500, 350));
    const QImage img = page.Image();
    int inside = 0, outside = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ++(x >= 100 && x < 500 && y >= 50 && y < 350 ? inside : outside);
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0);
    SaveScreenshot(img, QStringLiteral("TExStringGrid-print-draw"));

    // Four one-line rows: each the text height of "gh", an eighth more, two
    // eighths of the body text and the spacing, below the table's top.
    TCanvas* c = page.Canvas();
    c->Font()->Assign(grid->Font());
    c->Font()->SetHeight(grid->MapFontHeight(grid->Font()->Size()));
    const Integer gh = c->TextHeight(QStringLiteral("gh"));
    EXPECT_EQ(lastOffset, -4 * (gh + gh / 8 + 2 * (gh >> 3) + 7));
    EXPECT_EQ(grid->GetPrintRowHeight(1), gh + gh / 8);

    grid->PrintSettings()->UseFixedHeight = true;
    grid->PrintSettings()->FixedHeight = 55;
    EXPECT_EQ(grid->GetPrintRowHeight(2), 55);
    grid->PrintSettings()->UseFixedHeight = false;
    grid->PrintSettings()->NoAutoSizeRow = true;
    grid->SetRowHeights(1, 30);
    EXPECT_EQ(grid->GetPrintRowHeight(1), Integer(std::lround(30 * 254.0 / 96)) - 4);
}

TEST(GridPrintMath, FontMappingAndRotatedPlacement)
{
    TExStringGrid g(nullptr);
    EXPECT_EQ(g.MapFontHeight(10), -35);
    EXPECT_EQ(TExStringGrid::MapFontSize(35), 9);
    EXPECT_EQ(TExStringGrid::MapFontSize(254), 72);

    TBitmap bmp(10, 10);
    TCanvas* c = bmp.Canvas();
    c->Font()->SetName(QStringLiteral("DejaVu Sans"));
    const QString text = QStringLiteral("Rotated");
    const Integer cx = c->TextWidth(text), cy = c->TextHeight(text);
    // 90 degrees, left and top: starts at the left, one text length down.
    TRect r(10, 20, 200, 300);
    g.DrawRotatedText(c, r, 90, 0, 0, text);
    EXPECT_EQ(r.Left, 12);
    EXPECT_EQ(r.Top, 22 + cx);
    // 0 degrees, centred both ways: where unrotated centred text starts.
    TRect z(10, 20, 200, 300);
    g.DrawRotatedText(c, z, 0, 1, 2, text);
    EXPECT_EQ(z.Left, 12 + (186 - cx) / 2);
    EXPECT_EQ(z.Top, 22 - (22 + cy - 298) / 2);
    // A table of the quadrants for right and bottom alignment.
    struct Case {
        Integer Angle, XRight, YBottom;
    } cases[] = {{45, 100 - 7 - 3, 200 - 5}, {135, 100 - 3, 200}, {225, 100, 200 - 6}, {315, 100 - 7, 200 - 5 - 6}};
    for (const Case& k : cases) {
        TRect q(0, 0, 100, 200);
        TExStringGrid::PlaceRotatedText(q, 1, 2, 5, 6, 3, 7, k.Angle);
        EXPECT_EQ(q.Left, k.XRight) << k.Angle;
        EXPECT_EQ(q.Top, k.YBottom) << k.Angle;
    }
}

} // namespace
