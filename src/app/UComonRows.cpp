#include "UComonRows.h"

#include "AdvCGrid.h"
#include "Dialogs.h"
#include "UComon.h"
#include "UFormLook.h"

namespace {

constexpr int RowUsedQuestion = 1100;
constexpr int ClipboardWidthError = 1101;
constexpr int NothingCopiedError = 1102;

// The last data column (real index) and the last data row.
int RowOpsLastCol(TAdvStringGrid* g) { return g->ColCount() + g->NumHiddenColumns() - 1; }
int RowOpsLastRow(TAdvStringGrid* g) { return g->RowCount() - 1; }
bool RowOpsIsDataRow(TAdvStringGrid* g, int row) { return row >= 1 && row <= RowOpsLastRow(g); }

// Runs the cell writes of one operation inside the grid's update bracket.
template <class F>
void RowOpsUpdating(TAdvStringGrid* g, F&& f)
{
    g->BeginUpdate();
    try {
        f();
    } catch (...) {
        g->EndUpdate();
        throw;
    }
    g->EndUpdate();
}

// Moves every data column of rows row+1 .. last up by one (a deletion) or
// of rows row .. last-1 down by one (an insertion); Move(c, from, to) moves
// one cell. The freed row is the caller's to clear.
template <class Move>
void RowOpsShiftUp(TAdvStringGrid* g, int row, Move&& move)
{
    for (int r = row; r < RowOpsLastRow(g); ++r)
        for (int c = 1; c <= RowOpsLastCol(g); ++c)
            move(c, r + 1, r);
}
template <class Move>
void RowOpsShiftDown(TAdvStringGrid* g, int row, Move&& move)
{
    for (int r = RowOpsLastRow(g) - 1; r >= row; --r)
        for (int c = 1; c <= RowOpsLastCol(g); ++c)
            move(c, r, r + 1);
}

// One cell of the column-grid form moved: its text.
void MoveColumnGridCell(TAdvStringGrid* g, int c, int from, int to)
{
    g->SetCells(c, to, g->Cells(c, from));
}

bool IsDataCheckBoxColumn(TAdvColumnGrid* g, int col)
{
    return g->Columns()->Items(col)->Editor() == edDataCheckBox;
}

// The paste faults common to both forms: false when the paste is refused.
bool RowOpsPasteAllowed(TAdvStringGrid* g, bool copied, bool rowUsed)
{
    if (!copied) {
        MessageDlg(LangText(NothingCopiedError), mtError, {mbOK});
        return false;
    }
    if (Row_Clipboard->Count() != RowOpsLastCol(g)) {
        MessageDlg(LangText(ClipboardWidthError), mtError, {mbOK});
        return false;
    }
    return !rowUsed || MessageDlg(LangText(RowUsedQuestion), mtConfirmation, mbYesNo) == mrYes;
}

// One cell of the string-grid form moved from (c, from) to (c, to): a check
// box by its state, any other cell by its text.
void MoveCheckGridCell(TAdvStringGrid* g, int c, int from, int to)
{
    bool state = false;
    if (g->GetCheckBoxState(c, from, state))
        g->SetCheckBoxState(c, to, state);
    else
        g->SetCells(c, to, g->Cells(c, from));
}

void ClearCheckGridRow(TAdvStringGrid* g, int row, bool enable)
{
    for (int c = 1; c <= RowOpsLastCol(g); ++c) {
        bool state = false;
        if (g->GetCheckBoxState(c, row, state))
            g->SetCheckBoxState(c, row, c == 1 && enable);
        else
            g->SetCells(c, row, QString());
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Column grids

void GridDeleteRow(int Row, TAdvColumnGrid* Grid)
{
    if (!RowOpsIsDataRow(Grid, Row))
        return;
    RowOpsUpdating(Grid, [&] {
        RowOpsShiftUp(Grid, Row, [&](int c, int from, int to) { MoveColumnGridCell(Grid, c, from, to); });
        for (int c = 1; c <= RowOpsLastCol(Grid); ++c)
            Grid->SetCells(c, RowOpsLastRow(Grid), QString());
    });
}

void GridInsertRow(int Row, TAdvColumnGrid* Grid, bool Enable)
{
    if (!RowOpsIsDataRow(Grid, Row))
        return;
    RowOpsUpdating(Grid, [&] {
        RowOpsShiftDown(Grid, Row, [&](int c, int from, int to) { MoveColumnGridCell(Grid, c, from, to); });
        for (int c = 1; c <= RowOpsLastCol(Grid); ++c)
            Grid->SetCells(c, Row, c == 1 && Enable ? QStringLiteral("Y") : QString());
    });
}

void GridCopyRow(TAdvColumnGrid* Grid, int Row)
{
    if (!RowOpsIsDataRow(Grid, Row))
        return;
    Row_Clipboard->Clear();
    for (int c = 1; c <= RowOpsLastCol(Grid); ++c)
        Row_Clipboard->Add(Grid->Cells(c, Row));
}

void GridPasteRow(TAdvColumnGrid* Grid, int Row, bool Copied)
{
    if (!RowOpsIsDataRow(Grid, Row))
        return;
    bool used = false;
    for (int c = 1; c <= RowOpsLastCol(Grid) && !used; ++c)
        used = !IsDataCheckBoxColumn(Grid, c) && !Grid->Cells(c, Row).trimmed().isEmpty();
    if (!RowOpsPasteAllowed(Grid, Copied, used))
        return;
    RowOpsUpdating(Grid, [&] {
        for (int c = 1; c <= RowOpsLastCol(Grid); ++c)
            Grid->SetCells(c, Row, Row_Clipboard->Strings(c - 1));
    });
}

// ---------------------------------------------------------------------------
// String grids with check-box cells

void CheckGridDeleteRow(int Row, TAdvStringGrid* Grid, bool Enable)
{
    if (!RowOpsIsDataRow(Grid, Row))
        return;
    RowOpsUpdating(Grid, [&] {
        RowOpsShiftUp(Grid, Row, [&](int c, int from, int to) { MoveCheckGridCell(Grid, c, from, to); });
        ClearCheckGridRow(Grid, RowOpsLastRow(Grid), Enable);
    });
}

void CheckGridInsertRow(int Row, TAdvStringGrid* Grid, bool Enable)
{
    if (!RowOpsIsDataRow(Grid, Row))
        return;
    RowOpsUpdating(Grid, [&] {
        RowOpsShiftDown(Grid, Row, [&](int c, int from, int to) { MoveCheckGridCell(Grid, c, from, to); });
        ClearCheckGridRow(Grid, Row, Enable);
    });
}

void CheckGridCopyRow(TAdvStringGrid* Grid, int Row)
{
    if (!RowOpsIsDataRow(Grid, Row))
        return;
    Row_Clipboard->Clear();
    Row_Clipboard_Checks.assign(size_t(RowOpsLastCol(Grid)), false);
    for (int c = 1; c <= RowOpsLastCol(Grid); ++c) {
        bool state = false;
        if (Grid->GetCheckBoxState(c, Row, state)) {
            Row_Clipboard_Checks[size_t(c - 1)] = true;
            Row_Clipboard->Add(state ? QStringLiteral("Y") : QStringLiteral("N"));
        } else {
            Row_Clipboard->Add(Grid->Cells(c, Row));
        }
    }
}

bool CheckGridPasteRow(TAdvStringGrid* Grid, int Row, bool Copied)
{
    if (!RowOpsIsDataRow(Grid, Row))
        return false;
    bool used = false;
    for (int c = 1; c <= RowOpsLastCol(Grid) && !used; ++c) {
        bool state = false;
        used = !Grid->GetCheckBoxState(c, Row, state) && !Grid->Cells(c, Row).isEmpty();
    }
    if (!RowOpsPasteAllowed(Grid, Copied, used))
        return false;
    RowOpsUpdating(Grid, [&] {
        for (int c = 1; c <= RowOpsLastCol(Grid); ++c) {
            const QString text = Row_Clipboard->Strings(c - 1);
            // A clipboard without a flag for the column (a row copied by the
            // column-grid form) holds texts only.
            const bool isCheck = size_t(c - 1) < Row_Clipboard_Checks.size() && Row_Clipboard_Checks[size_t(c - 1)];
            if (isCheck)
                Grid->SetCheckBoxState(c, Row, text == QLatin1String("Y"));
            else
                Grid->SetCells(c, Row, text);
        }
    });
    return true;
}

// ---------------------------------------------------------------------------
// The two table options

void GridHeaderAutoSize(TAdvStringGrid* Grid, int ARow, int ACol)
{
    if (Opt_Double_Click_Auto_Size && ARow == 0)
        Grid->AutoSizeCol(ACol, 0);
}

void GridEnterNextCell(TAdvStringGrid* Grid, QChar& Key)
{
    if (!Opt_Jump_Field_Tables || Key != QChar(13))
        return;
    const int col = Grid->Col();
    const int row = Grid->Row();
    if (col > 0 && row > 0) {
        if (col < Grid->ColCount() - 1) {
            Grid->SetCol(col + 1);
        } else {
            Grid->SetCol(1);
            Grid->SetRow(row < Grid->RowCount() - 1 ? row + 1 : 1);
        }
    }
    Key = QChar(0);
}
