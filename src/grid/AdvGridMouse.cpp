// The string grid's mouse: the left button's press and release with their
// hit areas, the double click, the right button, pointer moves during sizing
// and moving, and the click simulated for the keyboard.

#include "AdvGrid.h"

#include "AdvGridDragDrop.h"
#include "AdvGridLook.h"
#include "AdvGridSort.h"
#include "AdvUtil.h"
#include "Services.h"
#include "Shell.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

// A press this close to a header edge is a sizing press, not a click.
constexpr int kHeaderEdgeZone = 4;
// A double click this close (inclusive) to a header edge fits the column.
constexpr int kDblClickEdgeZone = 3;
// Direct editing starts only this far (exclusive) inside the cell's sides.
constexpr int kDirectEditInset = 3;
// A drag of the selection starts once the pointer is further than this
// from the press, and a press arms it only this far inside the cell.
constexpr int kOleDragDistance = 3;

TShiftState OneModifier()
{
    const TShiftState s = KeyboardStateToShiftState();
    if (s.Contains(ssAlt)) return TShiftState{ssAlt};
    if (s.Contains(ssShift)) return TShiftState{ssShift};
    if (s.Contains(ssCtrl)) return TShiftState{ssCtrl};
    return {};
}

int MsgX(const TMessage& m) { return LParamX(m.LParam); }
int MsgY(const TMessage& m) { return LParamY(m.LParam); }

} // namespace

// ---- helpers -----------------------------------------------------------------------------

void TAdvStringGrid::SimulateCellClick(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    const TRect r = CellRect(ACol, ARow);
    const TMouseEvent down = std::move(OnMouseDown), up = std::move(OnMouseUp);
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    const bool oldForce = FForceSel;
    FForceSel = true;
    struct TRestore {
        TAdvStringGrid* g;
        TMouseEvent down, up;
        bool force;
        ~TRestore()
        {
            g->OnMouseDown = std::move(down);
            g->OnMouseUp = std::move(up);
            g->FForceSel = force;
        }
    } restore{this, down, up, oldForce};
    TBaseGrid::MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
    TBaseGrid::MouseUp(mbLeft, {}, r.Left + 2, r.Top + 2);
}

// ---- left button down ------------------------------------------------------------------------

// A press arms a drag of the selection when the grid is a drag source, it
// is not editing, and the press is on a selected cell (or a header while
// rows and columns move the plain way) without a button or check box, well
// inside the cell's sides when columns can be sized there. A header press
// that selects columns selects them instead.
bool TAdvStringGrid::ArmsOleDrag(int ACol, int ARow, int X, const TRect& rect)
{
    if (!FDragDropSettings || !FDragDropSettings->OleDropSource() || Options().Contains(goEditing)) return false;
    const bool headerRow = ARow < FixedRows();
    if (!IsSelected(ACol, ARow) && !(headerRow && !EnhRowColMove())) return false;
    const int RCol = RealColIndex(ACol);
    if (HasButton(RCol, ARow) || HasCheckBox(RCol, ARow)) return false;
    if (headerRow && (FMouseActions->ColSelect() || FMouseActions->AllSelect())) return false;
    if (ACol < FixedCols()) return false;
    return !Options().Contains(goColSizing)
           || (X - rect.Left > kOleDragDistance && rect.Right - X > kOleDragDistance);
}

void TAdvStringGrid::WMLButtonDown(TMessage& m)
{
    const int X = MsgX(m), Y = MsgY(m);
    FDoOnClick = true;
    FMouseDownMove = true;
    FMouseKeepDown = true;
    FSpinUpClick = FSpinDnClick = false;
    // A width set by code before this press is no sizing by the mouse: only a
    // change between press and release keeps the release from sorting.
    ColSizeFlg = false;
    const TGridCoord cell = MouseCoord(X, Y);
    const int ACol = cell.X, ARow = cell.Y;
    const TGridRect origSel = Selection();
    if (OnSelectionResizer(X, Y)) {
        SelectionResizePress(m, X, Y);
        return;
    }
    if (Options().Contains(goEditing) && FMouseActions->RangeSelectAndEdit()
        && !(ACol >= origSel.Left && ACol < origSel.Right && ARow >= origSel.Top && ARow < origSel.Bottom))
        SetOptions(Options() - goEditing);
    bool allow = true;
    if (OnCanClickCell) OnCanClickCell(this, ARow, ACol, allow);
    if (!allow) return;
    if (FCellSelectorMode) {
        CellSelectorClick(ACol, ARow);
        return;
    }
    if (FMouseSelectMode == msResize) {
        SelectionResizePress(m, X, Y);
        m.Result = 0;
        return;
    }
    const TShiftState shift = OneModifier();
    if (FMouseActions->DisjunctCellSelect() && shift != TShiftState{ssCtrl} && ACol >= FixedCols()
        && ARow >= FixedRows()) {
        // Only the list: the selection keeps its anchor for a Shift press.
        FSelectedCells.clear();
        Invalidate();
    }

    SearchInc.clear();
    FSelectionClick = false;
    FPushedCellButton = TPoint(-1, -1);
    FDownCell = cell;
    FOldTopRow = TopRow();
    FOldKeepLeftCol = LeftCol();
    // The edge nearest the press: a press just right of or below an edge
    // names the column or row before it.
    Colclicked = MouseCoord(X - 5, ARow == 0 ? Y : Y - 4).X;
    Rowclicked = MouseCoord(ACol == 0 ? X : X - 5, Y - 4).Y;
    Colclickedsize = Colclicked >= 0 ? ColWidths(Colclicked) : 0;
    Rowclickedsize = Rowclicked >= 0 ? RowHeights(Rowclicked) : 0;
    Clickposx = X;
    Clickposy = Y;
    Movecell = -1;
    if (Look() == glListView && (FHoverFixedX >= 0 || FHoverFixedY >= 0)) Invalidate();

    if (ACol < 0 || ARow < 0) {
        HideInplaceEdit();
        if (!FixedRowAlways()) TBaseGrid::WndProc(m);
        return;
    }
    const TRect rect = CellRect(ACol, ARow);
    if (FMouseActions->CaretPositioning()) LButFlg = true;
    // A press on a fixed column's (row's) edge sizes it, whatever cell it is in.
    if (SizeFixedPress(X, Y)) return;
    const bool fixedByPos = ACol < FixedCols() || ARow < FixedRows();
    const bool fixed = fixedByPos || IsFixed(ACol, ARow);
    if (fixed) HideInplaceEdit();
    if (fixed && FixedAsButtons() && Options().Contains(goFixedVertLine) && Options().Contains(goFixedHorzLine)
        && Ctl3D() && !(FNumNodes > 0 && IsNode(ARow) && NodeGlyphHitTest(ARow, X - rect.Left)))
        PushFixedCell(ACol, ARow, rect);
    const int RCol = RealColIndex(ACol);
    if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(RCol, ARow) && X > rect.Right - 18) {
        if (Y > rect.Top + (rect.Bottom - rect.Top) / 2) FSpinDnClick = true;
        else FSpinUpClick = true;
    }
    if (PressNodeGlyph(ACol, ARow, X, rect)) return;
    if ((IsEditable(RCol, ARow) || FControlLook->RadioAlwaysActive()) && IsRadio(RCol, ARow)) {
        HideInplaceEdit();
        ClickRadioGroup(ACol, ARow, X - rect.Left, Y - rect.Top);
        if (CanFocus() && !TWinControl::Focused()) SetFocus();
        return;
    }
    // Column 0 of a tree holds the glyphs: a press there selects nothing.
    if (ACol == 0 && !fixedByPos && FNumNodes > 0 && !FMouseActions->RowSelect() && !Options().Contains(goRowSizing)) {
        FirePressMouseDown(X, Y);
        if (OnClickCell) OnClickCell(this, ARow, ACol);
        return;
    }
    if (ArmsOleDrag(ACol, ARow, X, rect)) {
        if (CanFocus() && !TWinControl::Focused()) SetFocus();
        FirePressMouseDown(X, Y);
        // The selection stays: the drag starts when the pointer moves away.
        FSelectionClick = true;
        if (OnClickCell) OnClickCell(this, ARow, ACol);
        return;
    }
    if (PressRating(ACol, ARow, X, rect)) return;

    // A cell button, or an expand glyph, shows pressed until the release.
    const bool button = HasButton(RCol, ARow);
    if (button || HasExpand(RCol, ARow)) {
        HideInplaceEdit();
        if (!IsFixed(ACol, ARow)) {
            const TFlagScope force(FForceSel);
            MoveColRow(ACol, ARow, true, true);
        }
        const TRect glyph = button ? GetCellButtonRect(RCol, ARow) : GetExpandButtonRect(RCol, ARow);
        if (glyph.Contains(TPoint(X, Y))) {
            PushButton(RCol, ARow, true);
            FPushedCellButton = TPoint(ACol, ARow);
            SetMouseCapture(true);
            if (OnClickCell) OnClickCell(this, ARow, ACol);
            return;
        }
    }
    // A press on a merged area selects its base cell.
    if (!fixed && IsMergedCell(RCol, ARow) && !OnMouseDown) {
        const TPoint b = BaseCell(RCol, ARow);
        const TRect br = CellRect(DisplColIndex(b.X), b.Y);
        m.LParam = MakeLParam(br.Left + 2, br.Top + 2);
    }
    if (ACol >= ColCount() || ARow >= RowCount()) {
        TBaseGrid::WndProc(m);
        return;
    }
    if (Colclicked >= 0 && Rowclicked >= 0) {
        const TRect edge = CellRect(Colclicked, Rowclicked);
        Clickposdx = X - edge.Right;
        Clickposdy = Y - edge.Bottom;
    } else {
        Clickposdx = Clickposdy = 0;
    }
    if (PressDisjunctRow(m, ACol, ARow, shift, origSel)) return;
    PressDisjunctCol(ACol, shift);
    if (PressAnchor(ACol, ARow, X, Y, rect)) return;

    HeaderSelectPress(ACol, ARow, shift);
    if (ARow < FixedRows() && ACol >= FixedCols()) Movecell = ACol;
    else if (ACol < FixedCols() && ARow >= FixedRows()) Movecell = ARow;
    MoveOfsX = X - rect.Left;
    MoveOfsY = Y - rect.Top;

    const bool canEdit =
        (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit()) && EditableByRule(RCol, ARow);
    const bool hotmail = ACol == 0 && FMouseActions->HotmailRowSelect();
    if ((canEdit || CheckAlwaysActiveSetting() || hotmail) && PressCheckOrRadio(ACol, ARow, X, Y, fixed)) return;

    const bool combo = !fixed && FControlLook->DropDownAlwaysVisible() && HasComboBox(RCol, ARow);
    const bool editOnDbl = FMouseActions->EditOnDblClickOnly();
    if (!fixed && (canEdit || (editOnDbl && combo)) && (FMouseActions->DirectEdit() || combo)) {
        if (editOnDbl && combo) FEditActive = false;
        HideInplaceEdit();
        if (CanFocus() && !TWinControl::Focused()) SetFocus();
    }
    const bool sameCell = rect.Contains(TPoint(X, Y)) && Selection() == TGridRect{ACol, ARow, ACol, ARow};
    const bool selectingAtEnd = !sameCell && FMouseActions->RangeSelectAndEdit() && !fixed && !canEdit;
    if (selectingAtEnd) SetOptions(Options() - goEditing);
    if (!fixedByPos && fixed) {
        if (!(ARow == RowCount() - 1 && FooterFixedLastRow()) && OnClickCell) OnClickCell(this, ARow, ACol);
        return;
    }
    // A press on a partly shown cell scrolls it into view; the mouse actions
    // may keep a range drag or the top row from following it.
    const bool PartialCell = ARow == TopRow() + VisibleRowCount() || ACol == LeftCol() + VisibleColCount()
                             || (ACol == LeftCol() && LeftCol() > FixedCols());
    const int oldTop = TopRow(), oldLeft = LeftCol();
    const bool keepLeft = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll();
    const bool keepEdit = FNavigation->AlwaysEdit();
    FNavigation->SetAlwaysEdit(false);
    if (!SelectionHidden()) {
        try {
            TBaseGrid::WndProc(m);
        } catch (...) {
            FNavigation->SetAlwaysEdit(keepEdit);
            throw;
        }
    }
    FNavigation->SetAlwaysEdit(keepEdit);
    if (keepLeft && LeftCol() != oldLeft) SetLeftCol(oldLeft);
    if (PartialCell && GridState() == gsSelecting && FMouseActions->NoAutoRangeScroll()) SetGridState(gsNormal);
    if (TopRow() != oldTop && FMouseActions->NoScrollOnPartialRow()) {
        SetTopRow(oldTop);
        Perform(WM_LBUTTONUP, 0, MakeLParam(X, Y));
    }
    if (GridState() == gsColSizing || GridState() == gsRowSizing) FSizingHint.clear();

    const bool nearEdge = X - rect.Left < kHeaderEdgeZone || rect.Right - X < kHeaderEdgeZone;
    if (!(ARow < FixedRows() && Options().Contains(goColSizing) && nearEdge) && OnClickCell) OnClickCell(this, ARow, ACol);
    if (OnCellValidate) {
        FEntered = false;
        RememberCurrentCell();
    }
    if (!fixed && IsMergedCell(RCol, ARow) && canEdit && (sameCell || FMouseActions->DirectEdit())) ShowInplaceEdit();

    const bool inside = X - rect.Left > kDirectEditInset && rect.Right - X > kDirectEditInset;
    if (!fixed && inside && (canEdit || (editOnDbl && combo)) && (FMouseActions->DirectEdit() || combo)
        && !IsControlCell(RCol, ARow) && !EditorShown())
        PressDirectEdit(ACol, ARow, combo);
    if (selectingAtEnd) SetGridState(gsSelecting);
}

// ---- left button up ---------------------------------------------------------------------------

void TAdvStringGrid::WMLButtonUp(TMessage& m)
{
    const int X = MsgX(m), Y = MsgY(m);
    const bool moved = ColMoveFlg, sized = ColSizeFlg;
    // Whatever the press did, its state ends with the release (the header
    // cell stays pressed only while its drop-down menu is open).
    FMouseKeepDown = false;
    if (!FFixedDropDownOpen) FFixedMouseDown = false;
    ReleaseControlButton();
    ReleasePushedFixedCell();
    if (Look() == glListView) {
        RepaintRow(0);
        if (FixedCols() > 0) RepaintCol(0);
    }
    if (FMouseResize) {
        TBaseGrid::WndProc(m);
        FSelectionClick = false;
        FMouseDownMove = false;
        FMouseDown = FDeselectState = false;
        FMouseSelectMode = msNormal;
        SelectionResizeRelease();
        return;
    }
    ColMoveFlg = false;
    ColSizeFlg = false;
    FMouseDownMove = false;
    FMouseSelectMode = msNormal;
    FMouseSelectStart = -1;
    FSizingHint.clear();
    HideSizingHint();
    const TGridCoord cell = MouseCoord(X, Y);
    if (SizeFixedRelease(X, Y)) {
        // A sized fixed column or row is no header click.
        FMouseDown = FDeselectState = FSelectionClick = false;
        TBaseGrid::WndProc(m);
        return;
    }
    if (FPushedCellButton.X >= 0 && ReleaseCellButton(cell, X, Y)) {
        FMouseDown = FDeselectState = FSelectionClick = false;
        return;
    }
    if (FSelectionClick) {
        FSelectionClick = false;
        if (ReleaseArmedDrag(cell, X, Y)) {
            FMouseDown = FDeselectState = false;
            return;
        }
    }
    const bool unselected = ReleaseDisjunct(cell.X, cell.Y);
    FMouseDown = false;

    if (EnhancedMoving()) {
        EndEnhancedMove(true, X, Y);
        TBaseGrid::WndProc(m);
        return;
    }
    // A sizing released outside the control is dropped.
    if ((GridState() == gsColSizing && X >= Width()) || (GridState() == gsRowSizing && Y >= Height())) {
        SetGridState(gsNormal);
        ColSized = false;
        SetMouseCapture(false);
        Invalidate();
        return;
    }
    // A release on a filter button opens or closes its list; any other
    // release closes an open one.
    if (HandleFilterListRelease(cell.X, cell.Y, X, Y)) {
        TBaseGrid::WndProc(m);
        return;
    }
    ColSized = GridState() == gsColSizing;
    const bool wasSizing = GridState() == gsColSizing || GridState() == gsRowSizing;
    TBaseGrid::WndProc(m);
    ColSized = false;
    FDoOnClick = false;
    if (unselected) {
        FSelChange = false;
        if (GridState() == gsSelecting) SetGridState(gsNormal);
    }
    if (moved || sized || ColMoveFlg || wasSizing || cell.X < 0 || cell.Y < 0) {
        ColMoveFlg = false;
        ColSizeFlg = false;
        return;
    }
    CellMouseUpEvents(cell.X, cell.Y);
    HeaderClick(cell.X, cell.Y, X, Y, OneModifier());
}

// The release of a pressed cell button, expand glyph or fixed cell used as a
// button: it clicks only over the button that was pressed. True when the
// release lies on that button, which ends the release there.
bool TAdvStringGrid::ReleaseCellButton(const TGridCoord& cell, int X, int Y)
{
    const TPoint pressed = FPushedCellButton;
    FPushedCellButton = TPoint(-1, -1);
    const int pressedReal = RealColIndex(pressed.X);
    const bool fixedPressed = pressed.X < FixedCols() || pressed.Y < FixedRows();
    const bool overCell = cell.X >= 0 && cell.Y >= 0;
    bool enabled;
    if (overCell && !(FControlLook && FControlLook->NoDisabledButtonLook()))
        enabled = EditableByRule(RealColIndex(cell.X), cell.Y);
    else
        enabled = Options().Contains(goEditing);
    enabled = enabled || (FControlLook && FControlLook->NoDisabledButtonLook()) || fixedPressed;
    bool overButton = false;
    if (enabled) {
        if (!(FNumNodes > 0 && IsNode(pressed.Y))) PushButton(pressedReal, pressed.Y, false);
        // Only a release over the very button or glyph that was pressed clicks.
        const bool fixedButton = (FixedAsButtons() && pressed.X < FixedCols()) || pressed.Y < FixedRows();
        if (overCell && cell.X == pressed.X && cell.Y == pressed.Y) {
            const TPoint p(X, Y);
            const bool onButton = HasButton(pressedReal, pressed.Y) && GetCellButtonRect(pressedReal, pressed.Y).Contains(p);
            if (onButton || (fixedPressed && fixedButton && !HasExpand(pressedReal, pressed.Y))) {
                overButton = onButton;
                DoButtonClick(pressedReal, pressed.Y);
            } else if (HasExpand(pressedReal, pressed.Y)
                       && (GetExpandButtonRect(pressedReal, pressed.Y).Contains(p) || (fixedPressed && fixedButton))) {
                overButton = GetExpandButtonRect(pressedReal, pressed.Y).Contains(p);
                DoExpandClick(pressedReal, pressed.Y, ToggleExpand(pressedReal, pressed.Y));
            }
        }
    }
    SetMouseCapture(false);
    return overButton;
}

// A press on the selection armed a drag that never started: the release
// selects the pressed cell (or row) after all, or, with disjunct rows and
// Ctrl, flips the row's mark. True when the release ends there.
bool TAdvStringGrid::ReleaseArmedDrag(const TGridCoord& cell, int X, int Y)
{
    if (cell.X < FixedCols() || cell.Y < FixedRows() || cell.X >= ColCount() || cell.Y >= RowCount()) return false;
    const bool ole = FDragDropSettings && FDragDropSettings->OleDropSource();
    const bool ctrl = KeyboardStateToShiftState().Contains(ssCtrl);
    if (FMouseActions->DisjunctRowSelect() && ole) {
        if (ctrl || FMouseActions->DisjunctRowSelectNoCtrl()) {
            SetRowSelect(cell.Y, !RowSelect(cell.Y));
            if (OnMouseUp) OnMouseUp(this, mbLeft, TShiftState{ssCtrl}, X, Y);
            return true;
        }
        ClearRowSelect();
    }
    RepaintCell(0, Row());
    const TFlagScope force(FForceSel);
    if (Options().Contains(goRowSelect)) MoveColRow(Col(), cell.Y, true, true);
    else MoveColRow(cell.X, cell.Y, true, true);
    RepaintCell(0, Row());
    return false;
}

void TAdvStringGrid::HeaderClick(int ACol, int ARow, int X, int Y, TShiftState Shift)
{
    if (FDblClk) {
        FDblClk = false;
        return;
    }
    if (!FSortSettings) return;  // no sort settings: nothing sorts
    if (ACol < FixedCols() && !FSortSettings->FixedCols()) return;
    const TRect rect = CellRect(ACol, ARow);
    if (ARow == 0 && Options().Contains(goColSizing)
        && (X - rect.Left < kHeaderEdgeZone || rect.Right - X < kHeaderEdgeZone))
        return;
    const TGridCoord down = MouseCoord(Clickposx, Clickposy);
    const int sortRow = FSortSettings->Row();
    const int RCol = RealColIndex(ACol);
    // The drop-down button's zone belongs to its menu, the filter button's
    // to the filter list.
    if (FControlLook->FixedDropDownButton() && CanShowFixedDropDown(RCol) && X > rect.Right - 16) return;
    if (ARow == FFilterRow && X > rect.Right - 16 && HasColumnFilter(RCol)) return;
    if (ARow != sortRow || down.Y != sortRow || down.X != ACol || FixedRows() == 0) return;
    if (HasCheckBox(RCol, ARow) && IsInCheckBox(RCol, ARow, X, Y)) return;
    if (!FSortSettings->Show() || RowCount() <= 2) return;
    bool doSort = !IsIgnoredColumn(RCol);
    if (OnCanSort) OnCanSort(this, RCol, doSort);
    if (!doSort) {
        RepaintCell(ACol, ARow);
        return;
    }
    HideInplaceEdit();
    SortOnHeaderClick(RCol, Shift);
}

// ---- double click, right button ------------------------------------------------------------------

void TAdvStringGrid::WMLButtonDblClk(TMessage& m)
{
    const int X = MsgX(m), Y = MsgY(m);
    TGridCoord cell = MouseCoord(X, Y);
    // Range selection with editing: the double click selects the cell it
    // edits, whatever the press before it left selected.
    const bool valid = cell.X >= 0 && cell.Y >= 0;
    std::optional<TFlagScope> force;
    if (FMouseActions->RangeSelectAndEdit() && !(valid && IsControlCell(RealColIndex(cell.X), cell.Y)))
        force.emplace(FForceSel);
    if (cell.X < 0 && Y >= 0) {
        if (FixedRowAlways()) {
            TBaseGrid::WndProc(m);
            return;
        }
        cell = TGridCoord{ColCount() - 1, 0};
    }
    if (cell.Y >= 0 && cell.Y < FixedRows() && Options().Contains(goColSizing)
        && FMouseActions->AutoSizeColOnDblClick() && cell.X >= 0) {
        const TRect rect = CellRect(cell.X, cell.Y);
        int target = -1;
        if (X - rect.Left <= kDblClickEdgeZone && cell.X - 1 >= FixedCols()) target = cell.X - 1;
        else if (rect.Right - X <= kDblClickEdgeZone && cell.X >= FixedCols()) target = cell.X;
        if (target >= 0) {
            FDblClk = true;
            bool allow = true;
            if (OnColumnSize) OnColumnSize(this, target, allow);
            if (allow) {
                AutoSizeCol(target, 0);
                if (OnEndColumnSize) OnEndColumnSize(this, target);
            }
            force.reset();
            TBaseGrid::WndProc(m);
            return;
        }
    }
    if (cell.X < 0 || cell.Y < 0) {
        TBaseGrid::WndProc(m);
        return;
    }
    const int RCol = RealColIndex(cell.X);
    if (HasButton(RCol, cell.Y) && GetCellButtonRect(RCol, cell.Y).Contains(TPoint(X, Y))) return;
    if (HasExpand(RCol, cell.Y) && GetExpandButtonRect(RCol, cell.Y).Contains(TPoint(X, Y))) return;
    if (IsControlCell(RCol, cell.Y)) {
        TBaseGrid::WndProc(m);
        return;
    }
    TBaseGrid::WndProc(m);
    if (OnDblClickCell) OnDblClickCell(this, cell.Y, cell.X);
    const bool editable = IsNormalCell(cell.X, cell.Y) && EditableByRule(RCol, cell.Y);
    if (FMouseActions->EditOnDblClickOnly()) {
        if (editable) {
            SetOptions(Options() + goEditing);
            FOldCol = cell.X;
            FOldRow = cell.Y;
            ShowInplaceEdit();
        }
    } else if (FMouseActions->RangeSelectAndEdit() && editable) {
        // The press on the current cell that starts editing.
        SetOptions(Options() + goEditing);
        const TPoint b = BaseCell(RCol, cell.Y);
        const TRect br = CellRect(DisplColIndex(b.X), b.Y);
        HandleMouseDown(mbLeft, {}, br.Left + 4, br.Top + 4);
    }
    force.reset();
    StartFixedCellEditAt(fceDblClick, X, Y);
}

void TAdvStringGrid::WMRButtonDown(TMessage& m)
{
    const int X = MsgX(m), Y = MsgY(m);
    TBaseGrid::WndProc(m);
    const TGridCoord cell = MouseCoord(X, Y);
    const bool valid = cell.X >= 0 && cell.Y >= 0 && cell.X < ColCount() && cell.Y < RowCount();
    if (FMouseActions->SelectOnRightClick() && valid && !IsFixed(cell.X, cell.Y)
        && !(FMouseActions->DisjunctCellSelect() && SelectedCells(cell.X, cell.Y)))
        SelectOnRightPress(cell.X, cell.Y, X, Y);
    if (OnRightClickCell) OnRightClickCell(this, valid ? cell.Y : -1, valid ? cell.X : -1);
    if (URLShow() && URLEdit() && valid && IsURL(Cells(RealColIndex(cell.X), cell.Y))) {
        MoveColRow(cell.X, cell.Y, true, true);
        SetOptions(Options() + goEditing);
        ShowInplaceEdit();
    }
}

// The right press selects as a left one would (a context menu then acts on
// the cell under the pointer); with disjunct rows it marks rows as the
// left press does, but keeps a marked set a context menu is about to use.
void TAdvStringGrid::SelectOnRightPress(int ACol, int ARow, int X, int Y)
{
    const int RCol = RealColIndex(ACol);
    if (!IsControlCell(RCol, ARow)) {
        if (OnRightClickCell) {
            FocusCell(ACol, ARow);
        } else {
            HandleMouseDown(mbLeft, {}, X, Y);
            HandleMouseUp(mbLeft, {}, X, Y);
        }
    }
    if (SelectedCells(ACol, ARow)) {
        bool can = true;
        if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    } else {
        const TPoint b = BaseCell(RCol, ARow);
        const int left = LeftCol();
        MoveColRow(DisplColIndex(b.X), b.Y, true, true);
        if (FNavigation->KeepHorizScroll() && LeftCol() != left) SetLeftCol(left);
    }
    if (!FMouseActions->DisjunctRowSelect()) return;
    if (KeyboardStateToShiftState().Contains(ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl()) {
        SetRowSelect(ARow, !RowSelect(ARow));
    } else if (RowSelectCount() > 1 && PopupMenu()) {
        if (!RowSelect(ARow)) {
            ClearRowSelect();
            SetRowSelect(ARow, true);
        }
    } else {
        ClearRowSelect();
        SetRowSelect(ARow, true);
    }
}

void TAdvStringGrid::WMRButtonUp(TMessage& m)
{
    // No context menu in the middle of a move.
    if (EnhancedMoving()) {
        m.Result = 0;
        return;
    }
    TBaseGrid::WndProc(m);
}

void TAdvStringGrid::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // Range selection with editing: a press on the current cell edits it, a
    // Shift press elsewhere selects.
    if (FMouseActions->RangeSelectAndEdit() && Button == mbLeft && !FMouseActions->EditOnDblClickOnly()) {
        int c = -1, r = -1;
        MouseToCell(X, Y, c, r);
        if (c == Col() && r == Row() && !Options().Contains(goEditing) && c >= 0 && r >= 0
            && EditableByRule(RealColIndex(c), r)) {
            SetOptions(Options() + goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            ShowInplaceEdit();
            return;
        }
        if ((c != Col() || r != Row()) && Options().Contains(goEditing) && Shift.Contains(ssShift)) {
            SetOptions(Options() - goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            return;
        }
    }
    if (Button == mbLeft) {
        if (PressFixedDropDown(X, Y)) return;
        FFixedMouseDown = true;
        RepaintPressedFixedCell();
    }
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Shift.Contains(ssShift) && SelectionRectangle()) Invalidate();
    StartFixedCellEditAt(Button == mbLeft ? fceLeftClick : Button == mbRight ? fceRightClick : fceNone, X, Y);
    if (auto* g = dynamic_cast<TAdvStringGrid*>(FSyncGrid->Grid())) {
        if (FSyncGrid->SelectionColumn() && Col() < g->ColCount()) g->SetCol(Col());
        if (FSyncGrid->SelectionRow() && Row() >= g->FixedRows() && Row() < g->RowCount()) g->SetRow(Row());
    }
}

void TAdvStringGrid::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TGridRect origSel = Selection();
    const bool notify = (Button == mbLeft || (Button == mbRight && FMouseActions->SelectOnRightClick()))
                        && !(origSel == TGridRect{0, 0, 0, 0});
    FDropDownDown = false;
    if (Button == mbLeft && !FFixedDropDownOpen) FFixedMouseDown = false;
    if (ReleaseDisjunctCell(Button, Shift, X, Y)) return;
    if (notify) SelectionChanged(origSel.Left, origSel.Top, origSel.Right, origSel.Bottom);
    if (Button == mbRight && GridState() == gsColMoving) return;
    const TGridRect before = Selection();
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    RepaintPressedFixedCell();
    const TGridRect after = Selection();
    if (!(before == after)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

// ---- pointer moves ---------------------------------------------------------------------------------

void TAdvStringGrid::WMMouseMove(TMessage& m)
{
    const int X = MsgX(m), Y = MsgY(m);
    HandleMouseMove((m.WParam & MK_LBUTTON) ? TShiftState{ssLeft} : TShiftState{}, X, Y);
    if (FSizingFixed || FSizingFixedR) SizeFixedMove(X, Y);
    if (m.WParam & MK_LBUTTON) HeaderSelectMove(X, Y);
    if (FSelectionClick && (m.WParam & MK_LBUTTON)
        && (std::abs(X - Clickposx) > kOleDragDistance || std::abs(Y - Clickposy) > kOleDragDistance)) {
        FSelectionClick = false;
        const TGridCoord cell = MouseCoord(Clickposx, Clickposy);
        if (GridState() != gsColSizing && !StartOleDrag(cell.X, cell.Y) && GridState() == gsNormal)
            SetGridState(gsSelecting);  // refused: the press becomes a plain selection drag
        return;
    }
    TBaseGrid::WndProc(m);
    // While panning the pan's cursor stays whatever the pointer passes.
    if (wheelpan != 0) ShowGridCursor(FShownCursor);
    else HoverCursorAfterMove(X, Y);
    switch (GridState()) {
    case gsColSizing:
        if (Colclicked >= 0) {
            ColSized = true;
            const int size = std::max(0, Colclickedsize + X - Clickposx);
            if (OnColumnSizing) OnColumnSizing(this, Colclicked, size);
            FSizingHint = QStringLiteral("cw=<b>%1</b>").arg(size);
            ShowSizingHint(FSizingHint, Colclicked, std::max(0, Rowclicked));
        }
        break;
    case gsRowSizing:
        if (Rowclicked >= 0) {
            const int size = std::max(0, Rowclickedsize + Y - Clickposy);
            if (OnRowSizing) OnRowSizing(this, Rowclicked, size);
            FSizingHint = QStringLiteral("rh=<b>%1</b>").arg(size);
            ShowSizingHint(FSizingHint, std::max(0, Colclicked), Rowclicked);
        }
        break;
    case gsColMoving:
    case gsRowMoving:
        if (EnhRowColMove()) ShowMoveArrows(X, Y);
        break;
    default:
        break;
    }
}

void TAdvStringGrid::OpenAnchor(const QString& Anchor)
{
    if (Anchor.toUpper().contains(QLatin1String("CELL://"))) {
        int c = -1, r = -1;
        // A reference that does not parse or lies outside the grid moves nothing.
        if (!ParseRCCellRef(Anchor.mid(7), c, r)) return;
        if (!IsNormalCell(c, r)) return;
        MoveCurrentCell(c, r);
        ScrollInView(c, r);
        return;
    }
    // Only web and mail links leave the grid: a cell text never runs a local program.
    if (IsOpenableUrl(Anchor) && Services().Opener) Services().Opener->OpenUrl(Anchor);
}
