#include "AdvGridFilter.h"

#include "BaseGrid.h"

// ---------------------------------------------------------------------------
// TFilterData

void TFilterData::Assign(TPersistent* Source)
{
    if (!Source) return;
    auto* src = dynamic_cast<TFilterData*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    FColumn = src->FColumn;
    FCondition = src->FCondition;
    FCaseSensitive = src->FCaseSensitive;
    FData = src->FData;
    FPrefix = src->FPrefix;
    FSuffix = src->FSuffix;
    FOperation = src->FOperation;
    FMethod = src->FMethod;
}

const TPropertyList& TFilterData::Properties()
{
    using C = TFilterData;
    static const TPropertyList list =
        TPropertyList()
            .Integer<C>("Column", &C::Column, &C::SetColumn)
            .String<C>("Condition", &C::Condition, &C::SetCondition)
            .Boolean<C>("CaseSensitive", &C::CaseSensitive, &C::SetCaseSensitive)
            .Enum<C, TFilterCells>("Data", &C::Data, &C::SetData,
                                   {"fcVirtual", "fcNormal", "fcStripHTML", "fcCalculated", "fcRow"})
            .String<C>("Prefix", &C::Prefix, &C::SetPrefix)
            .String<C>("Suffix", &C::Suffix, &C::SetSuffix)
            .Enum<C, TFilterOperation>("Operation", &C::Operation, &C::SetOperation,
                                       {"foSHORT", "foNONE", "foAND", "foXOR", "foOR"})
            .Enum<C, TFilterMethod>("Method", &C::Method, &C::SetMethod, {"fmExpression", "fmLiteral"});
    return list;
}

// ---------------------------------------------------------------------------
// TFilter

TFilter::TFilter(TBaseGrid* AOwner) : TCollection(ItemClassOf<TFilterData>()), FGrid(AOwner) {}

TPersistent* TFilter::GetOwner()
{
    return FGrid;
}

TFilterData* TFilter::Add()
{
    auto* item = static_cast<TFilterData*>(TCollection::Add());
    item->SetOperation(Count() == 1 ? foNONE : foAND);
    return item;
}

// ---------------------------------------------------------------------------
// TFilterDropDown

TFilterDropDown::TFilterDropDown(TBaseGrid* AOwner)
    : FGrid(AOwner),
      FFont(std::make_unique<TFont>()),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphActive(std::make_unique<TBitmap>())
{
    OnChange = [this](TObject*) {
        if (FGrid) FGrid->Invalidate();
    };
    const TNotifyEvent glyphChanged = [this](TObject*) {
        if (OnChange) OnChange(this);
    };
    FGlyph->OnChange = glyphChanged;
    FGlyphActive->OnChange = glyphChanged;
}

TFilterDropDown::~TFilterDropDown() = default;

TPersistent* TFilterDropDown::GetOwner()
{
    return FGrid;
}

void TFilterDropDown::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TFilterDropDown*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    FAutoSize = src->FAutoSize;
    FColor = src->FColor;
    FColumnWidth = src->FColumnWidth;
    FFont->Assign(src->FFont.get());
    FHeight = src->FHeight;
    FWidth = src->FWidth;
    FGlyph->Assign(src->FGlyph.get());
    FGlyphActive->Assign(src->FGlyphActive.get());
}

const TPropertyList& TFilterDropDown::Properties()
{
    using C = TFilterDropDown;
    static const TPropertyList list = TPropertyList()
                                          .Boolean<C>("AutoSize", &C::AutoSize, &C::SetAutoSize)
                                          .Color<C>("Color", &C::Color, &C::SetColor)
                                          .Boolean<C>("ColumnWidth", &C::ColumnWidth, &C::SetColumnWidth)
                                          .Object<C, TFont>("Font", &C::Font, &C::SetFont)
                                          .Integer<C>("Height", &C::Height, &C::SetHeight)
                                          .Integer<C>("Width", &C::Width, &C::SetWidth)
                                          .Object<C, TBitmap>("Glyph", &C::Glyph, &C::SetGlyph)
                                          .Object<C, TBitmap>("GlyphActive", &C::GlyphActive, &C::SetGlyphActive);
    return list;
}

// ---- a column's conditions ----------------------------------------------------------------------

TFilterData* TFilter::GetColFilter(int Col)
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column() == Col) return Items(i);
    TFilterData* d = Add();
    d->SetColumn(Col);
    return d;
}

bool TFilter::HasFilter(int Col) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column() == Col) return true;
    return false;
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->Column() == Col) Delete(i);
    if (FGrid) FGrid->RepaintCell(Col, 0);
}

// ---- the two drop-down lists ----------------------------------------------------------------------

namespace {

// The focus left a list: the pointer outside its client area closes it
// (a release on the list itself chooses instead).
bool FilterListPointerOutside(TWinControl* List)
{
    return !List->ClientRect().Contains(List->ScreenToClient(MouseCursorPos()));
}

}  // namespace

TDropList::TDropList(TComponent* AOwner) : TListBox(AOwner)
{
    // Enter chooses; it is not the form's default button.
    SetWantKeys(WantKeys() | DLGC_WANTALLKEYS);
}

void TDropList::Choose()
{
    SetVisible(false);
    if (OnSelect) OnSelect(this, ItemIndex());
}

void TDropList::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN) {
        Key = 0;
        Choose();
        return;
    }
    TListBox::KeyDown(Key, Shift);
}

void TDropList::KeyPress(QChar& Key)
{
    if (Key == QChar(13)) {
        Key = QChar();
        return;
    }
    TListBox::KeyPress(Key);
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TListBox::MouseUp(Button, Shift, X, Y);
    Choose();
}

void TDropList::DoExit()
{
    TListBox::DoExit();
    if (Visible() && FilterListPointerOutside(this)) {
        SetVisible(false);
        if (OnCancel) OnCancel(this);
    }
}

void TDropCheckList::ClickCheck()
{
    TCheckListBox::ClickCheck();
    if (OnSelect) OnSelect(this, -1);
}

void TDropCheckList::DoExit()
{
    TCheckListBox::DoExit();
    if (Visible() && FilterListPointerOutside(this)) {
        SetVisible(false);
        if (OnCancel) OnCancel(this);
    }
}

void FilterEntryParts(const QString& Entry, QString& Name, QString& Condition)
{
    const qsizetype eq = Entry.indexOf(QLatin1Char('='));
    Name = eq < 0 ? Entry : Entry.left(eq);
    Condition = eq < 0 ? Entry : Entry.mid(eq + 1);
}
