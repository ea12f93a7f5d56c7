#include "NetSandbox.h"

#include "Services.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <sys/socket.h>

int TSystemSocketGate::OpenSocket(int domain, int type, int protocol)
{
    return ::socket(domain, type | SOCK_CLOEXEC, protocol);
}

QNetworkReply* TSystemSocketGate::SendGet(QNetworkAccessManager& manager,
                                          const QNetworkRequest& request)
{
    return manager.get(request);
}

bool TSystemSocketGate::OpenDesktopUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

ISocketGate& SocketGate()
{
    static TSystemSocketGate system;
    const auto& gate = Services().Sockets;
    return gate ? *gate : system;
}

bool LoopbackOnly()
{
    return Services().LoopbackOnly;
}

bool IsLoopbackAddress(const std::array<uint8_t, 4>& address)
{
    return address == std::array<uint8_t, 4>{127, 0, 0, 1};
}

bool IsLoopbackUrl(const QUrl& url)
{
    return url.isValid() && url.host(QUrl::FullyEncoded) == QLatin1String("127.0.0.1");
}

QString LoopbackRefusal(const QString& destination)
{
    return QStringLiteral("Refused by the loopback-only guard: %1").arg(destination);
}
