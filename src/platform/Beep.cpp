#include "platform/Beep.h"

#include <QApplication>

namespace {
Integer g_beeps = 0;
}

void MessageBeep(Cardinal)
{
    ++g_beeps;
    const QString p = QGuiApplication::platformName();
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr && p != QLatin1String("offscreen") && p != QLatin1String("minimal"))
        QApplication::beep();
}

namespace BeepSeam {
Integer Count() { return g_beeps; }
void Reset() { g_beeps = 0; }
} // namespace BeepSeam
