#include "Icmp.h"

#include "Files.h"
#include "NetSandbox.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct {
    const char* NotPermitted =
        "This program may not send ping requests: the system permits neither ping "
        "sockets for its group (net.ipv4.ping_group_range) nor raw sockets (CAP_NET_RAW)";
    const char* SocketFailed = "Cannot open a socket for ping: %1";
    const char* SendFailed = "Cannot send the ping request to %1: %2";
    const char* ReceiveFailed = "Cannot receive the ping reply: %1";
    const char* BadPayload = "Invalid ping packet size %1";
} const PingMsg;

constexpr int EchoReply = 0;
constexpr int EchoRequest = 8;
constexpr int IcmpHeaderBytes = 8;
constexpr int MaxPayloadBytes = 65507 - IcmpHeaderBytes;

QString AddressText(const TIpv4Address& a)
{
    return QStringLiteral("%1.%2.%3.%4").arg(a[0]).arg(a[1]).arg(a[2]).arg(a[3]);
}

uint16_t PacketWord(const QByteArray& b, int at)
{
    return uint16_t((uint8_t(b[at]) << 8) | uint8_t(b[at + 1]));
}

class SocketHandle {
public:
    explicit SocketHandle(int fd) : FFd(fd) {}
    ~SocketHandle()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    int Fd() const { return FFd; }

private:
    int FFd;
};

// A ping socket when the system grants one, else a raw socket.
int OpenPingSocket(bool& raw)
{
    ISocketGate& gate = SocketGate();
    raw = false;
    int fd = gate.OpenSocket(AF_INET, SOCK_DGRAM, IPPROTO_ICMP);
    if (fd >= 0)
        return fd;
    raw = true;
    fd = gate.OpenSocket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
    if (fd >= 0)
        return fd;
    const int err = errno;
    if (err == EPERM || err == EACCES)
        throw EPingError(TPingErrorKind::NotPermitted, QLatin1String(PingMsg.NotPermitted));
    throw EPingError(TPingErrorKind::SocketError,
                     QString::fromLatin1(PingMsg.SocketFailed).arg(SystemErrorText(err)));
}

}  // namespace

uint16_t IcmpChecksum(const QByteArray& bytes)
{
    uint32_t sum = 0;
    const int n = int(bytes.size());
    for (int i = 0; i + 1 < n; i += 2)
        sum += PacketWord(bytes, i);
    if (n % 2)
        sum += uint32_t(uint8_t(bytes[n - 1])) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return uint16_t(~sum);
}

QByteArray BuildEchoRequest(uint16_t identifier, uint16_t sequence, int payloadBytes)
{
    QByteArray p(IcmpHeaderBytes + payloadBytes, '\0');
    p[0] = char(EchoRequest);
    p[1] = 0;
    p[4] = char(identifier >> 8);
    p[5] = char(identifier & 0xFF);
    p[6] = char(sequence >> 8);
    p[7] = char(sequence & 0xFF);
    for (int i = 0; i < payloadBytes; ++i)
        p[IcmpHeaderBytes + i] = char('A' + i % 26);
    const uint16_t sum = IcmpChecksum(p);
    p[2] = char(sum >> 8);
    p[3] = char(sum & 0xFF);
    return p;
}

int MatchEchoReply(const TReceivedPacket& packet, const TIpv4Address& target,
                   uint16_t identifier, uint16_t sequence)
{
    if (packet.Source != target)
        return 0;
    const QByteArray& d = packet.Data;
    int offset = 0;
    if (packet.WithIpHeader) {
        if (d.size() < 20 || (uint8_t(d[0]) >> 4) != 4)
            return 0;
        offset = (uint8_t(d[0]) & 0x0F) * 4;
        if (offset < 20 || d.size() < offset)
            return 0;
    }
    const QByteArray icmp = d.mid(offset);
    if (icmp.size() < IcmpHeaderBytes)
        return 0;
    if (uint8_t(icmp[0]) != EchoReply || icmp[1] != 0)
        return 0;
    if (PacketWord(icmp, 4) != identifier || PacketWord(icmp, 6) != sequence)
        return 0;
    if (IcmpChecksum(icmp) != 0)
        return 0;
    return int(icmp.size());
}

TIcmpClient::TIcmpClient()
    : FIdentifier(uint16_t(QRandomGenerator::global()->generate() & 0xFFFF))
{
}

TPingResult TIcmpClient::Echo(const TIpv4Address& address, int timeoutMs, int payloadBytes)
{
    if (LoopbackOnly() && !IsLoopbackAddress(address))
        throw EPingError(TPingErrorKind::Refused, LoopbackRefusal(AddressText(address)));
    if (payloadBytes < 0 || payloadBytes > MaxPayloadBytes)
        throw EPingError(TPingErrorKind::SocketError,
                         QString::fromLatin1(PingMsg.BadPayload).arg(payloadBytes));

    bool raw = false;
    SocketHandle socket(OpenPingSocket(raw));
    const uint16_t sequence = FSequence++;

    sockaddr_in to{};
    to.sin_family = AF_INET;
    std::memcpy(&to.sin_addr.s_addr, address.data(), 4);

    // On a ping socket the kernel puts its own identifier (the socket's
    // port) into the request; it is known once the socket is bound.
    uint16_t identifier = FIdentifier;
    if (!raw) {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        socklen_t len = sizeof local;
        if (::bind(socket.Fd(), reinterpret_cast<sockaddr*>(&local), sizeof local) != 0
            || ::getsockname(socket.Fd(), reinterpret_cast<sockaddr*>(&local), &len) != 0)
            throw EPingError(TPingErrorKind::SocketError,
                             QString::fromLatin1(PingMsg.SocketFailed).arg(SystemErrorText(errno)));
        identifier = ntohs(local.sin_port);
    }

    const QByteArray request = BuildEchoRequest(identifier, sequence, payloadBytes);
    QElapsedTimer clock;
    clock.start();
    if (::sendto(socket.Fd(), request.constData(), size_t(request.size()), 0,
                 reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0)
        throw EPingError(TPingErrorKind::SocketError,
                         QString::fromLatin1(PingMsg.SendFailed)
                             .arg(AddressText(address), SystemErrorText(errno)));

    TPingResult result;
    QByteArray buffer(65536, '\0');
    for (;;) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            break;
        pollfd pfd{socket.Fd(), POLLIN, 0};
        const int ready = ::poll(&pfd, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            throw EPingError(TPingErrorKind::SocketError,
                             QString::fromLatin1(PingMsg.ReceiveFailed).arg(SystemErrorText(errno)));
        if (ready == 0)
            break;
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = ::recvfrom(socket.Fd(), buffer.data(), size_t(buffer.size()),
                                     MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n < 0) {
            // An ICMP error about an earlier packet surfaces here once; it is
            // no reply, so the wait goes on.
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR
                || errno == ECONNREFUSED || errno == EHOSTUNREACH || errno == ENETUNREACH
                || errno == EHOSTDOWN)
                continue;
            throw EPingError(TPingErrorKind::SocketError,
                             QString::fromLatin1(PingMsg.ReceiveFailed).arg(SystemErrorText(errno)));
        }
        TReceivedPacket packet;
        packet.Data = buffer.left(int(n));
        packet.WithIpHeader = raw;
        std::memcpy(packet.Source.data(), &from.sin_addr.s_addr, 4);
        const int size = MatchEchoReply(packet, address, identifier, sequence);
        if (size > 0) {
            result.Replied = true;
            result.BytesReceived = size;
            result.RttMs = int(clock.elapsed());
            break;
        }
    }
    return result;
}
