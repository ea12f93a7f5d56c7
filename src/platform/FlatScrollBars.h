#pragma once
// Flat scroll bars for the platform grid's own bars: regular, flat (no 3-D
// bevels) or "Encarta" (flat, bevelled only under the pointer), with their
// own background colour and thickness. The functions keep their settings
// with the grid and restyle its bars; UninitializeFlatSB brings the
// regular look back.

#include "Grids.h"

// Property indexes of FlatSB_SetScrollProp.
inline constexpr int WSB_PROP_CYVSCROLL = 0x1;
inline constexpr int WSB_PROP_CXHSCROLL = 0x2;
inline constexpr int WSB_PROP_CYHSCROLL = 0x4;
inline constexpr int WSB_PROP_CXVSCROLL = 0x8;
inline constexpr int WSB_PROP_VBKGCOLOR = 0x40;
inline constexpr int WSB_PROP_HBKGCOLOR = 0x80;
inline constexpr int WSB_PROP_VSTYLE = 0x100;
inline constexpr int WSB_PROP_HSTYLE = 0x200;
// Style values.
inline constexpr int FSB_REGULAR_MODE = 0;
inline constexpr int FSB_ENCARTA_MODE = 1;
inline constexpr int FSB_FLAT_MODE = 2;

bool InitializeFlatSB(TCustomGrid* Grid);
void UninitializeFlatSB(TCustomGrid* Grid);
bool FlatSBInitialized(TCustomGrid* Grid);
// False for a grid without flat bars or an unknown index.
bool FlatSB_SetScrollProp(TCustomGrid* Grid, int Index, intptr_t Value, bool Redraw);
// The stored value; -1 when none.
intptr_t FlatSB_GetScrollProp(TCustomGrid* Grid, int Index);
int FlatSB_SetScrollInfo(TCustomGrid* Grid, int Bar, const TScrollInfo& Info, bool Redraw);
bool FlatSB_ShowScrollBar(TCustomGrid* Grid, int Bar, bool Show);
// The style sheet the bar of Bar wears now (empty: the regular look).
QString FlatSBStyleSheet(TCustomGrid* Grid, int Bar);
