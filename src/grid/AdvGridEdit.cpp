// The string grid's editing cycle: when an editor may open, the move of the
// current cell with editing switched per cell, validation with undo, the
// edit text, the edit-done notice, editability, the combo item list and the
// small hooks of editing.

#include "AdvGrid.h"
#include "AdvGridEditors.h"
#include "AdvGridInplace.h"
#include "AdvGridUnit.h"
#include "AsgHTMLEText.h"
#include "BaseGridUndo.h"

#include <QScopeGuard>

namespace {

// The eleven types the platform's text editor serves.
constexpr TEditorType TextEditorTypes[] = {edNormal,    edNumeric, edPositiveNumeric, edFloat,
                                           edCapital,   edMixedCase, edPassword,     edLowerCase,
                                           edUpperCase, edValidChars, edPositiveFloat};
static_assert(std::size(TextEditorTypes) == 11);

template <size_t N>
bool OneOf(TEditorType t, const TEditorType (&set)[N])
{
    for (TEditorType e : set)
        if (e == t) return true;
    return false;
}

}  // namespace

bool IsTextEditorType(TEditorType t)
{
    return OneOf(t, TextEditorTypes);
}

bool IsSpinEditorType(TEditorType t)
{
    constexpr TEditorType s[] = {edSpinEdit, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit};
    return OneOf(t, s);
}

bool IsEditBtnType(TEditorType t)
{
    constexpr TEditorType s[] = {edEditBtn, edNumericEditBtn, edFloatEditBtn, edMaskEditBtn};
    return OneOf(t, s);
}

bool IsUnitEditBtnType(TEditorType t)
{
    constexpr TEditorType s[] = {edUnitEditBtn, edNumericUnitEditBtn, edFloatUnitEditBtn};
    return OneOf(t, s);
}

int LeadingInteger(const QString& Text)
{
    const QString t = Text.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) ++i;
    if (i >= t.size() || !t[i].isDigit()) return 0;
    int value = 0;
    ValInt(t, value);
    return value;
}

// ---- editor creation ------------------------------------------------------------------

TInplaceEdit* TAdvStringGrid::CreateEditor()
{
    return new TAdvInplaceEdit(this);
}

TAdvInplaceEdit* TAdvStringGrid::NormalInplaceEdit() const
{
    return dynamic_cast<TAdvInplaceEdit*>(InplaceEditor());
}

// ---- showing ----------------------------------------------------------------------------

bool TAdvStringGrid::CanEditShow()
{
    if (FValidating) return false;
    const bool r = TBaseGrid::CanEditShow();
    if (IsDesigning()) return r;
    // A special editor is open: the text editor stays hidden.
    if (EditMode && FSpecialEditor) return false;
    const TPoint b = BaseCell(RealCol(), Row());
    if (r && !EditMode && IsControlCell(b.X, b.Y)) return false;
    if (r && !EditMode) {
        FNoEditChange = true;
        FCellCache = CurrentCell();
        // The validation compares with the text the edit starts from.
        if (!FEditing) RememberCurrentCell();
        EditControl = DefaultEditor();
        GetCellEditor(b.X, b.Y, EditControl);
        if (EditControl == edNone) return false;
        EditMode = true;
        if (!IsTextEditorType(EditControl)) {
            FEntered = true;
            ShowSpecialEditor(Col(), Row());
            if ((EditCtrl || FEditLink) && FFocusHelper->Enabled()) ShowFocusHelper(CellRect(Col(), Row()));
            if (!EditCtrl && !FEditLink) {
                // Nothing opened (no link, pickers unavailable, a data check box).
                EditMode = false;
                FEditing = false;
                FSpecialEditor = false;
                FEditActive = false;
            }
            return false;
        }
    }
    if (r) {
        FEntered = true;
        FEditing = true;
        if (FFocusHelper->Enabled()) ShowFocusHelper(CellRect(Col(), Row()));
    }
    return r;
}

void TAdvStringGrid::ShowInplaceEdit()
{
    if (IsControlCell(RealCol(), Row())) return;
    if (Row() < TopRow()) SetTopRow(Row());
    if (Col() < LeftCol()) SetLeftCol(Col());
    FEditText = CurrentCell();
    ShowEditor();
}

void TAdvStringGrid::ShowCellEdit()
{
    Perform(WM_KEYDOWN, VK_F2, 0);
}

void TAdvStringGrid::HideInplaceEdit()
{
    if (!EditMode) return;
    HideEditor();
    CommitSpecialEditor(Col(), Row());
    EditMode = false;
    HideFocusHelper();
    CanMoveToCell(Col(), Row());
}

void TAdvStringGrid::HideCellEdit()
{
    CommitSpecialEditor(Col(), Row());
}

void TAdvStringGrid::DoneInplaceEdit(Word Key, TShiftState Shift)
{
    FBlockFocus = true;
    auto unblock = qScopeGuard([this]() { FBlockFocus = false; });
    FEditing = false;
    HideInplaceEdit();
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
        Word k = Key;
        KeyDown(k, Shift);
    }
    const bool alwaysEdit = Navigation()->AlwaysEdit();
    Navigation()->SetAlwaysEdit(false);
    auto restore = qScopeGuard([&]() { Navigation()->SetAlwaysEdit(alwaysEdit); });
    if (CanFocus()) {
        try {
            SetFocus();
        } catch (const EInvalidOperation&) {
        }
    }
    if (Key == VK_RETURN) AdvanceCell(Col(), Row(), false, false, true, true, false);
}

// ---- the move of the current cell -------------------------------------------------------

bool TAdvStringGrid::CanMoveToCell(int ACol, int ARow)
{
    if (FForcedMove || !Parent()) return true;
    const int c = RealColIndex(ACol);
    FEditText = Cells(c, ARow);

    if (IsMergedNonBaseCell(c, ARow) && !Options().Contains(goRangeSelect)) {
        const TPoint b = BaseCell(c, ARow);
        FForcedMove = true;
        auto unforce = qScopeGuard([this]() { FForcedMove = false; });
        MoveColRow(DisplColIndex(b.X), b.Y, true, true);
        RepaintCell(DisplColIndex(b.X), b.Y);
        if (MouseActions()->DirectEdit()) ShowInplaceEdit();
        return false;
    }
    if (ACol == 0 && HasNodes() && !Options().Contains(goRowSelect)) return false;

    auto setOption = [this](TGridOption o, bool on) {
        TGridOptions opts = Options();
        if (on) opts.Include(o);
        else opts.Exclude(o);
        FEditChange = true;
        SetOptions(opts);
    };
    const bool editing = Options().Contains(goEditing);
    if (IsControlCell(c, ARow)) {
        bool CanEdit = true;
        AllowCellEdit(c, ARow, CanEdit);
        if (!FEditDisable) FEditDisable = !CanEdit && (editing || MouseActions()->RangeSelectAndEdit());
        if (!editing && !Options().Contains(goRowSelect) && CanEdit) setOption(goEditing, true);
    } else {
        bool CanEdit = editing || FEditDisable;
        AllowCellEdit(c, ARow, CanEdit);
        if (MouseActions()->DirectEdit()) {
            EditControl = DefaultEditor();
            if (HasNoEditor(c, ARow)) CanEdit = false;
        }
        if (MouseActions()->EditOnDblClickOnly()) CanEdit = false;
        if (EditMode && !(ACol == Col() && ARow == Row())) HideInplaceEdit();
        if (CanEdit) {
            FEditDisable = false;
            if (!Options().Contains(goEditing)) {
                if (!FEditing) RememberCurrentCell();
                if (Options().Contains(goRowSelect) && MouseActions()->RangeSelectAndEdit())
                    setOption(goRowSelect, false);
                setOption(goEditing, true);
            }
        } else if (Options().Contains(goEditing)) {
            EditMode = false;
            FEditDisable = true;
            setOption(goEditing, false);
            SetEditorMode(false);
        }
    }

    bool result;
    if (!FEditing) {
        bool Allow = true;
        CellChanging(c, ARow, Allow);
        if (IsFixed(ACol, ARow) || !Allow)
            result = (Options().Contains(goRowSelect) && Allow) || (FixedRowAlways() && RowCount() == FixedRows());
        else
            result = TBaseGrid::SelectCell(ACol, ARow);
    } else {
        // An edit still open is validated before the current cell leaves it;
        // the text editor's own text is the value.
        TInplaceEdit* ed = InplaceEditor();
        const bool textEdit = ed && EditorShown();
        bool valid = ValidateCell(textEdit ? ed->Text() : CurrentCell());
        if (valid && textEdit && EditorShown()) ed->SetText(FNewCellText);
        bool Allow = true;
        if (valid) CellChanging(c, ARow, Allow);
        result = valid && Allow && TBaseGrid::SelectCell(ACol, ARow);
    }
    if (!result) return false;

    if (ActiveCellShow()) RepaintActiveHeaders(Col(), Row(), ACol, ARow);
    if (ARow != Row() && !HasState(csLoading) && OnRowChanged) {
        // One report per change: SetRow reports only what is not reported here.
        const int old = Row();
        FOldRowSel = ARow;
        OnRowChanged(this, old, ARow);
    }
    FCellCache = FEditText;
    return true;
}

// ---- validation ---------------------------------------------------------------------------

bool TAdvStringGrid::ValidateCell(const QString& NewValue)
{
    if (!FEditing || FValidating) return true;
    FEditing = false;
    FValidating = true;
    bool Valid = true;
    auto done = qScopeGuard([this]() {
        FValidating = false;
        RememberCurrentCell();
    });
    const int col = RealColIndex(FOldCol), row = FOldRow;
    FNewCellText = NewValue;
    QString value = NewValue;
    if (NewValue != FOldCellText || AlwaysValidate()) {
        const bool advance = Navigation()->AdvanceOnEnter();
        Navigation()->SetAdvanceOnEnter(false);
        auto restore = qScopeGuard([&]() { Navigation()->SetAdvanceOnEnter(advance); });
        if (OnCellValidate) OnCellValidate(this, col, row, value, Valid);
        if (value != FOldCellText) {
            FModified = true;
            if (FixedCols() > 0 && row >= 0 && row < RowCount()) SetRowModified(row, true);
        }
        if (Valid) CellChanged(col, row);
        // Undo gets the old text before the new one.
        if (Valid && UndoRedo()) UndoRedo()->RegisterChange(col, row, FOldCellText, value);
        if (Valid && value != FOldCellText) CellsChanged(GridRect(col, row, col, row));
        FNewCellText = value;
    }
    if (Valid) {
        if (col >= 0 && row >= 0) SetCells(col, row, value);
    } else {
        FLastValidation = false;
        HideEditorEx(true);
        SetCells(col, row, value != NewValue ? value : FOldCellText);
        FNewCellText = Cells(col, row);
        ReturnToEditedCell();
        FModified = FOldModifiedValue;
        FEditing = true;
        if (!FSpecialEditor) {
            const int oc = FOldCol, orow = FOldRow;
            const QString old = FOldCellText;
            EditMode = false;
            FValidating = false;
            ShowInplaceEdit();
            FOldCol = oc;
            FOldRow = orow;
            FOldCellText = old;
            FEditing = true;
        }
        ShowInvalidEntry();
        // The open editor keeps comparing with the text from before the edit.
        done.dismiss();
        FValidating = false;
        return false;
    }
    FOldCellText = Cells(col, row);
    return Valid;
}

bool TAdvStringGrid::ValidateCellWide(const QString& NewValue)
{
    if (!FEditing || FValidating) return true;
    FEditing = false;
    FValidating = true;
    bool Valid = true;
    auto done = qScopeGuard([this]() {
        FValidating = false;
        RememberCurrentCell();
    });
    const int col = RealColIndex(FOldCol), row = FOldRow;
    QString value = NewValue;
    if (NewValue != FOldCellText || AlwaysValidate()) {
        CellChanged(col, row);
        if (OnCellValidateWide) OnCellValidateWide(this, col, row, value, Valid);
        if (value != FOldCellText) FModified = true;
    }
    FNewCellText = value;
    if (Valid) {
        SetWideCells(col, row, value);
    } else {
        FLastValidation = false;
        SetWideCells(col, row, value != NewValue ? value : FOldCellText);
        ReturnToEditedCell();
        FModified = FOldModifiedValue;
    }
    return Valid;
}

void TAdvStringGrid::ReturnToEditedCell()
{
    if (FOldCol == Col() && FOldRow == Row()) return;
    MoveCurrentCellForced(FOldCol, FOldRow);
}

void TAdvStringGrid::RememberCurrentCell()
{
    FOldCol = Col();
    FOldRow = Row();
    FOldCellText = (Col() >= 0 && Row() >= 0) ? GridCells(RealCol(), Row()) : QString();
    FOldModifiedValue = FModified;
}

void TAdvStringGrid::ShowInvalidEntry()
{
    if (InvalidEntryTitle().isEmpty() && InvalidEntryText().isEmpty()) return;
    TWinControl* target = EditCtrl ? EditCtrl : static_cast<TWinControl*>(InplaceEditor());
    ShowInvalidEntryBalloon(this, target, InvalidEntryIcon(), InvalidEntryTitle(), InvalidEntryText());
}

// ---- edit text ------------------------------------------------------------------------------

QString TAdvStringGrid::GetEditText(int ACol, int ARow)
{
    FNoEditChange = true;
    const int c = RealColIndex(ACol);
    if (TAdvInplaceEdit* ed = NormalInplaceEdit()) ed->SetVAlign(Alignments(c, ARow) == taRightJustify);
    const TPoint b = BaseCell(c, ARow);
    QString text = GetCellEx(b.X, b.Y);
    if (!EditWithTags() && text.contains(u'<')) text = HTMLStrip(text);
    return text;
}

void TAdvStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    int c = RealColIndex(ACol), r = ARow;
    if (IsMergedNonBaseCell(c, r)) {
        const TPoint b = BaseCell(c, r);
        c = b.X;
        r = b.Y;
    }
    SetCellEx(c, r, Value);
}

// ---- the edit-done notice ------------------------------------------------------------------

void TAdvStringGrid::PostEditDone(int ACol, int ARow)
{
    if (OnEditingDone) OnEditingDone(this);
    EditMode = false;
    PostMessage(this, GridEditDoneMessage(), uintptr_t(ACol), intptr_t(ARow));
}

bool TAdvStringGrid::EditDoneMessage(TMessage& Message)
{
    if (Message.Msg != 0 && Message.Msg == GridEditDoneMessage()) {
        if (OnEditCellDone) OnEditCellDone(this, int(Message.WParam), int(Message.LParam));
        if (MouseActions()->EditOnDblClickOnly()) {
            HideInplaceEdit();
            EditMode = false;
            TGridOptions o = Options();
            o.Exclude(goEditing);
            FEditChange = true;
            SetOptions(o);
        }
        return true;
    }
    return false;
}

// ---- editability ----------------------------------------------------------------------------

bool TAdvStringGrid::IsEditable(int ACol, int ARow)
{
    if (!Options().Contains(goEditing) && !MouseActions()->RangeSelectAndEdit() && !FEditDisable) return false;
    return EditableByRule(ACol, ARow);
}

bool TAdvStringGrid::EditableByRule(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    // A read-only cell is never edited, whatever the hooks say.
    if (ReadOnly(b.X, b.Y)) return false;
    bool CanEdit = true;
    AllowCellEdit(b.X, b.Y, CanEdit);
    bool Fixed = false;
    IsFixedCell(b.X, b.Y, Fixed);
    return CanEdit && !Fixed;
}

bool TAdvStringGrid::FOptionsWantTab() const
{
    return Options().Contains(goTabs) || bool(OnCellValidate) || bool(OnCellValidateWide);
}

// ---- hooks ------------------------------------------------------------------------------------

void TAdvStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TAdvStringGrid::HasNoEditor(int ACol, int ARow)
{
    TEditorType t = DefaultEditor();
    GetCellEditor(ACol, ARow, t);
    return t == edNone;
}

void TAdvStringGrid::AllowCellEdit(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

bool TAdvStringGrid::IsControlCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    const TPoint b = BaseCell(ACol, ARow);
    switch (GetCellType(b.X, b.Y)) {
    case ctCheckBox: case ctDataCheckBox: case ctRadio: case ctButton: case ctVirtCheckBox:
    case ctRowCheckBox: case ctRadioButton: case ctTriStateCheckBox:
        return true;
    default:
        return false;
    }
}

void TAdvStringGrid::GetEditorProp(int ACol, int ARow, TEditLink* AEditLink)
{
    if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, AEditLink);
    if (OnGetEditorPropInt) OnGetEditorPropInt(this, ARow, ACol);
}

void TAdvStringGrid::StoreEditValue(int ACol, int ARow, const QString& Value)
{
    SetEditText(DisplColIndex(ACol), ARow, Value);
    SetCells(ACol, ARow, Value);
}

void TAdvStringGrid::RestoreCellCache()
{
    SetCells(RealCol(), Row(), FCellCache);
    SetEditText(Col(), Row(), CurrentCell());
}

void TAdvStringGrid::CellChanging(int ACol, int ARow, bool& Allow)
{
    const int oldRow = Row(), oldCol = RealCol();
    if (ARow != oldRow && OnRowChanging) OnRowChanging(this, oldRow, ARow, Allow);
    if (ACol != oldCol && OnColChanging) OnColChanging(this, oldCol, ACol, Allow);
    if ((ARow != oldRow || ACol != oldCol) && OnCellChanging && !FBlockCellChange)
        OnCellChanging(this, oldRow, oldCol, ARow, ACol, Allow);
}

void TAdvStringGrid::DisableEditing()
{
    TGridOptions o = Options();
    o.Exclude(goEditing);
    SetOptions(o);
}

bool TAdvStringGrid::CanShowFixedDropDown(int ACol)
{
    bool show = true;
    if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, show);
    return show;
}

void TAdvStringGrid::RepaintActiveHeaders(int Col1, int Row1, int Col2, int Row2)
{
    for (const TPoint p : {TPoint(Col1, Row1), TPoint(Col2, Row2)}) {
        if (FixedRows() > 0 && p.X >= 0 && p.X < ColCount()) RepaintCell(p.X, FixedRows() - 1);
        if (FixedCols() > 0 && p.Y >= 0 && p.Y < RowCount()) RepaintCell(FixedCols() - 1, p.Y);
    }
}

QString TAdvStringGrid::DoEllipsClick(int, int, const QString& S)
{
    QString result = S;
    if (OnEllipsClick) OnEllipsClick(this, RealCol(), Row(), result);
    return result;
}

void TAdvStringGrid::DoUnitChange(int, int, const QString& NewUnit)
{
    if (OnUnitChanged) OnUnitChanged(this, Col(), Row(), NewUnit);
}

// ---- the combo item list -----------------------------------------------------------------

void TAdvStringGrid::ClearComboString()
{
    Combobox()->Items()->Clear();
}

void TAdvStringGrid::AddComboString(const QString& S)
{
    Combobox()->Items()->Add(S);
}

void TAdvStringGrid::AddComboStringObject(const QString& S, TObject* AObject)
{
    Combobox()->Items()->AddObject(S, AObject);
}

bool TAdvStringGrid::RemoveComboString(const QString& S)
{
    const int i = Combobox()->Items()->IndexOf(S);
    if (i < 0) return false;
    Combobox()->Items()->Delete(i);
    return true;
}

bool TAdvStringGrid::SetComboSelectionString(const QString& S)
{
    const int i = Combobox()->Items()->IndexOf(S);
    if (i < 0) return false;
    FComboIdx = i;
    return true;
}

int TAdvStringGrid::GetComboCount() const
{
    return Combobox()->Items()->Count();
}

void TAdvStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    GetEditorProp(ACol, ARow, nullptr);
    TStrings* items = Combobox()->Items();
    // The list raises its index error before anything changes.
    const QString s = items->Strings(Value);
    SetCells(ACol, ARow, s);
}

int TAdvStringGrid::GetComboIndex(int ACol, int ARow)
{
    GetEditorProp(ACol, ARow, nullptr);
    return Combobox()->Items()->IndexOf(Cells(ACol, ARow));
}
