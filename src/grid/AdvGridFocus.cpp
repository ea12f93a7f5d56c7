// The grid taking and losing the focus: the entered cell is checked as a
// selection would check it and its text remembered for validation; leaving
// brings the disjunct row marks in line with the selection.
#include "AdvGrid.h"
#include "AsgHTMLE.h"
#include "AsgHTMLEText.h"

#include <QScopeGuard>

void TAdvStringGrid::DoEnter() { HandleEnter(); }

void TAdvStringGrid::DoExit() { HandleExit(); }

void TAdvStringGrid::HandleEnter()
{
    if (FBlockFocus) return;
    // The cell is remembered even when a handler below throws; an edit under
    // way keeps the text from before it.
    auto remember = qScopeGuard([this]() {
        if (!FEditing) RememberCurrentCell();
    });
    TBaseGrid::DoEnter();
    if (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit()) CanMoveToCell(Col(), Row());
}

void TAdvStringGrid::HandleExit()
{
    if (FBlockKill) return;
    ReleaseControlButton();
    if (FSelChange && FMouseActions->DisjunctRowSelect()) SyncRowSelectWithSelection(false);
    FSelChange = false;
    TBaseGrid::DoExit();
}

void TAdvStringGrid::FocusCellControl(int ACol, int ARow, const QString& ControlID)
{
    const int real = RealColIndex(ACol);
    const QString html = Cells(real, ARow);
    const QString id = NextControlID(html, ControlID);
    if (id.isEmpty()) {
        if (CanFocus()) SetFocus();
        return;
    }
    // The control's place: the markup laid out where the cell draws it.
    TRect r = CellRect(ACol, ARow);
    r.Left += XYOffset().X + 1;
    r.Top += XYOffset().Y + 1;
    if (HasCheckBox(real, ARow)) r.Left += CheckSizeSetting();
    TCanvas* cv = Canvas();
    cv->Font()->Assign(Font());
    THTMLDrawArgs args;
    args.LocatePass = true;
    args.ControlID = id;
    args.HitPoint = TPoint(-1, -1);
    args.ImageList = FGridImages;
    args.PictureCache = FImageCache;
    args.Window = this;
    THTMLDrawResult res;
    DrawHTMLText(cv, html, r, args, res);
    QString value;
    GetControlValue(html, id, value);
    StartCellControlEdit(html, res.ControlType, ARow, ACol, res.ControlRect, value, id);
}
