#pragma once
// The calculator drop-down: a number edit (etFloat, two decimals) whose
// pop-up is a calculator key pad. Pad keys and keys typed in the pop-up or
// the edit run a four-function calculator with memory, percent, square
// root and reciprocal that evaluates strictly from left to right; the
// result stays in the edit when the pop-up closes (Esc restores the text
// from before the opening).
//
// The arithmetic is TCalculatorEngine, a plain object over the edit's text
// (through ICalculatorDisplay) and its own state; the drop-down feeds it
// pad keys and characters.

#include "AdvCalculatorDropdownPanel.h"
#include "AdvDropDown.h"

#include <memory>

// What the engine reads and writes of the edit.
class ICalculatorDisplay {
public:
    virtual ~ICalculatorDisplay() = default;
    // The value text (without prefix and suffix).
    virtual QString DisplayText() const = 0;
    // Writes a text under the edit's rules.
    virtual void SetDisplayText(const QString& Text) = 0;
    // Writes a number with the edit's decimals and separators.
    virtual void SetDisplayValue(double Value) = 0;
    // The number the edit's rules read from the text.
    virtual double DisplayValue() const = 0;
    virtual QChar DecimalSeparator() const = 0;
    virtual QChar ThousandSeparator() const = 0;
    // 0: no limit.
    virtual int DisplayMaxLength() const = 0;
};

enum TCalcOperator { coNone = -1, coPlus = 0, coMultiply = 1, coMinus = 2, coDivide = 3 };

class TCalculatorEngine {
public:
    explicit TCalculatorEngine(ICalculatorDisplay& Display) : FDisplay(Display) {}

    // The number shown (thousand separators removed); 0 when the text does
    // not read as a number.
    double Displayed() const;
    void Calculate();
    void DoPlus();
    void DoMinus();
    void DoMultiply();
    void DoDivide();
    void DoEquals();
    void DoPercent();
    // A pad key by its Tag.
    void KeyTag(int Tag);
    // A character reaching the edit: false when it is consumed (computed or
    // discarded); true lets it pass, possibly changed, to the edit's typing.
    // Closed: the pop-up is not showing.
    bool KeyPress(QChar& Key, bool Closed, int& CaretAfter);
    // A character typed in the open pop-up, after it reached the edit;
    // answers what to do with the pop-up.
    enum class PopUpAction { Stay, Close, Cancel };
    PopUpAction ProcessCalcKey(QChar Key, bool Alt);
    // Backspace pressed in the pop-up.
    void PopUpBackspace();
    // Delete in the edit: an empty text or "Error" becomes "0".
    void EditDelete();

    double PrevVal() const { return FPrevval; }
    int PrevOp() const { return FPrevop; }
    bool NewVal() const { return FNewval; }
    void SetNewVal(bool v) { FNewval = v; }
    int Decim() const { return FDecim; }
    void SetDecim(int v) { FDecim = v; }
    double Memory() const { return FMVal; }

private:
    bool AtMaxLength() const;
    void ZeroIfEmptyOrError();
    ICalculatorDisplay& FDisplay;
    double FPrevval = 0;
    int FPrevop = coNone;
    bool FNewval = false;
    int FDecim = 0;
    double FMVal = 0;
};

class TAdvCalculatorDropdown : public TAdvCustomDropDown, private ICalculatorDisplay {
public:
    DECLARE_CLASSNAME(TAdvCalculatorDropdown)
    explicit TAdvCalculatorDropdown(TComponent* AOwner);
    ~TAdvCalculatorDropdown() override;

    // Reading an empty edit writes "0" first; a text that does not read
    // gives 0. Writing formats the value generally ("%g").
    double Value();
    void SetValue(double v);
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    void SetShowThousandSeparator(bool v);
    TButtonAppearance* CalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
    void SetCalcButtonAppearance(TButtonAppearance* v) { FCalcButtonAppearance->Assign(v); }
    TCustomButtonPanel* ButtonPanel() const { return FAdvButtonPanel; }
    TCalculatorEngine& Engine() { return FEngine; }
    bool CalcClosed() const { return FCalcClosed; }
    // "=".
    void CalcResult() { FEngine.DoEquals(); }
    // The pad's click of key Index.
    void ButtonClick(TObject* Sender, int Index);

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void FormKeyPress(TObject* Sender, QChar& Key) override;
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void SetComponentStyle(TVisualStyle AStyle) override;
    void KeyDownMessage(TMessage& Message) override;
    void CharMessage(TMessage& Message) override;
    // Called before every pad key and every character typed in the pop-up.
    virtual void BeforeCalculatorKey() {}

protected:
    void InitializeEditor() override;

private:
    QString DisplayText() const override { return Text(); }
    void SetDisplayText(const QString& Value) override;
    void SetDisplayValue(double Value) override;
    double DisplayValue() const override { return GetFloatValue(); }
    QChar DecimalSeparator() const override;
    QChar ThousandSeparator() const override;
    int DisplayMaxLength() const override { return MaxLength(); }
    bool Closed() const;

    TCustomButtonPanel* FAdvButtonPanel = nullptr;
    std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
    TCalculatorEngine FEngine{*this};
    bool FCalcClosed = true;
    bool FShowThousandSeparator = false;
};
