#pragma once
// The speed button: a flat-capable button without focus that shows a glyph
// and a caption, captures the mouse while pressed and clicks on a release
// inside. Descendants override Paint for a look of their own and may call
// PaintGlyph for the glyph part.

#include "Controls.h"

#include <memory>


class TSpeedButton : public TGraphicControl {
public:
    DECLARE_CLASSNAME(TSpeedButton)
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    // The glyph: NumGlyphs images side by side (up, disabled, down,
    // exclusive); its bottom-left pixel is the transparent colour.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    // Shown pressed while set.
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    // The parent shows through where nothing is drawn.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // bsDown while the left button holds it (or Down), bsDisabled when
    // disabled, else bsUp.
    TButtonState State() const;
    // The pointer is over the button.
    bool MouseInControl() const { return FMouseInControl; }

protected:
    void Paint() override;
    // The glyph image for the state, centred in r (moved by one pixel when
    // pressed), its transparent colour knocked out.
    void PaintGlyph(const TRect& r, TButtonState s);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    void TextChanged() override;

    // The left button holds the button pressed.
    bool FPressed = false;

private:
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    bool FDown = false;
    bool FFlat = false;
    bool FTransparent = false;
    bool FMouseInControl = false;
};
