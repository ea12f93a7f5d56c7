#include "ExtCtrls.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Lets the event loop run for at least ms milliseconds.
void Pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

}  // namespace

TEST(TimerTest, RunsOnlyWhenEnabledWithIntervalAndHandler)
{
    TTimer t;
    EXPECT_TRUE(t.Enabled());
    EXPECT_EQ(t.Interval(), 1000u);
    EXPECT_FALSE(t.Running()) << "no handler yet";
    t.SetOnTimer([](TObject*) {});
    EXPECT_TRUE(t.Running());
    t.SetInterval(0);
    EXPECT_FALSE(t.Running());
    t.SetInterval(500);
    EXPECT_TRUE(t.Running());
    t.SetEnabled(false);
    EXPECT_FALSE(t.Running());
    t.SetEnabled(true);
    EXPECT_TRUE(t.Running());
    t.SetOnTimer(nullptr);
    EXPECT_FALSE(t.Running());
}

TEST(TimerTest, EnablingAnEnabledTimerKeepsItsSchedule)
{
    TTimer t;
    t.SetInterval(2000);
    t.SetOnTimer([](TObject*) {});
    QThread::msleep(600);
    t.SetEnabled(true);  // already enabled: no restart
    EXPECT_LE(t.RemainingTime(), 1500);
    t.SetInterval(2000);  // the same interval: no restart either
    EXPECT_LE(t.RemainingTime(), 1500);
}

TEST(TimerTest, NewIntervalOrReEnableRestartsTheWait)
{
    TTimer t;
    t.SetInterval(2000);
    t.SetOnTimer([](TObject*) {});
    QThread::msleep(600);
    t.SetInterval(3000);
    EXPECT_GT(t.RemainingTime(), 2500);
    QThread::msleep(600);
    t.SetEnabled(false);
    t.SetEnabled(true);
    EXPECT_GT(t.RemainingTime(), 2500);
}

TEST(TimerTest, TicksCallOnTimerWithTheTimerAsSender)
{
    TTimer t;
    int ticks = 0;
    TObject* sender = nullptr;
    t.SetInterval(20);
    t.SetOnTimer([&](TObject* s) {
        ++ticks;
        sender = s;
    });
    Pump(200);
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(sender, &t);
    // The handler may stop its own timer (as the update check does).
    ticks = 0;
    t.SetOnTimer([&](TObject*) {
        ++ticks;
        t.SetEnabled(false);
    });
    Pump(150);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(t.Running());
}
