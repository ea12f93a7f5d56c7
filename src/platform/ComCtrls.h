#pragma once
// Common controls: page control with tab sheets, and the rich edit (used
// with plain text).

#include "Controls.h"
#include "StdCtrls.h"

#include <functional>
#include <vector>

class QTabWidget;
class TPageControl;

// One page of a page control: a container whose caption is its tab's text.
// It joins a page control with SetPageControl (or SetParent to the page
// control); the page control places it.
class TTabSheet : public TWinControl {
    friend class TPageControl;

public:
    DECLARE_CLASSNAME(TTabSheet)
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* v);
    // The position among the page control's pages.
    int PageIndex() const;
    void SetPageIndex(int v);
    // A page without its tab can still be made active by the program.
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    // The position among the visible tabs; -1 when the tab is hidden.
    int TabIndex() const;

    void SetParent(TWinControl* AParent) override;

protected:
    void TextChanged() override;
    bool HandleQtEvent(QWidget* w, QEvent* e) override;

private:
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

class TPageControl : public TWinControl {
    friend class TTabSheet;

public:
    DECLARE_CLASSNAME(TPageControl)
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int Index) const { return FPages.at(size_t(Index)); }
    // Setting the active page by program fires neither OnChanging nor OnChange.
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* v);
    int ActivePageIndex() const;
    void SetActivePageIndex(int v);

    // The user is about to switch pages (AllowChange false keeps the page),
    // and has switched.
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;
    TNotifyEvent OnChange;

protected:
    virtual bool CanChange();
    virtual void Change();
    QTabWidget* Tabs() const;

private:
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void UserSwitched(int index);
    std::vector<TTabSheet*> FPages;
    int FActive = -1;
    int FQuiet = 0;
    // The context of the widget's signal connections: they end with the
    // control, before the widget goes.
    QObject FSignals;
};

// The horizontal track bar: a thumb on a channel between Min and Max, with
// a tick every Frequency positions. Keys move it as the platform's track bar
// does (Left/Up lower by LineSize, Right/Down raise by it, Page Up/Page Down
// by PageSize, Home/End to Min/Max); a click on the channel beside the thumb
// pages toward the click; the thumb can be dragged. OnChange follows every
// change of Position, the user's and the program's.
class TTrackBar : public TCustomControl {
public:
    DECLARE_CLASSNAME(TTrackBar)
    explicit TTrackBar(TComponent* AOwner);

    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    // Kept within Min and Max.
    int Position() const { return FPosition; }
    void SetPosition(int v);
    // Positions between two ticks (ticks from Min to Max; 0 or less: none).
    int Frequency() const { return FFrequency; }
    void SetFrequency(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v) { FPageSize = v; }
    int LineSize() const { return FLineSize; }
    void SetLineSize(int v) { FLineSize = v; }

    // The geometry the painting and the mouse share (client coordinates).
    TRect ChannelRect() const;
    TRect ThumbRect() const;
    // The thumb's centre for a position.
    int PositionToX(int Pos) const;

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    // After the key events: the track bar's own keys.
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void Changed();

private:
    int PositionAtX(int X) const;
    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FFrequency = 1;
    int FPageSize = 2;
    int FLineSize = 1;
    bool FDragging = false;
};

// The rich edit control, used with plain text: a memo on a QTextEdit that
// takes no formatting.
class TCustomRichEdit : public TCustomMemo {
public:
    DECLARE_CLASSNAME(TCustomRichEdit)
    explicit TCustomRichEdit(TComponent* AOwner);
    // Always true here: text is taken and given without formatting.
    bool PlainText() const { return true; }
};

class TRichEdit : public TCustomRichEdit {
public:
    DECLARE_CLASSNAME(TRichEdit)
    explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};
