#include "AdvWatch.h"

#include "AdvDropDownPaint.h"
#include "Clock.h"
#include "DateUtils.h"
#include "ExtCtrls.h"
#include "Messages.h"
#include "SysUtils.h"

#include <QRegion>

#include <cmath>
#include <numbers>

namespace {

const QString InvalidTimeText = QStringLiteral("Invalid time");

// Halves to the even neighbour (the default rounding mode).
int Nearest(double v)
{
    return int(std::nearbyint(v));
}

double Rad(double deg)
{
    return deg * std::numbers::pi / 180.0;
}

struct HMS {
    int h = 0, m = 0, s = 0, ms = 0;
};

HMS Split(TDateTime t)
{
    HMS r;
    DecodeTime(t, r.h, r.m, r.s, r.ms);
    return r;
}

// The same day with another time of day.
TDateTime WithTime(TDateTime day, int h, int m, int s, int ms)
{
    return ComposeDateTime(std::trunc(day), EncodeTime(h, m, s, ms));
}

}  // namespace

// ---------------------------------------------------------------------------
// Appearance and settings

TWatchAppearance::TWatchAppearance()
    : FHourFont(std::make_unique<TFont>()), FAMPMFont(std::make_unique<TFont>()),
      FPicture(std::make_unique<TPicture>())
{
    Reset();
    FPicture->OnChange = [this](TObject*) { Changed(); };
}

TWatchAppearance::~TWatchAppearance() = default;

void TWatchAppearance::Reset()
{
    FV = Values{};
    for (auto [f, size] : {std::pair{FHourFont.get(), 8}, std::pair{FAMPMFont.get(), 10}}) {
        f->SetName(QStringLiteral("Tahoma"));
        f->SetSize(size);
        f->SetColor(clWindowText);
        f->SetStyle({});
    }
}

void TWatchAppearance::Changed()
{
    if (OnChange) OnChange(this);
}

void TWatchAppearance::SetHourFont(TFont* v)
{
    FHourFont->Assign(v);
    Changed();
}

void TWatchAppearance::SetAMPMFont(TFont* v)
{
    FAMPMFont->Assign(v);
    Changed();
}

void TWatchAppearance::SetPicture(TPicture* v)
{
    FPicture->Assign(v);
    Changed();
}

void TWatchAppearance::Assign(TPersistent* Source)
{
    auto* a = dynamic_cast<TWatchAppearance*>(Source);
    if (!a) {
        TPersistent::Assign(Source);
        return;
    }
    // Everything is copied quietly; only the three written last through their
    // setters tell about a change.
    const Values old = FV;
    FV = a->FV;
    FV.CenterPointOuterBorderColor = old.CenterPointOuterBorderColor;
    FV.TickMarks = old.TickMarks;
    FV.HourMarkStyle = old.HourMarkStyle;
    FHourFont->Assign(a->FHourFont.get());
    FAMPMFont->Assign(a->FAMPMFont.get());
    auto picEvent = std::move(FPicture->OnChange);
    FPicture->Assign(a->FPicture.get());
    FPicture->OnChange = std::move(picEvent);
    SetCenterPointOuterBorderColor(a->FV.CenterPointOuterBorderColor);
    SetTickMarks(a->FV.TickMarks);
    SetHourMarkStyle(a->FV.HourMarkStyle);
}

void TWatchSettings::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TWatchSettings*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FSecond = s->FSecond;
    FTimeOffset = s->FTimeOffset;
    SetAuto(s->FAuto);
}

namespace {
template <class T> void StoreAndNotify(TObject* self, T& field, T v, const TNotifyEvent& ev)
{
    if (field == v) return;
    field = v;
    if (ev) ev(self);
}
}  // namespace

void TWatchSettings::SetAuto(bool v)
{
    StoreAndNotify(this, FAuto, v, OnChange);
}

void TWatchSettings::SetSecond(bool v)
{
    StoreAndNotify(this, FSecond, v, OnChange);
}

void TWatchSettings::SetTimeOffset(int v)
{
    StoreAndNotify(this, FTimeOffset, v, OnChange);
}

// ---------------------------------------------------------------------------
// The clock

TAdvWatch::TAdvWatch(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()), FCache(std::make_unique<TBitmap>())
{
    SetBounds(Left(), Top(), 180, 180);
    FCache->SetSize(ClientWidth(), ClientHeight());
    FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
    FSettings->OnChange = [this](TObject*) { SettingsChanged(); };
    FClockTimer = new TTimer(this);
    FClockTimer->SetEnabled(false);
    FClockTimer->SetInterval(100);
    FClockTimer->SetOnTimer([this](TObject*) { PaintHands(); });
    FAnimTimer = new TTimer(this);
    FAnimTimer->SetEnabled(false);
    FAnimTimer->SetInterval(1);
    FAnimTimer->SetOnTimer([this](TObject*) { AnimationTimerTick(); });
    FRollTimer = new TTimer(this);
    FRollTimer->SetEnabled(false);
    FRollTimer->SetInterval(10);
    FRollTimer->SetOnTimer([this](TObject*) { RollTimerTick(); });
}

TAdvWatch::~TAdvWatch()
{
    FRollTimer->SetEnabled(false);
    FAnimTimer->SetEnabled(false);
    FClockTimer->SetEnabled(false);
}

void TAdvWatch::AppearanceChanged()
{
    InvalidateFace();
}

void TAdvWatch::InvalidateFace()
{
    FFaceValid = false;
    Invalidate();
}

bool TAdvWatch::Animating() const
{
    return FAnimTimer->Enabled();
}

void TAdvWatch::SetShowAMPM(bool v)
{
    if (v == FShowAMPM) return;
    FShowAMPM = v;
    InvalidateFace();
}

void TAdvWatch::SetShowNumbers(bool v)
{
    if (v == FShowNumbers) return;
    FShowNumbers = v;
    InvalidateFace();
}

TRect TAdvWatch::GetFaceRect() const
{
    const int w = ClientWidth(), h = ClientHeight();
    const int size = FAppearance->Size();
    const int s = size > 0 ? std::min({size, h, w}) : std::min(w, h) - 20;
    const int l = (w - s) / 2, t = (h - s) / 2;
    return TRect(l, t, l + s, t + s);
}

TPoint TAdvWatch::GetCenterPoint() const
{
    const TRect f = GetFaceRect();
    return TPoint(f.Left + (f.Right - f.Left) / 2, f.Top + (f.Bottom - f.Top) / 2);
}

double TAdvWatch::GetRadius() const
{
    const TRect f = GetFaceRect();
    return double((f.Right - f.Left) / 2);
}

TRect TAdvWatch::GetAMPMRect() const
{
    if (!FShowAMPM) return TRect(-1, -1, -1, -1);
    TBitmap measure(1, 1);
    measure.Canvas()->SetFont(FAppearance->AMPMFont());
    const TSize ext = measure.Canvas()->TextExtent(QStringLiteral("AM"));
    const TPoint c = GetCenterPoint();
    const int w = ext.cx + 8;
    const int left = c.X - w / 2;
    const int top = c.Y + Nearest((GetRadius() - ext.cy) / 3);
    return TRect(left, top, left + w, top + ext.cy);
}

int TAdvWatch::MinuteAtPoint(int X, int Y) const
{
    const TPoint c = GetCenterPoint();
    double dy = std::abs(c.Y - Y), dx = std::abs(c.X - X);
    if (dy == 0) dy = 1;
    if (dx == 0) dx = 1;
    const int f = Nearest(std::atan(dy / dx) * 180.0 / std::numbers::pi / 6);
    int r;
    if (X >= c.X && Y >= c.Y)
        r = 15 + f;
    else if (X <= c.X && Y >= c.Y)
        r = 45 - f;
    else if (X <= c.X && Y <= c.Y)
        r = 45 + f;
    else
        r = 15 - f;
    return r < 0 || r > 59 ? 0 : r;
}

int TAdvWatch::HourAtPoint(int X, int Y) const
{
    const int c = Nearest(MinuteAtPoint(X, Y) / 5.0);
    if (c == 0) return FAM ? 0 : 12;
    const int h = FAM ? c : c + 12;
    return h == 24 ? 0 : h;
}

TDateTime TAdvWatch::GetDisplayTime()
{
    if (!FSettings->Auto()) return FTime;
    const TDateTime t = Now() + FSettings->TimeOffset() / 1440.0;
    FInternalSet = true;
    SetAM(Split(t).h < 12);
    FInternalSet = false;
    return t;
}

void TAdvWatch::StoreTime(TDateTime v)
{
    if (v == FTime) return;
    FTime = v;
    FInternalSet = true;
    SetAM(Split(v).h < 12);
    FInternalSet = false;
}

void TAdvWatch::SetTime(TDateTime v)
{
    if (v == FTime) return;
    StoreTime(v);
    PaintHands();
}

void TAdvWatch::SetAM(bool v)
{
    if (v == FAM) return;
    FAM = v;
    if (FAnimation && FShowAMPM && FAppearance->AMPMColor() != clNone && !FInternalSet) StartRoll(v);
    // The box is part of the cached face: redraw it all.
    InvalidateFace();
}

// The roll shows the box's text sliding to the new half. It runs on a timer,
// one frame per 10 ms, so the program never waits for it; a new roll
// replaces a running one.
void TAdvWatch::StartRoll(bool ToAM)
{
    const TWatchAppearance& a = *FAppearance;
    const TRect b = GetAMPMRect();
    const int W = b.Width() - 2, H = b.Height() - 2;
    if (W <= 0 || H <= 0) return;
    if (!FRollStrip) FRollStrip = std::make_unique<TBitmap>();
    FRollStrip->SetSize(W, 2 * H);
    TCanvas* C = FRollStrip->Canvas();
    C->Brush()->SetColor(a.AMPMColor());
    C->FillRect(TRect(0, 0, W, 2 * H));
    C->Brush()->SetStyle(bsClear);
    C->SetFont(a.AMPMFont());
    TRect upper(0, 0, W, H), lower(0, H, W, 2 * H);
    C->DrawText(QStringLiteral("AM"), upper, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->DrawText(QStringLiteral("PM"), lower, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->Brush()->SetStyle(bsSolid);
    FRollOffset = ToAM ? H : 0;
    FRollStep = ToAM ? -1 : 1;
    FRollFramesLeft = H;
    FRollTimer->SetEnabled(false);
    FRollTimer->SetEnabled(true);
}

void TAdvWatch::RollTimerTick()
{
    if (FRollFramesLeft <= 0) {
        FRollTimer->SetEnabled(false);
        return;
    }
    FRollOffset += FRollStep;
    if (--FRollFramesLeft == 0) FRollTimer->SetEnabled(false);
    // The last step ends the roll: the full paint shows the new half.
    Invalidate();
}

void TAdvWatch::SettingsChanged()
{
    FClockTimer->SetEnabled(FSettings->Auto());
    if (FSettings->Auto()) SetTime(Now());
    InvalidateFace();
}

void TAdvWatch::SetHour(uint8_t V)
{
    const HMS t = Split(GetDisplayTime());
    if (V == t.h) return;
    if (FAnimation && !FInternalCall && !(ComponentState() & csLoading)) {
        FHourTarget = V;
        FHourAnimating = true;
        FAnimTimer->SetEnabled(true);
        return;
    }
    StoreTime(WithTime(FTime, V, t.m, t.s, t.ms));
    PaintHands();
    if (V == FHourTarget && OnChange) OnChange(this);
}

void TAdvWatch::SetMinute(uint8_t V)
{
    if (V >= 60) throw Exception(InvalidTimeText);
    const HMS t = Split(GetDisplayTime());
    if (V == t.m) return;
    if (FAnimation && !FInternalCall && !(ComponentState() & csLoading)) {
        FMinuteTarget = V;
        FHourAnimating = false;
        FStartMinute = uint8_t(t.m);
        FAnimTimer->SetEnabled(true);
        return;
    }
    if (!FAnimation) FStartMinute = uint8_t(t.m);
    int h = t.h;
    if (V == 0 && FStartMinute > 30) {
        h = (h + 1) % 24;
        FStartMinute = 0;
    }
    StoreTime(WithTime(FTime, h, V, t.s, t.ms));
    PaintHands();
    if (V == FMinuteTarget && OnChange) OnChange(this);
}

void TAdvWatch::AnimationTimerTick()
{
    if (!FAnimation || (ComponentState() & csLoading)) return;
    const HMS t = Split(GetDisplayTime());
    FInternalCall = true;
    if (FHourAnimating) {
        const int target = FHourTarget;
        int step = Nearest(std::abs(target - t.h) / double(FAnimationFactor));
        if (std::abs(t.h - target) < 1) {
            SetHour(uint8_t(target));
            FAnimTimer->SetEnabled(false);
        } else {
            step = std::max(step, 1);
            SetHour(uint8_t(t.h < target ? t.h + step : t.h - step));
        }
    } else {
        const int target = FMinuteTarget;
        const bool forwardThroughZero = target == 0 && t.m > 30;
        int step = Nearest((forwardThroughZero ? 60 - t.m : std::abs(target - t.m)) / double(FAnimationFactor));
        if (std::abs(t.m - target) < 1) {
            SetMinute(uint8_t(target));
            FAnimTimer->SetEnabled(false);
        } else {
            step = std::max(step, 1);
            int m = (t.m < target || forwardThroughZero) ? t.m + step : t.m - step;
            if (m >= 60) m = 0;
            SetMinute(uint8_t(m));
        }
    }
    FInternalCall = false;
}

void TAdvWatch::HandleKey(Word Key)
{
    if (FSettings->Auto()) return;
    const HMS t = Split(GetDisplayTime());
    auto internalHour = [this](int h) {
        FInternalCall = true;
        SetHour(uint8_t(h));
        FInternalCall = false;
    };
    switch (Key) {
    case 0x41:
    case 0x61:
        if (t.h > 11) SetHour(uint8_t(t.h - 12));
        break;
    case 0x50:
    case 0x70:
        if (t.h < 12) SetHour(uint8_t(t.h + 12));
        break;
    case VK_PRIOR:
        if (t.h + 1 <= 23)
            SetHour(uint8_t(t.h + 1));
        else
            internalHour(0);
        break;
    case VK_NEXT:
        if (t.h > 0)
            SetHour(uint8_t(t.h - 1));
        else
            internalHour(23);
        break;
    case VK_HOME:
        internalHour(12);
        break;
    case VK_END:
        SetMinute(0);
        break;
    case VK_LEFT:
        if (t.m > 0)
            SetMinute(uint8_t(t.m - 1));
        else
            SetTime(WithTime(FTime, t.h == 0 ? 23 : t.h - 1, 59, t.s, t.ms));
        break;
    case VK_RIGHT:
        SetMinute(uint8_t(t.m + 1 < 60 ? t.m + 1 : 0));
        break;
    default:
        break;
    }
}

void TAdvWatch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FSettings->Auto()) return;
    const TRect f = GetFaceRect();
    if (!QRegion(f.ToQRect(), QRegion::Ellipse).contains(QPoint(X, Y))) {
        SetMinute(uint8_t(MinuteAtPoint(X, Y)));
        return;
    }
    const TRect b = GetAMPMRect();
    if (X >= b.Left && X < b.Right && Y >= b.Top && Y < b.Bottom) {
        if (FAnimation) SetAM(!FAM);
        const int h = Split(GetDisplayTime()).h;
        FInternalCall = true;
        SetHour(uint8_t(h < 12 ? h + 12 : h - 12));
        FInternalCall = false;
        return;
    }
    SetHour(uint8_t(HourAtPoint(X, Y)));
}

void TAdvWatch::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const TRect b = GetAMPMRect();
    SetCursor(X >= b.Left && X < b.Right && Y >= b.Top && Y < b.Bottom ? crHandPoint : crDefault);
}

// ---------------------------------------------------------------------------
// Painting

void TAdvWatch::Paint()
{
    PaintAll();
}

void TAdvWatch::PaintAll()
{
    const TRect r = ClientRect();
    // The face is drawn again only when something it shows changed; a tick
    // of the clock or a glide step copies it and draws the hands.
    // The box colours are plain stores that notify nobody: they are compared.
    const TWatchAppearance& a = *FAppearance;
    const bool same = FFaceValid && FCache->Width() == r.Width() && FCache->Height() == r.Height()
                      && FFaceColors == std::array<TColor, 3>{Color(), a.AMPMColor(), a.AMPMBorderColor()};
    if (!same) {
        FCache->SetSize(r.Width(), r.Height());
        FCache->Canvas()->Brush()->SetColor(Color());
        FCache->Canvas()->FillRect(r);
        DrawBackground(FCache->Canvas(), r);
        DrawTickMarks(FCache->Canvas());
        DrawNumbers(FCache->Canvas());
        DrawAMPM(FCache->Canvas());
        FFaceValid = true;
        FFaceColors = {Color(), a.AMPMColor(), a.AMPMBorderColor()};
    }
    Canvas()->Draw(0, 0, FCache.get());
    if (Rolling()) DrawRollFrame(Canvas());
    DrawHands(Canvas());
}

void TAdvWatch::DrawRollFrame(TCanvas* C)
{
    const TWatchAppearance& a = *FAppearance;
    const TRect b = GetAMPMRect();
    const int W = FRollStrip->Width(), H = FRollStrip->Height() / 2;
    const TRect inner(b.Left + 1, b.Top + 1, b.Left + 1 + W, b.Top + 1 + H);
    C->CopyRect(inner, FRollStrip->Canvas(), TRect(0, FRollOffset, W, FRollOffset + H));
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetColor(a.AMPMBorderColor());
    C->Pen()->SetWidth(1);
    if (a.AMPMFrame() == apRect)
        C->Rectangle(b);
    else
        C->RoundRect(b, 5, 5);
    C->Brush()->SetStyle(bsSolid);
}

void TAdvWatch::PaintHands()
{
    // Outside a paint cycle the face is cached: ask for a repaint that uses it.
    Invalidate();
}

void TAdvWatch::DrawBackground(TCanvas* C, const TRect& R)
{
    const TWatchAppearance& a = *FAppearance;
    const TRect face = GetFaceRect();
    const TRect F = a.Shape() == wsCircle ? face : R;
    const QRect box(F.Left - 1, F.Top - 1, F.Width() + 3, F.Height() + 3);
    if (a.Shape() == wsCircle) C->SelectClipRegion(QRegion(box, QRegion::Ellipse));
    if (a.Shape() == wsRoundRect) {
        QRegion rgn(box.adjusted(10, 0, -10, 0));
        rgn += QRegion(box.adjusted(0, 10, 0, -10));
        for (QPoint p : {box.topLeft(), QPoint(box.right() - 19, box.top()), QPoint(box.left(), box.bottom() - 19),
                         QPoint(box.right() - 19, box.bottom() - 19)})
            rgn += QRegion(QRect(p, QSize(20, 20)), QRegion::Ellipse);
        C->SelectClipRegion(rgn);
    }
    if (a.BackgroundColor() != clNone && a.BackgroundColorTo() != clNone)
        DrawDropDownGradient(C, a.BackgroundColor(), a.BackgroundColorTo(), 80, F,
                             a.BackgroundGradient() == wgRadial);
    else if (a.BackgroundColor() != clNone) {
        C->Brush()->SetColor(a.BackgroundColor());
        C->FillRect(F);
    }
    if (a.BorderColor() != clNone && a.BorderWidth() > 0) {
        C->Pen()->SetColor(a.BorderColor());
        C->Pen()->SetWidth(a.BorderWidth());
        C->Brush()->SetStyle(bsClear);
        if (a.Shape() == wsCircle)
            C->Ellipse(F);
        else if (a.Shape() == wsRect)
            C->Rectangle(R);
        else
            C->RoundRect(R, 20, 20);
        C->Brush()->SetStyle(bsSolid);
    }
    C->ClearClip();
    if (a.Picture()->Graphic() && !a.Picture()->Graphic()->Empty()) C->Draw(0, 0, a.Picture()->Graphic());
}

void TAdvWatch::DrawTickMarks(TCanvas* C)
{
    const TWatchAppearance& a = *FAppearance;
    if (a.TickMarks() == tmNone) return;
    const TPoint c = GetCenterPoint();
    const double ro = GetRadius() - a.BorderWidth() / 2;
    auto mark = [&](double deg, double r1, double r2, int dx, int dy) {
        const double th = Rad(deg);
        C->MoveTo(Nearest(c.X + std::cos(th) * r1) + dx, Nearest(c.Y + std::sin(th) * r1) + dy);
        C->LineTo(Nearest(c.X + std::cos(th) * r2) + dx, Nearest(c.Y + std::sin(th) * r2) + dy);
    };
    const double ri = a.HourMarkLength() > 0 ? ro - a.HourMarkLength() : 0.9 * ro;
    C->Pen()->SetColor(a.HourColor());
    C->Pen()->SetWidth(a.HourMarkWidth());
    for (int q = 0; q < 4; ++q) {
        if (a.HourMarkStyle() == hmsQuartDblLine) {
            const bool horizontal = q % 2 == 0;
            for (int d : {-2, 2}) mark(90.0 * q, ri, ro, horizontal ? 0 : d, horizontal ? d : 0);
        } else {
            mark(90.0 * q, ri, ro, 0, 0);
        }
    }
    if (a.TickMarks() == tmAll || a.TickMarks() == tmHours)
        for (int i = 1; i <= 11; ++i)
            if (i % 3 != 0) mark(30.0 * i, ri, ro, 0, 0);
    if (a.TickMarks() != tmAll) return;
    const double rm = a.MinuteMarkLength() > 0 ? ro - a.MinuteMarkLength() : 0.95 * ro;
    C->Pen()->SetColor(a.MinuteColor());
    C->Pen()->SetWidth(a.MinuteMarkWidth());
    for (int i = 0; i < 60; ++i)
        if (i % 5 != 0) mark(6.0 * i, rm, ro, 0, 0);
}

void TAdvWatch::DrawNumbers(TCanvas* C)
{
    const TWatchAppearance& a = *FAppearance;
    if (!FShowNumbers || a.TickMarks() == tmNone || a.TickMarks() == tmHours) return;
    const TPoint c = GetCenterPoint();
    const double ro = GetRadius() - a.BorderWidth() / 2;
    const int L = a.HourMarkLength() > 0 ? a.HourMarkLength() : Nearest(ro - 0.9 * ro) + 2;
    const double rn = ro - 2 * L - 2;
    C->SetFont(a.HourFont());
    C->Brush()->SetStyle(bsClear);
    for (int i = 1; i <= 12; ++i) {
        if (a.TickMarks() == tmQuartHours && i % 3 != 0) continue;
        const QString text = QString::number(i);
        const TSize ext = C->TextExtent(text);
        const int d = i == 10 ? Nearest(ext.cy * 0.2) : i == 11 ? Nearest(ext.cy * 0.15) : 0;
        const double r = rn - d + L / 2;
        const double A = Rad(30.0 * i);
        const int x0 = c.X + 1 + Nearest(std::sin(A) * r), y0 = c.Y + 1 - Nearest(std::cos(A) * r);
        const TRect sq(x0 - L / 2, y0 - L / 2, x0 + L / 2, y0 + L / 2);
        C->TextOut(sq.Right - sq.Width() / 2 - ext.cx / 2 - 1, sq.Bottom - sq.Height() / 2 - ext.cy / 2 - 1, text);
    }
    C->Brush()->SetStyle(bsSolid);
}

void TAdvWatch::DrawAMPM(TCanvas* C)
{
    const TWatchAppearance& a = *FAppearance;
    if (!FShowAMPM) return;
    TRect b = GetAMPMRect();
    if (a.AMPMColor() == clNone)
        C->Brush()->SetStyle(bsClear);
    else
        C->Brush()->SetColor(a.AMPMColor());
    C->Pen()->SetColor(a.AMPMBorderColor());
    C->Pen()->SetWidth(1);
    if (a.AMPMColor() != clNone || a.AMPMBorderColor() != clNone) {
        if (a.AMPMFrame() == apRect)
            C->Rectangle(b);
        else
            C->RoundRect(b, 5, 5);
    }
    C->Brush()->SetStyle(bsClear);
    C->SetFont(a.AMPMFont());
    C->DrawText(FAM ? QStringLiteral("AM") : QStringLiteral("PM"), b, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->Brush()->SetStyle(bsSolid);
}

void TAdvWatch::DrawHands(TCanvas* C)
{
    const TWatchAppearance& a = *FAppearance;
    const HMS t = Split(GetDisplayTime());
    const int h = t.h % 12;
    const double ah = 30.0 * h + (t.m / 12.0) * 6.0, am = 6.0 * t.m, as = 6.0 * t.s;
    const TPoint c = GetCenterPoint();
    const double R = GetRadius();
    auto at = [&](double deg, double k, int dx = 0, int dy = 0) {
        const double A = Rad(deg);
        return TPoint(Nearest(c.X + k * R * std::sin(A) + dx), Nearest(c.Y - k * R * std::cos(A) + dy));
    };
    auto line = [&](TColor col, int width, double deg, double k0, double k1, int dx, int dy) {
        C->Pen()->SetColor(col);
        C->Pen()->SetWidth(width);
        const TPoint p0 = at(deg, k0, dx, dy), p1 = at(deg, k1, dx, dy);
        C->MoveTo(p0.X, p0.Y);
        C->LineTo(p1.X, p1.Y);
    };
    auto pointer = [&](TColor col, double deg, double k, int dx, int dy) {
        C->Pen()->SetColor(col);
        C->Pen()->SetWidth(1);
        C->Brush()->SetColor(col);
        C->Polygon({at(deg, -0.1, dx, dy), at(deg + 90, -0.05, dx, dy), at(deg, k, dx, dy), at(deg - 90, -0.05, dx, dy)});
    };
    // The thin-line and arrow styles draw as plain lines.
    if (a.PointerStyle() == psPointer) {
        if (a.HourPointerShadow() != clNone) pointer(a.HourPointerShadow(), ah, 0.5, 1, 3);
        pointer(a.HourPointer(), ah, 0.5, 0, 0);
        if (a.MinutePointerShadow() != clNone) pointer(a.MinutePointerShadow(), am, 0.7, 1, 3);
        pointer(a.MinutePointer(), am, 0.7, 0, 0);
    } else {
        if (a.HourPointerShadow() != clNone) line(a.HourPointerShadow(), a.HourPointerSize(), ah, -0.1, 0.46, -1, 3);
        if (a.MinutePointerShadow() != clNone)
            line(a.MinutePointerShadow(), a.MinutePointerSize(), am, -0.1, 0.65, 0, 3);
        line(a.HourPointer(), a.HourPointerSize(), ah, -0.1, 0.5, 0, 0);
        line(a.MinutePointer(), a.MinutePointerSize(), am, -0.1, 0.7, 0, 0);
    }
    if (FSettings->Auto() && FSettings->Second()) line(a.SecondPointer(), a.SecondPointerSize(), as, -0.2, 0.9, 0, 0);
    const int S = a.CenterPointSize();
    if (S <= 0) return;
    auto box = [&](int side) {
        const int x = Nearest(c.X - side / 2.0), y = Nearest(c.Y - side / 2.0);
        return TRect(x, y, x + side, y + side);
    };
    if (a.CenterPointColor() != clNone) {
        C->Pen()->SetColor(a.CenterPointColor());
        C->Pen()->SetWidth(1);
        C->Brush()->SetColor(a.CenterPointColor());
        C->Ellipse(box(S));
    }
    C->Brush()->SetStyle(bsClear);
    int V = 0;
    if (a.CenterPointOuterBorderColor() != clNone) {
        V = Nearest(S * 0.2);
        C->Pen()->SetColor(a.CenterPointOuterBorderColor());
        C->Pen()->SetWidth(V);
        C->Ellipse(box(S));
    }
    if (a.CenterPointBorderColor() != clNone) {
        C->Pen()->SetColor(a.CenterPointBorderColor());
        C->Pen()->SetWidth(Nearest(S * 0.1));
        C->Ellipse(box(S - V));
    }
    C->Brush()->SetStyle(bsSolid);
}
