// Putting the cells on paper: measuring a cell in 0.1 mm, printing one row
// of a column band with its backgrounds, texts and lines, and the lines
// that close a page.

#include "AdvGrid.h"
#include "AdvGridPrint.h"
#include "SysFormat.h"

#include <algorithm>

namespace {

// The lines a cell starts with, by the print borders.
TCellBorders AdvGridPrintCellBorders(TPrintBorders b)
{
    switch (b) {
    case pbSingle:
    case pbDouble: return TCellBorders{cbTop, cbLeft, cbRight, cbBottom};
    case pbHorizontal:
    case pbAroundHorizontal: return TCellBorders{cbTop, cbBottom};
    case pbVertical:
    case pbAroundVertical: return TCellBorders{cbLeft, cbRight};
    default: return TCellBorders{};
    }
}

QStringList AdvGridPrintLines(const QString& text, bool multiline)
{
    if (!multiline) return {text};
    QString t = text;
    t.remove(QLatin1Char('\r'));
    return t.split(QLatin1Char('\n'));
}

// A cell's font, brush, alignments and word wrap as printed, starting from
// the print font.
struct AdvGridPrintCellLook {
    TFont Font;
    TBrush Brush;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;

    AdvGridPrintCellLook(TAdvStringGrid* g, TFont* printFont, int ACol, int ARow, bool fixed)
    {
        Font.Assign(printFont);
        WW = g->WordWrap();
        TColor to = clNone, mirror = clNone, mirrorTo = clNone;
        TCellGradientDirection gd = GradientVertical;
        TGridDrawState state;
        if (fixed) state.Include(gdFixed);
        g->GetVisualProperties(ACol, ARow, state, true, false, false, &Brush, to, mirror, mirrorTo, &Font, HA, VA, WW,
                               gd);
    }
};

} // namespace

TPoint TAdvStringGrid::MeasurePrintCell(int ACol, int ARow)
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun& run = *FPrintRun;
    AdvGridPrintCellLook look(this, ps->Font(), ACol, ARow, ACol < FixedCols() || ARow < FixedRows());
    TFont& font = look.Font;
    const bool ww = look.WW;
    QString text = GetFormattedCell(ACol, ARow);
    if (text.isEmpty()) text = QStringLiteral("gh");
    const int gh = PrintFontLine(&font, QStringLiteral("gh")).Y;
    TCanvas* c = run.Canvas;
    if (ww && ps->NoAutoSize()) {
        const int d = DisplColIndex(ACol);
        const int w = CellSpan(ACol, ARow).X > 0 || d < 0 || d >= int(FMaxWidths.size()) ? 65535
                                                                                          : FMaxWidths[size_t(d)];
        TRect r(0, 0, run.DLen(w), run.DLen(50));
        c->DrawText(text, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        return TPoint(w, run.LLen(r.Bottom - r.Top));
    }
    const QStringList lines = AdvGridPrintLines(text, MultilineCells());
    int width = 0;
    for (const QString& line : lines) width = std::max(width, c->TextWidth(line));
    return TPoint(run.LLen(width), gh * int(lines.size()));
}

int TAdvStringGrid::PrintRowCells(int Y, int FirstCol, int LastCol, int ARow)
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun& run = *FPrintRun;
    const int page = run.PageCounter + 1;
    const int height = GetPrintRowHeight(ARow);
    const int result = 2 * run.LineUnit + height + ps->RowSpacing();
    if (!run.Drawing() || page < FPrintPageFrom || page > FPrintPageTo || LastCol < FirstCol) return result;
    FFontscalefactor = run.Scale;
    TCanvas* c = run.Canvas;
    TFont keepFont;
    keepFont.Assign(c->Font());
    TBrush keepBrush;
    keepBrush.Assign(c->Brush());
    TPen keepPen;
    keepPen.Assign(c->Pen());
    const int bandRight = FIndents[size_t(LastCol) + 1];

    for (int col = FirstCol; col <= LastCol; ++col) {
        if (!IsPrintCol(col)) continue;
        const int rc = RealColIndex(col);
        const TPoint base = BaseCell(rc, ARow);
        const bool isBase = base.X == rc && base.Y == ARow;
        const TPoint span = isBase ? CellSpan(rc, ARow) : TPoint(0, 0);
        // Extent of the cell, the merged area for a base cell.
        int V = 0;
        for (int k = col; k <= std::min(col + span.X, int(FMaxWidths.size()) - 1); ++k)
            V += FMaxWidths[size_t(k)] + run.Spacing;
        int B = result;
        for (int k = 1; k <= span.Y; ++k)
            B += int(Trunc((RowHeights(ARow + k) - 4) * run.ScreenToPaper)) * 9 / 8 + 2 * run.LineUnit +
                 ps->RowSpacing();
        const int left = FIndents[size_t(col)];
        const int right = left + V;
        const int top = Y;
        int bottom = Y - B;

        TPen pen;
        pen.SetWidth(1);
        pen.SetColor(ps->BorderColor());
        pen.SetStyle(ps->BorderStyle());
        TCellBorders borders = AdvGridPrintCellBorders(ps->Borders());
        GetCellPrintBorder(rc, ARow, &pen, borders);

        if (isBase) {
            AdvGridPrintCellLook look(this, ps->Font(), rc, ARow, col < FixedCols() || ARow < FixedRows());
            TFont& font = look.Font;
            TBrush& brush = look.Brush;
            const TAlignment ha = look.HA;
            const TVAlignment va = look.VA;
            const bool ww = look.WW;
            // Background, kept off the lines the cell does not draw.
            int bl = left, bt = top;
            if (!borders.Contains(cbLeft)) bl += 2 * pen.Width();
            if (!borders.Contains(cbTop)) bt -= 2 * pen.Width();
            if (brush.Style() != bsClear && brush.Color() != clNone && brush.Color() != clWhite) {
                c->Brush()->Assign(&brush);
                c->FillRect(run.DRect(bl, bt, std::min(right, bandRight), bottom));
            }
            const int gh = PrintFontLine(&font, QStringLiteral("gh")).Y;
            c->Font()->SetColor(font.Color());
            c->Brush()->SetStyle(bsClear);
            const QString text = GetFormattedCell(rc, ARow);
            const int textRight = std::min(right, bandRight);
            if (ww && ps->NoAutoSize()) {
                TRect r = run.DRect(left + run.TextInset, top, textRight - run.TextInset, bottom);
                unsigned flags = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_EDITCONTROL;
                if (ha == taRightJustify) flags |= DT_RIGHT;
                else if (ha == taCenter) flags |= DT_CENTER;
                c->DrawText(text, r, flags);
            } else {
                const QStringList lines = AdvGridPrintLines(text, MultilineCells());
                const int L = gh;
                int N = 0;
                if (span.Y == 0 && va == vtaCenter) N = (result - L * int(lines.size())) / 2;
                else if (span.Y == 0 && va == vtaBottom) N = result - L * int(lines.size());
                int ty = top - run.LineUnit - N;
                for (const QString& line : lines) {
                    const int w = run.LLen(c->TextWidth(line));
                    int x = left + run.TextInset;
                    if (ha == taRightJustify) x = textRight - run.TextInset - w;
                    else if (ha == taCenter) x = left + (textRight - left - w) / 2;
                    c->TextRect(run.DRect(left, top, textRight, bottom), run.DX(x), run.DY(ty), line);
                    ty -= L;
                }
            }
            c->Font()->Assign(&keepFont);
            c->Brush()->Assign(&keepBrush);
        }

        // Lines: a covered cell drops those inside its merged area.
        if (!isBase) {
            const TPoint bspan = CellSpan(base.X, base.Y);
            if (rc < base.X + bspan.X) borders.Exclude(cbRight);
            if (rc > base.X) borders.Exclude(cbLeft);
            if (ARow < base.Y + bspan.Y) borders.Exclude(cbBottom);
            if (ARow > base.Y) borders.Exclude(cbTop);
        }
        if (borders.Empty()) continue;
        // Paper takes a screen pixel as 0.1 mm; the preview draws one unit.
        const int wl = run.Mode == 1 ? int(std::lround(pen.Width() * run.ScreenToPaper)) : pen.Width();
        c->Pen()->SetColor(pen.Color());
        c->Pen()->SetStyle(pen.Style());
        c->Pen()->SetWidth(std::max(1, run.DLen(wl)));
        if (bottom < run.H + ps->FooterSize()) {
            bottom = Y - result;
            borders.Exclude(cbBottom);
        }
        const int r2 = std::min(right, bandRight);
        const int lx = left - (col != FirstCol ? wl : 0);
        if (borders.Contains(cbLeft)) {
            c->MoveTo(run.DX(lx), run.DY(top));
            c->LineTo(run.DX(lx), run.DY(bottom));
        }
        if (borders.Contains(cbRight)) {
            c->MoveTo(run.DX(r2), run.DY(top));
            c->LineTo(run.DX(r2), run.DY(bottom));
        }
        if (borders.Contains(cbTop)) {
            c->MoveTo(run.DX(left), run.DY(top));
            c->LineTo(run.DX(r2), run.DY(top));
        }
        if (borders.Contains(cbBottom)) {
            c->MoveTo(run.DX(left), run.DY(bottom));
            c->LineTo(run.DX(r2), run.DY(bottom));
        }
        c->Pen()->Assign(&keepPen);
    }
    c->Pen()->Assign(&keepPen);
    FFontscalefactor = 1.0;
    return result;
}

void TAdvStringGrid::FinishPrintPage(int FirstCol, int LastCol, int Y)
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun& run = *FPrintRun;
    const int page = run.PageCounter + 1;
    if (!run.Drawing() || page < FPrintPageFrom || page > FPrintPageTo) return;
    TCanvas* c = run.Canvas;
    const int x0 = run.RepeatCols ? FIndents[0] : FIndents[size_t(FirstCol)];
    const int x1 = FIndents[size_t(LastCol) + 1];
    const int top = -run.TopArea - ps->TitleSpacing();
    const int bottom = Y + run.LineUnit / 2;
    const TPrintBorders b = ps->Borders();
    const TBrushStyle keep = c->Brush()->Style();
    c->Brush()->SetStyle(bsClear);
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal) c->Rectangle(run.DRect(x0, top, x1, bottom));
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal) {
        c->MoveTo(run.DX(x0), run.DY(bottom));
        c->LineTo(run.DX(x1), run.DY(bottom));
    }
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && run.RepeatCols)
        for (int k = 0; k < FixedCols(); ++k) {
            c->MoveTo(run.DX(FIndents[size_t(k)]), run.DY(top));
            c->LineTo(run.DX(FIndents[size_t(k)]), run.DY(bottom));
        }
    c->Brush()->SetStyle(keep);
}
