#include "Classes.h"

#include <algorithm>

void Abort()
{
    throw EAbort(QStringLiteral("Operation aborted"));
}

void Free(TObject* obj)
{
    if (!obj) return;
    obj->BeforeDestruction();
    delete obj;
}

void TPersistent::Assign(TPersistent* Source)
{
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    QString src = (Dest == this) ? QStringLiteral("nil") : ClassName();
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2")
                            .arg(src, Dest ? Dest->ClassName() : QStringLiteral("nil")));
}

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    // Reached without Free (a plain delete): still mark the state so
    // notifications see a component going away.
    FComponentState |= csDestroying;
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
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents) c->BeforeDestruction();
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
    for (size_t i = 0; i < FComponents.size(); ++i) FComponents[i]->Notification(AComponent, Operation);
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
    FComponentState &= ~unsigned(csReading);
    Loaded();
}

void TComponent::Loaded()
{
    FComponentState &= ~unsigned(csLoading);
}
