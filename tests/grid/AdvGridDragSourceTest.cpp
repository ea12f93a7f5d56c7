// The string grid as a drag source: cells dragged from one grid land on
// another (or on the same grid) through the drag runner, which stands in for
// Qt's drag loop (under the offscreen platform QDrag returns at once).
#include "AdvGridDragTestKit.h"

#include "AdvGridDragDrop.h"
#include "TestHarness.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Plays the user's drag: enters the drop grid at a point, shows the effect
// to the source and drops (or lets go outside every target).
struct TDragPlay {
    TGridDropTarget* Target = nullptr;
    TPoint Point;
    uint32_t Keys = MK_LBUTTON;
    bool Drop = true;
    QStringList Formats;
    TDragRunner Old;
    explicit TDragPlay(TGridDropTarget* target, TPoint pt) : Target(target), Point(pt)
    {
        Old = SetDragRunner([this](std::unique_ptr<QMimeData> data, Qt::DropActions allowed, TASGDropSource* src) {
            Formats = data->formats();
            uint32_t effect = (allowed & Qt::MoveAction ? DROPEFFECT_MOVE : 0) | DROPEFFECT_COPY;
            Target->DragEnter(data.get(), Keys, Point, effect);
            Target->DragOver(Keys, Point, effect);
            src->GiveFeedback(Drop ? effect : DROPEFFECT_NONE);
            if (!Drop) return Qt::IgnoreAction;
            Target->Drop(data.get(), Keys & ~MK_LBUTTON, Point, effect);
            return effect == DROPEFFECT_MOVE ? Qt::MoveAction : Qt::CopyAction;
        });
    }
    ~TDragPlay() { SetDragRunner(Old); }
};

}  // namespace

TEST(GridDragSource, CellsMoveOrCopyToAnotherGrid)
{
    struct Case {
        const char* name;
        bool ctrl, copyAlways, fmt, dropped;
        bool sourceCleared;
        int stopEffect;  // -1: no stop event
    };
    const Case cases[] = {
        {"move as text", false, false, false, true, true, int(DROPEFFECT_MOVE)},
        {"move as cells", false, false, true, true, true, int(DROPEFFECT_MOVE)},
        {"copy with Ctrl", true, false, true, true, false, int(DROPEFFECT_COPY)},
        {"copy always", false, true, false, true, false, int(DROPEFFECT_MOVE)},
        {"let go outside", false, false, true, false, false, -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TDragForm f;
        f.Source->DragDropSettings()->SetOleCopyAlways(k.copyAlways);
        f.Source->Navigation()->SetAllowFmtClipboard(k.fmt);
        f.Source->CellProperties(2, 2)->SetBrushColor(TColor(0x0000FF));
        f.Source->SetSelection(TGridRect{1, 1, 2, 2});
        TGridDropTarget target(f.Target);
        TDragPlay play(&target, TDragForm::At(f.Target, 2, 3));
        play.Keys = MK_LBUTTON | (k.ctrl ? MK_CONTROL : 0);
        play.Drop = k.dropped;
        int stop = -1;
        f.Source->OnOleDragStop = [&](TObject*, int e) { stop = e; };

        EXPECT_TRUE(f.Source->StartOleDrag(1, 1));
        EXPECT_EQ(play.Formats.contains(ClipboardFormatMime(CF_GRIDCELLS())), k.fmt);
        EXPECT_EQ(stop, k.stopEffect);
        EXPECT_EQ(RowText(f.Target, 3), k.dropped ? QStringLiteral("t0,3|t1,3|s1,1|s2,1|t4,3")
                                                  : QStringLiteral("t0,3|t1,3|t2,3|t3,3|t4,3"));
        EXPECT_EQ(RowText(f.Target, 4), k.dropped ? QStringLiteral("t0,4|t1,4|s1,2|s2,2|t4,4")
                                                  : QStringLiteral("t0,4|t1,4|t2,4|t3,4|t4,4"));
        // Formats travel only with the grid's own cell format.
        EXPECT_EQ(f.Target->CellProperties(3, 4)->BrushColor() == TColor(0x0000FF), k.fmt && k.dropped);
        EXPECT_EQ(RowText(f.Source, 1), k.sourceCleared ? QStringLiteral("s0,1|||s3,1|s4,1")
                                                        : QStringLiteral("s0,1|s1,1|s2,1|s3,1|s4,1"));
        EXPECT_EQ(f.Source->Cells(2, 2).isEmpty(), k.sourceCleared);
        EXPECT_FALSE(f.Source->OleDragging());
    }
}

TEST(GridDragSource, RowsLeaveTheSourceOnlyWhenMoved)
{
    for (bool ctrl : {false, true}) {
        SCOPED_TRACE(ctrl ? "copy" : "move");
        TDragForm f;
        f.Source->SetOptions(f.Source->Options() + goRowSelect);
        f.Source->DragDropSettings()->SetOleRemoveRows(true);
        f.Source->SetSelection(TGridRect{1, 2, 4, 3});
        f.Target->DragDropSettings()->SetOleInsertRows(true);
        TGridDropTarget target(f.Target);
        TDragPlay play(&target, TDragForm::At(f.Target, 1, 1));
        play.Keys = MK_LBUTTON | (ctrl ? MK_CONTROL : 0);

        EXPECT_TRUE(f.Source->StartOleDrag(2, 2));
        EXPECT_EQ(f.Target->RowCount(), 8);
        // New rows under the pointer; the fixed column of a new row is empty.
        EXPECT_EQ(RowText(f.Target, 1), QStringLiteral("|s1,2|s2,2|s3,2|s4,2"));
        EXPECT_EQ(RowText(f.Target, 2), QStringLiteral("|s1,3|s2,3|s3,3|s4,3"));
        EXPECT_EQ(RowText(f.Target, 3), QStringLiteral("t0,1|t1,1|t2,1|t3,1|t4,1"));
        EXPECT_EQ(f.Source->RowCount(), ctrl ? 6 : 4);
        EXPECT_EQ(RowText(f.Source, 2), ctrl ? QStringLiteral("s0,2|s1,2|s2,2|s3,2|s4,2")
                                             : QStringLiteral("s0,4|s1,4|s2,4|s3,4|s4,4"));
    }
}

TEST(GridDragSource, AHiddenColumnAndAMergedCellTravelAsShown)
{
    TDragForm f;
    f.Source->Navigation()->SetAllowFmtClipboard(true);
    f.Source->MergeCells(1, 1, 1, 2);  // display column 1, rows 1-2
    f.Source->HideColumn(2);          // display columns: 0, 1, 3, 4
    f.Source->SetSelection(TGridRect{1, 1, 2, 2});
    TGridDropTarget target(f.Target);
    TDragPlay play(&target, TDragForm::At(f.Target, 2, 3));

    EXPECT_TRUE(f.Source->StartOleDrag(1, 1));
    // The selected text and the cells are those shown, not the hidden one.
    EXPECT_EQ(f.Target->Cells(2, 3), QStringLiteral("s1,1"));
    EXPECT_EQ(f.Target->Cells(3, 3), QStringLiteral("s3,1"));
    EXPECT_EQ(f.Target->Cells(3, 4), QStringLiteral("s3,2"));
    EXPECT_EQ(f.Target->CellSpan(2, 3), TPoint(0, 1));
    // The move clears the shown cells and keeps the hidden column's.
    f.Source->UnHideColumn(2);
    EXPECT_EQ(RowText(f.Source, 1), QStringLiteral("s0,1||s2,1||s4,1"));
    EXPECT_EQ(RowText(f.Source, 2), QStringLiteral("s0,2||s2,2||s4,2"));
}

TEST(GridDragSource, AMoveOntoItsOwnGridKeepsTheDroppedCells)
{
    TDragForm f;
    f.Source->Navigation()->SetAllowFmtClipboard(true);
    f.Source->SetSelection(TGridRect{1, 1, 2, 2});
    TGridDropTarget target(f.Source);
    TDragPlay play(&target, TDragForm::At(f.Source, 2, 2));

    EXPECT_TRUE(f.Source->StartOleDrag(1, 1));
    EXPECT_EQ(RowText(f.Source, 1), QStringLiteral("s0,1|||s3,1|s4,1"));
    EXPECT_EQ(RowText(f.Source, 2), QStringLiteral("s0,2||s1,1|s2,1|s4,2"));
    EXPECT_EQ(RowText(f.Source, 3), QStringLiteral("s0,3|s1,3|s1,2|s2,2|s4,3"));
}

TEST(GridDragSource, RefusalsStartNoDrag)
{
    TDragForm f;
    f.Source->SetSelection(TGridRect{1, 1, 1, 1});
    int runs = 0;
    TDragRunner old = SetDragRunner([&](std::unique_ptr<QMimeData>, Qt::DropActions, TASGDropSource*) {
        ++runs;
        return Qt::IgnoreAction;
    });
    f.Source->OnOleDrag = [](TObject*, int, int, const QString& data, bool& allow) { allow = data != "s1,1"; };
    EXPECT_FALSE(f.Source->StartOleDrag(1, 1));
    f.Source->OnOleDrag = nullptr;
    f.Source->DragDropSettings()->SetOleColumnsOnly(true);
    EXPECT_FALSE(f.Source->StartOleDrag(1, 1));
    f.Source->DragDropSettings()->SetOleColumnsOnly(false);
    f.Source->DragDropSettings()->SetOleDropSource(false);
    EXPECT_FALSE(f.Source->StartOleDrag(1, 1));
    EXPECT_EQ(runs, 0);
    SetDragRunner(old);
    EXPECT_EQ(f.Source->Cells(1, 1), QStringLiteral("s1,1"));
}

TEST(GridDragSource, AHeaderDragMovesTheColumnOnTheOtherGrid)
{
    TDragForm f;
    f.Source->DragDropSettings()->SetOleColumnDragDrop(true);
    f.Target->DragDropSettings()->SetOleColumnReorder(true);
    int dropped = -1;
    f.Target->OnOleDropCol = [&](TObject*, int, int, int col) { dropped = col; };
    TGridDropTarget target(f.Target);
    target.SetAcceptCols(true);
    TDragPlay play(&target, TDragForm::At(f.Target, 1, 0));

    EXPECT_TRUE(f.Source->StartOleDrag(3, 0));
    EXPECT_EQ(dropped, 3);
    EXPECT_EQ(RowText(f.Target, 0), QStringLiteral("t0,0|t3,0|t1,0|t2,0|t4,0"));
    EXPECT_EQ(RowText(f.Source, 0), QStringLiteral("s0,0|s1,0|s2,0|s3,0|s4,0"));
}

TEST(GridDragSource, APictureOfTheVisibleDraggedCellsFollowsThePointer)
{
    TDragForm f;
    f.Source->SetSelection(TGridRect{1, 1, 2, 3});
    QImage picture;
    TPoint offset;
    TDragRunner old = SetDragRunner([&](std::unique_ptr<QMimeData>, Qt::DropActions, TASGDropSource* s) {
        picture = s->DragPicture();
        offset = s->DragPictureOffset();
        return Qt::IgnoreAction;
    });
    EXPECT_TRUE(f.Source->StartOleDrag(1, 1));
    SetDragRunner(old);
    const TRect a = f.Source->CellRect(1, 1), b = f.Source->CellRect(2, 3);
    EXPECT_EQ(picture.size(), QSize(b.Right - a.Left, b.Bottom - a.Top));
    EXPECT_EQ(offset, TPoint(4, 4));
    // Nothing of it on the screen: no picture.
    EXPECT_TRUE(f.Source->OleDragPicture(TGridRect{1, 40, 2, 41}).isNull());
    const QString dir = QString::fromLocal8Bit(qgetenv("CALYPTOR_GRAB_DIR"));
    if (!dir.isEmpty()) picture.save(QDir(dir).filePath(QStringLiteral("grid_drag_picture.png")));
}

TEST(GridDragSource, OleDropTargetRegistersAndRevokes)
{
    TDragForm f;
    TDragDropSettings* dd = f.Target->DragDropSettings();
    dd->SetOleAcceptFiles(false);
    dd->SetOleDropTarget(true);
    ASSERT_TRUE(f.Target->OleDropTargetRegistered());
    EXPECT_TRUE(f.Target->Widget()->acceptDrops());
    EXPECT_FALSE(f.Target->OleDropTarget()->AcceptFiles());
    EXPECT_TRUE(f.Target->OleDropTarget()->AcceptText());
    dd->SetOleDropTarget(false);
    EXPECT_FALSE(f.Target->OleDropTargetRegistered());
    EXPECT_FALSE(f.Target->Widget()->acceptDrops());
}

// The pointer starts the drag: a press on the selection arms it and a move
// of more than 3 pixels with the button down runs it; anything else stays a
// plain press.
TEST(GridDragSource, ThePointerStartsTheDragFromTheSelection)
{
    struct Case {
        const char* name;
        bool source;    // the grid is a drag source
        bool onSel;     // the press is on the selection
        int distance;   // how far the pointer then moves, button down
        bool dragged;
    };
    const Case cases[] = {
        {"three pixels", true, true, 3, false},
        {"four pixels", true, true, 4, true},
        {"outside the selection", true, false, 10, false},
        {"not a drag source", false, true, 10, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TDragForm f;
        f.Source->SetOptions(f.Source->Options() - goEditing);
        f.Source->DragDropSettings()->SetOleDropSource(k.source);
        f.Source->SetSelection(TGridRect{1, 1, 2, 2});
        TGridDropTarget target(f.Target);
        TDragPlay play(&target, TDragForm::At(f.Target, 2, 3));
        int starts = 0;
        f.Source->OnOleDragStart = [&](TObject*, int, int) { ++starts; };
        const TRect rc = f.Source->CellRect(k.onSel ? 1 : 4, k.onSel ? 1 : 4);
        const QPoint p((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
        QWidget* w = f.Source->Widget();
        auto send = [w](QEvent::Type t, QPoint at, Qt::MouseButton b, Qt::MouseButtons held) {
            QMouseEvent e(t, QPointF(at), QPointF(w->mapToGlobal(at)), b, held, Qt::NoModifier);
            QApplication::sendEvent(w, &e);
        };
        send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        if (k.onSel && k.source) {
            EXPECT_EQ(f.Source->Selection(), (TGridRect{1, 1, 2, 2}));
        }
        send(QEvent::MouseMove, p + QPoint(k.distance, 0), Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, p + QPoint(k.distance, 0), Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(starts, k.dragged ? 1 : 0);
        EXPECT_EQ(RowText(f.Target, 3), k.dragged ? QStringLiteral("t0,3|t1,3|s1,1|s2,1|t4,3")
                                                  : QStringLiteral("t0,3|t1,3|t2,3|t3,3|t4,3"));
    }
}
