#include "Process.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

TProcessHandle::~TProcessHandle()
{
    if (ended_)
        return;
    // The program goes on; a helper collects its end so that it leaves no
    // defunct entry behind.
    const pid_t pid = pid_t(pid_);
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

void TProcessHandle::Reap(bool block)
{
    if (ended_)
        return;
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(pid_t(pid_), &status, block ? 0 : WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r == pid_t(pid_)) {
        ended_ = true;
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
    } else if (r < 0) {
        // Collected elsewhere: it has ended, with no code to tell.
        ended_ = true;
    }
}

bool TProcessHandle::StillRuns()
{
    Reap(false);
    return !ended_;
}

bool TProcessHandle::WaitFor(Integer TimeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(TimeoutMs, 0));
    while (StillRuns()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

Integer TProcessHandle::ExitCode()
{
    Reap(false);
    return exitCode_;
}

std::unique_ptr<TProcessHandle> StartProgram(const QString& Path, const QString& Parameters, bool Hidden, QString* Error)
{
    auto fail = [&](const QString& why) -> std::unique_ptr<TProcessHandle> {
        if (Error)
            *Error = QStringLiteral("Cannot start \"%1\". %2").arg(Path, why);
        return nullptr;
    };
    const QFileInfo info(Path);
    if (Path.isEmpty() || !info.exists())
        return fail(QStringLiteral("The file does not exist."));
    if (!info.isFile() || !info.isExecutable())
        return fail(QStringLiteral("The file is not a program."));

    const QByteArray program = QFile::encodeName(info.absoluteFilePath());
    std::vector<QByteArray> args{program};
    for (const QString& a : QProcess::splitCommand(Parameters))
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (Hidden) {
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return fail(QString::fromLocal8Bit(std::strerror(rc)));
    return std::unique_ptr<TProcessHandle>(new TProcessHandle(pid));
}

bool ShellOpen(const QString& Target)
{
    if (Target.isEmpty())
        return false;
    const QFileInfo info(Target);
    const QUrl url = info.exists() ? QUrl::fromLocalFile(info.absoluteFilePath()) : QUrl::fromUserInput(Target);
    return url.isValid() && QDesktopServices::openUrl(url);
}
