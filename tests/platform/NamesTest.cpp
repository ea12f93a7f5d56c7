// Registered names and the clipboard.
#include "Names.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

TEST(Names, OneNumberPerNameWhateverItsCase)
{
    const unsigned a = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage(QStringLiteral("GridEditDone")), a);
    EXPECT_EQ(RegisterWindowMessage(QStringLiteral("griDEditdone")), a);
    // Messages and clipboard formats share the table.
    EXPECT_EQ(RegisterClipboardFormat(QStringLiteral("GRIDEDITDONE")), a);
    const unsigned b = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    EXPECT_GE(b, 0xC000u);
    EXPECT_NE(b, a);
    EXPECT_EQ(RegisteredName(a), QStringLiteral("GridEditDone"));
    EXPECT_EQ(RegisterWindowMessage(QString()), 0u);
}

TEST(Names, EachMessageHasItsOwnEventType)
{
    const unsigned a = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    const unsigned b = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    const QEvent::Type ta = WindowMessageEventType(a);
    EXPECT_GE(int(ta), int(QEvent::User));
    EXPECT_EQ(WindowMessageEventType(a), ta);
    EXPECT_NE(WindowMessageEventType(b), ta);
    EXPECT_EQ(WindowMessageEventType(0x0100), QEvent::None);
    EXPECT_EQ(WindowMessageEventType(0xFFFF), QEvent::None);
}

TEST(Names, MimeTypesOfTheFormats)
{
    EXPECT_EQ(ClipboardFormatMime(CF_TEXT), QStringLiteral("text/plain"));
    EXPECT_EQ(ClipboardFormatMime(CF_UNICODETEXT), QStringLiteral("text/plain"));
    const struct {
        const char* Name;
        const char* Mime;
    } cases[] = {
        {"Rich Text Format", "text/rtf"},
        {"HTML Format", "text/html"},
        {"UniformResourceLocator", "text/uri-list"},
        {"TAdvStringGrid Cells", "application/x-tadvstringgrid-cells"},
        {"Grid Column", "application/x-grid-column"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ClipboardFormatMime(RegisterClipboardFormat(QLatin1String(c.Name))),
                  QLatin1String(c.Mime));
    }
    EXPECT_EQ(ClipboardFormatMime(2), QString());  // not a format this program knows
}

TEST(Names, ClipboardReadsBackWhatWasWritten)
{
    TClipboard& cb = Clipboard();
    const unsigned rtf = RegisterClipboardFormat(QStringLiteral("Rich Text Format"));
    const unsigned cells = RegisterClipboardFormat(QStringLiteral("TAdvStringGrid Cells"));

    cb.SetAsText(QStringLiteral("a\tb\r\n"));
    EXPECT_TRUE(cb.HasFormat(CF_UNICODETEXT));
    EXPECT_FALSE(cb.HasFormat(rtf));
    EXPECT_EQ(cb.AsText(), QStringLiteral("a\tb\r\n"));

    // A write outside a group replaces the content...
    ASSERT_TRUE(cb.SetData(cells, QByteArray("\x00\x01TPF0", 6)));
    EXPECT_FALSE(cb.HasFormat(CF_TEXT));
    EXPECT_EQ(cb.GetData(cells), QByteArray("\x00\x01TPF0", 6));
    // ...an added format keeps it.
    ASSERT_TRUE(cb.AddData(rtf, "{\\rtf1 x}"));
    EXPECT_TRUE(cb.HasFormat(cells));
    EXPECT_TRUE(cb.HasFormat(rtf));

    // Two formats in one group.
    ASSERT_TRUE(cb.SetFormats({{CF_UNICODETEXT, QByteArray("cell \xc3\xa9")}, {rtf, "{\\rtf1 y}"}}));
    EXPECT_EQ(cb.AsText(), QString::fromUtf8("cell \xc3\xa9"));
    EXPECT_EQ(cb.GetData(rtf), QByteArray("{\\rtf1 y}"));
    EXPECT_FALSE(cb.HasFormat(cells));

    // Open and Close: the writes land together, the first one empties.
    cb.Open();
    cb.SetAsText(QStringLiteral("t"));
    cb.SetData(cells, "c");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("cell \xc3\xa9"));
    cb.Close();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("t"));
    EXPECT_EQ(cb.GetData(cells), QByteArray("c"));
    EXPECT_FALSE(cb.HasFormat(rtf));

    EXPECT_FALSE(cb.SetData(2, "x"));
    EXPECT_FALSE(cb.SetFormats({{CF_TEXT, "a"}, {2, "b"}}));
    EXPECT_EQ(cb.AsText(), QStringLiteral("t"));
}
