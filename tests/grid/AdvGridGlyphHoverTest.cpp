// Expand glyphs under the pointer and under the button, and the cell hint
// that goes when the pointer leaves its cell; driven by synthesized pointer
// events on a shown grid.

#include "AdvGridInputTestKit.h"
#include "Hints.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {

struct ExpandFixture : InputFixture {
    ExpandFixture()
    {
        Grid->SetOptions(Grid->Options() + goEditing);
        Grid->AddExpand(2, 3, 60);
        Grid->OnExpandClick = [this](TObject*, int c, int r, bool e) {
            Events << QStringLiteral("expand %1,%2 %3").arg(c).arg(r).arg(e);
        };
        Grid->OnClickCell = [this](TObject*, int r, int c) { Events << QStringLiteral("click %1,%2").arg(r).arg(c); };
    }
    // A point on the glyph at the cell's top-right corner.
    QPoint Glyph() const
    {
        const TRect r = Grid->GetExpandButtonRect(2, 3);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    QStringList Events;
};

} // namespace

TEST(AdvGridGlyphHover, TheExpandGlyphIsElevenPixelsAtTheTopRightAndHotUnderThePointer)
{
    ExpandFixture f;
    TInputGrid* g = f.Grid;
    const TRect cell = g->CellRect(2, 3);
    const TRect glyph = g->GetExpandButtonRect(2, 3);
    EXPECT_EQ(glyph, TRect(cell.Right - 13, cell.Top + 2, cell.Right - 2, cell.Top + 13));
    EXPECT_TRUE(g->GetExpandButtonRect(3, 3).IsEmpty());
    f.MoveTo(f.Glyph(), Qt::NoButton);
    EXPECT_EQ(g->HoverButton(), TPoint(2, 3));
    TestHarness::GrabToPng(g, TestHarness::GrabPath("advgrid-expand-hot.png"));
    f.MoveTo(f.At(2, 3, 4), Qt::NoButton);
    EXPECT_EQ(g->HoverButton(), TPoint(-1, -1));
}

TEST(AdvGridGlyphHover, TheGlyphClicksOnlyOnAReleaseOverItself)
{
    struct Case {
        const char* Name;
        QPoint (*Release)(const ExpandFixture&);
        bool Clicks;
    };
    const Case cases[] = {
        {"over the glyph", [](const ExpandFixture& f) { return f.Glyph(); }, true},
        {"beside it in its cell", [](const ExpandFixture& f) { return f.At(2, 3, 4); }, false},
        {"in another cell", [](const ExpandFixture& f) { return f.At(4, 5, 10); }, false},
    };
    for (const Case& c : cases) {
        ExpandFixture f;
        TInputGrid* g = f.Grid;
        f.MoveTo(f.Glyph(), Qt::NoButton);
        f.Press(f.Glyph());
        EXPECT_EQ(f.Events, QStringList{"click 3,2"}) << c.Name;
        f.MoveTo(c.Release(f));
        f.Release(c.Release(f));
        const QStringList want = c.Clicks ? QStringList{"click 3,2", "expand 2,3 1"} : QStringList{"click 3,2"};
        EXPECT_EQ(f.Events, want) << c.Name;
        EXPECT_EQ(g->GetExpandState(2, 3), c.Clicks) << c.Name;
        EXPECT_EQ(g->RowHeights(3), c.Clicks ? 60 : 20) << c.Name;
        EXPECT_FALSE(g->Widget()->mouseGrabber() == g->Widget()) << c.Name;
    }
}

TEST(AdvGridGlyphHover, TheCellHintGoesWhenThePointerLeavesItsCell)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetShowHint(true);
    g->SetHintShowCells(true);
    const QPoint p = f.At(2, 3, 10);
    f.MoveTo(p, Qt::NoButton);
    ASSERT_TRUE(ActivateControlHint(g, TPoint(p.x(), p.y())));
    ASSERT_NE(ActiveHintWindow(), nullptr);
    // Within the cell it stays.
    f.MoveTo(f.At(2, 3, 30), Qt::NoButton);
    EXPECT_NE(ActiveHintWindow(), nullptr);
    f.MoveTo(f.At(3, 3, 10), Qt::NoButton);
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    CancelControlHint();
}

// The kit's grid stands its own button place in for the mouse tests; the
// grid's own rule is asked for by name here: the button's size, at the side
// of the cell its alignment names, found only after a paint placed it.
TEST(AdvGridGlyphHover, ACellButtonIsFoundWhereItWasDrawn)
{
    struct Case {
        const char* Name;
        TCellHAlign H;
        TCellVAlign V;
    };
    const Case cases[] = {{"left, top", haLeft, vaTop}, {"right, bottom", haRight, vaBottom}, {"full width", haFull, vaTop}};
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetRowHeights(2, 30);
        g->AddButton(3, 2, 40, 14, QStringLiteral("go"), c.H, c.V);
        g->ButtonCols.insert(3);
        EXPECT_EQ(g->TAdvStringGrid::GetCellButtonRect(4, 4), TRect()) << c.Name;  // no button there
        (void)g->Widget()->grab();  // a paint records the button's place
        const TRect cell = g->CellRect(3, 2), b = g->TAdvStringGrid::GetCellButtonRect(3, 2);
        EXPECT_EQ(b.Height(), 14) << c.Name;
        EXPECT_EQ(b.Width(), c.H == haFull ? cell.Width() : 40) << c.Name;
        EXPECT_TRUE(b.Left >= cell.Left && b.Right <= cell.Right && b.Top >= cell.Top && b.Bottom <= cell.Bottom)
            << c.Name;
        if (c.H == haRight) {
            EXPECT_LT(cell.Right - b.Right, 6) << c.Name;
            EXPECT_LT(cell.Bottom - b.Bottom, 6) << c.Name;
        } else {
            EXPECT_LT(b.Top - cell.Top, 4) << c.Name;
        }
    }
}
