#pragma once
// TAdvCheckBox: the owner-drawn check box of the grid's search footer
// (match case, highlight). Themed or classic box, three states, read-only
// mode, accelerators, Enter as Tab, an end ellipsis for long captions and
// a transparent background copied from the parent (optionally cached).

#include "Controls.h"
#include "Graphics.h"
#include "StdCtrls.h"

#include <memory>

class TAdvCheckBox : public TCustomControl {
public:
    DECLARE_CLASSNAME(TAdvCheckBox)
    explicit TAdvCheckBox(TComponent* AOwner);
    ~TAdvCheckBox() override;

    // Writing invalidates only the 20-pixel strip of the box; raises no click.
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v);
    // Unless ReadOnly: Checked := not Checked (a grayed box becomes checked).
    virtual void Toggle();

    // The box shows pressed (mouse button or Space held).
    bool Down() const { return FDown; }
    void SetDown(bool v) { FDown = v; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    TVerticalLayout ButtonVertAlign() const { return FButtonVertAlign; }
    void SetButtonVertAlign(TVerticalLayout v);
    // taLeftJustify: box on the left; taRightJustify: box at the right edge.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // Keep the copied parent background in a bitmap (spelled so).
    bool TransparentChaching() const { return FTransparentCaching; }
    void SetTransparentChaching(bool v) { FTransparentCaching = v; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Click() override;
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void EnabledChanged() override;
    void TextChanged() override;
    // Paints the parent's background behind the control into Target.
    virtual void CopyParentBackground(TCanvas* Target);

    bool FFocused = false;
    bool FIsWinXP;
    bool FHot = false;
    bool FClicksDisabled = false;
    bool FMouseDown = false;
    std::unique_ptr<TBitmap> FBkgBmp;
    bool FBkgCache = false;

private:
    bool Inside(int X, int Y) const;
    TRect BoxStrip() const;

    bool FDown = false;
    bool FSpaceDown = false;  // Space went down on the box and is not yet released
    TCheckBoxState FState = cbUnchecked;
    bool FReturnIsTab = false;
    TVerticalLayout FButtonVertAlign = tlTop;
    TAlignment FAlignment = taLeftJustify;
    bool FEllipsis = false;
    bool FReadOnly = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
};
