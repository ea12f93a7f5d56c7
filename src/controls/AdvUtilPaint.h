#pragma once
// The grid's colour maths, gradient fills, cell buttons and cell graphics
// (progress bars, pie, range indicator, shapes, error underline, glyphs), and
// the layered-window calls of its popup windows.
//
// The geometry and texts are pure functions (bands, segments, blocks,
// points, progress text) that the painters draw, so they can be checked as
// data. Painters keep no state, never throw and draw nothing for an empty
// rectangle.

#include "AdvStyleIF.h"
#include "Graphics.h"
#include "Types.h"

#include <QString>
#include <cstdint>
#include <vector>

class TWinControl;

// ---- colours ------------------------------------------------------------------

// System colours are turned into RGB first.
TColor HalveColor(TColor Color);
// Each component c: Round(c + c * Percent / 100), kept to its low 8 bits.
TColor AdjustColorPercent(TColor Color, int Percent);
// Color1 when Color2 is clNone or To = From; otherwise each component
// c1 + Round((c2 - c1) / (To - From) * Position).
TColor BlendColorStep(TColor Color1, TColor Color2, int From, int Position, int To);

// ---- fills --------------------------------------------------------------------

void FillRectColor(TCanvas* Canvas, const TRect& Rect, TColor Color);

struct TGradientBand {
    TRect Rect;
    TColor Color = clNone;
    friend bool operator==(const TGradientBand&, const TGradientBand&) = default;
};
// The bands DrawGradient fills, in order (one solid band when a colour is
// clNone; none for an empty rectangle or two clNone).
std::vector<TGradientBand> GradientBands(TColor FromColor, TColor ToColor, bool Horizontal, TRect Rect,
                                         int Steps);
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& Rect,
                  int Steps);
void DrawMirrorGradient(TCanvas* Canvas, const TRect& Rect, TColor Color, TColor ColorTo, TColor ColorMirror,
                        TColor ColorMirrorTo, bool Fill, bool SideLinesOnly, TColor BorderColor, bool Vertical);
// Kind 0 rounds both ends, 1 the left, 2 the right, 3 neither.
void DrawGradientButtonFrame(TCanvas* Canvas, const TRect& Rect, int Kind, TColor Color, TColor ColorTo,
                             TColor ColorMirror, TColor ColorMirrorTo, TColor BorderColor,
                             TColor UpperLineColor, TColor LowerLineColor, TColor CornerColor,
                             TColor OuterCornerColor);

// ---- buttons inside cells -----------------------------------------------------

// State 0 normal, 1 hot, 2 pressed, 3 disabled. Kind 0 visual style (the
// classic look when the theme table is not loaded), 1 classic frame
// control, 2 flat frame control, 3 own colours from Tones.
void DrawComboButton(TCanvas* Canvas, TWinControl* Window, const TRect& CellRect, const TColorTones& Tones,
                     int State, int Kind);
void DrawThemedButton(TCanvas* Canvas, TWinControl* Window, const TRect& Rect, const TColorTones& Tones,
                      int State, int Kind);
void DrawSpinButtons(TCanvas* Canvas, TWinControl* Window, const TRect& CellRect, const TColorTones& Tones,
                     int State, int Kind);
// The areas the three painters use.
TRect ComboButtonRect(const TRect& CellRect);
void SpinButtonRects(const TRect& CellRect, TRect& Upper, TRect& Lower);

// ---- progress bars --------------------------------------------------------------

struct TProgressText {
    QString Text;     // empty when the format does not fit the value
    int Percent = 0;  // 0..100
};
TProgressText ProgressTextOf(const QString& Format, int Max, int Min, double Value);

void DrawProgressBar(TCanvas* Canvas, const TRect& Rect, TColor CompleteColor, bool Printing, TColor BorderColor,
                     const QString& Format, int Max, int Min, int MarginY, int MarginX, double Value,
                     TColor CompleteFontColor, TColor UnCompleteColor, TColor UnCompleteFontColor);

struct TProgressLevels {
    TColor Level0Color = clLime, Level0ColorTo = clNone;
    TColor Level1Color = clYellow, Level1ColorTo = clNone;
    TColor Level2Color = 0x00A5FF, Level2ColorTo = clNone;
    TColor Level3Color = clRed, Level3ColorTo = clNone;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    TFont* Font = nullptr;  // not owned; none: the canvas's font
    TColor TextColor = clBlack;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TColor BackgroundColor = clWhite;
    bool Vertical = false;
};

// A filled piece of a level bar: Start and Length along the bar (from its
// inner start), Level 0 to 3 naming the colour pair.
struct TLevelSegment {
    int Start = 0;
    int Length = 0;
    int Level = 0;
    friend bool operator==(const TLevelSegment&, const TLevelSegment&) = default;
};
// The level of a not stacked bar at Percent.
int LevelOfPercent(int Percent, const TProgressLevels& Levels);
// Segments (stacked, smooth) or blocks of a bar of inner length L.
std::vector<TLevelSegment> LevelBarSegments(int L, int Percent, const TProgressLevels& Levels);
void DrawLevelProgressBar(TCanvas* Canvas, const TRect& Rect, int Percent, const TProgressLevels& Levels);

void DrawProgressPie(TCanvas* Canvas, const TRect& Rect, TColor Color, bool Printing, int Percent);
void DrawRangeIndicator(TCanvas* Canvas, const TRect& Rect, int Value, TColor PositiveColor, TColor NegativeColor,
                        bool ShowValue, int Range);

// ---- shapes -------------------------------------------------------------------------

enum TCellShape {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
    csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp,
    csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};

struct TShapeGeometry {
    enum TKind { skNone, skRectangle, skEllipse, skRoundRect, skPolygon, skFill };
    TKind Kind = skNone;
    TRect Rect;                  // rectangle, ellipse, rounded rectangle, fill
    std::vector<TPoint> Points;  // polygon
};
TShapeGeometry CellShapeGeometry(TCellShape Shape, int X, int Y, int Height, int Width);
void DrawCellShape(TCanvas* Canvas, int X, int Y, TColor PenColor, TColor BrushColor, TCellShape Shape, int Height,
                   int Width);

// ---- small graphics -------------------------------------------------------------

// A red zig-zag under ErrorLength characters from ErrorPosition (from 0) of
// Text as a one-line edit at Rect shows it, measured with the canvas font.
void DrawErrorUnderline(TWinControl* Owner, TCanvas* Canvas, const QString& Text, int ErrorLength,
                        int ErrorPosition, int YOffset, const TRect& Rect);
void DrawDropTriangle(TCanvas* Canvas, int X, int Y, TColor Color);
// The bitmap at Rect's top-left, every pixel of its top-left pixel's colour
// shown in BackgroundColor.
void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& Rect);
void DrawResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, const TRect& Rect, const QString& ResourceName);
// Registers the node glyphs "ASGLEAFCLOSE", "ASGLEAFOPEN", "XPNODEC" and
// "XPNODEO" as named resources (done once; also at start).
void RegisterNodeGlyphs();

// ---- layered windows ----------------------------------------------------------------

inline constexpr uint32_t LWA_COLORKEY = 1;
inline constexpr uint32_t LWA_ALPHA = 2;
inline constexpr uint32_t ULW_COLORKEY = 1;
inline constexpr uint32_t ULW_ALPHA = 2;
inline constexpr uint32_t ULW_OPAQUE = 4;
inline constexpr uint8_t AC_SRC_OVER = 0;
inline constexpr uint8_t AC_SRC_ALPHA = 1;

struct TBlendFunction {
    uint8_t BlendOp = AC_SRC_OVER;
    uint8_t BlendFlags = 0;
    uint8_t SourceConstantAlpha = 255;
    uint8_t AlphaFormat = 0;
};

// LWA_ALPHA sets the control's window opacity, LWA_COLORKEY masks out the
// key colour. Answers true.
bool DynSetLayeredWindowAttributes(TWinControl* Wnd, TColor ColorKey, uint8_t Alpha, uint32_t Flags);
// Shows Src (from SrcPos on) as the window's content at DstPos with Size;
// DstDC is unused; a null position or size keeps the window's own. Answers
// true.
bool DynUpdateLayeredWindow(TWinControl* Wnd, TCanvas* DstDC, const TPoint* DstPos, const TSize* Size,
                            const TBitmap* Src, const TPoint* SrcPos, TColor ColorKey, const TBlendFunction* Blend,
                            uint32_t Flags);
// The window keeps only Outer less Hole (window coordinates): what lies in
// the hole shows through and takes no input.
void SetWindowFrameRegion(TWinControl* Wnd, const TRect& Outer, const TRect& Hole);
