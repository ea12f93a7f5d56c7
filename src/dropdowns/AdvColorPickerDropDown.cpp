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
// The named colours of CSS, one name per value: where names share a value
// (aqua and cyan, gray and grey...) only the alphabetically first is kept.
constexpr NamedColor WebNames[] = {
    {"aliceblue", 0xF0F8FF}, {"antiquewhite", 0xFAEBD7}, {"aqua", 0x00FFFF}, {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF}, {"beige", 0xF5F5DC}, {"bisque", 0xFFE4C4}, {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD}, {"blue", 0x0000FF}, {"blueviolet", 0x8A2BE2}, {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887}, {"cadetblue", 0x5F9EA0}, {"chartreuse", 0x7FFF00}, {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50}, {"cornflowerblue", 0x6495ED}, {"cornsilk", 0xFFF8DC}, {"crimson", 0xDC143C},
    {"darkblue", 0x00008B}, {"darkcyan", 0x008B8B}, {"darkgoldenrod", 0xB8860B}, {"darkgray", 0xA9A9A9},
    {"darkgreen", 0x006400}, {"darkkhaki", 0xBDB76B}, {"darkmagenta", 0x8B008B}, {"darkolivegreen", 0x556B2F},
    {"darkorange", 0xFF8C00}, {"darkorchid", 0x9932CC}, {"darkred", 0x8B0000}, {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8F}, {"darkslateblue", 0x483D8B}, {"darkslategray", 0x2F4F4F},
    {"darkturquoise", 0x00CED1}, {"darkviolet", 0x9400D3}, {"deeppink", 0xFF1493}, {"deepskyblue", 0x00BFFF},
    {"dimgray", 0x696969}, {"dodgerblue", 0x1E90FF}, {"firebrick", 0xB22222}, {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22}, {"fuchsia", 0xFF00FF}, {"gainsboro", 0xDCDCDC}, {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700}, {"goldenrod", 0xDAA520}, {"gray", 0x808080}, {"green", 0x008000},
    {"greenyellow", 0xADFF2F}, {"honeydew", 0xF0FFF0}, {"hotpink", 0xFF69B4}, {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082}, {"ivory", 0xFFFFF0}, {"khaki", 0xF0E68C}, {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5}, {"lawngreen", 0x7CFC00}, {"lemonchiffon", 0xFFFACD}, {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080}, {"lightcyan", 0xE0FFFF}, {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgray", 0xD3D3D3}, {"lightgreen", 0x90EE90}, {"lightpink", 0xFFB6C1}, {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA}, {"lightskyblue", 0x87CEFA}, {"lightslategray", 0x778899},
    {"lightsteelblue", 0xB0C4DE}, {"lightyellow", 0xFFFFE0}, {"lime", 0x00FF00}, {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6}, {"maroon", 0x800000}, {"mediumaquamarine", 0x66CDAA}, {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3}, {"mediumpurple", 0x9370DB}, {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE}, {"mediumspringgreen", 0x00FA9A}, {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585}, {"midnightblue", 0x191970}, {"mintcream", 0xF5FFFA}, {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5}, {"navajowhite", 0xFFDEAD}, {"navy", 0x000080}, {"oldlace", 0xFDF5E6},
    {"olive", 0x808000}, {"olivedrab", 0x6B8E23}, {"orange", 0xFFA500}, {"orangered", 0xFF4500},
    {"orchid", 0xDA70D6}, {"palegoldenrod", 0xEEE8AA}, {"palegreen", 0x98FB98}, {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093}, {"papayawhip", 0xFFEFD5}, {"peachpuff", 0xFFDAB9}, {"peru", 0xCD853F},
    {"pink", 0xFFC0CB}, {"plum", 0xDDA0DD}, {"powderblue", 0xB0E0E6}, {"purple", 0x800080},
    {"rebeccapurple", 0x663399}, {"red", 0xFF0000}, {"rosybrown", 0xBC8F8F}, {"royalblue", 0x4169E1},
    {"saddlebrown", 0x8B4513}, {"salmon", 0xFA8072}, {"sandybrown", 0xF4A460}, {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE}, {"sienna", 0xA0522D}, {"silver", 0xC0C0C0}, {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD}, {"slategray", 0x708090}, {"snow", 0xFFFAFA}, {"springgreen", 0x00FF7F},
    {"steelblue", 0x4682B4}, {"tan", 0xD2B48C}, {"teal", 0x008080}, {"thistle", 0xD8BFD8}, {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0}, {"violet", 0xEE82EE}, {"wheat", 0xF5DEB3}, {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5}, {"yellow", 0xFFFF00}, {"yellowgreen", 0x9ACD32},
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
    FKeyTimer = NewKeyTimer([this] { KeyTimerTick(); });
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
