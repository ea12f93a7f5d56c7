// The filter expression matcher: its answers, its termination and that no
// input makes it throw.
#include "AdvUtil.h"
#include "AdvUtilFixture.h"

#include <gtest/gtest.h>

namespace {

using AdvUtilMatch = GridFormatTest;

TEST_F(AdvUtilMatch, Conditions)
{
    struct { const char* condition; const char* value; bool caseSensitive; bool expected; } cases[] = {
        {"", "", false, true},
        {"", "x", false, false},
        {">5", "10", false, true},
        {">5", "5.5", false, true},
        {">5", "5", false, false},
        {">5", "abc", false, true},  // no number: 'A' sorts after '5'
        {">999", "99992e-920", false, false},  // too small for a double: zero, still a number
        {"<1", "-1e400", false, true},         // too large: minus infinity
        {">=5", "5", false, true},
        {"<5", "1,000", false, false},
        {">1/6/2023", "2/6/2023", false, true},
        {">1/6/2023", "31/5/2023", false, false},
        {">1&<5", "3", false, true},
        {">1&<5", "7", false, false},
        {"<1|>5", "0", false, true},
        {"<1|>5", "9", false, true},
        {"<1|>5", "3", false, false},
        {"a*|b*&*z", "bz", false, true},
        {"a*|b*&*z", "az", false, true},
        {"a*|b*&*z", "ab", false, false},
        {"a*", "ABC", false, true},
        {"*b*", "abc", false, true},
        {"?bc", "abc", false, true},
        {"a?", "a", false, false},
        {"!a*", "abc", false, false},
        {"!a*", "xyz", false, true},
        {"=abc", "ABC", false, true},
        {"=abc", "abcd", false, false},
        {"(a|b)&c*", "cat", false, false},
        {"(c*|x)&*t", "cat", false, true},
        {"a b", "ab", false, true},
        {"\"a b\"", "a b", false, true},
        {">\"a b\"", "a c", false, true},   // compared with "a b"
        {">\"a b\"", "a a", false, false},
        {"<\"a b\"", "a", false, false},    // compared with "a" only
        {"<\"a b\"", "A", false, false},
        {"\">1&<5\"", "3", false, true},
        {"\">1&<5\"", "7", false, false},
        {"a*", "ABC", true, false},
        {"A*", "ABC", true, true},
        {"ab(cd)", "ab", false, true},      // the term after "(" is dropped
        {"x;y", "y", false, true},
        {"x^y", "x", false, true},
        {"!\"^\"", "x", false, true},       // "!" with "^": both sides stay true
        {">=1e2", "100", false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchFilter(QString::fromLatin1(c.condition), QString::fromLatin1(c.value), c.caseSensitive),
                  c.expected)
            << "'" << c.condition << "' with '" << c.value << "' case " << c.caseSensitive;
    }
    // "inf" and "nan" are no numbers: the texts are compared ('5' before 'I').
    EXPECT_FALSE(MatchFilter(QStringLiteral(">inf"), QStringLiteral("5"), false));
    EXPECT_TRUE(MatchFilter(QStringLiteral("<inf"), QStringLiteral("5"), false));
    EXPECT_TRUE(MatchFilter(QStringLiteral(">0x10"), QStringLiteral("5"), false));  // "0X10" is text, not 16
}

// The prepared form against the one-shot matcher: every pattern with every
// value in turn through one prepared matcher, so a value also follows a
// longer one.
TEST_F(AdvUtilMatch, PreparedAnswersAsMatchFilter)
{
    const char16_t* patterns[] = {
        u"", u"*", u"**", u"?", u"*3*7*", u"3*7", u"*3?7*", u"a*b*c", u"*a*a*b", u"=abc", u" a b ", u"\"a b\"",
        u"*\"x\"", u"a\"*\"b", u"!a*", u"!\"^\"", u">5", u">=5&<=9", u"<1|>5", u">1/6/2023", u"a*|b*&*z",
        u"(a|b)&c*", u"(c*|x)&*t", u"ab(cd)", u"x;y", u"x^y", u"(a", u"x|(a", u"((a)", u"^&|;", u"\"",
        u"\u00e9*", u"*\u00df", u"i*", u"*\u0130*", u"\u0131?", u"(*a*)|(*b*)", u"((1*))&(*9)", u"*?*?*"};
    const char16_t* values[] = {u"",     u"a",      u"abc",  u"ABC",   u"a b",    u"ab",     u"cat",   u"bz",
                                u"37",   u"1307",   u"3x7y", u"12345", u"7",      u"5.5",    u"10",    u"2/6/2023",
                                u"x",    u"y",      u"ax",   u"a\"b",  u"\u00c9t\u00e9", u"stra\u00df", u"IN",
                                u"\u0131n", u"a*b?c", u"aaab", u"1x9"};
    for (const char16_t* pt : patterns)
        for (bool cs : {false, true}) {
            const QString pattern = QString::fromUtf16(pt);
            const TFilterMatcher prepared(pattern, cs);
            for (int pass = 0; pass < 2; ++pass)
                for (const char16_t* vt : values) {
                    const QString value = QString::fromUtf16(vt);
                    EXPECT_EQ(prepared.Match(value), MatchFilter(pattern, value, cs))
                        << "'" << pattern.toStdString() << "' with '" << value.toStdString() << "' case " << cs;
                }
        }
    // The limits hold for the prepared form too.
    const QString deep = QString(1001, u'(') + QStringLiteral("a") + QString(1001, u')');
    EXPECT_FALSE(TFilterMatcher(deep, false).Match(QStringLiteral("a")));
    QString stars;
    for (int i = 0; i < 2000; ++i)
        stars += QStringLiteral("*a");
    const QString as(5000, u'a');
    EXPECT_FALSE(TFilterMatcher(stars + u'b', false).Match(as));
    EXPECT_TRUE(TFilterMatcher(stars, false).Match(as));
}

TEST_F(AdvUtilMatch, HelperFunctions)
{
    EXPECT_EQ(RemoveBlanksOutsideQuotes(QStringLiteral(" a \" b \" c")), QStringLiteral("a\" b \"c"));
    int pos = 0;
    EXPECT_EQ(FindOperator(QStringLiteral("&|"), QStringLiteral("\"a&b\"|c"), pos), u'|');
    EXPECT_EQ(pos, 6);
    EXPECT_EQ(FindOperator(QStringLiteral("&|"), QStringLiteral("\"a&b"), pos), QChar(0));
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(FindClosingParen(QStringLiteral("(a(b))c")), 6);
    EXPECT_EQ(FindClosingParen(QStringLiteral("((a)")), 0);
    EXPECT_EQ(FindClosingParen(QStringLiteral("(\")\")")), 3);  // quotes are not considered
    EXPECT_TRUE(MatchTerm(QStringLiteral("a*"), QStringLiteral("ABC"), false));
    EXPECT_FALSE(MatchTerm(QStringLiteral("a*"), QStringLiteral("ABC"), true));
    EXPECT_TRUE(MatchPattern(QStringLiteral("*\"x\""), QStringLiteral("ax")));
}

TEST_F(AdvUtilMatch, Terminates)
{
    for (const char* c : {"(a", "x|(a", "((a)", "(", "a&("})
        EXPECT_FALSE(MatchFilter(QString::fromLatin1(c), QStringLiteral("a"), false)) << c;

    const QString deep = QString(1001, u'(') + QStringLiteral("a") + QString(1001, u')');
    EXPECT_FALSE(MatchFilter(deep, QStringLiteral("a"), false));
    const QString fine = QString(50, u'(') + QStringLiteral("a") + QString(50, u')');
    EXPECT_TRUE(MatchFilter(fine, QStringLiteral("a"), false));

    QString stars;
    for (int i = 0; i < 2000; ++i)
        stars += QStringLiteral("*a");
    const QString as(5000, u'a');
    EXPECT_FALSE(MatchFilter(stars + u'b', as, false));
    EXPECT_TRUE(MatchFilter(stars, as, false));
    EXPECT_TRUE(MatchFilter(stars + u'b', as + u'b', false));
}

TEST_F(AdvUtilMatch, NoInputThrows)
{
    const QString longOperand = QStringLiteral(">") + QString(300, u'9');
    EXPECT_FALSE(MatchFilter(longOperand, QStringLiteral("5"), false));
    EXPECT_NO_THROW(MatchFilter(longOperand + QStringLiteral("&<") + QString(300, u'x'), QStringLiteral("q"), false));
    const QString withNul = QStringLiteral("1") + QChar(0) + QStringLiteral("x");
    EXPECT_TRUE(MatchFilter(QStringLiteral(">0"), withNul, false));  // the number ends at code 0
    for (const char* c : {"\"", "\"\"\"a", ">\"", "<\"", "!", ">", "<=", "*\"", "\"*|\"", "^&|;"})
        EXPECT_NO_THROW(MatchFilter(QString::fromLatin1(c), QStringLiteral("a\"b"), false)) << c;
    EXPECT_NO_THROW(MatchFilter(QStringLiteral(">1/1/0"), QStringLiteral("31/2/2023"), false));
}

}  // namespace
