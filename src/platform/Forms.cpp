#include "Forms.h"

#include "ControlsRouter.h"
#include "Hints.h"
#include "Services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>
#include <QWindow>
#include <QWidget>
#include <algorithm>

// Both live for the whole process (forms are freed by Finalize or their owners).
TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

namespace {

// Raising a window is a request to the window system; the headless one has
// none to make.
void RaiseWindow(QWidget* w)
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) w->raise();
    w->activateWindow();
}

QRect ScreenArea()
{
    if (QScreen* s = QGuiApplication::primaryScreen()) return s->availableGeometry();
    return QRect(0, 0, 1024, 768);
}

// The screens as Qt reports them.
class FormsQtScreens : public IScreenGeometry {
public:
    TRect MonitorRectAt(TPoint P) override { return Of(P, false); }
    TRect WorkAreaAt(TPoint P) override { return Of(P, true); }
    TRect PrimaryRect() override
    {
        QScreen* s = QGuiApplication::primaryScreen();
        return s ? TRect::FromQRect(s->geometry()) : TRect(0, 0, 1024, 768);
    }

private:
    static TRect Of(TPoint P, bool workArea)
    {
        QScreen* best = nullptr;
        qint64 bestDistance = 0;
        const QPoint p(P.X, P.Y);
        for (QScreen* s : QGuiApplication::screens()) {
            const QRect g = s->geometry();
            const qint64 dx = p.x() < g.left() ? g.left() - p.x() : p.x() > g.right() ? p.x() - g.right() : 0;
            const qint64 dy = p.y() < g.top() ? g.top() - p.y() : p.y() > g.bottom() ? p.y() - g.bottom() : 0;
            const qint64 d = dx * dx + dy * dy;
            if (!best || d < bestDistance) {
                best = s;
                bestDistance = d;
            }
        }
        if (!best) return TRect(0, 0, 1024, 768);
        return TRect::FromQRect(workArea ? best->availableGeometry() : best->geometry());
    }
};

IScreenGeometry& FormsScreens()
{
    static FormsQtScreens qtScreens;
    IScreenGeometry* s = Services().Screens.get();
    return s ? *s : qtScreens;
}

}  // namespace

// Watches the application while a pop-up window is shown: a press outside
// it and its own windows, or the active window going elsewhere, tells the
// form once (WM_ACTIVATE, WA_INACTIVE).
class FormsPopupWatcher : public QObject {
public:
    explicit FormsPopupWatcher(TCustomForm* form) : FForm(form)
    {
        qApp->installEventFilter(this);
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, this,
                         [this](QWindow* w) { FocusWindowChanged(w); });
    }
    ~FormsPopupWatcher() override { qApp->removeEventFilter(this); }
    // The pop-up hid: no more telling, even before the watcher goes.
    void Retire()
    {
        FRetired = true;
        qApp->removeEventFilter(this);
        QObject::disconnect(qApp, nullptr, this, nullptr);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::NonClientAreaMouseButtonPress)
            return false;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || Inside(w->window())) return false;
        Deactivate(TControl::FromWidget(w));
        return false;  // the press goes on to what it was aimed at
    }

private:
    // The pop-up itself or a window that belongs to it (a menu or a dialog
    // opened from it).
    bool Inside(const QWidget* window) const
    {
        const QWidget* popup = FForm->Widget();
        for (const QWidget* w = window; w; w = w->parentWidget())
            if (w == popup) return true;
        return false;
    }
    void FocusWindowChanged(QWindow* window)
    {
        if (!window) {
            Deactivate(nullptr);  // another application
            return;
        }
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->windowHandle() != window) continue;
            if (!Inside(top)) Deactivate(TControl::FromWidget(top));
            return;
        }
    }
    void Deactivate(TControl* target)
    {
        if (FRetired || FBusy || !FForm->Visible()) return;
        FBusy = true;
        TCustomForm* form = FForm;
        GuardEvent([&] { form->Perform(WM_ACTIVATE, WA_INACTIVE, intptr_t(target)); });
        FBusy = false;
    }

    TCustomForm* FForm;
    bool FBusy = false;
    bool FRetired = false;
};

// ---------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner)
    : TCustomControl(AOwner)
{
    FFormState |= fsCreating;
    SetTopLevel(true);
    Widget()->setWindowFlags(Qt::Window);
    Widget()->setFocusPolicy(Qt::StrongFocus);
    // Forms are created hidden and shown by Show or ShowModal.
    TCustomControl::SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    if (FModalLoop) FModalLoop->exit();
    // Forms that belong to this one become windows of their own before this
    // window goes, so Qt does not delete their windows with it.
    for (TCustomForm* f : Screen->FForms) {
        if (f->FOwnerWindow != this) continue;
        f->FOwnerWindow = nullptr;
        if (f->Widget()) f->Widget()->setParent(nullptr, f->Widget()->windowFlags());
    }
    Screen->RemoveForm(this);
    if (Application->MainForm() == this) Application->SetMainForm(nullptr);
}

void TCustomForm::AfterConstruction()
{
    TCustomControl::AfterConstruction();
    FFormState &= ~unsigned(fsCreating);
    DoCreate();
}

void TCustomForm::BeforeDestruction()
{
    if (!FDestroyFired) {
        FDestroyFired = true;
        try {
            DoDestroy();
        } catch (...) {
            ReportEventException();
        }
    }
    TCustomControl::BeforeDestruction();
}

void TCustomForm::DoCreate()
{
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy()
{
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate()
{
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TCustomForm::TextChanged()
{
    if (Widget()) Widget()->setWindowTitle(Caption());
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v)
{
    FBorderStyle = v;
    if (!Visible()) ApplyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons v)
{
    FBorderIcons = v;
    if (!Visible()) ApplyWindowFlags();
}

void TCustomForm::SetPopupWindow(bool v)
{
    FPopupWindow = v;
    if (!Visible()) ApplyWindowFlags();
}

void TCustomForm::SetMinSize(int AWidth, int AHeight)
{
    FMinWidth = std::max(0, AWidth);
    FMinHeight = std::max(0, AHeight);
    if (Widget()) Widget()->setMinimumSize(FMinWidth, FMinHeight);
    SetBounds(Left(), Top(), Width(), Height());
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, std::max(AWidth, FMinWidth), std::max(AHeight, FMinHeight));
}

void TCustomForm::StartSizing()
{
    if (!Widget() || !Visible()) return;
    if (QWindow* w = Widget()->windowHandle()) w->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
}

void TCustomForm::ApplyWindowFlags()
{
    if (FPopupWindow) {
        // A tool window stays above its owner and has no taskbar entry; it is
        // not a Qt pop-up, which would close on any press outside and take
        // every input while a dialog opened from it is up.
        const Qt::WindowFlags f = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
        QWidget* owner = FOwnerWindow ? FOwnerWindow->Widget() : nullptr;
        if (Widget() && (Widget()->windowFlags() != f || Widget()->parentWidget() != owner)) {
            TControlEventRouter::GeometryGuard g(nullptr);
            Widget()->setParent(owner, f);
        }
        return;
    }
    Qt::WindowFlags f = Qt::Window;
    switch (FBorderStyle) {
    case bsNone:
        f |= Qt::FramelessWindowHint;
        break;
    case bsDialog:
        f = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        f = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    default:
        f |= Qt::WindowTitleHint;
        if (FBorderIcons.Contains(biSystemMenu)) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (FBorderIcons.Contains(biMinimize)) f |= Qt::WindowMinimizeButtonHint;
        if (FBorderIcons.Contains(biMaximize) && FBorderStyle == bsSizeable) f |= Qt::WindowMaximizeButtonHint;
        break;
    }
    if (FBorderStyle == bsSingle || FBorderStyle == bsDialog || FBorderStyle == bsToolWindow)
        f |= Qt::MSWindowsFixedSizeDialogHint;
    QWidget* owner = FOwnerWindow ? FOwnerWindow->Widget() : nullptr;
    if (Widget() && (Widget()->windowFlags() != f || Widget()->parentWidget() != owner)) {
        TControlEventRouter::GeometryGuard g(nullptr);
        if (Widget()->parentWidget() != owner)
            Widget()->setParent(owner, f);
        else
            Widget()->setWindowFlags(f);
    }
}

void TCustomForm::SetOwnerWindow(TCustomForm* w)
{
    if (w == this || w == FOwnerWindow) return;
    FOwnerWindow = w;
    if (!Visible()) ApplyWindowFlags();
}

void TCustomForm::PlaceOnShow()
{
    QRect area = ScreenArea();
    TCustomForm* centreOn = nullptr;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2, Width(),
                  Height());
        return;
    case poMainFormCenter:
        centreOn = Application->MainForm();
        break;
    case poOwnerFormCenter:
        centreOn = dynamic_cast<TCustomForm*>(Owner());
        break;
    default:
        return;
    }
    if (!centreOn || centreOn == this) centreOn = nullptr;
    if (centreOn)
        SetBounds(centreOn->Left() + (centreOn->Width() - Width()) / 2,
                  centreOn->Top() + (centreOn->Height() - Height()) / 2, Width(), Height());
    else
        SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2, Width(),
                  Height());
}

void TCustomForm::SetVisible(bool v)
{
    if (v == Visible()) return;
    if (v) {
        FFormState |= fsShowing;
        try {
            ApplyWindowFlags();
            PlaceOnShow();
            DoShow();
        } catch (...) {
            FFormState &= ~unsigned(fsShowing);
            throw;
        }
        TCustomControl::SetVisible(true);
        FFormState &= ~unsigned(fsShowing);
        FFormState |= fsVisible;
        Realign();
        RaiseWindow(Widget());
        // A form shown without activation (a floating picture over a drag)
        // leaves the active form, its focus and its mouse capture alone.
        if (!Widget()->testAttribute(Qt::WA_ShowWithoutActivating)) {
            Screen->SetActiveForm(this);
            SetWindowFocus();
        }
        if (FPopupWindow && !FPopupWatcher) FPopupWatcher = std::make_unique<FormsPopupWatcher>(this);
    } else {
        // Deleted later: the watcher may be the one telling the form to hide.
        if (FPopupWatcher) {
            FPopupWatcher->Retire();
            FPopupWatcher.release()->deleteLater();
        }
        DoHide();
        if (FFocusedControl && FFocusedControl->Focused()) {
            FFocusedControl->FRouter->SetFocusNotified(false);
            FFocusedControl->Perform(WM_KILLFOCUS);
        }
        TCustomControl::SetVisible(false);
        FFormState &= ~unsigned(fsVisible);
        if (Screen->ActiveForm() == this) {
            TCustomForm* next = nullptr;
            for (int i = Screen->FormCount() - 1; i >= 0; --i) {
                TCustomForm* f = Screen->Forms(i);
                if (f != this && f->Visible()) {
                    next = f;
                    break;
                }
            }
            Screen->SetActiveForm(next);
        }
        // The keyboard goes back to the window the pop-up belongs to.
        if (FPopupWindow && FOwnerWindow && FOwnerWindow->Visible() && FOwnerWindow->Widget())
            FOwnerWindow->Widget()->activateWindow();
    }
}

void TCustomForm::WindowFocusChanged(bool active)
{
    // The window's focused control gets or loses the focus with the window:
    // focus messages only, no enter or exit.
    TWinControl* c = FFocusedControl;
    if (!c || !c->FRouter || c->Focused() == active || (active && !Visible())) return;
    c->FRouter->SetFocusNotified(active);
    c->Perform(active ? WM_SETFOCUS : WM_KILLFOCUS);
    if (active && c->Widget()) {
        TControlEventRouter::FocusEchoGuard g(c->FRouter);
        c->Widget()->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TCustomForm::SetWindowFocus()
{
    TWinControl* c = FActiveControl;
    if (c && !c->CanFocus()) c = nullptr;
    if (!c) c = FindNextControl(nullptr, true, true, false);
    if (c) FocusControl(c);
}

bool TCustomForm::Active() const
{
    return Screen->ActiveForm() == this;
}

void TCustomForm::BringToFrontWindow()
{
    if (!Widget()) return;
    RaiseWindow(Widget());
    Screen->SetActiveForm(this);
}

void TCustomForm::SetActiveControl(TWinControl* c)
{
    if (c == FActiveControl) return;
    if (c && (GetParentForm(c) != this || (!HasState(csLoading) && !c->CanFocus())))
        throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    FActiveControl = c;
    if (c && Visible()) FocusControl(c);
}

void TCustomForm::FocusControl(TWinControl* c)
{
    if (HasState(csDestroying)) return;
    if (!Visible()) {
        FActiveControl = c;
        return;
    }
    TWinControl* old = FFocusedControl;
    if (c == old) {
        FActiveControl = c;
        if (c && !c->Focused()) {
            c->FRouter->SetFocusNotified(true);
            c->Perform(WM_SETFOCUS);
        }
        if (c && c->Widget()) {
            TControlEventRouter::FocusEchoGuard g(c->FRouter);
            c->Widget()->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    // The capture holder loses the capture when the focus goes elsewhere.
    if (TControl* cap = GetCaptureControl()) {
        auto* capWin = dynamic_cast<TWinControl*>(cap);
        if (cap != c && !(capWin && c && capWin->ContainsControl(c))) CancelCapture();
    }
    FPreviousFocus = old;
    FFocusedControl = c;
    FActiveControl = c;
    if (old && old->Focused()) {
        old->FRouter->SetFocusNotified(false);
        old->Perform(WM_KILLFOCUS, uintptr_t(c));
    }
    if (c) {
        c->FRouter->SetFocusNotified(true);
        c->Perform(WM_SETFOCUS, uintptr_t(old));
    }
    // Exit the old control and its parents up to the one both share, then
    // enter the new one's chain from the top down.
    std::vector<TWinControl*> enter;
    for (TWinControl* x = c; x && x != this; x = x->Parent()) enter.push_back(x);
    for (TWinControl* x = old; x && x != this; x = x->Parent()) {
        if (std::find(enter.begin(), enter.end(), x) != enter.end()) {
            enter.erase(std::find(enter.begin(), enter.end(), x), enter.end());
            break;
        }
        x->Perform(CM_EXIT);
    }
    for (auto it = enter.rbegin(); it != enter.rend(); ++it) (*it)->Perform(CM_ENTER);
    Perform(CM_FOCUSCHANGED, 0, intptr_t(c));
    if (FFocusedControl == c && c && c->Widget()) {
        TControlEventRouter::FocusEchoGuard g1(c->FRouter);
        TControlEventRouter::FocusEchoGuard g2(old ? old->FRouter : nullptr);
        c->Widget()->setFocus(Qt::OtherFocusReason);
    }
}

void TCustomForm::ControlRemoved(TWinControl* c)
{
    if (FFocusedControl && c->ContainsControl(FFocusedControl)) FFocusedControl = nullptr;
    if (FActiveControl && c->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    if (FPreviousFocus && c->ContainsControl(FPreviousFocus)) FPreviousFocus = nullptr;
}

bool TCustomForm::DialogKey(Word Key, TShiftState Shift)
{
    if (Shift.Contains(ssAlt)) return false;
    TWinControl* current = FFocusedControl ? FFocusedControl : FActiveControl;
    switch (Key) {
    case VK_TAB:
        if (Shift.Contains(ssCtrl)) return false;
        SelectNext(current, !Shift.Contains(ssShift), true);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (!current || !current->Parent()) return false;
        current->Parent()->SelectNext(current, Key == VK_RIGHT || Key == VK_DOWN, false);
        return true;
    default:
        break;
    }
    // Enter, Escape: whoever answers (default and cancel buttons).
    TMessage m{CM_DIALOGKEY, Key, intptr_t(Shift.Bits()), 0};
    TCustomControl::DefaultHandler(m);
    return m.Result != 0;
}

void TCustomForm::DefaultHandler(TMessage& m)
{
    if (m.Msg == CM_DIALOGKEY) {
        m.Result = DialogKey(Word(m.WParam), TShiftState::FromBits(uint64_t(m.LParam))) ? 1 : 0;
        return;
    }
    TCustomControl::DefaultHandler(m);
}

bool TCustomForm::HandleQtEvent(QWidget* w, QEvent* e)
{
    if (w != Widget()) return false;
    switch (e->type()) {
    case QEvent::Close:
        // The window's close box: the form decides (Close, CloseQuery, OnClose).
        e->ignore();
        Close();
        return true;
    case QEvent::WindowActivate:
        Screen->SetActiveForm(this);
        return false;
    case QEvent::WindowDeactivate:
        CancelCapture();
        return false;
    default:
        return false;
    }
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (FFormState & fsModal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Hide();
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: if (Widget()) Widget()->showMinimized(); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release()
{
    FreeDeferred();
}

void TCustomForm::ExitModalLoop()
{
    if (FModalLoop) FModalLoop->exit();
}

void TCustomForm::SetModalResult(TModalResult v)
{
    FModalResult = v;
    if (v == mrNone) FModalClosed = false;
    if (v != mrNone && FModalLoop) FModalLoop->exit();
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) FModalResult = mrNone;
    else if (action == caFree) Release();
}

bool TCustomForm::ModalStep()
{
    if (FModalClosed) return true;
    if (FModalResult == mrNone) return false;
    CloseModal();
    FModalClosed = FModalResult != mrNone;
    return FModalClosed;
}

TCustomForm::TModalHook& TCustomForm::ModalHook()
{
    static TModalHook hook;
    return hook;
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || (FFormState & fsModal))
        throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    CancelCapture();
    TCustomForm* previous = Screen->ActiveForm();
    FFormState |= fsModal;
    FModalResult = mrNone;
    FModalClosed = false;
    Widget()->setWindowModality(Qt::ApplicationModal);
    auto finish = [&]() {
        FModalLoop = nullptr;
        Hide();
        if (Widget()) Widget()->setWindowModality(Qt::NonModal);
        FFormState &= ~unsigned(fsModal);
        if (previous && previous != this && previous->Visible()) previous->BringToFrontWindow();
    };
    try {
        Show();
        TModalHook& hook = ModalHook();
        if (hook && hook(this)) {
            // Driven by the hook: a form it left open counts as cancelled.
            if (!ModalStep()) FModalResult = mrCancel;
        } else {
            QEventLoop loop;
            FModalLoop = &loop;
            for (;;) {
                if (FModalResult == mrNone) loop.exec(QEventLoop::DialogExec);
                if (Application->Terminated() && Application->Running()) {
                    if (FModalResult == mrNone) FModalResult = mrCancel;
                    break;
                }
                if (ModalStep()) break;
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return FModalResult;
}

// ---------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

void TApplication::Run()
{
    FRunning = true;
    FTerminated = false;
    try {
        if (FMainForm && !FMainForm->Visible()) FMainForm->Show();
    } catch (...) {
        ReportEventException();
    }
    // An event loop of our own: ending it leaves Qt's state as it was, so
    // the process may run another loop later (tests do).
    QEventLoop loop;
    FRunLoop = &loop;
    if (!FTerminated) loop.exec();
    FRunLoop = nullptr;
    FRunning = false;
}

void TApplication::Terminate()
{
    FTerminated = true;
    if (!FRunning) return;
    // Modal forms leave their loops (as cancelled), then the run ends.
    for (int i = 0; i < Screen->FormCount(); ++i) Screen->Forms(i)->ExitModalLoop();
    if (FRunLoop) FRunLoop->exit(0);
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::Finalize()
{
    DestroyComponents();
    FMainForm = nullptr;
}

void TApplication::CancelHint()
{
    // Qt hides a tool tip after a delay: the shown one goes at once.
    QToolTip::hideText();
    CancelControlHint();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits("QTipLabel")) w->hide();
}

QString TApplication::ExeName() const
{
    return QCoreApplication::applicationFilePath();
}

// ---------------------------------------------------------------------------
// TScreen

TWinControl* TScreen::ActiveControl() const
{
    return FActiveForm ? FActiveForm->FocusedControl() : nullptr;
}

void TScreen::SetCursor(TCursor v)
{
    if (v == FCursor) return;
    if (FCursor != crDefault) QApplication::restoreOverrideCursor();
    FCursor = v;
    if (v != crDefault) QApplication::setOverrideCursor(CursorOf(v));
}

int TScreen::Width() const
{
    return FormsScreens().PrimaryRect().Width();
}

int TScreen::Height() const
{
    return FormsScreens().PrimaryRect().Height();
}

TRect TScreen::MonitorRectAt(TPoint P) const
{
    return FormsScreens().MonitorRectAt(P);
}

TRect TScreen::WorkAreaAt(TPoint P) const
{
    return FormsScreens().WorkAreaAt(P);
}

void TScreen::RemoveForm(TCustomForm* f)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), f), FForms.end());
    if (FActiveForm == f) FActiveForm = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* f)
{
    if (f == FActiveForm) return;
    TCustomForm* old = FActiveForm;
    FActiveForm = f;
    if (old) {
        CancelCapture();
        old->WindowFocusChanged(false);
        old->Deactivate();
    }
    if (f) {
        f->Activate();
        f->WindowFocusChanged(true);
    }
}
