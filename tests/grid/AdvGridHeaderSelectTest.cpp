// Selecting whole rows, columns or all cells with the headers, and dragging
// the selection on along the headers with the rows scrolling at the edges;
// driven by synthesized pointer events on a shown grid.

#include "AdvGridInputTestKit.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {

struct Sel {
    int L, T, R, B;
    friend bool operator==(const Sel&, const Sel&) = default;
};

Sel SelOf(const TAdvStringGrid* g)
{
    const TGridRect s = g->Selection();
    return Sel{s.Left, s.Top, s.Right, s.Bottom};
}

void PrintTo(const Sel& s, std::ostream* os) { *os << "(" << s.L << "," << s.T << "," << s.R << "," << s.B << ")"; }

// The pointer rests on the header first, as a user's pointer does, so that
// the grid knows what the press will select.
void HoverAndPress(const InputFixture& f, QPoint p)
{
    f.MoveTo(p, Qt::NoButton);
    f.Press(p);
}

} // namespace

TEST(AdvGridHeaderSelect, APressOnAHeaderSelectsWhatTheSettingsAllow)
{
    struct Case {
        const char* Name;
        bool RowSelect, ColSelect, AllSelect;
        int C, R;
        TMouseSelectMode Mode;
        Sel Expected;
    };
    const Case cases[] = {
        {"row header", true, false, false, 0, 4, msRow, {1, 4, 7, 4}},
        {"column header", false, true, false, 3, 0, msColumn, {3, 1, 3, 19}},
        {"corner", false, false, true, 0, 0, msAll, {1, 1, 7, 19}},
        {"row header, not allowed", false, true, true, 0, 4, msNormal, {1, 1, 1, 1}},
        {"column header, not allowed", true, false, true, 3, 0, msNormal, {1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetOptions(g->Options() + goRangeSelect);
        g->MouseActions()->SetRowSelect(c.RowSelect);
        g->MouseActions()->SetColSelect(c.ColSelect);
        g->MouseActions()->SetAllSelect(c.AllSelect);
        const QPoint p = f.At(c.C, c.R, 20);
        HoverAndPress(f, p);
        EXPECT_EQ(g->MouseSelectMode(), c.Mode) << c.Name;
        EXPECT_EQ(SelOf(g), c.Expected) << c.Name;
        f.Release(p);
        EXPECT_EQ(g->MouseSelectStart(), -1) << c.Name;
    }
}

TEST(AdvGridHeaderSelect, DraggingAlongTheRowHeadersSelectsWholeRowsBothWays)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goRangeSelect);
    g->MouseActions()->SetRowSelect(true);
    HoverAndPress(f, f.At(0, 5, 20));
    EXPECT_EQ(g->MouseSelectStart(), 5);
    EXPECT_EQ(g->ShownCursor(), TAdvStringGrid::GridCursor(8010));
    f.MoveTo(f.At(0, 8, 20));
    EXPECT_EQ(SelOf(g), (Sel{1, 5, 7, 8}));
    // Over the normal cells the rows still follow the pointer.
    f.MoveTo(f.At(4, 9, 20));
    EXPECT_EQ(SelOf(g), (Sel{1, 5, 7, 9}));
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("advgrid-headerselect-rows.png"));
    f.MoveTo(f.At(0, 2, 20));
    EXPECT_EQ(SelOf(g), (Sel{1, 2, 7, 5}));
    // The fixed row is never selected.
    f.MoveTo(f.At(0, 0, 20));
    EXPECT_EQ(SelOf(g), (Sel{1, 2, 7, 5}));
    f.Release(f.At(0, 0, 20));
    // After the release a move selects nothing more.
    f.MoveTo(f.At(0, 7, 20));
    EXPECT_EQ(SelOf(g), (Sel{1, 2, 7, 5}));
}

TEST(AdvGridHeaderSelect, TheRowHeaderDragScrollsOneRowPerMoveAtTheEdges)
{
    InputFixture f(8, 60);
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goRangeSelect);
    g->MouseActions()->SetRowSelect(true);
    HoverAndPress(f, f.At(0, 5, 20));
    const int x = f.At(0, 5, 20).x();
    const int bottom = g->ClientHeight();
    // 4 pixels above the bottom does not scroll; 3 does, once per move.
    f.MoveTo(QPoint(x, bottom - 4));
    EXPECT_EQ(g->TopRow(), 1);
    for (int i = 1; i <= 3; ++i) {
        f.MoveTo(QPoint(x, bottom - 3 + (i % 2)));
        EXPECT_EQ(g->TopRow(), 1 + i) << i;
    }
    const int top = g->TopRow();
    // Over the header row it scrolls back up, one row per move, down to the first normal row.
    for (int i = 1; i <= top + 2; ++i) {
        f.MoveTo(QPoint(x, 5 + (i % 2)));
        EXPECT_EQ(g->TopRow(), std::max(1, top - i)) << i;
    }
    f.Release(QPoint(x, 5));
}

TEST(AdvGridHeaderSelect, DraggingAlongTheColumnHeadersSelectsWholeColumns)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goRangeSelect);
    g->MouseActions()->SetColSelect(true);
    HoverAndPress(f, f.At(3, 0, 20));
    EXPECT_EQ(g->MouseSelectStart(), 3);
    f.MoveTo(f.At(6, 0, 20));
    EXPECT_EQ(SelOf(g), (Sel{3, 1, 6, 19}));
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("advgrid-headerselect-cols.png"));
    f.MoveTo(f.At(1, 0, 20));
    EXPECT_EQ(SelOf(g), (Sel{1, 1, 3, 19}));
    // The fixed column is never selected.
    f.MoveTo(f.At(0, 0, 20));
    EXPECT_EQ(SelOf(g), (Sel{1, 1, 3, 19}));
    f.Release(f.At(0, 0, 20));
}
