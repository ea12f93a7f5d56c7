#include "AdvGridSort.h"

#include "BaseGrid.h"

TSortSettings::TSortSettings(TBaseGrid* AOwner)
    : FGrid(AOwner),
      FUpGlyph(std::make_unique<TBitmap>()),
      FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()),
      FIndexDownGlyph(std::make_unique<TBitmap>())
{
}

TSortSettings::~TSortSettings() = default;

TPersistent* TSortSettings::GetOwner()
{
    return FGrid;
}

void TSortSettings::SetShow(bool v)
{
    if (v == FShow) return;
    FShow = v;
    if (FGrid) FGrid->Invalidate();
}

void TSortSettings::StoreHeaderColor(TColor& Field, TColor v)
{
    if (v == Field) return;
    Field = v;
    if (FGrid && FGrid->FixedRows() > 0) FGrid->InvalidateRow(FGrid->FixedRows() - 1);
}

void TSortSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TSortSettings*>(Source);
    if (!src) return;
    FColumn = src->FColumn;
    FRow = src->FRow;
    FShow = src->FShow;
    FDirection = src->FDirection;
    FInitSortDirection = src->FInitSortDirection;
    FFull = src->FFull;
    FAutoFormat = src->FAutoFormat;
    FIgnoreCase = src->FIgnoreCase;
    FIgnoreBlanks = src->FIgnoreBlanks;
    FBlankPos = src->FBlankPos;
    FSingleColumn = src->FSingleColumn;
    FNormalCellsOnly = src->FNormalCellsOnly;
    FFixedCols = src->FFixedCols;
    FIndexShow = src->FIndexShow;
    FIndexSortKey = src->FIndexSortKey;
    FIndexColor = src->FIndexColor;
    FUndoSort = src->FUndoSort;
    FAutoSortForGrouping = src->FAutoSortForGrouping;
    FAutoColumnMerge = src->FAutoColumnMerge;
    FSortOnVirtualCells = src->FSortOnVirtualCells;
    FUpGlyph->Assign(src->FUpGlyph.get());
    FDownGlyph->Assign(src->FDownGlyph.get());
    FIndexUpGlyph->Assign(src->FIndexUpGlyph.get());
    FIndexDownGlyph->Assign(src->FIndexDownGlyph.get());
    FHeaderColor = src->FHeaderColor;
    FHeaderColorTo = src->FHeaderColorTo;
    FHeaderMirrorColor = src->FHeaderMirrorColor;
    FHeaderMirrorColorTo = src->FHeaderMirrorColorTo;
}

const TPropertyList& TSortSettings::Properties()
{
    using C = TSortSettings;
    const QStringList directions = {"sdAscending", "sdDescending"};
    static const TPropertyList list =
        TPropertyList()
            .Integer<C>("Column", &C::Column, &C::SetColumn)
            .Integer<C>("Row", &C::Row, &C::SetRow)
            .Boolean<C>("Show", &C::Show, &C::SetShow)
            .Enum<C, TSortDirection>("Direction", &C::Direction, &C::SetDirection, directions)
            .Enum<C, TSortDirection>("InitSortDirection", &C::InitSortDirection, &C::SetInitSortDirection,
                                     directions)
            .Boolean<C>("Full", &C::Full, &C::SetFull)
            .Boolean<C>("AutoFormat", &C::AutoFormat, &C::SetAutoFormat)
            .Boolean<C>("IgnoreCase", &C::IgnoreCase, &C::SetIgnoreCase)
            .Boolean<C>("IgnoreBlanks", &C::IgnoreBlanks, &C::SetIgnoreBlanks)
            .Enum<C, TSortBlankPosition>("BlankPos", &C::BlankPos, &C::SetBlankPos, {"blFirst", "blLast"})
            .Boolean<C>("SingleColumn", &C::SingleColumn, &C::SetSingleColumn)
            .Boolean<C>("NormalCellsOnly", &C::NormalCellsOnly, &C::SetNormalCellsOnly)
            .Boolean<C>("FixedCols", &C::FixedCols, &C::SetFixedCols)
            .Boolean<C>("IndexShow", &C::IndexShow, &C::SetIndexShow)
            .Enum<C, TIndexSortKey>("IndexSortKey", &C::IndexSortKey, &C::SetIndexSortKey, {"ikShift", "ikCtrl"})
            .Color<C>("IndexColor", &C::IndexColor, &C::SetIndexColor)
            .Boolean<C>("UndoSort", &C::UndoSort, &C::SetUndoSort)
            .Boolean<C>("AutoSortForGrouping", &C::AutoSortForGrouping, &C::SetAutoSortForGrouping)
            .Boolean<C>("AutoColumnMerge", &C::AutoColumnMerge, &C::SetAutoColumnMerge)
            .Boolean<C>("SortOnVirtualCells", &C::SortOnVirtualCells, &C::SetSortOnVirtualCells)
            .Object<C, TBitmap>("UpGlyph", &C::UpGlyph, &C::SetUpGlyph)
            .Object<C, TBitmap>("DownGlyph", &C::DownGlyph, &C::SetDownGlyph)
            .Object<C, TBitmap>("IndexUpGlyph", &C::IndexUpGlyph, &C::SetIndexUpGlyph)
            .Object<C, TBitmap>("IndexDownGlyph", &C::IndexDownGlyph, &C::SetIndexDownGlyph)
            .Color<C>("HeaderColor", &C::HeaderColor, &C::SetHeaderColor)
            .Color<C>("HeaderColorTo", &C::HeaderColorTo, &C::SetHeaderColorTo)
            .Color<C>("HeaderMirrorColor", &C::HeaderMirrorColor, &C::SetHeaderMirrorColor)
            .Color<C>("HeaderMirrorColorTo", &C::HeaderMirrorColorTo, &C::SetHeaderMirrorColorTo);
    return list;
}
