// Building the banks from a project's files and writing them.
#include "BankBytes.h"
#include "Files.h"
#include "HostileFiles.h"
#include "Services.h"
#include "TempProgramDir.h"
#include "TestProject.h"
#include "UComon.h"
#include "USaveBincc.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <vector>

#include <unistd.h>

namespace {

using namespace BankBytes;

// The elements of the ParGen.xml the editor writes for a new project, in its order.
const std::vector<std::pair<QString, QString>> NewProjectParGen = {
    {"S7_Protocol_IP1", "192"}, {"S7_Protocol_IP2", "168"}, {"S7_Protocol_IP3", "0"}, {"S7_Protocol_IP4", "5"},
    {"S7_Protocol_SM1", "255"}, {"S7_Protocol_SM2", "255"}, {"S7_Protocol_SM3", "255"}, {"S7_Protocol_SM4", "0"},
    {"S7_Protocol_GAT1", "192"}, {"S7_Protocol_GAT2", "168"}, {"S7_Protocol_GAT3", "0"}, {"S7_Protocol_GAT4", "1"},
    {"S7_Protocol_EN_GAT", "0"}, {"S7_Protocol_TimeOut", "100"}, {"S7_Protocol_Enable_Reset_TimeOut", "0"},
    {"S7_Protocol_Reset_TimeOut", "100"}, {"Eth_Conn_Device_Name", ""}, {"Eth_Conn_DHCP_Cable", "0"},
    {"Eth_Conn_DHCP_WiFi", "0"}, {"Eth_Conn_Enable_DNS", "0"},
    {"Eth_Conn_Primary_DNS1", "8"}, {"Eth_Conn_Primary_DNS2", "8"}, {"Eth_Conn_Primary_DNS3", "8"},
    {"Eth_Conn_Primary_DNS4", "8"}, {"Eth_Conn_Secondary_DNS1", "8"}, {"Eth_Conn_Secondary_DNS2", "8"},
    {"Eth_Conn_Secondary_DNS3", "8"}, {"Eth_Conn_Secondary_DNS4", "8"},
    {"SERIAL_SERIAL", "0"}, {"SERIAL_BAUDRATE", "7"}, {"SERIAL_PARITY", "0"}, {"SERIAL_STOPBITS", "0"},
};

QString Escaped(const QString& s)
{
    return s.toHtmlEscaped();
}

// A ParGen.xml over the new-project values: `changes` replaces texts, and a
// change to the text "<missing>" leaves the element out.
QByteArray ParGenXml(const std::map<QString, QString>& changes = {}, const QString& prolog = {})
{
    QString xml = prolog + QStringLiteral("<Par_Gen>\n");
    for (const auto& [name, value] : NewProjectParGen) {
        QString v = value;
        if (auto it = changes.find(name); it != changes.end())
            v = it->second;
        if (v == QLatin1String("<missing>"))
            continue;
        xml += QStringLiteral("  <%1>%2</%1>\n").arg(name, Escaped(v));
    }
    xml += QStringLiteral("</Par_Gen>\n<!--SW_VERSION = 1.000-->\n");
    return xml.toUtf8();
}

QString S7Row(const QString& attributes)
{
    return QStringLiteral("    <row %1/>\n").arg(attributes);
}

QByteArray S7Xml(const QString& readRows, const QString& writeRows)
{
    return QStringLiteral("<S7_Protocol>\n  <S7_Protocol_Read>\n%1  </S7_Protocol_Read>\n"
                          "  <S7_Protocol_Write>\n%2  </S7_Protocol_Write>\n</S7_Protocol>\n"
                          "<!--SW_VERSION = 1.000-->\n")
        .arg(readRows, writeRows)
        .toUtf8();
}

const QString GoldenRow = QStringLiteral(
    "Enable=\"Y\" PLC_Address=\"192.168.1.125\" PLC_Port=\"102\" PLC_Type=\"S71200\" Rack=\"0\" Slot=\"1\" "
    "Data_Type=\"Word\" Data_Identifier=\"DB\" DB_Number=\"10\" PLC_Area=\"Inputs (I)\" PLC_Add=\"20\" "
    "PLC_Bit=\"0\" PollTime=\"500\" Position=\"3\" Bit=\"0\" Swap=\"Y\" SwapWord=\"N\" Mnemonic=\"m\"");

// The expected bank 1 for the new-project ParGen.xml and no S7 file.
Bytes NewProjectImage()
{
    Bytes b(2048, 0);
    b = Patched(b, 0x000, {0x90, 0xD0, 0x03, 0x00, 0x90, 0xD0, 0x03, 0x00});
    b = Patched(b, 0x00C, {0x80, 0x25});
    b = Patched(b, 0x028, {0xC0, 0xA8, 0x00, 0x05, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,
                           0x10, 0x27, 0x11, 0x27, 0x11, 0x27});
    for (int at : {0x190, 0x19C, 0x1A0})
        b = Patched(b, at, {0x00, 0xC2, 0x01, 0x00});
    b = Patched(b, 0x1B4, {8, 8, 8, 8, 8, 8, 8, 8});
    b = Patched(b, 0x59A, {0x64});
    b = Patched(b, 0x5F0, {0x01});
    b = Patched(b, 0x656, {0x08});
    b = Patched(b, 0x66C, {0x31, 0x2E, 0x30, 0x30, 0x30});
    return Patched(b, 0x7FC, {0x5D, 0x10});
}

Bytes FileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray a = f.readAll();
    return Bytes(a.begin(), a.end());
}

class Banks : public ::testing::Test {
protected:
    void SetUp() override { TestProject::Start(); }
    void TearDown() override { ResetSharedState(); }

    static void Write(const QString& path, const QByteArray& bytes) { TestProject::Write(path, bytes); }

    QString Bank(int n) const { return Project_Path + QStringLiteral("/bin/bank%1.bin").arg(n); }

    // Builds and saves; the bank files as read back.
    std::pair<Bytes, Bytes> BuildAndSave()
    {
        const TBankResult built = BuildConfigurationBanks();
        EXPECT_TRUE(built.Ok) << built.Path.toStdString() << ": " << built.Reason.toStdString();
        const TBankResult saved = SaveConfigurationBanks();
        EXPECT_TRUE(saved.Ok) << saved.Path.toStdString() << ": " << saved.Reason.toStdString();
        return {FileBytes(Bank(1)), FileBytes(Bank(2))};
    }

    Bytes Bank1FromParGen(const QByteArray& xml)
    {
        Write(ParGen_File, xml);
        return BuildAndSave().first;
    }
};

}  // namespace

TEST_F(Banks, NeitherFileGivesTheDefaultRecordAndAnEmptyTable)
{
    const auto [bank1, bank2] = BuildAndSave();
    EXPECT_EQ(Diff(NeitherFileImage(), bank1), "");
    EXPECT_EQ(bank2, Bytes(28672, 0));
    EXPECT_EQ(Bank1_Length, 2048);
    EXPECT_EQ(Bank2_Length, 28672);
}

TEST_F(Banks, NewProjectParGenGivesTheEditorsImage)
{
    EXPECT_EQ(Diff(NewProjectImage(), Bank1FromParGen(ParGenXml())), "");
    EXPECT_EQ(General_Parameters.Checksum, 4189u);
}

TEST_F(Banks, ParGenVariations)
{
    const QString euroName = QStringLiteral("Gate\u20AC1");
    const QString longName = QString(40, u'n');
    struct Case {
        const char* Name;
        std::map<QString, QString> Changes;
        std::vector<std::pair<int, Bytes>> Expected;  // over the new-project image
    } cases[] = {
        {"gateway off", {{"S7_Protocol_EN_GAT", "0"}}, {}},
        {"gateway on", {{"S7_Protocol_EN_GAT", "1"}, {"S7_Protocol_GAT1", "<missing>"},
                        {"S7_Protocol_GAT2", "10"}, {"S7_Protocol_GAT3", "20"}, {"S7_Protocol_GAT4", "30"}},
         {{0x030, {0xC0, 0x0A, 0x14, 0x1E}}}},
        {"IP4 missing", {{"S7_Protocol_IP4", "<missing>"}}, {{0x02B, {10}}}},
        {"IP4 300", {{"S7_Protocol_IP4", "300"}}, {{0x02B, {0x2C}}}},
        {"IP4 $FF", {{"S7_Protocol_IP4", "$FF"}}, {{0x02B, {0xFF}}}},
        {"IP4 -1", {{"S7_Protocol_IP4", "-1"}}, {{0x02B, {0xFF}}}},
        {"baud 3", {{"SERIAL_BAUDRATE", "3"}},
         {{0x190, {0x80, 0x25, 0, 0}}, {0x19C, {0x80, 0x25, 0, 0}}, {0x1A0, {0x80, 0x25, 0, 0}}}},
        {"baud 9", {{"SERIAL_BAUDRATE", "9"}},
         {{0x190, {0x80, 0x25, 0, 0}}, {0x19C, {0x80, 0x25, 0, 0}}, {0x1A0, {0x80, 0x25, 0, 0}}}},
        {"baud 0", {{"SERIAL_BAUDRATE", "0"}},
         {{0x190, {0xB0, 0x04, 0, 0}}, {0x19C, {0xB0, 0x04, 0, 0}}, {0x1A0, {0xB0, 0x04, 0, 0}}}},
        {"baud empty", {{"SERIAL_BAUDRATE", ""}}, {}},
        {"baud abc", {{"SERIAL_BAUDRATE", "abc"}}, {}},
        {"stop bits 1", {{"SERIAL_STOPBITS", "1"}}, {{0x1AE, {2}}, {0x1B1, {2}}, {0x1B2, {2}}}},
        {"stop bits 0", {{"SERIAL_STOPBITS", "0"}}, {}},
        {"parity 2", {{"SERIAL_PARITY", "2"}}, {{0x1A8, {2}}, {0x1AB, {2}}, {0x1AC, {2}}}},
        {"RS485", {{"SERIAL_SERIAL", "1"}}, {{0x5F0, {0}}}},
        {"serial 00", {{"SERIAL_SERIAL", "00"}}, {{0x5F0, {0}}}},
        {"reset 60", {{"S7_Protocol_Enable_Reset_TimeOut", "1"}, {"S7_Protocol_Reset_TimeOut", "60"}},
         {{0x114, {0x60, 0xEA, 0x00, 0x00}}}},
        {"reset x", {{"S7_Protocol_Enable_Reset_TimeOut", "1"}, {"S7_Protocol_Reset_TimeOut", "x"}},
         {{0x114, {0xA0, 0x86, 0x01, 0x00}}}},
        {"reset -1", {{"S7_Protocol_Enable_Reset_TimeOut", "1"}, {"S7_Protocol_Reset_TimeOut", "-1"}},
         {{0x114, {0x18, 0xFC, 0xFF, 0xFF}}}},
        {"reset off", {{"S7_Protocol_Enable_Reset_TimeOut", "0"}, {"S7_Protocol_Reset_TimeOut", "60"}}, {}},
        {"DNS on, elements missing",
         {{"Eth_Conn_Enable_DNS", "1"}, {"Eth_Conn_Primary_DNS1", "<missing>"}, {"Eth_Conn_Primary_DNS2", "<missing>"},
          {"Eth_Conn_Primary_DNS3", "<missing>"}, {"Eth_Conn_Primary_DNS4", "<missing>"},
          {"Eth_Conn_Secondary_DNS1", "<missing>"}, {"Eth_Conn_Secondary_DNS2", "<missing>"},
          {"Eth_Conn_Secondary_DNS3", "<missing>"}, {"Eth_Conn_Secondary_DNS4", "<missing>"}},
         {{0x53C, {8, 8, 4, 4}}, {0x58C, {8, 8, 8, 8}}}},
        {"DNS on", {{"Eth_Conn_Enable_DNS", "1"}, {"Eth_Conn_Primary_DNS4", "1"}, {"Eth_Conn_Secondary_DNS1", "2"}},
         {{0x53C, {2, 8, 8, 8}}, {0x58C, {8, 8, 8, 1}}}},
        {"DNS off", {{"Eth_Conn_Enable_DNS", "0"}, {"Eth_Conn_Primary_DNS1", "1"}}, {}},
        {"DHCP both", {{"Eth_Conn_DHCP_Cable", "1"}, {"Eth_Conn_DHCP_WiFi", "1"}}, {{0x4E8, {0x03, 0x00}}}},
        {"DHCP blank", {{"Eth_Conn_DHCP_Cable", " 1"}}, {}},
        {"time-out 70000", {{"S7_Protocol_TimeOut", "70000"}}, {{0x59A, {0x70, 0x11}}}},
        {"time-out missing", {{"S7_Protocol_TimeOut", "<missing>"}}, {}},
        {"name 40", {{"Eth_Conn_Device_Name", longName}}, {{0x514, Bytes(31, 'n')}}},
        {"name euro", {{"Eth_Conn_Device_Name", euroName}}, {{0x514, {'G', 'a', 't', 'e', 0xAC, '1'}}}},
    };
    for (const Case& c : cases) {
        Bytes expected = NewProjectImage();
        for (const auto& [offset, data] : c.Expected)
            expected = Patched(expected, offset, data);
        EXPECT_EQ(Diff(WithChecksum(expected), Bank1FromParGen(ParGenXml(c.Changes))), "") << c.Name;
    }
    // A declaration and a comment before the root read like the file without them.
    const QString prolog = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- exported -->\n");
    EXPECT_EQ(Diff(NewProjectImage(), Bank1FromParGen(ParGenXml({}, prolog))), "");
}

TEST_F(Banks, EnabledRowsFillTheTableReadRowsFirst)
{
    const QString golden = GoldenRow;
    QString disabled = GoldenRow;
    disabled.replace(QStringLiteral("Enable=\"Y\""), QStringLiteral("Enable=\"N\""));
    QString third = GoldenRow;
    third.replace(QStringLiteral("Position=\"3\""), QStringLiteral("Position=\"4\""));
    QString write1 = GoldenRow + QStringLiteral(" OnChange=\"Y\" OnCMD=\"N\"");
    QString write2 = GoldenRow;
    write2.replace(QStringLiteral("Rack=\"0\" Slot=\"1\""), QStringLiteral("Rack=\"3\" Slot=\"31\""));
    Write(S7_Protocol_File, S7Xml(S7Row(golden) + S7Row(disabled) + S7Row(third), S7Row(write1) + S7Row(write2)));
    const auto [bank1, bank2] = BuildAndSave();

    Bytes expected(28672, 0);
    expected = Patched(expected, 0, GoldenEntry);
    expected = Patched(expected, 28, Patched(GoldenEntry, 14, {4}));
    expected = Patched(expected, 56, Patched(GoldenEntry, 23, {0x25}));
    expected = Patched(expected, 84, Patched(Patched(GoldenEntry, 23, {0x24}), 26, {0x7F}));
    EXPECT_EQ(Diff(expected, bank2), "");
    EXPECT_EQ(Diff(WithChecksum(Patched(NeitherFileImage(), 0x658, {4})), bank1), "");
}

TEST_F(Banks, RowAttributesEachWithTheirDefault)
{
    struct Case {
        const char* Name;
        QString Row;
        bool Write;
        std::vector<std::pair<int, Bytes>> Expected;  // over the golden entry; empty Row text: skipped
    } cases[] = {
        {"three octets", "PLC_Address=\"192.168.1\"", false, {{0, {0, 0, 0, 0}}}},
        {"no PollTime", "PollTime=\"\"", false, {{4, {0xE8, 0x03, 0, 0}}}},
        {"no identifier", "Data_Identifier=\"\"", false, {{21, {8}}}},
        {"no area", "PLC_Area=\"\"", false, {{25, {0x80}}}},
        {"read OnChange", "OnChange=\"Y\" OnCMD=\"Y\"", false, {}},
        {"write OnCMD", "OnChange=\"N\" OnCMD=\"Y\"", true, {{23, {0x34}}}},
        {"port $66", "PLC_Port=\"$66\"", false, {}},
        {"port 0x66", "PLC_Port=\"0x66\"", false, {}},
        {"wide u16", "PLC_Add=\"70000\" DB_Number=\"70000\" PLC_Port=\"70000\" Position=\"70000\"", false,
         {{8, {0x70, 0x11, 0x70, 0x11, 0x70, 0x11, 0x70, 0x11}}}},
        {"poll -1", "PollTime=\"-1\"", false, {{4, {0xFF, 0xFF, 0xFF, 0xFF}}}},
        {"rack 300", "Rack=\"300\" Slot=\"5\"", false, {{26, {133}}}},
        {"rack 255", "Rack=\"255\" Slot=\"255\"", false, {{26, {223}}}},
        {"bad type", "PLC_Type=\"S7-300\" Data_Type=\"word\"", false, {{19, {0, 1}}}},
    };
    // Each case's attributes override the golden row's (the first occurrence of an
    // attribute would win, so the golden one is removed first).
    auto rowWith = [](const QString& overrides) {
        QString row = GoldenRow;
        const QRegularExpression attr(QStringLiteral("(\\w+)=\"[^\"]*\""));
        auto it = attr.globalMatch(overrides);
        while (it.hasNext()) {
            const QString name = it.next().captured(1);
            row.remove(QRegularExpression(QStringLiteral("\\b%1=\"[^\"]*\"").arg(name)));
        }
        return row + u' ' + overrides;
    };
    for (const Case& c : cases) {
        QString row = rowWith(c.Row);
        // An empty attribute stands for a missing one, too.
        row.remove(QRegularExpression(QStringLiteral("\\w+=\"\"")));
        Write(S7_Protocol_File, c.Write ? S7Xml({}, S7Row(row)) : S7Xml(S7Row(row), {}));
        const Bytes bank2 = BuildAndSave().second;
        Bytes entry = GoldenEntry;
        if (c.Write)
            entry = Patched(entry, 23, {0x24});
        for (const auto& [offset, data] : c.Expected)
            entry = Patched(entry, offset, data);
        EXPECT_EQ(Diff(entry, Bytes(bank2.begin(), bank2.begin() + 28)), "") << c.Name;
    }
    // Enable "y", and no Enable at all: skipped.
    QString lower = GoldenRow, none = GoldenRow;
    lower.replace(QStringLiteral("Enable=\"Y\""), QStringLiteral("Enable=\"y\""));
    none.remove(QStringLiteral("Enable=\"Y\""));
    Write(S7_Protocol_File, S7Xml(S7Row(lower) + S7Row(none), {}));
    EXPECT_EQ(BuildAndSave().second, Bytes(28672, 0));
    EXPECT_EQ(General_Parameters.S7_Entry_Count, 0u);
}

TEST_F(Banks, NothingCarriesOverBetweenBuilds)
{
    QString ten, two;
    for (int i = 0; i < 10; ++i)
        ten += S7Row(GoldenRow);
    two = S7Row(GoldenRow) + S7Row(GoldenRow);
    Write(S7_Protocol_File, S7Xml(ten, {}));
    BuildAndSave();
    Write(S7_Protocol_File, S7Xml(two, {}));
    const Bytes bank2 = BuildAndSave().second;
    EXPECT_EQ(Bytes(bank2.begin() + 56, bank2.end()), Bytes(28672 - 56, 0));

    Write(ParGen_File, ParGenXml());
    BuildAndSave();
    QFile::remove(ParGen_File);
    const auto first = BuildAndSave();
    EXPECT_EQ(Bytes(first.first.begin() + 0x66C, first.first.begin() + 0x674), Bytes(8, 0));
    const auto second = BuildAndSave();
    EXPECT_EQ(first, second);
}

TEST_F(Banks, AMissingBinFolderIsCreated)
{
    ASSERT_FALSE(DirectoryExists(Project_Path + QStringLiteral("/bin")));
    const auto [bank1, bank2] = BuildAndSave();
    EXPECT_EQ(bank1.size(), 2048u);
    EXPECT_EQ(bank2.size(), 28672u);
}

TEST_F(Banks, FailuresNameTheFileAndTheReason)
{
    QString many;
    for (int i = 0; i < 1025; ++i)
        many += S7Row(GoldenRow);
    struct Case {
        const char* Name;
        QByteArray ParGen;  // empty: no file
        QByteArray S7;
        bool BuildFails;
        const QString* Path;
        const char* Reason;
    } cases[] = {
        {"broken ParGen", "<Par_Gen><S7_Protocol_IP1>1</Par_Gen>", {}, true, &ParGen_File, "the file cannot be read: "},
        {"broken S7", {}, "<S7_Protocol><S7_Protocol_Read>", true, &S7_Protocol_File, "the file cannot be read: "},
        {"no read section", {}, "<S7_Protocol><S7_Protocol_Write/></S7_Protocol>", true, &S7_Protocol_File,
         "the section S7_Protocol_Read is missing"},
        {"no write section", {}, "<S7_Protocol><S7_Protocol_Read/></S7_Protocol>", true, &S7_Protocol_File,
         "the section S7_Protocol_Write is missing"},
        {"1025 rows", {}, S7Xml(many, {}), true, &S7_Protocol_File,
         "more than 1024 rules are enabled; the device holds 1024"},
    };
    for (const Case& c : cases) {
        QFile::remove(ParGen_File);
        QFile::remove(S7_Protocol_File);
        if (!c.ParGen.isEmpty())
            Write(ParGen_File, c.ParGen);
        if (!c.S7.isEmpty())
            Write(S7_Protocol_File, c.S7);
        const TBankResult r = BuildConfigurationBanks();
        EXPECT_FALSE(r.Ok) << c.Name;
        EXPECT_EQ(r.Path, *c.Path) << c.Name;
        EXPECT_TRUE(r.Reason.startsWith(QLatin1String(c.Reason))) << c.Name << ": " << r.Reason.toStdString();
        // Nothing of the failed build can be saved.
        const TBankResult s = SaveConfigurationBanks();
        EXPECT_FALSE(s.Ok) << c.Name;
        EXPECT_FALSE(QFile::exists(Bank(1))) << c.Name;
    }
    // The parser's position is part of the reason.
    Write(ParGen_File, "<Par_Gen>\n<a>\n</Par_Gen>");
    QFile::remove(S7_Protocol_File);
    EXPECT_TRUE(BuildConfigurationBanks().Reason.contains(QStringLiteral("line"))) << "line and column";

    // No project: nothing is built, nothing written.
    const QString path = Project_Path;
    Project_Path.clear();
    Set_Files();
    for (const TBankResult& r : {BuildConfigurationBanks(), SaveConfigurationBanks()}) {
        EXPECT_FALSE(r.Ok);
        EXPECT_EQ(r.Reason, QStringLiteral("no project is open"));
    }
    Project_Path = path;
    Set_Files();
}

TEST_F(Banks, AFailedWriteKeepsTheOldBankFiles)
{
    QFile::remove(ParGen_File);
    const QString bin = Project_Path + QStringLiteral("/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    Write(Bank(2), "old bank 2");
    // bank1.bin is a folder: the first write fails, also for root.
    ASSERT_TRUE(QDir().mkpath(Bank(1)));
    ASSERT_TRUE(BuildConfigurationBanks().Ok);
    const TBankResult r = SaveConfigurationBanks();
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Path, Bank(1));
    EXPECT_FALSE(r.Reason.isEmpty());
    EXPECT_EQ(FileBytes(Bank(2)), Bytes({'o', 'l', 'd', ' ', 'b', 'a', 'n', 'k', ' ', '2'}));
    EXPECT_TRUE(DirectoryExists(Bank(1)));

    // bank2.bin a folder: bank 1 is not replaced either.
    QDir(Bank(1)).removeRecursively();
    QFile::remove(Bank(2));
    Write(Bank(1), "old bank 1");
    ASSERT_TRUE(QDir().mkpath(Bank(2)));
    const TBankResult r2 = SaveConfigurationBanks();
    EXPECT_FALSE(r2.Ok);
    EXPECT_EQ(r2.Path, Bank(2));
    EXPECT_EQ(FileBytes(Bank(1)), Bytes({'o', 'l', 'd', ' ', 'b', 'a', 'n', 'k', ' ', '1'}));
}

// With room for bank 1 but not for bank 2 the old pair stays as it was: the
// device never gets a new bank 1 with an old bank 2. The system's own full
// disk where a file system can be mounted, the injected one everywhere.
TEST_F(Banks, AFullDiskKeepsTheOldPair)
{
    const QString bin = Project_Path + QStringLiteral("/bin");
    ASSERT_TRUE(BuildConfigurationBanks().Ok);
    auto writeOldPair = [&] {
        Write(Bank(1), "old bank 1");
        Write(Bank(2), "old bank 2");
    };
    auto expectOldPair = [&](const char* where) {
        EXPECT_EQ(FileBytes(Bank(1)), Bytes({'o', 'l', 'd', ' ', 'b', 'a', 'n', 'k', ' ', '1'})) << where;
        EXPECT_EQ(FileBytes(Bank(2)), Bytes({'o', 'l', 'd', ' ', 'b', 'a', 'n', 'k', ' ', '2'})) << where;
        EXPECT_EQ(QDir(bin).entryList({QStringLiteral("bank*")}, QDir::Files | QDir::Hidden),
                  (QStringList{"bank1.bin", "bank2.bin"}))
            << where;
    };
    {
        TSmallFileSystem fs(bin, 64 * 1024);
        if (fs.Mounted()) {
            writeOldPair();
            ASSERT_TRUE(fs.Fill(QStringLiteral("filler"), 8 * 1024));  // 8 KiB left
            const TBankResult r = SaveConfigurationBanks();
            EXPECT_FALSE(r.Ok);
            EXPECT_EQ(r.Path, Bank(2));
            EXPECT_EQ(r.Reason, QStringLiteral("No space left on device"));
            expectOldPair("file system");
        }
    }
    writeOldPair();
    {
        ScopedService<std::shared_ptr<IFileWriter>> full(&PlatformServices::FileWriter,
                                                         std::make_shared<TFullDiskWriter>(8 * 1024));
        const TBankResult r = SaveConfigurationBanks();
        EXPECT_FALSE(r.Ok);
        EXPECT_EQ(r.Path, Bank(2));
        EXPECT_EQ(r.Reason, QStringLiteral("No space left on device"));
    }
    expectOldPair("injected");
}

// The bin folder cannot be made: the folder is named with the system's reason.
TEST_F(Banks, AFileWhereTheBinFolderBelongsIsReported)
{
    const QString bin = Project_Path + QStringLiteral("/bin");
    QDir(bin).removeRecursively();
    Write(bin, "not a folder");
    ASSERT_TRUE(BuildConfigurationBanks().Ok);
    const TBankResult r = SaveConfigurationBanks();
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Folder);
    EXPECT_EQ(r.Path, bin);
    EXPECT_EQ(r.Reason.toStdString(), "Not a directory");
}

TEST_F(Banks, AReadOnlyBinFolderKeepsTheOldBankFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into a read-only folder";
    const QString bin = Project_Path + QStringLiteral("/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    Write(Bank(1), "old bank 1");
    ASSERT_TRUE(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner));
    ASSERT_TRUE(BuildConfigurationBanks().Ok);
    const TBankResult r = SaveConfigurationBanks();
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Folder);
    EXPECT_EQ(r.Path, Bank(1));
    EXPECT_FALSE(r.Reason.isEmpty());
    EXPECT_EQ(FileBytes(Bank(1)), Bytes({'o', 'l', 'd', ' ', 'b', 'a', 'n', 'k', ' ', '1'}));
    EXPECT_EQ(QDir(bin).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("bank1.bin")});
}
