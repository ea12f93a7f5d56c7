// Rich text: read, written back, turned into plain text, measured and
// drawn; broken input is read as far as it goes.

#include "GraphicsRecording.h"
#include "RichText.h"

#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

TEST(RichText, ReadsFormattingTablesAndEscapes)
{
    const QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Courier New;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "{\\*\\generator Someone;}{\\info{\\title secret}}"
        "\\pard\\qc\\f1\\fs32 Big {\\b\\cf1 red}\\b0  caf\\'e9 \\u8364?\\par"
        "\\pard x{\\super 2}\\tab\\ul under\\ulnone\\line end\\par}");
    const TRichTextDocument d = RichTextRead(rtf);
    ASSERT_EQ(d.Paragraphs.size(), 2u);
    const TRichTextParagraph& p0 = d.Paragraphs[0];
    EXPECT_EQ(p0.Align, rtaCenter);
    ASSERT_GE(p0.Runs.size(), 3u);
    EXPECT_EQ(p0.Runs[0].Text, QStringLiteral("Big "));
    EXPECT_EQ(p0.Runs[0].FontName, QStringLiteral("Courier New"));
    EXPECT_EQ(p0.Runs[0].HalfPoints, 32);
    EXPECT_EQ(p0.Runs[1].Text, QStringLiteral("red"));
    EXPECT_TRUE(p0.Runs[1].Bold);
    EXPECT_EQ(p0.Runs[1].Color, RGBColor(255, 0, 0));
    EXPECT_FALSE(p0.Runs[2].Bold) << "the group's end restores the format";
    EXPECT_EQ(d.Paragraphs[1].Align, rtaLeft);
    EXPECT_EQ(RichTextPlain(d), QString::fromUtf8("Big red café €\r\nx2\tunder\nend"));
    const auto& p1 = d.Paragraphs[1].Runs;
    EXPECT_EQ(p1[1].Raise, 1);
    EXPECT_TRUE(std::any_of(p1.begin(), p1.end(), [](const TRichTextRun& r) {
        return r.Underline && r.Text == QLatin1String("under");
    }));
}

TEST(RichText, WriterAndReaderRoundTrip)
{
    TRichTextRun plain;
    plain.Text = QStringLiteral("a {brace} \\ back");
    TRichTextRun fancy;
    fancy.Text = QString::fromUtf8("ünï € line\nnext\ttab");
    fancy.Bold = fancy.Italic = fancy.StrikeOut = true;
    fancy.HalfPoints = 18;
    fancy.FontName = QStringLiteral("DejaVu Sans");
    fancy.Color = RGBColor(0, 128, 0);
    fancy.BackColor = RGBColor(255, 255, 0);
    TRichTextRun sub;
    sub.Text = QStringLiteral("2");
    sub.Raise = -1;
    sub.Underline = true;
    const TRichTextDocument samples[] = {
        TRichTextDocument{{TRichTextParagraph{rtaLeft, {plain}}}},
        TRichTextDocument{{TRichTextParagraph{rtaRight, {fancy, sub}}, TRichTextParagraph{rtaCenter, {plain}}}},
    };
    for (const TRichTextDocument& d : samples) {
        const QString written = RichTextWrite(d);
        EXPECT_TRUE(IsRichText(written));
        EXPECT_EQ(RichTextRead(written), d) << written.toStdString();
    }
}

TEST(RichText, BrokenInputIsReadAsFarAsItGoes)
{
    struct Case {
        const char* Rtf;
        const char* Plain;
    };
    const Case cases[] = {
        {"{\\rtf1 cut here", "cut here"},
        {"{\\rtf1 a}}}} b", "a"},
        {"{\\rtf1 {{{ deep", " deep"},
        {"{\\rtf1 x\\", "x"},
        {"{\\rtf1 x\\'4", "x"},
        {"{\\rtf1 x\\'zz y}", "x y"},
        {"{\\rtf1 \\u-", "-"},  // no number: the minus is text
        {"{\\rtf1 \\uc5\\u233 ab}", "\xc3\xa9"},
        {"{\\rtf1 \\unknownword123 kept}", "kept"},
        {"{\\rtf1 {\\pict 0123456789abcdef} after}", " after"},
        {"no rtf at all", "no rtf at all"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RichTextToPlain(QString::fromUtf8(c.Rtf)), QString::fromUtf8(c.Plain)) << c.Rtf;
}

TEST(RichText, MeasuresWrapsAndDraws)
{
    TFont font;
    font.SetName(QStringLiteral("DejaVu Sans"));
    font.SetSize(10);
    const QString rtf = QStringLiteral("{\\rtf1 one two three four five six seven eight nine ten}");
    const TSize one = RichTextMeasure(rtf, &font, 0);
    const TSize wrapped = RichTextMeasure(rtf, &font, 80);
    EXPECT_GT(one.cx, 80);
    EXPECT_LE(wrapped.cx, 80);
    EXPECT_GT(wrapped.cy, 2 * one.cy);
    const TSize big = RichTextMeasure(QStringLiteral("{\\rtf1\\fs48 one two}"), &font, 0);
    EXPECT_GT(big.cy, one.cy);

    // A recording canvas keeps the plain text and the rectangle.
    TRecordingCanvas rec;
    RichTextDraw(&rec, QStringLiteral("{\\rtf1 {\\b bold} text}"), TRect(5, 6, 105, 30));
    ASSERT_FALSE(rec.Log().isEmpty());
    EXPECT_TRUE(rec.Log().join(u'\n').contains(QStringLiteral("bold text"))) << rec.Log().join(u'\n').toStdString();

    // On pixels: red ink inside the rectangle, nothing outside it.
    QImage img(120, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    TCanvas cv;
    cv.BindImage(&img);
    cv.Font()->Assign(&font);
    RichTextDraw(&cv, QStringLiteral("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1\\b WWWW WWWW WWWW}"),
                 TRect(10, 5, 60, 35));
    cv.Flush();
    int redInside = 0, inkOutside = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            const bool ink = c != QColor(Qt::white);
            const bool inside = x >= 10 && x < 60 && y >= 5 && y < 35;
            if (inside && c.red() > 150 && c.green() < 100) ++redInside;
            if (!inside && ink) ++inkOutside;
        }
    EXPECT_GT(redInside, 20);
    EXPECT_EQ(inkOutside, 0);
}

TEST(RichText, ShiftsEmptyParagraphsAndAwkwardTextSurviveTheWriter)
{
    // \up and \dn keep their half points (6 without a number); \super and
    // \sub none.
    const struct {
        const char* Rtf;
        int Raise, Offset;
    } shifts[] = {
        {"{\\rtf1 {\\up x}}", 1, 6},      {"{\\rtf1 {\\up8 x}}", 1, 8},   {"{\\rtf1 {\\dn3 x}}", -1, -3},
        {"{\\rtf1 {\\super x}}", 1, 0},   {"{\\rtf1 {\\sub x}}", -1, 0},  {"{\\rtf1 {\\up8\\nosupersub x}}", 0, 0},
        {"{\\rtf1 {\\up0 x}}", 0, 0},
    };
    for (const auto& s : shifts) {
        const TRichTextDocument d = RichTextRead(QString::fromUtf8(s.Rtf));
        ASSERT_EQ(d.Paragraphs.size(), 1u) << s.Rtf;
        const TRichTextRun& r = d.Paragraphs[0].Runs.at(0);
        EXPECT_EQ(r.Raise, s.Raise) << s.Rtf;
        EXPECT_EQ(r.Offset, s.Offset) << s.Rtf;
        EXPECT_EQ(RichTextRead(RichTextWrite(d)), d) << s.Rtf;
    }

    TRichTextRun odd;
    odd.Text = QString::fromUtf8("\u0080\u0096\u009f \u00a0\u00ff \U0001F600");   // not Windows-1252 at 0x80..0x9F
    odd.FontName = QStringLiteral("Odd {Font} \\ Name");
    TRichTextParagraph empty;
    empty.Align = rtaCenter;
    const TRichTextDocument samples[] = {
        TRichTextDocument{{TRichTextParagraph{rtaLeft, {odd}}}},
        TRichTextDocument{{TRichTextParagraph{rtaLeft, {odd}}, empty}},           // an empty last paragraph
        TRichTextDocument{{empty, empty, TRichTextParagraph{rtaRight, {odd}}, empty}},
    };
    for (const TRichTextDocument& d : samples) {
        const QString written = RichTextWrite(d);
        EXPECT_EQ(RichTextRead(written), d) << written.toStdString();
    }
}

TEST(RichText, StrayClosingBracesEndTheDocumentOrAreSkipped)
{
    const QString rtf = QStringLiteral("{\\rtf1 a}}b{\\b c}");
    EXPECT_EQ(RichTextPlain(RichTextRead(rtf)), QStringLiteral("a"));
    const TRichTextDocument whole = RichTextRead(rtf, rreWholeText);
    EXPECT_EQ(RichTextPlain(whole), QStringLiteral("abc"));
    EXPECT_TRUE(whole.Paragraphs.at(0).Runs.back().Bold);
}

TEST(RichText, QtDocumentsConvertBothWays)
{
    TRichTextRun bold;
    bold.Text = QStringLiteral("bold\nline");
    bold.Bold = true;
    bold.HalfPoints = 30;
    bold.Color = RGBColor(10, 20, 30);
    bold.BackColor = RGBColor(200, 210, 220);
    TRichTextRun up;
    up.Text = QStringLiteral("2");
    up.Raise = 1;
    up.Offset = 4;
    TRichTextRun plain;
    plain.Text = QStringLiteral("plain\ttab");
    const TRichTextDocument d{{TRichTextParagraph{rtaCenter, {bold, up}}, TRichTextParagraph{rtaRight, {plain}}}};
    QTextDocument q;
    q.setPlainText(QStringLiteral("replaced"));
    RichTextToQt(d, q);
    EXPECT_EQ(q.toRawText(), QStringLiteral("bold\u2028line2\u2029plain\ttab"));
    EXPECT_EQ(RichTextFromQt(q), d);

    // Qt's own superscript (no shift of ours) reads as \super.
    QTextDocument own;
    QTextCursor c(&own);
    QTextCharFormat sup;
    sup.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    c.insertText(QStringLiteral("x"), sup);
    const TRichTextDocument read = RichTextFromQt(own);
    EXPECT_EQ(read.Paragraphs.at(0).Runs.at(0).Raise, 1);
    EXPECT_EQ(read.Paragraphs.at(0).Runs.at(0).Offset, 0);
}
