#pragma once
// Fixed regional settings for the grid utilities' tests.
#include "GridTestFormat.h"

#include <gtest/gtest.h>

class GridFormatTest : public ::testing::Test {
protected:
    ScopedFormatSettings FFormat{GridTestFormat()};
};
