#pragma once
// Painting routines of the drop-down controls, also used by the grid for its
// background and its search footer: the banded gradient, colour blending
// and shifting, a gradient box, an image with its text, a glyph on a
// colour, and measuring and shortening single-line texts. Every routine
// reads system colours converted and clNone as white.

#include "AdvUtilPaint.h"
#include "Graphics.h"
#include "Types.h"

#include <QString>
#include <functional>
#include <vector>

class TBitmap;
class TCustomImageList;
class TWinControl;

// gdHorizontal runs from left to right, gdVertical from top to bottom.
enum TGradientDirection { gdHorizontal, gdVertical };

// The bands of a banded two-colour gradient over R, in drawing order (a
// later band may cover part of an earlier one). Horizontal: the colour
// changes from left to right in vertical strips. The far edge of R along
// the gradient is taken 1 pixel in; Steps 0 counts as 1, a negative Steps
// gives no band. System colours are converted; the channels are read from
// the three low bytes, so clNone reads as white. Each band is Round(band
// length) + 1 pixels long, at Round(i x band length) kept to its low 16 bits
// (halves round to even).
std::vector<TGradientBand> DropDownGradientBands(TColor FromColor, TColor ToColor, int Steps, TRect R,
                                                 bool Horizontal);

// Paints those bands as rectangles with pen and brush in the band's colour;
// the canvas keeps the last band's pen and brush. Nothing without a canvas.
void DrawDropDownGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Horizontal);

// Percent of Color1 mixed with the rest of Color2, each channel rounded
// (halves to even); 100 or more answers Color1 as it is, 0 or less Color2.
TColor BlendColor(TColor Color1, TColor Color2, int Percent);
// Each channel darkened by a negative delta's percentage; a zero channel
// becomes the larger of 0 and its delta. Channels keep their low 8 bits.
TColor ShiftColor(TColor Color, int DeltaRed, int DeltaGreen, int DeltaBlue);
// A gradient (80 steps) or solid box with an optional border.
void DrawGradientBox(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor BorderColor,
                     int BorderWidth, TGradientDirection Direction);
// An image of the list at the left, vertically centred, then the text (one
// line, vertically centred, ellipsis at the end; centred without an image).
void DrawImageAndText(TCanvas* Canvas, const TRect& R, const QString& Text, int ImageIndex,
                      TCustomImageList* Images);
// The glyph with its (0, 0) pixel's colour replaced by Color, into R.
void DrawTransparentGlyph(TCanvas* Canvas, TBitmap* Glyph, TColor Color, const TRect& R);
// The size of a text as one line; (0, 0) for an empty text.
TSize GetTextExtent(TCanvas* Canvas, const QString& Text);
// The text shortened from its end (with "..." when Ellipsis) until it is
// narrower than MaxWidth; a text already narrow enough unchanged; the whole
// text when nothing fits. Width measures a candidate.
QString FitTextToWidth(const QString& Text, int MaxWidth, bool Ellipsis, const std::function<int(const QString&)>& Width);
QString FitTextToWidth(TCanvas* Canvas, const QString& Text, int MaxWidth, bool Ellipsis);
// A mini-markup caption laid out in R (drawn when Draw, else measured);
// its width and height.
TSize DrawHTMLCaption(TCanvas* Canvas, const QString& Text, const TRect& R, TWinControl* Window, bool Draw,
                      TCustomImageList* Images);
// The text itself when CaseSensitive, else upper-cased by the locale's rules.
QString CaseKey(const QString& Text, bool CaseSensitive);
