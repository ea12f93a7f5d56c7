#pragma once
// The table in the multi-column drop-down's pop-up: a string grid that
// paints every cell itself (the header row from the drop-down's columns, the
// data rows from its items) and reports a taken row. It remembers whether
// the current row was reached in a way that confirms a choice (a key or a
// mouse press; the wheel only scrolls).

#include "AdvMultiColumnDropDown.h"
#include "Grids.h"

namespace AdvMultiColumnDropDown {

// Measuring a list's columns and rows (the grid drop-down's list measures
// the same way). Rows are 1 .. Rows - 1 (row 0 is the header).
// The width a column needs: per row its image width (0 for none) plus its
// text on one line and 6.
int ListColumnWidth(TCanvas* Canvas, TFont* Font, int Rows, const std::function<int(int Row)>& ImageWidth,
                    const std::function<QString(int Row)>& Text);
// The height a row needs for its wrapping columns (their widths, image
// heights and texts by column index): at least 24.
int ListWrappedRowHeight(TCanvas* Canvas, const std::vector<TDropDownColumn*>& Wrapping,
                         const std::function<int(int Col)>& Width, const std::function<int(int Col)>& ImageHeight,
                         const std::function<QString(int Col)>& Text);

class TAdvColGrid : public TStringGrid {
public:
    DECLARE_CLASSNAME(TAdvColGrid)
    explicit TAdvColGrid(TComponent* AOwner);
    ~TAdvColGrid() override;

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
    // The width of the lines this grid draws (the platform's own are off).
    int GridLineWidth() const { return FOwnLineWidth; }
    void SetGridLineWidth(int v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v) { FImages = v; }

    void SetDropDown(TAdvMultiColumnDropDown* DropDown) { FDropDown = DropDown; }
    TAdvMultiColumnDropDown* DropDown() const { return FDropDown; }
    void LoadFromDropDown(TAdvMultiColumnDropDown* DropDown);
    // Borders, all columns and a vertical scroll bar when not all rows show.
    int TotalWidth() const;
    // The cell's full rectangle (not clipped to the visible area).
    TRect CellBounds(int ACol, int ARow) const;
    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool v) { FConfirmSelection = v; }
    bool MouseWheel() const { return FMouseWheel; }
    void MeasureAutoSizeColumn(int Col);
    void SizeWrappedRows();
    // The line inset of a cell: (GridLineWidth + 1) div 2 for data, 1 for the header.
    static int LineInset(int LineWidth, bool Header) { return Header ? 1 : (LineWidth + 1) / 2; }

    TNotifyEvent OnSelect;
    TDrawCellEvent OnDrawCellEx;  // never fired
    TGetCellPropEvent OnGetCellProp;  // never fired
    TGetCellTextEvent OnGetCellText;  // never fired

    void WndProc(TMessage& Message) override;

protected:
    virtual void DoSelect();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

private:
    bool InPopup() const;
    void DrawCellLines(TCanvas* Canvas, const TRect& R, bool Header);

    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TFont> FHeaderFont;
    TColor FHeaderColor = clWhite;
    TColor FHeaderColorTo = clGray;
    int FHeaderHeight = 25;
    TColor FLineColor = clGray;
    TColor FFixedLineColor = clBlack;
    int FOwnLineWidth = 1;
    TCustomImageList* FImages = nullptr;
    TAdvMultiColumnDropDown* FDropDown = nullptr;
    bool FMouseWheel = false;
    bool FConfirmSelection = false;
};

}  // namespace AdvMultiColumnDropDown
