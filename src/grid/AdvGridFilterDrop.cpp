// The filter drop-down under a header cell's filter button: the grid's
// filter objects and lists, opening and placing a list, and what a choice
// in the single-choice list or a tick in the check list does to Filter.

#include "AdvGrid.h"
#include "AdvGridFilter.h"
#include "AdvGridSearchFooter.h"

#include <QFontMetrics>
#include <algorithm>
#include <vector>

namespace {

// Filter button zone: the right 16 pixels of the cell, left of its last 3,
// above its top + 19.
constexpr int kFilterGlyphZone = 16;
constexpr int kFilterGlyphRightInset = 3;
constexpr int kFilterGlyphHeight = 19;
// The list opens 16 pixels below the cell top; texts get 8 pixels of room;
// the list's sunken edge is 2 pixels on each side.
constexpr int kFilterListTopOffset = 16;
constexpr int kFilterListTextPad = 8;
constexpr int kFilterListEdge = 2;

}  // namespace

void TAdvStringGrid::CreateFilterAndSearchParts()
{
    FFilter = new TFilter(this);
    // Filter buttons sit in the first fixed row unless told otherwise.
    FFilterRow = 0;
    FFilterDropDown = new TFilterDropDown(this);
    // Both lists wait hidden and empty-sized until a filter button opens them.
    FDropList = new TDropList(this);
    FDropList->SetVisible(false);
    FDropList->SetBounds(0, 0, 0, 0);
    FDropList->OnSelect = [this](TObject*, int ItemIndex) { FilterListSelect(ItemIndex); };
    // A list closed by losing the focus remembers its column, so that the
    // release of the press that took the focus on its button closes it.
    auto cancel = [this](TObject*) {
        FFilterClosedCol = FFilterCol;
        FFilterCol = -1;
    };
    FDropList->OnCancel = cancel;
    auto* check = new TDropCheckList(this);
    check->SetVisible(false);
    check->SetBounds(0, 0, 0, 0);
    check->OnSelect = [this](TObject*, int) { FilterCheckListSelect(); };
    check->OnCancel = cancel;
    FDropCheckList = check;
    CreateSearchPanel();
}

void TAdvStringGrid::SetFilterDropDownRow(int Value)
{
    if (Value < 0 || Value >= FixedRows() || Value == FFilterRow) return;
    FFilterRow = Value;
    Invalidate();
}

bool TAdvStringGrid::IsFilterButtonHit(int ACol, int ARow, int X, int Y)
{
    if (ACol < 0 || ARow < 0 || FFilterRow < 0 || ARow != FFilterRow) return false;
    const TRect r = CellRect(ACol, ARow);
    if (!(X > r.Right - kFilterGlyphZone && X < r.Right - kFilterGlyphRightInset && Y < r.Top + kFilterGlyphHeight))
        return false;
    return HasColumnFilter(RealColIndex(ACol));
}

bool TAdvStringGrid::HandleFilterListRelease(int ACol, int ARow, int X, int Y)
{
    const bool onGlyph = IsFilterButtonHit(ACol, ARow, X, Y);
    const int closed = FFilterClosedCol;
    FFilterClosedCol = -1;
    if (onGlyph && RealColIndex(ACol) == closed) return true;
    if (!onGlyph || RealColIndex(ACol) == FFilterCol) {
        const bool wasOpen = FFilterCol >= 0;
        HideFilterLists();
        return onGlyph && wasOpen;
    }
    ShowFilterList(RealColIndex(ACol));
    return true;
}

void TAdvStringGrid::HideFilterLists()
{
    if (FDropList && FDropList->Visible()) FDropList->SetVisible(false);
    if (FDropCheckList && FDropCheckList->Visible()) FDropCheckList->SetVisible(false);
    FFilterCol = -1;
}

void TAdvStringGrid::ShowFilterList(int RCol)
{
    if (!FDropList || !HasColumnFilter(RCol)) return;
    FFilterCol = RCol;
    const bool checks = FilterDropDownCheck();
    TCustomListBox* list = checks ? static_cast<TCustomListBox*>(DropCheckList()) : FDropList;
    list->SetColor(FFilterDropDown->Color());
    list->Font()->Assign(FFilterDropDown->Font());
    list->Clear();
    const QFontMetrics fm(FFilterDropDown->Font()->ToQFont());
    int widest = 0;
    std::vector<int> ticks;
    for (int i = 0; i < FFilterList->Count(); ++i) {
        QString name, cond;
        FilterEntryParts(FFilterList->Strings(i), name, cond);
        list->Items()->Add(name);
        QString shown = name;
        if (checks) {
            // A name holding a blank stands in double quotes in its condition.
            if (shown.contains(QLatin1Char(' '))) shown = QLatin1Char('"') + shown + QLatin1Char('"');
            bool ticked = false;
            for (int k = 0; k < FFilter->Count() && !ticked; ++k)
                ticked = FFilter->Items(k)->Column() == RCol && FFilter->Items(k)->Condition() == shown;
            if (ticked) ticks.push_back(i);
        }
        widest = std::max(widest, fm.horizontalAdvance(shown) + kFilterListTextPad);
    }
    if (!checks) list->SetItemIndex(0);

    int w = FFilterDropDown->Width();
    int h = FFilterDropDown->Height();
    if (FFilterDropDown->AutoSize()) {
        h = list->Count() * fm.height() + 2 * kFilterListEdge;
        w = widest + 2 * kFilterListEdge;
    }
    const int dcol = DisplColIndex(RCol);
    const TRect cell = CellRect(dcol, FFilterRow);
    int left = cell.Right - kFilterGlyphZone;
    const int top = cell.Top + kFilterListTopOffset;
    if (FFilterDropDown->ColumnWidth()) {
        left = cell.Left;
        w = cell.Right - cell.Left;
    }
    if (left + w > Width()) left = std::max(0, CellRect(dcol, 0).Right - w);
    list->SetParent(this);
    list->SetBounds(left, top, w, h);
    list->SetVisible(true);
    for (int i : ticks) DropCheckList()->SetChecked(i, true);
    if (list->CanFocus()) list->SetFocus();
}

void TAdvStringGrid::FilterListSelect(int ItemIndex)
{
    const int col = FFilterCol;
    if (CanFocus()) SetFocus();
    if (col >= 0 && col < TotalColCount() && ItemIndex >= 0 && FDropList && ItemIndex < FDropList->Count()) {
        HasColumnFilter(col);
        if (ItemIndex < FFilterList->Count()) {
            QString name, cond;
            FilterEntryParts(FFilterList->Strings(ItemIndex), name, cond);
            if (AutoFilterUpdate()) SetFilterActive(false);
            if (cond == FilterDropDownClear()) cond.clear();
            if (OnFilterSelect) OnFilterSelect(this, col, ItemIndex, name, cond);
            if (!cond.isEmpty()) FFilter->GetColFilter(col)->SetCondition(cond);
            else FFilter->RemoveColumnFilter(col);
            if (AutoFilterUpdate()) {
                SetFixedRowAlways(true);
                SetFilterActive(true);
                if (RowCount() > FixedRows() + FixedFooters()) SetRow(FixedRows());
                DoFilterDone();
            }
        }
    }
    FFilterCol = -1;
}

void TAdvStringGrid::FilterCheckListSelect()
{
    const int col = FFilterCol;
    TDropCheckList* list = DropCheckList();
    if (col < 0 || col >= TotalColCount() || !list) return;
    HasColumnFilter(col);
    if (AutoFilterUpdate()) SetFilterActive(false);
    FFilter->Clear();
    for (int i = 0; i < list->Count() && i < FFilterList->Count(); ++i) {
        if (!list->Checked(i)) continue;
        QString name, cond;
        FilterEntryParts(FFilterList->Strings(i), name, cond);
        if (cond == FilterDropDownClear()) cond.clear();
        if (OnFilterCheck) OnFilterCheck(this, col, i, name, cond, list);
        const bool first = FFilter->Count() == 0;
        TFilterData* d = FFilter->Add();
        d->SetCondition(cond);
        d->SetColumn(col);
        d->SetOperation(first ? foNONE : foOR);
    }
    SetFilterActive(true);
    list->Invalidate();
}
