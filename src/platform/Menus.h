#pragma once
// Popup menus. TPopupMenu::Popup shows the menu at a screen point without
// entering a modal loop; the choice arrives later as the item's OnClick. The
// whole showing goes through one replaceable call (PopupMenuHook), so a test
// chooses an item -- or none -- at once.

#include "Classes.h"
#include "Types.h"

#include <QPointer>
#include <functional>
#include <vector>

class QMenu;
class TControl;

class TMenuItem : public TComponent {
public:
    DECLARE_CLASSNAME(TMenuItem)
    explicit TMenuItem(TComponent* AOwner = nullptr);
    ~TMenuItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v) { FCaption = v; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v) { FRadioItem = v; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool v) { FAutoCheck = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    QString Hint() const { return FHint; }
    void SetHint(const QString& v) { FHint = v; }
    // A caption of "-" is a separator line.
    bool IsLine() const { return FCaption == QStringLiteral("-"); }

    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int i) const { return FItems.at(size_t(i)); }
    TMenuItem* Parent() const { return FParent; }
    int IndexOf(const TMenuItem* item) const;
    // Takes ownership of the item.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Gives the item back to the caller.
    void Remove(TMenuItem* item);
    void Delete(int index);
    void Clear();
    // The sub-item with this caption (accelerator marks ignored), or null.
    TMenuItem* Find(const QString& caption) const;

    // Runs the item: AutoCheck toggles, then OnClick.
    virtual void Click();
    TNotifyEvent OnClick;

private:
    QString FCaption;
    QString FHint;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    bool FAutoCheck = false;
    int FGroupIndex = 0;
    int FImageIndex = -1;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
};

class TPopupMenu : public TComponent {
public:
    DECLARE_CLASSNAME(TPopupMenu)
    explicit TPopupMenu(TComponent* AOwner = nullptr);
    ~TPopupMenu() override;

    TMenuItem* Items() const { return FItems; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }
    // The control whose right click (or whose code) showed the menu last.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* c) { FPopupComponent = c; }
    TPoint PopupPoint() const { return FPopupPoint; }

    // Shows the menu at screen point (X, Y): OnPopup, then the choice through
    // PopupMenuHook (or the real menu). Returns at once.
    virtual void Popup(int X, int Y);

    TNotifyEvent OnPopup;
    // When the menu has closed (chosen or not).
    TNotifyEvent OnClose;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem* FItems;
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
    TPoint FPopupPoint;
    QPointer<QMenu> FOpenMenu;
};

// The one call that shows a popup menu. It returns the chosen item, or null
// when it chose nothing (or when the choice comes later, as the real menu's
// does). Empty: the real, non-blocking menu.
using TPopupMenuHook = std::function<TMenuItem*(TPopupMenu* Menu, TPoint ScreenPos)>;
TPopupMenuHook& PopupMenuHook();

// Replaces PopupMenuHook for its lifetime.
class ScopedPopupMenuHook {
public:
    explicit ScopedPopupMenuHook(TPopupMenuHook hook) : FOld(PopupMenuHook()) { PopupMenuHook() = std::move(hook); }
    ~ScopedPopupMenuHook() { PopupMenuHook() = std::move(FOld); }
    ScopedPopupMenuHook(const ScopedPopupMenuHook&) = delete;
    ScopedPopupMenuHook& operator=(const ScopedPopupMenuHook&) = delete;

private:
    TPopupMenuHook FOld;
};
