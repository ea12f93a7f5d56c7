#pragma once
// Opening web links and local files with the desktop's programs.
//
// Cell texts can hold any link typed or imported by anyone, so only web
// pages (http, https) and mail addresses (mailto) are opened; every other
// scheme (file, javascript, ftp, ...) and every relative link is refused.

#include <QString>

class QUrl;

class IUrlOpener {
public:
    virtual ~IUrlOpener() = default;
    // True when the link was handed on; false when refused or it failed.
    virtual bool OpenUrl(const QString& url) = 0;
    // An existing regular file, for the preview of an exported page.
    virtual bool OpenLocalFile(const QString& path) = 0;
};

// The real opener: through the socket gate's desktop call.
class TDesktopUrlOpener : public IUrlOpener {
public:
    bool OpenUrl(const QString& url) override;
    bool OpenLocalFile(const QString& path) override;
};

// Whether a link names a scheme that may be opened (http, https, mailto,
// in any letter case) and is absolute.
bool IsOpenableUrl(const QString& url);

// Through the installed opener (false when none is installed).
bool OpenUrl(const QString& url);
bool OpenLocalFile(const QString& path);
