// Panning with the middle button: the dead zone, the directions each
// setting follows, the cursors, and what ends a pan.

#include "AdvGridInputTestKit.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {

void MiddlePress(const InputFixture& f, QPoint p) { f.Click(p, Qt::MiddleButton); }

} // namespace

TEST(AdvGridPan, PointerBeyondTheDeadZoneScrollsOneStepPerTick)
{
    struct Case {
        TIntelliPan Pan;
        int Dx, Dy;
        int TopDelta, LeftDelta;
        int Cursor;
    };
    const Case cases[] = {
        {ipVertical, 0, 5, 0, 0, 8000},    {ipVertical, 0, 6, 1, 0, 8001},   {ipVertical, 0, -6, -1, 0, 8004},
        {ipVertical, 0, -5, 0, 0, 8000},   {ipVertical, 40, 0, 0, 0, 8000},  {ipHorizontal, 0, 150, 0, 0, 8000},
        {ipHorizontal, 6, 0, 0, 1, 8003},  {ipHorizontal, -5, 0, 0, 0, 8000}, {ipBoth, 6, 6, 1, 1, 8007},
        {ipBoth, -6, -6, -1, -1, 8006},    {ipBoth, 6, -6, -1, 1, 8005},     {ipBoth, -6, 6, 1, -1, 8008},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("pan %1 by %2,%3").arg(int(c.Pan)).arg(c.Dx).arg(c.Dy).toStdString());
        InputFixture f(30, 100);
        TInputGrid* g = f.Grid;
        g->MouseActions()->SetWheelAction(waScroll);
        g->SetIntelliPan(c.Pan);
        g->SetTopRow(40);
        g->SetLeftCol(10);
        const QPoint o(300, 200);
        MiddlePress(f, o);
        ASSERT_TRUE(g->Panning());
        EXPECT_TRUE(g->TimerRunning(TAdvStringGrid::PanTimerID));
        EXPECT_TRUE(g->MouseCapture());
        f.MoveTo(o + QPoint(c.Dx, c.Dy), Qt::NoButton);
        g->DeliverTimer(TAdvStringGrid::PanTimerID);
        EXPECT_EQ(g->TopRow(), 40 + c.TopDelta);
        EXPECT_EQ(g->LeftCol(), 10 + c.LeftDelta);
        EXPECT_EQ(g->ShownCursor(), TAdvStringGrid::GridCursor(c.Cursor));
        // The pan goes on with every tick.
        g->DeliverTimer(TAdvStringGrid::PanTimerID);
        EXPECT_EQ(g->TopRow(), 40 + 2 * c.TopDelta);
    }
}

TEST(AdvGridPan, MovingTheSelectionStepsTheCurrentCell)
{
    InputFixture f(8, 100);
    TInputGrid* g = f.Grid;
    g->SetRow(10);
    g->SetCol(3);
    MiddlePress(f, QPoint(300, 200));
    f.MoveTo(QPoint(300, 260), Qt::NoButton);
    for (int i = 0; i < 3; ++i) g->DeliverTimer(TAdvStringGrid::PanTimerID);
    EXPECT_EQ(g->Row(), 13);
    EXPECT_EQ(g->Col(), 3);
    f.MoveTo(QPoint(300, 200), Qt::NoButton);
    g->DeliverTimer(TAdvStringGrid::PanTimerID);
    EXPECT_EQ(g->Row(), 13);
}

TEST(AdvGridPan, AnyPressOrKeyEndsThePan)
{
    struct Case {
        const char* Name;
        std::function<void(InputFixture&)> End;
    };
    const Case cases[] = {
        {"left press", [](InputFixture& f) { f.Click(f.At(3, 3, 10)); }},
        {"right press", [](InputFixture& f) { f.Click(f.At(3, 3, 10), Qt::RightButton); }},
        {"middle press", [](InputFixture& f) { MiddlePress(f, QPoint(100, 100)); }},
        {"key", [](InputFixture& f) { f.Key(Qt::Key_Shift); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        InputFixture f(8, 100);
        TInputGrid* g = f.Grid;
        g->SetShowHint(true);
        MiddlePress(f, QPoint(300, 200));
        ASSERT_TRUE(g->Panning());
        EXPECT_FALSE(g->ShowHint());
        f.MoveTo(QPoint(300, 300), Qt::NoButton);
        g->DeliverTimer(TAdvStringGrid::PanTimerID);
        TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("panning.png"));
        c.End(f);
        EXPECT_FALSE(g->Panning());
        EXPECT_FALSE(g->TimerRunning(TAdvStringGrid::PanTimerID));
        EXPECT_FALSE(g->MouseCapture());
        EXPECT_TRUE(g->ShowHint());
        EXPECT_EQ(g->ShownCursor(), crDefault);
        const int top = g->TopRow();
        g->DeliverTimer(TAdvStringGrid::PanTimerID);
        EXPECT_EQ(g->TopRow(), top) << "a tick after the end pans no more";
    }
}

TEST(AdvGridPan, NoPanWithIpNone)
{
    InputFixture f(8, 100);
    f.Grid->SetIntelliPan(ipNone);
    MiddlePress(f, QPoint(300, 200));
    EXPECT_FALSE(f.Grid->Panning());
    EXPECT_FALSE(f.Grid->TimerRunning(TAdvStringGrid::PanTimerID));
}
