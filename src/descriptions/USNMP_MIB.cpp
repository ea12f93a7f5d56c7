#include "USNMP_MIB.h"

#include "UCalyptoreFirmWare.h"
#include "UComon.h"
#include "UDescriptionFiles.h"

TSnmpIntFlags SNMP_Int_Flags;

namespace {

void LoadSection(const TProjectInput& table, const QString& section, TStringList* list, std::vector<bool>& flags)
{
    for (const TXmlNode& row : table.Rows(section)) {
        if (RowText(row, QStringLiteral("Enable")).toUpper() != QStringLiteral("Y")) continue;
        list->Add(RowText(row, QStringLiteral("Description")));
        flags.push_back(RowText(row, QStringLiteral("Type")).toUpper() == QStringLiteral("INT"));
    }
}

// The description, or the parent's name and k when it is empty.
QString ObjectName(const QString& desc, const QString& parent, int k)
{
    return desc.isEmpty() ? parent + QString::number(k) : desc;
}

QString Syntax(bool integer)
{
    return integer ? QStringLiteral("INTEGER") : QStringLiteral("OCTET STRING");
}

// The value objects of one list under its parent, for the access given.
void AddValueObjects(QStringList& out, TStringList* list, const std::vector<bool>& flags, const QString& parent,
                     const QString& access)
{
    for (int k = 1; k <= list->Count(); ++k) {
        const QString desc = list->Strings(k - 1);
        const QString name = ObjectName(desc, parent, k);
        out << name + QStringLiteral(" OBJECT-TYPE SYNTAX ") + Syntax(flags[size_t(k - 1)]) +
                   QStringLiteral(" MAX-ACCESS ") + access + QStringLiteral(" STATUS current DESCRIPTION \"") + desc +
                   QStringLiteral("\" ::= { ") + parent + u' ' + QString::number(k) + QStringLiteral(" }");
    }
}

void AddBlocks(QStringList& out, const QString& parent, const QString& access)
{
    for (int b = 1; b <= 8; ++b) {
        const QString n = QString::number(b);
        out << parent + QStringLiteral("blk") + n + QStringLiteral(" OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS ") +
                   access + QStringLiteral(" STATUS current DESCRIPTION \"data block n.") + n +
                   QStringLiteral("\" ::= { ") + parent + u' ' + n + QStringLiteral(" }");
    }
}

}  // namespace

void LoadMibObjects()
{
    SNMP_Read_Desc_List->Clear();
    SNMP_Write_Desc_List->Clear();
    SNMP_Int_Flags = TSnmpIntFlags();
    const TProjectInput table(SNMP_Trap_File);
    LoadSection(table, QStringLiteral("SNMP_Trap_Read"), SNMP_Read_Desc_List, SNMP_Int_Flags.Read);
    LoadSection(table, QStringLiteral("SNMP_Trap_Write"), SNMP_Write_Desc_List, SNMP_Int_Flags.Write);
}

QStringList MibLines()
{
    const QString q = QStringLiteral("\"");
    QStringList out;
    out << QStringLiteral("GATEWAY DEFINITIONS ::= BEGIN") << QStringLiteral("IMPORTS")
        << QStringLiteral("       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE,enterprises")
        << QStringLiteral("         FROM SNMPv2-SMI") << QStringLiteral("         DisplayString, TimeStamp")
        << QStringLiteral("         FROM SNMPv2-TC;") << QString() << QStringLiteral("identity MODULE-IDENTITY")
        << QStringLiteral("    LAST-UPDATED \"201701310000Z\"") << QStringLiteral("    ORGANIZATION ") + q + Vendor_Name + q
        << QStringLiteral("    CONTACT-INFO") << QStringLiteral("\t \"") + Vendor_Street
        << QStringLiteral("    ") + Vendor_Town << QStringLiteral("    ") + Vendor_Country
        << QStringLiteral("    ") + Vendor_Email + q << QStringLiteral("    DESCRIPTION")
        << QStringLiteral("\t\"MIB objects for agent module \"") << QStringLiteral("    REVISION     \"201701310000Z\"")
        << QStringLiteral("    DESCRIPTION") << QStringLiteral("\t\"Corrected notification \"")
        << QStringLiteral("    REVISION     \"200202060000Z\"") << QStringLiteral("    DESCRIPTION")
        << QStringLiteral("\t\"First draft\"") << QStringLiteral("    ::= { kestro 2 }")
        << QStringLiteral("kestro          OBJECT IDENTIFIER ::= { enterprises 57082 }")
        << QStringLiteral("gateway OBJECT IDENTIFIER::= { kestro 1 }")
        << QStringLiteral("application OBJECT IDENTIFIER::= { gateway 1 }")
        << QStringLiteral("data OBJECT IDENTIFIER::= { application 1 }")
        << QStringLiteral("hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  "
                          "DESCRIPTION \"\" ::= { data 1}")
        << QStringLiteral("countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  "
                          "DESCRIPTION \"\" ::= { data 2}")
        << QStringLiteral("countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  "
                          "DESCRIPTION \"\" ::= { data 3}")
        << QStringLiteral("bufferin OBJECT IDENTIFIER::= { data 4 }");
    AddBlocks(out, QStringLiteral("bufferin"), QStringLiteral("read-only"));
    out << QStringLiteral(" bufferinval OBJECT IDENTIFIER::= { bufferin 9 }");
    AddValueObjects(out, SNMP_Read_Desc_List, SNMP_Int_Flags.Read, QStringLiteral("bufferinval"),
                    QStringLiteral("read-only"));
    out << QStringLiteral("bufferout OBJECT IDENTIFIER::= { data 5 }");
    AddBlocks(out, QStringLiteral("bufferout"), QStringLiteral("read-write"));
    out << QStringLiteral(" bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }");
    AddValueObjects(out, SNMP_Write_Desc_List, SNMP_Int_Flags.Write, QStringLiteral("bufferoutval"),
                    QStringLiteral("read-write"));
    out << QStringLiteral("traps OBJECT IDENTIFIER::= { application 2 }")
        << QStringLiteral(" trapsval OBJECT IDENTIFIER::= { traps 1 }");
    for (int k = 1; k <= SNMP_Read_Desc_List->Count(); ++k) {
        const QString desc = SNMP_Read_Desc_List->Strings(k - 1);
        const QString name = ObjectName(desc, QStringLiteral("bufferinval"), k);
        out << QStringLiteral("trapval") + QString::number(k) + QStringLiteral(" NOTIFICATION-TYPE OBJECTS { ") +
                   name + QStringLiteral(" } STATUS current DESCRIPTION \"") + desc +
                   QStringLiteral("\" ::= { trapsval ") + QString::number(k) + QStringLiteral(" }");
    }
    out << QStringLiteral("END");
    return out;
}

bool WriteMibFile(const QString& name)
{
    return GenerateDescriptionFile(name, TTextEncoding::Ansi, [] { return MibLines(); });
}

void CreateMibFile()
{
    if (!FCalyptoreFirmWare) return;
    const std::optional<QString> name = ChooseDescriptionFile(*FCalyptoreFirmWare->SaveMIB);
    if (!name || !MayWriteFile(*name, 1105, mbYesNo)) return;
    try {
        LoadMibObjects();
    } catch (const EDescriptionInput& e) {
        ShowDescriptionError(e.Message());
        return;
    }
    WriteMibFile(*name);
}
