#pragma once
// The colour-picker drop-down: an edit that holds a colour, shows its swatch
// and (optionally) its name or value, and offers the colour in a pop-up of
// one of four styles: a list of named colours (the item selector), a
// palette of 60 boxes, a honeycomb of 127 web colours or a spectrum picture. The edit cannot be
// typed into; a click opens the pop-up.

#include "AdvColorPickerDropDownPanels.h"
#include "AdvDropDown.h"
#include "AdvItemSelector.h"

#include <memory>

class TTimer;

enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

class TColorItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TColorItem)
    explicit TColorItem(TCollection* Collection) : TCollectionItem(Collection) {}
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& v) { FHint = v; }
    void Assign(TPersistent* Source) override;

private:
    QString FCaption;
    TColor FColor = clNone;
    QString FHint;
};

class TColorItems : public TCollection {
public:
    DECLARE_CLASSNAME(TColorItems)
    explicit TColorItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TColorItem* Add() { return static_cast<TColorItem*>(TCollection::Add()); }
    TColorItem* Insert(int Index) { return static_cast<TColorItem*>(TCollection::Insert(Index)); }
    TColorItem* Items(int Index) const { return static_cast<TColorItem*>(TCollection::Items(Index)); }
    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FOwner;
};

class TAdvColorPickerDropDown : public TAdvCustomDropDown {
public:
    DECLARE_CLASSNAME(TAdvColorPickerDropDown)
    explicit TAdvColorPickerDropDown(TComponent* AOwner);
    ~TAdvColorPickerDropDown() override;

    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle v);
    TColorItems* Colors() const { return FColors.get(); }
    void SetColors(TColorItems* v) { FColors->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    // Ignored at or beyond the colour count; fires OnSelect (also for -1
    // and an unchanged value).
    void SetItemIndex(int V);
    TColor SelectedColor() const { return FSelectedColor; }
    // A colour without a list entry clears ItemIndex.
    void SetSelectedColor(TColor V);
    virtual QString SelectedColorText() const;
    int Columns() const { return FColumns; }
    void SetColumns(int v) { FColumns = v; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout v) { FLayout = v; }
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int v) { FColorBoxWidth = v; }
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int v) { FColorBoxHeight = v; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* v) { FItemAppearance->Assign(v); }
    TColorValueText ColorValueText() const { return FColorValueText; }
    void SetColorValueText(TColorValueText v);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool v);

    // The 16 basic colours, "Black" to "White".
    void AddDefaultColors();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    TAdvCustomItemSelector* ItemSelector() const { return FItemSelector; }
    TCustomColorSelector* ColorSelector() const { return FColorSelector; }
    TAdvColorCubePanel* CubePanel() const { return FCubePanel; }
    TAdvColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }
    // Clears the type-ahead text (the 500 ms key timer's tick).
    void KeyTimerTick();
    const QString& TypeAhead() const { return FLookup; }

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedColor;
    TDrawItemEvent OnDrawColor;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void PlaceDropDownControl() override;
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
    void CreateContent();
    void ShowContent();
    void FillSelector();
    void SelectorItemSelected(TObject* Sender);
    void ColorSelectorSelected(TObject* Sender);
    void CubePanelSelected(TObject* Sender);
    void SpectrumPanelSelected(TObject* Sender);
    void PaintSelectedColor(TCanvas* Canvas);
    void SelectInList(int I);

    std::unique_ptr<TColorItems> FColors;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    TAdvCustomItemSelector* FItemSelector = nullptr;
    TCustomColorSelector* FColorSelector = nullptr;
    TAdvColorCubePanel* FCubePanel = nullptr;
    TAdvColorSpectrumPanel* FSpectrumPanel = nullptr;
    TTimer* FKeyTimer = nullptr;
    TColorSelectionStyle FColorSelectionStyle = csList;
    int FItemIndex = -1;
    int FOldItemIndex = -1;
    TColor FSelectedColor = clNone;
    TColor FOldSelectedColor = clNone;
    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TColorValueText FColorValueText = cvtNone;
    bool FShowText = true;
    bool FInternalCall = false;
    QString FLookup;
};

// The web colour name of a colour: one of the basic named colours in lower
// case, else "#" and six upper-case hex digits, red first.
QString WebColorName(TColor Color);
