#include "CodePages.h"

#include <gtest/gtest.h>

TEST(CodePages, EveryAnsiByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = AnsiToUnicode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(UnicodeToAnsi(text), all);
}

TEST(CodePages, AnsiSpotValues)
{
    struct Case { unsigned char byte; char16_t ch; } cases[] = {
        {0x41, u'A'}, {0x80, u'€'}, {0x81, 0x0081}, {0x8A, u'Š'}, {0x9D, 0x009D},
        {0x9F, u'Ÿ'}, {0xB6, u'¶'}, {0xE9, u'é'}, {0xFF, u'ÿ'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.byte));
        EXPECT_EQ(AnsiToUnicode(QByteArray(1, char(c.byte))), QString(QChar(c.ch)));
        EXPECT_EQ(UnicodeToAnsi(QString(QChar(c.ch))), QByteArray(1, char(c.byte)));
    }
}

TEST(CodePages, CharactersWithoutAByteBecomeQuestionMarks)
{
    EXPECT_EQ(UnicodeToAnsi(QStringLiteral("a日b")), QByteArray("a?b"));
    EXPECT_EQ(UnicodeToOem(QStringLiteral("a日b€")), QByteArray("a?b?"));
    // A character outside the BMP is one character, one '?'.
    EXPECT_EQ(UnicodeToAnsi(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
    // Latin-1 control range: in ANSI only the five undefined bytes keep their value.
    EXPECT_EQ(UnicodeToAnsi(QString(QChar(0x0080))), QByteArray("?"));
}

TEST(CodePages, OemSpotValues)
{
    struct Case { unsigned char byte; char16_t ch; } cases[] = {
        {0x41, u'A'}, {0x80, u'Ç'}, {0x81, u'ü'}, {0x9B, u'ø'}, {0xB0, u'░'},
        {0xD5, u'ı'}, {0xE1, u'ß'}, {0xFE, u'■'}, {0xFF, 0x00A0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.byte));
        EXPECT_EQ(OemToUnicode(QByteArray(1, char(c.byte))), QString(QChar(c.ch)));
        EXPECT_EQ(UnicodeToOem(QString(QChar(c.ch))), QByteArray(1, char(c.byte)));
    }
}

TEST(CodePages, OemBytesCarriedInAnsiTextComeBack)
{
    // The composition Part writers use: OEM bytes read as ANSI characters,
    // so that writing the text in ANSI writes the OEM bytes, and back.
    const QString s = QStringLiteral("Größe: 5 µm, Ça va? ÿ ×");
    const QString carried = AnsiToUnicode(UnicodeToOem(s));
    EXPECT_EQ(UnicodeToAnsi(carried), UnicodeToOem(s));
    EXPECT_EQ(OemToUnicode(UnicodeToAnsi(carried)), s);

    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(UnicodeToOem(OemToUnicode(all)), all);
}
