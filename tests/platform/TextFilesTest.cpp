#include "TextFiles.h"

#include "ClassesLists.h"
#include "SysUtils.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {
QByteArray B(const char* s, int n) { return QByteArray(s, n); }
}  // namespace

TEST(TextFiles, DecodeTellsEncodingFromBomOrContent)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        QString text;
        TTextEncoding enc;
    } cases[] = {
        {"UTF-8 BOM", B("\xEF\xBB\xBF" "a\xC3\xA9", 6), QStringLiteral("aé"), TTextEncoding::Utf8Bom},
        {"UTF-16LE BOM", B("\xFF\xFE" "a\0\xAC\x20", 6), QStringLiteral("a€"), TTextEncoding::Utf16LeBom},
        {"UTF-16BE BOM", B("\xFE\xFF\0a\x20\xAC", 6), QStringLiteral("a€"), TTextEncoding::Utf16BeBom},
        {"UTF-8 no BOM", B("\xC3\xBC" "ber", 5), QStringLiteral("über"), TTextEncoding::Utf8},
        {"1252 euro", B("\x80" "1", 2), QStringLiteral("€1"), TTextEncoding::Ansi},
        {"1252 pilcrow", B("\xB6" "STR", 4), QStringLiteral("¶STR"), TTextEncoding::Ansi},
        {"1252 undefined", B("a\x81", 2), QStringLiteral("a\u0081"), TTextEncoding::Ansi},
        {"odd UTF-16", B("\xFF\xFE" "a\0b", 5), QStringLiteral("a"), TTextEncoding::Utf16LeBom},
        {"ASCII", B("plain\r\n", 7), QStringLiteral("plain\r\n"), TTextEncoding::Ansi},
        {"empty", QByteArray(), QString(), TTextEncoding::Ansi},
        {"BOM only", B("\xEF\xBB\xBF", 3), QString(), TTextEncoding::Utf8Bom},
    };
    for (const Case& c : cases) {
        TDecodedText d = DecodeText(c.bytes);
        EXPECT_EQ(d.Text, c.text) << c.what;
        EXPECT_EQ(d.Encoding, c.enc) << c.what;
    }
}

TEST(TextFiles, SplitLinesOnEveryBreakKind)
{
    struct Case {
        QString text;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\rc\nd\r\n", {"a", "b", "c", "d"}},
        {"a", {"a"}},
        {"", {}},
        {"\n", {""}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},  // LF then CR: two breaks
    };
    for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text.toStdString();
}

TEST(TextFiles, EncodeGivesExactBytes)
{
    const QString text = QStringLiteral("€é\r\n");
    struct Case {
        TTextEncoding enc;
        QByteArray bytes;
    } cases[] = {
        {TTextEncoding::Ansi, B("\x80\xE9\r\n", 4)},
        {TTextEncoding::Oem, B("?\x82\r\n", 4)},
        {TTextEncoding::Utf8, B("\xE2\x82\xAC\xC3\xA9\r\n", 7)},
        {TTextEncoding::Utf8Bom, B("\xEF\xBB\xBF\xE2\x82\xAC\xC3\xA9\r\n", 10)},
        {TTextEncoding::Utf16Le, B("\xAC\x20\xE9\0\r\0\n\0", 8)},
        {TTextEncoding::Utf16LeBom, B("\xFF\xFE\xAC\x20\xE9\0\r\0\n\0", 10)},
        {TTextEncoding::Utf16BeBom, B("\xFE\xFF\x20\xAC\0\xE9\0\r\0\n", 10)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeText(text, c.enc), c.bytes) << int(c.enc);
        const QString f = TestHarness::ProgramPath("out.txt");
        ASSERT_TRUE(WriteTextFile(f, text, c.enc).Ok);
        EXPECT_EQ(ReadFileBytes(f), c.bytes) << int(c.enc);
        if (c.enc != TTextEncoding::Oem && c.enc != TTextEncoding::Utf16Le) {
            TDecodedText back = ReadTextFile(f);
            EXPECT_EQ(back.Text, text) << int(c.enc);
            EXPECT_EQ(back.Encoding, c.enc) << int(c.enc);
        }
    }
}

TEST(TextFiles, ReadMissingFileRaises)
{
    EXPECT_THROW(ReadTextFile(TestHarness::ProgramPath("none.txt")), EFOpenError);
    EXPECT_FALSE(WriteTextFile(TestHarness::ProgramPath("no/dir.txt"), "x", TTextEncoding::Ansi).Ok);
}

TEST(TextFiles, StringListLoadsAndSavesInTheEncodingFound)
{
    struct Case {
        const char* what;
        QByteArray bytes;     // as found on disk
        QByteArray written;   // SaveToFile after a load and one added line
        TTextEncoding enc;
    } cases[] = {
        {"UTF-16LE with BOM", B("\xFF\xFE" "a\0\r\0\n\0\xAC\x20", 10),
         B("\xFF\xFE" "a\0\r\0\n\0\xAC\x20\r\0\n\0\xE9\0\r\0\n\0", 20), TTextEncoding::Utf16LeBom},
        {"Windows-1252", B("\xB6x\ry\x80", 5), B("\xB6x\r\ny\x80\r\n\xE9\r\n", 11), TTextEncoding::Ansi},
        {"UTF-8 with BOM", B("\xEF\xBB\xBF" "a\n", 5), B("\xEF\xBB\xBF" "a\r\n\xC3\xA9\r\n", 10), TTextEncoding::Utf8Bom},
    };
    for (const Case& c : cases) {
        const QString f = TestHarness::ProgramPath("list.txt");
        ASSERT_TRUE(SafeWriteFile(f, c.bytes).Ok);
        TStringList list;
        list.Add("stale");
        list.LoadFromFile(f);
        EXPECT_EQ(list.Encoding(), std::optional<TTextEncoding>(c.enc)) << c.what;
        list.Add(QStringLiteral("é"));
        list.SaveToFile(f);
        EXPECT_EQ(ReadFileBytes(f), c.written) << c.what;
    }
    TStringList lines;
    lines.LoadFromFile(TestHarness::ProgramPath("list.txt"));
    EXPECT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Strings(1), QStringLiteral("é"));

    // Without a load the list writes ANSI; an explicit encoding wins.
    TStringList fresh;
    fresh.Add(QStringLiteral("€"));
    fresh.SaveToFile(TestHarness::ProgramPath("a.txt"));
    EXPECT_EQ(ReadFileBytes(TestHarness::ProgramPath("a.txt")), B("\x80\r\n", 3));
    fresh.SaveToFile(TestHarness::ProgramPath("u.txt"), TTextEncoding::Utf8);
    EXPECT_EQ(ReadFileBytes(TestHarness::ProgramPath("u.txt")), B("\xE2\x82\xAC\r\n", 5));
    TStringList empty;
    empty.SaveToFile(TestHarness::ProgramPath("e.txt"));
    EXPECT_EQ(ReadFileBytes(TestHarness::ProgramPath("e.txt")), QByteArray());
}

TEST(TextFiles, StringListFileErrors)
{
    TStringList list;
    list.Add("keep");
    EXPECT_THROW(list.LoadFromFile(TestHarness::ProgramPath("none.txt")), EFOpenError);
    EXPECT_EQ(list.Count(), 1);  // a failed load leaves the list
    try {
        list.SaveToFile(TestHarness::ProgramPath("no/such/dir.txt"));
        ADD_FAILURE() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message().startsWith("Cannot create file \"" + TestHarness::ProgramPath("no/such/dir.txt") + "\". "));
    }
}
