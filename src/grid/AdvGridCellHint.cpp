// The hint of the cell under the pointer: the grid's own hint, or with
// HintShowCells a normal cell's text, which OnGridHint may change. Shown
// through the platform's tool tip only while the grid's ShowHint is on, and
// gone as soon as the pointer leaves the cell it belongs to.

#include "AdvGrid.h"
#include "AdvGridAutoSize.h"
#include "Forms.h"
#include "Hints.h"

#include <QHelpEvent>
#include <QToolTip>

bool TAdvStringGrid::GetCellHint(int X, int Y, QString& HintStr)
{
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return false;
    const int real = RealColIndex(col);
    FLastHintPos = BaseCell(col, row);
    HintStr = Hint().section(QLatin1Char('|'), 0, 0);
    const bool normal = row >= FixedRows() && col >= FixedCols();
    if (HintShowCells() && normal)
        HintStr = StrippedCells(real, row);
    // A text too large for its cell shows whole in the hint.
    if (HintShowLargeText()) {
        const QString text = StrippedCells(real, row);
        const TSize extent = AutoSizeTextExtent(text, Font(), 0);
        const TRect r = CellRect(col, row);
        if (extent.cx > r.Right - r.Left || extent.cy > r.Bottom - r.Top) HintStr = text;
    }
    QString wide;
    GetCellHintText(col, row, HintStr, wide);
    return true;
}

bool TAdvStringGrid::ShowCellHintEvent(QEvent* e)
{
    // The platform's hint path asks the grid through CM_HINTSHOW.
    auto* help = static_cast<QHelpEvent*>(e);
    QToolTip::hideText();
    if (!ActivateControlHint(this, TPoint(help->pos().x(), help->pos().y()))) e->ignore();
    return true;
}

// The pointer moved to (ACol, ARow), -1 for no cell: a hint shown for
// another cell goes.
void TAdvStringGrid::CellHintMove(int ACol, int ARow)
{
    if (FLastHintPos.X < 0) return;
    const TPoint now = ACol >= 0 && ARow >= 0 ? BaseCell(ACol, ARow) : TPoint(-1, -1);
    if (now == FLastHintPos) return;
    FLastHintPos = TPoint(-1, -1);
    if (Application) Application->CancelHint();
}
