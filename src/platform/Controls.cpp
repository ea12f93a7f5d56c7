// Controls: properties, parent and children, bounds, alignment and anchors,
// painting. The Qt event translation, keys, mouse, focus and timers are in
// ControlsInput.cpp.
#include "Controls.h"
#include "ControlsRouter.h"
#include "Forms.h"
#include "Menus.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {

// A plain widget for controls that paint themselves: no system background,
// no focus of its own choosing.
QWidget* NewPlainWidget()
{
    auto* w = new QWidget(nullptr);
    w->setAttribute(Qt::WA_NoSystemBackground, false);
    w->setAutoFillBackground(false);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

}  // namespace

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner, QWidget* AWidget)
    : TComponent(AOwner)
{
    FOwnWidget = (AWidget == nullptr);
    FWidget = AWidget ? AWidget : NewPlainWidget();
    FWidget->hide();
    FRouter = new TControlEventRouter(this);
    FRouter->Attach(FWidget);
    FFont = std::make_unique<TFont>();
    FFont->OnChange = [this](TObject*) {
        if (!FChangingParentFont) FParentFont = false;
        Perform(CM_FONTCHANGED);
    };
    ApplyWidgetFont();
}

TControl::~TControl()
{
    ForgetCaptureOf(this);
    if (FParent) FParent->RemoveControl(this);
    for (auto& [id, t] : FTimers) delete t;
    FTimers.clear();
    if (FRouter) FRouter->Detach();
    delete FRouter;
    FRouter = nullptr;
    if (FWidget) delete FWidget.data();
}

void TControl::BeforeDestruction()
{
    // A windowed control, and every one it holds, hears of its window's end
    // while it is whole.
    if (auto* w = dynamic_cast<TWinControl*>(this)) w->DestroyWindowTree();
    TComponent::BeforeDestruction();
    if (FRouter) FRouter->Detach();
    ForgetCaptureOf(this);
}

TControl* TControl::FromWidget(const QWidget* w)
{
    return TControlEventRouter::ControlOf(w);
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent) return;
    if (AParent == this) throw EInvalidOperation(QStringLiteral("A control cannot have itself as its parent"));
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
    if (!FWidget) return;
    if (AParent) {
        FTopLevel = false;
        FWidget->setParent(AParent->ClientWidget());
        FWidget->setGeometry(FLeft, FTop, std::max(0, FWidth), std::max(0, FHeight));
        if (FParentFont) ParentFontChanged();
        if (FParentColor) ParentColorChanged();
        if (FParentShowHint) ParentShowHintChanged();
        FWidget->setVisible(FVisible);
        UpdateAnchorOrigin();
        AParent->Realign();
    } else {
        FWidget->hide();
        FWidget->setParent(nullptr);
    }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    SetBoundsInternal(ALeft, ATop, AWidth, AHeight, false);
    if (FParent && FAlign != alNone) FParent->Realign();
}

void TControl::SetBoundsInternal(int ALeft, int ATop, int AWidth, int AHeight, bool keepAnchorOrigin)
{
    bool moved = ALeft != FLeft || ATop != FTop;
    bool sized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (!keepAnchorOrigin) UpdateAnchorOrigin();
    if (!moved && !sized) return;
    if (FWidget) {
        TControlEventRouter::GeometryGuard g(FRouter);
        FWidget->setGeometry(FLeft, FTop, std::max(0, FWidth), std::max(0, FHeight));
    }
    if (sized) Perform(WM_SIZE, 0, MakeLParam(ClientWidth(), ClientHeight()));
}

void TControl::UpdateAnchorOrigin()
{
    FAnchorOrigin = BoundsRect();
    if (FParent) {
        TRect pr = FParent->ClientRect();
        FAnchorParentSize = TSize(pr.Width(), pr.Height());
    }
}

void TControl::SetClientWidth(int v)
{
    SetWidth(v + (FWidth - ClientWidth()));
}

void TControl::SetClientHeight(int v)
{
    SetHeight(v + (FHeight - ClientHeight()));
}

void TControl::SetAlign(TAlign v)
{
    if (v == FAlign) return;
    FAlign = v;
    if (FAlign == alLeft || FAlign == alRight)
        FAnchors = TAnchors{akLeft, akTop, akBottom};
    else if (FAlign == alTop || FAlign == alBottom)
        FAnchors = TAnchors{akLeft, akTop, akRight};
    RequestAlign();
}

void TControl::SetAnchors(TAnchors v)
{
    FAnchors = v;
    UpdateAnchorOrigin();
}

void TControl::RequestAlign()
{
    if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool v)
{
    if (v == FVisible) return;
    FVisible = v;
    if (FWidget && (FParent || FTopLevel)) FWidget->setVisible(v);
    Perform(CM_VISIBLECHANGED, v ? 1 : 0);
    if (FParent) FParent->Realign();
}

bool TControl::Showing() const
{
    return FWidget && FVisible && FWidget->isVisible();
}

void TControl::SetEnabled(bool v)
{
    if (v == FEnabled) return;
    FEnabled = v;
    if (FWidget) FWidget->setEnabled(v);
    Perform(CM_ENABLEDCHANGED, v ? 1 : 0);
}

bool TControl::IsEnabledChain() const
{
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FEnabled) return false;
    return true;
}

void TControl::SetColor(TColor v)
{
    FParentColor = false;
    if (v == FColor) return;
    FColor = v;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v)
{
    if (v == FParentColor) return;
    FParentColor = v;
    if (v && FParent) ParentColorChanged();
}

void TControl::SetFont(TFont* v)
{
    if (v) FFont->Assign(v);
}

void TControl::SetParentFont(bool v)
{
    if (v == FParentFont) return;
    FParentFont = v;
    if (v && FParent) ParentFontChanged();
}

void TControl::SetText(const QString& v)
{
    if (v == FText) return;
    FText = v;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetHint(const QString& v)
{
    FHint = v;
    ApplyWidgetHint();
}

void TControl::SetShowHint(bool v)
{
    FParentShowHint = false;
    if (v == FShowHint) return;
    FShowHint = v;
    ApplyWidgetHint();
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool v)
{
    if (v == FParentShowHint) return;
    FParentShowHint = v;
    if (v && FParent) ParentShowHintChanged();
}

void TControl::SetCursor(TCursor v)
{
    if (v == FCursor) return;
    FCursor = v;
    if (FWidget) {
        if (v == crDefault)
            FWidget->unsetCursor();
        else
            FWidget->setCursor(CursorOf(v));
    }
    Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* v)
{
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = v;
    if (v) v->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::ApplyWidgetFont()
{
    if (FWidget) FWidget->setFont(FFont->ToQFont());
}

void TControl::ApplyWidgetColor()
{
    if (!FWidget || FOwnWidget) return;
    // A ready-made Qt widget shows the colour through its palette.
    QPalette pal = FWidget->palette();
    if (FColor != clNone && FColor != clDefault) {
        pal.setColor(QPalette::Base, ToQColor(FColor));
        pal.setColor(QPalette::Window, ToQColor(FColor));
    }
    // The font colour only while enabled: a disabled control keeps the grey
    // text that tells the user it cannot be changed.
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(g, QPalette::Text, ToQColor(FFont->Color()));
        pal.setColor(g, QPalette::WindowText, ToQColor(FFont->Color()));
    }
    pal.setColor(QPalette::Disabled, QPalette::Text, ToQColor(clGrayText));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, ToQColor(clGrayText));
    FWidget->setPalette(pal);
}

void TControl::ApplyWidgetHint()
{
    // A hint "short|long" shows its short part.
    if (FWidget) FWidget->setToolTip(FShowHint ? FHint.section(QLatin1Char('|'), 0, 0) : QString());
}

void TControl::ParentFontChanged()
{
    if (!FParentFont || !FParent) return;
    FChangingParentFont = true;
    try {
        FFont->Assign(FParent->Font());
    } catch (...) {
        FChangingParentFont = false;
        throw;
    }
    FChangingParentFont = false;
}

void TControl::ParentColorChanged()
{
    if (!FParentColor || !FParent) return;
    if (FColor != FParent->Color()) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED);
    }
    FParentColor = true;
}

void TControl::ParentShowHintChanged()
{
    if (!FParentShowHint || !FParent) return;
    if (FShowHint != FParent->ShowHint()) {
        FShowHint = FParent->ShowHint();
        ApplyWidgetHint();
        Perform(CM_SHOWHINTCHANGED);
    }
}

void TControl::EnabledChanged() { Invalidate(); }
void TControl::VisibleChanged() {}

void TControl::FontChanged()
{
    ApplyWidgetFont();
    ApplyWidgetColor();
    Invalidate();
}

void TControl::ColorChanged()
{
    ApplyWidgetColor();
    Invalidate();
}

void TControl::TextChanged() { Invalidate(); }

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

void TControl::Invalidate()
{
    if (FWidget) FWidget->update();
}

void TControl::InvalidateRect(const TRect& r)
{
    if (FWidget) FWidget->update(r.ToQRect());
}

void TControl::Update()
{
    if (FWidget && FWidget->isVisible()) FWidget->repaint();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::LockDrawing()
{
    if (FRedrawLock++ == 0 && FWidget) FWidget->setUpdatesEnabled(false);
}

void TControl::UnlockDrawing()
{
    if (FRedrawLock == 0) return;
    if (--FRedrawLock == 0 && FWidget) FWidget->setUpdatesEnabled(true);
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    if (!FWidget) return p;
    return TPoint::FromQPoint(FWidget->mapToGlobal(p.ToQPoint()));
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    if (!FWidget) return p;
    return TPoint::FromQPoint(FWidget->mapFromGlobal(p.ToQPoint()));
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TControl::BringToFront()
{
    if (FWidget) FWidget->raise();
}

void TControl::SendToBack()
{
    if (FWidget) FWidget->lower();
}

void TControl::FreeDeferred()
{
    Hide();
    DeferredFree(this);
}

void TControl::AttachSubWidget(QWidget* w)
{
    if (FRouter && w) FRouter->Attach(w);
}

void TControl::PaintWidget(QPainter&) {}

// ---- timers

void TControl::SetTimer(unsigned id, int ms)
{
    QTimer*& t = FTimers[id];
    if (!t) {
        t = new QTimer(FRouter);
        QObject::connect(t, &QTimer::timeout, FRouter, [this, id]() { FireTimer(id); });
    }
    t->start(std::max(0, ms));
}

void TControl::KillTimer(unsigned id)
{
    auto it = FTimers.find(id);
    if (it == FTimers.end()) return;
    QTimer* t = it->second;
    FTimers.erase(it);
    t->stop();
    // It may be the timer whose tick is running right now.
    t->deleteLater();
}

bool TControl::TimerRunning(unsigned id) const
{
    auto it = FTimers.find(id);
    return it != FTimers.end() && it->second->isActive();
}

void TControl::FireTimer(unsigned id)
{
    if (HasState(csDestroying)) return;
    GuardEvent([&]() { TimerTick(id); });
}

void TControl::TimerTick(unsigned) {}

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner, QWidget* AWidget)
    : TControl(AOwner, AWidget)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TWinControl::~TWinControl()
{
    // Reached by a plain delete too: the children freed below must see that
    // this control's own operations are gone.
    Include(csDestructing);
    // Qt events that the children's removal causes no longer reach this
    // half-destroyed control.
    if (FRouter) FRouter->Detach();
    // The children heard of their window's end already (DestroyWindowTree);
    // each goes the platform way.
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        RemoveControl(c);
        Free(c);
    }
    // Leave the parent's tab list while still a windowed control.
    if (Parent()) Parent()->RemoveControl(this);
}

void TWinControl::DestroyWindowTree()
{
    if (FWindowDestroyed) return;
    FWindowDestroyed = true;
    GuardEvent([this]() { Perform(WM_DESTROY); });
    // A handler may free or move what this control holds: take a copy, and
    // reach each one only while it is still held.
    std::vector<TWinControl*> below;
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) below.push_back(w);
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(Components(i))) below.push_back(w);
    for (TWinControl* w : below) {
        bool held = std::find(FControls.begin(), FControls.end(), w) != FControls.end();
        for (int i = 0; !held && i < ComponentCount(); ++i) held = Components(i) == w;
        if (held) w->DestroyWindowTree();
    }
}

void TWinControl::MakeAuxiliaryWindow(bool TransparentForInput)
{
    SetParent(nullptr);
    QWidget* w = Widget();
    if (!w) return;
    Qt::WindowFlags f = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    if (TransparentForInput) f |= Qt::WindowTransparentForInput;
    w->setParent(nullptr, f);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setFocusPolicy(Qt::NoFocus);
    SetTopLevel(true);
    w->setGeometry(Left(), Top(), std::max(0, Width()), std::max(0, Height()));
    // Hidden until shown.
    FVisible = false;
    w->hide();
}

void TWinControl::MakeDropDownWindow()
{
    SetParent(nullptr);
    QWidget* w = Widget();
    if (!w) return;
    w->setParent(nullptr, Qt::Popup | Qt::FramelessWindowHint);
    SetTopLevel(true);
    w->setGeometry(Left(), Top(), std::max(0, Width()), std::max(0, Height()));
    // Hidden until shown.
    FVisible = false;
    w->hide();
}

void TWinControl::InsertControl(TControl* c)
{
    FControls.push_back(c);
    c->FParent = this;
    if (auto* w = dynamic_cast<TWinControl*>(c)) FTabList.push_back(w);
}

void TWinControl::RemoveControl(TControl* c)
{
    FControls.erase(std::remove(FControls.begin(), FControls.end(), c), FControls.end());
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
        if (TCustomForm* f = GetParentForm(this)) f->ControlRemoved(w);
    }
    c->FParent = nullptr;
    if (!HasState(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(const TControl* c) const
{
    for (const TControl* p = c; p; p = p->Parent())
        if (p == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool AllowDisabled) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (c->Visible() && (AllowDisabled || c->Enabled()) && c->BoundsRect().Contains(p)) return c;
    }
    return nullptr;
}

void TWinControl::SetTabStop(bool v)
{
    if (v == FTabStop) return;
    FTabStop = v;
    Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const
{
    if (!Parent()) return -1;
    const auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int v)
{
    if (!Parent()) return;
    auto& list = Parent()->FTabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    v = std::clamp(v, 0, int(list.size()));
    list.insert(list.begin() + v, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int n = int(list.size());
    auto it = std::find(list.begin(), list.end(), Current);
    int start = it == list.end() ? (GoForward ? n - 1 : 0) : int(it - list.begin());
    int i = start;
    for (int k = 0; k < n; ++k) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[size_t(i)];
        if (c == Current && it != list.end()) break;
        if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* Current, bool GoForward, bool CheckTabStop)
{
    // Without the tab-stop check (arrow keys) only the siblings take part.
    if (TWinControl* c = FindNextControl(Current, GoForward, CheckTabStop, !CheckTabStop)) c->SetFocus();
}

void TWinControl::SelectFirst()
{
    if (TWinControl* c = FindNextControl(nullptr, true, true, false)) c->SetFocus();
}

bool TWinControl::CanFocus() const
{
    TCustomForm* form = GetParentForm(this);
    for (const TControl* c = this; c; c = c->Parent()) {
        if (c == form) return form->Enabled();
        if (!c->Visible() || !c->Enabled()) return false;
    }
    return Visible() && Enabled();
}

void TWinControl::Broadcast(TMessage& Message)
{
    std::vector<TControl*> list = FControls;
    for (TControl* c : list) {
        c->WndProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::Realign()
{
    if (FAlignLock > 0 || FRealigning || HasState(csDestroying)) return;
    FRealigning = true;
    try {
        TRect r = ClientRect();
        AlignControls(r);
    } catch (...) {
        FRealigning = false;
        throw;
    }
    FRealigning = false;
}

void TWinControl::EnableAlign()
{
    if (FAlignLock > 0 && --FAlignLock == 0) Realign();
}

void TWinControl::AlignControls(TRect& r)
{
    AdjustClientRect(r);
    auto placeAll = [&](TAlign align) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->Align() == align && c->Visible()) list.push_back(c);
        // Order of the edge they stick to; ties keep the creation order.
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop: return a->Top() < b->Top();
            case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft: return a->Left() < b->Left();
            case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
            default: return false;
            }
        });
        for (TControl* c : list) {
            int w = c->Width(), h = c->Height();
            switch (align) {
            case alTop:
                c->SetBoundsInternal(r.Left, r.Top, r.Width(), h, true);
                r.Top += h;
                break;
            case alBottom:
                c->SetBoundsInternal(r.Left, r.Bottom - h, r.Width(), h, true);
                r.Bottom -= h;
                break;
            case alLeft:
                c->SetBoundsInternal(r.Left, r.Top, w, r.Height(), true);
                r.Left += w;
                break;
            case alRight:
                c->SetBoundsInternal(r.Right - w, r.Top, w, r.Height(), true);
                r.Right -= w;
                break;
            case alClient:
                c->SetBoundsInternal(r.Left, r.Top, r.Width(), r.Height(), true);
                break;
            default: break;
            }
        }
    };
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) placeAll(a);
}

void TWinControl::AdjustAnchoredChildren()
{
    TRect pr = ClientRect();
    TSize now(pr.Width(), pr.Height());
    for (TControl* c : FControls) {
        if (c->Align() != alNone) continue;
        if (c->FAnchorParentSize == TSize()) {
            // Placed before this control had a size: nothing to keep yet.
            c->UpdateAnchorOrigin();
            continue;
        }
        int dx = now.cx - c->FAnchorParentSize.cx;
        int dy = now.cy - c->FAnchorParentSize.cy;
        const TRect& o = c->FAnchorOrigin;
        TAnchors a = c->Anchors();
        int l = o.Left, w = o.Width(), t = o.Top, h = o.Height();
        if (a.Contains(akRight)) {
            if (a.Contains(akLeft)) w += dx; else l += dx;
        } else if (!a.Contains(akLeft)) {
            l += dx / 2;
        }
        if (a.Contains(akBottom)) {
            if (a.Contains(akTop)) h += dy; else t += dy;
        } else if (!a.Contains(akTop)) {
            t += dy / 2;
        }
        c->SetBoundsInternal(l, t, std::max(0, w), std::max(0, h), true);
    }
}

void TWinControl::Resize()
{
    AdjustAnchoredChildren();
    Realign();
    TControl::Resize();
}

void TWinControl::ParentFontChanged()
{
    TControl::ParentFontChanged();
}

void TWinControl::ParentColorChanged()
{
    TControl::ParentColorChanged();
}

void TWinControl::ParentShowHintChanged()
{
    TControl::ParentShowHintChanged();
    for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTSHOWHINTCHANGED);
}

// ---------------------------------------------------------------------------
// TGraphicControl, TCustomControl

TGraphicControl::TGraphicControl(TComponent* AOwner, QWidget* AWidget)
    : TPaintedControl<TControl>(AOwner, AWidget)
{
    SetControlStyle(ControlStyle() | csOpaque);
}

void PaintOnCanvas(TCanvas* canvas, QPainter& painter, const TControl* control, const std::function<void()>& paint)
{
    canvas->BindPainter(&painter);
    struct Unbind {
        TCanvas* c;
        ~Unbind() { c->Unbind(); }
    } unbind{canvas};
    canvas->SetFont(control->Font());
    canvas->Brush()->SetColor(control->Color());
    paint();
}

// ---------------------------------------------------------------------------

TCustomForm* GetParentForm(const TControl* c)
{
    const TControl* top = c;
    while (top && top->Parent()) top = top->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}
