#pragma once
// The column grid's bridge to the grid's filter conditions.

#include <QString>

class TFilter;

// The condition of Column in Filter (added when the column has none) gets
// Condition and CaseSensitive.
void SetColumnFilterCondition(TFilter* Filter, int Column, const QString& Condition, bool CaseSensitive);
