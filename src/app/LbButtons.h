#pragma once
// The look of the push button: its enumerations, the face painter and the
// two colour helpers it uses. Painting is kept apart from the control so a
// face can be drawn on any canvas (an off-screen image, a test recorder).

#include "Graphics.h"
#include "StdCtrls.h"
#include "Types.h"

#include <QString>

enum TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TLbButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TLbColorStyle {
    lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2, lcsUltraFlatXP, lcsAqua,
    lcsDefault, lcsQuicken
};

// Colour of a hot-track step: per channel Color x (1 - Step/8) + HotTrack x
// Step/8, truncated. System colours are resolved first.
TColor LbBlendHotTrack(TColor Color, TColor HotTrack, int Step);

// A vertical gradient in R from FromColor (top) to ToColor (bottom), drawn as
// Bands horizontal bands.
void LbFillGradient(TCanvas* Canvas, const TRect& R, TColor FromColor, TColor ToColor, int Bands = 32);

// Which image of a glyph strip of Count images a face shows.
int LbGlyphImageIndex(int Count, bool Enabled, bool Hot, bool Down);

// Everything a face is drawn from.
struct TLbButtonFace {
    TColor Color = clBtnFace;
    TColor LightColor = clWhite;
    TColor ShadowColor = clGray;
    TColor ColorWhenDown = clNone;
    TColor HotTrackColor = clNone;
    int HotTrackStep = 0;
    TLbButtonStyle Style = bsNormal;
    TLbButtonLayout Layout = blGlyphLeft;
    TAlignment Alignment = taCenter;
    TBitmap* Glyph = nullptr;  // the strip; none or empty: no image
    int NumGlyphs = 0;
    QString Caption;
    TFont* Font = nullptr;  // none: the canvas's font as it is
    bool Hot = false;       // mouse over the button or focused
    bool Enabled = true;
    bool Down = false;      // pressed (ignored while disabled)
    bool PopupArrow = false;
    bool WordWrap = false;
    bool Flat = false;
};

// Where the parts of a face go (what DrawLbButtonFace draws).
struct TLbFaceLayout {
    bool Down = false;     // pressed and enabled
    int Offset = 0;        // content shift of a pressed face
    TColor FaceColor = clNone;
    QString Caption;       // after fitting
    TRect TextRect;
    bool HasImage = false;
    int ImageIndex = 0;
    TRect ImageRect;       // the image's place (gw x gh)
};

// Computes the layout with the canvas's font as DrawLbButtonFace sets it.
TLbFaceLayout LayoutLbButtonFace(TCanvas* Canvas, int W, int H, const TLbButtonFace& Face);

// Draws the complete face into (0, 0, W, H): background, frame, caption,
// glyph image and popup arrow. The canvas's font, pen and brush change.
void DrawLbButtonFace(TCanvas* Canvas, int W, int H, const TLbButtonFace& Face);

// The button's named image resources (kind glyphs and the popup arrow),
// registered on first use; safe to call any number of times.
void RegisterLbButtonResources();
