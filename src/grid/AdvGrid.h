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
#include "AdvGridHidden.h"
#include "AdvGridUpdate.h"
#include "AdvObj.h"
#include "AdvObjPopup.h"
#include "AdvStyleIF.h"
#include "BaseGrid.h"
#include "Clock.h"
#include "ComponentRef.h"
#include "StdCtrls.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

DECLARE_EXCEPTION(EAdvGridError, Exception)

class QObject;
class THTMLPictureCache;
class TCustomImageList;
class TAdvStringGrid;

// Owned objects whose classes other files build: settings holders and panels.
class TFooterPanel;
class TSearchPanel;
class TFloatingFooter;
class TPrintSettings;
class THTMLSettings;
class TSortSettings;
class TDragDropSettings;
class TDragScrollOptions;
class TControlLook;
class TGrouping;
class TBackGround;
class THTMLHintWindow;
class TGridProgressAppearance;
class TFilter;
class TBalloonSettings;
class TShowModified;
class TFilterDropDown;
class TDropList;

enum TGridLook { glStandard, glSoft, glClassic, glZUR, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum THintShowLargeTextPos { hpCell, hpCursor };
enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
enum TFilterDropDownColumns { fdNormal, fdAll };

using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TGridRect& R)>;
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, int ARow, bool State, bool& Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(TObject* Sender, int ARow)>;
using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& NewUnit)>;

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

    // ---- stand-ins of later issues (neutral bodies) --------------------------------
    TGridLook Look() const { return FLook; }
    virtual void SetLook(TGridLook v) { FLook = v; }
    TScrollType ScrollType() const { return FScrollType; }
    virtual void SetScrollType(TScrollType v) { FScrollType = v; }
    virtual void SetStyle(TVisualStyle AStyle) { FStyle = AStyle; }
    void SetComponentStyle(TVisualStyle AStyle) override { FStyle = AStyle; }
    void SetColorTones(const TColorTones& ATones) override { FTones = ATones; }
    TVisualStyle Style() const { return FStyle; }
    virtual void AdaptToOfficeTheme() {}
    virtual void BalloonInit() {}
    virtual void BalloonDone() {}
    virtual void CreateMetroScrollBars() {}
    virtual void RepaintBorder() {}
    virtual void MoveFocusHelper() {}
    virtual bool IsChecked(int ACol, int ARow) { (void)ACol; (void)ARow; return false; }
    virtual bool CanMoveToCell(int ACol, int ARow) { return TBaseGrid::SelectCell(ACol, ARow); }
    virtual void ShowInplaceEdit() { ShowEditor(); }
    virtual void HideInplaceEdit() { HideEditor(); }
    virtual QString CellToRich(int ACol, int ARow, const QString& Text) { (void)ACol; (void)ARow; return Text; }
    virtual void StretchColumn(int ACol) { (void)ACol; }
    virtual void FormResized(TObject* Sender) { (void)Sender; }
    virtual void ExpandAll() {}
    virtual void RemoveAllNodes() {}
    virtual bool IsNode(int ARow) { (void)ARow; return false; }
    virtual bool IsSummary(int ARow) { (void)ARow; return false; }
    virtual int GetNodeSpan(int ARow) { (void)ARow; return 0; }
    virtual int GetSubNodeCount(int ARow) { (void)ARow; return 0; }
    virtual double ColumnSum(int ACol, int FromRow, int ToRow);
    virtual double ColumnAvg(int ACol, int FromRow, int ToRow);
    virtual double ColumnMin(int ACol, int FromRow, int ToRow);
    virtual double ColumnMax(int ACol, int FromRow, int ToRow);
    virtual double ColumnDistinct(int ACol, int FromRow, int ToRow);
    virtual double ColumnStdDev(int ACol, int FromRow, int ToRow);
    virtual void AutoSizeColumns(bool DoFixedCols, int Padding) { (void)DoFixedCols; (void)Padding; }
    virtual void CellControlsUpdate(bool RebuildList) { (void)RebuildList; }
    virtual void InitOrigColSizes() {}
    virtual int GetVersionNr() { return 0; }
    virtual QString GetVersionString() { return QString(); }
    virtual void UpdateSearchPanel() {}
    virtual void SearchFooterEditChange(TObject* Sender) { (void)Sender; }
    virtual void SearchFooterFindNext(TObject* Sender) { (void)Sender; }
    virtual void SearchFooterFindPrevious(TObject* Sender) { (void)Sender; }
    virtual void SearchFooterHighlight(TObject* Sender) { (void)Sender; }
    virtual void SearchFooterClose(TObject* Sender) { (void)Sender; }
    virtual void SaveColSizes() {}
    virtual void LoadColSizes() {}
    virtual void NavigationChanged(TObject* Sender) { (void)Sender; }
    virtual void MouseActionsChanged(TObject* Sender) { (void)Sender; }
    virtual void MouseActionsInvalidate(TObject* Sender) { (void)Sender; Invalidate(); }
    virtual QString GetEditMaskOf(int ACol, int ARow) { return GetEditMask(ACol, ARow); }

    // ---- calculations, sizing, nodes, grouping, checking (AdvGridCalc, AdvGridSize,
    //      AdvGridNodes, AdvGridGroup, AdvGridCellCheck) -----------------------------------
    // Sizes a displayed column to its contents, then adds Padding (not 0).
    virtual void AutoSizeCol(int ACol, int Padding);
    void DoAutoSizeCol(int Index, bool GrowOnly);
    // The automatic width of a displayed column before it is applied
    // (the column grid clamps it to its item's bounds).
    virtual void UpdateAutoColumnSize(int ACol, int& AWidth);
    virtual void Group(int ColIndex);
    virtual void UnGroup();
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
    ADVGRID_PLAIN(TColor, HighlightColor, clHighlight)
    ADVGRID_PLAIN(TColor, HighLightTextColor, clHighlightText)
    ADVGRID_PLAIN(TColor, SelectionColor, TColor(0xEACAB6))
    ADVGRID_PLAIN(TColor, SelectionColorTo, clNone)
    ADVGRID_PLAIN(TColor, SelectionMirrorColor, clNone)
    ADVGRID_PLAIN(TColor, SelectionMirrorColorTo, clNone)
    ADVGRID_PLAIN(TColor, SelectionTextColor, 0)
    ADVGRID_PLAIN(int, SelectionColorMixerFactor, 50)
    ADVGRID_PLAIN(TColor, SelectionRectangleColor, 0)
    ADVGRID_PLAIN(TColor, ActiveCellColor, TColor(0x808080))
    ADVGRID_PLAIN(TColor, ActiveCellColorTo, clNone)
    ADVGRID_PLAIN(bool, ActiveCellShow, false)
    ADVGRID_PLAIN(TColor, DisabledFontColor, TColor(0xC0C0C0))
    ADVGRID_PLAIN(TColor, URLColor, TColor(0xFF0000))
    ADVGRID_PLAIN(bool, URLShow, false)
    ADVGRID_PLAIN(bool, URLShowInText, false)
    ADVGRID_PLAIN(bool, URLFull, false)
    ADVGRID_PLAIN(TColor, ScrollColor, clNone)
    ADVGRID_PLAIN(int, ScrollWidth, 16)
    ADVGRID_PLAIN(bool, ScrollProportional, false)
    ADVGRID_PLAIN(bool, ScrollSynch, false)
    ADVGRID_PLAIN(bool, ScrollHints, false)
    ADVGRID_PLAIN(TScrollBarAlways, ScrollBarAlways, saNone)
    ADVGRID_PLAIN(TVAlignment, VAlignment, vtaTop)
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
    ADVGRID_PLAIN(THintShowLargeTextPos, HintShowLargeTextPos, hpCell)
    ADVGRID_PLAIN(THoverFixedCells, HoverFixedCells, hfNone)
    ADVGRID_PLAIN(TPoint, XYOffset, TPoint(2, 2))
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
    ADVGRID_PLAIN(bool, IntegralHeight, false)
    ADVGRID_PLAIN(bool, Hovering, false)
    ADVGRID_PLAIN(bool, SizeWithForm, false)
    ADVGRID_PLAIN(int, PrevSizeX, 0)
    ADVGRID_PLAIN(int, PrevSizeY, 0)
    ADVGRID_PLAIN(int, GroupColumn, -1)
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
    bool SelectCell(int ACol, int ARow) override { return CanMoveToCell(ACol, ARow); }
    void EnabledChanged() override;
    void ColorChanged() override;
    // The column-moved and row-moved steps: the platform's, the columns taken
    // as real ones (moving the hidden-column map with them is the mouse's).
    void ColumnMoved(int FromIndex, int ToIndex) override
    {
        TBaseGrid::ColumnMoved(RealColIndex(FromIndex), RealColIndex(ToIndex));
    }
    void RowMoved(int FromIndex, int ToIndex) override { TBaseGrid::RowMoved(FromIndex, ToIndex); }
    // Timer tick 111.
    void GridTimer();
    void DoCellTextRepaint(int RealColumn, int ARow);

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
    TPoint FLastHintPos{-1, -1};
    int FPrintPageFrom = 1;
    int FPrintPageTo = 1;
    int FPrintPageNum = 0;
    int FZoomFactor = 0;
    int FPaintCount = 0;
};

#undef ADVGRID_PLAIN
