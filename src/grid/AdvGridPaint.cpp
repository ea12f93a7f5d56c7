// The string grid's paint gate and its layered cell drawing: the base
// painter has filled the background and drawn the lines; this adds the look
// of fixed cells, the modified-row marker, the always-visible editor
// buttons, the text, the borders, the 3-D edges, the tree lines, the cell
// graphic, the drawing events and the focus rectangle, in that order.

#include "AdvGrid.h"
#include "AdvGridFooter.h"

#include "AdvGridLook.h"
#include "AdvGridPaint.h"
#include "AdvGridSort.h"
#include "AdvUtilPaint.h"
#include "GraphUtils.h"

#include <optional>

int AdvGridPaintCellScrollBar(TAdvStringGrid* Grid, TCanvas* Canvas, int ACol, int ARow, const TRect& Rect);

void TAdvStringGrid::Paint()
{
    // Nothing paints inside an update bracket.
    if (FUpdateCount > 0) return;
    if (FPaintCount == 0 && !TabStop()) {
        FPaintCount = 1;
        UpdateVertScrollRange();
    }
    TBaseGrid::Paint();
    Canvas()->Pen()->SetColor(clBlack);
    if (!FBackGround->Bitmap()->Empty() || FBackGround->ColorTo() != clNone) PaintBackground();
    // The footer follows scrolling and the current row.
    if (FFooterPanel) FFooterPanel->GridPainted();
    for (const TRect& line : FSizingLines) {
        Canvas()->Pen()->SetStyle(psDot);
        Canvas()->Pen()->SetMode(pmNot);
        Canvas()->MoveTo(line.Left, line.Top);
        Canvas()->LineTo(line.Right, line.Bottom);
        Canvas()->Pen()->SetMode(pmCopy);
        Canvas()->Pen()->SetStyle(psSolid);
    }
    PaintPushedFixedCell();
    PaintPanOrigin();
    if (OnPainted) OnPainted(this);
}

void TAdvStringGrid::DrawFixedLook(TCellDrawContext& c)
{
    TCanvas* cv = c.Canvas;
    TRect& r = c.Rect;
    const int fc = TBaseGrid::FixedCols(), fr = TBaseGrid::FixedRows();
    const bool mayHover = HoverFixedCells() == hfAll || (HoverFixedCells() == hfFixedColumns && c.DisplayCol < fc)
                          || (HoverFixedCells() == hfFixedRows && c.Row < fr);
    const bool hovered = mayHover && c.DisplayCol == FHoverFixedX && c.Row == FHoverFixedY;
    const bool activeFixed = ActiveCellShow()
                             && ((c.Row == Row() && fc > 0 && c.DisplayCol == fc - 1)
                                 || (c.DisplayCol == Col() && fr > 0 && c.Row == fr - 1));
    TSortSettings* ss = FSortSettings;
    if (hovered) {
        r.Bottom += 1;
        const bool dropDown = FControlLook->FixedDropDownButton() && CanShowFixedDropDown(c.RealCol);
        if (!FFixedMouseDown) {
            DrawMirrorGradient(cv, r, FHoverFrom, FHoverTo, FHoverMirrorFrom, FHoverMirrorTo, true, false,
                               FHoverBorder, true);
        } else if (dropDown) {
            TRect left = r, right = r;
            left.Right = right.Left = r.Right - 16;
            const bool open = FFixedDropDownOpen;
            DrawMirrorGradient(cv, open ? right : left, FDownFrom, FDownTo, FDownMirrorFrom, FDownMirrorTo, true,
                               false, FDownBorder, true);
            DrawMirrorGradient(cv, open ? left : right, FHoverFrom, FHoverTo, FHoverMirrorFrom, FHoverMirrorTo, true,
                               false, FHoverBorder, true);
        } else {
            DrawMirrorGradient(cv, r, FDownFrom, FDownTo, FDownMirrorFrom, FDownMirrorTo, true, false, FDownBorder,
                               true);
        }
        if (dropDown) {
            cv->Pen()->SetColor(FFixedMouseDown ? FDownBorder : FHoverBorder);
            cv->MoveTo(r.Right - 16, r.Top);
            cv->LineTo(r.Right - 16, r.Bottom);
            DrawDropTriangle(cv, r.Right - 8, r.Top + 8, clBlack);
            r.Right -= 16;
        }
    } else if (activeFixed) {
        DrawGradient(cv, ActiveCellColor(), ActiveCellColorTo(), false, r, 64);
    } else if (ss->Column() != -1 && ss->HeaderColor() != clNone && c.RealCol == ss->Column() && c.Row == fr - 1
               && (c.DisplayCol >= fc || ss->FixedCols())) {
        DrawMirrorGradient(cv, r, ss->HeaderColor(), ss->HeaderColorTo(), ss->HeaderMirrorColor(),
                           ss->HeaderMirrorColorTo(), true, false, clNone, true);
    } else if (!Flat()) {
        const TColor from = cv->Brush()->Color();
        if (c.MirrorColorTo == clNone && c.MirrorColor == clNone)
            DrawGradient(cv, from, c.ColorTo, false, r, 64);
        else
            DrawMirrorGradient(cv, r, from, c.ColorTo, c.MirrorColor, c.MirrorColorTo, true, FLook == glVista,
                               FLook == glVista ? clWhite : clNone, true);
    }
}

void TAdvStringGrid::DrawFixedEdges(TCellDrawContext& c)
{
    TCanvas* cv = c.Canvas;
    TRect r = c.Rect;
    const TGridOptions o = Options();
    switch (FLook) {
    case glClassic: {
        r.Top += 1;
        r.Bottom += 1;
        r.Left += 1;
        TRect e = r;
        DrawEdge(cv, e, BDR_RAISEDINNER, BF_LEFT);
        e = r;
        DrawEdge(cv, e, BDR_RAISEDINNER, BF_TOP);
        e = r;
        DrawEdge(cv, e, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
        cv->Pen()->SetColor(clBlack);
        cv->MoveTo(r.Right - 1, r.Top);
        cv->LineTo(r.Right - 1, r.Bottom - 1);
        cv->LineTo(r.Left - 1, r.Bottom - 1);
        break;
    }
    case glZUR:
    case glXP:
    case glSoft: {
        if (FLook == glSoft) r.Right += 1;
        r.Bottom += 1;
        if (o.Contains(goFixedHorzLine)) {
            cv->Pen()->SetColor(HalveColor(ColorToRGB(FixedColor())));
            cv->MoveTo(r.Left, r.Bottom - 1);
            cv->LineTo(r.Right - 1, r.Bottom - 1);
            cv->Pen()->SetColor(clWhite);
            cv->MoveTo(FLook == glSoft ? r.Right : r.Right - 2, r.Top + 1);
            cv->LineTo(r.Left + 1, r.Top + 1);
            cv->LineTo(r.Left + 1, r.Bottom - 1);
        }
        if (FLook == glSoft && o.Contains(goFixedVertLine)) {
            cv->Pen()->SetColor(HalveColor(ColorToRGB(FixedColor())));
            cv->MoveTo(r.Right - 2, r.Top);
            cv->LineTo(r.Right - 2, r.Bottom - 1);
            cv->Pen()->SetColor(clWhite);
            cv->MoveTo(r.Right - 1, r.Top);
            cv->LineTo(r.Right - 1, r.Bottom - 1);
        }
        break;
    }
    default: break;
    }
}

void TAdvStringGrid::DrawTreeLines(TCellDrawContext& c)
{
    TCanvas* cv = c.Canvas;
    const int ni = FCellNode->NodeIndent();
    const int indent = GetRowIndent(c.Row);
    const int x = indent + ni / 2 - ni + 2;
    const int mid = c.Rect.Top + (c.Rect.Bottom - c.Rect.Top) / 2;
    cv->Pen()->SetColor(FCellNode->TreeColor());
    cv->Pen()->SetWidth(1);
    const TCellProperties* p = GridObjects(0, c.Row);
    const int level = p ? p->NodeLevel() : 0;
    const bool last = c.Row >= RowCount() - 1;
    if (level > 0) {
        cv->MoveTo(x, mid);
        cv->LineTo(FCellNode->ShowTreeFull() ? c.Rect.Right : c.Rect.Left + 4, mid);
    }
    const TCellProperties* next = last ? nullptr : GridObjects(0, c.Row + 1);
    const int kind = IsNode(c.Row) ? 0 : (next && next->NodeLevel() >= level ? 2 : 1);
    // The last row never draws below itself.
    const int below = last ? c.Rect.Bottom : c.Rect.Bottom + 4;
    if (kind == 1) {
        cv->MoveTo(x, c.Rect.Top);
        cv->LineTo(x, mid);
    } else if (kind == 2) {
        cv->MoveTo(x, c.Rect.Top);
        cv->LineTo(x, below);
    }
    for (int i = 1; p && i <= level; ++i) {
        const int xi = x - ni * i;
        cv->MoveTo(xi, c.Rect.Top);
        if (next && next->NodeLevel() > 0 && !last) cv->LineTo(xi, below);
        else cv->LineTo(xi, mid);
    }
    c.Rect.Left = std::max(c.Rect.Left, indent);
}

void TAdvStringGrid::DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    TCellDrawContext c;
    c.Canvas = Canvas;
    c.DisplayCol = ACol;
    c.RealCol = RealColIndex(ACol);
    c.Row = ARow;
    c.State = AState;
    c.CellRect = c.Rect = ARect;
    const bool disjunctPersistent = FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent();
    c.SelectionRow = disjunctPersistent ? RealRowIndex(ARow) : ARow;
    c.FilterButton = FFilterRow >= 0 && ARow == FFilterRow && HasColumnFilter(c.RealCol);
    // 3. a scroll bar inside the cell takes its right side
    c.Rect.Right -= AdvGridPaintCellScrollBar(this, Canvas, c.RealCol, ARow, c.Rect);

    // 4. visual properties and graphic layout
    c.WW = FWordWrapEx;
    GetVisualProperties(ACol, ARow, c.State, false, false, true, Canvas->Brush(), c.ColorTo, c.MirrorColor,
                        c.MirrorColorTo, Canvas->Font(), c.HA, c.VA, c.WW, c.GD);
    GetCellGraphicLayout(c.RealCol, ARow, c);
    if (c.RealCol == 0 && FNumNodes > 0 && IsNode(ARow)) {
        const TCellProperties* p = GridObjects(0, ARow);
        c.GraphicWidth = (p ? p->NodeLevel() : 0) * 12 + 4;
    }
    // 5.
    if (c.State.Contains(gdSelected) && !c.State.Contains(gdFocused) && SelectionColor() == clNone)
        Canvas->Brush()->SetColor(clHighlight);
    // 6.
    if (FZoomFactor != 0) Canvas->Font()->SetSize(ZoomedFontSize(Canvas->Font()->Size(), FZoomFactor));
    // 7.
    c.SavedBrushColor = Canvas->Brush()->Color();
    c.SavedFontColor = Canvas->Font()->Color();
    const int fc = TBaseGrid::FixedCols(), fr = TBaseGrid::FixedRows();
    c.Fixed = IsFixed(ACol, ARow) || ACol < fc || ARow < fr;
    if (FHoverRow && ARow == FHoverRowIdx && FHoverRowCells.Contains(hcFixed)) c.Fixed = false;

    // 9. fixed look
    if (c.Fixed && !c.Styled
        && (FLook == glZUR || FLook == glXP || FLook == glVista || FLook == glWin7 || FLook == glOffice2007))
        DrawFixedLook(c);
    // 10. row indicator
    int indicatorShift = 0;
    if (c.RealCol == 0 && ARow == Row() && fc > 0 && FRowIndicator && !FRowIndicator->Empty()
        && !(RowCount() == fr && FixedRowAlways())) {
        const int h = FRowIndicator->Height();
        const int y = VAlignment() == vtaTop      ? c.Rect.Top
                      : VAlignment() == vtaCenter ? c.Rect.Top + (c.Rect.Height() - h) / 2
                                                  : c.Rect.Bottom - h;
        DrawBitmapTransparent(Canvas, FRowIndicator, Canvas->Brush()->Color(),
                              TRect(c.Rect.Left + 2, y, c.Rect.Left + 2 + FRowIndicator->Width(), y + h));
        indicatorShift = FRowIndicator->Width() + 2;
        c.Rect.Left += indicatorShift;
    }
    // 11. list-view headers
    if (FLook == glListView && c.Fixed && !c.Styled && !Flat()) {
        TRect h = c.Rect;
        h.Bottom += 1;
        DrawGradient(Canvas, clWhite, clBtnFace, false, h, 16);
        Canvas->Pen()->SetColor(clWhite);
        Canvas->MoveTo(h.Left, h.Top);
        Canvas->LineTo(h.Right, h.Top);
    }
    // 12. modified rows
    if (ACol == 0 && FShowModified->Enabled() && RowModified(RealRowIndex(ARow)))
        FillRectColor(Canvas, TRect(c.CellRect.Right - 4, c.CellRect.Top, c.CellRect.Right, c.CellRect.Bottom),
                      FShowModified->Color());
    // 13.
    if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, Canvas, c.RealCol, ARow, c.State, c.Rect, false);
    // 14. always-visible editor buttons
    const int keptRight = c.Rect.Right;
    if (!IsFixed(ACol, ARow) && (FControlLook->DropDownAlwaysVisible() || FControlLook->SpinButtonsAlwaysVisible()))
        DrawEditorButtons(c);

    // 15. content, first pass
    ICellGraphicObject* iface =
        c.Graphic && c.Graphic->CellType() == ctInterface ? dynamic_cast<ICellGraphicObject*>(c.Graphic->CellInterface())
                                                          : nullptr;
    auto* behind = dynamic_cast<ICellGraphicBehind*>(iface);
    if (behind && behind->DrawsBehindText()) {
        TRect wide = c.Rect;
        wide.Inflate(1, 1);
        iface->Draw(Canvas, wide, c.RealCol, ARow, c.State.Contains(gdSelected), this);
    }
    const bool eventsDraw = (OnDrawCell || OnCustomCellDraw) && NoDefaultDraw();
    if (!(c.Graphic && NoImageAndText()) && !eventsDraw) PaintCellText(c);

    // 16. borders
    c.Rect.Right = keptRight;
    Canvas->Brush()->SetColor(c.SavedBrushColor);
    Canvas->Font()->SetColor(c.SavedFontColor);
    {
        TRect b = c.Rect;
        b.Inflate(1, 1);
        DrawCellBorders(Canvas, c.RealCol, ARow, b);
    }
    // 17.
    c.Rect.Left -= indicatorShift;
    // 18. 3-D edges
    if (c.Fixed && !Flat()) DrawFixedEdges(c);
    // 19. fixed right columns
    if (FFixedRightCols > 0 && c.RealCol >= TotalColCount() - FFixedRightCols && FLook != glClassic && Flat()) {
        const TGridOptions o = Options();
        Canvas->Pen()->SetColor(TColor(0x808080));
        Canvas->Pen()->SetWidth(1);
        const TRect& r = c.Rect;
        if (o.Contains(goFixedHorzLine)) {
            Canvas->MoveTo(r.Left - 1, r.Top - 1);
            Canvas->LineTo(r.Right + 1, r.Top - 1);
            Canvas->MoveTo(r.Left - 1, r.Bottom + 1);
            Canvas->LineTo(r.Right + 1, r.Bottom + 1);
        }
        if (o.Contains(goFixedVertLine)) {
            Canvas->MoveTo(r.Left - 1, r.Top - 1);
            Canvas->LineTo(r.Left - 1, r.Bottom + 1);
            Canvas->MoveTo(r.Right + 1, r.Top - 1);
            Canvas->LineTo(r.Right + 1, r.Bottom + 1);
        }
    }
    // 20. tree lines
    if (FNumNodes > 0 && c.RealCol == 0 && !c.Fixed && FCellNode->ShowTree()) DrawTreeLines(c);
    // 21. cell graphic
    if (c.Graphic) {
        if (iface) {
            if (!(behind && behind->DrawsBehindText()))
                iface->Draw(Canvas, c.Rect, c.RealCol, ARow, c.State.Contains(gdSelected), this);
        } else {
            if (c.Fixed) c.Rect.Top += 1;
            PaintCellGraphic(c);
        }
    }
    // 22., 23. events
    if (OnDrawCell) {
        const TRect e(c.CellRect.Left + 1, c.CellRect.Top + 1, c.CellRect.Right - GridLineWidth(),
                      c.CellRect.Bottom - GridLineWidth());
        OnDrawCell(this, c.RealCol, ARow, e, c.State);
    }
    if (OnCustomCellDraw) OnCustomCellDraw(this, Canvas, c.RealCol, ARow, c.State, c.CellRect, false);
    // 24. focus rectangle, on the cell whose base is current
    if (!HideFocusRect() && Focused() && !Options().Contains(goRowSelect)) {
        const TPoint b = BaseCell(c.RealCol, ARow);
        if (DisplColIndex(b.X) == Col() && b.Y == TBaseGrid::Row() && !IsFixed(Col(), TBaseGrid::Row())) {
            TRect f = c.CellRect;
            f.Inflate(GridLineWidth() - 1, GridLineWidth() - 1);
            f.Right -= 1;
            f.Bottom -= 1;
            Canvas->DrawFocusRect(f);
        }
    }
}

void TAdvStringGrid::DrawEditorButtons(TCellDrawContext& c)
{
    const int kind = FControlLook->FlatButton() ? 2 : (Flat() && FTones.Background.BrushColor != clNone ? 3 : 0);
    bool canEdit = true;
    CanEditCell(c.RealCol, c.Row, canEdit);
    const int state = canEdit ? 0 : 3;
    if (FControlLook->DropDownAlwaysVisible() && HasComboBox(c.RealCol, c.Row)) {
        DrawComboButton(c.Canvas, this, TRect(c.Rect.Left - 2, c.Rect.Top - 1, c.Rect.Right + 1, c.Rect.Bottom), FTones,
                        state, kind);
        c.Rect.Right -= 16;
    }
    if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(c.RealCol, c.Row)) {
        DrawSpinButtons(c.Canvas, this, c.Rect, FTones, state, kind);
        c.Rect.Right -= 16;
    }
}

void TAdvStringGrid::DrawCellBorders(TCanvas* Canvas, int ACol, int ARow, TRect ARect)
{
    if (!OnGetCellBorder && !FGrouping->HeaderUnderline() && !FGrouping->SummaryLine()) return;
    TPen kept;
    kept.Assign(Canvas->Pen());
    TCellBorders borders;
    GetCellBorder(ACol, ARow, Canvas->Pen(), borders);
    if (borders.Empty()) {
        Canvas->Pen()->Assign(&kept);
        return;
    }
    TPen left, top, right, bottom;
    for (TPen* p : {&left, &top, &right, &bottom}) p->Assign(Canvas->Pen());
    if (OnGetCellBorderProp) OnGetCellBorderProp(this, ARow, ACol, &left, &top, &right, &bottom);
    const TGridOptions o = Options();
    const int h = (Canvas->Pen()->Width() + 1) / 2;
    const int ls = o.Contains(goVertLine) ? h : 0, bs = o.Contains(goHorzLine) ? h : 0;
    TRect r = ARect;
    r.Left += ls;
    r.Bottom -= bs;
    r.Right -= ls;
    if (borders.Contains(cbLeft)) {
        Canvas->Pen()->Assign(&left);
        Canvas->MoveTo(std::max(0, r.Left), r.Top);
        Canvas->LineTo(std::max(0, r.Left), r.Bottom);
    }
    if (borders.Contains(cbRight)) {
        Canvas->Pen()->Assign(&right);
        Canvas->MoveTo(r.Right - 1, r.Top);
        Canvas->LineTo(r.Right - 1, r.Bottom);
    }
    if (borders.Contains(cbTop)) {
        Canvas->Pen()->Assign(&top);
        r.Top += bs;
        const int y = GridLineWidth() > 0 ? std::max(0, r.Top - GridLineWidth()) : r.Top + 1;
        Canvas->MoveTo(r.Left, y);
        Canvas->LineTo(r.Right, y);
    }
    if (borders.Contains(cbBottom)) {
        Canvas->Pen()->Assign(&bottom);
        Canvas->MoveTo(r.Left - GridLineWidth() - 1, r.Bottom - 1);
        Canvas->LineTo(r.Right, r.Bottom - 1);
    }
    Canvas->Pen()->Assign(&kept);
}

void TAdvStringGrid::DrawColSizingLine(int X)
{
    ToggleSizingLine(TRect(X, 0, X, ClientHeight()));
}

void TAdvStringGrid::DrawRowSizingLine(int Y)
{
    ToggleSizingLine(TRect(0, Y, ClientWidth(), Y));
}

void TAdvStringGrid::ToggleSizingLine(const TRect& Line)
{
    // Drawing a line twice takes it away again, as an inverted line does.
    auto it = std::find(FSizingLines.begin(), FSizingLines.end(), Line);
    if (it != FSizingLines.end()) FSizingLines.erase(it);
    else FSizingLines.push_back(Line);
    if (Widget()) Widget()->update(QRect(Line.Left - 1, Line.Top - 1, Line.Right - Line.Left + 3, Line.Bottom - Line.Top + 3));
}
