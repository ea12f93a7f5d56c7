// The banded gradient of the drop-down controls: the bands it computes and
// what it draws on a canvas.

#include "AdvDropDownPaint.h"
#include "ColorNames.h"
#include "GraphicsRecording.h"

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
