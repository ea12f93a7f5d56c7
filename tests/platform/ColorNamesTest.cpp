#include "ColorNames.h"
#include "SysUtils.h"

#include <gtest/gtest.h>

TEST(ColorNames, BothWays)
{
    struct Case { TColor color; const char* text; } cases[] = {
        {clRed, "clRed"},         {clBtnFace, "clBtnFace"}, {clNone, "clNone"},
        {clDefault, "clDefault"}, {clGray, "clGray"},       {clSilver, "clSilver"},
        {clMoneyGreen, "clMoneyGreen"}, {clScrollBar, "clScrollBar"}, {clMenuBar, "clMenuBar"},
        {TColor(0xEACAB6), "$00EACAB6"}, {TColor(0xFF000040), "$FF000040"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ColorToString(c.color), QString::fromLatin1(c.text));
        EXPECT_EQ(StringToColor(QString::fromLatin1(c.text)), c.color);
    }
    EXPECT_EQ(ColorToString(0x0000FF), QStringLiteral("clRed"));
    EXPECT_EQ(StringToColor(QStringLiteral("$0000FF")), clRed);
    EXPECT_EQ(StringToColor(QStringLiteral("CLRED")), clRed);
    EXPECT_EQ(StringToColor(QStringLiteral("clDkGray")), clGray);
    EXPECT_EQ(StringToColor(QStringLiteral("255")), clRed);
    EXPECT_EQ(StringToColor(QStringLiteral("-16777201")), clBtnFace);
    for (const char* bad : {"clPink", "", "$", "$GG000000", "$+0000000", "red"})
        EXPECT_THROW(StringToColor(QString::fromLatin1(bad)), EConvertError) << bad;
}
