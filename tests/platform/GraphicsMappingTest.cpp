// The canvas's metric mapping mode: tenths of a millimetre with y upward,
// converted to the device's pixels by its resolution, with text upright and
// measurements answered in logical units; the pixel mode stays as it was.

#include "Graphics.h"
#include "GraphicsRecording.h"
#include "TestHarness.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// A white image with a canvas bound to it.
struct MappingSurface {
    QImage Image;
    TCanvas Canvas;
    MappingSurface(int w, int h) : Image(w, h, QImage::Format_RGB32)
    {
        Image.fill(Qt::white);
        Canvas.BindImage(&Image);
    }
    const QImage& Done()
    {
        Canvas.Flush();
        return Image;
    }
};

// The bounding box of the pixels darker than mid-grey; empty when none.
QRect MappingInk(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST(CanvasMapping, MetricRectangleCoversTheDevicePixelsOfItsMillimetres)
{
    MappingSurface s(300, 300);
    EXPECT_EQ(s.Canvas.SetMapMode(MM_LOMETRIC), MM_TEXT);
    EXPECT_EQ(s.Canvas.MapMode(), MM_LOMETRIC);
    s.Canvas.Brush()->SetColor(clBlack);
    // One inch square, one inch from the top-left corner: y grows upward.
    s.Canvas.FillRect(TRect(254, -254, 508, -508));
    EXPECT_EQ(MappingInk(s.Done()), QRect(QPoint(96, 96), QPoint(191, 191)));

    // An unknown mode is refused and changes nothing.
    EXPECT_EQ(s.Canvas.SetMapMode(7), 0);
    EXPECT_EQ(s.Canvas.MapMode(), MM_LOMETRIC);
}

TEST(CanvasMapping, TextStaysUprightBelowItsPointAndMeasuresInLogicalUnits)
{
    const QString text = QStringLiteral("Upright Tg");
    MappingSurface metric(400, 200);
    metric.Canvas.SetMapMode(MM_LOMETRIC);
    metric.Canvas.Font()->SetName("DejaVu Sans");
    metric.Canvas.Font()->SetHeight(-53); // 5.3 mm: 20 pixels at 96 dpi
    metric.Canvas.Brush()->SetStyle(bsClear);
    metric.Canvas.TextOut(254, -254, text);
    const int logicalWidth = metric.Canvas.TextWidth(text);
    const int logicalHeight = metric.Canvas.TextHeight(text);

    // The same text drawn in pixels at the device size gives the same ink:
    // not mirrored, not shifted.
    MappingSurface pixels(400, 200);
    pixels.Canvas.Font()->SetName("DejaVu Sans");
    pixels.Canvas.Font()->SetHeight(-20);
    pixels.Canvas.Brush()->SetStyle(bsClear);
    pixels.Canvas.TextOut(96, 96, text);
    const QRect ink = MappingInk(metric.Done());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.top(), 96);
    EXPECT_EQ(metric.Image, pixels.Done());
    metric.Image.save(TestHarness::GrabPath("canvas-mapping-text.png"));

    const int pixelWidth = pixels.Canvas.TextWidth(text);
    EXPECT_NEAR(logicalWidth, pixelWidth * 254.0 / 96.0, 1.0);
    EXPECT_NEAR(logicalHeight, pixels.Canvas.TextHeight(text) * 254.0 / 96.0, 1.0);

    // DT_CALCRECT answers in logical units, the bottom below the top.
    TRect r(100, -100, 5000, -5000);
    const int h = metric.Canvas.DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(h, logicalHeight);
    EXPECT_EQ(r.Top - r.Bottom, logicalHeight);
    EXPECT_EQ(r.Right - r.Left, logicalWidth);
}

TEST(CanvasMapping, PointsConvertBothWaysAndPixelModeIsUnchanged)
{
    MappingSurface s(200, 200);
    // Pixel mode: identity, and drawing lands where it always did.
    EXPECT_EQ(s.Canvas.LPtoDP(TPoint(13, 27)), TPoint(13, 27));
    s.Canvas.Brush()->SetColor(clBlack);
    s.Canvas.FillRect(TRect(10, 20, 30, 25));
    EXPECT_EQ(MappingInk(s.Done()), QRect(QPoint(10, 20), QPoint(29, 24)));

    s.Canvas.SetMapMode(MM_LOMETRIC);
    s.Canvas.SetViewportOrg(TPoint(50, 40));
    EXPECT_EQ(s.Canvas.LPtoDP(TPoint(0, 0)), TPoint(50, 40));
    EXPECT_EQ(s.Canvas.LPtoDP(TPoint(254, -508)), TPoint(146, 232));
    for (const TPoint p : {TPoint(0, 0), TPoint(1, -1), TPoint(777, -1234), TPoint(-300, 45), TPoint(2100, -2970)}) {
        const TPoint back = s.Canvas.DPtoLP(s.Canvas.LPtoDP(p));
        // One pixel is 2.65 units at 96 dots per inch.
        EXPECT_LE(std::abs(back.X - p.X), 2) << p.X;
        EXPECT_LE(std::abs(back.Y - p.Y), 2) << p.Y;
    }
    TPoint pts[2] = {TPoint(50, 40), TPoint(146, 232)};
    DPtoLP(&s.Canvas, pts, 2);
    EXPECT_EQ(pts[0], TPoint(0, 0));
    EXPECT_EQ(pts[1], TPoint(254, -508));

    // The clip box in logical units: the device's bottom lies below its top.
    EXPECT_EQ(s.Canvas.ClipRect(), TRect(-132, 106, 397, -423));
    EXPECT_EQ(GetDeviceCaps(&s.Canvas, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(&s.Canvas, HORZRES), 200);
    EXPECT_EQ(GetDeviceCaps(&s.Canvas, VERTRES), 200);

    // Back to pixels at the origin: as before.
    s.Canvas.SetMapMode(MM_TEXT);
    s.Canvas.SetViewportOrg(TPoint());
    EXPECT_EQ(s.Canvas.ClipRect(), TRect(0, 0, 200, 200));
    EXPECT_EQ(s.Canvas.DPtoLP(TPoint(7, 9)), TPoint(7, 9));
}

TEST(CanvasMapping, PenWidthsAndClipsAreTakenToTheDevice)
{
    MappingSurface s(200, 200);
    s.Canvas.SetMapMode(MM_LOMETRIC);
    // A 1 mm pen: 4 pixels at 96 dots per inch; a 0.1 mm pen still draws one.
    s.Canvas.Pen()->SetWidth(10);
    s.Canvas.MoveTo(0, -254);
    s.Canvas.LineTo(254, -254);
    const QRect wide = MappingInk(s.Done());
    EXPECT_NEAR(wide.height(), 4, 1);
    EXPECT_NEAR(wide.center().y(), 96, 2);

    MappingSurface t(200, 200);
    t.Canvas.SetMapMode(MM_LOMETRIC);
    t.Canvas.Pen()->SetWidth(1);
    t.Canvas.MoveTo(0, -254);
    t.Canvas.LineTo(254, -254);
    EXPECT_EQ(MappingInk(t.Done()).height(), 1);

    // A clip given with its top above its bottom keeps drawing inside it.
    MappingSurface c(200, 200);
    c.Canvas.SetMapMode(MM_LOMETRIC);
    c.Canvas.IntersectClipRect(TRect(0, 0, 254, -254));
    c.Canvas.Brush()->SetColor(clBlack);
    c.Canvas.FillRect(TRect(0, 0, 508, -508));
    EXPECT_EQ(MappingInk(c.Done()), QRect(0, 0, 96, 96));
}

TEST(CanvasMapping, RecordingKeepsLogicalUnitsAndMeasuresAtItsResolution)
{
    // An A4 page at 300 dots per inch.
    TRecordingCanvas c(TRect(0, 0, 2480, 3508));
    c.SetPixelsPerInch(300);
    EXPECT_EQ(c.PixelsPerInch(), 300);
    c.SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(c.ClipRect(), TRect(0, 0, 2100, -2970));
    c.Font()->SetName("DejaVu Sans");
    c.Font()->SetHeight(-35);
    c.Pen()->SetWidth(2);
    c.MoveTo(100, -200);
    c.LineTo(900, -200);
    c.TextOut(100, -210, "cell");
    ASSERT_EQ(c.Ops().size(), size_t(2));
    EXPECT_EQ(c.Ops()[0].Points, std::vector<TPoint>({TPoint(100, -200), TPoint(900, -200)}));
    EXPECT_EQ(c.Ops()[0].PenWidth, 2);
    EXPECT_EQ(c.Ops()[1].Points.at(0), TPoint(100, -210));
    EXPECT_EQ(c.Ops()[1].FontHeight, -35);

    // The text is measured in a 41-pixel font (3.5 mm at 300 dpi) and
    // answered in tenths of a millimetre.
    TCanvas device;
    device.Font()->SetName("DejaVu Sans");
    device.Font()->SetHeight(-41);
    EXPECT_NEAR(c.TextWidth("cell"), device.TextWidth("cell") * 254.0 / 300.0, 1.0);
}
