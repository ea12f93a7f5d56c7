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

// A bar that was never shown pictures itself, with its thumb where its
// position puts it, inside its own size at the given corner only.
TEST(ScrollBar, PaintsItselfIntoACanvasAtTheGivenCorner)
{
    TForm* form = Create<TForm>(nullptr);
    auto* bar = new TScrollBar(form);
    bar->SetKind(sbVertical);
    bar->SetBounds(0, 0, 17, 120);
    bar->SetParams(0, 0, 200);
    bar->SetPageSize(20);
    bar->SetVisible(false);
    const QColor paper(255, 0, 255);
    auto picture = [&](int pos) {
        bar->SetPosition(pos);
        QImage img(60, 160, QImage::Format_RGB32);
        img.fill(paper);
        TCanvas c;
        c.BindImage(&img);
        bar->PaintTo(&c, 30, 20);
        c.Flush();
        c.Unbind();
        return img;
    };
    const QImage top = picture(0), bottom = picture(181);
    const QRect place(30, 20, 17, 120);
    int outside = 0, painted = 0, moved = 0;
    for (int y = 0; y < top.height(); ++y)
        for (int x = 0; x < top.width(); ++x) {
            const bool in = place.contains(x, y);
            if (!in && top.pixelColor(x, y) != paper) ++outside;
            if (in && top.pixelColor(x, y) != paper) ++painted;
            if (top.pixel(x, y) != bottom.pixel(x, y)) ++moved;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(painted, place.width() * place.height()) << "the bar covers its whole place";
    EXPECT_GT(moved, 0) << "the thumb follows the position";
    // Nothing to paint into, or no size: nothing happens.
    bar->PaintTo(nullptr, 0, 0);
    bar->SetBounds(0, 0, 0, 120);
    EXPECT_EQ(picture(0).pixelColor(35, 50), paper);
    Free(form);
}
