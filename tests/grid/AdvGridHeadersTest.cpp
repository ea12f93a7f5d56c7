// The grid's units bring the panels, the spin editors and the buttons
// together with the platform grid: their shared names are declared once.

#include "AdvObjButton.h"
#include "Buttons.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "asgspin.h"

#include <gtest/gtest.h>
#include <type_traits>

TEST(AdvGridHeaders, SharedNamesMeetInOneUnit)
{
    static_assert(std::is_same_v<TEditAlign, TEditAlignment>);
    EXPECT_EQ(int(eaRight), 1);
    TButtonState s = bsDown;
    EXPECT_EQ(int(s), 2);
    const int codes[] = {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBPOSITION, SB_THUMBTRACK,
                         SB_TOP, SB_BOTTOM, SB_ENDSCROLL};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(codes[i], i);
    EXPECT_EQ(ScrollCodeOf(ScrollWParam(SB_THUMBTRACK, 300)), SB_THUMBTRACK);
    EXPECT_EQ(ScrollPosOf(ScrollWParam(SB_THUMBTRACK, 300)), 300);
}
