// Panning with the middle button: a press marks the origin, every timer
// tick steps the view (or the current cell) towards the pointer, the next
// press or key ends it.

#include "AdvGrid.h"

#include <QWidget>
#include <algorithm>

namespace {

// The pointer must leave the origin by more than this to pan.
constexpr int kPanDeadZone = 5;
constexpr int kPanTimerMs = 10;
// The origin mark's square.
constexpr int kPanMarkSize = 32;

// The pan cursor for a direction: rest, then by (dx, dy).
int PanCursorId(int dx, int dy)
{
    static const int kIds[3][3] = {
        // dx = -1, 0, +1
        {8006, 8004, 8005},  // dy = -1 (up)
        {8002, 8000, 8003},  // dy = 0
        {8008, 8001, 8007},  // dy = +1 (down)
    };
    return kIds[dy + 1][dx + 1];
}

} // namespace

void TAdvStringGrid::PanMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_TIMER:
        if (wheelmsg != 0 && wheelpan != 0 && IntelliPan() != ipNone) PanStep();
        break;
    case WM_MBUTTONDOWN:
        if (wheelpan != 0) PanEnd();
        else if (wheelmsg != 0 && IntelliPan() != ipNone && RowCount() > FixedRows())
            PanStart(LParamX(m.LParam), LParamY(m.LParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
        if (wheelpan != 0) PanEnd();
        break;
    default: break;
    }
}

void TAdvStringGrid::PanStart(int X, int Y)
{
    prevcurs = FShownCursor;
    wheelpan = 1;
    wheelpanpos = TPoint(X, Y);
    SetTimer(PanTimerID, kPanTimerMs);
    SetMouseCapture(true);
    FPanHintsOff = ShowHint();
    SetShowHint(false);
    ShowGridCursor(GridCursor(PanCursorId(0, 0)));
    InvalidatePanOrigin();
}

void TAdvStringGrid::PanEnd()
{
    if (MouseCapture()) SetMouseCapture(false);
    KillTimer(PanTimerID);
    ShowGridCursor(prevcurs);
    if (FPanHintsOff) SetShowHint(true);
    FPanHintsOff = false;
    wheelpan = 0;
    InvalidatePanOrigin();
}

void TAdvStringGrid::PanStep()
{
    // With the mouse captured every move reaches the grid: its last point is
    // the pointer's.
    const TPoint p = LastMousePoint();
    const TPoint o = wheelpanpos;
    const TIntelliPan pan = IntelliPan();
    int dy = p.Y < o.Y - kPanDeadZone ? -1 : p.Y > o.Y + kPanDeadZone ? 1 : 0;
    int dx = p.X > o.X + kPanDeadZone ? 1 : p.X < o.X - kPanDeadZone ? -1 : 0;
    if (pan == ipHorizontal) dy = 0;
    if (pan == ipVertical) dx = 0;

    const TGridRect before = Selection();
    const int firstRow = FixedRows(), lastRow = std::max(firstRow, RowCount() - FixedFooters() - 1);
    const int firstCol = FixedCols(), lastCol = std::max(firstCol, ColCount() - FixedRightCols() - 1);
    const int row = std::clamp(Row(), firstRow, lastRow), col = std::clamp(Col(), firstCol, lastCol);
    if (row != Row() || col != Col()) MoveColRow(col, row, true, true);

    if (FMouseActions->WheelAction() == waScroll) {
        if (dx != 0 || dy != 0) InvalidatePanOrigin();
        if (dx < 0 && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
        if (dx > 0 && LeftCol() < ColCount() - VisibleColCount()) SetLeftCol(LeftCol() + 1);
        if (dy < 0 && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
        if (dy > 0 && TopRow() < RowCount() - VisibleRowCount()) SetTopRow(TopRow() + 1);
    } else if (dx != 0 || dy != 0) {
        const int c = std::clamp(Col() + dx, firstCol, lastCol), r = std::clamp(Row() + dy, firstRow, lastRow);
        const bool outside = c < LeftCol() || c >= LeftCol() + VisibleColCount() || r < TopRow()
                             || r >= TopRow() + VisibleRowCount();
        if (outside) InvalidatePanOrigin();
        if (c != Col() || r != Row()) MoveColRow(c, r, true, true);
    }
    ShowGridCursor(GridCursor(PanCursorId(dx, dy)));
    InvalidatePanOrigin();
    const TGridRect after = Selection();
    if (!(after == before)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

// The mark: a ring with the arrows of the directions the pan follows,
// centred on the origin; painted after the cells while panning.
void TAdvStringGrid::PaintPanOrigin()
{
    if (wheelpan == 0 || IntelliPan() == ipNone) return;
    TCanvas* cv = Canvas();
    const int cx = wheelpanpos.X, cy = wheelpanpos.Y, h = kPanMarkSize / 2;
    cv->Pen()->SetColor(clBlack);
    cv->Pen()->SetWidth(1);
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(clWhite);
    cv->Ellipse(cx - h + 1, cy - h + 1, cx + h - 1, cy + h - 1);
    cv->Brush()->SetColor(clBlack);
    cv->Ellipse(cx - 2, cy - 2, cx + 3, cy + 3);
    const bool vert = IntelliPan() != ipHorizontal, horz = IntelliPan() != ipVertical;
    auto tri = [&](int dx, int dy) {
        const int tx = cx + dx * (h - 4), ty = cy + dy * (h - 4);  // the tip
        const int bx = cx + dx * (h - 9), by = cy + dy * (h - 9);  // the base's middle
        cv->Polygon({TPoint(tx, ty), TPoint(bx + dy * 4, by + dx * 4), TPoint(bx - dy * 4, by - dx * 4)});
    };
    if (vert) {
        tri(0, -1);
        tri(0, 1);
    }
    if (horz) {
        tri(-1, 0);
        tri(1, 0);
    }
}

void TAdvStringGrid::InvalidatePanOrigin()
{
    const int h = kPanMarkSize / 2;
    if (QWidget* w = Widget()) {
        const int b = BorderWidth();
        w->update(wheelpanpos.X - h + b, wheelpanpos.Y - h + b, kPanMarkSize, kPanMarkSize);
    }
}
