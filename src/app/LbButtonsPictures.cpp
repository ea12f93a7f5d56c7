// The push button's own pictures: the glyph strips of the button kinds (an
// image for the enabled and one for the disabled button) and the popup
// arrow. They are drawn here and registered as named image resources; the
// bottom-left pixel of every image is its key (see-through) colour.

#include "LbButtons.h"

#include "Resources.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <mutex>

namespace {

const QColor KeyColor(0, 128, 128);  // olive green, never used in a symbol
constexpr int ImageSize = 18;

using SymbolPainter = std::function<void(QPainter&, int h)>;

QPen SymbolPen(const QColor& c, qreal width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The enabled image as a grey silhouette with a white edge below right, as
// disabled glyphs look.
void PaintDisabled(QImage& strip, int w, int h)
{
    const QRgb key = KeyColor.rgb();
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x)
            if (strip.pixel(x, y) != key && x + 1 < w && y + 1 < h && strip.pixel(w + x + 1, y + 1) == key)
                strip.setPixel(w + x + 1, y + 1, qRgb(255, 255, 255));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (strip.pixel(x, y) != key) strip.setPixel(w + x, y, qRgb(128, 128, 128));
}

QByteArray Png(const QImage& img)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

// A strip of two images of ImageSize x h: the symbol and its disabled look.
QByteArray GlyphStrip(int h, const SymbolPainter& paint)
{
    QImage strip(2 * ImageSize, h, QImage::Format_RGB32);
    strip.fill(KeyColor);
    {
        QPainter p(&strip);
        p.setClipRect(0, 0, ImageSize, h);
        paint(p, h);
    }
    PaintDisabled(strip, ImageSize, h);
    return Png(strip);
}

void Check(QPainter& p, const QColor& c, int dx, int dy)
{
    p.setPen(SymbolPen(c, 3));
    p.drawPolyline(QPolygon({QPoint(3 + dx, 9 + dy), QPoint(7 + dx, 13 + dy), QPoint(14 + dx, 4 + dy)}));
}

void Cross(QPainter& p, const QColor& c)
{
    p.setPen(SymbolPen(c, 3));
    p.drawLine(4, 4, 13, 13);
    p.drawLine(13, 4, 4, 13);
}

void QuestionMark(QPainter& p)
{
    p.setPen(SymbolPen(QColor(0, 0, 160), 2.5));
    QPainterPath path;
    path.moveTo(5, 6);
    path.cubicTo(5, 1, 13, 1, 13, 6);
    path.cubicTo(13, 9, 9, 9, 9, 12);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 160));
    p.drawRect(8, 14, 3, 3);
}

void NoSign(QPainter& p)
{
    p.setPen(SymbolPen(QColor(192, 0, 0), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3, 3, 12, 12));
    p.drawLine(5, 13, 13, 5);
}

void Door(QPainter& p)
{
    p.setPen(SymbolPen(QColor(64, 32, 0), 1));
    p.setBrush(QColor(160, 96, 32));
    p.drawRect(4, 2, 9, 14);
    p.setBrush(QColor(255, 224, 128));
    p.drawPolygon(QPolygon({QPoint(13, 2), QPoint(16, 4), QPoint(16, 15), QPoint(13, 16)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(64, 32, 0));
    p.drawRect(10, 9, 2, 2);
}

void StopSign(QPainter& p)
{
    p.setPen(SymbolPen(QColor(128, 0, 0), 1));
    p.setBrush(QColor(208, 0, 0));
    p.drawPolygon(QPolygon({QPoint(6, 2), QPoint(12, 2), QPoint(16, 6), QPoint(16, 12), QPoint(12, 16),
                            QPoint(6, 16), QPoint(2, 12), QPoint(2, 6)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(5, 8, 9, 3);
}

void CircleArrow(QPainter& p)
{
    const QColor c(0, 128, 0);
    p.setPen(SymbolPen(c, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 4, 11, 11), 90 * 16, 270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygon({QPoint(9, 1), QPoint(14, 4), QPoint(9, 8)}));
}

void SkipArrow(QPainter& p)
{
    p.setPen(SymbolPen(QColor(96, 96, 96), 2));
    p.drawLine(9, 8, 9, 16);
    const QColor c(0, 0, 160);
    p.setPen(SymbolPen(c, 2.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(2, 12);
    path.cubicTo(3, 3, 13, 3, 14, 10);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygon({QPoint(11, 10), QPoint(17, 10), QPoint(14, 15)}));
}

QByteArray Arrow()
{
    QImage img(5, 3, QImage::Format_RGB32);
    img.fill(KeyColor);
    for (int y = 0; y < 3; ++y)
        for (int x = y; x < 5 - y; ++x) img.setPixel(x, y, qRgb(0, 0, 0));
    return Png(img);
}

void Register()
{
    const QColor green(0, 128, 0);
    RegisterResource(QStringLiteral("LBOK"), GlyphStrip(18, [&](QPainter& p, int) { Check(p, green, 0, 0); }));
    RegisterResource(QStringLiteral("LBCANCEL"),
                     GlyphStrip(18, [](QPainter& p, int) { Cross(p, QColor(192, 0, 0)); }));
    RegisterResource(QStringLiteral("LBHELP"), GlyphStrip(18, [](QPainter& p, int) { QuestionMark(p); }));
    RegisterResource(QStringLiteral("LBYES"),
                     GlyphStrip(18, [](QPainter& p, int) { Check(p, QColor(0, 96, 160), 0, 0); }));
    RegisterResource(QStringLiteral("LBNO"), GlyphStrip(18, [](QPainter& p, int) { NoSign(p); }));
    RegisterResource(QStringLiteral("LBCLOSE"), GlyphStrip(18, [](QPainter& p, int) { Door(p); }));
    RegisterResource(QStringLiteral("LBABORT"), GlyphStrip(18, [](QPainter& p, int) { StopSign(p); }));
    RegisterResource(QStringLiteral("LBRETRY"), GlyphStrip(18, [](QPainter& p, int) { CircleArrow(p); }));
    RegisterResource(QStringLiteral("LBIGNORE"), GlyphStrip(18, [](QPainter& p, int) { SkipArrow(p); }));
    RegisterResource(QStringLiteral("LBALL"), GlyphStrip(19, [&](QPainter& p, int) {
                         Check(p, green, -1, -2);
                         Check(p, green, 1, 3);
                     }));
    RegisterResource(QStringLiteral("LBARROW"), Arrow());
}

}  // namespace

void RegisterLbButtonResources()
{
    static std::once_flag once;
    std::call_once(once, Register);
}
