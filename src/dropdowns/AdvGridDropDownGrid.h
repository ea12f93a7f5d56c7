#pragma once
// The grid drop-down's columns, items and list grid. The list grid is a
// full string grid: its cells hold the item texts, so the grid's own
// sorting, filtering, editing, hover row and search footer work on them.
// Column 0 of every data row carries the index of the item shown in that
// row in its object slot (header cells carry -1), so rows and items stay
// mapped whatever order or filter the grid shows.

#include "AdvGrid.h"
#include "AdvMultiColumnDropDown.h"

namespace AdvCustomGridDropDown {

class TCustomAdvGridDropDown;

using AdvMultiColumnDropDown::ctImage;
using AdvMultiColumnDropDown::ctText;
using AdvMultiColumnDropDown::TColumnType;
using AdvMultiColumnDropDown::TDrawCellEvent;
using AdvMultiColumnDropDown::TGetCellPropEvent;
using AdvMultiColumnDropDown::TGetCellTextEvent;

// The same properties, defaults and copying as the multi-column list's
// column and item; distinct types of this list.
class TDropDownColumn : public AdvMultiColumnDropDown::TDropDownColumn {
public:
    DECLARE_CLASSNAME(TDropDownColumn)
    using AdvMultiColumnDropDown::TDropDownColumn::TDropDownColumn;
};

class TDropDownColumns : public TCollection {
public:
    DECLARE_CLASSNAME(TDropDownColumns)
    explicit TDropDownColumns(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TDropDownColumn* Add() { return static_cast<TDropDownColumn*>(TCollection::Add()); }
    TDropDownColumn* Insert(int Index) { return static_cast<TDropDownColumn*>(TCollection::Insert(Index)); }
    TDropDownColumn* Items(int Index) const { return static_cast<TDropDownColumn*>(TCollection::Items(Index)); }
    TNotifyEvent OnChange;

private:
    TPersistent* FOwner;
};

class TDropDownItem : public AdvMultiColumnDropDown::TDropDownItem {
public:
    DECLARE_CLASSNAME(TDropDownItem)
    using AdvMultiColumnDropDown::TDropDownItem::TDropDownItem;
};

class TDropDownItems : public TCollection {
public:
    DECLARE_CLASSNAME(TDropDownItems)
    explicit TDropDownItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    // The class of the items Add makes; a descendant list answers its own.
    virtual TCollectionItemFactory GetItemClass() const { return ItemClassOf<TDropDownItem>(); }
    TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
    TDropDownItem* Insert(int Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
    TDropDownItem* Items(int Index) const { return static_cast<TDropDownItem*>(TCollection::Items(Index)); }
    TNotifyEvent OnChange;

private:
    TPersistent* FOwner;
};

// ---- the list grid -------------------------------------------------------------------------

class TAdvColGrid : public TAdvStringGrid {
public:
    DECLARE_CLASSNAME(TAdvColGrid)
    explicit TAdvColGrid(TComponent* AOwner);
    ~TAdvColGrid() override;
    void AfterConstruction() override;

    // Stored for the owner; the string grid paints itself.
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* v) { FColumns->Assign(v); }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor v) { FHeaderColor = v; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor v) { FHeaderColorTo = v; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v) { FHeaderHeight = v; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* v) { FHeaderFont->Assign(v); }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor v) { FLineColor = v; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor v) { FFixedLineColor = v; }
    int GridLineWidth() const { return FOwnLineWidth; }
    void SetGridLineWidth(int v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v) { FImages = v; }

    void SetDropDown(TCustomAdvGridDropDown* DropDown) { FDropDown = DropDown; }
    TCustomAdvGridDropDown* DropDown() const { return FDropDown; }
    // At every opening: columns, rows, look and options from the drop-down.
    void LoadFromDropDown(TCustomAdvGridDropDown* DropDown);
    // The header row and one row per item of the owner.
    void LoadItems();
    // Borders, the visible columns and a vertical scroll bar when not all rows show.
    int TotalWidth() const;
    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool v) { FConfirmSelection = v; }
    bool MouseWheel() const { return FMouseWheel; }
    // The in-place editor of the list is open.
    bool Editing() const { return EditMode; }
    void MeasureAutoSizeColumn(int Col);
    void SizeWrappedRows();

    TNotifyEvent OnSelect;
    TDrawCellEvent OnDrawCellEx;      // never fired
    TGetCellPropEvent OnGetCellProp;  // never fired
    TGetCellTextEvent OnGetCellText;  // never fired

    void WndProc(TMessage& Message) override;

protected:
    virtual void DoSelect();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

private:
    bool InPopup() const;
    // A data row's text for measuring: the item's line, else the cell.
    QString MeasureText(int Col, int Row);
    bool RowHasImage(int Row) const;

    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TFont> FHeaderFont;
    TColor FHeaderColor = clWhite;
    TColor FHeaderColorTo = clGray;
    int FHeaderHeight = 25;
    TColor FLineColor = clGray;
    TColor FFixedLineColor = clBlack;
    int FOwnLineWidth = 1;
    TCustomImageList* FImages = nullptr;
    TCustomAdvGridDropDown* FDropDown = nullptr;
    bool FMouseWheel = false;
    bool FConfirmSelection = false;
};

}  // namespace AdvCustomGridDropDown
