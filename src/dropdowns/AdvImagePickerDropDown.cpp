#include "AdvImagePickerDropDown.h"

#include "AdvDropDownForm.h"
#include "ExtCtrls.h"
#include "Files.h"
#include "ImgList.h"
#include "OsProfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

// ---------------------------------------------------------------------------
// Items

TImageItem::TImageItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>())
{
}

TImageItem::~TImageItem() = default;

void TImageItem::SetCaption(const QString& v)
{
    if (v == FCaption) return;
    FCaption = v;
    Changed(false);
}

void TImageItem::SetImageIndex(int v)
{
    if (v == FImageIndex) return;
    FImageIndex = v;
    Changed(false);
}

void TImageItem::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TImageItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->FCaption);
    SetImageIndex(s->FImageIndex);
    FImage->Assign(s->FImage.get());
    FHint = s->FHint;
}

TImageItems::TImageItems(TPersistent* AOwner)
    : TCollection(ItemClassOf<TImageItem>()), FOwner(AOwner)
{
}

void TImageItems::Update(TCollectionItem* Item)
{
    if (Item && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// The drop-down

TAdvImagePickerDropDown::TAdvImagePickerDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner), FItems(std::make_unique<TImageItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this))
{
    FItems->OnChange = [](TObject*) {};
}

TAdvImagePickerDropDown::~TAdvImagePickerDropDown()
{
    if (FKeyTimer) FKeyTimer->SetEnabled(false);
}

void TAdvImagePickerDropDown::InitializeEditor()
{
    TAdvCustomDropDown::InitializeEditor();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FKeyTimer = NewKeyTimer([this] { KeyTimerTick(); });
    SetCursor(crArrow);
}

void TAdvImagePickerDropDown::KeyTimerTick()
{
    FKeyTimer->SetEnabled(false);
    FLookup.clear();
}

// ---- choosing

void TAdvImagePickerDropDown::SetItemIndex(int V)
{
    if (V == FItemIndex || V >= FItems->Count()) return;
    FItemIndex = V;
    Invalidate();
    if (OnChange) OnChange(this);
    if (OnSelect) OnSelect(this);
}

int TAdvImagePickerDropDown::ImageIndex() const
{
    return FItemIndex >= 0 && FItemIndex < FItems->Count() ? FItems->Items(FItemIndex)->ImageIndex() : -1;
}

void TAdvImagePickerDropDown::SetImageIndex(int V)
{
    int found = -1;
    for (int i = 0; i < FItems->Count() && found < 0; ++i)
        if (FItems->Items(i)->ImageIndex() == V) found = i;
    SetItemIndex(found);
}

void TAdvImagePickerDropDown::SelectFirst()
{
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TAdvImagePickerDropDown::SelectLast()
{
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TAdvImagePickerDropDown::SelectNext()
{
    if (FItems->Count() == 0) return;
    const int next = FItemIndex < 0 ? 0 : FItemIndex + 1;
    if (next < FItems->Count()) SetItemIndex(next);
}

void TAdvImagePickerDropDown::SelectPrevious()
{
    if (FItems->Count() == 0) return;
    const int prev = FItemIndex < 0 ? 0 : FItemIndex - 1;
    if (prev >= 0) SetItemIndex(prev);
}

void TAdvImagePickerDropDown::AddImagesFromImageList()
{
    if (!Images()) return;
    for (int i = 0; i < Images()->Count(); ++i) FItems->Add()->SetImageIndex(i);
}

void TAdvImagePickerDropDown::AddImagesFromFolder(const QString& AFolder, bool SetImageCaption)
{
    const QFileInfo spec(AFolder);
    const QDir dir = spec.dir();
    QString mask = spec.fileName();
    if (mask.isEmpty()) mask = QStringLiteral("*");
    // "*.*" names every file, also one without a dot.
    const bool all = mask == QStringLiteral("*.*") || mask == QStringLiteral("*");
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(mask),
                                QRegularExpression::CaseInsensitiveOption);
    // Folders (".", ".." and subfolders) are no pictures.
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        if (!all && !re.match(entry.fileName()).hasMatch()) continue;
        // A FIFO or a device under a picture's name is no picture either.
        if (!IsRegularFile(entry.absoluteFilePath())) continue;
        TImageItem* item = FItems->Add();
        try {
            item->Image()->LoadFromFile(entry.absoluteFilePath());
        } catch (const std::exception&) {
            item->Image()->SetGraphic(nullptr);
        }
        if (SetImageCaption) item->SetCaptionDirect(entry.fileName());
    }
}

// ---- the pop-up

void TAdvImagePickerDropDown::CreateDropDownForm()
{
    TAdvCustomDropDown::CreateDropDownForm();
    TDropDownForm* form = DropDownForm();
    if (!form) return;
    if (!FItemSelector) {
        FItemSelector = new TAdvCustomItemSelector(this);
        FItemSelector->SetParent(form);
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TAdvImagePickerDropDown::CopyItemsToSelector()
{
    FItemSelector->Items()->Clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        TImageItem* src = FItems->Items(i);
        TSelectorItem* item = FItemSelector->Items()->Add();
        item->SetCaption(src->Caption());
        item->SetImage(src->Image());
        item->SetImageIndex(src->ImageIndex());
        item->SetHint(src->Hint());
    }
}

void TAdvImagePickerDropDown::FillSelector()
{
    if (!FItemSelector) return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(FColumns);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->ItemAppearance()->Assign(FItemAppearance.get());
    CopyItemsToSelector();
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject* s) { SelectorItemSelected(s); };
    FItemSelector->SetShowHint(ShowHint());
}

void TAdvImagePickerDropDown::BeforeDropDown()
{
    TAdvCustomDropDown::BeforeDropDown();
    FillSelector();
    if (FItemSelector)
        FItemSelector->OnDrawItem = OnDrawItem ? TDrawItemEvent([this](TObject*, TCanvas* c, TRect r, int i) {
            OnDrawItem(this, c, r, i);
        })
                                               : TDrawItemEvent();
    FOldItemIndex = FItemIndex;
}

void TAdvImagePickerDropDown::UpdateDropDownSize()
{
    if (!FItemSelector) {
        TAdvCustomDropDown::UpdateDropDownSize();
        return;
    }
    FItemSelector->SetAlign(alNone);
    const TSize panel = FItemSelector->GetPanelSize();
    if (DropDownWidth() < 1) FItemSelector->SetWidth(panel.cx);
    if (DropDownHeight() < 1) FItemSelector->SetHeight(panel.cy);
    TAdvCustomDropDown::UpdateDropDownSize();
    if (FItemSelector->VertScrollBar()->IsScrollBarVisible() && DropDownForm())
        DropDownForm()->SetWidth(DropDownForm()->Width() + GetOsProfile().ScrollBarExtent);
}

void TAdvImagePickerDropDown::DoHideDropDown(bool Cancel)
{
    TAdvCustomDropDown::DoHideDropDown(Cancel);
    if (Cancel && FItemSelector) SetItemIndex(FOldItemIndex);
}

void TAdvImagePickerDropDown::DropDownFormDestroyed()
{
    TAdvCustomDropDown::DropDownFormDestroyed();
    if (!HasState(csDestroying)) FItemSelector = nullptr;
}

void TAdvImagePickerDropDown::SelectorItemSelected(TObject*)
{
    if (!FItemSelector) return;
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall) DoHideDropDown(false);
}

// ---- painting

void TAdvImagePickerDropDown::PaintEditArea(TCanvas* Canvas)
{
    TAdvCustomDropDown::PaintEditArea(Canvas);
    PaintSelectedImage(Canvas);
}

void TAdvImagePickerDropDown::PaintSelectedImage(TCanvas* Canvas)
{
    if (!Canvas) return;
    const TRect R = GetEditRect();
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return;
    TImageItem* item = FItems->Items(FItemIndex);
    TGraphic* g = item->Image()->Graphic();
    if (g && !g->Empty()) {
        Canvas->Draw(R.Left + (R.Width() - g->Width()) / 2, R.Top + (R.Height() - g->Height()) / 2, g);
    } else if (Images() && item->ImageIndex() >= 0) {
        Images()->Draw(Canvas, R.Left + (R.Width() - Images()->Width()) / 2,
                       R.Top + (R.Height() - Images()->Height()) / 2, item->ImageIndex(), true);
    }
}

// ---- styles

void TAdvImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Style)
{
    TAdvCustomDropDown::SetSelectionColorStyle(Style);
    if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Style);
}

void TAdvImagePickerDropDown::SetComponentStyle(TVisualStyle AStyle)
{
    TAdvCustomDropDown::SetComponentStyle(AStyle);
    // The item appearance does not exist yet while the base styles itself.
    if (FItemAppearance) SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// ---- keys and wheel

void TAdvImagePickerDropDown::MoveSelectorTo(int N)
{
    if (!FItemSelector || N < 0 || N >= FItemSelector->Items()->Count()) return;
    FInternalCall = true;
    FItemSelector->SetItemIndex(N);
    FItemSelector->ScrollItemInView(FItemSelector->ItemIndex());
    FInternalCall = false;
}

void TAdvImagePickerDropDown::KeyDownMessage(TMessage& Message)
{
    const Word key = Word(Message.WParam);
    bool used = false;
    if (Enabled() && DroppedDown() && key == VK_RETURN && FItemSelector && FItemSelector->ItemHot() >= 0) {
        FItemSelector->SetItemIndex(FItemSelector->ItemHot());
        used = true;
    }
    TAdvCustomDropDown::KeyDownMessage(Message);
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (!Enabled() || alt) return;
    const bool open = DroppedDown() && FItemSelector;
    auto sync = [this]() {
        if (FItemSelector->Items()->Count() != FItems->Count()) FillSelector();
    };
    switch (key) {
    case VK_RETURN:
        if (!used && OnSelect) OnSelect(this);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        if (!FItemSelector) break;
        sync();
        const int c = FItemSelector->GetVisibleItemCount();
        if (c < 1) break;
        if (key == VK_PRIOR)
            MoveSelectorTo(std::max(FItemSelector->ItemIndex() - c, 0));
        else
            MoveSelectorTo(std::min(FItemSelector->ItemIndex() + c, FItems->Count() - 1));
        break;
    }
    case VK_END:
    case VK_HOME:
        if (open) {
            FInternalCall = true;
            key == VK_END ? FItemSelector->SelectLast() : FItemSelector->SelectFirst();
            FInternalCall = false;
        } else {
            key == VK_END ? SelectLast() : SelectFirst();
        }
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (!EditorEnabled() && open) {
            FInternalCall = true;
            key == VK_LEFT ? FItemSelector->SelectPrevious() : FItemSelector->SelectNext();
            FInternalCall = false;
        }
        break;
    case VK_UP:
    case VK_DOWN:
        if (open) {
            const int i = FItemSelector->ItemIndex();
            MoveSelectorTo(i < 0 ? 0 : key == VK_UP ? i - FColumns : i + FColumns);
        } else {
            key == VK_UP ? SelectPrevious() : SelectNext();
        }
        break;
    default: {
        // Type-ahead: letters, digits and the space bar read as themselves.
        const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        const bool typed = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || key == VK_SPACE;
        if (ctrl || !typed || !FItemSelector) break;
        FLookup += QChar(char16_t(key));
        FInternalCall = true;
        FItemSelector->LookupItem(FLookup);
        FInternalCall = false;
        FKeyTimer->SetEnabled(true);
        break;
    }
    }
}

void TAdvImagePickerDropDown::DoWheelDown()
{
    TAdvCustomDropDown::DoWheelDown();
    if (!Enabled() || ReadOnly() || !FItemSelector) return;
    if (DroppedDown()) {
        FItemSelector->HotNext();
        return;
    }
    FInternalCall = true;
    FItemSelector->SelectNext();
    FInternalCall = false;
}

void TAdvImagePickerDropDown::DoWheelUp()
{
    TAdvCustomDropDown::DoWheelUp();
    if (!Enabled() || ReadOnly() || !FItemSelector) return;
    if (DroppedDown()) {
        FItemSelector->HotPrevious();
        return;
    }
    FInternalCall = true;
    FItemSelector->SelectPrevious();
    FInternalCall = false;
}
