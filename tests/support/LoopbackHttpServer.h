#pragma once
// A small HTTP server on 127.0.0.1 and a free port, answering each request
// with what the handler makes of its request line. It serves on its own
// thread and stops by itself after 60 s.

#include <QString>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class LoopbackHttpServer {
public:
    using Handler = std::function<std::string(const std::string& requestLine)>;

    explicit LoopbackHttpServer(Handler handler);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // 0 when the server could not start.
    int Port() const { return port_; }
    QString Url(const char* path) const;
    // The request lines received so far, oldest first.
    std::vector<std::string> Requests();
    bool Stopping() const { return stop_; }

private:
    void Serve();

    Handler handler_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
};

// A whole HTTP/1.1 reply: status line ("200 OK"), extra header lines (each
// ending in CRLF) and the body.
std::string HttpReply(const char* status, const std::string& headers, const std::string& body);

// A loopback port that nobody listens on (taken and released again).
int UnusedLoopbackPort();

} // namespace testsupport
