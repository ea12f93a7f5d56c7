#pragma once
// The checks of the SNMP tables window apart from its widgets: the
// character test of names and descriptions, one row's checks, and the
// uniqueness of the descriptions.

#include <QString>
#include <QStringList>
#include <functional>

enum TSNMPPage { SNMPReadPage = 0, SNMPWritePage = 1 };

// True when the text is faulty: a character other than "0"-"9", "A"-"Z",
// "a"-"z", or, with Check_Type 1, a first character other than "a"-"z".
// The empty text is not faulty.
bool Check_Error_CommName_Desc(const QString& str, int Check_Type);

// The columns of a page (real indexes).
struct TSNMPColumns {
    int Enable = 1, Community = 2, Type = 3;
    int OnTimer, Time, Position, StartBit, NumBits, Description, IpAddress, Conversion;
};
const TSNMPColumns& SNMPColumns(TSNMPPage page);

// The first failing check of an enabled data row, or an empty text.
QString SNMPRowFault(TSNMPPage page, const std::function<QString(int col)>& cell);

// Whether two of the collected descriptions are equal (exactly).
bool SNMPDescriptionsRepeat(const QStringList& descriptions);
