// Clearing, trimming, colouring, merging runs of equal cells and cell search.

#include "AdvGrid.h"

#include "AdvUtil.h"

#include <algorithm>

void TAdvStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    const bool destroying = HasState(csDestroying);
    for (int r = std::max(ARow1, 0); r <= ARow2; ++r)
        for (int i = std::max(ACol1, 0); i <= ACol2; ++i) {
            const int c = SaveHiddenCells() ? RealColIndex(i) : i;
            if (!ClearTextOnly() && GridObjects(c, r)) {
                if (FNilObjects) {
                    SetGridObjects(c, r, nullptr);
                    SetGridCells(c, r, QString());
                } else {
                    RemoveCellGraphic(c, r);
                    SetCellProperties(c, r, nullptr);
                }
            }
            if (!destroying && !GridCells(c, r).isEmpty()) {
                SetCellEx(c, r, QString());
                if (c != i) RepaintCell(i, r);
            }
        }
    if (ACol1 <= 0 && ARow1 <= 0 && ACol2 >= ColCount() - 1 && ARow2 >= RowCount() - 1) FHasCellProps = false;
    if (!destroying && !FBlockCellChange)
        CellsChanged(TGridRect{RealColIndex(ACol1), ARow1, RealColIndex(ACol2), ARow2});
}

void TAdvStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (RowCount() == 0 || ColCount() == 0 || RCount < 1) return;
    ClearRect(0, RowIndex, TotalColCount() - 1, RowIndex + RCount - 1);
}

void TAdvStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (RowCount() == 0 || ColCount() == 0 || CCount < 1) return;
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TAdvStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (RowCount() == 0 || ColCount() == 0 || RCount < 1) return;
    ClearRect(FixedCols(), RowIndex, TotalColCount() - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TAdvStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (RowCount() == 0 || ColCount() == 0 || CCount < 1) return;
    ClearRect(ColIndex, TBaseGrid::FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TAdvStringGrid::ClearNormalCells()
{
    if (RowCount() == 0 || ColCount() == 0) return;
    if (FixedCols() == 0 && HasNodes()) RemoveAllNodes();
    ClearRect(FixedCols(), TBaseGrid::FixedRows(), TotalColCount() - FFixedRightCols - 1,
              RowCount() - FFixedFooters - 1);
}

void TAdvStringGrid::Clear()
{
    if (RowCount() == 0 || ColCount() == 0) return;
    if (!HasState(csDestroying) && HasNodes()) RemoveAllNodes();
    ClearRect(0, 0, TotalColCount() - 1, RowCount() - 1);
    SearchInc.clear();
    if (NumHiddenColumns() > 0) Invalidate();
}

void TAdvStringGrid::ClearAll()
{
    Clear();
    for (auto& item : FGridItems) item->ClearTexts();
}

void TAdvStringGrid::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
            if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) ClearRows(r, 1);
    } else if (FMouseActions->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c)) ClearCols(c, 1);
    } else {
        const TGridRect s = Selection();
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
    }
}

void TAdvStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = std::max(ARow1, 0); r <= ARow2; ++r)
        for (int i = std::max(ACol1, 0); i <= ACol2; ++i) {
            const int c = SaveHiddenCells() ? RealColIndex(i) : i;
            SetCellEx(c, r, GetCellEx(c, r).trimmed());
        }
}

void TAdvStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c) SetColors(c, r, AColor);
}

void TAdvStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    const int last = RowCount() - FFixedFooters - 1;
    int start = TBaseGrid::FixedRows();
    for (int r = TBaseGrid::FixedRows() + 1; r <= last; ++r) {
        const bool same = GetCellEx(ColIndex, r) == GetCellEx(ColIndex, r - 1);
        if (same && (MainMerge || RowSpanIdentical(r, r - 1))) continue;
        if (r - start > 1) MergeCells(ColIndex, start, 1, r - start);
        start = r;
    }
    if (last + 1 - start > 1) MergeCells(ColIndex, start, 1, last + 1 - start);
}

void TAdvStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    const int last = ColCount() - FFixedRightCols - 1;
    int start = FixedCols();
    for (int c = FixedCols() + 1; c <= last; ++c) {
        const bool same = GetCellEx(c, RowIndex) == GetCellEx(c - 1, RowIndex);
        if (same && (MainMerge || ColSpanIdentical(c, c - 1))) continue;
        MergeCells(start, RowIndex, c - start, 1);
        start = c;
    }
    if (last + 1 - start > 1) MergeCells(start, RowIndex, last + 1 - start, 1);
}

void TAdvStringGrid::SplitColumnCells(int ColIndex)
{
    int r = 0;
    while (r < RowCount() - FFixedFooters - 1) {
        if (IsYMergedCell(ColIndex, r) && IsBaseCell(ColIndex, r)) {
            const int span = CellSpan(ColIndex, r).Y;
            SplitCells(ColIndex, r);
            r += span + 1;
        } else {
            ++r;
        }
    }
}

void TAdvStringGrid::SplitRowCells(int RowIndex)
{
    int c = 0;
    while (c < ColCount() - FFixedRightCols - 1) {
        if (IsMergedCell(c, RowIndex) && CellSpan(c, RowIndex).X >= 0) {
            const int span = CellSpan(c, RowIndex).X;
            SplitCells(c, RowIndex);
            c += span + 1;
        } else {
            ++c;
        }
    }
}

void TAdvStringGrid::SplitAllCells()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r) && IsBaseCell(c, r)) SplitCells(c, r);
}

void TAdvStringGrid::MergeCols(int ColIndex1, int ColIndex2, const QString& Separator)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
        SetCellEx(ColIndex1, r, (GetCellEx(ColIndex1, r) + Separator + GetCellEx(ColIndex2, r)).trimmed());
    RemoveCols(ColIndex2, 1);
}

bool TAdvStringGrid::IsCell(const QString& SubStr, int& ACol, int& ARow) const
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (GridCells(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

bool TAdvStringGrid::IsWideCell(int ACol, int ARow) { return GetCellEx(ACol, ARow).startsWith(QStringLiteral("|\\")); }
