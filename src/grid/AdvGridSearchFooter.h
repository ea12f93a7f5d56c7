#pragma once
// The strip at the bottom of a string grid that holds the search footer:
// created by every grid as its child, bottom-aligned and 0 pixels high
// until the footer is shown. The grid binds the five action events to its
// footer actions, the creation event to its own, and copies its search
// footer settings onto the panel.

#include "ExtCtrls.h"
#include "StdCtrls.h"

#include <QString>

class TAdvGridButton;
class TAdvCheckBox;

// The search text box: Enter fires OnReturn (Ctrl+Enter OnCtrlReturn) and
// goes no further; a CR or LF character reaches OnKeyPress and is then
// swallowed, so the box never gets a line break.
class TRetEdit : public TEdit {
public:
    DECLARE_CLASSNAME(TRetEdit)
    explicit TRetEdit(TComponent* AOwner);

    TNotifyEvent OnReturn;
    TNotifyEvent OnCtrlReturn;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
};

// Where the panel's controls sit: one row of the placement table.
struct TSearchPanelPlace {
    int Left, Top, Width, Height;
};
// The left of a control mirrored for right-to-left panels.
int SearchPanelMirroredLeft(int PanelWidth, int ControlWidth, int Left);

class TSearchPanel : public TPanel {
public:
    DECLARE_CLASSNAME(TSearchPanel)
    explicit TSearchPanel(TComponent* AOwner);

    // The gradient end colour; a change repaints the panel.
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v);

    // Captions of the find buttons, the match-case box and the highlight
    // button, and the hints of the four buttons. Stored.
    const QString& FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const QString& v) { FFindNextCaption = v; }
    const QString& FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const QString& v) { FFindPrevCaption = v; }
    const QString& MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const QString& v) { FMatchCaseCaption = v; }
    const QString& HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const QString& v) { FHighLightCaption = v; }
    const QString& HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const QString& v) { FHintFindNext = v; }
    const QString& HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const QString& v) { FHintFindPrev = v; }
    const QString& HintClose() const { return FHintClose; }
    void SetHintClose(const QString& v) { FHintClose = v; }
    const QString& HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const QString& v) { FHintHighlight = v; }

    TRetEdit* EditControl() const { return FEditControl; }
    TAdvGridButton* ForwardButton() const { return FForwardButton; }
    TAdvGridButton* BackwardButton() const { return FBackwardButton; }
    TAdvGridButton* HiliteButton() const { return FHiliteButton; }
    TAdvGridButton* ExitButton() const { return FExitButton; }
    TAdvCheckBox* MatchCase() const { return FMatchCase; }
    // The colour of the line along the top edge (the grid's line colour).
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor v) { FLineColor = v; }
    // Places the controls by the placement table; RightToLeft mirrors the
    // edit and the four buttons.
    void PlaceControls(bool RightToLeft);
    // The panel's window is made with its grid's: the controls are placed
    // and OnCreated fires, so that a handler set after construction runs.
    void CreateWnd(bool RightToLeft);

    // Find next, find previous, the search text changed, close, highlight.
    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnEditChange;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighlightClick;
    // The window was made (CreateWnd).
    TNotifyEvent OnCreated;

protected:
    void Paint() override;

private:
    void EditChanged();
    TRetEdit* FEditControl = nullptr;
    TAdvGridButton* FForwardButton = nullptr;
    TAdvGridButton* FBackwardButton = nullptr;
    TAdvGridButton* FHiliteButton = nullptr;
    TAdvGridButton* FExitButton = nullptr;
    TAdvCheckBox* FMatchCase = nullptr;
    TColor FLineColor = clSilver;
    TColor FColorTo = clNone;
    QString FFindNextCaption, FFindPrevCaption, FMatchCaseCaption, FHighLightCaption;
    QString FHintFindNext, FHintFindPrev, FHintClose, FHintHighlight;
};
