// The grid base's cell painter: background (plain, gradient, mirror
// gradient, hover and active rows, rounded selection bars), grid lines, and
// the content through DrawGridCell; merged areas paint once per pass.

#include "BaseGrid.h"

#include "AdvUtilPaint.h"

#include <optional>

namespace {

struct TSelectionBarColors {
    TColor Fill, FillTo, Mirror, MirrorTo, Border, UpperLine, LowerLine, Corner;
};

const TSelectionBarColors& SelectionBarColors(TGridSelectionStyle style, bool focused)
{
    static const TSelectionBarColors vista{0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
    static const TSelectionBarColors win7{0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
    static const TSelectionBarColors office{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC,
                                            0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
    static const TSelectionBarColors unfocused{0xF8F8F8, 0xE5E5E5, clNone, clNone,
                                               0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF};
    if (!focused) return unfocused;
    switch (style) {
    case ssWin7: return win7;
    case ssOffice2007: return office;
    default: return vista;
    }
}

// 0 both ends rounded, 1 only the left, 2 only the right, 3 none.
int SelectionEndKind(int ACol, int left, int right)
{
    if (right < left) std::swap(left, right);
    if (ACol == left && right > left) return 1;
    if (ACol == right && left < right) return 2;
    if (ACol > left && ACol < right) return 3;
    return 0;
}

} // namespace

void TBaseGrid::PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellContent(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellContent(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellContent(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::Paint()
{
    TObjStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState)
{
    const QString text = Cells(ACol, ARow);
    if (text.isEmpty()) return;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->DrawText(text, ARect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void TBaseGrid::PaintCellContent(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState,
                                 bool Screen)
{
    // The hidden last row shows empty.
    if (ARow == RowCount() - 1 && FHideLastRow) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color());
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Pen()->SetColor(Color());
        Canvas->Rectangle(ARect);
        return;
    }

    // A covered cell: the area paints from its base cell. On the screen,
    // once per pass, through whichever covered cell comes first; elsewhere
    // the base's look goes into ARect.
    int baseCol, baseRow;
    if (!CheckBaseCell(ACol, ARow, baseCol, baseRow)) {
        TCellProperties* bp = GridObjects(baseCol, baseRow);
        if (!bp) return;
        if (!Screen) {
            PaintCellContent(Canvas, baseCol, baseRow, ARect, AState, false);
        } else if (bp->FPaintID != FPaintID) {
            bp->FPaintID = FPaintID;
            PaintCell(Canvas, baseCol, baseRow, ARect, AState);
        }
        return;
    }

    if (Screen && IsFixed(ACol, ARow)) {
        AState += gdFixed;
        AState -= gdSelected;
    }
    const bool fixed = AState.Contains(gdFixed);
    const TRect R = Screen ? CellRect(ACol, ARow) : ARect;

    // A cell that reaches under the fixed band must not paint over it: the
    // band is cut out of the caller's clip, which comes back at the end.
    std::optional<std::optional<QRegion>> savedClip;
    if (Screen) {
        const bool scrollCol = ACol >= FixedCols(), scrollRow = ARow >= FixedRows();
        const int fw = scrollCol ? FixedColsWidth() : 0, fh = scrollRow ? FixedRowsHeight() : 0;
        if ((FixedCols() > 0 && scrollCol && R.Left < fw) || (FixedRows() > 0 && scrollRow && R.Top < fh)) {
            savedClip = Canvas->ClipRegion();
            Canvas->IntersectClipRect(TRect(fw, fh, std::max(Width(), fw), std::max(Height(), fh)));
        }
    }

    Canvas->Pen()->SetWidth(1);
    Canvas->Font()->Assign(Font());
    // A defined start for a grid whose hook leaves the look alone.
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(fixed ? FixedColor() : Color());
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FWordWrap;
    TCellGradientDirection gd = GradientVertical;
    GetVisualProperties(ACol, ARow, AState, false, true, true, Canvas->Brush(), colorTo, mirror, mirrorTo,
                        Canvas->Font(), ha, va, ww, gd);
    const bool selected = AState.Contains(gdSelected);

    // Hover row, then the active row, which wins.
    if (FHoverRow && ARow == FHoverRowIdx && !(selected && !FHoverRowCells.Contains(hcSelected))
        && !(fixed && !FHoverRowCells.Contains(hcFixed))) {
        Canvas->Brush()->SetColor(FHoverRowColor);
        colorTo = FHoverRowColorTo;
        mirror = mirrorTo = clNone;
        gd = GradientVertical;
    }
    if ((FActiveRowShow && ARow == Row() && ACol >= FixedCols() && (ACol != Col() || !FShowSel))
        || (!Screen && selected)) {
        Canvas->Brush()->SetColor(FActiveRowColor);
        colorTo = FActiveRowColorTo;
        mirror = FActiveRowMirrorColor;
        mirrorTo = FActiveRowMirrorColorTo;
    }
    const TColor brushColor = Canvas->Brush()->Color();
    Canvas->Pen()->SetColor(brushColor);

    // Background.
    const TGridOptions opts = Options();
    if (selected && FSelectionStyle != ssDefault && FShowSel) {
        const TGridRect sel = Selection();
        const int kind = SelectionEndKind(ACol, sel.Left, sel.Right);
        TRect S = R;
        if (!opts.Contains(goHorzLine)) S.Bottom += 1;
        if (!opts.Contains(goVertLine)) S.Right += 1;
        if (UseRightToLeftAlignment()) {
            S.Right += 1;
            S.Bottom += 1;
        }
        const TSelectionBarColors& c =
            SelectionBarColors(FSelectionStyle, Focused() || opts.Contains(goDrawFocusSelected));
        DrawGradientButtonFrame(Canvas, S, kind, c.Fill, c.FillTo, c.Mirror, c.MirrorTo, c.Border, c.UpperLine,
                                c.LowerLine, c.Corner, Color());
    } else if (!(UsesStyleEngine() && (fixed || selected))) {
        if (mirrorTo == clNone)
            DrawGradient(Canvas, brushColor, colorTo, gd == GradientHorizontal, R, 64);
        else
            DrawMirrorGradient(Canvas, R, brushColor, colorTo, mirror, mirrorTo, true, false, clNone, true);
    }

    // Grid lines, inside the cell at its right and bottom edge.
    Canvas->Pen()->SetStyle(psSolid);
    int h;
    if (fixed) {
        Canvas->Pen()->SetColor(FGridFixedLineColor);
        Canvas->Pen()->SetWidth(1);
        h = 1;
    } else {
        if (FGridLineWidth > 0) Canvas->Pen()->SetColor(FGridLineColor);
        Canvas->Pen()->SetWidth(FGridLineWidth);
        h = (FGridLineWidth + 1) / 2;
    }
    const bool horz = fixed ? opts.Contains(goFixedHorzLine) : opts.Contains(goHorzLine);
    const bool vert = fixed ? opts.Contains(goFixedVertLine) : opts.Contains(goVertLine);
    if (horz && !(ACol == 0 && HasNodes())) {
        Canvas->MoveTo(R.Left - h + 1, R.Bottom - h);
        Canvas->LineTo(R.Right - h + 1, R.Bottom - h);
    }
    if (vert) {
        const int x = UseRightToLeftAlignment() ? R.Right - h + 1 : R.Right - h;
        Canvas->MoveTo(x, R.Bottom - h);
        Canvas->LineTo(x, R.Top - h);
    }

    // Content.
    TRect content = R;
    if (fixed) {
        content.Right -= 1;
        content.Bottom -= 2;
    } else {
        content.Inflate(-FGridLineWidth, -FGridLineWidth);
    }
    if (Screen) DrawGridCell(Canvas, ACol, ARow, content, AState);

    if (savedClip) {
        if (*savedClip) Canvas->SelectClipRegion(**savedClip);
        else Canvas->ClearClip();
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetStyle(psSolid);
}
