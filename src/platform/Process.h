#pragma once
// Starting other programs, and handing addresses and files to the desktop.

#include <QString>
#include <memory>

#include "Types.h"

// A program started by StartProgram. Freeing the handle leaves the program
// running.
class TProcessHandle {
public:
    ~TProcessHandle();
    TProcessHandle(const TProcessHandle&) = delete;
    TProcessHandle& operator=(const TProcessHandle&) = delete;

    // True until the program has ended.
    bool StillRuns();
    // Waits at most TimeoutMs for the end; true when the program has ended.
    bool WaitFor(Integer TimeoutMs);
    // The program's exit code once it has ended (128 + the signal number when
    // a signal ended it); -1 while it runs.
    Integer ExitCode();
    Int64 ProcessId() const { return pid_; }

private:
    friend std::unique_ptr<TProcessHandle> StartProgram(const QString&, const QString&, bool, QString*);
    explicit TProcessHandle(Int64 pid) : pid_(pid) {}
    void Reap(bool block);
    Int64 pid_;
    bool ended_ = false;
    Integer exitCode_ = -1;
};

// Starts the program file at Path with the command-line text Parameters
// (blanks separate arguments, double quotes group them) in the current
// folder. Hidden runs it without standard input and output (no console);
// the program's own windows cannot be hidden on this platform. Returns
// nullptr, and Error when given, when the program cannot be started.
std::unique_ptr<TProcessHandle> StartProgram(const QString& Path, const QString& Parameters, bool Hidden, QString* Error = nullptr);

// Opens a web address (or another URL) or a file with the desktop's handler
// for it; false when nothing took it.
bool ShellOpen(const QString& Target);
