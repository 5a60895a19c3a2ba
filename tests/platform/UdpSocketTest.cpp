#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/UdpSocket.h"

namespace {

// Datagrams one socket received, with the thread that handed them on.
struct Inbox {
    std::mutex lock;
    std::condition_variable cv;
    std::vector<QByteArray> data;
    std::vector<Word> ports;
    std::vector<std::thread::id> threads;

    TUdpSocket::TReadEvent Handler()
    {
        return [this](const QByteArray& d, const QString& from, Word port) {
            EXPECT_EQ(from, QStringLiteral("127.0.0.1"));
            std::lock_guard<std::mutex> g(lock);
            data.push_back(d);
            ports.push_back(port);
            threads.push_back(std::this_thread::get_id());
            cv.notify_all();
        };
    }
    bool WaitFor(size_t n)
    {
        std::unique_lock<std::mutex> g(lock);
        return cv.wait_for(g, std::chrono::seconds(5), [&] { return data.size() >= n; });
    }
};

} // namespace

TEST(UdpSocket, ExchangesDatagramsOnLoopbackOnTheListenerThread)
{
    Inbox aIn, bIn;
    TUdpSocket a, b;
    a.OnRead = aIn.Handler();
    b.OnRead = bIn.Handler();
    ASSERT_TRUE(a.Open(0, QStringLiteral("127.0.0.1"))) << a.ErrorMessage().toStdString();
    ASSERT_TRUE(b.Open()) << b.ErrorMessage().toStdString();
    EXPECT_TRUE(a.Active());
    EXPECT_NE(a.LocalPort(), 0);
    EXPECT_NE(a.LocalPort(), b.LocalPort());

    const QByteArray binary("\x10\x7B\x01\x7C\x16\x00\xFF", 7);
    ASSERT_TRUE(b.SendTo(QStringLiteral("127.0.0.1"), a.LocalPort(), binary));
    ASSERT_TRUE(b.SendTo(QStringLiteral("127.0.0.1"), a.LocalPort(), QByteArray("second")));
    ASSERT_TRUE(aIn.WaitFor(2));
    EXPECT_EQ(aIn.data[0], binary);
    EXPECT_EQ(aIn.data[1], QByteArray("second"));
    EXPECT_EQ(aIn.ports[0], b.LocalPort());
    EXPECT_NE(aIn.threads[0], std::this_thread::get_id());

    // An answer to the sender's port reaches the sender.
    ASSERT_TRUE(a.SendTo(QStringLiteral("127.0.0.1"), aIn.ports[0], QByteArray("answer")));
    ASSERT_TRUE(bIn.WaitFor(1));
    EXPECT_EQ(bIn.data[0], QByteArray("answer"));
}

TEST(UdpSocket, CutsDatagramsToTheBufferSize)
{
    Inbox in;
    TUdpSocket rx, tx;
    rx.OnRead = in.Handler();
    rx.BufferSize = 8192;
    ASSERT_TRUE(rx.Open(0, QStringLiteral("127.0.0.1")));
    ASSERT_TRUE(tx.Open());
    QByteArray big(9000, 'x');
    big[8191] = 'y';
    ASSERT_TRUE(tx.SendTo(QStringLiteral("127.0.0.1"), rx.LocalPort(), big));
    ASSERT_TRUE(in.WaitFor(1));
    ASSERT_EQ(in.data[0].size(), 8192);
    EXPECT_EQ(in.data[0].back(), 'y');
}

TEST(UdpSocket, RefusesWhatCannotWork)
{
    TUdpSocket s;
    // Closed: nothing is sent.
    EXPECT_FALSE(s.SendTo(QStringLiteral("127.0.0.1"), 9, QByteArray("x")));
    EXPECT_FALSE(s.ErrorMessage().isEmpty());
    EXPECT_EQ(s.LocalPort(), 0);

    ASSERT_TRUE(s.Open(0, QStringLiteral("127.0.0.1")));
    // Only the plain dotted form: the short and octal forms other readers
    // take would reach an address nobody typed.
    for (const char* bad : {"", "192.168.2.x", "converter.invalid", "300.1.1.1", "127.0.0.", "127.1", "0x7f.0.0.1",
                            "127.0.0.1 ", "1.2.3.4.5"}) {
        EXPECT_FALSE(s.SendTo(QString::fromLatin1(bad), 9, QByteArray("x"))) << bad;
        EXPECT_TRUE(s.ErrorMessage().contains(QLatin1String(bad))) << bad;
    }
    EXPECT_TRUE(s.SendTo(QStringLiteral("127.000.0.01"), 9, QByteArray("x")));

    // A port already bound elsewhere.
    TUdpSocket other;
    EXPECT_FALSE(other.Open(s.LocalPort(), QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(other.ErrorMessage().contains(QString::number(s.LocalPort())));
    EXPECT_FALSE(other.Active());
    EXPECT_FALSE(other.Open(0, QStringLiteral("not-an-address")));
}

TEST(UdpSocket, CloseStopsTheListenerAtOnceAndTheSocketOpensAgain)
{
    Inbox in;
    TUdpSocket s;
    s.OnRead = in.Handler();
    ASSERT_TRUE(s.Open(0, QStringLiteral("127.0.0.1")));
    const Word first = s.LocalPort();
    QElapsedTimer t;
    t.start();
    s.Close();
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_FALSE(s.Active());
    s.Close(); // closing a closed socket does nothing

    // The same port binds again once closed, and datagrams flow again.
    ASSERT_TRUE(s.Open(first, QStringLiteral("127.0.0.1")));
    TUdpSocket tx;
    ASSERT_TRUE(tx.Open());
    ASSERT_TRUE(tx.SendTo(QStringLiteral("127.0.0.1"), first, QByteArray("again")));
    ASSERT_TRUE(in.WaitFor(1));
    EXPECT_EQ(in.data[0], QByteArray("again"));
}

TEST(UdpSocket, CloseFromTheHandlerEndsTheListener)
{
    TUdpSocket s;
    std::atomic<int> calls {0};
    s.OnRead = [&](const QByteArray&, const QString&, Word) {
        ++calls;
        s.Close();
    };
    ASSERT_TRUE(s.Open(0, QStringLiteral("127.0.0.1")));
    const Word port = s.LocalPort();
    TUdpSocket tx;
    ASSERT_TRUE(tx.Open());
    ASSERT_TRUE(tx.SendTo(QStringLiteral("127.0.0.1"), port, QByteArray("one")));
    QElapsedTimer t;
    t.start();
    while (s.Active() && t.elapsed() < 5000)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_FALSE(s.Active());
    EXPECT_EQ(calls, 1);
    // The closed socket's port is free again.
    TUdpSocket again;
    EXPECT_TRUE(again.Open(port, QStringLiteral("127.0.0.1")));
}
