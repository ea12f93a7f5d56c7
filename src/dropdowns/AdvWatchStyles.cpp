// The clock's style presets and colour schemes, as tables of property writes.
#include "AdvWatch.h"

#include <cmath>
#include <span>

namespace {

// A property a preset writes.
enum class P {
    Size, Shape, BackgroundColor, BackgroundColorTo, BackgroundGradient, BorderColor, BorderWidth, TickMarks,
    HourMarkStyle, HourColor, HourMarkLength, HourMarkWidth, MinuteColor, MinuteMarkLength, PointerStyle, HourPointer,
    HourPointerShadow, HourPointerSize, MinutePointer, MinutePointerShadow, MinutePointerSize, SecondPointer,
    CenterPointSize, CenterPointColor, CenterPointBorderColor, CenterPointOuterBorderColor, AMPMFrame, AMPMColor,
    AMPMBorderColor, HourFontName, HourFontSize, HourFontBold, HourFontColor, AMPMFontName, AMPMFontSize,
    AMPMFontPlain, AMPMFontColor, ShowAMPM, ShowNumbers, Animation, AnimationFactor, Neon,
};

// Values computed when the preset is applied.
constexpr int AsBackground = -1000001;  // the background colour already written
constexpr int SideBy4_5 = -1000002;     // nearest(min(Width, Height) / 4.5)
constexpr int SideDiv3 = -1000003;      // min(Width, Height) div 3
constexpr int SideBy3_6 = -1000004;     // nearest(min(Width, Height) / 3.6)

struct W {
    P p;
    int v = 0;
    const char* s = nullptr;
};

constexpr TColor rgb(int r, int g, int b)
{
    return RGBColor(r, g, b);
}

// HourFontBold 0 means "no style".
const W Classic[] = {{P::AMPMFontName, 0, "MS Sans Serif"}, {P::AMPMFontPlain}, {P::HourFontName, 0, "Comic Sans MS"},
    {P::HourFontSize, 10}, {P::HourFontBold, 1}, {P::HourMarkLength, 8}, {P::HourPointer, clBlack},
    {P::HourPointerShadow, clBtnShadow}, {P::HourPointerSize, 5}, {P::MinutePointerShadow, clBtnShadow},
    {P::MinuteMarkLength, 4}, {P::Animation, 1}, {P::AnimationFactor, 10}, {P::ShowAMPM, 1}, {P::ShowNumbers, 1}};
const W Tower[] = {{P::AMPMFontName, 0, "MS Sans Serif"}, {P::AMPMFontPlain}, {P::AMPMFrame, apRect},
    {P::BorderWidth, 1}, {P::BackgroundColor, rgb(0xFE, 0xF0, 0xB1)}, {P::BackgroundColorTo, rgb(0xE7, 0xC9, 0x54)},
    {P::BackgroundGradient, wgDiagonalForward}, {P::CenterPointColor, rgb(0xD5, 0x2B, 0)}, {P::CenterPointSize, 6},
    {P::HourFontColor, clWindowText}, {P::HourFontName, 0, "Century"}, {P::HourFontBold, 1}, {P::HourPointer, clBlack},
    {P::HourPointerShadow, clBtnShadow}, {P::HourPointerSize, 5}, {P::MinutePointerShadow, clBtnShadow},
    {P::SecondPointer, rgb(0xD5, 0x2B, 0)}, {P::Shape, wsRect}, {P::PointerStyle, psPointer},
    {P::BackgroundColorTo, rgb(0xE8, 0xCC, 0x5B)}, {P::AMPMColor, AsBackground}, {P::TickMarks, tmHours},
    {P::ShowNumbers, 0}};
const W Fluorescent[] = {{P::AMPMFontColor, clWindowText}, {P::AMPMFontSize, 10}, {P::AMPMFontName, 0, "MS Sans Serif"},
    {P::AMPMFontPlain}, {P::AMPMFrame, apRoundRect}, {P::BorderColor, rgb(0x3E, 0x3E, 0xFF)},
    {P::BackgroundColor, clBlack}, {P::BackgroundColorTo, clBlack}, {P::CenterPointColor, rgb(0x3E, 0x3E, 0xFF)},
    {P::CenterPointBorderColor, clBlack}, {P::CenterPointOuterBorderColor, clBlack},
    {P::Neon, rgb(0x3E, 0x3E, 0xFF), "r"}, {P::TickMarks, tmHours}, {P::ShowAMPM, 0}, {P::ShowNumbers, 0}};
const W Emerald[] = {{P::AMPMFontColor, rgb(0, 0, 0xA0)}, {P::AMPMFontName, 0, "MS Sans Serif"}, {P::AMPMFontPlain},
    {P::AMPMFrame, apRoundRect}, {P::BorderColor, rgb(0, 0xE8, 0x3A)}, {P::BackgroundColor, rgb(0, 0xE8, 0x3A)},
    {P::BackgroundColorTo, clBlack}, {P::BackgroundGradient, wgDiagonalForward},
    {P::CenterPointBorderColor, rgb(0, 0xFF, 0x40)}, {P::CenterPointColor, rgb(0, 0xE1, 0x38)},
    {P::CenterPointSize, 16}, {P::HourFontColor, clWindowText}, {P::HourFontName, 0, "MS Sans Serif"},
    {P::HourFontBold, 0}, {P::HourPointer, rgb(0, 0xFF, 0x40)}, {P::HourPointerShadow, clBtnShadow},
    {P::HourPointerSize, 5}, {P::MinutePointer, rgb(0, 0xFF, 0x40)}, {P::MinutePointerShadow, clBtnShadow},
    {P::Shape, wsRect}, {P::PointerStyle, psPointer}, {P::AMPMColor, clNone}, {P::HourFontColor, AsBackground},
    {P::CenterPointOuterBorderColor, clBlack}, {P::HourMarkStyle, hmsQuartDblLine}, {P::HourColor, AsBackground},
    {P::SecondPointer, rgb(0xFF, 0xFF, 0)}, {P::TickMarks, tmHours}, {P::ShowAMPM, 0}, {P::ShowNumbers, 0}};
const W BlueStar[] = {{P::AMPMFontColor, rgb(0, 0, 0xA0)}, {P::AMPMFontSize, 10}, {P::AMPMFontName, 0, "MS Sans Serif"},
    {P::AMPMFontPlain}, {P::AMPMBorderColor, clNone}, {P::AMPMFrame, apRoundRect},
    {P::BorderColor, rgb(0xD5, 0xD5, 0xFF)}, {P::BackgroundColor, rgb(0xD5, 0xD5, 0xFF)},
    {P::BackgroundColorTo, rgb(0, 0, 0xA0)}, {P::BackgroundGradient, wgRadial}, {P::HourFontColor, clWindowText},
    {P::HourFontSize, 8}, {P::HourFontName, 0, "MS Sans Serif"}, {P::HourFontBold, 0},
    {P::HourPointer, rgb(0, 0, 0xA0)}, {P::HourPointerShadow, clBtnShadow}, {P::HourPointerSize, 5},
    {P::MinutePointer, rgb(0, 0, 0xA0)}, {P::MinutePointerShadow, clBtnShadow}, {P::Shape, wsRoundRect},
    {P::PointerStyle, psPointer}, {P::AMPMColor, clNone}, {P::HourFontColor, AsBackground}, {P::ShowAMPM, 1},
    {P::ShowNumbers, 1}};
const W Fuchsia[] = {{P::AMPMFontColor, clWindowText}, {P::AMPMFontSize, 10}, {P::AMPMFontName, 0, "MS Sans Serif"},
    {P::AMPMFontPlain}, {P::AMPMFrame, apRoundRect}, {P::BorderColor, rgb(0xFF, 0xD0, 0xFF)},
    {P::BackgroundColor, clBlack}, {P::BackgroundColorTo, clBlack}, {P::CenterPointBorderColor, rgb(0xDD, 0x68, 0xDD)},
    {P::Neon, rgb(0xFF, 0xD0, 0xFF), "s"}, {P::SecondPointer, rgb(0xDD, 0x68, 0xDD)}, {P::TickMarks, tmQuartHours},
    {P::ShowAMPM, 0}, {P::ShowNumbers, 0}};
const W Black[] = {{P::AMPMFontName, 0, "MS Sans Serif"}, {P::AMPMFontPlain}, {P::BackgroundColor, rgb(0x20, 0x20, 0x20)},
    {P::BackgroundColorTo, clNone}, {P::BorderColor, clBlack}, {P::CenterPointBorderColor, clWhite},
    {P::CenterPointOuterBorderColor, clWhite}, {P::CenterPointColor, clWhite}, {P::HourColor, rgb(0x58, 0x58, 0x58)},
    {P::HourFontColor, clWhite}, {P::HourFontName, 0, "Century Gothic"}, {P::HourFontSize, 11},
    {P::HourPointer, clWhite}, {P::HourPointerShadow, clBtnShadow}, {P::HourPointerSize, 5},
    {P::MinuteColor, rgb(0x58, 0x58, 0x58)}, {P::MinutePointer, clWhite}, {P::MinutePointerShadow, clBtnShadow},
    {P::MinuteMarkLength, 4}, {P::ShowAMPM, 0}, {P::ShowNumbers, 1}};
const W BlackWhite[] = {{P::BackgroundColor, clWhite}, {P::BackgroundColorTo, clNone}, {P::BorderColor, clBlack},
    {P::BorderWidth, 8}, {P::CenterPointBorderColor, clBlack}, {P::CenterPointOuterBorderColor, clBlack},
    {P::CenterPointColor, clBlack}, {P::CenterPointSize, 8}, {P::HourColor, rgb(0x58, 0x58, 0x58)},
    {P::HourFontColor, clBlack}, {P::HourFontName, 0, "Century Gothic"}, {P::HourFontSize, 14}, {P::HourFontBold, 1},
    {P::HourPointer, clBlack}, {P::HourPointerShadow, clBtnShadow}, {P::HourPointerSize, 5},
    {P::MinutePointer, clBlack}, {P::MinutePointerShadow, clBtnShadow}, {P::MinuteMarkLength, 4},
    {P::SecondPointer, rgb(0x80, 0, 0)}, {P::PointerStyle, psPointer}, {P::TickMarks, tmQuartHours},
    {P::ShowAMPM, 0}, {P::ShowNumbers, 1}};
const W Gray[] = {{P::AMPMFontName, 0, "MS Sans Serif"}, {P::AMPMFontSize, 10},
    {P::BackgroundColor, rgb(0xD1, 0xD1, 0xD1)}, {P::BackgroundColorTo, rgb(0x6C, 0x6C, 0x6C)},
    {P::BackgroundGradient, wgRadial}, {P::BorderColor, rgb(0x45, 0x45, 0x45)},
    {P::CenterPointBorderColor, rgb(0x45, 0x45, 0x45)}, {P::CenterPointColor, clBlack},
    {P::CenterPointOuterBorderColor, clNone}, {P::HourColor, clBlack}, {P::HourFontName, 0, "Comic Sans MS"},
    {P::HourFontSize, 8}, {P::HourFontBold, 0}, {P::HourPointer, rgb(0x4E, 0x4E, 0x4E)},
    {P::HourPointerShadow, clNone}, {P::HourPointerSize, 1}, {P::MinuteColor, rgb(0x80, 0x80, 0x80)},
    {P::MinutePointer, rgb(0x4E, 0x4E, 0x4E)}, {P::MinutePointerShadow, clNone}, {P::MinutePointerSize, 1},
    {P::SecondPointer, rgb(0xFF, 0, 0)}, {P::ShowAMPM, 1}, {P::ShowNumbers, 1}};
const W SuperNova[] = {{P::BackgroundColorTo, rgb(0xD3, 0xD3, 0xD1)}, {P::BorderColor, clNone},
    {P::CenterPointOuterBorderColor, clBlack}, {P::CenterPointSize, 10}, {P::HourMarkLength, SideBy4_5},
    {P::HourPointer, clBlack}, {P::HourPointerShadow, clBtnShadow}, {P::MinuteColor, rgb(0x80, 0x80, 0x80)},
    {P::MinuteMarkLength, SideDiv3}, {P::MinutePointer, clBlack}, {P::ShowAMPM, 0}, {P::ShowNumbers, 0}};
const W Sports[] = {{P::BackgroundColor, clBlack}, {P::BackgroundColorTo, clNone}, {P::BorderColor, clBlack},
    {P::BorderWidth, 1}, {P::CenterPointBorderColor, rgb(0, 0, 0xFF)}, {P::CenterPointOuterBorderColor, clBlack},
    {P::CenterPointColor, rgb(0x19, 0x19, 0x19)}, {P::CenterPointSize, SideBy3_6},
    {P::HourColor, rgb(0xB1, 0xB0, 0xAB)}, {P::HourFontColor, rgb(0x79, 0x79, 0x79)},
    {P::HourFontName, 0, "Times New Roman"}, {P::HourFontSize, 9}, {P::HourPointer, rgb(0xFF, 0, 0)},
    {P::HourPointerShadow, clNone}, {P::HourPointerSize, 2}, {P::MinuteColor, rgb(0x80, 0x80, 0x80)},
    {P::MinutePointer, rgb(0xFF, 0xFF, 0)}, {P::MinutePointerSize, 2}, {P::MinutePointerShadow, clNone},
    {P::MinuteMarkLength, 1}, {P::SecondPointer, rgb(0xFE, 0x8B, 0x18)}, {P::TickMarks, tmQuartHours},
    {P::ShowAMPM, 0}, {P::ShowNumbers, 1}};
const W Smooth[] = {{P::BackgroundColor, clWhite}, {P::BackgroundColorTo, rgb(0xB1, 0xB0, 0xAB)},
    {P::BorderColor, rgb(0x58, 0x58, 0x58)}, {P::BorderWidth, 1}, {P::CenterPointBorderColor, clBlack},
    {P::CenterPointOuterBorderColor, rgb(0x4A, 0x4A, 0x4A)}, {P::CenterPointColor, clWhite}, {P::CenterPointSize, 6},
    {P::HourColor, rgb(0xB1, 0xB0, 0xAB)}, {P::HourFontColor, rgb(0x79, 0x79, 0x79)},
    {P::HourFontName, 0, "Times New Roman"}, {P::HourFontSize, 9}, {P::HourPointer, rgb(0x4A, 0x4A, 0x4A)},
    {P::HourPointerShadow, rgb(0xB2, 0xB2, 0xB2)}, {P::HourPointerSize, 2}, {P::MinuteColor, rgb(0x80, 0x80, 0x80)},
    {P::MinutePointer, rgb(0x4A, 0x4A, 0x4A)}, {P::MinutePointerSize, 2}, {P::MinutePointerShadow, rgb(0xB2, 0xB2, 0xB2)},
    {P::MinuteMarkLength, 1}, {P::SecondPointer, rgb(0x4A, 0x4A, 0x4A)}, {P::TickMarks, tmQuartHours},
    {P::ShowAMPM, 0}, {P::ShowNumbers, 1}};

const std::span<const W> Presets[] = {Classic, Tower, Fluorescent, Emerald, BlueStar, Fuchsia, Black, BlackWhite,
                                      Gray, SuperNova, Sports, Smooth};
static_assert(std::size(Presets) == wsSmooth + 1, "one preset per clock style");

void WriteFont(TWatchAppearance& a, bool hour, P p, int v, const char* s)
{
    TFont f;
    f.Assign(hour ? a.HourFont() : a.AMPMFont());
    switch (p) {
    case P::HourFontName:
    case P::AMPMFontName: f.SetName(QString::fromLatin1(s)); break;
    case P::HourFontSize:
    case P::AMPMFontSize: f.SetSize(v); break;
    case P::HourFontBold: f.SetStyle(v ? TFontStyles{fsBold} : TFontStyles{}); break;
    case P::AMPMFontPlain: f.SetStyle({}); break;
    default: f.SetColor(v); break;
    }
    if (hour)
        a.SetHourFont(&f);
    else
        a.SetAMPMFont(&f);
}

void NeonBlock(TAdvWatch& w, TColor c, TWatchShape shape);

void Write(TAdvWatch& w, const W& x)
{
    TWatchAppearance& a = *w.Appearance();
    const int side = std::min(w.Width(), w.Height());
    int v = x.v;
    if (v == AsBackground) v = a.BackgroundColor();
    if (v == SideBy4_5) v = int(std::nearbyint(side / 4.5));
    if (v == SideDiv3) v = side / 3;
    if (v == SideBy3_6) v = int(std::nearbyint(side / 3.6));
    const auto b = uint8_t(v);  // byte properties keep the low eight bits
    switch (x.p) {
    case P::Size: a.SetSize(v); break;
    case P::Shape: a.SetShape(TWatchShape(v)); break;
    case P::BackgroundColor: a.SetBackgroundColor(v); break;
    case P::BackgroundColorTo: a.SetBackgroundColorTo(v); break;
    case P::BackgroundGradient: a.SetBackgroundGradient(TWatchGradient(v)); break;
    case P::BorderColor: a.SetBorderColor(v); break;
    case P::BorderWidth: a.SetBorderWidth(v); break;
    case P::TickMarks: a.SetTickMarks(TTickMarks(v)); break;
    case P::HourMarkStyle: a.SetHourMarkStyle(THourMarkStyle(v)); break;
    case P::HourColor: a.SetHourColor(v); break;
    case P::HourMarkLength: a.SetHourMarkLength(b); break;
    case P::HourMarkWidth: a.SetHourMarkWidth(b); break;
    case P::MinuteColor: a.SetMinuteColor(v); break;
    case P::MinuteMarkLength: a.SetMinuteMarkLength(b); break;
    case P::PointerStyle: a.SetPointerStyle(TPointerStyle(v)); break;
    case P::HourPointer: a.SetHourPointer(v); break;
    case P::HourPointerShadow: a.SetHourPointerShadow(v); break;
    case P::HourPointerSize: a.SetHourPointerSize(b); break;
    case P::MinutePointer: a.SetMinutePointer(v); break;
    case P::MinutePointerShadow: a.SetMinutePointerShadow(v); break;
    case P::MinutePointerSize: a.SetMinutePointerSize(b); break;
    case P::SecondPointer: a.SetSecondPointer(v); break;
    case P::CenterPointSize: a.SetCenterPointSize(b); break;
    case P::CenterPointColor: a.SetCenterPointColor(v); break;
    case P::CenterPointBorderColor: a.SetCenterPointBorderColor(v); break;
    case P::CenterPointOuterBorderColor: a.SetCenterPointOuterBorderColor(v); break;
    case P::AMPMFrame: a.SetAMPMFrame(TAMPMFrame(v)); break;
    case P::AMPMColor: a.SetAMPMColor(v); break;
    case P::AMPMBorderColor: a.SetAMPMBorderColor(v); break;
    case P::HourFontName:
    case P::HourFontSize:
    case P::HourFontBold:
    case P::HourFontColor: WriteFont(a, true, x.p, v, x.s); break;
    case P::AMPMFontName:
    case P::AMPMFontSize:
    case P::AMPMFontPlain:
    case P::AMPMFontColor: WriteFont(a, false, x.p, v, x.s); break;
    case P::ShowAMPM: w.SetShowAMPM(v != 0); break;
    case P::ShowNumbers: w.SetShowNumbers(v != 0); break;
    case P::Animation: w.SetAnimation(v != 0); break;
    case P::AnimationFactor: w.SetAnimationFactor(v); break;
    case P::Neon: NeonBlock(w, v, x.s[0] == 'r' ? wsRoundRect : wsRect); break;
    }
}

void NeonBlock(TAdvWatch& w, TColor c, TWatchShape shape)
{
    const W block[] = {{P::CenterPointSize, 20}, {P::HourFontColor, clWindowText}, {P::HourFontSize, 8},
        {P::HourFontName, 0, "MS Sans Serif"}, {P::HourFontBold, 0}, {P::HourColor, c}, {P::HourMarkLength, 10},
        {P::HourPointer, c}, {P::HourPointerShadow, clBtnShadow}, {P::HourPointerSize, 2}, {P::MinuteColor, c},
        {P::MinutePointer, c}, {P::MinutePointerShadow, clBtnShadow}, {P::MinutePointerSize, 2}, {P::Shape, shape},
        {P::CenterPointOuterBorderColor, clBlack}, {P::HourMarkWidth, 2}, {P::HourMarkStyle, hmsQuartDblLine}};
    for (const W& x : block) Write(w, x);
}

// One colour scheme row; "main" covers the hour and minute marks and hands.
struct Scheme {
    TVisualStyle style;
    TColor ampm, ampmBorder, background, backgroundTo, border, centerBorder, center, main, shadow, second;
};

using S = TVisualStyle;
constexpr TColor Same = -1000005;  // BackgroundColorTo = BackgroundColor
const Scheme Schemes[] = {
    {S::tsOffice2003Blue, rgb(0x59, 0x87, 0xD6), rgb(0, 0x2D, 0x96), rgb(0xAF, 0xD2, 0xFF), Same, rgb(0x59, 0x87, 0xD6), rgb(0x59, 0x87, 0xD6), rgb(0x59, 0x87, 0xD6), rgb(0x59, 0x87, 0xD6), clWhite, clWhite},
    {S::tsOffice2003Silver, rgb(0xA5, 0xA4, 0xBD), rgb(0, 0x2D, 0x96), rgb(0xD8, 0xD8, 0xE6), Same, rgb(0xA5, 0xA4, 0xBD), rgb(0xA5, 0xA4, 0xBD), rgb(0xA5, 0xA4, 0xBD), rgb(0xA5, 0xA4, 0xBD), clWhite, clWhite},
    {S::tsOffice2003Olive, rgb(0xAF, 0xC0, 0x82), rgb(0, 0x2D, 0x96), rgb(0xE1, 0xEA, 0xB9), Same, rgb(0xAF, 0xC0, 0x82), rgb(0xAF, 0xC0, 0x82), rgb(0xAF, 0xC0, 0x82), rgb(0xAF, 0xC0, 0x82), clWhite, clWhite},
    {S::tsOffice2003Classic, rgb(0x80, 0x80, 0x80), rgb(0, 0x2D, 0x96), rgb(0xF2, 0xF2, 0xF2), Same, rgb(0x80, 0x80, 0x80), rgb(0x80, 0x80, 0x80), rgb(0x80, 0x80, 0x80), rgb(0x80, 0x80, 0x80), clWhite, rgb(0x80, 0x80, 0x80)},
    {S::tsOffice2007Luna, rgb(0xD0, 0xDE, 0xF0), rgb(0xD0, 0xDE, 0xF0), rgb(0xE3, 0xEF, 0xFF), Same, rgb(0xD0, 0xDE, 0xF0), rgb(0xE3, 0xEF, 0xFF), rgb(0xE3, 0xEF, 0xFF), rgb(0x08, 0x37, 0x72), clWhite, rgb(0x08, 0x37, 0x72)},
    {S::tsOffice2007Obsidian, rgb(0x4C, 0x53, 0x5C), rgb(0xF0, 0xF1, 0xF2), rgb(0x4C, 0x53, 0x5C), Same, rgb(0xF0, 0xF1, 0xF2), rgb(0xE3, 0xEF, 0xFF), rgb(0xE3, 0xEF, 0xFF), rgb(0xF0, 0xF1, 0xF2), clWhite, rgb(0xF0, 0xF1, 0xF2)},
    {S::tsWindowsXP, clBtnFace, clBlack, clBtnFace, Same, clBlack, clBlack, clBlack, clBlack, clWhite, clBlack},
    {S::tsWhidbey, rgb(0xFA, 0xF9, 0xF5), rgb(0x98, 0x98, 0x7E), rgb(0xFA, 0xF9, 0xF5), Same, rgb(0x98, 0x98, 0x7E), rgb(0x98, 0x98, 0x7E), rgb(0x98, 0x98, 0x7E), rgb(0x98, 0x98, 0x7E), clWhite, rgb(0x98, 0x98, 0x7E)},
    {S::tsOffice2007Silver, rgb(0xF1, 0xF4, 0xF8), rgb(0xDB, 0xE0, 0xE8), rgb(0xF1, 0xF4, 0xF8), Same, rgb(0xDB, 0xE0, 0xE8), rgb(0xDB, 0xE0, 0xE8), rgb(0x6F, 0x70, 0x74), rgb(0x6F, 0x70, 0x74), clWhite, rgb(0x6F, 0x70, 0x74)},
    {S::tsWindowsVista, rgb(0xF9, 0xFD, 0xFF), rgb(0x9A, 0xDF, 0xFE), rgb(0xF9, 0xFD, 0xFF), rgb(0xF0, 0xFA, 0xFF), rgb(0x9A, 0xDF, 0xFE), rgb(0x9A, 0xDF, 0xFE), rgb(0x9A, 0xDF, 0xFE), rgb(0x9A, 0xDF, 0xFE), clWhite, rgb(0x9A, 0xDF, 0xFE)},
    {S::tsWindows7, rgb(0xFA, 0xFB, 0xFD), rgb(0xB8, 0xD6, 0xFB), rgb(0xFA, 0xFB, 0xFD), rgb(0xEB, 0xF3, 0xFD), rgb(0xB8, 0xD6, 0xFB), rgb(0xB8, 0xD6, 0xFB), rgb(0xB8, 0xD6, 0xFB), rgb(0xB8, 0xD6, 0xFB), clWhite, rgb(0xB8, 0xD6, 0xFB)},
    {S::tsTerminal, clBtnFace, rgb(0x80, 0x80, 0x80), clBtnFace, Same, rgb(0x80, 0x80, 0x80), rgb(0x80, 0x80, 0x80), rgb(0x80, 0x80, 0x80), rgb(0x80, 0x80, 0x80), clWhite, rgb(0x80, 0x80, 0x80)},
    {S::tsOffice2010Blue, rgb(0xC7, 0xDA, 0xF0), rgb(0x9F, 0xB2, 0xC7), rgb(0xEF, 0xF6, 0xFD), Same, rgb(0x9F, 0xB2, 0xC7), rgb(0x9F, 0xB2, 0xC7), rgb(0x9F, 0xB2, 0xC7), rgb(0x9F, 0xB2, 0xC7), clWhite, rgb(0x9F, 0xB2, 0xC7)},
    {S::tsOffice2010Silver, rgb(0xE0, 0xE5, 0xED), rgb(0xC8, 0xCD, 0xD2), clWhite, Same, rgb(0xC8, 0xCD, 0xD2), rgb(0xC8, 0xCD, 0xD2), rgb(0xC8, 0xCD, 0xD2), rgb(0xC8, 0xCD, 0xD2), rgb(0xC0, 0xC0, 0xC0), rgb(0xC8, 0xCD, 0xD2)},
    {S::tsOffice2010Black, rgb(0x91, 0x91, 0x91), rgb(0x6D, 0x6D, 0x6D), rgb(0xBF, 0xBF, 0xBF), Same, rgb(0x6D, 0x6D, 0x6D), rgb(0x6D, 0x6D, 0x6D), rgb(0x6D, 0x6D, 0x6D), rgb(0x6D, 0x6D, 0x6D), clWhite, rgb(0x6D, 0x6D, 0x6D)},
};
static_assert(std::size(Schemes) == size_t(S::tsOffice2010Black), "one scheme per style except tsCustom");

void SetFontColor(TWatchAppearance& a, bool hour, TColor c)
{
    WriteFont(a, hour, hour ? P::HourFontColor : P::AMPMFontColor, c, nullptr);
}

}  // namespace

void ApplyWatchColorScheme(TWatchAppearance& a, TVisualStyle style)
{
    a.SetCenterPointOuterBorderColor(clBlack);
    SetFontColor(a, true, clBlack);
    SetFontColor(a, false, clBlack);
    for (const Scheme& s : Schemes) {
        if (s.style != style) continue;
        const TColor obsidianText = rgb(0xF0, 0xF1, 0xF2);
        a.SetAMPMBorderColor(s.ampmBorder);
        a.SetAMPMColor(s.ampm);
        if (style == S::tsOffice2007Obsidian) SetFontColor(a, false, obsidianText);
        a.SetBackgroundColor(s.background);
        a.SetBackgroundColorTo(s.backgroundTo == Same ? s.background : s.backgroundTo);
        a.SetBorderColor(s.border);
        a.SetCenterPointBorderColor(s.centerBorder);
        a.SetCenterPointColor(s.center);
        a.SetHourColor(s.main);
        a.SetMinuteColor(s.main);
        a.SetHourPointerShadow(s.shadow);
        a.SetHourPointer(s.main);
        a.SetMinutePointerShadow(s.shadow);
        a.SetMinutePointer(s.main);
        a.SetSecondPointer(s.second);
        if (style == S::tsOffice2007Obsidian) SetFontColor(a, true, obsidianText);
    }
}

void TAdvWatch::SetComponentStyle(TVisualStyle AStyle)
{
    ApplyWatchColorScheme(*FAppearance, AStyle);
}

void TAdvWatch::SetStyle(TWatchStyle v)
{
    if (v == FStyle) return;
    FStyle = v;
    FAppearance->Reset();
    for (const W& x : Presets[v]) Write(*this, x);
    InvalidateFace();
}
