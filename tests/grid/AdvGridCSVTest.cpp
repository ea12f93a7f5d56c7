// CSV export and import of the string grid.
#include "AdvGridFilesTestKit.h"

#include "AdvGridReaders.h"
#include "Files.h"
#include "TempProgramDir.h"
#include "TextFiles.h"

#include <QBuffer>
#include <QDir>
#include <gtest/gtest.h>

namespace {

// Cells that break naive writers and readers.
const QStringList kNastyCells = {
    QStringLiteral("plain"),       QStringLiteral("with,comma"),   QStringLiteral("say \"hi\""),
    QStringLiteral("\"q\",x"),     QStringLiteral("two\r\nlines"), QStringLiteral("\"x\r\ny\""),
    QStringLiteral(" lead blank"), QStringLiteral(""),             QStringLiteral("semi;colon"),
    QStringLiteral("tail\""),      QStringLiteral("a\r\nb\r\nc"), QStringLiteral("x\"\"y"),
};

}  // namespace

TEST(GridCSV, DelimiterGuess)
{
    struct Case {
        const char* l1;
        const char* l2;
        QChar expected;
    };
    const Case cases[] = {
        {"a;b;c", "1;2;3", u';'}, {"a,b;c", "1,2;3", u','}, {"a|b|c", "", u'|'},
        {"a,,b", "1,,2", u','},   {"abc", "def", QChar(0)}, {"a\tb", "1\t2", u'\t'},
        {"x-y,z", "1-2,3", u','}, {"a,b", "a;b;c", u';'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GuessCSVDelimiter(QString::fromLatin1(c.l1), QString::fromLatin1(c.l2)), c.expected)
            << c.l1 << " / " << c.l2;
}

TEST(GridCSV, NastyCellsRoundTripInEveryDialect)
{
    struct Dialect {
        bool alwaysQuotes;
        bool java;
        bool quoteEmpty;
        QChar delimiter;
    };
    const Dialect dialects[] = {
        {false, false, true, QChar(0)}, {true, false, true, QChar(0)}, {false, false, false, u';'},
        {true, false, false, u'\t'},    {false, true, true, QChar(0)},
    };
    for (const Dialect& d : dialects) {
        auto g = NewFixtureGrid(int(kNastyCells.size()), 3);
        g->SetAlwaysQuotes(d.alwaysQuotes);
        g->SetJavaCSV(d.java);
        g->SetQuoteEmptyCells(d.quoteEmpty);
        g->SetDelimiter(d.delimiter);
        g->SetMultilineCells(true);
        QStringList expected;
        for (int c = 0; c < kNastyCells.size(); ++c) {
            QString text = kNastyCells[c];
            // JavaCSV splits a cell at its delimiter by design.
            if (d.java && text.contains(u',')) text.replace(u',', u'.');
            // ... and reads its leading blanks away, as every unquoted field's.
            if (d.java && text.startsWith(u' ')) text.remove(0, 1);
            g->SetCells(c, 1, text);
            expected << text;
        }
        const QString path = TempFile(QStringLiteral("nasty.csv"));
        g->SaveToCSV(path, true);
        auto h = NewFixtureGrid(2, 2);
        h->SetJavaCSV(d.java);
        h->SetDelimiter(d.delimiter);
        h->LoadFromCSV(path);
        ASSERT_EQ(h->RowCount(), 3) << int(d.java);
        QStringList got;
        for (int c = 0; c < kNastyCells.size(); ++c) got << h->Cells(c, 1);
        EXPECT_EQ(got, expected) << "always " << d.alwaysQuotes << " java " << d.java;
    }
}

TEST(GridCSV, RowsGrowToTheRecordsReadAndStopAtMaxRows)
{
    QString text = QStringLiteral("h1,h2,h3\r\n");
    for (int i = 0; i < 2500; ++i) text += QStringLiteral("%1,x,y\r\n").arg(i);
    const QString path = TempFile(QStringLiteral("rows.csv"));
    ASSERT_TRUE(WriteTextFile(path, text, TTextEncoding::Ansi));
    struct Case {
        bool loadFirstRow;
        int maxRows;
        int rows;
        const char* firstCell;
    };
    const Case cases[] = {{true, 0, 1 + 2501, "h1"}, {false, 0, 1 + 2500, "0"}, {false, 5, 1 + 5, "0"},
                          {true, 3, 1 + 3, "h1"}};
    for (const Case& c : cases) {
        auto g = NewFixtureGrid(2, 10);
        g->SetSaveFixedCells(false);
        g->SetFixedFooters(0);
        g->SetLoadFirstRow(c.loadFirstRow);
        int reports = 0, last = -1;
        g->OnFileProgress = [&](TObject*, int p) {
            EXPECT_GT(p, last);
            last = p;
            ++reports;
        };
        g->LoadFromCSV(path, c.maxRows);
        EXPECT_EQ(g->RowCount(), c.rows);
        EXPECT_EQ(g->MaxRowCount(), c.rows);
        EXPECT_EQ(g->ColCount(), 1 + 3);
        EXPECT_EQ(g->Cells(1, 1), QString::fromLatin1(c.firstCell));
        EXPECT_EQ(g->Cells(0, 1), QStringLiteral("0,1"));  // before the first saved column: kept
        EXPECT_EQ(last, 100);
        EXPECT_LE(reports, 101);
    }
}

TEST(GridCSV, BrokenAndEmptyTextsKeepTheCells)
{
    auto g = NewFixtureGrid();
    const QString empty = TempFile(QStringLiteral("empty.csv"));
    ASSERT_TRUE(SafeWriteFile(empty, QByteArray()));
    g->LoadFromCSV(empty);
    EXPECT_EQ(g->RowCount(), 10);

    const QString bomOnly = TempFile(QStringLiteral("bom.csv"));
    ASSERT_TRUE(SafeWriteFile(bomOnly, QByteArray("\xEF\xBB\xBF")));
    try {
        g->InsertFromCSV(bomOnly);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("File is empty"));
    }
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(g->Cells(2, 9), QStringLiteral("2,9"));

    EXPECT_THROW(g->AppendToCSV(TempFile(QStringLiteral("missing.csv"))), EFOpenError);

    // An unclosed quote reads as an empty field; the rest of the record is lost with it.
    QByteArray data("a,\"never closed,b\r\n\"ok\"\"\",   x ,\r\n");
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    g->SetDelimiter(u',');
    g->LoadFromCSVStream(&buffer);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(RowText(g.get(), 0), QStringLiteral("a||2,0|3,0|4,0|5,0"));
    EXPECT_EQ(RowText(g.get(), 1), QStringLiteral("ok\"|x |2,1|3,1|4,1|5,1"));
}

TEST(GridCSV, AppendAndInsertKeepWhatIsThere)
{
    auto g = NewFixtureGrid(3, 3);
    g->SetSaveFixedCells(false);
    const QString path = TempFile(QStringLiteral("append.csv"));
    ASSERT_TRUE(WriteTextFile(path, QStringLiteral("é,old\r\n"), TTextEncoding::Utf8Bom));
    g->AppendToCSV(path);
    const TDecodedText t = ReadTextFile(path);
    EXPECT_EQ(t.Encoding, TTextEncoding::Utf8Bom);
    EXPECT_EQ(t.Text, QStringLiteral("é,old\r\n\"1,1\",\"2,1\"\r\n\"1,2\",\"2,2\"\r\n"));

    auto h = NewFixtureGrid(3, 3);
    h->SetSaveFixedCells(false);
    h->InsertFromCSV(path);
    EXPECT_EQ(h->RowCount(), 3 + 3);
    EXPECT_EQ(RowText(h.get(), 2), QStringLiteral("0,2|1,2|2,2"));
    EXPECT_EQ(RowText(h.get(), 3), QStringLiteral("|é|old"));
}
