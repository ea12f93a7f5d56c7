#pragma once
// The item selector: a scrolling grid of items, each a marked-up caption
// with a picture (an image of the image list or a picture of its own) or a
// colour box. It is the list the detail, colour and image pickers show.
//
// Two layers: TAdvCustomItemSelector, the scrolling container that owns the
// items and the look, and TCustomItemSelector, the panel inside it that
// lays the items out in columns, paints them, tracks the hot and the
// selected item and follows the mouse. The panel is as large as its content
// and the container scrolls it. There is no keyboard handling here: the
// pickers drive the selector through the navigation operations.
//
// A change of the hot or selected item repaints only the items involved.

#include "AdvDropDown.h"
#include "ClassesLists.h"
#include "ExtCtrls.h"
#include "Graphics.h"

#include <functional>
#include <memory>

class TCustomImageList;
class TCustomItemSelector;
class TAdvCustomItemSelector;

enum TSelectorType { stImage, stColor };
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R, int Index)>;
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;

class TSelectorItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TSelectorItem)
    explicit TSelectorItem(TCollection* Collection);
    ~TSelectorItem() override;

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    // Copied in silently; when not empty it wins over ImageIndex.
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* v) { FImage->Assign(v); }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& v) { FHint = v; }
    // The item's rectangle in panel coordinates, from the last layout.
    TRect ItemRect() const { return FRect; }
    void SetItemRect(const TRect& r) { FRect = r; }

    void Assign(TPersistent* Source) override;

private:
    QString FCaption;
    TColor FColor = clNone;
    int FImageIndex = -1;
    std::unique_ptr<TPicture> FImage;
    QString FHint;
    TRect FRect = TRect(-1, -1, -1, -1);
};

class TSelectorItems : public TCollection {
public:
    DECLARE_CLASSNAME(TSelectorItems)
    explicit TSelectorItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TSelectorItem* Add() { return static_cast<TSelectorItem*>(TCollection::Add()); }
    TSelectorItem* Insert(int Index) { return static_cast<TSelectorItem*>(TCollection::Insert(Index)); }
    TSelectorItem* Items(int Index) const { return static_cast<TSelectorItem*>(TCollection::Items(Index)); }
    void SetItems(int Index, TSelectorItem* Value) { TCollection::SetItems(Index, Value); }
    // Fired by item changes only, not by adding or deleting items.
    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FOwner;
};

// The look of hot and selected items. Starts with the scOffice2007 preset.
class TItemAppearance : public TPersistent {
public:
    DECLARE_CLASSNAME(TItemAppearance)
    explicit TItemAppearance(TPersistent* AOwner);
    ~TItemAppearance() override;
    TPersistent* GetOwner() override { return FOwner; }

#define ITEM_COLOR(Name)                           \
    TColor Name() const { return F##Name; }        \
    void Set##Name(TColor v) { F##Name = v; }
    ITEM_COLOR(ColorHot)
    ITEM_COLOR(ColorHotTo)
    ITEM_COLOR(ColorMirrorHot)
    ITEM_COLOR(ColorMirrorHotTo)
    ITEM_COLOR(ColorSelected)
    ITEM_COLOR(ColorSelectedTo)
    ITEM_COLOR(ColorMirrorSelected)
    ITEM_COLOR(ColorMirrorSelectedTo)
    ITEM_COLOR(BorderColor)
    ITEM_COLOR(BorderColorTop)
    ITEM_COLOR(BorderColorBottom)
    ITEM_COLOR(EdgeColor)
    ITEM_COLOR(BorderColorHot)
    ITEM_COLOR(BorderColorSelected)
    ITEM_COLOR(ColorHotText)
    ITEM_COLOR(ColorSelectedText)
#undef ITEM_COLOR
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    // Loads the style's twelve face and frame colours (scCustom: none);
    // nothing when the style is unchanged.
    void SetColorStyle(TSelectionColorStyle Style);

    void Assign(TPersistent* Source) override;

private:
    void LoadPreset(TSelectionColorStyle Style);
    TPersistent* FOwner;
    TColor FColorHot = clNone, FColorHotTo = clNone, FColorMirrorHot = clNone, FColorMirrorHotTo = clNone;
    TColor FColorSelected = clNone, FColorSelectedTo = clNone, FColorMirrorSelected = clNone,
           FColorMirrorSelectedTo = clNone;
    TColor FBorderColor = clNone, FBorderColorTop = clNone, FBorderColorBottom = clNone, FEdgeColor = clNone;
    TColor FBorderColorHot = clNone, FBorderColorSelected = clNone;
    TColor FColorHotText = clBlack, FColorSelectedText = clBlack;
    std::unique_ptr<TFont> FFont;
    TSelectionColorStyle FColorStyle = scCustom;
};

// The panel: lays out, paints and tracks the items of its container.
class TCustomItemSelector : public TCustomControl {
public:
    DECLARE_CLASSNAME(TCustomItemSelector)
    // Raises "Invalid parent" unless owned by an item selector container.
    explicit TCustomItemSelector(TComponent* AOwner);

    TAdvCustomItemSelector* AdvItemSelector() const { return FAdvItemSelector; }
    int ItemIndex() const { return FItemIndex; }
    // Stores any value, draws that item at once and fires OnItemSelect (also
    // for the current or an out-of-range value).
    void SetItemIndex(int Value);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int Index);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Selects the first item whose plain, trimmed, upper-cased caption
    // starts with Text (compared as given).
    bool LookupItem(const QString& Text);
    TRect GetItemRect(int Index) const;
    int ItemAtPos(int X, int Y) const;

    virtual void DrawItem(int Index, TCanvas* ACanvas);
    virtual TRect GetItemsRect() const;
    virtual TSize GetItemSize();
    virtual void InvalidateItem(int Index);
    virtual void ArrangeItems();

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    int ItemCount() const;
    bool ValidIndex(int i) const { return i >= 0 && i < ItemCount(); }
    // Repaints the item's rectangle now.
    void RepaintItem(int Index);

    TAdvCustomItemSelector* FAdvItemSelector = nullptr;
    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 2, FOffSetY = 2;
    int FItemOffSetX = 4, FItemOffSetY = 4;
    int FCaptionGap = 4;
};

class TAdvCustomItemSelector : public TScrollingWinControl {
public:
    DECLARE_CLASSNAME(TAdvCustomItemSelector)
    explicit TAdvCustomItemSelector(TComponent* AOwner);
    ~TAdvCustomItemSelector() override;

    int Columns() const { return FColumns; }
    void SetColumns(int v);
    TSelectorItems* Items() const { return FItems.get(); }
    void SetItems(TSelectorItems* v) { FItems->Assign(v); }
    int ItemIndex() const;
    void SetItemIndex(int v);
    int ItemHot() const;
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType v);
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout v) { FItemLayout = v; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* v) { FItemAppearance->Assign(v); }
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int v);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int v);
    // The extra room kept above and below an item scrolled into view.
    int ScrollMargin() const { return FScrollMargin; }
    void SetScrollMargin(int v) { FScrollMargin = v; }
    TCustomItemSelector* SelectorPanel() const { return FItemSelectorPanel; }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const QString& Text);
    void ScrollItemInView(int Index);
    // Items per page; 0 without items or with an item height of 0.
    int GetVisibleItemCount() const;
    TSize GetPanelSize() const;
    void UpdateSelectorPanel();

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void CreateSelectorPanel();
    std::unique_ptr<TSelectorItems> FItems;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    TCustomItemSelector* FItemSelectorPanel = nullptr;
    int FColumns = 1;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    TCustomImageList* FImages = nullptr;
    int FColorBoxHeight = 14;
    int FColorBoxWidth = 14;
    int FScrollMargin = 0;
};
