// The SNMP MIB module: the golden file, the rows that count, the names and
// types, and the module's validity as SMIv2 (our checker and smilint).
#include "DescriptionTestKit.h"
#include "FormatCheckers.h"
#include "UDescriptionFiles.h"
#include "USNMP_MIB.h"

#include <QFile>

namespace {

using MibTest = DescriptionFixture;

QString SnmpRow(const QString& enable, const QString& desc, const QString& type)
{
    return QStringLiteral("<row Enable=\"%1\" Description=\"%2\" Type=\"%3\"/>").arg(enable, desc, type);
}

void WriteSnmp(const QString& read, const QString& write)
{
    DescriptionFixture::WriteTable(SNMP_Trap_File, QStringLiteral("SNMP_Trap"), QStringLiteral("SNMP_Trap_Read"), read,
                                   QStringLiteral("SNMP_Trap_Write"), write);
}

QByteArray Module()
{
    LoadMibObjects();
    return JoinDescriptionLines(MibLines()).toLatin1();
}

TEST_F(MibTest, GoldenModuleIsValidSmiV2)
{
    WriteSnmp(SnmpRow("Y", "temperature", "INT") + SnmpRow("Y", "", "STRING") + SnmpRow("N", "pressure", "INT"),
              SnmpRow("Y", "setpoint", "STRING"));
    LoadMibObjects();
    const QString path = InProject(QStringLiteral("GATEWAY.mib"));
    ASSERT_TRUE(WriteMibFile(path));
    const QByteArray written = ReadBytes(path);
    EXPECT_EQ(FirstDifference(written, Golden(QStringLiteral("GATEWAY.mib"))).toStdString(), "");
    EXPECT_TRUE(written.contains(("ORGANIZATION \"" + Vendor_Name + "\"").toLatin1()));
    EXPECT_TRUE(written.contains(("    " + Vendor_Email + "\"\r\n").toLatin1()));
    EXPECT_EQ(Smiv2Problems(written).toStdString(), "");
    EXPECT_EQ(SmiLintErrors(written).toStdString(), "");
}

TEST_F(MibTest, EnableAndTypeDecideWhatIsWritten)
{
    struct Case {
        QString enable, type;
        bool written;
        QString syntax;
    };
    const Case cases[] = {
        {"Y", "INT", true, "INTEGER"},       {"y", "int", true, "INTEGER"},
        {"Y", "INT16", true, "OCTET STRING"}, {"Y", "Integer", true, "OCTET STRING"},
        {"Y", "", true, "OCTET STRING"},     {"N", "INT", false, ""},
        {"", "INT", false, ""},              {"x", "INT", false, ""},
        {"YES", "INT", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.enable + u'/' + c.type).toStdString());
        WriteSnmp(SnmpRow(c.enable, "value", c.type), SnmpRow(c.enable, "target", c.type));
        const QString module = QString::fromLatin1(Module());
        EXPECT_EQ(module.contains(QStringLiteral("value OBJECT-TYPE SYNTAX ") + c.syntax + QStringLiteral(" MAX-ACCESS read-only")),
                  c.written);
        EXPECT_EQ(module.contains(QStringLiteral("target OBJECT-TYPE SYNTAX ") + c.syntax + QStringLiteral(" MAX-ACCESS read-write")),
                  c.written);
        EXPECT_EQ(module.contains(QStringLiteral("trapval1 NOTIFICATION-TYPE OBJECTS { value }")), c.written);
    }
}

TEST_F(MibTest, EnabledRowsAreCountedWithoutGaps)
{
    WriteSnmp(SnmpRow("Y", "a1", "INT") + SnmpRow("N", "off", "INT") + SnmpRow("Y", "a2", "INT") + SnmpRow("Y", "", "INT"), QString());
    const QStringList lines = QString::fromLatin1(Module()).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.contains(
        "bufferinval3 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { bufferinval 3 }"));
    EXPECT_TRUE(lines.contains(
        "trapval3 NOTIFICATION-TYPE OBJECTS { bufferinval3 } STATUS current DESCRIPTION \"\" ::= { trapsval 3 }"));
    EXPECT_TRUE(lines.contains("trapval2 NOTIFICATION-TYPE OBJECTS { a2 } STATUS current DESCRIPTION \"a2\" ::= { trapsval 2 }"));
    EXPECT_EQ(SNMP_Read_Desc_List->Count(), 3);
    EXPECT_EQ(SNMP_Int_Flags.Read.size(), 3u);
}

TEST_F(MibTest, MissingTableGivesTheFixedLinesAndEveryRunStartsEmpty)
{
    WriteSnmp(SnmpRow("Y", "one", "INT"), SnmpRow("Y", "two", "INT"));
    LoadMibObjects();
    QFile::remove(SNMP_Trap_File);
    const QStringList lines = QString::fromLatin1(Module()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(SNMP_Read_Desc_List->Count(), 0);
    EXPECT_EQ(SNMP_Write_Desc_List->Count(), 0);
    EXPECT_EQ(lines.filter(QStringLiteral("OBJECT-TYPE")).size(), 1 + 3 + 16);  // the import, the fixed objects
    EXPECT_EQ(lines.filter(QStringLiteral("NOTIFICATION-TYPE")).size(), 1);  // the import
    EXPECT_EQ(lines.back(), QString());  // CR LF after END
    EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("END"));
    EXPECT_EQ(Smiv2Problems(Module()).toStdString(), "");
}

TEST_F(MibTest, ThreeHundredRowsAreWrittenWhole)
{
    QString rows;
    for (int i = 1; i <= 300; ++i) rows += SnmpRow("Y", QStringLiteral("value%1").arg(i), i % 2 ? "INT" : "STR");
    WriteSnmp(rows, rows);
    const QByteArray module = Module();
    EXPECT_TRUE(module.contains("value300 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only"));
    EXPECT_TRUE(module.contains("trapval300 NOTIFICATION-TYPE OBJECTS { value300 }"));
    // The write rows carry the same names: the module then defines them twice.
    EXPECT_TRUE(Smiv2Problems(module).contains(QStringLiteral("\"value1\" is defined twice")));
}

TEST(MibChecker, RejectsWhatNoSmiV2CompilerAccepts)
{
    const QByteArray head =
        "GATEWAY DEFINITIONS ::= BEGIN\r\nIMPORTS\r\n MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE,enterprises\r\n"
        " FROM SNMPv2-SMI;\r\nidentity MODULE-IDENTITY LAST-UPDATED \"201701310000Z\" ::= { enterprises 1 }\r\n"
        "t OBJECT IDENTIFIER ::= { identity 1 }\r\n"
        "v OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { t 1 }\r\n";
    const std::pair<QByteArray, QString> cases[] = {
        // The notification line as first drafted, with an object's clauses.
        {head + "trapval1 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"v\" ::= { t 2 }\r\nEND\r\n",
         "NOTIFICATION-TYPE trapval1 may not have SYNTAX"},
        // A description with blanks used as the object's name.
        {head + "room temp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"room temp\" ::= { t 3 }\r\nEND\r\n",
         "\"room\" is followed by \"temp\""},
        {head + "w OBJECT-TYPE SYNTAX INTEGER STATUS current DESCRIPTION \"\" ::= { t 1 }\r\nEND\r\n",
         "OBJECT-TYPE w has no MAX-ACCESS"},
        {head + "w OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { t 1 }\r\nEND\r\n",
         "v and w are both registered as { t 1 }"},
        {head + "n NOTIFICATION-TYPE OBJECTS { x } STATUS current DESCRIPTION \"\" ::= { nowhere 1 }\r\nEND\r\n",
         "parent nowhere is neither defined nor imported"},
        {head + "n NOTIFICATION-TYPE OBJECTS { x } STATUS current DESCRIPTION \"\" ::= { t 5 }\r\nEND\r\n",
         "n names x, which is no object of the module"},
        {QByteArray(head).replace("FROM SNMPv2-SMI;", "FROM RFC1155-SMI;") + "END\r\n",
         "imports from the SMIv1 module RFC1155-SMI"},
        {QByteArray(head).replace("OBJECT-TYPE,", "") + "END\r\n", "OBJECT-TYPE is used but not imported"},
    };
    for (const auto& [module, problem] : cases) {
        const QString found = Smiv2Problems(module);
        EXPECT_TRUE(found.contains(problem)) << "expected: " << problem.toStdString() << "\nfound: " << found.toStdString();
    }
}

TEST_F(MibTest, SmilintRejectsTheFirstDraftsNotificationToo)
{
    WriteSnmp(SnmpRow("Y", "temperature", "INT"), QString());
    QByteArray module = Module();
    module.replace("NOTIFICATION-TYPE OBJECTS { temperature } STATUS",
                   "NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS");
    EXPECT_NE(SmiLintErrors(module), QString());
}

}  // namespace
