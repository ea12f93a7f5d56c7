// Proportional scroll bars: thumb sizes from the share in view, positions
// on the 0 .. 127 scale, and the degenerate grids that leave the bars alone.

#include "AdvGridInputTestKit.h"

#include <gtest/gtest.h>

namespace {

struct Range {
    int Max, Page, Pos;
    friend bool operator==(const Range&, const Range&) = default;
};

Range Of(const TScrollInfo& i) { return Range{i.Max, i.Page, i.Pos}; }

void PrintTo(const Range& r, std::ostream* os) { *os << "(" << r.Max << "," << r.Page << "," << r.Pos << ")"; }

} // namespace

TEST(AdvGridScrollRange, VerticalThumbShowsTheShareInViewAndFollowsTheTopRow)
{
    // 1 fixed and 99 normal rows taking 20 pixels each, 400 pixels high:
    // (400 - 21) / 1981 of the rows in view.
    struct Case {
        int Top;
        Range Expected;
    };
    const Case cases[] = {{1, {157, 31, 0}}, {50, {157, 31, 79}}, {81, {157, 31, 127}}};
    InputFixture f(8, 100);
    TInputGrid* g = f.Grid;
    ASSERT_EQ(g->RowHeights(0), 20);
    ASSERT_EQ(g->GridLineWidth(), 1);
    EXPECT_EQ(Of(g->GetScrollInfo(SB_VERT)), (Range{127, 0, 0})) << "plain bars until switched on";
    g->SetScrollProportional(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Top);
        g->SetTopRow(c.Top);
        EXPECT_EQ(Of(g->GetScrollInfo(SB_VERT)), c.Expected);
    }
    // A resize recomputes the range at once.
    g->SetTopRow(1);
    g->SetBounds(0, 0, 640, 200);
    EXPECT_LT(g->GetScrollInfo(SB_VERT).Page, 29);
}

TEST(AdvGridScrollRange, HorizontalThumbKeepsItsPlaceWhenEverythingFits)
{
    InputFixture f(30, 10);
    TInputGrid* g = f.Grid;
    g->SetScrollProportional(true);
    g->SetLeftCol(1);
    g->UpdateHorzScrollRange();
    EXPECT_EQ(Of(g->GetScrollInfo(SB_HORZ)), (Range{184, 58, 0}));
    g->SetLeftCol(10);
    EXPECT_EQ(Of(g->GetScrollInfo(SB_HORZ)), (Range{184, 58, 60}));
}

TEST(AdvGridScrollRange, DegenerateGridsLeaveTheBarsAsTheyWere)
{
    struct Case {
        const char* Name;
        int Cols, Rows;
    };
    const Case cases[] = {
        {"one normal row", 30, 2},
        {"every row in view", 30, 5},
        {"every column in view", 3, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        InputFixture f(c.Cols, c.Rows);
        TInputGrid* g = f.Grid;
        const Range v = Of(g->GetScrollInfo(SB_VERT));
        g->SetScrollProportional(true);
        g->UpdateVertScrollRange();
        EXPECT_EQ(Of(g->GetScrollInfo(SB_VERT)), v);
        if (c.Cols == 3) {
            const Range h = Of(g->GetScrollInfo(SB_HORZ));
            g->UpdateHorzScrollRange();
            EXPECT_EQ(Of(g->GetScrollInfo(SB_HORZ)), h);
        }
    }
    // Zero-sized rows and columns divide by nothing.
    InputFixture f(4, 50);
    TInputGrid* g = f.Grid;
    g->SetGridLineWidth(0);
    for (int r = 1; r < g->RowCount(); ++r) g->SetRowHeights(r, 0);
    for (int c = 1; c < g->ColCount(); ++c) g->SetColWidths(c, 0);
    const Range v = Of(g->GetScrollInfo(SB_VERT)), h = Of(g->GetScrollInfo(SB_HORZ));
    g->SetScrollProportional(true);
    g->UpdateVertScrollRange();
    g->UpdateHorzScrollRange();
    EXPECT_EQ(Of(g->GetScrollInfo(SB_VERT)), v);
    EXPECT_EQ(Of(g->GetScrollInfo(SB_HORZ)), h);
}

TEST(AdvGridScrollRange, ZoomUpdatesTheRangeOnceItIsDone)
{
    InputFixture f(8, 100);
    TInputGrid* g = f.Grid;
    g->SetScrollProportional(true);
    g->SetTopRow(1);
    const int page = g->GetScrollInfo(SB_VERT).Page;
    g->Zoom(10);
    EXPECT_LT(g->GetScrollInfo(SB_VERT).Page, page) << "taller rows: a smaller share in view";
}
