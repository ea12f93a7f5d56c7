// Scrolling under a drag: the margins, the delays, the event that may skip
// a tick, and the timer's life.

#include "AdvGridInputTestKit.h"
#include "ExtCtrls.h"
#include "TestHarness.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// The input fixture 300 pixels high with room to scroll both ways.
struct DragFixture : InputFixture {
    DragFixture() : InputFixture(30, 100)
    {
        Grid->SetBounds(0, 0, 640, 300);
        Grid->DragScrollOptions()->SetActive(true);
        Data.setText(QStringLiteral("dragged"));
    }
    void Drag(QEvent::Type t, QPoint p)
    {
        if (t == QEvent::DragEnter) {
            QDragEnterEvent e(p, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(W(), &e);
        } else {
            QDragMoveEvent e(p, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(W(), &e);
        }
    }
    void DragLeave()
    {
        QDragLeaveEvent e;
        QApplication::sendEvent(W(), &e);
    }
    QMimeData Data;
};

QString Dirs(TDragScrollDirections d)
{
    QStringList out;
    if (d.Contains(dsdUp)) out << "up";
    if (d.Contains(dsdDown)) out << "down";
    if (d.Contains(dsdLeft)) out << "left";
    if (d.Contains(dsdRight)) out << "right";
    return out.join(' ');
}

} // namespace

TEST(AdvGridDragScroll, MarginsAreStrictOnEachEdge)
{
    struct Case {
        int X, Y;
        const char* Dirs;
    };
    const Case cases[] = {
        {320, 49, "up"},        {320, 50, ""},         {320, 251, "down"},      {320, 250, ""},
        {49, 150, "left"},      {50, 150, ""},         {591, 150, "right"},     {590, 150, ""},
        {10, 10, "up left"},    {630, 290, "down right"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1,%2").arg(c.X).arg(c.Y).toStdString());
        DragFixture f;
        f.Drag(QEvent::DragEnter, QPoint(c.X, c.Y));
        EXPECT_EQ(Dirs(f.Grid->DragScrollDirection()), c.Dirs);
        TTimer* t = f.Grid->DragScrollTimer();
        EXPECT_EQ(t != nullptr, *c.Dirs != 0);
        if (t) {
            EXPECT_EQ(t->Interval(), 1000u);
        }
    }
}

TEST(AdvGridDragScroll, CornerScrollsBothWaysPerTickAfterTheInitialDelay)
{
    DragFixture f;
    TInputGrid* g = f.Grid;
    g->SetTopRow(10);
    g->SetLeftCol(10);
    f.Drag(QEvent::DragEnter, QPoint(320, 150));
    EXPECT_EQ(g->DragScrollTimer(), nullptr) << "no margin, no timer";
    f.Drag(QEvent::DragMove, QPoint(10, 10));
    ASSERT_NE(g->DragScrollTimer(), nullptr);
    EXPECT_EQ(g->DragScrollTimer()->Interval(), 1000u);
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), 9);
    EXPECT_EQ(g->LeftCol(), 9);
    EXPECT_EQ(g->DragScrollTimer()->Interval(), 250u);
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), 8);
    EXPECT_EQ(g->LeftCol(), 8);
    // A move within the margins waits the initial delay again.
    f.Drag(QEvent::DragMove, QPoint(12, 12));
    EXPECT_EQ(g->DragScrollTimer()->Interval(), 1000u);
    // Bottom-right: down and right.
    f.Drag(QEvent::DragMove, QPoint(630, 290));
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), 9);
    EXPECT_EQ(g->LeftCol(), 9);
    // Leaving the margins, then the control, stops it.
    f.Drag(QEvent::DragMove, QPoint(320, 150));
    EXPECT_EQ(g->DragScrollTimer(), nullptr);
    f.Drag(QEvent::DragMove, QPoint(320, 10));
    ASSERT_NE(g->DragScrollTimer(), nullptr);
    f.DragLeave();
    EXPECT_EQ(g->DragScrollTimer(), nullptr);
    EXPECT_EQ(Dirs(g->DragScrollDirection()), "");
}

TEST(AdvGridDragScroll, ScrollingStopsAtTheEdgesOfTheGrid)
{
    DragFixture f;
    TInputGrid* g = f.Grid;
    f.Drag(QEvent::DragEnter, QPoint(10, 10));
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), g->FixedRows());
    EXPECT_EQ(g->LeftCol(), g->FixedCols());
    g->SetTopRow(g->RowCount() - g->VisibleRowCount());
    g->SetLeftCol(g->ColCount() - g->VisibleColCount());
    const int top = g->TopRow(), left = g->LeftCol();
    f.Drag(QEvent::DragMove, QPoint(630, 290));
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), top);
    EXPECT_EQ(g->LeftCol(), left);
}

TEST(AdvGridDragScroll, OnDragScrollRefusingSkipsOneTickOnly)
{
    DragFixture f;
    TInputGrid* g = f.Grid;
    g->SetTopRow(20);
    int asked = 0;
    int seenTop = -1;
    g->OnDragScroll = [&](TObject*, int top, int, TDragScrollDirections& d, bool& can) {
        seenTop = top;
        can = ++asked != 1;
        EXPECT_EQ(Dirs(d), "up");
    };
    f.Drag(QEvent::DragEnter, QPoint(320, 20));
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), 20);
    ASSERT_NE(g->DragScrollTimer(), nullptr);
    EXPECT_TRUE(g->DragScrollTimer()->Enabled());
    EXPECT_EQ(g->DragScrollTimer()->Interval(), 250u);
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), 19);
    EXPECT_EQ(seenTop, 20);
    // The handler may turn the direction round.
    g->OnDragScroll = [](TObject*, int, int, TDragScrollDirections& d, bool&) { d = TDragScrollDirections{dsdDown}; };
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), 20);
}

TEST(AdvGridDragScroll, SwitchedOffMeanwhileStopsAtTheNextTickOrEvent)
{
    DragFixture f;
    TInputGrid* g = f.Grid;
    g->SetTopRow(20);
    f.Drag(QEvent::DragEnter, QPoint(320, 20));
    g->DragScrollOptions()->SetActive(false);
    g->DragScrollTick();
    EXPECT_EQ(g->TopRow(), 20);
    EXPECT_TRUE(!g->DragScrollTimer() || !g->DragScrollTimer()->Enabled());
    f.Drag(QEvent::DragMove, QPoint(320, 20));
    EXPECT_EQ(g->DragScrollTimer(), nullptr);
    // Switched on again, the next drag event starts over.
    g->DragScrollOptions()->SetActive(true);
    f.Drag(QEvent::DragMove, QPoint(320, 20));
    ASSERT_NE(g->DragScrollTimer(), nullptr);
    EXPECT_TRUE(g->DragScrollTimer()->Enabled());
}

TEST(AdvGridDragScroll, GridFreedWithTheTimerRunningLeavesNoTick)
{
    auto* f = new DragFixture;
    f->Grid->DragScrollOptions()->Delays()->SetInitialDelay(1);
    f->Grid->SetTopRow(20);
    f->Drag(QEvent::DragEnter, QPoint(320, 20));
    ASSERT_NE(f->Grid->DragScrollTimer(), nullptr);
    delete f;
    QThread::msleep(5);
    QCoreApplication::processEvents();
    SUCCEED();
}

TEST(AdvGridDragScroll, OnDragOverDecidesTheDropAndSeesEveryState)
{
    DragFixture f;
    QStringList seen;
    f.Grid->OnDragOver = [&](TObject*, TObject* src, int x, int y, TDragState st, bool& accept) {
        seen << QStringLiteral("%1 %2,%3 %4").arg(int(st)).arg(x).arg(y).arg(src ? "src" : "none");
        accept = x > 100;
    };
    QDragEnterEvent enter(QPoint(50, 60), Qt::CopyAction, &f.Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.W(), &enter);
    EXPECT_TRUE(enter.isAccepted()) << "an entering drag is let in so that its moves follow";
    QDragMoveEvent move(QPoint(50, 60), Qt::CopyAction, &f.Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.W(), &move);
    EXPECT_FALSE(move.isAccepted());
    QDragMoveEvent move2(QPoint(150, 60), Qt::CopyAction, &f.Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.W(), &move2);
    EXPECT_TRUE(move2.isAccepted());
    f.DragLeave();
    EXPECT_EQ(seen, (QStringList{"0 50,60 none", "2 50,60 none", "2 150,60 none", "1 0,0 none"}));
}
