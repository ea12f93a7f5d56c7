// AutoSizeCol measures what the cells show: their text as the display hook
// turns it, so a longer text gives a wider column.

#include "AdvGridTestKit.h"

#include <gtest/gtest.h>

TEST(AdvGridAutoSize, AColumnFitsTheShownTextOfItsCells)
{
    auto g = NewFixtureGrid(4, 4);
    struct Case {
        const char* Text;
        bool Hooked;  // the display hook doubles the text
    };
    int previous = 0;
    for (const Case c : {Case{"ab", false}, Case{"a rather long cell text", false}, Case{"a rather long cell text", true}}) {
        g->OnGetDisplText = c.Hooked ? TGetDisplTextEvent([](TObject*, int, int, QString& v) { v += v; })
                                     : TGetDisplTextEvent();
        for (int r = 1; r < g->RowCount(); ++r)
            g->SetCells(2, r, QLatin1String(c.Text));
        g->AutoSizeCol(2, 0);
        EXPECT_GT(g->ColWidths(2), previous) << c.Text << c.Hooked;
        previous = g->ColWidths(2);
    }
}
