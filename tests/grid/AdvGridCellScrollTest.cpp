// The scroll bar inside cells: the cell object with its position, page and
// range, the bar that follows the pointer into such a cell, and its steps
// that scroll the cell and not the grid.

#include "AdvGridInputTestKit.h"
#include "Messages.h"
#include "StdCtrls.h"
#include "TestHarness.h"

#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

struct ScrollFixture : InputFixture {
    ScrollFixture()
    {
        Grid->AddScrollBar(2, 3, false);
        Grid->SetScrollProp(2, 3, TScrollProp{20, 200});
        Grid->SetScrollPosition(2, 3, 50);
        Grid->OnScrollCell = [this](TObject*, int c, int r, int pos, int mn, int mx) {
            Events << QStringLiteral("scroll %1,%2 %3 %4..%5").arg(c).arg(r).arg(pos).arg(mn).arg(mx);
        };
    }
    TScrollBar* Bar() const { return Grid->ScrollBarControl(); }
    QStringList Events;
};

} // namespace

TEST(AdvGridCellScroll, TheCellObjectKeepsPositionPageAndRange)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    EXPECT_FALSE(g->HasScrollBar(2, 3));
    EXPECT_EQ(g->GetScrollPosition(2, 3), -1);
    EXPECT_EQ(g->GetScrollProp(2, 3).PageSize, -1);
    EXPECT_EQ(g->GetScrollProp(2, 3).Range, -1);
    g->AddScrollBar(2, 3, false);
    EXPECT_TRUE(g->HasScrollBar(2, 3));
    EXPECT_EQ(g->GetScrollPosition(2, 3), 0);
    EXPECT_EQ(g->GetScrollProp(2, 3).PageSize, 0);
    EXPECT_EQ(g->GetScrollProp(2, 3).Range, 100);
    g->RemoveScrollBar(2, 3);
    EXPECT_FALSE(g->HasScrollBar(2, 3));
    // Out of the grid: nothing, and no crash.
    EXPECT_FALSE(g->HasScrollBar(-1, 3));
    EXPECT_EQ(g->GetScrollPosition(2, 999), -1);
}

TEST(AdvGridCellScroll, TheBarFollowsThePointerIntoCellsWithMoreTextThanRoom)
{
    ScrollFixture f;
    TInputGrid* g = f.Grid;
    f.MoveTo(f.At(2, 3, 5), Qt::NoButton);
    ASSERT_TRUE(f.Bar()->Visible());
    const TRect r = g->CellRect(2, 3);
    const int lw = g->GridLineWidth();
    EXPECT_EQ(f.Bar()->Left(), r.Right - 17 - lw);
    EXPECT_EQ(f.Bar()->Top(), r.Top + lw);
    EXPECT_EQ(f.Bar()->Width(), 17);
    EXPECT_EQ(f.Bar()->Height(), r.Height() - 2 * lw);
    EXPECT_EQ(f.Bar()->Position(), 50);
    EXPECT_EQ(f.Bar()->Max(), 200);
    EXPECT_EQ(f.Bar()->PageSize(), 20);
    EXPECT_EQ(g->ScrollBarCell(), TPoint(2, 3));
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("advgrid-cellscroll.png"));

    f.MoveTo(f.At(4, 3, 5), Qt::NoButton);
    EXPECT_FALSE(f.Bar()->Visible());
    EXPECT_EQ(g->ScrollBarCell(), TPoint(-1, -1));

    // A page that shows the whole range needs no bar.
    g->SetScrollProp(2, 3, TScrollProp{200, 100});
    f.MoveTo(f.At(2, 3, 5), Qt::NoButton);
    EXPECT_FALSE(f.Bar()->Visible());
}

TEST(AdvGridCellScroll, ScrollStepsMoveTheCellByTenAndAHundredAndNeverTheGrid)
{
    struct Case {
        int Code, Thumb, From, To;
    };
    // The last position the thumb can take is 200 - 20 + 1.
    const Case cases[] = {
        {SB_LINEUP, 0, 50, 40},      {SB_LINEDOWN, 0, 50, 60},     {SB_PAGEUP, 0, 150, 50},
        {SB_PAGEUP, 0, 50, 0},       {SB_PAGEDOWN, 0, 50, 150},    {SB_PAGEDOWN, 0, 150, 181},
        {SB_THUMBTRACK, 77, 50, 77}, {SB_LINEUP, 0, 0, 0},         {SB_ENDSCROLL, 0, 50, 50},
    };
    for (const Case& c : cases) {
        ScrollFixture f;
        TInputGrid* g = f.Grid;
        g->SetScrollPosition(2, 3, c.From);
        f.MoveTo(f.At(2, 3, 5), Qt::NoButton);
        const int top = g->TopRow();
        const intptr_t result =
            g->Perform(WM_VSCROLL, ScrollWParam(c.Code, c.Thumb), reinterpret_cast<intptr_t>(f.Bar()));
        EXPECT_EQ(g->GetScrollPosition(2, 3), c.To) << c.Code << " from " << c.From;
        EXPECT_EQ(f.Bar()->Position(), c.To) << c.Code;
        EXPECT_EQ(result, c.To != c.From ? 1 : 0) << c.Code;
        const QStringList want = c.To != c.From ? QStringList{QStringLiteral("scroll 2,3 %1 0..200").arg(c.To)}
                                                : QStringList{};
        EXPECT_EQ(f.Events, want) << c.Code;
        EXPECT_EQ(g->TopRow(), top);
    }
}

TEST(AdvGridCellScroll, TheBarsOwnArrowScrollsTheCellAndKeepsItsPosition)
{
    ScrollFixture f;
    f.MoveTo(f.At(2, 3, 5), Qt::NoButton);
    auto* bar = qobject_cast<QScrollBar*>(f.Bar()->Widget());
    ASSERT_NE(bar, nullptr);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(f.Grid->GetScrollPosition(2, 3), 60);
    EXPECT_EQ(f.Bar()->Position(), 60);
    EXPECT_EQ(bar->value(), 60);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(f.Grid->GetScrollPosition(2, 3), 160);
    EXPECT_EQ(f.Bar()->Position(), 160);
    EXPECT_EQ(bar->value(), 160);
    EXPECT_EQ(f.Events, (QStringList{"scroll 2,3 60 0..200", "scroll 2,3 160 0..200"}));
}
