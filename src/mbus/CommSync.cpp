#include "mbus/CommSync.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <unistd.h>

THandleObject::~THandleObject()
{
    if (FHandle >= 0)
        ::close(FHandle);
}

TEvent::TEvent(void* /*EventAttributes*/, bool ManualReset, bool InitialState, const QString& /*Name*/)
    : manualReset_(ManualReset)
{
    // The counter is 1 while signalled.
    FHandle = ::eventfd(InitialState ? 1 : 0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (FHandle < 0)
        throw std::runtime_error("eventfd failed");
}

void TEvent::SetEvent()
{
    // Only when not signalled, so that the counter stays at 1.
    pollfd p{FHandle, POLLIN, 0};
    if (::poll(&p, 1, 0) == 1)
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(FHandle, &one, sizeof one);
}

void TEvent::ResetEvent()
{
    std::uint64_t value;
    [[maybe_unused]] const ssize_t n = ::read(FHandle, &value, sizeof value);
}

TEventWaitResult TEvent::WaitFor(LongWord Timeout)
{
    pollfd p{FHandle, POLLIN, 0};
    int r;
    do
        r = ::poll(&p, 1, Timeout == INFINITE_WAIT ? -1 : int(std::min<LongWord>(Timeout, 0x7FFFFFFF)));
    while (r < 0 && errno == EINTR);
    if (r < 0) {
        FError = errno;
        return wrError;
    }
    if (r == 0)
        return wrTimeout;
    if (!manualReset_)
        ResetEvent();
    return wrSignaled;
}
