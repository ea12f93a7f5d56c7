// The canvas's shaped texts: the same widths and the same pixels as
// measuring and drawing through the painter, kept only for the texts where
// that holds, and bounded.

#include "Graphics.h"
#include "GraphicsTextRuns.h"
#include "TestHarness.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QStringList& TextRunsSamples()
{
    static const QStringList texts = {
        QStringLiteral("R1C1"),          QStringLiteral("R99999C10"),  QStringLiteral("fi ffl AV Wa To"),
        QStringLiteral("  lead"),        QStringLiteral("trail   "),   QStringLiteral("1,234.56 EUR"),
        QStringLiteral("S7 192.168.0.1"), QStringLiteral("\u00c4\u00f6\u00fc\u00df \u00e9\u00e8 \u0141\u00f3d\u017a"),
        QStringLiteral("(a+b)*[c/d]{e}"), QStringLiteral("|||iiilll"),
    };
    return texts;
}

QFont TextRunsFont(int px, bool bold, bool italic)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QImage TextRunsBlank() { QImage img(220, 30, QImage::Format_RGB32); img.fill(Qt::white); return img; }

}  // namespace

TEST(TextRuns, MeasureAndDrawLikeThePainter)
{
    TestHarness::InstallFont();
    struct FontCase { int Px; bool Bold, Italic; } fonts[] = {{9, false, false}, {12, false, false},
                                                              {12, true, false}, {13, false, true},
                                                              {17, true, true}, {24, false, false}};
    for (const FontCase& fc : fonts) {
        const QFont font = TextRunsFont(fc.Px, fc.Bold, fc.Italic);
        TTextRuns runs;
        const QFontMetrics fm(font);
        for (int pass = 0; pass < 2; ++pass) {
            const TTextRuns::LineMetrics& lm = runs.Metrics(font);
            EXPECT_EQ(lm.Height, fm.height());
            EXPECT_EQ(lm.Ascent, fm.ascent());
            EXPECT_EQ(lm.Leading, fm.leading());
        }
        for (const QString& text : TextRunsSamples()) {
            SCOPED_TRACE(QStringLiteral("%1px bold %2 italic %3: %4").arg(fc.Px).arg(fc.Bold).arg(fc.Italic).arg(text).toStdString());
            EXPECT_EQ(runs.Width(font, text), QFontMetrics(font).horizontalAdvance(text));
            for (int pass = 0; pass < 2; ++pass) {  // shaped, then kept
                QImage theirs = TextRunsBlank(), ours = TextRunsBlank();
                {
                    QPainter p(&theirs);
                    p.setFont(font);
                    p.translate(3, 0);
                    p.drawText(QPointF(4, 20), text);
                }
                {
                    QPainter p(&ours);
                    p.setFont(font);
                    p.translate(3, 0);
                    ASSERT_TRUE(runs.Draw(&p, QPointF(4, 20), text));
                }
                EXPECT_TRUE(ours == theirs);
            }
        }
    }
}

TEST(TextRuns, LeavesToThePainterWhatItDoesNotKeep)
{
    TestHarness::InstallFont();
    TTextRuns runs;
    QImage img = TextRunsBlank();
    QPainter p(&img);
    p.setFont(TextRunsFont(12, false, false));
    const QString others[] = {QStringLiteral("a\tb"), QStringLiteral("\u05e9\u05dc\u05d5\u05dd"),
                              QStringLiteral("\u0645\u0631\u062d\u0628\u0627"), QStringLiteral("\u4e2d\u6587"),
                              QStringLiteral("x\u0301"), QStringLiteral("line\nbreak")};
    for (const QString& t : others) EXPECT_FALSE(runs.Draw(&p, QPointF(0, 20), t)) << t.toStdString();

    QFont underlined = TextRunsFont(12, false, false);
    underlined.setUnderline(true);
    p.setFont(underlined);
    EXPECT_FALSE(runs.Draw(&p, QPointF(0, 20), QStringLiteral("abc")));
    p.setFont(TextRunsFont(12, false, false));
    p.rotate(30);
    EXPECT_FALSE(runs.Draw(&p, QPointF(0, 20), QStringLiteral("abc")));
    p.resetTransform();
    p.setLayoutDirection(Qt::RightToLeft);
    EXPECT_FALSE(runs.Draw(&p, QPointF(0, 20), QStringLiteral("abc")));
    EXPECT_TRUE(img == TextRunsBlank());  // nothing drawn by a refusal
}

TEST(TextRuns, StaysBoundedAndRightPastItsLimits)
{
    TestHarness::InstallFont();
    TTextRuns runs;
    const QFont font = TextRunsFont(12, false, false);
    for (int i = 0; i < TTextRuns::MaxTexts + 50; ++i) runs.Width(font, QString::number(i * 7919));
    for (int px = 8; px < 8 + TTextRuns::MaxFonts + 3; ++px) runs.Width(TextRunsFont(px, false, false), QStringLiteral("W"));
    for (int i : {0, 17, TTextRuns::MaxTexts + 49}) {
        const QString t = QString::number(i * 7919);
        EXPECT_EQ(runs.Width(font, t), QFontMetrics(font).horizontalAdvance(t));
    }
    EXPECT_EQ(runs.Width(font, QString()), 0);
}

// Through the canvas: a grid cell's DrawText draws what the painter alone
// would, whether the text's glyphs are kept or not.
TEST(TextRuns, CanvasDrawTextUnchanged)
{
    TestHarness::InstallFont();
    for (const QString& text : {QStringLiteral("R12C3 Value"), QStringLiteral("\u05e9\u05dc\u05d5\u05dd")}) {
        QImage ours = TextRunsBlank(), theirs = TextRunsBlank();
        {
            QPainter p(&ours);
            TCanvas c(&p);
            c.Font()->SetName(QStringLiteral("DejaVu Sans"));
            c.Font()->SetHeight(-12);
            c.Brush()->SetStyle(bsClear);
            TRect r(2, 2, 200, 28);
            c.DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        {
            QPainter p(&theirs);
            TCanvas probe;
            probe.Font()->SetName(QStringLiteral("DejaVu Sans"));
            probe.Font()->SetHeight(-12);
            const QFont& f = probe.Font()->ToQFont();
            const QFontMetrics fm(f);
            p.setFont(f);
            p.drawText(QPointF(2, (2 + 28 - fm.height()) / 2 + fm.ascent()), text);
        }
        EXPECT_TRUE(ours == theirs) << text.toStdString();
    }
}
