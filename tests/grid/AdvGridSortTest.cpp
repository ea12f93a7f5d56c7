// The sort settings' effects on their grid: which writes repaint what, and
// the glyphs held as copies.

#include "AdvGridSort.h"
#include "HoldersTestKit.h"

#include <gtest/gtest.h>

namespace {

bool SortPaintCovers(const QRegion& painted, const TRect& r)
{
    return painted.intersected(r.ToQRect()) == QRegion(r.ToQRect());
}

}  // namespace

TEST(SortSettings, HeaderColoursRepaintTheLastFixedRowShowTheGrid)
{
    THolderGridForm f;
    TBaseGrid* g = f.Grid;
    g->SetFixedRows(2);
    f.Settle();
    TSortSettings s(g);
    EXPECT_EQ(s.GetOwner(), g);

    struct Case {
        const char* Name;
        std::function<void()> Write;
        bool HeaderRow;  // row 1 repainted
        bool DataRow;    // row 4 repainted
    };
    const std::vector<Case> cases = {
        {"HeaderColor", [&] { s.SetHeaderColor(clRed); }, true, false},
        {"the same HeaderColor again", [&] { s.SetHeaderColor(clRed); }, false, false},
        {"HeaderColorTo", [&] { s.SetHeaderColorTo(clBlue); }, true, false},
        {"HeaderMirrorColor", [&] { s.SetHeaderMirrorColor(clBlue); }, true, false},
        {"HeaderMirrorColorTo", [&] { s.SetHeaderMirrorColorTo(clBlue); }, true, false},
        {"Show", [&] { s.SetShow(true); }, true, true},
        {"Show unchanged", [&] { s.SetShow(true); }, false, false},
        {"a plain setting", [&] { s.SetColumn(3); s.SetIndexColor(clRed); }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        f.Settle();
        c.Write();
        const QRegion painted = f.Flush();
        EXPECT_EQ(SortPaintCovers(painted, g->CellRect(3, 1)), c.HeaderRow);
        EXPECT_EQ(painted.intersects(g->CellRect(3, 4).ToQRect()), c.DataRow);
        EXPECT_FALSE(c.HeaderRow && !c.DataRow && painted.intersects(g->CellRect(3, 0).ToQRect()));
    }

    // Without fixed rows a header colour repaints nothing, and a settings
    // object without a grid only stores.
    g->SetFixedRows(0);
    f.Settle();
    s.SetHeaderColor(clGreen);
    EXPECT_TRUE(f.Flush().isEmpty());
    TSortSettings alone(nullptr);
    alone.SetShow(true);
    alone.SetHeaderColor(clGreen);
    EXPECT_EQ(alone.HeaderColor(), clGreen);
}

TEST(SortSettings, GlyphsAreCopies)
{
    TSortSettings s(nullptr);
    TBitmap mark(8, 6);
    s.SetUpGlyph(&mark);
    s.SetIndexDownGlyph(&mark);
    mark.SetSize(1, 1);
    EXPECT_EQ(s.UpGlyph()->Width(), 8);
    EXPECT_EQ(s.IndexDownGlyph()->Height(), 6);
    EXPECT_TRUE(s.DownGlyph()->Empty());

    TSortSettings copy(nullptr);
    copy.Assign(&s);
    s.UpGlyph()->SetSize(2, 2);
    EXPECT_EQ(copy.UpGlyph()->Width(), 8);
    EXPECT_NE(copy.UpGlyph(), s.UpGlyph());
}
