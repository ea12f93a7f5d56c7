// Where a drag over the string grid would land: the arrows shown during a
// drag (played through the drag runner, as Qt's drag loop returns at once
// under the offscreen platform), the picture or button that follows an
// enhanced column move, and a column handed to a column chooser and back.
#include "AdvGridDragTestKit.h"
#include "AdvGridInputTestKit.h"

#include "AdvGridDragDrop.h"
#include "AdvGridSmallControls.h"
#include "StdCtrls.h"
#include "TestHarness.h"

#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The two grids; cells go as plain text (grid cells would be welcome anywhere).
struct TMarksForm : TDragForm {
    TMarksForm() { Source->Navigation()->SetAllowFmtClipboard(false); }
    // A point in the target grid, in screen coordinates.
    TPoint ScreenAt(TPoint client) const { return Target->ClientToScreen(client); }
};

// Plays a drag over a target: enters at the first point, passes the others,
// lets the test look while the drag is still on, then drops at the last
// point or leaves the target.
struct TMarksDragPlay {
    TASGDropTarget* Target = nullptr;
    std::vector<TPoint> Points;
    bool Drop = false;
    bool LastAllowed = false;
    std::function<void()> During;
    TDragRunner Old;
    explicit TMarksDragPlay(TASGDropTarget* target) : Target(target)
    {
        Old = SetDragRunner([this](std::unique_ptr<QMimeData> data, Qt::DropActions, TASGDropSource* src) {
            uint32_t effect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
            Target->DragEnter(data.get(), MK_LBUTTON, Points.front(), effect);
            for (const TPoint& p : Points) {
                effect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
                Target->DragOver(MK_LBUTTON, p, effect);
            }
            LastAllowed = effect != DROPEFFECT_NONE;
            if (During) During();
            src->GiveFeedback(Drop ? effect : DROPEFFECT_NONE);
            if (!Drop || !LastAllowed) {
                Target->DragLeave();
                return Qt::IgnoreAction;
            }
            Target->Drop(data.get(), 0, Points.back(), effect);
            return Qt::MoveAction;
        });
    }
    ~TMarksDragPlay() { SetDragRunner(Old); }
};

// Which arrows show ("D", "U", "L" in that order) and where the first
// shown one stands, relative to the grid's client origin.
QString Marks(TAdvStringGrid* g)
{
    QString names;
    TPoint at(-1000, -1000);
    const struct {
        int Index;
        const char* Name;
    } arrows[] = {{1, "D"}, {0, "U"}, {2, "L"}};
    for (const auto& a : arrows) {
        TArrowWindow* w = g->ArrowWindow(a.Index);
        if (!w->Visible()) continue;
        if (names.isEmpty()) at = g->ScreenToClient(TPoint(w->Left(), w->Top()));
        names += QLatin1String(a.Name);
    }
    if (names.isEmpty()) return QStringLiteral("none");
    return QStringLiteral("%1 at %2,%3").arg(names).arg(at.X).arg(at.Y);
}

// The form as it shows, with the arrow windows (top-level windows of their
// own) painted where they stand.
void GrabWithArrows(TForm* form, TAdvStringGrid* g, const QString& name)
{
    QImage img = form->Widget()->grab().toImage();
    QPainter p(&img);
    const QPoint origin = form->Widget()->mapToGlobal(QPoint(0, 0));
    for (int i = 0; i < 4; ++i) {
        TArrowWindow* a = g->ArrowWindow(i);
        if (!a->Visible()) continue;
        p.setClipRegion(a->Widget()->mask().translated(QPoint(a->Left(), a->Top()) - origin));
        p.drawPixmap(QPoint(a->Left(), a->Top()) - origin, a->Widget()->grab());
    }
    p.end();
    img.save(TestHarness::GrabPath(name), "PNG");
}

}  // namespace

TEST(GridDragMarks, ArrowsMarkWhereDraggedCellsOrColumnsLand)
{
    enum Setting { None, EntireRows, AppendRows, RefuseEvent };
    struct Case {
        const char* name;
        bool column;     // a header dragged with OleColumnDragDrop, else cells as text
        Setting setting;
        int col, row;    // cell of the target under the pointer; row -1 below the last row, col -1 beyond the last
        const char* marks;
    };
    // Target: five 70-pixel columns (one fixed), six 22-pixel rows (one fixed).
    const Case cases[] = {
        {"cells on a cell", false, None, 2, 3, "L at 130,66"},
        {"cells on the header", false, None, 2, 0, "none"},
        {"whole rows point at the first normal column", false, EntireRows, 3, 2, "L at 60,44"},
        {"below the last row appends", false, AppendRows, 2, -1, "L at 60,132"},
        {"below the last row without appending", false, EntireRows, 2, -1, "none"},
        {"refused by OnOleDragOver", false, RefuseEvent, 2, 3, "none"},
        {"column on a header", true, None, 2, 0, "DU at 140,-8"},
        {"column beyond the last column", true, None, -1, 0, "DU at 350,-8"},
        {"column on a normal row", true, None, 2, 3, "none"},
        {"column on the fixed corner", true, None, 0, 0, "none"},
    };
    for (const Case& k : cases) {
        for (const bool drop : {false, true}) {
            SCOPED_TRACE(std::string(k.name) + (drop ? " (dropped)" : " (left)"));
            TMarksForm f;
            TDragDropSettings* dd = f.Target->DragDropSettings();
            dd->SetOleEntireRows(k.setting == EntireRows || k.setting == AppendRows);
            dd->SetOleAppendRows(k.setting == AppendRows);
            if (k.setting == RefuseEvent) f.Target->OnOleDragOver = [](TObject*, int, int, bool& allow) { allow = false; };
            f.Source->DragDropSettings()->SetOleColumnDragDrop(k.column);
            TGridDropTarget target(f.Target);
            target.SetAcceptCols(true);
            TMarksDragPlay play(&target);
            const TRect last = f.Target->CellRect(4, 5);
            TPoint p = k.row < 0 ? TPoint(TMarksForm::Middle(f.Target, k.col, 0).X, last.Bottom + 20)
                       : k.col < 0 ? TPoint(last.Right + 20, TMarksForm::Middle(f.Target, 0, k.row).Y)
                                   : TMarksForm::Middle(f.Target, k.col, k.row);
            play.Points = {f.ScreenAt(TPoint(p.X, p.Y)), f.ScreenAt(p)};
            play.Drop = drop;
            QString during;
            play.During = [&] { during = Marks(f.Target); };
            f.Source->SetSelection(TGridRect{1, 1, 2, 2});
            EXPECT_TRUE(f.Source->StartOleDrag(k.column ? 2 : 1, k.column ? 0 : 1));
            EXPECT_EQ(during, QString::fromLatin1(k.marks));
            EXPECT_EQ(play.LastAllowed, QString::fromLatin1(k.marks) != "none");
            // Gone when the drag leaves the grid and when it ends in a drop.
            EXPECT_EQ(Marks(f.Target), "none");
        }
    }
}

TEST(GridDragMarks, GrabOfTheArrowsDuringADrag)
{
    for (const bool column : {false, true}) {
        TMarksForm f;
        f.Source->DragDropSettings()->SetOleColumnDragDrop(column);
        TGridDropTarget target(f.Target);
        target.SetAcceptCols(true);
        TMarksDragPlay play(&target);
        play.Points = {f.ScreenAt(TMarksForm::Middle(f.Target, 2, column ? 0 : 3))};
        play.During = [&] {
            GrabWithArrows(f.Form, f.Target,
                           column ? QStringLiteral("advgrid-drag-marks-column.png") : QStringLiteral("advgrid-drag-marks.png"));
        };
        f.Source->SetSelection(TGridRect{1, 1, 2, 2});
        EXPECT_TRUE(f.Source->StartOleDrag(column ? 2 : 1, column ? 0 : 1));
    }
}

TEST(GridDragMarks, DragOverAnEdgeRowOrColumnScrollsOneLine)
{
    TMarksForm f;
    TTestAdvGrid* g = f.Target;
    g->SetRowCount(30);
    g->SetColCount(12);
    // The last row and column on the screen show only in part.
    g->SetHeight(230);
    TGridDropTarget target(g);
    uint32_t effect = DROPEFFECT_COPY;
    QMimeData text;
    text.setText(QStringLiteral("x"));
    target.DragEnter(&text, MK_LBUTTON, f.ScreenAt(TPoint(100, 50)), effect);
    auto over = [&](TPoint client) {
        uint32_t e = DROPEFFECT_COPY;
        target.DragOver(MK_LBUTTON, f.ScreenAt(client), e);
    };
    // The partly shown row at the bottom: one row down a move.
    const int bottomRow = g->TopRow() + g->VisibleRowCount();
    const int y = g->CellRect(2, bottomRow).Top + 2;
    over(TPoint(100, y));
    EXPECT_EQ(g->TopRow(), 2);
    over(TPoint(100, y));
    EXPECT_EQ(g->TopRow(), 3);
    // The header row: back up, never above the first normal row.
    for (int i = 0; i < 5; ++i) over(TMarksForm::Middle(g, 2, 0));
    EXPECT_EQ(g->TopRow(), 1);
    // Sideways at most once a tick of the grid's timer.
    const int rightCol = g->LeftCol() + g->VisibleColCount();
    const int x = g->CellRect(rightCol, 2).Left + 2;
    over(TPoint(x, 60));
    over(TPoint(x, 60));
    EXPECT_EQ(g->LeftCol(), 2);
    g->TimerTick(TAdvStringGrid::GridTimerID);
    over(TPoint(x, 60));
    EXPECT_EQ(g->LeftCol(), 3);
    target.DragLeave();
    EXPECT_EQ(Marks(g), "none");
}

// ---- the enhanced move --------------------------------------------------------------------

TEST(GridDragMarks, MovedColumnOrRowFollowsThePointerAsPictureOrButton)
{
    struct Case {
        const char* name;
        bool showCells, rows;
    };
    const Case cases[] = {
        {"column as picture", true, false},
        {"column as button", false, false},
        {"row as picture", true, true},
        {"row as button", false, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        InputFixture f(5, 8);
        TInputGrid* g = f.Grid;
        g->SetOptions(g->Options() + (k.rows ? goRowMoving : goColMoving));
        g->DragDropSettings()->SetShowCells(k.showCells);
        // Pressed 5 pixels into the header (row header), then moved.
        const QPoint press = k.rows ? QPoint(5, f.At(0, 2, 5).y() + 3) : f.At(2, 0, 5);
        const TRect pressed = k.rows ? g->CellRect(0, 2) : g->CellRect(2, 0);
        const QPoint to = k.rows ? QPoint(7, f.At(0, 5, 5).y()) : f.At(4, 0, 9);
        f.Press(press);
        f.MoveTo(press + QPoint(3, 3));
        f.MoveTo(to);
        TControl* shown = k.showCells ? static_cast<TControl*>(g->MoveImage()) : g->HeaderDragButton();
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->Visible());
        if (k.showCells) {
            EXPECT_FALSE(g->HeaderDragButton()->Visible());
        } else {
            EXPECT_EQ(g->MoveImage(), nullptr);
        }
        // The point pressed in the header stays under the pointer.
        const TPoint expected = g->ClientToScreen(TPoint(to.x() - (press.x() - pressed.Left), to.y() - (press.y() - pressed.Top)));
        EXPECT_EQ(TPoint(shown->Left(), shown->Top()), expected);
        if (!k.showCells) {
            EXPECT_EQ(g->HeaderDragButton()->Caption(), k.rows ? "0,2" : "2,0");
            EXPECT_EQ(shown->Width(), k.rows ? 64 : g->ColWidths(2));
            EXPECT_EQ(shown->Height(), k.rows ? g->RowHeights(2) : g->RowHeights(0));
            if (!k.rows) TestHarness::GrabToPng(g->HeaderDragButton(), TestHarness::GrabPath("advgrid-move-button.png"));
        } else {
            // The whole line over the visible cells.
            EXPECT_GE(k.rows ? shown->Width() : shown->Height(), 5 * 20);
            if (!k.rows) TestHarness::GrabToPng(g->MoveImage(), TestHarness::GrabPath("advgrid-move-image.png"));
        }
        f.Release(to);
        EXPECT_EQ(g->MoveImage(), nullptr);
        EXPECT_FALSE(g->HeaderDragButton()->Visible());
        EXPECT_EQ(k.rows ? g->Cells(0, 5) : g->Cells(4, 1), k.rows ? "0,2" : "2,1");
    }
}

TEST(GridDragMarks, MoveBeyondAnEdgeScrollsOneLineAMove)
{
    InputFixture f(15, 8);
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goColMoving);
    f.Press(f.At(3, 0, 5));
    f.MoveTo(f.At(3, 0, 9));
    const QPoint outside(g->Width() + 10, f.At(3, 0, 5).y());
    f.MoveTo(outside);
    EXPECT_EQ(g->LeftCol(), 2);
    f.MoveTo(outside);
    EXPECT_EQ(g->LeftCol(), 3);
    // Left of the fixed column's right edge: back, never past the fixed columns.
    for (int i = 0; i < 4; ++i) f.MoveTo(QPoint(10, outside.y()));
    EXPECT_EQ(g->LeftCol(), 1);
    f.Release(QPoint(10, outside.y()));
    EXPECT_EQ(g->MoveImage(), nullptr);
}

// ---- the column chooser -------------------------------------------------------------------

namespace {

// A column chooser as an application builds one: a list box that takes
// columns dragged from the grid's header (hiding them there) and hands
// them back through OleColumnDragStart.
class TChooserTarget : public TASGDropTarget {
public:
    TChooserTarget(TAdvStringGrid* g, TListBox* list) : FGrid(g), FList(list) { SetAcceptCols(true); }
    void DropCol(TPoint, int Col) override
    {
        FList->Items()->Add(FGrid->Cells(Col, 0));
        Columns.push_back(Col);
        FGrid->HideColumn(Col);
    }
    std::vector<int> Columns;

private:
    TAdvStringGrid* FGrid;
    TListBox* FList;
};

}  // namespace

TEST(GridDragMarks, ColumnGoesToAChooserAndBackWhereItIsDropped)
{
    TMarksForm f;
    TTestAdvGrid* g = f.Source;
    g->DragDropSettings()->SetOleColumnDragDrop(true);
    auto* list = Create<TListBox>(f.Form);
    list->SetParent(f.Form);
    list->SetBounds(428, 8, 200, 200);
    TChooserTarget chooser(g, list);
    TGridDropTarget target(g);
    target.SetAcceptCols(true);
    int droppedCol = -2;
    g->OnOleDropCol = [&](TObject*, int, int, int c) { droppedCol = c; };

    // Out: column 2 dragged from the header onto the list.
    {
        TMarksDragPlay out(&chooser);
        out.Points = {list->ClientToScreen(TPoint(20, 20))};
        out.Drop = true;
        EXPECT_TRUE(g->StartOleDrag(2, 0));
    }
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Items()->Strings(0), "s2,0");
    EXPECT_EQ(RowText(g, 0), "s0,0|s1,0|s3,0|s4,0");

    // Back: the list announces the column and drags it onto the header of
    // the column showing "s1,0"; the arrows stand there meanwhile.
    struct Case {
        const char* name;
        int dropCol;  // display column under the pointer, -1 beyond the last
        const char* header;
    };
    const Case cases[] = {
        {"before the column dropped on", 1, "s0,0|s2,0|s1,0|s3,0|s4,0"},
        {"beyond the last column", -1, "s0,0|s1,0|s3,0|s4,0|s2,0"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        // Column 2 in the chooser, as the drag out left it.
        if (g->NumHiddenColumns() == 0) {
            g->HideColumn(2);
            list->Items()->Add(QStringLiteral("s2,0"));
        }
        ASSERT_EQ(RowText(g, 0), "s0,0|s1,0|s3,0|s4,0");
        TMarksDragPlay back(&target);
        const TRect last = g->CellRect(g->ColCount() - 1, 0);
        const TPoint p = k.dropCol < 0 ? TPoint(last.Right + 10, (last.Top + last.Bottom) / 2)
                                       : TMarksForm::Middle(g, k.dropCol, 0);
        back.Points = {g->ClientToScreen(p)};
        back.Drop = true;
        QString during;
        back.During = [&] { during = Marks(g); };
        g->OleColumnDragStart(2, 0, list);
        TGridDropSource src(g, QImage());
        uint32_t effect = DROPEFFECT_NONE;
        BeginColumnDragDrop(&src, 2, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
        EXPECT_TRUE(during.startsWith("DU at "));
        EXPECT_EQ(RowText(g, 0), k.header);
        EXPECT_EQ(RowText(g, 3), QString(k.header).replace(",0", ",3"));
        EXPECT_EQ(list->Count(), 0);
        EXPECT_EQ(g->NumHiddenColumns(), 0);
        EXPECT_EQ(g->OleColumnDragCol(), -1);
        EXPECT_EQ(droppedCol, 2);
        EXPECT_EQ(Marks(g), "none");
        // Undo the move for the next case.
        g->ResetColumnOrder();
        ASSERT_EQ(RowText(g, 0), "s0,0|s1,0|s2,0|s3,0|s4,0");
    }
}

TEST(GridDragMarks, TextDroppedBelowTheLastRowGoesIntoNewRows)
{
    struct Case {
        const char* name;
        bool insertRows;
        int rowCount;
        const char* lastRows;  // the last two rows after the drop
    };
    const Case cases[] = {
        {"inserted rows appended", true, 8, "|a|b||,|c|d||"},
        // Without inserting, the drop lands on the last row and the paste
        // grows the grid by the row it lacks.
        {"no rows inserted", false, 7, "t0,5|a|b|t3,5|t4,5,|c|d||"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TMarksForm f;
        TDragDropSettings* dd = f.Target->DragDropSettings();
        dd->SetOleEntireRows(true);
        dd->SetOleAppendRows(true);
        dd->SetOleInsertRows(k.insertRows);
        TGridDropTarget target(f.Target);
        TGridRect dropped{-1, -1, -1, -1};
        f.Target->OnOleDropped = [&](TObject*, const TGridRect& r) { dropped = r; };
        const TRect last = f.Target->CellRect(2, 5);
        target.DropText(f.ScreenAt(TPoint(last.Left + 5, last.Bottom + 30)), QStringLiteral("a\tb\r\nc\td"));
        ASSERT_EQ(f.Target->RowCount(), k.rowCount);
        const int n = f.Target->RowCount();
        EXPECT_EQ(RowText(f.Target, n - 2) + "," + RowText(f.Target, n - 1), k.lastRows);
        if (k.insertRows) {
            EXPECT_EQ(dropped, (TGridRect{1, 6, 2, 7}));
        }
    }
}

TEST(GridDragMarks, AGridOfItsHeaderAloneTakesTextUnderTheHeader)
{
    for (const bool insertRows : {false, true}) {
        SCOPED_TRACE(insertRows ? "rows inserted" : "rows added by the paste");
        TMarksForm f;
        TTestAdvGrid* g = f.Target;
        g->SetFixedRowAlways(true);
        for (int r = 1; r < g->RowCount(); ++r)
            for (int c = 0; c < g->ColCount(); ++c) g->SetCells(c, r, QString());
        g->SetRowCount(1);
        g->DragDropSettings()->SetOleInsertRows(insertRows);
        TGridDropTarget target(g);
        QMimeData text;
        text.setText(QStringLiteral("a\tb\r\nc\td"));
        uint32_t effect = DROPEFFECT_COPY;
        const TPoint header = f.ScreenAt(TMarksForm::Middle(g, 2, 0));
        target.DragEnter(&text, MK_LBUTTON, header, effect);
        target.DragOver(MK_LBUTTON, header, effect);
        EXPECT_NE(effect, DROPEFFECT_NONE);
        EXPECT_EQ(Marks(g), "L at 130,22");
        target.DropText(header, text.text());
        ASSERT_EQ(g->RowCount(), 3);
        EXPECT_EQ(RowText(g, 0), "t0,0|t1,0|t2,0|t3,0|t4,0");
        EXPECT_EQ(RowText(g, 1), "||a|b|");
        EXPECT_EQ(RowText(g, 2), "||c|d|");
        EXPECT_EQ(Marks(g), "none");
    }
}
