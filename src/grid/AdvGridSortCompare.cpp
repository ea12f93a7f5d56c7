// Comparing two rows of the string grid: one cell pair by its sort style,
// ties broken by the columns to the right or by the sort index list.

#include "AdvGridSortCompare.h"
#include "AdvGrid.h"
#include "AdvUtil.h"
#include "DateUtils.h"
#include "FormatSettings.h"
#include "SysFormat.h"
#include "SysStrings.h"

namespace {

int Sign(double a, double b)
{
    return a > b ? 1 : (a < b ? -1 : 0);
}

int SignOf(int v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

bool IsNumberText(const QString& s)
{
    const int t = GetNumberType(s);
    return t == 0 || t == 1 || t == 5;
}

// The position (0-based) of the first separator when it sits at the second
// or third character, has a character after it and digits on both sides.
bool SeparatorOpensField(const QString& t, QChar sep, bool& found)
{
    const int p = int(t.indexOf(sep));
    found = p == 1 || p == 2;
    if (!found || p + 1 >= t.size()) {
        found = found && p + 1 < t.size();
        return false;
    }
    return IsDigitChar(t[p - 1]) && IsDigitChar(t[p + 1]);
}

double DateValue(const QString& t, bool timeOnly)
{
    if (t.isEmpty()) return 0;
    TDateTime v = 0;
    const bool ok = timeOnly ? TryStrToTime(t, v) : TryStrToDateTime(t, v);
    return ok ? double(v) : 0;
}

double ShortDateValue(const QString& t, bool dayFirst)
{
    try {
        return double(dayFirst ? ParseDateDMY(t) : ParseDateMDY(t));
    } catch (const Exception&) {
        return 0;
    }
}

}  // namespace

TSortStyle ResolveAutomaticStyle(const QString& T1, const QString& T2, bool CheckBoxCell, bool IgnoreCase)
{
    if (CheckBoxCell) return ssCheckBox;
    if (IsNumberText(T1)) return ssNumeric;
    const TSortStyle alpha = IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
    bool found = false;
    const QChar ds = LocaleDateSeparator();
    if (SeparatorOpensField(T1, ds, found)) {
        if (!T2.contains(ds)) return alpha;
        return T1.contains(LocaleTimeSeparator()) ? ssDateTime : ssDate;
    }
    if (found) return alpha;
    const QChar ts = LocaleTimeSeparator();
    if (SeparatorOpensField(T1, ts, found) && T2.contains(ts)) return ssTime;
    return alpha;
}

QString SortNumberText(QString t, const QString& Prefix, const QString& Suffix, bool Financial)
{
    if (!Prefix.isEmpty()) {
        const qsizetype p = t.indexOf(Prefix);
        if (p >= 0) t.remove(p, Prefix.size());
    }
    if (!Suffix.isEmpty()) {
        const qsizetype p = t.indexOf(Suffix);
        if (p >= 0) t.remove(p, Suffix.size());
    }
    if (Financial) t.remove(LocaleThousandSeparator());
    const QChar dec = LocaleDecimalSeparator();
    if (dec != u'.') {
        const qsizetype p = t.indexOf(dec);
        if (p >= 0) t[p] = u'.';
    }
    return t;
}

QString UpperAscii(QString t)
{
    for (QChar& c : t)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
    return t;
}

bool TAdvStringGrid::SortCellChecked(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && g->CellType() == ctCheckBox) return g->CellCheckBoxState() == cbChecked;
    return IsChecked(ACol, ARow);
}

void TAdvStringGrid::GetColumnFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix)
{
    (void)ACol;
    (void)AStyle;
    (void)APrefix;
    (void)ASuffix;
}

int TAdvStringGrid::CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction)
{
    ++FCompares;
    TSortSettings* ss = FSortSettings;
    TSortStyle style = ss->AutoFormat() ? ssAutomatic : (ss->IgnoreCase() ? ssAlphaNoCase : ssAlphabetic);
    QString prefix, suffix;
    GetColumnFormat(ACol, style, prefix, suffix);

    QString t1 = ss->SortOnVirtualCells() ? Cells(ACol, ARow1) : GridCells(ACol, ARow1);
    QString t2 = ss->SortOnVirtualCells() ? Cells(ACol, ARow2) : GridCells(ACol, ARow2);

    if (style == ssAutomatic) {
        const TCellType ct = GetCellType(ACol, ARow1);
        const bool box = ct == ctCheckBox || ct == ctDataCheckBox || ct == ctVirtCheckBox || ct == ctRowCheckBox;
        style = ResolveAutomaticStyle(t1, t2, box, ss->IgnoreCase());
    }
    if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        if (IsNumberText(t1) && IsNumberText(t2))
            style = ssNumeric;
        else
            style = style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
    }

    int res = 0;
    switch (style) {
        case ssAutomatic:
        case ssAlphabetic:
        case ssAlphaCase:
        case ssAlphaNumeric:
        case ssAlphaNumericNoCase:
            res = SignOf(t1.compare(t2));
            break;
        case ssAlphaNoCase:
            t1 = UpperAscii(t1);
            t2 = UpperAscii(t2);
            res = SignOf(t1.compare(t2));
            break;
        case ssAnsiAlphaCase:
            res = SignOf(AnsiCompareStr(t1, t2));
            break;
        case ssAnsiAlphaNoCase:
            res = SignOf(AnsiCompareText(t1, t2));
            break;
        case ssHTML:
            t1 = StrippedCells(ACol, ARow1);
            t2 = StrippedCells(ACol, ARow2);
            res = SignOf(t1.compare(t2));
            break;
        case ssNumeric:
        case ssFinancial: {
            t1 = SortNumberText(t1, prefix, suffix, style == ssFinancial);
            t2 = SortNumberText(t2, prefix, suffix, style == ssFinancial);
            double v1 = 0, v2 = 0;
            bool ok1 = TryStrToFloat(t1, v1, FixedFormatSettings());
            bool ok2 = TryStrToFloat(t2, v2, FixedFormatSettings());
            if (!ok1 && Cells(ACol, ARow1).isEmpty()) {
                v1 = 0;
                ok1 = true;
            }
            if (!ok2 && Cells(ACol, ARow2).isEmpty()) {
                v2 = 0;
                ok2 = true;
            }
            // A text that is neither a number nor empty counts as 0 against a number.
            if (!ok1) v1 = 0;
            if (!ok2) v2 = 0;
            res = (!ok1 && !ok2) ? 0 : Sign(v1, v2);
            break;
        }
        case ssDate:
        case ssDateTime:
            res = Sign(DateValue(t1, false), DateValue(t2, false));
            break;
        case ssTime:
            res = Sign(DateValue(t1, true), DateValue(t2, true));
            break;
        case ssShortDateEU:
        case ssShortDateUS:
            res = Sign(ShortDateValue(t1, style == ssShortDateEU), ShortDateValue(t2, style == ssShortDateEU));
            break;
        case ssCustom:
            if (OnCustomCompare) OnCustomCompare(this, t1, t2, res);
            break;
        case ssRaw:
            if (OnRawCompare) OnRawCompare(this, ACol, ARow1, ARow2, res);
            break;
        case ssImages: {
            const intptr_t k1 = GetCellImageKey(ACol, ARow1), k2 = GetCellImageKey(ACol, ARow2);
            res = k1 > k2 ? 1 : (k1 < k2 ? -1 : 0);
            break;
        }
        case ssCheckBox: {
            const bool c1 = SortCellChecked(ACol, ARow1), c2 = SortCellChecked(ACol, ARow2);
            res = int(c1) - int(c2);
            break;
        }
    }

    if (ss->IgnoreBlanks() && t1.isEmpty() != t2.isEmpty()) {
        // Empty texts go to the top (blFirst) or the bottom (blLast) in both
        // directions, since the sorts order rows by the direction's sign.
        const int top = Direction == sdAscending ? -1 : 1;
        const int first = ss->BlankPos() == blFirst ? top : -top;
        res = t1.isEmpty() ? first : -first;
    }
    return res;
}

int TAdvStringGrid::CompareRows(int ACol, int ARow1, int ARow2)
{
    const int last = (FSortColumns > 0 ? FSortColumns : ColCount()) - 2;
    for (int c = ACol;; ++c) {
        const int r = IsIgnoredColumn(c) ? 0 : CompareCells(c, ARow1, ARow2, FSortSettings->Direction());
        if (r != 0 || !FSortSettings->Full() || c > last) return r;
    }
}

int TAdvStringGrid::CompareRowsIndexed(int Index, int ARow1, int ARow2)
{
    const int n = FSortIndexes->Count();
    for (int i = Index; i < n; ++i) {
        const int col = FSortIndexes->SortColumns(i);
        const bool descending = !FSortIndexes->SortDirections(i);
        const int r =
            IsIgnoredColumn(col) ? 0 : CompareCells(col, ARow1, ARow2, descending ? sdDescending : sdAscending);
        if (r != 0 || !FSortSettings->Full()) return descending ? -r : r;
    }
    return 0;
}
