#pragma once
// The objects that follow a string grid's changes: change notifiers (any
// number, told of every changed cell range) and the one selection listener.

#include "Classes.h"
#include "Grids.h"

// Told of every changed cell range of the grids it is registered with.
// Destroying it unregisters it from them (the grid hears of it through the
// free notification).
class TGridChangeNotifier : public TComponent {
public:
    DECLARE_CLASSNAME(TGridChangeNotifier)
    explicit TGridChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}
    virtual void CellsChanged(const TGridRect& R) { (void)R; }
};

// The selection listener: told of the column and row the cursor is about to
// enter. Not owned by the grid.
class ITAdvStringGridSelect {
public:
    virtual ~ITAdvStringGridSelect() = default;
    virtual void CellSelected(int ACol, int ARow) = 0;
};
