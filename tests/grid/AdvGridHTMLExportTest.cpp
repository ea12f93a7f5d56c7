// HTML export of the string grid.
#include "AdvGridFilesTestKit.h"

#include "AdvGridHTML.h"
#include "AdvUtil.h"
#include "Fakes.h"
#include "Files.h"
#include "HostileFiles.h"
#include "Services.h"
#include "Shell.h"
#include "TempProgramDir.h"
#include "TextFiles.h"
#include "Types.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(GridHTML, GoldenTableWithHeaderRowAndMergedArea)
{
    auto g = NewFixtureGrid(2, 4);
    g->SetFixedCols(0);
    g->Font()->SetName(QStringLiteral("Arial"));
    g->Font()->SetSize(8);
    g->SetCells(0, 0, QStringLiteral("A"));
    g->SetCells(1, 0, QStringLiteral("B & C"));
    g->SetCells(0, 1, QStringLiteral("m"));
    g->MergeCells(0, 1, 2, 2);
    g->SetCells(0, 3, QStringLiteral("x\r\ny"));
    g->SetCells(1, 3, QStringLiteral("  "));
    const QString fixed = ColorToHexRGB(ColorToRGB(g->FixedColor()));
    const QString expected =
        "<style>\r\n"
        ".c0 {background-color: #" + fixed + ";font-size:8pt;font-family: Arial;vertical-align: top}\r\n"
        ".c1 {font-size:8pt;font-family: Arial;vertical-align: top}\r\n"
        "</style>\r\n"
        "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\"  WIDTH=\"100%\">\r\n"
        "<TR><TD class=\"c0\">A</td><TD class=\"c0\">B & C</td></TR>\r\n"
        "<TR><TD class=\"c1\" COLSPAN=\"2\" ROWSPAN=\"2\">m</td></TR>\r\n"
        "<TR></TR>\r\n"
        "<TR><TD class=\"c1\">x<br>\ny</td><TD class=\"c1\">&nbsp;</td></TR>\r\n"
        "</TABLE>\r\n";
    EXPECT_EQ(g->SaveToHTMLString(QString()), expected);

    // Special characters, links and a bold cell with its own class.
    g->HTMLSettings()->SetConvertSpecialChars(true);
    g->SetURLShow(true);
    g->SetCells(0, 3, QStringLiteral("http://example.org"));
    g->SetFontStyles(1, 3, TFontStyles{fsBold});
    g->SetCells(1, 3, QStringLiteral("a<b"));
    const QString html = g->SaveToHTMLString(QString());
    EXPECT_TRUE(html.contains(QStringLiteral("<TD class=\"c1\"><a href=http://example.org>example.org</a></td>")))
        << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("font-weight: bold"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral(">a&lt;b</td>"))) << html.toStdString();
}

TEST(GridHTML, FilesAroundTheTableAndThePreview)
{
    auto opener = std::make_shared<TRecordingUrlOpener>();
    ScopedService<std::shared_ptr<IUrlOpener>> guard(&PlatformServices::Opener, opener);
    auto g = NewFixtureGrid(2, 2);
    g->SetCells(1, 1, QStringLiteral("€"));
    const QString path = TempFile(QStringLiteral("grid.html"));
    g->HTMLSettings()->SetHeaderFile(TempFile(QStringLiteral("missing-header.html")));
    EXPECT_THROW(g->SaveToHTML(path), EFOpenError);
    EXPECT_FALSE(FileExists(path));

    const QString head = TempFile(QStringLiteral("head.html"));
    ASSERT_TRUE(WriteTextFile(head, QStringLiteral("<HTML><BODY>\r\n"), TTextEncoding::Ansi));
    g->HTMLSettings()->SetHeaderFile(head);
    g->SaveToHTML(path, true);
    const QByteArray ascii = ReadFileBytes(path);
    EXPECT_TRUE(ascii.startsWith("<HTML><BODY>\r\n<style>"));
    EXPECT_TRUE(ascii.contains(">?</td>"));
    EXPECT_EQ(opener->LocalFiles, QStringList{path});
    g->AppendToHTML(path, false, true);
    const TDecodedText both = ReadTextFile(path);
    EXPECT_EQ(both.Encoding, TTextEncoding::Utf16LeBom);
    EXPECT_EQ(both.Text.count(QStringLiteral("<TABLE")), 2);
    EXPECT_TRUE(both.Text.contains(QStringLiteral(">€</td>")));
    EXPECT_EQ(opener->LocalFiles.size(), 1);
}

// An append to a file that exists but cannot be read (here: larger than the
// grid reads) raises and leaves the file as it was, never replaced by the
// table alone.
TEST(GridHTML, AnAppendToAFileThatCannotBeReadKeepsIt)
{
    auto g = NewFixtureGrid(2, 2);
    const QString path = TempFile(QStringLiteral("big.html"));
    ASSERT_TRUE(MakeSparseFile(path, ReadLimit(TReadKind::GridImport) + 1));
    EXPECT_THROW(g->AppendToHTML(path), EFOpenError);
    EXPECT_EQ(QFileInfo(path).size(), ReadLimit(TReadKind::GridImport) + 1);
}
