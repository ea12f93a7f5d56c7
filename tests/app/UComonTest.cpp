// Shared state, program folders, the name rule and the settings file.
#include "Files.h"
#include "HostileFiles.h"
#include "Services.h"
#include "TempProgramDir.h"
#include "UComon.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

class SharedState : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }
};

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST_F(SharedState, SetFilesBuildsTheFourteenPathsFromTheProject)
{
    SetProgramFolders();
    Project_Path = Projects_Dir + QStringLiteral("/P2");
    Set_Files();
    const QString p = Project_Path + u'/';
    const std::pair<const QString*, const char*> expected[] = {
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
    for (const auto& [path, name] : expected)
        EXPECT_EQ(*path, p + QLatin1String(name));
    EXPECT_EQ(S7_Protocol_File, CurrentTempProgramDir() + QStringLiteral("/PROJECTS/P2/S7_Protocol.xml"));

    Project_Path.clear();
    Set_Files();
    for (const auto& [path, name] : expected)
        EXPECT_TRUE(path->isEmpty()) << name;
}

TEST_F(SharedState, ProgramFoldersAreCreatedBesideTheProgram)
{
    const QString dir = CurrentTempProgramDir();
    SetProgramFolders();
    EXPECT_EQ(Exe_Dir, dir);
    EXPECT_EQ(Master_Dir, dir + QStringLiteral("/MASTER"));
    EXPECT_EQ(Projects_Dir, dir + QStringLiteral("/PROJECTS"));
    EXPECT_EQ(Language_Dir, dir + QStringLiteral("/LANGUAGE"));
    for (const QString& d : {Master_Dir, Projects_Dir, Language_Dir})
        EXPECT_TRUE(DirectoryExists(d)) << d.toStdString();
}

TEST_F(SharedState, AFileInTheWayOfAFolderIsTolerated)
{
    WriteFile(CurrentTempProgramDir() + QStringLiteral("/PROJECTS"), "not a folder");
    EXPECT_NO_THROW(SetProgramFolders());
    EXPECT_TRUE(DirectoryExists(Master_Dir));
    EXPECT_FALSE(DirectoryExists(Projects_Dir));
}

TEST(NameRule, RefusesWhatCannotBeAFolderName)
{
    const QString twoByte = QString(QChar(0x00E4));  // "ä", two bytes in UTF-8
    struct Case {
        QString Name;
        bool Valid;
    } cases[] = {
        {"", false},          {".", false},          {"..", false},        {"a/b", false},
        {"a\\b", false},      {"x:y", false},        {"a*b", false},       {"a?b", false},
        {"a\"b", false},      {"a<b", false},        {"a>b", false},       {"a|b", false},
        {"a\tb", false},      {"abc ", false},       {"abc.", false},      {"../x", false},
        {"P1", true},         {"Progetto 2", true},  {QStringLiteral("Anlage-S\u00FCd"), true},
        {QString(255, u'x'), true},                  {twoByte.repeated(127) + u'x', true},
        {twoByte.repeated(128), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidProjectName(c.Name), c.Valid) << c.Name.toStdString();
}

// ---------------------------------------------------------------------------
// Settings file

namespace {

struct TSettingsValues {
    QString Project;
    QString Ip;
    QString Language;
    bool Internet, Update, Jump, AutoSize;
};

TSettingsValues CurrentSettings()
{
    return {Project_Name,      Last_IP_Address,   Language_Name,         Opt_Enable_Internet,
            Opt_Enable_Update, Opt_Jump_Field_Tables, Opt_Double_Click_Auto_Size};
}

void ExpectSettings(const TSettingsValues& v, const std::string& where)
{
    const TSettingsValues c = CurrentSettings();
    EXPECT_EQ(c.Project, v.Project) << where;
    EXPECT_EQ(c.Ip, v.Ip) << where;
    EXPECT_EQ(c.Language, v.Language) << where;
    EXPECT_EQ(c.Internet, v.Internet) << where;
    EXPECT_EQ(c.Update, v.Update) << where;
    EXPECT_EQ(c.Jump, v.Jump) << where;
    EXPECT_EQ(c.AutoSize, v.AutoSize) << where;
}

const TSettingsValues Defaults{"", "192.168.2.205", "English", false, false, false, false};

}  // namespace

TEST_F(SharedState, SettingsRoundTripKeepsAllSevenValues)
{
    SetProgramFolders();
    const TSettingsValues sets[] = {
        // "<" cannot be in a folder name: the address carries it through the escaping.
        {"P&1 'new'", "10.0.0.7 <&>", "Italiano", true, false, true, false},
        {"", "", "Deutsch", false, true, false, true},
    };
    for (const TSettingsValues& v : sets) {
        Project_Name = v.Project;
        Last_IP_Address = v.Ip;
        Language_Name = v.Language;
        Opt_Enable_Internet = v.Internet;
        Opt_Enable_Update = v.Update;
        Opt_Jump_Field_Tables = v.Jump;
        Opt_Double_Click_Auto_Size = v.AutoSize;
        const TWriteResult written = WriteSettingsFile();
        ASSERT_TRUE(written.Ok) << written.Error.toStdString();
        EXPECT_TRUE(ReadAll(SettingsFileName()).startsWith("<Conf_Settings>"));

        const QString dir = Exe_Dir;
        ResetSharedState();
        Exe_Dir = dir;
        ReadSettingsFile();
        ExpectSettings(v, v.Language.toStdString());
    }
}

TEST_F(SharedState, SettingsAreReadValueByValue)
{
    auto file = [](const char* body) {
        return QByteArray("<Conf_Settings>") + body + "</Conf_Settings>";
    };
    auto options = [&](const char* a, const char* b, const char* c, const char* d) {
        return file(QByteArray("<lastinternet><enable_internet>") + a + "</enable_internet><enable_update>" +
                    b + "</enable_update><enable_jump_field_tables>" + c +
                    "</enable_jump_field_tables><Double_Click_Auto_Size>" + d +
                    "</Double_Click_Auto_Size></lastinternet>");
    };
    struct Case {
        const char* Name;
        QByteArray Content;
        TSettingsValues Expected;
    } cases[] = {
        {"language only", file("<lastlang><language>Italiano</language></lastlang>"),
         {"", "192.168.2.205", "Italiano", false, false, false, false}},
        {"internet without update",
         file("<lastinternet><enable_internet>1</enable_internet></lastinternet>"),
         {"", "192.168.2.205", "English", true, false, false, false}},
        {"no lastinternet", file("<lastproj><projectname>P1</projectname></lastproj>"),
         {"P1", "192.168.2.205", "English", false, false, false, false}},
        {"flags", options("1", " 1", "1 ", "01"), {"", "192.168.2.205", "English", true, false, false, false}},
        {"true is off", options("true", "1", "0", "1"), {"", "192.168.2.205", "English", false, true, false, true}},
        {"empty ipaddress", file("<lastipadd><ipaddress></ipaddress></lastipadd>"),
         {"", "", "English", false, false, false, false}},
        {"declaration and comment",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!-- saved --><Conf_Settings><lastproj><projectname>P9"
         "</projectname></lastproj><lastipadd><ipaddress>10.1.1.1</ipaddress></lastipadd></Conf_Settings>",
         {"P9", "10.1.1.1", "English", false, false, false, false}},
        {"not well-formed", "<Conf_Settings><lastproj><projectname>P1</lastproj>", Defaults},
        {"project ..", file("<lastproj><projectname>..</projectname></lastproj>"), Defaults},
        {"project ../x", file("<lastproj><projectname>../x</projectname></lastproj>"), Defaults},
        {"language ../x", file("<lastlang><language>../x</language></lastlang>"), Defaults},
        {"language empty", file("<lastlang><language></language></lastlang>"), Defaults},
    };
    SetProgramFolders();
    for (const Case& c : cases) {
        WriteFile(SettingsFileName(), c.Content);
        Project_Name = QStringLiteral("stale");
        Opt_Enable_Update = true;
        ReadSettingsFile();
        ExpectSettings(c.Expected, c.Name);
    }
}

TEST_F(SharedState, NoSettingsFileGivesTheDefaultsAndNoProject)
{
    SetProgramFolders();
    Project_Path = QStringLiteral("/somewhere");
    ReadSettingsFile();
    ExpectSettings(Defaults, "no file");
    EXPECT_TRUE(Project_Path.isEmpty());
}

TEST_F(SharedState, AFailedSettingsWriteReportsWhyAndTouchesNothing)
{
    SetProgramFolders();
    // A folder where the file should be: the write fails even for root.
    ASSERT_TRUE(QDir().mkpath(SettingsFileName()));
    WriteFile(SettingsFileName() + QStringLiteral("/keep.txt"), "kept");
    const TWriteResult r = WriteSettingsFile();
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Error.contains(QStringLiteral("Calyptor.xml"))) << r.Error.toStdString();
    EXPECT_EQ(ReadAll(SettingsFileName() + QStringLiteral("/keep.txt")), QByteArray("kept"));
}

// A settings file that is a FIFO, a link to a device or larger than a
// settings file may be gives the defaults at once.
TEST_F(SharedState, SpecialAndOversizedSettingsFilesGiveTheDefaults)
{
    SetProgramFolders();
    std::optional<TFifo> fifo;
    struct Case {
        const char* Name;
        std::function<bool(const QString&)> Make;
    } cases[] = {
        {"FIFO", [&](const QString& p) { fifo.emplace(p); return fifo->Made(); }},
        {"link to /dev/zero", [](const QString& p) { return QFile::link(QStringLiteral("/dev/zero"), p); }},
        {"above the limit", [](const QString& p) { return MakeSparseFile(p, ReadLimit(TReadKind::Document) + 1); }},
    };
    for (const Case& c : cases) {
        QFile::remove(SettingsFileName());
        ASSERT_TRUE(c.Make(SettingsFileName())) << c.Name;
        Project_Name = QStringLiteral("stale");
        Language_Name = QStringLiteral("stale");
        QElapsedTimer clock;
        clock.start();
        ReadSettingsFile();
        EXPECT_LT(clock.elapsed(), 1000) << c.Name;
        ExpectSettings(Defaults, c.Name);
        fifo.reset();
    }
}

// A full disk: the write fails with the system's reason and the settings of
// the last save stay whole.
TEST_F(SharedState, ASettingsWriteOnAFullDiskKeepsTheOldFile)
{
    SetProgramFolders();
    Language_Name = QStringLiteral("Italiano");
    ASSERT_TRUE(WriteSettingsFile().Ok);
    const QByteArray old = ReadAll(SettingsFileName());
    Language_Name = QStringLiteral("Deutsch");
    ScopedService<std::shared_ptr<IFileWriter>> full(&PlatformServices::FileWriter,
                                                     std::make_shared<TFullDiskWriter>(0));
    const TWriteResult r = WriteSettingsFile();
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Error.endsWith(QStringLiteral("No space left on device"))) << r.Error.toStdString();
    EXPECT_EQ(ReadAll(SettingsFileName()), old);
}
