#pragma once
// The string-grid fixture: 6 columns by 10 rows with one fixed row and
// column, every cell holding "c,r" of its real column and row, and a
// subclass that shows the protected state the tests look at.

#include "AdvGrid.h"
#include "Forms.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <memory>

class TTestAdvGrid : public TAdvStringGrid {
public:
    explicit TTestAdvGrid(TComponent* AOwner) : TAdvStringGrid(AOwner) {}

    int FocusHelperMoves = 0;
    int Paints = 0;
    int FormResizes = 0;
    void MoveFocusHelper() override { ++FocusHelperMoves; }
    void FormResized(TObject*) override { ++FormResizes; }

    using TAdvStringGrid::EditMode;
    using TAdvStringGrid::FEditChange;
    using TAdvStringGrid::FNumNodes;
    using TAdvStringGrid::FUpdateCount;
    using TAdvStringGrid::TimerTick;

protected:
    void Paint() override
    {
        TAdvStringGrid::Paint();
        if (FUpdateCount == 0) ++Paints;
    }
};

struct TTestAdvGridDeleter {
    void operator()(TAdvStringGrid* g) const { Free(g); }
};
using TTestAdvGridPtr = std::unique_ptr<TTestAdvGrid, TTestAdvGridDeleter>;

// 6 x 10, one fixed row and column, cells "c,r".
// Sizes any string grid to cols x rows with one fixed row and column and
// fills every cell with "c,r".
template <class G>
void FillFixture(G* g, int cols, int rows)
{
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g->SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
}

inline TTestAdvGridPtr NewFixtureGrid(int cols = 6, int rows = 10)
{
    TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
    FillFixture(g.get(), cols, rows);
    return g;
}

// The texts of one displayed row, joined by "|".
inline QString RowText(TAdvStringGrid* g, int r)
{
    QStringList parts;
    for (int c = 0; c < g->ColCount(); ++c) parts << g->Cells(g->RealColIndex(c), r);
    return parts.join(QLatin1Char('|'));
}

// Column 1 of every displayed row, joined by " ".
inline QString ColumnOne(TAdvStringGrid* g)
{
    QStringList parts;
    for (int r = 0; r < g->RowCount(); ++r) parts << g->Cells(1, r);
    return parts.join(QLatin1Char(' '));
}

inline void PumpEvents()
{
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}
