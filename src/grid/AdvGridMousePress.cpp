// The hit areas of a left press that need more than a line: node glyphs,
// ratings, disjunct row and column selection, links and form controls in
// marked-up cells, check boxes and radio buttons, direct editing and the
// fixed cell drawn pushed in. The press itself (AdvGridMouse) calls them in
// order; each answers whether the press ends there.

#include "AdvGrid.h"

#include "AdvGridLook.h"
#include "AdvUtil.h"
#include "AsgHTMLE.h"
#include "AsgHTMLEText.h"
#include "GraphUtils.h"

#include <cmath>

namespace {

// One half star per this many pixels from a rating cell's left edge.
constexpr int kPressRatingHalfStar = 9;

} // namespace

void TAdvStringGrid::FirePressMouseDown(int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, mbLeft, HeldModifiers(), X, Y);
}

bool TAdvStringGrid::DoRatingChange(int ACol, int ARow, double& NewRate)
{
    bool allow = true;
    if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, allow);
    return allow;
}

// Node glyphs: in a fixed row the glyph may expand or contract every node
// at once; in a normal row it expands or contracts its own node and the
// press ends there.
bool TAdvStringGrid::PressNodeGlyph(int ACol, int ARow, int X, const TRect& rect)
{
    if (FNumNodes == 0 || RealColIndex(ACol) != 0 || !IsNode(ARow)) return false;
    const int local = UseRightToLeftAlignment() ? X : X - rect.Left;
    if (ARow < FixedRows()) {
        if (FMouseActions->NodeAllExpandContract() && NodeGlyphHitTest(ARow, local)) {
            const bool contracted = GetNodeState(ARow);
            if (contracted) ExpandAll();
            else ContractAll();
            SetNodeState(ARow, !contracted);
        }
        return false;
    }
    if (!NodeGlyphHitTest(ARow, local)) return false;
    FirePressMouseDown(X, rect.Top);
    if (OnClickCell) OnClickCell(this, ARow, ACol);
    NodeClick(ACol, ARow, X);
    if (FMouseActions->MoveRowOnNodeClick() && ARow < RowCount()) {
        const TFlagScope force(FForceSel);
        MoveColRow(Col(), ARow, true, true);
    }
    return true;
}

bool TAdvStringGrid::PressRating(int ACol, int ARow, int X, const TRect& rect)
{
    const int RCol = RealColIndex(ACol);
    if (!HasRating(RCol, ARow) || !IsEditable(RCol, ARow)) return false;
    HideInplaceEdit();
    // Whole pixels only: 8 pixels in is no half star yet, 9 is one.
    double rate = std::trunc(double(X - rect.Left) / kPressRatingHalfStar) / 2.0;
    if (DoRatingChange(RCol, ARow, rate)) {
        SetFloats(RCol, ARow, rate);
        RepaintCell(ACol, ARow);
    }
    return true;
}

// A press on a normal row with disjunct row selection: Shift extends the
// rectangle, Ctrl marks a selected row for unselecting on the release, a
// plain press starts a new set (Alt keeps the old one).
bool TAdvStringGrid::PressDisjunctRow(TMessage& m, int ACol, int ARow, TShiftState Shift, const TGridRect& OrigSel)
{
    if (!FMouseActions->DisjunctRowSelect() || ARow < FixedRows()) return false;
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) return false;
    if (Shift.Contains(ssShift)) {
        TBaseGrid::WndProc(m);
        SetSelection(TGridRect{std::min(ACol, OrigSel.Left), std::min(ARow, OrigSel.Top),
                               std::max(ACol, OrigSel.Left), std::max(ARow, OrigSel.Top)});
        return true;
    }
    if (Shift.Contains(ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl()) {
        const int r = FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
        if (RowSelect(r)) FDeselectState = true;
    } else {
        FMouseDown = true;
        if (!Shift.Contains(ssAlt)) ClearRowSelect();
    }
    return false;
}

void TAdvStringGrid::PressDisjunctCol(int ACol, TShiftState Shift)
{
    if (!FMouseActions->DisjunctColSelect() || ACol < FixedCols()) return;
    if (Shift.Contains(ssCtrl)) {
        if (ColSelect(ACol)) FDeselectState = true;
    } else {
        FMouseDown = true;
        ClearColSelect();
    }
}

// The place a cell's marked-up text is drawn in, as the painter lays it
// out, with the point moved by an in-cell scroll bar's position.
bool TAdvStringGrid::MarkupHitAt(int ACol, int ARow, int X, int Y, THTMLDrawResult& Result)
{
    const int real = RealColIndex(ACol);
    const QString text = Cells(real, ARow);
    TRect r = CellRect(ACol, ARow);
    if (HasScrollBar(real, ARow)) {
        // The text gives way to the bar only where the bar is drawn.
        const TScrollProp prop = GetScrollProp(real, ARow);
        if (prop.PageSize < prop.Range && FScrollBar) r.Right -= FScrollBar->Width();
        Y += std::max(0, GetScrollPosition(real, ARow));
    }
    r.Left += XYOffset().X - 1;
    if (!XYOffsetTopLeftOnly()) r.Right -= XYOffset().X;
    r.Top += XYOffset().Y;
    if (HasCheckBox(real, ARow)) r.Left += CheckSizeSetting();
    TCanvas* cv = Canvas();
    cv->Font()->Assign((ACol < FixedCols() || ARow < FixedRows()) ? FixedFont() : Font());
    THTMLDrawArgs args;
    args.HitPoint = TPoint(X, Y);
    args.LocatePass = true;
    args.ImageList = FGridImages;
    args.PictureCache = FImageCache;
    args.Window = this;
    return DrawHTMLText(cv, text, r, args, Result) || Result.HitAnchor >= 1;
}

// Links and form controls: an anchor (a URL, or a link in marked-up text)
// goes to OnAnchorClick and, unless handled there, to OpenAnchor; a form
// control flips or presses and starts its editing. Answers true when the
// press ends here.
bool TAdvStringGrid::PressAnchor(int ACol, int ARow, int X, int Y, const TRect& rect)
{
    (void)rect;
    if (!URLShow() && !EnableHTML()) return false;
    const int real = RealColIndex(ACol);
    QString text = Cells(real, ARow);
    const bool html = EnableHTML() && GetTextType(text, true) == 1;
    if (!html && !URLShow()) return false;
    QString anchor;
    THTMLDrawResult res;
    if (!html) {
        if (IsURL(text)) anchor = text;
    } else if (MarkupHitAt(ACol, ARow, X, Y, res) && res.HitAnchor >= 1) {
        anchor = res.AnchorValue;
    } else if (!res.ControlID.isEmpty() && !res.ControlType.isEmpty()) {
        anchor = res.AnchorValue.isEmpty() ? QStringLiteral("ctrl") : res.AnchorValue;
    }
    if (anchor.isEmpty()) {
        if (!html || !text.toUpper().contains(QLatin1String("<CONTROL"))) return false;
        if (OnClickCell) OnClickCell(this, ARow, ACol);
        HideInplaceEdit();
        const TFlagScope force(FForceSel);
        MoveColRow(ACol, ARow, true, true);
        return true;
    }
    bool autoHandle = true;
    const bool control = html && !res.ControlID.isEmpty() && !res.ControlType.isEmpty();
    if (control) {
        const bool byClick = Options().Contains(goEditing) || FEditDisable;
        if (byClick && EditableByRule(real, ARow)) {
            if (CellControlEditing()) EndCellControlEdit(nullptr);
            text = Cells(real, ARow);
            const QString type = res.ControlType;
            if (type == QLatin1String("BUTTON")) {
                FCtrlXY = TPoint(real, ARow);
                FCtrlDown = true;
                RepaintCell(ACol, ARow);
            } else if (type == QLatin1String("CHECK")) {
                QString value;
                GetControlValue(text, res.ControlID, value);
                const bool on = value.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
                SetControlValue(text, res.ControlID, on ? QStringLiteral("FALSE") : QStringLiteral("TRUE"));
                SetCells(real, ARow, text);
            } else if (type == QLatin1String("RADIO")) {
                text = ClearRadioControls(text);
                SetControlValue(text, res.ControlID, QStringLiteral("TRUE"));
                SetCells(real, ARow, text);
            }
            QString value;
            GetControlValue(Cells(real, ARow), res.ControlID, value);
            if (OnControlClick) OnControlClick(this, ARow, ACol, res.ControlID, type, value);
            StartCellControlEdit(Cells(real, ARow), type, ARow, ACol, res.ControlRect, value, res.ControlID);
            autoHandle = false;
        }
    } else if (OnAnchorClick) {
        OnAnchorClick(this, ARow, ACol, anchor, autoHandle);
    }
    if (autoHandle) OpenAnchor(anchor);
    return true;
}

// A press on a check box or a radio button: the toggle, the modified
// marker, the mail-style row selection of column 0, the click event, the
// header's check-all, then OnMouseDown and OnClick.
bool TAdvStringGrid::PressCheckOrRadio(int ACol, int ARow, int X, int Y, bool fixed)
{
    const int RCol = RealColIndex(ACol);
    const bool hotmail = ACol == 0 && FMouseActions->HotmailRowSelect();
    const bool radio = HasRadioButton(RCol, ARow);
    if (!(HasCheckBox(RCol, ARow) || radio) || !IsInCheckBox(RCol, ARow, X, Y)) return false;
    HideInplaceEdit();
    if (CanFocus() && !TWinControl::Focused()) SetFocus();
    const int realRow = RealRowIndex(ARow);
    if (radio) {
        DoRadioButtonClick(RCol, ARow, true);
        if (OnRadioButtonClick) OnRadioButtonClick(this, RCol, ARow);
        if (ShowModifiedEnabled()) {
            SetRowModified(ARow, true);
            RepaintCell(0, ARow);
        }
    } else {
        ToggleCheckBoxCell(RCol, ARow);
    }
    if (hotmail && ARow >= FixedRows()) {
        // The box is the row's selection mark.
        SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
        if (realRow != ARow) RepaintCell(0, ARow);
        if (Row() == ARow && !RowSelect(realRow)) HideSelection();
    }
    bool state = false;
    GetCheckBoxState(RCol, realRow, state);
    if (!FNavigation->AlwaysEdit() && !fixed) {
        const TFlagScope force(FForceSel);
        MoveColRow(ACol, ARow, true, true);
    }
    CheckBoxClick(ACol, ARow, state);
    if (HideFocusRect()) RepaintCell(ACol, ARow);
    if (ARow < FixedRows() && FMouseActions->CheckAllCheck()) {
        for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r) {
            if (FMouseActions->HotmailRowSelect()) SetRowSelect(RealRowIndex(r), state);
            else SetCheckBoxState(RCol, r, state);
        }
        Invalidate();
    }
    FirePressMouseDown(X, Y);
    Click();
    return true;
}

// Direct editing: the three changing events, then the clicked cell's base
// cell becomes current and its editor opens.
void TAdvStringGrid::PressDirectEdit(int ACol, int ARow, bool combo)
{
    if (FMouseActions->EditOnDblClickOnly() && combo && !Options().Contains(goEditing)) {
        SetOptions(Options() + goEditing);
        if (CanFocus()) SetFocus();
    }
    bool allow = true;
    if (ARow != Row() && OnRowChanging) OnRowChanging(this, Row(), ARow, allow);
    if (ACol != Col() && OnColChanging) OnColChanging(this, Col(), ACol, allow);
    if ((ARow != Row() || ACol != Col()) && OnCellChanging && !FDisableChange)
        OnCellChanging(this, Row(), Col(), ARow, ACol, allow);
    if (!allow) return;
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    const int col = DisplColIndex(b.X);
    // The move asks the cell-selection check like any other: a refused
    // cell opens no editor.
    if (Col() != col || Row() != b.Y) MoveColRow(col, b.Y, true, true);
    if (Col() != col || Row() != b.Y) return;
    RememberCurrentCell();
    if (!EditorShown()) ShowEditor();
}

// A fixed cell used as a button shows sunken from the press to the
// release; the edge is drawn over the painted cells.
void TAdvStringGrid::PushFixedCell(int ACol, int ARow, const TRect& rect)
{
    FPushedFixedCell = rect;
    FPushedCellButton = TPoint(ACol, ARow);
    FFixedCellPushed = true;
    InvalidateRect(rect);
}

void TAdvStringGrid::ReleasePushedFixedCell()
{
    if (!FFixedCellPushed) return;
    FFixedCellPushed = false;
    InvalidateRect(FPushedFixedCell);
}

void TAdvStringGrid::PaintPushedFixedCell()
{
    if (!FFixedCellPushed) return;
    TRect r = FPushedFixedCell;
    DrawEdge(Canvas(), r, BDR_SUNKENINNER, BF_RECT);
}

void TAdvStringGrid::ReleaseControlButton()
{
    if (!FCtrlDown) return;
    FCtrlDown = false;
    if (FCtrlXY.Y >= 0 && FCtrlXY.Y < RowCount()) RepaintCell(DisplColIndex(FCtrlXY.X), FCtrlXY.Y);
}

// The release of a press with disjunct row or column selection: the marks
// follow the selection, and a Ctrl press on a marked row or column unmarks
// it. True when a row was unmarked.
bool TAdvStringGrid::ReleaseDisjunct(int ACol, int ARow)
{
    bool unselected = false;
    const bool valid = ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount();
    if (FMouseActions->DisjunctRowSelect() && valid && !(ACol == 0 && FNumNodes > 0 && IsNode(ARow))) {
        const bool hotmail = FMouseActions->HotmailRowSelect();
        if (!(ACol == 0 && hotmail)) SyncRowSelectWithSelection(false);
        if (FDeselectState && ARow >= FixedRows() && ARow < RowCount() - FixedFooters()) {
            SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow, false);
            unselected = true;
        }
        if (hotmail) RepaintCell(0, 0);
    }
    if (valid && ACol > 0 && FNumNodes > 0 && IsNode(ARow) && !GetNodeState(ARow) && FGrouping->AutoSelectGroup()) {
        const int span = GetNodeSpan(ARow);
        if (FMouseActions->DisjunctRowSelect()) {
            for (int r = 1; r < span; ++r) SetRowSelect(RealRowIndex(ARow) + r, true);
        } else {
            SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, std::min(RowCount() - 1, ARow + span - 1)});
        }
    }
    if (FMouseActions->DisjunctColSelect() && valid) {
        SyncColSelectWithSelection(false);
        if (FDeselectState && ACol >= FixedCols() && ACol < ColCount() - FixedRightCols()) SetColSelect(ACol, false);
    }
    FDeselectState = false;
    return unselected;
}

// The release with disjunct cell selection: Shift adds the clicked cell,
// Ctrl flips its base cell, a plain release starts a new set with it; a
// dragged rectangle adds its cells. True when OnSelectCell refused the
// cell, which ends the release.
bool TAdvStringGrid::ReleaseDisjunctCell(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!FMouseActions->DisjunctCellSelect() || Button != mbLeft) return false;
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0 || cell.X >= ColCount() || cell.Y >= RowCount()) return false;
    const TPoint real = BaseCell(RealColIndex(cell.X), cell.Y);
    const TGridCoord base{DisplColIndex(real.X), real.Y};
    const bool ctrl = Shift.Contains(ssCtrl);
    if (!IsFixed(base.X, base.Y)) {
        bool can = true;
        if (OnSelectCell) OnSelectCell(this, base.X, base.Y, can);
        if (!can) return true;
        if (Shift.Contains(ssShift)) {
            SetSelectedCells(cell.X, cell.Y, true);
        } else if (ctrl) {
            SetSelectedCells(base.X, base.Y, !SelectedCells(base.X, base.Y));
        } else {
            const std::vector<TGridCoord> old = std::move(FSelectedCells);
            FSelectedCells.clear();
            for (const TGridCoord& c : old) RepaintCell(c.X, c.Y);
            SetSelectedCells(base.X, base.Y, true);
        }
    } else if (!IsFixed(cell.X, cell.Y) && !ctrl) {
        FSelectedCells.clear();
        Invalidate();
    }
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        RepaintCell(cell.X, cell.Y);
        return false;
    }
    for (int r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
        for (int c = std::min(s.Left, s.Right); c <= std::max(s.Left, s.Right); ++c)
            if (!(c == base.X && r == base.Y) && !SelectedCells(c, r)) FSelectedCells.push_back(TGridCoord{c, r});
    for (const TGridCoord& c : FSelectedCells) RepaintCell(c.X, c.Y);
    RepaintCell(cell.X, cell.Y);
    return false;
}
