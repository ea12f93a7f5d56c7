// Highlighting and marking inside cell texts, and the small shared text
// routines and hooks of the grid.

#include "AdvGridTestKit.h"
#include "Graphics.h"

#include <gtest/gtest.h>

TEST(GridHighlight, CellTextsGainAndLoseTheTagPair)
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 4);
    g->SetCells(1, 1, "xAbx");
    g->HilightInCell(false, 1, 1, "ab");
    EXPECT_EQ(g->Cells(1, 1), "x<hi>Ab</hi>x");
    g->UnHilightInCell(1, 1);
    EXPECT_EQ(g->Cells(1, 1), "xAbx");
    g->HilightInCell(true, 1, 1, "ab");
    EXPECT_EQ(g->Cells(1, 1), "xAbx");

    // Entities are written also where nothing is found, and read back.
    g->SetCells(2, 1, "a<b");
    g->SetCells(3, 1, "a<b & ab");
    g->MarkInRow(false, false, 1, "zz");
    EXPECT_EQ(g->Cells(2, 1), "a&lt;b");
    g->UnMarkInRow(false, 1);
    EXPECT_EQ(g->Cells(2, 1), "a<b");
    g->HilightInGrid(false, false, "b");
    EXPECT_EQ(g->Cells(3, 1), "a&lt;<hi>b</hi> &amp; a<hi>b</hi>");
    g->UnHilightInGrid(false);
    EXPECT_EQ(g->Cells(3, 1), "a<b & ab");
    EXPECT_EQ(g->UnHilightText(g->HilightText(false, "Zebra", "e")), "Zebra");
    EXPECT_EQ(g->MarkText(false, "Zebra", "E"), "Z<e>e</e>bra");
}

TEST(GridHighlight, MergedAreaChangesOnceThroughItsBaseCell)
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 4);
    g->SetCells(1, 1, "ab");
    g->MergeCells(1, 1, 2, 1);  // (1,1) spans two columns
    g->HilightInRow(false, false, 1, "a");
    EXPECT_EQ(g->GridCells(1, 1), "<hi>a</hi>b");
}

TEST(GridHighlight, HiddenColumnsAreReachedAsTheRangesSay)
{
    // The last column hidden; which methods reach its cell (4, 1)?
    struct Case {
        const char* Name;
        std::function<void(TAdvStringGrid*)> Add;
        std::function<void(TAdvStringGrid*)> Remove;
        bool AddReaches;
        bool RemoveReaches;
    } cases[] = {
        {"row", [](TAdvStringGrid* g) { g->HilightInRow(false, false, 1, "q"); },
         [](TAdvStringGrid* g) { g->UnHilightInRow(false, 1); }, false, true},
        {"grid highlight", [](TAdvStringGrid* g) { g->HilightInGrid(false, false, "q"); },
         [](TAdvStringGrid* g) { g->UnHilightInGrid(false); }, true, true},
        {"grid mark", [](TAdvStringGrid* g) { g->MarkInGrid(false, false, "q"); },
         [](TAdvStringGrid* g) { g->UnMarkInGrid(false); }, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTestAdvGridPtr g = NewFixtureGrid(5, 3);
        g->SetCells(4, 1, "q");
        g->HideColumn(4);
        c.Add(g.get());
        EXPECT_EQ(g->AllGridCells(4, 1) != "q", c.AddReaches);
        // Removing: put a pair there by hand and see whether it goes.
        const QString tagged = c.Name == QString("grid mark") ? "<e>q</e>" : "<hi>q</hi>";
        g->SetCells(4, 1, tagged);
        c.Remove(g.get());
        EXPECT_EQ(g->AllGridCells(4, 1) == "q", c.RemoveReaches);
    }
}

TEST(GridTextRoutines, LongestColumnLineCountsSavedTexts)
{
    TTestAdvGridPtr g = NewFixtureGrid(3, 4);
    g->SetCells(1, 0, "abc");
    g->SetCells(1, 1, "de\r\nfghij");
    g->SetCells(1, 2, "");
    g->SetCells(1, 3, "");
    g->SetMultilineCells(true);
    EXPECT_EQ(g->MaxColumnTextLength(1), 5);
    g->SetMultilineCells(false);
    EXPECT_EQ(g->MaxColumnTextLength(1), 9);
    g->AddCheckBox(1, 2, false, false);
    g->SetCheckFalse("unchecked!");
    EXPECT_EQ(g->MaxColumnTextLength(1), 10);
}

TEST(GridHooks, ChangeOfScaleSizesTheFixedAndActiveFonts)
{
    struct Case {
        int M, D, Size, Expected;
    } cases[] = {{96, 96, 8, 8}, {120, 96, 8, 10}, {96, 120, 10, 8}};
    for (const Case& c : cases) {
        TTestAdvGridPtr g = NewFixtureGrid();
        g->FixedFont()->SetSize(c.Size);
        g->ActiveCellFont()->SetSize(c.Size);
        g->HandleChangeScale(c.M, c.D);
        EXPECT_EQ(g->FixedFont()->Size(), c.Expected);
        EXPECT_EQ(g->ActiveCellFont()->Size(), c.Expected);
    }
}

TEST(GridHooks, FixedEditChangeWithoutHandlerDoesNothing)
{
    TTestAdvGridPtr g = NewFixtureGrid();
    g->FixedEditChange(g.get());
    QString seen;
    g->OnEditChange = [&](TObject*, int, int, const QString& v) { seen = v + "!"; };
    g->FixedEditChange(g.get());
    EXPECT_EQ(seen, "!");
}
