// The floor of a Qt program's start: a bare window with one label, from the
// first instruction of the process to the end of the window's first paint.
// StartupBench measures the program's own start the same way:
//   valgrind --tool=callgrind bench_peer_BareWindow

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

namespace {

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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TFirstPaint watch;
    app.installEventFilter(&watch);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(400, 300);
    QLabel label(QStringLiteral("One label"), &window);
    label.move(20, 20);
    window.show();
    while (!watch.Painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    CALLGRIND_STOP_INSTRUMENTATION;
    std::fflush(stdout);
    std::_Exit(0);
}
