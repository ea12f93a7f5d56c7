#include "Menus.h"
#include "Controls.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <algorithm>

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    Clear();
    if (FParent) FParent->Remove(this);
}

void TMenuItem::SetChecked(bool v)
{
    FChecked = v;
    // A checked radio item unchecks the others of its group.
    if (v && FRadioItem && FParent)
        for (TMenuItem* i : FParent->FItems)
            if (i != this && i->FRadioItem && i->FGroupIndex == FGroupIndex) i->FChecked = false;
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item) return;
    if (item->FParent) throw EInvalidOperation(QStringLiteral("Menu inserted twice"));
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParent = nullptr;
}

void TMenuItem::Delete(int index)
{
    if (index < 0 || index >= Count()) throw EListError(QStringLiteral("Menu index out of range"));
    Remove(FItems[size_t(index)]);
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) {
        TMenuItem* i = FItems.back();
        Remove(i);
        // Items without an owner belong to their menu.
        if (!i->Owner()) Free(i);
    }
}

TMenuItem* TMenuItem::Find(const QString& caption) const
{
    QString want = StripHotkey(caption);
    for (TMenuItem* i : FItems)
        if (StripHotkey(i->Caption()).compare(want, Qt::CaseInsensitive) == 0) return i;
    return nullptr;
}

void TMenuItem::Click()
{
    if (!FEnabled) return;
    if (FAutoCheck) SetChecked(!FChecked);
    if (OnClick) OnClick(this);
}

// ---------------------------------------------------------------------------
// TPopupMenu

TPopupMenuHook& PopupMenuHook()
{
    static TPopupMenuHook hook;
    return hook;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu()
{
    if (FOpenMenu) delete FOpenMenu.data();
    Free(FItems);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

namespace {

void FillMenu(QMenu* menu, TMenuItem* parent)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
            menu->addSeparator();
            continue;
        }
        if (item->Count() > 0) {
            QMenu* sub = menu->addMenu(item->Caption());
            sub->setEnabled(item->Enabled());
            FillMenu(sub, item);
            continue;
        }
        QAction* a = menu->addAction(item->Caption());
        a->setEnabled(item->Enabled());
        a->setCheckable(item->Checked() || item->AutoCheck() || item->RadioItem());
        a->setChecked(item->Checked());
        // The menu (and its actions) go with their TPopupMenu.
        QObject::connect(a, &QAction::triggered, menu, [item]() { GuardEvent([item]() { item->Click(); }); });
    }
}

}  // namespace

void TPopupMenu::Popup(int X, int Y)
{
    FPopupPoint = TPoint(X, Y);
    CancelCapture();
    if (OnPopup) OnPopup(this);
    if (TPopupMenuHook& hook = PopupMenuHook()) {
        TMenuItem* chosen = hook(this, FPopupPoint);
        if (chosen && chosen->Enabled()) chosen->Click();
        if (OnClose) OnClose(this);
        return;
    }
    if (FOpenMenu) delete FOpenMenu.data();
    auto* menu = new QMenu();
    FOpenMenu = menu;
    FillMenu(menu, FItems);
    TPopupMenu* self = this;
    QObject::connect(menu, &QMenu::aboutToHide, menu, [self, menu]() {
        // After the chosen item's click has run; the menu goes with it.
        QueueCall(menu, [self, menu]() {
            if (self->OnClose) self->OnClose(self);
            menu->deleteLater();
        });
    });
    menu->popup(QPoint(X, Y));
}
