// The search footer's panel: a strip at the bottom of the grid that takes
// no room until the footer is shown.

#include "AdvGridSearchFooter.h"
#include "HolderPanels.h"

#include <gtest/gtest.h>

TEST(SearchPanel, BottomStripWithoutRoomOrBorderUntilShown)
{
    ExpectBottomStrip([](TComponent* owner) { return new TSearchPanel(owner); });

    TSearchPanel panel(nullptr);
    EXPECT_EQ(panel.ColorTo(), clNone);
    EXPECT_EQ(panel.FindNextCaption(), "");
    EXPECT_EQ(panel.HintHighlight(), "");
    EXPECT_FALSE(panel.OnForwardClick || panel.OnBackwardClick || panel.OnEditChange || panel.OnExitClick ||
                 panel.OnHighlightClick);
    panel.SetColorTo(clBlue);
    EXPECT_EQ(panel.ColorTo(), clBlue);
}
