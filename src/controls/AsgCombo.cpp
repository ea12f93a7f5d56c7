#include "AsgCombo.h"

#include "AdvXPVS.h"
#include "Forms.h"
#include "Graphics.h"
#include "OsProfile.h"
#include "Messages.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

bool ComboPaintsItself(const TComboPaintInput& In)
{
    if (In.IsVista && In.ButtonColor == clNone) return false;
    return In.Flat || In.ButtonColor != clNone || In.BorderColor != clNone
           || (In.FocusBorderColor != clNone && In.HasFocus)
           || (!In.Enabled && In.DoVisualStyles && !In.DisabledBorder);
}

bool ComboBordersSkipped(bool Enabled, bool Flat, TColor BorderColor, TColor FocusBorderColor, bool IsVista)
{
    return (Enabled && !Flat && BorderColor == clNone && FocusBorderColor == clNone)
           || (IsVista && BorderColor == clNone);
}

int ComboNcBorderPasses(const TComboPaintInput& In)
{
    int n = 0;
    if (In.Flat || (!In.Enabled && In.DoVisualStyles && !In.DisabledBorder)) ++n;
    if ((In.FocusBorderColor != clNone && In.HasFocus) || In.BorderColor != clNone) ++n;
    return n;
}

TAsgCustomCombo::TAsgCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), FLabelFont(std::make_unique<TFont>()), FPaintCanvas(std::make_unique<TCanvas>())
{
    AdvXPVS::InitThemeLibrary();
    FButtonWidth = GetOsProfile().ScrollBarExtent + 2;
    FIsThemed = (GetFileVersionMS(QStringLiteral("COMCTL32.DLL")) >> 16) > 5;
    FLabelFont->OnChange = [this](TObject*) { LabelFontChanged(); };
    // Hover over the button is tracked without a button held.
    Widget()->setMouseTracking(true);
    if (QLineEdit* e = Combo()->lineEdit()) e->setMouseTracking(true);
}

TAsgCustomCombo::~TAsgCustomCombo()
{
    FLabelFont->OnChange = nullptr;
}

// ---- properties

void TAsgCustomCombo::SetBorderColor(TColor v)
{
    if (FBorderColor == v) return;
    FBorderColor = v;
    Invalidate();
}

void TAsgCustomCombo::SetButtonWidth(int v)
{
    if (v < 14 || v > 32) return;
    FButtonWidth = v;
    Invalidate();
}

void TAsgCustomCombo::SetFlat(bool v)
{
    if (FFlat == v) return;
    FFlat = v;
    if (FFlatParentColor && FFlat && Parent())
        SetColor(Parent()->Color());
    else
        SetColor(FLoadedColor);
    Invalidate();
}

void TAsgCustomCombo::SetFlatLineColor(TColor v)
{
    FFlatLineColor = v;
    Invalidate();
}

void TAsgCustomCombo::SetFlatParentColor(bool v)
{
    FFlatParentColor = v;
    Invalidate();
}

void TAsgCustomCombo::SetEtched(bool v)
{
    if (FEtched == v) return;
    FEtched = v;
    Invalidate();
}

void TAsgCustomCombo::SetDropWidth(int v)
{
    FDropWidth = v;
    if (v > 0) Combo()->view()->setMinimumWidth(v);
}

void TAsgCustomCombo::SetColor(TColor v)
{
    if (HasState(csLoading)) FLoadedColor = v;
    TCustomComboBox::SetColor(v);
}

void TAsgCustomCombo::SetEnabled(bool v)
{
    bool changed = v != Enabled();
    TCustomComboBox::SetEnabled(v);
    if (!changed || HasState(csLoading) || HasState(csDesigning)) return;
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(v);
    UpdateLabel();
}

void TAsgCustomCombo::SetVisible(bool v)
{
    TCustomComboBox::SetVisible(v);
    if (FLabel) FLabel->SetVisible(v);
}

QString TAsgCustomCombo::LabelCaption() const
{
    return FLabel ? FLabel->Caption() : QString();
}

void TAsgCustomCombo::SetLabelCaption(const QString& v)
{
    if (!FLabel) FLabel = CreateAttachedLabel(this, FLabelFont.get());
    FLabel->SetCaption(v);
    UpdateLabel();
}

void TAsgCustomCombo::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    UpdateLabel();
}

void TAsgCustomCombo::SetLabelMargin(int v)
{
    FLabelMargin = v;
    UpdateLabel();
}

void TAsgCustomCombo::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    UpdateLabel();
}

void TAsgCustomCombo::SetLabelAlwaysEnabled(bool v)
{
    FLabelAlwaysEnabled = v;
    UpdateLabel();
}

void TAsgCustomCombo::SetLabelFont(TFont* v)
{
    if (!ParentFont()) FLabelFont->Assign(v);
    UpdateLabel();
}

// ---- label

void TAsgCustomCombo::UpdateLabel()
{
    if (!FLabel) return;
    UpdateAttachedLabel(this, FLabel, FLabelFont.get(),
                        {FLabelPosition, FLabelMargin, FLabelTransparent, lmTextExtent});
}

void TAsgCustomCombo::LabelFontChanged()
{
    if (FLabel) UpdateLabel();
}

void TAsgCustomCombo::FontChanged()
{
    if ((HasState(csDesigning) || HasState(csLoading)) && FLabel && ParentFont()) FLabel->Font()->Assign(Font());
    TCustomComboBox::FontChanged();
}

void TAsgCustomCombo::ParentFontChanged()
{
    TCustomComboBox::ParentFontChanged();
    if (FLabel && ParentFont()) {
        FLabel->Font()->Assign(Font());
        UpdateLabel();
    }
}

// ---- methods

void TAsgCustomCombo::Init()
{
    FNormalColor = Color();
    FInitDone = true;
}

void TAsgCustomCombo::SelectItem(const QString& AString)
{
    int i = Items()->IndexOf(AString);
    if (i >= 0) SetItemIndex(i);
}

void TAsgCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && !HasState(csDestroying)) UpdateLabel();
}

void TAsgCustomCombo::Loaded()
{
    TCustomComboBox::Loaded();
    if (FDropWidth > 0) SetDropWidth(FDropWidth);
    FOldColor = FLoadedColor;
    if (!FFlatParentColor || FFlat) TCustomComboBox::SetColor(FLoadedColor);
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
    if (FLabel && ParentFont()) FLabel->Font()->Assign(Font());
    UpdateLabel();
    Init();
}

// ---- focus, pointer, list

void TAsgCustomCombo::DoEnter()
{
    TCustomComboBox::DoEnter();
    if (HasState(csDesigning)) return;
    FHasFocus = true;
    DrawBorders();
    if (FFocusColor != clNone) {
        // Before Init the colour to come back to is the one the focus found.
        if (Color() != FFocusColor) FColorAtFocus = Color();
        SetColor(FFocusColor);
    }
    if (FFocusLabel) SetLabelBold(FLabel, true);
}

void TAsgCustomCombo::DoExit()
{
    FHasFocus = false;
    DrawBorders();
    const TColor normal = FInitDone ? FNormalColor : FColorAtFocus;
    if (FFocusColor != clNone && normal != clNone) SetColor(normal);
    if (FFocusLabel) SetLabelBold(FLabel, false);
    TCustomComboBox::DoExit();
}

void TAsgCustomCombo::MouseEnter()
{
    if (!FMouseInControl && Enabled()) {
        FMouseInControl = true;
        DrawBorders();
    }
    if (FAutoFocus && !HasState(csDesigning)) {
        TCustomForm* form = GetParentForm(this);
        if ((!form || form->Active()) && CanFocus()) SetFocus();
    }
    if (FIsWinXP) Invalidate();
    TCustomComboBox::MouseEnter();
}

void TAsgCustomCombo::MouseLeave()
{
    if (FMouseInControl && Enabled()) {
        FMouseInControl = false;
        DrawBorders();
    }
    FButtonHover = false;
    if (FIsWinXP) Invalidate();
    TCustomComboBox::MouseLeave();
}

void TAsgCustomCombo::MouseMove(TShiftState Shift, int X, int Y)
{
    bool hover = ButtonHoverAt(X, Width(), FButtonWidth);
    if (hover != FButtonHover) {
        FButtonHover = hover;
        Invalidate();
    }
    TCustomComboBox::MouseMove(Shift, X, Y);
}

void TAsgCustomCombo::EnabledChanged()
{
    if (FFlat && !HasState(csLoading)) {
        if (Enabled()) {
            SetParentColor(FOldParentColor);
            TCustomComboBox::SetColor(FOldColor);
        } else {
            FOldParentColor = ParentColor();
            FOldColor = Color();
            SetParentColor(true);
        }
    }
    TCustomComboBox::EnabledChanged();
}

void TAsgCustomCombo::InvalidateButtonStrip()
{
    TRect r = ClientRect();
    r.Left = r.Right - FButtonWidth;
    InvalidateRect(r);
}

void TAsgCustomCombo::DropDown()
{
    TCustomComboBox::DropDown();
    InvalidateButtonStrip();
}

void TAsgCustomCombo::CloseUp()
{
    TCustomComboBox::CloseUp();
    InvalidateButtonStrip();
    if (OnDropUp) OnDropUp(this);
}

// ---- painting

bool TAsgCustomCombo::DoVisualStyles() const
{
    const TThemeEntries& t = AdvXPVS::Theme;
    return FIsThemed && t.IsThemeActive && t.IsThemeActive();
}

bool TAsgCustomCombo::IsMouseButtonDown()
{
    return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
}

bool TAsgCustomCombo::IsActive() const
{
    if (HasState(csDesigning)) return Enabled();
    return FMouseInControl || (Screen && Screen->ActiveControl() == this);
}

bool TAsgCustomCombo::ShowFocusBorder() const
{
    return FFocusBorder && !HasState(csDesigning)
           && (FMouseInControl || (Screen && Screen->ActiveControl() == this));
}

TComboPaintInput TAsgCustomCombo::PaintInput() const
{
    TComboPaintInput in;
    in.IsVista = FIsVista;
    in.Flat = FFlat;
    in.HasFocus = FHasFocus;
    in.Enabled = Enabled();
    in.DoVisualStyles = DoVisualStyles();
    in.DisabledBorder = FDisabledBorder;
    in.ButtonColor = FButtonColors.Color;
    in.BorderColor = FBorderColor;
    in.FocusBorderColor = FFocusBorderColor;
    return in;
}

void TAsgCustomCombo::PaintButton(TCanvas* Canvas)
{
    TRect r = ClientRect();
    r.Left += ClientWidth() - FButtonWidth + 2;
    r.Inflate(-1, -1);
    TDropButtonState s;
    s.Enabled = Enabled();
    s.Hover = FButtonHover;
    s.MouseButtonDown = IsMouseButtonDown();
    s.DroppedDown = DroppedDown();
    s.DoVisualStyles = DoVisualStyles();
    DrawDropButton(Canvas, this, r, FButtonColors, s);
}

void TAsgCustomCombo::PaintBorders(TCanvas* Canvas)
{
    if (ComboBordersSkipped(Enabled(), FFlat, FBorderColor, FFocusBorderColor, FIsVista)) return;
    TControlBorderState b;
    b.Rule = ControlBorderRule(Enabled(), FIsThemed, FDisabledBorder, FBorderColor, FFocusBorderColor, FHasFocus);
    b.BorderColor = FBorderColor;
    b.FocusBorderColor = FFocusBorderColor;
    b.HasFocus = FHasFocus;
    b.ShowFocusBorder = ShowFocusBorder();
    b.ParentColor = Parent() ? Parent()->Color() : clBtnFace;
    b.Color = Color();
    b.ButtonWidth = FButtonWidth;
    b.Flat = FFlat;
    b.FlatLineColor = FFlatLineColor;
    DrawControlBorder(Canvas, ClientRect(), b);
    if (Style() != csSimple && !(FIsWinXP && DoVisualStyles()))
        DrawButtonBorder(Canvas, ClientRect(), {ClientWidth(), ClientHeight(), FButtonWidth, IsActive(), false, false});
}

void TAsgCustomCombo::PaintOver(QPainter& painter)
{
    PaintOnCanvas(FPaintCanvas.get(), painter, this, [this] {
        TCanvas* c = FPaintCanvas.get();
        const TComboPaintInput in = PaintInput();
        const bool leftToRight = Widget()->layoutDirection() != Qt::RightToLeft;
        if (ComboPaintsItself(in) && leftToRight) {
            if (Style() != csSimple) PaintButton(c);
            PaintBorders(c);
        }
        // What the non-client paint adds after every paint.
        if (ComboNcBorderPasses(in) > 0) PaintBorders(c);
    });
}
