#pragma once
// What the grid's file and clipboard units share: the progress rule and the
// wording of their errors.

#include "AdvGrid.h"
#include "Forms.h"

#include <QString>
#include <cmath>

// Whole percentages, reported only when they change.
class TFileProgress {
public:
    explicit TFileProgress(TAdvStringGrid* Grid) : FGrid(Grid) {}
    bool Wanted() const { return bool(FGrid->OnFileProgress); }
    void Report(double Done, double Total)
    {
        if (!FGrid->OnFileProgress) return;
        const int p = int(std::lround(Done / (Total < 1 ? 1 : Total) * 100.0));
        if (p == FLast) return;
        FLast = p;
        FGrid->OnFileProgress(FGrid, p);
    }

private:
    TAdvStringGrid* FGrid;
    int FLast = -1;
};

// The hourglass for the lifetime of the object, on every path.
class THourGlass {
public:
    THourGlass()
    {
        if (!Screen) return;
        FOld = Screen->Cursor();
        Screen->SetCursor(crHourGlass);
    }
    ~THourGlass()
    {
        if (Screen) Screen->SetCursor(FOld);
    }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;

private:
    TCursor FOld = crDefault;
};

// The hidden columns written besides the shown ones.
inline int SavedHiddenCols(const TAdvStringGrid* g) { return g->SaveHiddenCells() ? g->NumHiddenColumns() : 0; }

// The column whose texts are written for saved column k.
inline int SavedTextCol(const TAdvStringGrid* g, int k) { return g->SaveHiddenCells() ? k : g->RealColIndex(k); }

// Raises the platform's file-creation error for a failed write.
[[noreturn]] void RaiseGridWriteError(const QString& FileName, const QString& Reason);
