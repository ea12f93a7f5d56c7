// Hiding a list of rows in one pass must leave the grid exactly as hiding
// the same rows one at a time does, and showing the pass again must give
// back the grid as it was: texts, heights, merged areas, property objects,
// row selection flags and the index mapping.

#include "AdvGridTestKit.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace {

// Every displayed row (real index, height, selection flag, the texts of all
// real columns with their merge data and property owners), then every
// hidden row (real index, height, texts). Levels are left out: a pass tags
// its rows, rows hidden one at a time are not tagged. Two values are left
// out on request, as they do not survive a round trip: a row shown again
// comes back unselected, and a property object's owner row is the display
// row its row last came back at.
QString HiddenListSnapshot(TAdvStringGrid* g, bool WithDisplayState = true)
{
    QStringList out;
    out << QStringLiteral("rows %1 hidden %2 fixed %3").arg(g->RowCount()).arg(g->NumHiddenRows()).arg(g->FixedRows());
    for (int r = 0; r < g->RowCount(); ++r) {
        QString line = QStringLiteral("%1 h%2 s%3:")
                           .arg(g->RealRowIndex(r))
                           .arg(g->RowHeights(r))
                           .arg(WithDisplayState ? int(g->RowSelect(r)) : -1);
        for (int c = 0; c < g->TotalColCount(); ++c) {
            line += QLatin1Char(' ') + g->Cells(c, r);
            if (TCellProperties* p = g->GridObjects(c, r))
                line += QStringLiteral("[%1,%2 base%3 own%4,%5]")
                            .arg(p->CellSpanX())
                            .arg(p->CellSpanY())
                            .arg(p->IsBaseCell())
                            .arg(p->OwnerCol())
                            .arg(WithDisplayState ? p->OwnerRow() : -1);
        }
        out << line;
    }
    for (int i = 0; i < g->GridItemCount(); ++i) {
        TGridItem* it = g->GridItems(i);
        QString line = QStringLiteral("hidden %1 h%2:").arg(it->Idx()).arg(it->Height());
        for (int c = 0; c < it->Count(); ++c) line += QLatin1Char(' ') + it->Text(c);
        out << line;
    }
    return out.join(QLatin1Char('\n'));
}

// Equal snapshots, or the first line where they differ.
::testing::AssertionResult SameSnapshot(const QString& A, const QString& B)
{
    const QStringList a = A.split(QLatin1Char('\n')), b = B.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QString la = a.value(i), lb = b.value(i);
        if (la != lb)
            return ::testing::AssertionFailure()
                   << "line " << i << ":\n  " << la.toStdString() << "\n  " << lb.toStdString();
    }
    return ::testing::AssertionSuccess();
}

struct HiddenListCase {
    const char* Name;
    int Rows;
    // Setup before the pass: merged areas, a node, rows hidden directly, a hidden column.
    bool Merged;
    bool Node;
    std::vector<int> HiddenFirst;  // real rows hidden directly before the pass
    bool HideColumn;
    // The pass: explicit display rows, or (when empty) a random share of the rows.
    std::vector<int> List;
    unsigned Seed;
    int Percent;
};

void HiddenListSetup(TAdvStringGrid* g, const HiddenListCase& tc)
{
    FillFixture(g, 6, tc.Rows);
    for (int r = 1; r < tc.Rows; r += 7) g->SetRowHeights(r, 30 + r % 11);
    // Selection flags by displayed row, grown once to the full row count so
    // that reading them changes nothing.
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(tc.Rows - 1, false);
    for (int r = 2; r < tc.Rows; r += 5) g->SetRowSelect(r, true);
    if (tc.Merged) {
        g->MergeCells(2, 3, 2, 2);  // inside the usual pass rows
        g->MergeCells(1, 8, 3, 1);
        g->MergeCells(4, 11, 1, 3);
    }
    if (tc.HideColumn) g->HideColumn(3);
}

std::vector<int> HiddenListRows(const HiddenListCase& tc, int RowCount)
{
    if (!tc.List.empty()) return tc.List;
    std::mt19937 rnd(tc.Seed);
    std::vector<int> rows;
    for (int r = 1; r < RowCount; ++r)
        if (int(rnd() % 100) < tc.Percent) rows.push_back(r);
    return rows;
}

}  // namespace

TEST(AdvGridHiddenList, OnePassHidesAsRowByRowAndShowingRestores)
{
    const std::vector<HiddenListCase> cases = {
        {"random third of 300", 300, false, false, {}, false, {}, 1, 33},
        {"random two thirds of 300", 300, false, false, {}, false, {}, 2, 67},
        {"runs of neighbours and the last row", 60, false, false, {}, false, {5, 6, 7, 8, 9, 10, 30, 31, 59}, 0, 0},
        {"nearly every row", 300, false, false, {}, false, {}, 3, 97},
        {"unsorted, repeated and out of range", 30, false, false, {}, false, {17, 3, 3, -1, 500, 9, 17, 30, 0}, 0, 0},
        {"merged areas inside and across", 40, true, false, {}, false, {3, 4, 8, 12, 20}, 0, 0},
        {"merged areas, random half", 120, true, false, {}, false, {}, 4, 50},
        {"over rows hidden directly", 80, false, false, {2, 10, 11, 40, 79}, false, {}, 5, 40},
        {"over a contracted node", 60, false, true, {}, false, {}, 6, 30},
        {"with a hidden column", 50, true, false, {7}, true, {}, 7, 45},
    };
    for (const HiddenListCase& tc : cases) {
        SCOPED_TRACE(tc.Name);
        TTestAdvGridPtr batch(Create<TTestAdvGrid>(nullptr));
        TTestAdvGridPtr single(Create<TTestAdvGrid>(nullptr));
        HiddenListSetup(batch.get(), tc);
        HiddenListSetup(single.get(), tc);
        const QString original = HiddenListSnapshot(batch.get(), false);
        for (TAdvStringGrid* g : {static_cast<TAdvStringGrid*>(batch.get()), static_cast<TAdvStringGrid*>(single.get())}) {
            if (tc.Node) {
                g->AddNode(5, 8);
                g->AddNode(30, 4);
                g->ContractNode(5);
            }
            for (int r : tc.HiddenFirst) g->HideRow(r);
        }
        const QString before = HiddenListSnapshot(batch.get(), false);
        ASSERT_TRUE(SameSnapshot(HiddenListSnapshot(batch.get()), HiddenListSnapshot(single.get())));

        const std::vector<int> rows = HiddenListRows(tc, batch->RowCount());
        TIntList list(0, 0);
        for (int r : rows) list.Add(r);
        // The same rows by real index, as the one-at-a-time path takes them.
        std::set<int> reals;
        for (int r : rows)
            if (r >= 0 && r < batch->RowCount()) reals.insert(batch->RealRowIndex(r));
        if (int(reals.size()) >= batch->RowCount()) reals.erase(std::prev(reals.end()));

        batch->HideRowList(&list);
        for (int real : reals) single->HideRow(real);
        EXPECT_EQ(batch->FilterLevel(), 1);
        EXPECT_TRUE(SameSnapshot(HiddenListSnapshot(batch.get()), HiddenListSnapshot(single.get())));
        for (int real : reals) EXPECT_TRUE(batch->IsHiddenRow(real)) << real;

        batch->UnHideRowList();
        for (int real : reals) single->UnHideRow(real);
        EXPECT_TRUE(SameSnapshot(HiddenListSnapshot(batch.get()), HiddenListSnapshot(single.get())));
        EXPECT_TRUE(SameSnapshot(HiddenListSnapshot(batch.get(), false), before));

        // Showing everything gives back the grid as it was filled.
        if (!tc.Node) {
            batch->UnHideRowsAll();
            EXPECT_TRUE(SameSnapshot(HiddenListSnapshot(batch.get(), false), original));
        }
    }
}

TEST(AdvGridHiddenList, StackedPassesComeBackLastFirst)
{
    // Three passes over one another, each a random share of what the one
    // before left; removing them one by one restores each earlier state.
    TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
    HiddenListCase tc{"stacked", 200, true, false, {4, 50}, false, {}, 0, 0};
    HiddenListSetup(g.get(), tc);
    for (int r : tc.HiddenFirst) g->HideRow(r);
    std::vector<QString> states{HiddenListSnapshot(g.get(), false)};
    std::mt19937 rnd(11);
    for (int pass = 0; pass < 3; ++pass) {
        TIntList list(0, 0);
        for (int r = 1; r < g->RowCount(); ++r)
            if (rnd() % 3 == 0) list.Add(r);
        g->HideRowList(&list);
        states.push_back(HiddenListSnapshot(g.get(), false));
    }
    for (int pass = 3; pass > 0; --pass) {
        ASSERT_EQ(g->FilterLevel(), pass);
        g->UnHideRowList();
        g->SetFilterLevel(pass - 1);
        EXPECT_TRUE(SameSnapshot(HiddenListSnapshot(g.get(), false), states[size_t(pass - 1)])) << pass;
    }
}

TEST(AdvGridHiddenList, RowSelectionFlagsStayWithTheirRows)
{
    // A selected row below the hidden ones keeps its flag while they are
    // hidden and after they come back.
    auto g = NewFixtureGrid(3, 12);
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(11, false);
    g->SetRowSelect(7, true);
    TIntList list(0, 0);
    list.Add(2);
    list.Add(5);
    list.Add(9);
    g->HideRowList(&list);
    std::vector<int> selected;
    for (int r = 0; r < g->RowCount(); ++r)
        if (g->RowSelect(r)) selected.push_back(g->RealRowIndex(r));
    EXPECT_EQ(selected, std::vector<int>{7});
    g->UnHideRowList();
    selected.clear();
    for (int r = 0; r < g->RowCount(); ++r)
        if (g->RowSelect(r)) selected.push_back(r);
    EXPECT_EQ(selected, std::vector<int>{7});
}
