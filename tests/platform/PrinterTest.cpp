// The printer: jobs written as PDF (pages, paper, orientation, the text on
// them), jobs refused at the wrong time, an aborted job that leaves the old
// file alone, the canvas's tenth-of-a-millimetre mapping mode, and the print
// and preview dialogs answered through the seam.
#include "platform/Printers.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/DrawText.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PdfReader.h"
#include "QtPrint.h"

using namespace testsupport;

namespace {

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        printer.SetResolution(300);
        printer.SetOutputFileName(Pdf());
    }
    QString Pdf(const QString& name = QStringLiteral("job.pdf")) const { return dir.path() + u'/' + name; }

    QTemporaryDir dir;
    TPrinter printer;
};

TEST_F(PrinterTest, JobOfTwoPagesIsWrittenWithItsTextAndPaper)
{
    printer.SetTitle(QStringLiteral("Rule table"));
    EXPECT_EQ(printer.GetDeviceCaps(LOGPIXELSX), 300);
    // A4 less the margins, at 300 dots per inch.
    EXPECT_NEAR(printer.GetDeviceCaps(PHYSICALWIDTH), 2480, 2);
    EXPECT_LT(printer.PageWidth(), printer.GetDeviceCaps(PHYSICALWIDTH));
    printer.BeginDoc();
    EXPECT_TRUE(printer.Printing());
    EXPECT_EQ(printer.PageNumber(), 1);
    TCanvas* c = printer.Canvas();
    c->Font()->SetName(QStringLiteral("DejaVu Sans"));
    c->Font()->SetSize(12);
    c->TextOut(100, 100, QStringLiteral("First page"));
    // A 12-point font is 12 points high at the printer's resolution.
    EXPECT_NEAR(c->TextHeight(QStringLiteral("Tj")), 12 * 300 / 72 * 1.15, 12);
    printer.NewPage();
    EXPECT_EQ(printer.PageNumber(), 2);
    c->TextOut(100, 100, QStringLiteral("Second page"));
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());

    EXPECT_EQ(PdfPageCount(Pdf()), 2);
    const QSizeF size = PdfPageSize(Pdf());
    EXPECT_NEAR(size.width(), 595, 1);
    EXPECT_NEAR(size.height(), 842, 1);
    EXPECT_TRUE(PdfText(Pdf(), 1).contains(QStringLiteral("First page")));
    EXPECT_TRUE(PdfText(Pdf(), 2).contains(QStringLiteral("Second page")));
    EXPECT_FALSE(QFile::exists(Pdf() + QStringLiteral(".part")));
}

TEST_F(PrinterTest, LayoutSettingsReachThePaper)
{
    printer.SetOrientation(poLandscape);
    printer.SetPaperSize(psA5);
    printer.SetMargins(TRect(20, 10, 20, 10));
    printer.SetCopies(2);
    EXPECT_EQ(printer.Orientation(), poLandscape);
    EXPECT_EQ(printer.Margins(), TRect(20, 10, 20, 10));
    EXPECT_EQ(printer.Copies(), 2);
    // A5 landscape is 210 x 148 mm; the margins take 40 and 20 mm.
    EXPECT_NEAR(printer.PageWidth(), (210 - 40) / 25.4 * 300, 8);
    EXPECT_NEAR(printer.PageHeight(), (148 - 20) / 25.4 * 300, 8);
    printer.BeginDoc();
    printer.Canvas()->TextOut(0, 0, QStringLiteral("Landscape"));
    printer.EndDoc();
    const QSizeF size = PdfPageSize(Pdf());
    EXPECT_NEAR(size.width(), 595, 1);
    EXPECT_NEAR(size.height(), 420, 1);
}

TEST_F(PrinterTest, WrongTimesAreRefusedAndAnAbortedJobKeepsTheOldFile)
{
    EXPECT_THROW(printer.EndDoc(), EPrinter);
    EXPECT_THROW(printer.NewPage(), EPrinter);
    QFile old(Pdf());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    printer.BeginDoc();
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    try {
        printer.SetOrientation(poLandscape);
        ADD_FAILURE() << "orientation changed while printing";
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Printing in progress"));
    }
    printer.Canvas()->TextOut(0, 0, QStringLiteral("Never"));
    printer.Abort();
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(printer.Printing());
    QFile again(Pdf());
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(Pdf() + QStringLiteral(".part")));
}

TEST_F(PrinterTest, OutputIntoAMissingFolderFailsAsAnError)
{
    printer.SetOutputFileName(dir.path() + QStringLiteral("/missing/job.pdf"));
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    EXPECT_FALSE(printer.Printing());
}

// ---- the tenth-of-a-millimetre mapping mode

TEST(CanvasMapMode, LometricIsTenthsOfAMillimetreWithYUpAndUprightText)
{
    TBitmap bmp(400, 400);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 400, 400));
    ASSERT_EQ(c->DeviceDPIX(), 96);
    c->SetMapMode(MM_LOMETRIC);
    // One inch down and across: y is negative below the top.
    EXPECT_EQ(c->LPtoDP(TPoint(254, -254)), TPoint(96, 96));
    EXPECT_EQ(c->DPtoLP(TPoint(96, 96)), TPoint(254, -254));
    const TRect clip = c->ClipRect();
    EXPECT_EQ(clip.Left, 0);
    EXPECT_EQ(clip.Top, 0);
    EXPECT_NEAR(clip.Right, 1058, 1);
    EXPECT_NEAR(clip.Bottom, -1058, 1);
    // A rectangle given top above bottom fills one inch square.
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect(0, 0, 254, -254));
    QImage img = bmp.Image();
    EXPECT_EQ(QColor(img.pixel(10, 10)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(94, 94)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(98, 98)), QColor(Qt::white));

    // Text placed by its top-left corner runs downward and reads upright:
    // the ink of "T" lies across its top. (Reading the pixels ended the
    // drawing context, and with it the mapping mode.)
    EXPECT_EQ(c->MapMode(), MM_TEXT);
    c->SetMapMode(MM_LOMETRIC);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetName(QStringLiteral("DejaVu Sans"));
    c->Font()->SetHeight(-100); // 1 cm
    c->Font()->SetColor(clBlack);
    c->TextOut(400, -400, QStringLiteral("T"));
    // DrawText measures downward from the rectangle's top.
    TRect r(0, -500, 2000, -500);
    const Integer h = DrawText(c, QStringLiteral("Line"), r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(h, 90);
    EXPECT_EQ(r.Top, -500);
    EXPECT_EQ(r.Bottom, -500 - h);
    img = bmp.Image();
    auto inkRow = [&](int y) {
        int n = 0;
        for (int x = 150; x < 200; ++x)
            n += qGray(img.pixel(x, y)) < 128;
        return n;
    };
    // The glyph's bar (wide) is above its stem (narrow), below y = 151 px.
    int top = -1;
    for (int y = 151; y < 200 && top < 0; ++y)
        if (inkRow(y) > 0)
            top = y;
    ASSERT_GT(top, 0);
    EXPECT_GT(inkRow(top + 1), inkRow(top + 20));

    c->SetMapMode(MM_TEXT);
    EXPECT_EQ(c->LPtoDP(TPoint(254, 254)), TPoint(254, 254));
}

// ---- dialogs through the seam

TEST_F(PrinterTest, PrintDialogTakesTheQueuedAnswer)
{
    TPrintDialog dlg(nullptr);
    dlg.SetTarget(&printer);
    DialogSeam::QueuePrintAnswer(true);
    EXPECT_TRUE(dlg.Execute());
    DialogSeam::QueuePrintAnswer(false);
    EXPECT_FALSE(dlg.Execute());
    ASSERT_EQ(DialogSeam::Shown().size(), 2u);
    EXPECT_EQ(DialogSeam::Shown()[0].Kind, TShownDialog::PrintDialog);
    EXPECT_EQ(DialogSeam::Shown()[0].Result, 1);
    EXPECT_EQ(DialogSeam::Shown()[1].Result, 0);
    EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
}

TEST_F(PrinterTest, PreviewShowsThePagesAndPrintsThemWhenAsked)
{
    TPrintPreviewDialog dlg(nullptr);
    dlg.SetTarget(&printer);
    dlg.SetCaption(QStringLiteral("Preview"));
    int requests = 0;
    dlg.OnPaintRequest = [&](TPrintPreviewDialog*, TPrinter* p) {
        ++requests;
        p->BeginDoc();
        p->Canvas()->TextOut(50, 50, QStringLiteral("Previewed"));
        p->NewPage();
        p->Canvas()->TextOut(50, 50, QStringLiteral("Again"));
        p->EndDoc();
    };
    // Closed: the pages were shown, nothing printed.
    DialogSeam::QueuePrintAnswer(false);
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(QFile::exists(Pdf()));
    const TShownDialog shown = DialogSeam::Shown().back();
    EXPECT_EQ(shown.Kind, TShownDialog::PrintPreview);
    EXPECT_EQ(shown.Caption, QStringLiteral("Preview"));
    EXPECT_EQ(PdfPageCount(shown.FileName), 2);
    EXPECT_TRUE(PdfText(shown.FileName, 1).contains(QStringLiteral("Previewed")));
    QFile::remove(shown.FileName);
    // Printed from the preview: the target printer gets the job.
    DialogSeam::QueuePrintAnswer(true);
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(requests, 3);
    EXPECT_EQ(PdfPageCount(Pdf()), 2);
    QFile::remove(DialogSeam::Shown().back().FileName);
}

} // namespace
