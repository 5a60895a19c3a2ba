// Printing the tree: the rendered tree cut into pages at the printer's text
// scale (a small tree on one page, a long one down several), the header
// printed or left out, no printer doing nothing, and the tree left as it was.
#include "treeview/NodeTrees.h"
#include "treeview/NodeTreesUtils.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "HeaderFixture.h"
#include "PdfReader.h"

using namespace testsupport;

namespace {

class TreePrintTest : public THeaderTreeFixture {
protected:
    void SetUp() override
    {
        THeaderTreeFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        printer.SetResolution(150);
        printer.SetOutputFileName(Pdf());
    }
    QString Pdf() const { return dir.path() + QStringLiteral("/tree.pdf"); }

    // Dark pixels in rows [From, To) of a page picture.
    static int InkRows(const QImage& Img, int From, int To)
    {
        int n = 0;
        for (int y = std::max(0, From); y < std::min(To, Img.height()); ++y)
            for (int x = 0; x < Img.width(); ++x)
                n += qGray(Img.pixel(x, y)) < 128;
        return n;
    }

    // Light grey pixels (a header face) in the first Rows rows.
    static int Grey(const QImage& Img, int Rows)
    {
        int n = 0;
        for (int y = 0; y < std::min(Rows, Img.height()); ++y)
            for (int x = 0; x < Img.width(); ++x) {
                const int g = qGray(Img.pixel(x, y));
                n += g > 180 && g < 240;
            }
        return n;
    }

    QTemporaryDir dir;
    TPrinter printer;
};

TEST_F(TreePrintTest, SmallTreePrintsOnePageWithItsHeader)
{
    Fill();
    ShowForm();
    const TColor color = tree->Color();
    tree->Print(&printer, true);
    EXPECT_EQ(PdfPageCount(Pdf()), 1);
    EXPECT_EQ(tree->Color(), color);
    EXPECT_FALSE(printer.Printing());
    const QImage withHeader = PdfPageScreenshot(Pdf(), 1, QStringLiteral("TNodeStringTree-print-page1"), 100);
    ASSERT_FALSE(withHeader.isNull());
    // The picture is stretched by the text scale: the tree's 400 pixels
    // take 400 / 96 inches of paper, at 100 dots per inch about 417 dots.
    int right = 0;
    for (int x = 0; x < withHeader.width(); ++x)
        for (int y = 0; y < withHeader.height(); ++y)
            if (qGray(withHeader.pixel(x, y)) < 250)
                right = std::max(right, x);
    EXPECT_NEAR(right, tree->ClientWidth() * 100 / 96, 12);

    tree->Print(&printer, false);
    const QImage without = PdfPageScreenshot(Pdf(), 1, QStringLiteral("TNodeStringTree-print-noheader"), 100);
    // The header strip's grey face fills the top rows only with the header.
    const int headerRows = header->Height() * 100 / 96;
    EXPECT_GT(Grey(withHeader, headerRows), 20 * Grey(without, headerRows) + 1000);
}

TEST_F(TreePrintTest, LongTreeRunsDownSeveralPagesAndNoPrinterDoesNothing)
{
    for (Integer i = 0; i < 400; ++i)
        Add(nullptr, i, i);
    ShowForm();
    tree->Print(nullptr, true);
    EXPECT_FALSE(QFile::exists(Pdf()));
    tree->Print(&printer, false);
    // 400 rows of the default height, pages of the printable height at the
    // printer's text scale (about 96 screen pixels an inch).
    const double rows = 400.0 * tree->DefaultNodeHeight();
    const double pageRows = printer.PageHeight() * 96.0 / printer.Resolution();
    const int pages = PdfPageCount(Pdf());
    EXPECT_NEAR(pages, std::ceil(rows / pageRows), 1);
    EXPECT_GE(pages, 2);
    const QImage last = PdfPageScreenshot(Pdf(), pages, QStringLiteral("TNodeStringTree-print-lastpage"), 50);
    EXPECT_GT(InkRows(last, 0, last.height()), 0);
}

TEST_F(TreePrintTest, TreeExactlyOnePageHighPrintsOnePage)
{
    // The page height in screen pixels, as the printing works it out.
    TCanvas probe;
    probe.SetFontPixelsPerInch(printer.Resolution());
    probe.Font()->Assign(tree->Font());
    const double scale = double(probe.TextHeight(QStringLiteral("Tj"))) / tree->Canvas()->TextHeight(QStringLiteral("Tj"));
    const Integer pageHeight = Integer(std::lround(printer.PageHeight() / scale));
    ASSERT_GT(pageHeight, 300);
    tree->SetBounds(10, 10, 300, 100);
    tree->SetBounds(10, 10, 300, pageHeight + tree->Height() - tree->ClientHeight());
    ASSERT_EQ(tree->GetTreeRect().Height(), pageHeight);
    tree->Print(&printer, false);
    EXPECT_EQ(PdfPageCount(Pdf()), 1);
}

TEST(TreePrintUtils, StretchBitmapToCanvasScalesTheWholeBitmap)
{
    TBitmap src(2, 2);
    src.Canvas()->Brush()->SetColor(clRed);
    src.Canvas()->FillRect(TRect(0, 0, 1, 2));
    src.Canvas()->Brush()->SetColor(clBlue);
    src.Canvas()->FillRect(TRect(1, 0, 2, 2));
    TBitmap dst(20, 10);
    StretchBitmapToCanvas(dst.Canvas(), TRect(0, 0, 20, 10), &src);
    const QImage img = dst.Image();
    EXPECT_EQ(QColor(img.pixel(3, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(16, 5)), QColor(Qt::blue));
}

} // namespace
