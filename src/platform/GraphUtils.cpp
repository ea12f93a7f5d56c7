#include "GraphUtils.h"

#include <algorithm>

namespace {

// Restores the canvas's brush and pen after drawing with other colours.
class ToolsKeeper {
public:
    explicit ToolsKeeper(TCanvas* c) : FC(c), FBkMode(c->BkMode()), FPenPos(c->PenPos())
    {
        FBrush.Assign(c->Brush());
        FPen.Assign(c->Pen());
    }
    ~ToolsKeeper()
    {
        FC->Brush()->Assign(&FBrush);
        FC->Pen()->Assign(&FPen);
        FC->SetBkMode(FBkMode);
        FC->SetPenPos(FPenPos);
    }
    ToolsKeeper(const ToolsKeeper&) = delete;
    ToolsKeeper& operator=(const ToolsKeeper&) = delete;

private:
    TCanvas* FC;
    int FBkMode;
    TPoint FPenPos;
    TBrush FBrush;
    TPen FPen;
};

void Fill(TCanvas* c, const TRect& r, TColor color)
{
    if (r.IsEmpty()) return;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FillRect(r);
}

// One level of a frame: 'tl' on the left and top, 'br' on the right and
// bottom (the bottom-right colour owns the top-right and bottom-left
// corners); the sides drawn are those in 'sides'. r shrinks by the sides.
void EdgeLevel(TCanvas* c, TRect& r, TColor tl, TColor br, unsigned sides)
{
    if (r.IsEmpty()) return;
    const int rb = (sides & BF_BOTTOM) ? 1 : 0;
    const int rr = (sides & BF_RIGHT) ? 1 : 0;
    if (sides & BF_LEFT) Fill(c, TRect(r.Left, r.Top, r.Left + 1, r.Bottom - rb), tl);
    if (sides & BF_TOP) Fill(c, TRect(r.Left, r.Top, r.Right - rr, r.Top + 1), tl);
    if (sides & BF_RIGHT) Fill(c, TRect(r.Right - 1, r.Top, r.Right, r.Bottom), br);
    if (sides & BF_BOTTOM) Fill(c, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), br);
    if (sides & BF_LEFT) ++r.Left;
    if (sides & BF_TOP) ++r.Top;
    if (sides & BF_RIGHT) --r.Right;
    if (sides & BF_BOTTOM) --r.Bottom;
}

enum class Arrow { Up, Down, Left, Right };

// A filled arrow head centred in r: base 'size' pixels (odd), depth size/2+1.
void DrawArrow(TCanvas* c, const TRect& r, Arrow dir, TColor color)
{
    const int side = std::min(r.Width(), r.Height());
    const int base = std::max(3, ((side - 4) / 2) | 1);
    const int depth = (base + 1) / 2;
    const bool vertical = dir == Arrow::Up || dir == Arrow::Down;
    const int w = vertical ? base : depth, h = vertical ? depth : base;
    const int left = r.Left + (r.Width() - w) / 2;
    const int top = r.Top + (r.Height() - h) / 2;
    for (int i = 0; i < depth; ++i) {
        // i = 0 is the wide end.
        switch (dir) {
        case Arrow::Down: Fill(c, TRect(left + i, top + i, left + base - i, top + i + 1), color); break;
        case Arrow::Up: Fill(c, TRect(left + i, top + depth - 1 - i, left + base - i, top + depth - i), color); break;
        case Arrow::Right: Fill(c, TRect(left + i, top + i, left + i + 1, top + base - i), color); break;
        case Arrow::Left: Fill(c, TRect(left + depth - 1 - i, top + i, left + depth - i, top + base - i), color); break;
        }
    }
}

void ButtonFace(TCanvas* c, TRect& r, unsigned state)
{
    const bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
    unsigned flags = BF_RECT | BF_SOFT | BF_ADJUST;
    if (!(state & DFCS_TRANSPARENT)) flags |= BF_MIDDLE;
    if (state & DFCS_FLAT) flags |= BF_FLAT;
    if (state & DFCS_MONO) flags |= BF_MONO;
    DrawEdge(c, r, down ? EDGE_SUNKEN : EDGE_RAISED, flags);
}

void CheckBox(TCanvas* c, const TRect& r, unsigned state)
{
    const int side = std::min(r.Width(), r.Height());
    TRect box = Bounds(r.Left, r.Top + (r.Height() - side) / 2, side, side);
    unsigned flags = BF_RECT | BF_ADJUST;
    if (state & DFCS_FLAT) flags |= BF_FLAT;
    if (state & DFCS_MONO) flags |= BF_MONO;
    DrawEdge(c, box, EDGE_SUNKEN, flags);
    const bool grey = state & (DFCS_INACTIVE | DFCS_PUSHED);
    const bool indeterminate = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
    if (!(state & DFCS_TRANSPARENT)) Fill(c, box, grey || indeterminate ? clBtnFace : clWindow);
    if (!(state & DFCS_CHECKED)) return;
    // The tick: 7 x 7 pixels, three pixels thick.
    TColor mark = (state & DFCS_INACTIVE) || indeterminate ? clBtnShadow : clWindowText;
    const int ox = box.Left + (box.Width() - 7) / 2, oy = box.Top + (box.Height() - 7) / 2;
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetColor(mark);
    for (int i = 0; i < 3; ++i) {
        c->MoveTo(ox, oy + 2 + i);
        c->LineTo(ox + 2, oy + 4 + i);
        c->LineTo(ox + 7, oy - 1 + i);
    }
}

void RadioButton(TCanvas* c, const TRect& r, unsigned state)
{
    const int side = std::min(r.Width(), r.Height());
    TRect box = Bounds(r.Left, r.Top + (r.Height() - side) / 2, side, side);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetMode(pmCopy);
    const bool grey = state & (DFCS_INACTIVE | DFCS_PUSHED);
    // Top-left halves run from the upper right to the lower left, counter-clockwise.
    auto ring = [&](const TRect& q, TColor tl, TColor br) {
        c->Pen()->SetColor(tl);
        c->Arc(q.Left, q.Top, q.Right, q.Bottom, q.Right, q.Top, q.Left, q.Bottom);
        c->Pen()->SetColor(br);
        c->Arc(q.Left, q.Top, q.Right, q.Bottom, q.Left, q.Bottom, q.Right, q.Top);
    };
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(grey ? clBtnFace : clWindow);
    if (!(state & DFCS_TRANSPARENT)) {
        c->Pen()->SetColor(grey ? clBtnFace : clWindow);
        c->Ellipse(box);
    }
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        ring(box, (state & DFCS_MONO) ? clWindowFrame : clBtnShadow,
             (state & DFCS_MONO) ? clWindowFrame : clBtnShadow);
    } else {
        ring(box, clBtnShadow, clBtnHighlight);
        TRect inner = box;
        inner.Inflate(-1, -1);
        ring(inner, cl3DDkShadow, cl3DLight);
    }
    if (state & DFCS_CHECKED) {
        const int dot = std::max(2, side / 3);
        TRect d = Bounds(box.Left + (side - dot) / 2, box.Top + (side - dot) / 2, dot, dot);
        TColor mark = (state & DFCS_INACTIVE) ? clBtnShadow : clWindowText;
        c->Pen()->SetColor(mark);
        c->Brush()->SetColor(mark);
        c->Ellipse(d);
    }
}

void ScrollArrow(TCanvas* c, TRect& r, unsigned state)
{
    const unsigned part = state & 0xFF;
    if (part == DFCS_SCROLLSIZEGRIP) return;
    TRect face = r;
    const bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
    unsigned flags = BF_RECT | BF_ADJUST;
    if (!(state & DFCS_TRANSPARENT)) flags |= BF_MIDDLE;
    // A pressed arrow button is drawn flat, its arrow moved one pixel.
    if (down || (state & DFCS_FLAT)) flags |= BF_FLAT;
    if (state & DFCS_MONO) flags |= BF_MONO;
    DrawEdge(c, face, down ? EDGE_SUNKEN : EDGE_RAISED, flags);
    Arrow dir = part == DFCS_SCROLLUP ? Arrow::Up
              : part == DFCS_SCROLLLEFT ? Arrow::Left
              : part == DFCS_SCROLLRIGHT ? Arrow::Right
                                         : Arrow::Down;
    TRect ar = r;
    if (down) ar.Offset(1, 1);
    if (state & DFCS_INACTIVE) {
        TRect hi = ar;
        hi.Offset(1, 1);
        DrawArrow(c, hi, dir, clBtnHighlight);
        DrawArrow(c, ar, dir, clBtnShadow);
    } else {
        DrawArrow(c, ar, dir, clBtnText);
    }
    if (state & DFCS_ADJUSTRECT) r = face;
}

}  // namespace

bool DrawEdge(TCanvas* c, TRect& r, unsigned edge, unsigned flags)
{
    // Diagonal edges are not used by the system and not drawn.
    if (!c || (flags & BF_DIAGONAL)) return false;
    ToolsKeeper keep(c);
    TRect q = r;
    const unsigned sides = flags & BF_RECT;
    const unsigned outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
    TColor outerTL, outerBR, innerTL, innerBR;
    if (flags & BF_MONO) {
        outerTL = outerBR = clWindowFrame;
        innerTL = innerBR = clWindow;
    } else if (flags & BF_FLAT) {
        outerTL = outerBR = clBtnShadow;
        innerTL = innerBR = clBtnFace;
    } else {
        const bool soft = flags & BF_SOFT;
        if (outer & BDR_RAISEDOUTER) {
            outerTL = soft ? clBtnHighlight : cl3DLight;
            outerBR = cl3DDkShadow;
        } else {
            outerTL = clBtnShadow;
            outerBR = clBtnHighlight;
        }
        if (inner & BDR_RAISEDINNER) {
            innerTL = soft ? cl3DLight : clBtnHighlight;
            innerBR = clBtnShadow;
        } else {
            innerTL = cl3DDkShadow;
            innerBR = cl3DLight;
        }
    }
    if (outer) EdgeLevel(c, q, outerTL, outerBR, sides);
    if (inner) EdgeLevel(c, q, innerTL, innerBR, sides);
    if (flags & BF_MIDDLE) Fill(c, q, (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST) r = q;
    return true;
}

bool DrawFrameControl(TCanvas* c, TRect& r, unsigned type, unsigned state)
{
    if (!c) return false;
    ToolsKeeper keep(c);
    if (type == DFC_BUTTON) {
        const unsigned part = state & 0xFF;
        if (part & DFCS_BUTTONPUSH) {
            TRect face = r;
            ButtonFace(c, face, state);
            if (state & DFCS_ADJUSTRECT) r = face;
            return true;
        }
        if (part & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            RadioButton(c, r, state);
            return true;
        }
        CheckBox(c, r, state);
        return true;
    }
    if (type == DFC_SCROLL) {
        ScrollArrow(c, r, state);
        return true;
    }
    return false;
}

void Frame3D(TCanvas* c, TRect& r, TColor topColor, TColor bottomColor, int width)
{
    if (!c) return;
    ToolsKeeper keep(c);
    for (int i = 0; i < width; ++i) EdgeLevel(c, r, topColor, bottomColor, BF_RECT);
}
