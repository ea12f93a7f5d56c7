// The focus frame: a layered window glowing around the cell being edited,
// with the cell itself cut out so that the editor stays reachable.

#include "AdvGrid.h"

#include "AdvGridUnit.h"
#include "AdvObjPopup.h"
#include "AdvUtilPaint.h"

namespace {

// The frame reaches 4 pixels out of the cell and 5 past its far edges.
constexpr int FocusHelperMargin = 4;
constexpr int FocusHelperGrowth = 9;
constexpr TColor FocusHelperColor = TColor(0xFDD397);
constexpr uint8_t FocusHelperOpacity = 230;

} // namespace

void TAdvStringGrid::ShowFocusHelper(const TRect& Rect)
{
    if (!FFocusWindow || Rect.Width() <= 0 || Rect.Height() <= 0) return;
    const int w = Rect.Width() + FocusHelperGrowth, h = Rect.Height() + FocusHelperGrowth;
    TBitmap mask;
    MakeRoundRectMask(&mask, w, h, 4, 5, 3);
    TBitmap fill;
    fill.SetPixelFormat(pf24bit);
    fill.SetSize(w, h);
    fill.Canvas()->Brush()->SetColor(FocusHelperColor);
    fill.Canvas()->FillRect(TRect(0, 0, w, h));
    TGridAlphaMask glow;
    glow.MergeMask(&mask, &fill, FocusHelperColor);
    glow.SetOpacity(FocusHelperOpacity);
    const TPoint at = ClientToScreen(TPoint(Rect.Left - FocusHelperMargin, Rect.Top - FocusHelperMargin));
    const TSize size(w, h);
    const TPoint origin(0, 0);
    TBlendFunction blend;
    blend.SourceConstantAlpha = FocusHelperOpacity;
    blend.AlphaFormat = AC_SRC_ALPHA;
    DynUpdateLayeredWindow(FFocusWindow, nullptr, &at, &size, &glow, &origin, clNone, &blend, ULW_ALPHA);
    SetWindowFrameRegion(FFocusWindow, TRect(0, 0, w, h),
                         TRect(FocusHelperMargin, FocusHelperMargin, FocusHelperMargin + Rect.Width(),
                               FocusHelperMargin + Rect.Height()));
    FFocusWindow->Show();
    SetFocusFrameGrid(this);
}

void TAdvStringGrid::MoveFocusHelper()
{
    if (!FFocusWindow || !FFocusWindow->Visible()) return;
    if (!EditMode) {
        HideFocusHelper();
        return;
    }
    const TRect r = CellRect(Col(), Row());
    const TPoint at = ClientToScreen(TPoint(r.Left - FocusHelperMargin, r.Top - FocusHelperMargin));
    FFocusWindow->SetBounds(at.X, at.Y, FFocusWindow->Width(), FFocusWindow->Height());
}

void TAdvStringGrid::HideFocusHelper()
{
    if (FFocusWindow) FFocusWindow->Hide();
    if (FocusFrameGrid() == this) SetFocusFrameGrid(nullptr);
}
