#pragma once
// TEditLink: the protocol through which any control becomes the editor of a
// string grid cell (editor type edCustom). A subclass creates, places,
// fills, reads and focuses its own control by overriding the virtual
// operations; the grid opens the link over the current cell, stores what
// the link hands back and closes it when the edit ends.

#include "Classes.h"
#include "ComponentRef.h"
#include "Controls.h"
#include "Types.h"

#include <QString>

class TAdvStringGrid;
class TFont;
class TEditLinkForm;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
public:
    DECLARE_CLASSNAME(TEditLink)
    explicit TEditLink(TComponent* AOwner);
    ~TEditLink() override;

    // The grid that opened the link (set each time it opens).
    TAdvStringGrid* Grid() const { return FGrid; }
    void SetGrid(TAdvStringGrid* v);
    // The cell being edited: real column, row.
    TPoint EditCell() const { return FEditCell; }
    void SetEditCell(TPoint v) { FEditCell = v; }

    // The keys the control keeps instead of leaving the cell.
    bool WantKeyLeftRight() const { return FWantKeyLeftRight; }
    void SetWantKeyLeftRight(bool v) { FWantKeyLeftRight = v; }
    bool WantKeyUpDown() const { return FWantKeyUpDown; }
    void SetWantKeyUpDown(bool v) { FWantKeyUpDown = v; }
    bool WantKeyHomeEnd() const { return FWantKeyHomeEnd; }
    void SetWantKeyHomeEnd(bool v) { FWantKeyHomeEnd = v; }
    bool WantKeyPriorNext() const { return FWantKeyPriorNext; }
    void SetWantKeyPriorNext(bool v) { FWantKeyPriorNext = v; }
    bool WantKeyReturn() const { return FWantKeyReturn; }
    void SetWantKeyReturn(bool v) { FWantKeyReturn = v; }
    bool WantKeyEscape() const { return FWantKeyEscape; }
    void SetWantKeyEscape(bool v) { FWantKeyEscape = v; }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }

    // In the cell, or in a borderless pop-up window of its own.
    TEditStyle EditStyle() const { return FEditStyle; }
    void SetEditStyle(TEditStyle v) { FEditStyle = v; }
    int PopupWidth() const { return FPopupWidth; }
    void SetPopupWidth(int v) { FPopupWidth = v; }
    int PopupHeight() const { return FPopupHeight; }
    void SetPopupHeight(int v) { FPopupHeight = v; }
    // Screen position of the pop-up; -1: the cell's top-left corner.
    int PopupLeft() const { return FPopupLeft; }
    void SetPopupLeft(int v) { FPopupLeft = v; }
    int PopupTop() const { return FPopupTop; }
    void SetPopupTop(int v) { FPopupTop = v; }
    // The pop-up takes the cell's width.
    bool AutoPopupWidth() const { return FAutoPopupWidth; }
    void SetAutoPopupWidth(bool v) { FAutoPopupWidth = v; }

    // The link's pop-up window (nil until a pop-up edit opens it).
    TCustomForm* PopupForm() const;
    // Set while the link itself moves the focus to the grid.
    bool ForcedExit() const { return FForcedExit; }
    // The grid has put its window procedure in front of the control's.
    bool Subclassed() const { return FSubclassed; }

    // ---- what subclasses override
    // The key-down of the link's control: subclasses connect their
    // control's OnKeyDown here.
    virtual void EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; }
    virtual void CreateEditor(TWinControl* AParent) { (void)AParent; }
    virtual void DestroyEditor() {}
    virtual void SetFocus(bool Value);
    // The control at R's top-left, R's size less the grid's line width.
    virtual void SetRect(TRect R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor AColor, TFont* AFont)
    {
        (void)AColor;
        (void)AFont;
    }
    virtual QString GetEditorValue() { return QString(); }
    virtual void SetEditorValue(const QString& s) { (void)s; }

    // ---- the protocol's own steps
    // The control was left (subclasses connect its OnExit here).
    void EditExit(TObject* Sender);
    // The pop-up window lost the activation.
    void FormExit(TObject* Sender);
    // The pop-up window for esPopup, else the grid.
    TWinControl* GetParent();
    // The text of the grid's current cell, and storing into it.
    QString GetCellValue();
    void SetCellValue(const QString& s);
    void HideEditor();
    // The control gets its own window procedure back and is hidden.
    void RestoreWinProc();

    // Opens the link over a cell of AGrid: ARect in grid coordinates, the
    // cell's colour and the text to edit.
    void Open(TAdvStringGrid* AGrid, int ACol, int ARow, const TRect& ARect, TColor AColor, const QString& AText);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The grid takes the focus with the forced-exit flag set.
    void FocusGrid();
    void Commit();
    void Subclass(TWinControl* Control);

    TAdvStringGrid* FGrid = nullptr;
    bool FWantKeyLeftRight = false;
    bool FWantKeyUpDown = false;
    bool FWantKeyHomeEnd = false;
    bool FWantKeyPriorNext = false;
    bool FWantKeyReturn = false;
    bool FWantKeyEscape = false;
    TEditStyle FEditStyle = esInplace;
    TEditLinkForm* FPopupForm = nullptr;
    int FPopupWidth = 0;
    int FPopupHeight = 0;
    bool FForcedExit = false;
    TPoint FEditCell{0, 0};
    bool FAutoPopupWidth = false;
    int FPopupLeft = -1;
    int FPopupTop = -1;
    bool FSubclassed = false;
    bool FWantReturns = false;
    bool FWantTabs = false;
    TComponentRef<TWinControl> FSubclassedControl;
    TControl::TWndMethod FKeptWindowProc;
};

// Whether a key leaves a linked editor (Alt with any key does), by the
// link's Want flags.
bool EditLinkKeyLeaves(const TEditLink& Link, Word Key, TShiftState Shift);
