// The scroll bar reports the user's steps to its parent as scroll messages;
// a parent that places the bar itself keeps that position.
#include "Forms.h"
#include "Messages.h"
#include "StdCtrls.h"

#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

// Answers every scroll message of its bar by moving the bar by Step instead.
class TStepParent : public TCustomControl {
public:
    explicit TStepParent(TComponent* AOwner) : TCustomControl(AOwner) {}
    TScrollBar* Bar = nullptr;
    int Step = 0;  // 0: the parent leaves the bar alone
    QList<int> Codes;

    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_VSCROLL && m.LParam == reinterpret_cast<intptr_t>(Bar)) {
            Codes << ScrollCodeOf(m.WParam);
            if (Step != 0) Bar->SetPosition(Bar->Position() + Step);
            return;
        }
        TCustomControl::WndProc(m);
    }
};

} // namespace

TEST(ScrollBar, TheParentsOwnPlacementOfTheBarStands)
{
    for (int step : {0, 25}) {
        TForm* form = Create<TForm>(nullptr);
        auto* parent = new TStepParent(form);
        parent->SetParent(form);
        parent->SetBounds(0, 0, 100, 200);
        auto* bar = new TScrollBar(form);
        bar->SetKind(sbVertical);
        bar->SetParent(parent);
        bar->SetBounds(0, 0, 17, 150);
        bar->SetParams(10, 0, 200);
        parent->Bar = bar;
        parent->Step = step;
        form->Show();
        auto* q = qobject_cast<QScrollBar*>(bar->Widget());
        ASSERT_NE(q, nullptr);
        q->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(parent->Codes, QList<int>{SB_LINEDOWN}) << step;
        const int want = step != 0 ? 10 + step : 10 + bar->SmallChange();
        EXPECT_EQ(bar->Position(), want) << step;
        EXPECT_EQ(q->value(), want) << step;
        Free(form);
    }
}
