#pragma once
// Text files: telling the encoding of bytes, splitting lines, and writing
// text in a chosen encoding through the safe write. TStringList's
// LoadFromFile and SaveToFile are built here on these.

#include "Files.h"
#include "TextEncoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct TDecodedText {
    QString Text;
    TTextEncoding Encoding = TTextEncoding::Ansi;
};

// A BOM selects UTF-8, UTF-16LE or UTF-16BE and is not part of the text (an
// odd last byte of UTF-16 is dropped). Without a BOM, bytes with a non-ASCII
// character that form valid UTF-8 are UTF-8; everything else, plain ASCII
// included, is Windows-1252 ("Ansi"), so such a file is written back as it
// came.
TDecodedText DecodeText(const QByteArray& bytes);

// ReadFileBytes + DecodeText; raises EFOpenError when the file cannot be read
// (also when it is no regular file or above the kind's size limit).
TDecodedText ReadTextFile(const QString& path, TReadKind kind = TReadKind::Document);

// CR, LF and CR LF each end a line; a final line break adds no empty line.
QStringList SplitLines(const QString& text);

// The bytes of the text in the encoding, with its BOM when it has one. Line
// ends are the caller's.
QByteArray EncodeText(const QString& text, TTextEncoding encoding);
TWriteResult WriteTextFile(const QString& path, const QString& text, TTextEncoding encoding);
