#pragma once
// The printer: a print job of pages drawn on a canvas, the page layout it
// prints with, and the dialogs that choose a printer and preview a job.
//
// A job runs from BeginDoc to EndDoc (or Abort); between them Canvas draws on
// the current page in device pixels of the printer's resolution, its origin
// at the top-left corner of the printable area, and NewPage starts the next
// page. PageWidth and PageHeight are the printable area in device pixels.
// With an output file name the job is written as a PDF file instead of going
// to a printer (written beside the target and moved over it when the job
// ends, so that an aborted or failed job leaves no half file).
//
// Test seam: the print and preview dialogs take their answers from
// DialogSeam (QueuePrintAnswer); unanswered they fail the test instead of
// waiting (platform/Dialogs.h).

#include <functional>
#include <memory>
#include <stdexcept>

#include "platform/Component.h"
#include "platform/Types.h"

class TPrinterDevice;
class TCanvas;
class TStrings;

enum TPrinterOrientation { poPortrait, poLandscape };

// The paper sizes the layout offers.
enum TPaperSize { psA4, psA3, psA5, psLetter, psLegal };

// A printer operation at the wrong time ("Printing in progress", "Printer is
// not currently printing") or a job the device refused.
class EPrinter : public std::runtime_error {
public:
    explicit EPrinter(const QString& Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};

// GetDeviceCaps indexes the printer answers.
constexpr Integer HORZRES = 8;
constexpr Integer VERTRES = 10;
constexpr Integer LOGPIXELSX = 88;
constexpr Integer LOGPIXELSY = 90;
constexpr Integer PHYSICALWIDTH = 110;
constexpr Integer PHYSICALHEIGHT = 111;
constexpr Integer PHYSICALOFFSETX = 112;
constexpr Integer PHYSICALOFFSETY = 113;

class TPrinter : public TObject {
public:
    TPrinter();
    // Prints through a device someone else owns (a preview's); not freed.
    explicit TPrinter(TPrinterDevice* Device);
    ~TPrinter() override;
    QString ClassName() const override { return QStringLiteral("TPrinter"); }

    // ---- the job
    void BeginDoc();
    void EndDoc();
    // Ends the job and throws its pages away.
    void Abort();
    void NewPage();
    bool Printing() const { return FPrinting; }
    bool Aborted() const { return FAborted; }
    // 1-based number of the page being drawn; 0 outside a job.
    Integer PageNumber() const { return FPageNumber; }
    // The page's canvas (MM_TEXT, fonts at the printer's resolution); it
    // draws only between BeginDoc and EndDoc.
    TCanvas* Canvas() const { return FCanvas.get(); }

    // ---- page layout (refused while printing)
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation Value);
    TPaperSize PaperSize() const { return FPaperSize; }
    void SetPaperSize(TPaperSize Value);
    // Margins of the printable area, in millimetres.
    TRect Margins() const;
    void SetMargins(const TRect& Millimetres);
    Integer Copies() const;
    void SetCopies(Integer Value);
    // Dots per inch of the output.
    Integer Resolution() const;
    void SetResolution(Integer Dpi);
    // The job's name in the printer queue.
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& Value);

    // ---- the device
    Integer PageWidth() const;
    Integer PageHeight() const;
    // The device capability named by one of the indexes above.
    Integer GetDeviceCaps(Integer Index) const;
    // The angle landscape pages are turned by: 90, or 0 when the device
    // cannot print landscape.
    Integer LandscapeAngle() const { return 90; }
    // The printers installed; the first is the default.
    static QStringList Printers();
    QString PrinterName() const;
    void SetPrinterName(const QString& Name);
    // PDF output into this file instead of a printer; empty: the printer.
    QString OutputFileName() const { return FOutputFileName; }
    void SetOutputFileName(const QString& Value);
    // The device behind the printer (the dialogs configure it).
    TPrinterDevice* Device() const { return FDevice; }

private:
    void CheckNotPrinting() const;
    void EndJob(bool Keep);

    std::unique_ptr<TPrinterDevice> FOwnDevice;
    TPrinterDevice* FDevice;
    std::unique_ptr<TCanvas> FCanvas;
    struct TJob;
    std::unique_ptr<TJob> FJob;
    QString FTitle;
    QString FOutputFileName;
    TPaperSize FPaperSize = psA4;
    bool FPrinting = false;
    bool FAborted = false;
    Integer FPageNumber = 0;
};

// The program's printer, made on first use.
TPrinter* Printer();
// Replaces the program's printer with Value (the old one is freed); returns Value.
TPrinter* SetPrinter(TPrinter* Value);

// The system's print dialog over a printer: Execute shows it with the
// printer's settings and, when the user prints, keeps what was chosen
// (printer, orientation, paper, copies, page range).
class TPrintDialog : public TComponent {
public:
    explicit TPrintDialog(TComponent* AOwner) : TComponent(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TPrintDialog"); }
    // True when the user chose to print.
    virtual bool Execute();
    // The printer configured (null: the program's printer).
    TPrinter* Target() const { return FTarget; }
    void SetTarget(TPrinter* Value) { FTarget = Value; }
    // Pages the user may pick from, and the range picked (0: all pages).
    Integer MinPage() const { return FMinPage; }
    void SetMinPage(Integer Value) { FMinPage = Value; }
    Integer MaxPage() const { return FMaxPage; }
    void SetMaxPage(Integer Value) { FMaxPage = Value; }
    Integer FromPage() const { return FFromPage; }
    void SetFromPage(Integer Value) { FFromPage = Value; }
    Integer ToPage() const { return FToPage; }
    void SetToPage(Integer Value) { FToPage = Value; }

private:
    TPrinter* FTarget = nullptr;
    Integer FMinPage = 1, FMaxPage = 9999, FFromPage = 0, FToPage = 0;
};

// The system's print preview: the pages OnPaintRequest prints on the printer
// it is handed are shown, and printed on the target printer when the user
// asks for it.
class TPrintPreviewDialog : public TComponent {
public:
    explicit TPrintPreviewDialog(TComponent* AOwner) : TComponent(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TPrintPreviewDialog"); }
    // True when the user printed from the preview.
    virtual bool Execute();
    TPrinter* Target() const { return FTarget; }
    void SetTarget(TPrinter* Value) { FTarget = Value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    // Prints the whole job (BeginDoc .. EndDoc) on the printer given.
    std::function<void(TPrintPreviewDialog* Sender, TPrinter* APrinter)> OnPaintRequest;

private:
    TPrinter* FTarget = nullptr;
    QString FCaption;
};
