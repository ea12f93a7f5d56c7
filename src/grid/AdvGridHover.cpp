// What the pointer does over the grid between presses: the hovered row,
// fixed cell, header cell and cell button, the links under the pointer with
// their events, the selection mode the next press takes, and the pointer's
// shape over all of it.

#include "AdvGrid.h"

#include "AdvUtil.h"
#include "AsgHTMLE.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>
#include <QWidget>
#include <cmath>

namespace {

// A pointer at most this far from a fixed-column cell's top or bottom is on
// a row sizing edge.
constexpr int kHoverFixedSizingZone = 3;
// Over a header cell this close to its side, the next press sizes rather
// than selects a column.
constexpr int kHoverHeaderSizingZone = 4;

// The grid's own pointer pictures: 32 x 32, black on white outline.
enum THoverCursorId {
    hcPanRest = 8000,
    hcPanDown = 8001,
    hcPanLeft = 8002,
    hcPanRight = 8003,
    hcPanUp = 8004,
    hcPanUpRight = 8005,
    hcPanUpLeft = 8006,
    hcPanDownRight = 8007,
    hcPanDownLeft = 8008,
    hcSelectRow = 8010,
    hcSelectCol = 8011,
    hcSelectAll = 8012,
    hcCellSelector = 8014,
};

void HoverDrawArrow(QPainter& p, QPointF from, QPointF to)
{
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u = d / len, n(-u.y(), u.x());
    p.drawLine(from, to - u * 4);
    const QPointF head[3] = {to, to - u * 7 + n * 4, to - u * 7 - n * 4};
    p.drawPolygon(head, 3);
}

// Each arrow twice: a wide white stroke under a black one, readable on any
// background.
void HoverDrawOutlined(QPainter& p, const std::function<void(QPainter&)>& shape)
{
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(Qt::white);
    shape(p);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    shape(p);
}

QCursor HoverMakeCursor(int Id)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(16, 16);
    struct TDir {
        int Id;
        int dx, dy;
    };
    static const TDir kPanDirs[] = {{hcPanDown, 0, 1},      {hcPanLeft, -1, 0},     {hcPanRight, 1, 0},
                                    {hcPanUp, 0, -1},       {hcPanUpRight, 1, -1},  {hcPanUpLeft, -1, -1},
                                    {hcPanDownRight, 1, 1}, {hcPanDownLeft, -1, 1}};
    QPoint hot(16, 16);
    if (Id >= hcPanRest && Id <= hcPanDownLeft) {
        HoverDrawOutlined(p, [&](QPainter& q) { q.drawEllipse(c, 3, 3); });
        for (const TDir& d : kPanDirs) {
            const bool rest = Id == hcPanRest && (d.dx == 0 || d.dy == 0);
            if (!rest && d.Id != Id) continue;
            const QPointF dir(d.dx, d.dy);
            HoverDrawOutlined(p, [&](QPainter& q) { HoverDrawArrow(q, c + dir * 5, c + dir * 14); });
        }
    } else if (Id == hcSelectRow) {
        HoverDrawOutlined(p, [&](QPainter& q) { HoverDrawArrow(q, QPointF(4, 16), QPointF(28, 16)); });
        hot = QPoint(28, 16);
    } else if (Id == hcSelectCol) {
        HoverDrawOutlined(p, [&](QPainter& q) { HoverDrawArrow(q, QPointF(16, 4), QPointF(16, 28)); });
        hot = QPoint(16, 28);
    } else if (Id == hcSelectAll) {
        HoverDrawOutlined(p, [&](QPainter& q) { HoverDrawArrow(q, QPointF(6, 6), QPointF(26, 26)); });
        hot = QPoint(26, 26);
    } else {
        HoverDrawOutlined(p, [&](QPainter& q) {
            q.drawLine(QPointF(16, 6), QPointF(16, 26));
            q.drawLine(QPointF(6, 16), QPointF(26, 16));
            q.drawRect(QRectF(11, 11, 10, 10));
        });
    }
    p.end();
    return QCursor(pm, hot.x(), hot.y());
}

} // namespace

TCursor TAdvStringGrid::GridCursor(int Id)
{
    static const bool registered = [] {
        for (int id = hcPanRest; id <= hcPanDownLeft; ++id) RegisterCursor(id, HoverMakeCursor(id));
        for (int id : {int(hcSelectRow), int(hcSelectCol), int(hcSelectAll), int(hcCellSelector)})
            RegisterCursor(id, HoverMakeCursor(id));
        return true;
    }();
    (void)registered;
    return TCursor(Id);
}

void TAdvStringGrid::ShowGridCursor(TCursor C)
{
    FShownCursor = C;
    QWidget* w = Widget();
    if (!w) return;
    const QCursor want = CursorOf(C == crDefault ? FOldCursor : C);
    const QCursor have = w->cursor();
    if (have.shape() != want.shape() || (want.shape() == Qt::BitmapCursor && have.pixmap().cacheKey() != want.pixmap().cacheKey()))
        w->setCursor(want);
}

// ---- the move, before the platform's ------------------------------------------------------

void TAdvStringGrid::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    if (Shift.Contains(ssLeft) && FMouseActions->RangeSelectAndEdit() && Options().Contains(goEditing)
        && !EditorShown())
        SetOptions(Options() - goEditing);
    const TGridCoord cell = MouseCoord(X, Y);
    const bool valid = cell.X >= 0 && cell.Y >= 0 && !IsDesigning();
    const TPoint at(cell.X, cell.Y);
    const int fc = FixedCols(), fr = FixedRows();

    if (valid && FHoverRow && cell.Y != FHoverRowIdx) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = cell.Y;
        RepaintRow(cell.Y);
        if (old >= 0 && old < RowCount()) RepaintRow(old);
    }
    if (!IsDesigning()) CellScrollHover(valid ? cell.X : -1, valid ? cell.Y : -1);

    if (HoverFixedCells() != hfNone && !FNoMouseLeave) {
        const TPoint now = valid ? at : TPoint(-1, -1);
        if (now.X != FHoverFixedX || now.Y != FHoverFixedY) {
            // Only header cells show the hover: the others need no repaint.
            auto inFixedArea = [&](int c, int r) { return c >= 0 && r >= 0 && (r < fr + 1 || c < fc + 1); };
            const int ox = FHoverFixedX, oy = FHoverFixedY;
            FHoverFixedX = now.X;
            FHoverFixedY = now.Y;
            if (inFixedArea(ox, oy)) RepaintCell(ox, oy);
            if (inFixedArea(now.X, now.Y)) RepaintCell(now.X, now.Y);
        }
    }

    if (Look() == glListView && valid && !(at == FHotFixedCell)) {
        const TPoint old = FHotFixedCell;
        if (old.X >= 0 && old.Y >= 0 && (old.X < fc || old.Y < fr)) RepaintCell(old.X, old.Y);
        FHotFixedCell = at;
        if (cell.X < fc || cell.Y < fr) RepaintCell(cell.X, cell.Y);
    }

    const bool onButton = valid && OverCellButton(cell.X, cell.Y, X, Y);
    if (onButton && !(FHoverButton == at)) {
        if (FHoverButton.X >= 0) RepaintCell(FHoverButton.X, FHoverButton.Y);
        FHoverButton = at;
        RepaintCell(at.X, at.Y);
    } else if (!onButton && FHoverButton.X >= 0) {
        RepaintCell(FHoverButton.X, FHoverButton.Y);
        FHoverButton = TPoint(-1, -1);
    }

    // Fixed sizing edges: the right edges of the fixed columns, the bottom
    // edges of the fixed rows.
    FSizeFixed = false;
    FSizeFixedR = false;
    if (valid) {
        FSizeFixed = FMouseActions->SizeFixedCol() && FixedEdgeAt(X, false) >= 0;
        FSizeFixedR = FMouseActions->SizeFixedRow() && FixedEdgeAt(Y, true) >= 0;
    }
    CellHintMove(valid ? cell.X : -1, valid ? cell.Y : -1);

    // The selection mode the next press takes, only between drags.
    if (GridState() != gsNormal || Shift.Contains(ssLeft)) return;
    const bool resizerHit = OnSelectionResizer(X, Y);
    TMouseSelectMode mode = resizerHit ? msResize : msNormal;
    if (valid && !resizerHit) {
        const TRect r = CellRect(cell.X, cell.Y);
        const bool colEdge = Options().Contains(goColSizing)
                             && (X - r.Left < kHoverHeaderSizingZone || r.Right - X < kHoverHeaderSizingZone);
        const bool rowEdge = Options().Contains(goRowSizing)
                             && (Y - r.Top <= kHoverFixedSizingZone || r.Bottom - Y <= kHoverFixedSizingZone);
        const int lastRow = RowCount() - (FooterFixedLastRow() ? 2 : 1);
        if (cell.X < fc && cell.Y < fr) {
            if (FMouseActions->AllSelect()) mode = msAll;
        } else if (cell.Y < fr) {
            if (FMouseActions->ColSelect() && !colEdge) mode = msColumn;
        } else if (cell.X < fc && cell.Y <= lastRow) {
            const bool onGlyph = FNumNodes > 0 && NodeGlyphHitTest(cell.Y, X);
            if (FMouseActions->RowSelect() && !rowEdge && !onGlyph) mode = msRow;
        }
    }
    FMouseSelectMode = mode;
}

// ---- links under the pointer ------------------------------------------------------------------

bool TAdvStringGrid::HoverAnchorAt(int ACol, int ARow, int X, int Y, QString& Anchor, QString& Title, int& Index)
{
    Anchor.clear();
    Title.clear();
    Index = -1;
    const QString text = Cells(RealColIndex(ACol), ARow);
    if (!EnableHTML() || GetTextType(text, true) != 1) return false;
    // The pointer finds a link where a press would: the same layout, the
    // same shift of a scrolled cell.
    THTMLDrawResult res;
    MarkupHitAt(ACol, ARow, X, Y, res);
    if (res.HitAnchor < 1) return true;
    Anchor = res.AnchorValue;
    Title = res.AnchorTitle;
    Index = res.HitAnchor;
    return true;
}

void TAdvStringGrid::HoverLinkMove(int ACol, int ARow, int X, int Y)
{
    const bool valid = ACol >= 0 && ARow >= 0 && !IsDesigning();
    QString anchor, title;
    int link = -1;
    const bool html = valid && HoverAnchorAt(ACol, ARow, X, Y, anchor, title, link);
    bool hand = valid && !html && URLShow() && IsURL(Cells(RealColIndex(ACol), ARow));
    if (html && URLUnderlineOnHover()) {
        const TPoint now(ACol, ARow);
        if (!(now == FHoverCell) || link != FHoverlink) {
            if (FHoverCell.X >= 0) RepaintCell(FHoverCell.X, FHoverCell.Y);
            FHoverCell = now;
            FHoverlink = link;
            RepaintCell(ACol, ARow);
        }
    } else if (!html && FHoverCell.X >= 0) {
        RepaintCell(FHoverCell.X, FHoverCell.Y);
        FHoverCell = TPoint(-1, -1);
        FHoverlink = -1;
    }
    if (!anchor.isEmpty()) {
        QString hint = title;
        if (hint.isEmpty() && OnAnchorHint) OnAnchorHint(this, ARow, ACol, hint);
        if (hint != FLastAnchorHint && anchor != FAnchor) {
            QToolTip::hideText();
            FLastAnchorHint = hint;
        }
        hand = true;
        if (anchor != FAnchor) {
            // Leaving one anchor straight for another reports both.
            if (!FAnchor.isEmpty() && OnAnchorExit) OnAnchorExit(this, ARow, ACol, FAnchor);
            FAnchor = anchor;
            if (OnAnchorEnter) OnAnchorEnter(this, ARow, ACol, anchor);
        }
    } else if (!FAnchor.isEmpty()) {
        // The event names the anchor that was left: the pointer is on none.
        const QString left = FAnchor;
        FAnchor.clear();
        if (OnAnchorExit) OnAnchorExit(this, ARow, ACol, left);
    }
    if (hand) FMouseSelectMode = msURL;
}

// ---- the pointer's shape after the move -----------------------------------------------------

void TAdvStringGrid::HoverCursorAfterMove(int X, int Y)
{
    const TGridCoord cell = MouseCoord(X, Y);
    const TGridState st = GridState();
    if (st == gsColMoving || st == gsRowMoving) return;  // the move shows its own
    HoverLinkMove(cell.X, cell.Y, X, Y);
    const bool sizing = st == gsColSizing || st == gsRowSizing;
    TCursor want = crDefault;
    switch (sizing ? msNormal : FMouseSelectMode) {
    case msColumn: want = GridCursor(hcSelectCol); break;
    case msRow: want = GridCursor(hcSelectRow); break;
    case msAll:
    case msResize: want = GridCursor(hcSelectAll); break;
    case msURL: want = crHandPoint; break;
    default: break;
    }
    if (FSizeFixed || FSizingFixed) want = crHSplit;
    else if (FSizeFixedR || FSizingFixedR) want = crVSplit;
    if (want != crDefault) {
        ShowGridCursor(want);
        return;
    }
    // The platform's sizing cursors and the application's cell cursor stand.
    if (FShownCursor != crDefault && !sizing) ShowGridCursor(crDefault);
    FShownCursor = crDefault;
    if (!sizing && cell.X >= 0 && cell.Y >= 0) GetCellCursor(cell.X, cell.Y, X, Y);
}

// ---- leaving the control ------------------------------------------------------------------------

void TAdvStringGrid::HoverLeave()
{
    FMouseSelectMode = msNormal;
    FSizeFixed = false;
    FSizeFixedR = false;
    if (!FNoMouseLeave && (FHoverFixedX != -1 || FHoverFixedY != -1)) {
        const int x = FHoverFixedX, y = FHoverFixedY;
        FHoverFixedX = FHoverFixedY = -1;
        if (x >= 0 && y >= 0) RepaintCell(x, y);
    }
    if (Look() == glListView && FHotFixedCell.X >= 0) {
        const TPoint old = FHotFixedCell;
        FHotFixedCell = TPoint(-1, -1);
        RepaintCell(old.X, old.Y);
    }
    if (FHoverRow && FHoverRowIdx >= 0) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = -1;
        if (old < RowCount()) RepaintRow(old);
    }
    if (FHoverButton.X >= 0) {
        RepaintCell(FHoverButton.X, FHoverButton.Y);
        FHoverButton = TPoint(-1, -1);
    }
    if (FScrollBar && FScrollBar->Visible() && !FScrollBar->Widget()->underMouse()) CellScrollHover(-1, -1);
    CellHintMove(-1, -1);
    if (FHoverCell.X >= 0) {
        RepaintCell(FHoverCell.X, FHoverCell.Y);
        FHoverCell = TPoint(-1, -1);
        FHoverlink = -1;
    }
    if (!FAnchor.isEmpty()) {
        const QString left = FAnchor;
        FAnchor.clear();
        if (OnAnchorExit) OnAnchorExit(this, -1, -1, left);
    }
    FShownCursor = crDefault;
}

// ---- cell buttons and expand glyphs under the pointer ---------------------------------------

bool TAdvStringGrid::OverCellButton(int ACol, int ARow, int X, int Y)
{
    if (ACol < 0 || ARow < 0) return false;
    const int real = RealColIndex(ACol);
    const TPoint p(X, Y);
    if (HasButton(real, ARow) && GetCellButtonRect(real, ARow).Contains(p)) return true;
    return HasExpand(real, ARow) && GetExpandButtonRect(real, ARow).Contains(p);
}

TRect TAdvStringGrid::GetCellButtonRect(int ACol, int ARow)
{
    TCellGraphic* g = HasButton(ACol, ARow) ? GetCellGraphic(ACol, ARow) : nullptr;
    if (!g) return TRect();
    const TRect cell = CellRect(DisplColIndex(ACol), ARow);
    const int offset = int(std::lround(g->CellValue()));
    const int left = cell.Left + (offset & 0xFFFF), top = cell.Top + (offset >> 16);
    const uint32_t size = uint32_t(g->CellIndex());
    TRect r(left, top, left + int(size & 0xFFFFu), top + int(size >> 16));
    if (g->CellHAlign() == haFull) {
        r.Left = cell.Left;
        r.Right = cell.Right;
    }
    if (g->CellVAlign() == vaFull) {
        r.Top = cell.Top;
        r.Bottom = cell.Bottom;
    }
    return r;
}

TRect TAdvStringGrid::GetExpandButtonRect(int ACol, int ARow)
{
    if (!HasExpand(ACol, ARow)) return TRect();
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    return TRect(r.Right - 13, r.Top + 2, r.Right - 2, r.Top + 13);
}
