#include "AdvObjCheckBox.h"

#include "AdvObjTheme.h"
#include "AdvStyleIF.h"
#include "GraphUtils.h"

#include <QImage>
#include <QRegion>

namespace {

// Width of the strip that holds the box.
constexpr int BoxStripWidth = 20;
// The area a hot or pressed box changes.
const TRect BoxArea(0, 0, 16, 16);

}  // namespace

TAdvCheckBox::TAdvCheckBox(TComponent* AOwner)
    : TCustomControl(AOwner), FIsWinXP(IsWinXPOrLater()), FBkgBmp(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 98, 20);
    SetCaption(QStringLiteral("TAdvCheckBox"));
    SetTabStop(true);
    SetParentColor(true);
    // The control raises its click itself; it paints its own background.
    SetControlStyle((ControlStyle() | csOpaque) & ~unsigned(csClickEvents));
}

TAdvCheckBox::~TAdvCheckBox() = default;

TRect TAdvCheckBox::BoxStrip() const
{
    TRect r = ClientRect();
    if (FAlignment == taRightJustify)
        r.Left = r.Right - BoxStripWidth;
    else
        r.Right = r.Left + BoxStripWidth;
    return r;
}

void TAdvCheckBox::SetState(TCheckBoxState v)
{
    if (v == FState) return;
    FState = v;
    InvalidateRect(BoxStrip());
}

void TAdvCheckBox::SetChecked(bool v)
{
    SetState(v ? cbChecked : cbUnchecked);
    Invalidate();
}

void TAdvCheckBox::Toggle()
{
    if (!FReadOnly) SetChecked(!Checked());
}

void TAdvCheckBox::SetButtonVertAlign(TVerticalLayout v)
{
    if (v == FButtonVertAlign) return;
    FButtonVertAlign = v;
    Invalidate();
}

void TAdvCheckBox::SetAlignment(TAlignment v)
{
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TAdvCheckBox::SetEllipsis(bool v)
{
    if (v == FEllipsis) return;
    FEllipsis = v;
    Invalidate();
}

void TAdvCheckBox::SetTransparent(bool v)
{
    if (v != FTransparent) {
        FTransparent = v;
        FBkgCache = false;
    }
    Invalidate();
}

void TAdvCheckBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FTransparent) {
        FBkgCache = false;
        Invalidate();
    }
}

void TAdvCheckBox::Click()
{
    if (FClicksDisabled) return;
    TCustomControl::Click();
}

// ---- messages, focus, enabled

void TAdvCheckBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        FFocused = true;
        Invalidate();
        break;
    case WM_KILLFOCUS:
        FFocused = false;
        // A Space held here is released elsewhere.
        if (FSpaceDown) {
            FSpaceDown = false;
            FDown = false;
        }
        Invalidate();
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(unsigned(Message.WParam), Caption()) && CanFocus()) {
            Toggle();
            if (TabStop()) SetFocus();
            Message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TAdvCheckBox::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    Invalidate();
}

void TAdvCheckBox::TextChanged()
{
    TCustomControl::TextChanged();
    Invalidate();
}

// ---- mouse

bool TAdvCheckBox::Inside(int X, int Y) const
{
    return X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
}

void TAdvCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button != mbLeft) {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    FMouseDown = true;
    if (!Focused() && CanFocus()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
    SetMouseCapture(true);
    FDown = true;
    if (FIsWinXP) InvalidateRect(BoxArea);
}

void TAdvCheckBox::MouseMove(TShiftState Shift, int X, int Y)
{
    if (MouseCapture()) FDown = Inside(X, Y);
    TCustomControl::MouseMove(Shift, X, Y);
}

void TAdvCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button != mbLeft) {
        TCustomControl::MouseUp(Button, Shift, X, Y);
        return;
    }
    SetMouseCapture(false);
    FDown = false;
    if (Inside(X, Y) && Focused() && FMouseDown) {
        FClicksDisabled = true;
        Toggle();
        FClicksDisabled = false;
        Click();
    }
    FMouseDown = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FIsWinXP) InvalidateRect(BoxArea);
}

void TAdvCheckBox::MouseEnter()
{
    FHot = true;
    InvalidateRect(BoxArea);
}

void TAdvCheckBox::MouseLeave()
{
    FHot = false;
    InvalidateRect(BoxArea);
}

// ---- keys

void TAdvCheckBox::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostKey(VK_TAB);
    }
    if (Key == VK_SPACE) {
        FDown = true;
        FSpaceDown = true;
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TAdvCheckBox::KeyUp(Word& Key, TShiftState Shift)
{
    // Only a Space that went down here toggles: the release of one pressed
    // elsewhere (it closed a dialog, then the focus came here) does not.
    if (Key == VK_SPACE && FSpaceDown) {
        FSpaceDown = false;
        FDown = false;
        FClicksDisabled = true;
        Toggle();
        FClicksDisabled = false;
        Click();
    }
    TCustomControl::KeyUp(Key, Shift);
}

// ---- painting

void TAdvCheckBox::CopyParentBackground(TCanvas* Target)
{
    TWinControl* p = Parent();
    if (!p || Width() <= 0 || Height() <= 0) return;
    QImage img(Width(), Height(), QImage::Format_ARGB32_Premultiplied);
    img.fill(ToQColor(ColorToRGB(p->Color())));
    if (QWidget* w = p->ClientWidget())
        w->render(&img, QPoint(0, 0), QRegion(Left(), Top(), Width(), Height()), QWidget::DrawWindowBackground);
    TBitmap bmp;
    bmp.SetImage(img);
    Target->Draw(0, 0, &bmp);
}

void TAdvCheckBox::Paint()
{
    TCanvas* c = Canvas();
    c->SetFont(Font());
    const TRect client = ClientRect();
    const int W = client.Width();
    const int H = client.Height();

    if (FTransparent) {
        if (!FTransparentCaching) {
            CopyParentBackground(c);
        } else {
            if (!FBkgCache) {
                FBkgBmp->SetSize(W, H);
                CopyParentBackground(FBkgBmp->Canvas());
                FBkgCache = true;
            }
            c->Draw(0, 0, FBkgBmp.get());
        }
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        c->FillRect(client);
    }

    const bool right = FAlignment == taRightJustify;
    if (FIsWinXP && AdvObjThemed()) {
        const int x = right ? W - 15 : 0;
        const int y = FButtonVertAlign == tlTop ? 4 : FButtonVertAlign == tlCenter ? H / 2 - 6 : H - 14;
        int base = FState == cbChecked ? 5 : FState == cbGrayed ? 9 : 1;
        int sub = !Enabled() ? 3 : FDown ? 2 : FHot ? 1 : 0;
        AdvObjDrawThemeButton(this, c, BP_CHECKBOX, base + sub, TRect(x, y, x + 14, y + 14));
    } else {
        const int x = right ? W - 13 : 0;
        const int y = FButtonVertAlign == tlTop ? 4 : FButtonVertAlign == tlCenter ? H / 2 - 6 : H - 17;
        unsigned flags = DFCS_BUTTONCHECK;
        if (FState == cbGrayed || !Enabled()) flags |= DFCS_INACTIVE;
        if (FState == cbChecked) flags |= DFCS_CHECKED;
        TRect box(x, y, x + 13, y + 13);
        DrawFrameControl(c, box, DFC_BUTTON, flags);
    }

    TRect r = client;
    if (right) {
        r.Left = 6;
        r.Right -= 9;
    } else {
        r.Left = 15;
    }
    r.Top = 4;
    unsigned flags = DT_LEFT | DT_TOP | DT_SINGLELINE;
    if (FEllipsis) flags |= DT_END_ELLIPSIS;
    c->Brush()->SetStyle(bsClear);
    if (Enabled()) {
        c->Font()->SetColor(Font()->Color());
        c->DrawText(Caption(), r, flags);
    } else {
        TRect shifted = r;
        shifted.Offset(1, 1);
        c->Font()->SetColor(clWhite);
        c->DrawText(Caption(), shifted, flags);
        c->Font()->SetColor(TColor(0x808080));
        c->DrawText(Caption(), r, flags);
    }
    c->Brush()->SetStyle(bsSolid);

    if (FFocused) {
        const QString plain = StripHotkey(Caption());
        const int tw = c->TextWidth(plain);
        const int th = c->TextHeight(plain);
        c->Font()->SetColor(Font()->Color());
        c->DrawFocusRect(TRect(r.Left - 2, r.Top, r.Left + tw + 1, r.Top + th + 1));
    }
}
