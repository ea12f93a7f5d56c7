// Hidden columns (cells stay, only the shown columns change), hidden rows
// (taken out with their cells, objects and heights) and the index mapping.

#include "AdvGridTestKit.h"

#include <gtest/gtest.h>

TEST(AdvGridHiddenColumns, MappingTablesAndCellsStayInPlace)
{
    auto g = NewFixtureGrid(6, 4);
    g->HideColumn(1);
    g->HideColumn(3);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->NumHiddenColumns(), 2);
    EXPECT_EQ(g->TotalColCount(), 6);
    struct Case {
        int display, real;
    };
    for (Case c : {Case{0, 0}, Case{1, 2}, Case{2, 4}, Case{3, 5}, Case{4, 0}}) {
        EXPECT_EQ(g->RealColIndex(c.display), c.real) << c.display;
    }
    struct Back {
        int real, display;
    };
    for (Back c : {Back{0, 0}, Back{1, 1}, Back{2, 1}, Back{3, 2}, Back{4, 2}, Back{5, 3}}) {
        EXPECT_EQ(g->DisplColIndex(c.real), c.display) << c.real;
    }
    EXPECT_TRUE(g->IsHiddenColumn(3));
    EXPECT_FALSE(g->IsHiddenColumn(2));
    // The hidden column's cells never moved.
    EXPECT_EQ(g->Cells(3, 2), "3,2");
    EXPECT_EQ(RowText(g.get(), 2), "0,2|2,2|4,2|5,2");
}

TEST(AdvGridHiddenColumns, WidthComesBackAndTheLastShownColumnStays)
{
    auto g = NewFixtureGrid(5, 3);
    g->SetColWidths(2, 77);
    g->SetColWidths(3, 33);
    g->HideColumn(2);
    EXPECT_EQ(g->ColWidths(2), 33);  // the widths right of it moved left
    EXPECT_EQ(g->AllColWidths(2), 77);
    g->UnHideColumn(2);
    EXPECT_EQ(g->ColWidths(2), 77);
    EXPECT_EQ(g->ColWidths(3), 33);
    EXPECT_EQ(g->Cells(2, 1), "2,1");

    TTestAdvGridPtr one(Create<TTestAdvGrid>(nullptr));
    one->SetFixedCols(0);
    one->SetColCount(1);
    one->HideColumn(0);
    EXPECT_EQ(one->ColCount(), 1);
    EXPECT_EQ(one->NumHiddenColumns(), 0);
}

TEST(AdvGridHiddenColumns, ColumnsBeyond512CanBeHiddenAndMapped)
{
    auto g = NewFixtureGrid(600, 2);
    g->HideColumn(550);
    EXPECT_TRUE(g->IsHiddenColumn(550));
    EXPECT_EQ(g->ColCount(), 599);
    EXPECT_EQ(g->RealColIndex(550), 551);
    EXPECT_EQ(g->DisplColIndex(551), 550);
    g->UnHideColumnsAll();
    EXPECT_EQ(g->ColCount(), 600);
    EXPECT_EQ(g->Cells(550, 1), "550,1");
}

TEST(AdvGridHiddenRows, HideThreeOfTenAndShowThemAgain)
{
    auto g = NewFixtureGrid(4, 10);
    g->SetRowHeights(4, 40);
    TCellGraphic* graphic = g->CreateCellGraphic(2, 4);
    graphic->SetAngle(-90);
    g->HideRows(3, 5);
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(g->NumHiddenRows(), 3);
    EXPECT_EQ(g->RealRowIndex(3), 6);
    EXPECT_EQ(g->DisplRowIndex(6), 3);
    EXPECT_EQ(g->DisplRowIndex(4), 3);
    EXPECT_EQ(g->RealRowIndex(-1), -1);
    EXPECT_TRUE(g->IsHiddenRow(4));
    EXPECT_EQ(g->Cells(1, 3), "1,6");
    EXPECT_EQ(g->AllCells(1, 4), "1,4");
    EXPECT_EQ(g->AllCells(1, 6), "1,6");

    g->UnHideRows(3, 5);
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(ColumnOne(g.get()), "1,0 1,1 1,2 1,3 1,4 1,5 1,6 1,7 1,8 1,9");
    EXPECT_EQ(g->RowHeights(4), 40);
    ASSERT_EQ(g->GetCellGraphic(2, 4), graphic);
    EXPECT_EQ(graphic->CellAngle(), 270);
}

TEST(AdvGridHiddenRows, PartlyHiddenRangesAndShownFirstRow)
{
    auto g = NewFixtureGrid(3, 10);
    g->HideRow(4);
    g->HideRows(3, 6);  // 4 is hidden already: only 3, 5, 6 are stored now
    EXPECT_EQ(g->NumHiddenRows(), 4);
    EXPECT_EQ(ColumnOne(g.get()), "1,0 1,1 1,2 1,7 1,8 1,9");
    g->UnHideRows(7, 8);  // 7 is shown: nothing
    EXPECT_EQ(g->NumHiddenRows(), 4);
    g->UnHideRows(3, 6);
    EXPECT_EQ(ColumnOne(g.get()), "1,0 1,1 1,2 1,3 1,4 1,5 1,6 1,7 1,8 1,9");
}

TEST(AdvGridHiddenRows, HideRowsExLeavesTheRealIndexesOfOtherHiddenRows)
{
    auto g = NewFixtureGrid(3, 12);
    g->HideRow(2);
    g->HideRow(9);
    g->HideRowsEx(4, 6);
    std::vector<int> idx;
    for (int i = 0; i < g->GridItemCount(); ++i) idx.push_back(g->GridItems(i)->Idx());
    EXPECT_EQ(idx, (std::vector<int>{2, 4, 5, 6, 9}));
    g->UnHideRowsAll();
    EXPECT_EQ(ColumnOne(g.get()), "1,0 1,1 1,2 1,3 1,4 1,5 1,6 1,7 1,8 1,9 1,10 1,11");
}

TEST(AdvGridHiddenRows, FilterPassesReturnTheirOwnRowsAndDirectlyHiddenRowsStay)
{
    auto g = NewFixtureGrid(3, 12);
    // Rows hidden directly: by HideRows and by the list form without a pass.
    g->HideRow(3);
    TIntList direct(0, 0);
    direct.Add(g->DisplRowIndex(8));
    g->HideRowListDirect(&direct);
    EXPECT_EQ(g->FilterLevel(), 0);
    // Pass 1 hides real 1 and 10; pass 2 real 5 and 9 (9 is below row 8,
    // which was hidden directly).
    TIntList pass1(0, 0);
    pass1.Add(g->DisplRowIndex(1));
    pass1.Add(g->DisplRowIndex(10));
    g->HideRowList(&pass1);
    TIntList pass2(0, 0);
    pass2.Add(g->DisplRowIndex(5));
    pass2.Add(g->DisplRowIndex(9));
    g->HideRowList(&pass2);
    EXPECT_EQ(g->FilterLevel(), 2);
    EXPECT_EQ(ColumnOne(g.get()), "1,0 1,2 1,4 1,6 1,7 1,11");

    g->UnHideRowList();
    g->SetFilterLevel(g->FilterLevel() - 1);
    EXPECT_EQ(ColumnOne(g.get()), "1,0 1,2 1,4 1,5 1,6 1,7 1,9 1,11");
    g->UnHideRowList();
    g->SetFilterLevel(g->FilterLevel() - 1);
    EXPECT_EQ(ColumnOne(g.get()), "1,0 1,1 1,2 1,4 1,5 1,6 1,7 1,9 1,10 1,11");
    // The rows hidden directly stay hidden with their data.
    EXPECT_EQ(g->NumHiddenRows(), 2);
    EXPECT_EQ(g->AllCells(2, 3), "2,3");
    EXPECT_EQ(g->AllCells(2, 8), "2,8");
}

TEST(AdvGridHiddenRows, HiddenColumnCellsTravelWithTheirRows)
{
    auto g = NewFixtureGrid(5, 6);
    g->HideColumn(2);
    g->HideRows(2, 3);
    EXPECT_EQ(g->AllCells(2, 3), "2,3");
    g->UnHideRows(2, 3);
    g->UnHideColumn(2);
    EXPECT_EQ(RowText(g.get(), 3), "0,3|1,3|2,3|3,3|4,3");
}

TEST(AdvGridHiddenRows, ListFormOfIsHiddenRowBuildsTheListOnce)
{
    auto g = NewFixtureGrid(3, 8);
    g->HideRows(2, 3);
    TIntList* list = nullptr;
    EXPECT_TRUE(g->IsHiddenRow(3, list));
    ASSERT_NE(list, nullptr);
    TIntList* same = list;
    EXPECT_FALSE(g->IsHiddenRow(4, list));
    EXPECT_EQ(list, same);
    EXPECT_EQ(list->Count(), 2);
    Free(list);
}
