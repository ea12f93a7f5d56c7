#include "AsgComboLabel.h"

#include "Graphics.h"
#include "StdCtrls.h"

TPoint LabelPlacement(TLabelPosition Position, const TRect& Control, int LabelWidth, int LabelHeight, int Margin)
{
    const int top = Control.Top, left = Control.Left;
    const int h = Control.Height(), w = Control.Width();
    // C++ integer division truncates toward zero, as the placement wants.
    const int centredTop = top + (h - LabelHeight) / 2;
    const int centredLeft = left + (w - LabelWidth) / 2;
    const int bottomTop = top + h - LabelHeight;
    const int above = top - LabelHeight - Margin;
    const int below = top + h + Margin;
    const int leftOf = left - LabelWidth - Margin;
    const int rightOf = left + w + Margin;
    switch (Position) {
    case lpLeftTop: return TPoint(leftOf, top);
    case lpLeftCenter: return TPoint(leftOf, centredTop);
    case lpLeftBottom: return TPoint(leftOf, bottomTop);
    case lpTopLeft: return TPoint(left, above);
    case lpBottomLeft: return TPoint(left, below);
    case lpLeftTopLeft: return TPoint(left - Margin, top);
    case lpLeftCenterLeft: return TPoint(left - Margin, centredTop);
    case lpLeftBottomLeft: return TPoint(left - Margin, bottomTop);
    case lpTopCenter: return TPoint(centredLeft, above);
    case lpBottomCenter: return TPoint(centredLeft, below);
    case lpRightTop: return TPoint(rightOf, top);
    case lpRightCenter: return TPoint(rightOf, centredTop);
    case lpRighBottom: return TPoint(rightOf, bottomTop);
    case lpTopRight: return TPoint(left + w - LabelWidth, above);
    case lpBottomRight: return TPoint(left + w - LabelWidth, below);
    }
    return TPoint(left, top);
}

TLabel* CreateAttachedLabel(TWinControl* Control, TFont* LabelFont)
{
    auto* label = new TLabel(Control);
    label->SetParent(Control->Parent());
    label->SetFocusControl(Control);
    label->Font()->Assign(LabelFont);
    label->SetParentFont(Control->ParentFont());
    return label;
}

void UpdateAttachedLabel(TWinControl* Control, TLabel* Label, TFont* LabelFont, const TAttachedLabelLayout& Layout)
{
    if (!Label) return;
    Label->SetTransparent(Layout.Transparent);
    if (!Control->ParentFont()) Label->Font()->Assign(LabelFont);
    // The label sits beside the control, so it lives where the control lives.
    if (Label->Parent() != Control->Parent()) Label->SetParent(Control->Parent());

    TCanvas* canvas = Label->Canvas();
    canvas->SetFont(Label->Font());
    int w;
    if (Layout.Measure == lmTextExtent) {
        TRect r(0, 0, 1000, 255);
        canvas->DrawText(Label->Caption(), r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE | DT_HIDEPREFIX);
        w = r.Width();
    } else {
        w = canvas->TextWidth(Label->Caption());
    }
    TPoint p = LabelPlacement(Layout.Position, Control->BoundsRect(), w, Label->Height(), Layout.Margin);
    Label->SetTop(p.Y);
    Label->SetLeft(p.X);
    Label->SetVisible(Control->Visible());
}

void SetLabelBold(TLabel* Label, bool Bold)
{
    if (!Label) return;
    TFontStyles s = Label->Font()->Style();
    if (Bold)
        s += fsBold;
    else
        s -= fsBold;
    Label->Font()->SetStyle(s);
}
