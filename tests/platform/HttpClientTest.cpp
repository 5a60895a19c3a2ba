#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <string>
#include <thread>

#include "LoopbackHttpServer.h"
#include "platform/HttpClient.h"

namespace {

using testsupport::LoopbackHttpServer;

std::string Reply(const char* status, const std::string& headers, const std::string& body)
{
    return testsupport::HttpReply(status, headers, body);
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
    // A port nobody listens on.
    const int port = testsupport::UnusedLoopbackPort();
    ASSERT_GT(port, 0);
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
