#pragma once
// The painting back-end of the canvas: QPainter, either the caller's (bound
// inside a paint event) or one of its own opened on an image when needed.

#include "Graphics.h"

#include <QPainter>
#include <functional>
#include <memory>

class TPainterBackend : public TCanvasBackend {
public:
    explicit TPainterBackend(QPainter* painter);
    explicit TPainterBackend(QImage* image);
    ~TPainterBackend() override;

    void FillRect(TCanvas& c, const TRect& r) override;
    void FrameRect(TCanvas& c, const TRect& r) override;
    void Rectangle(TCanvas& c, const TRect& r) override;
    void RoundRect(TCanvas& c, const TRect& r, int cornerW, int cornerH) override;
    void Ellipse(TCanvas& c, const TRect& r) override;
    void ArcShape(TCanvas& c, const char* kind, const TRect& r, TPoint start, TPoint end) override;
    void Line(TCanvas& c, TPoint a, TPoint b) override;
    void Polyline(TCanvas& c, const std::vector<TPoint>& pts) override;
    void Polygon(TCanvas& c, const std::vector<TPoint>& pts) override;
    void SetPixel(TCanvas& c, int x, int y, TColor color) override;
    TColor GetPixel(TCanvas& c, int x, int y) override;
    void TextOut(TCanvas& c, int x, int y, const QString& text, const TRect* clip) override;
    void DrawText(TCanvas& c, const QString& text, const TRect& r, unsigned flags,
                  const TTextLayout& layout) override;
    void DrawFocusRect(TCanvas& c, const TRect& r) override;
    void DrawGraphic(TCanvas& c, const TRect& dest, TGraphic* g, bool stretch) override;
    void DrawImage(TCanvas& c, const TRect& dest, const QImage& img, const TRect& src) override;
    void CopyRect(TCanvas& c, const TRect& dest, TCanvas& source, const TRect& src) override;
    void FloodFill(TCanvas& c, int x, int y, TColor color, TFillStyle style) override;
    void ClipChanged(TCanvas& c) override;
    TRect DeviceRect(TCanvas& c) override;
    QImage Grab(TCanvas& c, const TRect& r) override;
    void Flush() override;
    int PixelsPerInch(TCanvas& c) override;
    // The painter drawing now (its canvas's clip applied); null when none.
    QPainter* ActivePainter(TCanvas& c) { return Painter(c); }

private:
    // The active painter with the canvas's clip applied; null when none.
    QPainter* Painter(TCanvas& c);
    void ApplyClip(QPainter* p, TCanvas& c);
    // The image behind the painter and the offset of canvas coordinates in
    // it; null when the surface cannot be read.
    QImage* Surface(TCanvas& c, QPoint& offset);

    QPainter* FPainter = nullptr;
    QImage* FImage = nullptr;
    std::unique_ptr<QPainter> FOwn;
    bool FHasBaseClip = false;
    QRegion FBaseClip;
};

// Paints at screen size into Dest of a finer surface (a printer page): Paint
// gets a canvas whose (0, 0) is Dest's top-left corner and whose every length
// is Scale device pixels long. Dest is in Target's logical units (its
// mapping mode applies); Paint's canvas draws in pixels. On a painting back-end it draws through the
// same painter, scaled, so text and lines stay sharp; any other back-end
// gets a picture of Dest's size. Paint's canvas starts with Target's tools.
void PaintScaled(TCanvas* Target, const TRect& Dest, double Scale, const std::function<void(TCanvas*)>& Paint);
