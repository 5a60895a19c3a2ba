// Program start: from the first instruction of the process to the end of
// the main window's first paint, the way main() starts the program (every
// window created, the main one shown). bench/peers/BareWindow.cpp does the
// same for a bare Qt window with one label, the floor of any Qt program.
//
// Instruction count (the whole process up to that paint):
//   STARTUP_BENCH_COUNT=1 valgrind --tool=callgrind bench_StartupBench
// counts until the first paint, then stops counting and ends the program.
// Without STARTUP_BENCH_COUNT it is a Google Benchmark program that times
// the same once.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include "app/Windows.h"
#include "platform/Form.h"

namespace {

// Notes the first paint of a top-level window.
class TFirstPaint : public QObject {
public:
    bool Painted = false;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            Painted = true;
        return false;
    }
};

// Starts the program as main() does, up to the main window's first paint.
void StartUp(int& argc, char** argv)
{
    Application->Initialize(argc, argv);
    TFirstPaint watch;
    qApp->installEventFilter(&watch);
    Create_Windows(*Application);
    Application->MainForm()->Show();
    QElapsedTimer t;
    t.start();
    while (!watch.Painted && t.elapsed() < 60000)
        Application->HandleMessage();
    qApp->removeEventFilter(&watch);
    if (!watch.Painted) {
        std::fprintf(stderr, "CHECK FAILED: the main window was never painted\n");
        std::_Exit(1);
    }
}

int g_argc = 0;
char** g_argv = nullptr;

void BM_StartUp(benchmark::State& state)
{
    for (auto _ : state)
        StartUp(g_argc, g_argv);
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsEmpty("STARTUP_BENCH_COUNT")) {
        StartUp(argc, argv);
        CALLGRIND_STOP_INSTRUMENTATION;
        std::fflush(stdout);
        std::_Exit(0);
    }
    benchmark::Initialize(&argc, argv);
    g_argc = argc;
    g_argv = argv;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Application->Finalize();
    return 0;
}
