// Hints and balloon tooltips of the string grid: the HTML hint window, the
// hint request of the platform's hint path, and the balloon tooltip that
// shows a cell's text (or its balloon) under the pointer.

#include "AdvGridHints.h"

#include "AdvGrid.h"
#include "AdvUtil.h"
#include "AdvUtilPaint.h"
#include "AsgHTMLE.h"
#include "AsgHTMLEText.h"
#include "BaseGrid.h"
#include "RichText.h"
#include "ToolTips.h"

// ---- TBalloonSettings -----------------------------------------------------------------

TPersistent* TBalloonSettings::GetOwner()
{
    return FGrid;
}

void TBalloonSettings::SetEnable(bool v)
{
    FEnable = v;
    if (OnEnableChange) OnEnableChange(this);
}

void TBalloonSettings::Assign(TPersistent* Source)
{
    if (auto* s = dynamic_cast<TBalloonSettings*>(Source)) {
        FTextColor = s->FTextColor;
        FBackgroundColor = s->FBackgroundColor;
        FInitialDelay = s->FInitialDelay;
        FAutoHideDelay = s->FAutoHideDelay;
        FReshowDelay = s->FReshowDelay;
        FEnable = s->FEnable;
        return;
    }
    TPersistent::Assign(Source);
}

// ---- THTMLHintWindow ------------------------------------------------------------------

namespace {

QString& AdvGridHintsFontName()
{
    static QString name;
    return name;
}

bool AdvGridHintsIsWide(const QString& Text)
{
    return Text.startsWith(QLatin1String("|\\"));
}

}  // namespace

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

QString THTMLHintWindow::HintFontName()
{
    return AdvGridHintsFontName();
}

void THTMLHintWindow::SetHintFontName(const QString& Name)
{
    AdvGridHintsFontName() = Name;
}

TSize THTMLHintWindow::Measure(int MaxWidth, const QString& AHint)
{
    TCanvas c;
    c.SetFont(Font());
    if (AdvGridHintsIsWide(AHint)) {
        if (!HintFontName().isEmpty()) c.Font()->SetName(HintFontName());
        TRect r(0, 0, MaxWidth, 0);
        c.DrawText(DecodeWideText(AHint), r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        return TSize(r.Width(), r.Height());
    }
    THTMLDrawArgs args;
    args.MeasureOnly = true;
    args.WordWrap = true;
    args.ImageList = FImages;
    args.PictureContainer = FPictureContainer;
    THTMLDrawResult res;
    DrawHTMLText(&c, AHint, TRect(0, 0, MaxWidth, 4096), args, res);
    return TSize(res.Width, res.Height);
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const QString& AHint, TObject*)
{
    const TSize s = Measure(MaxWidth, AHint);
    return TRect(0, 0, s.cx, s.cy);
}

void THTMLHintWindow::ActivateHint(TRect Rect, const QString& AHint)
{
    SetCaption(AHint);
    const bool wide = AdvGridHintsIsWide(AHint);
    const TSize s = Measure(1008, AHint);
    FTextWidth = s.cx;
    FTextHeight = s.cy;
    FWideCaption = wide ? DecodeWideText(AHint) : QString();
    Rect.Right = Rect.Left + s.cx + (wide ? 8 : 16);
    Rect.Bottom = Rect.Top + s.cy + 4;
    KeepOnMonitor(Rect);
    ShowAt(Rect);
}

void THTMLHintWindow::ActivateHintData(TRect Rect, const QString& AHint, TObject* AData)
{
    if (auto* g = dynamic_cast<TAdvStringGrid*>(AData)) FImages = g->GridImages();
    THintWindow::ActivateHintData(Rect, AHint, AData);
}

void THTMLHintWindow::Paint()
{
    TCanvas* c = Canvas();
    const TRect cr = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(cr);
    c->Pen()->SetColor(cl3DLight);
    c->MoveTo(cr.Left, cr.Bottom - 2);
    c->LineTo(cr.Left, cr.Top);
    c->LineTo(cr.Right, cr.Top);
    c->Pen()->SetColor(cl3DDkShadow);
    c->MoveTo(cr.Left, cr.Bottom - 1);
    c->LineTo(cr.Right - 1, cr.Bottom - 1);
    c->LineTo(cr.Right - 1, cr.Top - 1);
    const int top = cr.Top + (cr.Height() - FTextHeight) / 2;
    TRect tr(cr.Left + 4, top, cr.Right - 4, top + FTextHeight + 8);
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    if (AdvGridHintsIsWide(Caption())) {
        if (!HintFontName().isEmpty()) c->Font()->SetName(HintFontName());
        c->DrawText(FWideCaption, tr, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        THTMLDrawArgs args;
        args.WordWrap = true;
        args.ImageList = FImages;
        args.PictureContainer = FPictureContainer;
        THTMLDrawResult res;
        DrawHTMLText(c, Caption(), tr, args, res);
    }
    c->Brush()->SetStyle(bsSolid);
}

// ---- the grid's hint request -------------------------------------------------------------

intptr_t TAdvStringGrid::CMHintShow(THintInfo& Info)
{
    THTMLHintWindow::SetHintFontName(Font()->Name());
    if (UseInternalHintClass()) Info.HintWindowClass = []() -> THintWindow* { return new THTMLHintWindow(nullptr); };
    Info.HintData = this;
    const int b = BorderWidth();
    QString hint;
    if (GetCellHint(Info.CursorPos.X - b, Info.CursorPos.Y - b, hint)) {
        Info.HintStr = hint;
        int col = -1, row = -1;
        MouseToCell(Info.CursorPos.X - b, Info.CursorPos.Y - b, col, row);
        // The hint belongs to its cell: moving to another one ends it.
        TRect r = CellRect(col, row);
        r.Offset(b, b);
        Info.CursorRect = r;
    }
    return 0;
}

// ---- balloons ----------------------------------------------------------------------------

void TAdvStringGrid::BalloonInit()
{
    if (!FBalloonSettings || FBalloonSettings->Init()) return;
    FHToolTip = new TBalloonToolTip(nullptr);
    // The tool is the whole client area, whatever size the grid takes later.
    if (Widget()) FHToolTip->AddTool(this, TRect(0, 0, 32767, 32767));
    FHToolTip->SetTitle(QStringLiteral("ToolTipText"), ttiError);
    if (FBalloonSettings->InitialDelay() != -1) FHToolTip->SetDelayTime(tdInitial, FBalloonSettings->InitialDelay());
    if (FBalloonSettings->ReshowDelay() != -1) FHToolTip->SetDelayTime(tdReshow, FBalloonSettings->ReshowDelay());
    if (FBalloonSettings->AutoHideDelay() != -1)
        FHToolTip->SetDelayTime(tdAutoPop, FBalloonSettings->AutoHideDelay());
    if (FBalloonSettings->Transparency() > 0)
        DynSetLayeredWindowAttributes(FHToolTip, clNone, uint8_t(255 - FBalloonSettings->Transparency()), LWA_ALPHA);
    FBalloonSettings->SetInit(true);
}

void TAdvStringGrid::BalloonDone()
{
    // The window goes whenever there is one, also after Enable was switched
    // off (the setter stores before this runs).
    if (FHToolTip) FreeAndNil(FHToolTip);
    FLastBalloonPos = TPoint(-1, -1);
    if (FBalloonSettings) FBalloonSettings->SetInit(false);
}

void TAdvStringGrid::BalloonEnableChanged()
{
    if (HasState(csLoading)) return;
    if (FBalloonSettings->Enable()) BalloonInit();
    else BalloonDone();
}

void TAdvStringGrid::BalloonPop()
{
    if (FHToolTip) FHToolTip->Pop();
    FLastBalloonPos = TPoint(-1, -1);
}

void TAdvStringGrid::SetBalloon(TBalloonSettings* v)
{
    if (v && FBalloonSettings) FBalloonSettings->Assign(v);
}

void TAdvStringGrid::BalloonFollowPointer(int X, int Y)
{
    if (FLastBalloonPos.X < 0) return;
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    const TPoint base = col >= 0 && row >= 0 ? BaseCell(col, row) : TPoint(-1, -1);
    if (base.X != FLastBalloonPos.X || base.Y != FLastBalloonPos.Y) BalloonPop();
}

QString TAdvStringGrid::BalloonCellText(int ACol, int ARow)
{
    const QString s = Cells(RealColIndex(ACol), ARow);
    QString t;
    switch (GetTextType(s, true)) {
    case 1: t = HTMLStrip(s); break;
    case 2: t = RichTextToPlain(s); break;
    case 5: t = DecodeWideText(s); break;
    default:
        t = s;
        GetDisplText(RealColIndex(ACol), ARow, t);
        break;
    }
    int lead = 0;
    while (lead < t.size() && (t[lead] == u'\t' || t[lead] == u'\n' || t[lead] == u'\r')) ++lead;
    t = t.mid(lead);
    t.replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (t.size() > 2048) t = t.left(2045) + QStringLiteral("...");
    return t;
}

bool TAdvStringGrid::WMNotify(TMessage& m)
{
    auto* hdr = reinterpret_cast<TNMHdr*>(m.LParam);
    if (!hdr) return false;
    // A picker's change: the event, then the platform's handling.
    if (DateTimeChangeNotify(m)) return false;
    if (hdr->Code == TTN_SHOW || hdr->Code == TTN_POP) return true;
    if (hdr->Code != TTN_GETDISPINFO || !FBalloonSettings || !FBalloonSettings->Enable() || !FHToolTip
        || hdr->From != FHToolTip)
        return false;
    auto* info = reinterpret_cast<TToolTipDispInfo*>(m.LParam);
    const int b = BorderWidth();
    int col = -1, row = -1;
    MouseToCell(info->CursorPos.X - b, info->CursorPos.Y - b, col, row);
    info->Text.clear();
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return true;
    const TPoint base = BaseCell(col, row);
    QString title = QStringLiteral(" ");
    QString text = BalloonCellText(base.X, base.Y);
    TBalloonIcon icon = biNone;
    IsBalloon(base.X, base.Y, title, text, icon);
    if (OnCellBalloon) OnCellBalloon(this, base.X, base.Y, title, text, icon);
    FLastBalloonPos = base;
    if (title.size() > 100) title = title.left(97) + QStringLiteral("...");
    FHToolTip->SetMaxTipWidth(300);
    if (FBalloonSettings->TextColor() != clNone) FHToolTip->SetTipTextColor(FBalloonSettings->TextColor());
    if (FBalloonSettings->BackgroundColor() != clNone) FHToolTip->SetTipBkColor(FBalloonSettings->BackgroundColor());
    FHToolTip->SetTitle(title, TToolTipIcon(icon));
    info->Text = text;
    return true;
}
