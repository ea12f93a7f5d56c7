// The drop-down button of hover-tracked fixed cells: a press on it shows
// the fixed drop-down menu under the cell, and the cell keeps its hover
// highlight with the button drawn pressed while the menu is open. Also the
// pressed look of the header cells while the left button is down.

#include "AdvGrid.h"

#include "AdvGridLook.h"
#include "Menus.h"

#include <QPointer>

namespace {

// The button's width at the cell's right edge.
constexpr int kFixedDropButtonWidth = 16;
// With sizable columns the last pixels of the cell belong to the sizing edge.
constexpr int kFixedDropSizingEdge = 2;

} // namespace

void TAdvStringGrid::SetFixedDropDownMenu(TPopupMenu* v)
{
    FFixedDropDownMenu = v;
    if (v) FreeNotification(v);
}

// A press on the button of a hover-tracked fixed cell. True when the press
// ends there: a menu (or a handler that could have given one) was asked.
bool TAdvStringGrid::PressFixedDropDown(int X, int Y)
{
    if (!FControlLook->FixedDropDownButton()) return false;
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0 || !HoverFixedCell(cell.X, cell.Y)) return false;
    // No button is drawn where the column refuses one, so nothing drops there.
    if (!CanShowFixedDropDown(RealColIndex(cell.X))) return false;
    const TRect r = CellRect(cell.X, cell.Y);
    const int right = Options().Contains(goColSizing) ? r.Right - kFixedDropSizingEdge : r.Right;
    if (X <= r.Right - kFixedDropButtonWidth || X >= right) return false;
    FDropDownDown = true;
    if (!FFixedDropDownMenu && !OnFixedDropDownClick) return false;

    FNoMouseLeave = true;
    TPopupMenu* menu = FFixedDropDownMenu;
    if (menu) menu->SetTag(cell.X);
    bool keepHighlighted = false;
    if (OnFixedDropDownClick) OnFixedDropDownClick(this, cell.X, cell.Y, menu, keepHighlighted);
    if (menu) {
        FMouseDownMove = false;
        FHoverFixedX = cell.X;
        FHoverFixedY = cell.Y;
        FFixedMouseDown = FFixedDropDownOpen = true;
        RepaintCell(cell.X, cell.Y);
        // The menu may outlive the grid, and its own close event belongs to
        // whoever set it: it is chained, and given back when the menu closes.
        QPointer<QObject> alive(Widget());
        TNotifyEvent userClose = menu->OnClose;
        const int col = cell.X, row = cell.Y;
        menu->OnClose = [this, alive, menu, userClose, col, row, keepHighlighted](TObject* Sender) {
            // Giving the event back destroys this closure: what it needs is
            // copied out first.
            TAdvStringGrid* const grid = this;
            const QPointer<QObject> gridAlive = alive;
            const TNotifyEvent own = userClose;
            const int c = col, r = row;
            const bool keep = keepHighlighted;
            menu->OnClose = own;
            if (own) own(Sender);
            if (!gridAlive) return;
            grid->FFixedMouseDown = grid->FFixedDropDownOpen = false;
            grid->FHoverFixedX = grid->FHoverFixedY = -1;
            if (c < grid->ColCount() && r < grid->RowCount()) grid->RepaintCell(c, r);
            grid->FNoMouseLeave = keep;
        };
        const TPoint p = ClientToScreen(TPoint(r.Right - kFixedDropButtonWidth, r.Bottom));
        menu->Popup(p.X, p.Y);
    } else {
        FNoMouseLeave = keepHighlighted;
    }
    return true;
}

// A press or release repaints the hovered header cell of the last fixed
// row, which draws pressed while the left button is down.
void TAdvStringGrid::RepaintPressedFixedCell()
{
    if (FControlLook->FixedGradientDownTo() == clNone) return;
    if (FHoverFixedX < 0 || FHoverFixedY < 0 || FHoverFixedY != FixedRows() - 1) return;
    if (FHoverFixedX < ColCount()) RepaintCell(FHoverFixedX, FHoverFixedY);
}
