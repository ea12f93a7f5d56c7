// QPainter back-end: the platform's pixel rules drawn with Qt.
//
// One-pixel pens are drawn pixel by pixel (Bresenham, end point excluded,
// the platform's dash patterns), so lines and frames land on exactly the
// pixels the original draws; wider pens and curved shapes go through
// QPainter with aliased rendering.

#include "GraphicsPainter.h"
#include "GraphicsTextRuns.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Keeps the painter's state outside one operation.
class Scope {
public:
    explicit Scope(QPainter* p) : FP(p)
    {
        FP->save();
        FP->setRenderHint(QPainter::Antialiasing, false);
        FP->setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    ~Scope() { FP->restore(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    QPainter* FP;
};

struct PenInfo {
    QColor Color;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    bool Visible = true;
};

PenInfo ResolvePen(const TCanvas& c)
{
    PenInfo p;
    TPen* pen = c.Pen();
    p.Color = ToQColor(pen->Color());
    p.Width = c.DevicePenWidth();
    p.Style = pen->Style();
    p.Mode = pen->Mode();
    if (p.Mode == pmBlack) p.Color = Qt::black;
    if (p.Mode == pmWhite) p.Color = Qt::white;
    p.Visible = p.Style != psClear && p.Mode != pmNop;
    return p;
}

// The raster operation of a pen mode (on the original it applies to the
// pen and to the brush of the same shape).
void ApplyMode(QPainter* p, TPenMode m)
{
    switch (m) {
    case pmXor: p->setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case pmNotXor: p->setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    case pmNot: p->setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case pmNotCopy: p->setCompositionMode(QPainter::RasterOp_NotSource); break;
    case pmMask: p->setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case pmMerge: p->setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case pmNotMask: p->setCompositionMode(QPainter::RasterOp_NotSourceAndDestination); break;
    case pmNotMerge: p->setCompositionMode(QPainter::RasterOp_NotSourceOrDestination); break;
    default: p->setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    }
}

QBrush MakeBrush(const TBrush* b)
{
    QColor col = ToQColor(b->Color());
    switch (b->Style()) {
    case bsSolid: return QBrush(col);
    case bsClear: return QBrush(Qt::NoBrush);
    case bsHorizontal: return QBrush(col, Qt::HorPattern);
    case bsVertical: return QBrush(col, Qt::VerPattern);
    case bsFDiagonal: return QBrush(col, Qt::FDiagPattern);
    case bsBDiagonal: return QBrush(col, Qt::BDiagPattern);
    case bsCross: return QBrush(col, Qt::CrossPattern);
    case bsDiagCross: return QBrush(col, Qt::DiagCrossPattern);
    }
    return QBrush(col);
}

// On/off runs of the platform's one-pixel dashed pens.
const std::vector<int>& DashPattern(TPenStyle s)
{
    static const std::vector<int> none;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (s) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return none;
    }
}

QPen MakeQPen(const PenInfo& pen)
{
    QPen qp(pen.Color, pen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const std::vector<int>& pat = DashPattern(pen.Style);
    if (!pat.empty()) {
        QList<qreal> dashes;
        for (int v : pat) dashes << qreal(v) / pen.Width;
        qp.setDashPattern(dashes);
        qp.setCapStyle(Qt::FlatCap);
    }
    return qp;
}

// The pixels of a line from a to b, b excluded.
std::vector<QPoint> LinePixels(TPoint a, TPoint b)
{
    std::vector<QPoint> pts;
    int dx = std::abs(b.X - a.X), sx = a.X < b.X ? 1 : -1;
    int dy = -std::abs(b.Y - a.Y), sy = a.Y < b.Y ? 1 : -1;
    int err = dx + dy;
    int x = a.X, y = a.Y;
    pts.reserve(size_t(std::max(dx, -dy)));
    while (x != b.X || y != b.Y) {
        pts.emplace_back(x, y);
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
    return pts;
}

// A one-pixel line; the dash phase carries on across the segments of one
// figure through 'phase'.
void PixelLine(QPainter* p, const PenInfo& pen, TPoint a, TPoint b, int& phase)
{
    const std::vector<int>& pat = DashPattern(pen.Style);
    if (pat.empty() && (a.X == b.X || a.Y == b.Y)) {
        if (a == b) return;
        int l = std::min(a.X, b.X), r = std::max(a.X, b.X);
        int t = std::min(a.Y, b.Y), btm = std::max(a.Y, b.Y);
        // Exclude the end pixel: shift the far end one step back.
        if (a.Y == b.Y) {
            if (b.X > a.X) r = b.X - 1; else l = b.X + 1;
        } else {
            if (b.Y > a.Y) btm = b.Y - 1; else t = b.Y + 1;
        }
        p->fillRect(QRect(QPoint(l, t), QPoint(r, btm)), pen.Color);
        return;
    }
    int period = 0;
    for (int v : pat) period += v;
    for (const QPoint& pt : LinePixels(a, b)) {
        bool on = true;
        if (period > 0) {
            int pos = phase % period;
            for (size_t i = 0; i < pat.size(); ++i) {
                if (pos < pat[i]) { on = (i % 2) == 0; break; }
                pos -= pat[i];
            }
        }
        ++phase;
        if (on) p->fillRect(QRect(pt, QSize(1, 1)), pen.Color);
    }
}

void PixelFigure(QPainter* p, const PenInfo& pen, const std::vector<TPoint>& pts, bool closed)
{
    int phase = 0;
    for (size_t i = 1; i < pts.size(); ++i) PixelLine(p, pen, pts[i - 1], pts[i], phase);
    if (closed && pts.size() > 1) PixelLine(p, pen, pts.back(), pts.front(), phase);
}

QPointF Centre(TPoint p)
{
    return QPointF(p.X + 0.5, p.Y + 0.5);
}

// The rectangle whose aliased outline covers r's pixels (Qt draws a
// one-pixel outline right of and below its path).
QRect OutlineRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
}

void SetShapeTools(QPainter* p, const TCanvas& c, const PenInfo& pen)
{
    ApplyMode(p, pen.Mode);
    if (pen.Visible) p->setPen(MakeQPen(pen)); else p->setPen(Qt::NoPen);
    p->setBrush(MakeBrush(c.Brush()));
}

// Text with its top-left at (x, y), turned by 'orientation' tenths of a
// degree counter-clockwise about that point.
void DrawTextAt(QPainter* p, const QFontMetrics& fm, int x, int y, const QString& text,
                int orientation, const QBrush* background)
{
    p->save();
    p->translate(x, y);
    if (orientation != 0) p->rotate(-orientation / 10.0);
    if (background) p->fillRect(QRect(0, 0, fm.horizontalAdvance(text), fm.height()), *background);
    p->drawText(QPointF(0, fm.ascent()), text);
    p->restore();
}

TColor FromRgb(QRgb v)
{
    return RGBColor(qRed(v), qGreen(v), qBlue(v));
}

}  // namespace

// ---------------------------------------------------------------------------

TPainterBackend::TPainterBackend(QPainter* painter) : FPainter(painter)
{
    if (FPainter && FPainter->isActive() && FPainter->hasClipping()) {
        FHasBaseClip = true;
        FBaseClip = FPainter->clipRegion();
    }
}

TPainterBackend::TPainterBackend(QImage* image) : FImage(image) {}

TPainterBackend::~TPainterBackend()
{
    Flush();
    if (FPainter && FPainter->isActive()) {
        // Leave the caller's painter with the clip it had.
        if (FHasBaseClip) FPainter->setClipRegion(FBaseClip);
        else FPainter->setClipping(false);
    }
}

void TPainterBackend::Flush()
{
    if (FOwn) {
        FOwn->end();
        FOwn.reset();
    }
}

QPainter* TPainterBackend::Painter(TCanvas& c)
{
    if (FImage) {
        if (!FOwn) {
            if (FImage->isNull()) return nullptr;
            FOwn = std::make_unique<QPainter>();
            if (!FOwn->begin(FImage)) {
                FOwn.reset();
                return nullptr;
            }
            ApplyClip(FOwn.get(), c);
        }
        return FOwn.get();
    }
    return FPainter && FPainter->isActive() ? FPainter : nullptr;
}

void TPainterBackend::ApplyClip(QPainter* p, TCanvas& c)
{
    const std::optional<QRegion>& clip = c.ClipRegion();
    if (clip) {
        p->setClipRegion(FHasBaseClip ? clip->intersected(FBaseClip) : *clip);
    } else if (FHasBaseClip) {
        p->setClipRegion(FBaseClip);
    } else {
        p->setClipping(false);
    }
}

void TPainterBackend::ClipChanged(TCanvas& c)
{
    QPainter* p = FImage ? FOwn.get() : Painter(c);
    if (p) ApplyClip(p, c);
}

QImage* TPainterBackend::Surface(TCanvas& c, QPoint& offset)
{
    offset = QPoint();
    if (FImage) return FImage;
    QPainter* p = Painter(c);
    // A widget's painter draws into its window's backing image, which the
    // paint engine names; the device transform holds the widget's offset there.
    QPaintDevice* dev = p && p->paintEngine() ? p->paintEngine()->paintDevice() : nullptr;
    if (!dev || dev->devType() != QInternal::Image) return nullptr;
    QTransform t = p->deviceTransform();
    if (t.type() > QTransform::TxTranslate) return nullptr;
    offset = QPoint(int(t.dx()), int(t.dy()));
    return static_cast<QImage*>(dev);
}

int TPainterBackend::PixelsPerInch(TCanvas& c)
{
    QPainter* p = Painter(c);
    // Images keep the screen's resolution whatever their stored density.
    if (FImage || !p || !p->device() || p->device()->devType() == QInternal::Image)
        return ScreenPixelsPerInch;
    int dpi = p->device()->logicalDpiX();
    return dpi > 0 ? dpi : ScreenPixelsPerInch;
}

TRect TPainterBackend::DeviceRect(TCanvas& c)
{
    if (FImage) return TRect(0, 0, FImage->width(), FImage->height());
    QPainter* p = Painter(c);
    if (!p || !p->device()) return TRect();
    QRect dev(0, 0, p->device()->width(), p->device()->height());
    bool ok = false;
    QTransform inv = p->combinedTransform().inverted(&ok);
    if (!ok) return TRect();
    QRect area = inv.mapRect(dev);
    // Inside a paint event only the region being repainted can be drawn on.
    QRegion sys = p->paintEngine() ? p->paintEngine()->systemClip() : QRegion();
    if (!sys.isEmpty()) {
        QTransform devInv = p->deviceTransform().inverted(&ok);
        if (ok) area &= devInv.mapRect(sys.boundingRect());
    }
    return TRect::FromQRect(area);
}

// ---------------------------------------------------------------------------

void TPainterBackend::FillRect(TCanvas& c, const TRect& r)
{
    QPainter* p = Painter(c);
    if (!p || r.IsEmpty() || c.Brush()->Style() == bsClear) return;
    // A fill changes no painter state: only smoothing needs switching off
    // around it. Grids fill every cell, so the common case skips the
    // save and restore.
    if (!(p->renderHints() & (QPainter::Antialiasing | QPainter::SmoothPixmapTransform))) {
        p->fillRect(r.ToQRect(), MakeBrush(c.Brush()));
        return;
    }
    Scope s(p);
    p->fillRect(r.ToQRect(), MakeBrush(c.Brush()));
}

void TPainterBackend::FrameRect(TCanvas& c, const TRect& r)
{
    QPainter* p = Painter(c);
    if (!p || r.IsEmpty() || c.Brush()->Style() == bsClear) return;
    Scope s(p);
    QBrush b = MakeBrush(c.Brush());
    p->fillRect(QRect(r.Left, r.Top, r.Width(), 1), b);
    p->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), b);
    p->fillRect(QRect(r.Left, r.Top, 1, r.Height()), b);
    p->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), b);
}

void TPainterBackend::Rectangle(TCanvas& c, const TRect& r)
{
    QPainter* p = Painter(c);
    if (!p) return;
    TRect n(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom),
            std::max(r.Left, r.Right), std::max(r.Top, r.Bottom));
    if (n.IsEmpty()) return;
    Scope s(p);
    PenInfo pen = ResolvePen(c);
    ApplyMode(p, pen.Mode);
    QBrush brush = MakeBrush(c.Brush());
    if (!pen.Visible) {
        // Without a pen the platform fills one pixel less to the right and bottom.
        if (brush.style() != Qt::NoBrush && n.Width() > 1 && n.Height() > 1)
            p->fillRect(QRect(n.Left, n.Top, n.Width() - 1, n.Height() - 1), brush);
        return;
    }
    int w = pen.Width;
    TRect inner = n;
    inner.Inflate(-w, -w);
    if (brush.style() != Qt::NoBrush && !inner.IsEmpty()) p->fillRect(inner.ToQRect(), brush);
    if (w == 1) {
        PixelFigure(p, pen,
                    {n.TopLeft(), TPoint(n.Right - 1, n.Top), TPoint(n.Right - 1, n.Bottom - 1),
                     TPoint(n.Left, n.Bottom - 1)},
                    true);
        return;
    }
    if (DashPattern(pen.Style).empty()) {
        // A wide pen stays inside the rectangle.
        int hw = std::min(w, n.Width()), hh = std::min(w, n.Height());
        p->fillRect(QRect(n.Left, n.Top, n.Width(), hh), pen.Color);
        p->fillRect(QRect(n.Left, n.Bottom - hh, n.Width(), hh), pen.Color);
        p->fillRect(QRect(n.Left, n.Top, hw, n.Height()), pen.Color);
        p->fillRect(QRect(n.Right - hw, n.Top, hw, n.Height()), pen.Color);
        return;
    }
    QPen qp = MakeQPen(pen);
    qp.setJoinStyle(Qt::MiterJoin);
    p->setPen(qp);
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRectF(n.Left + w / 2.0, n.Top + w / 2.0, n.Width() - w, n.Height() - w));
}

void TPainterBackend::RoundRect(TCanvas& c, const TRect& r, int cornerW, int cornerH)
{
    QPainter* p = Painter(c);
    if (!p || r.IsEmpty()) return;
    Scope s(p);
    SetShapeTools(p, c, ResolvePen(c));
    p->drawRoundedRect(OutlineRect(r), cornerW / 2.0, cornerH / 2.0);
}

void TPainterBackend::Ellipse(TCanvas& c, const TRect& r)
{
    QPainter* p = Painter(c);
    if (!p || r.IsEmpty()) return;
    Scope s(p);
    SetShapeTools(p, c, ResolvePen(c));
    p->drawEllipse(OutlineRect(r));
}

void TPainterBackend::ArcShape(TCanvas& c, const char* kind, const TRect& r, TPoint start,
                               TPoint end)
{
    QPainter* p = Painter(c);
    if (!p || r.IsEmpty()) return;
    Scope s(p);
    SetShapeTools(p, c, ResolvePen(c));
    double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
    double a1 = std::atan2(cy - start.Y, start.X - cx) * 180.0 / M_PI;
    double a2 = std::atan2(cy - end.Y, end.X - cx) * 180.0 / M_PI;
    double span = a2 - a1;
    while (span <= 0) span += 360.0;  // counter-clockwise; equal points: the whole ellipse
    int a16 = int(std::lround(a1 * 16)), s16 = int(std::lround(span * 16));
    QRect q = OutlineRect(r);
    std::string k(kind);
    if (k == "Pie") p->drawPie(q, a16, s16);
    else if (k == "Chord") p->drawChord(q, a16, s16);
    else p->drawArc(q, a16, s16);
}

void TPainterBackend::Line(TCanvas& c, TPoint a, TPoint b)
{
    // A thin solid line along an axis in the plain mode is one fill, which
    // needs no painter state of its own: grid lines take this way, two per
    // cell.
    QPainter* p = Painter(c);
    const TPen* pen = c.Pen();
    if (p && pen->Width() <= 1 && pen->Style() == psSolid
        && (pen->Mode() == pmCopy || pen->Mode() == pmBlack || pen->Mode() == pmWhite)
        && (a.X == b.X || a.Y == b.Y) && p->compositionMode() == QPainter::CompositionMode_SourceOver
        && !(p->renderHints() & (QPainter::Antialiasing | QPainter::SmoothPixmapTransform))) {
        int phase = 0;
        PixelLine(p, ResolvePen(c), a, b, phase);
        return;
    }
    Polyline(c, {a, b});
}

void TPainterBackend::Polyline(TCanvas& c, const std::vector<TPoint>& pts)
{
    QPainter* p = Painter(c);
    if (!p) return;
    PenInfo pen = ResolvePen(c);
    if (!pen.Visible) return;
    Scope s(p);
    ApplyMode(p, pen.Mode);
    if (pen.Width == 1) {
        PixelFigure(p, pen, pts, false);
        return;
    }
    QPolygonF poly;
    for (const TPoint& pt : pts) poly << Centre(pt);
    p->setPen(MakeQPen(pen));
    p->drawPolyline(poly);
}

void TPainterBackend::Polygon(TCanvas& c, const std::vector<TPoint>& pts)
{
    QPainter* p = Painter(c);
    if (!p) return;
    Scope s(p);
    PenInfo pen = ResolvePen(c);
    ApplyMode(p, pen.Mode);
    QPolygon poly;
    for (const TPoint& pt : pts) poly << pt.ToQPoint();
    QBrush brush = MakeBrush(c.Brush());
    if (brush.style() != Qt::NoBrush) {
        p->setPen(Qt::NoPen);
        p->setBrush(brush);
        p->drawPolygon(poly, Qt::OddEvenFill);
    }
    if (!pen.Visible) return;
    if (pen.Width == 1) {
        PixelFigure(p, pen, pts, true);
        return;
    }
    p->setPen(MakeQPen(pen));
    p->setBrush(Qt::NoBrush);
    QPolygonF pf;
    for (const TPoint& pt : pts) pf << Centre(pt);
    p->drawPolygon(pf);
}

void TPainterBackend::SetPixel(TCanvas& c, int x, int y, TColor color)
{
    QPainter* p = Painter(c);
    if (!p) return;
    Scope s(p);
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

TColor TPainterBackend::GetPixel(TCanvas& c, int x, int y)
{
    QPoint off;
    QImage* img = Surface(c, off);
    if (!img) return clNone;
    QPoint pt(x + off.x(), y + off.y());
    if (!img->rect().contains(pt)) return clNone;
    if (c.ClipRegion() && !c.ClipRegion()->contains(QPoint(x, y))) return clNone;
    return FromRgb(img->pixel(pt));
}

// ---------------------------------------------------------------------------

void TPainterBackend::TextOut(TCanvas& c, int x, int y, const QString& text, const TRect* clip)
{
    QPainter* p = Painter(c);
    if (!p) return;
    Scope s(p);
    const QFont& font = c.DeviceFont();
    p->setFont(font);
    QFontMetrics fm(font);
    QBrush bg(ToQColor(c.Brush()->Color()));
    bool opaque;
    if (clip) {
        p->setClipRect(clip->ToQRect(), Qt::IntersectClip);
        // The platform's TextRect fills the whole rectangle with a non-clear brush.
        opaque = false;
        if (c.Brush()->Style() != bsClear && !clip->IsEmpty()) p->fillRect(clip->ToQRect(), bg);
    } else {
        opaque = c.OpaqueText();
    }
    p->setPen(ToQColor(c.Font()->Color()));
    DrawTextAt(p, fm, x, y, text, c.Font()->Orientation(), opaque ? &bg : nullptr);
}

void TPainterBackend::DrawText(TCanvas& c, const QString&, const TRect& r, unsigned flags,
                               const TTextLayout& layout)
{
    QPainter* p = Painter(c);
    if (!p) return;
    Scope s(p);
    const QFont& font = c.DeviceFont();
    p->setFont(font);
    QFontMetrics fm(font);
    if (!(flags & DT_NOCLIP)) {
        if (r.IsEmpty()) return;
        p->setClipRect(r.ToQRect(), Qt::IntersectClip);
    }
    QColor color = ToQColor(c.Font()->Color());
    QBrush bg(ToQColor(c.Brush()->Color()));
    bool opaque = c.OpaqueText();
    p->setPen(color);
    int orientation = c.Font()->Orientation();
    for (const TTextLine& line : layout.Lines) {
        if (opaque && line.Width > 0)
            p->fillRect(QRect(line.X, line.Y, line.Width, layout.LineHeight), bg);
        for (const TTextPiece& piece : line.Pieces) {
            // Upright text comes from the canvas's shaped texts; what they
            // do not keep goes through the painter.
            if (orientation == 0
                && c.TextRuns().Draw(p, QPointF(line.X + piece.X, line.Y + layout.Ascent), piece.Text))
                continue;
            DrawTextAt(p, fm, line.X + piece.X, line.Y, piece.Text, orientation, nullptr);
        }
        if (line.UnderlineWidth > 0) {
            int thick = std::max(1, fm.lineWidth());
            p->fillRect(QRect(line.X + line.UnderlineX, line.Y + layout.Ascent + fm.underlinePos(),
                              line.UnderlineWidth, thick),
                        color);
        }
    }
}

void TPainterBackend::DrawFocusRect(TCanvas& c, const TRect& r)
{
    QPainter* p = Painter(c);
    if (!p || r.IsEmpty()) return;
    Scope s(p);
    // Every other pixel of the frame inverted: drawing it twice restores.
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QColor white(255, 255, 255);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) p->fillRect(QRect(x, y, 1, 1), white);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top) dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left) dot(r.Right - 1, y);
    }
}

void TPainterBackend::DrawGraphic(TCanvas& c, const TRect& dest, TGraphic* g, bool)
{
    g->Draw(&c, dest);
}

void TPainterBackend::DrawImage(TCanvas& c, const TRect& dest, const QImage& img,
                                const TRect& src)
{
    QPainter* p = Painter(c);
    if (!p || img.isNull() || dest.IsEmpty() || src.IsEmpty()) return;
    Scope s(p);
    p->drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), img,
                 QRect(src.Left, src.Top, src.Width(), src.Height()));
}

void TPainterBackend::CopyRect(TCanvas& c, const TRect& dest, TCanvas& source, const TRect& src)
{
    QImage img = source.Backend()->Grab(source, src);
    if (img.isNull()) return;
    DrawImage(c, dest, img, TRect(0, 0, img.width(), img.height()));
}

QImage TPainterBackend::Grab(TCanvas& c, const TRect& r)
{
    QPoint off;
    QImage* img = Surface(c, off);
    if (!img || r.IsEmpty()) return QImage();
    return img->copy(QRect(r.Left + off.x(), r.Top + off.y(), r.Width(), r.Height()));
}

void TPainterBackend::FloodFill(TCanvas& c, int x, int y, TColor color, TFillStyle style)
{
    QPoint off;
    QImage* img = Surface(c, off);
    if (!img || c.Brush()->Style() == bsClear) return;
    // Pixels are written directly: end our own painting first; a caller's
    // painter is only filled through when its image is not shared.
    if (FImage) Flush();
    else if (!img->isDetached()) return;
    QPoint start(x + off.x(), y + off.y());
    if (!img->rect().contains(start)) return;
    QRgb key = ToQColor(color).rgb() & 0xFFFFFF;
    QRgb fill = ToQColor(c.Brush()->Color()).rgb();
    const int w = img->width(), h = img->height();
    std::vector<bool> seen(size_t(w) * size_t(h), false);
    auto inside = [&](int px, int py) {
        if (seen[size_t(py) * size_t(w) + size_t(px)]) return false;
        QRgb v = img->pixel(px, py) & 0xFFFFFF;
        return style == fsSurface ? v == key : v != key;
    };
    const std::optional<QRegion>& clip = c.ClipRegion();
    std::vector<QPoint> stack{start};
    while (!stack.empty()) {
        QPoint pt = stack.back();
        stack.pop_back();
        int px = pt.x(), py = pt.y();
        if (!inside(px, py)) continue;
        int l = px, rr = px;
        while (l > 0 && inside(l - 1, py)) --l;
        while (rr < w - 1 && inside(rr + 1, py)) ++rr;
        for (int i = l; i <= rr; ++i) seen[size_t(py) * size_t(w) + size_t(i)] = true;
        for (int i = l; i <= rr; ++i) {
            if (!clip || clip->contains(QPoint(i - off.x(), py - off.y()))) img->setPixel(i, py, fill);
            if (py > 0 && inside(i, py - 1)) stack.emplace_back(i, py - 1);
            if (py < h - 1 && inside(i, py + 1)) stack.emplace_back(i, py + 1);
        }
    }
}

// ---------------------------------------------------------------------------

namespace {

void PaintScaledWith(QPainter* p, TCanvas* target, const TRect& dest, double scale,
                     const std::function<void(TCanvas*)>& paint)
{
    p->save();
    p->translate(dest.Left, dest.Top);
    p->scale(scale, scale);
    p->setClipRect(QRectF(0, 0, dest.Width() / scale, dest.Height() / scale), Qt::IntersectClip);
    {
        TCanvas sub(p);
        sub.Font()->Assign(target->Font());
        sub.Pen()->Assign(target->Pen());
        sub.Brush()->Assign(target->Brush());
        paint(&sub);
    }
    p->restore();
}

}  // namespace

void PaintScaled(TCanvas* Target, const TRect& Dest, double Scale, const std::function<void(TCanvas*)>& Paint)
{
    if (!Target || !(Scale > 0)) return;
    if (Target->MapMode() == MM_TEXT && Dest.IsEmpty()) return;
    // Dest in device pixels (a metric canvas's rectangle has its top above
    // its bottom).
    const TRect d = Target->LPtoDP(Dest);
    const TRect dev(std::min(d.Left, d.Right), std::min(d.Top, d.Bottom), std::max(d.Left, d.Right),
                    std::max(d.Top, d.Bottom));
    if (dev.IsEmpty()) return;
    if (auto* b = dynamic_cast<TPainterBackend*>(Target->Backend())) {
        if (QPainter* p = b->ActivePainter(*Target)) {
            PaintScaledWith(p, Target, dev, Scale, Paint);
            return;
        }
    }
    QImage img(dev.Width(), dev.Height(), QImage::Format_ARGB32_Premultiplied);
    if (img.isNull()) return;
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        PaintScaledWith(&p, Target, TRect(0, 0, dev.Width(), dev.Height()), Scale, Paint);
    }
    Target->DrawImage(Dest, img, TRect(0, 0, img.width(), img.height()));
}
