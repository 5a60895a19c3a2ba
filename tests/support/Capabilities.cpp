#include "Capabilities.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testsupport {

bool WithoutCapabilities(std::initializer_list<int> Caps, const std::function<void()>& body, std::string& why)
{
    // The raw calls act on this thread alone (the C library's wrappers, where
    // there are any, would change every thread of the process).
    __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[_LINUX_CAPABILITY_U32S_3] {};
    if (::syscall(SYS_capget, &header, saved) != 0) {
        why = std::string("capget: ") + std::strerror(errno);
        return false;
    }
    __user_cap_data_struct reduced[_LINUX_CAPABILITY_U32S_3];
    std::memcpy(reduced, saved, sizeof saved);
    for (const int cap : Caps)
        reduced[cap / 32].effective &= ~(1u << (cap % 32));
    if (::syscall(SYS_capset, &header, reduced) != 0) {
        why = std::string("capset: ") + std::strerror(errno);
        return false;
    }
    body();
    // The permitted set was kept, so the effective one comes back whole.
    if (::syscall(SYS_capset, &header, saved) != 0)
        std::abort();
    return true;
}

} // namespace testsupport
