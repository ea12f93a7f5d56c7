#include "AdvMultiColumnDropDown.h"

#include "AdvDropDownBars.h"
#include "AdvDropDownForm.h"
#include "AdvMultiColumnDropDownGrid.h"
#include "OsProfile.h"

#include <array>
#include <cmath>

namespace AdvMultiColumnDropDown {

// ---------------------------------------------------------------------------
// Columns and items

TDropDownColumn::TDropDownColumn(TCollection* Collection)
    : TCollectionItem(Collection), FFont(std::make_unique<TFont>())
{
}

TDropDownColumn::~TDropDownColumn() = default;

void TDropDownColumn::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TDropDownColumn*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    FWidth = s->FWidth;
    FColor = s->FColor;
    FAlignment = s->FAlignment;
    FEllipsis = s->FEllipsis;
    FFont->Assign(s->FFont.get());
    FColumnType = s->FColumnType;
    FHeader = s->FHeader;
    FWordwrap = s->FWordwrap;
    FAutoSize = s->FAutoSize;
}

TDropDownColumns::TDropDownColumns(TPersistent* AOwner)
    : TCollection(ItemClassOf<TDropDownColumn>()), FOwner(AOwner)
{
}

void TDropDownItem::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TDropDownItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    FImageIndex = s->FImageIndex;
    FText = s->FText;
}

TDropDownItems::TDropDownItems(TPersistent* AOwner)
    : TCollection(ItemClassOf<TDropDownItem>()), FOwner(AOwner)
{
}

int TDropDownItems::IndexInColumn(int Column, const QString& Value) const
{
    if (Column < 0) return -1;
    for (int i = 0; i < Count(); ++i) {
        const QStringList& t = Items(i)->Text();
        if (Column < t.size() && t[Column] == Value) return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Sizing rules

int MultiColumnAdaptHeight(int Height, int Bars, int HeaderHeight, int RowHeight)
{
    const int fixed = Bars + HeaderHeight + 2;
    if (RowHeight <= 0) return Height;
    return fixed + ((Height - fixed) / RowHeight) * RowHeight;
}

std::vector<int> MultiColumnFitWidths(const std::vector<int>& Widths, int Available)
{
    double total = 1;
    for (int w : Widths) total += w;
    const double factor = Available / total;
    std::vector<int> out;
    out.reserve(Widths.size());
    double error = 0;
    for (int w : Widths) {
        const double exact = factor * w;
        int width = int(std::nearbyint(exact));  // halves to even
        error += exact - width;
        if (error > 1) {
            error -= 1;
            ++width;
        }
        out.push_back(width);
    }
    return out;
}

// ---------------------------------------------------------------------------
// Styles

namespace {

constexpr TColor MultiColumnKeep = TColor(0x7FFFFFFE);

struct MultiColumnStyleRow {
    TColor HeaderColor;
    TColor HeaderColorTo;
    TColor HeaderFontColor;
    int SelectionStyle;  // a TSelectionColorStyle, -1: none
    TColor LineColor;
    TColor FixedLineColor;
    TColor SelectionColor;  // both ends (scCustom rows); keep: not set
    TColor SelectionTextColor;
};

constexpr TColor MCRgb(int r, int g, int b) { return RGBColor(r, g, b); }
constexpr TColor MCOffice2010Selection = MCRgb(255, 208, 108);

// In the order of TVisualStyle.
constexpr std::array<MultiColumnStyleRow, 16> MultiColumnStyleRows{{
    {MCRgb(89, 135, 214), MCRgb(3, 56, 147), clWhite, scOffice2007, MCRgb(0, 45, 150), MCRgb(0, 45, 150),
     MultiColumnKeep, clBlack},
    {MCRgb(165, 164, 189), MCRgb(117, 116, 149), MultiColumnKeep, scOffice2007, MCRgb(124, 124, 148),
     MCRgb(124, 124, 148), MultiColumnKeep, clBlack},
    {MCRgb(175, 192, 130), MCRgb(99, 122, 68), MultiColumnKeep, scOffice2007, MCRgb(96, 128, 88), MCRgb(96, 128, 88),
     MultiColumnKeep, clBlack},
    {MCRgb(128, 128, 128), MCRgb(128, 128, 128), MultiColumnKeep, scOffice2007, MCRgb(128, 128, 128),
     MCRgb(128, 128, 128), MultiColumnKeep, clBlack},
    {MCRgb(227, 239, 255), MCRgb(175, 210, 255), MCRgb(8, 55, 114), scOffice2007, MCRgb(175, 210, 255),
     MCRgb(175, 210, 255), MultiColumnKeep, clBlack},
    {MCRgb(240, 241, 242), MCRgb(189, 194, 201), MCRgb(55, 60, 67), scOffice2007, MCRgb(76, 83, 92),
     MCRgb(76, 83, 92), MultiColumnKeep, clBlack},
    {clBtnFace, clBtnFace, clBlack, scCustom, clSilver, clBlack, clHighlight, clHighlightText},  // tsWindowsXP
    {MCRgb(239, 238, 235), MCRgb(152, 152, 126), clWhite, scOffice2007, MCRgb(0, 45, 150), MCRgb(0, 45, 150),
     MultiColumnKeep, clBlack},
    {MultiColumnKeep, MultiColumnKeep, MultiColumnKeep, -1, MultiColumnKeep, MultiColumnKeep, MultiColumnKeep,
     MultiColumnKeep},  // tsCustom
    {MCRgb(246, 247, 248), MCRgb(219, 224, 232), MCRgb(21, 66, 139), scOffice2007, MCRgb(111, 112, 116),
     MCRgb(111, 112, 116), MultiColumnKeep, clBlack},
    {MCRgb(249, 253, 255), MCRgb(240, 250, 255), clBlack, scWindowsVista, MCRgb(218, 242, 252), MCRgb(218, 242, 252),
     MultiColumnKeep, clBlack},
    {MCRgb(250, 251, 253), MCRgb(235, 243, 253), clBlack, scWindows7, MCRgb(184, 214, 251), MCRgb(184, 214, 251),
     MultiColumnKeep, clBlack},
    {clBtnFace, clBtnFace, clBlack, scCustom, MCRgb(128, 128, 128), MCRgb(128, 128, 128), clHighlight,
     clHighlightText},  // tsTerminal
    {MCRgb(205, 219, 237), clNone, MCRgb(30, 57, 91), scCustom, MCRgb(207, 221, 238), MCRgb(207, 221, 238),
     MCOffice2010Selection, clBlack},
    {MCRgb(229, 233, 237), clNone, MCRgb(30, 57, 91), scCustom, MCRgb(207, 221, 238), MCRgb(207, 221, 238),
     MCOffice2010Selection, clBlack},
    {MCRgb(130, 130, 130), clNone, MCRgb(214, 215, 215), scCustom, MCRgb(207, 221, 238), MCRgb(207, 221, 238),
     MCOffice2010Selection, clBlack},
}};
static_assert(MultiColumnStyleRows.size() == size_t(TVisualStyle::tsOffice2010Black) + 1,
              "one style row per visual style");

void MultiColumnStyleWrite(TColor c, TColor& field)
{
    if (c != MultiColumnKeep) field = c;
}

}  // namespace

void ListSelectionLineColors(TSelectionColorStyle Style, TColor& LineColor, TColor& FixedLineColor)
{
    switch (Style) {
    case scOffice2007:
        LineColor = RGBColor(235, 237, 241);
        FixedLineColor = RGBColor(164, 187, 209);
        break;
    case scWindowsVista:
    case scWindows7:
        LineColor = RGBColor(240, 236, 236);
        FixedLineColor = RGBColor(209, 210, 212);
        break;
    default:
        break;
    }
}

void ApplyListStyle(TAdvCustomDropDown* D, TVisualStyle AStyle, const TListStyleTarget& T)
{
    const MultiColumnStyleRow& row = MultiColumnStyleRows[size_t(AStyle)];
    if (row.SelectionStyle < 0) return;
    D->SetSelectionColorStyle(TSelectionColorStyle(row.SelectionStyle));
    MultiColumnStyleWrite(row.HeaderColor, *T.HeaderColor);
    MultiColumnStyleWrite(row.HeaderColorTo, *T.HeaderColorTo);
    if (T.HeaderFont && row.HeaderFontColor != MultiColumnKeep) T.HeaderFont->SetColor(row.HeaderFontColor);
    MultiColumnStyleWrite(row.LineColor, *T.LineColor);
    MultiColumnStyleWrite(row.FixedLineColor, *T.FixedLineColor);
    if (row.SelectionColor != MultiColumnKeep) {
        D->SetSelectionColor(row.SelectionColor);
        D->SetSelectionColorTo(row.SelectionColor);
    }
    MultiColumnStyleWrite(row.SelectionTextColor, *T.SelectionTextColor);
}

void TAdvMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle Style)
{
    ListSelectionLineColors(Style, FLineColor, FFixedLineColor);
    TAdvCustomDropDown::SetSelectionColorStyle(Style);
}

void TAdvMultiColumnDropDown::SetComponentStyle(TVisualStyle AStyle)
{
    TAdvCustomDropDown::SetComponentStyle(AStyle);
    ApplyListStyle(this, AStyle,
                   {&FHeaderColor, &FHeaderColorTo, FHeaderFont.get(), &FLineColor, &FFixedLineColor,
                    &FSelectionTextColor});
}

// ---------------------------------------------------------------------------
// The drop-down

TAdvMultiColumnDropDown::TAdvMultiColumnDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner), FHeaderFont(std::make_unique<TFont>()),
      FItems(std::make_unique<TDropDownItems>(this)), FColumns(std::make_unique<TDropDownColumns>(this))
{
}

TAdvMultiColumnDropDown::~TAdvMultiColumnDropDown() = default;

void TAdvMultiColumnDropDown::InitializeEditor()
{
    TAdvCustomDropDown::InitializeEditor();
    // Of the base's styling only the header font colour stays.
    FColumnSizing = false;
    FLookupColumn = 0;
    FHeaderColorTo = clGray;
    FHeaderColor = clWhite;
    FHeaderHeight = 25;
    FLineColor = clSilver;
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    FItemIndex = FOldItemIndex = -1;
    FCompletion.SetEnabled(true);
    FLookupEntry.clear();
    FMatchCase = false;
    FMatchStart = true;
    SetAutoSelect(true);
    FCompletion.Forget();
    FDropDownAutoWidth = true;
    SetSelectionColorStyle(scOffice2007);
    FSelectionTextColor = clBlack;
    FColumnSizeWithDropDown = true;
    FDropDownRowHeight = 22;
}

void TAdvMultiColumnDropDown::Assign(TPersistent* Source)
{
    TAdvCustomDropDown::Assign(Source);
    auto* s = dynamic_cast<TAdvMultiColumnDropDown*>(Source);
    if (!s) return;
    FCaseSensitive = s->FCaseSensitive;
    FDropDownAutoWidth = s->FDropDownAutoWidth;
    FDropDownRowHeight = s->FDropDownRowHeight;
    FLineColor = s->FLineColor;
    FFixedLineColor = s->FFixedLineColor;
    FColumnSizing = s->FColumnSizing;
    FColumnSizeWithDropDown = s->FColumnSizeWithDropDown;
    FColumns->Assign(s->FColumns.get());
    FHeaderColor = s->FHeaderColor;
    FHeaderColorTo = s->FHeaderColorTo;
    FHeaderHeight = s->FHeaderHeight;
    FHeaderFont->Assign(s->FHeaderFont.get());
    FLookupColumn = s->FLookupColumn;
    FSelectionTextColor = s->FSelectionTextColor;
    FItems->Assign(s->FItems.get());
    FItemIndex = s->FItemIndex;
}

void TAdvMultiColumnDropDown::Loaded()
{
    TAdvCustomDropDown::Loaded();
    RebuildLookupList();
}

QString TAdvMultiColumnDropDown::LookupText(int Item) const
{
    if (Item < 0 || Item >= FItems->Count() || FLookupColumn < 0) return QString();
    const QStringList& t = FItems->Items(Item)->Text();
    return FLookupColumn < t.size() ? t[FLookupColumn] : QString();
}

void TAdvMultiColumnDropDown::RebuildLookupList()
{
    if (FLookupColumn < 0 || FItems->Count() == 0) return;
    FLookupList.clear();
    FLookupIndex.Clear();
    FLookupList.reserve(FItems->Count());
    for (int i = 0; i < FItems->Count(); ++i) FLookupList << LookupText(i);
}

int TAdvMultiColumnDropDown::GetItemIndex(const QString& Value) const
{
    return FItems->IndexInColumn(FLookupColumn, Value);
}

int TAdvMultiColumnDropDown::LookupIndexOfText(const QString& Text) const
{
    for (int i = 0; i < FLookupList.size(); ++i)
        if (FLookupList[i].compare(Text, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void TAdvMultiColumnDropDown::SetItemIndex(int V)
{
    if (V >= FItems->Count()) return;
    FItemIndex = V;
    const QString text = LookupText(V);
    if (TControl::Text() != text) SetTextDirect(text);
    Invalidate();
}

void TAdvMultiColumnDropDown::SetItemIndexDirect(int V)
{
    if (V < FItems->Count()) FItemIndex = V;
}

// ---- the pop-up

void TAdvMultiColumnDropDown::CreateDropDownForm()
{
    TAdvCustomDropDown::CreateDropDownForm();
    TDropDownForm* form = DropDownForm();
    if (!form) return;
    if (!FGrid) {
        FGrid = new TAdvColGrid(this);
        FGrid->SetParent(form);
    }
    FGrid->SetDropDown(this);
    SetFocusControl(FGrid);
    FGrid->SetBounds(0, 0, FGrid->Width(), 180);
    FGrid->SetColor(DropDownColor());
}

void TAdvMultiColumnDropDown::DropDownFormDestroyed()
{
    TAdvCustomDropDown::DropDownFormDestroyed();
    if (!HasState(csDestroying)) FGrid = nullptr;
}

void TAdvMultiColumnDropDown::BeforeDropDown()
{
    TAdvCustomDropDown::BeforeDropDown();
    if (TDropDownForm* form = DropDownForm()) form->SetCancelOnDeActivate(false);
    if (!FGrid) return;
    FShowing = true;
    FGrid->LoadFromDropDown(this);
    TGridOptions o = FGrid->Options();
    o.Include(goThumbTracking);
    FGrid->SetOptions(o);
    FGrid->SetColor(DropDownColor());
    FGrid->OnSelectCell = [this](TObject*, int, int ARow, bool&) { GridSelectCell(ARow); };
    FGrid->OnSelect = [this](TObject*) { GridSelect(); };
    if (FGrid->RowCount() > 1) FGrid->SetRow(std::max(FItemIndex + 1, FGrid->FixedRows()));
    FOldItemIndex = FItemIndex;
}

void TAdvMultiColumnDropDown::AdaptDropDownHeight(int& Height)
{
    int bars = 0;
    if (DropDownHeader()->Visible()) bars += DropDownHeader()->Height();
    if (DropDownFooter()->Visible()) bars += DropDownFooter()->Height();
    Height = MultiColumnAdaptHeight(Height, bars, FHeaderHeight, FDropDownRowHeight);
}

void TAdvMultiColumnDropDown::DoShowDropDown()
{
    TAdvCustomDropDown::DoShowDropDown();
    if (FGrid) {
        SizeColumnsToDropDown();
        if (FGrid->RowCount() > 1) {
            const int row = FItemIndex < 0 ? 1 : std::min(FItemIndex + 1, FGrid->RowCount() - 1);
            FGrid->SetRow(row);
            if (row < FGrid->TopRow() || row >= FGrid->TopRow() + FGrid->VisibleRowCount())
                FGrid->SetTopRow(std::max(row - FGrid->VisibleRowCount() + 1, FGrid->FixedRows()));
        }
        // The columns fit the pop-up: the list starts at its first column.
        FGrid->SetLeftCol(0);
    }
    FShowing = false;
}

void TAdvMultiColumnDropDown::PlaceDropDownControl()
{
    if (FGrid && Control() != FGrid) {
        SetControl(FGrid);  // places it
        return;
    }
    TAdvCustomDropDown::PlaceDropDownControl();
}

void TAdvMultiColumnDropDown::UpdateDropDownSize()
{
    TAdvCustomDropDown::UpdateDropDownSize();
    TDropDownForm* form = DropDownForm();
    if (!FDropDownAutoWidth || !form || !FGrid) return;
    FGrid->SetWidth(FGrid->TotalWidth());
    form->SetWidth(FGrid->Width() + 2 * DropDownBorderWidth());
    FGrid->SetAlign(alNone);
    FGrid->SetAlign(alClient);
}

void TAdvMultiColumnDropDown::SizeColumnsToDropDown()
{
    TDropDownForm* form = DropDownForm();
    if (!FColumnSizeWithDropDown || !FGrid || !form) return;
    FGrid->SetScrollBars(TScrollStyle::ssVertical);
    if (FColumns->Count() == 0) return;
    std::vector<int> widths;
    for (int i = 0; i < FColumns->Count(); ++i) widths.push_back(FColumns->Items(i)->Width());
    int available = form->Width();
    if (FGrid->VisibleRowCount() + FGrid->FixedRows() < FGrid->RowCount())
        available -= GetOsProfile().ScrollBarExtent;
    const std::vector<int> fitted = MultiColumnFitWidths(widths, available);
    for (int i = 0; i < int(fitted.size()) && i < FGrid->ColCount(); ++i) FGrid->SetColWidths(i, fitted[i]);
}

void TAdvMultiColumnDropDown::DoHideDropDown(bool Cancel)
{
    TDropDownForm* form = DropDownForm();
    if (!form || !form->Visible()) {
        TAdvCustomDropDown::DoHideDropDown(Cancel);
        return;
    }
    TAdvCustomDropDown::DoHideDropDown(Cancel);
    if (Cancel) {
        SetItemIndex(FOldItemIndex);
        return;
    }
    if (FGrid && FGrid->ConfirmSelection()) SetItemIndex(FGrid->Row() - 1);
    FOldItemIndex = FItemIndex;
}

void TAdvMultiColumnDropDown::DropDownFormSizing(TObject* Sender)
{
    TAdvCustomDropDown::DropDownFormSizing(Sender);
    SizeColumnsToDropDown();
}

void TAdvMultiColumnDropDown::GridSelectCell(int ARow)
{
    if (!FGrid || FGrid->MouseWheel() || FShowing) return;
    SetItemIndex(ARow - 1);
}

void TAdvMultiColumnDropDown::GridSelect()
{
    if (!FGrid) return;
    if (FGrid->ConfirmSelection()) SetItemIndex(FGrid->Row() - 1);
    DoHideDropDown(false);
    if (OnSelect) OnSelect(this);
}

// ---- keys of the open list

namespace {
bool MultiColumnListKey(Word Key, TShiftState Shift)
{
    return !Shift.Contains(ssAlt) && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN);
}
}  // namespace

void TAdvMultiColumnDropDown::ControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (!MultiColumnListKey(Key, Shift)) TAdvCustomDropDown::ControlKeyDown(Sender, Key, Shift);
}

void TAdvMultiColumnDropDown::ControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (!MultiColumnListKey(Key, Shift)) TAdvCustomDropDown::ControlKeyUp(Sender, Key, Shift);
}

void TAdvMultiColumnDropDown::ControlKeyPress(TObject*, QChar& Key)
{
    // Navigation keys give no characters: only Enter and Esc are tested.
    const bool navigation = Key == QChar(VK_RETURN) || Key == QChar(VK_ESCAPE);
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if ((navigation && !alt) || (FGrid && FGrid->Options().Contains(goEditing))) {
        FLookupEntry.clear();
        return;
    }
    const int item = ProcessLookupKey(Key);
    if (item < 0 || !FGrid) {
        FLookupEntry.clear();
        return;
    }
    const int row = item + FGrid->FixedRows();
    if (row >= FGrid->RowCount()) return;
    if (row < FGrid->TopRow() || row > FGrid->TopRow() + FGrid->VisibleRowCount()) FGrid->SetTopRow(row);
    // The text and its selection are set already; the row follows silently.
    const bool showing = FShowing;
    FShowing = true;
    FGrid->SetRow(row);
    FGrid->SetCol(0);
    FShowing = showing;
}

int TAdvMultiColumnDropDown::FindLookupMatch(const QString& Entry)
{
    if (!FGrid || Entry.isEmpty() || FLookupColumn < 0) return -1;
    const Qt::CaseSensitivity cs = FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < FItems->Count(); ++i) {
        const QStringList& t = FItems->Items(i)->Text();
        if (FLookupColumn >= t.size() || !t[FLookupColumn].startsWith(Entry, cs)) continue;
        SetItemIndexDirect(i);
        const QString text = t[FLookupColumn];
        SetTextDirect(text);
        SetSelection(int(Entry.size()), int(text.size()));
        return i;
    }
    return -1;
}

int TAdvMultiColumnDropDown::ProcessLookupKey(QChar K)
{
    if (K == QChar(VK_BACK)) {
        QString text = TControl::Text();
        if (SelLength() == 0) {
            FLookupEntry.chop(1);
            text = FLookupEntry;
        } else {
            text.remove(SelStart(), SelLength());
        }
        SetTextDirect(text);
        SetSelection(int(text.size()), int(text.size()));
        return -1;
    }
    if (K != QChar(VK_TAB)) FLookupEntry += K;
    const int found = FindLookupMatch(FLookupEntry);
    if (found >= 0) return found;
    const int restart = FindLookupMatch(QString(K));
    if (restart >= 0) FLookupEntry = QString(K);
    return restart;
}

// ---- the edit's keys

void TAdvMultiColumnDropDown::HandleChange()
{
    FCompletion.Forget();
    TAdvCustomDropDown::HandleChange();
    if (HasState(csDesigning) || !FCompletion.Enabled() || FLookupList.isEmpty()) return;
    const QStringList& list = FLookupList;
    FCompletion.Change(
        *this, FLookupIndex, int(list.size()), [&list](int i) { return QStringView(list[i]); }, FMatchCase,
        FItems->Count(), [this](int i) { SetItemIndexDirect(i); });
}

void TAdvMultiColumnDropDown::HandleKeyDown(Word& Key, TShiftState Shift)
{
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
    if (key == VK_ESCAPE) SetItemIndex(LookupIndexOfText(TControl::Text()));
}

void TAdvMultiColumnDropDown::HandleKeyPress(QChar& Key)
{
    if (Key == QChar(VK_RETURN) && ReturnIsTab()) {
        Key = QChar();
        return;
    }
    TAdvCustomDropDown::HandleKeyPress(Key);
}

void TAdvMultiColumnDropDown::HandleKeyUp(Word& Key, TShiftState Shift)
{
    if (!(Key == VK_RETURN && ReturnIsTab())) TAdvCustomDropDown::HandleKeyUp(Key, Shift);
    FCompletion.KeyUp(*this, [this](int i) { SetItemIndex(i); });
}

void TAdvMultiColumnDropDown::StepItem(int Delta)
{
    const int n = FItems->Count();
    if (n == 0) return;
    if (FItemIndex < 0) {
        SetItemIndex(0);
        return;
    }
    const int next = std::clamp(FItemIndex + Delta, 0, n - 1);
    if (next != FItemIndex) SetItemIndex(next);
}

void TAdvMultiColumnDropDown::KeyDownMessage(TMessage& Message)
{
    TAdvCustomDropDown::KeyDownMessage(Message);
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (!Enabled() || alt || FItems->Count() == 0) return;
    switch (Word(Message.WParam)) {
    case VK_PRIOR: StepItem(-10); break;
    case VK_NEXT: StepItem(10); break;
    case VK_END:
        if (!EditorEnabled()) SetItemIndex(FItems->Count() - 1);
        break;
    case VK_HOME:
        if (!EditorEnabled()) SetItemIndex(0);
        break;
    case VK_UP: StepItem(-1); break;
    case VK_DOWN: StepItem(1); break;
    default: break;
    }
}

void TAdvMultiColumnDropDown::DoWheelDown()
{
    TAdvCustomDropDown::DoWheelDown();
    StepItem(1);
}

void TAdvMultiColumnDropDown::DoWheelUp()
{
    TAdvCustomDropDown::DoWheelUp();
    StepItem(-1);
}

}  // namespace AdvMultiColumnDropDown
