#pragma once
// A scripted echo client for the update dialog's tests: each request takes
// the next step of the script (the last one repeats) and moves the test
// clock on by the time the step takes, as a blocking request would.

#include "Clock.h"
#include "Icmp.h"

#include <QList>
#include <memory>

namespace BootEcho {

enum class Kind { Answer, Silent, Error, NotPermitted };

struct Step {
    Kind What;
    int Ms = -1;  // -1: 1 ms for an answer, 400 ms for a silent request, 0 for an error
};

class TScriptedEcho : public IIcmpClient {
public:
    TScriptedEcho(std::shared_ptr<TestClock> clock, QList<Step> script)
        : FClock(std::move(clock)), Script(std::move(script))
    {
    }

    TPingResult Echo(const TIpv4Address& address, int timeoutMs, int payloadBytes) override
    {
        Addresses.append(address);
        LastTimeout = timeoutMs;
        LastPayload = payloadBytes;
        const Step s = Script.isEmpty() ? Step{Kind::Silent}
                                        : Script.at(std::min<qsizetype>(Addresses.size() - 1,
                                                                        Script.size() - 1));
        const int def = s.What == Kind::Answer ? 1 : s.What == Kind::Silent ? 400 : 0;
        FClock->Advance(uint64_t(s.Ms >= 0 ? s.Ms : def));
        switch (s.What) {
        case Kind::Answer: return TPingResult{true, 8 + payloadBytes, 1};
        case Kind::Silent: return TPingResult{};
        case Kind::Error: throw EPingError(TPingErrorKind::SocketError, QStringLiteral("sendto failed"));
        case Kind::NotPermitted:
            throw EPingError(TPingErrorKind::NotPermitted, QStringLiteral("no ICMP socket"));
        }
        return TPingResult{};
    }

    int Requests() const { return int(Addresses.size()); }

    QList<TIpv4Address> Addresses;
    int LastTimeout = 0;
    int LastPayload = 0;

private:
    std::shared_ptr<TestClock> FClock;

public:
    QList<Step> Script;
};

}  // namespace BootEcho
