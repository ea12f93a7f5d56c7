// The canvas's mapping modes: logical coordinates (pixels, or tenths of a
// millimetre with y upward) taken to the device's pixels and back.

#include "Graphics.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Tenths of a millimetre in an inch.
constexpr double GraphicsMappingLomPerInch = 254.0;

int GraphicsMappingRound(double v)
{
    return int(std::lround(v));
}

} // namespace

int TCanvas::SetMapMode(int mode)
{
    if (mode != MM_TEXT && mode != MM_LOMETRIC) return 0;
    const int old = FMapMode;
    FMapMode = mode;
    MappingChanged();
    return old;
}

void TCanvas::MappingChanged()
{
    FMapped = FMapMode != MM_TEXT || FViewportOrg != TPoint();
    FDeviceFont.reset();
}

int TCanvas::DeviceLen(int v) const
{
    if (FMapMode != MM_LOMETRIC) return v;
    return GraphicsMappingRound(double(v) * PixelsPerInch() / GraphicsMappingLomPerInch);
}

int TCanvas::LogicalLen(int v) const
{
    if (FMapMode != MM_LOMETRIC) return v;
    return GraphicsMappingRound(double(v) * GraphicsMappingLomPerInch / PixelsPerInch());
}

TPoint TCanvas::LPtoDP(TPoint p) const
{
    if (FMapMode == MM_LOMETRIC) return TPoint(FViewportOrg.X + DeviceLen(p.X), FViewportOrg.Y - DeviceLen(p.Y));
    return TPoint(FViewportOrg.X + p.X, FViewportOrg.Y + p.Y);
}

TPoint TCanvas::DPtoLP(TPoint p) const
{
    if (FMapMode == MM_LOMETRIC)
        return TPoint(LogicalLen(p.X - FViewportOrg.X), -LogicalLen(p.Y - FViewportOrg.Y));
    return TPoint(p.X - FViewportOrg.X, p.Y - FViewportOrg.Y);
}

TRect TCanvas::LPtoDP(const TRect& r) const
{
    const TPoint a = LPtoDP(r.TopLeft()), b = LPtoDP(r.BottomRight());
    return TRect(a.X, a.Y, b.X, b.Y);
}

TRect TCanvas::DPtoLP(const TRect& r) const
{
    const TPoint a = DPtoLP(r.TopLeft()), b = DPtoLP(r.BottomRight());
    return TRect(a.X, a.Y, b.X, b.Y);
}

TRect TCanvas::DeviceRectOf(const TRect& r) const
{
    const TRect d = LPtoDP(r);
    return TRect(std::min(d.Left, d.Right), std::min(d.Top, d.Bottom), std::max(d.Left, d.Right),
                 std::max(d.Top, d.Bottom));
}

QRegion TCanvas::DeviceRegion(const QRegion& logical) const
{
    if (!FMapped) return logical;
    QRegion out;
    for (const QRect& q : logical) out += DeviceRectOf(TRect::FromQRect(q)).ToQRect();
    return out;
}

TRect TCanvas::BackendRect(const TRect& r) const
{
    if (!FMapped || FBackend->LogicalCoordinates()) return r;
    return DeviceRectOf(r);
}

TPoint TCanvas::BackendPoint(TPoint p) const
{
    if (!FMapped || FBackend->LogicalCoordinates()) return p;
    return LPtoDP(p);
}

int TCanvas::GetDeviceCaps(int index) const
{
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return PixelsPerInch();
    case HORZRES: return FBackend->DeviceRect(const_cast<TCanvas&>(*this)).Width();
    case VERTRES: return FBackend->DeviceRect(const_cast<TCanvas&>(*this)).Height();
    default: return 0;
    }
}

const QFont& TCanvas::DeviceFont() const
{
    if (FMapMode != MM_LOMETRIC) return FFont->ToQFont();
    const int dpi = PixelsPerInch();
    if (FDeviceFont && FDeviceFontDpi == dpi) return *FDeviceFont;
    // The logical height, a character height (negative) or a cell height,
    // in device pixels; never below one pixel.
    const int h = FFont->Height();
    const int px = std::max(1, DeviceLen(std::abs(h)));
    if (h < 0) {
        QFont q = FFont->ToQFont();
        q.setPixelSize(px);
        FDeviceFont = q;
    } else {
        TFont f;
        f.Assign(FFont.get());
        f.SetHeight(h == 0 ? 0 : px);
        FDeviceFont = f.ToQFont();
    }
    FDeviceFontDpi = dpi;
    return *FDeviceFont;
}

int TCanvas::DevicePenWidth() const
{
    const int w = FPen->Width();
    return std::max(1, FMapMode == MM_LOMETRIC ? DeviceLen(w) : w);
}

void TCanvas::DrawImage(const TRect& dest, const QImage& img, const TRect& src)
{
    FBackend->DrawImage(*this, BackendRect(dest), img, src);
}

std::vector<TPoint> TCanvas::BackendPoints(const std::vector<TPoint>& pts) const
{
    if (!FMapped || FBackend->LogicalCoordinates()) return pts;
    std::vector<TPoint> out;
    out.reserve(pts.size());
    for (const TPoint& p : pts) out.push_back(LPtoDP(p));
    return out;
}
