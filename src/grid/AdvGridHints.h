#pragma once
// The string grid's balloon tooltip settings and the window of its HTML
// hints.

#include "AdvObj.h"
#include "Controls.h"

#include <cstdint>

class TBaseGrid;

// Setters only store; the balloon itself and OnEnableChange's firing come
// with the grid's hints. Assign accepts its own class and copies nothing yet.
class TBalloonSettings : public TPersistent {
public:
    DECLARE_CLASSNAME(TBalloonSettings)
    explicit TBalloonSettings(TBaseGrid* AOwner) : FGrid(AOwner) {}
    TPersistent* GetOwner() override;

    // The tooltip window has been set up (not published).
    ADVOBJ_PLAIN_BOOL(Init, false)
    ADVOBJ_PLAIN_PROPERTY(TColor, BackgroundColor, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, TextColor, clNone)
    // Milliseconds; -1 leaves the platform's value.
    ADVOBJ_PLAIN_PROPERTY(int, ReshowDelay, -1)
    ADVOBJ_PLAIN_PROPERTY(int, InitialDelay, -1)
    ADVOBJ_PLAIN_PROPERTY(int, AutoHideDelay, -1)
    // 0 opaque; otherwise the window's alpha is 255 - Transparency.
    ADVOBJ_PLAIN_PROPERTY(uint8_t, Transparency, 0)
    ADVOBJ_PLAIN_BOOL(Enable, false)

public:
    // Set by the grid.
    TNotifyEvent OnEnableChange;

    void Assign(TPersistent* Source) override;

private:
    TBaseGrid* FGrid;
};

// The window of the grid's HTML hints and of its scroll position hint: an
// auxiliary window created hidden, shown only by the grid's hint handling.
class THTMLHintWindow : public TCustomControl {
public:
    DECLARE_CLASSNAME(THTMLHintWindow)
    explicit THTMLHintWindow(TComponent* AOwner);
};
