#pragma once
// The pop-up contents of the colour picker. TCustomColorSelector is the
// discrete palette: small colour boxes in rows and columns, framed as
// column blocks by their position, in which the mouse or the keyboard picks
// one colour. The drop-down fills it with a 60-colour palette.

#include "AdvDropDown.h"
#include "ClassesLists.h"
#include "Controls.h"
#include "Graphics.h"

#include <memory>

// A colour written as 0xRRGGBB, the way people read it.
inline constexpr TColor RgbHex(unsigned rrggbb)
{
    return RGBColor(int(rrggbb >> 16), int(rrggbb >> 8), int(rrggbb));
}

// The base of the colour contents: a painted panel that reports a choice.
class TAdvCustomColorSelectorPanel : public TCustomControl {
public:
    DECLARE_CLASSNAME(TAdvCustomColorSelectorPanel)
    explicit TAdvCustomColorSelectorPanel(TComponent* AOwner) : TCustomControl(AOwner) {}
    // A colour was chosen.
    TNotifyEvent OnSelect;
};

// The colour cube: a honeycomb of 127 hexagonal cells of a fixed web
// palette. A click chooses the cell's colour; the hint names the colour
// under the mouse.
class TAdvColorCubePanel : public TAdvCustomColorSelectorPanel {
public:
    DECLARE_CLASSNAME(TAdvColorCubePanel)
    static constexpr int CellCount = 127;
    struct TCubeCell {
        int X, Y;
        TColor Color;
    };
    explicit TAdvColorCubePanel(TComponent* AOwner);

    // Stores the colour and marks the first cell of that colour (or none);
    // no repaint.
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor v);
    bool ShowRGBHint() const { return FShowRGBHint; }
    void SetShowRGBHint(bool v);
    // Cells are numbered 1 to 127; -1 none.
    int SelectedCell() const { return FSelectedCell; }
    int HotCell() const { return FHotCell; }
    const TCubeCell& Cell(int Number) const { return FCells[size_t(Number - 1)]; }
    // The first cell whose centre lies within 6 pixels; -1 for none.
    int CellAtPoint(int X, int Y) const;
    void InitCells();
    // No hot cell; the panel 182 x 160.
    void ResetHot();

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    void DrawCell(int Number);
    void RepaintCell(int Number);
    TCubeCell FCells[CellCount];
    TColor FSelectedColor = clNone;
    bool FShowRGBHint = true;
    int FSelectedCell = -1;
    int FHotCell = -1;
};

// The spectrum: a 128 x 128 picture (hue once around the circle from left
// to right, white at the top, full colours in the middle rows, black at the
// bottom) with a swatch of the chosen and of the hot colour below it. A
// click chooses the colour of the pixel under it.
class TAdvColorSpectrumPanel : public TAdvCustomColorSelectorPanel {
public:
    DECLARE_CLASSNAME(TAdvColorSpectrumPanel)
    explicit TAdvColorSpectrumPanel(TComponent* AOwner);
    ~TAdvColorSpectrumPanel() override;

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor v) { FSelectedColor = v; }
    TColor HotColor() const { return FHotColor; }
    // The picture's place in the panel and the two swatches.
    TRect PictureRect() const { return FPictureRect; }
    TRect SelectedSwatch() const { return FSelectedRect; }
    TRect HotSwatch() const { return FHotRect; }
    // 150 x 174, the picture centred at the top, the swatches below it; no
    // hot colour.
    void ArrangeSpectrum();
    // The spectrum's colour at a picture pixel.
    static TColor SpectrumColor(int X, int Y);
    // The screen cursor number of the pipette shown over the panel.
    static constexpr TCursor crPipette = 54;
    // The pipette: 32 x 32 monochrome, pointing to the lower left, its hot
    // spot at the tip (1, 30).
    static QCursor PipetteCursor();

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    // The picture's pixel under a panel point; clNone outside the picture.
    TColor PixelAt(int X, int Y) const;
    std::unique_ptr<TBitmap> FPicture;
    TColor FSelectedColor = clWhite;
    TColor FHotColor = clNone;
    TRect FPictureRect = TRect(11, 10, 139, 138);
    TRect FSelectedRect, FHotRect;
};

// Where a box stands in a framed column block.
enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TColorBoxItem)
    explicit TColorBoxItem(TCollection* Collection) : TCollectionItem(Collection) {}
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TItemPos ColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(TItemPos v) { FColorBoxPos = v; }
    TRect BoxRect() const { return FRect; }
    void SetBoxRect(const TRect& r) { FRect = r; }
    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clNone;
    TItemPos FColorBoxPos = ipStandAlone;
    TRect FRect = TRect(-1, -1, -1, -1);
};

class TColorBoxItems : public TCollection {
public:
    DECLARE_CLASSNAME(TColorBoxItems)
    explicit TColorBoxItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TColorBoxItem* Add() { return static_cast<TColorBoxItem*>(TCollection::Add()); }
    TColorBoxItem* Insert(int Index) { return static_cast<TColorBoxItem*>(TCollection::Insert(Index)); }
    TColorBoxItem* Items(int Index) const { return static_cast<TColorBoxItem*>(TCollection::Items(Index)); }
    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FOwner;
};

// The frame colours of the boxes, stored without notification.
class TColorBoxAppearance : public TPersistent {
public:
    DECLARE_CLASSNAME(TColorBoxAppearance)
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { FBorderColor = v; }
    TColor OuterBorderColorHot() const { return FOuterBorderColorHot; }
    void SetOuterBorderColorHot(TColor v) { FOuterBorderColorHot = v; }
    TColor InnerBorderColorHot() const { return FInnerBorderColorHot; }
    void SetInnerBorderColorHot(TColor v) { FInnerBorderColorHot = v; }
    TColor OuterBorderColorSelected() const { return FOuterBorderColorSelected; }
    void SetOuterBorderColorSelected(TColor v) { FOuterBorderColorSelected = v; }
    TColor InnerBorderColorSelected() const { return FInnerBorderColorSelected; }
    void SetInnerBorderColorSelected(TColor v) { FInnerBorderColorSelected = v; }
    // The five default colours.
    void Reset();
    void Assign(TPersistent* Source) override;
    TNotifyEvent OnChange;

private:
    TColor FBorderColor = 0xC5C5C5;
    TColor FOuterBorderColorHot = 0x3694F2;
    TColor FInnerBorderColorHot = 0x94E2FF;
    TColor FOuterBorderColorSelected = 0x0000FF;
    TColor FInnerBorderColorSelected = 0x94E2FF;
};

class TCustomColorSelector : public TAdvCustomColorSelectorPanel {
public:
    DECLARE_CLASSNAME(TCustomColorSelector)
    explicit TCustomColorSelector(TComponent* AOwner);
    ~TCustomColorSelector() override;

    TColorBoxItems* Items() const { return FItems.get(); }
    void SetItems(TColorBoxItems* v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    // An index at or beyond the box count is ignored.
    void SetItemIndex(int I);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int I);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor V);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    int ColumnGap() const { return FColumnGap; }
    void SetColumnGap(int v);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int v);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int v);
    TColorBoxAppearance* ColorBoxAppearance() const { return FAppearance.get(); }
    void SetColorBoxAppearance(TColorBoxAppearance* v) { FAppearance->Assign(v); }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle v);

    // The 60 boxes: ten base colours, then five rows of shades as blocks.
    void LoadDefaultPalette();
    virtual void DrawColorBox(int Index, TCanvas* ACanvas);
    virtual TRect GetItemsRect() const;
    virtual TSize GetColorBoxSize() const { return TSize(FColorBoxWidth, FColorBoxHeight); }
    virtual void UpdateLayout();
    virtual void InvalidateItem(int Index);
    int ItemAtPos(int X, int Y) const;

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // PageUp to Down; EditorEnabled and DroppedDown are the drop-down's.
    void HandleKey(Word Key, bool EditorEnabled, bool DroppedDown);

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    bool Valid(int i) const { return i >= 0 && i < FItems->Count(); }
    void RepaintItem(int Index);
    std::unique_ptr<TColorBoxItems> FItems;
    std::unique_ptr<TColorBoxAppearance> FAppearance;
    int FItemIndex = -1;
    int FItemHot = -1;
    TColor FSelectedColor = clNone;
    int FColumns = 10;
    int FColumnGap = 4;
    int FColorBoxWidth = 12;
    int FColorBoxHeight = 12;
    int FOffSetX = 4, FOffSetY = 4;
    TSelectionColorStyle FItemColorStyle = scCustom;
};
