// Calculations over a column of the string grid: sum, average, minimum,
// maximum, standard deviation and the count of distinct texts.

#include "AdvGrid.h"

#include "AdvUtil.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

// The rows a calculation walks: -1 for either end selects the normal rows.
struct TCalcRange {
    int From;
    int To;
    bool Real;  // the rows are real rows (hidden rows counted)
};

// Whether a cell's text reads as a number at all.
bool IsNumberText(const QString& Text)
{
    return !Text.trimmed().isEmpty() && GetNumberType(Text) != 2;
}

}  // namespace

static TCalcRange CalcRange(TAdvStringGrid* g, int FromRow, int ToRow, bool FooterShown)
{
    TCalcRange r{FromRow, ToRow, false};
    if (FromRow == -1 || ToRow == -1) {
        r.From = g->FixedRows();
        r.To = g->RowCount() - g->FixedFooters() - 1;
    }
    // The footer asks for hidden rows by reaching past the shown ones.
    r.Real = FooterShown ? r.To > g->RowCount() - 1 : r.To > g->RowCount();
    const int last = r.Real ? g->RowCount() + g->NumHiddenRows() - 1 : g->RowCount() - 1;
    r.From = std::max(r.From, 0);
    r.To = std::min(r.To, last);
    return r;
}

double TAdvStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    const TCalcRange range = CalcRange(this, FromRow, ToRow, FooterVisible());
    const bool grouped = GroupColumn() != -1;
    double sum = 0;
    for (int r = range.From; r <= range.To; ++r) {
        const bool hidden = range.Real && IsHiddenRow(r);
        const int d = range.Real ? DisplRowIndex(r) : r;
        if (grouped && !hidden && (IsNode(d) || IsSummary(d))) continue;
        if (!hidden && d >= 0 && d < RowCount() && !IsBaseCell(ACol, d)) continue;
        try {
            sum += range.Real ? AllFloats(ACol, r) : Floats(ACol, r);
        } catch (const Exception&) {
            // A cell that is not a number is left out.
        }
    }
    return sum;
}

double TAdvStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    const TCalcRange range = CalcRange(this, FromRow, ToRow, FooterVisible());
    if (range.To < range.From) return 0;
    return ColumnSum(ACol, FromRow, ToRow) / double(range.To - range.From + 1);
}

// The smallest (Largest: the largest) number of the range; the first cell
// must be a number, later cells that are not are left out.
static double ColumnExtreme(TAdvStringGrid* g, int ACol, int FromRow, int ToRow, bool Largest)
{
    const TCalcRange range = CalcRange(g, FromRow, ToRow, false);
    double m = g->Floats(ACol, range.From);  // raises for a first cell that is not a number
    const bool grouped = g->GroupColumn() != -1;
    for (int r = range.From; r <= range.To && r < g->RowCount(); ++r) {
        if (grouped && (g->IsNode(r) || g->IsSummary(r))) continue;
        if (!IsNumberText(g->Cells(ACol, r))) continue;
        try {
            const double v = g->Floats(ACol, r);
            m = Largest ? std::max(m, v) : std::min(m, v);
        } catch (const Exception&) {
        }
    }
    return m;
}

double TAdvStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    return ColumnExtreme(this, ACol, FromRow, ToRow, false);
}

double TAdvStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    return ColumnExtreme(this, ACol, FromRow, ToRow, true);
}

double TAdvStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    const TCalcRange range = CalcRange(this, FromRow, ToRow, false);
    // An empty range has no deviation (its divisor would be 0).
    if (range.To < range.From) return 0;
    const double avg = ColumnAvg(ACol, FromRow, ToRow);
    double sq = 0;
    for (int r = range.From; r <= range.To; ++r) {
        const double d = Floats(ACol, r) - avg;
        sq += d * d;
    }
    return std::sqrt(sq / double(range.To - range.From + 1));
}

double TAdvStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    const TCalcRange range = CalcRange(this, FromRow, ToRow, false);
    QSet<QString> seen;
    for (int r = range.From; r <= range.To; ++r) {
        QString text = Cells(ACol, r);
        GetDisplText(ACol, r, text);
        seen.insert(text.toCaseFolded());
    }
    return double(seen.size());
}
