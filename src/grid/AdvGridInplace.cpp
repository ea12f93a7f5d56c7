// The string grid's text editor.

#include "AdvGridInplace.h"

#include "AdvGrid.h"
#include "AdvGridEditors.h"
#include "AdvUtil.h"
#include "Beep.h"
#include "FormatSettings.h"
#include "Names.h"

#include <QScopeGuard>

TAdvInplaceEdit::TAdvInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner)
{
    FAdvGrid = dynamic_cast<TAdvStringGrid*>(AOwner);
    Workmode = true;
}

void TAdvInplaceEdit::SetVAlign(bool v)
{
    if (v == FValign) return;
    FValign = v;
    ApplyStyles();
}

void TAdvInplaceEdit::SetWordWrap(bool v)
{
    FWordWrapStyle = v;
    ApplyStyles();
}

void TAdvInplaceEdit::ApplyStyles()
{
    SetAlignment(FValign ? eaRight : eaLeft);
    TInplaceEdit::SetWordWrap(FWordWrapStyle);
    SetWantReturns(true);
}

// ---- loading and placing ---------------------------------------------------------------

void TAdvInplaceEdit::UpdateContents()
{
    TAdvStringGrid* g = FAdvGrid;
    if (!g) return;
    FAltBack = false;
    FWordWrapStyle = g->WordWrap();
    const bool password = g->CurrentEditor() == edPassword || g->CellIsPassword(g->RealCol(), g->Row());
    const QString pc = g->PasswordChar();
    SetPasswordChar(password ? (pc.isEmpty() ? QChar(u'*') : pc[0]) : QChar());
    TInplaceEdit::UpdateContents();
    FColE = g->Col();
    FRowE = g->Row();
    TBrush brush;
    TFont font;
    TAlignment ha = taLeftJustify;
    EditorCellLook(g, FColE, FRowE, &brush, &font, ha);
    SetColor(brush.Color());
    SetFont(&font);
    FValign = ha == taRightJustify;
    ApplyStyles();
    GotKey = false;
    Workmode = true;
    g->GetEditorProp(FColE, FRowE, nullptr);
}

void TAdvInplaceEdit::BoundsChanged()
{
    TAdvStringGrid* g = FAdvGrid;
    if (!g) return;
    const TRect r = g->CellRect(g->Col(), g->Row());
    const int b = g->BorderWidth();
    const int w = std::max(r.Width() - 1, 0), h = std::max(r.Height() - 1, 0);
    SetBounds(r.Left + b, r.Top + b, w, h);
    SetTextMargins(3, 3, 2, 0);
}

// ---- messages -------------------------------------------------------------------------

void TAdvInplaceEdit::WndProc(TMessage& m)
{
    TAdvStringGrid* g = FAdvGrid;
    if (!g) {
        TInplaceEdit::WndProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_KEYDOWN: {
        FDropChar = false;
        FRowMove = false;
        if (KeyDownMessage(Word(m.WParam), KeyboardStateToShiftState())) {
            m.WParam = 0;
            return;
        }
        TInplaceEdit::WndProc(m);
        if (FRowMove && g->MouseActions()->DisjunctRowSelect()) {
            g->ClearRowSelect();
            g->SetRowSelect(g->Row(), true);
        }
        return;
    }
    case WM_PASTE:
        // Every paste (keys, context menu) is filtered by the cell's type.
        if (!ReadOnly()) PasteText(Clipboard().AsText());
        return;
    case WM_SYSKEYDOWN:
        if (m.WParam == VK_BACK) FAltBack = true;
        break;
    case WM_SYSKEYUP:
        if (m.WParam == VK_BACK) FAltBack = false;
        break;
    case WM_CHAR: {
        if (FDropChar) {
            FDropChar = false;
            return;
        }
        QChar c(char16_t(m.WParam));
        bool advance = false;
        const int caret = SelStart();
        if (!FilterChar(c, KeyboardStateToShiftState(), (m.LParam & KF_KEYPAD_BIT) != 0, advance)) {
            if (advance) CheckAutoAdvance();
            return;
        }
        m.WParam = c.unicode();
        TInplaceEdit::WndProc(m);
        if (g->CurrentEditor() == edMixedCase && c.unicode() >= 32 && Visible()) {
            SetText(ToMixedCase(Text()));
            SetSelStart(caret + 1);
        }
        if (advance) CheckAutoAdvance();
        return;
    }
    case WM_SETFOCUS:
        TInplaceEdit::WndProc(m);
        FocusGained();
        return;
    case WM_KILLFOCUS:
        g->FStartEditChar = QChar();
        if (g->LookupHistory() && g->LookupItems()->IndexOf(Text()) < 0) g->LookupItems()->Add(Text());
        g->FormulaStateChanged(false);
        TInplaceEdit::WndProc(m);
        if (FAltBack) return;
        FocusLost(reinterpret_cast<TControl*>(m.WParam));
        return;
    case CM_WANTSPECIALKEY:
        TInplaceEdit::WndProc(m);
        if (m.WParam == VK_TAB && g->TabEndsEdit()) m.Result = 1;
        return;
    default:
        break;
    }
    TInplaceEdit::WndProc(m);
}

void TAdvInplaceEdit::FocusGained()
{
    TAdvStringGrid* g = FAdvGrid;
    FGotFocus = true;
    FAltBack = false;
    g->FNoEditChange = false;
    FLengthLimit = g->MaxEditLength();
    SetMaxLength(FLengthLimit);
    if (!EditMask().isEmpty() && !g->LButFlg && g->Navigation()->ImproveMaskSel()) {
        SetSelStart(0);
        SetSelLength(1);
        return;
    }
    if (!g->Navigation()->EditSelectAll()) CaretToEnd();
    if (g->LButFlg && Widget()) {
        const QPoint p = Widget()->mapFromGlobal(QCursor::pos());
        if (p.x() >= 0 && p.x() <= Width() && p.y() >= 0 && p.y() <= Height()) {
            const int i = CharFromPos(TPoint(p.x(), p.y()));
            if (i >= 0) {
                SetSelStart(i);
                SetSelLength(0);
                g->LButFlg = false;
            }
        }
    }
}

void TAdvInplaceEdit::FocusLost(TControl* NewFocus)
{
    TAdvStringGrid* g = FAdvGrid;
    if (NewFocus != g && Visible()) {
        g->ValidateCell(Text());
        SetText(g->CurrentCell());
        g->HideInplaceEdit();
        g->FEditing = false;
        g->EditMode = false;
        g->CanMoveToCell(FColE, FRowE);
    }
    if (g->FNoEditChange) SetText(g->CurrentCell());
    g->EditorCaret(Text(), TPoint(-1, -1));
    if (FGotFocus) {
        FGotFocus = false;
        g->PostEditDone(g->RealColIndex(FColE), FRowE);
    }
}

// ---- characters ------------------------------------------------------------------------

bool TAdvInplaceEdit::FilterChar(QChar& C, TShiftState Shift, bool Keypad, bool& Advance)
{
    TAdvStringGrid* g = FAdvGrid;
    const FormatSettings fs = DefaultFormatSettings();
    const bool ctrl = Shift.Contains(ssCtrl);
    Advance = false;
    if (C == u'.' && g->ExcelStyleDecimalSeparator() && Keypad) C = fs.DecimalSeparator;
    const ushort k = C.unicode();
    if (k == 1 && ctrl) return false;
    if (k == 10 && ctrl && !(g->Navigation()->AllowCtrlEnter() && (g->WordWrap() || g->MultilineCells())))
        return false;
    if (FLengthLimit > 0 && int(Text().size()) == FLengthLimit && SelLength() == 0 && k != 8 && k != 27 && k != 13)
        return false;
    const TEditorType t = g->CurrentEditor();
    const bool plainText = t == edNormal || t == edCapital || t == edMixedCase || t == edLowerCase
                           || t == edUpperCase || t == edValidChars;
    if (plainText && k == 13 && g->Navigation()->LineFeedOnEnter()) {
        SetSelText(QStringLiteral("\n"));
        return false;
    }
    Advance = true;
    const bool control = k == 8 || k == 9 || k == 13 || k == 27;
    switch (t) {
    case edNormal:
    case edPassword:
        return true;
    case edNumeric:
    case edPositiveNumeric: {
        if (control || C.isDigit()) return true;
        if (C == u'-' && t == edNumeric && !Text().contains(u'-') && SelStart() == 0) return true;
        MessageBeep(0);
        return false;
    }
    case edFloat:
    case edPositiveFloat: {
        const bool minusOk = t == edFloat;
        const bool inSet = control || C.isDigit() || C == u',' || C == u'.' || (C == u'-' && minusOk);
        if (!inSet) return ctrl;  // dropped silently; clipboard shortcuts pass
        if (C == fs.DecimalSeparator && Text().contains(fs.DecimalSeparator) && !SelText().contains(fs.DecimalSeparator)) {
            Advance = false;
            return false;
        }
        if (C == fs.ThousandSeparator) {
            Advance = false;
            return false;
        }
        if (C == u'-') {
            if ((SelStart() == 0 && !Text().contains(u'-')) || SelText().contains(u'-')) return true;
            MessageBeep(0);
            Advance = false;
            return false;
        }
        return true;
    }
    case edCapital:
    case edUpperCase:
        C = C.toUpper();
        return true;
    case edLowerCase:
        C = C.toLower();
        return true;
    case edMixedCase:
        return true;
    case edValidChars: {
        if (k == 8 || k == 13) return true;
        const QString valid = g->ValidChars();
        if (!valid.isEmpty() ? valid.contains(C) : false) return true;
        MessageBeep(0);
        return false;
    }
    default:
        return false;
    }
}

void TAdvInplaceEdit::CheckAutoAdvance()
{
    TAdvStringGrid* g = FAdvGrid;
    const int limit = g->MaxEditLength();
    if (!g->Navigation()->AdvanceAuto() || !g->Navigation()->AdvanceOnEnter() || limit <= 0) return;
    if (int(Text().size()) != limit || SelLength() != 0 || SelStart() != int(Text().size())) return;
    QChar enter(char16_t(13));
    KeyPress(enter);
}

void TAdvInplaceEdit::PasteText(const QString& Clip)
{
    TAdvStringGrid* g = FAdvGrid;
    if (!g) return;
    QString S = Clip;
    bool Allow = true;
    if (g->OnClipboardPaste) g->OnClipboardPaste(this, Allow);
    if (!Allow) return;
    if (g->OnClipboardBeforePasteCell) g->OnClipboardBeforePasteCell(this, g->Col(), g->Row(), Allow, S);
    if (!Allow) return;
    if (FLengthLimit > 0 && int(S.size()) > FLengthLimit) return;
    const int crlf = int(S.indexOf(QStringLiteral("\r\n")));
    if (crlf >= 0 && crlf == int(S.size()) - 2) S.chop(2);
    if (!EditMask().isEmpty()) {
        // A masked cell takes only what its mask allows.
        InsertPaste(S);
        g->SetCurrentCell(Text());
        if (g->OnClipboardAfterPasteCell) g->OnClipboardAfterPasteCell(this, g->Col(), g->Row(), Text());
        return;
    }
    const QString text = Text();
    const int start = SelStart(), len = SelLength();
    const QString newText = text.left(start) + S + text.mid(start + len);
    const int selStart = len > 0 ? start : start + int(S.size());
    const int selLen = len > 0 ? int(S.size()) : 0;
    if (FLengthLimit > 0 && int(newText.size()) > FLengthLimit) return;
    const TEditorType t = g->CurrentEditor();
    if (PasteAccepted(t, newText, g->ValidChars())) SetText(PastedForm(t, newText));
    g->SetCurrentCell(Text());
    SetSelStart(selStart);
    SetSelLength(selLen);
    if (g->OnClipboardAfterPasteCell) g->OnClipboardAfterPasteCell(this, g->Col(), g->Row(), Text());
}

// ---- keys ------------------------------------------------------------------------------

bool TAdvInplaceEdit::StoreAndValidate()
{
    TAdvStringGrid* g = FAdvGrid;
    g->FValidating = true;
    {
        auto done = qScopeGuard([g]() { g->FValidating = false; });
        g->SetCurrentCell(Text());
    }
    return g->ValidateCell(Text());
}

void TAdvInplaceEdit::Reject(bool Repaint)
{
    TAdvStringGrid* g = FAdvGrid;
    SetText(g->FNewCellText);
    if (g->Navigation()->EditSelectAll()) SelectAll();
    else CaretToEnd();
    if (Repaint) Invalidate();
    FDropChar = true;
}

void TAdvInplaceEdit::CaretToEnd()
{
    SetSelStart(int(Text().size()));
    SetSelLength(0);
}

bool TAdvInplaceEdit::KeyDownMessage(Word K, TShiftState Shift)
{
    TAdvStringGrid* g = FAdvGrid;
    TNavigation* nav = g->Navigation();
    g->EditorKeyDownMessage();
    FOldSelStart = SelStart();
    const QString oldCellText = g->FOldCellText;
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    const bool multi = g->WordWrap() || g->MultilineCells();
    auto rejected = [&](bool repaint) {
        Reject(repaint);
        g->FOldCellText = oldCellText;
        return true;
    };
    if (K == VK_ESCAPE) {
        SetText(g->FCellCache);
        g->HideInplaceEdit();
        return false;
    }
    if (K == 'A' && ctrl && !Shift.Contains(ssAlt)) {
        SelectAll();
        FDropChar = true;
        return true;
    }
    if ((ctrl && K == 'V') || (shift && K == VK_INSERT)) {
        PasteText(Clipboard().AsText());
        FDropChar = true;
        return true;
    }
    if (K == VK_RETURN && ctrl && !(nav->AllowCtrlEnter() && multi)) return true;
    if (K == VK_TAB && g->TabEndsEdit()) {
        if (g->ValidateCell(Text())) {
            SetText(g->FNewCellText);
            g->HideInplaceEdit();
            if (g->Options().Contains(goTabs)) g->TabNavigate(shift);
            else PostKey(VK_TAB, Shift);
            FDropChar = true;
            return true;
        }
        return rejected(false);
    }
    const int len = int(Text().size());
    if (nav->CursorWalkEditor() && shift && ((K == VK_LEFT && SelStart() == 0) || (K == VK_RIGHT && SelStart() == len))) {
        if (!StoreAndValidate()) return rejected(true);
        SetText(g->FNewCellText);
        g->HideInplaceEdit();
        if (g->CanFocus()) g->SetFocus();
        return true;
    }
    if ((K == VK_UP && LineFromChar(SelStart()) == 0)
        || (K == VK_DOWN && LineFromChar(SelStart()) == LineFromChar(std::max(len - 1, 0)))) {
        if (!StoreAndValidate()) return rejected(true);
        SetText(g->FNewCellText);
        FRowMove = true;
    }
    if (K == VK_RETURN && !nav->LineFeedOnEnter() && !ctrl) {
        if (!g->ValidateCell(Text())) return rejected(false);
        SetText(g->FNewCellText);
    }
    if ((K == VK_HOME || K == VK_END) && !ctrl && !shift) {
        if (K == VK_HOME) SetSelStart(0);
        else CaretToEnd();
    }
    if (K == VK_RETURN && ctrl && nav->LineFeedOnEnter()) {
        QChar enter(char16_t(13));
        TInplaceEdit::KeyPress(enter);
        FDropChar = true;
        return true;
    }
    return false;
}

void TAdvInplaceEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TAdvStringGrid* g = FAdvGrid;
    if (!g) {
        TInplaceEdit::KeyDown(Key, Shift);
        return;
    }
    FSelKeyDown = SelStart();
    const int len = int(Text().size());
    if (Key == VK_BACK || Key == VK_DELETE) Workmode = false;
    else Workmode = true;
    if (Key == VK_UP && LineFromChar(SelStart()) > 0) return;
    if (Key == VK_DOWN && LineFromChar(SelStart()) < LineFromChar(std::max(len - 1, 0))) return;
    if (Key == VK_RETURN && !g->Navigation()->AllowCtrlEnter() && (g->WordWrap() || g->MultilineCells()))
        g->FEditing = false;
    g->EditorKeyDown(Key, Shift);
    if (Key == 0) return;
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool noShift = !Shift.Contains(ssShift) && !ctrl && !Shift.Contains(ssAlt);
    bool toGrid = false;
    switch (Key) {
    case VK_TAB: toGrid = !Shift.Contains(ssAlt); break;
    case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_UP: case VK_DOWN: toGrid = true; break;
    case VK_INSERT: toGrid = noShift; break;
    case VK_DELETE: toGrid = ctrl; break;
    case VK_LEFT: case VK_HOME:
        toGrid = g->Options().Contains(goAlwaysShowEditor)
                 && (ctrl || (SelStart() == 0 && (SelLength() == 0 || SelLength() == len)));
        break;
    case VK_RIGHT: case VK_END:
        toGrid = g->Options().Contains(goAlwaysShowEditor)
                 && (ctrl || (SelStart() + SelLength() == len && (SelLength() == 0 || SelLength() == len)));
        break;
    case VK_F2: {
        if (g->OnKeyDown) g->OnKeyDown(g, Key, Shift);
        if (Key == VK_F2) CaretToEnd();
        Key = 0;
        return;
    }
    default: break;
    }
    if (toGrid) {
        g->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    // Enter reaches the grid through its character (the key press).
    if (Key == VK_RETURN) {
        Key = 0;
        return;
    }
    if ((Shift.Contains(ssShift) && Key == VK_INSERT) || Key == VK_DELETE) {
        if (!g->CanEditModify()) {
            Key = 0;
            return;
        }
    }
    if (g->OnKeyDown) g->OnKeyDown(g, Key, Shift);
    if (Key == 0) return;
    // The edit's own handling of the remaining keys (mask, password, read-only).
    const bool mask = !EditMask().isEmpty();
    if ((Key == VK_BACK || Key == VK_DELETE) && (mask || !PasswordChar().isNull() || ReadOnly())) {
        Word k = Key;
        TInplaceEdit::KeyDown(k, {});
        Key = k;
    }
}

void TAdvInplaceEdit::KeyPress(QChar& Key)
{
    TAdvStringGrid* g = FAdvGrid;
    if (!g) {
        TInplaceEdit::KeyPress(Key);
        return;
    }
    const ushort k = Key.unicode();
    if (k == 13 && !g->Navigation()->LineFeedOnEnter()) {
        if (!g->ValidateCell(Text())) {
            SetText(g->CurrentCell());
            Key = QChar();
            return;
        }
    }
    if (k == 13) {
        // The grid's key press gets Enter first (its advance); a grid that
        // leaves it closes the editor as the platform grid does.
        QChar key = Key;
        g->KeyPress(key);
        if (!key.isNull() && Visible() && g->EditorShown()) {
            g->HideInplaceEdit();
            if (g->CanFocus()) g->SetFocus();
        }
        Key = QChar();
        return;
    }
    TInplaceEdit::KeyPress(Key);
    if (Key.isNull()) return;
    if (g->Navigation()->AdvanceAuto() && !EditMask().isEmpty() && MaskMissingPosition() < 0
        && SelStart() == int(EditText().size())) {
        QChar enter(char16_t(13));
        g->KeyPress(enter);
    }
}

void TAdvInplaceEdit::KeyUp(Word& Key, TShiftState Shift)
{
    TAdvStringGrid* g = FAdvGrid;
    if (!g) {
        TInplaceEdit::KeyUp(Key, Shift);
        return;
    }
    TNavigation* nav = g->Navigation();
    const bool noShift = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    const int len = int(Text().size());
    const bool walk = nav->CursorWalkEditor() && noShift && SelLength() == 0;
    if (walk && ((Key == VK_LEFT && FSelKeyDown == 0 && SelStart() == 0) || (Key == VK_RIGHT && FOldSelStart == len))) {
        const bool forward = Key == VK_RIGHT;
        Key = 0;
        if (g->ValidateCell(Text())) g->HideInplaceEdit();
        const TAdvanceDirection dir = nav->AdvanceDirection();
        nav->SetAdvanceDirection(adLeftRight);
        auto restore = qScopeGuard([&]() { nav->SetAdvanceDirection(dir); });
        g->AdvanceCell(g->Col(), g->Row(), true, false, forward, true, true);
        if (!nav->CursorWalkAlwaysEdit()) g->HideInplaceEdit();
        return;
    }
    TInplaceEdit::KeyUp(Key, Shift);
    DoChange();
    g->EditorCaret(Text(), TPoint(SelStart(), LineFromChar(SelStart())));
    g->FormulaStateChanged(Text().startsWith(u'='));
}

void TAdvInplaceEdit::DoChange()
{
    TAdvStringGrid* g = FAdvGrid;
    if (!g || !Workmode || SelLength() != 0) return;
    TStrings* items = g->LookupItems();
    if (!g->Lookup() || !items || items->Count() == 0) return;
    const QString typed = Text().left(SelStart());
    const QString done = LookupCompletion(typed, items, g->LookupCaseSensitive());
    if (done.isEmpty()) return;
    SetText(done);
    SetSelStart(int(typed.size()));
    SetSelLength(int(done.size() - typed.size()));
    GotKey = false;
}

void TAdvInplaceEdit::Change()
{
    TInplaceEdit::Change();
    TAdvStringGrid* g = FAdvGrid;
    if (g) g->EditProcessChange(Text());
    if (g && !g->FNoEditChange && g->OnEditChange) g->OnEditChange(g, g->Col(), g->Row(), Text());
}

void TAdvInplaceEdit::DblClick()
{
    TInplaceEdit::DblClick();
    TAdvStringGrid* g = FAdvGrid;
    if (g && g->OnDblClickCell) g->OnDblClickCell(g, g->Row(), g->Col());
}
