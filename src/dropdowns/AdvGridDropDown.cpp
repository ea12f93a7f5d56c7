#include "AdvGridDropDown.h"

#include "AdvDropDownBars.h"
#include "AdvDropDownForm.h"
#include "AdvGridHints.h"
#include "AdvGridSort.h"
#include "AdvObj.h"
#include "ImgList.h"
#include "OsProfile.h"

#include <algorithm>

namespace AdvCustomGridDropDown {

// ---------------------------------------------------------------------------
// Creation

TCustomAdvGridDropDown::TCustomAdvGridDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner), FHeaderFont(std::make_unique<TFont>()),
      FItems(std::make_unique<TDropDownItems>(this)), FColumns(std::make_unique<TDropDownColumns>(this)),
      FSearchFooter(std::make_unique<TSearchFooter>(this, false)), FBands(std::make_unique<TBands>()),
      FNavigation(std::make_unique<TNavigation>()), FMouseActions(std::make_unique<TMouseActions>(this))
{
}

TCustomAdvGridDropDown::~TCustomAdvGridDropDown() = default;

TDropDownItems* TCustomAdvGridDropDown::CreateItems(TPersistent* Owner)
{
    return new TDropDownItems(Owner);
}

void TCustomAdvGridDropDown::InitializeEditor()
{
    TAdvCustomDropDown::InitializeEditor();
    // Of the base's styling only the header font colour stays.
    FColumnSizing = FColumnMoving = FRowSizing = FRowMoving = false;
    FLookupColumn = 0;
    FHeaderColorTo = clGray;
    FHeaderColor = clWhite;
    FHeaderHeight = 25;
    FLineColor = clSilver;
    FRowSelect = true;
    FLookupMethod = lmLookup;
    FItems.reset(CreateItems(this));
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    FItemIndex = FOldItemIndex = -1;
    FUseItems = true;
    FLookupEntry.clear();
    FCompletion.SetEnabled(true);
    FMatchCase = false;
    FMatchStart = true;
    SetAutoSelect(true);
    FDropDownAutoWidth = true;
    SetSelectionColorStyle(scOffice2007);
    FSelectionTextColor = clBlack;
    FColumnSizeWithDropDown = true;
    FAutoSizeColumns = true;
    FDropDownRowHeight = 22;
    FHoverRow = false;
    FHoverRowColor = clInfoBk;
    FHoverRowColorTo = clNone;
    FNavigation->SetHomeEndKey(heFirstLastRow);
}

uint32_t TCustomAdvGridDropDown::GetVersionNr() const
{
    return (6u << 24) | (0u << 16) | (1u << 8) | 1u;
}

void TCustomAdvGridDropDown::SetStyle(TDropDownStyle v)
{
    FStyle = v;
    if (v == dsDropDownList) SetEditorEnabled(false);
}

void TCustomAdvGridDropDown::SetGridImages(TCustomImageList* v)
{
    FGridImages = v;
    if (FGrid) FGrid->SetGridImages(v);
}

void TCustomAdvGridDropDown::SetSearchFooter(TSearchFooter* v) { FSearchFooter->Assign(v); }
void TCustomAdvGridDropDown::SetBands(TBands* v) { FBands->Assign(v); }
void TCustomAdvGridDropDown::SetNavigation(TNavigation* v) { FNavigation->Assign(v); }
void TCustomAdvGridDropDown::SetMouseActions(TMouseActions* v) { FMouseActions->Assign(v); }

void TCustomAdvGridDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TAdvCustomDropDown::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove || AComponent != FGridImages) return;
    FGridImages = nullptr;
    if (FGrid && !HasState(csDestroying)) FGrid->SetGridImages(nullptr);
}

void TCustomAdvGridDropDown::Loaded()
{
    TAdvCustomDropDown::Loaded();
    RebuildLookupList();
    if (FGrid) FGrid->LoadItems();
}

// ---------------------------------------------------------------------------
// Styles

void TCustomAdvGridDropDown::SetSelectionColorStyle(TSelectionColorStyle Style)
{
    AdvMultiColumnDropDown::ListSelectionLineColors(Style, FLineColor, FFixedLineColor);
    TAdvCustomDropDown::SetSelectionColorStyle(Style);
}

void TCustomAdvGridDropDown::SetComponentStyle(TVisualStyle AStyle)
{
    TAdvCustomDropDown::SetComponentStyle(AStyle);
    // The Office 2010 styles leave the list as it is.
    if (AStyle >= TVisualStyle::tsOffice2010Blue) return;
    AdvMultiColumnDropDown::ApplyListStyle(this, AStyle,
                                           {&FHeaderColor, &FHeaderColorTo, FHeaderFont.get(), &FLineColor,
                                            &FFixedLineColor, &FSelectionTextColor});
}

// ---------------------------------------------------------------------------
// Items, rows and the lookup list

QString TCustomAdvGridDropDown::LookupText(int Item) const
{
    if (Item < 0 || Item >= FItems->Count() || FLookupColumn < 0) return QString();
    return FItems->Items(Item)->Text().value(FLookupColumn);
}

QString TCustomAdvGridDropDown::GridLookupText(int Row) const
{
    if (!FGrid || Row < 0 || Row >= FGrid->RowCount() || FLookupColumn < 0 || FLookupColumn >= FGrid->ColCount())
        return QString();
    return FGrid->Cells(FLookupColumn, Row);
}

void TCustomAdvGridDropDown::RebuildLookupList()
{
    if (FLookupColumn < 0 || FItems->Count() == 0) return;
    FLookupList.clear();
    FLookupIndex.Clear();
    FLookupList.reserve(FItems->Count());
    for (int i = 0; i < FItems->Count(); ++i) FLookupList << LookupText(i);
}

int TCustomAdvGridDropDown::LookupIndexOfText(const QString& Text) const
{
    for (int i = 0; i < FLookupList.size(); ++i)
        if (FLookupList[i].compare(Text, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int TCustomAdvGridDropDown::ItemOfRow(int Row) const
{
    if (!FGrid || Row < 0 || Row >= FGrid->RowCount()) return Row;
    return int(FGrid->Objects(0, Row));
}

int TCustomAdvGridDropDown::RowOfItem(int Index) const
{
    if (Index < 0 || !FGrid) return FItemIndex;
    for (int r = FGrid->FixedRows(); r < FGrid->RowCount(); ++r)
        if (FGrid->Objects(0, r) == Index) return r;
    return FItemIndex;
}

int TCustomAdvGridDropDown::ListCount() const
{
    if (FUseItems) return FItems->Count();
    return FGrid ? FGrid->RowCount() - FGrid->FixedRows() : 0;
}

void TCustomAdvGridDropDown::SetItemIndex(int V)
{
    if (FUseItems) {
        if (V >= FItems->Count()) return;
        FItemIndex = V;
        const QString text = LookupText(V);
        if (TControl::Text() != text) SetTextDirect(text);
        Invalidate();
        return;
    }
    if (!FGrid) {
        FItemIndex = V;
        return;
    }
    // V names a real data row; shown through its displayed row while
    // the rows are filtered.
    if (V == FItemIndex || V >= FGrid->RowCount() + FGrid->NumHiddenRows() - FGrid->FixedRows()) return;
    FItemIndex = V;
    if (V < 0) {
        SetTextDirect(QString());
    } else {
        const int real = V + FGrid->FixedRows();
        if (FGrid->IsHiddenRow(real)) return;
        SetTextDirect(GridLookupText(FGrid->DisplRowIndex(real)));
    }
    Invalidate();
}

void TCustomAdvGridDropDown::SetItemIndexDirect(int V)
{
    if (V < FItems->Count()) FItemIndex = V;
}

void TCustomAdvGridDropDown::SetItemIndexFromRow(int Row)
{
    if (!FGrid) return;
    if (FUseItems)
        SetItemIndex(ItemOfRow(Row));
    else
        SetItemIndex(FGrid->RealRowIndex(Row) - FGrid->FixedRows());
}

// ---------------------------------------------------------------------------
// The pop-up

void TCustomAdvGridDropDown::CreateDropDownForm()
{
    TAdvCustomDropDown::CreateDropDownForm();
    TDropDownForm* form = DropDownForm();
    if (!form) return;
    if (!FGrid) {
        FGrid = Create<TAdvColGrid>(this);
        FGrid->SetParent(form);
    }
    FGrid->SetDropDown(this);
    FGrid->SetBounds(0, 0, FGrid->Width(), 180);
    FGrid->SetColor(DropDownColor());
    FGrid->Navigation()->SetHomeEndKey(heFirstLastRow);
}

void TCustomAdvGridDropDown::DropDownFormDestroyed()
{
    TAdvCustomDropDown::DropDownFormDestroyed();
    if (!HasState(csDestroying)) FGrid = nullptr;
}

void TCustomAdvGridDropDown::ConnectGridEvents()
{
    TAdvColGrid* g = FGrid;
    g->OnStartBlockFocus = [this](TObject*) {
        if (TDropDownForm* f = DropDownForm()) f->SetBlockActivate(true);
    };
    g->OnEndBlockFocus = [this](TObject*) {
        if (TDropDownForm* f = DropDownForm()) f->SetBlockActivate(false);
    };
    g->OnSelect = [this](TObject*) { GridSelect(); };
    g->OnSelectCell = nullptr;
    g->OnAnchorClick = [this](TObject* s, int r, int c, const QString& a, bool& h) { DoGridAnchorClick(s, r, c, a, h); };
    g->OnButtonClick = [this](TObject* s, int c, int r) { DoGridButtonClick(s, c, r); };
    g->OnColumnSize = [this](TObject* s, int c, bool& a) { DoGridColumnSize(s, c, a); };
    g->OnColumnSizing = [this](TObject* s, int c, int w) { DoGridColumnSizing(s, c, w); };
    g->OnEndColumnSize = [this](TObject* s, int c) { DoGridEndColumnSize(s, c); };
    g->OnRowSizing = [this](TObject* s, int r, int h) { DoGridRowSizing(s, r, h); };
    g->OnEndRowSize = [this](TObject* s, int r) { DoGridEndRowSize(s, r); };
    g->OnRowMove = [this](TObject* s, int r, bool& a) { DoGridRowMove(s, r, a); };
    g->OnRowMoving = [this](TObject* s, int r, bool& a) { DoGridRowMoving(s, r, a); };
    g->OnRowMoved = [this](TObject* s, int f, int t) { DoGridRowMoved(s, f, t); };
    g->OnColumnMove = [this](TObject* s, int c, bool& a) { DoGridColumnMove(s, c, a); };
    g->OnColumnMoving = [this](TObject* s, int c, bool& a) { DoGridColumnMoving(s, c, a); };
    g->OnColumnMoved = [this](TObject* s, int f, int t) { DoGridColumnMoved(s, f, t); };
    g->OnCustomCellDraw = nullptr;
    g->OnCustomCellBkgDraw = nullptr;
    if (OnGridCustomCellDraw)
        g->OnCustomCellDraw = [this](TObject* s, TCanvas* cv, int c, int r, TGridDrawState st, TRect rc, bool p) {
            DoGridCustomCellDraw(s, cv, c, r, st, rc, p);
        };
    if (OnGridCustomCellBkgDraw)
        g->OnCustomCellBkgDraw = [this](TObject* s, TCanvas* cv, int c, int r, TGridDrawState st, TRect rc, bool p) {
            DoGridCustomCellBkgDraw(s, cv, c, r, st, rc, p);
        };
    g->OnGetAlignment = [this](TObject* s, int r, int c, TAlignment& h, TVAlignment& v) {
        DoGridGetAlignment(s, r, c, h, v);
    };
    g->OnGetCellColor = [this](TObject* s, int r, int c, TGridDrawState st, TBrush* b, TFont* f) {
        DoGridGetCellColor(s, r, c, st, b, f);
    };
    g->OnGetCellGradient = [this](TObject* s, int r, int c, TColor& a, TColor& b, TColor& m, TColor& mt,
                                  TCellGradientDirection& d) { DoGridGetCellGradient(s, r, c, a, b, m, mt, d); };
    g->OnGetFloatFormat = [this](TObject* s, int c, int r, bool& f, QString& fmt) {
        DoGridGetFloatFormat(s, c, r, f, fmt);
    };
    g->OnGetEditorType = [this](TObject* s, int c, int r, TEditorType& e) { DoGridGetEditorType(s, c, r, e); };
    g->OnGetEditorPropInt = [this](TObject* s, int r, int c) { DoGridGetEditorProp(s, r, c); };
    g->OnCanEditCell = [this](TObject* s, int r, int c, bool& e) { DoGridCanEditCell(s, r, c, e); };
    g->OnEllipsClick = [this](TObject* s, int c, int r, QString& t) { DoGridEllipsClick(s, c, r, t); };
    g->OnGetDisplText = [this](TObject* s, int c, int r, QString& v) { DoGridGetDisplText(s, c, r, v); };
    g->OnGetFormat = [this](TObject* s, int c, TSortStyle& st, QString& p, QString& x) {
        DoGridGetFormat(s, c, st, p, x);
    };
    g->OnGridHint = [this](TObject* s, int r, int c, QString& h) { DoGridGridHint(s, r, c, h); };
    g->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { DoGridMouseMove(s, sh, x, y); };
    g->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        DoGridMouseDown(s, b, sh, x, y);
    };
    g->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { DoGridMouseUp(s, b, sh, x, y); };
    g->OnRightClickCell = [this](TObject* s, int r, int c) { DoGridRightClickCell(s, r, c); };
    g->OnTopLeftChanged = [this](TObject* s) { DoGridTopLeftChanged(s); };
    g->OnSearchEditChange = [this](TObject* s, const QString& v, bool& d) { DoGridSearchEditChange(s, v, d); };
    g->OnAutoAddRow = [this](TObject* s, int r) { DoGridAutoAddRow(s, r); };
    g->OnAutoInsertRow = [this](TObject* s, int r) { DoGridAutoInsertRow(s, r); };
    g->OnAutoInsertCol = [this](TObject* s, int c) { DoGridAutoInsertCol(s, c); };
    g->OnAutoDeleteRow = [this](TObject* s, int r) { DoGridAutoDeleteRow(s, r); };
    g->OnCanAddRow = [this](TObject* s, bool& a) { DoGridCanAddRow(s, a); };
    g->OnCanInsertRow = [this](TObject* s, int r, bool& a) { DoGridCanInsertRow(s, r, a); };
    g->OnCanDeleteRow = [this](TObject* s, int r, bool& a) { DoGridCanDeleteRow(s, r, a); };
    g->OnCheckBoxClick = [this](TObject* s, int c, int r, bool st) { GridCheckBoxClick(s, c, r, st); };
}

void TCustomAdvGridDropDown::BeforeDropDown()
{
    if (TDropDownForm* form = DropDownForm()) form->SetCancelOnDeActivate(false);
    if (FGrid) {
        TAdvColGrid* g = FGrid;
        FShowing = true;
        g->LoadFromDropDown(this);
        g->SetColor(DropDownColor());
        TSortSettings* ss = g->SortSettings();
        ss->SetShow(FSorting != gsNone);
        ss->SetIndexShow(FSorting == gsMultiColumn);
        FBalloonInit = false;
        g->SetGridImages(Images());
        ConnectGridEvents();
        g->SearchFooter()->Assign(FSearchFooter.get());
        g->MouseActions()->Assign(FMouseActions.get());
        g->Navigation()->Assign(FNavigation.get());
        g->Bands()->Assign(FBands.get());
        TGridOptions o = g->Options();
        o.Include(goThumbTracking);
        if (FRowSelect)
            o.Include(goRowSelect);
        else
            o.Exclude(goRowSelect);
        if (FGridEditable)
            o.Include(goEditing);
        else
            o.Exclude(goEditing);
        g->SetOptions(o);
        g->SetGridImages(FGridImages);
        g->OnCanSort = [this](TObject*, int, bool&) { GridStartSort(); };
        g->OnClickSort = [this](TObject*, int) { GridEndSort(); };
        g->OnSelectCell = [this](TObject*, int, int ARow, bool&) { GridSelectCell(ARow); };
        g->SetComponentStyle(GetComponentStyle());
        if (FUseItems) {
            TAdvCustomDropDown::BeforeDropDown();
            g->SetRowCount(FItems->Count() + 1);
            if (g->RowCount() > 1) g->SetFixedRows(1);
            g->LoadItems();
            const int row = RowOfItem(FItemIndex);
            if (row >= g->FixedRows() && row < g->RowCount()) g->SetRow(row);
        } else if (g->RowCount() > g->FixedRows()) {
            const int found = FindLookupMatch(TControl::Text());
            g->SetRow(found >= g->FixedRows() ? found : g->FixedRows());
        }
        if (ss->Column() >= 0 && ss->Show()) {
            g->QSort();
            // The sort keeps the row number; the chosen item moved.
            const int sorted = FUseItems ? RowOfItem(FItemIndex) : -1;
            if (sorted >= g->FixedRows() && sorted < g->RowCount()) g->SetRow(sorted);
        }
        FShowing = false;
    }
    FOldItemIndex = FItemIndex;
    if (!FUseItems || !FGrid) TAdvCustomDropDown::BeforeDropDown();
}

void TCustomAdvGridDropDown::AdaptDropDownHeight(int& Height)
{
    if (FDropDownRowHeight <= 0) return;
    int bars = 0;
    if (DropDownHeader()->Visible()) bars += DropDownHeader()->Height();
    if (DropDownFooter()->Visible()) bars += DropDownFooter()->Height();
    const int rows = (Height - bars - FHeaderHeight - 2) / FDropDownRowHeight;
    Height = bars + FHeaderHeight + 6 + rows * FDropDownRowHeight;
}

void TCustomAdvGridDropDown::DoShowDropDown()
{
    TAdvCustomDropDown::DoShowDropDown();
    if (!FGrid || !DroppedDown()) return;
    TAdvColGrid* g = FGrid;
    if (!FUseItems)
        while (FColumns->Count() < g->ColCount()) FColumns->Add();
    SizeColumnsToDropDown();
    // The columns fit the pop-up: the list starts at its first column.
    g->SetLeftCol(0);
    const int row = g->Row();
    if (g->VisibleRowCount() + g->FixedRows() < g->RowCount() &&
        (row < g->TopRow() || row >= g->TopRow() + g->VisibleRowCount()))
        g->SetTopRow(std::max(row, g->FixedRows()));
    // The row the user is on is the one Enter or a click on it takes.
    FSelectedRow = row;
    g->SetTabStop(true);
    if (g->CanFocus()) g->SetFocus();
}

void TCustomAdvGridDropDown::PlaceDropDownControl()
{
    if (FGrid && Control() != FGrid) {
        SetControl(FGrid);
        return;
    }
    TAdvCustomDropDown::PlaceDropDownControl();
}

void TCustomAdvGridDropDown::UpdateDropDownSize()
{
    TAdvCustomDropDown::UpdateDropDownSize();
    TDropDownForm* form = DropDownForm();
    if (!FDropDownAutoWidth || !form || !FGrid) return;
    FGrid->SetWidth(FGrid->TotalWidth());
    form->SetWidth(FGrid->Width() + 2 * DropDownBorderWidth());
    FGrid->SetAlign(alNone);
    FGrid->SetAlign(alClient);
}

void TCustomAdvGridDropDown::SizeColumnsToDropDown()
{
    TDropDownForm* form = DropDownForm();
    if (!FColumnSizeWithDropDown || !FGrid || !form || FColumns->Count() == 0) return;
    std::vector<int> widths;
    for (int i = 0; i < FColumns->Count(); ++i) widths.push_back(FColumns->Items(i)->Width());
    int available = form->Width();
    if (FGrid->VisibleRowCount() + FGrid->FixedRows() < FGrid->RowCount())
        available -= GetOsProfile().ScrollBarExtent;
    const std::vector<int> fitted = AdvMultiColumnDropDown::MultiColumnFitWidths(widths, available);
    for (int i = 0; i < int(fitted.size()) && i < FGrid->ColCount(); ++i) FGrid->SetColWidths(i, fitted[i]);
}

void TCustomAdvGridDropDown::DropDownFormSizing(TObject* Sender)
{
    TAdvCustomDropDown::DropDownFormSizing(Sender);
    SizeColumnsToDropDown();
}

void TCustomAdvGridDropDown::DoHideDropDown(bool Cancel)
{
    TDropDownForm* form = DropDownForm();
    const bool shown = form && form->Visible();
    if (shown) {
        if (Cancel) {
            SetItemIndex(FOldItemIndex);
        } else if (FGrid && FGrid->ConfirmSelection()) {
            SetItemIndexFromRow(FSelectedRow);
        }
        FOldItemIndex = FItemIndex;
        if (FGrid) FGrid->SetConfirmSelection(false);
    }
    TAdvCustomDropDown::DoHideDropDown(Cancel);
    // The base puts back the last text written as a value, which need not be
    // the chosen item's: the edit shows the item the cancel returned to.
    if (shown && Cancel && FUseItems && FItemIndex >= 0 && TControl::Text() != LookupText(FItemIndex))
        SetTextDirect(LookupText(FItemIndex));
}

void TCustomAdvGridDropDown::DoEnter()
{
    TAdvCustomDropDown::DoEnter();
    if (FGrid) FGrid->RemoveAllFilters();
    FLookupEntry.clear();
}

// ---- the list grid's own events

void TCustomAdvGridDropDown::GridSelectCell(int ARow)
{
    if (!FGrid || FShowing) return;
    FSelectedRow = ARow;
    if (FGrid->MouseWheel()) return;
    if (FUseItems) {
        SetItemIndex(ItemOfRow(ARow));
    } else {
        SetTextDirect(GridLookupText(ARow));
        FItemIndex = FGrid->RealRowIndex(ARow) - FGrid->FixedRows();
    }
}

void TCustomAdvGridDropDown::GridSelect()
{
    if (!FGrid) return;
    if (FGrid->ConfirmSelection()) SetItemIndexFromRow(FGrid->Row());
    FSelectedRow = FGrid->Row();
    if (!FGridEditable) DoHideDropDown(false);
    if (OnSelect) OnSelect(this);
}

void TCustomAdvGridDropDown::GridStartSort()
{
    FSortItemIndex = FItemIndex;
}

void TCustomAdvGridDropDown::GridEndSort()
{
    if (!FGrid) return;
    const int row = RowOfItem(FSortItemIndex);
    if (row < FGrid->FixedRows() || row >= FGrid->RowCount()) return;
    const bool showing = FShowing;
    FShowing = true;
    FGrid->SetRow(row);
    FShowing = showing;
    FSelectedRow = row;
}

// ---------------------------------------------------------------------------
// Keys of the open list

namespace {
bool GridDropDownListKey(Word Key, TShiftState Shift)
{
    return !Shift.Contains(ssAlt) && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME ||
                                      Key == VK_UP || Key == VK_DOWN);
}
}  // namespace

void TCustomAdvGridDropDown::ControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (!GridDropDownListKey(Key, Shift)) TAdvCustomDropDown::ControlKeyDown(Sender, Key, Shift);
    DoGridKeyDown(this, Key, Shift);
}

void TCustomAdvGridDropDown::ControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (GridDropDownListKey(Key, Shift))
        FLookupEntry.clear();
    else
        TAdvCustomDropDown::ControlKeyUp(Sender, Key, Shift);
    DoGridKeyUp(this, Key, Shift);
}

void TCustomAdvGridDropDown::ControlKeyPress(TObject*, QChar& Key)
{
    // Navigation keys give no characters: only Enter and Esc are tested.
    const bool navigation = Key == QChar(VK_RETURN) || Key == QChar(VK_ESCAPE);
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if ((navigation && !alt) || (FGrid && FGrid->Options().Contains(goEditing))) {
        FLookupEntry.clear();
    } else if (FGrid) {
        const int found = ProcessLookupKey(Key);
        // With items the answer is an item: its row, wherever a sort put it.
        const int row = found < 0 ? -1 : FUseItems && FLookupMethod == lmLookup ? RowOfItem(found) : found;
        if (row < FGrid->FixedRows() || row >= FGrid->RowCount()) {
            FLookupEntry.clear();
        } else {
            if (FGrid->VisibleRowCount() + FGrid->FixedRows() < FGrid->RowCount()) FGrid->SetTopRow(row);
            const bool showing = FShowing;
            FShowing = true;
            FGrid->SetRow(row);
            FGrid->SetCol(0);
            FShowing = showing;
            FSelectedRow = row;
            FGrid->Invalidate();
        }
    }
    DoGridKeyPress(this, Key);
}

int TCustomAdvGridDropDown::FindLookupMatch(const QString& Entry)
{
    if (!FGrid || Entry.isEmpty() || FLookupColumn < 0) return -1;
    const Qt::CaseSensitivity cs = FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const auto take = [&](const QString& text) {
        SetTextDirect(text);
        if (FStyle == dsDropDown) SetSelection(int(text.size()), int(FLookupEntry.size()));
    };
    if (FUseItems) {
        for (int i = 0; i < FItems->Count(); ++i) {
            const QStringList& t = FItems->Items(i)->Text();
            if (FLookupColumn >= t.size() || !t[FLookupColumn].startsWith(Entry, cs)) continue;
            SetItemIndexDirect(i);
            take(t[FLookupColumn]);
            return i;
        }
        return -1;
    }
    for (int r = FGrid->FixedRows(); r < FGrid->RowCount(); ++r) {
        const QString text = GridLookupText(r);
        if (!text.startsWith(Entry, cs)) continue;
        FItemIndex = FGrid->RealRowIndex(r) - FGrid->FixedRows();
        take(text);
        return r;
    }
    return -1;
}

int TCustomAdvGridDropDown::ProcessLookupKey(QChar K)
{
    if (FLookupMethod == lmNone) return -1;
    if (K == QChar(VK_BACK)) {
        QString text = TControl::Text();
        const bool shorter = SelLength() == 0;
        if (shorter) {
            FLookupEntry.chop(1);
            text = FLookupEntry;
        } else {
            text.remove(SelStart(), SelLength());
        }
        SetTextDirect(text);
        SetSelection(int(text.size()), int(text.size()));
        // A shorter entry lets the rows it no longer excludes back in.
        if (shorter && FLookupMethod == lmNarrowDown && FGrid) FGrid->NarrowDown(FLookupEntry.trimmed(), FLookupColumn);
        return -1;
    }
    if (K != QChar(VK_TAB)) FLookupEntry += K;
    const QString search = FLookupEntry.trimmed();
    if (FLookupMethod == lmNarrowDown) {
        if (!FGrid) return -1;
        if (search.isEmpty()) {
            FGrid->RemoveAllFilters();
        } else {
            FGrid->SetFixedRowAlways(true);
            FGrid->NarrowDown(search, FLookupColumn);
            if (FStyle == dsDropDown && FGrid->RowCount() > FGrid->FixedRows()) {
                const QString text = GridLookupText(FGrid->FixedRows());
                SetTextDirect(text);
                SetSelection(int(text.size()), int(FLookupEntry.size()));
            }
        }
        return FGrid->FixedRows();
    }
    const int found = FindLookupMatch(search);
    if (found >= 0 || FStyle == dsDropDown) return found;
    const int restart = FindLookupMatch(QString(K));
    if (restart >= 0)
        FLookupEntry = QString(K);
    else
        FLookupEntry.clear();
    return restart;
}

// ---------------------------------------------------------------------------
// The edit's keys

void TCustomAdvGridDropDown::HandleChange()
{
    FCompletion.Forget();
    TAdvCustomDropDown::HandleChange();
    if (HasState(csDesigning) || !FCompletion.Enabled() || FLookupList.isEmpty()) return;
    const QStringList& list = FLookupList;
    FCompletion.Change(
        *this, FLookupIndex, int(list.size()), [&list](int i) { return QStringView(list[i]); }, FMatchCase,
        FItems->Count(), [this](int i) { SetItemIndexDirect(i); });
}

void TCustomAdvGridDropDown::HandleKeyDown(Word& Key, TShiftState Shift)
{
    if (FGrid && FGrid->Options().Contains(goEditing) && FGrid->Editing() && Key == VK_RETURN &&
        !Shift.Contains(ssShift)) {
        FGrid->HideInplaceEdit();
        SetTextDirect(GridLookupText(FGrid->Row()));
        FItemIndex = FGrid->RealRowIndex(FGrid->Row()) - FGrid->FixedRows();
        Key = 0;
        return;
    }
    switch (Key) {
    case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
        FLookupEntry.clear();
        break;
    default:
        break;
    }
    if (FLookupColumn < 0 || FItems->Count() == 0) {
        TAdvCustomDropDown::HandleKeyDown(Key, Shift);
        return;
    }
    const Word key = Key;
    FCompletion.KeyDown(key);
    if (key == VK_RETURN) {
        const int i = LookupIndexOfText(TControl::Text());
        if (i >= 0 && i < FItems->Count()) {
            SetTextDirect(FLookupList[i]);
            SetItemIndex(i);
            HandleChange();
        }
        if (ReturnIsTab()) {
            PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
            Key = 0;
            return;
        }
    }
    TAdvCustomDropDown::HandleKeyDown(Key, Shift);
    if (key == VK_ESCAPE && FUseItems) SetItemIndex(LookupIndexOfText(TControl::Text()));
}

void TCustomAdvGridDropDown::HandleKeyPress(QChar& Key)
{
    if (Key == QChar(VK_RETURN) && ReturnIsTab()) {
        Key = QChar();
        return;
    }
    TAdvCustomDropDown::HandleKeyPress(Key);
}

void TCustomAdvGridDropDown::HandleKeyUp(Word& Key, TShiftState Shift)
{
    const Word key = Key;
    if (!(key == VK_RETURN && ReturnIsTab())) TAdvCustomDropDown::HandleKeyUp(Key, Shift);
    if (FGrid && FGrid->Options().Contains(goEditing) && FGrid->Editing() && key == VK_RETURN &&
        !Shift.Contains(ssShift)) {
        if (FGrid->Col() == FLookupColumn)
            DoHideDropDown(false);
        else
            FGrid->HideInplaceEdit();
    }
    FCompletion.KeyUp(*this, [this](int i) { SetItemIndex(i); });
}

void TCustomAdvGridDropDown::StepItem(int Delta)
{
    const int n = ListCount();
    if (n == 0) return;
    if (FItemIndex < 0) {
        SetItemIndex(0);
        return;
    }
    const int next = std::clamp(FItemIndex + Delta, 0, n - 1);
    if (next != FItemIndex) SetItemIndex(next);
}

void TCustomAdvGridDropDown::KeyDownMessage(TMessage& Message)
{
    const Word key = Word(Message.WParam);
    if (key == VK_RETURN && FGrid) FGrid->SetConfirmSelection(true);
    TAdvCustomDropDown::KeyDownMessage(Message);
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (!Enabled() || alt || ListCount() == 0) return;
    switch (key) {
    case VK_PRIOR: FLookupEntry.clear(); StepItem(-10); break;
    case VK_NEXT: FLookupEntry.clear(); StepItem(10); break;
    case VK_END:
        FLookupEntry.clear();
        if (!shift && FStyle == dsDropDownList) SetItemIndex(ListCount() - 1);
        break;
    case VK_HOME:
        FLookupEntry.clear();
        if (!shift && FStyle == dsDropDownList) SetItemIndex(0);
        break;
    case VK_UP: FLookupEntry.clear(); StepItem(-1); break;
    case VK_DOWN: FLookupEntry.clear(); StepItem(1); break;
    default: break;
    }
}

void TCustomAdvGridDropDown::CharMessage(TMessage& Message)
{
    const QChar key(char16_t(Message.WParam));
    TAdvCustomDropDown::CharMessage(Message);
    if (key.isNull()) return;
    // The edit has applied a Backspace already: only the entry follows it.
    if (key == QChar(VK_BACK))
        FLookupEntry.chop(1);
    else
        ProcessLookupKey(key);
    if (FAutoShowDropDown && !DroppedDown()) ShowDropDown();
}

void TCustomAdvGridDropDown::DoWheelDown()
{
    TAdvCustomDropDown::DoWheelDown();
    StepItem(1);
}

void TCustomAdvGridDropDown::DoWheelUp()
{
    TAdvCustomDropDown::DoWheelUp();
    StepItem(-1);
}

}  // namespace AdvCustomGridDropDown
