#include "AdvUtil.h"

#include "CodePages.h"
#include "DateUtils.h"
#include "FormatSettings.h"
#include "SysFormat.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr QChar CR = u'\r';
constexpr QChar LF = u'\n';

int Pos1(const QString& Sub, const QString& Text)
{
    if (Sub.isEmpty())
        return 0;
    return int(Text.indexOf(Sub)) + 1;
}

// Blanks and control characters off both ends, as the platform's Trim does.
QString TrimBlanks(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= 32)
        ++b;
    while (e > b && s[e - 1].unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

// Upper-cased code unit by code unit, so positions and lengths never move.
QString UpperUnits(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        c = c.toUpper();
    return r;
}

bool IsWholeNumber(const QString& s, int& v)
{
    return TryStrToInt(s, v);
}

}  // namespace

// ---- Search and small functions ------------------------------------------

int CharPos(QChar Ch, const QString& Text)
{
    return int(Text.indexOf(Ch)) + 1;
}

int CharPosVar(QChar Ch, const QString& Text, int& Pos)
{
    const int r = CharPos(Ch, Text);
    if (r > 0)
        Pos = r;
    return r;
}

int PosVar(const QString& Sub, const QString& Text, int& Pos)
{
    Pos = Pos1(Sub, Text);
    return Pos;
}

int UpperCasePos(const QString& Sub, const QString& Text)
{
    QString t = Text;
    for (QChar& c : t)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return Pos1(Sub, t);
}

int WidePos(const QString& Sub, const QString& Text)
{
    return Pos1(Sub, Text);
}

int CountChar(QChar Ch, const QString& Text)
{
    return int(Text.count(Ch));
}

QString SplitAtDelimiter(QString& Text, const QString& Delim)
{
    const int p = Pos1(Delim, Text);
    if (p == 0)
        return QString();
    QString part = Text.left(p - 1);
    Text.remove(0, p);
    return part;
}

void FillChars(QString& Text, QChar Ch)
{
    Text.fill(Ch);
}

QString ConcatLines(const QStringList& Lines)
{
    return Lines.join(QString());
}

int MaxInteger(int A, int B) { return A > B ? A : B; }
int MinInteger(int A, int B) { return A < B ? A : B; }

int LimitValue(int Value, int Min, int Max)
{
    if (Min == Max)
        return Value;
    if (Min > 0 && Value < Min)
        Value = Min;
    if (Max > 0 && Value > Max)
        Value = Max;
    return Value;
}

// ---- Quoting ------------------------------------------------------------------

QString DoubleQuoteChars(const QString& Text)
{
    QString r = Text;
    return r.replace(QChar(u'"'), QStringLiteral("\"\""));
}

QString UndoubleChar(QChar Ch, const QString& Text)
{
    if (!Text.contains(Ch))
        return Text;
    QString r = Text;
    return r.replace(QString(2, Ch), QString(Ch));
}

int FindUnpairedChar(QChar Ch, const QString& Text, int& Pos)
{
    const int n = int(Text.size());
    int run = 0;
    int result = 0;
    for (int i = 1; i <= n; ++i) {
        if (Text[i - 1] == Ch) {
            if (i < n) {
                ++run;
            } else {
                result = i;
                break;
            }
        } else if (run % 2 == 1) {
            result = i - 1;
            break;
        } else {
            run = 0;
        }
    }
    Pos = result;
    return result;
}

int CountUnpairedChars(QChar Ch, const QString& Text)
{
    int count = 0;
    QString rest = Text;
    int p = 0;
    while (FindUnpairedChar(Ch, rest, p) > 0) {
        ++count;
        rest.remove(0, p);
    }
    return count;
}

void CRLFToVTQuoted(QString& Text)
{
    Text.replace(QStringLiteral("\r\n"), QString(QChar(11)));
    Text = u'"' + Text + u'"';
}

void VTToCRLF(QString& Text)
{
    if (Text.contains(QChar(11)))
        Text.replace(QChar(11), QStringLiteral("\r\n"));
}

void CRLFToLF(QString& Text)
{
    Text.replace(QStringLiteral("\r\n"), QString(LF));
}

// ---- Single-line forms ------------------------------------------------------

QString EscapeNewlines(const QString& Text)
{
    QString r;
    r.reserve(Text.size());
    for (QChar c : Text) {
        if (c == CR)
            r += QStringLiteral("\\n");
        else if (c != LF)
            r += c;
    }
    return r;
}

QString UnescapeNewlines(const QString& Text)
{
    QString r = Text;
    return r.replace(QStringLiteral("\\n"), QString(CR));
}

void CRLFToTilde(QString& Text)
{
    Text.remove(LF);
    Text.replace(CR, QChar(u'~'));
}

void TildeToCRLF(QString& Text)
{
    Text.replace(QChar(u'~'), QStringLiteral("\r\n"));
    if (Text == QStringLiteral("^"))
        Text.clear();
}

QString EncodeLineBreaks(const QString& Text)
{
    if (!Text.contains(CR))
        return Text;
    QString r;
    r.reserve(Text.size() + 8);
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        if (c == CR) {
            r += QChar(9);
            if (i + 1 >= Text.size() || Text[i + 1] != LF)
                r += QChar(8);  // a lone CR keeps its break
        } else if (c == LF) {
            r += QChar(8);
        } else if (c.unicode() == 0) {
            r += QChar(1);
        } else {
            r += c;
        }
    }
    return r;
}

QString DecodeLineBreaks(const QString& Text, bool MultiLine)
{
    QString r = Text;
    if (r.contains(QChar(8))) {
        for (QChar& c : r) {
            if (c.unicode() == 9)
                c = CR;
            else if (c.unicode() == 8)
                c = LF;
            else if (c.unicode() == 1)
                c = QChar(0);
        }
    }
    if (MultiLine)
        return r;
    QString line;
    ExtractFirstLine(r, false, line);
    return line;
}

void ExtractFirstLine(QString& Text, bool KeepRest, QString& Line)
{
    const qsizetype p = Text.indexOf(CR);
    if (p < 0) {
        Line = Text;
        Text.clear();
        return;
    }
    Line = Text.left(p);
    qsizetype cut = p + 1;
    if (cut < Text.size() && Text[cut] == LF)
        ++cut;
    Text.remove(0, cut);
    if (!KeepRest)
        Text.clear();
}

int LineCountOf(const QString& Text, bool MultiLine)
{
    return MultiLine ? 1 + int(Text.count(CR)) : 1;
}

int LineBreakCount(const QString& Text)
{
    int n = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar ch = Text[i];
        if (ch == CR) {
            ++n;
            if (i + 1 < Text.size() && Text[i + 1] == LF) ++i;
        } else if (ch == LF) {
            ++n;
        }
    }
    return n;
}

QString RemoveCR(const QString& Text)
{
    QString r = Text;
    return r.remove(CR);
}

QString CRToLF(const QString& Text)
{
    QString r = Text;
    return r.replace(CR, LF);
}

QString CRToBRTag(const QString& Text)
{
    if (!Text.contains(CR))
        return Text;
    QString r = Text;
    return r.replace(CR, QStringLiteral("<br>"));
}

// ---- Text kinds and encodings ---------------------------------------------

int GetTextType(const QString& Text, bool AllowHTML)
{
    const QString s = Text + u' ';
    if (s.size() <= 1)
        return 0;
    if (s[0] == u'=')
        return 3;
    if (s.startsWith(QStringLiteral("|\\"))) {
        if (s.size() > 4 && s[3] == u'=' && s[4].unicode() == 0)
            return 3;
        return 5;
    }
    if (s.startsWith(QStringLiteral("{\\")))
        return 2;
    if (AllowHTML && (s.contains(QStringLiteral("</")) || s.contains(QStringLiteral("<B")) ||
                      s.contains(QStringLiteral("<I")) || s.contains(QStringLiteral("<C"))))
        return 1;
    return 0;
}

QString EncodeWideText(const QString& WideText)
{
    QString r = QStringLiteral("|\\");
    r.reserve(2 + 2 * WideText.size());
    for (QChar c : WideText) {
        r += QChar(c.unicode() >> 8);
        r += QChar(c.unicode() & 0xFF);
    }
    return r;
}

QString DecodeWideText(const QString& Text)
{
    if (!Text.startsWith(QStringLiteral("|\\")))
        return Text;
    QString r;
    r.reserve((Text.size() - 2) / 2);
    for (qsizetype i = 2; i + 1 < Text.size(); i += 2)
        r += QChar(char16_t((Text[i].unicode() << 8) + Text[i + 1].unicode()));
    return r;
}

void StrToOem(QString& Text)
{
    Text = AnsiToUnicode(UnicodeToOem(Text));
}

void OemToStr(QString& Text)
{
    Text = OemToUnicode(UnicodeToAnsi(Text));
}

bool IsWordBreakChar(QChar Ch)
{
    return Ch == u' ' || Ch == u'\'' || Ch == u',' || Ch == u'-' || Ch == u'.';
}

QString ToMixedCase(const QString& Text)
{
    QString r = Text;
    const int n = int(r.size());
    bool capital = true;
    for (int i = 1; i <= n; ++i) {
        QChar& c = r[i - 1];
        if (IsWordBreakChar(c)) {
            capital = true;
        } else if (capital) {
            c = c.toUpper();
            capital = false;
        } else {
            c = c.toLower();
        }
        const QStringView done = QStringView(r).left(i);
        const qsizetype mc = done.indexOf(u" Mc");
        if ((i == 2 && done == u"Mc") || (i > 2 && mc >= 0 && mc + 3 == i)) {
            capital = true;
        } else if (i > n - 3) {
            if ((i >= 2 && done.mid(i - 2) == u" I") || (i >= 3 && done.mid(i - 3) == u" II"))
                capital = true;
        }
    }
    return r;
}

bool ParseRCCellRef(const QString& Text, int& X, int& Y)
{
    const QString s = UpperUnits(Text);
    if (s.size() <= 3 || s[0] != u'R')
        return false;
    const qsizetype c = s.indexOf(u'C', 1);
    if (c < 0)
        return false;
    int row = 0, col = 0;
    if (!IsWholeNumber(s.mid(1, c - 1), row) || !IsWholeNumber(s.mid(c + 1), col))
        return false;
    X = col;
    Y = row;
    return true;
}

// ---- URLs and HTML ----------------------------------------------------------

bool IsURL(const QString& Text)
{
    return Text.contains(QStringLiteral("://")) || Text.contains(QStringLiteral("mailto:"));
}

void StripURLScheme(QString& Text)
{
    qsizetype p = Text.indexOf(QStringLiteral("://"));
    if (p >= 0) {
        Text.remove(0, p + 3);
        return;
    }
    p = Text.indexOf(QStringLiteral("mailto:"));
    if (p >= 0)
        Text.remove(0, p + 7);
}

namespace {

bool IsURLChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u > 255)
        return false;
    if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9'))
        return true;
    return QStringView(u"%()-./:\\_{}@").contains(c);
}

}  // namespace

bool LinkifyURL(const QString& Text, const QString& Prefix, QString& Html)
{
    if (!UpperUnits(Text).contains(Prefix))
        return false;
    QString h = Text;
    h.replace(QChar(u'<'), QStringLiteral("&lt;")).replace(QChar(u'>'), QStringLiteral("&gt;"));
    const qsizetype p = UpperUnits(h).indexOf(Prefix);
    if (p < 0)
        return false;
    qsizetype e = p;
    while (e < h.size() && IsURLChar(h[e]))
        ++e;
    const QString url = h.mid(p, e - p);
    Html = h.left(p) + QStringLiteral("<a href=\"") + url + QStringLiteral("\">") + url +
           QStringLiteral("</a>") + h.mid(e);
    return true;
}

QString ColorToHexRGB(int32_t Color)
{
    const uint32_t c = uint32_t(Color);
    return QStringLiteral("%1%2%3")
        .arg(c & 0xFF, 2, 16, QChar(u'0'))
        .arg((c >> 8) & 0xFF, 2, 16, QChar(u'0'))
        .arg((c >> 16) & 0xFF, 2, 16, QChar(u'0'))
        .toUpper();
}

void MakeClipboardHTML(QString& Fragment)
{
    const int l = int(Fragment.size());
    auto field = [](const char* name, int v) {
        return QString::fromLatin1(name) + QStringLiteral("%1").arg(v, 8, 10, QChar(u'0')) +
               QStringLiteral("\r\n");
    };
    const QString header = QStringLiteral("Version:1.0\r\n") + field("StartHTML:", 97) +
                           field("EndHTML:", l + 306) + field("StartFragment:", 274) +
                           field("EndFragment:", l + 274);
    Fragment = header +
               QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">") +
               QStringLiteral("<html><head><META http-equiv=Content-Type content=\"text/html; "
                              "charset=iso-8859-1\"></head><body><!--StartFragment-->") +
               Fragment + QStringLiteral("<!--EndFragment--></body></html>");
}

// ---- Regional settings ------------------------------------------------------

QChar LocaleTimeSeparator() { return DefaultFormatSettingsPtr()->TimeSeparator; }
QChar LocaleDateSeparator() { return DefaultFormatSettingsPtr()->DateSeparator; }
QChar LocaleThousandSeparator() { return DefaultFormatSettingsPtr()->ThousandSeparator; }
QChar LocaleDecimalSeparator() { return DefaultFormatSettingsPtr()->DecimalSeparator; }
QString LocaleShortDateFormat() { return DefaultFormatSettingsPtr()->ShortDateFormat; }
QString LocaleShortTimeFormat() { return DefaultFormatSettingsPtr()->ShortTimeFormat; }
QString LocaleLongTimeFormat() { return DefaultFormatSettingsPtr()->LongTimeFormat; }

// ---- Numbers ----------------------------------------------------------------

namespace {

struct Separators {
    QChar Thousand, Decimal, Date, Time;
    QString ShortDate;
    static Separators Current()
    {
        const auto fs = DefaultFormatSettingsPtr();
        return {fs->ThousandSeparator, fs->DecimalSeparator, fs->DateSeparator, fs->TimeSeparator,
                fs->ShortDateFormat};
    }
};

bool IsNumberCharWith(QChar c, const Separators& s)
{
    return IsDigitChar(c) || c == s.Thousand || c == s.Decimal || c == u'e' || c == u'E';
}

bool IsScientificCharWith(QChar c, const Separators& s)
{
    return IsNumberCharWith(c, s) || c == u'+' || c == u'-';
}

}  // namespace

bool IsDigitChar(QChar Ch) { return Ch.isNumber(); }
bool IsNumberOrMinus(QChar Ch) { return IsDigitChar(Ch) || Ch == u'-'; }
bool IsNumberChar(QChar Ch) { return IsNumberCharWith(Ch, Separators::Current()); }
bool IsNumberTextChar(QChar Ch)
{
    return IsDigitChar(Ch) || Ch == u'-' || Ch == u'.' || Ch == u'e' || Ch == u'E' || Ch == u'+';
}
bool IsScientificChar(QChar Ch) { return IsScientificCharWith(Ch, Separators::Current()); }

int GetNumberType(const QString& Text)
{
    const int n = int(Text.size());
    if (n == 0)
        return 2;
    const Separators s = Separators::Current();
    bool allNumeric = true, expSeen = false, expValid = true, groupValid = true;
    int minus = 0, decimals = 0, lastThousand = 0;
    for (int i = 1; i <= n; ++i) {
        const QChar c = Text[i - 1];
        const bool digit = IsDigitChar(c);
        const bool isE = c == u'e' || c == u'E';
        if ((!digit && c != u'-') || (c == u'-' && i > 1))
            allNumeric = false;
        if (isE) {
            if (expSeen || i == 1)
                expValid = false;
            expSeen = true;
        }
        if (i == n && (c == u'+' || c == u'-' || isE))
            expValid = false;
        if (c == s.Thousand || !IsScientificCharWith(c, s))
            expValid = false;
        if (c == u'-' && i > 1)
            groupValid = false;
        if (!digit && c != u'-' && c != s.Thousand && c != s.Decimal)
            groupValid = false;
        if (c == s.Thousand) {
            if (lastThousand > 0 && i - lastThousand < 4)
                groupValid = false;
            lastThousand = i;
        }
        if (c == u'-')
            ++minus;
        if (c == s.Decimal)
            ++decimals;
    }
    if (allNumeric)
        return 0;
    int result = (groupValid && !expSeen) ? 1 : 2;
    if (expSeen && expValid)
        result = 5;
    // With an exponent the mantissa's and the exponent's sign may both be "-".
    if (minus > (result == 5 ? 2 : 1) || decimals > 1)
        return 2;
    return result;
}

QString ExtractNumberText(const QString& Text)
{
    if (Text.isEmpty())
        return QString();
    const Separators s = Separators::Current();
    QString t = TrimBlanks(Text);
    bool negative = t.startsWith(u'(') && t.endsWith(u')');
    while (t.size() >= 2 && !IsNumberCharWith(t[0], s)) {
        if (t[0] == u'-')
            negative = true;
        t.remove(0, 1);
    }
    QString r;
    for (QChar c : t) {
        if (c == s.Thousand)
            continue;
        if (c == s.Decimal)
            r += u'.';
        else if (IsNumberTextChar(c))
            r += c;
        else
            break;
    }
    return negative ? u'-' + r : r;
}

QString NormalizeNumberText(const QString& Text)
{
    const Separators s = Separators::Current();
    QString r;
    r.reserve(Text.size());
    for (QChar c : Text) {
        if (c.unicode() == 0)
            break;
        if (c == s.Thousand)
            continue;
        r += (c == s.Decimal) ? QChar(u'.') : c;
    }
    return r;
}

// ---- Dates ------------------------------------------------------------------

namespace {

TDateTime ParseDateFields(const QString& Text, bool monthFirst)
{
    QChar sep;
    if (Text.contains(u'/'))
        sep = u'/';
    else if (Text.contains(u'.'))
        sep = u'.';
    else if (Text.contains(u'-'))
        sep = u'-';
    else
        return 0;
    const qsizetype p = Text.indexOf(sep);
    int first = 0, second = 0, year = 0;
    if (!IsWholeNumber(Text.left(p), first))
        return 0;
    const QString rest = Text.mid(p + 1);
    const qsizetype q = rest.indexOf(sep);
    if (q < 0 || !IsWholeNumber(rest.left(q), second) || !IsWholeNumber(rest.mid(q + 1), year))
        return 0;
    // Two-digit years fall into 1926..2025; a longer year is taken as given.
    if (year <= 25)
        year += 2000;
    else if (year < 100)
        year += 1900;
    return monthFirst ? EncodeDate(year, first, second) : EncodeDate(year, second, first);
}

}  // namespace

TDateTime ParseDateMDY(const QString& Text) { return ParseDateFields(Text, true); }
TDateTime ParseDateDMY(const QString& Text) { return ParseDateFields(Text, false); }

bool ParseShortDate(const QString& Text, TDateTime& Value)
{
    const Separators s = Separators::Current();
    const QString fmt = UpperUnits(s.ShortDate);
    // The rank of each field (day, month, year) in the format; a letter the
    // format lacks keeps the day-month-year order.
    qsizetype at[3] = {fmt.indexOf(u'D'), fmt.indexOf(u'M'), fmt.indexOf(u'Y')};
    for (int k = 0; k < 3; ++k)
        if (at[k] < 0)
            at[k] = fmt.size() + k;
    int rank[3];
    for (int k = 0; k < 3; ++k)
        rank[k] = int(at[k] > at[(k + 1) % 3]) + int(at[k] > at[(k + 2) % 3]);

    const qsizetype p = Text.indexOf(s.Date);
    if (p < 0)
        return false;
    const QString rest = Text.mid(p + 1);
    const qsizetype q = rest.indexOf(s.Date);
    if (q < 0)
        return false;
    QString third = TrimBlanks(rest.mid(q + 1));
    QString timeText;
    const qsizetype b = third.indexOf(u' ');
    if (b >= 0) {
        timeText = third.mid(b);
        third.truncate(b);
    }
    int fields[3];
    if (!IsWholeNumber(Text.left(p), fields[0]) || !IsWholeNumber(rest.left(q), fields[1]) ||
        !IsWholeNumber(third, fields[2]))
        return false;
    const int day = fields[rank[0]], month = fields[rank[1]], year = fields[rank[2]];
    if (day > 31 || month > 12)
        return false;

    bool result = true;
    int hour = 0, minute = 0, second = 0;
    if (b >= 0) {
        const qsizetype t = timeText.indexOf(s.Time);
        if (t >= 0) {
            if (!IsWholeNumber(timeText.left(t), hour) || hour > 23)
                return false;
            const QString after = timeText.mid(t + 1);
            const qsizetype u = after.indexOf(s.Time);
            if (!IsWholeNumber(u < 0 ? after : after.left(u), minute) || minute > 59)
                return false;
            if (u >= 0 && (!IsWholeNumber(after.mid(u + 1), second) || second > 60))
                return false;
        } else {
            result = false;  // a time without separator: the date is kept, the answer is no
        }
    }
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, minute, second, 0, time))
        return false;
    Value = date + time;
    return result;
}

bool IsDateText(const QString& Text)
{
    const QChar sep = LocaleDateSeparator();
    const qsizetype p = Text.indexOf(sep);
    if (p < 1)
        return false;
    return Text.indexOf(sep, p + 1) > p + 1;
}

TDateTime IncDatePart(int16_t Years, int16_t Months, int16_t Days, TDateTime Date, TDateTime Amount)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(Date, y, m, d);
    if (Days != 0 && Years == 0 && Months == 0)
        return Date + Days;
    if (Years != 0 && Months == 0 && Days == 0)
        return EncodeDate(y + Years, m, d);
    if (Months != 0 && Years == 0 && Days == 0) {
        int16_t month = int16_t(m + Months);
        if (month == 0) {
            month = 12;
            --y;
        } else if (month > 12) {
            month = int16_t(month - 12);
            ++y;
        }
        return EncodeDate(y, month, d);
    }
    return Date + Amount;
}

// ---- Filter expression matcher ----------------------------------------------
//
// MatchPattern's "*" rule tries the rest of the pattern, with all of its
// rules, against every tail of the value. Done by plain recursion that is
// exponential in the number of "*", so the answers for (position after a run
// of "*", position in the value) are computed once, bottom-up from the last
// run of "*" to the first; each run needs only the column of the run after
// it. The numbers and dates of the value's tails and of the operands are
// read once per matching.

namespace {

constexpr qsizetype MaxOperand = 255;
constexpr int MaxGroupDepth = 1000;

// Blanks, sign, digits with an optional "." fraction, optional exponent:
// what a number cell holds once normalised. No "inf", "nan" or hex.
bool ReadPlainNumber(const QString& s, double& value)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && s[i] == u' ')
        ++i;
    const qsizetype start = i;
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    int digits = 0;
    while (i < n && s[i] >= u'0' && s[i] <= u'9')
        ++i, ++digits;
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && s[i] >= u'0' && s[i] <= u'9')
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-'))
            ++i;
        int expDigits = 0;
        while (i < n && s[i] >= u'0' && s[i] <= u'9')
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    // The form is checked above, so a refusal here is only a range error:
    // too large reads as infinity and too small as zero, and both are
    // still numbers for comparing.
    value = QStringView(s).mid(start).toDouble();
    return true;
}

// How a text compares: as a number, as a date, or by its code units.
struct CompareFacts {
    bool IsNumber = false;
    double Number = 0;
    bool IsDate = false;
    TDateTime Date = 0;
    QString Text;  // at most MaxOperand code units
};

CompareFacts FactsOf(const QString& s)
{
    CompareFacts f;
    f.IsDate = ParseShortDate(s, f.Date);
    f.IsNumber = !f.IsDate && ReadPlainNumber(NormalizeNumberText(s), f.Number);
    f.Text = s.left(MaxOperand);
    return f;
}

int CompareFactsOf(const CompareFacts& v, const CompareFacts& o)
{
    if (v.IsNumber && o.IsNumber)
        return v.Number < o.Number ? -1 : (v.Number > o.Number ? 1 : 0);
    if (v.IsDate && o.IsDate)
        return v.Date < o.Date ? -1 : (v.Date > o.Date ? 1 : 0);
    const int c = QStringView(v.Text).compare(QStringView(o.Text), Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

struct Operand {
    bool OrEqual = false;
    CompareFacts Facts;
};

// The operand after the operator at position at; quotes are counted from
// the start of the operand, the skipped opening ones included.
Operand ReadOperand(QStringView s, qsizetype at)
{
    const bool greater = s[at] == u'>';
    const qsizetype n = s.size();
    Operand op;
    qsizetype i = at + 1;
    if (i < n && s[i] == u'=') {
        op.OrEqual = true;
        ++i;
    }
    while (i < n && s[i] == u' ')
        ++i;
    int quotes = 0;
    while (i < n && s[i] == u'"')
        ++quotes, ++i;
    QString text;
    bool lastTaken = false;  // the previous character was taken (not a blank)
    for (; i < n; ++i) {
        const QChar c = s[i];
        if (c == u' ') {
            if (greater && quotes % 2 == 1 && lastTaken) {
                if (text.size() < MaxOperand)
                    text += c;
                lastTaken = false;
                continue;
            }
            break;
        }
        if (quotes % 2 == 0 && (c == u'&' || c == u'|'))
            break;
        if (c == u'"')
            ++quotes;
        if (text.size() < MaxOperand)
            text += c;
        lastTaken = true;
    }
    if (text.endsWith(u'"'))
        text.chop(1);
    op.Facts = FactsOf(text);
    return op;
}

class PatternMatcher {
public:
    PatternMatcher(const QString& pattern, const QString& value)
        : P(pattern), V(value), NP(pattern.size()), NV(value.size())
    {
        // For each position the next '>', '<', '!', '^' and '&' at or after it.
        const char16_t marks[5] = {u'>', u'<', u'!', u'^', u'&'};
        for (int k = 0; k < 5; ++k) {
            Next[k].assign(size_t(NP + 1), -1);
            for (qsizetype j = NP - 1; j >= 0; --j)
                Next[k][size_t(j)] = P[j] == marks[k] ? j : Next[k][size_t(j + 1)];
        }
        Operands.resize(size_t(NP));
        TailFacts.resize(size_t(NV + 1));
        for (qsizetype j = 0; j < NP;) {
            if (P[j] == u'*') {
                qsizetype e = j;
                while (e < NP && P[e] == u'*')
                    ++e;
                RunStart.push_back(j);
                RunEnd.push_back(e);
                j = e;
            } else {
                ++j;
            }
        }
    }

    bool Match() { return Eval(0, 0, nullptr, true); }

private:
    enum { GT, LT, NOT, CARET, AMP };

    const Operand& OperandAt(qsizetype at)
    {
        auto& slot = Operands[size_t(at)];
        if (!slot)
            slot = std::make_unique<Operand>(ReadOperand(P, at));
        return *slot;
    }

    const CompareFacts& Tail(qsizetype t)
    {
        auto& slot = TailFacts[size_t(t)];
        if (!slot)
            slot = std::make_unique<CompareFacts>(FactsOf(V.mid(t)));
        return *slot;
    }

    // Rules of the comparisons for the pattern from j on and the value from
    // t on: 1 or 0 when they decide, -1 when the wildcard walk decides.
    int Decide(qsizetype j, qsizetype t)
    {
        const qsizetype g = Next[GT][size_t(j)], l = Next[LT][size_t(j)];
        const bool hasNot = Next[NOT][size_t(j)] >= 0;
        if (g < 0 && l < 0 && !hasNot)
            return -1;
        bool gRes = true, lRes = true, gPres = false, lPres = false;
        if (g >= 0) {
            const Operand& o = OperandAt(g);
            const int c = CompareFactsOf(Tail(t), o.Facts);
            gRes = o.OrEqual ? c >= 0 : c > 0;
            gPres = true;
        }
        if (l >= 0) {
            const Operand& o = OperandAt(l);
            const int c = CompareFactsOf(Tail(t), o.Facts);
            lRes = o.OrEqual ? c <= 0 : c < 0;
            lPres = true;
        }
        if (hasNot) {
            gPres = true;
            lPres = true;
        }
        if (Next[CARET][size_t(j)] >= 0 && (gPres || lPres))
            return lRes || gRes;
        if (Next[AMP][size_t(j)] >= 0 && gPres && lPres)
            return lRes && gRes;
        if (g >= 0 && gRes)
            return 1;
        if (l >= 0 && lRes)
            return 1;
        return -1;
    }

    // MatchPattern of the pattern from j on against the value from t on.
    // nextOr[t'] tells whether the pattern after the next run of "*" matches
    // some tail from t' on; at the top level it is computed on demand.
    bool Eval(qsizetype j, qsizetype t, const std::vector<char>* nextOr, bool topLevel)
    {
        const int decided = Decide(j, t);
        if (decided >= 0)
            return decided == 1;
        bool negate = false, match = true;
        qsizetype pi = j, vi = t;
        while (match && !(pi == NP && vi == NV)) {
            if (pi < NP) {
                const QChar c = P[pi];
                if (c == u'!') {
                    negate = true;
                    ++pi;
                    continue;
                }
                if (c == u'"') {
                    ++pi;
                    continue;
                }
                if (c == u'*') {
                    if (topLevel) {
                        FirstRunColumn();
                        nextOr = &Column;
                    }
                    match = (*nextOr)[size_t(vi)] != 0;
                    break;
                }
                if (c == u'?') {
                    match = vi < NV;
                    if (match)
                        ++pi, ++vi;
                    continue;
                }
            }
            match = pi < NP && vi < NV && P[pi] == V[vi];
            if (match)
                ++pi, ++vi;
        }
        return negate ? !match : match;
    }

    // Column = for each t, whether the pattern after the first run of "*"
    // matches some tail of the value from t on.
    void FirstRunColumn()
    {
        std::vector<char> next, cur(size_t(NV + 2), 0);
        for (qsizetype r = qsizetype(RunEnd.size()) - 1; r >= 0; --r) {
            cur.assign(size_t(NV + 2), 0);
            for (qsizetype t = NV; t >= 0; --t)
                cur[size_t(t)] = cur[size_t(t + 1)] || Eval(RunEnd[size_t(r)], t, &next, false);
            next.swap(cur);
        }
        Column.swap(next);
    }

    const QString& P;
    const QString& V;
    const qsizetype NP, NV;
    std::vector<qsizetype> Next[5];
    std::vector<std::unique_ptr<Operand>> Operands;
    std::vector<std::unique_ptr<CompareFacts>> TailFacts;
    std::vector<qsizetype> RunStart, RunEnd;
    std::vector<char> Column;
};

bool IsOperatorChar(QChar c, const QString& chars)
{
    return chars.contains(c);
}

const QString& FilterOperators()
{
    static const QString ops = QStringLiteral("(;^&|");
    return ops;
}

// false in Failed: a "(" without its ")" or groups nested too deep; the
// whole expression then answers false.
bool MatchFilterAt(const QString& Expression, const QString& Value, bool CaseSensitive, int depth,
                   bool& Failed)
{
    if (depth > MaxGroupDepth) {
        Failed = true;
        return false;
    }
    QString e = RemoveBlanksOutsideQuotes(TrimBlanks(Expression));
    if (e.startsWith(u'='))
        e.remove(0, 1);
    bool result = true;
    QChar prev;  // code 0: none yet
    auto combine = [&](bool r) {
        switch (prev.unicode()) {
        case 0: result = r; break;
        case u'&': result = result && r; break;
        case u'(': break;
        default: result = result || r; break;
        }
    };
    for (;;) {
        int pos = 0;
        const QChar op = FindOperator(FilterOperators(), e, pos);
        if (pos < 0)
            break;
        bool r = false;
        if (e.startsWith(u'(')) {
            const int close = FindClosingParen(e);
            if (close == 0) {
                Failed = true;
                return false;
            }
            r = MatchFilterAt(e.mid(1, close - 2), Value, CaseSensitive, depth + 1, Failed);
            if (Failed)
                return false;
            e.remove(0, close);
        } else {
            r = MatchTerm(e.left(pos - 1), Value, CaseSensitive);
            e.remove(0, pos);
        }
        combine(r);
        prev = op;
    }
    combine(MatchTerm(e, Value, CaseSensitive));
    return result;
}

}  // namespace

bool MatchPattern(const QString& Pattern, const QString& Value)
{
    return PatternMatcher(Pattern, Value).Match();
}

bool MatchTerm(const QString& Term, const QString& Value, bool CaseSensitive)
{
    if (CaseSensitive)
        return MatchPattern(Term, Value);
    return MatchPattern(UpperUnits(Term), UpperUnits(Value));
}

bool MatchFilter(const QString& Expression, const QString& Value, bool CaseSensitive)
{
    bool failed = false;
    const bool r = MatchFilterAt(Expression, Value, CaseSensitive, 0, failed);
    return !failed && r;
}

// ---- Prepared filter expression -------------------------------------------
//
// The expression is taken apart exactly as MatchFilterAt does it, once: a
// list of steps, each a term or a group, with the operator that joins it to
// the result so far. Whether the expression fails depends on its text only,
// so a failing one answers false for every value.

struct TFilterMatcher::Node {
    struct Step {
        QChar Prev;                  // code 0: the first step
        std::unique_ptr<Node> Group;  // set for a "(...)" step
        QString Term;                // upper-cased unless case-sensitive
        bool Glob = false;           // only text, "*" and "?" (quotes dropped)
    };
    std::vector<Step> Steps;
};

namespace {

using FilterMatcherStep = TFilterMatcher::Node::Step;

// Without comparison or negation marks the pattern walk is a plain
// wildcard match where quotes are skipped.
void FilterMatcherSetTerm(FilterMatcherStep& s, const QString& Term, bool CaseSensitive)
{
    s.Term = CaseSensitive ? Term : UpperUnits(Term);
    static const QString marks = QStringLiteral("<>!^&");
    s.Glob = std::none_of(s.Term.cbegin(), s.Term.cend(), [](QChar c) { return marks.contains(c); });
    if (s.Glob)
        s.Term.remove(u'"');
}

bool FilterMatcherParse(TFilterMatcher::Node& n, const QString& Expression, bool CaseSensitive, int depth)
{
    if (depth > MaxGroupDepth)
        return false;
    QString e = RemoveBlanksOutsideQuotes(TrimBlanks(Expression));
    if (e.startsWith(u'='))
        e.remove(0, 1);
    QChar prev;
    for (;;) {
        int pos = 0;
        const QChar op = FindOperator(FilterOperators(), e, pos);
        if (pos < 0)
            break;
        FilterMatcherStep s;
        s.Prev = prev;
        if (e.startsWith(u'(')) {
            const int close = FindClosingParen(e);
            if (close == 0)
                return false;
            s.Group = std::make_unique<TFilterMatcher::Node>();
            if (!FilterMatcherParse(*s.Group, e.mid(1, close - 2), CaseSensitive, depth + 1))
                return false;
            e.remove(0, close);
        } else {
            FilterMatcherSetTerm(s, e.left(pos - 1), CaseSensitive);
            e.remove(0, pos);
        }
        n.Steps.push_back(std::move(s));
        prev = op;
    }
    FilterMatcherStep last;
    last.Prev = prev;
    FilterMatcherSetTerm(last, e, CaseSensitive);
    n.Steps.push_back(std::move(last));
    return true;
}

// "*" any run, "?" one code unit, everything else itself; the whole value.
// Greedy with a return to the last "*": linear for a pattern with one "*",
// at most |P|*|V| steps otherwise.
bool FilterMatcherGlob(QStringView p, QStringView v)
{
    qsizetype pi = 0, vi = 0, star = -1, mark = 0;
    const qsizetype np = p.size(), nv = v.size();
    while (vi < nv) {
        if (pi < np && p[pi] == u'*') {
            star = pi++;
            mark = vi;
        } else if (pi < np && (p[pi] == u'?' || p[pi] == v[vi])) {
            ++pi;
            ++vi;
        } else if (star >= 0) {
            pi = star + 1;
            vi = ++mark;
        } else {
            return false;
        }
    }
    while (pi < np && p[pi] == u'*')
        ++pi;
    return pi == np;
}

bool FilterMatcherEval(const TFilterMatcher::Node& n, const QString& Value)
{
    bool result = true;
    for (const FilterMatcherStep& s : n.Steps) {
        bool r;
        if (s.Group)
            r = FilterMatcherEval(*s.Group, Value);
        else if (s.Glob)
            r = FilterMatcherGlob(s.Term, Value);
        else
            r = MatchPattern(s.Term, Value);
        switch (s.Prev.unicode()) {
        case 0: result = r; break;
        case u'&': result = result && r; break;
        case u'(': break;
        default: result = result || r; break;
        }
    }
    return result;
}

}  // namespace

TFilterMatcher::TFilterMatcher(const QString& Expression, bool CaseSensitive)
    : FRoot(std::make_unique<Node>()), FCaseSensitive(CaseSensitive)
{
    if (!FilterMatcherParse(*FRoot, Expression, CaseSensitive, 0))
        FRoot.reset();
}

TFilterMatcher::~TFilterMatcher() = default;
TFilterMatcher::TFilterMatcher(TFilterMatcher&&) noexcept = default;
TFilterMatcher& TFilterMatcher::operator=(TFilterMatcher&&) noexcept = default;

bool TFilterMatcher::Match(const QString& Value) const
{
    if (!FRoot)
        return false;
    if (FCaseSensitive)
        return FilterMatcherEval(*FRoot, Value);
    // UpperUnits into a kept buffer: no allocation once it is large enough.
    FUpper.resize(Value.size());
    QChar* out = FUpper.data();
    for (QChar c : Value)
        *out++ = c.unicode() < 0x80 ? QChar(c.unicode() >= u'a' && c.unicode() <= u'z' ? c.unicode() - 32 : c.unicode())
                                    : c.toUpper();
    return FilterMatcherEval(*FRoot, FUpper);
}

QString RemoveBlanksOutsideQuotes(const QString& Text)
{
    QString r;
    r.reserve(Text.size());
    int quotes = 0;
    for (QChar c : Text) {
        if (c == u'"')
            ++quotes;
        if (c == u' ' && quotes % 2 == 0)
            continue;
        r += c;
    }
    return r;
}

QChar FindOperator(const QString& Chars, const QString& Text, int& Pos)
{
    int quotes = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        if (c == u'"')
            ++quotes;
        else if (quotes % 2 == 0 && IsOperatorChar(c, Chars)) {
            Pos = int(i) + 1;
            return c;
        }
    }
    Pos = -1;
    return QChar(0);
}

int FindClosingParen(const QString& Text)
{
    int open = 0, close = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text[i] == u'(')
            ++open;
        else if (Text[i] == u')') {
            ++close;
            if (open == close)
                return int(i) + 1;
        }
    }
    return 0;
}
