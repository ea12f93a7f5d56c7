#include "MarkupFixtures.h"

#include <QBuffer>

namespace MarkupTest {

namespace {

void PutWord(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

// LZW data of a frame of one colour with a code size of 2: a clear code
// before every second pixel keeps every code 3 bits wide.
QByteArray LzwOneColour(int pixels, int index)
{
    std::vector<int> codes;
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0) codes.push_back(4);  // clear
        codes.push_back(index);
    }
    codes.push_back(5);  // end of information
    QByteArray out;
    unsigned acc = 0;
    int bits = 0;
    for (int c : codes) {
        acc |= unsigned(c) << bits;
        bits += 3;
        while (bits >= 8) {
            out.append(char(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0) out.append(char(acc & 0xFF));
    return out;
}

}  // namespace

QByteArray BuildGif(const std::vector<GifFrame>& frames)
{
    QByteArray b("GIF89a");
    PutWord(b, 20);
    PutWord(b, 10);
    b.append(char(0x81));  // global colour table of 4 entries
    b.append(char(0));
    b.append(char(0));
    const unsigned char table[] = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
    b.append(reinterpret_cast<const char*>(table), sizeof table);
    for (const GifFrame& f : frames) {
        b.append("\x21\xF9\x04", 3);
        b.append(char(f.Packed));
        PutWord(b, f.Delay);
        b.append(char(0));  // transparent colour index
        b.append(char(0));
        b.append(char(0x2C));
        PutWord(b, f.Left);
        PutWord(b, f.Top);
        PutWord(b, f.Width);
        PutWord(b, f.Height);
        b.append(char(0));
        b.append(char(2));  // LZW minimum code size
        const QByteArray data = LzwOneColour(f.Width * f.Height, f.ColorIndex);
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray chunk = data.mid(at, 255);
            b.append(char(chunk.size()));
            b.append(chunk);
        }
        b.append(char(0));
    }
    b.append(char(0x3B));
    return b;
}

QByteArray ThreeFrameGif()
{
    return BuildGif({{0, 0, 20, 10, 1, 10, 0x00},
                     {3, 2, 6, 4, 2, 20, (2 << 2) | 1},
                     {10, 4, 8, 5, 3, 30, (1 << 2)}});
}

qsizetype GifFrameMarker(const QByteArray& gif, int i)
{
    qsizetype at = -1;
    for (int n = 0; n < i; ++n) at = gif.indexOf(QByteArray("\x21\xF9\x04", 3), at + 1);
    return at;
}

QByteArray PngBytes(int w, int h, QRgb color)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(color);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

int TFakeMeasurer::Advance(const TFont& f)
{
    return f.Size() / 2 + (f.Style().Contains(fsBold) ? 1 : 0);
}

TSize TFakeMeasurer::TextExtent(TCanvas* c, const QString& text, unsigned)
{
    QString s = text;
    s.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return TSize(int(s.size()) * Advance(*c->Font()), LineHeight(*c->Font()));
}

MarkupCanvasTest::MarkupCanvasTest()
{
    c.Font()->SetName("DejaVu Sans");
    c.Font()->SetSize(10);
    c.Font()->SetColor(clBlack);
    c.Brush()->SetColor(clWhite);
    a.Measurer = &m;
    SetHTMLHighlightColors(clHighlight, clHighlightText);
}

bool MarkupCanvasTest::Draw(const QString& text, TRect rect)
{
    c.ClearLog();
    return DrawHTMLText(&c, text, rect, a, r);
}

bool MarkupCanvasTest::Measure(const QString& text, TRect rect)
{
    a.MeasureOnly = true;
    const bool hit = Draw(text, rect);
    a.MeasureOnly = false;
    return hit;
}

std::vector<TCanvasOp> MarkupCanvasTest::Ops(const char* kind) const
{
    std::vector<TCanvasOp> out;
    for (const TCanvasOp& op : c.Ops())
        if (op.Kind == QLatin1StringView(kind)) out.push_back(op);
    return out;
}

}  // namespace MarkupTest
