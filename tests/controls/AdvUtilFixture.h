#pragma once
// Fixed regional settings for the grid utilities' tests: thousand ",",
// decimal ".", date "/", time ":", short date "d/M/yyyy".
#include "FormatSettings.h"

#include <gtest/gtest.h>
#include <memory>

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

class GridFormatTest : public ::testing::Test {
protected:
    ScopedFormatSettings FFormat{GridTestFormat()};
};
