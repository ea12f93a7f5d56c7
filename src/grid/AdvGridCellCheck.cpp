// Checking cells through the grid's checker, filling cells, and cells read
// and written as dates and times.

#include "AdvGrid.h"

#include "DateUtils.h"
#include "SysFormat.h"

#include <QRandomGenerator>
#include <functional>

// ---- checking ------------------------------------------------------------------------------

bool TAdvStringGrid::CheckCell(int ACol, int ARow)
{
    TAdvStringGridCheck* checker = CellChecker();
    if (!checker) return true;
    QString shown = Cells(ACol, ARow);
    GetDisplText(ACol, ARow, shown);
    const QString original = UnMarkText(shown);
    if (checker->GotoCell()) GotoCell(ACol, ARow);
    // Both get the original: with both on, the marked text is kept.
    QString text = original;
    if (checker->UseCorrect()) text = checker->Correct(ACol, ARow, original);
    if (checker->UseMarkError()) text = checker->MarkError(ACol, ARow, original);
    SetCellEx(ACol, ARow, text);
    return text == original;
}

bool TAdvStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    TAdvStringGridCheck* checker = CellChecker();
    if (!checker) return true;
    checker->StartCheck();
    const int row = Row(), col = Col();
    bool all = true;
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c) all = CheckCell(c, r) && all;
    // The checker may have gone with a cell's check.
    if (TAdvStringGridCheck* still = CellChecker()) {
        still->StopCheck();
        if (still->GotoCell()) GotoCell(col, row);
    }
    return all;
}

bool TAdvStringGrid::CheckCol(bool DoFixed, int ACol)
{
    return DoFixed ? CheckCells(ACol, 0, ACol, RowCount() - 1)
                   : CheckCells(ACol, FixedRows(), ACol, RowCount() - FixedFooters() - 1);
}

bool TAdvStringGrid::CheckRow(bool DoFixed, int ARow)
{
    return DoFixed ? CheckCells(0, ARow, ColCount() - 1, ARow)
                   : CheckCells(FixedCols(), ARow, ColCount() - FixedRightCols() - 1, ARow);
}

bool TAdvStringGrid::CheckGrid(bool DoFixed)
{
    return DoFixed ? CheckCells(0, 0, ColCount() - 1, RowCount() - 1)
                   : CheckCells(FixedCols(), FixedRows(), ColCount() - FixedRightCols() - 1,
                                RowCount() - FixedFooters() - 1);
}

// ---- fills ---------------------------------------------------------------------------------

namespace {

// Every cell of the fill's range, row by row: all cells or the normal ones.
void CellCheckFillRange(TAdvStringGrid* g, bool DoFixed, const std::function<void(int ACol, int ARow)>& Put)
{
    const int r0 = DoFixed ? 0 : g->FixedRows(), r1 = DoFixed ? g->RowCount() - 1 : g->RowCount() - g->FixedFooters() - 1;
    const int c0 = DoFixed ? 0 : g->FixedCols(), c1 = DoFixed ? g->ColCount() - 1 : g->ColCount() - g->FixedRightCols() - 1;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) Put(c, r);
    g->CellsLoaded();
}

}  // namespace

void TAdvStringGrid::TextFill(bool DoFixed, const QString& Txt)
{
    CellCheckFillRange(this, DoFixed, [&](int c, int r) { SetCells(c, r, Txt); });
}

void TAdvStringGrid::FormatFill(bool DoFixed, const QString& Fmt)
{
    // A format that does not take two integers raises before any cell changes.
    (void)Format(Fmt, {FixedCols(), FixedRows()});
    CellCheckFillRange(this, DoFixed, [&](int c, int r) { SetCells(c, r, Format(Fmt, {c, r})); });
}

void TAdvStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    // There is no integer from 0 to Rnd - 1 when Rnd is 0 or less: 0 then.
    CellCheckFillRange(this, DoFixed, [&](int c, int r) {
        SetInts(c, r, Rnd > 0 ? int(QRandomGenerator::global()->bounded(Rnd)) : 0);
    });
}

void TAdvStringGrid::LinearFill(bool DoFixed)
{
    CellCheckFillRange(this, DoFixed,
                       [&](int c, int r) { SetCells(c, r, QString::number(c) + QLatin1Char(':') + QString::number(r)); });
}

// ---- dates and times -----------------------------------------------------------------------

TDateTime TAdvStringGrid::Dates(int ACol, int ARow)
{
    return StrToDate(Cells(ACol, ARow));
}

void TAdvStringGrid::SetDates(int ACol, int ARow, TDateTime Value)
{
    SetCells(ACol, ARow, Value <= 0 && !ShowNullDates() ? QString() : DateToStr(Value));
}

TDateTime TAdvStringGrid::Times(int ACol, int ARow)
{
    return StrToTime(Cells(ACol, ARow));
}

void TAdvStringGrid::SetTimes(int ACol, int ARow, TDateTime Value)
{
    SetCells(ACol, ARow, TimeToStr(Value));
}
