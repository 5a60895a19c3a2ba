#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "platform/HttpClient.h"

namespace {

// A small HTTP server on 127.0.0.1 and a free port, answering each request
// with what the handler makes of its request line. It serves on its own
// thread and stops by itself after 60 s.
class LoopbackHttpServer {
public:
    using Handler = std::function<std::string(const std::string& requestLine)>;

    explicit LoopbackHttpServer(Handler handler) : handler_(std::move(handler))
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd_, 8) != 0
            || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
            return;
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LoopbackHttpServer()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Port() const { return port_; }
    QString Url(const char* path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(QLatin1String(path)); }
    std::vector<std::string> Requests()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    bool Stopping() const { return stop_; }

private:
    void Serve()
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

    Handler handler_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
};

std::string Reply(const char* status, const std::string& headers, const std::string& body)
{
    return std::string("HTTP/1.1 ") + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n"
        + headers + "\r\n" + body;
}

TEST(HttpClientTest, OneGetAndEveryFailureAsAnEmptyReply)
{
    LoopbackHttpServer server([](const std::string& line) {
        if (line.find(" /home/download/GetversionSW.asp?nomesw=SW59D16 ") != std::string::npos)
            return Reply("200 OK", "Content-Type: text/html\r\n", "VER. 1.007\r\n");
        if (line.find(" /utf8 ") != std::string::npos)
            return Reply("200 OK", "Content-Type: text/plain; charset=UTF-8\r\n", "Gr\xC3\xBC\xC3\x9F" "e");
        if (line.find(" /latin ") != std::string::npos)
            return Reply("200 OK", "Content-Type: text/plain\r\n", "Gr\xFC\xDF" "e \x80");
        if (line.find(" /redirect ") != std::string::npos)
            return Reply("302 Found", "Location: /home/download/GetversionSW.asp?nomesw=SW59D16\r\n", "");
        if (line.find(" /error ") != std::string::npos)
            return Reply("500 Internal Server Error", "", "VER. 9.999");
        return Reply("404 Not Found", "", "VER. 9.999");
    });
    ASSERT_GT(server.Port(), 0);

    struct { const char* path; QString body; int code; } cases[] = {
        {"/home/download/GetversionSW.asp?nomesw=SW59D16", QStringLiteral("VER. 1.007\r\n"), 200},
        {"/utf8", QString::fromUtf8("Grüße"), 200},
        {"/latin", QString::fromUtf8("Grüße €"), 200},
        {"/redirect", QString(), 302},
        {"/error", QString(), 500},
        {"/missing", QString(), 404},
    };
    THTTPClient http;
    for (const auto& c : cases) {
        EXPECT_EQ(http.Get(server.Url(c.path)), c.body) << c.path;
        EXPECT_EQ(http.ResponseCode(), c.code) << c.path;
    }
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), std::size(cases)); // the redirect was not followed
    EXPECT_EQ(requests[0], "GET /home/download/GetversionSW.asp?nomesw=SW59D16 HTTP/1.1");

    EXPECT_EQ(http.Get(QStringLiteral("not a url")), QString());
    EXPECT_EQ(http.Get(QStringLiteral("ftp://127.0.0.1/x")), QString());
}

TEST(HttpClientTest, RefusedAndSilentServers)
{
    // A port nobody listens on: taken and released again.
    int port = 0;
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
        ::close(s);
    }
    THTTPClient http;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(http.Get(QStringLiteral("http://127.0.0.1:%1/").arg(port)), QString());
    EXPECT_EQ(http.ResponseCode(), 0);
    EXPECT_LT(t.elapsed(), 3000);

    // A server that takes longer than the time-out. The caller's own events
    // wait until the request is over.
    LoopbackHttpServer slow([&](const std::string&) {
        for (int i = 0; i < 30 && !slow.Stopping(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return Reply("200 OK", "", "late");
    });
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    http.Timeout = 300;
    t.restart();
    EXPECT_EQ(http.Get(slow.Url("/slow")), QString());
    EXPECT_GE(t.elapsed(), 290);
    EXPECT_LT(t.elapsed(), 1400);
    EXPECT_FALSE(timerRan);
    QCoreApplication::processEvents();
    EXPECT_TRUE(timerRan);
}

} // namespace
