#include "Classes.h"

#include <map>

#include <QCoreApplication>
#include <QObject>
#include <QtGlobal>
#include <algorithm>
#include <unordered_set>

namespace {

const char* const SAssignError = "Cannot assign a %1 to a %2";

}  // namespace

void Abort()
{
    throw EAbort(QStringLiteral("Operation aborted"));
}

void Free(TObject* obj)
{
    if (!obj) return;
    auto* c = dynamic_cast<TComponent*>(obj);
    if (c) c->Destroying();
    obj->BeforeDestruction();
    if (c) c->Include(csDestructing);
    delete obj;
}

// --- deferred free ----------------------------------------------------------
// Each request is a QObject whose deferred deletion frees the object: Qt
// delivers a deferred delete only once the loop that was running when it was
// posted has the control again, which is the rule we need. A component's
// request also watches it, so that a component freed by its owner meanwhile
// is not freed a second time.

namespace {

class TDeferredFree;

std::unordered_set<TObject*>& PendingFrees()
{
    static std::unordered_set<TObject*> pending;
    return pending;
}

class TDeferredWatch : public TComponent {
public:
    explicit TDeferredWatch(TDeferredFree* r) : FRequest(r) {}

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TDeferredFree* FRequest;
};

class TDeferredFree : public QObject {
public:
    explicit TDeferredFree(TObject* obj) : FObject(obj), FWatch(this)
    {
        PendingFrees().insert(obj);
        if (auto* c = dynamic_cast<TComponent*>(obj)) c->FreeNotification(&FWatch);
    }
    ~TDeferredFree() override
    {
        TObject* obj = FObject;
        if (!obj) return;
        Forget();
        if (auto* c = dynamic_cast<TComponent*>(obj)) c->RemoveFreeNotification(&FWatch);
        try {
            Free(obj);
        } catch (const std::exception& e) {
            qWarning("Deferred free of an object failed: %s", e.what());
        } catch (...) {
            qWarning("Deferred free of an object failed");
        }
    }
    void Forget()
    {
        PendingFrees().erase(FObject);
        FObject = nullptr;
    }
    TObject* Object() const { return FObject; }

private:
    TObject* FObject;
    TDeferredWatch FWatch;
};

void TDeferredWatch::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FRequest->Object()) FRequest->Forget();
}

}  // namespace

void DeferredFree(TObject* obj)
{
    if (!obj || PendingFrees().count(obj)) return;
    auto* request = new TDeferredFree(obj);
    request->deleteLater();
}

// --- TPersistent ------------------------------------------------------------

void TPersistent::Assign(TPersistent* Source)
{
    if (!Source) AssignError(nullptr);
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    if (Dest) Dest->AssignError(this);
    AssignError(nullptr);
}

void TPersistent::AssignError(TPersistent* Source)
{
    throw EConvertError(QString::fromLatin1(SAssignError)
                            .arg(Source ? Source->ClassName() : QStringLiteral("nil"), ClassName()));
}

TComponent::TComponent(TComponent* AOwner)
{
    if (!AOwner) return;
    if (AOwner->HasState(csLoading)) FComponentState |= csLoading | csReading;
    AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    // Reached without Free (a plain delete): still mark the state so
    // notifications see a component going away.
    Destroying();
    Include(csDestructing);
    // Tell everyone who asked that we are going away.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& theirs = c->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        c->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::BeforeDestruction()
{
    Destroying();
}

void TComponent::Destroying()
{
    if (FComponentState & csDestroying) return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        Remove(c);
        Free(c);
    }
}

TComponent* TComponent::FindComponent(const QString& name) const
{
    if (name.isEmpty()) return nullptr;
    for (TComponent* c : FComponents)
        if (c->FName.compare(name, Qt::CaseInsensitive) == 0) return c;
    return nullptr;
}

void TComponent::Insert(TComponent* c)
{
    FComponents.push_back(c);
    c->FOwner = this;
}

void TComponent::Remove(TComponent* c)
{
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), c), FComponents.end());
    c->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent) return;
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->FOwner != this) return;
    Notification(AComponent, TOperation::opRemove);
    Remove(AComponent);
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    auto& theirs = AComponent->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent) return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent),
                        FFreeNotifies.end());
    auto& theirs = AComponent->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == TOperation::opRemove && AComponent) RemoveFreeNotification(AComponent);
    // From the last one down: a component may take itself (or others) out
    // of the list while it is told.
    for (size_t i = FComponents.size(); i > 0; --i)
        if (i <= FComponents.size()) FComponents[i - 1]->Notification(AComponent, Operation);
}

void TComponent::BeginLoading()
{
    FComponentState |= csLoading | csReading;
    for (TComponent* c : FComponents) c->BeginLoading();
}

void TComponent::EndLoading()
{
    std::vector<TComponent*> owned = FComponents;
    for (TComponent* c : owned) c->EndLoading();
    if (!(FComponentState & csLoading)) return;
    FComponentState &= ~unsigned(csReading);
    Loaded();
    FComponentState &= ~unsigned(csLoading);
}

void TComponent::Loaded()
{
    FComponentState &= ~unsigned(csLoading);
}

// ---- the class registry -------------------------------------------------

namespace {

std::map<QString, TComponentFactory>& ClassRegistry()
{
    static std::map<QString, TComponentFactory> table;
    return table;
}

} // namespace

void RegisterClass(const QString& Name, TComponentFactory Factory)
{
    auto& table = ClassRegistry();
    if (table.count(Name)) throw EFilerError(QStringLiteral("A class named %1 already exists").arg(Name));
    table.emplace(Name, std::move(Factory));
}

TComponentFactory GetClass(const QString& Name)
{
    auto& table = ClassRegistry();
    auto it = table.find(Name);
    return it == table.end() ? TComponentFactory() : it->second;
}

void UnRegisterClass(const QString& Name) { ClassRegistry().erase(Name); }
