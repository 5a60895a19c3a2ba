// The datagram socket over POSIX sockets. The listener waits in poll() on the
// socket and on a wake-up pipe, so that Close ends it at once.
#include "UdpSocket.h"

#include <QStringList>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

// A datagram sent on this machine is received after it was sent: the
// kernel orders the two, out of a thread sanitizer's sight. Under one, the
// sender releases and the receiver acquires a mark of the port, so that what
// the sender did before sending counts as done before the receiver's handler.
#if defined(__SANITIZE_THREAD__)
#define ARVINTO_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ARVINTO_THREAD_SANITIZER 1
#endif
#endif
#ifdef ARVINTO_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
namespace {
char g_portMarks[65536];
void Datagram_Sent(Word Port) { __tsan_release(&g_portMarks[Port]); }
void Datagram_Received(Word Port) { __tsan_acquire(&g_portMarks[Port]); }
} // namespace
#else
namespace {
void Datagram_Sent(Word) {}
void Datagram_Received(Word) {}
} // namespace
#endif

struct TUdpSocket::Impl {
    std::atomic<int> fd {-1};
    int wake[2] = {-1, -1};
    // Read by any thread; a Close from OnRead clears it on the listener.
    std::atomic<Word> port {0};
    std::thread listener;
    // Set when Close ran inside OnRead: the listener then leaves after the
    // handler without touching the closed handles.
    std::shared_ptr<std::atomic<bool>> stop;
    mutable std::mutex errorLock;
    QString error;

    void SetError(const QString& text)
    {
        std::lock_guard<std::mutex> g(errorLock);
        error = text;
    }
    void SetSystemError(const QString& what, int code) { SetError(what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code))); }

    static void Listen(int fd, int wakeFd, const std::shared_ptr<std::atomic<bool>>& stop, const TReadEvent& onRead,
                       Integer bufferSize, Word localPort)
    {
        std::vector<char> buffer(size_t(bufferSize > 0 ? bufferSize : 1));
        pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        while (!*stop) {
            const int n = poll(fds, 2, -1);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (fds[1].revents != 0)
                return;
            if ((fds[0].revents & POLLIN) == 0) {
                if (fds[0].revents & (POLLERR | POLLNVAL))
                    return;
                continue;
            }
            sockaddr_in from {};
            socklen_t fromLen = sizeof from;
            const ssize_t got = recvfrom(fd, buffer.data(), buffer.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &fromLen);
            if (got < 0)
                continue; // ECONNREFUSED from an earlier send, EAGAIN: nothing to hand on
            if (!onRead)
                continue;
            Datagram_Received(localPort);
            char text[INET_ADDRSTRLEN] = {};
            inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
            onRead(QByteArray(buffer.data(), int(got)), QString::fromLatin1(text), ntohs(from.sin_port));
        }
    }

    void StopListener()
    {
        if (stop)
            *stop = true;
        if (wake[1] >= 0) {
            const char b = 1;
            [[maybe_unused]] const ssize_t w = write(wake[1], &b, 1);
        }
        if (listener.joinable()) {
            if (listener.get_id() == std::this_thread::get_id())
                listener.detach(); // called from OnRead: the listener ends by itself after the handler
            else
                listener.join();
        }
    }

    void CloseHandles()
    {
        if (fd >= 0)
            ::close(fd.exchange(-1));
        for (int* h : {&wake[0], &wake[1]}) {
            if (*h >= 0)
                ::close(*h);
            *h = -1;
        }
        port = 0;
    }
};

bool ParseIPv4(const QString& Text, LongWord& Address)
{
    const QStringList parts = Text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    LongWord v = 0;
    for (const QString& p : parts) {
        if (p.isEmpty() || p.size() > 3)
            return false;
        int n = 0;
        for (QChar c : p) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
            n = n * 10 + (c.unicode() - '0');
        }
        if (n > 255)
            return false;
        v = (v << 8) | LongWord(n);
    }
    Address = v;
    return true;
}

TUdpSocket::TUdpSocket() : d_(std::make_unique<Impl>()) {}

TUdpSocket::~TUdpSocket() { Close(); }

bool TUdpSocket::Open(Word Port, const QString& BindAddress)
{
    Close();
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(Port);
    addr.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!BindAddress.isEmpty() && inet_pton(AF_INET, BindAddress.toLatin1().constData(), &addr.sin_addr) != 1) {
        d_->SetError(QStringLiteral("Not an IPv4 address: ") + BindAddress);
        return false;
    }
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        d_->SetSystemError(QStringLiteral("Cannot create the socket"), errno);
        return false;
    }
    sockaddr_in bound {};
    socklen_t len = sizeof bound;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len) != 0) {
        d_->SetSystemError(QStringLiteral("Cannot bind port %1").arg(Port), errno);
        ::close(fd);
        return false;
    }
    if (pipe2(d_->wake, O_CLOEXEC) != 0) {
        d_->SetSystemError(QStringLiteral("Cannot create the socket"), errno);
        ::close(fd);
        return false;
    }
    d_->port = ntohs(bound.sin_port);
    d_->stop = std::make_shared<std::atomic<bool>>(false);
    d_->listener = std::thread(&Impl::Listen, fd, d_->wake[0], d_->stop, OnRead, BufferSize, d_->port.load());
    d_->fd = fd;
    return true;
}

void TUdpSocket::Close()
{
    if (d_->fd < 0)
        return;
    d_->StopListener();
    d_->CloseHandles();
}

bool TUdpSocket::Active() const { return d_->fd >= 0; }

Word TUdpSocket::LocalPort() const { return d_->port; }

bool TUdpSocket::SendTo(const QString& Address, Word Port, const QByteArray& Data)
{
    if (d_->fd < 0) {
        d_->SetError(QStringLiteral("The socket is not open"));
        return false;
    }
    // Only the plain dotted form: the system's reader would also take
    // "10.1" or octal parts, and so send to an address nobody typed.
    LongWord address = 0;
    if (!ParseIPv4(Address, address)) {
        d_->SetError(QStringLiteral("The address \"%1\" is not an IPv4 address").arg(Address));
        return false;
    }
    sockaddr_in to {};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(address);
    to.sin_port = htons(Port);
    Datagram_Sent(Port);
    const ssize_t sent = sendto(d_->fd.load(), Data.constData(), size_t(Data.size()), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    if (sent != ssize_t(Data.size())) {
        d_->SetSystemError(QStringLiteral("Cannot send to %1:%2").arg(Address).arg(Port), errno);
        return false;
    }
    return true;
}

QString TUdpSocket::ErrorMessage() const
{
    std::lock_guard<std::mutex> g(d_->errorLock);
    return d_->error;
}
