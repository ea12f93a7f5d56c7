#pragma once
// The spin edit: a one-line edit holding an integer, a float, a date or a
// time, stepped with keys and with a pair of repeating arrow buttons. The
// value lives in the text: every getter reads the text, every setter clamps
// and formats into it. The grid's spin editor derives from TAsgSpinEdit.

#include "AsgComboPaint.h"
#include "Buttons.h"
#include "Clock.h"
#include "Sets.h"
#include "StdCtrls.h"
#include "SysUtils.h"

enum TAsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
using TEditAlign = TEditAlignment;
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = TSet<TTimeBtnStateItem>;

// ---- the value model, on the text and the current regional settings

// Trimmed text; empty gives 0; the lenient integer reader; unreadable gives
// MinValue.
int SpinReadValue(const QString& Text, int MinValue);
// The locale float reading; unreadable gives MinFloatValue.
double SpinReadFloat(const QString& Text, double MinFloatValue);
// "0" or empty gives the clock's now; unreadable gives MinDateValue.
TDateTime SpinReadDate(const QString& Text, TDateTime MinDateValue);
// The locale time reading; unreadable gives 0.
TDateTime SpinReadTime(const QString& Text);
// Equal limits switch clamping off; at or below the minimum gives the
// minimum, at or above the maximum the maximum.
template <class T>
T SpinCheck(T Value, T Min, T Max)
{
    if (Min == Max) return Value;
    if (Value <= Min) return Min;
    if (Value >= Max) return Max;
    return Value;
}
// Precision decimals in fixed notation, or (0) the general form of 15
// significant digits.
QString SpinFloatText(double Value, int Precision);
// The long time text, or "h:nn" without seconds.
QString SpinTimeText(TDateTime Value, bool ShowSeconds);

enum TSpinDateField { sdfDay, sdfMonth, sdfYear };
// Month first when the first "M" of the upper-cased short date format
// stands before its first "D".
bool SpinMonthFirst(const QString& ShortDateFormat);
// The field under the caret (0-based) of a date text.
TSpinDateField SpinDateFieldAt(const QString& Text, int Caret, bool MonthFirst);
// One step of a field; a year step that lands on a missing 29 February
// raises an Exception naming the step.
TDateTime SpinStepDate(TDateTime Value, TSpinDateField Field, bool Up);
// One step of the time field under the caret by its increment (taken as a
// 16-bit unsigned value), wrapping at midnight; an increment that cannot be
// encoded raises an Exception naming the step.
TDateTime SpinStepTime(TDateTime Value, const QString& Text, int Caret, bool Up, bool ShowSeconds, int IncrementHours,
                       int IncrementMinutes, int IncrementSeconds);

struct TSpinCharInput {
    QChar Key;
    QString Text;
    int SelStart = 0;
    int SelLength = 0;
    TAsgSpinType Type = sptNormal;
    bool EditorEnabled = true;
    int Precision = 0;
};
// Whether a typed character is accepted.
bool SpinIsValidChar(const TSpinCharInput& In);

// ---- layout shared with the edit with a button

// The least height of an edit showing Font's text: H + min(S, H) div 4 + 2
// (S the default font's height), plus 4 for a single border; Compact drops
// the 2 and the border allowance (the edit with a button).
int EditMinHeight(TFont* Font, bool Compact);
// Where the button control of an edit W x H goes: at the right inside the
// new-style border (common controls 6 with Ctl3D), else flush right.
TRect EditButtonBounds(int EditWidth, int EditHeight, int ButtonWidth, bool Ctl3D);

// An edit with a control at its right edge (the spin arrows, a push
// button) and a switch that stops the user's own changes of the text.
class TAsgEdgeButtonEdit : public TCustomEdit {
public:
    DECLARE_CLASSNAME(TAsgEdgeButtonEdit)
    explicit TAsgEdgeButtonEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v);
    void SetReadOnly(bool v);
    virtual int GetMinHeight() const = 0;

protected:
    // The control at the right edge (none while it is being made).
    virtual TWinControl* EdgeControl() const = 0;
    // The text's rectangle left of the edge control.
    virtual void SetEditRect() = 0;
    // A too small height is raised (which comes back here); otherwise the
    // edge control is placed and the text rectangle follows.
    void Resize() override;

private:
    bool FEditorEnabled = true;
    bool FLayingOut = false;
};

// ---- arrow buttons

class TAsgSpinButton;

// An arrow button that repeats while held: armed with 400 ms on a press,
// every 100 ms afterwards.
class TAdvTimerSpeedButton : public TSpeedButton {
public:
    DECLARE_CLASSNAME(TAdvTimerSpeedButton)
    explicit TAdvTimerSpeedButton(TComponent* AOwner);

    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState v) { FTimeBtnState = v; }
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    bool HasMouse() const { return FHasMouse; }

    // One tick of the repeat timer: 100 ms from now on, and a click while
    // the button is still held and captured. A click that raises stops the
    // timer first.
    void TimerExpired();
    // The interval the repeat timer runs with; 0 when stopped.
    int RepeatInterval() const { return FRepeatInterval; }
    // The pressed look (for tests and the owner's keys).
    bool Pressed() const { return FPressed; }
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TimerTick(unsigned id) override;

private:
    void StopTimer();
    TAsgSpinButton* SpinButton() const;
    TTimeBtnState FTimeBtnState;
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
    bool FHasMouse = false;
    int FRepeatInterval = 0;
    bool FMovingFocus = false;
};

// Where the two arrows sit (one pixel of overlap in the vertical layout).
void SpinArrowRects(TSpinDirection Direction, int Width, int Height, TRect& Up, TRect& Down);

// The default glyphs "AsgSpinUp" and "AsgSpinDown": 9 x 6, olive background,
// a black triangle of 1, 3, 5, 7 pixels under an empty row (the down one
// turned over).
QImage SpinGlyphImage(bool Up);

class TAsgSpinButton : public TWinControl {
public:
    DECLARE_CLASSNAME(TAsgSpinButton)
    explicit TAsgSpinButton(TComponent* AOwner);

    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection v);
    TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
    void SetUpGlyph(TBitmap* v);
    TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
    void SetDownGlyph(TBitmap* v);
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int v) { FUpButton->SetNumGlyphs(v); }
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int v) { FDownButton->SetNumGlyphs(v); }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    const TDropButtonColors& ButtonColors() const { return FColors; }
    TDropButtonColors& ButtonColors() { return FColors; }
    void SetButtonColor(TColor v) { FColors.Color = v; Invalidate(); }
    TColor ButtonColor() const { return FColors.Color; }
    bool IsWinXP() const { return FIsWinXP; }
    void SetWinXPLook(bool Value);

    TAdvTimerSpeedButton* UpButton() const { return FUpButton; }
    TAdvTimerSpeedButton* DownButton() const { return FDownButton; }
    TAdvTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    friend class TAdvTimerSpeedButton;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void BtnMouseDown(TAdvTimerSpeedButton* Button);
    void BtnClick(TAdvTimerSpeedButton* Button);
    void SetFocusBtn(TAdvTimerSpeedButton* Button);
    void AdjustButtonSize();

private:
    TAdvTimerSpeedButton* CreateButton(TButtonDirection d);
    TAdvTimerSpeedButton* FUpButton = nullptr;
    TAdvTimerSpeedButton* FDownButton = nullptr;
    TAdvTimerSpeedButton* FFocusedButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
    TDropButtonColors FColors;
};

// ---- the spin edit

class TAsgSpinEdit : public TAsgEdgeButtonEdit {
public:
    DECLARE_CLASSNAME(TAsgSpinEdit)
    explicit TAsgSpinEdit(TComponent* AOwner);
    ~TAsgSpinEdit() override;

    TAsgSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TAsgSpinType v);
    int Value() const;
    void SetValue(int v);
    double FloatValue() const;
    void SetFloatValue(double v);
    TDateTime DateValue() const;
    void SetDateValue(TDateTime v);
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime v);

    int MinValue() const { return FMinValue; }
    void SetMinValue(int v) { FMinValue = v; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int v) { FMaxValue = v; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double v) { FMinFloatValue = v; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double v) { FMaxFloatValue = v; }
    TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(TDateTime v) { FMinDateValue = v; }
    TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(TDateTime v) { FMaxDateValue = v; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double v) { FIncrementFloat = v; }
    double IncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(double v) { FIncrementFloatPage = v; }
    int IncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(int v) { FIncrementHours = v; }
    int IncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(int v) { FIncrementMinutes = v; }
    int IncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(int v) { FIncrementSeconds = v; }
    int Precision() const { return FPrecision; }
    void SetPrecision(int v);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool v) { FShowSeconds = v; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
    bool AllowEmptyValue() const { return FAllowEmptyValue; }
    void SetAllowEmptyValue(bool v) { FAllowEmptyValue = v; }
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign v);
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection v);
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool v);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool v);
    bool UsDates() const { return FUsDates; }
    TAsgSpinButton* Button() const { return FButton; }
    bool IsWinXP() const { return FIsWinXP; }
    void SetWinXPLook(bool v);

    virtual void IncValue(bool Page);
    virtual void DecValue(bool Page);
    virtual bool IsValidChar(QChar Key) const;
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);

    void Loaded() override;
    void WndProc(TMessage& Message) override;
    // The least height that shows the text.
    int GetMinHeight() const override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoEnter() override;
    void DoExit() override;
    TWinControl* EdgeControl() const override { return FButton; }
    void SetEditRect() override;
    void ApplyAlignment();
    void Step(bool Up, bool Page);

private:
    int FMinValue = 0, FMaxValue = 100;
    double FMinFloatValue = 0, FMaxFloatValue = 100;
    TDateTime FMinDateValue = 0, FMaxDateValue = 0, FDateValue = 0, FTimeValue = 0;
    int FIncrement = 1;
    double FIncrementFloat = 0.1;
    TAsgSpinButton* FButton = nullptr;
    TSpinDirection FDirection = spVertical;
    TAsgSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FUsDates = false;
    bool FShowSeconds = true;
    int FIncrementSeconds = 1, FIncrementMinutes = 1, FIncrementHours = 1;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FAllowEmptyValue = false;
    double FIncrementFloatPage = 1.0;
    bool FDropReturnChar = false;
};
