// The push button control.

#include "LbButton.h"

#include "Forms.h"
#include "ImgList.h"
#include "Menus.h"

#include <QImage>
#include <QPainter>

namespace {

// The fade's timer (control timer number).
constexpr unsigned FadeTimer = 1;
// Hot-track step of the full hot-track colour.
constexpr int FullHotTrack = 8;

struct TKindPreset {
    TModalResult Result;
    const char* Resource;
    const char16_t* Caption;
};

// Indexed by TLbButtonKind from bkOK on.
const TKindPreset KindPresets[] = {
    {mrOk, "LBOK", u"OK"},
    {mrCancel, "LBCANCEL", u"Abbrechen"},
    {mrNone, "LBHELP", u"Hilfe"},
    {mrYes, "LBYES", u"Ja"},
    {mrNo, "LBNO", u"Nein"},
    {mrNone, "LBCLOSE", u"Schlie\u00DFen"},
    {mrAbort, "LBABORT", u"Abbrechen"},
    {mrRetry, "LBRETRY", u"Wiederholen"},
    {mrIgnore, "LBIGNORE", u"Ignorieren"},
    {mrAll, "LBALL", u"Alle"},
};

struct TColorPreset {
    TLbColorStyle Preset;
    TColor Color, Light, Shadow, WhenDown, HotTrack;
    TLbButtonStyle Style;
    bool Flat;
    TColor FontColor;
};

const TColorPreset ColorPresets[] = {
    {lcsGold, 49344, 65535, 32896, clNone, 57311, bsModern, false, clBlack},
    {lcsChrome, 12632256, 16777215, 8421504, clNone, clNone, bsModern, false, clBlack},
    {lcsBlue, 16744448, 16776960, 16711680, clNone, clNone, bsModern, false, clBlack},
    {lcsRed, 255, 12632319, 192, clNone, clNone, bsModern, false, clBlack},
    {lcsUltraFlat1, clBtnFace, 11899524, 11899524, 11899524, 14603222, bsNormal, true, clBlack},
    {lcsUltraFlat2, clBtnFace, 0, 0, 2415292, 9238244, bsNormal, true, clBlack},
    {lcsUltraFlatXP, 13752539, 11899524, 11899525, 11899525, 13811126, bsNormal, true, clBlack},
    {lcsAqua, 15519380, 16574164, 0, clNone, clNone, bsModern, false, clBlack},
    {lcsDefault, clBtnFace, 16777215, 8421504, clNone, clNone, bsNormal, false, clBlack},
    {lcsQuicken, 6303744, 12632256, 12632256, 11363625, 13545116, bsQuicken, false, clWhite},
};

}  // namespace

// ---------------------------------------------------------------------------
// Action link

void TLbButtonActionLink::Change()
{
    TActionLink::Change();
    FClient->ActionChange();
}

// ---------------------------------------------------------------------------
// TLbButton

TLbButton::TLbButton(TComponent* AOwner)
    : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FHTFont(std::make_unique<TFont>())
{
    if (auto* form = dynamic_cast<TCustomForm*>(AOwner)) FHTFont->Assign(form->Font());
    // Our own clicks come from MouseUp; a quick second press is a press; the
    // face paints everything it covers and leaves the rest to the parent.
    SetControlStyle((ControlStyle() | csCaptureMouse | csOpaque) & ~unsigned(csClickEvents | csDoubleClicks));
    SetBounds(Left(), Top(), 100, 23);
    SetTabStop(true);
    SetColor(clBtnFace);
}

TLbButton::~TLbButton() = default;

void TLbButton::BeforeDestruction()
{
    StopFade();
    FActionLink.reset();
    TCustomControl::BeforeDestruction();
}

// ---- properties -----------------------------------------------------------

void TLbButton::SetGlyph(TBitmap* v)
{
    if (v && v != FGlyph.get()) {
        FGlyph->Assign(v);
    } else if (!v) {
        FGlyph = std::make_unique<TBitmap>();
    }
    FNumGlyphs = FGlyph->Height() > 0 ? FGlyph->Width() / FGlyph->Height() : 0;
    FKind = bkCustom;
    Invalidate();
}

void TLbButton::SetModalResult(TModalResult v)
{
    FModalResult = v;
    FKind = bkCustom;
}

void TLbButton::SetKind(TLbButtonKind v)
{
    if (v != bkCustom) {
        const TKindPreset& p = KindPresets[v - bkOK];
        RegisterLbButtonResources();
        TBitmap glyph;
        glyph.LoadFromResourceName(QString::fromLatin1(p.Resource));
        SetGlyph(&glyph);
        FNumGlyphs = 2;
        FModalResult = p.Result;
        SetCaption(QString::fromUtf16(p.Caption));
    }
    FKind = v;
}

void TLbButton::SetColorStyle(TLbColorStyle v)
{
    for (const TColorPreset& p : ColorPresets) {
        if (p.Preset != v) continue;
        Font()->SetColor(clBlack);
        FFlat = false;
        FStyle = bsNormal;
        SetColor(p.Color);
        FLightColor = p.Light;
        FShadowColor = p.Shadow;
        FColorWhenDown = p.WhenDown;
        FHotTrackColor = p.HotTrack;
        FStyle = p.Style;
        FFlat = p.Flat;
        Font()->SetColor(p.FontColor);
        Invalidate();
    }
}

void TLbButton::SetSlowDecease(bool v)
{
    FSlowDecease = v;
    if (!v) {
        StopFade();
        FHotTrackStep = 0;
        Invalidate();
    }
}

void TLbButton::SetEnabled(bool v)
{
    TCustomControl::SetEnabled(v);
    FEnabled = v;
    bDown = false;
    Invalidate();
}

TBasicAction* TLbButton::Action() const
{
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TLbButton::SetAction(TBasicAction* v)
{
    if (!v) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = std::make_unique<TLbButtonActionLink>(this);
    FActionLink->SetAction(v);
    v->FreeNotification(this);
    ActionChange();
}

void TLbButton::ActionChange()
{
    auto* action = dynamic_cast<TCustomAction*>(Action());
    if (!action || !FGlyph->Empty()) return;
    TCustomImageList* images = action->Images();
    const int index = action->ImageIndex();
    if (!images || index < 0 || index >= images->Count()) return;
    auto glyph = std::make_unique<TBitmap>(images->Width(), images->Height());
    glyph->Canvas()->Brush()->SetColor(clFuchsia);
    glyph->Canvas()->FillRect(TRect(0, 0, images->Width(), images->Height()));
    images->Draw(glyph->Canvas(), 0, 0, index);
    FGlyph = std::move(glyph);
    FNumGlyphs = 1;
    Invalidate();
}

void TLbButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && FActionLink && AComponent == FActionLink->Action())
        FActionLink.reset();
}

bool TLbButton::Fading() const
{
    return TimerRunning(FadeTimer);
}

// ---- clicking and input ---------------------------------------------------

void TLbButton::Click()
{
    bDown = true;
    PerformClick();
    // A click that could not run (hidden or disabled button) leaves no
    // pressed look behind for when the button shows again.
    bDown = false;
}

void TLbButton::PerformClick()
{
    if (!Visible() || !Enabled() || !bDown) return;
    bDown = false;
    if (OnClick) OnClick(this);
    if (FModalResult != mrNone)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    if (TPopupMenu* menu = PopupMenu()) {
        TPoint p = ClientToScreen(TPoint(0, Height()));
        menu->SetPopupComponent(this);
        menu->Popup(p.X, p.Y);
    }
}

bool TLbButton::IsHot() const
{
    return bCursorOnButton || Focused();
}

bool TLbButton::ParentShowing() const
{
    return Parent() && Parent()->Showing();
}

void TLbButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && Enabled()) {
        bDown = true;
        if (CanFocus()) SetFocus();
        Invalidate();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TLbButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (bDown) Click();
    bDown = false;
    Invalidate();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TLbButton::MouseEnter()
{
    if (!Enabled() || !Visible() || !ParentShowing()) return;
    // A fade still running would take the colour away under the pointer.
    StopFade();
    bCursorOnButton = true;
    FHotTrackStep = FullHotTrack;
    Invalidate();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TLbButton::MouseLeave()
{
    bCursorOnButton = false;
    if (FSlowDecease) {
        if (!Fading()) SetTimer(FadeTimer, FadeInterval);
    } else {
        FHotTrackStep = 0;
        Invalidate();
    }
    if (Enabled() && Visible() && ParentShowing() && OnMouseExit) OnMouseExit(this);
}

void TLbButton::KeyDown(Word& Key, TShiftState Shift)
{
    if ((Key == VK_RETURN || Key == VK_SPACE) && Enabled()) {
        bDown = true;
        Invalidate();
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TLbButton::KeyUp(Word& Key, TShiftState Shift)
{
    // Only a key that went down on this button clicks it: the release of a
    // key pressed elsewhere (Enter that closed a dialog, arriving after the
    // dialog is gone) finds the button not pressed.
    if ((Key == VK_RETURN || Key == VK_SPACE) && bDown) {
        PerformClick();
        bDown = false;
        Invalidate();
    }
    TCustomControl::KeyUp(Key, Shift);
}

bool TLbButton::DialogChar(unsigned Char)
{
    if (!IsAccel(Char, Caption()) || !Visible() || !Enabled() || !ParentShowing()) return false;
    bDown = true;
    Click();
    return true;
}

bool TLbButton::DialogKey(Word Key, TShiftState Shift)
{
    const bool enter = Key == VK_RETURN && FDefault;
    const bool escape = Key == VK_ESCAPE && FCancel && !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl)
                        && !Shift.Contains(ssAlt);
    if (!(enter || escape) || !Visible() || !Enabled()) return false;
    if (enter) {
        // A focused push button takes Enter itself.
        TComponent* owner = Owner();
        while (owner && !dynamic_cast<TCustomForm*>(owner)) owner = owner->Owner();
        if (auto* form = dynamic_cast<TCustomForm*>(owner); form && form->ActiveControl()) {
            const QString name = form->ActiveControl()->ClassName().toUpper();
            if (name.contains(QLatin1String("BUTTON")) && !name.contains(QLatin1String("RADIOBUTTON")))
                return false;
        }
    }
    bDown = true;
    Click();
    return true;
}

void TLbButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DIALOGKEY:
        if (DialogKey(Word(Message.WParam), TShiftState::FromBits(uint64_t(Message.LParam)))) {
            Message.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (DialogChar(unsigned(Message.WParam))) {
            Message.Result = 1;
            return;
        }
        break;
    case WM_KILLFOCUS:
        // A key held down here is released elsewhere: the press is over.
        if (!MouseCapture()) bDown = false;
        Invalidate();
        break;
    case WM_SETFOCUS:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TLbButton::TextChanged()
{
    TCustomControl::TextChanged();
    Invalidate();
}

// ---- the fade ---------------------------------------------------------------

void TLbButton::TimerTick(unsigned id)
{
    if (id == FadeTimer)
        HotTrackTick();
    else
        TCustomControl::TimerTick(id);
}

void TLbButton::HotTrackTick()
{
    if (HasState(csDestroying)) return;
    --FHotTrackStep;
    if (FHotTrackStep <= 0) {
        StopFade();
        FHotTrackStep = 0;
    }
    Invalidate();
}

void TLbButton::StopFade()
{
    KillTimer(FadeTimer);
}

// ---- painting ---------------------------------------------------------------

TLbButtonFace TLbButton::FaceOf(TFont* font) const
{
    TLbButtonFace f;
    f.Color = Color();
    f.LightColor = FLightColor;
    f.ShadowColor = FShadowColor;
    f.ColorWhenDown = FColorWhenDown;
    f.HotTrackColor = FHotTrackColor;
    f.HotTrackStep = FHotTrackStep;
    f.Style = FStyle;
    f.Layout = FLayout;
    f.Alignment = FAlignment;
    f.Glyph = FGlyph.get();
    f.NumGlyphs = FNumGlyphs;
    f.Caption = Caption();
    f.Font = font;
    f.Hot = IsHot();
    f.Enabled = Enabled();
    f.Down = bDown;
    f.PopupArrow = PopupMenu() != nullptr;
    f.WordWrap = FWordWrap;
    f.Flat = FFlat;
    return f;
}

void TLbButton::Paint()
{
    if (HasState(csLoading) || HasState(csDestroying) || !Visible()) return;
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0) return;

    TFont font;
    font.Assign(FUseHTFont && IsHot() ? FHTFont.get() : Font());
    TLbButtonFace face = FaceOf(&font);

    // Everything starts see-through: what the face leaves shows the parent.
    QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        TCanvas canvas;
        canvas.BindImage(&image);
        if (FStyle == bsOld && Focused()) {
            if (bDown) face.LightColor = FShadowColor;
            QImage inner(std::max(0, W - 2), std::max(0, H - 2), QImage::Format_ARGB32_Premultiplied);
            inner.fill(Qt::transparent);
            {
                TCanvas innerCanvas;
                innerCanvas.BindImage(&inner);
                DrawLbButtonFace(&innerCanvas, inner.width(), inner.height(), face);
                innerCanvas.Unbind();
            }
            canvas.Brush()->SetColor(clBlack);
            canvas.FrameRect(TRect(0, 0, W, H));
            canvas.Backend()->DrawImage(canvas, TRect(1, 1, W - 1, H - 1), inner,
                                        TRect(0, 0, inner.width(), inner.height()));
        } else {
            DrawLbButtonFace(&canvas, W, H, face);
        }
        canvas.Unbind();
    }
    Canvas()->Backend()->DrawImage(*Canvas(), TRect(0, 0, W, H), image, TRect(0, 0, W, H));
    if (Focused() && Enabled() && FStyle != bsShape) Canvas()->DrawFocusRect(TRect(4, 4, W - 4, H - 4));
}
