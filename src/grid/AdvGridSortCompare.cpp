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

int SortSign(double a, double b)
{
    return a > b ? 1 : (a < b ? -1 : 0);
}

int SortSign(int v)
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

bool SortDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The value of the longest leading part of t that reads as a number (blanks,
// a sign, digits with one decimal point, an exponent with digits), 0 when
// no digit leads.
double SortLeadingNumber(const QString& t)
{
    const qsizetype n = t.size();
    qsizetype i = 0;
    while (i < n && t[i].unicode() <= 0x20) ++i;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        if (SortDigit(t[i])) ++digits;
        else if (t[i] == u'.' && !point) point = true;
        else break;
    }
    if (digits == 0) return 0;
    qsizetype end = i;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        qsizetype k = i + 1;
        if (k < n && (t[k] == u'+' || t[k] == u'-')) ++k;
        const qsizetype expStart = k;
        while (k < n && SortDigit(t[k])) ++k;
        if (k > expStart) end = k;
    }
    double v = 0;
    return TryStrToFloat(t.left(end), v, FixedFormatSettings()) ? v : 0;
}

double SortDateValue(const QString& t, bool timeOnly)
{
    if (t.isEmpty()) return 0;
    TDateTime v = 0;
    const bool ok = timeOnly ? TryStrToTime(t, v) : TryStrToDateTime(t, v);
    return ok ? double(v) : 0;
}

double SortShortDateValue(const QString& t, bool dayFirst)
{
    try {
        return double(dayFirst ? ParseDateDMY(t) : ParseDateMDY(t));
    } catch (const Exception&) {
        return 0;
    }
}

}  // namespace

TSortAutoKind SortAutoKind(const QString& T1)
{
    if (IsNumberText(T1)) return akNumber;
    bool found = false;
    const QChar ds = LocaleDateSeparator();
    if (SeparatorOpensField(T1, ds, found)) return T1.contains(LocaleTimeSeparator()) ? akDateTime : akDate;
    if (found) return akAlpha;
    return SeparatorOpensField(T1, LocaleTimeSeparator(), found) ? akTime : akAlpha;
}

TSortStyle SortStyleOfKind(TSortAutoKind Kind, bool T2HasDateSep, bool T2HasTimeSep, bool IgnoreCase)
{
    const TSortStyle alpha = IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
    switch (Kind) {
        case akNumber: return ssNumeric;
        case akDate: return T2HasDateSep ? ssDate : alpha;
        case akDateTime: return T2HasDateSep ? ssDateTime : alpha;
        case akTime: return T2HasTimeSep ? ssTime : alpha;
        case akAlpha: break;
    }
    return alpha;
}

TSortStyle ResolveAutomaticStyle(const QString& T1, const QString& T2, bool CheckBoxCell, bool IgnoreCase)
{
    if (CheckBoxCell) return ssCheckBox;
    return SortStyleOfKind(SortAutoKind(T1), T2.contains(LocaleDateSeparator()), T2.contains(LocaleTimeSeparator()),
                           IgnoreCase);
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

int CompareUpperAscii(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const QChar* pa = a.constData();
    const QChar* pb = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        char16_t ca = pa[i].unicode(), cb = pb[i].unicode();
        if (ca >= u'a' && ca <= u'z') ca = char16_t(ca - 32);
        if (cb >= u'a' && cb <= u'z') cb = char16_t(cb - 32);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

unsigned SortKeyNeeds(TSortStyle Resolved)
{
    switch (Resolved) {
        case ssNumeric: return snNumber;
        case ssFinancial: return snNumber | snFinancial;
        case ssDate:
        case ssDateTime: return snDate;
        case ssTime: return snTime;
        case ssShortDateEU: return snShortDateEU;
        case ssShortDateUS: return snShortDateUS;
        case ssImages: return snImage;
        case ssCheckBox: return snChecked;
        case ssHTML: return snStripped;
        default: return snNone;
    }
}

void ClassifySortKey(TSortCellKey& K, const QString& Text)
{
    K.Text = Text;
    K.Kind = SortAutoKind(Text);
    K.HasDateSep = Text.contains(LocaleDateSeparator());
    K.HasTimeSep = Text.contains(LocaleTimeSeparator());
}

TSortStyle SortPairStyle(TSortStyle ColumnStyle, const TSortCellKey& K1, const TSortCellKey& K2, bool IgnoreCase)
{
    switch (ColumnStyle) {
        case ssAutomatic:
            if (K1.Box) return ssCheckBox;
            return SortStyleOfKind(K1.Kind, K2.HasDateSep, K2.HasTimeSep, IgnoreCase);
        case ssAlphaNumeric:
        case ssAlphaNumericNoCase:
            if (K1.Kind == akNumber && K2.Kind == akNumber) return ssNumeric;
            return ColumnStyle == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
        default: return ColumnStyle;
    }
}

bool TAdvStringGrid::SortCellChecked(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && g->CellType() == ctCheckBox) return g->CellCheckBoxState() == cbChecked;
    return IsChecked(ACol, ARow);
}

bool TAdvStringGrid::SortCellIsCheckBox(int ACol, int ARow)
{
    const TCellType ct = GetCellType(ACol, ARow);
    return ct == ctCheckBox || ct == ctDataCheckBox || ct == ctVirtCheckBox || ct == ctRowCheckBox;
}

TSortColumnFormat TAdvStringGrid::SortColumnFormat(int ACol)
{
    const TSortSettings* ss = FSortSettings;
    TSortColumnFormat f;
    f.Style = ss->AutoFormat() ? ssAutomatic : (ss->IgnoreCase() ? ssAlphaNoCase : ssAlphabetic);
    GetFormat(ACol, f.Style, f.Prefix, f.Suffix);
    return f;
}

QString TAdvStringGrid::SortCellText(int ACol, int ARow)
{
    return FSortSettings->SortOnVirtualCells() ? Cells(ACol, ARow) : GridCells(ACol, ARow);
}

void TAdvStringGrid::FillSortKey(TSortCellKey& K, int ACol, int ARow, unsigned Needs, const TSortColumnFormat& F)
{
    if (Needs & snNumber) {
        const QString t = SortNumberText(K.Text, F.Prefix, F.Suffix, Needs & snFinancial);
        K.NumberBlank = t.isEmpty();
        double v = 0;
        K.NumberRead = TryStrToFloat(t, v, FixedFormatSettings());
        if (!K.NumberRead) {
            // An empty cell counts as 0; any other text by its leading number.
            const bool shownEmpty =
                FSortSettings->SortOnVirtualCells() ? K.Text.isEmpty() : Cells(ACol, ARow).isEmpty();
            K.NumberRead = shownEmpty;
            v = shownEmpty ? 0 : SortLeadingNumber(t);
        }
        K.Number = v;
    }
    if (Needs & snDate) K.Date = SortDateValue(K.Text, false);
    if (Needs & snTime) K.Time = SortDateValue(K.Text, true);
    if (Needs & (snShortDateEU | snShortDateUS)) K.Date = SortShortDateValue(K.Text, Needs & snShortDateEU);
    if (Needs & snImage) K.Image = GetCellImageKey(ACol, ARow);
    if (Needs & snChecked) K.Checked = SortCellChecked(ACol, ARow);
    if (Needs & snStripped) K.Text = StrippedCells(ACol, ARow);
}

int TAdvStringGrid::CompareSortKeys(int ACol, int ARow1, int ARow2, TSortStyle Style, const TSortCellKey& K1,
                                    const TSortCellKey& K2, TSortDirection Direction)
{
    int res = 0;
    bool blank1 = K1.Text.isEmpty(), blank2 = K2.Text.isEmpty();
    switch (Style) {
        case ssAutomatic:
        case ssAlphabetic:
        case ssAlphaCase:
        case ssAlphaNumeric:
        case ssAlphaNumericNoCase:
        case ssHTML:
            res = SortSign(K1.Text.compare(K2.Text));
            break;
        case ssAlphaNoCase:
            res = CompareUpperAscii(K1.Text, K2.Text);
            break;
        case ssAnsiAlphaCase:
            res = SortSign(AnsiCompareStr(K1.Text, K2.Text));
            break;
        case ssAnsiAlphaNoCase:
            res = SortSign(AnsiCompareText(K1.Text, K2.Text));
            break;
        case ssNumeric:
        case ssFinancial:
            // Two texts that both fail to read are equal.
            res = (!K1.NumberRead && !K2.NumberRead) ? 0 : SortSign(K1.Number, K2.Number);
            blank1 = K1.NumberBlank;
            blank2 = K2.NumberBlank;
            break;
        case ssDate:
        case ssDateTime:
        case ssShortDateEU:
        case ssShortDateUS:
            res = SortSign(K1.Date, K2.Date);
            break;
        case ssTime:
            res = SortSign(K1.Time, K2.Time);
            break;
        case ssCustom:
            if (OnCustomCompare) OnCustomCompare(this, K1.Text, K2.Text, res);
            break;
        case ssRaw:
            if (OnRawCompare) OnRawCompare(this, ACol, ARow1, ARow2, res);
            break;
        case ssImages:
            res = K1.Image > K2.Image ? 1 : (K1.Image < K2.Image ? -1 : 0);
            break;
        case ssCheckBox:
            res = int(K1.Checked) - int(K2.Checked);
            break;
    }

    if (FSortSettings->IgnoreBlanks() && blank1 != blank2) {
        // Empty texts go to the top (blFirst) or the bottom (blLast) in both
        // directions, since the sorts order rows by the direction's sign.
        const int top = Direction == sdAscending ? -1 : 1;
        const int first = FSortSettings->BlankPos() == blFirst ? top : -top;
        res = blank1 ? first : -first;
    }
    return res;
}

int TAdvStringGrid::CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction)
{
    ++FCompares;
    const TSortColumnFormat f = SortColumnFormat(ACol);
    TSortCellKey k1, k2;
    ClassifySortKey(k1, SortCellText(ACol, ARow1));
    ClassifySortKey(k2, SortCellText(ACol, ARow2));
    if (f.Style == ssAutomatic) k1.Box = SortCellIsCheckBox(ACol, ARow1);
    const TSortStyle style = SortPairStyle(f.Style, k1, k2, FSortSettings->IgnoreCase());
    const unsigned needs = SortKeyNeeds(style);
    FillSortKey(k1, ACol, ARow1, needs, f);
    FillSortKey(k2, ACol, ARow2, needs, f);
    return CompareSortKeys(ACol, ARow1, ARow2, style, k1, k2, Direction);
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
