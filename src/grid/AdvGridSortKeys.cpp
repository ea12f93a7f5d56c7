#include "AdvGridSortKeys.h"

#include "AdvGrid.h"

#include <algorithm>
#include <numeric>

bool TAdvStringGrid::SortRangeByKeys(int Col, int Left, int Right, bool Indexed)
{
    TSortByKeys keys(this, Left, Right);
    if (!keys.Prepare(Col, Indexed)) return false;
    keys.Run(Col, Indexed);
    return true;
}

TSortByKeys::TSortByKeys(TAdvStringGrid* Grid, int Left, int Right) : FG(Grid), FLeft(Left)
{
    FOrder.resize(size_t(std::max(Right - Left + 1, 0)));
    std::iota(FOrder.begin(), FOrder.end(), Left);
    const int columns = FG->FSortColumns > 0 ? FG->FSortColumns : FG->ColCount();
    FLast = columns - 2;
    const TSortSettings* ss = FG->FSortSettings;
    FDirection = ss->Direction();
    FFull = ss->Full();
    FIgnoreCase = ss->IgnoreCase();
}

TSortByKeys::TColumnKeys& TSortByKeys::Column(int c)
{
    if (size_t(c) >= FColumns.size()) FColumns.resize(size_t(c) + 1);
    return FColumns[size_t(c)];
}

bool TSortByKeys::Prepare(int Col, bool Indexed)
{
    if (!FG->FSortByKeys || FG->FSortSettings->SingleColumn()) return false;
    // Every column a comparison can reach: the tie-break runs to the last
    // column (hidden ones included) or along the index list, with Full.
    std::vector<int> reach;
    if (Indexed) {
        const TSortIndexList* list = FG->FSortIndexes;
        for (int i = 0; i < list->Count(); ++i) FIndex.emplace_back(list->SortColumns(i), !list->SortDirections(i));
        if (FIndex.empty()) return false;
        for (size_t i = 0; i < (FFull ? FIndex.size() : 1); ++i) reach.push_back(FIndex[i].first);
    } else {
        reach.push_back(Col);
        if (FFull)
            for (int c = Col + 1; c <= FLast + 1; ++c) reach.push_back(c);
    }
    for (int c : reach) {
        if (c < 0) return false;
        TColumnKeys& k = Column(c);
        if (k.Prepared) continue;
        k.Prepared = true;
        k.Ignored = FG->IsIgnoredColumn(c);
        if (k.Ignored) continue;
        k.Format = FG->SortColumnFormat(c);
        // The user's raw comparison reads the rows where they are now.
        if (k.Format.Style == ssRaw) return false;
    }
    // Every reached column compares a row with itself as equal, unless the
    // user's comparison decides. Without Full only the first column counts.
    FSelfCompares = 0;
    for (size_t i = 0; i < (FFull ? reach.size() : 1); ++i) {
        const TColumnKeys& k = FColumns[size_t(reach[i])];
        if (k.Ignored) continue;
        if (k.Format.Style == ssCustom) {
            FSelfCompares = -1;
            break;
        }
        ++FSelfCompares;
    }
    return true;
}

// The first sort column: every row converted before the sort starts.
void TSortByKeys::Build(int c, TColumnKeys& K)
{
    K.Built = true;
    K.Keys.resize(FOrder.size());
    const TSortStyle style = K.Format.Style;
    const bool automatic = style == ssAutomatic;
    for (size_t i = 0; i < K.Keys.size(); ++i) {
        TSortCellKey& k = K.Keys[i];
        const int row = FLeft + int(i);
        ClassifySortKey(k, FG->SortCellText(c, row));
        if (automatic) k.Box = FG->SortCellIsCheckBox(c, row);
    }
    // Convert only what some pair can compare: with the automatic style the
    // first text of a pair decides, and the second one is read as that style.
    if (automatic) {
        bool box = false, number = false, date = false, time = false;
        for (const TSortCellKey& k : K.Keys) {
            box |= k.Box;
            if (k.Box) continue;
            number |= k.Kind == akNumber;
            date |= k.Kind == akDate || k.Kind == akDateTime;
            time |= k.Kind == akTime;
        }
        for (size_t i = 0; i < K.Keys.size(); ++i) {
            TSortCellKey& k = K.Keys[i];
            const unsigned need = (box ? unsigned(snChecked) : 0u) | (number ? unsigned(snNumber) : 0u) |
                                  (date && k.HasDateSep ? unsigned(snDate) : 0u) |
                                  (time && k.HasTimeSep ? unsigned(snTime) : 0u);
            if (need) FG->FillSortKey(k, c, FLeft + int(i), need, K.Format);
        }
    } else if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        // Numbers only when both texts are numbers.
        for (size_t i = 0; i < K.Keys.size(); ++i)
            if (K.Keys[i].Kind == akNumber) FG->FillSortKey(K.Keys[i], c, FLeft + int(i), snNumber, K.Format);
    } else if (const unsigned need = SortKeyNeeds(style)) {
        for (size_t i = 0; i < K.Keys.size(); ++i) FG->FillSortKey(K.Keys[i], c, FLeft + int(i), need, K.Format);
    }
}

int TSortByKeys::Keys(int c, const TSortCellKey& Ka, int a, const TSortCellKey& Kb, int b,
                      TSortDirection Direction)
{
    ++FG->FCompares;
    const TSortStyle style = SortPairStyle(FColumns[size_t(c)].Format.Style, Ka, Kb, FIgnoreCase);
    return FG->CompareSortKeys(c, a, b, style, Ka, Kb, Direction);
}

TSortByKeys::TColumnKeys::TLazy& TSortByKeys::Read(int c, TColumnKeys& K, int Row)
{
    std::unique_ptr<TColumnKeys::TLazy>& at = K.Lazy[size_t(Row - FLeft)];
    if (!at) {
        at = std::make_unique<TColumnKeys::TLazy>();
        ClassifySortKey(at->Key, FG->SortCellText(c, Row));
        if (K.Format.Style == ssAutomatic) at->Key.Box = FG->SortCellIsCheckBox(c, Row);
    }
    return *at;
}

int TSortByKeys::Cells(int c, int a, int b, TSortDirection Direction)
{
    TColumnKeys& K = FColumns[size_t(c)];
    if (K.Built) return Keys(c, K.Keys[size_t(a - FLeft)], a, K.Keys[size_t(b - FLeft)], b, Direction);
    // A tie-break column: only the rows ties reach are read.
    if (K.Lazy.empty()) K.Lazy.resize(FOrder.size());
    TColumnKeys::TLazy& la = Read(c, K, a);
    TColumnKeys::TLazy& lb = Read(c, K, b);
    ++FG->FCompares;
    const TSortStyle style = SortPairStyle(K.Format.Style, la.Key, lb.Key, FIgnoreCase);
    const unsigned needs = SortKeyNeeds(style);
    for (auto [l, row] : {std::pair{&la, a}, std::pair{&lb, b}}) {
        const unsigned missing = needs & ~l->Filled;
        if (!missing) continue;
        FG->FillSortKey(l->Key, c, row, missing, K.Format);
        l->Filled |= missing;
    }
    return FG->CompareSortKeys(c, a, b, style, la.Key, lb.Key, Direction);
}

// As CompareRows.
int TSortByKeys::Rows(int Col, const TSortCellKey& Ka, int a, const TSortCellKey& Kb, int b)
{
    if (a == b && FSelfCompares >= 0) {
        FG->FCompares += FSelfCompares;
        return 0;
    }
    int r = FColumns[size_t(Col)].Ignored ? 0 : Keys(Col, Ka, a, Kb, b, FDirection);
    for (int c = Col; r == 0 && FFull && c <= FLast;) {
        ++c;
        r = FColumns[size_t(c)].Ignored ? 0 : Cells(c, a, b, FDirection);
    }
    return r;
}

// As CompareRowsIndexed from the first entry.
int TSortByKeys::RowsIndexed(const TSortCellKey& Ka, int a, const TSortCellKey& Kb, int b)
{
    if (a == b && FSelfCompares >= 0) {
        FG->FCompares += FSelfCompares;
        return 0;
    }
    for (size_t i = 0; i < FIndex.size(); ++i) {
        const int col = FIndex[i].first;
        const bool descending = FIndex[i].second;
        const TSortDirection dir = descending ? sdDescending : sdAscending;
        int r = 0;
        if (FColumns[size_t(col)].Ignored) r = 0;
        else if (i == 0) r = Keys(col, Ka, a, Kb, b, dir);
        else r = Cells(col, a, b, dir);
        if (r != 0 || !FFull) return descending ? -r : r;
    }
    return 0;
}

void TSortByKeys::Swap(int i, int j)
{
    const size_t a = size_t(i - FLeft), b = size_t(j - FLeft);
    std::swap(FOrder[a], FOrder[b]);
    std::swap(FFirst[a], FFirst[b]);
    ++FG->FSwaps;
}

// The partitioning of the sorts over the rows, on positions: Order(Ka, a,
// Kb, b) answers 1 when row a belongs after row b. With CheckEqual two rows
// that compare equal are not exchanged, at the price of the comparison the
// plain sort over the rows also makes.
template <class TOrder>
void TSortByKeys::Partition(int Left, int Right, const TOrder& Order, bool CheckEqual)
{
    auto row = [this](int p) { return FOrder[size_t(p - FLeft)]; };
    auto key = [this](int p) -> const TSortCellKey& { return FFirst[size_t(p - FLeft)]; };
    while (Left < Right) {
        const int mid = (Left + Right) / 2;
        const TSortCellKey pk = key(mid);
        const int pr = row(mid);
        int i = Left, j = Right;
        do {
            while (Order(pk, pr, key(i), row(i)) == 1 && i < Right) ++i;
            while (Order(key(j), row(j), pk, pr) == 1 && Left < j) --j;
            if (j >= i) {
                if (i != j && (!CheckEqual || Order(key(i), row(i), key(j), row(j)) != 0)) Swap(i, j);
                ++i;
                --j;
            }
        } while (j >= i);
        if (j - Left < Right - i) {
            if (Left < j) Partition(Left, j, Order, CheckEqual);
            Left = i;
        } else {
            if (i < Right) Partition(i, Right, Order, CheckEqual);
            Right = j;
        }
    }
}

// The partitioning of QuickSortRowRange, with a copy of the pivot's key in
// place of the copy of its row in the scratch row.
void TSortByKeys::Range(int Col, int Left, int Right)
{
    FG->FSortDir = FDirection == sdDescending ? -1 : 1;
    const int dir = FG->FSortDir;
    Partition(
        Left, Right,
        [this, Col, dir](const TSortCellKey& Ka, int a, const TSortCellKey& Kb, int b) {
            const int r = Rows(Col, Ka, a, Kb, b);
            return r == dir ? 1 : r == 0 ? 0 : -1;
        },
        true);
}

// The partitioning of QuickSortIndexedRowRange.
void TSortByKeys::IndexedRange(int Left, int Right)
{
    Partition(
        Left, Right,
        [this](const TSortCellKey& Ka, int a, const TSortCellKey& Kb, int b) { return RowsIndexed(Ka, a, Kb, b); },
        false);
}

// Moves every row to its place: one pass over the range, or, where rows
// carry selection or modified marks, one exchange per misplaced row. The
// exchange counter keeps the count of the sort itself.
void TSortByKeys::Apply()
{
    const int n = int(FOrder.size());
    int k0 = 0;
    while (k0 < n && FOrder[size_t(k0)] == FLeft + k0) ++k0;
    if (k0 == n) return;
    const int end = FLeft + n;
    TIntList* xref = FG->FSortRowXRef;
    const bool xrefAll = end <= xref->Count(), xrefNone = FLeft >= xref->Count();
    const bool marks = (FG->FMouseActions->DisjunctRowSelect() && FG->FNavigation->MoveRowOnSort()) ||
                       FG->ShowModifiedEnabled();
    if (marks || !(xrefAll || xrefNone)) {
        SwapIntoPlace();
        return;
    }
    if (xrefAll) {
        std::vector<int> first(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k) first[size_t(k)] = xref->Items(FOrder[size_t(k)]);
        for (int k = 0; k < n; ++k) xref->SetInteger(FLeft + k, first[size_t(k)]);
    }
    if (FG->FSortRow >= FLeft && FG->FSortRow < end)
        FG->FSortRow = FLeft + int(std::find(FOrder.begin(), FOrder.end(), FG->FSortRow) - FOrder.begin());
    FG->PermuteRows(FLeft, FOrder);
}

void TSortByKeys::SwapIntoPlace()
{
    const int n = int(FOrder.size());
    std::vector<int> rowAt(static_cast<size_t>(n)), placeOf(static_cast<size_t>(n));  // by offset from FLeft
    std::iota(rowAt.begin(), rowAt.end(), 0);
    std::iota(placeOf.begin(), placeOf.end(), 0);
    const int swaps = FG->FSwaps;
    for (int k = 0; k < n; ++k) {
        const int want = FOrder[size_t(k)] - FLeft;
        const int from = placeOf[size_t(want)];
        if (from == k) continue;
        FG->SortSwapRows(FLeft + k, FLeft + from);
        const int moved = rowAt[size_t(k)];
        rowAt[size_t(from)] = moved;
        placeOf[size_t(moved)] = from;
        rowAt[size_t(k)] = want;
        placeOf[size_t(want)] = k;
    }
    FG->FSwaps = swaps;
}

void TSortByKeys::Run(int Col, bool Indexed)
{
    const int right = FLeft + int(FOrder.size()) - 1;
    const int first = Indexed ? FIndex.front().first : Col;
    TColumnKeys& K = FColumns[size_t(first)];
    if (K.Ignored) {
        FFirst.resize(FOrder.size());
    } else {
        Build(first, K);
        // The keys travel with their rows from now on; should the index list
        // name the column again, its tie-breaks read the rows anew.
        FFirst = std::move(K.Keys);
        K.Keys.clear();
        K.Built = false;
    }
    try {
        if (Indexed)
            IndexedRange(FLeft, right);
        else
            Range(Col, FLeft, right);
    } catch (...) {
        Apply();
        throw;
    }
    Apply();
}
