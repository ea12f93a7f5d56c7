// Sizing rows to their contents, all columns or all cells at once, fitting
// the columns to the control's width and the control to its cells, and the
// sizing vetoes of the mouse.

#include "AdvGrid.h"
#include "AdvGridAutoSize.h"

#include "AdvGridPaint.h"
#include "AdvUtil.h"
#include "OsProfile.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace {

// The font a cell's text is measured in: the fixed font in fixed rows and
// columns, else the grid's, as the colour hook leaves it, grown by Zoom.
void AutoSizeCellFont(TAdvStringGrid* g, int DisplayCol, int RealCol, int ARow, int Zoom, TFont* Font,
                      TBrush* Brush)
{
    const bool fixed = ARow < g->FixedRows() || DisplayCol < g->FixedCols();
    Font->Assign(fixed ? g->FixedFont() : g->Font());
    TGridDrawState st;
    if (fixed) st += gdFixed;
    g->GetCellColor(RealCol, ARow, st, Brush, Font);
    if (Zoom != 0) Font->SetSize(ZoomedFontSize(Font->Size(), Zoom));
}

// The shown text of a cell, its lines split.
QString AutoSizeCellText(TAdvStringGrid* g, int RealCol, int ARow)
{
    QString text = g->Cells(RealCol, ARow);
    g->GetDisplText(RealCol, ARow, text);
    return text;
}

bool AutoSizeIsCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRadioButton;
}

}  // namespace

TSize AutoSizeTextExtent(const QString& Text, TFont* Font, int WrapWidth)
{
    if (Text.isEmpty()) return TSize(0, 0);
    const QFontMetrics fm(Font->ToQFont());
    if (WrapWidth > 0) {
        const QRect r = fm.boundingRect(QRect(0, 0, WrapWidth, 100000), Qt::TextWordWrap, Text);
        return TSize(r.width(), r.height());
    }
    int w = 0;
    const QStringList lines = Text.split(QLatin1Char('\n'));
    for (const QString& line : lines) w = std::max(w, fm.horizontalAdvance(line));
    return TSize(w, int(lines.size()) * fm.height());
}

// ---- rows ----------------------------------------------------------------------------------

void TAdvStringGrid::AutoSizeRow(int ARow, int Padding)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    DoAutoSizeRow(ARow, SizeGrowOnly(), Padding);
    if (Padding != 0) SetRowHeights(ARow, LimitValue(RowHeights(ARow) + Padding, MinRowHeight(), MaxRowHeight()));
}

void TAdvStringGrid::DoAutoSizeRow(int ARow, bool GrowOnly, int Padding)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    const bool allShown = VisibleRowCount() + FixedRows() >= RowCount();
    TFont font;
    TBrush brush;
    int tallest = 0;
    for (int d = 0; d < ColCount(); ++d) {
        const int c = RealColIndex(d);
        if (IsYMergedCell(c, ARow)) continue;
        if (FIgnoreColumns && FIgnoreColumns->HasValue(c)) continue;
        AutoSizeCellFont(this, d, c, ARow, FZoomFactor, &font, &brush);
        const int wrap = WordWrap() ? std::max(1, ColWidths(d) - GetTotalXOffset() - 2 * GridLineWidth()) : 0;
        int t = AutoSizeTextExtent(AutoSizeCellText(this, c, ARow), &font, wrap).cy;
        int g = CalcCellGraphicSize(c, ARow, Padding).Y;
        TCellGraphic* graphic = FHasCellProps ? GetCellGraphic(c, ARow) : nullptr;
        if (graphic) {
            if (graphic->CellVAlign() == vaFull) g = t != 0 ? 0 : DefaultRowHeight();
            if ((graphic->CellType() == ctDataCheckBox || graphic->CellType() == ctVirtCheckBox) && g > 0) t = 0;
        }
        int h = t + g;
        if (!IsBaseCell(c, ARow)) h = 0;
        if (graphic && AutoSizeIsCheckKind(graphic->CellType())) h = DefaultRowHeight();
        tallest = std::max(tallest, h);
    }
    int H = tallest + GetTotalYOffset() + 2 * GridLineWidth();
    if (XYOffsetTopLeftOnly()) H += 2;
    if (!GrowOnly || RowHeights(ARow) < H) SetRowHeights(ARow, LimitValue(H, MinRowHeight(), MaxRowHeight()));
    // Sizing while typing: an editor pushed out of view comes back.
    if (allShown && EditMode && FSizeWhileTyping && FSizeWhileTyping->Height()
        && VisibleRowCount() + FixedRows() < RowCount())
        ShowInplaceEdit();
}

void TAdvStringGrid::SizeRowToLines(int ARow, int Lines, int Padding)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    TFont font;
    TBrush brush;
    font.Assign(Font());
    GetCellColor(FixedCols(), ARow, TGridDrawState(), &brush, &font);
    const int h = QFontMetrics(font.ToQFont()).boundingRect(QStringLiteral("gh")).height();
    SetRowHeights(ARow, LimitValue(Padding + Lines * (h + h / 8), MinRowHeight(), MaxRowHeight()));
}

int TAdvStringGrid::GetMaxRowLines(int ARow)
{
    if (!MultilineCells()) return 1;
    int most = 1;
    for (int d = 0; d < ColCount(); ++d) {
        const QString text = AutoSizeCellText(this, RealColIndex(d), ARow);
        most = std::max(most, LineBreakCount(text) + 1);
    }
    return most;
}

void TAdvStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (RowCount() == 0) return;
    const int from = DoFixedRows ? 0 : FixedRows();
    ExportNotification(esExportStart, from);
    for (int r = from; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        if (WordWrap()) {
            AutoSizeRow(r, 0);
            if (Padding != 0)
                SetRowHeights(r, LimitValue(RowHeights(r) + Padding, MinRowHeight(), MaxRowHeight()));
        } else {
            SizeRowToLines(r, GetMaxRowLines(r), Padding);
        }
    }
    UpdateScrollBarAlways(false);
    ExportNotification(esExportDone, -1);
}

// ---- columns and cells ---------------------------------------------------------------------

void TAdvStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int from = DoFixedCols ? 0 : FixedCols();
    const int to = DoFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
    for (int c = from; c <= to; ++c) {
        AutoSizeCol(c, 0);
        if (Padding != 0) SetColWidths(c, LimitValue(ColWidths(c) + Padding, MinColWidth(), MaxColWidth()));
    }
}

void TAdvStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    BeginUpdate();
    try {
        TFont font;
        TBrush brush;
        const int c0 = DoFixedCells ? 0 : FixedCols(), r0 = DoFixedCells ? 0 : FixedRows();
        for (int d = c0; d < ColCount(); ++d) {
            const int c = RealColIndex(d);
            int widest = SizeGrowOnly() ? ColWidths(d) : 0;
            for (int r = r0; r < RowCount(); ++r) {
                AutoSizeCellFont(this, d, c, r, 0, &font, &brush);
                const TSize text = AutoSizeTextExtent(AutoSizeCellText(this, c, r), &font, 0);
                const TPoint graphic = FHasCellProps ? GetCellGraphicSize(d, r) : TPoint(0, 0);
                const int w = LimitValue(text.cx + graphic.X + PaddingX + XYOffset().X, MinColWidth(), MaxColWidth());
                const int h = LimitValue(text.cy + graphic.Y + PaddingY + XYOffset().Y, MinRowHeight(), MaxRowHeight());
                if (!IsXMergedCell(c, r) && w > widest) widest = w;
                if (!IsYMergedCell(c, r) && h > RowHeights(r)) SetRowHeights(r, h);
            }
            SetColWidths(d, widest);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- fitting -------------------------------------------------------------------------------

void TAdvStringGrid::AutoFitColumns(bool DoFixedCells)
{
    if (ColCount() <= 0) return;
    const int vsb = GetOsProfile().ScrollBarExtent;
    const int sb = ScrollBarAlways() == saVert
                           || (ScrollBars() != ssNone && VisibleRowCount() + FixedRows() < RowCount())
                       ? vsb
                       : 0;
    const int b = BorderStyle() == bsSingle ? (Ctl3D() ? 4 : 2) : 0;
    int first = 0, last = ColCount() - 1;
    int A = Width();
    if (!DoFixedCells) {
        first = FixedCols();
        last = ColCount() - FixedRightCols() - 1;
        for (int c = 0; c < first; ++c) A -= ColWidths(c);
        for (int c = last + 1; c < ColCount(); ++c) A -= ColWidths(c);
    }
    int L = Options().Contains(goVertLine) ? GridLineWidth() * (ColCount() - FixedCols() - FixedRightCols()) : 0;
    if (DoFixedCells && Options().Contains(goFixedVertLine)) L += FixedCols() + FixedRightCols();
    if (ColCount() <= 1) {
        SetColWidths(0, Width() - sb - 5);
        return;
    }
    if (last < first) return;
    const int n = last - first + 1;
    int S = 0;
    for (int c = first; c <= last; ++c) S += ColWidths(c);
    if (S == A - sb - b) return;
    if (S > 0) {
        // Proportions first: each column keeps its share of the width.
        const double r = double(A - sb - b - L) / S;
        int T = 0;
        for (int c = first; c <= last; ++c) T += int(std::lround(ColWidths(c) * r));
        std::vector<int> w;
        for (int c = first; c <= last; ++c) w.push_back(int(std::lround(double(ColWidths(c)) * T / S)));
        for (int c = first; c <= last; ++c) SetColWidths(c, w[size_t(c - first)]);
    }
    int sum = 0;
    for (int c = first; c <= last; ++c) sum += ColWidths(c);
    int R = A - (sb + b + sum);
    if (n > 1 && R > n) {
        for (int c = first; c <= last; ++c) SetColWidths(c, ColWidths(c) + R / n);
        R %= n;
    }
    int widest = first;
    for (int c = first; c <= last; ++c)
        if (ColWidths(c) > ColWidths(widest)) widest = c;
    SetColWidths(widest, ColWidths(widest) + R);
}

void TAdvStringGrid::SizeToCols()
{
    int w = 0;
    for (int c = 0; c < ColCount(); ++c) w += ColWidths(c);
    SetClientWidth(w);
}

void TAdvStringGrid::SizeToRows()
{
    int h = 0;
    for (int r = 0; r < RowCount(); ++r) h += RowHeights(r);
    SetClientHeight(h);
}

void TAdvStringGrid::SizeToCells()
{
    const TScrollStyle saved = ScrollBars();
    SetScrollBars(ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(saved);
}

void TAdvStringGrid::SetIntegralHeight(bool v)
{
    FIntegralHeight = v;
    SetBounds(Left(), Top(), Width(), Height());
}

// ---- the sizing vetoes ---------------------------------------------------------------------

void TAdvStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
    int c, r;
    MouseToCell(X - 6, Y, c, r);
    if (State == gsColSizing && c >= 0 && r >= 0 && r < FixedRows() && OnColumnSize) {
        bool allow = true;
        OnColumnSize(this, c, allow);
        if (!allow) {
            State = gsNormal;
            FSizeFixed = false;
        }
    }
    MouseToCell(X, Y - 6, c, r);
    if (State == gsRowSizing && c >= 0 && r >= 0 && c < FixedCols() && OnRowSize) {
        bool allow = true;
        OnRowSize(this, r, allow);
        if (!allow) State = gsNormal;
    }
}
