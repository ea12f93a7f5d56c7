// Editing fixed cells: where the editor goes, which kind it is, and how
// the edit ends.

#include "AdvGridEditFixed.h"

#include "AdvGrid.h"

#include <QPointer>
#include <QScopeGuard>
#include <QTimer>

namespace {

// Gives the focus back to an editor whose text was refused, once the focus
// change that is running has finished.
void FixedEditRefocus(TWinControl* Editor)
{
    QPointer<QWidget> alive(Editor->Widget());
    QTimer::singleShot(0, Editor->Widget(), [Editor, alive]() {
        if (!alive || !Editor->Visible() || Editor->Focused() || !Editor->CanFocus()) return;
        try {
            Editor->SetFocus();
        } catch (const EInvalidOperation&) {
        }
    });
}

}  // namespace

// ---- the editors ------------------------------------------------------------------------

TAdvStringGrid* FixedCellEditGrid(TComponent* Owner)
{
    return dynamic_cast<TAdvStringGrid*>(Owner);
}

bool StopFixedCellEdit(TAdvStringGrid* g, TWinControl* Editor, int ACol, int ARow)
{
    if (!g) {
        Editor->SetVisible(false);
        return true;
    }
    QString v = Editor->Text();
    bool valid = true;
    if (g->OnCellValidate) g->OnCellValidate(g, ACol, ARow, v, valid);
    if (!valid) {
        // The edited cell comes into the current row or column; a fixed
        // cell itself cannot become the current cell.
        const int dc = g->DisplColIndex(ACol);
        const int c = dc >= g->FixedCols() && dc < g->ColCount() ? dc : g->Col();
        const int r = ARow >= g->FixedRows() && ARow < g->RowCount() ? ARow : g->Row();
        if (c != g->Col() || r != g->Row()) g->MoveCurrentCellForced(c, r);
        if (!Editor->Focused()) FixedEditRefocus(Editor);
        return false;
    }
    if (g->OnEditingDone) g->OnEditingDone(g);
    g->SetCells(ACol, ARow, v);
    Editor->SetVisible(false);
    Editor->SetEnabled(false);
    return true;
}

// ---- the grid's side ---------------------------------------------------------------------

void TAdvStringGrid::MoveCurrentCellForced(int ACol, int ARow)
{
    FForcedMove = true;
    auto unforce = qScopeGuard([this]() { FForcedMove = false; });
    MoveColRow(ACol, ARow, true, true);
}

TGridTransEdit* TAdvStringGrid::FixedCellEdit() const
{
    return static_cast<TGridTransEdit*>(EditTrans);
}

TGridTransCombo* TAdvStringGrid::FixedCellCombo() const
{
    return static_cast<TGridTransCombo*>(ComboTrans);
}

void TAdvStringGrid::FixedEdit(int ACol, int ARow, TStrings* Values, TGridFixedCellEditor& AEditor)
{
    if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TAdvStringGrid::StartFixedCellEdit(int ACol, int ARow)
{
    TGridTransEdit* ed = FixedCellEdit();
    TGridTransCombo* cb = FixedCellCombo();
    if (!ed || !cb) return;
    // An open fixed-cell edit ends first; a refused one keeps its editor.
    if (ed->Visible() && !ed->StopEdit()) return;
    if (cb->Visible() && !cb->StopEdit()) return;
    bool CanEdit = true;
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
    if (!CanEdit) return;
    FFixedColEdit = ACol;
    FFixedRowEdit = ARow;
    TGridFixedCellEditor kind = ACol == 0 ? MouseActions()->FixedColsEditor() : MouseActions()->FixedRowsEditor();
    cb->Items()->Assign(MouseActions()->FixedComboValues());
    FixedEdit(ACol, ARow, cb->Items(), kind);
    const TRect r = CellRect(ACol, ARow);
    const int c = RealColIndex(ACol);
    TWinControl* editor;
    if (kind == fceComboEdit || kind == fceComboList) {
        cb->SetStyle(kind == fceComboEdit ? csDropDown : csDropDownList);
        // The cell less one pixel, widened again by one to the left and top.
        cb->SetBounds(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
        cb->OnChange = [this, cb](TObject*) {
            if (OnEditChange) OnEditChange(this, FFixedColEdit, FFixedRowEdit, cb->Text());
        };
        const QString text = Cells(c, ARow);
        const int i = cb->Items()->IndexOf(text);
        if (kind == fceComboList) cb->SetItemIndex(i);
        else cb->SetText(text);
        cb->SetCol(c);
        cb->SetRow(ARow);
        editor = cb;
    } else {
        ed->SetBounds(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2);
        ed->OnChange = [this](TObject* Sender) { FixedEditChange(Sender); };
        ed->SetText(Cells(c, ARow));
        ed->SetCol(c);
        ed->SetRow(ARow);
        editor = ed;
    }
    editor->SetEnabled(true);
    editor->SetVisible(true);
    editor->BringToFront();
    if (editor->CanFocus()) {
        try {
            editor->SetFocus();
        } catch (const EInvalidOperation&) {
        }
    }
}

bool TAdvStringGrid::StartFixedCellEditAt(TGridFixedCellEdit How, int X, int Y)
{
    if (How == fceNone) return false;
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0) return false;
    const bool fixedRow = r < FixedRows();
    const bool fixedCol = c < FixedCols();
    const bool byRow = fixedRow && MouseActions()->FixedRowsEdit() == How;
    const bool byCol = fixedCol && MouseActions()->FixedColsEdit() == How;
    if (!byRow && !byCol) return false;
    if (How == fceLeftClick && ((byRow && Options().Contains(goColSizing)) || (byCol && Options().Contains(goRowSizing)))) {
        // A press near the cell's edges sizes instead.
        TRect inner = CellRect(c, r);
        inner = TRect(inner.Left + 4, inner.Top + 4, inner.Right - 4, inner.Bottom - 4);
        if (!inner.Contains(TPoint(X, Y))) return false;
    }
    StartFixedCellEdit(c, r);
    return true;
}
