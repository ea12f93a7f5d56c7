// Print settings: fonts and title lines are held by content, and the
// fixed-cells switch for printed selections stays with its object.

#include "AdvGridPrint.h"

#include <gtest/gtest.h>

TEST(PrintSettings, FontsAndTitleLinesAreCopiesFixedCellsAlwaysStays)
{
    TPrintSettings src(nullptr), dst(nullptr);
    TFont font;
    font.SetName("Courier New");
    src.SetHeaderFont(&font);
    font.SetName("Arial");
    EXPECT_EQ(src.HeaderFont()->Name(), "Courier New");

    TStringList lines;
    lines.Add("Title");
    lines.Add("<b>second</b>");
    src.SetTitleLines(&lines);
    lines.Clear();
    EXPECT_EQ(src.TitleLines()->Count(), 2);

    src.SetFixedCellsAlways(true);
    dst.Assign(&src);
    EXPECT_FALSE(dst.FixedCellsAlways());
    EXPECT_EQ(dst.HeaderFont()->Name(), "Courier New");
    EXPECT_EQ(dst.TitleLines()->Text(), src.TitleLines()->Text());
    src.HeaderFont()->SetName("Arial");
    src.TitleLines()->Clear();
    EXPECT_EQ(dst.HeaderFont()->Name(), "Courier New");
    EXPECT_EQ(dst.TitleLines()->Count(), 2);
}
