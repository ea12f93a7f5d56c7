#pragma once
// The visual-style questions the grid's footer controls ask, in one place:
// whether themed drawing applies, the XP colour scheme, and drawing a part
// of the "button" theme class.

#include "Graphics.h"

// Windows XP or later with common controls 6 and visual styles active.
bool AdvObjThemed();
// 1 "NormalColor", 2 "HomeStead", 3 "Metallic", 0 anything else or no theme.
int AdvObjXPColorScheme();

// Parts of the "button" theme class.
inline constexpr int BP_PUSHBUTTON = 1;
inline constexpr int BP_CHECKBOX = 3;
// Push-button states 1-4, check-box states 1-12.
inline constexpr int PBS_NORMAL = 1;
inline constexpr int PBS_HOT = 2;
inline constexpr int PBS_PRESSED = 3;
inline constexpr int PBS_DISABLED = 4;

void AdvObjDrawThemeButton(TCanvas* Canvas, int Part, int State, const TRect& R);
