#include "ImgList.h"

#include <QPainter>

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

void TCustomImageList::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomImageList::SetSize(int w, int h)
{
    w = std::max(1, w);
    h = std::max(1, h);
    if (w == FWidth && h == FHeight) return;
    FWidth = w;
    FHeight = h;
    FImages.clear();
    Change();
}

int TCustomImageList::AddImage(const QImage& strip)
{
    if (strip.isNull()) return -1;
    int pieces = std::max(1, strip.width() / FWidth);
    int first = Count();
    for (int i = 0; i < pieces; ++i) {
        QImage cell(FWidth, FHeight, QImage::Format_ARGB32);
        cell.fill(Qt::transparent);
        QPainter p(&cell);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), strip, QRect(i * FWidth, 0, FWidth, FHeight));
        p.end();
        FImages.push_back(cell);
    }
    Change();
    return first;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask)
{
    if (!image || image->Empty()) return -1;
    QImage img = image->Image().convertToFormat(QImage::Format_ARGB32);
    if (mask && !mask->Empty() && FMasked) {
        const QImage& m = mask->Image();
        for (int y = 0; y < img.height() && y < m.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width() && x < m.width(); ++x)
                if ((m.pixel(x, y) & 0xFFFFFF) != 0) line[x] = 0;
        }
    }
    return AddImage(img);
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor)
{
    if (!image || image->Empty()) return -1;
    QImage img = image->Image().convertToFormat(QImage::Format_ARGB32);
    if (FMasked) {
        QRgb key = maskColor == clDefault ? img.pixel(0, img.height() - 1) & 0xFFFFFF
                                          : ToQColor(maskColor).rgb() & 0xFFFFFF;
        for (int y = 0; y < img.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
        }
    }
    return AddImage(img);
}

void TCustomImageList::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    FImages.erase(FImages.begin() + index);
    Change();
}

void TCustomImageList::Clear()
{
    if (FImages.empty()) return;
    FImages.clear();
    Change();
}

QImage TCustomImageList::Image(int index) const
{
    if (index < 0 || index >= Count()) return QImage();
    return FImages[size_t(index)];
}

namespace {
// The classic disabled look: the image's dark pixels as a highlight
// shifted one pixel right and down, under the same shape in shadow colour.
QImage Embossed(const QImage& src)
{
    QImage out(src.width() + 1, src.height() + 1, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const QRgb hi = ToQColor(clBtnHighlight).rgb();
    const QRgb sh = ToQColor(clBtnShadow).rgb();
    auto dark = [&](int x, int y) {
        QRgb v = src.pixel(x, y);
        return qAlpha(v) >= 128 && qGray(v) < 192;
    };
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            if (dark(x, y)) out.setPixel(x + 1, y + 1, hi);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            if (dark(x, y)) out.setPixel(x, y, sh);
    return out.copy(0, 0, src.width(), src.height());
}
}  // namespace

void TCustomImageList::Draw(TCanvas* c, int x, int y, int index, bool enabled)
{
    if (!c || index < 0 || index >= Count()) return;
    QImage img = enabled ? FImages[size_t(index)] : Embossed(FImages[size_t(index)]);
    c->Backend()->DrawImage(*c, Bounds(x, y, FWidth, FHeight), img, TRect(0, 0, FWidth, FHeight));
}

bool TCustomImageList::GetBitmap(int index, TBitmap* image)
{
    if (!image || index < 0 || index >= Count()) return false;
    image->SetSize(FWidth, FHeight);
    image->Canvas()->Brush()->SetColor(clWhite);
    image->Canvas()->FillRect(TRect(0, 0, FWidth, FHeight));
    Draw(image->Canvas(), 0, 0, index, true);
    return true;
}
