// The updater's job file, built for every choice and read-back state.
#include "UBootJob.h"
#include "UComon.h"
#include "XmlDoc.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QStringList ChildNames(const TXmlNode& n)
{
    QStringList names;
    for (int i = 0; i < n.ChildElementCount(); ++i)
        names << n.ChildElementAt(i).Name();
    return names;
}

const QStringList OperationElements = {
    "Ope_Protection_Enabled", "Ope_GoToBoot_Before", "Ope_GoToApp_Before", "Ope_IP_Address",
    "Ope_Port", "Ope_Port_Sec", "Ope_Erase_Memory", "Ope_FileName", "Ope_Start_Address",
    "Ope_Memory_Type", "Ope_Bank_Type", "Ope_Read_Back", "Ope_Write_CSS", "Ope_Address_CSS",
    "Ope_Command_CSS", "Ope_Write_Internal_Data", "Ope_WID_Address", "Ope_WID_Command",
    "Ope_WID_Data", "Ope_GoToApp_After"};

}  // namespace

TEST(BootJob, EveryChoiceAndReadBackState)
{
    const QString master = QStringLiteral("/tmp/prog/MASTER");
    const QString project = QStringLiteral("/tmp/prog/PROJECTS/Plant 1");
    const QString firmware = master + "/Sim52104.sim";
    const QString bank1 = project + "/bin/bank1.bin";
    const QString bank2 = project + "/bin/bank2.bin";
    struct Op {
        QString File;
        const char* Start;
        const char* Bank;
        const char* Css;
        const char* GoToApp;
    };
    const Op fw{firmware, "0x8000", "1", "1", "0"};
    const Op fwOnly{firmware, "0x8000", "1", "1", "1"};
    const Op b1{bank1, "0x07000", "2", "0", "0"};
    const Op b2{bank2, "0x80000", "2", "0", "1"};
    const struct {
        int Choice;
        QList<Op> Ops;
    } choices[] = {{0, {fw, b1, b2}}, {1, {fwOnly}}, {2, {b1, b2}}};

    for (const auto& c : choices) {
        for (bool readBack : {true, false}) {
            SCOPED_TRACE(testing::Message() << "choice " << c.Choice << " read back " << readBack);
            TUpdateJob job;
            job.DeviceAddress = QStringLiteral(" 192.168.010.5");
            job.Choice = c.Choice;
            job.ReadBack = readBack;
            job.MasterDir = master;
            job.ProjectPath = project;
            TXmlDocument built;
            built.AddComment(QStringLiteral("left over from before"));
            BuildUpdateJob(built, job);
            const QByteArray bytes = built.SaveToBytes();
            EXPECT_FALSE(bytes.startsWith("<?xml"));

            TXmlDocument doc;
            ASSERT_TRUE(doc.LoadFromBytes(bytes));
            const QList<TXmlNode> top = doc.Nodes();
            ASSERT_EQ(top.size(), 1);  // the root alone: no declaration, no comment
            const TXmlNode root = top[0];
            EXPECT_EQ(root.Name(), QStringLiteral("Ethernet_Update"));
            EXPECT_EQ(ChildNames(root),
                      (QStringList{"Version", "Title", "IP_Address_Dev", "Application_Port",
                                   "Boot_Port", "Boot_Port_Sec", "Address_Protection",
                                   "Protections", "Operations"}));
            const auto text = [&](const char* name) {
                return root.ChildElement(QLatin1String(name)).Text();
            };
            EXPECT_EQ(text("Version"), QStringLiteral("1000"));
            EXPECT_EQ(text("Title"), QStringLiteral("www.kestro.example - CF52104 Ethernet Update"));
            EXPECT_EQ(text("IP_Address_Dev"), QStringLiteral(" 192.168.010.5"));
            EXPECT_EQ(text("Application_Port"), QStringLiteral("10000"));
            EXPECT_EQ(text("Boot_Port"), QStringLiteral("2008"));
            EXPECT_EQ(text("Boot_Port_Sec"), QStringLiteral("2007"));
            EXPECT_EQ(text("Address_Protection"), QStringLiteral("0x07800"));
            const TXmlNode protections = root.ChildElement(QStringLiteral("Protections"));
            EXPECT_EQ(ChildNames(protections), QStringList{"Protection"});
            EXPECT_EQ(protections.ChildElementAt(0).Text(), QStringLiteral("0x1B7"));

            const TXmlNode ops = root.ChildElement(QStringLiteral("Operations"));
            ASSERT_EQ(ops.ChildElementCount(), c.Ops.size());
            for (int i = 0; i < c.Ops.size(); ++i) {
                SCOPED_TRACE(testing::Message() << "operation " << i);
                const TXmlNode op = ops.ChildElementAt(i);
                EXPECT_EQ(op.Name(), QStringLiteral("Operation"));
                EXPECT_EQ(ChildNames(op), OperationElements);
                QStringList values;
                for (int k = 0; k < op.ChildElementCount(); ++k)
                    values << op.ChildElementAt(k).Text();
                const Op& e = c.Ops[i];
                const QStringList expected = {
                    "", "0", "0", "", "2008", "2007", "0", e.File, e.Start, "0", e.Bank,
                    readBack ? "1" : "0", e.Css, "0x07A00", "0x02", "0", "0x07810", "0x02",
                    "0x00, 0x00, 0x00, 0x01", e.GoToApp};
                EXPECT_EQ(values, expected);
            }
        }
    }
}

TEST(BootJob, FileBesideTheProgram)
{
    const QString saved = Exe_Dir;
    Exe_Dir = QStringLiteral("/opt/calyptor");
    EXPECT_EQ(UpdateJobFileName(), QStringLiteral("/opt/calyptor/Ethernet_Update.xml"));
    Exe_Dir = saved;
}
