// The scroll bar inside cells: the cell object with its position, page and
// range, the bar that follows the pointer into such a cell, and its steps
// that scroll the cell and not the grid.

#include "AdvGridInputTestKit.h"
#include "Messages.h"
#include "StdCtrls.h"
#include "TestHarness.h"

#include <QImage>
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

QImage GridPicture(TInputGrid* g) { return g->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Pixels that differ between two equally sized areas of two pictures.
int DifferingPixels(const QImage& a, const QRect& ra, const QImage& b, const QRect& rb)
{
    int n = 0;
    for (int y = 0; y < ra.height(); ++y)
        for (int x = 0; x < ra.width(); ++x)
            if (a.pixel(ra.x() + x, ra.y() + y) != b.pixel(rb.x() + x, rb.y() + y)) ++n;
    return n;
}

// Columns of an area in which some pixel differs between the two pictures.
int DifferingColumns(const QImage& a, const QRect& ra, const QImage& b, const QRect& rb)
{
    int n = 0;
    for (int x = 0; x < ra.width(); ++x)
        if (DifferingPixels(a, QRect(ra.x() + x, ra.y(), 1, ra.height()), b, QRect(rb.x() + x, rb.y(), 1, rb.height())) > 0)
            ++n;
    return n;
}

QRect Inner(const TRect& r) { return QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1); }

// Lines of plain text, one per row of a multi-line cell.
QString TextLines(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i) lines << QStringLiteral("MWMW%1").arg(i);
    return lines.join(QLatin1Char('\n'));
}

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

TEST(AdvGridCellScroll, ACellWithMoreTextThanRoomShowsItsBarWithoutThePointer)
{
    struct Case {
        TScrollProp Prop;
        bool Painted;
    };
    const Case cases[] = {{{20, 200}, true}, {{200, 200}, false}, {{300, 100}, false}};
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        // Both cells hold text of the same width, so only the bar tells them apart.
        g->SetCells(2, 3, "ab");
        g->SetCells(2, 4, "ab");
        g->AddScrollBar(2, 3, false);
        g->SetScrollProp(2, 3, c.Prop);
        f.MoveTo(f.At(5, 8, 5), Qt::NoButton);
        ASSERT_FALSE(g->ScrollBarControl()->Visible());
        const QImage img = GridPicture(g);
        if (c.Painted) img.save(TestHarness::GrabPath("advgrid-cellscroll-painted.png"));
        const TRect withBar = g->CellRect(2, 3), plain = g->CellRect(2, 4);
        const QRect barArea(withBar.Right - 18, withBar.Top, 17, withBar.Height() - 1);
        const QRect plainArea(plain.Right - 18, plain.Top, 17, plain.Height() - 1);
        const int columns = DifferingColumns(img, barArea, img, plainArea);
        if (c.Painted) EXPECT_GE(columns, 12) << "the bar fills the cell's right side";
        else EXPECT_EQ(columns, 0) << c.Prop.PageSize << "/" << c.Prop.Range;
        // Left of the bar the cell looks like its neighbour.
        const QRect restA(withBar.Left, withBar.Top, withBar.Width() - 19, withBar.Height() - 1);
        const QRect restB(plain.Left, plain.Top, plain.Width() - 19, plain.Height() - 1);
        EXPECT_EQ(DifferingPixels(img, restA, img, restB), 0);
    }
}

TEST(AdvGridCellScroll, TheTextMovesUpByThePositionAndStaysInsideItsCell)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetMultilineCells(true);
    g->SetRowHeights(3, 60);
    g->SetCells(2, 3, TextLines(8));
    g->AddScrollBar(2, 3, true);
    f.MoveTo(f.At(5, 8, 5), Qt::NoButton);
    const TRect cell = g->CellRect(2, 3);
    const TRect above = g->CellRect(2, 2);
    const QImage at0 = GridPicture(g);
    const int shift = 13;
    g->SetScrollPosition(2, 3, shift);
    ASSERT_EQ(g->GetScrollPosition(2, 3), shift);
    const QImage scrolled = GridPicture(g);
    scrolled.save(TestHarness::GrabPath("advgrid-cellscroll-scrolled.png"));
    // The text left of the bar, without the cell's edges.
    const int w = cell.Width() - 20, h = cell.Height() - 2 - shift;
    ASSERT_GT(DifferingPixels(at0, QRect(cell.Left + 1, cell.Top + 1, w, h), scrolled,
                              QRect(cell.Left + 1, cell.Top + 1, w, h)),
              0)
        << "scrolling changes the picture";
    EXPECT_EQ(DifferingPixels(at0, QRect(cell.Left + 1, cell.Top + 1 + shift, w, h), scrolled,
                              QRect(cell.Left + 1, cell.Top + 1, w, h)),
              0)
        << "what stood lower before now stands at the top";
    EXPECT_EQ(DifferingPixels(at0, Inner(above), scrolled, Inner(above)), 0) << "nothing runs into the cell above";
}

TEST(AdvGridCellScroll, AnAutomaticRangeFollowsTheTextAndThePageTheRow)
{
    // The row of the cell: on screen, or far below the rows that fit.
    struct Case {
        const char* Name;
        int Row;
        int LinesBefore, LinesAfter;
        int PositionBefore, PositionAfter;
    };
    const Case cases[] = {
        {"longer text", 3, 2, 8, 0, 0},
        {"longer text off screen", 45, 2, 8, 0, 0},
        {"shorter text than the row drops the scrolling", 3, 8, 1, 30, 0},
    };
    for (const Case& c : cases) {
        InputFixture f(8, 50);
        TInputGrid* g = f.Grid;
        g->SetMultilineCells(true);
        g->SetRowHeights(c.Row, 40);
        g->SetCells(2, c.Row, TextLines(1));
        g->AddScrollBar(2, c.Row, true);
        const int lineHeight = g->GetScrollProp(2, c.Row).Range;
        ASSERT_GT(lineHeight, 8) << c.Name;
        g->SetCells(2, c.Row, TextLines(c.LinesBefore));
        g->SetScrollPosition(2, c.Row, c.PositionBefore);
        g->SetCells(2, c.Row, TextLines(c.LinesAfter));
        const TScrollProp p = g->GetScrollProp(2, c.Row);
        EXPECT_EQ(p.PageSize, 40) << c.Name;
        EXPECT_NEAR(p.Range, c.LinesAfter * lineHeight, c.LinesAfter) << c.Name;
        EXPECT_EQ(g->GetScrollPosition(2, c.Row), c.PositionAfter) << c.Name;
    }
    // Wrapped words take the cell's width beside the bar, seen or not.
    InputFixture f(8, 50);
    TInputGrid* g = f.Grid;
    const QString words = "one two three four five six seven eight nine ten";
    for (int row : {3, 45}) {
        g->SetCells(2, row, "x");
        g->AddScrollBar(2, row, true);
        g->SetCells(2, row, words);
    }
    EXPECT_GT(g->GetScrollProp(2, 3).Range, 3 * g->GetScrollProp(2, 3).PageSize / 2);
    EXPECT_EQ(g->GetScrollProp(2, 45).Range, g->GetScrollProp(2, 3).Range);
    // A bar without an automatic range keeps what it was given.
    g->AddScrollBar(3, 3, false);
    g->SetScrollProp(3, 3, TScrollProp{20, 500});
    g->SetCells(3, 3, "short");
    EXPECT_EQ(g->GetScrollProp(3, 3).Range, 500);
}

TEST(AdvGridCellScroll, TheBarUnderThePointerTakesANewRangeAtOnce)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetMultilineCells(true);
    g->SetCells(2, 3, TextLines(3));
    g->AddScrollBar(2, 3, true);
    f.MoveTo(f.At(2, 3, 5), Qt::NoButton);
    ASSERT_TRUE(g->ScrollBarControl()->Visible());
    g->SetCells(2, 3, TextLines(9));
    EXPECT_TRUE(g->ScrollBarControl()->Visible());
    EXPECT_EQ(g->ScrollBarControl()->Max(), g->GetScrollProp(2, 3).Range);
    g->SetCells(2, 3, "x");
    EXPECT_FALSE(g->ScrollBarControl()->Visible());
}

TEST(AdvGridCellScroll, ThePointerFindsALinkWhereTheScrolledCellShowsIt)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetColWidths(2, 200);
    g->SetRowHeights(3, 80);
    g->SetCells(2, 3, "plain<br>plain<br><a href=\"http://example.com/x\">link</a>");
    g->AddScrollBar(2, 3, false);
    g->SetScrollProp(2, 3, TScrollProp{20, 200});
    const TRect cell = g->CellRect(2, 3);
    const int x = cell.Left + 8;
    // Where the link stands unscrolled.
    int linkY = -1;
    for (int y = cell.Top; y < cell.Bottom && linkY < 0; ++y) {
        f.MoveTo(QPoint(x, y), Qt::NoButton);
        if (!g->HoverAnchor().isEmpty()) linkY = y;
    }
    ASSERT_GT(linkY, cell.Top + 20);
    f.MoveTo(f.At(5, 8, 5), Qt::NoButton);
    const int shift = 20;
    g->SetScrollPosition(2, 3, shift);
    f.MoveTo(QPoint(x, linkY - shift), Qt::NoButton);
    EXPECT_EQ(g->HoverAnchor(), "http://example.com/x");
    f.MoveTo(QPoint(x, linkY - shift - 1), Qt::NoButton);
    EXPECT_EQ(g->HoverAnchor(), QString()) << "the link's top moved up by the position, no further";
}
