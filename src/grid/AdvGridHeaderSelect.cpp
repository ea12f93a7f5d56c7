// Selecting with the headers: a press on the top-left corner selects all
// normal cells, a press on a row (column) header selects the whole row
// (column), and dragging on along the headers extends the selection one row
// or column per move, scrolling the rows while the pointer rests at the top
// or bottom.

#include "AdvGrid.h"

#include "AdvObj.h"

#include <algorithm>

namespace {

// A pointer this close to the grid's bottom scrolls a row header drag down.
constexpr int kHeaderSelectScrollZone = 4;

} // namespace

void TAdvStringGrid::HeaderSelectPress(int ACol, int ARow, TShiftState Shift)
{
    const int fc = FixedCols(), fr = FixedRows();
    const TGridRect prev = Selection();
    auto focusGrid = [this] {
        if (CanFocus() && !TWinControl::Focused()) SetFocus();
    };
    // The old selection goes hidden first so that the change repaints once.
    auto select = [this](const TGridRect& r) {
        HideSelection();
        SetSelection(r);
        FSelHidden = false;
        HideInplaceEdit();
    };
    if (ACol < fc && ARow < fr) {
        if (!FMouseActions->AllSelect() || !Options().Contains(goRangeSelect) || FMouseSelectMode != msAll) return;
        focusGrid();
        ExportNotification(esExportStart, -1);
        ExportNotification(esExportNewRow, RowCount() - 1);
        ExportNotification(esExportFail, -1);
        TGridRect all{fc, fr, ColCount() - 1, RowCount() - 1};
        AdjustAllSelection(all);
        select(all);
    } else if (ACol < fc && ARow >= fr) {
        if (!FMouseActions->RowSelect() || FMouseSelectMode != msRow) return;
        focusGrid();
        if (FMouseActions->DisjunctCellSelect()) ClearSelectedCells();
        const int from = Shift.Contains(ssShift) ? prev.Top : ARow;
        select(TGridRect{fc, std::min(from, ARow), ColCount() - 1, std::max(from, ARow)});
        FMouseSelectStart = ARow;
        if (RowIndicator() && !RowIndicator()->Empty()) RepaintCol(0);
    } else if (ARow < fr && ACol >= fc) {
        if (!FMouseActions->ColSelect() || !Options().Contains(goRangeSelect) || FMouseSelectMode != msColumn) return;
        focusGrid();
        if (FMouseActions->DisjunctCellSelect()) ClearSelectedCells();
        int left = ACol, right = ACol;
        if (Shift.Contains(ssShift)) {
            if (ACol < prev.Left) right = prev.Right;
            else left = prev.Left;
        }
        select(TGridRect{left, fr, right, RowCount() - 1});
        FMouseSelectStart = ACol;
    }
}

void TAdvStringGrid::HeaderSelectMove(int X, int Y)
{
    if (FMouseSelectStart < 0) return;
    const TGridRect before = Selection();
    const TGridCoord cell = MouseCoord(X, Y);
    const int fc = FixedCols(), fr = FixedRows();
    if (FMouseSelectMode == msRow && FMouseActions->RowSelect()) {
        if (cell.Y >= fr && cell.Y < RowCount() - FixedFooters()) {
            const int start = std::max(fr, FMouseSelectStart), row = std::max(fr, cell.Y);
            const TGridRect s{fc, std::min(start, row), ColCount() - 1, std::max(start, row)};
            if (!(s == before)) SetSelection(s);
        }
        // One row per move, not per time: the pointer must keep moving.
        if (Y > ClientHeight() - kHeaderSelectScrollZone) {
            if (TopRow() < MaxTopRow()) SetTopRow(TopRow() + 1);
        } else if (fr > 0 && Y < RowHeights(0) && TopRow() > fr) {
            SetTopRow(TopRow() - 1);
        }
    } else if (FMouseSelectMode == msColumn && FMouseActions->ColSelect()) {
        if (cell.X >= fc && cell.X < ColCount()) {
            const int start = std::max(fc, FMouseSelectStart), col = std::max(fc, cell.X);
            const TGridRect s{std::min(start, col), fr, std::max(start, col), RowCount() - 1};
            if (!(s == before)) SetSelection(s);
        }
    }
    const TGridRect after = Selection();
    if (!(after == before)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}
