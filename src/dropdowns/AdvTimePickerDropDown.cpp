#include "AdvTimePickerDropDown.h"

#include "AdvDropDownForm.h"
#include "ComCtrlsPicker.h"
#include "DateUtils.h"
#include "ExtCtrls.h"
#include "FormatSettings.h"

namespace {

QString TwoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// The first character and, where present, the second are digits.
bool StartsWithDigits(const QString& s)
{
    for (int i = 0; i < std::min<qsizetype>(2, s.size()); ++i)
        if (!s[i].isDigit()) return false;
    return true;
}

// Up and Down (and their page keys) reach the base only with Alt.
bool HeldBack(Word Key, TShiftState Shift)
{
    return (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt);
}

}  // namespace

TAdvTimePickerDropDown::TAdvTimePickerDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()),
      FWatchSettings(std::make_unique<TWatchSettings>())
{
}

TAdvTimePickerDropDown::~TAdvTimePickerDropDown() = default;

void TAdvTimePickerDropDown::InitializeEditor()
{
    TAdvCustomDropDown::InitializeEditor();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FInternalCall = true;
    SetEditMask(Mask());
    SetTextDirect(FormatTimeText(0, 0, 0));
    FInternalCall = false;
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
}

QChar TAdvTimePickerDropDown::Separator() const
{
    return DefaultFormatSettings().TimeSeparator;
}

QString TAdvTimePickerDropDown::Mask() const
{
    const QString s = Separator();
    return FShowSeconds ? QStringLiteral("!90") + s + QStringLiteral("00") + s + QStringLiteral("00;1; ")
                        : QStringLiteral("!90") + s + QStringLiteral("00;1; ");
}

QString TAdvTimePickerDropDown::FormatTimeText(int h, int m, int s) const
{
    QString t = TwoDigits(h) + Separator() + TwoDigits(m);
    if (FShowSeconds) t += Separator() + TwoDigits(s);
    return t;
}

void TAdvTimePickerDropDown::SetTime(TDateTime v)
{
    if (v == FTime) return;
    FTime = v;
    int h, m, s, ms;
    DecodeTime(v, h, m, s, ms);
    SetTextDirect(FormatTimeText(h, m, s));
    if (DroppedDown()) {
        if (FWatch) FWatch->SetTime(v);
        if (FShowTimePicker && FTimePicker) FTimePicker->SetTime(v);
    }
}

void TAdvTimePickerDropDown::SetShowSeconds(bool v)
{
    if (v == FShowSeconds) return;
    FShowSeconds = v;
    const TDateTime keep = FTime;
    FInternalCall = true;
    SetEditMask(QString());
    TAdvCustomDropDown::SetText(QString());
    FInternalCall = false;
    SetEditMask(Mask());
    FTime = keep + 1;  // the setter must see a difference
    SetTime(keep);
}

void TAdvTimePickerDropDown::SetParts(int h, int m, int s)
{
    int oh, om, os, ms;
    DecodeTime(FTime, oh, om, os, ms);
    if ((h == oh && m == om && s == os) || h > 23 || m > 59 || s > 59) return;
    SetTime(EncodeTime(h, m, s, ms));
    if (OnTimeChange) OnTimeChange(this);
}

void TAdvTimePickerDropDown::HandleKeyDown(Word& Key, TShiftState Shift)
{
    TAdvCustomDropDown::HandleKeyDown(Key, Shift);
    if ((GetKeyState(VK_MENU) & 0x8000) || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
    if (Key != VK_UP && Key != VK_DOWN) return;
    const QString text = Text();
    const int p1 = int(text.indexOf(Separator())) + 1;
    const int c = SelStart();
    int h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    const int delta = Key == VK_DOWN ? 1 : -1;
    auto wrap = [delta](int v, int n) { return (v + delta + n) % n; };
    if (c < p1) {
        SetParts(wrap(h, 24), m, s);
    } else {
        const int p2 = int(text.mid(p1).indexOf(Separator())) + 1;
        if (FShowSeconds && p2 > 0 && c - p1 >= p2)
            SetParts(h, m, wrap(s, 60));
        else
            SetParts(h, wrap(m, 60), s);
    }
    SetSelStart(c);
}

void TAdvTimePickerDropDown::HandleChange()
{
    TAdvCustomDropDown::HandleChange();
    const QString text = Text();
    // A complete text: five characters without seconds, eight with them.
    if (text.isEmpty() || FInternalCall || text.trimmed().size() != (FShowSeconds ? 8 : 5)) return;
    const QChar sep = Separator();
    const int p1 = int(text.indexOf(sep));
    if (p1 < 0) return;
    const QString rest = text.mid(p1 + 1).trimmed();
    const int p2 = int(rest.indexOf(sep));
    if (FShowSeconds != (p2 >= 0)) return;
    if (p2 >= 0 && rest.indexOf(sep, p2 + 1) >= 0) return;
    QString full = text;
    full.replace(u' ', u'0');
    const QString hourText = full.left(p1).trimmed();
    QString minuteText = full.mid(p1 + 1).trimmed();
    QString secondText;
    if (FShowSeconds) {
        const int q = int(minuteText.indexOf(sep));
        secondText = minuteText.mid(q + 1).trimmed();
        minuteText = minuteText.left(q).trimmed();
    }
    if (!StartsWithDigits(hourText) || !StartsWithDigits(minuteText) || !StartsWithDigits(secondText)) return;
    const int h = hourText.toInt(), m = minuteText.toInt(), s = secondText.toInt();
    TDateTime t;
    // Fields out of range leave the time as it was.
    if (!TryEncodeTime(h, m, s, 0, t)) return;
    FTime = t;
    const QString canonical = FormatTimeText(h, m, s);
    if (canonical != text && m == 0 && s == 0) {
        FInternalCall = true;
        SetTextDirect(canonical);
        FInternalCall = false;
    }
}

void TAdvTimePickerDropDown::CreateDropDownForm()
{
    TAdvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm()) return;
    if (!FPanel) {
        FPanel = new TPanel(this);
        FPanel->SetParent(DropDownForm());
        FPanel->SetBorderWidth(0);
        FPanel->SetBevelInner(bvNone);
        FPanel->SetBevelOuter(bvNone);
    }
    FPanel->SetBounds(0, 0, FPanel->Width(), 180);
    if (!FWatch) {
        FWatch = new TAdvWatch(this);
        FWatch->SetParent(FPanel);
        FWatch->SetAlign(alClient);
    }
    SetControl(FPanel);
}

void TAdvTimePickerDropDown::BeforeDropDown()
{
    TAdvCustomDropDown::BeforeDropDown();
    if (!FPanel || !FWatch) return;
    FPanel->SetBounds(FPanel->Left(), FPanel->Top(), 170, 170);
    if (DropDownForm()) DropDownForm()->SetCancelOnDeActivate(false);
    FPanel->SetColor(DropDownColor());
    FWatch->SetAppearance(FWatchAppearance.get());
    FWatch->SetSettings(FWatchSettings.get());
    FWatch->SetShowAMPM(FShowWatchAMPM);
    FWatch->SetShowNumbers(FShowWatchNumbers);
    FWatch->SetAnimation(FAnimation);
    FWatch->SetAnimationFactor(FAnimationFactor);
    FWatch->OnChange = nullptr;
    if (!FWatchSettings->Auto()) FWatch->SetTime(FTime);
    FWatch->OnChange = [this](TObject*) { WatchChanged(); };
    if (!FShowTimePicker) {
        if (FTimePicker) FTimePicker->SetVisible(false);
        return;
    }
    if (!FTimePicker) {
        FTimePicker = new TDateTimePicker(this);
        FTimePicker->SetParent(FPanel);
        FTimePicker->SetKind(dtkTime);
    }
    FTimePicker->OnChange = nullptr;
    FTimePicker->SetAlign(alBottom);
    FTimePicker->SetVisible(true);
    FTimePicker->SetTime(FTime);
    FTimePicker->BringToFront();
    FTimePicker->OnChange = [this](TObject*) { TimePickerChanged(); };
    FTimePicker->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { ControlKeyDown(s, k, sh); };
    FTimePicker->OnKeyPress = [this](TObject* s, QChar& k) { ControlKeyPress(s, k); };
    FTimePicker->OnKeyUp = [this](TObject* s, Word& k, TShiftState sh) { ControlKeyUp(s, k, sh); };
    FTimePicker->SetFormat(FShowSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    FPanel->SetBounds(FPanel->Left(), FPanel->Top(), FPanel->Width(), FTimePicker->Height() + 170);
}

void TAdvTimePickerDropDown::WatchChanged()
{
    if (FTimePicker && FShowTimePicker && FTimePicker->Time() != FWatch->Time()) {
        FTimePicker->SetTime(FWatch->Time());
        if (OnTimeChange) OnTimeChange(this);
    }
    SetTime(FWatch->Time());
}

void TAdvTimePickerDropDown::TimePickerChanged()
{
    if (FTimePicker && FWatch && !FWatchSettings->Auto()) FWatch->SetTime(FTimePicker->Time());
}

void TAdvTimePickerDropDown::DoHideDropDown(bool Cancel)
{
    // A cancel puts the clock back first, so the closing (which takes the
    // clock's time) keeps the editor's time.
    if (Cancel && FWatch) FWatch->SetTime(FTime);
    TAdvCustomDropDown::DoHideDropDown(Cancel);
    if (FWatch && !Cancel) SetTime(FWatch->Time());
}

void TAdvTimePickerDropDown::AfterDropUp()
{
    TAdvCustomDropDown::AfterDropUp();
    if (FWatch) SetTime(FWatch->Time());
}

void TAdvTimePickerDropDown::FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    const Word key = Key;
    if (!HeldBack(Key, Shift)) TAdvCustomDropDown::FormKeyDown(Sender, Key, Shift);
    if (DropDownForm() && DropDownForm()->Visible() && FWatch) FWatch->HandleKey(key);
}

void TAdvTimePickerDropDown::FormKeyUp(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) TAdvCustomDropDown::FormKeyUp(Sender, Key, Shift);
}

void TAdvTimePickerDropDown::ControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) TAdvCustomDropDown::ControlKeyDown(Sender, Key, Shift);
}

void TAdvTimePickerDropDown::ControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) TAdvCustomDropDown::ControlKeyUp(Sender, Key, Shift);
}

void TAdvTimePickerDropDown::ControlKeyPress(TObject* Sender, QChar& Key)
{
    const ushort c = Key.unicode();
    const bool altDown = GetKeyState(VK_MENU) & 0x8000;
    if ((c == 0x21 || c == 0x22 || c == 0x26 || c == 0x28) && !altDown) return;
    TAdvCustomDropDown::ControlKeyPress(Sender, Key);
}

void TAdvTimePickerDropDown::SetComponentStyle(TVisualStyle AStyle)
{
    TAdvCustomDropDown::SetComponentStyle(AStyle);
    ApplyWatchColorScheme(*FWatchAppearance, AStyle);
}
