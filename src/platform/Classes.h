#pragma once
// Base objects: TObject, TPersistent and owner/owned TComponent with
// removal notification, component state and the two-phase set-up and
// tear-down hooks.
//
// Construction: objects whose constructors would call an overridable
// operation are created through Create<T>(...), which runs the most-derived
// constructor and then AfterConstruction(), so overrides are reached.
// Destruction: Free(obj) runs BeforeDestruction() (destroying set) before any
// destructor, so overrides still see the whole object. Once the destructors
// begin, the component carries csDestructing: from then on its overridable
// operations are no longer its own (C++ unwinds the object class by class),
// so nothing may call them, and whatever it owns asks
// HasState(csDestructing) before calling back into it.

#include "SysUtils.h"
#include "Types.h"

#include <QString>
#include <QList>
#include <functional>
#include <utility>
#include <vector>

class TObject;
class TPersistent;
class TComponent;
class TPropertyList;

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Gives a class the name the rest of the system spells it with.
#define DECLARE_CLASSNAME(Name) \
    QString ClassName() const override { return QStringLiteral(#Name); }

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    virtual QString ClassName() const { return QStringLiteral("TObject"); }
    // Runs once the most-derived constructor has finished (see Create<T>).
    virtual void AfterConstruction() {}
    // Runs before any destructor (see Free).
    virtual void BeforeDestruction() {}
};

template <class T, class... Args>
T* Create(Args&&... args)
{
    T* obj = new T(std::forward<Args>(args)...);
    obj->AfterConstruction();
    return obj;
}

// Destroys an object the platform way: BeforeDestruction, then delete. A
// component is marked csDestroying (with everything it owns) first, so the
// hook sees that state wherever an override calls its base.
void Free(TObject* obj);

// Frees obj once control is back in the event loop that was running when
// this was called: never inside the handler that asks for it, not even
// when that handler runs a nested loop (a modal window, ProcessMessages).
// Asking twice frees once; a component destroyed by other means before
// then is forgotten. An exception from the destruction is logged, never
// thrown into the event loop.
void DeferredFree(TObject* obj);

template <class T>
void FreeAndNil(T*& obj)
{
    T* tmp = obj;
    obj = nullptr;
    Free(tmp);
}

class TPersistent : public TObject {
public:
    DECLARE_CLASSNAME(TPersistent)
    // Copies Source into this object; the base asks Source to AssignTo this,
    // and raises EConvertError when neither side knows the other (or Source
    // is nil).
    virtual void Assign(TPersistent* Source);
    virtual TPersistent* GetOwner() { return nullptr; }
    // The published properties of the object's class in declaration order
    // (see Persistence.h); nil for a class that publishes none.
    virtual const TPropertyList* PropertyList() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
};

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
    csAncestor = 1u << 5,
    csUpdating = 1u << 6,
    csFixups = 1u << 7,
    csFreeNotification = 1u << 8,
    // The destructors have begun: see the note at the top.
    csDestructing = 1u << 9,
};
using TComponentState = unsigned;

class TComponent : public TPersistent {
    friend void Free(TObject* obj);

public:
    DECLARE_CLASSNAME(TComponent)
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const QString& Name() const { return FName; }
    virtual void SetName(const QString& v) { FName = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }

    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int i) const { return FComponents.at(size_t(i)); }
    TComponent* FindComponent(const QString& name) const;

    TComponentState ComponentState() const { return FComponentState; }
    bool HasState(TComponentStateFlag f) const { return (FComponentState & f) != 0; }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Ask to be told (Notification opRemove) when AComponent goes away.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Form-loading emulation: BeginLoading sets csLoading on this component
    // and on everything it owns (a component made while its owner loads
    // joins the loading, as the form reader's components do); EndLoading calls Loaded() once for each of
    // them that is loading (owned first, then this one), and the state is
    // clear afterwards even when an override does not call the base.
    void BeginLoading();
    void EndLoading();

    void BeforeDestruction() override;
    // Sets csDestroying on this component and everything it owns.
    void Destroying();
    // Frees owned components (each through Free); called by the destructor.
    void DestroyComponents();

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void Loaded();
    void SetComponentState(TComponentState s) { FComponentState = s; }
    void Include(TComponentStateFlag f) { FComponentState |= f; }
    void Exclude(TComponentStateFlag f) { FComponentState &= ~unsigned(f); }

private:
    void Insert(TComponent* c);
    void Remove(TComponent* c);

    TComponent* FOwner = nullptr;
    QString FName;
    int FTag = 0;
    TComponentState FComponentState = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// ---- the class registry -------------------------------------------------
// Streamed components are made by class name: a name-to-factory table.

using TComponentFactory = std::function<TComponent*(TComponent* AOwner)>;

DECLARE_EXCEPTION(EFilerError, Exception)

// Raises EFilerError when the name is registered already (the first
// registration stays).
void RegisterClass(const QString& Name, TComponentFactory Factory);
// The factory of a name (exact case); empty when none is registered.
TComponentFactory GetClass(const QString& Name);
// Forgets a name; nothing when it is not registered.
void UnRegisterClass(const QString& Name);
