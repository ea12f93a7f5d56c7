#pragma once
// The grid's text, number and date routines and its filter matcher.
//
// Pure functions over QString (UTF-16 code units; a text may hold code 0).
// Positions count from 1, 0 means not found. Number and date texts follow
// the process's regional settings (DefaultFormatSettings). This unit uses
// nothing but QtCore and the pure platform units, so that the fuzz build can
// compile it on its own.
//
// Several routines keep their historic losses on purpose: the single-line
// forms are file and clipboard formats that older files were written in.

#include "Clock.h"  // TDateTime

#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

// ---- Search and small functions ------------------------------------------

int CharPos(QChar Ch, const QString& Text);
// As CharPos; Pos receives the position unless the result is 0.
int CharPosVar(QChar Ch, const QString& Text, int& Pos);
int PosVar(const QString& Sub, const QString& Text, int& Pos);
// Text upper-cased by the ASCII rule (a-z only); Sub is taken as it is.
int UpperCasePos(const QString& Sub, const QString& Text);
int WidePos(const QString& Sub, const QString& Text);
int CountChar(QChar Ch, const QString& Text);
// The part before the first Delim, removed from Text together with one more
// character; empty (Text unchanged) when Delim does not occur.
QString SplitAtDelimiter(QString& Text, const QString& Delim);
void FillChars(QString& Text, QChar Ch);
QString ConcatLines(const QStringList& Lines);
int MaxInteger(int A, int B);
int MinInteger(int A, int B);
// Min = Max: unchanged; otherwise a positive Min raises, a positive Max
// lowers; a bound of 0 or below is not applied.
int LimitValue(int Value, int Min, int Max);
// Left <= Col <= Right and Top <= Row <= Bottom (any rectangle of cells).
template <class R>
bool PointInGridRect(const R& Rect, int Col, int Row)
{
    return Col >= Rect.Left && Col <= Rect.Right && Row >= Rect.Top && Row <= Rect.Bottom;
}

// ---- Quoting of delimited text ---------------------------------------------

QString DoubleQuoteChars(const QString& Text);
QString UndoubleChar(QChar Ch, const QString& Text);
// Where a quoted field ends (its opening quote already removed): an odd run
// of Ch followed by another character, or a Ch in the last position.
int FindUnpairedChar(QChar Ch, const QString& Text, int& Pos);
int CountUnpairedChars(QChar Ch, const QString& Text);
void CRLFToVTQuoted(QString& Text);
void VTToCRLF(QString& Text);
void CRLFToLF(QString& Text);

// ---- Single-line forms of multi-line text ---------------------------------

QString EscapeNewlines(const QString& Text);
QString UnescapeNewlines(const QString& Text);
void CRLFToTilde(QString& Text);
void TildeToCRLF(QString& Text);
// CR -> 9, LF -> 8, code 0 -> 1 when the text holds a CR; a lone CR is first
// made CR LF so that the break survives decoding.
QString EncodeLineBreaks(const QString& Text);
// The reverse when the text holds code 8; without MultiLine the first line.
QString DecodeLineBreaks(const QString& Text, bool MultiLine);
void ExtractFirstLine(QString& Text, bool KeepRest, QString& Line);
int LineCountOf(const QString& Text, bool MultiLine);
// The line breaks of a text: CR LF, a lone CR and a lone LF count one each.
int LineBreakCount(const QString& Text);
QString RemoveCR(const QString& Text);
QString CRToLF(const QString& Text);
QString CRToBRTag(const QString& Text);

// ---- Text kinds and encodings ---------------------------------------------

// 0 plain, 1 mini-markup (only with AllowHTML), 2 rich text, 3 formula,
// 5 encoded wide text.
int GetTextType(const QString& Text, bool AllowHTML);
QString EncodeWideText(const QString& WideText);
QString DecodeWideText(const QString& Text);
// Through the OEM code page (850) and back, the bytes read as ANSI (1252).
void StrToOem(QString& Text);
void OemToStr(QString& Text);
bool IsWordBreakChar(QChar Ch);
QString ToMixedCase(const QString& Text);
// "R<row>C<col>": X the column, Y the row; false leaves them alone.
bool ParseRCCellRef(const QString& Text, int& X, int& Y);
template <class P>
bool ParseRCCellRef(const QString& Text, P& Cell)
{
    return ParseRCCellRef(Text, Cell.X, Cell.Y);
}

// ---- URLs and HTML ----------------------------------------------------------

bool IsURL(const QString& Text);
void StripURLScheme(QString& Text);
// Links the first URL that starts with Prefix (given in upper case).
bool LinkifyURL(const QString& Text, const QString& Prefix, QString& Html);
// RRGGBB of the colour as stored (0x00BBGGRR), upper case.
QString ColorToHexRGB(int32_t Color);
void MakeClipboardHTML(QString& Fragment);

// ---- Regional settings ------------------------------------------------------

QChar LocaleTimeSeparator();
QChar LocaleDateSeparator();
QChar LocaleThousandSeparator();
QChar LocaleDecimalSeparator();
QString LocaleShortDateFormat();
QString LocaleShortTimeFormat();
QString LocaleLongTimeFormat();

// ---- Numbers ----------------------------------------------------------------

bool IsDigitChar(QChar Ch);
bool IsNumberOrMinus(QChar Ch);
bool IsNumberChar(QChar Ch);
bool IsNumberTextChar(QChar Ch);
bool IsScientificChar(QChar Ch);
// 0 whole number, 1 decimal number, 2 not a number, 5 with exponent.
int GetNumberType(const QString& Text);
QString ExtractNumberText(const QString& Text);
QString NormalizeNumberText(const QString& Text);

// ---- Dates ------------------------------------------------------------------

// 0 when the text cannot be read; a date that cannot be formed raises
// EConvertError.
TDateTime ParseDateMDY(const QString& Text);
TDateTime ParseDateDMY(const QString& Text);
// Fields in the short date format's order, an optional time after a blank.
bool ParseShortDate(const QString& Text, TDateTime& Value);
bool IsDateText(const QString& Text);
// One kind of step; raises EConvertError for a date that does not exist.
TDateTime IncDatePart(int16_t Years, int16_t Months, int16_t Days, TDateTime Date, TDateTime Amount);

// ---- Filter expression matcher ----------------------------------------------

// Never throws; an expression that cannot be evaluated answers false.
bool MatchFilter(const QString& Expression, const QString& Value, bool CaseSensitive);
bool MatchTerm(const QString& Term, const QString& Value, bool CaseSensitive);
bool MatchPattern(const QString& Pattern, const QString& Value);

// A filter expression parsed once and matched against many values, with the
// answers of MatchFilter. Terms of plain text, "*" and "?" are matched by a
// linear walk; terms with comparisons go through MatchPattern. Not to be
// shared between threads (it keeps one buffer for the upper-cased value).
class TFilterMatcher {
public:
    TFilterMatcher(const QString& Expression, bool CaseSensitive);
    ~TFilterMatcher();
    TFilterMatcher(TFilterMatcher&&) noexcept;
    TFilterMatcher& operator=(TFilterMatcher&&) noexcept;
    bool Match(const QString& Value) const;

    struct Node;

private:
    std::unique_ptr<Node> FRoot;  // null: the expression cannot be evaluated
    bool FCaseSensitive;
    mutable QString FUpper;
};
QString RemoveBlanksOutsideQuotes(const QString& Text);
// The first character of Chars outside double quotes; code 0 and Pos -1
// when there is none.
QChar FindOperator(const QString& Chars, const QString& Text, int& Pos);
int FindClosingParen(const QString& Text);
