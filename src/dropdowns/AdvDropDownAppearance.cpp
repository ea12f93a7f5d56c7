#include "AdvDropDownAppearance.h"

// ---------------------------------------------------------------------------
// Buttons

void TDropDownBarButton::SetCaption(const QString& v)
{
    if (v == FCaption) return;
    FCaption = v;
    Changed(false);
}

void TDropDownBarButton::SetEnabled(bool v)
{
    if (v == FEnabled) return;
    FEnabled = v;
    Changed(false);
}

void TDropDownBarButton::SetWidth(int v)
{
    if (v == FWidth) return;
    FWidth = v;
    Changed(false);
}

void TDropDownBarButton::AssignButton(const TDropDownBarButton& Source)
{
    FCaption = Source.FCaption;
    FImageIndex = Source.FImageIndex;
    FEnabled = Source.FEnabled;
    FWidth = Source.FWidth;
    FHeight = Source.FHeight;
}

const TPropertyList& TDropDownBarButton::Properties()
{
    using C = TDropDownBarButton;
    static const TPropertyList list = TPropertyList()
        .String<C>("Caption", &C::Caption, &C::SetCaption)
        .Integer<C>("ImageIndex", &C::ImageIndex, &C::SetImageIndex)
        .Boolean<C>("Enabled", &C::Enabled, &C::SetEnabled)
        .Integer<C>("Width", &C::Width, &C::SetWidth)
        .Integer<C>("Height", &C::Height, &C::SetHeight);
    return list;
}

void THeaderButton::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<THeaderButton*>(Source)) {
        AssignButton(*src);
        return;
    }
    TPersistent::Assign(Source);
}

void TFooterButton::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TFooterButton*>(Source)) {
        AssignButton(*src);
        FModalResult = src->FModalResult;
        return;
    }
    TPersistent::Assign(Source);
}

const TPropertyList& TFooterButton::Properties()
{
    using C = TFooterButton;
    static const TPropertyList list =
        TPropertyList(&TDropDownBarButton::Properties()).Integer<C>("ModalResult", &C::ModalResult, &C::SetModalResult);
    return list;
}

// A button's own change names the button; adding, deleting, moving and the
// end of an update name none.
void TDropDownBarButtons::Update(TCollectionItem* Item)
{
    if (Item && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// Appearances

TDropDownBarAppearance::TDropDownBarAppearance(TPersistent* AOwner, std::unique_ptr<TDropDownBarButtons> Buttons)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::move(Buttons))
{
    FButtons->OnChange = [this](TObject*) {
        if (OnButtonsChanged) OnButtonsChanged(this);
    };
}

TDropDownBarAppearance::~TDropDownBarAppearance() = default;

void TDropDownBarAppearance::SetVisible(bool v)
{
    if (v == FVisible) return;
    FVisible = v;
    if (OnChange) OnChange(this);
}

void TDropDownBarAppearance::AssignAppearance(const TDropDownBarAppearance& Source)
{
    FColor = Source.FColor;
    FColorTo = Source.FColorTo;
    FCaption = Source.FCaption;
    FFont->Assign(Source.FFont.get());
    FGradientDirection = Source.FGradientDirection;
    FHeight = Source.FHeight;
    FBorderColor = Source.FBorderColor;
    FBorderWidth = Source.FBorderWidth;
    FImageIndex = Source.FImageIndex;
    SetVisible(Source.FVisible);
    FButtonAlignment = Source.FButtonAlignment;
    FButtons->Assign(Source.FButtons.get());
}

void TDropDownBarAppearance::AssignColorsOf(const TDropDownBarAppearance& Source)
{
    FColor = Source.FColor;
    FColorTo = Source.FColorTo;
    FBorderColor = Source.FBorderColor;
    FFont->Assign(Source.FFont.get());
    FGradientDirection = Source.FGradientDirection;
}

const TPropertyList& TDropDownBarAppearance::BaseProperties()
{
    using C = TDropDownBarAppearance;
    static const TPropertyList list = TPropertyList()
        .Color<C>("Color", &C::Color, &C::SetColor)
        .Color<C>("ColorTo", &C::ColorTo, &C::SetColorTo)
        .String<C>("Caption", &C::Caption, &C::SetCaption)
        .Object<C, TFont>("Font", &C::Font, &C::SetFont)
        .Enum<C, TGradientDirection>("GradientDirection", &C::GradientDirection, &C::SetGradientDirection,
                                     {"gdHorizontal", "gdVertical"})
        .Boolean<C>("Visible", &C::Visible, &C::SetVisible)
        .Integer<C>("Height", &C::Height, &C::SetHeight)
        .Color<C>("BorderColor", &C::BorderColor, &C::SetBorderColor)
        .Integer<C>("BorderWidth", &C::BorderWidth, &C::SetBorderWidth)
        .Integer<C>("ImageIndex", &C::ImageIndex, &C::SetImageIndex)
        .Enum<C, TButtonAlignment>("ButtonAlignment", &C::ButtonAlignment, &C::SetButtonAlignment,
                                   {"baLeft", "baRight"});
    return list;
}

THeaderAppearance::THeaderAppearance(TPersistent* AOwner)
    : TDropDownBarAppearance(AOwner, std::make_unique<THeaderButtons>(AOwner))
{
    Font()->SetName(QStringLiteral("Tahoma"));
}

void THeaderAppearance::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<THeaderAppearance*>(Source)) AssignAppearance(*src);
}

void THeaderAppearance::AssignColors(TPersistent* Source)
{
    if (auto* src = dynamic_cast<THeaderAppearance*>(Source)) AssignColorsOf(*src);
}

const TPropertyList& THeaderAppearance::Properties()
{
    using C = THeaderAppearance;
    static const TPropertyList list =
        TPropertyList(&BaseProperties()).Object<C, THeaderButtons>("Buttons", &C::Buttons, &C::SetButtons);
    return list;
}

TFooterAppearance::TFooterAppearance(TPersistent* AOwner)
    : TDropDownBarAppearance(AOwner, std::make_unique<TFooterButtons>(AOwner))
{
}

void TFooterAppearance::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TFooterAppearance*>(Source)) {
        FSizeGrip = src->FSizeGrip;
        AssignAppearance(*src);
    }
}

void TFooterAppearance::AssignColors(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TFooterAppearance*>(Source)) AssignColorsOf(*src);
}

const TPropertyList& TFooterAppearance::Properties()
{
    using C = TFooterAppearance;
    static const TPropertyList list = TPropertyList(&BaseProperties())
                                          .Object<C, TFooterButtons>("Buttons", &C::Buttons, &C::SetButtons)
                                          .Boolean<C>("SizeGrip", &C::SizeGrip, &C::SetSizeGrip);
    return list;
}

// ---------------------------------------------------------------------------
// TAdvButtonAppearance

TAdvButtonAppearance::TAdvButtonAppearance()
    : FBorderColor(clNone), FBorderColorHot(clGray), FBorderColorDown(clNavy), FBorderColorDisabled(clGray),
      FBorderColorChecked(clBlue), FColor(clNone), FColorTo(clNone), FColorDisabled(15921906),
      FColorDisabledTo(clNone), FColorDown(16111818), FColorDownTo(16367008), FColorHot(16117985),
      FColorHotTo(16372402), FColorChecked(ShiftColor(16117985, -10, -10, 0)),
      FColorCheckedTo(ShiftColor(16372402, -10, -10, 0)), FFont(std::make_unique<TFont>())
{
    FFont->SetName(QStringLiteral("Tahoma"));
}

TAdvButtonAppearance::~TAdvButtonAppearance() = default;

void TAdvButtonAppearance::SetColorOf(TColor& field, TColor v)
{
    if (field == v) return;
    field = v;
    if (OnChange) OnChange(this);
}

void TAdvButtonAppearance::SetGradient(TGradientDirection v)
{
    if (FGradient == v) return;
    FGradient = v;
    if (OnChange) OnChange(this);
}

void TAdvButtonAppearance::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TAdvButtonAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetColorChecked(s->FColorChecked);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorChecked(s->FBorderColorChecked);
    SetBorderColorDisabled(s->FBorderColorDisabled);
    SetGradient(s->FGradient);
}
