#pragma once
// The row operations behind the table windows' row buttons and the two table
// options, for column grids (check boxes as "Y"/"N" cell texts) and for
// string grids with check-box cells. Row 0 is the header and column 0 the
// row numbers; the data columns are 1 .. ColCount + NumHiddenColumns - 1
// (hidden ones included) and the data rows 1 .. RowCount - 1. The operations
// move contents between the existing rows and never change the counts; a row
// outside the data rows does nothing. The copied row lives in Row_Clipboard
// (and Row_Clipboard_Checks for the string-grid form), shared by every window.

#include <QChar>

class TAdvStringGrid;
class TAdvColumnGrid;

void GridDeleteRow(int Row, TAdvColumnGrid* Grid);
// Column 1 of the opened row gets "Y" when Enable is set.
void GridInsertRow(int Row, TAdvColumnGrid* Grid, bool Enable);
void GridCopyRow(TAdvColumnGrid* Grid, int Row);
// Refuses without Copied (1102) or with a clipboard of another width (1101);
// asks before overwriting a used row (1100).
void GridPasteRow(TAdvColumnGrid* Grid, int Row, bool Copied);

void CheckGridDeleteRow(int Row, TAdvStringGrid* Grid, bool Enable);
void CheckGridInsertRow(int Row, TAdvStringGrid* Grid, bool Enable);
void CheckGridCopyRow(TAdvStringGrid* Grid, int Row);
// True when the row was written.
bool CheckGridPasteRow(TAdvStringGrid* Grid, int Row, bool Copied);

// A cell double-click: with Opt_Double_Click_Auto_Size, a header cell fits
// its column to the content.
void GridHeaderAutoSize(TAdvStringGrid* Grid, int ARow, int ACol);
// A key press: with Opt_Jump_Field_Tables, Enter moves to the next cell
// (wrapping to column 1 of the next row, from the last row to row 1) and is
// consumed.
void GridEnterNextCell(TAdvStringGrid* Grid, QChar& Key);
