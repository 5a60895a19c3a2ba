#pragma once
// Parts of the platform that need a Qt library most sessions never use
// (networking for the version check, printing) live in modules of their own,
// loaded the first time they are needed: the program does not load those
// libraries, and what they pull in, at every start.
//
// A module is a shared library named lib<Name>.so, looked for beside the
// program, then in the folder the build put it in.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QUrl;

// The entry point Symbol of module Name; null when the module or the symbol
// cannot be loaded (Error then says why). A loaded module stays loaded.
void* ModuleSymbol(const char* Name, const char* Symbol, QString* Error = nullptr);

// ---- the HTTP module (arvinto_http)

struct THttpOutcome {
    bool Ok = false;     // a 2xx reply arrived whole
    int Status = 0;      // the reply's status code, 0 when there was none
    QByteArray Body;
    QByteArray ContentType;  // lower case
};

// One GET, redirects not followed, on the calling thread's own event loop.
using THttpFetch = void (*)(const QUrl& Url, int TimeoutMs, THttpOutcome& Out);
constexpr const char* HttpModule = "arvinto_http";
constexpr const char* HttpFetchSymbol = "ArvintoHttpFetch";

// ---- the print module (arvinto_print)

// A printer device: the page layout and painting through the paged paint
// device, the rest of the printer's settings here.
class TPrinterDevice {
public:
    virtual ~TPrinterDevice() = default;
    virtual QPagedPaintDevice* Paged() = 0;
    virtual void SetDocName(const QString& Name) = 0;
    // PDF output into File; empty: the printer itself.
    virtual void SetOutputFile(const QString& File) = 0;
    virtual bool Abort() = 0;
    virtual int CopyCount() const = 0;
    virtual void SetCopyCount(int Count) = 0;
    virtual int Resolution() const = 0;
    virtual void SetResolution(int Dpi) = 0;
    virtual QString PrinterName() const = 0;
    virtual void SetPrinterName(const QString& Name) = 0;
};

class TPrintSupport {
public:
    virtual ~TPrintSupport() = default;
    // A high-resolution printer on the default printer, A4, not full page.
    virtual std::unique_ptr<TPrinterDevice> NewDevice() = 0;
    virtual QStringList PrinterNames() = 0;
    // The print dialog over Device: true when the user prints; From and To
    // are the page range chosen, both 0 for all pages.
    virtual bool ExecPrintDialog(TPrinterDevice* Device, int MinPage, int MaxPage, int& From, int& To) = 0;
    // The print preview over Device: Paint prints the pages on the device
    // it is handed; true when the user printed.
    virtual bool ExecPreview(TPrinterDevice* Device, const QString& Caption,
                             const std::function<void(TPrinterDevice*)>& Paint) = 0;
};

using TPrintSupportEntry = TPrintSupport* (*)();
constexpr const char* PrintModule = "arvinto_print";
constexpr const char* PrintSupportSymbol = "ArvintoPrintSupport";
