// The floating footer's settings as the grid creates them, and its panel.

#include "AdvGridFooter.h"
#include "HolderPanels.h"
#include "HolderValues.h"

#include <gtest/gtest.h>

TEST(FloatingFooter, ValuesAndAssign)
{
    TFloatingFooter ff(nullptr);
    const std::vector<std::string> values = {
        HOLDER_VALUE(ff, Height),      HOLDER_VALUE(ff, Visible),          HOLDER_COLOR(ff, Color),
        HOLDER_VALUE(ff, FooterStyle), HOLDER_VALUE(ff, Column),           HOLDER_VALUE(ff, CustomTemplate),
        HOLDER_VALUE(ff, CalculateHiddenRows), HOLDER_VALUE(ff, EnableCalculation), HOLDER_VALUE(ff, ShowHint),
        HOLDER_COLOR(ff, BorderColor)};
    EXPECT_EQ(values, (std::vector<std::string>{"Height=0", "Visible=false", "Color=clBtnFace", "FooterStyle=0",
                                                "Column=0", "CustomTemplate=\"\"", "CalculateHiddenRows=true",
                                                "EnableCalculation=true", "ShowHint=false",
                                                "BorderColor=clNone"}));
    EXPECT_FALSE(ff.OnCalcFooter);

    ff.SetFooterStyle(fsCustomPaint);
    TFloatingFooter other(nullptr);
    EXPECT_NO_THROW(other.Assign(&ff));
    EXPECT_EQ(other.FooterStyle(), fsCustomPaint);
    TBands foreign;
    EXPECT_THROW(other.Assign(&foreign), EConvertError);
}

TEST(FooterPanel, BottomStripWithoutRoomOrBorder)
{
    ExpectBottomStrip([](TComponent* owner) { return new TFooterPanel(owner); });
    TFooterPanel panel(nullptr);
    EXPECT_EQ(panel.LastHintX(), -1);
}
