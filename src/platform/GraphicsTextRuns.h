// Shaped texts of one canvas: the width a text measures and the glyphs it
// draws, kept across paints. A grid repaints mostly the same cell texts
// frame after frame; shaping each of them twice a frame (once to lay it
// out, once to draw it) was most of the cost of a repaint.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QString>
#include <vector>

class QPainter;
class QPointF;

class TTextRuns {
public:
    // QFontMetrics(font).horizontalAdvance(text), remembered.
    int Width(const QFont& font, const QString& text);
    // QFontMetrics(font)'s height, ascent and leading, remembered.
    struct LineMetrics {
        int Height = 0;
        int Ascent = 0;
        int Leading = 0;
    };
    const LineMetrics& Metrics(const QFont& font);
    // Draws 'text' in the painter's font and pen with its baseline starting
    // at 'baseline', pixel for pixel as QPainter::drawText would. Answers
    // false, drawing nothing, for a text it does not keep (other scripts,
    // control characters, a glyph from a fallback font, a decorated or
    // turned font): the caller draws that one itself.
    bool Draw(QPainter* p, const QPointF& baseline, const QString& text);
    void Clear() { FFonts.clear(); }

    // Bounds: texts kept per font before that font's texts start over, and
    // fonts kept at once.
    static constexpr int MaxTexts = 4096;
    static constexpr int MaxFonts = 8;

private:
    struct Entry {
        int Width = -1;
        signed char Shaped = 0;  // 0 not yet, 1 Run holds the glyphs, -1 not kept
        QGlyphRun Run;
    };
    struct FontTexts {
        QFont Font;
        int Dpi = 0;  // of the device drawn on; 0 for measuring
        QHash<QString, Entry> Texts;
        bool HasMetrics = false;
        LineMetrics Line;
    };
    FontTexts& FindFont(const QFont& font, int dpi);
    Entry& Find(const QFont& font, int dpi, const QString& text);

    std::vector<FontTexts> FFonts;  // most recently used first
};
