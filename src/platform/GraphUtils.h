#pragma once
// Classic 3D edges and frame controls (buttons, check boxes, radio buttons,
// combo and scroll arrows), drawn by this layer in the system colours so
// they look the same on every machine whatever the desktop style.

#include "Graphics.h"

// Edge kinds.
inline constexpr unsigned BDR_RAISEDOUTER = 0x0001;
inline constexpr unsigned BDR_SUNKENOUTER = 0x0002;
inline constexpr unsigned BDR_RAISEDINNER = 0x0004;
inline constexpr unsigned BDR_SUNKENINNER = 0x0008;
inline constexpr unsigned BDR_OUTER = 0x0003;
inline constexpr unsigned BDR_INNER = 0x000C;
inline constexpr unsigned BDR_RAISED = 0x0005;
inline constexpr unsigned BDR_SUNKEN = 0x000A;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

// Edge sides and options.
inline constexpr unsigned BF_LEFT = 0x0001;
inline constexpr unsigned BF_TOP = 0x0002;
inline constexpr unsigned BF_RIGHT = 0x0004;
inline constexpr unsigned BF_BOTTOM = 0x0008;
inline constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr unsigned BF_TOPRIGHT = BF_TOP | BF_RIGHT;
inline constexpr unsigned BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
inline constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_DIAGONAL = 0x0010;
inline constexpr unsigned BF_MIDDLE = 0x0800;
inline constexpr unsigned BF_SOFT = 0x1000;
inline constexpr unsigned BF_ADJUST = 0x2000;
inline constexpr unsigned BF_FLAT = 0x4000;
inline constexpr unsigned BF_MONO = 0x8000;

// Frame control kinds.
inline constexpr unsigned DFC_CAPTION = 1;
inline constexpr unsigned DFC_MENU = 2;
inline constexpr unsigned DFC_SCROLL = 3;
inline constexpr unsigned DFC_BUTTON = 4;
inline constexpr unsigned DFC_POPUPMENU = 5;

// Frame control parts and states.
inline constexpr unsigned DFCS_BUTTONCHECK = 0x0000;
inline constexpr unsigned DFCS_BUTTONRADIOIMAGE = 0x0001;
inline constexpr unsigned DFCS_BUTTONRADIOMASK = 0x0002;
inline constexpr unsigned DFCS_BUTTONRADIO = 0x0004;
inline constexpr unsigned DFCS_BUTTON3STATE = 0x0008;
inline constexpr unsigned DFCS_BUTTONPUSH = 0x0010;
inline constexpr unsigned DFCS_SCROLLUP = 0x0000;
inline constexpr unsigned DFCS_SCROLLDOWN = 0x0001;
inline constexpr unsigned DFCS_SCROLLLEFT = 0x0002;
inline constexpr unsigned DFCS_SCROLLRIGHT = 0x0003;
inline constexpr unsigned DFCS_SCROLLCOMBOBOX = 0x0005;
inline constexpr unsigned DFCS_SCROLLSIZEGRIP = 0x0008;
inline constexpr unsigned DFCS_INACTIVE = 0x0100;
inline constexpr unsigned DFCS_PUSHED = 0x0200;
inline constexpr unsigned DFCS_CHECKED = 0x0400;
inline constexpr unsigned DFCS_TRANSPARENT = 0x0800;
inline constexpr unsigned DFCS_HOT = 0x1000;
inline constexpr unsigned DFCS_ADJUSTRECT = 0x2000;
inline constexpr unsigned DFCS_FLAT = 0x4000;
inline constexpr unsigned DFCS_MONO = 0x8000;

// Draws the edges 'edge' (BDR_*/EDGE_*) on the sides in 'flags' (BF_*);
// BF_MIDDLE fills the inside with the button face, BF_ADJUST shrinks r to
// the inside. The canvas's brush and pen are left as they were. Diagonal
// edges (BF_DIAGONAL) are not drawn: false.
bool DrawEdge(TCanvas* c, TRect& r, unsigned edge, unsigned flags);

// Draws a frame control of kind 'type' (DFC_BUTTON, DFC_SCROLL) in the part
// and state 'state' (DFCS_*). DFCS_ADJUSTRECT shrinks r to the inside of a
// push button's or arrow button's edge. False for kinds not drawn here.
bool DrawFrameControl(TCanvas* c, TRect& r, unsigned type, unsigned state);

// The platform's classic two-colour frame: 'width' lines of topColor on the
// left and top and bottomColor on the right and bottom; r shrinks by width.
void Frame3D(TCanvas* c, TRect& r, TColor topColor, TColor bottomColor, int width);
