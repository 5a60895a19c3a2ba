#include "platform/Dialogs.h"

#include <deque>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

#include "platform/Form.h"

namespace {

struct TFileAnswer {
    bool Cancel;
    QString Name;
};

struct TSeam {
    std::deque<Integer> answers;
    std::deque<TFileAnswer> files;
    std::deque<bool> prints;
    std::vector<TShownDialog> shown;
    bool strict = false;
    std::function<void(const TShownDialog&)> unanswered;
};

TSeam& Seam()
{
    static TSeam seam;
    return seam;
}

// No screen to show a real box on: a box would wait for ever.
bool Headless()
{
    const QString p = QGuiApplication::platformName();
    return QCoreApplication::instance() == nullptr || p == QLatin1String("offscreen") || p == QLatin1String("minimal");
}

bool MustNotBlock()
{
    return Seam().strict || Headless();
}

void ReportUnanswered(const TShownDialog& d)
{
    if (Seam().unanswered) {
        Seam().unanswered(d);
        return;
    }
    std::fprintf(stderr, "Unanswered dialog: %s %s\n", qPrintable(d.Caption), qPrintable(d.Text));
}

// The IDs a box of these flags offers; the first is what Escape gives.
std::vector<Integer> BoxAnswers(Cardinal flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDCANCEL, IDOK};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDCANCEL, IDYES, IDNO};
    case MB_YESNO: return {IDNO, IDYES};
    case MB_RETRYCANCEL: return {IDCANCEL, IDRETRY};
    default: return {IDOK};
    }
}

Integer RealMessageBox(const QString& text, const QString& caption, Cardinal flags)
{
    QMessageBox box;
    box.setWindowTitle(caption);
    box.setText(text);
    switch (flags & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct B { Integer id; QMessageBox::StandardButton qt; };
    static const B map[] = {{IDOK, QMessageBox::Ok}, {IDCANCEL, QMessageBox::Cancel}, {IDABORT, QMessageBox::Abort},
                            {IDRETRY, QMessageBox::Retry}, {IDIGNORE, QMessageBox::Ignore}, {IDYES, QMessageBox::Yes},
                            {IDNO, QMessageBox::No}};
    const auto ids = BoxAnswers(flags);
    std::vector<QPushButton*> buttons;
    // Buttons in the platform's order: OK/Yes/Abort/Retry first.
    std::vector<Integer> order(ids.begin() + (ids.size() > 1 ? 1 : 0), ids.end());
    if (ids.size() > 1)
        order.push_back(ids.front());
    for (Integer id : order)
        for (const B& b : map)
            if (b.id == id)
                buttons.push_back(box.addButton(b.qt));
    const size_t def = std::min<size_t>((flags >> 8) & 0x3, buttons.size() - 1);
    box.setDefaultButton(buttons[def]);
    for (const B& b : map)
        if (b.id == ids.front())
            box.setEscapeButton(box.button(b.qt));
    Application->ModalStarted();
    box.exec();
    Application->ModalFinished();
    QAbstractButton* clicked = box.clickedButton();
    for (const B& b : map)
        if (clicked != nullptr && clicked == box.button(b.qt))
            return b.id;
    return ids.front();
}

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        out << QStringLiteral("%1 (%2)").arg(parts[i], patterns.trimmed());
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace

Integer ShowMessageBox(const QString& Text, const QString& Caption, Cardinal Flags)
{
    TShownDialog d;
    d.Kind = TShownDialog::MessageBox;
    d.Text = Text;
    d.Caption = Caption;
    d.Flags = Flags;
    const auto ids = BoxAnswers(Flags);
    TSeam& s = Seam();
    if (!s.answers.empty()) {
        d.Result = s.answers.front();
        s.answers.pop_front();
        d.Answered = std::find(ids.begin(), ids.end(), d.Result) != ids.end();
        s.shown.push_back(d);
        if (!d.Answered) {
            ReportUnanswered(d);  // an answer the box does not offer
            s.shown.back().Result = ids.front();
            return ids.front();
        }
        return d.Result;
    }
    if (MustNotBlock()) {
        d.Result = ids.front();
        s.shown.push_back(d);
        ReportUnanswered(d);
        return d.Result;
    }
    d.Result = RealMessageBox(Text, Caption, Flags);
    d.Answered = true;
    s.shown.push_back(d);
    return d.Result;
}

Integer MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx)
{
    Cardinal flags = 0;
    QString caption;
    switch (DlgType) {
    case mtWarning: flags |= MB_ICONWARNING; caption = QStringLiteral("Warning"); break;
    case mtError: flags |= MB_ICONERROR; caption = QStringLiteral("Error"); break;
    case mtInformation: flags |= MB_ICONINFORMATION; caption = QStringLiteral("Information"); break;
    case mtConfirmation: flags |= MB_ICONQUESTION; caption = QStringLiteral("Confirm"); break;
    default: caption = Application->Title(); break;
    }
    const bool yes = Buttons & mbYes, no = Buttons & mbNo, ok = Buttons & mbOK, cancel = Buttons & mbCancel;
    if (yes && no && cancel) flags |= MB_YESNOCANCEL;
    else if (yes && no) flags |= MB_YESNO;
    else if (ok && cancel) flags |= MB_OKCANCEL;
    else if (Buttons & mbAbort) flags |= MB_ABORTRETRYIGNORE;
    else if ((Buttons & mbRetry) && cancel) flags |= MB_RETRYCANCEL;
    else flags |= MB_OK;
    // Modal results and box IDs have the same numbers.
    return ShowMessageBox(Msg, caption, flags);
}

void ShowMessage(const QString& Msg)
{
    ShowMessageBox(Msg, Application->Title(), MB_OK);
}

bool TOpenDialog::Execute()
{
    TShownDialog d;
    d.Kind = IsSave() ? TShownDialog::SaveDialog : TShownDialog::OpenDialog;
    d.Caption = FTitle;
    d.Filter = FFilter;
    d.InitialDir = FInitialDir;
    d.DefaultExt = FDefaultExt;
    d.FileName = FFileName;
    TSeam& s = Seam();
    auto finish = [&](const QString& chosen) {
        QString name = chosen;
        QFileInfo fi(name);
        if (fi.isRelative() && !FInitialDir.isEmpty())
            name = QDir(FInitialDir).filePath(name);
        if (!FDefaultExt.isEmpty() && QFileInfo(name).suffix().isEmpty())
            name += u'.' + (FDefaultExt.startsWith(u'.') ? FDefaultExt.mid(1) : FDefaultExt);
        FFileName = QDir::toNativeSeparators(name);
        return true;
    };
    if (!s.files.empty()) {
        const TFileAnswer a = s.files.front();
        s.files.pop_front();
        d.Answered = true;
        if (a.Cancel) {
            d.Result = 0;
            s.shown.push_back(d);
            return false;
        }
        finish(a.Name);
        d.Result = 1;
        d.FileName = FFileName;
        s.shown.push_back(d);
        return true;
    }
    if (MustNotBlock()) {
        s.shown.push_back(d);
        ReportUnanswered(d);
        return false;
    }
    QFileDialog dlg(nullptr, FTitle, FInitialDir);
    dlg.setAcceptMode(IsSave() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(IsSave() ? QFileDialog::AnyFile : ((FOptions & ofFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QString qf = QtFilter(FFilter);
    if (!qf.isEmpty()) {
        const QStringList filters = qf.split(QStringLiteral(";;"));
        dlg.setNameFilters(filters);
        if (FFilterIndex >= 1 && FFilterIndex <= filters.size())
            dlg.selectNameFilter(filters[FFilterIndex - 1]);
    }
    if (!FDefaultExt.isEmpty())
        dlg.setDefaultSuffix(FDefaultExt);
    if (!FFileName.isEmpty())
        dlg.selectFile(FFileName);
    Application->ModalStarted();
    const bool ok = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
    Application->ModalFinished();
    d.Answered = true;
    d.Result = ok ? 1 : 0;
    if (ok) {
        finish(dlg.selectedFiles().first());
        d.FileName = FFileName;
    }
    s.shown.push_back(d);
    return ok;
}

namespace DialogSeam {
void QueueAnswer(Integer id) { Seam().answers.push_back(id); }
void QueueFileName(const QString& name) { Seam().files.push_back({false, name}); }
void QueueCancel() { Seam().files.push_back({true, QString()}); }
void QueuePrintAnswer(bool Print) { Seam().prints.push_back(Print); }
const std::vector<TShownDialog>& Shown() { return Seam().shown; }
void Clear()
{
    Seam().answers.clear();
    Seam().files.clear();
    Seam().prints.clear();
    Seam().shown.clear();
}
Integer PendingAnswers() { return Integer(Seam().answers.size() + Seam().files.size() + Seam().prints.size()); }
void SetStrict(bool strict) { Seam().strict = strict; }
void SetUnansweredHandler(std::function<void(const TShownDialog&)> handler) { Seam().unanswered = std::move(handler); }

bool TakePrintAnswer(TShownDialog& d)
{
    TSeam& s = Seam();
    if (!s.prints.empty()) {
        d.Answered = true;
        d.Result = s.prints.front() ? 1 : 0;
        s.prints.pop_front();
        s.shown.push_back(d);
        return true;
    }
    if (MustNotBlock()) {
        d.Result = 0;
        s.shown.push_back(d);
        ReportUnanswered(d);
        return true;
    }
    return false;
}

void Record(const TShownDialog& d) { Seam().shown.push_back(d); }
bool WillAnswerPrint() { return !Seam().prints.empty() || MustNotBlock(); }
} // namespace DialogSeam
