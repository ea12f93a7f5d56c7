// The grid's text routines: quoting, single-line forms, text kinds,
// encodings, capitalisation, cell references, links and clipboard HTML.
#include "AdvUtil.h"
#include "AdvUtilFixture.h"

#include <gtest/gtest.h>

namespace {

const QString CRLF = QStringLiteral("\r\n");

QString Codes(std::initializer_list<char16_t> codes)
{
    QString s;
    for (char16_t c : codes)
        s += QChar(c);
    return s;
}

TEST(AdvUtilText, SearchAndSmallFunctions)
{
    int pos = 99;
    EXPECT_EQ(CharPosVar(u'x', QStringLiteral("abc"), pos), 0);
    EXPECT_EQ(pos, 99);  // left alone when not found
    EXPECT_EQ(CharPosVar(u'c', QStringLiteral("abc"), pos), 3);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(PosVar(QStringLiteral("zz"), QStringLiteral("abc"), pos), 0);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(UpperCasePos(QStringLiteral("BC"), QStringLiteral("abc")), 2);
    EXPECT_EQ(UpperCasePos(QStringLiteral("bc"), QStringLiteral("abc")), 0);  // Sub is not converted
    EXPECT_EQ(UpperCasePos(QStringLiteral("\u00C4"), QStringLiteral("\u00E4")), 0);  // only a-z
    EXPECT_EQ(CountChar(u'a', QStringLiteral("banana")), 3);

    QString t = QStringLiteral("ab,cd,ef");
    EXPECT_EQ(SplitAtDelimiter(t, QStringLiteral(",")), QStringLiteral("ab"));
    EXPECT_EQ(t, QStringLiteral("cd,ef"));
    t = QStringLiteral("abc");
    EXPECT_EQ(SplitAtDelimiter(t, QStringLiteral(",")), QString());
    EXPECT_EQ(t, QStringLiteral("abc"));
    t = QStringLiteral(",abc");
    EXPECT_EQ(SplitAtDelimiter(t, QStringLiteral(",")), QString());
    EXPECT_EQ(t, QStringLiteral("abc"));

    t = QStringLiteral("secret");
    FillChars(t, u'*');
    EXPECT_EQ(t, QStringLiteral("******"));
    EXPECT_EQ(ConcatLines({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("ab"));

    struct { int value, min, max, expected; } limits[] = {
        {5, 10, 0, 10}, {50, 10, 0, 50}, {7, 3, 3, 7}, {50, 0, 20, 20}, {-5, 0, 20, -5}};
    for (const auto& c : limits)
        EXPECT_EQ(LimitValue(c.value, c.min, c.max), c.expected) << c.value << " " << c.min << " " << c.max;

    struct R { int Left, Top, Right, Bottom; } r{1, 2, 3, 4};
    EXPECT_TRUE(PointInGridRect(r, 3, 4));
    EXPECT_TRUE(PointInGridRect(r, 1, 2));
    EXPECT_FALSE(PointInGridRect(r, 4, 4));
    EXPECT_FALSE(PointInGridRect(r, 1, 1));
}

TEST(AdvUtilText, Quoting)
{
    struct { const char* text; int expected; } unpaired[] = {
        {"ab\"\"c\"", 6}, {"ab\"\"", 4}, {"a\"\",b", 0}, {"abc\",x", 4}, {"", 0}, {"\"", 1}};
    for (const auto& c : unpaired) {
        int pos = -7;
        EXPECT_EQ(FindUnpairedChar(u'"', QString::fromLatin1(c.text), pos), c.expected) << c.text;
        EXPECT_EQ(pos, c.expected);
    }
    // A CSV line after its opening quote: a "" b", c, "d""e", f
    EXPECT_EQ(CountUnpairedChars(u'"', QStringLiteral("a \"\" b\",c,\"d\"\"e\",f")), 3);
    EXPECT_EQ(CountUnpairedChars(u'"', QStringLiteral("plain")), 0);

    EXPECT_EQ(DoubleQuoteChars(QStringLiteral("a\"b")), QStringLiteral("a\"\"b"));
    EXPECT_EQ(UndoubleChar(u'"', QStringLiteral("a\"\"b\"c")), QStringLiteral("a\"b\"c"));
    EXPECT_EQ(UndoubleChar(u'"', QStringLiteral("\"\"\"")), QStringLiteral("\"\""));

    QString t = QStringLiteral("a") + CRLF + QStringLiteral("b");
    CRLFToVTQuoted(t);
    EXPECT_EQ(t, QStringLiteral("\"a\vb\""));
    t = QStringLiteral("a\vb");
    VTToCRLF(t);
    EXPECT_EQ(t, QStringLiteral("a") + CRLF + QStringLiteral("b"));
    CRLFToLF(t);
    EXPECT_EQ(t, QStringLiteral("a\nb"));
}

TEST(AdvUtilText, SingleLineForms)
{
    const QString twoLines = QStringLiteral("a") + CRLF + QStringLiteral("b");
    EXPECT_EQ(EscapeNewlines(twoLines), QStringLiteral("a\\nb"));
    EXPECT_EQ(UnescapeNewlines(QStringLiteral("a\\nb")), QStringLiteral("a\rb"));
    // A literal backslash-n in a cell becomes a break: the form's known limit.
    EXPECT_EQ(UnescapeNewlines(EscapeNewlines(QStringLiteral("c:\\new"))), QStringLiteral("c:\rew"));

    QString t = twoLines;
    CRLFToTilde(t);
    EXPECT_EQ(t, QStringLiteral("a~b"));
    TildeToCRLF(t);
    EXPECT_EQ(t, twoLines);
    t = QStringLiteral("^");
    TildeToCRLF(t);
    EXPECT_EQ(t, QString());

    EXPECT_EQ(EncodeLineBreaks(QStringLiteral("plain")), QStringLiteral("plain"));
    const QString encoded = EncodeLineBreaks(twoLines);
    EXPECT_EQ(encoded, Codes({u'a', 9, 8, u'b'}));
    EXPECT_EQ(DecodeLineBreaks(encoded, true), twoLines);
    EXPECT_EQ(DecodeLineBreaks(encoded, false), QStringLiteral("a"));
    // A lone CR survives as CR LF.
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(QStringLiteral("a\rb")), true), twoLines);
    // Code 0 travels as code 1.
    const QString withNul = QStringLiteral("x") + QChar(0) + CRLF + QStringLiteral("y");
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(withNul), true), withNul);
    // A TAB inside a multi-line text comes back as CR: the form's known limit.
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(QStringLiteral("a\tb") + CRLF), true),
              QStringLiteral("a\rb") + CRLF);
    // Without code 8 nothing is decoded.
    EXPECT_EQ(DecodeLineBreaks(Codes({u'a', 9, u'b'}), true), Codes({u'a', 9, u'b'}));

    QString text = QStringLiteral("one") + CRLF + QStringLiteral("two") + CRLF + QStringLiteral("three");
    QString line;
    ExtractFirstLine(text, true, line);
    EXPECT_EQ(line, QStringLiteral("one"));
    EXPECT_EQ(text, QStringLiteral("two") + CRLF + QStringLiteral("three"));
    ExtractFirstLine(text, false, line);
    EXPECT_EQ(line, QStringLiteral("two"));
    EXPECT_EQ(text, QString());
    text = QStringLiteral("single");
    ExtractFirstLine(text, true, line);
    EXPECT_EQ(line, QStringLiteral("single"));
    EXPECT_EQ(text, QString());

    EXPECT_EQ(LineCountOf(twoLines + CRLF, true), 3);
    EXPECT_EQ(LineCountOf(twoLines, false), 1);
    EXPECT_EQ(RemoveCR(twoLines), QStringLiteral("a\nb"));
    EXPECT_EQ(CRToLF(twoLines), QStringLiteral("a\n\nb"));
    EXPECT_EQ(CRToBRTag(twoLines), QStringLiteral("a<br>\nb"));
}

TEST(AdvUtilText, TextKindsAndWideText)
{
    struct { QString text; bool html; int expected; } kinds[] = {
        {QString(), true, 0},
        {QStringLiteral("=1"), false, 3},
        {QStringLiteral("<b>x</b>"), false, 0},
        {QStringLiteral("<b>x</b>"), true, 1},
        {QStringLiteral("<b>x"), false, 0},
        {QStringLiteral("<b>x"), true, 0},
        {QStringLiteral("<B>x"), true, 1},
        {QStringLiteral("{\\rtf1 x}"), true, 2},
        {EncodeWideText(QStringLiteral("A")), true, 5},
        {EncodeWideText(QStringLiteral("=x")), true, 3},
        {EncodeWideText(QStringLiteral("=\u4E2D")), true, 5},
    };
    for (const auto& c : kinds)
        EXPECT_EQ(GetTextType(c.text, c.html), c.expected) << c.text.toStdString();

    EXPECT_EQ(EncodeWideText(QStringLiteral("A")), QStringLiteral("|\\") + Codes({0, 65}));
    const QString odd = QStringLiteral("a") + QChar(0) + QStringLiteral("\u20AC\uFFFF\u00FF");
    EXPECT_EQ(DecodeWideText(EncodeWideText(odd)), odd);
    EXPECT_EQ(DecodeWideText(QStringLiteral("|\\") + Codes({0, 65, 7})), QStringLiteral("A"));
    EXPECT_EQ(DecodeWideText(QStringLiteral("plain")), QStringLiteral("plain"));
}

TEST(AdvUtilText, OemConversion)
{
    // U+2591 (light shade) is byte 0xB0 in code page 850, read back as the
    // ANSI character of 0xB0 (the degree sign).
    QString t = QStringLiteral("a\u00E9\u2591");
    StrToOem(t);
    EXPECT_EQ(t, QStringLiteral("a\u201A\u00B0"));  // 0x82 and 0xB0 read as Windows-1252
    OemToStr(t);
    EXPECT_EQ(t, QStringLiteral("a\u00E9\u2591"));
    // A character outside code page 850 becomes "?".
    t = QStringLiteral("\u4E2D");
    StrToOem(t);
    EXPECT_EQ(t, QStringLiteral("?"));
}

TEST(AdvUtilText, MixedCaseAndCellReferences)
{
    EXPECT_EQ(ToMixedCase(QStringLiteral("mcdonald's ii")), QStringLiteral("McDonald'S II"));
    EXPECT_EQ(ToMixedCase(QStringLiteral("louis iv")), QStringLiteral("Louis IV"));
    EXPECT_EQ(ToMixedCase(QStringLiteral("john mcbride and ann mcgee")),
              QStringLiteral("John McBride And Ann Mcgee"));

    int x = -1, y = -1;
    EXPECT_TRUE(ParseRCCellRef(QStringLiteral("r12c3"), x, y));
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 12);
    for (const char* bad : {"R1C", "R1CX", "RC12", "X1C2", "R1 C2"}) {
        x = y = -1;
        EXPECT_FALSE(ParseRCCellRef(QString::fromLatin1(bad), x, y)) << bad;
        EXPECT_EQ(x, -1);
    }
}

TEST(AdvUtilText, UrlsAndHtml)
{
    EXPECT_TRUE(IsURL(QStringLiteral("see http://x")));
    EXPECT_TRUE(IsURL(QStringLiteral("mailto:a@b")));
    EXPECT_FALSE(IsURL(QStringLiteral("MAILTO:a@b")));
    QString t = QStringLiteral("https://host/x");
    StripURLScheme(t);
    EXPECT_EQ(t, QStringLiteral("host/x"));
    t = QStringLiteral("mailto:a@b");
    StripURLScheme(t);
    EXPECT_EQ(t, QStringLiteral("a@b"));

    QString html = QStringLiteral("untouched");
    EXPECT_FALSE(LinkifyURL(QStringLiteral("no link"), QStringLiteral("HTTP://"), html));
    EXPECT_EQ(html, QStringLiteral("untouched"));
    EXPECT_TRUE(LinkifyURL(QStringLiteral("<go> http://a.b/c?q=1 and http://d.e"),
                           QStringLiteral("HTTP://"), html));
    EXPECT_EQ(html, QStringLiteral("&lt;go&gt; <a href=\"http://a.b/c\">http://a.b/c</a>?q=1 and http://d.e"));
    EXPECT_TRUE(LinkifyURL(QStringLiteral("x http://\u00E9t\u00E9"), QStringLiteral("HTTP://"), html));
    EXPECT_EQ(html, QStringLiteral("x <a href=\"http://\">http://</a>\u00E9t\u00E9"));

    EXPECT_EQ(ColorToHexRGB(0x00CC8811), QStringLiteral("1188CC"));
    EXPECT_EQ(ColorToHexRGB(int32_t(0xFF00000F)), QStringLiteral("0F0000"));  // as stored

    QString fragment = QStringLiteral("<b>");
    MakeClipboardHTML(fragment);
    EXPECT_EQ(fragment.size(), 97 + 62 + 115 + 3 + 32);
    EXPECT_TRUE(fragment.startsWith(QStringLiteral(
        "Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000309\r\nStartFragment:00000274\r\n"
        "EndFragment:00000277\r\n<!DOCTYPE")));
    EXPECT_EQ(fragment.mid(274, 3), QStringLiteral("<b>"));
    EXPECT_EQ(fragment.mid(277), QStringLiteral("<!--EndFragment--></body></html>"));
}

}  // namespace
