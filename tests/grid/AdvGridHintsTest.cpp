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

    // Writing only stores; Assign takes its own class and copies nothing yet.
    int fired = 0;
    b.OnEnableChange = [&](TObject*) { ++fired; };
    b.SetEnable(true);
    b.SetTransparency(200);
    EXPECT_EQ(fired, 0);
    TBalloonSettings other(nullptr);
    EXPECT_NO_THROW(other.Assign(&b));
    EXPECT_FALSE(other.Enable());
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
