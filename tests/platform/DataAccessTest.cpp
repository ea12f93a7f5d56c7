// Records read through the ODBC driver manager. The databases are SQLite
// files in the test's program folder, made through the same driver with SQL;
// the drivers come from scripts/install-deps.sh, and a test fails, never
// skips, when they are missing.
#include "DataAccess.h"

#include "Services.h"
#include "TempProgramDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString SqliteConnection(const QString& file) { return QStringLiteral("Driver={SQLite3};Database=") + file; }

QString DbFile(const QString& name) { return QDir(CurrentTempProgramDir()).filePath(name); }

// Runs statements one by one; fails the test with the driver's message.
void Exec(const QString& file, const QStringList& statements)
{
    for (const QString& s : statements) {
        TRecordSource src;
        try {
            src.Open(SqliteConnection(file), s);
        } catch (const EDataAccessError& e) {
            FAIL() << "the SQLite ODBC driver (libsqliteodbc, scripts/install-deps.sh) failed on " << s.toStdString()
                   << ": " << e.what();
        }
    }
}

QString MessageOfOpen(const QString& connection, const QString& query)
{
    TRecordSource src;
    try {
        src.Open(connection, query);
    } catch (const EDataAccessError& e) {
        EXPECT_FALSE(src.Active());
        return e.Message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace

TEST(DataAccess, ReadsNamesAndValuesTellingNullFromEmpty)
{
    const QString db = DbFile(QStringLiteral("people.db"));
    Exec(db, {QStringLiteral("CREATE TABLE people (id INTEGER, name TEXT, note TEXT)"),
              QStringLiteral("INSERT INTO people VALUES (1, 'Ann', NULL)"),
              QStringLiteral("INSERT INTO people VALUES (2, '', 'late')")});

    TRecordSource src;
    src.Open(SqliteConnection(db), QStringLiteral("SELECT id, name, note FROM people ORDER BY id"));
    ASSERT_TRUE(src.Active());
    ASSERT_EQ(src.FieldCount(), 3);
    EXPECT_EQ(src.FieldName(0), QStringLiteral("id"));
    EXPECT_EQ(src.FieldName(2), QStringLiteral("note"));
    EXPECT_EQ(src.FieldName(3), QString());  // out of range: nothing, no crash
    const int count = src.RecordCount();
    EXPECT_TRUE(count == -1 || count == 2) << count;

    ASSERT_FALSE(src.Eof());
    EXPECT_EQ(src.FieldValue(0), std::optional<QString>(QStringLiteral("1")));
    EXPECT_EQ(src.FieldValue(1), std::optional<QString>(QStringLiteral("Ann")));
    EXPECT_EQ(src.FieldValue(2), std::nullopt);
    EXPECT_EQ(src.FieldValue(-1), std::nullopt);
    src.MoveNext();
    ASSERT_FALSE(src.Eof());
    EXPECT_EQ(src.FieldValue(1), std::optional<QString>(QString()));
    EXPECT_EQ(src.FieldValue(2), std::optional<QString>(QStringLiteral("late")));
    src.MoveNext();
    EXPECT_TRUE(src.Eof());
    EXPECT_EQ(src.FieldValue(0), std::nullopt);
    src.MoveNext();  // past the end stays there
    EXPECT_TRUE(src.Eof());
    src.Close();
    EXPECT_FALSE(src.Active());
    EXPECT_EQ(src.FieldCount(), 0);
}

TEST(DataAccess, AStatementWithoutResultHasNoFields)
{
    const QString db = DbFile(QStringLiteral("empty.db"));
    TRecordSource src;
    src.Open(SqliteConnection(db), QStringLiteral("CREATE TABLE t (a TEXT)"));
    EXPECT_EQ(src.FieldCount(), 0);
    EXPECT_TRUE(src.Eof());
    EXPECT_EQ(src.RecordCount(), -1);
    src.Open(SqliteConnection(db), QStringLiteral("SELECT a FROM t"));  // reopening closes the first
    EXPECT_EQ(src.FieldCount(), 1);
    EXPECT_TRUE(src.Eof());
}

TEST(DataAccess, FailuresCarryTheDriverManagersMessage)
{
    const QString db = DbFile(QStringLiteral("f.db"));
    Exec(db, {QStringLiteral("CREATE TABLE t (a TEXT)")});
    struct Case {
        QString connection;
        QString query;
        QString part;  // a piece of the expected message
    };
    const Case cases[] = {
        {QStringLiteral("Driver={NoSuchDriver};Database=") + db, QStringLiteral("SELECT 1"),
         QStringLiteral("[unixODBC][Driver Manager]")},
        {SqliteConnection(db), QStringLiteral("SELECT * FROM missing"), QStringLiteral("no such table: missing")},
        {SqliteConnection(db), QStringLiteral("SELEKT"), QStringLiteral("syntax error")},
        {AccessConnectionText(DbFile(QStringLiteral("absent.mdb"))), QStringLiteral("SELECT * FROM t"), QString()},
    };
    for (const Case& c : cases) {
        const QString m = MessageOfOpen(c.connection, c.query);
        EXPECT_NE(m, QStringLiteral("(no error)")) << c.connection.toStdString();
        EXPECT_FALSE(m.isEmpty());
        EXPECT_TRUE(m.contains(c.part)) << m.toStdString();
    }
}

TEST(DataAccess, EveryPathReleasesItsConnection)
{
    const QString db = DbFile(QStringLiteral("r.db"));
    Exec(db, {QStringLiteral("CREATE TABLE t (a TEXT)"), QStringLiteral("INSERT INTO t VALUES ('x')")});
    {
        TRecordSource open;  // left open: the destructor closes
        open.Open(SqliteConnection(db), QStringLiteral("SELECT a FROM t"));
        TRecordSource failed;
        EXPECT_THROW(failed.Open(SqliteConnection(db), QStringLiteral("SELECT nope FROM t")), EDataAccessError);
        TRecordSource other;  // a second source at once has a connection of its own
        other.Open(SqliteConnection(db), QStringLiteral("SELECT a FROM t"));
        EXPECT_EQ(other.FieldValue(0), std::optional<QString>(QStringLiteral("x")));
        EXPECT_EQ(open.FieldValue(0), std::optional<QString>(QStringLiteral("x")));
        EXPECT_EQ(OpenRecordSourceCount(), 2);
    }
    EXPECT_EQ(OpenRecordSourceCount(), 0);
}

TEST(DataAccess, TheConnectionTextComesFromTheServices)
{
    const QString file = QStringLiteral("/data/orders.mdb");
    {
        ScopedService<std::function<QString(const QString&)>> none(&PlatformServices::DatabaseConnection, nullptr);
        EXPECT_EQ(DatabaseConnectionText(file), QStringLiteral("Driver={MDBTools};DBQ=/data/orders.mdb"));
    }
    ScopedService<std::function<QString(const QString&)>> sqlite(&PlatformServices::DatabaseConnection,
                                                                  SqliteConnection);
    EXPECT_EQ(DatabaseConnectionText(file), QStringLiteral("Driver={SQLite3};Database=/data/orders.mdb"));
}
