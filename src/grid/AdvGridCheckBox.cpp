// Check boxes and radio buttons in string-grid cells: adding and removing
// them, reading and changing their states (with and without events), the
// toggle with its group and undo rules, and the hit test of the box.
//
// Where a state lives depends on the kind: the object's flag (ctCheckBox,
// ctRadioButton), the object's tri-state (ctTriStateCheckBox), the cell text
// compared exactly with the check-true text (ctDataCheckBox and the shared
// ctVirtCheckBox) or the row selection (the shared ctRowCheckBox, column 0).

#include "AdvGrid.h"

#include "AdvGridLook.h"
#include "BaseGridUndo.h"

namespace {

const QString SAdvGridInvalidCell = QStringLiteral("Invalid cell");

bool IsTextStateKind(TCellType t) { return t == ctDataCheckBox || t == ctVirtCheckBox; }
bool IsToggleKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox
           || t == ctTriStateCheckBox;
}

TCellVAlign CheckVAlignOf(TVAlignment v)
{
    switch (v) {
    case vtaCenter: return vaCenter;
    case vtaBottom: return vaBottom;
    default: return vaTop;
    }
}

} // namespace

// ---- adding and removing ---------------------------------------------------------------------

void TAdvStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    // A negative index would write outside the cell store: refused as well.
    if (ACol < 0 || ARow < 0 || ACol >= TotalColCount() || ARow >= TotalRowCount())
        throw Exception(SAdvGridInvalidCell);
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCheckBox(State, Data, true, haBeforeText, CheckVAlignOf(VAlignment()));
    if (Data) {
        QString t, f;
        GetCheckTrue(ACol, ARow, t);
        GetCheckFalse(ACol, ARow, f);
        const QString cur = Cells(ACol, ARow);
        if (cur != t && cur != f) SetCells(ACol, ARow, State ? t : f);
    }
}

void TAdvStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State)
{
    if (ACol < 0 || ARow < 0 || ACol >= TotalColCount() || ARow >= TotalRowCount())
        throw Exception(SAdvGridInvalidCell);
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCheckBox(State, true, haBeforeText, CheckVAlignOf(VAlignment()));
}

void TAdvStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
    const int from = FMouseActions->CheckAllCheck() ? 0 : TBaseGrid::FixedRows();
    for (int r = from; r < RowCount(); ++r) {
        if (IsSummary(r)) continue;
        if (IsNode(r)) AddCheckBox(ACol, r, cbUnchecked);
        else AddCheckBox(ACol, r, DefaultState, DataCheckBox);
    }
}

void TAdvStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State)
{
    const int from = FMouseActions->CheckAllCheck() ? 0 : TBaseGrid::FixedRows();
    for (int r = from; r < RowCount(); ++r) AddCheckBox(ACol, r, State);
}

void TAdvStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    const TCellType t = g->CellType();
    if (t != ctCheckBox && t != ctDataCheckBox && t != ctTriStateCheckBox) return;
    // The owned glyph goes with the object itself.
    RemoveCellGraphic(ACol, ARow);
}

void TAdvStringGrid::RemoveCheckBoxColumn(int ACol)
{
    const int from = FMouseActions->CheckAllCheck() ? 0 : TBaseGrid::FixedRows();
    for (int r = from; r < RowCount(); ++r)
        if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

bool TAdvStringGrid::HasCheckBox(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && (IsToggleKind(g->CellType()));
}

bool TAdvStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && (IsTextStateKind(g->CellType()) || g->CellType() == ctRowCheckBox);
}

// ---- reading states ---------------------------------------------------------------------------

bool TAdvStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State)
{
    if (ACol < 0 || ARow < 0) return false;
    TCellGraphic* g = nullptr;
    QString text;
    bool rowBox = false;
    if (NumHiddenRows() == 0) {
        g = GetCellGraphic(ACol, ARow);
        if (g && IsTextStateKind(g->CellType())) text = Cells(ACol, ARow);
    } else if (TCellProperties* p = GetGridObjectsEx(ACol, ARow); p && p->GraphicObject()) {
        g = dynamic_cast<TCellGraphic*>(p->GraphicObject());
        if (g && IsTextStateKind(g->CellType())) text = AllCells(ACol, ARow);
    } else if (!IsHiddenRow(ARow)) {
        const int d = DisplRowIndex(ARow);
        g = GetCellGraphic(ACol, d);
        if (g && IsTextStateKind(g->CellType())) text = Cells(ACol, d);
    } else if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
        rowBox = true;
    }
    if (!g && !rowBox) return false;
    const TCellType t = rowBox ? ctRowCheckBox : g->CellType();
    switch (t) {
    case ctCheckBox: State = BoolToCheckBoxState(g->CellBoolean()); return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString tt;
        GetCheckTrue(ACol, ARow, tt);
        State = BoolToCheckBoxState(text == tt);
        return true;
    }
    case ctTriStateCheckBox: State = g->CellCheckBoxState(); return true;
    case ctRowCheckBox:
        if (ACol != 0) return false;
        State = BoolToCheckBoxState(ARow < TotalRowCount() && RowSelect(ARow));
        return true;
    default: return false;
    }
}

bool TAdvStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State)
{
    // A tri-state box reads the same whether rows are hidden or not: checked
    // exactly when its state is checked.
    TCheckBoxState s;
    if (!GetCheckBoxState(ACol, ARow, s)) return false;
    State = s == cbChecked;
    return true;
}

bool TAdvStringGrid::IsChecked(int ACol, int ARow)
{
    bool s = false;
    return GetCheckBoxState(ACol, ARow, s) && s;
}

// ---- writing states ---------------------------------------------------------------------------

bool TAdvStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    if (ACol < 0 || ARow < 0) return false;
    TCellGraphic* g = nullptr;
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
        if (ARow >= TotalRowCount()) return false;
        SetRowSelect(ARow, State);
        return true;
    }
    if (TCellProperties* p = GetGridObjectsEx(ACol, ARow)) g = dynamic_cast<TCellGraphic*>(p->GraphicObject());
    if (!g) return false;
    switch (g->CellType()) {
    case ctCheckBox:
        g->SetCellBoolean(State);
        if (!IsHiddenRow(ARow)) RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString v;
        if (State) GetCheckTrue(ACol, ARow, v);
        else GetCheckFalse(ACol, ARow, v);
        SetAllCells(ACol, ARow, v);
        return true;
    }
    case ctTriStateCheckBox:
        g->SetCellCheckBoxState(BoolToCheckBoxState(State));
        if (!IsHiddenRow(ARow)) RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
        return true;
    default: return false;
    }
}

bool TAdvStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
    if (ACol < 0 || ARow < 0) return false;
    TCellGraphic* g = nullptr;
    if (TCellProperties* p = GetGridObjectsEx(ACol, ARow)) g = dynamic_cast<TCellGraphic*>(p->GraphicObject());
    if (g && g->CellType() == ctTriStateCheckBox) {
        g->SetCellCheckBoxState(State);
        if (!IsHiddenRow(ARow)) RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
        return true;
    }
    // The two-state kinds take grey as unchecked.
    return SetCheckBoxState(ACol, ARow, State == cbChecked);
}

bool TAdvStringGrid::ChangeCheckBoxState(int ACol, int ARow, bool Value)
{
    if (ACol < 0 || ARow < 0 || ARow >= RowCount()) return false;
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
        const int real = RealRowIndex(ARow);
        if (RowSelect(real) != Value) {
            SetRowSelect(real, Value);
            DoCheckBoxChange(ACol, ARow, Value);
        }
        return true;
    }
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    switch (g->CellType()) {
    case ctCheckBox:
        if (g->CellBoolean() != Value) {
            g->SetCellBoolean(Value);
            DoCheckBoxChange(ACol, ARow, Value);
            RepaintCell(DisplColIndex(ACol), ARow);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString t, f;
        GetCheckTrue(ACol, ARow, t);
        GetCheckFalse(ACol, ARow, f);
        const bool was = Cells(ACol, ARow) == t;
        SetCells(ACol, ARow, Value ? t : f);
        if (was != Value) DoCheckBoxChange(ACol, ARow, Value);
        return true;
    }
    default: return false;
    }
}

void TAdvStringGrid::CheckAll(int ACol)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) ChangeCheckBoxState(ACol, r, true);
    if (NumHiddenColumns() > 0) RepaintCol(DisplColIndex(ACol));
}

void TAdvStringGrid::UnCheckAll(int ACol)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) ChangeCheckBoxState(ACol, r, false);
    if (NumHiddenColumns() > 0) RepaintCol(DisplColIndex(ACol));
}

void TAdvStringGrid::DoCheckBoxChange(int ACol, int ARow, bool State)
{
    if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

void TAdvStringGrid::CheckBoxClick(int ACol, int ARow, bool State)
{
    if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

// ---- the toggle --------------------------------------------------------------------------------

bool TAdvStringGrid::DoToggleCheckBox(int ACol, int ARow, bool ByUser)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    const TCellType kind = g->CellType();
    if (!IsToggleKind(kind)) return false;

    const bool autoGroup = FGrouping->AutoCheckGroup();
    const bool nodeRow = autoGroup && IsNode(ARow);
    int span = 0, parent = -1;
    bool expanded = false;
    if (autoGroup) {
        if (nodeRow) {
            span = GetNodeSpan(ARow);
            expanded = GetNodeState(ARow);
        } else {
            parent = GetParentRow(ARow);
            if (parent >= 0) span = GetNodeSpan(parent);
        }
    }

    if (ByUser && !FControlLook->CheckAlwaysActive()) {
        bool canEdit = true;
        CanEditCell(ACol, ARow, canEdit);
        if (!canEdit) return false;
    }

    QString t, f;
    GetCheckTrue(ACol, ARow, t);
    GetCheckFalse(ACol, ARow, f);
    bool newState = false;
    QString oldText, newText;
    switch (kind) {
    case ctCheckBox:
        g->SetCellBoolean(!g->CellBoolean());
        newState = g->CellBoolean();
        break;
    case ctTriStateCheckBox:
        switch (g->CellCheckBoxState()) {
        case cbUnchecked: g->SetCellCheckBoxState(nodeRow ? cbChecked : cbGrayed); break;
        case cbChecked: g->SetCellCheckBoxState(cbUnchecked); break;
        case cbGrayed: g->SetCellCheckBoxState(cbChecked); break;
        }
        newState = nodeRow && g->CellCheckBoxState() == cbChecked;
        break;
    case ctRowCheckBox: {
        // The row's selection is its state; its caption stays.
        const int real = RealRowIndex(ARow);
        newState = !RowSelect(real);
        SetRowSelect(real, newState);
        break;
    }
    default:
        oldText = Cells(ACol, ARow);
        newState = oldText != t;
        newText = newState ? t : f;
        SetCells(ACol, ARow, newText);
        break;
    }
    RepaintCell(DisplColIndex(ACol), ARow);
    DoCheckBoxChange(ACol, ARow, newState);

    if (autoGroup && span > 1) {
        if (nodeRow) {
            const int nodeReal = RealRowIndex(ARow);
            for (int i = 1; i < span; ++i) {
                const int real = expanded ? RealRowIndex(ARow + i) : nodeReal + i;
                SetCheckBoxState(ACol, real, newState);
            }
        } else if (parent >= 0) {
            bool first = false, all = true;
            for (int i = 1; i < span; ++i) {
                bool s = false;
                GetCheckBoxState(ACol, RealRowIndex(parent + i), s);
                if (i == 1) first = s;
                else if (s != first) all = false;
            }
            SetCheckBoxState(ACol, RealRowIndex(parent), all ? BoolToCheckBoxState(first) : cbGrayed);
        }
    }

    // Undo only where the state is the text: undoing another kind's toggle
    // would write the check texts over its caption.
    if (FUndoRedo && IsTextStateKind(kind)) FUndoRedo->RegisterChange(ACol, ARow, oldText, newText);
    return true;
}

// ---- hit test ------------------------------------------------------------------------------------

bool TAdvStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    const TCellType t = g->CellType();
    if (!IsToggleKind(t) && t != ctRadioButton) return false;
    if (!FMouseActions->PreciseCheckBoxCheck()) return true;

    const int size = FControlLook->CheckSize();
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    int top;
    switch (g->CellVAlign()) {
    case vaBottom: top = r.Bottom - 2 - size; break;
    case vaCenter: top = r.Top + (r.Height() - size) / 2; break;
    // Other placements are tested as top-placed, inside the cell.
    default: top = r.Top + 2; break;
    }
    TAlignment ha;
    TVAlignment va;
    GetCellAlignment(ACol, ARow, ha, va);
    int left;
    switch (ha) {
    case taRightJustify: {
        left = r.Right - 2 - size;
        // The box stands left of the text as drawn.
        left -= GetCellTextSize(ACol, ARow).cx;
        break;
    }
    case taCenter: left = r.Left + (r.Width() - size) / 2; break;
    default: left = r.Left + 2; break;
    }
    return XPos >= left && XPos < left + size && YPos >= top && YPos < top + size;
}

// ---- radio buttons ---------------------------------------------------------------------------------

void TAdvStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    if (ACol < 0 || ARow < 0 || ACol >= TotalColCount() || ARow >= TotalRowCount())
        throw Exception(SAdvGridInvalidCell);
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetRadioButton(State, true, haBeforeText, CheckVAlignOf(VAlignment()));
}

void TAdvStringGrid::RemoveRadioButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadioButton); }

bool TAdvStringGrid::HasRadioButton(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctRadioButton;
}

void TAdvStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TAdvStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) RemoveRadioButton(ACol, r);
}

bool TAdvStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellType() == ctRadioButton && g->CellBoolean();
}

bool TAdvStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType() != ctRadioButton) return false;
    if (g->CellBoolean() != State) {
        g->SetCellBoolean(State);
        RepaintCell(DisplColIndex(ACol), ARow);
    }
    return true;
}

void TAdvStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) SetRadioButtonState(ACol, r, r == Index);
}

int TAdvStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r)) return r;
    return -1;
}

bool TAdvStringGrid::DoRadioButtonClick(int ACol, int ARow, bool ByUser)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadioButton) return false;
    if (ByUser && !FControlLook->CheckAlwaysActive()) {
        bool canEdit = true;
        CanEditCell(ACol, ARow, canEdit);
        if (!canEdit) return false;
    }
    if (!g->CellBoolean()) {
        g->SetCellBoolean(true);
        RepaintCell(DisplColIndex(ACol), ARow);
        for (int r = 0; r < RowCount(); ++r) {
            if (r == ARow) continue;
            TCellGraphic* o = GetCellGraphic(ACol, r);
            if (o && o->CellType() == ctRadioButton && o->CellBoolean()) {
                o->SetCellBoolean(false);
                RepaintCell(DisplColIndex(ACol), r);
            }
        }
    }
    return true;
}

bool TAdvStringGrid::RadioGroupClick(int ACol, int ARow, bool ByUser)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadio) return false;
    if (ByUser && !FControlLook->RadioAlwaysActive()) {
        bool canEdit = true;
        CanEditCell(ACol, ARow, canEdit);
        if (!canEdit) return false;
    }
    TStrings* captions = g->CellStrings();
    if (!captions || captions->Count() == 0) return false;
    const int stored = g->CellIndex();
    int idx = stored >= 0 ? stored + 1 : captions->IndexOf(Cells(ACol, ARow)) + 1;
    if (idx >= captions->Count()) idx = 0;
    if (stored >= -1) g->SetCellIndex(idx);
    g->SetCellVar(idx);
    SetCells(ACol, ARow, captions->Strings(idx));
    return false;
}
