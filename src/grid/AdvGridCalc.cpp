// Calculations over a column of the string grid: sum, average, minimum,
// maximum, standard deviation and the count of distinct texts.

#include "AdvGrid.h"

#include "AdvUtil.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <functional>

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

// How a cell text reads as a number without the general reader: a text
// without digits adds nothing (the reader answers 0 or fails), a plain
// decimal ("-12.50") reads as it stands; anything else needs the reader.
enum TCalcTextKind { ctkNoDigits, ctkPlain, ctkOther };

TCalcTextKind CalcTextKind(const QString& Text, double& Value)
{
    bool digits = false, plain = true, dot = false;
    const int n = int(Text.size());
    for (int i = 0; i < n; ++i) {
        const QChar ch = Text[i];
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
            digits = true;
        } else if (ch == QLatin1Char('-') && i == 0) {
        } else if (ch == QLatin1Char('.') && !dot && i > 0 && Text[i - 1].isDigit() && i + 1 < n
                   && Text[i + 1].isDigit()) {
            dot = true;
        } else {
            plain = false;
            if (ch.unicode() > 0x7F) return ctkOther;  // other scripts' digits
        }
    }
    if (!digits) return ctkNoDigits;
    if (!plain) return ctkOther;
    bool ok = false;
    Value = Text.toDouble(&ok);
    return ok ? ctkPlain : ctkOther;
}

}  // namespace

static TCalcRange CalcRange(TAdvStringGrid* g, int FromRow, int ToRow, bool FooterShown)
{
    TCalcRange r{FromRow, ToRow, false};
    if (FromRow == -1 || ToRow == -1) {
        r.From = g->FixedRows();
        r.To = g->RowCount() - g->FixedFooters() - 1;
    }
    // The footer asks for hidden rows by reaching past the shown ones. With
    // the footer shown, one hidden row makes the range end on the footer's
    // own row: that already reads real rows, or the old total would count.
    r.Real = FooterShown ? r.To >= g->RowCount() - 1 : r.To > g->RowCount();
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
    ExportNotification(esExportStart, range.From);
    for (int r = range.From; r <= range.To; ++r) {
        const bool hidden = range.Real && IsHiddenRow(r);
        const int d = range.Real ? DisplRowIndex(r) : r;
        if (grouped && !hidden && (IsNode(d) || IsSummary(d))) continue;
        if (FHasCellProps && !hidden && d >= 0 && d < RowCount() && !IsBaseCell(ACol, d)) continue;
        ExportNotification(esExportNextRow, r);
        double v = 0;
        switch (CalcTextKind(range.Real ? AllCells(ACol, r) : Cells(ACol, r), v)) {
        case ctkNoDigits: continue;
        case ctkPlain: sum += v; continue;
        case ctkOther: break;
        }
        try {
            sum += range.Real ? AllFloats(ACol, r) : Floats(ACol, r);
        } catch (const Exception&) {
            // A cell that is not a number is left out.
        }
    }
    ExportNotification(esExportDone, -1);
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
    ExportNotification(esExportStart, range.From);
    for (int r = range.From; r <= range.To; ++r) {
        const double d = Floats(ACol, r) - avg;
        sq += d * d;
    }
    ExportNotification(esExportDone, -1);
    return std::sqrt(sq / double(range.To - range.From + 1));
}

double TAdvStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    const TCalcRange range = CalcRange(this, FromRow, ToRow, false);
    QSet<QString> seen;
    ExportNotification(esExportStart, range.From);
    for (int r = range.From; r <= range.To; ++r) {
        QString text = Cells(ACol, r);
        GetDisplText(ACol, r, text);
        seen.insert(text.toCaseFolded());
    }
    ExportNotification(esExportDone, -1);
    return double(seen.size());
}

double TAdvStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

// ---- rows ----------------------------------------------------------------------------------

double TAdvStringGrid::RowSum(int ARow, int FromCol, int ToCol)
{
    double sum = 0;
    for (int c = std::max(FromCol, 0); c <= ToCol && c < TotalColCount(); ++c) {
        if (!IsBaseCell(c, ARow)) continue;
        try {
            sum += Floats(c, ARow);
        } catch (const Exception&) {
            // A cell that is not a number is left out.
        }
    }
    return sum;
}

double TAdvStringGrid::RowAvg(int ARow, int FromCol, int ToCol)
{
    if (ToCol < FromCol) return 0;
    return RowSum(ARow, FromCol, ToCol) / double(ToCol - FromCol + 1);
}

// The smallest (Largest: the largest) number of a row; the first cell must
// be a number, later cells that are not are left out.
static double RowExtreme(TAdvStringGrid* g, int ARow, int FromCol, int ToCol, bool Largest)
{
    double m = g->Floats(FromCol, ARow);  // raises for a first cell that is not a number
    for (int c = FromCol + 1; c <= ToCol && c < g->TotalColCount(); ++c) {
        if (!g->IsBaseCell(c, ARow) || !IsNumberText(g->Cells(c, ARow))) continue;
        try {
            const double v = g->Floats(c, ARow);
            m = Largest ? std::max(m, v) : std::min(m, v);
        } catch (const Exception&) {
        }
    }
    return m;
}

double TAdvStringGrid::RowMin(int ARow, int FromCol, int ToCol) { return RowExtreme(this, ARow, FromCol, ToCol, false); }

double TAdvStringGrid::RowMax(int ARow, int FromCol, int ToCol) { return RowExtreme(this, ARow, FromCol, ToCol, true); }

// ---- numbering -----------------------------------------------------------------------------

// Numbers the positions First..Last (k - First + Offset + 1 for position k,
// with First shifted by Start); descending, the numbers run from the far
// end, so the last Start positions stay empty.
static void AutoNumberLine(int First, int Last, int Start, int Offset, bool Descending,
                           const std::function<void(int Pos, int Value)>& Put)
{
    for (int k = First + Start; k <= Last; ++k) {
        const int value = k - First + Offset + 1;
        Put(Descending ? First + Last - k : k, value);
    }
}

void TAdvStringGrid::AutoNumberCol(int ACol)
{
    if (RowCount() == 0) return;
    AutoNumberLine(FixedRows(), RowCount() - FixedFooters() - 1, AutoNumberStart(), AutoNumberOffset(),
                   AutoNumberDirection() == sdDescending, [&](int r, int v) { SetInts(ACol, r, v); });
}

void TAdvStringGrid::AutoNumberRow(int ARow)
{
    if (ColCount() == 0) return;
    AutoNumberLine(FixedCols(), ColCount() - FixedRightCols() - 1, AutoNumberStart(), AutoNumberOffset(),
                   AutoNumberDirection() == sdDescending, [&](int c, int v) { SetInts(c, ARow, v); });
}
