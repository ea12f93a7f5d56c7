// Measuring a cell's text as it is drawn, the sort mark of the sort
// indicator cells, the highlight colours and text offsets, and the small
// row and look hooks around painting.

#include "AdvGrid.h"

#include "AdvGridPaint.h"
#include "AdvGridSort.h"
#include "AdvUtil.h"
#include "AsgHTMLE.h"
#include "RichText.h"

#include <QWidget>
#include <algorithm>

// ---- fonts and measuring ------------------------------------------------------------------

void TAdvStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont,
                                       TBrush* ABrush, bool Remap)
{
    const int rc = Remap ? RealColIndex(ACol) : RCol;
    const bool fixed = ACol < FixedCols() || ARow < FixedRows() || IsFixed(ACol, ARow);
    AFont->Assign(fixed ? FixedFont() : Font());
    // The raw slot: measuring never creates a property object.
    const TCellProperties* p = rc >= 0 && ARow >= 0 && rc < TotalColCount() && ARow < RowCount()
                                   ? GridObjects(rc, ARow)
                                   : nullptr;
    if (p) {
        if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
        if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
        if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
        if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
    }
    if (fixed) AState += gdFixed;
    GetCellColor(rc, ARow, AState, ABrush, AFont);
}

TSize TAdvStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB)
{
    return MeasureCellText(ACol, ARow, VS, SB);
}

TSize TAdvStringGrid::MeasureCellText(int ACol, int ARow, bool VS, bool SB)
{
    if (ACol < 0 || ARow < 0 || ARow >= RowCount() || ACol >= TotalColCount()) return TSize(0, 0);
    const int dc = DisplColIndex(ACol);
    // 1. text and font
    QString text = GetFormattedCell(ACol, ARow);
    int kind = GetTextType(text, EnableHTML());
    if (kind == 3) {
        text = GetCalculatedCellText(ACol, ARow, text);
        kind = GetTextType(text, EnableHTML());
    }
    TCanvas cv;
    TBrush brush;
    TGridDrawState state;
    GetFontProperties(dc, ACol, ARow, state, cv.Font(), &brush, false);
    if ((ARow < FixedRows() || dc < FixedCols()) && ActiveCellShow() && ActiveCellFont()->Style().Contains(fsBold)) {
        TFontStyles st = cv.Font()->Style();
        st += fsBold;
        cv.Font()->SetStyle(st);
    }
    if (FZoomFactor != 0) cv.Font()->SetSize(ZoomedFontSize(cv.Font()->Size(), FZoomFactor));
    // 2. the text's room in the cell
    TRect r = dc >= 0 && dc < ColCount() ? CellRect(dc, ARow) : TRect(0, 0, DefaultColWidth(), DefaultRowHeight());
    // A cell scrolled out of view still wraps in its own width.
    if (r.IsEmpty() && dc >= 0 && dc < ColCount()) r = CalcCellRect(dc, ARow);
    r.Left += XYOffset().X;
    r.Top += XYOffset().Y;
    if (!XYOffsetTopLeftOnly()) {
        r.Right -= XYOffset().X;
        r.Bottom -= XYOffset().Y;
    }
    if (SB) r.Right -= 17;
    if (text.isEmpty()) return TSize(0, 0);
    // 3. mini-markup, measured without a bottom (and without a right edge
    // unless wrapped)
    if (kind == 1) {
        TRect m = r;
        m.Bottom = 65535;
        if (!VS) m.Right = 65535;
        THTMLDrawArgs args;
        args.MeasureOnly = true;
        args.WordWrap = VS;
        args.ImageList = FGridImages;
        args.PictureCache = FImageCache;
        THTMLDrawResult res;
        DrawHTMLText(&cv, text, m, args, res);
        return TSize(res.Width + 2, res.Height + 2);
    }
    // 4. rich text
    if (kind == 2) {
        const TSize s = RichTextMeasure(text, cv.Font(), VS ? std::max(1, r.Width()) : 0);
        return TSize(s.cx, s.cy + 4);
    }
    int angle = 0;
    const bool rotated = IsRotated(ACol, ARow, angle);
    TSize size;
    if (VS) {
        // 5. wrapped: the height the text takes in the cell's width; while
        // the cell is edited a trailing empty line counts too.
        r.Right -= 2;
        const bool edited = EditMode && ACol == RealCol() && ARow == Row();
        if (edited && text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('w');
        TRect m(0, 0, std::max(1, r.Width()), 0);
        cv.DrawText(text, m,
                    DT_CALCRECT | DT_NOPREFIX | DT_EDITCONTROL | DT_EXPANDTABS
                        | (rotated ? DT_SINGLELINE : DT_WORDBREAK));
        size = TSize(r.Width(), m.Height());
    } else {
        // 6. unwrapped: the widest line, lines times the line height
        QStringList lines;
        if (MultilineCells()) lines = text.split(QLatin1Char('\n'));
        else lines << text;
        int w = 0;
        for (QString& line : lines) {
            if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
            if (URLShow() && !URLFull() && kind == 0 && IsURL(line)) StripURLScheme(line);
            w = std::max(w, cv.TextWidth(line));
        }
        size = TSize(w, cv.TextHeight(QStringLiteral("gh")) * int(lines.size()));
    }
    // 7. rotated text: the box the turned text takes
    if (rotated) size = RotatedTextExtent(size.cx, size.cy, angle);
    return size;
}

// ---- the sort mark ------------------------------------------------------------------------

void TAdvStringGrid::PaintSortGlyph(TCanvas* Canvas, int ACol, int Y, int X)
{
    TSortSettings* ss = SortSettings();
    if (!ss || !Canvas) return;
    const TColor brushWas = Canvas->Brush()->Color(), penWas = Canvas->Pen()->Color();
    const int at = ss->IndexShow() && SortIndexes() ? SortIndexes()->FindIndex(ACol) : -1;
    if (at >= 0) {
        // The place of the column in a multi-column sort, on a mark of its direction.
        const bool ascending = SortIndexes()->SortDirections(at);
        const bool glyphs = !ss->IndexUpGlyph()->Empty() && !ss->IndexDownGlyph()->Empty();
        Canvas->Brush()->SetColor(ss->IndexColor());
        Canvas->Pen()->SetColor(ss->IndexColor());
        const TRect place(X - 7, Y - 7, X + 9, Y + 9);
        if (!ascending) {
            if (glyphs) DrawBitmapTransparent(Canvas, ss->IndexUpGlyph(), ss->IndexColor(), place);
            else Canvas->Polygon({TPoint(X - 7, Y - 5), TPoint(X + 7, Y - 5), TPoint(X, Y + 8)});
        } else {
            if (glyphs) DrawBitmapTransparent(Canvas, ss->IndexDownGlyph(), ss->IndexColor(), place);
            else Canvas->Polygon({TPoint(X - 6, Y + 8), TPoint(X + 6, Y + 8), TPoint(X, Y - 4)});
        }
        const int bkWas = Canvas->SetBkMode(TRANSPARENT);
        TFont saved;
        saved.Assign(Canvas->Font());
        Canvas->Font()->SetColor(clBlack);
        Canvas->Font()->SetSize(6);
        Canvas->TextOut(X - 2, ascending ? Y - 2 : Y - 4, QString::number(at + 1));
        Canvas->Font()->Assign(&saved);
        Canvas->SetBkMode(bkWas);
    } else if (ss->UpGlyph()->Empty() || ss->DownGlyph()->Empty()) {
        // A triangle of 8 x 8 around (X, Y), lit from the top left.
        const bool down = ss->Direction() == sdDescending;
        if (down) {
            Canvas->Pen()->SetColor(TColor(0x808080));
            Canvas->MoveTo(X - 4, Y - 4);
            Canvas->LineTo(X + 4, Y - 4);
            Canvas->LineTo(X, Y + 4);
            Canvas->Pen()->SetColor(clWhite);
            Canvas->LineTo(X - 4, Y - 4);
        } else {
            Canvas->Pen()->SetColor(clWhite);
            Canvas->MoveTo(X - 4, Y + 4);
            Canvas->LineTo(X + 4, Y + 4);
            Canvas->LineTo(X, Y - 4);
            Canvas->Pen()->SetColor(TColor(0x808080));
            Canvas->LineTo(X - 4, Y + 4);
        }
    } else {
        TBitmap* g = ss->Direction() == sdDescending ? ss->DownGlyph() : ss->UpGlyph();
        DrawBitmapTransparent(Canvas, g, FixedColor(), TRect(X - 4, Y - 4, X - 4 + g->Width(), Y - 4 + g->Height()));
    }
    Canvas->Brush()->SetColor(brushWas);
    Canvas->Pen()->SetColor(penWas);
}

void TAdvStringGrid::PaintCellSortGlyph(TCellDrawContext& c, const TRect& TextRect, bool Markup)
{
    TSortSettings* ss = SortSettings();
    if (!ss || FixedRows() < 1 || !IsSortIndicatorCell(c.RealCol, c.Row)) return;
    if (c.DisplayCol < FixedCols() && !ss->FixedCols()) return;
    const bool listed = ss->IndexShow() && SortIndexes() && SortIndexes()->FindIndex(c.RealCol) >= 0;
    const bool noIndex = !SortIndexes() || SortIndexes()->Count() < 1;
    if (!listed && !((noIndex || ss->IndexShow()) && c.RealCol == ss->Column())) return;
    const TRect& cell = c.CellRect;
    const int y = c.VA == vtaCenter ? cell.Top + cell.Height() / 2 : c.VA == vtaBottom ? cell.Bottom - 8 : cell.Top + 8;
    int x;
    if (Markup) {
        // Markup keeps the glyph's 10 pixels at the right of its text.
        x = TextRect.Right - 8;
    } else {
        const int w = std::max(0, std::min(c.Canvas->TextWidth(c.Text.section(QLatin1Char('\n'), 0, 0)),
                                           cell.Width() - 16));
        const bool graphicLeft = c.Graphic && (c.GraphicHAlign == haLeft || c.GraphicHAlign == haBeforeText);
        switch (c.HA) {
        case taRightJustify: x = cell.Right - w - 10; break;
        case taCenter: x = cell.Left + 8; break;
        default: x = cell.Left + w + (graphicLeft ? c.GraphicWidth : 0) + 10; break;
        }
    }
    PaintSortGlyph(c.Canvas, c.RealCol, y, x);
}

// ---- small look hooks ---------------------------------------------------------------------

void TAdvStringGrid::AdaptToVisualStyle()
{
    // No application visual style exists on this platform: the grid keeps
    // its own colours and the style engine stays off.
}

void TAdvStringGrid::PaintNCBorder(TCanvas* Canvas)
{
    const bool look = FLook == glSoft || (FLook >= glZUR && FLook <= glOffice2007);
    if (!Canvas || !look || BorderStyle() != bsSingle || FBorderColor == clNone || Flat()) return;
    const TColor penWas = Canvas->Pen()->Color();
    auto frame = [Canvas](int x1, int y1, int x2, int y2) {
        Canvas->Polyline({TPoint(x1, y1), TPoint(x2, y1), TPoint(x2, y2), TPoint(x1, y2), TPoint(x1, y1)});
    };
    Canvas->Pen()->SetColor(FBorderColor);
    if (FitCellsInGrid()) {
        frame(1, 1, Width() - 2, Height() - 2);
        Canvas->Pen()->SetColor(Parent() ? Parent()->Color() : Color());
        frame(0, 0, Width() - 1, Height() - 1);
    } else {
        frame(0, 0, Width() - 1, Height() - 1);
    }
    Canvas->Pen()->SetColor(penWas);
}

void TAdvStringGrid::RepaintBorder()
{
    if (Widget()) Widget()->update();
}

bool TAdvStringGrid::IsDataBoundCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    const TPoint b = BaseCell(ACol, ARow);
    switch (GetCellType(b.X, b.Y)) {
    case ctDataCheckBox: case ctDataImage: case ctVirtCheckBox: case ctRowCheckBox: return true;
    default: return false;
    }
}

void TAdvStringGrid::SetXYOffset(TPoint v)
{
    FXYOffset = v;
    Invalidate();
}

void TAdvStringGrid::SetHighlightColor(TColor v)
{
    if (v == FHighlightColor) return;
    FHighlightColor = v;
    SetHTMLHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TAdvStringGrid::SetHighlightTextColor(TColor v)
{
    if (v == FHighlightTextColor) return;
    FHighlightTextColor = v;
    SetHTMLHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TAdvStringGrid::EditProcessChange(const QString& Text)
{
    // Not while the editor takes the cell's text on opening.
    if (!FShowEditProcess || FNoEditChange || !EditMode) return;
    SetEditText(Col(), Row(), Text);
}

// ---- automatic rows -----------------------------------------------------------------------

void TAdvStringGrid::InsertRowAt(int ARow)
{
    if (FNumNodes > 0 && ARow < RowCount()) {
        const int real = RealRowIndex(ARow);
        if (GetParentRow(ARow) < 0) InsertNormalRow(real);
        else InsertChildRow(real, 0);
        return;
    }
    InsertRows(ARow, 1);
}

void TAdvStringGrid::DeleteRowAt(int ARow)
{
    if (FNumNodes > 0) {
        if (GetParentRow(ARow) < 0) RemoveNormalRow(ARow);
        else RemoveChildRow(RealRowIndex(ARow));
    } else if (LastNormalRow() == FixedRows() && !FixedRowAlways()) {
        // The only normal row stays, emptied.
        ClearRows(ARow, 1);
    } else {
        RemoveRows(ARow, 1);
    }
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}
