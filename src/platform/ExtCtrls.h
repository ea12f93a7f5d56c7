#pragma once
// Extra controls of the platform layer: the timer, and (with the control
// classes) panel, shape, image, link label and scroll box.

#include "Classes.h"

#include <memory>

class QTimer;

// A component that calls OnTimer every Interval milliseconds while it is
// enabled. Enabling a running timer leaves it running on its schedule;
// a changed interval starts the wait again from the moment of the change.
// It runs only while Enabled, Interval > 0 and OnTimer is assigned.
class TTimer : public TComponent {
public:
    DECLARE_CLASSNAME(TTimer)
    explicit TTimer(TComponent* AOwner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned v);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent v);

    // True while the underlying timer is counting, and the milliseconds
    // left until its next tick (-1 when it is not counting).
    bool Running() const;
    int RemainingTime() const;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void Tick();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    TNotifyEvent FOnTimer;
    std::unique_ptr<QTimer> FTimer;
};
