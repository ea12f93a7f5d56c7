// The column grid's answers to the string grid's hooks: each takes the item
// of the cell's column first and then lets the string grid's own rule and
// the application's event have the last word. A column without an item is
// left to the string grid.

#include "AdvCGrid.h"

#include "AdvCGridFilter.h"
#include "AdvGridEditLink.h"
#include "AdvGridEditors.h"
#include "AdvGridLook.h"
#include "AdvGridPrint.h"
#include "AdvUtil.h"
#include "Menus.h"
#include "SysFormat.h"

namespace {

bool ColorSet(TColor c)
{
    return c != clNone;
}

}  // namespace

bool TAdvColumnGrid::IsNormalCell(int ACol, int ARow)
{
    return ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() && ARow >= FixedRows() &&
           ARow < RowCount() - FixedFooters();
}

// ---- look ------------------------------------------------------------------------------

void TAdvColumnGrid::GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                     TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                                     TVAlignment& VA, bool& WW, TCellGradientDirection& GD)
{
    TGridColumnItem* item = ItemOf(ACol);
    if (!item) {
        TAdvStringGrid::GetCellDefaults(ACol, ARow, AFont, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, HA, VA,
                                        WW, GD);
        return;
    }
    (void)AMirrorColor;
    (void)AMirrorColorTo;
    AFont->Assign(item->Font());
    ABrush->SetColor(item->Color());
    AColorTo = clNone;
    HA = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
    VA = VAlignment();
    WW = WordWrap();
    GD = TCellGradientDirection(0);
    if (IsFixed(ACol, ARow) || (Bands()->Active() && item->ShowBands())) {
        ABrush->SetColor(clNone);
        AColorTo = clNone;
    }
}

void TAdvColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    TGridColumnItem* item = ItemOf(ACol);
    if (item && ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() &&
        ARow < RowCount() - FixedFooters()) {
        const bool fixedRow = ARow < FixedRows();
        if (item->Fixed())
            ABrush->SetColor(FixedColor());
        else if (!fixedRow && !(item->ShowBands() && Bands()->Active()))
            ABrush->SetColor(item->Color());
        AFont->Assign(fixedRow ? item->HeaderFont() : item->Font());
        if (ARow >= 0 && ARow < RowCount())
            if (TCellProperties* p = GridObjects(ACol, ARow)) {
                if (ColorSet(p->BrushColor())) ABrush->SetColor(p->BrushColor());
                if (ColorSet(p->FontColor())) AFont->SetColor(p->FontColor());
            }
    }
    TAdvStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TAdvColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        if (!IsNormalCell(ACol, ARow)) {
            AFont->Assign(PrintSettings()->FixedFont());
        } else {
            TCellProperties* p = ARow < RowCount() ? GridObjects(ACol, ARow) : nullptr;
            if (item->Fixed())
                ABrush->SetColor(FixedColor());
            else if (!(item->ShowBands() && Bands()->Active() && Bands()->Print()))
                ABrush->SetColor(item->PrintColor());
            if (p && ColorSet(p->BrushColor())) ABrush->SetColor(p->BrushColor());
            if (item->PrintFontCustom()) {
                AFont->Assign(item->PrintFont());
                if (p) {
                    if (ColorSet(p->FontColor())) AFont->SetColor(p->FontColor());
                    if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
                    if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
                    if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
                }
            } else {
                AFont->Assign(PrintSettings()->Font());
            }
        }
    }
    TAdvStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TAdvColumnGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (TGridColumnItem* item = ItemOf(ACol); item && ACol >= FixedCols() && ARow >= FixedRows()) {
        Borders = item->Borders();
        APen->Assign(item->BorderPen());
    }
    TAdvStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TAdvColumnGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (TGridColumnItem* item = ItemOf(ACol);
        item && ACol >= FixedCols() && ARow >= FixedRows() && item->PrintBorderCustom()) {
        Borders = item->PrintBorders();
        APen->Assign(item->PrintBorderPen());
    }
    TAdvStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TAdvColumnGrid::GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
        if (ARow >= 0 && ARow < RowCount())
            if (TCellProperties* p = GridObjects(ACol, ARow)) HAlign = p->Alignment();
    }
    TAdvStringGrid::GetAlignment(ACol, ARow, HAlign, VAlign);
}

void TAdvColumnGrid::GetFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        AStyle = item->SortStyle();
        APrefix = item->SortPrefix();
        ASuffix = item->SortSuffix();
    }
    TAdvStringGrid::GetFormat(ACol, AStyle, APrefix, ASuffix);
}

void TAdvColumnGrid::GetColumnFloatFormat(int ACol, int ARow, QString& AFormat)
{
    AFormat = FloatFormat();
    if (TGridColumnItem* item = ItemOf(ACol); item && !item->FloatFormat().isEmpty()) AFormat = item->FloatFormat();
    (void)ARow;
}

QString TAdvColumnGrid::GetFormattedCell(int ACol, int ARow)
{
    TGridColumnItem* item = ItemOf(ACol);
    const QString text = Cells(ACol, ARow);
    if (!item) {
        QString s = text;
        s = TAdvStringGrid::GetFormattedCell(ACol, ARow);
        return s;
    }
    QString fmt = item->FloatFormat();
    const int kind = GetNumberType(text);
    bool isFloat = !text.trimmed().isEmpty() && (kind == 0 || kind == 1);
    if (OnGetFloatFormat) OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (fmt.isEmpty() || !isFloat) return text;
    // A format taken from data that does not fit shows the plain text.
    try {
        return Format(fmt, {Floats(ACol, ARow)});
    } catch (const Exception&) {
        return text;
    }
}

// ---- editing ------------------------------------------------------------------------------

void TAdvColumnGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        if (ACol >= FixedCols() && ARow >= FixedRows()) {
            AEditor = item->Editor();
            // The editors are filled from the column's item. (Called
            // directly: a conditional call would be left out silently
            // while an editor's class is not complete here.)
            ClearComboString();
            Combobox()->Items()->Assign(item->ComboItems());
            Combobox()->SetDropDownCount(item->DropDownCount());
            SpinEdit()->SetMinValue(item->SpinMin());
            SpinEdit()->SetMaxValue(item->SpinMax());
            SpinEdit()->SetIncrement(item->SpinStep());
            SetEditLink(dynamic_cast<TEditLink*>(item->EditLink()));
            if (ControlLook()) ControlLook()->SetDropDownCount(item->DropDownCount());
        }
        if (!item->FloatFormat().isEmpty()) SetFloatFormat(item->FloatFormat());
    }
    TAdvStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

void TAdvColumnGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    const int r = RealColIndex(ACol);
    if (TGridColumnItem* item = ItemOf(r); item && ACol >= FixedCols() && ARow >= FixedRows())
        IsFixed = item->Fixed();
    TAdvStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TAdvColumnGrid::CanEditCell(int ACol, int ARow, bool& CanEdit)
{
    CanEdit = false;
    if (!HasState(csLoading))
        if (TGridColumnItem* item = ItemOf(ACol); item && ACol >= FixedCols() && ARow >= FixedRows())
            CanEdit = !(item->ReadOnly() || item->Fixed());
    TPoint base(ACol, ARow);
    if (ACol >= 0 && ARow >= 0 && ARow < RowCount()) {
        base = BaseCell(ACol, ARow);
        if (TCellProperties* p = GridObjects(base.X, base.Y); p && CanEdit) CanEdit = !p->ReadOnly();
    }
    if (OnCanEditCell) OnCanEditCell(this, base.Y, base.X, CanEdit);
}

void TAdvColumnGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (TGridColumnItem* item = ItemOf(ACol)) IsPassword = item->Password();
    TAdvStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

bool TAdvColumnGrid::HasComboBox(int ACol, int ARow)
{
    bool has = false;
    if (TGridColumnItem* item = ItemOf(ACol); item && ACol >= FixedCols() && ARow >= FixedRows())
        has = item->Editor() == edComboEdit || item->Editor() == edComboList;
    if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, has);
    return has;
}

int TAdvColumnGrid::GetEditLimit()
{
    const int c = Col();
    if (FColumnCollection && c < FColumnCollection->Count() && c >= FixedCols())
        if (TGridColumnItem* item = ItemOf(RealColIndex(c))) return item->EditLength();
    return TAdvStringGrid::GetEditLimit();
}

QString TAdvColumnGrid::GetEditMask(int ACol, int ARow)
{
    const QString own = TAdvStringGrid::GetEditMask(ACol, ARow);
    if (!own.isEmpty()) return own;
    if (FColumnCollection && ACol < FColumnCollection->Count() && ACol >= FixedCols())
        if (TGridColumnItem* item = ItemOf(RealColIndex(ACol))) return item->EditMask();
    return own;
}

TCellType TAdvColumnGrid::GetCellType(int ACol, int ARow)
{
    const TCellType own = TAdvStringGrid::GetCellType(ACol, ARow);
    if (HasState(csDestroying) || own != ctEmpty) return own;
    TGridColumnItem* item = ItemOf(ACol);
    return item && item->Editor() == edDataCheckBox && IsNormalCell(ACol, ARow) ? ctDataCheckBox : own;
}

TCellGraphic* TAdvColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic* own = TAdvStringGrid::GetCellGraphic(ACol, ARow);
    if (HasState(csDestroying) || own || !FDataCheckGraphic) return own;
    TGridColumnItem* item = ItemOf(ACol);
    if (!item || item->Editor() != edDataCheckBox || !IsNormalCell(ACol, ARow)) return own;
    if (TAdvStringGrid::GetCellType(ACol, ARow) != ctEmpty) return own;
    // One object stands in for every data check box of the grid.
    FDataCheckGraphic->SetCellType(ctVirtCheckBox);
    FDataCheckGraphic->SetCellTransparent(ControlLook() && ControlLook()->ControlStyle() == csFlat);
    return FDataCheckGraphic;
}

void TAdvColumnGrid::GetCheckTrue(int ACol, int ARow, QString& Value)
{
    Value = CheckTrue();
    TAdvStringGrid::GetCheckTrue(ACol, ARow, Value);
    if (TGridColumnItem* item = ItemOf(ACol); item && IsNormalCell(ACol, ARow)) Value = item->CheckTrue();
}

void TAdvColumnGrid::GetCheckFalse(int ACol, int ARow, QString& Value)
{
    Value = CheckFalse();
    TAdvStringGrid::GetCheckFalse(ACol, ARow, Value);
    if (TGridColumnItem* item = ItemOf(ACol); item && IsNormalCell(ACol, ARow)) Value = item->CheckFalse();
}

// ---- filter lists -----------------------------------------------------------------------------

bool TAdvColumnGrid::GetColumnFilter(int Column)
{
    TStringList* list = FilterList();
    list->SetSorted(false);
    TAdvStringGrid::HasColumnFilter(Column);
    TGridColumnItem* item = ItemOf(Column);
    if (!item || item->Filter()->Count() == 0) return false;
    list->Clear();
    for (int i = 0; i < item->Filter()->Count(); ++i) {
        QString name, cond;
        FilterEntryParts(item->Filter()->Strings(i), name, cond);
        list->Add(name);
    }
    return true;
}

void TAdvColumnGrid::FilterSelect(int ItemIndex)
{
    int col = -1;
    col = FilterColumn();
    TGridColumnItem* item = ItemOf(col);
    if (item && ItemIndex >= 0 && ItemIndex < item->Filter()->Count()) {
        QString name, cond;
        FilterEntryParts(item->Filter()->Strings(ItemIndex), name, cond);
        if (FAutoFilterDisplay) item->SetHeader(name);
        if (AutoFilterUpdate()) SetFilterActive(false);
        if (OnFilterSelect) OnFilterSelect(this, col, ItemIndex, name, cond);
        if (Filter()) SetColumnFilterCondition(Filter(), col, cond, item->FilterCaseSensitive());
        if (AutoFilterUpdate()) {
            SetFilterActive(true);
            if (RowCount() > FixedRows() && !(FixedRowAlways() && RowCount() == FixedRows() + 1))
                SetRow(FixedRows());
            DoFilterDone();
        }
    }
    SetFilterColumn(-1);
}

// ---- popup menus --------------------------------------------------------------------------------

void TAdvColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TAdvStringGrid::MouseDown(Button, Shift, X, Y);
    ShowColumnPopup(Button, X, Y);
}

void TAdvColumnGrid::ShowColumnPopup(TMouseButton Button, int X, int Y)
{
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0) return;
    TGridColumnItem* item = ItemOf(RealColIndex(cell.X));
    if (!item || !item->ColumnPopup()) return;
    const TColumnPopupType t = item->ColumnPopupType();
    const bool left = t == cpFixedCellsLClick || t == cpNormalCellsLClick || t == cpAllCellsLClick;
    if (!((Button == mbLeft && left) || (Button == mbRight && !left))) return;
    TPopupMenu* menu = item->ColumnPopup();
    if (OnColumnPopup) OnColumnPopup(this, cell.X, cell.Y, menu);
    const bool fixedRow = cell.Y < FixedRows();
    const bool fixedType = t == cpFixedCellsRClick || t == cpFixedCellsLClick;
    const bool normalType = t == cpNormalCellsRClick || t == cpNormalCellsLClick;
    const bool allType = !fixedType && !normalType;
    if (!menu || !((fixedRow && (fixedType || allType)) || (!fixedRow && (normalType || allType)))) return;
    const TRect r = CellRect(cell.X, cell.Y);
    const TPoint anchor = ClientToScreen(TPoint(r.Left, r.Bottom));
    menu->Popup(anchor.X, anchor.Y);
}
