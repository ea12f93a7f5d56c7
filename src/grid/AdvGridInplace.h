#pragma once
// TAdvInplaceEdit: the string grid's text editor. It loads the cell in the
// cell's own colour, font and alignment, filters typed characters by the
// cell's editor type, validates before a key leaves the cell, completes
// from the grid's lookup list and reports the end of each edit once.

#include "Grids.h"

#include <QString>

class TAdvStringGrid;

class TAdvInplaceEdit : public TInplaceEdit {
public:
    DECLARE_CLASSNAME(TAdvInplaceEdit)
    explicit TAdvInplaceEdit(TComponent* AOwner);

    TAdvStringGrid* AdvGrid() const { return FAdvGrid; }
    // The cell's text is right-aligned; writing re-applies the styles.
    bool VAlign() const { return FValign; }
    void SetVAlign(bool v);
    bool WordWrap() const { return FWordWrapStyle; }
    void SetWordWrap(bool v);
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int v) { FLengthLimit = v; }
    int EditCol() const { return FColE; }
    int EditRow() const { return FRowE; }
    bool AltBack() const { return FAltBack; }
    // Auto-completion from the grid's lookup list (after each key release).
    void DoChange();
    // A paste of Text at the selection, by the rules of the cell's type.
    void PasteText(const QString& Text);

    void WndProc(TMessage& Message) override;

protected:
    void UpdateContents() override;
    void BoundsChanged() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Change() override;
    void DblClick() override;

private:
    void ApplyStyles();
    // Step rules of the key-down message; true when the key is consumed.
    bool KeyDownMessage(Word Key, TShiftState Shift);
    // The character filter; false drops the character.
    bool FilterChar(QChar& C, TShiftState Shift, bool Keypad, bool& Advance);
    void FocusGained();
    void FocusLost(TControl* NewFocus);
    bool StoreAndValidate();
    void Reject(bool Repaint);
    void CaretToEnd();
    void CheckAutoAdvance();

    TAdvStringGrid* FAdvGrid = nullptr;
    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    int FLengthLimit = 0;
    bool FValign = false;
    bool FWordWrapStyle = false;
    bool GotKey = false;
    bool FGotFocus = false;
    bool Workmode = true;
    int FColE = -1;
    int FRowE = -1;
    bool FAltBack = false;
    bool FDropChar = false;    // the character of a rejected key
    bool FRowMove = false;
};
