// The column grid: its items, their collection, keeping items and columns
// in step, headers, widths and the order of the columns.

#include "AdvCGrid.h"

#include "Menus.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// TGridColumnItem

TGridColumnItem::TGridColumnItem(TCollection* Collection) : TCollectionItem(Collection)
{
    FFont = std::make_unique<TFont>();
    FPrintFont = std::make_unique<TFont>();
    FHeaderFont = std::make_unique<TFont>();
    FComboItems = std::make_unique<TStringList>();
    FFilter = std::make_unique<TStringList>();
    FBorderPen = std::make_unique<TPen>();
    FBorderPen->SetColor(clSilver);
    FPrintBorderPen = std::make_unique<TPen>();
    FPrintBorderPen->SetColor(clBlack);
    TAdvColumnGrid* grid = Grid();
    if (!grid) return;
    // Only an item of a grid takes the grid's look and reports changes.
    FFont->Assign(grid->Font());
    FPrintFont->Assign(grid->Font());
    FHeaderFont->Assign(grid->Font());
    FColor = grid->Color();
    FFont->OnChange = [this](TObject* s) { FontChanged(s); };
    FHeaderFont->OnChange = [this](TObject* s) { FontChanged(s); };
    FBorderPen->OnChange = [this](TObject* s) { PenChanged(s); };
    FFilter->OnChange = [this](TObject* s) { FilterChanged(s); };
}

TGridColumnItem::~TGridColumnItem()
{
    // The handlers must not reach a half-destroyed item.
    FFont->OnChange = nullptr;
    FHeaderFont->OnChange = nullptr;
    FBorderPen->OnChange = nullptr;
    FFilter->OnChange = nullptr;
}

TAdvColumnGrid* TGridColumnItem::Grid() const
{
    auto* c = dynamic_cast<TGridColumnCollection*>(Collection());
    return c ? c->Grid() : nullptr;
}

void TGridColumnItem::Repaint()
{
    if (TAdvColumnGrid* g = Grid()) g->Invalidate();
}

int TGridColumnItem::Width() const
{
    TAdvColumnGrid* g = Grid();
    return g ? g->AllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(int Value)
{
    FWidth = Value;
    if (TAdvColumnGrid* g = Grid()) g->SetAllColWidths(Index(), Value);
}

void TGridColumnItem::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Repaint();
}

void TGridColumnItem::SetHeader(const QString& Value)
{
    FHeader = Value;
    TAdvColumnGrid* g = Grid();
    if (!g) return;
    if (g->FixedRows() > 0 && !g->ColMoving()) {
        g->SetCellEx(Index(), 0, Value);
        Notify();
    }
    // The list follows the items; its own notice writes nothing new.
    g->UpdateColumnHeaders();
}

void TGridColumnItem::SetFont(TFont* Value)
{
    FFont->Assign(Value);
}

void TGridColumnItem::SetColor(TColor Value)
{
    FColor = Value;
    Notify();
}

void TGridColumnItem::SetEditor(TEditorType Value)
{
    if (Value == FEditor) return;
    const bool repaint = Value == edDataCheckBox || FEditor == edDataCheckBox;
    FEditor = Value;
    if (repaint) Repaint();
}

void TGridColumnItem::SetFixed(bool Value)
{
    FFixed = Value;
    Notify();
}

void TGridColumnItem::SetComboItems(TStrings* Value)
{
    FComboItems->Assign(Value);
}

void TGridColumnItem::SetPassword(bool Value)
{
    FPassword = Value;
    Notify();
}

void TGridColumnItem::SetPrintFont(TFont* Value)
{
    FPrintFont->Assign(Value);
}

void TGridColumnItem::SetBorders(TCellBorders Value)
{
    FBorders = Value;
    Notify();
}

void TGridColumnItem::SetBorderPen(TPen* Value)
{
    FBorderPen->Assign(Value);
    Notify();
}

void TGridColumnItem::SetPrintBorderPen(TPen* Value)
{
    FPrintBorderPen->Assign(Value);
}

void TGridColumnItem::SetShowBands(bool Value)
{
    FShowBands = Value;
    Notify();
}

void TGridColumnItem::SetFilter(TStrings* Value)
{
    FFilter->Assign(Value);
}

TPopupMenu* TGridColumnItem::ColumnPopup() const
{
    return FColumnPopup.Get() ? FColumnPopupMenu : nullptr;
}

void TGridColumnItem::SetColumnPopup(TPopupMenu* v)
{
    FColumnPopupMenu = v;
    FColumnPopup = v;
}

void TGridColumnItem::SetFloatFormat(const QString& Value)
{
    FFloatFormat = Value;
    Repaint();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value)
{
    FHeaderAlignment = Value;
    Repaint();
}

void TGridColumnItem::SetHeaderFont(TFont* Value)
{
    FHeaderFont->Assign(Value);
    Repaint();
}

void TGridColumnItem::CopyFrom(const TGridColumnItem& s, bool Visuals)
{
    TAdvColumnGrid* g = Grid();
    FWidth = s.Width();
    FAlignment = s.FAlignment;
    FSortStyle = s.FSortStyle;
    FSortPrefix = s.FSortPrefix;
    FSortSuffix = s.FSortSuffix;
    FEditMask = s.FEditMask;
    FEditLength = s.FEditLength;
    FEditLink = s.FEditLink.Get();
    FEditor = s.FEditor;
    FFixed = s.FFixed;
    FReadOnly = s.FReadOnly;
    FSpinMin = s.FSpinMin;
    FSpinMax = s.FSpinMax;
    FSpinStep = s.FSpinStep;
    FPassword = s.FPassword;
    FPrintFont->Assign(s.FPrintFont.get());
    FPrintColor = s.FPrintColor;
    FBorders = s.FBorders;
    FBorderPen->Assign(s.FBorderPen.get());
    FPrintBorders = s.FPrintBorders;
    FPrintBorderPen->Assign(s.FPrintBorderPen.get());
    FDefIdx = s.FDefIdx;
    FCheckFalse = s.FCheckFalse;
    FCheckTrue = s.FCheckTrue;
    FShowBands = s.FShowBands;
    FFilter->Assign(s.FFilter.get());
    FMaxSize = s.FMaxSize;
    FMinSize = s.FMinSize;
    FAutoMinSize = s.FAutoMinSize;
    FAutoMaxSize = s.FAutoMaxSize;
    SetColumnPopup(s.ColumnPopup());
    FFilterCaseSensitive = s.FFilterCaseSensitive;
    FFloatFormat = s.FFloatFormat;
    FHeaderAlignment = s.FHeaderAlignment;
    if (Visuals) {
        if (g) {
            FColor = g->Color();
            FFont->Assign(g->Font());
        }
        return;
    }
    FHeader = s.FHeader;
    FName = s.FName;
    FTag = s.FTag;
    FComboItems->Assign(s.FComboItems.get());
    FDropDownCount = s.FDropDownCount;
    FHeaderFont->Assign(s.FHeaderFont.get());
    FColor = s.FColor;
    FFont->Assign(s.FFont.get());
}

void TGridColumnItem::Assign(TPersistent* Source)
{
    if (auto* s = dynamic_cast<TGridColumnItem*>(Source); s && s != this) CopyFrom(*s, false);
}

void TGridColumnItem::AssignVisuals(TPersistent* Source)
{
    if (auto* s = dynamic_cast<TGridColumnItem*>(Source); s && s != this) CopyFrom(*s, true);
}

QString TGridColumnItem::DisplayName() const
{
    const QString n = QString::number(Index());
    return FName.isEmpty() ? QStringLiteral("Column ") + n : QStringLiteral("Col ") + n + QStringLiteral(": ") + FName;
}

QString TGridColumnItem::Rows(int ARow) const
{
    TAdvColumnGrid* g = Grid();
    return g ? g->Cells(Index(), ARow) : QString();
}

void TGridColumnItem::SetRows(int ARow, const QString& Value)
{
    if (TAdvColumnGrid* g = Grid()) g->SetCells(Index(), ARow, Value);
}

int TGridColumnItem::Ints(int ARow) const
{
    TAdvColumnGrid* g = Grid();
    return g ? g->Ints(Index(), ARow) : 0;
}

void TGridColumnItem::SetInts(int ARow, int Value)
{
    if (TAdvColumnGrid* g = Grid()) g->SetInts(Index(), ARow, Value);
}

double TGridColumnItem::Floats(int ARow) const
{
    TAdvColumnGrid* g = Grid();
    return g ? g->Floats(Index(), ARow) : 0;
}

void TGridColumnItem::SetFloats(int ARow, double Value)
{
    if (TAdvColumnGrid* g = Grid()) g->SetFloats(Index(), ARow, Value);
}

TDateTime TGridColumnItem::Dates(int ARow) const
{
    TAdvColumnGrid* g = Grid();
    return g ? g->Dates(Index(), ARow) : 0;
}

void TGridColumnItem::SetDates(int ARow, TDateTime Value)
{
    if (TAdvColumnGrid* g = Grid()) g->SetDates(Index(), ARow, Value);
}

TDateTime TGridColumnItem::Times(int ARow) const
{
    TAdvColumnGrid* g = Grid();
    return g ? g->Times(Index(), ARow) : 0;
}

void TGridColumnItem::SetTimes(int ARow, TDateTime Value)
{
    if (TAdvColumnGrid* g = Grid()) g->SetTimes(Index(), ARow, Value);
}

// ---------------------------------------------------------------------------
// TGridColumnCollection

TGridColumnCollection::TGridColumnCollection(TAdvColumnGrid* AOwner)
    : TCollection([](TCollection* c) -> TCollectionItem* {
          // Joining the collection notifies it before the item is whole:
          // the notice waits until the item is made.
          c->BeginUpdate();
          TCollectionItem* item = nullptr;
          try {
              item = ::Create<TGridColumnItem>(c);
          } catch (...) {
              c->EndUpdate();
              throw;
          }
          c->EndUpdate();
          return item;
      }),
      FOwner(AOwner)
{
}

TPersistent* TGridColumnCollection::GetOwner()
{
    return FOwner;
}

TGridColumnItem* TGridColumnCollection::Add()
{
    auto* item = static_cast<TGridColumnItem*>(TCollection::Add());
    if (Count() > 1) {
        BeginUpdate();
        item->AssignVisuals(Items(Count() - 2));
        EndUpdate();
    }
    return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int Index)
{
    return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
}

void TGridColumnCollection::SetOrganization()
{
    if (FOwner) FOwner->Quietly([this] { FOwner->SynchColumns(); });
    for (int i = 0; i < Count(); ++i) Items(i)->SetDefIdx(i);
}

void TGridColumnCollection::ResetOrganization()
{
    if (!FOwner) return;
    bool moved = true;
    // A permutation settles within Count x Count passes; the bound only guards.
    for (int pass = 0; moved && pass <= Count() * Count(); ++pass) {
        moved = false;
        for (int i = 0; i < Count(); ++i) {
            const int d = Items(i)->DefIdx();
            if (d < i && d >= 0) {
                FOwner->MoveColumn(FOwner->DisplColIndex(i), FOwner->DisplColIndex(d));
                moved = true;
            }
        }
    }
}

void TGridColumnCollection::Update(TCollectionItem* Item)
{
    TCollection::Update(Item);
    if (UpdateCount() > 0 || FNoRecursiveUpdate || !FOwner) return;
    if (FOwner->HasState(csLoading) || FOwner->HasState(csDestroying)) return;
    const int n = Count() - FOwner->NumHiddenColumns();
    if (n != FOwner->ColCount() && n > FOwner->FixedCols()) FOwner->SetColCount(n);
    FOwner->UpdateColumnHeaders();
    FOwner->Invalidate();
}

// ---------------------------------------------------------------------------
// TAdvColumnGridIO

TAdvColumnGridIO::TAdvColumnGridIO(TAdvColumnGrid* AOwner) : TComponent(AOwner)
{
    FItems = new TGridColumnCollection(AOwner);
    FItems->SetNoRecursiveUpdate(true);
}

TAdvColumnGridIO::~TAdvColumnGridIO()
{
    delete FItems;
}

void TAdvColumnGridIO::SetItems(TGridColumnCollection* Value)
{
    FItems->Assign(Value);
}

// ---------------------------------------------------------------------------
// TAdvColumnGrid: structure

TAdvColumnGrid::TAdvColumnGrid(TComponent* AOwner) : TAdvStringGrid(AOwner) {}

void TAdvColumnGrid::AfterConstruction()
{
    TAdvStringGrid::AfterConstruction();
    // The factory is virtual: it runs once the whole object exists.
    FColumnCollection = CreateColumns();
    Quietly([this] { SynchColumns(); });
    FColMoving = false;
    FDataCheckGraphic = new TCellGraphic;
    FSaveCol = new TGridColumnItem(nullptr);
}

TAdvColumnGrid::~TAdvColumnGrid()
{
    delete FColumnCollection;
    FColumnCollection = nullptr;
    delete FDataCheckGraphic;
    FDataCheckGraphic = nullptr;
    delete FSaveCol;
    FSaveCol = nullptr;
}

TGridColumnCollection* TAdvColumnGrid::CreateColumns()
{
    return new TGridColumnCollection(this);
}

void TAdvColumnGrid::SetColumns(TGridColumnCollection* Value)
{
    if (Value && Value != FColumnCollection) FColumnCollection->Assign(Value);
}

TGridColumnItem* TAdvColumnGrid::ItemOf(int RealCol) const
{
    if (!FColumnCollection || RealCol < 0 || RealCol >= FColumnCollection->Count()) return nullptr;
    return FColumnCollection->Items(RealCol);
}

TGridColumnItem* TAdvColumnGrid::GetColumnByName(const QString& AValue) const
{
    if (!FColumnCollection) return nullptr;
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        if (FColumnCollection->Items(i)->Name() == AValue) return FColumnCollection->Items(i);
    return nullptr;
}

void TAdvColumnGrid::SynchColumns()
{
    if (!FColumnCollection) return;
    const int want = ColCount() + NumHiddenColumns();
    while (FColumnCollection->Count() < want) FColumnCollection->Add();
    while (FColumnCollection->Count() > want) Free(FColumnCollection->Items(FColumnCollection->Count() - 1));
}

void TAdvColumnGrid::SetColCount(int Value)
{
    TAdvStringGrid::SetColCount(Value);
    if (FColumnCollection) Quietly([this] { SynchColumns(); });
}

void TAdvColumnGrid::Loaded()
{
    TAdvStringGrid::Loaded();
    if (!FColumnCollection) return;
    SynchColumns();
    FColumnCollection->SetOrganization();
}

void TAdvColumnGrid::CellsLoaded()
{
    TAdvStringGrid::CellsLoaded();
    if (FColumnCollection) Quietly([this] { SynchColumns(); });
}

void TAdvColumnGrid::InsertCols(int ColIndex, int CCount)
{
    TAdvStringGrid::InsertCols(ColIndex, CCount);
    if (!FColumnCollection) return;
    Quietly([&] {
        const int at = std::clamp(ColIndex, 0, FColumnCollection->Count());
        for (int i = 0; i < CCount; ++i) FColumnCollection->Insert(at);
        // A column inserted past the items (or a re-fit of the string grid)
        // still leaves one item per real column.
        SynchColumns();
    });
}

void TAdvColumnGrid::RemoveCols(int ColIndex, int CCount)
{
    TAdvStringGrid::RemoveCols(ColIndex, CCount);
    if (!FColumnCollection) return;
    Quietly([&] {
        for (int i = 0; i < CCount && ColIndex >= 0 && ColIndex < FColumnCollection->Count(); ++i)
            Free(FColumnCollection->Items(ColIndex));
        SynchColumns();
    });
}

// ---- headers ------------------------------------------------------------------------

void TAdvColumnGrid::UpdateColumnHeaders()
{
    if (!FColumnCollection || TBaseGrid::FixedRows() <= 0) return;
    auto* list = dynamic_cast<TStringList*>(ColumnHeaders());
    if (!list) return;
    // The list is rebuilt from the items; its change notice would copy the
    // same texts back and rewrite row 0 with them, so it stays quiet.
    TNotifyEvent notice = std::move(list->OnChange);
    list->OnChange = nullptr;
    list->Clear();
    for (int i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* item = FColumnCollection->Items(i);
        if (item->Header().isEmpty() && i < AllColCount()) {
            const QString t = AllCells(i, 0);
            if (!t.isEmpty()) item->SetHeaderField(t);
        }
        list->Add(item->Header());
    }
    list->OnChange = std::move(notice);
}

void TAdvColumnGrid::ColumnHeadersChanged()
{
    if (!FColumnCollection) return;
    TStrings* list = ColumnHeaders();
    for (int i = 0; i < FColumnCollection->Count() && i < list->Count(); ++i)
        FColumnCollection->Items(i)->SetHeaderField(list->Strings(i));
}

// ---- widths ---------------------------------------------------------------------------

void TAdvColumnGrid::ColWidthsChanged()
{
    TAdvStringGrid::ColWidthsChanged();
    if (!FColumnCollection || HasState(csLoading) || HasState(csDestroying)) return;
    for (int c = 0; c < ColCount(); ++c)
        if (TGridColumnItem* item = ItemOf(RealColIndex(c))) item->SetWidthField(ColWidths(c));
}

void TAdvColumnGrid::UpdateColumnSize(int ACol, int& AWidth)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        if (item->MinSize() > 0 && AWidth < item->MinSize()) AWidth = item->MinSize();
        if (item->MaxSize() > 0 && AWidth > item->MaxSize()) AWidth = item->MaxSize();
    }
    TAdvStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TAdvColumnGrid::UpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        if (item->AutoMinSize() > 0 && AWidth < item->AutoMinSize()) AWidth = item->AutoMinSize();
        if (item->AutoMaxSize() > 0 && AWidth > item->AutoMaxSize()) AWidth = item->AutoMaxSize();
    }
    TAdvStringGrid::UpdateAutoColumnSize(ACol, AWidth);
}

// ---- column order -------------------------------------------------------------------------

void TAdvColumnGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (!FColumnCollection) {
        TAdvStringGrid::ColumnMoved(FromIndex, ToIndex);
        return;
    }
    const int top = TopRow();
    const int f = RealColIndex(FromIndex);
    const int t = RealColIndex(ToIndex);
    const int width = AllColWidths(f);
    Quietly([&] {
        TAdvStringGrid::ColumnMoved(FromIndex, ToIndex);
        if (f < FColumnCollection->Count() && t < FColumnCollection->Count() && f != t) {
            BeginUpdate();
            FColMoving = true;
            try {
                TGridColumnItem* copy = FColumnCollection->Add();
                copy->Assign(FColumnCollection->Items(f));
                Free(FColumnCollection->Items(f));
                TGridColumnItem* moved = FColumnCollection->Insert(t);
                moved->Assign(copy);
                moved->SetWidthField(width);
                Free(copy);
            } catch (...) {
                FColMoving = false;
                EndUpdate();
                throw;
            }
            FColMoving = false;
            if (top >= FixedRows() && top < RowCount()) SetTopRow(top);
            EndUpdate();
        }
    });
    if (OnAfterColumnMoved) OnAfterColumnMoved(this, f, t);
}

QString TAdvColumnGrid::GetVersionString()
{
    const int v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4 Aug, 2012")
        .arg((v >> 24) & 0xFF)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

void TAdvColumnGrid::HandleChangeScale(int M, int D)
{
    if (M == D || D == 0 || !FColumnCollection || IsDesigning()) return;
    for (int i = 0; i < FColumnCollection->Count() && i < ColCount(); ++i) {
        TGridColumnItem* item = FColumnCollection->Items(i);
        item->Font()->SetSize(int(std::lround(double(item->Font()->Size()) * M / D)));
        item->HeaderFont()->SetSize(int(std::lround(double(item->HeaderFont()->Size()) * M / D)));
    }
}

void TAdvColumnGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TAdvStringGrid::Notification(AComponent, Operation);
    // The items' references clear themselves when their component goes.
}

// ---- grouping ---------------------------------------------------------------------------------

void TAdvColumnGrid::Group(int ColIndex)
{
    if (TGridColumnItem* item = ItemOf(ColIndex); item && FSaveCol) FSaveCol->Assign(item);
    TAdvStringGrid::Group(ColIndex);
}

void TAdvColumnGrid::UnGroup()
{
    const int col = GroupColumn();
    TAdvStringGrid::UnGroup();
    if (col >= 0 && FSaveCol)
        if (TGridColumnItem* item = ItemOf(col)) item->Assign(FSaveCol);
}
