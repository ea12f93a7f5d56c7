#include "AdvItemSelector.h"

#include "AdvDropDownPaint.h"
#include "AdvUtilPaint.h"
#include "AsgHTMLEText.h"
#include "Forms.h"
#include "ImgList.h"
#include "SysUtils.h"

#include <QWidget>

namespace {

enum class SelectorError { InvalidParent };
struct SelectorErrorText {
    SelectorError Id;
    const char* Text;
};
constexpr SelectorErrorText SelectorErrors[] = {
    {SelectorError::InvalidParent, "Invalid parent"},
};
QString ErrorText(SelectorError e)
{
    for (const SelectorErrorText& t : SelectorErrors)
        if (t.Id == e) return QString::fromLatin1(t.Text);
    return {};
}

// The twelve face and frame colours of a selection style.
struct ItemPreset {
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo, BorderColorTop, BorderColorBottom, BorderColor,
        EdgeColor, ColorSelected, ColorSelectedTo, ColorMirrorSelected, ColorMirrorSelectedTo;
};
// scOffice2007, scWindowsVista, scWindows7.
constexpr ItemPreset ItemPresets[] = {
    {14155773, 5821692, 5821692, 11792892, 16056063, 13302015, 9295827, 12835295, 10944507, 309748, 1425915,
     6874105},
    {16644337, 16576469, clNone, clNone, 16645110, 16643559, 16637593, 16575947, 16445150, 16442292, clNone, clNone},
    {16575452, 16571329, clNone, clNone, 16643307, 16640731, 13542013, 14730670, 16373945, 16501410, clNone, clNone},
};
static_assert(std::size(ItemPresets) == size_t(scWindows7), "one preset per selection style but scCustom");

}  // namespace

// ---------------------------------------------------------------------------
// Items

TSelectorItem::TSelectorItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>())
{
}

TSelectorItem::~TSelectorItem() = default;

void TSelectorItem::SetCaption(const QString& v)
{
    if (v == FCaption) return;
    FCaption = v;
    Changed(false);
}

void TSelectorItem::SetColor(TColor v)
{
    if (v == FColor) return;
    FColor = v;
    Changed(false);
}

void TSelectorItem::SetImageIndex(int v)
{
    if (v == FImageIndex) return;
    FImageIndex = v;
    Changed(false);
}

void TSelectorItem::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TSelectorItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->FCaption);
    SetColor(s->FColor);
    SetImageIndex(s->FImageIndex);
    FImage->Assign(s->FImage.get());
    FHint = s->FHint;
}

TSelectorItems::TSelectorItems(TPersistent* AOwner)
    : TCollection(ItemClassOf<TSelectorItem>()), FOwner(AOwner)
{
}

void TSelectorItems::Update(TCollectionItem* Item)
{
    if (Item && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TItemAppearance

TItemAppearance::TItemAppearance(TPersistent* AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->SetName(QStringLiteral("Tahoma"));
    // A new appearance paints with the Office 2007 colours it names.
    SetColorStyle(scOffice2007);
}

TItemAppearance::~TItemAppearance() = default;

void TItemAppearance::LoadPreset(TSelectionColorStyle Style)
{
    if (Style == scCustom) return;
    const ItemPreset& p = ItemPresets[size_t(Style) - 1];
    FColorHot = p.ColorHot, FColorHotTo = p.ColorHotTo;
    FColorMirrorHot = p.ColorMirrorHot, FColorMirrorHotTo = p.ColorMirrorHotTo;
    FBorderColorTop = p.BorderColorTop, FBorderColorBottom = p.BorderColorBottom;
    FBorderColor = p.BorderColor, FEdgeColor = p.EdgeColor;
    FColorSelected = p.ColorSelected, FColorSelectedTo = p.ColorSelectedTo;
    FColorMirrorSelected = p.ColorMirrorSelected, FColorMirrorSelectedTo = p.ColorMirrorSelectedTo;
}

void TItemAppearance::SetColorStyle(TSelectionColorStyle Style)
{
    if (Style == FColorStyle) return;
    FColorStyle = Style;
    LoadPreset(Style);
}

void TItemAppearance::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TItemAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FColorHot = s->FColorHot, FColorHotTo = s->FColorHotTo;
    FColorMirrorHot = s->FColorMirrorHot, FColorMirrorHotTo = s->FColorMirrorHotTo;
    FColorSelected = s->FColorSelected, FColorSelectedTo = s->FColorSelectedTo;
    FColorMirrorSelected = s->FColorMirrorSelected, FColorMirrorSelectedTo = s->FColorMirrorSelectedTo;
    FBorderColor = s->FBorderColor, FBorderColorTop = s->FBorderColorTop;
    FBorderColorBottom = s->FBorderColorBottom, FEdgeColor = s->FEdgeColor;
    FFont->Assign(s->FFont.get());
    SetColorStyle(s->FColorStyle);
    FColorSelectedText = s->FColorSelectedText;
    FColorHotText = s->FColorHotText;
    FBorderColorHot = s->FBorderColorHot;
    FBorderColorSelected = s->FBorderColorSelected;
}

// ---------------------------------------------------------------------------
// The panel

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner)
    : TCustomControl(AOwner)
{
    FAdvItemSelector = dynamic_cast<TAdvCustomItemSelector*>(AOwner);
    if (!FAdvItemSelector) throw Exception(ErrorText(SelectorError::InvalidParent));
    SetParentColor(true);
}

int TCustomItemSelector::ItemCount() const
{
    return FAdvItemSelector->Items()->Count();
}

void TCustomItemSelector::RepaintItem(int Index)
{
    if (!ValidIndex(Index) || !Widget()->isVisible()) return;
    Widget()->repaint(GetItemRect(Index).ToQRect());
}

void TCustomItemSelector::SetItemIndex(int Value)
{
    if (FItemIndex >= 0 && Value != FItemIndex) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = Value;
    if (Value >= 0) {
        RepaintItem(Value);
        if (OnItemSelect) OnItemSelect(this);
    }
}

void TCustomItemSelector::SetItemHot(int Index)
{
    if (Index == FItemHot) return;
    InvalidateItem(FItemHot);
    FItemHot = Index;
    if (Index >= 0) RepaintItem(Index);
}

void TCustomItemSelector::SelectFirst()
{
    if (ItemCount() > 0) SetItemIndex(0);
}

void TCustomItemSelector::SelectLast()
{
    if (ItemCount() > 0) SetItemIndex(ItemCount() - 1);
}

void TCustomItemSelector::SelectNext()
{
    if (ItemCount() == 0) return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex < ItemCount() - 1)
        SetItemIndex(FItemIndex + 1);
}

void TCustomItemSelector::SelectPrevious()
{
    if (ItemCount() == 0) return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
}

void TCustomItemSelector::HotNext()
{
    if (ItemCount() == 0) return;
    if (FItemHot < 0)
        SetItemHot(0);
    else if (FItemHot < ItemCount() - 1)
        SetItemHot(FItemHot + 1);
}

void TCustomItemSelector::HotPrevious()
{
    if (ItemCount() == 0) return;
    if (FItemHot < 0)
        SetItemHot(0);
    else if (FItemHot > 0)
        SetItemHot(FItemHot - 1);
}

bool TCustomItemSelector::LookupItem(const QString& Text)
{
    for (int i = 0; i < ItemCount(); ++i) {
        const QString key = CaseKey(HTMLStrip(FAdvItemSelector->Items()->Items(i)->Caption()).trimmed(), false);
        if (key.startsWith(Text)) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

TRect TCustomItemSelector::GetItemRect(int Index) const
{
    if (!ValidIndex(Index)) return TRect(-1, -1, -1, -1);
    return FAdvItemSelector->Items()->Items(Index)->ItemRect();
}

int TCustomItemSelector::ItemAtPos(int X, int Y) const
{
    for (int i = 0; i < ItemCount(); ++i) {
        const TRect r = GetItemRect(i);
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) return i;
    }
    return -1;
}

void TCustomItemSelector::InvalidateItem(int Index)
{
    if (ValidIndex(Index)) InvalidateRect(GetItemRect(Index));
}

TRect TCustomItemSelector::GetItemsRect() const
{
    TRect r = ClientRect();
    r.Left += FOffSetX, r.Top += FOffSetY, r.Right -= FOffSetX, r.Bottom -= FOffSetY;
    return r;
}

TSize TCustomItemSelector::GetItemSize()
{
    TAdvCustomItemSelector* s = FAdvItemSelector;
    TSize size(0, 0);
    if (s->OnItemSize) {
        s->OnItemSize(this, size);
        return size;
    }
    const bool color = s->SelectorType() == stColor;
    int a = color ? s->ColorBoxWidth() : 0, b = color ? s->ColorBoxHeight() : 0, c = 0, d = 0;
    TBitmap measure(1, 1);
    TCanvas* canvas = measure.Canvas();
    canvas->SetFont(s->ItemAppearance()->Font());
    for (int i = 0; i < ItemCount(); ++i) {
        TSelectorItem* item = s->Items()->Items(i);
        if (!color) {
            if (item->Image()->Graphic() && !item->Image()->Graphic()->Empty()) {
                a = std::max(a, item->Image()->Width());
                b = std::max(b, item->Image()->Height());
            } else if (s->Images() && item->ImageIndex() >= 0) {
                a = std::max(a, s->Images()->Width());
                b = std::max(b, s->Images()->Height());
            }
        }
        const TSize t = DrawHTMLCaption(canvas, item->Caption(), TRect(0, 0, 1000, 500), this, false, s->Images());
        c = std::max(c, int(t.cx));
        d = std::max(d, int(t.cy));
    }
    if (c > 0) c += 4;
    switch (s->ItemLayout()) {
    case ilCaptionLeft:
    case ilCaptionRight:
        size.cx = 2 * FItemOffSetX + (a > 0 ? a : 0) + (a > 0 && c > 0 ? FCaptionGap : 0) + c;
        size.cy = std::max(d, b) + 2 * FItemOffSetY;
        break;
    case ilCaptionTop:
    case ilCaptionBottom:
        size.cx = std::max(c, a) + 2 * FItemOffSetX;
        size.cy = 2 * FItemOffSetY + (b > 0 ? b : 0) + (b > 0 && d >= 1 ? FCaptionGap : 0) + (d >= 1 ? d : 0);
        break;
    }
    return size;
}

void TCustomItemSelector::ArrangeItems()
{
    if (ItemCount() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    const TSize size = GetItemSize();
    const int w = size.cx, h = size.cy;
    const TRect items = GetItemsRect();
    int x = items.Left, y = items.Top, counter = 0, widest = 0;
    const int columns = FAdvItemSelector->Columns();
    for (int i = 0; i < ItemCount(); ++i) {
        FAdvItemSelector->Items()->Items(i)->SetItemRect(TRect(x, y, x + w, y + h));
        if (i == ItemCount() - 1) break;
        if (++counter < columns) {
            x += w;
        } else {
            widest = std::max(widest, x);
            x = items.Left;
            y += h;
            counter = 0;
        }
    }
    widest = std::max(widest, x);
    SetBounds(Left(), Top(), widest + w + FOffSetX, y + h + FOffSetY);
    Invalidate();
}

void TCustomItemSelector::DrawItem(int Index, TCanvas* ACanvas)
{
    if (!ValidIndex(Index) || !ACanvas) return;
    TAdvCustomItemSelector* s = FAdvItemSelector;
    TSelectorItem* item = s->Items()->Items(Index);
    const TRect R = item->ItemRect();
    if (R.Left < 0 && R.Top < 0 && R.Right < 0 && R.Bottom < 0) return;
    const TItemAppearance& a = *s->ItemAppearance();
    const bool selected = Index == FItemIndex;
    const bool hot = Index == FItemHot && !selected;

    // 1-2: the face.
    if (!hot && !selected) {
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(Color());
        ACanvas->FillRect(R);
    } else {
        TColor from = hot ? a.ColorHot() : a.ColorSelected();
        TColor to = hot ? a.ColorHotTo() : a.ColorSelectedTo();
        TColor mirror = hot ? a.ColorMirrorHot() : a.ColorMirrorSelected();
        TColor mirrorTo = hot ? a.ColorMirrorHotTo() : a.ColorMirrorSelectedTo();
        TColor frame = a.BorderColor(), top = a.BorderColorTop(), bottom = a.BorderColorBottom(),
               edge = a.EdgeColor();
        const TColor single = hot ? a.BorderColorHot() : a.BorderColorSelected();
        if (single != clNone) frame = single, top = bottom = edge = clNone;
        if (top == clNone)
            DrawGradientBox(ACanvas, R, from, to, frame, frame == clNone ? 0 : 1, gdVertical);
        else
            DrawGradientButtonFrame(ACanvas, R, 0, from, to, mirror, mirrorTo, frame, top, bottom, edge, Color());
    }
    if (s->OnDrawItem) {
        s->OnDrawItem(this, ACanvas, R, Index);
        return;
    }

    // 4: the picture's size.
    int w = 0, h = 0;
    enum { None, Box, Picture, Image } kind = None;
    const bool hasPicture = item->Image()->Graphic() && !item->Image()->Graphic()->Empty();
    if (s->SelectorType() == stColor) {
        w = s->ColorBoxWidth(), h = s->ColorBoxHeight(), kind = Box;
    } else if (hasPicture) {
        w = item->Image()->Width(), h = item->Image()->Height(), kind = Picture;
    } else if (s->Images() && item->ImageIndex() >= 0) {
        w = s->Images()->Width(), h = s->Images()->Height(), kind = Image;
    }
    TRect C = R;
    C.Left += FItemOffSetX, C.Right -= FItemOffSetX, C.Top += FItemOffSetY, C.Bottom -= FItemOffSetY;
    TRect P = C;
    ACanvas->SetFont(a.Font());
    if (selected)
        ACanvas->Font()->SetColor(a.ColorSelectedText());
    else if (hot)
        ACanvas->Font()->SetColor(a.ColorHotText());
    ACanvas->Brush()->SetStyle(bsClear);

    const QString caption = item->Caption();
    auto measure = [&](const TRect& r) { return DrawHTMLCaption(ACanvas, caption, r, this, false, s->Images()); };
    auto draw = [&](const TRect& r) { DrawHTMLCaption(ACanvas, caption, r, this, true, s->Images()); };
    auto centred = [&](TRect r) {
        const TSize t = measure(r);
        if (t.cy < r.Height()) r.Top += (r.Height() - t.cy) / 2;
        draw(r);
        return t;
    };
    auto drawPicture = [&](int x, int y) {
        switch (kind) {
        case Box:
            ACanvas->Pen()->SetColor(clBlack);
            ACanvas->Brush()->SetStyle(bsSolid);
            ACanvas->Brush()->SetColor(item->Color());
            ACanvas->Rectangle(TRect(x, y, x + w, y + h));
            ACanvas->Brush()->SetStyle(bsClear);
            break;
        case Picture:
            ACanvas->Draw(x, y, item->Image()->Graphic());
            break;
        case Image:
            s->Images()->Draw(ACanvas, x, y, item->ImageIndex(), true);
            break;
        case None:
            break;
        }
    };
    const int vCentre = P.Top + (P.Height() - h) / 2;
    switch (s->ItemLayout()) {
    case ilCaptionLeft: {
        if (!caption.isEmpty()) {
            C.Right -= w;
            const TSize t = centred(C);
            P.Left = C.Left + t.cx + FCaptionGap;
        }
        drawPicture(P.Left, kind == Box ? P.Top : vCentre);
        break;
    }
    case ilCaptionRight:
        drawPicture(P.Left, kind == Box ? P.Top : vCentre);
        if (kind != None) C.Left = P.Left + w + FCaptionGap;
        if (!caption.isEmpty()) centred(C);
        break;
    case ilCaptionTop:
        if (!caption.isEmpty()) {
            C.Bottom -= h;
            const TSize t = measure(C);
            draw(C);
            P.Top = C.Top + t.cy + FCaptionGap;
        } else {
            P.Top += (P.Height() - h) / 2;
        }
        P.Left += (P.Width() - w) / 2;
        drawPicture(P.Left, P.Top);
        break;
    case ilCaptionBottom:
        if (caption.isEmpty()) P.Top += (P.Height() - h) / 2;
        P.Left += (P.Width() - w) / 2;
        drawPicture(P.Left, P.Top);
        if (kind != None) C.Top = P.Top + h + FCaptionGap;
        if (!caption.isEmpty()) draw(C);
        break;
    }
}

void TCustomItemSelector::Paint()
{
    // Only the items the repaint reaches are drawn.
    const TRect clip = Canvas()->ClipRect();
    for (int i = 0; i < ItemCount(); ++i) {
        const TRect r = GetItemRect(i);
        if (r.Right <= clip.Left || r.Left >= clip.Right || r.Bottom <= clip.Top || r.Top >= clip.Bottom) continue;
        DrawItem(i, Canvas());
    }
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const int i = ItemAtPos(X, Y);
    if (i >= 0) SetItemIndex(i);
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, int X, int Y)
{
    const int i = ItemAtPos(X, Y);
    if (i >= 0 && i != FItemHot) {
        SetItemHot(i);
        SetHint(FAdvItemSelector->Items()->Items(i)->Hint());
        if (Application) Application->CancelHint();
    } else if (i < 0) {
        SetItemHot(-1);
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomItemSelector::MouseLeave()
{
    SetItemHot(-1);
    TCustomControl::MouseLeave();
}

// ---------------------------------------------------------------------------
// The container

TAdvCustomItemSelector::TAdvCustomItemSelector(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this))
{
    FItems->OnChange = [this](TObject*) { UpdateSelectorPanel(); };
    SetColor(clWindow);
    SetAutoScroll(true);
    CreateSelectorPanel();
    UpdateSelectorPanel();
}

TAdvCustomItemSelector::~TAdvCustomItemSelector()
{
    FItems->OnChange = nullptr;
}

void TAdvCustomItemSelector::CreateSelectorPanel()
{
    if (FItemSelectorPanel) return;
    FItemSelectorPanel = new TCustomItemSelector(this);
    FItemSelectorPanel->SetParent(this);
    FItemSelectorPanel->OnItemSelect = [this](TObject*) {
        if (OnItemSelect) OnItemSelect(this);
    };
}

void TAdvCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation)
{
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FImages) {
        FImages = nullptr;
        if (!HasState(csDestroying)) UpdateSelectorPanel();
    }
    if (AComponent == FItemSelectorPanel) FItemSelectorPanel = nullptr;
}

void TAdvCustomItemSelector::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    }
    TScrollingWinControl::WndProc(Message);
}

void TAdvCustomItemSelector::SetColumns(int v)
{
    if (v < 1 || v == FColumns) return;
    FColumns = v;
    UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetSelectorType(TSelectorType v)
{
    FSelectorType = v;
    UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetImages(TCustomImageList* v)
{
    if (v != FImages) {
        if (FImages) FImages->RemoveFreeNotification(this);
        FImages = v;
        if (v) v->FreeNotification(this);
    }
    UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetColorBoxHeight(int v)
{
    FColorBoxHeight = v;
    UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetColorBoxWidth(int v)
{
    FColorBoxWidth = v;
    UpdateSelectorPanel();
}

int TAdvCustomItemSelector::ItemIndex() const
{
    return FItemSelectorPanel ? FItemSelectorPanel->ItemIndex() : -1;
}

void TAdvCustomItemSelector::SetItemIndex(int v)
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SetItemIndex(v);
    ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

int TAdvCustomItemSelector::ItemHot() const
{
    return FItemSelectorPanel ? FItemSelectorPanel->ItemHot() : -1;
}

#define FORWARD_MOVE(Name, Index)                \
    void TAdvCustomItemSelector::Name()          \
    {                                            \
        if (!FItemSelectorPanel) return;         \
        FItemSelectorPanel->Name();              \
        ScrollItemInView(FItemSelectorPanel->Index()); \
    }
FORWARD_MOVE(SelectFirst, ItemIndex)
FORWARD_MOVE(SelectLast, ItemIndex)
FORWARD_MOVE(SelectNext, ItemIndex)
FORWARD_MOVE(SelectPrevious, ItemIndex)
FORWARD_MOVE(HotNext, ItemHot)
FORWARD_MOVE(HotPrevious, ItemHot)
#undef FORWARD_MOVE

bool TAdvCustomItemSelector::LookupItem(const QString& Text)
{
    return FItemSelectorPanel && FItemSelectorPanel->LookupItem(Text);
}

void TAdvCustomItemSelector::ScrollItemInView(int Index)
{
    if (!FItemSelectorPanel || Index < 0 || Index >= FItems->Count() || !VertScrollBar()->IsScrollBarVisible())
        return;
    TRect r = FItemSelectorPanel->GetItemRect(Index);
    r.Top -= FScrollMargin;
    r.Bottom += FScrollMargin;
    // Panel to container client coordinates: the content scrolls by Position.
    const int pos = VertScrollBar()->Position();
    r.Top += FItemSelectorPanel->Top() - pos;
    r.Bottom += FItemSelectorPanel->Top() - pos;
    const int clientHeight = ClientRect().Height();
    if (r.Top < 0) {
        VertScrollBar()->SetPosition(pos + r.Top);
    } else if (r.Bottom > clientHeight) {
        int bottom = r.Bottom;
        if (r.Height() > clientHeight) bottom = r.Top + clientHeight;
        VertScrollBar()->SetPosition(pos + bottom - clientHeight);
    }
}

int TAdvCustomItemSelector::GetVisibleItemCount() const
{
    if (!FItemSelectorPanel || FItems->Count() == 0) return 0;
    const int itemHeight = FItemSelectorPanel->GetItemRect(0).Height();
    if (itemHeight <= 0) return 0;
    int h = Height();
    if (HorzScrollBar()->IsScrollBarVisible()) h -= 20;
    return h / itemHeight * FColumns;
}

TSize TAdvCustomItemSelector::GetPanelSize() const
{
    if (!FItemSelectorPanel) return TSize(100, 50);
    return TSize(FItemSelectorPanel->Width(), FItemSelectorPanel->Height());
}

void TAdvCustomItemSelector::UpdateSelectorPanel()
{
    if (FItemSelectorPanel) FItemSelectorPanel->ArrangeItems();
}
