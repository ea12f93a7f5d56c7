#pragma once
// Cell rules shared by the access-table windows' row checks. A check reads
// a row through TRowCells (column index -> cell text), so the rules run
// apart from any grid.

#include "SysFormat.h"

#include <QString>
#include <functional>
#include <initializer_list>

using TRowCells = std::function<QString(int col)>;

// An integer cell read whole and untrimmed (TryStrToInt); what does not
// read, the empty text included, is -1.
int TableCellInt(const QString& text);
// The cell reads as an integer in lo .. hi.
bool TableIntIn(const QString& text, int lo, int hi);
// A byte position that may be left out: trimmed empty or exactly "None", else
// an integer 0 .. limit - 1.
bool TablePositionOrNone(const QString& text, int limit);
// A message entry that is a format: filled through Format, or shown as it
// stands when a translation's placeholders do not fit the arguments.
QString TableFormatText(const QString& format, std::initializer_list<FormatArg> args);
