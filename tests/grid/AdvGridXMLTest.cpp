// XML export and import of the string grid.
#include "AdvGridFilesTestKit.h"

#include "AdvGridReaders.h"
#include "ClassesLists.h"
#include "Files.h"
#include "TempProgramDir.h"
#include "TextFiles.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(GridXML, RoundTripWithFieldNamesInEachEncoding)
{
    const QString cells[] = {QStringLiteral("a&b"),       QStringLiteral("a&lt;b"), QStringLiteral("€ \"q\" <t>"),
                             QStringLiteral("x\r\ny"),   QStringLiteral("  "),     QStringLiteral("ü"),
                             QString(QChar(0xFEFF)) + QStringLiteral("lead")};  // not a byte-order mark here
    for (const char* encoding : {"ISO-8859-1", "utf-8", "US-ASCII"}) {
        auto g = NewFixtureGrid(int(std::size(cells)) + 1, 3);
        g->SetXMLEncoding(QString::fromLatin1(encoding));
        g->SetSaveFixedCells(false);
        g->SetMultilineCells(true);
        for (int i = 0; i < int(std::size(cells)); ++i) g->SetCells(i + 1, 1, cells[i]);
        g->SetCells(1, 2, QString());
        TStringList names;
        names.Add(QStringLiteral("first"));
        names.Add(QStringLiteral("second"));
        const QString path = TempFile(QStringLiteral("grid.xml"));
        g->SaveToXML(path, QStringLiteral("list"), QStringLiteral("rec"), &names, true);
        const QByteArray bytes = ReadFileBytes(path);
        EXPECT_TRUE(bytes.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\" ?>\r\n<list>\r\n<rec>\r\n")
                                         .arg(QString::fromLatin1(encoding))
                                         .toLatin1()));
        EXPECT_TRUE(bytes.contains("<first>a&amp;b</first>\r\n<second>a&amp;lt;b</second>\r\n<FIELD2>"));
        EXPECT_TRUE(bytes.contains("<first>&quot;&quot;</first>"));

        auto h = NewFixtureGrid(2, 2);
        h->SetSaveFixedCells(false);
        h->SetSaveFixedRows(true);
        h->SetMultilineCells(true);
        h->SetCells(1, 0, QString());  // header names go into empty cells only
        h->LoadFromXML(path, false, true);
        EXPECT_EQ(h->ColCount(), 1 + int(std::size(cells)));
        EXPECT_EQ(h->RowCount(), 3);
        EXPECT_EQ(RowText(h.get(), 0), QStringLiteral("0,0|first|second|FIELD2|FIELD3|FIELD4|FIELD5|FIELD6"));
        for (int i = 0; i < int(std::size(cells)); ++i) EXPECT_EQ(h->Cells(i + 1, 1), cells[i]) << encoding << i;
        EXPECT_EQ(h->Cells(1, 2), QString());
    }
}

TEST(GridXML, AttributesMergedCellsAndTheDocumentedAmpersand)
{
    const QString path = TempFile(QStringLiteral("attr.xml"));
    ASSERT_TRUE(SafeWriteFile(path, "<list><r id=\"1\" name=\"x$amp;y\"/><!-- note --><r id=\"2\" name=\"z\"/></list>"));
    auto g = NewFixtureGrid(2, 2);
    g->SetFixedCols(0);
    g->ClearAll();
    g->LoadFromXML(path, false, true);
    EXPECT_EQ(RowText(g.get(), 0), QStringLiteral("id|name"));
    EXPECT_EQ(RowText(g.get(), 1), QStringLiteral("1|x&y"));
    EXPECT_EQ(RowText(g.get(), 3), QStringLiteral("2|z"));  // the comment counts as a record of its own

    auto m = NewFixtureGrid(4, 2);
    m->SetSaveFixedCells(false);
    m->MergeCells(1, 1, 2, 1);
    m->SaveToXML(path, QStringLiteral("l"), QStringLiteral("r"), nullptr, true);
    const QString text = ReadTextFile(path).Text;
    EXPECT_TRUE(text.contains(QStringLiteral("<FIELD0>1,1</FIELD0>\r\n<FIELD2>3,1</FIELD2>"))) << text.toStdString();
}

TEST(GridXML, MissingBrokenAndDeepFilesLeaveTheGridAsItWas)
{
    auto g = NewFixtureGrid();
    const QStringList before = Snapshot(g.get());
    try {
        g->LoadFromXML(TempFile(QStringLiteral("missing.xml")));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("XML file not found"));
    }
    const QString broken = TempFile(QStringLiteral("broken.xml"));
    ASSERT_TRUE(SafeWriteFile(broken, "<list>\n<r>\n<a>1</b>\n</list>"));
    try {
        g->LoadFromXML(broken);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("XMLDOM Parsing error "))) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().endsWith(QStringLiteral(" on line 3"))) << e.Message().toStdString();
    }
    EXPECT_EQ(Snapshot(g.get()), before);

    QByteArray deep("<list><r><c/>");
    for (int i = 0; i < 100000; ++i) deep += "<a><b/>";
    deep += "x";
    for (int i = 0; i < 100000; ++i) deep += "</a>";
    deep += "</r></list>";
    const QString deepPath = TempFile(QStringLiteral("deep.xml"));
    ASSERT_TRUE(SafeWriteFile(deepPath, deep));
    g->LoadFromXML(deepPath);  // walks without running out of stack
    EXPECT_LE(g->ColCount(), GridImportLimits::MaxCols);
}
