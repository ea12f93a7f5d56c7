#include "RichText.h"

#include "CodePages.h"
#include "GraphicsPainter.h"
#include "GraphicsRecording.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

enum TRichTextDest { rdText, rdFontTable, rdColorTable, rdSkip };

// Text in a format at the end of a paragraph: the last run grows when it
// has the same format.
void RichTextAppend(TRichTextParagraph& p, TRichTextRun Format, const QString& Text)
{
    Format.Text.clear();
    if (!p.Runs.empty()) {
        TRichTextRun last = p.Runs.back();
        last.Text.clear();
        if (last == Format) {
            p.Runs.back().Text += Text;
            return;
        }
    }
    Format.Text = Text;
    p.Runs.push_back(std::move(Format));
}

struct TRichTextState {
    TRichTextRun Format;
    TRichTextDest Dest = rdText;
    int FontIndex = -1;
    int ColorIndex = 0;
    int BackIndex = 0;
    int UcSkip = 1;
};

struct TRichTextReader {
    TRichTextReader(const QString& s, TRichTextReadEnd end) : Src(s), End(end) {}

    const QString& Src;
    const TRichTextReadEnd End;
    int Pos = 0;
    std::vector<TRichTextState> Stack;
    TRichTextState St;
    TRichTextDocument Doc;
    TRichTextAlign Align = rtaLeft;
    std::vector<std::pair<int, QString>> Fonts;
    std::vector<TColor> Colors;
    int Red = 0, Green = 0, Blue = 0;
    bool ColorSet = false;
    QString FontName;
    QByteArray Ansi;   // \'hh bytes waiting to be decoded together

    QString FontOf(int Index) const
    {
        for (const auto& f : Fonts)
            if (f.first == Index) return f.second;
        return QString();
    }
    TColor ColorOf(int Index) const
    {
        return Index > 0 && Index < int(Colors.size()) ? Colors[size_t(Index)] : clNone;
    }

    void FlushAnsi()
    {
        if (Ansi.isEmpty()) return;
        const QByteArray b = Ansi;
        Ansi.clear();
        AddText(AnsiToUnicode(b));
    }

    void AddText(const QString& t)
    {
        if (t.isEmpty()) return;
        if (St.Dest == rdFontTable) {
            FontName += t;
            return;
        }
        if (St.Dest != rdText) return;
        if (Doc.Paragraphs.empty()) Doc.Paragraphs.emplace_back();
        TRichTextParagraph& p = Doc.Paragraphs.back();
        p.Align = Align;
        TRichTextRun f = St.Format;
        f.FontName = FontOf(St.FontIndex);
        f.Color = ColorOf(St.ColorIndex);
        f.BackColor = ColorOf(St.BackIndex);
        RichTextAppend(p, f, t);
    }

    void EndFontEntry()
    {
        QString n = FontName.trimmed();
        if (n.endsWith(u';')) n.chop(1);
        if (St.FontIndex >= 0 && !n.isEmpty()) Fonts.emplace_back(St.FontIndex, n);
        FontName.clear();
    }

    void Paragraph()
    {
        FlushAnsi();
        if (St.Dest != rdText) return;
        if (Doc.Paragraphs.empty()) Doc.Paragraphs.emplace_back();
        Doc.Paragraphs.back().Align = Align;
        Doc.Paragraphs.emplace_back();
        Doc.Paragraphs.back().Align = Align;
    }

    void Word(const QString& w, bool hasArg, int arg)
    {
        if (w != QLatin1String("u")) FlushAnsi();
        TRichTextRun& f = St.Format;
        const bool on = !hasArg || arg != 0;
        if (w == QLatin1String("b")) f.Bold = on;
        else if (w == QLatin1String("i")) f.Italic = on;
        else if (w == QLatin1String("ul")) f.Underline = on;
        else if (w == QLatin1String("ulnone")) f.Underline = false;
        else if (w == QLatin1String("strike")) f.StrikeOut = on;
        else if (w == QLatin1String("fs")) f.HalfPoints = hasArg && arg > 0 ? std::min(arg, 3276) : 24;
        else if (w == QLatin1String("f")) {
            if (St.Dest == rdFontTable && !FontName.trimmed().isEmpty()) EndFontEntry();
            St.FontIndex = arg;
        } else if (w == QLatin1String("cf")) St.ColorIndex = arg;
        else if (w == QLatin1String("cb") || w == QLatin1String("highlight")) St.BackIndex = arg;
        else if (w == QLatin1String("super") || w == QLatin1String("sub")) {
            f.Raise = w == QLatin1String("super") ? 1 : -1;
            f.Offset = 0;
        } else if (w == QLatin1String("up") || w == QLatin1String("dn")) {
            // Half points; without a number, 6.
            const int shift = std::clamp(hasArg ? arg : 6, 0, 3276);
            f.Offset = w == QLatin1String("up") ? shift : -shift;
            f.Raise = f.Offset > 0 ? 1 : f.Offset < 0 ? -1 : 0;
        } else if (w == QLatin1String("nosupersub")) {
            f.Raise = 0;
            f.Offset = 0;
        }
        else if (w == QLatin1String("par")) Paragraph();
        else if (w == QLatin1String("line")) AddText(QStringLiteral("\n"));
        else if (w == QLatin1String("tab")) AddText(QStringLiteral("\t"));
        else if (w == QLatin1String("pard")) Align = rtaLeft;
        else if (w == QLatin1String("ql")) Align = rtaLeft;
        else if (w == QLatin1String("qc")) Align = rtaCenter;
        else if (w == QLatin1String("qr")) Align = rtaRight;
        else if (w == QLatin1String("plain")) f = TRichTextRun();
        else if (w == QLatin1String("uc")) St.UcSkip = std::max(0, arg);
        else if (w == QLatin1String("u")) {
            if (!hasArg) return;
            FlushAnsi();
            AddText(QString(QChar(char16_t(uint16_t(int16_t(arg))))));
            SkipFallback();
        } else if (w == QLatin1String("fonttbl")) St.Dest = rdFontTable;
        else if (w == QLatin1String("colortbl")) St.Dest = rdColorTable;
        else if (w == QLatin1String("red")) { Red = arg; ColorSet = true; }
        else if (w == QLatin1String("green")) { Green = arg; ColorSet = true; }
        else if (w == QLatin1String("blue")) { Blue = arg; ColorSet = true; }
        else if (w == QLatin1String("info") || w == QLatin1String("stylesheet") || w == QLatin1String("pict")
                 || w == QLatin1String("object"))
            St.Dest = rdSkip;
    }

    // After \uN the \ucN characters that stand in for readers without Unicode.
    void SkipFallback()
    {
        for (int n = St.UcSkip; n > 0 && Pos < Src.size(); --n) {
            if (Src[Pos] == u'\\' && Pos + 1 < Src.size() && Src[Pos + 1] == u'\'') Pos += 4;
            else if (Src[Pos] == u'{' || Src[Pos] == u'}') break;
            else ++Pos;
        }
        Pos = std::min(Pos, int(Src.size()));
    }

    void ControlWord()
    {
        // Pos is on the character after the backslash.
        const QChar c = Src[Pos];
        if (!c.isLetter() || c.unicode() > 127) {
            ++Pos;
            switch (c.unicode()) {
            case '\\': case '{': case '}': AddText(QString(c)); break;
            case '~': AddText(QString(QChar(0xA0))); break;
            case '_': AddText(QStringLiteral("-")); break;
            case '*': St.Dest = rdSkip; break;
            case '\n': case '\r': Paragraph(); break;
            case '\'': {
                bool ok = false;
                const QString hex = Src.mid(Pos, 2);
                const int v = hex.size() == 2 ? hex.toInt(&ok, 16) : 0;
                Pos = std::min(Pos + 2, int(Src.size()));
                if (ok && St.Dest != rdSkip) Ansi.append(char(v));
                break;
            }
            default: break;
            }
            return;
        }
        const int start = Pos;
        while (Pos < Src.size() && Src[Pos].unicode() < 128 && Src[Pos].isLetter() && Pos - start < 32) ++Pos;
        const QString w = Src.mid(start, Pos - start);
        bool hasArg = false;
        int arg = 0;
        const int numStart = Pos;
        if (Pos < Src.size() && Src[Pos] == u'-') ++Pos;
        while (Pos < Src.size() && Src[Pos].isDigit() && Pos - numStart < 10) ++Pos;
        if (Pos > numStart && !(Pos == numStart + 1 && Src[numStart] == u'-')) {
            hasArg = true;
            arg = Src.mid(numStart, Pos - numStart).toInt();
        } else {
            Pos = numStart;
        }
        if (Pos < Src.size() && Src[Pos] == u' ') ++Pos;
        Word(w, hasArg, arg);
    }

    void Run()
    {
        while (Pos < Src.size()) {
            const QChar c = Src[Pos];
            if (c == u'{') {
                FlushAnsi();
                Stack.push_back(St);
                ++Pos;
            } else if (c == u'}') {
                FlushAnsi();
                if (St.Dest == rdFontTable) EndFontEntry();
                ++Pos;
                if (Stack.empty()) {
                    if (End == rreDocumentEnd) break;
                    continue;   // a stray closing brace
                }
                St = Stack.back();
                Stack.pop_back();
            } else if (c == u'\\') {
                ++Pos;
                if (Pos >= Src.size()) break;
                ControlWord();
            } else if (c == u'\r' || c == u'\n') {
                ++Pos;
            } else if (c == u';' && St.Dest == rdColorTable) {
                Colors.push_back(ColorSet ? RGBColor(Red, Green, Blue) : clNone);
                Red = Green = Blue = 0;
                ColorSet = false;
                ++Pos;
            } else if (c == u';' && St.Dest == rdFontTable) {
                EndFontEntry();
                ++Pos;
            } else {
                FlushAnsi();
                const int start = Pos;
                while (Pos < Src.size() && Src[Pos] != u'{' && Src[Pos] != u'}' && Src[Pos] != u'\\'
                       && Src[Pos] != u'\r' && Src[Pos] != u'\n' && Src[Pos] != u';')
                    ++Pos;
                if (Pos == start) ++Pos;   // a ';' in text
                AddText(Src.mid(start, Pos - start));
            }
        }
        FlushAnsi();
        // A \par at the very end opens no paragraph of its own.
        if (Doc.Paragraphs.size() > 1 && Doc.Paragraphs.back().Runs.empty()) Doc.Paragraphs.pop_back();
    }
};

QString RichTextEscape(const QString& t)
{
    QString out;
    for (QChar c : t) {
        const ushort u = c.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') out += QLatin1Char('\\') + QString(c);
        else if (c == u'\n') out += QStringLiteral("\\line ");
        else if (c == u'\t') out += QStringLiteral("\\tab ");
        else if (u < 128) out += c;
        // \'hh is read as Windows-1252, which has other characters at 0x80..0x9F.
        else if (u >= 0xA0 && u < 256) out += QStringLiteral("\\'%1").arg(u, 2, 16, QLatin1Char('0'));
        else out += QStringLiteral("\\u%1?").arg(int(int16_t(u)));
    }
    return out;
}

static_assert(RichTextOffsetProperty == QTextFormat::UserProperty + 40);

// Twips a \super or \sub without a shift of its own stands for.
constexpr int RichTextRaiseTwips = 40;

// A run's character format. With DefaultSize the 12-point size stays
// unset (the document's default font has the say); a Font colours what
// the run leaves uncoloured, a ForceColor all of it.
QTextCharFormat RichTextCharFormat(const TRichTextRun& r, bool DefaultSize, const TFont* Font, TColor ForceColor)
{
    QTextCharFormat cf;
    if (!r.FontName.isEmpty()) cf.setFontFamilies({r.FontName});
    if (r.HalfPoints != 24 || !DefaultSize) cf.setFontPointSize(r.HalfPoints / 2.0);
    cf.setFontWeight(r.Bold ? QFont::Bold : QFont::Normal);
    cf.setFontItalic(r.Italic);
    cf.setFontUnderline(r.Underline);
    cf.setFontStrikeOut(r.StrikeOut);
    if (ForceColor != clNone) cf.setForeground(ToQColor(ForceColor));
    else if (r.Color != clNone) cf.setForeground(ToQColor(r.Color));
    else if (Font) cf.setForeground(ToQColor(Font->Color()));
    if (r.BackColor != clNone) cf.setBackground(ToQColor(r.BackColor));
    if (r.Raise) {
        cf.setVerticalAlignment(r.Raise > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
        cf.setProperty(RichTextOffsetProperty, r.Offset ? r.Offset * 10 : r.Raise * RichTextRaiseTwips);
    }
    return cf;
}

void RichTextFill(QTextDocument& d, const TRichTextDocument& doc, bool DefaultSize, const TFont* Font,
                  TColor ForceColor)
{
    QTextCursor cur(&d);
    bool first = true;
    for (const TRichTextParagraph& p : doc.Paragraphs) {
        QTextBlockFormat bf;
        bf.setAlignment(p.Align == rtaCenter ? Qt::AlignHCenter : p.Align == rtaRight ? Qt::AlignRight : Qt::AlignLeft);
        if (first) cur.setBlockFormat(bf);
        else cur.insertBlock(bf);
        first = false;
        for (const TRichTextRun& r : p.Runs) {
            QString t = r.Text;
            t.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
            cur.insertText(t, RichTextCharFormat(r, DefaultSize, Font, ForceColor));
        }
    }
}

void RichTextBuildDocument(QTextDocument& d, const TRichTextDocument& doc, const TFont* Font,
                           TColor ForceColor = clNone)
{
    if (Font) d.setDefaultFont(Font->ToQFont());
    d.setDocumentMargin(0);
    RichTextFill(d, doc, Font != nullptr, Font, ForceColor);
}

// A Qt character format as a run (without its text).
TRichTextRun RichTextRunOf(const QTextCharFormat& f)
{
    TRichTextRun r;
    r.FontName = f.fontFamilies().toStringList().value(0);
    if (f.fontPointSize() > 0) r.HalfPoints = std::clamp(int(std::lround(f.fontPointSize() * 2)), 1, 3276);
    r.Bold = f.fontWeight() >= QFont::Bold;
    r.Italic = f.fontItalic();
    r.Underline = f.fontUnderline();
    r.StrikeOut = f.fontStrikeOut();
    if (f.hasProperty(QTextFormat::ForegroundBrush)) r.Color = FromQColor(f.foreground().color());
    if (f.hasProperty(QTextFormat::BackgroundBrush)) r.BackColor = FromQColor(f.background().color());
    const int twips = f.intProperty(RichTextOffsetProperty);
    if (twips) {
        r.Raise = twips > 0 ? 1 : -1;
        r.Offset = twips / 10;
        // RTF has no shift under a half point.
        if (!r.Offset) r.Raise = 0;
    } else if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) {
        r.Raise = 1;
    } else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) {
        r.Raise = -1;
    }
    return r;
}

}  // namespace

bool IsRichText(const QString& Text)
{
    return Text.startsWith(QLatin1String("{\\rtf"));
}

TRichTextDocument RichTextRead(const QString& Rtf, TRichTextReadEnd End)
{
    TRichTextReader r(Rtf, End);
    r.Run();
    return r.Doc;
}

QString RichTextWrite(const TRichTextDocument& Doc)
{
    // The font and colour tables first: every name and colour the runs use.
    QStringList fonts;
    std::vector<TColor> colors;
    for (const auto& p : Doc.Paragraphs)
        for (const auto& r : p.Runs) {
            if (!r.FontName.isEmpty() && !fonts.contains(r.FontName)) fonts << r.FontName;
            for (TColor c : {r.Color, r.BackColor})
                if (c != clNone && std::find(colors.begin(), colors.end(), c) == colors.end()) colors.push_back(c);
        }
    QString out = QStringLiteral("{\\rtf1\\ansi\\deff0");
    if (!fonts.isEmpty()) {
        out += QStringLiteral("{\\fonttbl");
        for (int i = 0; i < fonts.size(); ++i)
            out += QStringLiteral("{\\f%1 %2;}").arg(i).arg(RichTextEscape(fonts[i]));
        out += QLatin1Char('}');
    }
    if (!colors.empty()) {
        out += QStringLiteral("{\\colortbl ;");
        for (TColor c : colors)
            out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c & 0xFF).arg((c >> 8) & 0xFF).arg((c >> 16) & 0xFF);
        out += QLatin1Char('}');
    }
    auto colorIndex = [&](TColor c) {
        return int(std::find(colors.begin(), colors.end(), c) - colors.begin()) + 1;
    };
    for (size_t i = 0; i < Doc.Paragraphs.size(); ++i) {
        const TRichTextParagraph& p = Doc.Paragraphs[i];
        out += QStringLiteral("\\pard");
        out += p.Align == rtaCenter ? QStringLiteral("\\qc") : p.Align == rtaRight ? QStringLiteral("\\qr") : QString();
        out += QLatin1Char(' ');
        for (const TRichTextRun& r : p.Runs) {
            out += QStringLiteral("{\\plain");
            if (r.Bold) out += QStringLiteral("\\b");
            if (r.Italic) out += QStringLiteral("\\i");
            if (r.Underline) out += QStringLiteral("\\ul");
            if (r.StrikeOut) out += QStringLiteral("\\strike");
            if (r.HalfPoints != 24) out += QStringLiteral("\\fs%1").arg(r.HalfPoints);
            if (!r.FontName.isEmpty()) out += QStringLiteral("\\f%1").arg(fonts.indexOf(r.FontName));
            if (r.Color != clNone) out += QStringLiteral("\\cf%1").arg(colorIndex(r.Color));
            if (r.BackColor != clNone) out += QStringLiteral("\\highlight%1").arg(colorIndex(r.BackColor));
            if (r.Offset) out += r.Offset > 0 ? QStringLiteral("\\up%1").arg(r.Offset) : QStringLiteral("\\dn%1").arg(-r.Offset);
            else if (r.Raise) out += r.Raise > 0 ? QStringLiteral("\\super") : QStringLiteral("\\sub");
            out += QLatin1Char(' ') + RichTextEscape(r.Text) + QLatin1Char('}');
        }
        if (i + 1 < Doc.Paragraphs.size()) out += QStringLiteral("\\par\n");
    }
    // The reader takes a \par at the very end for the last paragraph's
    // mark: an empty last paragraph needs one more to stay.
    if (Doc.Paragraphs.size() > 1 && Doc.Paragraphs.back().Runs.empty()) out += QStringLiteral("\\par");
    out += QLatin1Char('}');
    return out;
}

QString RichTextPlain(const TRichTextDocument& Doc)
{
    QStringList paras;
    for (const auto& p : Doc.Paragraphs) {
        QString s;
        for (const auto& r : p.Runs) s += r.Text;
        paras << s;
    }
    return paras.join(QStringLiteral("\r\n"));
}

QString RichTextToPlain(const QString& Rtf)
{
    return RichTextPlain(RichTextRead(Rtf));
}

void RichTextToQt(const TRichTextDocument& Doc, QTextDocument& Out)
{
    Out.clear();
    RichTextFill(Out, Doc, true, nullptr, clNone);
}

TRichTextDocument RichTextFromQt(const QTextDocument& Doc)
{
    TRichTextDocument out;
    for (QTextBlock b = Doc.begin(); b.isValid(); b = b.next()) {
        TRichTextParagraph p;
        const Qt::Alignment a = b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        p.Align = a & Qt::AlignHCenter ? rtaCenter : a & Qt::AlignRight ? rtaRight : rtaLeft;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            QString t = frag.text();
            t.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
            RichTextAppend(p, RichTextRunOf(frag.charFormat()), t);
        }
        out.Paragraphs.push_back(p);
    }
    return out;
}

TSize RichTextMeasure(const QString& Rtf, const TFont* Font, int Width)
{
    QTextDocument d;
    RichTextBuildDocument(d, RichTextRead(Rtf), Font);
    if (Width > 0) d.setTextWidth(Width);
    const QSizeF s = d.size();
    return TSize(int(std::ceil(Width > 0 ? d.idealWidth() : s.width())), int(std::ceil(s.height())));
}

void RichTextDraw(TCanvas* Canvas, const QString& Rtf, const TRect& R, TColor ForceColor)
{
    if (!Canvas || R.Width() <= 0 || R.Height() <= 0) return;
    const TRichTextDocument doc = RichTextRead(Rtf);
    if (dynamic_cast<TRecordingBackend*>(Canvas->Backend())) {
        TRect r = R;
        Canvas->DrawText(RichTextPlain(doc), r, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        return;
    }
    QTextDocument d;
    RichTextBuildDocument(d, doc, Canvas->Font(), ForceColor);
    d.setTextWidth(R.Width());
    QImage img(R.Width(), R.Height(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = QRectF(0, 0, R.Width(), R.Height());
        if (Canvas->Font()) ctx.palette.setColor(QPalette::Text, ToQColor(Canvas->Font()->Color()));
        d.documentLayout()->draw(&p, ctx);
    }
    Canvas->Backend()->DrawImage(*Canvas, R, img, TRect(0, 0, R.Width(), R.Height()));
}

// ---- drawing at a scale (printing) -------------------------------------------------------

void RichTextDrawScaled(TCanvas* Canvas, const QString& Rtf, const TRect& R, const TFont* Font, double Scale,
                        bool WordWrap)
{
    if (!Canvas || !(Scale > 0)) return;
    const TRichTextDocument doc = RichTextRead(Rtf);
    if (dynamic_cast<TRecordingBackend*>(Canvas->Backend())) {
        TRect r = R;
        Canvas->DrawText(RichTextPlain(doc), r, DT_LEFT | DT_TOP | DT_NOPREFIX | (WordWrap ? DT_WORDBREAK : 0));
        return;
    }
    // R's size at screen size: its device pixels over the scale.
    const TRect dev = Canvas->LPtoDP(R);
    const double w = std::abs(dev.Right - dev.Left) / Scale, h = std::abs(dev.Bottom - dev.Top) / Scale;
    if (w < 1 || h < 1) return;
    PaintScaled(Canvas, R, Scale, [&](TCanvas* sc) {
        auto* b = dynamic_cast<TPainterBackend*>(sc->Backend());
        QPainter* p = b ? b->ActivePainter(*sc) : nullptr;
        if (!p) return;
        QTextDocument d;
        RichTextBuildDocument(d, doc, Font);
        if (WordWrap) d.setTextWidth(w);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = QRectF(0, 0, w, h);
        if (Font) ctx.palette.setColor(QPalette::Text, ToQColor(Font->Color()));
        p->save();
        d.documentLayout()->draw(p, ctx);
        p->restore();
    });
}
