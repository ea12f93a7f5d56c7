#include "Actions.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// What a control shows, and the link a control would derive: it follows
// the action's caption only while it shows what the action shows.
struct TFakeControl {
    QString Caption;
    bool Enabled = true;
    bool Checked = false;
    int ImageIndex = -1;
    bool Visible = true;
    QString Hint;
    int GroupIndex = 0;
};

class TFakeControlLink : public TActionLink {
public:
    explicit TFakeControlLink(TFakeControl* client) : FClient(client) {}
    int Changes = 0;

    bool IsCaptionLinked() override
    {
        return TActionLink::IsCaptionLinked() && FClient->Caption == CustomAction()->Caption();
    }
    void SetCaption(const QString& v) override
    {
        if (IsCaptionLinked()) FClient->Caption = v;
    }
    void SetEnabled(bool v) override
    {
        if (IsEnabledLinked()) FClient->Enabled = v;
    }
    void SetChecked(bool v) override
    {
        if (IsCheckedLinked()) FClient->Checked = v;
    }
    void SetImageIndex(int v) override
    {
        if (IsImageIndexLinked()) FClient->ImageIndex = v;
    }
    void SetVisible(bool v) override
    {
        if (IsVisibleLinked()) FClient->Visible = v;
    }
    void SetHint(const QString& v) override
    {
        if (IsHintLinked()) FClient->Hint = v;
    }
    void SetGroupIndex(int v) override
    {
        if (IsGroupIndexLinked()) FClient->GroupIndex = v;
    }

protected:
    void Change() override
    {
        ++Changes;
        TActionLink::Change();
    }

private:
    TFakeControl* FClient;
};

}  // namespace

TEST(Action, ChangesReachLinkedControls)
{
    TAction action;
    TFakeControl c1, c2;
    TFakeControlLink l1(&c1), l2(&c2);
    l1.SetAction(&action);
    l2.SetAction(&action);
    EXPECT_EQ(action.ClientCount(), 2);
    TObject* changedSender = nullptr;
    l1.OnChange = [&](TObject* s) { changedSender = s; };

    action.SetCaption(QStringLiteral("Open"));
    action.SetEnabled(false);
    action.SetChecked(true);
    action.SetImageIndex(3);
    action.SetVisible(false);
    action.SetHint(QStringLiteral("Opens a file"));
    action.SetGroupIndex(2);
    for (const TFakeControl* c : {&c1, &c2}) {
        EXPECT_EQ(c->Caption, QStringLiteral("Open"));
        EXPECT_FALSE(c->Enabled);
        EXPECT_TRUE(c->Checked);
        EXPECT_EQ(c->ImageIndex, 3);
        EXPECT_FALSE(c->Visible);
        EXPECT_EQ(c->Hint, QStringLiteral("Opens a file"));
        EXPECT_EQ(c->GroupIndex, 2);
    }
    EXPECT_EQ(l1.Changes, 7);
    EXPECT_EQ(changedSender, &action);

    // Writing the same value again tells nobody.
    action.SetCaption(QStringLiteral("Open"));
    EXPECT_EQ(l1.Changes, 7);

    // A control whose own caption differs no longer follows the action:
    // the links compare against the caption the action still holds.
    c2.Caption = QStringLiteral("Mine");
    action.SetCaption(QStringLiteral("Load"));
    EXPECT_EQ(c1.Caption, QStringLiteral("Load"));
    EXPECT_EQ(c2.Caption, QStringLiteral("Mine"));

    // Unlinked controls hear nothing.
    l2.SetAction(nullptr);
    EXPECT_EQ(action.ClientCount(), 1);
    action.SetEnabled(true);
    EXPECT_TRUE(c1.Enabled);
    EXPECT_FALSE(c2.Enabled);
}

TEST(Action, ExecuteThroughALink)
{
    TAction action;
    TComponent button;
    TFakeControl c;
    TFakeControlLink link(&c);
    link.SetAction(&action);

    EXPECT_FALSE(link.Execute(&button));  // no OnExecute
    TComponent* seenComponent = nullptr;
    int runs = 0;
    action.OnExecute = [&](TObject* s) {
        EXPECT_EQ(s, &action);
        seenComponent = action.ActionComponent();
        ++runs;
    };
    int updates = 0;
    action.OnUpdate = [&](TObject*) { ++updates; };
    EXPECT_TRUE(link.Execute(&button));
    EXPECT_EQ(seenComponent, &button);
    EXPECT_EQ(action.ActionComponent(), nullptr);
    EXPECT_EQ(updates, 1);

    // OnUpdate may disable the action; a disabled action does not run.
    action.OnUpdate = [&](TObject*) { action.SetEnabled(false); };
    EXPECT_FALSE(action.Execute());
    EXPECT_EQ(runs, 1);
}

TEST(Action, LinksAndActionsMayGoInEitherOrder)
{
    TFakeControl c;
    auto link = std::make_unique<TFakeControlLink>(&c);
    auto* action = new TAction();
    link->SetAction(action);
    Free(action);
    EXPECT_EQ(link->Action(), nullptr);
    EXPECT_FALSE(link->Execute());

    action = new TAction();
    link->SetAction(action);
    link.reset();
    EXPECT_EQ(action->ClientCount(), 0);
    action->SetCaption(QStringLiteral("x"));  // tells nobody, touches nothing freed
    Free(action);
}

TEST(Action, CheckingAGroupMemberUnchecksTheOthers)
{
    TComponent form;
    auto* a = new TAction(&form);
    auto* b = new TAction(&form);
    auto* other = new TAction(&form);
    for (TAction* x : {a, b}) x->SetGroupIndex(1);
    other->SetChecked(true);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());  // group 0: no group
}
