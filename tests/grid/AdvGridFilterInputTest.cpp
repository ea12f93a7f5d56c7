// The filter list reached with the mouse: the glyph's zone, switching
// columns, and that a click on the glyph never sorts.

#include "AdvGridFilter.h"
#include "AdvGridInputTestKit.h"

#include <gtest/gtest.h>

namespace {

struct FilterInputFixture : InputFixture {
    FilterInputFixture() : InputFixture(5, 6)
    {
        for (int r = 1; r < 6; ++r) {
            Grid->SetCells(2, r, r % 2 ? "odd" : "even");
            Grid->SetCells(3, r, QString::number(r));
        }
        Grid->SetFilterDropDownAuto(true);
        Grid->SetFilterDropDownRow(0);
    }
};

} // namespace

TEST(AdvGridFilterInput, ReleaseOpensTheListOnlyInsideTheGlyphZone)
{
    struct Case {
        int FromRight, FromTop;
        bool Opens;
    };
    const Case cases[] = {
        {16, 5, false}, {15, 5, true}, {4, 5, true}, {3, 5, false}, {8, 18, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 from the right, %2 from the top").arg(c.FromRight).arg(c.FromTop).toStdString());
        FilterInputFixture f;
        ASSERT_GE(f.Grid->RowHeights(0), 19);
        const TRect cell = f.Grid->CellRect(2, 0);
        f.Click(QPoint(cell.Right - c.FromRight, cell.Top + c.FromTop));
        EXPECT_EQ(f.Grid->DropList()->Visible(), c.Opens);
        EXPECT_EQ(f.Grid->FilterColumn(), c.Opens ? 2 : -1);
    }
}

TEST(AdvGridFilterInput, GlyphOfAnotherColumnSwitchesAndNoGlyphClickSorts)
{
    FilterInputFixture f;
    TInputGrid* g = f.Grid;
    if (!g->SortSettings()) GTEST_SKIP() << "the sort settings are not built yet";
    g->SortSettings()->SetShow(true);
    const auto glyph = [&](int c) {
        const TRect r = g->CellRect(c, 0);
        return QPoint(r.Right - 8, r.Top + 5);
    };
    f.Click(glyph(2));
    ASSERT_EQ(g->FilterColumn(), 2);
    f.Click(glyph(3));
    EXPECT_EQ(g->FilterColumn(), 3);
    EXPECT_TRUE(g->DropList()->Visible());
    f.Click(glyph(3));
    EXPECT_EQ(g->FilterColumn(), -1);
    EXPECT_FALSE(g->Calls.contains("sort 2"));
    EXPECT_FALSE(g->Calls.contains("sort 3"));
    // Away from the glyph the same header sorts.
    f.Click(f.At(3, 0, 20));
    EXPECT_TRUE(g->Calls.contains("sort 3"));
}
