#include "AdvDropDownPaint.h"

#include "AsgHTMLE.h"
#include "ImgList.h"
#include "SysFormat.h"

#include <algorithm>
#include <cstdint>

namespace {

int DropDownPaintChannel(TColor Rgb, int Index)
{
    return int((uint32_t(Rgb) >> (8 * Index)) & 0xFFu);
}

// Each channel keeps its low 8 bits.
TColor DropDownPaintAssemble(int Red, int Green, int Blue)
{
    return TColor((Red & 0xFF) | ((Green & 0xFF) << 8) | ((Blue & 0xFF) << 16));
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

// ---------------------------------------------------------------------------
// Colours, boxes, images and texts of the drop-downs

TColor BlendColor(TColor Color1, TColor Color2, int Percent)
{
    if (Percent >= 100) return Color1;
    if (Percent <= 0) return Color2;
    const double p = Percent / 100.0;
    const TColor rgb1 = ColorToRGB(Color1), rgb2 = ColorToRGB(Color2);
    int ch[3];
    for (int k = 0; k < 3; ++k)
        ch[k] = int(Round(p * DropDownPaintChannel(rgb1, k) + (1 - p) * DropDownPaintChannel(rgb2, k)));
    return DropDownPaintAssemble(ch[0], ch[1], ch[2]);
}

TColor ShiftColor(TColor Color, int DeltaRed, int DeltaGreen, int DeltaBlue)
{
    const int delta[3] = {DeltaRed, DeltaGreen, DeltaBlue};
    const TColor rgb = ColorToRGB(Color);
    int ch[3];
    for (int k = 0; k < 3; ++k) {
        const int c = DropDownPaintChannel(rgb, k);
        if (c == 0)
            ch[k] = std::max(0, delta[k]);
        else
            ch[k] = int(Round(std::min(100, delta[k] + 100) / 100.0 * c));
    }
    return DropDownPaintAssemble(ch[0], ch[1], ch[2]);
}

void DrawGradientBox(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor BorderColor,
                     int BorderWidth, TGradientDirection Direction)
{
    if (!Canvas) return;
    if (ColorTo != clNone) {
        DrawDropDownGradient(Canvas, Color, ColorTo, 80, R, Direction == gdHorizontal);
    } else if (Color != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(R);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetWidth(BorderWidth);
        Canvas->Pen()->SetColor(BorderColor);
        Canvas->Rectangle(R);
        Canvas->Pen()->SetWidth(1);
        Canvas->Brush()->SetStyle(bsSolid);
    }
}

void DrawImageAndText(TCanvas* Canvas, const TRect& R, const QString& Text, int ImageIndex,
                      TCustomImageList* Images)
{
    if (!Canvas) return;
    TRect r = R;
    const bool image = ImageIndex >= 0 && Images;
    if (image) {
        Images->Draw(Canvas, r.Left + 4, r.Top + (r.Height() - Images->Height()) / 2, ImageIndex, true);
        r.Left += Images->Width() + 8;
    }
    if (!Text.isEmpty()) {
        unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
        if (!image) flags |= DT_CENTER;
        Canvas->DrawText(Text, r, flags);
    }
}

void DrawTransparentGlyph(TCanvas* Canvas, TBitmap* Glyph, TColor Color, const TRect& R)
{
    if (!Canvas || !Glyph || Glyph->Empty()) return;
    TBitmap temp(Glyph->Width(), Glyph->Height());
    temp.Canvas()->Brush()->SetColor(Color);
    temp.Canvas()->Brush()->SetStyle(bsSolid);
    temp.Canvas()->FillRect(TRect(0, 0, Glyph->Width(), Glyph->Height()));
    TBitmap glyph;
    glyph.Assign(Glyph);
    glyph.SetTransparentColor(Glyph->Canvas()->Pixels(0, 0));
    glyph.SetTransparent(true);
    temp.Canvas()->Draw(0, 0, &glyph);
    Canvas->CopyRect(R, temp.Canvas(), TRect(0, 0, R.Width(), R.Height()));
}

TSize GetTextExtent(TCanvas* Canvas, const QString& Text)
{
    if (Text.isEmpty() || !Canvas) return TSize(0, 0);
    TRect r(0, 0, 1000, 500);
    Canvas->DrawText(Text, r, DT_CALCRECT | DT_SINGLELINE);
    return TSize(r.Width(), r.Height());
}

QString FitTextToWidth(const QString& Text, int MaxWidth, bool Ellipsis,
                       const std::function<int(const QString&)>& Width)
{
    if (Width(Text) <= MaxWidth) return Text;
    const int length = int(Text.size());
    for (int i = 0; i < length; ++i) {
        QString candidate = Text.left(length - i - 1);
        if (Ellipsis) candidate += QStringLiteral("...");
        if (Width(candidate) < MaxWidth) return candidate;
    }
    return Text;
}

QString FitTextToWidth(TCanvas* Canvas, const QString& Text, int MaxWidth, bool Ellipsis)
{
    return FitTextToWidth(Text, MaxWidth, Ellipsis,
                          [Canvas](const QString& s) { return GetTextExtent(Canvas, s).cx; });
}

TSize DrawHTMLCaption(TCanvas* Canvas, const QString& Text, const TRect& R, TWinControl* Window, bool Draw,
                      TCustomImageList* Images)
{
    if (Text.isEmpty() || !Canvas) return TSize(0, 0);
    THTMLDrawArgs args;
    args.ImageList = Images;
    args.Window = Window;
    args.MeasureOnly = !Draw;
    THTMLDrawResult result;
    DrawHTMLText(Canvas, Text, R, args, result);
    return TSize(result.Width, result.Height);
}

QString CaseKey(const QString& Text, bool CaseSensitive)
{
    return CaseSensitive ? Text : Text.toUpper();
}
