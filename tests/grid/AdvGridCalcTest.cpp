// Column calculations over the normal rows.

#include "AdvGridTestKit.h"
#include "SysUtils.h"

#include <gtest/gtest.h>

TEST(AdvGridCalc, ColumnAggregatesSkipWhatDoesNotConvert)
{
    auto g = NewFixtureGrid(3, 6);  // normal rows 1..5
    const char* values[] = {"2", "4", "x", "6", "8"};
    for (int r = 1; r <= 5; ++r) g->SetCells(1, r, QString::fromLatin1(values[r - 1]));
    EXPECT_DOUBLE_EQ(g->ColumnSum(1, -1, -1), 20);
    // The average divides by every row of the range.
    EXPECT_DOUBLE_EQ(g->ColumnAvg(1, -1, -1), 4);
    EXPECT_DOUBLE_EQ(g->ColumnMin(1, -1, -1), 2);
    EXPECT_DOUBLE_EQ(g->ColumnMax(1, -1, -1), 8);
    // A range past the end is clamped to the rows that exist.
    EXPECT_DOUBLE_EQ(g->ColumnSum(1, 1, 500), 20);
    g->SetCells(1, 1, QStringLiteral("12-3"));
    EXPECT_THROW(g->ColumnMin(1, -1, -1), Exception);
    EXPECT_DOUBLE_EQ(g->ColumnStdDev(1, 5, 4), 0);
}

TEST(AdvGridCalc, DistinctTextsIgnoreCase)
{
    auto g = NewFixtureGrid(3, 5);
    const char* values[] = {"a", "A", "b", ""};
    for (int r = 1; r <= 4; ++r) g->SetCells(2, r, QString::fromLatin1(values[r - 1]));
    EXPECT_DOUBLE_EQ(g->ColumnDistinct(2, -1, -1), 3);
}

TEST(AdvGridCalc, StdDevIsThePopulationForm)
{
    auto g = NewFixtureGrid(3, 5);
    const char* values[] = {"2", "4", "4", "6"};
    for (int r = 1; r <= 4; ++r) g->SetCells(1, r, QString::fromLatin1(values[r - 1]));
    EXPECT_NEAR(g->ColumnStdDev(1, -1, -1), std::sqrt(2.0), 1e-9);
}
