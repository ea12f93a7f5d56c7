// Filtering rows: the row test, a pass as one filter level, the on/off
// switch and the narrow-down while typing.

#include "AdvGridFilter.h"
#include "AdvGridTestKit.h"

#include <gtest/gtest.h>

namespace {

// Column 1 and 2 of the normal rows, one pair per row; one fixed row and column.
TTestAdvGridPtr FilterGrid(const QList<QPair<QString, QString>>& rows)
{
    TTestAdvGridPtr g = NewFixtureGrid(4, int(rows.size()) + 1);
    for (int i = 0; i < rows.size(); ++i) {
        g->SetCells(1, i + 1, rows[i].first);
        g->SetCells(2, i + 1, rows[i].second);
    }
    return g;
}

// Column 1 of the shown normal rows.
QString Shown(TAdvStringGrid* g)
{
    QStringList out;
    for (int r = g->FixedRows(); r < g->RowCount(); ++r) out << g->Cells(1, r);
    return out.join(QLatin1Char(' '));
}

struct FilterCond {
    int Column;
    const char* Condition;
    TFilterOperation Op;
    TFilterMethod Method = fmExpression;
    TFilterCells Data = fcVirtual;
    const char* Prefix = "";
};

}  // namespace

TEST(GridFilter, ConditionListsKeepTheRowsTheirJoinsSay)
{
    const QList<QPair<QString, QString>> rows{
        {"Apple", "Berry"}, {"Avocado", "x"}, {"kiwi", "Banana"}, {"ABC", "$12"}, {"abc", "$5"}};
    struct Case {
        const char* Name;
        std::vector<FilterCond> Conds;
        const char* Kept;
    } cases[] = {
        {"empty filter", {}, "Apple Avocado kiwi ABC abc"},
        {"A* none, B* or", {{1, "A*", foNONE}, {2, "B*", foOR}}, "Apple Avocado kiwi ABC"},
        {"first or keeps all", {{1, "zzz", foOR}}, "Apple Avocado kiwi ABC abc"},
        {"first xor negates", {{1, "A*", foXOR}}, "kiwi abc"},
        {"short cut ends the test", {{1, "k*", foSHORT}, {2, "*", foOR}}, "kiwi"},
        {"literal is exact", {{1, "abc", foNONE, fmLiteral}}, "abc"},
        {"expression with case", {{1, "a*", foNONE}}, "abc"},
        {"prefix removed before the test", {{2, ">10", foNONE, fmExpression, fcVirtual, "$"}}, "Apple Avocado kiwi ABC"},
        {"row text, any case", {{0, "NAN", foNONE, fmExpression, fcRow}}, "kiwi"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTestAdvGridPtr g = FilterGrid(rows);
        for (const FilterCond& f : c.Conds) {
            TFilterData* d = g->Filter()->Add();
            d->SetColumn(f.Column);
            d->SetCondition(QString::fromUtf8(f.Condition));
            d->SetOperation(f.Op);
            d->SetMethod(f.Method);
            d->SetData(f.Data);
            d->SetPrefix(QString::fromUtf8(f.Prefix));
            d->SetCaseSensitive(true);
        }
        g->SetFilterActive(true);
        EXPECT_EQ(Shown(g.get()), QString::fromUtf8(c.Kept));
        g->SetFilterActive(false);
        EXPECT_EQ(Shown(g.get()), "Apple Avocado kiwi ABC abc");
    }
}

TEST(GridFilter, CustomFilterHasTheLastWordAndProgressCountsTestedRows)
{
    TTestAdvGridPtr g = FilterGrid({{"a", ""}, {"b", ""}, {"c", ""}, {"d", ""}});
    g->OnCustomFilter = [](TObject*, int ARow, bool& Accept) { Accept = Accept && ARow != 2; };
    QList<int> progress;
    g->OnFilterProgress = [&](TObject*, int p) { progress << p; };
    g->ApplyFilter();
    EXPECT_EQ(Shown(g.get()), "a c d");
    EXPECT_EQ(progress, (QList<int>{25, 50, 75, 100, 100}));
    EXPECT_EQ(g->FilterLevel(), 1);
    EXPECT_FALSE(g->RemoveLastFilter());
    EXPECT_EQ(g->FilterLevel(), 0);
    EXPECT_EQ(Shown(g.get()), "a b c d");
    EXPECT_FALSE(g->RemoveLastFilter());
}

TEST(GridFilter, SwitchingOffKeepsTheLevelSoRemoveAllUndoesLevels)
{
    TTestAdvGridPtr g = FilterGrid({{"a1", ""}, {"b1", ""}, {"a2", ""}});
    TFilterData* d = g->Filter()->Add();
    d->SetColumn(1);
    d->SetCondition("a*");
    g->SetFilterActive(true);
    EXPECT_EQ(Shown(g.get()), "a1 a2");
    g->SetFilterActive(false);
    g->SetFilterActive(true);
    EXPECT_EQ(g->FilterLevel(), 2);
    g->RemoveAllFilters();
    EXPECT_EQ(g->FilterLevel(), 0);
    EXPECT_EQ(Shown(g.get()), "a1 b1 a2");
    EXPECT_EQ(g->Filter()->Count(), 1);  // levels undone, conditions kept
    g->RemoveAllFilters();
    EXPECT_EQ(g->Filter()->Count(), 0);
}

TEST(GridFilter, FilterRowHidesOneFailingRowWithoutLevel)
{
    TTestAdvGridPtr g = FilterGrid({{"a", ""}, {"b", ""}});
    TFilterData* d = g->Filter()->Add();
    d->SetColumn(1);
    d->SetCondition("a");
    g->FilterRow(2);
    g->FilterRow(1);
    EXPECT_EQ(Shown(g.get()), "a");
    EXPECT_EQ(g->FilterLevel(), 0);
}

TEST(GridFilter, NarrowDownStacksOneLevelPerCharacter)
{
    TTestAdvGridPtr g = FilterGrid({{"abc", ""}, {"abd", ""}, {"axe", ""}, {"xyz", ""}, {"a b", ""}});
    g->NarrowDown("a", 1);
    EXPECT_EQ(Shown(g.get()), "abc abd axe a b");
    g->NarrowDown("ab", 1);
    EXPECT_EQ(g->FilterLevel(), 2);
    g->NarrowDown("abc", 1);
    EXPECT_EQ(g->FilterLevel(), 3);
    EXPECT_EQ(Shown(g.get()), "abc");
    g->NarrowDown("ab", 1);
    EXPECT_EQ(g->FilterLevel(), 2);
    EXPECT_EQ(Shown(g.get()), "abc abd");
    g->NarrowDown("x", 1);
    EXPECT_EQ(g->FilterLevel(), 1);
    EXPECT_EQ(Shown(g.get()), "axe xyz");
    // A blank inside: the pattern is quoted so the blank is part of it.
    g->NarrowDown("a b", 1);
    EXPECT_EQ(g->Filter()->Items(0)->Condition(), "\"*a b*\"");
    EXPECT_EQ(Shown(g.get()), "a b");
    EXPECT_TRUE(g->FixedRowAlways());
}

TEST(GridFilter, NarrowDownToEmptyKeepsRowsHiddenDirectly)
{
    TTestAdvGridPtr g = FilterGrid({{"abc", ""}, {"abd", ""}, {"xyz", ""}});
    g->HideRow(3);
    g->NarrowDown("a", -1);
    g->NarrowDown("ab", -1);
    g->NarrowDown("", -1);
    EXPECT_EQ(g->FilterLevel(), 0);
    EXPECT_EQ(Shown(g.get()), "abc abd");
    EXPECT_EQ(g->NumHiddenRows(), 1);
    EXPECT_EQ(g->AllCells(1, 3), "xyz");
}

TEST(GridFilter, ColumnConditionsAreFoundAddedAndRemoved)
{
    TTestAdvGridPtr g = FilterGrid({{"a", ""}});
    TFilter* f = g->Filter();
    EXPECT_FALSE(f->HasFilter(2));
    TFilterData* d = f->GetColFilter(2);
    EXPECT_EQ(d->Column(), 2);
    EXPECT_EQ(f->GetColFilter(2), d);
    f->GetColFilter(1);
    f->Add()->SetColumn(2);
    EXPECT_TRUE(f->HasFilter(2));
    f->RemoveColumnFilter(2);
    EXPECT_FALSE(f->HasFilter(2));
    EXPECT_EQ(f->Count(), 1);
}
