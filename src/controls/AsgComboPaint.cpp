#include "AsgComboPaint.h"

#include "AdvXPVS.h"
#include "GraphUtils.h"
#include "Graphics.h"

#include <QRegion>
#include <optional>

bool ButtonHoverAt(int X, int Width, int ButtonWidth)
{
    return Width - ButtonWidth < X && X < Width;
}

TDropButtonMode DropButtonMode(TColor ButtonColor, bool DoVisualStyles)
{
    if (ButtonColor != clNone) return dbmOwnColors;
    return DoVisualStyles ? dbmThemed : dbmClassic;
}

int DropButtonThemeState(bool Enabled, bool MouseButtonDown, bool DroppedDown, bool Hover)
{
    if (!Enabled) return CBXS_DISABLED;
    if (MouseButtonDown && DroppedDown) return CBXS_PRESSED;
    if (!MouseButtonDown && Hover && !DroppedDown) return CBXS_HOT;
    return CBXS_NORMAL;
}

namespace {

void SolidBrushAndPen(TCanvas* c, TColor color)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->Pen()->SetColor(color);
}

}  // namespace

void DrawDropButton(TCanvas* Canvas, TWinControl* Control, TRect R, const TDropButtonColors& Colors,
                    const TDropButtonState& State)
{
    switch (DropButtonMode(Colors.Color, State.DoVisualStyles)) {
    case dbmOwnColors: {
        // A state colour left unset keeps the plain one.
        auto orElse = [](TColor c, TColor fallback) { return c != clNone ? c : fallback; };
        TColor fill = Colors.Color;
        if (State.Hover) fill = orElse(Colors.ColorHot, fill);
        if (State.MouseButtonDown && State.Hover) fill = orElse(Colors.ColorDown, fill);
        SolidBrushAndPen(Canvas, fill);
        int dx;
        if (State.PickerStyle) {
            TRect f = R;
            f.Left += 2;
            Canvas->FillRect(f);
            dx = 5;
        } else {
            R = TRect(R.Left - 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
            Canvas->Rectangle(R);
            dx = 4;
        }
        Canvas->Pen()->SetColor(Colors.BorderColor);
        Canvas->MoveTo(R.Left, R.Top);
        Canvas->LineTo(R.Left, R.Bottom);
        const TColor text = orElse(Colors.TextColor, clBlack);
        SolidBrushAndPen(Canvas, State.MouseButtonDown ? orElse(Colors.TextColorDown, text) : text);
        Canvas->Polygon({TPoint(R.Left + dx, R.Top + 7), TPoint(R.Left + dx + 6, R.Top + 7),
                         TPoint(R.Left + dx + 3, R.Top + 10)});
        break;
    }
    case dbmThemed: {
        TThemeEntries& t = AdvXPVS::Theme;
        if (!t.OpenThemeData || !t.DrawThemeBackground) break;
        HTHEME h = t.OpenThemeData(Control, QStringLiteral("combobox"));
        t.DrawThemeBackground(h, Canvas, CP_DROPDOWNBUTTON,
                              DropButtonThemeState(State.Enabled, State.MouseButtonDown, State.DroppedDown,
                                                   State.Hover),
                              R, nullptr);
        if (t.CloseThemeData) t.CloseThemeData(h);
        break;
    }
    case dbmClassic:
        if (!State.PickerStyle) {
            R.Left -= 4;
            R.Top += 1;
            R.Bottom -= 1;
        }
        DrawFrameControl(Canvas, R, DFC_SCROLL,
                         State.Enabled ? DFCS_SCROLLCOMBOBOX | DFCS_FLAT : DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
        break;
    }
}

TControlBorderRule ControlBorderRule(bool Enabled, bool IsThemed, bool DisabledBorder, TColor BorderColor,
                                     TColor FocusBorderColor, bool HasFocus)
{
    if (!Enabled && IsThemed && !DisabledBorder) return cbrDisabledThemed;
    if (BorderColor != clNone && !(HasFocus && FocusBorderColor != clNone)) return cbrBorderColor;
    if (FocusBorderColor != clNone) return cbrFocusBorder;
    return cbrDefault;
}

void DrawControlBorder(TCanvas* Canvas, TRect R, const TControlBorderState& State)
{
    const int height = R.Bottom;
    Canvas->Brush()->SetStyle(bsSolid);
    auto frame = [&](TColor color, const TRect& r) {
        Canvas->Brush()->SetColor(color);
        Canvas->FrameRect(r);
    };
    switch (State.Rule) {
    case cbrDisabledThemed: frame(DisabledThemedBorderColor, R); return;
    case cbrBorderColor: frame(State.BorderColor, R); return;
    case cbrFocusBorder:
        if (State.HasFocus) frame(State.FocusBorderColor, R);
        return;
    case cbrDefault: break;
    }
    const TColor outer = State.ShowFocusBorder ? clBtnFace : State.ParentColor;
    const TColor inner = State.Color;
    if (State.ShowFocusBorder) {
        DrawEdge(Canvas, R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        frame(outer, R);
        R.Inflate(-1, -1);
        frame(inner, R);
    } else {
        frame(outer, R);
        R.Inflate(-1, -1);
        R.Right -= State.ButtonWidth;
        frame(outer, R);
        R.Inflate(-1, -1);
        frame(inner, R);
        R.Right += State.ButtonWidth;
    }
    if (State.Flat && State.FlatLineColor != clNone) {
        Canvas->Pen()->SetColor(State.FlatLineColor);
        Canvas->Pen()->SetWidth(1);
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->MoveTo(R.Left - 2, height - 1);
        Canvas->LineTo(R.Right - State.ButtonWidth - 1, height - 1);
    }
}

void DrawButtonBorder(TCanvas* Canvas, TRect R, const TButtonBorderState& State)
{
    const std::optional<QRegion> oldClip = Canvas->ClipRegion();
    const int cw = State.ClientWidth, ch = State.ClientHeight, bw = State.ButtonWidth;
    // The arrow stays as the button painted it.
    Canvas->ExcludeClipRect(TRect(cw - bw + 4, 4, cw - 4, ch - 4));
    R.Left += cw - bw - 2;
    R.Inflate(-2, -2);
    if (!State.IsActive) {
        R.Top += 1;
        R.Bottom -= 1;
        R.Right -= 1;
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FillRect(R);
    } else if (State.RaisedEdgeWhenActive) {
        DrawEdge(Canvas, R, EDGE_RAISED, BF_RECT | (State.DroppedDown ? BF_FLAT : 0));
    }
    if (oldClip)
        Canvas->SelectClipRegion(*oldClip);
    else
        Canvas->ClearClip();
}
