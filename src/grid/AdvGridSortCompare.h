#pragma once
// The pieces of a cell comparison that depend on the texts alone, and the
// converted values of one cell that a comparison reads.

#include "AdvGridSort.h"

#include <QString>
#include <cstdint>

// What the automatic style sees in the first text of a pair; the second
// text only confirms a date or a time by holding the separator.
enum TSortAutoKind : uint8_t { akAlpha, akNumber, akDate, akDateTime, akTime };
TSortAutoKind SortAutoKind(const QString& T1);
TSortStyle SortStyleOfKind(TSortAutoKind Kind, bool T2HasDateSep, bool T2HasTimeSep, bool IgnoreCase);

// The style an automatic comparison takes: decided from the first text,
// with the second one only confirming a date or time.
TSortStyle ResolveAutomaticStyle(const QString& T1, const QString& T2, bool CheckBoxCell, bool IgnoreCase);
// A number text ready to read with "." as decimal separator: the first
// prefix and suffix removed, thousand separators too for money amounts.
QString SortNumberText(QString t, const QString& Prefix, const QString& Suffix, bool Financial);
// Upper case of the letters a to z only.
QString UpperAscii(QString t);
// Ordinal comparison of UpperAscii(a) with UpperAscii(b), without copies.
int CompareUpperAscii(const QString& a, const QString& b);

// One cell as a comparison sees it. The text and its classification are
// always there; the converted values only where the style needs them
// (TSortKeyNeeds). A comparison of two keys gives what comparing the two
// cell texts anew gives.
struct TSortCellKey {
    QString Text;             // as read; markup removed for ssHTML
    double Number = 0;        // the number (prefix and suffix removed)
    double Date = 0;          // date and time, or the short date, 0 on failure
    double Time = 0;          // time of day, 0 on failure
    intptr_t Image = -1;      // the cell's image key
    TSortAutoKind Kind = akAlpha;
    bool Box = false;         // a check-box cell (automatic style only)
    bool Checked = false;
    bool HasDateSep = false;  // the text holds the locale date separator
    bool HasTimeSep = false;
    bool NumberRead = false;  // read completely, or the display text is empty
    bool NumberBlank = false; // nothing left after prefix and suffix removal
};

// The converted values a resolved style reads.
enum TSortKeyNeeds : unsigned {
    snNone = 0,
    snNumber = 1,
    snFinancial = 2,  // with snNumber: thousand separators dropped
    snDate = 4,
    snTime = 8,
    snShortDateEU = 16,
    snShortDateUS = 32,
    snImage = 64,
    snChecked = 128,
    snStripped = 256,
};
unsigned SortKeyNeeds(TSortStyle Resolved);

// The style, prefix and suffix a column compares with (GetFormat's answer).
struct TSortColumnFormat {
    TSortStyle Style = ssAutomatic;
    QString Prefix;
    QString Suffix;
};

// Text, kind and separators of a key from the text as read.
void ClassifySortKey(TSortCellKey& K, const QString& Text);
// The style two keys compare with under a column's style.
TSortStyle SortPairStyle(TSortStyle ColumnStyle, const TSortCellKey& K1, const TSortCellKey& K2, bool IgnoreCase);
