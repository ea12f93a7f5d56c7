// Editing the form controls of a cell's mini-HTML: opening the edit or
// combo over the control, its keys, and writing the value back into the
// control's tag when it is left.

#include "AdvGridEditControls.h"

#include "AdvGrid.h"
#include "AsgHTMLEText.h"

#include <QLineEdit>

namespace {

enum class CellControlKind { None, Edit, Combo };

struct CellControlType {
    const char* Name;
    CellControlKind Kind;
    bool Password;
    bool Masked;
};

// The control types an editor opens for; any other type opens nothing.
constexpr CellControlType CellControlTypes[] = {
    {"EDIT", CellControlKind::Edit, false, false},
    {"PASSWORD", CellControlKind::Edit, true, false},
    {"MASK", CellControlKind::Edit, false, true},
    {"COMBO", CellControlKind::Combo, false, false},
};

const CellControlType* FindCellControlType(const QString& Type)
{
    for (const CellControlType& t : CellControlTypes)
        if (Type.compare(QLatin1String(t.Name), Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

// Enter ends the control's edit and gives the grid the focus; Tab ends it
// and moves on (the Enter advance with AdvanceAuto, else the grid takes the
// focus). True when the key was one of them.
bool CellControlEndKey(TAdvStringGrid* g, TWinControl* ctl, Word Key)
{
    if (!g || (Key != VK_RETURN && Key != VK_TAB)) return false;
    g->EndCellControlEdit(ctl);
    if (g->CanFocus()) {
        try {
            g->SetFocus();
        } catch (const EInvalidOperation&) {
        }
    }
    if (Key == VK_TAB && g->Navigation()->AdvanceAuto())
        g->AdvanceCell(g->Col(), g->Row(), false, false, true, true, false);
    return true;
}

}  // namespace

// ---- the controls ---------------------------------------------------------------------------

TControlEdit::TControlEdit(TComponent* AOwner)
    : TCustomMaskEdit(AOwner), FGrid(dynamic_cast<TAdvStringGrid*>(AOwner))
{
    Edit()->setFrame(false);
}

void TControlEdit::WndProc(TMessage& m)
{
    TCustomMaskEdit::WndProc(m);
    if (m.Msg == CM_WANTSPECIALKEY && m.WParam == VK_TAB) m.Result = 1;
}

void TControlEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Key == VK_RETURN && !dynamic_cast<TAdvStringGrid*>(Parent())) return;
    if (CellControlEndKey(FGrid, this, Key)) Key = 0;
}

void TControlEdit::KeyPress(QChar& Key)
{
    if (Key == QChar(u'\r') || Key == QChar(u'\t')) {
        Key = QChar();
        return;
    }
    TCustomMaskEdit::KeyPress(Key);
}

TControlCombo::TControlCombo(TComponent* AOwner)
    : TAsgComboBox(AOwner), FGrid(dynamic_cast<TAdvStringGrid*>(AOwner))
{
}

void TControlCombo::WndProc(TMessage& m)
{
    TAsgComboBox::WndProc(m);
    if (m.Msg == CM_WANTSPECIALKEY && (m.WParam == VK_TAB || m.WParam == VK_RETURN)) m.Result = 1;
}

void TControlCombo::KeyDown(Word& Key, TShiftState Shift)
{
    TAsgComboBox::KeyDown(Key, Shift);
    if (CellControlEndKey(FGrid, this, Key)) Key = 0;
}

void TControlCombo::KeyPress(QChar& Key)
{
    if (Key == QChar(u'\r') || Key == QChar(u'\t')) {
        Key = QChar();
        return;
    }
    TAsgComboBox::KeyPress(Key);
}

// ---- the grid's side -------------------------------------------------------------------------

TControlEdit* TAdvStringGrid::CellControlEdit() const
{
    return static_cast<TControlEdit*>(FCtrlEdit);
}

TControlCombo* TAdvStringGrid::CellControlCombo() const
{
    return static_cast<TControlCombo*>(FCtrlCombo);
}

void TAdvStringGrid::StartCellControlEdit(const QString& HTML, const QString& CtrlType, int ARow, int ACol,
                                          const TRect& R, const QString& Value, const QString& CtrlID)
{
    const CellControlType* type = FindCellControlType(CtrlType);
    if (!type || !FCtrlEdit || !FCtrlCombo) return;
    FCtrlCol = ACol;
    FCtrlRow = ARow;
    FCtrlID = CtrlID;
    FCtrlType = QString::fromLatin1(type->Name);
    FCtrlEditing = true;
    const int maxLen = GetControlMaxLen(HTML, CtrlID);
    TWinControl* shown;
    if (type->Kind == CellControlKind::Edit) {
        TControlEdit* e = CellControlEdit();
        e->SetPasswordChar(type->Password ? QChar(u'*') : QChar());
        e->SetEditMask(QString());
        e->SetMaxLength(0);
        e->SetEditMask(type->Masked ? GetControlProp(HTML, CtrlID) : QString());
        e->OnExit = [this](TObject* Sender) { EndCellControlEdit(Sender); };
        e->SetText(Value);
        e->SetBounds(R.Left + 1, R.Top + 8, R.Width() - 4, 14);
        e->SetMaxLength(maxLen);
        shown = e;
    } else {
        TControlCombo* cb = CellControlCombo();
        cb->SetIsWinXP(FIsWinXP);
        cb->SetFlat(false);
        cb->SetBounds(R.Left - 1, R.Top + 4, R.Width(), cb->Height());
        cb->OnSelect = [this](TObject* Sender) { ControlComboSelect(Sender); };
        bool Edit = true;
        int DropCount = 8;
        cb->Items()->Clear();
        if (OnControlComboList)
            OnControlComboList(this, ARow, ACol, CtrlID, FCtrlType, Value, cb->Items(), Edit, DropCount);
        cb->SetStyle(Edit ? csDropDown : csDropDownList);
        const int i = cb->Items()->IndexOf(Value);
        if (i >= 0) cb->SetItemIndex(i);
        if (Edit) cb->SetText(Value);
        cb->SetDropDownCount(DropCount);
        cb->OnExit = [this](TObject* Sender) { EndCellControlEdit(Sender); };
        cb->SetMaxLength(maxLen);
        shown = cb;
    }
    shown->SetEnabled(true);
    shown->SetVisible(true);
    shown->BringToFront();
    if (shown->CanFocus()) {
        try {
            shown->SetFocus();
        } catch (const EInvalidOperation&) {
        }
    }
    if (type->Kind == CellControlKind::Combo) CellControlCombo()->SetDroppedDown(true);
}

void TAdvStringGrid::EndCellControlEdit(TObject* Sender)
{
    (void)Sender;
    if (!FCtrlEditing) return;
    FCtrlEditing = false;
    TWinControl* ctl = FCtrlType == QLatin1String("COMBO") ? FCtrlCombo : FCtrlEdit;
    const QString value = ctl->Text();
    SetControlValues(FCtrlCol, FCtrlRow, FCtrlID, value);
    if (ctl == FCtrlCombo) CellControlCombo()->SetDroppedDown(false);
    ctl->SetVisible(false);
    if (OnControlEditDone) OnControlEditDone(this, FCtrlRow, FCtrlCol, FCtrlID, FCtrlType, value);
    FCtrlType.clear();
}

void TAdvStringGrid::ControlComboSelect(TObject* Sender)
{
    (void)Sender;
    if (!OnControlComboSelect) return;
    TControlCombo* cb = CellControlCombo();
    const int i = cb->ItemIndex();
    OnControlComboSelect(this, FCtrlRow, FCtrlCol, i, FCtrlID, i >= 0 ? cb->Items()->Strings(i) : QString());
}
