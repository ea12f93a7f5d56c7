#pragma once
// The Qt widgets behind the standard controls.
//
// A key reaches a ready-made Qt widget only after the control's own key
// handling has had it; whatever the widget does not use ends there. Left to
// Qt, an unused key would travel on to the parent widgets and come back to
// the form's key handling a second time.

#include <QKeyEvent>

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
