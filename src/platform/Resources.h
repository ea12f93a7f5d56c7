#pragma once
// Named resources compiled into the program: raw bytes stored under a name,
// found without regard to case as the original platform's resource names
// are. Images are resources too (bitmap glyphs, the "RES://" pictures of the
// mini-markup); TBitmap::LoadFromResourceName decodes them.
//
// A unit registers its resources in code (RegisterResource); resources
// placed in the Qt resource system under ":/resources/" are found by their
// file name without extension as well.

#include "SysUtils.h"

#include <QByteArray>
#include <QString>
#include <optional>

class QImage;

DECLARE_EXCEPTION(EResNotFound, Exception)

// Stores (or replaces) the bytes under 'name'.
void RegisterResource(const QString& name, const QByteArray& bytes);
// Stores a picture drawn in code as a bitmap resource (for glyphs that the
// bitmap loaders then read like any other).
void RegisterResource(const QString& name, const QImage& image);
void UnregisterResource(const QString& name);
// The bytes under 'name' (any case); none when there is no such resource.
std::optional<QByteArray> FindResource(const QString& name);
// As FindResource; raises EResNotFound when missing.
QByteArray LoadResource(const QString& name);
