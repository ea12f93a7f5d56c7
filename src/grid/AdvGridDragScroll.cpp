// Scrolling under a drag: a drag resting within a margin of the grid's
// edges scrolls one row or column per tick, after a first longer wait.

#include "AdvGrid.h"

#include "AdvGridLook.h"
#include "ExtCtrls.h"

#include <algorithm>

void TAdvStringGrid::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    HandleDragOver(Source, X, Y, State, Accept);
}

void TAdvStringGrid::StopDragScroll()
{
    if (!FDragTmr) return;
    FDragTmr->SetEnabled(false);
    FreeAndNil(FDragTmr);
}

void TAdvStringGrid::HandleDragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    TDragScrollOptions* o = FDragScrollOptions;
    if (!o || !o->Active()) {
        StopDragScroll();
    } else {
        const TDragScrollDirections previous = FDragScrollDirection;
        FDragScrollDirection = {};
        if (State == dsDragLeave) {
            StopDragScroll();
        } else {
            const TDragScrollMargins* m = o->Margins();
            if (Y < m->TopMargin()) FDragScrollDirection += dsdUp;
            else if (Y > Height() - m->BottomMargin()) FDragScrollDirection += dsdDown;
            if (X < m->LeftMargin()) FDragScrollDirection += dsdLeft;
            else if (X > Width() - m->RightMargin()) FDragScrollDirection += dsdRight;
            const int initial = o->Delays()->InitialDelay();
            if (FDragScrollDirection.Empty()) {
                StopDragScroll();
            } else if (!FDragTmr) {
                // The grid owns its timer: none outlives it.
                FDragTmr = new TTimer(this);
                FDragTmr->SetInterval(unsigned(std::max(initial, 1)));
                FDragTmr->SetOnTimer([this](TObject*) { DragScrollTick(); });
                FDragTmr->SetEnabled(true);
            } else if (!FDragTmr->Enabled()) {
                FDragTmr->SetInterval(unsigned(std::max(initial, 1)));
                FDragTmr->SetEnabled(true);
            } else if (!previous.Empty()) {
                FDragTmr->SetInterval(unsigned(std::max(initial, 1)));
            }
        }
    }
    TBaseGrid::DragOver(Source, X, Y, State, Accept);
}

void TAdvStringGrid::DragScrollTick()
{
    TDragScrollOptions* o = FDragScrollOptions;
    if (!o || !o->Active()) {
        // Inside its own tick the timer is only stopped; the next drag event
        // frees it.
        if (FDragTmr) FDragTmr->SetEnabled(false);
        FDragScrollDirection = {};
        return;
    }
    if (FDragTmr) FDragTmr->SetInterval(unsigned(std::max(o->Delays()->RepeatDelay(), 1)));
    bool canScroll = true;
    if (OnDragScroll) OnDragScroll(this, TopRow(), LeftCol(), FDragScrollDirection, canScroll);
    if (!canScroll) return;
    const TDragScrollDirections d = FDragScrollDirection;
    if (d.Contains(dsdUp) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
    if (d.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
    if (d.Contains(dsdLeft) && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
    if (d.Contains(dsdRight) && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
}
