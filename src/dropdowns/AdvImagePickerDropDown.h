#pragma once
// The image picker: an edit that shows the chosen picture (its own or an
// image of the image list) and offers the pictures in a pop-up grid of
// items (the item selector). The edit cannot be typed into; keys, the
// wheel and a click choose.

#include "AdvColorPickerDropDown.h"  // TOnDrawSelectedItem
#include "AdvDropDown.h"
#include "AdvItemSelector.h"

#include <memory>

class TTimer;

class TImageItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TImageItem)
    explicit TImageItem(TCollection* Collection);
    ~TImageItem() override;
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    // Written without notification (a folder's file names).
    void SetCaptionDirect(const QString& v) { FCaption = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* v) { FImage->Assign(v); }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& v) { FHint = v; }
    void Assign(TPersistent* Source) override;

private:
    QString FCaption;
    int FImageIndex = -1;
    std::unique_ptr<TPicture> FImage;
    QString FHint;
};

class TImageItems : public TCollection {
public:
    DECLARE_CLASSNAME(TImageItems)
    explicit TImageItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TImageItem* Add() { return static_cast<TImageItem*>(TCollection::Add()); }
    TImageItem* Insert(int Index) { return static_cast<TImageItem*>(TCollection::Insert(Index)); }
    TImageItem* Items(int Index) const { return static_cast<TImageItem*>(TCollection::Items(Index)); }
    void SetItems(int Index, TImageItem* Value) { TCollection::SetItems(Index, Value); }
    // Fired by the item setters only, not by adding or deleting.
    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FOwner;
};

class TAdvImagePickerDropDown : public TAdvCustomDropDown {
public:
    DECLARE_CLASSNAME(TAdvImagePickerDropDown)
    explicit TAdvImagePickerDropDown(TComponent* AOwner);
    ~TAdvImagePickerDropDown() override;

    int Columns() const { return FColumns; }
    void SetColumns(int v) { FColumns = v; }
    TImageItems* Items() const { return FItems.get(); }
    void SetItems(TImageItems* v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    // Nothing for the current value or one at or beyond the count; a
    // negative value is stored (no choice). Fires OnChange, then OnSelect.
    void SetItemIndex(int V);
    // The chosen item's image index (-1 without a choice); writing chooses
    // the first item of that image index, or none.
    int ImageIndex() const;
    void SetImageIndex(int V);
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout v) { FLayout = v; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* v) { FItemAppearance->Assign(v); }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    // One item per image of Images, without captions.
    void AddImagesFromImageList();
    // One item per file of the folder matching the mask of AFolder (e.g.
    // "/pictures/*.png", matched without case); a file that does not load
    // as a picture gives an item without one.
    void AddImagesFromFolder(const QString& AFolder, bool SetImageCaption);

    TAdvCustomItemSelector* ItemSelector() const { return FItemSelector; }
    void KeyTimerTick();
    const QString& TypeAhead() const { return FLookup; }

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;
    TDrawItemEvent OnDrawItem;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownFormDestroyed() override;
    void DoWheelDown() override;
    void DoWheelUp() override;
    void PaintEditArea(TCanvas* Canvas) override;
    void SetSelectionColorStyle(TSelectionColorStyle Style) override;
    void SetComponentStyle(TVisualStyle AStyle) override;
    void KeyDownMessage(TMessage& Message) override;

protected:
    void InitializeEditor() override;

private:
    void FillSelector();
    void CopyItemsToSelector();
    void SelectorItemSelected(TObject* Sender);
    void PaintSelectedImage(TCanvas* Canvas);
    void MoveSelectorTo(int N);

    std::unique_ptr<TImageItems> FItems;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    TAdvCustomItemSelector* FItemSelector = nullptr;
    TTimer* FKeyTimer = nullptr;
    QString FLookup;
    int FColumns = 1;
    int FItemIndex = -1;
    int FOldItemIndex = -1;
    TItemLayout FLayout = ilCaptionRight;
    bool FInternalCall = false;
};
