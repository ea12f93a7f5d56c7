#include "UBootJob.h"

#include "UMakerSite.h"

#include "UComon.h"
#include "XmlDoc.h"

namespace {

struct TJobImage {
    QString FileName;
    const char* StartAddress;
    const char* BankType;
    const char* WriteCss;
    bool GoToAppAfter;
};

void AddText(TXmlNode parent, const char* name, const QString& text)
{
    parent.AddChild(QLatin1String(name)).SetText(text);
}

void AddOperation(TXmlNode operations, const TJobImage& image, bool readBack)
{
    TXmlNode op = operations.AddChild(QStringLiteral("Operation"));
    const QString zero = QStringLiteral("0");
    AddText(op, "Ope_Protection_Enabled", QString());
    AddText(op, "Ope_GoToBoot_Before", zero);
    AddText(op, "Ope_GoToApp_Before", zero);
    AddText(op, "Ope_IP_Address", QString());
    AddText(op, "Ope_Port", QStringLiteral("2008"));
    AddText(op, "Ope_Port_Sec", QStringLiteral("2007"));
    AddText(op, "Ope_Erase_Memory", zero);
    AddText(op, "Ope_FileName", image.FileName);
    AddText(op, "Ope_Start_Address", QLatin1String(image.StartAddress));
    AddText(op, "Ope_Memory_Type", zero);
    AddText(op, "Ope_Bank_Type", QLatin1String(image.BankType));
    AddText(op, "Ope_Read_Back", readBack ? QStringLiteral("1") : zero);
    AddText(op, "Ope_Write_CSS", QLatin1String(image.WriteCss));
    AddText(op, "Ope_Address_CSS", QStringLiteral("0x07A00"));
    AddText(op, "Ope_Command_CSS", QStringLiteral("0x02"));
    AddText(op, "Ope_Write_Internal_Data", zero);
    AddText(op, "Ope_WID_Address", QStringLiteral("0x07810"));
    AddText(op, "Ope_WID_Command", QStringLiteral("0x02"));
    AddText(op, "Ope_WID_Data", QStringLiteral("0x00, 0x00, 0x00, 0x01"));
    AddText(op, "Ope_GoToApp_After", image.GoToAppAfter ? QStringLiteral("1") : zero);
}

}  // namespace

QString UpdateJobFileName()
{
    return Exe_Dir + QStringLiteral("/Ethernet_Update.xml");
}

void BuildUpdateJob(TXmlDocument& doc, const TUpdateJob& job)
{
    doc.ClearDocument();
    TXmlNode root = doc.AddChild(QStringLiteral("Ethernet_Update"));
    AddText(root, "Version", QStringLiteral("1000"));
    AddText(root, "Title", Maker_Host + QStringLiteral(" - CF52104 Ethernet Update"));
    AddText(root, "IP_Address_Dev", job.DeviceAddress);
    AddText(root, "Application_Port", QStringLiteral("10000"));
    AddText(root, "Boot_Port", QStringLiteral("2008"));
    AddText(root, "Boot_Port_Sec", QStringLiteral("2007"));
    AddText(root, "Address_Protection", QStringLiteral("0x07800"));
    AddText(root.AddChild(QStringLiteral("Protections")), "Protection", QStringLiteral("0x1B7"));
    TXmlNode operations = root.AddChild(QStringLiteral("Operations"));

    const TJobImage firmware{job.MasterDir + QStringLiteral("/Sim52104.sim"), "0x8000", "1", "1",
                          job.Choice == ucFirmware};
    const TJobImage bank1{job.ProjectPath + QStringLiteral("/bin/bank1.bin"), "0x07000", "2", "0",
                       false};
    const TJobImage bank2{job.ProjectPath + QStringLiteral("/bin/bank2.bin"), "0x80000", "2", "0",
                       true};
    switch (job.Choice) {
    case ucFirmwareAndConfiguration:
        AddOperation(operations, firmware, job.ReadBack);
        AddOperation(operations, bank1, job.ReadBack);
        AddOperation(operations, bank2, job.ReadBack);
        break;
    case ucFirmware:
        AddOperation(operations, firmware, job.ReadBack);
        break;
    case ucConfiguration:
        AddOperation(operations, bank1, job.ReadBack);
        AddOperation(operations, bank2, job.ReadBack);
        break;
    default:
        break;
    }
}
