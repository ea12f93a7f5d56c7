#pragma once
// The column-grid fixture: 8 columns by 10 rows, one fixed row and column,
// every cell holding "c,r" of its real column and row, and a subclass that
// reaches the protected hooks the tests look at.

#include "AdvCGrid.h"
#include "AdvGridTestKit.h"

class TTestColumnGrid : public TAdvColumnGrid {
public:
    explicit TTestColumnGrid(TComponent* AOwner) : TAdvColumnGrid(AOwner) {}

    QString EditMaskAt(int ACol, int ARow) { return GetEditMask(ACol, ARow); }
    int EditLimit() { return GetEditLimit(); }
    // A press and release of Button at (X, Y).
    void PressAt(TMouseButton Button, int X, int Y)
    {
        MouseDown(Button, TShiftState(), X, Y);
        MouseUp(Button, TShiftState(), X, Y);
    }
};

using TTestColumnGridPtr = std::unique_ptr<TTestColumnGrid, TTestAdvGridDeleter>;

inline TTestColumnGridPtr NewColumnFixture(int cols = 8, int rows = 10)
{
    TTestColumnGridPtr g(Create<TTestColumnGrid>(nullptr));
    FillFixture(g.get(), cols, rows);
    return g;
}
