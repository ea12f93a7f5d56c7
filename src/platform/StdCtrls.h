#pragma once
// Standard controls: label, edit, memo, list box, check box, combo box and
// scroll bar.
//
// The windowed ones wrap the matching Qt widget (QLineEdit, QPlainTextEdit,
// QListWidget, QCheckBox, QComboBox) inside the TWinControl mechanism: keys
// pass the control's KeyDown/KeyPress first and reach the Qt widget only as
// they come out (a KeyPress that changes or zeroes the character changes
// what is typed), and the widget's own changes come back as the platform's
// events (OnChange, OnClick). The label paints itself with the canvas, as the
// original's graphic label does, so its prefix, word-break and auto-size
// rules are the canvas's DrawText rules.

#include "Controls.h"
#include "ClassesLists.h"
#include "GridsMask.h"

#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>
#include <memory>
#include <vector>

class QAbstractItemModel;
class QCheckBox;
class QPainter;
class QComboBox;
class QLineEdit;
class QListWidget;
class QWidget;

// Where a label puts its text vertically.
enum TVerticalLayout { tlTop, tlCenter, tlBottom };

// ---------------------------------------------------------------- label

class TCustomLabel : public TGraphicControl {
public:
    DECLARE_CLASSNAME(TCustomLabel)
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TVerticalLayout Layout() const { return FLayout; }
    void SetLayout(TVerticalLayout v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    // Not transparent: the label fills its rectangle with Color first.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // "&x" marks x as the accelerator (underlined); "&&" is one ampersand.
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    // The control the label's accelerator focuses.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);

    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void TextChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    // The DrawText flags of the label's settings.
    unsigned DrawTextFlags() const;
    // With AutoSize: fits the bounds to the text (the width stays with WordWrap).
    void AdjustBounds();

private:
    TAlignment FAlignment = taLeftJustify;
    TVerticalLayout FLayout = tlTop;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    DECLARE_CLASSNAME(TLabel)
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// ---------------------------------------------------------------- edit

class TCustomEdit : public TWinControl {
public:
    DECLARE_CLASSNAME(TCustomEdit)
    explicit TCustomEdit(TComponent* AOwner);

    // 0: no limit of its own.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    // The whole text is selected when the focus comes in (not by a click).
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    // Selection, in characters from 0.
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    QString SelText() const;
    void SelectAll();
    void ClearSelection();
    void Clear() { SetText(QString()); }
    // The character shown for each one of the text (null: the text itself).
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar v);
    // The index of the character nearest to a client point (-1 outside the
    // text's line).
    int CharFromPos(TPoint p) const;
    // The clipboard commands; every way of cutting, copying and pasting (the
    // keys, the context menu, these) sends WM_CUT, WM_COPY or WM_PASTE, whose
    // default handling does it.
    void CutToClipboard() { Perform(WM_CUT); }
    void CopyToClipboard() { Perform(WM_COPY); }
    void PasteFromClipboard() { Perform(WM_PASTE); }

    // Fired for every change of the text, typed or set.
    TNotifyEvent OnChange;

protected:
    virtual void Change();
    // ReadOnly was set (also to the same value).
    virtual void ReadOnlyChanged() {}
    // Drawing over what the Qt edit painted (painter bound to the edit
    // widget, client coordinates).
    virtual void PaintOver(QPainter&) {}
    void TextChanged() override;
    void DoEnter() override;
    void DefaultHandler(TMessage& Message) override;
    void ForwardKeyToWidget(unsigned Msg, const TMessage& m) override;
    bool HandleQtEvent(QWidget* w, QEvent* e) override;
    QLineEdit* Edit() const;

private:
    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FAutoSelect = true;
    bool FSyncing = false;
    QChar FPasswordChar;
    // The context of the widget's signal connections: they end with the
    // control, before the widget goes.
    QObject FSignals;
    friend class TEditWidget;
};

// The edit with an edit mask (the mask language of TEditMaskModel, typed
// into position by position), a modified flag, a formatting rectangle and
// selections with the caret at either end.
class TCustomMaskEdit : public TCustomEdit {
public:
    DECLARE_CLASSNAME(TCustomMaskEdit)
    explicit TCustomMaskEdit(TComponent* AOwner);

    // Empty: no mask. With a mask the edit shows the mask's literals and
    // blanks, typed characters fill its positions and Text is what it shows.
    QString EditMask() const { return FMask.Mask(); }
    void SetEditMask(const QString& v);
    bool MaskActive() const { return FMask.Active(); }
    QString EditText() const { return Text(); }
    void SetEditText(const QString& v) { SetText(v); }
    // Raised by typing and pasting in the edit; cleared when the program
    // sets the text.
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    // The formatting rectangle (client coordinates): the text stays inside
    // it; the widget is not repainted by this alone.
    void SetEditRectangle(const TRect& r);
    // Selects from Anchor to Caret; Caret before Anchor leaves the caret at
    // the selection's start.
    void SetSelection(int Anchor, int Caret);

protected:
    void TextChanged() override;
    void ForwardKeyToWidget(unsigned Msg, const TMessage& m) override;
    // With a mask, a paste fills positions as typing does (all or nothing)
    // and a cut blanks the positions it takes.
    void DefaultHandler(TMessage& Message) override;

private:
    void ShowMaskText(int caret);
    TEditMaskModel FMask;
    bool FModified = false;
};

class TEdit : public TCustomEdit {
public:
    DECLARE_CLASSNAME(TEdit)
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// ---------------------------------------------------------------- memo

// The lines of a multi-line text control: the text split at line breaks, a
// final line break not starting another line.
class TMemoStrings : public TStrings {
public:
    DECLARE_CLASSNAME(TMemoStrings)
    explicit TMemoStrings(class TCustomMemo* AMemo) : FMemo(AMemo) {}
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const QString& S) override;

protected:
    QString Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const QString& S) override;

private:
    QStringList Lines() const;
    void SetLines(const QStringList& lines);
    class TCustomMemo* FMemo;
};

// A multi-line plain-text control; the widget is a QPlainTextEdit or a
// QTextEdit (the rich edit), used with plain text only.
class TCustomMemo : public TWinControl {
    friend class TMemoStrings;

public:
    DECLARE_CLASSNAME(TCustomMemo)
    explicit TCustomMemo(TComponent* AOwner, QWidget* AWidget = nullptr);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* v) { FLines->Assign(v); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    // Enter and Tab typed into the text instead of moving on.
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v);
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v);
    // 0: no limit; typing or pasting beyond it (line breaks counting two
    // characters) is refused. Text set by the program is not limited.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v) { FMaxLength = std::max(0, v); }
    void Clear() { SetText(QString()); }
    void SelectAll();

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void TextChanged() override;
    void UpdateWantKeys();
    void UpdateScrollBars();
    // Puts back the text before a change that went beyond MaxLength.
    void RefuseOverflow();
    // The widget's plain text with line breaks as "\n", and its setter.
    QString PlainText() const;
    void SetPlainText(const QString& s);
    // Calls f with the editor widget, whichever of the two kinds it is.
    template <class F>
    void WithEditor(F f) const
    {
        if (auto* p = qobject_cast<QPlainTextEdit*>(Widget())) f(p);
        if (auto* t = qobject_cast<QTextEdit*>(Widget())) f(t);
    }

private:
    std::unique_ptr<TMemoStrings> FLines;
    bool FReadOnly = false;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    int FMaxLength = 0;
    bool FSyncing = false;
    // The context of the widget's signal connections: they end with the
    // control, before the widget goes.
    QObject FSignals;
};

class TMemo : public TCustomMemo {
public:
    DECLARE_CLASSNAME(TMemo)
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// ---------------------------------------------------------------- item lists

// The items of a list box or combo box, kept in the Qt widget's model; the
// object of each item rides along with it.
class TItemModelStrings : public TStrings {
public:
    DECLARE_CLASSNAME(TItemModelStrings)
    explicit TItemModelStrings(QAbstractItemModel* AModel) : FModel(AModel) {}
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const QString& S) override;
    int IndexOf(const QString& S) const override;
    // Called after every change of the items.
    std::function<void()> OnItemsChanged;

protected:
    QString Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObject(int Index) const override;
    void Put(int Index, const QString& S) override;
    void PutObject(int Index, TObject* AObject) override;

private:
    void CheckIndex(int Index) const;
    void Changed();
    QAbstractItemModel* FModel;
};

// ---------------------------------------------------------------- list box

class TCustomListBox : public TWinControl {
public:
    DECLARE_CLASSNAME(TCustomListBox)
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    // -1: nothing selected. Setting it fires no event.
    int ItemIndex() const;
    void SetItemIndex(int v);
    int Count() const { return FItems->Count(); }
    void Clear() { FItems->Clear(); }

protected:
    QListWidget* List() const;

private:
    std::unique_ptr<TItemModelStrings> FItems;
    int FSettingIndex = 0;
    // The context of the widget's signal connections: they end with the
    // control, before the widget goes.
    QObject FSignals;
};

class TListBox : public TCustomListBox {
public:
    DECLARE_CLASSNAME(TListBox)
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

// ---------------------------------------------------------------- check list box

// A list box with a check box in front of every item. A check the user
// toggles (mouse on the box, Space) calls ClickCheck, which fires
// OnClickCheck; SetChecked fires nothing.
class TCheckListBox : public TCustomListBox {
public:
    DECLARE_CLASSNAME(TCheckListBox)
    explicit TCheckListBox(TComponent* AOwner);

    bool Checked(int Index) const;
    void SetChecked(int Index, bool Value);
    // Flips the check of Index as a user toggle does (ClickCheck follows).
    void ToggleChecked(int Index);

    TNotifyEvent OnClickCheck;

protected:
    virtual void ClickCheck();

private:
    int FSettingCheck = 0;
    QObject FCheckSignals;
};

// ---------------------------------------------------------------- check box

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TWinControl {
public:
    DECLARE_CLASSNAME(TCustomCheckBox)
    explicit TCustomCheckBox(TComponent* AOwner);

    bool Checked() const { return FState == cbChecked; }
    // A change fires OnClick, whoever makes it.
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

protected:
    void TextChanged() override;
    // The user's toggle: unchecked, checked, (grayed,) unchecked...
    virtual void Toggle();
    QCheckBox* Box() const;

private:
    void ShowState();
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
    // The context of the widget's signal connections: they end with the
    // control, before the widget goes.
    QObject FSignals;
};

class TCheckBox : public TCustomCheckBox {
public:
    DECLARE_CLASSNAME(TCheckBox)
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

// ---------------------------------------------------------------- combo box

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
public:
    DECLARE_CLASSNAME(TCustomComboBox)
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    // csDropDown: an edit field with a list; csDropDownList: a choice of the
    // items only (Text is the selected item's text).
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    // -1: nothing selected. Setting it shows the item's text and fires no event.
    int ItemIndex() const;
    void SetItemIndex(int v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    void Clear();

    // The user changed the selection or typed into the edit field.
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    // The list opens (before it shows) and closes (however it closes).
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    virtual void Change();
    virtual void Select();
    // The list is about to open; fires OnDropDown.
    virtual void DropDown();
    // A type-ahead starts afresh with every focus.
    void DoEnter() override;
    // The list closed; fires OnCloseUp.
    virtual void CloseUp();
    // Drawing of a descendant over what the Qt combo painted (the painter
    // is bound to the combo widget, client coordinates).
    virtual void PaintOver(QPainter&) {}
    void TextChanged() override;
    QComboBox* Combo() const;

private:
    void ShowItemText();
    void UpdateWantKeys();
    // Type-ahead in the list: text joins the characters typed just before
    // it (a longer pause starts afresh); the answer is the first item, from
    // the top and ignoring letter case, that begins with them, or -1.
    int TypeAheadMatch(const QString& text);
    std::unique_ptr<TItemModelStrings> FItems;
    QString FTypeAhead;
    uint64_t FTypeAheadTick = 0;
    TComboBoxStyle FStyle = csDropDown;
    int FMaxLength = 0;
    int FDropDownCount = 8;
    int FQuiet = 0;  // our own changes of the widget: no events
    // The context of the widget's signal connections: they end with the
    // control, before the widget goes.
    QObject FSignals;
    friend class TComboWidget;
};

class TComboBox : public TCustomComboBox {
public:
    DECLARE_CLASSNAME(TComboBox)
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

// ---------------------------------------------------------------- scroll bar

enum TScrollBarKind { sbHorizontal, sbVertical };

// A scroll bar control on QScrollBar. A scroll by the user sends
// WM_HSCROLL or WM_VSCROLL (by Kind) to the parent, WParam the scroll code
// and the thumb position (ScrollWParam), LParam the bar itself; then the
// position follows and OnChange fires. Programmatic changes send nothing.
class TScrollBar : public TWinControl {
public:
    DECLARE_CLASSNAME(TScrollBar)
    explicit TScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind v);
    int Min() const { return FMin; }
    void SetMin(int v) { SetParams(FPosition, v, FMax); }
    int Max() const { return FMax; }
    void SetMax(int v) { SetParams(FPosition, FMin, v); }
    int Position() const { return FPosition; }
    void SetPosition(int v) { SetParams(v, FMin, FMax); }
    // The position is kept within Min..Max (Max - PageSize + 1 with a page).
    void SetParams(int APosition, int AMin, int AMax);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int v);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int v);
    // Paints the bar as it stands, shown or not, into Canvas with its
    // top-left corner at (X, Y): a control can picture a bar it does not show.
    void PaintTo(TCanvas* Canvas, int X, int Y);

    TNotifyEvent OnChange;

protected:
    QScrollBar* Bar() const;

private:
    void ShowParams();
    void UserAction(int Code);

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    int FQuiet = 0;
    QObject FSignals;
};
