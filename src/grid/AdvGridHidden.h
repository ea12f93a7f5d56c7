#pragma once
// A hidden row of a string grid: taken out of the cell store with all its
// real columns (texts and property objects) and kept apart with its real
// index, its height and its hiding level until it is shown again.
//
// The item owns the property objects it holds (and their cell graphics)
// until they move back into the grid.

#include "BaseGrid.h"
#include "GridsStore.h"
#include "Persistence.h"

class TGridItem : public TPersistent {
public:
    DECLARE_CLASSNAME(TGridItem)
    TGridItem() = default;
    ~TGridItem() override;

    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

    // The real index of the row.
    int Idx() const { return FIdx; }
    void SetIdx(int v) { FIdx = v; }
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }
    // 0 for rows hidden directly; a row-list hiding pass tags its rows with
    // its own number.
    int Level() const { return FLevel; }
    void SetLevel(int v) { FLevel = v; }

    // The cells by real column.
    int Count() const { return int(FCells.size()); }
    QString Text(int c) const;
    // Grows the row with empty cells until c exists.
    void SetText(int c, const QString& v);
    // Writes only a cell that exists.
    void SetTextNoGrow(int c, const QString& v);
    TCellProperties* Props(int c) const;
    // Frees the held object (unless it is v) and keeps v, growing the row.
    void SetProps(int c, TCellProperties* v);
    // Hands the object of cell c to the caller.
    TCellProperties* ReleaseProps(int c);
    // Empties every text; property objects stay.
    void ClearTexts();

    // The whole row: taken over from the store, handed back to it.
    void SetCells(TGridStoreLine&& Cells) { FCells = std::move(Cells); }
    TGridStoreLine TakeCells() { return std::move(FCells); }
    TGridStoreLine& Cells() { return FCells; }

private:
    int FIdx = 0;
    int FHeight = 0;
    int FLevel = 0;
    TGridStoreLine FCells;
};

// Frees a property object taken out of a grid with its cell graphic.
void FreeGridCellProperties(TCellProperties* Props);
