#pragma once
// The string grid's filter conditions (its Filter collection), the settings
// of the header filter drop-down, and the single-choice list that drop-down
// opens.

#include "ClassesLists.h"
#include "Graphics.h"
#include "Persistence.h"
#include "StdCtrls.h"

#include <QString>
#include <functional>
#include <memory>

class TBaseGrid;

// Which text of a cell a condition tests: the display text, the stored
// text, the text without mini-markup, the calculated text, or all texts of
// the row.
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
// How a condition's result joins the result so far.
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterMethod { fmExpression, fmLiteral };
// fdNormal: filter buttons on non-fixed columns only; fdAll: on fixed too.
enum TFilterDropDownColumns { fdNormal, fdAll };

// One condition. Setters only store.
class TFilterData : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TFilterData)
    explicit TFilterData(TCollection* Collection) : TCollectionItem(Collection) {}

    // The column whose text is tested (not used with fcRow).
    int Column() const { return FColumn; }
    void SetColumn(int v) { FColumn = v; }
    // An expression or a literal; an empty condition always matches.
    const QString& Condition() const { return FCondition; }
    void SetCondition(const QString& v) { FCondition = v; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v) { FCaseSensitive = v; }
    TFilterCells Data() const { return FData; }
    void SetData(TFilterCells v) { FData = v; }
    // Removed from the start (the end) of the text before the test.
    const QString& Prefix() const { return FPrefix; }
    void SetPrefix(const QString& v) { FPrefix = v; }
    const QString& Suffix() const { return FSuffix; }
    void SetSuffix(const QString& v) { FSuffix = v; }
    TFilterOperation Operation() const { return FOperation; }
    void SetOperation(TFilterOperation v) { FOperation = v; }
    TFilterMethod Method() const { return FMethod; }
    void SetMethod(TFilterMethod v) { FMethod = v; }

    // From another condition all eight properties; no source changes
    // nothing; any other source raises the assign error.
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    int FColumn = 0;
    QString FCondition;
    bool FCaseSensitive = true;
    TFilterCells FData = fcVirtual;
    QString FPrefix;
    QString FSuffix;
    TFilterOperation FOperation = foSHORT;
    TFilterMethod FMethod = fmExpression;
};

// The grid's conditions; the grid is the collection's owner.
class TFilter : public TCollection {
public:
    DECLARE_CLASSNAME(TFilter)
    explicit TFilter(TBaseGrid* AOwner);
    TPersistent* GetOwner() override;
    TBaseGrid* Grid() const { return FGrid; }

    // Appends a condition joined with foAND, or with foNONE when it is the
    // only one.
    TFilterData* Add();
    // A new condition at Index; its operation stays foSHORT.
    TFilterData* Insert(int Index) { return static_cast<TFilterData*>(TCollection::Insert(Index)); }
    TFilterData* Items(int Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
    void SetItems(int Index, TFilterData* Value) { TCollection::SetItems(Index, Value); }
    // The first condition of column Col; one is added when there is none.
    TFilterData* GetColFilter(int Col);
    bool HasFilter(int Col) const;
    // Deletes every condition of column Col, then repaints its header cell.
    void RemoveColumnFilter(int Col);

private:
    TBaseGrid* FGrid;
};

// The look and size of the filter drop-down list and the pictures of the
// filter buttons. A change of either glyph fires OnChange, which repaints
// the grid unless replaced; the other setters only store.
class TFilterDropDown : public TPersistent {
public:
    DECLARE_CLASSNAME(TFilterDropDown)
    explicit TFilterDropDown(TBaseGrid* AOwner);
    ~TFilterDropDown() override;
    TPersistent* GetOwner() override;

    // The list is sized to its entries instead of Width x Height.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    // The list as wide as the header cell and aligned with it.
    bool ColumnWidth() const { return FColumnWidth; }
    void SetColumnWidth(bool v) { FColumnWidth = v; }
    // Owned; writing copies.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    // The button of a column without (Glyph) and with (GlyphActive) a
    // condition. Owned; writing copies.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v) { FGlyph->Assign(v); }
    TBitmap* GlyphActive() const { return FGlyphActive.get(); }
    void SetGlyphActive(TBitmap* v) { FGlyphActive->Assign(v); }

    TNotifyEvent OnChange;

    // From another filter drop-down every published property (font and
    // glyphs by content), never the event; any other source raises the
    // assign error.
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    TBaseGrid* FGrid;
    bool FAutoSize = false;
    TColor FColor = clWindow;
    bool FColumnWidth = false;
    std::unique_ptr<TFont> FFont;
    int FHeight = 150;
    int FWidth = 150;
    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TBitmap> FGlyphActive;
};

// A value-list entry: a plain value, or a friendly name, "=" and a
// condition. The part before the first "=" is the name, the part after it
// the condition; a plain entry is both.
void FilterEntryParts(const QString& Entry, QString& Name, QString& Condition);

// Sender, then the chosen entry (-1 for none).
using TDropSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

// The single-choice list of the filter drop-down; the grid creates it hidden
// and empty-sized as its child and binds OnSelect. Enter or a mouse
// release hides it and fires OnSelect with the current item; losing the
// focus with the pointer outside hides it and fires OnCancel.
class TDropList : public TListBox {
public:
    DECLARE_CLASSNAME(TDropList)
    explicit TDropList(TComponent* AOwner);

    TDropSelectEvent OnSelect;
    TNotifyEvent OnCancel;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoExit() override;

private:
    void Choose();
};

// The check list of the filter drop-down: a toggled check fires OnSelect
// with -1 and the list stays open; losing the focus with the pointer
// outside hides it and fires OnCancel.
class TDropCheckList : public TCheckListBox {
public:
    DECLARE_CLASSNAME(TDropCheckList)
    explicit TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner) {}

    TDropSelectEvent OnSelect;
    TNotifyEvent OnCancel;

protected:
    void ClickCheck() override;
    void DoExit() override;
};
