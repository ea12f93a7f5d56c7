#pragma once
// The regional settings numbers, dates and texts are formatted and read with.
//
// One process-wide value, Services().Regional, filled at start from the
// system locale by FormatSettingsFromLocale. Every routine that depends on the
// settings has an overload taking a FormatSettings; the one without reads
// DefaultFormatSettings(). A caller that needs a changed format for one call
// passes a modified copy; nothing changes the process-wide value for a while.
//
// Format letters are the original platform's, read without case: d dd ddd
// dddd, m mm mmm mmmm (m right after h or hh means minutes), yy yyyy, h hh,
// n nn, s ss, z zzz, am/pm, a/p, ampm, "/" and ":" for the separators, text
// in quotes taken literally.

#include "Services.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <array>
#include <memory>

struct FormatSettings {
    QChar DecimalSeparator = u'.';
    QChar ThousandSeparator = u',';
    QChar DateSeparator = u'/';
    QChar TimeSeparator = u':';
    QString ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, d mmmm yyyy");
    QString ShortTimeFormat = QStringLiteral("hh:nn");
    QString LongTimeFormat = QStringLiteral("hh:nn:ss");
    QString TimeAMString = QStringLiteral("AM");
    QString TimePMString = QStringLiteral("PM");
    std::array<QString, 12> ShortMonthNames;  // January first
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames;     // Sunday first
    std::array<QString, 7> LongDayNames;
    int TwoDigitYearCenturyWindow = 50;
    // The locale name string comparison collates with ("en_US").
    QString CollationLocale = QStringLiteral("en_US");
    // The system's decimal separator exactly as it gives it (empty, one
    // character or more); readers that have a fallback of their own apply it.
    QString RawDecimalSeparator = QStringLiteral(".");

    FormatSettings();  // the fixed values, English names
};

// The fixed settings used where the system gives nothing usable.
const FormatSettings& FixedFormatSettings();

// What a locale tells about itself, as Qt gives it (format letters are
// Qt's; names January and Sunday first).
struct LocaleInfo {
    QString Name;
    QString DecimalPoint;
    QString GroupSeparator;
    QString ShortDateFormat;
    QString LongDateFormat;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QString AMText;
    QString PMText;
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames;
    std::array<QString, 7> LongDayNames;
};
LocaleInfo LocaleInfoOf(const QLocale& locale);

// The settings of a locale: separators, the date and time formats converted
// from Qt's letters, names and the collation locale. A field the locale
// cannot give usably (a separator of more than one character, a short date
// format lacking a numeric day, month or year, ...) keeps its fixed value.
FormatSettings FormatSettingsFromLocale(const QLocale& locale);
FormatSettings FormatSettingsFromLocale(const LocaleInfo& info);

// The process-wide settings: Services().Regional, or the fixed settings when
// no settings were installed. The pointer form keeps the value alive for a
// caller that holds it while a test replaces the settings.
std::shared_ptr<const FormatSettings> DefaultFormatSettingsPtr();
FormatSettings DefaultFormatSettings();

// Installs settings for a scope and restores the previous ones afterwards.
class ScopedFormatSettings {
public:
    explicit ScopedFormatSettings(const FormatSettings& fs)
        : FGuard(&PlatformServices::Regional, std::make_shared<const FormatSettings>(fs)) {}

private:
    ScopedService<std::shared_ptr<const FormatSettings>> FGuard;
};
