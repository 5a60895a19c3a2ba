#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <functional>
#include <linux/capability.h>
#include <string>

#include "Capabilities.h"
#include "PrivateNetwork.h"
#include "platform/IcmpEcho.h"

namespace {

// The converter's payload: "1234567890" repeated, cut after 89 characters.
QByteArray Payload()
{
    return QByteArray("1234567890").repeated(9).left(89);
}

struct PingRun {
    TReplyStatus result;
    std::vector<TReplyStatus> replies;
    bool datagram = false;
    qint64 elapsed = 0;
};

PingRun RunPing(const QString& host, int timeout, Word seq = 0)
{
    PingRun run;
    TIcmpEcho ping;
    ping.Host = host;
    ping.ReceiveTimeout = timeout;
    ping.OnReply = [&](TObject* sender, const TReplyStatus& st) {
        EXPECT_EQ(sender, &ping);
        run.replies.push_back(st);
    };
    QElapsedTimer t;
    t.start();
    run.result = ping.Ping(Payload(), seq);
    run.elapsed = t.elapsed();
    run.datagram = ping.UsedDatagramSocket();
    return run;
}

TEST(IcmpEchoTest, LoopbackAnswers)
{
    const PingRun run = RunPing(QStringLiteral("127.0.0.1"), 400, 7);
    if (run.result.ReplyStatusType == rsError)
        GTEST_SKIP() << "no ICMP socket on this machine: " << run.result.Msg.toStdString();
    EXPECT_EQ(run.result.ReplyStatusType, rsEcho);
    EXPECT_EQ(run.result.BytesReceived, 8 + 89);
    EXPECT_EQ(run.result.FromIpAddress, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(run.result.SequenceId, 7);
    EXPECT_LT(run.elapsed, 400);
    ASSERT_EQ(run.replies.size(), 1u);
    EXPECT_EQ(run.replies[0].BytesReceived, run.result.BytesReceived);
}

TEST(IcmpEchoTest, BothSocketKindsAndTheSilentHost)
{
    PingRun datagram, raw, silent;
    std::string why;
    if (!testsupport::InPrivateNetwork({false, true}, [&] { datagram = RunPing("127.0.0.1", 400); }, why))
        GTEST_SKIP() << "no private network namespace on this machine: " << why;
    ASSERT_TRUE(testsupport::InPrivateNetwork({false, false}, [&] { raw = RunPing("127.0.0.1", 400); }, why)) << why;
    ASSERT_TRUE(testsupport::InPrivateNetwork({true, true}, [&] { silent = RunPing("127.0.0.1", 300); }, why)) << why;

    EXPECT_TRUE(datagram.datagram);
    EXPECT_EQ(datagram.result.ReplyStatusType, rsEcho);
    EXPECT_GT(datagram.result.BytesReceived, 0);
    if (raw.result.ReplyStatusType != rsError) { // raw sockets need privilege
        EXPECT_FALSE(raw.datagram);
        EXPECT_EQ(raw.result.ReplyStatusType, rsEcho);
        EXPECT_GT(raw.result.BytesReceived, 0);
    }

    // Nobody answers: a time-out, reported to the handler with no bytes.
    EXPECT_EQ(silent.result.ReplyStatusType, rsTimeOut);
    EXPECT_EQ(silent.result.BytesReceived, 0);
    ASSERT_EQ(silent.replies.size(), 1u);
    EXPECT_EQ(silent.replies[0].BytesReceived, 0);
    EXPECT_GE(silent.elapsed, 295);
    EXPECT_LT(silent.elapsed, 1500);
}

TEST(IcmpEchoTest, ASystemThatRefusesEchoSaysWhyAndHowToAllowIt)
{
    // No unprivileged datagram socket, and no privilege for a raw one.
    PingRun run;
    std::string why, capWhy;
    bool dropped = false;
    if (!testsupport::InPrivateNetwork({.AllowDatagram = false}, [&] {
            dropped = testsupport::WithoutCapabilities({CAP_NET_RAW}, [&] { run = RunPing("127.0.0.1", 400); }, capWhy);
        }, why))
        GTEST_SKIP() << "no private network namespace on this machine: " << why;
    ASSERT_TRUE(dropped) << capWhy;
    EXPECT_EQ(run.result.ReplyStatusType, rsNotSent);
    EXPECT_TRUE(run.result.Msg.contains(QStringLiteral("Permission denied"))) << run.result.Msg.toStdString();
    EXPECT_TRUE(run.result.Msg.contains(QStringLiteral("net.ipv4.ping_group_range")));
    EXPECT_TRUE(run.result.Msg.contains(QStringLiteral("setcap cap_net_raw+ep")));
    EXPECT_TRUE(run.replies.empty());
    EXPECT_LT(run.elapsed, 200);
}

TEST(IcmpEchoTest, HostsThatCannotBeResolvedAreErrors)
{
    for (const char* host : {"192.168.2.", "", "256.1.1.1", "10.0.0", "1.2.3.4.5", " 10.0.0.1", "a b"}) {
        const PingRun run = RunPing(QString::fromLatin1(host), 400);
        EXPECT_EQ(run.result.ReplyStatusType, rsError) << host;
        EXPECT_TRUE(run.result.Msg.contains(QStringLiteral("cannot be resolved"))) << host;
        EXPECT_TRUE(run.replies.empty()) << host;
        EXPECT_LT(run.elapsed, 200) << host;
    }
}

} // namespace
