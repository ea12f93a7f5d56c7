#pragma once
// TAdvStringGrid: the string grid every table window and every later grid
// feature stands on. A TBaseGrid (cell store, property objects, merged
// cells, undo) with hidden columns and hidden rows and the mapping between
// real and displayed indexes, typed cell access, row and column structure,
// disjunct selection and row flags, cell objects, footer calculation, the
// update counter and change listeners, and the settings objects it owns.
//
// Indexes: columns are real columns (hidden ones counted) unless a name
// says display; rows are displayed rows except in the All... accessors,
// which take real rows. ColCount and RowCount count what is shown;
// NumHiddenColumns and NumHiddenRows count the rest.
//
// Construct with Create<TAdvStringGrid>(Owner): the steps that reach
// overridable operations run after the constructor. Free it with Free():
// the steps that need the whole object run before the destructor.
//
// The unit's files: AdvGrid (the frame), AdvGridUnit (start-up and unit
// routines), AdvGridCellGraphic (cell objects), AdvGridHidden (hidden
// columns and rows), AdvGridRows (structure), AdvGridCells (content),
// AdvGridSelection, AdvGridClear, AdvGridUpdate (timer, update counter,
// listeners, footer).

#include "AdvGridCellGraphic.h"
#include "AdvGridEdit.h"
#include "AdvGridFilter.h"  // TFilterDropDownColumns, declared once
#include "AdvGridFind.h"
#include "AdvGridHidden.h"
#include "AdvGridHooks.h"
#include "AdvGridSort.h"
#include "AdvGridUpdate.h"
#include "AdvObj.h"
#include "AdvObjPopup.h"
#include "AdvStyleIF.h"
#include "asgcheck.h"
#include "BaseGrid.h"
#include "Clock.h"
#include "ComponentRef.h"
#include "StdCtrls.h"

#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

DECLARE_EXCEPTION(EAdvGridError, Exception)

class QObject;
class QIODevice;
class THTMLPictureCache;
class TCustomImageList;
class TAdvStringGrid;
class TAdvInplaceEdit;
class TGridCombo;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class TGridCheckBox;
class TGridSpin;
class TGridDatePicker;
class TGridDateTimePicker;
class TEditLink;
class TGridTransEdit;
class TGridTransCombo;
class TControlEdit;
class TControlCombo;
class TAdvRichEdit;

// Owned objects whose classes other files build: settings holders and panels.
class TFooterPanel;
class THeaderDragButton;
class TForm;
class TPopupMenu;
class TSearchPanel;
class TFloatingFooter;
class TPrintSettings;
class TPrinter;
struct TAdvGridPrintRun;
class THTMLSettings;
class TSortSettings;
struct TSortCellKey;
struct TSortColumnFormat;
class TDragDropSettings;
class TGridDropTarget;
class QImage;
class TDragScrollOptions;
class TTimer;
class TControlLook;
class TGrouping;
class TBackGround;
class THTMLHintWindow;
class TBalloonToolTip;
class TScrollControl;
struct THintInfo;
class TGridProgressAppearance;
class TFilter;
class TBalloonSettings;
class TShowModified;
struct THTMLDrawResult;
class TFilterDropDown;
class TDropList;
struct TCellDrawContext;
class TAdvCustomDropDown;
class TGridTrackbarDropDown;
class TGridMemoDropDown;
class TGridCalculatorDropDown;
class TGridTimepickerDropDown;
class TGridDetailPickerDropDown;
class TGridColorDropDown;
class TGridImageDropDown;
class TGridGridDropDown;
class TGridAdvGridDropDown;

enum TGridLook { glStandard, glSoft, glClassic, glZUR, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum THintShowLargeTextPos { hpCell, hpCursor };
// The page size and range of an in-cell scroll bar.
struct TScrollProp {
    int PageSize = -1;
    int Range = -1;
};
enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TDragScrollDirection { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirections = TSet<TDragScrollDirection>;

using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TGridRect& R)>;
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, int ARow, bool State, bool& Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(TObject* Sender, int ARow)>;
using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& NewUnit)>;
// Files and clipboard.
enum TGridExportState { esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow };
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow };
enum TClipOperation { coCut, coCopy };
using TFileProgressEvent = std::function<void(TObject* Sender, int Progress)>;
using TCellTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TClipboardBeforePasteEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& Allow, QString& Value)>;
using TClipboardAfterPasteEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;

// A plain stored property of the grid (AdvObj's form): the issue that owns
// its setter adds the setter's effects.
#define ADVGRID_PLAIN(Type, Name, Default) ADVOBJ_PLAIN_PROPERTY(Type, Name, Default)

class TAdvStringGrid : public TBaseGrid, public IVisualStyle, public IVisualTones {
    friend class TAdvGridFormListener;

public:
    DECLARE_CLASSNAME(TAdvStringGrid)
    explicit TAdvStringGrid(TComponent* AOwner);
    ~TAdvStringGrid() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // ---- frame ----------------------------------------------------------------
    // From another TAdvStringGrid only (settings objects by their own Assign,
    // the cells through the stream); other sources are ignored.
    void Assign(TPersistent* Source) override;
    virtual void AssignCells(TPersistent* Source);
    // One repaint request is swallowed right after an edit set FEditChange.
    void Invalidate() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void UpdateScrollBarAlways(bool HideUnneeded);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    static TCustomForm* ParentFormOf(TControl* AControl);
    void FreeScrollControls();
    void RefreshGrid() { Invalidate(); }
    // The window is set up (timer, panels, wheel): once, when first shown.
    bool WindowCreated() const { return FWndCreated; }
    bool IsLoaded() const { return FLoaded; }
    virtual bool IsDesigning() { return false; }
    // The grid's timer ticks (the platform timer id).
    static constexpr unsigned GridTimerID = 111;
    unsigned GridTimerId() const { return FGridTimerID; }
    int TimerTicks() const { return FTimerTicks; }
    unsigned WheelMsg() const { return wheelmsg; }
    int WheelScrl() const { return wheelscrl; }

    // ---- counts and fixed parts --------------------------------------------------
    void SetRowCount(int Value);
    void SetColCount(int Value);
    int FixedRows() const;
    void SetFixedRows(int Value);
    int FixedCols() const;
    void SetFixedCols(int Value);
    int FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(int Value);
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int Value);
    void SetDefaultRowHeight(int Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int Value);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int Value);
    bool WordWrap() const { return FWordWrapEx; }
    void SetWordWrap(bool Value);
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool v) { FFixedRowAlways = v; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool v) { FFixedColAlways = v; }
    int MaxRowCount() const { return FMaxRowCount; }
    int MaxColCount() const { return FMaxColCount; }
    TCursor Cursor() const { return TBaseGrid::Cursor(); }
    void SetCursor(TCursor Value);

    // ---- current cell, scrolling, moving ----------------------------------------
    int Row() const { return TBaseGrid::Row(); }
    // Raises "Grid index out of range" for a row outside the normal rows,
    // before any event.
    void SetRow(int Value);
    int Col() const { return TBaseGrid::Col(); }
    void SetCol(int Value);
    int TopRow() const { return TBaseGrid::TopRow(); }
    // Only FixedRows .. RowCount - 1.
    void SetTopRow(int Value);
    int RowEx() const { return RealRowIndex(Row()); }
    void ScrollInView(int ColIndex, int RowIndex);
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    void MoveRows(int FromIndex, int ToIndex, int Count);
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return FSelHidden; }
    void UpdateEditMode();

    // ---- hidden columns, hidden rows, index mapping (AdvGridHidden) -------------
    void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int ColIndex) const;
    int NumHiddenColumns() const { return int(FHiddenCols.size()); }
    int TotalColCount() const override { return ColCount() + NumHiddenColumns(); }
    int RealColIndex(int ACol) const;
    int DisplColIndex(int ACol) const override;
    int DisplayToRealCol(int ACol) const { return RealColIndex(ACol); }
    int RealCol() const { return RealColIndex(Col()); }
    int RealRow() const { return RealRowIndex(Row()); }

    void HideRow(int RowIndex) { HideRows(RowIndex, RowIndex); }
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    // Opens a new hiding pass: the listed rows (current positions, ascending)
    // are hidden with the pass's level.
    void HideRowList(TIntList* RowList);
    // Hides the listed rows directly (level 0), opening no pass.
    void HideRowListDirect(TIntList* RowList);
    void UnHideRow(int RowIndex);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    // Shows the rows of the last hiding pass.
    void UnHideRowList();
    bool IsHiddenRow(int RowIndex) const;
    // ListHidden (built when nil; the caller frees it) holds the hidden rows'
    // real indexes, for loops over many rows.
    bool IsHiddenRow(int RowIndex, TIntList*& ListHidden) const;
    int NumHiddenRows() const { return int(FGridItems.size()); }
    int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
    int RealRowIndex(int ARow) const;
    int DisplRowIndex(int ARow) const;
    bool IsIgnoredColumn(int ACol) const;
    TIntList* IgnoreColumns() const { return FIgnoreColumns; }
    int FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(int v) { FFilterLevel = v; }
    int GridItemCount() const { return int(FGridItems.size()); }
    TGridItem* GridItems(int i) const { return FGridItems.at(size_t(i)).get(); }
    // The item of a hidden real row, nil for a shown one.
    TGridItem* HiddenRowItem(int RealRow) const;
    // The stored width of a real column (its width when it was hidden).
    int AllColWidths(int ACol) const;
    void SetAllColWidths(int ACol, int Value);
    int AllColCount() const { return TotalColCount(); }
    int AllRowCount() const { return TotalRowCount(); }
    // Deletes display rows, nothing freed (the caller decides about their
    // objects); with UpdateControls the rows' cell controls leave the list
    // and the hidden rows after them move up.
    void DeleteDisplayRows(int StartRow, int Count, bool UpdateControls);
    void DeleteRowsCore(int RowIndex, int RCount, bool UpdateCellControls) { DeleteDisplayRows(RowIndex, RCount, UpdateCellControls); }
    virtual void RemoveRowsRange(int ARow, int Count);

    // ---- cell content (AdvGridCells) -------------------------------------------------
    QString AllCells(int ACol, int ARow);
    void SetAllCells(int ACol, int ARow, const QString& Value);
    QString AllGridCells(int ACol, int ARow) const;
    void SetAllGridCells(int ACol, int ARow, const QString& Value);
    QString WideCells(int ACol, int ARow) { return GetCellEx(ACol, ARow); }
    void SetWideCells(int ACol, int ARow, const QString& v) { SetCellEx(ACol, ARow, v); }
    QString AllWideCells(int ACol, int ARow) { return AllCells(ACol, ARow); }
    void SetAllWideCells(int ACol, int ARow, const QString& v) { SetAllCells(ACol, ARow, v); }
    QString UnSortedCells(int ACol, int ARow);
    void SetUnSortedCells(int ACol, int ARow, const QString& Value);
    int SortedRowIndex(int ARow) const;
    int UnSortedRowIndex(int ARow) const;
    QString OriginalCells(int ACol, int ARow);
    void SetOriginalCells(int ACol, int ARow, const QString& Value);
    QString StrippedCells(int ACol, int ARow);
    int LinesInCell(int ACol, int ARow);
    intptr_t AllObjects(int ACol, int ARow) const;
    void SetAllObjects(int ACol, int ARow, intptr_t Value);
    TCellProperties* GetGridObjectsEx(int ACol, int ARow) const;
    int Ints(int ACol, int ARow);
    void SetInts(int ACol, int ARow, int Value);
    int AllInts(int ACol, int ARow);
    void SetAllInts(int ACol, int ARow, int Value);
    double Floats(int ACol, int ARow);
    void SetFloats(int ACol, int ARow, double Value);
    double AllFloats(int ACol, int ARow);
    void SetAllFloats(int ACol, int ARow, double Value);
    virtual void GetColumnFloatFormat(int ACol, int ARow, QString& AFormat);
    QString ControlValues(int ACol, int ARow, const QString& ID);
    void SetControlValues(int ACol, int ARow, const QString& ID, const QString& Value);
    QString CurrentCell() const;
    void SetCurrentCell(const QString& Value);
    virtual QString GetCurrentCellText();
    virtual void SetCurrentCellText(const QString& Value);
    TEditorType CurrentEditor() const { return EditControl; }
    TControl* CellControls(int ACol, int ARow) const;
    void SetCellControls(int ACol, int ARow, TControl* Value);
    int NumCellControls() const { return FNumCellControls; }
    TControlList* ControlList() const { return FControlList; }

    TColor Colors(int ACol, int ARow) const;
    void SetColors(int ACol, int ARow, TColor Value);
    TColor ColorsTo(int ACol, int ARow) const;
    void SetColorsTo(int ACol, int ARow, TColor Value);
    TCellGradientDirection Gradients(int ACol, int ARow) const;
    void SetGradients(int ACol, int ARow, TCellGradientDirection Value);
    TColor FontColors(int ACol, int ARow) const;
    void SetFontColors(int ACol, int ARow, TColor Value);
    TFontStyles FontStyles(int ACol, int ARow) const;
    void SetFontStyles(int ACol, int ARow, TFontStyles Value);
    int FontSizes(int ACol, int ARow) const;
    void SetFontSizes(int ACol, int ARow, int Value);
    QString FontNames(int ACol, int ARow) const;
    void SetFontNames(int ACol, int ARow, const QString& Value);
    TAlignment Alignments(int ACol, int ARow) const;
    void SetAlignments(int ACol, int ARow, TAlignment Value);
    bool ReadOnly(int ACol, int ARow) const;
    void SetReadOnly(int ACol, int ARow, bool Value);
    bool WordWraps(int ACol, int ARow);
    void SetWordWraps(int ACol, int ARow, bool Value);
    void SetCellFont(int ACol, int ARow, TFont* Value);
    void SetRowColor(int ARow, TColor Value);
    void SetRowColorTo(int ARow, TColor Value);
    void SetRowFontColor(int ARow, TColor Value);

    TStrings* ColumnHeaders() const { return FColumnHeaders; }
    void SetColumnHeaders(TStrings* Value);
    void ShowColumnHeaders();
    void ClearColumnHeaders();
    TStrings* RowHeaders() const { return FRowHeaders; }
    void SetRowHeaders(TStrings* Value);
    void ShowRowHeaders();
    void ClearRowHeaders();
    TStrings* LookupItems() const { return FLookupItems; }
    void SetLookupItems(TStrings* Value);
    TFont* FixedFont() const { return FFixedFont; }
    void SetFixedFont(TFont* Value);
    TFont* ActiveCellFont() const { return FActiveCellFont; }
    TColor ZURGradientFrom() const { return FVisualGradFrom; }
    void SetZURGradientFrom(TColor v);
    TColor ZURGradientTo() const { return FVisualGradTo; }
    void SetZURGradientTo(TColor v);
    TColor ZURGradientMirrorFrom() const { return FVisualGradMirrorFrom; }
    void SetZURGradientMirrorFrom(TColor v);
    TColor ZURGradientMirrorTo() const { return FVisualGradMirrorTo; }
    void SetZURGradientMirrorTo(TColor v);
    // Process-wide: the application's hint window class.
    static bool UseHTMLHints();
    void SetUseHTMLHints(bool v);
    TFocusHelper* FocusHelper() const { return FFocusHelper; }
    void SetFocusHelper(TFocusHelper* v) { FFocusHelper->Assign(v); }
    QString Version();
    int PrintColWidth(int ACol) const;
    int PrintColOffset(int ACol) const;

    // Change hooks.
    virtual void CellsChanged(const TGridRect& R);
    virtual void CellsLoaded();
    virtual void CellChanged(int ACol, int ARow);
    virtual void GridChanged();
    void GetDisplText(int ACol, int ARow, QString& Value) override;
    void CellTextChanged(int ACol, int ARow) override;
    virtual void ColumnHeadersChanged() {}

    // ---- structure (AdvGridRows) -----------------------------------------------------
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
    void AddRow();
    virtual void RemoveRows(int RowIndex, int RCount);
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    virtual void DeleteRows(int RowIndex, int RCount);
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    void HideSelectedRows();
    void HideUnSelectedRows();
    virtual void InsertCols(int ColIndex, int CCount);
    virtual void RemoveCols(int ColIndex, int CCount);
    void AddColumn() { InsertCols(ColCount(), 1); }
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void SwapColumns(int ACol1, int ACol2);
    void SwapRows(int ARow1, int ARow2);
    virtual void SortSwapRows(int ARow1, int ARow2);
    void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
    int Swaps() const { return FSwaps; }
    void SetColumnOrder();
    void ResetColumnOrder();
    int ColumnPosition(int ACol);
    int ColumnAtPosition(int ACol);
    int ColumnByHeader(const QString& AValue);
    TIntList* ColumnOrder() const { return FColumnOrder; }

    // ---- selection, row flags, repainting (AdvGridSelection) ------------------------
    bool RowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    bool ColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    bool RowModified(int ARow) const;
    void SetRowModified(int ARow, bool Value);
    int ModifiedRowCount() const;
    void ClearModifiedRows();
    bool RowEnabled(int ARow) const;
    void SetRowEnabled(int ARow, bool Value);
    void SelectRows(int RowIndex, int RCount);
    void UnSelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void UnSelectCols(int ColIndex, int CCount);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
    void FocusCell(int ACol, int ARow);
    void GotoCell(int ACol, int ARow);
    void EditCell(int ACol, int ARow);
    void MoveCurrentCell(int ACol, int ARow);
    bool SelectedCells(int ACol, int ARow) const;
    void SetSelectedCells(int ACol, int ARow, bool Value);
    void ClearRowSelect();
    void ClearColSelect();
    void ClearSelectedCells();
    void SyncRowSelectWithSelection(bool All);
    void SyncColSelectWithSelection(bool All);
    int RowSelectCount();
    int ColSelectCount();
    int SelectedRowCount();
    int SelectedColCount();
    int SelectedRow(int i);
    int SelectedCellsCount();
    TGridCoord SelectedCell(int i) const;
    bool IsSelected(int ACol, int ARow);
    QString SelectedText();
    TInplaceEdit* NormalEdit() const { return InplaceEditor(); }
    bool LastRowAboveSearchFooter();
    void KeepLastRowAboveSearchFooter();
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintRect(const TGridRect& R);
    void RepaintGridRect(const TGridRect& R);

    // ---- cell objects -----------------------------------------------------------------
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType CellType);
    virtual TCellType GetCellType(int ACol, int ARow);
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    TCellGraphic* CellGraphics(int ACol, int ARow) { return GetCellGraphic(ACol, ARow); }
    TIntList* GetCellImages(int ACol, int ARow);
    intptr_t GetCellImageKey(int ACol, int ARow);
    virtual TCustomImageList* GetImageList() { return FGridImages; }
    virtual TPoint GetCellGraphicSize(int ACol, int ARow) { return CalcCellGraphicSize(ACol, ARow, 0); }
    virtual TPoint CalcCellGraphicSize(int ACol, int ARow, int ReserveY);
    virtual TPoint CalcPrintCellGraphicSize(int ACol, int ARow, int MaxW, int MaxH, double Scale);
    bool IsSortIndicatorCell(int ACol, int ARow);
    int GetRowIndent(int ARow) override;
    bool HasNodes() override { return FNumNodes > 0; }
    int GetTotalXOffset() const { return FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X; }
    int GetTotalYOffset() const { return FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y; }
    TCustomImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TCustomImageList* v);
    TCellGraphic* SharedCellGraphic() const { return FCellGraphic; }

    // ---- clearing, trimming, merging, search (AdvGridClear) ------------------------
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void ClearRows(int RowIndex, int RCount);
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalCells();
    void Clear();
    void ClearAll();
    void ClearSelection();
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
    void TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
    void TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    void SplitRowCells(int RowIndex);
    void SplitAllCells();
    void MergeCols(int ColIndex1, int ColIndex2, const QString& Separator);
    TIntList* MergedColumns() const { return FMergedColumns; }
    bool IsCell(const QString& SubStr, int& ACol, int& ARow) const;
    bool IsWideCell(int ACol, int ARow);
    bool NilObjects() const { return FNilObjects; }
    void SetNilObjects(bool v) { FNilObjects = v; }

    // ---- timer, update counter, listeners (AdvGridUpdate) ---------------------------
    void BeginUpdate();
    void EndUpdate();
    void StartUpdate() { ++FUpdateCount; }
    void ResetUpdate() { FUpdateCount = 0; }
    bool LockUpdate() const { return FUpdateCount > 0; }
    void SetLockUpdate(bool v) { v ? BeginUpdate() : EndUpdate(); }
    int UpdateCount() const { return FUpdateCount; }
    void RegisterNotifier(TGridChangeNotifier* Item);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
    int NotifierCount() const { return int(FNotifierList.size()); }
    void RegisterSelListener(ITAdvStringGridSelect* AListener) { FISelect = AListener; }
    void UnRegisterSelListener(ITAdvStringGridSelect*) { FISelect = nullptr; }
    ITAdvStringGridSelect* SelListener() const { return FISelect; }
    void ResetFixedCellHighlight();
    // What the hover timer asks: the control under the mouse and the
    // cursor's screen position (replaceable for tests).
    using THoverQuery = std::function<TControl*(TPoint& ScreenPos)>;
    static THoverQuery& HoverQuery();
    QString SearchInc;
    int SearchTics = 0;

    // ---- hit tests and footer ---------------------------------------------------------
    void ScreenToCell(TPoint P, int& ACol, int& ARow) const;
    bool IsSizingBorder(int X, int Y);
    void UpdateFooter();
    void CalcFooter(int ACol) { DoCalcFooter(ACol); }
    virtual void DoCalcFooter(int ACol);
    void LastRowChanged() override { TBaseGrid::LastRowChanged(); UpdateFooter(); }
    virtual void DoF2Edit() {}
    // The grid's own footer calculation event (asked before the footer's).
    TCalcFooterEvent OnFooterCalc;

    // ---- look, editing and tree operations the other grid units build on -----------
    TGridLook Look() const { return FLook; }
    virtual void SetLook(TGridLook v);
    TScrollType ScrollType() const { return FScrollType; }
    virtual void SetScrollType(TScrollType v);
    virtual void SetStyle(TAdvGridStyle AStyle);
    void SetComponentStyle(TVisualStyle AStyle) override;
    void SetColorTones(const TColorTones& ATones) override;
    TVisualStyle Style() const { return FStyle; }
    virtual void AdaptToOfficeTheme();
    virtual void BalloonInit();
    virtual void BalloonDone();
    virtual void CreateMetroScrollBars();
    virtual void RepaintBorder();
    virtual void MoveFocusHelper();
    virtual bool IsChecked(int ACol, int ARow);
    virtual bool CanMoveToCell(int ACol, int ARow);
    virtual void ShowInplaceEdit();
    virtual void HideInplaceEdit();
    virtual QString CellToRich(int ACol, int ARow, const QString& Text) { (void)ACol; (void)ARow; return Text; }
    virtual void StretchColumn(int ACol);
    virtual void FormResized(TObject* Sender);
    virtual void ExpandAll();
    virtual void RemoveAllNodes();
    virtual bool IsNode(int ARow);
    virtual bool IsSummary(int ARow);
    virtual int GetNodeSpan(int ARow);
    virtual int GetSubNodeCount(int ARow);
    // Expanded state of a node row, its span kind and the node row above a row.
    virtual bool GetNodeState(int ARow);
    virtual int GetNodeSpanType(int ARow);
    virtual int GetParentRow(int ARow);
    virtual double ColumnSum(int ACol, int FromRow, int ToRow);
    virtual double ColumnAvg(int ACol, int FromRow, int ToRow);
    virtual double ColumnMin(int ACol, int FromRow, int ToRow);
    virtual double ColumnMax(int ACol, int FromRow, int ToRow);
    virtual double ColumnDistinct(int ACol, int FromRow, int ToRow);
    virtual double ColumnStdDev(int ACol, int FromRow, int ToRow);
    virtual void AutoSizeColumns(bool DoFixedCols, int Padding);
    virtual void CellControlsUpdate(bool RebuildList);
    virtual void InitOrigColSizes();
    virtual int GetVersionNr();
    virtual QString GetVersionString();
    virtual void UpdateSearchPanel();
    virtual void SearchFooterEditChange(TObject* Sender);
    virtual void SearchFooterFindNext(TObject* Sender);
    virtual void SearchFooterFindPrevious(TObject* Sender);
    virtual void SearchFooterHighlight(TObject* Sender);
    virtual void SearchFooterClose(TObject* Sender);
    virtual void SaveColSizes();
    virtual void LoadColSizes();
    virtual void NavigationChanged(TObject* Sender) { (void)Sender; }
    virtual void MouseActionsChanged(TObject* Sender) { (void)Sender; }
    virtual void MouseActionsInvalidate(TObject* Sender) { (void)Sender; Invalidate(); }
    virtual QString GetEditMaskOf(int ACol, int ARow) { return GetEditMask(ACol, ARow); }

    // ---- hints and balloons (AdvGridHints) ----------------------------------------------
    // The platform's hint request: the cell hint under Info.CursorPos, shown
    // in a THTMLHintWindow with UseInternalHintClass. Answers 0.
    intptr_t CMHintShow(THintInfo& Info);
    // The balloon tooltip's notifications (WM_NOTIFY); true when taken.
    bool WMNotify(TMessage& m);
    // Hides the balloon (the pointer left its cell).
    void BalloonPop();
    // Pops the balloon when client point (X, Y) lies outside its cell.
    void BalloonFollowPointer(int X, int Y);
    TBalloonSettings* Balloon() const { return FBalloonSettings; }
    void SetBalloon(TBalloonSettings* v);
    TBalloonToolTip* BalloonToolTip() const { return FHToolTip; }
    TPoint LastBalloonPos() const { return FLastBalloonPos; }
    // Title, text and icon of the balloon of a cell before it shows.
    std::function<void(TObject* Sender, int ACol, int ARow, QString& ATitle, QString& AText, TBalloonIcon& AIcon)>
        OnCellBalloon;

private:
    void BalloonEnableChanged();
    QString BalloonCellText(int ACol, int ARow);
    TBalloonToolTip* FHToolTip = nullptr;
    TPoint FLastBalloonPos{-1, -1};

public:
    // ---- measuring, sort glyph and small look hooks (AdvGridLookHooks) ------------------
    // Only the font of a cell: the fixed font for fixed cells, else the
    // grid's; then the cell's own font settings of the real column RCol;
    // then the colour hook. ACol is the displayed column.
    void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush,
                           bool Remap);
    // The extent of a cell's text as drawn; ACol is a real column. VS
    // measures wrapped within the cell width; SB keeps 17 pixels on the
    // right free for a drop-down or spin button.
    TSize GetCellTextSize(int ACol, int ARow, bool VS = false, bool SB = false);
    TSize MeasureCellText(int ACol, int ARow, bool VS, bool SB);
    // The sort direction mark (or the sort index with IndexShow) of real
    // column ACol centred at (X, Y).
    void PaintSortGlyph(TCanvas* Canvas, int ACol, int Y, int X);
    // The sort mark of a cell the text painter just drew, placed by the
    // text's alignment; Markup tells the text was mini-markup.
    void PaintCellSortGlyph(TCellDrawContext& c, const TRect& TextRect, bool Markup);
    // Application visual styles do not exist here: the grid keeps its colours.
    virtual void AdaptToVisualStyle();
    // Cells whose click is taken by their object rather than by editing.
    bool HasClickGraphic(int ACol, int ARow) { return ACol >= 0 && ARow >= 0 && IsControlCell(ACol, ARow); }
    // Cells whose look follows the cell text or the row state: data and
    // virtual check boxes, data images and row check boxes.
    bool IsDataBoundCell(int ACol, int ARow);
    virtual void AddRowAtEnd() { SetRowCount(RowCount() + 1); }
    // Stores the text offsets without repainting.
    void UpdateXYOffset(int X, int Y) { FXYOffset = TPoint(X, Y); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v);
    TColor HighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor v);
    // The automatic row insert and delete of the Insert and Delete keys.
    virtual void InsertRowAt(int ARow);
    virtual void DeleteRowAt(int ARow);
    // Read-only version number and text; GetVersionNr/GetVersionString
    // are what a derived grid overrides.
    int VersionNr() { return GetVersionNr(); }
    QString VersionString() { return GetVersionString(); }
    // The glowing frame around the edited cell (Rect in client coordinates),
    // following the cell while the window moves; hidden with the editor.
    void ShowFocusHelper(const TRect& Rect);
    void HideFocusHelper();
    // The coloured frame of the soft and office looks over the window's
    // border (Canvas in window coordinates).
    void PaintNCBorder(TCanvas* Canvas);
    // The date pickers' relays: a change, the calendar closing and dropping
    // down (with the calendar options of the grid's date picker).
    void DatePickerChange(TObject* Sender);
    void DateAndTimePickerChange(TObject* Sender);
    void DatePickerCloseUp(TObject* Sender);
    void DatePickerDropDown(TObject* Sender);
    // The picked date and time of the current cell; 0 without a date.
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime ADateTime)> OnDateTimeChange;
    std::function<void(TObject* Sender, int ARow, int ACol)> OnDatePickerCloseUp;
    std::function<void(TObject* Sender, int ARow, int ACol)> OnDatePickerDropDown;
    // DTN_DATETIMECHANGE of a picker (WM_NOTIFY): OnDateTimeChange with the
    // current cell; true when the message was that notification.
    bool DateTimeChangeNotify(TMessage& m);
    // The cell follows every change typed into the text or button editor.
    bool ShowEditProcess() const { return FShowEditProcess; }
    void SetShowEditProcess(bool v) { FShowEditProcess = v; }
    // Called by those editors on each change of their text.
    void EditProcessChange(const QString& Text);
    // Whether real column ACol shows the drop-down button of its fixed cell.
    std::function<void(TObject* Sender, int ACol, bool& CanShow)> OnCanShowFixedDropDown;

private:
    TColor FHighlightColor = clHighlight;
    TColor FHighlightTextColor = clHighlightText;
    TPoint FXYOffset = TPoint(2, 2);
    bool FShowEditProcess = false;

public:
    // ---- background (AdvGridBackground) ---------------------------------------------------
    // The strips right of the last column and below the last row, when the
    // cells do not fill the window.
    void PaintBackground();
    // The picture at BackGround's Left/Top, only where it meets Rect.
    void DrawBackgroundFixed(TCanvas* Canvas, const TRect& Rect);
    // Rect filled with tiles from (Rect.Left - 1, Rect.Top - 1).
    void DrawBackgroundTiled(TCanvas* Canvas, const TRect& Rect);
    void PaintCellBackgroundFixed(TCanvas* Canvas, const TRect& Rect);
    // The tiles of the cell (ACol displayed), continuing those of its
    // neighbours.
    void PaintCellBackgroundTiled(TCanvas* Canvas, const TRect& Rect, int ACol, int ARow);
    // The cell's share of the gradient that spans the whole grid.
    void PaintCellBackgroundGradient(TCanvas* Canvas, const TRect& Rect);
    // The cell text painter's background step: picture or gradient when the
    // settings cover the cell.
    void PaintCellBackground(TCellDrawContext& c);

private:
    bool BackgroundCovers(bool FixedCell) const;

public:
    // ---- rich text cells (AdvGridRichText) ------------------------------------------------
    // Draws a rich text cell into R; in a selected cell the whole text takes
    // SelectionTextColor unless SelectionRTFKeep.
    void PaintRichTextCell(TCanvas* Canvas, const QString& Text, const TRect& R, bool Selected);
    ADVGRID_PLAIN(bool, SelectionRTFKeep, false)

public:
    // ---- scroll bar types (AdvGridScrollBars) ---------------------------------------------
    // Flat bars on the platform grid's own scroll bars (ssFlat, ssEncarta).
    void InitFlatScrollBars();
    void UninitFlatScrollBars();
    void FlatSetScrollProp(int Index, intptr_t Value);
    void FlatSetScrollInfo(int Bar, const TScrollInfo& Info);
    // Only a bar that ScrollBars allows.
    void FlatShowScrollBar(int Bar, bool Show);
    void SyncFlatVertScrollInfo();
    void SyncFlatHorzScrollInfo();
    void ApplyFlatScrollStyle();
    void ApplyFlatScrollColor();
    void ApplyFlatScrollWidth();
    void UpdateFlatScrollBars();
    bool IsFlatScroll() const { return FIsFlat; }
    // The thin painted bars of ssMetro, or null.
    TScrollControl* VertScrollControl() const;
    TScrollControl* HorzScrollControl() const;

private:
    TColor FScrollColor = clNone;
    int FScrollWidth = 16;

public:
    // ---- printing (AdvGridPrint, AdvGridPrintCells) ---------------------------------
    // PrintSettings in one section of an INI file; a load writes the file
    // back, so it creates a missing one.
    void SavePrintSettings(const QString& Key, const QString& Section);
    void LoadPrintSettings(const QString& Key, const QString& Section);
    // Pages go to Printer(), or to the printer PrintOn names (Qt's print
    // preview dialog hands one over); previews draw on any canvas.
    void Print();
    void PrintSelection();
    void PrintRect(const TGridRect& Gridrect);
    void PrintSelectedRows();
    void PrintSelectedCols();
    void PrintOn(TPrinter* APrinter);
    void PrintPreview(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewRect(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect);
    void PrintPreviewSelection(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& Displayrect);
    void PrintDraw(TCanvas* Canvas, const TRect& DrawRect);
    void PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& Gridrect);
    int PreviewPage() const { return FPrintPageFrom; }
    void SetPreviewPage(int v) { FPrintPageFrom = v; FPrintPageTo = v; }
    int PrintNrOfPages() const { return FPrintPageNum; }
    TRect PrintPageRect() const { return FPrintPageRect; }
    int PrintPageWidth() const { return FPrintPageWidth; }
    int PrintColStart() const { return FPrintColStart; }
    int PrintColEnd() const { return FPrintColEnd; }
    bool IsPrintPreview() const { return FIsPrintPreview; }
    ADVGRID_PLAIN(bool, FastPrint, false)
    ADVGRID_PLAIN(bool, PrinterDriverFix, false)
    ADVGRID_PLAIN(double, Fontscalefactor, 1.0)
public:
    // Points to 0.1 mm font heights (negative) and back.
    int MapFontHeight(int PointSize) const;
    int MapFontSize(int Height) const;
    bool IsPrintRow(int ARow);
    bool IsPrintCol(int ACol);
    // Every page-number text passes here (OnPrintGetPageNum may replace it).
    virtual void PrintGetPageNum(int PageNum, int PageColNum, QString& PageNumString);
    static QString ConcatWithSpace(const QString& A, const QString& B);
    std::function<void(TObject* Sender, int NrOfPages, int& FromPage, int& ToPage)> OnPrintStart;
    std::function<void(TObject* Sender, TCanvas* Canvas, int PageNr, int PageXSize, int PageYSize)> OnPrintPage;
    std::function<void(TObject* Sender, int ARow, bool& NewPage)> OnPrintNewPage;
    std::function<void(TObject* Sender, TCanvas* Canvas, int LastRow, int LastRowOffset, int LastPage,
                       int PageXSize, int PageYSize)>
        OnPrintPageDone;
    std::function<void(TObject* Sender, int PageNr, bool& Cancel)> OnPrintCancel;
    std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)> OnFitToPage;
    std::function<void(TObject* Sender, int ACol, int& Width)> OnPrintSetColumnWidth;
    std::function<void(TObject* Sender, int ARow, int& Height)> OnPrintSetRowHeight;
    std::function<void(TObject* Sender, int PageNum, int PageColNum, QString& PageNumString)> OnPrintGetPageNum;

protected:
    friend struct TAdvGridPrintRun;
    // The page engine: 0 draws a preview, 1 prints, 2 and 3 count the pages
    // of a print and of a preview. Returns the number of pages.
    int PrintPages(TCanvas* Canvas, int Mode, bool SelectedOnly, int Total, int Dpi);
    void RunPrint(const TGridRect& Gridrect, bool SelectedOnly);
    void RunPreview(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect, bool SelectedOnly);
    // Content size of a cell in 0.1 mm (ACol real).
    TPoint MeasurePrintCell(int ACol, int ARow);
    // A title of mini-markup lines, drawn at the title's top or bottom;
    // its height in 0.1 mm when it moves the rows down.
    int PrintHTMLTitle(const QString& Html);
    int GetPrintRowHeight(int ARow);
    int PrintRowCells(int Y, int FirstCol, int LastCol, int ARow);
    void FinishPrintPage(int FirstCol, int LastCol, int Y);
    int PrintHeaderFooter();
    QString GetPrintPageNumText();
    void CalcPrintColWidths();
    // Makes Font (at its point size, mapped) the canvas font; the extent of
    // Text in it, in 0.1 mm.
    TPoint PrintFontLine(TFont* Font, const QString& Text);
    // The text a cell prints (ACol real): empty for cells whose look follows
    // their data, a formula's result, rich text as its plain text; Kind as
    // GetTextType tells it (1 mini-markup, 2 rich text, else plain).
    QString PrintCellText(int ACol, int ARow, int& Kind);
    // The layers of a printed cell that the screen painters draw, at screen
    // size scaled onto Dest (device units): the cell graphic of Look (its
    // Rect the whole cell), or, with Html not empty, that mini-markup text.
    void PrintByScreenPainters(TCellDrawContext& Look, const TRect& Dest, double Scale, TFont* Font,
                               const QString& Html);
    // A base cell's background, text and graphic within Box (0.1 mm, y up;
    // Right already clipped to the band); the background keeps Inset off
    // the lines the cell does not draw. RowHeight is the printed row's.
    void PrintCellContent(int DisplayCol, int ARow, const TRect& Box, TPoint Inset, int RowHeight, bool MergedRows);
    TAdvGridPrintRun* FPrintRun = nullptr;
    bool FPrintToPrinter = false;
    TPoint FPrintDrawOrigin;
    TPrinter* FPrintTarget = nullptr;
    TGridRect FPrintRect;
    TRect FPrintPreviewRect;
    TRect FPrintPageRect;
    int FPrintPageWidth = 0;
    int FPrintColStart = 0;
    int FPrintColEnd = 0;
    bool FIsPrintPreview = false;

public:
    // ---- column layout and look files (AdvGridLayout) ------------------------------
    // "n#widths#order#visible"; a string without "#" changes nothing, a
    // malformed one raises before anything changes.
    QString ColumnStatesToString();
    void StringToColumnStates(const QString& Value);
    // "Pos<k>" entries of the column-order list under ColumnSize's location.
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    void SaveVisualProps(const QString& FileName);
    void LoadVisualProps(const QString& FileName);

protected:
    // ColumnSize names a location and the grid is not being designed.
    bool ColumnLayoutStored();
    // The calls at creation and destruction: a file error is shown, never raised.
    void SaveColSizesReported() noexcept;
    void LoadColSizesReported() noexcept;

public:
    // ---- sorting (AdvGridSort, AdvGridSortCompare, AdvGridSortKeys) ---------------
    // -1, 0 or 1; positive: ARow1 comes after ARow2 in ascending order.
    int CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction);
    int CompareRows(int ACol, int ARow1, int ARow2);
    int CompareRowsIndexed(int Index, int ARow1, int ARow2);
    virtual void QSort();
    virtual void QSortIndexed();
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    virtual void QUnSort();
    void Sort(int Column, TSortDirection Direction);
    void SortByColumn(int Col);
    void QuickSort(int Col, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    bool SortLine(int Col, int ARow1, int ARow2);
    void InitSortXRef();
    // A sorting click on the header cell of real column RCol.
    virtual void SortOnHeaderClick(int RCol, TShiftState Shift);
    virtual void ClickSort(int ACol) { if (OnClickSort) OnClickSort(this, ACol); }
    int Compares() const { return FCompares; }
    int SortDir() const { return FSortDir; }
    int SortRow() const { return FSortRow; }
    uint32_t SortTime() const { return FSortTime; }
    std::function<void(TObject* Sender, const QString& Str1, const QString& Str2, int& Res)> OnCustomCompare;
    std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)> OnRawCompare;
    std::function<void(TObject* Sender, int ACol)> OnClickSort;

protected:
    class TSortFrame;
    void QuickSortRange(int Col, int Left, int Right);
    void QuickSortIndexedRange(int Left, int Right);
    void QuickUnSortRange(int Left, int Right);
    void SortNodeGroups(bool Indexed);
    void CopySortPivot(int FromRow, int ToRow);
    bool SortCellChecked(int ACol, int ARow);
    bool SortCellIsCheckBox(int ACol, int ARow);
    // The comparison of one cell pair in its parts: the column's format
    // (GetFormat), the text as compared, the converted values a style needs
    // and the comparison of two such keys.
    TSortColumnFormat SortColumnFormat(int ACol);
    QString SortCellText(int ACol, int ARow);
    void FillSortKey(TSortCellKey& K, int ACol, int ARow, unsigned Needs, const TSortColumnFormat& F);
    int CompareSortKeys(int ACol, int ARow1, int ARow2, TSortStyle Style, const TSortCellKey& K1,
                        const TSortCellKey& K2, TSortDirection Direction);
    // A sort of the rows Left..Right over keys converted once per row and
    // column, with the same comparisons and exchanges as the sort over the
    // rows; false when a comparison reads rows (ssRaw) or an exchange moves
    // one column only (SingleColumn), so that the keys cannot stand in.
    bool SortRangeByKeys(int Col, int Left, int Right, bool Indexed);
    void QuickSortRowRange(int Col, int Left, int Right);
    void QuickSortIndexedRowRange(int Left, int Right);
    friend class TSortByKeys;
    bool FSortByKeys = true;  // off: every comparison reads the rows anew
    int FCompares = 0;
    // During a sort: the columns taking part, hidden ones included.
    int FSortColumns = 0;
    int FSortDir = 1;
    uint32_t FSortTime = 0;

public:
    // ---- filtering, filter drop-down, find, highlighting, search footer, text ----------
    // (AdvGridFilterApply, AdvGridFilterDrop, AdvGridFind, AdvGridHighlight,
    // AdvGridSearchFooter, AdvGridText)
    // Whether row ARow satisfies the conditions of Filter (and OnCustomFilter).
    virtual bool RowPassesFilter(int ARow);
    // One filtering pass over the normal rows: the failing rows leave the
    // grid as one new filter level.
    void ApplyFilter();
    // Hides ARow at once when it fails the filter; no level involved.
    void FilterRow(int ARow);
    struct TFilterPassMatchers;  // conditions prepared for one ApplyFilter pass
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value);
    // Undoes the last filtering pass; true while more than one level remains.
    bool RemoveLastFilter();
    void RemoveAllFilters();
    // Incremental filter for a condition typed character by character;
    // AColumn -1 tests the whole row.
    void NarrowDown(const QString& ACondition, int AColumn);
    const QString& NarrowDownText() const { return FNarrowDownText; }
    std::function<void(TObject* Sender, int ARow, bool& AcceptRow)> OnCustomFilter;
    std::function<void(TObject* Sender, int Progress)> OnFilterProgress;
    TNotifyEvent OnFilterDone;
    virtual void DoFilterDone() { if (OnFilterDone) OnFilterDone(this); }

    // The fixed row whose cells carry filter buttons; only rows below
    // FixedRows are taken.
    int FilterDropDownRow() const { return FFilterRow; }
    void SetFilterDropDownRow(int Value);
    ADVGRID_PLAIN(bool, FilterDropDownCheck, false)

public:
    // The column whose filter list is open, -1 when none.
    int FilterColumn() const { return FFilterCol; }
    void SetFilterColumn(int v) { FFilterCol = v; }
    // Opens the filter list of real column RCol under its header cell.
    void ShowFilterList(int RCol);
    // Hides both filter lists and forgets the open column.
    void HideFilterLists();
    // Whether a release at (X, Y) on display cell (ACol, ARow) hits a filter button.
    bool IsFilterButtonHit(int ACol, int ARow, int X, int Y);
    // What a release does to the filter lists; true when it opened or closed one.
    bool HandleFilterListRelease(int ACol, int ARow, int X, int Y);
    virtual void FilterListSelect(int ItemIndex);
    virtual void FilterCheckListSelect();
    TDropList* DropList() const { return FDropList; }
    TDropCheckList* DropCheckList() const { return static_cast<TDropCheckList*>(FDropCheckList); }
    std::function<void(TObject* Sender, int Column, int ItemIndex, const QString& FriendlyName, QString& FilterCondition)>
        OnFilterSelect;
    std::function<void(TObject* Sender, int Column, int ItemIndex, const QString& FriendlyName, QString& FilterCondition,
                       TCheckListBox* CheckList)>
        OnFilterCheck;

    // Find and replace.
    TPoint Find(TPoint StartCell, const QString& s, TFindParams FindParams);
    TPoint FindWide(TPoint StartCell, const QString& s, TFindParams FindParams);
    TPoint FindFirst(const QString& s, TFindParams FindParams);
    TPoint FindNext();
    int Replace(const QString& OrigStr, const QString& NewStr, TFindParams FindParams);
    bool CellMatchesFind(int ACol, int ARow, bool Wide);
    TFindParams FindParams() const { return FFindParams; }
    TPoint SearchCell() const { return FSearchCell; }
    void SetSearchCell(TPoint v) { FSearchCell = v; }
    int FindCol() const { return FFindCol; }
    void SetFindCol(int v) { FFindCol = v; }
    int FindRow() const { return FFindRow; }
    void SetFindRow(int v) { FFindRow = v; }
    bool FindBusy() const { return FFindBusy; }

    // Highlighting ("hi") and marking ("e") inside cell texts.
    QString HilightText(bool DoCase, const QString& S, const QString& Text);
    QString UnHilightText(const QString& S);
    QString MarkText(bool DoCase, const QString& S, const QString& Text);
    QString UnMarkText(const QString& S);
    void HilightInCell(bool DoCase, int Col, int Row, const QString& HiText);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
    void HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText);
    void UnHilightInCell(int Col, int Row);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(bool DoCase, int Col, int Row, const QString& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText);
    void UnMarkInCell(int Col, int Row);
    void UnMarkInCol(bool DoFixed, int Col);
    void UnMarkInRow(bool DoFixed, int Row);
    void UnMarkInGrid(bool DoFixed);

    // Search footer.
    std::function<void(TObject* Sender, const QString& Value, bool& DefaultSearch)> OnSearchEditChange;
    TNotifyEvent OnSearchFooterClose;
    TNotifyEvent OnCreatedSearchFooter;

    // Editing and scaling hooks, the longest column line.
    void FixedEditChange(TObject* Sender);
    virtual void HandleChangeScale(int M, int D);
    int MaxColumnTextLength(int ACol);

protected:
    QString FindTextValue(int RealCol, int ARow, bool AllRows);
    TPoint FindCell(TPoint StartCell, const QString& s, const QString& WideS, bool Wide, TFindParams Params);
    void FindAutoGoto(int ACol, int ARow);
    void HilightInRange(const QString& HiText, const QString& Tag, bool DoCase, int FromCol, int FromRow, int ToCol,
                        int ToRow);
    void UnHilightInRange(const QString& Tag, int FromCol, int FromRow, int ToCol, int ToRow);
    void NarrowDownAddCondition(const QString& ACondition, int AColumn);
    void CreateFilterAndSearchParts();
    void CreateSearchPanel();
    bool FocusSearchFooterEdit();
    void SearchFooterFindStep(bool Backward);
    void EnsureFilterLists();
    TFindParams SearchFooterParams(bool Backward, bool EditChange);
    bool SearchFooterHilightDown();
    void SearchFooterUnHilight();
    void SearchFooterHilight(const QString& Text);
    bool FFilterActive = false;
    int FFixedRowsBeforeFilter = -1;
    // The column whose list lost the focus to the press now being released.
    int FFilterClosedCol = -1;
    QString FNarrowDownText;
    // During ApplyFilter: the conditions of Filter parsed once for the pass.
    TFilterPassMatchers* FFilterPass = nullptr;
    TFindParams FFindParams;
    QString FFindText;
    QString FFindWideText;
    TPoint FSearchCell{-1, -1};
    int FFindCol = -1;
    int FFindRow = -1;
    bool FFindBusy = false;
    int FFixedColEdit = -1;
    int FFixedRowEdit = -1;

public:
    // ---- files and clipboard (AdvGridFiles, AdvGridCSV, AdvGridXML, AdvGridClipboard) ----
    // The save range: the rectangle every import and export works on.
    int SaveStartCol() const;
    int SaveStartRow() const;
    int SaveEndCol() const;
    int SaveEndRow() const;
    int SaveColCount() const { return SaveEndCol() - SaveStartCol() + 1; }
    int SaveRowCount() const { return SaveEndRow() - SaveStartRow() + 1; }
    // The text of a cell as exported, and the store of an imported text.
    virtual void SaveCellText(int ACol, int ARow, QString& Value);
    virtual void LoadCellText(int ACol, int ARow, const QString& Value);
    virtual void ExportNotification(TGridExportState AState, int ARow) { (void)AState; (void)ARow; }
    virtual void ImportNotification(TGridImportState AState, int ARow) { (void)AState; (void)ARow; }
    TGridRect UsedCells() { return GetUsedCells(); }
    virtual TGridRect GetUsedCells();
    double CellToReal(int ACol, int ARow);
    // The text cell file and stream.
    void SaveToFile(const QString& FileName, bool Unicode = false);
    void LoadFromFile(const QString& FileName);
    void SaveToStream(QIODevice* Stream);
    void LoadFromStream(QIODevice* Stream);
    // Fixed-width and aligned text.
    void SaveToFixed(const QString& FileName, TIntList* Positions);
    void LoadFromFixed(const QString& FileName, TIntList* Positions, bool DoTrim = true, int MaxRows = -1);
    void SaveToASCII(const QString& FileName, bool Unicode = false);
    void AppendToASCII(const QString& FileName, bool Unicode = false);
    // CSV; MaxRows <= 0 reads all records.
    void SaveToCSV(const QString& FileName, bool Unicode = false);
    void AppendToCSV(const QString& FileName, bool Unicode = false);
    void LoadFromCSV(const QString& FileName, int MaxRows = 0);
    void InsertFromCSV(const QString& FileName, int MaxRows = 0);
    void LoadFromCSVStream(QIODevice* Stream, int MaxRows = 0);
    // XML.
    void SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                   TStrings* FieldDescr, bool ExportEmptyCells = true);
    void LoadFromXML(const QString& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);
    // Clipboard.
    void CopyToClipBoard();
    virtual void CopySelectionToClipboard();
    void CutToClipboard();
    virtual void CutSelectionToClipboard();
    // The whole grid as "HTML Format" and as text.
    void CopyToClipBoardAsHTML();
    void PasteFromClipboard();
    virtual void PasteSelectionFromClipboard();
    QString SelectionAsText();
    void SetSelectionAsText(const QString& Value);
    static void TextBlockSize(const QString& Text, int& Cols, int& ExtraRows);
    virtual void PasteCell(int ACol, int ARow, const QString& Value);
    virtual void PasteBegin() {}
    virtual void PasteEnd() {}
    virtual void CellsPasted(TPoint SourceTopLeft, const TGridRect& TargetRect, TClipOperation Operation);
    virtual bool FmtClipboardAllowed();
    TClipOperation LastClipOperation() const { return FClipOperation; }
    TPoint LastClipTopLeft() const { return FClipTopLeft; }
    // ---- binary grid stream (AdvGridStream) ----
    void SaveRectToBinStream(const TGridRect& Rect, QIODevice* Stream);
    void SaveToBinStream(QIODevice* Stream);
    void SaveToBinFile(const QString& FileName);
    void LoadAtPointFromBinStream(TPoint Point, QIODevice* Stream);
    void LoadFromBinStream(QIODevice* Stream);
    void LoadFromBinFile(const QString& FileName);
    // The stream of a rectangle as bytes (the private clipboard format).
    QByteArray BinStreamOfRect(const TGridRect& Rect);
    // A number drawn when first asked, never 0, fixed for the grid's life:
    // the stream's ID tells whether this grid wrote it.
    int StreamID();
    // ---- end of binary grid stream ----
    // ---- office documents and databases (AdvGridOffice) ----
    // Spreadsheet and word-processor documents go through their office
    // application's automation server, which this platform does not have:
    // each of these raises EAdvGridError and leaves the grid as it was.
    std::unique_ptr<TStringList> GetXLSSheets(const QString& FileName);
    void LoadFromXLS(const QString& Filename);
    void LoadFromXLSSheet(const QString& Filename, const QString& SheetName);
    void SaveToXLS(const QString& Filename, bool CreateNewSheet = true);
    void SaveToXLSSheet(const QString& Filename, const QString& SheetName);
    void SaveToDOC(const QString& Filename, bool CreateNewDocument = true);
    void AppendToDoc(const QString& Filename, const QString& Bookmark);
    // A table or a query's result of a database file, read through ODBC.
    void LoadFromMDBTable(const QString& Filename, const QString& Table);
    void LoadFromMDBSQL(const QString& Filename, const QString& SQL);
    // ---- end of office documents and databases ----
    TFileProgressEvent OnFileProgress;
    TCellTextEvent OnSaveCell;
    TCellTextEvent OnLoadCell;
    TClipboardBeforePasteEvent OnClipboardBeforePasteCell;
    TClipboardBeforePasteEvent OnClipboardBeforePasteWideCell;
    TClipboardAfterPasteEvent OnClipboardAfterPasteCell;
    TClipboardAfterPasteEvent OnClipboardAfterPasteWideCell;
    // The records of a CSV text into the grid, from its first saved row on
    // or after its last row.
    void ReadCSVLines(const QStringList& Lines, int MaxRows, bool Insert);
    TGridRect SaveRange() const;
    // The text form of a rectangle (remembering its top-left cell), and the
    // copy of it with the rich text of its top-left cell.
    QString ClipTextOf(const TGridRect& R, bool Disjunct);
    void CopyRectToClipboard(const TGridRect& R, bool Disjunct);
    // A paste's cell count N, line count L and last line's field count F.
    struct TPasteCount {
        int N = 0;
        int L = 0;
        int F = 0;
    };
    void PasteAt(int ACol, int ARow, TPasteCount& Count);
    void PasteTextAt(int ACol, int ARow, const QString& Text, TPasteCount& Count);
    // The private format's block pasted at (ACol, ARow) (AdvGridClipboard).
    void PasteCellsBlock(int ACol, int ARow, QByteArray Block, TPasteCount& Count);
    bool PasteOneCell(int ACol, int ARow, QString Value, bool Events);
    // The clipboard keys (Ctrl+C, Ctrl+Insert, Ctrl+X, Shift+Delete, Ctrl+V,
    // Shift+Insert) with Navigation.AllowClipboardShortCuts: true when the key
    // was one of them and ran. An error is shown, never passed on.
    bool ClipboardShortCut(Word Key, TShiftState Shift);
    // HTML.
    QString SaveToHTMLString(const QString& Dir);
    void SaveToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    void AppendToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    QString HTMLCellStyle(int ACol, int ARow, bool Fixed, bool& NoWrap);
    // Drops (TGridDropTarget): events with the cell under the pointer.
    std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)> OnOleDragOver;
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& Data, bool& Allow)> OnOleDrop;
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& FileName, bool& Allow)> OnOleDropFile;
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& URL, bool& Allow)> OnOleDropURL;
    std::function<void(TObject* Sender, const TGridRect& Selection)> OnOleDropped;
    // ---- the grid as a drag source (AdvGridDragDrop) ------------------------------------
    // The drag of the pressed cell (display column, row), as the pointer
    // starts it once it has moved away with the button down: cells, or a
    // column from a fixed row with OleColumnDragDrop. True when a drag ran.
    bool StartOleDrag(int ACol, int ARow);
    // Whether a left press at X in the cell (rect) arms that drag.
    bool ArmsOleDrag(int ACol, int ARow, int X, const TRect& rect);
    // A picture of the visible cells of R (display coordinates) without the
    // selection colours; a null image when none of them is visible.
    QImage OleDragPicture(const TGridRect& R);
    // Registers the grid as a drop target (OleDropTarget) or revokes it.
    void SetOleDropTargetActive(bool Active);
    bool OleDropTargetRegistered() const { return FOleDropRegistered; }
    TGridDropTarget* OleDropTarget() const { return FOleDropTarget.get(); }
    // The dragged selection while a drag from this grid runs ((-1, ...) else),
    // and where a drop on this same grid wrote its cells.
    TGridRect OleDragSelection() const { return FDropSelection; }
    void SetOleDragSelection(const TGridRect& R) { FDropSelection = R; }
    bool OleDragging() const { return FOleDragging; }
    void NoteOleSelfDrop(const TGridRect& R) { if (FOleDragging) FOleSelfDrop = R; }
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& Data, bool& Allow)> OnOleDrag;
    std::function<void(TObject* Sender, int ARow, int ACol)> OnOleDragStart;
    std::function<void(TObject* Sender, int OLEEffect)> OnOleDragStop;
    std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)> OnOleDropCol;

private:
    // Removes what a move took away: rows, or the dragged cells but those a
    // drop on this same grid has just written.
    void OleDragMoved(bool RowSelect);
    TGridRect FDropSelection{-1, -1, -1, -1};
    TGridRect FOleSelfDrop{-1, -1, -1, -1};
    bool FOleDragging = false;
    bool FOleDropRegistered = false;
    std::shared_ptr<TGridDropTarget> FOleDropTarget;

public:
    // ---- drop markers, move feedback, column chooser (AdvGridDragMarks) ----------------
    // The arrows of a drag over the grid: down and up around the column a
    // dragged column lands at (display column, ColCount beyond the last),
    // left beside the row dragged cells land in. Screen-placed windows.
    void ShowColumnDropMarks(int ACol, int ARow);
    // Row at its top, or one row lower in the append zone.
    void ShowRowDropMark(int ACol, int ARow, bool AppendZone);
    // Hides the three drop arrows and the move button.
    void HideDropMarks();
    // A column chooser announces that column ACol (an original column
    // number) is dragged from entry AIndex of AList; the drop of that column
    // on this grid shows it again at the drop place and removes the entry.
    void OleColumnDragStart(int ACol, int AIndex, TCustomListBox* AList);
    int OleColumnDragCol() const { return FOleDragCol; }
    // Shows the announced column at display column ACol; false when none was
    // announced. The announcement ends either way.
    bool DropAnnouncedColumn(int ACol);
    // The picture of the moved column or row while an enhanced move runs.
    TForm* MoveImage() const { return MoveForm; }

private:
    // The move button or the picture at the pointer, and the scroll a move
    // beyond an edge makes (enhanced move).
    void ShowMoveFeedback(int X, int Y, bool Cols);
    void MoveAutoScroll(int X, int Y, bool Cols);
    TRect DropMarkCell(int ACol, int ARow) const;
    TForm* MoveForm = nullptr;
    int FOleDragIndex = -1;
    TComponentRef<TCustomListBox> FOleDragList;

public:
    ADVGRID_PLAIN(bool, OemConvert, false)

public:

    // ---- look and cell hooks (AdvGridHooks) ---------------------------------------------
    // ACol is a real column wherever a caller passes one; painting passes
    // real columns and display rows.
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    bool HasCellBorders() override { return bool(OnGetCellBorder); }
    virtual void GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    // The sort style, prefix and suffix of a column (the column grid overrides).
    virtual void GetFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix);
    // OnGridHint, then OnGridWideHint, whose non-empty answer wins.
    virtual void GetCellHintText(int ACol, int ARow, QString& Hint, QString& WideHint);
    virtual void GetCellCursor(int ACol, int ARow, int X, int Y);
    virtual void GetEditorTypeFromEvent(int ACol, int ARow, TEditorType& AEditor);
    // The editor of a cell when one is shown (the column grid overrides).
    // The event can fix a cell but never unfix one.
    virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed);
    bool IsFixed(int ACol, int ARow) override;
    // The whole rule: the base cell's read-only flag, the edit switches, then
    // the event (true beyond the real column count).
    virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void IsPasswordCell(int ACol, int ARow, bool& IsPassword);
    virtual void GetCellWordWrap(int ACol, int ARow, bool& WordWrap);
    virtual bool HasComboBox(int ACol, int ARow);
    virtual bool HasSpinEdit(int ACol, int ARow);
    virtual void GetCheckTrue(int ACol, int ARow, QString& Value);
    virtual void GetCheckFalse(int ACol, int ARow, QString& Value);
    // Default, vertical alignment, numbers right with AutoNumAlign, the
    // cell's own alignment (not for a formula), then GetAlignment.
    void GetCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA);
    // The shown text of a formula cell (the calculation issue fills it in).
    virtual QString GetCalculatedCellText(int ACol, int ARow, const QString& Text);
    // Rebuilds FilterList with the values of the column; true when it holds any.
    virtual bool HasColumnFilter(int ACol);
    void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                         TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                         TCellGradientDirection& GD) override;
    virtual void DoButtonClick(int ACol, int ARow);
    void GridButtonClick(TObject* Sender);
    virtual void DoExpandClick(int ACol, int ARow, bool Expanded);
    virtual void DoComboCloseUp(int ARow, int ACol);
    virtual void DoComboDropDown(int ARow, int ACol);
    virtual void DoSearchFooterAction(const QString& Value, int ACol, int ARow, TSearchAction SearchAction);
    // The shared scratch font: valid until the next call.
    TFont* GetCellFont(int ACol, int ARow);
    ADVGRID_PLAIN(bool, FilterDropDownAuto, false)

public:

    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGridHintEvent OnGridHint;
    TGridWideHintEvent OnGridWideHint;
    TCellCursorEvent OnGetCellCursor;
    TGetEditorTypeEvent OnGetEditorType;
    THasComboEvent OnHasComboBox;
    THasSpinEditEvent OnHasSpinEdit;
    TIsFixedCellEvent OnIsFixedCell;
    TCanEditCellEvent OnCanEditCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TWordWrapEvent OnGetWordWrap;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGetColumnFilterEvent OnGetColumnFilter;
    TButtonClickEvent OnButtonClick;
    TExpandClickEvent OnExpandClick;
    TClickCellEvent OnComboCloseUp;
    TClickCellEvent OnComboDropDown;
    TSearchFooterActionEvent OnSearchFooterAction;


    // ---- visual properties, looks and styles (AdvGridVisual, AdvGridLook) -----------------
    // The colours, font, gradient, alignment and word wrap of one cell; ACol
    // is a display column with Remap, else a real one.
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                             TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override;
    int SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
    // Clamped to 0..100.
    void SetSelectionColorMixerFactor(int v);
    TVAlignment VAlignment() const { return FVAlignment; }
    // Also keeps the matching DrawText flag for editing.
    void SetVAlignment(TVAlignment v);
    unsigned VAlignFlag() const { return FVAlign; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool SpreadSheet() const { return FSpreadSheet; }
    // Whatever the value: selection rectangle and resizer, smart clipboard,
    // editing, range selection and range-select editing on.
    void SetSpreadSheet(bool v);
    static QString GetLookName(TGridLook L);
    void SetTheme(TXPColorScheme Scheme);
    // The fixed-cell hover and pressed gradients.
    TColor ZURGradientHoverFrom() const { return FHoverFrom; }
    void SetZURGradientHoverFrom(TColor v) { FHoverFrom = v; }
    TColor ZURGradientHoverTo() const { return FHoverTo; }
    void SetZURGradientHoverTo(TColor v) { FHoverTo = v; }
    TColor ZURGradientHoverMirrorFrom() const { return FHoverMirrorFrom; }
    void SetZURGradientHoverMirrorFrom(TColor v) { FHoverMirrorFrom = v; }
    TColor ZURGradientHoverMirrorTo() const { return FHoverMirrorTo; }
    void SetZURGradientHoverMirrorTo(TColor v) { FHoverMirrorTo = v; }
    TColor ZURGradientHoverBorder() const { return FHoverBorder; }
    void SetZURGradientHoverBorder(TColor v) { FHoverBorder = v; }
    TColor ZURGradientDownFrom() const { return FDownFrom; }
    void SetZURGradientDownFrom(TColor v) { FDownFrom = v; }
    TColor ZURGradientDownTo() const { return FDownTo; }
    void SetZURGradientDownTo(TColor v) { FDownTo = v; }
    TColor ZURGradientDownMirrorFrom() const { return FDownMirrorFrom; }
    void SetZURGradientDownMirrorFrom(TColor v) { FDownMirrorFrom = v; }
    TColor ZURGradientDownMirrorTo() const { return FDownMirrorTo; }
    void SetZURGradientDownMirrorTo(TColor v) { FDownMirrorTo = v; }
    TColor ZURGradientDownBorder() const { return FDownBorder; }
    void SetZURGradientDownBorder(TColor v) { FDownBorder = v; }
    const TColorTones& ColorTones() const { return FTones; }
    ADVGRID_PLAIN(bool, SelectionColorMixer, false)
    ADVGRID_PLAIN(bool, SelectionRectangle, false)
    ADVGRID_PLAIN(bool, SelectionResizer, false)
    ADVGRID_PLAIN(bool, NoImageAndText, false)
    ADVGRID_PLAIN(bool, EnhTextSize, false)
    ADVGRID_PLAIN(int, FilterRow, -1)

public:
    TGridGradientEvent OnGetCellGradient;

    // ---- painting (AdvGridPaint, AdvGridPaintText, AdvGridPaintGraphic) -------------------
    // The text a cell shows, with OnGetFloatFormat's format for numbers.
    virtual QString GetFormattedCell(int ACol, int ARow);
    void DrawCellBorders(TCanvas* Canvas, int ACol, int ARow, TRect ARect);
    // Inverted sizing lines: drawing the same line again takes it away.
    void DrawColSizingLine(int X);
    void DrawRowSizingLine(int Y);
    int SizingLineCount() const { return int(FSizingLines.size()); }
    // Where a check box stands in Place and how it looks by ControlStyle.
    void PaintCheckBox(TCanvas* Canvas, const TRect& Place, TCheckBoxState State, bool Enabled);
    void PaintRadioButton(TCanvas* Canvas, const TRect& Place, bool Checked, bool Enabled);
    static int Limit(double Percent) { return Percent < 0 ? 0 : Percent > 100 ? 100 : int(Percent); }
    // Whether the fixed drop-down button shows in a column (editing decides).
    virtual void UpdateVertScrollRange();
    virtual void UpdateHorzScrollRange();
    int ZoomFactor() const { return FZoomFactor; }
    void SetZoomFactor(int v) { FZoomFactor = v; Invalidate(); }

    TNotifyEvent OnPainted;
    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TCustomCellSizeEvent OnCustomCellSize;
    TGridBorderPropEvent OnGetCellBorderProp;
    TFloatFormatEvent OnGetFloatFormat;

    // ---- check boxes and radio buttons (AdvGridCheckBox) ----------------------------
    static TCheckBoxState BoolToCheckBoxState(bool Checked) { return Checked ? cbChecked : cbUnchecked; }
    // Raise "Invalid cell" outside the grid's totals (hidden columns and rows
    // counted) and for negative indexes; the cell is then untouched.
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    // Summary rows are skipped, node rows get an unchecked tri-state box.
    void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
    void RemoveCheckBox(int ACol, int ARow);
    void RemoveCheckBoxColumn(int ACol);
    virtual bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    // ARow is a real row when rows are hidden. False (State untouched) for a
    // cell without check box.
    virtual bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
    // No event.
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    // OnCheckBoxChange only when the state changes.
    bool ChangeCheckBoxState(int ACol, int ARow, bool Value);
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    bool ToggleCheckBox(int ACol, int ARow) { return DoToggleCheckBox(ACol, ARow, false); }
    virtual bool DoToggleCheckBox(int ACol, int ARow, bool ByUser);
    virtual void DoCheckBoxChange(int ACol, int ARow, bool State);
    // Fires OnCheckBoxClick (the mouse and Space call it after a toggle).
    virtual void CheckBoxClick(int ACol, int ARow, bool State);
    virtual bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
    void AddRadioButton(int ACol, int ARow, bool State);
    void RemoveRadioButton(int ACol, int ARow);
    bool HasRadioButton(int ACol, int ARow);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButtonColumn(int ACol);
    bool IsRadioButtonChecked(int ACol, int ARow);
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    virtual bool DoRadioButtonClick(int ACol, int ARow, bool ByUser);
    // The click on a radio group: the next caption, wrapping; always false.
    virtual bool RadioGroupClick(int ACol, int ARow, bool ByUser);

    TCheckBoxClickEvent OnCheckBoxChange;
    TCheckBoxClickEvent OnCheckBoxClick;

    // ---- balloons, radio groups, expand cells (AdvGridObjects) -------------------------
    bool HasCellGraphicType(int ACol, int ARow, std::initializer_list<TCellType> Types);
    // On a check box or radio button the balloon is attached; another
    // object refuses it.
    void AddBalloon(int ACol, int ARow, const QString& Title, const QString& Text, TBalloonIcon Icon);
    void RemoveBalloon(int ACol, int ARow);
    bool HasBalloon(int ACol, int ARow);
    bool IsBalloon(int ACol, int ARow, QString& Title, QString& Text, TBalloonIcon& Icon);
    // The grid neither copies nor frees sl: the caller keeps it alive while
    // the cell holds the group.
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl);
    // A group over a new list the grid owns, returned for filling.
    TStrings* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    TStrings* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow);
    void AddExpand(int ACol, int ARow, int ExpandedHeight);
    void RemoveExpand(int ACol, int ARow);
    bool HasExpand(int ACol, int ARow);
    // These answer as for a cell without object on another kind.
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    // Pictures, progress bars, comments, shapes, ratings, buttons, rotated
    // text. Objects given to Add... stay the caller's; Create... objects
    // are owned by the cell.
    void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                            TCellHAlign hal, TCellVAlign val);
    // A picture read from its file at every paint: a missing or unreadable
    // file shows nothing.
    void AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign hal, TCellVAlign val);
    void RemovePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctPicture); }
    void RemoveFilePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }
    TPicture* GetPicture(int ACol, int ARow);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow) { return GetPicture(ACol, ARow) != nullptr; }
    void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    void AddInterfacedCell(int ACol, int ARow, TPersistent* AObject);
    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
    void AddAdvProgress(int ACol, int ARow, int Min, int Max);
    void AddProgressPie(int ACol, int ARow, TColor AColor, int Value);
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    void AddComment(int ACol, int ARow, const QString& Comment);
    void AddColorComment(int ACol, int ARow, const QString& Comment, TColor AColor);
    void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    void AddButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TBitmap* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    // Into 0..360: -90 gives 270; the cell text becomes s.
    void AddRotated(int ACol, int ARow, int AAngle, const QString& s);
    void RemoveBitmap(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }
    void RemoveIcon(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctIcon); }
    void RemoveImageIdx(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImageList); }
    void RemoveDataImage(int ACol, int ARow);
    void RemoveProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgress); }
    void RemoveAdvProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }
    void RemoveProgressPie(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }
    void RemoveRangeIndicator(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator); }
    void RemoveComment(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctComment); }
    void RemoveShape(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctShape); }
    void RemoveRating(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRating); }
    void RemoveRotated(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRotated); }
    void RemoveInterfacedCell(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctInterface); }
    void RemoveButton(int ACol, int ARow);
    void RemoveAllComments();
    void RemoveAllButtons();
    bool HasProgress(int ACol, int ARow) { return HasCellGraphicType(ACol, ARow, {ctProgress}); }
    bool HasRating(int ACol, int ARow) { return HasCellGraphicType(ACol, ARow, {ctRating}); }
    virtual bool HasButton(int ACol, int ARow) { return HasCellGraphicType(ACol, ARow, {ctButton, ctBitButton}); }
    bool HasComment(int ACol, int ARow) { return HasCellGraphicType(ACol, ARow, {ctComment}); }
    bool IsComment(int ACol, int ARow, QString& Comment);
    bool IsRotated(int ACol, int ARow, int& AAngle);
    // "" or nothing for a cell without object.
    QString GetButtonText(int ACol, int ARow);
    void SetButtonText(int ACol, int ARow, const QString& Value);
    virtual void PushButton(int ACol, int ARow, bool Pushed);
    // A ctRotated object takes the new angle; another object of the cell is
    // replaced; the shared check boxes are never touched.
    void SetRotated(int ACol, int ARow, int AAngle);
    // ---- calculations, sizing, nodes, grouping, checking (AdvGridCalc, AdvGridSize,
    //      AdvGridNodes, AdvGridGroup, AdvGridCellCheck) -----------------------------------
    // Sizes a displayed column to its contents, then adds Padding (not 0).
    virtual void AutoSizeCol(int ACol, int Padding);
    virtual void DoAutoSizeCol(int Index, bool GrowOnly);
    // The automatic width of a displayed column before it is applied
    // (the column grid clamps it to its item's bounds).
    virtual void UpdateAutoColumnSize(int ACol, int& AWidth);
    virtual void Group(int ColIndex);
    virtual void UnGroup();

    // ---- nodes (AdvGridNodes) ------------------------------------------------------
    // AddNode, RemoveNode, ExpandNode, ContractNode and the row insertions take
    // real rows (hidden rows counted); the queries take display rows.
    void AddNode(int ARow, int Span);
    void RemoveNode(int ARow);
    void SetNodeState(int ARow, bool Value);
    int GetNodeLevel(int ARow);
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    void UpdateSubNodeCount(int ARow, int Delta);
    void ExpandNode(int ARow);
    void ContractNode(int ARow);
    void ContractAll();
    void InsertChildRow(int ARow, int InsertAt);
    void RemoveChildRow(int ARow);
    void InsertNormalRow(int ARow);
    void RemoveNormalRow(int ARow);
    void MarkSummaryRow(int ARow);
    // Whether X lies on the expand/contract glyph of the node row ARow.
    bool NodeGlyphHitTest(int ARow, int X);
    // The click on a node row's glyph: the events around the expansion or
    // contraction; false when the click was not on a glyph.
    bool NodeClick(int ACol, int ARow, int X);
    std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeExpandNode;
    std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeContractNode;
    std::function<void(TObject* Sender, int ARow, int ARowReal)> OnExpandNode;
    std::function<void(TObject* Sender, int ARow, int ARowReal)> OnContractNode;

protected:
    TCellGraphic* NodeObject(int ARow);
    void ExpandNodeCore(int ARow);
    void LowerNodeLevels(int D, int Span);
    void DrawNodeGlyph(TCellDrawContext& c);

public:
    // ---- grouping (AdvGridGroup) ---------------------------------------------------
    virtual void SubGroup(int ColIndex);
    virtual void SubUnGroup(int ColIndex);
    // Per group: 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 custom
    // (OnGroupCalc), 7 distinct values, 8 standard deviation; written into the
    // summary row with Grouping.Summary, else into the header row.
    void GroupCalc(int ColIndex, int Method);
    void GroupSum(int ColIndex) { GroupCalc(ColIndex, 1); }
    void GroupAvg(int ColIndex) { GroupCalc(ColIndex, 2); }
    void GroupMin(int ColIndex) { GroupCalc(ColIndex, 3); }
    void GroupMax(int ColIndex) { GroupCalc(ColIndex, 4); }
    void GroupCount(int ColIndex) { GroupCalc(ColIndex, 5); }
    void GroupCustomCalc(int ColIndex) { GroupCalc(ColIndex, 6); }
    void GroupDistinct(int ColIndex) { GroupCalc(ColIndex, 7); }
    void GroupStdDev(int ColIndex) { GroupCalc(ColIndex, 8); }
    bool IsGrouping() const { return FIsGrouping; }
    std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)> OnGroupCalc;

protected:
    void GroupMakeNode(int ARow, int Span);
    void GroupHeaderLook(int ARow);
    void GroupSummaryRow(int ARow, bool Insert);
    int FGroupColumn = -1;
    int FGroupWidth = 0;
    QString FGroupCaption;
    QString FGroupFooter;
    bool FIsGrouping = false;

public:
    // ---- floating footer, numbering, sizing, checking, fills and small controls
    //      (AdvGridFooter, AdvGridCalc, AdvGridAutoSize, AdvGridCellCheck, AdvGridSmallControls) ----
    // The last row shows empty (a visible footer shows it instead).
    void SetHideLastRow(bool Value);
    TCanvas* FooterCanvas() const;
    // Cell (ACol, ARow) painted into R on any canvas, as a fixed cell or not.
    void PaintFooterCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& R, bool Fixed);
    std::function<void(TObject* Sender, int AColumn, TCanvas* Canvas, TRect ARect)> OnFooterPaint;
    TNotifyEvent OnCreatedFloatingFooter;
    // Over the base cells of a row; cells that are not numbers are left out
    // (but the first cell of RowMin / RowMax must be one).
    double RowSum(int ARow, int FromCol, int ToCol);
    double RowAvg(int ARow, int FromCol, int ToCol);
    double RowMin(int ARow, int FromCol, int ToCol);
    double RowMax(int ARow, int FromCol, int ToCol);
    double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
    std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)> OnColumnCalc;
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    ADVGRID_PLAIN(int, AutoNumberStart, 0)
    ADVGRID_PLAIN(int, AutoNumberOffset, 0)
    ADVGRID_PLAIN(TSortDirection, AutoNumberDirection, sdAscending)
public:
    virtual void DoAutoSizeRow(int ARow, bool GrowOnly, int Padding);
    void AutoSizeRows(bool DoFixedRows, int Padding);
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    void AutoFitColumns(bool DoFixedCells);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowSize;
    // Checking through the attached checker (none: everything passes).
    TAdvStringGridCheck* CellChecker() const { return FCellChecker.Get(); }
    void SetCellChecker(TAdvStringGridCheck* Value) { FCellChecker.Set(Value); }
    bool CheckCell(int ACol, int ARow);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int ACol);
    bool CheckRow(bool DoFixed, int ARow);
    bool CheckGrid(bool DoFixed);
    void TextFill(bool DoFixed, const QString& Txt);
    // Fmt takes the column and then the row as two integers.
    void FormatFill(bool DoFixed, const QString& Fmt);
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);
    // A snapshot of the cells of ARect in a new, unshown form the caller owns.
    TForm* SelectionToForm(const TGridRect& ARect);
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);
    void GotoFirstRow();
    // Whether a fixed cell takes the hover look.
    bool HoverFixedCell(int ACol, int ARow) const;
    // The column-move button (hidden and disabled until a move).
    THeaderDragButton* HeaderDragButton() const;

protected:
    // The mouse may start a resize only where OnColumnSize and OnRowSize allow.
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs) override;
    TComponentRef<TAdvStringGridCheck> FCellChecker;
    bool FIntegralHeight = false;

public:
    TDateTime Dates(int ACol, int ARow);
    void SetDates(int ACol, int ARow, TDateTime Value);
    TDateTime Times(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, TDateTime Value);

    // ---- owned settings objects and controls ------------------------------------
    TNavigation* Navigation() const { return FNavigation; }
    TMouseActions* MouseActions() const { return FMouseActions; }
    TBands* Bands() const { return FBands; }
    TSyncGrid* SyncGrid() const { return FSyncGrid; }
    TSearchFooter* SearchFooter() const { return FSearchFooter; }
    TCellNode* CellNode() const { return FCellNode; }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping; }
    TColumnSize* ColumnSize() const { return FColumnSize; }
    TSortIndexList* SortIndexes() const { return FSortIndexes; }
    TIntList* SortRowXRef() const { return FSortRowXRef; }
    TIntList* UnSortRowXRef() const { return FUnSortRowXRef; }
    TStringList* FilterList() const { return FFilterList; }
    TStringList* SortList() const { return Sortlist; }
    THTMLPictureCache* ImageCache() const { return FImageCache; }
    TIntList* OrigColSizes() const { return FOrigColSizes; }
    TBitmap* RowIndicator() const { return FRowIndicator; }
    TFont* CellFontScratch() const { return cf; }
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    TSearchPanel* SearchPanel() const { return FSearchPanel; }
    TFloatingFooter* FloatingFooter() const { return FFloatingFooter; }
    TPrintSettings* PrintSettings() const { return FPrintSettings; }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings; }
    TSortSettings* SortSettings() const { return FSortSettings; }
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings; }
    TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions; }
    TControlLook* ControlLook() const { return FControlLook; }
    TGrouping* Grouping() const { return FGrouping; }
    TBackGround* BackGround() const { return FBackGround; }
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance; }
    TFilter* Filter() const { return FFilter; }
    TBalloonSettings* BalloonSettings() const { return FBalloonSettings; }
    TShowModified* ShowModified() const { return FShowModified; }
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown; }
    TGridFocusWindow* FocusWindow() const { return FFocusWindow; }
    TArrowWindow* ArrowWindow(int i) const { return i == 0 ? ArwU : i == 1 ? ArwD : i == 2 ? ArwL : ArwR; }
    TScrollBar* ScrollBarControl() const { return FScrollBar; }
    TScrollBar* PaintScrollBar() const { return FPaintScrollBar; }

    // ---- keyboard and mouse (AdvGridKeys, AdvGridMouse, AdvGridMove, AdvGridScroll) ----
    // One Tab step; false when the Tab was handed on to the parent window.
    virtual bool TabNavigate(bool Backward);
    bool TabMove(bool Backward) { return TabNavigate(Backward); }
    // One Enter step from (ACol, ARow).
    virtual void AdvanceCell(int ACol, int ARow, bool EditAfter, bool Recursing, bool Forward, bool UseAutoEdit,
                             bool Force);
    void AdvanceEdit(int ACol, int ARow, bool EditAfter, bool Recursing, bool Forward, bool UseAutoEdit, bool Force)
    {
        AdvanceCell(ACol, ARow, EditAfter, Recursing, Forward, UseAutoEdit, Force);
    }
    bool IsTabStop(int ACol, int ARow);
    // The lowest (highest) column of a row that is a tab stop, -1 when none.
    int FirstTabStop(int ARow);
    int LastTabStop(int ARow);
    void AppendRowOnArrowDown();
    // The platform's press and release 2 pixels inside the cell's top-left
    // corner, OnMouseDown and OnMouseUp detached, any move allowed.
    void SimulateCellClick(int ACol, int ARow);
    // Widths and heights grow by x pixels (factor -10 .. 10).
    void Zoom(int x);
    void HandleWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled);
    void HandleWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void WheelNotify(int Delta, bool& Handled) { (void)Delta; (void)Handled; }
    // The text of the sizing hint while a column or row is dragged, empty otherwise.
    QString SizingHint() const { return FSizingHint; }
    // The column or row a header press would move, -1 otherwise.
    int MoveCell() const { return Movecell; }
    // The column (row) of the sizing edge nearest the last press.
    int ColClicked() const { return Colclicked; }
    int RowClicked() const { return Rowclicked; }
    void StretchToClient(int ACol) { StretchColumn(ACol); }
    virtual void ScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax);
    // The width a mouse sizing leaves, offered to OnUpdateColumnSize.
    virtual void UpdateColumnSize(int ACol, int& AWidth);
    virtual void StartBlockFocus();
    virtual void EndBlockFocus();
    void WndProc(TMessage& Message) override;

    // Operations of other grid parts that the keyboard and mouse call.
    virtual int Search(const QString& Text);
    // The button's face as last painted: offset in the cell object's value,
    // size in its index; empty without a button.
    virtual TRect GetCellButtonRect(int ACol, int ARow);
    virtual void SelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
    {
        (void)ALeft; (void)ATop; (void)ARight; (void)ABottom;
    }

    // Cell events: the row comes first.
    std::function<void(TObject* Sender, int ARow, int ACol)> OnClickCell;
    std::function<void(TObject* Sender, int ARow, int ACol)> OnDblClickCell;
    std::function<void(TObject* Sender, int ARow, int ACol)> OnRightClickCell;
    std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)> OnCanClickCell;
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)> OnCellChanging;
    std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)> OnRowChanging;
    std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)> OnColChanging;
    std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)> OnAutoAdvance;
    std::function<void(TObject* Sender, bool& CanAdd)> OnCanAddRow;
    std::function<void(TObject* Sender, int ARow)> OnAutoAddRow;
    std::function<void(TObject* Sender, int ACol)> OnAutoInsertCol;
    std::function<void(TObject* Sender, int ARow, bool& CanInsert)> OnCanInsertRow;
    std::function<void(TObject* Sender, int ARow)> OnAutoInsertRow;
    std::function<void(TObject* Sender, int ARow, bool& CanDelete)> OnCanDeleteRow;
    std::function<void(TObject* Sender, int ARow)> OnAutoDeleteRow;
    std::function<void(TObject* Sender, bool& Allow)> OnClipboardCopy;
    std::function<void(TObject* Sender, bool& Allow)> OnClipboardCut;
    std::function<void(TObject* Sender, bool& Allow)> OnClipboardPaste;
    std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnSize;
    std::function<void(TObject* Sender, int ACol, int ColumnSize)> OnColumnSizing;
    std::function<void(TObject* Sender, int ARow, int RowSize)> OnRowSizing;
    std::function<void(TObject* Sender, int ACol)> OnEndColumnSize;
    std::function<void(TObject* Sender, int ARow)> OnEndRowSize;
    std::function<void(TObject* Sender, int ACol, int& AWidth)> OnUpdateColumnSize;
    std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnMove;
    std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnMoving;
    std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowMove;
    std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowMoving;
    std::function<void(TObject* Sender, int ACol, bool& DoSort)> OnCanSort;
    std::function<void(TObject* Sender, int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)> OnScrollCell;
    TNotifyEvent OnStartBlockFocus;
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& Anchor, bool& AutoHandle)> OnAnchorClick;
    TNotifyEvent OnEndBlockFocus;

    // ---- fixed sizing, header drag selection, in-cell scroll bar, expand glyphs ----
    // (AdvGridSizeFixed, AdvGridHeaderSelect, AdvGridCellScroll, AdvGridMouse)
    // The sizing hint also shows in its window while a column or row is sized.
    ADVGRID_PLAIN(bool, HintShowSizing, false)
public:
    // A fixed column (row) is being sized with the mouse, and which one.
    bool SizingFixedCol() const { return FSizingFixed; }
    bool SizingFixedRow() const { return FSizingFixedR; }
    int SizingFixedColIndex() const { return FSizingFixedCol; }
    int SizingFixedRowIndex() const { return FSizingFixedRow; }
    // The window of the sizing hint while it shows, else null.
    THTMLHintWindow* SizingHintWindow() const { return FScrollHintShow ? FScrollHintWnd : nullptr; }
    // The first row (column) of a header drag selection, -1 when none.
    int MouseSelectStart() const { return FMouseSelectStart; }
    // In-cell scroll bars: the base cell's bar with its position (-1
    // without), page size and range (-1 each without).
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    void RemoveScrollBar(int ACol, int ARow);
    bool HasScrollBar(int ACol, int ARow);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollPosition(int ACol, int ARow, int Position);
    TScrollProp GetScrollProp(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
    // The cell whose scroll bar the pointer shows, (-1, -1) when none.
    TPoint ScrollBarCell() const { return TPoint(FScrollCol, FScrollRow); }
    // The 11 x 11 glyph at the top-right of an expand cell (real column);
    // empty for other cells.
    virtual TRect GetExpandButtonRect(int ACol, int ARow);
    // Lets a descendant change the selection a press on the top-left corner makes.
    virtual void AdjustAllSelection(TGridRect& Rect) { (void)Rect; }

private:
    bool SizeFixedPress(int X, int Y);
    void SizeFixedMove(int X, int Y);
    bool SizeFixedRelease(int X, int Y);
    void SizeFixedCancel();
    int FixedEdgeAt(int Pos, bool Rows) const;
    int FixedStart(int Index, bool Rows) const;
    void ShowSizingHint(const QString& Text, int ACol, int ARow);
    void HideSizingHint();
    void HeaderSelectPress(int ACol, int ARow, TShiftState Shift);
    void HeaderSelectMove(int X, int Y);
    void CellScrollHover(int ACol, int ARow);
    bool CellScrollMessage(TMessage& m);
    void CellHintMove(int ACol, int ARow);
    bool OverCellButton(int ACol, int ARow, int X, int Y);
    bool FSizingFixed = false;
    bool FSizingFixedR = false;
    int FSizingFixedCol = -1;
    int FSizingFixedRow = -1;
    int FSizeFixedX = 0;
    int FSizeFixedY = 0;
    bool FScrollHintShow = false;
    int FScrollCol = -1;
    int FScrollRow = -1;

public:

    // ---- published settings with their defaults ----------------------------------
    ADVGRID_PLAIN(bool, AutoSize, false)
    ADVGRID_PLAIN(QString, FloatFormat, QStringLiteral("%.2f"))
    ADVGRID_PLAIN(QString, PasswordChar, QStringLiteral("*"))
    ADVGRID_PLAIN(QString, CheckTrue, QStringLiteral("Y"))
    ADVGRID_PLAIN(QString, CheckFalse, QStringLiteral("N"))
    ADVGRID_PLAIN(QString, XMLEncoding, QStringLiteral("ISO-8859-1"))
    ADVGRID_PLAIN(QString, FilterDropDownClear, QStringLiteral("(All)"))
    ADVGRID_PLAIN(QChar, Delimiter, QChar(0))
    ADVGRID_PLAIN(bool, JavaCSV, false)
    ADVGRID_PLAIN(TColor, HintColor, clInfoBk)
    ADVGRID_PLAIN(TColor, SelectionColor, TColor(0xEACAB6))
    ADVGRID_PLAIN(TColor, SelectionColorTo, clNone)
    ADVGRID_PLAIN(TColor, SelectionMirrorColor, clNone)
    ADVGRID_PLAIN(TColor, SelectionMirrorColorTo, clNone)
    ADVGRID_PLAIN(TColor, SelectionTextColor, 0)
    ADVGRID_PLAIN(TColor, SelectionRectangleColor, 0)
    ADVGRID_PLAIN(TColor, ActiveCellColor, TColor(0x808080))
    ADVGRID_PLAIN(TColor, ActiveCellColorTo, clNone)
    ADVGRID_PLAIN(bool, ActiveCellShow, false)
    ADVGRID_PLAIN(TColor, DisabledFontColor, TColor(0xC0C0C0))
    ADVGRID_PLAIN(TColor, URLColor, TColor(0xFF0000))
    ADVGRID_PLAIN(bool, URLShow, false)
    ADVGRID_PLAIN(bool, URLShowInText, false)
    // A right click on a URL cell edits its text instead of following it.
    ADVGRID_PLAIN(bool, URLEdit, false)
    ADVGRID_PLAIN(bool, URLFull, false)
public:
    TColor ScrollColor() const { return FScrollColor; }
    void SetScrollColor(TColor v);
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int v);
    ADVGRID_PLAIN(bool, ScrollSynch, false)
    ADVGRID_PLAIN(bool, ScrollHints, false)
    ADVGRID_PLAIN(TScrollBarAlways, ScrollBarAlways, saNone)
    ADVGRID_PLAIN(TEditorType, DefaultEditor, edNormal)
    ADVGRID_PLAIN(bool, ShowSelection, true)
    ADVGRID_PLAIN(bool, HideFocusRect, false)
    ADVGRID_PLAIN(bool, FixedAsButtons, false)
    ADVGRID_PLAIN(bool, EnableHTML, true)
    ADVGRID_PLAIN(bool, EnableWheel, true)
    ADVGRID_PLAIN(bool, EnableBlink, false)
    ADVGRID_PLAIN(bool, IntelliZoom, true)
    ADVGRID_PLAIN(bool, ShowNullDates, true)
    ADVGRID_PLAIN(bool, UseDisabledFont, true)
    ADVGRID_PLAIN(bool, UseInternalHintClass, true)
    ADVGRID_PLAIN(bool, FitCellsInGrid, true)
    ADVGRID_PLAIN(bool, ShowDesignHelper, true)
    ADVGRID_PLAIN(bool, HintShowLargeText, false)
    ADVGRID_PLAIN(THintShowLargeTextPos, HintShowLargeTextPos, hpCell)
    ADVGRID_PLAIN(THoverFixedCells, HoverFixedCells, hfNone)
public:
    TPoint XYOffset() const { return FXYOffset; }
    void SetXYOffset(TPoint v);
    ADVGRID_PLAIN(bool, XYOffsetTopLeftOnly, false)
    ADVGRID_PLAIN(TInvalidEntryIcon, InvalidEntryIcon, ieWarning)
    ADVGRID_PLAIN(QString, InvalidEntryTitle, QString())
    ADVGRID_PLAIN(QString, InvalidEntryText, QString())
    ADVGRID_PLAIN(bool, EnhRowColMove, true)
    ADVGRID_PLAIN(bool, AutoFilterUpdate, true)
    ADVGRID_PLAIN(bool, FilterNormalCellsOnly, true)
    ADVGRID_PLAIN(TFilterDropDownColumns, FilterDropDownColumns, fdNormal)
    ADVGRID_PLAIN(bool, FilterIncremental, false)
    ADVGRID_PLAIN(bool, LoadFirstRow, true)
    ADVGRID_PLAIN(bool, QuoteEmptyCells, true)
    ADVGRID_PLAIN(bool, AlwaysQuotes, false)
    ADVGRID_PLAIN(bool, SaveFixedCells, true)
    ADVGRID_PLAIN(bool, SaveFixedRows, false)
    ADVGRID_PLAIN(bool, SaveFixedCols, false)
    ADVGRID_PLAIN(bool, SaveHiddenCells, false)
    ADVGRID_PLAIN(bool, SaveVirtCells, true)
    ADVGRID_PLAIN(bool, SaveWithHTML, true)
    ADVGRID_PLAIN(bool, SaveWithRTF, false)
    ADVGRID_PLAIN(bool, ClearTextOnly, false)
    ADVGRID_PLAIN(bool, SizeGrowOnly, false)
    ADVGRID_PLAIN(int, MinRowHeight, 0)
    ADVGRID_PLAIN(int, MaxRowHeight, 0)
    ADVGRID_PLAIN(int, MinColWidth, 0)
    ADVGRID_PLAIN(int, MaxColWidth, 0)
    ADVGRID_PLAIN(bool, ExcelClipboardFormat, false)
    ADVGRID_PLAIN(bool, MultilineCells, false)
    ADVGRID_PLAIN(bool, NoDefaultDraw, false)
    ADVGRID_PLAIN(bool, AnchorHint, false)
    ADVGRID_PLAIN(bool, AutoNumAlign, false)
    ADVGRID_PLAIN(bool, AutoThemeAdapt, false)
public:
    bool IntegralHeight() const { return FIntegralHeight; }
    // Stored, then the bounds fit the height to whole rows again.
    void SetIntegralHeight(bool v);

private:
    ADVGRID_PLAIN(bool, Hovering, false)
    ADVGRID_PLAIN(bool, SizeWithForm, false)
    ADVGRID_PLAIN(int, PrevSizeX, 0)
    ADVGRID_PLAIN(int, PrevSizeY, 0)
public:
    int GroupColumn() const { return FGroupColumn; }
    // -1 ungroups, a column above 0 groups on it, 0 changes nothing.
    void SetGroupColumn(int v);
    ADVGRID_PLAIN(QString, EditMask, QString())

public:
    // ---- events -------------------------------------------------------------------
    TRowChangedEvent OnRowChanged;
    TCellsChangedEvent OnCellsChanged;
    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TRowDisjunctSelectedEvent OnRowDisjunctSelected;
    TNotifyEvent OnGridResize;
    TUnitChangedEvent OnUnitChanged;

    // The link cursor of every grid (the hand point).
    static TCursor LinkCursor();

    // ---- cell hints under the pointer (AdvGridCellHint) ----
    // The hint of the cell under client point (X, Y): the grid's Hint, or
    // with HintShowCells a normal cell's text, then OnGridHint and
    // OnGridWideHint. False when no cell is there.
    bool GetCellHint(int X, int Y, QString& HintStr);
    // Shows (or hides) the hint for a tool-tip event of the grid's widget.
    bool ShowCellHintEvent(QEvent* e);
    // With HintShowCells a normal cell's hint is its text (without markup).
    ADVGRID_PLAIN(bool, HintShowCells, false)

protected:
    void Loaded() override;
    // The window set-up: when the widget is first shown with a parent.
    virtual void CreateWnd();
    void Resize() override;
    void TimerTick(unsigned id) override;
    bool HandleQtEvent(QWidget* w, QEvent* e) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    QString GetEditMask(int ACol, int ARow) override;
    bool SelectCell(int ACol, int ARow) override { return FForceSel || CanMoveToCell(ACol, ARow); }
    void EnabledChanged() override;
    void ColorChanged() override;
    // The column-moved and row-moved steps: the platform's, the columns taken
    // as real ones (moving the hidden-column map with them is the mouse's).
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    // Timer tick 111.
    void GridTimer();
    void DoCellTextRepaint(int RealColumn, int ARow);

    // ---- hover, panning, drag scrolling, proportional bars ----
    // (AdvGridHover, AdvGridPan, AdvGridDragScroll, AdvGridScrollRange)
    ADVGRID_PLAIN(bool, URLUnderlineOnHover, false)
    ADVGRID_PLAIN(TIntelliPan, IntelliPan, ipVertical)
public:
    // Scroll thumbs sized to the share of the grid in view.
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool v);
    // What the pointer hovers; -1 (or (-1, -1)) when nothing.
    int HoverRowIdx() const { return FHoverRowIdx; }
    TPoint HoverFixedCell() const { return TPoint(FHoverFixedX, FHoverFixedY); }
    TPoint HotFixedCell() const { return FHotFixedCell; }
    TPoint HoverButton() const { return FHoverButton; }
    TPoint HoverCell() const { return FHoverCell; }
    int HoverLink() const { return FHoverlink; }
    QString HoverAnchor() const { return FAnchor; }
    // The pointer lies on a fixed column's (row's) sizing edge.
    bool SizeFixedEdge() const { return FSizeFixed; }
    bool SizeFixedRowEdge() const { return FSizeFixedR; }
    TMouseSelectMode MouseSelectMode() const { return FMouseSelectMode; }
    // The cursor the pointer rules showed last (crDefault when the grid's own).
    TCursor ShownCursor() const { return FShownCursor; }
    // The grid's pictures for the pan (8000 .. 8008) and selection cursors
    // (8010 row, 8011 column, 8012 all, 8014 cell selector), registered once.
    static TCursor GridCursor(int Id);
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& Anchor)> OnAnchorEnter;
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& Anchor)> OnAnchorExit;
    std::function<void(TObject* Sender, int ARow, int ACol, QString& Anchor)> OnAnchorHint;

    static constexpr unsigned PanTimerID = 999;
    bool Panning() const { return wheelpan != 0; }
    TPoint PanOrigin() const { return wheelpanpos; }
    void PaintPanOrigin();
    void InvalidatePanOrigin();

    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void HandleDragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void DragScrollTick();
    TTimer* DragScrollTimer() const { return FDragTmr; }
    TDragScrollDirections DragScrollDirection() const { return FDragScrollDirection; }
    std::function<void(TObject* Sender, int TopRow, int LeftCol, TDragScrollDirections& Dir, bool& CanScroll)>
        OnDragScroll;

private:
    void HandleMouseMove(TShiftState Shift, int X, int Y);
    void HoverCursorAfterMove(int X, int Y);
    void HoverLeave();
    void HoverLinkMove(int ACol, int ARow, int X, int Y);
    bool HoverAnchorAt(int ACol, int ARow, int X, int Y, QString& Anchor, QString& Title, int& Index);
    void ShowGridCursor(TCursor C);
    // Starts, steps or ends a pan; the message goes on in every case.
    void PanMessage(TMessage& m);
    void PanStart(int X, int Y);
    void PanEnd();
    void PanStep();
    void StopDragScroll();
    void UpdateScrollRange() override;
    void UpdateScrollPos() override;
    bool FScrollLock = false;
    bool FScrollProportional = false;
    TPoint FHotFixedCell{-1, -1};
    TPoint FHoverButton{-1, -1};
    TPoint FHoverCell{-1, -1};
    QString FAnchor;
    QString FLastAnchorHint;
    bool FSizeFixed = false;
    bool FSizeFixedR = false;
    bool FNoMouseLeave = false;
    TCursor FShownCursor = crDefault;
    TPoint wheelpanpos{0, 0};
    TCursor prevcurs = crDefault;
    bool FPanHintsOff = false;
    TTimer* FDragTmr = nullptr;
    TDragScrollDirections FDragScrollDirection;

public:

    // ---- keyboard and mouse (AdvGridKeys, AdvGridMouse, AdvGridMove, AdvGridScroll) ----
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override { HandleMouseDown(Button, Shift, X, Y); }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override { HandleMouseUp(Button, Shift, X, Y); }
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    bool FForceSel = false;       // any cell move passes the selection check
    bool FDisableChange = false;  // the cell-changing check fires no OnCellChanging
    bool FGridModified = false;
    int FAECol = -1;
    int FAERow = -1;

    // ---- selection resizer (AdvGridSelResize) -------------------------------------
    // The handle at the bottom-right of the selection: a drag from it copies
    // the selection and pastes it into the selection at the release.
    using TSelectionResizeEvent =
        std::function<void(TObject* Sender, const TGridRect& OrigSelection, const TGridRect& NewSelection)>;
    TSelectionResizeEvent OnSelectionResize;
    TSelectionResizeEvent OnSelectionResized;
    // Is client point (X, Y) on the handle (with SelectionResizer and
    // SelectionRectangle on)?
    bool OnSelectionResizer(int X, int Y) const;
    bool MouseResizing() const { return FMouseResize; }
    // The press on the handle and the release that ends its drag.
    void SelectionResizePress(TMessage& m, int X, int Y);
    void SelectionResizeRelease();
    bool FMouseResize = false;

    // ---- focus in and out (AdvGridFocus) ------------------------------------------
    void DoEnter() override;
    void DoExit() override;
    void HandleEnter();
    void HandleExit();
    // Gives the keyboard to the first editable form control in the cell's
    // markup after the one with ControlID (from the start when empty); the
    // grid keeps the focus when there is none.
    void FocusCellControl(int ACol, int ARow, const QString& ControlID);

    // ---- clicks on cell objects (AdvGridCellClick) --------------------------------
    // Selects the radio of a radio-group cell under (X, Y), relative to the
    // cell's top-left corner.
    void ClickRadioGroup(int ACol, int ARow, int X, int Y);
    // The check-box and radio mouse-up events of a release on (ACol, ARow).
    void CellMouseUpEvents(int ACol, int ARow);
    // Called for a press in cell-selector mode, which a descendant may use.
    virtual void CellSelectorClick(int ACol, int ARow) { (void)ACol; (void)ARow; }
    TRadioClickEvent OnRadioClick;
    TCheckBoxClickEvent OnCheckBoxMouseUp;

    // ---- the left press, step by step (AdvGridMousePress) ------------------------
    // A rating cell takes one half star per 9 pixels from its left edge; the
    // hook fires OnRatingChange and answers whether the new rate may stay.
    virtual bool DoRatingChange(int ACol, int ARow, double& NewRate);
    std::function<void(TObject* Sender, int ACol, int ARow, double& NewRate, bool& Allow)> OnRatingChange;
    TButtonClickEvent OnRadioButtonClick;
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal)>
        OnControlClick;
    // A press on a cell selects nothing and calls CellSelectorClick instead
    // while a descendant has this on.
    bool CellSelectorMode() const { return FCellSelectorMode; }
    void SetCellSelectorMode(bool v) { FCellSelectorMode = v; }
    bool SpinUpClicked() const { return FSpinUpClick; }
    bool SpinDownClicked() const { return FSpinDnClick; }
    bool FixedCellPushed() const { return FFixedCellPushed; }
    TRadioClickEvent OnRadioMouseUp;

    // ---- the drop-down button of fixed cells (AdvGridFixedDropDown) -----------------
    // The menu a press on the button of a hover-tracked fixed cell shows (its
    // Tag is the column); OnFixedDropDownClick may hand another one, or none,
    // and may keep the cell highlighted after the menu has closed.
    TPopupMenu* FixedDropDownMenu() const { return FFixedDropDownMenu; }
    void SetFixedDropDownMenu(TPopupMenu* v);
    std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu*& AMenu, bool& KeepFixedCellHighlighted)>
        OnFixedDropDownClick;
    bool FixedDropDownDown() const { return FDropDownDown; }

    // ---- column stretch (AdvGridStretch) -------------------------------------------
    // The last column takes the client width the other columns leave.
    void StretchRightColumn();
    bool FIsColChanging = false;

    // ---- state used by the other grid units -------------------------------------
    bool FEditChange = false;
    bool FSelChange = false;
    bool FEditing = false;
    bool EditMode = false;
    TEditorType EditControl = edNormal;
    int FUpdateCount = 0;
    int FFilterLevel = 0;
    int FNumNodes = 0;
    bool FBlockCellChange = false;
    bool FEntered = false;
    bool FUseEnabledRows = false;
    bool FCursorChangedByGrid = false;
    int FHoverFixedX = -1;
    int FHoverFixedY = -1;
    int FMouseSelectStart = -1;
    TMouseSelectMode FMouseSelectMode = msNormal;
    bool FGridBlink = false;
    std::vector<int> FMaxWidths;   // print column widths (the print issue sizes them)
    std::vector<int> FIndents;     // print column offsets

private:
    friend class TAdvGridAccess;
    // ---- helpers shared by the units
    // Every row-indexed list follows an insertion or removal of rows.
    void RowsInserted(int DisplayRow, int RealRow, int Count);
    void RowsRemoved(int DisplayRow, const std::vector<int>& RemovedReal);
    // Removes display rows with everything attached (objects freed).
    void RemoveRowsCore(int RowIndex, int RCount, bool RestoreRow);
    int InsertionRealRow(int DisplayRow) const;
    void FreeLineObjects(TGridStoreLine& Line);
    void PutRowCells(int DisplayRow, TGridStoreLine&& Cells);
    void ShiftHiddenColumnFlags(int FromReal, int Delta);
    void RepaintDisplayedCell(int RealColumn, int ARow);
    void InsertHiddenItem(std::unique_ptr<TGridItem> Item);
    int ItemLowerBound(int RealRow) const;
    void HideRowsCore(int FromRow, int ToRow, bool KeepHeights);
    void UnHideItems(int FromRealRow, int ToRealRow, int Level);
    void HideRowListCore(TIntList* RowList, int Level);
    bool FooterVisible() const;
    bool FooterFixedLastRow() const;
    bool FooterCalculates() const;
    bool FooterCalculatesHidden() const;
    bool SearchFooterVisible() const;
    int SearchPanelHeight() const;
    bool ShowModifiedEnabled() const;
    void SetShowModifiedEnabled(bool v);
    void SetFooterVisibleQuiet(bool v);
    int SortColumnSetting() const;
    void SetSortColumnSetting(int v);
    bool SortSingleColumnSetting() const;
    int CheckSizeSetting() const;
    int RadioSizeSetting() const;
    bool ControlStyleFlat() const;
    bool OleEntireRowsSetting() const;
    bool GroupCountShown(QString& Format) const;
    void WireOwnedObjects();
    void CreateRunTimeChildren();
    void FreeOwnedObjects();
    void CheckRowIndex(int ARow, bool Write) const;
    TRect DisplayCellRect(int ACol, int ARow) const;
    void FormListen();
    TCellGraphic* ExpandObject(int ACol, int ARow);
    // ---- painting steps on one cell's drawing context
    void GetCellGraphicLayout(int ACol, int ARow, TCellDrawContext& c);
    void DrawFixedLook(TCellDrawContext& c);
    void DrawFixedEdges(TCellDrawContext& c);
    void DrawTreeLines(TCellDrawContext& c);
    void DrawEditorButtons(TCellDrawContext& c);
    void PaintCellText(TCellDrawContext& c);
    void PaintCellGraphic(TCellDrawContext& c);
    void PaintRadioGroup(TCellDrawContext& c, const TRect& Place);
    void ToggleSizingLine(const TRect& Line);
    void ApplyStyleColors(const struct TAdvGridStyleColors& S);

    // ---- keyboard and mouse: message handlers and their state
    // Sets a flag for the life of a scope, whatever leaves it.
    class TFlagScope {
    public:
        explicit TFlagScope(bool& Flag, bool Value = true) : FFlag(Flag), FOld(Flag) { Flag = Value; }
        ~TFlagScope() { FFlag = FOld; }
        TFlagScope(const TFlagScope&) = delete;
        TFlagScope& operator=(const TFlagScope&) = delete;

    private:
        bool& FFlag;
        bool FOld;
    };
    bool WMKeyDown(TMessage& m);  // false when the key is finished here
    bool CheckAlwaysActiveSetting() const;
    // Flips a check box (real column), marks the row modified, answers the new state.
    bool ToggleCheckBoxCell(int RCol, int ARow);
    void HandleWheel(bool Down, TShiftState Shift, TPoint MousePos, bool& Handled);
    void WMChar(TMessage& m);
    void WMLButtonDown(TMessage& m);
    void WMLButtonUp(TMessage& m);
    void WMLButtonDblClk(TMessage& m);
    void WMRButtonDown(TMessage& m);
    void WMRButtonUp(TMessage& m);
    void WMMouseMove(TMessage& m);
    void WMMouseWheel(TMessage& m);
    void WMCancelMode(TMessage& m);
    bool HomeEndKey(Word Key, TShiftState Shift);
    bool SkipFixedCellsKey(Word Key);
    bool InsertDeleteKey(Word Key, TShiftState Shift);
    bool ClipboardKey(Word Key, TShiftState Shift);
    bool SpaceOnControlCell(Word Key);
    void FireKeyDown(Word Key, TShiftState Shift);
    void ReportSelectionChange();
    bool EnhancedMoving() const;
    void EndEnhancedMove(bool Apply, int X, int Y);
    void ShowMoveArrows(int X, int Y);
    void HideMoveArrows();
    void HeaderClick(int ACol, int ARow, int X, int Y, TShiftState Shift);
    bool TryMoveTo(int ACol, int ARow, bool FireChanging);
    int FirstNormalCol();
    int LastTabCol() const;
    int LastNormalRow() const { return RowCount() - FixedFooters() - 1; }
    int LastNormalCol() const { return ColCount() - FixedRightCols() - 1; }
    void RotateColumnState(int FromIndex, int ToIndex);
    bool FDoOnClick = false;
    // press state of the left button, kept until its release
    bool FMouseKeepDown = false;
    bool FSpinUpClick = false;
    bool FSpinDnClick = false;
    bool FMouseDown = false;       // a plain click started a new disjunct row or column selection
    bool FDeselectState = false;   // a Ctrl click hit a selected row or column: unselected on release
    bool FCtrlDown = false;        // an in-cell BUTTON form control shows pressed
    TPoint FCtrlXY{-1, -1};
    bool FFixedCellPushed = false;
    TRect FPushedFixedCell;
    bool FCellSelectorMode = false;
    int Clickposdx = 0;
    int Clickposdy = 0;
    int FOldKeepLeftCol = -1;
    bool PressNodeGlyph(int ACol, int ARow, int X, const TRect& rect);
    bool PressRating(int ACol, int ARow, int X, const TRect& rect);
    bool PressDisjunctRow(TMessage& m, int ACol, int ARow, TShiftState Shift, const TGridRect& OrigSel);
    void PressDisjunctCol(int ACol, TShiftState Shift);
    bool PressAnchor(int ACol, int ARow, int X, int Y, const TRect& rect);
    bool MarkupHitAt(int ACol, int ARow, int X, int Y, THTMLDrawResult& Result);
    bool PressCheckOrRadio(int ACol, int ARow, int X, int Y, bool fixed);
    void PressDirectEdit(int ACol, int ARow, bool combo);
    void PushFixedCell(int ACol, int ARow, const TRect& rect);
    void ReleasePushedFixedCell();
    void ReleaseControlButton();
    void PaintPushedFixedCell();
    bool ReleaseDisjunct(int ACol, int ARow);
    bool ReleaseCellButton(const TGridCoord& cell, int X, int Y);
    bool ReleaseArmedDrag(const TGridCoord& cell, int X, int Y);
    bool ReleaseDisjunctCell(TMouseButton Button, TShiftState Shift, int X, int Y);
    // Shift, Alt and Ctrl as held now, without the mouse buttons.
    static TShiftState HeldModifiers();
    // OnMouseDown for a press that a hit area ends before the platform sees it.
    void FirePressMouseDown(int X, int Y);
    void SelectOnRightPress(int ACol, int ARow, int X, int Y);
    // the drop-down button of fixed cells
    TPopupMenu* FFixedDropDownMenu = nullptr;
    bool FDropDownDown = false;
    bool PressFixedDropDown(int X, int Y);
    void RepaintPressedFixedCell();
    // A press on a selected cell armed a drag of the selection.
    bool FSelectionClick = false;
    bool FMouseDownMove = false;
    bool FDblClk = false;
    bool FClickCellDown = false;
    bool ColMoveFlg = false;
    bool ColSizeFlg = false;
    bool ColSized = false;
    bool RowSized = false;
    bool FOwnMove = false;       // the grid, not the platform's drag, moves a column or row
    bool FSyncedMove = false;
    bool FEnhMove = false;        // an enhanced column or row move is under way
    bool FEnhMoveRefused = false;
    int Colclickedsize = 0;
    int Rowclickedsize = 0;
    int Clickposx = 0;
    int Clickposy = 0;
    int Movecell = -1;
    int MoveOfsX = 0;
    int MoveOfsY = 0;
    TGridCoord FDownCell{-1, -1};
    TGridCoord FLastKeyCell{-1, -1};
    TGridRect FMoveSelection;
    QString FSizingHint;
    bool FEnterFromEditor = false;
    void OpenAnchor(const QString& Anchor);
    int FMoveTarget = -1;

    // owned objects, in creation order
    TFooterPanel* FFooterPanel = nullptr;
    TSearchPanel* FSearchPanel = nullptr;
    TFont* cf = nullptr;
    TFocusHelper* FFocusHelper = nullptr;
    TSearchFooter* FSearchFooter = nullptr;
    TFloatingFooter* FFloatingFooter = nullptr;
    TPrintSettings* FPrintSettings = nullptr;
    THTMLSettings* FHTMLSettings = nullptr;
    TSortSettings* FSortSettings = nullptr;
    TDragDropSettings* FDragDropSettings = nullptr;
    TDragScrollOptions* FDragScrollOptions = nullptr;
    TControlLook* FControlLook = nullptr;
    TNavigation* FNavigation = nullptr;
    TColumnSize* FColumnSize = nullptr;
    TCellNode* FCellNode = nullptr;
    TBands* FBands = nullptr;
    TSizeWhileTyping* FSizeWhileTyping = nullptr;
    TMouseActions* FMouseActions = nullptr;
    TGrouping* FGrouping = nullptr;
    TStringList* FColumnHeaders = nullptr;
    THTMLPictureCache* FImageCache = nullptr;
    TIntList* FOrigColSizes = nullptr;
    TFont* FFixedFont = nullptr;
    TFont* FActiveCellFont = nullptr;
    TStringList* FRowHeaders = nullptr;
    TStringList* Sortlist = nullptr;
    TStringList* FLookupItems = nullptr;
    std::vector<bool> FRowSelect;
    std::vector<bool> FColSelect;
    TSortIndexList* FSortIndexes = nullptr;
    TIntList* FSortRowXRef = nullptr;
    TIntList* FUnSortRowXRef = nullptr;
    TIntList* FMergedColumns = nullptr;
    std::vector<TGridCoord> FSelectedCells;  // disjunct cells as (column, row)
    TIntList* FSelectedRows = nullptr;
    TIntList* FModifiedRows = nullptr;
    TIntList* FEnabledRows = nullptr;
    TBitmap* FRowIndicator = nullptr;
    TBackGround* FBackGround = nullptr;
    THTMLHintWindow* FScrollHintWnd = nullptr;
    TControlList* FControlList = nullptr;
    TGridProgressAppearance* FProgressAppearance = nullptr;
    TSyncGrid* FSyncGrid = nullptr;
    std::vector<std::unique_ptr<TGridItem>> FGridItems;  // the hidden rows, by real index
    TFilter* FFilter = nullptr;
    TBalloonSettings* FBalloonSettings = nullptr;
    TShowModified* FShowModified = nullptr;
    std::vector<TGridChangeNotifier*> FNotifierList;
    TIntList* FColumnOrder = nullptr;
    TCellGraphic* FCellGraphic = nullptr;
    TIntList* FIgnoreColumns = nullptr;
    TFilterDropDown* FFilterDropDown = nullptr;
    TAdvCustomDropDown* FDropDownEditors[9] = {};  // by editor type, edTrackbarDropDown first
    bool FDropDownEscaped = false;                  // Esc left the drop-down editor: nothing is stored
    TDropList* FDropList = nullptr;
    TWinControl* FDropCheckList = nullptr;
    TStringList* FFilterList = nullptr;

    // run-time children
    TGridFocusWindow* FFocusWindow = nullptr;
    TArrowWindow* ArwU = nullptr;
    TArrowWindow* ArwD = nullptr;
    TArrowWindow* ArwL = nullptr;
    TArrowWindow* ArwR = nullptr;
    // Controls whose classes later issues build; nil until they create them.
    TWinControl* EditCombo = nullptr;
    TWinControl* EditTrans = nullptr;
    TWinControl* ComboTrans = nullptr;
    TWinControl* EditCheck = nullptr;
    TWinControl* EditBtn = nullptr;
    TWinControl* UnitEditBtn = nullptr;
    TControl* GridButton = nullptr;
    TControl* MoveButton = nullptr;
    TWinControl* FEditControl = nullptr;
    TWinControl* FComboControl = nullptr;
    TScrollBar* FScrollBar = nullptr;
    TScrollBar* FPaintScrollBar = nullptr;
    TWinControl* FEditSpin = nullptr;
    TWinControl* FEditDate = nullptr;
    TWinControl* FEditDateTime = nullptr;
    TWinControl* FInplaceRichEdit = nullptr;
    TWinControl* FRichEdit = nullptr;
    TWinControl* FEditTrackBar = nullptr;
    TWinControl* FEditMemo = nullptr;
    TWinControl* FEditCalculator = nullptr;
    TWinControl* FEditTimePicker = nullptr;
    TWinControl* FEditDetailPicker = nullptr;
    TWinControl* FEditGridPicker = nullptr;
    TWinControl* FEditColorPicker = nullptr;
    TWinControl* FEditImagePicker = nullptr;
    TWinControl* FEditAdvGridPicker = nullptr;
    TControl* vscrlctrl = nullptr;
    TControl* hscrlctrl = nullptr;

    // hidden columns
    std::vector<int> FHiddenCols;      // real indexes, ascending
    std::vector<int> FAllColWidths;    // stored widths by real column

    // state
    TCustomImageList* FGridImages = nullptr;
    ITAdvStringGridSelect* FISelect = nullptr;
    QObject* FFormListener = nullptr;
    TColor FBorderColor = TColor(0xB99D7F);
    TGridLook FLook = glXP;
    TVisualStyle FStyle = TVisualStyle::tsWindowsXP;
    TOfficeTheme FOldOfficeTheme = TOfficeTheme::otUnknown;
    TScrollType FScrollType = ssNormal;
    TColorTones FTones;
    TColor FVisualGradFrom = TColor(0xFFFFFF);
    TColor FVisualGradTo = clNone;
    TColor FVisualGradMirrorFrom = clNone;
    TColor FVisualGradMirrorTo = clNone;
    TAlignment FDefaultAlignment = taLeftJustify;
    bool FWordWrapEx = true;
    int FFixedRowHeight = 22;
    int FFixedFooters = 0;
    int FFixedRightCols = 0;
    bool FFixedRowAlways = false;
    bool FFixedColAlways = false;
    int FFixedRowsMin = 0;
    int FFixedColsMin = 0;
    int FMaxRowCount = 0;
    int FMaxColCount = 0;
    int FNumCellControls = 0;
    bool FNilObjects = false;
    bool FSelHidden = false;
    TGridRect FOldSelection;
    int FOldRowSel = -1;
    int FSwaps = 0;
    int FSortRow = 0;
    bool FIsFlat = false;
    bool FShowColNrs = true;
    bool FWndCreated = false;
    bool FLoaded = false;
    bool FRedrawOff = false;
    bool FIsWinXP = false;
    bool FIsWin7 = false;
    bool FIsWinVista = false;
    bool FIsComCtl6 = false;
    bool FIsDBVersion = false;
    bool FVirtualCells = false;
    bool FLastValidation = true;
    bool ColchgFlg = true;
    TCursor FOldCursor = crDefault;
    unsigned FGridTimerID = 0;
    int FTimerTicks = 0;
    unsigned wheelmsg = 0;
    int wheelscrl = 0;
    int wheelpan = 0;
    int FOldLeftCol = -1;
    int FOldTopRow = -1;
    int FLastTabCol = -1;
    int FLastTabRow = -1;
    int FHoverlink = -1;
    int FOleDragCol = -1;
    int FLastDesignChoice = -1;
    int FFilterCol = -1;
    int FOldSize = -1;
    int FComboIdx = -1;
    int Colclicked = -1;
    int Rowclicked = -1;
    TPoint FPushedCellButton{-1, -1};
    TPoint FClipTopLeft{-1, -1};
    TClipOperation FClipOperation = coCopy;
    int FStreamID = 0;  // binary grid stream (AdvGridStream)
    bool FPasteAll = false;
    TPoint FLastHintPos{-1, -1};
    int FPrintPageFrom = 1;
    int FPrintPageTo = 1;
    int FPrintPageNum = 0;
    int FZoomFactor = 0;
    int FPaintCount = 0;

    // ---- editing (AdvGridEdit, AdvGridEditShow) ----------------------------------
    friend class TAdvInplaceEdit;
    friend class TGridCombo;
    friend class TGridSpin;
    friend class TGridEditBtn;
    friend class TGridUnitEditBtn;
    friend class TGridDatePicker;
    friend class TGridDateTimePicker;
    friend class TGridCheckBox;
    friend class TGridButton;
    friend struct TGridEditorProtocol;

public:
    // The editing cycle.
    void ShowCellEdit();
    void HideCellEdit();
    virtual void DoneInplaceEdit(Word Key, TShiftState Shift);
    virtual bool ValidateCell(const QString& NewValue);
    virtual bool ValidateCellWide(const QString& NewValue);
    bool IsEditable(int ACol, int ARow);
    bool EditableByRule(int ACol, int ARow);
    bool CellIsPassword(int ACol, int ARow) { bool p = false; IsPasswordCell(ACol, ARow, p); return p; }
    bool EditorsWantTab() const { return FOptionsWantTab(); }
    bool TabEndsEdit() const { return EditorsWantTab(); }
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    bool LastValidation() const { return FLastValidation; }
    bool EditActive() const { return FEditActive; }
    bool Validating() const { return FValidating; }
    bool NoAutoAdvance() const { return FNoAutoAdvance; }
    void SetNoAutoAdvance(bool v) { FNoAutoAdvance = v; }
    TWinControl* EditCtrlControl() const { return EditCtrl; }
    // Opening and committing the grid's own editor controls.
    virtual void ShowSpecialEditor(int ACol, int ARow);
    virtual void CommitSpecialEditor(int ACol, int ARow);
    void StoreSpecialEditorValue(int ACol, int ARow) { CommitSpecialEditor(ACol, ARow); }
    void PostEditDone(int ACol, int ARow);
    void NotifyEditingDone(int ACol, int ARow) { PostEditDone(ACol, ARow); }
    // The editor controls, created with the grid or on first use.
    TAdvInplaceEdit* NormalInplaceEdit() const;
    TGridCombo* Combobox() const;
    TGridCombo* UniCombo() const { return Combobox(); }
    TGridEditBtn* BtnEdit() const;
    TGridUnitEditBtn* BtnUnitEdit() const;
    TGridButton* Btn() const;
    TGridCheckBox* EditCheckBox() const;
    TGridSpin* SpinEdit();
    TGridDatePicker* DateTimePicker();
    TGridDateTimePicker* DateAndTimePicker();
    // The one combo item list of the grid's combo editor.
    void ClearComboString();
    void AddComboString(const QString& S);
    void AddComboStringObject(const QString& S, TObject* AObject);
    bool RemoveComboString(const QString& S);
    bool SetComboSelectionString(const QString& S);
    void SetComboSelection(int Index) { FComboIdx = Index; }
    int GetComboCount() const;
    void SetComboIndex(int ACol, int ARow, int Value);
    int GetComboIndex(int ACol, int ARow);
    // Hooks of the cycle (overridable).
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual bool HasNoEditor(int ACol, int ARow);
    virtual void AllowCellEdit(int ACol, int ARow, bool& CanEdit);
    virtual bool IsControlCell(int ACol, int ARow);
    virtual void GetEditorProp(int ACol, int ARow, TEditLink* AEditLink);
    void DoGetEditorProp(int ACol, int ARow, TEditLink* AEditLink) { GetEditorProp(ACol, ARow, AEditLink); }
    virtual void StoreEditValue(int ACol, int ARow, const QString& Value);
    void StoreEditorValue(int ACol, int ARow, const QString& Value) { StoreEditValue(ACol, ARow, Value); }
    virtual void RestoreCellCache();
    virtual void CellChanging(int ACol, int ARow, bool& Allow);
    virtual void DisableEditing();
    virtual bool CanShowFixedDropDown(int ACol);
    virtual void RepaintActiveHeaders(int Col1, int Row1, int Col2, int Row2);
    virtual void RememberCurrentCell();
    // Editor notifications (empty here): a key-down message, a key-down with
    // its key, the caret after a key release or on focus loss, and whether
    // the text begins with "=".
    virtual void EditorKeyDownMessage() {}
    virtual void EditorKeyDown(Word& Key, TShiftState Shift) { (void)Key; (void)Shift; }
    virtual void EditorCaret(const QString& Text, TPoint Caret) { (void)Text; (void)Caret; }
    virtual void FormulaStateChanged(bool Active) { (void)Active; }
    virtual void SpareVirtualHook() {}
    // Sizing while typing (the column grid's bodies replace these).
    virtual void AutoSizeRow(int ARow, int Padding = 0);
    virtual void SizeRowToLines(int ARow, int Lines, int Padding);
    virtual int GetMaxRowLines(int ARow);
    // What the button editors hand back (the column grid's body replaces it).
    virtual QString DoEllipsClick(int ACol, int ARow, const QString& S);
    virtual void DoUnitChange(int ACol, int ARow, const QString& NewUnit);
    // The button cell's click (the look's body replaces it).
    // The drop-down editors plug in here (open, store).
    virtual bool ShowDropDownEditor(int ACol, int ARow, TEditorType AEditor, const TRect& R);
    virtual bool StoreDropDownEditor(int ACol, int ARow, TEditorType AEditor);

    // ---- edit link, fixed-cell, cell-control and rich-text editors (AdvGridEditLink,
    //      AdvGridEditFixed, AdvGridEditControls, AdvGridEditRich) ----------------------
    friend class TEditLink;
    friend class TControlEdit;
    friend class TControlCombo;
    friend class TAdvRichEdit;
    // The one custom editor link (edCustom); cleared when the link goes.
    TEditLink* EditLink() const { return FEditLink; }
    void SetEditLink(TEditLink* v);
    // Editing a fixed cell with the text or combo editor of the mouse
    // settings' kind; ends an open fixed-cell edit first.
    void StartFixedCellEdit(int ACol, int ARow);
    virtual void FixedEdit(int ACol, int ARow, TStrings* Values, TGridFixedCellEditor& AEditor);
    TGridTransEdit* FixedCellEdit() const;
    // Makes (ACol, ARow) current past the selection checks.
    void MoveCurrentCellForced(int ACol, int ARow);
    TGridTransCombo* FixedCellCombo() const;
    std::function<void(TObject* Sender, int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values)> OnFixedEdit;
    // Editing a form control (EDIT, PASSWORD, MASK, COMBO) in a cell's HTML.
    void StartCellControlEdit(const QString& HTML, const QString& CtrlType, int ARow, int ACol, const TRect& R,
                              const QString& Value, const QString& CtrlID);
    void EndCellControlEdit(TObject* Sender);
    void ControlComboSelect(TObject* Sender);
    bool CellControlEditing() const { return FCtrlEditing; }
    TControlEdit* CellControlEdit() const;
    TControlCombo* CellControlCombo() const;
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal, TStrings* Values, bool& Edit, int& DropCount)>
        OnControlComboList;
    std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex, const QString& CtrlID,
                       const QString& CtrlValue)>
        OnControlComboSelect;
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal)>
        OnControlEditDone;
    // Rich-text cells: the hidden converter and the in-place rich editor.
    TAdvRichEdit* RichEdit();
    TAdvRichEdit* InplaceRichEdit();
    // A rich editor's content as the 7-bit RTF text a cell stores, and a
    // cell's RTF loaded into the converter.
    QString RichToString(TAdvRichEdit* ARichEdit);
    void RichToCell(int ACol, int ARow, TAdvRichEdit* ARichEdit);
    void CellToRichEdit(int ACol, int ARow, TAdvRichEdit* ARichEdit);
    TNotifyEvent OnRichEditSelectionChange;

protected:
    // Starts the fixed-cell edit a press or double click (How) at (X, Y)
    // asks for by the mouse settings; true when one started.
    bool StartFixedCellEditAt(TGridFixedCellEdit How, int X, int Y);
    void ShowRichEditor(int ACol, int ARow, const TRect& R, TColor AColor);
    void EditLinkRemoved(TComponent* AComponent);
    bool FEditLinkFocusChange = false;   // the link moved the focus itself
    bool FCtrlEditing = false;
    int FCtrlCol = -1;
    int FCtrlRow = -1;
    QString FCtrlID;
    QString FCtrlType;
    TWinControl* FCtrlEdit = nullptr;
    TWinControl* FCtrlCombo = nullptr;

public:
    // ---- drop-down editors (AdvGridDropDownEditors) ----------------------------------
    // Made on first use: hidden, disabled children with the grid's style.
    TGridTrackbarDropDown* TrackbarDropDown();
    TGridMemoDropDown* MemoDropDown();
    TGridCalculatorDropDown* CalculatorDropDown();
    TGridTimepickerDropDown* TimePickerDropDown();
    TGridDetailPickerDropDown* DetailPickerDropDown();
    TGridColorDropDown* ColorPickerDropDown();
    TGridImageDropDown* ImagePickerDropDown();
    TGridGridDropDown* GridDropDown();
    TGridAdvGridDropDown* AdvGridDropDown();
    // The relays of the editors' bar buttons and of the memo's text.
    void DropDownHeaderButtonClick(TObject* Sender, int ButtonIndex);
    void DropDownFooterButtonClick(TObject* Sender, int ButtonIndex);
    void MemoTextToCell(TObject* Sender);
    virtual void DoColorSelect(int ACol, int ARow, TColor& AColor, QString& Value);
    virtual void DoImageSelect(int ACol, int ARow, int& Index);
    std::function<void(TObject* Sender, int ACol, int ARow, int ButtonIndex)> OnDropDownHeaderButtonClick;
    std::function<void(TObject* Sender, int ACol, int ARow, int ButtonIndex)> OnDropDownFooterButtonClick;
    std::function<void(TObject* Sender, int ACol, int ARow, TColor& AColor, QString& Value)> OnColorSelected;
    std::function<void(TObject* Sender, int ACol, int ARow, int& Index)> OnImageSelected;
    friend struct TGridDropDownAccess;

    ADVGRID_PLAIN(int, MaxEditLength, 0)
    ADVGRID_PLAIN(int, MaxComboLength, 0)
    ADVGRID_PLAIN(bool, AlwaysValidate, false)
    ADVGRID_PLAIN(bool, EditWithTags, false)
    ADVGRID_PLAIN(QString, ValidChars, QString())
    ADVGRID_PLAIN(bool, Lookup, false)
    ADVGRID_PLAIN(bool, LookupCaseSensitive, false)
    ADVGRID_PLAIN(bool, LookupHistory, false)
    ADVGRID_PLAIN(bool, ExcelStyleDecimalSeparator, false)

public:
    TGetEditorPropEvent OnGetEditorProp;
    TGetEditorPropIntEvent OnGetEditorPropInt;
    TCellValidateEvent OnCellValidate;
    TCellValidateEvent OnCellValidateWide;
    TNotifyEvent OnEditingDone;
    TEditCellDoneEvent OnEditCellDone;
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TCustomStrToDateEvent OnCustomStrToDate;
    TEditChangeEvent OnEditChange;
    TEllipsClickEvent OnEllipsClick;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick;

protected:
    bool CanEditShow() override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    int GetEditLimit() override { return FMaxEditLength; }
    TInplaceEdit* CreateEditor() override;
    // The editing cycle's own message ("GridEditDone"); true when it was that one.
    bool EditDoneMessage(TMessage& Message);
    // The editor controls the constructor makes.
    void CreateEditorControls();
    bool FOptionsWantTab() const;
    // Places an editor control over the cell (merged area) of (ACol, ARow):
    // left, top, w = width - 1, h = height - 1.
    TRect SpecialEditorRect(int ACol, int ARow) const;
    void FocusEditor(TWinControl* Ctrl);
    void HideEditorControl(TWinControl* Ctrl);
    void ShowInvalidEntry();
    // A refused value takes the current cell back to the cell edited.
    void ReturnToEditedCell();

    bool FValidating = false;
    bool FBlockKill = false;
    bool FBlockFocus = false;
    bool FSpecialEditor = false;
    bool FEditActive = false;
    bool FEditDisable = false;
    bool FNoEditChange = false;
    bool FNoAutoAdvance = false;
    bool FModified = false;
    bool FOldModifiedValue = false;
    bool LButFlg = false;
    bool FForcedMove = false;
    QChar FStartEditChar;
    QString FCellCache;
    QString FEditText;
    QString FOldCellText;
    QString FNewCellText;
    int FOldCol = -1;
    int FOldRow = -1;
    TDateTime FOriginalDateTime = 0;
    TWinControl* EditCtrl = nullptr;
    TEditLink* FEditLink = nullptr;
    int FSpinClick = 0;  // a spin button pressed before the editor opened: +1 up, -1 down
    // ---- look and painting state
    int FSelectionColorMixerFactor = 50;
    TVAlignment FVAlignment = vtaTop;
    unsigned FVAlign = 0;
    bool FFlat = false;
    bool FSpreadSheet = false;
    bool FFixedMouseDown = false;       // the mouse issue sets these
    bool FFixedDropDownOpen = false;
    std::vector<TRect> FSizingLines;
    TColor FHoverFrom = TColor(0x808080);
    TColor FHoverTo = clWhite;
    TColor FHoverMirrorFrom = clNone;
    TColor FHoverMirrorTo = clNone;
    TColor FHoverBorder = TColor(0xC0C0C0);
    TColor FDownFrom = TColor(0x808080);
    TColor FDownTo = TColor(0xC0C0C0);
    TColor FDownMirrorFrom = clNone;
    TColor FDownMirrorTo = clNone;
    TColor FDownBorder = TColor(0x808080);
};

#undef ADVGRID_PLAIN
