#pragma once
// The recording back-end: a canvas that keeps the operations drawn on it, in
// order, with the tools they were drawn with, so that painting code can be
// tested headless by what it draws.
//
//   TRecordingCanvas c;
//   control->PaintTo(&c);
//   EXPECT_EQ(c.Log(), QStringList({"FillRect(0,0,100,23) brush=clBtnFace", ...}));

#include "Graphics.h"

#include <QStringList>

struct TCanvasOp {
    QString Kind;                 // "FillRect", "Line", "TextOut", "DrawText", ...
    TRect Rect;
    std::vector<TPoint> Points;   // lines, polygons, arc ends, text origin
    QString Text;
    unsigned Flags = 0;           // DrawText flags, corner size, fill style
    QString GraphicClass;         // Draw/StretchDraw
    TColor Color = clNone;        // SetPixels, FloodFill
    // The tools at the time of the operation.
    TColor PenColor = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
    TPenMode PenMode = pmCopy;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    QString FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor FontColor = clBlack;
    int FontOrientation = 0;
    bool Opaque = false;          // text drawn on a filled background

    // One line of text, e.g. "Rectangle(0,0,10,10) pen=clBlack brush=clRed".
    QString ToString() const;
};

class TRecordingBackend : public TCanvasBackend {
public:
    // 'device' is the size ClipRect reports when no clip is set.
    explicit TRecordingBackend(TRect device = TRect(0, 0, 10000, 10000)) : FDevice(device) {}

    const std::vector<TCanvasOp>& Ops() const { return FOps; }
    void Clear() { FOps.clear(); }

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
    TRect DeviceRect(TCanvas&) override { return FDevice; }
    QImage Grab(TCanvas&, const TRect&) override { return QImage(); }
    // Operations are kept in the canvas's logical units, as drawn; the
    // device rectangle and clip regions are in device pixels.
    bool LogicalCoordinates() const override { return true; }
    int PixelsPerInch(TCanvas&) override { return FDpi; }
    void SetPixelsPerInch(int dpi) { FDpi = dpi > 0 ? dpi : ScreenPixelsPerInch; }

private:
    TCanvasOp& Add(TCanvas& c, const QString& kind);
    std::vector<TCanvasOp> FOps;
    TRect FDevice;
    int FDpi = ScreenPixelsPerInch;
};

// A canvas with a recording back-end of its own.
class TRecordingCanvas : public TCanvas {
public:
    explicit TRecordingCanvas(TRect device = TRect(0, 0, 10000, 10000));
    const std::vector<TCanvasOp>& Ops() const { return FRecorder->Ops(); }
    // The operations as text, one per entry.
    QStringList Log() const;
    void ClearLog() { FRecorder->Clear(); }
    // The resolution the canvas measures and maps with (96 when not set).
    void SetPixelsPerInch(int dpi) { FRecorder->SetPixelsPerInch(dpi); }

private:
    TRecordingBackend* FRecorder;
};
