#pragma once
// The thin painted scroll bar of the metro scroll type: a thumb over the
// grid's rows (or columns) that pages on a click beside it and scrolls the
// grid while dragged.

#include "Controls.h"

class TAdvStringGrid;

enum TScrollDirection { sdVertical, sdHorizontal };

class TScrollControl : public TCustomControl {
public:
    DECLARE_CLASSNAME(TScrollControl)
    explicit TScrollControl(TComponent* AOwner);

    TColor Color() const { return FColor; }
    // Repaints when the value changes.
    void SetColor(TColor v);
    // The thickness of the thumb.
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int v) { FScrollWidth = v; Invalidate(); }
    TScrollDirection Direction() const { return FDirection; }
    void SetDirection(TScrollDirection v) { FDirection = v; Invalidate(); }

    // The length of the track and the thumb's start and length along it
    // (in the control's coordinates); a zero length when nothing scrolls.
    int TrackLength() const;
    void ThumbPlace(int& Start, int& Length) const;
    bool Dragging() const { return FDownOnScroller; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TAdvStringGrid* Grid() const;
    bool Scrolls() const;

    TColor FColor = clSilver;
    int FScrollWidth = 4;
    TScrollDirection FDirection = sdVertical;
    bool FDownOnScroller = false;
    int FDownPos = 0;
    int FDownRow = 0;
};
