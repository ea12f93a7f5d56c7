// Row and column structure: counts and fixed parts, inserting, removing,
// swapping and moving rows and columns, the current row and scrolling into
// view. Rows move through the platform's block operations; every list
// indexed by row follows them.

#include "AdvGrid.h"

#include "OsProfile.h"
#include "SysStrings.h"

#include <algorithm>

namespace {

const QString SAdvGridRowsIndexOutOfRange = QStringLiteral("Grid index out of range");

} // namespace

// ---- counts and fixed parts -----------------------------------------------------------

void TAdvStringGrid::SetRowCount(int Value)
{
    if (RowCount() == FixedRows() && FFixedRowAlways && FSelHidden) UnHideSelection();
    const int p = RowCount();
    TBaseGrid::SetRowCount(Value);
    if (FFixedRowAlways && FFixedRowsMin < RowCount() && TBaseGrid::FixedRows() != FFixedRowsMin)
        TBaseGrid::SetFixedRows(FFixedRowsMin);
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FNormalRowCount = RowCount();
    UpdateFooter();
    UpdateScrollBarAlways(false);
    const int v = RowCount();
    if (FooterVisible() && v != p && p > 0) {
        // The footer row stays last: it moves to the new last row, whose
        // own objects go.
        const int cols = TotalColCount();
        for (int c = 0; c < cols; ++c) {
            if (TCellProperties* old = ReleaseCellProperties(c, v - 1)) FreeGridCellProperties(old);
            SetGridCells(c, v - 1, GridCells(c, p - 1));
            SetGridObjects(c, v - 1, ReleaseCellProperties(c, p - 1));
            SetGridCells(c, p - 1, QString());
        }
        CalcFooter(-1);
    }
}

void TAdvStringGrid::SetColCount(int Value)
{
    TBaseGrid::SetColCount(Value);
    if (FFixedColAlways && FFixedColsMin < ColCount() && TBaseGrid::FixedCols() != FFixedColsMin)
        TBaseGrid::SetFixedCols(FFixedColsMin);
    FMaxColCount = std::max(FMaxColCount, ColCount());
    UpdateFooter();
    SetBounds(Left(), Top(), Width(), Height());
    UpdateScrollBarAlways(false);
}

int TAdvStringGrid::FixedRows() const
{
    const int v = TBaseGrid::FixedRows();
    return v == 0 && FFixedRowAlways ? 1 : v;
}

void TAdvStringGrid::SetFixedRows(int Value)
{
    int v = Value;
    if (v >= RowCount() && FFixedRowAlways) v = RowCount() - 1;
    TBaseGrid::SetFixedRows(v);
    if (!HasState(csLoading)) FFixedRowsMin = Value;
}

int TAdvStringGrid::FixedCols() const
{
    const int v = TBaseGrid::FixedCols();
    return v == 0 && FFixedColAlways ? 1 : v;
}

void TAdvStringGrid::SetFixedCols(int Value)
{
    int v = Value;
    if (v >= ColCount() && FFixedColAlways) v = ColCount() - 1;
    TBaseGrid::SetFixedCols(v);
    if (!HasState(csLoading)) FFixedColsMin = Value;
}

void TAdvStringGrid::SetFixedColWidth(int Value)
{
    if (HasState(csLoading) || Value == DefaultColWidth()) return;
    for (int c = 0; c < TBaseGrid::FixedCols(); ++c) SetColWidths(c, Value);
}

void TAdvStringGrid::SetFixedRowHeight(int Value)
{
    FFixedRowHeight = Value;
    if (HasState(csLoading)) return;
    if (Value == DefaultRowHeight()) {
        TBaseGrid::SetDefaultRowHeight(DefaultRowHeight());
        return;
    }
    for (int r = 0; r < TBaseGrid::FixedRows(); ++r) SetRowHeights(r, Value);
}

void TAdvStringGrid::SetDefaultRowHeight(int Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    // TODO(holders): the floating footer's height follows (its panel too
    // when visible).
}

void TAdvStringGrid::SetDefaultAlignment(TAlignment Value)
{
    if (Value == FDefaultAlignment) return;
    FDefaultAlignment = Value;
    Invalidate();
}

void TAdvStringGrid::SetFixedFooters(int Value)
{
    FFixedFooters = Value;
    Invalidate();
}

void TAdvStringGrid::SetFixedRightCols(int Value)
{
    FFixedRightCols = Value;
    Invalidate();
}

void TAdvStringGrid::SetWordWrap(bool Value)
{
    FWordWrapEx = Value;
    TBaseGrid::SetWordWrap(Value);
    if (InplaceEditor()) InplaceEditor()->SetWordWrap(Value);
    if (FUpdateCount == 0) Invalidate();
}

void TAdvStringGrid::SetCursor(TCursor Value)
{
    TBaseGrid::SetCursor(Value);
    FOldCursor = Value;
    // The grid's own cursor changes leave the mouse selection mode alone.
    if (!FCursorChangedByGrid) FMouseSelectMode = msNormal;
    FCursorChangedByGrid = false;
}

// ---- current cell, scrolling, moving --------------------------------------------------

void TAdvStringGrid::SetCol(int Value)
{
    TBaseGrid::SetCol(Value);
    if (auto* g = dynamic_cast<TAdvStringGrid*>(FSyncGrid->Grid()); g && FSyncGrid->SelectionColumn())
        if (Value >= g->FixedCols() && Value < g->ColCount()) g->SetCol(Value);
}

void TAdvStringGrid::SetRow(int Value)
{
    if (Col() < 0 || Col() >= ColCount()) MoveCurrentCell(FixedCols(), Value);
    if (Value < TBaseGrid::FixedRows() || Value >= RowCount()) throw EInvalidGridOperation(SAdvGridRowsIndexOutOfRange);
    TBaseGrid::SetRow(Value);
    if (OnRowChanged && Row() != FOldRowSel) {
        const int old = FOldRowSel;
        FOldRowSel = Row();
        OnRowChanged(this, old, Row());
    }
    if (FMouseActions->DisjunctRowSelect()) SyncRowSelectWithSelection(false);
    if (auto* g = dynamic_cast<TAdvStringGrid*>(FSyncGrid->Grid()); g && FSyncGrid->SelectionRow())
        if (Row() >= g->FixedRows() && Row() < g->RowCount()) g->SetRow(Row());
    if (RowCount() == Value + 1 && SearchFooterVisible()) KeepLastRowAboveSearchFooter();
}

void TAdvStringGrid::SetTopRow(int Value)
{
    if (Value < TBaseGrid::FixedRows() || Value > RowCount() - 1) return;
    TBaseGrid::SetTopRow(Value);
}

void TAdvStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount()) return;
    int l = LeftCol(), t = TopRow();
    const int vc = VisibleColCount(), vr = VisibleRowCount();
    if (ColIndex < l || ColIndex >= l + vc) {
        if (ColIndex >= FixedCols()) TBaseGrid::SetCol(ColIndex);
        l = std::max(ColIndex - vc / 2, FixedCols());
    }
    if (RowIndex < t || RowIndex >= t + vr) {
        if (RowIndex >= TBaseGrid::FixedRows()) TBaseGrid::SetRow(RowIndex);
        t = std::max(RowIndex - vr / 2, TBaseGrid::FixedRows());
    }
    if (l > ColCount() - vc + 1) l = ColCount() + 1 - vc;
    if (FixedCols() + vc < ColCount()) SetLeftCol(l);
    if (t > RowCount() - vr + 1) t = RowCount() + 1 - vr;
    if (TBaseGrid::FixedRows() + vr >= RowCount()) return;
    SetTopRow(t);
    if (!SearchFooterVisible()) return;
    const bool colsFit = VisibleColCount() + FixedCols() >= ColCount();
    const int h = Height() - SearchPanelHeight() - (colsFit ? 0 : GetOsProfile().ScrollBarExtent);
    // Down one row at a time; a grid too low for the row stops where the
    // top row cannot move further.
    while (CalcCellRect(0, RowIndex).Bottom > h) {
        const int before = TopRow();
        SetTopRow(before + 1);
        if (TopRow() == before) break;
    }
}

void TAdvStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex) return;
    if (FColumnOrder->Count() == 0) SetColumnOrder();
    {
        // The grid moves, not the platform's drag: widths and Col follow here.
        const TFlagScope own(FOwnMove);
        ColumnMoved(FromIndex, ToIndex);
    }
    if (FControlList->Count() > 0) {
        const int from = RealColIndex(FromIndex), to = RealColIndex(ToIndex);
        for (int i = 0; i < FControlList->Count(); ++i) {
            TControlItem* ci = FControlList->Control(i);
            const int x = ci->X();
            if (x == from) ci->SetX(to);
            else if (to < from && x >= to && x < from) ci->SetX(x + 1);
            else if (to > from && x > from && x <= to) ci->SetX(x - 1);
        }
    }
    CellControlsUpdate(false);
    Invalidate();
}

void TAdvStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex) return;
    const int from = RealRowIndex(FromIndex), to = RealRowIndex(ToIndex);
    {
        const TFlagScope own(FOwnMove);
        RowMoved(FromIndex, ToIndex);
    }
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* ci = FControlList->Control(i);
        const int y = ci->Y();
        if (y == from) ci->SetY(to);
        else if (to < from && y >= to && y < from) ci->SetY(y + 1);
        else if (to > from && y > from && y <= to) ci->SetY(y - 1);
    }
    CellControlsUpdate(false);
    Invalidate();
}

void TAdvStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    if (FromIndex == ToIndex || Count <= 0 || FromIndex < 0 || FromIndex + Count > RowCount()) return;
    if (FromIndex + Count < ToIndex) ToIndex -= Count;
    std::vector<int> heights;
    for (int i = 0; i < Count; ++i) heights.push_back(RowHeights(FromIndex + i));
    BeginUpdate();
    // The rows travel whole: their cells and objects are taken out and put
    // back, nothing is copied or freed.
    std::vector<TGridStoreLine> lines = DeleteRowBlock(FromIndex, Count);
    ToIndex = std::clamp(ToIndex, 0, RowCount());
    InsertRowBlock(ToIndex, Count);
    for (int i = 0; i < Count && i < int(lines.size()); ++i) {
        PutRowCells(ToIndex + i, std::move(lines[size_t(i)]));
        SetRowHeights(ToIndex + i, heights[size_t(i)]);
    }
    EndUpdate();
    CellsChanged(TGridRect{0, std::min(FromIndex, ToIndex), ColCount() - 1, std::max(FromIndex, ToIndex) + Count});
}

void TAdvStringGrid::HideSelection()
{
    if (!FSelHidden) FOldSelection = Selection();
    SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
    FSelHidden = true;
}

void TAdvStringGrid::UnHideSelection()
{
    FSelHidden = false;
    if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount() && FOldSelection.Top >= 0
        && FOldSelection.Left >= 0) {
        TGridRect s = FOldSelection;
        s.Right = std::min(s.Right, ColCount() - 1);
        s.Bottom = std::min(s.Bottom, RowCount() - 1);
        SetSelection(s);
        return;
    }
    const int top = FFixedRowAlways && TBaseGrid::FixedRows() == RowCount() ? 0 : TBaseGrid::FixedRows();
    const int left = FFixedColAlways && TBaseGrid::FixedCols() == ColCount() ? 0 : TBaseGrid::FixedCols();
    SetSelection(TGridRect{left, top, left, top});
}

void TAdvStringGrid::UpdateEditMode() { CanMoveToCell(Col(), Row()); }

// ---- the lists that follow the rows ------------------------------------------------------

int TAdvStringGrid::InsertionRealRow(int DisplayRow) const
{
    if (DisplayRow < RowCount()) return RealRowIndex(DisplayRow);
    if (DisplayRow == 0) return 0;
    return RealRowIndex(DisplayRow - 1) + 1;
}

void TAdvStringGrid::RowsInserted(int DisplayRow, int RealRow, int Count)
{
    const bool persistent = FMouseActions->RowSelectPersistent();
    const int selAt = persistent ? RealRow : DisplayRow;
    if (selAt < int(FRowSelect.size())) FRowSelect.insert(FRowSelect.begin() + selAt, size_t(Count), false);
    for (int i = 0; i < FSelectedRows->Count(); ++i)
        if (FSelectedRows->Items(i) >= selAt) FSelectedRows->SetInteger(i, FSelectedRows->Items(i) + Count);
    for (TIntList* list : {FModifiedRows, FEnabledRows})
        if (DisplayRow < list->Count())
            for (int i = 0; i < Count; ++i) list->Insert(DisplayRow, 0);
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* ci = FControlList->Control(i);
        if (ci->Y() >= RealRow) ci->SetY(ci->Y() + Count);
    }
    for (auto& item : FGridItems)
        if (item->Idx() >= RealRow) item->SetIdx(item->Idx() + Count);
}

void TAdvStringGrid::RowsRemoved(int DisplayRow, const std::vector<int>& RemovedReal)
{
    const int count = int(RemovedReal.size());
    if (count == 0) return;
    // x -> x minus the removed rows before it; a removed x drops out.
    auto below = [&](int x) { return int(std::lower_bound(RemovedReal.begin(), RemovedReal.end(), x) - RemovedReal.begin()); };
    auto removed = [&](int x) { return std::binary_search(RemovedReal.begin(), RemovedReal.end(), x); };
    const bool persistent = FMouseActions->RowSelectPersistent();
    if (persistent) {
        for (int k = count - 1; k >= 0; --k)
            if (RemovedReal[size_t(k)] < int(FRowSelect.size())) FRowSelect.erase(FRowSelect.begin() + RemovedReal[size_t(k)]);
    } else if (DisplayRow < int(FRowSelect.size())) {
        FRowSelect.erase(FRowSelect.begin() + DisplayRow,
                         FRowSelect.begin() + std::min<int>(int(FRowSelect.size()), DisplayRow + count));
    }
    for (int i = FSelectedRows->Count() - 1; i >= 0; --i) {
        const int x = FSelectedRows->Items(i);
        if (persistent) {
            if (removed(x)) FSelectedRows->Delete(i);
            else if (below(x) > 0) FSelectedRows->SetInteger(i, x - below(x));
        } else if (x >= DisplayRow + count) {
            FSelectedRows->SetInteger(i, x - count);
        } else if (x >= DisplayRow) {
            FSelectedRows->Delete(i);
        }
    }
    for (TIntList* list : {FModifiedRows, FEnabledRows})
        for (int i = 0; i < count && DisplayRow < list->Count(); ++i) list->Delete(DisplayRow);
    for (int i = FControlList->Count() - 1; i >= 0; --i) {
        TControlItem* ci = FControlList->Control(i);
        if (removed(ci->Y())) {
            if (ci->Control()) {
                ci->Control()->SetVisible(false);
                if (TCellProperties* p = GridObjects(ci->X(), DisplRowIndex(ci->Y()))) p->SetControl(nullptr);
            }
            FControlList->RemoveControl(i);
            if (FNumCellControls > 0) --FNumCellControls;
        } else if (below(ci->Y()) > 0) {
            ci->SetY(ci->Y() - below(ci->Y()));
        }
    }
    for (auto& item : FGridItems) item->SetIdx(item->Idx() - below(item->Idx()));
}

// ---- rows in and out ---------------------------------------------------------------------

void TAdvStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RowIndex < 0 || RowIndex > RowCount() || RCount < 1) return;
    if (FSelHidden || Col() >= ColCount() || Row() >= RowCount()) UnHideSelection();
    const int realAt = InsertionRealRow(RowIndex);
    // The store rows the new rows overwrite beyond the count go with their
    // objects; those further out stay where they are.
    std::vector<TGridStoreLine> over = StoreDeleteRows(RowCount(), RCount);
    for (TGridStoreLine& line : over) FreeLineObjects(line);
    InsertRowBlock(RowIndex, RCount);
    RowsInserted(RowIndex, realAt, RCount);
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FNormalRowCount = RowCount();
    if (UpdateCellControls && FControlList->Count() > 0) CellControlsUpdate(false);
    if (!HasState(csDestroying)) CellsChanged(TGridRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
}

void TAdvStringGrid::AddRow()
{
    if (FooterVisible()) {
        InsertRows(RowCount() - 1, 1, true);
        if (FooterFixedLastRow()) ClearRows(RowCount() - 2, 1);
    } else {
        InsertRows(RowCount(), 1, true);
        ClearRows(RowCount() - 1, 1);
    }
}

void TAdvStringGrid::RemoveRowsCore(int RowIndex, int RCount, bool RestoreRow)
{
    const int oldCount = RowCount();
    const int oldRow = Row(), oldTop = TopRow();
    std::vector<int> reals;
    for (int i = 0; i < RCount; ++i) reals.push_back(RealRowIndex(RowIndex + i));
    BeginUpdate();
    RowsRemoved(RowIndex, reals);
    std::vector<TGridStoreLine> lines = DeleteRowBlock(RowIndex, RCount);
    for (TGridStoreLine& line : lines) FreeLineObjects(line);
    const int removed = oldCount - RowCount();
    // Rows kept in the store beyond the old count stay where they were.
    StoreInsertRows(RowCount(), removed);
    FMaxRowCount = std::max(FMaxRowCount - removed, RowCount());
    FNormalRowCount = RowCount();
    const int lastNormal = RowCount() - FFixedFooters - 1;
    if (RestoreRow && oldRow <= lastNormal && oldRow >= TBaseGrid::FixedRows()) {
        if (!FMouseActions->DisjunctRowSelect() && oldRow != Row()) TBaseGrid::SetRow(oldRow);
        TBaseGrid::SetTopRow(std::clamp(oldTop, TBaseGrid::FixedRows(), RowCount() - 1));
    } else if (lastNormal >= TBaseGrid::FixedRows()) {
        if (Row() > lastNormal || Row() < TBaseGrid::FixedRows()) TBaseGrid::SetRow(lastNormal);
    } else {
        HideSelection();
        FSelHidden = false;
    }
    EndUpdate();
    CellsChanged(TGridRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
    if (FControlList->Count() > 0) CellControlsUpdate(false);
}

void TAdvStringGrid::RemoveRows(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount < 1) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    RemoveRowsCore(RowIndex, RCount, true);
}

void TAdvStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount < 1) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    RemoveRowsCore(RowIndex, RCount, true);
}

void TAdvStringGrid::DeleteRows(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount < 1) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    RemoveRowsCore(RowIndex, RCount, true);
}

void TAdvStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    QStringList kept;
    BeginUpdate();
    int r = TBaseGrid::FixedRows();
    while (r <= RowCount() - FFixedFooters - 1) {
        const QString text = GetCellEx(RealColIndex(ACol), r);
        bool dup = false;
        for (const QString& k : kept)
            if (SameText(k, text)) {
                dup = true;
                break;
            }
        if (dup && RowCount() > 1) {
            DeleteRows(r, 1);
            continue;
        }
        kept.append(DoCase ? text : text.toUpper());
        ++r;
    }
    EndUpdate();
}

void TAdvStringGrid::RemoveSelectedRows()
{
    BeginUpdate();
    if (FMouseActions->DisjunctRowSelect()) {
        std::vector<int> rows;
        for (int r = TBaseGrid::FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r)
            if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) rows.push_back(r);
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) DeleteRows(*it, 1);
        ClearRowSelect();
    } else {
        const TGridRect s = Selection();
        for (int r = std::max(s.Top, s.Bottom); r >= std::min(s.Top, s.Bottom); --r)
            if (r >= TBaseGrid::FixedRows() && r < RowCount()) DeleteRows(r, 1);
    }
    EndUpdate();
}

void TAdvStringGrid::RemoveUnSelectedRows()
{
    BeginUpdate();
    for (int r = RowCount() - FFixedFooters - 1; r >= TBaseGrid::FixedRows(); --r)
        if (!RowSelect(r)) DeleteRows(r, 1);
    if (FMouseActions->RowSelectPersistent())
        SelectRows(TBaseGrid::FixedRows(), RowCount() - TBaseGrid::FixedRows());
    else
        ClearRowSelect();
    EndUpdate();
}

void TAdvStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    BeginUpdate();
    for (int r = RowCount() - 1; r >= TBaseGrid::FixedRows(); --r)
        if (IsChecked(CheckBoxColumn, r) == RemoveChecked) RemoveRows(r, 1);
    EndUpdate();
}

void TAdvStringGrid::HideSelectedRows()
{
    BeginUpdate();
    for (int r = RowCount() - FFixedFooters - 1; r >= TBaseGrid::FixedRows(); --r)
        if (IsSelected(FixedCols(), r) || RowSelect(r)) HideRow(RealRowIndex(r));
    EndUpdate();
}

void TAdvStringGrid::HideUnSelectedRows()
{
    BeginUpdate();
    int r = TBaseGrid::FixedRows();
    while (r <= RowCount() - FFixedFooters - 1 && RowCount() > 1) {
        if (!RowSelect(r)) {
            const int before = RowCount();
            HideRow(RealRowIndex(r));
            if (RowCount() == before) ++r;
        } else {
            ++r;
        }
    }
    EndUpdate();
}

// ---- columns ------------------------------------------------------------------------------

void TAdvStringGrid::InsertCols(int ColIndex, int CCount)
{
    if (ColIndex < 0 || ColIndex > TotalColCount() || CCount < 1) return;
    StoreInsertCols(ColIndex, CCount);
    for (int& h : FHiddenCols)
        if (h >= ColIndex) h += CCount;
    if (ColIndex < int(FAllColWidths.size()))
        FAllColWidths.insert(FAllColWidths.begin() + ColIndex, size_t(CCount), DefaultColWidth());
    for (auto& item : FGridItems) {
        TGridStoreLine& cells = item->Cells();
        if (ColIndex < int(cells.size())) cells.insert(cells.begin() + ColIndex, size_t(CCount), TGridStoreCell());
    }
    InsertAxisLines(true, DisplColIndex(ColIndex), CCount);
    FMaxColCount = std::max(FMaxColCount, ColCount());
}

void TAdvStringGrid::RemoveCols(int ColIndex, int CCount)
{
    if (ColIndex < 0 || ColIndex >= TotalColCount() || CCount < 1) return;
    CCount = std::min(CCount, TotalColCount() - ColIndex);
    int shown = 0;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (!IsHiddenColumn(c)) ++shown;
    // At least one shown column stays.
    while (shown >= ColCount() && CCount > 0) {
        --CCount;
        if (!IsHiddenColumn(ColIndex + CCount)) --shown;
    }
    if (CCount < 1) return;
    BeginUpdate();
    const int d = DisplColIndex(ColIndex);
    std::vector<TGridStoreLine> cols = StoreDeleteCols(ColIndex, CCount);
    for (TGridStoreLine& line : cols) FreeLineObjects(line);
    // Hidden columns among the removed ones no longer count as hidden.
    std::vector<int> hidden;
    for (int h : FHiddenCols) {
        if (h < ColIndex) hidden.push_back(h);
        else if (h >= ColIndex + CCount) hidden.push_back(h - CCount);
    }
    FHiddenCols = std::move(hidden);
    if (ColIndex < int(FAllColWidths.size()))
        FAllColWidths.erase(FAllColWidths.begin() + ColIndex,
                            FAllColWidths.begin() + std::min<int>(int(FAllColWidths.size()), ColIndex + CCount));
    for (auto& item : FGridItems) {
        TGridStoreLine& cells = item->Cells();
        for (int c = ColIndex; c < ColIndex + CCount && c < int(cells.size()); ++c)
            FreeGridCellProperties(static_cast<TCellProperties*>(cells[size_t(c)].Object)), cells[size_t(c)].Object = nullptr;
        if (ColIndex < int(cells.size()))
            cells.erase(cells.begin() + ColIndex, cells.begin() + std::min<int>(int(cells.size()), ColIndex + CCount));
    }
    if (shown > 0) DeleteAxisLines(true, d, shown);
    EndUpdate();
    CellsChanged(TGridRect{ColIndex, 0, ColIndex + CCount, RowCount() - 1});
}

void TAdvStringGrid::RemoveSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (c < int(FColSelect.size()) && FColSelect[size_t(c)]) {
                RemoveCols(RealColIndex(c), 1);
                FColSelect.erase(FColSelect.begin() + c);
            }
        return;
    }
    const TGridRect s = Selection();
    const int l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
    RemoveCols(l, r - l + 1);
}

void TAdvStringGrid::RemoveUnSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (!(c < int(FColSelect.size()) && FColSelect[size_t(c)])) {
                RemoveCols(RealColIndex(c), 1);
                if (c < int(FColSelect.size())) FColSelect.erase(FColSelect.begin() + c);
            }
    } else {
        const TGridRect s = Selection();
        const int l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
        RemoveCols(r + 1, ColCount() - r);
        RemoveCols(FixedCols(), l - FixedCols());
    }
    ClearColSelect();
}

// ---- swapping -------------------------------------------------------------------------------

void TAdvStringGrid::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 < 0 || ACol2 < 0 || ACol1 == ACol2) return;
    ExchangeCols(ACol1, ACol2);
    for (auto& item : FGridItems) {
        TGridStoreLine& cells = item->Cells();
        const size_t need = size_t(std::max(ACol1, ACol2)) + 1;
        if (cells.size() < need) cells.resize(need);
        std::swap(cells[size_t(ACol1)], cells[size_t(ACol2)]);
    }
    const int sc = SortColumnSetting();
    if (sc == ACol1) SetSortColumnSetting(ACol2);
    else if (sc == ACol2) SetSortColumnSetting(ACol1);
    bool any = false;
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* ci = FControlList->Control(i);
        if (ci->X() == ACol1) ci->SetX(ACol2), any = true;
        else if (ci->X() == ACol2) ci->SetX(ACol1), any = true;
    }
    if (any) CellControlsUpdate(false);
}

void TAdvStringGrid::SwapRows(int ARow1, int ARow2)
{
    if (ARow1 < 0 || ARow2 < 0 || ARow1 == ARow2) return;
    const int r1 = RealRowIndex(ARow1), r2 = RealRowIndex(ARow2);
    ExchangeRows(ARow1, ARow2);
    bool any = false;
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* ci = FControlList->Control(i);
        if (ci->Y() == r1) ci->SetY(r2), any = true;
        else if (ci->Y() == r2) ci->SetY(r1), any = true;
    }
    if (any) CellControlsUpdate(false);
}

void TAdvStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    ++FSwaps;
    if (ARow1 < FSortRowXRef->Count() && ARow2 < FSortRowXRef->Count() && ARow1 >= 0 && ARow2 >= 0) {
        const int a = FSortRowXRef->Items(ARow1);
        FSortRowXRef->SetInteger(ARow1, FSortRowXRef->Items(ARow2));
        FSortRowXRef->SetInteger(ARow2, a);
    }
    if (SortSingleColumnSetting()) {
        const int c = SortColumnSetting();
        if (c < 0) return;
        const QString t1 = GetCellEx(c, ARow1), t2 = GetCellEx(c, ARow2);
        SetCellEx(c, ARow1, t2);
        SetCellEx(c, ARow2, t1);
        TCellProperties* p1 = ReleaseCellProperties(c, ARow1);
        SetGridObjects(c, ARow1, ReleaseCellProperties(c, ARow2));
        SetGridObjects(c, ARow2, p1);
        return;
    }
    ExchangeRows(ARow1, ARow2);
    if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) {
        const int s1 = NumHiddenRows() ? RealRowIndex(ARow1) : ARow1;
        const int s2 = NumHiddenRows() ? RealRowIndex(ARow2) : ARow2;
        const bool a = RowSelect(s1), b = RowSelect(s2);
        if (a != b) {
            SetRowSelect(s1, b);
            SetRowSelect(s2, a);
        }
    }
    if (ShowModifiedEnabled()) {
        const bool a = RowModified(ARow1), b = RowModified(ARow2);
        SetRowModified(ARow1, b);
        SetRowModified(ARow2, a);
    }
    if (FSortRow == ARow1) FSortRow = ARow2;
    else if (FSortRow == ARow2) FSortRow = ARow1;
}

void TAdvStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell)
{
    const QString t = GridCells(FromCell.X, FromCell.Y);
    SetGridCells(FromCell.X, FromCell.Y, GridCells(ToCell.X, ToCell.Y));
    SetGridCells(ToCell.X, ToCell.Y, t);
    TCellProperties* p = ReleaseCellProperties(FromCell.X, FromCell.Y);
    SetGridObjects(FromCell.X, FromCell.Y, ReleaseCellProperties(ToCell.X, ToCell.Y));
    SetGridObjects(ToCell.X, ToCell.Y, p);
}

// ---- column order ---------------------------------------------------------------------------

void TAdvStringGrid::SetColumnOrder()
{
    FColumnOrder->Clear();
    for (int c = 0; c < ColCount(); ++c) FColumnOrder->Insert(FColumnOrder->Count(), c);
}

void TAdvStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    if (FColumnOrder->Count() == 0) {
        SetColumnOrder();
        return;
    }
    bool moved = true;
    while (moved) {
        moved = false;
        for (int p = 0; p < ColCount() && p < FColumnOrder->Count(); ++p) {
            const int target = FColumnOrder->Items(p);
            if (target < p && target >= 0) {
                const int v = FColumnOrder->Items(p);
                MoveColumn(p, target);
                // The move keeps the list in step itself; moving the entry a
                // second time would undo it and never end.
                if (FColumnOrder->Items(target) != v) {
                    FColumnOrder->Delete(p);
                    FColumnOrder->Insert(target, v);
                }
                moved = true;
            }
        }
    }
}

int TAdvStringGrid::ColumnPosition(int ACol)
{
    if (FColumnOrder->Count() == 0) return ACol;
    int result = ACol;
    for (int p = 0; p < AllColCount() && p < FColumnOrder->Count(); ++p)
        if (FColumnOrder->Items(p) == ACol) {
            result = p;
            break;
        }
    if (GroupColumn() != -1 && ACol >= GroupColumn()) --result;
    return result;
}

int TAdvStringGrid::ColumnAtPosition(int ACol)
{
    if (FColumnOrder->Count() == 0) SetColumnOrder();
    if (FColumnOrder->Count() == 0 || ACol < 0 || ACol >= FColumnOrder->Count()) return ACol;
    int result = FColumnOrder->Items(ACol);
    if (GroupColumn() != -1 && result >= GroupColumn()) ++result;
    return result;
}

int TAdvStringGrid::ColumnByHeader(const QString& AValue)
{
    for (int c = 0; c < AllColCount(); ++c)
        if (AllCells(c, 0) == AValue) return c;
    return -1;
}
