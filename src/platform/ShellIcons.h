#pragma once
// Shell icons: the desktop's icon of a file or folder, or of a file name
// alone (by its type), in the small (16) or large (32) size.

#include <QImage>
#include <QString>

inline constexpr int SmallShellIconSize = 16;
inline constexpr int LargeShellIconSize = 32;

// The icon as an image of the size; a null image when the desktop has none
// (as on a headless machine).
QImage ShellIconImage(const QString& nameOrPath, bool large);
