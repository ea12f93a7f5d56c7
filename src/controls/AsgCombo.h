#pragma once
// The combo box of the control library: the platform combo with an optional
// flat look and own border, own button colours, a focus colour, an attached
// caption label, focus on hover, an event when the list closes, selection by
// text and a list wider than the control. The grid's combo editors derive
// from it.

#include "AsgComboLabel.h"
#include "AsgComboPaint.h"
#include "StdCtrls.h"

#include <memory>

// The paint decision of the combo: the platform alone, or own painting.
struct TComboPaintInput {
    bool IsVista = false;
    bool Flat = false;
    bool HasFocus = false;
    bool Enabled = true;
    bool DoVisualStyles = false;
    bool DisabledBorder = true;
    TColor ButtonColor = clNone;
    TColor BorderColor = clNone;
    TColor FocusBorderColor = clNone;
};
bool ComboPaintsItself(const TComboPaintInput& In);
// DrawBorders returns at once.
bool ComboBordersSkipped(bool Enabled, bool Flat, TColor BorderColor, TColor FocusBorderColor, bool IsVista);
// How many times the non-client rules run DrawBorders (0, 1 or 2).
int ComboNcBorderPasses(const TComboPaintInput& In);

class TAsgCustomCombo : public TCustomComboBox {
public:
    DECLARE_CLASSNAME(TAsgCustomCombo)
    explicit TAsgCustomCombo(TComponent* AOwner);
    ~TAsgCustomCombo() override;

    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool v) { FAutoFocus = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    // 14 to 32; other values are ignored.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v) { FDisabledBorder = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor v);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool v);
    // Stored; the etched look draws nothing of its own.
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v) { FFocusBorder = v; }
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { FFocusColor = v; }
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool v) { FFocusLabel = v; }
    // Above 0: the list's width; 0: the platform's.
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int v);
    // While loading, a Color write is recorded as the loaded colour too.
    void SetColor(TColor v);
    void SetEnabled(bool v) override;
    void SetVisible(bool v) override;

    QString LabelCaption() const;
    void SetLabelCaption(const QString& v);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v);
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* v);
    TLabel* ComboLabel() const { return FLabel; }

    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v) { FIsWinXP = v; }
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool v) { FIsVista = v; }
    bool IsThemed() const { return FIsThemed; }

    TColor ButtonColor() const { return FButtonColors.Color; }
    void SetButtonColor(TColor v) { FButtonColors.Color = v; }
    TColor ButtonColorHot() const { return FButtonColors.ColorHot; }
    void SetButtonColorHot(TColor v) { FButtonColors.ColorHot = v; }
    TColor ButtonColorDown() const { return FButtonColors.ColorDown; }
    void SetButtonColorDown(TColor v) { FButtonColors.ColorDown = v; }
    TColor ButtonTextColor() const { return FButtonColors.TextColor; }
    void SetButtonTextColor(TColor v) { FButtonColors.TextColor = v; }
    TColor ButtonTextColorHot() const { return FButtonColors.TextColorHot; }
    void SetButtonTextColorHot(TColor v) { FButtonColors.TextColorHot = v; }
    TColor ButtonTextColorDown() const { return FButtonColors.TextColorDown; }
    void SetButtonTextColorDown(TColor v) { FButtonColors.TextColorDown = v; }
    TColor ButtonBorderColor() const { return FButtonColors.BorderColor; }
    void SetButtonBorderColor(TColor v) { FButtonColors.BorderColor = v; }

    // Records the current Color as the one focus loss restores.
    void Init();
    // Selects the item with exactly this text; nothing when there is none.
    void SelectItem(const QString& AString);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;

    // State the painting reads (also for tests).
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }
    bool HasFocus() const { return FHasFocus; }
    bool DoVisualStyles() const;
    static bool IsMouseButtonDown();
    bool IsActive() const;
    bool ShowFocusBorder() const;
    TComboPaintInput PaintInput() const;

    // The list closed.
    TNotifyEvent OnDropUp;

protected:
    void DoEnter() override;
    void DoExit() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void EnabledChanged() override;
    void FontChanged() override;
    void ParentFontChanged() override;
    void DropDown() override;
    void CloseUp() override;
    void PaintOver(QPainter& painter) override;

    void UpdateLabel();
    void LabelFontChanged();
    // Repaints (the platform's DrawBorders draws at once; here the next
    // paint draws the borders).
    void DrawBorders() { Invalidate(); }
    void PaintBorders(TCanvas* Canvas);
    void PaintButton(TCanvas* Canvas);
    void InvalidateButtonStrip();

private:
    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    TColor FOldColor = clWindow;
    TColor FLoadedColor = clWindow;
    bool FOldParentColor = false;
    int FButtonWidth = 0;
    bool FFocusBorder = false;
    bool FMouseInControl = false;
    int FDropWidth = 0;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FButtonHover = false;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    int FLabelMargin = 4;
    std::unique_ptr<TFont> FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    TLabel* FLabel = nullptr;
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FFocusColor = clNone;
    TColor FFocusBorderColor = clNone;
    TColor FBorderColor = clNone;
    bool FDisabledBorder = true;
    TColor FNormalColor = 0;
    bool FInitDone = false;
    // The Color the control had when it gained the focus (before Init).
    TColor FColorAtFocus = clNone;
    bool FHasFocus = false;
    bool FFocusLabel = false;
    TDropButtonColors FButtonColors;
    bool FIsVista = false;
    std::unique_ptr<TCanvas> FPaintCanvas;
};

class TAsgComboBox : public TAsgCustomCombo {
public:
    DECLARE_CLASSNAME(TAsgComboBox)
    explicit TAsgComboBox(TComponent* AOwner) : TAsgCustomCombo(AOwner) {}
};
