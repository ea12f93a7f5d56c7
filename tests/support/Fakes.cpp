#include "Fakes.h"

#include <QFileInfo>
#include <cerrno>

std::shared_ptr<const OsProfile> MakeFixedOsProfile()
{
    auto p = std::make_shared<OsProfile>();
    p->WheelScrollLines = 3;
    p->ScrollBarExtent = 16;
    return p;
}

bool TRecordingUrlOpener::OpenUrl(const QString& url)
{
    Urls.append(url);
    return IsOpenableUrl(url);
}

bool TRecordingUrlOpener::OpenLocalFile(const QString& path)
{
    LocalFiles.append(path);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

TProcessStart TRecordingProcessLauncher::Start(const QString& path, const QString& argumentText)
{
    Starts.append({path, argumentText});
    TProcessStart r;
    if (!StartError.isEmpty()) {
        r.Error = StartError;
        return r;
    }
    r.Started = true;
    r.Handle = FNextHandle++;
    return r;
}

bool TRecordingProcessLauncher::Running(qint64)
{
    return StillRunning;
}

TProcessWait TRecordingProcessLauncher::WaitForExit(qint64, uint32_t limitMs, uint32_t)
{
    WaitLimits.append(limitMs);
    TProcessWait w;
    w.Exited = !StillRunning;
    w.ExitCode = StillRunning ? 0 : ExitCode;
    return w;
}

QList<int> TFixedSerialPortProbe::PresentPorts(int maxNumber)
{
    QList<int> r;
    for (int n : Ports)
        if (n >= 1 && n <= maxNumber)
            r.append(n);
    return r;
}

void TCountingBeepHook::operator()(unsigned type)
{
    ++*FCount;
    *FLast = type;
}

int TRecordingSocketGate::OpenSocket(int, int, int)
{
    ++SocketsOpened;
    errno = EACCES;
    return -1;
}

QNetworkReply* TRecordingSocketGate::SendGet(QNetworkAccessManager&, const QNetworkRequest&)
{
    ++RequestsSent;
    return nullptr;
}

bool TRecordingSocketGate::OpenDesktopUrl(const QUrl&)
{
    ++DesktopCalls;
    return false;
}

THttpResult TFakeHttpClient::Get(const QString& url, const THttpHeaders& headers)
{
    Urls.append(url);
    Headers.append(headers);
    if (Answer.Ok || !Answer.Error.isEmpty())
        return Answer;
    THttpResult r;
    r.Error = QStringLiteral("No network in tests");
    return r;
}

TPingResult TFakeIcmpClient::Echo(const TIpv4Address& address, int, int)
{
    const int call = int(Addresses.size());
    Addresses.append(address);
    if (Error)
        Error();
    if (Script.isEmpty())
        return TPingResult();
    return Script.at(std::min(call, int(Script.size()) - 1));
}

TFakeScreenGeometry::Monitor TFakeScreenGeometry::Nearest(TPoint P) const
{
    Monitor best;
    qint64 bestDistance = -1;
    for (const Monitor& m : Monitors) {
        const TRect& b = m.Bounds;
        const qint64 dx = P.X < b.Left ? b.Left - P.X : P.X >= b.Right ? P.X - b.Right + 1 : 0;
        const qint64 dy = P.Y < b.Top ? b.Top - P.Y : P.Y >= b.Bottom ? P.Y - b.Bottom + 1 : 0;
        const qint64 d = dx * dx + dy * dy;
        if (bestDistance < 0 || d < bestDistance) {
            best = m;
            bestDistance = d;
        }
    }
    return best;
}
