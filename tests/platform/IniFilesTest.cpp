#include "IniFiles.h"

#include "Files.h"
#include "Services.h"
#include "SysUtils.h"
#include "TestHarness.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(IniFiles, NamesWithoutCaseAndLayoutSurvivesUpdate)
{
    const QByteArray original =
        "; print settings\r\n"
        "top=1\r\n"
        "[Print]\r\n"
        "Orientation=0\r\n"
        "  Margin Left = 10\r\n"
        "\r\n"
        "; the title\r\n"
        "[Columns]\r\n"
        "CP0=3\n"
        "CP0=9\n"
        "Title= a = b  \r\n";
    ASSERT_TRUE(SafeWriteFile(TestHarness::ProgramPath("print.ini"), original).Ok);

    TMemIniFile ini(TestHarness::ProgramPath("print.ini"));
    EXPECT_EQ(ini.ReadString("PRINT", "orientation", "x"), "0");
    EXPECT_EQ(ini.ReadString("print", "MARGIN LEFT", "x"), " 10");
    EXPECT_EQ(ini.ReadString("Columns", "Title", "x"), " a = b  ");
    EXPECT_EQ(ini.ReadInteger("columns", "cp0", -1), 3);  // a repeated key reads its first value
    EXPECT_EQ(ini.ReadString("", "top", "none"), "none");  // before any section: no key
    EXPECT_EQ(ini.ReadSections(), (QStringList{"Print", "Columns"}));
    EXPECT_EQ(ini.ReadSection("print"), (QStringList{"Orientation", "Margin Left"}));

    ini.WriteString("print", "ORIENTATION", "1");  // changed in place, spelling kept
    ini.WriteInteger("Print", "Copies", 2);        // after the section's last key
    ini.WriteString("New", "Value", "x=y z");
    ini.UpdateFile();

    EXPECT_EQ(ReadFileBytes(TestHarness::ProgramPath("print.ini")),
              QByteArray("; print settings\r\n"
                         "top=1\r\n"
                         "[Print]\r\n"
                         "Orientation=1\r\n"
                         "  Margin Left = 10\r\n"
                         "Copies=2\r\n"
                         "\r\n"
                         "; the title\r\n"
                         "[Columns]\r\n"
                         "CP0=3\r\n"
                         "CP0=9\r\n"
                         "Title= a = b  \r\n"
                         "[New]\r\n"
                         "Value=x=y z\r\n"));

    TMemIniFile back(TestHarness::ProgramPath("print.ini"));
    EXPECT_EQ(back.ReadString("new", "value", ""), "x=y z");
    EXPECT_EQ(back.ReadString("Columns", "Title", ""), " a = b  ");
}

TEST(IniFiles, EraseDeleteAndExistence)
{
    TMemIniFile ini(TestHarness::ProgramPath("e.ini"));
    ini.WriteString("A", "k1", "1");
    ini.WriteString("A", "k2", "2");
    ini.WriteString("B", "k", "3");
    EXPECT_TRUE(ini.SectionExists("a"));
    EXPECT_TRUE(ini.ValueExists("a", "K2"));
    ini.DeleteKey("a", "K1");
    EXPECT_FALSE(ini.ValueExists("A", "k1"));
    EXPECT_EQ(ini.ReadSection("A"), QStringList{"k2"});
    ini.EraseSection("A");
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_EQ(ini.ReadString("A", "k2", "gone"), "gone");
    EXPECT_EQ(ini.ReadSections(), QStringList{"B"});
    EXPECT_EQ(ini.Text(), "[B]\r\nk=3\r\n");
}

TEST(IniFiles, MissingFileReadsEmptyAndRelativeNameLandsInProgramFolder)
{
    EXPECT_FALSE(FileExists(TestHarness::ProgramPath("cols.ini")));
    TMemIniFile ini("cols.ini");
    EXPECT_EQ(ini.FileName(), TestHarness::ProgramPath("cols.ini"));
    EXPECT_TRUE(ini.ReadSections().isEmpty());
    EXPECT_EQ(ini.ReadInteger("Grid", "Col0", 64), 64);
    ini.UpdateFile();  // also after a mere load: the file is created
    EXPECT_TRUE(FileExists(TestHarness::ProgramPath("cols.ini")));
    EXPECT_EQ(ReadFileBytes(TestHarness::ProgramPath("cols.ini")), QByteArray());

    ASSERT_TRUE(QDir(TestHarness::ProgramDir()).mkdir("base"));
    ScopedService g(&PlatformServices::IniBaseDir, TestHarness::ProgramPath("base"));
    EXPECT_EQ(TMemIniFile("sub/../x.ini").FileName(), TestHarness::ProgramPath("base/x.ini"));
    EXPECT_EQ(TMemIniFile("/abs/y.ini").FileName(), "/abs/y.ini");
}

TEST(IniFiles, IntegersAndBooleans)
{
    TMemIniFile ini(TestHarness::ProgramPath("n.ini"));
    struct Case {
        const char* text;
        int integer;  // with default -1
        int boolean;  // with default true: 1 or 0
    } cases[] = {
        {"5", 5, 1}, {" -7", -7, 1}, {"$FF", 255, 1}, {"0", 0, 0}, {"0x10", 16, 1},
        {"5 ", -1, 1}, {"abc", -1, 1}, {"", -1, 1}, {"2147483648", -1, 1}, {"-2147483648", INT_MIN, 1},
    };
    for (const Case& c : cases) {
        ini.WriteString("S", "v", c.text);
        EXPECT_EQ(ini.ReadInteger("S", "v", -1), c.integer) << c.text;
        EXPECT_EQ(ini.ReadBool("S", "v", true), c.boolean != 0) << c.text;
    }
    ini.WriteBool("S", "b", true);
    EXPECT_EQ(ini.ReadString("S", "b", ""), "1");
    ini.WriteBool("S", "b", false);
    EXPECT_EQ(ini.ReadString("S", "b", ""), "0");
}

TEST(IniFiles, FailedUpdateRaisesAndKeepsFile)
{
    ASSERT_TRUE(QDir(TestHarness::ProgramDir()).mkdir("dir.ini"));
    TMemIniFile ini(TestHarness::ProgramPath("dir.ini"));
    ini.WriteInteger("S", "k", 1);
    try {
        ini.UpdateFile();
        ADD_FAILURE() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message().startsWith("Cannot create file \"" + TestHarness::ProgramPath("dir.ini") + "\". "))
            << e.Message().toStdString();
    }
    EXPECT_TRUE(DirectoryExists(TestHarness::ProgramPath("dir.ini")));
}

TEST(IniFiles, ReadsUtf16AndWritesUtf8)
{
    ASSERT_TRUE(SafeWriteFile(TestHarness::ProgramPath("u.ini"), QByteArray("\xFF\xFE[\0S\0]\0\n\0k\0=\0\xE9\0", 16)).Ok);
    TMemIniFile ini(TestHarness::ProgramPath("u.ini"));
    EXPECT_EQ(ini.ReadString("s", "K", ""), QStringLiteral("é"));
    ini.UpdateFile();
    EXPECT_EQ(ReadFileBytes(TestHarness::ProgramPath("u.ini")), QByteArray("[S]\r\nk=\xC3\xA9\r\n"));
}
