#include "Hints.h"

#include "Forms.h"
#include "Messages.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// ---- THintWindow --------------------------------------------------------------------

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    MakeAuxiliaryWindow(true);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const QString& AHint, TObject*)
{
    TCanvas measure;
    measure.SetFont(Font());
    TRect r(0, 0, std::max(1, MaxWidth), 0);
    measure.DrawText(AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    // Room for the frame and a little air around the text.
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::KeepOnMonitor(TRect& R)
{
    if (!Screen) return;
    const TRect m = Screen->MonitorRectAt(TPoint(R.Left, R.Top));
    if (m.Width() <= 0 || m.Height() <= 0) return;
    if (R.Right > m.Right - 2) R.Offset(m.Right - 2 - R.Right, 0);
    if (R.Bottom > m.Bottom - 2) R.Offset(0, m.Bottom - 2 - R.Bottom);
}

void THintWindow::ShowAt(const TRect& R)
{
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
    SetVisible(true);
    if (QWidget* w = Widget()) w->raise();
    Invalidate();
}

void THintWindow::ActivateHint(TRect Rect, const QString& AHint)
{
    SetCaption(AHint);
    KeepOnMonitor(Rect);
    ShowAt(Rect);
}

void THintWindow::ActivateHintData(TRect Rect, const QString& AHint, TObject*)
{
    ActivateHint(Rect, AHint);
}

void THintWindow::ReleaseHandle()
{
    SetVisible(false);
}

void THintWindow::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->Pen()->SetColor(clBlack);
    c->Rectangle(r);
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    TRect t(r.Left + 3, r.Top + 1, r.Right - 3, r.Bottom - 1);
    c->DrawText(Caption(), t, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// ---- the application's hint path ----------------------------------------------------

namespace {

THintWindowClass& HintsDefaultClass()
{
    static THintWindowClass cls;
    return cls;
}

// Watches the control of the shown hint and ends the hint when the pointer
// leaves its rectangle, on a click or key, or when the control goes away.
class THintsWatcher : public QObject {
public:
    QPointer<QWidget> Watched;
    TRect CursorRect;

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o != Watched) return false;
        switch (e->type()) {
        case QEvent::MouseMove: {
            const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
            if (!CursorRect.Contains(TPoint(p.x(), p.y()))) CancelControlHint();
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Leave:
        case QEvent::Hide:
        case QEvent::Wheel:
            CancelControlHint();
            break;
        default: break;
        }
        return false;
    }
};

struct THintsState {
    THintWindow* Window = nullptr;
    QPointer<QWidget> WindowWidget;
    THintsWatcher* Watcher = nullptr;
    QTimer* HideTimer = nullptr;
};

THintsState& HintsState()
{
    static THintsState s;
    return s;
}

}  // namespace

THintWindowClass HintWindowClass()
{
    if (HintsDefaultClass()) return HintsDefaultClass();
    return []() { return new THintWindow(nullptr); };
}

void SetHintWindowClass(THintWindowClass AClass)
{
    HintsDefaultClass() = std::move(AClass);
}

THintWindow* ActiveHintWindow()
{
    THintsState& s = HintsState();
    return s.Window && s.WindowWidget ? s.Window : nullptr;
}

void CancelControlHint()
{
    THintsState& s = HintsState();
    if (s.HideTimer) s.HideTimer->stop();
    if (s.Watcher && s.Watcher->Watched) s.Watcher->Watched->removeEventFilter(s.Watcher);
    THintWindow* w = s.Window;
    const bool alive = w && s.WindowWidget;
    s.Window = nullptr;
    s.WindowWidget = nullptr;
    if (alive) Free(w);
}

bool ActivateControlHint(TControl* C, TPoint Pos)
{
    CancelControlHint();
    if (!C || !C->ShowHint() || !C->Widget() || (Application && !Application->ShowHint())) return false;
    THintInfo info;
    info.HintControl = C;
    info.HintWindowClass = HintWindowClass();
    info.CursorPos = Pos;
    info.CursorRect = C->ClientRect();
    // Below the pointer, clear of the cursor's picture.
    info.HintPos = C->ClientToScreen(TPoint(Pos.X, Pos.Y + 20));
    info.HintMaxWidth = Screen ? Screen->MonitorRectAt(info.HintPos).Width() : 0;
    if (info.HintMaxWidth <= 0) info.HintMaxWidth = 1024;
    info.HintColor = Application ? Application->HintColor() : clInfoBk;
    info.HintStr = C->Hint().section(QLatin1Char('|'), 0, 0);
    if (C->Perform(CM_HINTSHOW, 0, reinterpret_cast<intptr_t>(&info)) != 0 || info.HintStr.isEmpty()) return false;

    THintWindow* w = info.HintWindowClass ? info.HintWindowClass() : nullptr;
    if (!w) return false;
    THintsState& s = HintsState();
    s.Window = w;
    s.WindowWidget = w->Widget();
    w->SetColor(info.HintColor);
    TRect r = w->CalcHintRect(std::max(1, info.HintMaxWidth), info.HintStr, info.HintData);
    r.Offset(info.HintPos.X, info.HintPos.Y);
    w->ActivateHintData(r, info.HintStr, info.HintData);

    if (!s.Watcher) s.Watcher = new THintsWatcher;
    s.Watcher->Watched = C->Widget();
    s.Watcher->CursorRect = info.CursorRect;
    C->Widget()->installEventFilter(s.Watcher);
    if (!s.HideTimer) {
        s.HideTimer = new QTimer;
        s.HideTimer->setSingleShot(true);
        QObject::connect(s.HideTimer, &QTimer::timeout, []() { CancelControlHint(); });
    }
    const int pause = Application ? Application->HintHidePause() : 2500;
    if (pause > 0) s.HideTimer->start(pause);
    return true;
}
