#pragma once
// The BACnet engineering data exchange list (EDE) of the server model: five
// header lines, two column-title lines and one line per object of the
// BACnet table, each object with its standard type number and an instance
// number counted per type.

#include <QString>
#include <QStringList>
#include <vector>

// One object line.
struct TBACnet_EDE_Obj {
    QString Keyname;
    QString DevObjInstance;
    QString ObjectName;
    QString ObjectType;
    QString ObjectInstance;
    QString Description;
    QString UnitCode;
};

constexpr int Ede_Type_Count = 18;

extern QString EDE_Device_Instance;
extern bool EDE_Long_Names;
extern int EDE_Instance_Counters[Ede_Type_Count];

void ClearEdeCounters();
// Raises EDescriptionInput when ParGen.xml cannot be parsed.
void LoadEdeDevice();
// The standard object type of a data type text (trimmed, any case); 0 for
// a text it does not know.
int BacnetObjectTypeCode(const QString& dataType);
// The next instance of a known code (counted), 0 for any other.
int NextEdeInstance(int code);
// One object per row of the BACnet table, read rows first.
std::vector<TBACnet_EDE_Obj> LoadEdeObjects();
// "hh:nn:ss dd/mm/yyyy" of one reading of the clock.
QString EdeTimestamp();
QStringList EdeLines(const std::vector<TBACnet_EDE_Obj>& objects);
bool WriteEdeLines(const QString& name, const std::vector<TBACnet_EDE_Obj>& objects);

// Reads the inputs and writes the list; false (after an error dialog) when
// nothing was written.
bool BuildEdeFile(const QString& name);
bool WriteEdeFile(const QString& name);

// The chosen path with ".csv" appended unless its last four characters,
// upper-cased, are ".CSV".
QString EdeFileName(const QString& chosen);
