// The version check: the number in a version text, and one request to a
// version page served on loopback in the maker's place.
#include "shell/MakerSite.h"
#include "shell/USoftOptions.h"

#include "LoopbackHttpServer.h"
#include "platform/HttpClient.h"

#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <thread>
#include <gtest/gtest.h>

namespace {

using testsupport::HttpReply;
using testsupport::LoopbackHttpServer;

TEST(VersionCheck, NumberOfAVersionText)
{
    const struct { const char* text; Integer number; } cases[] = {
        {"VER. 1.007", 1007},
        {"1.006", 1006},
        {"VER. 1,010", 1010},      // any separator
        {"1.010", 1010},           // no word: the whole text is the version
        {"VER.   2.345 \t", 2345}, // blanks after the first one are trimmed
        {"VER. 1.0071", 1007},     // characters past the fifth are not read
        {"VER. 1.0", -1},          // too short
        {"VER. 1.00", -1},
        {"VER. x.FFF", -1},        // decimal digits only
        {"VER. 1.0a7", -1},
        {"VER. ", -1},
        {"", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TFSoftOptions::Conv_Version(QString::fromLatin1(c.text)), c.number) << c.text;
}

class VersionPage : public ::testing::Test {
protected:
    void TearDown() override { Set_Maker_Web_Site(QString()); }
};

TEST_F(VersionPage, OnlyANewerVersionNamedByTheServerCounts)
{
    std::atomic<const char*> reply{""};
    LoopbackHttpServer server([&](const std::string&) { return std::string(reply.load()); });
    ASSERT_GT(server.Port(), 0);
    Set_Maker_Web_Site(server.Url(""));

    const std::string ok = HttpReply("200 OK", "Content-Type: text/html\r\n", "VER. 1.007\r\n");
    const std::string same = HttpReply("200 OK", "", "VER. 1.006");
    const std::string none = HttpReply("200 OK", "", "VER. 0.000");
    const std::string noneLower = HttpReply("200 OK", "", " ver. 0.000 ");
    const std::string bare = HttpReply("200 OK", "", "1.010");
    const std::string older = HttpReply("200 OK", "", "VER. 0.999");
    const std::string garbage = HttpReply("200 OK", "", "<html><body>Page not found</body></html>");
    const std::string empty = HttpReply("200 OK", "", "");
    const std::string error = HttpReply("500 Internal Server Error", "", "VER. 9.999");
    const std::string moved = HttpReply("302 Found", "Location: /elsewhere\r\n", "VER. 9.999");
    const struct { const std::string* reply; bool newer; const char* what; } cases[] = {
        {&ok, true, "1.007"},       {&same, false, "1.006"},       {&none, false, "0.000"},
        {&noneLower, false, "lower case 0.000"}, {&bare, true, "1.010 without the word"},
        {&older, false, "0.999"},   {&garbage, false, "garbage"},  {&empty, false, "empty"},
        {&error, false, "error status"},          {&moved, false, "redirect"},
    };
    TFSoftOptions options(nullptr);
    for (const auto& c : cases) {
        reply = c.reply->c_str();
        EXPECT_EQ(options.Check_Version(), c.newer) << c.what;
    }
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), std::size(cases));  // one request each, no redirect followed
    for (const std::string& line : requests)
        EXPECT_EQ(line, "GET /home/download/GetversionSW.asp?nomesw=SW59D16 HTTP/1.1");
}

TEST_F(VersionPage, NoServerAndASilentOneMeanNoNewerVersion)
{
    const int port = testsupport::UnusedLoopbackPort();
    ASSERT_GT(port, 0);
    Set_Maker_Web_Site(QStringLiteral("http://127.0.0.1:%1").arg(port));
    TFSoftOptions options(nullptr);
    EXPECT_FALSE(options.Check_Version());

    // A server that never answers holds the program no longer than the
    // client's time-out.
    LoopbackHttpServer silent([&](const std::string&) {
        while (!silent.Stopping())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return std::string();
    });
    Set_Maker_Web_Site(silent.Url("/"));
    THTTPClient http;
    http.Timeout = 300;
    options.HTTP1 = &http;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(options.Check_Version());
    EXPECT_LT(t.elapsed(), 2000);
}

} // namespace
