#pragma once
// The category panel group: collapsible panels, each with a caption header,
// stacked in one vertically scrolling area.

#include "ExtCtrls.h"

#include <QPointer>

class TCategoryPanelGroup;

// A panel with a header that shows its caption; clicking the header (or
// setting Collapsed) folds the panel to its header. Its children sit below
// the header: their coordinates start at the header's bottom edge.
class TCategoryPanel : public TCustomControl {
    friend class TCategoryPanelGroup;

public:
    DECLARE_CLASSNAME(TCategoryPanel)
    explicit TCategoryPanel(TComponent* AOwner);
    ~TCategoryPanel() override;

    // The group the panel belongs to (its parent).
    TCategoryPanelGroup* PanelGroup() const;
    void SetPanelGroup(TCategoryPanelGroup* v);

    bool Collapsed() const { return FCollapsed; }
    void SetCollapsed(bool v);
    void Collapse() { SetCollapsed(true); }
    void Expand() { SetCollapsed(false); }
    // The height the panel has when expanded (Height while it is expanded;
    // a height set while collapsed is kept for the next expansion).
    int ExpandedHeight() const { return FCollapsed ? FExpandedHeight : Height(); }
    int HeaderHeight() const;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect ClientRect() const override;
    QWidget* ClientWidget() const override;

    TNotifyEvent OnCollapse;
    TNotifyEvent OnExpand;

protected:
    void Paint() override;
    void Resize() override;
    void TextChanged() override;
    bool HandleQtEvent(QWidget* w, QEvent* e) override;
    virtual void DoCollapse();
    virtual void DoExpand();
    TRect HeaderRect() const;
    void UpdateSurface();

private:
    QPointer<QWidget> FSurface;
    bool FCollapsed = false;
    int FExpandedHeight = 200;
    // When the program last moved the panel (0: never); of two panels at
    // the same top, the one moved later goes first.
    unsigned FPlaced = 0;
};

class TCategoryPanelGroup : public TScrollingWinControl {
public:
    DECLARE_CLASSNAME(TCategoryPanelGroup)
    explicit TCategoryPanelGroup(TComponent* AOwner);

    // The height of every panel's header.
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v);
    // The panels, top to bottom.
    int PanelCount() const;
    TCategoryPanel* Panels(int Index) const;
    void CollapseAll();
    void ExpandAll();

protected:
    // Stacks the visible panels from the top, each as wide as the view.
    void ArrangeControls(TRect& r) override;

private:
    std::vector<TCategoryPanel*> OrderedPanels() const;
    int FHeaderHeight = 24;
};
