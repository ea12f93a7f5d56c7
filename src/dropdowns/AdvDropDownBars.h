#pragma once
// The header and footer bars of a drop-down's pop-up: a strip at the top
// and one at the bottom that paint the look their appearance describes
// (a gradient or solid background). Each bar keeps its own copy of the
// drop-down's appearance, taken when the pop-up is prepared.
//
// The bars' buttons, border, image, caption and the footer's size grip
// come with the bar buttons; until then the bars paint their background.

#include "AdvDropDown.h"
#include "Controls.h"

#include <memory>

class TCustomImageList;

// What the two bars share, over their appearance class.
template <class TAppearance>
class TAdvDropDownBar : public TCustomControl {
public:
    explicit TAdvDropDownBar(TComponent* AOwner);
    ~TAdvDropDownBar() override;

    TAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(TAppearance* v)
    {
        if (v) FAppearance->Assign(v);
    }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    TAdvCustomDropDown* AdvDropDown() const { return FAdvDropDown; }
    // Binds the bar to a drop-down: its images and a copy of its appearance.
    void SetAdvDropDown(TAdvCustomDropDown* Edit);
    // The bar's buttons from the drop-down's collection (none yet).
    virtual void InitializeButtons() {}
    // The appearance's Visible changed: Visible and Height follow it.
    void AppearanceChanged(TObject* Sender);

    // Replaces all painting of the bar.
    TDrawBackGroundEvent OnDrawBackGround;
    // May change the caption before it is drawn.
    TGetTextEvent OnGetText;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The drop-down's appearance this bar copies.
    virtual TAppearance* EditAppearance(TAdvCustomDropDown* Edit) const = 0;

    std::unique_ptr<TAppearance> FAppearance;
    TCustomImageList* FImages = nullptr;
    TAdvCustomDropDown* FAdvDropDown = nullptr;
};

class TAdvHeader : public TAdvDropDownBar<THeaderAppearance> {
public:
    DECLARE_CLASSNAME(TAdvHeader)
    explicit TAdvHeader(TComponent* AOwner);

protected:
    THeaderAppearance* EditAppearance(TAdvCustomDropDown* Edit) const override { return Edit->DropDownHeader(); }
};

class TAdvFooter : public TAdvDropDownBar<TFooterAppearance> {
public:
    DECLARE_CLASSNAME(TAdvFooter)
    explicit TAdvFooter(TComponent* AOwner);

protected:
    TFooterAppearance* EditAppearance(TAdvCustomDropDown* Edit) const override { return Edit->DropDownFooter(); }
};
