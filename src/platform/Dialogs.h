#pragma once
// Message boxes and the file open and save dialogs.
//
// Test seam (DialogSeam): a test queues the answers of the boxes and the file
// names of the dialogs it expects, and reads back what was shown. With the
// seam strict (tests) or with no screen to show on, a box or dialog nobody
// answered is reported to the unanswered handler at once (the test fails)
// and gets its cancel answer instead of waiting.

#include <functional>
#include <vector>
#include "platform/Component.h"
#include "platform/Types.h"

// Buttons and icons of a message box (Flags), and its answers.
constexpr Cardinal MB_OK = 0x0;
constexpr Cardinal MB_OKCANCEL = 0x1;
constexpr Cardinal MB_ABORTRETRYIGNORE = 0x2;
constexpr Cardinal MB_YESNOCANCEL = 0x3;
constexpr Cardinal MB_YESNO = 0x4;
constexpr Cardinal MB_RETRYCANCEL = 0x5;
constexpr Cardinal MB_TYPEMASK = 0xF;
constexpr Cardinal MB_ICONHAND = 0x10;
constexpr Cardinal MB_ICONSTOP = MB_ICONHAND;
constexpr Cardinal MB_ICONERROR = MB_ICONHAND;
constexpr Cardinal MB_ICONQUESTION = 0x20;
constexpr Cardinal MB_ICONEXCLAMATION = 0x30;
constexpr Cardinal MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr Cardinal MB_ICONASTERISK = 0x40;
constexpr Cardinal MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr Cardinal MB_ICONMASK = 0xF0;
constexpr Cardinal MB_DEFBUTTON1 = 0x000;
constexpr Cardinal MB_DEFBUTTON2 = 0x100;
constexpr Cardinal MB_DEFBUTTON3 = 0x200;

constexpr Integer IDOK = 1;
constexpr Integer IDCANCEL = 2;
constexpr Integer IDABORT = 3;
constexpr Integer IDRETRY = 4;
constexpr Integer IDIGNORE = 5;
constexpr Integer IDYES = 6;
constexpr Integer IDNO = 7;

// Shows a box and returns the ID of the button pressed.
Integer ShowMessageBox(const QString& Text, const QString& Caption, Cardinal Flags);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : Word {
    mbYes = 1 << 0, mbNo = 1 << 1, mbOK = 1 << 2, mbCancel = 1 << 3, mbAbort = 1 << 4, mbRetry = 1 << 5,
    mbIgnore = 1 << 6, mbAll = 1 << 7, mbNoToAll = 1 << 8, mbYesToAll = 1 << 9, mbHelp = 1 << 10, mbClose = 1 << 11,
};
using TMsgDlgButtons = Word;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// A box titled after its type ("Error", "Warning", "Information",
// "Confirm"); returns the modal result of the button pressed (mrYes ...).
Integer MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx = 0);
// A box with the text and one OK button, titled with the application title.
void ShowMessage(const QString& Msg);

enum TOpenOption : Cardinal {
    ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2, ofNoChangeDir = 1u << 3,
    ofAllowMultiSelect = 1u << 9, ofPathMustExist = 1u << 11, ofFileMustExist = 1u << 12, ofEnableSizing = 1u << 20,
};
using TOpenOptions = Cardinal;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TOpenDialog"); }

    // Asks the user for a file; true with FileName set when one was chosen.
    virtual bool Execute();

    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& v) { FFileName = v; }
    // "description|pattern[;pattern]|description|pattern..."
    const QString& Filter() const { return FFilter; }
    void SetFilter(const QString& v) { FFilter = v; }
    // 1-based index of the chosen filter.
    Integer FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(Integer v) { FFilterIndex = v; }
    // Added (after a dot) to a chosen name that has no extension.
    const QString& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const QString& v) { FDefaultExt = v; }
    const QString& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const QString& v) { FInitialDir = v; }
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& v) { FTitle = v; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions v) { FOptions = v; }

protected:
    virtual bool IsSave() const { return false; }

private:
    QString FFileName, FFilter, FDefaultExt, FInitialDir, FTitle;
    Integer FFilterIndex = 1;
    TOpenOptions FOptions = ofHideReadOnly | ofEnableSizing;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TSaveDialog"); }

protected:
    bool IsSave() const override { return true; }
};

// What a box or dialog showed, and how it was answered.
struct TShownDialog {
    enum TKind { MessageBox, OpenDialog, SaveDialog, PrintDialog, PrintPreview } Kind = MessageBox;
    QString Text;        // box text
    QString Caption;     // box caption or dialog title
    Cardinal Flags = 0;  // box buttons and icon (MB_ values)
    QString Filter, InitialDir, DefaultExt;
    QString FileName;    // the name the dialog started with / returned; a
                         // preview answered by the seam: the PDF of its pages
    Integer Result = 0;  // box: the ID returned; dialog: 1 chosen (printed), 0 cancelled
    bool Answered = false;
};

namespace DialogSeam {
// The next box returns this ID (IDOK, IDYES, IDNO, IDCANCEL ...).
void QueueAnswer(Integer id);
// The next file dialog returns this name (relative names are taken in the
// dialog's initial folder; DefaultExt is added as a user's typing would get it).
void QueueFileName(const QString& name);
// The next file dialog is cancelled.
void QueueCancel();
// The next print dialog or print preview prints (true) or is closed.
void QueuePrintAnswer(bool Print);
// Everything shown since the last Clear, oldest first.
const std::vector<TShownDialog>& Shown();
// Forgets shown boxes and queued answers.
void Clear();
// Answers still queued (a test expects none left).
Integer PendingAnswers();
// Strict: never show a real box; unanswered ones go to the handler.
void SetStrict(bool strict);
void SetUnansweredHandler(std::function<void(const TShownDialog&)> handler);

// For the platform's print dialogs. Records d and answers it from the queue
// (true, with Answered and Result set); when nothing is queued and no dialog
// may block, reports d unanswered and answers true with Result 0; otherwise
// false: the caller shows the real dialog and records it with Record.
bool TakePrintAnswer(TShownDialog& d);
// Whether TakePrintAnswer would answer the next print dialog itself.
bool WillAnswerPrint();
void Record(const TShownDialog& d);
} // namespace DialogSeam
