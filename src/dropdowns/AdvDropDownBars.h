#pragma once
// The header and footer bars of a drop-down's pop-up and their buttons.
//
// A bar is a strip at the top (header) or bottom (footer) of the pop-up
// that paints the look its appearance describes: a gradient or solid
// background, a border, an image, a marked-up caption and one TAdvButton per
// item of the drop-down's button collection; the footer also shows a size
// grip. Each bar keeps its own copy of the drop-down's appearance, taken
// (height included) every time the pop-up is prepared, and rebuilds its
// buttons each time.
//
// TAdvButton is a small owner-painted push button over its bar: it takes
// its colours from the drop-down's shared TAdvButtonAppearance, shows a hot
// face while the mouse is over it or it has the focus, a pressed face while
// the left button is held on it, and hands its ModalResult to the pop-up
// form on a click (footer buttons may close the pop-up with it).

#include "AdvDropDown.h"
#include "ClassesLists.h"
#include "Controls.h"

#include <memory>

class TCustomImageList;
class TTimer;

// A list of controls whose indexed access is checked against Count.
class TDbgList : public TList {
public:
    DECLARE_CLASSNAME(TDbgList)
    // Raises "Index out of bounds in list read access" at or beyond Count;
    // a negative index is the platform list's to reject.
    void* GetItemsEx(int Index) const;
    // Raises "Index out of bounds in list write access" at or beyond Count.
    void SetItemsEx(int Index, void* Value);
    // Clears the list and appends every entry of List in order.
    void AssignList(const TList* List);
};

class TAdvButton : public TCustomControl {
public:
    DECLARE_CLASSNAME(TAdvButton)
    // 23 x 22 at (0, 0); the bar sizes it later.
    explicit TAdvButton(TComponent* AOwner);
    ~TAdvButton() override;

    // Not owned; nothing is painted without one.
    TAdvButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TAdvButtonAppearance* v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    // Only footer buttons get their drop-down: a closing result hides it.
    TAdvCustomDropDown* AdvDropDown() const { return FAdvDropDown; }
    void SetAdvDropDown(TAdvCustomDropDown* v) { FAdvDropDown = v; }

    // The caption's extent (or the image's, when larger) plus 8 by 4.
    void AutoSizeButton();
    // The hot state (the mouse is over the button) and the pressed state.
    bool MouseInControl() const { return FMouseInControl; }
    bool MouseDownInControl() const { return FMouseDownInControl; }
    // One tick of the un-hot check: the cursor left the button.
    void UnHotTimerTick();

    // Hands the modal result to the pop-up form, closes the pop-up for a
    // closing result, then fires OnClick unless the keyboard clicked.
    void Click() override;
    virtual void DrawButton();
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void EnabledChanged() override;
    void DoEnter() override;
    void DoExit() override;

private:
    void SetHot(bool v);
    void UpdateHotTracking();
    bool PointInside(int X, int Y) const;

    TAdvButtonAppearance* FAppearance = nullptr;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    TModalResult FModalResult = mrNone;
    TAdvCustomDropDown* FAdvDropDown = nullptr;
    bool FMouseInControl = false;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    bool FInternalClick = false;
    TTimer* FUnHotTimer = nullptr;
};

// What the two bars share, over their appearance class.
template <class TAppearance>
class TAdvDropDownBar : public TCustomControl {
public:
    static constexpr bool IsFooter = std::is_same_v<TAppearance, TFooterAppearance>;
    using TButtons = std::conditional_t<IsFooter, TFooterButtons, THeaderButtons>;

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
    // Binds the bar to a drop-down: its images and a copy of its appearance,
    // whose height the bar takes.
    void SetAdvDropDown(TAdvCustomDropDown* Edit);
    // The drop-down's button collection; null without a drop-down.
    TButtons* Buttons() const;
    // The TAdvButton children, in collection order.
    TDbgList* ButtonList() const { return FButtonList.get(); }
    TAdvButton* Button(int Index) const { return static_cast<TAdvButton*>(FButtonList->GetItemsEx(Index)); }

    // The bar's buttons from the drop-down's collection.
    void InitializeButtons();
    void CreateButtons();
    void ClearButtons();
    void ArrangeButtons();
    void UpdateButtons();
    TRect GetButtonArea() const;
    int GetButtonAreaHeight() const { return GetButtonArea().Height(); }
    // The caption's room left of the buttons; all -1 without buttons.
    TRect GetCaptionArea() const;
    // The appearance's Visible changed: Visible and Height follow it.
    void AppearanceChanged(TObject* Sender);
    // The bar draws all four border sides: no drop-down attached, or its
    // pop-up has no frame of its own.
    bool FullOutline() const;
    // A bar button's OnClick: the drop-down's header or footer button event.
    void ButtonClick(TObject* Sender);

    // Replaces all painting of the bar.
    TDrawBackGroundEvent OnDrawBackGround;
    // May change the caption before it is drawn.
    TGetTextEvent OnGetText;

protected:
    void Paint() override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The drop-down's appearance this bar copies.
    virtual TAppearance* EditAppearance(TAdvCustomDropDown* Edit) const = 0;
    // The right inset of the button area (the footer keeps room for its grip).
    virtual int ButtonAreaRightInset() const { return 2; }
    // The border sides and the footer's grip.
    void PaintBorder(const TRect& R);
    virtual void PaintGrip(const TRect&) {}

    std::unique_ptr<TAppearance> FAppearance;
    TCustomImageList* FImages = nullptr;
    TAdvCustomDropDown* FAdvDropDown = nullptr;
    std::unique_ptr<TDbgList> FButtonList;
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

    // The appearance asks for a grip and the attached drop-down is sizeable.
    bool SizeGripVisible() const;
    // X > Width - 12 and Y > Height - 15.
    bool InGripZone(int X, int Y) const { return X > Width() - 12 && Y > Height() - 15; }
    TCursor OldCursor() const { return FOldCursor; }

protected:
    TFooterAppearance* EditAppearance(TAdvCustomDropDown* Edit) const override { return Edit->DropDownFooter(); }
    int ButtonAreaRightInset() const override { return SizeGripVisible() ? 14 : 2; }
    void PaintGrip(const TRect& R) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void RestoreCursor();
    TCursor FOldCursor = crDefault;
};

// The twelve squares of the size grip in the rectangle with left L and
// bottom B: six white, six in Color one pixel left and up.
void DrawSizeGrip(TCanvas* Canvas, int L, int B, TColor Color);
