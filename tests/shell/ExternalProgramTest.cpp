// The runner of external programs: it waits for a program's end, gives up
// after its limit leaving the program running, and returns at once when the
// program cannot start.
#include "shell/ExternalProgram.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QString Script(const QTemporaryDir& dir, const QString& name, const QByteArray& body)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

TEST(StartProgram, WaitsForTheEndOfAProgramWithItsParameters)
{
    QTemporaryDir tmp;
    const QString out = tmp.filePath("out.txt");
    // Ends after a short sleep, having written its arguments.
    const QString prog = Script(tmp, "Ethernet_Update.exe", "sleep 0.3; printf '%s|' \"$@\" > \"" + out.toUtf8() + "\"");
    QElapsedTimer t;
    t.start();
    Start_Program(prog, "one \"two words\"", false);
    EXPECT_GE(t.elapsed(), 300);
    EXPECT_LT(t.elapsed(), 5000);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "returned before the program ended";
    EXPECT_EQ(f.readAll(), QByteArray("one|two words|"));
}

TEST(StartProgram, GivesUpAfterItsLimitAndLeavesTheProgramRunning)
{
    QTemporaryDir tmp;
    const QString pidFile = tmp.filePath("pid");
    const QString prog = Script(tmp, "slow", "echo $$ > \"" + pidFile.toUtf8() + "\"; exec sleep 30");
    QElapsedTimer t;
    t.start();
    Start_Program(prog, QString(), true, 400);
    const qint64 waited = t.elapsed();
    EXPECT_GE(waited, 400);
    EXPECT_LT(waited, 3000);

    QFile f(pidFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const pid_t pid = pid_t(f.readAll().trimmed().toLong());
    ASSERT_GT(pid, 0);
    EXPECT_EQ(::kill(pid, 0), 0) << "the program should still run";
    ::kill(pid, SIGTERM);
}

TEST(StartProgram, AProgramThatCannotStartReturnsAtOnce)
{
    QTemporaryDir tmp;
    QElapsedTimer t;
    t.start();
    Start_Program(tmp.filePath("Ethernet_Update.exe"), QString(), false);
    Start_Program(tmp.path(), QString(), false);
    EXPECT_LT(t.elapsed(), 100);
}

} // namespace
