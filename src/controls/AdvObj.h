#pragma once
// The small objects a string grid creates, fills and reads: integer lists
// bound to a cell, the order of a multi-column sort, the controls placed
// in cells, a string list read and written like a text file, a picture cell
// loaded from a file by name, and the persistent settings objects the grid
// groups its options in. None of them knows the grid.
//
// The grid's footer button and check box are in AdvObjButton.h and
// AdvObjCheckBox.h, the popup windows and the alpha mask in AdvObjPopup.h.

#include "ClassesLists.h"
#include "ComponentRef.h"
#include "Controls.h"
#include "Graphics.h"
#include "Persistence.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// ---------------------------------------------------------------------------
// TIntList: 32-bit signed integers belonging to one cell.

// Sender, then the cell the list belongs to.
using TImageChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

class TIntList : public TObject {
public:
    DECLARE_CLASSNAME(TIntList)
    TIntList(int Col, int Row) : FCol(Col), FRow(Row) {}

    int Count() const { return int(FList.size()); }
    // These change the list, then fire OnChange.
    void Add(int Value);
    void Delete(int Index);
    void SetInteger(int Index, int Value);
    // Deletes the first occurrence through Delete; nothing when absent.
    void DeleteValue(int Value);
    // These fire nothing.
    void Insert(int Index, int Value);
    void Clear() { FList.clear(); }
    // Compare answers negative, 0 or positive; equal values keep their order.
    void Sort(const std::function<int(int, int)>& Compare);

    int GetInteger(int Index) const;
    int Items(int Index) const { return GetInteger(Index); }
    void SetItems(int Index, int Value) { SetInteger(Index, Value); }
    int operator[](int Index) const { return GetInteger(Index); }
    bool HasValue(int Value) const;

    // The values in decimal joined by "," ("" for an empty list). Writing
    // clears the list and adds the comma-text items one by one; an item
    // that is not an integer raises EConvertError, keeping those before it.
    QString StrValue() const;
    void SetStrValue(const QString& Value);

    int Col() const { return FCol; }
    int Row() const { return FRow; }

    TImageChangeEvent OnChange;

protected:
    void Changed();
    void CheckIndex(int Index) const;

private:
    std::vector<int32_t> FList;
    int FCol;
    int FRow;
};

// ---------------------------------------------------------------------------
// TSortIndexList: sort keys in priority order; bits 0-30 hold the column,
// bit 31 is set for a descending key.

class TSortIndexList : public TIntList {
public:
    DECLARE_CLASSNAME(TSortIndexList)
    using TIntList::TIntList;

    void AddIndex(int ColumnIndex, bool Ascending);
    // The first entry for the column; -1 when none.
    int FindIndex(int ColumnIndex) const;
    // Flips the direction of the column's first entry (OnChange fires).
    void ToggleIndex(int ColumnIndex);

    int SortColumns(int i) const;
    int GetSortColumns(int i) const { return SortColumns(i); }
    void SetSortColumns(int i, int Value);
    // True = ascending.
    bool SortDirections(int i) const;
    void SetSortDirections(int i, bool Value);

    // "u3;d7": direction letter and the column's low 16 bits per entry.
    QString SaveToString() const;
    // Reads that form back; see the rules in the implementation.
    void LoadFromString(const QString& S);
};

// ---------------------------------------------------------------------------
// Controls placed in cells. The list owns its items, never their controls;
// a control destroyed elsewhere reads as nil.

class TControlItem : public TObject {
public:
    DECLARE_CLASSNAME(TControlItem)
    TControlItem(int AX, int AY, TControl* AObject) : FX(AX), FY(AY), FObject(AObject) {}

    int X() const { return FX; }
    void SetX(int v) { FX = v; }
    int Y() const { return FY; }
    void SetY(int v) { FY = v; }
    TControl* Control() const { return FObject.Get(); }
    void SetControl(TControl* v) { FObject = v; }

private:
    int FX;
    int FY;
    TComponentRef<TControl> FObject;
};

class TControlList : public TObject {
public:
    DECLARE_CLASSNAME(TControlList)
    TControlList() = default;
    ~TControlList() override;

    int Count() const { return int(FItems.size()); }
    void AddControl(int X, int Y, TControl* AObject);
    // The first item at cell (X, Y); -1 when none.
    int ControlIndex(int X, int Y) const;
    TControlItem* GetControl(int i) const;
    TControlItem* Control(int i) const { return GetControl(i); }
    // Some listed control is this widget (a control's widget is its window
    // handle on this layer; no native window is ever created).
    bool HasHandle(const QWidget* Handle) const;
    // Frees the item, not its control.
    void RemoveControl(int i);

private:
    std::vector<std::unique_ptr<TControlItem>> FItems;
};

// ---------------------------------------------------------------------------
// TFileStringList: a string list read and written line by line. Loading and
// saving are the string list's (byte-order marks, CR LF, safe writes).

class TFileStringList : public TStringList {
public:
    DECLARE_CLASSNAME(TFileStringList)

    void Reset();
    bool Eof() const { return fp >= Count(); }
    // The line at the read position; raises the list's index error past
    // the end (callers test Eof first).
    void ReadLn(QString& s);
    void Write(const QString& s) { cache += s; }
    void WriteLn(const QString& s);

    int fp = 0;        // index of the next line to read
    QString cache;     // text written since the last line end
};

// ---------------------------------------------------------------------------
// TFilePicture: a picture cell that refers to its image by file name.

class TFilePicture : public TPersistent {
public:
    DECLARE_CLASSNAME(TFilePicture)

    const QString& Filename() const { return FFilename; }
    // Stores the name and takes the picture's size from the file; a file
    // that cannot be loaded raises the picture's load error.
    void SetFilename(const QString& Value);
    // The name and size as a grid stream stored them, without reading the file.
    void SetStoredFile(const QString& Name, int W, int H) { FFilename = Name; FWidth = W; FHeight = H; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // Reads the file again and stretch-draws it into r. Runs inside
    // painting, so a file that has gone or turned unreadable draws nothing
    // and raises nothing.
    void DrawPicture(TCanvas* Canvas, const TRect& r);

    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    QString FFilename;
    int FWidth = 0;
    int FHeight = 0;
};

// ---------------------------------------------------------------------------
// Settings objects. Construction values are the stream defaults; setters not
// documented otherwise only store; Assign copies from the same class only
// and fires nothing.

// Declares a property whose setter only stores.
#define ADVOBJ_PLAIN_PROPERTY(Type, Name, Default)        \
public:                                                   \
    Type Name() const { return F##Name; }                 \
    void Set##Name(Type v) { F##Name = v; }               \
                                                          \
private:                                                  \
    Type F##Name = Default;

#define ADVOBJ_PLAIN_BOOL(Name, Default) ADVOBJ_PLAIN_PROPERTY(bool, Name, Default)

enum TSearchDirection { sdTopBottom, sdLeftRight };

class TSearchFooter : public TPersistent {
public:
    DECLARE_CLASSNAME(TSearchFooter)
    // InitDesign gives the English captions and hints; else they are empty.
    TSearchFooter(TPersistent* AOwner, bool InitDesign);
    ~TSearchFooter() override;
    TPersistent* GetOwner() override { return FOwner; }

    ADVOBJ_PLAIN_BOOL(AlwaysHighLight, false)
    ADVOBJ_PLAIN_BOOL(AutoSearch, true)
    ADVOBJ_PLAIN_BOOL(SearchActiveColumnOnly, false)
    ADVOBJ_PLAIN_PROPERTY(int, SearchColumn, -1)
    ADVOBJ_PLAIN_BOOL(SearchMatchStart, false)
    ADVOBJ_PLAIN_BOOL(SearchFixedCells, false)
    ADVOBJ_PLAIN_BOOL(SearchHiddenRows, false)
    ADVOBJ_PLAIN_PROPERTY(TSearchDirection, SearchDirection, sdTopBottom)
    ADVOBJ_PLAIN_PROPERTY(QString, LastSearch, QString())

public:
    // Store and notify.
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v);
    const QString& FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const QString& v);
    const QString& FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const QString& v);
    const QString& HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const QString& v);
    const QString& HintClose() const { return FHintClose; }
    void SetHintClose(const QString& v);
    const QString& HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const QString& v);
    const QString& HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const QString& v);
    const QString& HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const QString& v);
    const QString& MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const QString& v);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool v);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool v);
    // Copies the given font.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v);
    // Notify only when the value changes.
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool v);
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool v);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool v);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);

    TNotifyEvent OnChange;

    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    void Changed();

    TPersistent* FOwner;
    TColor FColor = TColor(0xFFFFFF);
    TColor FColorTo = clBtnFace;
    QString FFindNextCaption, FFindPrevCaption, FHighLightCaption, FHintClose;
    QString FHintFindNext, FHintFindPrev, FHintHighlight, FMatchCaseCaption;
    std::unique_ptr<TFont> FFont;
    bool FShowClose = true;
    bool FShowFindNext = true;
    bool FShowFindPrev = true;
    bool FShowHighLight = true;
    bool FShowMatchCase = true;
    bool FVisible = false;
    bool FAutoThemeAdapt = false;
};

enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TClipboardPasteAction { paReplace, paInsert };
enum TCursorAdvance { caDefault, caSnake, caLoop };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };

// The plain Boolean settings of TNavigation with their defaults (all but
// KeepScrollOnSort, which Assign leaves out).
#define ADVOBJ_NAVIGATION_BOOLS(X)                                                   \
    X(AdvanceOnEnterLoop, true) X(AdvanceAutoEdit, true) X(AdvanceSkipReadOnlyCells, true) \
    X(AllowCtrlEnter, true) X(AllowClipboardRowGrow, true) X(AllowClipboardColGrow, true) \
    X(EditSelectAll, true) X(ComboGetUpDown, true) X(CursorWalkAlwaysEdit, true)     \
    X(LeftRightRowSelect, true) X(CopyHTMLTagsToClipboard, true) X(SkipFixedCells, true) \
    X(SkipDisabledRows, true) X(AllowInsertRow, false) X(AllowDeleteRow, false)      \
    X(AlwaysEdit, false) X(AdvanceOnEnter, false) X(AutoGotoWhenSorted, false)       \
    X(AutoGotoIncremental, false) X(AutoComboDropSize, false)                        \
    X(AllowClipboardShortCuts, false) X(AllowSmartClipboard, false)                  \
    X(AllowRTFClipboard, false) X(AllowFmtClipboard, false) X(AllowClipboardAlways, false) \
    X(AppendOnArrowDown, false) X(CursorWalkEditor, false) X(CursorMoveRows, false)  \
    X(MoveRowOnSort, false) X(MoveScrollOnly, false) X(ImproveMaskSel, false)        \
    X(KeepHorizScroll, false) X(LineFeedOnEnter, false) X(TabToNextAtEnd, false)

class TNavigation : public TPersistent {
public:
    DECLARE_CLASSNAME(TNavigation)
    TNavigation() = default;

    ADVOBJ_NAVIGATION_BOOLS(ADVOBJ_PLAIN_BOOL)
    ADVOBJ_PLAIN_BOOL(KeepScrollOnSort, false)
    ADVOBJ_PLAIN_PROPERTY(TAdvanceDirection, TabAdvanceDirection, adLeftRight)
    ADVOBJ_PLAIN_PROPERTY(TInsertPosition, InsertPosition, pInsertBefore)
    ADVOBJ_PLAIN_PROPERTY(TClipboardPasteAction, ClipboardPasteAction, paReplace)
    ADVOBJ_PLAIN_PROPERTY(TCursorAdvance, CursorAdvance, caDefault)
    ADVOBJ_PLAIN_PROPERTY(THomeEndAction, HomeEndKey, heFirstLastColumn)

public:
    // On a change: stores; True also turns AdvanceOnEnter on.
    bool AdvanceAuto() const { return FAdvanceAuto; }
    void SetAdvanceAuto(bool v);
    // On a change: store and notify.
    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection v);
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool v);

    TNotifyEvent OnChange;

    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    bool FAdvanceAuto = false;
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceInsert = false;
};

enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction { waMoveSelection, waScroll };

using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;

// The plain Boolean settings of TMouseActions that Assign copies.
#define ADVOBJ_MOUSEACTIONS_BOOLS(X)                                                  \
    X(AutoSizeColOnDblClick, true) X(PreciseNodeClick, true) X(AllColumnSize, false)  \
    X(AllRowSize, false) X(AllSelect, false) X(CaretPositioning, false)               \
    X(CheckAllCheck, false) X(ColSelect, false) X(DirectComboClose, false)            \
    X(DirectComboDrop, false) X(DirectDateClose, false) X(DirectDateDrop, false)      \
    X(DirectEdit, false) X(DisjunctRowSelectNoCtrl, false) X(MoveRowOnNodeClick, false) \
    X(NoAutoRangeScroll, false) X(NodeAllExpandContract, false)                       \
    X(NoScrollOnPartialRow, false) X(PreciseCheckBoxCheck, false)                     \
    X(RangeSelectAndEdit, false) X(RowSelect, false) X(RowSelectPersistent, false)    \
    X(SelectOnRightClick, false) X(SizeFixedCol, false)

class TMouseActions : public TPersistent {
public:
    DECLARE_CLASSNAME(TMouseActions)
    explicit TMouseActions(TPersistent* AOwner);
    ~TMouseActions() override;
    TPersistent* GetOwner() override { return FOwner; }

    ADVOBJ_MOUSEACTIONS_BOOLS(ADVOBJ_PLAIN_BOOL)
    ADVOBJ_PLAIN_BOOL(SizeFixedRow, false)
    ADVOBJ_PLAIN_PROPERTY(TGridFixedCellEdit, FixedRowsEdit, fceNone)
    ADVOBJ_PLAIN_PROPERTY(TGridFixedCellEdit, FixedColsEdit, fceNone)
    ADVOBJ_PLAIN_PROPERTY(TGridFixedCellEditor, FixedRowsEditor, fceEdit)
    ADVOBJ_PLAIN_PROPERTY(TGridFixedCellEditor, FixedColsEditor, fceEdit)
    ADVOBJ_PLAIN_PROPERTY(int, WheelIncrement, 0)

public:
    // Store; when True and OnIsDesigning reports designing, the other two
    // of the three are cleared.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool v);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool v);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool v);
    // Writes DisjunctRowSelect without its setter's effects.
    void SetDisjunctRowSelectDirect(bool v) { FDisjunctRowSelect = v; }
    // Store; True also sets DisjunctRowSelect and CheckAllCheck; then OnInvalidate.
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    void SetHotmailRowSelect(bool v);
    // Store; True fires OnDisableEdit.
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool v);
    // On a change: store and notify.
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction v);
    // Owned; writing copies the lines.
    TStrings* FixedComboValues() const { return FFixedComboValues.get(); }
    void SetFixedComboValues(TStrings* v);

    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDisableEdit;
    TIsDesigningEvent OnIsDesigning;

    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    bool IsDesigning();

    TPersistent* FOwner;
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    bool FHotmailRowSelect = false;
    bool FEditOnDblClickOnly = false;
    TWheelAction FWheelAction = waMoveSelection;
    std::unique_ptr<TStringList> FFixedComboValues;
};

#define ADVOBJ_SYNCGRID_BOOLS(X) \
    X(ScrollVertical, false) X(ScrollHorizontal, false) X(SelectionColumn, false) \
    X(SelectionRow, false) X(MoveColumn, false) X(MoveRow, false)

class TSyncGrid : public TPersistent {
public:
    DECLARE_CLASSNAME(TSyncGrid)
    explicit TSyncGrid(TComponent* AOwner) : FOwner(AOwner) {}
    TPersistent* GetOwner() override { return FOwner; }

    ADVOBJ_SYNCGRID_BOOLS(ADVOBJ_PLAIN_BOOL)

public:
    // The grid kept in step; nil once it is destroyed. Writing the owner
    // itself is ignored.
    TComponent* Grid() const { return FGrid.Get(); }
    void SetGrid(TComponent* v);

    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    TComponent* FOwner;
    TComponentRef<TComponent> FGrid;
};

class TBands : public TPersistent {
public:
    DECLARE_CLASSNAME(TBands)
    TBands() = default;

    ADVOBJ_PLAIN_BOOL(Print, false)

public:
    // On a change: store and notify.
    bool Active() const { return FActive; }
    void SetActive(bool v);
    // On a change: store; notify only while Active.
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor v);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor v);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int v);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int v);
    // PrimaryLength + SecondaryLength.
    int TotalLength() const { return FTotalLength; }

    TNotifyEvent OnChange;

    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    void ChangedWhileActive();

    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    TColor FSecondaryColor = clWindow;
    int FPrimaryLength = 1;
    int FSecondaryLength = 1;
    int FTotalLength = 2;
};

class TFocusHelper : public TPersistent {
public:
    DECLARE_CLASSNAME(TFocusHelper)
    explicit TFocusHelper(TPersistent* AOwner) : FOwner(AOwner) {}
    TPersistent* GetOwner() override { return FOwner; }

    ADVOBJ_PLAIN_BOOL(Enabled, false)

public:
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    TPersistent* FOwner;
};
