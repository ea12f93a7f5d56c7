// The input model of the controls: Qt events to messages, the default
// handling of mouse, wheel, keys and focus, capture, posted messages and the
// event boundary.
#include "Controls.h"
#include "ControlsRouter.h"
#include "Dialogs.h"
#include "Forms.h"
#include "Menus.h"

#include <QApplication>
#include <QCursor>
#include <QDragMoveEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <cstdlib>

namespace {

// Keyboard modifiers and mouse buttons as the last input event left them
// (synthesized events do not reach Qt's own global state).
TShiftState g_Modifiers;
TShiftState g_Buttons;

TControl* g_Capture = nullptr;
QPointer<QWidget> g_GrabbedWidget;

const char* const ControlProperty = "calyptor.control";

TShiftState MouseKeysToShift(uintptr_t keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s += ssShift;
    if (keys & MK_CONTROL) s += ssCtrl;
    if (keys & MK_LBUTTON) s += ssLeft;
    if (keys & MK_RBUTTON) s += ssRight;
    if (keys & MK_MBUTTON) s += ssMiddle;
    if (g_Modifiers.Contains(ssAlt)) s += ssAlt;
    return s;
}

uintptr_t MouseKeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    uintptr_t k = 0;
    if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
    if (mods & Qt::ControlModifier) k |= MK_CONTROL;
    return k;
}

void NoteModifiers(Qt::KeyboardModifiers mods)
{
    g_Modifiers = ShiftStateFromQt(mods);
}

void NoteButtons(Qt::MouseButtons b)
{
    g_Buttons = ShiftStateFromQt(Qt::NoModifier, b);
}

TShiftState KeyShift()
{
    return g_Modifiers * TShiftState{ssShift, ssAlt, ssCtrl};
}

Qt::KeyboardModifiers QtModifiersOf(TShiftState s)
{
    Qt::KeyboardModifiers m;
    if (s.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (s.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (s.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

intptr_t KeyDataOf(bool keypad, bool alt, bool release)
{
    intptr_t d = 1;
    if (keypad) d |= KF_KEYPAD_BIT;
    if (alt) d |= KF_ALTDOWN_BIT;
    if (release) d |= KF_UP_BIT | (intptr_t(1) << 30);
    return d;
}

// The control that takes a key arriving at c: a form hands it to its focused
// control, a control without a window to its parent.
TWinControl* KeyTarget(TControl* c)
{
    if (auto* f = dynamic_cast<TCustomForm*>(c)) return f->FocusedControl() ? f->FocusedControl() : f;
    if (auto* w = dynamic_cast<TWinControl*>(c)) return w;
    return c ? c->Parent() : nullptr;
}

// Tab, arrows, Enter and Escape go to the form when the control does not
// claim them; true when the form used the key.
bool TryDialogKey(TWinControl* target, Word vk, TShiftState shift)
{
    unsigned mask = 0;
    switch (vk) {
    case VK_TAB:
        if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return false;
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN: case VK_ESCAPE: case VK_EXECUTE: case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        return false;
    }
    if (target->Perform(CM_WANTSPECIALKEY, vk) != 0) return false;
    if (target->Perform(WM_GETDLGCODE) & mask) return false;
    TCustomForm* form = GetParentForm(target);
    if (!form) return false;
    return form->Perform(CM_DIALOGKEY, vk, intptr_t(shift.Bits())) != 0;
}

// One typed key: dialog keys, the key-down, then its character (which comes
// even when the key-down handler zeroed the key).
void DeliverTypedKey(TWinControl* target, Word vk, TShiftState shift, intptr_t keyData, QChar ch)
{
    QPointer<QWidget> alive(target->Widget());
    if (TryDialogKey(target, vk, shift)) return;
    bool alt = shift.Contains(ssAlt);
    if (vk != 0) target->Perform(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, keyData);
    if (!alive || ch.isNull()) return;
    bool sys = alt && !shift.Contains(ssCtrl);
    target->Perform(sys ? WM_SYSCHAR : WM_CHAR, ch.unicode(), keyData);
}

}  // namespace

// ---------------------------------------------------------------------------
// The event boundary

void ReportEventException(const std::exception& e)
{
    if (dynamic_cast<const EAbort*>(&e)) return;
    QString msg;
    if (auto* ex = dynamic_cast<const Exception*>(&e))
        msg = ex->Message();
    else
        msg = QString::fromLocal8Bit(e.what());
    try {
        if (Application && Application->OnException)
            Application->OnException(Application, msg);
        else
            MessageDlg(msg, mtError, TMsgDlgButtons{mbOK}, 0);
    } catch (...) {
        // Reporting must not throw into the event loop.
    }
}

void ReportEventException()
{
    try {
        throw;
    } catch (const std::exception& e) {
        ReportEventException(e);
    } catch (...) {
        ReportEventException(Exception(QStringLiteral("Unknown error")));
    }
}

bool GuardEvent(const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (...) {
        ReportEventException();
    }
    return false;
}

void QueueCall(std::function<void()> fn)
{
    QMetaObject::invokeMethod(qApp, [fn = std::move(fn)]() { GuardEvent(fn); }, Qt::QueuedConnection);
}

void QueueCall(QObject* context, std::function<void()> fn)
{
    if (!context) return;
    QMetaObject::invokeMethod(context, [fn = std::move(fn)]() { GuardEvent(fn); }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------
// Router

TControlEventRouter::TControlEventRouter(TControl* control) : FControl(control) {}

TControlEventRouter::~TControlEventRouter() = default;

void TControlEventRouter::Attach(QWidget* w)
{
    w->setProperty(ControlProperty, QVariant::fromValue<quintptr>(quintptr(FControl)));
    w->installEventFilter(this);
}

void TControlEventRouter::Detach()
{
    if (FControl && FControl->Widget()) FControl->Widget()->setProperty(ControlProperty, QVariant());
    FControl = nullptr;
}

TControl* TControlEventRouter::ControlOf(const QWidget* w)
{
    for (; w; w = w->parentWidget()) {
        QVariant v = w->property(ControlProperty);
        if (v.isValid()) return reinterpret_cast<TControl*>(v.value<quintptr>());
    }
    return nullptr;
}

bool TControlEventRouter::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = qobject_cast<QWidget*>(watched);
    if (!FControl || !w) return false;
    if (event->type() == QEvent::Paint) return RoutePaint(w, event);
    try {
        return Route(w, event);
    } catch (...) {
        ReportEventException();
    }
    return true;
}

bool TControlEventRouter::event(QEvent* e)
{
    if (e->type() == PostedMessageEventType) {
        if (FControl) {
            TMessage m = static_cast<TPostedMessageEvent*>(e)->Message;
            TControl* c = FControl;
            GuardEvent([&]() { c->CallWindowProc(m); });
        }
        return true;
    }
    if (e->type() == PostedKeyEventType) {
        if (auto* target = dynamic_cast<TWinControl*>(FControl)) {
            auto* k = static_cast<TPostedKeyEvent*>(e);
            GuardEvent([&]() {
                g_Modifiers = k->Shift * TShiftState{ssShift, ssAlt, ssCtrl};
                DeliverTypedKey(target, k->Key, k->Shift, KeyDataOf(false, k->Shift.Contains(ssAlt), false),
                                k->Char);
            });
        }
        return true;
    }
    return QObject::event(e);
}

bool TControlEventRouter::Route(QWidget* w, QEvent* e)
{
    TControl* c = FControl;
    if (c->HandleQtEvent(w, e)) return true;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        return RouteMouse(w, e);
    case QEvent::Enter:
        c->Perform(CM_MOUSEENTER);
        return false;
    case QEvent::Leave:
        c->Perform(CM_MOUSELEAVE);
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return RouteKey(w, e);
    case QEvent::ShortcutOverride:
        // Keys go to the focused control first, as on the original platform.
        if (c->OwnWidget() && !FPassThrough) {
            e->accept();
            return true;
        }
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        return RouteFocus(w, e);
    case QEvent::ContextMenu:
        // Right-button release already asked for the menu (WM_CONTEXTMENU).
        return c->OwnWidget() || c->PopupMenu();
    case QEvent::Resize:
        if (w == c->Widget() && w->isWindow() && FGeometryBusy == 0) {
            QSize s = w->size();
            if (s.width() != c->Width() || s.height() != c->Height()) {
                c->SetBoundsInternal(c->Left(), c->Top(), s.width(), s.height(), false);
                // Resized by the window system (the user), not the program.
                if (w->isVisible()) c->Perform(WM_SIZING);
            }
        }
        return false;
    case QEvent::Hide:
        // A drop-down window closed by Qt (click outside) is no longer visible.
        if (w == c->Widget() && w->isWindow() && c->TopLevel() && c->FVisible
            && !dynamic_cast<TCustomForm*>(c) && !e->spontaneous()) {
            c->FVisible = false;
            c->Perform(CM_VISIBLECHANGED, 0);
        }
        return false;
    case QEvent::Move:
        if (w == c->Widget() && w->isWindow() && FGeometryBusy == 0) {
            QPoint p = w->geometry().topLeft();  // the client area, not the frame
            c->FLeft = p.x();
            c->FTop = p.y();
        }
        return false;
    default:
        return false;
    }
}

bool TControlEventRouter::RoutePaint(QWidget* w, QEvent* e)
{
    TControl* c = FControl;
    if (w != c->Widget() || !c->OwnWidget()) return false;
    QPainter painter(w);
    auto* pe = static_cast<QPaintEvent*>(e);
    if (dynamic_cast<TWinControl*>(c) && !(c->ControlStyle() & csOpaque) && c->Color() != clNone)
        painter.fillRect(pe->rect(), ToQColor(c->Color()));
    try {
        c->FControlState |= csPainting;
        c->PaintWidget(painter);
        c->FControlState &= ~unsigned(csPainting);
        c->FPaintFailed = false;
    } catch (...) {
        c->FControlState &= ~unsigned(csPainting);
        // Report once, after the paint: a paint that keeps failing must not
        // raise a dialog per repaint.
        if (!c->FPaintFailed) {
            c->FPaintFailed = true;
            std::exception_ptr ex = std::current_exception();
            QueueCall(this, [ex]() { std::rethrow_exception(ex); });
        }
    }
    return true;
}

bool TControlEventRouter::RouteMouse(QWidget* w, QEvent* e)
{
    TControl* target = FControl;
    bool own = target->OwnWidget();
    if (e->type() == QEvent::Wheel) {
        auto* we = static_cast<QWheelEvent*>(e);
        NoteModifiers(we->modifiers());
        // A sideways wheel (tilt, trackpad swipe) is a message of its own on
        // the original platform that the wheel handlers never see; only a
        // vertical wheel that Qt reports sideways because Alt is held stays one.
        const QPoint angle = we->angleDelta();
        const bool altSwapped = angle.y() == 0 && (we->modifiers() & Qt::AltModifier);
        const int delta = altSwapped ? angle.x() : angle.y();
        if (delta == 0) return own;
        QPoint g = we->globalPosition().toPoint();
        uintptr_t wp = MouseKeysOf(we->buttons(), we->modifiers()) | (uintptr_t(uint16_t(int16_t(delta))) << 16);
        target->Perform(WM_MOUSEWHEEL, wp, MakeLParam(g.x(), g.y()));
        return own;
    }
    auto* me = static_cast<QMouseEvent*>(e);
    NoteModifiers(me->modifiers());
    NoteButtons(me->buttons());
    QPoint global = me->globalPosition().toPoint();
    QPoint pos = me->position().toPoint();
    if (w != target->Widget()) pos = w->mapTo(target->Widget(), pos);
    if (g_Capture && g_Capture != target && g_Capture->Widget()) {
        target = g_Capture;
        pos = target->Widget()->mapFromGlobal(global);
    }
    unsigned msg = 0;
    Qt::MouseButton b = me->button();
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        msg = b == Qt::LeftButton ? WM_LBUTTONDOWN : b == Qt::RightButton ? WM_RBUTTONDOWN
            : b == Qt::MiddleButton ? WM_MBUTTONDOWN : 0;
        break;
    case QEvent::MouseButtonDblClick:
        msg = b == Qt::LeftButton ? WM_LBUTTONDBLCLK : b == Qt::RightButton ? WM_RBUTTONDBLCLK
            : b == Qt::MiddleButton ? WM_MBUTTONDBLCLK : 0;
        break;
    case QEvent::MouseButtonRelease:
        msg = b == Qt::LeftButton ? WM_LBUTTONUP : b == Qt::RightButton ? WM_RBUTTONUP
            : b == Qt::MiddleButton ? WM_MBUTTONUP : 0;
        break;
    default:
        msg = WM_MOUSEMOVE;
        break;
    }
    if (msg == 0) return own;
    target->Perform(msg, MouseKeysOf(me->buttons(), me->modifiers()), MakeLParam(pos.x(), pos.y()));
    return own;
}

bool TControlEventRouter::RouteKey(QWidget*, QEvent* e)
{
    if (FPassThrough) return false;
    auto* ke = static_cast<QKeyEvent*>(e);
    NoteModifiers(ke->modifiers());
    bool keypad = ke->modifiers() & Qt::KeypadModifier;
    Word vk = QtKeyToVirtualKey(ke->key(), keypad);
    TWinControl* target = KeyTarget(FControl);
    if (!target) return false;
    TShiftState shift = KeyShift();
    if (e->type() == QEvent::KeyPress) {
        DeliverTypedKey(target, vk, shift, KeyDataOf(keypad, shift.Contains(ssAlt), false), KeyEventChar(*ke));
    } else {
        // The released modifier is no longer down.
        if (vk == VK_SHIFT) g_Modifiers -= ssShift;
        if (vk == VK_CONTROL) g_Modifiers -= ssCtrl;
        if (vk == VK_MENU) g_Modifiers -= ssAlt;
        if (ke->isAutoRepeat()) return true;
        target->Perform(shift.Contains(ssAlt) ? WM_SYSKEYUP : WM_KEYUP, vk,
                        KeyDataOf(keypad, shift.Contains(ssAlt), true));
    }
    return true;
}

bool TControlEventRouter::RouteFocus(QWidget*, QEvent* e)
{
    auto* c = dynamic_cast<TWinControl*>(FControl);
    // The control's widget or one of its attached parts.
    if (!c || FFocusEcho > 0) return false;
    auto* fe = static_cast<QFocusEvent*>(e);
    TCustomForm* form = GetParentForm(c);
    if (form && form->HasState(csDestroying)) return false;
    if (e->type() == QEvent::FocusIn) {
        if (FFocusNotified) return false;
        if (form && c != form && form->FocusedControl() != c) {
            form->FocusControl(c);  // a move inside the form
        } else if (form && c == form && form->FocusedControl()) {
            // The window got the focus back: it belongs to its control.
            form->FocusControl(form->FocusedControl());
        } else {
            // Window activation: the control gets the focus message, no enter.
            FFocusNotified = true;
            c->Perform(WM_SETFOCUS);
        }
        return false;
    }
    // Focus out.
    if (!FFocusNotified) return false;
    Qt::FocusReason r = fe->reason();
    QWidget* next = QApplication::focusWidget();
    TControl* nextControl = next ? TControl::FromWidget(next) : nullptr;
    if (nextControl == c && r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) return false;
    bool staysInForm = r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason && nextControl
                       && GetParentForm(nextControl) == form && form;
    if (!staysInForm) {
        FFocusNotified = false;
        CancelCapture();
        c->Perform(WM_KILLFOCUS);
    }
    return false;
}

// ---------------------------------------------------------------------------
// TControl: messages

intptr_t TControl::Perform(unsigned Msg, uintptr_t WParam, intptr_t LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    CallWindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message)
{
    DefaultHandler(Message);
}

bool TControl::HandleQtEvent(QWidget*, QEvent*)
{
    return false;
}

void TControl::DefaultHandler(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        HandleMouseMessage(m);
        break;
    case WM_MOUSEWHEEL:
        m.Result = Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
        break;
    case CM_MOUSEWHEEL:
        DeliverWheel(m);
        break;
    case WM_CONTEXTMENU:
        if (FPopupMenu && FPopupMenu->AutoPopup()) {
            TPoint p(LParamX(m.LParam), LParamY(m.LParam));
            if (m.LParam == -1) p = ClientToScreen(TPoint(0, 0));
            FPopupMenu->SetPopupComponent(this);
            FPopupMenu->Popup(p.X, p.Y);
            m.Result = 1;
        } else if (FParent) {
            m.Result = FParent->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
        }
        break;
    case CM_MOUSEENTER:
        if (!FMouseInside) {
            FMouseInside = true;
            MouseEnter();
        }
        break;
    case CM_MOUSELEAVE:
        if (FMouseInside) {
            FMouseInside = false;
            MouseLeave();
        }
        break;
    case WM_CANCELMODE:
        FControlState &= ~unsigned(csClicked | csLButtonDown);
        if (g_Capture == this) ReleaseCapture();
        break;
    case WM_SETREDRAW:
        if (m.WParam == 0) {
            if (FRedrawLock == 0) LockDrawing();
        } else {
            while (FRedrawLock > 0) UnlockDrawing();
        }
        break;
    case WM_SIZE:
        Resize();
        break;
    case CM_ENABLEDCHANGED: EnabledChanged(); break;
    case CM_VISIBLECHANGED: VisibleChanged(); break;
    case CM_FONTCHANGED: FontChanged(); break;
    case CM_COLORCHANGED: ColorChanged(); break;
    case CM_TEXTCHANGED: TextChanged(); break;
    case CM_PARENTFONTCHANGED: ParentFontChanged(); break;
    case CM_PARENTCOLORCHANGED: ParentColorChanged(); break;
    case CM_PARENTSHOWHINTCHANGED: ParentShowHintChanged(); break;
    default:
        break;
    }
}

void TControl::HandleMouseMessage(TMessage& m)
{
    int x = LParamX(m.LParam), y = LParamY(m.LParam);
    TShiftState shift = MouseKeysToShift(m.WParam);
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        bool dbl = m.Msg == WM_LBUTTONDBLCLK && (FControlStyle & csDoubleClicks);
        if (FControlStyle & csCaptureMouse) SetCaptureControl(this);
        // A double click is press, release, double-click, release: the
        // second release is no further click.
        if ((FControlStyle & csClickEvents) && !dbl) FControlState |= csClicked;
        FControlState |= csLButtonDown;
        if (dbl) {
            DblClick();
            shift += ssDouble;
        }
        MouseDown(mbLeft, shift, x, y);
        break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (m.Msg == WM_RBUTTONDBLCLK && (FControlStyle & csDoubleClicks)) shift += ssDouble;
        MouseDown(mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (m.Msg == WM_MBUTTONDBLCLK && (FControlStyle & csDoubleClicks)) shift += ssDouble;
        MouseDown(mbMiddle, shift, x, y);
        break;
    case WM_LBUTTONUP: {
        if ((FControlStyle & csCaptureMouse) && g_Capture == this) ReleaseCapture();
        bool clicked = FControlState & csClicked;
        FControlState &= ~unsigned(csClicked | csLButtonDown);
        if (clicked && ClientRect().Contains(TPoint(x, y))) Click();
        MouseUp(mbLeft, shift, x, y);
        break;
    }
    case WM_RBUTTONUP: {
        QPointer<QObject> alive(FRouter);
        MouseUp(mbRight, shift, x, y);
        if (!alive) break;
        TPoint s = ClientToScreen(TPoint(x, y));
        Perform(WM_CONTEXTMENU, 0, MakeLParam(s.X, s.Y));
        break;
    }
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    default:
        break;
    }
}

void TControl::DeliverWheel(TMessage& m)
{
    TShiftState shift = MouseKeysToShift(m.WParam & 0xFFFF);
    int delta = WheelDeltaOf(m.WParam);
    TPoint pos(LParamX(m.LParam), LParamY(m.LParam));
    m.Result = DoMouseWheel(shift, delta, pos) ? 1 : 0;
    if (m.Result == 0 && FParent) m.Result = FParent->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled) return true;
    // Fine-grained wheels send small deltas: only whole steps of 120 count.
    FWheelAccumulator += WheelDelta;
    while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
        if (FWheelAccumulator < 0) {
            FWheelAccumulator += WHEEL_DELTA;
            handled = DoMouseWheelDown(Shift, MousePos) || handled;
        } else {
            FWheelAccumulator -= WHEEL_DELTA;
            handled = DoMouseWheelUp(Shift, MousePos) || handled;
        }
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseEnter()
{
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = false;
    if (!OnDragOver) return;
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
}

bool DeliverDragOver(QWidget* w, QEvent* e)
{
    const QEvent::Type t = e->type();
    if (t != QEvent::DragEnter && t != QEvent::DragMove && t != QEvent::DragLeave) return false;
    TControl* c = TControl::FromWidget(w);
    if (!c) return false;
    if (t == QEvent::DragLeave) {
        bool accept = false;
        GuardEvent([&]() { c->DragOver(nullptr, 0, 0, dsDragLeave, accept); });
        return true;
    }
    auto* d = static_cast<QDragMoveEvent*>(e);
    TObject* source = nullptr;
    if (auto* sw = qobject_cast<QWidget*>(d->source())) source = TControl::FromWidget(sw);
    QPoint p = d->position().toPoint();
    if (c->Widget() && w != c->Widget()) p = w->mapTo(c->Widget(), p);
    bool accept = false;
    GuardEvent([&]() { c->DragOver(source, p.x(), p.y(), t == QEvent::DragEnter ? dsDragEnter : dsDragMove, accept); });
    if (accept || t == QEvent::DragEnter) d->acceptProposedAction();
    else d->ignore();
    return true;
}

bool TControl::MouseCapture() const
{
    return g_Capture == this;
}

void TControl::SetMouseCapture(bool v)
{
    if (v)
        SetCaptureControl(this);
    else if (g_Capture == this)
        ReleaseCapture();
}

void PostMessage(TControl* c, unsigned Msg, uintptr_t WParam, intptr_t LParam)
{
    if (!c || !c->FRouter) return;
    QCoreApplication::postEvent(c->FRouter, new TPostedMessageEvent(TMessage{Msg, WParam, LParam, 0}));
}

// ---------------------------------------------------------------------------
// TWinControl: keys and focus

void TWinControl::DefaultHandler(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = FWantKeys;
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        Word key = Word(m.WParam);
        if (DoKeyDown(key, KeyShift(), m.LParam)) {
            m.WParam = key;
            if (!OwnWidget()) ForwardKeyToWidget(WM_KEYDOWN, m);
        } else {
            m.WParam = 0;
        }
        return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        Word key = Word(m.WParam);
        if (DoKeyUp(key, KeyShift())) {
            m.WParam = key;
            if (!OwnWidget()) ForwardKeyToWidget(WM_KEYUP, m);
        }
        return;
    }
    case WM_CHAR: {
        QChar ch(char16_t(m.WParam));
        if (!DoKeyPress(ch, m.LParam)) {
            m.WParam = 0;
            return;
        }
        m.WParam = ch.unicode();
        // A character the control does not take may be an accelerator.
        if (!(Perform(WM_GETDLGCODE) & DLGC_WANTCHARS)) {
            if (TCustomForm* f = GetParentForm(this))
                if (f->Perform(CM_DIALOGCHAR, ch.unicode(), m.LParam) != 0) return;
        }
        if (!OwnWidget() && ch.unicode() >= 32) ForwardKeyToWidget(WM_CHAR, m);
        return;
    }
    case WM_SYSCHAR:
        if (TCustomForm* f = GetParentForm(this)) m.Result = f->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(m);
        return;
    case CM_FOCUSCHANGED:
        for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_FOCUSCHANGED, m.WParam, m.LParam);
        return;
    case CM_FONTCHANGED:
        TControl::DefaultHandler(m);
        for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTFONTCHANGED);
        return;
    case CM_COLORCHANGED:
        TControl::DefaultHandler(m);
        for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTCOLORCHANGED);
        return;
    case CM_SHOWHINTCHANGED:
        TControl::DefaultHandler(m);
        for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTSHOWHINTCHANGED);
        return;
    default:
        TControl::DefaultHandler(m);
    }
}

bool TWinControl::RunKeyHandler(void (TWinControl::*handler)(Word&, TShiftState), Word& Key, TShiftState Shift)
{
    // With KeyPreview the form sees the key first and may zero it.
    TCustomForm* f = GetParentForm(this);
    if (f && f != this && f->KeyPreview()) {
        (f->*handler)(Key, Shift);
        if (Key == 0) return false;
    }
    (this->*handler)(Key, Shift);
    return Key != 0;
}

bool TWinControl::DoKeyDown(Word& Key, TShiftState Shift, intptr_t)
{
    return RunKeyHandler(&TWinControl::KeyDown, Key, Shift);
}

bool TWinControl::DoKeyUp(Word& Key, TShiftState Shift)
{
    return RunKeyHandler(&TWinControl::KeyUp, Key, Shift);
}

bool TWinControl::DoKeyPress(QChar& Key, intptr_t)
{
    TCustomForm* f = GetParentForm(this);
    if (f && f != this && f->KeyPreview()) {
        f->KeyPress(Key);
        if (Key.isNull()) return false;
    }
    KeyPress(Key);
    return !Key.isNull();
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(QChar& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

void TWinControl::ForwardKeyToWidget(unsigned Msg, const TMessage& m)
{
    if (!Widget()) return;
    TControlEventRouter::PassThroughGuard g;
    Qt::KeyboardModifiers mods = QtModifiersOf(KeyShift());
    if (m.LParam & KF_KEYPAD_BIT) mods |= Qt::KeypadModifier;
    if (Msg == WM_CHAR) {
        QKeyEvent ev(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(char16_t(m.WParam))));
        QCoreApplication::sendEvent(Widget(), &ev);
        return;
    }
    QKeyEvent ev(Msg == WM_KEYUP ? QEvent::KeyRelease : QEvent::KeyPress, VirtualKeyToQtKey(Word(m.WParam)), mods,
                 QString());
    QCoreApplication::sendEvent(Widget(), &ev);
}

bool TWinControl::Focused() const
{
    return FRouter && FRouter->FocusNotified();
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    if (TCustomForm* f = GetParentForm(this)) {
        f->FocusControl(this);
        return;
    }
    if (Widget()) {
        TControlEventRouter::FocusEchoGuard g(FRouter);
        Widget()->setFocus(Qt::OtherFocusReason);
    }
    if (FRouter && !FRouter->FocusNotified()) {
        FRouter->SetFocusNotified(true);
        Perform(WM_SETFOCUS);
    }
}

void TWinControl::PostKey(Word Key, TShiftState Shift, QChar Char)
{
    if (FRouter) QCoreApplication::postEvent(FRouter, new TPostedKeyEvent(Key, Shift, Char));
}

// ---------------------------------------------------------------------------
// Capture

TControl* GetCaptureControl()
{
    return g_Capture;
}

void SetCaptureControl(TControl* c)
{
    if (c == g_Capture) return;
    TControl* old = g_Capture;
    if (g_GrabbedWidget) g_GrabbedWidget->releaseMouse();
    g_GrabbedWidget = nullptr;
    g_Capture = c;
    // Capture without a button held: Qt must send every mouse event here
    // (the headless platform has no pointer to grab).
    bool headless = QGuiApplication::platformName() == QLatin1String("offscreen");
    if (c && c->Widget() && c->Widget()->isVisible() && g_Buttons.Empty() && !headless) {
        c->Widget()->grabMouse();
        g_GrabbedWidget = c->Widget();
    }
    if (old && !old->HasState(csDestroying)) old->Perform(WM_CAPTURECHANGED, 0, intptr_t(c));
}

void ReleaseCapture()
{
    SetCaptureControl(nullptr);
}

void CancelCapture()
{
    TControl* c = g_Capture;
    if (!c) return;
    c->Perform(WM_CANCELMODE);
    if (g_Capture == c) ReleaseCapture();
}

void ForgetCaptureOf(TControl* c)
{
    if (g_Capture != c) return;
    if (g_GrabbedWidget) g_GrabbedWidget->releaseMouse();
    g_GrabbedWidget = nullptr;
    g_Capture = nullptr;
}

// ---------------------------------------------------------------------------
// Keyboard and mouse state

short GetAsyncKeyState(int vKey)
{
    Qt::MouseButtons real = QGuiApplication::mouseButtons();
    Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    bool down = false;
    switch (vKey) {
    case VK_LBUTTON: down = g_Buttons.Contains(ssLeft) || (real & Qt::LeftButton); break;
    case VK_RBUTTON: down = g_Buttons.Contains(ssRight) || (real & Qt::RightButton); break;
    case VK_MBUTTON: down = g_Buttons.Contains(ssMiddle) || (real & Qt::MiddleButton); break;
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
        down = g_Modifiers.Contains(ssShift) || (mods & Qt::ShiftModifier);
        break;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
        down = g_Modifiers.Contains(ssCtrl) || (mods & Qt::ControlModifier);
        break;
    case VK_MENU: case VK_LMENU: case VK_RMENU:
        down = g_Modifiers.Contains(ssAlt) || (mods & Qt::AltModifier);
        break;
    default:
        break;
    }
    return down ? short(0x8000) : short(0);
}

short GetKeyState(int vKey)
{
    return GetAsyncKeyState(vKey);
}

TShiftState KeyboardStateToShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s += ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s += ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s += ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) s += ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) s += ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) s += ssMiddle;
    return s;
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    TShiftState s;
    if (mods & Qt::ShiftModifier) s += ssShift;
    if (mods & Qt::ControlModifier) s += ssCtrl;
    if (mods & Qt::AltModifier) s += ssAlt;
    if (buttons & Qt::LeftButton) s += ssLeft;
    if (buttons & Qt::RightButton) s += ssRight;
    if (buttons & Qt::MiddleButton) s += ssMiddle;
    return s;
}

int WheelScrollLines()
{
    int n = QApplication::wheelScrollLines();
    return n > 0 ? n : 3;
}

TPoint MouseCursorPos()
{
    return TPoint::FromQPoint(QCursor::pos());
}
