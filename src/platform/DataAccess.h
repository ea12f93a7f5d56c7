#pragma once
// Records read from a database through the ODBC driver manager.
//
// A record source opens a connection from a connection text, runs one query
// on it and walks its result forward, one record at a time. Its callers see
// field names and texts only; the database classes stay inside this unit.
// The connection is closed and released on every path: by Close, by a
// failed Open, and by the destructor.

#include "SysUtils.h"

#include <QString>
#include <memory>
#include <optional>

// A failure of the driver manager, its driver or the database, with the
// message they gave.
DECLARE_EXCEPTION(EDataAccessError, Exception)

class TRecordSource {
public:
    TRecordSource();
    ~TRecordSource();
    TRecordSource(const TRecordSource&) = delete;
    TRecordSource& operator=(const TRecordSource&) = delete;

    // Connects and runs Query; the first record, if any, is current.
    // A statement without a result (CREATE, INSERT) leaves no fields and Eof.
    // Raises EDataAccessError; the source is closed again then.
    void Open(const QString& Connection, const QString& Query);
    void Close();
    bool Active() const;

    int FieldCount() const;
    QString FieldName(int Index) const;
    // The current record's field as text; no value for a null field.
    std::optional<QString> FieldValue(int Index) const;
    // The number of records, or -1 when the driver does not tell it.
    int RecordCount() const;

    // True when no record is current (past the last, or none at all).
    bool Eof() const;
    // Makes the next record current. Raises EDataAccessError.
    void MoveNext();

private:
    struct TState;
    std::unique_ptr<TState> F;
};

// The connections of record sources that the process holds now.
int OpenRecordSourceCount();

// The connection text that opens the database file FileName: the services'
// DatabaseConnection when set, else the Access driver's (AccessConnectionText).
QString DatabaseConnectionText(const QString& FileName);
// "Driver={MDBTools};DBQ=" + FileName, the name under which the Access
// driver is registered with the driver manager.
QString AccessConnectionText(const QString& FileName);
