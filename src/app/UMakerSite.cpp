#include "UMakerSite.h"

const QString Maker_Host = QStringLiteral("www.kestro.example");

QString Maker_Home_Page()
{
    return QStringLiteral("http://") + Maker_Host + QStringLiteral("/HOME/default.asp?frompg=CF52104");
}

QString Maker_Download_Page()
{
    return QStringLiteral("http://") + Maker_Host + QStringLiteral("/Home/download/download.asp#GW52104");
}
