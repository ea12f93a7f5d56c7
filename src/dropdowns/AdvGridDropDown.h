#pragma once
// The grid drop-down: an edit whose pop-up holds a complete string grid
// (TAdvColGrid of AdvGridDropDownGrid.h). Its rows come from the drop-down's
// own Items (UseItems) or from whatever the program put into the grid's
// cells. The lookup column gives the edit's value. Typing in the edit
// completes from the lookup column; typing in the open list jumps to the
// first match, narrows the rows to the matching ones, or does nothing. A
// click on a header sorts the list and the chosen item stays current. The
// list grid's events are passed on as the drop-down's OnGrid events
// (AdvGridDropDownEvents.cpp).

#include "AdvDetailDropDown.h"  // the shared typing completion
#include "AdvDropDown.h"
#include "AdvGridDropDownGrid.h"

#include <QStringList>
#include <functional>
#include <memory>

class TSearchFooter;
class TBands;
class TNavigation;
class TMouseActions;

namespace AdvCustomGridDropDown {

enum TLookupMethod { lmLookup, lmNarrowDown, lmNone };
enum TDropDownStyle { dsDropDown, dsDropDownList };
enum TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };

// The events of the list grid the string grid itself does not declare.
using TGridAnchorEvent = std::function<void(TObject* Sender, int ARow, int ACol, const QString& Anchor)>;
using TGridAnchorHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, QString& Anchor)>;
using TGridCellBalloonEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, QString& ATitle, QString& AText, TBalloonIcon& AIcon)>;
using TGridScrollHintEvent = std::function<void(TObject* Sender, int ARow, QString& HintStr)>;
using TGridAnchorClickEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& Anchor, bool& AutoHandle)>;
using TGridColRowAllowEvent = std::function<void(TObject* Sender, int Index, bool& Allow)>;
using TGridSizingEvent = std::function<void(TObject* Sender, int Index, int Size)>;
using TGridIndexEvent = std::function<void(TObject* Sender, int Index)>;
using TGridCanSortEvent = std::function<void(TObject* Sender, int ACol, bool& DoSort)>;
using TGridCustomCompareEvent = std::function<void(TObject* Sender, const QString& Str1, const QString& Str2, int& Res)>;
using TGridRawCompareEvent = std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)>;
using TGridRightClickEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TGridSearchEditChangeEvent = std::function<void(TObject* Sender, const QString& Value, bool& DefaultSearch)>;
using TGridCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;

class TCustomAdvGridDropDown : public TAdvCustomDropDown {
    friend class TAdvColGrid;

public:
    DECLARE_CLASSNAME(TCustomAdvGridDropDown)
    explicit TCustomAdvGridDropDown(TComponent* AOwner);
    ~TCustomAdvGridDropDown() override;

    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* v) { FColumns->Assign(v); }
    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(TDropDownItems* v) { FItems->Assign(v); }
    bool UseItems() const { return FUseItems; }
    void SetUseItems(bool v) { FUseItems = v; }
    int ItemIndex() const { return FItemIndex; }
    // With UseItems: any value below the item count, the lookup text (or
    // nothing) becomes the text. Without: a value below the grid's row count,
    // the text from the grid's lookup cell. No OnSelect.
    void SetItemIndex(int V);
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int v) { FLookupColumn = v; }
    TLookupMethod LookupMethod() const { return FLookupMethod; }
    void SetLookupMethod(TLookupMethod v) { FLookupMethod = v; }
    TDropDownStyle Style() const { return FStyle; }
    // The list style switches typing off.
    void SetStyle(TDropDownStyle v);
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v) { FCaseSensitive = v; }
    bool AutoShowDropDown() const { return FAutoShowDropDown; }
    void SetAutoShowDropDown(bool v) { FAutoShowDropDown = v; }
    bool AutoSizeColumns() const { return FAutoSizeColumns; }
    void SetAutoSizeColumns(bool v) { FAutoSizeColumns = v; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool v) { FDropDownAutoWidth = v; }
    int DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(int v) { FDropDownRowHeight = v; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool v) { FColumnSizeWithDropDown = v; }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool v) { FColumnSizing = v; }
    bool ColumnMoving() const { return FColumnMoving; }
    void SetColumnMoving(bool v) { FColumnMoving = v; }
    bool RowSizing() const { return FRowSizing; }
    void SetRowSizing(bool v) { FRowSizing = v; }
    bool RowMoving() const { return FRowMoving; }
    void SetRowMoving(bool v) { FRowMoving = v; }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v) { FRowSelect = v; }
    bool GridEditable() const { return FGridEditable; }
    void SetGridEditable(bool v) { FGridEditable = v; }
    TGridSorting Sorting() const { return FSorting; }
    void SetSorting(TGridSorting v) { FSorting = v; }
    TCustomImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TCustomImageList* v);
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
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor v) { FSelectionTextColor = v; }
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool v) { FHoverRow = v; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor v) { FHoverRowColor = v; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor v) { FHoverRowColorTo = v; }
    // Copied into the list grid at each opening.
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    void SetSearchFooter(TSearchFooter* v);
    TBands* Bands() const { return FBands.get(); }
    void SetBands(TBands* v);
    TNavigation* Navigation() const { return FNavigation.get(); }
    void SetNavigation(TNavigation* v);
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    void SetMouseActions(TMouseActions* v);
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool v) { FMatchCase = v; }
    // Stored only: matching is always at the start.
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool v) { FMatchStart = v; }

    int RowCount() const { return FItems->Count(); }
    TAdvColGrid* GetGrid() const { return FGrid; }
    void BeginUpdate() {}
    // Rebuilds the lookup list (changes of Items at run time go between
    // BeginUpdate and EndUpdate).
    void EndUpdate() { RebuildLookupList(); }
    const QStringList& LookupList() const { return FLookupList; }
    const QString& LookupEntry() const { return FLookupEntry; }
    // The item shown in grid row Row (the row itself without a grid or
    // beyond the rows).
    int ItemOfRow(int Row) const;
    // The first data row showing item Index; ItemIndex when there is none.
    int RowOfItem(int Index) const;
    // The items (UseItems) or the grid's data rows.
    int ListCount() const;

    void Loaded() override;
    uint32_t GetVersionNr() const override;

    TNotifyEvent OnSelect;

    // ---- the list grid's events passed on --------------------------------------------
    TGridAnchorClickEvent OnGridAnchorClick;
    TGridAnchorEvent OnGridAnchorEnter;
    TGridAnchorEvent OnGridAnchorExit;
    TGridAnchorHintEvent OnGridAnchorHint;
    TGridIndexEvent OnGridAutoAddRow;
    TGridIndexEvent OnGridInsertRow;
    TGridIndexEvent OnGridDeleteRow;
    TGridIndexEvent OnGridInsertCol;
    TGridCanAddRowEvent OnGridCanAddRow;
    TGridColRowAllowEvent OnGridCanDeleteRow;
    TGridColRowAllowEvent OnGridCanInsertRow;
    TButtonClickEvent OnGridButtonClick;
    TCanEditCellEvent OnGridCanEditCell;
    TCheckBoxClickEvent OnGridCheckBoxClick;
    TGridCanSortEvent OnGridCanSort;                  // never fired
    TGridIndexEvent OnGridClickSort;                  // never fired
    TGridCustomCompareEvent OnGridCustomCompare;      // never fired
    TGridRawCompareEvent OnGridRawCompare;            // never fired
    TGridColRowAllowEvent OnGridColumnSize;
    TGridIndexEvent OnGridEndColumnSize;
    TGridSizingEvent OnGridColumnSizing;
    TGridColRowAllowEvent OnGridRowSize;
    TGridSizingEvent OnGridRowSizing;
    TGridIndexEvent OnGridEndRowSize;
    TGridColRowAllowEvent OnGridRowMove;
    TGridColRowAllowEvent OnGridRowMoving;
    TMovedEvent OnGridRowMoved;
    TGridColRowAllowEvent OnGridColumnMove;
    TGridColRowAllowEvent OnGridColumnMoving;
    TMovedEvent OnGridColumnMoved;
    TCustomCellDrawEvent OnGridCustomCellDraw;
    TCustomCellDrawEvent OnGridCustomCellBkgDraw;
    TGridAlignEvent OnGridGetAlignment;
    TGridColorEvent OnGridGetCellColor;
    TGridGradientEvent OnGridGetCellGradient;
    TFloatFormatEvent OnGridGetFloatFormat;
    TGetEditorTypeEvent OnGridGetEditorType;
    TGetEditorPropIntEvent OnGridGetEditorProp;
    TEllipsClickEvent OnGridEllipsClick;
    TGetDisplTextEvent OnGridGetDiplText;
    TGridFormatEvent OnGridGetFormat;
    TGridHintEvent OnGridHint;
    TGridCellBalloonEvent OnGridCellBalloon;
    TMouseMoveEvent OnGridMouseMove;
    TMouseEvent OnGridMouseDown;
    TMouseEvent OnGridMouseUp;
    TKeyEvent OnGridKeyDown;
    TKeyEvent OnGridKeyUp;
    TKeyPressEvent OnGridKeyPress;
    TGridRightClickEvent OnGridRightClickCell;
    TGridScrollHintEvent OnGridScrollHint;
    TNotifyEvent OnGridTopLeftChanged;
    TGridSearchEditChangeEvent OnGridSearchEditChange;
    TSpinClickEvent OnGridSpinClick;  // never fired

    // ---- the dispatchers, one per passed-on event ------------------------------------
    virtual TDropDownItems* CreateItems(TPersistent* Owner);
    virtual void DoGridAnchorClick(TObject* Sender, int ARow, int ACol, const QString& Anchor, bool& AutoHandle);
    virtual void DoGridAnchorEnter(TObject* Sender, int ARow, int ACol, const QString& Anchor);
    virtual void DoGridAnchorExit(TObject* Sender, int ARow, int ACol, const QString& Anchor);
    virtual void DoGridAnchorHint(TObject* Sender, int ARow, int ACol, QString& Anchor);
    virtual void DoGridButtonClick(TObject* Sender, int ACol, int ARow);
    virtual void DoGridCanSort(TObject* Sender, int ACol, bool& DoSort);
    virtual void DoGridClickSort(TObject* Sender, int ACol);
    virtual void DoGridCustomCompare(TObject* Sender, const QString& Str1, const QString& Str2, int& Res);
    virtual void DoGridRawCompare(TObject* Sender, int ACol, int Row1, int Row2, int& Res);
    virtual void DoGridColumnSize(TObject* Sender, int ACol, bool& Allow);
    virtual void DoGridColumnSizing(TObject* Sender, int ACol, int ColumnSize);
    virtual void DoGridEndColumnSize(TObject* Sender, int ACol);
    virtual void DoGridRowSize(TObject* Sender, int ARow, bool& Allow);
    virtual void DoGridRowSizing(TObject* Sender, int ARow, int RowSize);
    virtual void DoGridEndRowSize(TObject* Sender, int ARow);
    virtual void DoGridRowMove(TObject* Sender, int ARow, bool& Allow);
    virtual void DoGridRowMoving(TObject* Sender, int ARow, bool& Allow);
    virtual void DoGridRowMoved(TObject* Sender, int FromIndex, int ToIndex);
    virtual void DoGridColumnMove(TObject* Sender, int ACol, bool& Allow);
    virtual void DoGridColumnMoving(TObject* Sender, int ACol, bool& Allow);
    virtual void DoGridColumnMoved(TObject* Sender, int FromIndex, int ToIndex);
    virtual void DoGridCustomCellDraw(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TGridDrawState AState,
                                      TRect ARect, bool Printing);
    virtual void DoGridCustomCellBkgDraw(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                         TGridDrawState AState, TRect ARect, bool Printing);
    virtual void DoGridCellBalloon(TObject* Sender, int ACol, int ARow, QString& ATitle, QString& AText,
                                   TBalloonIcon& AIcon);
    virtual void DoGridGetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void DoGridGetCellColor(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush,
                                    TFont* AFont);
    virtual void DoGridGetCellGradient(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo,
                                       TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD);
    virtual void DoGridGetFloatFormat(TObject* Sender, int ACol, int ARow, bool& IsFloat, QString& FloatFormat);
    virtual void DoGridGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
    virtual void DoGridGetEditorProp(TObject* Sender, int ARow, int ACol);
    virtual void DoGridCanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit);
    virtual void DoGridEllipsClick(TObject* Sender, int ACol, int ARow, QString& S);
    virtual void DoGridGetDisplText(TObject* Sender, int ACol, int ARow, QString& Value);
    virtual void DoGridGetFormat(TObject* Sender, int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix);
    virtual void DoGridGridHint(TObject* Sender, int ARow, int ACol, QString& HintStr);
    virtual void DoGridMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    virtual void DoGridMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DoGridMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DoGridKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void DoGridKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void DoGridKeyPress(TObject* Sender, QChar& Key);
    virtual void DoGridRightClickCell(TObject* Sender, int ARow, int ACol);
    virtual void DoGridScrollHint(TObject* Sender, int ARow, QString& HintStr);
    virtual void DoGridTopLeftChanged(TObject* Sender);
    virtual void DoGridSearchEditChange(TObject* Sender, const QString& Value, bool& DefaultSearch);
    virtual void DoGridSpinClick(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown);
    virtual void DoGridAutoAddRow(TObject* Sender, int ARow);
    virtual void DoGridAutoInsertRow(TObject* Sender, int ARow);
    virtual void DoGridAutoInsertCol(TObject* Sender, int ACol);
    virtual void DoGridAutoDeleteRow(TObject* Sender, int ARow);
    virtual void DoGridCanAddRow(TObject* Sender, bool& CanAdd);
    virtual void DoGridCanInsertRow(TObject* Sender, int ARow, bool& CanInsert);
    virtual void DoGridCanDeleteRow(TObject* Sender, int ARow, bool& CanDelete);
    void GridCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);

    // ---- the base's operations --------------------------------------------------------
    void SetComponentStyle(TVisualStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle Style) override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void AdaptDropDownHeight(int& Height) override;
    void DoShowDropDown() override;
    void PlaceDropDownControl() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownFormDestroyed() override;
    void ControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ControlKeyPress(TObject* Sender, QChar& Key) override;
    void DropDownFormSizing(TObject* Sender) override;
    void DoWheelDown() override;
    void DoWheelUp() override;
    void KeyDownMessage(TMessage& Message) override;
    void CharMessage(TMessage& Message) override;
    void HandleKeyDown(Word& Key, TShiftState Shift) override;
    void HandleKeyPress(QChar& Key) override;
    void HandleKeyUp(Word& Key, TShiftState Shift) override;
    void HandleChange() override;

protected:
    void InitializeEditor() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoEnter() override;
    void RebuildLookupList();
    QString LookupText(int Item) const;
    // The grid's lookup cell of displayed row Row (empty without one).
    QString GridLookupText(int Row) const;
    int LookupIndexOfText(const QString& Text) const;
    // Stores an item index met in the lookup list; one beyond the items is ignored.
    void SetItemIndexDirect(int V);
    // ItemIndex from a displayed grid row (the item, or the real data row).
    void SetItemIndexFromRow(int Row);
    void SizeColumnsToDropDown();
    void ConnectGridEvents();
    void GridSelectCell(int ARow);
    void GridSelect();
    void GridStartSort();
    void GridEndSort();
    // Type-ahead: the item or data row found for K, or -1.
    int ProcessLookupKey(QChar K);
    int FindLookupMatch(const QString& Entry);
    void StepItem(int Delta);
    // Runs Event with the pop-up's activation blocked.
    template <class F>
    void Blocked(const F& Event);

    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TMouseActions> FMouseActions;
    TAdvColGrid* FGrid = nullptr;
    QStringList FLookupList;
    TDropDownCompletionIndex FLookupIndex;
    QString FLookupEntry;
    int FItemIndex = -1;
    int FOldItemIndex = -1;
    int FSortItemIndex = -1;
    int FSelectedRow = 1;
    bool FBalloonInit = false;
    bool FUseItems = true;
    int FLookupColumn = 0;
    TLookupMethod FLookupMethod = lmLookup;
    TDropDownStyle FStyle = dsDropDown;
    bool FCaseSensitive = false;
    bool FAutoShowDropDown = false;
    bool FAutoSizeColumns = true;
    bool FDropDownAutoWidth = true;
    int FDropDownRowHeight = 22;
    bool FColumnSizeWithDropDown = true;
    bool FColumnSizing = false;
    bool FColumnMoving = false;
    bool FRowSizing = false;
    bool FRowMoving = false;
    bool FRowSelect = true;
    bool FGridEditable = false;
    TGridSorting FSorting = gsNone;
    TCustomImageList* FGridImages = nullptr;
    TColor FHeaderColor = clWhite;
    TColor FHeaderColorTo = clGray;
    int FHeaderHeight = 25;
    TColor FLineColor = clSilver;
    TColor FFixedLineColor = clSilver;
    TColor FSelectionTextColor = clBlack;
    bool FHoverRow = false;
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FMatchCase = false;
    bool FMatchStart = true;
    bool FShowing = false;
    TDropDownTyping FCompletion{TDropDownTyping::naAfterWrite};
};

class TAdvGridDropDown : public TCustomAdvGridDropDown {
public:
    DECLARE_CLASSNAME(TAdvGridDropDown)
    using TCustomAdvGridDropDown::TCustomAdvGridDropDown;
};

}  // namespace AdvCustomGridDropDown

using AdvCustomGridDropDown::TAdvGridDropDown;
using AdvCustomGridDropDown::TCustomAdvGridDropDown;
