#include "Buttons.h"

#include "GraphUtils.h"

#include <QWidget>

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 23, 22);
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton()
{
    FGlyph->OnChange = nullptr;
}

void TSpeedButton::SetGlyph(TBitmap* v)
{
    if (v)
        FGlyph->Assign(v);
    else
        FGlyph->SetSize(0, 0);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int v)
{
    FNumGlyphs = std::clamp(v, 1, 4);
    Invalidate();
}

void TSpeedButton::SetDown(bool v)
{
    if (FDown == v) return;
    FDown = v;
    Invalidate();
}

void TSpeedButton::SetFlat(bool v)
{
    if (FFlat == v) return;
    FFlat = v;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool v)
{
    if (FTransparent == v) return;
    FTransparent = v;
    SetControlStyle(v ? ControlStyle() & ~unsigned(csOpaque) : ControlStyle() | csOpaque);
    Invalidate();
}

TButtonState TSpeedButton::State() const
{
    if (!Enabled()) return bsDisabled;
    if (FPressed || FDown) return bsDown;
    return bsUp;
}

void TSpeedButton::PaintGlyph(const TRect& r, TButtonState s)
{
    if (FGlyph->Empty()) return;
    const int count = std::max(1, FNumGlyphs);
    const int w = FGlyph->Width() / count, h = FGlyph->Height();
    int index = 0;
    if (s == bsDisabled && count > 1) index = 1;
    if (s == bsDown && count > 2) index = 2;
    if (s == bsExclusive && count > 3) index = 3;
    QImage img = FGlyph->Image().copy(index * w, 0, w, h).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = FGlyph->Image().pixel(0, h - 1) | 0xFF000000u;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) | 0xFF000000u) == key) img.setPixel(x, y, 0);
    int x = r.Left + (r.Width() - w) / 2, y = r.Top + (r.Height() - h) / 2;
    if (s == bsDown) {
        ++x;
        ++y;
    }
    TBitmap bmp;
    bmp.SetPixelFormat(pf32bit);
    bmp.SetImage(img);
    Canvas()->Draw(x, y, &bmp);
}

void TSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    const TButtonState s = State();
    if (!FTransparent) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
    }
    if (FFlat) {
        if (s == bsDown)
            DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT);
        else if (FMouseInControl && Enabled())
            DrawEdge(c, r, BDR_RAISEDINNER, BF_RECT);
    } else {
        DrawEdge(c, r, s == bsDown ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    PaintGlyph(r, s);
    if (!Caption().isEmpty()) {
        TRect t = r;
        if (s == bsDown) t.Offset(1, 1);
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(Enabled() ? clBtnText : clGrayText);
        c->DrawText(Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && Enabled()) {
        FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::MouseEnter()
{
    FMouseInControl = true;
    if (FFlat) Invalidate();
    TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave()
{
    FMouseInControl = false;
    if (FFlat) Invalidate();
    TGraphicControl::MouseLeave();
}

void TSpeedButton::EnabledChanged()
{
    FPressed = false;
    Invalidate();
    TGraphicControl::EnabledChanged();
}

void TSpeedButton::TextChanged()
{
    Invalidate();
    TGraphicControl::TextChanged();
}
