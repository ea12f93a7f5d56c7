#include "AdvCalculatorDropdown.h"

#include "AdvDropDownForm.h"
#include "AdvDropDownEdit.h"
#include "SysFormat.h"

#include <cmath>

namespace {

const QString ErrorText = QStringLiteral("Error");
const QString Zero = QStringLiteral("0");

// The pad's key codes (a key's Tag).
enum CalcTag {
    tagPlus = 10, tagMinus = 11, tagMultiply = 12, tagDivide = 13, tagSign = 14, tagPoint = 15, tagClear = 16,
    tagEquals = 17, tagPercent = 18, tagBlank = 30, tagBack = 31, tagClearEntry = 32, tagMemoryClear = 33,
    tagMemoryRecall = 34, tagMemoryStore = 35, tagMemoryAdd = 36, tagSqrt = 37, tagReciprocal = 38,
};

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QString GeneralFormat(double v)
{
    return Format(QStringLiteral("%g"), {v});
}

}  // namespace

// ---------------------------------------------------------------------------
// The engine

double TCalculatorEngine::Displayed() const
{
    double v = 0;
    // A text that does not read counts as 0: no key handler lets a
    // conversion error out.
    if (!TryStrToFloat(StripThousandSeparators(FDisplay.DisplayText(), FDisplay.ThousandSeparator()), v)) return 0;
    return v;
}

void TCalculatorEngine::ZeroIfEmptyOrError()
{
    const QString t = FDisplay.DisplayText();
    if (t.isEmpty() || t == ErrorText) FDisplay.SetDisplayText(Zero);
}

void TCalculatorEngine::Calculate()
{
    ZeroIfEmptyOrError();
    const double x = Displayed();
    switch (FPrevop) {
    case coPlus:
        FPrevval = FPrevval + x;
        break;
    case coMultiply:
        FPrevval = x * FPrevval;
        break;
    case coMinus:
        FPrevval = FPrevval - x;
        break;
    case coDivide:
        if (x == 0) {
            FPrevval = 0;
            FDisplay.SetDisplayText(ErrorText);
            return;
        }
        FPrevval = FPrevval / x;
        break;
    default:
        FPrevval = x;
        break;
    }
    if (!std::isfinite(FPrevval)) FPrevval = 0;
    FDisplay.SetDisplayValue(FPrevval);
    FNewval = true;
}

void TCalculatorEngine::DoPlus()
{
    Calculate();
    FPrevop = coPlus;
}

void TCalculatorEngine::DoMinus()
{
    Calculate();
    FPrevop = coMinus;
}

void TCalculatorEngine::DoMultiply()
{
    Calculate();
    FPrevop = coMultiply;
}

void TCalculatorEngine::DoDivide()
{
    Calculate();
    FPrevop = coDivide;
}

void TCalculatorEngine::DoEquals()
{
    Calculate();
    if (FDisplay.DisplayText().isEmpty()) FDisplay.SetDisplayText(Zero);
    FPrevop = coNone;
    if (FDisplay.DisplayText() != ErrorText) FPrevval = Displayed();
}

void TCalculatorEngine::DoPercent()
{
    ZeroIfEmptyOrError();
    FDisplay.SetDisplayText(GeneralFormat(FPrevval * Displayed() / 100));
}

bool TCalculatorEngine::AtMaxLength() const
{
    const int max = FDisplay.DisplayMaxLength();
    return max > 0 && FDisplay.DisplayText().size() >= max;
}

void TCalculatorEngine::KeyTag(int Tag)
{
    if ((Tag >= tagPlus && Tag <= tagPercent && Tag != tagPoint) || Tag == tagBlank || Tag == tagClearEntry)
        FDecim = 0;
    if (((Tag >= 0 && Tag <= 9) || Tag == tagSign || Tag == tagPoint) && AtMaxLength()) return;
    if (Tag >= 0 && Tag <= 9) {
        const double v = FDisplay.DisplayValue();
        if ((v == 0 && FDecim == 0) || FNewval) {
            FDisplay.SetDisplayText(QString::number(Tag));
            FNewval = false;
        } else if (FDecim > 0) {
            FDisplay.SetDisplayValue(v < 0 ? v - double(Tag) / FDecim : v + double(Tag) / FDecim);
            FDecim *= 10;
        } else {
            FDisplay.SetDisplayValue(v < 0 ? v * 10 - Tag : v * 10 + Tag);
        }
        return;
    }
    switch (Tag) {
    case tagPlus:
        DoPlus();
        break;
    case tagMinus:
        DoMinus();
        break;
    case tagMultiply:
        DoMultiply();
        break;
    case tagDivide:
        DoDivide();
        break;
    case tagSign: {
        const QString t = FDisplay.DisplayText();
        FDisplay.SetDisplayText(t.contains(u'-') ? t.mid(1) : QStringLiteral("-") + t);
        break;
    }
    case tagPoint:
        if (!FDisplay.DisplayText().contains(FDisplay.DecimalSeparator()))
            FDisplay.SetDisplayText(FDisplay.DisplayText() + FDisplay.DecimalSeparator());
        FDecim = 10;
        if (FNewval) FDisplay.SetDisplayText(Zero);
        FNewval = false;
        break;
    case tagClear:
    case tagBlank:
    case tagClearEntry:
        FDisplay.SetDisplayText(Zero);
        FPrevval = 0;
        FPrevop = coNone;
        break;
    case tagEquals:
        DoEquals();
        break;
    case tagPercent:
        DoPercent();
        break;
    case tagBack:
        if (FPrevop == coNone) {
            const QString t = FloatToStr(FDisplay.DisplayValue());
            FDisplay.SetDisplayText(t.left(t.size() - 1));
        }
        break;
    case tagMemoryClear:
        FMVal = 0;
        break;
    case tagMemoryRecall:
        FDisplay.SetDisplayValue(FMVal);
        break;
    case tagMemoryStore:
        FMVal = Displayed();
        break;
    case tagMemoryAdd:
        FMVal += Displayed();
        break;
    case tagSqrt: {
        const double v = FDisplay.DisplayValue();
        if (v >= 0)
            FDisplay.SetDisplayValue(std::sqrt(v));
        else
            FDisplay.SetDisplayText(ErrorText);
        break;
    }
    case tagReciprocal: {
        const double v = FDisplay.DisplayValue();
        if (v == 0)
            FDisplay.SetDisplayText(ErrorText);
        else
            FDisplay.SetDisplayValue(1 / v);
        break;
    }
    default:
        break;
    }
}

bool TCalculatorEngine::KeyPress(QChar& Key, bool Closed, int& CaretAfter)
{
    CaretAfter = -1;
    const char16_t c = Key.unicode();
    if (Closed) {
        switch (c) {
        case u'=':
            DoEquals();
            return false;
        case u'%':
            DoPercent();
            return false;
        case u'*':
            DoMultiply();
            return false;
        case u'+':
            DoPlus();
            return false;
        case u'-':
            DoMinus();
            return false;
        case u'/':
            DoDivide();
            return false;
        case u'C':
        case u'c':
            FDisplay.SetDisplayText(Zero);
            FNewval = true;
            FPrevop = coNone;
            return false;
        default:
            break;
        }
    }
    const QChar ds = FDisplay.DecimalSeparator();
    if (!IsDigit(Key) && Key != ds && c != 8 && c != u'-') return false;
    const QString t = FDisplay.DisplayText();
    if ((t == Zero || FNewval) && IsDigit(Key)) {
        FDisplay.SetDisplayText(QString(Key));
        FNewval = false;
        CaretAfter = 1;
        return false;
    }
    if (t.size() == 1 && c == 8) {
        FDisplay.SetDisplayText(Zero);
        CaretAfter = 1;
        return false;
    }
    if (Key == FDisplay.ThousandSeparator()) return false;
    if (Key == ds && t.contains(ds)) return false;
    return true;
}

TCalculatorEngine::PopUpAction TCalculatorEngine::ProcessCalcKey(QChar Key, bool Alt)
{
    const QChar ds = FDisplay.DecimalSeparator();
    if (Key == ds && !FDisplay.DisplayText().contains(ds)) FDisplay.SetDisplayText(FDisplay.DisplayText() + ds);
    if (IsDigit(Key) && AtMaxLength()) return PopUpAction::Stay;
    switch (Key.unicode()) {
    case 13:
        DoEquals();
        return PopUpAction::Close;
    case 27:
        return PopUpAction::Cancel;
    case u'%':
        DoPercent();
        break;
    case u'&':
        if (Alt) return PopUpAction::Cancel;
        break;
    case u'*':
        DoMultiply();
        break;
    case u'+':
        DoPlus();
        break;
    case u'-':
        DoMinus();
        break;
    case u'/':
        DoDivide();
        break;
    case u'=':
        DoEquals();
        break;
    case u'C':
    case u'c':
        FDisplay.SetDisplayText(Zero);
        FPrevval = 0;
        FNewval = true;
        FPrevop = coNone;
        break;
    default:
        if (IsDigit(Key)) FNewval = false;
        break;
    }
    return PopUpAction::Stay;
}

void TCalculatorEngine::PopUpBackspace()
{
    const QString t = FDisplay.DisplayText();
    const QString rest = t == ErrorText ? QString() : t.left(t.size() - 1);
    FDisplay.SetDisplayText(rest.isEmpty() ? Zero : rest);
}

void TCalculatorEngine::EditDelete()
{
    ZeroIfEmptyOrError();
}

// ---------------------------------------------------------------------------
// The drop-down

TAdvCalculatorDropdown::TAdvCalculatorDropdown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>())
{
}

TAdvCalculatorDropdown::~TAdvCalculatorDropdown() = default;

void TAdvCalculatorDropdown::InitializeEditor()
{
    TAdvCustomDropDown::InitializeEditor();
    SetDropDownColor(clWhite);
    SetDropDownWidth(230);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetEditType(etFloat);
    SetPrecision(2);
    FCalcClosed = true;
}

QChar TAdvCalculatorDropdown::DecimalSeparator() const
{
    return EditRules().DS;
}

QChar TAdvCalculatorDropdown::ThousandSeparator() const
{
    return EditRules().TS;
}

void TAdvCalculatorDropdown::SetDisplayText(const QString& Value)
{
    // The text from before the opening stays what a cancel restores.
    const QString before = FOldText;
    SetText(Value);
    if (DroppedDown()) FOldText = before;
}

void TAdvCalculatorDropdown::SetDisplayValue(double Value)
{
    const QString before = FOldText;
    SetFloatValue(Value);
    if (DroppedDown()) FOldText = before;
}

bool TAdvCalculatorDropdown::Closed() const
{
    return FCalcClosed || (DropDownForm() && !DropDownForm()->Visible());
}

double TAdvCalculatorDropdown::Value()
{
    if (Text().isEmpty()) SetText(Zero);
    return FEngine.Displayed();
}

void TAdvCalculatorDropdown::SetValue(double v)
{
    SetText(GeneralFormat(v));
}

void TAdvCalculatorDropdown::SetShowThousandSeparator(bool v)
{
    if (v == FShowThousandSeparator) return;
    FShowThousandSeparator = v;
    SetEditType(v ? etMoney : etFloat);
    SetFloatValue(GetFloatValue());
}

void TAdvCalculatorDropdown::CreateDropDownForm()
{
    TAdvCustomDropDown::CreateDropDownForm();
    if (!FAdvButtonPanel && DropDownForm()) {
        FAdvButtonPanel = new TCustomButtonPanel(this);
        FAdvButtonPanel->SetParent(DropDownForm());
        FAdvButtonPanel->SetAdvDropDown(this);
        FAdvButtonPanel->SetHeight(150);
        FAdvButtonPanel->CreateDefaultButtons();
    }
    if (FAdvButtonPanel) {
        SetControl(FAdvButtonPanel);
        FAdvButtonPanel->OnButtonClick = [this](TObject* s, int i) { ButtonClick(s, i); };
    }
}

void TAdvCalculatorDropdown::BeforeDropDown()
{
    TAdvCustomDropDown::BeforeDropDown();
    if (DropDownForm()) DropDownForm()->SetCancelOnDeActivate(false);
    if (FAdvButtonPanel) {
        FAdvButtonPanel->SetButtonAppearance(FCalcButtonAppearance.get());
        FAdvButtonPanel->SetColor(DropDownColor());
        FAdvButtonPanel->ArrangeButtons();
    }
    FEngine.SetNewVal(true);
    FEngine.SetDecim(0);
    FCalcClosed = false;
    // What Esc brings back.
    FOldText = Text();
}

void TAdvCalculatorDropdown::ButtonClick(TObject*, int Index)
{
    if (!FAdvButtonPanel || Index < 0 || Index >= FAdvButtonPanel->Buttons()->Count()) return;
    BeforeCalculatorKey();
    FEngine.KeyTag(FAdvButtonPanel->Buttons()->Items(Index)->Tag());
    SetIsModified(true);
}

void TAdvCalculatorDropdown::CharMessage(TMessage& Message)
{
    QChar key(char16_t(Message.WParam));
    // Enter in the edit keeps the base's handling (the key-press event only).
    if (key.unicode() == 13 || key.unicode() == 27 || key.isNull()) {
        TAdvCustomDropDown::CharMessage(Message);
        return;
    }
    int caret = -1;
    if (!FEngine.KeyPress(key, Closed(), caret)) {
        if (caret >= 0) {
            SetSelStart(int(Prefix().size()) + caret);
            SetSelLength(0);
        }
        Message.WParam = 0;
        return;
    }
    Message.WParam = key.unicode();
    TAdvCustomDropDown::CharMessage(Message);
}

void TAdvCalculatorDropdown::KeyDownMessage(TMessage& Message)
{
    TAdvCustomDropDown::KeyDownMessage(Message);
    if (Word(Message.WParam) == VK_DELETE) FEngine.EditDelete();
}

void TAdvCalculatorDropdown::FormKeyPress(TObject* Sender, QChar& Key)
{
    TAdvCustomDropDown::FormKeyPress(Sender, Key);
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    BeforeCalculatorKey();
    switch (FEngine.ProcessCalcKey(Key, alt)) {
    case TCalculatorEngine::PopUpAction::Close:
        DoHideDropDown(false);
        break;
    case TCalculatorEngine::PopUpAction::Cancel:
        DoHideDropDown(true);
        break;
    case TCalculatorEngine::PopUpAction::Stay:
        break;
    }
}

void TAdvCalculatorDropdown::FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    // Enter computes before the edit's own handling closes the pop-up.
    if (Key == VK_RETURN && DroppedDown()) FEngine.DoEquals();
    TAdvCustomDropDown::FormKeyDown(Sender, Key, Shift);
    if (Key == VK_TAB || Key == VK_F4) {
        DoHideDropDown(false);
    } else if (Key == VK_BACK) {
        FEngine.PopUpBackspace();
    }
}

void TAdvCalculatorDropdown::SetComponentStyle(TVisualStyle AStyle)
{
    TAdvCustomDropDown::SetComponentStyle(AStyle);
    // Called by the base while the calculator's own members may not exist.
    if (!FCalcButtonAppearance || !ButtonAppearance()) return;
    TButtonAppearance* c = FCalcButtonAppearance.get();
    const TAdvButtonAppearance* b = ButtonAppearance();
    c->SetBorderColor(b->BorderColor());
    c->SetBorderColorHot(b->BorderColorHot());
    c->SetBorderColorDown(b->BorderColorDown());
    c->SetColor(b->Color());
    c->SetColorTo(b->ColorTo());
    c->SetColorDown(b->ColorDown());
    c->SetColorDownTo(b->ColorDownTo());
    c->SetColorHot(b->ColorHot());
    c->SetColorHotTo(b->ColorHotTo());
    const bool office2010 = AStyle == TVisualStyle::tsOffice2010Blue || AStyle == TVisualStyle::tsOffice2010Silver ||
                            AStyle == TVisualStyle::tsOffice2010Black;
    c->SetGlowColorHot(office2010 ? b->ColorHot() : b->ColorDownTo());
    c->SetGlowColorDown(office2010 ? b->ColorHot() : 14008900);
}
