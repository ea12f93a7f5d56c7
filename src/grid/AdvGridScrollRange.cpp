// Proportional scroll bars: the thumb shows the share of the grid that is
// in view, while the position keeps the 0 .. 127 scale of the plain bars.

#include "AdvGrid.h"

#include <cmath>
#include <limits>

namespace {

struct TScrollRangeSums {
    double Fixed;   // the fixed band, with a line each and one more
    double Total;   // the scrolling part, likewise
    double Before;  // the scrolling part before the first shown index
};

// The range, page and position of a proportional bar over an extent of
// Client pixels; false when the sums give none (nothing to scroll, a
// degenerate grid, or a value that is not finite or does not fit).
bool ScrollRangeOf(const TScrollRangeSums& s, int Client, bool PosFromPixels, int CurrentPos, TScrollInfo& Info)
{
    if (s.Total <= 0) return false;
    const float r = float((Client - s.Fixed) / s.Total);
    if (!(r < 0.9999f) || !std::isfinite(r)) return false;
    const double max = std::trunc((double(r) + 127.0) / (1.0 - double(r)));
    if (!std::isfinite(max) || max < 127 || max > double(std::numeric_limits<int>::max())) return false;
    int pos = CurrentPos;
    if (Client < s.Total) {
        const double p = std::trunc(s.Before / (s.Total - Client) * 128.0);
        if (!std::isfinite(p)) return false;
        pos = int(std::clamp(p, 0.0, 127.0));
    } else if (!PosFromPixels) {
        pos = 127;
    }
    Info.Min = 0;
    Info.Max = int(max);
    Info.Page = int(max) - 126;
    Info.Pos = pos;
    return true;
}

} // namespace

void TAdvStringGrid::SetScrollProportional(bool v)
{
    if (v == FScrollProportional) return;
    FScrollProportional = v;
    // Off: the plain bars again; on: the proportional ones at once.
    UpdateScrollRange();
}

void TAdvStringGrid::UpdateScrollRange()
{
    TBaseGrid::UpdateScrollRange();
    UpdateVertScrollRange();
    UpdateHorzScrollRange();
}

void TAdvStringGrid::UpdateScrollPos()
{
    TBaseGrid::UpdateScrollPos();
    UpdateVertScrollRange();
    UpdateHorzScrollRange();
}

void TAdvStringGrid::UpdateHorzScrollRange()
{
    if (HasState(csLoading) || IsDesigning() || !ScrollProportional() || FScrollLock) return;
    const double w = GridLineWidth();
    const int fc = FixedCols(), n = ColCount(), left = LeftCol();
    const TScrollRangeSums s{double(ColExtentBefore(fc)) + w, double(ColExtentBefore(n) - ColExtentBefore(fc)) + w,
                             double(ColExtentBefore(left) - ColExtentBefore(fc)) + w};
    const int width = Width();
    TScrollInfo info = GetScrollInfo(SB_HORZ);
    if (s.Fixed + s.Total - width < 5) return;
    if (!ScrollRangeOf(s, width, true, info.Pos, info)) return;
    SetScrollInfo(SB_HORZ, info);
}

void TAdvStringGrid::UpdateVertScrollRange()
{
    if (HasState(csLoading) || IsDesigning() || !ScrollProportional() || FScrollLock) return;
    const int fr = FixedRows(), n = RowCount(), top = TopRow();
    if (VisibleRowCount() + fr >= n) return;
    const double w = GridLineWidth();
    const TScrollRangeSums s{double(RowExtentBefore(fr)) + w, double(RowExtentBefore(n) - RowExtentBefore(fr)) + w,
                             double(RowExtentBefore(top) - RowExtentBefore(fr)) + w};
    TScrollInfo info = GetScrollInfo(SB_VERT);
    if (!ScrollRangeOf(s, Height(), false, info.Pos, info)) return;
    SetScrollInfo(SB_VERT, info);
}
