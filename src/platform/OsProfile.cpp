#include "OsProfile.h"

#include "Services.h"

#include <QApplication>
#include <QStyle>

bool OsProfile::IsWinXPOrLater() const
{
    return MajorVersion > 5 || (MajorVersion == 5 && MinorVersion >= 1);
}

bool OsProfile::IsVistaOrLater() const
{
    return MajorVersion >= 6;
}

bool OsProfile::IsWin7OrLater() const
{
    return MajorVersion > 6 || (MajorVersion == 6 && MinorVersion >= 1);
}

bool OsProfile::IsComCtl6OrLater() const
{
    return ComCtlMajor > 5;
}

const OsProfile& GetOsProfile()
{
    static const OsProfile defaults;
    const auto& p = Services().Profile;
    return p ? *p : defaults;
}

OsProfile MakeProductionOsProfile()
{
    OsProfile p;
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        p.WheelScrollLines = QApplication::wheelScrollLines();
        if (QStyle* s = QApplication::style())
            p.ScrollBarExtent = s->pixelMetric(QStyle::PM_ScrollBarExtent);
    }
    return p;
}

int GetFileVersionMS(const QString& fileName)
{
    if (fileName.compare(QLatin1String("comctl32.dll"), Qt::CaseInsensitive) != 0)
        return -1;
    const OsProfile& p = GetOsProfile();
    return (p.ComCtlMajor << 16) | (p.ComCtlMinor & 0xFFFF);
}
