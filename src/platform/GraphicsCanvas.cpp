// The canvas: state, the platform's operations, and the two painting
// back-ends (none, and QPainter).

#include "Graphics.h"
#include "GraphicsPainter.h"
#include "GraphicsTextRuns.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
// Bound to nothing: drawing is dropped, measuring still works.
class TNullBackend : public TCanvasBackend {
public:
    void FillRect(TCanvas&, const TRect&) override {}
    void FrameRect(TCanvas&, const TRect&) override {}
    void Rectangle(TCanvas&, const TRect&) override {}
    void RoundRect(TCanvas&, const TRect&, int, int) override {}
    void Ellipse(TCanvas&, const TRect&) override {}
    void ArcShape(TCanvas&, const char*, const TRect&, TPoint, TPoint) override {}
    void Line(TCanvas&, TPoint, TPoint) override {}
    void Polyline(TCanvas&, const std::vector<TPoint>&) override {}
    void Polygon(TCanvas&, const std::vector<TPoint>&) override {}
    void SetPixel(TCanvas&, int, int, TColor) override {}
    TColor GetPixel(TCanvas&, int, int) override { return clNone; }
    void TextOut(TCanvas&, int, int, const QString&, const TRect*) override {}
    void DrawText(TCanvas&, const QString&, const TRect&, unsigned, const TTextLayout&) override {}
    void DrawFocusRect(TCanvas&, const TRect&) override {}
    void DrawGraphic(TCanvas&, const TRect&, TGraphic*, bool) override {}
    void DrawImage(TCanvas&, const TRect&, const QImage&, const TRect&) override {}
    void CopyRect(TCanvas&, const TRect&, TCanvas&, const TRect&) override {}
    void FloodFill(TCanvas&, int, int, TColor, TFillStyle) override {}
    void ClipChanged(TCanvas&) override {}
    TRect DeviceRect(TCanvas&) override { return TRect(); }
    QImage Grab(TCanvas&, const TRect&) override { return QImage(); }
};
}  // namespace

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()),
      FBackend(std::make_unique<TNullBackend>())
{
    FBrush->OnChange = [this](TObject*) { BrushChanged(); };
    FFont->OnChange = [this](TObject*) { FDeviceFont.reset(); };
}

TCanvas::TCanvas(QPainter* painter) : TCanvas()
{
    BindPainter(painter);
}

TCanvas::~TCanvas()
{
    FBackend->Flush();
}

TTextRuns& TCanvas::TextRuns() const
{
    if (!FTextRuns) FTextRuns = std::make_unique<TTextRuns>();
    return *FTextRuns;
}

void TCanvas::BindPainter(QPainter* painter)
{
    if (!painter) { Unbind(); return; }
    SetBackend(std::make_unique<TPainterBackend>(painter));
}

void TCanvas::BindImage(QImage* image)
{
    if (!image) { Unbind(); return; }
    SetBackend(std::make_unique<TPainterBackend>(image));
}

void TCanvas::SetBackend(std::unique_ptr<TCanvasBackend> backend)
{
    FBackend->Flush();
    FBackend = std::move(backend);
    FBound = true;
    FDeviceFont.reset();
    // A new surface starts as the platform's new device context does: no
    // clip, the pen at the origin, the text background of the brush.
    FClip.reset();
    FPenPos = TPoint();
    BrushChanged();
}

void TCanvas::Unbind()
{
    FBackend->Flush();
    FBackend = std::make_unique<TNullBackend>();
    FBound = false;
    FDeviceFont.reset();
}

void TCanvas::BrushChanged()
{
    FBkMode = FBrush->Style() == bsClear ? TRANSPARENT : OPAQUE;
}

int TCanvas::BkMode() const
{
    return FBkMode;
}

int TCanvas::SetBkMode(int mode)
{
    int old = FBkMode;
    if (mode == TRANSPARENT || mode == OPAQUE) FBkMode = mode;
    return old;
}

bool TCanvas::OpaqueText() const
{
    return FBkMode == OPAQUE && FBrush->Style() != bsClear;
}

// ---------------------------------------------------------------------------

void TCanvas::LineTo(int x, int y)
{
    TPoint to(x, y);
    FBackend->Line(*this, BackendPoint(FPenPos), BackendPoint(to));
    FPenPos = to;
}

void TCanvas::FillRect(const TRect& r)
{
    FBackend->FillRect(*this, BackendRect(r));
}

void TCanvas::FrameRect(const TRect& r)
{
    FBackend->FrameRect(*this, BackendRect(r));
}

void TCanvas::Rectangle(const TRect& r)
{
    FBackend->Rectangle(*this, BackendRect(r));
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH)
{
    const bool dev = Mapped() && !FBackend->LogicalCoordinates();
    FBackend->RoundRect(*this, BackendRect(TRect(x1, y1, x2, y2)), dev ? DeviceLen(cornerW) : cornerW,
                        dev ? DeviceLen(cornerH) : cornerH);
}

void TCanvas::Ellipse(const TRect& r)
{
    FBackend->Ellipse(*this, BackendRect(r));
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    FBackend->ArcShape(*this, "Arc", BackendRect(TRect(x1, y1, x2, y2)), BackendPoint(TPoint(x3, y3)),
                        BackendPoint(TPoint(x4, y4)));
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    FBackend->ArcShape(*this, "Pie", BackendRect(TRect(x1, y1, x2, y2)), BackendPoint(TPoint(x3, y3)),
                        BackendPoint(TPoint(x4, y4)));
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    FBackend->ArcShape(*this, "Chord", BackendRect(TRect(x1, y1, x2, y2)), BackendPoint(TPoint(x3, y3)),
                        BackendPoint(TPoint(x4, y4)));
}

void TCanvas::Polygon(const std::vector<TPoint>& pts)
{
    if (pts.empty()) return;
    FBackend->Polygon(*this, BackendPoints(pts));
}

void TCanvas::Polyline(const std::vector<TPoint>& pts)
{
    if (pts.empty()) return;
    FBackend->Polyline(*this, BackendPoints(pts));
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style)
{
    const TPoint p = BackendPoint(TPoint(x, y));
    FBackend->FloodFill(*this, p.X, p.Y, color, style);
}

TColor TCanvas::Pixels(int x, int y) const
{
    const TPoint p = BackendPoint(TPoint(x, y));
    return FBackend->GetPixel(const_cast<TCanvas&>(*this), p.X, p.Y);
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    const TPoint p = BackendPoint(TPoint(x, y));
    FBackend->SetPixel(*this, p.X, p.Y, color);
}

// ---------------------------------------------------------------------------

void TCanvas::TextOut(int x, int y, const QString& text)
{
    const TPoint p = BackendPoint(TPoint(x, y));
    FBackend->TextOut(*this, p.X, p.Y, text, nullptr);
    FPenPos = TPoint(x + TextWidth(text), y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    const TPoint p = BackendPoint(TPoint(x, y));
    const TRect clip = BackendRect(r);
    FBackend->TextOut(*this, p.X, p.Y, text, &clip);
}

int TCanvas::TextWidth(const QString& text) const
{
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const QString& text) const
{
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const QString& text) const
{
    const QFont& font = DeviceFont();
    return TSize(LogicalLen(TextRuns().Width(font, text)), LogicalLen(QFontMetrics(font).height()));
}

int TCanvas::DrawText(const QString& text, TRect& r, unsigned flags)
{
    if (!Mapped()) {
        TTextLayout layout = LayoutText(text, r, flags);
        if (flags & DT_CALCRECT) {
            r = layout.Bounds;
            return layout.Height;
        }
        FBackend->DrawText(*this, text, r, flags, layout);
        return layout.Height;
    }
    // Laid out on the device, in its font; the answers taken back.
    TTextLayout layout = LayoutText(text, DeviceRectOf(r), flags);
    if (flags & DT_CALCRECT) {
        const int w = LogicalLen(layout.Bounds.Width()), h = LogicalLen(layout.Bounds.Height());
        r.Right = r.Left + w;
        r.Bottom = FMapMode == MM_LOMETRIC ? r.Top - h : r.Top + h;
        return LogicalLen(layout.Height);
    }
    FBackend->DrawText(*this, text, BackendRect(r), flags, layout);
    return LogicalLen(layout.Height);
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    FBackend->DrawFocusRect(*this, BackendRect(r));
}

void TCanvas::Draw(int x, int y, TGraphic* g)
{
    if (!g || g->Empty()) return;
    FBackend->DrawGraphic(*this, BackendRect(Bounds(x, y, g->Width(), g->Height())), g, false);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* g)
{
    if (!g || g->Empty()) return;
    FBackend->DrawGraphic(*this, BackendRect(r), g, true);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src)
{
    if (!source) return;
    FBackend->CopyRect(*this, BackendRect(dest), *source, source->BackendRect(src));
}

// ---------------------------------------------------------------------------

TRect TCanvas::ClipRect() const
{
    TRect dev = FBackend->DeviceRect(const_cast<TCanvas&>(*this));
    TRect r = dev;
    if (FClip) {
        TRect clip = TRect::FromQRect(FClip->boundingRect());
        if (dev.IsEmpty()) r = clip;
        else IntersectRect(r, dev, clip);
    }
    // In logical units; in the metric mode the bottom lies below the top.
    return Mapped() && !r.IsEmpty() ? DPtoLP(r) : r;
}

void TCanvas::SelectClipRegion(const QRegion& rgn)
{
    FClip = DeviceRegion(rgn);
    FBackend->ClipChanged(*this);
}

QRegion TCanvas::CurrentClip() const
{
    if (FClip) return *FClip;
    TRect dev = FBackend->DeviceRect(const_cast<TCanvas&>(*this));
    // Unknown surface size: everything a coordinate can reach.
    if (dev.IsEmpty()) dev = TRect(-32768, -32768, 32767, 32767);
    return QRegion(dev.ToQRect());
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    const TRect d = Mapped() ? DeviceRectOf(r) : r;
    FClip = CurrentClip().intersected(QRegion(d.IsEmpty() ? QRect() : d.ToQRect()));
    FBackend->ClipChanged(*this);
}

void TCanvas::ExcludeClipRect(const TRect& r)
{
    const TRect d = Mapped() ? DeviceRectOf(r) : r;
    if (d.IsEmpty()) return;
    FClip = CurrentClip().subtracted(QRegion(d.ToQRect()));
    FBackend->ClipChanged(*this);
}

void TCanvas::ClearClip()
{
    if (!FClip) return;
    FClip.reset();
    FBackend->ClipChanged(*this);
}
