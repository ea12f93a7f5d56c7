// The beep hook and the OS profile.
#include "Beep.h"
#include "Fakes.h"
#include "OsProfile.h"
#include "Services.h"

#include <gtest/gtest.h>

TEST(Beep, RingsThroughTheInstalledHookOnly)
{
    TCountingBeepHook counter;
    ScopedService g(&PlatformServices::BeepHook, counter);
    EXPECT_EQ(counter.Count(), 0);
    MessageBeep(0);
    MessageBeep(0x30);
    EXPECT_EQ(counter.Count(), 2);
    EXPECT_EQ(counter.LastType(), 0x30u);
    {
        // No hook: silent, and no earlier hook hears it.
        ScopedService none(&PlatformServices::BeepHook, std::function<void(unsigned)>());
        MessageBeep(0x10);
    }
    EXPECT_EQ(counter.Count(), 2);
    MessageBeep(0x40);
    EXPECT_EQ(counter.Count(), 3);
    EXPECT_EQ(counter.LastType(), 0x40u);
}

TEST(OsProfile, Defaults)
{
    const OsProfile p;
    EXPECT_TRUE(p.NTFamily);
    EXPECT_EQ(p.MajorVersion, 6);
    EXPECT_EQ(p.MinorVersion, 1);
    EXPECT_TRUE(p.IsWinXPOrLater());
    EXPECT_TRUE(p.IsVistaOrLater());
    EXPECT_TRUE(p.IsWin7OrLater());
    EXPECT_TRUE(p.IsComCtl6OrLater());
    EXPECT_TRUE(p.VisualStylesPresent);
    EXPECT_TRUE(p.VisualStylesActive);
    EXPECT_EQ(p.ThemeColorScheme, QString());
    EXPECT_EQ(p.AppStyleName, QStringLiteral("Windows"));
    EXPECT_FALSE(p.RightToLeftLocale);
    EXPECT_FALSE(p.IsLibrary);
    EXPECT_FALSE(p.FlatScrollBarsPresent);
    EXPECT_EQ(p.ScreenDpi, 96);
    EXPECT_EQ(p.EdgeMetric, 2);
}

TEST(OsProfile, VersionTests)
{
    const struct {
        int Major, Minor;
        bool Xp, Vista, Win7;
    } cases[] = {
        {5, 0, false, false, false},
        {5, 1, true, false, false},
        {6, 0, true, true, false},
        {6, 1, true, true, true},
        {10, 0, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Major << "." << c.Minor);
        OsProfile p;
        p.MajorVersion = c.Major;
        p.MinorVersion = c.Minor;
        EXPECT_EQ(p.IsWinXPOrLater(), c.Xp);
        EXPECT_EQ(p.IsVistaOrLater(), c.Vista);
        EXPECT_EQ(p.IsWin7OrLater(), c.Win7);
    }
}

TEST(OsProfile, FileVersionAndScopedOverride)
{
    EXPECT_EQ(GetFileVersionMS(QStringLiteral("comctl32.dll")), 6 * 65536 + 10);
    EXPECT_EQ(GetFileVersionMS(QStringLiteral("COMCTL32.DLL")), 6 * 65536 + 10);
    EXPECT_EQ(GetFileVersionMS(QStringLiteral("uxtheme.dll")), -1);
    EXPECT_EQ(GetFileVersionMS(QString()), -1);
    {
        auto old = std::make_shared<OsProfile>();
        old->MajorVersion = 5;
        old->MinorVersion = 0;
        old->ComCtlMajor = 4;
        old->ComCtlMinor = 70;
        ScopedService g(&PlatformServices::Profile, std::shared_ptr<const OsProfile>(old));
        EXPECT_FALSE(GetOsProfile().IsWinXPOrLater());
        EXPECT_FALSE(GetOsProfile().IsComCtl6OrLater());
        EXPECT_EQ(GetFileVersionMS(QStringLiteral("comctl32.dll")), (4 << 16) | 70);
    }
    EXPECT_TRUE(GetOsProfile().IsWin7OrLater());
    EXPECT_EQ(GetFileVersionMS(QStringLiteral("comctl32.dll")), 6 * 65536 + 10);
}

TEST(OsProfile, ProductionProfileTakesTheMetricsFromQt)
{
    const OsProfile p = MakeProductionOsProfile();
    EXPECT_GT(p.WheelScrollLines, 0);
    EXPECT_GT(p.ScrollBarExtent, 0);
    EXPECT_EQ(p.MajorVersion, 6);
}
