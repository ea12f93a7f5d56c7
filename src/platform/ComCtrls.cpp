#include "ComCtrls.h"
#include "StdCtrlsWidgets.h"
#include "GraphUtils.h"

#include <QEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <algorithm>

// ---------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner)
    : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TTabSheet::~TTabSheet()
{
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* v)
{
    if (v == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    if (v) v->InsertPage(this);
}

void TTabSheet::SetParent(TWinControl* AParent)
{
    if (auto* pc = dynamic_cast<TPageControl*>(AParent)) {
        SetPageControl(pc);
        return;
    }
    if (FPageControl) FPageControl->RemovePage(this);
    TWinControl::SetParent(AParent);
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl) return -1;
    auto& pages = FPageControl->FPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int v)
{
    if (!FPageControl) return;
    auto& pages = FPageControl->FPages;
    int from = PageIndex();
    v = std::clamp(v, 0, int(pages.size()) - 1);
    if (v == from) return;
    pages.erase(pages.begin() + from);
    pages.insert(pages.begin() + v, this);
    ++FPageControl->FQuiet;
    FPageControl->Tabs()->tabBar()->moveTab(from, v);
    FPageControl->FActive = FPageControl->Tabs()->currentIndex();
    --FPageControl->FQuiet;
}

void TTabSheet::SetTabVisible(bool v)
{
    FTabVisible = v;
    if (FPageControl) {
        ++FPageControl->FQuiet;
        FPageControl->Tabs()->setTabVisible(PageIndex(), v);
        FPageControl->FActive = FPageControl->Tabs()->currentIndex();
        --FPageControl->FQuiet;
    }
}

int TTabSheet::TabIndex() const
{
    if (!FPageControl || !FTabVisible) return -1;
    int n = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabVisible) ++n;
    }
    return -1;
}

void TTabSheet::TextChanged()
{
    if (FPageControl) FPageControl->Tabs()->setTabText(PageIndex(), Caption());
}

bool TTabSheet::HandleQtEvent(QWidget* w, QEvent* e)
{
    // The page control's stack places the sheet: take over its bounds.
    if (w == Widget() && (e->type() == QEvent::Resize || e->type() == QEvent::Move)) {
        QRect g = w->geometry();
        if (g.x() != Left() || g.y() != Top() || g.width() != Width() || g.height() != Height())
            SetBoundsInternal(g.x(), g.y(), g.width(), g.height(), false);
    }
    return TWinControl::HandleQtEvent(w, e);
}

// ---------------------------------------------------------------- TPageControl

TPageControl::TPageControl(TComponent* AOwner)
    : TWinControl(AOwner, new TKeyEndWidget<QTabWidget>)
{
    QTabWidget* t = Tabs();
    t->setUsesScrollButtons(true);
    AttachSubWidget(t->tabBar());
    SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csCaptureMouse));
    SetWantKeys(DLGC_WANTARROWS);
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
    QObject::connect(t, &QTabWidget::currentChanged, &FSignals, [this](int index) {
        if (FQuiet > 0) {
            FActive = index;
            return;
        }
        GuardEvent([&] { UserSwitched(index); });
    });
}

TPageControl::~TPageControl()
{
    for (TTabSheet* p : FPages) p->FPageControl = nullptr;
    FPages.clear();
}

QTabWidget* TPageControl::Tabs() const
{
    return static_cast<QTabWidget*>(Widget());
}

void TPageControl::InsertPage(TTabSheet* page)
{
    FPages.push_back(page);
    page->FPageControl = this;
    ++FQuiet;
    page->TWinControl::SetParent(this);
    int index = Tabs()->addTab(page->Widget(), page->Caption());
    Tabs()->setTabVisible(index, page->FTabVisible);
    FActive = Tabs()->currentIndex();
    --FQuiet;
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    int index = int(it - FPages.begin());
    FPages.erase(it);
    page->FPageControl = nullptr;
    ++FQuiet;
    Tabs()->removeTab(index);
    if (!page->HasState(csDestroying)) page->TWinControl::SetParent(nullptr);
    FActive = Tabs()->currentIndex();
    --FQuiet;
}

TTabSheet* TPageControl::ActivePage() const
{
    int i = ActivePageIndex();
    return i >= 0 ? FPages[size_t(i)] : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* v)
{
    if (v && v->FPageControl != this) return;
    SetActivePageIndex(v ? v->PageIndex() : -1);
}

int TPageControl::ActivePageIndex() const
{
    int i = Tabs()->currentIndex();
    return i >= 0 && i < PageCount() ? i : -1;
}

void TPageControl::SetActivePageIndex(int v)
{
    if (v < -1 || v >= PageCount()) return;
    ++FQuiet;
    Tabs()->setCurrentIndex(v);
    FActive = Tabs()->currentIndex();
    --FQuiet;
}

void TPageControl::UserSwitched(int index)
{
    if (index == FActive) return;
    if (!CanChange()) {
        // Refused: back to the page that was active.
        ++FQuiet;
        Tabs()->setCurrentIndex(FActive);
        --FQuiet;
        return;
    }
    FActive = index;
    Change();
}

bool TPageControl::CanChange()
{
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change()
{
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- TCustomRichEdit

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TCustomMemo(AOwner, new TKeyEndWidget<QTextEdit>)
{
}

// ---------------------------------------------------------------- TTrackBar

namespace {

// The thumb's size and the room kept at each end of the channel.
constexpr int TrackThumbWidth = 11;
constexpr int TrackThumbHeight = 20;
constexpr int TrackMargin = 12;

}  // namespace

TTrackBar::TTrackBar(TComponent* AOwner)
    : TCustomControl(AOwner)
{
    SetTabStop(true);
    SetWantKeys(DLGC_WANTARROWS);
    SetBounds(0, 0, 150, 45);
}

void TTrackBar::SetMin(int v)
{
    if (v == FMin) return;
    FMin = v;
    if (FMax < FMin) FMax = FMin;
    SetPosition(FPosition);
    Invalidate();
}

void TTrackBar::SetMax(int v)
{
    if (v == FMax) return;
    FMax = v;
    if (FMin > FMax) FMin = FMax;
    SetPosition(FPosition);
    Invalidate();
}

void TTrackBar::SetPosition(int v)
{
    v = std::clamp(v, FMin, FMax);
    if (v == FPosition) return;
    FPosition = v;
    Invalidate();
    Changed();
}

void TTrackBar::SetFrequency(int v)
{
    if (v == FFrequency) return;
    FFrequency = v;
    Invalidate();
}

void TTrackBar::Changed()
{
    if (OnChange) OnChange(this);
}

TRect TTrackBar::ChannelRect() const
{
    return TRect(TrackMargin, 8, std::max(TrackMargin, Width() - TrackMargin), 12);
}

int TTrackBar::PositionToX(int Pos) const
{
    const TRect ch = ChannelRect();
    if (FMax <= FMin) return ch.Left;
    return ch.Left + int(int64_t(ch.Width()) * (std::clamp(Pos, FMin, FMax) - FMin) / (int64_t(FMax) - FMin));
}

TRect TTrackBar::ThumbRect() const
{
    const int x = PositionToX(FPosition);
    return TRect(x - TrackThumbWidth / 2, 0, x - TrackThumbWidth / 2 + TrackThumbWidth, TrackThumbHeight);
}

int TTrackBar::PositionAtX(int X) const
{
    const TRect ch = ChannelRect();
    if (FMax <= FMin || ch.Width() <= 0) return FMin;
    const int64_t span = int64_t(FMax) - FMin;
    const int64_t offset = std::clamp(X - ch.Left, 0, ch.Width());
    return FMin + int((offset * span + ch.Width() / 2) / ch.Width());
}

void TTrackBar::Paint()
{
    TCanvas* c = Canvas();
    TRect channel = ChannelRect();
    DrawEdge(c, channel, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    // Ticks below the thumb.
    c->Pen()->SetColor(clBtnShadow);
    if (FFrequency > 0 && FMax > FMin) {
        const int64_t count = (int64_t(FMax) - FMin) / FFrequency;
        // Never more ticks than pixels.
        const int64_t step = std::max<int64_t>(1, count / std::max(1, ChannelRect().Width() / 2));
        for (int64_t i = 0; i <= count; i += step) {
            const int x = PositionToX(int(FMin + i * FFrequency));
            c->MoveTo(x, TrackThumbHeight + 3);
            c->LineTo(x, TrackThumbHeight + 7);
        }
        const int x = PositionToX(FMax);
        c->MoveTo(x, TrackThumbHeight + 3);
        c->LineTo(x, TrackThumbHeight + 7);
    }
    TRect thumb = ThumbRect();
    DrawEdge(c, thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    if (Focused()) {
        TRect focus = ClientRect();
        c->DrawFocusRect(focus);
    }
}

void TTrackBar::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    switch (Key) {
    case VK_LEFT:
    case VK_UP:
        SetPosition(FPosition - FLineSize);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SetPosition(FPosition + FLineSize);
        break;
    case VK_PRIOR:
        SetPosition(FPosition - FPageSize);
        break;
    case VK_NEXT:
        SetPosition(FPosition + FPageSize);
        break;
    case VK_HOME:
        SetPosition(FMin);
        break;
    case VK_END:
        SetPosition(FMax);
        break;
    default:
        return;
    }
    Key = 0;
}

void TTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        const TRect thumb = ThumbRect();
        if (X >= thumb.Left && X < thumb.Right) {
            FDragging = true;
        } else {
            SetPosition(FPosition + (X < thumb.Left ? -FPageSize : FPageSize));
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TTrackBar::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FDragging) SetPosition(PositionAtX(X));
    TCustomControl::MouseMove(Shift, X, Y);
}

void TTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) FDragging = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}
