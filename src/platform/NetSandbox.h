#pragma once
// The one road from the network facilities to the machine, and the guard
// in front of it.
//
// The HTTP client, the ICMP client and the URL opener open every socket,
// hand every request and reach the desktop through the installed socket
// gate (Services().Sockets), so that a test can replace it with a recorder.
// Under the loopback-only guard (Services().LoopbackOnly, switched on for
// the whole test run, never in production) they refuse every destination
// but 127.0.0.1 before any name lookup, connection or packet.

#include <QString>
#include <array>
#include <cstdint>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QUrl;

class ISocketGate {
public:
    virtual ~ISocketGate() = default;
    // socket(2): a descriptor, or -1 with errno set.
    virtual int OpenSocket(int domain, int type, int protocol) = 0;
    // Hands a GET request to the access manager; nullptr when nothing was sent.
    virtual QNetworkReply* SendGet(QNetworkAccessManager& manager,
                                   const QNetworkRequest& request) = 0;
    // Hands a URL to the desktop (browser, mail program, viewer).
    virtual bool OpenDesktopUrl(const QUrl& url) = 0;
};

// The real calls: socket(2), QNetworkAccessManager::get, QDesktopServices.
class TSystemSocketGate : public ISocketGate {
public:
    int OpenSocket(int domain, int type, int protocol) override;
    QNetworkReply* SendGet(QNetworkAccessManager& manager,
                           const QNetworkRequest& request) override;
    bool OpenDesktopUrl(const QUrl& url) override;
};

// The installed gate, or the system gate when none is installed.
ISocketGate& SocketGate();

// Whether the loopback-only guard is on.
bool LoopbackOnly();

// Loopback means 127.0.0.1 exactly.
bool IsLoopbackAddress(const std::array<uint8_t, 4>& address);
// The host of a URL is the literal 127.0.0.1 (no name, no other form).
bool IsLoopbackUrl(const QUrl& url);

// The refusal text of the guard for a destination.
QString LoopbackRefusal(const QString& destination);
