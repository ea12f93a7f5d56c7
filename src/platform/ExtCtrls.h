#pragma once
// Extra controls of the platform layer: timer, panel, shape, image, link
// label, and the scrolling base with the scroll box.

#include "Classes.h"
#include "Controls.h"
#include "Forms.h"
#include "GraphUtils.h"
#include "Graphics.h"
#include "StdCtrls.h"

#include <QPointer>
#include <memory>
#include <vector>

class QLabel;
class QScrollArea;
class QScrollBar;
class QTimer;
class QWidget;

// ---------------------------------------------------------------- timer

// A component that calls OnTimer every Interval milliseconds while it is
// enabled. Enabling a running timer leaves it running on its schedule;
// a changed interval starts the wait again from the moment of the change.
// It runs only while Enabled, Interval > 0 and OnTimer is assigned.
class TTimer : public TComponent {
public:
    DECLARE_CLASSNAME(TTimer)
    explicit TTimer(TComponent* AOwner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned v);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent v);

    // True while the underlying timer is counting, and the milliseconds
    // left until its next tick (-1 when it is not counting).
    bool Running() const;
    int RemainingTime() const;

protected:
    virtual void Timer();

private:
    void UpdateTimer();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    TNotifyEvent FOnTimer;
    std::unique_ptr<QTimer> FTimer;
};

// ---------------------------------------------------------------- bevels

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };


// ---------------------------------------------------------------- panel

class TCustomPanel : public TCustomControl {
public:
    DECLARE_CLASSNAME(TCustomPanel)
    explicit TCustomPanel(TComponent* AOwner);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    // Where the caption goes (vertically it is centred).
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& r) override;
    void TextChanged() override;

private:
    void BordersChanged();
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
public:
    DECLARE_CLASSNAME(TPanel)
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// ---------------------------------------------------------------- shape

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
    DECLARE_CLASSNAME(TShape)
    explicit TShape(TComponent* AOwner);
    ~TShape() override;

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType v);
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* v) { FPen->Assign(v); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* v) { FBrush->Assign(v); }

protected:
    void Paint() override;

private:
    TShapeType FShape = stRectangle;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
};

// ---------------------------------------------------------------- splitter

// A thin bar between two aligned controls that the user drags to move the
// border between them. Aligned to an edge, it resizes the control beside it
// on the same edge (the one it was placed against) and keeps at least
// MinSize pixels for that control and for the control filling the rest.
class TSplitter : public TGraphicControl {
public:
    DECLARE_CLASSNAME(TSplitter)
    explicit TSplitter(TComponent* AOwner);

    int MinSize() const { return FMinSize; }
    void SetMinSize(int v) { FMinSize = v < 1 ? 1 : v; }
    // Fires after a drag changed the neighbour's size.
    TNotifyEvent OnMoved;

    // The control the splitter resizes; null when none lies against it.
    TControl* Neighbour() const;
    // Moves the border by delta pixels (towards the right or the bottom
    // when positive), within the limits; answers the distance moved.
    int MoveBorder(int delta);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool Vertical() const { return Align() == alLeft || Align() == alRight; }
    int FMinSize = 30;
    bool FDragging = false;
    int FDownPos = 0;
};

// ---------------------------------------------------------------- image

class TImage : public TGraphicControl {
public:
    DECLARE_CLASSNAME(TImage)
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* v) { FPicture->Assign(v); }
    // The picture fills the control (else it keeps its own size).
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    // Stretching keeps the picture's proportions (and never enlarges it).
    bool Proportional() const { return FProportional; }
    void SetProportional(bool v);
    bool Center() const { return FCenter; }
    void SetCenter(bool v);
    // The picture's transparent colour shows what is behind the image.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // The control takes the picture's size.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;
    void PictureChanged();

private:
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FProportional = false;
    bool FCenter = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

// ---------------------------------------------------------------- link label

enum TSysLinkType { sltURL, sltID };
using TSysLinkEvent = std::function<void(TObject* Sender, const QString& Link, TSysLinkType LinkType)>;

// A text with links: the caption is plain text in which <a href="...">text</a>
// (or <a id="...">) marks a link; everything else shows as written.
class TCustomLinkLabel : public TWinControl {
public:
    DECLARE_CLASSNAME(TCustomLinkLabel)
    explicit TCustomLinkLabel(TComponent* AOwner);

    // A click on a link: the link's href (sltURL), or its id when it has no
    // href (sltID).
    TSysLinkEvent OnLinkClick;

    // The links of the caption in order, and the text shown.
    struct TLink {
        QString Href;
        QString Id;
        QString Text;
    };
    const std::vector<TLink>& Links() const { return FLinks; }
    QString DisplayText() const;

protected:
    virtual void DoOnLinkClick(const QString& Link, TSysLinkType LinkType);
    void TextChanged() override;
    QLabel* LabelWidget() const;

private:
    std::vector<TLink> FLinks;
    // The context of the widget's signal connections: they end with the
    // control, before the widget goes.
    QObject FSignals;
};

class TLinkLabel : public TCustomLinkLabel {
public:
    DECLARE_CLASSNAME(TLinkLabel)
    explicit TLinkLabel(TComponent* AOwner) : TCustomLinkLabel(AOwner) {}
};

// ---------------------------------------------------------------- scrolling

// Scroll-bar requests: the SB_ codes of Messages.h.

class TScrollingWinControl;

// One scroll bar of a scrolling control. Range is the extent of the content;
// the bar shows when the content does not fit (and Visible is on).
class TControlScrollBar {
public:
    TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind);

    TScrollBarKind Kind() const { return FKind; }
    int Position() const;
    void SetPosition(int v);
    // The content extent in pixels (computed from the children while the
    // control scrolls automatically).
    int Range() const { return FRange; }
    void SetRange(int v);
    // Pixels per line (SB_LINEUP / SB_LINEDOWN).
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = std::max(1, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    // The bar is on screen (Visible and the content larger than the view).
    bool IsScrollBarVisible() const;
    // The largest Position: Range minus the visible extent, at least 0.
    int MaxPosition() const;

private:
    friend class TScrollingWinControl;
    QScrollBar* Bar() const;
    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    int FRange = 0;
    int FIncrement = 8;
    bool FVisible = true;
    bool FShown = false;
};

// A windowed control whose children sit on a content area larger than the
// control, scrolled by its two bars (a QScrollArea). The children's bounds
// are content coordinates: scrolling moves the content, not the bounds.
class TScrollingWinControl : public TWinControl {
    friend class TControlScrollBar;

public:
    DECLARE_CLASSNAME(TScrollingWinControl)
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;

    TControlScrollBar* HorzScrollBar() const { return FHorz.get(); }
    TControlScrollBar* VertScrollBar() const { return FVert.get(); }
    // The ranges follow the children's extent.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool v);
    // bsSingle: a sunken frame around the area; bsNone: none.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    // Scrolls so that the control is fully in view.
    void ScrollInView(TControl* AControl);

    // The visible part of the content, in content size (scroll bars excluded).
    TRect ClientRect() const override;
    QWidget* ClientWidget() const override;
    void WndProc(TMessage& Message) override;

protected:
    void AlignControls(TRect& r) override;
    // Places the children in r (the content area); the base aligns them as
    // any windowed control does.
    virtual void ArrangeControls(TRect& r);
    void AdjustClientRect(TRect& r) override;
    void Resize() override;
    bool HandleQtEvent(QWidget* w, QEvent* e) override;
    // The extent of the children (right and bottom edges of the visible ones).
    virtual TSize ContentExtent() const;
    // Recomputes the ranges (AutoScroll), the bars' visibility and the
    // content's size.
    void UpdateScrollBars();
    void ScrollBy(TScrollBarKind Kind, unsigned Code, int ThumbPos);
    QScrollArea* Area() const;

private:
    std::unique_ptr<TControlScrollBar> FHorz;
    std::unique_ptr<TControlScrollBar> FVert;
    QPointer<QWidget> FContent;
    QObject* FChildWatcher = nullptr;
    bool FAutoScroll = true;
    TBorderStyle FBorderStyle = bsSingle;
    int FUpdating = 0;
};

class TScrollBox : public TScrollingWinControl {
public:
    DECLARE_CLASSNAME(TScrollBox)
    explicit TScrollBox(TComponent* AOwner);
};
