#include "IcmpEcho.h"
#include "UdpSocket.h"

#include <QStringList>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::uint8_t kEchoReply = 0;
constexpr std::uint8_t kUnreachable = 3;
constexpr std::uint8_t kEchoRequest = 8;

// A dotted address, or a host name through the system's resolver. Texts
// that are neither (a number with a part missing, blanks, ...) are refused
// at once, without asking any name server.
bool Resolve(const QString& host, in_addr& out, QString& why)
{
    LongWord address = 0;
    if (ParseIPv4(host, address)) {
        out.s_addr = htonl(address);
        return true;
    }
    bool letter = false, valid = !host.isEmpty();
    for (QChar c : host) {
        const bool alpha = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        letter = letter || alpha;
        valid = valid && (alpha || c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-')) && c.unicode() < 128;
    }
    if (valid && letter) {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        addrinfo* res = nullptr;
        if (::getaddrinfo(host.toLatin1().constData(), nullptr, &hints, &res) == 0 && res) {
            out = reinterpret_cast<sockaddr_in*>(res->ai_addr)->sin_addr;
            ::freeaddrinfo(res);
            return true;
        }
    }
    why = QStringLiteral("The host \"%1\" cannot be resolved to an IPv4 address.").arg(host);
    return false;
}

std::uint16_t Checksum(const std::uint8_t* p, size_t n)
{
    std::uint32_t sum = 0;
    for (size_t i = 0; i + 1 < n; i += 2)
        sum += std::uint32_t(p[i] << 8 | p[i + 1]);
    if (n & 1)
        sum += std::uint32_t(p[n - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return std::uint16_t(~sum);
}

std::uint16_t Get16(const std::uint8_t* p)
{
    return std::uint16_t(p[0] << 8 | p[1]);
}

std::atomic<std::uint16_t> g_nextId{std::uint16_t(::getpid() * 31)};

// Why no ICMP socket could be had, from the errors of the datagram and the
// raw socket, and what an administrator does about it.
QString No_Socket_Message(int datagramError, int rawError)
{
    const QString reasons = QStringLiteral("the unprivileged (datagram) ICMP socket was refused: %1; the raw one: %2.")
                                .arg(QString::fromLocal8Bit(std::strerror(datagramError)),
                                     QString::fromLocal8Bit(std::strerror(rawError)));
    if (datagramError != EACCES && datagramError != EPERM)
        return QStringLiteral("No ICMP socket can be opened: ") + reasons;
    return QStringLiteral("This system does not let this user send echo requests (ping): ") + reasons
           + QStringLiteral("\nAn administrator allows them for every user with\n"
                            "    sysctl -w net.ipv4.ping_group_range=\"0 2147483647\"\n"
                            "(a line net.ipv4.ping_group_range = 0 2147483647 in a file under /etc/sysctl.d/ "
                            "keeps it after a restart), or for this program alone with\n"
                            "    setcap cap_net_raw+ep <the program file>");
}

} // namespace

TReplyStatus TIcmpEcho::Ping(const QByteArray& Data, Word SequenceId)
{
    TReplyStatus st;
    st.SequenceId = SequenceId;
    in_addr dest{};
    if (!Resolve(Host, dest, st.Msg))
        return st;

    // Datagram sockets need no privilege where the system's ping group
    // range allows them; raw sockets need it.
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    const int datagramError = errno;
    datagram_ = fd >= 0;
    if (fd < 0)
        fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) {
        st.ReplyStatusType = rsNotSent;
        st.Msg = No_Socket_Message(datagramError, errno);
        return st;
    }

    // The kernel puts its own identifier into a datagram socket's requests.
    const std::uint16_t id = datagram_ ? 0 : g_nextId++;
    QByteArray packet(8, '\0');
    packet += Data;
    auto* p = reinterpret_cast<std::uint8_t*>(packet.data());
    p[0] = kEchoRequest;
    p[4] = std::uint8_t(id >> 8);
    p[5] = std::uint8_t(id);
    p[6] = std::uint8_t(SequenceId >> 8);
    p[7] = std::uint8_t(SequenceId);
    const std::uint16_t sum = Checksum(p, size_t(packet.size()));
    p[2] = std::uint8_t(sum >> 8);
    p[3] = std::uint8_t(sum);

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr = dest;
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + std::chrono::milliseconds(std::max<Integer>(ReceiveTimeout, 0));
    char fromText[INET_ADDRSTRLEN] = {};
    auto finish = [&](TReplyStatusTypes type) {
        st.ReplyStatusType = type;
        st.MsRoundTripTime = Integer(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
        ::close(fd);
        if (OnReply)
            OnReply(this, st);
        return st;
    };

    if (::sendto(fd, packet.constData(), size_t(packet.size()), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) < 0) {
        const int err = errno;
        st.Msg = QString::fromLocal8Bit(std::strerror(err));
        if (err == ENETUNREACH || err == EHOSTUNREACH)
            return finish(rsErrorUnreachable);
        st.ReplyStatusType = rsNotSent;
        st.Msg = QStringLiteral("The system refused the echo request: %1").arg(st.Msg);
        ::close(fd);
        return st;
    }

    std::uint8_t buf[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            return finish(rsTimeOut);
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return finish(rsTimeOut);
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = ::recvfrom(fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            if (errno == EHOSTUNREACH || errno == ENETUNREACH || errno == ECONNREFUSED) {
                st.Msg = QString::fromLocal8Bit(std::strerror(errno));
                return finish(rsErrorUnreachable);
            }
            continue;
        }
        // A raw socket sees the IP header and every ICMP message of the
        // host (our own request too, on loopback); a datagram socket only
        // the ICMP answers meant for it.
        const std::uint8_t* icmp = buf;
        size_t len = size_t(n);
        if (!datagram_) {
            const size_t ihl = size_t(buf[0] & 0x0F) * 4;
            if (len < ihl + 8)
                continue;
            icmp += ihl;
            len -= ihl;
        } else if (len < 8) {
            continue;
        }
        if (from.sin_addr.s_addr != dest.s_addr && icmp[0] == kEchoReply)
            continue;
        if (icmp[0] == kEchoReply && Get16(icmp + 6) == SequenceId && (datagram_ || Get16(icmp + 4) == id)) {
            st.BytesReceived = Integer(len);
            ::inet_ntop(AF_INET, &from.sin_addr, fromText, sizeof fromText);
            st.FromIpAddress = QString::fromLatin1(fromText);
            return finish(rsEcho);
        }
        if (!datagram_ && icmp[0] == kUnreachable && len >= 8 + 20 + 8) {
            // The answer quotes our request: its IP header, then 8 bytes of ICMP.
            const std::uint8_t* inner = icmp + 8;
            const size_t innerIhl = size_t(inner[0] & 0x0F) * 4;
            if (len >= 8 + innerIhl + 8) {
                const std::uint8_t* req = inner + innerIhl;
                if (req[0] == kEchoRequest && Get16(req + 4) == id && Get16(req + 6) == SequenceId) {
                    ::inet_ntop(AF_INET, &from.sin_addr, fromText, sizeof fromText);
                    st.FromIpAddress = QString::fromLatin1(fromText);
                    st.Msg = QStringLiteral("Destination unreachable");
                    return finish(rsErrorUnreachable);
                }
            }
        }
    }
}
