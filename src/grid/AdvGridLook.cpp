#include "AdvGridLook.h"

#include "BaseGrid.h"

// ---------------------------------------------------------------------------
// TControlLook

TControlLook::TControlLook(TBaseGrid* AOwner)
    : FGrid(AOwner),
      FCheckedGlyph(std::make_unique<TBitmap>()),
      FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()),
      FRadioOffGlyph(std::make_unique<TBitmap>()),
      FDropDownHeader(std::make_unique<THeaderAppearance>(AOwner)),
      FDropDownFooter(std::make_unique<TFooterAppearance>(AOwner))
{
}

TControlLook::~TControlLook() = default;

void TControlLook::Init()
{
    const TControlLook fresh(nullptr);
    SetColor(fresh.Color());
    SetCommentColor(fresh.CommentColor());
    SetProgressBorderColor(fresh.ProgressBorderColor());
    SetFixedGradientFrom(fresh.FixedGradientFrom());
    SetFixedGradientTo(fresh.FixedGradientTo());
    SetFixedGradientMirrorFrom(fresh.FixedGradientMirrorFrom());
    SetFixedGradientMirrorTo(fresh.FixedGradientMirrorTo());
    SetFixedGradientHoverFrom(fresh.FixedGradientHoverFrom());
    SetFixedGradientHoverTo(fresh.FixedGradientHoverTo());
    SetFixedGradientHoverMirrorFrom(fresh.FixedGradientHoverMirrorFrom());
    SetFixedGradientHoverMirrorTo(fresh.FixedGradientHoverMirrorTo());
    SetFixedGradientHoverBorder(fresh.FixedGradientHoverBorder());
    SetFixedGradientDownFrom(fresh.FixedGradientDownFrom());
    SetFixedGradientDownTo(fresh.FixedGradientDownTo());
    SetFixedGradientDownMirrorFrom(fresh.FixedGradientDownMirrorFrom());
    SetFixedGradientDownMirrorTo(fresh.FixedGradientDownMirrorTo());
    SetFixedGradientDownBorder(fresh.FixedGradientDownBorder());
}

TPersistent* TControlLook::GetOwner()
{
    return FGrid;
}

void TControlLook::Assign(TPersistent* Source)
{
    if (dynamic_cast<TControlLook*>(Source)) return;
    TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------
// TBackGround

TBackGround::TBackGround(TBaseGrid* AOwner) : FGrid(AOwner), FBitmap(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

TPersistent* TBackGround::GetOwner()
{
    return FGrid;
}

void TBackGround::Changed()
{
    if (FGrid) FGrid->Invalidate();
}

void TBackGround::Assign(TPersistent* Source)
{
    if (auto* s = dynamic_cast<TBackGround*>(Source)) {
        FDisplay = s->FDisplay;
        FCells = s->FCells;
        FLeft = s->FLeft;
        FTop = s->FTop;
        FColor = s->FColor;
        FColorTo = s->FColorTo;
        FBitmap->Assign(s->FBitmap.get());
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------
// TGrouping, TShowModified

TPersistent* TGrouping::GetOwner()
{
    return FGrid;
}

void TGrouping::Assign(TPersistent*) {}

TPersistent* TShowModified::GetOwner()
{
    return FGrid;
}

void TShowModified::SetColor(TColor v)
{
    FColor = v;
    if (OnChange) OnChange(this);
}

void TShowModified::Assign(TPersistent*) {}

// ---------------------------------------------------------------------------
// TDragScrollOptions

void TDragScrollDelays::Assign(TPersistent* Source)
{
    if (dynamic_cast<TDragScrollDelays*>(Source)) return;
    TPersistent::Assign(Source);
}

void TDragScrollMargins::Assign(TPersistent* Source)
{
    if (dynamic_cast<TDragScrollMargins*>(Source)) return;
    TPersistent::Assign(Source);
}

TDragScrollOptions::TDragScrollOptions(TBaseGrid* AOwner)
    : FGrid(AOwner),
      FDelays(std::make_unique<TDragScrollDelays>(this)),
      FMargins(std::make_unique<TDragScrollMargins>(this))
{
}

TDragScrollOptions::~TDragScrollOptions() = default;

TPersistent* TDragScrollOptions::GetOwner()
{
    return FGrid;
}

void TDragScrollOptions::Assign(TPersistent*) {}

// ---------------------------------------------------------------------------
// TGridProgressAppearance

TPersistent* TGridProgressAppearance::GetOwner()
{
    return FGrid;
}

void TGridProgressAppearance::Assign(TPersistent*) {}

// ===========================================================================
// The grid's looks and colour schemes.

#include "AdvGrid.h"
#include "AdvGridSort.h"
#include "AdvUtilPaint.h"
#include "Resources.h"

namespace {

constexpr TColor kSame = TColor(0x7FFFFFFE);  // "leave as it is" in the tables below

const char* const kLookNames[] = {"glStandard", "glSoft",  "glClassic", "glZUR",        "glXP",
                                  "glListView", "glVista", "glWin7",    "glOffice2007", ""};

} // namespace

// One row of the scheme table; kSame leaves a value alone.
struct TAdvGridStyleColors {
    TGridLook Look;         // glCustom: unchanged
    TColor FixedFrom, FixedTo;
    bool LookFixedNone;     // the control look's fixed pair becomes clNone
    TColor MirrorFrom, MirrorTo;
    TColor ActiveFrom, ActiveTo;
    TColor Selection;       // kSame: the reset values stay
    TColor SelectionTo;
    TColor Lines, FixedLines;
    TGridSelectionStyle SelStyle;
    TColor HoverFrom, HoverTo, HoverMirrorFrom, HoverMirrorTo, HoverBorder;
    TColor DownFrom, DownTo, DownMirrorFrom, DownMirrorTo, DownBorder;
    TColor SortFrom, SortTo, SortMirrorFrom, SortMirrorTo;
};

namespace {

constexpr TColor S = kSame;
// In the order of TAdvGridStyle.
const TAdvGridStyleColors kStyles[] = {
    {glXP, 0xFCE1CB, 0xE0A57D, false, clNone, clNone, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080,
     ssDefault, S, S, S, S, S, S, S, S, S, S, S, S, S, S},
    {glXP, 0xECE2E1, 0xB39698, false, clNone, clNone, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080,
     ssDefault, S, S, S, S, S, S, S, S, S, S, S, S, S, S},
    {glXP, 0xCFF0EA, 0x8CC0B1, false, clNone, clNone, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080,
     ssDefault, S, S, S, S, S, S, S, S, S, S, S, S, S, S},
    {glXP, clWhite, 0xCCD4D8, true, clNone, clNone, 0xD8D5D4, 0xD8D5D4, S, S, 0xC0C0C0, 0x808080, ssDefault, S, S,
     S, S, S, S, S, S, S, S, S, S, S, S},
    {glOffice2007, 0xFBF9F6, 0xE8DBD2, false, clNone, clNone, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, S, 0xF1EDEB, 0xD1BBA4,
     ssOffice2007, 0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D,
     0xE4C19D, S, S, S, S},
    {glOffice2007, 0xF7F7F7, 0xDEDEDE, false, clNone, clNone, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, S, 0xE5D7D0, 0x808080,
     ssDefault, S, S, S, S, S, S, S, S, S, S, S, S, S, S},
    {glXP, clBtnFace, clBtnFace, true, clNone, clNone, clBtnFace, clBtnFace, S, S, 0xC0C0C0, 0x808080, ssDefault, S,
     S, S, S, S, S, S, S, S, S, S, S, S, S},
    {glCustom, clWhite, clBtnFace, true, clNone, clNone, 0x94E6FB, 0x1595EE, S, S, 0xC0C0C0, 0x808080, ssDefault, S,
     S, S, S, S, S, S, S, S, S, S, S, S, S},
    {glCustom, S, S, false, S, S, S, S, S, S, S, S, ssDefault, S, S, S, S, S, S, S, S, S, S, S, S, S, S},
    {glOffice2007, 0xF3F3F1, 0xCAC9C8, false, S, S, 0x99CCFF, 0x699CFF, 0x95C7F5, S, 0xE5D7D0, 0x808080, ssDefault,
     S, S, S, S, S, S, S, S, S, S, S, S, S, S},
    {glVista, clWhite, clWhite, true, 0xFAF8F7, 0xF4F2F1, 0xFDF8F1, 0xFCEFD5, 0xEACAB6, S, 0xECECF0, 0xD4D2D1,
     ssVista, 0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993, 0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F,
     0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8},
    {glWin7, 0xFDFCFA, 0xFAF0E6, true, 0xF4E6DC, 0xF7E9DD, 0xFCEBDC, 0xFCDBC1, 0xEACAB6, S, 0xECECF0, 0xD4D2D1,
     ssWin7, 0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, S, 0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA, 0xFCF9F2,
     0xFCF9F2, 0xF9F1E1, 0xF6ECD8},
    {glStandard, S, S, false, S, S, S, S, S, S, S, S, ssDefault, S, S, S, S, S, S, S, S, S, S, S, S, S, S},
    {glOffice2007, 0xF5E7DA, 0xF5E7DA, false, 0xF5E7DA, 0xF5E7DA, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, S, 0xC0C0C0,
     0xC7B0A0, ssDefault, clNone, clNone, clNone, clNone, clNone, 0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2,
     0xD6CEC7, 0xD6CEC7, 0xD6CEC7, 0xD6CEC7},
    {glOffice2007, 0xE8E3DF, 0xE8E3DF, false, 0xE8E3DF, 0xE8E3DF, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, S, 0xC0C0C0,
     0xBAB5B1, ssDefault, clNone, clNone, clNone, clNone, clNone, 0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2,
     0xAAAAAA, 0xAAAAAA, 0xAAAAAA, 0xAAAAAA},
    {glOffice2007, 0x6A6A6A, 0x6A6A6A, false, 0x6A6A6A, 0x6A6A6A, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, S, 0xC0C0C0,
     0x444444, ssDefault, clNone, clNone, clNone, clNone, clNone, 0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2,
     0xBABABA, 0xBABABA, 0xBABABA, 0xBABABA},
};
static_assert(std::size(kStyles) == gsOffice2010Black + 1, "one scheme row per grid style");

template <class F>
void SetIfGiven(TColor v, F set)
{
    if (v != kSame) set(v);
}

} // namespace

QString TAdvStringGrid::GetLookName(TGridLook L) { return QString::fromLatin1(kLookNames[int(L)]); }

void TAdvStringGrid::SetLook(TGridLook v)
{
    if (v == FLook) return;
    FLook = v;
    const bool loading = HasState(csLoading);
    if (v != glCustom) {
        FControlLook->SetFixedGradientMirrorFrom(clNone);
        FControlLook->SetFixedGradientMirrorTo(clNone);
        FControlLook->SetFixedGradientFrom(clNone);
        FControlLook->SetFixedGradientTo(clNone);
        FVisualGradFrom = FVisualGradTo = FVisualGradMirrorFrom = FVisualGradMirrorTo = clNone;
        FSortSettings->SetHeaderColor(clNone);
    }
    // The search footer takes the grid's gradient pair as step 2 left it.
    const TColor footerFrom = FVisualGradFrom, footerTo = FVisualGradTo;
    switch (v) {
    case glVista: SetStyle(gsWindowsVista); FStyle = TVisualStyle::tsWindowsVista; SetSelectionStyle(ssVista); break;
    case glWin7: SetStyle(gsWindows7); FStyle = TVisualStyle::tsWindows7; SetSelectionStyle(ssWin7); break;
    case glOffice2007:
        SetStyle(gsOffice2007Luna);
        FStyle = TVisualStyle::tsOffice2007Luna;
        SetSelectionStyle(ssOffice2007);
        break;
    case glCustom: break;
    default: {
        SetSelectionStyle(ssDefault);
        if (loading) break;
        const bool plain = v == glStandard || v == glSoft || v == glClassic;
        const bool zur = v == glZUR || v == glXP;
        if (plain) SetFixedColor(clBtnFace);
        const TColor from = plain ? clBtnFace : clWhite;
        const TColor to = plain ? clNone : v == glZUR ? TColor(0xC0C0C0) : clBtnFace;
        FControlLook->SetFixedGradientFrom(from);
        FControlLook->SetFixedGradientTo(to);
        FVisualGradFrom = from;
        if (to != clNone) FVisualGradTo = to;
        SetGridFixedLineColor(TColor(0x808080));
        FVisualGradMirrorFrom = FVisualGradMirrorTo = clNone;
        SetGridLineColor(TColor(0xC0C0C0));
        SetActiveCellColor(zur ? RGBColor(182, 202, 234) : TColor(0x808080));
        SetActiveCellColorTo(clNone);
        SetSelectionColor(zur ? RGBColor(182, 202, 234) : clHighlight);
        if (zur) SetSelectionColorTo(clNone);
        SetSelectionTextColor(zur ? clBlack : clHighlightText);
        if (zur) {
            FSearchFooter->SetColor(footerFrom);
            FSearchFooter->SetColorTo(footerTo);
            FHoverFrom = RGBColor(209, 208, 207), FHoverTo = RGBColor(200, 198, 190);
            FHoverMirrorFrom = RGBColor(200, 198, 190), FHoverMirrorTo = RGBColor(191, 188, 171);
            FDownFrom = RGBColor(136, 135, 134), FDownTo = RGBColor(126, 124, 115);
            FDownMirrorFrom = RGBColor(126, 124, 115), FDownMirrorTo = RGBColor(118, 115, 98);
        } else {
            FSearchFooter->SetColor(clBtnFace);
            FSearchFooter->SetColorTo(clBtnFace);
        }
        break;
    }
    }
    SetScrollType(ssNormal);
    SetBorderStyle(bsSingle);
    SetBorderColor(RGBColor(127, 157, 185));
    Invalidate();
    if (!loading) UpdateFooter();
}

void TAdvStringGrid::ApplyStyleColors(const TAdvGridStyleColors& s)
{
    if (s.Look != glCustom) {
        // The look's own scheme must not run over this one: store first.
        FLook = s.Look;
    }
    SetIfGiven(s.FixedFrom, [&](TColor c) {
        FVisualGradFrom = c;
        FControlLook->SetFixedGradientFrom(s.LookFixedNone ? clNone : c);
    });
    SetIfGiven(s.FixedTo, [&](TColor c) {
        FVisualGradTo = c;
        FControlLook->SetFixedGradientTo(s.LookFixedNone ? clNone : c);
    });
    SetIfGiven(s.MirrorFrom, [&](TColor c) { FVisualGradMirrorFrom = c; });
    SetIfGiven(s.MirrorTo, [&](TColor c) { FVisualGradMirrorTo = c; });
    SetIfGiven(s.ActiveFrom, [&](TColor c) { SetActiveCellColor(c); });
    SetIfGiven(s.ActiveTo, [&](TColor c) { SetActiveCellColorTo(c); });
    SetIfGiven(s.Selection, [&](TColor c) {
        SetSelectionColor(c);
        SetSelectionTextColor(clBlack);
    });
    SetIfGiven(s.SelectionTo, [&](TColor c) { SetSelectionColorTo(c); });
    SetIfGiven(s.Lines, [&](TColor c) { SetGridLineColor(c); });
    SetIfGiven(s.FixedLines, [&](TColor c) { SetGridFixedLineColor(c); });
    if (s.SelStyle != ssDefault) SetSelectionStyle(s.SelStyle);
    SetIfGiven(s.HoverFrom, [&](TColor c) { FHoverFrom = c; });
    SetIfGiven(s.HoverTo, [&](TColor c) { FHoverTo = c; });
    SetIfGiven(s.HoverMirrorFrom, [&](TColor c) { FHoverMirrorFrom = c; });
    SetIfGiven(s.HoverMirrorTo, [&](TColor c) { FHoverMirrorTo = c; });
    SetIfGiven(s.HoverBorder, [&](TColor c) { FHoverBorder = c; });
    SetIfGiven(s.DownFrom, [&](TColor c) { FDownFrom = c; });
    SetIfGiven(s.DownTo, [&](TColor c) { FDownTo = c; });
    SetIfGiven(s.DownMirrorFrom, [&](TColor c) { FDownMirrorFrom = c; });
    SetIfGiven(s.DownMirrorTo, [&](TColor c) { FDownMirrorTo = c; });
    SetIfGiven(s.DownBorder, [&](TColor c) { FDownBorder = c; });
    SetIfGiven(s.SortFrom, [&](TColor c) { FSortSettings->SetHeaderColor(c); });
    SetIfGiven(s.SortTo, [&](TColor c) { FSortSettings->SetHeaderColorTo(c); });
    SetIfGiven(s.SortMirrorFrom, [&](TColor c) { FSortSettings->SetHeaderMirrorColor(c); });
    SetIfGiven(s.SortMirrorTo, [&](TColor c) { FSortSettings->SetHeaderMirrorColorTo(c); });
    if (s.FixedFrom != kSame) {
        FSearchFooter->SetColor(FVisualGradFrom);
        FSearchFooter->SetColorTo(FVisualGradMirrorTo);
    }
}

void TAdvStringGrid::SetStyle(TAdvGridStyle AStyle)
{
    SetSelectionColor(clHighlight);
    SetSelectionColorTo(clNone);
    SetSelectionTextColor(clHighlightText);
    SetSelectionStyle(ssDefault);
    FSortSettings->SetHeaderColor(clNone);
    FSortSettings->SetHeaderColorTo(clNone);
    FSortSettings->SetHeaderMirrorColor(clNone);
    FSortSettings->SetHeaderMirrorColorTo(clNone);
    FControlLook->Init();
    ApplyStyleColors(kStyles[int(AStyle)]);
    Invalidate();
}

void TAdvStringGrid::SetComponentStyle(TVisualStyle AStyle)
{
    FStyle = AStyle;
    SetStyle(TAdvGridStyle(int(AStyle)));
    if (AStyle != TVisualStyle::tsCustom && FScrollType == ssMetro) SetScrollType(ssNormal);
}

void TAdvStringGrid::SetTheme(TXPColorScheme Scheme)
{
    struct TRow {
        TColor From, To, MirrorFrom, MirrorTo, FooterFrom, FooterTo, ActiveFrom, ActiveTo;
    };
    static const TRow rows[] = {
        {clWhite, clBtnFace, clNone, clNone, clWhite, 0xFFD9B3, clWhite, 0xFFD9B3},             // xpNone
        {0xFCE1CB, 0xE0A57D, clNone, clNone, 0xFCE1CB, 0xE0A57D, 0x94E6FB, 0x1595EE},          // xpBlue
        {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0xCFF0EA, 0x8CC0B1, 0x94E6FB, 0x1595EE},          // xpGreen
        {0xECE2E1, 0xB39698, clNone, clNone, 0xECE2E1, 0xB39698, 0x94E6FB, 0x1595EE},          // xpGray
        {clWhite, clWhite, 0xFAF8F7, 0xF4F2F1, 0xECE2E1, 0xB39698, 0x94E6FB, 0x1595EE},        // vistaAero
    };
    const TRow& r = rows[int(Scheme)];
    FVisualGradFrom = r.From;
    FVisualGradTo = r.To;
    FVisualGradMirrorFrom = r.MirrorFrom;
    FVisualGradMirrorTo = r.MirrorTo;
    SetActiveCellColor(r.ActiveFrom);
    SetActiveCellColorTo(r.ActiveTo);
    FControlLook->SetFixedGradientFrom(Scheme == xpNone ? clNone : r.From);
    FControlLook->SetFixedGradientTo(Scheme == xpNone ? clNone : r.To);
    FSearchFooter->SetColor(r.FooterFrom);
    FSearchFooter->SetColorTo(r.FooterTo);
    Invalidate();
}

void TAdvStringGrid::SetColorTones(const TColorTones& ATones)
{
    FTones = ATones;
    SetLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);
    SetFixedColor(ATones.Foreground.BrushColor);
    FFixedFont->SetColor(ATones.Foreground.TextColor);
    FFixedFont->SetName(GetDefaultFontName());
    SetColor(ATones.Background.BrushColor);
    Font()->SetName(GetDefaultFontName());
    Font()->SetColor(ATones.Background.TextColor);
    SetSelectionColor(ATones.Selected.BrushColor);
    SetSelectionTextColor(ATones.Selected.TextColor);
    SetSelectionColorTo(clNone);
    SetGridLineColor(TColor(0xE6E6E6));
    SetGridFixedLineColor(AdjustColorPercent(ATones.Foreground.BrushColor, -20));
    SetBorderStyle(bsNone);
    FControlLook->SetControlStyle(csGlyph);
    const std::pair<const char*, TBitmap*> glyphs[] = {{"metrocheckon", FControlLook->CheckedGlyph()},
                                                       {"metrocheckoff", FControlLook->UnCheckedGlyph()},
                                                       {"metroradioon", FControlLook->RadioOnGlyph()},
                                                       {"metroradiooff", FControlLook->RadioOffGlyph()}};
    for (const auto& [name, bmp] : glyphs)
        if (const auto bytes = FindResource(QString::fromLatin1(name))) {
            try {
                bmp->LoadFromBytes(*bytes);
            } catch (const Exception&) {
            }
        }
    FControlLook->SetFlatButton(true);
    FSearchFooter->SetColor(ATones.Foreground.BrushColor);
    FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
    FCellNode->SetNodeType(cnFlat);
    Invalidate();
}

void TAdvStringGrid::AdaptToOfficeTheme()
{
    const TOfficeTheme t = CurrentOfficeTheme();
    if (t != FOldOfficeTheme) {
        using V = TVisualStyle;
        static const std::pair<TOfficeTheme, V> map[] = {
            {TOfficeTheme::ot2003Blue, V::tsOffice2003Blue},       {TOfficeTheme::ot2003Silver, V::tsOffice2003Silver},
            {TOfficeTheme::ot2003Olive, V::tsOffice2003Olive},     {TOfficeTheme::ot2003Classic, V::tsOffice2003Classic},
            {TOfficeTheme::ot2007Blue, V::tsOffice2007Luna},       {TOfficeTheme::ot2007Silver, V::tsOffice2007Silver},
            {TOfficeTheme::ot2007Black, V::tsOffice2007Obsidian},  {TOfficeTheme::ot2010Blue, V::tsOffice2010Blue},
            {TOfficeTheme::ot2010Silver, V::tsOffice2010Silver},   {TOfficeTheme::ot2010Black, V::tsOffice2010Black}};
        for (const auto& [theme, style] : map)
            if (theme == t) SetComponentStyle(style);
    }
    FOldOfficeTheme = t;
}
