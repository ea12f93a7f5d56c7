// The string grid's keyboard: the key-down and character messages, the
// platform's key handlers overridden, the Tab step and the Enter advance.

#include "AdvGrid.h"

#include "AdvGridLook.h"
#include "Forms.h"
#include "FormatSettings.h"

#include <algorithm>

namespace {

bool IsArrow(Word k) { return k == VK_LEFT || k == VK_RIGHT || k == VK_UP || k == VK_DOWN; }

bool IsPageKey(Word k) { return k >= VK_PRIOR && k <= VK_DOWN; }

} // namespace

TShiftState TAdvStringGrid::HeldModifiers() { return KeyboardStateToShiftState() * TShiftState{ssShift, ssAlt, ssCtrl}; }

// ---- terms --------------------------------------------------------------------------

int TAdvStringGrid::FirstNormalCol()
{
    return FixedCols() == 0 && HasNodes() ? 1 : FixedCols();
}

int TAdvStringGrid::LastTabCol() const
{
    int visibleRight = 0;
    for (int i = 0; i < FixedRightCols(); ++i)
        if (!IsHiddenColumn(TotalColCount() - 1 - i)) ++visibleRight;
    return ColCount() - visibleRight - 1;
}

bool TAdvStringGrid::CheckAlwaysActiveSetting() const
{
    return FControlLook && FControlLook->CheckAlwaysActive();
}

bool TAdvStringGrid::ToggleCheckBoxCell(int RCol, int ARow)
{
    DoToggleCheckBox(RCol, ARow, true);
    if (ShowModifiedEnabled()) {
        SetRowModified(ARow, true);
        RepaintCell(0, ARow);
    }
    bool state = false;
    GetCheckBoxState(RCol, RealRowIndex(ARow), state);
    return state;
}

void TAdvStringGrid::FireKeyDown(Word Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TAdvStringGrid::ReportSelectionChange()
{
    const TGridRect s = Selection();
    if (s == FMoveSelection) return;
    FMoveSelection = s;
    SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
}

// ---- the key-down message -----------------------------------------------------------

bool TAdvStringGrid::WMKeyDown(TMessage& m)
{
    const Word key = Word(m.WParam);
    const TShiftState shift = HeldModifiers();
    const bool ctrl = shift.Contains(ssCtrl);
    auto swallow = [&m]() {
        m.WParam = 0;
        m.Result = 1;
        return false;
    };
    FMoveSelection = Selection();

    if (FNavigation->MoveScrollOnly() && (IsPageKey(key) && key != VK_LEFT && key != VK_RIGHT)) {
        const int vis = VisibleRowCount();
        int top = TopRow();
        switch (key) {
        case VK_PRIOR: top = vis + FixedRows() < top ? top - vis : FixedRows(); break;
        case VK_NEXT: if (top + vis < RowCount()) top += vis; break;
        case VK_END: top = RowCount() - vis; break;
        case VK_HOME: top = FixedRows(); break;
        case VK_UP: if (top > FixedRows()) --top; break;
        case VK_DOWN: if (top + vis < RowCount()) ++top; break;
        default: break;
        }
        SetTopRow(std::min(top, MaxTopRow()));
        return swallow();
    }

    const bool enterOrF2 = key == VK_RETURN || key == VK_F2;
    if (FMouseActions->EditOnDblClickOnly() && !Options().Contains(goEditing) && enterOrF2) {
        const bool old = FMouseActions->RangeSelectAndEdit();
        FMouseActions->SetRangeSelectAndEdit(true);
        const bool editable = EditableByRule(RealCol(), Row());
        FMouseActions->SetRangeSelectAndEdit(old);
        if (editable) SetOptions(Options() + goEditing);
    }
    if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing) && enterOrF2) {
        if (!EditableByRule(RealCol(), Row()) || IsControlCell(RealCol(), Row())) {
            FireKeyDown(key, shift);
            return swallow();
        }
        SetOptions(Options() + goEditing);
        ShowInplaceEdit();
    }
    const bool htmlControl = EnableHTML() && Cells(RealCol(), Row()).toUpper().contains(QLatin1String("<CONTROL"));
    if (enterOrF2) {
        if (Options().Contains(goEditing) && !IsEditable(RealCol(), Row()) && !IsControlCell(RealCol(), Row())) {
            FireKeyDown(key, shift);
            return swallow();
        }
        if (htmlControl) {
            m.Result = 1;
            return false;
        }
    }
    if (key == VK_RETURN && !IsEditable(RealCol(), Row()) && !IsControlCell(RealCol(), Row())) {
        if (TCustomForm* f = GetParentForm(this); f && f->KeyPreview()) return true;
        FireKeyDown(key, shift);
        return swallow();
    }
    if (key == VK_RETURN || key == VK_SPACE) SpaceOnControlCell(key);
    if ((key == VK_HOME || key == VK_END) && HomeEndKey(key, shift)) return swallow();

    if (key == VK_TAB && Options().Contains(goTabs) && !shift.Contains(ssAlt) && !ctrl) {
        FireKeyDown(key, shift);
        TabNavigate(shift.Contains(ssShift));
        ReportSelectionChange();
        return swallow();
    }
    if (!FNavigation->LeftRightRowSelect() && (key == VK_LEFT || key == VK_RIGHT) && Options().Contains(goRowSelect)
        && VisibleColCount() < ColCount()) {
        if (key == VK_LEFT && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
        if (key == VK_RIGHT && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
        FireKeyDown(key, shift);
        m.WParam = 0;
        m.Result = 0;
        return false;
    }
    if (FNavigation->SkipFixedCells() && IsArrow(key) && !shift.Contains(ssShift) && SkipFixedCellsKey(key)) {
        FireKeyDown(key, shift);
        return swallow();
    }
    const bool lastRow = Row() + 1 == RowCount() - FixedFooters();
    if (key == VK_DOWN && lastRow && FNavigation->AppendOnArrowDown()) AppendRowOnArrowDown();
    if (ctrl && key == 'F' && SearchFooterVisible() && FocusSearchFooterEdit()) return swallow();
    if (ClipboardKey(key, shift)) return swallow();
    if (InsertDeleteKey(key, shift)) return swallow();
    if (key == 'A' && ctrl && (Options().Contains(goRowSelect) || Options().Contains(goRangeSelect))) {
        const TGridRect all{FirstNormalCol(), FixedRows(), LastNormalCol(), LastNormalRow()};
        FireKeyDown(key, shift);
        if (all.Right >= all.Left && all.Bottom >= all.Top) {
            if (FMouseActions->DisjunctRowSelect()) SelectRows(all.Top, all.Bottom - all.Top + 1);
            SetSelection(all);
        }
        ReportSelectionChange();
        return swallow();
    }
    return true;
}

bool TAdvStringGrid::SpaceOnControlCell(Word Key)
{
    const int c = RealCol(), r = Row();
    if (!IsControlCell(c, r)) return false;
    const bool permitted =
        (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit()) && EditableByRule(c, r);
    if (Key == VK_SPACE && HasCheckBox(c, r) && (permitted || CheckAlwaysActiveSetting())) {
        CheckBoxClick(c, r, ToggleCheckBoxCell(c, r));
    } else if (HasButton(c, r) && permitted) {
        DoButtonClick(c, r);
    }
    RepaintCell(Col(), r);
    return true;
}

bool TAdvStringGrid::HomeEndKey(Word Key, TShiftState Shift)
{
    const THomeEndAction he = FNavigation->HomeEndKey();
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool rowSelect = Options().Contains(goRowSelect);
    const bool onlyFixed = FixedRowAlways() && RowCount() == 1;
    const bool home = Key == VK_HOME;
    auto done = [&]() {
        FireKeyDown(Key, Shift);
        SnapToBaseCell();
        return true;
    };
    if (he == heFirstLastCell && !ctrl) {
        if (home) MoveCurrentCell(FixedCols(), FixedRows());
        else MoveCurrentCell(ColCount() - 1, RowCount() - 1);
        return done();
    }
    if (he == heFirstLastRow && !ctrl) {
        if (onlyFixed) return false;
        const int left = LeftCol();
        if (home) {
            SetRow(FixedRows());
        } else {
            SetRow(LastNormalRow());
            if (FixedFooters() > 0) SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
        }
        if (rowSelect && FNavigation->KeepHorizScroll()) SetLeftCol(left);
        return done();
    }
    if (he == heFirstLastColumn && home && ctrl) {
        SetRow(FixedRows());
        const int c = FirstTabStop(FixedRows());
        if (c >= 0) SetCol(c);
        SetLeftCol(FirstNormalCol());
        return done();
    }
    if (he == heFirstLastColumn && !ctrl && !rowSelect) {
        if (onlyFixed) return false;
        if (Shift.Contains(ssShift)) {
            const int to = home ? FixedCols() : LastNormalCol();
            SetSelection(TGridRect{std::min(Col(), to), Row(), std::max(Col(), to), Row()});
            RepaintRow(Row());
            FireKeyDown(Key, Shift);
            return true;
        }
        if (home) {
            const int c = FirstTabStop(Row());
            if (c >= 0) SetCol(c);
            SetLeftCol(FirstNormalCol());
        } else {
            SetCol(ColCount() - 1);
            SetLeftCol(std::max(FixedCols(), std::min(MaxLeftCol(), ColCount() - VisibleColCount())));
        }
        return done();
    }
    return false;
}

bool TAdvStringGrid::SkipFixedCellsKey(Word Key)
{
    int dc = 0, dr = 0;
    switch (Key) {
    case VK_LEFT: dc = UseRightToLeftAlignment() ? 1 : -1; break;
    case VK_RIGHT: dc = UseRightToLeftAlignment() ? -1 : 1; break;
    case VK_UP: dr = -1; break;
    case VK_DOWN: dr = 1; break;
    default: return false;
    }
    const int c0 = Col(), r0 = Row();
    auto inNormalArea = [this](int c, int r) {
        return c >= FixedCols() && c <= LastNormalCol() && r >= FixedRows() && r <= LastNormalRow();
    };
    // Only cells fixed inside the normal area are skipped; the fixed rows and
    // columns around it are the edge, where the cursor advance decides.
    if (!inNormalArea(c0 + dc, r0 + dr) || !IsFixed(c0 + dc, r0 + dr) || (dr != 0 && Options().Contains(goRowSelect)))
        return false;
    int c = c0 + dc, r = r0 + dr;
    while (inNormalArea(c, r) && IsFixed(c, r)) {
        c += dc;
        r += dr;
    }
    // The neighbour was fixed: the key is taken even when no cell lies beyond.
    if (inNormalArea(c, r)) MoveCurrentCell(c, r);
    return true;
}

bool TAdvStringGrid::ClipboardKey(Word Key, TShiftState Shift)
{
    if (!FNavigation->AllowClipboardShortCuts()) return false;
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    using TEvent = std::function<void(TObject*, bool&)>;
    auto run = [this](const TEvent& ev, void (TAdvStringGrid::*op)()) {
        bool allow = true;
        if (ev) ev(this, allow);
        if (allow) (this->*op)();
        return true;
    };
    if ((ctrl && Key == 'X') || (shift && Key == VK_DELETE))
        return run(OnClipboardCut, &TAdvStringGrid::CutSelectionToClipboard);
    if ((ctrl && Key == 'V') || (shift && Key == VK_INSERT))
        return run(OnClipboardPaste, &TAdvStringGrid::PasteSelectionFromClipboard);
    if (ctrl && (Key == 'C' || Key == VK_INSERT)) return run(OnClipboardCopy, &TAdvStringGrid::CopySelectionToClipboard);
    return false;
}

bool TAdvStringGrid::InsertDeleteKey(Word Key, TShiftState Shift)
{
    const bool plain = !Shift.Contains(ssCtrl) && !Shift.Contains(ssShift) && !Shift.Contains(ssAlt);
    if (Key == VK_INSERT && plain && FNavigation->AllowInsertRow()) {
        const int cur = Row();
        bool can = true;
        if (OnCanInsertRow) OnCanInsertRow(this, cur, can);
        if (!can) return true;
        const bool after = FNavigation->InsertPosition() == pInsertAfter;
        int at = after ? cur + 1 : cur;
        if (after && FixedRowAlways() && FixedRows() == RowCount()) at = cur;
        InsertRowAt(at);
        if (OnAutoInsertRow) OnAutoInsertRow(this, at);
        FGridModified = true;
        const int back = after && cur + 1 < RowCount() ? cur + 1 : cur;
        if (back >= FixedRows() && back < RowCount()) SetRow(back);
        CalcFooter(-1);
        return true;
    }
    if (Key == VK_DELETE && !Shift.Contains(ssAlt) && FNavigation->AllowDeleteRow() && LastNormalRow() >= FixedRows()) {
        const int cur = Row();
        bool can = true;
        if (OnCanDeleteRow) OnCanDeleteRow(this, RealRowIndex(cur), can);
        if (!can) return true;
        DeleteRowAt(cur);
        if (Row() > LastNormalRow() && LastNormalRow() >= FixedRows()) SetRow(LastNormalRow());
        FGridModified = true;
        CalcFooter(-1);
        return true;
    }
    return false;
}

void TAdvStringGrid::AppendRowOnArrowDown()
{
    bool can = true;
    if (OnCanAddRow) OnCanAddRow(this, can);
    if (!can) return;
    SetRowCount(RowCount() + 1);
    for (int c = 0; c < TotalColCount(); ++c) SetAllGridCells(c, RowCount() - 1, QString());
    if (FixedFooters() > 0) SetRow(std::min(Row() + 1, LastNormalRow()));
    if (OnAutoAddRow) OnAutoAddRow(this, LastNormalRow());
}

// ---- after the platform moved ---------------------------------------------------------

void TAdvStringGrid::KeyDown(Word& Key, TShiftState Shift)
{
    FLastKeyCell = TGridCoord{Col(), Row()};
    // With the editor open the key came from it: its character follows.
    FEnterFromEditor = Key == VK_RETURN && EditorShown();
    const bool ctrl = Shift.Contains(ssCtrl);
    if (FNavigation->CursorMoveRows() && ctrl && (Key == VK_DOWN || Key == VK_UP)) {
        const TGridRect s = Selection();
        const int count = s.Bottom - s.Top + 1;
        const bool down = Key == VK_DOWN;
        if (down ? s.Bottom < RowCount() - 1 : s.Top > FixedRows()) {
            const int to = s.Top + (down ? 1 : -1);
            if (count == 1) {
                MoveRow(s.Top, to);
                SetRow(to);
            } else {
                MoveRows(s.Top, down ? s.Top + 1 : s.Top - 1, count);
                SetSelection(TGridRect{FixedCols(), to, ColCount() - 1, to + count - 1});
            }
        }
        FireKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    TBaseGrid::KeyDown(Key, Shift);
    const TCursorAdvance adv = FNavigation->CursorAdvance();
    if (adv != caDefault && !Shift.Contains(ssShift)) {
        const bool snake = adv == caSnake;
        const int lc = FLastKeyCell.X, lr = FLastKeyCell.Y;
        if (Key == VK_LEFT && lc == FixedCols()) {
            const int r = snake && Row() > FixedRows() ? Row() - 1 : Row();
            MoveCurrentCell(LastNormalCol(), r);
        } else if (Key == VK_UP && lr == FixedRows()) {
            const int c = snake && Col() > FixedCols() ? Col() - 1 : Col();
            MoveCurrentCell(c, LastNormalRow());
        } else if (Key == VK_RIGHT && lc == ColCount() - 1) {
            const int r = snake && Row() < LastNormalRow() ? Row() + 1 : Row();
            MoveCurrentCell(FixedCols(), r);
        } else if (Key == VK_DOWN && lr == RowCount() - 1) {
            const int c = snake && Col() < LastNormalCol() ? Col() + 1 : Col();
            MoveCurrentCell(c, FixedRows());
        }
    }
    if (FUseEnabledRows && FNavigation->SkipDisabledRows() && Row() == FLastKeyCell.Y && !RowEnabled(Row())) {
        if (Key == VK_UP)
            for (int r = Row() - 1; r >= FixedRows(); --r)
                if (RowEnabled(r)) { SetRow(r); break; }
        if (Key == VK_DOWN)
            for (int r = Row() + 1; r < RowCount(); ++r)
                if (RowEnabled(r)) { SetRow(r); break; }
    }
    if (auto* g = dynamic_cast<TAdvStringGrid*>(FSyncGrid->Grid())) {
        if (FSyncGrid->SelectionColumn() && Col() < g->ColCount()) g->SetCol(Col());
    }
}

// ---- characters -------------------------------------------------------------------------

void TAdvStringGrid::WMChar(TMessage& m)
{
    QChar ch(char16_t(m.WParam));
    const int c = RealCol(), r = Row();
    if (EnableHTML() && Cells(c, r).toUpper().contains(QLatin1String("<CONTROL"))) {
        m.Result = 1;
        return;
    }
    if (FMouseActions->EditOnDblClickOnly() && IsEditable(c, r)) SetOptions(Options() + goEditing);
    const bool ctrl = HeldModifiers().Contains(ssCtrl);
    const ushort u = ch.unicode();
    if (FNavigation->AllowClipboardShortCuts() && ctrl && (u == 3 || u == 22 || u == 24)) {
        m.WParam = 0;
        return;
    }
    if (FMouseActions->RangeSelectAndEdit() && !IsControlCell(c, r) && u != 9 && u != 27 && !ctrl) {
        if (EditableByRule(c, r)) {
            SetOptions(Options() + goEditing);
            if (OnKeyPress) OnKeyPress(this, ch);
            FStartEditChar = ch;
            if (!ch.isNull() && !EditorShown()) ShowEditorChar(ch);
            m.WParam = 0;
            return;
        }
    }
    if (ExcelStyleDecimalSeparator() && ch == QLatin1Char('.') && (m.LParam & KF_KEYPAD_BIT))
        ch = DefaultFormatSettings().DecimalSeparator;
    if (Options().Contains(goEditing) && (u == 8 || (u >= 32 && u <= 255)) && !EditorShown()) {
        if (OnKeyPress) OnKeyPress(this, ch);
        FStartEditChar = ch;
        if (!ch.isNull() && !IsControlCell(c, r) && IsEditable(c, r)) ShowEditorChar(ch);
        m.WParam = 0;
        return;
    }
    m.WParam = ch.unicode();
    TBaseGrid::WndProc(m);
}

void TAdvStringGrid::KeyPress(QChar& Key)
{
    const ushort u = Key.unicode();
    const int c = RealCol(), r = Row();
    if (u == 27) {
        if (Options().Contains(goEditing) && FEditing) RestoreCellCache();
        if (OnKeyPress) OnKeyPress(this, Key);
        Key = QChar();
        return;
    }
    if (u == 13) {
        const bool control = IsControlCell(c, r);
        if (!FNavigation->AdvanceOnEnter() && !IsEditable(c, r) && !control) {
            if (OnKeyPress) OnKeyPress(this, Key);
            Key = QChar();
            return;
        }
        const bool fromEditor = FEnterFromEditor;
        FEnterFromEditor = false;
        if (fromEditor || EditorShown() || !TWinControl::Focused() || control) {
            AdvanceCell(Col(), Row(), EditMode || EditorShown(), false, true, false, false);
            if (!FNavigation->AdvanceAutoEdit()) {
                if (OnKeyPress) OnKeyPress(this, Key);
                Key = QChar();
                return;
            }
            if (control) {
                if (OnKeyPress) OnKeyPress(this, Key);
                if (FNavigation->AdvanceOnEnter()) ShowInplaceEdit();
                Key = QChar();
                return;
            }
        }
    }
    if (!Options().Contains(goEditing) && FNavigation->AutoGotoWhenSorted() && u >= 8 && u != 13 && u != 27) {
        if (FNavigation->AutoGotoIncremental()) {
            if (u == 8) SearchInc.chop(1);
            else SearchInc += Key;
            SearchTics = 0;
        } else {
            SearchInc = Key;
        }
        const int found = Search(SearchInc.toUpper());
        if (found < 0) SearchInc.clear();
        else if (found >= FixedRows() && found < RowCount()) SetRow(found);
    }
    TBaseGrid::KeyPress(Key);
}

void TAdvStringGrid::KeyUp(Word& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_INSERT: case VK_DELETE:
        SearchInc.clear();
        break;
    default: break;
    }
    TBaseGrid::KeyUp(Key, Shift);
    const bool moved = IsArrow(Key) || (Key == VK_TAB && Options().Contains(goTabs));
    if (FNavigation->AlwaysEdit() && moved && !IsControlCell(RealCol(), Row())) ShowInplaceEdit();
    if (moved) ReportSelectionChange();
}

// ---- the Tab step ---------------------------------------------------------------------------

bool TAdvStringGrid::IsTabStop(int ACol, int ARow)
{
    // The platform never takes a current cell outside the normal cells.
    if (ACol < FixedCols() || ARow < FixedRows() || ACol >= ColCount() || ARow >= RowCount()) return false;
    bool can = Options().Contains(goEditing) ? IsEditable(RealColIndex(ACol), ARow) : !IsFixed(ACol, ARow);
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

int TAdvStringGrid::FirstTabStop(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        if (IsTabStop(c, ARow)) return c;
    return -1;
}

int TAdvStringGrid::LastTabStop(int ARow)
{
    for (int c = ColCount() - 1; c >= 0; --c)
        if (IsTabStop(c, ARow)) return c;
    return -1;
}

bool TAdvStringGrid::TryMoveTo(int ACol, int ARow, bool FireChanging)
{
    bool allow = true;
    if (FireChanging) {
        if (OnRowChanging && ARow != Row()) OnRowChanging(this, Row(), ARow, allow);
        if (OnCellChanging && !FDisableChange) OnCellChanging(this, Row(), Col(), ARow, ACol, allow);
        if (OnColChanging && ACol != Col()) OnColChanging(this, Col(), ACol, allow);
    }
    if (allow) MoveCurrentCell(ACol, ARow);
    return allow;
}

bool TAdvStringGrid::TabNavigate(bool Backward)
{
    if (OnKeyDown) {
        Word k = VK_TAB;
        OnKeyDown(this, k, Backward ? TShiftState{ssShift} : TShiftState{});
        if (k != VK_TAB) return true;
    }
    if (Col() == FLastTabCol && Row() == FLastTabRow) return true;
    const bool outer = FLastTabCol < 0;
    if (outer) {
        FLastTabCol = Col();
        FLastTabRow = Row();
    }
    struct TReset {
        TAdvStringGrid* g;
        bool outer;
        ~TReset()
        {
            if (outer) g->FLastTabCol = g->FLastTabRow = -1;
        }
    } reset{this, outer};

    bool result = true;
    auto handOn = [&]() {
        if (TWinControl* p = Parent()) p->PostKey(VK_TAB);
        result = false;
    };
    const bool leftRight = FNavigation->TabAdvanceDirection() == adLeftRight;
    const int fnc = FirstNormalCol(), ltc = LastTabCol(), lnr = LastNormalRow();
    const int c = Col(), r = Row();
    bool further = false;
    if (Backward) {
        if (!leftRight) {
            if (r > FixedRows()) MoveCurrentCell(c, r - 1);
            else MoveCurrentCell(c > fnc ? c - 1 : ltc, lnr);
        } else if (c > fnc) {
            int t = -1;
            for (int k = c - 1; k >= fnc; --k)
                if (IsTabStop(k, r)) { t = k; break; }
            if (t >= 0) {
                MoveCurrentCell(t, r);
            } else {
                const int pr = r > FixedRows() ? r - 1 : lnr;
                const int lt = LastTabStop(pr);
                if (lt >= 0) {
                    MoveCurrentCell(lt, pr);
                    ScrollInView(lt, pr);
                }
            }
        } else {
            int t = -1;
            for (int k = ltc; k >= FixedCols(); --k)
                if (IsTabStop(k, r > FixedRows() ? r - 1 : lnr)) { t = k; break; }
            // A row without tab stops: the first normal column (never left of the normal cells).
            if (t < 0) t = FixedCols();
            MoveCurrentCell(t, r > FixedRows() ? r - 1 : lnr);
        }
        SnapToBaseCell();
    } else {
        int spanX = 0, spanY = 0;
        if (const TCellProperties* p = GridObjects(c, r); p && p->IsBaseCell()) {
            spanX = std::max(0, p->CellSpanX());
            spanY = std::max(0, p->CellSpanY());
        }
        if (!leftRight) {
            if (r + spanY + 1 < RowCount() - FixedFooters()) {
                MoveCurrentCell(c, r + spanY + 1);
            } else if (c < ltc) {
                MoveCurrentCell(c + 1, FixedRows());
            } else {
                MoveCurrentCell(fnc, FixedRows());
                if (FNavigation->TabToNextAtEnd()) handOn();
            }
        } else if (c + spanX < ltc) {
            int t = -1;
            for (int k = c + spanX + 1; k <= ltc; ++k)
                if (IsTabStop(k, r)) { t = k; break; }
            if (t >= 0) {
                MoveCurrentCell(t, r);
            } else if (r < lnr) {
                const TFlagScope force(FForceSel);
                const int ft = FirstTabStop(r + 1);
                TryMoveTo(ft >= 0 ? ft : FixedCols(), r + 1, true);
            } else {
                const int ft = FirstTabStop(FixedRows());
                if (ft >= 0) MoveCurrentCell(ft, FixedRows());
                if (FNavigation->TabToNextAtEnd()) handOn();
            }
            int bc = 0, br = 0;
            further = result && !CheckBaseCell(Col(), Row(), bc, br);
        } else if (r < lnr) {
            int nr = -1, nc = -1;
            for (int k = r + 1; k <= lnr && nr < 0; ++k) {
                const int ft = FirstTabStop(k);
                if (ft >= 0) { nr = k; nc = ft; }
            }
            if (nr >= 0) {
                const TFlagScope force(FForceSel);
                MoveCurrentCell(nc, nr);
            } else {
                MoveCurrentCell(ColCount() - 1, RowCount() - 1);
            }
        } else {
            int target = FixedRows();
            if (!FNavigation->TabToNextAtEnd() && FNavigation->AdvanceInsert()) {
                bool can = true;
                if (OnCanAddRow) OnCanAddRow(this, can);
                if (can) {
                    SetRowCount(RowCount() + 1);
                    target = RowCount() - 1 - FixedFooters();
                    if (OnAutoAddRow) OnAutoAddRow(this, LastNormalRow());
                }
            }
            const int ft = FirstTabStop(target);
            MoveCurrentCell(ft >= 0 ? ft : FixedCols(), target);
            if (FNavigation->TabToNextAtEnd()) handOn();
        }
    }
    if (result && (further || (Options().Contains(goEditing) && !IsEditable(RealCol(), Row()))))
        if (!(Col() == FLastTabCol && Row() == FLastTabRow)) TabNavigate(Backward);
    if (result && FNavigation->AdvanceAutoEdit() && !IsControlCell(RealCol(), Row()) && IsEditable(RealCol(), Row())
        && outer)
        SimulateCellClick(Col(), Row());
    if (outer && FNavigation->AlwaysEdit() && CanFocus()) SetFocus();
    return result;
}

// ---- the Enter advance ----------------------------------------------------------------------

void TAdvStringGrid::AdvanceCell(int ACol, int ARow, bool EditAfter, bool Recursing, bool Forward, bool UseAutoEdit,
                                 bool Force)
{
    if (!FNavigation->AdvanceOnEnter() && !Force) return;
    if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing)) SetOptions(Options() + goEditing);
    if (!Recursing) {
        FAECol = ACol;
        FAERow = ARow;
    } else if (ACol == FAECol && ARow == FAERow) {
        // Every target was read-only: the advance has come round to its start.
        return;
    }
    FStartEditChar = QChar();
    int spanX = 0, spanY = 0;
    if (const TCellProperties* p = GridObjects(ACol, ARow); p && p->IsBaseCell()) {
        spanX = std::max(0, p->CellSpanX());
        spanY = std::max(0, p->CellSpanY());
    }
    (void)spanY;
    const TAdvanceDirection dir = FNavigation->AdvanceDirection();
    const int fnc = FirstNormalCol(), lnr = LastNormalRow(), ltc = LastTabCol();
    int tc = ACol, tr = ARow;
    if (Forward && (dir == adLeftRight || dir == adLeftRightInRow)) {
        if (ACol + spanX < ltc) {
            tc = ACol + spanX + 1;
        } else if (dir == adLeftRightInRow) {
            if (FNavigation->AdvanceOnEnterLoop()) tc = fnc;
        } else if (ARow >= lnr) {
            if (FNavigation->AdvanceInsert()) {
                bool can = true;
                if (OnCanAddRow) OnCanAddRow(this, can);
                tc = fnc;
                if (can) {
                    AddRow();
                    tr = LastNormalRow();
                    if (OnAutoAddRow) OnAutoAddRow(this, LastNormalRow());
                    bool any = false;
                    for (int c = FixedCols(); c < ColCount() && !any; ++c) any = IsEditable(RealColIndex(c), tr);
                    if (!any) return;
                }
            } else if (FNavigation->AdvanceOnEnterLoop()) {
                tc = fnc;
                tr = FixedRows();
            }
        } else {
            tc = fnc;
            tr = ARow + 1;
        }
    } else if (Forward) {
        if (ARow < lnr) {
            tr = ARow + 1;
        } else if (dir == adTopBottomInCol) {
            tr = FixedRows();
        } else {
            if (ACol < LastNormalCol()) {
                tc = ACol + 1 >= ColCount() ? fnc : ACol + 1;
                tr = FixedRows();
            } else if (FNavigation->AdvanceInsert()) {
                SetColCount(ColCount() + 1);
                tc = ACol + spanX + 1;
                tr = FixedRows();
                if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - FixedRightCols() - 1);
            } else {
                tc = fnc;
                tr = FixedRows();
            }
            Invalidate();
        }
    } else if (dir == adLeftRight) {
        if (ACol > fnc) tc = ACol - 1;
        else {
            tc = LastNormalCol();
            tr = ARow > FixedRows() ? ARow - 1 : lnr;
        }
    } else if (dir == adTopBottom) {
        if (ARow > FixedRows()) tr = ARow - 1;
        else {
            tr = lnr;
            tc = ACol > fnc ? ACol - 1 : LastNormalCol();
        }
    }
    tc = std::clamp(tc, 0, ColCount() - 1);
    tr = std::clamp(tr, 0, RowCount() - 1);

    if (EditableByRule(RealColIndex(tc), tr)) {
        bool allow = true;
        int nr = tr, nc = tc;
        if (OnAutoAdvance) OnAutoAdvance(this, FAERow, FAECol, nr, nc, allow);
        if (allow && OnCellChanging) OnCellChanging(this, FAERow, FAECol, nr, nc, allow);
        const TFlagScope noChange(FDisableChange);
        if (allow && nc >= 0 && nc < ColCount() && nr >= 0 && nr < RowCount()) {
            tc = nc;
            tr = nr;
            const TFlagScope force(FForceSel);
            MoveCurrentCell(tc, tr);
        } else {
            CanMoveToCell(ACol, ARow);
            return;
        }
    } else if (FNavigation->AdvanceSkipReadOnlyCells()) {
        AdvanceCell(tc, tr, EditAfter, true, Forward, UseAutoEdit, Force);
        return;
    } else {
        MoveCurrentCell(tc, tr);
    }
    if (!EditAfter) return;
    const bool control = IsControlCell(RealCol(), Row());
    if ((UseAutoEdit && FNavigation->AdvanceAutoEdit()) || control) {
        if (!IsEditable(RealCol(), Row())) return;
        if (!control) ShowInplaceEdit();
    }
    if (FMouseActions->DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
}
