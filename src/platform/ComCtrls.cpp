#include "ComCtrls.h"
#include "StdCtrlsWidgets.h"

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
