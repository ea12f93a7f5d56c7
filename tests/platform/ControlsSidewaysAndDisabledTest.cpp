// Two things the original platform does that Qt would not on its own: a
// sideways wheel never reaches the wheel handlers, and a disabled control
// shows grey text whatever its font colour.
#include "ControlsTestKit.h"
#include "StdCtrls.h"

#include <QPalette>
#include <gtest/gtest.h>

TEST(ControlsWheel, SidewaysWheelsReachNoWheelHandler)
{
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(10, 10, 200, 100);
    auto* c = new TLogControl(form);
    c->SetParent(form);
    c->SetBounds(0, 0, 100, 50);
    std::vector<int> deltas;
    c->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint, bool& h) {
        deltas.push_back(d);
        h = true;
    };
    Input::Wheel(c, QPoint(120, 0), QPoint(3, 3));
    Input::Wheel(c, QPoint(-120, 0), QPoint(3, 3));
    EXPECT_TRUE(deltas.empty());
    Input::Wheel(c, -120);
    // Qt reports a vertical wheel turned with Alt held as sideways.
    Input::Wheel(c, QPoint(120, 0), QPoint(3, 3), Qt::AltModifier);
    EXPECT_EQ(deltas, (std::vector<int>{-120, 120}));
    Free(form);
}

TEST(ControlsLook, DisabledControlsShowGreyTextWhateverTheirFontColour)
{
    TForm* form = Create<TForm>(nullptr);
    auto* e = new TEdit(form);
    e->SetParent(form);
    e->Font()->SetColor(clBlue);
    auto* box = new TCheckBox(form);
    box->SetParent(form);
    box->Font()->SetColor(clRed);
    for (TControl* c : {static_cast<TControl*>(e), static_cast<TControl*>(box)}) {
        c->SetEnabled(false);
        const QPalette pal = c->Widget()->palette();
        EXPECT_EQ(pal.color(QPalette::Active, QPalette::Text), ToQColor(c->Font()->Color()));
        EXPECT_EQ(pal.color(QPalette::Active, QPalette::WindowText), ToQColor(c->Font()->Color()));
        EXPECT_EQ(pal.color(QPalette::Disabled, QPalette::Text), ToQColor(clGrayText));
        EXPECT_EQ(pal.color(QPalette::Disabled, QPalette::WindowText), ToQColor(clGrayText));
    }
    Free(form);
}
