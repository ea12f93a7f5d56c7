// Find, find next, replace and the incremental lookup of the string grid:
// a walk over the cells in one of two orders from a start cell, one hit
// per call, never wrapping around.

#include "AdvGrid.h"
#include "AdvGridFind.h"
#include "AdvGridLook.h"
#include "AdvUtil.h"
#include "AsgHTMLEText.h"
#include "SysStrings.h"

#include <algorithm>
#include <optional>

namespace {

// The cell rectangle a find walks over and its direction.
struct FindWalkBounds {
    int C1, C2, R1, R2;
};

// One step from (c, r) in the walk order; false when the walk is past its
// last cell.
bool FindStepOnce(int& c, int& r, const FindWalkBounds& b, bool LeftRight, bool Backward)
{
    int& inner = LeftRight ? c : r;
    int& outer = LeftRight ? r : c;
    const int innerFirst = LeftRight ? b.C1 : b.R1, innerLast = LeftRight ? b.C2 : b.R2;
    const int outerFirst = LeftRight ? b.R1 : b.C1, outerLast = LeftRight ? b.R2 : b.C2;
    if (!Backward) {
        if (inner < innerLast) ++inner;
        else if (outer < outerLast) { ++outer; inner = innerFirst; }
        else return false;
    } else {
        if (inner > innerFirst) --inner;
        else if (outer > outerFirst) { --outer; inner = innerLast; }
        else return false;
    }
    return true;
}

// The find text as a prepared expression, parsed again only when the text
// or the case rule changes rather than for every cell.
const TFilterMatcher& FindPreparedExpression(const QString& Text, bool MatchCase)
{
    struct Entry {
        QString Text;
        bool MatchCase = false;
        std::optional<TFilterMatcher> Matcher;
    };
    thread_local Entry e;
    if (!e.Matcher || e.MatchCase != MatchCase || e.Text != Text) {
        e.Text = Text;
        e.MatchCase = MatchCase;
        e.Matcher.emplace(Text, MatchCase);
    }
    return *e.Matcher;
}

}  // namespace

QString TAdvStringGrid::FindTextValue(int RealCol, int ARow, bool AllRows)
{
    return AllRows ? AllCells(RealCol, ARow) : Cells(RealCol, ARow);
}

bool TAdvStringGrid::CellMatchesFind(int ACol, int ARow, bool Wide)
{
    const TFindParams p = FFindParams;
    const int col = p.Contains(fnIncludeHiddenColumns) ? ACol : DisplayToRealCol(ACol);
    const bool matchCase = p.Contains(fnMatchCase);
    QString t;
    if (!Wide) {
        t = FindTextValue(col, ARow, p.Contains(fnIncludeHiddenRows));
        if (p.Contains(fnIgnoreHTMLTags)) t = HTMLStrip(t);
        if (!matchCase) t = AnsiUpperCase(t);
    } else {
        t = p.Contains(fnIncludeHiddenRows) ? AllWideCells(col, ARow) : WideCells(col, ARow);
        if (!matchCase) t = t.toUpper();
    }
    const QString& s = Wide ? FFindWideText : FFindText;
    if (s == QStringLiteral("\"\"")) return t.isEmpty();
    if (p.Contains(fnMatchRegular)) {
        // An expression that cannot be evaluated is no match.
        try {
            return FindPreparedExpression(s, matchCase).Match(t);
        } catch (const std::exception&) {
            return false;
        }
    }
    const qsizetype pos = t.indexOf(s);
    const bool posOk = p.Contains(fnMatchStart) ? pos == 0 : pos >= 0;
    const bool fullOk = !p.Contains(fnMatchFull) || s == t;
    return posOk && fullOk;
}

TPoint TAdvStringGrid::FindCell(TPoint StartCell, const QString& s, const QString& WideS, bool Wide,
                                TFindParams Params)
{
    const TPoint none(-1, -1);
    FFindParams = Params;
    FFindBusy = true;
    const bool matchCase = Params.Contains(fnMatchCase);
    FFindText = matchCase ? s : AnsiUpperCase(s);
    FFindWideText = matchCase ? WideS : WideS.toUpper();
    if (ColCount() == FixedCols() || ColCount() == 0 || TotalRowCount() == FixedRows() || RowCount() == 0) {
        FFindBusy = false;
        return none;
    }
    FindWalkBounds b;
    if (Params.Contains(fnIncludeFixed)) b = {0, ColCount() - 1, 0, RowCount() - 1};
    else b = {FixedCols(), ColCount() - FixedRightCols() - 1, FixedRows(), RowCount() - FixedFooters() - 1};
    if (Params.Contains(fnSelectedCells)) {
        const TGridRect sel = Selection();
        b = {sel.Left, sel.Right, sel.Top, sel.Bottom};
    }
    if (Params.Contains(fnIncludeHiddenColumns)) b.C2 += NumHiddenColumns();
    if (Params.Contains(fnIncludeHiddenRows)) b.R2 += NumHiddenRows();

    const bool leftRight = Params.Contains(fnDirectionLeftRight);
    const bool back = Params.Contains(fnBackward);
    int c = back ? b.C2 : b.C1;
    int r = back ? b.R2 : b.R1;
    if (StartCell != none) {
        c = StartCell.X;
        r = StartCell.Y;
        if (!FindStepOnce(c, r, b, leftRight, back)) {
            FFindBusy = false;
            return none;
        }
    }
    // The restrictions reset what the step advanced, so a find continued
    // from a hit in a restricted line tests that hit again.
    if (Params.Contains(fnFindInCurrentRow)) r = b.R1 = b.R2 = Row();
    if (Params.Contains(fnFindInPresetRow)) r = b.R1 = b.R2 = FFindRow;
    if (Params.Contains(fnFindInCurrentCol)) c = b.C1 = b.C2 = Col();
    if (Params.Contains(fnFindInPresetCol)) c = b.C1 = b.C2 = FFindCol;

    const int step = back ? -1 : 1;
    auto within = [back](int v, int first, int last) { return back ? v >= first : v <= last; };
    auto restart = [back](int first, int last) { return back ? last : first; };
    auto test = [&](int col, int row) {
        ExportNotification(esExportNewRow, row);
        return CellMatchesFind(col, row, Wide);
    };
    TPoint hit = none;
    if (leftRight) {
        for (int row = r; within(row, b.R1, b.R2) && hit == none; row += step) {
            for (int col = c; within(col, b.C1, b.C2); col += step) {
                if (IsIgnoredColumn(col)) continue;
                if (test(col, row)) {
                    hit = TPoint(col, row);
                    break;
                }
            }
            c = restart(b.C1, b.C2);
        }
    } else {
        for (int col = c; within(col, b.C1, b.C2) && hit == none; col += step) {
            for (int row = r; within(row, b.R1, b.R2); row += step) {
                if (test(col, row)) {
                    hit = TPoint(col, row);
                    break;
                }
            }
            r = restart(b.R1, b.R2);
        }
    }
    if (hit == none) {
        FFindBusy = false;
        return none;
    }
    FSearchCell = hit;
    if (Params.Contains(fnAutoGoto)) FindAutoGoto(hit.X, hit.Y);
    return hit;
}

void TAdvStringGrid::FindAutoGoto(int ACol, int ARow)
{
    int R = ARow;
    if (FFindParams.Contains(fnIncludeHiddenRows) && NumHiddenRows() > 0) {
        // The hit row is a real row: a collapsed node covering it opens first.
        if (IsHiddenRow(R) && HasNodes()) {
            for (int r = FixedRows(); r < RowCount(); ++r) {
                if (!IsNode(r)) continue;
                const int real = RealRowIndex(r);
                if (real < R && R < real + GetNodeSpan(r)) {
                    ExpandNode(real);
                    break;
                }
            }
        }
        if (IsHiddenRow(R)) return;
        R = DisplRowIndex(R);
    }
    const int C = FFindParams.Contains(fnIncludeHiddenColumns) ? DisplColIndex(ACol) : ACol;
    if (R < FixedRows() || R >= RowCount() || C < 0 || C >= ColCount()) return;
    if (FMouseActions->DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(R, true);
        SetRow(R);
    } else {
        SetRow(R);
        if (C >= FixedCols()) SetCol(C);
    }
}

TPoint TAdvStringGrid::Find(TPoint StartCell, const QString& s, TFindParams FindParams)
{
    ExportNotification(esExportStart, -1);
    const TPoint hit = FindCell(StartCell, s, s, false, FindParams);
    ExportNotification(hit.X < 0 ? esExportDone : esExportFail, hit.Y);
    if (hit.X >= 0 && FindParams.Contains(fnAutoGoto)) {
        // Keep the hit off the last visible line.
        const int ff = FooterVisible() ? 2 : 0;
        const int vis = VisibleRowCount();
        if (Row() > TopRow() + vis - 2 - ff && RowCount() > vis + FixedRows() + ff)
            SetTopRow(std::min(RowCount() - 1, TopRow() + (FooterVisible() ? 3 : 1)));
    }
    return hit;
}

TPoint TAdvStringGrid::FindWide(TPoint StartCell, const QString& s, TFindParams FindParams)
{
    ExportNotification(esExportStart, -1);
    const TPoint hit = FindCell(StartCell, s, s, true, FindParams);
    ExportNotification(hit.X < 0 ? esExportDone : esExportFail, hit.Y);
    return hit;
}

TPoint TAdvStringGrid::FindFirst(const QString& s, TFindParams FindParams)
{
    FSearchCell = Find(TPoint(-1, -1), s, FindParams);
    return FSearchCell;
}

TPoint TAdvStringGrid::FindNext()
{
    FSearchCell = Find(FSearchCell, FFindText, FFindParams);
    return FSearchCell;
}

int TAdvStringGrid::Replace(const QString& OrigStr, const QString& NewStr, TFindParams FindParams)
{
    int changed = 0;
    const bool allRows = FindParams.Contains(fnIncludeHiddenRows);
    TPoint prev(-1, -1);
    TPoint hit = Find(prev, OrigStr, FindParams);
    // A restricted walk can find the previous hit again: that ends it.
    while (hit.X >= 0 && !(changed > 0 && hit == prev)) {
        const int col = FindParams.Contains(fnIncludeHiddenColumns) ? hit.X : DisplayToRealCol(hit.X);
        QString text = FindTextValue(col, hit.Y, allRows);
        text.replace(OrigStr, NewStr, Qt::CaseInsensitive);
        if (allRows) SetAllCells(col, hit.Y, text);
        else SetCells(col, hit.Y, text);
        if (FShowModified && FShowModified->Enabled() && !allRows) SetRowModified(hit.Y, true);
        ++changed;
        prev = hit;
        hit = Find(prev, OrigStr, FindParams);
    }
    return changed;
}

int TAdvStringGrid::Search(const QString& Text)
{
    if (RowCount() < 2) return -1;
    int col = FixedCols();
    if (FSortSettings && FSortSettings->Show()) {
        if (FSortSettings->IndexShow())
            col = FSortIndexes && FSortIndexes->Count() > 0 ? FSortIndexes->SortColumns(0) : FixedCols();
        else
            col = FSortSettings->Column();
    }
    if (col < 0) return -1;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (AnsiUpperCase(StrippedCells(col, r).left(Text.size())) == Text) return r;
    return -1;
}
