#pragma once
// ICMP echo (ping) to an IPv4 address, one blocking request at a time.
//
// The request goes out on a Linux ping socket (SOCK_DGRAM, IPPROTO_ICMP),
// allowed when the process's group lies in net.ipv4.ping_group_range, else
// on a raw socket (needs CAP_NET_RAW). Only an echo reply from the target
// with our identifier and this request's sequence number counts; late
// replies, other requests' replies and other ICMP messages (a router's
// "destination unreachable") are ignored until the time-out.

#include "SysUtils.h"

#include <QByteArray>
#include <array>
#include <cstdint>

enum class TPingErrorKind {
    NotPermitted,  // neither socket kind may be opened by this process
    SocketError,   // any other failure of the socket calls
    Refused,       // the loopback-only guard refused the destination
};

class EPingError : public Exception {
public:
    EPingError(TPingErrorKind kind, const QString& msg) : Exception(msg), FKind(kind) {}
    QString ClassName() const override { return QStringLiteral("EPingError"); }
    TPingErrorKind Kind() const { return FKind; }

private:
    TPingErrorKind FKind;
};

using TIpv4Address = std::array<uint8_t, 4>;

struct TPingResult {
    bool Replied = false;
    int BytesReceived = 0;  // the ICMP message of the reply (header and data); 0 when none came
    int RttMs = 0;
};

class IIcmpClient {
public:
    virtual ~IIcmpClient() = default;
    // Raises EPingError when no request can be sent.
    virtual TPingResult Echo(const TIpv4Address& address, int timeoutMs = 400,
                             int payloadBytes = 1024) = 0;
};

class TIcmpClient : public IIcmpClient {
public:
    TIcmpClient();
    TPingResult Echo(const TIpv4Address& address, int timeoutMs = 400,
                     int payloadBytes = 1024) override;

    // The sequence number the next request carries.
    uint16_t NextSequence() const { return FSequence; }

private:
    uint16_t FIdentifier;
    uint16_t FSequence = 1;
};

// The Internet checksum (one's complement of the one's complement sum of
// the 16-bit words, an odd last byte padded with zero).
uint16_t IcmpChecksum(const QByteArray& bytes);

// An echo request (type 8, code 0) with the checksum filled in and a
// payload of the given size.
QByteArray BuildEchoRequest(uint16_t identifier, uint16_t sequence, int payloadBytes);

// What arrived on the socket, and whether it answers our request.
struct TReceivedPacket {
    QByteArray Data;           // as read from the socket
    bool WithIpHeader = false; // a raw socket delivers the IP header first
    TIpv4Address Source{};     // the sender, as recvfrom gave it
};

// The size of the ICMP echo reply that answers (target, identifier,
// sequence), or 0 when the packet is to be ignored.
int MatchEchoReply(const TReceivedPacket& packet, const TIpv4Address& target,
                   uint16_t identifier, uint16_t sequence);
