#include "platform/Printers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTemporaryFile>

#include <filesystem>

#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/Modules.h"

// ------------------------------------------------------------------ printer

struct TPrinter::TJob {
    std::unique_ptr<QPainter> Painter;
    QString PartFile; // the PDF being written, beside the output file
};

namespace {

// Qt Print Support is loaded with the first printer, not with the program.
TPrintSupport* PrintSupport()
{
    QString why;
    auto entry = reinterpret_cast<TPrintSupportEntry>(ModuleSymbol(PrintModule, PrintSupportSymbol, &why));
    if (entry == nullptr)
        throw EPrinter(QStringLiteral("Printing is not available: ") + why);
    return entry();
}

} // namespace

TPrinter::TPrinter() : FOwnDevice(PrintSupport()->NewDevice()), FDevice(FOwnDevice.get()), FCanvas(std::make_unique<TCanvas>())
{
}

TPrinter::TPrinter(TPrinterDevice* Device) : FDevice(Device), FCanvas(std::make_unique<TCanvas>()) {}

TPrinter::~TPrinter()
{
    if (FPrinting)
        EndJob(false);
}

void TPrinter::CheckNotPrinting() const
{
    if (FPrinting)
        throw EPrinter(QStringLiteral("Printing in progress"));
}

void TPrinter::BeginDoc()
{
    CheckNotPrinting();
    FJob = std::make_unique<TJob>();
    FDevice->SetDocName(FTitle);
    if (!FOutputFileName.isEmpty()) {
        FJob->PartFile = FOutputFileName + QStringLiteral(".part");
        FDevice->SetOutputFile(FJob->PartFile);
    }
    FJob->Painter = std::make_unique<QPainter>();
    if (!FJob->Painter->begin(FDevice->Paged())) {
        FJob.reset();
        throw EPrinter(QStringLiteral("The printer could not start the job"));
    }
    FPrinting = true;
    FAborted = false;
    FPageNumber = 1;
    FCanvas->BeginPaint(FJob->Painter.get());
    FCanvas->SetFontPixelsPerInch(Resolution());
}

void TPrinter::EndJob(bool Keep)
{
    FCanvas->EndPaint();
    bool written = true;
    if (FJob && FJob->Painter) {
        if (!Keep && FJob->PartFile.isEmpty())
            FDevice->Abort();
        written = FJob->Painter->end();
    }
    const QString part = FJob ? FJob->PartFile : QString();
    FJob.reset();
    FPrinting = false;
    FPageNumber = 0;
    if (part.isEmpty()) {
        if (Keep && !written)
            throw EPrinter(QStringLiteral("The print job could not be completed"));
        return;
    }
    if (!Keep || !written) {
        QFile::remove(part);
        if (Keep)
            throw EPrinter(QStringLiteral("Cannot write file ") + FOutputFileName);
        return;
    }
    // The finished file replaces the old one in one step.
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(part).toStdString(), QFile::encodeName(FOutputFileName).toStdString(), ec);
    if (ec) {
        QFile::remove(part);
        throw EPrinter(QStringLiteral("Cannot write file ") + FOutputFileName);
    }
}

void TPrinter::EndDoc()
{
    if (!FPrinting)
        throw EPrinter(QStringLiteral("Printer is not currently printing"));
    EndJob(true);
}

void TPrinter::Abort()
{
    if (!FPrinting)
        throw EPrinter(QStringLiteral("Printer is not currently printing"));
    EndJob(false);
    FAborted = true;
}

void TPrinter::NewPage()
{
    if (!FPrinting)
        throw EPrinter(QStringLiteral("Printer is not currently printing"));
    FDevice->Paged()->newPage();
    ++FPageNumber;
    // A new page starts with a fresh drawing state, as the device gives it.
    FCanvas->EndPaint();
    FCanvas->BeginPaint(FJob->Painter.get());
}

TPrinterOrientation TPrinter::Orientation() const
{
    return FDevice->Paged()->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value)
{
    CheckNotPrinting();
    FDevice->Paged()->setPageOrientation(Value == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TPrinter::SetPaperSize(TPaperSize Value)
{
    CheckNotPrinting();
    static const QPageSize::PageSizeId ids[] = {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::Letter,
                                                QPageSize::Legal};
    FDevice->Paged()->setPageSize(QPageSize(ids[Value]));
    FPaperSize = Value;
}

TRect TPrinter::Margins() const
{
    const QMarginsF m = FDevice->Paged()->pageLayout().margins(QPageLayout::Millimeter);
    return TRect(Integer(std::lround(m.left())), Integer(std::lround(m.top())), Integer(std::lround(m.right())),
                 Integer(std::lround(m.bottom())));
}

void TPrinter::SetMargins(const TRect& Millimetres)
{
    CheckNotPrinting();
    FDevice->Paged()->setPageMargins(QMarginsF(Millimetres.Left, Millimetres.Top, Millimetres.Right, Millimetres.Bottom),
                            QPageLayout::Millimeter);
}

Integer TPrinter::Copies() const { return FDevice->CopyCount(); }

void TPrinter::SetCopies(Integer Value)
{
    CheckNotPrinting();
    FDevice->SetCopyCount(std::max(1, Value));
}

Integer TPrinter::Resolution() const { return FDevice->Resolution(); }

void TPrinter::SetResolution(Integer Dpi)
{
    CheckNotPrinting();
    FDevice->SetResolution(std::max(1, Dpi));
}

void TPrinter::SetTitle(const QString& Value)
{
    CheckNotPrinting();
    FTitle = Value;
}

Integer TPrinter::PageWidth() const { return FDevice->Paged()->width(); }
Integer TPrinter::PageHeight() const { return FDevice->Paged()->height(); }

Integer TPrinter::GetDeviceCaps(Integer Index) const
{
    const Integer dpi = Resolution();
    const QRect paper = FDevice->Paged()->pageLayout().fullRectPixels(dpi);
    const QRect page = FDevice->Paged()->pageLayout().paintRectPixels(dpi);
    switch (Index) {
    case HORZRES: return PageWidth();
    case VERTRES: return PageHeight();
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case PHYSICALWIDTH: return paper.width();
    case PHYSICALHEIGHT: return paper.height();
    case PHYSICALOFFSETX: return page.left() - paper.left();
    case PHYSICALOFFSETY: return page.top() - paper.top();
    default: return 0;
    }
}

QStringList TPrinter::Printers() { return PrintSupport()->PrinterNames(); }

QString TPrinter::PrinterName() const { return FDevice->PrinterName(); }

void TPrinter::SetPrinterName(const QString& Name)
{
    CheckNotPrinting();
    FDevice->SetPrinterName(Name);
}

void TPrinter::SetOutputFileName(const QString& Value)
{
    CheckNotPrinting();
    FOutputFileName = Value;
    if (Value.isEmpty())
        FDevice->SetOutputFile(QString());
}

namespace {

std::unique_ptr<TPrinter>& ProgramPrinter()
{
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

// The printer's device goes while Qt is still there.
void FreeProgramPrinter() { ProgramPrinter().reset(); }

} // namespace

TPrinter* Printer()
{
    auto& p = ProgramPrinter();
    if (!p) {
        p = std::make_unique<TPrinter>();
        qAddPostRoutine(FreeProgramPrinter);
    }
    return p.get();
}

TPrinter* SetPrinter(TPrinter* Value)
{
    auto& p = ProgramPrinter();
    if (!p)
        qAddPostRoutine(FreeProgramPrinter);
    p.reset(Value);
    return Value;
}

// ------------------------------------------------------------------ dialogs

bool TPrintDialog::Execute()
{
    TPrinter* target = FTarget ? FTarget : Printer();
    TShownDialog d;
    d.Kind = TShownDialog::PrintDialog;
    d.Caption = QStringLiteral("Print");
    d.FileName = target->PrinterName();
    if (DialogSeam::TakePrintAnswer(d))
        return d.Result == 1;
    int from = int(FFromPage), to = int(FToPage);
    Application->ModalStarted();
    const bool ok = PrintSupport()->ExecPrintDialog(target->Device(), int(FMinPage), int(FMaxPage), from, to);
    Application->ModalFinished();
    if (ok) {
        FFromPage = from;
        FToPage = to;
    }
    d.Answered = true;
    d.Result = ok ? 1 : 0;
    d.FileName = target->PrinterName();
    DialogSeam::Record(d);
    return ok;
}

bool TPrintPreviewDialog::Execute()
{
    TPrinter* target = FTarget ? FTarget : Printer();
    TShownDialog d;
    d.Kind = TShownDialog::PrintPreview;
    d.Caption = FCaption;
    if (DialogSeam::WillAnswerPrint()) {
        // The pages the preview would show, kept as a PDF file for the test.
        QTemporaryFile file(QDir::tempPath() + QStringLiteral("/preview-XXXXXX.pdf"));
        file.setAutoRemove(false);
        if (file.open()) {
            d.FileName = file.fileName();
            file.close();
            TPrinter pages;
            pages.SetOrientation(target->Orientation());
            pages.SetPaperSize(target->PaperSize());
            pages.SetMargins(target->Margins());
            pages.SetResolution(target->Resolution());
            pages.SetOutputFileName(d.FileName);
            if (OnPaintRequest)
                OnPaintRequest(this, &pages);
        }
        DialogSeam::TakePrintAnswer(d);
        if (d.Result == 1 && OnPaintRequest)
            OnPaintRequest(this, target);
        return d.Result == 1;
    }
    TPrinterDevice* device = target->Device();
    if (!target->OutputFileName().isEmpty())
        device->SetOutputFile(target->OutputFileName());
    Application->ModalStarted();
    const bool printed = PrintSupport()->ExecPreview(device, FCaption, [this](TPrinterDevice* shownDevice) {
        TPrinter shown(shownDevice);
        if (OnPaintRequest)
            OnPaintRequest(this, &shown);
    });
    Application->ModalFinished();
    d.Answered = true;
    d.Result = printed ? 1 : 0;
    DialogSeam::Record(d);
    return printed;
}
