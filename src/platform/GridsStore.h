#pragma once
// The string grid's cell store and the position structure of its axes.
//
// The store is sparse: a vector of row pointers indexed by row, null until a
// row is first written, each row a vector of cells up to its highest written
// column. Reading any cell is O(1) and a never-written cell costs nothing.
// The store knows no counts: cells beyond the grid's ColCount and RowCount
// keep their contents.

#include "SysUtils.h"

#include <QString>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

class TObject;

DECLARE_EXCEPTION(EInvalidGridOperation, Exception)

struct TGridStoreCell {
    QString Text;
    TObject* Object = nullptr;  // never owned by the store
    bool Empty() const { return Text.isEmpty() && Object == nullptr; }
};

// One row of the store (cells by column) or one column (cells by row).
using TGridStoreLine = std::vector<TGridStoreCell>;

struct TGridStoreStats {
    int AllocatedRows = 0;
    int AllocatedCells = 0;
};

class TGridCellStore {
public:
    // Reads: any index; negative or never-written cells read "" and nullptr.
    const QString& Text(int c, int r) const;
    TObject* Object(int c, int r) const;
    // The stored cell, nil when never written (one lookup for text and object).
    const TGridStoreCell* Cell(int c, int r) const;
    // Writes raise EInvalidGridOperation for a negative index. Writing an
    // empty text or a null object into a never-written cell allocates
    // nothing. True when the stored value changed.
    bool SetText(int c, int r, const QString& v);
    bool SetObject(int c, int r, TObject* v);

    // Shift the stored rows at and below `at` down by n (empty rows come in)
    // or up over the n deleted rows, which are handed back (texts and object
    // slots, one line per row, empty lines for unwritten rows).
    void InsertRows(int at, int n);
    std::vector<TGridStoreLine> DeleteRows(int at, int n);
    // Scattered forms of both, one pass over the rows each: the rows at the
    // ascending, distinct, non-negative indexes `rows` go and come back in
    // that order; line k comes in so that it ends at index at[k] (ascending,
    // distinct final indexes; an index past the stored rows needs no shift).
    std::vector<TGridStoreLine> DeleteRowSet(const std::vector<int>& rows);
    void InsertRowSet(const std::vector<int>& at, std::vector<TGridStoreLine>&& lines);
    // The same for columns, over every allocated row; a deleted column comes
    // back as one line indexed by row.
    void InsertCols(int at, int n);
    std::vector<TGridStoreLine> DeleteCols(int at, int n);
    // Rotations: the row (column) at `from` lands at `to`, those between
    // shift by one towards `from`.
    void MoveRow(int from, int to);
    void MoveCol(int from, int to);
    // Exchange of two stored rows (constant time) or columns (one step per
    // allocated row).
    void ExchangeRows(int a, int b);
    void ExchangeCols(int a, int b);
    // Rows at + k take the rows From[k], a permutation of at..at + n - 1,
    // in one pass.
    void PermuteRows(int at, const std::vector<int>& From);
    // Empties every cell (objects are only forgotten).
    void Clear();
    // Calls fn for every object slot that holds one, wherever it lies (rows
    // outer, columns inner); fn must not write the store.
    void ForEachObject(const std::function<void(int c, int r, TObject* obj)>& fn) const;

    TGridStoreStats Stats() const;

private:
    TGridStoreLine* RowFor(int r);  // allocating
    // Makes room for column c in a row, at once as wide as the widest row.
    void Widen(TGridStoreLine& row, int c);
    std::vector<std::unique_ptr<TGridStoreLine>> FRows;
    size_t FWidthHint = 0;
};

// Sizes along one axis (column widths or row heights) with the prefix sums
// of their extents in a Fenwick tree: the position of an index, the index at
// an offset and the update after one size change cost O(log n), a rebuild
// O(n). The extent of an index is its size plus the line width, or 0 for a
// size of 0 (such a column takes no room and draws nothing).
class TGridAxis {
public:
    int Count() const { return int(FSizes.size()); }
    // Grows with `defaultSize` entries or shrinks; costs what it adds.
    void SetCount(int n, int defaultSize);
    int Size(int i) const { return FSizes.at(size_t(i)); }
    // Negative sizes are stored as 0. True when the size changed.
    bool SetSize(int i, int v);
    void SetAll(int v);  // every size to v, one rebuild
    int LineWidth() const { return FLine; }
    void SetLineWidth(int v);  // rebuilds when it changes
    int Extent(int i) const { return FSizes[size_t(i)] > 0 ? FSizes[size_t(i)] + FLine : 0; }
    // Sum of the extents of indexes 0..i-1 (i may be Count()).
    long long Prefix(int i) const;
    // The index whose extent contains offset x (0 <= x < Prefix(Count()));
    // Count() when x lies beyond the last one, -1 for a negative x.
    int IndexAt(long long x) const;
    // Moves the size at `from` to `to` (a rotation).
    void Move(int from, int to);
    // n sizes of `size` come in at `at` (0 <= at <= Count()), or the n
    // sizes from `at` go; one rebuild each.
    void Insert(int at, int n, int size);
    void Erase(int at, int n);
    // Scattered forms, one pass and one rebuild: the sizes at the ascending,
    // distinct indexes `idx` go; sizes[k] comes in so that it ends at the
    // final index at[k] (ascending, distinct, at[k] <= Count() + k).
    void EraseSet(const std::vector<int>& idx);
    void InsertSet(const std::vector<int>& at, const std::vector<int>& sizes);
    // Two sizes change places (two updates).
    void Exchange(int a, int b);
    // Sizes at + k take the sizes From[k] (a permutation of that range), one
    // rebuild.
    void Permute(int at, const std::vector<int>& From);

private:
    void Rebuild();
    // Rebuilds the sums of the indexes from `at` on (the ones before kept).
    void RebuildFrom(int at);
    void Add(int i, long long delta);
    std::vector<int> FSizes;
    std::vector<long long> FTree;  // 1-based Fenwick tree over the extents
    int FLine = 0;
};

// One axis as a grid view sees it: the fixed band, the first scrolling
// index and the client extent (all offsets in client pixels).
struct TGridAxisView {
    const TGridAxis& A;
    int Fixed;
    int First;
    int Client;
    long long FixedExtent() const { return std::min<long long>(A.Prefix(Fixed), Client); }
    // Client offset of index i; false when it is scrolled away or beyond.
    bool Offset(int i, long long& at) const
    {
        if (i < 0 || i >= A.Count()) return false;
        if (i < Fixed) at = A.Prefix(i);
        else if (i < First) return false;
        else at = A.Prefix(Fixed) + A.Prefix(i) - A.Prefix(First);
        return at < Client;
    }
    int IndexAt(int x) const
    {
        if (x < 0 || x >= Client) return -1;
        const long long fixedExt = A.Prefix(Fixed);
        int i;
        if (x < fixedExt) i = A.IndexAt(x);
        else i = A.IndexAt(x - fixedExt + A.Prefix(First));
        return i < A.Count() ? i : -1;
    }
    // Smallest first index whose view shows index last wholly.
    int FirstShowing(int last) const
    {
        const long long room = Client - A.Prefix(Fixed);
        const long long need = A.Prefix(last) + A.Size(last) - room;
        int t = need <= 0 ? 0 : A.IndexAt(need - 1) + 1;
        return std::clamp(t, Fixed, std::max(Fixed, last));
    }
    int Max() const { return A.Count() > Fixed ? FirstShowing(A.Count() - 1) : Fixed; }
    int VisibleCount() const
    {
        const long long room = Client - A.Prefix(Fixed);
        if (room <= 0 || First >= A.Count()) return 0;
        const long long limit = A.Prefix(First) + room;
        int j = A.IndexAt(limit);
        int n = j - First;
        if (j < A.Count() && A.Prefix(j) + A.Size(j) <= limit) ++n;
        return std::clamp(n, 0, A.Count() - First);
    }
};

