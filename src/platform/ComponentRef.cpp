#include "ComponentRef.h"

TComponentWatcher::~TComponentWatcher()
{
    if (FTarget) RemoveFreeNotification(FTarget);
}

void TComponentWatcher::Watch(TComponent* Target)
{
    if (Target == FTarget) return;
    if (FTarget) RemoveFreeNotification(FTarget);
    FTarget = Target;
    if (FTarget) FreeNotification(FTarget);
}

void TComponentWatcher::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent && AComponent == FTarget) {
        FTarget = nullptr;
        if (OnRemoved) OnRemoved();
    }
}
