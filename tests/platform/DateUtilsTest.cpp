#include "DateUtils.h"

#include <gtest/gtest.h>

namespace {

// Settings with a given short date format, everything else fixed.
FormatSettings WithShortDate(const char* format)
{
    FormatSettings fs;
    fs.ShortDateFormat = QString::fromLatin1(format);
    return fs;
}

// A test clock standing at a given date at noon.
std::shared_ptr<TestClock> ClockAt(int y, int m, int d)
{
    return std::make_shared<TestClock>(EncodeDate(y, m, d) + 0.5);
}

}  // namespace

TEST(Dates, EncodeKnownDays)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);  // a Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
    EXPECT_EQ(DayOfWeek(EncodeDate(1800, 1, 1)), 4);  // a Wednesday
}

TEST(Dates, ImpossibleValuesRaise)
{
    struct Case { int y, m, d; } dates[] = {
        {2023, 2, 29}, {2024, 2, 30}, {2024, 13, 1}, {2024, 0, 1}, {2024, 4, 31},
        {0, 1, 1}, {10000, 1, 1}, {1900, 2, 29},
    };
    for (const auto& c : dates) {
        TDateTime v = 7;
        EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, v)) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(v, 7);
        EXPECT_THROW(EncodeDate(c.y, c.m, c.d), EConvertError);
    }
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
}

TEST(Dates, EveryDayFrom1600To2400DecodesToWhatEncodedIt)
{
    TDateTime expected = EncodeDate(1600, 1, 1);
    for (int y = 1600; y <= 2400; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                const TDateTime v = EncodeDate(y, m, d);
                ASSERT_EQ(v, expected) << y << "-" << m << "-" << d;
                int yy, mm, dd;
                DecodeDate(ComposeDateTime(v, 0.75), yy, mm, dd);
                ASSERT_TRUE(yy == y && mm == m && dd == d) << y << "-" << m << "-" << d;
                expected += 1;
            }
        }
    }
}

TEST(Dates, TimeOfDayAndTheSignRuleBefore1900)
{
    int h, n, s, ms;
    DecodeTime(EncodeTime(13, 45, 30, 250), h, n, s, ms);
    EXPECT_EQ((std::vector<int>{h, n, s, ms}), (std::vector<int>{13, 45, 30, 250}));
    // -1.25: the day before day 0 (29 December 1899) at 06:00.
    int y, m, d;
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h}), (std::vector<int>{1899, 12, 29, 6}));
    EXPECT_EQ(ComposeDateTime(-1, 0.25), -1.25);
    EXPECT_EQ(ComposeDateTime(5, 0.25), 5.25);
    // Just below midnight rounds into the next day.
    DecodeDate(EncodeDate(2024, 1, 31) + 0.9999999999, y, m, d);
    EXPECT_EQ((std::vector<int>{y, m, d}), (std::vector<int>{2024, 2, 1}));
}

TEST(Dates, IncMonthClipsAndAddYearsRefusesFebruary29)
{
    const TDateTime jan31 = EncodeDate(2024, 1, 31) + 0.5;
    EXPECT_EQ(IncMonth(jan31, 1), EncodeDate(2024, 2, 29) + 0.5);
    EXPECT_EQ(IncMonth(jan31, 13), EncodeDate(2025, 2, 28) + 0.5);
    EXPECT_EQ(IncMonth(jan31, -2), EncodeDate(2023, 11, 30) + 0.5);
    EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 15), -15), EncodeDate(2022, 12, 15));
    EXPECT_EQ(AddYears(EncodeDate(2024, 2, 29), 4), EncodeDate(2028, 2, 29));
    EXPECT_EQ(AddYears(EncodeDate(2023, 3, 1) + 0.25, -1), EncodeDate(2022, 3, 1) + 0.25);
    EXPECT_THROW(AddYears(EncodeDate(2024, 2, 29), 1), EConvertError);
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
}

TEST(Dates, FormatDateTimeTable)
{
    FormatSettings fs;
    const TDateTime v = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
    const TDateTime morning = EncodeDate(2024, 3, 5) + EncodeTime(0, 30, 0, 0);
    struct Case { const char* format; TDateTime value; const char* out; } cases[] = {
        {"dd/mm/yyyy hh:nn", v, "05/03/2024 14:07"},
        {"DD/MM/YYYY HH:NN", v, "05/03/2024 14:07"},
        {"d mmm yy", v, "5 Mar 24"},
        {"dddd d mmmm yyyy", v, "Tuesday 5 March 2024"},
        {"ddd", v, "Tue"},
        {"h:nn am/pm", v, "2:07 pm"},
        {"h:nn AM/PM", morning, "12:30 AM"},
        {"h:nn a/p", v, "2:07 p"},
        {"hh:nn ampm", v, "02:07 PM"},
        {"hh:mm", v, "14:07"},
        {"h:m:s", v, "14:7:9"},
        {"hh:mm:ss.zzz", v, "14:07:09.045"},
        {"m/d", v, "3/5"},
        {"yyyy-mm-dd 'at' hh\"h\"", v, "2024-03-05 at 14h"},
        {"'unterminated", v, "unterminated"},
        {"c", v, "05/03/2024 14:07:09"},
        {"c", EncodeDate(2024, 3, 5), "05/03/2024"},
        {"ddddd t", v, "05/03/2024 14:07"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), c.value, fs), QString::fromUtf8(c.out))
            << c.format;

    fs.DateSeparator = u'.';
    fs.TimeSeparator = u'-';
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd/mm/yyyy hh:nn"), v, fs), QStringLiteral("05.03.2024 14-07"));
    EXPECT_EQ(DateToStr(v, fs), QStringLiteral("05.03.2024"));
    EXPECT_EQ(TimeToStr(v, fs), QStringLiteral("14-07-09"));
    EXPECT_EQ(DateTimeToStr(v, fs), QStringLiteral("05.03.2024 14-07-09"));
    // A format that names itself stops instead of recursing.
    fs.ShortDateFormat = QStringLiteral("c");
    EXPECT_NO_THROW(FormatDateTime(QStringLiteral("c"), v, fs));
}

TEST(Dates, StrToDateFollowsTheShortDateOrder)
{
    ScopedService clock(&PlatformServices::Clock, ClockAt(2026, 6, 15));
    const FormatSettings dmy = WithShortDate("d/m/yyyy");
    const FormatSettings mdy = WithShortDate("m/d/yyyy");
    const FormatSettings ymd = WithShortDate("yyyy/mm/dd");
    struct Case { const FormatSettings* fs; const char* text; int y, m, d; } cases[] = {
        {&dmy, "3/4/2024", 2024, 4, 3},
        {&mdy, "3/4/2024", 2024, 3, 4},
        {&ymd, "2024/3/4", 2024, 3, 4},
        {&dmy, " 3 / 4 / 2024 ", 2024, 4, 3},
        {&dmy, "3/4", 2026, 4, 3},   // the clock's year
        {&mdy, "3/4", 2026, 3, 4},
        {&ymd, "3/4", 2026, 3, 4},
        {&dmy, "1/1/75", 2075, 1, 1},  // window 1976..2075
        {&dmy, "1/1/76", 1976, 1, 1},
        {&dmy, "1/1/5", 2005, 1, 1},
        {&dmy, "1/1/0075", 75, 1, 1},  // four digits: the year as written
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToDate(QString::fromLatin1(c.text), *c.fs), EncodeDate(c.y, c.m, c.d));
    }
    for (const char* bad : {"31/2/2024", "", "3", "3/4/2024/1", "a/4/2024", "3/4/2024 x", "3-4-2024", "3//2024"}) {
        SCOPED_TRACE(bad);
        TDateTime v = 9;
        EXPECT_FALSE(TryStrToDate(QString::fromLatin1(bad), v, dmy));
        EXPECT_EQ(v, 9);
        EXPECT_THROW(StrToDate(QString::fromLatin1(bad), dmy), EConvertError);
    }
}

TEST(Dates, StrToTimeAndDateTime)
{
    ScopedService clock(&PlatformServices::Clock, ClockAt(2026, 6, 15));
    const FormatSettings fs;
    struct Case { const char* text; int h, n, s, ms; } cases[] = {
        {"14:30", 14, 30, 0, 0},  {"2:30 PM", 14, 30, 0, 0}, {"12:00 am", 0, 0, 0, 0},
        {"12:15 PM", 12, 15, 0, 0}, {"1:02:03.004", 1, 2, 3, 4}, {" 7 ", 7, 0, 0, 0},
        {"11:59:59pm", 23, 59, 59, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(StrToTime(QString::fromLatin1(c.text), fs), EncodeTime(c.h, c.n, c.s, c.ms));
    }
    for (const char* bad : {"24:00", "13:00 PM", "12:60", "1:2:60", "", "1:", "x", "14:30 xm"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(StrToTime(QString::fromLatin1(bad), fs), EConvertError);
    }
    // A replaced long time format and separator for one call.
    FormatSettings dots = fs;
    dots.TimeSeparator = u'.';
    EXPECT_DOUBLE_EQ(StrToTime(QStringLiteral("9.15"), dots), EncodeTime(9, 15, 0, 0));

    const FormatSettings dmy = WithShortDate("dd/mm/yyyy");
    EXPECT_DOUBLE_EQ(StrToDateTime(QStringLiteral("5/3/2024 14:30"), dmy),
                     EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    EXPECT_EQ(StrToDateTime(QStringLiteral("5/3/2024"), dmy), EncodeDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(StrToDateTime(QStringLiteral("14:30"), dmy), EncodeTime(14, 30, 0, 0));
    EXPECT_THROW(StrToDateTime(QStringLiteral("5/3/2024 25:00"), dmy), EConvertError);
    // The round trip through the default settings.
    const TDateTime v = EncodeDate(2024, 12, 31) + EncodeTime(23, 59, 58, 0);
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(v, dmy), dmy), v);
}
