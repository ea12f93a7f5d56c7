#include "AdvObjButton.h"

#include "AdvObjTheme.h"
#include "AdvStyleIF.h"
#include "GraphUtils.h"
#include "SysFormat.h"

#include <QImage>

namespace {

// Width of the drop-down part at the right edge.
constexpr int DropDownWidth = 12;

struct TLook {
    TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, DownBorder, HotBorder;
    bool Rounded;
};

const TLook Looks[7] = {
    {TColor(0xedf1f1), TColor(0xdfebeb), TColor(0xfafcfc), TColor(0xe5eced), TColor(0xe0e6e7), TColor(0xd8e0e1),
     TColor(0xffffff), clNone, TColor(0xaf987a), TColor(0xc3cece), true},
    {clBtnFace, clNone, TColor(0xeed2c1), clNone, TColor(0xe2b598), clNone, TColor(0xe8e6e1), clNone,
     TColor(0xc56a31), TColor(0xc56a31), false},
    {TColor(0xfdeada), TColor(0xe4ae88), TColor(0xccf4ff), TColor(0x91d0ff), TColor(0x4e91fe), TColor(0x8ed3ff),
     TColor(0x8ed3ff), TColor(0x55adff), TColor(0x000000), TColor(0x000000), false},
    {TColor(0xcff0ea), TColor(0x8cc0b1), TColor(0xccf4ff), TColor(0x91d0ff), TColor(0x4e91fe), TColor(0x8ed3ff),
     TColor(0x8ed3ff), TColor(0x55adff), TColor(0x000000), TColor(0x000000), false},
    {TColor(0xece2e1), TColor(0xb39698), TColor(0xccf4ff), TColor(0x91d0ff), TColor(0x4e91fe), TColor(0x8ed3ff),
     TColor(0x8ed3ff), TColor(0x55adff), TColor(0x000000), TColor(0x000000), false},
    {clBtnFace, clNone, clBtnFace, clNone, TColor(0xd8d3d2), clNone, TColor(0xcac7c7), clNone, clNone, clNone,
     false},
    {TColor(0xcaffff), TColor(0xa6ffff), TColor(0xa8f0fd), TColor(0x7ce9fc), TColor(0x4de0fb), TColor(0x7ae9fc),
     TColor(0xb5e6f2), TColor(0x9cdded), TColor(0x808080), TColor(0x808080), false},
};

bool IsEmpty(const TBitmap* b) { return !b || b->Empty() || b->Width() == 0 || b->Height() == 0; }

// Draws a glyph with its bottom-left pixel as the see-through colour.
void DrawTransparent(TCanvas* c, int x, int y, TBitmap* b)
{
    TBitmap copy;
    copy.Assign(b);
    copy.SetTransparentMode(tmAuto);
    copy.SetTransparent(true);
    c->Draw(x, y, &copy);
}

}  // namespace

// ---------------------------------------------------------------------------
// Pure helpers

TButtonContentLayout CalcButtonLayout(const TRect& Client, TSize GlyphSize, TSize TextSize, TButtonLayout Layout,
                                      int Margin, int Spacing, bool RightToLeft, TPoint Offset)
{
    if (RightToLeft) {
        if (Layout == blGlyphLeft)
            Layout = blGlyphRight;
        else if (Layout == blGlyphRight)
            Layout = blGlyphLeft;
    }
    const int W = Client.Width();
    const int H = Client.Height();
    const bool glyphEmpty = GlyphSize.cx == 0 || GlyphSize.cy == 0;
    const bool textEmpty = TextSize.cx == 0 && TextSize.cy == 0;
    if (glyphEmpty) GlyphSize = TSize(0, 0);
    if (glyphEmpty || textEmpty) Spacing = 0;

    const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    TPoint glyph, text;
    if (horizontal) {
        glyph.Y = (H - GlyphSize.cy + 1) / 2;
        text.Y = (H - TextSize.cy + 1) / 2;
    } else {
        glyph.X = (W - GlyphSize.cx + 1) / 2;
        text.X = (W - TextSize.cx + 1) / 2;
    }

    const int L = horizontal ? W : H;
    const int g = horizontal ? GlyphSize.cx : GlyphSize.cy;
    const int t = horizontal ? TextSize.cx : TextSize.cy;
    if (Margin == -1 && Spacing == -1) {
        Spacing = Margin = (L - (g + t)) / 3;
    } else if (Margin == -1) {
        Margin = (L - (g + Spacing + t) + 1) / 2;
    } else if (Spacing == -1) {
        Spacing = (L - Margin - g - t) / 2;
    }

    int gAlong, tAlong;
    if (Layout == blGlyphLeft || Layout == blGlyphTop) {
        gAlong = Margin;
        tAlong = gAlong + g + Spacing;
    } else {
        gAlong = L - Margin - g;
        tAlong = gAlong - Spacing - t;
    }
    if (horizontal) {
        glyph.X = gAlong;
        text.X = tAlong;
    } else {
        glyph.Y = gAlong;
        text.Y = tAlong;
    }

    const int dx = Client.Left + Offset.X;
    const int dy = Client.Top + Offset.Y;
    TButtonContentLayout r;
    r.GlyphPos = TPoint(glyph.X + dx, glyph.Y + dy);
    r.TextBounds = TRect(text.X + dx, text.Y + dy, text.X + dx + TextSize.cx, text.Y + dy + TextSize.cy);
    return r;
}

void MakeDisabledGlyph(TBitmap* Src, TBitmap* Dest)
{
    if (IsEmpty(Src)) {
        Dest->Assign(Src);
        return;
    }
    QImage img = Src->Image().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = line[x];
            const int g = 96 + ((qRed(p) + qGreen(p) + qBlue(p)) / 3) / 2;
            line[x] = qRgb(g, g, g);
        }
    }
    Dest->SetImage(img);
    Dest->SetPixelFormat(Src->PixelFormat());
}

void BuildGlyphShade(TBitmap* Glyph, TBitmap* Shade)
{
    if (IsEmpty(Glyph)) {
        Shade->SetSize(0, 0);
        return;
    }
    QImage img = Glyph->Image().convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = img.pixel(0, img.height() - 1) & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = line[x] & 0xFFFFFF;
            // The copy with the see-through colour made black, XORed with
            // the glyph: opaque pixels become black, the rest see-through;
            // then black becomes the shadow grey.
            const QRgb copy = p == transparent ? 0 : p;
            QRgb v = copy ^ p;
            if (v == 0) v = 0x808080;
            line[x] = 0xFF000000 | v;
        }
    }
    Shade->SetImage(img);
    Shade->SetPixelFormat(Glyph->PixelFormat());
}

void DrawButtonGradient(TCanvas* Canvas, TColor From, TColor To, const TRect& R, TColor Frame)
{
    const TColor f = ColorToRGB(From);
    const TColor t = ColorToRGB(To);
    const int fr = GetRValue(f), fg = GetGValue(f), fb = GetBValue(f);
    const int tr = GetRValue(t), tg = GetGValue(t), tb = GetBValue(t);
    const double h = (R.Bottom - R.Top) / 16.0;
    for (int n = 0; n < 16; ++n) {
        const TColor c = RGBColor(int(fr + Round(n * (tr - fr) / 16.0)), int(fg + Round(n * (tg - fg) / 16.0)),
                             int(fb + Round(n * (tb - fb) / 16.0)));
        const int top = R.Top + int(Round(n * h));
        const int bottom = std::min<int>(R.Bottom, top + int(Round(h)) + 1);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(c);
        Canvas->Pen()->SetColor(c);
        Canvas->FillRect(TRect(R.Left, top, R.Right, bottom));
    }
    if (Frame != clNone) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetColor(Frame);
        Canvas->Rectangle(R);
        Canvas->Brush()->SetStyle(bsSolid);
    }
}

// ---------------------------------------------------------------------------
// Action link

bool TAdvGridButtonActionLink::IsCaptionLinked()
{
    return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

bool TAdvGridButtonActionLink::IsCheckedLinked()
{
    return TActionLink::IsCheckedLinked() && FClient->GroupIndex() != 0 && FClient->AllowAllUp()
           && FClient->Down() == CustomAction()->Checked();
}

bool TAdvGridButtonActionLink::IsGroupIndexLinked()
{
    return TActionLink::IsGroupIndexLinked() && FClient->GroupIndex() == CustomAction()->GroupIndex();
}

void TAdvGridButtonActionLink::SetCaption(const QString& Value)
{
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TAdvGridButtonActionLink::SetChecked(bool Value)
{
    if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TAdvGridButtonActionLink::SetGroupIndex(int Value)
{
    if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}

// ---------------------------------------------------------------------------
// TAdvGridButton

TAdvGridButton::TAdvGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>()),
      FIsComCtl6(IsComCtl6OrLater())
{
    SetBounds(0, 0, 23, 22);
    // The button raises its click itself (a counting release), so the
    // platform's click on release is off.
    SetControlStyle((ControlStyle() | csCaptureMouse | csDoubleClicks) & ~unsigned(csClickEvents));
    SetColor(clBtnFace);
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TAdvGridButton::~TAdvGridButton()
{
    FGlyph->OnChange = nullptr;
    FActionLink.reset();
}

// ---- glyphs

void TAdvGridButton::RebuildGeneratedGlyphs()
{
    if (FGlyphDisabled->Empty() || FDisabledGenerated) {
        MakeDisabledGlyph(FGlyph.get(), FGlyphDisabled.get());
        FDisabledGenerated = true;
    }
    if (FShaded && !HasState(csLoading)) BuildGlyphShade(FGlyph.get(), FGlyphShade.get());
}

void TAdvGridButton::SetGlyph(TBitmap* v)
{
    FGlyph->Assign(v);
    RebuildGeneratedGlyphs();
    Invalidate();
}

void TAdvGridButton::SetGlyphDisabled(TBitmap* v)
{
    FGlyphDisabled->Assign(v);
    FDisabledGenerated = false;
}

void TAdvGridButton::SetShaded(bool v)
{
    FShaded = v;
    if (v && !HasState(csLoading)) BuildGlyphShade(FGlyph.get(), FGlyphShade.get());
}

void TAdvGridButton::Loaded()
{
    TGraphicControl::Loaded();
    if (FShaded) BuildGlyphShade(FGlyph.get(), FGlyphShade.get());
    if (FAutoThemeAdapt) ThemeAdapt();
}

// ---- setters

namespace {

template <class T>
bool Store(T& field, const T& v)
{
    if (field == v) return false;
    field = v;
    return true;
}

}  // namespace

void TAdvGridButton::SetLayout(TButtonLayout v) { if (Store(FLayout, v)) Invalidate(); }
void TAdvGridButton::SetSpacing(int v) { if (Store(FSpacing, v)) Invalidate(); }
void TAdvGridButton::SetFlat(bool v) { if (Store(FFlat, v)) Invalidate(); }
void TAdvGridButton::SetShowCaption(bool v) { if (Store(FShowCaption, v)) Invalidate(); }

void TAdvGridButton::SetMargin(int v)
{
    if (v < -1) return;
    if (Store(FMargin, v)) Invalidate();
}

void TAdvGridButton::SetColorTo(TColor v) { FColorTo = v; Invalidate(); }
void TAdvGridButton::SetColorChecked(TColor v) { FColorChecked = v; Invalidate(); }
void TAdvGridButton::SetColorCheckedTo(TColor v) { FColorCheckedTo = v; Invalidate(); }
void TAdvGridButton::SetBorderColor(TColor v) { FBorderColor = v; Invalidate(); }
void TAdvGridButton::SetStyle(TAdvGridButtonStyle v) { FStyle = v; Invalidate(); }
void TAdvGridButton::SetRounded(bool v) { FRounded = v; Invalidate(); }
void TAdvGridButton::SetDropDownButton(bool v) { FDropDownButton = v; Invalidate(); }
void TAdvGridButton::SetAutoXPStyle(bool v) { FAutoXPStyle = v; Invalidate(); }

void TAdvGridButton::SetAutoThemeAdapt(bool v)
{
    FAutoThemeAdapt = v;
    if (v) ThemeAdapt();
}

void TAdvGridButton::SetGroupIndex(int v)
{
    if (Store(FGroupIndex, v)) UpdateExclusive();
}

void TAdvGridButton::SetAllowAllUp(bool v)
{
    if (Store(FAllowAllUp, v)) UpdateExclusive();
}

void TAdvGridButton::SetLook(int v)
{
    if (v < 0 || v > 6) return;
    const TLook& l = Looks[v];
    SetColor(l.Color);
    FColorTo = l.ColorTo;
    FColorHot = l.Hot;
    FColorHotTo = l.HotTo;
    FColorDown = l.Down;
    FColorDownTo = l.DownTo;
    FColorChecked = l.Checked;
    FColorCheckedTo = l.CheckedTo;
    FBorderDownColor = l.DownBorder;
    FBorderHotColor = l.HotBorder;
    FBorderColor = clNone;
    FFlat = true;
    FRounded = l.Rounded;
    FLook = v;
    Invalidate();
}

void TAdvGridButton::ThemeAdapt()
{
    switch (GetXPColorScheme()) {
    case 1: SetLook(2); break;
    case 2: SetLook(3); break;
    case 3: SetLook(4); break;
    default: SetLook(1); break;
    }
}

void TAdvGridButton::SetDropDownMenu(TPopupMenu* v)
{
    if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = v;
    if (v) v->FreeNotification(this);
}

void TAdvGridButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
    if (FActionLink && AComponent == FActionLink->Action()) FActionLink.reset();
}

TBasicAction* TAdvGridButton::Action() const
{
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TAdvGridButton::SetAction(TBasicAction* v)
{
    if (FActionLink && FActionLink->Action()) FActionLink->Action()->RemoveFreeNotification(this);
    if (!v) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = std::make_unique<TAdvGridButtonActionLink>(this);
    FActionLink->SetAction(v);
    v->FreeNotification(this);
    if (auto* a = dynamic_cast<TCustomAction*>(v)) {
        SetCaption(a->Caption());
        SetGroupIndex(a->GroupIndex());
        SetDown(a->Checked());
    }
}

// ---- Down and groups

void TAdvGridButton::SetDown(bool v)
{
    if (FGroupIndex == 0 && FStyle == tasButton) v = false;
    if (FStyle == tasCheck) {
        FDown = v;
        Invalidate();
        return;
    }
    if (v == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = v;
    if (v) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
        Invalidate();
    }
}

void TAdvGridButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage m;
    m.Msg = CM_BUTTONPRESSED;
    m.WParam = uintptr_t(FGroupIndex);
    m.LParam = reinterpret_cast<intptr_t>(static_cast<TControl*>(this));
    Parent()->Broadcast(m);
}

void TAdvGridButton::ButtonPressed(int Group, TControl* Sender)
{
    auto* sender = dynamic_cast<TAdvGridButton*>(Sender);
    if (Group != FGroupIndex || !sender || sender == this) return;
    if (sender->Down() && FDown) {
        FDown = false;
        FState = bsUp;
        if (auto* a = dynamic_cast<TCustomAction*>(Action())) a->SetChecked(false);
        Invalidate();
    }
    FAllowAllUp = sender->AllowAllUp();
}

// ---- messages

void TAdvGridButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_BUTTONPRESSED:
        ButtonPressed(int(Message.WParam), reinterpret_cast<TControl*>(Message.LParam));
        return;
    case WM_THEMECHANGED:
    case CM_THEMECHANGED:
        if (FAutoThemeAdapt) ThemeAdapt();
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(unsigned(Message.WParam), Caption()) && Enabled() && Visible() && Parent()
            && Parent()->Showing()) {
            Click();
            Message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(Message);
}

void TAdvGridButton::EnabledChanged()
{
    TGraphicControl::EnabledChanged();
    UpdateTracking();
    Repaint();
}

void TAdvGridButton::FontChanged()
{
    TGraphicControl::FontChanged();
    Invalidate();
}

void TAdvGridButton::TextChanged()
{
    TGraphicControl::TextChanged();
    Invalidate();
}

void TAdvGridButton::Click()
{
    if (!OnClick && FActionLink && FActionLink->Action())
        FActionLink->Execute(this);
    else
        TGraphicControl::Click();
}

void TAdvGridButton::DblClick()
{
    if (FDown) TGraphicControl::DblClick();
}

// ---- mouse

bool TAdvGridButton::Inside(int X, int Y) const
{
    return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
}

void TAdvGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (FDropDownButton && X > ClientWidth() - DropDownWidth) {
        FState = bsUp;
        Invalidate();
        if (OnDropDown) OnDropDown(this);
        if (FDropDownMenu) {
            const TPoint p = ClientToScreen(TPoint(0, Height()));
            FDropDownMenu->SetPopupComponent(this);
            FDropDownMenu->Popup(p.X, p.Y);
        }
        return;
    }
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
}

void TAdvGridButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        TButtonState s = FDown ? bsExclusive : bsUp;
        if (Inside(X, Y)) s = FDown ? bsExclusive : bsDown;
        if (FStyle == tasCheck && FDown) s = bsDown;
        if (s != FState) {
            FState = s;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TAdvGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging) return;
    FDragging = false;
    const bool doClick = Inside(X, Y);
    if (FGroupIndex == 0) {
        FState = bsUp;
        if (FStyle == tasCheck && doClick) FDown = !FDown;
        if (doClick) Invalidate();
    } else if (doClick) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        if (FDown) FState = bsExclusive;
        Repaint();
    }
    if (doClick) Click();
    UpdateTracking();
}

void TAdvGridButton::MouseEnter()
{
    if (Enabled() && !GetCaptureControl()) {
        FMouseInControl = true;
        Invalidate();
    }
    TGraphicControl::MouseEnter();
}

void TAdvGridButton::MouseLeave()
{
    if (Enabled() && FMouseInControl && !FDragging) {
        FMouseInControl = false;
        Invalidate();
    }
    TGraphicControl::MouseLeave();
}

void TAdvGridButton::UpdateTracking()
{
    if (!FFlat || !Enabled() || !Parent()) return;
    const TPoint p = Parent()->ScreenToClient(MouseCursorPos());
    const bool over = Parent()->ControlAtPos(p) == this;
    if (over != FMouseInControl) Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

// ---- painting

// A plain fill framed in Frame (in the fill colour when that is clNone), or
// the gradient when an end colour is given.
void TAdvGridButton::DrawFace(TRect R, TColor From, TColor To, TColor Frame)
{
    TCanvas* c = Canvas();
    if (To != clNone) {
        DrawButtonGradient(c, From, To, R, Frame);
        return;
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(From);
    c->Pen()->SetColor(Frame == clNone ? From : Frame);
    c->Rectangle(R);
}

void TAdvGridButton::Paint()
{
    TCanvas* c = Canvas();
    c->SetFont(Font());
    const bool designing = HasState(csDesigning);
    TRect R = ClientRect();

    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = (FDown && FGroupIndex != 0) ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown) FState = bsDown;

    const bool hot = FMouseInControl && Enabled() && !designing;
    if (FFlat) {
        if (FBorderDownColor == clNone || FRounded) R.Inflate(-1, -1);
        if (!hot) {
            if (FStyle == tasCheck && FDown) {
                DrawFace(R, FColorChecked, FColorCheckedTo, FBorderDownColor);
            } else if (FColorTo != clNone) {
                DrawButtonGradient(c, Color(), FColorTo, R,
                                   FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor));
            } else {
                c->Brush()->SetStyle(bsSolid);
                c->Brush()->SetColor(Color());
                c->FillRect(R);
            }
            if (FBorderColor != clNone) {
                c->Brush()->SetStyle(bsClear);
                c->Pen()->SetColor(FBorderColor);
                if (FRounded) {
                    R.Inflate(1, 1);
                    c->RoundRect(R, 8, 8);
                } else {
                    c->Rectangle(R);
                }
                c->Brush()->SetStyle(bsSolid);
            }
        } else {
            TColor from = FColorHot, to = FColorHotTo, frame = FBorderHotColor;
            if (FState == bsDown) {
                from = FColorDown;
                to = FColorDownTo;
                frame = FBorderDownColor;
            } else if (FStyle == tasCheck && FDown) {
                from = FColorChecked;
                to = FColorCheckedTo;
                frame = FBorderDownColor;
            }
            DrawFace(R, from, to, FRounded ? clNone : frame);
            const TColor line = FState == bsDown ? FBorderDownColor : FBorderHotColor;
            if (FRounded) {
                R.Inflate(1, 1);
                c->Brush()->SetStyle(bsClear);
                c->Pen()->SetColor(line);
                c->RoundRect(R, 8, 8);
                c->Brush()->SetStyle(bsSolid);
            }
            if (FDropDownButton && line != clNone) {
                c->Pen()->SetColor(line);
                c->MoveTo(R.Right - DropDownWidth, R.Top);
                c->LineTo(R.Right - DropDownWidth, R.Bottom);
            }
        }
        R.Inflate(-1, -1);
    } else if (FAutoXPStyle && FIsComCtl6 && AdvObjThemed()) {
        const int state = (FState == bsDown || FState == bsExclusive) ? PBS_PRESSED
                          : FMouseInControl                           ? PBS_HOT
                                                                      : PBS_NORMAL;
        AdvObjDrawThemeButton(Parent(), c, BP_PUSHBUTTON, state, R);
    } else {
        unsigned flags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (FState == bsDown || FState == bsExclusive) flags |= DFCS_PUSHED;
        DrawFrameControl(c, R, DFC_BUTTON, flags);
    }

    TPoint offset(0, 0);
    bool lifted = false;
    if (FState == bsDown || FState == bsExclusive) {
        if (FState == bsExclusive && (!FFlat || !FMouseInControl)) {
            R.Inflate(1, 1);
            DrawFace(R, FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor);
        }
        if (!FFlat && !designing) offset = TPoint(1, 1);
    } else if (FFlat && Enabled() && FShaded && FMouseInControl && !designing) {
        offset = TPoint(-1, -1);
        lifted = true;
    }

    if (FDropDownButton) {
        const int m = R.Top + (R.Bottom - R.Top) / 2;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Font()->Color());
        c->Pen()->SetColor(Font()->Color());
        c->Polygon({TPoint(R.Right - 8, m - 1), TPoint(R.Right - 4, m - 1), TPoint(R.Right - 6, m + 1)});
        R.Right -= DropDownWidth;
    }

    // Content.
    const TButtonState state = (FDown && FGroupIndex != 0) ? bsDown : FState;
    const bool downish = state == bsDown || state == bsExclusive;
    TBitmap* glyph = nullptr;
    if (!Enabled())
        glyph = FGlyphDisabled.get();
    else if (FMouseInControl && !designing)
        glyph = downish ? FGlyphDown.get() : FGlyphHot.get();
    else
        glyph = downish ? FGlyphDown.get() : FGlyph.get();
    if (IsEmpty(glyph)) glyph = FGlyph.get();

    TRect measure(0, 0, R.Width(), 0);
    TSize textSize(0, 0);
    if (!Caption().isEmpty()) {
        c->DrawText(Caption(), measure, DT_CALCRECT);
        textSize = TSize(measure.Width(), measure.Height());
    }
    const TSize glyphSize = IsEmpty(glyph) ? TSize(0, 0) : TSize(glyph->Width(), glyph->Height());
    TButtonContentLayout layout =
        CalcButtonLayout(R, glyphSize, textSize, FLayout, FMargin, FSpacing, false, offset);
    if (Caption().isEmpty()) layout.GlyphPos = TPoint(0, 0);

    if (!IsEmpty(glyph)) {
        if (FShaded && Enabled() && FMouseInControl && state != bsDown && !IsEmpty(FGlyphShade.get())) {
            const TPoint s = Caption().isEmpty() ? layout.GlyphPos : TPoint(layout.GlyphPos.X + 2, layout.GlyphPos.Y + 2);
            DrawTransparent(c, s.X, s.Y, FGlyphShade.get());
        }
        DrawTransparent(c, layout.GlyphPos.X, layout.GlyphPos.Y, glyph);
    }

    if (FShowCaption && !Caption().isEmpty()) {
        TRect tr = layout.TextBounds;
        if (lifted) tr.Offset(1, 1);
        c->Brush()->SetStyle(bsClear);
        const unsigned flags = DT_CENTER | DT_VCENTER;
        if (!Enabled()) {
            TRect shifted = tr;
            shifted.Offset(1, 1);
            c->Font()->SetColor(clBtnHighlight);
            c->DrawText(Caption(), shifted, flags);
            c->Font()->SetColor(clBtnShadow);
            c->DrawText(Caption(), tr, flags);
        } else {
            c->Font()->SetColor(Font()->Color());
            c->DrawText(Caption(), tr, flags);
        }
        c->Brush()->SetStyle(bsSolid);
    }
}
