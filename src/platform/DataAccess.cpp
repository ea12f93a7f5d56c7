#include "DataAccess.h"

#include "Services.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <atomic>

namespace {

// Fixed English messages of this unit.
const char* const kDataAccessNoMessage = "The database reported an error without a message";

// Qt's ODBC driver; the driver manager picks the database driver from the
// connection text.
const char* const kDataAccessQtDriver = "QODBC";

// Every source holds a connection of its own, under a name used once.
const char* const kDataAccessConnectionPrefix = "TRecordSource-";

QString DataAccessConnectionName()
{
    static std::atomic<unsigned long long> counter{0};
    return QString::fromLatin1(kDataAccessConnectionPrefix) + QString::number(++counter);
}

// The diagnostic of the driver manager or its driver as it came; Qt's own
// summary ("Unable to connect") only when there is none.
QString DataAccessMessage(const QSqlError& e)
{
    QString m = e.databaseText().trimmed();
    if (m.isEmpty()) m = e.text().trimmed();
    if (m.isEmpty()) m = QString::fromLatin1(kDataAccessNoMessage);
    return m;
}

}  // namespace

struct TRecordSource::TState {
    QString Name;  // the connection's name; empty when closed
    QSqlDatabase Db;
    std::unique_ptr<QSqlQuery> Query;
    QStringList Fields;
    bool Eof = true;
};

TRecordSource::TRecordSource() : F(std::make_unique<TState>()) {}

TRecordSource::~TRecordSource() { Close(); }

bool TRecordSource::Active() const { return !F->Name.isEmpty(); }

void TRecordSource::Close()
{
    F->Fields.clear();
    F->Eof = true;
    if (F->Name.isEmpty()) return;
    // The query before its connection, and no handle on the connection left
    // when it is removed.
    F->Query.reset();
    F->Db.close();
    F->Db = QSqlDatabase();
    const QString name = F->Name;
    F->Name.clear();
    QSqlDatabase::removeDatabase(name);
}

void TRecordSource::Open(const QString& Connection, const QString& Query)
{
    Close();
    F->Name = DataAccessConnectionName();
    QString failure;
    F->Db = QSqlDatabase::addDatabase(QString::fromLatin1(kDataAccessQtDriver), F->Name);
    if (!F->Db.isValid()) {
        failure = DataAccessMessage(F->Db.lastError());
    } else {
        F->Db.setDatabaseName(Connection);
        if (!F->Db.open()) {
            failure = DataAccessMessage(F->Db.lastError());
        } else {
            F->Query = std::make_unique<QSqlQuery>(F->Db);
            F->Query->setForwardOnly(true);
            if (!F->Query->exec(Query)) {
                failure = DataAccessMessage(F->Query->lastError());
            } else if (F->Query->isSelect()) {
                const QSqlRecord rec = F->Query->record();
                for (int i = 0; i < rec.count(); ++i) F->Fields << rec.fieldName(i);
                F->Eof = false;
                try {
                    MoveNext();
                } catch (const EDataAccessError& e) {
                    failure = e.Message();
                }
            }
        }
    }
    if (!failure.isEmpty()) {
        Close();
        throw EDataAccessError(failure);
    }
}

int TRecordSource::FieldCount() const { return int(F->Fields.size()); }

QString TRecordSource::FieldName(int Index) const { return F->Fields.value(Index); }

std::optional<QString> TRecordSource::FieldValue(int Index) const
{
    if (F->Eof || !F->Query || Index < 0 || Index >= FieldCount() || F->Query->isNull(Index)) return std::nullopt;
    return F->Query->value(Index).toString();
}

int TRecordSource::RecordCount() const
{
    if (!F->Query || !F->Query->isSelect()) return -1;
    const int n = F->Query->size();
    return n < 0 ? -1 : n;
}

bool TRecordSource::Eof() const { return F->Eof; }

void TRecordSource::MoveNext()
{
    if (F->Eof || !F->Query) return;
    if (F->Query->next()) return;
    F->Eof = true;
    const QSqlError e = F->Query->lastError();
    if (e.isValid()) throw EDataAccessError(DataAccessMessage(e));
}

int OpenRecordSourceCount()
{
    int n = 0;
    for (const QString& name : QSqlDatabase::connectionNames())
        if (name.startsWith(QLatin1String(kDataAccessConnectionPrefix))) ++n;
    return n;
}

QString AccessConnectionText(const QString& FileName) { return QStringLiteral("Driver={MDBTools};DBQ=") + FileName; }

QString DatabaseConnectionText(const QString& FileName)
{
    const auto& custom = Services().DatabaseConnection;
    return custom ? custom(FileName) : AccessConnectionText(FileName);
}
