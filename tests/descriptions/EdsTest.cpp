// The CANopen EDS file: golden files, the PDO bounds, the SDO order and
// data types, the clock texts and the run a broken row ends.
#include "DescriptionTestKit.h"
#include "FormatCheckers.h"
#include "UDescriptionFiles.h"
#include "UEds.h"

#include <QFile>

namespace {

using EdsTest = DescriptionFixture;

QString PdoRows(const QStringList& attributes)
{
    QString rows;
    for (const QString& a : attributes) rows += QStringLiteral("<row ") + a + QStringLiteral("/>");
    return rows;
}

void WritePdo(const QString& receive, const QString& transmit)
{
    DescriptionFixture::WriteTable(PDO_CANopen_File, QStringLiteral("PDO_CANopen"), QStringLiteral("Receive_PDO"),
                                   receive, QStringLiteral("Transmit_PDO"), transmit);
}

void WriteSdo(const QString& read, const QString& write)
{
    DescriptionFixture::WriteTable(SDO_Server_CANopen_File, QStringLiteral("SDO_Server_CANopen"),
                                   QStringLiteral("SDO_Read"), read, QStringLiteral("SDO_Write"), write);
}

QString Sdo(const QString& index, const QString& sub, const QString& bytes)
{
    return QStringLiteral("<row Index=\"%1\" SubIndex=\"%2\" NByte=\"%3\" Mnemonic=\"\"/>").arg(index, sub, bytes);
}

// The keys of one section, in order.
QStringList SectionOf(const QStringList& lines, const QString& section)
{
    QStringList keys;
    int i = int(lines.indexOf(section));
    if (i < 0) return keys;
    while (++i < lines.size() && !lines[i].isEmpty() && !lines[i].startsWith(u'[')) keys << lines[i];
    return keys;
}

TEST_F(EdsTest, GoldenFilesPassTheIniParseAndTheCoherenceCheck)
{
    struct Case {
        const char* golden;
        std::function<void()> tables;
    };
    const Case cases[] = {
        {"eds_empty.eds", [] {}},
        {"eds_pdo.eds",
         [] {
             WritePdo(PdoRows({"COB-ID=\"0x201\" Dimension=\"2\""}), PdoRows({"COB-ID=\"$181\" Dimension=\"1\""}));
         }},
        {"eds_sdo.eds",
         [] {
             WriteSdo(Sdo("0x3000", "0", "1") + Sdo("0x2000", "3", "1") + Sdo("8192", "1", "2"),
                      Sdo("0x2000", "2", "4") + Sdo("0x3000", "10", "2"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        QFile::remove(PDO_CANopen_File);
        QFile::remove(SDO_Server_CANopen_File);
        c.tables();
        const QString path = InProject(QString::fromLatin1(c.golden));
        ASSERT_TRUE(WriteEdsFile(path));
        const QByteArray written = ReadBytes(path);
        EXPECT_EQ(FirstDifference(written, Golden(QString::fromLatin1(c.golden))).toStdString(), "");
        EXPECT_EQ(IniProblems(path).toStdString(), "");
        EXPECT_EQ(EdsCoherenceProblems(written).toStdString(), "");
    }
    EXPECT_TRUE(EDS_Lines.isEmpty());
}

TEST_F(EdsTest, PdoRowsAndTheirBounds)
{
    QStringList many;
    for (int i = 0; i < 31; ++i) many << QStringLiteral("COB-ID=\"%1\"").arg(0x200 + i);
    struct Case {
        const char* what;
        QString receive;
        int rpdos;
        QString mapping;        // the section to look at
        QStringList keys;       // its keys
    };
    const Case cases[] = {
        {"dimension 0", PdoRows({"COB-ID=\"1\" Dimension=\"0\""}), 1, "[1600]",
         {"SubNumber=1", "ParameterName=Receive PDO Mapping Parameter", "ObjectType=0x09"}},
        {"dimension 0, its count", PdoRows({"Dimension=\"0\""}), 1, "[7000sub0]",
         {"ParameterName=Number of Entries", "ObjectType=0x07", "DataType=0x0005", "AccessType=ro",
          "DefaultValue=0x00", "PDOMapping=0"}},
        {"dimension 1000 is taken as 8", PdoRows({"Dimension=\"1000\""}), 1, "[1600]",
         {"SubNumber=9", "ParameterName=Receive PDO Mapping Parameter", "ObjectType=0x09"}},
        {"dimension -1 is taken as 8", PdoRows({"Dimension=\"-1\""}), 1, "[7000]",
         {"SubNumber=9", "ParameterName=RPDO1", "ObjectType=0x08"}},
        {"missing values: COB-ID 0", PdoRows({"Dimension=\"x\""}), 1, "[1400sub1]",
         {"ParameterName=COB-ID", "ObjectType=0x07", "DataType=0x0007", "AccessType=rw", "DefaultValue=0x00000000",
          "PDOMapping=0"}},
        {"31 rows give 30 PDOs", PdoRows(many), 30, "[141D]",
         {"SubNumber=4", "ParameterName=Receive PDO Communication Parameter 30", "ObjectType=0x09"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WritePdo(c.receive, QString());
        const QStringList lines = EdsLines();
        EXPECT_EQ(RPDO_Count, c.rpdos);
        EXPECT_TRUE(lines.contains(QStringLiteral("NrOfRXPDO=%1").arg(c.rpdos)));
        EXPECT_EQ(SectionOf(lines, c.mapping), c.keys);
        EXPECT_EQ(EdsCoherenceProblems(JoinDescriptionLines(lines).toLatin1()).toStdString(), "");
    }
    EXPECT_FALSE(EdsLines().contains(QStringLiteral("[141E]")));
}

TEST_F(EdsTest, SdoObjectsByQuantityAndSubIndex)
{
    WriteSdo(Sdo("0x2000", "1", "4") + Sdo("0x2000", "2", "3") + Sdo("0x2000", "3", "0") + Sdo("0x2000", "4", "1") +
                 Sdo("0x2000", "5", "2"),
             Sdo("0x12345", "0x1FF", "258"));  // low 16 and 8 bits kept
    const QStringList lines = EdsLines();
    const char* const data[] = {"DataType=0x0007", "DataType=0x0007", "DataType=0x0007", "DataType=0x0005",
                                "DataType=0x0006"};
    for (int s = 1; s <= 5; ++s)
        EXPECT_EQ(SectionOf(lines, QStringLiteral("[2000sub%1]").arg(s)).value(2), QLatin1String(data[s - 1])) << s;
    EXPECT_EQ(SectionOf(lines, QStringLiteral("[2345]")).value(0), QStringLiteral("SubNumber=2"));
    EXPECT_EQ(SectionOf(lines, QStringLiteral("[2345subFF]")).value(2), QStringLiteral("DataType=0x0006"));
    EXPECT_EQ(SectionOf(lines, QStringLiteral("[2345subFF]")).value(6), QStringLiteral("AccessType=rw"));
}

TEST_F(EdsTest, TwelveHourClockAndDate)
{
    const std::pair<int, int> times[] = {{9, 5}, {13, 30}, {12, 0}, {12, 1}, {0, 15}, {0, 59}, {23, 59}};
    const char* const texts[] = {"09:05AM", "01:30PM", "12:00PM", "12:01PM", "12:15AM", "12:59AM", "11:59PM"};
    for (size_t i = 0; i < std::size(times); ++i)
        EXPECT_EQ(EdsTimeText(EncodeDate(2024, 3, 5) + EncodeTime(times[i].first, times[i].second, 0, 0)),
                  QLatin1String(texts[i]));
    EXPECT_EQ(EdsDateText(EncodeDate(2024, 12, 31)), QStringLiteral("12-31-2024"));
    Clock->SetNow(EncodeDate(2025, 1, 2) + EncodeTime(13, 30, 0, 0));
    const QStringList lines = EdsLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("CreationTime=01:30PM")));
    EXPECT_TRUE(lines.contains(QStringLiteral("ModificationDate=01-02-2025")));
}

TEST_F(EdsTest, AnSdoValueThatIsNoNumberEndsTheRunBeforeTheFileIsTouched)
{
    const std::pair<QString, QString> cases[] = {
        {Sdo("0x2000", "abc", "1"), "'abc' is not a valid integer value"},
        {"<row Index=\"0x2000\" NByte=\"1\"/>", "'' is not a valid integer value"},
    };
    const QString path = InProject(QStringLiteral("old.eds"));
    for (const auto& [row, message] : cases) {
        WriteSdo(Sdo("0x2000", "1", "1"), row);
        WriteBytes(path, "kept");
        DialogResponder r;
        r.ExpectMessage(message, mrOk, mtError);
        EXPECT_FALSE(WriteEdsFile(path));
        EXPECT_EQ(ReadBytes(path), QByteArray("kept"));
    }
}

TEST_F(EdsTest, BrokenTableFileOrMissingFolderWriteNothing)
{
    WriteBytes(PDO_CANopen_File, "<PDO_CANopen><Receive_PDO><row COB-ID=\"1\"></PDO_CANopen>");
    {
        DialogResponder r;
        r.ExpectMessage(QStringLiteral("Error! The file ") + PDO_CANopen_File + QStringLiteral(" cannot be read: "),
                        mrOk, mtError);
        EXPECT_FALSE(WriteEdsFile(InProject(QStringLiteral("a.eds"))));
    }
    EXPECT_FALSE(QFile::exists(InProject(QStringLiteral("a.eds"))));
    QFile::remove(PDO_CANopen_File);
    const QString nowhere = InProject(QStringLiteral("missing/a.eds"));
    DialogResponder r;
    r.ExpectMessage(nowhere, mrOk, mtError);
    EXPECT_FALSE(WriteEdsFile(nowhere));
    EXPECT_FALSE(QFile::exists(InProject(QStringLiteral("missing"))));
}

TEST_F(EdsTest, DuplicateIndexAndSubIndexGiveTwoSectionsWhichTheStrictParseReports)
{
    WriteSdo(Sdo("0x2000", "1", "1"), Sdo("0x2000", "1", "2"));
    const QString path = InProject(QStringLiteral("dup.eds"));
    ASSERT_TRUE(WriteEdsFile(path));
    EXPECT_EQ(EdsLines().count(QStringLiteral("[2000sub1]")), 2);
    EXPECT_TRUE(IniProblems(path).contains(QStringLiteral("2000sub1"))) << IniProblems(path).toStdString();
}

TEST(EdsChecker, NamesWhatIsIncoherent)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"[OptionalObjects]\r\nSupportedObjects=2\r\n1=0x1005\r\n", "SupportedObjects=2 but 1 entries"},
        {"[ManufacturerObjects]\r\nSupportedObjects=1\r\n1=0x2000\r\n", "entry 1 (0x2000) has no section"},
        {"[2000]\r\nSubNumber=2\r\n[2000sub0]\r\n", "SubNumber=2 but 1 sub-sections"},
        {"[1600]\r\nSubNumber=2\r\n[1600sub0]\r\nDefaultValue=0x02\r\n[1600sub1]\r\n", "says 2 entries, 1 written"},
    };
    for (const auto& [file, problem] : cases)
        EXPECT_TRUE(EdsCoherenceProblems(file).contains(problem)) << EdsCoherenceProblems(file).toStdString();
}

}  // namespace
