#pragma once
// The caption label the combo box, the date-and-time picker and the
// drop-down edits attach to themselves: created on first use, placed around
// the control in one of 15 positions, following the control's Enabled and
// Visible.

#include "Types.h"

class TFont;
class TLabel;
class TWinControl;

enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom,
    lpTopRight,
    lpBottomRight
};

// The label's top-left for a control with bounds Control, a label of text
// width LabelWidth and height LabelHeight, Margin pixels away. Centring
// divides truncating toward zero.
TPoint LabelPlacement(TLabelPosition Position, const TRect& Control, int LabelWidth, int LabelHeight, int Margin);

// How the label's text width is measured: the extent of the text laid out
// in a 1000 x 255 rectangle with prefixes hidden (the combo), or the
// canvas's plain text width (the picker).
enum TLabelMeasure { lmTextExtent, lmTextWidth };

// A label owned by Control, on Control's parent, focusing Control, with a
// copy of LabelFont and Control's ParentFont.
TLabel* CreateAttachedLabel(TWinControl* Control, TFont* LabelFont);

struct TAttachedLabelLayout {
    TLabelPosition Position = lpLeftTop;
    int Margin = 4;
    bool Transparent = false;
    TLabelMeasure Measure = lmTextExtent;
};

// Transparency, font (a copy of LabelFont without ParentFont), parent and
// place of the label; its Visible becomes the control's.
void UpdateAttachedLabel(TWinControl* Control, TLabel* Label, TFont* LabelFont, const TAttachedLabelLayout& Layout);

// Bold on or off in the label's font (the focus-label look).
void SetLabelBold(TLabel* Label, bool Bold);
