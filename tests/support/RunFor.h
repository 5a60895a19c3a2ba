#pragma once
// Lets the message loop run for a while, for tests that wait on timers.

#include <QElapsedTimer>
#include <QThread>

#include "platform/Form.h"

// Runs the message loop for at least Ms milliseconds, and once more after
// they passed, so that a timer due by then has fired even when the process
// was held up in its last sleep.
inline void RunFor(int Ms)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        Application->ProcessMessages();
        if (t.elapsed() >= Ms)
            break;
        QThread::msleep(2);
    }
}
