// The markup renderer on a recording canvas with fixed text metrics: layout,
// drawing, fonts and colours, anchors and hit tests. Every expectation is
// arithmetic of the fake metrics (font size 10: 5 px a character, 6 bold,
// 20 px high) and of the working rectangle, which starts one pixel in.

#include "AsgHTMLE.h"

#include "MarkupFixtures.h"
#include "OsProfile.h"
#include "Services.h"

#include <gtest/gtest.h>

using namespace MarkupTest;

namespace {

class Markup : public MarkupCanvasTest {
protected:
    QStringList Texts() const
    {
        QStringList out;
        for (const TCanvasOp& op : Ops("DrawText")) out << op.Text;
        return out;
    }
    static int HeightOfPoints(int points)
    {
        TFont f;
        f.SetSize(points);
        return f.Height();
    }
};

}  // namespace

TEST_F(Markup, BoldRunBetweenPlainRuns)
{
    Draw("ab<b>cd</b>ef");
    const auto texts = Ops("DrawText");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].Text, "ab");
    EXPECT_EQ(texts[0].Rect.Left, 1);
    EXPECT_FALSE(texts[0].FontStyle.Contains(fsBold));
    EXPECT_EQ(texts[1].Text, "cd");
    EXPECT_EQ(texts[1].Rect.Left, 1 + 2 * 5);
    EXPECT_TRUE(texts[1].FontStyle.Contains(fsBold));
    EXPECT_EQ(texts[2].Rect.Left, 1 + 2 * 5 + 2 * 6);
    EXPECT_FALSE(texts[2].FontStyle.Contains(fsBold));
    EXPECT_EQ(texts[0].Rect.Bottom, 20);  // bottom-aligned on the text bottom
    EXPECT_EQ(r.VisibleText, "abcdefabcdef");  // measured, then drawn
    Measure("ab<b>cd</b>ef");
    EXPECT_EQ(r.VisibleText, "abcdef");
    EXPECT_EQ(r.Width, 2 * 5 + 2 * 6 + 2 * 5);
    EXPECT_EQ(r.Height, 20);
}

TEST_F(Markup, EntitiesBeforeLayout)
{
    struct Case { QString in; QString drawn; };
    const Case cases[] = {
        {"a&amp;b", "a&&b"},  // prefix processing draws one "&"
        {"&permil;", QString::fromUtf8("‰")},
        {"x&AMP;y", "x&&y"},
        {"&lt;b&gt;", "<b>"},
        {"1&nbsp;2", "1 2"},
        {"&euro;&copy;", QString::fromUtf8("€©")},
    };
    for (const Case& k : cases) {
        Draw(k.in);
        EXPECT_EQ(Texts(), QStringList{k.drawn}) << k.in.toStdString();
    }
    Measure("a&amp;b");
    EXPECT_EQ(r.Width, 3 * 5);  // "&&" is one character
}

TEST_F(Markup, LineBreaksAndLists)
{
    struct Case { QString in; int lines; };
    const Case cases[] = {
        {"a\nb", 1}, {"a\r\nb", 2}, {"a\rb", 2}, {"a<BR>b<br>c", 3},
        {"<LI>a<LI>b", 2}, {"a<HR>b", 2}, {"", 1},
    };
    for (const Case& k : cases) {
        Measure(k.in);
        EXPECT_EQ(r.Height, 20 * k.lines) << k.in.toStdString();
    }
    Measure("a<BR>b");
    EXPECT_EQ(r.VisibleText, "a\rb");
    EXPECT_EQ(r.Width, 5);

    Draw("<UL><LI>one<UL><LI>two</UL></UL>");
    const auto texts = Ops("DrawText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Rect.Left, 1 + 12);      // level 1: 12 px
    EXPECT_EQ(texts[0].Rect.Top, 20);           // after the UL line
    EXPECT_EQ(texts[1].Rect.Left, 1 + 24);      // level 2
    const auto bullets = Ops("TextOut");
    ASSERT_EQ(bullets.size(), 2u);
    EXPECT_EQ(bullets[0].Text, QString::fromUtf8("•"));
    EXPECT_EQ(bullets[0].Points[0], TPoint(1, 20));   // (level - 1) x 12 right of the pen
    EXPECT_EQ(bullets[1].Text, QString::fromUtf8("◦"));
    EXPECT_EQ(bullets[1].Points[0], TPoint(1 + 12, 40));
}

TEST_F(Markup, WordWrapKeepsGluedTextTogether)
{
    a.WordWrap = true;
    struct Case { int width; QString in; QStringList lines; };
    const Case cases[] = {
        // working width = width - 1
        {41, "aaa bbb", {"aaa bbb"}},
        {36, "aaa bbb", {"aaa ", "bbb"}},                 // breaks after the blank
        {31, "aaaaaaaaaa", {"aaaaaaaaaa"}},               // one long word stays
        {21, "xx<b>yy</b>zz", {"xxyyzz"}},                // glued runs never split
        {31, "aaa bb<b>cc</b> d", {"aaa ", "bbcc ", "d"}},
    };
    for (const Case& k : cases) {
        Draw(k.in, TRect(0, 0, k.width, 200));
        QMap<int, QString> byTop;
        for (const TCanvasOp& op : Ops("DrawText")) byTop[op.Rect.Top] += op.Text;
        EXPECT_EQ(QStringList(byTop.values()), k.lines) << k.in.toStdString() << " in " << k.width;
    }
    Measure("aaa bbb", TRect(0, 0, 36, 200));
    EXPECT_EQ(r.Width, 3 * 5);  // the trailing blank is taken back
}

TEST_F(Markup, WithoutWordWrapAnOverflowingRunEndsTheLayout)
{
    // "bbb" (18 px) does not fit beside "aaaa" (20 px) in 30 px.
    Measure("aaaa<b>bbb</b><BR>ccc", TRect(0, 0, 31, 200));
    EXPECT_EQ(r.Height, 20);
    EXPECT_EQ(r.VisibleText, "aaaabbb");
    Draw("aaaa<b>bbb</b><BR>ccc", TRect(0, 0, 31, 200));
    const auto texts = Ops("DrawText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(texts[1].Flags & DT_END_ELLIPSIS);
    // A first run that is too wide is drawn with an ellipsis; the layout goes on.
    Measure("aaaaaaaaaaaa<BR>b", TRect(0, 0, 31, 200));
    EXPECT_EQ(r.Height, 40);
}

TEST_F(Markup, FontSizesAndColours)
{
    struct Size { QString size; int points; };
    const Size sizes[] = {{"3", 12}, {"1", 8}, {"20", 20}, {"99999", 400}, {"0", 1}, {"-4", 1}};
    for (const Size& k : sizes) {
        Draw("<FONT SIZE=\"" + k.size + "\">x</FONT>y");
        const auto texts = Ops("DrawText");
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].FontHeight, HeightOfPoints(k.points)) << k.size.toStdString();
        EXPECT_EQ(texts[1].FontHeight, HeightOfPoints(10));
    }
    struct Colour { QString value; TColor color; };
    const Colour colours[] = {{"red", 0}, {"#ff0000", 0x0000FF}, {"#00FF80", 0x80FF00},
                              {"clRed", 0x0000FF}, {"CLBTNFACE", clBtnFace}, {"clNoSuch", 0}};
    c.Font()->SetColor(clGreen);
    for (const Colour& k : colours) {
        Draw("<FONT COLOR=\"" + k.value + "\">x</FONT>y");
        const auto texts = Ops("DrawText");
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].FontColor, k.color) << k.value.toStdString();
        EXPECT_EQ(texts[1].FontColor, clGreen);
    }
    a.FixedColors = true;
    Draw("<FONT COLOR=\"clRed\">x</FONT>");
    EXPECT_EQ(Ops("DrawText")[0].FontColor, clGreen);
    a.FixedColors = false;
    Draw("<FONT FACE=\"Serif\" BGCOLOR=\"clYellow\">x</FONT>y");
    const auto texts = Ops("DrawText");
    EXPECT_EQ(texts[0].FontName, "SERIF");
    EXPECT_TRUE(texts[0].Opaque);
    EXPECT_EQ(texts[0].BrushColor, clYellow);
    EXPECT_FALSE(texts[1].Opaque);  // back to no background
}

TEST_F(Markup, ParagraphAlignmentAndBackground)
{
    struct Case { QString align; int left; };
    const Case cases[] = {{"RIGHT", 101 - 15}, {"CENTER", 1 + (100 - 15) / 2}, {"LEFT", 1},
                          {"RIGHT CENTER", 1 + (100 - 15) / 2}};
    for (const Case& k : cases) {
        Draw("<P ALIGN=\"" + k.align + "\">abc</P>", TRect(0, 0, 101, 100));
        ASSERT_EQ(Ops("DrawText").size(), 1u);
        EXPECT_EQ(Ops("DrawText")[0].Rect.Left, k.left) << k.align.toStdString();
    }
    Draw("<P INDENT=\"30\">abc</P>def", TRect(0, 0, 101, 100));
    EXPECT_EQ(Ops("DrawText")[0].Rect.Left, 31);
    EXPECT_EQ(Ops("DrawText")[1].Rect.Left, 31);  // the closing P keeps the indent

    Draw("<P BGCOLOR=\"clYellow\">a<BR>b</P>c", TRect(0, 0, 100, 100));
    const auto fills = Ops("FillRect");
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].Rect, TRect(0, 0, 100, 20));
    EXPECT_EQ(fills[1].Rect, TRect(0, 20, 100, 40));
    EXPECT_EQ(fills[1].BrushColor, clYellow);
    const auto texts = Ops("DrawText");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_FALSE(texts[2].Opaque);  // after the closing P: no background
}

TEST_F(Markup, AnchorHitTests)
{
    const QString text = "go <A HREF=\"http://x\" TITLE=\"Tip\">link</A> end";
    a.LocatePass = true;
    a.HitPoint = TPoint(1 + 15 + 5, 10);  // over "link" (15..35)
    EXPECT_TRUE(Draw(text));
    EXPECT_EQ(r.AnchorValue, "http://x");
    EXPECT_EQ(r.AnchorTitle, "Tip");
    EXPECT_EQ(r.HitAnchor, 1);
    EXPECT_EQ(r.AnchorCount, 1);
    EXPECT_EQ(r.HoverRect, TRect(1 + 15, 0, 1 + 35, 20));
    EXPECT_TRUE(c.Ops().empty());  // hit testing draws nothing

    THTMLDrawResult fresh;
    fresh.AnchorValue = "kept";
    fresh.HoverRect = TRect(1, 2, 3, 4);
    a.HitPoint = TPoint(1 + 2, 10);  // over "go"
    EXPECT_FALSE(DrawHTMLText(&c, text, TRect(0, 0, 400, 200), a, fresh));
    EXPECT_EQ(fresh.AnchorValue, "kept");
    EXPECT_EQ(fresh.HoverRect, TRect(1, 2, 3, 4));
    EXPECT_EQ(fresh.HitAnchor, -1);

    a.LocatePass = false;
    a.HitPoint = TPoint(1 + 15 + 5, 10);
    EXPECT_FALSE(Measure(text));
}

TEST_F(Markup, FocusedAndHoveredAnchors)
{
    const QString text = "<A HREF=\"a\">one</A> <A HREF=\"b\">two</A>";
    a.FocusedAnchor = 1;  // 0-based: the second anchor
    Draw(text);
    EXPECT_EQ(r.FocusedValue, "b");
    const auto focus = Ops("DrawFocusRect");
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].Rect, TRect(1 + 20 - 1, 0, 1 + 35 + 1, 20));
    auto texts = Ops("DrawText");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_TRUE(texts[0].FontStyle.Contains(fsUnderline));
    EXPECT_EQ(texts[0].FontColor, clBlue);
    EXPECT_FALSE(texts[1].FontStyle.Contains(fsUnderline));  // the blank between

    a.FocusedAnchor = -1;
    a.HoverOnlyLinks = true;
    a.HoverAnchor = 2;
    a.HoverTextColor = clRed;
    Draw(text);
    texts = Ops("DrawText");
    EXPECT_FALSE(texts[0].FontStyle.Contains(fsUnderline));
    EXPECT_EQ(texts[0].FontColor, clBlue);
    EXPECT_TRUE(texts[2].FontStyle.Contains(fsUnderline));
    EXPECT_EQ(texts[2].FontColor, clRed);
    EXPECT_TRUE(Ops("DrawFocusRect").empty());
}

TEST_F(Markup, FocusRectangleAcrossLines)
{
    a.FocusedAnchor = 0;
    Draw("<A HREF=\"a\">one<BR>two</A>");
    const auto focus = Ops("DrawFocusRect");
    ASSERT_EQ(focus.size(), 2u);
    EXPECT_EQ(focus[0].Rect, TRect(0, 0, 17, 20));
    EXPECT_EQ(focus[1].Rect, TRect(0, 20, 17, 40));
}

TEST_F(Markup, StylesShadowErrorAndHighlight)
{
    a.ShadowOffset = 2;
    a.ShadowColor = clSilver;
    Draw("<SHAD>s</SHAD><E>err</E><HI>h</HI><S>x</S><U>u</U><I>i</I>");
    const auto texts = Ops("DrawText");
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0].FontColor, clSilver);
    EXPECT_EQ(texts[0].Rect.Left, 1 + 2);
    EXPECT_EQ(texts[0].Rect.Top, 2);
    EXPECT_EQ(texts[1].Rect.Left, 1);
    const auto zigzag = Ops("Polyline");
    ASSERT_EQ(zigzag.size(), 1u);
    EXPECT_EQ(zigzag[0].PenColor, clRed);
    // "err" runs from 6 to 21: from 6 in steps of 2 up to 22, high and low.
    ASSERT_EQ(zigzag[0].Points.size(), 9u);
    EXPECT_EQ(zigzag[0].Points.front(), TPoint(6, 19));
    EXPECT_EQ(zigzag[0].Points[1], TPoint(8, 21));
    EXPECT_EQ(zigzag[0].Points.back(), TPoint(22, 19));
    EXPECT_EQ(texts[3].BrushColor, clHighlight);
    EXPECT_EQ(texts[3].FontColor, clHighlightText);
    EXPECT_TRUE(texts[4].FontStyle.Contains(fsStrikeOut));
    EXPECT_TRUE(texts[5].FontStyle.Contains(fsUnderline));
    EXPECT_TRUE(texts[6].FontStyle.Contains(fsItalic));

    Measure("a<SUP>b</SUP><SUB>c</SUB>");
    EXPECT_EQ(r.Height, 20 + 5 + 5);  // a quarter of the run's height above and below
    Measure("a<Z>hidden</Z>b");
    EXPECT_EQ(r.Width, 10);
    EXPECT_EQ(r.VisibleText, "ahiddenb");
}

TEST_F(Markup, EmptyTextAndTheCanvasComesBackAsFound)
{
    Measure("");
    EXPECT_EQ(r.Height, 20);
    EXPECT_EQ(r.Width, 0);

    c.Pen()->SetColor(clMaroon);
    c.Pen()->SetWidth(3);
    c.Brush()->SetColor(clAqua);
    const QString texts[] = {"</R>x", "<R 45>x<R 90>y", "<R a=\"30\">x</R></R></R>",
                             QString(10000, u'<'), "<FONT COLOR=\"clRed\" SIZE=\"7\"><B>x",
                             "<P BGCOLOR=\"clRed\"><HI><E>x", "<", "a<b", "<A HREF=\"x\">y",
                             QStringLiteral("<#a>").repeated(5000), QStringLiteral("&amp;").repeated(5000),
                             QStringLiteral("<BR>").repeated(3000) + "x"};
    for (const QString& t : texts) {
        Draw(t);
        EXPECT_EQ(c.Font()->Orientation(), 0) << t.left(20).toStdString();
        EXPECT_EQ(c.Font()->Size(), 10);
        EXPECT_EQ(c.Font()->Color(), clBlack);
        EXPECT_TRUE(c.Font()->Style().Empty());
        EXPECT_EQ(c.Pen()->Color(), clMaroon);
        EXPECT_EQ(c.Pen()->Width(), 3);
        EXPECT_EQ(c.Brush()->Color(), clAqua);
        EXPECT_EQ(c.Brush()->Style(), bsSolid);
    }
    Draw("<R 45>x</R>y");
    const auto drawn = Ops("DrawText");
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].FontOrientation, 450);
    EXPECT_EQ(drawn[1].FontOrientation, 0);
    Draw("a<b");
    EXPECT_EQ(Texts(), QStringList{"a"});  // a tag without ">" drops the rest
}
