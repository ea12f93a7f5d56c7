// The button face painter: colour blending, glyph image choice, layout and
// caption fitting, drawn on an off-screen image.
#include "LbButtons.h"

#include "TestHarness.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr int W = 100;
constexpr int H = 23;
const QColor GlyphColor(200, 0, 0);

// A solid 16 x 16 image per strip entry whose bottom-left (key) pixel differs.
std::unique_ptr<TBitmap> SolidGlyph(int images = 1, int size = 16)
{
    QImage img(size * images, size, QImage::Format_RGB32);
    img.fill(GlyphColor);
    for (int i = 0; i < images; ++i) img.setPixelColor(i * size, size - 1, QColor(0, 255, 0));
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetImage(img);
    return bmp;
}

QImage DrawFace(const TLbButtonFace& face, int w = W, int h = H)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    TCanvas canvas;
    canvas.BindImage(&img);
    DrawLbButtonFace(&canvas, w, h, face);
    canvas.Unbind();
    return img;
}

// The top-left corner of the red image: red there, not to the left or above.
bool ImageStartsAt(const QImage& img, int x, int y)
{
    auto red = [&](int px, int py) {
        return px >= 0 && py >= 0 && img.pixelColor(px, py).rgb() == GlyphColor.rgb();
    };
    return red(x, y) && !red(x - 1, y) && !red(x, y - 1);
}

}  // namespace

TEST(LbButtons, BlendHotTrackStepsAndSystemColours)
{
    struct Case {
        int step;
        int expected;
    };
    for (const Case& c : {Case{0, 0}, Case{4, 127}, Case{8, 255}}) {
        TColor blended = LbBlendHotTrack(RGBColor(0, 0, 0), RGBColor(255, 255, 255), c.step);
        EXPECT_EQ(blended, RGBColor(c.expected, c.expected, c.expected)) << "step " << c.step;
    }
    // The button-face system colour blends from its RGB value, not its bits.
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(LbBlendHotTrack(clBtnFace, clYellow, 0), face);
    EXPECT_EQ(LbBlendHotTrack(clBtnFace, clYellow, 8), clYellow);
    EXPECT_EQ(GetBValue(LbBlendHotTrack(clBtnFace, clYellow, 4)), GetBValue(face) / 2);
}

TEST(LbButtons, GlyphImageChoice)
{
    struct Case {
        int count;
        int enabled, hot, pressed, pressedHot, disabled;
    };
    const Case cases[] = {
        {1, 0, 0, 0, 0, 0},
        {2, 0, 0, 0, 0, 1},
        {3, 0, 0, 2, 2, 1},
        {4, 0, 3, 2, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(LbGlyphImageIndex(c.count, true, false, false), c.enabled);
        EXPECT_EQ(LbGlyphImageIndex(c.count, true, true, false), c.hot);
        EXPECT_EQ(LbGlyphImageIndex(c.count, true, false, true), c.pressed);
        EXPECT_EQ(LbGlyphImageIndex(c.count, true, true, true), c.pressedHot);
        EXPECT_EQ(LbGlyphImageIndex(c.count, false, false, false), c.disabled);
    }
}

TEST(LbButtons, DisabledFaceShowsImageOneOfTheStrip)
{
    // Image 1 of a two-image strip is blue; the face shows it when disabled.
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(GlyphColor);
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x) strip.setPixelColor(x, y, QColor(0, 0, 200));
    strip.setPixelColor(0, 15, Qt::green);
    strip.setPixelColor(16, 15, Qt::green);
    TBitmap glyph;
    glyph.SetImage(strip);
    TLbButtonFace face;
    face.Glyph = &glyph;
    face.NumGlyphs = 2;
    EXPECT_EQ(DrawFace(face).pixelColor(43, 8), GlyphColor);
    face.Enabled = false;
    EXPECT_EQ(DrawFace(face).pixelColor(43, 8), QColor(0, 0, 200));
}

TEST(LbButtons, GlyphPositionWithAnEmptyCaption)
{
    auto glyph = SolidGlyph();
    struct Case {
        TLbButtonLayout layout;
        TAlignment alignment;
        int x;
    };
    const Case cases[] = {
        {blGlyphLeft, taLeftJustify, 4}, {blGlyphLeft, taRightJustify, 80}, {blGlyphLeft, taCenter, 42},
        {blGlyphRight, taLeftJustify, 4}, {blGlyphRight, taRightJustify, 80}, {blGlyphRight, taCenter, 42},
    };
    for (const Case& c : cases) {
        for (TLbButtonStyle style : {bsNormal, bsEncarta}) {
            for (bool pressed : {false, true}) {
                SCOPED_TRACE(testing::Message() << "layout " << c.layout << " alignment " << c.alignment
                                                << " style " << style << " pressed " << pressed);
                TLbButtonFace face;
                face.Glyph = glyph.get();
                face.NumGlyphs = 1;
                face.Layout = c.layout;
                face.Alignment = c.alignment;
                face.Style = style;
                face.Down = pressed;
                const int off = pressed && style == bsNormal ? 1 : 0;
                EXPECT_TRUE(ImageStartsAt(DrawFace(face), c.x + off, 3 + off));
            }
        }
    }
}

TEST(LbButtons, GlyphAboveAndBelowTheCaption)
{
    // Top and bottom layouts centre the image block; with no caption the
    // block is the image and a text line of the font's height.
    auto glyph = SolidGlyph();
    TFont font;
    TCanvas canvas;
    canvas.Font()->Assign(&font);
    TLbButtonFace face;
    face.Glyph = glyph.get();
    face.NumGlyphs = 1;
    face.Font = &font;
    const int H2 = 60;
    for (TLbButtonLayout layout : {blGlyphTop, blGlyphBottom}) {
        face.Layout = layout;
        const TLbFaceLayout l = LayoutLbButtonFace(&canvas, W, H2, face);
        const int textH = l.TextRect.Height();
        const int top = (H2 - (textH + 16 + 4)) / 2;
        const int imageTop = layout == blGlyphTop ? top : top + textH;
        EXPECT_TRUE(ImageStartsAt(DrawFace(face, W, H2), 42, imageTop)) << "layout " << layout;
    }
}

TEST(LbButtons, CaptionIsCutWithoutEllipsisUnlessItWraps)
{
    TFont font;
    TCanvas canvas;
    canvas.Font()->Assign(&font);
    TLbButtonFace face;
    face.Font = &font;
    face.Caption = QStringLiteral("Configuration of the gateway");
    const int w = 80;
    const TLbFaceLayout cut = LayoutLbButtonFace(&canvas, w, H, face);
    ASSERT_FALSE(cut.Caption.isEmpty());
    EXPECT_TRUE(face.Caption.startsWith(cut.Caption));
    EXPECT_LT(cut.Caption.size(), face.Caption.size());
    EXPECT_LE(canvas.TextWidth(cut.Caption), w - 8);
    EXPECT_GT(canvas.TextWidth(face.Caption.left(cut.Caption.size() + 1)), w - 8);
    EXPECT_FALSE(cut.Caption.contains(QChar(0x2026)));

    face.WordWrap = true;
    const TLbFaceLayout wrapped = LayoutLbButtonFace(&canvas, w, 60, face);
    EXPECT_EQ(wrapped.Caption, face.Caption);
    EXPECT_GT(wrapped.TextRect.Height(), canvas.TextHeight(face.Caption));
}

TEST(LbButtons, ModernGradientRunsFromTheLightColourToTheFace)
{
    TLbButtonFace face;
    face.Style = bsModern;
    face.Color = RGBColor(0, 0, 200);
    face.LightColor = RGBColor(200, 200, 255);
    const QImage img = DrawFace(face, W, 40);
    // Light near the top, the face colour at a quarter, light again low down.
    EXPECT_GT(img.pixelColor(50, 2).red(), 150);
    EXPECT_LT(img.pixelColor(50, 10).red(), 30);
    EXPECT_GT(img.pixelColor(50, 37).red(), 150);
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
}
