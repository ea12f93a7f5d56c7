// ICMP echo: the pure packet functions, and one real echo to 127.0.0.1.
#include "Fakes.h"
#include "Icmp.h"
#include "NetSandbox.h"
#include "Services.h"

#include <cerrno>
#include <cstdio>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const TIpv4Address Target{127, 0, 0, 1};

QByteArray Icmp(uint8_t type, uint16_t id, uint16_t seq, int payload)
{
    QByteArray p(8 + payload, 'p');
    p[0] = char(type);
    p[1] = 0;
    p[2] = p[3] = 0;
    p[4] = char(id >> 8);
    p[5] = char(id);
    p[6] = char(seq >> 8);
    p[7] = char(seq);
    const uint16_t sum = IcmpChecksum(p);
    p[2] = char(sum >> 8);
    p[3] = char(sum);
    return p;
}

QByteArray WithIpHeader(const QByteArray& icmp, int headerBytes)
{
    QByteArray ip(headerBytes, '\0');
    ip[0] = char(0x40 | (headerBytes / 4));
    return ip + icmp;
}

}  // namespace

TEST(Icmp, ChecksumOfKnownPackets)
{
    // The worked example of the Internet checksum.
    EXPECT_EQ(IcmpChecksum(QByteArray::fromHex("0001f203f4f5f6f7")), 0x220d);
    // An odd length pads the last byte with zero.
    EXPECT_EQ(IcmpChecksum(QByteArray::fromHex("0001f203f4f5f6")), 0x2304);
    // An echo request with identifier 0x1234, sequence 1 and no data.
    EXPECT_EQ(BuildEchoRequest(0x1234, 1, 0), QByteArray::fromHex("0800e5ca12340001"));
    // A packet with its checksum filled in sums to zero.
    const QByteArray request = BuildEchoRequest(0xBEEF, 7, 1024);
    EXPECT_EQ(request.size(), 8 + 1024);
    EXPECT_EQ(IcmpChecksum(request), 0);
}

TEST(Icmp, OnlyOurReplyFromTheTargetCounts)
{
    const uint16_t id = 0x4242;
    const uint16_t seq = 9;
    const QByteArray reply = Icmp(0, id, seq, 32);
    QByteArray corrupted = reply;
    corrupted[20] = char(corrupted[20] ^ 0x55);
    QByteArray shortHeader = WithIpHeader(reply, 20);
    shortHeader[0] = char(0x46);  // claims 24 bytes of header
    shortHeader.truncate(22);

    struct Case {
        const char* Name;
        QByteArray Data;
        bool Raw;
        TIpv4Address Source;
        int Expected;  // bytes counted, 0 = ignored
    };
    const Case cases[] = {
        {"our reply from the target", reply, false, Target, 40},
        {"from another source", reply, false, {127, 0, 0, 2}, 0},
        {"another identifier", Icmp(0, id + 1, seq, 32), false, Target, 0},
        {"the previous request's sequence", Icmp(0, id, seq - 1, 32), false, Target, 0},
        {"destination unreachable", Icmp(3, id, seq, 32), false, Target, 0},
        {"our own request looped back", Icmp(8, id, seq, 32), false, Target, 0},
        {"truncated", reply.left(6), false, Target, 0},
        {"checksum wrong", corrupted, false, Target, 0},
        {"raw with a 20-byte IP header", WithIpHeader(reply, 20), true, Target, 40},
        {"raw with a 24-byte IP header", WithIpHeader(reply, 24), true, Target, 40},
        {"raw, header longer than the packet", shortHeader, true, Target, 0},
        {"raw, no IP header at all", reply, true, Target, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TReceivedPacket p;
        p.Data = c.Data;
        p.WithIpHeader = c.Raw;
        p.Source = c.Source;
        EXPECT_EQ(MatchEchoReply(p, Target, id, seq), c.Expected);
    }
}

namespace {

// The system's sockets, with one kind refused as if not permitted.
class OneKindGate : public TSystemSocketGate {
public:
    explicit OneKindGate(int allowedType) : FAllowed(allowedType) {}
    int OpenSocket(int domain, int type, int protocol) override
    {
        if (type != FAllowed) {
            errno = EACCES;
            return -1;
        }
        ++Opened;
        return TSystemSocketGate::OpenSocket(domain, type, protocol);
    }
    int Opened = 0;

private:
    int FAllowed;
};

bool Permitted(int type)
{
    const int fd = ::socket(AF_INET, type, IPPROTO_ICMP);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

}  // namespace

TEST(Icmp, RealEchoToLoopbackOnEachPermittedSocketKind)
{
    const struct {
        int Type;
        const char* Name;
    } kinds[] = {{SOCK_DGRAM, "ping socket"}, {SOCK_RAW, "raw socket"}};
    int ran = 0;
    for (const auto& k : kinds) {
        if (!Permitted(k.Type)) {
            std::printf("[ INFO     ] ICMP echo on a %s: not permitted here, not tried\n", k.Name);
            continue;
        }
        SCOPED_TRACE(k.Name);
        auto gate = std::make_shared<OneKindGate>(k.Type);
        ScopedService g(&PlatformServices::Sockets, gate);
        TIcmpClient client;
        const uint16_t firstSeq = client.NextSequence();
        for (int i = 0; i < 2; ++i) {
            const TPingResult r = client.Echo(Target, 1000, 1024);
            EXPECT_TRUE(r.Replied);
            EXPECT_EQ(r.BytesReceived, 8 + 1024);
        }
        EXPECT_EQ(client.NextSequence(), uint16_t(firstSeq + 2));
        EXPECT_EQ(gate->Opened, 2);
        std::printf("[ INFO     ] ICMP echo to 127.0.0.1 on a %s: ran\n", k.Name);
        ++ran;
    }
    if (ran == 0)
        GTEST_SKIP() << "This machine permits neither ping sockets (net.ipv4.ping_group_range) "
                        "nor raw sockets (CAP_NET_RAW) for this process";
}

TEST(Icmp, NeitherSocketKindPermittedIsItsOwnError)
{
    auto gate = std::make_shared<TRecordingSocketGate>();
    ScopedService g(&PlatformServices::Sockets, gate);
    TIcmpClient client;
    try {
        client.Echo(Target);
        FAIL() << "no exception";
    } catch (const EPingError& e) {
        EXPECT_EQ(e.Kind(), TPingErrorKind::NotPermitted);
        EXPECT_TRUE(e.Message().contains(QLatin1String("ping_group_range")));
    }
    EXPECT_EQ(gate->SocketsOpened, 2);
}
