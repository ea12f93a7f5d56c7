#include "GridsStore.h"

#include <algorithm>
#include <iterator>

namespace {

const QString& EmptyText()
{
    static const QString empty;
    return empty;
}

const QString kStoreIndexOutOfRange = QStringLiteral("Grid index out of range");

template <typename T>
void Rotate(std::vector<T>& v, size_t from, size_t to)
{
    if (from < to)
        std::rotate(v.begin() + ptrdiff_t(from), v.begin() + ptrdiff_t(from) + 1, v.begin() + ptrdiff_t(to) + 1);
    else if (to < from)
        std::rotate(v.begin() + ptrdiff_t(to), v.begin() + ptrdiff_t(from), v.begin() + ptrdiff_t(from) + 1);
}

// Rotates within a vector that may be shorter than the indexes: it grows to
// cover both ends only when an element inside it has to move.
template <typename T>
void RotateSparse(std::vector<T>& v, int from, int to)
{
    if (from == to || from < 0 || to < 0) return;
    const size_t need = size_t(std::max(from, to)) + 1;
    if (v.size() <= size_t(std::min(from, to))) return;  // nothing stored in the range
    if (v.size() < need) v.resize(need);
    Rotate(v, size_t(from), size_t(to));
}

} // namespace

const QString& TGridCellStore::Text(int c, int r) const
{
    if (c < 0 || r < 0 || size_t(r) >= FRows.size() || !FRows[size_t(r)]) return EmptyText();
    const TGridStoreLine& row = *FRows[size_t(r)];
    return size_t(c) < row.size() ? row[size_t(c)].Text : EmptyText();
}

TObject* TGridCellStore::Object(int c, int r) const
{
    if (c < 0 || r < 0 || size_t(r) >= FRows.size() || !FRows[size_t(r)]) return nullptr;
    const TGridStoreLine& row = *FRows[size_t(r)];
    return size_t(c) < row.size() ? row[size_t(c)].Object : nullptr;
}

const TGridStoreCell* TGridCellStore::Cell(int c, int r) const
{
    if (c < 0 || r < 0 || size_t(r) >= FRows.size() || !FRows[size_t(r)]) return nullptr;
    const TGridStoreLine& row = *FRows[size_t(r)];
    return size_t(c) < row.size() ? &row[size_t(c)] : nullptr;
}

void TGridCellStore::Widen(TGridStoreLine& row, int c)
{
    const size_t need = size_t(c) + 1;
    FWidthHint = std::max(FWidthHint, need);
    if (row.capacity() < FWidthHint) row.reserve(FWidthHint);
    row.resize(need);
}

TGridStoreLine* TGridCellStore::RowFor(int r)
{
    if (size_t(r) >= FRows.size()) FRows.resize(size_t(r) + 1);
    auto& p = FRows[size_t(r)];
    if (!p) p = std::make_unique<TGridStoreLine>();
    return p.get();
}

bool TGridCellStore::SetText(int c, int r, const QString& v)
{
    if (c < 0 || r < 0) throw EInvalidGridOperation(kStoreIndexOutOfRange);
    if (v.isEmpty() && Text(c, r).isEmpty()) return false;
    TGridStoreLine& row = *RowFor(r);
    if (size_t(c) >= row.size()) Widen(row, c);
    if (row[size_t(c)].Text == v) return false;
    row[size_t(c)].Text = v;
    return true;
}

bool TGridCellStore::SetObject(int c, int r, TObject* v)
{
    if (c < 0 || r < 0) throw EInvalidGridOperation(kStoreIndexOutOfRange);
    if (Object(c, r) == v) return false;
    TGridStoreLine& row = *RowFor(r);
    if (size_t(c) >= row.size()) Widen(row, c);
    row[size_t(c)].Object = v;
    return true;
}

void TGridCellStore::InsertRows(int at, int n)
{
    if (at < 0 || n <= 0 || size_t(at) >= FRows.size()) return;
    std::vector<std::unique_ptr<TGridStoreLine>> empty(static_cast<size_t>(n));
    FRows.insert(FRows.begin() + at, std::make_move_iterator(empty.begin()), std::make_move_iterator(empty.end()));
}

std::vector<TGridStoreLine> TGridCellStore::DeleteRows(int at, int n)
{
    std::vector<TGridStoreLine> out;
    if (at < 0 || n <= 0) return out;
    out.resize(size_t(n));
    if (size_t(at) >= FRows.size()) return out;
    const size_t end = std::min(FRows.size(), size_t(at) + size_t(n));
    for (size_t i = size_t(at); i < end; ++i)
        if (FRows[i]) out[i - size_t(at)] = std::move(*FRows[i]);
    FRows.erase(FRows.begin() + at, FRows.begin() + ptrdiff_t(end));
    return out;
}

std::vector<TGridStoreLine> TGridCellStore::DeleteRowSet(const std::vector<int>& rows)
{
    std::vector<TGridStoreLine> out(rows.size());
    if (rows.empty() || size_t(rows.front()) >= FRows.size()) return out;
    // Kept rows slide down over the gaps as the walk passes them.
    size_t w = size_t(rows.front());
    size_t k = 0;
    for (size_t r = w; r < FRows.size(); ++r) {
        if (k < rows.size() && size_t(rows[k]) == r) {
            if (FRows[r]) out[k] = std::move(*FRows[r]);
            ++k;
            continue;
        }
        if (w != r) FRows[w] = std::move(FRows[r]);
        ++w;
    }
    FRows.resize(w);
    return out;
}

void TGridCellStore::InsertRowSet(const std::vector<int>& at, std::vector<TGridStoreLine>&& lines)
{
    if (at.empty()) return;
    std::vector<std::unique_ptr<TGridStoreLine>> out;
    out.reserve(FRows.size() + at.size());
    size_t s = 0;
    for (size_t k = 0; k < at.size(); ++k) {
        const size_t p = size_t(std::max(at[k], 0));
        while (out.size() < p && s < FRows.size()) out.push_back(std::move(FRows[s++]));
        if (out.size() < p) out.resize(p);
        TGridStoreLine* line = k < lines.size() ? &lines[k] : nullptr;
        const bool empty = !line || std::all_of(line->begin(), line->end(), [](const TGridStoreCell& c) { return c.Empty(); });
        out.push_back(empty ? nullptr : std::make_unique<TGridStoreLine>(std::move(*line)));
        if (!empty) FWidthHint = std::max(FWidthHint, out.back()->size());
    }
    for (; s < FRows.size(); ++s) out.push_back(std::move(FRows[s]));
    FRows = std::move(out);
}

void TGridCellStore::InsertCols(int at, int n)
{
    if (at < 0 || n <= 0) return;
    for (auto& row : FRows)
        if (row && size_t(at) < row->size()) row->insert(row->begin() + at, size_t(n), TGridStoreCell());
}

std::vector<TGridStoreLine> TGridCellStore::DeleteCols(int at, int n)
{
    std::vector<TGridStoreLine> out;
    if (at < 0 || n <= 0) return out;
    out.resize(size_t(n));
    for (size_t r = 0; r < FRows.size(); ++r) {
        TGridStoreLine* row = FRows[r].get();
        if (!row || size_t(at) >= row->size()) continue;
        const size_t end = std::min(row->size(), size_t(at) + size_t(n));
        for (size_t c = size_t(at); c < end; ++c) {
            if ((*row)[c].Empty()) continue;
            TGridStoreLine& col = out[c - size_t(at)];
            if (col.size() <= r) col.resize(r + 1);
            col[r] = std::move((*row)[c]);
        }
        row->erase(row->begin() + at, row->begin() + ptrdiff_t(end));
    }
    return out;
}

void TGridCellStore::ForEachObject(const std::function<void(int c, int r, TObject* obj)>& fn) const
{
    for (size_t r = 0; r < FRows.size(); ++r) {
        if (!FRows[r]) continue;
        const TGridStoreLine& row = *FRows[r];
        for (size_t c = 0; c < row.size(); ++c)
            if (row[c].Object) fn(int(c), int(r), row[c].Object);
    }
}

void TGridCellStore::MoveRow(int from, int to)
{
    RotateSparse(FRows, from, to);
}

void TGridCellStore::MoveCol(int from, int to)
{
    for (auto& row : FRows)
        if (row) RotateSparse(*row, from, to);
}

void TGridCellStore::ExchangeRows(int a, int b)
{
    if (a < 0 || b < 0 || a == b) return;
    const size_t need = size_t(std::max(a, b)) + 1;
    if (FRows.size() < need) {
        // Only a written row needs room; two unwritten rows stay as they are.
        if ((size_t(a) >= FRows.size() || !FRows[size_t(a)]) && (size_t(b) >= FRows.size() || !FRows[size_t(b)]))
            return;
        FRows.resize(need);
    }
    std::swap(FRows[size_t(a)], FRows[size_t(b)]);
}

void TGridCellStore::PermuteRows(int at, const std::vector<int>& From)
{
    if (at < 0 || From.empty()) return;
    const size_t end = size_t(at) + From.size();
    if (FRows.size() < end) FRows.resize(end);
    std::vector<std::unique_ptr<TGridStoreLine>> moved(From.size());
    for (size_t k = 0; k < From.size(); ++k) moved[k] = std::move(FRows[size_t(From[k])]);
    for (size_t k = 0; k < From.size(); ++k) FRows[size_t(at) + k] = std::move(moved[k]);
}

void TGridCellStore::ExchangeCols(int a, int b)
{
    if (a < 0 || b < 0 || a == b) return;
    const size_t need = size_t(std::max(a, b)) + 1;
    for (auto& row : FRows) {
        if (!row) continue;
        if (row->size() < need) {
            if (size_t(std::min(a, b)) >= row->size()) continue;
            row->resize(need);
        }
        std::swap((*row)[size_t(a)], (*row)[size_t(b)]);
    }
}

void TGridCellStore::Clear()
{
    FRows.clear();
}

TGridStoreStats TGridCellStore::Stats() const
{
    TGridStoreStats s;
    for (const auto& row : FRows) {
        if (!row) continue;
        ++s.AllocatedRows;
        s.AllocatedCells += int(row->size());
    }
    return s;
}

// ---- TGridAxis --------------------------------------------------------------

void TGridAxis::SetCount(int n, int defaultSize)
{
    n = std::max(n, 0);
    const size_t old = FSizes.size();
    if (size_t(n) <= old) {
        // A Fenwick tree cut short stays valid for the indexes it keeps.
        FSizes.resize(size_t(n));
        FTree.resize(size_t(n) + 1);
        return;
    }
    FSizes.resize(size_t(n), std::max(defaultSize, 0));
    FTree.resize(size_t(n) + 1);
    for (size_t k = old + 1; k <= size_t(n); ++k) {
        const size_t low = k & (~k + 1);
        FTree[k] = Extent(int(k - 1)) + Prefix(int(k - 1)) - Prefix(int(k - low));
    }
}

bool TGridAxis::SetSize(int i, int v)
{
    v = std::max(v, 0);
    if (FSizes.at(size_t(i)) == v) return false;
    const int before = Extent(i);
    FSizes[size_t(i)] = v;
    Add(i, Extent(i) - before);
    return true;
}

void TGridAxis::SetAll(int v)
{
    std::fill(FSizes.begin(), FSizes.end(), std::max(v, 0));
    Rebuild();
}

void TGridAxis::SetLineWidth(int v)
{
    v = std::max(v, 0);
    if (v == FLine) return;
    FLine = v;
    Rebuild();
}

void TGridAxis::Rebuild()
{
    const size_t n = FSizes.size();
    FTree.assign(n + 1, 0);
    for (size_t k = 1; k <= n; ++k) {
        FTree[k] += Extent(int(k - 1));
        const size_t parent = k + (k & (~k + 1));
        if (parent <= n) FTree[parent] += FTree[k];
    }
}

void TGridAxis::Add(int i, long long delta)
{
    if (delta == 0) return;
    for (size_t k = size_t(i) + 1; k < FTree.size(); k += k & (~k + 1)) FTree[k] += delta;
}

long long TGridAxis::Prefix(int i) const
{
    long long s = 0;
    for (size_t k = size_t(std::clamp(i, 0, Count())); k > 0; k -= k & (~k + 1)) s += FTree[k];
    return s;
}

int TGridAxis::IndexAt(long long x) const
{
    if (x < 0) return -1;
    const size_t n = FSizes.size();
    size_t pos = 0;
    size_t step = 1;
    while (step * 2 <= n) step *= 2;
    for (; step > 0; step /= 2) {
        if (pos + step <= n && FTree[pos + step] <= x) {
            pos += step;
            x -= FTree[pos];
        }
    }
    return int(pos);
}

void TGridAxis::Insert(int at, int n, int size)
{
    if (n <= 0) return;
    at = std::clamp(at, 0, Count());
    FSizes.insert(FSizes.begin() + at, size_t(n), std::max(size, 0));
    RebuildFrom(at);
}

void TGridAxis::Erase(int at, int n)
{
    if (n <= 0 || at < 0 || at >= Count()) return;
    const int end = std::min(Count(), at + n);
    FSizes.erase(FSizes.begin() + at, FSizes.begin() + end);
    RebuildFrom(at);
}

void TGridAxis::EraseSet(const std::vector<int>& idx)
{
    if (idx.empty() || idx.front() < 0 || idx.front() >= Count()) return;
    size_t w = size_t(idx.front());
    size_t k = 0;
    for (size_t i = w; i < FSizes.size(); ++i) {
        if (k < idx.size() && size_t(idx[k]) == i) {
            ++k;
            continue;
        }
        FSizes[w++] = FSizes[i];
    }
    FSizes.resize(w);
    RebuildFrom(idx.front());
}

void TGridAxis::InsertSet(const std::vector<int>& at, const std::vector<int>& sizes)
{
    if (at.empty()) return;
    std::vector<int> out;
    out.reserve(FSizes.size() + at.size());
    size_t s = 0;
    for (size_t k = 0; k < at.size(); ++k) {
        const size_t p = size_t(std::max(at[k], 0));
        while (out.size() < p && s < FSizes.size()) out.push_back(FSizes[s++]);
        out.push_back(std::max(k < sizes.size() ? sizes[k] : 0, 0));
    }
    out.insert(out.end(), FSizes.begin() + ptrdiff_t(s), FSizes.end());
    FSizes = std::move(out);
    RebuildFrom(std::max(at.front(), 0));
}

void TGridAxis::RebuildFrom(int at)
{
    // The tree nodes up to `at` cover only sizes before it and keep their
    // sums; the nodes after it are built again in one linear pass, fed by
    // the kept nodes whose parents lie after `at`.
    const size_t n = FSizes.size();
    FTree.resize(n + 1);
    const size_t a = size_t(std::clamp(at, 0, int(n)));
    for (size_t k = a + 1; k <= n; ++k) FTree[k] = Extent(int(k - 1));
    for (size_t k = a; k > 0; k -= k & (~k + 1)) {
        const size_t parent = k + (k & (~k + 1));
        if (parent <= n) FTree[parent] += FTree[k];
    }
    for (size_t k = a + 1; k <= n; ++k) {
        const size_t parent = k + (k & (~k + 1));
        if (parent <= n) FTree[parent] += FTree[k];
    }
}

void TGridAxis::Exchange(int a, int b)
{
    if (a == b) return;
    const int sa = Size(a), sb = Size(b);
    SetSize(a, sb);
    SetSize(b, sa);
}

void TGridAxis::Permute(int at, const std::vector<int>& From)
{
    if (From.empty()) return;
    std::vector<int> sizes(From.size());
    for (size_t k = 0; k < From.size(); ++k) sizes[k] = FSizes[size_t(From[k])];
    std::copy(sizes.begin(), sizes.end(), FSizes.begin() + at);
    RebuildFrom(at);
}

void TGridAxis::Move(int from, int to)
{
    if (from == to) return;
    Rotate(FSizes, size_t(from), size_t(to));
    Rebuild();
}
