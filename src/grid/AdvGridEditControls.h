#pragma once
// The editors of the form controls that a cell's mini-HTML embeds
// (<CONTROL> tags of type EDIT, PASSWORD, MASK and COMBO): a mask edit and
// a combo box the string grid places over the control's spot in the cell
// and whose value it writes back into the tag.

#include "AsgCombo.h"
#include "StdCtrls.h"

class TAdvStringGrid;

class TControlEdit : public TCustomMaskEdit {
public:
    DECLARE_CLASSNAME(TControlEdit)
    explicit TControlEdit(TComponent* AOwner);
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;

private:
    TAdvStringGrid* FGrid = nullptr;
};

class TControlCombo : public TAsgComboBox {
public:
    DECLARE_CLASSNAME(TControlCombo)
    explicit TControlCombo(TComponent* AOwner);
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;

private:
    TAdvStringGrid* FGrid = nullptr;
};
