#include "UComon.h"

#include "Dialogs.h"
#include "Files.h"

TStringList* const Language_Table = new TStringList;
int Language_Table_Size = 0;

QString Project_Name;
QString Project_Path;

QString Exe_Dir;
QString Master_Dir;
QString Projects_Dir;
QString Language_Dir;

QString Main_Caption;
QString Software_Code;
QString Software_Desc;
QString Last_IP_Address;
int Update_Option = 0;
bool Update_Read_Back = false;
QString Language_Name;
bool Opt_Enable_Internet = false;
bool Opt_Enable_Update = false;
bool Opt_Jump_Field_Tables = false;
bool Opt_Double_Click_Auto_Size = false;

QString ParGen_File;
QString S7_Protocol_File;
QString KNX_SetAccess_File;
QString IEC61850_Variables_File;
QString TLS_Known_Cert_File;
QString CAN_Rec_Frames_File;
QString CAN_Send_Frames_File;
QString SDO_Server_CANopen_File;
QString SDO_Client_CANopen_File;
QString PDO_CANopen_File;
QString SNMP_Trap_File;
QString MQTT_Set_Topic_File;
QString BACnet_Slave_File;
QString OPC_UA_Server_File;

// The lists are never freed: windows read them up to the very end of the run.
TStringList* const Row_Clipboard = new TStringList;
std::vector<bool> Row_Clipboard_Checks;
TStringList* const SNMP_Read_Desc_List = new TStringList;
TStringList* const SNMP_Write_Desc_List = new TStringList;

namespace {

struct TTableFile {
    QString* Path;
    const char* Name;
};

// In the order the paths are built.
const TTableFile TableFiles[] = {
    {&ParGen_File, "ParGen.xml"},
    {&S7_Protocol_File, "S7_Protocol.xml"},
    {&KNX_SetAccess_File, "KNX_SetAccess.xml"},
    {&IEC61850_Variables_File, "IEC61850_Variables.xml"},
    {&TLS_Known_Cert_File, "TLS_Known_Cert.xml"},
    {&CAN_Rec_Frames_File, "CAN_Rec_Frames.xml"},
    {&CAN_Send_Frames_File, "CAN_Send_Frames.xml"},
    {&SDO_Server_CANopen_File, "SDO_Server_CANopen.xml"},
    {&SDO_Client_CANopen_File, "SDO_Client_CANopen.xml"},
    {&PDO_CANopen_File, "PDO_CANopen.xml"},
    {&SNMP_Trap_File, "SNMP_Trap.xml"},
    {&MQTT_Set_Topic_File, "MQTT_Set_Topic.xml"},
    {&BACnet_Slave_File, "BACnet_Slave.xml"},
    {&OPC_UA_Server_File, "OPC_UA_Server.xml"},
};

}  // namespace

void Set_Files()
{
    for (const TTableFile& f : TableFiles) {
        if (Project_Path.isEmpty())
            f.Path->clear();
        else
            *f.Path = Project_Path + u'/' + QLatin1String(f.Name);
    }
}

void SetProgramFolders()
{
    Exe_Dir = ProgramDir();
    Master_Dir = Exe_Dir + QStringLiteral("/MASTER");
    Projects_Dir = Exe_Dir + QStringLiteral("/PROJECTS");
    Language_Dir = Exe_Dir + QStringLiteral("/LANGUAGE");
    for (const QString* dir : {&Master_Dir, &Projects_Dir, &Language_Dir}) {
        if (!DirectoryExists(*dir))
            CreateDir(*dir);  // a failure shows later, where the folder is used
    }
}

QString OutsideProjectQuestion(const QString& path, const QString& realPath)
{
    return QStringLiteral("The file ") + path + QStringLiteral(" leads out of the project folder to ") + realPath
        + QStringLiteral(". Saving replaces ") + realPath + QStringLiteral(". Save anyway?");
}

bool ConfirmProjectWrite(const QString& path)
{
    if (Project_Path.isEmpty() || WritesInsideFolder(path, Project_Path))
        return true;
    const QString real = WriteTargetPath(path);
    if (real.isEmpty())
        return true;  // a link loop: the write itself fails with the reason
    return MessageDlg(OutsideProjectQuestion(path, real), mtConfirmation, mbYesNo) == mrYes;
}

bool IsValidProjectName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            return false;
    }
    if (name.endsWith(u' ') || name.endsWith(u'.'))
        return false;
    return name.toUtf8().size() <= 255;
}

void ResetSharedState()
{
    Language_Table->Clear();
    Language_Table_Size = 0;
    for (QString* s : {&Project_Name, &Project_Path, &Exe_Dir, &Master_Dir, &Projects_Dir,
                       &Language_Dir, &Main_Caption, &Software_Code, &Software_Desc,
                       &Last_IP_Address, &Language_Name})
        s->clear();
    for (const TTableFile& f : TableFiles)
        f.Path->clear();
    Update_Option = 0;
    Update_Read_Back = false;
    Opt_Enable_Internet = false;
    Opt_Enable_Update = false;
    Opt_Jump_Field_Tables = false;
    Opt_Double_Click_Auto_Size = false;
    Row_Clipboard->Clear();
    Row_Clipboard_Checks.clear();
    SNMP_Read_Desc_List->Clear();
    SNMP_Write_Desc_List->Clear();
}
