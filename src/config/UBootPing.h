#pragma once
// The device check of the update dialog: the address read from the four
// octet fields, and the loop of ICMP echo requests that decides whether the
// device answers.
//
// The address is read as four numbers and never handed to a resolver, so a
// typed "abc" sends no name query and "010" is ten, not octal eight. The loop
// runs on the GUI thread: each request blocks up to its receive time-out, and
// between requests it sleeps in 10 ms steps and lets pending events through.

#include "Icmp.h"

#include <QString>
#include <array>
#include <functional>

using TOctetTexts = std::array<QString, 4>;

// Each field read with the shared integer reader and within 0..255; false
// when any field does not read (address then untouched).
bool ReadOctetFields(const TOctetTexts& fields, TIpv4Address& address);

// The four texts joined by "." exactly as typed.
QString JoinOctetTexts(const TOctetTexts& fields);

// The reply status of one request: 1 a reply arrived, 2 it ended without one.
int PingReplyStatus(const TPingResult& result);

// How the loop ended.
enum class TEchoStop {
    Finished,      // two answers, or past the overall limit
    ClientError,   // the client could not send a request
    NotPermitted,  // the system allows no ICMP socket to this process
    Aborted,       // the user cancelled during a wait
    BadAddress,    // the fields hold no address; nothing was sent
};

struct TEchoOutcome {
    bool Answered = false;  // the last request was answered
    TEchoStop Stop = TEchoStop::Finished;
    int Requests = 0;       // requests handed to the client
};

struct TEchoHooks {
    std::function<void()> Pump;        // lets pending events through
    std::function<bool()> Aborted;     // asked after every pump
};

// Limits of the loop, in milliseconds of the installed clock.
constexpr int EchoTimeoutMs = 400;      // each request's receive time-out
constexpr int EchoPacketBytes = 1024;
constexpr int EchoWaitStepMs = 10;
constexpr int EchoTotalMs = 5000;
constexpr int EchoAnswersWanted = 2;

// The echo loop. pingRes is 0 at the start and holds the status of the
// last request that ended; it keeps its value when the client fails.
TEchoOutcome RunEchoLoop(IIcmpClient& client, const TIpv4Address& target, int& pingRes,
                         const TEchoHooks& hooks);

// The whole check: pingRes := 0, the address read from the fields (a field
// that does not read ends it with BadAddress and no request), then the loop.
TEchoOutcome CheckDevice(IIcmpClient& client, const TOctetTexts& fields, int& pingRes,
                         const TEchoHooks& hooks);

// What the user is told after a check.
enum class TCheckMessage {
    None,          // answered, or cancelled by the user
    NotFound,      // the last request went unanswered: warning 1036
    CheckAddress,  // no request ended, or the address does not read: error 1037
    NotPermitted,  // the system allows no ICMP socket: its own error text
};
TCheckMessage CheckMessage(const TEchoOutcome& outcome, int pingRes);
