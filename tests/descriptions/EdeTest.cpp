// The BACnet EDE list: the golden file, names cut to 16 or 32 characters,
// type codes and instances, the device instance, Windows-1252 and the CSV
// layout.
#include "DescriptionTestKit.h"
#include "UBACnet_EDE_File.h"
#include "UDescriptionFiles.h"

#include <QFile>

namespace {

using EdeTest = DescriptionFixture;

QString BacnetRow(const QString& type, const QString& unit, const QString& mnemonic)
{
    return QStringLiteral("<row Data_Type=\"%1\" Eng_Unit=\"%2\" Mnemonic=\"%3\"/>").arg(type, unit, mnemonic);
}

void WriteBacnet(const QString& read, const QString& write)
{
    DescriptionFixture::WriteTable(BACnet_Slave_File, QStringLiteral("BACnet_to_Modbus"),
                                   QStringLiteral("BACnet_in_Read"), read, QStringLiteral("BACnet_in_Write"), write);
}

// The object lines of one run (the header's seven lines left out).
QStringList ObjectLines()
{
    ClearEdeCounters();
    LoadEdeDevice();
    return EdeLines(LoadEdeObjects()).mid(7);
}

TEST_F(EdeTest, GoldenListInWindows1252)
{
    WriteParGen(QStringLiteral("<BACnet_Type>0</BACnet_Type><BACnet_DEV_IDE>100</BACnet_DEV_IDE>"
                               "<BACnet_Ser_DEV_IDE>7</BACnet_Ser_DEV_IDE>"));
    WriteBacnet(BacnetRow("Analog Input", "62", "Room temperature sensor 1") + BacnetRow("Binary Out", "95", "Lüfter Halle"),
                BacnetRow("Analog Value", "62", "Setpoint") + BacnetRow("analog input", "53", "Pressure"));
    const QString path = InProject(QStringLiteral("plant.csv"));
    ASSERT_TRUE(WriteEdeFile(path));
    const QByteArray written = ReadBytes(path);
    EXPECT_EQ(FirstDifference(written, Golden(QStringLiteral("ede_example.csv"))).toStdString(), "");
    EXPECT_TRUE(written.contains("L\xFC" "fter"));  // one byte
    EXPECT_EQ(EdeCsvProblems(path).toStdString(), "");
}

TEST_F(EdeTest, ACharacterWithoutAWindows1252CodeBecomesAQuestionMark)
{
    WriteBacnet(BacnetRow("Analog Input", "62", QStringLiteral("T\u00e9mp \u6e29\u5ea6 \u20ac")), QString());
    const QString path = InProject(QStringLiteral("chars.csv"));
    ASSERT_TRUE(WriteEdeFile(path));
    EXPECT_TRUE(ReadBytes(path).contains("\r\n_T\xE9mp ?? \x80_0;;T\xE9mp ?? \x80;0;0;"));
}

TEST_F(EdeTest, DeviceInstanceAndNameLength)
{
    struct Case {
        const char* what;
        QString parGen;  // empty: no file
        QString line;
    };
    const Case cases[] = {
        {"short names", "<BACnet_DEV_IDE>100</BACnet_DEV_IDE>",
         "100_Room temperature sensor 1_0;100;Room temperature;0;0;Room temperature;62;"},
        {"long names", "<BACnet_DEV_IDE>100</BACnet_DEV_IDE><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>",
         "100_Room temperature sensor 1_0;100;Room temperature sensor 1;0;0;Room temperature sensor 1;62;"},
        {"limit not exactly 1", "<BACnet_DEV_IDE>100</BACnet_DEV_IDE><BACnet_Desc_Chars_Limit> 1</BACnet_Desc_Chars_Limit>",
         "100_Room temperature sensor 1_0;100;Room temperature;0;0;Room temperature;62;"},
        {"serial device", "<BACnet_Type>1</BACnet_Type><BACnet_DEV_IDE>100</BACnet_DEV_IDE><BACnet_Ser_DEV_IDE>7</BACnet_Ser_DEV_IDE>",
         "7_Room temperature sensor 1_0;7;Room temperature;0;0;Room temperature;62;"},
        {"no general parameters", "", "_Room temperature sensor 1_0;;Room temperature;0;0;Room temperature;62;"},
    };
    WriteBacnet(BacnetRow("Analog Input", "62", "Room temperature sensor 1"), QString());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(ParGen_File);
        if (!c.parGen.isEmpty()) WriteParGen(c.parGen);
        EXPECT_EQ(ObjectLines(), QStringList{c.line});
    }
}

TEST_F(EdeTest, TypesAndInstancesCountPerTypeAcrossBothSections)
{
    WriteBacnet(BacnetRow("Analog Value", "", "a") + BacnetRow(" Binary Out ", "", "b") + BacnetRow("Analog Value", "", "c") +
                    BacnetRow("Thermostat", "", "d") + BacnetRow("Analog Input", "", "e"),
                BacnetRow("ANALOG VALUE", "", "f") + BacnetRow("Positive Integer Value", "", "g") + BacnetRow("", "", "h"));
    // type;instance of each object in order
    const char* const expected[] = {"2;0", "4;0", "2;1", "0;0", "0;1", "2;2", "48;0", "0;2"};
    const QStringList lines = ObjectLines();
    ASSERT_EQ(lines.size(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(lines[i].section(u';', 3, 4), QLatin1String(expected[i])) << i;
    EXPECT_EQ(NextEdeInstance(7), 0);  // no counter of its own
    EXPECT_EQ(NextEdeInstance(7), 0);
}

TEST_F(EdeTest, HeaderLinesAndAMissingTable)
{
    QFile::remove(BACnet_Slave_File);
    Clock->SetNow(EncodeDate(2031, 11, 30) + EncodeTime(23, 5, 7, 0));
    ClearEdeCounters();
    LoadEdeDevice();
    const QStringList lines = EdeLines(LoadEdeObjects());
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("PROJECT_NAME; ") + Vendor_Name + QStringLiteral("--Plant;;;;;;"));
    EXPECT_EQ(lines[2], QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;23:05:07 30/11/2031;;;;;;"));
    EXPECT_EQ(lines[3], QStringLiteral("AUTHOR_OF_LAST_CHANGE;") + Vendor_Name + QStringLiteral(";;;;;;"));
}

TEST_F(EdeTest, AMnemonicWithASemicolonShiftsTheColumnsAsTyped)
{
    WriteBacnet(BacnetRow("Analog Input", "62", "a;b"), QString());
    const QString path = InProject(QStringLiteral("semi.csv"));
    ASSERT_TRUE(WriteEdeFile(path));
    EXPECT_TRUE(EdeCsvProblems(path).contains(QStringLiteral("line 8 has 11 fields")))
        << EdeCsvProblems(path).toStdString();
}

TEST_F(EdeTest, BrokenInputsWriteNothingAndKeepTheOldFile)
{
    const QString path = InProject(QStringLiteral("old.csv"));
    const std::pair<QString*, QByteArray> cases[] = {
        {&ParGen_File, "<Par_Gen><BACnet_Type>"},
        {&BACnet_Slave_File, "<BACnet_to_Modbus><BACnet_in_Read><row/></BACnet_to_Modbus>"},
    };
    for (const auto& [file, bytes] : cases) {
        QFile::remove(ParGen_File);
        QFile::remove(BACnet_Slave_File);
        WriteBytes(*file, bytes);
        WriteBytes(path, "old");
        DialogResponder r;
        r.ExpectMessage(*file + QStringLiteral(" cannot be read: "), mrOk, mtError);
        EXPECT_FALSE(WriteEdeFile(path));
        EXPECT_EQ(ReadBytes(path), QByteArray("old"));
    }
}

TEST(EdeName, CsvAppendedUnlessTheNameEndsInIt)
{
    const std::pair<QString, QString> cases[] = {
        {"/p/list.Csv", "/p/list.Csv"}, {"/p/list", "/p/list.csv"}, {"/p/data.txt", "/p/data.txt.csv"},
        {"/p/data.CSV", "/p/data.CSV"}, {"/p/csv", "/p/csv.csv"},
    };
    for (const auto& [chosen, written] : cases) EXPECT_EQ(EdeFileName(chosen), written);
}

}  // namespace
