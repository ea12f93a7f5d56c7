#pragma once
// The base of every grid of the control library: a cell store with a display
// view and a raw view of every cell, per-cell property objects created on
// first use, merged cells that show, edit, navigate and paint as one cell,
// and the one cell painter.
//
// Merged cells: the top-left cell of an area is its base cell; text, look
// and objects of the area live there. Every cell of an area holds a property
// object: the base has the spans of the area beyond itself (W-1, H-1), a
// covered cell the offsets to its base and IsBaseCell false. A cell that is
// not merged has spans -1/-1 (or no property object at all).
//
// Ownership: the object slot of a cell holds its TCellProperties and nothing
// else; the grid owns them. The user value of a cell (Objects) is a plain
// pointer-sized integer the grid never frees. Graphic objects are freed by
// the bulk free only when their class is TCellGraphic.

#include "Grids.h"
#include "Persistence.h"

#include <QString>
#include <cstdint>
#include <functional>

class TBaseGrid;
class TAdvGridUndoRedo;

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell { hcNormal, hcFixed, hcSelected };
using THoverRowCells = TSet<THoverRowCell>;

// Footer calculation of a cell.
enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };

// The editor kinds of a grid cell (ordinals 0 to 42).
enum TEditorType {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars,
    edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edAdvGridDropDown, edPositiveFloat,
    edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn
};

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
// Value is the decoded wide text (a QString holds UTF-16 already).
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;

// ---------------------------------------------------------------------------
// The look, place in a merged area and extras of one cell.

class TCellProperties : public TPersistent {
    friend class TBaseGrid;

public:
    DECLARE_CLASSNAME(TCellProperties)
    TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);

    // Copies the published look and merge data of another TCellProperties;
    // owner, graphic object, BrushColorTo, GradientDirection, paint number
    // and calculation fields stay.
    void Assign(TPersistent* Source) override;
    // The published properties in stream order.
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

    TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
    int OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(int v) { FOwnerCol = v; }
    int OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(int v) { FOwnerRow = v; }
    intptr_t CellObject() const { return FObject; }
    void SetCellObject(intptr_t v) { FObject = v; }
    TObject* GraphicObject() const { return FGraphicObject; }
    void SetGraphicObject(TObject* v) { FGraphicObject = v; }
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle v) { FBrushStyle = v; }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor v);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor v);
    int FontSize() const { return FFontSize; }
    void SetFontSize(int v) { FFontSize = v; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor v) { FFontColor = v; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles v) { FFontStyle = v; }
    int CellSpanY() const { return FCellSpanY; }
    void SetCellSpanY(int v) { FCellSpanY = v; }
    int CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(int v) { FCellSpanX = v; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { FBorderColor = v; }
    // Stores only: the table windows set it while loading and repaint anyway.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v);
    int PaintID() const { return FPaintID; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool v) { FIsBaseCell = v; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType v) { FCalcType = v; }
    TObject* CalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject* v) { FCalcObject = v; }
    int NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int v) { FNodeLevel = v; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType v) { FEditor = v; }
    QString FontName() const { return FFontName; }
    void SetFontName(const QString& v) { FFontName = v; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection v) { FGradientDirection = v; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* v) { FControl = v; }

    // The base cell of cell (c, r) by this object's merge data: the cell
    // itself unless the object is a covered cell.
    TPoint GetBaseCell(int c, int r) const;

private:
    void RepaintOwnerCell();

    TBaseGrid* FOwnerGrid;
    int FOwnerCol;
    int FOwnerRow;
    intptr_t FObject = 0;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clWindow;
    TColor FBrushColorTo = clNone;
    int FFontSize = 8;
    TColor FFontColor = clWindowText;
    TFontStyles FFontStyle;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    TColor FBorderColor = 0;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    int FPaintID = 0;
    bool FWordWrap = true;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject* FCalcObject = nullptr;
    int FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    QString FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    TControl* FControl = nullptr;
};

// ---------------------------------------------------------------------------

// The platform string grid under the grid base's name chain.
class TObjStringGrid : public TStringGrid {
public:
    DECLARE_CLASSNAME(TObjStringGrid)
    explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};

class TBaseGrid : public TObjStringGrid {
public:
    DECLARE_CLASSNAME(TBaseGrid)
    explicit TBaseGrid(TComponent* AOwner);
    ~TBaseGrid() override;

    // ---- the display view: merged cells read and write their base cell,
    // normal rows pass the display hooks.
    QString Cells(int c, int r) { return GetCellEx(c, r); }
    void SetCells(int c, int r, const QString& v) { SetCellEx(c, r, v); }
    QString GetCellEx(int c, int r);
    void SetCellEx(int c, int r, const QString& v);
    // The user value of the cell's property object (0 without one).
    intptr_t Objects(int c, int r) const { return GetObjectEx(c, r); }
    void SetObjects(int c, int r, intptr_t v) { SetObjectEx(c, r, v); }
    intptr_t GetObjectEx(int c, int r) const;
    void SetObjectEx(int c, int r, intptr_t v);
    TObject* GraphicObjects(int c, int r) const { return GetGraphicObjectEx(c, r); }
    void SetGraphicObjects(int c, int r, TObject* v) { SetGraphicObjectEx(c, r, v); }
    TObject* GetGraphicObjectEx(int c, int r) const;
    void SetGraphicObjectEx(int c, int r, TObject* v);

    // ---- the raw view: the platform store as it is.
    QString GridCells(int c, int r) const { return TStringGrid::Cells(c, r); }
    void SetGridCells(int c, int r, const QString& v) { TStringGrid::SetCells(c, r, v); }
    // The object slot; writing it drops what it held without freeing it (the
    // caller has taken or freed that object).
    TCellProperties* GridObjects(int c, int r) const;
    void SetGridObjects(int c, int r, TCellProperties* v);

    // ---- property objects
    // The cell's property object, created with the cell defaults on first
    // use. Raises "Invalid cell" for a negative column or row.
    TCellProperties* GetCellProperties(int c, int r);
    TCellProperties* CellProperties(int c, int r) { return GetCellProperties(c, r); }
    // Frees the object the slot holds and stores Value (nil: the slot
    // empties); nothing when Value already is the slot's object.
    void SetCellProperties(int c, int r, TCellProperties* Value);
    // Takes the cell's property object out of its slot and hands it to the
    // caller, who then owns it; nil when the cell has none.
    TCellProperties* ReleaseCellProperties(int c, int r);
    void FreeCellPropertiesRange(int FromCol, int FromRow, int ToCol, int ToRow);
    // Frees the property object of one cell, not its graphic object.
    void FreeCellProperties(int ACol, int ARow);
    void FreeAllCellProperties();
    static TObject* GraphicObjectOf(const TCellProperties* Props) { return Props ? Props->GraphicObject() : nullptr; }

    // ---- merged cells
    bool IsBaseCell(int ACol, int ARow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsMergedNonBaseCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    TPoint BaseCell(int ACol, int ARow) const;
    TPoint CellSpan(int ACol, int ARow) const;
    TPoint CellExt(int ACol, int ARow) const;
    // The area of the cell in cell coordinates, both corners inclusive.
    TGridRect FullCell(int c, int r) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    // Merges spanx columns by spany rows from (c, r), clipped to the grid;
    // an area that overlaps the rectangle only partly is split first.
    virtual void MergeCells(int c, int r, int spanx, int spany);
    // Splits the area of any of its cells.
    virtual void SplitCells(int c, int r);
    int MergeCount() const { return FMergeCount; }

    // ---- geometry (client coordinates)
    // From widths and heights alone, also for cells out of view.
    TRect CalcCellRect(int ACol, int ARow) const;
    // The whole area for a merged cell.
    TRect CellRect(int c, int r) const;
    TPoint CellSize(int c, int r) const;
    void RepaintCell(int c, int r);
    int FixedColsWidth() const;
    int FixedRowsHeight() const;

    // ---- painting
    void PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    // A cell's background and lines on any canvas, in ARect; no content.
    void PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);

    // ---- hooks
    virtual bool IsFixed(int ACol, int ARow);
    virtual int GetRowIndent(int ARow);
    virtual bool HasNodes();
    virtual void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    virtual void LastRowChanged();
    virtual void GetDisplText(int ACol, int ARow, QString& Value);
    virtual void GetDisplWideText(int ACol, int ARow, QString& Value);
    virtual void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                 TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                 bool& WW, TCellGradientDirection& GD);
    virtual void CellTextChanged(int ACol, int ARow);
    virtual bool HasCellBorders();
    // True when a style engine paints fixed and selected backgrounds itself
    // (none here).
    virtual bool UsesStyleEngine();
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                     bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                     TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD);
    virtual int DisplColIndex(int ACol) const;
    virtual int TotalColCount() const;

    // ---- properties
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool v);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int v);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor v);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor v);
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool v);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor v);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor v);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor v);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor v);
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle v);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool v) { FHoverRow = v; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor v) { FHoverRowColor = v; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor v) { FHoverRowColorTo = v; }
    THoverRowCells HoverRowCells() const { return FHoverRowCells; }
    void SetHoverRowCells(THoverRowCells v) { FHoverRowCells = v; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { FWordWrap = v; }
    TAdvGridUndoRedo* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(TAdvGridUndoRedo* v);
    int PaintNumber() const { return FPaintID; }
    bool HasCellProps() const { return FHasCellProps; }

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

protected:
    // The painter: background, lines and (on the screen) the content.
    void PaintCellContent(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState, bool Screen);

    bool HasCellProperties(int ACol, int ARow) const;
    // True for a cell that is not covered; the outputs are its base cell.
    bool CheckBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
    void SnapToBaseCell();
    // Empty the slots and write "" through Cells; the caller has taken or
    // freed the property objects first.
    void ClearColCells(int ACol);
    void ClearRowCells(int ARow);
    void ClearCell(int ACol, int ARow);
    void RepaintMergedFixedCols();
    void RepaintMergedFixedRows();

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void TopLeftChanged() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = 0xC0C0C0;
    TColor FGridFixedLineColor = 0x808080;
    int FPaintID = 1;
    bool FHideLastRow = false;
    int FNormalRowCount = 0;
    TAdvGridUndoRedo* FUndoRedo = nullptr;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    int FHoverRowIdx = -1;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells{hcNormal, hcSelected};
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;
    int FMergeCount = 0;

private:
    // Makes every cell of the area with base (bc, br) and spans (sx, sy) a
    // plain cell again, within the grid.
    void SplitArea(int bc, int br, int sx, int sy);
    // The areas that share a cell with the rectangle without lying inside it.
    void SplitOverlappingAreas(const TGridRect& r);
    void FreeProps(TCellProperties* p);
    int ColW(int c) const;
    int RowH(int r) const;
    // Stores v in field f and repaints the whole grid when it changed.
    template <class T>
    void StoreAndInvalidate(T& f, T v)
    {
        if (f == v) return;
        f = v;
        Invalidate();
    }
};

#include "BaseGridUndo.h"
