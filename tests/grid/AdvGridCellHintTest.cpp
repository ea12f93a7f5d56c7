// The hint of the cell under the pointer: the grid's hint, a normal cell's
// text with HintShowCells, and OnGridHint's word last.

#include "AdvGridTestKit.h"

#include <gtest/gtest.h>

TEST(AdvGridCellHint, TheCellUnderThePointerGivesItsHint)
{
    auto g = NewFixtureGrid(4, 4);
    g->SetHint(QStringLiteral("grid hint"));
    g->SetCells(2, 1, QStringLiteral("<b>bold</b> text"));
    auto centre = [&](int c, int r) {
        const TRect rc = g->CellRect(c, r);
        return TPoint((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
    };
    struct Case {
        bool ShowCells;
        bool Event;
        int Col, Row;
        const char* Hint;
    };
    const Case cases[] = {
        {false, false, 2, 1, "grid hint"},
        {true, false, 2, 1, "bold text"},
        {true, false, 2, 0, "grid hint"},  // a fixed cell keeps the grid's hint
        {true, true, 2, 0, "header 0,2"},
        {true, true, 2, 1, "bold text"},
    };
    for (const Case& c : cases) {
        g->SetHintShowCells(c.ShowCells);
        g->OnGridHint = c.Event ? TGridHintEvent([](TObject*, int r, int col, QString& h) {
            if (r == 0) h = QStringLiteral("header %1,%2").arg(r).arg(col);
        })
                                : TGridHintEvent();
        QString hint;
        const TPoint p = centre(c.Col, c.Row);
        ASSERT_TRUE(g->GetCellHint(p.X, p.Y, hint));
        EXPECT_EQ(hint, QLatin1String(c.Hint)) << c.Col << "," << c.Row << " " << c.ShowCells;
    }
    QString none;
    EXPECT_FALSE(g->GetCellHint(-5, -5, none));
}
