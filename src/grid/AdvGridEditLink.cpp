// The custom editor link: opening a subclass's control over a cell (or in a
// pop-up window of its own), its keys, and storing its value when it ends.

#include "AdvGridEditLink.h"

#include "AdvGrid.h"
#include "Forms.h"

#include <QScopeGuard>

// The link's pop-up: a borderless pop-up window whose loss of activation
// (a click outside it, another window) ends the edit.
class TEditLinkForm : public TForm {
public:
    DECLARE_CLASSNAME(TEditLinkForm)
    TEditLinkForm(TEditLink* ALink)
        : TForm(ALink), FLink(ALink)
    {
        SetName(QStringLiteral("gridform"));
        SetPopupWindow(true);
        SetBorderStyle(bsNone);
    }

    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_ACTIVATE && m.WParam == WA_INACTIVE && Visible()) {
            // A press on the pop-up's own controls keeps it.
            for (TControl* c = reinterpret_cast<TControl*>(m.LParam); c; c = c->Parent())
                if (c == this) return;
            FLink->FormExit(this);
            return;
        }
        TForm::WndProc(m);
    }

private:
    TEditLink* FLink;
};

TEditLink::TEditLink(TComponent* AOwner)
    : TComponent(AOwner)
{
}

TEditLink::~TEditLink()
{
    // The control may outlive the link: it must not call into it any more.
    if (TWinControl* c = FSubclassedControl.Get()) c->SetWindowProc(FKeptWindowProc);
    if (FGrid) {
        FGrid->RemoveFreeNotification(this);
        // A grid whose destructors have begun no longer has its link to forget.
        if (!FGrid->HasState(csDestructing) && FGrid->EditLink() == this) FGrid->SetEditLink(nullptr);
    }
}

void TEditLink::SetGrid(TAdvStringGrid* v)
{
    if (v == FGrid) return;
    if (FGrid) FGrid->RemoveFreeNotification(this);
    FGrid = v;
    if (FGrid) FGrid->FreeNotification(this);
}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == static_cast<TComponent*>(FGrid)) FGrid = nullptr;
    if (AComponent == static_cast<TComponent*>(FPopupForm)) FPopupForm = nullptr;
}

TCustomForm* TEditLink::PopupForm() const
{
    return FPopupForm;
}

TWinControl* TEditLink::GetParent()
{
    if (FEditStyle == esPopup && FPopupForm) return FPopupForm;
    return FGrid;
}

// ---- opening -----------------------------------------------------------------------------

void TEditLink::Open(TAdvStringGrid* AGrid, int ACol, int ARow, const TRect& ARect, TColor AColor, const QString& AText)
{
    SetGrid(AGrid);
    FEditCell = TPoint(AGrid->RealColIndex(ACol), ARow);
    if (FEditStyle == esPopup) {
        // The editor rectangle is one pixel narrower than the cell.
        if (FAutoPopupWidth) FPopupWidth = ARect.Width() + 1;
        if (!FPopupForm) FPopupForm = new TEditLinkForm(this);
        TPoint at(FPopupLeft, FPopupTop);
        if (FPopupLeft == -1 || FPopupTop == -1) at = AGrid->ClientToScreen(TPoint(ARect.Left, ARect.Top));
        FPopupForm->SetBounds(at.X, at.Y, 0, 0);
        FPopupForm->Show();
        FPopupForm->SetBounds(at.X, at.Y, FPopupWidth, FPopupHeight);
        CreateEditor(FPopupForm);
        SetRect(TRect(0, 0, FPopupWidth, FPopupHeight));
    } else {
        CreateEditor(AGrid);
        SetRect(ARect);
    }
    SetVisible(true);
    SetCellProps(AColor, AGrid->Canvas()->Font());
    SetProperties();
    AGrid->GetEditorProp(FEditCell.X, ARow, this);
    SetEditorValue(AText);
    SetFocus(true);
    AGrid->FEditActive = true;
    TWinControl* ctl = GetEditControl();
    if (ctl && !AGrid->FStartEditChar.isNull()) PostMessage(ctl, WM_CHAR, AGrid->FStartEditChar.unicode(), 0);
    AGrid->FStartEditChar = QChar();
    AGrid->EditCtrl = ctl;
}

void TEditLink::SetRect(TRect R)
{
    TWinControl* c = GetEditControl();
    if (!c) return;
    const int line = FGrid ? FGrid->GridLineWidth() : 0;
    c->SetBounds(R.Left, R.Top, R.Width() - line, R.Height() - line);
}

void TEditLink::SetVisible(bool Value)
{
    if (TWinControl* c = GetEditControl()) c->SetVisible(Value);
}

void TEditLink::Subclass(TWinControl* Control)
{
    FKeptWindowProc = Control->WindowProc();
    FSubclassedControl = Control;
    FSubclassed = true;
    Control->SetWindowProc([this, Control](TMessage& m) {
        if (FKeptWindowProc) FKeptWindowProc(m);
        else Control->WndProc(m);
        // With goTabs the grid's keys (arrows, Tab, characters) stay with
        // the control, which hands them to the link.
        if (m.Msg == WM_GETDLGCODE && FGrid && FGrid->Options().Contains(goTabs))
            m.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    });
}

void TEditLink::SetFocus(bool Value)
{
    TWinControl* c = GetEditControl();
    if (Value && c) {
        if (!c->Visible()) c->SetVisible(true);
        if (!c->Enabled()) c->SetEnabled(true);
        if (FEditStyle == esInplace && !FSubclassed) Subclass(c);
    }
    TWinControl* target = Value ? c : FGrid;
    if (target && target->CanFocus()) {
        try {
            target->SetFocus();
        } catch (const EInvalidOperation&) {
        }
    }
}

// ---- keys ----------------------------------------------------------------------------------

bool EditLinkKeyLeaves(const TEditLink& Link, Word Key, TShiftState Shift)
{
    if (Shift.Contains(ssAlt)) return true;
    switch (Key) {
    case VK_UP: case VK_DOWN: return !Link.WantKeyUpDown();
    case VK_LEFT: case VK_RIGHT: return !Link.WantKeyLeftRight();
    case VK_HOME: case VK_END: return !Link.WantKeyHomeEnd();
    case VK_PRIOR: case VK_NEXT: return !Link.WantKeyPriorNext();
    case VK_RETURN: return !Link.WantKeyReturn();
    case VK_ESCAPE: return !Link.WantKeyEscape();
    case VK_TAB: return !Link.WantTabs();
    default: return false;
    }
}

void TEditLink::FocusGrid()
{
    FForcedExit = true;
    auto unforce = qScopeGuard([this]() { FForcedExit = false; });
    if (FGrid->CanFocus()) {
        try {
            FGrid->SetFocus();
        } catch (const EInvalidOperation&) {
        }
    }
}

void TEditLink::Commit()
{
    FocusGrid();
    FGrid->CommitSpecialEditor(FGrid->Col(), FGrid->Row());
}

void TEditLink::EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    (void)Sender;
    TAdvStringGrid* g = FGrid;
    if (!g || !EditLinkKeyLeaves(*this, Key, Shift)) return;
    const bool shift = Shift.Contains(ssShift);
    auto postF2 = [g]() {
        if (!g->IsControlCell(g->RealCol(), g->Row())) PostMessage(g, WM_KEYDOWN, VK_F2, 0);
    };
    if (Key == VK_TAB && g->Navigation()->TabToNextAtEnd()) {
        Commit();
        if (g->TabNavigate(shift)) postF2();
        Key = 0;
        return;
    }
    // Esc gives the control back the text from before the edit, which the
    // commit then stores.
    if (Key == VK_ESCAPE) SetEditorValue(g->FCellCache);
    Commit();
    if (FEditStyle == esPopup) EditExit(this);
    g->EditMode = false;
    g->FLastValidation = true;
    g->CanMoveToCell(g->Col(), g->Row());
    if (!g->FLastValidation) {
        g->ShowSpecialEditor(g->Col(), g->Row());
        Key = 0;
        return;
    }
    switch (Key) {
    case VK_RETURN:
        g->AdvanceCell(g->Col(), g->Row(), false, false, !shift, true, false);
        Key = 0;
        break;
    case VK_ESCAPE:
        Key = 0;
        break;
    case VK_TAB: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: {
        if (TWinControl* c = GetEditControl()) c->SetEnabled(false);
        Word k = Key;
        g->KeyDown(k, Shift);
        FocusGrid();
        if (Key == VK_TAB && g->Options().Contains(goTabs)) postF2();
        Key = 0;
        break;
    }
    default:
        break;
    }
}

// ---- leaving ----------------------------------------------------------------------------------

QString TEditLink::GetCellValue()
{
    return FGrid ? FGrid->Cells(FGrid->RealCol(), FGrid->Row()) : QString();
}

void TEditLink::SetCellValue(const QString& s)
{
    if (FGrid) FGrid->StoreEditValue(FGrid->RealCol(), FGrid->Row(), s);
}

void TEditLink::EditExit(TObject* Sender)
{
    (void)Sender;
    // The link's own move of the focus to the grid: the commit follows.
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
        return;
    }
    HideEditor();
    if (FEditStyle == esPopup && FPopupForm) {
        DestroyEditor();
        FPopupForm->Hide();
    }
}

void TEditLink::HideEditor()
{
    if (!FGrid) return;
    SetCellValue(GetEditorValue());
    FGrid->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::RestoreWinProc()
{
    if (FEditStyle != esInplace) return;
    TWinControl* c = FSubclassedControl.Get();
    if (c) {
        c->SetWindowProc(FKeptWindowProc);
        c->SetVisible(false);
    }
    FKeptWindowProc = nullptr;
    FSubclassedControl = nullptr;
    FSubclassed = false;
}

void TEditLink::FormExit(TObject* Sender)
{
    (void)Sender;
    if (!FGrid) return;
    if (TInplaceEdit* ed = FGrid->InplaceEditor()) ed->SetText(GetEditorValue());
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
        return;
    }
    EditExit(this);
    FGrid->FEditLinkFocusChange = true;
}

// ---- the grid's side ---------------------------------------------------------------------------

void TAdvStringGrid::SetEditLink(TEditLink* v)
{
    if (v == FEditLink) return;
    if (FEditLink) FEditLink->RemoveFreeNotification(this);
    FEditLink = v;
    if (FEditLink) FEditLink->FreeNotification(this);
}

void TAdvStringGrid::EditLinkRemoved(TComponent* AComponent)
{
    if (FEditLink && AComponent == static_cast<TComponent*>(FEditLink)) FEditLink = nullptr;
}
