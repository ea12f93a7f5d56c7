#pragma once
// The two single-byte code pages the program reads and writes.
//
// Linux has no system code page, so "ANSI" is Windows-1252 and "OEM" is code
// page 850, both from tables of our own. Every Windows-1252 byte survives a
// decode and encode (the five bytes the code page leaves undefined map to the
// C1 control characters of the same value). A character a code page cannot
// hold encodes as "?".

#include <QByteArray>
#include <QString>

QString AnsiToUnicode(const QByteArray& bytes);
QByteArray UnicodeToAnsi(const QString& text);
QString OemToUnicode(const QByteArray& bytes);
QByteArray UnicodeToOem(const QString& text);
