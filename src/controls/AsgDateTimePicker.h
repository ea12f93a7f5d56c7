#pragma once
// The flat date pickers: the platform picker with the library's border
// look and an own-coloured drop-down button in Metro style. TFlatDatePicker
// holds what both pickers share; TAsgDateTimePicker (the grid's date editor
// base) and TCustomDateTimePicker (AdvDateTimePicker.h, with automatic field
// advance) differ only in the points of TFlatPickerTraits.

#include "AsgComboPaint.h"
#include "ComCtrlsPicker.h"

enum TPickerBorderStyle { pbsNone, pbsSingle };

// What sets the two picker classes apart.
struct TFlatPickerTraits {
    bool Ctl3D = true;
    TColor BorderColor = clNone;
    // Metro painting needs no design mode (the library picker) or no
    // suppressed borders (the auto-tab picker).
    bool MetroNeedsUnsuppressed = false;
    // The flat outline needs a BorderColor (library picker) or not.
    bool FlatBorderNeedsColor = true;
    // The themed strip fill starts ButtonWidth + this left of the right edge.
    int StripOffset = 15;
    // The outline of paint step 4.
    bool PaintOutline = false;
};

// ---- paint decisions

// Metro painting is active.
bool PickerMetroActive(const TFlatPickerTraits& T, bool MetroStyle, bool Designing, bool SuppressBorders);
// Paint steps 3 to 5 run (none before Vista; none with Ctl3D outside Metro).
bool PickerPaintsOwn(bool Ctl3D, bool MetroActive, bool IsVista);
// The own border drawing runs: Metro active, borders not suppressed, and
// disabled or with a border colour.
bool PickerDrawsBorders(bool MetroActive, bool SuppressBorders, bool Enabled, TColor BorderColor,
                        TColor FocusBorderColor);
// DrawFlatBorder runs.
bool PickerDrawsFlatBorder(const TFlatPickerTraits& T, bool Ctl3D, TColor BorderColor);
// DrawFlatBorder's pen colour.
TColor FlatBorderPenColor(TPickerBorderStyle Style, bool HasParent, TColor ParentColor, bool IsThemed,
                          TColor BorderColor);

class TFlatDatePicker : public TDateTimePicker {
public:
    DECLARE_CLASSNAME(TFlatDatePicker)
    TFlatDatePicker(TComponent* AOwner, const TFlatPickerTraits& Traits);

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool v);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    TPickerBorderStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TPickerBorderStyle v);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v) { FDisabledBorder = v; }
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v) { FFocusBorder = v; }
    TDropButtonColors& ButtonColors() { return FButtonColors; }
    const TDropButtonColors& ButtonColors() const { return FButtonColors; }
    int ButtonWidth() const { return FButtonWidth; }
    bool IsWinXP() const { return FIsWinXP; }
    bool IsThemed() const { return FIsThemed; }
    bool ButtonHover() const { return FButtonHover; }
    bool MouseInControl() const { return FMouseInControl; }
    bool HasFocus() const { return FHasFocus; }
    const TFlatPickerTraits& Traits() const { return FTraits; }

    // Borders are never the control's own (the auto-tab picker itself).
    virtual bool SuppressBorders() const { return false; }
    bool MetroActive() const;
    bool DoVisualStyles() const;
    bool IsActive() const;

    void AfterConstruction() override;

protected:
    void PaintOver(QPainter& painter) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoEnter() override;
    void DoExit() override;
    void DrawFlatBorder(TCanvas* Canvas);
    // The one-pixel outline in DrawFlatBorder's pen colour.
    void PaintOutline(TCanvas* Canvas);
    void DrawBorders(TCanvas* Canvas);

private:
    TFlatPickerTraits FTraits;
    TPickerBorderStyle FBorderStyle = pbsNone;
    TColor FBorderColor = clNone;
    bool FIsThemed = false;
    TDropButtonColors FButtonColors;
    int FButtonWidth = 0;
    bool FButtonHover = false;
    bool FMouseInControl = false;
    bool FIsWinXP = false;
    bool FMetroStyle = false;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = false;
    bool FHasFocus = false;
    bool FFocusBorder = false;
    bool FCtl3D = true;
    std::unique_ptr<TCanvas> FPaintCanvas;
};

class TAsgDateTimePicker : public TFlatDatePicker {
public:
    DECLARE_CLASSNAME(TAsgDateTimePicker)
    explicit TAsgDateTimePicker(TComponent* AOwner);
    // "1.0.0.0"; writes are ignored.
    QString Version() const { return QStringLiteral("1.0.0.0"); }
    void SetVersion(const QString&) {}
};
