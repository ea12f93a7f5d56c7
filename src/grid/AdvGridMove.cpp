// The string grid's column and row moving: what a move carries along (column
// order, widths, hidden columns and rows, sort column, current cell, the
// synchronised grid) and the enhanced move with its arrows and cursors.

#include "AdvGrid.h"

#include "AdvGridDragDrop.h"
#include "AdvGridSmallControls.h"
#include "AdvGridSort.h"
#include "Forms.h"

#include <algorithm>

namespace {

template <class V>
void RotateItems(V& v, int From, int To)
{
    if (From < 0 || To < 0 || From >= int(v.size()) || To >= int(v.size()) || From == To) return;
    if (From < To) std::rotate(v.begin() + From, v.begin() + From + 1, v.begin() + To + 1);
    else std::rotate(v.begin() + To, v.begin() + From, v.begin() + From + 1);
}

} // namespace

void TAdvStringGrid::RotateColumnState(int FromIndex, int ToIndex)
{
    const int realFrom = RealColIndex(FromIndex), realTo = RealColIndex(ToIndex);
    if (!FHiddenCols.empty()) {
        for (int& h : FHiddenCols) h = RotatedIndex(h, realFrom, realTo);
        std::sort(FHiddenCols.begin(), FHiddenCols.end());
    }
    RotateItems(FAllColWidths, realFrom, realTo);
}

void TAdvStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    const int realFrom = RealColIndex(FromIndex), realTo = RealColIndex(ToIndex);
    if (realFrom < FColumnOrder->Count() && realTo < FColumnOrder->Count()) {
        const int v = FColumnOrder->Items(realFrom);
        FColumnOrder->Delete(realFrom);
        FColumnOrder->Insert(realTo, v);
    }
    if (EnhRowColMove()) {
        if (FOwnMove) {
            std::vector<int> widths;
            for (int c = 0; c < ColCount(); ++c) widths.push_back(ColWidths(c));
            RotateItems(widths, FromIndex, ToIndex);
            for (int c = std::min(FromIndex, ToIndex); c <= std::max(FromIndex, ToIndex); ++c)
                if (ColWidths(c) != widths[size_t(c)]) SetColWidths(c, widths[size_t(c)]);
        }
        ColMoveFlg = true;
    }
    if (!FHiddenCols.empty()) RotateColumnState(FromIndex, ToIndex);
    TBaseGrid::ColumnMoved(realFrom, realTo);
    for (const auto& item : FGridItems) RotateItems(item->Cells(), realFrom, realTo);
    if (FSortSettings && FSortSettings->Column() >= 0) FSortSettings->SetColumn(RotatedIndex(FSortSettings->Column(), realFrom, realTo));
    if (FOwnMove) {
        const int c = RotatedIndex(Col(), FromIndex, ToIndex);
        if (c != Col() && IsNormalCell(c, Row())) {
            const TFlagScope force(FForceSel);
            MoveColRow(c, Row(), true, false);
        }
    }
    if (auto* g = dynamic_cast<TAdvStringGrid*>(FSyncGrid->Grid()); g && FSyncGrid->MoveColumn() && !FSyncedMove) {
        const TFlagScope synced(g->FSyncedMove);
        g->MoveColumn(FromIndex, ToIndex);
    }
}

void TAdvStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    TMovedEvent moved = std::move(OnRowMoved);
    OnRowMoved = nullptr;
    try {
        TBaseGrid::RowMoved(FromIndex, ToIndex);
    } catch (...) {
        OnRowMoved = std::move(moved);
        throw;
    }
    OnRowMoved = std::move(moved);
    if (EnhRowColMove()) {
        if (FOwnMove) {
            const int lo = std::min(FromIndex, ToIndex), hi = std::max(FromIndex, ToIndex);
            std::vector<int> heights;
            for (int r = lo; r <= hi; ++r) heights.push_back(RowHeights(r));
            RotateItems(heights, FromIndex - lo, ToIndex - lo);
            for (int r = lo; r <= hi; ++r)
                if (RowHeights(r) != heights[size_t(r - lo)]) SetRowHeights(r, heights[size_t(r - lo)]);
        }
        ColMoveFlg = true;
    }
    if (FOwnMove) {
        const int r = RotatedIndex(Row(), FromIndex, ToIndex);
        if (r != Row() && IsNormalCell(Col(), r)) {
            const TFlagScope force(FForceSel);
            MoveColRow(Col(), r, true, false);
        }
    }
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
    if (auto* g = dynamic_cast<TAdvStringGrid*>(FSyncGrid->Grid()); g && FSyncGrid->MoveRow() && !FSyncedMove) {
        const TFlagScope synced(g->FSyncedMove);
        g->MoveRow(FromIndex, ToIndex);
    }
}

// ---- the enhanced move --------------------------------------------------------------------------

bool TAdvStringGrid::EnhancedMoving() const
{
    return FEnhMove && (GridState() == gsColMoving || GridState() == gsRowMoving);
}

void TAdvStringGrid::ShowMoveArrows(int X, int Y)
{
    const bool cols = GridState() == gsColMoving;
    if (Movecell < 0) return;
    if (!FEnhMove) {
        bool allow = true;
        if (cols && OnColumnMove) OnColumnMove(this, Movecell, allow);
        if (!cols && OnRowMove) OnRowMove(this, Movecell, allow);
        if (!allow) {
            // Refused at the start: the move ends at once, nothing moves.
            SetGridState(gsNormal);
            KillTimer(1);
            SetMouseCapture(false);
            Invalidate();
            return;
        }
        FEnhMove = true;
        StartBlockFocus();
    }
    MoveAutoScroll(X, Y, cols);
    const TGridCoord at = MouseCoord(std::clamp(X, 0, std::max(0, Width() - 1)), std::clamp(Y, 0, std::max(0, Height() - 1)));
    int target = cols ? at.X : at.Y;
    const int first = cols ? FixedCols() : FixedRows();
    const int last = cols ? ColCount() - 1 : RowCount() - 1;
    if (target < 0) target = cols ? (X < 0 ? first : last) : (Y < 0 ? first : last);
    target = std::clamp(target, first, last);
    FMoveTarget = target;
    bool allow = true;
    if (cols && OnColumnMoving) OnColumnMoving(this, target, allow);
    if (!cols && OnRowMoving) OnRowMoving(this, target, allow);
    FEnhMoveRefused = !allow;
    if (Screen) Screen->SetCursor(allow ? crDrag : crNoDrop);
    const TRect r = CellRect(cols ? target : 0, cols ? 0 : target);
    TArrowWindow* a = cols ? ArwD : ArwR;
    TArrowWindow* b = cols ? ArwU : ArwL;
    if (!a || !b) return;
    // The arrows point at the edge the moved line would take: the left
    // (top) edge when it goes before the target, else the right (bottom) one.
    const bool before = target < Movecell;
    if (cols) {
        const int x = before ? r.Left : r.Right;
        const TPoint top = ClientToScreen(TPoint(x - a->Width() / 2, r.Top - a->Height()));
        const TPoint bottom = ClientToScreen(TPoint(x - b->Width() / 2, r.Bottom));
        a->SetBounds(top.X, top.Y, a->Width(), a->Height());
        b->SetBounds(bottom.X, bottom.Y, b->Width(), b->Height());
    } else {
        const int y = before ? r.Top : r.Bottom;
        const TRect rr = CellRect(ColCount() - 1, target);
        const TPoint left = ClientToScreen(TPoint(r.Left - a->Width(), y - a->Height() / 2));
        const TPoint right = ClientToScreen(TPoint(rr.Right, y - b->Height() / 2));
        a->SetBounds(left.X, left.Y, a->Width(), a->Height());
        b->SetBounds(right.X, right.Y, b->Width(), b->Height());
    }
    a->SetVisible(true);
    b->SetVisible(true);
    ShowMoveFeedback(X, Y, cols);
}

void TAdvStringGrid::MoveAutoScroll(int X, int Y, bool Cols)
{
    // Beyond the fixed lines or the far edge, one line a move, while lines
    // are out of sight that way.
    auto fixedExtent = [this](bool cols) {
        int e = 0;
        for (int i = 0; i < (cols ? FixedCols() : FixedRows()); ++i)
            e += (cols ? ColWidths(i) : RowHeights(i)) + GridLineWidth();
        return e;
    };
    if (Cols) {
        if (X < fixedExtent(true) && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
        else if (X > Width() && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
        else return;
    } else {
        if (Y < fixedExtent(false) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
        else if (Y > Height() && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
        else return;
    }
    Invalidate();
}

void TAdvStringGrid::ShowMoveFeedback(int X, int Y, bool Cols)
{
    // The moved line follows the pointer where it was pressed: as a picture
    // of its visible cells, or as a header button.
    const bool showCells = !FDragDropSettings || FDragDropSettings->ShowCells();
    const TGridCoord at =
        MouseCoord(std::clamp(X, 0, std::max(0, Width() - 1)), std::clamp(Y, 0, std::max(0, Height() - 1)));
    TControl* shown = nullptr;
    int w = 0, h = 0;
    if (showCells) {
        if (!MoveForm) {
            const int lastRow = std::clamp(TopRow() + VisibleRowCount() - 1, 0, RowCount() - 1);
            const int lastCol = std::clamp(LeftCol() + VisibleColCount() - 1, 0, ColCount() - 1);
            MoveForm = SelectionToForm(Cols ? TGridRect{Movecell, 0, Movecell, lastRow}
                                            : TGridRect{0, Movecell, lastCol, Movecell});
        }
        shown = MoveForm;
        w = MoveForm->Width();
        h = MoveForm->Height();
    } else if (MoveButton) {
        shown = MoveButton;
        if (Cols) {
            MoveButton->SetCaption(Cells(RealColIndex(Movecell), 0));
            w = ColWidths(Movecell);
            h = RowHeights(at.Y >= 0 ? at.Y : 0);
        } else {
            MoveButton->SetCaption(Cells(RealColIndex(0), Movecell));
            w = ColWidths(at.X >= 0 ? at.X : 0);
            h = RowHeights(Movecell);
        }
        MoveButton->Invalidate();
    }
    if (!shown) return;
    const TPoint p = ClientToScreen(TPoint(X - MoveOfsX, Y - MoveOfsY));
    shown->SetBounds(p.X, p.Y, w, h);
    shown->SetVisible(true);
}

void TAdvStringGrid::HideMoveArrows()
{
    for (TArrowWindow* a : {ArwU, ArwD, ArwL, ArwR})
        if (a) a->SetVisible(false);
    if (MoveButton) MoveButton->SetVisible(false);
    if (MoveForm) {
        TForm* f = MoveForm;
        MoveForm = nullptr;
        Free(f);
    }
}

void TAdvStringGrid::EndEnhancedMove(bool Apply, int X, int Y)
{
    (void)X;
    (void)Y;
    const bool cols = GridState() == gsColMoving;
    const int from = Movecell, to = FMoveTarget;
    const bool refused = FEnhMoveRefused;
    HideMoveArrows();
    FEnhMove = false;
    FEnhMoveRefused = false;
    FMoveTarget = -1;
    SetGridState(gsNormal);
    KillTimer(1);
    SetMouseCapture(false);
    EndBlockFocus();
    if (Screen) Screen->SetCursor(crDefault);
    ColMoveFlg = true;
    if (!Apply || refused) {
        if (cols) RepaintRow(0);
        else RepaintCol(0);
        Invalidate();
        return;
    }
    if (from >= 0 && to >= 0 && from != to) {
        if (cols && to >= FixedCols()) MoveColumn(from, to);
        if (!cols && to >= FixedRows()) MoveRow(from, to);
    }
    Invalidate();
}

void TAdvStringGrid::StartBlockFocus()
{
    if (OnStartBlockFocus) OnStartBlockFocus(this);
}

void TAdvStringGrid::EndBlockFocus()
{
    if (OnEndBlockFocus) OnEndBlockFocus(this);
}

void TAdvStringGrid::WMCancelMode(TMessage& m)
{
    if (EnhancedMoving()) EndEnhancedMove(false, 0, 0);
    FEnhMove = false;
    HideMoveArrows();
    ColSized = false;
    RowSized = false;
    FSizingHint.clear();
    if (FPushedCellButton.X >= 0) {
        PushButton(RealColIndex(FPushedCellButton.X), FPushedCellButton.Y, false);
        FPushedCellButton = TPoint(-1, -1);
    }
    TBaseGrid::WndProc(m);
}
