#include "Clock.h"
#include "DateUtils.h"
#include "FormatSettings.h"
#include "SysStrings.h"

#include <gtest/gtest.h>
#include <functional>

TEST(FormatSettings, FromLocale)
{
    struct Case {
        const char* locale;
        char16_t decimal, thousand, dateSep, timeSep;
        const char* shortDate;
        const char* shortTime;
    } cases[] = {
        {"en_US", u'.', u',', u'/', u':', "m/d/yy", "h:nn ampm"},
        {"de_DE", u',', u'.', u'.', u':', "dd/mm/yy", "hh:nn"},
        {"it_IT", u',', u'.', u'/', u':', "dd/mm/yy", "hh:nn"},
        {"ja_JP", u'.', u',', u'/', u':', "yyyy/mm/dd", "h:nn"},
        // The direction marks beside the separators go with them.
        {"ar_SA", u'\u066B', u'\u066C', u'/', u':', "d/m/yyyy", "h:nn ampm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        const FormatSettings fs = FormatSettingsFromLocale(QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(fs.DecimalSeparator, QChar(c.decimal));
        EXPECT_EQ(fs.ThousandSeparator, QChar(c.thousand));
        EXPECT_EQ(fs.DateSeparator, QChar(c.dateSep));
        EXPECT_EQ(fs.TimeSeparator, QChar(c.timeSep));
        EXPECT_EQ(fs.ShortDateFormat, QString::fromUtf8(c.shortDate));
        EXPECT_EQ(fs.ShortTimeFormat, QString::fromUtf8(c.shortTime));
        EXPECT_EQ(fs.CollationLocale, QString::fromLatin1(c.locale));
        EXPECT_EQ(fs.TwoDigitYearCenturyWindow, 50);
    }
    const FormatSettings de = FormatSettingsFromLocale(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(de.LongMonthNames[2], QStringLiteral("März"));
    EXPECT_EQ(de.LongDayNames[0], QStringLiteral("Sonntag"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("ddddd"), EncodeDate(2024, 3, 5), de), QStringLiteral("05.03.24"));
    EXPECT_EQ(StrToDate(QStringLiteral("5.3.2024"), de), EncodeDate(2024, 3, 5));
}

TEST(FormatSettings, UnusableFieldsTakeTheFixedValues)
{
    // The C locale's short date names the month ("d MMM yyyy"), which cannot
    // be read back: the fixed short date and separator stand instead.
    const FormatSettings c = FormatSettingsFromLocale(QLocale::c());
    const FormatSettings& fixed = FixedFormatSettings();
    EXPECT_EQ(c.ShortDateFormat, fixed.ShortDateFormat);
    EXPECT_EQ(c.DateSeparator, fixed.DateSeparator);
    EXPECT_EQ(c.CollationLocale, QStringLiteral("en_US"));

    EXPECT_EQ(fixed.ShortDateFormat, QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(fixed.LongDateFormat, QStringLiteral("dddd, d mmmm yyyy"));
    EXPECT_EQ(fixed.ShortTimeFormat, QStringLiteral("hh:nn"));
    EXPECT_EQ(fixed.LongTimeFormat, QStringLiteral("hh:nn:ss"));
    EXPECT_EQ(fixed.TimeAMString, QStringLiteral("AM"));
    EXPECT_EQ(fixed.ShortMonthNames[0], QStringLiteral("Jan"));
    EXPECT_EQ(fixed.LongDayNames[6], QStringLiteral("Saturday"));
}

TEST(FormatSettings, UnusableLocaleFieldsTable)
{
    // Each row spoils one thing a locale tells; only that field falls back.
    const LocaleInfo base = LocaleInfoOf(QLocale(QStringLiteral("de_DE")));
    const FormatSettings good = FormatSettingsFromLocale(base);
    const FormatSettings& fixed = FixedFormatSettings();
    struct Case {
        const char* what;
        std::function<void(LocaleInfo&)> spoil;
        std::function<void(const FormatSettings&)> check;
    } cases[] = {
        {"short date without year", [](LocaleInfo& i) { i.ShortDateFormat = QStringLiteral("dd.MM."); },
         [&](const FormatSettings& fs) {
             EXPECT_EQ(fs.ShortDateFormat, fixed.ShortDateFormat);
             EXPECT_EQ(fs.DateSeparator, fixed.DateSeparator);
         }},
        {"short date with a month name", [](LocaleInfo& i) { i.ShortDateFormat = QStringLiteral("d MMM yyyy"); },
         [&](const FormatSettings& fs) { EXPECT_EQ(fs.ShortDateFormat, fixed.ShortDateFormat); }},
        {"two-character date separator", [](LocaleInfo& i) { i.ShortDateFormat = QStringLiteral("d. M. yyyy"); },
         [&](const FormatSettings& fs) {
             EXPECT_EQ(fs.DateSeparator, fixed.DateSeparator);
             EXPECT_EQ(fs.ShortDateFormat, QStringLiteral("d/m/yyyy"));
         }},
        {"quoted text", [](LocaleInfo& i) { i.LongDateFormat = QStringLiteral("d 'de' MMMM 'de' yyyy"); },
         [&](const FormatSettings& fs) { EXPECT_EQ(fs.LongDateFormat, QStringLiteral("d \"de\" mmmm \"de\" yyyy")); }},
        {"empty decimal point", [](LocaleInfo& i) { i.DecimalPoint.clear(); },
         [&](const FormatSettings& fs) {
             EXPECT_EQ(fs.DecimalSeparator, fixed.DecimalSeparator);
             EXPECT_EQ(fs.RawDecimalSeparator, QString());
         }},
        {"two-character decimal point", [](LocaleInfo& i) { i.DecimalPoint = QStringLiteral(",,"); },
         [&](const FormatSettings& fs) {
             EXPECT_EQ(fs.DecimalSeparator, fixed.DecimalSeparator);
             EXPECT_EQ(fs.RawDecimalSeparator, QStringLiteral(",,"));
         }},
        {"two-character thousand separator", [](LocaleInfo& i) { i.GroupSeparator = QStringLiteral(". "); },
         [&](const FormatSettings& fs) { EXPECT_EQ(fs.ThousandSeparator, fixed.ThousandSeparator); }},
        {"short time without minutes", [](LocaleInfo& i) { i.ShortTimeFormat = QStringLiteral("HH"); },
         [&](const FormatSettings& fs) {
             EXPECT_EQ(fs.ShortTimeFormat, fixed.ShortTimeFormat);
             EXPECT_EQ(fs.TimeSeparator, fixed.TimeSeparator);
         }},
        {"no AM text and no names", [](LocaleInfo& i) { i.AMText.clear(); i.LongMonthNames[0].clear(); },
         [&](const FormatSettings& fs) {
             EXPECT_EQ(fs.TimeAMString, QStringLiteral("AM"));
             EXPECT_EQ(fs.LongMonthNames[0], QStringLiteral("January"));
             EXPECT_EQ(fs.LongMonthNames[1], good.LongMonthNames[1]);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LocaleInfo info = base;
        c.spoil(info);
        const FormatSettings fs = FormatSettingsFromLocale(info);
        c.check(fs);
        // The fields the row did not spoil keep the locale's values.
        EXPECT_EQ(fs.LongTimeFormat, good.LongTimeFormat);
    }
    EXPECT_EQ(good.RawDecimalSeparator, QStringLiteral(","));
    EXPECT_EQ(good.DecimalSeparator, u',');
}

TEST(FormatSettings, ScopedOverrideRestoresThePrevious)
{
    FormatSettings outer;
    outer.DecimalSeparator = u';';
    ScopedFormatSettings a(outer);
    {
        FormatSettings inner;
        inner.DecimalSeparator = u',';
        inner.RawDecimalSeparator = QString();
        ScopedFormatSettings b(inner);
        EXPECT_EQ(DefaultFormatSettings().DecimalSeparator, u',');
        EXPECT_TRUE(DefaultFormatSettings().RawDecimalSeparator.isEmpty());
    }
    EXPECT_EQ(DefaultFormatSettings().DecimalSeparator, u';');
}

TEST(FormatSettings, EmptySlotGivesTheFixedSettings)
{
    ScopedService<std::shared_ptr<const FormatSettings>> none(&PlatformServices::Regional, nullptr);
    EXPECT_EQ(DefaultFormatSettings().ShortDateFormat, QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(DefaultFormatSettings().DecimalSeparator, u'.');
}

TEST(Clock, TestClockRunsOnlyWhenTold)
{
    auto clock = std::make_shared<TestClock>(EncodeDate(2024, 3, 5) + 0.5, 0xFFFFFF00u);
    ScopedService guard(&PlatformServices::Clock, clock);
    const uint32_t t0 = GetTickCount();
    EXPECT_EQ(Now(), EncodeDate(2024, 3, 5) + 0.5);
    EXPECT_EQ(Date(), EncodeDate(2024, 3, 5));
    EXPECT_EQ(Time(), 0.5);
    for (int i = 0; i < 30; ++i)
        Sleep(10);
    EXPECT_EQ(clock->SleepCount(), 30);
    EXPECT_EQ(clock->SleptMs(), 300u);
    // The 32-bit tick wraps; unsigned differences stay right.
    EXPECT_LT(GetTickCount(), t0);
    EXPECT_EQ(uint32_t(GetTickCount() - t0), 300u);
    EXPECT_EQ(GetTickCount64(), uint64_t(0xFFFFFF00u) + 300u);
    // Half a day on crosses midnight.
    clock->Advance(MSecsPerDay / 2);
    EXPECT_EQ(Date(), EncodeDate(2024, 3, 6));
    int h, n, s, ms;
    DecodeTime(Now(), h, n, s, ms);
    EXPECT_EQ((std::vector<int>{h, n, s, ms}), (std::vector<int>{0, 0, 0, 300}));
}

TEST(Clock, SystemClockWhenNoneIsInstalled)
{
    ScopedService<std::shared_ptr<IClock>> none(&PlatformServices::Clock, nullptr);
    const uint64_t t0 = GetTickCount64();
    Sleep(20);
    EXPECT_GE(GetTickCount64() - t0, 19u);
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

TEST(StrCompare, OrdinalAsciiAndCollated)
{
    const FormatSettings fs;  // collation en_US
    EXPECT_LT(CompareStr(QStringLiteral("B"), QStringLiteral("a")), 0);
    EXPECT_EQ(CompareText(QStringLiteral("abc"), QStringLiteral("ABC")), 0);
    EXPECT_GT(CompareText(QStringLiteral("_"), QStringLiteral("a")), 0);  // "a" is taken as "A"
    EXPECT_LT(CompareText(QStringLiteral("ab"), QStringLiteral("ABC")), 0);
    EXPECT_NE(CompareText(QStringLiteral("é"), QStringLiteral("É")), 0);   // ASCII letters only
    EXPECT_TRUE(SameText(QStringLiteral("Col1"), QStringLiteral("cOL1")));

    EXPECT_LT(AnsiCompareStr(QStringLiteral("a"), QStringLiteral("B"), fs), 0);
    EXPECT_NE(AnsiCompareStr(QStringLiteral("a"), QStringLiteral("A"), fs), 0);
    EXPECT_EQ(AnsiCompareText(QStringLiteral("éa"), QStringLiteral("ÉA"), fs), 0);
    EXPECT_LT(AnsiCompareText(QStringLiteral("e"), QStringLiteral("é"), fs), 0);
    EXPECT_LT(AnsiCompareText(QStringLiteral("é"), QStringLiteral("f"), fs), 0);

    EXPECT_EQ(AnsiUpperCase(QStringLiteral("grüße"), fs), QStringLiteral("GRÜSSE"));
    EXPECT_EQ(AnsiLowerCase(QStringLiteral("ÀB"), fs), QStringLiteral("àb"));
    FormatSettings tr;
    tr.CollationLocale = QStringLiteral("tr_TR");
    EXPECT_EQ(AnsiUpperCase(QStringLiteral("i"), tr), QStringLiteral("İ"));
    // Plain ASCII takes a shortcut that must follow the locale in turn.
    EXPECT_EQ(AnsiUpperCase(QStringLiteral("name12 x~{i}"), fs), QStringLiteral("NAME12 X~{I}"));
    EXPECT_EQ(AnsiUpperCase(QStringLiteral("A1 i"), tr), QStringLiteral("A1 İ"));
    EXPECT_EQ(AnsiUpperCase(QStringLiteral("A1 i"), fs), QStringLiteral("A1 I"));
    EXPECT_EQ(AnsiUpperCase(QStringLiteral("ABC"), fs), QStringLiteral("ABC"));
}
