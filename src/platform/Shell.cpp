#include "Shell.h"

#include "NetSandbox.h"
#include "Services.h"

#include <QFileInfo>
#include <QUrl>

namespace {

QUrl ParseOpenable(const QString& text)
{
    const QUrl url(text.trimmed(), QUrl::TolerantMode);
    if (!url.isValid() || url.isRelative())
        return QUrl();
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return url.path().isEmpty() ? QUrl() : url;
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !url.host().isEmpty())
        return url;
    return QUrl();
}

}  // namespace

bool IsOpenableUrl(const QString& url)
{
    return ParseOpenable(url).isValid();
}

bool TDesktopUrlOpener::OpenUrl(const QString& text)
{
    const QUrl url = ParseOpenable(text);
    if (!url.isValid())
        return false;
    // A mail address has no host the guard could let through.
    if (LoopbackOnly() && !IsLoopbackUrl(url))
        return false;
    return SocketGate().OpenDesktopUrl(url);
}

bool TDesktopUrlOpener::OpenLocalFile(const QString& path)
{
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.isFile())
        return false;
    return SocketGate().OpenDesktopUrl(QUrl::fromLocalFile(fi.absoluteFilePath()));
}

bool OpenUrl(const QString& url)
{
    const auto& opener = Services().Opener;
    return opener && opener->OpenUrl(url);
}

bool OpenLocalFile(const QString& path)
{
    const auto& opener = Services().Opener;
    return opener && opener->OpenLocalFile(path);
}
