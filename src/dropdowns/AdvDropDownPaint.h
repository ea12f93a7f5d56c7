#pragma once
// Painting routines of the drop-down controls, also used by the grid for its
// background and its search footer.

#include "AdvUtilPaint.h"
#include "Graphics.h"
#include "Types.h"

#include <vector>

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
