#pragma once
// The Qt widgets behind the standard controls.
//
// A key reaches a ready-made Qt widget only after the control's own key
// handling (and the form's) has had it; whatever the widget does not use ends
// there. Left to Qt, an unused key would travel on to the parent widgets,
// where a scroll area would scroll on it or a tab widget switch pages.

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
