// Nodes: collapsible row branches that keep their rows intact, the click on
// the glyph, and grouping on a column with group calculations.

#include "AdvGridCellGraphic.h"
#include "AdvGridInputTestKit.h"
#include "AdvGridLook.h"
#include "AdvGridSort.h"
#include "AdvGridTestKit.h"
#include "TestHarness.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString AllRows(TAdvStringGrid* g)
{
    QStringList rows;
    for (int r = 0; r < g->RowCount(); ++r) rows << RowText(g, r);
    return rows.join(QLatin1Char('\n'));
}

} // namespace

TEST(AdvGridNodes, AddNodeSetsLevelsSpanAndSpanTypes)
{
    auto g = NewFixtureGrid(4, 8);
    g->SetFixedCols(0);
    g->SetCol(0);
    g->AddNode(1, 3);
    EXPECT_TRUE(g->IsNode(1));
    EXPECT_FALSE(g->IsNode(2));
    EXPECT_FALSE(g->IsNode(-1));
    EXPECT_EQ(g->GetNodeLevel(1), 1);
    EXPECT_EQ(g->GetNodeLevel(2), -1);  // no node row
    EXPECT_EQ(g->GridObjects(0, 3)->NodeLevel(), 1);
    EXPECT_EQ(g->GetNodeSpan(1), 3);
    EXPECT_EQ(g->GetNodeSpan(2), -1);
    EXPECT_EQ(g->GetSubNodeCount(1), 0);
    EXPECT_FALSE(g->GetNodeState(1));
    struct Case {
        int row, type;
    };
    for (Case c : {Case{1, 0}, Case{2, 2}, Case{3, 1}}) EXPECT_EQ(g->GetNodeSpanType(c.row), c.type) << c.row;
    EXPECT_EQ(g->FNumNodes, 1);
    EXPECT_EQ(g->Col(), 1);  // typing never starts in the node column
}

TEST(AdvGridNodes, ContractAndExpandKeepRowsHeightsAndOrder)
{
    auto g = NewFixtureGrid(4, 8);
    g->SetRowHeights(3, 41);
    const QString before = AllRows(g.get());
    g->AddNode(1, 3);
    g->ContractNode(1);
    EXPECT_TRUE(g->GetNodeState(1));
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->NumHiddenRows(), 2);
    EXPECT_EQ(RowText(g.get(), 2), "0,4|1,4|2,4|3,4");
    g->ContractNode(1);  // already contracted: nothing changes
    EXPECT_EQ(g->RowCount(), 6);
    g->ExpandNode(1);
    EXPECT_FALSE(g->GetNodeState(1));
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->RowHeights(3), 41);
    EXPECT_EQ(AllRows(g.get()), before);
}

TEST(AdvGridNodes, NestedContractedNodeOpensWithItsParent)
{
    auto g = NewFixtureGrid(4, 10);
    const QString before = AllRows(g.get());
    g->AddNode(1, 6);  // rows 1..6
    g->AddNode(3, 3);  // rows 3..5 inside
    EXPECT_EQ(g->GetNodeLevel(3), 2);
    g->ContractNode(3);
    EXPECT_EQ(g->RowCount(), 8);
    g->ContractNode(1);
    // All of the branch but the node row is one hidden block.
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->NumHiddenRows(), 5);
    EXPECT_EQ(RowText(g.get(), 2), "0,7|1,7|2,7|3,7");
    g->ExpandNode(1);
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_FALSE(g->GetNodeState(3));
    EXPECT_EQ(AllRows(g.get()), before);
}

TEST(AdvGridNodes, SpanZeroCoversRowsUpToTheNextNodeAndTheLastBranchExpands)
{
    auto g = NewFixtureGrid(3, 9);
    const QString before = AllRows(g.get());
    g->AddNode(1, 0);
    g->AddNode(4, 0);
    g->ContractNode(1);
    EXPECT_EQ(g->RowCount(), 7);  // rows 2 and 3 hidden
    EXPECT_TRUE(g->IsNode(2));
    g->ContractNode(4);  // real row 4, the last branch: rows to the end
    EXPECT_EQ(g->RowCount(), 3);
    g->ExpandNode(4);
    g->ExpandNode(1);
    EXPECT_EQ(AllRows(g.get()), before);
    g->ContractAll();  // ends although the spans are below 1
    EXPECT_EQ(g->RowCount(), 3);
    g->ExpandAll();
    EXPECT_EQ(AllRows(g.get()), before);
}

TEST(AdvGridNodes, ContractAllAndRemoveAllNodesGiveBackTheRows)
{
    auto g = NewFixtureGrid(4, 12);
    const QString before = AllRows(g.get());
    g->AddNode(1, 4);
    g->AddNode(2, 2);
    g->AddNode(6, 3);
    g->ContractAll();
    EXPECT_EQ(g->RowCount(), 12 - 3 - 2);
    EXPECT_TRUE(g->GetNodeState(1));
    g->RemoveAllNodes();
    EXPECT_EQ(g->FNumNodes, 0);
    EXPECT_FALSE(g->IsNode(1));
    EXPECT_EQ(g->GridObjects(0, 3)->NodeLevel(), 0);
    EXPECT_EQ(AllRows(g.get()), before);
}

TEST(AdvGridNodes, ParentRowCountsRowsHiddenInContractedNodes)
{
    auto g = NewFixtureGrid(3, 12);
    g->AddNode(1, 4);
    g->AddNode(2, 2);
    struct Case {
        int row, parent;
    };
    for (Case c : {Case{1, 1}, Case{2, 1}, Case{3, 2}, Case{4, 1}, Case{5, -1}})
        EXPECT_EQ(g->GetParentRow(c.row), c.parent) << c.row;
    g->ContractNode(1);
    EXPECT_EQ(g->GetParentRow(2), -1);  // the row right after a contracted node is outside it
    auto none = NewFixtureGrid(3, 4);
    EXPECT_EQ(none->GetParentRow(2), -1);
}

TEST(AdvGridNodes, InsertChildRowOnTheNodeRowMovesItsTextsDown)
{
    auto g = NewFixtureGrid(3, 8);
    g->AddNode(1, 5);
    g->AddNode(2, 2);
    g->InsertChildRow(2, 0);
    EXPECT_TRUE(g->IsNode(2));
    EXPECT_EQ(RowText(g.get(), 2), "||");
    EXPECT_EQ(RowText(g.get(), 3), "0,2|1,2|2,2");
    EXPECT_EQ(g->GetNodeSpan(2), 3);
    EXPECT_EQ(g->GetSubNodeCount(2), 1);
    EXPECT_EQ(g->GetNodeSpan(1), 6);
    EXPECT_EQ(g->GetSubNodeCount(1), 1);
    EXPECT_EQ(g->GridObjects(0, 3)->NodeLevel(), 2);
    g->RemoveChildRow(3);
    EXPECT_EQ(g->GetNodeSpan(2), 2);
    EXPECT_EQ(RowText(g.get(), 3), "0,3|1,3|2,3");
}

TEST(AdvGridNodes, RemoveNodeOpensTheBranchAndLowersLevels)
{
    auto g = NewFixtureGrid(3, 8);
    const QString before = AllRows(g.get());
    g->AddNode(2, 3);
    g->ContractNode(2);
    g->RemoveNode(2);
    EXPECT_FALSE(g->IsNode(2));
    EXPECT_EQ(g->FNumNodes, 0);
    EXPECT_EQ(g->GridObjects(0, 4)->NodeLevel(), 0);
    EXPECT_EQ(AllRows(g.get()), before);
    g->RemoveNode(3);  // no node: nothing
    g->SetNodeState(3, true);
    EXPECT_EQ(g->RowCount(), 8);
}

TEST(AdvGridNodes, GlyphHitTestByNodeType)
{
    auto g = NewFixtureGrid(3, 6);
    g->AddNode(1, 3);
    g->AddNode(2, 2);
    g->CellNode()->SetNodeType(cnFlat);
    struct Case {
        int row, x;
        bool hit;
    };
    // Level 1: 4 < X < 16; level 2: 16 < X < 28 (indent 12, width 4, margin 4).
    for (Case c : {Case{1, 4, false}, Case{1, 5, true}, Case{1, 15, true}, Case{1, 16, false}, Case{2, 10, false},
                   Case{2, 20, true}})
        EXPECT_EQ(g->NodeGlyphHitTest(c.row, c.x), c.hit) << c.row << " " << c.x;
    g->CellNode()->SetNodeType(cn3D);
    EXPECT_TRUE(g->NodeGlyphHitTest(1, 2));
    g->MouseActions()->SetPreciseNodeClick(false);
    EXPECT_TRUE(g->NodeGlyphHitTest(1, 200));
}

TEST(AdvGridNodes, ClickOnTheGlyphContractsAndExpandsWithEvents)
{
    InputFixture f(4, 10);
    TAdvStringGrid* g = f.Grid;
    g->AddNode(1, 4);
    QStringList calls;
    bool allowExpand = true;
    g->OnBeforeContractNode = [&](TObject*, int r, int real, bool&) { calls << QStringLiteral("before contract %1 %2").arg(r).arg(real); };
    g->OnContractNode = [&](TObject*, int r, int) { calls << QStringLiteral("contract %1").arg(r); };
    g->OnBeforeExpandNode = [&](TObject*, int r, int, bool& allow) {
        calls << QStringLiteral("before expand %1").arg(r);
        allow = allowExpand;
    };
    g->OnExpandNode = [&](TObject*, int r, int) { calls << QStringLiteral("expand %1").arg(r); };
    const TRect cell = g->CellRect(0, 1);
    const QPoint glyph(cell.Left + 9, cell.Top + cell.Height() / 2);
    f.Click(QPoint(cell.Left + 40, glyph.y()));  // beside the glyph: nothing
    EXPECT_EQ(g->RowCount(), 10);
    f.Click(glyph);
    EXPECT_EQ(g->RowCount(), 7);
    allowExpand = false;
    f.Click(glyph);
    EXPECT_EQ(g->RowCount(), 7);
    allowExpand = true;
    f.Click(glyph);
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(calls.join(','), "before contract 1 1,contract 1,before expand 1,before expand 1,expand 1");
}

TEST(AdvGridNodes, GridWithNodesGrabbed)
{
    InputFixture f(4, 12);
    TAdvStringGrid* g = f.Grid;
    g->SetColWidths(0, 60);
    for (int r = 1; r < 12; ++r) g->SetCells(0, r, QString());
    g->SetCells(1, 1, QStringLiteral("Branch A"));
    g->SetCells(1, 3, QStringLiteral("Nested A.1"));
    g->SetCells(1, 7, QStringLiteral("Branch B (contracted)"));
    g->AddNode(1, 5);
    g->AddNode(3, 2);
    g->AddNode(7, 4);
    g->ContractNode(7);
    PumpEvents();
    const QString path = QDir(TestHarness::ProgramDir()).filePath("stringgrid_nodes.png");
    ASSERT_TRUE(TestHarness::GrabToPng(f.Form, path));
    const QByteArray dir = qgetenv("CALYPTOR_GRAB_DIR");
    if (!dir.isEmpty()) TestHarness::GrabToPng(f.Form, QDir(QString::fromLocal8Bit(dir)).filePath("stringgrid_nodes.png"));
}

// ---- grouping ------------------------------------------------------------------------------

namespace {

// One fixed row; column 2 holds the group keys, column 3 numbers.
TTestAdvGridPtr NewGroupGrid(const QStringList& keys, const QList<int>& numbers)
{
    TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
    g->SetColCount(4);
    g->SetRowCount(int(keys.size()) + 1);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetCells(1, 0, QStringLiteral("Name"));
    g->SetCells(2, 0, QStringLiteral("Key"));
    g->SetCells(3, 0, QStringLiteral("Value"));
    g->SortSettings()->SetAutoSortForGrouping(false);
    for (int i = 0; i < keys.size(); ++i) {
        g->SetCells(1, i + 1, QStringLiteral("n%1").arg(i));
        g->SetCells(2, i + 1, keys[i]);
        g->SetCells(3, i + 1, QString::number(numbers[i]));
    }
    return g;
}

} // namespace

TEST(AdvGridGroup, GroupWithoutSummariesMakesHeadersAsNodes)
{
    auto g = NewGroupGrid({"x", "x", "y", "z", "z"}, {1, 2, 3, 4, 5});
    g->Group(2);
    EXPECT_EQ(g->GroupColumn(), 2);
    EXPECT_EQ(g->ColCount(), 3);
    struct Case {
        int row, span;
        const char* caption;
    };
    for (Case c : {Case{1, 3, "x"}, Case{4, 2, "y"}, Case{6, 3, "z"}}) {
        EXPECT_TRUE(g->IsNode(c.row)) << c.row;
        EXPECT_EQ(g->GetNodeSpan(c.row), c.span) << c.row;
        EXPECT_EQ(g->Cells(1, c.row), c.caption) << c.row;
    }
    EXPECT_EQ(g->RowCount(), 9);
    g->GroupSum(2);
    EXPECT_EQ(g->Cells(2, 1).toDouble(), 3);
    EXPECT_EQ(g->Cells(2, 6).toDouble(), 9);
}

TEST(AdvGridGroup, GroupWithSummariesAndCalculations)
{
    auto g = NewGroupGrid({"a", "a", "b"}, {10, 20, 5});
    g->Grouping()->SetSummary(true);
    g->Group(2);
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_TRUE(g->IsNode(1));
    EXPECT_EQ(g->GetNodeSpan(1), 3);
    EXPECT_TRUE(g->IsSummary(4));
    EXPECT_TRUE(g->IsNode(5));
    EXPECT_EQ(g->GetNodeSpan(5), 2);
    EXPECT_TRUE(g->IsSummary(7));
    EXPECT_EQ(g->Cells(1, 5), "b");
    g->GroupSum(2);
    EXPECT_EQ(g->Cells(2, 4).toDouble(), 30);
    EXPECT_EQ(g->Cells(2, 7).toDouble(), 5);
    g->GroupCount(1);
    EXPECT_EQ(g->Cells(1, 4), "2");
    EXPECT_EQ(g->Cells(1, 7), "1");
    g->ContractNode(g->RealRowIndex(5));
    g->SetCells(2, 5, QString());
    g->GroupMax(2);  // contracted groups are skipped
    EXPECT_EQ(g->Cells(2, 4).toDouble(), 20);
    g->OnGroupCalc = [](TObject*, int, int from, int to, double& res) { res = to - from + 100; };
    g->GroupCustomCalc(2);
    EXPECT_EQ(g->Cells(2, 4).toDouble(), 101);
}

TEST(AdvGridGroup, GroupThenUnGroupGivesBackTheCells)
{
    for (bool summary : {false, true}) {
        for (int column : {1, 2}) {
            auto g = NewGroupGrid({"a", "a", "b", "c", "c"}, {1, 2, 3, 4, 5});
            g->SetColWidths(column, 91);
            g->Grouping()->SetSummary(summary);
            g->Grouping()->SetMergeHeader(summary);
            const QString before = AllRows(g.get());
            g->Group(column);
            EXPECT_EQ(g->ColCount(), 3);
            if (column == 1) EXPECT_EQ(g->Cells(1, 1), "n0");  // captions end up in column 1
            g->ContractNode(1);
            g->UnGroup();
            EXPECT_EQ(g->GroupColumn(), -1);
            EXPECT_EQ(g->FNumNodes, 0);
            EXPECT_EQ(g->ColWidths(column), 91);
            EXPECT_EQ(AllRows(g.get()), before) << summary << " " << column;
        }
    }
}

TEST(AdvGridGroup, GroupColumnWritesAndRefusals)
{
    auto g = NewGroupGrid({"a", "b"}, {1, 2});
    const QString before = AllRows(g.get());
    g->SetGroupColumn(0);
    g->Group(0);
    EXPECT_EQ(g->GroupColumn(), -1);
    EXPECT_EQ(AllRows(g.get()), before);
    g->UnGroup();  // not grouped: nothing
    g->SetGroupColumn(2);
    EXPECT_EQ(g->GroupColumn(), 2);
    EXPECT_EQ(g->FNumNodes, 2);
    g->SetGroupColumn(-1);
    EXPECT_EQ(AllRows(g.get()), before);

    g->Group(0);
    EXPECT_EQ(g->FNumNodes, 0);
}

TEST(AdvGridGroup, SubGroupAndSubUnGroupRestoreTheColumn)
{
    auto g = NewGroupGrid({"a", "a", "a", "b"}, {1, 2, 3, 4});
    g->Group(2);  // headers at rows 1 (a, span 4) and 5 (b, span 2)
    for (auto [row, text] : {std::pair{2, "p"}, {3, "p"}, {4, "q"}, {6, "r"}}) g->SetCells(1, row, text);
    const QString grouped = AllRows(g.get());
    g->SubGroup(1);
    // Sub-headers p (rows 2..4), q (5..6) inside a; r (8..9) inside b.
    struct Case {
        int row, span;
        const char* caption;
    };
    for (Case c : {Case{2, 3, "p"}, Case{5, 2, "q"}, Case{8, 2, "r"}}) {
        EXPECT_TRUE(g->IsNode(c.row)) << c.row;
        EXPECT_EQ(g->GetNodeSpan(c.row), c.span) << c.row;
        EXPECT_EQ(g->Cells(2, c.row), c.caption) << c.row;
        EXPECT_EQ(g->GetNodeLevel(c.row), 2) << c.row;
    }
    EXPECT_EQ(g->GetNodeSpan(1), 6);
    EXPECT_TRUE(g->Cells(1, 3).isEmpty());
    g->SubUnGroup(1);
    EXPECT_EQ(AllRows(g.get()), grouped);
    EXPECT_EQ(g->GetNodeSpan(1), 4);
}
