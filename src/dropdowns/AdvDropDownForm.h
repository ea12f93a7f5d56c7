#pragma once
// The pop-up window of a drop-down edit and its drop button.
//
// TDropDownForm is a frameless pop-up window (the platform form's pop-up
// mode) that hosts the editor's control between the optional header and
// footer bars, paints the drop-down's background colours and border, closes
// itself when another window is activated (unless BlockActivate is on) and
// offers its bottom-right corner for sizing when Sizeable.
//
// TDropDownEditButton is the button at the edit's right edge; its inner
// TAdvDropDownSpeedButton paints the arrow in the drop-down's own colours,
// with a glyph, in the visual style or in the classic look.

#include "Buttons.h"
#include "Forms.h"

#include <cstdint>

class TAdvCustomDropDown;
class TAdvHeader;
class TAdvFooter;

class TDropDownForm : public TForm {
public:
    DECLARE_CLASSNAME(TDropDownForm)
    explicit TDropDownForm(TComponent* AOwner);

    // Tick count (GetTickCount) of the last deactivation while shown.
    uint32_t DeActivateTime() const { return FDeActivate; }
    bool Shadow() const { return FShadow; }
    void SetShadow(bool v) { FShadow = v; }
    TAdvHeader* Header() const { return FHeader; }
    TAdvFooter* Footer() const { return FFooter; }
    TAdvCustomDropDown* AdvDropDown() const { return FAdvDropDown; }
    void SetAdvDropDown(TAdvCustomDropDown* v) { FAdvDropDown = v; }
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool v) { FSizeable = v; }
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool v) { FCancelOnDeActivate = v; }
    // Activation changes are ignored (a dialog or a drag loop opened from
    // inside the pop-up).
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool v) { FBlockActivate = v; }

    // Creates or refreshes the header and footer bars from the drop-down's
    // appearances.
    void InitializeAndUpdate();
    // HTBOTTOMRIGHT in the sizing corner of a sizeable pop-up, else
    // HTNOWHERE (client coordinates of the form's own surface).
    intptr_t HitTest(TPoint P) const;
    // The background colours and the border (nothing without a drop-down).
    void DrawBackground(TCanvas* Canvas);

    // Fired when the user resizes the shown pop-up.
    TNotifyEvent OnSizing;

    void WndProc(TMessage& Message) override;

protected:
    // The controls are aligned once the pop-up shows: until then the hosted
    // control keeps the size it was made with, which sizes the pop-up.
    void AlignControls(TRect& r) override;
    void AdjustClientRect(TRect& r) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // A window outside the pop-up became active (Target: the control under
    // the pointer, null for another application).
    void Deactivated(TControl* Target);

    uint32_t FDeActivate = 0;
    bool FShadow = true;
    TAdvFooter* FFooter = nullptr;
    TAdvHeader* FHeader = nullptr;
    TAdvCustomDropDown* FAdvDropDown = nullptr;
    bool FSizeable = false;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
};

enum TDropDownButtonStyle { bsButton, bsDropDown };

class TDropDownEditButton;

class TAdvDropDownSpeedButton : public TSpeedButton {
public:
    DECLARE_CLASSNAME(TAdvDropDownSpeedButton)
    explicit TAdvDropDownSpeedButton(TComponent* AOwner);

    TDropDownButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TDropDownButtonStyle v);
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    bool Focused() const { return FFocused; }
    void SetFocused(bool v);
    // After this the button is never drawn pressed.
    void SetUp();
    bool Hot() const { return FHot; }
    // Down or exclusive, and not set up.
    bool Pressed() const;

    // The looks, for the painting tests.
    void PaintDropDownStyle(TCanvas* Canvas);
    void PaintButtonStyle(TCanvas* Canvas);

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TDropDownEditButton* EditButton() const;
    TAdvCustomDropDown* DropDown() const;
    bool DoVisualStyles() const;

    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    bool FIsWinXP = false;
    TDropDownButtonStyle FButtonStyle = bsDropDown;
};

class TDropDownEditButton : public TWinControl {
public:
    DECLARE_CLASSNAME(TDropDownEditButton)
    explicit TDropDownEditButton(TComponent* AOwner);

    TAdvDropDownSpeedButton* InnerButton() const { return FButton; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    TBitmap* Glyph() const;
    void SetGlyph(TBitmap* v);
    QString ButtonCaption() const;
    void SetButtonCaption(const QString& v);
    int NumGlyphs() const;
    void SetNumGlyphs(int v);
    // The width the button always takes (16 until the drop-down's button
    // width is written).
    int OwnWidth() const { return FBWidth; }
    void SetOwnWidth(int v);

    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor v);
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor v) { FButtonBorderColor = v; }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor v);
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor v);
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor v);
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor v);
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor v);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Repaints the button and its inner button.
    void InvalidateButton();

    // A left-button release on the inner button.
    TNotifyEvent OnClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void EnabledChanged() override;
    void Resize() override;

private:
    void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    TAdvDropDownSpeedButton* FButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    int FBWidth = 16;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
};
