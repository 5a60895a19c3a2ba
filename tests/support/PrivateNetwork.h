#pragma once
// A network namespace of a test's own: new and empty, with its loopback up,
// so that nothing sent inside it can leave the machine. Linux only; making
// one needs the privilege to create network namespaces.

#include <functional>
#include <string>

namespace testsupport {

// How the namespace's loopback behaves: whether echo requests are ignored,
// and whether unprivileged datagram ICMP sockets are allowed.
struct TPrivateNetwork {
    bool IgnoreEcho = false;
    bool AllowDatagram = true;
};

// Runs body on a thread of its own inside a new namespace, which ends with
// that thread. False, with the reason, when it cannot be made.
bool InPrivateNetwork(const TPrivateNetwork& net, const std::function<void()>& body, std::string& why);

// Runs body on the calling thread (the window thread, say) inside a new
// namespace, then moves the thread back to the namespace it came from.
// Threads started by body share the new one.
bool InPrivateNetworkHere(const TPrivateNetwork& net, const std::function<void()>& body, std::string& why);

} // namespace testsupport
