#include "DateUtils.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const kInvalidDate = "Invalid argument to date encode";
const char* const kInvalidTime = "Invalid argument to time encode";
const char* const kNotADate = "'%1' is not a valid date";
const char* const kNotATime = "'%1' is not a valid time";
const char* const kNotADateTime = "'%1' is not a valid date and time";

// Day 0 of TDateTime (1899-12-30) counted from 1970-01-01.
constexpr int64_t kUnixDayOfZero = -25569;
// TDateTime of 0001-01-01 and of 9999-12-31.
constexpr double kMinDate = -693593;
constexpr double kMaxDate = 2958465;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's method).
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

// Splits a value into whole days and milliseconds of the day, with the
// original's sign rule: the integral part counts days and the fraction's
// absolute value is the time. A time rounding up to 24:00 carries into the
// next day.
void SplitValue(TDateTime value, int64_t& days, int64_t& ms)
{
    if (!std::isfinite(value) || value < kMinDate - 1 || value > kMaxDate + 1) {
        days = 0;
        ms = 0;
        return;
    }
    const double whole = std::trunc(value);
    days = int64_t(whole);
    ms = std::llround(std::fabs(value - whole) * double(MSecsPerDay));
    if (ms >= MSecsPerDay) {
        ms -= MSecsPerDay;
        ++days;
    }
}

// The time fraction of a value as a positive fraction of a day.
TDateTime TimeOf(TDateTime value)
{
    int64_t days, ms;
    SplitValue(value, days, ms);
    return double(ms) / double(MSecsPerDay);
}

[[noreturn]] void RaiseConvert(const char* fmt, const QString& text = QString())
{
    QString msg = QString::fromLatin1(fmt);
    if (msg.contains(QLatin1String("%1")))
        msg = msg.arg(text);
    throw EConvertError(msg);
}

// ---- formatting -----------------------------------------------------------

QString Pad(int value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

bool MatchesAt(const QString& s, qsizetype i, QLatin1String word)
{
    return s.mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

// Whether the format, outside quoted text, has an AM/PM marker:
// then hours are shown on the 12-hour clock.
bool Uses12Hour(const QString& f)
{
    QChar quote;
    for (qsizetype i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'a' || c == u'A') {
            if (MatchesAt(f, i, QLatin1String("am/pm")) || MatchesAt(f, i, QLatin1String("a/p"))
                || MatchesAt(f, i, QLatin1String("ampm")))
                return true;
        }
    }
    return false;
}

struct DateParts {
    int Year, Month, Day, Hour, Min, Sec, MSec, WeekDay;
    bool HasTime;
};

void AppendFormatted(QString& out, const QString& f, const DateParts& p,
                     const FormatSettings& fs, int depth)
{
    // Nested formats (c, ddddd, t, ...) inside the settings' own formats stop
    // after one level so that a format naming itself cannot recurse.
    if (depth > 1)
        return;
    QChar lastToken;
    qsizetype i = 0;
    const qsizetype n = f.size();
    auto count = [&](QChar letter) {
        qsizetype k = 1;
        while (i + k < n && f[i + k].toUpper() == letter)
            ++k;
        return int(k);
    };
    while (i < n) {
        const QChar c = f[i];
        QChar token = c.toUpper();
        const bool letter = token >= u'A' && token <= u'Z';
        if (letter) {
            if (token == u'M' && lastToken == u'H')
                token = u'N';
            lastToken = token;
        }
        switch (token.unicode()) {
        case u'Y': {
            const int k = count(c.toUpper());
            out += k <= 2 ? Pad(p.Year % 100, 2) : Pad(p.Year, 4);
            i += k;
            break;
        }
        case u'M': {
            const int k = count(u'M');
            if (k == 1) out += QString::number(p.Month);
            else if (k == 2) out += Pad(p.Month, 2);
            else if (k == 3) out += fs.ShortMonthNames[p.Month - 1];
            else out += fs.LongMonthNames[p.Month - 1];
            i += k;
            break;
        }
        case u'D': {
            const int k = count(u'D');
            if (k == 1) out += QString::number(p.Day);
            else if (k == 2) out += Pad(p.Day, 2);
            else if (k == 3) out += fs.ShortDayNames[p.WeekDay - 1];
            else if (k == 4) out += fs.LongDayNames[p.WeekDay - 1];
            else if (k == 5) AppendFormatted(out, fs.ShortDateFormat, p, fs, depth + 1);
            else AppendFormatted(out, fs.LongDateFormat, p, fs, depth + 1);
            i += k;
            break;
        }
        case u'H': {
            const int k = count(u'H');
            int h = p.Hour;
            if (Uses12Hour(f)) {
                h %= 12;
                if (h == 0) h = 12;
            }
            out += k == 1 ? QString::number(h) : Pad(h, 2);
            i += k;
            break;
        }
        case u'N': {
            // "m" after "h" lands here too: count the letter actually written.
            const int k = count(c.toUpper());
            out += k == 1 ? QString::number(p.Min) : Pad(p.Min, 2);
            i += k;
            break;
        }
        case u'S': {
            const int k = count(u'S');
            out += k == 1 ? QString::number(p.Sec) : Pad(p.Sec, 2);
            i += k;
            break;
        }
        case u'Z': {
            const int k = count(u'Z');
            out += k <= 2 ? QString::number(p.MSec) : Pad(p.MSec, 3);
            i += k;
            break;
        }
        case u'T': {
            const int k = count(u'T');
            AppendFormatted(out, k == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, p, fs, depth + 1);
            i += k;
            break;
        }
        case u'C': {
            AppendFormatted(out, fs.ShortDateFormat, p, fs, depth + 1);
            if (p.HasTime) {
                out += u' ';
                AppendFormatted(out, fs.LongTimeFormat, p, fs, depth + 1);
            }
            i += count(u'C');
            break;
        }
        case u'A': {
            const bool pm = p.Hour >= 12;
            if (MatchesAt(f, i, QLatin1String("am/pm"))) {
                out += f.mid(pm ? i + 3 : i, 2);
                i += 5;
            } else if (MatchesAt(f, i, QLatin1String("a/p"))) {
                out += f[pm ? i + 2 : i];
                i += 3;
            } else if (MatchesAt(f, i, QLatin1String("ampm"))) {
                out += pm ? fs.TimePMString : fs.TimeAMString;
                i += 4;
            } else {
                out += c;
                ++i;
            }
            break;
        }
        case u'/':
            if (!fs.DateSeparator.isNull())
                out += fs.DateSeparator;
            ++i;
            break;
        case u':':
            if (!fs.TimeSeparator.isNull())
                out += fs.TimeSeparator;
            ++i;
            break;
        case u'"':
        case u'\'': {
            const qsizetype end = f.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? n : end;
            out += QStringView(f).mid(i + 1, stop - i - 1);
            i = end < 0 ? n : end + 1;
            break;
        }
        default:
            out += c;
            ++i;
            break;
        }
    }
}

// ---- reading ---------------------------------------------------------------

// A cursor over the text being read.
struct Scanner {
    const QString& S;
    qsizetype Pos = 0;

    void SkipBlanks()
    {
        while (Pos < S.size() && S[Pos] == u' ')
            ++Pos;
    }
    bool AtEnd() const { return Pos >= S.size(); }
    bool Char(QChar c)
    {
        SkipBlanks();
        if (Pos < S.size() && S[Pos] == c) {
            ++Pos;
            return true;
        }
        return false;
    }
    // Decimal digits; the number of digits read goes to len. At most nine
    // digits are taken, so the value cannot overflow.
    bool Number(int& value, int& len)
    {
        SkipBlanks();
        value = 0;
        len = 0;
        while (Pos < S.size() && S[Pos] >= u'0' && S[Pos] <= u'9') {
            if (len == 9)
                return false;
            value = value * 10 + (S[Pos].unicode() - u'0');
            ++len;
            ++Pos;
        }
        return len > 0;
    }
    bool Word(const QString& w)
    {
        SkipBlanks();
        if (w.isEmpty() || S.mid(Pos, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        Pos += w.size();
        return true;
    }
};

enum DateField { FieldDay, FieldMonth, FieldYear };

// The order of day, month and year in a short date format, by the first
// appearance of each letter outside quoted text.
void DateOrder(const QString& format, DateField order[3])
{
    qsizetype pos[3] = {-1, -1, -1};
    QChar quote;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        const QChar u = c.toUpper();
        const int f = u == u'D' ? FieldDay : u == u'M' ? FieldMonth : u == u'Y' ? FieldYear : -1;
        if (f >= 0 && pos[f] < 0)
            pos[f] = i;
    }
    // A format without a field puts it last; with none at all, day month year.
    DateField fields[3] = {FieldDay, FieldMonth, FieldYear};
    for (auto& p : pos)
        if (p < 0) p = format.size() + 1;
    std::stable_sort(fields, fields + 3, [&](DateField a, DateField b) { return pos[a] < pos[b]; });
    std::copy(fields, fields + 3, order);
}

bool ScanDate(Scanner& sc, TDateTime& value, const FormatSettings& fs)
{
    int numbers[3], lens[3];
    int count = 0;
    if (!sc.Number(numbers[0], lens[0]))
        return false;
    count = 1;
    while (count < 3 && sc.Char(fs.DateSeparator)) {
        if (!sc.Number(numbers[count], lens[count]))
            return false;
        ++count;
    }
    if (count < 2)
        return false;

    DateField order[3];
    DateOrder(fs.ShortDateFormat, order);
    int y = 0, m = 0, d = 0, yearLen = 4;
    int k = 0;
    for (DateField f : order) {
        if (count == 2 && f == FieldYear)
            continue;
        if (f == FieldDay) d = numbers[k];
        else if (f == FieldMonth) m = numbers[k];
        else { y = numbers[k]; yearLen = lens[k]; }
        ++k;
    }
    // The clock only for a missing or two-digit year: dates are read in bulk.
    auto currentYear = [] {
        int year = 0, cm = 0, cd = 0;
        DecodeDate(Date(), year, cm, cd);
        return year;
    };
    if (count == 2) {
        y = currentYear();
    } else if (y <= 99 && yearLen <= 2) {
        const int current = currentYear();
        const int window = fs.TwoDigitYearCenturyWindow;
        const int start = current - window;
        y += start / 100 * 100;
        if (window > 0 && y < start)
            y += 100;
    }
    return TryEncodeDate(y, m, d, value);
}

bool ScanTime(Scanner& sc, TDateTime& value, const FormatSettings& fs)
{
    int h = 0, n = 0, s = 0, ms = 0, len = 0;
    if (!sc.Number(h, len))
        return false;
    if (sc.Char(fs.TimeSeparator)) {
        if (!sc.Number(n, len))
            return false;
        if (sc.Char(fs.TimeSeparator)) {
            if (!sc.Number(s, len))
                return false;
            if (sc.Char(fs.DecimalSeparator) || sc.Char(fs.TimeSeparator)) {
                if (!sc.Number(ms, len))
                    return false;
            }
        }
    }
    int baseHour = -1;
    if (sc.Word(fs.TimeAMString) || sc.Word(QStringLiteral("AM")))
        baseHour = 0;
    else if (sc.Word(fs.TimePMString) || sc.Word(QStringLiteral("PM")))
        baseHour = 12;
    if (baseHour >= 0) {
        if (h > 12)
            return false;
        if (h == 12)
            h = 0;
        h += baseHour;
    }
    return TryEncodeTime(h, n, s, ms, value);
}

bool ScanEnd(Scanner& sc)
{
    sc.SkipBlanks();
    return sc.AtEnd();
}

}  // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0) && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1
        || day > DaysInMonth(year, month))
        return false;
    result = double(DaysFromCivil(year, month, day) - kUnixDayOfZero);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime r;
    if (!TryEncodeDate(year, month, day, r))
        RaiseConvert(kInvalidDate);
    return r;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0
        || msec > 999)
        return false;
    result = double(((int64_t(hour) * 60 + min) * 60 + sec) * 1000 + msec) / double(MSecsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime r;
    if (!TryEncodeTime(hour, min, sec, msec, r))
        RaiseConvert(kInvalidTime);
    return r;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time)
{
    const double d = std::trunc(date);
    const double t = std::fabs(time - std::trunc(time));
    return d < 0 ? d - t : d + t;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    int64_t days, ms;
    SplitValue(value, days, ms);
    CivilFromDays(days + kUnixDayOfZero, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec)
{
    int64_t days, ms;
    SplitValue(value, days, ms);
    hour = int(ms / 3600000);
    min = int(ms / 60000 % 60);
    sec = int(ms / 1000 % 60);
    msec = int(ms % 1000);
}

int DayOfWeek(TDateTime value)
{
    int64_t days, ms;
    SplitValue(value, days, ms);
    // Day 0 was a Saturday.
    return int(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime IncMonth(TDateTime value, int months)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    const int64_t total = int64_t(y) * 12 + (m - 1) + months;
    const int64_t ny = total >= 0 ? total / 12 : (total - 11) / 12;
    const int nm = int(total - ny * 12) + 1;
    if (ny < 1 || ny > 9999)
        RaiseConvert(kInvalidDate);
    const int nd = std::min(d, DaysInMonth(int(ny), nm));
    return ComposeDateTime(EncodeDate(int(ny), nm, nd), TimeOf(value));
}

TDateTime AddYears(TDateTime value, int years)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    const int64_t ny = int64_t(y) + years;
    if (ny < 1 || ny > 9999)
        RaiseConvert(kInvalidDate);
    return ComposeDateTime(EncodeDate(int(ny), m, d), TimeOf(value));
}

QString FormatDateTime(const QString& format, TDateTime value)
{
    return FormatDateTime(format, value, *DefaultFormatSettingsPtr());
}

QString FormatDateTime(const QString& format, TDateTime value, const FormatSettings& fs)
{
    DateParts p;
    DecodeDate(value, p.Year, p.Month, p.Day);
    DecodeTime(value, p.Hour, p.Min, p.Sec, p.MSec);
    p.WeekDay = DayOfWeek(value);
    p.HasTime = p.Hour || p.Min || p.Sec || p.MSec;
    QString out;
    AppendFormatted(out, format.isEmpty() ? QStringLiteral("c") : format, p, fs, 0);
    return out;
}

QString DateToStr(TDateTime value) { return DateToStr(value, *DefaultFormatSettingsPtr()); }
QString DateToStr(TDateTime value, const FormatSettings& fs)
{
    return FormatDateTime(QStringLiteral("ddddd"), value, fs);
}

QString TimeToStr(TDateTime value) { return TimeToStr(value, *DefaultFormatSettingsPtr()); }
QString TimeToStr(TDateTime value, const FormatSettings& fs)
{
    return FormatDateTime(QStringLiteral("tt"), value, fs);
}

QString DateTimeToStr(TDateTime value) { return DateTimeToStr(value, *DefaultFormatSettingsPtr()); }
QString DateTimeToStr(TDateTime value, const FormatSettings& fs)
{
    return FormatDateTime(QStringLiteral("c"), value, fs);
}

namespace {

using TryRead = bool (*)(const QString&, TDateTime&, const FormatSettings&);

// The whole text read by one scanner, blanks around allowed; the value is
// left alone when the text does not read.
bool ReadWhole(bool (*scan)(Scanner&, TDateTime&, const FormatSettings&), const QString& text,
               TDateTime& value, const FormatSettings& fs)
{
    Scanner sc{text};
    TDateTime v;
    if (!scan(sc, v, fs) || !ScanEnd(sc))
        return false;
    value = v;
    return true;
}

TDateTime ReadOrRaise(TryRead read, const QString& text, const FormatSettings& fs, const char* msg)
{
    TDateTime v;
    if (!read(text, v, fs))
        RaiseConvert(msg, text);
    return v;
}

}  // namespace

bool TryStrToDate(const QString& text, TDateTime& value)
{
    return TryStrToDate(text, value, *DefaultFormatSettingsPtr());
}

bool TryStrToDate(const QString& text, TDateTime& value, const FormatSettings& fs)
{
    return ReadWhole(ScanDate, text, value, fs);
}

TDateTime StrToDate(const QString& text) { return StrToDate(text, *DefaultFormatSettingsPtr()); }
TDateTime StrToDate(const QString& text, const FormatSettings& fs)
{
    return ReadOrRaise(TryStrToDate, text, fs, kNotADate);
}

bool TryStrToTime(const QString& text, TDateTime& value)
{
    return TryStrToTime(text, value, *DefaultFormatSettingsPtr());
}

bool TryStrToTime(const QString& text, TDateTime& value, const FormatSettings& fs)
{
    return ReadWhole(ScanTime, text, value, fs);
}

TDateTime StrToTime(const QString& text) { return StrToTime(text, *DefaultFormatSettingsPtr()); }
TDateTime StrToTime(const QString& text, const FormatSettings& fs)
{
    return ReadOrRaise(TryStrToTime, text, fs, kNotATime);
}

bool TryStrToDateTime(const QString& text, TDateTime& value)
{
    return TryStrToDateTime(text, value, *DefaultFormatSettingsPtr());
}

bool TryStrToDateTime(const QString& text, TDateTime& value, const FormatSettings& fs)
{
    if (text.contains(fs.TimeSeparator) && !text.contains(fs.DateSeparator))
        return TryStrToTime(text, value, fs);
    Scanner sc{text};
    TDateTime date, time = 0;
    if (!ScanDate(sc, date, fs))
        return false;
    if (!ScanEnd(sc)) {
        if (!ScanTime(sc, time, fs) || !ScanEnd(sc))
            return false;
    }
    value = ComposeDateTime(date, time);
    return true;
}

TDateTime StrToDateTime(const QString& text)
{
    return StrToDateTime(text, *DefaultFormatSettingsPtr());
}

TDateTime StrToDateTime(const QString& text, const FormatSettings& fs)
{
    return ReadOrRaise(TryStrToDateTime, text, fs, kNotADateTime);
}
