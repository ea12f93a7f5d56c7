// The platform grid: counts, geometry, current cell and selection, the draw
// state and the cost of painting.
#include "GridsTestKit.h"
#include "OsProfile.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {

TEST(GridCounts, CellsBeyondALoweredCountComeBack)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    g->SetRowCount(10);
    g->SetCells(2, 7, "seven");
    g->SetCells(9, 20, "far");  // beyond both counts
    g->SetRowCount(3);
    EXPECT_EQ(g->Cells(2, 7), "seven");
    g->SetRowCount(10);
    EXPECT_EQ(g->Cells(2, 7), "seven");
    EXPECT_EQ(g->Cells(9, 20), "far");
    EXPECT_EQ(g->Cells(-1, 2), "");
    EXPECT_THROW(g->SetCells(-1, 2, "x"), EInvalidGridOperation);
}

TEST(GridCounts, FixedCountsAndLoweredCounts)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    try {
        g->SetFixedCols(5);
        FAIL();
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), "Fixed column count must be less than column count");
    }
    try {
        g->SetFixedRows(7);
        FAIL();
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), "Fixed row count must be less than row count");
    }
    g->SetRowCount(0);
    EXPECT_EQ(g->RowCount(), 1);
    EXPECT_EQ(g->FixedRows(), 0);
    g->SetRowCount(10);
    g->SetFixedRows(1);
    g->SetRow(8);
    g->SetRowCount(4);  // the current row was inside: clamped
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->RowHeights(3), 24);
}

TEST(GridCounts, LinesThatStopBeingFixedComeIntoViewUnlessTheGridIsScrolled)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    g->SetRowCount(40);
    g->SetFixedCols(2);
    g->SetFixedRows(3);
    g->SetFixedCols(0);
    EXPECT_EQ(g->LeftCol(), 0);
    EXPECT_FALSE(g->CellRect(0, 5).IsEmpty());
    g->SetTopRow(10);  // scrolled: the view stays where it is
    g->SetFixedRows(1);
    EXPECT_EQ(g->TopRow(), 10);
}

TEST(GridCounts, DefaultSizesResetEverySizeAndNegativeSizesAreZero)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    g->SetRowHeights(2, 50);
    g->SetColWidths(1, -4);
    EXPECT_EQ(g->ColWidths(1), 0);
    EXPECT_EQ(g->ColWidthsChanges, 1);
    g->SetDefaultRowHeight(18);
    EXPECT_EQ(g->RowHeights(2), 18);
    EXPECT_EQ(g->RowHeights(0), 18);
    EXPECT_EQ(g->RowHeightsChanges, 2);
}

TEST(GridMoves, MoveColumnRotatesWidthsTextsAndTheCurrentColumn)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    const int widths[] = {10, 20, 30, 40};
    for (int from : {1, 3}) {
        const int to = from == 1 ? 3 : 1;
        // Where each current column ends up: t = from, between, at to, outside.
        struct Case { int before, after; };
        const std::vector<Case> cases = from == 1 ? std::vector<Case>{{1, 3}, {2, 1}, {3, 2}, {4, 4}}
                                                  : std::vector<Case>{{3, 1}, {1, 2}, {2, 3}, {4, 4}};
        for (const Case& k : cases) {
            g->SetColCount(5);
            for (int i = 0; i < 4; ++i) g->SetColWidths(i, widths[i]);
            for (int i = 0; i < 5; ++i) g->SetCells(i, 1, QString::number(i));
            g->SetCol(k.before);
            g->MoveColumn(from, to);
            EXPECT_EQ(g->Col(), k.after) << from << "->" << to << " from col " << k.before;
            g->MoveColumn(to, from);
        }
    }
    g->MoveColumn(1, 3);
    EXPECT_EQ(g->ColWidths(0), 10);
    EXPECT_EQ(g->ColWidths(1), 30);
    EXPECT_EQ(g->ColWidths(2), 40);
    EXPECT_EQ(g->ColWidths(3), 20);
    EXPECT_EQ(g->Cells(3, 1), "1");
    EXPECT_EQ(g->Cells(1, 1), "2");
}

TEST(GridMoves, MoveRowAndStoreShiftsMoveTextsObjectsAndHeights)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    g->SetRowCount(8);
    TObject* obj = reinterpret_cast<TObject*>(uintptr_t(0x4000));
    g->SetCells(1, 1, "one");
    g->SetObjects(2, 1, obj);
    g->SetRowHeights(1, 40);
    g->MoveRow(1, 5);
    EXPECT_EQ(g->Cells(1, 5), "one");
    EXPECT_EQ(g->Objects(2, 5), obj);
    EXPECT_EQ(g->RowHeights(5), 40);
    EXPECT_EQ(g->RowHeights(1), 24);
    g->StoreInsertRows(2, 2);
    EXPECT_EQ(g->Cells(1, 7), "one");
    auto gone = g->StoreDeleteRows(7, 1);
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_EQ(gone[0][2].Object, obj);
    EXPECT_EQ(g->RowCount(), 8);  // counts untouched
    g->SetCells(1, 3, "three");
    g->DeleteRow(3);  // kept beyond the count
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(g->Cells(1, 7), "three");
}

// Columns 0..: 30, 50, 0, 40, 40, ...; rows 0..: 20, 10, 30, 24, ...
struct GeometryFixture : GridFixture {
    explicit GeometryFixture(int line) : GridFixture(200, 100)
    {
        Grid->SetColCount(8);
        Grid->SetRowCount(9);
        Grid->SetDefaultColWidth(40);
        Grid->SetGridLineWidth(line);
        Grid->SetColWidths(0, 30);
        Grid->SetColWidths(1, 50);
        Grid->SetColWidths(2, 0);
        Grid->SetRowHeights(0, 20);
        Grid->SetRowHeights(1, 10);
        Grid->SetRowHeights(2, 30);
    }
};

TEST(GridGeometry, CellRectsAndHitTestsWithAndWithoutLines)
{
    for (int line : {0, 1}) {
        GeometryFixture fx(line);
        TProbeGrid* g = fx.Grid;
        const int L = line;
        // Fixed corner, a scrolling cell, a zero-width column, a cell cut at the client edge.
        EXPECT_EQ(g->CellRect(0, 0), TRect(0, 0, 30, 20)) << line;
        EXPECT_EQ(g->CellRect(1, 1), TRect(30 + L, 20 + L, 80 + L, 30 + L)) << line;
        EXPECT_EQ(g->CellRect(2, 1), TRect(0, 0, 0, 0)) << line;
        const int x4 = 30 + 50 + 40 + 3 * L;  // columns 0, 1, 3 before column 4 (2 takes no room)
        EXPECT_EQ(g->CellRect(4, 1), TRect(x4, 20 + L, std::min(x4 + 40, 200), 30 + L)) << line;
        EXPECT_EQ(g->CellRect(8, 1), TRect(0, 0, 0, 0));
        // Scrolled away and partly visible after scrolling.
        g->SetLeftCol(3);
        EXPECT_EQ(g->CellRect(1, 1), TRect(0, 0, 0, 0)) << line;
        EXPECT_EQ(g->CellRect(3, 1).Left, 30 + L) << line;
        g->SetLeftCol(1);

        const TRect c11 = g->CellRect(1, 1);
        struct Probe { int x, y, col, row; };
        const Probe probes[] = {
            {c11.Left, c11.Top, 1, 1},
            {c11.Right - 1, c11.Bottom - 1, 1, 1},
            {c11.Right, c11.Top, L ? 1 : 3, 1},      // the line pixel belongs to the cell before
            {0, 0, 0, 0},
            {-1, 5, -1, 0},
            {5, 100, 0, -1},                         // below the client area
        };
        for (const Probe& p : probes) {
            EXPECT_EQ(g->MouseCoord(p.x, p.y).X, p.col) << line << " " << p.x << "," << p.y;
            EXPECT_EQ(g->MouseCoord(p.x, p.y).Y, p.row) << line << " " << p.x << "," << p.y;
        }
        // Right of the last column and below the last row of a small grid.
        g->SetColCount(3);
        g->SetRowCount(3);
        EXPECT_EQ(g->MouseCoord(195, 5).X, -1);
        EXPECT_EQ(g->MouseCoord(5, 95).Y, -1);
    }
}

TEST(GridGeometry, VisibleCountsAndMaxTopRow)
{
    GeometryFixture fx(1);
    TProbeGrid* g = fx.Grid;
    // Client 100 high: row 0 takes 21; rows 1 (11), 2 (31), 3 (25) fit in 79
    // (67 pixels), row 4 would end at 21 + 67 + 24 = 112: partly visible.
    EXPECT_EQ(g->VisibleRowCount(), 3);
    // The last row (8) and 7 need 50 pixels; with 6 they need 75 <= 79; with 5, 100.
    EXPECT_EQ(g->MaxTopRow(), 6);
    g->SetRowCount(3);
    EXPECT_EQ(g->MaxTopRow(), 1);
    EXPECT_EQ(g->VisibleRowCount(), 2);
}

TEST(GridGeometry, BorderAndScrollBarsTakeTheirRoom)
{
    GridFixture f(300, 200);
    TProbeGrid* g = f.Grid;
    g->SetDefaultColWidth(50);
    g->SetBorderStyle(bsSingle);
    EXPECT_EQ(g->ClientHeight(), 196);
    g->SetCtl3D(false);
    EXPECT_EQ(g->ClientHeight(), 198);
    g->SetCtl3D(true);
    g->SetScrollBars(TScrollStyle::ssBoth);
    EXPECT_FALSE(g->ScrollBarVisible(SB_VERT));  // five rows fit
    g->SetRowCount(100);
    EXPECT_TRUE(g->ScrollBarVisible(SB_VERT));
    EXPECT_EQ(g->ClientWidth(), 296 - GetOsProfile().ScrollBarExtent);
    EXPECT_FALSE(g->ScrollBarVisible(SB_HORZ));
}

TEST(GridSelection, SelectCellRefusalAndRangeChecks)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    g->SetRowCount(50);
    g->Refuse = [](int, int r) { return r == 30; };
    const TGridRect before = g->Selection();
    g->SetRow(30);
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(g->Selection(), before);
    EXPECT_EQ(g->TopRow(), 1);
    try {
        g->SetRow(50);
        FAIL();
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), "Grid index out of range");
    }
    EXPECT_THROW(g->SetCol(0), EInvalidGridOperation);
    const int clicks = g->Clicks;
    g->SetRow(4);
    g->SetRow(4);  // unchanged: nothing
    EXPECT_EQ(g->Clicks, clicks + 1);
}

TEST(GridSelection, SelectionWritesAreStoredAsGiven)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    g->SetSelection(GridRect(1, 1, 3, 2));
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Selection(), GridRect(1, 1, 3, 2));
    g->SetOptions(g->Options() + goRowSelect);
    EXPECT_EQ(g->Selection(), GridRect(1, 1, 4, 2));
    g->SetOptions(g->Options() - goRowSelect);
    // Outside the grid: nothing marked, the next key starts inside.
    g->FocusMode = 0;
    g->SetSelection(GridRect(5, 5, 5, 5));
    g->Render();
    for (const auto& d : g->DrawnCells) EXPECT_FALSE(d.State.Contains(gdSelected)) << d.Col << "," << d.Row;
    Word key = VK_DOWN;
    g->KeyDown(key, {});
    EXPECT_EQ(g->Col(), 4);
    EXPECT_EQ(g->Row(), 4);
}

TEST(GridSelection, TopRowMayPassMaxTopRowButPageDownStops)
{
    GridFixture f(300, 10 * 25 + 25);  // fixed row and 10 rows of 25 with lines
    TProbeGrid* g = f.Grid;
    g->SetRowCount(101);
    EXPECT_EQ(g->VisibleRowCount(), 10);
    EXPECT_EQ(g->MaxTopRow(), 91);
    g->SetTopRow(95);
    EXPECT_EQ(g->TopRow(), 95);
    g->SetTopRow(1);
    g->SetRow(85);
    Word key = VK_NEXT;
    g->KeyDown(key, {});
    key = VK_NEXT;
    g->KeyDown(key, {});
    EXPECT_EQ(g->Row(), 100);
    EXPECT_EQ(g->TopRow(), 91);
}

TEST(GridDrawState, FocusOptionsAndCellKinds)
{
    struct Case {
        bool focused, drawFocusSelected, rowSelect;
        TGridDrawState current, otherSelected, unselected;
    };
    const TGridDrawState none;
    const Case cases[] = {
        {false, false, false, {gdSelected}, {gdSelected}, none},
        {true, false, false, {gdFocused}, {gdSelected}, none},
        {true, true, false, {gdFocused, gdSelected}, {gdSelected}, none},
        {false, true, false, {gdSelected}, {gdSelected}, none},
        {true, false, true, {gdFocused, gdSelected}, {gdSelected}, none},
        {false, false, true, {gdSelected}, {gdSelected}, none},
    };
    for (const Case& k : cases) {
        GridFixture f;
        TProbeGrid* g = f.Grid;
        g->FocusMode = k.focused ? 1 : 0;
        TGridOptions o = g->Options();
        if (k.drawFocusSelected) o += goDrawFocusSelected;
        if (k.rowSelect) o += goRowSelect;
        g->SetOptions(o);
        g->SetSelection(GridRect(1, 1, 2, 2));  // current (2, 2)
        g->Render();
        auto stateOf = [&](int c, int r) {
            for (const auto& d : g->DrawnCells)
                if (d.Col == c && d.Row == r) return d.State;
            ADD_FAILURE() << "not drawn " << c << "," << r;
            return TGridDrawState();
        };
        const std::string tag = std::to_string(k.focused) + std::to_string(k.drawFocusSelected) + std::to_string(k.rowSelect);
        EXPECT_EQ(stateOf(0, 1), TGridDrawState{gdFixed}) << tag;
        EXPECT_EQ(stateOf(2, 0), TGridDrawState{gdFixed}) << tag;
        EXPECT_EQ(stateOf(2, 2), k.current) << tag;
        EXPECT_EQ(stateOf(1, 1), k.otherSelected) << tag;
        EXPECT_EQ(stateOf(k.rowSelect ? 1 : 3, 3), k.unselected) << tag;
        if (k.rowSelect) {
            EXPECT_EQ(stateOf(4, 2), TGridDrawState{gdSelected}) << tag;
        }
    }
}

TEST(GridDrawState, DefaultDrawingPixels)
{
    GridFixture f(400, 300);
    TProbeGrid* g = f.Grid;
    g->FocusMode = 0;
    g->SetSelection(GridRect(1, 1, 2, 1));
    const QImage img = g->Render();
    const TRect sel = g->CellRect(1, 1);
    EXPECT_EQ(img.pixelColor(sel.Left + 30, sel.Top + 20), ToQColor(clHighlight));
    const TRect plain = g->CellRect(3, 3);
    EXPECT_EQ(img.pixelColor(plain.Left + 30, plain.Top + 20), ToQColor(clWindow));
    // Right of the last column and below the last row: the grid's colour.
    EXPECT_EQ(img.pixelColor(395, 10), ToQColor(clWindow));
    EXPECT_EQ(img.pixelColor(10, 295), ToQColor(clWindow));
    const TRect fixed = g->CellRect(2, 0);
    EXPECT_EQ(img.pixelColor(fixed.Left + 30, fixed.Top + 12), ToQColor(clBtnFace));
}

TEST(GridPaint, APaintDrawsOnlyTheVisibleCells)
{
    GridFixture f(1280, 800);
    TProbeGrid* g = f.Grid;
    g->SetColCount(11);
    g->SetRowCount(100001);
    g->SetDefaultColWidth(100);
    auto expectVisible = [&](int topRow) {
        const int cols = 11;  // 0 and 1..10, 1100 + lines < 1280
        int rows = 1;  // the fixed row and every row that shows at least partly
        for (int r = topRow; r < g->RowCount() && !g->CellRect(1, r).IsEmpty(); ++r) ++rows;
        EXPECT_EQ(g->TopRow(), topRow);
        EXPECT_EQ(int(g->DrawnCells.size()), cols * rows) << topRow;
        for (const auto& d : g->DrawnCells) {
            EXPECT_TRUE(d.Row == 0 || (d.Row >= topRow && d.Row <= topRow + rows - 2)) << d.Row;
        }
    };
    g->Render();
    expectVisible(1);
    g->SetTopRow(99980);
    g->Render();
    // 21 rows from 99980 up to the last row 100000: all wholly visible.
    EXPECT_EQ(int(g->DrawnCells.size()), 11 * (1 + 21));
    // A one-cell update region draws one cell.
    const TRect r = g->CellRect(3, 99985);
    g->Render(r.ToQRect());
    ASSERT_EQ(g->DrawnCells.size(), 1u);
    EXPECT_EQ(g->DrawnCells[0].Col, 3);
    EXPECT_EQ(g->DrawnCells[0].Row, 99985);
    EXPECT_EQ(g->DrawnCells[0].Rect, r);
    g->SetTopRow(1);
    g->Render();
    expectVisible(1);
}

} // namespace

namespace {

// A look at a plain grid: fixed row and column, a range selection, the
// focused cell and the editor open on it. CALYPTOR_GRAB_DIR names a folder to
// keep the picture in.
TEST(GridLook, GrabOfAPlainStringGrid)
{
    GridFixture f(420, 200);
    TProbeGrid* g = f.Grid;
    g->FocusMode = 1;
    g->SetBorderStyle(bsSingle);
    g->SetScrollBars(TScrollStyle::ssBoth);
    g->SetColCount(8);
    g->SetRowCount(12);
    g->SetOptions(g->Options() + goEditing);
    for (int c = 1; c < 8; ++c) g->SetCells(c, 0, QStringLiteral("Col %1").arg(c));
    for (int r = 1; r < 12; ++r) g->SetCells(0, r, QStringLiteral("Row %1").arg(r));
    for (int r = 1; r < 12; ++r)
        for (int c = 1; c < 8; ++c) g->SetCells(c, r, QStringLiteral("%1.%2").arg(r).arg(c));
    g->FocusCell(1, 1, true);
    g->MoveColRow(3, 4, false, true);  // the range (1,1)-(3,4), current (3,4)
    g->SetEditorMode(true);
    ASSERT_TRUE(g->EditorShown());
    g->InplaceEditor()->SetText("edit here");
    const QString path = TestHarness::GrabPath("grid.png");
    ASSERT_TRUE(TestHarness::GrabToPng(g, path));
    const QImage img(path);
    const TRect sel = g->CellRect(2, 2);
    EXPECT_EQ(img.pixelColor(sel.Left + 2 + 40, sel.Top + 2 + 18), ToQColor(clHighlight));
}

} // namespace
