// Column stretch: the stretched column takes the client width the other
// columns leave, on demand and when the grid is resized.

#include "AdvGridInputTestKit.h"

#include <gtest/gtest.h>

TEST(AdvGridStretch, TheColumnTakesTheWidthTheOthersLeave)
{
    struct Case {
        const char* What;
        int OtherWidth;  // every column but the stretched one
        int Column;      // the stretch column, -1 the last
        int Expected;    // of the stretched column (8 columns, 640 pixels of client)
    };
    const Case cases[] = {
        {"the last column", 64, -1, 640 - 7 * 64 - 1},
        {"a middle column", 64, 2, 640 - 7 * 64 - 1},
        {"no room left: the default width", 100, -1, 64},
    };
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        for (int col = 0; col < g->ColCount(); ++col) g->SetColWidths(col, c.OtherWidth);
        g->ColumnSize()->SetStretchColumn(c.Column);
        g->ColumnSize()->SetStretch(true);
        const int col = c.Column < 0 ? g->ColCount() - 1 : c.Column;
        EXPECT_EQ(g->ColWidths(col), c.Expected) << c.What;
        g->StretchToClient(c.Column);
        EXPECT_EQ(g->ColWidths(col), c.Expected) << c.What << " (again)";
    }
}

TEST(AdvGridStretch, ResizeStretchesAgainAndABadIndexIsRefused)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->ColumnSize()->SetStretch(true);
    g->SetBounds(0, 0, 500, 400);
    QApplication::processEvents();
    EXPECT_EQ(g->ColWidths(7), 500 - 7 * 64 - 1);
    g->StretchRightColumn();
    EXPECT_EQ(g->ColWidths(7), 500 - 7 * 64 - 1);
    EXPECT_THROW(g->StretchToClient(8), EAdvGridError);
    g->ColumnSize()->SetStretch(false);
    g->SetBounds(0, 0, 640, 400);
    QApplication::processEvents();
    EXPECT_EQ(g->ColWidths(7), 500 - 7 * 64 - 1) << "without Stretch the width stays";
}
