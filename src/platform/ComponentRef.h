#pragma once
// A reference to a component that clears itself when the component is
// destroyed, for holders that are not components themselves (settings
// objects, list items) and so cannot receive the removal notification.
//
//   TComponentRef<TControl> FControl;
//   FControl = someControl;       // watched from now on
//   if (FControl) FControl->...   // nil once someControl was freed

#include "Classes.h"

#include <functional>
#include <memory>

// The watcher behind TComponentRef: a free-standing component that asks
// the watched component for its removal notification.
class TComponentWatcher : public TComponent {
public:
    DECLARE_CLASSNAME(TComponentWatcher)
    TComponentWatcher() : TComponent(nullptr) {}
    ~TComponentWatcher() override;

    TComponent* Target() const { return FTarget; }
    void Watch(TComponent* Target);
    // Called after the watched component announced its removal.
    std::function<void()> OnRemoved;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TComponent* FTarget = nullptr;
};

template <class T>
class TComponentRef {
public:
    TComponentRef() = default;
    TComponentRef(T* c) { Set(c); }
    TComponentRef(const TComponentRef& o) { Set(o.Get()); }
    TComponentRef& operator=(const TComponentRef& o)
    {
        Set(o.Get());
        return *this;
    }
    TComponentRef& operator=(T* c)
    {
        Set(c);
        return *this;
    }

    T* Get() const { return FWatcher ? static_cast<T*>(FWatcher->Target()) : nullptr; }
    void Set(T* c)
    {
        if (!c) {
            FWatcher.reset();
            return;
        }
        if (!FWatcher) FWatcher = std::make_unique<TComponentWatcher>();
        FWatcher->Watch(c);
    }
    operator T*() const { return Get(); }
    T* operator->() const { return Get(); }

private:
    std::unique_ptr<TComponentWatcher> FWatcher;
};
