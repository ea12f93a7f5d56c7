#pragma once
// The text rules of the drop-down edit, selected by its edit type: which
// typed characters reach the edit and how they change, how a fixed Prefix
// and Suffix are kept out of the caret's reach, how numbers are formatted
// with decimals and thousand separators, how they are read back, and how a
// paste is filtered.
//
// Everything here is a pure function over an edit state (the text the edit
// shows, with its caret and selection) and the rules in force; the drop-down
// control applies what comes back to its widget and fires its events. The
// unit uses no widget, so the fuzz build links it alone.
//
// Positions count characters of the edit text from 0, Prefix included. The
// value is the edit text without the Prefix (when the text starts with it)
// and without as many trailing characters as the Suffix has.

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

enum TDropDownEditType {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange,
    etHex, etAlphaNumeric, etValidChars
};

struct TDropDownEditRules {
    TDropDownEditType EditType = etString;
    int Precision = 0;       // decimals; below 0 the general format
    int LengthLimit = 0;     // digits before the decimal separator; 0 no limit
    QString Prefix;
    QString Suffix;
    QString ValidChars;
    bool Signed = false;
    bool AutoThousandSeparator = true;
    bool ExcelStyleDecimalSeparator = false;
    bool AllowNumericNullValue = false;
    int MaxLength = 0;       // the platform edit's limit; 0 none
    QChar DS = u'.';         // the regional decimal separator
    QChar TS = u',';         // the regional thousand separator
};

struct TDropDownEditState {
    QString Text;
    int SelStart = 0;
    int SelLength = 0;
    friend bool operator==(const TDropDownEditState&, const TDropDownEditState&) = default;
};

// ---- text routines ----------------------------------------------------------

// 0 an integer, 1 a decimal number, 5 hexadecimal, 2 anything else (also the
// empty text and a text with more than one "-" or decimal separator).
int ClassifyNumberText(const QString& Text, QChar DS, QChar TS);
QString StripThousandSeparators(const QString& Text, QChar TS);
// 0 to 15; 0 for a character that is no hexadecimal digit.
int HexDigitValue(QChar Ch);
// The digits weighted by powers of 16 in 32-bit arithmetic that wraps.
uint32_t HexToInt(const QString& Text);
bool IsRangeSeparator(QChar Ch);
bool IsSignedMinus(const TDropDownEditRules& R, QChar Ch);
// One more than the number of integer digits (thousand separators not
// counted, a signed minus not counted).
int IntegerPartLength(const TDropDownEditRules& R, const QString& Text);

// ---- value --------------------------------------------------------------------

QString DropDownValue(const TDropDownEditRules& R, const QString& EditText);
// 1-based edit-text position of the value's first decimal separator; past
// the Suffix when the value has none.
int DecimalSeparatorPos(const TDropDownEditRules& R, const TDropDownEditState& S);
// The caret stands behind a separator whose decimals are all there.
bool DecimalsFull(const TDropDownEditRules& R, const TDropDownEditState& S);
// A separator typed at the caret would not be exactly three digits from
// the nearest thousand separator.
bool ThousandSeparatorMisplaced(const TDropDownEditRules& R, const TDropDownEditState& S);

// Thousand separators removed, read with the regional settings; 0 when the
// text does not read.
double StrToFloatEx(const TDropDownEditRules& R, const QString& Text);
// The number a value stands for, by edit type ("Error" and "-" read 0).
double DropDownFloatValue(const TDropDownEditRules& R, const QString& Value);
// The edit text a value written through the value setter becomes: numeric
// types turn empty into "0", money and float values are formatted with the
// decimals, hexadecimal is upper-cased, Prefix and Suffix added.
QString DropDownComposeText(const TDropDownEditRules& R, const QString& Value);
// The value a number is written as, by edit type; none for the text types.
std::optional<QString> DropDownFloatText(const TDropDownEditRules& R, double X);
std::optional<QString> DropDownIntText(const TDropDownEditRules& R, int N);

// Money: the integer digits regrouped in threes (with AutoThousandSeparator),
// the caret keeping its distance from the end. None for an empty value.
struct TThousandsResult {
    TDropDownEditState State;
    bool Changed = false;  // the text differs: its change notification is swallowed
};
std::optional<TThousandsResult> ApplyThousandSeparatorsTo(const TDropDownEditRules& R,
                                                          const TDropDownEditState& S);

// ---- selection ------------------------------------------------------------------

TDropDownEditState SelectAllValue(const TDropDownEditRules& R, TDropDownEditState S);
TDropDownEditState SelectBeforeDecimal(const TDropDownEditRules& R, TDropDownEditState S);
TDropDownEditState SelectAfterDecimal(const TDropDownEditRules& R, TDropDownEditState S);
// After a left-button release: the selection moved out of Prefix and Suffix.
TDropDownEditState SelectionAfterMouseUp(const TDropDownEditRules& R, TDropDownEditState S);

// ---- typing -----------------------------------------------------------------------

// One change of the edit text, in the order the edit sees them.
struct TDropDownEditWrite {
    TDropDownEditState State;
    bool BlockChange = false;  // its change notification is swallowed
    bool Typed = false;        // the edit's own processing of the typed key
};

struct TTypedCharContext {
    bool CtrlDown = false;
    bool KeypadKey = false;    // the key came from the numeric keypad
};

// What runs after the edit processed the character.
enum class TAfterTyped { None, Backspace, Money, MixedCase };

// The rules before the edit's own processing of a typed character.
struct TTypedCharOutcome {
    bool Dropped = false;          // the character goes no further
    bool Unfiltered = false;       // Ctrl+C/V/X: the edit's handling, nothing else
    bool SetTextZero = false;      // money: the value becomes zero first (the value setter)
    std::vector<TDropDownEditWrite> Writes;  // written instead of typing (or caret moves)
    std::optional<QChar> PassChar; // the edit processes this character (maybe replaced)
    bool RaiseModified = false;    // the drop-down's modified state is raised
    bool BlockFirstWrite = false;  // the whole value was selected: its next change is swallowed
    TAfterTyped After = TAfterTyped::None;
    bool BackspaceRestNonEmpty = false;
    int MixedCaret = 0;
};

// The rules for one typed character (Enter and Escape already handled).
TTypedCharOutcome DropDownTypeChar(const TDropDownEditRules& R, const TDropDownEditState& S, QChar Ch,
                                   const TTypedCharContext& C);

// The edit's own processing of a typed character: Backspace deletes the
// selection or the character before the caret, a printable character
// replaces the selection unless the length limit refuses it.
TDropDownEditState PlatformTypeChar(const TDropDownEditRules& R, const TDropDownEditState& S, QChar Ch);

// The rules after the edit processed the character (State: the edit then).
struct TAfterTypedOutcome {
    std::vector<TDropDownEditWrite> Writes;
    bool RaiseModified = false;
    bool CallChange = false;       // Change runs once more (a deleted whole value)
};
TAfterTypedOutcome DropDownAfterTyped(const TDropDownEditRules& R, const TTypedCharOutcome& O,
                                      const TDropDownEditState& State, QChar Ch);

// The whole sequence for one character as the edit runs it when no key
// handler changes the character: the rules, the edit's processing, the
// rules after. Writes in order, the first carrying the swallowed change.
struct TTypedSimulation {
    TDropDownEditState State;
    std::vector<TDropDownEditWrite> Writes;
    bool Dropped = false;
    bool RaiseModified = false;
    bool CallChange = false;
    bool SetTextZero = false;
};
TTypedSimulation DropDownSimulateChar(const TDropDownEditRules& R, const TDropDownEditState& S, QChar Ch,
                                      const TTypedCharContext& C);

// The rules of a key-down: Prefix and Suffix held out of the caret's reach,
// Delete within the length limit.
struct TKeyDownOutcome {
    bool Swallowed = false;
    bool RaiseModified = false;
    std::optional<TDropDownEditState> Selection;  // the caret and selection to set
    // Home with Shift: the selection runs from Anchor back to the caret.
    int Anchor = -1;
};
TKeyDownOutcome DropDownKeyDown(const TDropDownEditRules& R, const TDropDownEditState& S, uint16_t Key,
                                bool ShiftDown);

// ---- paste and leaving ------------------------------------------------------------

enum class TPasteAction { Nothing, SetText, SetTextAndReformat };
struct TPastePlan {
    QString NewValue;              // the value with the clipboard text in it
    TDropDownEditState Selection;  // caret and selection afterwards (applied unless SelectAll)
    bool TooLong = false;          // the length limit refuses it
    TPasteAction Action = TPasteAction::Nothing;
    QString TextToSet;             // what SetText gets (re-cased for the case types)
    bool RaiseModified = false;
};
// Steps 2 to 5 and 7 of a paste (the event in between is the control's).
TPastePlan DropDownPastePlan(const TDropDownEditRules& R, const TDropDownEditState& S, const QString& Clip);
// After the paste was applied: money values longer than 3 characters are
// selected whole; otherwise the planned selection, clamped to the text.
TDropDownEditState DropDownPasteSelection(const TDropDownEditRules& R, const TPastePlan& Plan,
                                          const QString& EditTextAfter);

enum class TLeaveAction { Nothing, Reformat, SetZeroText, SetZeroFloat };
// What leaving the edit does to its value.
TLeaveAction DropDownLeaveAction(const TDropDownEditRules& R, const QString& Value);
