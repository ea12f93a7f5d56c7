// Rich-text cells: the rich editor's raise and lower, the RTF a cell
// stores and reads back, malformed RTF, and an edRichEdit cell edited in
// place.
#include "AdvGridEditRich.h"
#include "AdvGridEditTestKit.h"
#include "RichText.h"
#include "TestHarness.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// The character format at a position of the document (the character after it).
QTextCharFormat FormatAt(QTextDocument* d, int pos)
{
    QTextCursor c(d);
    c.setPosition(pos + 1);
    return c.charFormat();
}

void Select(TAdvRichEdit* r, int start, int length)
{
    QTextCursor c = r->TextEdit()->textCursor();
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    r->TextEdit()->setTextCursor(c);
}

}  // namespace

TEST(GridRichEdit, RaiseLowerAndTheirQueries)
{
    EditFixture f;
    TAdvRichEdit* r = f.Grid->RichEdit();
    r->TextEdit()->setPlainText(QStringLiteral("x2 H2O"));
    const struct {
        void (TAdvRichEdit::*Set)();
        bool Normal, Sub, Super;
    } cases[] = {
        {&TAdvRichEdit::SelSuperscript, false, false, true},
        {&TAdvRichEdit::SelSubscript, false, true, false},
        {&TAdvRichEdit::SelNormal, true, false, false},
    };
    for (const auto& c : cases) {
        Select(r, 1, 1);
        (r->*c.Set)();
        Select(r, 1, 1);
        EXPECT_EQ(r->IsSelNormal(), c.Normal);
        EXPECT_EQ(r->IsSelSubscript(), c.Sub);
        EXPECT_EQ(r->IsSelSuperscript(), c.Super);
        Select(r, 0, 1);
        EXPECT_TRUE(r->IsSelNormal()) << "the character before keeps its place";
    }
}

TEST(GridRichEdit, CellTextRoundTripsAsSevenBitRtf)
{
    EditFixture f;
    TAdvRichEdit* r = f.Grid->RichEdit();
    QTextCursor c(r->TextEdit()->document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("Bold"), bold);
    c.insertText(QStringLiteral(" m"), QTextCharFormat());
    c.insertText(QStringLiteral("2"), QTextCharFormat());
    Select(r, 6, 1);
    r->SelSuperscript();
    c.movePosition(QTextCursor::End);
    c.insertBlock();
    c.insertText(QStringLiteral("\u03a9\u20ac {x}\\"), QTextCharFormat());
    const QString rtf = f.Grid->RichToString(r);
    for (QChar ch : rtf) ASSERT_LT(ch.unicode(), 0x80) << rtf.toStdString();
    EXPECT_TRUE(rtf.startsWith(QLatin1String("{\\rtf1")));

    f.Grid->SetCells(1, 1, rtf);
    TAdvRichEdit* back = f.Grid->InplaceRichEdit();
    f.Grid->CellToRichEdit(1, 1, back);
    QTextDocument* d = back->TextEdit()->document();
    EXPECT_EQ(d->toPlainText(), QStringLiteral("Bold m2\n\u03a9\u20ac {x}\\"));
    EXPECT_EQ(FormatAt(d, 0).fontWeight(), QFont::Bold);
    EXPECT_NE(FormatAt(d, 4).fontWeight(), QFont::Bold);
    Select(back, 6, 1);
    EXPECT_TRUE(back->IsSelSuperscript());
    // Written again, the text is the same.
    EXPECT_EQ(f.Grid->RichToString(back), rtf);
    f.Grid->RichToCell(2, 2, back);
    EXPECT_EQ(f.Grid->Cells(2, 2), rtf);
}

TEST(GridRichEdit, MalformedRtfReadsWhatItCan)
{
    const struct {
        const char* Rtf;
        const char* Plain;
    } cases[] = {
        {"{\\rtf1 {\\b cut", "cut"},                              // unclosed groups
        {"{\\rtf1 a}}}b", "ab"},                                 // extra closing braces
        {"{\\rtf1 caf\\'e9 \\u8364? \\unknown x}", "caf\u00e9 \u20ac x"},  // bytes, \u, unknown words
        {"{\\rtf1{\\*\\generator Foo;}{\\info{\\title T}}body}", "body"},  // skipped groups
        {"{\\rtf1 \\'", ""},                                      // cut escape
        {"{\\rtf1\\uc0\\u937 z}", "\u03a9z"},                    // \uc0: no fallback character
    };
    for (const auto& c : cases) {
        QTextDocument d;
        RtfToRichEdit(QString::fromUtf8(c.Rtf), d);
        EXPECT_EQ(d.toPlainText(), QString::fromUtf8(c.Plain)) << c.Rtf;
    }
}

TEST(GridRichEdit, RichCellEditedInPlace)
{
    EditFixture f;
    f.Grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
        if (c == 1) e = edRichEdit;
    };
    f.Grid->SetCells(1, 1, QStringLiteral("{\\rtf1 {\\b Hi}}"));
    int done = 0;
    f.Grid->OnEditingDone = [&](TObject*) { ++done; };
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
    TAdvRichEdit* r = f.Grid->InplaceRichEdit();
    ASSERT_TRUE(r->Visible());
    EXPECT_EQ(r->TextEdit()->toPlainText(), QStringLiteral("Hi"));
    EXPECT_EQ(f.Focus(), r);
    const TRect cell = f.Grid->CellRect(1, 1);
    EXPECT_EQ(r->Left(), cell.Left);
    EXPECT_EQ(r->Width(), cell.Width() - 1);
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(QStringLiteral("editrich-open")));
    QTextCursor c = r->TextEdit()->textCursor();
    c.movePosition(QTextCursor::End);
    r->TextEdit()->setTextCursor(c);
    f.Type(QStringLiteral("a"));
    f.Other->SetFocus();
    f.Pump();
    EXPECT_FALSE(r->Visible());
    QTextDocument d;
    RtfToRichEdit(f.Grid->Cells(1, 1), d);
    EXPECT_EQ(d.toPlainText(), QStringLiteral("Hia"));
    EXPECT_EQ(FormatAt(&d, 0).fontWeight(), QFont::Bold);
    EXPECT_EQ(done, 1);
}

TEST(GridRichEdit, ConverterReportsTheSizeItsContentAsks)
{
    EditFixture f;
    TAdvRichEdit* r = f.Grid->RichEdit();
    EXPECT_FALSE(r->Visible());
    f.Grid->SetCells(1, 1, QStringLiteral("{\\rtf1 short}"));
    f.Grid->CellToRichEdit(1, 1, r);
    r->RequestSize();
    const int w1 = r->ReqWidth(), h1 = r->ReqHeight();
    EXPECT_GT(w1, 0);
    EXPECT_GT(h1, 0);
    f.Grid->SetCells(1, 1, QStringLiteral("{\\rtf1 a much longer line\\par and a second}"));
    f.Grid->CellToRichEdit(1, 1, r);
    r->RequestSize();
    EXPECT_GT(r->ReqWidth(), w1);
    EXPECT_GT(r->ReqHeight(), h1);
}

TEST(GridRichEdit, FormattedCellsRoundTripThroughTheEditor)
{
    EditFixture f;
    const struct {
        const char* Rtf;
        const char* Expect;   // what the editor writes, read back; nullptr: the same as Rtf
    } cases[] = {
        {"{\\rtf1 {\\b bold} {\\i italic} {\\ul under} {\\strike gone} {\\b\\i\\ul all}}", nullptr},
        {"{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}{\\cf1 red} {\\cf2\\highlight1 blue on red}}",
         nullptr},
        {"{\\rtf1{\\fonttbl{\\f0 DejaVu Sans;}{\\f1 DejaVu Serif;}}{\\f1\\fs36 big} {\\f0\\fs16 small} {\\fs24 twelve}}",
         nullptr},
        {"{\\rtf1 H{\\dn4 2}O x{\\up4 2} {\\up8 high} {\\dn3 low}}", nullptr},
        {"{\\rtf1 m{\\super 2} H{\\sub 2}}", "{\\rtf1 m{\\up4 2} H{\\dn4 2}}"},
        {"{\\rtf1 caf\\'e9 \\u937?\\u8364? \\u-10179?\\u-8704? \\u150?}", nullptr},
        {"{\\rtf1 a \\{b\\} c\\\\d \\\\\\{}", nullptr},
        {"{\\rtf1\\pard\\qc centred\\par\\pard\\qr right\\tab t\\line l\\par\\pard\\par}", nullptr},
    };
    TAdvRichEdit* r = f.Grid->InplaceRichEdit();
    for (const auto& c : cases) {
        const QString in = QString::fromUtf8(c.Rtf);
        f.Grid->SetCells(1, 1, in);
        f.Grid->CellToRichEdit(1, 1, r);
        const QString out = f.Grid->RichToString(r);
        for (QChar ch : out) ASSERT_LT(ch.unicode(), 0x80) << out.toStdString();
        const TRichTextDocument want = RichTextRead(c.Expect ? QString::fromUtf8(c.Expect) : in);
        EXPECT_EQ(RichTextRead(out), want) << c.Rtf << "\n -> " << out.toStdString();
        // Loaded again and written again, nothing moves.
        f.Grid->SetCells(2, 2, out);
        f.Grid->CellToRichEdit(2, 2, r);
        EXPECT_EQ(f.Grid->RichToString(r), out) << c.Rtf;
    }
}
