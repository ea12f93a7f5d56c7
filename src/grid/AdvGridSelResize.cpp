// The selection resizer: the small handle at the bottom-right corner of the
// selection. A press on it copies the selection to the clipboard and starts
// a plain range drag from the selection's top-left cell; the release pastes
// the copy into the new selection (a larger one is filled as a series).
#include "AdvGrid.h"

namespace {
constexpr int kSelResizeHandleSize = 6;
}  // namespace

bool TAdvStringGrid::OnSelectionResizer(int X, int Y) const
{
    if (!SelectionResizer() || !SelectionRectangle()) return false;
    const TGridRect s = Selection();
    if (s.Right < 0 || s.Bottom < 0) return false;
    const TRect r = CellRect(s.Right, s.Bottom);
    return X >= r.Right - kSelResizeHandleSize && X < r.Right && Y >= r.Bottom - kSelResizeHandleSize && Y < r.Bottom;
}

void TAdvStringGrid::SelectionResizePress(TMessage& m, int X, int Y)
{
    const TGridRect orig = Selection();
    FDropSelection = orig;
    CopySelectionToClipboard();
    FMouseResize = true;
    if (!Options().Contains(goEditing) && !FMouseActions->RangeSelectAndEdit()) {
        // The platform's press takes the focus and the capture; the
        // selection it would move to the pressed cell stays as it was, so the
        // drag grows it from its top-left cell.
        TBaseGrid::WndProc(m);
        SetSelection(orig);
    }
    SetGridState(gsSelecting);
    SetMouseCapture(true);
    MouseMove(TShiftState(), X, Y);
    m.Result = 1;
}

void TAdvStringGrid::SelectionResizeRelease()
{
    const TGridRect orig = FDropSelection;
    if (OnSelectionResize) OnSelectionResize(this, orig, Selection());
    {
        const TFlagScope noEdit(FEditDisable);
        PasteSelectionFromClipboard();
    }
    FMouseResize = false;
    if (OnSelectionResized) OnSelectionResized(this, orig, Selection());
}
