// HTML settings: the column widths are the object's own and stay with it.

#include "AdvGridHTML.h"

#include <gtest/gtest.h>

TEST(HTMLSettings, ColumnWidthsAreOwnedAndNotCopied)
{
    THTMLSettings src(nullptr), dst(nullptr);
    EXPECT_EQ(src.ColWidths()->Count(), 0);
    src.ColWidths()->Add(120);
    src.ColWidths()->Add(80);
    dst.ColWidths()->Add(5);
    src.SetExportImages(false);
    src.SetWidth(60);
    dst.Assign(&src);
    EXPECT_EQ(dst.Width(), 60);
    EXPECT_TRUE(dst.ExportImages());
    EXPECT_EQ(dst.ColWidths()->StrValue(), "5");
    EXPECT_NE(dst.ColWidths(), src.ColWidths());
}
