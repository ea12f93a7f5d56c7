#pragma once
// Forms, the application object and the screen.
//
// A form is a top-level window, created hidden and usually kept for the whole
// run. Building one:
//   class TFMine : public TForm {
//   public:
//       explicit TFMine(TComponent* AOwner) : TForm(AOwner) {
//           SetCaption("Mine"); SetClientWidth(300); SetClientHeight(200);
//           Btn = new TMyButton(this); Btn->SetParent(this); ...
//           OnCreate = [this](TObject*) { FormCreate(); };
//       }
//   };
//   auto* f = Create<TFMine>(Application);      // OnCreate runs here
//   if (f->ShowModal() == mrOk) ...
//
// Keys: Tab and the arrows move the focus, Enter and Escape go to the form's
// default and cancel buttons (broadcast as CM_DIALOGKEY), characters that the
// focused control does not take go to the accelerators (CM_DIALOGCHAR) --
// each only when the focused control does not claim the key (WantKeys).

#include "Controls.h"

#include <QEventLoop>
#include <functional>
#include <memory>

class QCloseEvent;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The border style of ordinary controls is the same enumeration (bsNone, bsSingle).
using TBorderStyle = TFormBorderStyle;
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateFlag : unsigned { fsCreating = 1, fsVisible = 2, fsShowing = 4, fsModal = 8, fsActivated = 16 };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TCustomControl {
    friend class TWinControl;
    friend class TScreen;
    friend class TControlEventRouter;

public:
    DECLARE_CLASSNAME(TCustomForm)
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    unsigned FormState() const { return FFormState; }

    void SetVisible(bool v) override;
    void Close();
    // Shows the form modally and returns its modal result. A test hook
    // (SetModalHook) may drive the form instead of a nested event loop.
    virtual TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    // On a modal form a non-zero result ends ShowModal (after CloseQuery).
    void SetModalResult(TModalResult v);
    // What the modal loop does after each event: when a result is set, ask
    // CloseQuery/OnClose; true when the form is closing with the result.
    bool ModalStep();
    virtual bool CloseQuery();
    // Frees the form once control is back in the event loop.
    void Release();
    // Leaves ShowModal's event loop (the application is ending).
    void ExitModalLoop();
    bool Active() const;
    void BringToFrontWindow();

    // The window this form belongs to: it stays above it and has no
    // taskbar entry of its own (null: a window of its own). Applied while
    // the form is hidden, as forms are between their creation and showing.
    TCustomForm* OwnerWindow() const { return FOwnerWindow; }
    void SetOwnerWindow(TCustomForm* w);

    // A pop-up window (the part of a drop-down control that opens): no
    // frame, above its owner window (the transient parent the window system
    // places it by), no taskbar entry, placed and sized in screen
    // coordinates, taking the keyboard focus for its controls. While it is
    // shown, a mouse press outside it and its own windows, or the
    // application losing the active window, sends it WM_ACTIVATE with
    // WA_INACTIVE and LParam the TControl* under the pointer (0 for another
    // application); nothing closes it by itself. Set while hidden.
    bool PopupWindow() const { return FPopupWindow; }
    void SetPopupWindow(bool v);
    // The smallest size the bounds take (0: no limit).
    void SetMinSize(int AWidth, int AHeight);
    // Lets the window system resize the shown window from its bottom-right
    // corner with the mouse (nothing where it cannot).
    void StartSizing();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The control that has (or gets when the form is shown) the focus.
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* c);
    // The control that holds the focus inside this form right now.
    TWinControl* FocusedControl() const { return FFocusedControl; }
    // The control that held it before (known while focus messages run).
    TWinControl* PreviousFocusedControl() const { return FPreviousFocus; }
    // Moves the focus inside the form: WM_KILLFOCUS/WM_SETFOCUS, then DoExit
    // on the old control's chain and DoEnter on the new one's.
    void FocusControl(TWinControl* c);
    // The form's default keys: Tab/arrows move, Enter/Escape go to buttons.
    bool DialogKey(Word Key, TShiftState Shift);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // Replaces ShowModal's event loop (tests): called with the shown modal
    // form; true when it drove the form (and set its result).
    using TModalHook = std::function<bool(TCustomForm* Form)>;
    static TModalHook& ModalHook();

protected:
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    void Paint() override;
    void DefaultHandler(TMessage& Message) override;
    bool HandleQtEvent(QWidget* w, QEvent* e) override;
    void TextChanged() override;
    void ControlRemoved(TWinControl* c);

private:
    void ApplyWindowFlags();
    void PlaceOnShow();
    void CloseModal();
    void SetWindowFocus();
    void WindowFocusChanged(bool active);

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    bool FKeyPreview = false;
    unsigned FFormState = 0;
    TModalResult FModalResult = mrNone;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TWinControl* FPreviousFocus = nullptr;
    QEventLoop* FModalLoop = nullptr;
    TCustomForm* FOwnerWindow = nullptr;
    bool FDestroyFired = false;
    bool FModalClosed = false;
    bool FPopupWindow = false;
    int FMinWidth = 0;
    int FMinHeight = 0;
    std::unique_ptr<class FormsPopupWatcher> FPopupWatcher;
};

class TForm : public TCustomForm {
public:
    DECLARE_CLASSNAME(TForm)
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// ---- the application -------------------------------------------------------

using TExceptionEvent = std::function<void(TObject* Sender, const QString& Message)>;

class TApplication : public TComponent {
public:
    DECLARE_CLASSNAME(TApplication)
    explicit TApplication(TComponent* AOwner = nullptr);

    // The first form created through CreateForm; closing it ends the run.
    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* f) { FMainForm = f; }
    template <class T>
    void CreateForm(T*& ref)
    {
        ref = Create<T>(this);
        if (!FMainForm) FMainForm = ref;
    }
    // Shows the main form and runs the event loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Run's event loop is running.
    bool Running() const { return FRunning; }
    void ProcessMessages();
    // Frees the forms the application owns (at the end of the run).
    void Finalize();

    QString Title() const { return FTitle; }
    void SetTitle(const QString& v) { FTitle = v; }
    QString ExeName() const;

    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }
    int HintPause() const { return FHintPause; }
    void SetHintPause(int v) { FHintPause = v; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int v) { FHintHidePause = v; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int v) { FHintShortPause = v; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor v) { FHintColor = v; }

    // Hides a hint that is showing.
    void CancelHint();

    // When set, reported exceptions go here instead of the error dialog.
    TExceptionEvent OnException;

private:
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FRunning = false;
    QEventLoop* FRunLoop = nullptr;
    QString FTitle;
    bool FShowHint = true;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    int FHintShortPause = 50;
    TColor FHintColor = clInfoBk;
};

extern TApplication* Application;

// ---- the screen ------------------------------------------------------------

// Where the screens are: each monitor's rectangle and its work area (the part
// that panels and docks leave), in screen coordinates. Replaceable through
// Services().Screens; empty: the screens Qt reports.
class IScreenGeometry {
public:
    virtual ~IScreenGeometry() = default;
    // The monitor nearest to P.
    virtual TRect MonitorRectAt(TPoint P) = 0;
    virtual TRect WorkAreaAt(TPoint P) = 0;
    // The primary monitor.
    virtual TRect PrimaryRect() = 0;
};

class TScreen : public TComponent {
    friend class TCustomForm;

public:
    DECLARE_CLASSNAME(TScreen)
    explicit TScreen(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    int FormCount() const { return int(FForms.size()); }
    TCustomForm* Forms(int i) const { return FForms.at(size_t(i)); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const;
    // The application-wide cursor (crDefault: each control's own).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);
    // The primary monitor's size.
    int Width() const;
    int Height() const;
    TRect MonitorRectAt(TPoint P) const;
    TRect WorkAreaAt(TPoint P) const;

private:
    void AddForm(TCustomForm* f) { FForms.push_back(f); }
    void RemoveForm(TCustomForm* f);
    void SetActiveForm(TCustomForm* f);

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;
