#pragma once
// The record codec of component streams: a record is the signature "TPF0",
// a class name, an empty component name, the written properties (each a
// name and a typed value) and two end markers. Names are a length byte and
// UTF-8; texts, byte blocks and lists carry a 32-bit little-endian length,
// checked against the bytes that remain before anything is allocated, so a
// truncated or lying stream raises EComponentStreamError and never reads
// past its end.
//
// Pictures travel as their file bytes (PNG, or a JPEG picture's own bytes),
// string lists as their items; turning them back into objects is the
// caller's job, through the platform's picture loader.

#include "SysUtils.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <variant>
#include <vector>

DECLARE_EXCEPTION(EComponentStreamError, Exception)

// One property value as it travels.
using TStreamValue = std::variant<int, bool, double, QString, QByteArray, QStringList>;

struct TStreamRecord {
    QString ClassName;
    std::vector<std::pair<QString, TStreamValue>> Properties;

    void Add(const QString& Name, TStreamValue Value) { Properties.emplace_back(Name, std::move(Value)); }
    // The value of that name, nil when the record does not hold it.
    const TStreamValue* Find(const QString& Name) const;
};

// Appends the record's bytes to Out. Raises EComponentStreamError for a
// class or property name longer than 255 bytes.
void WriteStreamRecord(QByteArray& Out, const TStreamRecord& Record);

// Reads the record that starts at Pos and moves Pos behind it; raises
// EComponentStreamError ("Invalid stream format") for anything that does
// not read as a record within Data.
TStreamRecord ReadStreamRecord(const QByteArray& Data, qsizetype& Pos);

// The fixed texts of the stream errors.
QString StreamFormatErrorText();
QString StreamPropertyMissingText(const QString& ClassName, const QString& Property);
QString StreamPropertyValueText(const QString& ClassName, const QString& Property);
