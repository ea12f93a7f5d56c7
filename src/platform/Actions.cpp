#include "Actions.h"

#include <algorithm>

// --- TBasicActionLink -------------------------------------------------------

TBasicActionLink::~TBasicActionLink()
{
    if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value)
{
    if (Value == FAction) return;
    if (FAction) FAction->UnRegisterChanges(this);
    if (Value) Value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent)
{
    if (!FAction) return false;
    FAction->SetActionComponent(AComponent);
    struct Reset {
        TBasicActionLink* link;
        ~Reset()
        {
            // The action may have gone while it ran.
            if (link->FAction) link->FAction->SetActionComponent(nullptr);
        }
    } reset{this};
    return FAction->Execute();
}

bool TBasicActionLink::Update()
{
    return FAction && FAction->Update();
}

void TBasicActionLink::Change()
{
    if (OnChange) OnChange(FAction);
}

// --- TBasicAction -----------------------------------------------------------

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction()
{
    while (!FClients.empty()) UnRegisterChanges(FClients.back());
}

bool TBasicAction::Execute()
{
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value)
{
    if (!Value) return;
    if (Value->FAction && Value->FAction != this) Value->FAction->UnRegisterChanges(Value);
    Value->FAction = this;
    if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) FClients.push_back(Value);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value)
{
    auto it = std::find(FClients.begin(), FClients.end(), Value);
    if (it == FClients.end()) return;
    FClients.erase(it);
    Value->FAction = nullptr;
}

void TBasicAction::Change()
{
    if (OnChange) OnChange(this);
    // A link may leave the action while it is told: walk a copy and skip
    // whoever has left.
    std::vector<TBasicActionLink*> clients = FClients;
    for (TBasicActionLink* link : clients)
        if (link->FAction == this) link->Change();
}

// --- TCustomAction ----------------------------------------------------------

TCustomAction::TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}

template <class T, class Notify>
void TCustomAction::ChangeValue(T& Field, const T& Value, Notify notify)
{
    if (Field == Value) return;
    // The links hear the new value while the action still holds the old one.
    std::vector<TBasicActionLink*> clients = FClients;
    for (TBasicActionLink* client : clients)
        if (auto* link = dynamic_cast<TActionLink*>(client); link && link->Action() == this)
            notify(link, Value);
    Field = Value;
    Change();
}

void TCustomAction::SetCaption(const QString& Value)
{
    ChangeValue(FCaption, Value, [](TActionLink* l, const QString& v) { l->SetCaption(v); });
}

void TCustomAction::SetChecked(bool Value)
{
    ChangeValue(FChecked, Value, [](TActionLink* l, bool v) { l->SetChecked(v); });
    if (!Value || FGroupIndex <= 0 || !Owner()) return;
    for (int i = 0; i < Owner()->ComponentCount(); ++i) {
        auto* other = dynamic_cast<TCustomAction*>(Owner()->Components(i));
        if (other && other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
    }
}

void TCustomAction::SetEnabled(bool Value)
{
    ChangeValue(FEnabled, Value, [](TActionLink* l, bool v) { l->SetEnabled(v); });
}

void TCustomAction::SetGroupIndex(int Value)
{
    ChangeValue(FGroupIndex, Value, [](TActionLink* l, int v) { l->SetGroupIndex(v); });
}

void TCustomAction::SetHint(const QString& Value)
{
    ChangeValue(FHint, Value, [](TActionLink* l, const QString& v) { l->SetHint(v); });
}

void TCustomAction::SetImageIndex(int Value)
{
    ChangeValue(FImageIndex, Value, [](TActionLink* l, int v) { l->SetImageIndex(v); });
}

void TCustomAction::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    FImages = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value)
{
    ChangeValue(FVisible, Value, [](TActionLink* l, bool v) { l->SetVisible(v); });
}

bool TCustomAction::Execute()
{
    Update();
    return FEnabled && TBasicAction::Execute();
}

// --- TActionLink ------------------------------------------------------------

TCustomAction* TActionLink::CustomAction() const
{
    return dynamic_cast<TCustomAction*>(FAction);
}

bool TActionLink::IsCaptionLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() { return CustomAction() != nullptr; }
