#include "AdvDateTimePicker.h"

#include "AdvStyleIF.h"
#include "AdvXPVS.h"
#include "DateUtils.h"
#include "Forms.h"
#include "Names.h"
#include "OsProfile.h"
#include "StdCtrls.h"

#include <QDateTimeEdit>
#include <cmath>

unsigned DTPShiftFocusMessage()
{
    static const unsigned id = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    return id;
}

bool TimeAutoTabAdvances(int h0, int m0, int s0, int h1, int m1, int s1)
{
    return h0 != h1 || m0 != m1 || s0 != s1;
}

TDateAutoTab DateAutoTabAction(const QString& Format, int y0, int m0, int d0, int y1, int m1, int d1)
{
    const bool dayChanged = d0 != d1, monthChanged = m0 != m1, yearChanged = y0 != y1;
    if (!Format.isEmpty()) {
        const QChar c = Format.back().toLower();
        if ((dayChanged && c == QLatin1Char('d')) || (monthChanged && c == QLatin1Char('m'))
            || (yearChanged && c == QLatin1Char('y')))
            return datTimePart;
        return dayChanged || monthChanged || yearChanged ? datNextField : datStay;
    }
    if (dayChanged || monthChanged) return datNextField;
    return yearChanged ? datTimePart : datStay;
}

// ---------------------------------------------------------------- auto-tab picker

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner)
    : TFlatDatePicker(AOwner, TFlatPickerTraits{false, 0, true, false, 4, true})
{
}

void TCustomDateTimePicker::RecordForAutoTab()
{
    if (TDateTimePicker::Kind() != dtkTime) return;
    int h, m, s, ms;
    DecodeTime(TDateTimePicker::Time(), h, m, s, ms);
    Fh = h;
    Fm = m;
    Fs = s;
    Fms = ms;
}

void TCustomDateTimePicker::KeyPress(QChar& Key)
{
    TFlatDatePicker::KeyPress(Key);
    if (FAutoTab && Key >= QLatin1Char('0') && Key <= QLatin1Char('9')) {
        RecordForAutoTab();
        // The picker takes the digit first; the advance looks at the result.
        PostMessage(this, DTPShiftFocusMessage());
    }
}

void TCustomDateTimePicker::WndProc(TMessage& Message)
{
    if (Message.Msg == DTPShiftFocusMessage()) {
        ShiftFocus();
        return;
    }
    TFlatDatePicker::WndProc(Message);
}

void TCustomDateTimePicker::ShiftFocus()
{
    if (TDateTimePicker::Kind() != dtkTime) return;
    int h, m, s, ms;
    DecodeTime(TDateTimePicker::Time(), h, m, s, ms);
    if (TimeAutoTabAdvances(Fh, Fm, Fs, h, m, s)) NextField();
}

// ---------------------------------------------------------------- date and time picker

TRect TimePartBounds(int Width, int Height, int TextWidth, bool Bevel, const TTimePartCase& Case)
{
    const int w = TextWidth + 31;
    const int b = Bevel ? 4 : 0;
    if (!Case.Vista) return Bounds(Width - w - 21, -2, w, Height);
    if (!Case.ComCtl6 || !Case.ThemeLibrary) return Bounds(Width - w - b - 23, -2, w, Height - b);
    if (!Case.ThemeActive) return Bounds(Width - w - b - 21, 2, w, Height - b - 4);
    if (Case.Metro) return Bounds(Width - w - b - 21, 1, w, Height - b - 2);
    return Bounds(Width - w - b - 34, 1, w, Height - b - 2);
}

TAdvDateTimePicker::TAdvDateTimePicker(TComponent* AOwner)
    : TCustomDateTimePicker(AOwner), FLabelFont(std::make_unique<TFont>())
{
    SetBorderStyle(pbsSingle);
    SetCtl3D(true);
    FLabelFont->OnChange = [this](TObject*) { UpdateLabel(); };
    // What window creation does: the stored kind applied in full.
    CreateTimePicker();
    UpdateTimePicker();
}

TAdvDateTimePicker::~TAdvDateTimePicker()
{
    FLabelFont->OnChange = nullptr;
}

void TAdvDateTimePicker::AfterConstruction()
{
    TCustomDateTimePicker::AfterConstruction();
    // The kind is applied in full once the control is set up.
    const TAdvDateTimeKind k = FKind;
    FKind = TAdvDateTimeKind(-1);
    SetKind(k);
}

void TAdvDateTimePicker::SetKind(TAdvDateTimeKind v)
{
    if (v == FKind) return;
    FKind = v;
    TDateTimePicker::SetKind(v == dkTime ? dtkTime : dtkDate);
    if (v == dkDateTime) CreateTimePicker();
    UpdateTimePicker();
}

void TAdvDateTimePicker::CreateTimePicker()
{
    if (FTimePicker || FKind != dkDateTime) return;
    FTimePicker = new TCustomDateTimePicker(this);
    FTimePicker->SetParent(this);
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->SetVisible(false);
    FTimePicker->SetEnabled(Enabled());
    FTimePicker->SetKind(dtkTime);
    FTimePicker->SetAutoTab(AutoTab());
    FTimePicker->OnChange = [this](TObject*) {
        DoChange();
        if (OnTimeChange) OnTimeChange(this);
    };
    FTimePicker->OnClick = [this](TObject*) { DoClick(); };
    FTimePicker->OnKeyPress = [this](TObject* s, QChar& k) { TimePickerKeyPress(s, k); };
    FTimePicker->OnKeyDown = [this](TObject*, Word& k, TShiftState sh) { KeyDown(k, sh); };
}

void TAdvDateTimePicker::UpdateTimePicker()
{
    if (!FTimePicker) return;
    TCustomDateTimePicker* t = FTimePicker;
    const bool loading = HasState(csLoading);
    t->SetParent(this);
    t->SetColor(Color());
    t->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
    t->SetVisible(FKind == dkDateTime);
    if (FKind == dkDateTime) t->SetDateTime(TDateTimePicker::DateTime());
    t->SetFormat(FTimeFormat);
    t->Font()->Assign(Font());
    if (t->Visible() || loading) {
        TCanvas canvas;
        canvas.SetFont(Font());
        TRect r(0, 0, 1000, 200);
        canvas.DrawText(t->DisplayText().left(255), r, DT_CALCRECT | DT_SINGLELINE);
        const OsProfile& p = GetOsProfile();
        TTimePartCase c;
        c.Vista = IsVistaOrLater();
        c.ComCtl6 = p.ComCtlMajor >= 6;
        c.ThemeLibrary = AdvXPVS::ThemeLibraryLoaded();
        c.ThemeActive = DoVisualStyles();
        c.Metro = MetroActive();
        t->SetBoundsRect(TimePartBounds(Width(), Height(), r.Width(), false, c));
        return;
    }
    // Hidden outside loading: removed. It may be running its own handler
    // right now (a time change that switched the kind), so it goes later.
    FTimePicker = nullptr;
    t->SetParent(nullptr);
    t->FreeDeferred();
}

TDateTime TAdvDateTimePicker::DateTime() const
{
    if (FTimePicker) const_cast<TAdvDateTimePicker*>(this)->TDateTimePicker::SetTime(FTimePicker->Time());
    return TDateTimePicker::DateTime();
}

void TAdvDateTimePicker::SetDateTime(TDateTime Value)
{
    // The time of day in whole seconds, after rounding to whole milliseconds.
    const double day = std::floor(Value);
    const double ms = std::round((Value - day) * MSecsPerDay);
    const TDateTime v = day + std::floor(ms / 1000) * 1000 / MSecsPerDay;
    TDateTimePicker::SetDateTime(v);
    CreateTimePicker();
    if (FTimePicker) FTimePicker->SetDateTime(v);
    SyncTimePickerCheck();
}

void TAdvDateTimePicker::SetDate(TDateTime v)
{
    SetDateTime(std::floor(v) + Time());
}

TDateTime TAdvDateTimePicker::Time() const
{
    if (FKind == dkDateTime && FTimePicker) return FTimePicker->Time();
    return TDateTimePicker::Time();
}

void TAdvDateTimePicker::SetTime(TDateTime v)
{
    TDateTimePicker::SetTime(v);
    if (FTimePicker) FTimePicker->SetTime(v);
    UpdateTimePicker();
}

void TAdvDateTimePicker::SetTimeFormat(const QString& v)
{
    if (FTimePicker) FTimePicker->SetFormat(v);
    if (FKind == dkTime) SetFormat(v);
    FTimeFormat = v;
    UpdateTimePicker();
}

void TAdvDateTimePicker::SetAutoTab(bool v)
{
    TCustomDateTimePicker::SetAutoTab(v);
    if (FTimePicker) FTimePicker->SetAutoTab(v);
}

void TAdvDateTimePicker::SetBorderStyle(TPickerBorderStyle v)
{
    TCustomDateTimePicker::SetBorderStyle(v);
    UpdateTimePicker();
}

// ---- check box

void TAdvDateTimePicker::SyncTimePickerCheck()
{
    if (!ShowCheckbox() || !FTimePicker) return;
    FTimePicker->SetEnabled(Enabled() && Checked());
}

void TAdvDateTimePicker::DateTimeChanged(bool Valid)
{
    // The program's own writes send no change notification here, so no
    // echo of them has to be ignored.
    if (ShowCheckbox() && FTimePicker) FTimePicker->SetEnabled(Enabled() && Checked() && Valid);
    TCustomDateTimePicker::DateTimeChanged(Valid);
}

void TAdvDateTimePicker::DoChange() {}

void TAdvDateTimePicker::DoClick()
{
    Click();
}

void TAdvDateTimePicker::TimePickerKeyPress(TObject*, QChar&) {}

// ---- automatic advance

void TAdvDateTimePicker::RecordForAutoTab()
{
    if (FKind == dkTime) {
        TCustomDateTimePicker::RecordForAutoTab();
        return;
    }
    DecodeDate(TDateTimePicker::Date(), Fy, Fmo, Fd);
}

void TAdvDateTimePicker::ShiftFocus()
{
    if (FKind == dkTime) {
        TCustomDateTimePicker::ShiftFocus();
        return;
    }
    int y, m, d;
    DecodeDate(TDateTimePicker::Date(), y, m, d);
    switch (DateAutoTabAction(Format(), Fy, Fmo, Fd, y, m, d)) {
    case datTimePart:
        if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
        break;
    case datNextField: NextField(); break;
    case datStay: break;
    }
}

// ---- label

QString TAdvDateTimePicker::LabelCaption() const
{
    return FLabel ? FLabel->Caption() : QString();
}

void TAdvDateTimePicker::SetLabelCaption(const QString& v)
{
    if (!FLabel) {
        FLabel = CreateAttachedLabel(this, FLabelFont.get());
        FLabel->OnClick = [this](TObject*) {
            if (OnLabelClick) OnLabelClick(this);
        };
        FLabel->OnDblClick = [this](TObject*) {
            if (OnLabelDblClick) OnLabelDblClick(this);
        };
    }
    FLabel->SetCaption(v);
    UpdateLabel();
}

void TAdvDateTimePicker::UpdateLabel()
{
    if (!FLabel) return;
    UpdateAttachedLabel(this, FLabel, FParentFnt ? Font() : FLabelFont.get(),
                        {FLabelPosition, FLabelMargin, FLabelTransparent, lmTextWidth});
}

void TAdvDateTimePicker::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    UpdateLabel();
}

void TAdvDateTimePicker::SetLabelMargin(int v)
{
    FLabelMargin = v;
    UpdateLabel();
}

void TAdvDateTimePicker::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    UpdateLabel();
}

void TAdvDateTimePicker::SetLabelAlwaysEnabled(bool v)
{
    FLabelAlwaysEnabled = v;
    if (FLabel) {
        if (v) FLabel->SetEnabled(true);
        FLabel->Invalidate();
    }
}

void TAdvDateTimePicker::SetParent(TWinControl* AParent)
{
    TCustomDateTimePicker::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        UpdateLabel();
    }
}

void TAdvDateTimePicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent()) UpdateLabel();
    UpdateTimePicker();
}

void TAdvDateTimePicker::SetVisible(bool v)
{
    TCustomDateTimePicker::SetVisible(v);
    if (FLabel) FLabel->SetVisible(v);
}

void TAdvDateTimePicker::EnabledChanged()
{
    TCustomDateTimePicker::EnabledChanged();
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
    if (FTimePicker) FTimePicker->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
}

void TAdvDateTimePicker::ColorChanged()
{
    TCustomDateTimePicker::ColorChanged();
    if (FTimePicker) FTimePicker->SetColor(Color());
}

void TAdvDateTimePicker::DoEnter()
{
    if (FFocusLabel && !HasState(csLoading)) SetLabelBold(FLabel, true);
    TCustomDateTimePicker::DoEnter();
}

void TAdvDateTimePicker::DoExit()
{
    if (FFocusLabel && !HasState(csLoading)) SetLabelBold(FLabel, false);
    TCustomDateTimePicker::DoExit();
}

void TAdvDateTimePicker::PaintOver(QPainter& painter)
{
    if (FFirstRun) {
        FFirstRun = false;
        QueueCall(Widget(), [this] { UpdateTimePicker(); });
    }
    TCustomDateTimePicker::PaintOver(painter);
}

void TAdvDateTimePicker::Loaded()
{
    TCustomDateTimePicker::Loaded();
    if (!HasState(csDesigning)) {
        CreateTimePicker();
        UpdateTimePicker();
        if (ShowCheckbox() && !Checked()) {
            SetChecked(false);
            if (FTimePicker) FTimePicker->SetEnabled(false);
        }
    }
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
    UpdateLabel();
    if (FLabel && ParentFont()) FLabel->Font()->Assign(Font());
    FParentFnt = ParentFont();
    UpdateLabel();
}
