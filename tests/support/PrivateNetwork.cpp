#include "PrivateNetwork.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

namespace {

bool WriteSysctl(const char* path, const char* value, std::string& why)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    const bool ok = fd >= 0 && ::write(fd, value, std::strlen(value)) == ssize_t(std::strlen(value));
    if (!ok)
        why = std::string("cannot write ") + path + ": " + std::strerror(errno);
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// Moves the calling thread into a new namespace and sets it up.
bool Enter(const TPrivateNetwork& net, std::string& why)
{
    if (::unshare(CLONE_NEWNET) != 0) {
        why = std::string("unshare(CLONE_NEWNET): ") + std::strerror(errno);
        return false;
    }
    const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq ifr{};
    std::strncpy(ifr.ifr_name, "lo", IFNAMSIZ - 1);
    const bool up = s >= 0 && ::ioctl(s, SIOCGIFFLAGS, &ifr) == 0 && (ifr.ifr_flags |= IFF_UP, ::ioctl(s, SIOCSIFFLAGS, &ifr) == 0);
    if (s >= 0)
        ::close(s);
    if (!up) {
        why = std::string("cannot bring the loopback up: ") + std::strerror(errno);
        return false;
    }
    return WriteSysctl("/proc/sys/net/ipv4/icmp_echo_ignore_all", net.IgnoreEcho ? "1" : "0", why)
        && WriteSysctl("/proc/sys/net/ipv4/ping_group_range", net.AllowDatagram ? "0 2147483647" : "1 0", why);
}

} // namespace

bool InPrivateNetwork(const TPrivateNetwork& net, const std::function<void()>& body, std::string& why)
{
    bool ok = false;
    std::thread t([&] {
        ok = Enter(net, why);
        if (ok)
            body();
    });
    t.join();
    return ok;
}

bool InPrivateNetworkHere(const TPrivateNetwork& net, const std::function<void()>& body, std::string& why)
{
    const int home = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    if (home < 0) {
        why = std::string("no handle of this thread's namespace: ") + std::strerror(errno);
        return false;
    }
    const bool ok = Enter(net, why);
    if (ok)
        body();
    // Staying in the test's namespace would mislead every later test.
    if (::setns(home, CLONE_NEWNET) != 0)
        std::abort();
    ::close(home);
    return ok;
}

} // namespace testsupport
