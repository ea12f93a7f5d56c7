#pragma once
// TAdvGridButton: the window-less push button of the grid's search footer
// (find next, find previous, close). A speed button with a flat, optionally
// gradient and rounded face in seven colour looks, four glyphs plus a
// generated disabled glyph and drop shadow, an optional drop-down part, a
// check style and exclusive groups.

#include "Actions.h"
#include "Controls.h"
#include "Graphics.h"
#include "Menus.h"

#include <memory>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TAdvGridButtonStyle { tasButton, tasCheck };

// The control message a grouped button broadcasts to its parent's controls
// when it goes down: WParam the group index, LParam the sending control.
inline constexpr unsigned CM_BUTTONPRESSED = 0xB018;
// The control library's theme-changed notification, and the system's.
inline constexpr unsigned CM_THEMECHANGED = 0xB035;
inline constexpr unsigned WM_THEMECHANGED = 0x031A;

// Where glyph and caption go inside a client rectangle.
struct TButtonContentLayout {
    TPoint GlyphPos;
    TRect TextBounds;
};

// Places a glyph of GlyphSize and a caption of TextSize ((0, 0) when empty)
// inside Client by layout, margin (-1: centred) and spacing (-1: spread),
// moved by Offset. Right-to-left reading swaps left and right layouts.
TButtonContentLayout CalcButtonLayout(const TRect& Client, TSize GlyphSize, TSize TextSize, TButtonLayout Layout,
                                      int Margin, int Spacing, bool RightToLeft, TPoint Offset);

// Every pixel of Src becomes grey g, g, g with g = 96 + ((R + G + B) / 3) / 2.
void MakeDisabledGlyph(TBitmap* Src, TBitmap* Dest);
// The glyph's silhouette in grey 0x808080 on its transparent colour (the
// bottom-left pixel's); empty for an empty glyph.
void BuildGlyphShade(TBitmap* Glyph, TBitmap* Shade);

// Fills R with a vertical 16-step gradient From -> To, then outlines it in
// Frame unless that is clNone.
void DrawButtonGradient(TCanvas* Canvas, TColor From, TColor To, const TRect& R, TColor Frame);

class TAdvGridButton;

class TAdvGridButtonActionLink : public TActionLink {
public:
    DECLARE_CLASSNAME(TAdvGridButtonActionLink)
    explicit TAdvGridButtonActionLink(TAdvGridButton* AClient) : FClient(AClient) {}

    bool IsCaptionLinked() override;
    bool IsCheckedLinked() override;
    bool IsGroupIndexLinked() override;
    void SetCaption(const QString& Value) override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;

private:
    TAdvGridButton* FClient;
};

class TAdvGridButton : public TGraphicControl {
public:
    DECLARE_CLASSNAME(TAdvGridButton)
    explicit TAdvGridButton(TComponent* AOwner);
    ~TAdvGridButton() override;

    // Glyphs (owned; writing copies the bitmap).
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(TBitmap* v) { FGlyphHot->Assign(v); }
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(TBitmap* v) { FGlyphDown->Assign(v); }
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(TBitmap* v);
    // The generated shadow of Glyph.
    TBitmap* GlyphShade() const { return FGlyphShade.get(); }

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    // -1 centres; values below -1 are refused.
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool v);

    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v);
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor v) { FColorHot = v; }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor v) { FColorHotTo = v; }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor v) { FColorDown = v; }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor v) { FColorDownTo = v; }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor v);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor v);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor v) { FBorderDownColor = v; }
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor v) { FBorderHotColor = v; }

    // Builds the shadow (when not loading).
    bool Shaded() const { return FShaded; }
    void SetShaded(bool v);
    TAdvGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TAdvGridButtonStyle v);
    // The colour look 0-6 last applied (0 before any); other values do nothing.
    int Look() const { return FLook; }
    void SetLook(int v);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool v);
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool v);
    // Follow the colour scheme of the visual style (ThemeAdapt).
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool v);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool v);
    // Not owned; cleared when the menu is destroyed.
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* v);

    TBasicAction* Action() const;
    void SetAction(TBasicAction* v);

    // Picks the look that matches the visual style's colour scheme.
    void ThemeAdapt();

    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    void Click() override;
    void DblClick() override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnDropDown;

protected:
    void Paint() override;
    void Loaded() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void TextChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Sends itself mouse enter or leave by whether it is the control under
    // the cursor (flat, enabled buttons only).
    void UpdateTracking();
    // Tells the parent's controls that this grouped button went down.
    void UpdateExclusive();

    TButtonState FState = bsUp;

private:
    friend class TAdvGridButtonActionLink;
    bool Inside(int X, int Y) const;
    void RebuildGeneratedGlyphs();
    void DrawFace(TRect R, TColor From, TColor To, TColor Frame);
    void ButtonPressed(int Group, TControl* Sender);

    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TBitmap> FGlyphHot;
    std::unique_ptr<TBitmap> FGlyphDown;
    std::unique_ptr<TBitmap> FGlyphDisabled;
    std::unique_ptr<TBitmap> FGlyphShade;
    std::unique_ptr<TAdvGridButtonActionLink> FActionLink;
    bool FDisabledGenerated = false;
    bool FIsComCtl6;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    bool FTransparent = true;
    int FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
    TColor FColorTo = clNone;
    TColor FColorHot = TColor(0xCAC7C7);
    TColor FColorHotTo = clNone;
    TColor FColorDown = TColor(0xD8D3D2);
    TColor FColorDownTo = clNone;
    TColor FBorderColor = clNone;
    TColor FBorderDownColor = clNone;
    TColor FBorderHotColor = clNone;
    bool FShaded = true;
    TColor FColorChecked = TColor(0x808080);
    TColor FColorCheckedTo = clNone;
    TAdvGridButtonStyle FStyle = tasButton;
    int FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    TPopupMenu* FDropDownMenu = nullptr;
    bool FShowCaption = true;
};
