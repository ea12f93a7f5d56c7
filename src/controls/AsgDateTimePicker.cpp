#include "AsgDateTimePicker.h"

#include "AdvStyleIF.h"
#include "AdvXPVS.h"
#include "Forms.h"
#include "GraphUtils.h"
#include "Graphics.h"
#include "OsProfile.h"

#include <QPainter>

bool PickerMetroActive(const TFlatPickerTraits& T, bool MetroStyle, bool Designing, bool SuppressBorders)
{
    if (!MetroStyle) return false;
    return T.MetroNeedsUnsuppressed ? !SuppressBorders : !Designing;
}

bool PickerPaintsOwn(bool Ctl3D, bool MetroActive, bool IsVista)
{
    if (Ctl3D && !MetroActive) return false;
    return IsVista;
}

bool PickerDrawsBorders(bool MetroActive, bool SuppressBorders, bool Enabled, TColor BorderColor,
                        TColor FocusBorderColor)
{
    if (!MetroActive || SuppressBorders) return false;
    return !(Enabled && BorderColor == clNone && FocusBorderColor == clNone);
}

bool PickerDrawsFlatBorder(const TFlatPickerTraits& T, bool Ctl3D, TColor BorderColor)
{
    if (Ctl3D) return false;
    return !T.FlatBorderNeedsColor || BorderColor != clNone;
}

TColor FlatBorderPenColor(TPickerBorderStyle Style, bool HasParent, TColor ParentColor, bool IsThemed,
                          TColor BorderColor)
{
    if (Style == pbsNone && HasParent) return ParentColor;
    if (IsThemed) return DisabledThemedBorderColor;
    return BorderColor;
}

TFlatDatePicker::TFlatDatePicker(TComponent* AOwner, const TFlatPickerTraits& Traits)
    : TDateTimePicker(AOwner), FTraits(Traits), FPaintCanvas(std::make_unique<TCanvas>())
{
    AdvXPVS::InitThemeLibrary();
    FButtonWidth = GetOsProfile().ScrollBarExtent + 2;
    FCtl3D = Traits.Ctl3D;
    FBorderColor = Traits.BorderColor;
    FIsWinXP = IsWinXPOrLater();
    FIsThemed = (GetFileVersionMS(QStringLiteral("COMCTL32.DLL")) >> 16) > 5;
    Widget()->setMouseTracking(true);
    SetBorderStyle(pbsNone);
}

void TFlatDatePicker::AfterConstruction()
{
    TDateTimePicker::AfterConstruction();
    // A descendant's override of the border style takes effect now.
    SetBorderStyle(FBorderStyle);
}

void TFlatDatePicker::SetBorderColor(TColor v)
{
    if (FBorderColor == v) return;
    FBorderColor = v;
    Invalidate();
}

void TFlatDatePicker::SetMetroStyle(bool v)
{
    if (FMetroStyle == v) return;
    FMetroStyle = v;
    Invalidate();
}

void TFlatDatePicker::SetCtl3D(bool v)
{
    FCtl3D = v;
    Invalidate();
}

void TFlatDatePicker::SetBorderStyle(TPickerBorderStyle v)
{
    FBorderStyle = v;
    Invalidate();
}

bool TFlatDatePicker::MetroActive() const
{
    return PickerMetroActive(FTraits, FMetroStyle, HasState(csDesigning), SuppressBorders());
}

bool TFlatDatePicker::DoVisualStyles() const
{
    const TThemeEntries& t = AdvXPVS::Theme;
    return FIsThemed && t.IsThemeActive && t.IsThemeActive();
}

bool TFlatDatePicker::IsActive() const
{
    return FMouseInControl || (Screen && Screen->ActiveControl() == this);
}

void TFlatDatePicker::MouseEnter()
{
    if (!FMouseInControl && Enabled()) {
        FMouseInControl = true;
        Invalidate();
    }
    TDateTimePicker::MouseEnter();
}

void TFlatDatePicker::MouseLeave()
{
    if (FMouseInControl && Enabled()) {
        FMouseInControl = false;
        Invalidate();
    }
    FButtonHover = false;
    TDateTimePicker::MouseLeave();
}

void TFlatDatePicker::MouseMove(TShiftState Shift, int X, int Y)
{
    const bool hover = ButtonHoverAt(X, Width(), FButtonWidth);
    if (hover != FButtonHover) {
        FButtonHover = hover;
        Invalidate();
    }
    TDateTimePicker::MouseMove(Shift, X, Y);
}

void TFlatDatePicker::DoEnter()
{
    FHasFocus = true;
    Invalidate();
    TDateTimePicker::DoEnter();
}

void TFlatDatePicker::DoExit()
{
    FHasFocus = false;
    Invalidate();
    TDateTimePicker::DoExit();
}

void TFlatDatePicker::PaintOutline(TCanvas* c)
{
    const int w = Width(), h = Height();
    c->Pen()->SetColor(FlatBorderPenColor(FBorderStyle, Parent() != nullptr, Parent() ? Parent()->Color() : clNone,
                                          FIsThemed, FBorderColor));
    c->Polyline({TPoint(0, h), TPoint(0, 0), TPoint(w - 1, 0), TPoint(w - 1, h - 1), TPoint(0, h - 1)});
}

void TFlatDatePicker::DrawFlatBorder(TCanvas* c)
{
    const int w = Width(), h = Height();
    PaintOutline(c);
    if (Parent() && FBorderStyle == pbsSingle) {
        c->Pen()->SetColor(Parent()->Color());
        c->Polyline({TPoint(1, h - 2), TPoint(1, 1), TPoint(w - 1, 1)});
    }
}

void TFlatDatePicker::DrawBorders(TCanvas* c)
{
    if (!PickerDrawsBorders(MetroActive(), SuppressBorders(), Enabled(), FBorderColor, FFocusBorderColor)) return;
    TControlBorderState b;
    b.Rule = ControlBorderRule(Enabled(), FIsThemed, FDisabledBorder, FBorderColor, FFocusBorderColor, FHasFocus);
    b.BorderColor = FBorderColor;
    b.FocusBorderColor = FFocusBorderColor;
    b.HasFocus = FHasFocus;
    b.ShowFocusBorder = FFocusBorder && IsActive();
    b.ParentColor = Parent() ? Parent()->Color() : clBtnFace;
    b.Color = Color();
    b.ButtonWidth = FButtonWidth;
    DrawControlBorder(c, ClientRect(), b);
    if (!(FIsWinXP && DoVisualStyles()))
        DrawButtonBorder(c, ClientRect(),
                         {ClientWidth(), ClientHeight(), FButtonWidth, IsActive(), true, DroppedDown()});
}

void TFlatDatePicker::PaintOver(QPainter& painter)
{
    PaintOnCanvas(FPaintCanvas.get(), painter, this, [this] {
        TCanvas* c = FPaintCanvas.get();
        const bool metro = MetroActive();
        const bool vista = IsVistaOrLater();
        // The flat outline of the non-client paint.
        if (PickerDrawsFlatBorder(FTraits, FCtl3D, FBorderColor)) DrawFlatBorder(c);
        if (!PickerPaintsOwn(FCtl3D, metro, vista)) return;
        const int cw = ClientWidth();
        if (metro && Kind() != dtkTime) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(Color());
            if (DoVisualStyles())
                c->FillRect(TRect(cw - FButtonWidth - FTraits.StripOffset, 1, cw, Height()));
            else
                c->FillRect(TRect(cw - FButtonWidth - 2, 4, cw - 2, Height() - 4));
            TRect r = ClientRect();
            r.Left += cw - FButtonWidth + 2;
            r.Inflate(-1, -1);
            TDropButtonState s;
            s.Enabled = Enabled();
            s.Hover = FButtonHover;
            s.MouseButtonDown = GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
            s.DroppedDown = DroppedDown();
            s.DoVisualStyles = DoVisualStyles();
            s.PickerStyle = true;
            DrawDropButton(c, this, r, FButtonColors, s);
        }
        if (FTraits.PaintOutline && !FCtl3D) {
            const int w = Width(), h = Height();
            PaintOutline(c);
            if (!DoVisualStyles())
                c->Polyline(
                    {TPoint(1, h), TPoint(1, 1), TPoint(w - 2, 1), TPoint(w - 2, h - 2), TPoint(0, h - 2)});
        }
        DrawBorders(c);
    });
}

TAsgDateTimePicker::TAsgDateTimePicker(TComponent* AOwner)
    : TFlatDatePicker(AOwner, TFlatPickerTraits{true, clNone, false, true, 15, false})
{
}
