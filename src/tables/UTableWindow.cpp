#include "UTableWindow.h"

#include "AdvCGrid.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "Files.h"
#include "SysFormat.h"
#include "UComon.h"
#include "UComonRows.h"

namespace TableFileTexts {

QString StoppedLoad(const QString& path, const QString& section, int row, const QString& attribute)
{
    const QString where = section.isEmpty()
        ? QStringLiteral("row %1").arg(row)
        : QStringLiteral("row %1 of %2").arg(row).arg(section);
    return QStringLiteral("Error! The table file ") + path + QStringLiteral(" cannot be read completely: ") + where
        + QStringLiteral(" has no attribute ") + attribute
        + QStringLiteral(". Loading stopped there; the rest of the file is not shown.");
}

QString UnreadableFile(const QString& path, const QString& reason)
{
    return QStringLiteral("Error! The table file ") + path + QStringLiteral(" cannot be read: ") + reason
        + QStringLiteral(". The table is shown empty.");
}

QString ExtraRows(const QString& path, const QString& section, int count)
{
    return QStringLiteral("The table file ") + path + QStringLiteral(" holds more rows in ") + section
        + QStringLiteral(" than the table has (%1). The rows after row %1 are not shown.").arg(count);
}

QString MissingSections(const QString& path, const QStringList& sections)
{
    return QStringLiteral("The table file ") + path + QStringLiteral(" has no section ")
        + sections.join(QStringLiteral(", ")) + QStringLiteral(". Those rows are shown empty.");
}

QString SaveIncomplete(const QString& path)
{
    return QStringLiteral("The table file ") + path
        + QStringLiteral(" was not read completely. Saving replaces it with the rows shown here. Save anyway?");
}

QString FailedSave(const QString& path, const QString& reason)
{
    return QStringLiteral("Error! The table file ") + path + QStringLiteral(" cannot be written: ") + reason
        + QStringLiteral(". Nothing was saved.");
}

}  // namespace TableFileTexts

namespace {

constexpr int ButtonLefts[6] = {16, 134, 252, 370, 488, 606};
constexpr int TableClientHeight = 337;

// The settings of one column item, the only place that knows them.
void ApplyColumnSpec(TAdvColumnGrid* grid, int col, const TTableColumnSpec& spec)
{
    TGridColumnItem* item = grid->Columns()->Items(col);
    item->SetEditor(spec.Editor);
    item->ComboItems()->Clear();
    for (const QString& choice : spec.Choices)
        item->ComboItems()->Add(choice);
    item->SetWidth(spec.Width);
    item->SetColor(spec.Color);
    item->SetAlignment(spec.Alignment);
    item->SetCheckTrue(QStringLiteral("Y"));
    item->SetCheckFalse(QStringLiteral("N"));
}

}  // namespace

TTableForm::TTableForm(TComponent* AOwner, int clientWidth, const TTableBand& band)
    : TTitledForm(AOwner, clientWidth, TableClientHeight, band.First, band.First + 1), FBand(band)
{
    BuildButtons();
}

void TTableForm::BuildButtons()
{
    P_Button = NewButtonPanel(this);
    TLbButton** buttons[6] = {&Btn_OK, &Btn_Cancel, &Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow};
    const TGlyphKind glyphs[6] = {TGlyphKind::Ok,        TGlyphKind::Cancel,  TGlyphKind::DeleteRow,
                                  TGlyphKind::InsertRow, TGlyphKind::CopyRow, TGlyphKind::PasteRow};
    for (int i = 0; i < 6; ++i) {
        *buttons[i] = NewButton(P_Button, ButtonLefts[i], 6, 110, 28, bsEncarta);
        SetButtonGlyph(*buttons[i], glyphs[i], 16);
        (*buttons[i])->SetShowHint(true);
    }
    Btn_Cancel->SetModalResult(mrCancel);
    // Escape cancels the window. Enter stays with the grid (it opens and
    // closes the editor and, with the jump option, moves to the next cell),
    // so OK is no default button.
    Btn_Cancel->SetCancel(true);
    Btn_OK->OnClick = [this](TObject*) { Btn_OKClick(); };
    Btn_DelRow->OnClick = [this](TObject*) { Btn_DelRowClick(); };
    Btn_InsRow->OnClick = [this](TObject*) { Btn_InsRowClick(); };
    Btn_CopyRow->OnClick = [this](TObject*) { Btn_CopyRowClick(); };
    Btn_PasteRow->OnClick = [this](TObject*) { Btn_PasteRowClick(); };
    OnShow = [this](TObject*) { FormShow(); };
}

void TTableForm::BuildGrids(const std::vector<TTableGridSpec>& grids)
{
    TWinControl* host = this;
    if (grids.size() > 1) {
        PageControl1 = new TPageControl(this);
        PageControl1->SetName(QStringLiteral("PageControl1"));
        PageControl1->SetParent(this);
        PageControl1->SetAlign(alClient);
    }
    // Set up as a form read from its resource would be: the column grid's
    // Loaded keeps its items in step with the columns.
    BeginLoading();
    for (size_t p = 0; p < grids.size(); ++p) {
        TPage page;
        page.Spec = grids[p];
        const TTableGridSpec& spec = page.Spec;
        if (PageControl1) {
            page.Sheet = new TTabSheet(this);
            page.Sheet->SetName(spec.TabName);
            page.Sheet->SetPageControl(PageControl1);
            host = page.Sheet;
        }
        auto* grid = Create<TAdvColumnGrid>(this);
        grid->SetName(spec.Name);
        grid->SetParent(host);
        grid->SetAlign(alClient);
        grid->SetColCount(int(spec.Columns.size()) + 1);
        grid->SetRowCount(spec.DataRows + 1);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->SetDefaultRowHeight(22);
        grid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goColSizing,
                          goEditing});
        grid->SetScrollBars(ssBoth);
        // A text longer than its cell stays on its one line, cut at the
        // cell's edge: a second line would show only in part in 22 pixels.
        grid->SetWordWrap(false);
        grid->Columns()->Items(0)->SetWidth(40);
        for (size_t c = 0; c < spec.Columns.size(); ++c)
            ApplyColumnSpec(grid, int(c) + 1, spec.Columns[c]);
        page.Grid = grid;
        page.ColumnGrid = grid;
        FPages.push_back(std::move(page));
    }
    EndLoading();
    for (int p = 0; p < PageCount(); ++p)
        BindPage(p);
}

void TTableForm::AddStringGridPage(const TTableGridSpec& spec, TAdvStringGrid* grid, TTabSheet* sheet)
{
    TPage page;
    page.Spec = spec;
    page.Grid = grid;
    page.Sheet = sheet;
    FPages.push_back(std::move(page));
    BindPage(PageCount() - 1);
}

void TTableForm::BindPage(int p)
{
    TAdvStringGrid* grid = PageStringGrid(p);
    if (BindsClick(p))
        grid->OnClickCell = [this](TObject* s, int r, int c) { ClickCell(s, r, c); };
    if (BindsDblClick(p))
        grid->OnDblClickCell = [this](TObject* s, int r, int c) { DblClickCell(s, r, c); };
    if (BindsKeyPress(p))
        grid->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
    if (BindsHint(p))
        grid->OnGridHint = [this](TObject* s, int r, int c, QString& h) { GridHint(s, r, c, h); };
    grid->SetShowHint(ShowsHints(p));
    grid->SetParentShowHint(false);
    // A data cell's hint is its text on the pages that show hints.
    if (IsColumnGridPage(p))
        grid->SetHintShowCells(ShowsHints(p));
}

void TTableForm::FormCreate()
{
    TTitledForm::FormCreate();
}

void TTableForm::Set_Lang()
{
    TTitledForm::Set_Lang();
    TLbButton* buttons[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    const int firstHint = FBand.ButtonHints ? FBand.ButtonHints : FBand.First + 8;
    for (int i = 0; i < 6; ++i)
        SetButtonTexts(buttons[i], FBand.First + 2 + i, firstHint + i);
    for (int p = 0; p < PageCount(); ++p) {
        const TTableGridSpec& spec = Spec(p);
        if (PageSheet(p))
            PageSheet(p)->SetCaption(LangText(spec.TabCaption));
        if (TAdvColumnGrid* grid = PageGrid(p)) {
            grid->Columns()->Items(0)->SetHeader(LangText(spec.FixedHeader));
            for (size_t c = 0; c < spec.Columns.size(); ++c)
                grid->Columns()->Items(int(c) + 1)->SetHeader(LangText(spec.Columns[c].Header));
        } else {
            TAdvStringGrid* plain = PageStringGrid(p);
            plain->SetCells(0, 0, LangText(spec.FixedHeader));
            for (size_t c = 0; c < spec.Columns.size(); ++c)
                plain->SetCells(int(c) + 1, 0, LangText(spec.Columns[c].Header));
        }
        if (TStringList* hints = HintList(p)) {
            hints->Clear();
            for (int entry : spec.Hints)
                hints->Add(LangText(entry));
        }
    }
}

int TTableForm::ActivePage() const
{
    return PageControl1 ? std::max(0, PageControl1->ActivePageIndex()) : 0;
}

int TTableForm::PageOf(TObject* Sender) const
{
    for (int p = 0; p < PageCount(); ++p)
        if (Sender == PageStringGrid(p))
            return p;
    return ActivePage();
}

TTableFileLayout TTableForm::FileLayout() const
{
    TTableFileLayout layout;
    layout.Root = TableRoot();
    layout.Version = TableVersion();
    for (int p = 0; p < PageCount(); ++p) {
        const TTableGridSpec& spec = Spec(p);
        TTablePage page;
        page.Section = spec.Section;
        page.Grid = PageStringGrid(p);
        const bool checkBoxGrid = !IsColumnGridPage(p);
        page.Kind = checkBoxGrid ? TTableGridKind::CheckBoxGrid : TTableGridKind::ColumnGrid;
        page.KeyColumn = spec.KeyColumn;
        for (const TTableColumnSpec& c : spec.Columns)
            page.Columns.push_back({c.Attribute, c.Default, checkBoxGrid && c.Editor == edDataCheckBox});
        layout.Pages.push_back(std::move(page));
    }
    return layout;
}

// ---------------------------------------------------------------------------
// Showing

void TTableForm::ClearPage(int page)
{
    TAdvStringGrid* grid = PageStringGrid(page);
    const TTableGridSpec& spec = Spec(page);
    const int cols = int(spec.Columns.size());
    const bool boxes = !IsColumnGridPage(page);
    grid->BeginUpdate();
    for (int r = 1; r < grid->RowCount(); ++r) {
        grid->SetCells(0, r, QString::number(r));
        for (int c = 1; c <= cols; ++c) {
            const bool enable = c == spec.EnableColumn;
            if (boxes && grid->HasCheckBox(c, r))
                grid->SetCheckBoxState(c, r, enable && ClearedEnable() == QLatin1String("Y"));
            else
                grid->SetCells(c, r, enable ? ClearedEnable() : QString());
        }
    }
    grid->EndUpdate();
}

void TTableForm::ClearGrids()
{
    for (int p = 0; p < PageCount(); ++p)
        ClearPage(p);
}

void TTableForm::ShowFirstCells()
{
    for (int p = 0; p < PageCount(); ++p) {
        TAdvStringGrid* grid = PageStringGrid(p);
        grid->MoveColRow(grid->FixedCols(), grid->FixedRows(), true, false);
        grid->SetTopRow(grid->FixedRows());
        grid->SetLeftCol(grid->FixedCols());
    }
}

void TTableForm::FormShow()
{
    ClearGrids();
    // Every showing starts at the top-left data cell, wherever the last
    // one left the grids.
    ShowFirstCells();
    if (PageControl1 && ResetsPageOnShow())
        PageControl1->SetActivePageIndex(0);
    // Cleared before loading, so a stopped load cannot leave a stale flag.
    for (int p = 0; p < PageCount(); ++p)
        CopyFlag(p) = false;
    SetLimits();
    LoadTable();
}

void TTableForm::LoadTable()
{
    FLastLoad = TTableLoadResult();
    const QString path = TablePath();
    if (path.isEmpty() || !FileExists(path))
        return;
    FLastLoad = LoadTableFile(FileLayout(), path);
    if (FLastLoad.Unreadable)
        ClearGrids();
    ReportLoad(path);
}

void TTableForm::ReportLoad(const QString& path)
{
    const TTableLoadResult& r = FLastLoad;
    if (r.Stopped)
        MessageDlg(TableFileTexts::StoppedLoad(path, r.Section, r.Row, r.Attribute), mtError, {mbOK});
    else if (r.Unreadable)
        MessageDlg(TableFileTexts::UnreadableFile(path, r.Reason), mtError, {mbOK});
    else if (!r.MissingSections.isEmpty())
        MessageDlg(TableFileTexts::MissingSections(path, r.MissingSections), mtWarning, {mbOK});
    else if (r.ExtraRows)
        MessageDlg(TableFileTexts::ExtraRows(path, r.ExtraSection, r.ExtraRowsLimit), mtWarning, {mbOK});
}

void TTableForm::FillNumberChoices(int page, int col, int limit)
{
    TStrings* items = PageGrid(page)->Columns()->Items(col)->ComboItems();
    items->BeginUpdate();
    items->Clear();
    for (int i = 0; i < limit; ++i)
        items->Add(QString::number(i));
    items->EndUpdate();
}

// ---------------------------------------------------------------------------
// OK and validation

bool TTableForm::RowEnabled(int page, int row)
{
    const int col = Spec(page).EnableColumn;
    if (col <= 0)
        return true;
    TAdvStringGrid* grid = PageStringGrid(page);
    bool checked = false;
    if (!IsColumnGridPage(page) && grid->GetCheckBoxState(col, row, checked))
        return checked;
    return grid->Cells(col, row).trimmed() == QLatin1String("Y");
}

bool TTableForm::ValidationWalk(const std::function<QString(int page, int row)>& CheckRow)
{
    for (int p = 0; p < PageCount(); ++p) {
        TAdvStringGrid* grid = PageStringGrid(p);
        const int key = Spec(p).KeyColumn;
        for (int r = 1; r < grid->RowCount(); ++r) {
            if (grid->Cells(key, r).trimmed().isEmpty())
                break;
            if (!RowEnabled(p, r))
                continue;
            const QString fault = CheckRow(p, r);
            if (!fault.isEmpty()) {
                MessageDlg(LangText(FBand.ErrorRow) + QString::number(r) + fault, mtError, {mbOK});
                return false;
            }
        }
    }
    return true;
}

void TTableForm::EndActiveEdit()
{
    TAdvStringGrid* grid = ActiveStringGrid();
    if (grid->EditorMode())
        grid->HideInplaceEdit();
}

bool TTableForm::SaveTable()
{
    const QString path = TablePath();
    if (!ConfirmProjectWrite(path))
        return false;
    const TWriteResult written = SaveTableFile(FileLayout(), path);
    if (!written) {
        MessageDlg(TableFileTexts::FailedSave(path, written.Error), mtError, {mbOK});
        return false;
    }
    return true;
}

void TTableForm::Btn_OKClick()
{
    EndActiveEdit();
    if (!Controllo_dati())
        return;
    // A table not read whole is replaced only when the user agrees.
    if (!FLastLoad.Whole
        && MessageDlg(TableFileTexts::SaveIncomplete(TablePath()), mtConfirmation, mbYesNo) != mrYes)
        return;
    if (!SaveTable())
        return;
    FLastLoad = TTableLoadResult();
    SetModalResult(mrOk);
}

// ---------------------------------------------------------------------------
// Row buttons

void TTableForm::DeleteRow(int page, int row)
{
    if (IsColumnGridPage(page))
        GridDeleteRow(row, PageGrid(page));
    else
        CheckGridDeleteRow(row, PageStringGrid(page), true);
}

void TTableForm::Btn_DelRowClick()
{
    EndActiveEdit();
    const int page = ActivePage();
    const int row = PageStringGrid(page)->Row();
    if (MessageDlg(LangText(FBand.DeleteQuestion) + QString::number(row), mtConfirmation, mbYesNo) == mrYes)
        DeleteRow(page, row);
}

void TTableForm::Btn_InsRowClick()
{
    EndActiveEdit();
    const int page = ActivePage();
    const int row = PageStringGrid(page)->Row();
    if (IsColumnGridPage(page))
        GridInsertRow(row, PageGrid(page), InsertEnables());
    else
        CheckGridInsertRow(row, PageStringGrid(page), InsertEnables());
}

void TTableForm::Btn_CopyRowClick()
{
    EndActiveEdit();
    const int page = ActivePage();
    const int row = PageStringGrid(page)->Row();
    if (IsColumnGridPage(page))
        GridCopyRow(PageGrid(page), row);
    else
        CheckGridCopyRow(PageStringGrid(page), row);
    for (int p = 0; p < PageCount(); ++p)
        CopyFlag(p) = p == page;
}

void TTableForm::Btn_PasteRowClick()
{
    EndActiveEdit();
    const int page = ActivePage();
    const int row = PageStringGrid(page)->Row();
    if (IsColumnGridPage(page))
        GridPasteRow(PageGrid(page), row, CopyFlag(page));
    else
        CheckGridPasteRow(PageStringGrid(page), row, CopyFlag(page));
}

// ---------------------------------------------------------------------------
// Grid events

void TTableForm::ClickCell(TObject* Sender, int ARow, int ACol)
{
    if (ClickSelectsRow() && ACol == 0 && ARow > 0)
        PageStringGrid(PageOf(Sender))->SelectRows(ARow, 1);
}

void TTableForm::DblClickCell(TObject* Sender, int ARow, int ACol)
{
    GridHeaderAutoSize(PageStringGrid(PageOf(Sender)), ARow, ACol);
}

void TTableForm::KeyPress(TObject* Sender, QChar& Key)
{
    GridEnterNextCell(PageStringGrid(PageOf(Sender)), Key);
}

void TTableForm::GridHint(TObject* Sender, int ARow, int ACol, QString& HintStr)
{
    const int page = PageOf(Sender);
    if (ARow != 0) {
        DataCellHint(page, ARow, ACol, HintStr);
        return;
    }
    if (ACol <= 0)
        return;
    const int index = (HintByRealIndex() ? PageStringGrid(page)->RealColIndex(ACol) : ACol) - 1;
    TStringList* hints = HintList(page);
    if (hints && index >= 0 && index < hints->Count())
        HintStr = hints->Strings(index);
}
