// The window set loads both theme tables before its first window and frees
// them after its last.
#include "ATXPVS.h"
#include "AdvXPVS.h"
#include "AppTestKit.h"

namespace {

TEST_F(AppWindowsFixture, ThemeTablesLiveAsLongAsTheWindows)
{
    Start();
    EXPECT_TRUE(AdvXPVS::ThemeLibraryLoaded());
    EXPECT_TRUE(ATXPVS::ThemeLibraryLoaded());
    EXPECT_TRUE(AdvXPVS::Theme.DrawThemeBackground);
    DestroyAppWindows();
    EXPECT_FALSE(AdvXPVS::ThemeLibraryLoaded());
    EXPECT_FALSE(ATXPVS::ThemeLibraryLoaded());
    EXPECT_FALSE(ATXPVS::Theme.OpenThemeData);
}

}  // namespace
