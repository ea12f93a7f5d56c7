#include "AdvUtilPaint.h"

#include "AdvXPVS.h"
#include "Controls.h"
#include "GraphUtils.h"
#include "Resources.h"
#include "SysFormat.h"

#include <QBitmap>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

struct RGBParts {
    int R, G, B;
};

RGBParts PartsOf(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

// Round, answering 0 for what Round refuses (not finite, out of range):
// painters never throw.
int64_t SafeRound(double x)
{
    if (!std::isfinite(x) || std::fabs(x) > 9.0e18)
        return 0;
    return Round(x);
}

// Restores the canvas's pen and brush when a painter is done.
class ToolGuard {
public:
    explicit ToolGuard(TCanvas* c)
        : FCanvas(c), FPenColor(c->Pen()->Color()), FPenWidth(c->Pen()->Width()),
          FPenStyle(c->Pen()->Style()), FBrushColor(c->Brush()->Color()), FBrushStyle(c->Brush()->Style())
    {
    }
    ~ToolGuard()
    {
        FCanvas->Pen()->SetColor(FPenColor);
        FCanvas->Pen()->SetWidth(FPenWidth);
        FCanvas->Pen()->SetStyle(FPenStyle);
        FCanvas->Brush()->SetColor(FBrushColor);
        FCanvas->Brush()->SetStyle(FBrushStyle);
    }

private:
    TCanvas* FCanvas;
    TColor FPenColor;
    int FPenWidth;
    TPenStyle FPenStyle;
    TColor FBrushColor;
    TBrushStyle FBrushStyle;
};

void Solid(TCanvas* c, TColor color)
{
    c->Pen()->SetColor(color);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
}

void HLine(TCanvas* c, int x0, int x1, int y)  // x0..x1 inclusive
{
    if (x1 < x0)
        return;
    c->MoveTo(x0, y);
    c->LineTo(x1 + 1, y);
}

void VLine(TCanvas* c, int x, int y0, int y1)  // y0..y1 inclusive
{
    if (y1 < y0)
        return;
    c->MoveTo(x, y0);
    c->LineTo(x, y1 + 1);
}

}  // namespace

// ---- colours ------------------------------------------------------------------

TColor HalveColor(TColor Color)
{
    const RGBParts p = PartsOf(Color);
    return RGBColor(p.R >> 1, p.G >> 1, p.B >> 1);
}

TColor AdjustColorPercent(TColor Color, int Percent)
{
    const RGBParts p = PartsOf(Color);
    auto adjust = [Percent](int c) {
        const int64_t product = int64_t(c) * Percent;
        return int(SafeRound(double(c) + double(product) / 100.0) & 0xFF);
    };
    return RGBColor(adjust(p.R), adjust(p.G), adjust(p.B));
}

TColor BlendColorStep(TColor Color1, TColor Color2, int From, int Position, int To)
{
    if (Color2 == clNone || To == From)
        return Color1;
    const RGBParts a = PartsOf(Color1), b = PartsOf(Color2);
    auto blend = [&](int c1, int c2) {
        return int(c1 + SafeRound(double(c2 - c1) / double(To - From) * Position));
    };
    return RGBColor(blend(a.R, b.R), blend(a.G, b.G), blend(a.B, b.B));
}

// ---- fills --------------------------------------------------------------------

void FillRectColor(TCanvas* Canvas, const TRect& Rect, TColor Color)
{
    if (!Canvas)
        return;
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(Rect);
}

std::vector<TGradientBand> GradientBands(TColor FromColor, TColor ToColor, bool Horizontal, TRect Rect, int Steps)
{
    std::vector<TGradientBand> bands;
    if (Rect.Bottom < Rect.Top)
        std::swap(Rect.Top, Rect.Bottom);
    if (Rect.IsEmpty())
        return bands;
    if (FromColor == clNone && ToColor == clNone)
        return bands;
    if (FromColor == clNone || ToColor == clNone) {
        bands.push_back({Rect, ColorToRGB(FromColor == clNone ? ToColor : FromColor)});
        return bands;
    }
    const RGBParts from = PartsOf(FromColor), to = PartsOf(ToColor);
    const int size = (Horizontal ? Rect.Width() : Rect.Height()) - 1;
    const int steps = std::max(1, std::min(Steps, size));
    const double bandWidth = double(size) / steps;
    const int edge = Horizontal ? Rect.Left : Rect.Top;
    const int farEdge = Horizontal ? Rect.Right : Rect.Bottom;
    bands.reserve(size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        auto comp = [&](int f, int t) { return int(f + SafeRound(double(i) * (t - f) / steps)); };
        const int start = edge + int(Trunc(i * bandWidth));
        const int end = std::min(farEdge, start + int(Trunc(bandWidth + 1)));
        if (end <= start)
            continue;
        TRect r = Horizontal ? TRect(start, Rect.Top, end, Rect.Bottom) : TRect(Rect.Left, start, Rect.Right, end);
        bands.push_back({r, RGBColor(comp(from.R, to.R), comp(from.G, to.G), comp(from.B, to.B))});
    }
    return bands;
}

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& Rect, int Steps)
{
    if (!Canvas)
        return;
    const auto bands = GradientBands(FromColor, ToColor, Horizontal, Rect, Steps);
    if (bands.empty())
        return;
    ToolGuard guard(Canvas);
    for (const TGradientBand& b : bands) {
        Canvas->Brush()->SetColor(b.Color);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->FillRect(b.Rect);
    }
}

void DrawMirrorGradient(TCanvas* Canvas, const TRect& Rect, TColor Color, TColor ColorTo, TColor ColorMirror,
                        TColor ColorMirrorTo, bool Fill, bool SideLinesOnly, TColor BorderColor, bool Vertical)
{
    if (!Canvas || Rect.IsEmpty())
        return;
    ToolGuard guard(Canvas);
    if (Fill && Color != clNone) {
        if (ColorMirror == clNone && ColorTo == clNone) {
            Solid(Canvas, Color);
            Canvas->FillRect(TRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom + 1));
        } else if (ColorMirror == clNone) {
            DrawGradient(Canvas, Color, ColorTo, !Vertical, Rect, 128);
        } else {
            TRect first = Rect, second = Rect;
            if (Vertical)
                first.Bottom = second.Top = Rect.Top + Rect.Height() / 2;
            else
                first.Right = second.Left = Rect.Left + Rect.Width() / 2;
            DrawGradient(Canvas, Color, ColorTo, !Vertical, first, 128);
            DrawGradient(Canvas, ColorMirror, ColorMirrorTo, !Vertical, second, 128);
        }
    }
    if (BorderColor != clNone) {
        if (SideLinesOnly) {
            Solid(Canvas, BorderColor);
            VLine(Canvas, Rect.Left, Rect.Top, Rect.Bottom - 1);
            VLine(Canvas, Rect.Right - 1, Rect.Top, Rect.Bottom - 1);
        } else {
            Canvas->Brush()->SetColor(BorderColor);
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->FrameRect(Rect);
        }
    }
}

void DrawGradientButtonFrame(TCanvas* Canvas, const TRect& Rect, int Kind, TColor Color, TColor ColorTo,
                             TColor ColorMirror, TColor ColorMirrorTo, TColor BorderColor,
                             TColor UpperLineColor, TColor LowerLineColor, TColor CornerColor,
                             TColor OuterCornerColor)
{
    if (!Canvas)
        return;
    // The frame's outer pixels, inclusive: the rectangle less 2 pixels at
    // the bottom and 1 at the right.
    const int xl = Rect.Left, xr = Rect.Right - 2, yt = Rect.Top, yb = Rect.Bottom - 3;
    if (xr - xl < 4 || yb - yt < 4)
        return;
    const bool leftEnd = Kind == 0 || Kind == 1, rightEnd = Kind == 0 || Kind == 2;
    const int hl = xl + (leftEnd ? 2 : 0), hr = xr - (rightEnd ? 2 : 0);
    const int ym = yt + (yb - yt) / 2;
    ToolGuard guard(Canvas);

    // Face, from 2 below the top to 1 above the bottom.
    const TRect face(xl + 1, yt + 2, xr, yb - 1);
    if (Color != clNone) {
        if (ColorTo == clNone) {
            Solid(Canvas, Color);
            Canvas->FillRect(face);
        } else if (ColorMirror == clNone) {
            DrawGradient(Canvas, Color, ColorTo, false, face, 16);
        } else {
            TRect upper = face, lower = face;
            upper.Bottom = lower.Top = face.Top + face.Height() / 2;
            DrawGradient(Canvas, Color, ColorTo, false, upper, 16);
            DrawGradient(Canvas, ColorMirror, ColorMirrorTo, false, lower, 16);
        }
    }
    // Inner lines.
    if (UpperLineColor != clNone) {
        Solid(Canvas, UpperLineColor);
        HLine(Canvas, xl + 1, xr - 1, yt + 1);
        if (leftEnd)
            VLine(Canvas, xl + 1, yt + 1, ym);
        if (rightEnd)
            VLine(Canvas, xr - 1, yt + 1, ym);
    }
    if (LowerLineColor != clNone) {
        Solid(Canvas, LowerLineColor);
        HLine(Canvas, xl + 1, xr - 1, yb - 1);
        if (leftEnd)
            VLine(Canvas, xl + 1, ym, yb - 1);
        if (rightEnd)
            VLine(Canvas, xr - 1, ym, yb - 1);
    }
    // Border.
    if (BorderColor != clNone) {
        Solid(Canvas, BorderColor);
        HLine(Canvas, hl, hr, yt);
        HLine(Canvas, hl, hr, yb);
        if (leftEnd)
            VLine(Canvas, xl, yt + 2, yb - 2);
        if (rightEnd)
            VLine(Canvas, xr, yt + 2, yb - 2);
    }
    // Corners: the corner point and its three neighbours inside.
    auto corner = [&](int x, int y, int dx, int dy) {
        if (CornerColor != clNone) {
            Canvas->SetPixels(x + dx, y, CornerColor);
            Canvas->SetPixels(x, y + dy, CornerColor);
            Canvas->SetPixels(x + dx, y + dy, CornerColor);
        }
        if (OuterCornerColor != clNone)
            Canvas->SetPixels(x, y, OuterCornerColor);
    };
    if (leftEnd) {
        corner(xl, yt, 1, 1);
        corner(xl, yb, 1, -1);
    }
    if (rightEnd) {
        corner(xr, yt, -1, 1);
        corner(xr, yb, -1, -1);
    }
}

// ---- buttons inside cells -----------------------------------------------------

namespace {

const TColorTone& ToneOf(const TColorTones& t, int state)
{
    switch (state) {
    case 1: return t.Hover;
    case 2: return t.Selected;
    case 3: return t.Disabled;
    default: return t.Background;
    }
}

// Draws a part of a theme class; false when the theme table is not loaded
// or the class has no theme, so the caller draws the classic look.
bool DrawThemed(TCanvas* canvas, TWinControl* window, const char* cls, int part, int state, const TRect& r)
{
    const TThemeEntries& t = AdvXPVS::Theme;
    if (!t.OpenThemeData || !t.DrawThemeBackground || !t.CloseThemeData)
        return false;
    const HTHEME theme = t.OpenThemeData(window, QString::fromLatin1(cls));
    if (!theme)
        return false;
    const bool ok = Succeeded(t.DrawThemeBackground(theme, canvas, part, state, r, nullptr));
    t.CloseThemeData(theme);
    return ok;
}

void FrameControl(TCanvas* canvas, TRect r, unsigned type, unsigned state, int kind)
{
    if (kind == 2)
        state |= DFCS_FLAT;
    DrawFrameControl(canvas, r, type, state);
}

void SmallArrow(TCanvas* c, const TRect& r, bool up, TColor color)
{
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    Solid(c, color);
    if (up)
        c->Polygon({TPoint(cx - 2, cy + 1), TPoint(cx + 2, cy + 1), TPoint(cx, cy - 1)});
    else
        c->Polygon({TPoint(cx - 2, cy - 1), TPoint(cx + 2, cy - 1), TPoint(cx, cy + 1)});
}

TColor Or(TColor c, TColor fallback) { return c == clNone ? fallback : c; }

}  // namespace

TRect ComboButtonRect(const TRect& CellRect)
{
    return TRect(CellRect.Right - 19, CellRect.Top + 1, CellRect.Right - 2, CellRect.Bottom - 1);
}

void SpinButtonRects(const TRect& CellRect, TRect& Upper, TRect& Lower)
{
    const TRect r(CellRect.Right - 16, CellRect.Top - 1, CellRect.Right - 1, CellRect.Bottom - 1);
    const int middle = r.Top + r.Height() / 2;
    Upper = TRect(r.Left, r.Top, r.Right, middle);
    Lower = TRect(r.Left, middle + 1, r.Right, r.Bottom);
}

void DrawComboButton(TCanvas* Canvas, TWinControl* Window, const TRect& CellRect, const TColorTones& Tones,
                     int State, int Kind)
{
    if (!Canvas || CellRect.IsEmpty())
        return;
    TRect r = ComboButtonRect(CellRect);
    ToolGuard guard(Canvas);
    if (Kind == 3) {
        r.Left += 3;
        const TColorTone& tone = ToneOf(Tones, State);
        Solid(Canvas, Or(tone.BrushColor, clBtnFace));
        Canvas->Rectangle(r);
        Solid(Canvas, Or(Tones.Background.BorderColor, clBtnShadow));
        VLine(Canvas, r.Left + 1, r.Top, r.Bottom - 1);
        Solid(Canvas, Or(Tones.Background.TextColor, clBlack));
        Canvas->Polygon({TPoint(r.Left + 5, r.Top + 8), TPoint(r.Left + 11, r.Top + 8), TPoint(r.Left + 8, r.Top + 11)});
        return;
    }
    if (Kind == 0 && DrawThemed(Canvas, Window, "combobox", CP_DROPDOWNBUTTON, State == 3 ? CBXS_DISABLED : CBXS_NORMAL, r))
        return;
    FrameControl(Canvas, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (State == 3 ? DFCS_INACTIVE : 0), Kind);
}

void DrawThemedButton(TCanvas* Canvas, TWinControl* Window, const TRect& Rect, const TColorTones& Tones, int State,
                      int Kind)
{
    if (!Canvas || Rect.IsEmpty())
        return;
    ToolGuard guard(Canvas);
    if (Kind == 3) {
        const TColorTone& tone = ToneOf(Tones, State);
        Canvas->Brush()->SetColor(Or(tone.BrushColor, clBtnFace));
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Pen()->SetColor(Or(tone.BorderColor, clBtnShadow));
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Rectangle(Rect);
        return;
    }
    if (Kind == 0 && DrawThemed(Canvas, Window, "button", BP_PUSHBUTTON, std::clamp(State, 0, 3) + 1, Rect))
        return;
    const unsigned flags = State == 1 ? DFCS_HOT : State == 2 ? DFCS_PUSHED : State == 3 ? DFCS_INACTIVE : 0;
    FrameControl(Canvas, Rect, DFC_BUTTON, DFCS_BUTTONPUSH | flags, Kind);
}

void DrawSpinButtons(TCanvas* Canvas, TWinControl* Window, const TRect& CellRect, const TColorTones& Tones,
                     int State, int Kind)
{
    if (!Canvas || CellRect.IsEmpty())
        return;
    TRect upper, lower;
    SpinButtonRects(CellRect, upper, lower);
    ToolGuard guard(Canvas);
    if (Kind == 3) {
        const TColorTone& tone = ToneOf(Tones, State);
        Solid(Canvas, Or(tone.BrushColor, clBtnFace));
        Canvas->FillRect(upper);
        Canvas->FillRect(lower);
        SmallArrow(Canvas, upper, true, Or(tone.TextColor, clBlack));
        SmallArrow(Canvas, lower, false, Or(tone.TextColor, clBlack));
        return;
    }
    const int themeState = State == 3 ? UPS_DISABLED : UPS_NORMAL;
    if (Kind == 0 && DrawThemed(Canvas, Window, "spin", SPNP_UP, themeState, upper) &&
        DrawThemed(Canvas, Window, "spin", SPNP_DOWN, themeState, lower))
        return;
    const unsigned inactive = State == 3 ? DFCS_INACTIVE : 0;
    FrameControl(Canvas, upper, DFC_SCROLL, DFCS_SCROLLUP | inactive, Kind);
    FrameControl(Canvas, lower, DFC_SCROLL, DFCS_SCROLLDOWN | inactive, Kind);
}

// ---- progress bars --------------------------------------------------------------

TProgressText ProgressTextOf(const QString& Format, int Max, int Min, double Value)
{
    TProgressText t;
    if (!Format.isEmpty()) {
        try {
            if (Format.contains(u'd') || Format.contains(u'u'))
                t.Text = ::Format(Format, {FormatArg(SafeRound(Value))});
            else
                t.Text = ::Format(Format, {FormatArg(Value)});
        } catch (const Exception&) {
            t.Text.clear();  // a format that does not fit the value shows no text
        }
        t.Percent = Max == Min ? 0 : int(std::clamp<int64_t>(SafeRound((Value - Min) * 100.0 / (double(Max) - Min)), -1, 101));
    } else {
        const int64_t v = SafeRound(Value);
        t.Text = QString::number(v) + u'%';
        t.Percent = int(std::clamp<int64_t>(v, -1, 101));
    }
    t.Percent = std::clamp(t.Percent, 0, 100);
    return t;
}

void DrawProgressBar(TCanvas* Canvas, const TRect& Rect, TColor CompleteColor, bool Printing, TColor BorderColor,
                     const QString& Format, int Max, int Min, int MarginY, int MarginX, double Value,
                     TColor CompleteFontColor, TColor UnCompleteColor, TColor UnCompleteFontColor)
{
    if (!Canvas)
        return;
    TRect r(Rect.Left + MarginX, Rect.Top + MarginY, Rect.Right - MarginX, Rect.Bottom - MarginY);
    if (r.IsEmpty())
        return;
    const TColor outer = Canvas->Brush()->Color();
    const TColor fontColor = Canvas->Font()->Color();
    ToolGuard guard(Canvas);
    const TProgressText t = ProgressTextOf(Format, Max, Min, Value);
    const int split = r.Left + int(SafeRound(double(t.Percent) * r.Width() / 100.0));
    const TSize ext = Canvas->TextExtent(t.Text);
    const int tx = r.Left + (r.Width() - ext.cx) / 2;
    const int ty = Printing ? r.Top + (r.Height() + ext.cy) / 2 : r.Top + (r.Height() - ext.cy) / 2;
    auto part = [&](const TRect& p, TColor fill, TColor font) {
        if (p.IsEmpty())
            return;
        Solid(Canvas, fill);
        Canvas->FillRect(p);
        if (t.Text.isEmpty())
            return;
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Font()->SetColor(font);
        Canvas->TextRect(p, tx, ty, t.Text);
    };
    part(TRect(r.Left, r.Top, split, r.Bottom), CompleteColor, CompleteFontColor);
    part(TRect(split, r.Top, r.Right, r.Bottom), UnCompleteColor, UnCompleteFontColor);
    Canvas->Font()->SetColor(fontColor);
    Canvas->Brush()->SetStyle(bsSolid);
    TRect frame = r;
    frame.Inflate(1, 1);
    if (BorderColor != clNone) {
        Canvas->Brush()->SetColor(BorderColor);
        Canvas->FrameRect(frame);
    }
    frame.Inflate(1, 1);
    Canvas->Brush()->SetColor(outer);
    Canvas->FrameRect(frame);
}

int LevelOfPercent(int Percent, const TProgressLevels& Levels)
{
    if (Percent < Levels.Level1Perc)
        return 0;
    if (Percent < Levels.Level2Perc)
        return 1;
    if (Percent >= 100)
        return 3;
    return 2;
}

std::vector<TLevelSegment> LevelBarSegments(int L, int Percent, const TProgressLevels& Levels)
{
    std::vector<TLevelSegment> segs;
    if (Percent <= 0 || L <= 0)
        return segs;
    Percent = std::min(Percent, 100);
    auto len = [L](double share) { return int(SafeRound(double(L) * share / 100.0)); };
    if (Levels.Stacked) {
        int pos = 0;
        const int first = len(std::min(Percent, Levels.Level1Perc));
        if (first > 0)
            segs.push_back({0, first, 0});
        pos = first;
        if (Percent >= Levels.Level1Perc) {
            const int second = len(std::min(Percent, Levels.Level2Perc) - Levels.Level1Perc);
            if (second > 0)
                segs.push_back({pos, second, 1});
            pos += second;
        }
        if (Percent >= Levels.Level2Perc) {
            const int third = Percent == 100 ? L - pos : len(Percent - Levels.Level2Perc);
            if (third > 0)
                segs.push_back({pos, third, 3});
        }
        return segs;
    }
    const int level = LevelOfPercent(Percent, Levels);
    const int filled = len(Percent);
    if (Levels.CompletionSmooth) {
        if (filled > 0)
            segs.push_back({0, filled, level});
        return segs;
    }
    // Blocks of 7 pixels at a pitch of 9, from 2 pixels in.
    if (filled >= 2 && filled <= 9) {
        segs.push_back({2, filled - 1, level});
        return segs;
    }
    const int whole = filled / 9, rest = filled % 9;
    for (int i = 0; i < whole; ++i)
        segs.push_back({2 + 9 * i, 7, level});
    if (rest > 2)
        segs.push_back({2 + 9 * whole, rest - 1, level});
    return segs;
}

void DrawLevelProgressBar(TCanvas* Canvas, const TRect& Rect, int Percent, const TProgressLevels& Levels)
{
    if (!Canvas || Rect.IsEmpty())
        return;
    ToolGuard guard(Canvas);
    const TColor outline = Levels.ShowBorder ? Levels.BorderColor : Levels.BackgroundColor;
    Canvas->Brush()->SetColor(Levels.BackgroundColor);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetColor(outline);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Rectangle(Rect);

    const bool vertical = Levels.Vertical;
    const int L = (vertical ? Rect.Height() : Rect.Width()) - 2;
    const TColor colors[4][2] = {{Levels.Level0Color, Levels.Level0ColorTo},
                                 {Levels.Level1Color, Levels.Level1ColorTo},
                                 {Levels.Level2Color, Levels.Level2ColorTo},
                                 {Levels.Level3Color, Levels.Level3ColorTo}};
    const int inset = Levels.Stacked || Levels.CompletionSmooth ? 1 : 2;
    for (const TLevelSegment& s : LevelBarSegments(L, Percent, Levels)) {
        // Along the bar from the left, or from the bottom when vertical.
        TRect r = vertical ? TRect(Rect.Left + inset, Rect.Bottom - 1 - s.Start - s.Length, Rect.Right - inset,
                                   Rect.Bottom - 1 - s.Start)
                           : TRect(Rect.Left + 1 + s.Start, Rect.Top + inset, Rect.Left + 1 + s.Start + s.Length,
                                   Rect.Bottom - inset);
        if (r.IsEmpty())
            continue;
        const TColor c = colors[s.Level][0], cTo = colors[s.Level][1];
        if (Levels.ShowGradient && cTo != clNone) {
            // A tube: ColorTo to Color over the first half, back over the second.
            TRect a = r, b = r;
            if (vertical)
                a.Right = b.Left = r.Left + r.Width() / 2;
            else
                a.Bottom = b.Top = r.Top + r.Height() / 2;
            DrawGradient(Canvas, cTo, c, vertical, a, Levels.Steps);
            DrawGradient(Canvas, c, cTo, vertical, b, Levels.Steps);
        } else {
            Solid(Canvas, c);
            Canvas->FillRect(r);
        }
    }
    if (Levels.ShowPercentage) {
        TFont saved;
        saved.Assign(Canvas->Font());
        if (Levels.Font)
            Canvas->Font()->Assign(Levels.Font);
        Canvas->Font()->SetColor(Levels.TextColor);
        if (vertical)
            Canvas->Font()->SetOrientation(900);
        const QString text = QString::number(Percent) + u'%';
        const TSize ext = Canvas->TextExtent(text);
        Canvas->Brush()->SetStyle(bsClear);
        if (vertical)
            Canvas->TextOut(Rect.Left + (Rect.Width() - ext.cy) / 2, Rect.Top + (Rect.Height() + ext.cx) / 2, text);
        else
            Canvas->TextOut(Rect.Left + (Rect.Width() - ext.cx) / 2, Rect.Top + (Rect.Height() - ext.cy) / 2, text);
        Canvas->Font()->Assign(&saved);
    }
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(outline);
    Canvas->Rectangle(Rect);
}

void DrawProgressPie(TCanvas* Canvas, const TRect& Rect, TColor Color, bool Printing, int Percent)
{
    (void)Printing;  // the sector is filled by geometry, not from a seed point
    if (!Canvas || Rect.IsEmpty())
        return;
    ToolGuard guard(Canvas);
    const int cx = Rect.Left + Rect.Width() / 2, cy = Rect.Top + Rect.Height() / 2;
    const double angle = double(std::clamp(Percent, 0, 100)) / 100.0 * 2.0 * M_PI;
    const int rx = (Rect.Width() + 1) / 2, ry = (Rect.Height() + 1) / 2;
    const TPoint end(cx + int(SafeRound(rx * std::sin(angle))), cy - int(SafeRound(ry * std::cos(angle))));
    const TPoint top(cx, Rect.Top);
    if (Percent != 0) {
        Canvas->Brush()->SetColor(Color);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Pen()->SetColor(Color);
        if (Percent >= 100)
            Canvas->Ellipse(Rect);
        else  // counter-clockwise from the end point back to the top
            Canvas->Pie(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, end.X, end.Y, top.X, top.Y);
    }
    Canvas->Pen()->SetColor(RGBColor(128, 128, 128));
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Ellipse(Rect);
    Canvas->MoveTo(top.X, top.Y);
    Canvas->LineTo(cx, cy);
    Canvas->LineTo(end.X, end.Y);
}

void DrawRangeIndicator(TCanvas* Canvas, const TRect& Rect, int Value, TColor PositiveColor, TColor NegativeColor,
                        bool ShowValue, int Range)
{
    // ShowValue: the value is not written into the bar; the cell shows it
    // as its text when wanted.
    (void)ShowValue;
    if (!Canvas || Range <= 0)
        return;
    TRect r(Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2);
    if (r.IsEmpty())
        return;
    const int half = r.Width() / 2;
    const int centre = r.Left + half;
    const int v = std::clamp(Value, -Range, Range);
    const int length = int(int64_t(half) * v / Range);
    ToolGuard guard(Canvas);
    if (v < 0) {
        Solid(Canvas, NegativeColor);
        Canvas->Rectangle(TRect(centre + length, r.Top, centre, r.Bottom));
    } else if (length > 0) {
        Solid(Canvas, PositiveColor);
        Canvas->Rectangle(TRect(centre, r.Top, centre + length, r.Bottom));
    }
}

// ---- shapes -------------------------------------------------------------------------

TShapeGeometry CellShapeGeometry(TCellShape Shape, int X, int Y, int Height, int Width)
{
    TShapeGeometry g;
    const int W = Width, H = Height, S = std::min(Width, Height);
    using K = TShapeGeometry;
    auto poly = [&](std::vector<TPoint> pts) {
        g.Kind = K::skPolygon;
        g.Points = std::move(pts);
    };
    auto star = [&](int first, int count, int dir) {
        std::vector<TPoint> pts;
        const double cx = X + W / 2, cy = Y + H / 2;
        for (int i = 0; i < count; ++i) {
            const int k = ((first + dir * i) % 10 + 10) % 10;
            const double a = k * 36.0 * M_PI / 180.0;
            const double rx = (k % 2 == 0) ? W / 2 : (W / 2) / 3.0, ry = (k % 2 == 0) ? H / 2 : (H / 2) / 3.0;
            pts.emplace_back(int(SafeRound(cx + rx * std::sin(a))), int(SafeRound(cy - ry * std::cos(a))));
        }
        return pts;
    };
    switch (Shape) {
    case csRectangle: g.Kind = K::skRectangle; g.Rect = TRect(X + 1, Y + 1, X + W - 1, Y + H - 1); break;
    case csSquare: g.Kind = K::skRectangle; g.Rect = TRect(X + 1, Y + 1, X + S - 1, Y + S - 1); break;
    case csCircle: g.Kind = K::skEllipse; g.Rect = TRect(X, Y, X + S, Y + S); break;
    case csEllips: g.Kind = K::skEllipse; g.Rect = TRect(X, Y, X + W, Y + H); break;
    case csRoundRect: g.Kind = K::skRoundRect; g.Rect = TRect(X, Y, X + W, Y + H); break;
    case csRoundSquare: g.Kind = K::skRoundRect; g.Rect = TRect(X, Y, X + S, Y + S); break;
    case csTriangleLeft: poly({{X + W, Y}, {X + W, Y + H}, {X, Y + H / 2}}); break;
    case csTriangleRight: poly({{X, Y}, {X, Y + H}, {X + W, Y + H / 2}}); break;
    case csTriangleUp: poly({{X, Y + H}, {X + W, Y + H}, {X + W / 2, Y}}); break;
    case csTriangleDown: poly({{X, Y}, {X + W, Y}, {X + W / 2, Y + H}}); break;
    case csDiamond: poly({{X + W / 2, Y}, {X + W, Y + H / 2}, {X + W / 2, Y + H}, {X, Y + H / 2}}); break;
    case csLineVert: g.Kind = K::skFill; g.Rect = TRect(X + W / 2, Y, X + W / 2 + 1, Y + H); break;
    case csLineHorz: g.Kind = K::skFill; g.Rect = TRect(X, Y + H / 2, X + W, Y + H / 2 + 1); break;
    case csStar: poly(star(0, 10, 1)); break;
    case csHalfStar: poly(star(0, 6, -1)); break;  // top, round the left, to the bottom
    case csArrowUp: {
        const int E = W & ~1, Q = E / 4;
        poly({{X, Y + H / 2}, {X + E / 2, Y}, {X + E, Y + H / 2}, {X + 3 * Q, Y + H / 2}, {X + 3 * Q, Y + H},
              {X + Q, Y + H}, {X + Q, Y + H / 2}});
        break;
    }
    case csArrowDown: {
        const int E = W & ~1, Q = E / 4;
        poly({{X, Y + H / 2}, {X + E / 2, Y + H}, {X + E, Y + H / 2}, {X + 3 * Q, Y + H / 2}, {X + 3 * Q, Y},
              {X + Q, Y}, {X + Q, Y + H / 2}});
        break;
    }
    case csArrowLeft: {
        const int F = H & ~1, R = F / 4;
        poly({{X, Y + F / 2}, {X + W / 2, Y}, {X + W / 2, Y + R}, {X + W, Y + R}, {X + W, Y + 3 * R},
              {X + W / 2, Y + 3 * R}, {X + W / 2, Y + F}});
        break;
    }
    case csArrowRight: {
        const int F = H & ~1, R = F / 4;
        poly({{X + W, Y + F / 2}, {X + W / 2, Y}, {X + W / 2, Y + R}, {X, Y + R}, {X, Y + 3 * R},
              {X + W / 2, Y + 3 * R}, {X + W / 2, Y + F}});
        break;
    }
    default: break;  // not a shape: nothing
    }
    return g;
}

void DrawCellShape(TCanvas* Canvas, int X, int Y, TColor PenColor, TColor BrushColor, TCellShape Shape, int Height,
                   int Width)
{
    if (!Canvas || Height <= 0 || Width <= 0)
        return;
    const TShapeGeometry g = CellShapeGeometry(Shape, X, Y, Height, Width);
    if (g.Kind == TShapeGeometry::skNone)
        return;
    ToolGuard guard(Canvas);
    Canvas->Pen()->SetColor(PenColor);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetColor(BrushColor);
    Canvas->Brush()->SetStyle(BrushColor == clNone ? bsClear : bsSolid);
    switch (g.Kind) {
    case TShapeGeometry::skRectangle: Canvas->Rectangle(g.Rect); break;
    case TShapeGeometry::skEllipse: Canvas->Ellipse(g.Rect); break;
    case TShapeGeometry::skRoundRect:
        Canvas->RoundRect(g.Rect.Left, g.Rect.Top, g.Rect.Right, g.Rect.Bottom, 10, 10);
        break;
    case TShapeGeometry::skPolygon: Canvas->Polygon(g.Points); break;
    case TShapeGeometry::skFill:
        Canvas->Brush()->SetColor(PenColor);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->FillRect(g.Rect);
        break;
    default: break;
    }
}

// ---- small graphics -------------------------------------------------------------

void DrawErrorUnderline(TWinControl* Owner, TCanvas* Canvas, const QString& Text, int ErrorLength,
                        int ErrorPosition, int YOffset, const TRect& Rect)
{
    (void)Owner;  // measured with the canvas font, no edit control needed
    if (!Canvas || ErrorLength <= 0 || ErrorPosition < 0)
        return;
    // Where a one-line edit at Rect draws its characters: a left margin of
    // border and text margin, the text's top one pixel below the border.
    const int left = Rect.Left + 3, top = Rect.Top + 1;
    const int n = int(Text.size());
    auto xOf = [&](int index) { return left + Canvas->TextWidth(Text.left(index)); };
    const int x0 = ErrorPosition >= n ? xOf(n) + 4 : xOf(ErrorPosition);
    const int last = ErrorPosition + ErrorLength - 1;
    const int x1 = ErrorPosition + ErrorLength >= n ? xOf(std::max(0, n - 1)) + 4 : xOf(last);
    ToolGuard guard(Canvas);
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(2);
    Canvas->Pen()->SetStyle(psSolid);
    const int lower = top + YOffset + 3, upper = lower - 3;
    int x = x0;
    bool down = true;
    Canvas->MoveTo(x, lower);
    while (x < x1) {
        x = std::min(x + 3, x1);
        down = !down;
        Canvas->LineTo(x, down ? lower : upper);
    }
}

void DrawDropTriangle(TCanvas* Canvas, int X, int Y, TColor Color)
{
    if (!Canvas)
        return;
    ToolGuard guard(Canvas);
    Solid(Canvas, Color);
    Canvas->Polygon({TPoint(X - 3, Y), TPoint(X + 3, Y), TPoint(X, Y + 3)});
}

void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& Rect)
{
    if (!Canvas || !Bitmap || Bitmap->Empty())
        return;
    QImage img = Bitmap->Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = img.pixel(0, 0);
    const QRgb bg = ToQColor(ColorToRGB(BackgroundColor)).rgb();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (line[x] == key)
                line[x] = bg;
    }
    TBitmap temp;
    temp.SetImage(img);
    Canvas->Draw(Rect.Left, Rect.Top, &temp);
}

void DrawResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, const TRect& Rect, const QString& ResourceName)
{
    RegisterNodeGlyphs();
    const auto bytes = FindResource(ResourceName);
    if (!bytes || !Canvas)
        return;
    TBitmap bmp;
    try {
        bmp.LoadFromBytes(*bytes);
    } catch (const Exception&) {
        return;  // not a picture: nothing to draw
    }
    DrawBitmapTransparent(Canvas, &bmp, BackgroundColor, Rect);
}

namespace {

// A 9 x 9 box with a plus (closed) or minus (open) inside an 11 x 11
// picture whose margin, and with it the top-left pixel, is the key colour
// (magenta) that shows the cell's background.
QImage NodeGlyph(bool open, bool rounded)
{
    QImage img(11, 11, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    const QColor frame = rounded ? QColor(120, 152, 181) : QColor(128, 128, 128);
    for (int i = 0; i < 9; ++i) {
        for (int j = 0; j < 9; ++j) {
            const bool edge = i == 0 || i == 8 || j == 0 || j == 8;
            const bool corner = (i == 0 || i == 8) && (j == 0 || j == 8);
            if (edge && !(rounded && corner))
                img.setPixelColor(1 + i, 1 + j, frame);
            else if (!edge)
                img.setPixelColor(1 + i, 1 + j, rounded ? QColor(236, 240, 246 - j * 2) : QColor(255, 255, 255));
        }
    }
    for (int i = 3; i <= 7; ++i)
        img.setPixelColor(i, 5, Qt::black);
    if (!open)
        for (int j = 3; j <= 7; ++j)
            img.setPixelColor(5, j, Qt::black);
    return img;
}

const bool NodeGlyphsAtStart = (RegisterNodeGlyphs(), true);

}  // namespace

void RegisterNodeGlyphs()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterResource(QStringLiteral("ASGLEAFCLOSE"), NodeGlyph(false, false));
        RegisterResource(QStringLiteral("ASGLEAFOPEN"), NodeGlyph(true, false));
        RegisterResource(QStringLiteral("XPNODEC"), NodeGlyph(false, true));
        RegisterResource(QStringLiteral("XPNODEO"), NodeGlyph(true, true));
    });
}

// ---- layered windows ----------------------------------------------------------------

namespace {

void MaskOut(QWidget* w, const QImage& content, TColor key)
{
    if (content.isNull())
        return;
    const QColor k = ToQColor(ColorToRGB(key));
    const QBitmap mask = QBitmap::fromPixmap(QPixmap::fromImage(content).createMaskFromColor(k, Qt::MaskInColor));
    w->setMask(mask);
}

}  // namespace

bool DynSetLayeredWindowAttributes(TWinControl* Wnd, TColor ColorKey, uint8_t Alpha, uint32_t Flags)
{
    QWidget* w = Wnd ? Wnd->Widget() : nullptr;
    if (!w)
        return true;
    if (Flags & LWA_ALPHA)
        w->setWindowOpacity(Alpha / 255.0);
    if (Flags & LWA_COLORKEY)
        MaskOut(w, w->grab().toImage(), ColorKey);
    return true;
}

bool DynUpdateLayeredWindow(TWinControl* Wnd, TCanvas* DstDC, const TPoint* DstPos, const TSize* Size,
                            const TBitmap* Src, const TPoint* SrcPos, TColor ColorKey, const TBlendFunction* Blend,
                            uint32_t Flags)
{
    (void)DstDC;
    QWidget* w = Wnd ? Wnd->Widget() : nullptr;
    if (!w)
        return true;
    const int left = DstPos ? DstPos->X : Wnd->Left(), top = DstPos ? DstPos->Y : Wnd->Top();
    const int width = Size ? Size->cx : Wnd->Width(), height = Size ? Size->cy : Wnd->Height();
    if (DstPos || Size)
        Wnd->SetBounds(left, top, width, height);
    if ((Flags & ULW_ALPHA) && Blend)
        w->setWindowOpacity(Blend->SourceConstantAlpha / 255.0);
    if (Src && !Src->Empty()) {
        const TPoint from = SrcPos ? *SrcPos : TPoint();
        const QImage content = Src->Image().copy(from.X, from.Y, width, height);
        QPalette pal = w->palette();
        pal.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(content)));
        w->setPalette(pal);
        w->setAutoFillBackground(true);
        if (Flags & ULW_COLORKEY)
            MaskOut(w, content, ColorKey);
    }
    return true;
}

void SetWindowFrameRegion(TWinControl* Wnd, const TRect& Outer, const TRect& Hole)
{
    QWidget* w = Wnd ? Wnd->Widget() : nullptr;
    if (!w)
        return;
    w->setMask(QRegion(Outer.ToQRect()).subtracted(QRegion(Hole.ToQRect())));
}
