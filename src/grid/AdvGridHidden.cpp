// Hidden columns (left in the store, only taken out of the shown columns),
// hidden rows (taken out of the store into TGridItems) and the mapping
// between real and displayed indexes.

#include "AdvGrid.h"

#include <algorithm>

// ---- TGridItem ----------------------------------------------------------------------

void FreeGridCellProperties(TCellProperties* Props)
{
    if (!Props) return;
    if (auto* g = dynamic_cast<TCellGraphic*>(Props->GraphicObject())) {
        Props->SetGraphicObject(nullptr);
        Free(g);
    }
    Free(Props);
}

TGridItem::~TGridItem()
{
    for (TGridStoreCell& cell : FCells) {
        FreeGridCellProperties(static_cast<TCellProperties*>(cell.Object));
        cell.Object = nullptr;
    }
}

QString TGridItem::Text(int c) const
{
    return c >= 0 && c < Count() ? FCells[size_t(c)].Text : QString();
}

void TGridItem::SetText(int c, const QString& v)
{
    if (c < 0) return;
    if (c >= Count()) FCells.resize(size_t(c) + 1);
    FCells[size_t(c)].Text = v;
}

void TGridItem::SetTextNoGrow(int c, const QString& v)
{
    if (c >= 0 && c < Count()) FCells[size_t(c)].Text = v;
}

TCellProperties* TGridItem::Props(int c) const
{
    return c >= 0 && c < Count() ? static_cast<TCellProperties*>(FCells[size_t(c)].Object) : nullptr;
}

void TGridItem::SetProps(int c, TCellProperties* v)
{
    if (c < 0) return;
    if (c >= Count()) FCells.resize(size_t(c) + 1);
    TObject*& slot = FCells[size_t(c)].Object;
    if (slot == v) return;
    FreeGridCellProperties(static_cast<TCellProperties*>(slot));
    slot = v;
}

TCellProperties* TGridItem::ReleaseProps(int c)
{
    if (c < 0 || c >= Count()) return nullptr;
    auto* p = static_cast<TCellProperties*>(FCells[size_t(c)].Object);
    FCells[size_t(c)].Object = nullptr;
    return p;
}

void TGridItem::ClearTexts()
{
    for (TGridStoreCell& cell : FCells) cell.Text.clear();
}

const TPropertyList& TGridItem::Properties()
{
    using P = TGridItem;
    static const TPropertyList list = TPropertyList()
                                          .Integer<P>(QStringLiteral("Idx"), &P::Idx, &P::SetIdx)
                                          .Integer<P>(QStringLiteral("Height"), &P::Height, &P::SetHeight)
                                          .Integer<P>(QStringLiteral("Level"), &P::Level, &P::SetLevel);
    return list;
}

// ---- index mapping --------------------------------------------------------------------

namespace {

// The number of entries k of an ascending list with list[k] - k <= d: how
// many hidden indexes lie before the d-th shown one.
template <class Get>
int AdvGridHiddenBefore(int count, int d, Get get)
{
    int lo = 0, hi = count;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (get(mid) - mid <= d) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

// Removes the entries at the ascending indexes `at` that the list holds.
void AdvGridHiddenEraseAt(std::vector<bool>& list, const std::vector<int>& at)
{
    size_t w = 0, k = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        while (k < at.size() && size_t(at[k]) < i) ++k;
        if (k < at.size() && size_t(at[k]) == i) continue;
        list[w++] = list[i];
    }
    list.resize(w);
}

// Inserts a false entry so that it ends at each final index of the
// ascending `at`, as long as entries follow it (the list is not grown past
// its end).
void AdvGridHiddenInsertAt(std::vector<bool>& list, const std::vector<int>& at)
{
    std::vector<bool> out;
    out.reserve(list.size() + at.size());
    size_t s = 0;
    for (int p : at) {
        while (out.size() < size_t(p) && s < list.size()) out.push_back(list[s++]);
        if (s >= list.size()) break;
        out.push_back(false);
    }
    for (; s < list.size(); ++s) out.push_back(list[s]);
    list = std::move(out);
}

} // namespace

int TAdvStringGrid::RealColIndex(int ACol) const
{
    if (FHiddenCols.empty()) return ACol;
    if (ACol < 0) return ACol;
    if (ACol >= ColCount()) return 0;
    return ACol + AdvGridHiddenBefore(int(FHiddenCols.size()), ACol, [this](int k) { return FHiddenCols[size_t(k)]; });
}

int TAdvStringGrid::DisplColIndex(int ACol) const
{
    if (FHiddenCols.empty()) return ACol;
    return ACol - int(std::lower_bound(FHiddenCols.begin(), FHiddenCols.end(), ACol) - FHiddenCols.begin());
}

bool TAdvStringGrid::IsHiddenColumn(int ColIndex) const
{
    return std::binary_search(FHiddenCols.begin(), FHiddenCols.end(), ColIndex);
}

int TAdvStringGrid::ItemLowerBound(int RealRow) const
{
    auto it = std::lower_bound(FGridItems.begin(), FGridItems.end(), RealRow,
                               [](const std::unique_ptr<TGridItem>& item, int r) { return item->Idx() < r; });
    return int(it - FGridItems.begin());
}

int TAdvStringGrid::RealRowIndex(int ARow) const
{
    if (ARow < 0) return -1;
    if (FGridItems.empty()) return ARow;
    return ARow + AdvGridHiddenBefore(int(FGridItems.size()), ARow,
                                      [this](int k) { return FGridItems[size_t(k)]->Idx(); });
}

int TAdvStringGrid::DisplRowIndex(int ARow) const
{
    if (FGridItems.empty()) return ARow;
    return ARow - ItemLowerBound(ARow);
}

TGridItem* TAdvStringGrid::HiddenRowItem(int RealRow) const
{
    const int k = ItemLowerBound(RealRow);
    if (k < int(FGridItems.size()) && FGridItems[size_t(k)]->Idx() == RealRow) return FGridItems[size_t(k)].get();
    return nullptr;
}

bool TAdvStringGrid::IsHiddenRow(int RowIndex) const { return HiddenRowItem(RowIndex) != nullptr; }

bool TAdvStringGrid::IsHiddenRow(int RowIndex, TIntList*& ListHidden) const
{
    if (!ListHidden) {
        ListHidden = new TIntList(0, 0);
        for (const auto& item : FGridItems) ListHidden->Add(item->Idx());
    }
    return ListHidden->HasValue(RowIndex);
}

bool TAdvStringGrid::IsIgnoredColumn(int ACol) const { return FIgnoreColumns->HasValue(ACol); }

int TAdvStringGrid::AllColWidths(int ACol) const
{
    if (ACol < 0) return 0;
    if (IsHiddenColumn(ACol)) return ACol < int(FAllColWidths.size()) ? FAllColWidths[size_t(ACol)] : 0;
    return ColWidths(DisplColIndex(ACol));
}

void TAdvStringGrid::SetAllColWidths(int ACol, int Value)
{
    if (ACol < 0) return;
    if (ACol >= int(FAllColWidths.size())) FAllColWidths.resize(size_t(ACol) + 1, DefaultColWidth());
    FAllColWidths[size_t(ACol)] = Value;
    if (!IsHiddenColumn(ACol)) {
        const int d = DisplColIndex(ACol);
        if (d < ColCount()) SetColWidths(d, Value);
    }
}

// ---- hidden columns -------------------------------------------------------------------

void TAdvStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    for (int c = std::max(FromCol, 0); c <= ToCol; ++c) {
        if (IsHiddenColumn(c) || c >= TotalColCount() || ColCount() < 2) continue;
        const int d = DisplColIndex(c);
        if (c >= int(FAllColWidths.size())) FAllColWidths.resize(size_t(c) + 1, DefaultColWidth());
        FAllColWidths[size_t(c)] = ColWidths(d);
        FHiddenCols.insert(std::lower_bound(FHiddenCols.begin(), FHiddenCols.end(), c), c);
        // The widths right of it move one place left; the cells stay.
        DeleteAxisLines(true, d, 1);
    }
    Invalidate();
}

void TAdvStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    for (int c = std::max(FromCol, 0); c <= ToCol; ++c) {
        auto it = std::lower_bound(FHiddenCols.begin(), FHiddenCols.end(), c);
        if (it == FHiddenCols.end() || *it != c) continue;
        FHiddenCols.erase(it);
        const int d = DisplColIndex(c);
        InsertAxisLines(true, d, 1);
        if (c < int(FAllColWidths.size())) SetColWidths(d, FAllColWidths[size_t(c)]);
    }
    Invalidate();
}

void TAdvStringGrid::UnHideColumnsAll()
{
    if (FHiddenCols.empty()) return;
    UnHideColumns(0, FHiddenCols.back());
}

// ---- hidden rows ----------------------------------------------------------------------

void TAdvStringGrid::InsertHiddenItem(std::unique_ptr<TGridItem> Item)
{
    const int k = ItemLowerBound(Item->Idx());
    FGridItems.insert(FGridItems.begin() + k, std::move(Item));
}

void TAdvStringGrid::HideRowsCore(int FromRow, int ToRow, bool KeepHeights)
{
    FromRow = std::max(FromRow, 0);
    if (ToRow < FromRow) return;
    // The shown rows of the range lie together among the display rows.
    const int f = DisplRowIndex(FromRow);
    int shown = 0;
    std::vector<int> reals;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (IsHiddenRow(r)) continue;
        if (f + shown >= RowCount()) break;
        reals.push_back(r);
        ++shown;
    }
    if (shown == 0) return;
    // At least one row stays in the grid.
    if (shown >= RowCount()) {
        shown = RowCount() - 1;
        reals.resize(size_t(std::max(shown, 0)));
        if (shown <= 0) return;
    }
    std::vector<int> heights;
    for (int i = 0; i < shown; ++i) heights.push_back(RowHeights(f + i));
    // Cell controls of the rows go out of sight with them.
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* ci = FControlList->Control(i);
        if (ci->Y() >= FromRow && ci->Y() <= ToRow && ci->Control()) ci->Control()->SetVisible(false);
    }
    std::vector<TGridStoreLine> lines = DeleteRowBlock(f, shown);
    if (!MouseActions()->RowSelectPersistent() && f < int(FRowSelect.size()))
        FRowSelect.erase(FRowSelect.begin() + f, FRowSelect.begin() + std::min<int>(int(FRowSelect.size()), f + shown));
    for (int i = 0; i < shown; ++i) {
        auto item = std::make_unique<TGridItem>();
        item->SetIdx(reals[size_t(i)]);
        item->SetHeight(KeepHeights ? heights[size_t(i)] : 0);
        if (i < int(lines.size())) item->SetCells(std::move(lines[size_t(i)]));
        InsertHiddenItem(std::move(item));
    }
    FNormalRowCount = RowCount();
    CellControlsUpdate(false);
}

void TAdvStringGrid::HideRows(int FromRow, int ToRow)
{
    HideRowsCore(FromRow, ToRow, true);
}

void TAdvStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    if (IsHiddenRow(FromRow)) return;
    const int before = RowCount();
    const int f = DisplRowIndex(FromRow);
    HideRowsCore(FromRow, ToRow, false);
    const int removed = before - RowCount();
    if (removed <= 0) return;
    FMaxRowCount = std::max(FMaxRowCount - removed, 0);
    CellsChanged(TGridRect{0, f, ColCount() - 1, f + removed});
}

void TAdvStringGrid::HideRowListCore(TIntList* RowList, int Level)
{
    if (!RowList || RowList->Count() == 0) return;
    std::vector<int> rows;
    rows.reserve(size_t(RowList->Count()));
    for (int i = 0; i < RowList->Count(); ++i) {
        const int p = RowList->Items(i);
        if (p >= 0 && p < RowCount()) rows.push_back(p);
    }
    if (!std::is_sorted(rows.begin(), rows.end())) std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (int(rows.size()) >= RowCount()) rows.resize(size_t(RowCount() - 1));
    // Real indexes at hiding time, before any row leaves: one walk along
    // the rows hidden already, as both lists ascend.
    std::vector<std::unique_ptr<TGridItem>> items;
    items.reserve(rows.size());
    size_t hiddenBefore = 0;
    for (int p : rows) {
        while (hiddenBefore < FGridItems.size() && FGridItems[hiddenBefore]->Idx() - int(hiddenBefore) <= p)
            ++hiddenBefore;
        auto item = std::make_unique<TGridItem>();
        item->SetIdx(p + int(hiddenBefore));
        item->SetHeight(RowHeights(p));
        item->SetLevel(Level);
        items.push_back(std::move(item));
    }
    std::vector<TGridStoreLine> lines = DeleteRowSet(rows);
    for (size_t i = 0; i < items.size() && i < lines.size(); ++i) items[i]->SetCells(std::move(lines[i]));
    if (!MouseActions()->RowSelectPersistent()) AdvGridHiddenEraseAt(FRowSelect, rows);
    // Both lists ascend by real index: one merge keeps the store sorted.
    std::vector<std::unique_ptr<TGridItem>> merged;
    merged.reserve(FGridItems.size() + items.size());
    std::merge(std::make_move_iterator(FGridItems.begin()), std::make_move_iterator(FGridItems.end()),
               std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()), std::back_inserter(merged),
               [](const std::unique_ptr<TGridItem>& a, const std::unique_ptr<TGridItem>& b) { return a->Idx() < b->Idx(); });
    FGridItems = std::move(merged);
    FNormalRowCount = RowCount();
    CellControlsUpdate(false);
}

void TAdvStringGrid::HideRowList(TIntList* RowList)
{
    HideRowListCore(RowList, FFilterLevel + 1);
    ++FFilterLevel;
}

void TAdvStringGrid::HideRowListDirect(TIntList* RowList) { HideRowListCore(RowList, 0); }

void TAdvStringGrid::UnHideItems(int FromRealRow, int ToRealRow, int Level)
{
    // Level -1: every item of the range; else the items of that level.
    const bool modified = ShowModifiedEnabled();
    SetShowModifiedEnabled(false);
    std::vector<std::unique_ptr<TGridItem>> taken, kept;
    kept.reserve(FGridItems.size());
    for (auto& item : FGridItems) {
        const bool match = item->Idx() >= FromRealRow && item->Idx() <= ToRealRow && (Level < 0 || item->Level() == Level);
        (match ? taken : kept).push_back(std::move(item));
    }
    FGridItems = std::move(kept);
    // A row comes back at its real index less the rows still hidden before it.
    std::vector<int> at;
    std::vector<int> heights;
    std::vector<TGridStoreLine> lines;
    at.reserve(taken.size());
    heights.reserve(taken.size());
    lines.reserve(taken.size());
    size_t stillHidden = 0;
    for (auto& item : taken) {
        while (stillHidden < FGridItems.size() && FGridItems[stillHidden]->Idx() < item->Idx()) ++stillHidden;
        at.push_back(item->Idx() - int(stillHidden));
        heights.push_back(item->Height() > 0 ? item->Height() : DefaultRowHeight());
        lines.push_back(item->TakeCells());
    }
    // The property objects learn their cells once the rows are in place.
    struct Owned {
        size_t Line;
        int Col;
        TCellProperties* Props;
    };
    std::vector<Owned> owned;
    for (size_t k = 0; k < lines.size(); ++k)
        for (size_t c = 0; c < lines[k].size(); ++c)
            if (TObject* o = lines[k][c].Object) owned.push_back({k, int(c), static_cast<TCellProperties*>(o)});
    InsertRowSet(at, std::move(lines), heights);
    for (const Owned& o : owned) {
        o.Props->SetOwnerCol(o.Col);
        o.Props->SetOwnerRow(at[o.Line]);
    }
    if (!MouseActions()->RowSelectPersistent()) AdvGridHiddenInsertAt(FRowSelect, at);
    for (int c = 0; c < FControlList->Count(); ++c) {
        TControlItem* ci = FControlList->Control(c);
        if (ci->Y() >= FromRealRow && ci->Y() <= ToRealRow && ci->Control() && !IsHiddenRow(ci->Y()))
            ci->Control()->SetVisible(true);
    }
    FNormalRowCount = RowCount();
    SetShowModifiedEnabled(modified);
    CellControlsUpdate(false);
}

void TAdvStringGrid::UnHideRows(int FromRow, int ToRow)
{
    if (!IsHiddenRow(FromRow)) return;
    UnHideItems(FromRow, ToRow, -1);
}

void TAdvStringGrid::UnHideRow(int RowIndex)
{
    if (!IsHiddenRow(RowIndex)) return;
    UnHideItems(RowIndex, RowIndex, -1);
}

void TAdvStringGrid::UnHideRowsAll()
{
    if (FGridItems.empty()) return;
    UnHideItems(FGridItems.front()->Idx(), FGridItems.back()->Idx(), -1);
}

void TAdvStringGrid::UnHideRowList()
{
    if (FFilterLevel <= 0) return;
    UnHideItems(0, std::numeric_limits<int>::max(), FFilterLevel);
}

// ---- deleting display rows --------------------------------------------------------------

void TAdvStringGrid::PutRowCells(int DisplayRow, TGridStoreLine&& Cells)
{
    for (int c = 0; c < int(Cells.size()); ++c) {
        TGridStoreCell& cell = Cells[size_t(c)];
        if (!cell.Text.isEmpty()) SetGridCells(c, DisplayRow, cell.Text);
        if (cell.Object) {
            auto* p = static_cast<TCellProperties*>(cell.Object);
            p->SetOwnerCol(c);
            p->SetOwnerRow(DisplayRow);
            SetGridObjects(c, DisplayRow, p);
            cell.Object = nullptr;
        }
    }
}

void TAdvStringGrid::FreeLineObjects(TGridStoreLine& Line)
{
    for (TGridStoreCell& cell : Line) {
        if (!cell.Object) continue;
        auto* p = static_cast<TCellProperties*>(cell.Object);
        cell.Object = nullptr;
        if (FNilObjects) continue;
        if (auto* g = dynamic_cast<TCellGraphic*>(p->GraphicObject())) {
            p->SetGraphicObject(nullptr);
            // The shared row and virtual check boxes are the grid's.
            if (g != FCellGraphic) Free(g);
        }
        Free(p);
    }
}

void TAdvStringGrid::DeleteDisplayRows(int StartRow, int Count, bool UpdateControls)
{
    if (StartRow < 0 || Count < 1 || StartRow >= RowCount()) return;
    Count = std::min(Count, RowCount() - StartRow);
    const int lastReal = RealRowIndex(StartRow + Count - 1);
    const int firstReal = RealRowIndex(StartRow);
    if (UpdateControls) {
        for (int i = FControlList->Count() - 1; i >= 0; --i) {
            TControlItem* ci = FControlList->Control(i);
            if (ci->Y() >= firstReal && ci->Y() <= lastReal) {
                if (ci->Control()) ci->Control()->SetVisible(false);
                FControlList->RemoveControl(i);
                if (FNumCellControls > 0) --FNumCellControls;
            }
        }
        for (auto& item : FGridItems)
            if (item->Idx() > lastReal) item->SetIdx(item->Idx() - Count);
    }
    std::vector<TGridStoreLine> lines = DeleteRowBlock(StartRow, Count);
    if (!MouseActions()->RowSelectPersistent() && StartRow < int(FRowSelect.size()))
        FRowSelect.erase(FRowSelect.begin() + StartRow,
                         FRowSelect.begin() + std::min<int>(int(FRowSelect.size()), StartRow + Count));
    // Nothing is freed: the caller has taken what it keeps.
    for (TGridStoreLine& line : lines)
        for (TGridStoreCell& cell : line) cell.Object = nullptr;
    FNormalRowCount = RowCount();
    const int lastNormal = RowCount() - FFixedFooters - 1;
    if (Row() > lastNormal && lastNormal >= FixedRows()) TBaseGrid::SetRow(lastNormal);
}

void TAdvStringGrid::RemoveRowsRange(int ARow, int Count)
{
    if (ARow < 0 || Count < 1 || ARow >= RowCount()) return;
    Count = std::min(Count, RowCount() - ARow);
    FreeCellPropertiesRange(0, ARow, TotalColCount() - 1, ARow + Count - 1);
    DeleteDisplayRows(ARow, Count, true);
}
