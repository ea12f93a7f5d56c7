#pragma once
// The bridge from Qt events to a control's messages: one event filter per
// control, installed on its widget (and on any sub-widget attached to it).
// It is also the receiver of the control's posted messages and the parent of
// its timers, so both die with the control.

#include "Controls.h"

#include <QEvent>
#include <QObject>

class TControlEventRouter : public QObject {
public:
    explicit TControlEventRouter(TControl* control);
    ~TControlEventRouter() override;

    void Attach(QWidget* w);
    // The control is going away: events are no longer delivered to it.
    void Detach();
    TControl* Control() const { return FControl; }
    static TControl* ControlOf(const QWidget* w);

    // While set, resize and move events of the widget are our own doing.
    struct GeometryGuard {
        explicit GeometryGuard(TControlEventRouter* r) : R(r) { if (R) ++R->FGeometryBusy; }
        ~GeometryGuard() { if (R) --R->FGeometryBusy; }
        TControlEventRouter* R;
    };
    // While set, key events pass to the widgets untouched (our own
    // forwarding, including what Qt hands on to the parent widgets).
    struct PassThroughGuard {
        PassThroughGuard() { ++FPassThrough; }
        ~PassThroughGuard() { --FPassThrough; }
    };
    // While set, Qt focus events are the echo of our own focus move.
    struct FocusEchoGuard {
        explicit FocusEchoGuard(TControlEventRouter* r) : R(r) { if (R) ++R->FFocusEcho; }
        ~FocusEchoGuard() { if (R) --R->FFocusEcho; }
        TControlEventRouter* R;
    };

    bool FocusNotified() const { return FFocusNotified; }
    void SetFocusNotified(bool v) { FFocusNotified = v; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool Route(QWidget* w, QEvent* e);
    bool RouteMouse(QWidget* w, QEvent* e);
    bool RouteKey(QWidget* w, QEvent* e);
    bool RouteFocus(QWidget* w, QEvent* e);
    bool RoutePaint(QWidget* w, QEvent* e);

    TControl* FControl;
    int FGeometryBusy = 0;
    static inline int FPassThrough = 0;
    int FFocusEcho = 0;
    bool FFocusNotified = false;
};

// Custom event types of the layer.
inline const QEvent::Type PostedMessageEventType = QEvent::Type(QEvent::User + 0x5A1);
inline const QEvent::Type PostedKeyEventType = QEvent::Type(QEvent::User + 0x5A2);

class TPostedMessageEvent : public QEvent {
public:
    explicit TPostedMessageEvent(const TMessage& m) : QEvent(PostedMessageEventType), Message(m) {}
    TMessage Message;
};

class TPostedKeyEvent : public QEvent {
public:
    TPostedKeyEvent(Word key, TShiftState shift, QChar ch)
        : QEvent(PostedKeyEventType), Key(key), Shift(shift), Char(ch) {}
    Word Key;
    TShiftState Shift;
    QChar Char;
};
