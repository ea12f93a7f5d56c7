#include "AdvDropDown.h"

#include "AdvDropDownForm.h"
#include "Clock.h"
#include "FormatSettings.h"
#include "ImgList.h"
#include "Names.h"
#include "Persistence.h"
#include "ExtCtrls.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// The packed version: one byte per part, major in the highest byte.
constexpr uint32_t DropDownVersionNr = (1u << 24) | (2u << 16) | (1u << 8) | 4u;

// The mouse triggers do not reopen a pop-up within this time after it was
// deactivated (the click that closed it).
constexpr uint32_t DropDownReopenGuardMs = 250;

bool DropDownKeyDownNow(int vk)
{
    return GetKeyState(vk) < 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction

TAdvCustomDropDown::TAdvCustomDropDown(TComponent* AOwner)
    : TCustomMaskEdit(AOwner)
{
    SetBounds(0, 0, 200, 21);
}

TAdvCustomDropDown::~TAdvCustomDropDown() = default;

void TAdvCustomDropDown::AfterConstruction()
{
    TCustomMaskEdit::AfterConstruction();
    if (!HasState(csDesigning)) CreateDropDownForm();
    CreateDropDownButton();
    // The button takes its place in the edit as the window is made.
    UpdateControlBounds();
    SetControlStyle(ControlStyle() & ~unsigned(csSetCaption));
    SetReadOnly(false);
    FDropPosition = dpAuto;
    SetText(QString());
    FOldText.clear();
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
    FDropDownEnabled = false;

    FDropDownHeader = std::make_unique<THeaderAppearance>(this);
    FDropDownFooter = std::make_unique<TFooterAppearance>(this);
    FDropDownHeader->OnChange = [this](TObject* s) { AppearanceChanged(s); };
    FDropDownHeader->OnButtonsChanged = [this](TObject* s) { AppearanceChanged(s); };
    FDropDownFooter->OnChange = [this](TObject* s) { AppearanceChanged(s); };
    FDropDownFooter->OnButtonsChanged = [this](TObject* s) { AppearanceChanged(s); };
    FButtonAppearance = std::make_unique<TAdvButtonAppearance>();

    FDefaultHandling = true;
    FIsThemed = IsComCtl6OrLater();
    FCanUndo = true;
    FAutoThousandSeparator = true;

    SetSelectionColorStyle(scOffice2007);
    FFocusDraw = true;
    SetComponentStyle(TVisualStyle::tsOffice2007Luna);

    FLabelFont = std::make_unique<TFont>();
    FLabelFont->OnChange = [this](TObject*) {
        if (FLabel) UpdateLabel();
    };
    InitializeEditor();
}

void TAdvCustomDropDown::BeforeDestruction()
{
    TCustomMaskEdit::BeforeDestruction();
    // The pop-up goes while every override is still there to hear of it.
    if (FDropDownForm) {
        TDropDownForm* form = FDropDownForm;
        form->OnHide = nullptr;
        FDropDownForm = nullptr;
        Free(form);
    }
}

void TAdvCustomDropDown::AppearanceChanged(TObject*)
{
    if (FDropDownForm && FDropDownForm->Visible()) FDropDownForm->InitializeAndUpdate();
}

// ---------------------------------------------------------------------------
// Properties

QString TAdvCustomDropDown::Text() const
{
    return DropDownValue(EditRules(), TControl::Text());
}

TDropDownEditRules TAdvCustomDropDown::EditRules() const
{
    TDropDownEditRules r;
    r.EditType = FEditType;
    r.Precision = FPrecision;
    r.LengthLimit = FLengthLimit;
    r.Prefix = FPrefix;
    r.Suffix = FSuffix;
    r.ValidChars = FValidChars;
    r.Signed = FSigned;
    r.AutoThousandSeparator = FAutoThousandSeparator;
    r.ExcelStyleDecimalSeparator = FExcelStyleDecimalSeparator;
    r.AllowNumericNullValue = FAllowNumericNullValue;
    r.MaxLength = MaxLength();
    const FormatSettings fs = DefaultFormatSettings();
    r.DS = fs.DecimalSeparator;
    r.TS = fs.ThousandSeparator;
    return r;
}

void TAdvCustomDropDown::SetBorderColor(TColor v)
{
    FBorderColor = v;
    Invalidate();
    if (FButton) FButton->InvalidateButton();
}

void TAdvCustomDropDown::SetDisabledBorder(bool v)
{
    if (v == FDisabledBorder) return;
    FDisabledBorder = v;
    Invalidate();
}

void TAdvCustomDropDown::SetDropDownWidth(int v)
{
    if (v == FDropDownWidth) return;
    FDropDownWidth = v;
    FUserDropDownWidth = -1;
}

void TAdvCustomDropDown::SetDropDownHeight(int v)
{
    if (v == FDropDownHeight) return;
    FDropDownHeight = v;
    FUserDropDownHeight = -1;
}

void TAdvCustomDropDown::SetDropDownButtonWidth(int v)
{
    if (!FButton || v == FButtonWidth) return;
    FButtonWidth = v;
    FButton->SetOwnWidth(v);
    UpdateControlBounds();
}

void TAdvCustomDropDown::SetDropDownButtonHint(const QString& v)
{
    if (v == FButtonHint) return;
    FButtonHint = v;
    if (!FButton) return;
    FButton->SetHint(v);
    FButton->SetShowHint(!v.isEmpty());
}

TBitmap* TAdvCustomDropDown::DropDownButtonGlyph() const
{
    return FButton ? FButton->Glyph() : nullptr;
}

void TAdvCustomDropDown::SetDropDownButtonGlyph(TBitmap* v)
{
    if (FButton) FButton->SetGlyph(v);
}

void TAdvCustomDropDown::SetImages(TCustomImageList* v)
{
    if (v == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = v;
    if (v) v->FreeNotification(this);
}

QString TAdvCustomDropDown::Version() const
{
    const uint32_t v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

uint32_t TAdvCustomDropDown::GetVersionNr() const
{
    return DropDownVersionNr;
}

void TAdvCustomDropDown::SetButtonAppearance(TAdvButtonAppearance* v)
{
    if (v) FButtonAppearance->Assign(v);
}

void TAdvCustomDropDown::SetDropDownHeader(THeaderAppearance* v)
{
    if (v) FDropDownHeader->Assign(v);
}

void TAdvCustomDropDown::SetDropDownFooter(TFooterAppearance* v)
{
    if (v) FDropDownFooter->Assign(v);
}

void TAdvCustomDropDown::SetEditorEnabled(bool v)
{
    FEditorEnabled = v;
    if (v)
        SetControlStyle(ControlStyle() | csDoubleClicks);
    else
        SetControlStyle(ControlStyle() & ~unsigned(csDoubleClicks));
}

void TAdvCustomDropDown::SetFlat(bool v)
{
    if (v == FFlat) return;
    FFlat = v;
    UpdateControlBounds();
}

void TAdvCustomDropDown::SetControl(TControl* v)
{
    if (FControl && FControl != v) FControl->RemoveFreeNotification(this);
    FControl = v;
    if (v) v->FreeNotification(this);
    if (!HasState(csDesigning)) PlaceDropDownControl();
}

void TAdvCustomDropDown::SetFocusControl(TWinControl* v)
{
    if (FFocusControl && FFocusControl != v) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = v;
    if (v) v->FreeNotification(this);
}

void TAdvCustomDropDown::SetEditType(TDropDownEditType v)
{
    if (v == FEditType) return;
    FEditType = v;
    if (v == etPassword) {
        SetPasswordChar(u'*');
        FCanUndo = false;
    } else {
        SetPasswordChar(QChar());
    }
    const TDropDownEditRules r = EditRules();
    const int kind = ClassifyNumberText(Text(), r.DS, r.TS);
    if ((v == etNumeric && kind != 0) || (v == etHex && kind != 0 && kind != 5))
        SetIntValue(0);
    else if ((v == etFloat || v == etMoney) && kind > 1)
        SetFloatValue(0);
}

void TAdvCustomDropDown::SetPrecision(int v)
{
    if (v == FPrecision) return;
    if (FEditType != etString && FEditType != etFloat && FEditType != etMoney) return;
    FPrecision = int16_t(v);
    const TDropDownEditRules r = EditRules();
    if (ClassifyNumberText(Text(), r.DS, r.TS) > 1)
        SetFloatValue(0);
    else
        SetFloatValue(GetFloatValue());
}

// ---------------------------------------------------------------------------
// Value

void TAdvCustomDropDown::SetText(const QString& Value)
{
    const TDropDownEditRules r = EditRules();
    TControl::SetText(DropDownComposeText(r, Value));
    FOldText = Value;
    SetIsModified(false);
}

void TAdvCustomDropDown::SetTextDirect(const QString& Value)
{
    TControl::SetText(Value);
}

void TAdvCustomDropDown::SetFloatValue(double Value)
{
    const TDropDownEditRules r = EditRules();
    if (const std::optional<QString> text = DropDownFloatText(r, Value)) {
        SetText(*text);
        if (FEditType == etMoney) ApplyThousandSeparators();
    }
    SetIsModified(true);
}

double TAdvCustomDropDown::GetFloatValue() const
{
    return DropDownFloatValue(EditRules(), Text());
}

void TAdvCustomDropDown::SetIntValue(int Value)
{
    const TDropDownEditRules r = EditRules();
    if (const std::optional<QString> text = DropDownIntText(r, Value)) {
        SetText(*text);
        if (FEditType == etMoney) ApplyThousandSeparators();
    }
    SetIsModified(true);
}

void TAdvCustomDropDown::ApplyThousandSeparators()
{
    const std::optional<TThousandsResult> t = ApplyThousandSeparatorsTo(EditRules(), EditState());
    if (!t) return;
    TDropDownEditWrite w;
    w.State = t->State;
    w.BlockChange = t->Changed;
    ApplyWrite(w);
}

void TAdvCustomDropDown::SetIsModified(bool Value)
{
    if (HasState(csLoading) || !FEditorEnabled || ReadOnly()) return;
    SetModified(Value);
    FIsModified = Value;
}

TDropDownEditState TAdvCustomDropDown::EditState() const
{
    TDropDownEditState s;
    s.Text = TControl::Text();
    s.SelStart = SelStart();
    s.SelLength = SelLength();
    return s;
}

void TAdvCustomDropDown::ApplySelection(const TDropDownEditState& S)
{
    SetSelStart(S.SelStart);
    SetSelLength(S.SelLength);
}

void TAdvCustomDropDown::ApplyWrite(const TDropDownEditWrite& W)
{
    if (W.State.Text != TControl::Text()) {
        if (W.BlockChange) FBlockChange = true;
        if (W.Typed && !W.BlockChange) {
            // A typed character's change is reported with the caret where
            // the typing left it, as the user's own edit reports it (the
            // typing completion reads the typed part before the caret).
            FBlockChange = true;
            TControl::SetText(W.State.Text);
            FBlockChange = false;
            ApplySelection(W.State);
            Change();
            return;
        }
        TControl::SetText(W.State.Text);
    }
    ApplySelection(W.State);
}

void TAdvCustomDropDown::SelectAll()
{
    ApplySelection(SelectAllValue(EditRules(), EditState()));
}

void TAdvCustomDropDown::SelectBeforeDecimal()
{
    ApplySelection(::SelectBeforeDecimal(EditRules(), EditState()));
}

void TAdvCustomDropDown::SelectAfterDecimal()
{
    ApplySelection(::SelectAfterDecimal(EditRules(), EditState()));
}

void TAdvCustomDropDown::Change()
{
    // A change whose notification was to be swallowed.
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    HandleChange();
}

void TAdvCustomDropDown::HandleChange()
{
    TCustomMaskEdit::Change();
}

// ---------------------------------------------------------------------------
// Assign and streaming

void TAdvCustomDropDown::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TAdvCustomDropDown*>(Source);
    if (!src) return;
    FFocusDraw = src->FFocusDraw;
    FForceShadow = src->FForceShadow;
    FDropDownEnabled = src->FDropDownEnabled;
    FDropDownColor = src->FDropDownColor;
    FDropDownColorTo = src->FDropDownColorTo;
    FDropDownGradient = src->FDropDownGradient;
    FDropDownBorderColor = src->FDropDownBorderColor;
    FDropDownBorderWidth = src->FDropDownBorderWidth;
    FDropDownShadow = src->FDropDownShadow;
    SetDropDownWidth(src->FDropDownWidth);
    SetDropDownHeight(src->FDropDownHeight);
    FDropDownSizeable = src->FDropDownSizeable;
    FEditType = src->FEditType;
    FReturnIsTab = src->FReturnIsTab;
    FLengthLimit = src->FLengthLimit;
    FPrecision = src->FPrecision;
    FPrefix = src->FPrefix;
    FSuffix = src->FSuffix;
    FDefaultHandling = src->FDefaultHandling;
    FCanUndo = src->FCanUndo;
    FExcelStyleDecimalSeparator = src->FExcelStyleDecimalSeparator;
    FValidChars = src->FValidChars;
    FSigned = src->FSigned;
    FAutoThousandSeparator = src->FAutoThousandSeparator;
    FButtonAppearance->Assign(src->FButtonAppearance.get());
    FDropDownHeader->Assign(src->FDropDownHeader.get());
    FDropDownFooter->Assign(src->FDropDownFooter.get());
    FDropPosition = src->FDropPosition;
    FFlat = src->FFlat;
    SetDropDownButtonWidth(src->FButtonWidth);
    SetDropDownButtonHint(src->FButtonHint);
    FEditorEnabled = src->FEditorEnabled;
    if (FButton && src->FButton) {
        FButton->SetGlyph(src->FButton->Glyph());
        FButton->SetButtonCaption(src->FButton->ButtonCaption());
    }
    SetImages(src->FImages);
    FSelectionColorStyle = src->FSelectionColorStyle;
    FSelectionColor = src->FSelectionColor;
    FSelectionColorTo = src->FSelectionColorTo;
}

const TPropertyList& TAdvCustomDropDown::Properties()
{
    using D = TAdvCustomDropDown;
    static const TPropertyList list = TPropertyList()
        .Color<D>("BorderColor", &D::BorderColor, &D::SetBorderColor)
        .Color<D>("FocusBorderColor", &D::FocusBorderColor, &D::SetFocusBorderColor)
        .Boolean<D>("DisabledBorder", &D::DisabledBorder, &D::SetDisabledBorder)
        .Color<D>("DropDownColor", &D::DropDownColor, &D::SetDropDownColor)
        .Color<D>("DropDownBorderColor", &D::DropDownBorderColor, &D::SetDropDownBorderColor)
        .Integer<D>("DropDownBorderWidth", &D::DropDownBorderWidth, &D::SetDropDownBorderWidth)
        .Boolean<D>("DropDownShadow", &D::DropDownShadow, &D::SetDropDownShadow)
        .Integer<D>("DropDownWidth", &D::DropDownWidth, &D::SetDropDownWidth)
        .Integer<D>("DropDownHeight", &D::DropDownHeight, &D::SetDropDownHeight)
        .Enum<D, TDropPosition>("DropPosition", &D::DropPosition, &D::SetDropPosition,
                                {QStringLiteral("dpAuto"), QStringLiteral("dpDown"), QStringLiteral("dpUp")})
        .Integer<D>("DropDownButtonWidth", &D::DropDownButtonWidth, &D::SetDropDownButtonWidth)
        .String<D>("DropDownButtonHint", &D::DropDownButtonHint, &D::SetDropDownButtonHint)
        .Boolean<D>("DropDownSizeable", &D::DropDownSizeable, &D::SetDropDownSizeable)
        .String<D>("Version", &D::Version, &D::SetVersion)
        .Boolean<D>("EditorEnabled", &D::EditorEnabled, &D::SetEditorEnabled)
        .Boolean<D>("DropDownEnabled", &D::DropDownEnabled, &D::SetDropDownEnabled)
        .String<D>("LabelCaption", &D::LabelCaption, &D::SetLabelCaption)
        .Enum<D, TLabelPosition>("LabelPosition", &D::LabelPosition, &D::SetLabelPosition)
        .Integer<D>("LabelMargin", &D::LabelMargin, &D::SetLabelMargin)
        .Boolean<D>("LabelTransparent", &D::LabelTransparent, &D::SetLabelTransparent)
        .Boolean<D>("LabelAlwaysEnabled", &D::LabelAlwaysEnabled, &D::SetLabelAlwaysEnabled)
        .Color<D>("SelectionColor", &D::SelectionColor, &D::SetSelectionColor)
        .Color<D>("SelectionColorTo", &D::SelectionColorTo, &D::SetSelectionColorTo)
        .String<D>("Text", [](const D& d) { return d.Text(); }, [](D& d, const QString& v) { d.SetText(v); })
        .Integer<D>("SelectionColorStyle", [](const D& d) { return int(d.FSelectionColorStyle); },
                    [](D& d, int v) {
                        if (v >= scCustom && v <= scWindows7) d.FSelectionColorStyle = TSelectionColorStyle(v);
                    })
        .Integer<D>("ZURStyle", [](const D& d) { return int(d.FVisualStyle); },
                    [](D& d, int v) {
                        if (v >= int(TVisualStyle::tsOffice2003Blue) && v <= int(TVisualStyle::tsOffice2010Black))
                            d.FVisualStyle = TVisualStyle(v);
                    });
    return list;
}

const TPropertyList* TAdvCustomDropDown::PropertyList() const
{
    return &Properties();
}

// ---------------------------------------------------------------------------
// Life of the component

void TAdvCustomDropDown::Loaded()
{
    TCustomMaskEdit::Loaded();
    FParentFnt = ParentFont();
    SetEditRect();
    UpdateControlBounds();
    if (FButton) FButton->SetEnabled(Enabled());
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
    UpdateLabel();
    if (FLabel && ParentFont()) FLabel->Font()->Assign(Font());
}

void TAdvCustomDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove || HasState(csDestroying)) return;
    if (AComponent == FImages) {
        FImages = nullptr;
        Invalidate();
    }
    if (AComponent == FControl) FControl = nullptr;
    if (AComponent == FFocusControl) FFocusControl = nullptr;
    if (AComponent == FLabel) FLabel = nullptr;
    if (AComponent == FDropDownForm) FDropDownForm = nullptr;
    if (AComponent == FButton) FButton = nullptr;
}

void TAdvCustomDropDown::ReadOnlyChanged()
{
    if (FButton) FButton->InvalidateButton();
}

// ---------------------------------------------------------------------------
// Messages

void TAdvCustomDropDown::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        KeyDownMessage(m);
        return;
    case WM_CHAR:
        CharMessage(m);
        return;
    case WM_CUT:
        CutMessage(m);
        return;
    case WM_COPY:
        CopyMessage(m);
        return;
    case WM_PASTE:
        PasteMessage(m);
        return;
    case CM_WANTSPECIALKEY:
        WantSpecialKeyMessage(m);
        return;
    case WM_SETFOCUS:
        SetFocusMessage(m);
        return;
    case WM_KILLFOCUS:
        KillFocusMessage(m);
        return;
    case WM_LBUTTONDOWN:
        MouseDownMessage(m);
        return;
    case WM_LBUTTONUP:
        MouseUpMessage(m);
        return;
    case WM_SIZE:
        InheritedMessage(m);
        UpdateControlBounds();
        return;
    case CM_ENTER:
        if (AutoSelect() && !DropDownKeyDownNow(VK_LBUTTON)) SelectAll();
        InheritedMessage(m);
        Invalidate();
        return;
    case CM_EXIT:
        InheritedMessage(m);
        Invalidate();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        InheritedMessage(m);
        const bool inside = m.Msg == CM_MOUSEENTER;
        if (Enabled() && FMouseInControl != inside) {
            FMouseInControl = inside;
            Invalidate();
        }
        return;
    }
    case CM_ENABLEDCHANGED:
        InheritedMessage(m);
        if (FButton) FButton->SetEnabled(Enabled());
        return;
    case CM_FONTCHANGED:
        InheritedMessage(m);
        SetEditRect();
        return;
    case CM_PARENTFONTCHANGED:
        InheritedMessage(m);
        if (FLabel && ParentFont()) {
            FLabel->Font()->Assign(Font());
            UpdateLabel();
        }
        return;
    case CM_VISIBLECHANGED:
        InheritedMessage(m);
        if (FLabel && !LabelCaption().isEmpty()) FLabel->SetVisible(Visible());
        return;
    default:
        InheritedMessage(m);
    }
}

void TAdvCustomDropDown::ToggleDropDown(bool ByFormVisibility)
{
    const bool shown = ByFormVisibility ? (FDropDownForm && FDropDownForm->Visible()) : FDroppedDown;
    if (shown)
        DoHideDropDown(false);
    else
        DoShowDropDown();
}

void TAdvCustomDropDown::KeyDownMessage(TMessage& m)
{
    if (HasState(csDesigning)) return;
    Word key = Word(m.WParam);
    const bool alt = DropDownKeyDownNow(VK_MENU);
    const bool ctrl = DropDownKeyDownNow(VK_CONTROL);
    const bool shift = DropDownKeyDownNow(VK_SHIFT);
    // The one place Alt+Up and Alt+Down toggle the pop-up, whether the key
    // was typed in the edit or came back from the pop-up.
    if (alt && (key == VK_UP || key == VK_DOWN)) ToggleDropDown(false);
    auto popupKeys = [&]() {
        if (ReadOnly()) return;
        if (key == VK_RETURN) DoHideDropDown(false);
        else if (key == VK_ESCAPE) DoHideDropDown(true);
        else if (key == VK_F4 && !alt) ToggleDropDown(true);
    };
    if (!FEditorEnabled && Enabled()) {
        popupKeys();
        if (key == VK_RETURN || key == VK_ESCAPE) InheritedMessage(m);
        return;
    }
    if (ctrl && (key == VK_TAB || key == VK_RETURN)) {
        InheritedMessage(m);
        return;
    }
    if (key == VK_RETURN && FReturnIsTab) {
        key = VK_TAB;
        m.WParam = key;
        if (Visible()) PostKey(VK_TAB);
    }
    const TKeyDownOutcome rule = DropDownKeyDown(EditRules(), EditState(), key, shift);
    if (rule.Selection) {
        if (rule.Anchor >= 0)
            SetSelection(rule.Anchor, rule.Selection->SelStart);
        else
            ApplySelection(*rule.Selection);
    }
    if (rule.RaiseModified) SetIsModified(true);
    if (rule.Swallowed) {
        m.WParam = 0;
        m.Result = 0;
        return;
    }
    if (key == VK_BACK && !MaskActive()) {
        // Backspace deletes when its character comes (the typing rules):
        // only the key handlers run now.
        TShiftState s;
        if (shift) s += ssShift;
        if (ctrl) s += ssCtrl;
        if (alt) s += ssAlt;
        if (!DoKeyDown(key, s, m.LParam)) m.WParam = 0;
    } else {
        InheritedMessage(m);
        key = Word(m.WParam);
    }
    if (key == VK_DELETE && FEditType == etMoney) ApplyThousandSeparators();
    if (!FPrefix.isEmpty() && SelStart() < FPrefix.size()) SetSelStart(int(FPrefix.size()));
    popupKeys();
}

void TAdvCustomDropDown::CharMessage(TMessage& m)
{
    QChar ch(char16_t(m.WParam));
    if (!FEditorEnabled) {
        m.WParam = 0;
        return;
    }
    const bool ctrl = DropDownKeyDownNow(VK_CONTROL);
    TCustomForm* top = GetParentForm(this);
    if (ch.unicode() == 13 && ctrl) {
        m.WParam = 0;
        m.Result = 1;
        return;
    }
    if (ch.unicode() == 13) {
        if (OnKeyPress) {
            QChar k(char16_t(13));
            OnKeyPress(this, k);
        }
        m.WParam = 0;
        if (!FDefaultHandling && Parent()) {
            PostMessage(Parent(), WM_KEYDOWN, VK_RETURN, 0);
            if (top && top->KeyPreview())
                InheritedMessage(m);
            else
                PostMessage(Parent(), WM_KEYUP, VK_RETURN, 0);
        }
        return;
    }
    if (ch.unicode() == 27) {
        if (!FDefaultHandling && Parent()) {
            if (top && top->KeyPreview()) {
                InheritedMessage(m);
            } else {
                PostMessage(Parent(), WM_KEYDOWN, VK_ESCAPE, 0);
                PostMessage(Parent(), WM_KEYUP, VK_ESCAPE, 0);
            }
            return;
        }
        // Escape changes no text: it keeps the modified state Escape
        // cleared (with CanUndo) as it is.
        InheritedMessage(m);
        return;
    }
    TTypedCharContext context;
    context.CtrlDown = ctrl;
    context.KeypadKey = (m.LParam & KF_KEYPAD_BIT) != 0;
    TTypedCharOutcome outcome = DropDownTypeChar(EditRules(), EditState(), ch, context);
    if (outcome.Unfiltered) {
        InheritedMessage(m);
        return;
    }
    m.WParam = outcome.PassChar ? outcome.PassChar->unicode() : 0;
    ApplyTypedOutcome(outcome);
}

void TAdvCustomDropDown::ApplyTypedOutcome(const TTypedCharOutcome& Outcome)
{
    // The change notification of a whole selected value typed over is
    // swallowed: the first write that changes the text carries it (none when
    // the character changes nothing).
    bool block = Outcome.BlockFirstWrite;
    auto write = [&](TDropDownEditWrite w) {
        if (block && w.State.Text != TControl::Text()) {
            w.BlockChange = true;
            block = false;
        }
        ApplyWrite(w);
    };
    if (Outcome.SetTextZero) SetText(QStringLiteral("0,0"));
    for (const TDropDownEditWrite& w : Outcome.Writes) write(w);
    if (Outcome.RaiseModified && !Outcome.PassChar) SetIsModified(true);
    if (!Outcome.PassChar) return;

    // The edit's own processing: the key-press handlers first, which may
    // change or swallow the character.
    QChar ch = *Outcome.PassChar;
    if (Outcome.RaiseModified) SetIsModified(true);
    if (!DoKeyPress(ch, 0)) return;
    const TDropDownEditState before = EditState();
    if (MaskActive()) {
        TMessage m{WM_CHAR, ch.unicode(), 0, 0};
        ForwardKeyToWidget(WM_CHAR, m);
    } else {
        TDropDownEditWrite typed;
        typed.State = PlatformTypeChar(EditRules(), before, ch);
        typed.Typed = true;
        write(typed);
    }
    const bool changed = TControl::Text() != before.Text;
    if (changed) {
        SetModified(true);
        if (ch.unicode() != 8) SetIsModified(true);
    }
    const TAfterTypedOutcome after = DropDownAfterTyped(EditRules(), Outcome, EditState(), ch);
    for (const TDropDownEditWrite& w : after.Writes) write(w);
    if (after.RaiseModified) SetIsModified(true);
    if (after.CallChange) HandleChange();
}

void TAdvCustomDropDown::WantSpecialKeyMessage(TMessage& m)
{
    TCustomForm* form = GetParentForm(this);
    if (!form) return;
    const Word original = Word(m.WParam);
    if (!form->KeyPreview()) {
        if (original == VK_ESCAPE && FCanUndo) {
            SelectAll();
            SetIsModified(false);
            m.WParam = 0;
            if (Parent() && FDefaultHandling) {
                PostMessage(Parent(), WM_KEYDOWN, VK_ESCAPE, 0);
                PostMessage(Parent(), WM_KEYUP, VK_ESCAPE, 0);
            }
        } else if (original == VK_RETURN && FDefaultHandling && Parent() && Parent()->Focused()) {
            PostMessage(Parent(), WM_KEYDOWN, VK_RETURN, 0);
            PostMessage(Parent(), WM_KEYUP, VK_RETURN, 0);
        }
    }
    InheritedMessage(m);
    if (m.WParam == VK_ESCAPE && FDropDownForm && FDropDownForm->Visible()) m.Result = 1;
}

void TAdvCustomDropDown::HandleKeyDown(Word& Key, TShiftState Shift)
{
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TAdvCustomDropDown::HandleKeyPress(QChar& Key)
{
    TCustomMaskEdit::KeyPress(Key);
    if (Key.unicode() == 13) Key = QChar();
}

void TAdvCustomDropDown::HandleKeyUp(Word& Key, TShiftState Shift)
{
    TCustomMaskEdit::KeyUp(Key, Shift);
}

// ---------------------------------------------------------------------------
// Mouse

bool TAdvCustomDropDown::HandleQtEvent(QWidget* w, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress && w == Widget() && FEditorEnabled) {
        auto* me = static_cast<QMouseEvent*>(e);
        const QPoint p = me->position().toPoint();
        if (me->button() == Qt::LeftButton && Focused() && SelLength() > 0) {
            const int at = CharFromPos(TPoint(p.x(), p.y()));
            if (at >= SelStart() && at <= SelStart() + SelLength()) {
                FButtonDown = true;
                return true;
            }
        }
    }
    return TCustomMaskEdit::HandleQtEvent(w, e);
}

void TAdvCustomDropDown::MouseDownMessage(TMessage& m)
{
    if (!FEditorEnabled) {
        InheritedMessage(m);
        DropDownButtonClick(this);
        return;
    }
    const TPoint p(LParamX(m.LParam), LParamY(m.LParam));
    if (Focused() && SelLength() > 0) {
        const int at = CharFromPos(p);
        if (at >= SelStart() && at <= SelStart() + SelLength()) {
            // A press inside the selection keeps it until the release.
            FButtonDown = true;
            return;
        }
    }
    InheritedMessage(m);
}

void TAdvCustomDropDown::MouseUpMessage(TMessage& m)
{
    if (!FEditorEnabled || ReadOnly()) Invalidate();
    if (FButtonDown) {
        const int at = CharFromPos(TPoint(LParamX(m.LParam), LParamY(m.LParam)));
        if (at >= 0) {
            SetSelStart(at);
            SetSelLength(0);
        }
    }
    FButtonDown = false;
    InheritedMessage(m);
    ApplySelection(SelectionAfterMouseUp(EditRules(), EditState()));
}

bool TAdvCustomDropDown::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    const bool handled = TCustomMaskEdit::DoMouseWheelDown(Shift, MousePos);
    DoWheelDown();
    return handled;
}

bool TAdvCustomDropDown::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    const bool handled = TCustomMaskEdit::DoMouseWheelUp(Shift, MousePos);
    DoWheelUp();
    return handled;
}

void TAdvCustomDropDown::DropDownButtonClick(TObject*)
{
    if (HasState(csDesigning) || !FDropDownForm || FDropDownForm->Visible()) return;
    // Unsigned: right across the wrap of the 32-bit tick count.
    const uint32_t since = GetTickCount() - FDropDownForm->DeActivateTime();
    if (since <= DropDownReopenGuardMs) return;
    DoShowDropDown();
}

// ---------------------------------------------------------------------------
// Focus

void TAdvCustomDropDown::DoEnter()
{
    TCustomMaskEdit::DoEnter();
    SetEditRect();
}

void TAdvCustomDropDown::SetFocusMessage(TMessage& m)
{
    if (HasState(csLoading)) {
        InheritedMessage(m);
        return;
    }
    InheritedMessage(m);
    if (FEditorEnabled) {
        if (AutoSelect())
            SelectAll();
        else if (FEditType == etFloat || FEditType == etMoney)
            SelectBeforeDecimal();
    } else {
        // The focus box stands for the caret.
        Edit()->setCursorPosition(0);
        Edit()->deselect();
        Invalidate();
    }
}

void TAdvCustomDropDown::KillFocusMessage(TMessage& m)
{
    if (!HasState(csLoading)) RunLeaveNormalization();
    InheritedMessage(m);
    if (!FEditorEnabled) Invalidate();
}

void TAdvCustomDropDown::RunLeaveNormalization()
{
    switch (DropDownLeaveAction(EditRules(), Text())) {
    case TLeaveAction::Reformat: {
        const bool modified = FIsModified;
        SetFloatValue(GetFloatValue());
        SetIsModified(modified);
        break;
    }
    case TLeaveAction::SetZeroText:
        SetText(QStringLiteral("0"));
        break;
    case TLeaveAction::SetZeroFloat:
        SetFloatValue(0);
        break;
    case TLeaveAction::Nothing:
        break;
    }
}

// ---------------------------------------------------------------------------
// Clipboard

void TAdvCustomDropDown::CutMessage(TMessage& m)
{
    if (!FEditorEnabled || ReadOnly()) return;
    bool allow = true;
    FBlockCopy = true;
    if (OnClipboardCut) {
        const TDropDownEditState s = EditState();
        const QString selected = Text().mid(std::max(0, s.SelStart - int(FPrefix.size())), s.SelLength);
        GuardEvent([&] { OnClipboardCut(this, selected, allow); });
    }
    if (allow) InheritedMessage(m);
    FBlockCopy = false;
}

void TAdvCustomDropDown::CopyMessage(TMessage& m)
{
    bool allow = true;
    if (OnClipboardCopy && !FBlockCopy) {
        const TDropDownEditState s = EditState();
        const QString selected = Text().mid(std::max(0, s.SelStart - int(FPrefix.size())), s.SelLength);
        GuardEvent([&] { OnClipboardCopy(this, selected, allow); });
    }
    FBlockCopy = false;
    if (allow) InheritedMessage(m);
}

void TAdvCustomDropDown::PasteMessage(TMessage&)
{
    // The edit's own paste never runs: these rules are the only paste.
    if (ReadOnly() || !Clipboard().HasFormat(CF_TEXT)) return;
    const QString clip = Clipboard().AsText();
    const TDropDownEditRules rules = EditRules();
    const TPastePlan plan = DropDownPastePlan(rules, EditState(), clip);
    bool allow = true;
    if (OnClipboardPaste) {
        if (!GuardEvent([&] { OnClipboardPaste(this, plan.NewValue, allow); })) return;
    }
    if (!allow || plan.TooLong) return;
    switch (plan.Action) {
    case TPasteAction::SetText:
        SetText(plan.TextToSet);
        break;
    case TPasteAction::SetTextAndReformat:
        SetText(plan.TextToSet);
        SetFloatValue(GetFloatValue());
        break;
    case TPasteAction::Nothing:
        break;
    }
    if (plan.RaiseModified) SetIsModified(true);
    ApplySelection(DropDownPasteSelection(rules, plan, TControl::Text()));
}

TTimer* TAdvCustomDropDown::NewKeyTimer(std::function<void()> Tick)
{
    auto* timer = new TTimer(this);
    timer->SetEnabled(false);
    timer->SetInterval(500);
    timer->SetOnTimer([Tick = std::move(Tick)](TObject*) { Tick(); });
    return timer;
}
