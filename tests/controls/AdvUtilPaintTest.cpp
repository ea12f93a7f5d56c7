// Colour maths, gradients, cell buttons and cell graphics: geometry and texts
// as data, order through the recording canvas, a few pixels on a bitmap.
#include "AdvUtilPaint.h"
#include "AdvUtilFixture.h"
#include "AdvXPVS.h"
#include "GraphicsRecording.h"
#include "Resources.h"

#include <gtest/gtest.h>

namespace {

using AdvUtilPaint = GridFormatTest;

TEST(AdvUtilColours, ColourMaths)
{
    EXPECT_EQ(HalveColor(RGBColor(200, 100, 51)), RGBColor(100, 50, 25));
    EXPECT_EQ(HalveColor(clBtnFace), HalveColor(ColorToRGB(clBtnFace)));

    struct { TColor color; int percent; TColor expected; } adjust[] = {
        {RGBColor(200, 100, 0), 50, RGBColor(44, 150, 0)},  // 300 wraps to 44
        {RGBColor(5, 15, 25), 10, RGBColor(6, 16, 28)},     // 5.5 -> 6, 16.5 -> 16, 27.5 -> 28: halves to even
        {RGBColor(100, 100, 100), -50, RGBColor(50, 50, 50)},
        {clBtnFace, 0, ColorToRGB(clBtnFace)},              // system colour as RGB
    };
    for (const auto& c : adjust)
        EXPECT_EQ(AdjustColorPercent(c.color, c.percent), c.expected) << std::hex << c.color;

    EXPECT_EQ(BlendColorStep(clRed, clNone, 0, 5, 10), clRed);
    EXPECT_EQ(BlendColorStep(clRed, clBlue, 3, 5, 3), clRed);  // no division by zero
    EXPECT_EQ(BlendColorStep(RGBColor(0, 0, 0), RGBColor(100, 200, 50), 0, 5, 10), RGBColor(50, 100, 25));
}

TEST(AdvUtilGradient, Bands)
{
    const auto bands = GradientBands(clRed, clBlue, true, TRect(0, 0, 20, 10), 64);
    ASSERT_EQ(bands.size(), 20u);  // more steps than pixels: one per pixel
    EXPECT_EQ(bands.front().Color, clRed);
    EXPECT_EQ(bands.front().Rect, TRect(0, 0, 2, 10));
    EXPECT_EQ(bands.back().Color, clBlue);
    EXPECT_EQ(bands.back().Rect, TRect(19, 0, 20, 10));  // clipped to the edge

    const auto four = GradientBands(RGBColor(0, 0, 0), RGBColor(100, 0, 0), false, TRect(0, 0, 5, 101), 4);
    ASSERT_EQ(four.size(), 5u);
    for (size_t i = 0; i < four.size(); ++i) {
        EXPECT_EQ(four[i].Rect.Top, int(25 * i));
        EXPECT_EQ(four[i].Color, RGBColor(int(25 * i), 0, 0));
    }
    EXPECT_EQ(four[4].Rect, TRect(0, 100, 5, 101));

    EXPECT_EQ(GradientBands(clRed, clBlue, false, TRect(0, 10, 20, 0), 4),
              GradientBands(clRed, clBlue, false, TRect(0, 0, 20, 10), 4));  // inverted Top/Bottom
    EXPECT_TRUE(GradientBands(clRed, clBlue, true, TRect(0, 5, 20, 5), 4).empty());
    EXPECT_TRUE(GradientBands(clRed, clBlue, true, TRect(5, 0, 5, 10), 4).empty());
    const auto solid = GradientBands(clNone, clGreen, true, TRect(0, 0, 8, 8), 4);
    ASSERT_EQ(solid.size(), 1u);
    EXPECT_EQ(solid[0].Rect, TRect(0, 0, 8, 8));
    EXPECT_EQ(solid[0].Color, clGreen);
}

TEST(AdvUtilGradient, PixelsOnABitmap)
{
    TBitmap bmp(40, 20);
    TCanvas* c = bmp.Canvas();
    FillRectColor(c, TRect(0, 0, 40, 20), clWhite);
    DrawGradient(c, clRed, clBlue, true, TRect(0, 0, 20, 10), 64);
    EXPECT_EQ(c->Pixels(0, 5), clRed);
    EXPECT_EQ(c->Pixels(19, 5), clBlue);
    EXPECT_EQ(c->Pixels(20, 5), clWhite);
    DrawGradient(c, clNone, clGreen, false, TRect(20, 0, 40, 10), 8);
    EXPECT_EQ(c->Pixels(20, 0), clGreen);
    EXPECT_EQ(c->Pixels(39, 9), clGreen);

    // Mirror gradient: upper half red, lower half blue, side lines only.
    DrawMirrorGradient(c, TRect(0, 10, 20, 20), clRed, clRed, clBlue, clBlue, true, true, clBlack, true);
    EXPECT_EQ(c->Pixels(10, 12), clRed);
    EXPECT_EQ(c->Pixels(10, 18), clBlue);
    EXPECT_EQ(c->Pixels(0, 15), clBlack);
    EXPECT_EQ(c->Pixels(19, 15), clBlack);
    EXPECT_EQ(c->Pixels(10, 10), clRed);  // no top line
}

TEST(AdvUtilGradient, ButtonFramePixels)
{
    const TColor face = clYellow, border = clBlack, upper = clWhite, lower = clGray, corner = clSilver,
                 outer = clRed;
    for (int kind : {0, 3}) {
        TBitmap bmp(40, 20);
        TCanvas* c = bmp.Canvas();
        FillRectColor(c, TRect(0, 0, 40, 20), clAqua);
        DrawGradientButtonFrame(c, TRect(0, 0, 40, 20), kind, face, clNone, clNone, clNone, border, upper, lower,
                                corner, outer);
        // The frame ends 2 pixels above the bottom and 1 left of the right.
        EXPECT_EQ(c->Pixels(20, 19), clAqua) << kind;
        EXPECT_EQ(c->Pixels(39, 10), clAqua) << kind;
        EXPECT_EQ(c->Pixels(20, 0), border) << kind;
        EXPECT_EQ(c->Pixels(20, 17), border) << kind;
        EXPECT_EQ(c->Pixels(20, 1), upper) << kind;
        EXPECT_EQ(c->Pixels(20, 16), lower) << kind;
        EXPECT_EQ(c->Pixels(20, 8), face) << kind;
        if (kind == 0) {
            EXPECT_EQ(c->Pixels(0, 0), outer);
            EXPECT_EQ(c->Pixels(1, 0), corner);
            EXPECT_EQ(c->Pixels(0, 1), corner);
            EXPECT_EQ(c->Pixels(38, 17), outer);
            EXPECT_EQ(c->Pixels(0, 8), border);  // the rounded end's outer line
            EXPECT_EQ(c->Pixels(2, 0), border);  // the top edge starts 2 in
        } else {
            EXPECT_EQ(c->Pixels(0, 0), border);  // open ends: edges run to the end
            EXPECT_EQ(c->Pixels(0, 8), clAqua);  // and no outer line
        }
    }
}

TEST(AdvUtilProgress, TextAndPercentage)
{
    struct { const char* format; int max, min; double value; const char* text; int percent; } cases[] = {
        {"%d items", 10, 0, 7.6, "8 items", 76},
        {"", 100, 0, 150, "150%", 100},
        {"", 100, 0, -5, "-5%", 0},
        {"%d", 5, 5, 3, "3", 0},             // Max = Min: no division
        {"%s", 100, 0, 40, "", 40},          // a format that does not fit: no text
        {"%.1f kg", 200, 100, 150, "150.0 kg", 50},
    };
    for (const auto& c : cases) {
        const TProgressText t = ProgressTextOf(QString::fromLatin1(c.format), c.max, c.min, c.value);
        EXPECT_EQ(t.Text, QString::fromLatin1(c.text)) << c.format;
        EXPECT_EQ(t.Percent, c.percent) << c.format;
    }

    TRecordingCanvas rc;
    DrawProgressBar(&rc, TRect(0, 0, 100, 20), clLime, false, clBlack, QString(), 100, 0, 0, 0, 150, clBlack,
                    clWhite, clBlack);
    ASSERT_FALSE(rc.Ops().empty());
    EXPECT_EQ(rc.Ops()[0].Kind, QStringLiteral("FillRect"));
    EXPECT_EQ(rc.Ops()[0].Rect, TRect(0, 0, 100, 20));  // a full bar
    EXPECT_EQ(rc.Ops()[0].BrushColor, clLime);
    rc.ClearLog();
    EXPECT_NO_THROW(DrawProgressBar(&rc, TRect(0, 0, 100, 20), clLime, false, clBlack, QStringLiteral("%d"), 3, 3, 0,
                                    0, 2, clBlack, clWhite, clBlack));
    EXPECT_EQ(rc.Ops()[0].Rect, TRect(0, 0, 100, 20));  // only the uncomplete part
    EXPECT_EQ(rc.Ops()[0].BrushColor, clWhite);
    rc.ClearLog();
    DrawProgressBar(&rc, TRect(10, 10, 10, 30), clLime, false, clBlack, QString(), 100, 0, 0, 0, 50, clBlack, clWhite,
                    clBlack);
    EXPECT_TRUE(rc.Ops().empty());
}

TEST(AdvUtilProgress, LevelBar)
{
    TProgressLevels lv;
    lv.Level1Perc = 50;
    lv.Level2Perc = 80;
    EXPECT_EQ(LevelOfPercent(30, lv), 0);
    EXPECT_EQ(LevelOfPercent(60, lv), 1);
    EXPECT_EQ(LevelOfPercent(90, lv), 2);
    EXPECT_EQ(LevelOfPercent(100, lv), 3);

    lv.CompletionSmooth = false;
    using S = std::vector<TLevelSegment>;
    // Filled lengths 20, 21, 9, 2 and 1 of a 100-pixel bar.
    EXPECT_EQ(LevelBarSegments(100, 20, lv), (S{{2, 7, 0}, {11, 7, 0}}));
    EXPECT_EQ(LevelBarSegments(100, 21, lv), (S{{2, 7, 0}, {11, 7, 0}, {20, 2, 0}}));
    EXPECT_EQ(LevelBarSegments(100, 9, lv), (S{{2, 8, 0}}));
    EXPECT_EQ(LevelBarSegments(100, 2, lv), (S{{2, 1, 0}}));
    EXPECT_EQ(LevelBarSegments(100, 1, lv), S{});
    EXPECT_EQ(LevelBarSegments(100, 0, lv), S{});

    lv.CompletionSmooth = true;
    EXPECT_EQ(LevelBarSegments(200, 60, lv), (S{{0, 120, 1}}));
    lv.Stacked = true;
    EXPECT_EQ(LevelBarSegments(200, 30, lv), (S{{0, 60, 0}}));
    EXPECT_EQ(LevelBarSegments(200, 60, lv), (S{{0, 100, 0}, {100, 20, 1}}));
    EXPECT_EQ(LevelBarSegments(200, 90, lv), (S{{0, 100, 0}, {100, 60, 1}, {160, 20, 3}}));
    EXPECT_EQ(LevelBarSegments(199, 100, lv), (S{{0, 100, 0}, {100, 60, 1}, {160, 39, 3}}));  // to the end

    TBitmap bmp(102, 12);
    lv.Stacked = false;
    lv.ShowGradient = false;
    lv.ShowPercentage = false;
    DrawLevelProgressBar(bmp.Canvas(), TRect(0, 0, 102, 12), 60, lv);
    EXPECT_EQ(bmp.Canvas()->Pixels(30, 6), lv.Level1Color);
    EXPECT_EQ(bmp.Canvas()->Pixels(80, 6), lv.BackgroundColor);
}

TEST(AdvUtilShapes, Points)
{
    const TShapeGeometry circle = CellShapeGeometry(csCircle, 0, 0, 20, 30);
    EXPECT_EQ(circle.Kind, TShapeGeometry::skEllipse);
    EXPECT_EQ(circle.Rect, TRect(0, 0, 20, 20));
    EXPECT_EQ(CellShapeGeometry(csRectangle, 0, 0, 20, 30).Rect, TRect(1, 1, 29, 19));

    using P = std::vector<TPoint>;
    EXPECT_EQ(CellShapeGeometry(csArrowUp, 10, 20, 16, 13).Points,
              (P{{10, 28}, {16, 20}, {22, 28}, {19, 28}, {19, 36}, {13, 36}, {13, 28}}));
    EXPECT_EQ(CellShapeGeometry(csArrowLeft, 0, 0, 13, 20).Points,
              (P{{0, 6}, {10, 0}, {10, 3}, {20, 3}, {20, 9}, {10, 9}, {10, 12}}));
    EXPECT_EQ(CellShapeGeometry(csDiamond, 0, 0, 11, 21).Points, (P{{10, 0}, {21, 5}, {10, 11}, {0, 5}}));
    const TShapeGeometry star = CellShapeGeometry(csStar, 0, 0, 30, 30);
    ASSERT_EQ(star.Points.size(), 10u);
    EXPECT_EQ(star.Points[0], TPoint(15, 0));
    EXPECT_EQ(star.Points[5], TPoint(15, 20));  // bottom, at a third
    EXPECT_EQ(CellShapeGeometry(csHalfStar, 0, 0, 30, 30).Points.size(), 6u);
    EXPECT_EQ(CellShapeGeometry(TCellShape(19), 0, 0, 30, 30).Kind, TShapeGeometry::skNone);

    TRecordingCanvas rc;
    DrawCellShape(&rc, 0, 0, clBlack, clRed, TCellShape(42), 10, 10);
    EXPECT_TRUE(rc.Ops().empty());
    for (int s = csRectangle; s <= csHalfStar; ++s)
        DrawCellShape(&rc, 0, 0, clBlack, clRed, TCellShape(s), 10, 10);
    EXPECT_EQ(rc.Ops().size(), 19u);
}

TEST(AdvUtilGraphics, RangeTriangleBitmapAndLayers)
{
    TRecordingCanvas rc;
    DrawRangeIndicator(&rc, TRect(0, 0, 44, 10), 5, clGreen, clRed, false, 0);
    EXPECT_TRUE(rc.Ops().empty());
    DrawRangeIndicator(&rc, TRect(0, 0, 44, 10), 500, clGreen, clRed, false, 100);
    ASSERT_EQ(rc.Ops().size(), 1u);
    EXPECT_EQ(rc.Ops()[0].Rect, TRect(22, 2, 42, 8));  // limited to the range
    EXPECT_EQ(rc.Ops()[0].BrushColor, clGreen);
    rc.ClearLog();
    DrawRangeIndicator(&rc, TRect(0, 0, 44, 10), -50, clGreen, clRed, false, 100);
    ASSERT_EQ(rc.Ops().size(), 1u);
    EXPECT_EQ(rc.Ops()[0].Rect, TRect(12, 2, 22, 8));
    EXPECT_EQ(rc.Ops()[0].BrushColor, clRed);

    TBitmap bmp(20, 20);
    FillRectColor(bmp.Canvas(), TRect(0, 0, 20, 20), clWhite);
    DrawDropTriangle(bmp.Canvas(), 10, 5, clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixels(10, 6), clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixels(10, 4), clWhite);
    EXPECT_EQ(bmp.Canvas()->Pixels(15, 6), clWhite);

    TBitmap glyph(3, 3);
    FillRectColor(glyph.Canvas(), TRect(0, 0, 3, 3), clFuchsia);
    glyph.Canvas()->SetPixels(1, 1, clBlack);
    DrawBitmapTransparent(bmp.Canvas(), &glyph, clYellow, TRect(0, 10, 3, 13));
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 10), clYellow);
    EXPECT_EQ(bmp.Canvas()->Pixels(2, 12), clYellow);
    EXPECT_EQ(bmp.Canvas()->Pixels(1, 11), clBlack);

    for (const char* name : {"ASGLEAFCLOSE", "ASGLEAFOPEN", "XPNODEC", "XPNODEO"})
        EXPECT_TRUE(FindResource(QString::fromLatin1(name)).has_value()) << name;
    for (const char* name : {"ASGLEAFCLOSE", "XPNODEC"}) {
        DrawResourceBitmap(bmp.Canvas(), clYellow, TRect(9, 9, 20, 20), QString::fromLatin1(name));
        EXPECT_EQ(bmp.Canvas()->Pixels(9, 9), clYellow) << name;  // the key colour shows the background
        EXPECT_EQ(bmp.Canvas()->Pixels(14, 14), clBlack) << name;  // the plus
        EXPECT_NE(bmp.Canvas()->Pixels(10, 14), clYellow) << name;  // the box
    }
    EXPECT_NO_THROW(DrawResourceBitmap(bmp.Canvas(), clYellow, TRect(0, 0, 9, 9), QStringLiteral("NOSUCH")));

    EXPECT_TRUE(DynSetLayeredWindowAttributes(nullptr, clBlack, 128, LWA_ALPHA));
    EXPECT_TRUE(DynUpdateLayeredWindow(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, clNone, nullptr, 0));
}

TEST(AdvUtilButtons, AreasAndKinds)
{
    EXPECT_EQ(ComboButtonRect(TRect(0, 0, 100, 20)), TRect(81, 1, 98, 19));
    TRect up, down;
    SpinButtonRects(TRect(0, 0, 100, 21), up, down);
    EXPECT_EQ(up, TRect(84, -1, 99, 9));
    EXPECT_EQ(down, TRect(84, 10, 99, 20));

    TColorTones tones;
    tones.Background = {clWhite, clGray, clBlack};
    tones.Hover = {clYellow, clGray, clBlack};
    tones.Selected = {clRed, clGray, clBlack};
    tones.Disabled = {clSilver, clGray, clGray};
    const TColor expected[] = {clWhite, clYellow, clRed, clSilver};
    for (int state = 0; state < 4; ++state) {
        TRecordingCanvas rc;
        DrawThemedButton(&rc, nullptr, TRect(0, 0, 30, 20), tones, state, 3);
        ASSERT_EQ(rc.Ops().size(), 1u);
        EXPECT_EQ(rc.Ops()[0].BrushColor, expected[state]);
        rc.ClearLog();
        DrawComboButton(&rc, nullptr, TRect(0, 0, 100, 20), tones, state, 3);
        ASSERT_GE(rc.Ops().size(), 3u);
        EXPECT_EQ(rc.Ops()[0].Rect, TRect(84, 1, 98, 19));  // 3 pixels narrower
        EXPECT_EQ(rc.Ops()[0].BrushColor, expected[state]);
    }

    // The theme's look through the table, the classic look without it.
    AdvXPVS::InitThemeLibrary();
    TRecordingCanvas themed;
    DrawComboButton(&themed, nullptr, TRect(0, 0, 100, 20), tones, 0, 0);
    ASSERT_EQ(themed.Ops().size(), 1u);
    EXPECT_EQ(themed.Ops()[0].Kind, QStringLiteral("Draw"));
    AdvXPVS::FreeThemeLibrary();
    TRecordingCanvas classic;
    DrawComboButton(&classic, nullptr, TRect(0, 0, 100, 20), tones, 0, 0);
    EXPECT_GT(classic.Ops().size(), 1u);
}

}  // namespace
