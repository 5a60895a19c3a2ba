#pragma once
// Runs a test's body as an unprivileged user would: with capabilities taken
// out of the calling thread's effective set (root then meets file modes and
// the system's limits on ICMP sockets like anyone else). Threads the body
// starts inherit the reduced set. Linux only.

#include <functional>
#include <initializer_list>
#include <string>

namespace testsupport {

// Drops the given capabilities (CAP_... numbers) from this thread's
// effective set for the length of body, then restores them. False, with the
// reason, when the set cannot be changed; body has not run then.
bool WithoutCapabilities(std::initializer_list<int> Caps, const std::function<void()>& body, std::string& why);

} // namespace testsupport
