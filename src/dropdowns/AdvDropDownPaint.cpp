#include "AdvDropDownPaint.h"

#include "SysFormat.h"

#include <cstdint>

namespace {

int DropDownPaintChannel(TColor Rgb, int Index)
{
    return int((uint32_t(Rgb) >> (8 * Index)) & 0xFFu);
}

}  // namespace

std::vector<TGradientBand> DropDownGradientBands(TColor FromColor, TColor ToColor, int Steps, TRect R,
                                                 bool Horizontal)
{
    if (Horizontal)
        --R.Right;
    else
        --R.Bottom;
    if (Steps == 0) Steps = 1;
    if (Steps < 0) return {};

    const TColor c1 = ColorToRGB(FromColor), c2 = ColorToRGB(ToColor);
    int start[3];
    double delta[3];
    for (int k = 0; k < 3; ++k) {
        start[k] = DropDownPaintChannel(c1, k);
        delta[k] = double(DropDownPaintChannel(c2, k) - start[k]) / Steps;
    }
    const double band = double(Horizontal ? R.Right - R.Left : R.Bottom - R.Top) / Steps;
    const int length = int(Round(band)) + 1;

    std::vector<TGradientBand> bands;
    bands.reserve(size_t(Steps));
    for (int i = 0; i < Steps; ++i) {
        int channel[3];
        for (int k = 0; k < 3; ++k) channel[k] = start[k] + int(Round(i * delta[k]));
        const TColor color = TColor(channel[0] + 256 * channel[1] + 65536 * channel[2]);
        const int pos = int(Round(i * band) & 0xFFFF);
        const TRect r = Horizontal ? TRect(R.Left + pos, R.Top, R.Left + pos + length, R.Bottom)
                                   : TRect(R.Left, R.Top + pos, R.Right, R.Top + pos + length);
        bands.push_back({r, color});
    }
    return bands;
}

void DrawDropDownGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Horizontal)
{
    if (!Canvas) return;
    for (const TGradientBand& b : DropDownGradientBands(FromColor, ToColor, Steps, R, Horizontal)) {
        Canvas->Pen()->SetColor(b.Color);
        Canvas->Brush()->SetColor(b.Color);
        Canvas->Rectangle(b.Rect);
    }
}
