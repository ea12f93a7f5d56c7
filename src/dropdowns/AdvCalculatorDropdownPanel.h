#pragma once
// The calculator's key pad: 28 keys of a pocket calculator in a fixed grid,
// each drawn as a push button of the visual style (the classic face without
// a loaded theme) with its caption. It tracks the hot and the pressed key
// and reports a completed click (a release over the key that was pressed)
// with the key's index; the key's meaning travels in its Tag.

#include "AdvItemSelector.h"
#include "ClassesLists.h"
#include "Controls.h"
#include "Graphics.h"

#include <functional>
#include <memory>

class TAdvCalculatorDropdown;
class TCustomImageList;

enum TButtonPanelType { plCalculator, plCustom };

using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, int Index)>;

class TButtonItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TButtonItem)
    explicit TButtonItem(TCollection* Collection);
    ~TButtonItem() override;

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v) { FCaption = v; }
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor v) { FCaptionColor = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* v) { FImage->Assign(v); }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    const QString& Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    bool Special() const { return FSpecial; }
    void SetSpecial(bool v) { FSpecial = v; }
    TRect GetRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
    void SetRect(int L, int T, int W, int H) { FLeft = L, FTop = T, FWidth = W, FHeight = H; }

    void Assign(TPersistent* Source) override;

private:
    QString FCaption;
    TColor FCaptionColor = clWhite;
    int FImageIndex = -1;
    std::unique_ptr<TPicture> FImage;
    int FTag = 0;
    QString FName;
    bool FSpecial = false;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
};

class TButtonItems : public TCollection {
public:
    DECLARE_CLASSNAME(TButtonItems)
    explicit TButtonItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TButtonItem* Add() { return static_cast<TButtonItem*>(TCollection::Add()); }
    TButtonItem* Insert(int Index) { return static_cast<TButtonItem*>(TCollection::Insert(Index)); }
    TButtonItem* Items(int Index) const { return static_cast<TButtonItem*>(TCollection::Items(Index)); }

private:
    TPersistent* FOwner;
};

// The key pad's look. The colour setters fire OnChange on a change (the
// glow and shine colours only store); only Font, TextColor and
// SpecialTextColor show on the themed faces.
class TButtonAppearance : public TPersistent {
public:
    DECLARE_CLASSNAME(TButtonAppearance)
    TButtonAppearance();
    ~TButtonAppearance() override;

#define PAD_COLOR(Name)                                  \
    TColor Name() const { return F##Name; }              \
    void Set##Name(TColor v) { SetColorOf(F##Name, v); }
    PAD_COLOR(Color)
    PAD_COLOR(ColorTo)
    PAD_COLOR(ColorHot)
    PAD_COLOR(ColorHotTo)
    PAD_COLOR(ColorDown)
    PAD_COLOR(ColorDownTo)
    PAD_COLOR(BorderColor)
    PAD_COLOR(BorderColorHot)
    PAD_COLOR(BorderColorDown)
    PAD_COLOR(TextColor)
    PAD_COLOR(SpecialTextColor)
#undef PAD_COLOR
    TColor GlowColorHot() const { return FGlowColorHot; }
    void SetGlowColorHot(TColor v) { FGlowColorHot = v; }
    TColor GlowColorDown() const { return FGlowColorDown; }
    void SetGlowColorDown(TColor v) { FGlowColorDown = v; }
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor v) { FShineColor = v; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }

    void Assign(TPersistent* Source) override;
    TNotifyEvent OnChange;

private:
    void SetColorOf(TColor& field, TColor v);
    TColor FColor = 10129759, FColorTo = 11575664;
    TColor FColorHot = 10448668, FColorHotTo = 14008900;
    TColor FColorDown = 4927240, FColorDownTo = 11384084;
    TColor FBorderColor = clBlack, FBorderColorHot = clBlack, FBorderColorDown = clBlack;
    TColor FTextColor = clBlack, FSpecialTextColor = clMaroon;
    TColor FGlowColorHot = 14008900, FGlowColorDown = 14008900, FShineColor = clWhite;
    std::unique_ptr<TFont> FFont;
};

class TCustomButtonPanel : public TCustomControl {
public:
    DECLARE_CLASSNAME(TCustomButtonPanel)
    explicit TCustomButtonPanel(TComponent* AOwner);
    ~TCustomButtonPanel() override;

    TButtonItems* Buttons() const { return FButtons.get(); }
    void SetButtons(TButtonItems* v) { FButtons->Assign(v); }
    TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(TButtonAppearance* v) { FButtonAppearance->Assign(v); }
    TItemLayout ButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TItemLayout v) { FButtonLayout = v; }
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    TAdvCalculatorDropdown* AdvDropDown() const { return FAdvDropDown; }
    void SetAdvDropDown(TAdvCalculatorDropdown* v) { FAdvDropDown = v; }
    int ButtonHot() const { return FButtonHot; }
    int ButtonDown() const { return FButtonDown; }

    TRect GetButtonRect(int Index) const;
    int ButtonAtPos(int X, int Y) const;
    void SetButtonHot(int Index);
    void SetButtonDown(int Index);
    virtual void DrawButton(int Index, TCanvas* ACanvas);
    virtual TRect GetButtonsArea() const;
    virtual void ClearButtons();
    virtual void ResetButtons();
    virtual void CreateDefaultButtons();
    virtual void ArrangeButtons();
    virtual void InvalidateButton(int Index);
    virtual void DoButtonClick(int Index);
    void DrawButtons(TCanvas* ACanvas, bool IncludeHot);

    TCalculatorButtonClickEvent OnButtonClick;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    void RepaintButton(int Index);
    std::unique_ptr<TButtonItems> FButtons;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    TItemLayout FButtonLayout = ilCaptionRight;
    TButtonPanelType FButtonPanelType = plCalculator;
    TCustomImageList* FImages = nullptr;
    TAdvCalculatorDropdown* FAdvDropDown = nullptr;
    int FButtonHot = -1, FButtonDown = -1;
    int FOffSetX = 8, FOffSetY = 8;
    int FButtonOffSetX = 4, FButtonOffSetY = 4;
    int FCaptionGap = 0;
};
