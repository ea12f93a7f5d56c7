// The string grid's window procedure, the wheel and zoom, and what follows a
// change of column widths and row heights.

#include "AdvGrid.h"

#include "AdvObj.h"
#include "Forms.h"
#include "Hints.h"
#include "Notify.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kZoomLimit = 10;

} // namespace

void TAdvStringGrid::WndProc(TMessage& m)
{
    if (EditDoneMessage(m)) return;
    // Until the settings objects exist (construction) and while going away,
    // the platform alone handles messages.
    if (!FNavigation || !FMouseActions || HasState(csDestroying)) {
        TBaseGrid::WndProc(m);
        return;
    }
    PanMessage(m);
    switch (m.Msg) {
    case WM_KEYDOWN:
        if (WMKeyDown(m)) TBaseGrid::WndProc(m);
        return;
    case WM_CHAR: WMChar(m); return;
    case WM_GETDLGCODE:
        TBaseGrid::WndProc(m);
        if (FNavigation->AutoGotoWhenSorted() || !Options().Contains(goEditing)) m.Result |= DLGC_WANTCHARS;
        return;
    case WM_LBUTTONDOWN: WMLButtonDown(m); return;
    case WM_LBUTTONUP: WMLButtonUp(m); return;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(m); return;
    case WM_RBUTTONDOWN: WMRButtonDown(m); return;
    case WM_RBUTTONUP: WMRButtonUp(m); return;
    case WM_MOUSEMOVE: WMMouseMove(m); return;
    case WM_MOUSEWHEEL: WMMouseWheel(m); return;
    case WM_CANCELMODE:
        SizeFixedCancel();
        WMCancelMode(m);
        return;
    case WM_VSCROLL:
        if (CellScrollMessage(m)) return;
        break;
    case CM_MOUSELEAVE:
        TBaseGrid::WndProc(m);
        HoverLeave();
        return;
    case CM_HINTSHOW: m.Result = CMHintShow(*reinterpret_cast<THintInfo*>(m.LParam)); return;
    case WM_NOTIFY: if (WMNotify(m)) return; break;
    case WM_NCPAINT:
        if (FUpdateCount == 0 && m.LParam) PaintNCBorder(reinterpret_cast<TCanvas*>(m.LParam));
        m.Result = 0;
        return;
    default: break;
    }
    TBaseGrid::WndProc(m);
}

// ---- wheel and zoom -------------------------------------------------------------------------

void TAdvStringGrid::WMMouseWheel(TMessage& m)
{
    if (TWinControl* p = Parent(); p && p->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam) != 0) {
        TBaseGrid::WndProc(m);
        return;
    }
    m.Result = 1;
    const int delta = WheelDeltaOf(m.WParam);
    if (delta == 0) return;
    const bool down = delta < 0;  // a notch toward the user
    const int notches = std::max(1, std::abs(delta) / WHEEL_DELTA);
    int lines = wheelscrl > 0 ? wheelscrl : WheelScrollLines();
    if (lines < 1) lines = std::max(1, VisibleRowCount());
    const TShiftState keys = KeyboardStateToShiftState();
    if ((keys.Contains(ssCtrl) || (m.WParam & MK_CONTROL)) && IntelliZoom()) {
        for (int i = 0; i < notches; ++i) Zoom(down ? lines : -lines);
        return;
    }
    if (!EnableWheel() || (FixedRowAlways() && RowCount() == 1)) return;
    const int inc = FMouseActions->WheelIncrement();
    const int step = inc >= 1 ? inc : lines;
    const bool scroll = FMouseActions->WheelAction() == waScroll;
    const TGridRect before = Selection();
    for (int i = 0; i < notches; ++i) {
        int newRow = Row();
        if (scroll) {
            if (down && TopRow() < RowCount() - VisibleRowCount())
                SetTopRow(std::min(TopRow() + step, MaxTopRow()));
            else if (!down && TopRow() > FixedRows())
                SetTopRow(std::max(FixedRows(), TopRow() - step));
        } else {
            newRow = down ? Row() + step : Row() - step;
        }
        newRow = std::clamp(newRow, FixedRows(), std::max(FixedRows(), LastNormalRow()));
        int moved = 0;
        if (!scroll && newRow != Row() && IsNormalCell(Col(), newRow)) {
            if (FMouseActions->DisjunctRowSelect()) ClearRowSelect();
            const int old = Row();
            MoveColRow(Col(), newRow, true, true);
            if (Row() != newRow) {
                // Refused by the cell-change check: half the way.
                const int half = int(std::nearbyint(old + (newRow - old) / 2.0));
                if (half != old && IsNormalCell(Col(), half)) MoveColRow(Col(), half, true, true);
            }
            moved = Row() - old;
        }
        bool handled = true;
        WheelNotify(moved, handled);
        if ((inc != 0 || FMouseActions->DisjunctRowSelect()) && handled) {
            bool h = false;
            const TShiftState s = FMouseActions->DisjunctRowSelect() ? keys : TShiftState{};
            const TPoint pos = FMouseActions->DisjunctRowSelect() ? TPoint(LParamX(m.LParam), LParamY(m.LParam)) : TPoint();
            if (down && OnMouseWheelDown) OnMouseWheelDown(this, s, pos, h);
            if (!down && OnMouseWheelUp) OnMouseWheelUp(this, s, pos, h);
        }
    }
    const TGridRect after = Selection();
    if (!(after == before)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TAdvStringGrid::HandleWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled)
{
    HandleWheel(true, Shift, MousePos, Handled);
}

void TAdvStringGrid::HandleWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled)
{
    HandleWheel(false, Shift, MousePos, Handled);
}

// The platform's wheel step, reached when the wheel message is handed on.
void TAdvStringGrid::HandleWheel(bool Down, TShiftState Shift, TPoint MousePos, bool& Handled)
{
    if (FMouseActions->WheelAction() == waScroll || !EnableWheel()) {
        Handled = false;
        const TMouseWheelUpDownEvent& ev = Down ? OnMouseWheelDown : OnMouseWheelUp;
        if (ev) ev(this, Shift, MousePos, Handled);
        return;
    }
    // Moving by the wheel opens no editors.
    const bool direct = FMouseActions->DirectEdit();
    FMouseActions->SetDirectEdit(false);
    struct TRestore {
        TMouseActions* m;
        bool v;
        ~TRestore() { m->SetDirectEdit(v); }
    } restore{FMouseActions, direct};
    Handled = Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos) : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
}

bool TAdvStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    HandleWheelDown(Shift, MousePos, handled);
    return handled;
}

bool TAdvStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    HandleWheelUp(Shift, MousePos, handled);
    return handled;
}

void TAdvStringGrid::Zoom(int x)
{
    if (FZoomFactor + x < -kZoomLimit || FZoomFactor + x > kZoomLimit) return;
    FZoomFactor += x;
    {
        BeginUpdate();
        // Resizing under the zoom leaves the bars alone until it is done.
        const TFlagScope lock(FScrollLock);
        struct TEnd {
            TAdvStringGrid* g;
            ~TEnd() { g->EndUpdate(); }
        } end{this};
        for (int c = 0; c < ColCount(); ++c)
            if (const int w = ColWidths(c); w > 0 && w + x > 0) SetColWidths(c, w + x);
        for (int r = 0; r < RowCount(); ++r)
            if (const int h = RowHeights(r); h > 0 && h + x > 0) SetRowHeights(r, h + x);
    }
    UpdateVertScrollRange();
    UpdateHorzScrollRange();
}

// ---- sizes ----------------------------------------------------------------------------------------

void TAdvStringGrid::UpdateColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TAdvStringGrid::ColWidthsChanged()
{
    TBaseGrid::ColWidthsChanged();
    ColSizeFlg = true;
    if (!ColSized || Colclicked < 0 || Colclicked >= ColCount()) return;
    ColSized = false;
    const int col = Colclicked;
    if (FMouseActions->AllColumnSize() && Colclickedsize > 0) {
        const double factor = double(ColWidths(col)) / Colclickedsize;
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (c != col) SetColWidths(c, int(std::nearbyint(ColWidths(c) * factor)));
    }
    if (OnEndColumnSize) OnEndColumnSize(this, col);
    const int w = ColWidths(col);
    int nw = w;
    UpdateColumnSize(col, nw);
    if (nw != w && nw >= 0) SetColWidths(col, nw);
    Colclicked = -1;
    Rowclicked = -1;
}

void TAdvStringGrid::RowHeightsChanged()
{
    TBaseGrid::RowHeightsChanged();
    if (!RowSized || Rowclicked < 0 || Rowclicked >= RowCount()) return;
    RowSized = false;
    const int row = Rowclicked;
    if (FMouseActions->AllRowSize() && Rowclickedsize > 0) {
        const double factor = double(RowHeights(row)) / Rowclickedsize;
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (r != row) SetRowHeights(r, int(std::nearbyint(RowHeights(r) * factor)));
    }
    if (OnEndRowSize) OnEndRowSize(this, row);
    Colclicked = -1;
    Rowclicked = -1;
}

void TAdvStringGrid::ScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)
{
    if (OnScrollCell) OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

void TAdvStringGrid::FormResized(TObject* Sender)
{
    if (IsDesigning() || HasState(csDestroying)) return;
    auto* form = dynamic_cast<TCustomForm*>(Sender);
    if (!form || !SizeWithForm()) return;
    // The grid grows and shrinks by what the form did since the last time.
    const int w = Width() + form->Width() - PrevSizeX();
    const int h = Height() + form->Height() - PrevSizeY();
    if (w <= 0 || h <= 0) return;
    SetBounds(Left(), Top(), w, h);
    SetPrevSizeX(form->Width());
    SetPrevSizeY(form->Height());
}
