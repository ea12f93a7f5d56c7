// Fonts, pens and brushes.

#include "Graphics.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <cstdlib>

void TGraphicsObject::Changed()
{
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------

namespace {
QString DefaultFontName()
{
    if (QGuiApplication::instance()) return QGuiApplication::font().family();
    return QStringLiteral("DejaVu Sans");
}

// Pixel size of the characters for a cell height (the platform's positive
// font height includes the internal leading).
int CharHeightForCell(const QFont& base, int cell)
{
    QFont f(base);
    f.setPixelSize(100);
    QFontMetricsF fm(f);
    double full = fm.ascent() + fm.descent();
    if (full <= 0) return cell;
    int px = int(cell * 100.0 / full + 0.5);
    return px < 1 ? 1 : px;
}
}  // namespace

TFont::TFont() : FName(DefaultFontName()) {}

void TFont::Changed()
{
    FQFont.reset();
    TGraphicsObject::Changed();
}

void TFont::SetName(const QString& v)
{
    if (v.isEmpty() || v == FName) return;
    FName = v;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, ScreenPixelsPerInch);
}

void TFont::SetSize(int v)
{
    SetHeight(-MulDiv(v, ScreenPixelsPerInch, 72));
}

void TFont::SetHeight(int v)
{
    if (v == FHeight) return;
    FHeight = v;
    Changed();
}

void TFont::SetStyle(TFontStyles v)
{
    if (v == FStyle) return;
    FStyle = v;
    Changed();
}

void TFont::SetColor(TColor v)
{
    if (v == FColor) return;
    FColor = v;
    Changed();
}

void TFont::SetOrientation(int v)
{
    if (v == FOrientation) return;
    FOrientation = v;
    Changed();
}

void TFont::SetPitch(TFontPitch v)
{
    if (v == FPitch) return;
    FPitch = v;
    Changed();
}

void TFont::SetCharset(int v)
{
    if (v == FCharset) return;
    FCharset = v;
    Changed();
}

void TFont::Assign(TPersistent* Source)
{
    if (auto* f = dynamic_cast<TFont*>(Source)) {
        if (f == this) return;
        // Painting assigns the same font to a canvas for every cell: the
        // font the glyphs come from is the source's, or stays when nothing
        // it is made of changed.
        const bool sameGlyphs = FName == f->FName && FHeight == f->FHeight && FStyle == f->FStyle
                                && FPitch == f->FPitch;
        std::optional<QFont> kept = f->FQFont ? f->FQFont : sameGlyphs ? FQFont : std::nullopt;
        FName = f->FName;
        FHeight = f->FHeight;
        FStyle = f->FStyle;
        FColor = f->FColor;
        FOrientation = f->FOrientation;
        FPitch = f->FPitch;
        FCharset = f->FCharset;
        Changed();
        if (kept && !FQFont) FQFont = std::move(kept);
        return;
    }
    TGraphicsObject::Assign(Source);
}

const QFont& TFont::ToQFont() const
{
    if (FQFont) return *FQFont;
    QFont f(FName);
    if (FPitch == fpFixed) f.setStyleHint(QFont::TypeWriter);
    // The platform's text output does not kern: a text is as wide as its
    // characters, which caption-fitting code relies on.
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    int px = FHeight < 0 ? -FHeight : FHeight > 0 ? CharHeightForCell(f, FHeight) : 11;
    f.setPixelSize(px);
    f.setBold(FStyle.Contains(fsBold));
    f.setItalic(FStyle.Contains(fsItalic));
    f.setUnderline(FStyle.Contains(fsUnderline));
    f.setStrikeOut(FStyle.Contains(fsStrikeOut));
    FQFont = f;
    return *FQFont;
}

// ---------------------------------------------------------------------------

void TPen::SetColor(TColor v)
{
    if (v == FColor) return;
    FColor = v;
    Changed();
}

void TPen::SetWidth(int v)
{
    if (v < 0) v = 0;
    if (v == FWidth) return;
    FWidth = v;
    Changed();
}

void TPen::SetStyle(TPenStyle v)
{
    if (v == FStyle) return;
    FStyle = v;
    Changed();
}

void TPen::SetMode(TPenMode v)
{
    if (v == FMode) return;
    FMode = v;
    Changed();
}

void TPen::Assign(TPersistent* Source)
{
    if (auto* p = dynamic_cast<TPen*>(Source)) {
        if (p == this) return;
        FColor = p->FColor;
        FWidth = p->FWidth;
        FStyle = p->FStyle;
        FMode = p->FMode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

// ---------------------------------------------------------------------------

void TBrush::SetColor(TColor v)
{
    // Choosing a colour for a clear brush makes it solid, as on the platform.
    if (v == FColor && FStyle != bsClear) return;
    FColor = v;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle v)
{
    if (v == FStyle) return;
    FStyle = v;
    Changed();
}

void TBrush::Assign(TPersistent* Source)
{
    if (auto* b = dynamic_cast<TBrush*>(Source)) {
        if (b == this) return;
        FColor = b->FColor;
        FStyle = b->FStyle;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}
