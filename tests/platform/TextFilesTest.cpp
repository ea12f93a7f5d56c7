#include "TextFiles.h"

#include "SysUtils.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {
QString Path(const QString& name) { return TestHarness::ProgramDir() + QLatin1Char('/') + name; }
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
        const QString f = Path("out.txt");
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
    EXPECT_THROW(ReadTextFile(Path("none.txt")), EFOpenError);
    EXPECT_FALSE(WriteTextFile(Path("no/dir.txt"), "x", TTextEncoding::Ansi).Ok);
}
