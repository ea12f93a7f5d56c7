// Scroll bars inside cells: the cell object that keeps a cell's scroll
// position, page size and range, and the one scroll bar control the grid
// moves into the cell under the pointer, whose steps scroll the cell's
// text and are reported through OnScrollCell.

#include "AdvGrid.h"

#include "AdvGridCellGraphic.h"
#include "Messages.h"

#include <algorithm>

namespace {

// The in-cell bar's width, inside the cell's grid lines.
constexpr int kCellScrollWidth = 17;
// One line and one page of the in-cell bar, in pixels of the cell's text.
constexpr int kCellScrollLine = 10;
constexpr int kCellScrollPage = 100;
// A new bar's range before anything is known of the cell.
constexpr int kCellScrollDefaultRange = 100;

} // namespace

// The cell object keeps the position in its index, the page size in its
// angle, the range in its error start and the auto-range flag in its flag.
static TCellGraphic* CellScrollObject(TAdvStringGrid* Grid, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ARow >= Grid->RowCount()) return nullptr;
    const TPoint b = Grid->BaseCell(ACol, ARow);
    TCellGraphic* g = Grid->GetCellGraphic(b.X, b.Y);
    return g && g->CellType() == ctScrollbar ? g : nullptr;
}

// The farthest a cell can be scrolled: as far as its bar reaches, nowhere
// without a bar. A cell whose text got shorter than its page would
// otherwise keep its top lines hidden with no bar to bring them back.
static void ClampCellScroll(TCellGraphic* g)
{
    const int page = g->CellAngle(), range = g->CellErrFrom();
    const int reach = page < range ? range - std::max(page, 0) + 1 : 0;
    g->SetCellIndex(std::clamp(g->CellIndex(), 0, reach));
}

// An automatic range: the page is the row, the range the text as the grid
// measures it wrapped beside the bar.
static void FitCellScrollToText(TAdvStringGrid* Grid, TCellGraphic* g, int ACol, int ARow)
{
    g->SetCellAngle(Grid->RowHeights(ARow));
    g->SetCellErrFrom(Grid->GetCellTextSize(ACol, ARow, true, true).cy);
    ClampCellScroll(g);
}

void TAdvStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    if (ACol < 0 || ARow < 0 || ARow >= RowCount()) return;
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctScrollbar);
    g->SetCellIndex(0);
    g->SetCellAngle(0);
    g->SetCellErrFrom(kCellScrollDefaultRange);
    g->SetCellBoolean(AutoRange);
    if (AutoRange) FitCellScrollToText(this, g, ACol, ARow);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TAdvStringGrid::CellTextChanged(int ACol, int ARow)
{
    TBaseGrid::CellTextChanged(ACol, ARow);
    TCellGraphic* g = CellScrollObject(this, ACol, ARow);
    if (!g || !g->CellBoolean()) return;
    const TPoint b = BaseCell(ACol, ARow);
    FitCellScrollToText(this, g, b.X, b.Y);
    // A bar standing in the cell takes the new range at once.
    if (FScrollBar && FScrollBar->Visible() && FScrollCol == b.X && FScrollRow == b.Y) {
        FScrollBar->SetVisible(false);
        CellScrollHover(DisplColIndex(b.X), b.Y);
    }
}

// The bar a cell shows while the pointer is elsewhere: the grid's hidden
// painting bar takes the cell's settings and pictures itself at the cell's
// right side. Answers the width it took, 0 when the cell shows no bar.
int AdvGridPaintCellScrollBar(TAdvStringGrid* Grid, TCanvas* Canvas, int ACol, int ARow, const TRect& Rect)
{
    TScrollBar* bar = Grid->PaintScrollBar();
    if (!bar || !Canvas || !Grid->HasScrollBar(ACol, ARow)) return 0;
    const TScrollProp prop = Grid->GetScrollProp(ACol, ARow);
    if (prop.PageSize >= prop.Range) return 0;
    bar->SetKind(sbVertical);
    bar->SetPageSize(0);
    bar->SetParams(Grid->GetScrollPosition(ACol, ARow), 0, prop.Range);
    bar->SetPageSize(prop.PageSize);
    bar->SetBounds(bar->Left(), bar->Top(), kCellScrollWidth, std::max(0, Rect.Height()));
    bar->PaintTo(Canvas, Rect.Right - kCellScrollWidth, Rect.Top);
    return kCellScrollWidth;
}

void TAdvStringGrid::RemoveScrollBar(int ACol, int ARow)
{
    if (!CellScrollObject(this, ACol, ARow)) return;
    RemoveCellGraphicOfType(ACol, ARow, ctScrollbar);
    if (FScrollCol == ACol && FScrollRow == ARow) CellScrollHover(-1, -1);
}

bool TAdvStringGrid::HasScrollBar(int ACol, int ARow) { return CellScrollObject(this, ACol, ARow) != nullptr; }

int TAdvStringGrid::GetScrollPosition(int ACol, int ARow)
{
    const TCellGraphic* g = CellScrollObject(this, ACol, ARow);
    return g ? g->CellIndex() : -1;
}

void TAdvStringGrid::SetScrollPosition(int ACol, int ARow, int Position)
{
    TCellGraphic* g = CellScrollObject(this, ACol, ARow);
    if (!g) return;
    g->SetCellIndex(Position);
    ClampCellScroll(g);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TScrollProp TAdvStringGrid::GetScrollProp(int ACol, int ARow)
{
    const TCellGraphic* g = CellScrollObject(this, ACol, ARow);
    if (!g) return TScrollProp{};
    return TScrollProp{g->CellAngle(), g->CellErrFrom()};
}

void TAdvStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop)
{
    TCellGraphic* g = CellScrollObject(this, ACol, ARow);
    if (!g) return;
    g->SetCellAngle(Prop.PageSize);
    g->SetCellErrFrom(Prop.Range);
    ClampCellScroll(g);
    RepaintCell(DisplColIndex(ACol), ARow);
}

// The bar follows the pointer: over a cell with a scroll bar whose page is
// smaller than its range it stands at the cell's right side, anywhere else
// it hides. ACol is a displayed column, -1 for no cell.
void TAdvStringGrid::CellScrollHover(int ACol, int ARow)
{
    if (!FScrollBar) return;
    const int real = ACol >= 0 ? RealColIndex(ACol) : -1;
    if (real < 0 || ARow < 0 || !HasScrollBar(real, ARow)) {
        if (FScrollBar->Visible()) FScrollBar->SetVisible(false);
        FScrollCol = FScrollRow = -1;
        return;
    }
    const TPoint base = BaseCell(real, ARow);
    FScrollCol = base.X;
    FScrollRow = base.Y;
    const TScrollProp prop = GetScrollProp(base.X, base.Y);
    const int pos = GetScrollPosition(base.X, base.Y);
    if (prop.PageSize >= prop.Range) {
        if (FScrollBar->Visible()) FScrollBar->SetVisible(false);
        return;
    }
    const TRect r = CellRect(DisplColIndex(base.X), base.Y);
    const int lw = GridLineWidth();
    const int left = r.Right - kCellScrollWidth - lw, top = r.Top + lw;
    const int height = std::max(0, r.Height() - 2 * lw);
    const bool placed = FScrollBar->Visible() && FScrollBar->Left() == left && FScrollBar->Top() == top
                        && FScrollBar->Height() == height;
    if (placed) {
        FScrollBar->SetPosition(pos);
        return;
    }
    FScrollBar->SetPageSize(0);
    FScrollBar->SetParams(pos, 0, prop.Range);
    FScrollBar->SetPageSize(prop.PageSize);
    FScrollBar->SetSmallChange(kCellScrollLine);
    FScrollBar->SetLargeChange(kCellScrollPage);
    FScrollBar->SetBounds(left, top, kCellScrollWidth, height);
    FScrollBar->SetVisible(true);
}

// A vertical scroll message of the in-cell bar scrolls its cell, not the
// grid. False for every other scroll message.
bool TAdvStringGrid::CellScrollMessage(TMessage& m)
{
    if (!FScrollBar || m.LParam != reinterpret_cast<intptr_t>(FScrollBar) || IsDesigning()) return false;
    const int before = FScrollBar->Position();
    int pos = before;
    switch (ScrollCodeOf(m.WParam)) {
    case SB_LINEUP: pos = std::max(FScrollBar->Min(), before - kCellScrollLine); break;
    case SB_LINEDOWN: pos = std::min(FScrollBar->Max(), before + kCellScrollLine); break;
    case SB_PAGEUP: pos = before - kCellScrollPage; break;
    case SB_PAGEDOWN: pos = before + kCellScrollPage; break;
    case SB_THUMBTRACK: pos = ScrollPosOf(m.WParam); break;
    default: return true;
    }
    // The bar keeps the position within its range.
    FScrollBar->SetPosition(pos);
    const int now = FScrollBar->Position();
    if (now == before || FScrollCol < 0) return true;
    m.Result = 1;
    SetScrollPosition(FScrollCol, FScrollRow, now);
    ScrollCell(FScrollCol, FScrollRow, now, FScrollBar->Min(), FScrollBar->Max());
    return true;
}
