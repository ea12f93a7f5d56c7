#pragma once
// Controls on Qt widgets: TControl, TWinControl, TGraphicControl and
// TCustomControl.
//
// Every control owns one QWidget from its constructor on (a descendant that
// wraps a ready-made Qt widget hands it to the constructor). Qt events reach
// the control through one event filter, become window messages (Messages.h)
// and pass the control's virtual WndProc, whose default handling calls the
// overridable handlers (MouseDown, KeyDown, KeyPress, Paint, DoEnter, ...)
// and then fires the On... events. Perform sends a message at once,
// PostMessage delivers it from the event loop.
//
// Exceptions never leave an event handler: every event entry (Qt events,
// timer ticks, posted messages, queued calls) hands them to
// ReportEventException, which shows one error dialog.
//
// Deriving a painted control:
//   class TMyBox : public TCustomControl {
//   public:
//       explicit TMyBox(TComponent* AOwner) : TCustomControl(AOwner) {}
//   protected:
//       void Paint() override { Canvas()->FillRect(ClientRect()); ... }
//       void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
//   };
//   auto* box = new TMyBox(form); box->SetParent(form); box->SetBounds(8, 8, 100, 24);
//
// Wrapping a ready-made Qt widget: hand it to the constructor
// (TWinControl(AOwner, new QLineEdit)). Its mouse events still become
// messages (MouseDown, Click, ...) and then reach the Qt widget; a widget that
// reports clicks itself should drop csClickEvents from ControlStyle. Its keys
// pass the key path first (dialog keys, KeyDown, KeyPress) and what survives
// is handed to it; SetWantKeys says which keys it claims. Parts of a compound
// widget (viewports, inner edits) report through AttachSubWidget.
//
// Keys: a key-down runs KeyDown(Key, Shift) (which may zero Key); its
// character then runs KeyPress(Key) even when Key was zeroed; only KeyPress
// zeroing the character suppresses it. Ctrl+letter arrives as a control
// character (Ctrl+C 3), Enter 13, Escape 27, Tab 9, Backspace 8; bit 22 of the
// key data (KF_KEYPAD_BIT) marks the numeric keypad. Tab, arrows, Enter and
// Escape go to the form (CM_DIALOGKEY) unless the control claims them.
//
// Mouse: press, release, double-click, release; Click on a release inside
// after a press (csClickEvents); the control captures the mouse while a button
// is held (csCaptureMouse). The wheel arrives as WM_MOUSEWHEEL, counted in
// steps of 120 (DoMouseWheelDown/Up), and what a control leaves goes to its
// parent. Timers: SetTimer(id, ms) calls TimerTick(id) on every tick.

#include "Classes.h"
#include "Graphics.h"
#include "Messages.h"
#include "Sets.h"
#include "Types.h"

#include <QCursor>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <QtCore/qnamespace.h>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QEvent;
class QObject;
class QTimer;
class QKeyEvent;
class QMouseEvent;
class QPainter;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TControlEventRouter;

struct TMessage {
    unsigned Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
// Shared by the standard controls and the grids.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// The text alignment of the edit controls (the grid's in-place edit, the
// spin edits).
enum TEditAlignment { eaLeft, eaRight, eaCenter };
// The state of a push or speed button's face.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;
inline constexpr TModalResult mrHelp = 9;
inline constexpr TModalResult mrTryAgain = 10;
inline constexpr TModalResult mrContinue = 11;
inline constexpr TModalResult mrAll = 12;
inline constexpr TModalResult mrNoToAll = 13;
inline constexpr TModalResult mrYesToAll = 14;

// ControlStyle flags.
enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,   // capture the mouse while a button is held
    csClickEvents = 1u << 2,    // a press and release inside is a Click
    csDoubleClicks = 1u << 3,   // a second quick press is a DblClick (else a press)
    csOpaque = 1u << 4,         // Paint covers everything: no background fill
    csSetCaption = 1u << 5,
    csParentBackground = 1u << 6,
};
// ControlState flags.
enum TControlStateFlag : unsigned {
    csLButtonDown = 1u << 0,
    csClicked = 1u << 1,
    csFocusing = 1u << 2,
    csAlignmentNeeded = 1u << 3,
    csPainting = 1u << 4,
};

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// A drag of the platform's drag and drop passing over a control: entering,
// leaving or moving (Source: the control the drag came from, none when it
// came from another program).
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// ---- the event boundary -------------------------------------------------

// Shows one error dialog with the exception's message (EAbort is silent).
// Every event entry calls it for an exception that would otherwise leave.
void ReportEventException(const std::exception& e);
void ReportEventException();  // for the current exception in a catch block
// Runs fn and reports anything it throws; true when it finished normally.
bool GuardEvent(const std::function<void()>& fn);
// Runs fn from the event loop (after the current event), guarded.
void QueueCall(std::function<void()> fn);
// The same, dropped when context has been destroyed by then.
void QueueCall(QObject* context, std::function<void()> fn);

// ---- TControl -----------------------------------------------------------

class TControl : public TComponent {
    friend class TWinControl;
    friend class TCustomForm;
    friend class TControlEventRouter;

public:
    DECLARE_CLASSNAME(TControl)
    // AWidget: the Qt widget this control stands for; a plain widget when null.
    explicit TControl(TComponent* AOwner, QWidget* AWidget = nullptr);
    ~TControl() override;
    void BeforeDestruction() override;

    QWidget* Widget() const { return FWidget; }
    // The control of a widget (or of its nearest ancestor widget that has one).
    static TControl* FromWidget(const QWidget* w);

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    // Bounds, in the parent's client coordinates (screen for top-level windows).
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors v);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible up to a shown top-level window.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);
    // Enabled and every parent enabled.
    bool IsEnabledChain() const;

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);

    // Caption and Text are the same text.
    QString Caption() const { return FText; }
    void SetCaption(const QString& v) { SetText(v); }
    QString Text() const { return FText; }
    void SetText(const QString& v);

    QString Hint() const { return FHint; }
    void SetHint(const QString& v);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v);

    unsigned ControlStyle() const { return FControlStyle; }
    void SetControlStyle(unsigned v) { FControlStyle = v; }
    unsigned ControlState() const { return FControlState; }
    void SetControlState(unsigned v) { FControlState = v; }

    // Explicit mouse capture. Losing it to another control, a popup, another
    // window or a focus change sends WM_CANCELMODE first; every loss sends
    // WM_CAPTURECHANGED.
    bool MouseCapture() const;
    void SetMouseCapture(bool v);

    // ---- messages
    intptr_t Perform(unsigned Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
    // Every message passes here first; the default dispatches to the handlers.
    virtual void WndProc(TMessage& Message);
    // A window procedure put in front of WndProc for this one control (null:
    // WndProc alone). Whoever sets it passes on what it does not take, by
    // calling WndProc or the procedure it replaced.
    using TWndMethod = std::function<void(TMessage&)>;
    const TWndMethod& WindowProc() const { return FWindowProc; }
    void SetWindowProc(TWndMethod v) { FWindowProc = std::move(v); }
    // Delivers a message through WindowProc when set, else WndProc.
    void CallWindowProc(TMessage& Message)
    {
        if (!FWindowProc) {
            WndProc(Message);
            return;
        }
        // A copy: the procedure may be replaced while it runs.
        const TWndMethod proc = FWindowProc;
        proc(Message);
    }
    void Dispatch(TMessage& Message) { DefaultHandler(Message); }

    // ---- painting
    // Repaint request of the whole control; controls that paint more than
    // their widget (a footer panel, a border) extend it.
    virtual void Invalidate();
    void InvalidateRect(const TRect& r);
    void Update();
    void Repaint();
    // Redraw locking (what WM_SETREDRAW does): nested, repaints when the
    // last lock goes.
    void LockDrawing();
    void UnlockDrawing();
    bool RedrawLocked() const { return FRedrawLock > 0; }

    // ---- coordinates
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    TPoint ClientOrigin() const { return ClientToScreen(TPoint(0, 0)); }

    // ---- control timers by number
    // Starts (or restarts) timer id; each tick calls TimerTick(id).
    void SetTimer(unsigned id, int ms);
    // Stops timer id; nothing when it does not run.
    void KillTimer(unsigned id);
    bool TimerRunning(unsigned id) const;

    virtual void Click();
    virtual void DblClick();
    void BringToFront();
    void SendToBack();

    // Frees the control once control is back in the event loop (never inside
    // its own handler).
    void FreeDeferred();

    // ---- events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TDragOverEvent OnDragOver;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

    // Makes another Qt widget inside this control (a part of a compound Qt
    // widget) report its events to this control.
    void AttachSubWidget(QWidget* w);

    friend void PostMessage(TControl* c, unsigned Msg, uintptr_t WParam, intptr_t LParam);
    friend bool DeliverDragOver(QWidget* w, QEvent* e);

protected:
    // A Qt event of the widget (or an attached sub-widget) before the layer
    // translates it; true when it was taken.
    virtual bool HandleQtEvent(QWidget* w, QEvent* e);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Top-level windows (forms, auxiliary windows) show their widget without
    // a parent.
    bool TopLevel() const { return FTopLevel; }
    void SetTopLevel(bool v) { FTopLevel = v; }
    // The handlers the default WndProc calls; the base versions fire the events.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // A drag over the control; Accept starts true only with OnDragOver,
    // which decides it.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // Raw wheel (delta as the platform sends it); true when handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    // One 120-step of the wheel towards the user (Down) or away (Up).
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void Resize();
    virtual void TimerTick(unsigned id);
    // Notifications (after the CM_... message passed WndProc).
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    // Painting for controls that paint themselves (TGraphicControl,
    // TCustomControl); called with a painter bound to the widget.
    virtual void PaintWidget(QPainter& painter);
    // What no WndProc took: the platform's own handling of each message.
    virtual void DefaultHandler(TMessage& Message);

    void RequestAlign();
    // Bounds as set by alignment or anchoring (keeps the anchor origin).
    void SetBoundsInternal(int ALeft, int ATop, int AWidth, int AHeight, bool keepAnchorOrigin);
    void UpdateAnchorOrigin();
    void ApplyWidgetFont();
    void ApplyWidgetColor();
    void ApplyWidgetHint();
    bool OwnWidget() const { return FOwnWidget; }
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    virtual void ParentShowHintChanged();

    TColor FColor = clBtnFace;
    QString FText;

private:
    void HandleMouseMessage(TMessage& m);
    void DeliverWheel(TMessage& m);
    void FireTimer(unsigned id);

    QPointer<QWidget> FWidget;
    bool FOwnWidget = true;
    TControlEventRouter* FRouter = nullptr;
    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TRect FAnchorOrigin;
    TSize FAnchorParentSize;
    bool FVisible = true;
    bool FEnabled = true;
    bool FParentColor = false;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FChangingParentFont = false;
    QString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    unsigned FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
    unsigned FControlState = 0;
    int FRedrawLock = 0;
    TWndMethod FWindowProc;
    int FWheelAccumulator = 0;
    bool FPaintFailed = false;
    bool FMouseInside = false;
    bool FTopLevel = false;
    std::map<unsigned, QTimer*> FTimers;
};

// ---- TWinControl ---------------------------------------------------------

class TWinControl : public TControl {
    friend class TControl;
    friend class TCustomForm;
    friend class TControlEventRouter;

public:
    DECLARE_CLASSNAME(TWinControl)
    explicit TWinControl(TComponent* AOwner, QWidget* AWidget = nullptr);
    ~TWinControl() override;

    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int i) const { return FControls.at(size_t(i)); }
    bool ContainsControl(const TControl* c) const;
    TControl* ControlAtPos(TPoint p, bool AllowDisabled = false) const;

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v);
    int TabOrder() const;
    void SetTabOrder(int v);
    // Every focusable control below this one in tab order (depth first).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    void SelectNext(TWinControl* Current, bool GoForward, bool CheckTabStop);
    void SelectFirst();

    // The widget the children's widgets sit on: the control's own, or an
    // inner area (the content of a scrolling control, a panel's body).
    virtual QWidget* ClientWidget() const { return Widget(); }

    // Visible, enabled and on a showing (or at least visible) window.
    virtual bool CanFocus() const;
    // The control has the keyboard focus.
    bool Focused() const;
    virtual void SetFocus();

    // Hands Message to each control of this one in turn until one answers
    // non-zero.
    void Broadcast(TMessage& Message);
    void Realign();
    void DisableAlign() { ++FAlignLock; }
    void EnableAlign();
    // Which keys the control claims (WM_GETDLGCODE's default answer).
    unsigned WantKeys() const { return FWantKeys; }
    void SetWantKeys(unsigned v) { FWantKeys = v; }

    // Turns this control into an auxiliary top-level window (hints, balloons,
    // focus frames, drag images): frameless, never takes the focus or
    // activates; TransparentForInput lets mouse events pass through.
    // Bounds are screen coordinates then.
    void MakeAuxiliaryWindow(bool TransparentForInput);
    // A drop-down list window that closes on a click outside it.
    void MakeDropDownWindow();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // Synthesized typing: the key-down and its character queued to this
    // control and delivered as if typed.
    void PostKey(Word Key, TShiftState Shift = {}, QChar Char = QChar());

protected:
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    virtual void AlignControls(TRect& r);
    // The part of the client area the aligned children share (borders off).
    virtual void AdjustClientRect(TRect&) {}
    // Position changes of the children (anchors) after this one was resized.
    void AdjustAnchoredChildren();
    void DefaultHandler(TMessage& Message) override;
    void Resize() override;
    void ParentFontChanged() override;
    void ParentColorChanged() override;
    void ParentShowHintChanged() override;

    // The key path: key-down (with the form's dialog keys and preview), then
    // the character (with accelerators); false when the key was consumed.
    bool DoKeyDown(Word& Key, TShiftState Shift, intptr_t KeyData);
    bool DoKeyPress(QChar& Key, intptr_t KeyData);
    bool DoKeyUp(Word& Key, TShiftState Shift);
    bool RunKeyHandler(void (TWinControl::*handler)(Word&, TShiftState), Word& Key, TShiftState Shift);
    // Hands the remains of a key message to a ready-made Qt widget (the
    // platform's own processing of the key); a wrapper may take some keys
    // itself instead.
    virtual void ForwardKeyToWidget(unsigned Msg, const TMessage& m);

private:
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    // The window's end: WM_DESTROY to this control, then to every windowed
    // control it holds or owns, each once, while all of them are whole (a
    // child hears of its end before its parent's destructors begin, as a
    // child window ends with its parent's window).
    void DestroyWindowTree();

    std::vector<TControl*> FControls;
    bool FWindowDestroyed = false;
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    int FAlignLock = 0;
    bool FRealigning = false;
    unsigned FWantKeys = 0;
};

// Binds canvas to painter (with the control's font and colour), runs paint,
// and unbinds it again, also when paint throws.
void PaintOnCanvas(TCanvas* canvas, QPainter& painter, const TControl* control, const std::function<void()>& paint);

// What the self-painting controls share: a canvas bound to the widget's
// painter while Paint runs.
template <class Base>
class TPaintedControl : public Base {
public:
    TPaintedControl(TComponent* AOwner, QWidget* AWidget)
        : Base(AOwner, AWidget), FCanvas(std::make_unique<TCanvas>())
    {
    }
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void PaintWidget(QPainter& painter) override
    {
        PaintOnCanvas(FCanvas.get(), painter, this, [this]() { Paint(); });
    }

private:
    std::unique_ptr<TCanvas> FCanvas;
};

// A control without children that paints itself (labels, shapes, images).
class TGraphicControl : public TPaintedControl<TControl> {
public:
    DECLARE_CLASSNAME(TGraphicControl)
    explicit TGraphicControl(TComponent* AOwner, QWidget* AWidget = nullptr);
};

// A windowed control that paints itself (buttons, grids, panels).
class TCustomControl : public TPaintedControl<TWinControl> {
public:
    DECLARE_CLASSNAME(TCustomControl)
    explicit TCustomControl(TComponent* AOwner, QWidget* AWidget = nullptr)
        : TPaintedControl<TWinControl>(AOwner, AWidget)
    {
    }
};

// ---- free functions ------------------------------------------------------

// The form a control sits on (the top of its parent chain when it is a form).
TCustomForm* GetParentForm(const TControl* c);
// The control under explicit capture, or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* c);
void ReleaseCapture();
// Drops the capture of a control going away, without notifications.
void ForgetCaptureOf(TControl* c);
// Tells the capture holder it loses the capture (popup, dialog, focus move).
void CancelCapture();

// Hands a Qt drag event (enter, move, leave) over w to its control's
// DragOver, with the point in the control's coordinates; accepts or ignores
// the event by the answer (an entering drag is always let in, so that its
// moves follow). False for other events or a widget of no control.
bool DeliverDragOver(QWidget* w, QEvent* e);

// Posts Msg to the control; it passes WndProc from the event loop (dropped
// when the control is gone by then).
void PostMessage(TControl* c, unsigned Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
inline intptr_t SendMessage(TControl* c, unsigned Msg, uintptr_t WParam = 0, intptr_t LParam = 0)
{
    return c ? c->Perform(Msg, WParam, LParam) : 0;
}

// The state of a key or mouse button right now (VK_LBUTTON, VK_SHIFT, ...):
// the high bit set while it is down.
short GetAsyncKeyState(int vKey);
short GetKeyState(int vKey);
// The shift state of the keyboard and the mouse buttons right now.
TShiftState KeyboardStateToShiftState();

// Qt keys to virtual-key codes and back; keypad tells the numeric keypad.
Word QtKeyToVirtualKey(int qtKey, bool keypad);
int VirtualKeyToQtKey(Word vk);
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton);
// The character a key produces (Ctrl+letter as a control character, Enter 13,
// Esc 27, Tab 9, Backspace 8); a null QChar when none.
QChar KeyEventChar(const QKeyEvent& e);

// True when Caption has "&" before Key's character (case ignored, "&&" is a
// plain ampersand).
bool IsAccel(unsigned Key, const QString& Caption);
// The caption without its accelerator marks.
QString StripHotkey(const QString& Caption);

// Lines the wheel scrolls per 120-step (the system setting).
int WheelScrollLines();
TPoint MouseCursorPos();

// Qt cursor shape of a platform cursor.
Qt::CursorShape CursorShapeOf(TCursor c);
// The screen's cursor list: a control registers a cursor drawn in code under a
// positive number of its own and then sets that number as its Cursor.
void RegisterCursor(TCursor Index, const QCursor& C);
// The registered cursor of a number, else the standard cursor's shape.
QCursor CursorOf(TCursor c);
