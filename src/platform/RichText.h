#pragma once
// The rich text (RTF) cells hold: read into paragraphs of formatted runs,
// written back, turned into plain text, measured and drawn. The reader knows
// groups, control words and symbols, \'hh in Windows-1252, \uN with \ucN,
// the font and colour tables, character formatting (\b \i \ul \ulnone
// \strike \fs \f \cf \cb \highlight \super \sub \nosupersub \up \dn) and
// paragraphs (\par \line \tab \pard \ql \qc \qr). It skips \* groups and
// the \info, \stylesheet, \pict and \object destinations, ignores unknown
// words and reads unbalanced or cut input as far as it goes, never raising.
// The writer writes what the reader reads back as the same document; Qt
// text documents (the rich editor's content) convert both ways.

#include "Graphics.h"

#include <QString>
#include <vector>

struct TRichTextRun {
    QString Text;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int HalfPoints = 24;       // font size in half points
    QString FontName;          // empty: the default font
    TColor Color = clNone;     // clNone: the default colour
    TColor BackColor = clNone;
    int Raise = 0;             // 1 superscript, -1 subscript
    // The baseline shift of \upN / \dnN in half points (negative: down);
    // 0 with Raise set: \super / \sub, raised as far as the font says.
    int Offset = 0;
    bool operator==(const TRichTextRun&) const = default;
};

enum TRichTextAlign { rtaLeft, rtaCenter, rtaRight };

struct TRichTextParagraph {
    TRichTextAlign Align = rtaLeft;
    std::vector<TRichTextRun> Runs;
    bool operator==(const TRichTextParagraph&) const = default;
};

struct TRichTextDocument {
    std::vector<TRichTextParagraph> Paragraphs;
    bool operator==(const TRichTextDocument&) const = default;
};

// True for a text that starts as rich text does ("{\rtf").
bool IsRichText(const QString& Text);
// Where reading ends: where the outermost group closes, or at the end of
// the text, stray closing braces skipped (an editor keeps all it is given).
enum TRichTextReadEnd { rreDocumentEnd, rreWholeText };
TRichTextDocument RichTextRead(const QString& Rtf, TRichTextReadEnd End = rreDocumentEnd);
QString RichTextWrite(const TRichTextDocument& Doc);
// Paragraphs separated by CR LF, \line as LF, \tab as a tab.
QString RichTextPlain(const TRichTextDocument& Doc);
QString RichTextToPlain(const QString& Rtf);

// A Qt text document and ours, both ways. Sizes of 12 points, fonts and
// colours that a run does not name stay unset in the Qt document and are
// not named when read from it; the baseline shift is kept in twips in the
// character format's RichTextOffsetProperty (sub- and superscript without
// one read as \sub and \super).
class QTextDocument;
constexpr int RichTextOffsetProperty = 0x100000 + 40;   // QTextFormat::UserProperty + 40
void RichTextToQt(const TRichTextDocument& Doc, QTextDocument& Out);
TRichTextDocument RichTextFromQt(const QTextDocument& Doc);

// The size the text takes laid out within Width (0: unwrapped), in Font
// where the text names no font or size.
TSize RichTextMeasure(const QString& Rtf, const TFont* Font, int Width);
// Draws the text into R, clipped to it and to the canvas's clip. A
// recording canvas records the plain text in R. A ForceColor other than
// clNone colours the whole text.
void RichTextDraw(TCanvas* Canvas, const QString& Rtf, const TRect& R, TColor ForceColor = clNone);

// ---- drawing at a scale (printing) ----
// Draws the text into R, in Canvas's logical units (its mapping mode
// applies), laid out at screen size in Font and enlarged by Scale device
// pixels per screen pixel. A canvas that paints with a QPainter gets the
// text as outlines (sharp on paper and in PDF files); a recording canvas
// records the plain text in R. Without WordWrap lines break only where the
// text breaks them (and are clipped at R's right edge).
void RichTextDrawScaled(TCanvas* Canvas, const QString& Rtf, const TRect& R, const TFont* Font, double Scale,
                        bool WordWrap = true);
