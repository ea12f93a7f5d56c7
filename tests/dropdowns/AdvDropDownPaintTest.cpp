// The drawing helpers of the drop-down controls: the banded gradient (the
// bands it computes and what it draws on a canvas), colour blending and
// shifting, shortening a text to a width and the gradient box.

#include "AdvDropDownPaint.h"
#include "ColorNames.h"
#include "GraphicsRecording.h"
#include "ImgList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string DropDownBandText(const TRect& r, TColor c)
{
    return QStringLiteral("%1,%2,%3,%4 %5")
        .arg(r.Left)
        .arg(r.Top)
        .arg(r.Right)
        .arg(r.Bottom)
        .arg(ColorToString(c))
        .toStdString();
}

std::vector<std::string> DropDownBandTexts(const std::vector<TGradientBand>& bands)
{
    std::vector<std::string> out;
    for (const TGradientBand& b : bands) out.push_back(DropDownBandText(b.Rect, b.Color));
    return out;
}

}  // namespace

TEST(DropDownGradient, Bands)
{
    const TColor btnFace = ColorToRGB(clBtnFace);
    ASSERT_NE(btnFace, clBtnFace);
    struct Case {
        const char* Name;
        TColor From, To;
        int Steps;
        TRect R;
        bool Horizontal;
        std::vector<std::string> Expected;
    };
    const std::vector<Case> cases = {
        {"Steps 0 paints one band in the start colour over the whole rectangle", clRed, clBlue, 0,
         TRect(10, 5, 110, 25), true, {"10,5,110,25 clRed"}},
        {"vertical: the bottom is taken 1 in, bands overlap by a pixel", clBlack, RGBColor(200, 100, 40), 4,
         TRect(0, 0, 50, 41), false,
         {"0,0,50,11 clBlack", "0,10,50,21 $000A1932", "0,20,50,31 $00143264", "0,30,50,41 $001E4B96"}},
        {"horizontal: the right edge is taken 1 in", clBlack, RGBColor(200, 100, 40), 4, TRect(0, 0, 41, 50),
         true,
         {"0,0,11,50 clBlack", "10,0,21,50 $000A1932", "20,0,31,50 $00143264", "30,0,41,50 $001E4B96"}},
        {"a system colour is converted", clBtnFace, clBtnFace, 2, TRect(0, 0, 21, 10), true,
         {DropDownBandText(TRect(0, 0, 11, 10), btnFace), DropDownBandText(TRect(10, 0, 21, 10), btnFace)}},
        {"clNone reads white; -127.5 rounds to -128", clNone, clBlack, 2, TRect(0, 0, 21, 10), true,
         {"0,0,11,10 clWhite", "10,0,21,10 $007F7F7F"}},
        {"no band for negative steps", clRed, clBlue, -3, TRect(0, 0, 21, 10), true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(DropDownBandTexts(DropDownGradientBands(c.From, c.To, c.Steps, c.R, c.Horizontal)), c.Expected);
    }
}

TEST(DropDownGradient, MoreStepsThanPixelsGiveOnePixelBandsAtRoundedPositions)
{
    // 80 bands over a band length of 10 pixels: each band is 1 pixel long at
    // Round(i / 8), halves to the even neighbour, so bands share positions.
    const auto bands = DropDownGradientBands(clBlack, clWhite, 80, TRect(0, 0, 11, 4), true);
    ASSERT_EQ(bands.size(), 80u);
    const std::vector<std::pair<int, int>> leftOf = {{0, 0}, {4, 0}, {5, 1}, {12, 2}, {20, 2}, {28, 4}, {79, 10}};
    for (auto [i, left] : leftOf) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bands[size_t(i)].Rect, TRect(left, 0, left + 1, 4));
    }
    EXPECT_EQ(bands[79].Color, RGBColor(252, 252, 252));
}

TEST(DropDownGradient, DrawsEachBandAsARectangleInItsColour)
{
    TRecordingCanvas canvas;
    canvas.Pen()->SetWidth(1);
    canvas.Brush()->SetStyle(bsClear);
    const TRect r(4, 2, 64, 30);
    DrawDropDownGradient(&canvas, clNavy, clNone, 3, r, false);
    const auto bands = DropDownGradientBands(clNavy, clNone, 3, r, false);
    ASSERT_EQ(canvas.Ops().size(), bands.size());
    for (size_t i = 0; i < bands.size(); ++i) {
        const TCanvasOp& op = canvas.Ops()[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(op.Kind, "Rectangle");
        EXPECT_EQ(DropDownBandText(op.Rect, op.PenColor), DropDownBandText(bands[i].Rect, bands[i].Color));
        EXPECT_EQ(op.BrushColor, bands[i].Color);
        EXPECT_EQ(op.BrushStyle, bsSolid);
    }
    EXPECT_EQ(canvas.Pen()->Color(), bands.back().Color);
    EXPECT_EQ(canvas.Brush()->Color(), bands.back().Color);

    DrawDropDownGradient(nullptr, clRed, clBlue, 8, r, true);  // nothing to paint on
}

namespace {

TEST(DropDownPaint, BlendColor)
{
    const struct {
        TColor A, B;
        int Percent;
        TColor Result;
    } cases[] = {
        {clWhite, clBlack, 50, 0x808080},      // 127.5 rounds to the even 128
        {clWhite, clBlack, 100, clWhite},
        {clWhite, clBlack, 0, clBlack},
        {clNone, clBlack, 100, clNone},        // 100: Color1 as it is
        {clNone, clBlack, 50, 0x808080},       // clNone reads as white
        {0x0000FF, 0xFF0000, 25, 0xBF0040},    // 0.25 * 255 = 63.75 -> 64; 191.25 -> 191
        {clBtnFace, clWhite, 50, BlendColor(ColorToRGB(clBtnFace), clWhite, 50)},
    };
    for (const auto& c : cases) EXPECT_EQ(BlendColor(c.A, c.B, c.Percent), c.Result) << c.Percent;
}

TEST(DropDownPaint, ShiftColor)
{
    const struct {
        TColor Color;
        int R, G, B;
        TColor Result;
    } cases[] = {
        {16117985, -10, -10, 0, 16111818},     // the checked default of the bar buttons
        {16372402, -10, -10, 0, 16367008},
        {0x000000, 20, 0, -5, 0x000014},       // a zero channel takes a positive delta
        {0x808080, 50, 50, 50, 0x808080},      // positive deltas change nothing else
        {0x0000FF, -100, 0, 0, 0x000000},
    };
    for (const auto& c : cases) EXPECT_EQ(ShiftColor(c.Color, c.R, c.G, c.B), c.Result);
}

TEST(DropDownPaint, FitTextToWidthWithAFakeMeasurer)
{
    // Ten pixels a character.
    const auto width = [](const QString& s) { return int(s.size()) * 10; };
    EXPECT_EQ(FitTextToWidth(QStringLiteral("abcd"), 40, true, width), QStringLiteral("abcd")) << "fits: as it is";
    EXPECT_EQ(FitTextToWidth(QStringLiteral("abcdefgh"), 60, true, width), QStringLiteral("ab..."));
    EXPECT_EQ(FitTextToWidth(QStringLiteral("abcdefgh"), 60, false, width), QStringLiteral("abcde"));
    // Nothing narrow enough: the whole text.
    EXPECT_EQ(FitTextToWidth(QStringLiteral("abcdefgh"), 20, true, width), QStringLiteral("abcdefgh"));
}

TEST(DropDownPaint, TextExtentOfAnEmptyTextIsNothing)
{
    TCanvas c;
    EXPECT_EQ(GetTextExtent(&c, QString()), TSize(0, 0));
    const TSize s = GetTextExtent(&c, QStringLiteral("Gateway"));
    EXPECT_GT(s.cx, 0);
    EXPECT_EQ(s.cx, c.TextWidth(QStringLiteral("Gateway")));
    EXPECT_EQ(CaseKey(QStringLiteral("Abc"), false), QStringLiteral("ABC"));
    EXPECT_EQ(CaseKey(QStringLiteral("Abc"), true), QStringLiteral("Abc"));
}

TEST(DropDownPaint, GradientBoxWithBorder)
{
    TRecordingCanvas c;
    DrawGradientBox(&c, TRect(0, 0, 20, 10), clRed, clNone, clNavy, 2, gdVertical);
    const QStringList log = c.Log();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("FillRect(0,0,20,10)"))) << log[0].toStdString();
    EXPECT_EQ(c.Ops()[1].Kind, QStringLiteral("Rectangle"));
    EXPECT_EQ(c.Ops()[1].PenColor, clNavy);
    EXPECT_EQ(c.Ops()[1].PenWidth, 2);
    EXPECT_EQ(c.Ops()[1].BrushStyle, bsClear);
}

}  // namespace

namespace {

TEST(DropDownPaint, ImageAndTextSitSideBySide)
{
    TCustomImageList images;
    images.SetSize(16, 16);
    TBitmap picture(16, 16);
    images.Add(&picture);
    TRecordingCanvas c;
    DrawImageAndText(&c, TRect(10, 0, 110, 30), QStringLiteral("Apply"), 0, &images);
    ASSERT_EQ(c.Ops().size(), 2u);
    EXPECT_EQ(c.Ops()[0].Rect.Left, 14);
    EXPECT_EQ(c.Ops()[0].Rect.Top, 7) << "(30 - 16) / 2";
    EXPECT_EQ(c.Ops()[1].Kind, QStringLiteral("DrawText"));
    EXPECT_EQ(c.Ops()[1].Rect.Left, 10 + 16 + 8);
    EXPECT_FALSE(c.Ops()[1].Flags & DT_CENTER);
    EXPECT_TRUE(c.Ops()[1].Flags & DT_END_ELLIPSIS);
    // Without an image the text is centred.
    c.ClearLog();
    DrawImageAndText(&c, TRect(10, 0, 110, 30), QStringLiteral("Apply"), -1, &images);
    ASSERT_EQ(c.Ops().size(), 1u);
    EXPECT_TRUE(c.Ops()[0].Flags & DT_CENTER);
}

TEST(DropDownPaint, TransparentGlyphTakesTheColourWhereItsCornerColourWas)
{
    TBitmap glyph(4, 4);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(TRect(0, 0, 4, 4));
    glyph.Canvas()->SetPixels(2, 2, clBlue);
    TBitmap target(6, 6);
    DrawTransparentGlyph(target.Canvas(), &glyph, clLime, TRect(1, 1, 5, 5));
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clLime);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), clBlue);
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), clWhite) << "outside R nothing changes";
}

}  // namespace
