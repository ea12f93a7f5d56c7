#pragma once
// The state every window shares: the language table, the open project, the
// program folders, the identity texts, the remembered choices, the options,
// the paths of the project's table files and the shared lists. Every window
// reads and writes these globals directly; only the GUI thread touches them.
//
// The settings file and the address, port and number helpers live in the
// unit's other file pairs and are included here, so one include gives the
// whole unit.

#include "ClassesLists.h"
#include "UComonAddress.h"
#include "UComonSettings.h"

#include <QString>
#include <vector>

// ---------------------------------------------------------------------------
// Texts and project

// All user texts, index = message number. The four lists exist for the whole
// run; "creating" one at start means emptying it.
extern TStringList* const Language_Table;
extern int Language_Table_Size;

extern QString Project_Name;  // empty when no project is open
extern QString Project_Path;  // Projects_Dir + "/" + Project_Name, or empty

// ---------------------------------------------------------------------------
// Program folders (no trailing separator)

extern QString Exe_Dir;
extern QString Master_Dir;
extern QString Projects_Dir;
extern QString Language_Dir;

// ---------------------------------------------------------------------------
// Identity texts, remembered choices and options

extern QString Main_Caption;
extern QString Software_Code;
extern QString Software_Desc;
extern QString Last_IP_Address;
extern int Update_Option;
extern bool Update_Read_Back;
extern QString Language_Name;
extern bool Opt_Enable_Internet;
extern bool Opt_Enable_Update;
extern bool Opt_Jump_Field_Tables;
extern bool Opt_Double_Click_Auto_Size;

// ---------------------------------------------------------------------------
// The project's table files, built by Set_Files

extern QString ParGen_File;
extern QString S7_Protocol_File;
extern QString KNX_SetAccess_File;
extern QString IEC61850_Variables_File;
extern QString TLS_Known_Cert_File;
extern QString CAN_Rec_Frames_File;
extern QString CAN_Send_Frames_File;
extern QString SDO_Server_CANopen_File;
extern QString SDO_Client_CANopen_File;
extern QString PDO_CANopen_File;
extern QString SNMP_Trap_File;
extern QString MQTT_Set_Topic_File;
extern QString BACnet_Slave_File;
extern QString OPC_UA_Server_File;

// ---------------------------------------------------------------------------
// Shared lists

extern TStringList* const Row_Clipboard;       // texts of the last copied row
extern std::vector<bool> Row_Clipboard_Checks;  // which of them were check boxes
extern TStringList* const SNMP_Read_Desc_List;
extern TStringList* const SNMP_Write_Desc_List;

// ---------------------------------------------------------------------------
// Operations

// Each table path := Project_Path + "/" + its file name. With no project
// open every path is empty, so no reader or writer reaches the root folder.
void Set_Files();

// Exe_Dir from the program folder, the three sub-folders beside it, each
// created (one level) when missing; a failed creation is ignored.
void SetProgramFolders();

// The rule for names that become folders or files (projects, languages):
// refused when empty, "." or "..", holding / \ : * ? " < > | or a character
// below U+0020, ending in a blank or a dot, or longer than 255 UTF-8 bytes.
bool IsValidProjectName(const QString& name);

// A save into the open project must not replace a file outside the project
// folder unseen: when path (or a folder on its way) is a symbolic link that
// leads out of Project_Path, the user is asked, with the real path named.
// True when the save may go on: the file stays inside, or the user answered
// Yes.
bool ConfirmProjectWrite(const QString& path);

// The question ConfirmProjectWrite asks.
QString OutsideProjectQuestion(const QString& path, const QString& realPath);

// Every variable back to its initial value and the lists emptied, as in a
// program that has not run yet. For tests.
void ResetSharedState();
