#include "ToolTips.h"

#include "Forms.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int ToolTipDefaultDelays[3] = {500, 5000, 100};
constexpr int ToolTipPad = 8;
constexpr int ToolTipStem = 10;
constexpr int ToolTipIconSize = 16;

struct TToolTipLayout {
    TRect Title;
    TRect Text;
    TSize Size;
};

TToolTipLayout ToolTipMeasure(TFont* Font, const QString& Title, const QString& Text, bool Icon, int MaxWidth)
{
    TCanvas c;
    c.SetFont(Font);
    TToolTipLayout l;
    const int left = ToolTipPad + (Icon ? ToolTipIconSize + 6 : 0);
    int width = 0, y = ToolTipPad;
    if (!Title.isEmpty()) {
        c.Font()->SetStyle(TFontStyles{fsBold});
        TRect r(0, 0, std::max(20, MaxWidth), 0);
        c.DrawText(Title, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        l.Title = TRect(left, y, left + r.Width(), y + std::max(r.Height(), Icon ? ToolTipIconSize : 0));
        width = left + r.Width();
        y = l.Title.Bottom + 4;
        c.Font()->SetStyle(TFontStyles{});
    }
    TRect r(0, 0, std::max(20, MaxWidth), 0);
    c.DrawText(Text, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const int textLeft = Title.isEmpty() ? left : ToolTipPad;
    l.Text = TRect(textLeft, y, textLeft + r.Width(), y + r.Height());
    width = std::max(width, l.Text.Right);
    l.Size = TSize(width + ToolTipPad, l.Text.Bottom + ToolTipPad + ToolTipStem);
    return l;
}

}  // namespace

class TBalloonToolTip::TWatcher : public QObject {
public:
    explicit TWatcher(TBalloonToolTip* Tip) : FTip(Tip)
    {
        Wait.setSingleShot(true);
        AutoPop.setSingleShot(true);
        QObject::connect(&Wait, &QTimer::timeout, [this]() { FTip->ShowFor(LastPos); });
        QObject::connect(&AutoPop, &QTimer::timeout, [this]() { FTip->Pop(); });
    }

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o != Watched || !Control) return false;
        switch (e->type()) {
        case QEvent::MouseMove: {
            const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
            LastPos = TPoint(p.x(), p.y());
            if (!ToolRect.Contains(LastPos)) FTip->Pop();
            else if (!FTip->Showing()) FTip->StartWait(LastPos);
            break;
        }
        case QEvent::Leave:
        case QEvent::Hide:
        case QEvent::MouseButtonPress:
            Wait.stop();
            FTip->Pop();
            break;
        default: break;
        }
        return false;
    }

    TControl* Control = nullptr;
    QPointer<QWidget> Watched;
    TRect ToolRect;
    TPoint LastPos;
    QTimer Wait;
    QTimer AutoPop;
    bool Popped = false;   // the next wait is a reshow

private:
    TBalloonToolTip* FTip;
};

TBalloonToolTip::TBalloonToolTip(TComponent* AOwner) : TCustomControl(AOwner)
{
    MakeAuxiliaryWindow(true);
    FWatcher = new TWatcher(this);
}

TBalloonToolTip::~TBalloonToolTip()
{
    DelTool();
    delete FWatcher;
}

void TBalloonToolTip::AddTool(TControl* Control, const TRect& Rect)
{
    DelTool();
    if (!Control || !Control->Widget()) return;
    FWatcher->Control = Control;
    FWatcher->Watched = Control->Widget();
    FWatcher->ToolRect = Rect;
    Control->Widget()->setMouseTracking(true);
    Control->Widget()->installEventFilter(FWatcher);
}

void TBalloonToolTip::DelTool()
{
    if (!FWatcher) return;
    FWatcher->Wait.stop();
    if (FWatcher->Watched) FWatcher->Watched->removeEventFilter(FWatcher);
    FWatcher->Watched = nullptr;
    FWatcher->Control = nullptr;
}

TControl* TBalloonToolTip::ToolControl() const
{
    return FWatcher && FWatcher->Watched ? FWatcher->Control : nullptr;
}

void TBalloonToolTip::SetTitle(const QString& Title, TToolTipIcon Icon)
{
    FTitle = Title;
    FIcon = Icon;
}

void TBalloonToolTip::SetDelayTime(TToolTipDelay Which, int Ms)
{
    FDelays[Which] = Ms;
}

int TBalloonToolTip::DelayTime(TToolTipDelay Which) const
{
    return FDelays[Which] < 0 ? ToolTipDefaultDelays[Which] : FDelays[Which];
}

void TBalloonToolTip::StartWait(TPoint Pos)
{
    FWatcher->LastPos = Pos;
    FWatcher->Wait.start(DelayTime(FWatcher->Popped ? tdReshow : tdInitial));
}

bool TBalloonToolTip::Showing() const
{
    return Widget() && Widget()->isVisible();
}

bool TBalloonToolTip::ShowFor(TPoint Pos)
{
    TControl* c = ToolControl();
    if (!c) return false;
    FWatcher->Wait.stop();
    TToolTipDispInfo info;
    info.Hdr.Code = TTN_GETDISPINFO;
    info.Hdr.From = this;
    info.CursorPos = Pos;
    c->Perform(WM_NOTIFY, 0, reinterpret_cast<intptr_t>(&info));
    if (info.Text.isEmpty()) return false;
    FText = info.Text;
    const TToolTipLayout l = ToolTipMeasure(Font(), FTitle, FText, FIcon != ttiNone, FMaxTipWidth);
    // The stem points at the pointer from below it; near the bottom of the
    // monitor the balloon goes above and the stem points down.
    const TPoint at = c->ClientToScreen(Pos);
    TRect r(at.X - 16, at.Y + 4, at.X - 16 + l.Size.cx, at.Y + 4 + l.Size.cy);
    FStemUp = true;
    if (Screen) {
        const TRect m = Screen->MonitorRectAt(at);
        if (m.Width() > 0 && r.Bottom > m.Bottom) {
            r.Offset(0, -(l.Size.cy + 8));
            FStemUp = false;
        }
        if (r.Right > m.Right - 2 && m.Width() > 0) r.Offset(m.Right - 2 - r.Right, 0);
        if (r.Left < m.Left) r.Offset(m.Left - r.Left, 0);
    }
    FStemX = std::clamp(at.X - r.Left, 8, std::max(8, r.Width() - 8));
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    SetVisible(true);
    if (QWidget* w = Widget()) w->raise();
    Invalidate();
    info.Hdr.Code = TTN_SHOW;
    c->Perform(WM_NOTIFY, 0, reinterpret_cast<intptr_t>(&info.Hdr));
    FWatcher->Popped = false;
    FWatcher->AutoPop.start(DelayTime(tdAutoPop));
    return true;
}

void TBalloonToolTip::Pop()
{
    FWatcher->AutoPop.stop();
    if (!Showing()) return;
    SetVisible(false);
    FWatcher->Popped = true;
    if (TControl* c = ToolControl()) {
        TNMHdr hdr;
        hdr.Code = TTN_POP;
        hdr.From = this;
        c->Perform(WM_NOTIFY, 0, reinterpret_cast<intptr_t>(&hdr));
    }
}

void TBalloonToolTip::Paint()
{
    TCanvas* c = Canvas();
    const TRect cr = ClientRect();
    const TToolTipLayout l = ToolTipMeasure(Font(), FTitle, FText, FIcon != ttiNone, FMaxTipWidth);
    const TRect body(cr.Left, cr.Top + (FStemUp ? ToolTipStem : 0), cr.Right - 1,
                     cr.Bottom - 1 - (FStemUp ? 0 : ToolTipStem));
    const int dy = body.Top - ToolTipStem * (FStemUp ? 1 : 0);
    c->Brush()->SetColor(FBkColor);
    c->Pen()->SetColor(clGray);
    c->RoundRect(body, 10, 10);
    // The stem, joined to the body without its seam.
    const int sx = FStemX;
    if (FStemUp)
        c->Polygon({TPoint(sx, cr.Top), TPoint(sx + 12, body.Top + 1), TPoint(sx + 2, body.Top + 1)});
    else
        c->Polygon({TPoint(sx, cr.Bottom - 1), TPoint(sx + 12, body.Bottom - 1), TPoint(sx + 2, body.Bottom - 1)});
    c->Pen()->SetColor(FBkColor);
    const int seam = FStemUp ? body.Top : body.Bottom - 1;
    c->MoveTo(sx + 3, seam);
    c->LineTo(sx + 12, seam);

    static const TColor iconColors[] = {clNone, TColor(0xD77800), TColor(0x00B4FF), TColor(0x2020E0)};
    static const char* const iconMarks[] = {"", "i", "!", "x"};
    if (FIcon != ttiNone) {
        const TRect ir(ToolTipPad, dy + ToolTipPad, ToolTipPad + ToolTipIconSize, dy + ToolTipPad + ToolTipIconSize);
        c->Brush()->SetColor(iconColors[FIcon]);
        c->Pen()->SetColor(iconColors[FIcon]);
        if (FIcon == ttiWarning)
            c->Polygon({TPoint((ir.Left + ir.Right) / 2, ir.Top), TPoint(ir.Right, ir.Bottom - 1),
                        TPoint(ir.Left, ir.Bottom - 1)});
        else
            c->Ellipse(ir);
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        c->Font()->SetStyle(TFontStyles{fsBold});
        c->Font()->SetColor(FIcon == ttiWarning ? clBlack : clWhite);
        TRect mr = ir;
        c->DrawText(QLatin1String(iconMarks[FIcon]), mr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    c->Font()->SetColor(FTextColor);
    if (!FTitle.isEmpty()) {
        c->Font()->SetStyle(TFontStyles{fsBold});
        TRect tr = l.Title;
        tr.Offset(0, dy);
        c->DrawText(FTitle, tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        c->Font()->SetStyle(TFontStyles{});
    }
    TRect xr = l.Text;
    xr.Offset(0, dy);
    c->DrawText(FText, xr, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    c->Brush()->SetStyle(bsSolid);
}
