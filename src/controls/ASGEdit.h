#pragma once
// The edit with a push button at its right edge, and its unit variant that
// shows a unit text before the button and offers the units in a menu. The
// grid's button and unit editors derive from these.

#include "Buttons.h"
#include "StdCtrls.h"
#include "asgspin.h"

#include <memory>

class TPopupMenu;
class TStringList;
class TAsgEditButton;

// The speed button inside the edit's button: own colours from the owning
// TAsgEditButton (which also make it flat), the theme, the classic push
// frame, or a flat edge; the glyph centred; the caption always black.
class TAdvSpeedButton : public TSpeedButton {
public:
    DECLARE_CLASSNAME(TAdvSpeedButton)
    explicit TAdvSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    // This button's own flat flag (apart from the speed button's).
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool Hot() const { return FHot; }

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TAsgEditButton* Owner() const;
    bool FIsWinXP = false;
    bool FFlat = false;
    bool FHot = false;
};

// The four ways the inner button paints.
enum TEditButtonPaintMode { ebpOwnColors, ebpThemed, ebpClassic, ebpFlat };
TEditButtonPaintMode EditButtonPaintMode(TColor ButtonColor, bool IsWinXP, bool ThemeActive, bool Flat);

class TAsgEditButton : public TWinControl {
public:
    DECLARE_CLASSNAME(TAsgEditButton)
    explicit TAsgEditButton(TComponent* AOwner);

    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* v) { FButton->SetGlyph(v); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int v) { FButton->SetNumGlyphs(v); }
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString& v) { FButton->SetCaption(v); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    TAdvSpeedButton* Button() const { return FButton; }

    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;
    void AdjustButtonSize();
    // A left-button release anywhere after a press on the button.
    void BtnMouseUp(TMouseButton Button);

private:
    TAdvSpeedButton* FButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    bool FFlat = false;
};

class TAsgEditBtn : public TAsgEdgeButtonEdit {
public:
    DECLARE_CLASSNAME(TAsgEditBtn)
    explicit TAsgEditBtn(TComponent* AOwner);
    ~TAsgEditBtn() override;

    // The last width written (0 until then); the button's own width is
    // Button()->Width().
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    QString ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const QString& v) { FButton->SetButtonCaption(v); }
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* v) { FButton->SetGlyph(v); }
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    TAsgEditButton* Button() const { return FButton; }

    virtual void ClickButton(TObject* Sender);
    int GetMinHeight() const override;

    TNotifyEvent OnClickBtn;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoEnter() override;
    TWinControl* EdgeControl() const override { return FButton; }
    void SetEditRect() override;
    int UnitSize() const { return FUnitSize; }
    void SetUnitSize(int v);

private:
    int FUnitSize = 0;
    bool FRightAlign = false;
    TAsgEditButton* FButton = nullptr;
    int FButtonWidth = 0;
    bool FIsWinXP = false;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const QString& NewUnit)>;

// The part of a value before its unit, by the unit list: the first unit (in
// list order) that is not empty, occurs in the value and whose first
// occurrence ends it. Matched false: no unit ends the value.
struct TTextAndUnit {
    QString Text;
    QString Unit;
    bool Matched = false;
};
TTextAndUnit SplitTextAndUnit(const QString& Value, const QStringList& Units);

// Where the unit text is drawn in an edit of ClientWidth x ClientHeight.
TRect UnitTextRect(int ClientWidth, int ClientHeight, int ButtonWidth, int UnitSpace);

class TAsgUnitEditBtn : public TAsgEditBtn {
public:
    DECLARE_CLASSNAME(TAsgUnitEditBtn)
    explicit TAsgUnitEditBtn(TComponent* AOwner);
    ~TAsgUnitEditBtn() override;

    TStrings* Units() const;
    void SetUnits(TStrings* v);
    QString UnitID() const { return FUnitID; }
    void SetUnitID(const QString& v);
    int UnitSpace() const { return UnitSize(); }
    void SetUnitSpace(int v)
    {
        SetUnitSize(v);
        UpdateUnitWidget();
    }
    // The text directly followed by the unit.
    QString TextAndUnit() const { return Text() + FUnitID; }
    void SetTextAndUnit(const QString& v);

    void ClickButton(TObject* Sender) override;
    // The unit menu's item with identifier Id (1-based) was chosen.
    void UnitChosen(int Id);

    TUnitChangeEvent OnUnitChanged;

protected:
    void Resize() override;

private:
    void UpdateUnitWidget();
    QString FUnitID;
    std::unique_ptr<TStringList> FUnits;
    TPopupMenu* FUnitMenu = nullptr;
    QWidget* FUnitWidget = nullptr;
};
