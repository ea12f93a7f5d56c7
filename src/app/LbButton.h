#pragma once
// TLbButton: the push button of every window. It paints itself completely
// (see LbButtons.h) and handles the mouse, Enter and Space, its caption's
// accelerator, the form's default and cancel keys and its form's modal
// result itself.

#include "Actions.h"
#include "Controls.h"
#include "LbButtons.h"

#include <memory>

class TLbButton;

// Follows an action's image: a button without a glyph shows it.
class TLbButtonActionLink : public TActionLink {
public:
    DECLARE_CLASSNAME(TLbButtonActionLink)
    explicit TLbButtonActionLink(TLbButton* AClient) : FClient(AClient) {}

protected:
    void Change() override;

private:
    TLbButton* FClient;
};

class TLbButton : public TCustomControl {
    friend class TLbButtonActionLink;

public:
    DECLARE_CLASSNAME(TLbButton)
    explicit TLbButton(TComponent* AOwner);
    ~TLbButton() override;
    void BeforeDestruction() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { StoreAndRepaint(FAlignment, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { StoreAndRepaint(FShadowColor, v); }
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor v) { StoreAndRepaint(FLightColor, v); }
    TColor ColorWhenDown() const { return FColorWhenDown; }
    void SetColorWhenDown(TColor v) { FColorWhenDown = v; }
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor v) { FHotTrackColor = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { StoreAndRepaint(FFlat, v); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { StoreAndRepaint(FWordWrap, v); }
    // The picture strip; setting copies it (none: empty).
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v) { StoreAndRepaint(FNumGlyphs, v); }
    TFont* HotTrackFont() const { return FHTFont.get(); }
    void SetHotTrackFont(TFont* v) { FHTFont->Assign(v); }
    bool UseHotTrackFont() const { return FUseHTFont; }
    void SetUseHotTrackFont(bool v) { FUseHTFont = v; }
    TLbButtonKind Kind() const { return FKind; }
    void SetKind(TLbButtonKind v);
    TLbButtonLayout Layout() const { return FLayout; }
    void SetLayout(TLbButtonLayout v) { StoreAndRepaint(FLayout, v); }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v);
    // A colour preset; reading always answers lcsCustom.
    TLbColorStyle ColorStyle() const { return FDummyStyle; }
    void SetColorStyle(TLbColorStyle v);
    TLbButtonStyle Style() const { return FStyle; }
    void SetStyle(TLbButtonStyle v) { StoreAndRepaint(FStyle, v); }
    bool Default() const { return FDefault; }
    void SetDefault(bool v) { FDefault = v; }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    // Fade the hot-track colour out slowly when the mouse leaves.
    bool SlowDecease() const { return FSlowDecease; }
    void SetSlowDecease(bool v);
    void SetEnabled(bool v) override;
    TBasicAction* Action() const;
    void SetAction(TBasicAction* v);

    // The programmatic click: pressed, then the click action.
    void Click() override;

    // Fade state (for the windows that look at it, and for tests).
    int HotTrackStep() const { return FHotTrackStep; }
    bool Pressed() const { return bDown; }
    bool CursorOnButton() const { return bCursorOnButton; }
    bool Fading() const;

    TNotifyEvent OnMouseExit;

    // Fade period in milliseconds.
    static constexpr int FadeInterval = 30;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void TextChanged() override;
    void TimerTick(unsigned id) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // One step of the fade (every FadeInterval ms while it runs).
    void HotTrackTick();
    // The click action: OnClick, modal result, popup menu.
    void PerformClick();
    void ActionChange();

private:
    // Stores a look property and repaints.
    template <class T>
    void StoreAndRepaint(T& Field, T Value)
    {
        Field = Value;
        Invalidate();
    }
    bool IsHot() const;
    bool ParentShowing() const;
    bool DialogChar(unsigned Char);
    bool DialogKey(Word Key, TShiftState Shift);
    void StopFade();
    TLbButtonFace FaceOf(TFont* font) const;

    TAlignment FAlignment = taCenter;
    TColor FShadowColor = 8421504;
    TColor FColorWhenDown = clNone;
    bool FEnabled = true;
    bool FFlat = false;
    bool FWordWrap = false;
    std::unique_ptr<TBitmap> FGlyph;
    TColor FHotTrackColor = clNone;
    std::unique_ptr<TFont> FHTFont;
    TLbButtonKind FKind = bkCustom;
    TLbButtonLayout FLayout = blGlyphLeft;
    TColor FLightColor = 16777215;
    TModalResult FModalResult = mrNone;
    int FNumGlyphs = 0;
    bool FUseHTFont = false;
    TLbColorStyle FDummyStyle = lcsCustom;
    TLbButtonStyle FStyle = bsNormal;
    bool FDefault = false;
    bool FCancel = false;
    bool FSlowDecease = false;
    bool bDown = false;
    bool bCursorOnButton = false;
    int FHotTrackStep = 0;
    std::unique_ptr<TLbButtonActionLink> FActionLink;
};
