#pragma once
// The drop-down edit: a single-line edit with a drop button at its right
// edge and a borderless pop-up window (TDropDownForm) that hosts one control
// of the editor's choosing between an optional header bar and footer bar.
// The base owns the pop-up's life and the order in which a drop-down cycle
// calls its virtual operations, routes keys between the pop-up and the
// edit, paints the edit's border and focus box, keeps an optional attached
// label, applies the text rules of its edit type and the colour presets.
// Every drop-down editor derives from it; it is never used on its own.
//
// Construction runs in three phases (always through Create<T>):
//  1. the C++ constructors, base first: plain field defaults, and what an
//     editor must have before the base styles itself;
//  2. the base's after-construction step: the pop-up form, the drop button,
//     the appearances, the selection and component styles. Its virtual
//     calls reach the most derived overrides while the editor's own later
//     members are still null; every override tolerates that;
//  3. InitializeEditor(), each class calling its parent's first: the
//     editor's own set-up after the base.
//
// The drop-down cycle: the drop button, a click on the text of an editor
// whose typing is off, Alt+Up, Alt+Down, F4 or ShowDropDown opens the
// pop-up; BeforeDropDown loads the hosted control; the pop-up is sized,
// placed and shown with its control focused; keys typed in it come back to
// the edit; Enter, Esc, F4, Alt+arrows, a choice or a click elsewhere hide
// it, with or without cancel, and AfterDropUp gives the focus back.

#include "AdvDropDownAppearance.h"
#include "AdvDropDownEdit.h"
#include "AdvStyleIF.h"
#include "AsgComboLabel.h"
#include "StdCtrls.h"

#include <cstdint>
#include <functional>
#include <memory>

class TAdvButtonAppearance;
class TBitmap;
class TCustomImageList;
class TDropDownEditButton;
class TDropDownForm;
class TItemAppearance;
class TLabel;
class TPropertyList;
class TTimer;

enum TDropPosition { dpAuto, dpDown, dpUp };
enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };

using TDropDown = std::function<void(TObject* Sender, bool& AcceptDrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, QString& Text)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, int ButtonIndex)>;
using TClipboardEvent = std::function<void(TObject* Sender, QString Value, bool& Allow)>;

class TAdvCustomDropDown : public TCustomMaskEdit, public IVisualStyle, public IVisualTones {
    friend class TDropDownForm;

public:
    DECLARE_CLASSNAME(TAdvCustomDropDown)
    explicit TAdvCustomDropDown(TComponent* AOwner);
    ~TAdvCustomDropDown() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // ---- the cycle
    void ShowDropDown() { DoShowDropDown(); }
    void HideDropDown(bool CancelChanges) { DoHideDropDown(CancelChanges); }
    bool DroppedDown() const { return FDroppedDown; }
    TDropDownEditButton* Button() const { return FButton; }
    TDropDownForm* DropDownForm() const { return FDropDownForm; }

    // ---- the value (the edit text without Prefix and Suffix)
    QString Text() const;
    // Writes a value under the rules of the edit type (see AdvDropDownEdit.h).
    virtual void SetText(const QString& Value);
    // Writes the edit text as it is.
    void SetTextDirect(const QString& Value);
    QString OldText() const { return FOldText; }
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    void SetFloatValue(double Value);
    double GetFloatValue() const;
    void SetIntValue(int Value);
    void ApplyThousandSeparators();
    void SetIsModified(bool Value);
    bool GetIsModified() const { return FIsModified; }

    // ---- styles
    TVisualStyle GetComponentStyle() const { return FVisualStyle; }
    void SetComponentStyle(TVisualStyle AStyle) override;
    void SetColorTones(const TColorTones& ATones) override;
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    virtual void SetSelectionColorStyle(TSelectionColorStyle Style);
    // Paints a selected item's background (Kind: the rounded ends, as the
    // button-face painter takes them).
    virtual void DrawSelection(TCanvas* Canvas, const TRect& R, TColor BackColor, int Kind);
    virtual void DrawBackgroundGradient(TCanvas* Canvas, TColor Color, TColor ColorTo, int Steps, const TRect& R,
                                        TGradientDirection Direction);
    // The hot and selected item colours of a visual style (nothing for
    // tsCustom or without an appearance).
    void SetItemAppearanceStyle(TItemAppearance* Appearance, TVisualStyle Style);

    void Assign(TPersistent* Source) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The label follows the edit to its new parent.
    void SetParent(TWinControl* AParent) override;

    // ---- properties
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v);
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor v) { FDropDownColor = v; }
    TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor v) { FDropDownColorTo = v; }
    TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor v) { FDropDownBorderColor = v; }
    int DropDownBorderWidth() const { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(int v) { FDropDownBorderWidth = v; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool v) { FDropDownShadow = v; }
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int v);
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int v);
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition v) { FDropPosition = v; }
    int DropDownButtonWidth() const { return FButtonWidth; }
    void SetDropDownButtonWidth(int v);
    QString DropDownButtonHint() const { return FButtonHint; }
    void SetDropDownButtonHint(const QString& v);
    TBitmap* DropDownButtonGlyph() const;
    void SetDropDownButtonGlyph(TBitmap* v);
    bool DropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool v) { FDropDownSizeable = v; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    // "1.2.1.4" for the packed GetVersionNr; writing changes nothing.
    QString Version() const;
    void SetVersion(const QString&) {}
    TAdvButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(TAdvButtonAppearance* v);
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(THeaderAppearance* v);
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(TFooterAppearance* v);
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v);
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool v) { FDropDownEnabled = v; }
    QString LabelCaption() const;
    void SetLabelCaption(const QString& v);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v) { FLabelAlwaysEnabled = v; }
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* v);
    TLabel* Label() const { return FLabel; }
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor v) { FSelectionColor = v; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor v) { FSelectionColorTo = v; }

    // The text rules (see AdvDropDownEdit.h).
    TDropDownEditType EditType() const { return FEditType; }
    void SetEditType(TDropDownEditType v);
    int Precision() const { return FPrecision; }
    void SetPrecision(int v);
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int v) { FLengthLimit = int16_t(v); }
    QString Prefix() const { return FPrefix; }
    void SetPrefix(const QString& v) { FPrefix = v; }
    QString Suffix() const { return FSuffix; }
    void SetSuffix(const QString& v) { FSuffix = v; }
    bool Signed() const { return FSigned; }
    void SetSigned(bool v) { FSigned = v; }
    QString ValidChars() const { return FValidChars; }
    void SetValidChars(const QString& v) { FValidChars = v; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool DefaultHandling() const { return FDefaultHandling; }
    void SetDefaultHandling(bool v) { FDefaultHandling = v; }
    bool CanUndo() const { return FCanUndo; }
    void SetCanUndo(bool v) { FCanUndo = v; }
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
    void SetAutoThousandSeparator(bool v) { FAutoThousandSeparator = v; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
    bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool v) { FAllowNumericNullValue = v; }
    // The rules in force now, with the regional separators read afresh.
    TDropDownEditRules EditRules() const;

    bool FocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool v) { FFocusDraw = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TGradientDirection DropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection v) { FDropDownGradient = v; }
    bool ForceShadow() const { return FForceShadow; }
    void SetForceShadow(bool v) { FForceShadow = v; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* v);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    bool IsThemed() const { return FIsThemed; }

    // The remembered user size of the pop-up (-1: none).
    int UserDropDownWidth() const { return FUserDropDownWidth; }
    int UserDropDownHeight() const { return FUserDropDownHeight; }
    // The formatting rectangle of the last SetEditRect.
    TRect GetEditRect() const { return FEditRect; }
    int GetMinHeight() const;
    // The mouse triggers of the cycle: nothing while the pop-up shows or
    // within 250 ms of its last deactivation.
    void DropDownButtonClick(TObject* Sender);
    bool IsHot() const;
    bool IsActive() const;

    // The published properties, with "SelectionColorStyle" and "ZURStyle"
    // (the selection and component style ordinals, set without presets).
    const TPropertyList* PropertyList() const override;
    static const TPropertyList& Properties();

    // ---- the virtual operations the editors override
    virtual uint32_t GetVersionNr() const;
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void BeforeDropDown();
    virtual void AdaptDropDownHeight(int& Height);
    virtual void FocusDropDownControl();
    virtual void DoShowDropDown();
    virtual void PlaceDropDownControl();
    virtual void UpdateDropDownSize();
    virtual void DoHideDropDown(bool Cancel);
    virtual void AfterDropUp();
    virtual void DropDownFormDestroyed();
    virtual void FormMouseWheelDown(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void FormMouseWheelUp(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void FormKeyPress(TObject* Sender, QChar& Key);
    virtual void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void FormKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void ControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void ControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void ControlKeyPress(TObject* Sender, QChar& Key);
    virtual void DropDownFormSizing(TObject* Sender);
    virtual void DoWheelDown() {}
    virtual void DoWheelUp() {}
    virtual void PaintEditArea(TCanvas* Canvas);
    virtual void SetEditRect();
    virtual void UpdateControlBounds();
    virtual void DoLabelClick();
    virtual void DoLabelDblClick();

    // The message handlers (the grid's editor adapters override them).
    virtual void KeyDownMessage(TMessage& Message);
    virtual void CharMessage(TMessage& Message);
    virtual void WantSpecialKeyMessage(TMessage& Message);
    virtual void SetFocusMessage(TMessage& Message);
    virtual void KillFocusMessage(TMessage& Message);
    virtual void CutMessage(TMessage& Message);
    virtual void CopyMessage(TMessage& Message);
    virtual void PasteMessage(TMessage& Message);
    // The platform's key and change handling: KeyDown fires OnKeyDown,
    // KeyPress fires OnKeyPress and then swallows Enter, Change fires OnChange.
    virtual void HandleKeyDown(Word& Key, TShiftState Shift);
    virtual void HandleKeyPress(QChar& Key);
    virtual void HandleKeyUp(Word& Key, TShiftState Shift);
    virtual void HandleChange();

    void WndProc(TMessage& Message) override;

    // ---- events
    TNotifyEvent OnBeforeDropDown;
    TDropDown OnDropDown;
    TNotifyEvent OnBeforeDropUp;
    TDropUp OnDropUp;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

protected:
    // The editor's own set-up after the base (phase 3); call the parent's first.
    virtual void InitializeEditor() {}
    // The type-ahead timer of the list editors: stopped, 500 ms, owned by the
    // editor; Tick runs when typed keys are old enough to start a new search.
    TTimer* NewKeyTimer(std::function<void()> Tick);
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(Word& Key, TShiftState Shift) override { HandleKeyDown(Key, Shift); }
    void KeyPress(QChar& Key) override { HandleKeyPress(Key); }
    void KeyUp(Word& Key, TShiftState Shift) override { HandleKeyUp(Key, Shift); }
    void Change() override;
    void DoEnter() override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void ReadOnlyChanged() override;
    void PaintOver(QPainter& painter) override;
    // A left press inside the selection of the focused edit is held back
    // from the Qt edit too (it would drop the selection).
    bool HandleQtEvent(QWidget* w, QEvent* e) override;
    // The platform edit's own handling of a message, which the handlers
    // above hand a message on to.
    void InheritedMessage(TMessage& Message) { TCustomMaskEdit::WndProc(Message); }

    // The edit state (text, caret, selection) and its write-back.
    TDropDownEditState EditState() const;
    void ApplySelection(const TDropDownEditState& S);
    void ApplyWrite(const TDropDownEditWrite& W);
    // Hides the pop-up when shown, else shows it.
    void ToggleDropDown(bool ByFormVisibility);

    // Frame and label (AdvDropDownFrame.cpp).
    void DrawBorder(TCanvas* Canvas);
    void UpdateButtonFocus();
    void CreateLabel();
    void UpdateLabel();

    // ---- fields (see the table of the base)
    TLabel* FLabel = nullptr;
    bool FParentFnt = false;
    int FDropDownWidth = 0;
    int FDropDownHeight = 0;
    int FUserDropDownWidth = -1;
    int FUserDropDownHeight = -1;
    bool FEditorEnabled = true;
    TDropPosition FDropPosition = dpAuto;
    bool FFlat = false;
    TCustomImageList* FImages = nullptr;
    bool FDropDownShadow = true;
    int FDropDownBorderWidth = 1;
    QString FButtonHint;
    TColor FDropDownColorTo = clNone;
    TColor FDropDownColor = clWindow;
    TColor FDropDownBorderColor = clNone;
    int FButtonWidth = 17;
    bool FMouseInControl = false;
    TWinControl* FFocusControl = nullptr;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TAdvButtonAppearance> FButtonAppearance;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    TControl* FControl = nullptr;
    TGradientDirection FDropDownGradient = gdHorizontal;
    bool FDropDownSizeable = true;
    TColor FSelectionColor = 14155773;
    TColor FSelectionColorTo = 5821692;
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    TDropDownEditType FEditType = etString;
    int16_t FLengthLimit = 0;
    int16_t FPrecision = 0;
    QString FPrefix;
    QString FSuffix;
    bool FSigned = false;
    bool FReturnIsTab = false;
    bool FIsThemed = false;
    bool FBlockChange = false;
    bool FAllowNumericNullValue = false;
    bool FDefaultHandling = true;
    bool FCanUndo = true;
    bool FExcelStyleDecimalSeparator = false;
    QString FValidChars;
    bool FBlockCopy = false;
    bool FButtonDown = false;
    bool FAutoThousandSeparator = true;
    bool FIsModified = false;
    TRect FEditRect;
    bool FDropDownEnabled = false;
    bool FDroppedDown = false;
    bool FFocusDraw = true;
    bool FForceShadow = false;
    TVisualStyle FVisualStyle = TVisualStyle::tsOffice2007Luna;
    int FLabelMargin = 0;
    TLabelPosition FLabelPosition = lpLeftTop;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    std::unique_ptr<TFont> FLabelFont;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    TDropDownForm* FDropDownForm = nullptr;
    TDropDownEditButton* FButton = nullptr;
    QString FOldText;
    // The user resized the shown pop-up (its size is remembered at the hide).
    bool FUserSized = false;

private:
    void AppearanceChanged(TObject* Sender);
    void MouseDownMessage(TMessage& Message);
    void MouseUpMessage(TMessage& Message);
    void ApplyTypedOutcome(const TTypedCharOutcome& Outcome);
    void RunLeaveNormalization();
    std::unique_ptr<TCanvas> FPaintCanvas;
};
