#pragma once
// Hint windows and the application's hint path. A tool-tip request over a
// control becomes CM_HINTSHOW with a THintInfo the control may change; an
// answer of 0 shows HintStr in a window of HintInfo.HintWindowClass, which
// goes again when the pointer leaves CursorRect, on a click or key, after
// Application->HintHidePause, or with Application->CancelHint().

#include "Controls.h"

#include <functional>

class THintWindow;

// Makes the window a hint shows in.
using THintWindowClass = std::function<THintWindow*()>;

struct THintInfo {
    TControl* HintControl = nullptr;
    THintWindowClass HintWindowClass;
    TPoint HintPos;          // screen position of the window's top-left
    int HintMaxWidth = 0;    // pixels the text may take before it wraps
    TColor HintColor = clInfoBk;
    TRect CursorRect;        // client area of HintControl the hint belongs to
    TPoint CursorPos;        // client position of the pointer
    QString HintStr;
    TObject* HintData = nullptr;
};

// A frameless, never activated window that shows a hint text.
class THintWindow : public TCustomControl {
public:
    DECLARE_CLASSNAME(THintWindow)
    explicit THintWindow(TComponent* AOwner);

    // The size AHint takes within MaxWidth, at (0, 0), frame included.
    virtual TRect CalcHintRect(int MaxWidth, const QString& AHint, TObject* AData);
    // Shows AHint in Rect (screen coordinates), kept on the monitor.
    virtual void ActivateHint(TRect Rect, const QString& AHint);
    virtual void ActivateHintData(TRect Rect, const QString& AHint, TObject* AData);
    // Hides the window.
    void ReleaseHandle();

protected:
    void Paint() override;
    // Moves R so that it ends 2 pixels inside the right and bottom edge of
    // the monitor nearest to its top-left corner.
    static void KeepOnMonitor(TRect& R);
    // Places the window at R without taking the focus and repaints it.
    void ShowAt(const TRect& R);
};

// The class of every hint window the application makes (replaceable
// process-wide; empty: THintWindow).
THintWindowClass HintWindowClass();
void SetHintWindowClass(THintWindowClass AClass);

// The hint path for a tool-tip request over C at its client point Pos:
// asks C through CM_HINTSHOW (LParam points to the THintInfo) and shows the
// hint when the answer is 0 and the text is not empty. True when shown.
bool ActivateControlHint(TControl* C, TPoint Pos);
// The window of the hint shown now, or null.
THintWindow* ActiveHintWindow();
// Hides and frees the hint shown now.
void CancelControlHint();
