#pragma once
// The Qt widgets behind the standard controls.
//
// A key reaches a ready-made Qt widget only after the control's own key
// handling (and the form's) has had it; whatever the widget does not use ends
// there. Left to Qt, an unused key would travel on to the parent widgets,
// where a scroll area would scroll on it or a tab widget switch pages.

#include "Types.h"

#include <QKeyEvent>

class QMenu;
class QObject;
class TControl;

// The clipboard message (WM_CUT, WM_COPY, WM_PASTE) a key stands for on
// this desktop (Ctrl+X/C/V, Shift+Delete, Ctrl+Insert, Shift+Insert); 0
// for any other key.
unsigned ClipboardKeyMessage(Word Key, TShiftState Shift);
// Points the clipboard entries of a Qt edit's standard context menu at the
// messages of Control (alive as long as Context).
void RouteClipboardMenu(TControl* Control, QMenu* Menu, QObject* Context);

template <class W>
class TKeyEndWidget : public W {
public:
    using W::W;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        W::keyPressEvent(e);
        e->accept();
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        W::keyReleaseEvent(e);
        e->accept();
    }
};
