// The search footer's panel: a strip at the bottom of its parent that takes
// no room until the footer is shown.

#include "AdvGridSearchFooter.h"
#include "Forms.h"

#include <gtest/gtest.h>

TEST(SearchPanel, BottomStripWithoutRoomOrBorderUntilShown)
{
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    auto* panel = new TSearchPanel(form);
    panel->SetParent(form);
    EXPECT_EQ(panel->Owner(), form);
    EXPECT_EQ(panel->Align(), alBottom);
    EXPECT_EQ(panel->BorderWidth(), 0);
    EXPECT_EQ(panel->Height(), 0);
    EXPECT_EQ(panel->ColorTo(), clNone);
    EXPECT_EQ(panel->FindNextCaption(), "");
    EXPECT_EQ(panel->HintHighlight(), "");
    EXPECT_FALSE(panel->OnForwardClick || panel->OnBackwardClick || panel->OnEditChange || panel->OnExitClick ||
                 panel->OnHighlightClick);

    panel->SetHeight(30);
    const TRect client = form->ClientRect();
    EXPECT_EQ(panel->Top(), client.Bottom - 30);
    EXPECT_EQ(panel->Width(), client.Width());
    panel->SetColorTo(clBlue);
    EXPECT_EQ(panel->ColorTo(), clBlue);
    Free(form);
}
