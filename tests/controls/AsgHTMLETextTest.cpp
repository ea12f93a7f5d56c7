// Marked-up texts as strings: entities, stripping, highlighting, CONTROL tags.

#include "AsgHTMLEText.h"
#include "Graphics.h"

#include <gtest/gtest.h>

#include "TestHarness.h"


TEST(MarkupEntities, BasicAndTableNamesBothWays)
{
    EXPECT_EQ(HTMLEntityDecode("&lt;&gt;&amp;&quot;", false), "<>&\"");
    EXPECT_EQ(HTMLEntityEncode("<>&\"", false), "&lt;&gt;&amp;&quot;");
    // Without "all" the table names stay.
    EXPECT_EQ(HTMLEntityDecode("&eacute;", false), "&eacute;");
    ASSERT_EQ(HTMLEntityTable().size(), 51);
    EXPECT_STREQ(HTMLEntityTable().first().Name, "&eacute;");
    EXPECT_STREQ(HTMLEntityTable().last().Name, "&raquo;");
    for (const THTMLEntity& e : HTMLEntityTable()) {
        const QString name = QLatin1StringView(e.Name);
        const QString ch(QChar(e.Char));
        EXPECT_EQ(HTMLEntityDecode(name, true), ch) << e.Name;
        EXPECT_EQ(HTMLEntityEncode(ch, true), name) << e.Name;
    }
    EXPECT_EQ(HTMLEntityDecode("&euro;", true), QString(QChar(0x20AC)));
}

TEST(MarkupEntities, OnePassRulesAndRoundTrip)
{
    struct Case { QString in; bool all; QString out; };
    const Case decode[] = {
        {"&Eacute; &eacute;", true, QString::fromUtf8("É é")},
        {"&amp;amp;", false, "&amp;"},            // decoded once, not repeatedly
        {"&AMP; &amp;", false, "&AMP; &"},        // names match in their exact case
        {"&amp;lt;", false, "&lt;"},              // produced characters are not re-read
        {"a & b &x;", true, "a & b &x;"},
    };
    for (const Case& c : decode) EXPECT_EQ(HTMLEntityDecode(c.in, c.all), c.out) << c.in.toStdString();
    EXPECT_EQ(HTMLEntityEncode("*amp;", false), "*amp;");
    EXPECT_EQ(HTMLEntityEncode(QString::fromUtf8("<>é"), true), "&lt;&gt;&eacute;");
    const QString values[] = {"&amp;", "*amp;", "&quot;", "&lt;b&gt;", "a&b",
                              QString::fromUtf8("é&eacute;"), QString::fromUtf8("€"), "",
                              "\"quoted\" <x>"};
    for (const QString& v : values)
        EXPECT_EQ(HTMLEntityDecode(HTMLEntityEncode(v, true), true), v) << v.toStdString();
    EXPECT_EQ(SpacesToNbsp("a b  c"), "a&nbsp;b&nbsp;&nbsp;c");
}

TEST(MarkupStrip, HTMLStripAgainstStripTags)
{
    struct Case { QString in; QString strip; QString tags; };
    const Case cases[] = {
        {"<b>bold</b> text", "bold text", "bold text"},
        {"a<br>b<HR>c", "a\r\nb\r\nc", "abc"},
        {"x <b>y</b> 1 < 2", "x y 1 < 2", "x y 1 < 2"},   // "<" without ">" keeps the rest
        {"2 > 1 <b>y</b>", "2 > 1 y", "2 > 1 <b>y</b>"},  // ">" before the first "<"
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HTMLStrip(c.in), c.strip) << c.in.toStdString();
        EXPECT_EQ(StripTags(c.in), c.tags) << c.in.toStdString();
    }
}

TEST(MarkupSearch, VisiblePositionsAndFindFrom)
{
    const QString t = "ab<i>cd</i>";
    EXPECT_EQ(VisiblePosToTextPos(t, 1), 1);
    EXPECT_EQ(VisiblePosToTextPos(t, 3), 3);   // the "<" before the 3rd visible character
    EXPECT_EQ(VisiblePosToTextPos(t, 4), 7);
    EXPECT_EQ(VisiblePosToTextPos(t, 5), 8);   // just after "d", before "</i>"
    EXPECT_EQ(VisiblePosToTextPos("abc", 4), 4);  // at the end: length + 1
    EXPECT_EQ(VisiblePosToTextPos("abc", 6), 0);  // beyond
    int pos = -1;
    EXPECT_EQ(FindTextFrom("ab", "abcab", 1, pos, true), 4);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(FindTextFrom("AB", "abcab", 0, pos, true), 0);
    EXPECT_EQ(FindTextFrom("AB", "abcab", 0, pos, false), 1);
}

TEST(MarkupSearch, HighlightTextAroundMarkup)
{
    QString result;
    // The opening tag goes before the markup before the hit, the closing tag
    // before the markup after it.
    EXPECT_EQ(HighlightText("x<b>abc</b>y", "abc", "hi", result, true), "x<hi><b>abc</hi></b>y");
    EXPECT_EQ(result, "x<hi><b>abc</hi></b>y");
    EXPECT_EQ(HighlightText("Abc abc", "abc", "hi", result, false), "<hi>Abc</hi> <hi>abc</hi>");
    EXPECT_EQ(HighlightText("Abc abc", "abc", "hi", result, true), "Abc <hi>abc</hi>");
    // Visible angle brackets: the markup is dropped and the text escaped.
    EXPECT_EQ(HighlightText("a > b", "b", "hi", result, true), "a &gt; <hi>b</hi>");
    EXPECT_EQ(HighlightText("abc", "", "hi", result, true), "abc");
}

TEST(MarkupSearch, RemoveTagOnlyBareTags)
{
    EXPECT_EQ(RemoveTag("<HI>a</hi> <Hi>b</HI>", "hi"), "a b");
    EXPECT_EQ(RemoveTag("<hi x=\"1\">a</hi> &lt;b&gt;", "HI"), "<hi x=\"1\">a <b>");
}

TEST(MarkupControls, SetControlValueRewritesTheTag)
{
    struct Case { QString in; QString value; QString out; };
    const Case cases[] = {
        {"a <CONTROL TYPE=\"edit\" WIDTH=\"80\" ID=\"e1\" VALUE=\"old\" OTHER=\"x\"> b", "a<b",
         "a <CONTROL ID=\"e1\" VALUE=\"a&lt;b\" WIDTH=\"80\" TYPE=\"EDIT\"> b"},
        {"<control type=\"BUTTON\" id=\"e1\" width=\"60\" height=\"30\" value=\"Go\">", "Stop",
         "<CONTROL ID=\"e1\" VALUE=\"Stop\" WIDTH=\"60\" HEIGHT=\"30\" TYPE=\"BUTTON\">"},
        {"<CONTROL TYPE=\"COMBO\" ID=\"e1\" WIDTH=\"60\" PROP=\"a&amp;b\" MAXLEN=\"12\">", "x",
         "<CONTROL ID=\"e1\" VALUE=\"x\" WIDTH=\"60\" TYPE=\"COMBO\" PROP=\"a&amp;b\" MAXLEN=\"12\">"},
    };
    for (const Case& c : cases) {
        QString t = c.in;
        EXPECT_TRUE(SetControlValue(t, "e1", c.value));
        EXPECT_EQ(t, c.out);
    }
    QString t = "<CONTROL TYPE=\"EDIT\" ID=\"e1\" WIDTH=\"8\">";
    EXPECT_FALSE(SetControlValue(t, "E1", "x"));  // IDs compare exactly
    EXPECT_EQ(t, "<CONTROL TYPE=\"EDIT\" ID=\"e1\" WIDTH=\"8\">");
}

TEST(MarkupControls, StoredValuesComeBackExactly)
{
    const QString values[] = {"&amp;", "*amp;", "&quot;", "&lt;b&gt;", "a&b",
                              QString::fromUtf8("é&eacute;"), QString::fromUtf8("€"), "",
                              "say \"hi\" >"};
    for (const QString& v : values) {
        QString t = "x <CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"50\" VALUE=\"\"> y";
        ASSERT_TRUE(SetControlValue(t, "e", v));
        QString back;
        ASSERT_TRUE(GetControlValue(t, "e", back));
        EXPECT_EQ(back, v) << v.toStdString();
        EXPECT_TRUE(t.endsWith("> y"));
    }
}

TEST(MarkupControls, ScansOverSeveralControls)
{
    const QString t = "<CONTROL TYPE=\"BUTTON\" ID=\"b1\" WIDTH=\"5\">"
                      "<CONTROL TYPE=\"EDIT\" ID=\"e1\" WIDTH=\"5\" MAXLEN=\"12abc\" PROP=\"p&lt;\">"
                      "<CONTROL TYPE=\"CHECK\" ID=\"c1\" WIDTH=\"5\">"
                      "<control type=\"edit\" ID=\"e2\" WIDTH=\"5\" VALUE=\"v2\">";
    EXPECT_EQ(NextControlID(t, "e1"), "e2");
    EXPECT_EQ(NextControlID(t, ""), "e1");
    EXPECT_EQ(NextControlID(t, "e2"), "");
    EXPECT_EQ(GetControlMaxLen(t, "e1"), 12);
    EXPECT_EQ(GetControlMaxLen(t, "e2"), 0);
    EXPECT_EQ(GetControlProp(t, "e1"), "p<");
    QString v = "unchanged";
    EXPECT_FALSE(GetControlValue(t, "zz", v));
    EXPECT_EQ(v, "unchanged");
    EXPECT_TRUE(GetControlValue(t, "e2", v));
    EXPECT_EQ(v, "v2");
    EXPECT_TRUE(HasControlTag("a <Control x"));
    EXPECT_FALSE(HasControlTag("a <Contro"));

    const QString radios = "<CONTROL TYPE=\"RADIO\" ID=\"r1\" WIDTH=\"5\" VALUE=\"TRUE\">"
                           "<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"5\" VALUE=\"TRUE\">"
                           "<CONTROL TYPE=\"radio\" ID=\"r2\" WIDTH=\"5\" VALUE=\"TRUE\">";
    const QString cleared = ClearRadioControls(radios);
    for (const char* id : {"r1", "r2"}) {
        ASSERT_TRUE(GetControlValue(cleared, id, v));
        EXPECT_EQ(v, "FALSE");
    }
    ASSERT_TRUE(GetControlValue(cleared, "e", v));
    EXPECT_EQ(v, "TRUE");
}

TEST(MarkupSmallRoutines, CaseFoldingNumbersAndFlags)
{
    EXPECT_EQ(UpCaseAscii(QString::fromUtf8("aé<b>É")), QString::fromUtf8("Aé<B>É"));
    EXPECT_EQ(PosNoCase(QString::fromUtf8("É"), QString::fromUtf8("xé")), 0);
    EXPECT_EQ(PosNoCase("<br>", "a<BR>"), 2);
    int pos = 0;
    EXPECT_EQ(PosUpper("B", "abc", pos), 2);
    EXPECT_EQ(PosOut("B", "abc", pos), 0);
    QString s = "x<Br>y<br>";
    EXPECT_TRUE(ReplaceFirstNoCase("<BR>", "|", s));
    EXPECT_EQ(s, "x|y<br>");
    struct Num { QString in; int out; };
    const Num nums[] = {{"12abc", 12}, {"  -7", -7}, {"+3", 3}, {"abc", 0}, {"", 0},
                        {"99999999999999999999", 2147483647}};
    for (const Num& n : nums) EXPECT_EQ(LeadingInt(n.in), n.out) << n.in.toStdString();
    EXPECT_EQ(HexPairValue("FF00"), 255);
    EXPECT_EQ(HexPairValue("A"), 0);
    EXPECT_EQ(PasswordMask("abc"), "***");
    EXPECT_EQ(UnwrapHashTags("a <#tag> b"), "a #tag b");
    EXPECT_EQ(UnwrapHashTags("<<#x>>"), "#x");
    EXPECT_EQ(LineBreaksToBR("a\r\nb\nc\rd", true), "a<BR>bc<BR>d");
    EXPECT_EQ(LineBreaksToBR("a\r\nb", false), "ab");
    EXPECT_EQ(BiDiTextFlags(0, 0), 0u);
    EXPECT_EQ(BiDiTextFlags(0, 1), DT_RIGHT | DT_RTLREADING);
    EXPECT_EQ(BiDiTextFlags(DT_RIGHT, 1), DT_RTLREADING);
    EXPECT_EQ(BiDiTextFlags(DT_CENTER, 2), DT_CENTER | DT_RTLREADING);
}
