// Grouping the string grid on a column: group header rows as nodes, summary
// rows, sub-groups and the group calculations.

#include "AdvGrid.h"
#include "AdvGridCellGraphic.h"
#include "AdvGridLook.h"
#include "AdvGridSort.h"

namespace {

// A value no cell holds in practice: the first row always starts a group.
QString GroupSentinel()
{
    return QString(QChar(0x00FF)) + QChar(0x00FE);
}

// The column holding a group header's caption while the grouped column is
// still in place (it moves to column 1 once that column goes).
int GroupCaptionColumn(int GroupCol)
{
    return GroupCol == 1 ? 2 : 1;
}

// The text a cell shows, which sub-grouping compares.
QString GroupDisplayText(TAdvStringGrid* g, int ACol, int ARow)
{
    QString v = g->Cells(ACol, ARow);
    g->GetDisplText(ACol, ARow, v);
    return v;
}

} // namespace

void TAdvStringGrid::SetGroupColumn(int v)
{
    if (v == -1) UnGroup();
    else if (v > 0) Group(v);
}

void TAdvStringGrid::GroupMakeNode(int ARow, int Span)
{
    AddNode(RealRowIndex(ARow), Span);
}

void TAdvStringGrid::GroupHeaderLook(int ARow)
{
    if (FGrouping->HeaderColor() != clNone) SetRowColor(ARow, ColorToRGB(FGrouping->HeaderColor()));
    if (FGrouping->HeaderColorTo() != clNone) SetRowColorTo(ARow, ColorToRGB(FGrouping->HeaderColorTo()));
    if (FGrouping->HeaderTextColor() != clNone) SetRowFontColor(ARow, ColorToRGB(FGrouping->HeaderTextColor()));
}

void TAdvStringGrid::GroupSummaryRow(int ARow, bool Insert)
{
    if (Insert) InsertRows(ARow, 1, true);
    MarkSummaryRow(RealRowIndex(ARow));
    if (FGrouping->MergeSummary() && FGrouping->Summary()) return;
    if (FGrouping->SummaryColor() != clNone) SetRowColor(ARow, ColorToRGB(FGrouping->SummaryColor()));
    if (FGrouping->SummaryColorTo() != clNone) SetRowColorTo(ARow, ColorToRGB(FGrouping->SummaryColorTo()));
    if (FGrouping->SummaryTextColor() != clNone) SetRowFontColor(ARow, ColorToRGB(FGrouping->SummaryTextColor()));
}

void TAdvStringGrid::Group(int ColIndex)
{
    // Column 0 holds the node objects; fixed columns never group.
    if (ColIndex <= 0 || ColIndex < FixedCols() || ColIndex >= ColCount()) return;
    if (FGroupColumn != -1) UnGroup();
    if (RowCount() - FixedFooters() <= FixedRows()) return;
    BeginUpdate();
    FIsGrouping = true;
    try {
        FGroupColumn = ColIndex;
        FGroupWidth = ColWidths(ColIndex);
        FGroupCaption = FixedRows() > 0 ? Cells(ColIndex, 0) : QString();
        FGroupFooter = FixedFooters() > 0 ? Cells(ColIndex, RowCount() - 1) : QString();
        if (FSortSettings->AutoSortForGrouping()) {
            FSortSettings->SetColumn(ColIndex);
            QSort();
        }
        const int k = GroupCaptionColumn(ColIndex);
        const bool summary = FGrouping->Summary();
        const bool mergeHeader = FGrouping->MergeHeader();
        QString prev = GroupSentinel();
        int header = -1;
        int r = FixedRows();
        while (r < RowCount() - FixedFooters()) {
            const QString v = Cells(ColIndex, r);
            if (v != prev) {
                if (header >= 0) {
                    // The previous group's summary goes before its successor's header.
                    if (summary && header > FixedRows()) {
                        GroupSummaryRow(header, true);
                        ++r;
                        GroupMakeNode(header + 1, r - header - 1);
                    } else {
                        GroupMakeNode(header, r - header);
                    }
                }
                InsertRows(r, 1, true);
                SetCells(k, r, v);
                if (!mergeHeader) GroupHeaderLook(r);
                header = r;
                ++r;
            }
            prev = v;
            ++r;
        }
        const int end = RowCount() - FixedFooters();
        if (header < 0) {
            GroupMakeNode(FixedRows(), end - FixedRows());
        } else {
            int last = header;
            if (summary && header > FixedRows()) {
                GroupSummaryRow(header, true);
                last = header + 1;
            }
            GroupMakeNode(last, RowCount() - FixedFooters() - last);
            if (!mergeHeader) GroupHeaderLook(last);
        }
        if (summary) GroupSummaryRow(RowCount() - FixedFooters(), true);
        RemoveCols(ColIndex, 1);
        const bool mergeSummary = FGrouping->MergeSummary() && summary;
        if (mergeHeader || mergeSummary) {
            const int lastCol = ColCount() - 1;
            for (int row = FixedRows(); row < RowCount() - FixedFooters() && lastCol > 1; ++row) {
                TColor color = clNone, colorTo = clNone, font = clNone;
                if (IsNode(row) && mergeHeader) {
                    color = FGrouping->HeaderColor();
                    colorTo = FGrouping->HeaderColorTo();
                    font = FGrouping->HeaderTextColor();
                } else if (IsSummary(row) && mergeSummary) {
                    color = FGrouping->SummaryColor();
                    colorTo = FGrouping->SummaryColorTo();
                    font = FGrouping->SummaryTextColor();
                } else {
                    continue;
                }
                MergeCells(1, row, lastCol, 1);
                if (color != clNone) SetColors(1, row, ColorToRGB(color));
                if (colorTo != clNone) SetColorsTo(1, row, ColorToRGB(colorTo));
                if (font != clNone) SetFontColors(1, row, ColorToRGB(font));
            }
        }
        if (FCellNode->ExpandOne()) {
            for (int row = FixedRows(); row < RowCount(); ++row)
                if (IsNode(row)) {
                    ExpandNode(RealRowIndex(row));
                    break;
                }
        }
        FForceSel = true;
        if (Col() >= ColCount() || Row() >= RowCount()) FocusCell(FixedCols(), FixedRows());
        if (FixedRows() < RowCount()) SetRow(FixedRows());
        FForceSel = false;
    } catch (...) {
        FForceSel = false;
        FIsGrouping = false;
        EndUpdate();
        throw;
    }
    FIsGrouping = false;
    EndUpdate();
}

void TAdvStringGrid::UnGroup()
{
    if (FGroupColumn <= 0) return;
    const bool expandOne = FCellNode->ExpandOne();
    FCellNode->SetExpandOne(false);
    ExpandAll();
    const int col = FGroupColumn;
    BeginUpdate();
    InsertCols(col, 1);
    SetColWidths(col, FGroupWidth);
    if (FixedRows() > 0) SetCells(col, 0, FGroupCaption);
    if (FixedFooters() > 0) SetCells(col, RowCount() - 1, FGroupFooter);
    FIsGrouping = true;
    const int k = GroupCaptionColumn(col);
    auto resetRowLook = [this](int row, bool merged, TColor color, TColor colorTo, TColor font) {
        if (merged && IsMergedCell(1, row)) SplitCells(1, row);
        if (color != clNone) SetRowColor(row, clNone);
        if (colorTo != clNone) SetRowColorTo(row, clNone);
        if (font != clNone) SetRowFontColor(row, clNone);
    };
    QString value;
    int r = FixedRows();
    while (r < RowCount() - FixedFooters()) {
        if (!IsNode(r)) {
            SetCells(col, r, value);
            ++r;
            continue;
        }
        const int s = r + GetNodeSpan(r);
        if (FGrouping->Summary() && s < RowCount() - FixedFooters() && IsSummary(s)) {
            resetRowLook(s, FGrouping->MergeSummary(), FGrouping->SummaryColor(), FGrouping->SummaryColorTo(),
                         FGrouping->SummaryTextColor());
            ClearRect(0, s, ColCount() - 1, s);
            DeleteDisplayRows(s, 1, false);
        }
        value = Cells(k, r);
        RemoveNode(RealRowIndex(r));
        resetRowLook(r, FGrouping->MergeHeader(), FGrouping->HeaderColor(), FGrouping->HeaderColorTo(),
                     FGrouping->HeaderTextColor());
        ClearRect(0, r, ColCount() - 1, r);
        DeleteDisplayRows(r, 1, false);
    }
    FIsGrouping = false;
    FGroupColumn = -1;
    FCellNode->SetExpandOne(expandOne);
    EndUpdate();
    Invalidate();
}

void TAdvStringGrid::SubGroup(int ColIndex)
{
    if (ColIndex < FixedCols() || ColIndex < 0 || ColIndex + 1 >= ColCount()) return;
    BeginUpdate();
    FGroupColumn = ColIndex;
    FGroupWidth = ColWidths(ColIndex);
    FGroupCaption = FixedRows() > 0 ? GroupDisplayText(this, ColIndex, 0) : QString();
    FGroupFooter = FixedFooters() > 0 ? GroupDisplayText(this, ColIndex, RowCount() - 1) : QString();
    auto headerLook = [this, ColIndex](int row) {
        if (FGrouping->MergeHeader()) {
            MergeCells(ColIndex + 1, row, ColCount() - 1 - ColIndex, 1);
            if (FGrouping->HeaderColor() != clNone) SetColors(ColIndex + 1, row, ColorToRGB(FGrouping->HeaderColor()));
            if (FGrouping->HeaderColorTo() != clNone)
                SetColorsTo(ColIndex + 1, row, ColorToRGB(FGrouping->HeaderColorTo()));
            if (FGrouping->HeaderTextColor() != clNone)
                SetFontColors(ColIndex + 1, row, ColorToRGB(FGrouping->HeaderTextColor()));
        } else {
            GroupHeaderLook(row);
        }
    };
    auto marker = [this](int row) { return IsNode(row) || IsSummary(row); };
    // The walk starts below the first group header.
    QString prev = GroupSentinel();
    int last = -1;
    int r = FixedRows() + 1;
    while (r < RowCount() - FixedFooters()) {
        const QString v = GroupDisplayText(this, ColIndex, r);
        if (v != prev || marker(r)) {
            if (last >= 0 && !marker(last)) {
                GroupMakeNode(last, r - last);
                NodeObject(last)->SetCellVar(ColIndex);
            }
            if (!marker(r)) {
                InsertChildRow(RealRowIndex(r), 0);
                SetCells(ColIndex + 1, r, v);
                headerLook(r);
            }
            last = r;
            ++r;
        }
        if (r >= RowCount() - FixedFooters() || marker(r - 1)) {
            prev = GroupSentinel();
            continue;
        }
        prev = GroupDisplayText(this, ColIndex, r);
        SetCells(ColIndex, r, QString());
        ++r;
    }
    if (last >= 0 && !IsSummary(last)) {
        if (!IsNode(last)) {
            GroupMakeNode(last, r - last);
            NodeObject(last)->SetCellVar(ColIndex);
            headerLook(last);
        }
        if (FGrouping->Summary()) GroupSummaryRow(r, true);
    }
    SetRow(std::min(FixedRows(), RowCount() - 1));
    EndUpdate();
}

void TAdvStringGrid::SubUnGroup(int ColIndex)
{
    ExpandAll();
    QString value;
    int r = FixedRows();
    while (r < RowCount() - FixedFooters()) {
        TCellGraphic* g = NodeObject(r);
        if (g && g->CellVar().toInt() == ColIndex && g->CellVar().toInt() != -1) {
            value = Cells(ColIndex + 1, r);
            RemoveNode(RealRowIndex(r));
            if (FGrouping->MergeHeader() && IsMergedCell(ColIndex + 1, r)) SplitCells(ColIndex + 1, r);
            else {
                SetRowColor(r, clNone);
                SetRowColorTo(r, clNone);
                SetRowFontColor(r, clNone);
            }
            RemoveChildRow(RealRowIndex(r));
            continue;
        }
        if (!g && !IsSummary(r)) SetCells(ColIndex, r, value);
        ++r;
    }
}

void TAdvStringGrid::GroupCalc(int ColIndex, int Method)
{
    int r = FixedRows();
    while (r < RowCount()) {
        TCellGraphic* g = NodeObject(r);
        // Contracted groups are skipped; a node covering "up to the next node"
        // has no rows of its own to calculate.
        if (!g || g->CellBoolean() || g->CellIndex() < 1) {
            ++r;
            continue;
        }
        const int span = g->CellIndex();
        const int target = FGrouping->Summary() ? r + span : r;
        const int from = r + 1, to = r + span - 1;
        // A group whose first cell is no number has no minimum or maximum: it
        // gets no result rather than stopping the other groups.
        if (target < RowCount()) try {
            switch (Method) {
            case 1: SetFloats(ColIndex, target, ColumnSum(ColIndex, from, to)); break;
            case 2: SetFloats(ColIndex, target, ColumnAvg(ColIndex, from, to)); break;
            case 3: SetFloats(ColIndex, target, ColumnMin(ColIndex, from, to)); break;
            case 4: SetFloats(ColIndex, target, ColumnMax(ColIndex, from, to)); break;
            case 5: SetInts(ColIndex, target, span - 1); break;
            case 6: {
                double res = 0;
                if (OnGroupCalc) OnGroupCalc(this, ColIndex, from, to, res);
                SetFloats(ColIndex, target, res);
                break;
            }
            case 7: SetFloats(ColIndex, target, ColumnDistinct(ColIndex, from, to)); break;
            case 8: SetFloats(ColIndex, target, ColumnStdDev(ColIndex, from, to)); break;
            default: break;
            }
        } catch (const Exception&) {
        }
        r += span;
    }
}
