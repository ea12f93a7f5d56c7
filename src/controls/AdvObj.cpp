#include "AdvObj.h"

#include "SysFormat.h"

#include <QStringList>
#include <algorithm>

namespace {

const char* const SListIndexError = "List index out of bounds (%1)";
const char* const SNotAnInteger = "'%1' is not a valid integer value";

constexpr uint32_t DescendingBit = 0x80000000u;
constexpr uint32_t ColumnMask = 0x7FFFFFFFu;

}  // namespace

// ---------------------------------------------------------------------------
// TIntList

void TIntList::Changed()
{
    if (OnChange) OnChange(this, FCol, FRow);
}

void TIntList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QString::fromLatin1(SListIndexError).arg(Index));
}

void TIntList::Add(int Value)
{
    FList.push_back(Value);
    Changed();
}

void TIntList::Delete(int Index)
{
    CheckIndex(Index);
    FList.erase(FList.begin() + Index);
    Changed();
}

void TIntList::SetInteger(int Index, int Value)
{
    CheckIndex(Index);
    FList[size_t(Index)] = Value;
    Changed();
}

void TIntList::DeleteValue(int Value)
{
    const auto it = std::find(FList.begin(), FList.end(), Value);
    if (it != FList.end()) Delete(int(it - FList.begin()));
}

void TIntList::Insert(int Index, int Value)
{
    if (Index < 0 || Index > Count())
        throw EListError(QString::fromLatin1(SListIndexError).arg(Index));
    FList.insert(FList.begin() + Index, Value);
}

void TIntList::Sort(const std::function<int(int, int)>& Compare)
{
    std::stable_sort(FList.begin(), FList.end(), [&](int a, int b) { return Compare(a, b) < 0; });
}

int TIntList::GetInteger(int Index) const
{
    CheckIndex(Index);
    return FList[size_t(Index)];
}

bool TIntList::HasValue(int Value) const
{
    return std::find(FList.begin(), FList.end(), Value) != FList.end();
}

QString TIntList::StrValue() const
{
    QStringList parts;
    for (int v : FList) parts << QString::number(v);
    return parts.join(QLatin1Char(','));
}

void TIntList::SetStrValue(const QString& Value)
{
    Clear();
    TStringList items;
    items.SetCommaText(Value);
    for (int i = 0; i < items.Count(); ++i) {
        int v = 0;
        if (!TryStrToInt(items[i], v))
            throw EConvertError(QString::fromLatin1(SNotAnInteger).arg(items[i]));
        Add(v);
    }
}

// ---------------------------------------------------------------------------
// TSortIndexList

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending)
{
    uint32_t v = uint32_t(ColumnIndex);
    if (!Ascending) v |= DescendingBit;
    Add(int32_t(v));
}

int TSortIndexList::FindIndex(int ColumnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if ((uint32_t(GetInteger(i)) & ColumnMask) == uint32_t(ColumnIndex)) return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex)
{
    const int i = FindIndex(ColumnIndex);
    if (i >= 0) SetInteger(i, int32_t(uint32_t(GetInteger(i)) ^ DescendingBit));
}

int TSortIndexList::SortColumns(int i) const
{
    return int(uint32_t(GetInteger(i)) & ColumnMask);
}

void TSortIndexList::SetSortColumns(int i, int Value)
{
    const uint32_t dir = uint32_t(GetInteger(i)) & DescendingBit;
    SetInteger(i, int32_t(dir | (uint32_t(Value) & ColumnMask)));
}

bool TSortIndexList::SortDirections(int i) const
{
    return (uint32_t(GetInteger(i)) & DescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(int i, bool Value)
{
    uint32_t v = uint32_t(GetInteger(i));
    v = Value ? (v & ColumnMask) : (v | DescendingBit);
    SetInteger(i, int32_t(v));
}

QString TSortIndexList::SaveToString() const
{
    QStringList parts;
    for (int i = 0; i < Count(); ++i) {
        const uint32_t v = uint32_t(GetInteger(i));
        const QChar dir = (v & DescendingBit) ? QLatin1Char('d') : QLatin1Char('u');
        parts << dir + QString::number(v & 0xFFFFu);
    }
    return parts.join(QLatin1Char(';'));
}

// Pieces at ";"; a piece shorter than 2 characters is skipped. A lower-case
// "u" first is ascending, anything else descending. The number is read as
// far as it goes (the lenient reader's prefix mode); a negative number is
// skipped, because it would turn into a huge column with the direction bit.
void TSortIndexList::LoadFromString(const QString& S)
{
    Clear();
    const QStringList pieces = S.split(QLatin1Char(';'));
    for (const QString& piece : pieces) {
        if (piece.size() < 2) continue;
        int column = 0;
        ValInt(piece.mid(1), column);
        if (column < 0) continue;
        AddIndex(column, piece[0] == QLatin1Char('u'));
    }
}

// ---------------------------------------------------------------------------
// TControlList

TControlList::~TControlList() = default;

void TControlList::AddControl(int X, int Y, TControl* AObject)
{
    FItems.push_back(std::make_unique<TControlItem>(X, Y, AObject));
}

int TControlList::ControlIndex(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)]->X() == X && FItems[size_t(i)]->Y() == Y) return i;
    return -1;
}

TControlItem* TControlList::GetControl(int i) const
{
    if (i < 0 || i >= Count()) throw EListError(QString::fromLatin1(SListIndexError).arg(i));
    return FItems[size_t(i)].get();
}

bool TControlList::HasHandle(const QWidget* Handle) const
{
    if (!Handle) return false;
    for (const auto& item : FItems) {
        TControl* c = item->Control();
        if (c && dynamic_cast<TWinControl*>(c) && c->Widget() == Handle) return true;
    }
    return false;
}

void TControlList::RemoveControl(int i)
{
    GetControl(i);
    FItems.erase(FItems.begin() + i);
}

// ---------------------------------------------------------------------------
// TFileStringList

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

void TFileStringList::ReadLn(QString& s)
{
    s = Strings(fp);
    ++fp;
}

void TFileStringList::WriteLn(const QString& s)
{
    Add(cache + s);
    cache.clear();
}

// ---------------------------------------------------------------------------
// TFilePicture

void TFilePicture::SetFilename(const QString& Value)
{
    FFilename = Value;
    TPicture pic;
    pic.LoadFromFile(Value);
    FWidth = pic.Width();
    FHeight = pic.Height();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& r)
{
    if (FFilename.isEmpty() || !Canvas) return;
    try {
        TPicture pic;
        pic.LoadFromFile(FFilename);
        if (pic.Graphic()) Canvas->StretchDraw(r, pic.Graphic());
    } catch (const std::exception&) {
        // A picture that cannot be read any more is simply not drawn.
    }
}

void TFilePicture::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TFilePicture*>(Source)) {
        FFilename = src->FFilename;
        FWidth = src->FWidth;
        FHeight = src->FHeight;
        return;
    }
    TPersistent::Assign(Source);
}

const TPropertyList& TFilePicture::Properties()
{
    static const TPropertyList list = TPropertyList()
        .String<TFilePicture>("Filename", &TFilePicture::Filename, &TFilePicture::SetFilename)
        .Integer<TFilePicture>("Width", &TFilePicture::Width, nullptr)
        .Integer<TFilePicture>("Height", &TFilePicture::Height, nullptr);
    return list;
}

// ---------------------------------------------------------------------------
// Settings objects

namespace {

void Notify(const TNotifyEvent& e, TObject* Sender)
{
    if (e) e(Sender);
}

// Stores v and tells; with OnlyOnChange nothing happens for the same value.
template <class T>
void StoreNotify(T& Field, const T& v, const TNotifyEvent& e, TObject* Sender, bool OnlyOnChange)
{
    if (OnlyOnChange && Field == v) return;
    Field = v;
    Notify(e, Sender);
}

}  // namespace

#define ADVOBJ_REGISTER_BOOL(Class, Name) .Boolean<Class>(#Name, &Class::Name, &Class::Set##Name)

// ---- TSearchFooter

TSearchFooter::TSearchFooter(TPersistent* AOwner, bool InitDesign)
    : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    if (InitDesign) {
        FFindNextCaption = QStringLiteral("Find &next");
        FFindPrevCaption = QStringLiteral("Find &previous");
        FHighLightCaption = QStringLiteral("Highlight");
        FHintClose = QStringLiteral("Close");
        FHintFindNext = QStringLiteral("Find next occurrence");
        FHintFindPrev = QStringLiteral("Find previous occurrence");
        FHintHighlight = QStringLiteral("Highlight occurrences");
        FMatchCaseCaption = QStringLiteral("Match case");
    }
}

TSearchFooter::~TSearchFooter() = default;

void TSearchFooter::Changed() { Notify(OnChange, this); }

void TSearchFooter::SetColor(TColor v) { StoreNotify(FColor, v, OnChange, this, false); }
void TSearchFooter::SetColorTo(TColor v) { StoreNotify(FColorTo, v, OnChange, this, false); }
void TSearchFooter::SetFindNextCaption(const QString& v) { StoreNotify(FFindNextCaption, v, OnChange, this, false); }
void TSearchFooter::SetFindPrevCaption(const QString& v) { StoreNotify(FFindPrevCaption, v, OnChange, this, false); }
void TSearchFooter::SetHighLightCaption(const QString& v) { StoreNotify(FHighLightCaption, v, OnChange, this, false); }
void TSearchFooter::SetHintClose(const QString& v) { StoreNotify(FHintClose, v, OnChange, this, false); }
void TSearchFooter::SetHintFindNext(const QString& v) { StoreNotify(FHintFindNext, v, OnChange, this, false); }
void TSearchFooter::SetHintFindPrev(const QString& v) { StoreNotify(FHintFindPrev, v, OnChange, this, false); }
void TSearchFooter::SetHintHighlight(const QString& v) { StoreNotify(FHintHighlight, v, OnChange, this, false); }
void TSearchFooter::SetMatchCaseCaption(const QString& v) { StoreNotify(FMatchCaseCaption, v, OnChange, this, false); }
void TSearchFooter::SetShowClose(bool v) { StoreNotify(FShowClose, v, OnChange, this, false); }
void TSearchFooter::SetAutoThemeAdapt(bool v) { StoreNotify(FAutoThemeAdapt, v, OnChange, this, false); }
void TSearchFooter::SetShowFindNext(bool v) { StoreNotify(FShowFindNext, v, OnChange, this, true); }
void TSearchFooter::SetShowFindPrev(bool v) { StoreNotify(FShowFindPrev, v, OnChange, this, true); }
void TSearchFooter::SetShowHighLight(bool v) { StoreNotify(FShowHighLight, v, OnChange, this, true); }
void TSearchFooter::SetShowMatchCase(bool v) { StoreNotify(FShowMatchCase, v, OnChange, this, true); }
void TSearchFooter::SetVisible(bool v) { StoreNotify(FVisible, v, OnChange, this, true); }

void TSearchFooter::SetFont(TFont* v)
{
    FFont->Assign(v);
    Changed();
}

void TSearchFooter::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TSearchFooter*>(Source);
    if (!src) return;
    FAlwaysHighLight = src->FAlwaysHighLight;
    FColor = src->FColor;
    FColorTo = src->FColorTo;
    FFindNextCaption = src->FFindNextCaption;
    FFindPrevCaption = src->FFindPrevCaption;
    FFont->Assign(src->FFont.get());
    FHighLightCaption = src->FHighLightCaption;
    FHintClose = src->FHintClose;
    FHintFindNext = src->FHintFindNext;
    FHintFindPrev = src->FHintFindPrev;
    FHintHighlight = src->FHintHighlight;
    FMatchCaseCaption = src->FMatchCaseCaption;
    FSearchActiveColumnOnly = src->FSearchActiveColumnOnly;
    FSearchColumn = src->FSearchColumn;
    FSearchMatchStart = src->FSearchMatchStart;
    FSearchHiddenRows = src->FSearchHiddenRows;
    FSearchDirection = src->FSearchDirection;
    FShowClose = src->FShowClose;
    FShowFindNext = src->FShowFindNext;
    FShowFindPrev = src->FShowFindPrev;
    FShowHighLight = src->FShowHighLight;
    FShowMatchCase = src->FShowMatchCase;
    FVisible = src->FVisible;
}

const TPropertyList& TSearchFooter::Properties()
{
    using C = TSearchFooter;
    static const TPropertyList list = TPropertyList()
        ADVOBJ_REGISTER_BOOL(C, AlwaysHighLight)
        ADVOBJ_REGISTER_BOOL(C, AutoSearch)
        .Color<C>("Color", &C::Color, &C::SetColor)
        .Color<C>("ColorTo", &C::ColorTo, &C::SetColorTo)
        .String<C>("FindNextCaption", &C::FindNextCaption, &C::SetFindNextCaption)
        .String<C>("FindPrevCaption", &C::FindPrevCaption, &C::SetFindPrevCaption)
        .Object<C, TFont>("Font", &C::Font, &C::SetFont)
        .String<C>("HighLightCaption", &C::HighLightCaption, &C::SetHighLightCaption)
        .String<C>("HintClose", &C::HintClose, &C::SetHintClose)
        .String<C>("HintFindNext", &C::HintFindNext, &C::SetHintFindNext)
        .String<C>("HintFindPrev", &C::HintFindPrev, &C::SetHintFindPrev)
        .String<C>("HintHighlight", &C::HintHighlight, &C::SetHintHighlight)
        .String<C>("MatchCaseCaption", &C::MatchCaseCaption, &C::SetMatchCaseCaption)
        ADVOBJ_REGISTER_BOOL(C, SearchActiveColumnOnly)
        .Integer<C>("SearchColumn", &C::SearchColumn, &C::SetSearchColumn)
        ADVOBJ_REGISTER_BOOL(C, SearchMatchStart)
        ADVOBJ_REGISTER_BOOL(C, SearchFixedCells)
        ADVOBJ_REGISTER_BOOL(C, SearchHiddenRows)
        .Enum<C, TSearchDirection>("SearchDirection", &C::SearchDirection, &C::SetSearchDirection,
                                   {"sdTopBottom", "sdLeftRight"})
        ADVOBJ_REGISTER_BOOL(C, ShowClose)
        ADVOBJ_REGISTER_BOOL(C, ShowFindNext)
        ADVOBJ_REGISTER_BOOL(C, ShowFindPrev)
        ADVOBJ_REGISTER_BOOL(C, ShowHighLight)
        ADVOBJ_REGISTER_BOOL(C, ShowMatchCase)
        ADVOBJ_REGISTER_BOOL(C, Visible);
    return list;
}

// ---- TNavigation

void TNavigation::SetAdvanceAuto(bool v)
{
    if (v == FAdvanceAuto) return;
    FAdvanceAuto = v;
    if (v) FAdvanceOnEnter = true;
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection v) { StoreNotify(FAdvanceDirection, v, OnChange, this, true); }
void TNavigation::SetAdvanceInsert(bool v) { StoreNotify(FAdvanceInsert, v, OnChange, this, true); }

void TNavigation::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TNavigation*>(Source);
    if (!src) return;
#define ADVOBJ_COPY(Name, Default) F##Name = src->F##Name;
    ADVOBJ_NAVIGATION_BOOLS(ADVOBJ_COPY)
#undef ADVOBJ_COPY
    FTabAdvanceDirection = src->FTabAdvanceDirection;
    FInsertPosition = src->FInsertPosition;
    FClipboardPasteAction = src->FClipboardPasteAction;
    FCursorAdvance = src->FCursorAdvance;
    FHomeEndKey = src->FHomeEndKey;
    FAdvanceAuto = src->FAdvanceAuto;
    FAdvanceDirection = src->FAdvanceDirection;
    FAdvanceInsert = src->FAdvanceInsert;
}

const TPropertyList& TNavigation::Properties()
{
    using C = TNavigation;
    const QStringList directions = {"adLeftRight", "adTopBottom", "adLeftRightInRow", "adTopBottomInCol"};
#define ADVOBJ_REG(Name, Default) ADVOBJ_REGISTER_BOOL(C, Name)
    static const TPropertyList list = TPropertyList()
        ADVOBJ_NAVIGATION_BOOLS(ADVOBJ_REG)
        ADVOBJ_REGISTER_BOOL(C, KeepScrollOnSort)
        ADVOBJ_REGISTER_BOOL(C, AdvanceAuto)
        ADVOBJ_REGISTER_BOOL(C, AdvanceInsert)
        .Enum<C, TAdvanceDirection>("AdvanceDirection", &C::AdvanceDirection, &C::SetAdvanceDirection, directions)
        .Enum<C, TAdvanceDirection>("TabAdvanceDirection", &C::TabAdvanceDirection, &C::SetTabAdvanceDirection,
                                    directions)
        .Enum<C, TInsertPosition>("InsertPosition", &C::InsertPosition, &C::SetInsertPosition,
                                  {"pInsertBefore", "pInsertAfter"})
        .Enum<C, TClipboardPasteAction>("ClipboardPasteAction", &C::ClipboardPasteAction,
                                        &C::SetClipboardPasteAction, {"paReplace", "paInsert"})
        .Enum<C, TCursorAdvance>("CursorAdvance", &C::CursorAdvance, &C::SetCursorAdvance,
                                 {"caDefault", "caSnake", "caLoop"})
        .Enum<C, THomeEndAction>("HomeEndKey", &C::HomeEndKey, &C::SetHomeEndKey,
                                 {"heFirstLastColumn", "heFirstLastRow", "heFirstLastCell"});
#undef ADVOBJ_REG
    return list;
}

// ---- TMouseActions

TMouseActions::TMouseActions(TPersistent* AOwner)
    : FOwner(AOwner), FFixedComboValues(std::make_unique<TStringList>())
{
}

TMouseActions::~TMouseActions() = default;

bool TMouseActions::IsDesigning()
{
    bool designing = false;
    if (OnIsDesigning) OnIsDesigning(this, designing);
    return designing;
}

void TMouseActions::SetDisjunctRowSelect(bool v)
{
    FDisjunctRowSelect = v;
    if (v && IsDesigning()) FDisjunctColSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctColSelect(bool v)
{
    FDisjunctColSelect = v;
    if (v && IsDesigning()) FDisjunctRowSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctCellSelect(bool v)
{
    FDisjunctCellSelect = v;
    if (v && IsDesigning()) FDisjunctRowSelect = FDisjunctColSelect = false;
}

void TMouseActions::SetHotmailRowSelect(bool v)
{
    FHotmailRowSelect = v;
    if (v) FDisjunctRowSelect = FCheckAllCheck = true;
    Notify(OnInvalidate, this);
}

void TMouseActions::SetEditOnDblClickOnly(bool v)
{
    FEditOnDblClickOnly = v;
    if (v) Notify(OnDisableEdit, this);
}

void TMouseActions::SetWheelAction(TWheelAction v) { StoreNotify(FWheelAction, v, OnChange, this, true); }

void TMouseActions::SetFixedComboValues(TStrings* v)
{
    FFixedComboValues->Assign(v);
}

void TMouseActions::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TMouseActions*>(Source);
    if (!src) return;
#define ADVOBJ_COPY(Name, Default) F##Name = src->F##Name;
    ADVOBJ_MOUSEACTIONS_BOOLS(ADVOBJ_COPY)
#undef ADVOBJ_COPY
    FFixedRowsEdit = src->FFixedRowsEdit;
    FFixedColsEdit = src->FFixedColsEdit;
    FFixedRowsEditor = src->FFixedRowsEditor;
    FFixedColsEditor = src->FFixedColsEditor;
    FWheelIncrement = src->FWheelIncrement;
    FDisjunctRowSelect = src->FDisjunctRowSelect;
    FDisjunctColSelect = src->FDisjunctColSelect;
    FDisjunctCellSelect = src->FDisjunctCellSelect;
    FWheelAction = src->FWheelAction;
}

const TPropertyList& TMouseActions::Properties()
{
    using C = TMouseActions;
    const QStringList cellEdit = {"fceNone", "fceDblClick", "fceLeftClick", "fceRightClick"};
    const QStringList cellEditor = {"fceEdit", "fceComboEdit", "fceComboList"};
#define ADVOBJ_REG(Name, Default) ADVOBJ_REGISTER_BOOL(C, Name)
    static const TPropertyList list = TPropertyList()
        ADVOBJ_MOUSEACTIONS_BOOLS(ADVOBJ_REG)
        ADVOBJ_REGISTER_BOOL(C, SizeFixedRow)
        ADVOBJ_REGISTER_BOOL(C, DisjunctRowSelect)
        ADVOBJ_REGISTER_BOOL(C, DisjunctColSelect)
        ADVOBJ_REGISTER_BOOL(C, DisjunctCellSelect)
        ADVOBJ_REGISTER_BOOL(C, EditOnDblClickOnly)
        ADVOBJ_REGISTER_BOOL(C, HotmailRowSelect)
        .Enum<C, TGridFixedCellEdit>("FixedRowsEdit", &C::FixedRowsEdit, &C::SetFixedRowsEdit, cellEdit)
        .Enum<C, TGridFixedCellEdit>("FixedColsEdit", &C::FixedColsEdit, &C::SetFixedColsEdit, cellEdit)
        .Enum<C, TGridFixedCellEditor>("FixedRowsEditor", &C::FixedRowsEditor, &C::SetFixedRowsEditor, cellEditor)
        .Enum<C, TGridFixedCellEditor>("FixedColsEditor", &C::FixedColsEditor, &C::SetFixedColsEditor, cellEditor)
        .Object<C, TStrings>("FixedComboValues", &C::FixedComboValues, &C::SetFixedComboValues)
        .Integer<C>("WheelIncrement", &C::WheelIncrement, &C::SetWheelIncrement)
        .Enum<C, TWheelAction>("WheelAction", &C::WheelAction, &C::SetWheelAction, {"waMoveSelection", "waScroll"});
#undef ADVOBJ_REG
    return list;
}

// ---- TSyncGrid

void TSyncGrid::SetGrid(TComponent* v)
{
    if (v && v == FOwner) return;
    FGrid = v;
}

void TSyncGrid::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TSyncGrid*>(Source);
    if (!src) return;
    SetGrid(src->Grid());
#define ADVOBJ_COPY(Name, Default) F##Name = src->F##Name;
    ADVOBJ_SYNCGRID_BOOLS(ADVOBJ_COPY)
#undef ADVOBJ_COPY
}

const TPropertyList& TSyncGrid::Properties()
{
    using C = TSyncGrid;
#define ADVOBJ_REG(Name, Default) ADVOBJ_REGISTER_BOOL(C, Name)
    static const TPropertyList list = TPropertyList()
        .Object<C, TComponent>("Grid", &C::Grid, &C::SetGrid)
        ADVOBJ_SYNCGRID_BOOLS(ADVOBJ_REG);
#undef ADVOBJ_REG
    return list;
}

// ---- TBands

void TBands::ChangedWhileActive()
{
    if (FActive) Notify(OnChange, this);
}

void TBands::SetActive(bool v) { StoreNotify(FActive, v, OnChange, this, true); }

void TBands::SetPrimaryColor(TColor v)
{
    if (v == FPrimaryColor) return;
    FPrimaryColor = v;
    ChangedWhileActive();
}

void TBands::SetSecondaryColor(TColor v)
{
    if (v == FSecondaryColor) return;
    FSecondaryColor = v;
    ChangedWhileActive();
}

void TBands::SetPrimaryLength(int v)
{
    if (v == FPrimaryLength) return;
    FPrimaryLength = v;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    ChangedWhileActive();
}

void TBands::SetSecondaryLength(int v)
{
    if (v == FSecondaryLength) return;
    FSecondaryLength = v;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    ChangedWhileActive();
}

void TBands::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TBands*>(Source);
    if (!src) return;
    FActive = src->FActive;
    FPrimaryColor = src->FPrimaryColor;
    FSecondaryColor = src->FSecondaryColor;
    FPrimaryLength = src->FPrimaryLength;
    FSecondaryLength = src->FSecondaryLength;
    FPrint = src->FPrint;
    FTotalLength = FPrimaryLength + FSecondaryLength;
}

const TPropertyList& TBands::Properties()
{
    using C = TBands;
    static const TPropertyList list = TPropertyList()
        ADVOBJ_REGISTER_BOOL(C, Active)
        .Color<C>("PrimaryColor", &C::PrimaryColor, &C::SetPrimaryColor)
        .Integer<C>("PrimaryLength", &C::PrimaryLength, &C::SetPrimaryLength)
        .Color<C>("SecondaryColor", &C::SecondaryColor, &C::SetSecondaryColor)
        .Integer<C>("SecondaryLength", &C::SecondaryLength, &C::SetSecondaryLength)
        ADVOBJ_REGISTER_BOOL(C, Print);
    return list;
}

// ---- TFocusHelper

void TFocusHelper::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TFocusHelper*>(Source)) FEnabled = src->FEnabled;
}

const TPropertyList& TFocusHelper::Properties()
{
    static const TPropertyList list = TPropertyList() ADVOBJ_REGISTER_BOOL(TFocusHelper, Enabled);
    return list;
}
