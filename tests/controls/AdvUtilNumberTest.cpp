// The grid's number and date routines under fixed regional settings.
#include "AdvUtil.h"
#include "AdvUtilFixture.h"
#include "DateUtils.h"

#include <gtest/gtest.h>

namespace {

using AdvUtilNumbers = GridFormatTest;
using AdvUtilDates = GridFormatTest;

TEST_F(AdvUtilNumbers, LocaleReadersAndCharacterTests)
{
    EXPECT_EQ(LocaleThousandSeparator(), u',');
    EXPECT_EQ(LocaleDecimalSeparator(), u'.');
    EXPECT_EQ(LocaleDateSeparator(), u'/');
    EXPECT_EQ(LocaleTimeSeparator(), u':');
    EXPECT_EQ(LocaleShortDateFormat(), QStringLiteral("d/M/yyyy"));

    EXPECT_TRUE(IsDigitChar(u'7'));
    EXPECT_TRUE(IsDigitChar(u'\u0663'));  // Arabic-Indic three
    EXPECT_TRUE(IsDigitChar(u'\u2167'));  // Roman numeral eight (letter number)
    EXPECT_TRUE(IsDigitChar(u'\u00BD'));  // one half (other number)
    EXPECT_FALSE(IsDigitChar(u'a'));
    EXPECT_TRUE(IsNumberChar(u','));
    EXPECT_TRUE(IsNumberChar(u'E'));
    EXPECT_FALSE(IsNumberChar(u'-'));
    EXPECT_TRUE(IsScientificChar(u'-'));
    EXPECT_TRUE(IsNumberTextChar(u'+'));
    EXPECT_FALSE(IsNumberTextChar(u','));
    EXPECT_TRUE(IsNumberOrMinus(u'-'));
}

TEST_F(AdvUtilNumbers, NumberTypes)
{
    struct { const char* text; int expected; } cases[] = {
        {"", 2}, {"-", 0}, {"123", 0}, {"-123", 0}, {"1,234.5", 1}, {"1,23,456", 2},
        {"1.2.3", 2}, {"1e5", 5}, {"-1e-5", 5}, {"1e5-", 2}, {"+5", 2}, {"--5", 2},
        {"-1e--5", 2}, {"e5", 2}, {"1e5e", 2}, {"1,000e5", 2}, {"12a", 2}, {"1.5", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetNumberType(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST_F(AdvUtilNumbers, ExtractAndNormalize)
{
    struct { const char* text; const char* expected; } cases[] = {
        {"$1,234.50", "1234.50"}, {"(12.5)", "-12.5"}, {" (7) ", "-7"}, {"EUR 5", "E"},
        {"", ""}, {"-3 kg", "-3"}, {"x", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractNumberText(QString::fromLatin1(c.text)), QString::fromLatin1(c.expected)) << c.text;

    EXPECT_EQ(NormalizeNumberText(QStringLiteral("1,234.5")), QStringLiteral("1234.5"));
    EXPECT_EQ(NormalizeNumberText(QStringLiteral("12") + QChar(0) + QStringLiteral("34")), QStringLiteral("12"));
    FormatSettings german = GridTestFormat();
    german.ThousandSeparator = u'.';
    german.DecimalSeparator = u',';
    ScopedFormatSettings g(german);
    EXPECT_EQ(NormalizeNumberText(QStringLiteral("1.234,5")), QStringLiteral("1234.5"));
    EXPECT_EQ(GetNumberType(QStringLiteral("1.234,5")), 1);
}

TEST_F(AdvUtilDates, ParseDateMDYAndDMY)
{
    struct { const char* text; int year, month, day; } mdy[] = {
        {"1/2/03", 2003, 1, 2}, {"1/2/26", 1926, 1, 2}, {"1.2.2003", 2003, 1, 2},
        {"1-2-25", 2025, 1, 2}, {"12/31/99", 1999, 12, 31},
    };
    for (const auto& c : mdy) {
        EXPECT_EQ(ParseDateMDY(QString::fromLatin1(c.text)), EncodeDate(c.year, c.month, c.day)) << c.text;
        // The same text read day first swaps day and month.
        if (c.day <= 12) {
            EXPECT_EQ(ParseDateDMY(QString::fromLatin1(c.text)), EncodeDate(c.year, c.day, c.month)) << c.text;
        }
    }
    for (const char* none : {"1/2", "12", "a/2/03", "1/2/x", ""}) {
        EXPECT_EQ(ParseDateMDY(QString::fromLatin1(none)), 0) << none;
        EXPECT_EQ(ParseDateDMY(QString::fromLatin1(none)), 0) << none;
    }
    EXPECT_THROW(ParseDateMDY(QStringLiteral("13/1/03")), EConvertError);
    EXPECT_THROW(ParseDateDMY(QStringLiteral("1/13/03")), EConvertError);
}

TEST_F(AdvUtilDates, ParseShortDate)
{
    const TDateTime keep = 12345.5;
    struct { const char* text; bool ok; TDateTime value; } cases[] = {
        {"5/6/2023", true, EncodeDate(2023, 6, 5)},
        {"5/6/2023 14:30", true, EncodeDate(2023, 6, 5) + EncodeTime(14, 30, 0, 0)},
        {"5/6/2023 14:30:15", true, EncodeDate(2023, 6, 5) + EncodeTime(14, 30, 15, 0)},
        {"5/6/2023 14", false, EncodeDate(2023, 6, 5)},  // stored, but no
        {"5/6/23", true, EncodeDate(23, 6, 5)},
        {"32/1/2023", false, keep},
        {"29/2/2023", false, keep},
        {"5/6/2023 24:00", false, keep},
        {"5/6/2023 10:60", false, keep},
        {"5/13/2023", false, keep},
        {"5/6", false, keep},
        {"abc", false, keep},
        {"5/6/0", false, keep},
    };
    for (const auto& c : cases) {
        TDateTime v = keep;
        EXPECT_EQ(ParseShortDate(QString::fromLatin1(c.text), v), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
    // Month first when the format says so.
    FormatSettings us = GridTestFormat();
    us.ShortDateFormat = QStringLiteral("M/d/yyyy");
    ScopedFormatSettings s(us);
    TDateTime v = 0;
    EXPECT_TRUE(ParseShortDate(QStringLiteral("5/6/2023"), v));
    EXPECT_EQ(v, EncodeDate(2023, 5, 6));
}

TEST_F(AdvUtilDates, IsDateTextAndIncDatePart)
{
    EXPECT_TRUE(IsDateText(QStringLiteral("1/2/3")));
    EXPECT_FALSE(IsDateText(QStringLiteral("/1/2")));
    EXPECT_FALSE(IsDateText(QStringLiteral("12/")));
    EXPECT_FALSE(IsDateText(QStringLiteral("1//2")));

    struct { int16_t years, months, days; TDateTime from, expected; } steps[] = {
        {0, 1, 0, EncodeDate(2023, 12, 15), EncodeDate(2024, 1, 15)},
        {0, -1, 0, EncodeDate(2024, 1, 15), EncodeDate(2023, 12, 15)},
        {0, 2, 0, EncodeDate(2024, 1, 15), EncodeDate(2024, 3, 15)},
        {0, 0, -3, EncodeDate(2024, 1, 2), EncodeDate(2023, 12, 30)},
        {1, 0, 0, EncodeDate(2023, 3, 4), EncodeDate(2024, 3, 4)},
        {0, 0, 0, EncodeDate(2023, 3, 4), EncodeDate(2023, 3, 4) + 7},
        {1, 1, 0, EncodeDate(2023, 3, 4), EncodeDate(2023, 3, 4) + 7},
    };
    for (const auto& c : steps)
        EXPECT_EQ(IncDatePart(c.years, c.months, c.days, c.from, 7), c.expected)
            << c.years << " " << c.months << " " << c.days;
    EXPECT_THROW(IncDatePart(0, 1, 0, EncodeDate(2023, 1, 31), 0), EConvertError);
    EXPECT_THROW(IncDatePart(0, -3, 0, EncodeDate(2023, 1, 10), 0), EConvertError);
}

}  // namespace
