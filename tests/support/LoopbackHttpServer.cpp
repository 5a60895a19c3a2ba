#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {

// Binds a TCP socket to 127.0.0.1 on a free port; -1 when it cannot.
int Bind_Loopback(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(a.sin_port);
    return fd;
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(Handler handler) : handler_(std::move(handler))
{
    int port = 0;
    fd_ = Bind_Loopback(port);
    if (fd_ < 0 || ::listen(fd_, 8) != 0)
        return;
    port_ = port;
    thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    if (fd_ >= 0)
        ::close(fd_);
}

QString LoopbackHttpServer::Url(const char* path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(QLatin1String(path));
}

std::vector<std::string> LoopbackHttpServer::Requests()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void LoopbackHttpServer::Serve()
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!stop_ && std::chrono::steady_clock::now() < end) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (c < 0)
            continue;
        std::string request;
        char buf[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            pollfd q{c, POLLIN, 0};
            if (::poll(&q, 1, 2000) <= 0)
                break;
            const ssize_t n = ::recv(c, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            request.append(buf, size_t(n));
        }
        const std::string line = request.substr(0, request.find("\r\n"));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(line);
        }
        const std::string reply = handler_(line);
        ::send(c, reply.data(), reply.size(), MSG_NOSIGNAL);
        ::close(c);
    }
}

std::string HttpReply(const char* status, const std::string& headers, const std::string& body)
{
    return std::string("HTTP/1.1 ") + status + "\r\nContent-Length: " + std::to_string(body.size())
        + "\r\nConnection: close\r\n" + headers + "\r\n" + body;
}

int UnusedLoopbackPort()
{
    int port = 0;
    const int fd = Bind_Loopback(port);
    if (fd < 0)
        return 0;
    ::close(fd);
    return port;
}

} // namespace testsupport
