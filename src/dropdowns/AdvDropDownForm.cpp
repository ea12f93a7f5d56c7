#include "AdvDropDownForm.h"

#include "ATXPVS.h"
#include "AdvDropDown.h"
#include "AdvDropDownBars.h"
#include "AdvDropDownPaint.h"
#include "AdvStyleIF.h"
#include "Clock.h"
#include "GraphUtils.h"

#include <algorithm>

namespace {

// The pop-up's smallest size.
constexpr int DropDownFormMinWidth = 80;
constexpr int DropDownFormMinHeight = 50;
// The sizing corner of a sizeable pop-up.
constexpr int DropDownFormGrip = 10;
// The background gradient's steps.
constexpr int DropDownFormGradientSteps = 80;

// The arrow of the drop button.
void DropDownFormArrow(TCanvas* c, TColor color)
{
    c->Pen()->SetColor(color);
    c->Brush()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
    c->Polygon({TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)});
}

}  // namespace

// ---------------------------------------------------------------------------
// TDropDownForm

TDropDownForm::TDropDownForm(TComponent* AOwner)
    : TForm(AOwner)
{
    SetPopupWindow(true);
    SetBorderStyle(bsNone);
    SetKeyPreview(false);
    SetWantKeys(DLGC_WANTARROWS | DLGC_WANTALLKEYS);
    SetControlStyle(ControlStyle() | csOpaque);
}

void TDropDownForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TForm::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FHeader) FHeader = nullptr;
    if (AComponent == FFooter) FFooter = nullptr;
}

void TDropDownForm::AlignControls(TRect& r)
{
    if (!Visible()) return;
    TForm::AlignControls(r);
}

void TDropDownForm::AdjustClientRect(TRect& r)
{
    TForm::AdjustClientRect(r);
    if (!FAdvDropDown) return;
    const int b = FAdvDropDown->DropDownBorderWidth();
    r = TRect(r.Left + b, r.Top + b, r.Right - b, r.Bottom - b);
}

intptr_t TDropDownForm::HitTest(TPoint P) const
{
    if (FSizeable && P.X > Width() - DropDownFormGrip && P.Y > Height() - DropDownFormGrip) return HTBOTTOMRIGHT;
    return HTNOWHERE;
}

void TDropDownForm::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_ACTIVATE:
        TForm::WndProc(m);
        if (m.WParam == WA_INACTIVE) Deactivated(reinterpret_cast<TControl*>(m.LParam));
        return;
    case WM_NCHITTEST:
        m.Result = HitTest(ScreenToClient(TPoint(LParamX(m.LParam), LParamY(m.LParam))));
        return;
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    case WM_SIZING:
        TForm::WndProc(m);
        if (FAdvDropDown) FAdvDropDown->FUserSized = true;
        if (OnSizing) OnSizing(this);
        return;
    case WM_SIZE:
        TForm::WndProc(m);
        Invalidate();
        return;
    default:
        TForm::WndProc(m);
    }
}

void TDropDownForm::Deactivated(TControl* Target)
{
    if (FBlockActivate || !Visible()) return;
    FDeActivate = GetTickCount();
    // A window of the pop-up's own (its controls) keeps it open.
    for (TControl* c = Target; c; c = c->Parent())
        if (c == this) return;
    if (FAdvDropDown)
        FAdvDropDown->DoHideDropDown(FCancelOnDeActivate);
    else
        Hide();
}

void TDropDownForm::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TForm::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && HitTest(TPoint(X, Y)) == HTBOTTOMRIGHT) StartSizing();
}

void TDropDownForm::MouseMove(TShiftState Shift, int X, int Y)
{
    TForm::MouseMove(Shift, X, Y);
    SetCursor(HitTest(TPoint(X, Y)) == HTBOTTOMRIGHT ? crSizeNWSE : crDefault);
}

void TDropDownForm::Paint()
{
    TForm::Paint();
    DrawBackground(Canvas());
}

void TDropDownForm::DrawBackground(TCanvas* Canvas)
{
    if (!FAdvDropDown || !Canvas) return;
    const int b = FAdvDropDown->DropDownBorderWidth();
    const TRect client = ClientRect();
    const TRect r(client.Left + b, client.Top + b, client.Right - b, client.Bottom - b);
    const TColor from = FAdvDropDown->DropDownColor(), to = FAdvDropDown->DropDownColorTo();
    if (from != clNone && to != clNone) {
        DrawDropDownGradient(Canvas, from, to, DropDownFormGradientSteps, r,
                             FAdvDropDown->DropDownGradient() == gdHorizontal);
    } else if (from != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(from);
        Canvas->FillRect(r);
    }
    if (b > 0) {
        Canvas->Pen()->SetWidth(b);
        Canvas->Pen()->SetColor(FAdvDropDown->DropDownBorderColor());
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Rectangle(TRect(client.Left + b / 2, client.Top + b / 2, client.Right, client.Bottom));
        Canvas->Pen()->SetWidth(1);
        Canvas->Brush()->SetStyle(bsSolid);
    }
}

void TDropDownForm::InitializeAndUpdate()
{
    if (!FAdvDropDown) return;
    THeaderAppearance* header = FAdvDropDown->DropDownHeader();
    TFooterAppearance* footer = FAdvDropDown->DropDownFooter();
    if (FHeader) {
        FHeader->SetAdvDropDown(FAdvDropDown);
        FHeader->InitializeButtons();
        FHeader->SetVisible(header->Visible());
    } else if (header->Visible()) {
        FHeader = new TAdvHeader(this);
        FHeader->SetParent(this);
        FHeader->SetHeight(header->Height());
        FHeader->SetAdvDropDown(FAdvDropDown);
        FHeader->InitializeButtons();
        FHeader->SetAlign(alTop);
    }
    if (FHeader) {
        FHeader->OnDrawBackGround = FAdvDropDown->OnDrawHeader;
        FHeader->OnGetText = FAdvDropDown->OnGetHeaderText;
    }
    if (FFooter) {
        FFooter->SetAdvDropDown(FAdvDropDown);
        FFooter->InitializeButtons();
        FFooter->SetVisible(footer->Visible());
    } else if (footer->Visible()) {
        FFooter = new TAdvFooter(this);
        FFooter->SetParent(this);
        FFooter->SetHeight(footer->Height());
        FFooter->SetAdvDropDown(FAdvDropDown);
        FFooter->InitializeButtons();
        FFooter->SetAlign(alBottom);
    }
    if (FFooter) {
        FFooter->OnDrawBackGround = FAdvDropDown->OnDrawFooter;
        FFooter->OnGetText = FAdvDropDown->OnGetFooterText;
    }
}

// ---------------------------------------------------------------------------
// The drop-down's show and hide

void TAdvCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm) return;
    auto* form = new TDropDownForm(this);
    FDropDownForm = form;
    form->SetAdvDropDown(this);
    form->SetBorderStyle(bsNone);
    form->Hide();
    form->SetBounds(0, 0, FDropDownWidth, FDropDownHeight);
    form->OnClose = [](TObject*, TCloseAction&) {};
    form->OnHide = [this](TObject*) { AfterDropUp(); };
    form->OnKeyPress = [this](TObject* s, QChar& k) { FormKeyPress(s, k); };
    form->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    form->OnKeyUp = [this](TObject* s, Word& k, TShiftState sh) { FormKeyUp(s, k, sh); };
    form->OnMouseWheelDown = [this](TObject* s, TShiftState sh, TPoint p, bool& h) {
        FormMouseWheelDown(s, sh, p, h);
    };
    form->OnMouseWheelUp = [this](TObject* s, TShiftState sh, TPoint p, bool& h) {
        FormMouseWheelUp(s, sh, p, h);
    };
    form->OnDestroy = [this](TObject*) { DropDownFormDestroyed(); };
    form->OnSizing = [this](TObject* s) { DropDownFormSizing(s); };
}

void TAdvCustomDropDown::CreateDropDownButton()
{
    if (FButton) return;
    FButton = new TDropDownEditButton(this);
    FButton->SetParent(this);
    FButton->SetCursor(crArrow);
    FButton->OnClick = [this](TObject* s) { DropDownButtonClick(s); };
    UpdateDropDownButton();
}

void TAdvCustomDropDown::UpdateDropDownButton()
{
    if (!FButton) return;
    FButton->SetBounds(FButton->Left(), FButton->Top(), FButtonWidth, 17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
}

void TAdvCustomDropDown::BeforeDropDown()
{
    if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TAdvCustomDropDown::AdaptDropDownHeight(int&) {}

void TAdvCustomDropDown::FocusDropDownControl()
{
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
}

void TAdvCustomDropDown::PlaceDropDownControl()
{
    if (!FControl || !FDropDownForm) return;
    FControl->SetParent(FDropDownForm);
    FControl->SetTop(FDropDownHeader && FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2
                                                                    : FDropDownBorderWidth);
    FControl->SetAlign(alClient);
}

void TAdvCustomDropDown::UpdateDropDownSize()
{
    if (!FDropDownForm) return;
    const bool control = FControl && FControl->Visible();
    const int w = FDropDownWidth > 0 ? FDropDownWidth : control ? FControl->Width() : Width();
    int h = FDropDownHeight;
    if (h <= 0) {
        h = 2 * FDropDownBorderWidth;
        if (FDropDownHeader->Visible()) h += FDropDownHeader->Height();
        if (FDropDownFooter->Visible()) h += FDropDownFooter->Height();
        if (control) h += FControl->Height();
    }
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), w, h);
}

void TAdvCustomDropDown::DoShowDropDown()
{
    if (HasState(csDesigning) || !FDropDownForm || FDropDownForm->Visible() || !Enabled() || ReadOnly()) return;
    TDropDownForm* form = FDropDownForm;
    BeforeDropDown();
    form->SetShadow(FDropDownShadow);
    form->InitializeAndUpdate();
    form->SetBounds(Left(), Top(), form->Width(), form->Height());
    UpdateDropDownSize();
    PlaceDropDownControl();
    form->SetMinSize(DropDownFormMinWidth, DropDownFormMinHeight);
    if (auto* control = dynamic_cast<TWinControl*>(FControl)) {
        control->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { ControlKeyDown(s, k, sh); };
        control->OnKeyPress = [this](TObject* s, QChar& k) { ControlKeyPress(s, k); };
        control->OnKeyUp = [this](TObject* s, Word& k, TShiftState sh) { ControlKeyUp(s, k, sh); };
    }
    TPoint p = Parent() ? Parent()->ClientToScreen(TPoint(Left(), Top())) : ClientToScreen(TPoint(0, 0));
    const int formHeight = form->Height();
    const bool below = FDropPosition == dpDown || (FDropPosition == dpAuto && p.Y + formHeight < Screen->Height());
    form->SetBounds(p.X, below ? p.Y + Height() - 1 : p.Y - formHeight, form->Width(), formHeight);

    bool accept = true;
    if (OnDropDown) OnDropDown(this, accept);
    if (!accept) return;

    // Only the right edge is kept on the work area, and only on monitors
    // right of the primary one's left edge.
    const TRect area = Screen->WorkAreaAt(p);
    if (area.Left >= 0 && form->Left() + form->Width() > area.Right && form->Left() < area.Right)
        form->SetLeft(area.Right - form->Width());

    p = TPoint(form->Left(), form->Top());
    int w = form->Width(), h = form->Height();
    if (FUserDropDownWidth >= 0) w = FUserDropDownWidth;
    if (FUserDropDownHeight >= 0) h = FUserDropDownHeight;
    FUserSized = false;
    form->SetOwnerWindow(GetParentForm(this));
    form->SetBounds(p.X, p.Y, w, h);
    form->Show();
    AdaptDropDownHeight(h);
    FDroppedDown = true;
    form->SetBounds(p.X, p.Y, w, h);
    FocusDropDownControl();
}

void TAdvCustomDropDown::DoHideDropDown(bool Cancel)
{
    if (HasState(csDesigning) || !FDropDownForm || !FDropDownForm->Visible()) return;
    if (OnBeforeDropUp) OnBeforeDropUp(this);
    // Only a size the user gave the pop-up is kept for the next show.
    if (FUserSized) {
        FUserDropDownWidth = FDropDownForm->Width();
        FUserDropDownHeight = FDropDownForm->Height();
    }
    FDropDownForm->Hide();
    Application->CancelHint();
    if (Cancel) SetText(FOldText);
    if (OnDropUp) OnDropUp(this, Cancel);
}

void TAdvCustomDropDown::AfterDropUp()
{
    FDroppedDown = false;
    if (TabStop() && CanFocus() && !Focused() && !HasState(csDestroying)) SetFocus();
}

void TAdvCustomDropDown::DropDownFormDestroyed() {}

void TAdvCustomDropDown::FormMouseWheelDown(TObject*, TShiftState, TPoint, bool&)
{
    DoWheelDown();
}

void TAdvCustomDropDown::FormMouseWheelUp(TObject*, TShiftState, TPoint, bool&)
{
    DoWheelUp();
}

void TAdvCustomDropDown::FormKeyPress(TObject*, QChar& Key)
{
    Perform(WM_CHAR, Key.unicode(), 0);
}

void TAdvCustomDropDown::FormKeyDown(TObject*, Word& Key, TShiftState)
{
    Perform(WM_KEYDOWN, Key, 0);
}

void TAdvCustomDropDown::FormKeyUp(TObject*, Word& Key, TShiftState)
{
    Perform(WM_KEYUP, Key, 0);
}

void TAdvCustomDropDown::ControlKeyDown(TObject*, Word& Key, TShiftState)
{
    Perform(WM_KEYDOWN, Key, 0);
}

void TAdvCustomDropDown::ControlKeyUp(TObject*, Word& Key, TShiftState)
{
    Perform(WM_KEYUP, Key, 0);
}

void TAdvCustomDropDown::ControlKeyPress(TObject*, QChar& Key)
{
    Perform(WM_CHAR, Key.unicode(), 0);
}

void TAdvCustomDropDown::DropDownFormSizing(TObject*) {}

// ---------------------------------------------------------------------------
// TAdvDropDownSpeedButton

TAdvDropDownSpeedButton::TAdvDropDownSpeedButton(TComponent* AOwner)
    : TSpeedButton(AOwner)
{
    FIsWinXP = IsComCtl6OrLater();
}

void TAdvDropDownSpeedButton::SetButtonStyle(TDropDownButtonStyle v)
{
    FButtonStyle = v;
    Invalidate();
}

void TAdvDropDownSpeedButton::SetEtched(bool v)
{
    if (v == FEtched) return;
    FEtched = v;
    Invalidate();
}

void TAdvDropDownSpeedButton::SetFocused(bool v)
{
    if (v == FFocused) return;
    FFocused = v;
    Invalidate();
}

void TAdvDropDownSpeedButton::SetUp()
{
    FUp = true;
}

bool TAdvDropDownSpeedButton::Pressed() const
{
    const TButtonState s = State();
    return (s == bsDown || s == bsExclusive) && !FUp;
}

void TAdvDropDownSpeedButton::MouseEnter()
{
    FHot = true;
    Invalidate();
    TSpeedButton::MouseEnter();
}

void TAdvDropDownSpeedButton::MouseLeave()
{
    FHot = false;
    Invalidate();
    TSpeedButton::MouseLeave();
}

TDropDownEditButton* TAdvDropDownSpeedButton::EditButton() const
{
    return dynamic_cast<TDropDownEditButton*>(Parent());
}

TAdvCustomDropDown* TAdvDropDownSpeedButton::DropDown() const
{
    TDropDownEditButton* b = EditButton();
    return b ? dynamic_cast<TAdvCustomDropDown*>(b->Parent()) : nullptr;
}

bool TAdvDropDownSpeedButton::DoVisualStyles() const
{
    // The theme is drawn only through a loaded table with a style active.
    return IsComCtl6OrLater() && ATXPVS::ThemeLibraryLoaded() && ATXPVS::Theme.IsThemeActive
           && ATXPVS::Theme.IsThemeActive();
}

void TAdvDropDownSpeedButton::Paint()
{
    if (FButtonStyle == bsButton)
        PaintButtonStyle(Canvas());
    else
        PaintDropDownStyle(Canvas());
}

void TAdvDropDownSpeedButton::PaintDropDownStyle(TCanvas* c)
{
    TDropDownEditButton* eb = EditButton();
    TAdvCustomDropDown* dd = DropDown();
    const TRect r = ClientRect();
    const bool pressed = Pressed();
    if (eb && eb->ButtonColor() != clNone) {
        // Own colours; an unset hot or down colour keeps the plain one.
        auto pick = [&](TColor plain, TColor hot, TColor down) {
            if (pressed && down != clNone) return down;
            if (FHot && !pressed && hot != clNone) return hot;
            return plain;
        };
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(pick(eb->ButtonColor(), eb->ButtonColorHot(), eb->ButtonColorDown()));
        c->FillRect(r);
        if (dd && dd->BorderColor() != clNone) {
            c->Pen()->SetColor(dd->BorderColor());
            c->MoveTo(0, 0);
            c->LineTo(0, r.Bottom);
        }
        const TColor text = pick(eb->ButtonTextColor(), eb->ButtonTextColorHot(), eb->ButtonTextColorDown());
        DropDownFormArrow(c, text == clNone ? clBlack : text);
        return;
    }
    if (!Glyph()->Empty()) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->Pen()->SetColor(TColor(0x808080));
        c->Rectangle(r);
        Glyph()->SetTransparent(true);
        c->Draw(0, 0, Glyph());
        return;
    }
    const bool enabled = dd ? dd->Enabled() && !dd->ReadOnly() : Enabled();
    if (enabled != Enabled()) SetEnabled(enabled);
    if (DoVisualStyles()) {
        const HTHEME theme = ATXPVS::Theme.OpenThemeData(dd, QStringLiteral("combobox"));
        TRect tr = r;
        if (IsVistaOrLater()) {
            tr.Left += 1;
        } else {
            tr = TRect(tr.Left + 1, tr.Top - 1, tr.Right + 1, tr.Bottom + 1);
        }
        const int state = !Enabled() ? CBXS_DISABLED : pressed ? CBXS_PRESSED : FHot ? CBXS_HOT : CBXS_NORMAL;
        ATXPVS::Theme.DrawThemeBackground(theme, c, CP_DROPDOWNBUTTON, state, tr, nullptr);
        ATXPVS::Theme.CloseThemeData(theme);
        return;
    }
    // The classic look.
    TSpeedButton::Paint();
    c->Pen()->SetColor(clBtnFace);
    c->MoveTo(r.Width() - 2, 0);
    c->LineTo(0, 0);
    c->LineTo(0, r.Height() - 1);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(r.Width() - 3, 1);
    c->LineTo(1, 1);
    c->LineTo(1, r.Height() - 2);
    DropDownFormArrow(c, clBlack);
}

void TAdvDropDownSpeedButton::PaintButtonStyle(TCanvas* c)
{
    TAdvCustomDropDown* dd = DropDown();
    if (dd) c->Font()->Assign(dd->Font());
    const TRect r = ClientRect();
    const bool pressed = Pressed();
    const QString caption = Caption();
    if (DoVisualStyles()) {
        c->FillRect(r);
        const HTHEME theme = ATXPVS::Theme.OpenThemeData(dd, QStringLiteral("button"));
        const int state = !Enabled() ? PBS_DISABLED : pressed ? PBS_PRESSED : FHot ? PBS_HOT : PBS_NORMAL;
        ATXPVS::Theme.DrawThemeBackground(theme, c, BP_PUSHBUTTON, state, TRect(0, 0, r.Right + 1, r.Bottom + 1),
                                          nullptr);
        ATXPVS::Theme.CloseThemeData(theme);
        c->Brush()->SetStyle(bsClear);
        if (!Glyph()->Empty()) {
            TRect g(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
            if (!caption.isEmpty())
                g.Left += 2;
            else if (Glyph()->Width() < g.Width())
                g.Left += (g.Width() - Glyph()->Width()) / 2;
            if (Glyph()->Height() < g.Height()) g.Top += (g.Height() - Glyph()->Height()) / 2;
            if (pressed) g.Offset(1, 1);
            Glyph()->SetTransparent(true);
            c->Draw(g.Left, g.Top, Glyph());
        }
        if (!caption.isEmpty()) {
            TRect t(r.Left + 3, r.Top + 1, r.Right - 3, r.Bottom - 1);
            unsigned flags = DT_SINGLELINE | DT_VCENTER;
            if (Glyph()->Empty()) {
                flags |= DT_CENTER;
                if (pressed) t.Offset(1, 1);
            } else {
                t.Left = Glyph()->Width() + 2;
                t.Offset(0, -1);
            }
            c->DrawText(caption, t, flags);
        }
        c->Brush()->SetStyle(bsSolid);
        return;
    }
    if (Flat()) {
        c->FillRect(r);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
        TRect e(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
        DrawEdge(c, e, FEtched ? EDGE_ETCHED : EDGE_RAISED, pressed ? BF_RECT | BF_FLAT : BF_RECT);
        TRect g(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3);
        if (pressed) g.Offset(1, 1);
        if (!Glyph()->Empty()) DrawTransparentGlyph(c, Glyph(), clBtnFace, g);
        if (!caption.isEmpty()) {
            TRect t(r.Left + 3, r.Top + 1, r.Right - 3, r.Bottom - 1);
            if (pressed) t.Offset(1, 1);
            c->Brush()->SetStyle(bsClear);
            c->DrawText(caption, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
            c->Brush()->SetStyle(bsSolid);
        }
        return;
    }
    TSpeedButton::Paint();
}

// ---------------------------------------------------------------------------
// TDropDownEditButton

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner)
    : TWinControl(AOwner)
{
    SetControlStyle((ControlStyle() & ~unsigned(csAcceptsControls | csSetCaption)) | csOpaque);
    FButton = new TAdvDropDownSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [](TObject*) {};
    FButton->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        ButtonMouseUp(s, b, sh, x, y);
    };
    FButton->SetVisible(true);
    FButton->SetEnabled(Enabled());
    FButton->SetCaption(QString());
    FButton->SetButtonStyle(bsDropDown);
    FButton->SetBounds(0, 0, 16, 25);
    FBWidth = 16;
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
    if (Operation == TOperation::opRemove && AComponent == FButton) FButton = nullptr;
}

void TDropDownEditButton::SetFocusControl(TWinControl* v)
{
    if (v == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = v;
    if (v) v->FreeNotification(this);
}

TBitmap* TDropDownEditButton::Glyph() const
{
    return FButton ? FButton->Glyph() : nullptr;
}

void TDropDownEditButton::SetGlyph(TBitmap* v)
{
    if (FButton) FButton->SetGlyph(v);
}

QString TDropDownEditButton::ButtonCaption() const
{
    return FButton ? FButton->Caption() : QString();
}

void TDropDownEditButton::SetButtonCaption(const QString& v)
{
    if (FButton) FButton->SetCaption(v);
}

int TDropDownEditButton::NumGlyphs() const
{
    return FButton ? FButton->NumGlyphs() : 1;
}

void TDropDownEditButton::SetNumGlyphs(int v)
{
    if (FButton) FButton->SetNumGlyphs(v);
}

void TDropDownEditButton::SetOwnWidth(int v)
{
    FBWidth = v;
    SetBounds(Left(), Top(), v, Height());
}

void TDropDownEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // The button always takes its own width; the inner button fills it.
    (void)AWidth;
    TWinControl::SetBounds(ALeft, ATop, FBWidth, AHeight);
    if (FButton) FButton->SetBounds(0, 0, FBWidth, AHeight);
}

void TDropDownEditButton::Resize()
{
    TWinControl::Resize();
    if (FButton && (FButton->Width() != FBWidth || FButton->Height() != Height()))
        FButton->SetBounds(0, 0, FBWidth, Height());
}

void TDropDownEditButton::InvalidateButton()
{
    TWinControl::Invalidate();
    if (FButton) FButton->Invalidate();
}

void TDropDownEditButton::EnabledChanged()
{
    TWinControl::EnabledChanged();
    if (FButton && !HasState(csDesigning)) FButton->SetEnabled(Enabled());
}

void TDropDownEditButton::ButtonMouseUp(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (Button == mbLeft && OnClick) OnClick(this);
}

void TDropDownEditButton::SetButtonColorDown(TColor v)
{
    FButtonColorDown = v;
    InvalidateButton();
}

void TDropDownEditButton::SetButtonTextColor(TColor v)
{
    FButtonTextColor = v;
    InvalidateButton();
}

void TDropDownEditButton::SetButtonTextColorHot(TColor v)
{
    FButtonTextColorHot = v;
    InvalidateButton();
}

void TDropDownEditButton::SetButtonColor(TColor v)
{
    FButtonColor = v;
    InvalidateButton();
}

void TDropDownEditButton::SetButtonColorHot(TColor v)
{
    FButtonColorHot = v;
    InvalidateButton();
}

void TDropDownEditButton::SetButtonTextColorDown(TColor v)
{
    FButtonTextColorDown = v;
    InvalidateButton();
}
