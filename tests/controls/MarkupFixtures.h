#pragma once
// Pictures, image lists and a text measurer with fixed metrics for the
// markup renderer's and the picture container's tests.

#include "AsgHTMLE.h"
#include "Graphics.h"
#include "GraphicsRecording.h"

#include <QByteArray>
#include <QStringList>
#include <gtest/gtest.h>

#include "TestHarness.h"
#include <QImage>
#include <QString>
#include <vector>


namespace MarkupTest {

// One frame of the animated GIF fixture.
struct GifFrame {
    int Left, Top, Width, Height;
    int ColorIndex;  // 0 black, 1 red, 2 green, 3 blue
    int Delay;       // hundredths of a second
    int Packed;      // packed byte of the graphic control extension
};

// A GIF89a of a 20 x 10 logical screen with a 4-colour table and the given
// frames, built byte by byte.
QByteArray BuildGif(const std::vector<GifFrame>& frames);
// Three frames: red 20x10 at (0,0) delay 10; green 6x4 at (3,2) delay 20,
// transparent, disposal 2; blue 8x5 at (10,4) delay 30, disposal 1.
QByteArray ThreeFrameGif();
// Offset of the graphic control extension of frame i (1-based).
qsizetype GifFrameMarker(const QByteArray& gif, int i);

// A PNG of one colour.
QByteArray PngBytes(int w, int h, QRgb color = 0xFF336699);

// Fixed metrics: per character Size/2 pixels (+1 when bold), height
// 2 x Size; "&&" counts as one character.
class TFakeMeasurer : public IHTMLTextMeasurer {
public:
    TSize TextExtent(TCanvas* c, const QString& text, unsigned flags) override;
    static int Advance(const TFont& f);
    static int LineHeight(const TFont& f) { return f.Size() * 2; }
};

// A recording canvas of a given resolution.
class TDpiRecordingBackend : public TRecordingBackend {
public:
    explicit TDpiRecordingBackend(int dpi) : FDpi(dpi) {}
    int PixelsPerInch(TCanvas&) override { return FDpi; }

private:
    int FDpi;
};

// A recording canvas with the fake metrics (font size 10: 5 px a
// character, 6 bold, 20 px high) and the renderer's records.
class MarkupCanvasTest : public ::testing::Test {
protected:
    MarkupCanvasTest();
    bool Draw(const QString& text, TRect rect = TRect(0, 0, 400, 200));
    bool Measure(const QString& text, TRect rect = TRect(0, 0, 400, 200));
    // The operations of one kind, in order.
    std::vector<TCanvasOp> Ops(const char* kind) const;

    TRecordingCanvas c;
    TFakeMeasurer m;
    THTMLDrawArgs a;
    THTMLDrawResult r;
};

}  // namespace MarkupTest
