// Sizing columns and rows of the string grid to their contents, fitting
// the columns to the control and sizing the control to its cells.

#include "AdvGrid.h"

#include "AdvGridLook.h"
#include "AdvGridSort.h"
#include "AdvUtil.h"
#include "RichText.h"

#include <QFontMetrics>
#include <algorithm>
#include <optional>

namespace {

// Measures cell texts with one set of metrics per font actually used, so
// that a column of cells in the grid's font costs one lookup per cell.
class TCellMeasure {
public:
    TCellMeasure(TAdvStringGrid* Grid, int Zoom) : FGrid(Grid), FZoom(Zoom) {}

    // The widest line of the cell's display text in its font (and zoom).
    int TextWidth(int RealCol, int ARow)
    {
        // The display hook turns the cell's text into what is shown.
        QString text = FGrid->Cells(RealCol, ARow);
        FGrid->GetDisplText(RealCol, ARow, text);
        if (text.isEmpty()) return 0;
        if (IsRichText(text)) return RichTextMeasure(text, FGrid->Font(), 0).cx;
        const QFontMetrics& fm = Metrics(RealCol, ARow);
        if (!text.contains(QLatin1Char('\n'))) return fm.horizontalAdvance(text);
        int w = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            w = std::max(w, fm.horizontalAdvance(line));
        return w;
    }
    // Lines x line height of the cell's text.
    int TextHeight(int RealCol, int ARow)
    {
        QString text = FGrid->Cells(RealCol, ARow);
        FGrid->GetDisplText(RealCol, ARow, text);
        if (IsRichText(text)) return RichTextMeasure(text, FGrid->Font(), 0).cy;
        const QFontMetrics& fm = Metrics(RealCol, ARow);
        return int(text.count(QLatin1Char('\n')) + 1) * fm.height();
    }

private:
    const QFontMetrics& Metrics(int RealCol, int ARow)
    {
        const bool fixed = ARow < FGrid->FixedRows() || FGrid->DisplColIndex(RealCol) < FGrid->FixedCols();
        TCellProperties* p = ARow < FGrid->RowCount() ? FGrid->GridObjects(RealCol, ARow) : nullptr;
        const bool own = p && (!p->FontName().isEmpty() || p->FontSize() != 0 || !p->FontStyle().Empty());
        if (!own && FZoom == 0) {
            std::optional<QFontMetrics>& slot = fixed ? FFixed : FNormal;
            if (!slot) slot.emplace((fixed ? FGrid->FixedFont() : FGrid->Font())->ToQFont());
            return *slot;
        }
        TFont f;
        f.Assign(fixed ? FGrid->FixedFont() : FGrid->Font());
        if (p) {
            if (!p->FontName().isEmpty()) f.SetName(p->FontName());
            if (p->FontSize() != 0) f.SetSize(p->FontSize());
            if (!p->FontStyle().Empty()) f.SetStyle(p->FontStyle());
        }
        if (FZoom != 0) f.SetSize(std::max(1, f.Size() + FZoom));
        FOther.emplace(f.ToQFont());
        return *FOther;
    }

    TAdvStringGrid* FGrid;
    int FZoom;
    std::optional<QFontMetrics> FNormal;
    std::optional<QFontMetrics> FFixed;
    std::optional<QFontMetrics> FOther;
};

}  // namespace

// ---- columns -------------------------------------------------------------------------------

void TAdvStringGrid::AutoSizeCol(int ACol, int Padding)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    DoAutoSizeCol(ACol, SizeGrowOnly());
    if (Padding != 0) SetColWidths(ACol, LimitValue(ColWidths(ACol) + Padding, MinColWidth(), MaxColWidth()));
}

void TAdvStringGrid::DoAutoSizeCol(int Index, bool GrowOnly)
{
    if (Index < 0 || Index >= ColCount()) return;
    const int c = RealColIndex(Index);
    int from = FixedRows(), to = RowCount() - FixedFooters() - 1;
    switch (ColumnSize()->Rows()) {
    case arNormal:
        break;
    case arFixed:
        from = 0;
        to = FixedRows() - 1;
        break;
    case arAll:
        from = 0;
        to = RowCount() - 1;
        break;
    }
    const bool comboShown = ControlLook() && ControlLook()->DropDownAlwaysVisible();
    const int sortCol = SortSettings() ? SortSettings()->Column() : -1;
    const int edge = 2 * GridLineWidth() + XYOffset().X + 2;
    TCellMeasure measure(this, FZoomFactor);
    const bool anyProps = FHasCellProps;
    int widest = 0;
    for (int r = std::max(from, 0); r <= to && r < RowCount(); ++r) {
        if (anyProps && IsXMergedCell(c, r)) continue;
        TCellGraphic* graphic = anyProps ? GetCellGraphic(c, r) : nullptr;
        int w;
        if (graphic && graphic->CellHAlign() == haFull) {
            w = GetCellGraphicSize(c, r).X - edge;
        } else {
            w = (graphic ? GetCellGraphicSize(c, r).X : 0) + measure.TextWidth(c, r);
            if (comboShown) {
                bool combo = false;
                combo = HasComboBox(c, r);
                if (combo) w += 16;
            }
            bool filterButton = false;
            filterButton = FilterDropDownAuto() && r == FilterRow() && HasColumnFilter(c);
            if (filterButton) w += 12;
            if (Index == sortCol && IsSortIndicatorCell(c, r)) w += 10;
        }
        widest = std::max(widest, w);
    }
    int W = widest + GetTotalXOffset() + 2 * GridLineWidth() + 2;
    if (!GrowOnly || ColWidths(Index) < W) {
        UpdateAutoColumnSize(Index, W);
        SetColWidths(Index, LimitValue(W, MinColWidth(), MaxColWidth()));
    }
}

void TAdvStringGrid::UpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}
