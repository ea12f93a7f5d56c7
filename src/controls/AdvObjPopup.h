#pragma once
// Visual feedback of the grid outside its cells: the small arrow windows
// that mark where a moved row or column will land, the focus window that
// shows a glowing frame around the current cell, and the alpha mask (with
// its mask maker and blur) that makes the glow. The grid positions, shows
// and layers these itself.

#include "Controls.h"
#include "Graphics.h"

#include <QImage>
#include <array>

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

// The seven outline points of an arrow window, in client coordinates.
std::array<TPoint, 7> ArrowOutline(TArrowDirection Dir);

// A lime, frameless tool window shaped as an arrow; never takes the focus.
class TArrowWindow : public TCustomControl {
public:
    DECLARE_CLASSNAME(TArrowWindow)
    // Hidden after construction.
    TArrowWindow(TWinControl* AOwner, TArrowDirection Direction);

    TArrowDirection Dir() const { return FDir; }
    const std::array<TPoint, 7>& Arrow() const { return FArrow; }

protected:
    void Paint() override;

private:
    TArrowDirection FDir;
    std::array<TPoint, 7> FArrow;
};

// The window the grid shows its focus glow in: 0 x 0, red, disabled,
// topmost, never activated or focused, transparent for the mouse.
class TGridFocusWindow : public TCustomControl {
public:
    DECLARE_CLASSNAME(TGridFocusWindow)
    explicit TGridFocusWindow(TComponent* AOwner);
};

// A 32-bit bitmap of colour with alpha. It keeps the picture the way the
// platform's 32-bit bitmaps do, so that drawing it or showing it in a
// layered window looks right; PremultipliedImage gives the pixels with the
// colour multiplied by alpha (bytes blue, green, red, alpha).
class TGridAlphaMask : public TBitmap {
public:
    DECLARE_CLASSNAME(TGridAlphaMask)
    TGridAlphaMask();

    // Overall opacity when the mask is shown.
    uint8_t Opacity() const { return FOpacity; }
    void SetOpacity(uint8_t v) { FOpacity = v; }

    // From another mask: its size, opacity and pixels; from any other
    // graphic: the bitmap copy. The result is 32-bit.
    void Assign(TPersistent* Source) override;

    // Takes Bitmap's size; alpha comes from the red channel of Mask, colour
    // from Bitmap multiplied by it. Nothing unless Bitmap is 24-bit and
    // Mask has its size. Color does not affect the result.
    void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);

    // The pixels as a premultiplied image, for a layered window.
    QImage PremultipliedImage() const;

private:
    uint8_t FOpacity = 255;
};

// Bitmap becomes 24-bit W x H, black, with a white rounded rectangle from
// (2 + o, 2 + o) to (W - 2 - o, H - 2 - o), o = PenWidth / 2: filled when
// PenWidth < 1, else an outline PenWidth wide; blurred when Blur > 0.
void MakeRoundRectMask(TBitmap* Bitmap, int W, int H, int PenWidth, int Corner, double Blur);

// Gaussian blur of a 24-bit bitmap (any other raises). Rows and columns
// within 20 pixels of an edge are blurred; the inner ones copy row and
// column 15, which is exact for masks whose inner part is uniform.
// Radius <= 0 leaves the bitmap as it is.
void BlurBitmap(TBitmap* Bitmap, double Radius);
