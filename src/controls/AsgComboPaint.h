#pragma once
// The decisions and drawings of the combo box's own look, shared with the
// flat date pickers: the drop-down button in own colours, the theme or the
// classic frame control; the control border in its four rules; the border
// around the button. Every decision is a function of the state, so that it
// can be checked without pixels; the drawings take the results.

#include "Types.h"

class TCanvas;
class TWinControl;

// The pointer is over the button strip: Width - ButtonWidth < X < Width.
bool ButtonHoverAt(int X, int Width, int ButtonWidth);

// The seven own colours of a drop-down button; clNone means not set.
struct TDropButtonColors {
    TColor Color = clNone;
    TColor ColorHot = clNone;
    TColor ColorDown = clNone;
    TColor TextColor = clNone;
    TColor TextColorHot = clNone;
    TColor TextColorDown = clNone;
    TColor BorderColor = clNone;
};

enum TDropButtonMode { dbmOwnColors, dbmThemed, dbmClassic };
TDropButtonMode DropButtonMode(TColor ButtonColor, bool DoVisualStyles);

// The theme state of the combo's drop-down part: 4 disabled, 3 pressed
// (button down with the list dropped), 2 hot (no button down, hovered, not
// dropped), else 1.
int DropButtonThemeState(bool Enabled, bool MouseButtonDown, bool DroppedDown, bool Hover);

// What DrawDropButton needs of the control.
struct TDropButtonState {
    bool Enabled = true;
    bool Hover = false;
    bool MouseButtonDown = false;
    bool DroppedDown = false;
    bool DoVisualStyles = false;
    // The picker's variant: R used as given, filled without outline with the
    // fill moved 2 pixels right, the triangle 1 pixel further right.
    bool PickerStyle = false;
};

// The drop-down button in R (the combo passes the strip rectangle of its
// step 1; the modes adjust it further).
void DrawDropButton(TCanvas* Canvas, TWinControl* Control, TRect R, const TDropButtonColors& Colors,
                    const TDropButtonState& State);

// Which rule DrawControlBorder applies.
enum TControlBorderRule {
    cbrDisabledThemed,  // a frame in RGB(127, 157, 185)
    cbrBorderColor,     // a frame in BorderColor
    cbrFocusBorder,     // a frame in FocusBorderColor while focused, else nothing
    cbrDefault          // the two-brush look
};
TControlBorderRule ControlBorderRule(bool Enabled, bool IsThemed, bool DisabledBorder, TColor BorderColor,
                                     TColor FocusBorderColor, bool HasFocus);

inline constexpr TColor DisabledThemedBorderColor = 0x00B99D7F;

struct TControlBorderState {
    TControlBorderRule Rule = cbrDefault;
    TColor BorderColor = clNone;
    TColor FocusBorderColor = clNone;
    bool HasFocus = false;
    bool ShowFocusBorder = false;
    TColor ParentColor = clBtnFace;
    TColor Color = clWindow;
    int ButtonWidth = 0;
    // The flat bottom line (combo only); clNone: none.
    bool Flat = false;
    TColor FlatLineColor = clNone;
};
void DrawControlBorder(TCanvas* Canvas, TRect R, const TControlBorderState& State);

// The frame of the button strip: hides the system button's raised frame
// while the control is not active; the picker's variant draws a raised
// edge (flat while dropped) while it is active.
struct TButtonBorderState {
    int ClientWidth = 0;
    int ClientHeight = 0;
    int ButtonWidth = 0;
    bool IsActive = false;
    bool RaisedEdgeWhenActive = false;
    bool DroppedDown = false;
};
void DrawButtonBorder(TCanvas* Canvas, TRect R, const TButtonBorderState& State);
