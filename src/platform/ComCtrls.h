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
