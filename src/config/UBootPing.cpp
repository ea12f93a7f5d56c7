#include "UBootPing.h"

#include "Clock.h"
#include "SysFormat.h"

bool ReadOctetFields(const TOctetTexts& fields, TIpv4Address& address)
{
    TIpv4Address read{};
    for (size_t i = 0; i < fields.size(); ++i) {
        int v = 0;
        if (!TryStrToInt(fields[i], v) || v < 0 || v > 255)
            return false;
        read[i] = uint8_t(v);
    }
    address = read;
    return true;
}

QString JoinOctetTexts(const TOctetTexts& fields)
{
    return fields[0] + u'.' + fields[1] + u'.' + fields[2] + u'.' + fields[3];
}

int PingReplyStatus(const TPingResult& result)
{
    return result.Replied ? 1 : 2;
}

TEchoOutcome RunEchoLoop(IIcmpClient& client, const TIpv4Address& target, int& pingRes,
                         const TEchoHooks& hooks)
{
    TEchoOutcome out;
    pingRes = 0;
    const uint64_t start = GetTickCount64();
    int answers = 0;
    for (;;) {
        const uint64_t t = GetTickCount64();
        ++out.Requests;
        try {
            const TPingResult r = client.Echo(target, EchoTimeoutMs, EchoPacketBytes);
            pingRes = PingReplyStatus(r);
        } catch (const EPingError& e) {
            out.Stop = e.Kind() == TPingErrorKind::NotPermitted ? TEchoStop::NotPermitted
                                                                 : TEchoStop::ClientError;
            return out;
        } catch (...) {
            // Whatever else the client raises counts as a failed check.
            out.Stop = TEchoStop::ClientError;
            return out;
        }
        // The reply status is already in with a blocking client, so this
        // is one step; it also gives the window its events between requests.
        do {
            Sleep(EchoWaitStepMs);
            if (hooks.Pump)
                hooks.Pump();
            if (hooks.Aborted && hooks.Aborted()) {
                out.Stop = TEchoStop::Aborted;
                return out;
            }
        } while (pingRes == 0 && GetTickCount64() - t <= uint64_t(EchoTimeoutMs));
        if (pingRes == 1 && ++answers >= EchoAnswersWanted)
            break;
        if (GetTickCount64() - start > uint64_t(EchoTotalMs))
            break;
    }
    out.Answered = pingRes == 1;
    return out;
}

TEchoOutcome CheckDevice(IIcmpClient& client, const TOctetTexts& fields, int& pingRes,
                         const TEchoHooks& hooks)
{
    pingRes = 0;
    TIpv4Address target{};
    if (!ReadOctetFields(fields, target)) {
        TEchoOutcome out;
        out.Stop = TEchoStop::BadAddress;
        return out;
    }
    return RunEchoLoop(client, target, pingRes, hooks);
}

TCheckMessage CheckMessage(const TEchoOutcome& outcome, int pingRes)
{
    if (outcome.Answered || outcome.Stop == TEchoStop::Aborted)
        return TCheckMessage::None;
    if (outcome.Stop == TEchoStop::NotPermitted)
        return TCheckMessage::NotPermitted;
    return pingRes == 2 ? TCheckMessage::NotFound : TCheckMessage::CheckAddress;
}
