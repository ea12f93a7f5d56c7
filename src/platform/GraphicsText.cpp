// DrawText's layout: prefix characters, line breaks, word wrap, tabs,
// ellipsis, alignment and the rectangle DT_CALCRECT answers.

#include "Graphics.h"
#include "GraphicsTextRuns.h"

#include <QFontMetrics>
#include <algorithm>

namespace {

struct Measure {
    const QFont& Font;
    QFontMetrics Fm;
    TTextRuns& Runs;
    bool ExpandTabs;
    int TabWidth = 0;  // set when the text has a tab to expand

    int Advance(const QString& s) const { return Runs.Width(Font, s); }

    // Pieces of one line; tabs advance to the next multiple of TabWidth.
    std::vector<TTextPiece> Pieces(const QString& s, int* width) const
    {
        std::vector<TTextPiece> out;
        if (!ExpandTabs || !s.contains(QLatin1Char('\t'))) {
            if (!s.isEmpty()) out.push_back({0, s});
            if (width) *width = Advance(s);
            return out;
        }
        int x = 0;
        const QStringList parts = s.split(QLatin1Char('\t'));
        for (int i = 0; i < parts.size(); ++i) {
            if (!parts[i].isEmpty()) out.push_back({x, parts[i]});
            x += Advance(parts[i]);
            if (i + 1 < parts.size() && TabWidth > 0) x = (x / TabWidth + 1) * TabWidth;
        }
        if (width) *width = x;
        return out;
    }
    int Width(const QString& s) const
    {
        int w = 0;
        Pieces(s, &w);
        return w;
    }
};

struct RawLine {
    QString Text;
    int Start = 0;  // index of its first character in the processed text
};

// Removes prefix characters: "&x" marks x (the last one marked counts),
// "&&" is a literal "&".
QString StripPrefixes(const QString& text, int& prefixIndex)
{
    QString out;
    out.reserve(text.size());
    prefixIndex = -1;
    for (int i = 0; i < text.size(); ++i) {
        QChar ch = text[i];
        if (ch == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                out += ch;
                ++i;
            } else if (i + 1 < text.size()) {
                prefixIndex = int(out.size());
            }
            continue;
        }
        out += ch;
    }
    return out;
}

// Paragraphs split at CR LF, CR or LF.
std::vector<RawLine> SplitParagraphs(const QString& s)
{
    std::vector<RawLine> out;
    int start = 0;
    for (int i = 0; i < s.size(); ++i) {
        QChar ch = s[i];
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            out.push_back({s.mid(start, i - start), start});
            if (ch == QLatin1Char('\r') && i + 1 < s.size() && s[i + 1] == QLatin1Char('\n')) ++i;
            start = i + 1;
        }
    }
    out.push_back({s.mid(start), start});
    return out;
}

QString TrimRight(const QString& s)
{
    int n = int(s.size());
    while (n > 0 && s[n - 1] == QLatin1Char(' ')) --n;
    return s.left(n);
}

// Breaks one paragraph into lines at most 'width' wide, at blanks; a word
// wider than the line stays whole unless 'breakWords' (edit-control rules).
void WrapParagraph(const RawLine& para, const Measure& m, int width, bool breakWords,
                   std::vector<RawLine>& out)
{
    const QString& p = para.Text;
    int start = 0;
    const int n = int(p.size());
    if (n == 0) {
        out.push_back(para);
        return;
    }
    while (start < n) {
        QString rest = p.mid(start);
        if (m.Width(TrimRight(rest)) <= width) {
            out.push_back({TrimRight(rest), para.Start + start});
            return;
        }
        // Longest run of whole words that fits.
        int best = -1;
        for (int j = start + 1; j < n; ++j) {
            if (p[j] == QLatin1Char(' ') && p[j - 1] != QLatin1Char(' ')) {
                if (m.Width(p.mid(start, j - start)) <= width) best = j;
                else break;
            }
        }
        int end;
        if (best > start) {
            end = best;
        } else if (breakWords) {
            end = start + 1;
            while (end < n && p[end] != QLatin1Char(' ') && m.Width(p.mid(start, end + 1 - start)) <= width)
                ++end;
        } else {
            end = start;
            while (end < n && p[end] != QLatin1Char(' ')) ++end;
        }
        out.push_back({TrimRight(p.mid(start, end - start)), para.Start + start});
        start = end;
        while (start < n && p[start] == QLatin1Char(' ')) ++start;
    }
}

// Cuts a line so that it fits with "..." appended.
QString Ellipsize(const QString& s, const Measure& m, int width)
{
    static const QString dots = QStringLiteral("...");
    // The longest prefix that fits, found by halving: a long text (a cell
    // may hold thousands of characters) must not cost a measurement per
    // character.
    int lo = 0, hi = int(s.size());
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (m.Width(s.left(mid) + dots) <= width) lo = mid;
        else hi = mid - 1;
    }
    return s.left(lo) + dots;
}

}  // namespace

TTextLayout TCanvas::LayoutText(const QString& text, const TRect& r, unsigned flags) const
{
    TTextLayout layout;
    // Device pixels, in the font as the device draws it.
    const QFont& font = DeviceFont();
    Measure m{font, QFontMetrics(font), TextRuns(), (flags & DT_EXPANDTABS) != 0};
    if (m.ExpandTabs && text.contains(QLatin1Char('\t'))) m.TabWidth = 8 * m.Fm.averageCharWidth();

    int prefixIndex = -1;
    QString s = text;
    if (!(flags & DT_NOPREFIX)) {
        s = StripPrefixes(text, prefixIndex);
        if (flags & DT_HIDEPREFIX) prefixIndex = -1;
    }

    const int width = r.Width();
    std::vector<RawLine> lines;
    if (s.isEmpty()) {
        // Nothing to lay out: the platform answers an empty rectangle, so
        // callers that want one line's height measure a blank instead.
    } else if (flags & DT_SINGLELINE) {
        lines.push_back({s, 0});
    } else {
        for (const RawLine& para : SplitParagraphs(s)) {
            if (flags & DT_WORDBREAK)
                WrapParagraph(para, m, width, (flags & DT_EDITCONTROL) != 0, lines);
            else
                lines.push_back(para);
        }
    }

    const bool ellipsis = flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS);
    const TTextRuns::LineMetrics& lm = m.Runs.Metrics(font);
    int lineHeight = lm.Height;
    if (flags & DT_EXTERNALLEADING) lineHeight += std::max(0, lm.Leading);
    layout.LineHeight = lineHeight;
    layout.Ascent = lm.Ascent;

    int top = r.Top;
    const bool single = flags & DT_SINGLELINE;
    if (single && (flags & DT_VCENTER)) top = (r.Top + r.Bottom - lineHeight) / 2;
    else if (single && (flags & DT_BOTTOM)) top = r.Bottom - lineHeight;

    int maxWidth = 0;
    int y = top;
    for (RawLine& raw : lines) {
        QString visible = raw.Text;
        if (single) visible.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        bool cut = false;
        if (ellipsis && m.Width(visible) > width) {
            visible = Ellipsize(visible, m, width);
            cut = true;
        }
        TTextLine line;
        line.Pieces = m.Pieces(visible, &line.Width);
        if (flags & DT_CENTER) line.X = (r.Left + r.Right - line.Width) / 2;
        else if (flags & DT_RIGHT) line.X = r.Right - line.Width;
        else line.X = r.Left;
        line.Y = y;
        int rel = prefixIndex - raw.Start;
        int keep = cut ? int(visible.size()) - 3 : int(visible.size());
        if (prefixIndex >= 0 && rel >= 0 && rel < keep && rel < int(raw.Text.size())) {
            line.UnderlineX = m.Width(visible.left(rel));
            line.UnderlineWidth = m.Fm.horizontalAdvance(visible.mid(rel, 1));
        }
        maxWidth = std::max(maxWidth, line.Width);
        layout.Lines.push_back(std::move(line));
        y += lineHeight;
    }

    int total = int(lines.size()) * lineHeight;
    layout.Bounds = TRect(r.Left, r.Top, r.Left + maxWidth, r.Top + total);
    if (lines.empty()) layout.Height = 0;
    else layout.Height = single && (flags & (DT_VCENTER | DT_BOTTOM)) ? top - r.Top + lineHeight : total;
    return layout;
}
