#pragma once
// Actions and action links. An action holds the state that several
// controls share (caption, checked, enabled, image...) and what runs when
// one of them is used. A control takes part through an action link derived
// from TActionLink: the action tells every registered link about each
// change before it stores the new value, so a link can still compare its
// client with the old value (a control follows the action only while it
// shows what the action showed).

#include "Classes.h"

#include <vector>

class TCustomImageList;
class TBasicAction;

class TBasicActionLink : public TObject {
public:
    DECLARE_CLASSNAME(TBasicActionLink)
    TBasicActionLink() = default;
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return FAction; }
    // Registers with the new action (and leaves the old one).
    void SetAction(TBasicAction* Value);

    // Runs the action with AComponent as its ActionComponent meanwhile.
    virtual bool Execute(TComponent* AComponent = nullptr);
    virtual bool Update();
    virtual bool IsOnExecuteLinked() { return true; }

    // Told when the action changed (the action as sender).
    TNotifyEvent OnChange;

protected:
    friend class TBasicAction;
    // The action changed: fires OnChange.
    virtual void Change();

    TBasicAction* FAction = nullptr;
};

class TBasicAction : public TComponent {
public:
    DECLARE_CLASSNAME(TBasicAction)
    explicit TBasicAction(TComponent* AOwner = nullptr);
    ~TBasicAction() override;

    // Calls OnExecute; false when it is not assigned.
    virtual bool Execute();
    // Calls OnUpdate; false when it is not assigned.
    virtual bool Update();

    // The component that started the running Execute, nil otherwise.
    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* v) { FActionComponent = v; }

    void RegisterChanges(TBasicActionLink* Value);
    void UnRegisterChanges(TBasicActionLink* Value);
    int ClientCount() const { return int(FClients.size()); }
    TBasicActionLink* Clients(int i) const { return FClients.at(size_t(i)); }

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
    TNotifyEvent OnChange;

protected:
    // Fires OnChange, then tells each link.
    virtual void Change();

    std::vector<TBasicActionLink*> FClients;

private:
    TComponent* FActionComponent = nullptr;
};

class TCustomAction : public TBasicAction {
public:
    DECLARE_CLASSNAME(TCustomAction)
    explicit TCustomAction(TComponent* AOwner = nullptr);

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool Checked() const { return FChecked; }
    // Checking an action of a group (GroupIndex > 0) unchecks the other
    // actions of that group that have the same owner.
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // The image list ImageIndex refers to. The action does not own it; the
    // list must outlive the action or be reset here before it goes.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    // Updates the action, then runs it when it is enabled.
    bool Execute() override;

private:
    template <class T, class Notify>
    void ChangeValue(T& Field, const T& Value, Notify notify);

    QString FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    int FGroupIndex = 0;
    QString FHint;
    int FImageIndex = -1;
    TCustomImageList* FImages = nullptr;
    bool FVisible = true;
};

class TAction : public TCustomAction {
public:
    DECLARE_CLASSNAME(TAction)
    using TCustomAction::TCustomAction;
};

// The link a control derives its own from. The Is...Linked queries say
// whether the client follows that property (the base: whenever the action
// is a TCustomAction); the Set... operations pass a new value on to the
// client and do nothing here.
class TActionLink : public TBasicActionLink {
public:
    DECLARE_CLASSNAME(TActionLink)

    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsGroupIndexLinked();
    virtual bool IsHintLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsVisibleLinked();

    virtual void SetCaption(const QString&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetGroupIndex(int) {}
    virtual void SetHint(const QString&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetVisible(bool) {}

protected:
    TCustomAction* CustomAction() const;
};
