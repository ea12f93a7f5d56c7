#pragma once
// Text comparison and case conversion.
//
// CompareStr and CompareText are fixed rules (UTF-16 order; ASCII letters
// without case). The Ansi forms follow the language of the regional
// settings' collation locale, as the system's own comparison does.

#include "FormatSettings.h"

#include <QString>

// <0, 0 or >0 by the UTF-16 code units.
int CompareStr(const QString& a, const QString& b);
// As CompareStr with the ASCII letters a-z taken as A-Z.
int CompareText(const QString& a, const QString& b);
bool SameText(const QString& a, const QString& b);
// Collation of the settings' collation locale.
int AnsiCompareStr(const QString& a, const QString& b);
int AnsiCompareStr(const QString& a, const QString& b, const FormatSettings& fs);
int AnsiCompareText(const QString& a, const QString& b);
int AnsiCompareText(const QString& a, const QString& b, const FormatSettings& fs);
// The collation locale's case rules.
QString AnsiUpperCase(const QString& s);
QString AnsiUpperCase(const QString& s, const FormatSettings& fs);
QString AnsiLowerCase(const QString& s);
QString AnsiLowerCase(const QString& s, const FormatSettings& fs);
