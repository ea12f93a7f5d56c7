// HintShowLargeText: a cell whose text does not fit shows the whole text in
// its hint; a text that fits keeps the grid's hint.

#include "AdvGridTestKit.h"

#include <gtest/gtest.h>

TEST(AdvGridLargeTextHint, OnlyATextLargerThanItsCellBecomesTheHint)
{
    auto g = NewFixtureGrid(4, 4);
    g->SetHint(QStringLiteral("grid hint"));
    g->SetColWidths(1, 40);
    const QString wide = QStringLiteral("a text far too wide for forty pixels");
    g->SetCells(1, 1, wide);
    g->SetCells(1, 2, QStringLiteral("ok"));
    g->SetCells(1, 3, QStringLiteral("<b>two</b>\nlines\nthree\nfour"));
    struct Case {
        bool LargeText;
        int Row;
        QString Hint;
    };
    const Case cases[] = {
        {false, 1, QStringLiteral("grid hint")},
        {true, 1, wide},
        {true, 2, QStringLiteral("grid hint")},
        {true, 3, QStringLiteral("two\nlines\nthree\nfour")},  // too high, shown without markup
    };
    for (const Case& c : cases) {
        g->SetHintShowLargeText(c.LargeText);
        const TRect rc = g->CellRect(1, c.Row);
        QString hint;
        ASSERT_TRUE(g->GetCellHint((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2, hint));
        EXPECT_EQ(hint, c.Hint) << c.Row << " " << c.LargeText;
    }
}
