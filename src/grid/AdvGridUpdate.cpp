// The grid timer, the update counter, the change listeners, hit tests and
// the footer calculation.

#include "AdvGrid.h"
#include "AdvGridFooter.h"

#include "AdvUtil.h"
#include "SysFormat.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>

// ---- update counter ------------------------------------------------------------------------

void TAdvStringGrid::BeginUpdate()
{
    // Counts in every state; only the redraw switch needs a shown grid.
    ++FUpdateCount;
    if (FUpdateCount == 1 && Parent() && !FRedrawOff) {
        LockDrawing();
        FRedrawOff = true;
    }
}

void TAdvStringGrid::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount > 0 || HasState(csDestroying)) return;
    FSelChange = false;
    if (FRedrawOff) {
        UnlockDrawing();
        FRedrawOff = false;
    }
    if (Parent()) {
        Invalidate();
        RepaintBorder();
    }
}

// ---- listeners -------------------------------------------------------------------------------

void TAdvStringGrid::RegisterNotifier(TGridChangeNotifier* Item)
{
    if (!Item || std::find(FNotifierList.begin(), FNotifierList.end(), Item) != FNotifierList.end()) return;
    FNotifierList.push_back(Item);
    // Its destruction takes it out of the list.
    FreeNotification(Item);
}

void TAdvStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier)
{
    auto it = std::find(FNotifierList.begin(), FNotifierList.end(), ANotifier);
    if (it == FNotifierList.end()) return;
    FNotifierList.erase(it);
    RemoveFreeNotification(ANotifier);
}

void TAdvStringGrid::ResetFixedCellHighlight()
{
    FMouseSelectStart = -1;
    if (HoverFixedCells() != hfNone && (FHoverFixedX != -1 || FHoverFixedY != -1)) {
        const int x = FHoverFixedX, y = FHoverFixedY;
        FHoverFixedX = -1;
        FHoverFixedY = -1;
        RepaintCell(x, y);
    }
}

// ---- the grid timer ----------------------------------------------------------------------------

TAdvStringGrid::THoverQuery& TAdvStringGrid::HoverQuery()
{
    static THoverQuery query = [](TPoint& pos) -> TControl* {
        pos = MouseCursorPos();
        QWidget* w = QApplication::widgetAt(pos.ToQPoint());
        return w ? TControl::FromWidget(w) : nullptr;
    };
    return query;
}

void TAdvStringGrid::TimerTick(unsigned id)
{
    if (id != GridTimerID) {
        TBaseGrid::TimerTick(id);
        return;
    }
    GridTimer();
}

void TAdvStringGrid::GridTimer()
{
    ++FTimerTicks;
    if (FNavigation->AutoGotoIncremental()) {
        if (SearchTics++ == 3) {
            SearchInc.clear();
            SearchTics = 0;
        }
    }
    if (Hovering() && !IsDesigning()) {
        TPoint pos;
        TControl* under = HoverQuery()(pos);
        if (under == this) {
            const TPoint p = ScreenToClient(pos);
            if (ClientRect().Contains(p)) {
                int c, r;
                MouseToCell(p.X, p.Y, c, r);
                if (c >= FixedCols() && c < ColCount() && r >= TBaseGrid::FixedRows() && r < RowCount()) {
                    if (CanFocus()) SetFocus();
                    SetRow(r);
                    SetCol(c);
                }
            }
        }
    }
    if (EnableBlink()) {
        FGridBlink = !FGridBlink;
        auto blinks = [this](int c, int r) {
            return GetCellEx(RealColIndex(c), r).toUpper().contains(QStringLiteral("<BLI"));
        };
        const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
        const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
        for (int r = TopRow(); r <= lastRow; ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                if (blinks(c, r)) RepaintCell(c, r);
        for (int r = 0; r < TBaseGrid::FixedRows(); ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                if (blinks(c, r)) RepaintCell(c, r);
        for (int c = 0; c < FixedCols(); ++c)
            for (int r = TopRow(); r <= lastRow; ++r)
                if (blinks(c, r)) RepaintCell(c, r);
    }
}

// ---- hit tests -------------------------------------------------------------------------------------

void TAdvStringGrid::ScreenToCell(TPoint P, int& ACol, int& ARow) const
{
    const TPoint p = ScreenToClient(P);
    MouseToCell(p.X, p.Y, ACol, ARow);
}

bool TAdvStringGrid::IsSizingBorder(int X, int Y)
{
    int c, r;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0) return false;
    const TRect rc = CellRect(c, r);
    bool result = false;
    if (r <= TBaseGrid::FixedRows() && Options().Contains(goColSizing))
        result = std::abs(X - rc.Left) < 4 || std::abs(X - rc.Right) < 4;
    if (c <= FixedCols() && Options().Contains(goRowSizing))
        result = std::abs(Y - rc.Top) <= 3 || std::abs(Y - rc.Bottom) <= 3;
    return result;
}

// ---- footer ------------------------------------------------------------------------------------------

void TAdvStringGrid::UpdateFooter()
{
    // The panel is bottom-aligned: the platform keeps it under the cells at
    // the grid's width; what it shows follows here.
    if (FFooterPanel && FooterVisible()) FFooterPanel->Invalidate();
}

void TAdvStringGrid::DoCalcFooter(int ACol)
{
    if (!FooterVisible() || !FooterFixedLastRow() || !FooterCalculates()) return;
    const int f = RowCount() - 1;
    const int h = FooterCalculatesHidden() ? NumHiddenRows() : 0;
    const int from = TBaseGrid::FixedRows(), to = RowCount() - 2 + h;
    const int first = ACol == -1 ? 0 : ACol;
    const int last = ACol == -1 ? TotalColCount() - 1 : ACol;
    for (int c = first; c <= last; ++c) {
        const TCellProperties* p = GridObjects(c, f);
        if (!p) continue;
        const auto type = TColumnCalcType(int(p->CalcType()) & 0x7F);
        auto put = [&](double v) {
            QString fmt;
            GetColumnFloatFormat(c, f, fmt);
            QString text;
            try {
                text = Format(fmt, {v});
            } catch (const EConvertError&) {
                text = FloatToStr(v);
            }
            SetCellEx(c, f, text);
        };
        switch (type) {
        case acNONE:
        case acSPREAD: break;
        case acSUM: put(ColumnSum(c, from, to)); break;
        case acAVG: put(ColumnAvg(c, from, to)); break;
        case acCOUNT: SetCellEx(c, f, QString::number(RowCount() - TBaseGrid::FixedRows() - 1 + h)); break;
        case acMIN: put(ColumnMin(c, from, to)); break;
        case acMAX: put(ColumnMax(c, from, to)); break;
        case acDISTINCT: put(ColumnDistinct(c, from, to)); break;
        case acSTDDEV: put(ColumnStdDev(c, from, to)); break;
        case acCUSTOM: {
            QString value;
            if (OnFooterCalc)
                OnFooterCalc(this, c, RowCount() - 1 + h, value);
            else if (FFloatingFooter && FFloatingFooter->OnCalcFooter)
                FFloatingFooter->OnCalcFooter(this, c, RowCount() - 1 + h, value);
            SetCellEx(c, f, value);
            break;
        }
        }
    }
}
