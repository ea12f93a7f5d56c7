#include "ExtCtrls.h"

#include <QTimer>

#include <algorithm>
#include <climits>

// ---------------------------------------------------------------- TTimer

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner), FTimer(std::make_unique<QTimer>())
{
    FTimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(FTimer.get(), &QTimer::timeout, [this] { Tick(); });
}

TTimer::~TTimer()
{
    FTimer->stop();
}

void TTimer::SetEnabled(bool v)
{
    if (v == FEnabled) return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned v)
{
    if (v == FInterval) return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent v)
{
    FOnTimer = std::move(v);
    UpdateTimer();
}

bool TTimer::Running() const
{
    return FTimer->isActive();
}

int TTimer::RemainingTime() const
{
    return FTimer->remainingTime();
}

void TTimer::UpdateTimer()
{
    FTimer->stop();
    if (FEnabled && FInterval > 0 && FOnTimer && !HasState(csDestroying))
        FTimer->start(int(std::min<unsigned>(FInterval, unsigned(INT_MAX))));
}

void TTimer::Timer()
{
    if (FOnTimer) FOnTimer(this);
}

void TTimer::Tick()
{
    Timer();
}
