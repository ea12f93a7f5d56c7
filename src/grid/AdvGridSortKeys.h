#pragma once
// Sorting a row range over converted keys: each cell of the range is read
// and converted once per sort (number, date, time, text as compared), the
// quick sort runs on row numbers with exactly the comparisons and exchanges
// of the sort over the rows, and the rows then take their places in one
// pass. Comparisons, exchanges and the final order are those of the sort
// over the rows; the difference is that no text is parsed twice.

#include "AdvGridSortCompare.h"

#include <memory>
#include <utility>
#include <vector>

class TAdvStringGrid;

class TSortByKeys {
public:
    TSortByKeys(TAdvStringGrid* Grid, int Left, int Right);
    // False when the keys cannot stand in for the rows (see SortRangeByKeys).
    bool Prepare(int Col, bool Indexed);
    // Sorts; the rows are put in place also when a handler raises midway,
    // as far as the sort got.
    void Run(int Col, bool Indexed);

private:
    struct TColumnKeys {
        bool Ignored = false;
        bool Prepared = false;  // format read
        bool Built = false;     // keys converted
        TSortColumnFormat Format;
        std::vector<TSortCellKey> Keys;  // by row - FLeft
        // Tie-break columns convert a row when a tie first reaches it, with
        // the values filled so far (TSortKeyNeeds).
        struct TLazy {
            TSortCellKey Key;
            unsigned Filled = 0;
        };
        std::vector<std::unique_ptr<TLazy>> Lazy;  // by row - FLeft
    };
    TColumnKeys::TLazy& Read(int c, TColumnKeys& K, int Row);
    TColumnKeys& Column(int c);
    void Build(int c, TColumnKeys& K);
    // One cell pair from its keys (the rows only name them for ssRaw).
    int Keys(int c, const TSortCellKey& Ka, int a, const TSortCellKey& Kb, int b, TSortDirection Direction);
    int Cells(int c, int a, int b, TSortDirection Direction);
    // Rows a and b with the first column's keys at hand.
    int Rows(int Col, const TSortCellKey& Ka, int a, const TSortCellKey& Kb, int b);
    int RowsIndexed(const TSortCellKey& Ka, int a, const TSortCellKey& Kb, int b);
    void Range(int Col, int Left, int Right);
    void IndexedRange(int Left, int Right);
    template <class TOrder>
    void Partition(int Left, int Right, const TOrder& Order, bool CheckEqual);
    void Swap(int i, int j);
    void Apply();
    void SwapIntoPlace();

    TAdvStringGrid* FG;
    int FLeft;
    int FLast = 0;  // the last column the plain tie-break may reach, minus one
    // The settings of this sort.
    TSortDirection FDirection = sdAscending;
    bool FFull = true;
    bool FIgnoreCase = false;
    std::vector<std::pair<int, bool>> FIndex;  // column, descending
    // By position - FLeft: the row (first position) now there and the key of
    // the first sort column, moved with it so that the partitioning reads
    // the keys in order.
    std::vector<int> FOrder;
    std::vector<TSortCellKey> FFirst;
    std::vector<TColumnKeys> FColumns;
    // A row compared with itself (the pivot meets its own row) is equal in
    // every column and counts one comparison per column compared; -1 when a
    // user's comparison must be asked.
    int FSelfCompares = -1;
};
