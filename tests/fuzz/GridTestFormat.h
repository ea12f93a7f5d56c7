#pragma once
// The regional settings the grid utilities are tested, fuzzed and measured
// with: thousand ",", decimal ".", date "/", time ":", short date "d/M/yyyy".
#include "FormatSettings.h"

inline FormatSettings GridTestFormat()
{
    FormatSettings fs;
    fs.ThousandSeparator = u',';
    fs.DecimalSeparator = u'.';
    fs.DateSeparator = u'/';
    fs.TimeSeparator = u':';
    fs.ShortDateFormat = QStringLiteral("d/M/yyyy");
    return fs;
}
