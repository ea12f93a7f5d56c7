#pragma once
// The strip at the bottom of a string grid that holds the search footer:
// created by every grid as its child, bottom-aligned and 0 pixels high
// until the footer is shown. The grid binds the five events to its footer
// actions and copies its search footer settings onto the panel.

#include "ExtCtrls.h"

#include <QString>

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

    // Find next, find previous, the search text changed, close, highlight.
    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnEditChange;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighlightClick;

private:
    TColor FColorTo = clNone;
    QString FFindNextCaption, FFindPrevCaption, FMatchCaseCaption, FHighLightCaption;
    QString FHintFindNext, FHintFindPrev, FHintClose, FHintHighlight;
};
