#pragma once
// JPEG decoding and encoding through libjpeg.

#include <QByteArray>
#include <QImage>
#include <QString>

// The decoded picture (32-bit); a null image with 'error' set when the bytes
// are not a JPEG libjpeg can read, end before the picture does, or claim a
// picture beyond the size limit of every format (PictureSizeAllowed).
QImage DecodeJpeg(const QByteArray& data, bool grayscale, QString* error);
// The image as JPEG bytes at quality 1..100; empty with 'error' set on failure.
QByteArray EncodeJpeg(const QImage& img, int quality, bool grayscale, QString* error);
