#include "shell/ExternalProgram.h"

#include "platform/Process.h"

#include <chrono>
#include <thread>

namespace {

void Pause()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

} // namespace

void Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo, Integer LimitMs)
{
    const std::unique_ptr<TProcessHandle> process = StartProgram(NomeSW, Parameter, tipo);
    if (!process)
        return;
    const auto start = std::chrono::steady_clock::now();
    while (process->StillRuns()) {
        if (std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(LimitMs))
            return;
        Pause();
    }
    // One more pause once the end has been seen.
    Pause();
}
