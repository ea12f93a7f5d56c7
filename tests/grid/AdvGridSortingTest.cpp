// Sorting the string grid: by method in both directions, indexed on several
// columns, back to the unsorted order, header clicks with the undo cycle,
// and the rows that must keep their place.

#include "AdvGridTestKit.h"

#include <gtest/gtest.h>

namespace {

// Column 1 of rows 1.. gets the given texts; column 2 the row's first order.
TTestAdvGridPtr NewSortGrid(const QStringList& Texts)
{
    auto g = NewFixtureGrid(4, int(Texts.size()) + 1);
    for (int i = 0; i < Texts.size(); ++i) {
        g->SetCells(1, i + 1, Texts[i]);
        g->SetCells(2, i + 1, QString::number(i + 1));
    }
    return g;
}

QString Column(TAdvStringGrid* g, int c, int from = 1)
{
    QStringList parts;
    for (int r = from; r < g->RowCount(); ++r) parts << g->Cells(c, r);
    return parts.join(QLatin1Char(' '));
}

}  // namespace

TEST(Sorting, QSortOrdersTheDataRowsOnly)
{
    struct Case {
        const char* Name;
        QStringList Texts;
        TSortDirection Dir;
        int Footers;
        const char* Want;  // column 1 from row 1
    };
    const Case cases[] = {
        {"numbers ascending", {"10", "9", "100", "-3"}, sdAscending, 0, "-3 9 10 100"},
        {"numbers descending", {"10", "9", "100", "-3"}, sdDescending, 0, "100 10 9 -3"},
        {"texts", {"pear", "apple", "fig", "kiwi", "apple"}, sdAscending, 0, "apple apple fig kiwi pear"},
        {"a footer row stays last", {"c", "b", "a", "TOTAL"}, sdAscending, 1, "a b c TOTAL"},
        {"one data row", {"x"}, sdAscending, 0, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto g = NewSortGrid(c.Texts);
        g->SetFixedFooters(c.Footers);
        const int rows = g->RowCount();
        g->Sort(1, c.Dir);
        EXPECT_EQ(Column(g.get(), 1), QString::fromLatin1(c.Want));
        EXPECT_EQ(g->Cells(1, 0), QStringLiteral("1,0"));
        EXPECT_EQ(g->RowCount(), rows);
        // Whole rows moved: column 2 still names the row's first place.
        for (int r = 1; r < rows; ++r) EXPECT_EQ(g->Cells(1, r), c.Texts[g->Cells(2, r).toInt() - 1]);
    }
}

TEST(Sorting, UnSortRestoresTheFirstOrderAndColumnMinusOneStopsSorting)
{
    auto g = NewSortGrid({"d", "b", "a", "c", "e", "a"});
    const QString before = Column(g.get(), 1);
    g->Sort(1, sdDescending);
    g->Sort(2, sdDescending);
    g->Sort(1, sdAscending);
    EXPECT_EQ(Column(g.get(), 1), QStringLiteral("a a b c d e"));
    g->QUnSort();
    EXPECT_EQ(Column(g.get(), 1), before);
    for (int r = 0; r < g->RowCount(); ++r) EXPECT_EQ(g->SortRowXRef()->Items(r), r);

    g->SortSettings()->Remove();
    g->QSort();
    EXPECT_EQ(Column(g.get(), 1), before);
}

TEST(Sorting, IndexedSortUsesEveryColumnsOwnDirection)
{
    auto g = NewSortGrid({"b", "a", "b", "a"});
    g->SetCells(3, 1, QStringLiteral("1"));
    g->SetCells(3, 2, QStringLiteral("2"));
    g->SetCells(3, 3, QStringLiteral("3"));
    g->SetCells(3, 4, QStringLiteral("4"));
    EXPECT_THROW(g->QSortIndexed(), EAdvGridError);
    EXPECT_EQ(Column(g.get(), 1), QStringLiteral("b a b a"));
    g->SortIndexes()->AddIndex(1, true);
    g->SortIndexes()->AddIndex(3, false);
    g->QSortIndexed();
    EXPECT_EQ(Column(g.get(), 1), QStringLiteral("a a b b"));
    EXPECT_EQ(Column(g.get(), 3), QStringLiteral("4 2 3 1"));
    g->SortSettings()->SetIndexShow(true);
    EXPECT_EQ(g->SortSettings()->SaveToString(), QStringLiteral("i;u1;d3"));
}

TEST(Sorting, SettingsTextRoundTripsAndRefusesBadInput)
{
    auto g = NewSortGrid({"x", "z", "y"});
    g->SortSettings()->LoadFromString(QStringLiteral("d1"));
    EXPECT_TRUE(g->SortSettings()->Show());
    EXPECT_EQ(Column(g.get(), 1), QStringLiteral("z y x"));
    EXPECT_EQ(g->SortSettings()->SaveToString(), QStringLiteral("d1"));
    g->SortSettings()->LoadFromString(QStringLiteral("ux"));  // not a number: no sort
    EXPECT_EQ(Column(g.get(), 1), QStringLiteral("z y x"));
    EXPECT_THROW(g->SortSettings()->LoadFromString(QStringLiteral("u")), EAdvGridError);
    EXPECT_THROW(g->SortSettings()->SetRow(1), EAdvGridError);
    EXPECT_EQ(g->SortSettings()->Row(), 0);
}

TEST(Sorting, HeaderClicksCycleAscendingDescendingUnsorted)
{
    auto g = NewSortGrid({"b", "c", "a"});
    g->SortSettings()->SetShow(true);
    g->SortSettings()->SetUndoSort(true);
    std::vector<int> clicked;
    g->OnClickSort = [&](TObject*, int ACol) { clicked.push_back(ACol); };
    const char* want[] = {"a b c", "c b a", "b c a", "a b c"};
    for (const char* w : want) {
        g->SortOnHeaderClick(1, TShiftState());
        EXPECT_EQ(Column(g.get(), 1), QString::fromLatin1(w));
    }
    EXPECT_EQ(clicked, (std::vector<int>{1, 1, -1, 1}));

    // Added rows start a new unsorted order at the next click.
    g->AddRow();
    g->SetCells(1, 4, QStringLiteral("0"));
    g->SortOnHeaderClick(2,
                         TShiftState());  // column 2 ascending: 1 2 3 and the new empty one first
    g->SortOnHeaderClick(2, TShiftState());
    g->SortOnHeaderClick(2, TShiftState());  // undo
    EXPECT_EQ(Column(g.get(), 1), QStringLiteral("a b c 0"));
}

TEST(Sorting, IndexedHeaderClicksAddWithTheKeyAndFlipWithout)
{
    auto g = NewSortGrid({"b", "a", "b", "a"});
    g->SortSettings()->SetShow(true);
    g->SortSettings()->SetIndexShow(true);
    g->SortOnHeaderClick(1, TShiftState());
    g->SortOnHeaderClick(2, TShiftState{ssShift});
    g->SortOnHeaderClick(2, TShiftState{ssShift});  // flips column 2
    EXPECT_EQ(g->SortIndexes()->SaveToString(), QStringLiteral("u1;d2"));
    EXPECT_EQ(Column(g.get(), 2), QStringLiteral("4 2 3 1"));
    EXPECT_EQ(g->SortSettings()->Column(), 1);
    g->SortOnHeaderClick(2, TShiftState());  // without the key: only column 2
    EXPECT_EQ(g->SortIndexes()->SaveToString(), QStringLiteral("u2"));
}

TEST(Sorting, KeptColumnZeroSingleColumnAndHiddenColumns)
{
    // Row numbers in the fixed column stay put.
    auto g = NewSortGrid({"c", "a", "b"});
    g->SortSettings()->SetNormalCellsOnly(true);
    g->Sort(1, sdAscending);
    EXPECT_EQ(Column(g.get(), 0), QStringLiteral("0,1 0,2 0,3"));
    EXPECT_EQ(Column(g.get(), 2), QStringLiteral("2 3 1"));

    // Only the sort column moves.
    auto s = NewSortGrid({"c", "a", "b"});
    s->SortSettings()->SetSingleColumn(true);
    s->Sort(1, sdAscending);
    EXPECT_EQ(Column(s.get(), 1), QStringLiteral("a b c"));
    EXPECT_EQ(Column(s.get(), 2), QStringLiteral("1 2 3"));

    // A hidden column travels with its rows.
    auto h = NewSortGrid({"c", "a", "b"});
    h->HideColumn(2);
    h->Sort(1, sdAscending);
    h->UnHideColumn(2);
    EXPECT_EQ(Column(h.get(), 2), QStringLiteral("2 3 1"));
}

TEST(Sorting, GroupSortOrdersOnlyTheExpandedGroupsOfTheDeepestLevel)
{
    // Outer node A (rows 1-7) with the inner nodes A1 (2-4) and A2 (5-7),
    // and the outer node B (8-11) without inner nodes.
    // The node rows' texts sort after every child's.
    const QStringList texts = {"~A", "~A1", "b", "a", "~A2", "d", "c", "~B", "z", "y", "x"};
    struct Case {
        const char* Name;
        bool CollapseA1;
        const char* Want;  // column 1 from row 1 after the sort, all groups shown
    };
    const Case cases[] = {
        {"all expanded", false, "~A ~A1 a b ~A2 c d ~B z y x"},
        // A1's rows are out of view: the rows shown after it are A2's.
        {"inner group collapsed", true, "~A ~A1 b a ~A2 c d ~B z y x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto g = NewSortGrid(texts);
        g->AddNode(1, 7);
        g->AddNode(2, 3);
        g->AddNode(5, 3);
        g->AddNode(8, 4);
        g->SortSettings()->SetColumn(1);
        if (c.CollapseA1) g->ContractNode(2);
        g->QSortGroup();
        if (c.CollapseA1) g->ExpandNode(2);
        EXPECT_EQ(Column(g.get(), 1), QString::fromLatin1(c.Want));
        // Whole rows moved: column 2 still names each row's first place.
        for (int r = 1; r < g->RowCount(); ++r) EXPECT_EQ(g->Cells(1, r), texts[g->Cells(2, r).toInt() - 1]);
    }
}

TEST(Sorting, CellsSetAsideBeyondTheRowCountComeBackAfterASort)
{
    struct Case {
        const char* Name;
        void (*Sort)(TAdvStringGrid*);
        const char* Want;  // column 1 of rows 1 to 3 after the sort
    };
    const Case cases[] = {
        {"by column", [](TAdvStringGrid* g) { g->Sort(1, sdDescending); }, "c b a"},
        {"indexed",
         [](TAdvStringGrid* g) {
             g->SortIndexes()->AddIndex(1, false);
             g->QSortIndexed();
         },
         "c b a"},
        {"in node groups",
         [](TAdvStringGrid* g) {
             g->AddNode(1, 3);
             g->SortSettings()->SetColumn(1);
             g->SortSettings()->SetDirection(sdDescending);
             g->QSortGroup();
         },
         "a c b"},
        {"a row range",
         [](TAdvStringGrid* g) {
             g->SortSettings()->SetDirection(sdDescending);
             g->QuickSort(1, 1, 2);
         },
         "b a c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto g = NewSortGrid({"a", "b", "c", "d", "e"});
        // Rows 4 and 5 go out of the grid with a text and a property object.
        g->SetColors(1, 4, clRed);
        g->SetReadOnly(3, 5, true);
        g->SetRowCount(4);
        c.Sort(g.get());
        EXPECT_EQ(Column(g.get(), 1), QString::fromLatin1(c.Want));
        g->SetRowCount(6);
        EXPECT_EQ(RowText(g.get(), 4), QStringLiteral("0,4|d|4|3,4"));
        EXPECT_EQ(RowText(g.get(), 5), QStringLiteral("0,5|e|5|3,5"));
        EXPECT_EQ(g->Colors(1, 4), clRed);
        EXPECT_TRUE(g->ReadOnly(3, 5));
    }
}
