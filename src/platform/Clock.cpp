#include "Clock.h"

#include "DateUtils.h"
#include "Services.h"

#include <QDateTime>
#include <chrono>
#include <cmath>
#include <thread>

TDateTime SystemClock::Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return EncodeDate(d.year(), d.month(), d.day())
           + EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

uint64_t SystemClock::TickCount64()
{
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::Sleep(uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

TestClock::TestClock(TDateTime now, uint64_t tick) : FNow(now), FTick(tick) {}

TDateTime TestClock::Now()
{
    std::lock_guard<std::mutex> g(FLock);
    return FNow;
}

uint64_t TestClock::TickCount64()
{
    std::lock_guard<std::mutex> g(FLock);
    return FTick;
}

void TestClock::Sleep(uint32_t ms)
{
    {
        std::lock_guard<std::mutex> g(FLock);
        ++FSleepCount;
        FSleptMs += ms;
    }
    Advance(ms);
}

void TestClock::SetNow(TDateTime now)
{
    std::lock_guard<std::mutex> g(FLock);
    FNow = now;
}

void TestClock::SetTickCount(uint64_t tick)
{
    std::lock_guard<std::mutex> g(FLock);
    FTick = tick;
}

void TestClock::Advance(uint64_t ms)
{
    std::lock_guard<std::mutex> g(FLock);
    FTick += ms;
    // Whole days and milliseconds kept apart so that long runs of small steps
    // do not drift.
    const double days = std::floor(FNow);
    const int64_t msOfDay = int64_t(std::llround((FNow - days) * MSecsPerDay)) + int64_t(ms);
    FNow = days + double(msOfDay / MSecsPerDay) + double(msOfDay % MSecsPerDay) / MSecsPerDay;
}

int TestClock::SleepCount() const
{
    std::lock_guard<std::mutex> g(FLock);
    return FSleepCount;
}

uint64_t TestClock::SleptMs() const
{
    std::lock_guard<std::mutex> g(FLock);
    return FSleptMs;
}

IClock& CurrentClock()
{
    static SystemClock system;
    IClock* c = Services().Clock.get();
    return c ? *c : system;
}

TDateTime Now() { return CurrentClock().Now(); }
TDateTime Date() { return std::floor(Now()); }
TDateTime Time()
{
    const TDateTime n = Now();
    return n - std::floor(n);
}
uint32_t GetTickCount() { return uint32_t(CurrentClock().TickCount64()); }
uint64_t GetTickCount64() { return CurrentClock().TickCount64(); }
void Sleep(uint32_t ms) { CurrentClock().Sleep(ms); }
