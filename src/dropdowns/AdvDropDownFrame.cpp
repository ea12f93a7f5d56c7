// The drop-down edit's frame: its minimum height, where the drop button sits,
// the text's formatting rectangle, the border colours painted over the edit,
// the highlighted focus box of an edit whose typing is off, and the attached
// label.
#include "AdvDropDown.h"
#include "AdvDropDownForm.h"
#include "Forms.h"
#include "GraphUtils.h"
#include "StdCtrls.h"

#include <QLineEdit>
#include <QPainter>
#include <algorithm>

namespace {

// The Qt edit's frame: the platform's client area starts inside it.
int DropDownFrameWidth(const QLineEdit* e)
{
    return e && e->hasFrame() ? 2 : 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Layout

int TAdvCustomDropDown::GetMinHeight() const
{
    TCanvas edit;
    edit.Font()->Assign(Font());
    const int h = edit.TextHeight(QStringLiteral("Wg"));
    TCanvas system;
    const int s = system.TextHeight(QStringLiteral("Wg"));
    return h + std::min(h, s) / 4;
}

void TAdvCustomDropDown::UpdateControlBounds()
{
    const int minHeight = GetMinHeight();
    if (Height() < minHeight) {
        // The resize comes back here with the height raised.
        SetHeight(minHeight);
        return;
    }
    if (!FButton) return;
    const int bw = FButton->OwnWidth();
    const int frame = DropDownFrameWidth(Edit());
    TRect r;
    if (frame > 0) {
        const int d = FFlat ? 3 : 4;
        r = Bounds(Width() - bw - d, FFlat ? 2 : 0, bw, Height() - d);
    } else {
        r = Bounds(Width() - bw, 1, bw, Height() - 2);
    }
    // Client coordinates of the edit to the widget's, inside its frame.
    r.Offset(frame, frame);
    r.Bottom = std::min(r.Bottom, Height() - frame);
    r.Right = std::min(r.Right, Width() - frame);
    FButton->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    SetEditRect();
    Invalidate();
}

void TAdvCustomDropDown::SetEditRect()
{
    const int frame = DropDownFrameWidth(Edit());
    const int clientWidth = Width() - 2 * frame, clientHeight = Height() - 2 * frame;
    const int bw = FButton ? FButton->OwnWidth() : FButtonWidth;
    TRect r;
    if (frame > 0) {
        r.Left = 1;
        r.Top = 1;
    } else {
        r.Left = 2;
        r.Top = 3;
    }
    r.Right = clientWidth - bw - 3;
    r.Bottom = clientHeight + 1;
    FEditRect = r;
    SetEditRectangle(TRect(r.Left, 0, r.Right, clientHeight));
}

// ---------------------------------------------------------------------------
// Painting

void TAdvCustomDropDown::PaintOver(QPainter& painter)
{
    if (!FPaintCanvas) FPaintCanvas = std::make_unique<TCanvas>();
    PaintOnCanvas(FPaintCanvas.get(), painter, this, [this]() {
        PaintEditArea(FPaintCanvas.get());
        if (!Enabled() || FFlat || FBorderColor != clNone || FFocusBorderColor != clNone) {
            DrawBorder(FPaintCanvas.get());
            UpdateButtonFocus();
        }
    });
}

void TAdvCustomDropDown::PaintEditArea(TCanvas* Canvas)
{
    if (FEditorEnabled || !Focused() || HasState(csDesigning) || !FFocusDraw || !Canvas) return;
    const TRect box(2, 2, Width() - FButtonWidth - 1, Height() - 2);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clHighlight);
    Canvas->Rectangle(box);
    Canvas->Font()->Assign(Font());
    Canvas->Font()->SetColor(clHighlightText);
    Canvas->Brush()->SetStyle(bsClear);
    TRect text(box.Left + 2, box.Top, box.Right - 3, box.Bottom);
    Canvas->DrawText(Text(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    Canvas->Brush()->SetStyle(bsSolid);
}

void TAdvCustomDropDown::DrawBorder(TCanvas* Canvas)
{
    if (HasState(csDesigning) || !Canvas) return;
    TRect r = ClientRect();
    auto frame = [&](TColor color, TRect at) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(color);
        Canvas->FrameRect(at);
    };
    if (!Enabled() && FIsThemed && FDisabledBorder) {
        frame(clSilver, r);
        return;
    }
    const bool focused = Focused();
    if (FBorderColor != clNone) {
        if (!(focused && FFocusBorderColor != clNone)) {
            frame(FBorderColor, r);
            return;
        }
    }
    if (FFocusBorderColor != clNone) {
        if (focused) frame(FFocusBorderColor, r);
        return;
    }
    if (IsHot()) {
        DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        frame(clBtnFace, r);
    } else {
        const TColor parent = Parent() ? Parent()->Color() : clBtnFace;
        frame(parent, r);
        frame(parent, TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
    }
}

bool TAdvCustomDropDown::IsHot() const
{
    if (HasState(csDesigning)) return false;
    return FMouseInControl || (Screen && Screen->ActiveControl() == this);
}

bool TAdvCustomDropDown::IsActive() const
{
    if (HasState(csDesigning)) return Enabled();
    return IsHot();
}

void TAdvCustomDropDown::UpdateButtonFocus()
{
    if (FButton && FButton->InnerButton()) FButton->InnerButton()->SetFocused(IsActive());
}

// ---------------------------------------------------------------------------
// Label

QString TAdvCustomDropDown::LabelCaption() const
{
    return FLabel ? FLabel->Caption() : QString();
}

void TAdvCustomDropDown::SetLabelCaption(const QString& v)
{
    if (!FLabel) CreateLabel();
    FLabel->SetCaption(v);
    UpdateLabel();
}

void TAdvCustomDropDown::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    UpdateLabel();
}

void TAdvCustomDropDown::SetLabelMargin(int v)
{
    FLabelMargin = v;
    UpdateLabel();
}

void TAdvCustomDropDown::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    UpdateLabel();
}

void TAdvCustomDropDown::SetLabelFont(TFont* v)
{
    if (!v || ParentFont()) return;
    FLabelFont->Assign(v);
    UpdateLabel();
}

void TAdvCustomDropDown::CreateLabel()
{
    FLabel = CreateAttachedLabel(this, FLabelFont.get());
    FLabel->OnClick = [this](TObject*) { DoLabelClick(); };
    FLabel->OnDblClick = [this](TObject*) { DoLabelDblClick(); };
}

void TAdvCustomDropDown::UpdateLabel()
{
    if (!FLabel || !Parent()) return;
    TFont* font = FParentFnt ? Font() : FLabelFont.get();
    FLabel->Font()->Assign(font);
    TAttachedLabelLayout layout;
    layout.Position = FLabelPosition;
    layout.Margin = FLabelMargin;
    layout.Transparent = FLabelTransparent;
    layout.Measure = lmTextExtent;
    UpdateAttachedLabel(this, FLabel, font, layout);
}

void TAdvCustomDropDown::DoLabelClick()
{
    if (OnLabelClick) OnLabelClick(this);
}

void TAdvCustomDropDown::DoLabelDblClick()
{
    if (OnLabelDblClick) OnLabelDblClick(this);
}

void TAdvCustomDropDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent()) UpdateLabel();
}

void TAdvCustomDropDown::SetParent(TWinControl* AParent)
{
    TCustomMaskEdit::SetParent(AParent);
    if (FLabel) UpdateLabel();
}
