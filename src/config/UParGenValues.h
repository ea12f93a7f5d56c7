#pragma once
// The values of the general-parameter editor and their file, ParGen.xml,
// apart from the window: the 32 fields in the order the file holds them,
// their defaults, reading and writing the file, and the checks run on OK.
//
// Every value is kept as the control shows it: edits as the text typed,
// check boxes as "1" or "0", lists as the selected index in decimal. The
// element names and the list indexes are what the bank builder reads, so
// they are the contract with the device image.

#include "Files.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

class TXmlDocument;
class TXmlNode;

// The fields, in the order of the file.
enum TParGenField {
    pgS7_IP1, pgS7_IP2, pgS7_IP3, pgS7_IP4,
    pgS7_SM1, pgS7_SM2, pgS7_SM3, pgS7_SM4,
    pgS7_GAT1, pgS7_GAT2, pgS7_GAT3, pgS7_GAT4,
    pgS7_EnGat,
    pgS7_TimeOut,
    pgS7_EnResetTimeOut,
    pgS7_ResetTimeOut,
    pgDeviceName,
    pgDhcpCable,
    pgDhcpWiFi,
    pgEnableDns,
    pgPriDns1, pgPriDns2, pgPriDns3, pgPriDns4,
    pgSecDns1, pgSecDns2, pgSecDns3, pgSecDns4,
    pgSerial,
    pgBaudrate,
    pgParity,
    pgStopBits,
    ParGenFieldCount
};

enum class TParGenKind { Text, Check, List };

struct TParGenFieldInfo {
    const char* Element;     // the element of ParGen.xml
    TParGenKind Kind;
    const char* Default;     // the editor's default (a list's index)
    int ListCount;           // items of a list, 0 otherwise
};

const TParGenFieldInfo& ParGenFieldInfo(int field);

// The fixed, untranslated items of the four lists.
QStringList ParGenListItems(int field);

class TParGenValues {
public:
    // Every field holds its default.
    TParGenValues();

    const QString& operator[](int field) const { return FValues[size_t(field)]; }
    QString& operator[](int field) { return FValues[size_t(field)]; }
    bool operator==(const TParGenValues& o) const = default;

    bool Checked(int field) const { return FValues[size_t(field)] == QStringLiteral("1"); }
    void SetChecked(int field, bool v) { FValues[size_t(field)] = v ? QStringLiteral("1") : QStringLiteral("0"); }
    // A list's index; the default when the text is no index of the list.
    int Index(int field) const;
    void SetIndex(int field, int index) { FValues[size_t(field)] = QString::number(index); }

    // Over the defaults, each element the root holds sets its own field: a
    // check box is ticked only by exactly "1", a list takes the element's
    // integer when it is an index of the list and its default otherwise,
    // an edit takes the text as it is (also an empty one).
    void ReadElements(const TXmlNode& root);

private:
    std::array<QString, ParGenFieldCount> FValues;
};

// The outcome of reading the file: the values (the defaults where the file
// gave nothing) and, when the file exists but could not be read, the reason.
struct TParGenLoad {
    TParGenValues Values;
    bool Ok = true;
    QString Reason;
};

// No file (or no path): the defaults, Ok. A file that cannot be read or
// parsed, or that holds no element: the defaults, not Ok, with the reason.
TParGenLoad LoadParGenFile(TXmlDocument& doc, const QString& path);

// Fills the document with the file's content: the root Par_Gen with the 32
// elements in order, then the document-level comment "SW_VERSION = 1.000".
void BuildParGenDocument(TXmlDocument& doc, const TParGenValues& values);

// Builds the document and writes it through a temporary file renamed over
// the old one, so a failure leaves the previous file as it was.
TWriteResult SaveParGenFile(TXmlDocument& doc, const QString& path, const TParGenValues& values);

// The checks run on OK, in their order: 0 when all pass, otherwise the
// language entry of the first failing one. A number is the text read with
// the shared integer reader; a text that does not read counts as -1.
int ParGenFirstFault(const TParGenValues& values);
