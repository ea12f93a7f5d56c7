#include "SysFormat.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

FormatSettings Comma()
{
    FormatSettings fs;
    fs.DecimalSeparator = u',';
    fs.ThousandSeparator = u'.';
    return fs;
}

}  // namespace

TEST(IntegerReader, OneLenientRule)
{
    struct Case { const char* text; bool reads; int value; } cases[] = {
        {"5", true, 5},           {" 5", true, 5},        {"\t 5", true, 5},
        {"+5", true, 5},          {"-1", true, -1},       {"$7FF", true, 0x7FF},
        {"x7FF", true, 0x7FF},    {"X7ff", true, 0x7FF},  {"0X7ff", true, 0x7FF},
        {"0x10", true, 16},       {"-$10", true, -16},    {"$FFFF", true, 0xFFFF},
        {"0", true, 0},           {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"$7FFFFFFF", true, INT32_MAX},
        {"7FF", false, 0},        {"5 ", false, 0},       {"", false, 0},
        {" ", false, 0},          {"-", false, 0},        {"0x", false, 0},
        {"$", false, 0},          {"1 2", false, 0},      {"1e3", false, 0},
        {"\u0663", false, 0},     {"2147483648", false, 0}, {"-2147483649", false, 0},
        {"$80000000", false, 0},  {"$FFFFFFFF", false, 0}, {"4294967297", false, 0},
        {"99999999999999999999", false, 0}, {"1.0", false, 0}, {"- 5", false, 0},
        {"$-5", false, 0},        {"0x$5", false, 0},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        SCOPED_TRACE(c.text);
        int v = 12345;
        EXPECT_EQ(TryStrToInt(text, v), c.reads);
        if (c.reads) {
            EXPECT_EQ(v, c.value);
            EXPECT_EQ(StrToInt(text), c.value);
        } else {
            EXPECT_EQ(v, 12345) << "a failed read leaves the variable";
            EXPECT_EQ(StrToIntDef(text, -1), -1);
            EXPECT_THROW(StrToInt(text), EConvertError);
        }
    }
}

TEST(IntegerReader, StrToIntMessage)
{
    try {
        StrToInt(QStringLiteral("12a"));
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'12a' is not a valid integer value"));
    }
}

TEST(IntegerReader, ValIntReadsAsFarAsItFits)
{
    struct Case { const char* text; int value; int pos; } cases[] = {
        {"12ab", 12, 3}, {"12", 12, 0}, {"-7", -7, 0}, {"$1Fz", 31, 4},
        {"abc", 0, 1},   {"", 0, 1},    {"5 ", 5, 2},  {"2147483648", 214748364, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int v = -99;
        EXPECT_EQ(ValInt(QString::fromUtf8(c.text), v), c.pos);
        EXPECT_EQ(v, c.value);
    }
}

TEST(FloatReader, UnderPointAndComma)
{
    const FormatSettings point;
    const FormatSettings comma = Comma();
    struct Case { const char* text; bool pointReads; double pointValue; bool commaReads; double commaValue; } cases[] = {
        {"1.5", true, 1.5, false, 0},
        {" -2,5 ", false, 0, true, -2.5},
        {"1e3", true, 1000, true, 1000},
        {"-1.5E-2", true, -0.015, false, 0},
        {"+.5", true, 0.5, false, 0},
        {"inf", false, 0, false, 0},
        {"nan", false, 0, false, 0},
        {"0x1p3", false, 0, false, 0},
        {"1e400", false, 0, false, 0},
        {"1,234.5", false, 0, false, 0},
        {"1.2.3", false, 0, false, 0},
        {"", false, 0, false, 0},
        {".", false, 0, false, 0},
        {"1e", false, 0, false, 0},
        {"1e-400", true, 0, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        double v = 42;
        EXPECT_EQ(TryStrToFloat(text, v, point), c.pointReads);
        if (c.pointReads) {
            EXPECT_DOUBLE_EQ(v, c.pointValue);
        }
        v = 42;
        EXPECT_EQ(TryStrToFloat(text, v, comma), c.commaReads);
        if (c.commaReads) {
            EXPECT_DOUBLE_EQ(v, c.commaValue);
        }
        EXPECT_EQ(StrToFloatDef(text, 7.0, point), c.pointReads ? c.pointValue : 7.0);
    }
    EXPECT_THROW(StrToFloat(QStringLiteral("abc"), point), EConvertError);
}

TEST(Rounding, RoundHalvesToEvenAndRefusesNonIntegers)
{
    struct Case { double x; int64_t r; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999999, 2},
        {2.5000001, 3}, {-2.6, -3}, {1e15 + 0.5, 1000000000000000}, {9.2e18, 9200000000000000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Round(c.x), c.r) << c.x;
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -1e30, 1e30, 9.3e18}) {
        EXPECT_THROW(Round(bad), EInvalidOp) << bad;
        EXPECT_THROW(Trunc(bad), EInvalidOp) << bad;
    }
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(2.9), 2);
}

TEST(Rounding, MulDivFollowsWindows)
{
    struct Case { int a, b, c, r; } cases[] = {
        {64, 81, 127, 41}, {1, 1, 2, 1}, {-1, 1, 2, -1}, {1, -1, 2, -1}, {-1, -1, 2, 1},
        {3, 1, 2, 2}, {5, 1, 0, -1}, {INT32_MAX, INT32_MAX, 1, -1}, {INT32_MAX, 2, 2, INT32_MAX},
        {100, 100, -3, -3333}, {0, 5, 7, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.r) << c.a << " " << c.b << " " << c.c;
}

TEST(Format, Table)
{
    const FormatSettings fs;
    struct Case { const char* fmt; std::vector<FormatArg> args; const char* out; } cases[] = {
        {"%.3d", {-7}, "-007"},
        {"%5d|", {42}, "   42|"},
        {"%-5d|", {42}, "42   |"},
        {"%d", {int64_t(-9000000000)}, "-9000000000"},
        {"%d", {INT32_MIN}, "-2147483648"},
        {"%x", {255}, "FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%x", {int64_t(-1)}, "FFFFFFFFFFFFFFFF"},
        {"%.4x", {10}, "000A"},
        {"%u", {-1}, "4294967295"},
        {"%.2f", {0.125}, "0.13"},
        {"%.2f", {2.675}, "2.67"},
        {"%.2f", {-0.125}, "-0.13"},
        {"%.2f", {-0.001}, "0.00"},
        {"%.0f", {0.5}, "1"},
        {"%.0f", {2.5}, "3"},
        {"%f", {1.5}, "1.50"},
        {"%.1f", {9.96}, "10.0"},
        {"%f", {1e20}, "100000000000000000000.00"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%.0n", {-999.5}, "-1,000"},
        {"%n", {12.0}, "12.00"},
        {"%g", {1e20}, "1E20"},
        {"%g", {1.5e-7}, "1.5E-7"},
        {"%g", {0.00001}, "0.00001"},
        {"%g", {123456789012345.0}, "123456789012345"},
        {"%g", {1e15}, "1E15"},
        {"%g", {0.1}, "0.1"},
        {"%g", {-2.5}, "-2.5"},
        {"%g", {0.0}, "0"},
        {"%g", {1.0 / 3}, "0.333333333333333"},
        {"%.3g", {2.0 / 3}, "0.667"},
        {"%e", {1234.5}, "1.23450000000000E+003"},
        {"%.3e", {-0.00012345}, "-1.23E-004"},
        {"%.2e", {9.99}, "1.0E+001"},
        {"%e", {0.0}, "0.00000000000000E+000"},
        {"%f", {std::numeric_limits<double>::infinity()}, "INF"},
        {"%.2s", {QStringLiteral("abc")}, "ab"},
        {"%5s|%-4s|", {"ab", "c"}, "   ab|c   |"},
        {"%s", {QChar(u'z')}, "z"},
        {"100%%", {}, "100%"},
        {"%*d", {4, 7}, "   7"},
        {"%-*d|", {3, 7}, "7  |"},
        {"%.*f", {1, 2.25}, "2.3"},
        {"%1:s %0:s", {"a", "b"}, "b a"},
        {"%1:s %s %0:s", {"a", "b", "c"}, "b c a"},
        {"%s%.8d", {"N", 42}, "N00000042"},
        {"%D %S", {1, "x"}, "1 x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fmt);
        EXPECT_EQ(Format(QString::fromUtf8(c.fmt), std::span<const FormatArg>(c.args), fs),
                  QString::fromUtf8(c.out));
    }
}

TEST(Format, ArgumentTypes)
{
    const FormatSettings fs;
    EXPECT_EQ(Format(QStringLiteral("100%%"), {}, fs), QStringLiteral("100%"));
    EXPECT_EQ(Format(QStringLiteral("%d %d %x"), {size_t(3), 4000000000u, 0xFFFFFFFFu}, fs),
              QStringLiteral("3 4000000000 FFFFFFFF"));
    EXPECT_EQ(Format(QStringLiteral("%s%s%s"), {"a", 'b', QStringView(u"c")}, fs), QStringLiteral("abc"));
    EXPECT_EQ(Format(QStringLiteral("%.1f"), {2.25f}, fs), QStringLiteral("2.3"));
}

TEST(Format, SeparatorsComeFromTheSettings)
{
    const FormatSettings comma = Comma();
    EXPECT_EQ(Format(QStringLiteral("%.2f"), {1.5}, comma), QStringLiteral("1,50"));
    EXPECT_EQ(Format(QStringLiteral("%n"), {1234567.891}, comma), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(Format(QStringLiteral("%g"), {1.5e-7}, comma), QStringLiteral("1,5E-7"));
    EXPECT_EQ(FloatToStr(0.5, comma), QStringLiteral("0,5"));
    {
        ScopedFormatSettings scope(comma);
        EXPECT_EQ(Format(QStringLiteral("%.1f"), {2.25}), QStringLiteral("2,3"));
    }
    EXPECT_EQ(FloatToStr(0.5, FormatSettings()), QStringLiteral("0.5"));
}

TEST(Format, MalformedOrIncompatibleRaises)
{
    struct Case { const char* fmt; std::vector<FormatArg> args; } cases[] = {
        {"%d", {"text"}},
        {"%s %s", {"one"}},
        {"abc %", {1}},
        {"%.2q", {1}},
        {"%d", {1.5}},
        {"%f", {1}},
        {"%s", {1}},
        {"%2:d", {1, 2}},
        {"%-", {1}},
        {"%*d", {"x", 1}},
        {"%99999999999999999999d", {1}},
        {"%5000d", {1}},
        {"%", {}},
        {"%1:", {1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fmt);
        const QString fmt = QString::fromUtf8(c.fmt);
        try {
            Format(fmt, std::span<const FormatArg>(c.args), FormatSettings());
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Format '%1' invalid or incompatible with argument").arg(fmt));
        }
    }
}

TEST(Format, AnyInputIsSafe)
{
    // Every short string over the specifier alphabet either formats or raises
    // EConvertError; the sanitizers catch any invalid access.
    const QString alphabet = QStringLiteral("%*-.:0129dsfgxqn");
    const std::vector<FormatArg> args = {1, 2.5, QStringLiteral("s"), int64_t(-3)};
    int formatted = 0;
    for (int a = 0; a < alphabet.size(); ++a)
        for (int b = 0; b < alphabet.size(); ++b)
            for (int c = 0; c < alphabet.size(); ++c)
                for (int d = 0; d < alphabet.size(); ++d) {
                    const QString f = QStringLiteral("%") + alphabet[a] + alphabet[b] + alphabet[c] + alphabet[d];
                    try {
                        Format(f, std::span<const FormatArg>(args), FormatSettings());
                        ++formatted;
                    } catch (const EConvertError&) {
                    }
                }
    EXPECT_GT(formatted, 0);
}
