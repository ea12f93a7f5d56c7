#pragma once
// Geometry and colour values of the platform layer.
//
// Rectangles keep the original platform's convention: Right and Bottom are
// exclusive, so a rectangle (0,0,10,10) covers 10 x 10 pixels. Qt's QRect
// is inclusive; ToQRect/FromQRect are the one conversion pair every unit uses.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QColor>
#include <cstdint>

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
    QPoint ToQPoint() const { return QPoint(X, Y); }
    static TPoint FromQPoint(const QPoint& p) { return TPoint(p.x(), p.y()); }
};

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr TSize() = default;
    constexpr TSize(int w, int h) : cx(w), cy(h) {}
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;   // exclusive
    int Bottom = 0;  // exclusive
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr TRect(TPoint tl, TPoint br) : Left(tl.X), Top(tl.Y), Right(br.X), Bottom(br.Y) {}
    friend constexpr bool operator==(const TRect&, const TRect&) = default;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return TPoint(Left, Top); }
    constexpr TPoint BottomRight() const { return TPoint(Right, Bottom); }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    constexpr void Offset(int dx, int dy) { Left += dx; Right += dx; Top += dy; Bottom += dy; }
    constexpr void Inflate(int dx, int dy) { Left -= dx; Right += dx; Top -= dy; Bottom += dy; }

    // Qt's inclusive rectangle: same pixels.
    QRect ToQRect() const { return QRect(QPoint(Left, Top), QPoint(Right - 1, Bottom - 1)); }
    static TRect FromQRect(const QRect& r) {
        return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    }
};

inline constexpr TRect Rect(int l, int t, int r, int b) { return TRect(l, t, r, b); }
inline constexpr TRect Bounds(int l, int t, int w, int h) { return TRect(l, t, l + w, t + h); }
inline constexpr TPoint Point(int x, int y) { return TPoint(x, y); }

// Intersection; false (and an empty result) when they do not overlap.
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b);
bool UnionRect(TRect& dst, const TRect& a, const TRect& b);
inline bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }
inline void InflateRect(TRect& r, int dx, int dy) { r.Inflate(dx, dy); }
inline void OffsetRect(TRect& r, int dx, int dy) { r.Offset(dx, dy); }

// 0x00BBGGRR; 0xFF0000nn is system colour n; clNone means "not set".
using TColor = int32_t;

inline constexpr TColor RGBColor(int r, int g, int b) {
    return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int GetRValue(TColor c) { return c & 0xFF; }
inline constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
inline constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

inline constexpr TColor clSystemColor = TColor(0xFF000000);
inline constexpr TColor clScrollBar = TColor(0xFF000000);
inline constexpr TColor clBackground = TColor(0xFF000001);
inline constexpr TColor clActiveCaption = TColor(0xFF000002);
inline constexpr TColor clInactiveCaption = TColor(0xFF000003);
inline constexpr TColor clMenu = TColor(0xFF000004);
inline constexpr TColor clWindow = TColor(0xFF000005);
inline constexpr TColor clWindowFrame = TColor(0xFF000006);
inline constexpr TColor clMenuText = TColor(0xFF000007);
inline constexpr TColor clWindowText = TColor(0xFF000008);
inline constexpr TColor clCaptionText = TColor(0xFF000009);
inline constexpr TColor clActiveBorder = TColor(0xFF00000A);
inline constexpr TColor clInactiveBorder = TColor(0xFF00000B);
inline constexpr TColor clAppWorkSpace = TColor(0xFF00000C);
inline constexpr TColor clHighlight = TColor(0xFF00000D);
inline constexpr TColor clHighlightText = TColor(0xFF00000E);
inline constexpr TColor clBtnFace = TColor(0xFF00000F);
inline constexpr TColor clBtnShadow = TColor(0xFF000010);
inline constexpr TColor clGrayText = TColor(0xFF000011);
inline constexpr TColor clBtnText = TColor(0xFF000012);
inline constexpr TColor clInactiveCaptionText = TColor(0xFF000013);
inline constexpr TColor clBtnHighlight = TColor(0xFF000014);
inline constexpr TColor cl3DDkShadow = TColor(0xFF000015);
inline constexpr TColor cl3DLight = TColor(0xFF000016);
inline constexpr TColor clInfoText = TColor(0xFF000017);
inline constexpr TColor clInfoBk = TColor(0xFF000018);
inline constexpr TColor clHotLight = TColor(0xFF00001A);
inline constexpr TColor clGradientActiveCaption = TColor(0xFF00001B);
inline constexpr TColor clGradientInactiveCaption = TColor(0xFF00001C);
inline constexpr TColor clMenuHighlight = TColor(0xFF00001D);
inline constexpr TColor clMenuBar = TColor(0xFF00001E);

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// The fixed system-colour table (the same on every machine, so headless
// pictures do not depend on the desktop theme), index 0..30.
TColor SystemColorValue(int index);
// A system colour to its RGB value; any other colour unchanged.
TColor ColorToRGB(TColor c);
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
