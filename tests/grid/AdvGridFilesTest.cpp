// The save range, the text cell file and stream, fixed-width files and the
// aligned text listing of the string grid.
#include "AdvGridFilesTestKit.h"

#include "AdvCGrid.h"
#include "AdvObj.h"
#include "Files.h"
#include "TempProgramDir.h"
#include "TextFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) { ASSERT_TRUE(SafeWriteFile(path, bytes)); }

}  // namespace

TEST(GridSaveRange, FollowsTheFixedCellSettings)
{
    struct Case {
        bool cells, rows, cols;
        int startCol, startRow, endCol, endRow;
    };
    // 6 x 10 with one fixed row and column, one right fixed column and one footer row.
    const Case cases[] = {
        {true, false, false, 0, 0, 5, 9},
        {false, false, false, 1, 1, 4, 8},
        {false, true, false, 1, 0, 4, 9},
        {false, false, true, 0, 1, 5, 8},
    };
    auto g = NewFixtureGrid();
    g->SetFixedRightCols(1);
    g->SetFixedFooters(1);
    for (const Case& c : cases) {
        g->SetSaveFixedCells(c.cells);
        g->SetSaveFixedRows(c.rows);
        g->SetSaveFixedCols(c.cols);
        EXPECT_EQ(g->SaveStartCol(), c.startCol);
        EXPECT_EQ(g->SaveStartRow(), c.startRow);
        EXPECT_EQ(g->SaveEndCol(), c.endCol);
        EXPECT_EQ(g->SaveEndRow(), c.endRow);
        EXPECT_EQ(g->SaveColCount(), c.endCol - c.startCol + 1);
        EXPECT_EQ(g->SaveRowCount(), c.endRow - c.startRow + 1);
    }
}

TEST(GridTextCellFile, RoundTripKeepsAbsolutePositionsWithFixedColumnsNotSaved)
{
    auto g = NewFixtureGrid(5, 4);
    g->SetFixedCols(2);
    g->SetSaveFixedCells(false);
    g->SetCells(3, 2, QStringLiteral("a\r\nb"));
    g->SetCells(4, 3, QString());
    g->SetColWidths(3, 91);
    const QString path = TempFile(QStringLiteral("cells.txt"));
    g->SaveToFile(path, true);
    const QByteArray bytes = ReadFileBytes(path);
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE"));
    EXPECT_TRUE(DecodeText(bytes).Text.contains(QStringLiteral("3,2,a\t") + QChar(8) + u'b'));

    for (const bool multi : {true, false}) {
        auto h = NewFixtureGrid(3, 2);
        h->SetFixedCols(2);
        h->SetSaveFixedCells(false);
        h->SetMultilineCells(multi);
        h->SetCells(0, 0, QStringLiteral("fixed"));
        h->LoadFromFile(path);
        EXPECT_EQ(h->ColCount(), 2 + 3);
        EXPECT_EQ(h->RowCount(), 1 + 3);
        EXPECT_EQ(h->Cells(3, 2), multi ? QStringLiteral("a\r\nb") : QStringLiteral("a"));
        EXPECT_EQ(h->Cells(2, 1), QStringLiteral("2,1"));
        EXPECT_EQ(h->Cells(0, 0), QStringLiteral("fixed"));  // not named by the file: kept
        EXPECT_EQ(h->ColWidths(3), 91);
    }
}

TEST(GridTextCellFile, CorruptOrEmptyFilesLeaveTheGridAsItWas)
{
    const QByteArray files[] = {
        QByteArray(),
        QByteArray("\r\n"),
        QByteArray("2,2000000000\r\n1,1,x\r\n"),
        QByteArray("70000,2\r\n"),
        QByteArray("a,b\r\n"),
        QByteArray("-1,0\r\n"),
        QByteArray("2,2\r\ncw 1,99999\r\n"),
    };
    int i = 0;
    for (const QByteArray& bytes : files) {
        const QString path = TempFile(QStringLiteral("bad%1.txt").arg(i++));
        WriteBytes(path, bytes);
        auto g = NewFixtureGrid();
        const QStringList before = Snapshot(g.get());
        try {
            g->LoadFromFile(path);
            ADD_FAILURE() << "no error for " << bytes.toStdString();
        } catch (const EAdvGridError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("File contains no data or corrupt file ") + path);
        }
        EXPECT_EQ(Snapshot(g.get()), before) << bytes.toStdString();
    }
}

TEST(GridTextCellStream, TwoGridsInOneStreamReadBackOneAfterTheOther)
{
    auto a = NewFixtureGrid(3, 3);
    auto b = NewFixtureGrid(4, 2);
    b->SetCells(2, 1, QStringLiteral("x\r\ny"));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    a->SaveToStream(&buffer);
    const qint64 second = buffer.pos();
    b->SaveToStream(&buffer);
    buffer.seek(0);

    auto ra = NewFixtureGrid(2, 2);
    ra->SetMultilineCells(true);
    ra->LoadFromStream(&buffer);
    EXPECT_EQ(buffer.pos(), second);
    EXPECT_EQ(Snapshot(ra.get()), Snapshot(a.get()));
    auto rb = NewFixtureGrid(2, 2);
    rb->SetMultilineCells(true);
    rb->LoadFromStream(&buffer);
    EXPECT_TRUE(buffer.atEnd());
    EXPECT_EQ(Snapshot(rb.get()), Snapshot(b.get()));

    // AssignCells passes the cells through the same stream.
    auto c = NewFixtureGrid(2, 2);
    c->SetMultilineCells(true);
    c->AssignCells(b.get());
    EXPECT_EQ(Snapshot(c.get()), Snapshot(b.get()));
}

TEST(GridTextCellStream, BadStreamsChangeNothingAndStayWhereTheyBegan)
{
    auto line = [](QByteArray& out, const char* text) {
        for (const char* p = text; *p; ++p) out.append(*p).append('\0');
        out.append("\r\0\n\0", 4);
    };
    QByteArray nonNumeric, hugeCount, truncated;
    line(nonNumeric, "2,2");
    line(nonNumeric, "0,0,ok");
    line(nonNumeric, "x,1,bad");
    line(hugeCount, "2,2000000000");
    line(truncated, "2,2");
    line(truncated, "1,1,fine");
    truncated.append("1\0,\0", 4);
    truncated.append('9');  // an odd byte at the end
    for (const QByteArray& bytes : {nonNumeric, hugeCount}) {
        auto g = NewFixtureGrid();
        const QStringList before = Snapshot(g.get());
        QByteArray data = QByteArray("PREFIX") + bytes;
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        buffer.seek(6);
        EXPECT_THROW(g->LoadFromStream(&buffer), EConvertError);
        EXPECT_EQ(buffer.pos(), 6);
        EXPECT_EQ(Snapshot(g.get()), before);
    }
    // A cut-off last line without its comma is where reading stops.
    auto g = NewFixtureGrid();
    QBuffer buffer(&truncated);
    buffer.open(QIODevice::ReadOnly);
    g->LoadFromStream(&buffer);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("fine"));
}

TEST(GridUsedCells, SmallestRectangleOfTextsAndNumbersOfCells)
{
    auto g = NewFixtureGrid(6, 8);
    g->ClearAll();
    EXPECT_EQ(g->UsedCells(), (TGridRect{0, 0, 0, 0}));
    g->SetCells(3, 2, QStringLiteral("x"));
    g->SetCells(1, 5, QStringLiteral("y"));
    EXPECT_EQ(g->UsedCells(), (TGridRect{1, 2, 3, 5}));

    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {{"", 0}, {"42", 42}, {"-1.5", -1.5}, {"(7)", -7}, {" 1,234.5 ", 1234.5}};
    for (const Case& c : cases) {
        g->SetCells(2, 2, QString::fromLatin1(c.text));
        EXPECT_DOUBLE_EQ(g->CellToReal(2, 2), c.value) << c.text;
    }
    g->SetCells(2, 2, QStringLiteral("1.2.3"));
    try {
        g->CellToReal(2, 2);
        ADD_FAILURE();
    } catch (const EAdvGridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Error at position: 4 in Cell [2, 2]."));
    }
}

TEST(GridFixedWidth, WritesWidthsAndReadsSortedPositions)
{
    auto g = NewFixtureGrid(3, 3);
    g->SetSaveFixedCells(false);
    g->SetCells(1, 1, QStringLiteral("abcdef"));
    g->SetCells(2, 1, QStringLiteral("x"));
    g->SetCells(1, 2, QStringLiteral("1"));
    TIntList widths(0, 0);
    const QString path = TempFile(QStringLiteral("fixed.txt"));
    g->SaveToFixed(path, &widths);
    ASSERT_EQ(widths.Count(), 2);
    EXPECT_EQ(widths.Items(0), 7);
    EXPECT_EQ(widths.Items(1), 4);
    TIntList narrow(0, 0);
    narrow.Add(3);
    g->SaveToFixed(path, &narrow);
    EXPECT_EQ(narrow.Count(), 2);  // the missing width appended
    EXPECT_EQ(SplitLines(ReadTextFile(path).Text), (QStringList{"abcx   ", "1  2,2 "}));

    WriteBytes(path, "abcd12345tail\r\nefgh67890\r\nsecond\r\nthird\r\n");
    struct Case {
        int maxRows;
        int rowsRead;
    };
    for (const Case c : {Case{-1, 4}, Case{2, 2}, Case{0, 1}}) {
        auto h = NewFixtureGrid(6, 2);
        h->SetSaveFixedCells(false);
        TIntList pos(0, 0);
        for (int p : {10, 1, 5}) pos.Add(p);
        h->LoadFromFixed(path, &pos, true, c.maxRows);
        EXPECT_EQ(pos.StrValue(), QStringLiteral("1,5,10"));
        EXPECT_EQ(h->ColCount(), 1 + 2);
        EXPECT_EQ(h->Cells(1, 1), QStringLiteral("abcd"));
        EXPECT_EQ(h->Cells(2, 1), QStringLiteral("12345"));
        EXPECT_EQ(h->RowCount(), std::max(2, 1 + c.rowsRead));
        if (c.rowsRead > 1) {
            EXPECT_EQ(h->Cells(1, 2), QStringLiteral("efgh"));
        }
    }
    auto h = NewFixtureGrid();
    TIntList pos(0, 0);
    try {
        h->LoadFromFixed(TempFile(QStringLiteral("missing.txt")), &pos);
        ADD_FAILURE();
    } catch (const EAdvGridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("File ") + TempFile(QStringLiteral("missing.txt")) + " not found");
    }
}

TEST(GridAlignedText, AlignsColumnsAndContinuesMultiLineCells)
{
    auto g = NewFixtureGrid(3, 3);
    g->SetSaveFixedCells(false);
    g->SetMultilineCells(true);
    g->SetCells(1, 1, QStringLiteral("42"));
    g->SetCells(1, 2, QStringLiteral("123456"));
    g->SetCells(2, 1, QStringLiteral("top\r\nnext"));
    g->SetAlignments(1, 1, taRightJustify);
    const QString path = TempFile(QStringLiteral("list.txt"));
    g->SaveToASCII(path);
    EXPECT_EQ(SplitLines(ReadTextFile(path).Text),
              (QStringList{"    42 top  ", "       next", "123456 2,2  "}));
    g->AppendToASCII(path);
    EXPECT_EQ(SplitLines(ReadTextFile(path).Text).size(), 6);
}

TEST(GridAlignedText, CellsAlignAsTheyShowOnTheScreen)
{
    using TGridPtr = std::unique_ptr<TAdvStringGrid, TTestAdvGridDeleter>;
    struct Case {
        const char* name;
        bool columnGrid;
        void (*setUp)(TAdvStringGrid*);
        const char* row1;
        const char* row2;
    };
    const Case cases[] = {
        {"numbers right with AutoNumAlign", false, [](TAdvStringGrid* g) { g->SetAutoNumAlign(true); },
         "    42 ab   ", "123456 abcd "},
        {"the alignment event",
         false,
         [](TAdvStringGrid* g) {
             g->OnGetAlignment = [](TObject*, int, int ACol, TAlignment& HAlign, TVAlignment&) {
                 if (ACol == 2) HAlign = taCenter;
             };
         },
         "42      ab  ", "123456 abcd "},
        {"the column's alignment", true,
         [](TAdvStringGrid* g) {
             static_cast<TAdvColumnGrid*>(g)->Columns()->Items(1)->SetAlignment(taRightJustify);
         },
         "    42 ab   ", "123456 abcd "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGridPtr g(c.columnGrid ? static_cast<TAdvStringGrid*>(Create<TAdvColumnGrid>(nullptr))
                                : Create<TAdvStringGrid>(nullptr));
        FillFixture(g.get(), 3, 3);
        g->SetSaveFixedCells(false);
        g->SetCells(1, 1, QStringLiteral("42"));
        g->SetCells(1, 2, QStringLiteral("123456"));
        g->SetCells(2, 1, QStringLiteral("ab"));
        g->SetCells(2, 2, QStringLiteral("abcd"));
        c.setUp(g.get());
        const QString path = TempFile(QStringLiteral("aligned.txt"));
        g->SaveToASCII(path);
        EXPECT_EQ(SplitLines(ReadTextFile(path).Text), (QStringList{c.row1, c.row2}));
    }
}

TEST(GridSaveCellText, MarkupAndRichTextFollowTheirSaveSettings)
{
    struct Case {
        const char* text;
        bool withHTML, withRTF;
        const char* saved;
    };
    const char* rtf = "{\\rtf1\\ansi {\\b bold}\r\n plain\\par\n}";
    const Case cases[] = {
        {"<b>bold</b> text", true, false, "<b>bold</b> text"},
        {"<b>bold</b> text", false, false, "bold text"},
        {"a < b", false, false, "a < b"},  // no markup, kept as typed
        {rtf, true, true, "{\\rtf1\\ansi {\\b bold} plain\\par}"},
        {rtf, true, false, "bold plain"},
        {"plain", false, true, "plain"},
    };
    auto g = NewFixtureGrid(4, 4);
    for (const Case& c : cases) {
        g->SetSaveWithHTML(c.withHTML);
        g->SetSaveWithRTF(c.withRTF);
        g->SetCells(1, 1, QString::fromLatin1(c.text));
        QString saved;
        g->SaveCellText(1, 1, saved);
        EXPECT_EQ(saved.trimmed(), QString::fromLatin1(c.saved)) << c.text << " html " << c.withHTML << " rtf " << c.withRTF;
    }
}
