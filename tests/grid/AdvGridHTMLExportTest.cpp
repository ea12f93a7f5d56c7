// HTML export of the string grid.
#include "AdvGridFilesTestKit.h"

#include "AdvGridHTML.h"
#include "AdvUtil.h"
#include "Fakes.h"
#include "Files.h"
#include "Services.h"
#include "Shell.h"
#include "TempProgramDir.h"
#include "TextFiles.h"
#include "Types.h"

#include "Graphics.h"
#include "GraphicsJpeg.h"
#include "ImgList.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(GridHTML, GoldenTableWithHeaderRowAndMergedArea)
{
    auto g = NewFixtureGrid(2, 4);
    g->SetFixedCols(0);
    g->Font()->SetName(QStringLiteral("Arial"));
    g->Font()->SetSize(8);
    g->FixedFont()->SetName(QStringLiteral("Courier New"));
    g->FixedFont()->SetSize(9);
    g->FixedFont()->SetStyle(TFontStyles{fsBold});
    g->SetCells(0, 0, QStringLiteral("A"));
    g->SetCells(1, 0, QStringLiteral("B & C"));
    g->SetCells(0, 1, QStringLiteral("m"));
    g->MergeCells(0, 1, 2, 2);
    g->SetCells(0, 3, QStringLiteral("x\r\ny"));
    g->SetCells(1, 3, QStringLiteral("  "));
    const QString fixed = ColorToHexRGB(ColorToRGB(g->FixedColor()));
    const QString expected =
        "<style>\r\n"
        ".c0 {background-color: #" + fixed + ";font-size:9pt;font-weight: bold;font-family: Courier New;"
        "vertical-align: top}\r\n"
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

TEST(GridHTML, EachCellLooksAsTheGridPaintsIt)
{
    auto g = NewFixtureGrid(3, 3);
    g->Font()->SetName(QStringLiteral("Arial"));
    g->Font()->SetSize(8);
    g->SetFixedCols(0);
    g->OnGetCellColor = [](TObject*, int ARow, int ACol, TGridDrawState, TBrush* ABrush, TFont* AFont) {
        if (ACol == 1 && ARow == 2) {
            ABrush->SetColor(TColor(0x00FFFF));
            AFont->SetColor(TColor(0x0000FF));
        }
    };
    g->OnGetAlignment = [](TObject*, int, int ACol, TAlignment& HAlign, TVAlignment& VAlign) {
        if (ACol == 2) {
            HAlign = taCenter;
            VAlign = vtaBottom;
        }
    };
    g->SetAutoNumAlign(true);
    g->SetCells(0, 1, QStringLiteral("42"));
    g->SetCells(1, 1, QStringLiteral("x"));
    g->SetCells(2, 1, QStringLiteral("y"));
    g->SetCells(1, 2, QStringLiteral("z"));
    const QString html = g->SaveToHTMLString(QString());
    struct Case {
        int col, row;
        const char* style;
    };
    const Case cases[] = {
        {1, 2, "background-color: #FFFF00;color: #FF0000;font-size:8pt;font-family: Arial;vertical-align: top"},
        {2, 1, "font-size:8pt;font-family: Arial;text-align: center;vertical-align: bottom"},
        {0, 1, "font-size:8pt;font-family: Arial;text-align: right;vertical-align: top"},
        {1, 1, "font-size:8pt;font-family: Arial;vertical-align: top"},
    };
    for (const Case& c : cases) {
        const QString text = g->Cells(c.col, c.row);
        // The class of the cell's td, then its declarations in the style block.
        const QRegularExpression td(QStringLiteral("<TD class=\"(c\\d+)\"[^>]*>") + QRegularExpression::escape(text) +
                                    QStringLiteral("</td>"));
        const QRegularExpressionMatch m = td.match(html);
        ASSERT_TRUE(m.hasMatch()) << text.toStdString() << "\n" << html.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral(".%1 {%2}").arg(m.captured(1), QString::fromLatin1(c.style))))
            << text.toStdString() << "\n" << html.toStdString();
    }
}

TEST(GridHTML, CellPicturesAreWrittenAsJpegFilesBesideThePage)
{
    const QString dir = TempFile(QStringLiteral("pictures"));
    ASSERT_TRUE(ForceDirectories(dir));
    const QString page = dir + QStringLiteral("/grid.html");
    TImageList images(nullptr);  // outlives the grid
    auto g = NewFixtureGrid(3, 3);
    TBitmap* bmp = g->CreateBitmap(1, 1, false, haLeft, vaTop);
    bmp->SetSize(4, 3);
    bmp->Canvas()->Brush()->SetColor(clRed);
    bmp->Canvas()->FillRect(TRect(0, 0, 4, 3));
    images.SetSize(8, 8);
    TBitmap strip(16, 8);
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(TRect(8, 0, 16, 8));
    images.Add(&strip);
    g->SetGridImages(&images);
    g->AddImageIdx(2, 1, 1, haLeft, vaTop);
    QImage green(5, 5, QImage::Format_RGB32);
    green.fill(Qt::green);
    const QByteArray jpeg = EncodeJpeg(green, 75, false, nullptr);
    ASSERT_FALSE(jpeg.isEmpty());
    g->CreatePicture(1, 2, false, noStretch, 0, haLeft, vaTop)->LoadFromBytes(jpeg);
    g->SetCells(2, 2, QStringLiteral("0"));
    g->AddDataImage(2, 2, 0, haLeft, vaTop);

    g->SaveToHTML(page);
    const QString html = ReadTextFile(page).Text;
    const auto tag = [&](int k) { return QStringLiteral("<img src= \"file://%1/images/img%2.jpg\">").arg(dir).arg(k); };
    // Row by row: the bitmap after its text, the list image before it, the
    // picture after it, the data image instead of its text.
    EXPECT_TRUE(html.contains(QStringLiteral(">1,1") + tag(1) + QStringLiteral("</td>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(u'>' + tag(2) + QStringLiteral("2,1</td>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral(">1,2") + tag(3) + QStringLiteral("</td>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(u'>' + tag(4) + QStringLiteral("</td>"))) << html.toStdString();
    EXPECT_FALSE(FileExists(dir + QStringLiteral("/images/img5.jpg")));
    // A JPEG keeps its bytes; the others are drawn and encoded.
    EXPECT_EQ(ReadFileBytes(dir + QStringLiteral("/images/img3.jpg")), jpeg);
    const QImage red = DecodeJpeg(ReadFileBytes(dir + QStringLiteral("/images/img1.jpg")), false, nullptr);
    ASSERT_EQ(red.size(), QSize(4, 3));
    EXPECT_GT(qRed(red.pixel(1, 1)), 200);
    EXPECT_LT(qGreen(red.pixel(1, 1)), 60);
    const QImage blue = DecodeJpeg(ReadFileBytes(dir + QStringLiteral("/images/img2.jpg")), false, nullptr);
    ASSERT_EQ(blue.size(), QSize(8, 8));
    EXPECT_GT(qBlue(blue.pixel(4, 4)), 200);

    // Without ExportImages: no tag and no file.
    const QString other = TempFile(QStringLiteral("no-pictures"));
    ASSERT_TRUE(ForceDirectories(other));
    g->HTMLSettings()->SetExportImages(false);
    g->SaveToHTML(other + QStringLiteral("/grid.html"));
    EXPECT_FALSE(ReadTextFile(other + QStringLiteral("/grid.html")).Text.contains(QStringLiteral("<img")));
    EXPECT_FALSE(DirectoryExists(other + QStringLiteral("/images")));

    // A picture folder that cannot be made: the error, and no page.
    const QString blocked = TempFile(QStringLiteral("blocked"));
    ASSERT_TRUE(ForceDirectories(blocked));
    ASSERT_TRUE(SafeWriteFile(blocked + QStringLiteral("/images"), "a file"));
    g->HTMLSettings()->SetExportImages(true);
    try {
        g->SaveToHTML(blocked + QStringLiteral("/grid.html"));
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot create ") + blocked + QStringLiteral("/images"));
    }
    EXPECT_FALSE(FileExists(blocked + QStringLiteral("/grid.html")));
}
