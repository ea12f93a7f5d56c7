// The overridable look and cell hooks of the string grid: each starts from
// the grid's settings and the cell's properties and then lets its event
// decide, so that an application (or the column grid) can change a value
// cell by cell. Painting, editing, hints and input ask these, never a look
// property or an event directly.

#include "AdvGrid.h"

#include "AdvGridLook.h"
#include "AdvUtil.h"

// ---- colours, borders, alignment ---------------------------------------------------------------

void TAdvStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (ActiveCellShow()) {
        const int d = DisplColIndex(ACol);
        const int fc = TBaseGrid::FixedCols(), fr = TBaseGrid::FixedRows();
        if ((ARow == Row() && fc > 0 && d == fc - 1) || (d == Col() && fr > 0 && ARow == fr - 1)) {
            AFont->Assign(ActiveCellFont());
            ABrush->SetColor(ActiveCellColor());
        }
    }
    if (const TCellProperties* p = GridObjects(ACol, ARow)) {
        switch (GetCellType(ACol, ARow)) {
        case ctIcon:
        case ctNone:
        case ctImageList:
        case ctEmpty:
        case ctImages:
        case ctComment:
            if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
            break;
        default: break;
        }
        if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
        if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
        if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
        if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
    }
    if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TAdvStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TAdvStringGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (FGrouping->HeaderUnderline() && ACol > 0 && IsNode(ARow)) {
        Borders = TCellBorders{cbBottom};
        APen->SetColor(FGrouping->HeaderLineColor());
        APen->SetWidth(FGrouping->HeaderLineWidth());
    }
    if (FGrouping->SummaryLine() && ACol > 0 && IsSummary(ARow)) {
        Borders = TCellBorders{cbTop};
        APen->SetColor(FGrouping->SummaryLineColor());
        APen->SetWidth(FGrouping->SummaryLineWidth());
    }
    if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TAdvStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TAdvStringGrid::GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) HAlign = taCenter;
    if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TAdvStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA)
{
    HA = DefaultAlignment();
    VA = VAlignment();
    QString text;
    bool formula = false;
    const bool needText = AutoNumAlign() || GridObjects(ACol, ARow);
    if (needText) {
        text = Cells(ACol, ARow);
        formula = GetTextType(text, false) == 3 || (text.startsWith(QLatin1Char('=')));
    }
    if (AutoNumAlign()) {
        QString value = text;
        if (formula) value = GetCalculatedCellText(ACol, ARow, text);
        const int kind = GetNumberType(value.trimmed());
        if (!value.trimmed().isEmpty() && (kind == 0 || kind == 1 || kind == 5)) HA = taRightJustify;
    }
    if (const TCellProperties* p = GridObjects(ACol, ARow); p && !formula) HA = p->Alignment();
    GetAlignment(ACol, ARow, HA, VA);
}

void TAdvStringGrid::GetFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix)
{
    if (OnGetFormat) OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

// ---- hints and cursor ------------------------------------------------------------------------------

void TAdvStringGrid::GetCellHintText(int ACol, int ARow, QString& Hint, QString& WideHint)
{
    if (OnGridHint) OnGridHint(this, ARow, ACol, Hint);
    if (OnGridWideHint) {
        OnGridWideHint(this, ARow, ACol, WideHint);
        if (!WideHint.isEmpty()) Hint = EncodeWideText(WideHint);
    }
}

void TAdvStringGrid::GetCellCursor(int ACol, int ARow, int X, int Y)
{
    if (!OnGetCellCursor) return;
    TCursor c = Cursor();
    OnGetCellCursor(this, ACol, ARow, X, Y, c);
    // The grid's Cursor property stays; only the shown cursor changes.
    if (Widget()) Widget()->setCursor(CursorOf(c));
}

// ---- editors ------------------------------------------------------------------------------------------

void TAdvStringGrid::GetEditorTypeFromEvent(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TAdvStringGrid::HasComboBox(int ACol, int ARow)
{
    if (OnHasComboBox) {
        bool has = false;
        OnHasComboBox(this, ACol, ARow, has);
        return has;
    }
    if (FControlLook->DropDownAlwaysVisible()) {
        TEditorType e = DefaultEditor();
        GetCellEditor(ACol, ARow, e);
        return e == edComboEdit || e == edComboList;
    }
    return false;
}

bool TAdvStringGrid::HasSpinEdit(int ACol, int ARow)
{
    if (ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows()) return false;
    if (OnHasSpinEdit) {
        bool has = false;
        OnHasSpinEdit(this, ACol, ARow, has);
        return has;
    }
    if (FControlLook->SpinButtonsAlwaysVisible()) {
        TEditorType e = DefaultEditor();
        GetEditorTypeFromEvent(ACol, ARow, e);
        return e == edSpinEdit || e == edFloatSpinEdit || e == edTimeSpinEdit || e == edDateSpinEdit;
    }
    return false;
}

// ---- fixed and editable ---------------------------------------------------------------------------------

void TAdvStringGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    if (IsFixed) return;
    IsFixed = (FFixedRowAlways && RowCount() == FFixedRowsMin && ARow <= FFixedRowsMin)
              || (FFixedColAlways && ColCount() == FFixedColsMin && ACol < FFixedColsMin)
              || ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows();
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

bool TAdvStringGrid::IsFixed(int ACol, int ARow)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    const int d = DisplColIndex(b.X);
    if (FFixedFooters > 0 && b.Y >= RowCount() - FFixedFooters) return true;
    if (FFixedRightCols > 0 && d >= ColCount() - FFixedRightCols && d < ColCount()) return true;
    bool fixed = false;
    IsFixedCell(d, b.Y, fixed);
    return fixed;
}

void TAdvStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit)
{
    const TPoint b = BaseCell(ACol, ARow);
    if (const TCellProperties* p = GridObjects(b.X, b.Y); p && CanEdit) {
        CanEdit = !p->ReadOnly();
        if (!Options().Contains(goEditing) && !FMouseActions->RangeSelectAndEdit()) CanEdit = false;
    }
    if (b.X < TotalColCount()) DoCanEditCell(b.X, b.Y, CanEdit);
    else CanEdit = true;
}

void TAdvStringGrid::DoCanEditCell(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TAdvStringGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TAdvStringGrid::GetCellWordWrap(int ACol, int ARow, bool& WordWrap)
{
    if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

// ---- check texts and filter values ------------------------------------------------------------------

void TAdvStringGrid::GetCheckTrue(int ACol, int ARow, QString& Value)
{
    Value = CheckTrue();
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TAdvStringGrid::GetCheckFalse(int ACol, int ARow, QString& Value)
{
    Value = CheckFalse();
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

bool TAdvStringGrid::HasColumnFilter(int ACol)
{
    TStringList* list = FFilterList;
    list->Clear();
    if (FilterDropDownAuto() && (ACol >= TBaseGrid::FixedCols() || FilterDropDownColumns() == fdAll)) {
        list->SetSorted(true);
        auto addValue = [list](const QString& v) {
            if (v.contains(QLatin1Char(' '))) list->Add(v + QLatin1Char('=') + QLatin1Char('"') + v + QLatin1Char('"'));
            else list->Add(v);
        };
        for (int r = TBaseGrid::FixedRows(); r < RowCount() - FFixedFooters; ++r) addValue(Cells(ACol, r).trimmed());
        if (!FilterIncremental())
            for (const auto& item : FGridItems) addValue(item->Text(ACol));
        list->SetSorted(false);
        if (!FilterDropDownClear().isEmpty()) list->Insert(0, FilterDropDownClear());
    }
    if (OnGetColumnFilter) OnGetColumnFilter(this, ACol, list);
    return list->Count() > 0;
}

// ---- defaults of a new property object ----------------------------------------------------------------

void TAdvStringGrid::GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                     TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD)
{
    TGridDrawState state;
    GetVisualProperties(ACol, ARow, state, false, false, false, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, AFont,
                        HA, VA, WW, GD);
    // Fixed, banded, gradient-backed and selected cells keep painting
    // through: their new property object stores no fill.
    const bool noFill = IsFixed(DisplColIndex(ACol), ARow) || (FBands && FBands->Active())
                        || (FBackGround && (FBackGround->Display() == bdGradientHorz
                                            || FBackGround->Display() == bdGradientVert))
                        || state.Contains(gdSelected);
    if (noFill) {
        ABrush->SetColor(clNone);
        AColorTo = clNone;
    }
}

// ---- event relays ------------------------------------------------------------------------------------

void TAdvStringGrid::DoButtonClick(int ACol, int ARow)
{
    if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TAdvStringGrid::GridButtonClick(TObject*)
{
    if (OnButtonClick) OnButtonClick(this, Col(), Row());
}

void TAdvStringGrid::DoExpandClick(int ACol, int ARow, bool Expanded)
{
    if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
    SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

void TAdvStringGrid::DoComboCloseUp(int ARow, int ACol)
{
    if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TAdvStringGrid::DoComboDropDown(int ARow, int ACol)
{
    if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TAdvStringGrid::DoSearchFooterAction(const QString& Value, int ACol, int ARow, TSearchAction SearchAction)
{
    if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

TFont* TAdvStringGrid::GetCellFont(int ACol, int ARow)
{
    const TCellProperties* p = GridObjects(ACol, ARow);
    if (!p) return Font();
    cf->SetName(p->FontName());
    cf->SetSize(p->FontSize());
    cf->SetStyle(p->FontStyle());
    cf->SetColor(p->FontColor());
    return cf;
}

// ---- small hooks around painting -------------------------------------------------------------------

QString TAdvStringGrid::GetCalculatedCellText(int ACol, int ARow, const QString& Text)
{
    (void)ACol;
    (void)ARow;
    return Text;
}
