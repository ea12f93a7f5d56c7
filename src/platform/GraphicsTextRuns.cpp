// Shaped texts of one canvas (see GraphicsTextRuns.h).

#include "GraphicsTextRuns.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace {

// Texts whose glyphs lie left to right in one run of the font's own
// glyphs: Latin letters, digits and signs. Anything else (bidirectional or
// complex scripts, tabs and other control characters) goes to the painter.
bool TextRunsPlainText(const QString& text)
{
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u > 0x24F) return false;
    }
    return true;
}

}  // namespace

TTextRuns::FontTexts& TTextRuns::FindFont(const QFont& font, int dpi)
{
    auto it = std::find_if(FFonts.begin(), FFonts.end(),
                           [&](const FontTexts& f) { return f.Dpi == dpi && f.Font == font; });
    if (it == FFonts.end()) {
        if (int(FFonts.size()) >= MaxFonts) FFonts.pop_back();
        FFonts.insert(FFonts.begin(), FontTexts{font, dpi, {}});
        it = FFonts.begin();
    } else if (it != FFonts.begin()) {
        std::rotate(FFonts.begin(), it, it + 1);
        it = FFonts.begin();
    }
    return *it;
}

TTextRuns::Entry& TTextRuns::Find(const QFont& font, int dpi, const QString& text)
{
    QHash<QString, Entry>& texts = FindFont(font, dpi).Texts;
    auto hit = texts.find(text);
    if (hit != texts.end()) return *hit;
    if (texts.size() >= MaxTexts) texts.clear();
    return texts[text];
}

int TTextRuns::Width(const QFont& font, const QString& text)
{
    if (text.isEmpty()) return 0;
    Entry& e = Find(font, 0, text);
    if (e.Width < 0) e.Width = QFontMetrics(font).horizontalAdvance(text);
    return e.Width;
}

const TTextRuns::LineMetrics& TTextRuns::Metrics(const QFont& font)
{
    FontTexts& f = FindFont(font, 0);
    if (!f.HasMetrics) {
        const QFontMetrics fm(font);
        f.Line = {fm.height(), fm.ascent(), fm.leading()};
        f.HasMetrics = true;
    }
    return f.Line;
}

bool TTextRuns::Draw(QPainter* p, const QPointF& baseline, const QString& text)
{
    if (!p || text.isEmpty()) return true;
    const QFont& font = p->font();
    if (font.underline() || font.strikeOut() || font.overline() || p->layoutDirection() == Qt::RightToLeft
        || p->transform().type() > QTransform::TxTranslate || !p->device())
        return false;
    Entry& e = Find(font, p->device()->logicalDpiY(), text);
    if (e.Shaped == 0) {
        e.Shaped = -1;
        if (TextRunsPlainText(text)) {
            QTextLayout layout(text, font, p->device());
            layout.setCacheEnabled(true);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            const QList<QGlyphRun> runs = layout.glyphRuns();
            if (runs.size() == 1 && !runs.front().positions().isEmpty()) {
                QGlyphRun run = runs.front();
                // Positions relative to the baseline's start, as drawText
                // places them.
                const qreal base = run.positions().front().y();
                QList<QPointF> pos = run.positions();
                for (QPointF& pt : pos) pt.ry() -= base;
                run.setPositions(pos);
                e.Run = run;
                e.Shaped = 1;
            }
        }
    }
    if (e.Shaped < 0) return false;
    p->drawGlyphRun(baseline, e.Run);
    return true;
}
