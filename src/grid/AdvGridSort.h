#pragma once
// The string grid's sort settings: the sort column and direction, how texts
// compare, where empty cells go, tie-breaking and the look of the sorted
// header; and the enumerations of sorting that the grid's look and column
// items read before any sort runs.

#include "AdvObj.h"
#include "Graphics.h"
#include "Persistence.h"

#include <memory>

class TBaseGrid;

enum TSortDirection { sdAscending, sdDescending };
// blFirst: empty texts at the top, blLast: at the bottom, in both directions.
enum TSortBlankPosition { blFirst, blLast };
// The key that adds a clicked column to the sort index list.
enum TIndexSortKey { ikShift, ikCtrl };
enum TSortStyle {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox,
    ssDateTime, ssTime, ssAlphaNumeric, ssAlphaNumericNoCase
};

// Created by its grid and freed with it. Setters only store, except Show
// (a change repaints the grid), the four header colours (a change repaints
// the last fixed row) and the glyphs (writing copies the bitmap).
class TSortSettings : public TPersistent {
public:
    DECLARE_CLASSNAME(TSortSettings)
    explicit TSortSettings(TBaseGrid* AOwner);
    ~TSortSettings() override;
    TPersistent* GetOwner() override;
    TBaseGrid* Grid() const { return FGrid; }

    // A negative column: the grid is not sorted.
    ADVOBJ_PLAIN_PROPERTY(int, Column, -1)
    ADVOBJ_PLAIN_PROPERTY(TSortDirection, Direction, sdAscending)
    ADVOBJ_PLAIN_PROPERTY(TSortDirection, InitSortDirection, sdAscending)
    ADVOBJ_PLAIN_BOOL(Full, true)
    ADVOBJ_PLAIN_BOOL(AutoFormat, true)
    ADVOBJ_PLAIN_BOOL(IgnoreCase, false)
    ADVOBJ_PLAIN_BOOL(IgnoreBlanks, false)
    ADVOBJ_PLAIN_PROPERTY(TSortBlankPosition, BlankPos, blFirst)
    ADVOBJ_PLAIN_BOOL(SingleColumn, false)
    ADVOBJ_PLAIN_BOOL(NormalCellsOnly, false)
    ADVOBJ_PLAIN_BOOL(FixedCols, false)
    ADVOBJ_PLAIN_BOOL(IndexShow, false)
    ADVOBJ_PLAIN_PROPERTY(TIndexSortKey, IndexSortKey, ikShift)
    ADVOBJ_PLAIN_PROPERTY(TColor, IndexColor, clYellow)
    ADVOBJ_PLAIN_BOOL(UndoSort, false)
    ADVOBJ_PLAIN_BOOL(AutoSortForGrouping, true)
    ADVOBJ_PLAIN_BOOL(AutoColumnMerge, false)
    ADVOBJ_PLAIN_BOOL(SortOnVirtualCells, true)

public:
    // The fixed row whose cells are the sort headers; a row that is not a
    // fixed row of the grid is refused.
    int Row() const { return FRow; }
    void SetRow(int v);
    // "u3" / "d5" (direction and column), or "i;" and the index list.
    QString SaveToString() const;
    // The form SaveToString writes; sorts the grid accordingly.
    void LoadFromString(const QString& Value);
    // The grid no longer counts as sorted.
    void Remove();
    void ToggleDirection() { FDirection = FDirection == sdAscending ? sdDescending : sdAscending; }

    bool Show() const { return FShow; }
    void SetShow(bool v);

    // Owned direction marks; writing copies the given bitmap.
    TBitmap* UpGlyph() const { return FUpGlyph.get(); }
    void SetUpGlyph(TBitmap* v) { FUpGlyph->Assign(v); }
    TBitmap* DownGlyph() const { return FDownGlyph.get(); }
    void SetDownGlyph(TBitmap* v) { FDownGlyph->Assign(v); }
    TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
    void SetIndexUpGlyph(TBitmap* v) { FIndexUpGlyph->Assign(v); }
    TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
    void SetIndexDownGlyph(TBitmap* v) { FIndexDownGlyph->Assign(v); }

    // The sorted column's header gradient.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor v) { StoreHeaderColor(FHeaderColor, v); }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor v) { StoreHeaderColor(FHeaderColorTo, v); }
    TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
    void SetHeaderMirrorColor(TColor v) { StoreHeaderColor(FHeaderMirrorColor, v); }
    TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
    void SetHeaderMirrorColorTo(TColor v) { StoreHeaderColor(FHeaderMirrorColorTo, v); }

    // From another sort settings object every published property (the
    // glyphs by their pictures); any other source changes nothing.
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    void StoreHeaderColor(TColor& Field, TColor v);

    TBaseGrid* FGrid;
    int FRow = 0;
    bool FShow = false;
    std::unique_ptr<TBitmap> FUpGlyph;
    std::unique_ptr<TBitmap> FDownGlyph;
    std::unique_ptr<TBitmap> FIndexUpGlyph;
    std::unique_ptr<TBitmap> FIndexDownGlyph;
    TColor FHeaderColor = clNone;
    TColor FHeaderColorTo = clNone;
    TColor FHeaderMirrorColor = clNone;
    TColor FHeaderMirrorColorTo = clNone;
};
