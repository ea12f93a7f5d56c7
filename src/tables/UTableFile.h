#pragma once
// The table file every access-table window keeps its rows in: one XML
// document with a root element named per table, the comment
// "SW_VERSION = <version>" after the root at document level, optional section
// elements (one per grid page) and one attribute-only `row` element per grid
// row, up to the first row whose key cell is blank.
//
// A window describes its file once (TTableFileLayout) and the engine reads
// and writes the grids from that description; it has no grid logic of its
// own beyond reading and writing cells.

#include "Files.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class TAdvStringGrid;
class TXmlDocument;

// How a page's grid keeps its check boxes.
enum class TTableGridKind {
    ColumnGrid,    // check boxes are cell texts ("Y" / "N"): stored as they are
    CheckBoxGrid,  // string grid with check-box cells: the state is stored as "Y" / "N"
};

struct TTableColumn {
    QString Attribute;              // the attribute name; empty: the file does not keep the column
    std::optional<QString> Default; // a missing attribute takes it; none: loading stops
    bool CheckBox = false;          // CheckBoxGrid only: the column's cells are check boxes
                                    // (loaded unchecked only for exactly "N")
};

struct TTablePage {
    QString Section;                // empty: the rows stand directly under the root
    TAdvStringGrid* Grid = nullptr;
    TTableGridKind Kind = TTableGridKind::ColumnGrid;
    int KeyColumn = 1;              // a row whose trimmed key is empty ends the table
    std::vector<TTableColumn> Columns;  // real columns 1, 2, ... in order (hidden ones too)
};

struct TTableFileLayout {
    QString Root;
    QString Version;                // the comment's text after "SW_VERSION = "
    std::vector<TTablePage> Pages;
};

// What a load reached. Whole is true when every row of the file is in the
// grids; otherwise Stopped or Unreadable tells where the load ended, and
// ExtraRows and MissingSections what it left out.
struct TTableLoadResult {
    bool Whole = true;
    // A missing attribute without a default stopped the loading.
    bool Stopped = false;
    QString Section;     // empty for rows under the root
    int Row = 0;         // grid row (1-based)
    QString Attribute;
    // The file does not parse: nothing was loaded.
    bool Unreadable = false;
    QString Reason;
    // A section held more rows than its grid: the first ExtraRowsLimit shown.
    bool ExtraRows = false;
    QString ExtraSection;
    int ExtraRowsLimit = 0;
    // Sections the file lacks (their pages stay cleared), in page order: the
    // file was not written by this table, and saving replaces it.
    QStringList MissingSections;
    // Per page, per grid row filled (row i + 1 at index i): which columns'
    // attributes were absent (index c - 1 for column c). A window applies the
    // loading rules that depend on other cells of the row from it.
    std::vector<std::vector<std::vector<bool>>> Absent;
};

// The rows that a page stores: grid rows 1 .. the row before the first one
// whose key cell, trimmed, is empty.
int StoredRowCount(const TTablePage& page);

// Builds the document of the layout's grids into doc (cleared first).
void BuildTableDocument(const TTableFileLayout& layout, TXmlDocument& doc);

// Writes the grids to path through the safe write (a temporary file renamed
// over the old one): on failure the old file is untouched.
TWriteResult SaveTableFile(const TTableFileLayout& layout, const QString& path);

// Fills the grids from path, which must exist; the grids are expected to be
// cleared by the caller. A page whose section is missing stays as it is and
// the load does not count as whole.
TTableLoadResult LoadTableFile(const TTableFileLayout& layout, const QString& path);
// The same from a parsed document's bytes (for callers holding them).
TTableLoadResult LoadTableBytes(const TTableFileLayout& layout, const QByteArray& bytes);
