// Row and column structure: every list indexed by row follows insertions
// and removals, bounds change nothing, hidden columns and hidden rows keep
// their cells through column operations, and no object is lost or kept twice.

#include "AdvGridTestKit.h"
#include "ExtCtrls.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> HiddenIdx(TAdvStringGrid* g)
{
    std::vector<int> v;
    for (int i = 0; i < g->GridItemCount(); ++i) v.push_back(g->GridItems(i)->Idx());
    return v;
}

} // namespace

TEST(AdvGridRows, EverythingAttachedToARowFollowsInsertAndRemove)
{
    struct Case {
        const char* what;
        bool insert;  // InsertRows(1, 2, True), else RemoveRows(2, 3)
        std::vector<int> hidden;
        int controlRow;
        std::vector<int> selected;
        std::vector<bool> modified;  // display rows 0..
    };
    const Case cases[] = {
        {"insert", true, {9, 11}, 5, {5, 8}, {false, false, false, false, false, true, false, false, true}},
        {"remove", false, {4, 6}, -1, {3}, {false, false, false, true}},
    };
    for (const Case& c : cases) {
        auto g = NewFixtureGrid(4, 12);
        g->HideRow(7);
        g->HideRow(9);
        g->MouseActions()->SetDisjunctRowSelect(true);
        g->SetRowSelect(6, true);  // display 6 = real 6
        g->SetRowSelect(3, true);
        g->SetRowModified(3, true);
        g->SetRowModified(6, true);
        auto* ctl = new TPanel(g.get());
        g->SetCellControls(2, 3, ctl);
        if (c.insert) g->InsertRows(1, 2, true);
        else g->RemoveRows(2, 3);
        EXPECT_EQ(HiddenIdx(g.get()), c.hidden) << c.what;
        if (c.controlRow >= 0) {
            ASSERT_EQ(g->ControlList()->Count(), 1) << c.what;
            EXPECT_EQ(g->ControlList()->Control(0)->Y(), c.controlRow) << c.what;
            EXPECT_EQ(g->CellControls(2, c.controlRow), ctl) << c.what;
        } else {
            EXPECT_EQ(g->ControlList()->Count(), 0) << c.what;
            EXPECT_FALSE(ctl->Visible()) << c.what;
            EXPECT_EQ(g->NumCellControls(), 0) << c.what;
        }
        std::vector<int> sel;
        for (int i = 0; i < g->SelectedRowCount(); ++i) sel.push_back(g->SelectedRow(i));
        std::sort(sel.begin(), sel.end());
        EXPECT_EQ(sel, c.selected) << c.what;
        for (int r = 0; r < int(c.modified.size()); ++r) EXPECT_EQ(g->RowModified(r), c.modified[size_t(r)]) << c.what << r;
        // The hidden rows come back at their places.
        g->UnHideRowsAll();
        for (int r = 0; r < g->RowCount(); ++r)
            if (!g->Cells(1, r).isEmpty()) {
                EXPECT_TRUE(g->Cells(1, r).startsWith("1,")) << c.what;
            }
        Free(ctl);
    }
}

TEST(AdvGridRows, RemoveRowsBoundsChangeNothingOutside)
{
    struct Case {
        int index, count;
        int rows;
        const char* col1;
    };
    const Case cases[] = {
        {6, 1, 6, "1,0 1,1 1,2 1,3 1,4 1,5"},       // index = RowCount
        {4, 10, 4, "1,0 1,1 1,2 1,3"},              // count past the end is cut
        {-1, 2, 6, "1,0 1,1 1,2 1,3 1,4 1,5"},      // negative index
        {2, 0, 6, "1,0 1,1 1,2 1,3 1,4 1,5"},       // count below 1
        {5, 1, 5, "1,0 1,1 1,2 1,3 1,4"},           // the last row
    };
    for (const Case& c : cases) {
        auto g = NewFixtureGrid(3, 6);
        g->RemoveRows(c.index, c.count);
        EXPECT_EQ(g->RowCount(), c.rows) << c.index << "," << c.count;
        EXPECT_EQ(ColumnOne(g.get()), c.col1) << c.index << "," << c.count;
    }
    auto g = NewFixtureGrid(3, 6);
    g->InsertRows(7, 1);
    g->InsertRows(-1, 1);
    g->InsertRows(2, 0);
    EXPECT_EQ(g->RowCount(), 6);
    g->InsertRows(6, 1);  // at RowCount: appended
    EXPECT_EQ(g->RowCount(), 7);
}

TEST(AdvGridRows, RowsBeyondALoweredCountStayWhereTheyAre)
{
    auto g = NewFixtureGrid(3, 8);
    g->SetRowCount(5);
    g->RemoveRows(2, 1);
    g->SetRowCount(8);
    // Row 4 was emptied (it moved up); the rows beyond the old count kept
    // their place.
    EXPECT_EQ(ColumnOne(g.get()), "1,0 1,1 1,3 1,4  1,5 1,6 1,7");
}

TEST(AdvGridRows, RemoveColsOfAHiddenColumnCountsItOut)
{
    auto g = NewFixtureGrid(6, 4);
    g->HideColumn(2);
    g->RemoveCols(2, 1);
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->ColCount() + g->NumHiddenColumns(), 5);
    EXPECT_EQ(RowText(g.get(), 1), "0,1|1,1|3,1|4,1|5,1");
    g->HideColumn(1);
    g->RemoveCols(0, 2);  // one shown, one hidden
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(RowText(g.get(), 1), "3,1|4,1|5,1");
}

TEST(AdvGridRows, ColumnOperationsMoveTheCellsOfHiddenRows)
{
    auto g = NewFixtureGrid(5, 5);
    g->HideRow(2);
    g->InsertCols(1, 1);
    g->SwapColumns(3, 4);
    g->RemoveCols(5, 1);
    g->UnHideRow(2);
    EXPECT_EQ(RowText(g.get(), 2), "0,2||1,2|3,2|2,2");
    EXPECT_EQ(RowText(g.get(), 1), "0,1||1,1|3,1|2,1");
}

TEST(AdvGridRows, ObjectsInHiddenColumnsAreFreedOnceWhenRowsGo)
{
    // Runs under the leak checker: every graphic and property object made
    // here must be freed exactly once.
    auto g = NewFixtureGrid(6, 10);
    g->HideColumn(4);
    for (int r = 1; r < 9; ++r) {
        g->CreateCellGraphic(4, r)->SetMultiImage(4, r, 0, haLeft, vaTop, nullptr);
        g->SetColors(5, r, 0x123456);
    }
    g->RemoveRowsEx(2, 2);
    g->DeleteRows(2, 2);
    g->RemoveRows(1, 1);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(ColumnOne(g.get()), "1,0 1,6 1,7 1,8 1,9");
    EXPECT_NE(g->GetCellGraphic(4, 1), nullptr);
}

TEST(AdvGridRows, SwapRowsAndColumnsWithTheirSizesAndControls)
{
    auto g = NewFixtureGrid(5, 6);
    g->SetRowHeights(2, 40);
    auto* ctl = new TPanel(g.get());
    g->SetCellControls(1, 2, ctl);
    g->SwapRows(2, 4);
    EXPECT_EQ(g->Cells(1, 4), "1,2");
    EXPECT_EQ(g->RowHeights(4), 40);
    EXPECT_EQ(g->ControlList()->Control(0)->Y(), 4);
    g->SetColWidths(1, 90);
    g->SwapColumns(1, 3);
    EXPECT_EQ(g->Cells(3, 1), "1,1");
    EXPECT_EQ(g->ColWidths(3), 90);
    Free(ctl);
}

TEST(AdvGridRows, MoveRowsTargetIsCountedAfterTheRemoval)
{
    auto g = NewFixtureGrid(3, 12);
    g->MoveRows(2, 10, 3);
    EXPECT_EQ(g->Cells(1, 7), "1,2");
    EXPECT_EQ(g->Cells(1, 8), "1,3");
    EXPECT_EQ(g->Cells(1, 9), "1,4");
    EXPECT_EQ(g->Cells(1, 2), "1,5");
}

TEST(AdvGridRows, CurrentRowAndTopRow)
{
    auto g = NewFixtureGrid(3, 100);
    int events = 0, from = -2, to = -2;
    g->OnRowChanged = [&](TObject*, int o, int n) {
        ++events;
        from = o;
        to = n;
    };
    g->SetRow(5);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(from, -1);
    EXPECT_EQ(to, 5);
    g->SetRow(5);
    EXPECT_EQ(events, 1);
    EXPECT_THROW(g->SetRow(0), EInvalidGridOperation);
    EXPECT_THROW(g->SetRow(100), EInvalidGridOperation);
    EXPECT_EQ(events, 1);
    g->SetTopRow(0);
    EXPECT_EQ(g->TopRow(), 1);
    g->SetTopRow(200);
    EXPECT_EQ(g->TopRow(), 1);
    // Remove the last row while it is current: the new last row is current.
    g->SetRow(99);
    g->RemoveRows(99, 1);
    EXPECT_EQ(g->Row(), 98);
}

TEST(AdvGridRows, ScrollInViewStopsOnAGridTooLowForTheSearchFooter)
{
    auto g = NewFixtureGrid(3, 40);
    g->SetBounds(0, 0, 300, 30);
    g->SearchFooter()->SetVisible(true);
    g->ScrollInView(1, 39);  // must return
    EXPECT_EQ(g->Row(), 39);
}

TEST(AdvGridRows, FixedRowAlwaysKeepsAFixedRow)
{
    TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
    g->SetRowCount(6);
    g->SetFixedRowAlways(true);
    g->SetFixedRows(2);
    g->SetRowCount(2);
    EXPECT_EQ(g->FixedRows(), 1);
    g->SetRowCount(5);
    EXPECT_EQ(g->FixedRows(), 2);
}

TEST(AdvGridRows, ColumnOrderAndHeaders)
{
    auto g = NewFixtureGrid(5, 3);
    EXPECT_EQ(g->ColumnPosition(3), 3);
    EXPECT_EQ(g->ColumnAtPosition(2), 2);
    EXPECT_EQ(g->ColumnOrder()->Count(), 5);
    g->SetCells(3, 0, "Name");
    g->HideColumn(3);
    EXPECT_EQ(g->ColumnByHeader("Name"), 3);
    EXPECT_EQ(g->ColumnByHeader("name"), -1);
}

TEST(AdvGridRows, RemoveDuplicatesKeepsTheFirstOfEachText)
{
    auto g = NewFixtureGrid(3, 5);
    const char* texts[] = {"a", "A", "b", "a"};
    for (int r = 1; r < 5; ++r) g->SetCells(1, r, texts[r - 1]);
    g->RemoveDuplicates(1, false);
    EXPECT_EQ(ColumnOne(g.get()), "1,0 a b");
}

TEST(AdvGridRows, MovingAColumnCarriesItsCellsAndControl)
{
    auto g = NewFixtureGrid(5, 4);
    auto* ctl = new TPanel(g.get());
    g->SetCellControls(1, 2, ctl);
    g->SetCellControls(3, 1, nullptr);
    g->MoveColumn(1, 3);
    EXPECT_EQ(RowText(g.get(), 2), "0,2|2,2|3,2|1,2|4,2");
    EXPECT_EQ(g->ControlList()->Control(0)->X(), 3);
    EXPECT_EQ(g->ColumnOrder()->Count(), 5);
    Free(ctl);
}

TEST(AdvGridRows, HiddenSelectionComesBackOrFallsToTheFirstCell)
{
    auto g = NewFixtureGrid(4, 10);
    g->SelectCells(1, 6, 2, 8);
    g->HideSelection();
    EXPECT_TRUE(g->SelectionHidden());
    EXPECT_FALSE(g->IsSelected(1, 6));
    g->UnHideSelection();
    EXPECT_EQ(g->Selection(), (TGridRect{1, 6, 2, 8}));
    g->HideSelection();
    g->SetRowCount(5);  // the stored selection now lies beyond the grid
    g->UnHideSelection();
    EXPECT_EQ(g->Selection(), (TGridRect{1, 1, 1, 1}));
}
