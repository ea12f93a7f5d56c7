#pragma once
// The detail drop-down: an edit whose pop-up lists items that each carry a
// caption, an image (of the image list or a picture of their own) and a
// line of notes in the mini-markup. The pop-up is the item selector, drawn
// by this editor. While the user types, the edit completes the text from
// the captions (the completion rule below is shared by the list editors);
// keys and the wheel move the choice with the pop-up open or closed.

#include "AdvColorPickerDropDown.h"  // TOnDrawSelectedItem
#include "AdvDropDown.h"
#include "AdvItemSelector.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TTimer;

// ---- the typing completion ---------------------------------------------------------
// One keystroke's completion over a list of candidate texts: the first
// candidate (in list order) that begins with the typed part (the text
// before the caret, compared case-folded unless MatchCase) completes the
// text; the typed characters keep the case they were typed in. The caller
// writes Text and then the selection from Anchor to Caret.
struct TDropDownCompletion {
    bool Matched = false;
    QString Text;
    int Anchor = 0;  // the end of the new text
    int Caret = 0;   // after the typed part
    int ItemIndex = -1;
    int KeyLength = 0;
};
// Nothing (no change at all) when there is no candidate or the typed part
// is empty; otherwise a match, or the text cut to the typed part.
std::optional<TDropDownCompletion> DropDownComplete(const QStringList& Candidates, const QString& Text, int Caret,
                                                    bool MatchCase);
// The same over Count candidates read through Candidate (no list is built).
std::optional<TDropDownCompletion> DropDownComplete(int Count, const std::function<QStringView(int)>& Candidate,
                                                    const QString& Text, int Caret, bool MatchCase);

// The same completion over a sorted index of the candidates, prepared once
// per change of the list (Clear) instead of a scan per keystroke: the
// candidates that begin with the key form one block of the sorted keys, and
// the first of them in list order is a range-minimum query. Same results as
// DropDownComplete.
class TDropDownCompletionIndex {
public:
    // Forgets the prepared index (the candidates changed).
    void Clear();
    std::optional<TDropDownCompletion> Complete(int Count, const std::function<QStringView(int)>& Candidate,
                                                const QString& Text, int Caret, bool MatchCase);

private:
    struct Side {
        bool Built = false;
        std::vector<QString> Keys;              // sorted compare keys
        std::vector<std::vector<int>> MinOrder;  // level k: least list index over 2^k keys
    };
    void Build(Side& S, int Count, const std::function<QStringView(int)>& Candidate, bool MatchCase);
    Side FSides[2];  // case-folded, exact
};

// The completion as a list editor runs it while the user types. Each
// change of the edit's text completes it (Change); a match selects its
// item and is noted, and the key's release (KeyUp) selects the item and
// the completed tail again, which the edit's own handling of the key may
// have moved. Backspace, Delete and Escape switch the completion off until
// another key but Return goes down (KeyDown).
class TDropDownTyping {
public:
    // When a match is noted: before the completed text is written (the
    // write's own change notice then drops it) or after.
    enum TNoteAt { naBeforeWrite, naAfterWrite };
    explicit TDropDownTyping(TNoteAt NoteAt) : FNoteAt(NoteAt) {}

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool V) { FEnabled = V; }
    bool Pending() const { return FPending; }
    // Drops a noted match (every change starts with it).
    void Forget() { FPending = false; }
    void KeyDown(Word Key);
    // Completes Edit's text from Count candidates; a match below ItemCount
    // is written through SelectDirect.
    void Change(TAdvCustomDropDown& Edit, TDropDownCompletionIndex& Index, int Count,
                const std::function<QStringView(int)>& Candidate, bool MatchCase, int ItemCount,
                const std::function<void(int)>& SelectDirect);
    // Selects a noted match through Select.
    void KeyUp(TAdvCustomDropDown& Edit, const std::function<void(int)>& Select);

private:
    TNoteAt FNoteAt;
    bool FEnabled = true;
    bool FPending = false;
    int FItemIndex = -1;
    int FKeyLength = 0;
};

// ---- items ---------------------------------------------------------------------------

class TDetailItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TDetailItem)
    explicit TDetailItem(TCollection* Collection);
    ~TDetailItem() override;
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* v) { FImage->Assign(v); }
    const QString& Notes() const { return FNotes; }
    void SetNotes(const QString& v) { FNotes = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    TObject* ItemObject() const { return FItemObject; }
    void SetItemObject(TObject* v) { FItemObject = v; }
    // Copies every property, the notes too (a copied list keeps its content).
    void Assign(TPersistent* Source) override;

private:
    QString FCaption;
    int FImageIndex = -1;
    std::unique_ptr<TPicture> FImage;
    QString FNotes;
    int FTag = 0;
    TObject* FItemObject = nullptr;
};

class TDetailItems : public TCollection {
public:
    DECLARE_CLASSNAME(TDetailItems)
    explicit TDetailItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TDetailItem* Add() { return static_cast<TDetailItem*>(TCollection::Add()); }
    TDetailItem* Insert(int Index) { return static_cast<TDetailItem*>(TCollection::Insert(Index)); }
    TDetailItem* Items(int Index) const { return static_cast<TDetailItem*>(TCollection::Items(Index)); }
    void SetItems(int Index, TDetailItem* Value) { TCollection::SetItems(Index, Value); }
    // The first item whose caption equals Text exactly (case-sensitive); -1.
    int IndexOf(const QString& Text) const;
    QStringList Captions() const;
    // The captions' completion index, cleared at every change of the items.
    TDropDownCompletionIndex& CompletionIndex() { return FCompletionIndex; }
    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FOwner;
    TDropDownCompletionIndex FCompletionIndex;
};

// ---- the drop-down ---------------------------------------------------------------------

class TAdvDetailDropDown : public TAdvCustomDropDown {
public:
    DECLARE_CLASSNAME(TAdvDetailDropDown)
    explicit TAdvDetailDropDown(TComponent* AOwner);
    ~TAdvDetailDropDown() override;

    TDetailItems* Items() const { return FItems.get(); }
    void SetItems(TDetailItems* v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    // A new index within the items: the caption becomes the text (selected
    // whole) and OnSelect fires; -1 clears the text silently; else ignored.
    void SetItemIndex(int V);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v) { FItemHeight = v; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout v) { FLayout = v; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* v) { FItemAppearance->Assign(v); }
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(TFont* v) { FCaptionFont->Assign(v); }
    TFont* NotesFont() const { return FNotesFont.get(); }
    void SetNotesFont(TFont* v) { FNotesFont->Assign(v); }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool v) { FMatchCase = v; }
    // Stored only: matching is always at the start of a caption.
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool v) { FMatchStart = v; }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    TAdvCustomItemSelector* ItemSelector() const { return FItemSelector; }
    // Clears the type-ahead text (the 500 ms key timer's tick).
    void KeyTimerTick();
    const QString& TypeAhead() const { return FLookup; }
    TTimer* KeyTimer() const { return FKeyTimer; }
    bool CompletionEnabled() const { return FCompletion.Enabled(); }

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

    void SetComponentStyle(TVisualStyle AStyle) override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownFormSizing(TObject* Sender) override;
    void DropDownFormDestroyed() override;
    void DoWheelDown() override;
    void DoWheelUp() override;
    void SetSelectionColorStyle(TSelectionColorStyle Style) override;
    void KeyDownMessage(TMessage& Message) override;
    void HandleKeyDown(Word& Key, TShiftState Shift) override;
    void HandleKeyUp(Word& Key, TShiftState Shift) override;
    void HandleChange() override;

protected:
    void InitializeEditor() override;
    void FillSelector();
    void SelectorItemSelected(TObject* Sender);
    void SelectorItemSize(TSize& ASize);
    void DrawSelectorItem(TCanvas* Canvas, TRect R, int Index);
    // Selects I in the open list (internal call) and scrolls it into view.
    void SelectInList(int I);
    // Sets the index without OnSelect (completion).
    void SetItemIndexDirect(int V) { FItemIndex = V; }

    std::unique_ptr<TDetailItems> FItems;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    std::unique_ptr<TFont> FCaptionFont;
    std::unique_ptr<TFont> FNotesFont;
    TAdvCustomItemSelector* FItemSelector = nullptr;
    TTimer* FKeyTimer = nullptr;
    QString FLookup;
    int FItemIndex = -1;
    int FOldItemIndex = -1;
    int FItemHeight = 22;
    TItemLayout FLayout = ilCaptionRight;
    bool FMatchCase = false;
    bool FMatchStart = false;
    bool FInternalCall = false;
    TDropDownTyping FCompletion{TDropDownTyping::naBeforeWrite};
};
