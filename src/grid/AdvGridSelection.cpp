// Selection beyond the platform's rectangle: disjunct rows, columns and
// cells, the queries over whatever selection is active, the modified and
// disabled row flags, and the repaint operations.

#include "AdvGrid.h"

#include "AdvUtil.h"

#include <algorithm>

namespace {

const QString SAdvGridSelInvalidRowWrite = QStringLiteral("Invalid row accessed");
const QString SAdvGridSelInvalidColumn = QStringLiteral("Invalid column accessed");

QString AdvGridSelInvalidRowRead(int ARow)
{
    return QStringLiteral("Invalid row %1 accessed").arg(ARow);
}

void AdvGridSelGrow(std::vector<bool>& list, int index)
{
    if (index >= int(list.size())) list.resize(size_t(index) + 1, false);
}

void AdvGridSelGrow(TIntList* list, int index)
{
    while (list->Count() <= index) list->Insert(list->Count(), 0);
}

} // namespace

// ---- flags by row and column -----------------------------------------------------------------

bool TAdvStringGrid::RowSelect(int ARow)
{
    const bool persistent = FMouseActions->RowSelectPersistent();
    if ((ARow < 0 || ARow >= RowCount() + NumHiddenRows()) && !persistent)
        throw EAdvGridError(AdvGridSelInvalidRowRead(ARow));
    if (ARow < 0) return false;
    if (FMouseActions->DisjunctRowSelect()) {
        AdvGridSelGrow(FRowSelect, ARow);
        return FRowSelect[size_t(ARow)];
    }
    const TGridRect s = Selection();
    return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TAdvStringGrid::SetRowSelect(int ARow, bool Value)
{
    if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > TBaseGrid::FixedRows()))
        throw EAdvGridError(SAdvGridSelInvalidRowWrite);
    const bool known = ARow < int(FRowSelect.size());
    if (!known || FRowSelect[size_t(ARow)] != Value) {
        bool allow = true;
        if (OnRowDisjunctSelect) OnRowDisjunctSelect(this, ARow, Value, allow);
        if (!allow) return;
    }
    AdvGridSelGrow(FRowSelect, ARow);
    const bool was = FRowSelect[size_t(ARow)];
    FRowSelect[size_t(ARow)] = Value;
    if (was != Value) RepaintRow(ARow);
    if (Value) {
        if (ARow >= TBaseGrid::FixedRows() && !FSelectedRows->HasValue(ARow)) FSelectedRows->Add(ARow);
    } else {
        FSelectedRows->DeleteValue(ARow);
    }
    if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

bool TAdvStringGrid::ColSelect(int ACol)
{
    if (ACol < 0 || ACol >= ColCount()) throw EAdvGridError(SAdvGridSelInvalidColumn);
    AdvGridSelGrow(FColSelect, ACol);
    return FColSelect[size_t(ACol)];
}

void TAdvStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount()) throw EAdvGridError(SAdvGridSelInvalidColumn);
    AdvGridSelGrow(FColSelect, ACol);
    if (FColSelect[size_t(ACol)] != Value) RepaintCol(ACol);
    FColSelect[size_t(ACol)] = Value;
}

bool TAdvStringGrid::RowModified(int ARow) const
{
    return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->Items(ARow) == 1;
}

void TAdvStringGrid::SetRowModified(int ARow, bool Value)
{
    if (ARow < 0) return;
    AdvGridSelGrow(FModifiedRows, ARow);
    FModifiedRows->SetInteger(ARow, Value ? 1 : 0);
    RepaintCell(0, ARow);
}

int TAdvStringGrid::ModifiedRowCount() const
{
    int n = 0;
    for (int i = 0; i < FModifiedRows->Count(); ++i)
        if (FModifiedRows->Items(i) == 1) ++n;
    return n;
}

void TAdvStringGrid::ClearModifiedRows()
{
    FModifiedRows->Clear();
    Invalidate();
}

bool TAdvStringGrid::RowEnabled(int ARow) const
{
    return ARow < 0 || ARow >= FEnabledRows->Count() || FEnabledRows->Items(ARow) == 0;
}

void TAdvStringGrid::SetRowEnabled(int ARow, bool Value)
{
    if (ARow < 0) return;
    if (ARow == Row()) {
        for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
            if (r != ARow && RowEnabled(r)) {
                TBaseGrid::SetRow(r);
                break;
            }
    }
    FUseEnabledRows = true;
    AdvGridSelGrow(FEnabledRows, ARow);
    FEnabledRows->SetInteger(ARow, Value ? 0 : 1);
    RepaintRow(ARow);
}

// ---- selecting -----------------------------------------------------------------------------------

void TAdvStringGrid::SelectRows(int RowIndex, int RCount)
{
    RCount = std::min(RCount, RowCount() - RowIndex);
    if (RCount < 1 || RowIndex < 0) return;
    if (!FMouseActions->DisjunctRowSelect()) {
        SetSelection(TGridRect{FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
    } else {
        for (int r = RowIndex; r < RowIndex + RCount; ++r)
            if (r < RowCount()) SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, true);
    }
    if (!FRowIndicator->Empty()) RepaintCol(0);
    FSelChange = false;
}

void TAdvStringGrid::UnSelectRows(int RowIndex, int RCount)
{
    if (FMouseActions->DisjunctRowSelect())
        for (int r = RowIndex; r < RowIndex + RCount; ++r)
            if (r >= 0 && r < RowCount()) SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, false);
    FSelChange = false;
}

void TAdvStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions->DisjunctColSelect()) {
        SetSelection(TGridRect{ColIndex, TBaseGrid::FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
        return;
    }
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (c >= 0 && c < ColCount()) SetColSelect(c, true);
}

void TAdvStringGrid::UnSelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions->DisjunctColSelect()) return;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (c >= 0 && c < ColCount()) SetColSelect(c, false);
}

void TAdvStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TAdvStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TAdvStringGrid::FocusCell(int ACol, int ARow) { SetSelection(TGridRect{ACol, ARow, ACol, ARow}); }

void TAdvStringGrid::GotoCell(int ACol, int ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TAdvStringGrid::EditCell(int ACol, int ARow)
{
    if (CanFocus()) SetFocus();
    GotoCell(ACol, ARow);
    ShowInplaceEdit();
}

void TAdvStringGrid::MoveCurrentCell(int ACol, int ARow) { MoveColRow(ACol, ARow, true, true); }

bool TAdvStringGrid::SelectedCells(int ACol, int ARow) const
{
    if (FMouseActions->DisjunctCellSelect())
        return std::find(FSelectedCells.begin(), FSelectedCells.end(), TGridCoord{ACol, ARow}) != FSelectedCells.end();
    const TGridRect s = Selection();
    return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right) && ARow >= std::min(s.Top, s.Bottom)
           && ARow <= std::max(s.Top, s.Bottom);
}

void TAdvStringGrid::SetSelectedCells(int ACol, int ARow, bool Value)
{
    const TGridCoord cell{ACol, ARow};
    auto it = std::find(FSelectedCells.begin(), FSelectedCells.end(), cell);
    if (Value && it == FSelectedCells.end()) {
        FSelectedCells.push_back(cell);
        RepaintCell(ACol, ARow);
    } else if (!Value && it != FSelectedCells.end()) {
        FSelectedCells.erase(it);
        RepaintCell(ACol, ARow);
    }
}

void TAdvStringGrid::ClearRowSelect()
{
    for (int r = 0; r < int(FRowSelect.size()); ++r)
        if (FRowSelect[size_t(r)]) {
            RepaintRow(r);
            FRowSelect[size_t(r)] = false;
        }
    FSelectedRows->Clear();
}

void TAdvStringGrid::ClearColSelect()
{
    for (int c = 0; c < int(FColSelect.size()); ++c)
        if (FColSelect[size_t(c)]) {
            RepaintCol(c);
            FColSelect[size_t(c)] = false;
        }
}

void TAdvStringGrid::ClearSelectedCells()
{
    SetSelection(TGridRect{FixedCols(), TBaseGrid::FixedRows(), FixedCols(), TBaseGrid::FixedRows()});
    FSelectedCells.clear();
    Invalidate();
}

void TAdvStringGrid::SyncRowSelectWithSelection(bool All)
{
    TGridRect s = Selection();
    const int top = std::min(s.Top, s.Bottom);
    const int bottom = std::min(std::max(s.Top, s.Bottom), RowCount() - FFixedFooters - 1);
    const bool persistent = FMouseActions->RowSelectPersistent();
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= top && r <= bottom;
        if (!All && !inside) continue;
        const int idx = persistent ? RealRowIndex(r) : r;
        if (RowSelect(idx) != inside) SetRowSelect(idx, inside);
    }
    if (NumHiddenRows() > 0) Invalidate();
}

void TAdvStringGrid::SyncColSelectWithSelection(bool All)
{
    const TGridRect s = Selection();
    const int l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
    for (int c = FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= l && c <= r;
        if (All || inside) SetColSelect(c, inside);
    }
}

// ---- queries -------------------------------------------------------------------------------------

int TAdvStringGrid::RowSelectCount()
{
    if (FMouseActions->DisjunctRowSelect()) {
        const int n = std::min<int>(RowCount() + NumHiddenRows(), int(FRowSelect.size()));
        return int(std::count(FRowSelect.begin(), FRowSelect.begin() + n, true));
    }
    const TGridRect s = Selection();
    return std::abs(s.Bottom - s.Top) + 1;
}

int TAdvStringGrid::ColSelectCount()
{
    if (FMouseActions->DisjunctColSelect()) return int(std::count(FColSelect.begin(), FColSelect.end(), true));
    const TGridRect s = Selection();
    return s.Right - s.Left + 1;
}

int TAdvStringGrid::SelectedRowCount()
{
    if (FMouseActions->DisjunctRowSelect()) return FSelectedRows->Count();
    const TGridRect s = Selection();
    const int top = s.Top, bottom = std::min(s.Bottom, RowCount() - FFixedFooters - 1);
    if (IsMergedCell(s.Left, top)) {
        const int sp = CellSpan(s.Left, top).Y;
        return bottom < top + sp ? sp + 1 : std::abs(top - bottom) + 1;
    }
    if (IsMergedCell(s.Left, bottom)) return std::abs(top - bottom) + CellSpan(s.Left, bottom).Y + 1;
    return std::abs(top - bottom) + 1;
}

int TAdvStringGrid::SelectedColCount()
{
    if (FMouseActions->DisjunctColSelect()) return int(std::count(FColSelect.begin(), FColSelect.end(), true));
    const TGridRect s = Selection();
    if (IsMergedCell(s.Left, s.Top)) {
        const int sp = CellSpan(s.Left, s.Top).X;
        return s.Right < s.Left + sp ? sp + 1 : std::abs(s.Left - s.Right) + 1;
    }
    if (IsMergedCell(s.Right, s.Top)) return std::abs(s.Left - s.Right) + CellSpan(s.Right, s.Top).X + 1;
    return std::abs(s.Left - s.Right) + 1;
}

int TAdvStringGrid::SelectedRow(int i)
{
    if (FMouseActions->DisjunctRowSelect()) return i >= 0 && i < FSelectedRows->Count() ? FSelectedRows->Items(i) : -1;
    const TGridRect s = Selection();
    const int r = std::min(s.Top, s.Bottom) + i;
    return r <= std::max(s.Top, s.Bottom) ? r : -1;
}

int TAdvStringGrid::SelectedCellsCount()
{
    if (FMouseActions->DisjunctCellSelect()) return int(FSelectedCells.size());
    FSelectedCells.clear();
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        FSelectedCells.push_back(TGridCoord{Col(), Row()});
    } else {
        for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r) FSelectedCells.push_back(TGridCoord{c, r});
    }
    return int(FSelectedCells.size());
}

TGridCoord TAdvStringGrid::SelectedCell(int i) const
{
    return i >= 0 && i < int(FSelectedCells.size()) ? FSelectedCells[size_t(i)] : TGridCoord{-1, -1};
}

bool TAdvStringGrid::IsSelected(int ACol, int ARow)
{
    if (ARow < TBaseGrid::FixedRows() || ACol < FixedCols()) return false;
    if (FMouseActions->DisjunctCellSelect()) return SelectedCells(ACol, ARow);
    if (FMouseActions->DisjunctRowSelect())
        return RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
    if (FMouseActions->DisjunctColSelect()) return ColSelect(ACol);
    const TGridRect s = Selection();
    return s.Left <= ACol && ACol <= s.Right && s.Top <= ARow && ARow <= s.Bottom;
}

QString TAdvStringGrid::SelectedText()
{
    const TGridRect s = Selection();
    int left = s.Left, right = s.Right;
    if (Options().Contains(goRowSelect) && OleEntireRowsSetting()) {
        left = 0;
        right = ColCount() - 1;
    }
    std::vector<int> rows;
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
            if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) rows.push_back(r);
    } else {
        for (int r = s.Top; r <= s.Bottom; ++r) rows.push_back(r);
    }
    QString out;
    for (size_t k = 0; k < rows.size(); ++k) {
        const int r = rows[k];
        for (int c = left; c <= right; ++c) {
            QString text = GetCellEx(RealColIndex(c), r);
            if (text.contains(QStringLiteral("{\\"))) text = CellToRich(c, r, text);
            if (LineCountOf(text, MultilineCells()) > 1 && ExcelClipboardFormat()) CRLFToVTQuoted(text);
            out += text;
            if (c < right) out += QChar(9);
        }
        if (k + 1 < rows.size()) out += QStringLiteral("\r\n");
    }
    return out;
}

// ---- search footer -------------------------------------------------------------------------------

bool TAdvStringGrid::LastRowAboveSearchFooter()
{
    if (!SearchFooterVisible() || TopRow() + VisibleRowCount() < RowCount() - 1) return false;
    return CalcCellRect(0, RowCount() - 1).Bottom < ClientHeight() - SearchPanelHeight() + 2;
}

void TAdvStringGrid::KeepLastRowAboveSearchFooter()
{
    if (!SearchFooterVisible() || ClientHeight() <= DefaultRowHeight() + SearchPanelHeight()) return;
    while (CalcCellRect(0, RowCount() - 1).Bottom > ClientHeight() - SearchPanelHeight() + 2 && Row() < RowCount()
           && TopRow() < RowCount()) {
        const int before = TopRow();
        SetTopRow(before + 1);
        if (TopRow() == before) break;
    }
}

// ---- repainting ----------------------------------------------------------------------------------

void TAdvStringGrid::RepaintRow(int ARow)
{
    if (Widget()) InvalidateRect(TGridRect{0, ARow, LeftCol() + VisibleColCount(), ARow});
}

void TAdvStringGrid::RepaintCol(int ACol)
{
    if (Widget()) InvalidateRect(TGridRect{ACol, 0, ACol, TopRow() + VisibleRowCount()});
}

void TAdvStringGrid::RepaintRect(const TGridRect& R)
{
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0 || !Widget()) return;
    const TRect a = CellRect(R.Left, R.Top);
    const TRect b = CellRect(std::min(VisibleColCount() + FixedCols(), R.Right), R.Bottom);
    if (a.IsEmpty() || b.IsEmpty()) {
        Invalidate();
        return;
    }
    TRect u(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
    u.Offset(BorderWidth(), BorderWidth());
    TControl::InvalidateRect(u);
}

void TAdvStringGrid::RepaintGridRect(const TGridRect& R)
{
    if (Widget()) InvalidateRect(R);
}
