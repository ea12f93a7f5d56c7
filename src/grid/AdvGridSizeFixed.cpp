// Sizing the fixed columns and rows with the mouse: the press on a fixed
// column's right edge (a fixed row's bottom edge) anywhere in the grid, the
// sizing line that follows the pointer, the release that sets the size; and
// the sizing hint window of every mouse sizing.

#include "AdvGrid.h"

#include "AdvGridHints.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A press or pointer closer than this to a fixed column's right edge (a
// fixed row's bottom edge) takes that edge.
constexpr int kSizeFixedZone = 3;
// The sizing hint wraps beyond this width.
constexpr int kSizeFixedHintWidth = 200;

} // namespace

// The fixed column (row) whose right (bottom) edge lies within the zone of
// Pos, -1 when none. The edges are summed from the widths (heights) and the
// grid lines, so that they hold whatever is scrolled.
int TAdvStringGrid::FixedEdgeAt(int Pos, bool Rows) const
{
    const int count = Rows ? FixedRows() : FixedCols();
    int left = 0;
    for (int i = 0; i < count; ++i) {
        const int right = left + (Rows ? RowHeights(i) : ColWidths(i));
        if (std::abs(Pos - right) < kSizeFixedZone) return i;
        left = right + GridLineWidth();
    }
    return -1;
}

// Where fixed column (row) Index starts: the sizes and lines before it.
int TAdvStringGrid::FixedStart(int Index, bool Rows) const
{
    int start = 0;
    for (int i = 0; i < Index; ++i) start += (Rows ? RowHeights(i) : ColWidths(i)) + GridLineWidth();
    return start;
}

bool TAdvStringGrid::SizeFixedPress(int X, int Y)
{
    if (FSizeFixed) {
        FSizingFixedCol = IsDesigning() ? -1 : FixedEdgeAt(X, false);
        if (FSizingFixedCol < 0) return false;
        FSizingFixed = true;
        FSizeFixedX = X;
        DrawColSizingLine(X);
        return true;
    }
    if (FSizeFixedR) {
        FSizingFixedRow = IsDesigning() ? -1 : FixedEdgeAt(Y, true);
        if (FSizingFixedRow < 0) return false;
        FSizingFixedR = true;
        FSizeFixedY = Y;
        DrawRowSizingLine(Y);
        return true;
    }
    return false;
}

void TAdvStringGrid::SizeFixedMove(int X, int Y)
{
    if (FSizingFixed) {
        // The line drawn twice goes: erase the old one, draw the new one.
        DrawColSizingLine(FSizeFixedX);
        FSizeFixedX = X;
        DrawColSizingLine(X);
        const int size = std::max(0, X - FixedStart(FSizingFixedCol, false));
        if (OnColumnSizing) OnColumnSizing(this, FSizingFixedCol, size);
        FSizingHint = QStringLiteral("cw=<b>%1</b>").arg(size);
        ShowSizingHint(FSizingHint, 0, 0);
    }
    if (FSizingFixedR) {
        DrawRowSizingLine(FSizeFixedY);
        FSizeFixedY = Y;
        DrawRowSizingLine(Y);
        const int size = std::max(0, Y - FixedStart(FSizingFixedRow, true));
        if (OnRowSizing) OnRowSizing(this, FSizingFixedRow, size);
        FSizingHint = QStringLiteral("rh=<b>%1</b>").arg(size);
        ShowSizingHint(FSizingHint, 0, 0);
    }
}

bool TAdvStringGrid::SizeFixedRelease(int X, int Y)
{
    if (!FSizingFixed && !FSizingFixedR) return false;
    const bool col = FSizingFixed;
    FSizeFixed = FSizingFixed = false;
    FSizeFixedR = FSizingFixedR = false;
    HideSizingHint();
    FSizingHint.clear();
    if (col) {
        DrawColSizingLine(FSizeFixedX);
        const int c = FSizingFixedCol;
        FSizingFixedCol = -1;
        if (c < 0 || c >= FixedCols()) return true;
        SetColWidths(c, std::max(0, X - FixedStart(c, false)));
        if (OnEndColumnSize) OnEndColumnSize(this, c);
        int w = ColWidths(c);
        if (OnUpdateColumnSize) OnUpdateColumnSize(this, c, w);
        if (w != ColWidths(c) && w >= 0) SetColWidths(c, w);
    } else {
        DrawRowSizingLine(FSizeFixedY);
        const int r = FSizingFixedRow;
        FSizingFixedRow = -1;
        if (r < 0 || r >= FixedRows()) return true;
        SetRowHeights(r, std::max(0, Y - FixedStart(r, true)));
        if (OnEndRowSize) OnEndRowSize(this, r);
    }
    return true;
}

// A lost capture drops a fixed sizing: the size stays as it was.
void TAdvStringGrid::SizeFixedCancel()
{
    if (FSizingFixed) DrawColSizingLine(FSizeFixedX);
    if (FSizingFixedR) DrawRowSizingLine(FSizeFixedY);
    FSizingFixed = FSizingFixedR = false;
    FSizingFixedCol = FSizingFixedRow = -1;
    HideSizingHint();
}

void TAdvStringGrid::ShowSizingHint(const QString& Text, int ACol, int ARow)
{
    if (!FScrollHintWnd || !(IsDesigning() || HintShowSizing())) return;
    TRect r = FScrollHintWnd->CalcHintRect(kSizeFixedHintWidth, Text, this);
    const TRect cell = CellRect(ACol, ARow);
    const TPoint at = ClientToScreen(TPoint(cell.Left, cell.Top));
    r.Offset(at.X, at.Y);
    FScrollHintWnd->SetColor(HintColor());
    FScrollHintWnd->ActivateHintData(r, Text, this);
    FScrollHintShow = true;
}

void TAdvStringGrid::HideSizingHint()
{
    if (FScrollHintShow && FScrollHintWnd) FScrollHintWnd->ReleaseHandle();
    FScrollHintShow = false;
}
