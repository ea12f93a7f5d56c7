// Scroll bar types of the string grid: the platform's regular bars, flat
// bars ("flat" and "Encarta") with their own colour and width, and the thin
// painted bars of the metro type.

#include "AdvGridScrollBars.h"

#include "AdvGrid.h"
#include "FlatScrollBars.h"

#include <cmath>

// ---- TScrollControl ----------------------------------------------------------------------

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}

TAdvStringGrid* TScrollControl::Grid() const
{
    return dynamic_cast<TAdvStringGrid*>(Parent());
}

void TScrollControl::SetColor(TColor v)
{
    if (v == FColor) return;
    FColor = v;
    Invalidate();
}

bool TScrollControl::Scrolls() const
{
    const TAdvStringGrid* g = Grid();
    if (!g) return false;
    return FDirection == sdVertical ? g->VisibleRowCount() < g->RowCount() - g->FixedRows()
                                    : g->VisibleColCount() < g->ColCount() - g->FixedCols();
}

int TScrollControl::TrackLength() const
{
    const TAdvStringGrid* g = Grid();
    if (!g) return 0;
    const int footers = g->FixedFooters();
    int len;
    if (FDirection == sdVertical) {
        len = Height();
        for (int r = 0; r < g->FixedRows(); ++r) len -= g->RowHeights(r);
        for (int r = std::max(g->FixedRows(), g->RowCount() - footers); r < g->RowCount(); ++r) len -= g->RowHeights(r);
    } else {
        len = Width();
        for (int c = 0; c < g->FixedCols(); ++c) len -= g->ColWidths(c);
        for (int c = std::max(g->FixedCols(), g->ColCount() - footers); c < g->ColCount(); ++c) len -= g->ColWidths(c);
    }
    return std::max(0, len);
}

void TScrollControl::ThumbPlace(int& Start, int& Length) const
{
    Start = Length = 0;
    const TAdvStringGrid* g = Grid();
    if (!g) return;
    const int track = TrackLength();
    const bool vert = FDirection == sdVertical;
    const int count = vert ? g->RowCount() : g->ColCount();
    const int fixed = vert ? g->FixedRows() : g->FixedCols();
    const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
    const int first = vert ? g->TopRow() : g->LeftCol();
    if (count <= 0 || count - fixed <= 0) return;
    int fixedExtent = 0;
    for (int i = 0; i < fixed; ++i) fixedExtent += vert ? g->RowHeights(i) : g->ColWidths(i);
    Length = std::max(20, int(std::lround(double(track) * visible / count)));
    Start = fixedExtent + int(std::lround(double(track) * (first - fixed) / (count - fixed)));
    const int size = vert ? Height() : Width();
    if (Start + Length > size) Start = size - Length;
}

void TScrollControl::Paint()
{
    if (!Scrolls()) return;
    int start = 0, length = 0;
    ThumbPlace(start, length);
    TCanvas* c = Canvas();
    c->Pen()->SetColor(FColor);
    c->Brush()->SetColor(FColor);
    // Centred across the control's thickness.
    if (FDirection == sdVertical) {
        const int x = (Width() - FScrollWidth) / 2;
        c->Rectangle(TRect(x, start, x + FScrollWidth, start + length));
    } else {
        const int y = (Height() - FScrollWidth) / 2;
        c->Rectangle(TRect(start, y, start + length, y + FScrollWidth));
    }
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    TAdvStringGrid* g = Grid();
    if (!g || !Scrolls()) return;
    int start = 0, length = 0;
    ThumbPlace(start, length);
    const bool vert = FDirection == sdVertical;
    const int at = vert ? Y : X;
    const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
    const int fixed = vert ? g->FixedRows() : g->FixedCols();
    const int count = vert ? g->RowCount() : g->ColCount();
    const int first = vert ? g->TopRow() : g->LeftCol();
    auto moveTo = [&](int v) {
        if (vert) g->SetTopRow(v);
        else g->SetLeftCol(v);
    };
    if (at < start) {
        moveTo(std::max(fixed, first - visible));
    } else if (at >= start + length) {
        moveTo(std::min(count - visible, first + visible));
    } else {
        FDownOnScroller = true;
        FDownPos = at;
        FDownRow = first;
    }
    Invalidate();
}

void TScrollControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    TAdvStringGrid* g = Grid();
    if (!g || !FDownOnScroller) return;
    const bool vert = FDirection == sdVertical;
    const int span = vert ? Height() - g->RowHeights(0) : Width() - g->ColWidths(0);
    if (span <= 0) return;
    const int count = vert ? g->RowCount() : g->ColCount();
    const int fixed = vert ? g->FixedRows() : g->FixedCols();
    const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
    const int moved = (vert ? Y : X) - FDownPos;
    int v = FDownRow + int(std::lround(double(moved) / span * count));
    v = std::clamp(v, fixed, std::max(fixed, count - visible));
    if (vert) g->SetTopRow(v);
    else g->SetLeftCol(v);
    Invalidate();
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FDownOnScroller = false;
}

// ---- the grid's scroll types ---------------------------------------------------------------

TScrollControl* TAdvStringGrid::VertScrollControl() const
{
    return dynamic_cast<TScrollControl*>(vscrlctrl);
}

TScrollControl* TAdvStringGrid::HorzScrollControl() const
{
    return dynamic_cast<TScrollControl*>(hscrlctrl);
}

void TAdvStringGrid::CreateMetroScrollBars()
{
    auto make = [this](TScrollDirection d) {
        auto* s = new TScrollControl(this);
        s->SetDirection(d);
        s->SetParent(this);
        if (d == sdVertical) {
            s->SetWidth(6);
            s->SetAlign(alRight);
        } else {
            s->SetHeight(6);
            s->SetAlign(alBottom);
        }
        s->SetVisible(true);
        return s;
    };
    if (!vscrlctrl) vscrlctrl = make(sdVertical);
    if (!hscrlctrl) hscrlctrl = make(sdHorizontal);
}

void TAdvStringGrid::SetScrollType(TScrollType v)
{
    if (v != FScrollType) {
        FScrollType = v;
        if (v == ssFlat || v == ssEncarta) {
            InitFlatScrollBars();
            UpdateFlatScrollBars();
        } else {
            UninitFlatScrollBars();
        }
        if (FWndCreated && v == ssMetro) {
            CreateMetroScrollBars();
            SetScrollBars(TScrollStyle::ssNone);
            // The client area grew by the bars that went: the thin ones move out.
            Realign();
        } else if (FWndCreated && (vscrlctrl || hscrlctrl)) {
            FreeScrollControls();
            SetScrollBars(TScrollStyle::ssBoth);
        }
    }
    ApplyFlatScrollStyle();
}

void TAdvStringGrid::SetScrollColor(TColor v)
{
    FScrollColor = v;
    ApplyFlatScrollColor();
}

void TAdvStringGrid::SetScrollWidth(int v)
{
    FScrollWidth = v;
    ApplyFlatScrollWidth();
}

void TAdvStringGrid::InitFlatScrollBars()
{
    FIsFlat = InitializeFlatSB(this);
}

void TAdvStringGrid::UninitFlatScrollBars()
{
    FIsFlat = false;
    UninitializeFlatSB(this);
}

void TAdvStringGrid::FlatSetScrollProp(int Index, intptr_t Value)
{
    if (FIsFlat) FlatSB_SetScrollProp(this, Index, Value, true);
}

void TAdvStringGrid::FlatSetScrollInfo(int Bar, const TScrollInfo& Info)
{
    FlatSB_SetScrollInfo(this, Bar, Info, true);
}

namespace {

bool ScrollBarsAllow(TScrollStyle s, int Bar)
{
    if (Bar == SB_HORZ) return s == TScrollStyle::ssHorizontal || s == TScrollStyle::ssBoth;
    if (Bar == SB_VERT) return s == TScrollStyle::ssVertical || s == TScrollStyle::ssBoth;
    return true;
}

}  // namespace

void TAdvStringGrid::FlatShowScrollBar(int Bar, bool Show)
{
    if (FIsFlat && ScrollBarsAllow(ScrollBars(), Bar)) FlatSB_ShowScrollBar(this, Bar, Show);
}

void TAdvStringGrid::SyncFlatVertScrollInfo()
{
    if (FIsFlat && ScrollBarsAllow(ScrollBars(), SB_VERT)) FlatSetScrollInfo(SB_VERT, GetScrollInfo(SB_VERT));
}

void TAdvStringGrid::SyncFlatHorzScrollInfo()
{
    if (FIsFlat && ScrollBarsAllow(ScrollBars(), SB_HORZ)) FlatSetScrollInfo(SB_HORZ, GetScrollInfo(SB_HORZ));
}

void TAdvStringGrid::ApplyFlatScrollStyle()
{
    int style;
    switch (FScrollType) {
    case ssNormal: style = FSB_REGULAR_MODE; break;
    case ssFlat: style = FSB_FLAT_MODE; break;
    case ssEncarta: style = FSB_ENCARTA_MODE; break;
    default: return;
    }
    FlatSetScrollProp(WSB_PROP_VSTYLE, style);
    FlatSetScrollProp(WSB_PROP_HSTYLE, style);
}

void TAdvStringGrid::ApplyFlatScrollColor()
{
    if (FScrollColor == clNone) return;
    FlatSetScrollProp(WSB_PROP_VBKGCOLOR, FScrollColor);
    FlatSetScrollProp(WSB_PROP_HBKGCOLOR, FScrollColor);
}

void TAdvStringGrid::ApplyFlatScrollWidth()
{
    FlatSetScrollProp(WSB_PROP_CXVSCROLL, FScrollWidth);
    FlatSetScrollProp(WSB_PROP_CYHSCROLL, FScrollWidth);
}

void TAdvStringGrid::UpdateFlatScrollBars()
{
    ApplyFlatScrollStyle();
    ApplyFlatScrollColor();
    ApplyFlatScrollWidth();
    if (VisibleRowCount() + FixedRows() < RowCount()) {
        FlatShowScrollBar(SB_VERT, true);
        SyncFlatVertScrollInfo();
    } else {
        FlatShowScrollBar(SB_VERT, false);
    }
    if (VisibleColCount() + FixedCols() < ColCount()) {
        FlatShowScrollBar(SB_HORZ, true);
        SyncFlatHorzScrollInfo();
    } else {
        FlatShowScrollBar(SB_HORZ, false);
    }
}
