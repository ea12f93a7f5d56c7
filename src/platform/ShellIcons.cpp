#include "ShellIcons.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>

QImage ShellIconImage(const QString& nameOrPath, bool large)
{
    if (nameOrPath.isEmpty()) return QImage();
    const int size = large ? LargeShellIconSize : SmallShellIconSize;
    QFileIconProvider provider;
    const QFileInfo info(nameOrPath);
    // An existing file or folder gets its own icon; a name alone the icon
    // of its type.
    const QIcon icon = info.exists() ? provider.icon(info) : provider.icon(QFileInfo(info.fileName()));
    if (icon.isNull()) return QImage();
    QImage img = icon.pixmap(size, size).toImage();
    if (img.isNull()) return img;
    if (img.width() != size || img.height() != size)
        img = img.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return img;
}
