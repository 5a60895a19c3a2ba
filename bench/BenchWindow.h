#pragma once
// What the benchmarks that compare with Qt's item views share: the look and
// the 800 x 600 window of the Qt programs (Fusion, DejaVu Sans 12 px; the
// window shown without a screen, its update requests dropped so that nothing
// paints but the explicit render into one reused image), resident memory
// measured as they measure it, and their one-workload mode for instruction
// counts.
//
// One-workload mode: <PREFIX>_WORKLOAD=<name> runs the steps before that
// workload once as set-up, then the workload's body once with callgrind's
// instrumentation switched on around it (run the program under
//   valgrind --tool=callgrind --instr-atstart=no
// to count it), prints its lines ("name value unit") and ends the program.

#include <QApplication>
#include <QtGlobal>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QStyleFactory>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <memory>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include "platform/Form.h"

namespace benchwindow {

class TDropUpdates : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::UpdateRequest; }
};

inline void Settle()
{
    QCoreApplication::processEvents();
}

// The Qt programs' style and application font, set before any window exists.
inline void UsePeerLook()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    QApplication::setFont(font);
}

struct TBenchWindow {
    std::unique_ptr<TForm> Form;
    QWidget* Window = nullptr;
    QImage Image{800, 600, QImage::Format_ARGB32_Premultiplied};
    TDropUpdates Filter;

    explicit TBenchWindow(const QString& caption)
    {
        Image.fill(Qt::white);
        Form = std::make_unique<TForm>(nullptr);
        Form->SetCaption(caption);
        Form->SetClientSize(800, 600);
        Form->HandleNeeded();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == caption)
                Window = w;
        Window->setAttribute(Qt::WA_DontShowOnScreen);
        Window->installEventFilter(&Filter);
    }

    // Shows the form. Like the Qt programs, nothing is rendered before the
    // first measured render, so that one fills the glyph cache.
    void Show()
    {
        Form->Show();
        Settle();
    }

    void Render() { Window->render(&Image); }

    // True when the rectangle of the image holds dark (text) pixels.
    bool ShowsText(const QRect& area) const
    {
        int dark = 0;
        const QRect r = area & Image.rect();
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qGray(Image.pixel(x, y)) < 100)
                    ++dark;
        return dark > 200;
    }

    // Saves the last frame into the folder the environment variable names.
    void Keep(const char* variable, const char* name) const
    {
        const QString dir = qEnvironmentVariable(variable);
        if (!dir.isEmpty())
            Image.save(dir + u'/' + QLatin1String(name) + QStringLiteral(".png"));
    }
};

// ---------------------------------------------------------------- memory

// A field of /proc/self/status in KiB (VmRSS, VmHWM), -1 when unreadable.
inline long StatusKiB(const char* field)
{
    FILE* file = std::fopen("/proc/self/status", "r");
    if (file == nullptr)
        return -1;
    const size_t length = std::strlen(field);
    char line[256];
    long value = -1;
    while (std::fgets(line, sizeof line, file))
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            value = std::strtol(line + length + 1, nullptr, 10);
            break;
        }
    std::fclose(file);
    return value;
}

// Peak resident memory of one build, as the Qt programs take it: freed heap
// goes back to the system first, the peak restarts from the current
// resident size (writing "5" to clear_refs), and the peak after the body
// is compared with the resident size before it.
struct TMemoryProbe {
    long Base = 0;
    long Peak = 0;

    void Start()
    {
        malloc_trim(0);
        if (FILE* file = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", file);
            std::fclose(file);
        }
        Base = StatusKiB("VmRSS");
    }
    void Stop() { Peak = StatusKiB("VmHWM"); }
    long Growth() const { return Peak - Base; }
};

inline void PrintLine(const QString& name, double value, const char* unit)
{
    std::printf("%s %.*f %s\n", qPrintable(name), unit[0] == 'K' ? 0 : 3, value, unit);
    std::fflush(stdout);
}

// Stops the program with exit code 1 when a workload went wrong.
inline void Require(bool ok, const char* what)
{
    if (ok)
        return;
    std::fprintf(stderr, "CHECK FAILED: %s\n", what);
    std::fflush(stdout);
    std::_Exit(1);
}

// ---------------------------------------------------------------- workloads

// One workload: an untimed preparation, the measured body and an untimed
// follow-up (checks, lines of its own). Set-up workloads, those a later one
// builds on, run before it in the one-workload mode; the others are skipped
// there.
struct TStep {
    const char* Name;
    std::function<void()> Prepare;
    std::function<void()> Body;
    std::function<void()> After;
    bool SetUp = true;
};

// The one-workload mode: runs Steps up to the one called Name, the earlier
// set-up steps plain and that one's body instrumented, then its After.
// Returns false when no step has that name.
inline bool RunOneWorkload(const std::vector<TStep>& Steps, const QString& Name)
{
    for (const TStep& step : Steps) {
        const bool selected = Name == QLatin1String(step.Name);
        if (!selected && !step.SetUp)
            continue;
        if (step.Prepare)
            step.Prepare();
        if (selected)
            CALLGRIND_START_INSTRUMENTATION;
        QElapsedTimer timer;
        timer.start();
        step.Body();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (selected)
            CALLGRIND_STOP_INSTRUMENTATION;
        if (step.After)
            step.After();
        if (selected) {
            std::fprintf(stderr, "# %s %.3f ms\n", step.Name, ms);
            return true;
        }
    }
    return false;
}

// The one-workload mode chosen by the environment variable Var: -1 when it
// is not set (the benchmarks run), else the program's exit code (2 for a
// workload of no such name). Done runs after the workload, before the exit.
template <class TDone>
int RunWorkloadOfEnvironment(const std::vector<TStep>& Steps, const char* Var, TDone&& Done)
{
    const QString workload = qEnvironmentVariable(Var);
    if (workload.isEmpty())
        return -1;
    const bool ran = RunOneWorkload(Steps, workload);
    if (!ran)
        std::fprintf(stderr, "unknown workload %s\n", qPrintable(workload));
    Done();
    return ran ? 0 : 2;
}

} // namespace benchwindow
