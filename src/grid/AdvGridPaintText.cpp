// The string grid's cell text painter: selection colours, the shown text
// (formatted numbers, formulas, passwords), the filter button, the
// selection rectangle, the room the cell graphic takes, and the text itself
// as mini-markup or plain text with URLs, by the DrawText flags of its
// alignment and wrapping.

#include "AdvGrid.h"

#include "AdvGridPaint.h"
#include "AdvUtil.h"
#include "AdvUtilPaint.h"
#include "AsgHTMLE.h"
#include "RichText.h"
#include "SysFormat.h"

#include <optional>


TBitmap* AdvGridFilterGlyph(TFilterDropDown* DropDown, bool Active);

namespace {

unsigned HorzFlag(TAlignment a)
{
    switch (a) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

unsigned VertFlag(TVAlignment v)
{
    switch (v) {
    case vtaCenter: return DT_VCENTER;
    case vtaBottom: return DT_BOTTOM;
    default: return DT_TOP;
    }
}

} // namespace

// The DrawText flags of a plain cell text; Text loses what a one-line cell
// does not show.
unsigned AdvGridTextFlags(QString& Text, TAlignment HA, TVAlignment VA, bool WW, bool MultilineCells,
                          bool EnhTextSize)
{
    unsigned extra = 0;
    const bool oneLine = !MultilineCells || !Text.contains(QLatin1Char('\n'));
    if (oneLine && !WW) {
        for (int i = 0; i < Text.size(); ++i)
            if (Text.at(i) == QLatin1Char('\r') || Text.at(i) == QLatin1Char('\n')) {
                Text.truncate(i);
                break;
            }
        extra |= DT_SINGLELINE;
        if (EnhTextSize) extra |= DT_END_ELLIPSIS;
    } else if (WW && !MultilineCells && EnhTextSize) {
        extra |= DT_END_ELLIPSIS;
    }
    unsigned flags = VertFlag(VA) | HorzFlag(HA) | extra | DT_NOPREFIX | DT_EXPANDTABS;
    if (WW || MultilineCells) flags |= DT_EDITCONTROL | DT_WORDBREAK;
    else flags |= DT_SINGLELINE;
    return flags;
}

QString TAdvStringGrid::GetFormattedCell(int ACol, int ARow)
{
    QString text = Cells(ACol, ARow);
    if (!OnGetFloatFormat) return text;
    const int kind = GetNumberType(text.trimmed());
    if (text.trimmed().isEmpty() || !(kind == 0 || kind == 1 || kind == 5)) return text;
    bool isFloat = true;
    QString fmt = FloatFormat();
    OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (!isFloat || fmt.isEmpty()) return text;
    try {
        if (fmt.contains(QLatin1Char('d'))) return Format(fmt, {Ints(ACol, ARow)});
        return Format(fmt, {Floats(ACol, ARow)});
    } catch (const Exception&) {
        // A format or value that does not fit shows the text as it is.
        return text;
    }
}

void TAdvStringGrid::PaintCellText(TCellDrawContext& c)
{
    TCanvas* cv = c.Canvas;
    // 1. selection colours
    const bool selected = c.State.Contains(gdSelected);
    TColor urlColor = URLColor();
    if (selected && !c.Fixed) {
        if (ShowSelection()) {
            if (SelectionColor() != clNone) cv->Brush()->SetColor(SelectionColor());
            if (SelectionTextColor() != clNone && Enabled()) cv->Font()->SetColor(SelectionTextColor());
            if (SelectionTextColor() != clNone) urlColor = SelectionTextColor();
        } else if (!Focused() || (c.Graphic && HasCheckBox(c.RealCol, c.Row))) {
            cv->Brush()->SetColor(c.SavedBrushColor);
            cv->Font()->SetColor(c.SavedFontColor);
        }
    }
    PaintCellBackground(c);
    // 2. the text
    QString text = GetFormattedCell(c.RealCol, c.Row);
    int kind = GetTextType(text, EnableHTML());
    if (kind == 3) {
        text = GetCalculatedCellText(c.RealCol, c.Row, text);
        kind = GetTextType(text, EnableHTML());
    }
    bool password = false;
    IsPasswordCell(c.RealCol, c.Row, password);
    if (password && !text.isEmpty()) {
        const QChar pc = PasswordChar().isEmpty() ? QLatin1Char('*') : PasswordChar().at(0);
        text = QString(text.size(), pc);
        kind = 0;
    }
    c.Text = text;
    // 3. text rectangle
    TRect r = c.Rect;
    if (c.Fixed) {
        r.Left += GridLineWidth();
        r.Top += GridLineWidth();
    }
    // A scrolled cell shows its text from further down, and only inside itself.
    const int scrolled = HasScrollBar(c.RealCol, c.Row) ? GetScrollPosition(c.RealCol, c.Row) : 0;
    if (scrolled > 0) r.Top -= scrolled;
    // 4. filter button
    if (c.FilterButton) {
        TBitmap* glyph = AdvGridFilterGlyph(FFilterDropDown, false);
        const TRect place(r.Right - 16, r.Top, r.Right, r.Top + 16);
        if (!glyph) DrawResourceBitmap(cv, FixedColor(), place, QStringLiteral("ASGFILT"));
        else DrawBitmapTransparent(cv, glyph, cv->Brush()->Color(), place);
    }
    // 7. selection rectangle
    if (SelectionRectangle() && !c.Fixed) {
        const TGridRect s = Selection();
        const int dc = c.DisplayCol;
        if (dc >= s.Left && dc <= s.Right && c.Row >= s.Top && c.Row <= s.Bottom) {
            cv->Pen()->SetColor(SelectionRectangleColor());
            cv->Pen()->SetWidth(2);
            const TRect& cr = c.CellRect;
            if (dc == s.Left) { cv->MoveTo(cr.Left - GridLineWidth() + 1, cr.Top); cv->LineTo(cr.Left - GridLineWidth() + 1, cr.Bottom); }
            if (dc == s.Right) { cv->MoveTo(cr.Right - 1, cr.Top); cv->LineTo(cr.Right - 1, cr.Bottom); }
            if (c.Row == s.Top) { cv->MoveTo(cr.Left, cr.Top - GridLineWidth() + 1); cv->LineTo(cr.Right, cr.Top - GridLineWidth() + 1); }
            if (c.Row == s.Bottom) { cv->MoveTo(cr.Left, cr.Bottom); cv->LineTo(cr.Right, cr.Bottom); }
            if (SelectionResizer() && dc == s.Right && c.Row == s.Bottom)
                FillRectColor(cv, TRect(cr.Right - 4, cr.Bottom - 4, cr.Right, cr.Bottom), SelectionRectangleColor());
            cv->Pen()->SetWidth(1);
        }
    }
    // 8. offsets and the graphic's room
    if (!c.TextBeside || text.isEmpty()) return;
    r.Left += XYOffset().X;
    if (!XYOffsetTopLeftOnly()) r.Right -= XYOffset().X;
    r.Top += XYOffset().Y;
    if (c.Graphic) {
        if (c.GraphicHAlign == haBeforeText) r.Left += c.GraphicWidth;
        else if (c.GraphicHAlign == haAfterText) r.Right -= c.GraphicWidth;
        if (c.GraphicVAlign == vaAboveText) r.Top += c.GraphicHeight;
        else if (c.GraphicVAlign == vaUnderText) r.Bottom -= c.GraphicHeight;
    }
    if (c.RealCol == 0 && FNumNodes > 0 && !IsNode(c.Row)) r.Left += GetRowIndent(c.Row);

    // 9. by kind
    // The text of a scrolled cell must not run over the cells above it.
    std::optional<TCanvasClipKeeper> clip;
    if (scrolled > 0) {
        clip.emplace(cv);
        cv->IntersectClipRect(c.Rect);
    }
    cv->Brush()->SetStyle(bsClear);
    if (kind == 1) {
        if (c.FilterButton) r.Right -= 18;
        r.Left -= 1;
        THTMLDrawArgs args;
        args.ImageList = FGridImages;
        args.PictureCache = FImageCache;
        args.LinkColor = urlColor;
        args.BlinkVisible = !FGridBlink;
        args.WordWrap = c.WW;
        args.Window = this;
        // Underlined on hover: only the link under the pointer.
        args.HoverOnlyLinks = URLUnderlineOnHover();
        if (URLUnderlineOnHover() && c.DisplayCol == FHoverCell.X && c.Row == FHoverCell.Y) args.HoverAnchor = FHoverlink;
        // A pressed BUTTON form control shows pressed while the pointer is on it.
        if (FCtrlDown && c.RealCol == FCtrlXY.X && c.Row == FCtrlXY.Y) {
            args.Pressed = true;
            args.HitPoint = TPoint(Clickposx, Clickposy);
        }
        THTMLDrawResult res;
        // Highlighted occurrences (the "hi" tag) in the grid's colours.
        SetHTMLHighlightColors(HighlightColor(), HighlightTextColor());
        DrawHTMLText(cv, text, r, args, res);
        if (c.Graphic) c.TextWidth = res.Width + 2;
        PaintCellSortGlyph(c, r, true);
    } else if (kind == 2) {
        PaintRichTextCell(cv, text, r, selected && !c.Fixed);
        if (c.Graphic) c.TextWidth = RichTextMeasure(text, cv->Font(), 0).cx + 2;
    } else {
        const bool url = URLShow() && IsURL(text);
        if (url) {
            if (!URLFull()) StripURLScheme(text);
            cv->Font()->SetColor(urlColor);
            TFontStyles st = cv->Font()->Style();
            st += fsUnderline;
            cv->Font()->SetStyle(st);
        }
        const unsigned flags = AdvGridTextFlags(text, c.HA, c.VA, c.WW, MultilineCells(), EnhTextSize());
        FVAlign = VertFlag(c.VA);
        if (c.FilterButton) r.Right -= 16;
        if (c.Graphic) {
            TRect m = r;
            cv->DrawText(text, m, flags | DT_CALCRECT);
            c.TextWidth = m.Width() + 2;
        }
        cv->DrawText(text, r, flags);
        PaintCellSortGlyph(c, r, false);
        if (url) {
            TFontStyles st = cv->Font()->Style();
            st -= fsUnderline;
            cv->Font()->SetStyle(st);
        }
    }
    cv->Brush()->SetStyle(bsSolid);
}
