// The print module: the printer device, the print dialog and the preview
// over Qt Print Support, loaded by TPrinter when the first printer is made.

#include "platform/Modules.h"

#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

class TQtPrinterDevice : public TPrinterDevice {
public:
    // Owns a new printer, or works on one a preview owns.
    explicit TQtPrinterDevice(QPrinter* Shown = nullptr) : FPrinter(Shown)
    {
        if (FPrinter == nullptr) {
            FOwn = std::make_unique<QPrinter>(QPrinter::HighResolution);
            FPrinter = FOwn.get();
            FPrinter->setPageSize(QPageSize(QPageSize::A4));
            FPrinter->setFullPage(false);
        }
    }
    QPrinter* Printer() const { return FPrinter; }
    QPagedPaintDevice* Paged() override { return FPrinter; }
    void SetDocName(const QString& Name) override { FPrinter->setDocName(Name); }
    void SetOutputFile(const QString& File) override
    {
        if (File.isEmpty()) {
            FPrinter->setOutputFileName(QString());
            FPrinter->setOutputFormat(QPrinter::NativeFormat);
        } else {
            FPrinter->setOutputFormat(QPrinter::PdfFormat);
            FPrinter->setOutputFileName(File);
        }
    }
    bool Abort() override { return FPrinter->abort(); }
    int CopyCount() const override { return FPrinter->copyCount(); }
    void SetCopyCount(int Count) override { FPrinter->setCopyCount(Count); }
    int Resolution() const override { return FPrinter->resolution(); }
    void SetResolution(int Dpi) override { FPrinter->setResolution(Dpi); }
    QString PrinterName() const override { return FPrinter->printerName(); }
    void SetPrinterName(const QString& Name) override { FPrinter->setPrinterName(Name); }

private:
    std::unique_ptr<QPrinter> FOwn;
    QPrinter* FPrinter;
};

QPrinter* PrinterOf(TPrinterDevice* Device)
{
    return static_cast<TQtPrinterDevice*>(Device)->Printer();
}

class TQtPrintSupport : public TPrintSupport {
public:
    std::unique_ptr<TPrinterDevice> NewDevice() override { return std::make_unique<TQtPrinterDevice>(); }
    QStringList PrinterNames() override { return QPrinterInfo::availablePrinterNames(); }
    bool ExecPrintDialog(TPrinterDevice* Device, int MinPage, int MaxPage, int& From, int& To) override
    {
        QPrinter* printer = PrinterOf(Device);
        QPrintDialog dlg(printer);
        dlg.setMinMax(MinPage, MaxPage);
        if (From > 0 && To >= From) {
            dlg.setFromTo(From, To);
            dlg.setPrintRange(QAbstractPrintDialog::PageRange);
        }
        if (dlg.exec() != QDialog::Accepted)
            return false;
        const bool range = printer->printRange() == QPrinter::PageRange;
        From = range ? printer->fromPage() : 0;
        To = range ? printer->toPage() : 0;
        return true;
    }
    bool ExecPreview(TPrinterDevice* Device, const QString& Caption,
                     const std::function<void(TPrinterDevice*)>& Paint) override
    {
        QPrintPreviewDialog dlg(PrinterOf(Device));
        if (!Caption.isEmpty())
            dlg.setWindowTitle(Caption);
        QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, [&Paint](QPrinter* shown) {
            TQtPrinterDevice device(shown);
            Paint(&device);
        });
        return dlg.exec() == QDialog::Accepted;
    }
};

} // namespace

extern "C" Q_DECL_EXPORT TPrintSupport* ArvintoPrintSupport()
{
    static TQtPrintSupport support;
    return &support;
}
