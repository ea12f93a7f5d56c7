// The string grid's frame: what it owns, construction, window set-up, end of
// loading, assignment, resizing and destruction.

#include "AdvGrid.h"
#include "AdvGridPrint.h"

#include "AdvGridDragDrop.h"
#include "AdvGridFooter.h"
#include "AdvGridHTML.h"
#include "AdvGridHints.h"
#include "AdvGridLook.h"
#include "AdvGridSearchFooter.h"
#include "AdvGridSmallControls.h"
#include "AdvGridSort.h"
#include "AdvGridUnit.h"
#include "Forms.h"
#include "ImgList.h"
#include "Menus.h"
#include "OsProfile.h"
#include "PictureContainer.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

// Hears the owner form's resizes for one grid; removed with the grid. The
// form's own OnResize stays the form's.
class TAdvGridFormListener : public QObject {
public:
    explicit TAdvGridFormListener(TAdvStringGrid* Grid, TCustomForm* Form) : FGrid(Grid), FForm(Form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && FForm && watched == FForm->Widget()) {
            TAdvStringGrid* grid = FGrid;
            TCustomForm* form = FForm;
            GuardEvent([grid, form] {
                if (!grid->HasState(csDestroying)) grid->FormResized(form);
            });
        }
        return false;
    }

private:
    TAdvStringGrid* FGrid;
    TCustomForm* FForm;
};

// ---- settings objects whose classes other files build --------------------------
// Until they are part of the grid these read as their defaults.

bool TAdvStringGrid::FooterVisible() const { return FFloatingFooter && FFloatingFooter->Visible(); }
bool TAdvStringGrid::FooterFixedLastRow() const { return !FFloatingFooter || FFloatingFooter->FooterStyle() == fsFixedLastRow; }
bool TAdvStringGrid::FooterCalculates() const { return !FFloatingFooter || FFloatingFooter->EnableCalculation(); }
bool TAdvStringGrid::FooterCalculatesHidden() const { return !FFloatingFooter || FFloatingFooter->CalculateHiddenRows(); }
void TAdvStringGrid::SetFooterVisibleQuiet(bool v) { if (FFloatingFooter) FFloatingFooter->SetVisible(v); }
bool TAdvStringGrid::SearchFooterVisible() const { return FSearchFooter && FSearchFooter->Visible(); }
int TAdvStringGrid::SearchPanelHeight() const { return FSearchPanel ? FSearchPanel->Height() : 0; }
bool TAdvStringGrid::ShowModifiedEnabled() const { return FShowModified && FShowModified->Enabled(); }
void TAdvStringGrid::SetShowModifiedEnabled(bool v) { if (FShowModified) FShowModified->SetEnabled(v); }
int TAdvStringGrid::SortColumnSetting() const { return FSortSettings ? FSortSettings->Column() : -1; }
void TAdvStringGrid::SetSortColumnSetting(int v) { if (FSortSettings) FSortSettings->SetColumn(v); }
bool TAdvStringGrid::SortSingleColumnSetting() const { return FSortSettings && FSortSettings->SingleColumn(); }
int TAdvStringGrid::CheckSizeSetting() const { return FControlLook ? FControlLook->CheckSize() : 15; }
int TAdvStringGrid::RadioSizeSetting() const { return FControlLook ? FControlLook->RadioSize() : 10; }
bool TAdvStringGrid::ControlStyleFlat() const { return FControlLook && FControlLook->ControlStyle() == csFlat; }
bool TAdvStringGrid::OleEntireRowsSetting() const { return FDragDropSettings && FDragDropSettings->OleEntireRows(); }
bool TAdvStringGrid::GroupCountShown(QString&) const { return false; }    // TODO(holders): Grouping

// ---- construction -----------------------------------------------------------------

TAdvStringGrid::TAdvStringGrid(TComponent* AOwner) : TBaseGrid(AOwner)
{
    AdvGridUnitInit();
    SetControlStyle(ControlStyle() | csAcceptsControls);

    // The footer panel: a bottom-aligned child, 0 pixels high until shown.
    FFooterPanel = new TFooterPanel(this);
    FFooterPanel->SetParent(this);
    FFooterPanel->SetVisible(false);
    FFloatingFooter = new TFloatingFooter(this);
    cf = new TFont;
    FFocusHelper = new TFocusHelper(this);
    FSearchFooter = new TSearchFooter(this, true);
    FSearchFooter->OnChange = [this](TObject*) { UpdateSearchPanel(); };
    // TODO(holders): FFloatingFooter, FHTMLSettings,
    // FSortSettings, FDragDropSettings, FControlLook.
    FNavigation = new TNavigation;
    FNavigation->OnChange = [this](TObject* s) { NavigationChanged(s); };
    FColumnSize = new TColumnSize(this);
    FPrintSettings = new TPrintSettings(this);
    FColumnSize->OnStretch = [this](int c) {
        if (Parent() && Widget()) StretchColumn(c);
    };
    FCellNode = new TCellNode(this);
    FBands = new TBands;
    FBands->OnChange = [this](TObject*) { Invalidate(); };
    FSizeWhileTyping = new TSizeWhileTyping;
    FMouseActions = new TMouseActions(this);
    FSortSettings = new TSortSettings(this);
    FMouseActions->OnChange = [this](TObject* s) { MouseActionsChanged(s); };
    FMouseActions->OnIsDesigning = [this](TObject*, bool& d) { d = IsDesigning(); };
    FHTMLSettings = new THTMLSettings(this);
    FDragDropSettings = new TDragDropSettings(this);
    FMouseActions->OnInvalidate = [this](TObject* s) { MouseActionsInvalidate(s); };
    // The look's settings objects that painting reads on every cell.
    FGrouping = new TGrouping(this);
    FControlLook = new TControlLook(this);
    FDragScrollOptions = new TDragScrollOptions(this);
    FBackGround = new TBackGround(this);
    FShowModified = new TShowModified(this);
    FShowModified->OnChange = [this](TObject*) { RepaintCol(0); };
    FProgressAppearance = new TGridProgressAppearance(this);
    FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
    FBalloonSettings = new TBalloonSettings(this);
    FBalloonSettings->OnEnableChange = [this](TObject*) { BalloonEnableChanged(); };
    FScrollHintWnd = new THTMLHintWindow(nullptr);
    CreateFilterAndSearchParts();
    FColumnHeaders = new TStringList;
    FColumnHeaders->OnChange = [this](TObject*) {
        ColumnHeadersChanged();
        ShowColumnHeaders();
    };
    FImageCache = new THTMLPictureCache;
    FOrigColSizes = new TIntList(0, 0);
    FFixedFont = new TFont;
    FFixedFont->SetName(QStringLiteral("Tahoma"));
    FFixedFont->SetStyle(TFontStyles{fsBold});
    FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
    FActiveCellFont = new TFont;
    FActiveCellFont->SetStyle(TFontStyles{fsBold});
    FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };
    FRowHeaders = new TStringList;
    FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
    Sortlist = new TStringList;
    FLookupItems = new TStringList;
    FSortIndexes = new TSortIndexList(0, 0);
    FSortRowXRef = new TIntList(0, 0);
    FUnSortRowXRef = new TIntList(0, 0);
    FMergedColumns = new TIntList(0, 0);
    FMergedColumns->OnChange = [this](TObject*, int, int) {
        for (int c = 0; c < ColCount(); ++c) SplitColumnCells(c);
        for (int i = 0; i < FMergedColumns->Count(); ++i) MergeColumnCells(FMergedColumns->Items(i), i == 0);
    };
    FSelectedRows = new TIntList(0, 0);
    FModifiedRows = new TIntList(0, 0);
    FEnabledRows = new TIntList(0, 0);
    FRowIndicator = new TBitmap;
    // TODO(holders): FBackGround, FScrollHintWnd.
    FControlList = new TControlList;
    // TODO(holders): FProgressAppearance (a change repaints the grid).
    FSyncGrid = new TSyncGrid(this);
    TBaseGrid::SetRowCount(10);
    FNormalRowCount = 10;
    FMaxRowCount = std::max(FMaxRowCount, 10);
    FMaxColCount = std::max(FMaxColCount, ColCount());
    TControl::SetBounds(Left(), Top(), 400, 250);
    // TODO(holders): FFilter, FBalloonSettings (enable change starts or ends
    // the balloons), FShowModified (a change repaints column 0).

    FormListen();

    FNormalRowCount = RowCount();
    TBaseGrid::SetDefaultRowHeight(22);
    FFixedRowHeight = 22;
    FVisualGradTo = ColorToRGB(clBtnFace);

    const OsProfile& os = GetOsProfile();
    FIsWinXP = os.IsWinXPOrLater();
    FIsWin7 = os.IsWin7OrLater();
    FIsComCtl6 = (GetFileVersionMS(QStringLiteral("COMCTL32.DLL")) >> 16) > 5;
    FBorderColor = FIsWinXP ? TColor(0xB99D7F) : TColor(0x808080);
    SetScrollWidth(os.ScrollBarExtent);
    FIsWinVista = IsVistaOrLater();

    FColumnOrder = new TIntList(0, 0);
    FCellGraphic = new TCellGraphic;
    FIgnoreColumns = new TIntList(0, 0);
    // TODO(holders): FFilterDropDown (a change repaints), FDropList (hidden
    // 0 x 0 list box child, its selection runs the filter selection).
    FFilterList = new TStringList;
    FFilterList->SetSorted(true);
    FFilterList->SetDuplicates(dupIgnore);
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();

    CreateRunTimeChildren();
    FStyle = TVisualStyle::tsWindowsXP;
    EditMode = false;
    EditControl = edNormal;
}

void TAdvStringGrid::AfterConstruction()
{
    TBaseGrid::AfterConstruction();
    // The writers that later issues complete run once the object is whole.
    SetLook(glXP);
    SetScrollType(ssNormal);
}

void TAdvStringGrid::CreateRunTimeChildren()
{
    FFocusWindow = new TGridFocusWindow(this);
    ArwU = new TArrowWindow(this, arrUp);
    ArwD = new TArrowWindow(this, arrDown);
    ArwL = new TArrowWindow(this, arrLeft);
    ArwR = new TArrowWindow(this, arrRight);
    // The editors, buttons and cell form controls come with their issues.
    CreateEditorControls();
    FScrollBar = new TScrollBar(this);
    FScrollBar->SetVisible(false);
    FPaintScrollBar = new TScrollBar(this);
    FPaintScrollBar->SetVisible(false);
    MoveButton = new THeaderDragButton(this);
}

void TAdvStringGrid::FormListen()
{
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (!form || !form->Widget()) return;
    auto* listener = new TAdvGridFormListener(this, form);
    form->Widget()->installEventFilter(listener);
    FFormListener = listener;
    SetPrevSizeX(form->Width());
    SetPrevSizeY(form->Height());
}

// ---- destruction ------------------------------------------------------------------

void TAdvStringGrid::BeforeDestruction()
{
    TBaseGrid::BeforeDestruction();
    // Everything still exists here.
    FreeScrollControls();
    BalloonDone();
    if (FColumnSize->Save()) SaveColSizesReported();
    SetClearTextOnly(false);
    SetSaveHiddenCells(false);
    const int rc = RowCount(), cc = ColCount();
    if (HasNodes()) ExpandAll();
    UnHideColumnsAll();
    int rows = rc, cols = cc;
    if (NumHiddenRows() == 0 && !HasNodes()) {
        rows = std::max(rows, FMaxRowCount);
        cols = std::max(cols, FMaxColCount);
    }
    // Frees the cell objects within the grid's largest extent; whatever the
    // store or the hidden rows still hold goes with them below.
    if (rows > 0 && cols > 0 && FHasCellProps) ClearRect(0, 0, cols - 1, rows - 1);
    FISelect = nullptr;
}

TAdvStringGrid::~TAdvStringGrid()
{
    delete FFormListener;
    FFormListener = nullptr;
    if (FOleDropRegistered) RevokeDragDrop(this);
    FreeOwnedObjects();
    TBaseGrid::SetCursor(FOldCursor);
    auto freeCtl = [](auto*& c) { FreeAndNil(c); };
    freeCtl(FFocusWindow);
    freeCtl(EditCombo);
    freeCtl(EditTrans);
    freeCtl(FDropList);
    freeCtl(FDropCheckList);
    freeCtl(FSearchPanel);
    freeCtl(FFooterPanel);
    freeCtl(ComboTrans);
    freeCtl(FCtrlEdit);
    freeCtl(FCtrlCombo);
    freeCtl(FEditDateTime);
    freeCtl(FEditDate);
    freeCtl(FEditSpin);
    freeCtl(FInplaceRichEdit);
    freeCtl(FRichEdit);
    freeCtl(FEditTrackBar);
    freeCtl(FEditMemo);
    freeCtl(FEditCalculator);
    freeCtl(FEditTimePicker);
    freeCtl(FEditDetailPicker);
    freeCtl(FEditGridPicker);
    freeCtl(FEditColorPicker);
    freeCtl(FEditImagePicker);
    freeCtl(FEditAdvGridPicker);
    freeCtl(EditCheck);
    freeCtl(EditBtn);
    freeCtl(UnitEditBtn);
    freeCtl(GridButton);
    freeCtl(MoveButton);
    freeCtl(FEditControl);
    freeCtl(FComboControl);
    freeCtl(FScrollBar);
    freeCtl(FPaintScrollBar);
}

void TAdvStringGrid::FreeOwnedObjects()
{
    auto del = [](auto*& p) {
        delete p;
        p = nullptr;
    };
    auto fr = [](auto*& p) { FreeAndNil(p); };
    fr(cf);
    fr(FFocusHelper);
    fr(FIgnoreColumns);
    fr(FFloatingFooter);
    fr(FCellGraphic);
    fr(FControlList);
    fr(FSortRowXRef);
    fr(FUnSortRowXRef);
    fr(FMergedColumns);
    FSelectedCells.clear();
    fr(FSelectedRows);
    fr(FModifiedRows);
    fr(FEnabledRows);
    FNotifierList.clear();
    fr(FDragScrollOptions);
    fr(FPrintSettings);
    fr(FSortSettings);
    fr(FNavigation);
    fr(FColumnSize);
    fr(FColumnOrder);
    fr(FCellNode);
    fr(FBands);
    fr(FSizeWhileTyping);
    del(FImageCache);
    fr(FMouseActions);
    fr(FHTMLSettings);
    fr(FDragDropSettings);
    fr(FColumnHeaders);
    fr(FGrouping);
    fr(FControlLook);
    fr(FBackGround);
    fr(FShowModified);
    fr(FProgressAppearance);
    fr(FBalloonSettings);
    fr(FScrollHintWnd);
    fr(FFixedFont);
    fr(FActiveCellFont);
    fr(FRowHeaders);
    fr(FLookupItems);
    FRowSelect.clear();
    FColSelect.clear();
    fr(FSortIndexes);
    fr(FRowIndicator);
    // TODO(holders): FBackGround, FFooterPanel, FSearchPanel.
    fr(FSearchFooter);
    // TODO(holders): FBalloonSettings, FShowModified.
    fr(FOrigColSizes);
    fr(FFilterDropDown);
    fr(FFilter);
    fr(FFilterList);
    fr(FSyncGrid);
    fr(ArwU);
    fr(ArwD);
    fr(ArwL);
    fr(ArwR);
    fr(Sortlist);
    FGridItems.clear();
    // TODO(holders): FFilter.
}

void TAdvStringGrid::FreeScrollControls()
{
    FreeAndNil(vscrlctrl);
    FreeAndNil(hscrlctrl);
}

// ---- window creation --------------------------------------------------------------

bool TAdvStringGrid::HandleQtEvent(QWidget* w, QEvent* e)
{
    if (e->type() == QEvent::Show && w == Widget() && !FWndCreated && Parent()) CreateWnd();
    if (e->type() == QEvent::ToolTip && w == Widget()) return ShowCellHintEvent(e);
    if (e->type() == QEvent::MouseMove && w == Widget() && FLastBalloonPos.X >= 0) {
        const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
        BalloonFollowPointer(p.x() - BorderWidth(), p.y() - BorderWidth());
    }
    return TBaseGrid::HandleQtEvent(w, e);
}

void TAdvStringGrid::CreateWnd()
{
    if (HasState(csDestroying) || !Parent()) return;
    FWndCreated = true;
    if (FScrollType == ssMetro) CreateMetroScrollBars();
    for (TScrollBar* bar : {FScrollBar, FPaintScrollBar}) {
        if (!bar) continue;
        bar->SetParent(this);
        bar->SetVisible(false);
        bar->SetTabStop(false);
        bar->SetKind(sbVertical);
    }
    if (FBalloonSettings->Enable()) BalloonInit();
    // TODO(holders): the search panel visible as SearchFooter.Visible with
    // height 32 (else 0).
    if (FFooterPanel) {
        FFooterPanel->SetVisible(FooterVisible());
        FFooterPanel->CreateWnd();
    }
    if (FSearchPanel) FSearchPanel->CreateWnd(UseRightToLeftAlignment());
    if (FColumnSize->Save()) LoadColSizesReported();
    SetTimer(GridTimerID, 500);
    FGridTimerID = GridTimerID;
    if (FIsWinXP && !GetOsProfile().VisualStylesActive) FIsWinXP = false;
    wheelmsg = WM_MOUSEWHEEL;
    wheelpan = 0;
    wheelscrl = GetOsProfile().WheelScrollLines;
    if (wheelscrl == -1) wheelscrl = VisibleRowCount();
    // The flat scroll bar look of the other scroll types is the look's.
}

void TAdvStringGrid::Loaded()
{
    TBaseGrid::Loaded();
    FOldCursor = TBaseGrid::Cursor();
    ShowColumnHeaders();
    ShowRowHeaders();
    if (FLook == glZUR) {
        FLook = glCustom;
        SetLook(glZUR);
    }
    if (AutoSize()) AutoSizeColumns(false, 4);
    if (FColumnSize->Save()) LoadColSizesReported();
    FFixedRowsMin = FixedRows();
    FFixedColsMin = FixedCols();
    SetMinRowHeight(DefaultRowHeight());
    SetMinColWidth(10);
    FMaxRowCount = RowCount();
    FLoaded = true;
    if (FBalloonSettings->Enable()) BalloonInit();
    if (Options().Contains(goAlwaysShowEditor)) {
        TGridOptions o = Options();
        o -= goAlwaysShowEditor;
        SetOptions(o);
        FNavigation->SetAlwaysEdit(true);
    }
    // TODO(holders): ControlLook.ControlStyle csTheme -> csClassic without XP.
    FSearchFooter->SetAutoThemeAdapt(AutoThemeAdapt());
    UpdateSearchPanel();
    UpdateScrollBarAlways(false);
    if (AutoThemeAdapt() && !GetOsProfile().IsLibrary) {
        AdaptToOfficeTheme();
        GetThemeNotifier(this)->RegisterWindow(this);
    }
    InitOrigColSizes();
    SetColumnOrder();
    // TODO(holders): BalloonInit when BalloonSettings.Enable.
}

// ---- assignment -------------------------------------------------------------------

void TAdvStringGrid::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TAdvStringGrid*>(Source);
    if (!s) return;
    Font()->Assign(s->Font());
    SetActiveCellColor(s->ActiveCellColor());
    SetActiveCellColorTo(s->ActiveCellColorTo());
    FActiveCellFont->Assign(s->FActiveCellFont);
    SetActiveCellShow(s->ActiveCellShow());
    SetActiveRowShow(s->ActiveRowShow());
    SetAlign(s->Align());
    // TODO(holders): FilterDropDown.
    SetAnchorHint(s->AnchorHint());
    SetAutoNumAlign(s->AutoNumAlign());
    SetAutoSize(s->AutoSize());
    SetAutoThemeAdapt(s->AutoThemeAdapt());
    SetAutoFilterUpdate(s->AutoFilterUpdate());
    FMouseActions->Assign(s->FMouseActions);
    FNavigation->Assign(s->FNavigation);
    // TODO(holders): Grouping.
    FSearchFooter->Assign(s->FSearchFooter);
    // TODO(holders): PrintSettings, Filter, HTMLSettings.
    FBands->Assign(s->FBands);
    FCellNode->Assign(s->FCellNode);
    // TODO(holders): SortSettings, DragScrollOptions, DragDropSettings,
    // ProgressAppearance.
    FColumnSize->Assign(s->FColumnSize);
    FSyncGrid->Assign(s->FSyncGrid);
    FFocusHelper->Assign(s->FFocusHelper);
    SetFixedRowAlways(s->FixedRowAlways());
    SetColCount(s->ColCount());
    SetRowCount(s->RowCount());
    SetFixedRows(s->FixedRows());
    SetFixedCols(s->FixedCols());
    SetDefaultColWidth(s->DefaultColWidth());
    SetDefaultRowHeight(s->DefaultRowHeight());
    SetFixedRowHeight(s->FixedRowHeight());
    SetFixedColWidth(s->FixedColWidth());
    SetInvalidEntryTitle(s->InvalidEntryTitle());
    SetInvalidEntryIcon(s->InvalidEntryIcon());
    SetInvalidEntryText(s->InvalidEntryText());
    SetOptions(s->Options());
    for (int c = 0; c < ColCount() && c < s->ColCount(); ++c) SetColWidths(c, s->ColWidths(c));
    FColumnHeaders->Assign(s->FColumnHeaders);
    for (int r = 0; r < RowCount() && r < s->RowCount(); ++r) SetRowHeights(r, s->RowHeights(r));
    SetScrollProportional(s->ScrollProportional());
    SetScrollSynch(s->ScrollSynch());
    SetScrollWidth(s->ScrollWidth());
    SetScrollHints(s->ScrollHints());
    SetScrollBarAlways(s->ScrollBarAlways());
    SetScrollBars(s->ScrollBars());
    SetScrollColor(s->ScrollColor());
    SetScrollType(s->ScrollType());
    SetScrollWidth(s->ScrollWidth());
    AssignCells(s);
}

// ---- repaint, resize, bounds ------------------------------------------------------

void TAdvStringGrid::Invalidate()
{
    if (FEditChange) {
        FEditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
    if (FooterVisible() && FFooterPanel) FFooterPanel->Invalidate();
}

void TAdvStringGrid::Resize()
{
    TBaseGrid::Resize();
    if (FColumnSize->Stretch() && (ScrollBarAlways() == saNone || ScrollBarAlways() == saVert))
        StretchColumn(FColumnSize->StretchColumn());
    if (OnGridResize) OnGridResize(this);
    // TODO(holders): repaint for a horizontal or vertical gradient background.
    UpdateScrollBarAlways(false);
    CellControlsUpdate(false);
}

void TAdvStringGrid::UpdateScrollBarAlways(bool HideUnneeded)
{
    const bool rowsFit = VisibleRowCount() + FixedRows() >= RowCount();
    const bool colsFit = VisibleColCount() + FixedCols() >= ColCount();
    const TScrollBarAlways sa = ScrollBarAlways();
    if (sa != saNone) {
        if (rowsFit) ShowScrollBar(SB_VERT, sa == saVert || sa == saBoth);
        if (colsFit) ShowScrollBar(SB_HORZ, sa == saHorz || sa == saBoth);
        EnableScrollBar(SB_VERT, !rowsFit);
        EnableScrollBar(SB_HORZ, !colsFit);
    } else if (HideUnneeded) {
        if (rowsFit) ShowScrollBar(SB_VERT, false);
        if (colsFit) ShowScrollBar(SB_HORZ, false);
    }
}

void TAdvStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int rh = DefaultRowHeight();
    if (IntegralHeight() && FUpdateCount == 0 && rh > 0) {
        const bool colsFit = VisibleColCount() + FixedCols() >= ColCount();
        const int s = colsFit ? 0 : GetOsProfile().ScrollBarExtent;
        const int b = BorderStyle() == bsSingle ? 2 : 0;
        // C++'s % keeps the dividend's sign.
        AHeight = AHeight + b - ((AHeight - s - b) % rh);
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Parent() && Widget()) RepaintBorder();
}

void TAdvStringGrid::SetBorderColor(TColor v)
{
    if (v == FBorderColor) return;
    FBorderColor = v;
    if (Parent() && Widget()) RepaintBorder();
}

TCustomForm* TAdvStringGrid::ParentFormOf(TControl* AControl)
{
    for (TControl* c = AControl; c; c = c->Parent())
        if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
    return nullptr;
}

QString TAdvStringGrid::GetEditMask(int ACol, int ARow)
{
    QString v = EditMask();
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, v);
    return v;
}

void TAdvStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == TOperation::opRemove) {
        auto it = std::find(FNotifierList.begin(), FNotifierList.end(), AComponent);
        if (it != FNotifierList.end()) FNotifierList.erase(it);
        if (FGridImages && AComponent == static_cast<TComponent*>(FGridImages)) FGridImages = nullptr;
        if (FFixedDropDownMenu && AComponent == static_cast<TComponent*>(FFixedDropDownMenu)) FFixedDropDownMenu = nullptr;
        EditLinkRemoved(AComponent);
    }
    TBaseGrid::Notification(AComponent, Operation);
}

void TAdvStringGrid::EnabledChanged()
{
    TBaseGrid::EnabledChanged();
    Invalidate();
}

void TAdvStringGrid::ColorChanged()
{
    TBaseGrid::ColorChanged();
    if (FooterVisible() && FFooterPanel) FFooterPanel->Invalidate();
}

TCursor TAdvStringGrid::LinkCursor() { return crHandPoint; }

void TAdvStringGrid::SetGridImages(TCustomImageList* v)
{
    FGridImages = v;
    if (v) FreeNotification(v);
}
