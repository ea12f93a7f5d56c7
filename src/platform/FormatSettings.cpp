#include "FormatSettings.h"

#include <QStringList>
#include <vector>

namespace {

const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
const char* const kDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// One piece of a Qt date or time format: a run of one format letter, or
// literal text.
struct QtToken {
    QChar Letter;   // null for literal text
    int Count = 0;
    QString Text;   // the literal text
};

bool IsQtFormatLetter(QChar c)
{
    return QStringView(u"dMyhHmszaApPt").contains(c);
}

// Invisible direction marks that some locales put beside their separators.
bool IsMark(QChar c)
{
    return c.category() == QChar::Other_Format;
}

std::vector<QtToken> Tokenize(const QString& f)
{
    std::vector<QtToken> out;
    auto literal = [&](QChar c) {
        if (out.empty() || !out.back().Letter.isNull())
            out.push_back(QtToken{});
        out.back().Text += c;
    };
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f[i];
        if (c == u'\'') {
            // Qt quotes with '...'; '' is a literal quote.
            if (i + 1 < f.size() && f[i + 1] == u'\'') {
                literal(c);
                i += 2;
                continue;
            }
            ++i;
            while (i < f.size()) {
                if (f[i] == u'\'') {
                    if (i + 1 < f.size() && f[i + 1] == u'\'') {
                        literal(u'\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal(f[i++]);
            }
            continue;
        }
        if (IsQtFormatLetter(c)) {
            qsizetype k = 1;
            while (i + k < f.size() && f[i + k] == c)
                ++k;
            // "AP" and "ap" are one marker.
            if ((c == u'A' || c == u'a') && i + k < f.size() && (f[i + k] == u'P' || f[i + k] == u'p'))
                ++k;
            if (c == u'p' || c == u'P')
                literal(c);
            else
                out.push_back(QtToken{c, int(k), QString()});
            i += k;
            continue;
        }
        literal(c);
        ++i;
    }
    return out;
}

// The first literal text between two fields, without direction marks: the
// separator the format uses.
QString SeparatorOf(const std::vector<QtToken>& tokens)
{
    for (size_t i = 1; i + 1 < tokens.size(); ++i) {
        if (tokens[i].Letter.isNull() && !tokens[i - 1].Letter.isNull()
            && !tokens[i + 1].Letter.isNull()) {
            QString s;
            for (QChar c : tokens[i].Text)
                if (!IsMark(c))
                    s += c;
            return s;
        }
    }
    return QString();
}

QString QuoteLiteral(const QString& text)
{
    // Letters and the characters with a meaning of their own go in quotes
    // (a run of them in one pair); a double quote goes in single quotes.
    QString out;
    bool open = false;
    for (QChar c : text) {
        const bool quoted = c.isLetter() || c == u'\'' || c == u'/' || c == u':';
        if (quoted != open) {
            out += u'"';
            open = quoted;
        }
        if (c == u'"')
            out += QStringLiteral("'\"'");
        else
            out += c;
    }
    if (open)
        out += u'"';
    return out;
}

// Converts a Qt format to the original platform's letters. Literal text
// equal to sep (after dropping direction marks) becomes sepLetter.
// Reports which fields occur.
QString ConvertFormat(const std::vector<QtToken>& tokens, const QString& sep, QChar sepLetter,
                      QString& fields)
{
    QString out;
    for (const QtToken& t : tokens) {
        if (t.Letter.isNull()) {
            QString bare;
            for (QChar c : t.Text)
                if (!IsMark(c))
                    bare += c;
            if (!sep.isEmpty() && bare == sep)
                out += sepLetter;
            else
                out += QuoteLiteral(t.Text);
            continue;
        }
        const int k = t.Count;
        switch (t.Letter.unicode()) {
        case u'd':
            out += QString(std::min(k, 4), u'd');
            fields += u'd';
            break;
        case u'M':
            out += QString(std::min(k, 4), u'm');
            fields += k <= 2 ? u'M' : u'N';  // N: month as a name
            break;
        case u'y':
            out += k == 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
            fields += u'y';
            break;
        case u'h':
        case u'H':
            out += QString(std::min(k, 2), u'h');
            fields += u'h';
            break;
        case u'm':
            out += QString(std::min(k, 2), u'n');
            fields += u'm';
            break;
        case u's':
            out += QString(std::min(k, 2), u's');
            fields += u's';
            break;
        case u'z':
            out += k >= 3 ? QStringLiteral("zzz") : QStringLiteral("z");
            break;
        case u'a':
        case u'A':
            out += QStringLiteral("ampm");
            break;
        default:  // 't', the time zone: the original's formats have none
            break;
        }
    }
    return out.trimmed();
}

struct Converted {
    QString Format;
    QChar Separator;
    QString Fields;
};

// A Qt date or time format with its separator. A separator of other than
// one character takes the fixed one, and the format then writes the fixed
// one in its place so that format and separator agree.
Converted ConvertWithSeparator(const QString& qtFormat, QChar sepLetter, QChar fixedSep)
{
    const auto tokens = Tokenize(qtFormat);
    const QString sep = SeparatorOf(tokens);
    Converted c;
    c.Separator = sep.size() == 1 ? sep[0] : fixedSep;
    c.Format = ConvertFormat(tokens, sep, sepLetter, c.Fields);
    return c;
}

bool HasAll(const QString& fields, const char* need)
{
    for (const char* p = need; *p; ++p)
        if (!fields.contains(QLatin1Char(*p)))
            return false;
    return true;
}

QChar SingleOr(const QString& s, QChar fixed)
{
    return s.size() == 1 ? s[0] : fixed;
}

QString NonEmptyOr(const QString& s, const QString& fixed)
{
    return s.isEmpty() ? fixed : s;
}

}  // namespace

FormatSettings::FormatSettings()
{
    for (int i = 0; i < 12; ++i) {
        LongMonthNames[i] = QString::fromLatin1(kMonths[i]);
        ShortMonthNames[i] = LongMonthNames[i].left(3);
    }
    for (int i = 0; i < 7; ++i) {
        LongDayNames[i] = QString::fromLatin1(kDays[i]);
        ShortDayNames[i] = LongDayNames[i].left(3);
    }
}

const FormatSettings& FixedFormatSettings()
{
    static const FormatSettings fixed;
    return fixed;
}

LocaleInfo LocaleInfoOf(const QLocale& locale)
{
    LocaleInfo info;
    info.Name = locale.language() == QLocale::C ? QString() : locale.name();
    info.DecimalPoint = locale.decimalPoint();
    info.GroupSeparator = locale.groupSeparator();
    info.ShortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    info.LongDateFormat = locale.dateFormat(QLocale::LongFormat);
    info.ShortTimeFormat = locale.timeFormat(QLocale::ShortFormat);
    info.LongTimeFormat = locale.timeFormat(QLocale::LongFormat);
    info.AMText = locale.amText();
    info.PMText = locale.pmText();
    for (int i = 0; i < 12; ++i) {
        info.LongMonthNames[i] = locale.monthName(i + 1, QLocale::LongFormat);
        info.ShortMonthNames[i] = locale.monthName(i + 1, QLocale::ShortFormat);
    }
    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i;  // Qt counts from Monday = 1
        info.LongDayNames[i] = locale.dayName(qtDay, QLocale::LongFormat);
        info.ShortDayNames[i] = locale.dayName(qtDay, QLocale::ShortFormat);
    }
    return info;
}

FormatSettings FormatSettingsFromLocale(const QLocale& locale)
{
    return FormatSettingsFromLocale(LocaleInfoOf(locale));
}

FormatSettings FormatSettingsFromLocale(const LocaleInfo& info)
{
    FormatSettings fs;  // starts with the fixed values
    const FormatSettings& fixed = FixedFormatSettings();

    fs.RawDecimalSeparator = info.DecimalPoint;
    fs.DecimalSeparator = SingleOr(info.DecimalPoint, fixed.DecimalSeparator);
    fs.ThousandSeparator = SingleOr(info.GroupSeparator, fixed.ThousandSeparator);

    // The short date must be readable back: numeric day, month and year.
    const Converted shortDate = ConvertWithSeparator(info.ShortDateFormat, u'/', fixed.DateSeparator);
    if (HasAll(shortDate.Fields, "dMy") && !shortDate.Fields.contains(u'N')) {
        fs.ShortDateFormat = shortDate.Format;
        fs.DateSeparator = shortDate.Separator;
    }
    QString longDateFields;
    const QString longDate =
        ConvertFormat(Tokenize(info.LongDateFormat), fs.DateSeparator, u'/', longDateFields);
    if (HasAll(longDateFields, "dy") && (longDateFields.contains(u'M') || longDateFields.contains(u'N')))
        fs.LongDateFormat = longDate;

    const Converted shortTime = ConvertWithSeparator(info.ShortTimeFormat, u':', fixed.TimeSeparator);
    if (HasAll(shortTime.Fields, "hm")) {
        fs.ShortTimeFormat = shortTime.Format;
        fs.TimeSeparator = shortTime.Separator;
    }
    QString longTimeFields;
    const QString longTime =
        ConvertFormat(Tokenize(info.LongTimeFormat), fs.TimeSeparator, u':', longTimeFields);
    if (HasAll(longTimeFields, "hms"))
        fs.LongTimeFormat = longTime;

    fs.TimeAMString = NonEmptyOr(info.AMText, fixed.TimeAMString);
    fs.TimePMString = NonEmptyOr(info.PMText, fixed.TimePMString);
    for (int i = 0; i < 12; ++i) {
        fs.LongMonthNames[i] = NonEmptyOr(info.LongMonthNames[i], fixed.LongMonthNames[i]);
        fs.ShortMonthNames[i] = NonEmptyOr(info.ShortMonthNames[i], fixed.ShortMonthNames[i]);
    }
    for (int i = 0; i < 7; ++i) {
        fs.LongDayNames[i] = NonEmptyOr(info.LongDayNames[i], fixed.LongDayNames[i]);
        fs.ShortDayNames[i] = NonEmptyOr(info.ShortDayNames[i], fixed.ShortDayNames[i]);
    }
    fs.CollationLocale = NonEmptyOr(info.Name, fixed.CollationLocale);
    return fs;
}

std::shared_ptr<const FormatSettings> DefaultFormatSettingsPtr()
{
    std::shared_ptr<const FormatSettings> p = Services().Regional;
    if (p)
        return p;
    // A non-owning pointer to the fixed settings, which live for the process.
    return std::shared_ptr<const FormatSettings>(std::shared_ptr<const FormatSettings>(),
                                                 &FixedFormatSettings());
}

FormatSettings DefaultFormatSettings()
{
    return *DefaultFormatSettingsPtr();
}
