// The pointer over the grid without a press: hovered row, fixed cells and
// cell buttons, links with their events and underline, the fixed sizing
// edges, the selection mode of the next press and the cursor of each.

#include "AdvGridInputTestKit.h"
#include "TestHarness.h"

#include <QEvent>
#include <gtest/gtest.h>

namespace {

void Leave(const InputFixture& f)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(f.W(), &e);
}

void Hover(const InputFixture& f, QPoint p) { f.MoveTo(p, Qt::NoButton); }

} // namespace

TEST(AdvGridHover, HoveredRowFollowsThePointerAndClearsOnLeave)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    Hover(f, f.At(2, 3, 10));
    EXPECT_EQ(g->HoverRowIdx(), -1) << "without HoverRow nothing is recorded";
    g->SetHoverRow(true);
    Hover(f, f.At(2, 3, 10));
    EXPECT_EQ(g->HoverRowIdx(), 3);
    Hover(f, f.At(5, 7, 10));
    EXPECT_EQ(g->HoverRowIdx(), 7);
    g->SetHoverRowColor(TColor(0x80FFFF));
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("hover-row.png"));
    Leave(f);
    EXPECT_EQ(g->HoverRowIdx(), -1);
}

TEST(AdvGridHover, HoveredFixedCellIsRecordedByTheSettingAndClearedOnLeave)
{
    struct Case {
        THoverFixedCells Setting;
        TPoint AfterHeader, AfterNormal, AfterLeave;
    };
    const Case cases[] = {
        {hfNone, {-1, -1}, {-1, -1}, {-1, -1}},
        {hfFixedRows, {3, 0}, {3, 4}, {-1, -1}},
        {hfAll, {3, 0}, {3, 4}, {-1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Setting));
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetHoverFixedCells(c.Setting);
        Hover(f, f.At(3, 0, 20));
        EXPECT_EQ(g->HoverFixedCell(), c.AfterHeader);
        if (c.Setting == hfFixedRows) TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("hover-fixed.png"));
        Hover(f, f.At(3, 4, 20));
        EXPECT_EQ(g->HoverFixedCell(), c.AfterNormal);
        Leave(f);
        EXPECT_EQ(g->HoverFixedCell(), c.AfterLeave);
    }
}

TEST(AdvGridHover, CellButtonUnderThePointerIsRecordedOnlyInsideTheButton)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->ButtonCols = {3};
    Hover(f, f.At(3, 2, -6));
    EXPECT_EQ(g->HoverButton(), TPoint(3, 2));
    Hover(f, f.At(3, 2, 6));
    EXPECT_EQ(g->HoverButton(), TPoint(-1, -1));
    Hover(f, f.At(3, 5, -6));
    EXPECT_EQ(g->HoverButton(), TPoint(3, 5));
    Leave(f);
    EXPECT_EQ(g->HoverButton(), TPoint(-1, -1));
}

TEST(AdvGridHover, FixedColumnSizingEdgeIsLessThanThreePixelsAway)
{
    struct Case {
        bool SizeFixedCol;
        int Dx;  // from the right edge of fixed column 0
        bool Edge;
    };
    const Case cases[] = {
        {true, -2, true}, {true, 2, true}, {true, 0, true}, {true, -3, false}, {true, 3, false}, {false, -2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Dx);
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->MouseActions()->SetSizeFixedCol(c.SizeFixedCol);
        const TRect r = g->CellRect(0, 5);
        Hover(f, QPoint(r.Right + c.Dx, (r.Top + r.Bottom) / 2));
        EXPECT_EQ(g->SizeFixedEdge(), c.Edge);
        EXPECT_EQ(g->ShownCursor() == crHSplit, c.Edge);
        EXPECT_EQ(g->Widget()->cursor().shape() == CursorOf(crHSplit).shape(), c.Edge);
    }
}

TEST(AdvGridHover, SelectionModeAndCursorOfTheNextPress)
{
    struct Case {
        const char* Name;
        bool ColSelect, RowSelect, AllSelect;
        int C, R, Dx;  // the point: Dx from the cell's left edge, negative from its right
        TMouseSelectMode Mode;
        int Cursor;    // 0: the grid's own
    };
    const Case cases[] = {
        {"header", true, false, false, 3, 0, 30, msColumn, 8011},
        {"header without ColSelect", false, false, false, 3, 0, 30, msNormal, 0},
        {"header beside a sizing edge", true, false, false, 3, 0, -3, msNormal, 0},
        {"row header", false, true, false, 0, 6, 30, msRow, 8010},
        {"corner", true, true, true, 0, 0, 30, msAll, 8012},
        {"corner without AllSelect", true, true, false, 0, 0, 30, msNormal, 0},
        {"normal cell", true, true, true, 4, 6, 30, msNormal, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetOptions(g->Options() + goColSizing);
        g->MouseActions()->SetColSelect(c.ColSelect);
        g->MouseActions()->SetRowSelect(c.RowSelect);
        g->MouseActions()->SetAllSelect(c.AllSelect);
        Hover(f, f.At(c.C, c.R, c.Dx));
        EXPECT_EQ(g->MouseSelectMode(), c.Mode);
        if (c.Cursor == 0) {
            EXPECT_EQ(g->ShownCursor(), crDefault);
        } else {
            EXPECT_EQ(g->ShownCursor(), TAdvStringGrid::GridCursor(c.Cursor));
            EXPECT_EQ(g->Widget()->cursor().shape(), Qt::BitmapCursor);
        }
        Leave(f);
        EXPECT_EQ(g->MouseSelectMode(), msNormal);
    }
}

TEST(AdvGridHover, AnchorsUnderThePointerFireEnterAndExitWithTheAnchorLeft)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetColWidths(2, 240);
    g->SetURLUnderlineOnHover(true);
    g->SetCells(2, 2, "<a href=\"http://example.com/a\">first</a> plain words <a href=\"mailto:x@y\">second</a>");
    QStringList events;
    g->OnAnchorEnter = [&](TObject*, int r, int c, const QString& a) { events << QStringLiteral("enter %1,%2 %3").arg(c).arg(r).arg(a); };
    g->OnAnchorExit = [&](TObject*, int r, int c, const QString& a) { events << QStringLiteral("exit %1,%2 %3").arg(c).arg(r).arg(a); };

    Hover(f, f.At(2, 2, 8));
    EXPECT_EQ(events, QStringList{"enter 2,2 http://example.com/a"});
    EXPECT_EQ(g->Widget()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(g->HoverCell(), TPoint(2, 2));
    EXPECT_EQ(g->HoverLink(), 1);
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("hover-link.png"));
    // Within the same anchor nothing more is reported.
    Hover(f, f.At(2, 2, 12));
    EXPECT_EQ(events.size(), 1);
    // Off the link, in the plain words of the same cell.
    Hover(f, f.At(2, 2, 60));
    EXPECT_EQ(events.last(), "exit 2,2 http://example.com/a");
    EXPECT_EQ(g->HoverAnchor(), QString());
    EXPECT_EQ(g->HoverLink(), -1);
    EXPECT_NE(g->Widget()->cursor().shape(), Qt::PointingHandCursor);
    // Over the link and then straight out of the control.
    Hover(f, f.At(2, 2, 8));
    Leave(f);
    EXPECT_EQ(events.last(), "exit -1,-1 http://example.com/a");
    EXPECT_EQ(g->HoverCell(), TPoint(-1, -1));
    EXPECT_EQ(events.size(), 4);
}

TEST(AdvGridHover, PlainUrlCellsShowTheHandOnlyWithUrlShow)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetCells(2, 2, "http://example.com");
    Hover(f, f.At(2, 2, 10));
    EXPECT_NE(g->Widget()->cursor().shape(), Qt::PointingHandCursor);
    g->SetURLShow(true);
    Hover(f, f.At(2, 3, 10));
    Hover(f, f.At(2, 2, 10));
    EXPECT_EQ(g->Widget()->cursor().shape(), Qt::PointingHandCursor);
    Hover(f, f.At(3, 2, 10));
    EXPECT_NE(g->Widget()->cursor().shape(), Qt::PointingHandCursor);
}

TEST(AdvGridHover, CellCursorEventAnswersOverOrdinaryCells)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->OnGetCellCursor = [](TObject*, int c, int, int, int, TCursor& cur) {
        if (c == 4) cur = crCross;
    };
    Hover(f, f.At(4, 3, 10));
    EXPECT_EQ(g->Widget()->cursor().shape(), Qt::CrossCursor);
    Hover(f, f.At(2, 3, 10));
    EXPECT_EQ(g->Widget()->cursor().shape(), Qt::ArrowCursor);
}
