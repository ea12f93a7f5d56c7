// The string grid's database import through ODBC, and the spreadsheet and
// word-processor operations that fail for want of their automation server.
// The databases are SQLite files in the test's program folder, made with SQL
// through the same driver (libsqliteodbc, scripts/install-deps.sh); a missing
// driver fails the tests.
#include "AdvGridFilesTestKit.h"

#include "AdvGridDragDrop.h"
#include "DataAccess.h"
#include "DialogResponder.h"
#include "Files.h"
#include "Services.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {

using TConnectionText = std::function<QString(const QString&)>;

QString SqliteConnection(const QString& file) { return QStringLiteral("Driver={SQLite3};Database=") + file; }

// The grid reads through the SQLite driver; the table Orders holds a null
// (Ann's note) and an empty text (the second customer).
struct TOrdersDb {
    ScopedService<TConnectionText> Connection{&PlatformServices::DatabaseConnection, SqliteConnection};
    QString File = TempFile(QStringLiteral("orders.db"));
    TOrdersDb()
    {
        for (const char* sql : {"CREATE TABLE Orders (id INTEGER, customer TEXT, note TEXT)",
                                "INSERT INTO Orders VALUES (1, 'Ann', NULL)", "INSERT INTO Orders VALUES (2, '', 'rush')",
                                "INSERT INTO Orders VALUES (3, 'Cy', 'x')"}) {
            TRecordSource s;
            try {
                s.Open(SqliteConnection(File), QString::fromLatin1(sql));
            } catch (const EDataAccessError& e) {
                ADD_FAILURE() << "the SQLite ODBC driver (libsqliteodbc, scripts/install-deps.sh) failed: " << e.what();
            }
        }
    }
};

QString GridError(const std::function<void()>& load)
{
    try {
        load();
    } catch (const EAdvGridError& e) {
        return e.Message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace

TEST(GridOffice, ATableLoadsUnderItsFieldNamesRowByRow)
{
    TOrdersDb db;
    auto g = NewFixtureGrid(4, 2);  // one fixed row and column, room for one record
    QStringList loaded;
    g->OnLoadCell = [&](TObject*, int c, int r, QString&) { loaded << QStringLiteral("%1,%2").arg(c).arg(r); };

    g->LoadFromMDBTable(db.File, QStringLiteral("Orders"));

    // SELECT * FROM Orders: every field in the table's order; the fixed
    // column and the cells beyond the records stay as they were.
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(RowText(g.get(), 0), QStringLiteral("0,0|id|customer|note"));
    EXPECT_EQ(RowText(g.get(), 1), QStringLiteral("0,1|1|Ann|"));  // the null overwrote "3,1"
    EXPECT_EQ(RowText(g.get(), 2), QStringLiteral("|2||rush"));
    EXPECT_EQ(RowText(g.get(), 3), QStringLiteral("|3|Cy|x"));
    // The values go through LoadCellText, the field names do not.
    EXPECT_EQ(loaded.size(), 9);
    EXPECT_EQ(loaded.front(), QStringLiteral("1,1"));
    EXPECT_EQ(loaded.back(), QStringLiteral("3,3"));
    g->SetBounds(0, 0, 300, 130);
    EXPECT_TRUE(TestHarness::GrabToPng(g.get(), TestHarness::GrabPath(QStringLiteral("grid-office-orders.png"))));
}

TEST(GridOffice, ManyRecordsEndTheRowsAtTheLastRecordAlsoWhenAHandlerFails)
{
    TOrdersDb db;
    const QString numbers = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2500) SELECT i FROM n");
    auto g = NewFixtureGrid(2, 3);
    g->LoadFromMDBSQL(db.File, numbers);
    EXPECT_EQ(g->RowCount(), 2501);
    EXPECT_EQ(g->Cells(1, 2500), QStringLiteral("2500"));

    auto h = NewFixtureGrid(2, 3);
    h->OnLoadCell = [](TObject*, int, int, QString& v) {
        if (v == QStringLiteral("1500")) throw EAdvGridError(QStringLiteral("refused"));
    };
    EXPECT_THROW(h->LoadFromMDBSQL(db.File, numbers), EAdvGridError);
    EXPECT_EQ(h->RowCount(), 1500);
    EXPECT_EQ(h->Cells(1, 1499), QStringLiteral("1499"));
    EXPECT_EQ(OpenRecordSourceCount(), 0);
}

TEST(GridOffice, AQueryFillsFromTheFixedCells)
{
    TOrdersDb db;
    struct Case {
        int fixedCols, fixedRows, rows;
        const char* sql;
        QStringList expected;  // rows of the grid after the load
    };
    const Case cases[] = {
        // no fixed rows: no names, the records from row 0, the rows already there kept
        {0, 0, 4, "SELECT customer FROM Orders WHERE id > 1 ORDER BY id", {"", "Cy", "0,2", "0,3"}},
        // two fixed rows: the names in the last one
        {1, 2, 3, "SELECT note, id FROM Orders ORDER BY id DESC", {"0,0|1,0|2,0", "0,1|note|id", "0,2|x|3", "|rush|2", "||1"}},
        // a result without records changes the columns and the names only
        {1, 1, 3, "SELECT id FROM Orders WHERE id > 9", {"0,0|id", "0,1|1,1", "0,2|1,2"}},
    };
    for (const Case& c : cases) {
        TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
        FillFixture(g.get(), 3, c.rows);
        g->SetFixedCols(c.fixedCols);
        g->SetFixedRows(c.fixedRows);
        g->LoadFromMDBSQL(db.File, QString::fromLatin1(c.sql));
        QStringList rows;
        for (int r = 0; r < g->RowCount(); ++r) rows << RowText(g.get(), r);
        EXPECT_EQ(rows, c.expected) << c.sql;
    }
}

TEST(GridOffice, AFailedImportPassesTheDriverMessageAndKeepsTheGrid)
{
    TOrdersDb db;
    const QString absent = TempFile(QStringLiteral("absent.mdb"));
    struct Case {
        TConnectionText connection;  // empty: the production text, the Access driver
        QString file, table, part;
    };
    const Case cases[] = {
        {[](const QString& f) { return QStringLiteral("Driver={NoSuchDriver};Database=") + f; }, db.File,
         QStringLiteral("Orders"), QStringLiteral("[unixODBC][Driver Manager]")},
        {SqliteConnection, db.File, QStringLiteral("Missing"), QStringLiteral("no such table: Missing")},
        {nullptr, absent, QStringLiteral("Orders"), QString()},
    };
    for (const Case& c : cases) {
        ScopedService<TConnectionText> connection(&PlatformServices::DatabaseConnection, c.connection);
        auto g = NewFixtureGrid();
        const QStringList before = Snapshot(g.get());
        const QString m = GridError([&] { g->LoadFromMDBTable(c.file, c.table); });
        EXPECT_NE(m, QStringLiteral("(no error)")) << c.table.toStdString();
        EXPECT_FALSE(m.isEmpty());
        EXPECT_TRUE(m.contains(c.part)) << m.toStdString();
        EXPECT_EQ(Snapshot(g.get()), before);
    }
    EXPECT_FALSE(FileExists(absent));
    EXPECT_EQ(OpenRecordSourceCount(), 0);
}

TEST(GridOffice, AStatementWithoutResultLeavesTheGrid)
{
    TOrdersDb db;
    auto g = NewFixtureGrid();
    const QStringList before = Snapshot(g.get());
    g->LoadFromMDBSQL(db.File, QStringLiteral("UPDATE Orders SET note = 'y' WHERE id = 3"));
    EXPECT_EQ(Snapshot(g.get()), before);
    g->LoadFromMDBSQL(db.File, QStringLiteral("SELECT note FROM Orders WHERE id = 3"));
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("y"));
}

TEST(GridOffice, SpreadsheetAndDocumentOperationsReportTheMissingServer)
{
    auto g = NewFixtureGrid();
    const QStringList before = Snapshot(g.get());
    const QString file = TempFile(QStringLiteral("book.xls"));
    const QString excel = QStringLiteral("Excel OLE server not found");
    const QString word = QStringLiteral("Word OLE server not found");
    struct Case {
        const char* name;
        std::function<void()> run;
        QString message;
    };
    const Case cases[] = {
        {"GetXLSSheets", [&] { g->GetXLSSheets(file); }, excel},
        {"LoadFromXLS", [&] { g->LoadFromXLS(file); }, excel},
        {"LoadFromXLSSheet", [&] { g->LoadFromXLSSheet(file, QStringLiteral("Sheet1")); }, excel},
        {"SaveToXLS", [&] { g->SaveToXLS(file, true); }, excel},
        {"SaveToXLSSheet", [&] { g->SaveToXLSSheet(file, QStringLiteral("Sheet1")); }, excel},
        {"SaveToDOC", [&] { g->SaveToDOC(TempFile(QStringLiteral("a.doc")), false); }, word},
        {"AppendToDoc", [&] { g->AppendToDoc(TempFile(QStringLiteral("a.doc")), QStringLiteral("here")); }, word},
    };
    ASSERT_NE(Screen, nullptr);
    const TCursor old = Screen->Cursor();
    Screen->SetCursor(crHandPoint);
    for (const Case& c : cases) {
        EXPECT_EQ(GridError(c.run), c.message) << c.name;
        EXPECT_EQ(Screen->Cursor(), crHandPoint) << c.name;
        EXPECT_EQ(Snapshot(g.get()), before) << c.name;
    }
    Screen->SetCursor(old);
    EXPECT_TRUE(QDir(CurrentTempProgramDir()).entryList(QDir::Files).isEmpty());
}

TEST(GridOffice, ADroppedSpreadsheetReportsTheMissingServer)
{
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, 420, 260);
    auto* g = Create<TTestAdvGrid>(form);
    g->SetParent(form);
    g->SetBounds(8, 8, 400, 240);
    FillFixture(g, 4, 5);
    form->Show();
    PumpEvents();
    const QStringList before = Snapshot(g);
    QStringList dropped;
    g->OnOleDrop = [&](TObject*, int, int, const QString& name, bool&) { dropped << name; };
    const QString xls = TempFile(QStringLiteral("sales.Xls"));
    ASSERT_TRUE(SafeWriteFile(xls, "not a workbook"));

    TGridDropTarget target(g);
    DialogResponder responder;
    responder.ExpectMessage(QStringLiteral("Excel OLE server not found"));
    const TRect rc = g->CellRect(1, 1);
    target.DropFiles(g->ClientToScreen(TPoint(rc.Left + 2, rc.Top + 2)), {xls});
    EXPECT_EQ(responder.Pending(), 0);
    EXPECT_EQ(dropped, QStringList{xls});
    EXPECT_EQ(Snapshot(g), before);
    Free(form);
}
