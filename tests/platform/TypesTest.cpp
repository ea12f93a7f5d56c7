#include "Types.h"
#include "Classes.h"

#include <gtest/gtest.h>

TEST(Types, RectConversionKeepsPixels)
{
    TRect r(2, 3, 12, 8);
    QRect q = r.ToQRect();
    EXPECT_EQ(q.width(), 10);
    EXPECT_EQ(q.height(), 5);
    EXPECT_EQ(q.right(), 11);
    EXPECT_EQ(TRect::FromQRect(q), r);
    EXPECT_FALSE(r.Contains(TPoint(12, 3)));
    EXPECT_TRUE(r.Contains(TPoint(11, 7)));
}

TEST(Types, SystemColours)
{
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
    EXPECT_EQ(ColorToRGB(clBtnFace), SystemColorValue(15));
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(FromQColor(QColor(0, 0, 255)), clBlue);
}
