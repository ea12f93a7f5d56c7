#include "CategoryPanels.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>

namespace {
constexpr int DefaultHeaderHeight = 24;
unsigned g_PlaceCount = 0;
}  // namespace

// ---------------------------------------------------------------- TCategoryPanel

TCategoryPanel::TCategoryPanel(TComponent* AOwner)
    : TCustomControl(AOwner)
{
    FSurface = new QWidget(Widget());
    FSurface->setAutoFillBackground(false);
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetParentColor(true);
    SetAlign(alTop);
    SetBounds(0, 0, 185, 200);
}

TCategoryPanel::~TCategoryPanel() = default;

TCategoryPanelGroup* TCategoryPanel::PanelGroup() const
{
    return dynamic_cast<TCategoryPanelGroup*>(Parent());
}

void TCategoryPanel::SetPanelGroup(TCategoryPanelGroup* v)
{
    SetParent(v);
}

int TCategoryPanel::HeaderHeight() const
{
    TCategoryPanelGroup* g = PanelGroup();
    return g ? g->HeaderHeight() : DefaultHeaderHeight;
}

TRect TCategoryPanel::HeaderRect() const
{
    return Rect(0, 0, Width(), std::min(Height(), HeaderHeight()));
}

TRect TCategoryPanel::ClientRect() const
{
    return Rect(0, 0, Width(), std::max(0, Height() - HeaderHeight()));
}

QWidget* TCategoryPanel::ClientWidget() const
{
    return FSurface;
}

void TCategoryPanel::UpdateSurface()
{
    if (!FSurface) return;
    int header = HeaderHeight();
    FSurface->setGeometry(0, header, std::max(0, Width()), std::max(0, Height() - header));
    FSurface->setVisible(!FCollapsed);
}

void TCategoryPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ATop != Top()) FPlaced = ++g_PlaceCount;
    if (FCollapsed) {
        // Folded: the height asked for waits for the next expansion.
        FExpandedHeight = AHeight;
        AHeight = HeaderHeight();
    }
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCategoryPanel::SetCollapsed(bool v)
{
    if (v == FCollapsed) return;
    if (v) {
        FExpandedHeight = Height();
        FCollapsed = true;
        TCustomControl::SetBounds(Left(), Top(), Width(), HeaderHeight());
        UpdateSurface();
        Invalidate();
        DoCollapse();
    } else {
        FCollapsed = false;
        TCustomControl::SetBounds(Left(), Top(), Width(), FExpandedHeight);
        UpdateSurface();
        Invalidate();
        DoExpand();
    }
}

void TCategoryPanel::DoCollapse()
{
    if (OnCollapse) OnCollapse(this);
}

void TCategoryPanel::DoExpand()
{
    if (OnExpand) OnExpand(this);
}

void TCategoryPanel::Resize()
{
    UpdateSurface();
    TCustomControl::Resize();
}

void TCategoryPanel::TextChanged()
{
    Invalidate();
}

bool TCategoryPanel::HandleQtEvent(QWidget* w, QEvent* e)
{
    // A left click on the header folds or unfolds the panel.
    if (w == Widget() && e->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() == Qt::LeftButton && me->position().y() < HeaderHeight()) {
            GuardEvent([this] { SetCollapsed(!FCollapsed); });
            return true;
        }
    }
    return TCustomControl::HandleQtEvent(w, e);
}

void TCategoryPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect h = HeaderRect();
    // Header: a light band with a shadow line under it.
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(h);
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clBtnShadow);
    c->MoveTo(h.Left, h.Bottom - 1);
    c->LineTo(h.Right, h.Bottom - 1);
    // The chevron: two arrows pointing up (expanded) or down (collapsed).
    c->Pen()->SetColor(clWindowText);
    int cx = h.Right - 14, cy = h.Top + h.Height() / 2;
    for (int k = 0; k < 2; ++k) {
        int y = FCollapsed ? cy - 4 + 4 * k : cy + 2 - 4 * k;
        int tip = FCollapsed ? y + 3 : y - 3;
        c->Polyline({TPoint(cx - 4, y), TPoint(cx, tip), TPoint(cx + 4, y)});
        c->Polyline({TPoint(cx - 4, y + (FCollapsed ? -1 : 1)), TPoint(cx, tip + (FCollapsed ? -1 : 1)),
                     TPoint(cx + 4, y + (FCollapsed ? -1 : 1))});
    }
    // Caption.
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    TRect t = h;
    t.Left += 6;
    t.Right -= 24;
    c->DrawText(Caption(), t, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// ---------------------------------------------------------------- TCategoryPanelGroup

TCategoryPanelGroup::TCategoryPanelGroup(TComponent* AOwner)
    : TScrollingWinControl(AOwner)
{
    SetBorderStyle(bsNone);
    HorzScrollBar()->SetVisible(false);
    SetBounds(0, 0, 200, 400);
}

void TCategoryPanelGroup::SetHeaderHeight(int v)
{
    v = std::max(1, v);
    if (v == FHeaderHeight) return;
    FHeaderHeight = v;
    for (TCategoryPanel* p : OrderedPanels()) {
        if (p->Collapsed()) p->TCustomControl::SetBounds(p->Left(), p->Top(), p->Width(), v);
        p->UpdateSurface();
        p->Invalidate();
    }
    Realign();
}

std::vector<TCategoryPanel*> TCategoryPanelGroup::OrderedPanels() const
{
    std::vector<TCategoryPanel*> list;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* p = dynamic_cast<TCategoryPanel*>(Controls(i))) list.push_back(p);
    std::stable_sort(list.begin(), list.end(), [](TCategoryPanel* a, TCategoryPanel* b) {
        if (a->Top() != b->Top()) return a->Top() < b->Top();
        return a->FPlaced > b->FPlaced;
    });
    return list;
}

void TCategoryPanelGroup::ArrangeControls(TRect& r)
{
    int y = r.Top;
    for (TCategoryPanel* p : OrderedPanels()) {
        if (!p->Visible()) continue;
        p->SetBoundsInternal(r.Left, y, r.Width(), p->Height(), true);
        y += p->Height();
    }
}

int TCategoryPanelGroup::PanelCount() const
{
    return int(OrderedPanels().size());
}

TCategoryPanel* TCategoryPanelGroup::Panels(int Index) const
{
    return OrderedPanels().at(size_t(Index));
}

void TCategoryPanelGroup::CollapseAll()
{
    for (TCategoryPanel* p : OrderedPanels()) p->SetCollapsed(true);
}

void TCategoryPanelGroup::ExpandAll()
{
    for (TCategoryPanel* p : OrderedPanels()) p->SetCollapsed(false);
}
