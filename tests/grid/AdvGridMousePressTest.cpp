// The hit areas of a left press and what their release does: ratings, node
// glyphs, the column of a tree, disjunct rows, form controls in marked-up
// cells, fixed cells used as buttons, spin halves, merged cells and the
// cell-selector mode.

#include "AdvGridInputTestKit.h"
#include "AdvGridLook.h"
#include "AsgHTMLE.h"
#include "Menus.h"

#include <gtest/gtest.h>

namespace {

void CtrlClick(const InputFixture& f, QPoint p) { f.Click(p, Qt::LeftButton, Qt::ControlModifier); }

QList<int> MarkedRows(TAdvStringGrid* g)
{
    QList<int> rows;
    for (int r = 0; r < g->RowCount(); ++r)
        if (g->RowSelect(r)) rows << r;
    return rows;
}

} // namespace

TEST(AdvGridMousePress, ARatingTakesOneHalfStarPerNinePixels)
{
    struct Case {
        int Dx;           // pixels from the cell's left edge
        bool Editing;     // goEditing on
        bool Allow;       // what OnRatingChange answers
        double Expected;  // the cell's value after the press (it starts at 2)
    };
    const Case cases[] = {
        {8, true, true, 0.0},  {9, true, true, 0.5},   {27, true, true, 1.5},
        {27, true, false, 2.0}, {27, false, true, 2.0},
    };
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        if (c.Editing) g->SetOptions(g->Options() + goEditing);
        g->AddRating(2, 2, 5, clYellow, clGray);
        g->SetFloats(2, 2, 2.0);
        double asked = -1;
        g->OnRatingChange = [&](TObject*, int, int, double& rate, bool& allow) {
            asked = rate;
            allow = c.Allow;
        };
        f.Click(f.At(2, 2, c.Dx));
        EXPECT_DOUBLE_EQ(g->Floats(2, 2), c.Expected) << c.Dx << " " << c.Editing << " " << c.Allow;
        if (c.Editing) EXPECT_DOUBLE_EQ(asked, c.Dx / 9 / 2.0) << c.Dx;
        else EXPECT_EQ(asked, -1) << "a cell that cannot be edited is not rated";
        EXPECT_FALSE(g->EditorShown());
    }
}

TEST(AdvGridMousePress, ANodeGlyphPressLeavesTheCurrentRowUnlessMoveRowOnNodeClick)
{
    for (bool moveRow : {false, true}) {
        InputFixture f(4, 10);
        TInputGrid* g = f.Grid;
        g->AddNode(1, 4);
        g->MouseActions()->SetMoveRowOnNodeClick(moveRow);
        g->SetRow(6);
        QStringList calls;
        g->OnClickCell = [&](TObject*, int r, int c) { calls << QStringLiteral("click %1,%2").arg(c).arg(r); };
        g->OnContractNode = [&](TObject*, int r, int) { calls << QStringLiteral("contract %1").arg(r); };
        const TRect cell = g->CellRect(0, 1);
        f.Click(QPoint(cell.Left + 9, cell.Top + cell.Height() / 2));
        EXPECT_EQ(calls.join(','), "click 0,1,contract 1") << moveRow;
        EXPECT_EQ(g->RowCount(), 7);
        EXPECT_EQ(g->Row(), moveRow ? 1 : 6) << moveRow;
    }
}

TEST(AdvGridMousePress, ColumnZeroOfATreeSelectsNothingUnlessRowsAreSelectedThere)
{
    for (bool rowSelect : {false, true}) {
        InputFixture f(4, 10);
        TInputGrid* g = f.Grid;
        g->SetFixedCols(0);
        g->AddNode(1, 3);
        g->SetOptions(g->Options() + goRowSelect);
        g->MouseActions()->SetRowSelect(rowSelect);
        g->SetCol(2);
        g->SetRow(2);
        int clicks = 0;
        g->OnClickCell = [&](TObject*, int, int) { ++clicks; };
        f.Click(f.At(0, 6, 30));
        EXPECT_EQ(clicks, 1) << rowSelect;
        EXPECT_EQ(g->Row(), rowSelect ? 6 : 2) << rowSelect;
    }
}

TEST(AdvGridMousePress, DisjunctRowsFollowPlainAndCtrlClicks)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goRowSelect);
    g->MouseActions()->SetDisjunctRowSelect(true);
    f.Click(f.At(2, 3, 20));
    EXPECT_EQ(MarkedRows(g), QList<int>({3}));
    f.Click(f.At(2, 5, 20));  // a plain click starts a new set
    EXPECT_EQ(MarkedRows(g), QList<int>({5}));
    CtrlClick(f, f.At(2, 7, 20));  // Ctrl adds
    EXPECT_EQ(MarkedRows(g), QList<int>({5, 7}));
    CtrlClick(f, f.At(2, 5, 20));  // Ctrl on a marked row unmarks it on the release
    EXPECT_EQ(MarkedRows(g), QList<int>({7}));
}

TEST(AdvGridMousePress, FormControlsInMarkedUpCellsReactToAPress)
{
    auto tag = [](const char* id, const char* value, const char* width, const char* type) {
        return QStringLiteral("<CONTROL ID=\"%1\" VALUE=\"%2\" WIDTH=\"%3\" TYPE=\"%4\">")
            .arg(QLatin1String(id), QLatin1String(value), QLatin1String(width), QLatin1String(type));
    };
    const struct {
        QString Html;
        const char* Type;
        QString After;  // the cell text after the press
    } cases[] = {
        {tag("c1", "FALSE", "16", "CHECK"), "CHECK", tag("c1", "TRUE", "16", "CHECK")},
        {tag("c1", "TRUE", "16", "CHECK"), "CHECK", tag("c1", "FALSE", "16", "CHECK")},
        {tag("r1", "FALSE", "16", "RADIO"), "RADIO", tag("r1", "TRUE", "16", "RADIO")},
        {tag("b1", "Go", "60", "BUTTON"), "BUTTON", tag("b1", "Go", "60", "BUTTON")},
    };
    for (const auto& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetEnableHTML(true);
        g->SetOptions(g->Options() + goEditing);
        g->SetRowHeights(2, 30);
        g->SetColWidths(2, 120);
        g->SetCells(2, 2, c.Html);
        QString seen;
        g->OnControlClick = [&](TObject*, int r, int col, const QString& id, const QString& type, const QString&) {
            seen = QStringLiteral("%1,%2 %3 %4").arg(col).arg(r).arg(id, type);
        };
        // The control where the painter puts it.
        TRect r = g->CellRect(2, 2);
        r.Left += g->XYOffset().X - 1;
        r.Top += g->XYOffset().Y;
        r.Right -= g->XYOffset().X;
        g->Canvas()->Font()->Assign(g->Font());
        THTMLDrawArgs args;
        args.LocatePass = true;
        args.HitPoint = TPoint(-1, -1);
        args.ControlID = c.Html.section('"', 1, 1);
        THTMLDrawResult res;
        DrawHTMLText(g->Canvas(), g->Cells(2, 2), r, args, res);
        ASSERT_FALSE(res.ControlRect.IsEmpty()) << c.Html.toStdString();
        const QPoint p((res.ControlRect.Left + res.ControlRect.Right) / 2, (res.ControlRect.Top + res.ControlRect.Bottom) / 2);
        f.Press(p);
        EXPECT_EQ(seen.section(' ', 2), QString::fromLatin1(c.Type)) << c.Html.toStdString();
        EXPECT_EQ(g->Cells(2, 2), c.After) << c.Html.toStdString();
        f.Release(p);
    }
}

TEST(AdvGridMousePress, AFixedCellUsedAsAButtonShowsPushedUntilTheRelease)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetFixedAsButtons(true);
    g->SetOptions(g->Options() + goFixedVertLine + goFixedHorzLine);
    const QPoint p = f.At(0, 4, 20);
    f.Press(p);
    EXPECT_TRUE(g->FixedCellPushed());
    f.Release(p);
    EXPECT_FALSE(g->FixedCellPushed());
    EXPECT_EQ(g->Calls.filter(QStringLiteral("button")), QStringList({"button 0,4"}));
    g->SetFixedAsButtons(false);
    f.Click(p);
    EXPECT_FALSE(g->FixedCellPushed());
    EXPECT_EQ(g->Calls.filter(QStringLiteral("button")).size(), 1);
}

TEST(AdvGridMousePress, AnAlwaysVisibleSpinButtonTellsWhichHalfWasPressed)
{
    struct Case {
        int Dx;   // from the cell's right edge
        int Dy;   // from the cell's top
        bool Up;
        bool Down;
    };
    const Case cases[] = {{-5, 3, true, false}, {-5, 16, false, true}, {-20, 3, false, false}};
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->ControlLook()->SetSpinButtonsAlwaysVisible(true);
        g->OnHasSpinEdit = [](TObject*, int col, int, bool& has) { has = col == 3; };
        const TRect r = g->CellRect(3, 2);
        f.Click(QPoint(r.Right + c.Dx, r.Top + c.Dy));
        EXPECT_EQ(g->SpinUpClicked(), c.Up) << c.Dx << "," << c.Dy;
        EXPECT_EQ(g->SpinDownClicked(), c.Down) << c.Dx << "," << c.Dy;
    }
}

TEST(AdvGridMousePress, APressOnAMergedAreaSelectsItsBaseCell)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->MergeCells(2, 2, 2, 3);
    f.Click(f.At(3, 4, 30));
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 2);
}

namespace {
struct TSelectorGrid : TInputGrid {
    using TInputGrid::TInputGrid;
    void CellSelectorClick(int ACol, int ARow) override { Calls << QStringLiteral("selector %1,%2").arg(ACol).arg(ARow); }
};
} // namespace

TEST(AdvGridMousePress, CellSelectorModeHandsThePressToItsHook)
{
    InputFixture f;
    auto* g = Create<TSelectorGrid>(f.Form);
    g->SetParent(f.Form);
    g->SetBounds(0, 0, 640, 400);
    g->SetColCount(8);
    g->SetRowCount(20);
    f.Grid->SetVisible(false);
    f.Grid = g;
    g->SetRow(1);
    g->SetCol(1);
    g->SetCellSelectorMode(true);
    f.Click(f.At(3, 5, 20));
    EXPECT_EQ(g->Calls, QStringList({"selector 3,5"}));
    EXPECT_EQ(g->Row(), 1);
}

namespace {

QList<QPoint> MarkedCells(TAdvStringGrid* g)
{
    QList<QPoint> cells;
    for (int r = 0; r < g->RowCount(); ++r)
        for (int c = 0; c < g->ColCount(); ++c)
            if (g->SelectedCells(c, r)) cells << QPoint(c, r);
    return cells;
}

void ShiftClick(const InputFixture& f, QPoint p) { f.Click(p, Qt::LeftButton, Qt::ShiftModifier); }

} // namespace

TEST(AdvGridMousePress, DisjunctCellsFollowPlainCtrlAndShiftClicksAndDrags)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goRangeSelect);
    g->MouseActions()->SetDisjunctCellSelect(true);
    f.Click(f.At(2, 3, 20));
    EXPECT_EQ(MarkedCells(g), QList<QPoint>({{2, 3}}));
    CtrlClick(f, f.At(4, 5, 20));
    EXPECT_EQ(MarkedCells(g), QList<QPoint>({{2, 3}, {4, 5}}));
    CtrlClick(f, f.At(2, 3, 20));  // Ctrl on a marked cell unmarks it
    EXPECT_EQ(MarkedCells(g), QList<QPoint>({{4, 5}}));
    f.Click(f.At(1, 1, 20));  // a plain click starts a new set
    EXPECT_EQ(MarkedCells(g), QList<QPoint>({{1, 1}}));
    // A drag marks the rectangle it covers.
    f.Press(f.At(3, 2, 20));
    f.MoveTo(f.At(4, 3, 20));
    f.Release(f.At(4, 3, 20));
    EXPECT_EQ(MarkedCells(g), QList<QPoint>({{3, 2}, {4, 2}, {3, 3}, {4, 3}}));
    // Shift extends the rectangle from the anchor; its cells are the set.
    ShiftClick(f, f.At(5, 3, 20));
    EXPECT_EQ(MarkedCells(g), QList<QPoint>({{3, 2}, {4, 2}, {5, 2}, {3, 3}, {4, 3}, {5, 3}}));
}

TEST(AdvGridMousePress, ADisjunctCellThatOnSelectCellRefusesIsNotMarked)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->MouseActions()->SetDisjunctCellSelect(true);
    f.Click(f.At(2, 3, 20));
    g->OnSelectCell = [](TObject*, int col, int, bool& can) { can = col != 5; };
    CtrlClick(f, f.At(5, 4, 20));
    CtrlClick(f, f.At(6, 4, 20));
    EXPECT_EQ(MarkedCells(g), QList<QPoint>({{2, 3}, {6, 4}}));
}

TEST(AdvGridMousePress, ADoubleClickWithRangeSelectAndEditEditsTheCell)
{
    for (bool dblOnly : {false, true}) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->MouseActions()->SetRangeSelectAndEdit(true);
        g->MouseActions()->SetEditOnDblClickOnly(dblOnly);
        g->SetReadOnly(4, 2, true);
        f.DoubleClick(f.At(3, 5, 20));
        EXPECT_TRUE(g->EditorShown()) << dblOnly;
        EXPECT_EQ(g->Col(), 3);
        EXPECT_EQ(g->Row(), 5);
        g->HideInplaceEdit();
        f.DoubleClick(f.At(4, 2, 20));
        EXPECT_FALSE(g->EditorShown()) << "a read-only cell is not edited " << dblOnly;
    }
}

TEST(AdvGridMousePress, ARightClickSelectsTheCellWhenSelectOnRightClickIsOn)
{
    struct Case {
        bool SelectOnRight;
        bool Handler;  // OnRightClickCell set
        int Row;       // the current row after the right click on row 7
    };
    const Case cases[] = {{false, false, 2}, {true, false, 7}, {true, true, 7}};
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->MouseActions()->SetSelectOnRightClick(c.SelectOnRight);
        g->SetRow(2);
        int clicked = -1;
        if (c.Handler) g->OnRightClickCell = [&](TObject*, int r, int) { clicked = r; };
        f.Click(f.At(3, 7, 20), Qt::RightButton);
        EXPECT_EQ(g->Row(), c.Row) << c.SelectOnRight << c.Handler;
        if (c.Handler) EXPECT_EQ(clicked, 7);
    }
}

// With a context menu, a right click on one of several marked rows keeps
// them for the menu; on another row it marks that row alone.
TEST(AdvGridMousePress, ARightClickKeepsMarkedRowsForTheContextMenu)
{
    struct Case {
        int Row;
        QList<int> Marked;
    };
    const Case cases[] = {{5, {3, 5}}, {7, {7}}};
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetOptions(g->Options() + goRowSelect);
        g->MouseActions()->SetSelectOnRightClick(true);
        g->MouseActions()->SetDisjunctRowSelect(true);
        g->SetPopupMenu(Create<TPopupMenu>(f.Form));
        g->OnRightClickCell = [](TObject*, int, int) {};
        ScopedPopupMenuHook hook([](TPopupMenu*, TPoint) -> TMenuItem* { return nullptr; });
        f.Click(f.At(2, 3, 20));
        CtrlClick(f, f.At(2, 5, 20));
        ASSERT_EQ(MarkedRows(g), QList<int>({3, 5}));
        f.Click(f.At(2, c.Row, 20), Qt::RightButton);
        EXPECT_EQ(MarkedRows(g), c.Marked) << c.Row;
    }
}

TEST(AdvGridMousePress, ARightClickOnALinkEditsItWithURLEdit)
{
    for (bool urlEdit : {false, true}) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetURLShow(true);
        g->SetURLEdit(urlEdit);
        g->SetCells(3, 4, QStringLiteral("http://127.0.0.1/"));
        f.Click(f.At(3, 4, 20), Qt::RightButton);
        EXPECT_EQ(g->EditorShown(), urlEdit);
        if (urlEdit) EXPECT_EQ(g->Row(), 4);
    }
}
