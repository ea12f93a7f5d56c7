// How the string grid decides the colours, font, gradient, alignment and
// word wrap of one cell, and the selection and look properties that feed
// the decision. Reads cell properties through the raw slot only: painting
// never creates a property object.

#include "AdvGrid.h"

#include "AdvGridLook.h"
#include "AdvGridPaint.h"
#include "AdvGridPrint.h"
#include "AdvGridSort.h"

#include <cmath>

namespace {

// p percent of the first colour over the second.
TColor BlendColors(TColor First, TColor Second, int Percent)
{
    if (Percent >= 100) return First;
    if (Percent < 1 || First == clNone) return Second;
    if (Second == clNone) return First;
    const TColor a = ColorToRGB(First), b = ColorToRGB(Second);
    auto mix = [&](int shift) {
        const double v = Percent / 100.0 * ((a >> shift) & 0xFF) + (1 - Percent / 100.0) * ((b >> shift) & 0xFF);
        return std::min(255, int(std::lround(v)));
    };
    return TColor(mix(0) | (mix(8) << 8) | (mix(16) << 16));
}

// Lightens every component by 7 percent; a component stops at 255 so a
// light colour never wraps to a dark one.
TColor LightenSelection(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    auto up = [&](int shift) {
        const int v = (rgb >> shift) & 0xFF;
        return std::min(255, int(std::lround(v + v * 7 / 100.0)));
    };
    return TColor(up(0) | (up(8) << 8) | (up(16) << 16));
}

bool IsPlainCellType(TCellType t) { return t == ctNone || t == ctRotated || t == ctEmpty; }

} // namespace

int ZoomedFontSize(int Size, int ZoomFactor) { return std::max(1, Size + ZoomFactor); }

TColor AdvGridBlendColors(TColor First, TColor Second, int Percent) { return BlendColors(First, Second, Percent); }
TColor AdvGridLightenSelection(TColor c) { return LightenSelection(c); }

void TAdvStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                         bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                         TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                         bool& WW, TCellGradientDirection& GD)
{
    // While the grid is being built its owned objects are not all there yet.
    if (!FBands || !FMouseActions || !FFixedFont || !FControlLook || !FGrouping) {
        TBaseGrid::GetVisualProperties(ACol, ARow, AState, Print, Select, Remap, ABrush, AColorTo, AMirrorColor,
                                       AMirrorColorTo, AFont, HA, VA, WW, GD);
        return;
    }
    const int fixedCols = TBaseGrid::FixedCols(), fixedRows = TBaseGrid::FixedRows();
    // 1. font
    const bool fixedPos = ACol < fixedCols || ARow < fixedRows;
    // On paper the settings' own fonts stand in unless the display fonts are asked for.
    if (Print && FPrintSettings && !FPrintSettings->UseDisplayFont())
        AFont->Assign(fixedPos ? FPrintSettings->FixedFont() : FPrintSettings->Font());
    else
        AFont->Assign(fixedPos ? FFixedFont : Font());
    // 2. column and selection row
    const int displayCol = Remap ? ACol : DisplColIndex(ACol);
    const int rc = Remap ? RealColIndex(ACol) : ACol;
    const int selRow = (FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent()) || FUseEnabledRows
                           ? RealRowIndex(ARow)
                           : ARow;
    // 3. start
    ABrush->SetColor(clNone);
    AColorTo = AMirrorColor = AMirrorColorTo = clNone;
    // 4. cell properties
    bool ownColor = false;
    const TCellProperties* p = rc >= 0 && ARow >= 0 && rc < TotalColCount() && ARow < RowCount()
                                   ? GridObjects(rc, ARow)
                                   : nullptr;
    if (p) {
        if (p->BrushColor() != clNone) {
            ABrush->SetColor(p->BrushColor());
            ownColor = IsPlainCellType(GetCellType(rc, ARow));
        }
        if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
        if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
        if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
        if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
        WW = p->WordWrap();
        AColorTo = p->BrushColorTo();
        GD = p->GradientDirection();
    }
    // 5.
    if (AState.Contains(gdSelected)) GD = GradientVertical;
    // 6. default colours
    const bool footerRow = FFixedFooters > 0 && ARow >= RowCount() - FFixedFooters;
    const bool rightCol = FFixedRightCols > 0 && displayCol >= ColCount() - FFixedRightCols;
    const bool fixedArea = fixedPos || footerRow || rightCol;
    if (ABrush->Color() == clNone) {
        ABrush->SetColor(Color());
        if (FBands->Active() && (FBands->Print() == Print || !Print) && !fixedArea) {
            const int len = FBands->PrimaryLength() + FBands->SecondaryLength();
            if (len > 0)
                ABrush->SetColor((ARow - fixedRows) % len < FBands->PrimaryLength() ? FBands->PrimaryColor()
                                                                                    : FBands->SecondaryColor());
        }
        if (fixedArea) ABrush->SetColor(FixedColor());
    }
    // 7. fixed cells
    const bool fixed = fixedArea || IsFixed(displayCol, ARow);
    if (fixed && !ownColor && !Print) {
        ABrush->SetColor(FixedColor());
        if (!p && !fixedPos) AFont->Assign(FFixedFont);
        AState += gdFixed;
        if (FLook > glClassic) {
            ABrush->SetColor(FVisualGradFrom);
            AColorTo = FVisualGradTo;
            AMirrorColor = FVisualGradMirrorFrom;
            AMirrorColorTo = FVisualGradMirrorTo;
        }
    }
    // 8. the colour hook
    if (Print) GetCellPrintColor(rc, ARow, AState, ABrush, AFont);
    else GetCellColor(rc, ARow, AState, ABrush, AFont);
    // 9.
    if (OnGetCellGradient) {
        TColor c = ABrush->Color();
        OnGetCellGradient(this, ARow, rc, c, AColorTo, AMirrorColor, AMirrorColorTo, GD);
        ABrush->SetColor(c);
    }
    // 10.
    const TColor keptBrush = ABrush->Color(), keptFont = AFont->Color();
    // 11. selection
    if (Select && !Print && ShowSelection() && !fixed) {
        auto takeSelection = [&] {
            ABrush->SetColor(SelectionColor());
            AColorTo = SelectionColorTo();
            AMirrorColor = SelectionMirrorColor();
            AMirrorColorTo = SelectionMirrorColorTo();
            if (SelectionTextColor() != clNone) AFont->SetColor(SelectionTextColor());
        };
        if (FMouseActions->DisjunctRowSelect()) {
            if (selRow >= TotalRowCount() || !RowSelect(selRow)) {
                AState -= gdSelected;
            } else {
                AState = TGridDrawState{gdSelected};
                takeSelection();
            }
        } else if (FMouseActions->DisjunctColSelect()) {
            if (!ColSelect(rc)) {
                AState -= gdSelected;
            } else {
                AState = TGridDrawState{gdSelected};
                takeSelection();
            }
        } else if (FMouseActions->DisjunctCellSelect()) {
            if (SelectedCells(rc, ARow)) {
                AState += gdSelected;
                takeSelection();
            } else if (AState.Contains(gdSelected)) {
                AState -= gdSelected;
                ABrush->SetColor(keptBrush);
                AFont->SetColor(keptFont);
            }
        } else if (AState.Contains(gdSelected)) {
            const TColor own = ABrush->Color();
            takeSelection();
            if (own != Color() && SelectionColorMixer())
                ABrush->SetColor(BlendColors(SelectionColor(), own, SelectionColorMixerFactor()));
            AState += gdSelected;
        }
    }
    // 12. disabled rows and grids
    if (UseDisabledFont() && (!Enabled() || (FUseEnabledRows && !RowEnabled(ARow))))
        AFont->SetColor(DisabledFontColor());
    // 13.
    if (AState.Contains(gdSelected) && FMouseActions->DisjunctRowSelect() && ARow != Row()
        && SelectionColorTo() == clNone && ABrush->Color() != clNone)
        ABrush->SetColor(LightenSelection(ABrush->Color()));
    // 14.
    GetCellWordWrap(rc, ARow, WW);
    GetCellAlignment(rc, ARow, HA, VA);
}

// ---- selection and look properties -------------------------------------------------------------

void TAdvStringGrid::SetSelectionColorMixerFactor(int v)
{
    v = std::clamp(v, 0, 100);
    if (v == FSelectionColorMixerFactor) return;
    FSelectionColorMixerFactor = v;
    Invalidate();
}

void TAdvStringGrid::SetFlat(bool v)
{
    if (v == FFlat) return;
    FFlat = v;
    if (!HasState(csLoading)) Invalidate();
}

void TAdvStringGrid::SetVAlignment(TVAlignment v)
{
    FVAlignment = v;
    FVAlign = v == vtaCenter ? DT_VCENTER : v == vtaBottom ? DT_BOTTOM : 0;
    if (FUpdateCount == 0) Invalidate();
}

void TAdvStringGrid::SetSpreadSheet(bool v)
{
    // Whatever the value, the spreadsheet switches come on.
    FSpreadSheet = v;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FNavigation->SetAllowSmartClipboard(true);
    TGridOptions o = Options();
    o += goEditing;
    o += goRangeSelect;
    SetOptions(o);
    FMouseActions->SetRangeSelectAndEdit(true);
}
