#pragma once
// The visual-style questions the grid's footer button and check box ask:
// whether themed drawing applies, and drawing a part of the "button" class.

#include "AdvXPVS.h"
#include "Graphics.h"

class TWinControl;

// Windows XP or later with common controls 6 and an active visual style.
bool AdvObjThemed();

// Draws a part of Window's "button" theme into R; false when no theme is
// loaded or the part could not be drawn.
bool AdvObjDrawThemeButton(TWinControl* Window, TCanvas* Canvas, int Part, int State, const TRect& R);
