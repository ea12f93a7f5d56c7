// The list grid's events passed on as the drop-down's OnGrid events. Each
// dispatcher fires its event when assigned; the rows below that differ say
// how.

#include "AdvDropDownForm.h"
#include "AdvGridDropDown.h"
#include "AdvGridHints.h"

namespace AdvCustomGridDropDown {

template <class F>
void TCustomAdvGridDropDown::Blocked(const F& Event)
{
    // A dialog opened by the handler must not close the pop-up.
    TDropDownForm* form = DropDownForm();
    if (form) form->SetBlockActivate(true);
    try {
        Event();
    } catch (...) {
        if (form) form->SetBlockActivate(false);
        throw;
    }
    if (form) form->SetBlockActivate(false);
}

#define GRID_DROPDOWN_FIRE(Event, ...) \
    if (Event) Event(__VA_ARGS__)

void TCustomAdvGridDropDown::DoGridAnchorClick(TObject* Sender, int ARow, int ACol, const QString& Anchor,
                                               bool& AutoHandle)
{
    if (OnGridAnchorClick) Blocked([&] { OnGridAnchorClick(Sender, ARow, ACol, Anchor, AutoHandle); });
}

void TCustomAdvGridDropDown::DoGridButtonClick(TObject* Sender, int ACol, int ARow)
{
    if (OnGridButtonClick) Blocked([&] { OnGridButtonClick(Sender, ACol, ARow); });
}

void TCustomAdvGridDropDown::DoGridEllipsClick(TObject* Sender, int ACol, int ARow, QString& S)
{
    if (OnGridEllipsClick) Blocked([&] { OnGridEllipsClick(Sender, ACol, ARow, S); });
}

void TCustomAdvGridDropDown::DoGridGetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign,
                                                TVAlignment& VAlign)
{
    if (ACol >= 0 && ACol < FColumns->Count()) HAlign = FColumns->Items(ACol)->Alignment();
    GRID_DROPDOWN_FIRE(OnGridGetAlignment, Sender, ARow, ACol, HAlign, VAlign);
}

void TCustomAdvGridDropDown::DoGridGetCellColor(TObject* Sender, int ARow, int ACol, TGridDrawState AState,
                                                TBrush* ABrush, TFont* AFont)
{
    if (ABrush && ACol >= 0 && ACol < FColumns->Count()) ABrush->SetColor(FColumns->Items(ACol)->Color());
    GRID_DROPDOWN_FIRE(OnGridGetCellColor, Sender, ARow, ACol, AState, ABrush, AFont);
}

void TCustomAdvGridDropDown::DoGridGetFloatFormat(TObject* Sender, int ACol, int ARow, bool& IsFloat,
                                                  QString& FloatFormat)
{
    FloatFormat.clear();
    GRID_DROPDOWN_FIRE(OnGridGetFloatFormat, Sender, ACol, ARow, IsFloat, FloatFormat);
}

void TCustomAdvGridDropDown::DoGridMouseMove(TObject* Sender, TShiftState Shift, int X, int Y)
{
    // The balloon window of the list is re-armed at the first move after an opening.
    if (!FBalloonInit && FGrid) {
        FBalloonInit = true;
        if (TBalloonSettings* b = FGrid->BalloonSettings(); b && b->Enable()) {
            b->SetEnable(false);
            b->SetEnable(true);
        }
    }
    GRID_DROPDOWN_FIRE(OnGridMouseMove, Sender, Shift, X, Y);
}

void TCustomAdvGridDropDown::DoGridCustomCellDraw(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                  TGridDrawState AState, TRect ARect, bool Printing)
{
    GRID_DROPDOWN_FIRE(OnGridCustomCellDraw, Sender, Canvas, ACol, ARow, AState, ARect, Printing);
}

void TCustomAdvGridDropDown::DoGridCustomCellBkgDraw(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                     TGridDrawState AState, TRect ARect, bool Printing)
{
    GRID_DROPDOWN_FIRE(OnGridCustomCellBkgDraw, Sender, Canvas, ACol, ARow, AState, ARect, Printing);
}

void TCustomAdvGridDropDown::DoGridTopLeftChanged(TObject*)
{
    GRID_DROPDOWN_FIRE(OnGridTopLeftChanged, this);
}

void TCustomAdvGridDropDown::GridCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State)
{
    GRID_DROPDOWN_FIRE(OnGridCheckBoxClick, Sender, ACol, ARow, State);
}

// ---- passed on unchanged

void TCustomAdvGridDropDown::DoGridAnchorEnter(TObject* Sender, int ARow, int ACol, const QString& Anchor)
{
    GRID_DROPDOWN_FIRE(OnGridAnchorEnter, Sender, ARow, ACol, Anchor);
}

void TCustomAdvGridDropDown::DoGridAnchorExit(TObject* Sender, int ARow, int ACol, const QString& Anchor)
{
    GRID_DROPDOWN_FIRE(OnGridAnchorExit, Sender, ARow, ACol, Anchor);
}

void TCustomAdvGridDropDown::DoGridAnchorHint(TObject* Sender, int ARow, int ACol, QString& Anchor)
{
    GRID_DROPDOWN_FIRE(OnGridAnchorHint, Sender, ARow, ACol, Anchor);
}

void TCustomAdvGridDropDown::DoGridCanSort(TObject* Sender, int ACol, bool& DoSort)
{
    GRID_DROPDOWN_FIRE(OnGridCanSort, Sender, ACol, DoSort);
}

void TCustomAdvGridDropDown::DoGridClickSort(TObject* Sender, int ACol)
{
    GRID_DROPDOWN_FIRE(OnGridClickSort, Sender, ACol);
}

void TCustomAdvGridDropDown::DoGridCustomCompare(TObject* Sender, const QString& Str1, const QString& Str2, int& Res)
{
    GRID_DROPDOWN_FIRE(OnGridCustomCompare, Sender, Str1, Str2, Res);
}

void TCustomAdvGridDropDown::DoGridRawCompare(TObject* Sender, int ACol, int Row1, int Row2, int& Res)
{
    GRID_DROPDOWN_FIRE(OnGridRawCompare, Sender, ACol, Row1, Row2, Res);
}

void TCustomAdvGridDropDown::DoGridColumnSize(TObject* Sender, int ACol, bool& Allow)
{
    GRID_DROPDOWN_FIRE(OnGridColumnSize, Sender, ACol, Allow);
}

void TCustomAdvGridDropDown::DoGridColumnSizing(TObject* Sender, int ACol, int ColumnSize)
{
    GRID_DROPDOWN_FIRE(OnGridColumnSizing, Sender, ACol, ColumnSize);
}

void TCustomAdvGridDropDown::DoGridEndColumnSize(TObject* Sender, int ACol)
{
    GRID_DROPDOWN_FIRE(OnGridEndColumnSize, Sender, ACol);
}

void TCustomAdvGridDropDown::DoGridRowSize(TObject* Sender, int ARow, bool& Allow)
{
    GRID_DROPDOWN_FIRE(OnGridRowSize, Sender, ARow, Allow);
}

void TCustomAdvGridDropDown::DoGridRowSizing(TObject* Sender, int ARow, int RowSize)
{
    GRID_DROPDOWN_FIRE(OnGridRowSizing, Sender, ARow, RowSize);
}

void TCustomAdvGridDropDown::DoGridEndRowSize(TObject* Sender, int ARow)
{
    GRID_DROPDOWN_FIRE(OnGridEndRowSize, Sender, ARow);
}

void TCustomAdvGridDropDown::DoGridRowMove(TObject* Sender, int ARow, bool& Allow)
{
    GRID_DROPDOWN_FIRE(OnGridRowMove, Sender, ARow, Allow);
}

void TCustomAdvGridDropDown::DoGridRowMoving(TObject* Sender, int ARow, bool& Allow)
{
    GRID_DROPDOWN_FIRE(OnGridRowMoving, Sender, ARow, Allow);
}

void TCustomAdvGridDropDown::DoGridRowMoved(TObject* Sender, int FromIndex, int ToIndex)
{
    GRID_DROPDOWN_FIRE(OnGridRowMoved, Sender, FromIndex, ToIndex);
}

void TCustomAdvGridDropDown::DoGridColumnMove(TObject* Sender, int ACol, bool& Allow)
{
    GRID_DROPDOWN_FIRE(OnGridColumnMove, Sender, ACol, Allow);
}

void TCustomAdvGridDropDown::DoGridColumnMoving(TObject* Sender, int ACol, bool& Allow)
{
    GRID_DROPDOWN_FIRE(OnGridColumnMoving, Sender, ACol, Allow);
}

void TCustomAdvGridDropDown::DoGridColumnMoved(TObject* Sender, int FromIndex, int ToIndex)
{
    GRID_DROPDOWN_FIRE(OnGridColumnMoved, Sender, FromIndex, ToIndex);
}

void TCustomAdvGridDropDown::DoGridCellBalloon(TObject* Sender, int ACol, int ARow, QString& ATitle, QString& AText,
                                               TBalloonIcon& AIcon)
{
    GRID_DROPDOWN_FIRE(OnGridCellBalloon, Sender, ACol, ARow, ATitle, AText, AIcon);
}

void TCustomAdvGridDropDown::DoGridGetCellGradient(TObject* Sender, int ARow, int ACol, TColor& Color,
                                                   TColor& ColorTo, TColor& ColorMirror, TColor& ColorMirrorTo,
                                                   TCellGradientDirection& GD)
{
    GRID_DROPDOWN_FIRE(OnGridGetCellGradient, Sender, ARow, ACol, Color, ColorTo, ColorMirror, ColorMirrorTo, GD);
}

void TCustomAdvGridDropDown::DoGridGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)
{
    GRID_DROPDOWN_FIRE(OnGridGetEditorType, Sender, ACol, ARow, AEditor);
}

void TCustomAdvGridDropDown::DoGridGetEditorProp(TObject* Sender, int ARow, int ACol)
{
    GRID_DROPDOWN_FIRE(OnGridGetEditorProp, Sender, ARow, ACol);
}

void TCustomAdvGridDropDown::DoGridCanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit)
{
    GRID_DROPDOWN_FIRE(OnGridCanEditCell, Sender, ARow, ACol, CanEdit);
}

void TCustomAdvGridDropDown::DoGridGetDisplText(TObject* Sender, int ACol, int ARow, QString& Value)
{
    GRID_DROPDOWN_FIRE(OnGridGetDiplText, Sender, ACol, ARow, Value);
}

void TCustomAdvGridDropDown::DoGridGetFormat(TObject* Sender, int ACol, TSortStyle& AStyle, QString& APrefix,
                                             QString& ASuffix)
{
    GRID_DROPDOWN_FIRE(OnGridGetFormat, Sender, ACol, AStyle, APrefix, ASuffix);
}

void TCustomAdvGridDropDown::DoGridGridHint(TObject* Sender, int ARow, int ACol, QString& HintStr)
{
    GRID_DROPDOWN_FIRE(OnGridHint, Sender, ARow, ACol, HintStr);
}

void TCustomAdvGridDropDown::DoGridMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    GRID_DROPDOWN_FIRE(OnGridMouseDown, Sender, Button, Shift, X, Y);
}

void TCustomAdvGridDropDown::DoGridMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    GRID_DROPDOWN_FIRE(OnGridMouseUp, Sender, Button, Shift, X, Y);
}

void TCustomAdvGridDropDown::DoGridKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    GRID_DROPDOWN_FIRE(OnGridKeyDown, Sender, Key, Shift);
}

void TCustomAdvGridDropDown::DoGridKeyUp(TObject* Sender, Word& Key, TShiftState Shift)
{
    GRID_DROPDOWN_FIRE(OnGridKeyUp, Sender, Key, Shift);
}

void TCustomAdvGridDropDown::DoGridKeyPress(TObject* Sender, QChar& Key)
{
    GRID_DROPDOWN_FIRE(OnGridKeyPress, Sender, Key);
}

void TCustomAdvGridDropDown::DoGridRightClickCell(TObject* Sender, int ARow, int ACol)
{
    GRID_DROPDOWN_FIRE(OnGridRightClickCell, Sender, ARow, ACol);
}

void TCustomAdvGridDropDown::DoGridScrollHint(TObject* Sender, int ARow, QString& HintStr)
{
    GRID_DROPDOWN_FIRE(OnGridScrollHint, Sender, ARow, HintStr);
}

void TCustomAdvGridDropDown::DoGridSearchEditChange(TObject* Sender, const QString& Value, bool& DefaultSearch)
{
    GRID_DROPDOWN_FIRE(OnGridSearchEditChange, Sender, Value, DefaultSearch);
}

void TCustomAdvGridDropDown::DoGridSpinClick(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)
{
    GRID_DROPDOWN_FIRE(OnGridSpinClick, Sender, ACol, ARow, AValue, UpDown);
}

void TCustomAdvGridDropDown::DoGridAutoAddRow(TObject* Sender, int ARow)
{
    GRID_DROPDOWN_FIRE(OnGridAutoAddRow, Sender, ARow);
}

void TCustomAdvGridDropDown::DoGridAutoInsertRow(TObject* Sender, int ARow)
{
    GRID_DROPDOWN_FIRE(OnGridInsertRow, Sender, ARow);
}

void TCustomAdvGridDropDown::DoGridAutoInsertCol(TObject* Sender, int ACol)
{
    GRID_DROPDOWN_FIRE(OnGridInsertCol, Sender, ACol);
}

void TCustomAdvGridDropDown::DoGridAutoDeleteRow(TObject* Sender, int ARow)
{
    GRID_DROPDOWN_FIRE(OnGridDeleteRow, Sender, ARow);
}

void TCustomAdvGridDropDown::DoGridCanAddRow(TObject* Sender, bool& CanAdd)
{
    GRID_DROPDOWN_FIRE(OnGridCanAddRow, Sender, CanAdd);
}

void TCustomAdvGridDropDown::DoGridCanInsertRow(TObject* Sender, int ARow, bool& CanInsert)
{
    GRID_DROPDOWN_FIRE(OnGridCanInsertRow, Sender, ARow, CanInsert);
}

void TCustomAdvGridDropDown::DoGridCanDeleteRow(TObject* Sender, int ARow, bool& CanDelete)
{
    GRID_DROPDOWN_FIRE(OnGridCanDeleteRow, Sender, ARow, CanDelete);
}

#undef GRID_DROPDOWN_FIRE

}  // namespace AdvCustomGridDropDown
