#pragma once
// Small controls and input helpers shared by the control, form and dialog tests.

#include "Controls.h"
#include "Forms.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>
#include <QWheelEvent>

// A painted control that records what reaches it.
class TLogControl : public TCustomControl {
public:
    explicit TLogControl(TComponent* AOwner, QStringList* log = nullptr, const QString& tag = QString())
        : TCustomControl(AOwner), Log(log), Label(tag)
    {
        SetTabStop(true);
    }
    QStringList* Log;
    QString Label;
    std::vector<unsigned> Messages;
    std::function<void()> OnPaintHook;
    std::function<void(TMessage&)> OnMessage;

    void Note(const QString& s) { if (Log) Log->append(Label.isEmpty() ? s : Label + QLatin1Char(':') + s); }

    void WndProc(TMessage& m) override
    {
        Messages.push_back(m.Msg);
        if (OnMessage) OnMessage(m);
        TCustomControl::WndProc(m);
    }
    using TCustomControl::SetControlStyle;

protected:
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        Note(QStringLiteral("down%1%2 %3,%4").arg(int(b)).arg(s.Contains(ssDouble) ? "d" : "").arg(x).arg(y));
        TCustomControl::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override
    {
        Note(QStringLiteral("up%1 %2,%3").arg(int(b)).arg(x).arg(y));
        TCustomControl::MouseUp(b, s, x, y);
    }
    void DoEnter() override { Note(QStringLiteral("enter")); TCustomControl::DoEnter(); }
    void DoExit() override { Note(QStringLiteral("exit")); TCustomControl::DoExit(); }
    void KeyDown(Word& k, TShiftState s) override { Note(QStringLiteral("keydown %1").arg(k)); TCustomControl::KeyDown(k, s); }
    void KeyPress(QChar& k) override { Note(QStringLiteral("char %1").arg(k.unicode())); TCustomControl::KeyPress(k); }
    void KeyUp(Word& k, TShiftState s) override { Note(QStringLiteral("keyup %1").arg(k)); TCustomControl::KeyUp(k, s); }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
        Canvas()->Pen()->SetColor(clBlack);
        Canvas()->Rectangle(ClientRect());
        Canvas()->TextOut(4, 4, Caption());
        if (OnPaintHook) OnPaintHook();
    }
};

// A push button as the forms expect one: click on press and release,
// Enter/Space when focused, Default/Cancel keys, accelerator, modal result.
class TTestButton : public TCustomControl {
public:
    explicit TTestButton(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); SetBounds(0, 0, 75, 25); }
    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    int Clicks = 0;

    void Click() override
    {
        ++Clicks;
        TCustomControl::Click();
        if (ModalResult != mrNone)
            if (TCustomForm* f = GetParentForm(this)) f->SetModalResult(ModalResult);
    }

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == CM_DIALOGKEY && Visible() && Enabled()) {
            Word k = Word(m.WParam);
            if ((k == VK_RETURN && Default) || (k == VK_ESCAPE && Cancel)) {
                Click();
                m.Result = 1;
                return;
            }
        }
        if (m.Msg == CM_DIALOGCHAR && Visible() && Enabled() && IsAccel(unsigned(m.WParam), Caption())) {
            Click();
            m.Result = 1;
            return;
        }
        TCustomControl::WndProc(m);
    }
    void KeyUp(Word& k, TShiftState s) override
    {
        if (k == VK_SPACE) Click();
        TCustomControl::KeyUp(k, s);
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Focused() ? clSkyBlue : clBtnFace);
        Canvas()->FillRect(ClientRect());
        Canvas()->Pen()->SetColor(Default ? clBlack : clGray);
        Canvas()->Rectangle(ClientRect());
        Canvas()->TextOut(8, 5, StripHotkey(Caption()));
    }
};

namespace Input {

inline void Mouse(QWidget* w, QEvent::Type t, Qt::MouseButton b, QPoint p, Qt::MouseButtons held,
                  Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(t, QPointF(p), QPointF(w->mapToGlobal(p)), b, held, mods);
    QApplication::sendEvent(w, &e);
}

inline void Press(TControl* c, QPoint p, Qt::MouseButton b = Qt::LeftButton)
{
    Mouse(c->Widget(), QEvent::MouseButtonPress, b, p, b);
}

inline void Release(TControl* c, QPoint p, Qt::MouseButton b = Qt::LeftButton)
{
    Mouse(c->Widget(), QEvent::MouseButtonRelease, b, p, Qt::NoButton);
}

// The pointer moved to p with the left button held: a drag in progress.
inline void DragTo(TControl* c, QPoint p)
{
    Mouse(c->Widget(), QEvent::MouseMove, Qt::NoButton, p, Qt::LeftButton);
}

inline void Click(TControl* c, QPoint p = QPoint(3, 3), Qt::MouseButton b = Qt::LeftButton)
{
    Press(c, p, b);
    Release(c, p, b);
}

// Press, release, double-click, release: what a double click is.
inline void DoubleClick(TControl* c, QPoint p = QPoint(3, 3))
{
    Click(c, p);
    Mouse(c->Widget(), QEvent::MouseButtonDblClick, Qt::LeftButton, p, Qt::LeftButton);
    Release(c, p);
}

// A wheel turned by `angle` (x sideways, y vertical) at p.
inline void Wheel(TControl* c, QPoint angle, QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWheelEvent e(QPointF(p), QPointF(c->Widget()->mapToGlobal(p)), QPoint(), angle, Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(c->Widget(), &e);
}

inline void Wheel(TControl* c, int delta, QPoint p = QPoint(3, 3))
{
    Wheel(c, QPoint(0, delta), p);
}

// Types one key at the widget (press and release).
inline void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
{
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &up);
}

inline void Key(TControl* c, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
{
    Key(c->Widget(), key, mods, text);
}

// Runs the event loop for ms milliseconds.
inline void Wait(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace Input
