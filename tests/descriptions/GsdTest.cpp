// The PROFIBUS GSD file: the golden files, the module list, the lengths
// read from the general parameters, the name rule and the refusals.
#include "DescriptionTestKit.h"
#include "FormatCheckers.h"
#include "UDescriptionFiles.h"
#include "UFormLook.h"
#include "UProfibus_GSD.h"

#include <QDir>
#include <QFile>

namespace {

using GsdTest = DescriptionFixture;

QString LengthElements(const QString& out, const QString& in)
{
    return QStringLiteral("<PROFINET_NB_OUT>") + out + QStringLiteral("</PROFINET_NB_OUT><PROFINET_NB_IN>") + in +
           QStringLiteral("</PROFINET_NB_IN>");
}

TEST_F(GsdTest, TheFlowWritesTheGoldenFiles)
{
    struct Case {
        QString out, in, golden;
    };
    const Case cases[] = {{"0", "0", "gsd_0_0.gsd"}, {"100", "64", "gsd_100_64.gsd"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden.toStdString());
        WriteParGen(LengthElements(c.out, c.in));
        const QString target = InProject(c.golden.section(u'.', 0, 0));
        DialogResponder r;
        r.ExpectSave([&](const TDialogRequest& q) {
            EXPECT_EQ(q.InitialDir, Project_Path);
            EXPECT_EQ(q.Filter, QStringLiteral("Generic Station Description (*.gsd)|*.gsd"));
            EXPECT_EQ(q.DefaultExt, QString());
            EXPECT_FALSE(q.OverwritePrompt);
            return TDialogReply{mrOk, target, 1};
        });
        CreateGsdFile();
        const QByteArray written = ReadBytes(target + QStringLiteral(".gsd"));
        EXPECT_EQ(FirstDifference(written, Golden(c.golden)).toStdString(), "");
        EXPECT_EQ(GsdProblems(written), QString());
    }
}

TEST_F(GsdTest, ModulesCarryTheLengthsInPiecesOf64Bytes)
{
    struct Case {
        int out, in;
        QStringList modules;  // the module lines
        QString maxLines;     // Max_Module, Max_Input_Len, Max_Output_Len, Max_Data_Len
    };
    const Case cases[] = {
        {64, 0, {R"(Module="DI  (PORT1)    " 0x42,0x3F,0x00,0x01)"}, "1 64 0 64"},
        {65, 0, {R"(Module="DI  (PORT1)    " 0x42,0x3F,0x00,0x01)", R"(Module="DI  (PORT2)    " 0x42,0x00,0x00,0x02)"},
         "2 65 0 65"},
        {1, 0, {R"(Module="DI  (PORT1)    " 0x42,0x00,0x00,0x01)"}, "1 1 0 1"},
        {100, 64,
         {R"(Module="DI  (PORT1)    " 0x42,0x3F,0x00,0x01)", R"(Module="DI  (PORT2)    " 0x42,0x23,0x00,0x02)",
          R"(Module="DO  (PORT3)    " 0x82,0x3F,0x00,0x03)"},
         "3 100 64 164"},
        {-5, 0, {}, "0 -5 0 -5"},
        {0, 20 * 64, {}, "20 0 1280 1280"},  // twenty DO modules; their lines are checked by count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1/%2").arg(c.out).arg(c.in).toStdString());
        Gsd_NB_Out = c.out;
        Gsd_NB_In = c.in;
        const QStringList lines = GsdLines();
        const QStringList modules = lines.filter(QStringLiteral("Module=\""));
        if (!c.modules.isEmpty()) {
            EXPECT_EQ(modules, c.modules);
        }
        const QStringList max = c.maxLines.split(u' ');
        EXPECT_TRUE(lines.contains(QStringLiteral("Max_Module=") + max[0]));
        EXPECT_TRUE(lines.contains(QStringLiteral("Max_Input_Len=") + max[1]));
        EXPECT_TRUE(lines.contains(QStringLiteral("Max_Output_Len=") + max[2]));
        EXPECT_TRUE(lines.contains(QStringLiteral("Max_Data_Len=") + max[3]));
        const int total = max[0].toInt();
        EXPECT_EQ(modules.size(), total);
        // Every module's number line and its slot.
        const QStringList slotLines = lines.filter(QStringLiteral("Slot("));
        ASSERT_EQ(slotLines.size(), total);
        for (int i = 1; i <= total; ++i)
            EXPECT_EQ(slotLines[i - 1], QStringLiteral("Slot(%1) = \"Slot %1\" %1 %1").arg(i));
        EXPECT_EQ(GsdProblems(JoinDescriptionLines(lines).toLatin1()), QString());
    }
}

TEST_F(GsdTest, LengthsThatDoNotReadAreZero)
{
    struct Case {
        QString elements;
        int out, in;
    };
    const Case cases[] = {
        {"", 0, 0},
        {LengthElements("", "abc"), 0, 0},
        {LengthElements("12 ", "7"), 0, 7},   // nothing may follow the number
        {LengthElements("$40", "0x10"), 64, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.elements.toStdString());
        WriteParGen(c.elements);
        Gsd_NB_In = Gsd_NB_Out = 99;
        DialogResponder r;
        r.ExpectSave(QString());  // cancelled: the values are read before the dialog
        CreateGsdFile();
        EXPECT_EQ(Gsd_NB_Out, c.out);
        EXPECT_EQ(Gsd_NB_In, c.in);
    }
    EXPECT_EQ(QDir(ProjectDir()).entryList(QDir::Files), QStringList{QStringLiteral("ParGen.xml")});
}

TEST_F(GsdTest, RunsThatCannotOrMustNotWriteSayWhyAndWriteNothing)
{
    struct Case {
        const char* what;
        QByteArray parGen;  // empty: no file
        QString message;
    };
    auto parGen = [](const QString& elements) { return (QStringLiteral("<Par_Gen>") + elements + QStringLiteral("</Par_Gen>")).toUtf8(); };
    const Case cases[] = {
        {"no general parameters", {}, LangText(1104)},
        {"256 modules", parGen(LengthElements("16320", "1")), DescriptionMessages::GsdTooManyModules()},
        {"thousands of millions", parGen(LengthElements("2000000000", "2000000000")),
         DescriptionMessages::GsdTooManyModules()},
        {"broken general parameters", "<Par_Gen><PROFINET_NB_OUT>1</Par_Gen>", "cannot be read: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(ParGen_File);
        if (!c.parGen.isEmpty()) WriteBytes(ParGen_File, c.parGen);
        DialogResponder r;
        r.ExpectMessage(c.message, mrOk, mtError);
        CreateGsdFile();
        EXPECT_EQ(r.Pending(), 0);
        EXPECT_EQ(QDir(ProjectDir()).entryList(QDir::Files).filter(QStringLiteral(".gsd")), QStringList());
    }
    // 255 modules are the most and are offered.
    WriteParGen(LengthElements("16320", "0"));
    DialogResponder r;
    r.ExpectSave(QString());
    CreateGsdFile();
    EXPECT_EQ(GsdModuleCount(Gsd_NB_Out), Gsd_Max_Modules);
}

TEST(GsdName, OneGsdExtensionWhateverItsCase)
{
    const std::pair<QString, QString> cases[] = {
        {"/p/Device.GSD", "/p/Device.GSD"}, {"/p/device", "/p/device.gsd"},
        {"/p/a.gsd.bak", "/p/a.gsd.bak.gsd"}, {"/p/a.gsd.gsd", "/p/a.gsd.gsd"},
        {"/p/x.gsd/dev.gsd", "/p/x.gsd/dev.gsd"}, {"/p/x.gsd/dev", "/p/x.gsd/dev.gsd"},
    };
    for (const auto& [chosen, written] : cases) EXPECT_EQ(GsdFileName(chosen), written) << chosen.toStdString();
}

TEST(GsdChecker, NamesWhatIsWrong)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"#Profibus_DP\r\nModule=\"x\" 0x42\r\n1\r\n", "Module is never closed"},
        {"#Profibus_DP\r\nModule=\"x\" 0x42\r\nPrmText=1\r\nEndModule\r\n", "PrmText opened inside Module"},
        {"#Profibus_DP\r\nVendor_Name = \"K\r\n", "unbalanced quotes"},
        {"#Profibus_DP\r\nMax_Module=12a\r\n", "not a number: 12a"},
        {"Max_Module=1\r\n", "\"#Profibus_DP\" must come first"},
        {"#Profibus_DP\r\nhello world\r\n", "not a keyword line"},
    };
    for (const auto& [file, problem] : cases) EXPECT_TRUE(GsdProblems(file).contains(problem)) << GsdProblems(file).toStdString();
}

}  // namespace
