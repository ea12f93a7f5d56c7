#pragma once
// The look of a drop-down pop-up's header and footer bars and of their
// buttons. Every drop-down edit owns one appearance of each, and so does
// every grid inside its control look; a bar copies its edit's.
//
// Only Visible, Font and Buttons have setters with an effect: Visible fires
// OnChange when it changes, Font and Buttons copy into the owned objects;
// every other property only stores. Construction values are the stream
// defaults.

#include "AdvDropDownPaint.h"
#include "ClassesLists.h"
#include "Controls.h"
#include "Graphics.h"
#include "Persistence.h"

#include <QString>
#include <memory>

// baLeft places the bar's buttons from its left edge, baRight from its right.
enum TButtonAlignment { baLeft, baRight };

// ---------------------------------------------------------------------------
// Bar buttons. Changing Caption, Enabled or Width makes the owning
// collection fire its OnChange; Height and ImageIndex are stored silently;
// adding or deleting buttons fires nothing.

class TDropDownBarButton : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TDropDownBarButton)

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    // -1: no image.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    // 0 or less: the button sizes itself.
    int Width() const { return FWidth; }
    void SetWidth(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }

    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

protected:
    explicit TDropDownBarButton(TCollection* Collection) : TCollectionItem(Collection) {}
    void AssignButton(const TDropDownBarButton& Source);

private:
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FWidth = 0;
    int FHeight = 0;
};

class THeaderButton : public TDropDownBarButton {
public:
    DECLARE_CLASSNAME(THeaderButton)
    explicit THeaderButton(TCollection* Collection) : TDropDownBarButton(Collection) {}
    // From another header button; any other source raises the assign error.
    void Assign(TPersistent* Source) override;
};

class TFooterButton : public TDropDownBarButton {
public:
    DECLARE_CLASSNAME(TFooterButton)
    explicit TFooterButton(TCollection* Collection) : TDropDownBarButton(Collection) {}

    // What a click hands to the pop-up form.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }

    // From another footer button; any other source raises the assign error.
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    TModalResult FModalResult = mrNone;
};

// The button collections report the appearance's owner as theirs.
class TDropDownBarButtons : public TOwnedCollection {
public:
    DECLARE_CLASSNAME(TDropDownBarButtons)
    // Fired when a button's Caption, Enabled or Width changes.
    TNotifyEvent OnChange;

protected:
    TDropDownBarButtons(TPersistent* AOwner, TCollectionItemFactory ItemClass)
        : TOwnedCollection(AOwner, std::move(ItemClass))
    {
    }
    void Update(TCollectionItem* Item) override;
};

class THeaderButtons : public TDropDownBarButtons {
public:
    DECLARE_CLASSNAME(THeaderButtons)
    explicit THeaderButtons(TPersistent* AOwner) : TDropDownBarButtons(AOwner, ItemClassOf<THeaderButton>()) {}
    THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
    THeaderButton* Insert(int Index) { return static_cast<THeaderButton*>(TCollection::Insert(Index)); }
    THeaderButton* Items(int Index) const { return static_cast<THeaderButton*>(TCollection::Items(Index)); }
    void SetItems(int Index, THeaderButton* Value) { TCollection::SetItems(Index, Value); }
};

class TFooterButtons : public TDropDownBarButtons {
public:
    DECLARE_CLASSNAME(TFooterButtons)
    explicit TFooterButtons(TPersistent* AOwner) : TDropDownBarButtons(AOwner, ItemClassOf<TFooterButton>()) {}
    TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
    TFooterButton* Insert(int Index) { return static_cast<TFooterButton*>(TCollection::Insert(Index)); }
    TFooterButton* Items(int Index) const { return static_cast<TFooterButton*>(TCollection::Items(Index)); }
    void SetItems(int Index, TFooterButton* Value) { TCollection::SetItems(Index, Value); }
};

// ---------------------------------------------------------------------------
// Bar appearances. The owner (the drop-down edit, the grid, or the owner of
// a bar) is what GetOwner answers.

class TDropDownBarAppearance : public TPersistent {
public:
    DECLARE_CLASSNAME(TDropDownBarAppearance)
    ~TDropDownBarAppearance() override;
    TPersistent* GetOwner() override { return FOwner; }

    // Background and gradient start.
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    // Gradient end; clNone gives a solid Color background.
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { FColorTo = v; }
    // In the mini-markup.
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v) { FCaption = v; }
    // Owned; writing copies the given font.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection v) { FGradientDirection = v; }
    // Fires OnChange when it changes.
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }
    // clNone switches the border off, as does a width of 0 or less.
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { FBorderColor = v; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; }
    // -1: no image.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
    void SetButtonAlignment(TButtonAlignment v) { FButtonAlignment = v; }

    TNotifyEvent OnChange;
    // Fired whenever the button collection fires its OnChange.
    TNotifyEvent OnButtonsChanged;

protected:
    TDropDownBarAppearance(TPersistent* AOwner, std::unique_ptr<TDropDownBarButtons> Buttons);
    TDropDownBarButtons* ButtonCollection() const { return FButtons.get(); }
    void SetButtonCollection(TDropDownBarButtons* v) { FButtons->Assign(v); }
    // Every property in the bars' order: Visible through its setter after
    // the others, then ButtonAlignment, then the buttons.
    void AssignAppearance(const TDropDownBarAppearance& Source);
    // Color, ColorTo, BorderColor, Font and GradientDirection.
    void AssignColorsOf(const TDropDownBarAppearance& Source);
    // The properties both appearances publish, without Buttons.
    static const TPropertyList& BaseProperties();

private:
    TPersistent* FOwner;
    TColor FColor = clSilver;
    TColor FColorTo = clWhite;
    QString FCaption;
    std::unique_ptr<TFont> FFont;
    TGradientDirection FGradientDirection = gdVertical;
    bool FVisible = true;
    int FHeight = 22;
    TColor FBorderColor = clBlack;
    int FBorderWidth = 1;
    int FImageIndex = -1;
    TButtonAlignment FButtonAlignment = baRight;
    std::unique_ptr<TDropDownBarButtons> FButtons;
};

class THeaderAppearance : public TDropDownBarAppearance {
public:
    DECLARE_CLASSNAME(THeaderAppearance)
    // The caption font is "Tahoma".
    explicit THeaderAppearance(TPersistent* AOwner);

    THeaderButtons* Buttons() const { return static_cast<THeaderButtons*>(ButtonCollection()); }
    void SetButtons(THeaderButtons* v) { SetButtonCollection(v); }

    // From another header appearance only; any other source is ignored.
    void Assign(TPersistent* Source) override;
    // From another header appearance: the colours, the font and the
    // gradient direction; any other source is ignored.
    void AssignColors(TPersistent* Source);

    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }
};

class TFooterAppearance : public TDropDownBarAppearance {
public:
    DECLARE_CLASSNAME(TFooterAppearance)
    // The caption font is the platform's default font.
    explicit TFooterAppearance(TPersistent* AOwner);

    TFooterButtons* Buttons() const { return static_cast<TFooterButtons*>(ButtonCollection()); }
    void SetButtons(TFooterButtons* v) { SetButtonCollection(v); }
    // The size grip is drawn when the pop-up is sizeable.
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v) { FSizeGrip = v; }

    // As the header's, SizeGrip included.
    void Assign(TPersistent* Source) override;
    void AssignColors(TPersistent* Source);

    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    bool FSizeGrip = true;
};

// ---------------------------------------------------------------------------
// The look of the bar buttons (and the colours the style presets give
// them): the normal, hot, pressed, checked and disabled faces. Every colour
// setter fires OnChange when the value changes; the font is copied.
class TAdvButtonAppearance : public TPersistent {
public:
    DECLARE_CLASSNAME(TAdvButtonAppearance)
    TAdvButtonAppearance();
    ~TAdvButtonAppearance() override;

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { SetColorOf(FBorderColor, v); }
    TColor BorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor v) { SetColorOf(FBorderColorHot, v); }
    TColor BorderColorDown() const { return FBorderColorDown; }
    void SetBorderColorDown(TColor v) { SetColorOf(FBorderColorDown, v); }
    TColor BorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(TColor v) { SetColorOf(FBorderColorDisabled, v); }
    TColor BorderColorChecked() const { return FBorderColorChecked; }
    void SetBorderColorChecked(TColor v) { SetColorOf(FBorderColorChecked, v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { SetColorOf(FColor, v); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { SetColorOf(FColorTo, v); }
    TColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor v) { SetColorOf(FColorDisabled, v); }
    TColor ColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor v) { SetColorOf(FColorDisabledTo, v); }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor v) { SetColorOf(FColorDown, v); }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor v) { SetColorOf(FColorDownTo, v); }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor v) { SetColorOf(FColorHot, v); }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor v) { SetColorOf(FColorHotTo, v); }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor v) { SetColorOf(FColorChecked, v); }
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor v) { SetColorOf(FColorCheckedTo, v); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection v);

    // From another button appearance, through the setters (the font stays).
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

private:
    void SetColorOf(TColor& field, TColor v);
    TColor FBorderColor;
    TColor FBorderColorHot;
    TColor FBorderColorDown;
    TColor FBorderColorDisabled;
    TColor FBorderColorChecked;
    TColor FColor;
    TColor FColorTo;
    TColor FColorDisabled;
    TColor FColorDisabledTo;
    TColor FColorDown;
    TColor FColorDownTo;
    TColor FColorHot;
    TColor FColorHotTo;
    TColor FColorChecked;
    TColor FColorCheckedTo;
    std::unique_ptr<TFont> FFont;
    TGradientDirection FGradient = gdVertical;
};
