#include "AdvColorPickerDropDown.h"

#include "AdvDropDownForm.h"
#include "ExtCtrls.h"
#include "OsProfile.h"
#include "SysFormat.h"

namespace {

struct NamedColor {
    const char* Name;
    unsigned Rgb;
};
// The entries AddDefaultColors adds, in order.
constexpr NamedColor DefaultColors[] = {
    {"Black", 0x000000}, {"Maroon", 0x800000}, {"Green", 0x008000},  {"Olive", 0x808000},
    {"Navy", 0x000080},  {"Purple", 0x800080}, {"Teal", 0x008080},   {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},   {"Lime", 0x00FF00},   {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF}, {"White", 0xFFFFFF},
};
// The basic web colour names; where two share a value the alphabetically
// first is listed.
constexpr NamedColor WebNames[] = {
    {"aqua", 0x00FFFF},  {"black", 0x000000}, {"blue", 0x0000FF},   {"fuchsia", 0xFF00FF},
    {"gray", 0x808080},  {"green", 0x008000}, {"lime", 0x00FF00},   {"maroon", 0x800000},
    {"navy", 0x000080},  {"olive", 0x808000}, {"orange", 0xFFA500}, {"purple", 0x800080},
    {"red", 0xFF0000},   {"silver", 0xC0C0C0}, {"teal", 0x008080},  {"white", 0xFFFFFF},
    {"yellow", 0xFFFF00},
};

QString Hex2(int v)
{
    return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

QString WebColorName(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    const unsigned rgb = unsigned(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
    for (const NamedColor& n : WebNames)
        if (n.Rgb == rgb) return QString::fromLatin1(n.Name);
    return QLatin1Char('#') + Hex2(GetRValue(c)) + Hex2(GetGValue(c)) + Hex2(GetBValue(c));
}

// ---------------------------------------------------------------------------
// Colour entries

void TColorItem::SetCaption(const QString& v)
{
    if (v == FCaption) return;
    FCaption = v;
    Changed(false);
}

void TColorItem::SetColor(TColor v)
{
    if (v == FColor) return;
    FColor = v;
    Changed(false);
}

void TColorItem::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TColorItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->FCaption);
    SetColor(s->FColor);
    FHint = s->FHint;
}

TColorItems::TColorItems(TPersistent* AOwner)
    : TCollection(ItemClassOf<TColorItem>()), FOwner(AOwner)
{
}

void TColorItems::Update(TCollectionItem* Item)
{
    if (Item && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// The drop-down

TAdvColorPickerDropDown::TAdvColorPickerDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner), FColors(std::make_unique<TColorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this))
{
    FColors->OnChange = [](TObject*) {};
}

TAdvColorPickerDropDown::~TAdvColorPickerDropDown()
{
    if (FKeyTimer) FKeyTimer->SetEnabled(false);
}

void TAdvColorPickerDropDown::InitializeEditor()
{
    TAdvCustomDropDown::InitializeEditor();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FKeyTimer = new TTimer(this);
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(500);
    FKeyTimer->SetOnTimer([this](TObject*) { KeyTimerTick(); });
    SetDropDownHeight(200);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetCursor(crArrow);
}

void TAdvColorPickerDropDown::AddDefaultColors()
{
    for (const NamedColor& c : DefaultColors) {
        TColorItem* item = FColors->Add();
        item->SetCaption(QString::fromLatin1(c.Name));
        item->SetColor(RgbHex(c.Rgb));
    }
}

void TAdvColorPickerDropDown::SetItemIndex(int V)
{
    if (V >= FColors->Count()) return;
    FItemIndex = V;
    if (V >= 0) FSelectedColor = FColors->Items(V)->Color();
    Invalidate();
    if (OnSelect) OnSelect(this);
}

void TAdvColorPickerDropDown::SetSelectedColor(TColor V)
{
    if (V == FSelectedColor) return;
    FSelectedColor = V;
    int found = -1;
    for (int i = 0; i < FColors->Count() && found < 0; ++i)
        if (FColors->Items(i)->Color() == V) found = i;
    // Without an entry the list must not keep naming another colour.
    SetItemIndex(found);
    Invalidate();
}

QString TAdvColorPickerDropDown::SelectedColorText() const
{
    if (FColorSelectionStyle == csList && FItemIndex >= 0) return FColors->Items(FItemIndex)->Caption();
    const TColor rgb = ColorToRGB(FSelectedColor);
    switch (FColorValueText) {
    case cvtNone:
        return {};
    case cvtHex:
        return QStringLiteral("%1").arg(unsigned(FSelectedColor), 6, 16, QLatin1Char('0')).toUpper();
    case cvtWebName:
        return WebColorName(FSelectedColor);
    case cvtRGB:
        return QStringLiteral("Red:%1,Green:%2,Blue:%3").arg(GetRValue(rgb)).arg(GetGValue(rgb)).arg(GetBValue(rgb));
    case cvtHTML:
        return QLatin1Char('#') + Hex2(GetRValue(rgb)) + Hex2(GetGValue(rgb)) + Hex2(GetBValue(rgb));
    }
    return {};
}

void TAdvColorPickerDropDown::SetColorValueText(TColorValueText v)
{
    FColorValueText = v;
    Invalidate();
}

void TAdvColorPickerDropDown::SetShowText(bool v)
{
    if (v == FShowText) return;
    FShowText = v;
    Invalidate();
}

void TAdvColorPickerDropDown::SelectFirst()
{
    if (FColors->Count() > 0) SetItemIndex(0);
}

void TAdvColorPickerDropDown::SelectLast()
{
    if (FColors->Count() > 0) SetItemIndex(FColors->Count() - 1);
}

void TAdvColorPickerDropDown::SelectNext()
{
    if (FColors->Count() == 0) return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex < FColors->Count() - 1)
        SetItemIndex(FItemIndex + 1);
}

void TAdvColorPickerDropDown::SelectPrevious()
{
    if (FColors->Count() == 0) return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
}

void TAdvColorPickerDropDown::KeyTimerTick()
{
    FKeyTimer->SetEnabled(false);
    FLookup.clear();
}

// ---- contents

void TAdvColorPickerDropDown::CreateContent()
{
    TDropDownForm* form = DropDownForm();
    if (!form) return;
    switch (FColorSelectionStyle) {
    case csList:
        if (!FItemSelector) {
            FItemSelector = new TAdvCustomItemSelector(this);
            FItemSelector->SetParent(form);
            FItemSelector->SetSelectorType(stColor);
            FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
            FItemSelector->SetColor(DropDownColor());
            FItemSelector->UpdateSelectorPanel();
        }
        break;
    case csDiscrete:
        if (!FColorSelector) {
            FColorSelector = new TCustomColorSelector(this);
            FColorSelector->SetParent(form);
            FColorSelector->LoadDefaultPalette();
            FColorSelector->SetColor(DropDownColor());
            FColorSelector->UpdateLayout();
        }
        break;
    case csColorCube:
        if (!FCubePanel) {
            FCubePanel = new TAdvColorCubePanel(this);
            FCubePanel->SetParent(form);
            FCubePanel->SetColor(DropDownColor());
        }
        break;
    case csSpectrum:
        if (!FSpectrumPanel) {
            FSpectrumPanel = new TAdvColorSpectrumPanel(this);
            FSpectrumPanel->SetParent(form);
            FSpectrumPanel->SetColor(DropDownColor());
        }
        break;
    }
}

void TAdvColorPickerDropDown::CreateDropDownForm()
{
    TAdvCustomDropDown::CreateDropDownForm();
    CreateContent();
}

void TAdvColorPickerDropDown::FillSelector()
{
    if (!FItemSelector) return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(FColumns);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->SetColorBoxHeight(FColorBoxHeight);
    FItemSelector->SetColorBoxWidth(FColorBoxWidth);
    FItemSelector->Items()->Clear();
    for (int i = 0; i < FColors->Count(); ++i) {
        TSelectorItem* item = FItemSelector->Items()->Add();
        item->SetCaption(FColors->Items(i)->Caption());
        item->SetColor(FColors->Items(i)->Color());
        item->SetHint(FColors->Items(i)->Hint());
    }
    FItemSelector->ItemAppearance()->Assign(FItemAppearance.get());
    FItemSelector->UpdateSelectorPanel();
    if (FItemIndex >= 0) FItemSelector->SelectorPanel()->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject* s) { SelectorItemSelected(s); };
    FItemSelector->SetShowHint(ShowHint());
}

void TAdvColorPickerDropDown::ShowContent()
{
    CreateContent();
    TControl* shown = nullptr;
    switch (FColorSelectionStyle) {
    case csList:
        if (!FItemSelector) return;
        FillSelector();
        FItemSelector->OnDrawItem = OnDrawColor ? TDrawItemEvent([this](TObject*, TCanvas* c, TRect r, int i) {
            OnDrawColor(this, c, r, i);
        })
                                                : TDrawItemEvent();
        FOldItemIndex = FItemIndex;
        shown = FItemSelector;
        break;
    case csDiscrete:
        if (!FColorSelector) return;
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->UpdateLayout();
        FColorSelector->OnItemSelect = [this](TObject* s) { ColorSelectorSelected(s); };
        FColorSelector->SetItemColorStyle(SelectionColorStyle());
        shown = FColorSelector;
        break;
    case csColorCube:
        if (!FCubePanel) return;
        FCubePanel->SetSelectedColor(FSelectedColor);
        FCubePanel->InitCells();
        FCubePanel->ResetHot();
        FCubePanel->OnSelect = [this](TObject* s) { CubePanelSelected(s); };
        shown = FCubePanel;
        break;
    case csSpectrum:
        if (!FSpectrumPanel) return;
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->ArrangeSpectrum();
        FSpectrumPanel->OnSelect = [this](TObject* s) { SpectrumPanelSelected(s); };
        shown = FSpectrumPanel;
        break;
    }
    for (TControl* c : std::initializer_list<TControl*>{FItemSelector, FColorSelector, FCubePanel, FSpectrumPanel})
        if (c) c->SetVisible(c == shown);
    SetControl(shown);
    FOldSelectedColor = FSelectedColor;
}

void TAdvColorPickerDropDown::BeforeDropDown()
{
    TAdvCustomDropDown::BeforeDropDown();
    ShowContent();
}

void TAdvColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle v)
{
    if (v == FColorSelectionStyle) return;
    FColorSelectionStyle = v;
    if (!DroppedDown()) return;
    ShowContent();
    UpdateDropDownSize();
    if (Control()) Control()->SetAlign(alClient);
    DropDownForm()->Invalidate();
}

void TAdvColorPickerDropDown::PlaceDropDownControl()
{
    TAdvCustomDropDown::PlaceDropDownControl();
    if (FColorSelectionStyle != csList && DropDownForm()) DropDownForm()->SetSizeable(false);
}

void TAdvColorPickerDropDown::UpdateDropDownSize()
{
    TDropDownForm* form = DropDownForm();
    if (!form) return;
    TControl* control = Control();
    if (FColorSelectionStyle != csList) {
        const bool shown = control && control->Visible();
        const int w = shown ? control->Width() + 2 * DropDownBorderWidth() : Width();
        int h = 2 * DropDownBorderWidth();
        if (DropDownHeader()->Visible()) h += DropDownHeader()->Height();
        if (DropDownFooter()->Visible()) h += DropDownFooter()->Height();
        if (shown) h += control->Height();
        form->SetBounds(form->Left(), form->Top(), w, h);
        return;
    }
    if (!FItemSelector) {
        TAdvCustomDropDown::UpdateDropDownSize();
        return;
    }
    FItemSelector->SetAlign(alNone);
    const TSize panel = FItemSelector->GetPanelSize();
    if (DropDownWidth() < 1) FItemSelector->SetWidth(panel.cx);
    if (DropDownHeight() < 1) FItemSelector->SetHeight(panel.cy);
    TAdvCustomDropDown::UpdateDropDownSize();
    if (FItemSelector->VertScrollBar()->IsScrollBarVisible())
        form->SetWidth(form->Width() + GetOsProfile().ScrollBarExtent);
}

void TAdvColorPickerDropDown::DoHideDropDown(bool Cancel)
{
    TAdvCustomDropDown::DoHideDropDown(Cancel);
    if (!Cancel) return;
    if (FColorSelectionStyle == csList && FItemSelector) {
        FInternalCall = true;
        SetItemIndex(FOldItemIndex);
        FInternalCall = false;
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        FInternalCall = true;
        FColorSelector->SetSelectedColor(FOldSelectedColor);
        FInternalCall = false;
    }
}

void TAdvColorPickerDropDown::DropDownFormDestroyed()
{
    TAdvCustomDropDown::DropDownFormDestroyed();
    if (HasState(csDestroying)) return;
    FItemSelector = nullptr;
    FColorSelector = nullptr;
    FCubePanel = nullptr;
    FSpectrumPanel = nullptr;
}

// ---- choices

void TAdvColorPickerDropDown::SelectorItemSelected(TObject*)
{
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall) DoHideDropDown(false);
}

void TAdvColorPickerDropDown::ColorSelectorSelected(TObject*)
{
    SetSelectedColor(FColorSelector->SelectedColor());
    SetItemIndex(-1);
    if (!FInternalCall) DoHideDropDown(false);
}

void TAdvColorPickerDropDown::CubePanelSelected(TObject*)
{
    SetSelectedColor(FCubePanel->SelectedColor());
    SetItemIndex(-1);
    DoHideDropDown(false);
}

void TAdvColorPickerDropDown::SpectrumPanelSelected(TObject*)
{
    SetSelectedColor(FSpectrumPanel->SelectedColor());
    SetItemIndex(-1);
    DoHideDropDown(false);
}

// ---- painting

void TAdvColorPickerDropDown::PaintEditArea(TCanvas* Canvas)
{
    TAdvCustomDropDown::PaintEditArea(Canvas);
    PaintSelectedColor(Canvas);
}

void TAdvColorPickerDropDown::PaintSelectedColor(TCanvas* Canvas)
{
    if (!Canvas) return;
    const TRect R(1, 1, Width() - DropDownButtonWidth() - 2, Height() - 2);
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, Canvas, R);
        return;
    }
    if (FSelectedColor == clNone) return;
    const int top = (Height() - FColorBoxHeight) / 2 + R.Top;
    const TRect S(R.Left + 4, top, R.Left + 4 + FColorBoxWidth, top + FColorBoxHeight);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FSelectedColor);
    Canvas->Rectangle(S);
    if (!FShowText) return;
    Canvas->SetFont(Font());
    if (!EditorEnabled() && Focused()) Canvas->Font()->SetColor(clHighlightText);
    Canvas->Brush()->SetColor(Focused() ? clHighlight : Color());
    TRect text(S.Right + 4, R.Top, R.Right, R.Bottom);
    Canvas->DrawText(SelectedColorText(), text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
}

// ---- styles

void TAdvColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Style)
{
    TAdvCustomDropDown::SetSelectionColorStyle(Style);
    if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Style);
}

void TAdvColorPickerDropDown::SetComponentStyle(TVisualStyle AStyle)
{
    TAdvCustomDropDown::SetComponentStyle(AStyle);
    // The item appearance does not exist yet while the base styles itself.
    if (FItemAppearance) SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// ---- keys and wheel

void TAdvColorPickerDropDown::SelectInList(int I)
{
    if (!FItemSelector || I < 0) return;
    FInternalCall = true;
    if (I < FItemSelector->Items()->Count()) FItemSelector->SetItemIndex(I);
    FInternalCall = false;
    FItemSelector->ScrollItemInView(I);
}

void TAdvColorPickerDropDown::KeyDownMessage(TMessage& Message)
{
    const Word key = Word(Message.WParam);
    const bool open = DropDownForm() && DropDownForm()->Visible();
    bool handled = false;
    if (key == VK_RETURN && Enabled() && open) {
        if (FColorSelectionStyle == csList && FItemSelector && FItemSelector->ItemHot() >= 0) {
            FItemSelector->SetItemIndex(FItemSelector->ItemHot());
            handled = true;
        } else if (FColorSelectionStyle == csDiscrete && FColorSelector && FColorSelector->ItemHot() >= 0) {
            FColorSelector->SetItemIndex(FColorSelector->ItemHot());
            handled = true;
        }
    }
    TAdvCustomDropDown::KeyDownMessage(Message);
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (!Enabled() || alt) return;
    const bool stillOpen = DropDownForm() && DropDownForm()->Visible();
    if (FColorSelectionStyle == csList && FItemSelector) {
        const int index = FItemSelector->ItemIndex();
        switch (key) {
        case VK_RETURN:
            if (!handled && OnSelect) OnSelect(this);
            break;
        case VK_PRIOR:
        case VK_NEXT: {
            if (FItemSelector->Items()->Count() != FColors->Count()) FillSelector();
            const int n = FItemSelector->GetVisibleItemCount();
            if (n <= 0) break;
            if (key == VK_PRIOR)
                SelectInList(std::max(index - n, 0));
            else
                SelectInList(std::min(index + n, FColors->Count() - 1));
            break;
        }
        case VK_END:
        case VK_HOME:
            if (stillOpen) {
                FInternalCall = true;
                key == VK_END ? FItemSelector->SelectLast() : FItemSelector->SelectFirst();
                FInternalCall = false;
            } else {
                key == VK_END ? SelectLast() : SelectFirst();
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
            if (!EditorEnabled() && stillOpen) {
                FInternalCall = true;
                key == VK_LEFT ? FItemSelector->SelectPrevious() : FItemSelector->SelectNext();
                FInternalCall = false;
            }
            break;
        case VK_UP:
            if (stillOpen)
                SelectInList(index < 0 ? 0 : index - FColumns);
            else
                SelectPrevious();
            break;
        case VK_DOWN:
            if (stillOpen)
                SelectInList(index < 0 ? 0 : index + FColumns);
            else
                SelectNext();
            break;
        default: {
            // Type-ahead: letters, digits and the space bar read as
            // themselves; other keys are not characters.
            const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
            const bool typed = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || key == VK_SPACE;
            if (ctrl || !typed) break;
            FLookup += QChar(char16_t(key));
            FInternalCall = true;
            FItemSelector->LookupItem(FLookup);
            FInternalCall = false;
            FKeyTimer->SetEnabled(true);
            break;
        }
        }
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        FInternalCall = true;
        FColorSelector->HandleKey(key, EditorEnabled(), DroppedDown());
        FInternalCall = false;
        if (key == VK_RETURN && !handled && OnSelect) OnSelect(this);
    }
}

void TAdvColorPickerDropDown::DoWheelDown()
{
    TAdvCustomDropDown::DoWheelDown();
    if (!Enabled() || ReadOnly()) return;
    const bool open = DroppedDown();
    FInternalCall = true;
    if (FColorSelectionStyle == csList && FItemSelector)
        open ? FItemSelector->HotNext() : FItemSelector->SelectNext();
    else if (FColorSelectionStyle == csDiscrete && FColorSelector)
        open ? FColorSelector->HotNext() : FColorSelector->SelectNext();
    FInternalCall = false;
}

void TAdvColorPickerDropDown::DoWheelUp()
{
    TAdvCustomDropDown::DoWheelUp();
    if (!Enabled() || ReadOnly()) return;
    const bool open = DroppedDown();
    FInternalCall = true;
    if (FColorSelectionStyle == csList && FItemSelector)
        open ? FItemSelector->HotPrevious() : FItemSelector->SelectPrevious();
    else if (FColorSelectionStyle == csDiscrete && FColorSelector)
        open ? FColorSelector->HotPrevious() : FColorSelector->SelectPrevious();
    FInternalCall = false;
}
