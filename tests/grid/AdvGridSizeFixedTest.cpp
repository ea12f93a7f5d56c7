// Sizing the fixed columns and rows by dragging their edges anywhere in the
// grid, with the sizing line, the events and the sizing hint window; driven
// by synthesized pointer events on a shown grid.

#include "AdvGridHints.h"
#include "AdvGridInputTestKit.h"
#include "Messages.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {

// A point in normal row r at client x.
QPoint InRow(const InputFixture& f, int x, int r)
{
    const TRect rc = f.Grid->CellRect(1, r);
    return QPoint(x, (rc.Top + rc.Bottom) / 2);
}

} // namespace

TEST(AdvGridSizeFixed, TheEdgeOfAFixedColumnIsFoundWithinTwoPixelsOnEitherSide)
{
    // Column 0 is 64 wide: its right edge lies at 64.
    struct Case {
        int X;
        bool Setting;
        bool Edge;
    };
    const Case cases[] = {{62, true, true},  {66, true, true},  {61, true, false},
                          {67, true, false}, {64, false, false}};
    for (const Case& c : cases) {
        InputFixture f;
        f.Grid->MouseActions()->SetSizeFixedCol(c.Setting);
        f.MoveTo(InRow(f, c.X, 5), Qt::NoButton);
        EXPECT_EQ(f.Grid->SizeFixedEdge(), c.Edge) << c.X;
        EXPECT_EQ(f.Grid->ShownCursor() == crHSplit, c.Edge) << c.X;
    }
}

TEST(AdvGridSizeFixed, DraggingAFixedColumnEdgeSizesItWithLineHintAndEvents)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->MouseActions()->SetSizeFixedCol(true);
    g->SetHintShowSizing(true);
    QStringList events;
    g->OnColumnSizing = [&](TObject*, int c, int w) { events << QStringLiteral("sizing %1 %2").arg(c).arg(w); };
    g->OnEndColumnSize = [&](TObject*, int c) { events << QStringLiteral("end %1").arg(c); };
    g->OnUpdateColumnSize = [&](TObject*, int c, int& w) {
        events << QStringLiteral("update %1 %2").arg(c).arg(w);
        w += 4;
    };
    g->OnClickCell = [&](TObject*, int r, int c) { events << QStringLiteral("click %1,%2").arg(r).arg(c); };
    const QPoint start = InRow(f, 62, 5);
    f.MoveTo(start, Qt::NoButton);
    f.Press(start);
    EXPECT_TRUE(g->SizingFixedCol());
    EXPECT_EQ(g->SizingFixedColIndex(), 0);
    EXPECT_EQ(g->SizingLineCount(), 1);
    const TGridRect sel = g->Selection();

    f.MoveTo(InRow(f, 92, 6));
    EXPECT_EQ(g->SizingHint(), "cw=<b>92</b>");
    EXPECT_EQ(g->SizingLineCount(), 1);  // the old line went, the new one stands
    EXPECT_EQ(g->ShownCursor(), crHSplit);
    ASSERT_NE(g->SizingHintWindow(), nullptr);
    EXPECT_TRUE(g->SizingHintWindow()->Visible());
    EXPECT_EQ(g->SizingHintWindow()->Caption(), "cw=<b>92</b>");
    EXPECT_EQ(g->SizingHintWindow()->Color(), g->HintColor());
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("advgrid-sizefixed-grid.png"));
    TestHarness::GrabToPng(g->SizingHintWindow(), TestHarness::GrabPath("advgrid-sizefixed-hint.png"));

    f.Release(InRow(f, 92, 6));
    EXPECT_EQ(events, (QStringList{"sizing 0 92", "end 0", "update 0 92"}));
    EXPECT_EQ(g->ColWidths(0), 96);
    EXPECT_FALSE(g->SizingFixedCol());
    EXPECT_EQ(g->SizingLineCount(), 0);
    EXPECT_EQ(g->SizingHintWindow(), nullptr);
    // The press selected nothing.
    EXPECT_TRUE(g->Selection() == sel);
}

TEST(AdvGridSizeFixed, ASecondFixedColumnTakesTheWidthRightOfTheFirst)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetFixedCols(2);
    g->MouseActions()->SetSizeFixedCol(true);
    QStringList events;
    g->OnColumnSizing = [&](TObject*, int c, int w) { events << QStringLiteral("sizing %1 %2").arg(c).arg(w); };
    // Column 1 runs from 65 (64 and a line) to 129.
    const QPoint start = InRow(f, 130, 4);
    f.MoveTo(start, Qt::NoButton);
    f.Press(start);
    EXPECT_EQ(g->SizingFixedColIndex(), 1);
    f.MoveTo(InRow(f, 150, 4));
    f.Release(InRow(f, 150, 4));
    EXPECT_EQ(events, QStringList{"sizing 1 85"});
    EXPECT_EQ(g->ColWidths(0), 64);
    EXPECT_EQ(g->ColWidths(1), 85);
}

TEST(AdvGridSizeFixed, DraggingAFixedRowEdgeSizesTheRow)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->MouseActions()->SetSizeFixedRow(true);
    QStringList events;
    g->OnRowSizing = [&](TObject*, int r, int h) { events << QStringLiteral("sizing %1 %2").arg(r).arg(h); };
    g->OnEndRowSize = [&](TObject*, int r) { events << QStringLiteral("end %1").arg(r); };
    g->OnUpdateColumnSize = [&](TObject*, int, int&) { events << QStringLiteral("update"); };
    // Row 0 is 20 high: a point 1 pixel below its edge, in the middle of column 3.
    const QPoint start(f.At(3, 1, 20).x(), 21);
    f.MoveTo(start, Qt::NoButton);
    EXPECT_TRUE(g->SizeFixedRowEdge());
    EXPECT_EQ(g->ShownCursor(), crVSplit);
    f.Press(start);
    EXPECT_TRUE(g->SizingFixedRow());
    f.MoveTo(QPoint(start.x(), 35));
    EXPECT_EQ(g->SizingHint(), "rh=<b>35</b>");
    f.Release(QPoint(start.x(), 35));
    EXPECT_EQ(events, (QStringList{"sizing 0 35", "end 0"}));
    EXPECT_EQ(g->RowHeights(0), 35);
    EXPECT_EQ(g->SizingLineCount(), 0);
}

TEST(AdvGridSizeFixed, ALostCaptureDropsTheSizing)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->MouseActions()->SetSizeFixedCol(true);
    g->SetHintShowSizing(true);
    int ends = 0;
    g->OnEndColumnSize = [&](TObject*, int) { ++ends; };
    const QPoint start = InRow(f, 63, 3);
    f.MoveTo(start, Qt::NoButton);
    f.Press(start);
    f.MoveTo(InRow(f, 120, 3));
    g->Perform(WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(g->SizingFixedCol());
    EXPECT_EQ(g->SizingLineCount(), 0);
    EXPECT_EQ(g->SizingHintWindow(), nullptr);
    f.Release(InRow(f, 120, 3));
    EXPECT_EQ(g->ColWidths(0), 64);
    EXPECT_EQ(ends, 0);
}

TEST(AdvGridSizeFixed, NormalColumnSizingShowsItsHintWindowAtTheSizedCell)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goColSizing);
    g->SetHintShowSizing(true);
    const QPoint start = f.Edge(2, 0, -1);
    f.MoveTo(start, Qt::NoButton);
    f.Press(start);
    f.MoveTo(start + QPoint(10, 0));
    ASSERT_NE(g->SizingHintWindow(), nullptr);
    EXPECT_EQ(g->SizingHintWindow()->Caption(), "cw=<b>74</b>");
    const TRect cell = g->CellRect(2, 0);
    const TPoint at = g->ClientToScreen(TPoint(cell.Left, cell.Top));
    EXPECT_EQ(g->SizingHintWindow()->Left(), at.X);
    EXPECT_EQ(g->SizingHintWindow()->Top(), at.Y);
    f.Release(start + QPoint(10, 0));
    EXPECT_EQ(g->SizingHintWindow(), nullptr);
}
