#pragma once
// TAdvColumnGrid: a string grid whose columns are described by a collection
// of column items. An item holds everything that is per column (header,
// width and its limits, colours and fonts for screen and print, alignment,
// borders, the editor with its combo items and spin limits, check-box
// texts, sort format, filter list, popup menu); the grid answers the string
// grid's hooks from the item of a cell's column first and then lets the
// string grid's own rule and events have the last word.
//
// Invariant: Columns()->Count() == ColCount() + NumHiddenColumns() after
// every structural change; item i describes real column i.
//
// The unit's files: AdvCGrid (items, collection, structure, headers,
// widths, column order), AdvCGridHooks (the look, editing, filter and popup
// hooks), AdvCGridIO (the column stream and the positions file).

#include "AdvGrid.h"
#include "AdvGridSort.h"
#include "ClassesLists.h"
#include "ComponentRef.h"
#include "Persistence.h"

#if __has_include("AdvGridHooks.h")
#include "AdvGridHooks.h"
#else
#include "Sets.h"
enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;
#endif

#include <QString>
#include <functional>
#include <memory>

class QIODevice;
class TAdvColumnGrid;
class TGridColumnCollection;
class TPopupMenu;

// Which press on which cells of a column opens its popup menu.
enum TColumnPopupType {
    cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick, cpAllCellsRClick,
    cpAllCellsLClick
};

using TAfterColumnMoved = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TColumnPopupEvent = std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu* PopupMenu)>;
// The chosen entry of a column's own filter list: its friendly name, and
// the condition the handler may change.
using TColumnFilterSelectEvent =
    std::function<void(TObject* Sender, int Column, int ItemIndex, const QString& FriendlyName, QString& FilterCondition)>;

// One column's settings. Writing a property stores it; "notify" setters
// also tell the collection (which repaints and keeps headers in step),
// "repaint" setters repaint the grid. An item made without a collection
// keeps platform defaults and reacts to nothing.
class TGridColumnItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TGridColumnItem)
    explicit TGridColumnItem(TCollection* Collection);
    ~TGridColumnItem() override;

    // Every property (the width as the source's grid width, into the field
    // only), DefIdx included; not ColumnPopupType, PrintBorderCustom,
    // PrintFontCustom. Another source is ignored.
    void Assign(TPersistent* Source) override;
    // The look only: not Header, Name, Tag, ComboItems, DropDownCount,
    // HeaderFont and the three above; Color and Font from the grid.
    void AssignVisuals(TPersistent* Source);
    QString DisplayName() const override;
    // The published properties in stream order.
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

    // The owning grid, nil without a collection.
    TAdvColumnGrid* Grid() const;

    // The grid's width of the item's column (0 without a grid).
    int Width() const;
    void SetWidth(int Value);
    // The field the width was last written to (or assigned from).
    int StoredWidth() const { return FWidth; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    QString Header() const { return FHeader; }
    void SetHeader(const QString& Value);
    TSortStyle SortStyle() const { return FSortStyle; }
    void SetSortStyle(TSortStyle v) { FSortStyle = v; }
    QString SortPrefix() const { return FSortPrefix; }
    void SetSortPrefix(const QString& v) { FSortPrefix = v; }
    QString SortSuffix() const { return FSortSuffix; }
    void SetSortSuffix(const QString& v) { FSortSuffix = v; }
    QString EditMask() const { return FEditMask; }
    void SetEditMask(const QString& v) { FEditMask = v; }
    int EditLength() const { return FEditLength; }
    void SetEditLength(int v) { FEditLength = v; }
    // The in-place editor link of the column (cleared when it goes).
    TComponent* EditLink() const { return FEditLink.Get(); }
    void SetEditLink(TComponent* v) { FEditLink = v; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value);
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    TStringList* ComboItems() const { return FComboItems.get(); }
    void SetComboItems(TStrings* Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v) { FDropDownCount = v; }
    int SpinMin() const { return FSpinMin; }
    void SetSpinMin(int v) { FSpinMin = v; }
    int SpinMax() const { return FSpinMax; }
    void SetSpinMax(int v) { FSpinMax = v; }
    int SpinStep() const { return FSpinStep; }
    void SetSpinStep(int v) { FSpinStep = v; }
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    TFont* PrintFont() const { return FPrintFont.get(); }
    void SetPrintFont(TFont* Value);
    TColor PrintColor() const { return FPrintColor; }
    void SetPrintColor(TColor v) { FPrintColor = v; }
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    TPen* BorderPen() const { return FBorderPen.get(); }
    void SetBorderPen(TPen* Value);
    TCellBorders PrintBorders() const { return FPrintBorders; }
    void SetPrintBorders(TCellBorders v) { FPrintBorders = v; }
    TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
    void SetPrintBorderPen(TPen* Value);
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    // The column's position when the grid was set up (follows moves).
    int DefIdx() const { return FDefIdx; }
    void SetDefIdx(int v) { FDefIdx = v; }
    QString Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    QString CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const QString& v) { FCheckFalse = v; }
    QString CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const QString& v) { FCheckTrue = v; }
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    // Entries "name=condition" (or a bare condition) of the column's filter
    // drop-down; any change repaints.
    TStringList* Filter() const { return FFilter.get(); }
    void SetFilter(TStrings* Value);
    int MaxSize() const { return FMaxSize; }
    void SetMaxSize(int v) { FMaxSize = v; }
    int MinSize() const { return FMinSize; }
    void SetMinSize(int v) { FMinSize = v; }
    int AutoMinSize() const { return FAutoMinSize; }
    void SetAutoMinSize(int v) { FAutoMinSize = v; }
    int AutoMaxSize() const { return FAutoMaxSize; }
    void SetAutoMaxSize(int v) { FAutoMaxSize = v; }
    TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
    void SetColumnPopupType(TColumnPopupType v) { FColumnPopupType = v; }
    TPopupMenu* ColumnPopup() const;
    void SetColumnPopup(TPopupMenu* v);
    bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
    void SetFilterCaseSensitive(bool v) { FFilterCaseSensitive = v; }
    QString FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const QString& Value);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment Value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value);
    bool PrintBorderCustom() const { return FPrintBorderCustom; }
    void SetPrintBorderCustom(bool v) { FPrintBorderCustom = v; }
    bool PrintFontCustom() const { return FPrintFontCustom; }
    void SetPrintFontCustom(bool v) { FPrintFontCustom = v; }

    // The cells of the item's column by display row.
    QString Rows(int ARow) const;
    void SetRows(int ARow, const QString& Value);
    int Ints(int ARow) const;
    void SetInts(int ARow, int Value);
    double Floats(int ARow) const;
    void SetFloats(int ARow, double Value);
    TDateTime Dates(int ARow) const;
    void SetDates(int ARow, TDateTime Value);
    TDateTime Times(int ARow) const;
    void SetTimes(int ARow, TDateTime Value);

    // Set by the header write; the grid's header sync writes the field only.
    void SetHeaderField(const QString& v) { FHeader = v; }
    void SetWidthField(int v) { FWidth = v; }

private:
    void Notify() { Changed(false); }
    void Repaint();
    void FontChanged(TObject*) { Notify(); }
    void PenChanged(TObject*) { Notify(); }
    void FilterChanged(TObject*) { Repaint(); }
    void CopyFrom(const TGridColumnItem& s, bool Visuals);

    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    QString FHeader;
    TSortStyle FSortStyle = ssAutomatic;
    QString FSortPrefix;
    QString FSortSuffix;
    QString FEditMask;
    int FEditLength = 0;
    TComponentRef<TComponent> FEditLink;
    std::unique_ptr<TFont> FFont;
    TColor FColor = TColor(0);
    TEditorType FEditor = edNormal;
    bool FFixed = false;
    bool FReadOnly = false;
    std::unique_ptr<TStringList> FComboItems;
    int FDropDownCount = 8;
    int FSpinMin = 0;
    int FSpinMax = 0;
    int FSpinStep = 1;
    bool FPassword = false;
    std::unique_ptr<TFont> FPrintFont;
    TColor FPrintColor = clWhite;
    TCellBorders FBorders;
    std::unique_ptr<TPen> FBorderPen;
    TCellBorders FPrintBorders = TCellBorders{cbTop, cbLeft, cbRight, cbBottom};
    std::unique_ptr<TPen> FPrintBorderPen;
    int FTag = 0;
    int FDefIdx = 0;
    QString FName;
    QString FCheckFalse = QStringLiteral("N");
    QString FCheckTrue = QStringLiteral("Y");
    bool FShowBands = false;
    std::unique_ptr<TStringList> FFilter;
    int FMaxSize = 0;
    int FMinSize = 0;
    int FAutoMinSize = 0;
    int FAutoMaxSize = 0;
    TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
    TComponentRef<TComponent> FColumnPopup;
    TPopupMenu* FColumnPopupMenu = nullptr;  // valid while FColumnPopup watches it
    bool FFilterCaseSensitive = false;
    QString FFloatFormat;
    TAlignment FHeaderAlignment = taLeftJustify;
    std::unique_ptr<TFont> FHeaderFont;
    bool FPrintBorderCustom = true;
    bool FPrintFontCustom = true;
};

// The grid's column items.
class TGridColumnCollection : public TCollection {
public:
    DECLARE_CLASSNAME(TGridColumnCollection)
    explicit TGridColumnCollection(TAdvColumnGrid* AOwner);
    TPersistent* GetOwner() override;
    TAdvColumnGrid* Grid() const { return FOwner; }

    // Appends an item that looks like the item before it.
    TGridColumnItem* Add();
    // A new item with creation values at Index.
    TGridColumnItem* Insert(int Index);
    // Raises the list-index error outside 0 .. Count - 1.
    TGridColumnItem* Items(int Index) const { return static_cast<TGridColumnItem*>(TCollection::Items(Index)); }
    void SetItems(int Index, TGridColumnItem* Value) { TCollection::SetItems(Index, Value); }
    // Brings the item count in step, then every DefIdx := its index.
    void SetOrganization();
    // Moves columns until every item stands at its DefIdx.
    void ResetOrganization();

    // While set, a change re-fits nothing (internal re-fits of the items).
    bool NoRecursiveUpdate() const { return FNoRecursiveUpdate; }
    void SetNoRecursiveUpdate(bool v) { FNoRecursiveUpdate = v; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TAdvColumnGrid* FOwner;
    bool FNoRecursiveUpdate = false;
};

// Holds a collection of items while columns go to or come from a stream.
class TAdvColumnGridIO : public TComponent {
public:
    DECLARE_CLASSNAME(TAdvColumnGridIO)
    explicit TAdvColumnGridIO(TAdvColumnGrid* AOwner);
    ~TAdvColumnGridIO() override;
    TGridColumnCollection* Items() const { return FItems; }
    void SetItems(TGridColumnCollection* Value);

private:
    TGridColumnCollection* FItems;
};

class TAdvColumnGrid : public TAdvStringGrid {
public:
    DECLARE_CLASSNAME(TAdvColumnGrid)
    explicit TAdvColumnGrid(TComponent* AOwner);
    ~TAdvColumnGrid() override;
    void AfterConstruction() override;

    // ---- columns ---------------------------------------------------------------------
    TGridColumnCollection* Columns() const { return FColumnCollection; }
    void SetColumns(TGridColumnCollection* Value);
    int ColCount() const { return TAdvStringGrid::ColCount(); }
    void SetColCount(int Value);
    // The first item of that exact name; nil when none.
    TGridColumnItem* GetColumnByName(const QString& AValue) const;
    // The item of a real column, nil outside the items.
    TGridColumnItem* ItemOf(int RealCol) const;
    void SynchColumns();
    void UpdateColumnHeaders();
    bool ColMoving() const { return FColMoving; }
    // The settings of the last grouped column.
    TGridColumnItem* SaveCol() const { return FSaveCol; }
    TCellGraphic* DataCheckGraphic() const { return FDataCheckGraphic; }
    bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
    void SetAutoFilterDisplay(bool v) { FAutoFilterDisplay = v; }

    void InsertCols(int ColIndex, int CCount) override;
    void RemoveCols(int ColIndex, int CCount) override;
    void CellsLoaded() override;
    void ColumnHeadersChanged() override;

    // ---- column order and positions (AdvCGridIO) -------------------------------------
    // Key is the INI file's path; keys "CP" + position hold each DefIdx.
    void SaveColumnPositions(const QString& Key, const QString& Section);
    // Changes nothing unless the file holds a permutation of the positions.
    void LoadColumnPositions(const QString& Key, const QString& Section);
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    void SaveColumnsToStream(QIODevice* st);
    void LoadColumnsFromStream(QIODevice* st);

    // ---- hooks (AdvCGridHooks) --------------------------------------------------------
    void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                         TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                         TCellGradientDirection& GD) override;
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix);
    void GetColumnFloatFormat(int ACol, int ARow, QString& AFormat) override;
    // The cell text, or its number in the item's FloatFormat.
    virtual QString GetFormattedCell(int ACol, int ARow);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed);
    // The editing rule of the column grid (replaces the string grid's).
    virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
    void AllowCellEdit(int ACol, int ARow, bool& CanEdit) { CanEditCell(ACol, ARow, CanEdit); }
    virtual void IsPasswordCell(int ACol, int ARow, bool& IsPassword);
    virtual bool HasComboBox(int ACol, int ARow);
    virtual void GetCheckTrue(int ACol, int ARow, QString& Value);
    virtual void GetCheckFalse(int ACol, int ARow, QString& Value);
    TCellType GetCellType(int ACol, int ARow) override;
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    // Clamps to the item's MinSize/MaxSize (AutoMinSize/AutoMaxSize).
    virtual void UpdateColumnSize(int ACol, int& AWidth);
    void UpdateAutoColumnSize(int ACol, int& AWidth) override;
    // The column's own filter list when its item has one.
    virtual bool GetColumnFilter(int Column);
    virtual bool HasColumnFilter(int ACol) { return GetColumnFilter(ACol); }
    // The user picked entry ItemIndex of the current filter column's list.
    virtual void FilterSelect(int ItemIndex);
    virtual void FilterListSelect(int ItemIndex) { FilterSelect(ItemIndex); }
    void HandleChangeScale(int M, int D);
    int GetVersionNr() override { return 0x03010301; }
    QString GetVersionString() override;

    // ---- grouping ---------------------------------------------------------------------
    void Group(int ColIndex) override;
    void UnGroup() override;

    // ---- events -----------------------------------------------------------------------
    TAfterColumnMoved OnAfterColumnMoved;
    TColumnPopupEvent OnColumnPopup;
    TColumnFilterSelectEvent OnFilterSelect;
    std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, QString& FloatFormat)> OnGetFloatFormat;

protected:
    // The collection factory: a descendant may return its own collection.
    virtual TGridColumnCollection* CreateColumns();
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    int GetEditLimit() override;
    QString GetEditMask(int ACol, int ARow) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    friend class TGridColumnCollection;
    // Runs Fn with the collection's re-fit switch set.
    template <class Fn>
    void Quietly(Fn fn)
    {
        const bool old = FColumnCollection->NoRecursiveUpdate();
        FColumnCollection->SetNoRecursiveUpdate(true);
        try {
            fn();
        } catch (...) {
            FColumnCollection->SetNoRecursiveUpdate(old);
            throw;
        }
        FColumnCollection->SetNoRecursiveUpdate(old);
    }
    bool IsNormalCell(int ACol, int ARow);
    void ShowColumnPopup(TMouseButton Button, int X, int Y);

    TGridColumnCollection* FColumnCollection = nullptr;
    TGridColumnItem* FSaveCol = nullptr;
    TCellGraphic* FDataCheckGraphic = nullptr;
    bool FColMoving = false;
    bool FAutoFilterDisplay = false;
};
