#pragma once
// The SNMP MIB module (SMIv2) of the agent model: the fixed object tree
// under the vendor's enterprise number, one object per enabled row of the
// SNMP table and one notification per enabled read row.

#include <QString>
#include <QStringList>
#include <vector>

// Per enabled row of each list, in order: true when its type is integer.
// As long as SNMP_Read_Desc_List and SNMP_Write_Desc_List.
struct TSnmpIntFlags {
    std::vector<bool> Read;
    std::vector<bool> Write;
};
extern TSnmpIntFlags SNMP_Int_Flags;

// The whole flow: the main window's SaveMIB, the overwrite question, then
// LoadMibObjects and WriteMibFile.
void CreateMibFile();
// Fills SNMP_Read_Desc_List, SNMP_Write_Desc_List and the flags from the
// SNMP table file; raises EDescriptionInput when it cannot be parsed.
void LoadMibObjects();
// The module's lines from the lists and flags.
QStringList MibLines();
// Writes the module; false (after an error dialog) when it could not.
bool WriteMibFile(const QString& name);
