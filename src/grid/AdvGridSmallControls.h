#pragma once
// The string grid's small controls: the button that shows a header while a
// column moves, and the form that holds a snapshot of cells.

#include "Forms.h"

class TAdvStringGrid;

// A frameless window that paints the look of the grid's top-left fixed cell
// with a caption: one centred line cut with an ellipsis, or mini-markup when
// it holds "</". Never takes the focus.
class THeaderDragButton : public TCustomControl {
public:
    DECLARE_CLASSNAME(THeaderDragButton)
    explicit THeaderDragButton(TAdvStringGrid* AGrid);

    TAdvStringGrid* Grid() const { return FGrid; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    // Paints the button on any canvas, in its client rectangle.
    void PaintOn(TCanvas* ACanvas);

protected:
    void Paint() override;
    void TextChanged() override;

private:
    TAdvStringGrid* FGrid;
    bool FFlat = false;
};

// A borderless form that stays on top, never becomes active and lets the
// mouse through; shown translucent.
class TNoActiveForm : public TForm {
public:
    DECLARE_CLASSNAME(TNoActiveForm)
    explicit TNoActiveForm(TComponent* AOwner);
};
