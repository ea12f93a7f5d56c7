#pragma once
// The multi-column drop-down: an edit whose pop-up shows the items as the
// rows of a table with a header row, one column per TDropDownColumn. One
// column (the lookup column) gives the value the edit shows. Typing in the
// edit completes from the lookup column; typing in the open list searches
// it (type-ahead). The table is TAdvColGrid (AdvMultiColumnDropDownGrid.h).

#include "AdvDetailDropDown.h"  // the shared typing completion
#include "AdvDropDown.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace AdvMultiColumnDropDown {

class TAdvColGrid;

enum TColumnType { ctText, ctImage };

// Events of the list (Column and Row are grid coordinates; row 0 is the header).
using TDrawCellEvent = std::function<void(TObject* Sender, int Column, int Row, TCanvas* ACanvas, TRect ARect)>;
using TGetCellTextEvent = std::function<void(TObject* Sender, int Column, int Row, QString& Text)>;
using TGetCellPropEvent =
    std::function<void(TObject* Sender, int Column, int Row, TFont* Font, TColor& AColor, TColor& AColorTo)>;

class TDropDownColumn : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TDropDownColumn)
    explicit TDropDownColumn(TCollection* Collection);
    ~TDropDownColumn() override;
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; }
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool v) { FEllipsis = v; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TColumnType ColumnType() const { return FColumnType; }
    void SetColumnType(TColumnType v) { FColumnType = v; }
    const QString& Header() const { return FHeader; }
    void SetHeader(const QString& v) { FHeader = v; }
    bool Wordwrap() const { return FWordwrap; }
    void SetWordwrap(bool v) { FWordwrap = v; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; }
    void Assign(TPersistent* Source) override;

private:
    int FWidth = 80;
    TColor FColor = clWhite;
    TAlignment FAlignment = taLeftJustify;
    bool FEllipsis = false;
    std::unique_ptr<TFont> FFont;
    TColumnType FColumnType = ctText;
    QString FHeader;
    bool FWordwrap = false;
    bool FAutoSize = false;
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

class TDropDownItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TDropDownItem)
    explicit TDropDownItem(TCollection* Collection) : TCollectionItem(Collection) {}
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    // Line i is the text of column i.
    const QStringList& Text() const { return FText; }
    void SetText(const QStringList& v) { FText = v; }
    // Copies the image index and the texts (a copied list keeps its content).
    void Assign(TPersistent* Source) override;

private:
    int FImageIndex = -1;
    QStringList FText;
};

class TDropDownItems : public TCollection {
public:
    DECLARE_CLASSNAME(TDropDownItems)
    explicit TDropDownItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
    TDropDownItem* Insert(int Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
    TDropDownItem* Items(int Index) const { return static_cast<TDropDownItem*>(TCollection::Items(Index)); }
    // The first item whose line Column equals Value exactly; -1.
    int IndexInColumn(int Column, const QString& Value) const;
    TNotifyEvent OnChange;

private:
    TPersistent* FOwner;
};

// ---- sizing rules (pure) -----------------------------------------------------------------

// The pop-up height cut to whole rows below the bars and the header row.
int MultiColumnAdaptHeight(int Height, int Bars, int HeaderHeight, int RowHeight);
// Column widths spread over Available pixels in proportion to Widths; the
// rounding error carried from column to column.
std::vector<int> MultiColumnFitWidths(const std::vector<int>& Widths, int Available);

// ---- list colours (shared with the grid drop-down) ----------------------------------------

// The line colours a selection colour style gives a list.
void ListSelectionLineColors(TSelectionColorStyle Style, TColor& LineColor, TColor& FixedLineColor);
// Where a visual style writes a list editor's colours.
struct TListStyleTarget {
    TColor* HeaderColor;
    TColor* HeaderColorTo;
    TFont* HeaderFont;  // may be null while the editor is built
    TColor* LineColor;
    TColor* FixedLineColor;
    TColor* SelectionTextColor;
};
// The list colours of a visual style, and its selection colour style on D
// (tsCustom changes nothing).
void ApplyListStyle(TAdvCustomDropDown* D, TVisualStyle AStyle, const TListStyleTarget& T);

// ---- the drop-down ---------------------------------------------------------------------------

class TAdvMultiColumnDropDown : public TAdvCustomDropDown {
    friend class TAdvColGrid;

public:
    DECLARE_CLASSNAME(TAdvMultiColumnDropDown)
    explicit TAdvMultiColumnDropDown(TComponent* AOwner);
    ~TAdvMultiColumnDropDown() override;

    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* v) { FColumns->Assign(v); }
    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(TDropDownItems* v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    // Any value below the item count: stored, the lookup text (or nothing)
    // becomes the text. No comparison, no OnSelect.
    void SetItemIndex(int V);
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int v) { FLookupColumn = v; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v) { FCaseSensitive = v; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool v) { FDropDownAutoWidth = v; }
    int DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(int v) { FDropDownRowHeight = v; }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool v) { FColumnSizing = v; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool v) { FColumnSizeWithDropDown = v; }
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
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool v) { FMatchCase = v; }
    // Stored only: matching is always at the start.
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool v) { FMatchStart = v; }
    int RowCount() const { return FItems->Count(); }

    // The first item whose lookup text equals Value exactly; -1.
    int GetItemIndex(const QString& Value) const;
    void BeginUpdate() {}
    // Rebuilds the lookup list (changes of Items at run time go between
    // BeginUpdate and EndUpdate).
    void EndUpdate() { RebuildLookupList(); }
    const QStringList& LookupList() const { return FLookupList; }
    const QString& LookupEntry() const { return FLookupEntry; }
    TAdvColGrid* ListGrid() const { return FGrid; }

    void Assign(TPersistent* Source) override;
    void Loaded() override;

    TNotifyEvent OnSelect;
    TDrawCellEvent OnDropDownDrawItem;
    TGetCellTextEvent OnDropDownGetItemText;
    TGetCellPropEvent OnDropDownGetItemProp;  // never fired

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
    void HandleKeyDown(Word& Key, TShiftState Shift) override;
    void HandleKeyPress(QChar& Key) override;
    void HandleKeyUp(Word& Key, TShiftState Shift) override;
    void HandleChange() override;

protected:
    void InitializeEditor() override;
    void RebuildLookupList();
    QString LookupText(int Item) const;
    // The lookup list's entry equal to Text ignoring case; -1.
    int LookupIndexOfText(const QString& Text) const;
    // Stores an index met in the lookup list; one beyond the items is ignored.
    void SetItemIndexDirect(int V);
    void SizeColumnsToDropDown();
    void GridSelectCell(int ARow);
    void GridSelect();
    // Type-ahead: the item found for K (and the lookup entry), or -1.
    int ProcessLookupKey(QChar K);
    int FindLookupMatch(const QString& Entry);
    void StepItem(int Delta);

    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    TAdvColGrid* FGrid = nullptr;
    QStringList FLookupList;
    TDropDownCompletionIndex FLookupIndex;  // of FLookupList
    QString FLookupEntry;
    int FItemIndex = -1;
    int FOldItemIndex = -1;
    int FLookupColumn = 0;
    bool FCaseSensitive = false;
    bool FDropDownAutoWidth = true;
    int FDropDownRowHeight = 22;
    bool FColumnSizing = false;
    bool FColumnSizeWithDropDown = true;
    TColor FHeaderColor = clWhite;
    TColor FHeaderColorTo = clGray;
    int FHeaderHeight = 25;
    TColor FLineColor = clSilver;
    TColor FFixedLineColor = clSilver;
    TColor FSelectionTextColor = clBlack;
    bool FMatchCase = false;
    bool FMatchStart = true;
    bool FShowing = false;
    TDropDownTyping FCompletion{TDropDownTyping::naAfterWrite};
};

}  // namespace AdvMultiColumnDropDown
