#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <csignal>

#include "UrlCatcher.h"
#include "platform/Process.h"

namespace {

QByteArray Get(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Writes an executable shell script into dir.
QString Script(const QTemporaryDir& dir, const char* name, const QByteArray& body)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

TEST(ProcessTest, ProgramsThatCannotStart)
{
    QTemporaryDir tmp;
    QString error;
    EXPECT_EQ(StartProgram(tmp.filePath("Ethernet_Update.exe"), QString(), false, &error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("does not exist")));
    QFile plain(tmp.filePath("notes.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(StartProgram(plain.fileName(), QString(), false, &error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("not a program")));
    EXPECT_EQ(StartProgram(tmp.path(), QString(), true), nullptr);
}

TEST(ProcessTest, RunsWaitsAndReadsTheEnd)
{
    QTemporaryDir tmp;
    const QString out = tmp.filePath("args out");
    const QString script = Script(tmp, "args.sh", "out=$1; shift; printf '%s|' \"$@\" > \"$out\"; exit 3");
    auto p = StartProgram(script, QStringLiteral("\"%1\" \"a b\" c").arg(out), true);
    ASSERT_NE(p, nullptr);
    EXPECT_GT(p->ProcessId(), 0);
    ASSERT_TRUE(p->WaitFor(10000));
    EXPECT_FALSE(p->StillRuns());
    EXPECT_EQ(p->ExitCode(), 3);
    EXPECT_EQ(Get(out), QByteArray("a b|c|"));

    // Still running until it is ended; freeing a handle leaves a program running.
    auto longRunning = StartProgram("/bin/sleep", QStringLiteral("30"), true);
    ASSERT_NE(longRunning, nullptr);
    EXPECT_TRUE(longRunning->StillRuns());
    EXPECT_FALSE(longRunning->WaitFor(100));
    EXPECT_EQ(longRunning->ExitCode(), -1);
    ::kill(pid_t(longRunning->ProcessId()), SIGTERM);
    ASSERT_TRUE(longRunning->WaitFor(10000));
    EXPECT_EQ(longRunning->ExitCode(), 128 + SIGTERM);

    auto detached = StartProgram("/bin/sleep", QStringLiteral("30"), true);
    ASSERT_NE(detached, nullptr);
    const pid_t pid = pid_t(detached->ProcessId());
    detached.reset();
    EXPECT_EQ(::kill(pid, 0), 0);
    ::kill(pid, SIGTERM);
}

TEST(ProcessTest, HiddenProgramsHaveNoConsole)
{
    QTemporaryDir tmp;
    const QString script = Script(tmp, "console.sh", "readlink /proc/$$/fd/2 > \"$1\"");
    for (bool hidden : {true, false}) {
        const QString out = tmp.filePath(hidden ? "hidden" : "normal");
        auto p = StartProgram(script, out, hidden);
        ASSERT_NE(p, nullptr);
        ASSERT_TRUE(p->WaitFor(10000));
        EXPECT_EQ(Get(out).trimmed() == "/dev/null", hidden) << Get(out).toStdString();
    }
}

TEST(ProcessTest, ShellOpenHandsAddressesAndFilesToTheDesktop)
{
    QTemporaryDir tmp;
    const QString file = tmp.filePath("EDE file.csv");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    testsupport::UrlCatcher catcher;
    EXPECT_TRUE(ShellOpen("http://127.0.0.1/HOME/default.asp?frompg=SW59D16"));
    EXPECT_TRUE(ShellOpen(file));
    EXPECT_FALSE(ShellOpen(QString()));

    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0].toString(), QStringLiteral("http://127.0.0.1/HOME/default.asp?frompg=SW59D16"));
    EXPECT_EQ(catcher.urls[1], QUrl::fromLocalFile(file));
}

} // namespace
