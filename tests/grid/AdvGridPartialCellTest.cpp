// A press on the partly shown row below the visible ones: the platform
// scrolls it into view unless NoScrollOnPartialRow keeps the top row, and
// NoAutoRangeScroll ends the range drag such a press starts.

#include "AdvGridInputTestKit.h"

#include <gtest/gtest.h>

TEST(AdvGridPartialCell, APressOnThePartlyShownRowScrollsUnlessTheMouseActionsSayNo)
{
    struct Case {
        const char* What;
        bool NoScroll;
        bool NoRange;
        int TopRow;
        bool Selecting;
    };
    const Case cases[] = {
        {"plain: the row scrolls into view", false, false, 2, true},
        {"NoScrollOnPartialRow keeps the top row", true, false, 1, false},
        {"NoAutoRangeScroll ends the range drag", false, true, 2, false},
    };
    for (const Case& c : cases) {
        InputFixture f(8, 40);
        TInputGrid* g = f.Grid;
        g->SetOptions(g->Options() + goRangeSelect);
        g->SetBounds(0, 0, 640, 410);  // 19 whole rows under the header, row 20 half shown
        QApplication::processEvents();
        g->MouseActions()->SetNoScrollOnPartialRow(c.NoScroll);
        g->MouseActions()->SetNoAutoRangeScroll(c.NoRange);
        ASSERT_EQ(g->TopRow(), 1);
        const TRect r = g->CellRect(2, 20);
        ASSERT_LT(r.Top, 410) << "row 20 is partly shown";
        f.Press(QPoint(r.Left + 10, r.Top + 4));
        EXPECT_EQ(g->TopRow(), c.TopRow) << c.What;
        EXPECT_EQ(g->GridState() == gsSelecting, c.Selecting) << c.What;
        f.Release(QPoint(r.Left + 10, r.Top + 4));
    }
}
