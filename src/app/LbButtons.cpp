// The push button's face painter and colour helpers.

#include "LbButtons.h"

#include "SysFormat.h"

#include <algorithm>
#include <memory>

namespace {

// Grey of a disabled caption.
constexpr TColor DisabledTextColor = 8421504;

int BlendChannel(int c, int h, int step)
{
    return int(Trunc(c * (1.0 - step / 8.0) + h * (step / 8.0)));
}

// Width of a caption as one line (accelerator marks not counted).
int CaptionWidth(TCanvas* c, const QString& caption)
{
    if (caption.isEmpty()) return 0;
    TRect r(0, 0, 0, 0);
    c->DrawText(caption, r, DT_CALCRECT | DT_SINGLELINE);
    return r.Width();
}

// Height of a caption broken into lines of the given width (0 when empty).
int CaptionHeight(TCanvas* c, const QString& caption, int width)
{
    if (caption.isEmpty()) return 0;
    TRect r(0, 0, width, 0);
    return c->DrawText(caption, r, DT_CALCRECT | DT_WORDBREAK);
}

unsigned AlignmentFlag(TAlignment a)
{
    switch (a) {
    case taLeftJustify: return DT_LEFT;
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    }
    return DT_CENTER;
}

void Line(TCanvas* c, TColor color, int x1, int y1, int x2, int y2)
{
    c->Pen()->SetColor(color);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
}

// The frame of bsNormal and bsEncarta: light left and top, shadow right and
// bottom (swapped when pressed).
void DrawFlatFrame(TCanvas* c, int W, int H, TColor light, TColor shadow)
{
    c->Pen()->SetColor(light);
    c->MoveTo(0, H - 1);
    c->LineTo(0, 0);
    c->LineTo(W - 1, 0);
    c->Pen()->SetColor(shadow);
    c->MoveTo(W - 1, 0);
    c->LineTo(W - 1, H - 1);
    c->LineTo(-1, H - 1);
}

void DrawFrame(TCanvas* c, int W, int H, const TLbButtonFace& f, const TLbFaceLayout& l)
{
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    switch (f.Style) {
    case bsNormal:
    case bsEncarta:
        if ((f.Enabled && (!f.Flat || f.Hot || l.Down)) || (!f.Enabled && !f.Flat)) {
            if (l.Down)
                DrawFlatFrame(c, W, H, f.ShadowColor, f.LightColor);
            else
                DrawFlatFrame(c, W, H, f.LightColor, f.ShadowColor);
        }
        break;
    case bsOld:
        if (l.Down) {
            Line(c, f.ShadowColor, 1, H - 2, 1, 1);
            Line(c, f.ShadowColor, 1, 1, W - 1, 1);
            DrawFlatFrame(c, W, H, cl3DDkShadow, f.LightColor);
        } else {
            Line(c, f.ShadowColor, W - 2, 1, W - 2, H - 1);
            Line(c, f.ShadowColor, 1, H - 2, W - 1, H - 2);
            DrawFlatFrame(c, W, H, f.LightColor, cl3DDkShadow);
        }
        break;
    case bsModern:
        c->Pen()->SetColor(l.Down ? f.ShadowColor : l.FaceColor);
        c->Rectangle(1, 1, W - 1, H - 1);
        c->Pen()->SetColor(f.ShadowColor);
        c->RoundRect(0, 0, W, H, 12, 12);
        break;
    case bsQuicken:
        Line(c, f.ShadowColor, 4, 1, W - 5, 1);
        Line(c, f.ShadowColor, 4, H - 1, W - 5, H - 1);
        break;
    case bsShape:
        break;
    }
}

void DrawBackground(TCanvas* c, int W, int H, const TLbButtonFace& f, const TLbFaceLayout& l)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(l.FaceColor);
    switch (f.Style) {
    case bsNormal:
    case bsEncarta:
    case bsOld:
        c->FillRect(TRect(0, 0, W, H));
        break;
    case bsModern:
        LbFillGradient(c, TRect(2, 2, W - 2, H / 4 + l.Offset), f.LightColor, l.FaceColor);
        LbFillGradient(c, TRect(2, H / 4 + l.Offset, W - 2, H - 1), l.FaceColor, f.LightColor);
        break;
    case bsQuicken:
        c->Pen()->SetStyle(psClear);
        c->RoundRect(0, 1, W, H, 8, 8);
        c->Pen()->SetStyle(psSolid);
        break;
    case bsShape:
        // Nothing: what lies around the caption and image shows through.
        break;
    }
}

// Image i of the strip as a bitmap of its own, drawn transparently with its
// bottom-left pixel as the key colour.
std::unique_ptr<TBitmap> StripImage(TBitmap* strip, int index, int gw, int gh)
{
    auto img = std::make_unique<TBitmap>();
    img->SetImage(strip->Image().copy(index * gw, 0, gw, gh));
    img->SetTransparent(true);
    return img;
}

TBitmap* ArrowBitmap()
{
    static std::unique_ptr<TBitmap> arrow;
    if (!arrow) {
        RegisterLbButtonResources();
        arrow = std::make_unique<TBitmap>();
        arrow->LoadFromResourceName(QStringLiteral("LBARROW"));
        arrow->SetTransparent(true);
    }
    return arrow.get();
}

}  // namespace

TColor LbBlendHotTrack(TColor Color, TColor HotTrack, int Step)
{
    TColor c = ColorToRGB(Color);
    TColor h = ColorToRGB(HotTrack);
    return RGBColor(BlendChannel(GetRValue(c), GetRValue(h), Step),
                    BlendChannel(GetGValue(c), GetGValue(h), Step),
                    BlendChannel(GetBValue(c), GetBValue(h), Step));
}

void LbFillGradient(TCanvas* Canvas, const TRect& R, TColor FromColor, TColor ToColor, int Bands)
{
    int h = R.Height();
    if (h <= 0 || R.Width() <= 0 || Bands <= 0) return;
    TColor a = ColorToRGB(FromColor);
    TColor b = ColorToRGB(ToColor);
    auto mix = [Bands](int x, int y, int i) {
        return Bands == 1 ? x : x + (y - x) * i / (Bands - 1);
    };
    TBrushStyle oldStyle = Canvas->Brush()->Style();
    TColor oldColor = Canvas->Brush()->Color();
    Canvas->Brush()->SetStyle(bsSolid);
    for (int i = 0; i < Bands; ++i) {
        int top = R.Top + h * i / Bands;
        int bottom = R.Top + h * (i + 1) / Bands;
        if (bottom <= top) continue;
        Canvas->Brush()->SetColor(RGBColor(mix(GetRValue(a), GetRValue(b), i), mix(GetGValue(a), GetGValue(b), i),
                                           mix(GetBValue(a), GetBValue(b), i)));
        Canvas->FillRect(TRect(R.Left, top, R.Right, bottom));
    }
    Canvas->Brush()->SetColor(oldColor);
    Canvas->Brush()->SetStyle(oldStyle);
}

int LbGlyphImageIndex(int Count, bool Enabled, bool Hot, bool Down)
{
    int index = 0;
    if (!Enabled) {
        index = 1;
    } else {
        if (Hot && Count > 3) index = 3;
        if (Down && Count > 2) index = 2;
    }
    return index < Count ? index : 0;
}

TLbFaceLayout LayoutLbButtonFace(TCanvas* Canvas, int W, int H, const TLbButtonFace& Face)
{
    TLbFaceLayout l;
    l.Down = Face.Down && Face.Enabled;
    l.Offset = l.Down && Face.Style != bsEncarta ? 1 : 0;
    const int off = l.Offset;

    l.FaceColor = Face.Color;
    if (Face.Enabled && Face.HotTrackColor != clNone)
        l.FaceColor = LbBlendHotTrack(Face.Color, Face.HotTrackColor, Face.HotTrackStep);
    if (l.Down && Face.ColorWhenDown != clNone) l.FaceColor = Face.ColorWhenDown;

    int gw = 0, gh = 0;
    if (Face.Glyph && !Face.Glyph->Empty() && Face.NumGlyphs > 0) {
        gw = Face.Glyph->Width() / Face.NumGlyphs;
        gh = Face.Glyph->Height();
    }
    l.HasImage = gw > 0 && gh > 0;
    if (l.HasImage) l.ImageIndex = LbGlyphImageIndex(Face.NumGlyphs, Face.Enabled, Face.Hot, l.Down);
    const int imageW = l.HasImage ? gw : 0;
    const int imageH = l.HasImage ? gh : 0;

    const bool sideways = Face.Layout == blGlyphLeft || Face.Layout == blGlyphRight;
    int textW = W - 8;
    if (Face.Style != bsShape && sideways && l.HasImage) textW = std::max(0, W - gw - 12);

    l.Caption = Face.Caption;
    if (!Face.WordWrap)
        while (!l.Caption.isEmpty() && CaptionWidth(Canvas, l.Caption) > textW) l.Caption.chop(1);

    const int textH = CaptionHeight(Canvas, l.Caption, textW);
    int textLeft = off + 4;
    int textTop = 0;
    int imgLeft = 0, imgTop = 0;

    if (Face.Style == bsShape) {
        imgLeft = (W - imageW) / 2 + off;
        imgTop = (H - imageH) / 2 + off;
        textLeft = off;
        textTop = (H - textH) / 2 + off;
        l.TextRect = TRect(textLeft, textTop, W, H);
    } else if (sideways) {
        textTop = (H - textH) / 2 + off;
        if (Face.Layout == blGlyphLeft && l.HasImage) textLeft += gw + 4;
        imgTop = (H - imageH) / 2 + off;
        const int tw = l.Caption.isEmpty() ? 0 : CaptionWidth(Canvas, l.Caption) + 4;
        const bool left = Face.Layout == blGlyphLeft;
        if (Face.WordWrap) {
            imgLeft = left ? off + 4 : textLeft + tw;
        } else {
            switch (Face.Alignment) {
            case taLeftJustify:
                imgLeft = left ? off + 4 : textLeft + tw;
                break;
            case taRightJustify:
                imgLeft = left ? W + off - imageW - tw - 4 : W + off - imageW - 4;
                break;
            case taCenter:
                imgLeft = left ? (W - imageW) / 2 + off - tw / 2 : (W - imageW) / 2 + off + tw / 2;
                break;
            }
        }
        l.TextRect = TRect(textLeft, textTop, textLeft + textW, textTop + textH);
    } else {
        const int block = textH + (l.HasImage ? gh + 4 : 0);
        const int top = (H - block) / 2;
        if (Face.Layout == blGlyphTop) {
            imgTop = top + off;
            textTop = top + imageH + off;
        } else {
            textTop = top + off;
            imgTop = top + textH + off;
        }
        switch (Face.Alignment) {
        case taLeftJustify: imgLeft = off + 4; break;
        case taRightJustify: imgLeft = W + off - imageW - 4; break;
        case taCenter: imgLeft = (W - imageW) / 2 + off; break;
        }
        l.TextRect = TRect(textLeft, textTop, textLeft + textW, textTop + textH);
    }
    l.ImageRect = TRect(imgLeft, imgTop, imgLeft + imageW, imgTop + imageH);
    return l;
}

void DrawLbButtonFace(TCanvas* Canvas, int W, int H, const TLbButtonFace& Face)
{
    if (W <= 0 || H <= 0) return;
    if (Face.Font) Canvas->Font()->Assign(Face.Font);
    if (Face.Style == bsEncarta && Face.Down && Face.Enabled)
        Canvas->Font()->SetStyle(Canvas->Font()->Style() + fsBold);
    if (!Face.Enabled) Canvas->Font()->SetColor(DisabledTextColor);

    const TLbFaceLayout l = LayoutLbButtonFace(Canvas, W, H, Face);
    DrawBackground(Canvas, W, H, Face, l);
    DrawFrame(Canvas, W, H, Face, l);

    Canvas->Brush()->SetStyle(bsClear);
    Canvas->SetBkMode(TRANSPARENT);
    if (!l.Caption.isEmpty()) {
        TRect r = l.TextRect;
        unsigned flags = DT_WORDBREAK | (Face.Style == bsShape ? DT_CENTER : AlignmentFlag(Face.Alignment));
        Canvas->DrawText(l.Caption, r, flags);
    }
    if (l.HasImage) {
        auto img = StripImage(Face.Glyph, l.ImageIndex, l.ImageRect.Width(), l.ImageRect.Height());
        Canvas->Draw(l.ImageRect.Left, l.ImageRect.Top, img.get());
    }
    if (Face.PopupArrow) Canvas->Draw(W - 11, H / 2 - 1, ArrowBitmap());
}
