// Checking cells through the grid's checker, filling cells, and cells read
// and written as dates and times.

#include "AdvGrid.h"

#include "DateUtils.h"

TDateTime TAdvStringGrid::Dates(int ACol, int ARow)
{
    return StrToDate(Cells(ACol, ARow));
}

void TAdvStringGrid::SetDates(int ACol, int ARow, TDateTime Value)
{
    SetCells(ACol, ARow, Value == 0 && !ShowNullDates() ? QString() : DateToStr(Value));
}

TDateTime TAdvStringGrid::Times(int ACol, int ARow)
{
    return StrToTime(Cells(ACol, ARow));
}

void TAdvStringGrid::SetTimes(int ACol, int ARow, TDateTime Value)
{
    SetCells(ACol, ARow, TimeToStr(Value));
}
