// The grid's side of the search footer: the panel created and kept in step
// with the SearchFooter settings, and the five actions its edit box and
// buttons run (search as typed, find next, find previous, highlight, close).

#include "AdvGrid.h"
#include "AdvGridLook.h"
#include "AdvGridSearchFooter.h"
#include "AdvObjButton.h"
#include "AdvObjCheckBox.h"

#include <algorithm>

namespace {

constexpr int kSearchPanelHeight = 32;
constexpr int kSearchCaptionButtonHeight = 23;
constexpr int kSearchMatchCaseHeight = 18;

void SearchFooterButtonHint(TControl* Button, const QString& Hint)
{
    Button->SetHint(Hint);
    Button->SetShowHint(!Hint.isEmpty());
}

}  // namespace

void TAdvStringGrid::CreateSearchPanel()
{
    FSearchPanel = new TSearchPanel(this);
    FSearchPanel->SetParent(this);
    FSearchPanel->SetVisible(false);
    FSearchPanel->OnForwardClick = [this](TObject* s) { SearchFooterFindNext(s); };
    FSearchPanel->OnBackwardClick = [this](TObject* s) { SearchFooterFindPrevious(s); };
    FSearchPanel->OnEditChange = [this](TObject* s) { SearchFooterEditChange(s); };
    FSearchPanel->OnExitClick = [this](TObject* s) { SearchFooterClose(s); };
    FSearchPanel->OnHighlightClick = [this](TObject* s) { SearchFooterHighlight(s); };
    for (TAdvGridButton* b : {FSearchPanel->ForwardButton(), FSearchPanel->BackwardButton(),
                              FSearchPanel->HiliteButton(), FSearchPanel->ExitButton()})
        SearchFooterButtonHint(b, b->Hint());
    // Fired when the grid's window is made, not here in its constructor,
    // where no application handler can be set yet.
    FSearchPanel->OnCreated = [this](TObject*) {
        if (OnCreatedSearchFooter) OnCreatedSearchFooter(this);
    };
}

void TAdvStringGrid::UpdateSearchPanel()
{
    if (HasState(csLoading) || !FSearchPanel) return;
    TSearchFooter* sf = FSearchFooter;
    TSearchPanel* p = FSearchPanel;
    if ((p->HiliteButton()->Down() && p->Visible() && !sf->Visible()) || sf->AlwaysHighLight()) UnHilightInGrid(false);

    p->SetColor(sf->Color());
    p->SetColorTo(sf->ColorTo());
    p->SetLineColor(GridLineColor());
    p->SetFindNextCaption(sf->FindNextCaption());
    p->SetFindPrevCaption(sf->FindPrevCaption());
    p->SetMatchCaseCaption(sf->MatchCaseCaption());
    p->SetHighLightCaption(sf->HighLightCaption());
    p->ForwardButton()->SetCaption(sf->FindNextCaption());
    p->BackwardButton()->SetCaption(sf->FindPrevCaption());
    p->HiliteButton()->SetCaption(sf->HighLightCaption());
    p->MatchCase()->SetCaption(sf->MatchCaseCaption());
    p->SetHintFindNext(sf->HintFindNext());
    p->SetHintFindPrev(sf->HintFindPrev());
    p->SetHintClose(sf->HintClose());
    p->SetHintHighlight(sf->HintHighlight());
    p->Font()->Assign(sf->Font());

    TAdvGridButton* captioned[] = {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()};
    const TControlStyle style = FControlLook ? FControlLook->ControlStyle() : csClassic;
    for (TAdvGridButton* b : captioned) {
        if (style == csFlat) {
            b->SetFlat(true);
        } else if ((style == csWinXP || style == csTheme) && !AutoThemeAdapt()) {
            b->SetAutoXPStyle(true);
            b->SetFlat(false);
        } else if (style == csClassic) {
            b->SetAutoXPStyle(false);
            b->SetFlat(false);
        }
        if (AutoThemeAdapt()) {
            b->SetAutoThemeAdapt(true);
            b->SetFlat(true);
        }
    }

    p->HiliteButton()->SetVisible(sf->ShowHighLight());
    p->ExitButton()->SetVisible(sf->ShowClose());
    p->MatchCase()->SetVisible(sf->ShowMatchCase());
    p->MatchCase()->SetTransparent(true);
    p->BackwardButton()->SetVisible(sf->ShowFindPrev());
    p->ForwardButton()->SetVisible(sf->ShowFindNext());
    SearchFooterButtonHint(p->ForwardButton(), sf->HintFindNext());
    SearchFooterButtonHint(p->BackwardButton(), sf->HintFindPrev());
    SearchFooterButtonHint(p->HiliteButton(), sf->HintHighlight());
    SearchFooterButtonHint(p->ExitButton(), sf->HintClose());

    TAdvCheckBox* mc = p->MatchCase();
    mc->SetBounds(p->HiliteButton()->Visible() ? 425 : 330, mc->Top(), mc->Width(),
                  mc->Visible() ? kSearchMatchCaseHeight : 0);
    for (TAdvGridButton* b : captioned)
        b->SetBounds(b->Left(), b->Top(), b->Width(), b->Visible() ? kSearchCaptionButtonHeight : 0);

    p->SetVisible(sf->Visible());
    if (sf->Visible()) {
        p->SetHeight(kSearchPanelHeight);
        p->SetTop(Height() - kSearchPanelHeight);
        KeepLastRowAboveSearchFooter();
    } else {
        p->SetHeight(0);
    }
}

// ---- the actions ---------------------------------------------------------------------------------

bool TAdvStringGrid::SearchFooterHilightDown() { return FSearchPanel && FSearchPanel->HiliteButton()->Down(); }

TFindParams TAdvStringGrid::SearchFooterParams(bool Backward, bool EditChange)
{
    const TSearchFooter* sf = FSearchFooter;
    TFindParams p{fnAutoGoto};
    if (Backward) p += fnBackward;
    if (SearchFooterHilightDown()) p += fnIgnoreHTMLTags;
    if (FSearchPanel->MatchCase()->Checked()) p += fnMatchCase;
    if (sf->SearchActiveColumnOnly()) p += fnFindInCurrentCol;
    if (sf->SearchMatchStart()) p += fnMatchStart;
    if (EditChange && sf->SearchFixedCells()) p += fnIncludeFixed;
    if (EditChange && sf->SearchHiddenRows()) p += fnIncludeHiddenRows;
    if (!Backward && sf->SearchDirection() == sdLeftRight) p += fnDirectionLeftRight;
    // A column outside the grid means the whole grid.
    if (sf->SearchColumn() >= 0 && sf->SearchColumn() < ColCount()) {
        p += fnFindInPresetCol;
        FFindCol = sf->SearchColumn();
    }
    return p;
}

void TAdvStringGrid::SearchFooterUnHilight()
{
    const int col = FSearchFooter->SearchColumn();
    if (col >= 0 && col < ColCount()) UnHilightInCol(false, col);
    else UnHilightInGrid(false);
}

void TAdvStringGrid::SearchFooterHilight(const QString& Text)
{
    const int col = FSearchFooter->SearchColumn();
    const bool matchCase = FSearchPanel->MatchCase()->Checked();
    if (col >= 0 && col < ColCount()) HilightInCol(false, matchCase, col, Text);
    else HilightInGrid(false, matchCase, Text);
}

void TAdvStringGrid::SearchFooterEditChange(TObject* Sender)
{
    (void)Sender;
    if (!FSearchPanel) return;
    TRetEdit* edit = FSearchPanel->EditControl();
    const QString text = edit->Text();
    bool defaultSearch = true;
    if (OnSearchEditChange) OnSearchEditChange(this, text, defaultSearch);
    if (!defaultSearch || !FSearchFooter->AutoSearch()) return;
    const TFindParams params = SearchFooterParams(false, true);
    const bool highlight = SearchFooterHilightDown() || FSearchFooter->AlwaysHighLight();
    if (highlight) SearchFooterUnHilight();
    if (text.isEmpty()) {
        edit->SetColor(clWindow);
        return;
    }
    FSearchCell = Find(TPoint(-1, -1), text, params);
    DoSearchFooterAction(text, FSearchCell.X, FSearchCell.Y, saFindFirst);
    if (FSearchCell.X < 0) {
        edit->SetColor(clRed);
        return;
    }
    edit->SetColor(clWindow);
    ScrollInView(FSearchCell.X, FSearchCell.Y);
    if (highlight) SearchFooterHilight(text);
}

void TAdvStringGrid::SearchFooterFindStep(bool Backward)
{
    if (!FSearchPanel) return;
    const QString text = FSearchPanel->EditControl()->Text();
    if (!FSearchFooter->AutoSearch()) {
        // Without auto search a changed text starts again at the top.
        if (text != FSearchFooter->LastSearch()) FSearchCell = TPoint(-1, -1);
        FSearchFooter->SetLastSearch(text);
    }
    FSearchCell = Find(FSearchCell, text, SearchFooterParams(Backward, false));
    if (FSearchCell.X >= 0) {
        // Find previous steps the top row before scrolling the hit in.
        if (!Backward) ScrollInView(FSearchCell.X, FSearchCell.Y);
        const int f = FooterVisible() ? 1 : 0;
        const int vis = VisibleRowCount();
        if (Row() > TopRow() + vis - 2 - f && RowCount() > vis + FixedRows() + f)
            SetTopRow(std::min(RowCount() - 1, TopRow() + 2));
        if (Backward) ScrollInView(FSearchCell.X, FSearchCell.Y);
    }
    DoSearchFooterAction(text, FSearchCell.X, FSearchCell.Y, Backward ? saFindPrevious : saFindNext);
    FSearchPanel->Invalidate();
}

void TAdvStringGrid::SearchFooterFindNext(TObject* Sender)
{
    (void)Sender;
    SearchFooterFindStep(false);
}

void TAdvStringGrid::SearchFooterFindPrevious(TObject* Sender)
{
    (void)Sender;
    SearchFooterFindStep(true);
}

void TAdvStringGrid::SearchFooterHighlight(TObject* Sender)
{
    (void)Sender;
    if (!FSearchPanel) return;
    if (SearchFooterHilightDown()) SearchFooterHilight(FSearchPanel->EditControl()->Text());
    else SearchFooterUnHilight();
}

void TAdvStringGrid::SearchFooterClose(TObject* Sender)
{
    (void)Sender;
    if (OnSearchFooterClose) OnSearchFooterClose(this);
    FSearchFooter->SetVisible(false);
}

bool TAdvStringGrid::FocusSearchFooterEdit()
{
    if (!FSearchPanel || !FSearchPanel->EditControl()->CanFocus()) return false;
    FSearchPanel->EditControl()->SetFocus();
    return true;
}
