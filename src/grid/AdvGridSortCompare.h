#pragma once
// The pieces of a cell comparison that depend on the texts alone.

#include "AdvGridSort.h"

#include <QString>

// The style an automatic comparison takes: decided from the first text,
// with the second one only confirming a date or time.
TSortStyle ResolveAutomaticStyle(const QString& T1, const QString& T2, bool CheckBoxCell, bool IgnoreCase);
// A number text ready to read with "." as decimal separator: the first
// prefix and suffix removed, thousand separators too for money amounts.
QString SortNumberText(QString t, const QString& Prefix, const QString& Suffix, bool Financial);
// Upper case of the letters a to z only.
QString UpperAscii(QString t);
