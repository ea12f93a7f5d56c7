#include "asgspin.h"

#include "AdvUtil.h"
#include "AdvXPVS.h"
#include "Beep.h"
#include "Clock.h"
#include "DateUtils.h"
#include "FormatSettings.h"
#include "Forms.h"
#include "GraphUtils.h"
#include "OsProfile.h"
#include "Resources.h"
#include "SysFormat.h"

#include <QBuffer>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <cmath>

namespace {

// Error texts of the unit.
const char* const SYearStepFailed = "The date %1 cannot be moved by a year: that day does not exist in the new year.";
const char* const STimeStepFailed = "The time cannot be stepped by %1 hours, %2 minutes and %3 seconds.";

const char* const UpGlyphName = "AsgSpinUp";
const char* const DownGlyphName = "AsgSpinDown";

FormatSettings Regional()
{
    return DefaultFormatSettings();
}

// The 1-based position of Sub in S at or after the 1-based From; 0 when none.
int PosFrom(QChar Sub, const QString& S, int From)
{
    if (From < 1) From = 1;
    int i = S.indexOf(Sub, From - 1);
    return i < 0 ? 0 : i + 1;
}

void RegisterSpinGlyphs()
{
    static bool done = false;
    if (done) return;
    done = true;
    for (bool up : {true, false})
        RegisterResource(QString::fromLatin1(up ? UpGlyphName : DownGlyphName), SpinGlyphImage(up));
}

}  // namespace

// ---------------------------------------------------------------- value model

int SpinReadValue(const QString& Text, int MinValue)
{
    const QString t = Text.trimmed();
    if (t.isEmpty()) return 0;
    return StrToIntDef(t, MinValue);
}

double SpinReadFloat(const QString& Text, double MinFloatValue)
{
    double v;
    return TryStrToFloat(Text, v, Regional()) ? v : MinFloatValue;
}

TDateTime SpinReadDate(const QString& Text, TDateTime MinDateValue)
{
    if (Text == QLatin1String("0") || Text.isEmpty()) return Now();
    TDateTime v;
    return TryStrToDate(Text, v, Regional()) ? v : MinDateValue;
}

TDateTime SpinReadTime(const QString& Text)
{
    TDateTime v;
    return TryStrToTime(Text, v, Regional()) ? v : 0;
}

QString SpinFloatText(double Value, int Precision)
{
    const FormatSettings fs = Regional();
    if (Precision != 0) return Format(QStringLiteral("%.") + QString::number(Precision) + QStringLiteral("f"), {Value}, fs);
    return FloatToStr(Value, fs);
}

QString SpinTimeText(TDateTime Value, bool ShowSeconds)
{
    const FormatSettings fs = Regional();
    if (ShowSeconds) return TimeToStr(Value, fs);
    return FormatDateTime(QStringLiteral("h:nn"), Value, fs);
}

bool SpinMonthFirst(const QString& ShortDateFormat)
{
    const QString f = ShortDateFormat.toUpper();
    const int m = f.indexOf(QLatin1Char('M')), d = f.indexOf(QLatin1Char('D'));
    return m >= 0 && (d < 0 || m < d);
}

TSpinDateField SpinDateFieldAt(const QString& Text, int Caret, bool MonthFirst)
{
    const QChar sep = Regional().DateSeparator;
    const int p1 = PosFrom(sep, Text, 1);
    const int p2 = p1 > 0 ? PosFrom(sep, Text, p1 + 1) : 0;
    if (MonthFirst) {
        if (Caret < p1) return sdfMonth;
        if (Caret < p2) return sdfDay;
        return sdfYear;
    }
    if (Caret < p1) return sdfDay;
    if (Caret < p2) return sdfMonth;
    return sdfYear;
}

TDateTime SpinStepDate(TDateTime Value, TSpinDateField Field, bool Up)
{
    const int d = Up ? 1 : -1;
    switch (Field) {
    case sdfDay: return Value + d;
    case sdfMonth: return IncMonth(Value, d);
    case sdfYear:
        try {
            return AddYears(Value, d);
        } catch (const EConvertError&) {
            throw Exception(QString::fromLatin1(SYearStepFailed).arg(DateToStr(Value, Regional())));
        }
    }
    return Value;
}

TDateTime SpinStepTime(TDateTime Value, const QString& Text, int Caret, bool Up, bool ShowSeconds, int IncrementHours,
                       int IncrementMinutes, int IncrementSeconds)
{
    const QChar sep = Regional().TimeSeparator;
    const int t1 = PosFrom(sep, Text, 1);
    const int t2 = PosFrom(sep, Text, t1 + 1);
    int h = 0, m = 0, s = 0;
    if (Caret < t1)
        h = uint16_t(IncrementHours);
    else if (ShowSeconds && Caret >= t2)
        s = uint16_t(IncrementSeconds);
    else
        m = uint16_t(IncrementMinutes);
    TDateTime step;
    if (!TryEncodeTime(h, m, s, 0, step))
        throw Exception(QString::fromLatin1(STimeStepFailed).arg(h).arg(m).arg(s));
    if (Up) return Value + step;
    TDateTime v = Value + 1 - step;
    if (v > 1) v -= 1;
    return v;
}

bool SpinIsValidChar(const TSpinCharInput& In)
{
    const FormatSettings fs = Regional();
    const QChar key = In.Key;
    const QChar dec = fs.DecimalSeparator, thou = fs.ThousandSeparator;
    const QChar ts = fs.TimeSeparator, ds = fs.DateSeparator;
    const QChar minus = QLatin1Char('-'), plus = QLatin1Char('+');
    const ushort code = key.unicode();
    if (code == 8) return In.EditorEnabled;

    bool ok = key == dec || key == thou || key == ts || key == ds || IsDigitChar(key) || key == minus
              || (code < 32 && code != 13);
    // A separator of another type stays only where it doubles as a number
    // character of integer and float texts.
    auto foreignSeparator = [&](QChar sep) {
        if (sep == dec || sep == thou || sep == minus || sep == plus)
            ok = ok && (In.Type == sptNormal || In.Type == sptFloat);
        else
            ok = false;
    };
    if (key == ts && In.Type != sptTime) foreignSeparator(ts);
    if (key == ds && In.Type != sptDate) foreignSeparator(ds);

    const QString sel = In.Text.mid(In.SelStart, In.SelLength);
    if (key == minus) {
        if (!In.Text.contains(minus))
            ok = In.SelStart == 0;
        else
            ok = sel.contains(minus) && In.SelStart == 0;
    }
    if (In.Type == sptNormal) ok = ok && (IsDigitChar(key) || key == minus);
    if (In.Type == sptFloat && code != 27 && code != 13 && code != 8) {
        if (key == thou) ok = false;
        if (key == dec && In.Text.contains(dec) && !sel.contains(dec)) ok = false;
        if (In.Precision > 0) {
            const int p = In.Text.indexOf(dec) + 1;
            if (p > 0 && In.SelStart >= p && In.SelLength == 0 && In.Text.length() >= p + In.Precision) ok = false;
        }
    }
    if (In.Type == sptTime && key == ts && In.Text.count(ts) >= 2) ok = false;
    if (!In.EditorEnabled) ok = ok && code < 32;
    return ok;
}

// ---------------------------------------------------------------- arrow buttons

QImage SpinGlyphImage(bool Up)
{
    QImage img(9, 6, QImage::Format_RGB32);
    img.fill(qRgb(128, 128, 0));
    const int widths[] = {1, 3, 5, 7};
    for (int i = 0; i < 4; ++i) {
        const int row = Up ? 1 + i : 4 - i;
        for (int x = 4 - i; x <= 4 + i; ++x) img.setPixel(x, row, qRgb(0, 0, 0));
        (void)widths;
    }
    return img;
}

void SpinArrowRects(TSpinDirection Direction, int Width, int Height, TRect& Up, TRect& Down)
{
    if (Direction == spVertical) {
        const int upH = Height / 2;
        Up = Bounds(0, 0, Width, upH);
        Down = Bounds(0, upH - 1, Width, Height - upH + 1);
    } else {
        Down = Bounds(0, 0, Width / 2, Height);
        Up = Bounds(Width / 2 + 1, 0, Width / 2, Height);
    }
}

TAdvTimerSpeedButton::TAdvTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TAdvTimerSpeedButton::SetButtonDirection(TButtonDirection v)
{
    FButtonDirection = v;
    Invalidate();
}

void TAdvTimerSpeedButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    Invalidate();
}

TAsgSpinButton* TAdvTimerSpeedButton::SpinButton() const
{
    return dynamic_cast<TAsgSpinButton*>(Parent());
}

void TAdvTimerSpeedButton::StopTimer()
{
    KillTimer(1);
    FRepeatInterval = 0;
}

void TAdvTimerSpeedButton::WndProc(TMessage& Message)
{
    // Moving the focus on a press must not end the press itself.
    if (Message.Msg == WM_CANCELMODE && FMovingFocus) return;
    TSpeedButton::WndProc(Message);
}

void TAdvTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft)
        if (TAsgSpinButton* sb = SpinButton()) {
            FMovingFocus = true;
            try {
                sb->BtnMouseDown(this);
            } catch (...) {
                FMovingFocus = false;
                throw;
            }
            FMovingFocus = false;
            if (!MouseCapture()) SetMouseCapture(true);
        }
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (FTimeBtnState.Contains(tbAllowTimer) && Button == mbLeft) {
        FRepeatInterval = 400;
        SetTimer(1, 400);
    }
    if (Parent()) Parent()->Invalidate();
}

void TAdvTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    StopTimer();
    if (Parent()) Parent()->Invalidate();
}

void TAdvTimerSpeedButton::TimerTick(unsigned id)
{
    if (id == 1) TimerExpired();
}

void TAdvTimerSpeedButton::TimerExpired()
{
    FRepeatInterval = 100;
    SetTimer(1, 100);
    if (FPressed && MouseCapture()) {
        try {
            Click();
        } catch (...) {
            // A failing step must not repeat its message on every tick.
            StopTimer();
            throw;
        }
    }
}

void TAdvTimerSpeedButton::MouseEnter()
{
    FHasMouse = true;
    Invalidate();
    TSpeedButton::MouseEnter();
}

void TAdvTimerSpeedButton::MouseLeave()
{
    FHasMouse = false;
    Invalidate();
    TSpeedButton::MouseLeave();
}

void TAdvTimerSpeedButton::Paint()
{
    TAsgSpinButton* sb = SpinButton();
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    const bool pressed = State() == bsDown;
    if (sb && sb->ButtonColor() != clNone) {
        const TDropButtonColors& k = sb->ButtonColors();
        TColor fill = k.Color;
        if (pressed && k.ColorDown != clNone)
            fill = k.ColorDown;
        else if (!pressed && FHasMouse && k.ColorHot != clNone)
            fill = k.ColorHot;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fill);
        c->Pen()->SetColor(fill);
        c->Rectangle(r);
        c->Brush()->SetColor(clBlack);
        c->Pen()->SetColor(clBlack);
        const int x = r.Left, y = r.Top;
        switch (FButtonDirection) {
        case bdLeft: c->Polygon({TPoint(x + 5, y + 5), TPoint(x + 3, y + 7), TPoint(x + 5, y + 9)}); break;
        case bdRight: c->Polygon({TPoint(x + 3, y + 5), TPoint(x + 5, y + 7), TPoint(x + 3, y + 9)}); break;
        case bdUp: c->Polygon({TPoint(x + 4, y + 4), TPoint(x + 8, y + 4), TPoint(x + 6, y + 2)}); break;
        case bdDown: c->Polygon({TPoint(x + 4, y + 2), TPoint(x + 8, y + 2), TPoint(x + 6, y + 4)}); break;
        }
        return;
    }
    TThemeEntries& t = AdvXPVS::Theme;
    if (FIsWinXP && t.OpenThemeData && t.DrawThemeBackground) {
        if (HTHEME h = t.OpenThemeData(sb, QStringLiteral("spin"))) {
            static const int parts[] = {SPNP_DOWNHORZ, SPNP_UPHORZ, SPNP_UP, SPNP_DOWN};
            const int state = pressed ? UPS_PRESSED : FHasMouse ? UPS_HOT : UPS_NORMAL;
            t.DrawThemeBackground(h, c, parts[FButtonDirection], state, r, nullptr);
            if (t.CloseThemeData) t.CloseThemeData(h);
            return;
        }
    }
    if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
        unsigned s = FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
        if (pressed) s |= DFCS_PUSHED;
        if (Flat()) s |= DFCS_FLAT;
        TRect fr = r;
        DrawFrameControl(c, fr, DFC_SCROLL, s);
        return;
    }
    TSpeedButton::Paint();
}

TAsgSpinButton::TAsgSpinButton(TComponent* AOwner) : TWinControl(AOwner)
{
    RegisterSpinGlyphs();
    SetControlStyle((ControlStyle() & ~unsigned(csAcceptsControls | csSetCaption)) | csOpaque);
    FColors.BorderColor = 0;
    FUpButton = CreateButton(bdUp);
    FDownButton = CreateButton(bdDown);
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    FFocusedButton = FUpButton;
    SetWantKeys(DLGC_WANTARROWS);
    SetBounds(0, 0, 15, 25);
}

TAdvTimerSpeedButton* TAsgSpinButton::CreateButton(TButtonDirection d)
{
    auto* b = new TAdvTimerSpeedButton(this);
    b->SetParent(this);
    b->SetButtonDirection(d);
    b->SetTimeBtnState(TTimeBtnState{tbAllowTimer});
    b->OnClick = [this, b](TObject*) { BtnClick(b); };
    return b;
}

void TAsgSpinButton::SetDirection(TSpinDirection v)
{
    if (FDirection == v) return;
    FDirection = v;
    if (v == spHorizontal) {
        SetWidth(20);
        FUpButton->SetButtonDirection(bdRight);
        FDownButton->SetButtonDirection(bdLeft);
    } else {
        SetWidth(15);
        FUpButton->SetButtonDirection(bdUp);
        FDownButton->SetButtonDirection(bdDown);
    }
    AdjustButtonSize();
}

void TAsgSpinButton::SetUpGlyph(TBitmap* v)
{
    if (v) {
        FUpButton->SetGlyph(v);
    } else {
        FUpButton->Glyph()->LoadFromResourceName(QString::fromLatin1(UpGlyphName));
        FUpButton->SetNumGlyphs(1);
        FUpButton->Invalidate();
    }
}

void TAsgSpinButton::SetDownGlyph(TBitmap* v)
{
    if (v) {
        FDownButton->SetGlyph(v);
    } else {
        FDownButton->Glyph()->LoadFromResourceName(QString::fromLatin1(DownGlyphName));
        FDownButton->SetNumGlyphs(1);
        FDownButton->Invalidate();
    }
}

void TAsgSpinButton::SetFocusControl(TWinControl* v)
{
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = v;
    if (v) v->FreeNotification(this);
}

void TAsgSpinButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TAsgSpinButton::SetWinXPLook(bool Value)
{
    FIsWinXP = Value;
    FUpButton->SetIsWinXP(Value);
    FDownButton->SetIsWinXP(Value);
}

void TAsgSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    AdjustButtonSize();
}

void TAsgSpinButton::Loaded()
{
    TWinControl::Loaded();
    AdjustButtonSize();
}

void TAsgSpinButton::AdjustButtonSize()
{
    if (!FUpButton || !FDownButton || HasState(csLoading)) return;
    const int minW = FDirection == spVertical ? 15 : 20;
    if (Width() < minW) {
        TWinControl::SetBounds(Left(), Top(), minW, Height());
    }
    TRect up, down;
    SpinArrowRects(FDirection, Width(), Height(), up, down);
    FUpButton->SetBoundsRect(up);
    FDownButton->SetBoundsRect(down);
}

void TAsgSpinButton::SetFocusBtn(TAdvTimerSpeedButton* Button)
{
    if (TabStop() && CanFocus() && Button != FFocusedButton) {
        FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - tbFocusRect);
        FFocusedButton = Button;
        if (Focused()) FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() + tbFocusRect);
        FFocusedButton->Invalidate();
    }
}

void TAsgSpinButton::BtnMouseDown(TAdvTimerSpeedButton* Button)
{
    SetFocusBtn(Button);
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
}

void TAsgSpinButton::BtnClick(TAdvTimerSpeedButton* Button)
{
    if (Button == FUpButton) {
        if (OnUpClick) OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

void TAsgSpinButton::KeyDown(Word& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP:
        SetFocusBtn(FUpButton);
        FUpButton->Click();
        break;
    case VK_DOWN:
        SetFocusBtn(FDownButton);
        FDownButton->Click();
        break;
    default: break;
    }
    TWinControl::KeyDown(Key, Shift);
}

void TAsgSpinButton::DoEnter()
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() + tbFocusRect);
    FFocusedButton->Invalidate();
    TWinControl::DoEnter();
}

void TAsgSpinButton::DoExit()
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - tbFocusRect);
    FFocusedButton->Invalidate();
    TWinControl::DoExit();
}

// ---------------------------------------------------------------- spin edit

TAsgSpinEdit::TAsgSpinEdit(TComponent* AOwner) : TAsgEdgeButtonEdit(AOwner)
{
    FButton = new TAsgSpinButton(this);
    FButton->SetParent(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject* s) { UpClick(s); };
    FButton->OnDownClick = [this](TObject* s) { DownClick(s); };
    SetText(QStringLiteral("0"));
    SetControlStyle(ControlStyle() & ~unsigned(csSetCaption));
    // The arrow keys step; they must not move the focus.
    SetWantKeys(WantKeys() | DLGC_WANTARROWS | DLGC_WANTCHARS);
    Resize();
}

TAsgSpinEdit::~TAsgSpinEdit()
{
    FButton = nullptr;
}

// ---- value properties

int TAsgSpinEdit::Value() const
{
    return SpinReadValue(Text(), FMinValue);
}

void TAsgSpinEdit::SetValue(int v)
{
    SetText(QString::number(SpinCheck(v, FMinValue, FMaxValue)));
    if (!EditorEnabled()) SelectAll();
}

double TAsgSpinEdit::FloatValue() const
{
    return SpinReadFloat(Text(), FMinFloatValue);
}

void TAsgSpinEdit::SetFloatValue(double v)
{
    SetText(SpinFloatText(SpinCheck(v, FMinFloatValue, FMaxFloatValue), FPrecision));
}

TDateTime TAsgSpinEdit::DateValue() const
{
    return SpinReadDate(Text(), FMinDateValue);
}

void TAsgSpinEdit::SetDateValue(TDateTime v)
{
    FDateValue = v;
    if (HasState(csLoading)) return;
    FDateValue = SpinCheck(v, FMinDateValue, FMaxDateValue);
    const int caret = SelStart();
    SetText(DateToStr(FDateValue, Regional()));
    SetSelStart(caret);
}

TDateTime TAsgSpinEdit::TimeValue() const
{
    return SpinReadTime(Text());
}

void TAsgSpinEdit::SetTimeValue(TDateTime v)
{
    FTimeValue = v;
    if (HasState(csLoading)) return;
    FTimeValue = SpinCheck(v, FMinDateValue, FMaxDateValue);
    const int caret = SelStart();
    SetText(SpinTimeText(FTimeValue, FShowSeconds));
    SetSelStart(caret);
}

void TAsgSpinEdit::SetSpinType(TAsgSpinType v)
{
    FSpinType = v;
    switch (v) {
    case sptNormal: SetValue(Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TAsgSpinEdit::SetPrecision(int v)
{
    FPrecision = v;
    if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

void TAsgEdgeButtonEdit::SetEditorEnabled(bool v)
{
    FEditorEnabled = v;
    // Every way the user changes text in the Qt edit (typing, Backspace and
    // Delete, undo, paste by key, menu or middle button, drops) ends at its
    // read-only flag; the program's own writes still go through.
    Edit()->setReadOnly(ReadOnly() || !v);
}

void TAsgEdgeButtonEdit::SetReadOnly(bool v)
{
    TCustomEdit::SetReadOnly(v);
    Edit()->setReadOnly(v || !FEditorEnabled);
}

void TAsgEdgeButtonEdit::Resize()
{
    TCustomEdit::Resize();
    TWinControl* edge = EdgeControl();
    if (!edge) return;
    if (Height() < GetMinHeight() && !FLayingOut) {
        FLayingOut = true;
        SetHeight(GetMinHeight());
        FLayingOut = false;
        return;
    }
    edge->SetBoundsRect(EditButtonBounds(Width(), Height(), edge->Width(), true));
    SetEditRect();
}

void TAsgSpinEdit::SetEditAlign(TEditAlign v)
{
    FEditAlign = v;
    ApplyAlignment();
}

void TAsgSpinEdit::ApplyAlignment()
{
    Qt::Alignment a = FEditAlign == eaRight ? Qt::AlignRight : FEditAlign == eaCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    Edit()->setAlignment(a | Qt::AlignVCenter);
    Resize();
}

void TAsgSpinEdit::SetDirection(TSpinDirection v)
{
    FDirection = v;
    FButton->SetDirection(v);
    Resize();
}

void TAsgSpinEdit::SetSpinFlat(bool v)
{
    FSpinFlat = v;
    FButton->UpButton()->SetFlat(v);
    FButton->DownButton()->SetFlat(v);
}

void TAsgSpinEdit::SetSpinTransparent(bool v)
{
    FSpinTransparent = v;
    FButton->UpButton()->SetTransparent(v);
    FButton->DownButton()->SetTransparent(v);
    Resize();
}

void TAsgSpinEdit::SetWinXPLook(bool v)
{
    FIsWinXP = v;
    FButton->SetWinXPLook(v);
}

// ---- stepping

void TAsgSpinEdit::Step(bool Up, bool Page)
{
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    const int dir = Up ? 1 : -1;
    switch (FSpinType) {
    case sptNormal: SetValue(Value() + dir * FIncrement); break;
    case sptFloat: SetFloatValue(FloatValue() + dir * (Page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: {
        FUsDates = SpinMonthFirst(Regional().ShortDateFormat);
        const TSpinDateField f = SpinDateFieldAt(Text(), SelStart(), FUsDates);
        SetDateValue(SpinStepDate(DateValue(), f, Up));
        break;
    }
    case sptTime:
        SetTimeValue(SpinStepTime(TimeValue(), Text(), SelStart(), Up, FShowSeconds, FIncrementHours,
                                  FIncrementMinutes, FIncrementSeconds));
        break;
    }
}

void TAsgSpinEdit::IncValue(bool Page)
{
    Step(true, Page);
}

void TAsgSpinEdit::DecValue(bool Page)
{
    Step(false, Page);
}

void TAsgSpinEdit::UpClick(TObject*)
{
    IncValue(false);
}

void TAsgSpinEdit::DownClick(TObject*)
{
    DecValue(false);
}

bool TAsgSpinEdit::IsValidChar(QChar Key) const
{
    return SpinIsValidChar({Key, Text(), SelStart(), SelLength(), FSpinType, EditorEnabled(), FPrecision});
}

// ---- keys and focus

void TAsgSpinEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN) {
        switch (Message.WParam) {
        case VK_PRIOR: IncValue(true); Message.Result = 0; return;
        case VK_NEXT: DecValue(true); Message.Result = 0; return;
        case VK_UP: IncValue(false); Message.Result = 0; return;
        case VK_DOWN: DecValue(false); Message.Result = 0; return;
        default: break;
        }
    }
    if (Message.Msg == WM_CHAR && Message.WParam == '.' && (Message.LParam & KF_KEYPAD_BIT)
        && FExcelStyleDecimalSeparator)
        Message.WParam = Regional().DecimalSeparator.unicode();
    TAsgEdgeButtonEdit::WndProc(Message);
}

void TAsgSpinEdit::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = 0;
        FDropReturnChar = true;
        PostKey(VK_TAB);
    }
    if (Key == VK_DELETE && !EditorEnabled()) Key = 0;
    TAsgEdgeButtonEdit::KeyDown(Key, Shift);
}

void TAsgSpinEdit::KeyPress(QChar& Key)
{
    // The Enter that became a Tab types nothing.
    if (FDropReturnChar && Key.unicode() == 13) {
        FDropReturnChar = false;
        Key = QChar();
        return;
    }
    FDropReturnChar = false;
    if (!Key.isNull() && !IsValidChar(Key)) {
        Key = QChar();
        MessageBeep(0);
        return;
    }
    TAsgEdgeButtonEdit::KeyPress(Key);
}

void TAsgSpinEdit::DoEnter()
{
    if (AutoSelect() && !(GetAsyncKeyState(VK_LBUTTON) < 0 && EditorEnabled())) SelectAll();
    TWinControl::DoEnter();
}

void TAsgSpinEdit::DoExit()
{
    TAsgEdgeButtonEdit::DoExit();
    switch (FSpinType) {
    case sptNormal: {
        const int v = Value(), c = SpinCheck(v, FMinValue, FMaxValue);
        if (c != v) SetValue(c);
        break;
    }
    case sptFloat: {
        const double v = FloatValue(), c = SpinCheck(v, FMinFloatValue, FMaxFloatValue);
        if (c != v) SetFloatValue(c);
        break;
    }
    case sptDate: {
        const TDateTime v = DateValue(), c = SpinCheck(v, FMinDateValue, FMaxDateValue);
        if (c != v) SetDateValue(c);
        break;
    }
    case sptTime: {
        const TDateTime v = TimeValue(), c = SpinCheck(v, FMinDateValue, FMaxDateValue);
        if (c != v) SetTimeValue(c);
        break;
    }
    }
}

void TAsgSpinEdit::Loaded()
{
    TAsgEdgeButtonEdit::Loaded();
    if (FSpinType == sptDate) SetText(DateToStr(FDateValue, Regional()));
    if (FSpinType == sptTime) SetText(SpinTimeText(FTimeValue, FShowSeconds));
    SetSpinType(FSpinType);
    FButton->Loaded();
}

// ---- layout

int EditMinHeight(TFont* Font, bool Compact)
{
    const int h = QFontMetrics(Font->ToQFont()).height();
    const int s = QFontMetrics(QFont()).height();
    const int base = h + std::min(s, h) / 4;
    // The edits here always have their single border.
    return Compact ? base : base + 2 + 4 * 1;
}

TRect EditButtonBounds(int EditWidth, int EditHeight, int ButtonWidth, bool Ctl3D)
{
    const int k = 0;  // with a border
    if (GetOsProfile().ComCtlMajor >= 6 && Ctl3D)
        return Bounds(EditWidth - ButtonWidth - 5 + k, 0, ButtonWidth, EditHeight - 5 + k);
    return Bounds(EditWidth - ButtonWidth, 1, ButtonWidth, EditHeight - 3);
}

int TAsgSpinEdit::GetMinHeight() const
{
    return EditMinHeight(Font(), false);
}

void TAsgSpinEdit::SetEditRect()
{
    if (!FButton) return;
    // The text ends left of the arrows.
    Edit()->setTextMargins(0, 0, FButton->Width() + 2, 0);
}

