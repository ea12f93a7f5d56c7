#pragma once
// The editors of fixed cells: a text edit and a combo box that the string
// grid places over a header cell (StartFixedCellEdit). Leaving one ends the
// edit: the grid's OnCellValidate may refuse the text (the editor stays),
// otherwise OnEditingDone fires and the text goes into the cell.

#include "StdCtrls.h"

class TAdvStringGrid;
class TWinControl;

// The one ending of both fixed-cell editors: validation, the done event,
// the store and the hide; false when refused (the editor keeps the focus).
bool StopFixedCellEdit(TAdvStringGrid* Grid, TWinControl* Editor, int ACol, int ARow);
TAdvStringGrid* FixedCellEditGrid(TComponent* Owner);

// What both editors add to their platform control (an edit, a combo box).
template <class Base>
class TFixedCellEditBase : public Base {
public:
    explicit TFixedCellEditBase(TComponent* AOwner) : Base(AOwner), FGrid(FixedCellEditGrid(AOwner)) {}
    // The fixed cell edited (real column, row).
    int Col() const { return FCol; }
    void SetCol(int v) { FCol = v; }
    int Row() const { return FRow; }
    void SetRow(int v) { FRow = v; }
    // Ends the edit; false when the grid's validation refused the text.
    bool StopEdit() { return StopFixedCellEdit(FGrid, this, FCol, FRow); }

protected:
    void DoExit() override
    {
        if (this->Visible()) StopEdit();
        Base::DoExit();
    }
    // Enter neither beeps nor ends the edit here.
    void KeyPress(QChar& Key) override
    {
        if (Key == QChar(u'\r')) {
            Key = QChar();
            return;
        }
        Base::KeyPress(Key);
    }

private:
    TAdvStringGrid* FGrid = nullptr;
    int FCol = 0;
    int FRow = 0;
};

class TGridTransEdit : public TFixedCellEditBase<TEdit> {
public:
    DECLARE_CLASSNAME(TGridTransEdit)
    explicit TGridTransEdit(TComponent* AOwner) : TFixedCellEditBase<TEdit>(AOwner) {}
};

class TGridTransCombo : public TFixedCellEditBase<TComboBox> {
public:
    DECLARE_CLASSNAME(TGridTransCombo)
    explicit TGridTransCombo(TComponent* AOwner) : TFixedCellEditBase<TComboBox>(AOwner) {}
};
