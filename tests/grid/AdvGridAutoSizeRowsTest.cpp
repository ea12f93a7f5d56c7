// Rows sized to their texts, columns fitted to the control, and the padding
// and bounds of column sizing.

#include "AdvGridTestKit.h"

#include <gtest/gtest.h>
#include <numeric>

TEST(AdvGridAutoSizeRows, LinesGiveTheHeightWithoutWordWrap)
{
    auto g = NewFixtureGrid(4, 4);
    g->SetWordWrap(false);
    g->SetMultilineCells(true);
    g->SetCells(2, 2, QStringLiteral("one\ntwo\nthree"));
    for (const int padding : {0, 6}) {
        g->AutoSizeRows(false, padding);
        const int one = g->RowHeights(1) - padding, three = g->RowHeights(2) - padding;
        EXPECT_GT(one, 0);
        EXPECT_EQ(three, 3 * one) << padding;
        EXPECT_EQ(g->RowHeights(3), g->RowHeights(1));
    }
    // Without multi-line cells every row takes one line.
    g->SetMultilineCells(false);
    g->AutoSizeRows(false, 0);
    EXPECT_EQ(g->RowHeights(2), g->RowHeights(1));
}

TEST(AdvGridAutoSizeRows, EveryKindOfLineBreakCountsOnce)
{
    struct Case {
        const char* text;
        int lines;
    };
    const Case cases[] = {{"a\rb", 2},      {"a\r\nb", 2},       {"a\nb", 2},   {"a\r\n\r\nb", 3},
                          {"a\n\rb", 3},    {"a\r\rb\r\n", 4}, {"plain", 1}, {"", 1}};
    auto g = NewFixtureGrid(4, 3);
    g->SetMultilineCells(true);
    for (const Case& c : cases) {
        g->SetCells(2, 1, QString::fromLatin1(c.text));
        EXPECT_EQ(g->GetMaxRowLines(1), c.lines) << c.text;
    }
    g->SetMultilineCells(false);
    EXPECT_EQ(g->GetMaxRowLines(1), 1);
}

TEST(AdvGridAutoSizeRows, ARowGrowsToItsWrappedText)
{
    auto g = NewFixtureGrid(4, 4);
    g->SetWordWrap(true);
    g->SetColWidths(2, 60);
    g->AutoSizeRow(1, 0);
    const int single = g->RowHeights(1);
    g->SetCells(2, 2, QStringLiteral("a text long enough to wrap over several lines of a narrow column"));
    g->AutoSizeRow(2, 0);
    EXPECT_GT(g->RowHeights(2), 2 * single);
    // Wider, it needs fewer lines; grow-only keeps the height.
    g->SetColWidths(2, 2000);
    g->SetSizeGrowOnly(true);
    const int tall = g->RowHeights(2);
    g->AutoSizeRow(2, 0);
    EXPECT_EQ(g->RowHeights(2), tall);
    g->SetSizeGrowOnly(false);
    g->AutoSizeRow(2, 0);
    EXPECT_EQ(g->RowHeights(2), single);
    // A row outside the grid changes nothing.
    EXPECT_NO_THROW(g->AutoSizeRow(99, 0));
    // Bounds and padding.
    g->SetMaxRowHeight(single + 3);
    g->AutoSizeRow(2, 10);
    EXPECT_EQ(g->RowHeights(2), single + 3);
}

TEST(AdvGridAutoSizeRows, CheckBoxRowsTakeTheDefaultHeight)
{
    auto g = NewFixtureGrid(4, 4);
    g->SetDefaultRowHeight(40);
    g->AddCheckBox(2, 2, false, false);
    g->SetRowHeights(2, 10);
    g->AutoSizeRow(2, 0);
    EXPECT_EQ(g->RowHeights(2), 40 + g->GetTotalYOffset() + 2 * g->GridLineWidth());
}

TEST(AdvGridAutoSizeRows, FittingColumnsToTheControl)
{
    auto g = NewFixtureGrid(4, 3);
    g->SetScrollBars(TScrollStyle::ssNone);
    g->SetBorderStyle(bsNone);
    g->SetBounds(0, 0, 400, 200);
    g->SetColWidths(0, 40);
    auto normal = [&] { return std::vector<int>{g->ColWidths(1), g->ColWidths(2), g->ColWidths(3)}; };

    // An exact fit changes nothing.
    g->SetColWidths(1, 100);
    g->SetColWidths(2, 130);
    g->SetColWidths(3, 130);
    g->AutoFitColumns(false);
    EXPECT_EQ(normal(), (std::vector<int>{100, 130, 130}));

    // Otherwise the proportions stay and the columns fill the width.
    g->SetColWidths(1, 50);
    g->SetColWidths(2, 100);
    g->SetColWidths(3, 50);
    g->AutoFitColumns(false);
    std::vector<int> w = normal();
    EXPECT_EQ(std::accumulate(w.begin(), w.end(), 0), 360);
    EXPECT_NEAR(w[1], 2 * w[0], 5);  // the widest takes the rounding rest
    EXPECT_EQ(w[0], w[2]);
    EXPECT_EQ(g->ColWidths(0), 40);

    // All widths 0: the width is shared out.
    for (int c = 1; c <= 3; ++c) g->SetColWidths(c, 0);
    g->AutoFitColumns(false);
    w = normal();
    EXPECT_EQ(std::accumulate(w.begin(), w.end(), 0), 360);
    EXPECT_GE(*std::min_element(w.begin(), w.end()), 119);
}

TEST(AdvGridAutoSizeRows, ColumnsSizeWithPaddingAndCellsGrow)
{
    auto g = NewFixtureGrid(4, 3);
    const int fixedWidth = g->ColWidths(0);
    g->AutoSizeColumns(false, 0);
    const int plain = g->ColWidths(2);
    g->AutoSizeColumns(false, 8);
    EXPECT_EQ(g->ColWidths(2), plain + 8);
    EXPECT_EQ(g->ColWidths(0), fixedWidth);  // fixed columns left alone

    g->SetCells(1, 1, QStringLiteral("a much longer text than the others"));
    const int h = g->RowHeights(1);
    g->AutoSizeCells(false, 4, 30);
    EXPECT_GT(g->ColWidths(1), g->ColWidths(2));
    EXPECT_GT(g->RowHeights(1), h);
}

namespace {

class TSizingGrid : public TAdvStringGrid {
public:
    explicit TSizingGrid(TComponent* AOwner) : TAdvStringGrid(AOwner) {}
    TGridState StateAt(int X, int Y)
    {
        TGridState s;
        int index = -1, pos = 0, ofs = 0;
        CalcSizingState(X, Y, s, index, pos, ofs);
        return s;
    }
};

}  // namespace

TEST(AdvGridAutoSizeRows, SizingEventsMayRefuseAResizeStart)
{
    TSizingGrid* g = Create<TSizingGrid>(nullptr);
    FillFixture(g, 5, 5);
    g->SetOptions(g->Options() + goColSizing + goRowSizing);
    const TRect c2 = g->CellRect(2, 0), r2 = g->CellRect(0, 2);
    const int colEdgeX = c2.Right, rowEdgeY = r2.Bottom;
    EXPECT_EQ(g->StateAt(colEdgeX, 3), gsColSizing);
    EXPECT_EQ(g->StateAt(3, rowEdgeY), gsRowSizing);
    QStringList asked;
    g->OnColumnSize = [&](TObject*, int ACol, bool& Allow) {
        asked << QStringLiteral("col %1").arg(ACol);
        Allow = false;
    };
    g->OnRowSize = [&](TObject*, int ARow, bool& Allow) {
        asked << QStringLiteral("row %1").arg(ARow);
        Allow = ARow != 2;
    };
    EXPECT_EQ(g->StateAt(colEdgeX, 3), gsNormal);
    EXPECT_EQ(g->StateAt(3, rowEdgeY), gsNormal);
    EXPECT_EQ(asked, QStringList({"col 2", "row 2"}));
    Free(g);
}

TEST(AdvGridAutoSizeRows, IntegralHeightFitsTheControlToWholeRows)
{
    auto g = NewFixtureGrid(3, 20);
    g->SetBorderStyle(bsNone);
    g->SetDefaultRowHeight(20);
    g->SetBounds(0, 0, 300, 107);
    EXPECT_EQ(g->Height(), 107);
    g->SetIntegralHeight(true);
    EXPECT_TRUE(g->IntegralHeight());
    EXPECT_EQ(g->Height(), 100);
}
