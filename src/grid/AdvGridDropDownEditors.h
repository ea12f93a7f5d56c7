#pragma once
// The grid's drop-down cell editors: one adapter per drop-down editor type,
// each a drop-down editor of the control library that follows the grid's
// editor protocol (ending keys write and validate the cell, Esc restores
// it, leaving the control stores the value). The grid makes each on first
// use (TAdvStringGrid::TrackbarDropDown() ...), opens it over the cell and
// stores its value when the edit ends (AdvGridDropDownEditors.cpp).

#include "AdvCalculatorDropdown.h"
#include "AdvColorPickerDropDown.h"
#include "AdvDetailDropDown.h"
#include "AdvGridDropDown.h"
#include "AdvImagePickerDropDown.h"
#include "AdvMemoDropDown.h"
#include "AdvMultiColumnDropDown.h"
#include "AdvTimePickerDropDown.h"
#include "AdvTrackBarDropDown.h"

class TAdvStringGrid;

// What differs between the adapters.
struct TGridDropDownTraits {
    bool ClaimEnterEsc = false;     // CM_WANTSPECIALKEY also claims Enter and Esc
    bool CaretUnderMouse = false;   // a click that started the edit places the caret
    bool CalcOnEnter = false;       // Enter computes the pending operation first
    bool ColorKeys = false;         // the colour editor's ending keys
    bool FormattedText = false;     // the text is written through the formatting setter
};

// The protocol on top of an editor class E.
template <class E>
class TGridDropDownAdapter : public E {
public:
    explicit TGridDropDownAdapter(TComponent* AOwner, TGridDropDownTraits Traits);
    bool Forced = false;
    // False after Backspace or Delete, true after any other key.
    bool WorkMode = true;
    TAdvStringGrid* FGrid = nullptr;

    void KeyDownMessage(TMessage& Message) override;
    void HandleKeyDown(Word& Key, TShiftState Shift) override;
    void HandleKeyPress(QChar& Key) override;
    void HandleChange() override;
    void WantSpecialKeyMessage(TMessage& Message) override;
    void SetFocusMessage(TMessage& Message) override;

protected:
    void DoExit() override;
    // Writes the editor's text (the formatting setter or as it is).
    void PutText(const QString& Value);

private:
    bool EndingKey(Word Key, TShiftState Shift) const;
    TGridDropDownTraits FTraits;
};

class TGridTrackbarDropDown : public TGridDropDownAdapter<TAdvTrackBarDropDown> {
public:
    DECLARE_CLASSNAME(TGridTrackbarDropDown)
    explicit TGridTrackbarDropDown(TComponent* AOwner);
    void DoChange() {}
    void HandleKeyUp(Word& Key, TShiftState Shift) override { TCustomMaskEdit::KeyUp(Key, Shift); }
};

class TGridMemoDropDown : public TGridDropDownAdapter<TAdvMemoDropDown> {
public:
    DECLARE_CLASSNAME(TGridMemoDropDown)
    explicit TGridMemoDropDown(TComponent* AOwner);
};

class TGridCalculatorDropDown : public TGridDropDownAdapter<TAdvCalculatorDropdown> {
public:
    DECLARE_CLASSNAME(TGridCalculatorDropDown)
    explicit TGridCalculatorDropDown(TComponent* AOwner);
};

class TGridTimepickerDropDown : public TGridDropDownAdapter<TAdvTimePickerDropDown> {
public:
    DECLARE_CLASSNAME(TGridTimepickerDropDown)
    explicit TGridTimepickerDropDown(TComponent* AOwner);

protected:
    void InitializeEditor() override;
};

class TGridDetailPickerDropDown : public TGridDropDownAdapter<TAdvDetailDropDown> {
public:
    DECLARE_CLASSNAME(TGridDetailPickerDropDown)
    explicit TGridDetailPickerDropDown(TComponent* AOwner);
    // The cell's text, and the item of that caption (none when no caption
    // equals it).
    void StartEdit(const QString& Text);
};

class TGridColorDropDown : public TGridDropDownAdapter<TAdvColorPickerDropDown> {
public:
    DECLARE_CLASSNAME(TGridColorDropDown)
    explicit TGridColorDropDown(TComponent* AOwner);
};

class TGridImageDropDown : public TGridDropDownAdapter<TAdvImagePickerDropDown> {
public:
    DECLARE_CLASSNAME(TGridImageDropDown)
    explicit TGridImageDropDown(TComponent* AOwner);
};

class TGridGridDropDown : public TGridDropDownAdapter<AdvMultiColumnDropDown::TAdvMultiColumnDropDown> {
public:
    DECLARE_CLASSNAME(TGridGridDropDown)
    explicit TGridGridDropDown(TComponent* AOwner);
    // The item whose lookup text equals the cell's text (none when no item
    // does; the first item for an empty cell), then the cell's text.
    void StartEdit(const QString& Text);
};

class TGridAdvGridDropDown : public TGridDropDownAdapter<TCustomAdvGridDropDown> {
public:
    DECLARE_CLASSNAME(TGridAdvGridDropDown)
    explicit TGridAdvGridDropDown(TComponent* AOwner);
    // The grid shown in the pop-up.
    TAdvStringGrid* Grid() const;
    // With items: the first item whose lookup text begins with the cell's
    // text (the first item for an empty cell); then the cell's text.
    void StartEdit(const QString& Text);
};
