#pragma once
// The drop-down editor of a multi-line text in a single-line edit: the
// lines live in MemoText, the pop-up hosts a memo to edit them, and the edit
// shows the whole text or, when it cannot be typed into, the first line
// shortened with "..." to the edit's width.

#include "AdvDropDown.h"

#include <memory>

class TMemo;
class TPopupMenu;
class TStringList;
class TStrings;

class TAdvMemoDropDown : public TAdvCustomDropDown {
public:
    DECLARE_CLASSNAME(TAdvMemoDropDown)
    explicit TAdvMemoDropDown(TComponent* AOwner);
    ~TAdvMemoDropDown() override;

    // The lines; a change shows in the edit.
    TStringList* MemoText() const { return FMemoText.get(); }
    void SetMemoText(TStrings* v);
    TMemo* Memo() const { return FMemo; }
    TPopupMenu* MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(TPopupMenu* v) { FMemoPopup = v; }
    // Reach the memo at the next opening.
    TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle v) { FMemoScrollBars = v; }
    // Reaches a shown memo at once.
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool v);
    // The pop-up opens whenever the edit is entered.
    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool v) { FAutoDrop = v; }

    // The edit shows MemoText (the first line shortened with "..." while the
    // text cannot be typed).
    void UpdateEditFromMemoText();

    TNotifyEvent OnMemoChange;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void AfterDropUp() override;
    void ControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ControlKeyPress(TObject* Sender, QChar& Key) override;
    void HandleChange() override;

protected:
    void InitializeEditor() override;
    void DoEnter() override;

private:
    std::unique_ptr<TStringList> FMemoText;
    TMemo* FMemo = nullptr;
    TPopupMenu* FMemoPopup = nullptr;
    TScrollStyle FMemoScrollBars = ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
    bool FAutoDrop = false;
};
