#pragma once
// The platform grid: TCustomGrid (geometry, current cell and selection,
// keyboard, mouse, painting, the in-place editor protocol and its own scroll
// bars), TDrawGrid (the events) and TStringGrid (the cell store).
//
// Coordinates are client coordinates: the origin lies inside the border and
// the client area ends before the scroll bars. Mouse messages reach WndProc
// and the handlers in client coordinates.
//
// Deriving a grid:
//   class TMyGrid : public TStringGrid {
//   protected:
//       void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
//       bool SelectCell(int ACol, int ARow) override;
//   };
//   auto* g = Create<TMyGrid>(form); g->SetParent(form); g->SetBounds(0, 0, 400, 300);

#include "Controls.h"
#include "Forms.h"
#include "GridsMask.h"
#include "GridsStore.h"

#include <QRegion>
#include <functional>
#include <vector>

class QScrollBar;
class QPlainTextEdit;
class TCustomGrid;
class TGridScrollBarBridge;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Both corners inclusive.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int c, int r) const { return c >= Left && c <= Right && r >= Top && r <= Bottom; }
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};
inline TGridRect GridRect(int l, int t, int r, int b) { return TGridRect{l, t, r, b}; }

// Where index t lands when the line at from moves to to.
int RotatedIndex(int t, int from, int to);

enum TGridOption {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
    goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
    goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed };
using TGridDrawState = TSet<TGridDrawStateItem>;


// Scroll bars and their codes: Messages.h.
struct TScrollInfo {
    int Min = 0;
    int Max = 127;
    int Page = 0;
    int Pos = 0;
};

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;

// The editor base: a frameless multi-line edit over the current cell.
class TInplaceEdit : public TWinControl {
    friend class TCustomGrid;

public:
    DECLARE_CLASSNAME(TInplaceEdit)
    explicit TInplaceEdit(TComponent* AOwner);
    ~TInplaceEdit() override;

    TCustomGrid* Grid() const { return FGrid; }
    QString Text() const;
    void SetText(const QString& v);
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    QString SelText() const;
    void SetSelText(const QString& v);
    void SelectAll();
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v) { FMaxLength = v < 0 ? 0 : v; }
    // The mask (empty: none); EditText is the text shown with its blanks.
    QString EditMask() const { return FMask.Mask(); }
    void SetEditMask(const QString& v);
    QString EditText() const;
    void SetEditText(const QString& v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    // A password cell: a single line that shows this character for each
    // character of the text (a null character: plain text).
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar v);
    TEditAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TEditAlignment v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    // The formatting rectangle's margins.
    void SetTextMargins(int left, int top, int right = 0, int bottom = 0);
    int CharFromPos(TPoint p) const;
    int LineFromChar(int index) const;
    // Applies the styles (alignment, word wrap) to the edit again.
    void Recreate();
    // The first required mask position still blank, or -1.
    int MaskMissingPosition() const;

    TNotifyEvent OnChange;

protected:
    virtual void UpdateContents();
    virtual void BoundsChanged();
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    // WM_CUT, WM_COPY and WM_PASTE: every clipboard path of the editor (the
    // keys, its context menu) sends them; a paste goes through the mask.
    void DefaultHandler(TMessage& Message) override;
    bool HandleQtEvent(QWidget* w, QEvent* e) override;
    // A paste of Text at the selection: through the mask when there is one
    // (all or nothing, a beep when refused), else cut to MaxLength.
    void InsertPaste(const QString& Text);
    virtual void Change();
    void SetParent(TWinControl* AParent) override;

    TCustomGrid* FGrid = nullptr;

private:
    void ShowMaskText(int caret);
    void ShowSecret(int caret);
    void ReplaceSecret(int start, int length, const QString& with);
    void SyncMaskSelection();
    QPlainTextEdit* FEdit;
    TEditMaskModel FMask;
    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FModified = false;
    QChar FPasswordChar;
    QString FSecret;  // the text of a password cell
    TEditAlignment FAlignment = eaLeft;
    bool FWordWrap = false;
    bool FWantReturns = false;
    bool FLoading = false;
};

class TCustomGrid : public TCustomControl {
    friend class TInplaceEdit;
    friend class TGridScrollBarBridge;

public:
    DECLARE_CLASSNAME(TCustomGrid)
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;
    void AfterConstruction() override;

    // ---- counts and sizes
    int ColCount() const { return FCols.Count(); }
    void SetColCount(int v);
    int RowCount() const { return FRows.Count(); }
    void SetRowCount(int v);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int v);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int v);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int v);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int v);
    int ColWidths(int i) const;
    void SetColWidths(int i, int v);
    int RowHeights(int i) const;
    void SetRowHeights(int i, int v);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int v);
    bool TabStops(int c) const;
    void SetTabStops(int c, bool v);

    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions v);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool v);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor v);

    // ---- geometry (client coordinates)
    TRect ClientRect() const override;
    int BorderWidth() const;
    TRect CellRect(int ACol, int ARow) const;
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    int VisibleColCount() const;
    int VisibleRowCount() const;
    int MaxLeftCol() const;
    int MaxTopRow() const;
    // The whole extent of all columns (rows), lines included.
    int GridWidth() const;
    int GridHeight() const;

    // ---- current cell, selection, view
    int Col() const { return FCurrent.X; }
    void SetCol(int v);
    int Row() const { return FCurrent.Y; }
    void SetRow(int v);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& v);
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int v);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int v);
    // Widths (heights) with one grid line each, summed over the indexes
    // 0 .. n - 1 (hidden ones count 0); costs log n, not n.
    long long ColExtentBefore(int n) const { return FCols.Prefix(n); }
    long long RowExtentBefore(int n) const { return FRows.Prefix(n); }
    // The client point of the last mouse message.
    TPoint LastMousePoint() const { return FLastMouse; }
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    TGridState GridState() const { return FGridState; }
    void SetGridState(TGridState v) { FGridState = v; }

    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateRect(const TGridRect& r);
    using TControl::InvalidateRect;
    void InvalidateGrid() { Invalidate(); }

    // The grid or its in-place editor has the keyboard focus.
    virtual bool Focused() const;
    virtual bool UseRightToLeftAlignment() const { return false; }

    // ---- moving and deleting
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);

    // ---- editor
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool v);
    TInplaceEdit* InplaceEditor() const { return FEditor; }
    void ShowEditor();
    void ShowEditorChar(QChar ch);
    void HideEditor() { HideEditorEx(false); }
    void InvalidateEditor();
    bool EditorShown() const;

    // ---- scroll bars (the Windows model)
    void SetScrollInfo(int Bar, const TScrollInfo& Info);
    TScrollInfo GetScrollInfo(int Bar) const;
    void ShowScrollBar(int Bar, bool Show);
    void EnableScrollBar(int Bar, bool Enable);
    bool ScrollBarVisible(int Bar) const;
    bool ScrollBarEnabled(int Bar) const;
    QScrollBar* ScrollBarWidget(int Bar) const;
    // The thickness of a scroll bar: the system's unless a flat bar asks for
    // its own (0 or less gives the system's back).
    int ScrollBarExtent(int Bar) const;
    void SetScrollBarExtent(int Bar, int Extent);
    // The sum of the widths (heights) with grid lines of the columns (rows)
    // before index i, kept as running sums: no walk over the cells.
    long long ColOffset(int i) const { return FCols.Prefix(i); }
    long long RowOffset(int i) const { return FRows.Prefix(i); }

    // Runs exactly what a tick of control timer id runs.
    void DeliverTimer(unsigned id) { TimerTick(id); }

    void WndProc(TMessage& Message) override;

    // ---- events
    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TGetEditEvent OnGetEditText;
    TGetEditEvent OnGetEditMask;
    TSetEditEvent OnSetEditText;

protected:
    // ---- virtual operations
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void ColWidthsChanged() {}
    virtual void RowHeightsChanged() {}
    virtual void TopLeftChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState);
    virtual bool SelectCell(int ACol, int ARow);
    virtual bool CanEditShow();
    virtual bool CanEditModify() { return true; }
    virtual bool CanEditAcceptKey(QChar) { return true; }
    virtual QString GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const QString& Value);
    virtual QString GetEditMask(int ACol, int ARow);
    virtual int GetEditLimit() { return 0; }
    virtual TInplaceEdit* CreateEditor();
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs);
    virtual void UpdateScrollRange();
    virtual void UpdateScrollPos();
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void Paint() override;
    void Resize() override;
    void TimerTick(unsigned id) override;
    bool HandleQtEvent(QWidget* w, QEvent* e) override;
    void PaintWidget(QPainter& painter) override;

    // Block changes of one axis: N lines come in at At with the default
    // size (or the N lines from At go with their sizes), the count changes
    // once and the layout is redone once; the current cell, anchor and top
    // left keep their indexes, clamped into the grid.
    void InsertAxisLines(bool cols, int At, int N);
    void DeleteAxisLines(bool cols, int At, int N);
    // Scattered rows in one step: the rows at the ascending, distinct
    // indexes go (at least one row stays), or rows come in at their final
    // ascending indexes with the given heights; one count change either way.
    void DeleteAxisRows(const std::vector<int>& Rows);
    void InsertAxisRows(const std::vector<int>& At, const std::vector<int>& Heights);
    void ExchangeAxisSizes(bool cols, int A, int B);
    // Sizes At + k take the sizes From[k] (a permutation of that range).
    void PermuteAxisSizes(bool cols, int At, const std::vector<int>& From);

    // The grid's own handling of a scroll message of one bar.
    virtual void ModifyScrollBar(int Bar, int Code, int Pos);
    void HideEditorEx(bool Cancel);
    // The current cell clamped into the normal cells (a selection set outside
    // the grid comes back in here).
    TGridCoord ClampedCurrent() const;
    bool IsNormalCell(int ACol, int ARow) const;

private:
    using AxisView = TGridAxisView;
    AxisView ColView() const;
    AxisView RowView() const;
    int ClientW() const;
    int ClientH() const;
    void SetCount(bool cols, int v);
    void SetFixed(bool cols, int v);
    void SetSize(bool cols, int i, int v);
    // After a change of sizes: the notification, the scroll bars, the editor, a repaint.
    void SizesChanged(bool cols);
    void LayoutChanged();
    void CountChanged(int oldCols, int oldRows);
    void ScrollToShow(int ACol, int ARow);
    void SetTopLeftInternal(int leftCol, int topRow);
    // The last index any part of which shows (cached until the layout or
    // the scroll position changes): repaint requests for cells out of view
    // stop before any position arithmetic.
    int ShownLast(bool cols) const;
    void ForgetShownRange() const { FShownLast[0] = FShownLast[1] = -2; }
    void InvalidateClient(const TRect& r);
    void InvalidateSelectionChange(const TGridRect& oldSel, TGridCoord oldCur);
    TGridRect DrawingSelection() const;
    bool SelectionInside() const;
    void LayoutScrollBars();
    void ApplyScrollBar(int Bar);
    void UpdateEditorBounds();
    void KeyMove(int c, int r, TShiftState Shift);
    void TabMove(bool backward);
    void ExtendSelectionTo(int X, int Y);
    int DropIndexAt(bool cols, int pos) const;
    void EndMouseMode(bool apply, int X, int Y);
    void ScrollBarAction(int Bar, int Action);
    void ScrollBarReleased(int Bar, bool slider);

    TGridAxis FCols;
    TGridAxis FRows;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    std::vector<bool> FTabStops;
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    bool FDefaultDrawing = true;
    TScrollStyle FScrollBars = TScrollStyle::ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    TColor FFixedColor = clBtnFace;

    TGridCoord FCurrent;
    TGridCoord FAnchor;
    TGridCoord FTopLeft;
    TGridState FGridState = gsNormal;
    int FSizingIndex = -1;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    int FMoveFrom = -1;
    int FMovePos = -1;  // the drop index, -1 when none shown
    TPoint FLastMouse;
    bool FHadFocusAtPress = false;

    TInplaceEdit* FEditor = nullptr;
    bool FEditorMode = false;
    bool FEditorLoaded = false;
    TGridCoord FEditorCell{-1, -1};

    QScrollBar* FBars[2] = {nullptr, nullptr};
    TGridScrollBarBridge* FBridge = nullptr;
    TScrollInfo FScroll[2];
    bool FBarShown[2] = {false, false};
    int FBarExtent[2] = {0, 0};
    bool FBarEnabled[2] = {true, true};
    int FBarLastAction[2] = {-1, -1};

    mutable int FShownLast[2] = {-2, -2};  // columns, rows; -2 when not known
    QRegion FPaintRegion;      // widget coordinates of the paint under way
    bool FForwardingMouse = false;
};

class TDrawGrid : public TCustomGrid {
public:
    DECLARE_CLASSNAME(TDrawGrid)
    explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}
    // The cell's own rectangle and the cell at a point, public for users.
    using TCustomGrid::CellRect;

protected:
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
};

class TStringGrid : public TDrawGrid {
public:
    DECLARE_CLASSNAME(TStringGrid)
    explicit TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

    const QString& Cells(int ACol, int ARow) const { return FStore.Text(ACol, ARow); }
    void SetCells(int ACol, int ARow, const QString& v);
    TObject* Objects(int ACol, int ARow) const { return FStore.Object(ACol, ARow); }
    void SetObjects(int ACol, int ARow, TObject* v);

    // Block shifts of the store alone (no counts, sizes or events); the
    // deleted lines come back with their texts and object slots.
    void StoreInsertRows(int At, int N);
    std::vector<TGridStoreLine> StoreDeleteRows(int At, int N);
    void StoreInsertCols(int At, int N);
    std::vector<TGridStoreLine> StoreDeleteCols(int At, int N);
    TGridStoreStats StoreStats() const { return FStore.Stats(); }
    const TGridStoreCell* StoreCell(int ACol, int ARow) const { return FStore.Cell(ACol, ARow); }

    // Whole rows (columns) in one step: N empty rows at At with the default
    // height, or the N rows from At removed with their heights, their store
    // lines handed back (texts and object slots; nothing is freed). The
    // count changes once; At may be the count (append). Nothing for N < 1
    // or At outside 0..count.
    void InsertRowBlock(int At, int N);
    std::vector<TGridStoreLine> DeleteRowBlock(int At, int N);
    // Scattered rows in one pass, whatever their number: the rows at the
    // given indexes (out-of-range and repeated ones ignored; at least one
    // row stays) are removed with their heights, their store lines handed
    // back in ascending row order. InsertRowSet is its reverse: line k with
    // height Heights[k] comes in at the final index At[k] (ascending; an
    // index past the end appends); At is left holding the indexes taken.
    std::vector<TGridStoreLine> DeleteRowSet(std::vector<int> Rows);
    void InsertRowSet(std::vector<int>& At, std::vector<TGridStoreLine>&& Lines, const std::vector<int>& Heights);
    void InsertColBlock(int At, int N);
    std::vector<TGridStoreLine> DeleteColBlock(int At, int N);
    // Two rows (columns) change places with their cells and sizes; a stored
    // index beyond the count moves its cells only.
    void ExchangeRows(int A, int B);
    void ExchangeCols(int A, int B);
    // Rows At + k take the rows From[k] with their cells and heights, From
    // being a permutation of At..At + n - 1: one pass and one repaint.
    void PermuteRows(int At, const std::vector<int>& From);
    // Every object slot that holds one, also beyond the counts.
    void StoreForEachObject(const std::function<void(int c, int r, TObject* obj)>& fn) const
    {
        FStore.ForEachObject(fn);
    }

protected:
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;

private:
    TGridCellStore FStore;
};
