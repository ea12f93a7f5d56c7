// The colour presets of the drop-down edits: the pop-up, its bars and the
// bar buttons in the sixteen library styles, the colour-tone sets, and the
// selection colours with the selected-item painter.
#include "AdvDropDown.h"
#include "AdvItemSelector.h"
#include "AdvDropDownForm.h"
#include "AdvDropDownPaint.h"
#include "AdvUtilPaint.h"

#include <array>

namespace {

// A cell the preset does not write.
constexpr TColor StyleKeep = 0x7FFFFFFF;

struct TDropDownStyleRow {
    TVisualStyle Style;
    TColor DropDownColor, DropDownColorTo, DropDownBorderColor;
    TColor HeaderColor, HeaderColorTo, HeaderFontColor, HeaderBorderColor;
    // The footer's own colours where they differ from the header's.
    TColor FooterColor, FooterColorTo, FooterBorderColor;
};

using S = TVisualStyle;

// The pop-up and its bars, one row per style in the enumeration's order.
constexpr std::array<TDropDownStyleRow, 16> DropDownStyleRows{{
    {S::tsOffice2003Blue, 16777215, clNone, StyleKeep, 16572875, 14722429, 0, 0, StyleKeep, StyleKeep, 9841920},
    {S::tsOffice2003Silver, 16777215, clNone, StyleKeep, 15524577, 11769496, 0, 9731196, StyleKeep, StyleKeep,
     StyleKeep},
    {S::tsOffice2003Olive, 16777215, clNone, clNone, 13627626, 9224369, 0, 5800032, StyleKeep, StyleKeep, StyleKeep},
    {S::tsOffice2003Classic, 15921906, 15921906, clNone, 8421504, 8421504, 16777215, 8421504, StyleKeep, StyleKeep,
     StyleKeep},
    {S::tsOffice2007Luna, 15984090, 15785680, clNone, 16773091, 16765615, 7485192, 16765615, StyleKeep, StyleKeep,
     StyleKeep},
    {S::tsOffice2007Obsidian, 16777215, clNone, clNone, 15921648, 13222589, 4406327, 6050636, StyleKeep,
     StyleKeep, StyleKeep},
    {S::tsWindowsXP, 16777215, clNone, StyleKeep, 16777215, clBtnFace, 0, 8421504, StyleKeep, StyleKeep, StyleKeep},
    {S::tsWhidbey, 16120314, 16120314, clNone, 15462127, 8296600, 16777215, 9841920, StyleKeep, StyleKeep,
     StyleKeep},
    {S::tsCustom, StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep,
     StyleKeep},
    {S::tsOffice2007Silver, 16315633, 15788259, clNone, 16316406, 15261915, 9126421, 7630959, StyleKeep, StyleKeep,
     StyleKeep},
    {S::tsWindowsVista, 16777215, 16777215, 9934743, 16776697, 16775920, 0, 16577242, 16775920, 16776697,
     StyleKeep},
    {S::tsWindows7, 16777215, 16777215, 9934743, 16645114, 16643051, 0, 16504504, StyleKeep, StyleKeep, StyleKeep},
    {S::tsTerminal, 16777215, 16777215, 8421504, clBtnFace, clBtnFace, 0, clNone, StyleKeep, StyleKeep, StyleKeep},
    {S::tsOffice2010Blue, 16777215, 15855597, 15592940, 16643823, 15784647, 5978398, 13087391, StyleKeep,
     StyleKeep, StyleKeep},
    {S::tsOffice2010Silver, 16777215, 15855597, 15592940, 16777215, 15590880, 5978398, 13815240, StyleKeep,
     StyleKeep, StyleKeep},
    {S::tsOffice2010Black, 16777215, 15855597, 15592940, 12566463, 9539985, 14145494, 7171437, StyleKeep,
     StyleKeep, StyleKeep},
}};

struct TButtonStyleRow {
    TVisualStyle Style;
    TColor Color, ColorTo, BorderColor, ColorHot, ColorHotTo, BorderColorHot, ColorDown, ColorDownTo,
        BorderColorDown, ColorDisabled, ColorDisabledTo, ColorChecked, ColorCheckedTo, BorderColorChecked;
};

// The office styles share all but their face colours.
constexpr TButtonStyleRow OfficeButton(TVisualStyle s, TColor color, TColor colorTo)
{
    return {s,        color,    colorTo,  clNone,   15465983, 11332863, 10079963, 11196927,
            7257087,  4370174,  15921906, 11974326, 7778289,  4296947,  4548219};
}

constexpr TButtonStyleRow Office2010Button(TVisualStyle s, TColor color, TColor colorTo, TColor border)
{
    return {s,       color,   colorTo,  border,   9102333,  clNone,   5819121, 7131391,
            clNone,  3181250, 15921906, 11974326, 4579838,  clNone,   5218510};
}

// The bar buttons, one row per style in the enumeration's order.
constexpr std::array<TButtonStyleRow, 16> ButtonStyleRows{{
    OfficeButton(S::tsOffice2003Blue, 16572875, 14722429),
    OfficeButton(S::tsOffice2003Silver, 15524577, 11769496),
    OfficeButton(S::tsOffice2003Olive, 13627626, 9224369),
    {S::tsOffice2003Classic, 16777215, 13226453, clNone, 13811126, 13811126, 8421504, 11899525, 11899525, 8421504,
     14210516, 14210516, 14210516, 14210516, 8421504},
    OfficeButton(S::tsOffice2007Luna, 16773091, 16768452),
    OfficeButton(S::tsOffice2007Obsidian, 15921648, 13222589),
    {S::tsWindowsXP, 16777215, clBtnFace, clNone, 15717318, 15717318, clHighlight, clInactiveCaption,
     clInactiveCaption, clHighlight, 11974326, 11974326, 12179676, 12179676, 0},
    OfficeButton(S::tsWhidbey, 16777215, 14675440),
    {S::tsCustom, StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep,
     StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep, StyleKeep},
    OfficeButton(S::tsOffice2007Silver, 16382200, 15000287),
    {S::tsWindowsVista, 16776697, 16775920, 16577242, 16710128, 16775920, 16577242, 16710128, 16642263, 16703386,
     16777215, 16777215, 16710128, 16642263, 16703386},
    {S::tsWindows7, 16645114, 16643051, 16504504, 16645114, 16643051, 16504504, 16575452, 16571329, 13542013,
     16777215, 16777215, 16710128, 16571329, 13542013},
    {S::tsTerminal, clBtnFace, clBtnFace, clNone, 12632256, 12632256, 8421504, clHighlight, clHighlight, 8421504,
     clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight},
    Office2010Button(S::tsOffice2010Blue, 16643823, 15784647, 13087391),
    Office2010Button(S::tsOffice2010Silver, 16777215, 15590880, 13815240),
    Office2010Button(S::tsOffice2010Black, 12566463, 9539985, 14145494),
}};

// Each table has one row per style, at the style's ordinal.
template <class Rows>
constexpr bool StyleRowsInOrder(const Rows& rows)
{
    for (size_t i = 0; i < rows.size(); ++i)
        if (int(rows[i].Style) != int(i)) return false;
    return true;
}
static_assert(StyleRowsInOrder(DropDownStyleRows), "one pop-up row per style, in order");
static_assert(StyleRowsInOrder(ButtonStyleRows), "one button row per style, in order");
static_assert(DropDownStyleRows.size() == size_t(TVisualStyle::tsOffice2010Black) + 1, "every style has a row");

// Writes a cell unless the preset leaves it.
template <class Setter>
void StyleWrite(TColor v, Setter set)
{
    if (v != StyleKeep) set(v);
}

struct TSelectionFrame {
    TColor Corner, Border, LowerLine, UpperLine, MirrorFrom, MirrorTo;
};

// The frame colours of the selection styles (scOffice2007, scWindowsVista,
// scWindows7).
constexpr std::array<TSelectionFrame, 3> SelectionFrames{{
    {12835295, 9295827, 13302015, 16056063, 5821692, 11792892},
    {16575947, 16637593, 16643559, 16645110, clNone, clNone},
    {14730670, 13542013, 16640731, 16643307, clNone, clNone},
}};

struct TSelectionColors {
    TColor From, To;
};
constexpr std::array<TSelectionColors, 3> SelectionPresets{{
    {14155773, 5821692},
    {16644337, 16576469},
    {16575452, 16571329},
}};

}  // namespace

void TAdvCustomDropDown::SetComponentStyle(TVisualStyle AStyle)
{
    FVisualStyle = AStyle;
    const TDropDownStyleRow& row = DropDownStyleRows[size_t(AStyle)];
    StyleWrite(row.DropDownColor, [this](TColor c) { SetDropDownColor(c); });
    StyleWrite(row.DropDownColorTo, [this](TColor c) { FDropDownColorTo = c; });
    StyleWrite(row.DropDownBorderColor, [this](TColor c) { FDropDownBorderColor = c; });
    if (FDropDownHeader && FDropDownFooter) {
        THeaderAppearance* header = FDropDownHeader.get();
        StyleWrite(row.HeaderColor, [header](TColor c) { header->SetColor(c); });
        StyleWrite(row.HeaderColorTo, [header](TColor c) { header->SetColorTo(c); });
        StyleWrite(row.HeaderFontColor, [header](TColor c) { header->Font()->SetColor(c); });
        StyleWrite(row.HeaderBorderColor, [header](TColor c) { header->SetBorderColor(c); });
        TFooterAppearance* footer = FDropDownFooter.get();
        const auto pick = [](TColor own, TColor header) { return own != StyleKeep ? own : header; };
        StyleWrite(pick(row.FooterColor, row.HeaderColor), [footer](TColor c) { footer->SetColor(c); });
        StyleWrite(pick(row.FooterColorTo, row.HeaderColorTo), [footer](TColor c) { footer->SetColorTo(c); });
        StyleWrite(row.HeaderFontColor, [footer](TColor c) { footer->Font()->SetColor(c); });
        StyleWrite(pick(row.FooterBorderColor, row.HeaderBorderColor),
                   [footer](TColor c) { footer->SetBorderColor(c); });
    }
    if (TAdvButtonAppearance* b = FButtonAppearance.get()) {
        const TButtonStyleRow& r = ButtonStyleRows[size_t(AStyle)];
        StyleWrite(r.Color, [b](TColor c) { b->SetColor(c); });
        StyleWrite(r.ColorTo, [b](TColor c) { b->SetColorTo(c); });
        StyleWrite(r.BorderColor, [b](TColor c) { b->SetBorderColor(c); });
        StyleWrite(r.ColorHot, [b](TColor c) { b->SetColorHot(c); });
        StyleWrite(r.ColorHotTo, [b](TColor c) { b->SetColorHotTo(c); });
        StyleWrite(r.BorderColorHot, [b](TColor c) { b->SetBorderColorHot(c); });
        StyleWrite(r.ColorDown, [b](TColor c) { b->SetColorDown(c); });
        StyleWrite(r.ColorDownTo, [b](TColor c) { b->SetColorDownTo(c); });
        StyleWrite(r.BorderColorDown, [b](TColor c) { b->SetBorderColorDown(c); });
        StyleWrite(r.ColorDisabled, [b](TColor c) { b->SetColorDisabled(c); });
        StyleWrite(r.ColorDisabledTo, [b](TColor c) { b->SetColorDisabledTo(c); });
        StyleWrite(r.ColorChecked, [b](TColor c) { b->SetColorChecked(c); });
        StyleWrite(r.ColorCheckedTo, [b](TColor c) { b->SetColorCheckedTo(c); });
        StyleWrite(r.BorderColorChecked, [b](TColor c) { b->SetBorderColorChecked(c); });
    }
}

void TAdvCustomDropDown::SetColorTones(const TColorTones& ATones)
{
    if (FButton) {
        FButton->SetButtonColor(ATones.Background.BrushColor);
        FButton->SetButtonColorHot(ATones.Hover.BrushColor);
        FButton->SetButtonColorDown(ATones.Selected.BrushColor);
        FButton->SetButtonBorderColor(ATones.Background.BorderColor);
    }
    SetBorderColor(ATones.Background.BorderColor);
}

void TAdvCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Style)
{
    FSelectionColorStyle = Style;
    if (Style == scCustom) return;
    const TSelectionColors& c = SelectionPresets[size_t(Style) - 1];
    FSelectionColor = c.From;
    FSelectionColorTo = c.To;
}

void TAdvCustomDropDown::DrawSelection(TCanvas* Canvas, const TRect& R, TColor BackColor, int Kind)
{
    if (!Canvas) return;
    if (FSelectionColorStyle == scCustom) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(FSelectionColor);
        Canvas->Pen()->SetColor(FSelectionColor);
        Canvas->Rectangle(R);
        return;
    }
    const TSelectionFrame& f = SelectionFrames[size_t(FSelectionColorStyle) - 1];
    DrawGradientButtonFrame(Canvas, R, Kind, FSelectionColor, FSelectionColorTo, f.MirrorFrom, f.MirrorTo, f.Border,
                            f.UpperLine, f.LowerLine, f.Corner, BackColor);
}

void TAdvCustomDropDown::DrawBackgroundGradient(TCanvas* Canvas, TColor Color, TColor ColorTo, int Steps,
                                                const TRect& R, TGradientDirection Direction)
{
    DrawDropDownGradient(Canvas, Color, ColorTo, Steps, R, Direction == gdHorizontal);
}

namespace {

// The item colours of the visual styles, in the order of the item
// appearance's setters.
struct ItemStyleRow {
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo, ColorSelected, ColorSelectedTo,
        ColorMirrorSelected, ColorMirrorSelectedTo, BorderColor, BorderColorTop, BorderColorBottom, EdgeColor;
};
constexpr ItemStyleRow ItemOffice2003 = {15465983, 11332863, 5888767, 10807807, 11196927, 7257087,
                                         4370174,  8053246,  4370174, clNone,   clNone,   clNone};
constexpr ItemStyleRow ItemOffice2007 = {15465983, 11332863, 5888767, 10807807, 11196927, 7257087,
                                         4370174,  8053246,  4370174, 16056063, 13302015, 12835295};
constexpr ItemStyleRow ItemOffice2010 = {14285309, 9102333, 9102333, 14285309, 8122111, 7131391,
                                         7131391,  8122111, 3181250, clNone,   clNone,  clNone};
struct ItemStyleEntry {
    TVisualStyle Style;
    ItemStyleRow Row;
    bool HighlightText;
};
constexpr ItemStyleEntry ItemStyles[] = {
    {TVisualStyle::tsOffice2003Blue, ItemOffice2003, false},
    {TVisualStyle::tsOffice2003Silver, ItemOffice2003, false},
    {TVisualStyle::tsOffice2003Olive, ItemOffice2003, false},
    {TVisualStyle::tsWhidbey, ItemOffice2003, false},
    {TVisualStyle::tsOffice2007Luna, ItemOffice2007, false},
    {TVisualStyle::tsOffice2007Obsidian, ItemOffice2007, false},
    {TVisualStyle::tsOffice2007Silver, ItemOffice2007, false},
    {TVisualStyle::tsOffice2003Classic,
     {13811126, 13811126, clNone, clNone, 11899525, 11899525, clNone, clNone, 8421504, clNone, clNone, clNone},
     false},
    {TVisualStyle::tsWindowsXP,
     {15717318, 15717318, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlight, clNone, clNone, clNone},
     true},
    {TVisualStyle::tsWindowsVista,
     {16776697, 16775920, clNone, clNone, 16710128, 16642263, clNone, clNone, 16703386, 16645110, 16643559,
      16575947},
     false},
    {TVisualStyle::tsWindows7,
     {16645114, 16643051, clNone, clNone, 16575452, 16571329, clNone, clNone, 13542013, 16643307, 16640731,
      14730670},
     false},
    {TVisualStyle::tsTerminal,
     {12632256, 12632256, clNone, clNone, clHighlight, clNone, clNone, clNone, 8421504, clNone, clNone, clNone},
     true},
    {TVisualStyle::tsOffice2010Blue, ItemOffice2010, false},
    {TVisualStyle::tsOffice2010Silver, ItemOffice2010, false},
    {TVisualStyle::tsOffice2010Black, ItemOffice2010, false},
};
static_assert(std::size(ItemStyles) == 15, "every visual style but tsCustom has its item colours");

}  // namespace

void TAdvCustomDropDown::SetItemAppearanceStyle(TItemAppearance* Appearance, TVisualStyle Style)
{
    if (!Appearance || Style == TVisualStyle::tsCustom) return;
    Appearance->SetBorderColorHot(clNone);
    Appearance->SetBorderColorSelected(clNone);
    Appearance->SetColorSelectedText(0);
    Appearance->SetColorHotText(0);
    for (const ItemStyleEntry& e : ItemStyles) {
        if (e.Style != Style) continue;
        const ItemStyleRow& r = e.Row;
        Appearance->SetColorHot(r.ColorHot);
        Appearance->SetColorHotTo(r.ColorHotTo);
        Appearance->SetColorMirrorHot(r.ColorMirrorHot);
        Appearance->SetColorMirrorHotTo(r.ColorMirrorHotTo);
        Appearance->SetColorSelected(r.ColorSelected);
        Appearance->SetColorSelectedTo(r.ColorSelectedTo);
        Appearance->SetColorMirrorSelected(r.ColorMirrorSelected);
        Appearance->SetColorMirrorSelectedTo(r.ColorMirrorSelectedTo);
        Appearance->SetBorderColor(r.BorderColor);
        Appearance->SetBorderColorTop(r.BorderColorTop);
        Appearance->SetBorderColorBottom(r.BorderColorBottom);
        Appearance->SetEdgeColor(r.EdgeColor);
        if (e.HighlightText) Appearance->SetColorSelectedText(clHighlightText);
        return;
    }
}
