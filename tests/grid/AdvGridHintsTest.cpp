// The balloon settings as the grid creates them, and the hidden window of
// its HTML hints.

#include "AdvGridHints.h"
#include "HoldersTestKit.h"

#include <gtest/gtest.h>

TEST(BalloonSettings, ValuesAndAssign)
{
    TBalloonSettings b(nullptr);
    const std::vector<std::string> values = {
        HOLDER_VALUE(b, Init),         HOLDER_COLOR(b, BackgroundColor), HOLDER_COLOR(b, TextColor),
        HOLDER_VALUE(b, ReshowDelay),  HOLDER_VALUE(b, InitialDelay),    HOLDER_VALUE(b, AutoHideDelay),
        HOLDER_VALUE(b, Transparency), HOLDER_VALUE(b, Enable)};
    EXPECT_EQ(values, (std::vector<std::string>{"Init=false", "BackgroundColor=clNone", "TextColor=clNone",
                                                "ReshowDelay=-1", "InitialDelay=-1", "AutoHideDelay=-1",
                                                "Transparency=0", "Enable=false"}));
    EXPECT_FALSE(b.OnEnableChange);

    // Enable tells the grid; Assign copies all but Transparency, and Enable
    // without the event.
    int fired = 0;
    b.OnEnableChange = [&](TObject*) { ++fired; };
    b.SetEnable(true);
    b.SetTransparency(200);
    b.SetTextColor(clRed);
    b.SetInitialDelay(70);
    EXPECT_EQ(fired, 1);
    TBalloonSettings other(nullptr);
    int otherFired = 0;
    other.OnEnableChange = [&](TObject*) { ++otherFired; };
    EXPECT_NO_THROW(other.Assign(&b));
    EXPECT_TRUE(other.Enable());
    EXPECT_EQ(other.TextColor(), clRed);
    EXPECT_EQ(other.InitialDelay(), 70);
    EXPECT_EQ(other.Transparency(), 0);
    EXPECT_EQ(otherFired, 0);
    TBands foreign;
    EXPECT_THROW(b.Assign(&foreign), EConvertError);
    EXPECT_EQ(b.Transparency(), 200);
}

TEST(HTMLHintWindow, StartsHidden)
{
    THolderGridForm f;
    auto* hint = new THTMLHintWindow(f.Grid);
    EXPECT_EQ(hint->Owner(), f.Grid);
    EXPECT_FALSE(hint->Visible());
    EXPECT_EQ(hint->Parent(), nullptr);
}
