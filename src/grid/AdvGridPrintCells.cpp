// Putting the cells on paper: measuring a cell in 0.1 mm, printing one row
// of a column band with its backgrounds, texts and lines, and the lines
// that close a page.

#include "AdvGrid.h"
#include "AdvGridPaint.h"
#include "AdvGridPrint.h"
#include "RichText.h"
#include "AdvUtil.h"
#include "AdvUtilPaint.h"
#include "AsgHTMLE.h"
#include "GraphicsPainter.h"
#include "SysFormat.h"

#include <algorithm>
#include <cmath>

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
    TColor ColorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;

    AdvGridPrintCellLook(TAdvStringGrid* g, TFont* printFont, int ACol, int ARow, bool fixed)
    {
        Font.Assign(printFont);
        WW = g->WordWrap();
        TColor mirror = clNone, mirrorTo = clNone;
        TCellGradientDirection gd = GradientVertical;
        TGridDrawState state;
        if (fixed) state.Include(gdFixed);
        g->GetVisualProperties(ACol, ARow, state, true, false, false, &Brush, ColorTo, mirror, mirrorTo, &Font, HA, VA,
                               WW, gd);
    }
};

// The graphics that go on paper; every other kind prints nothing.
bool AdvGridPrintsGraphic(TCellType t)
{
    switch (t) {
    case ctBitmap: case ctIcon: case ctImageList: case ctDataImage: case ctCheckBox: case ctDataCheckBox:
    case ctVirtCheckBox: case ctRowCheckBox: case ctTriStateCheckBox: case ctRadioButton: case ctNode: case ctRadio:
    case ctImages: case ctPicture: case ctFilePicture: case ctProgress: case ctProgressPie: case ctInterface:
        return true;
    default: return false;
    }
}

// Cells whose look follows their data: their text is not printed as text.
bool AdvGridPrintFollowsData(TCellType t)
{
    return t == ctDataCheckBox || t == ctDataImage || t == ctVirtCheckBox || t == ctRowCheckBox;
}

// The extents of text turned by Angle degrees: |cos| and |sin| of the
// widest line and of the line height, each product truncated.
struct AdvGridPrintTurn {
    int Wc, Hs, Ws, Hc;
    AdvGridPrintTurn(int Angle, int Width, int Height)
    {
        const double a = Angle * M_PI / 180.0;
        Wc = std::abs(int(std::trunc(std::cos(a) * Width)));
        Hs = std::abs(int(std::trunc(std::sin(a) * Height)));
        Ws = std::abs(int(std::trunc(std::sin(a) * Width)));
        Hc = std::abs(int(std::trunc(std::cos(a) * Height)));
    }
};

int AdvGridPrintHAlign(TAlignment a) { return a == taRightJustify ? 1 : a == taCenter ? 2 : 0; }
int AdvGridPrintVAlign(TVAlignment v) { return v == vtaCenter ? 1 : v == vtaBottom ? 2 : 0; }

} // namespace

QString TAdvStringGrid::PrintCellText(int ACol, int ARow, int& Kind)
{
    Kind = 0;
    if (TCellGraphic* g = GetCellGraphic(ACol, ARow); g && AdvGridPrintFollowsData(g->CellType())) return QString();
    QString text = GetFormattedCell(ACol, ARow);
    Kind = GetTextType(text, EnableHTML());
    if (Kind == 3) {
        text = GetCalculatedCellText(ACol, ARow, text);
        Kind = GetTextType(text, EnableHTML());
    }
    return text;
}

TPoint TAdvStringGrid::MeasurePrintCell(int ACol, int ARow)
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun& run = *FPrintRun;
    // Measuring leaves the canvas font as it found it.
    const TCanvasFontKeeper keepFont(run.Canvas);
    AdvGridPrintCellLook look(this, ps->Font(), ACol, ARow, ACol < FixedCols() || ARow < FixedRows());
    TFont& font = look.Font;
    const bool ww = look.WW;
    int kind = 0;
    QString text = PrintCellText(ACol, ARow, kind);
    const int d = DisplColIndex(ACol);
    if (kind == 1) {
        // Mini-markup is laid out at screen size and taken to paper.
        TCanvas m;
        m.Font()->Assign(&font);
        const int w = ps->NoAutoSize() && d >= 0 ? ColWidths(d) + 12 : 65535;
        THTMLDrawArgs args;
        args.MeasureOnly = true;
        args.ImageList = FGridImages;
        args.PictureCache = FImageCache;
        args.WordWrap = ww;
        THTMLDrawResult res;
        DrawHTMLText(&m, text, TRect(0, 0, w, 65535), args, res);
        return TPoint(int(std::lround(res.Width * run.ScreenToPaper)),
                      int(std::lround(res.Height * run.ScreenToPaper)) -
                          int(std::lround(run.LineUnit * run.ScreenToPaper)));
    }
    int angle = 0;
    const bool rotated = IsRotated(ACol, ARow, angle);
    // Turned rich text prints as its plain text.
    if (kind == 2 && rotated) {
        text = RichTextToPlain(text);
        kind = 0;
    }
    TPoint graphic(0, 0);
    if (ps->PrintGraphics() && !rotated) {
        TCellGraphic* g = GetCellGraphic(ACol, ARow);
        if (g && AdvGridPrintsGraphic(g->CellType())) {
            const TPoint gs = GetCellGraphicSize(ACol, ARow);
            graphic = TPoint(int(std::lround(gs.X * run.ScreenToPaper)), int(std::lround(gs.Y * run.ScreenToPaper)));
        }
    }
    if (text.isEmpty()) text = QStringLiteral("gh");
    const int gh = PrintFontLine(&font, QStringLiteral("gh")).Y;
    TCanvas* c = run.Canvas;
    TPoint size;
    if (kind == 2) {
        // Rich text is laid out at screen size in the cell's font, with its
        // own sizes and styles, and taken to paper as it will be drawn.
        const int w = ww && ps->NoAutoSize() && d >= 0 ? ColWidths(d) : 0;
        const TSize rs = RichTextMeasure(text, &font, w);
        const double k = run.ScreenToPaper * FFontscalefactor;
        size = TPoint(int(std::lround(rs.cx * k)) + graphic.X, int(std::lround(rs.cy * k)));
    } else if (ww && ps->NoAutoSize() && !rotated) {
        const int w = CellSpan(ACol, ARow).X > 0 || d < 0 || d >= int(FMaxWidths.size()) ? 65535
                                                                                          : FMaxWidths[size_t(d)];
        TRect r(0, 0, w, -50);
        c->DrawText(text, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        size = TPoint(w, r.Top - r.Bottom);
    } else {
        QStringList lines = AdvGridPrintLines(text, MultilineCells());
        int width = 0;
        for (QString& line : lines) {
            if (URLShow() && !URLFull() && IsURL(line)) StripURLScheme(line);
            width = std::max(width, c->TextWidth(line));
        }
        size = TPoint(width + graphic.X, gh * int(lines.size()));
        if (rotated) {
            const double a = angle * M_PI / 180.0;
            size = TPoint(int(std::lround(std::abs(std::cos(a) * width))) + int(std::lround(std::abs(std::sin(a) * size.Y))),
                          int(std::lround(std::abs(std::sin(a) * width))) + int(std::lround(std::abs(std::cos(a) * size.Y))));
        }
    }
    TPoint result(std::max(size.X, graphic.X), std::max(size.Y, graphic.Y));
    if (OnCustomCellSize) OnCustomCellSize(this, c, ACol, ARow, result, true);
    return result;
}

void TAdvStringGrid::PrintByScreenPainters(TCellDrawContext& Look, const TRect& Dest, double Scale, TFont* Font,
                                           const QString& Html)
{
    // Dest is on the page (0.1 mm, y upward); its size in device pixels
    // over Scale is the screen size the painters draw at.
    const TRect dev = FPrintRun->Canvas->LPtoDP(Dest);
    const int dw = std::abs(dev.Right - dev.Left), dh = std::abs(dev.Bottom - dev.Top);
    if (dw <= 0 || dh <= 0) return;
    const TColor bk = Look.SavedBrushColor;
    PaintScaled(FPrintRun->Canvas, Dest, Scale, [&](TCanvas* sc) {
        sc->Font()->Assign(Font);
        sc->Brush()->SetColor(bk == clNone ? clWhite : bk);
        sc->Brush()->SetStyle(bsSolid);
        const TRect whole(0, 0, int(dw / Scale), int(dh / Scale));
        Look.Canvas = sc;
        Look.CellRect = Look.Rect = whole;
        if (!Html.isEmpty()) {
            THTMLDrawArgs args;
            args.ImageList = FGridImages;
            args.PictureCache = FImageCache;
            args.LinkColor = URLColor();
            args.WordWrap = Look.WW;
            args.Printing = true;
            THTMLDrawResult res;
            sc->Brush()->SetStyle(bsClear);
            DrawHTMLText(sc, Html, whole, args, res);
            return;
        }
        TCellGraphic* g = Look.Graphic;
        if (g->CellType() == ctInterface) {
            if (auto* o = dynamic_cast<ICellGraphicObject*>(g->CellInterface()))
                o->Draw(sc, whole, Look.RealCol, Look.Row, false, this);
            return;
        }
        PaintCellGraphic(Look);
    });
    Look.Canvas = nullptr;
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
            const TPoint inset(borders.Contains(cbLeft) ? 0 : 2 * pen.Width(), borders.Contains(cbTop) ? 0 : 2 * pen.Width());
            PrintCellContent(col, ARow, TRect(left, top, std::min(right, bandRight), bottom), inset, result,
                             span.Y > 0);
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
        c->Pen()->SetWidth(wl);
        if (bottom < run.H + ps->FooterSize()) {
            bottom = Y - result;
            borders.Exclude(cbBottom);
        }
        const int r2 = std::min(right, bandRight);
        const int lx = left - (col != FirstCol ? wl : 0);
        if (borders.Contains(cbLeft)) {
            c->MoveTo(lx, top);
            c->LineTo(lx, bottom);
        }
        if (borders.Contains(cbRight)) {
            c->MoveTo(r2, top);
            c->LineTo(r2, bottom);
        }
        if (borders.Contains(cbTop)) {
            c->MoveTo(left, top);
            c->LineTo(r2, top);
        }
        if (borders.Contains(cbBottom)) {
            c->MoveTo(left, bottom);
            c->LineTo(r2, bottom);
        }
        c->Pen()->Assign(&keepPen);
    }
    c->Pen()->Assign(&keepPen);
    FFontscalefactor = 1.0;
    return result;
}

void TAdvStringGrid::PrintCellContent(int DisplayCol, int ARow, const TRect& Box, TPoint Inset, int RowHeight,
                                      bool MergedRows)
{
    TPrintSettings* ps = FPrintSettings;
    TAdvGridPrintRun& run = *FPrintRun;
    TCanvas* c = run.Canvas;
    const int rc = RealColIndex(DisplayCol);
    AdvGridPrintCellLook look(this, ps->Font(), rc, ARow, DisplayCol < FixedCols() || ARow < FixedRows());
    TFont& font = look.Font;
    TBrush& brush = look.Brush;
    const TAlignment ha = look.HA;
    const TVAlignment va = look.VA;
    const int left = Box.Left, top = Box.Top, right = Box.Right, bottom = Box.Bottom;

    // Background, top to bottom from the brush colour to the gradient colour
    // as on the screen.
    const TRect bg(left + Inset.X, top - Inset.Y, right, bottom);
    if (brush.Style() != bsClear && brush.Color() != clNone) {
        if (look.ColorTo != clNone) {
            // The gradient painter steps from its rectangle's smaller y,
            // which on the page is the bottom: colours given bottom first.
            const TRect up(bg.Left, bg.Bottom, bg.Right, bg.Top);
            DrawGradient(c, look.ColorTo, brush.Color(), false, up, std::min(64, std::max(1, up.Height())));
        } else if (brush.Color() != clWhite) {
            c->Brush()->Assign(&brush);
            c->FillRect(bg);
        }
    }

    // The cell graphic and where it leaves room for the text.
    TCellDrawContext g;
    g.DisplayCol = DisplayCol;
    g.RealCol = rc;
    g.Row = ARow;
    g.HA = ha;
    g.VA = va;
    g.WW = look.WW;
    g.SavedBrushColor = brush.Color();
    int angle = 0;
    const bool rotated = IsRotated(rc, ARow, angle);
    GetCellGraphicLayout(rc, ARow, g);
    if (rotated || !ps->PrintGraphics() || (g.Graphic && !AdvGridPrintsGraphic(g.Graphic->CellType())))
        g.Graphic = nullptr;
    int tl = left, tr = right, tt = top;
    if (g.Graphic && g.TextBeside) {
        const int gw = int(std::lround(g.GraphicWidth * run.ScreenToPaper));
        const int gh = int(std::lround(g.GraphicHeight * run.ScreenToPaper));
        switch (g.GraphicHAlign) {
        case haLeft:
        case haBeforeText: tl += gw + int(std::lround(run.ScreenToPaper)); break;
        case haRight:
        case haAfterText: tr -= gw; break;
        default: break;
        }
        if (g.GraphicVAlign == vaAboveText) tt -= gh;
    }
    // Graphics that fill the cell (progress bars, radio groups, data-bound
    // boxes) show no text beside them, as on the screen.
    const bool textShown = !g.Graphic || g.TextBeside;
    const double toDevice = double(run.Dpi) / ScreenPixelsPerInch;

    const int lineH = PrintFontLine(&font, QStringLiteral("gh")).Y;
    c->Font()->SetColor(font.Color());
    c->Brush()->SetStyle(bsClear);
    int kind = 0;
    QString text = PrintCellText(rc, ARow, kind);
    if (kind == 2 && rotated) text = RichTextToPlain(text);
    if (rotated) {
        // Turned text: placed in its rectangle by the screen's rule, with y up.
        const int L = lineH + ps->RowSpacing() + (lineH + ps->RowSpacing()) / 8;
        const int widest = c->TextWidth(text);
        const AdvGridPrintTurn t(angle, widest, L);
        // Kept a text inset inside the cell's lines.
        TRect r(left, top - run.TextInset, right, bottom + run.TextInset);
        PlaceRotatedText(r, AdvGridPrintHAlign(ha), AdvGridPrintVAlign(va), angle, t.Wc, t.Hs, -t.Ws, -t.Hc);
        const int keep = c->Font()->Orientation();
        c->Font()->SetOrientation(angle * 10);
        c->TextOut(r.Left, r.Top, text);
        c->Font()->SetOrientation(keep);
    } else if (textShown && kind == 1) {
        // Mini-markup: the screen's renderer at the font scaled to the page.
        // A column sized to the text has no room for the right inset.
        const int inset = ps->NoAutoSize() ? run.TextInset + int(std::lround(2 * run.ScreenToPaper)) : 0;
        const TRect dest(tl + run.TextInset, tt - run.LineUnit, tr - inset, bottom);
        TFont screenFont;
        screenFont.Assign(&font);
        screenFont.SetColor(font.Color());
        // A column sized to the text needs no wrapping, whatever rounding lost.
        g.WW = look.WW && ps->NoAutoSize();
        PrintByScreenPainters(g, dest, toDevice * run.Scale, &screenFont, text);
    } else if (textShown && kind == 2) {
        // Rich text with its own fonts and colours, drawn at the font scaled
        // to the page; wrapped only as it was measured.
        TFont screenFont;
        screenFont.Assign(&font);
        RichTextDrawScaled(c, text, TRect(tl + run.TextInset, tt - run.LineUnit, tr - run.TextInset, bottom),
                           &screenFont, toDevice * run.Scale, look.WW && ps->NoAutoSize());
    } else if (textShown && look.WW && ps->NoAutoSize()) {
        TRect r(tl + run.TextInset, tt, tr - run.TextInset, bottom);
        unsigned flags = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_EDITCONTROL;
        if (ha == taRightJustify) flags |= DT_RIGHT;
        else if (ha == taCenter) flags |= DT_CENTER;
        c->DrawText(text, r, flags);
    } else if (textShown) {
        QStringList lines = AdvGridPrintLines(text, MultilineCells());
        const int L = lineH;
        int N = 0;
        if (!MergedRows && va == vtaCenter) N = (RowHeight - L * int(lines.size())) / 2;
        else if (!MergedRows && va == vtaBottom) N = RowHeight - L * int(lines.size());
        int ty = tt - run.LineUnit - N;
        for (QString& line : lines) {
            if (URLShow() && !URLFull() && IsURL(line)) StripURLScheme(line);
            const int w = c->TextWidth(line);
            int x = tl + run.TextInset;
            if (ha == taRightJustify) x = tr - run.TextInset - w;
            else if (ha == taCenter) x = tl + (tr - tl - w) / 2;
            c->TextRect(TRect(left, top, right, bottom), x, ty, line);
            ty -= L;
        }
    }
    if (g.Graphic) {
        // A picture file is read when it prints; one that cannot be read
        // stops the print with its error, where the screen only leaves it out.
        if (g.Graphic->CellType() == ctFilePicture)
            if (const TFilePicture* f = g.Graphic->CellFilePicture(); f && !f->Filename().isEmpty()) {
                TPicture check;
                check.LoadFromFile(f->Filename());
            }
        // The screen's graphic painter on the whole cell, at screen size.
        TFont screenFont;
        screenFont.Assign(&font);
        PrintByScreenPainters(g, TRect(left, top, right, bottom), toDevice, &screenFont, QString());
    }
    if (OnCustomCellDraw) {
        // The handler draws in device pixels, with the print font at its
        // point size.
        const TRect dev = c->LPtoDP(TRect(left, top, right, top - RowHeight));
        TFont keep;
        keep.Assign(c->Font());
        {
            const TAdvGridPrintMapping pixels(c, MM_TEXT, TPoint());
            c->Font()->SetSize(ps->Font()->Size());
            OnCustomCellDraw(this, c, rc, ARow, TGridDrawState(), dev, true);
        }
        c->Font()->Assign(&keep);
    }
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
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal) c->Rectangle(TRect(x0, top, x1, bottom));
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal) {
        c->MoveTo(x0, bottom);
        c->LineTo(x1, bottom);
    }
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && run.RepeatCols)
        for (int k = 0; k < FixedCols(); ++k) {
            c->MoveTo(FIndents[size_t(k)], top);
            c->LineTo(FIndents[size_t(k)], bottom);
        }
    c->Brush()->SetStyle(keep);
}
