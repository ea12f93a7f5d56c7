#pragma once
// The replaceable clock: the date and time of day, millisecond ticks and
// Sleep. Every wait of the program goes through it, so that a test clock lets
// loops with time-outs run in test time.

#include <cstdint>
#include <mutex>

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

class IClock {
public:
    virtual ~IClock() = default;
    // Local date and time.
    virtual TDateTime Now() = 0;
    // Monotonic milliseconds since an arbitrary start.
    virtual uint64_t TickCount64() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// The machine's clock.
class SystemClock : public IClock {
public:
    TDateTime Now() override;
    uint64_t TickCount64() override;
    void Sleep(uint32_t ms) override;
};

// A clock that advances only when told or when Sleep is called; Sleep returns
// at once. Safe to use from several threads.
class TestClock : public IClock {
public:
    explicit TestClock(TDateTime now = 46000.5, uint64_t tick = 1000000);
    TDateTime Now() override;
    uint64_t TickCount64() override;
    void Sleep(uint32_t ms) override;

    void SetNow(TDateTime now);
    void SetTickCount(uint64_t tick);
    // Moves the date, the time of day and the tick on by ms.
    void Advance(uint64_t ms);
    int SleepCount() const;
    uint64_t SleptMs() const;

private:
    mutable std::mutex FLock;
    TDateTime FNow;
    uint64_t FTick;
    int FSleepCount = 0;
    uint64_t FSleptMs = 0;
};

// Through Services().Clock, the machine's clock when none is installed.
IClock& CurrentClock();
TDateTime Now();
TDateTime Date();   // today at midnight
TDateTime Time();   // the time of day alone
// Milliseconds as an unsigned 32-bit number that wraps; take differences
// unsigned.
uint32_t GetTickCount();
uint64_t GetTickCount64();
void Sleep(uint32_t ms);
