#include "AdvObjPopup.h"

#include "SysFormat.h"

#include <QPolygon>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const char* const SBlur24Bit = "Blur only works for 24-bit bitmaps";

// Rows and columns this close to an edge are blurred; the others copy the
// row or column at CopySource.
constexpr int BlurBorder = 20;
constexpr int CopySource = 15;

void MakeToolWindow(TWinControl* c, bool TransparentForInput)
{
    c->MakeAuxiliaryWindow(TransparentForInput);
    if (QWidget* w = c->Widget()) w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

}  // namespace

// ---------------------------------------------------------------------------
// Arrow and focus windows

std::array<TPoint, 7> ArrowOutline(TArrowDirection Dir)
{
    switch (Dir) {
    case arrUp:
        return {TPoint(5, 0), TPoint(10, 5), TPoint(7, 5), TPoint(7, 9), TPoint(3, 9), TPoint(3, 5), TPoint(0, 5)};
    case arrDown:
        return {TPoint(3, 0), TPoint(7, 0), TPoint(7, 4), TPoint(9, 4), TPoint(5, 8), TPoint(1, 4), TPoint(3, 4)};
    case arrLeft:
        return {TPoint(0, 3), TPoint(0, 7), TPoint(4, 7), TPoint(4, 10), TPoint(8, 5), TPoint(4, 0), TPoint(4, 3)};
    case arrRight:
    default:
        return {TPoint(0, 5), TPoint(4, 10), TPoint(4, 7), TPoint(8, 7), TPoint(8, 3), TPoint(4, 3), TPoint(4, 0)};
    }
}

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection Direction)
    : TCustomControl(AOwner), FDir(Direction), FArrow(ArrowOutline(Direction))
{
    SetColor(TColor(0x00FF00));
    int w = 0, h = 0;
    QPolygon outline;
    for (const TPoint& p : FArrow) {
        outline << QPoint(p.X, p.Y);
        w = std::max(w, p.X + 1);
        h = std::max(h, p.Y + 1);
    }
    SetBounds(0, 0, w, h);
    MakeToolWindow(this, false);
    if (QWidget* wd = Widget()) wd->setMask(QRegion(outline, Qt::WindingFill));
}

void TArrowWindow::Paint()
{
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Pen()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 0, 0);
    SetColor(TColor(0x0000FF));
    MakeToolWindow(this, true);
    SetEnabled(false);
}

// ---------------------------------------------------------------------------
// TGridAlphaMask

TGridAlphaMask::TGridAlphaMask()
{
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TGridAlphaMask*>(Source)) {
        FOpacity = src->FOpacity;
        SetImage(src->Image());
    } else {
        TBitmap::Assign(Source);
    }
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor)
{
    if (!Mask || !Bitmap || Bitmap->PixelFormat() != pf24bit) return;
    const int w = Bitmap->Width();
    const int h = Bitmap->Height();
    if (Mask->Width() != w || Mask->Height() != h) return;
    const QImage mask = Mask->Image().convertToFormat(QImage::Format_RGB32);
    const QImage colour = Bitmap->Image().convertToFormat(QImage::Format_RGB32);
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        const auto* c = reinterpret_cast<const QRgb*>(colour.constScanLine(y));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = qRed(m[x]);
            auto mul = [a](int v) { return int(Round(v * a / 255.0)); };
            o[x] = qRgba(mul(qRed(c[x])), mul(qGreen(c[x])), mul(qBlue(c[x])), a);
        }
    }
    SetImage(out);
    SetPixelFormat(pf32bit);
}

QImage TGridAlphaMask::PremultipliedImage() const
{
    return Image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// ---------------------------------------------------------------------------
// Mask and blur

void MakeRoundRectMask(TBitmap* Bitmap, int W, int H, int PenWidth, int Corner, double Blur)
{
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(W, H);
    TCanvas* c = Bitmap->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect(0, 0, W, H));
    const int o = std::max(PenWidth, 0) / 2;
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetStyle(psSolid);
    if (PenWidth < 1) {
        c->Pen()->SetWidth(1);
        c->Brush()->SetColor(clWhite);
    } else {
        c->Pen()->SetWidth(PenWidth);
        c->Brush()->SetStyle(bsClear);
    }
    c->RoundRect(2 + o, 2 + o, W - 2 - o, H - 2 - o, Corner, Corner);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsSolid);
    c->Flush();
    if (Blur > 0) BlurBitmap(Bitmap, Blur);
}

namespace {

struct TKernel {
    int Radius = 0;
    std::vector<double> Weights;  // offsets -Radius..Radius
    double W(int i) const { return Weights[size_t(i + Radius)]; }
};

TKernel MakeKernel(double Radius)
{
    double w[21];
    double sum = 0;
    for (int i = -10; i <= 10; ++i) {
        const double q = i / Radius;
        w[i + 10] = std::exp(-q * q / 2);
        sum += w[i + 10];
    }
    for (double& v : w) v /= sum;
    // Drop the tails that together weigh less than half a grey step.
    int r = 10;
    double total = 0;
    while (total < 1.0 / 510 && r > 1) {
        total += 2 * w[r + 10];
        --r;
    }
    TKernel k;
    k.Radius = r;
    double s = 0;
    for (int i = -r; i <= r; ++i) s += w[i + 10];
    for (int i = -r; i <= r; ++i) k.Weights.push_back(w[i + 10] / s);
    return k;
}

// Blurs n pixels spaced step apart, clamping at the ends.
void BlurLine(const TKernel& k, QRgb* line, int n, int step, std::vector<QRgb>& scratch)
{
    scratch.resize(size_t(n));
    auto channel = [](double v) {
        // The small bias keeps a uniform line at its value despite rounding
        // in the normalised weights.
        const double t = std::trunc(v + 1e-4);
        return t >= 255 ? 255 : t < 0 ? 0 : int(t);
    };
    for (int a = 0; a < n; ++a) {
        double r = 0, g = 0, b = 0;
        for (int i = -k.Radius; i <= k.Radius; ++i) {
            const int p = std::clamp(a - i, 0, n - 1);
            const QRgb v = line[size_t(p) * size_t(step)];
            const double w = k.W(i);
            r += w * qRed(v);
            g += w * qGreen(v);
            b += w * qBlue(v);
        }
        scratch[size_t(a)] = qRgb(channel(r), channel(g), channel(b));
    }
    for (int a = 0; a < n; ++a) line[size_t(a) * size_t(step)] = scratch[size_t(a)];
}

}  // namespace

void BlurBitmap(TBitmap* Bitmap, double Radius)
{
    if (!Bitmap || Bitmap->PixelFormat() != pf24bit) throw Exception(QString::fromLatin1(SBlur24Bit));
    if (!(Radius > 0) || Bitmap->Empty()) return;
    const TKernel k = MakeKernel(Radius);
    QImage img = Bitmap->Image().convertToFormat(QImage::Format_RGB32);
    const int w = img.width();
    const int h = img.height();
    const int stride = int(img.bytesPerLine() / 4);
    auto* bits = reinterpret_cast<QRgb*>(img.bits());
    std::vector<QRgb> scratch;

    for (int y = 0; y < h; ++y) {
        QRgb* row = bits + size_t(y) * size_t(stride);
        if (y <= BlurBorder || y >= h - BlurBorder)
            BlurLine(k, row, w, 1, scratch);
        else
            std::copy(bits + size_t(CopySource) * size_t(stride), bits + size_t(CopySource) * size_t(stride) + w, row);
    }
    for (int x = 0; x < w; ++x) {
        if (x <= BlurBorder || x >= w - BlurBorder) {
            BlurLine(k, bits + x, h, stride, scratch);
        } else {
            for (int y = 0; y < h; ++y) bits[size_t(y) * size_t(stride) + size_t(x)] = bits[size_t(y) * size_t(stride) + CopySource];
        }
    }
    Bitmap->SetImage(img.convertToFormat(QImage::Format_BGR888));
}
