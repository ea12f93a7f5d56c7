// Where a drag over the string grid would land: the decision of the drop
// target on every drag-over (append zone, refusals over fixed rows, the
// scroll at the edges), the arrow windows that mark the place, and the
// column a column chooser hands back to the grid.

#include "AdvGrid.h"
#include "AdvGridDragDrop.h"
#include "AdvGridSmallControls.h"
#include "StdCtrls.h"

#include <algorithm>

namespace {

// The down arrow stands this far above the top of the column it marks; the
// left arrow this far left of the cell.
constexpr int kDragMarksAboveColumn = 8;
constexpr int kDragMarksLeftOfCell = 10;
// Without fixed rows, a pointer this close to the top scrolls up.
constexpr int kDragMarksTopZone = 8;

void DragMarksPlace(TArrowWindow* a, TPoint ScreenTopLeft)
{
    if (!a) return;
    a->SetBounds(ScreenTopLeft.X, ScreenTopLeft.Y, a->Width(), a->Height());
    a->SetVisible(true);
}

void DragMarksHide(TControl* c)
{
    if (c) c->SetVisible(false);
}

}  // namespace

// ---- the drop target's drag-over ----------------------------------------------------------

bool TGridDropTarget::AppendZoneAt(TPoint Client, int& ACol, int& ARow) const
{
    const TDragDropSettings* dd = FGrid->DragDropSettings();
    if (ARow != -1 || !dd || !dd->OleEntireRows() || !dd->OleAppendRows() || FGrid->RowCount() == 0) return false;
    if (Client.X < 0 || Client.X >= FGrid->ClientWidth()) return false;
    // Only a last row on the screen has a bottom to be below of.
    const TRect last = FGrid->CellRect(std::min(FGrid->FixedCols(), FGrid->ColCount() - 1), FGrid->RowCount() - 1);
    if (last.IsEmpty() || Client.Y < last.Bottom) return false;
    ACol = FGrid->FixedCols();
    ARow = FGrid->RowCount() - 1;
    return true;
}

void TGridDropTarget::DragAutoScroll(TPoint Client, int ACol, int ARow)
{
    TAdvStringGrid* g = FGrid;
    const int top = g->TopRow();
    if ((ARow == 0 && top > g->FixedRows())
        || (g->FixedRows() == 0 && Client.Y < kDragMarksTopZone && top > 0))
        g->SetTopRow(top - 1);
    else if (ARow == top + g->VisibleRowCount() && ARow < g->RowCount())
        g->SetTopRow(top + 1);
    // Sideways at most once a timer tick: columns are wide, the pointer fast.
    if (g->TimerTicks() == FScrollTick) return;
    const int left = g->LeftCol();
    bool scrolled = false;
    if (ACol == 0 && left > g->FixedCols()) {
        g->SetLeftCol(left - 1);
        scrolled = true;
    } else if (ACol == left + g->VisibleColCount() && ACol < g->ColCount()) {
        g->SetLeftCol(left + 1);
        scrolled = true;
    }
    if (scrolled) FScrollTick = g->TimerTicks();
}

void TGridDropTarget::DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats)
{
    TAdvStringGrid* g = FGrid;
    const bool colData = Formats.Contains(dfCol);
    int c = -1, r = -1;
    g->ScreenToCell(Pt, c, r);
    const TPoint p = g->ScreenToClient(Pt);
    const bool append = !colData && AppendZoneAt(p, c, r);
    const TRect lastHeader = g->ColCount() > 0 ? g->CellRect(g->ColCount() - 1, 0) : TRect();
    Allow = c >= 0 && r >= 0;
    if (Allow && !colData) {
        DragAutoScroll(p, c, r);
        g->ScreenToCell(Pt, c, r);  // the cell under the pointer after a scroll
        if (append) {
            c = g->FixedCols();
            r = g->RowCount() - 1;
        }
        Allow = c >= 0 && r >= 0;
    }
    if (!colData) {
        // Cells and text land in normal rows, or in the one row of a grid
        // that keeps its fixed row.
        if (r >= 0 && r < g->FixedRows() && !(r == 0 && g->RowCount() == 1 && g->FixedRowAlways())) Allow = false;
    } else if (c < 0 && !lastHeader.IsEmpty() && p.X >= lastHeader.Right && p.Y >= 0 && p.Y < g->ClientHeight()) {
        // Beyond the last column: the column goes to the end.
        c = g->ColCount();
        r = 0;
        Allow = true;
    } else if (r >= 0 && r < g->FixedRows()) {
        if (c < g->FixedCols()) Allow = false;
    } else {
        Allow = false;
    }
    if (Formats.Contains(dfFile) || Formats.Contains(dfGridCells)) Allow = true;
    if (g->OnOleDragOver) g->OnOleDragOver(g, r, c, Allow);
    const bool valid = c >= 0 && r >= 0;
    Allow = Allow && (valid || Formats.Contains(dfFile));
    if (Allow && colData) {
        g->ShowColumnDropMarks(c, r);
    } else if (Allow && valid) {
        if (r == 0 && g->FixedRowAlways()) g->ShowRowDropMark(c, 1, false);
        else g->ShowRowDropMark(c, r, append);
    } else {
        g->HideDropMarks();
    }
}

void TGridDropTarget::DragMouseLeave()
{
    FGrid->HideDropMarks();
}

// ---- the arrows ----------------------------------------------------------------------------

TRect TAdvStringGrid::DropMarkCell(int ACol, int ARow) const
{
    if (ColCount() == 0 || RowCount() == 0) return TRect();
    // A place just past the last column or row sits right of (below) it.
    const int c = std::min(ACol, ColCount() - 1), r = std::min(ARow, RowCount() - 1);
    TRect rc = CellRect(c, r);
    if (rc.IsEmpty()) return rc;
    if (ACol > c) rc = TRect(rc.Right, rc.Top, rc.Right + (rc.Right - rc.Left), rc.Bottom);
    if (ARow > r) rc = TRect(rc.Left, rc.Bottom, rc.Right, rc.Bottom + (rc.Bottom - rc.Top));
    return rc;
}

void TAdvStringGrid::ShowColumnDropMarks(int ACol, int ARow)
{
    DragMarksHide(ArwL);
    const TRect rc = DropMarkCell(ACol, ARow);
    if (rc.IsEmpty() || !ArwD || !ArwU) {
        HideDropMarks();
        return;
    }
    DragMarksPlace(ArwD, ClientToScreen(TPoint(rc.Left, rc.Top - kDragMarksAboveColumn)));
    DragMarksPlace(ArwU, ClientToScreen(TPoint(rc.Left, rc.Bottom)));
}

void TAdvStringGrid::ShowRowDropMark(int ACol, int ARow, bool AppendZone)
{
    DragMarksHide(ArwD);
    DragMarksHide(ArwU);
    const bool entireRows = FDragDropSettings && FDragDropSettings->OleEntireRows();
    // With whole rows the arrow points at the row's first normal cell.
    TRect rc = DropMarkCell(entireRows ? FixedCols() : ACol, ARow);
    if (rc.IsEmpty() || !ArwL) {
        HideDropMarks();
        return;
    }
    const int top = AppendZone ? rc.Top + RowHeights(std::min(ARow, RowCount() - 1)) : rc.Top;
    DragMarksPlace(ArwL, ClientToScreen(TPoint(rc.Left - kDragMarksLeftOfCell, top)));
}

void TAdvStringGrid::HideDropMarks()
{
    DragMarksHide(ArwD);
    DragMarksHide(ArwU);
    DragMarksHide(ArwL);
    DragMarksHide(MoveButton);
}

// ---- the column chooser --------------------------------------------------------------------

void TAdvStringGrid::OleColumnDragStart(int ACol, int AIndex, TCustomListBox* AList)
{
    FOleDragCol = ACol;
    FOleDragIndex = AIndex;
    FOleDragList = AList;
}

bool TAdvStringGrid::DropAnnouncedColumn(int ACol)
{
    if (FOleDragCol < 0) return false;
    const int announced = FOleDragCol;
    const int index = FOleDragIndex;
    TCustomListBox* list = FOleDragList.Get();
    FOleDragCol = -1;
    FOleDragIndex = -1;
    FOleDragList = nullptr;
    if (list && index >= 0 && index < list->Count()) list->Items()->Delete(index);
    // The column's place among the real columns; without a recorded order
    // every column is where it started.
    int at = -1;
    if (FColumnOrder->Count() == 0) {
        if (announced < TotalColCount()) at = announced;
    } else {
        for (int i = 0; i < FColumnOrder->Count(); ++i)
            if (FColumnOrder->Items(i) == announced) {
                at = i;
                break;
            }
    }
    if (at < 0) return true;
    UnHideColumn(at);
    const int from = DisplColIndex(at);
    const int to = std::clamp(ACol, FixedCols(), std::max(FixedCols(), ColCount() - 1));
    if (from >= 0 && from != to) {
        // Widths travel with the column, as in a move by the header.
        const TFlagScope enh(FEnhRowColMove);
        MoveColumn(from, to);
    }
    return true;
}
