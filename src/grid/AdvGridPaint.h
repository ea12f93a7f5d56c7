#pragma once
// The drawing context of one string-grid cell: worked out once by the cell
// drawing and read and changed by the text and graphic painters. It lives on
// the stack of the cell drawing; nothing in it is allocated per cell.

#include "AdvGridCellGraphic.h"
#include "BaseGrid.h"
#include "Graphics.h"

struct TCellDrawContext {
    TCanvas* Canvas = nullptr;
    int DisplayCol = 0;
    int RealCol = 0;
    int Row = 0;
    int SelectionRow = 0;
    TGridDrawState State;
    TRect CellRect;   // the rectangle the painter was given
    TRect Rect;       // the working rectangle the layers shrink
    bool FilterButton = false;
    bool Fixed = false;
    bool Styled = false;

    // visual properties
    TColor ColorTo = clNone;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
    TColor SavedBrushColor = clNone;
    TColor SavedFontColor = clNone;

    // graphic layout
    TCellGraphic* Graphic = nullptr;
    int GraphicWidth = 0;
    int GraphicHeight = 0;
    TCellHAlign GraphicHAlign = haLeft;
    TCellVAlign GraphicVAlign = vaTop;
    bool TextBeside = true;

    // the measured text width for the graphic's place (0: none measured)
    int TextWidth = 0;
    QString Text;
};

// The font size painting and measuring use under zoom: never below 1 point.
int ZoomedFontSize(int Size, int ZoomFactor);

// A drawing interface that can paint behind the cell text.
class ICellGraphicBehind {
public:
    virtual ~ICellGraphicBehind() = default;
    virtual bool DrawsBehindText() = 0;
};

// Rotated cell text: moves R's Left and Top to where text turned by Angle
// degrees starts, for HAlign 0 left, 1 right, 2 centre and VAlign 0 top,
// 1 centre, 2 bottom. Wc, Hs, Ws and Hc are the turned text's extents.
void PlaceRotatedText(TRect& R, int HAlign, int VAlign, int Angle, int Wc, int Hs, int Ws, int Hc);
// Measures Text in the canvas font, shrinks R by 2 and places the text.
void CalcRotatedTextOrigin(TCanvas* Canvas, TRect& R, int Angle, const QString& Text, int HAlign, int VAlign);
// The extent of text turned by Angle degrees, 12 pixels of room each way.
TSize RotatedTextExtent(int Width, int Height, int Angle);

