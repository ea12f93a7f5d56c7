#include "AdvGridDropDownGrid.h"

#include "AdvDropDownForm.h"
#include "AdvGridDropDown.h"
#include "AdvMultiColumnDropDownGrid.h"
#include "ImgList.h"
#include "OsProfile.h"

#include <algorithm>

namespace AdvCustomGridDropDown {

// ---------------------------------------------------------------------------
// Columns and items

TDropDownColumns::TDropDownColumns(TPersistent* AOwner)
    : TCollection(ItemClassOf<TDropDownColumn>()), FOwner(AOwner)
{
}

TDropDownItems::TDropDownItems(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return static_cast<TDropDownItems*>(c)->GetItemClass()(c); }),
      FOwner(AOwner)
{
}

// ---------------------------------------------------------------------------
// The list grid

TAdvColGrid::TAdvColGrid(TComponent* AOwner)
    : TAdvStringGrid(AOwner), FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>())
{
}

TAdvColGrid::~TAdvColGrid() = default;

void TAdvColGrid::AfterConstruction()
{
    TAdvStringGrid::AfterConstruction();
    SetFixedRowAlways(true);
    SetFixedRows(1);
    SetFixedCols(0);
    TGridOptions o = Options();
    o.Exclude(goRangeSelect);
    o.Include(goRowSelect).Include(goHorzLine);
    SetOptions(o);
    SetCtl3D(false);
    SetBorderStyle(bsNone);
    FOwnLineWidth = 1;
}

void TAdvColGrid::SetGridLineWidth(int v)
{
    FOwnLineWidth = v;
    TAdvStringGrid::SetGridLineWidth(0);
    Invalidate();
}

bool TAdvColGrid::InPopup() const
{
    return dynamic_cast<TDropDownForm*>(Parent()) != nullptr;
}

void TAdvColGrid::LoadFromDropDown(TCustomAdvGridDropDown* DropDown)
{
    if (!DropDown) return;
    FDropDown = DropDown;
    FColumns->Assign(DropDown->Columns());
    // Columns the program added to the grid stay.
    if (ColCount() < FColumns->Count()) SetColCount(FColumns->Count());
    if (DropDown->UseItems()) SetRowCount(DropDown->Items()->Count() + 1);
    for (int i = 0; i < FColumns->Count(); ++i) SetColWidths(i, FColumns->Items(i)->Width());
    FLineColor = DropDown->LineColor();
    FFixedLineColor = DropDown->FixedLineColor();
    FHeaderColor = DropDown->HeaderColor();
    FHeaderColorTo = DropDown->HeaderColorTo();
    FHeaderHeight = DropDown->HeaderHeight();
    FHeaderFont->Assign(DropDown->HeaderFont());
    SetHoverRow(DropDown->HoverRow());
    SetHoverRowColor(DropDown->HoverRowColor());
    SetHoverRowColorTo(DropDown->HoverRowColorTo());
    FImages = DropDown->Images();
    SetDefaultRowHeight(DropDown->DropDownRowHeight());
    SetRowHeights(0, FHeaderHeight);
    TGridOptions o = Options();
    const auto follow = [&o](TGridOption opt, bool on) {
        if (on)
            o.Include(opt);
        else
            o.Exclude(opt);
    };
    follow(goColSizing, DropDown->ColumnSizing());
    follow(goColMoving, DropDown->ColumnMoving());
    follow(goRowSizing, DropDown->RowSizing());
    follow(goRowMoving, DropDown->RowMoving());
    SetOptions(o);
    if (DropDown->AutoSizeColumns()) {
        if (DropDown->UseItems()) {
            for (int i = 0; i < FColumns->Count(); ++i)
                if (FColumns->Items(i)->AutoSize()) MeasureAutoSizeColumn(i);
        } else {
            AutoSizeColumns(true, 4);
        }
    }
    SizeWrappedRows();
}

void TAdvColGrid::LoadItems()
{
    if (!FDropDown) return;
    const int columns = FDropDown->Columns()->Count();
    if (columns > 0 && ColCount() != columns) SetColCount(columns);
    for (int c = 0; c < ColCount(); ++c) {
        SetCells(c, 0, c < columns ? FDropDown->Columns()->Items(c)->Header() : QString());
        SetObjects(c, 0, -1);
    }
    TDropDownItems* items = FDropDown->Items();
    if (items->Count() == 0) return;
    SetRowCount(FixedRows() + items->Count());
    for (int j = 0; j < items->Count(); ++j) {
        const QStringList& t = items->Items(j)->Text();
        for (int c = 0; c < ColCount(); ++c) SetCells(c, j + 1, t.value(c));
        SetObjects(0, j + 1, j);
    }
}

int TAdvColGrid::TotalWidth() const
{
    int w = 2 * BorderWidth();
    for (int i = 0; i < ColCount(); ++i) w += ColWidths(i);
    if (VisibleRowCount() + FixedRows() < RowCount()) w += GetOsProfile().ScrollBarExtent;
    return w;
}

void TAdvColGrid::DoSelect()
{
    if (OnSelect) OnSelect(this);
}

void TAdvColGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TAdvStringGrid::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages && !HasState(csDestroying)) FImages = nullptr;
}

// ---- taking a row

void TAdvColGrid::KeyDown(Word& Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FDropDown) FDropDown->Perform(WM_KEYDOWN, Key, 0);
        return;
    }
    if (Key == VK_RETURN) {
        // Enter takes the row: the grid neither moves nor starts editing.
        Word none = 0;
        TAdvStringGrid::KeyDown(none, Shift);
        Key = 0;
        DoSelect();
        return;
    }
    TAdvStringGrid::KeyDown(Key, Shift);
}

void TAdvColGrid::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_TAB) return;
    if (Message.Msg == WM_CHAR && Message.WParam == VK_RETURN) {
        Message.Result = 0;
        return;
    }
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
        return;
    }
    TAdvStringGrid::WndProc(Message);
}

void TAdvColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    TAdvStringGrid::MouseDown(Button, Shift, X, Y);
}

void TAdvColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TAdvStringGrid::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    int c = 0, r = 0;
    MouseToCell(X, Y, c, r);
    if (r < FixedRows() || r >= RowCount() || c < 0) return;
    if (HasCheckBox(RealColIndex(c), r)) return;
    DoSelect();
}

bool TAdvColGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    FMouseWheel = true;
    FConfirmSelection = false;
    const bool done = TAdvStringGrid::DoMouseWheelDown(Shift, MousePos);
    FMouseWheel = false;
    return done;
}

bool TAdvColGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    FMouseWheel = true;
    FConfirmSelection = false;
    const bool done = TAdvStringGrid::DoMouseWheelUp(Shift, MousePos);
    FMouseWheel = false;
    return done;
}

// ---- measuring

QString TAdvColGrid::MeasureText(int Col, int Row)
{
    if (FDropDown && FDropDown->UseItems()) {
        TDropDownItems* items = FDropDown->Items();
        return Row - 1 < items->Count() ? items->Items(Row - 1)->Text().value(Col) : QString();
    }
    return Cells(Col, Row);
}

bool TAdvColGrid::RowHasImage(int Row) const
{
    if (!FImages || !FDropDown || !FDropDown->UseItems()) return false;
    TDropDownItems* items = FDropDown->Items();
    return Row - 1 < items->Count() && items->Items(Row - 1)->ImageIndex() >= 0;
}

void TAdvColGrid::MeasureAutoSizeColumn(int Col)
{
    if (Col < 0 || Col >= FColumns->Count() || !FColumns->Items(Col)->AutoSize() || !InPopup()) return;
    TDropDownColumn* column = FColumns->Items(Col);
    const bool images = column->ColumnType() == ctImage;
    const int widest = AdvMultiColumnDropDown::ListColumnWidth(
        Canvas(), column->Font(), RowCount(),
        [&](int r) { return images && RowHasImage(r) ? FImages->Width() + 4 : 0; },
        [&](int r) { return MeasureText(Col, r); });
    SetColWidths(Col, widest);
    column->SetWidth(widest);
}

void TAdvColGrid::SizeWrappedRows()
{
    if (!InPopup()) return;
    std::vector<AdvMultiColumnDropDown::TDropDownColumn*> wrapping;
    for (int c = 0; c < FColumns->Count(); ++c)
        if (FColumns->Items(c)->Wordwrap()) wrapping.push_back(FColumns->Items(c));
    if (wrapping.empty()) return;
    for (int r = 1; r < RowCount(); ++r) {
        const auto imageHeight = [&](int c) {
            return FColumns->Items(c)->ColumnType() == ctImage && RowHasImage(r) ? FImages->Height() + 6 : 0;
        };
        SetRowHeights(r, AdvMultiColumnDropDown::ListWrappedRowHeight(
                             Canvas(), wrapping, [this](int c) { return ColWidths(c); }, imageHeight,
                             [&](int c) { return MeasureText(c, r); }));
    }
}

}  // namespace AdvCustomGridDropDown
