#pragma once
// The options of the grid's find, find next and replace: sixteen flags
// kept as a 16-bit set, flag n in bit n.

#include "Sets.h"

enum TFindParameters {
    fnMatchCase,             // compare with case; else both texts upper-cased by the locale
    fnMatchFull,             // the whole cell text must equal the search text
    fnMatchRegular,          // the search text is a filter expression
    fnDirectionLeftRight,    // row by row, left to right; else column by column
    fnMatchStart,            // the search text stands at the start of the cell text
    fnFindInCurrentRow,      // only the current row
    fnFindInCurrentCol,      // only the current column
    fnIncludeFixed,          // fixed rows, columns and footers too
    fnAutoGoto,              // the hit becomes the current cell
    fnIgnoreHTMLTags,        // mini-markup removed before comparing
    fnBackward,              // walk backwards
    fnIncludeHiddenColumns,  // hidden columns too
    fnFindInPresetCol,       // only the column in FindCol
    fnFindInPresetRow,       // only the row in FindRow
    fnSelectedCells,         // only the selected rectangle
    fnIncludeHiddenRows      // rows hidden by filtering or collapsed nodes too
};

using TFindParams = TSet<TFindParameters>;
static_assert(unsigned(fnIncludeHiddenRows) == 15, "the find flags fill 16 bits");
