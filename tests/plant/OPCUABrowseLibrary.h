#pragma once
// The stand-in browse library put beside the program (the test's program
// folder), and waiting while the browse window's timer runs the browse.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "platform/Timer.h"
#include "plant/UOPC_UA_Scan_Server.h"

// Copies the stand-in library file From into Folder under the name the
// program loads.
inline bool Put_Browse_Library(const QString& Folder, const QString& From)
{
    const QString to = QDir(Folder).filePath(QStringLiteral("libOPC_UA_Search.so"));
    QFile::remove(to);
    return QFile::copy(From, to);
}

// True while a file of that name is mapped into the process.
inline bool Browse_Library_Mapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libOPC_UA_Search.so");
}

// Runs the message loop until the window's browse has run (its timer
// stopped), for at most a few seconds.
inline bool Wait_For_Browse(TFOPC_UA_Scan_Server* Window)
{
    QElapsedTimer clock;
    clock.start();
    while (Window->Timer_Scan->Enabled() && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return !Window->Timer_Scan->Enabled();
}
