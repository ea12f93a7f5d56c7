#pragma once
// The balloon tooltip: a rounded window with a stem towards the point it
// belongs to, an optional icon, a bold title and a text wrapped within the
// maximum width. It serves one tool, a rectangle of a control: before every
// show it asks the control for the text with WM_NOTIFY (TTN_GETDISPINFO,
// LParam a TToolTipDispInfo*), and tells it TTN_SHOW and TTN_POP.

#include "Controls.h"
#include "Notify.h"

enum TToolTipIcon { ttiNone, ttiInfo, ttiWarning, ttiError };
enum TToolTipDelay { tdInitial, tdAutoPop, tdReshow };

struct TToolTipDispInfo {
    TNMHdr Hdr;
    TPoint CursorPos;   // client position of the pointer in the tool's control
    QString Text;       // empty: no balloon
};

class TBalloonToolTip : public TCustomControl {
public:
    DECLARE_CLASSNAME(TBalloonToolTip)
    explicit TBalloonToolTip(TComponent* AOwner);
    ~TBalloonToolTip() override;

    // The one tool: Rect of Control (client coordinates).
    void AddTool(TControl* Control, const TRect& Rect);
    void DelTool();
    TControl* ToolControl() const;

    void SetTitle(const QString& Title, TToolTipIcon Icon);
    QString Title() const { return FTitle; }
    TToolTipIcon Icon() const { return FIcon; }
    int MaxTipWidth() const { return FMaxTipWidth; }
    void SetMaxTipWidth(int v) { FMaxTipWidth = v; }
    TColor TipTextColor() const { return FTextColor; }
    void SetTipTextColor(TColor v) { FTextColor = v; }
    TColor TipBkColor() const { return FBkColor; }
    void SetTipBkColor(TColor v) { FBkColor = v; }
    // Milliseconds; -1 brings back the default (initial 500, auto-pop 5000,
    // reshow 100).
    void SetDelayTime(TToolTipDelay Which, int Ms);
    int DelayTime(TToolTipDelay Which) const;

    // Asks the tool's control for the text at its client point Pos and, when
    // there is one, shows the balloon there. True when shown.
    bool ShowFor(TPoint Pos);
    // Hides a shown balloon (TTN_POP).
    void Pop();
    bool Showing() const;
    QString TipText() const { return FText; }

protected:
    void Paint() override;

private:
    class TWatcher;
    void StartWait(TPoint Pos);

    TWatcher* FWatcher = nullptr;
    QString FTitle;
    QString FText;
    TToolTipIcon FIcon = ttiNone;
    int FMaxTipWidth = 300;
    TColor FTextColor = clInfoText;
    TColor FBkColor = clInfoBk;
    int FDelays[3] = {-1, -1, -1};
    bool FStemUp = true;
    int FStemX = 16;
};
