#pragma once
// The string grid's own editor controls and the rules they share with the
// text editor. Every control follows one protocol: the grid shows, fills
// and stores it (AdvGridEditShow.cpp); leaving it stores the value through
// HideInplaceEdit; an ending key writes the text to the current cell and
// validates it first; a refused value keeps the control open with the
// grid's replacement text.

#include "ASGEdit.h"
#include "AdvDateTimePicker.h"
#include "AdvGridEdit.h"
#include "AsgCombo.h"
#include "AsgDateTimePicker.h"
#include "Controls.h"
#include "StdCtrls.h"
#include "asgspin.h"

#include <QString>

class TAdvStringGrid;
class TAdvGridAccessEditors;

// ---- shared rules -------------------------------------------------------------

// The look the cell is painted in: brush colour, font and alignment.
void EditorCellLook(TAdvStringGrid* Grid, int ACol, int ARow, TBrush* Brush, TFont* Font, TAlignment& HA);
// Whether a pasted text may stand in an editor of type t.
bool PasteAccepted(TEditorType t, const QString& NewText, const QString& ValidChars);
// The text a paste leaves for type t (case rules).
QString PastedForm(TEditorType t, const QString& NewText);
// The typed part completed from the first item that begins with it (at
// most 255 characters of the item's tail); empty when none does.
QString LookupCompletion(const QString& Typed, TStrings* Items, bool CaseSensitive);
// The rule of the numeric and float editors for one typed character: true
// passes it; Beep tells whether a refusal beeps.
bool NumericCharAccepted(TEditorType t, QChar C, const QString& Text, int SelStart, const QString& SelText,
                         bool Ctrl, bool& Beep);
// A date-and-time editor's value as stored: short date, a blank, short time.
QString DateTimeEditorText(TDateTime Value);
// The invalid-entry notice under an editor; hidden at the editor's next
// key or when it closes.
void ShowInvalidEntryBalloon(TAdvStringGrid* Grid, TWinControl* Target, int Icon, const QString& Title,
                             const QString& Text);
void HideInvalidEntryBalloon();
// The notice shown now (nil when none): for tests and the look's grab.
TWinControl* InvalidEntryBalloon();

// ---- TGridCombo -------------------------------------------------------------

class TGridCombo : public TAsgComboBox {
public:
    DECLARE_CLASSNAME(TGridCombo)
    explicit TGridCombo(TComponent* AOwner);
    TAdvStringGrid* Grid() const { return FGrid; }
    void SizeDropDownWidth();
    void DoChange();
    bool ItemChange() const { return ItemChangeFlag; }
    // A new edit starts: the reported item is forgotten.
    void StartEdit(int ItemIndex) { FReportedIndex = ItemIndex; }
    // Reports a change of the selected item once.
    void ReportItemChange();
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Change() override;
    void Select() override;
    void DoExit() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

private:
    TAdvStringGrid* FGrid = nullptr;
    bool WorkMode = true;
    bool ItemChangeFlag = false;
    int FReportedIndex = -1;
    bool FDropChar = false;
};

// ---- TGridSpin ----------------------------------------------------------------

class TGridSpin : public TAsgSpinEdit {
public:
    DECLARE_CLASSNAME(TGridSpin)
    explicit TGridSpin(TComponent* AOwner);
    TAdvStringGrid* Grid() const { return FGrid; }
    void UpClick(TObject* Sender) override;
    void DownClick(TObject* Sender) override;
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoExit() override;

private:
    void FireSpin(bool Up);
    TAdvStringGrid* FGrid = nullptr;
    bool FDropChar = false;
};

// ---- TGridEditBtn, TGridUnitEditBtn ------------------------------------------------------

class TGridEditBtn : public TAsgEditBtn {
public:
    DECLARE_CLASSNAME(TGridEditBtn)
    explicit TGridEditBtn(TComponent* AOwner);
    TAdvStringGrid* Grid() const { return FGrid; }
    bool StopEditAfterClick() const { return FStopEditAfterClick; }
    void SetStopEditAfterClick(bool v) { FStopEditAfterClick = v; }
    void ClickButton(TObject* Sender) override;
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Change() override;
    void DoExit() override;
    void DblClick() override;
    TAdvStringGrid* FGrid = nullptr;

private:
    bool FStopEditAfterClick = false;
    bool WorkMode = true;
    bool FDropChar = false;
};

class TGridUnitEditBtn : public TAsgUnitEditBtn {
public:
    DECLARE_CLASSNAME(TGridUnitEditBtn)
    explicit TGridUnitEditBtn(TComponent* AOwner);
    TAdvStringGrid* Grid() const { return FGrid; }
    void ClickButton(TObject* Sender) override;
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoExit() override;

private:
    TAdvStringGrid* FGrid = nullptr;
    bool FDropChar = false;
};

// ---- date pickers -------------------------------------------------------------------

class TGridDatePicker : public TAsgDateTimePicker {
public:
    DECLARE_CLASSNAME(TGridDatePicker)
    explicit TGridDatePicker(TComponent* AOwner);
    TAdvStringGrid* Grid() const { return FGrid; }
    // Whether a change of the field at the caret completes it.
    static bool FieldDone(TDateTimeKind Kind, const QString& Format, int ChangedField);
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoExit() override;

private:
    TAdvStringGrid* FGrid = nullptr;
    bool FOldDropped = false;
    bool FDropChar = false;
};

class TGridDateTimePicker : public TAdvDateTimePicker {
public:
    DECLARE_CLASSNAME(TGridDateTimePicker)
    explicit TGridDateTimePicker(TComponent* AOwner);
    TAdvStringGrid* Grid() const { return FGrid; }
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    TAdvStringGrid* FGrid = nullptr;
};

// ---- check box and button ------------------------------------------------------------

class TGridCheckBox : public TCheckBox {
public:
    DECLARE_CLASSNAME(TGridCheckBox)
    explicit TGridCheckBox(TComponent* AOwner);
    TAdvStringGrid* Grid() const { return FGrid; }
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    TAdvStringGrid* FGrid = nullptr;
    bool FSpaceDown = false;
};

// A push button over the cell: a release inside it or a Space released after
// its own press runs the click.
class TGridButton : public TCustomControl {
public:
    DECLARE_CLASSNAME(TGridButton)
    explicit TGridButton(TComponent* AOwner);
    TAdvStringGrid* Grid() const { return FGrid; }
    void Click() override;
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    TAdvStringGrid* FGrid = nullptr;
    bool FPressed = false;
    bool FSpaceDown = false;
};
