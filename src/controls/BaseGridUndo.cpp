#include "BaseGrid.h"

TAdvGridUndoRedo::TAdvGridUndoRedo(TComponent* AOwner) : TComponent(AOwner), FItems(new TUndoRedoCollection) {}

TAdvGridUndoRedo::~TAdvGridUndoRedo()
{
    Free(FItems);
}

void TAdvGridUndoRedo::SetGrid(TBaseGrid* v)
{
    FGrid = v;
    if (v) FreeNotification(v);
}

void TAdvGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FGrid) FGrid = nullptr;
}

void TAdvGridUndoRedo::RegisterChange(int ACol, int ARow, const QString& OldValue, const QString& NewValue)
{
    // Writes made by an undo or redo are not changes of their own.
    if (FApplying) return;
    if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel) FItems->Delete(0);
    TUndoRedoItem* item = FItems->Add();
    item->SetCol(ACol);
    item->SetRow(ARow);
    item->SetValue(NewValue);
    item->SetOrigValue(OldValue);
    // Undone steps above the old level stay below the new one.
    FLevel = FItems->Count();
}

void TAdvGridUndoRedo::AddMarker(bool start)
{
    if (FApplying) return;
    TUndoRedoItem* item = FItems->Add();
    item->SetSequenceStart(start);
    item->SetSequenceStop(!start);
    FLevel = FItems->Count();
}

void TAdvGridUndoRedo::StartSequence() { AddMarker(true); }
void TAdvGridUndoRedo::StopSequence() { AddMarker(false); }

void TAdvGridUndoRedo::Apply(TUndoRedoItem* Item, bool undo)
{
    const int c = Item->Col(), r = Item->Row();
    const QString next = undo ? Item->OrigValue() : Item->Value();
    const TAdvGridUndoRedoEvent& ev = undo ? OnUndo : OnRedo;
    if (ev) ev(this, FGrid, c, r, FGrid->Cells(c, r), next);
    if (!FGrid) return;  // the handler took the grid away
    FGrid->SetCells(c, r, next);
    // The current cell follows when the cell is one that can be current.
    const int dc = FGrid->DisplColIndex(c);
    if (dc >= FGrid->FixedCols() && dc < FGrid->ColCount() && r >= FGrid->FixedRows() && r < FGrid->RowCount()) {
        FGrid->SetCol(dc);
        FGrid->SetRow(r);
    }
}

namespace {

struct TApplyingGuard {
    bool& Flag;
    explicit TApplyingGuard(bool& f) : Flag(f) { Flag = true; }
    ~TApplyingGuard() { Flag = false; }
};

} // namespace

void TAdvGridUndoRedo::Undo()
{
    if (!FGrid || FApplying || FLevel <= 0 || FLevel > FItems->Count()) return;
    TApplyingGuard guard(FApplying);
    TUndoRedoItem* item = FItems->Items(FLevel - 1);
    if (item->SequenceStop()) {
        // The whole sequence, newest first, down to its start marker (or the
        // bottom when that marker was trimmed); markers write nothing.
        --FLevel;
        while (FLevel > 0) {
            TUndoRedoItem* it = FItems->Items(FLevel - 1);
            --FLevel;
            if (it->SequenceStart()) break;
            if (!it->IsMarker()) Apply(it, true);
            if (!FGrid) return;
        }
        FGrid->Invalidate();
        return;
    }
    --FLevel;
    if (item->IsMarker()) return;  // the start of a still open sequence
    Apply(item, true);
    if (FGrid) FGrid->RepaintCell(FGrid->Col(), item->Row());
}

void TAdvGridUndoRedo::Redo()
{
    if (!FGrid || FApplying || FLevel < 0 || FLevel >= FItems->Count()) return;
    TApplyingGuard guard(FApplying);
    TUndoRedoItem* item = FItems->Items(FLevel);
    ++FLevel;
    if (item->SequenceStart()) {
        // Oldest first, up to and past the stop marker (or the end of an
        // open sequence).
        while (FLevel < FItems->Count()) {
            TUndoRedoItem* it = FItems->Items(FLevel);
            ++FLevel;
            if (it->SequenceStop()) break;
            if (!it->IsMarker()) Apply(it, false);
            if (!FGrid) return;
        }
        FGrid->Invalidate();
        return;
    }
    if (item->IsMarker()) return;  // a stop marker met on its own
    Apply(item, false);
    if (FGrid) FGrid->RepaintCell(FGrid->Col(), item->Row());
}

void TAdvGridUndoRedo::Reset()
{
    while (FItems->Count() > 0) FItems->Delete(0);
    FLevel = 0;
}
