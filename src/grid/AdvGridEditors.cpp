// The string grid's own editor controls: combo, spin, button edits, date
// pickers, check box and button, with the rules they share.

#include "AdvGridEditors.h"

#include "AdvGrid.h"
#include "AdvGridUnit.h"
#include "AdvUtil.h"
#include "Beep.h"
#include "Clock.h"
#include "DateUtils.h"
#include "SysFormat.h"
#include "FormatSettings.h"
#include "Names.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QScopeGuard>

// ---- the protocol every editor control follows --------------------------------------

struct TGridEditorProtocol {
    // The text goes to the current cell, then through validation.
    static bool Validate(TAdvStringGrid* g, const QString& Text)
    {
        g->SetCurrentCell(Text);
        return g->ValidateCell(Text);
    }
    static void FocusGrid(TAdvStringGrid* g)
    {
        if (!g->CanFocus()) return;
        try {
            g->SetFocus();
        } catch (const EInvalidOperation&) {
        }
    }
    static void Leave(TAdvStringGrid* g)
    {
        g->HideInplaceEdit();
        FocusGrid(g);
    }
    static void GridKeyDown(TAdvStringGrid* g, Word Key, TShiftState Shift)
    {
        Word k = Key;
        g->KeyDown(k, Shift);
    }
    static void GridKeyPress(TAdvStringGrid* g, QChar& Key)
    {
        if (g->OnKeyPress) g->OnKeyPress(g, Key);
    }
    // Tab after validation: the grid's Tab step with goTabs, else a Tab
    // key-down posted to the grid.
    static bool TabStep(TAdvStringGrid* g, TShiftState Shift)
    {
        if (g->Options().Contains(goTabs)) {
            Leave(g);
            g->TabNavigate(Shift.Contains(ssShift));
            return true;
        }
        g->PostKey(VK_TAB, Shift);
        return false;
    }
    static void Done(TAdvStringGrid* g, Word Key, TShiftState Shift) { g->DoneInplaceEdit(Key, Shift); }
    static void ReopenIfAutoEdit(TAdvStringGrid* g)
    {
        if (g->Navigation()->AdvanceOnEnter() && g->Navigation()->AdvanceAutoEdit()) g->ShowInplaceEdit();
    }
    static const QString& CellCache(TAdvStringGrid* g) { return g->FCellCache; }
    static const QString& NewCellText(TAdvStringGrid* g) { return g->FNewCellText; }
    static void SetNoAutoAdvance(TAdvStringGrid* g, bool v) { g->FNoAutoAdvance = v; }
    static bool BlockKill(TAdvStringGrid* g) { return g->FBlockKill; }
    static void ClaimKeys(TMessage& m, bool Tab)
    {
        if (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE || (Tab && m.WParam == VK_TAB)) m.Result = 1;
    }
};
using P = TGridEditorProtocol;

// ---- shared rules --------------------------------------------------------------------

QString DateTimeEditorText(TDateTime Value)
{
    const FormatSettings fs = DefaultFormatSettings();
    return FormatDateTime(fs.ShortDateFormat + QStringLiteral(" ") + fs.ShortTimeFormat, Value);
}

void EditorCellLook(TAdvStringGrid* Grid, int ACol, int ARow, TBrush* Brush, TFont* Font, TAlignment& HA)
{
    Font->Assign(Grid->Font());
    Brush->SetColor(Grid->Color());
    const int c = Grid->RealColIndex(ACol);
    TGridDrawState state;
    TColor to = clNone, mirror = clNone, mirrorTo = clNone;
    TVAlignment va = vtaTop;
    bool ww = Grid->WordWrap();
    TCellGradientDirection gd = GradientVertical;
    HA = Grid->Alignments(c, ARow);
    Grid->GetVisualProperties(ACol, ARow, state, false, false, true, Brush, to, mirror, mirrorTo, Font, HA, va, ww, gd);
    // A cell's own colour, font and alignment hold over the grid's.
    if (Grid->Colors(c, ARow) != clNone && Brush->Color() == Grid->Color()) Brush->SetColor(Grid->Colors(c, ARow));
    if (Font->Color() == Grid->Font()->Color() && Grid->FontColors(c, ARow) != clNone)
        Font->SetColor(Grid->FontColors(c, ARow));
    if (!(Grid->FontStyles(c, ARow) == TFontStyles{})) Font->SetStyle(Grid->FontStyles(c, ARow));
    if (Grid->FontSizes(c, ARow) > 0) Font->SetSize(Grid->FontSizes(c, ARow));
    if (!Grid->FontNames(c, ARow).isEmpty()) Font->SetName(Grid->FontNames(c, ARow));
}

bool PasteAccepted(TEditorType t, const QString& NewText, const QString& ValidChars)
{
    switch (t) {
    case edNumeric:
    case edPositiveNumeric:
    case edNumericEditBtn:
        return GetNumberType(NewText) == 0 && (!NewText.contains(u'-') || t != edPositiveNumeric);
    case edFloat:
    case edPositiveFloat:
    case edFloatEditBtn: {
        const int n = GetNumberType(NewText);
        return (n == 0 || n == 1) && (!NewText.contains(u'-') || t != edPositiveFloat);
    }
    case edValidChars:
        if (NewText.isEmpty()) return true;
        if (ValidChars.isEmpty()) return false;
        for (QChar c : NewText)
            if (!ValidChars.contains(c)) return false;
        return true;
    default:
        return true;
    }
}

QString PastedForm(TEditorType t, const QString& NewText)
{
    switch (t) {
    case edMixedCase: return ToMixedCase(NewText);
    case edLowerCase: return NewText.toLower();
    case edUpperCase: return NewText.toUpper();
    default: return NewText;
    }
}

QString LookupCompletion(const QString& Typed, TStrings* Items, bool CaseSensitive)
{
    if (Typed.isEmpty() || !Items) return QString();
    const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < Items->Count(); ++i) {
        const QString item = Items->Strings(i);
        if (item.startsWith(Typed, cs)) return Typed + item.mid(Typed.size()).left(255);
    }
    return QString();
}

bool NumericCharAccepted(TEditorType t, QChar C, const QString& Text, int SelStart, const QString& SelText, bool Ctrl,
                         bool& Beep)
{
    const FormatSettings fs = DefaultFormatSettings();
    const ushort k = C.unicode();
    const bool control = k == 8 || k == 9 || k == 13 || k == 27;
    Beep = false;
    if (t == edNumeric || t == edNumericEditBtn) {
        if (control || C.isDigit()) return true;
        if (C == u'-' && !Text.contains(u'-') && SelStart == 0) return true;
        Beep = true;
        return false;
    }
    const bool inSet = control || C.isDigit() || C == u',' || C == u'.' || C == u'-';
    if (!inSet) return Ctrl;
    if (C == fs.DecimalSeparator && Text.contains(fs.DecimalSeparator) && !SelText.contains(fs.DecimalSeparator))
        return false;
    if (C == fs.ThousandSeparator) return false;
    if (C == u'-') {
        if ((SelStart == 0 && !Text.contains(u'-')) || SelText.contains(u'-')) return true;
        Beep = true;
        return false;
    }
    return true;
}

// ---- the invalid-entry notice ------------------------------------------------------

namespace {

class TBalloonWindow : public TCustomControl {
public:
    TBalloonWindow(int Icon, const QString& Title, const QString& Text)
        : TCustomControl(nullptr), FIcon(Icon), FTitle(Title), FText(Text)
    {
        MakeAuxiliaryWindow(true);
        SetColor(clInfoBk);
    }
    void Paint() override
    {
        TCanvas* c = Canvas();
        c->Brush()->SetColor(clInfoBk);
        c->Pen()->SetColor(clGray);
        c->Rectangle(ClientRect());
        static const TColor iconColors[] = {clNone, clBlue, TColor(0x00A5FF), clRed};
        int x = 8;
        if (FIcon > 0 && FIcon < 4) {
            c->Brush()->SetColor(iconColors[FIcon]);
            c->Pen()->SetColor(iconColors[FIcon]);
            c->Ellipse(TRect(6, 6, 22, 22));
            c->Font()->SetColor(clWhite);
            c->Font()->SetStyle(TFontStyles{fsBold});
            c->Brush()->SetStyle(bsClear);
            c->TextOut(11, 6, FIcon == 1 ? QStringLiteral("i") : QStringLiteral("!"));
            x = 28;
        }
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(clInfoText);
        c->Font()->SetStyle(TFontStyles{fsBold});
        c->TextOut(x, 6, FTitle);
        c->Font()->SetStyle(TFontStyles{});
        c->TextOut(x, 26, FText);
    }

private:
    int FIcon;
    QString FTitle;
    QString FText;
};

QPointer<QObject>& BalloonGuard()
{
    static QPointer<QObject> guard;
    return guard;
}
TBalloonWindow* g_Balloon = nullptr;

}  // namespace

void HideInvalidEntryBalloon()
{
    if (g_Balloon && BalloonGuard()) Free(g_Balloon);
    g_Balloon = nullptr;
}

TWinControl* InvalidEntryBalloon()
{
    return BalloonGuard() ? g_Balloon : nullptr;
}

void ShowInvalidEntryBalloon(TAdvStringGrid* Grid, TWinControl* Target, int Icon, const QString& Title,
                             const QString& Text)
{
    HideInvalidEntryBalloon();
    if (!Target || !Grid) return;
    auto* b = new TBalloonWindow(Icon, Title, Text);
    g_Balloon = b;
    BalloonGuard() = b->Widget();
    QFontMetrics fm(Grid->Font()->ToQFont());
    const int w = std::max(fm.horizontalAdvance(Title), fm.horizontalAdvance(Text)) + 48;
    const TPoint p = Target->ClientToScreen(TPoint(0, Target->Height()));
    b->SetBounds(p.X, p.Y + 2, w, 48);
    b->Show();
}

// ---- TGridCombo ------------------------------------------------------------------------

TGridCombo::TGridCombo(TComponent* AOwner) : TAsgComboBox(AOwner)
{
    FGrid = dynamic_cast<TAdvStringGrid*>(AOwner);
    WorkMode = true;
    SetButtonWidth(16);
}

void TGridCombo::SizeDropDownWidth()
{
    int W = Width();
    QFontMetrics fm((FGrid ? FGrid->Font() : Font())->ToQFont());
    const bool scroll = Items()->Count() > DropDownCount();
    for (int i = 0; i < Items()->Count(); ++i) {
        const int T = fm.horizontalAdvance(Items()->Strings(i));
        if (scroll) {
            if (T > W - 25) W = T + 25;
        } else if (T > W - 5) {
            W = T + 8;
        }
    }
    SetDropWidth(W);
}

void TGridCombo::ReportItemChange()
{
    const int i = ItemIndex();
    if (!FGrid || i == FReportedIndex || i < 0) return;
    FReportedIndex = i;
    const int c = FGrid->RealCol(), r = FGrid->Row();
    if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, c, r, i, Items()->Strings(i));
    if (FGrid->OnComboObjectChange) FGrid->OnComboObjectChange(FGrid, c, r, i, Items()->Strings(i), Items()->Objects(i));
}

void TGridCombo::KeyDown(Word& Key, TShiftState Shift)
{
    TAdvStringGrid* g = FGrid;
    if (!g || !Visible()) {
        TAsgComboBox::KeyDown(Key, Shift);
        return;
    }
    HideInvalidEntryBalloon();
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    const bool list = Style() == csDropDownList || DroppedDown();
    bool ending;
    if (Shift.Contains(ssAlt) && Key == VK_DOWN) ending = false;
    else if (list) ending = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT || Key == VK_RIGHT;
    else
        ending = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT
                 || Key == VK_END || Key == VK_UP || Key == VK_DOWN;
    if ((Key == VK_UP || Key == VK_DOWN) && !g->Navigation()->ComboGetUpDown() && !DroppedDown()) {
        g->HideInplaceEdit();
        const bool always = g->Navigation()->AlwaysEdit();
        g->Navigation()->SetAlwaysEdit(false);
        P::FocusGrid(g);
        g->Navigation()->SetAlwaysEdit(always);
        P::GridKeyDown(g, Key, Shift);
        Key = 0;
        return;
    }
    if (!ending) {
        TAsgComboBox::KeyDown(Key, Shift);
        return;
    }
    auto selectCell = [&]() {
        if (Style() == csDropDownList) SetItemIndex(Items()->IndexOf(g->CurrentCell()));
        else SetText(g->CurrentCell());
    };
    if (Key == VK_ESCAPE) {
        const QString old = g->CurrentCell();
        SetText(old);
        const int i = Items()->IndexOf(old);
        // A pick-only list shows no item for a text outside it (an empty
        // cell among them), rather than the one it selected meanwhile.
        if (i >= 0 || Style() == csDropDownList) SetItemIndex(i);
        P::Leave(g);
        // Leaving stores what the list shows; the cell keeps its own text.
        if (i < 0 && g->CurrentCell() != old) g->SetCurrentCell(old);
        Key = 0;
        FDropChar = true;
        return;
    }
    if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        if (!P::Validate(g, Text())) {
            SetText(P::NewCellText(g));
            Invalidate();
            Key = 0;
            P::SetNoAutoAdvance(g, true);
            FDropChar = true;
            return;
        }
        selectCell();
    }
    if (Key == VK_TAB && g->TabEndsEdit()) {
        if (!P::Validate(g, Text())) {
            SetText(P::NewCellText(g));
            Invalidate();
            Key = 0;
            FDropChar = true;
            return;
        }
        selectCell();
        if (P::TabStep(g, Shift)) {
            Key = 0;
            return;
        }
    }
    if (list) {
        const bool close = g->MouseActions()->DirectComboClose();
        g->MouseActions()->SetDirectComboClose(false);
        g->HideInplaceEdit();
        g->MouseActions()->SetDirectComboClose(close);
        if (Key == VK_LEFT || Key == VK_RIGHT) {
            P::FocusGrid(g);
            P::GridKeyDown(g, Key, Shift);
            Key = 0;
            return;
        }
    } else if (Key == VK_END) {
        TAsgComboBox::KeyDown(Key, Shift);
        return;
    }
    const Word k = Key;
    Key = 0;
    FDropChar = true;
    P::Done(g, k, Shift);
    P::ReopenIfAutoEdit(g);
}

void TGridCombo::KeyPress(QChar& Key)
{
    if (FDropChar) {
        FDropChar = false;
        Key = QChar();
        return;
    }
    if (FGrid) P::GridKeyPress(FGrid, Key);
    if (Key == QChar(char16_t(27)) || Key == QChar(char16_t(13)) || Key == QChar(char16_t(9))) {
        Key = QChar();
        return;
    }
    TAsgComboBox::KeyPress(Key);
}

void TGridCombo::KeyUp(Word& Key, TShiftState Shift)
{
    if (FGrid) P::SetNoAutoAdvance(FGrid, false);
    if (Key != VK_RETURN) TAsgComboBox::KeyUp(Key, Shift);
    DoChange();
}

void TGridCombo::DoChange()
{
    TAdvStringGrid* g = FGrid;
    if (!g || !WorkMode || !g->Lookup() || Style() != csDropDown) return;
    QLineEdit* le = Combo() ? Combo()->lineEdit() : nullptr;
    if (!le || le->hasSelectedText()) return;
    const QString typed = Text().left(le->cursorPosition());
    QString done = LookupCompletion(typed, Items(), g->LookupCaseSensitive());
    const bool fromItems = !done.isEmpty();
    if (!fromItems) done = LookupCompletion(typed, g->LookupItems(), g->LookupCaseSensitive());
    if (done.isEmpty() || done == Text()) return;
    if (fromItems) {
        for (int i = 0; i < Items()->Count(); ++i)
            if (Items()->Strings(i).startsWith(typed, g->LookupCaseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive)) {
                SetItemIndex(i);
                ItemChangeFlag = true;
                break;
            }
    }
    SetText(done);
    le->setSelection(int(typed.size()), int(done.size() - typed.size()));
}

void TGridCombo::Change()
{
    TAsgComboBox::Change();
    TAdvStringGrid* g = FGrid;
    if (!g || !Visible()) return;
    if (g->OnEditChange) g->OnEditChange(g, g->Col(), g->Row(), Text());
    ReportItemChange();
}

void TGridCombo::Select()
{
    TAsgComboBox::Select();
    if (FGrid && Visible()) ReportItemChange();
}

void TGridCombo::DoExit()
{
    TAdvStringGrid* g = FGrid;
    if (g && Visible() && !P::BlockKill(g)) {
        if (g->LookupHistory() && !Text().isEmpty() && Items()->IndexOf(Text()) < 0) Items()->Add(Text());
        g->HideInplaceEdit();
    }
    TAsgComboBox::DoExit();
}

bool TGridCombo::DoMouseWheel(TShiftState, int WheelDelta, TPoint)
{
    const int n = Items()->Count();
    if (!FGrid || n == 0) return true;
    int i = ItemIndex();
    i = WheelDelta < 0 ? std::min(i + 1, n - 1) : std::max(i - 1, 0);
    SetItemIndex(i);
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->RealCol(), FGrid->Row(), Items()->Strings(i));
    ReportItemChange();
    return true;
}

void TGridCombo::WndProc(TMessage& m)
{
    TAsgComboBox::WndProc(m);
    if (m.Msg == CM_WANTSPECIALKEY && FGrid) P::ClaimKeys(m, FGrid->TabEndsEdit());
}

// ---- TGridSpin --------------------------------------------------------------------------

TGridSpin::TGridSpin(TComponent* AOwner) : TAsgSpinEdit(AOwner)
{
    FGrid = dynamic_cast<TAdvStringGrid*>(AOwner);
    SetMaxValue(100);
    SetMinValue(0);
    SetIncrement(1);
}

void TGridSpin::FireSpin(bool Up)
{
    TAdvStringGrid* g = FGrid;
    if (!g) return;
    const int c = g->RealCol(), r = g->Row();
    switch (SpinType()) {
    case sptNormal: if (g->OnSpinClick) g->OnSpinClick(g, c, r, Value(), Up); break;
    case sptFloat: if (g->OnFloatSpinClick) g->OnFloatSpinClick(g, c, r, FloatValue(), Up); break;
    case sptDate: if (g->OnDateSpinClick) g->OnDateSpinClick(g, c, r, DateValue(), Up); break;
    case sptTime: if (g->OnTimeSpinClick) g->OnTimeSpinClick(g, c, r, TimeValue(), Up); break;
    }
}

void TGridSpin::UpClick(TObject* Sender)
{
    TAsgSpinEdit::UpClick(Sender);
    FireSpin(true);
}

void TGridSpin::DownClick(TObject* Sender)
{
    TAsgSpinEdit::DownClick(Sender);
    FireSpin(false);
}

void TGridSpin::KeyDown(Word& Key, TShiftState Shift)
{
    TAdvStringGrid* g = FGrid;
    if (!g || !Visible()) {
        TAsgSpinEdit::KeyDown(Key, Shift);
        return;
    }
    HideInvalidEntryBalloon();
    const bool num = SpinType() == sptNormal, flt = SpinType() == sptFloat;
    if (num || flt) {
        switch (Key) {
        case VK_PRIOR:
            if (num && Value() + Increment() <= MaxValue()) SetValue(Value() + Increment());
            if (flt && FloatValue() + IncrementFloat() <= MaxFloatValue()) SetFloatValue(FloatValue() + IncrementFloat());
            break;
        case VK_NEXT:
            if (num && Value() - Increment() >= MinValue()) SetValue(Value() - Increment());
            if (flt && FloatValue() - IncrementFloat() >= MinFloatValue()) SetFloatValue(FloatValue() - IncrementFloat());
            break;
        case VK_END:
            if (num) SetValue(MinValue());
            else SetFloatValue(MinFloatValue());
            break;
        case VK_HOME:
            if (num) SetValue(MaxValue());
            else SetFloatValue(MaxFloatValue());
            break;
        default: break;
        }
        if (g->OnSpinClick && (Key == VK_PRIOR || Key == VK_HOME || Key == VK_NEXT || Key == VK_END))
            g->OnSpinClick(g, g->RealCol(), g->Row(), Value(), Key == VK_PRIOR || Key == VK_HOME);
    }
    const bool ending = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_UP || Key == VK_DOWN;
    if (!ending) {
        TAsgSpinEdit::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        SetText(P::CellCache(g));
        if (num) SetValue(LeadingInteger(P::CellCache(g)));
        if (flt) SetFloatValue(StrToFloatDef(ExtractNumberText(P::CellCache(g)), MinFloatValue(), FixedFormatSettings()));
    } else {
        if (!P::Validate(g, Text())) {
            SetText(g->CurrentCell());
            SetSelStart(int(Text().size()));
            Key = 0;
            P::SetNoAutoAdvance(g, true);
            FDropChar = true;
            Invalidate();
            return;
        }
        SetText(g->CurrentCell());
    }
    FDropChar = true;
    if (Key == VK_TAB && g->Options().Contains(goTabs)) {
        P::TabStep(g, Shift);
        Key = 0;
        return;
    }
    const Word k = Key;
    Key = 0;
    P::Done(g, k, Shift);
    P::ReopenIfAutoEdit(g);
}

void TGridSpin::KeyPress(QChar& Key)
{
    if (FDropChar) {
        FDropChar = false;
        Key = QChar();
        return;
    }
    if (Key == QChar(char16_t(9)) || Key == QChar(char16_t(13)) || Key == QChar(char16_t(27))) {
        Key = QChar();
        return;
    }
    TAsgSpinEdit::KeyPress(Key);
}

void TGridSpin::DoExit()
{
    if (FGrid && Visible() && !P::BlockKill(FGrid)) FGrid->HideInplaceEdit();
    TAsgSpinEdit::DoExit();
}

void TGridSpin::WndProc(TMessage& m)
{
    // Page and arrow keys take the grid editor's own rules (ending keys and
    // page steps within the limits), not the spin edit's stepping.
    if (m.Msg == WM_KEYDOWN
        && (m.WParam == VK_PRIOR || m.WParam == VK_NEXT || m.WParam == VK_UP || m.WParam == VK_DOWN)) {
        TAsgEdgeButtonEdit::WndProc(m);
        return;
    }
    TAsgSpinEdit::WndProc(m);
    if (m.Msg == CM_WANTSPECIALKEY && FGrid) P::ClaimKeys(m, FGrid->Options().Contains(goTabs));
}

// ---- TGridEditBtn --------------------------------------------------------------------------

namespace {

// The ending keys of the button edits.
bool EditBtnEndingKey(Word Key)
{
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP
           || Key == VK_DOWN;
}

// Key-down of a button edit (shared by the plain and the unit edit); true
// when the key was handled here.
template <class Edit>
bool ButtonEditKeyDown(Edit* e, TAdvStringGrid* g, Word& Key, TShiftState Shift, bool& DropChar)
{
    HideInvalidEntryBalloon();
    if (!EditBtnEndingKey(Key) && Key != VK_F4) {
        if (g->OnKeyDown) g->OnKeyDown(g, Key, Shift);
        return false;
    }
    if (Shift.Contains(ssCtrl)) return false;
    if (Key == VK_F4) {
        if (!Shift.Contains(ssAlt) && g->OnEllipsClick) {
            QString s = e->Text();
            g->OnEllipsClick(g, g->Col(), g->Row(), s);
            if (s != e->Text()) e->SetText(s);
        }
        Key = 0;
        return true;
    }
    const TEditorType control = g->CurrentEditor();
    if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN || (Key == VK_TAB && g->TabEndsEdit())) {
        const bool ok = P::Validate(g, e->Text());
        e->SetText(P::NewCellText(g));
        if (!ok) {
            e->SelectAll();
            e->Invalidate();
            Key = 0;
            DropChar = true;
            return true;
        }
        if (Key == VK_TAB) {
            DropChar = true;
            if (P::TabStep(g, Shift)) {
                Key = 0;
                return true;
            }
        }
    }
    (void)control;
    if (Key == VK_ESCAPE) e->SetText(P::CellCache(g));
    DropChar = true;
    const Word k = Key;
    Key = 0;
    P::Done(g, k, Shift);
    return true;
}

// Characters of a button edit by the cell's type; false drops it.
bool ButtonEditChar(TCustomEdit* e, TAdvStringGrid* g, QChar& Key)
{
    if (Key == QChar(char16_t(13)) || Key == QChar(char16_t(9))) return false;
    const TEditorType t = g->CurrentEditor();
    switch (t) {
    case edEditBtn: case edMaskEditBtn: case edUnitEditBtn:
        return true;
    case edNumericEditBtn: case edFloatEditBtn: case edNumericUnitEditBtn: case edFloatUnitEditBtn: {
        bool beep = false;
        const TEditorType rule = (t == edNumericEditBtn || t == edNumericUnitEditBtn) ? edNumeric : edFloat;
        const bool ok = NumericCharAccepted(rule, Key, e->Text(), e->SelStart(), e->SelText(),
                                            KeyboardStateToShiftState().Contains(ssCtrl), beep);
        if (!ok && beep) MessageBeep(0);
        return ok;
    }
    default:
        return false;
    }
}

// A filtered paste into a button edit.
void ButtonEditPaste(TCustomEdit* e, TAdvStringGrid* g)
{
    QString S = Clipboard().AsText();
    bool Allow = Clipboard().HasFormat(CF_TEXT) || !S.isEmpty();
    if (g->OnClipboardPaste) g->OnClipboardPaste(e, Allow);
    if (!Allow) return;
    if (g->OnClipboardBeforePasteCell) g->OnClipboardBeforePasteCell(e, g->Col(), g->Row(), Allow, S);
    if (!Allow) return;
    const int crlf = int(S.indexOf(QStringLiteral("\r\n")));
    if (crlf >= 0 && crlf == int(S.size()) - 2) S.chop(2);
    const QString text = e->Text();
    const int start = e->SelStart(), len = e->SelLength();
    const QString newText = text.left(start) + S + text.mid(start + len);
    if (g->MaxEditLength() > 0 && int(newText.size()) > g->MaxEditLength()) return;
    const TEditorType t = g->CurrentEditor();
    if (!PasteAccepted(t, newText, g->ValidChars())) return;
    e->SetText(newText);
    g->SetCurrentCell(newText);
    e->SetSelStart(len > 0 ? start : start + int(S.size()));
    e->SetSelLength(len > 0 ? int(S.size()) : 0);
}

}  // namespace

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TAsgEditBtn(AOwner)
{
    FGrid = dynamic_cast<TAdvStringGrid*>(AOwner);
}

void TGridEditBtn::ClickButton(TObject* Sender)
{
    TAsgEditBtn::ClickButton(Sender);
    TAdvStringGrid* g = FGrid;
    if (!g) return;
    const QString s = g->DoEllipsClick(g->RealCol(), g->Row(), Text());
    SetText(s);
    SelectAll();
    Invalidate();
    if (FStopEditAfterClick) P::Leave(g);
}

void TGridEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    FDropChar = false;
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    if (FGrid && Visible() && ButtonEditKeyDown(this, FGrid, Key, Shift, FDropChar)) return;
    TAsgEditBtn::KeyDown(Key, Shift);
}

void TGridEditBtn::KeyPress(QChar& Key)
{
    if (FDropChar) {
        FDropChar = false;
        Key = QChar();
        return;
    }
    if (FGrid) {
        P::GridKeyPress(FGrid, Key);
        if (!Key.isNull() && !ButtonEditChar(this, FGrid, Key)) Key = QChar();
        if (Key.isNull()) return;
    }
    TAsgEditBtn::KeyPress(Key);
}

void TGridEditBtn::KeyUp(Word& Key, TShiftState Shift)
{
    if (FGrid && FGrid->OnKeyUp) FGrid->OnKeyUp(FGrid, Key, Shift);
    TAsgEditBtn::KeyUp(Key, Shift);
    if (!FGrid || !WorkMode || !FGrid->Lookup() || SelLength() != 0) return;
    const QString typed = Text().left(SelStart());
    const QString done = LookupCompletion(typed, FGrid->LookupItems(), FGrid->LookupCaseSensitive());
    if (done.isEmpty() || done == Text()) return;
    SetText(done);
    SetSelStart(int(typed.size()));
    SetSelLength(int(done.size() - typed.size()));
}

void TGridEditBtn::Change()
{
    TAsgEditBtn::Change();
    if (FGrid && Visible()) FGrid->EditProcessChange(Text());
    if (FGrid && Visible() && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridEditBtn::DoExit()
{
    if (FGrid && Visible() && !P::BlockKill(FGrid)) FGrid->HideInplaceEdit();
    TAsgEditBtn::DoExit();
}

void TGridEditBtn::DblClick()
{
    TAsgEditBtn::DblClick();
    if (FGrid && FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridEditBtn::WndProc(TMessage& m)
{
    if (m.Msg == WM_PASTE && FGrid && !ReadOnly()) {
        ButtonEditPaste(this, FGrid);
        return;
    }
    TAsgEditBtn::WndProc(m);
    if (m.Msg == CM_WANTSPECIALKEY && FGrid) P::ClaimKeys(m, FGrid->TabEndsEdit());
}

// ---- TGridUnitEditBtn -----------------------------------------------------------------------

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TAsgUnitEditBtn(AOwner)
{
    FGrid = dynamic_cast<TAdvStringGrid*>(AOwner);
    OnUnitChanged = [this](TObject*, const QString& NewUnit) {
        if (FGrid) FGrid->DoUnitChange(FGrid->RealCol(), FGrid->Row(), NewUnit);
    };
}

void TGridUnitEditBtn::ClickButton(TObject* Sender)
{
    TAsgUnitEditBtn::ClickButton(Sender);
}

void TGridUnitEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    FDropChar = false;
    if (FGrid && Visible()) {
        // The validated text is the number followed by its unit.
        const QString unit = UnitID();
        if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN || Key == VK_TAB) {
            HideInvalidEntryBalloon();
            if (!P::Validate(FGrid, TextAndUnit())) {
                SetTextAndUnit(P::NewCellText(FGrid));
                SelectAll();
                Key = 0;
                FDropChar = true;
                return;
            }
            if (Key == VK_TAB && P::TabStep(FGrid, Shift)) {
                Key = 0;
                FDropChar = true;
                return;
            }
        }
        if (EditBtnEndingKey(Key)) {
            if (Key == VK_ESCAPE) SetTextAndUnit(P::CellCache(FGrid));
            (void)unit;
            const Word k = Key;
            Key = 0;
            FDropChar = true;
            P::Done(FGrid, k, Shift);
            return;
        }
    }
    TAsgUnitEditBtn::KeyDown(Key, Shift);
}

void TGridUnitEditBtn::KeyPress(QChar& Key)
{
    if (FDropChar || Key == QChar(char16_t(13))) {
        FDropChar = false;
        Key = QChar();
        return;
    }
    if (FGrid && !ButtonEditChar(this, FGrid, Key)) {
        Key = QChar();
        return;
    }
    TAsgUnitEditBtn::KeyPress(Key);
}

void TGridUnitEditBtn::DoExit()
{
    if (FGrid && Visible() && !P::BlockKill(FGrid)) FGrid->HideInplaceEdit();
    TAsgUnitEditBtn::DoExit();
}

void TGridUnitEditBtn::WndProc(TMessage& m)
{
    if (m.Msg == WM_PASTE && FGrid && !ReadOnly()) {
        ButtonEditPaste(this, FGrid);
        return;
    }
    TAsgUnitEditBtn::WndProc(m);
    if (m.Msg == CM_WANTSPECIALKEY && FGrid) P::ClaimKeys(m, FGrid->TabEndsEdit());
}

// ---- TGridDatePicker ---------------------------------------------------------------------

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TAsgDateTimePicker(AOwner)
{
    FGrid = dynamic_cast<TAdvStringGrid*>(AOwner);
    SetBorderStyle(pbsNone);
}

bool TGridDatePicker::FieldDone(TDateTimeKind Kind, const QString& Format, int ChangedField)
{
    // Fields: 0 day, 1 month, 2 year, 3 hour, 4 minute, 5 second.
    if (Kind == dtkTime) return ChangedField >= 3;
    if (!Format.isEmpty()) {
        // Not after the format's last field.
        QChar last;
        for (QChar c : Format)
            if (c.isLetter()) last = c.toLower();
        const int lastField = last == u'd' ? 0 : last == u'm' ? 1 : 2;
        return ChangedField != lastField;
    }
    return ChangedField == 0 || ChangedField == 1;
}

void TGridDatePicker::KeyDown(Word& Key, TShiftState Shift)
{
    TAdvStringGrid* g = FGrid;
    if (!g || !Visible()) {
        TAsgDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    HideInvalidEntryBalloon();
    FOldDropped = DroppedDown();
    if (Key == VK_ESCAPE) {
        TDateTime d = 0;
        if (TryStrToDateTime(g->CurrentCell(), d)) SetDateTime(d);
    }
    if (Key == VK_RETURN) {
        if (!P::Validate(g, DateToStr(Date()))) {
            P::SetNoAutoAdvance(g, true);
            Key = 0;
            FDropChar = true;
            return;
        }
    }
    if (Key == VK_TAB && g->TabEndsEdit()) {
        if (!P::Validate(g, DateToStr(Date()))) {
            Key = 0;
            FDropChar = true;
            return;
        }
        FDropChar = true;
        if (P::TabStep(g, Shift)) {
            Key = 0;
            return;
        }
    }
    const bool ending = Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_TAB || Key == VK_UP || Key == VK_DOWN;
    if ((Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt)) {
        TAsgDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    if (ending && !FOldDropped) {
        const Word k = Key;
        Key = 0;
        FDropChar = true;
        P::Done(g, k, Shift);
        return;
    }
    TAsgDateTimePicker::KeyDown(Key, Shift);
}

void TGridDatePicker::KeyPress(QChar& Key)
{
    if (FDropChar) {
        FDropChar = false;
        Key = QChar();
        return;
    }
    TAsgDateTimePicker::KeyPress(Key);
    if (FGrid && Key.isDigit()) PostMessage(this, GridDTPShiftFocusMessage(), 0, 0);
}

void TGridDatePicker::DoExit()
{
    if (FGrid && Visible() && !P::BlockKill(FGrid) && !DroppedDown()) FGrid->HideInplaceEdit();
    TAsgDateTimePicker::DoExit();
}

void TGridDatePicker::WndProc(TMessage& m)
{
    if (m.Msg != 0 && m.Msg == GridDTPShiftFocusMessage()) {
        NextField();
        return;
    }
    TAsgDateTimePicker::WndProc(m);
    if (m.Msg == CM_WANTSPECIALKEY && FGrid) P::ClaimKeys(m, FGrid->TabEndsEdit());
}

// ---- TGridDateTimePicker -------------------------------------------------------------------

TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner) : TAdvDateTimePicker(AOwner)
{
    FGrid = dynamic_cast<TAdvStringGrid*>(AOwner);
    SetAutoTab(true);
}

void TGridDateTimePicker::KeyDown(Word& Key, TShiftState Shift)
{
    TAdvStringGrid* g = FGrid;
    if (!g || !Visible()) {
        TAdvDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        SetDateTime(g->FOriginalDateTime);
        Key = 0;
        P::Leave(g);
        return;
    }
    if (Key == VK_RETURN) {
        Key = 0;
        P::Leave(g);
        if (g->Navigation()->AdvanceOnEnter()) g->AdvanceCell(g->Col(), g->Row(), false, false, true, true, false);
        return;
    }
    if (Key == VK_TAB) {
        g->SetCurrentCell(DateTimeEditorText(DateTime()));
        Key = 0;
        P::TabStep(g, Shift);
        return;
    }
    TAdvDateTimePicker::KeyDown(Key, Shift);
}

void TGridDateTimePicker::WndProc(TMessage& m)
{
    TAdvDateTimePicker::WndProc(m);
    if (m.Msg == CM_WANTSPECIALKEY && FGrid) P::ClaimKeys(m, true);
}

// ---- TGridCheckBox -------------------------------------------------------------------------

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner)
{
    FGrid = dynamic_cast<TAdvStringGrid*>(AOwner);
}

void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        // Once per press: the auto-repeat of a held Space changes nothing.
        if (!FSpaceDown) SetChecked(!Checked());
        FSpaceDown = true;
        Key = 0;
        return;
    }
    if (FGrid && (Key == VK_RETURN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_LEFT
                  || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)) {
        const Word k = Key;
        Key = 0;
        P::Done(FGrid, k, Shift);
        return;
    }
    TCheckBox::KeyDown(Key, Shift);
}

void TGridCheckBox::KeyUp(Word& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        FSpaceDown = false;
        Key = 0;
        return;
    }
    TCheckBox::KeyUp(Key, Shift);
}

void TGridCheckBox::DoExit()
{
    if (FGrid && Visible() && !P::BlockKill(FGrid)) FGrid->HideInplaceEdit();
    TCheckBox::DoExit();
}

void TGridCheckBox::WndProc(TMessage& m)
{
    TCheckBox::WndProc(m);
    if (m.Msg == CM_WANTSPECIALKEY) P::ClaimKeys(m, false);
}

// ---- TGridButton -----------------------------------------------------------------------------

TGridButton::TGridButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    FGrid = dynamic_cast<TAdvStringGrid*>(AOwner);
    SetTabStop(true);
}

void TGridButton::Click()
{
    TCustomControl::Click();
    TAdvStringGrid* g = FGrid;
    if (!g) return;
    const QString s = g->DoEllipsClick(g->RealCol(), g->Row(), Caption());
    SetCaption(s);
    g->SetCurrentCell(s);
    g->GridButtonClick(this);
}

void TGridButton::Paint()
{
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    c->Brush()->SetColor(FPressed ? clBtnShadow : clBtnFace);
    c->FillRect(r);
    c->Pen()->SetColor(Focused() ? clHighlight : clBtnShadow);
    c->Rectangle(r);
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    const QString t = Caption();
    const int tw = c->TextWidth(t), th = c->TextHeight(t);
    c->TextOut((r.Width() - tw) / 2, (r.Height() - th) / 2, t);
}

void TGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) {
        FPressed = true;
        Invalidate();
    }
}

void TGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FPressed) return;
    FPressed = false;
    Invalidate();
    if (X >= 0 && Y >= 0 && X < Width() && Y < Height()) Click();
}

void TGridButton::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        FSpaceDown = true;
        Key = 0;
        return;
    }
    if (FGrid && Key == VK_ESCAPE) {
        SetCaption(P::CellCache(FGrid));
        FGrid->SetCurrentCell(P::CellCache(FGrid));
        Key = 0;
        P::Leave(FGrid);
        return;
    }
    if (FGrid && (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)) {
        const Word k = Key;
        Key = 0;
        P::Done(FGrid, k, Shift);
        return;
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TGridButton::KeyUp(Word& Key, TShiftState Shift)
{
    // A release clicks only after a press this button saw.
    if (Key == VK_SPACE && FSpaceDown) {
        FSpaceDown = false;
        Key = 0;
        Click();
        return;
    }
    TCustomControl::KeyUp(Key, Shift);
}

void TGridButton::DoExit()
{
    FSpaceDown = false;
    if (FGrid && Visible() && !P::BlockKill(FGrid)) FGrid->HideInplaceEdit();
    TCustomControl::DoExit();
}

void TGridButton::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TCustomControl::WndProc(m);
    if (m.Msg == CM_WANTSPECIALKEY && (m.WParam == VK_ESCAPE || m.WParam == VK_LEFT || m.WParam == VK_RIGHT
                                       || m.WParam == VK_UP || m.WParam == VK_DOWN))
        m.Result = 1;
}
