#pragma once
// Test doubles of the platform services. The test main installs them for
// the whole run (TestHarness::InstallTestServices); a test that needs other
// answers installs its own for its scope with ScopedService.

#include "Forms.h"
#include "Http.h"
#include "Icmp.h"
#include "NetSandbox.h"
#include "OsProfile.h"
#include "Process.h"
#include "SerialPorts.h"
#include "Shell.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <functional>
#include <memory>

// The fixed OS profile (the defaults, with fixed metrics).
std::shared_ptr<const OsProfile> MakeFixedOsProfile();

// Records the links and files it is asked to open; answers as the real
// opener would decide, without reaching the desktop.
class TRecordingUrlOpener : public IUrlOpener {
public:
    bool OpenUrl(const QString& url) override;
    bool OpenLocalFile(const QString& path) override;
    QStringList Urls;
    QStringList LocalFiles;
};

// Records the programs it is asked to start; starts nothing. A start
// succeeds (handles 1, 2, ...) unless StartError is set; the wait answers
// "exited with ExitCode" unless StillRunning is set.
class TRecordingProcessLauncher : public IProcessLauncher {
public:
    struct Call {
        QString Path;
        QString Arguments;
    };
    TProcessStart Start(const QString& path, const QString& argumentText) override;
    bool Running(qint64 handle) override;
    TProcessWait WaitForExit(qint64 handle, uint32_t limitMs, uint32_t pollMs = 10) override;

    QList<Call> Starts;
    QList<uint32_t> WaitLimits;
    QString StartError;
    bool StillRunning = false;
    int ExitCode = 0;

private:
    qint64 FNextHandle = 1;
};

// Answers the port numbers it was given (those up to the maximum asked).
class TFixedSerialPortProbe : public ISerialPortProbe {
public:
    explicit TFixedSerialPortProbe(QList<int> ports = {}) : Ports(std::move(ports)) {}
    QList<int> PresentPorts(int maxNumber) override;
    QList<int> Ports;
};

// A beep hook that counts. Copies share the count.
class TCountingBeepHook {
public:
    void operator()(unsigned type);
    int Count() const { return *FCount; }
    unsigned LastType() const { return *FLast; }
    void Reset() { *FCount = 0; }

private:
    std::shared_ptr<int> FCount = std::make_shared<int>(0);
    std::shared_ptr<unsigned> FLast = std::make_shared<unsigned>(0);
};

// Records what the network facilities try to open and opens nothing:
// sockets fail with EACCES, requests are not sent, the desktop is not asked.
class TRecordingSocketGate : public ISocketGate {
public:
    int OpenSocket(int domain, int type, int protocol) override;
    QNetworkReply* SendGet(QNetworkAccessManager& manager,
                           const QNetworkRequest& request) override;
    bool OpenDesktopUrl(const QUrl& url) override;
    int SocketsOpened = 0;
    int RequestsSent = 0;
    int DesktopCalls = 0;
};

// Answers every GET with Answer and records the URLs.
class TFakeHttpClient : public IHttpClient {
public:
    THttpResult Get(const QString& url, const THttpHeaders& headers) override;
    THttpResult Answer;  // default: a failure ("no network in tests")
    QStringList Urls;
    QList<THttpHeaders> Headers;
};

// Answers echo requests from a script: each call takes the next entry (the
// last one repeats; no entry: no reply); Error, when set, is raised instead.
class TFakeIcmpClient : public IIcmpClient {
public:
    TPingResult Echo(const TIpv4Address& address, int timeoutMs = 400,
                     int payloadBytes = 1024) override;
    QList<TPingResult> Script;
    std::function<void()> Error;
    QList<TIpv4Address> Addresses;
};

// Screens of fixed geometry: each a monitor rectangle and its work area;
// the first is the primary one. The monitor nearest to a point answers.
class TFakeScreenGeometry : public IScreenGeometry {
public:
    struct Monitor {
        TRect Bounds;
        TRect WorkArea;
    };
    explicit TFakeScreenGeometry(QList<Monitor> monitors) : Monitors(std::move(monitors)) {}
    TRect MonitorRectAt(TPoint P) override { return Nearest(P).Bounds; }
    TRect WorkAreaAt(TPoint P) override { return Nearest(P).WorkArea; }
    TRect PrimaryRect() override { return Monitors.value(0).Bounds; }
    QList<Monitor> Monitors;

private:
    Monitor Nearest(TPoint P) const;
};
