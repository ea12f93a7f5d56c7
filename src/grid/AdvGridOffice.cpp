// The string grid's exchange with office documents and databases.
//
// Spreadsheet and word-processor files are read and written by driving the
// office application through its automation server. This platform has no
// such server, so those operations fail as they do on a machine without the
// application: the hourglass shows while the server is looked for, the
// error is raised, and the grid keeps its cells.
//
// Database files are read through the ODBC driver manager (DataAccess).
#include "AdvGridOffice.h"

#include "AdvGrid.h"
#include "AdvGridFilesKit.h"
#include "DataAccess.h"

#include <algorithm>
#include <exception>

namespace {

// Looks for an automation server that this platform does not have.
[[noreturn]] void OfficeServerMissing(const char* Message)
{
    THourGlass hourglass;
    throw EAdvGridError(QString::fromLatin1(Message));
}

}  // namespace

// ---- spreadsheet and word-processor documents -----------------------------------

std::unique_ptr<TStringList> TAdvStringGrid::GetXLSSheets(const QString& FileName)
{
    (void)FileName;
    OfficeServerMissing(kGridExcelServerMissing);
}

void TAdvStringGrid::LoadFromXLS(const QString& Filename)
{
    (void)Filename;
    OfficeServerMissing(kGridExcelServerMissing);
}

void TAdvStringGrid::LoadFromXLSSheet(const QString& Filename, const QString& SheetName)
{
    (void)Filename;
    (void)SheetName;
    OfficeServerMissing(kGridExcelServerMissing);
}

void TAdvStringGrid::SaveToXLS(const QString& Filename, bool CreateNewSheet)
{
    (void)Filename;
    (void)CreateNewSheet;
    OfficeServerMissing(kGridExcelServerMissing);
}

void TAdvStringGrid::SaveToXLSSheet(const QString& Filename, const QString& SheetName)
{
    (void)Filename;
    (void)SheetName;
    OfficeServerMissing(kGridExcelServerMissing);
}

void TAdvStringGrid::SaveToDOC(const QString& Filename, bool CreateNewDocument)
{
    (void)Filename;
    (void)CreateNewDocument;
    OfficeServerMissing(kGridWordServerMissing);
}

void TAdvStringGrid::AppendToDoc(const QString& Filename, const QString& Bookmark)
{
    (void)Filename;
    (void)Bookmark;
    OfficeServerMissing(kGridWordServerMissing);
}

// ---- databases ------------------------------------------------------------------

void TAdvStringGrid::LoadFromMDBTable(const QString& Filename, const QString& Table)
{
    LoadFromMDBSQL(Filename, QStringLiteral("SELECT * FROM ") + Table);
}

// The field names go into the last fixed row and the records below the fixed
// rows, over whatever the cells held. Nothing changes when the database or
// the query cannot be opened, or the statement has no result; the driver's
// message is passed on.
void TAdvStringGrid::LoadFromMDBSQL(const QString& Filename, const QString& SQL)
{
    TRecordSource records;
    try {
        records.Open(DatabaseConnectionText(Filename), SQL);
    } catch (const EDataAccessError& e) {
        throw EAdvGridError(e.Message());
    }
    const int fields = records.FieldCount();
    // A statement without a result (an UPDATE, say) has nothing to show; a
    // column count of FixedCols would take away a fixed column.
    if (fields == 0) return;
    const int left = FixedCols();
    SetColCount(fields + left);
    if (FixedRows() > 0)
        for (int i = 0; i < fields; ++i) SetCells(left + i, FixedRows() - 1, records.FieldName(i));
    // Drivers that do not know the count answer -1: the rows then grow with
    // the records, by blocks here and to the last record at the end.
    if (records.RecordCount() > 0) SetRowCount(FixedRows() + records.RecordCount());
    const int rows = RowCount();
    int row = FixedRows();
    std::exception_ptr failure;
    try {
        while (!records.Eof()) {
            if (row >= RowCount()) SetRowCount(row + 1000);
            for (int i = 0; i < fields; ++i) LoadCellText(left + i, row, records.FieldValue(i).value_or(QString()));
            records.MoveNext();
            ++row;
        }
    } catch (const EDataAccessError& e) {
        failure = std::make_exception_ptr(EAdvGridError(e.Message()));
    } catch (...) {
        failure = std::current_exception();
    }
    if (RowCount() != std::max(rows, row)) SetRowCount(std::max(rows, row));
    Invalidate();
    if (failure) std::rethrow_exception(failure);
}
