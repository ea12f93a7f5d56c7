// The device check: the address read from the octet fields, the echo loop's
// timing, its ends and the message each end selects.
#include "BootEcho.h"
#include "Services.h"
#include "UBootPing.h"

#include <gtest/gtest.h>

using namespace BootEcho;

namespace {

struct EchoFixture {
    std::shared_ptr<TestClock> Clock = std::make_shared<TestClock>();
    ScopedService<std::shared_ptr<IClock>> ClockGuard{&PlatformServices::Clock, Clock};
};

}  // namespace

TEST(BootPing, OctetFieldsReadAsFourDecimalNumbers)
{
    struct Case {
        TOctetTexts Fields;
        bool Ok;
        TIpv4Address Address;
    };
    const Case cases[] = {
        {{"192", "168", "2", "205"}, true, {192, 168, 2, 205}},
        {{" 192", "168", "010", "5"}, true, {192, 168, 10, 5}},  // never octal
        {{"0", "0", "0", "0"}, true, {0, 0, 0, 0}},
        {{"192", "168", "2", "256"}, false, {}},
        {{"192", "168", "2", "-1"}, false, {}},
        {{"abc", "168", "2", "5"}, false, {}},
        {{"192", "", "2", "5"}, false, {}},
        {{"192", "168", "1.2", "5"}, false, {}},
        {{"192", "168", "2", "5 "}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(JoinOctetTexts(c.Fields).toStdString());
        TIpv4Address a{9, 9, 9, 9};
        EXPECT_EQ(ReadOctetFields(c.Fields, a), c.Ok);
        EXPECT_EQ(a, (c.Ok ? c.Address : TIpv4Address{9, 9, 9, 9}));
    }
    EXPECT_EQ(JoinOctetTexts({" 192", "168", "010", "5"}), QStringLiteral(" 192.168.010.5"));
}

TEST(BootPing, LoopScenarios)
{
    const Step A{Kind::Answer};
    const Step S{Kind::Silent};
    const TOctetTexts device{"192", "168", "2", "205"};  // text only: the client is a fake
    struct Case {
        const char* Name;
        QList<Step> Script;
        TOctetTexts Fields;
        int Requests;
        bool Answered;
        int PingRes;
        TCheckMessage Message;
    };
    QList<Step> silent12ThenLate;
    for (int i = 0; i < 12; ++i)
        silent12ThenLate.append(S);
    silent12ThenLate.append(Step{Kind::Answer, 100});
    const Case cases[] = {
        {"answers every request", {A}, device, 2, true, 1, TCheckMessage::None},
        {"never answers", {S}, device, 13, false, 2, TCheckMessage::NotFound},
        {"answers the first, then silent", {A, S}, device, 14, false, 2, TCheckMessage::NotFound},
        {"answers, silent, answers", {A, S, A}, device, 3, true, 1, TCheckMessage::None},
        {"silent 12 times, the 13th answered after 100 ms", silent12ThenLate, device, 13, true, 1,
         TCheckMessage::None},
        {"error on the first request", {Step{Kind::Error}}, device, 1, false, 0,
         TCheckMessage::CheckAddress},
        {"error after one answered request", {A, Step{Kind::Error}}, device, 2, false, 1,
         TCheckMessage::CheckAddress},
        {"error after one silent request", {S, Step{Kind::Error}}, device, 2, false, 2,
         TCheckMessage::NotFound},
        {"not permitted on the first request", {Step{Kind::NotPermitted}}, device, 1, false, 0,
         TCheckMessage::NotPermitted},
        {"octet 256", {A}, {"192", "168", "2", "256"}, 0, false, 0, TCheckMessage::CheckAddress},
        {"letters", {A}, {"abc", "168", "2", "5"}, 0, false, 0, TCheckMessage::CheckAddress},
        {"empty field", {A}, {"192", "168", "", "5"}, 0, false, 0, TCheckMessage::CheckAddress},
        {"dotted field", {A}, {"1.2", "168", "2", "5"}, 0, false, 0, TCheckMessage::CheckAddress},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EchoFixture f;
        TScriptedEcho client(f.Clock, c.Script);
        int pingRes = 7;
        int pumps = 0;
        TEchoHooks hooks;
        hooks.Pump = [&] { ++pumps; };
        const TEchoOutcome out = CheckDevice(client, c.Fields, pingRes, hooks);
        EXPECT_EQ(client.Requests(), c.Requests);
        EXPECT_EQ(out.Requests, c.Requests);
        EXPECT_EQ(out.Answered, c.Answered);
        EXPECT_EQ(pingRes, c.PingRes);
        EXPECT_EQ(CheckMessage(out, pingRes), c.Message);
        // One 10 ms sleep and one pump after every request that returned.
        const int waits = out.Stop == TEchoStop::Finished ? c.Requests : std::max(0, c.Requests - 1);
        EXPECT_EQ(pumps, waits);
        EXPECT_EQ(f.Clock->SleepCount(), waits);
        EXPECT_EQ(f.Clock->SleptMs(), uint64_t(10 * waits));
        if (c.Requests > 0) {
            EXPECT_EQ(client.LastTimeout, 400);
            EXPECT_EQ(client.LastPayload, 1024);
        }
    }
}

TEST(BootPing, TheClientGetsTheNumbersNotTheText)
{
    EchoFixture f;
    TScriptedEcho client(f.Clock, {Step{Kind::Answer}});
    int pingRes = 0;
    CheckDevice(client, {" 192", "168", "010", "5"}, pingRes, {});
    ASSERT_EQ(client.Requests(), 2);
    EXPECT_EQ(client.Addresses[0], (TIpv4Address{192, 168, 10, 5}));
    EXPECT_EQ(client.Addresses[1], (TIpv4Address{192, 168, 10, 5}));
}

TEST(BootPing, AbortEndsTheLoopAtItsNextWait)
{
    for (Kind k : {Kind::Answer, Kind::Silent}) {
        EchoFixture f;
        TScriptedEcho client(f.Clock, {Step{k}});
        int pingRes = 0;
        bool cancel = false;
        TEchoHooks hooks;
        hooks.Pump = [&] { cancel = true; };  // the user presses Cancel in the first wait
        hooks.Aborted = [&] { return cancel; };
        const TEchoOutcome out = CheckDevice(client, {"127", "0", "0", "1"}, pingRes, hooks);
        EXPECT_EQ(client.Requests(), 1);
        EXPECT_EQ(out.Stop, TEchoStop::Aborted);
        EXPECT_FALSE(out.Answered);
        EXPECT_EQ(CheckMessage(out, pingRes), TCheckMessage::None);
    }
}

TEST(BootPing, AnyOtherExceptionOfTheClientIsAFailedCheck)
{
    class Throwing : public IIcmpClient {
    public:
        TPingResult Echo(const TIpv4Address&, int, int) override { throw std::runtime_error("x"); }
    } client;
    EchoFixture f;
    int pingRes = 0;
    const TEchoOutcome out = CheckDevice(client, {"127", "0", "0", "1"}, pingRes, {});
    EXPECT_EQ(out.Stop, TEchoStop::ClientError);
    EXPECT_EQ(CheckMessage(out, pingRes), TCheckMessage::CheckAddress);
}

TEST(BootPing, RealEchoToLoopback)
{
    // The only request of these tests that leaves the process: to 127.0.0.1,
    // with the loopback-only guard on.
    ASSERT_TRUE(Services().LoopbackOnly);
    ScopedService<std::shared_ptr<IClock>> clock(&PlatformServices::Clock,
                                                 std::make_shared<SystemClock>());
    TIcmpClient client;
    int pingRes = 0;
    const TEchoOutcome out = CheckDevice(client, {"127", "0", "0", "1"}, pingRes, {});
    if (out.Stop == TEchoStop::NotPermitted)
        GTEST_SKIP() << "This system permits neither ping sockets (net.ipv4.ping_group_range) "
                        "nor raw sockets (CAP_NET_RAW) for this process";
    EXPECT_EQ(out.Stop, TEchoStop::Finished);
    EXPECT_TRUE(out.Answered);
    EXPECT_EQ(out.Requests, 2);
    EXPECT_EQ(pingRes, 1);
}
