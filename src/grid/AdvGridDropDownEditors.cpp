// The drop-down cell editors: the adapters' protocol and the grid's side
// (the getters, opening over a cell, storing the value, the relays).

#include "AdvGridDropDownEditors.h"

#include "AdvGrid.h"
#include "AdvGridCellGraphic.h"
#include "AdvGridEditors.h"
#include "AdvGridLook.h"
#include "AdvObj.h"
#include "SysFormat.h"

#include <QCursor>
#include <QWidget>

// What the adapters read and write of the grid's editing state.
struct TGridDropDownAccess {
    static const QString& NewCellText(TAdvStringGrid* g) { return g->FNewCellText; }
    static bool BlockKill(TAdvStringGrid* g) { return g->FBlockKill; }
    static bool& LButFlg(TAdvStringGrid* g) { return g->LButFlg; }
    static void Focus(TAdvStringGrid* g, TWinControl* c) { g->FocusEditor(c); }
    static void Hide(TAdvStringGrid* g, TWinControl* c) { g->HideEditorControl(c); }
    static void GridKeyDown(TAdvStringGrid* g, Word Key, TShiftState Shift)
    {
        Word k = Key;
        g->KeyDown(k, Shift);
    }
    static bool& Escaped(TAdvStringGrid* g) { return g->FDropDownEscaped; }
    static TAdvCustomDropDown*& Slot(TAdvStringGrid* g, TEditorType t) { return g->FDropDownEditors[t - edTrackbarDropDown]; }
};
using GridDropDownAccess = TGridDropDownAccess;

namespace {

void GridDropDownFocusGrid(TAdvStringGrid* g)
{
    if (!g->CanFocus()) return;
    try {
        g->SetFocus();
    } catch (const EInvalidOperation&) {
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// The adapters' protocol

template <class E>
TGridDropDownAdapter<E>::TGridDropDownAdapter(TComponent* AOwner, TGridDropDownTraits Traits)
    : E(AOwner), FGrid(dynamic_cast<TAdvStringGrid*>(AOwner)), FTraits(Traits)
{
}

template <class E>
void TGridDropDownAdapter<E>::PutText(const QString& Value)
{
    if (FTraits.FormattedText)
        this->SetText(Value);
    else
        this->SetTextDirect(Value);
}

template <class E>
bool TGridDropDownAdapter<E>::EndingKey(Word Key, TShiftState Shift) const
{
    if (FTraits.ColorKeys) {
        if (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE) return true;
        if (this->DroppedDown()) return false;
        return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP ||
               (Key == VK_DOWN && !Shift.Contains(ssAlt));
    }
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
           Key == VK_END || Key == VK_UP || (Key == VK_DOWN && !Shift.Contains(ssAlt));
}

template <class E>
void TGridDropDownAdapter<E>::HandleKeyDown(Word& Key, TShiftState Shift)
{
    Forced = false;
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    TAdvStringGrid* g = FGrid;
    if (!g || !this->Visible() || !EndingKey(Key, Shift)) {
        E::HandleKeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        PutText(g->CurrentCell());
        if (this->DroppedDown()) this->HideDropDown(true);
        PutText(g->CurrentCell());
        // The cell keeps its own text: an editor whose value reads back in
        // another form (memo lines, a time, a colour) stores nothing.
        GridDropDownAccess::Escaped(g) = true;
        g->HideInplaceEdit();
        GridDropDownAccess::Escaped(g) = false;
        GridDropDownFocusGrid(g);
        Key = 0;
        return;
    }
    const bool validated = FTraits.ColorKeys ? Key == VK_RETURN : (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN);
    if (validated) {
        if (FTraits.CalcOnEnter && Key == VK_RETURN) {
            if (auto* calc = dynamic_cast<TAdvCalculatorDropdown*>(this)) calc->CalcResult();
        }
        g->SetCurrentCell(this->Text());
        if (!g->ValidateCell(this->Text())) {
            PutText(GridDropDownAccess::NewCellText(g));
            this->SelectAll();
            this->Invalidate();
            Key = 0;
            g->SetNoAutoAdvance(true);
            return;
        }
        PutText(g->CurrentCell());
    } else if (Key == VK_TAB && g->TabEndsEdit()) {
        g->SetCurrentCell(this->Text());
        if (!g->ValidateCell(this->Text())) {
            PutText(GridDropDownAccess::NewCellText(g));
            this->SetSelStart(int(this->Text().size()));
            this->Invalidate();
            Key = 0;
            return;
        }
        if (g->Options().Contains(goTabs)) {
            g->HideInplaceEdit();
            GridDropDownFocusGrid(g);
            g->TabNavigate(Shift.Contains(ssShift));
            Key = 0;
            return;
        }
        g->PostKey(VK_TAB, Shift);
    }
    if (this->DroppedDown()) {
        this->HideDropDown(false);
        g->HideInplaceEdit();
        if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) Key = 0;
    } else if (Key == VK_END || (Key == VK_DOWN && Shift.Contains(ssAlt))) {
        E::HandleKeyDown(Key, Shift);
        return;
    }
    const Word k = Key;
    g->DoneInplaceEdit(k, Shift);
    if (g->Navigation()->AdvanceOnEnter() && g->Navigation()->AdvanceAutoEdit()) g->ShowInplaceEdit();
    Key = 0;
    E::HandleKeyDown(Key, Shift);
}

template <class E>
void TGridDropDownAdapter<E>::KeyDownMessage(TMessage& Message)
{
    // A closed editor without typing hands only Enter and Esc on to the
    // key-down handling; its other ending keys are taken here. While the
    // pop-up shows, the editor's own keys move in it.
    Word key = Word(Message.WParam);
    if (FGrid && this->Visible() && !this->EditorEnabled() && !this->DroppedDown() && key != VK_RETURN &&
        key != VK_ESCAPE) {
        TShiftState shift;
        if (GetKeyState(VK_SHIFT) & 0x8000) shift += ssShift;
        if (GetKeyState(VK_CONTROL) & 0x8000) shift += ssCtrl;
        if (GetKeyState(VK_MENU) & 0x8000) shift += ssAlt;
        if (EndingKey(key, shift)) {
            HandleKeyDown(key, shift);
            if (key == 0) {
                Message.WParam = 0;
                Message.Result = 0;
                return;
            }
        }
    }
    E::KeyDownMessage(Message);
}

template <class E>
void TGridDropDownAdapter<E>::HandleKeyPress(QChar& Key)
{
    if (FGrid && FGrid->OnKeyPress) FGrid->OnKeyPress(this, Key);
    const char16_t c = Key.unicode();
    if (c == 27 || c == 13 || c == 9) Key = QChar();
    E::HandleKeyPress(Key);
}

template <class E>
void TGridDropDownAdapter<E>::HandleChange()
{
    E::HandleChange();
    if (FGrid && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), this->Text());
}

template <class E>
void TGridDropDownAdapter<E>::WantSpecialKeyMessage(TMessage& Message)
{
    E::WantSpecialKeyMessage(Message);
    if (!FGrid) return;
    if (Message.WParam == VK_TAB && FGrid->TabEndsEdit()) Message.Result = 1;
    if (FTraits.ClaimEnterEsc && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE)) Message.Result = 1;
}

template <class E>
void TGridDropDownAdapter<E>::SetFocusMessage(TMessage& Message)
{
    E::SetFocusMessage(Message);
    if (!FTraits.CaretUnderMouse || !FGrid || !GridDropDownAccess::LButFlg(FGrid) || !this->Widget()) return;
    const QPoint p = this->Widget()->mapFromGlobal(QCursor::pos());
    if (p.x() < 0 || p.x() > this->Width() || p.y() < 0 || p.y() > this->Height()) return;
    const int i = this->CharFromPos(TPoint(p.x(), p.y()));
    if (i < 0) return;
    this->SetSelStart(i);
    this->SetSelLength(0);
    GridDropDownAccess::LButFlg(FGrid) = false;
}

template <class E>
void TGridDropDownAdapter<E>::DoExit()
{
    // Focus moving into the editor's own pop-up does not end the edit.
    if (FGrid && this->Visible() && !this->DroppedDown() && !GridDropDownAccess::BlockKill(FGrid))
        FGrid->HideInplaceEdit();
    E::DoExit();
}

template class TGridDropDownAdapter<TAdvTrackBarDropDown>;
template class TGridDropDownAdapter<TAdvMemoDropDown>;
template class TGridDropDownAdapter<TAdvCalculatorDropdown>;
template class TGridDropDownAdapter<TAdvTimePickerDropDown>;
template class TGridDropDownAdapter<TAdvDetailDropDown>;
template class TGridDropDownAdapter<TAdvColorPickerDropDown>;
template class TGridDropDownAdapter<TAdvImagePickerDropDown>;
template class TGridDropDownAdapter<AdvMultiColumnDropDown::TAdvMultiColumnDropDown>;
template class TGridDropDownAdapter<TCustomAdvGridDropDown>;

TGridTrackbarDropDown::TGridTrackbarDropDown(TComponent* AOwner)
    : TGridDropDownAdapter(AOwner, {.ClaimEnterEsc = true, .CaretUnderMouse = true, .FormattedText = true})
{
}

TGridMemoDropDown::TGridMemoDropDown(TComponent* AOwner)
    : TGridDropDownAdapter(AOwner, {.CaretUnderMouse = true})
{
}

TGridCalculatorDropDown::TGridCalculatorDropDown(TComponent* AOwner)
    : TGridDropDownAdapter(AOwner, {.CaretUnderMouse = true, .CalcOnEnter = true})
{
}

TGridTimepickerDropDown::TGridTimepickerDropDown(TComponent* AOwner)
    : TGridDropDownAdapter(AOwner, {})
{
}

void TGridTimepickerDropDown::InitializeEditor()
{
    TGridDropDownAdapter::InitializeEditor();
    SetFocusDraw(false);
}

TGridDetailPickerDropDown::TGridDetailPickerDropDown(TComponent* AOwner)
    : TGridDropDownAdapter(AOwner, {})
{
}

void TGridDetailPickerDropDown::StartEdit(const QString& Text)
{
    SetTextDirect(Text);
    // The cell's own item, or none: an item of an earlier edit must not
    // come back on a cancelled pop-up.
    SetItemIndexDirect(Items()->IndexOf(Text));
}

TGridColorDropDown::TGridColorDropDown(TComponent* AOwner)
    : TGridDropDownAdapter(AOwner, {.ClaimEnterEsc = true, .ColorKeys = true})
{
}

TGridImageDropDown::TGridImageDropDown(TComponent* AOwner)
    : TGridDropDownAdapter(AOwner, {})
{
}

TGridGridDropDown::TGridGridDropDown(TComponent* AOwner)
    : TGridDropDownAdapter(AOwner, {})
{
}

void TGridGridDropDown::StartEdit(const QString& Text)
{
    SetEditorEnabled(true);
    SetItemIndex(Text.isEmpty() ? 0 : GetItemIndex(Text));
    SetTextDirect(Text);
}

TGridAdvGridDropDown::TGridAdvGridDropDown(TComponent* AOwner)
    : TGridDropDownAdapter(AOwner, {})
{
}

TAdvStringGrid* TGridAdvGridDropDown::Grid() const
{
    return GetGrid();
}

void TGridAdvGridDropDown::StartEdit(const QString& Text)
{
    SetEditorEnabled(true);
    if (FGrid) GetGrid()->SetFixedRowAlways(true);
    if (UseItems()) {
        if (Text.isEmpty()) {
            SetItemIndex(0);
        } else {
            SetItemIndexDirect(-1);
            FindLookupMatch(Text);
        }
    }
    SetTextDirect(Text);
}

// ---------------------------------------------------------------------------
// The grid's side

namespace {

template <class T>
T* GridDropDownEditor(TAdvStringGrid* g, TEditorType t, bool EditorOn)
{
    TAdvCustomDropDown*& slot = GridDropDownAccess::Slot(g, t);
    if (!slot) {
        T* d = Create<T>(g);
        d->SetParent(g);
        d->SetVisible(false);
        d->SetEnabled(false);
        d->SetComponentStyle(g->Style());
        if (EditorOn) d->SetEditorEnabled(true);
        slot = d;
    }
    return static_cast<T*>(slot);
}

}  // namespace

TGridTrackbarDropDown* TAdvStringGrid::TrackbarDropDown()
{
    return GridDropDownEditor<TGridTrackbarDropDown>(this, edTrackbarDropDown, true);
}

TGridMemoDropDown* TAdvStringGrid::MemoDropDown()
{
    const bool fresh = !FDropDownEditors[edMemoDropDown - edTrackbarDropDown];
    TGridMemoDropDown* d = GridDropDownEditor<TGridMemoDropDown>(this, edMemoDropDown, false);
    if (fresh) d->OnChange = [this](TObject* s) { MemoTextToCell(s); };
    return d;
}

TGridCalculatorDropDown* TAdvStringGrid::CalculatorDropDown()
{
    return GridDropDownEditor<TGridCalculatorDropDown>(this, edCalculatorDropDown, true);
}

TGridTimepickerDropDown* TAdvStringGrid::TimePickerDropDown()
{
    return GridDropDownEditor<TGridTimepickerDropDown>(this, edTimePickerDropDown, false);
}

TGridDetailPickerDropDown* TAdvStringGrid::DetailPickerDropDown()
{
    return GridDropDownEditor<TGridDetailPickerDropDown>(this, edDetailDropDown, false);
}

TGridColorDropDown* TAdvStringGrid::ColorPickerDropDown()
{
    const bool fresh = !FDropDownEditors[edColorPickerDropDown - edTrackbarDropDown];
    TGridColorDropDown* d = GridDropDownEditor<TGridColorDropDown>(this, edColorPickerDropDown, false);
    if (fresh) d->AddDefaultColors();
    return d;
}

TGridImageDropDown* TAdvStringGrid::ImagePickerDropDown()
{
    return GridDropDownEditor<TGridImageDropDown>(this, edImagePickerDropDown, false);
}

TGridGridDropDown* TAdvStringGrid::GridDropDown()
{
    return GridDropDownEditor<TGridGridDropDown>(this, edGridDropDown, false);
}

TGridAdvGridDropDown* TAdvStringGrid::AdvGridDropDown()
{
    return GridDropDownEditor<TGridAdvGridDropDown>(this, edAdvGridDropDown, true);
}

void TAdvStringGrid::DropDownHeaderButtonClick(TObject*, int ButtonIndex)
{
    if (OnDropDownHeaderButtonClick) OnDropDownHeaderButtonClick(this, Col(), Row(), ButtonIndex);
}

void TAdvStringGrid::DropDownFooterButtonClick(TObject*, int ButtonIndex)
{
    if (OnDropDownFooterButtonClick) OnDropDownFooterButtonClick(this, Col(), Row(), ButtonIndex);
}

void TAdvStringGrid::MemoTextToCell(TObject* Sender)
{
    if (auto* m = dynamic_cast<TAdvMemoDropDown*>(Sender)) SetEditText(Col(), Row(), m->Text());
}

void TAdvStringGrid::DoColorSelect(int ACol, int ARow, TColor& AColor, QString& Value)
{
    if (OnColorSelected) OnColorSelected(this, ACol, ARow, AColor, Value);
}

void TAdvStringGrid::DoImageSelect(int ACol, int ARow, int& Index)
{
    if (OnImageSelected) OnImageSelected(this, ACol, ARow, Index);
}

namespace {

TAdvCustomDropDown* GridDropDownFor(TAdvStringGrid* g, TEditorType t)
{
    switch (t) {
    case edTrackbarDropDown: return g->TrackbarDropDown();
    case edMemoDropDown: return g->MemoDropDown();
    case edCalculatorDropDown: return g->CalculatorDropDown();
    case edTimePickerDropDown: return g->TimePickerDropDown();
    case edDetailDropDown: return g->DetailPickerDropDown();
    case edColorPickerDropDown: return g->ColorPickerDropDown();
    case edImagePickerDropDown: return g->ImagePickerDropDown();
    case edGridDropDown: return g->GridDropDown();
    case edAdvGridDropDown: return g->AdvGridDropDown();
    default: return nullptr;
    }
}

// The colour a colour cell shows: a shape's fill, else the cell's colour.
TColor GridDropDownCellColor(TAdvStringGrid* g, int c, int r)
{
    TCellGraphic* cg = g->CellGraphics(c, r);
    if (cg && cg->CellType() == ctShape) return cg->CellColorTo();
    return g->Colors(c, r);
}

}  // namespace

bool TAdvStringGrid::ShowDropDownEditor(int ACol, int ARow, TEditorType AEditor, const TRect& R)
{
    TAdvCustomDropDown* d = GridDropDownFor(this, AEditor);
    if (!d) return false;
    const int c = RealColIndex(ACol);
    const QString editText = GetEditText(ACol, ARow);
    TBrush brush;
    TFont font;
    TAlignment ha = taLeftJustify;
    EditorCellLook(this, ACol, ARow, &brush, &font, ha);

    if (ControlLook()) {
        d->DropDownHeader()->Assign(ControlLook()->DropDownHeader());
        d->DropDownFooter()->Assign(ControlLook()->DropDownFooter());
    }
    d->SetComponentStyle(Style());
    d->OnDropDownHeaderButtonClick = [this](TObject* s, int i) { DropDownHeaderButtonClick(s, i); };
    d->OnDropDownFooterButtonClick = [this](TObject* s, int i) { DropDownFooterButtonClick(s, i); };
    GetEditorProp(c, ARow, FEditLink);
    d->SetBounds(R.Left, R.Top, 0, 0);
    d->SetBounds(R.Left, R.Top, R.Width(), R.Height());

    switch (AEditor) {
    case edTrackbarDropDown: {
        auto* t = static_cast<TGridTrackbarDropDown*>(d);
        // A cell that is no whole number opens at the minimum.
        int v = 0;
        t->SetPosition(TryStrToInt(editText.trimmed(), v) ? v : t->Min());
        break;
    }
    case edMemoDropDown:
        d->SetTextDirect(editText);
        d->SetSelStart(0);
        d->SetSelLength(0);
        break;
    case edTimePickerDropDown:
        d->SetEditorEnabled(true);
        d->SetTextDirect(editText);
        break;
    case edDetailDropDown:
        static_cast<TGridDetailPickerDropDown*>(d)->StartEdit(editText);
        break;
    case edGridDropDown:
        static_cast<TGridGridDropDown*>(d)->StartEdit(editText);
        break;
    case edAdvGridDropDown:
        static_cast<TGridAdvGridDropDown*>(d)->StartEdit(editText);
        break;
    case edColorPickerDropDown:
        static_cast<TGridColorDropDown*>(d)->SetSelectedColor(GridDropDownCellColor(this, c, ARow));
        break;
    case edImagePickerDropDown: {
        auto* p = static_cast<TGridImageDropDown*>(d);
        TCellGraphic* cg = CellGraphics(c, ARow);
        if (cg && (cg->CellType() == ctImageList || cg->CellType() == ctDataImage)) {
            p->SetImages(GridImages());
            if (p->Items()->Count() == 0) p->AddImagesFromImageList();
            int index = cg->CellIndex();
            if (cg->CellType() == ctDataImage && !TryStrToInt(Cells(c, ARow).trimmed(), index)) index = -1;
            p->SetImageIndex(index);
            const int i = p->ItemIndex();
            p->SetTextDirect(i >= 0 ? p->Items()->Items(i)->Caption() : QString());
        }
        break;
    }
    default:
        d->SetTextDirect(editText);
        break;
    }
    d->SetColor(brush.Color());
    d->SetVisible(true);
    d->SetEnabled(true);
    GridDropDownAccess::Focus(this, d);
    if (MouseActions()->DirectComboDrop()) d->ShowDropDown();
    return true;
}

bool TAdvStringGrid::StoreDropDownEditor(int ACol, int ARow, TEditorType AEditor)
{
    if (AEditor < edTrackbarDropDown || AEditor > edAdvGridDropDown) return false;
    TAdvCustomDropDown* d = FDropDownEditors[AEditor - edTrackbarDropDown];
    if (!d || !d->Visible()) return false;
    const int c = RealColIndex(ACol);
    switch (FDropDownEscaped ? edNone : AEditor) {
    case edNone:
        break;
    case edMemoDropDown:
        StoreEditValue(c, ARow, static_cast<TGridMemoDropDown*>(d)->MemoText()->Text());
        break;
    case edColorPickerDropDown: {
        auto* p = static_cast<TGridColorDropDown*>(d);
        TColor color = p->SelectedColor();
        QString value = p->SelectedColorText();
        DoColorSelect(c, ARow, color, value);
        StoreEditValue(c, ARow, value);
        TCellGraphic* cg = CellGraphics(c, ARow);
        if (cg && cg->CellType() == ctShape) {
            cg->SetCellColors(cg->CellColor(), color);
            RepaintCell(ACol, ARow);
        } else {
            SetColors(c, ARow, color);
        }
        break;
    }
    case edImagePickerDropDown: {
        int index = static_cast<TGridImageDropDown*>(d)->ImageIndex();
        DoImageSelect(c, ARow, index);
        TCellGraphic* cg = CellGraphics(c, ARow);
        if (cg && cg->CellType() == ctImageList) {
            cg->SetCellIndex(index);
            RepaintCell(ACol, ARow);
        } else if (cg && cg->CellType() == ctDataImage) {
            StoreEditValue(c, ARow, QString::number(index));
        }
        break;
    }
    default:
        StoreEditValue(c, ARow, d->Text());
        break;
    }
    if (d->DroppedDown()) d->HideDropDown(false);
    GridDropDownAccess::Hide(this, d);
    return true;
}
